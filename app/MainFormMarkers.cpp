// Bookmarks and regions: naming new markers, their entries in the two list windows,
// and keeping the entries in step when a marker is dragged.
#include "app/BookmarkForm.h"
#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/MainForm.h"
#include "app/MarkerItems.h"
#include "app/RegionForm.h"
#include "app/dialogs/AddRegionOrBookmarkForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/OwnedObject.h"

void TMainForm::BindMarkerCommands() {
  ActionSetBookmark->OnExecute = Bind(this, &TMainForm::ActionSetBookmarkExecute);
  ActionAddRegion->OnExecute = Bind(this, &TMainForm::ActionAddRegionExecute);
  ActionOpenBookmarkList->OnExecute = Bind(this, &TMainForm::ActionOpenBookmarkListExecute);
  ActionOpenRegionList->OnExecute = Bind(this, &TMainForm::ActionOpenRegionListExecute);
}

namespace {

// Asks for a marker's name, proposing Proposal; false when cancelled.
bool AskMarkerName(TMainForm* Main, const std::string& Prompt, const std::string& Proposal, std::string& Name) {
  TOwned<TAddRegionOrBookmarkForm> Dialog(TAddRegionOrBookmarkForm::Create(Main));
  CentreOnOpener(Dialog.get(), Main);
  Dialog->SetPrompt(Prompt);
  Dialog->EditName->SetText(Proposal);
  if (Dialog->ShowModal() != mrOk) return false;
  Name = Dialog->EditName->GetText();
  return true;
}

}  // namespace

void TMainForm::ActionSetBookmarkExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int Start = E->GetSelStart();
  std::string Name;
  if (AskMarkerName(this, "Enter Bookmark Name", ExtractFileName(ActiveFileName()) + "@" + SampleTimeText(E, Start),
                    Name)) {
    IAudioEditor2Markers* Markers = E->GetMarkers();
    Markers->AddMarker(Start, 0, Name, "Bookmark", 0, 0, 0, 0, 0);
    // An index past the end makes the new, last marker current.
    Markers->SetCurrentIndex(Markers->GetCount());
    AddBookmarkListItem(Markers);
  }
  if (BookmarkFormInstance && !BookmarkFormInstance->GetVisible()) ActionOpenBookmarkListExecute(this);
}

void TMainForm::ActionAddRegionExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int Start = E->GetSelStart(), End = E->GetSelEnd();
  std::string Name;
  if (AskMarkerName(this, "Enter Region Name",
                    ExtractFileName(ActiveFileName()) + "@" + SampleTimeText(E, Start) + "-" + SampleTimeText(E, End),
                    Name)) {
    IAudioEditor2Markers* Markers = E->GetMarkers();
    Markers->AddMarker(Start, End - Start, Name, "Region", 0, 0, 0, 0, 0);
    Markers->SetCurrentIndex(Markers->GetCount());
    AddRegionListItem(Markers);
  }
  if (RegionFormInstance && !RegionFormInstance->GetVisible()) ActionOpenRegionListExecute(this);
}

void TMainForm::AddBookmarkListItem(IAudioEditor2Markers* Markers) {
  TChildForm* Doc = ActiveDocument();
  if (!BookmarkFormInstance || !Doc) return;
  TOwned<TBookmark> B(TBookmark::Create());
  B->Name = Markers->GetName();
  B->PositionSample = Markers->GetPosition();
  B->TimeText = SampleTimeText(Doc->AudioEditor, B->PositionSample);
  B->MarkerIndex = Markers->GetCurrentIndex();
  B->DocumentId = static_cast<int>(Doc->GetTag());
  BookmarkFormInstance->AddBookmark(B.get());
  B.release();
}

void TMainForm::AddRegionListItem(IAudioEditor2Markers* Markers) {
  TChildForm* Doc = ActiveDocument();
  if (!RegionFormInstance || !Doc) return;
  TOwned<TRegion> R(TRegion::Create());
  R->Name = Markers->GetName();
  R->StartSample = Markers->GetPosition();
  R->EndSample = R->StartSample + Markers->GetLength();
  R->MarkerIndex = Markers->GetCurrentIndex();
  R->FileName = ExtractFileName(Doc->FileName);
  R->DocumentId = static_cast<int>(Doc->GetTag());
  R->TimeText = SampleTimeText(Doc->AudioEditor, R->StartSample) + "-" + SampleTimeText(Doc->AudioEditor, R->EndSample);
  RegionFormInstance->AddRegion(R.get());
  R.release();
}

void TMainForm::SyncMarkerLists(TObject* Sender, int Number) {
  // The document whose marker moved is the one whose editor reports it.
  auto* E = dynamic_cast<TAudioEditor2*>(Sender);
  auto* Doc = E ? dynamic_cast<TChildForm*>(E->GetOwner()) : nullptr;
  if (!Doc) return;
  IAudioEditor2Markers* Markers = E->GetMarkers();
  Markers->SetCurrentIndex(Number);
  const int Position = Markers->GetPosition();
  if (Position < 0 || Position > E->GetLength()) return;
  const int Length = Markers->GetLength(), Index = Markers->GetCurrentIndex();
  const int Id = static_cast<int>(Doc->GetTag());
  if (Length != 0) {
    if (RegionFormInstance)
      RegionFormInstance->MarkerMoved(Id, Index, Position, Position + Length,
                                      SampleTimeText(E, Position) + "-" + SampleTimeText(E, Position + Length));
  } else if (BookmarkFormInstance) {
    BookmarkFormInstance->MarkerMoved(Id, Index, Position, SampleTimeText(E, Position));
  }
}

void TMainForm::ActionOpenBookmarkListExecute(TObject*) {
  if (BookmarkFormInstance) BookmarkFormInstance->ShowAtStoredBounds();
}

void TMainForm::ActionOpenRegionListExecute(TObject*) {
  if (RegionFormInstance) RegionFormInstance->ShowAtStoredBounds();
}
