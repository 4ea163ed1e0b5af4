// "Bookmark List": the bookmarks of every document, to go to, select between,
// rename, delete and sort.
#pragma once

#include "app/MarkerListForm.h"

class TBookmark;

class TBookmarkForm : public TMarkerListForm {
  SONVELT_CLASS(TBookmarkForm, TMarkerListForm)
public:
  explicit TBookmarkForm(TComponent* AOwner);
  void BeforeDestruction() override;

  TListView* ListViewBookmarkList = nullptr;
  TPopupMenu* PopupMenuBookmark = nullptr;
  TActionList* ActionListBookList = nullptr;
  TAction* ActionGotoBookmark = nullptr;
  TAction* ActionSelectToBookmark = nullptr;
  TAction* ActionRename = nullptr;
  TAction* ActionDelete = nullptr;
  TAction* ActionSelectAll = nullptr;
  TAction* ActionHelp = nullptr;

  // Appends the entry of a new bookmark: its name, time and marker index.
  TListItem* AddBookmark(TBookmark* Bookmark);
  // The bookmark with this index in this document moved to Position.
  void MarkerMoved(int DocumentId, int MarkerIndex, int Position, const std::string& TimeText);
  void DeleteBookmarkItem(TListItem* Entry) { DeleteEntry(Entry); }

  static int BookmarkListCompare(TListItem* A, TListItem* B, int Column) { return CompareEntries(A, B, Column); }
  static int BookmarkListCompareDesc(TListItem* A, TListItem* B, int Column) {
    return -CompareEntries(A, B, Column);
  }

  void ActionGotoBookmarkExecute(TObject* Sender);
  void ActionSelectToBookmarkExecute(TObject* Sender);
  void ActionRenameExecute(TObject* Sender) { RenameFirstSelected("Enter Bookmark Name"); }
  void ActionDeleteExecute(TObject* Sender) { DeleteSelected("Delete the selected bookmark(s)?"); }
  void ActionSelectAllExecute(TObject* Sender) { SelectAllEntries(); }
  void ActionHelpExecute(TObject* Sender) { ShowHelp(); }
  void ListViewBookmarkListDblClick(TObject* Sender) { ActionGotoBookmarkExecute(Sender); }
  void ListViewBookmarkListColumnClick(TObject* Sender, TListColumn* Column) { ListColumnClick(Sender, Column); }
};

extern TBookmarkForm* BookmarkFormInstance;
