#include "app/dialogs/TextToSpeechForm.h"

#include <algorithm>

#include "app/BusyCursor.h"
#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Panel.h"
#include "framework/RangeControls.h"
#include "framework/StringLists.h"
#include "framework/StringUtils.h"

TTextToSpeechForm::TTextToSpeechForm(TComponent* AOwner) : TProgramForm(AOwner) {
  InitDialogForm(this, "Synthesize Speech", 400, 312);
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});

  GroupBoxText = AddControl<TGroupBox>(this, 8, 6, 384, 176, "&Text of Speech to Synthesize");
  MemoInputString = AddControl<TMemo>(this, GroupBoxText, 10, 18, 364, 148);
  MemoInputString->SetScrollBars(ssVertical);
  LabelVoice = AddControl<TLabel>(this, 8, 190, 200, 14, "&Voice or Speech Engine:");
  ComboBoxVoice = AddControl<TComboBox>(this, 8, 206, 384, 21);
  ComboBoxVoice->SetStyle(csDropDownList);
  ComboBoxVoice->OnChange = Bind(this, &TTextToSpeechForm::ComboBoxVoiceChange);
  LabelVoice->SetFocusControl(ComboBoxVoice);
  LabelProgress = AddControl<TLabel>(this, 8, 236, 200, 14, "&Progress:");
  ProgressBar = AddControl<TProgressBar>(this, 8, 252, 384, 16);
  ProgressBar->SetMin(0);
  ProgressBar->SetMax(100);
  ButtonSynthesize = AddControl<TButton>(this, 206, 280, 110, 25, "Synthesize Speech");
  ButtonSynthesize->SetDefault(true);
  ButtonSynthesize->OnClick = Bind(this, &TTextToSpeechForm::ButtonSynthesizeClick);
  ButtonCancel = AddControl<TButton>(this, 322, 280, 70, 25, "Cancel");
  ButtonCancel->SetCancel(true);
  ButtonCancel->OnClick = Bind(this, &TTextToSpeechForm::ButtonCancelClick);
  OnShow = Bind(this, &TTextToSpeechForm::FormShow);

  TextToAudio = SynthesiserClass.Create(this);
  TextToAudio->OnConvertBlock = Bind(this, &TTextToSpeechForm::SynthesisProgress);
  TextToAudio->OnEndConvert = Bind(this, &TTextToSpeechForm::SynthesisFinished);
  TextToAudio->OnConvertError = Bind(this, &TTextToSpeechForm::SynthesisFailed);
  const int Count = TextToAudio->GetVoiceCount();
  if (Count <= 0) {
    ShowError("No Speech Engine detected.");
    FNoVoice = true;
    return;
  }
  for (int I = 0; I < Count; ++I) {
    TextToAudio->SelectVoice(I);
    ComboBoxVoice->GetItems()->Add(TextToAudio->GetVoiceName());
  }
  TextToAudio->SelectVoice(0);
  ComboBoxVoice->SetItemIndex(0);
}

TTextToSpeechForm::~TTextToSpeechForm() {
  // However the window went, a conversion still running is stopped, so its file
  // never turns up after the caller gave up on it.
  if (TextToAudio) TextToAudio->CancelConversion();
  FreeAndNil(TextToAudio);
}

void TTextToSpeechForm::ShowError(const std::string& Text) {
  Application->MessageBox(Text, Application->GetTitle(), MB_OK | MB_ICONERROR);
}

void TTextToSpeechForm::FormShow(TObject*) {
  ApplyHintFont(this);
  if (FNoVoice) {
    SetModalResult(mrCancel);
    // The modal loop looks at the result after its next message.
    PostMessageW(GetHandle(), WM_NULL, 0, 0);
  }
}

void TTextToSpeechForm::ComboBoxVoiceChange(TObject*) { TextToAudio->SetVoiceName(ComboBoxVoice->GetText()); }

void TTextToSpeechForm::SetInputsEnabled(bool Enabled) {
  MemoInputString->SetEnabled(Enabled);
  LabelVoice->SetEnabled(Enabled);
  ComboBoxVoice->SetEnabled(Enabled);
  ButtonSynthesize->SetEnabled(Enabled);
}

void TTextToSpeechForm::ButtonSynthesizeClick(TObject*) {
  // "<" would open the voice's markup: it is left out, and a text that is
  // nothing else is no text at all.
  std::string Text = MemoInputString->GetText();
  Text.erase(std::remove(Text.begin(), Text.end(), '<'), Text.end());
  if (Trim(Text).empty()) {
    ShowError("No Text of Speech to Synthesize.");
    return;
  }
  try {
    TextToAudio->SetOutputFormat(SampleRate, Channels);
    TextToAudio->SetSpeakingRate(0);
    TextToAudio->SetSpeakingVolume(100);
    TextToAudio->SetSpeakingOption(-1);
    TBusyScope Busy;
    SetInputsEnabled(false);
    ProgressBar->SetPosition(0);
    TextToAudio->ConvertToFile(Text, OutputFileName, 16);
  } catch (const std::exception& E) {
    SynthesisFailed(TextToAudio, E.what());
  }
}

void TTextToSpeechForm::ButtonCancelClick(TObject*) {
  TextToAudio->CancelConversion();
  SetModalResult(mrCancel);
}

void TTextToSpeechForm::SynthesisProgress(TObject*, int Percent) { ProgressBar->SetPosition(Percent); }

void TTextToSpeechForm::SynthesisFinished(TObject*) {
  SetInputsEnabled(true);
  SetModalResult(mrOk);
}

void TTextToSpeechForm::SynthesisFailed(TObject*, const std::string& Message) {
  // The text and voice can be changed and tried again.
  SetInputsEnabled(true);
  ProgressBar->SetPosition(0);
  ShowError("Speech synthesis failed: " + Message);
}
