// Text to speech: the speech window's file inserted into the active document,
// or into a new one.
#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/NewFileForm.h"
#include "app/dialogs/TextToSpeechForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/FileUtils.h"
#include "framework/OwnedObject.h"

namespace {

// The rates a document may give a recording or speech file as they are.
bool IsCaptureRate(int Rate) {
  for (int R : {6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 88200, 96000})
    if (R == Rate) return true;
  return false;
}

}  // namespace

void TMainForm::BindSpeechCommands() {
  ActionTextToSpeech->OnExecute = Bind(this, &TMainForm::ActionTextToSpeechExecute);
}

bool TMainForm::CaptureFormat(int& Rate, int& Channels) {
  if (TAudioEditor2* E = ActiveEditor()) {
    Rate = IsCaptureRate(E->GetSampleRate()) ? E->GetSampleRate() : 44100;
    Channels = E->GetChannels() == 1 || E->GetChannels() == 2 ? E->GetChannels() : 2;
    return true;
  }
  const TGlobalVars& G = *GlobalVarsRecord;
  Rate = G.OP_DefSample;
  Channels = G.OP_DefChannel;
  if (!G.OP_PromptNewFile) return true;
  // The dialog's own design values, not the New File command's stored choice.
  TOwned<TNewFileForm> Dialog(TNewFileForm::Create(this));
  CentreOnOpener(Dialog.get(), this);
  if (Dialog->ShowModal() != mrOk) return false;
  Rate = Dialog->SampleRate();
  Channels = Dialog->Channels();
  return true;
}

void TMainForm::ActionTextToSpeechExecute(TObject*) {
  int Rate = 0, Channels = 0;
  if (!CaptureFormat(Rate, Channels)) return;
  // The temporary folder, not the program's: users often may not write there.
  const std::string Folder = IncludeBackslash(GlobalVarsRecord->TempFolder);
  if (!ForceDirectories(Folder)) {
    AskUser("The folder " + Folder + " cannot be created.", MB_OK | MB_ICONERROR);
    return;
  }
  const std::string Path = Folder + "SynthesizeSpeech.wav";
  DeleteFile(Path);
  bool Ok = false;
  {
    TOwned<TTextToSpeechForm> Dialog(TTextToSpeechForm::Create(this));
    CentreOnOpener(Dialog.get(), this);
    Dialog->SampleRate = Rate;
    Dialog->Channels = Channels;
    Dialog->OutputFileName = Path;
    Ok = Dialog->ShowModal() == mrOk;
  }
  if (!Ok) {
    DeleteFile(Path);
    return;
  }
  // The file stays after it was inserted; the next use replaces it.
  if (TAudioEditor2* E = ActiveEditor()) {
    E->InsertFile(Path);
    SetModified(true);
    return;
  }
  TAudioEditor2* E = NewUntitledDocument(Rate, Channels)->AudioEditor;
  SetModified(true);
  E->InsertFile(Path);
  SetModified(true);
  TileIfAsked();
}
