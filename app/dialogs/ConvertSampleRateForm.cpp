#include "app/dialogs/ConvertSampleRateForm.h"

#include <algorithm>
#include <iterator>

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Panel.h"
#include "framework/StringLists.h"

const int TConvertSampleRateForm::Rates[10] = {96000, 88200, 48000, 44100, 32000, 22050, 16000, 11025, 8000, 6000};

TConvertSampleRateForm::TConvertSampleRateForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Convert Sample Rate", 280, 170);
  GroupBoxRate = AddControl<TGroupBox>(this, this, 8, 8, 264, 56, "Sample Rate:");
  LabelRate = AddControl<TLabel>(this, GroupBoxRate, 12, 26, 100, 14, "New Sample Rate:");
  ComboBoxRate = AddControl<TComboBox>(this, GroupBoxRate, 120, 22, 132, 21);
  ComboBoxRate->SetStyle(csDropDownList);
  for (int Rate : Rates) ComboBoxRate->GetItems()->Add(std::to_string(Rate) + " Hz");
  ComboBoxRate->SetItemIndex(3);
  LabelRate->SetFocusControl(ComboBoxRate);
  GroupBoxSChannels = AddControl<TRadioGroup>(this, this, 8, 72, 264, 56, "Channels");
  GroupBoxSChannels->SetColumns(2);
  GroupBoxSChannels->GetItems()->Add("Mono");
  GroupBoxSChannels->GetItems()->Add("Stereo");
  GroupBoxSChannels->SetItemIndex(1);
  AddOkCancelButtons(this, 114, 138, ButtonOK, ButtonCancel);
  OnShow = TNotifyEvent(this, &TConvertSampleRateForm::FormShow);
}

void TConvertSampleRateForm::SelectRate(int Rate) {
  const int* It = std::find(std::begin(Rates), std::end(Rates), Rate);
  ComboBoxRate->SetItemIndex(It == std::end(Rates) ? 3 : static_cast<int>(It - std::begin(Rates)));
}

int TConvertSampleRateForm::ChosenRate() {
  const int Index = ComboBoxRate->GetItemIndex();
  return Index >= 0 && Index < static_cast<int>(std::size(Rates)) ? Rates[Index] : 44100;
}

void TConvertSampleRateForm::SelectChannels(int Channels) { GroupBoxSChannels->SetItemIndex(Channels == 1 ? 0 : 1); }

int TConvertSampleRateForm::ChosenChannels() const { return GroupBoxSChannels->GetItemIndex() == 0 ? 1 : 2; }

void TConvertSampleRateForm::FormShow(TObject*) { ApplyHintFont(this); }
