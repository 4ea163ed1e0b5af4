#include "app/dialogs/OGGCustomSettingsForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/GlobalVars.h"
#include "framework/Button.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Panel.h"
#include "framework/StringLists.h"
#include "skins/ImageSlider.h"

TOGGSettingsSpecifyForm::TOGGSettingsSpecifyForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Configure OGG Settings", 340, 236);

  GroupBoxMode = AddControl<TRadioGroup>(this, 16, 10, 308, 44, "Mode");
  GroupBoxMode->SetColumns(2);
  GroupBoxMode->GetItems()->Add("Stereo");
  GroupBoxMode->GetItems()->Add("Mono");
  GroupBoxMode->SetItemIndex(0);

  RadioButtonAverage = AddControl<TRadioButton>(this, 16, 70, 130, 17, "&Average Bit Rate:");
  ComboBoxSetAverage = AddControl<TComboBox>(this, 150, 68, 110, 21);
  ComboBoxSetAverage->SetStyle(csDropDownList);
  for (const char* Rate : {"64 kbps", "96 kbps", "128 kbps", "160 kbps", "192 kbps", "256 kbps", "350 kbps"})
    ComboBoxSetAverage->GetItems()->Add(Rate);
  ComboBoxSetAverage->SetItemIndex(4);

  RadioButtonVariable = AddControl<TRadioButton>(this, 16, 102, 130, 17, "&Variable Bit Rate");
  RadioButtonVariable->SetChecked(true);
  LabelLow = AddControl<TLabel>(this, 32, 134, 40, 14, "Low");
  ImageSliderQuality = AddControl<TImageSlider>(this, 74, 126, 200, 30);
  ImageSliderQuality->SetMinValue(1);
  ImageSliderQuality->SetMaxValue(100);
  ImageSliderQuality->SetOptions({soSmooth});
  ImageSliderQuality->SetValue(60);
  LabelHigh = AddControl<TLabel>(this, 280, 134, 40, 14, "High");
  LabelQuality = AddControl<TLabel>(this, 160, 160, 40, 14);

  AddOkCancelButtons(this, 168, 200, ButtonOK, ButtonCancel);

  RadioButtonAverage->OnClick = TNotifyEvent(this, &TOGGSettingsSpecifyForm::RadioButtonClick);
  RadioButtonVariable->OnClick = TNotifyEvent(this, &TOGGSettingsSpecifyForm::RadioButtonClick);
  ImageSliderQuality->OnChange = TNotifyEvent(this, &TOGGSettingsSpecifyForm::ImageSliderQualityChange);
  OnShow = TNotifyEvent(this, &TOGGSettingsSpecifyForm::FormShow);
}

void TOGGSettingsSpecifyForm::ReadSettings() {
  const TGlobalVars& V = *GlobalVarsRecord;
  GroupBoxMode->SetItemIndex(V.OutputOGGMode < 2 ? V.OutputOGGMode : -1);
  RadioButtonAverage->SetChecked(V.OutputOGGABR);
  RadioButtonVariable->SetChecked(!V.OutputOGGABR);
  ComboBoxSetAverage->SetItemIndex(V.OutputOGGABRBitRate < 7 ? V.OutputOGGABRBitRate : -1);
  ImageSliderQuality->SetValue(V.OutputOGGQualityValue);
}

void TOGGSettingsSpecifyForm::WriteSettings() {
  TGlobalVars& V = *GlobalVarsRecord;
  if (GroupBoxMode->GetItemIndex() >= 0) V.OutputOGGMode = static_cast<uint8_t>(GroupBoxMode->GetItemIndex());
  V.OutputOGGABR = RadioButtonAverage->GetChecked();
  if (ComboBoxSetAverage->GetItemIndex() >= 0)
    V.OutputOGGABRBitRate = static_cast<uint8_t>(ComboBoxSetAverage->GetItemIndex());
  V.OutputOGGQualityValue = ImageSliderQuality->GetValue();
}

void TOGGSettingsSpecifyForm::FormShow(TObject*) {
  ApplyHintFont(this);
  RadioButtonClick(this);
  ImageSliderQualityChange(this);
}

void TOGGSettingsSpecifyForm::RadioButtonClick(TObject*) {
  ComboBoxSetAverage->SetEnabled(RadioButtonAverage->GetChecked());
  const bool Variable = RadioButtonVariable->GetChecked();
  for (TControl* C : std::initializer_list<TControl*>{ImageSliderQuality, LabelLow, LabelHigh, LabelQuality})
    C->SetEnabled(Variable);
}

void TOGGSettingsSpecifyForm::ImageSliderQualityChange(TObject*) {
  LabelQuality->SetCaption(Format("%d%%", {ImageSliderQuality->GetValue()}));
}
