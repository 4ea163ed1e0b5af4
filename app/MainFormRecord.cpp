// Record: the recording window's file inserted into the active document at its
// cursor, or into a new one.
#include <algorithm>

#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/dialogs/RecordControlForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/FileUtils.h"
#include "framework/OwnedObject.h"

void TMainForm::BindRecordCommand() { ActionRecord->OnExecute = TNotifyEvent(this, &TMainForm::ActionRecordExecute); }

void TMainForm::ActionRecordExecute(TObject*) {
  int Rate = 0, Channels = 0;
  if (!CaptureFormat(Rate, Channels)) return;
  Rate = std::min(Rate, 48000);
  TGlobalVars& G = *GlobalVarsRecord;
  const std::string Folder = IncludeBackslash(G.TempFolder);
  if (!ForceDirectories(Folder)) {
    AskUser("The folder " + Folder + " cannot be created.", MB_OK | MB_ICONERROR);
    return;
  }
  G.RecordingFileName = Folder + "Recording.wav";
  DeleteFile(G.RecordingFileName);
  bool Keep = false;
  {
    TOwned<TRecordControlForm> Window(TRecordControlForm::Create(this));
    CentreOnOpener(Window.get(), this);
    Window->RecordSampleRate = Rate;
    Window->RecordChannels = Channels;
    Keep = Window->ShowModal() == mrOk;
  }
  if (!Keep) {
    DeleteFile(G.RecordingFileName);
    return;
  }
  // The file stays after it was inserted; the next recording replaces it.
  if (TAudioEditor2* E = ActiveEditor()) {
    E->InsertFile(G.RecordingFileName);
    SetModified(true);
    return;
  }
  TAudioEditor2* E = NewUntitledDocument(Rate, Channels)->AudioEditor;
  SetModified(true);
  E->InsertFile(G.RecordingFileName);
  SetModified(true);
  TileIfAsked();
}
