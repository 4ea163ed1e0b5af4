#include "app/BookmarkForm.h"

#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/MarkerItems.h"
#include "app/dialogs/SelectToBookmarkForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

TBookmarkForm* BookmarkFormInstance = nullptr;

TBookmarkForm::TBookmarkForm(TComponent* AOwner) : TMarkerListForm(AOwner) {
  SetName("BookmarkForm");
  BuildWindow("Bookmark List", {{"Name", 260}, {"Time", 200}},
              {&TGlobalVars::BookmarkFormLeft, &TGlobalVars::BookmarkFormTop, &TGlobalVars::BookmarkFormWidth,
               &TGlobalVars::BookmarkFormHeight});
  ListViewBookmarkList = FList;
  PopupMenuBookmark = FPopup;
  ActionListBookList = FActionList;
  ActionGotoBookmark = AddAction("ActionGotoBookmark", "&Goto Bookmark", "",
                                 Bind(this, &TBookmarkForm::ActionGotoBookmarkExecute));
  ActionSelectToBookmark = AddAction("ActionSelectToBookmark", "Select To Bookmark", "",
                                     Bind(this, &TBookmarkForm::ActionSelectToBookmarkExecute));
  ActionRename = AddAction("ActionRename", "&Rename", "F2", Bind(this, &TBookmarkForm::ActionRenameExecute));
  ActionDelete = AddAction("ActionDelete", "&Delete", "Del", Bind(this, &TBookmarkForm::ActionDeleteExecute));
  ActionSelectAll =
      AddAction("ActionSelectAll", "Select All", "Ctrl+A", Bind(this, &TBookmarkForm::ActionSelectAllExecute));
  ActionHelp = AddAction("ActionHelp", "Help", "F1", Bind(this, &TBookmarkForm::ActionHelpExecute));
  BuildPopup({ActionGotoBookmark, ActionSelectToBookmark, nullptr, ActionRename, ActionDelete, ActionSelectAll,
              nullptr, ActionHelp});
  SetEnablingRules({ActionGotoBookmark, ActionSelectToBookmark, ActionRename, ActionDelete}, ActionSelectAll);
  ListViewBookmarkList->OnDblClick = Bind(this, &TBookmarkForm::ListViewBookmarkListDblClick);
  ListViewBookmarkList->OnColumnClick = Bind(this, &TBookmarkForm::ListViewBookmarkListColumnClick);
}

void TBookmarkForm::BeforeDestruction() {
  if (BookmarkFormInstance == this) BookmarkFormInstance = nullptr;
  TMarkerListForm::BeforeDestruction();
}

TListItem* TBookmarkForm::AddBookmark(TBookmark* Bookmark) {
  return AddEntry(Bookmark, {Bookmark->TimeText, std::to_string(Bookmark->MarkerIndex)});
}

void TBookmarkForm::MarkerMoved(int DocumentId, int MarkerIndex, int Position, const std::string& TimeText) {
  for (int I = 0; I < FList->GetItems()->GetCount(); ++I) {
    TListItem* Entry = FList->GetItems()->GetItem(I);
    auto* B = static_cast<TBookmark*>(EntryData(Entry));
    if (B->MarkerIndex != MarkerIndex || B->DocumentId != DocumentId) continue;
    B->PositionSample = Position;
    B->TimeText = TimeText;
    Entry->GetSubItems()->SetStrings(0, TimeText);
  }
}

void TBookmarkForm::ActionGotoBookmarkExecute(TObject*) {
  TListItem* Entry = FList->GetSelected();
  if (!Entry) return;
  auto* B = static_cast<TBookmark*>(EntryData(Entry));
  TChildForm* Doc = FindDocument(B->DocumentId);
  if (!Doc) return;
  ActivateDocument(Doc);
  TAudioEditor2* E = Doc->AudioEditor;
  E->GetMarkers()->SetCurrentIndex(B->MarkerIndex);
  E->SetSelectionActive(false);
  E->SetCursor(E->GetMarkers()->GetPosition());
  if (GlobalVarsRecord->OP_PlayAfterBookmark && MainFormInstance) MainFormInstance->ActionPlayExecute(this);
}

void TBookmarkForm::ActionSelectToBookmarkExecute(TObject*) {
  TListItem* Entry = FList->GetSelected();
  if (!Entry) return;
  auto* From = static_cast<TBookmark*>(EntryData(Entry));
  TOwned<TSelectToBookmarkForm> Dialog(TSelectToBookmarkForm::Create(this));
  CentreOnOpener(Dialog.get(), MainFormInstance);
  for (int I = 0; I < FList->GetItems()->GetCount(); ++I) {
    TListItem* Other = FList->GetItems()->GetItem(I);
    TMarkerItem* Data = EntryData(Other);
    if (Other != Entry && Data->DocumentId == From->DocumentId)
      Dialog->ComboBoxBookmark->GetItems()->AddObject(Data->Name, Data);
  }
  Dialog->ComboBoxBookmark->SetItemIndex(Dialog->ComboBoxBookmark->GetItems()->GetCount() > 0 ? 0 : -1);
  if (Dialog->ShowModal() != mrOk) return;
  const int Chosen = Dialog->ComboBoxBookmark->GetItemIndex();
  if (Chosen < 0) return;
  auto* To = static_cast<TBookmark*>(Dialog->ComboBoxBookmark->GetItems()->GetObjects(Chosen));
  TChildForm* Doc = FindDocument(To->DocumentId);
  if (!Doc) return;
  ActivateDocument(Doc);
  TAudioEditor2* E = Doc->AudioEditor;
  IAudioEditor2Markers* Markers = E->GetMarkers();
  Markers->SetCurrentIndex(From->MarkerIndex);
  const int A = Markers->GetPosition();
  Markers->SetCurrentIndex(To->MarkerIndex);
  const int C = Markers->GetPosition();
  E->SetSelectionActive(false);
  E->SetCursor(A);
  E->SetSelectionActive(true);
  E->SetSelStart(std::min(A, C));
  E->SetSelEnd(std::max(A, C));
}
