// The part every output-format dialog shares: a preset slider with a quality name
// and a description per position, OK, Cancel and Help. Dialogs only read and write
// the Output fields of the settings record.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/GlobalVars.h"
#include "framework/Form.h"

class TLabel;
class TButton;
class TImageSlider;

struct TPresetText {
  const char* Quality;
  const char* Description;
};

class TPresetFormatForm : public TForm {
  SONVELT_CLASS(TPresetFormatForm, TForm)
public:
  explicit TPresetFormatForm(TComponent* AOwner);

  TImageSlider* ImageSliderPreset = nullptr;
  TLabel* LabelLow = nullptr;   // "Low Quality,\r\nSmall Size"
  TLabel* LabelHigh = nullptr;  // "High Quality,\r\nLarge Size"
  TLabel* LabelPresetQuality1 = nullptr;
  TLabel* LabelPresetQuality2 = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  virtual void ReadSettings();
  virtual void WriteSettings();

  void FormShow(TObject* Sender);
  // Shows the texts of the slider's position; other positions leave them as they are.
  void ImageSliderPresetChange(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);

protected:
  // Builds the slider, its labels and the buttons; Top is where the slider row starts.
  void BuildPresetControls(const std::string& Caption, std::span<const TPresetText> Presets,
                           uint8_t TGlobalVars::*PresetsField, const std::string& HelpTopic, int Top);
  virtual void DoFormShow();

  std::span<const TPresetText> FPresets;
  uint8_t TGlobalVars::*FPresetsField = nullptr;
  std::string FHelpTopic;
};
