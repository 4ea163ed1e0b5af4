// A format dialog with a choice between a preset and the custom settings of its
// "Configure..." dialog (WAV, MP3, OGG).
#pragma once

#include "app/dialogs/PresetFormatForm.h"

class TRadioButton;

class TOutputFormatForm : public TPresetFormatForm {
  SONVELT_CLASS(TOutputFormatForm, TPresetFormatForm)
public:
  explicit TOutputFormatForm(TComponent* AOwner);

  TRadioButton* RadioButtonPresetQuality = nullptr;
  TRadioButton* RadioButtonSpecifySettings = nullptr;
  TLabel* LabelSpecifySettings = nullptr;
  TButton* ButtonConfigure = nullptr;

  // Type field: 0 preset, 1 custom; other stored values check neither radio.
  void ReadSettings() override;
  void WriteSettings() override;

  void RadioButtonClick(TObject* Sender);
  // The custom dialog; confirmed values are stored at once, even when this dialog is
  // then cancelled.
  void ButtonConfigureClick(TObject* Sender);

protected:
  void BuildFormatControls(const std::string& Caption, std::span<const TPresetText> Presets,
                           uint8_t TGlobalVars::*TypeField, uint8_t TGlobalVars::*PresetsField,
                           const std::string& HelpTopic, bool WrapSummary);
  void DoFormShow() override;
  // The summary of the custom fields as stored now.
  virtual std::string CurrentSummary() const = 0;
  // Runs the custom dialog centred on this one; true on OK.
  virtual bool RunCustomDialog() = 0;

  uint8_t TGlobalVars::*FTypeField = nullptr;
};
