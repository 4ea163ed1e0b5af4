// What every effect dialog shares: parameters (a slider with an edit beside it, a
// slider alone or an edit alone) loaded from and stored into the settings record,
// a list of presets, OK, Cancel and Help, and for most of them a preview of the
// effect on the selection, watched by a 50 ms monitor. Each dialog describes its
// parameters and presets as data and builds its window from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/GlobalVars.h"
#include "framework/Form.h"

class TBevel;
class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TImageSlider;
class TTimer;

// How OK closes the dialog.
enum class TEffectOk {
  Plain,         // it closes with OK
  FocusesFirst,  // it takes the focus first, so the edit being left settles its value
  Validates      // it closes only when the value check accepts the edit
};

// A slider and the edit beside it. The components are named after Name ("Rate":
// LabelRate, ImageSliderRate, EditRate, LabelRateMin, LabelRateMax) unless a name
// below says otherwise.
struct TEffectPairSpec {
  const char* Name;
  const char* Caption;
  int Min, Max;
  int MaxLength;  // characters typed into the edit
  const char* MinText;
  const char* MaxText;
  bool KeyFilter = false;  // a threshold edit: it filters keys instead of taking digits only
  const char* LabelName = nullptr;
  const char* MinName = nullptr;
  const char* MaxName = nullptr;
};

// A label and an edit on one row, for the dialogs of one value.
struct TEffectEditSpec {
  const char* LabelName;
  const char* Caption;
  const char* EditName;
  int MaxLength;
  int32_t TGlobalVars::*Field;
};

struct TEffectPreset {
  const char* Name;
  std::vector<int> Values;  // one per parameter, in parameter order
};

// The range an edit-only dialog accepts, with the message for each side.
struct TEffectValueCheck {
  int Min, Max;
  const char* TooLow;
  const char* TooHigh;
  bool OnExit;  // checked also when the edit loses the focus
};

class TEffectForm : public TForm {
  SONVELT_CLASS(TEffectForm, TForm)
public:
  explicit TEffectForm(TComponent* AOwner);

  TLabel* LabelPreset = nullptr;
  TComboBox* ComboBoxPreset = nullptr;
  TButton* ButtonPreview = nullptr;  // dialogs with a preview
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;
  TTimer* TimerMonitor = nullptr;  // dialogs with a preview
  TBevel* Bevel = nullptr;

  // The settings record into the controls.
  void ReadSettings();
  // The controls into the settings record, the preview id first. Every edit is
  // checked before anything is stored: one that is not a whole number raises
  // EConvertError and leaves the record as it was.
  void WriteSettings();
  // Locks (false) or unlocks the dialog while a preview transforms; edits stay
  // enabled but become read-only.
  void EnableControls(bool Enabled);
  // 1 .. 14, or 0 for a dialog without a preview.
  int GetPreviewId() const { return FPreviewId; }

  void FormShow(TObject* Sender);
  void ComboBoxPresetChange(TObject* Sender);
  void ButtonPreviewClick(TObject* Sender);
  void TimerMonitorTimer(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
  void ButtonOKClick(TObject* Sender);
  void ImageSliderChange(TObject* Sender);
  void EditChange(TObject* Sender);
  void EditExit(TObject* Sender);
  void EditCheckExit(TObject* Sender);
  void EditThresholdKeyPress(TObject* Sender, char& Key);

protected:
  struct TParameter {
    TLabel* Label = nullptr;
    TImageSlider* Slider = nullptr;  // holds the value when there is one
    TEdit* Edit = nullptr;
    TLabel* LabelMin = nullptr;
    TLabel* LabelMax = nullptr;
    int32_t TGlobalVars::*Field = nullptr;
    bool KeyFilter = false;

    void Bind(TLabel*& ALabel, TImageSlider*& ASlider, TEdit*& AEdit, TLabel*& AMin, TLabel*& AMax) const {
      ALabel = Label, ASlider = Slider, AEdit = Edit, AMin = LabelMin, AMax = LabelMax;
    }
  };

  // The caption, the preview id (0: none) and the OK button's kind.
  void BeginEffectForm(const std::string& Caption, int PreviewId, TEffectOk Ok);
  // The whole window of a dialog of one edit, or of slider and edit pairs one under
  // the other (Fields in the order of Pairs).
  void BuildEditDialog(const TEffectEditSpec& Spec, std::span<const TEffectPreset> Presets,
                       const char* PresetLabelName = "LabelPreset");
  void BuildPairDialog(std::span<const TEffectPairSpec> Pairs, std::span<int32_t TGlobalVars::* const> Fields,
                       std::span<const TEffectPreset> Presets);
  const TParameter& Parameter(size_t Index) const { return FParams[Index]; }
  // A slider and edit pair at Top, Width wide; Top moves below it.
  const TParameter& AddPair(TWinControl* Parent, int Left, int& Top, int Width, const TEffectPairSpec& Spec,
                            int32_t TGlobalVars::*Field);
  // A label and an edit on one row; Top moves below it.
  const TParameter& AddEditParameter(TWinControl* Parent, int Left, int& Top, int Width, const char* LabelName,
                                     const char* Caption, const char* EditName, int MaxLength,
                                     int32_t TGlobalVars::*Field);
  // A slider without an edit; its label (may be null) is locked with it.
  const TParameter& AddSliderParameter(TImageSlider* Slider, TLabel* Label, int32_t TGlobalVars::*Field);
  // The preset label and list on one row.
  void AddPresetRow(TWinControl* Parent, int Left, int Top, int Width, std::span<const TEffectPreset> Presets,
                    const char* LabelName = "LabelPreset");
  // The bevel line at Top (when asked), then the buttons; sets the client size.
  void AddButtons(int Top, int ClientWidth, bool WithBevel = true);
  // Further controls that lock with the parameters.
  void AddLockedControl(TControl* Control) { FLocked.push_back(Control); }
  void SetValueCheck(const TEffectValueCheck& Check) { FCheck = Check; }
  // Sets the parameters' controls to these values, in parameter order.
  void ApplyValues(std::span<const int> Values);
  // The edit-only dialog's value against its check: false (with the message and
  // the focus on the edit) when refused; a text that is not a number raises.
  bool CheckValue();

private:
  TParameter* ParameterOf(TObject* Control);

  std::vector<TParameter> FParams;
  std::span<const TEffectPreset> FPresets;
  std::vector<TControl*> FLocked;
  int FPreviewId = 0;
  TEffectOk FOk = TEffectOk::Plain;
  TEffectValueCheck FCheck{};
};
