#include "app/dialogs/OutputFormatForm.h"

#include "app/ControlLayout.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "skins/ImageSlider.h"

TOutputFormatForm::TOutputFormatForm(TComponent* AOwner) : TPresetFormatForm(AOwner) {}

void TOutputFormatForm::BuildFormatControls(const std::string& Caption, std::span<const TPresetText> Presets,
                                            uint8_t TGlobalVars::*TypeField, uint8_t TGlobalVars::*PresetsField,
                                            const std::string& HelpTopic, bool WrapSummary) {
  FTypeField = TypeField;
  // The preset block sits between the two radio buttons: build it, then move its
  // buttons below the custom-settings block.
  RadioButtonPresetQuality = AddControl<TRadioButton>(this, 12, 10, 200, 17, "&Preset Quality:");
  RadioButtonPresetQuality->SetChecked(true);
  BuildPresetControls(Caption, Presets, PresetsField, HelpTopic, 34);
  RadioButtonSpecifySettings = AddControl<TRadioButton>(this, 12, 114, 200, 17, "&Specify Settings:");
  LabelSpecifySettings = AddControl<TLabel>(this, 28, 138, 266, WrapSummary ? 44 : 14);
  LabelSpecifySettings->SetAutoSize(false);
  LabelSpecifySettings->SetWordWrap(WrapSummary);
  ButtonConfigure = AddControl<TButton>(this, 304, 134, 84, 25, "&Configure...");
  ButtonConfigure->OnClick = TNotifyEvent(this, &TOutputFormatForm::ButtonConfigureClick);
  for (TButton* B : {ButtonOK, ButtonCancel, ButtonHelp}) B->SetTop(194);
  SetClientHeight(230);

  RadioButtonPresetQuality->OnClick = TNotifyEvent(this, &TOutputFormatForm::RadioButtonClick);
  RadioButtonSpecifySettings->OnClick = TNotifyEvent(this, &TOutputFormatForm::RadioButtonClick);
}

void TOutputFormatForm::ReadSettings() {
  const uint8_t Type = GlobalVarsRecord->*FTypeField;
  RadioButtonPresetQuality->SetChecked(Type == 0);
  RadioButtonSpecifySettings->SetChecked(Type == 1);
  TPresetFormatForm::ReadSettings();
}

void TOutputFormatForm::WriteSettings() {
  if (RadioButtonPresetQuality->GetChecked())
    GlobalVarsRecord->*FTypeField = 0;
  else if (RadioButtonSpecifySettings->GetChecked())
    GlobalVarsRecord->*FTypeField = 1;
  TPresetFormatForm::WriteSettings();
}

void TOutputFormatForm::RadioButtonClick(TObject*) {
  const bool Preset = RadioButtonPresetQuality->GetChecked();
  for (TControl* C : std::initializer_list<TControl*>{LabelPresetQuality1, LabelPresetQuality2, LabelLow, LabelHigh,
                                                      ImageSliderPreset})
    C->SetEnabled(Preset);
  const bool Custom = RadioButtonSpecifySettings->GetChecked();
  LabelSpecifySettings->SetEnabled(Custom);
  ButtonConfigure->SetEnabled(Custom);
}

void TOutputFormatForm::DoFormShow() {
  TPresetFormatForm::DoFormShow();
  RadioButtonClick(this);
  LabelSpecifySettings->SetCaption(CurrentSummary());
}

void TOutputFormatForm::ButtonConfigureClick(TObject*) {
  if (RunCustomDialog()) LabelSpecifySettings->SetCaption(CurrentSummary());
}
