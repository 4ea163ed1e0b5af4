// The batch converter's command list: adding a command from the Add Command
// dialog, editing one through its effect or parameter dialog, removing them.
#include <algorithm>

#include "app/BatchItems.h"
#include "app/DialogPlacement.h"
#include "app/dialogs/AddCommandForm.h"
#include "app/dialogs/BatchConverterForm.h"
#include "app/dialogs/ConvertSampleRateForm.h"
#include "app/dialogs/DelayEffectForms.h"
#include "app/dialogs/FilterEffectForms.h"
#include "app/dialogs/InsertSilenceForm.h"
#include "app/dialogs/LevelEffectForms.h"
#include "app/dialogs/ModulationEffectForms.h"
#include "app/dialogs/SpeedPitchMixForms.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/OwnedObject.h"
#include "framework/Panel.h"
#include "skins/ImageSlider.h"

namespace {

template <class T>
TForm* MakeForm(TComponent* Owner) {
  return T::Create(Owner);
}

// The dialog of each command kind, and its controls that hold the command's
// fields in field order (sliders or edits, by name).
struct TCommandDialog {
  TForm* (*Make)(TComponent*);
  std::vector<const char*> Controls;
};

const std::vector<const char*> DelayControls = {"ImageSliderDelayTime", "ImageSliderMixDepth",
                                                "ImageSliderFeedbackGain"};
const std::vector<const char*> ModulationControls = {"ImageSliderDelayRate",   "ImageSliderMixDepth",
                                                     "ImageSliderFeedbackGain", "ImageSliderSweepDepth",
                                                     "ImageSliderSweepRate",   "ImageSliderSweepPhase"};

const TCommandDialog& DialogOf(int Kind) {
  static const TCommandDialog Dialogs[bcCount] = {
      {MakeForm<TInsertSilenceForm>, {"EditSilenceTime"}},
      {MakeForm<TInsertSilenceForm>, {"EditSilenceTime"}},
      {MakeForm<TAmplifyForm>, {"EditAmplify"}},
      {MakeForm<TNormalizeForm>, {"EditNormalizePeak"}},
      {MakeForm<THighPassForm>, {"EditFrequency"}},
      {MakeForm<TEqualizerForm>,
       {"Band1", "Band2", "Band3", "Band4", "Band5", "Band6", "Band7", "Band8", "Band9", "Band10", "Band11",
        "Band12"}},
      {MakeForm<TEchoForm>, DelayControls},
      {MakeForm<TReverbForm>,
       {"ImageSliderDelayTime", "ImageSliderMixDepth", "ImageSliderFeedbackGain", "ImageSliderReverbGain",
        "ImageSliderReverbFrequency", "ImageSliderTaps"}},
      {MakeForm<TNoiseReductionForm>, {"ImageSliderThreshold", "ImageSliderRate", "ImageSliderRMSTime"}},
      {MakeForm<TSpeedChangeForm>, {"EditSpeedAdjust"}},
      {MakeForm<TPitchChangeForm>, {"EditPitchAdjust"}},
      {MakeForm<TDynamicRangeCompressorForm>, {"ImageSliderThreshold", "ImageSliderRate"}},
      // The rate list and the channel radios are set apart.
      {MakeForm<TConvertSampleRateForm>, {}},
      {MakeForm<TMixStereoForm>,
       {"ImageSliderNewLeftChannelLeft", "ImageSliderNewLeftChannelRight", "ImageSliderNewRightChannelLeft",
        "ImageSliderNewRightChannelRight"}},
      {MakeForm<TPhaserForm>, DelayControls},
      {MakeForm<TFlangerForm>, ModulationControls},
      {MakeForm<TChorusForm>, ModulationControls},
  };
  return Dialogs[Kind];
}

TComponent* ControlOf(TForm* Dialog, const char* Name) {
  TComponent* Control = Dialog->FindComponent(Name);
  if (!Control) throw EComponentError("The dialog \"%s\" has no control %s", {Dialog->GetCaption(), Name});
  return Control;
}

void PutValues(TForm* Dialog, const std::vector<const char*>& Controls, const std::vector<int>& Values) {
  for (size_t I = 0; I < Controls.size() && I < Values.size(); ++I) {
    TComponent* Control = ControlOf(Dialog, Controls[I]);
    if (auto* Slider = dynamic_cast<TImageSlider*>(Control)) Slider->SetValue(Values[I]);
    else if (auto* Edit = dynamic_cast<TCustomEdit*>(Control)) Edit->SetText(IntToStr(Values[I]));
  }
}

// Edits that hold no whole number raise EConvertError.
std::vector<int> TakeValues(TForm* Dialog, const std::vector<const char*>& Controls) {
  std::vector<int> Values;
  for (const char* Name : Controls) {
    TComponent* Control = ControlOf(Dialog, Name);
    if (auto* Slider = dynamic_cast<TImageSlider*>(Control)) Values.push_back(Slider->GetValue());
    else Values.push_back(StrToInt(static_cast<TCustomEdit*>(Control)->GetText()));
  }
  return Values;
}

TBatchCommand* CommandOf(TListItem* Item) { return static_cast<TBatchCommand*>(Item->GetData()); }

void SetSettingsText(TListItem* Item, int Kind) {
  const std::string Text = BatchCommandSettingsText(Kind, *CommandOf(Item));
  if (Item->GetSubItems()->GetCount() == 0) Item->GetSubItems()->Add(Text);
  else Item->GetSubItems()->SetStrings(0, Text);
}

}  // namespace

void TBatchConverterForm::AddCommand(int Kind) {
  if (Kind < 0 || Kind >= bcCount) return;
  TBatchCommand* Command = NewBatchCommand(Kind);
  TListItem* Item = ListViewCommand->GetItems()->Add();
  Item->SetData(Command);
  Item->SetCaption(BatchCommandCaption(Kind));
  SetSettingsText(Item, Kind);
}

void TBatchConverterForm::ActionAddCommandExecute(TObject*) {
  TOwned<TAddCommandForm> Dialog(TAddCommandForm::Create(this));
  TCustomForm* Main = Application->GetMainForm();
  CentreOnOpener(Dialog.get(), Main ? static_cast<TControl*>(Main) : this);
  if (Dialog->ShowModal() != mrOk) return;
  AddCommand(Dialog->ListBoxCommand->GetItemIndex());
}

bool TBatchConverterForm::EditCommand(TListItem* Item) {
  const int Kind = Item ? BatchCommandKind(Item->GetCaption()) : -1;
  if (Kind < 0 || !CommandOf(Item)) return false;
  const TCommandDialog& Spec = DialogOf(Kind);
  TOwned<TForm> Dialog(Spec.Make(this));
  CentreOnOpener(Dialog.get(), this);
  if (auto* Silence = dynamic_cast<TInsertSilenceForm*>(Dialog.get()))
    Silence->EditSilenceTime->SetName("EditSilenceTime");
  if (auto* Effect = dynamic_cast<TEffectForm*>(Dialog.get()); Effect && Effect->ButtonPreview)
    Effect->ButtonPreview->SetVisible(false);
  auto* Convert = dynamic_cast<TConvertSampleRateForm*>(Dialog.get());
  const std::vector<int> Old = CommandOf(Item)->GetValues();
  if (Convert) {
    Convert->ComboBoxRate->SetItemIndex(Old[0]);
    Convert->GroupBoxSChannels->SetItemIndex(Old[1] == 1 ? 0 : 1);
  } else {
    PutValues(Dialog.get(), Spec.Controls, Old);
  }
  if (Dialog->ShowModal() != mrOk) return false;
  std::vector<int> Values;
  if (Convert)
    Values = {std::max(0, Convert->ComboBoxRate->GetItemIndex()), Convert->GroupBoxSChannels->GetItemIndex() == 0};
  else
    Values = TakeValues(Dialog.get(), Spec.Controls);
  TBatchCommand* Command = NewBatchCommand(Kind);
  Command->SetValues(Values);
  Free(CommandOf(Item));
  Item->SetData(Command);
  SetSettingsText(Item, Kind);
  return true;
}

void TBatchConverterForm::ActionCommandSettingsExecute(TObject*) {
  TListItems* Items = ListViewCommand->GetItems();
  TListItem* Focused = nullptr;
  for (int I = 0; I < Items->GetCount() && !Focused; ++I)
    if (Items->GetItem(I)->GetFocused()) Focused = Items->GetItem(I);
  EditCommand(Focused ? Focused : ListViewCommand->GetSelected());
}

void TBatchConverterForm::ListViewCommandDblClick(TObject* Sender) { ActionCommandSettingsExecute(Sender); }

void TBatchConverterForm::ActionRemoveCommandExecute(TObject*) {
  const int Lowest = DeleteSelectedItems(ListViewCommand);
  if (Lowest >= 0) FocusListItem(ListViewCommand, Lowest);
}
