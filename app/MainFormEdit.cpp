// Edit commands: undo and redo, the clipboard, the selection commands, mixing,
// repeating, trimming, splitting, silence and inserting files.
#include <algorithm>
#include <cmath>

#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/dialogs/InsertSilenceForm.h"
#include "app/dialogs/PasteMixForm.h"
#include "app/dialogs/RepeatLoopForm.h"
#include "engine/TAudioEditor2.h"
#include "engine/TAudioInformation2.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/OwnedObject.h"

namespace {

// One undo step for everything done while it lives, closed also when a call raises.
class TCompoundEdit {
public:
  explicit TCompoundEdit(TAudioEditor2* Editor) : FEditor(Editor) { FEditor->BeginCompoundEdit(); }
  ~TCompoundEdit() { FEditor->EndCompoundEdit(); }
  TCompoundEdit(const TCompoundEdit&) = delete;
  TCompoundEdit& operator=(const TCompoundEdit&) = delete;

private:
  TAudioEditor2* FEditor;
};

void SelectRange(TAudioEditor2* E, int Start, int End) {
  E->SetSelectionActive(true);
  E->SetSelStart(Start);
  E->SetSelEnd(End);
}

// Where the selection ends (the cursor when nothing is selected), inside the
// document. The commands that reach to a document edge start from there rather
// than from the cursor, which need not lie at the selection start.
int SelectionEnd(TAudioEditor2* E) { return std::clamp(E->GetSelEnd(), 0, E->GetLength()); }

// A document made from another keeps a standard rate and one or two channels.
int DerivedRate(int Rate) {
  static const int Standard[] = {6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 88200, 96000};
  return std::find(std::begin(Standard), std::end(Standard), Rate) != std::end(Standard) ? Rate : 44100;
}
int DerivedChannels(int Channels) { return Channels == 1 || Channels == 2 ? Channels : 2; }

// Samples counted at FromRate, as many at ToRate.
int64_t AtRate(int64_t Samples, int FromRate, int ToRate) {
  if (FromRate <= 0 || FromRate == ToRate) return Samples;
  return std::llround(static_cast<double>(Samples) * ToRate / FromRate);
}

void PlaceCursor(TAudioEditor2* E, int Where) {
  if (Where == 0) E->SetCursor(0);
  else if (Where == 2) E->SetCursor(E->GetLength());
}

}  // namespace

void TMainForm::BindEditCommands() {
  const std::pair<TAction*, void (TMainForm::*)(TObject*)> Handlers[] = {
      {ActionUndo, &TMainForm::ActionUndoExecute},
      {ActionRedo, &TMainForm::ActionRedoExecute},
      {ActionCut, &TMainForm::ActionCutExecute},
      {ActionCopy, &TMainForm::ActionCopyExecute},
      {ActionPaste, &TMainForm::ActionPasteExecute},
      {ActionDelete, &TMainForm::ActionDeleteExecute},
      {ActionSelectAll, &TMainForm::ActionSelectAllExecute},
      {ActionSelectToStart, &TMainForm::ActionSelectToStartExecute},
      {ActionSelectToEnd, &TMainForm::ActionSelectToEndExecute},
      {ActionMixFile, &TMainForm::ActionMixFileExecute},
      {ActionRepeatLoop, &TMainForm::ActionRepeatLoopExecute},
      {ActionPasteMix, &TMainForm::ActionPasteMixExecute},
      {ActionCopyToNew, &TMainForm::ActionCopyToNewExecute},
      {ActionTrim, &TMainForm::ActionTrimExecute},
      {ActionTrimStart, &TMainForm::ActionTrimStartExecute},
      {ActionTrimEnd, &TMainForm::ActionTrimEndExecute},
      {ActionSplitIntoTwo, &TMainForm::ActionSplitIntoTwoExecute},
      {ActionSilenceSelect, &TMainForm::ActionSilenceSelectExecute},
      {ActionInsertSilenceBegin, &TMainForm::ActionInsertSilenceBeginExecute},
      {ActionInsertSilenceCurrent, &TMainForm::ActionInsertSilenceCurrentExecute},
      {ActionInsertSilenceEnd, &TMainForm::ActionInsertSilenceEndExecute},
      {ActionInsertFileBegin, &TMainForm::ActionInsertFileBeginExecute},
      {ActionInsertFileCurrent, &TMainForm::ActionInsertFileCurrentExecute},
      {ActionInsertFileEnd, &TMainForm::ActionInsertFileEndExecute},
  };
  for (const auto& [Action, Handler] : Handlers) Action->OnExecute = TNotifyEvent(this, Handler);
}

void TMainForm::EditDone(bool PlayAfter) {
  SetModified(true);
  if (PlayAfter && GlobalVarsRecord->OP_PlayAfterEdit) ActionPlayExecute(this);
}

void TMainForm::TileIfAsked() {
  if (GlobalVarsRecord->OP_TileFormAfter) ActionTileHorizontalExecute(this);
}

void TMainForm::ActionUndoExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) E->Undo();
}

void TMainForm::ActionRedoExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) E->Redo();
}

void TMainForm::ActionCutExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int Length = E->GetSelEnd() - E->GetSelStart();
  E->CutSelection();
  ClipboardHasData = true;
  ClipboardLength = Length;
  ClipboardRate = E->GetSampleRate();
  EditDone(true);
}

void TMainForm::ActionCopyExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int Length = E->GetSelEnd() - E->GetSelStart();
  E->CopySelection();
  ClipboardHasData = true;
  ClipboardLength = Length;
  ClipboardRate = E->GetSampleRate();
}

void TMainForm::ActionPasteExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->PasteClipboard();
  EditDone(true);
}

void TMainForm::ActionDeleteExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->DeleteSelection();
  EditDone(true);
}

void TMainForm::ActionSelectAllExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) SelectRange(E, 0, E->GetLength());
}

void TMainForm::SelectAllIfEmpty() {
  TAudioEditor2* E = ActiveEditor();
  if (E && E->GetSelStart() == E->GetSelEnd()) SelectRange(E, 0, E->GetLength());
}

void TMainForm::ActionSelectToStartExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) SelectRange(E, 0, SelectionEnd(E));
}

void TMainForm::ActionSelectToEndExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) SelectRange(E, SelectionEnd(E), E->GetLength());
}

// --- Mixing ---

void TMainForm::ActionMixFileExecute(TObject*) {
  if (!ActiveEditor()) return;
  std::string Path;
  if (ExecuteOpenDialog(Path)) MixIntoSelection(&Path);
}

void TMainForm::ActionPasteMixExecute(TObject*) {
  if (ActiveEditor()) MixIntoSelection(nullptr);
}

void TMainForm::MixIntoSelection(const std::string* Path) {
  TAudioEditor2* E = ActiveEditor();
  TGlobalVars& G = *GlobalVarsRecord;
  const int Start = E->GetSelStart(), End = E->GetSelEnd();
  {
    TOwned<TPasteMixForm> Dialog(TPasteMixForm::Create(this));
    CentreOnOpener(Dialog.get(), this);
    if (E->GetLength() == 0) {
      G.IncreaseSelection = false;
      Dialog->RadioButtonIncreaseSelection->SetEnabled(false);
    }
    Dialog->EditSelectPart->SetText(IntToStr(G.SelectePartPercent));
    Dialog->EditAudioInBuffer->SetText(IntToStr(G.AudioInBufferPercent));
    (G.IncreaseSelection ? Dialog->RadioButtonIncreaseSelection : Dialog->RadioButtonInsertSilence)->SetChecked(true);
    if (Dialog->ShowModal() != mrOk) return;
    if (Path) G.LastOpenDir = ExtractFilePath(*Path);
    G.SelectePartPercent = StrToInt(Dialog->EditSelectPart->GetText());
    G.AudioInBufferPercent = StrToInt(Dialog->EditAudioInBuffer->GetText());
    G.IncreaseSelection = Dialog->RadioButtonIncreaseSelection->GetChecked();
  }
  // The mixed audio's length as the document counts it: the editor brings a file or
  // a clip of another rate to the document's rate before mixing.
  int64_t Length;
  if (Path) {
    AudioInfo->ReadInfo(*Path);
    Length = AtRate(AudioInfo->GetLengthSamples(), AudioInfo->GetSampleRate(), E->GetSampleRate());
  } else {
    Length = AtRate(ClipboardLength, ClipboardRate, E->GetSampleRate());
  }
  if (!G.IncreaseSelection && End - Start < Length) {
    E->SetSelectionActive(false);
    E->SetCursor(End);
    E->GetEffects()->InsertSilence(E->SamplesToMs(Length + Start - End));
    SelectRange(E, Start, static_cast<int>(Start + Length));
  }
  if (Path) E->MixFile(static_cast<float>(G.SelectePartPercent), *Path, static_cast<float>(G.AudioInBufferPercent));
  else E->PasteMix(static_cast<float>(G.SelectePartPercent), static_cast<float>(G.AudioInBufferPercent));
  EditDone(true);
}

// --- Repeating, trimming, splitting ---

void TMainForm::ActionRepeatLoopExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  int Times = 0;
  {
    TOwned<TRepeatLoopForm> Dialog(TRepeatLoopForm::Create(this));
    CentreOnOpener(Dialog.get(), this);
    if (Dialog->ShowModal() != mrOk) return;
    SelectAllIfEmpty();
    Times = StrToInt(Dialog->EditRepeatTimes->GetText());
  }
  if (Times == 0) return;
  const int Start = E->GetSelStart(), End = E->GetSelEnd(), Length = End - Start;
  const TSampleArray Samples = E->GetSamples(Length);
  {
    TCompoundEdit Edit(E);
    // Each copy goes right after the previous one, wherever an insertion leaves
    // the cursor.
    for (int I = 0; I < Times; ++I) {
      E->SetCursor(End + I * Length);
      E->InsertSamples(Samples);
    }
  }
  EditDone(true);
}

void TMainForm::ActionTrimExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int Start = E->GetSelStart(), End = E->GetSelEnd();
  if (Start == End) {
    AskUser("You must select an audio part before this operstion.", MB_OK | MB_ICONERROR);
    return;
  }
  {
    // What lies after the selection goes first, so the start keeps its place; the
    // selection itself is never copied.
    TCompoundEdit Edit(E);
    if (End < E->GetLength()) {
      SelectRange(E, End, E->GetLength());
      E->DeleteSelection();
    }
    if (Start > 0) {
      SelectRange(E, 0, Start);
      E->DeleteSelection();
    }
  }
  SetModified(true);
  TileIfAsked();
}

void TMainForm::ActionTrimStartExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  SelectRange(E, 0, SelectionEnd(E));
  E->DeleteSelection();
  SetModified(true);
  TileIfAsked();
}

void TMainForm::ActionTrimEndExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  SelectRange(E, SelectionEnd(E), E->GetLength());
  E->DeleteSelection();
  SetModified(true);
  TileIfAsked();
}

void TMainForm::ActionSplitIntoTwoExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  // The point the second part starts from, as Select To End takes it.
  const int At = SelectionEnd(E);
  if (At == 0 || At == E->GetLength()) {
    AskUser("You can not select the start or the end of the audio file when using this function.",
            MB_OK | MB_ICONERROR);
    return;
  }
  ActionSelectToEndExecute(this);
  E->CopySelection();
  E->DeleteSelection();
  SetModified(true);
  PasteIntoNewDocument(DerivedRate(E->GetSampleRate()), DerivedChannels(E->GetChannels()));
}

void TMainForm::ActionCopyToNewExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->CopySelection();
  PasteIntoNewDocument(DerivedRate(E->GetSampleRate()), DerivedChannels(E->GetChannels()));
}

void TMainForm::PasteIntoNewDocument(int Rate, int Channels) {
  TChildForm* Doc = NewUntitledDocument(Rate, Channels);
  TAudioEditor2* E = Doc->AudioEditor;
  E->SetTag(DocumentModified);
  E->PasteClipboard();
  E->SetSelectionActive(false);
  TileIfAsked();
  RefreshPositionDisplay(this);
}

// --- Silence and files ---

void TMainForm::ActionSilenceSelectExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->GetEffects()->SilenceSelection();
  SetModified(true);
}

void TMainForm::InsertSilenceAt(int Where) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  TGlobalVars& G = *GlobalVarsRecord;
  {
    TOwned<TInsertSilenceForm> Dialog(TInsertSilenceForm::Create(this));
    CentreOnOpener(Dialog.get(), this);
    Dialog->EditSilenceTime->SetText(IntToStr(G.InsertSilenceTime));
    if (Dialog->ShowModal() != mrOk) return;
    G.InsertSilenceTime = StrToInt(Dialog->EditSilenceTime->GetText());
  }
  if (G.InsertSilenceTime == 0) return;
  E->SetSelectionActive(false);
  PlaceCursor(E, Where);
  E->GetEffects()->InsertSilence(G.InsertSilenceTime);
  EditDone(true);
}

void TMainForm::InsertFileAt(int Where) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  std::string Path;
  if (!ExecuteOpenDialog(Path)) return;
  E->SetSelectionActive(false);
  PlaceCursor(E, Where);
  E->InsertFile(Path);
  GlobalVarsRecord->LastOpenDir = ExtractFilePath(Path);
  EditDone(true);
}
