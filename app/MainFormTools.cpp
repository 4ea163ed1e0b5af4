// Tool and document-format commands: the selection by time, sample-rate
// conversion, the tags, the options and the batch converter.
#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/MainForm.h"
#include "app/OptionsForm.h"
#include "app/SelectTimeForm.h"
#include "app/dialogs/BatchConverterForm.h"
#include "app/dialogs/ConvertSampleRateForm.h"
#include "app/dialogs/EditID3Form.h"
#include "engine/AudioTags.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/ListControls.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

void TMainForm::BindToolCommands() {
  ActionSelectSpecifiedTime->OnExecute = Bind(this, &TMainForm::ActionSelectSpecifiedTimeExecute);
  ActionConvertSampleRate->OnExecute = Bind(this, &TMainForm::ActionConvertSampleRateExecute);
  ActionEditID3->OnExecute = Bind(this, &TMainForm::ActionEditID3Execute);
  ActionOptions->OnExecute = Bind(this, &TMainForm::ActionOptionsExecute);
  ActionBatch->OnExecute = Bind(this, &TMainForm::ActionBatchExecute);
}

void TMainForm::ActionSelectSpecifiedTimeExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  TOwned<TSelectSpecifiedTimeForm> Dialog(TSelectSpecifiedTimeForm::Create(this));
  CentreOnOpener(Dialog.get(), this);
  Dialog->InitialStartMs = static_cast<int>(E->SamplesToMs(E->GetSelStart()));
  Dialog->InitialEndMs = static_cast<int>(E->SamplesToMs(E->GetSelEnd()));
  Dialog->FileLengthMs = static_cast<int>(E->SamplesToMs(E->GetLength()));
  Dialog->CursorMs = static_cast<int>(E->SamplesToMs(E->GetCursor()));
  if (Dialog->ShowModal() != mrOk) return;
  E->SetSelectionActive(true);
  E->SetSelStart(E->MsToSamples(SpecifiedSelStart));
  E->SetSelEnd(E->MsToSamples(SpecifiedSelEnd));
}

void TMainForm::ActionConvertSampleRateExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  TOwned<TConvertSampleRateForm> Dialog(TConvertSampleRateForm::Create(this));
  CentreOnOpener(Dialog.get(), this);
  Dialog->SelectRate(E->GetSampleRate());
  Dialog->SelectChannels(E->GetChannels());
  if (Dialog->ShowModal() != mrOk) return;
  const int Rate = Dialog->ChosenRate(), Channels = Dialog->ChosenChannels();
  Dialog.reset();
  E->ConvertFormat(Rate, Channels);
  SetModified(true);
}

void TMainForm::ActionEditID3Execute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  TOwned<TEditID3Form> Dialog(TEditID3Form::Create(this));
  CentreOnOpener(Dialog.get(), this);
  for (int I = 0; I < kGenreCount; ++I) Dialog->ComboBoxGenre->GetItems()->Add(E->GetGenreName(I));
  Dialog->EditTitle->SetText(E->GetTitle());
  Dialog->EditArtist->SetText(E->GetArtist());
  Dialog->EditAlbum->SetText(E->GetAlbum());
  Dialog->ComboBoxGenre->SetItemIndex(E->GetGenre());
  Dialog->EditYear->SetText(IntToStr(E->GetYear()));
  Dialog->MemoComment->SetText(E->GetComment());
  if (Dialog->ShowModal() != mrOk) return;
  // The year is read before anything is written: a year that is not a number
  // leaves every tag as it was.
  const int Year = StrToInt(Dialog->EditYear->GetText());
  E->SetTitle(Dialog->EditTitle->GetText());
  E->SetArtist(Dialog->EditArtist->GetText());
  E->SetAlbum(Dialog->EditAlbum->GetText());
  E->SetGenre(Dialog->ComboBoxGenre->GetItemIndex());
  E->SetYear(Year);
  E->SetComment(Dialog->MemoComment->GetText());
  SetModified(true);
}

void TMainForm::ActionOptionsExecute(TObject*) {
  if (!RunSettingsDialog<TOptionsForm>(this)) return;
  ApplyTempDirectory();
  UpdateExplorerVerbs();
}

void TMainForm::ActionBatchExecute(TObject*) {
  TOwned<TBatchConverterForm> Dialog(TBatchConverterForm::Create(this));
  CentreOnOpener(Dialog.get(), this);
  Dialog->ShowModal();
}
