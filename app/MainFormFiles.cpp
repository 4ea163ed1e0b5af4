// File commands: new, open (dialog, drop, command line, recent files), close, and
// the save road with its format dialogs.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "app/BusyCursor.h"
#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/Drives.h"
#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/NewFileForm.h"
#include "app/OutputFormatSettings.h"
#include "app/ValueTables.h"
#include "app/dialogs/LoadCDForm.h"
#include "app/dialogs/Mp3FormatForm.h"
#include "app/dialogs/OGGFormatForm.h"
#include "app/dialogs/WMAFormatForm.h"
#include "app/dialogs/WaveFormatForm.h"
#include "engine/AudioLameEnc.h"
#include "engine/AudioTransform2.h"
#include "engine/TAudioEditor2.h"
#include "engine/TAudioInformation2.h"
#include "engine/TAudioPlayer2.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/FileUtils.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/bars/BarMRUListItem.h"

namespace {

const char* const SaveFilter =
    "Wave (*.wav)|*.wav|MPEG Layer-3  (*.mp3)|*.mp3|OGG Vorbis (*.ogg)|*.ogg|Windows Media Audio (*.wma)|*.wma";

// The format a file name asks for; false for any other extension.
bool SaveFormatOf(const std::string& FileName, TSaveFormat& Format) {
  const std::string Ext = AnsiLowerCase(ExtractFileExt(FileName));
  if (Ext == ".wav") Format = TSaveFormat::Wav;
  else if (Ext == ".mp3") Format = TSaveFormat::Mp3;
  else if (Ext == ".ogg") Format = TSaveFormat::Ogg;
  else if (Ext == ".wma") Format = TSaveFormat::Wma;
  else return false;
  return true;
}

}  // namespace

void TMainForm::CreateServers() {
  LameEnc = TAudioEditor2LameEnc::Create(this);
  // The preview and analysis servers open their devices only when first used.
  AudioInfo = TAudioInformation2::Create(this);
  AudioPlayer = TAudioPlayer2::Create(this);
  AudioPlayer->OnEndPlay = Bind(this, &TMainForm::AudioPlayerEndPlay);
  AudioTransform = TAudioTransform2::Create(this);
  AudioTransform->OnTransformBlock = Bind(this, &TMainForm::AudioTransformTransformBlock);
  AudioTransform->OnEndTransform = Bind(this, &TMainForm::AudioTransformEndTransform);
  OpenDialog = TOpenDialog::Create(this);
  OpenDialog->SetFilter(AudioFilesFilter());
  OpenDialog->SetOptions({ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing});
  SaveDialog = TSaveDialog::Create(this);
  SaveDialog->SetFilter(SaveFilter);
  SaveDialog->SetDefaultExt("wav");
  SaveDialog->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing});
}

// --- The user's answers ---

bool TMainForm::ExecuteOpenDialog(std::string& FileName) {
  OpenDialog->SetFileName("");
  OpenDialog->SetInitialDir(GlobalVarsRecord->LastOpenDir);
  if (!OpenDialog->Execute()) return false;
  FileName = OpenDialog->GetFileName();
  return true;
}

bool TMainForm::ExecuteSaveDialog(std::string& FileName) {
  SaveDialog->SetFileName(FileName);
  if (!SaveDialog->Execute()) return false;
  FileName = SaveDialog->GetFileName();
  return true;
}

bool TMainForm::RunFormatDialog(TSaveFormat Format) {
  switch (Format) {
    case TSaveFormat::Wav: return RunSettingsDialog<TWaveFormatForm>(this);
    case TSaveFormat::Mp3: return RunSettingsDialog<TMp3FormatForm>(this);
    case TSaveFormat::Ogg: return RunSettingsDialog<TOGGFormatForm>(this);
    case TSaveFormat::Wma: return RunSettingsDialog<TWMAFormatForm>(this);
  }
  return false;
}

bool TMainForm::RunLoadCDDialog(std::string& TrackPath) {
  TLoadCDForm* Dialog = TLoadCDForm::Create(this);
  bool Ok = false;
  try {
    CentreOnOpener(Dialog, this);
    Ok = Dialog->ShowModal() == mrOk;
    if (Ok) TrackPath = Dialog->ChosenTrackPath();
  } catch (...) {
    Free(Dialog);
    throw;
  }
  Free(Dialog);
  return Ok && !TrackPath.empty();
}

bool TMainForm::RunNewFileDialog(int& Rate, int& Channels) {
  if (!RunSettingsDialog<TNewFileForm>(this)) return false;
  const TGlobalVars& G = *GlobalVarsRecord;
  Rate = NewFileSampleRateFromIndex(G.DefNewFileSampleRate);
  Channels = G.DefNewFileChannels == 1 ? 1 : 2;
  return Rate > 0;
}

// --- Opening ---

TChildForm* TMainForm::OpenIntoNewDocument(const std::string& Path, bool Untitled) {
  TChildForm* Doc = NewDocumentWindow();
  // The new window's number names an untitled document.
  Doc->SetDocumentFileName(Untitled ? "Untitled" + std::to_string(DocumentCounter) : Path);
  Doc->Untitled = Untitled;
  try {
    Doc->AudioEditor->OpenAudioFile(Path, 0);
  } catch (...) {
    // The window stays, empty: closing it has nothing to save.
    Doc->AudioEditor->SetTag(DocumentSaved);
    throw;
  }
  ApplyTempDirectoryTo(Doc->AudioEditor);
  return Doc;
}

TChildForm* TMainForm::OpenDocument(const std::string& Path, bool PlayAfter) {
  TGlobalVars& G = *GlobalVarsRecord;
  TChildForm* Doc = OpenIntoNewDocument(Path, false);
  G.LastOpenDir = ExtractFilePath(Path);
  Doc->AudioEditor->SetTag(DocumentSaved);
  AddRecentFile(Path);
  if (G.OP_TileFormAfter) ActionTileHorizontalExecute(this);
  if (PlayAfter && G.OP_PlayAfterOpened) ActionPlayExecute(this);
  RefreshPositionDisplay(this);
  return Doc;
}

void TMainForm::ActionOpenFileExecute(TObject*) {
  std::string Path;
  if (ExecuteOpenDialog(Path)) OpenDocument(Path);
}

void TMainForm::WMDropFiles(HDROP Drop) {
  std::string Path;
  const UINT Count = DragQueryFileW(Drop, 0xFFFFFFFF, nullptr, 0);
  if (Count == 1) {
    const UINT Length = DragQueryFileW(Drop, 0, nullptr, 0);
    std::wstring Name(Length + 1, L'\0');
    DragQueryFileW(Drop, 0, Name.data(), Length + 1);
    Name.resize(Length);
    Path = WideToUtf8(Name);
  }
  DragFinish(Drop);
  if (Path.empty() || DirectoryExists(Path) || !FileExists(Path) || !IsSupportedAudioExt(ExtractFileExt(Path)))
    return;
  TBusyScope Busy;
  OpenDocument(Path);
}

void TMainForm::RecentFileClick(const std::string& Path) {
  if (!FileExists(Path)) {
    dxBarMRUFiles->RemoveEntry(Path);
    AskUser(Path + " was not found.", MB_OK | MB_ICONERROR);
    return;
  }
  // The opened file stays at the top of the list.
  OpenDocument(Path, false);
}

void TMainForm::ActionLoadCDExecute(TObject*) {
  TBusyScope Busy;
  if (CDDriveCount() == 0) {
    AskUser("No CD-ROM drivres have been detected. If you do have a CD-ROM drive installed but see this message "
            "please read the Help topic relating to Loading CD Tracks.",
            MB_OK | MB_ICONERROR);
    return;
  }
  std::string Path;
  if (!RunLoadCDDialog(Path)) return;
  if (!FileExists(Path)) {
    AskUser(Path + " was not found.", MB_OK | MB_ICONERROR);
    return;
  }
  OpenCDTrack(Path);
}

TChildForm* TMainForm::OpenCDTrack(const std::string& Path) {
  const TGlobalVars& G = *GlobalVarsRecord;
  TChildForm* Doc = OpenIntoNewDocument(Path, true);
  // The track exists only on the disc: the document is unsaved from the start.
  Doc->AudioEditor->SetTag(DocumentModified);
  if (G.OP_TileFormAfter) ActionTileHorizontalExecute(this);
  RefreshPositionDisplay(this);
  return Doc;
}

void TMainForm::ActionNewFileExecute(TObject*) {
  TGlobalVars& G = *GlobalVarsRecord;
  int Rate = G.OP_DefSample, Channels = G.OP_DefChannel;
  if (G.OP_PromptNewFile && !RunNewFileDialog(Rate, Channels)) return;
  TChildForm* Doc = NewUntitledDocument(Rate, Channels);
  Doc->AudioEditor->SetTag(DocumentSaved);
  if (G.OP_TileFormAfter) ActionTileHorizontalExecute(this);
  RefreshPositionDisplay(this);
}

void TMainForm::ActionCloseFileExecute(TObject*) {
  if (TChildForm* Doc = ActiveDocument()) Doc->Close();
}

// --- Saving ---

void TMainForm::ActionSaveFileExecute(TObject*) { SaveDocument(false, false); }
void TMainForm::ActionSaveAsExecute(TObject*) { SaveDocument(true, false); }
void TMainForm::ActionSaveSelectExecute(TObject*) { SaveDocument(true, true); }

bool TMainForm::SaveDocument(bool SaveAs, bool SelectionOnly) {
  return SaveDocumentOf(ActiveDocument(), SaveAs, SelectionOnly);
}

bool TMainForm::QueryCloseDocument(TChildForm* Doc) {
  const int Answer = AskUser("Do you want to save the changes you made to \"" + Doc->GetCaption() + "\"?",
                             MB_YESNOCANCEL | MB_ICONQUESTION);
  if (Answer == IDNO) return true;
  if (Answer != IDYES) return false;
  return SaveDocumentOf(Doc, false, false);
}

bool TMainForm::SaveDocumentOf(TChildForm* Doc, bool SaveAs, bool SelectionOnly) {
  if (!Doc) return false;
  TSaveFormat Format{};
  std::string Name = Doc->FileName;
  // A document without a file of its own, or in a format we do not write, is named
  // first, as Save As does.
  if (SaveAs || Name.empty() || Doc->Untitled || !SaveFormatOf(Name, Format)) {
    Name = StripFileExt(Name);
    if (!ExecuteSaveDialog(Name)) return false;
  }
  // The document keeps its name and the list stays as it was until a file is written.
  if (!SaveFormatOf(Name, Format) || !RunFormatDialog(Format)) return false;
  TAudioEditor2* E = Doc->AudioEditor;
  ApplyOutputFormatTo(E, Format);
  E->SaveAudioFile(Name, SelectionOnly, static_cast<int>(Format));
  if (!SelectionOnly) {
    // Only a whole-document save makes the document that file.
    Doc->SetDocumentFileName(Name);
    Doc->Untitled = false;
    E->SetTag(DocumentSaved);
  }
  AddRecentFile(Name);
  return true;
}

void TMainForm::ApplyTempDirectory() {
  if (TAudioEditor2* E = ActiveEditor()) ApplyTempDirectoryTo(E);
}

void TMainForm::ApplyTempDirectoryTo(TAudioEditor2* Editor) {
  const TGlobalVars& G = *GlobalVarsRecord;
  Editor->SetTempDirectory(G.OP_UseDefFolder ? G.UserDataFolder : G.OP_WorkingFolder);
}

TChildForm* TMainForm::NewUntitledDocument(int Rate, int Channels) {
  TChildForm* Doc = NewDocumentWindow();
  Doc->SetDocumentFileName("Untitled" + std::to_string(DocumentCounter));
  Doc->Untitled = true;
  Doc->AudioEditor->NewAudioFile(Rate, Channels);
  ApplyTempDirectoryTo(Doc->AudioEditor);
  return Doc;
}

void TMainForm::ApplyWavOutputFormat() { ApplyOutputFormatTo(ActiveEditor(), TSaveFormat::Wav); }
void TMainForm::ApplyMp3OutputFormat() { ApplyOutputFormatTo(ActiveEditor(), TSaveFormat::Mp3); }
void TMainForm::ApplyOggOutputFormat() { ApplyOutputFormatTo(ActiveEditor(), TSaveFormat::Ogg); }
void TMainForm::ApplyWmaOutputFormat() { ApplyOutputFormatTo(ActiveEditor(), TSaveFormat::Wma); }

void TMainForm::ApplyOutputFormatTo(TAudioEditor2* Editor, TSaveFormat Format) {
  if (!Editor) return;
  const TOutputFormatKind Kind = Format == TSaveFormat::Mp3   ? TOutputFormatKind::Mp3
                                 : Format == TSaveFormat::Ogg ? TOutputFormatKind::Ogg
                                 : Format == TSaveFormat::Wma ? TOutputFormatKind::Wma
                                                              : TOutputFormatKind::Wav;
  ApplyOutputFormatSettings(*Editor->GetFileFormat(), *LameEnc, Kind);
}
