#include "app/dialogs/Mp3CustomSettingsForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/GlobalVars.h"
#include "app/ValueTables.h"
#include "framework/Button.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Panel.h"
#include "framework/StringLists.h"
#include "skins/ImageSlider.h"

namespace {

TComboBox* AddBitRateList(TComponent* Owner, TWinControl* Parent, int Left, int Top, int First, int Count) {
  TComboBox* Box = AddControl<TComboBox>(Owner, Parent, Left, Top, 100, 21);
  Box->SetStyle(csDropDownList);
  for (int I = First; I < First + Count; ++I)
    Box->GetItems()->Add(Format("%d kbps", {Mp3CbrBitRateFromIndex(static_cast<uint8_t>(I))}));
  return Box;
}

// Selects the stored index when the list has it; a hand-edited value leaves it empty.
void SelectIndex(TComboBox* Box, int Index) {
  Box->SetItemIndex(Index < Box->GetItems()->GetCount() ? Index : -1);
}

void StoreIndex(TComboBox* Box, uint8_t& Field) {
  if (Box->GetItemIndex() >= 0) Field = static_cast<uint8_t>(Box->GetItemIndex());
}

}  // namespace

TMp3SettingsSpecifyForm::TMp3SettingsSpecifyForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Configure MP3 Settings", 372, 352);

  AddControl<TLabel>(this, 16, 16, 60, 14, "Mode:");
  ComboBoxMode = AddControl<TComboBox>(this, 120, 12, 140, 21);
  ComboBoxMode->SetStyle(csDropDownList);
  for (const char* Mode : {"Stereo", "Joint Stereo", "Dual Channels", "Mono"}) ComboBoxMode->GetItems()->Add(Mode);

  RadioButtonConstant = AddControl<TRadioButton>(this, 16, 46, 140, 17, "&Constant Bit Rate");
  ComboBoxConstant = AddBitRateList(this, this, 160, 44, 0, 14);
  RadioButtonVariable = AddControl<TRadioButton>(this, 16, 76, 140, 17, "&Variable Bit Rate");

  GroupBoxVariable = AddControl<TGroupBox>(this, 16, 98, 340, 180);
  LabelMin = AddControl<TLabel>(this, GroupBoxVariable, 12, 22, 90, 14, "Min. Bit Rate:");
  ComboBoxMin = AddBitRateList(this, GroupBoxVariable, 104, 18, 0, 13);
  LabelMax = AddControl<TLabel>(this, GroupBoxVariable, 12, 50, 90, 14, "Max. Bit Rate:");
  ComboBoxMax = AddBitRateList(this, GroupBoxVariable, 104, 46, 1, 13);
  RadioButtonQuality = AddControl<TRadioButton>(this, GroupBoxVariable, 12, 80, 110, 17, "&Quality Level");
  LabelLow = AddControl<TLabel>(this, GroupBoxVariable, 124, 82, 40, 14, "Low: 9");
  ImageSliderQuality = AddControl<TImageSlider>(this, GroupBoxVariable, 164, 74, 110, 30);
  ImageSliderQuality->SetMinValue(0);
  ImageSliderQuality->SetMaxValue(9);
  ImageSliderQuality->SetIncrement(1);
  ImageSliderQuality->SetOptions({soShowPoints});
  LabelHigh = AddControl<TLabel>(this, GroupBoxVariable, 278, 82, 44, 14, "High: 0");
  LabelQuality = AddControl<TLabel>(this, GroupBoxVariable, 214, 106, 20, 14);
  RadioButtonAverage = AddControl<TRadioButton>(this, GroupBoxVariable, 12, 126, 140, 17, "Set &Average Bit Rate:");
  ComboBoxSetAverage = AddBitRateList(this, GroupBoxVariable, 160, 124, 0, 14);
  CheckBoxXing = AddControl<TCheckBox>(this, GroupBoxVariable, 12, 154, 320, 17,
                                       "Write &XING compatible variable bit rate header");
  CheckBoxXing->SetChecked(true);

  AddControl<TLabel>(this, 16, 290, 60, 14, "Set Flags:");
  CheckBoxChecksum = AddControl<TCheckBox>(this, 90, 288, 120, 17, "Check&sum");

  AddOkCancelButtons(this, 200, 318, ButtonOK, ButtonCancel);

  for (TRadioButton* R : {RadioButtonConstant, RadioButtonVariable, RadioButtonQuality, RadioButtonAverage})
    R->OnClick = TNotifyEvent(this, &TMp3SettingsSpecifyForm::RadioButtonClick);
  ImageSliderQuality->OnChange = TNotifyEvent(this, &TMp3SettingsSpecifyForm::ImageSliderQualityChange);
  ComboBoxMin->OnChange = TNotifyEvent(this, &TMp3SettingsSpecifyForm::ComboBoxMinChange);
  ComboBoxMax->OnChange = TNotifyEvent(this, &TMp3SettingsSpecifyForm::ComboBoxMaxChange);
  OnShow = TNotifyEvent(this, &TMp3SettingsSpecifyForm::FormShow);
}

void TMp3SettingsSpecifyForm::ReadSettings() {
  const TGlobalVars& V = *GlobalVarsRecord;
  SelectIndex(ComboBoxMode, V.OutputMP3Mode);
  RadioButtonConstant->SetChecked(V.OutputMP3CBR);
  RadioButtonVariable->SetChecked(!V.OutputMP3CBR);
  SelectIndex(ComboBoxConstant, V.OutputMP3CBRBitRate);
  SelectIndex(ComboBoxMin, V.OutputMP3VBRBitRateMin);
  SelectIndex(ComboBoxMax, V.OutputMP3VBRBitRateMax);
  RadioButtonQuality->SetChecked(V.OutputMP3QualityLevel);
  RadioButtonAverage->SetChecked(!V.OutputMP3QualityLevel);
  ImageSliderQuality->SetValue(9 - V.OutputMP3QualityLevelValue);
  SelectIndex(ComboBoxSetAverage, V.OutputMP3ABRBitRate);
  CheckBoxXing->SetChecked(V.OutputMP3WriteXING);
  CheckBoxChecksum->SetChecked(V.OutputMP3Checksum);
}

void TMp3SettingsSpecifyForm::WriteSettings() {
  TGlobalVars& V = *GlobalVarsRecord;
  StoreIndex(ComboBoxMode, V.OutputMP3Mode);
  V.OutputMP3CBR = RadioButtonConstant->GetChecked();
  StoreIndex(ComboBoxConstant, V.OutputMP3CBRBitRate);
  StoreIndex(ComboBoxMin, V.OutputMP3VBRBitRateMin);
  StoreIndex(ComboBoxMax, V.OutputMP3VBRBitRateMax);
  V.OutputMP3QualityLevel = RadioButtonQuality->GetChecked();
  V.OutputMP3QualityLevelValue = 9 - ImageSliderQuality->GetValue();
  StoreIndex(ComboBoxSetAverage, V.OutputMP3ABRBitRate);
  V.OutputMP3WriteXING = CheckBoxXing->GetChecked();
  V.OutputMP3Checksum = CheckBoxChecksum->GetChecked();
}

void TMp3SettingsSpecifyForm::FormShow(TObject*) {
  ApplyHintFont(this);
  RadioButtonClick(this);
  ImageSliderQualityChange(this);
}

void TMp3SettingsSpecifyForm::RadioButtonClick(TObject*) {
  const bool Variable = RadioButtonVariable->GetChecked();
  const bool ByQuality = Variable && RadioButtonQuality->GetChecked();
  ComboBoxConstant->SetEnabled(RadioButtonConstant->GetChecked());
  for (TControl* C : std::initializer_list<TControl*>{GroupBoxVariable, LabelMin, ComboBoxMin, LabelMax, ComboBoxMax,
                                                      RadioButtonQuality, RadioButtonAverage, CheckBoxXing})
    C->SetEnabled(Variable);
  for (TControl* C : std::initializer_list<TControl*>{ImageSliderQuality, LabelLow, LabelHigh, LabelQuality})
    C->SetEnabled(ByQuality);
  ComboBoxSetAverage->SetEnabled(Variable && RadioButtonAverage->GetChecked());
}

void TMp3SettingsSpecifyForm::ImageSliderQualityChange(TObject*) {
  LabelQuality->SetCaption(Format("%d", {9 - ImageSliderQuality->GetValue()}));
}

void TMp3SettingsSpecifyForm::ComboBoxMinChange(TObject*) {
  if (ComboBoxMax->GetItemIndex() < ComboBoxMin->GetItemIndex()) ComboBoxMax->SetItemIndex(ComboBoxMin->GetItemIndex());
}

void TMp3SettingsSpecifyForm::ComboBoxMaxChange(TObject*) {
  if (ComboBoxMax->GetItemIndex() < ComboBoxMin->GetItemIndex()) ComboBoxMin->SetItemIndex(ComboBoxMax->GetItemIndex());
}
