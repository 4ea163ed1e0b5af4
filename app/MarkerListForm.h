// What the bookmark and region lists share: a tool window that stays on top, a
// report list whose entries own their TBookmark or TRegion, renaming, deleting with
// the marker, selecting all, sorting by a column, and keeping its bounds on close.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/ProgramForm.h"

struct TGlobalVars;
class TAction;
class TActionList;
class TBasicAction;
class TChildForm;
class TListColumn;
class TListItem;
class TListView;
class TMarkerItem;
class TPopupMenu;

class TMarkerListForm : public TProgramForm {
  SONVELT_CLASS(TMarkerListForm, TProgramForm)
public:
  explicit TMarkerListForm(TComponent* AOwner);
  void BeforeDestruction() override;

  // The column the list is sorted by ascending; -1 after a descending sort.
  int SortColumn = 0;

  TListView* GetList() const { return FList; }
  // Appends an entry showing Data's name and the sub-items; the entry owns Data.
  TListItem* AddEntry(TMarkerItem* Data, const std::vector<std::string>& SubItems);
  static TMarkerItem* EntryData(TListItem* Entry);
  // The editor closed the gap of a deleted marker: entries of that document above
  // Index move down by one.
  void MarkerDeleted(int DocumentId, int Index);
  // Shows the window at the bounds kept in the settings.
  void ShowAtStoredBounds();

  // The open document with this id, first in the main window's child order.
  static TChildForm* FindDocument(int DocumentId);
  // Makes the document the active one and gives the main window the focus.
  static void ActivateDocument(TChildForm* Doc);
  // Column 0 compares captions, column c the sub-item c - 1; ASCII letters without
  // regard to case, empty texts after all others, a negative column gives 0.
  static int CompareEntries(TListItem* A, TListItem* B, int Column);

  void FormClose(TObject* Sender, TCloseAction& Action);
  void ListColumnClick(TObject* Sender, TListColumn* Column);

protected:
  struct TStoredBounds {
    int32_t TGlobalVars::*Left;
    int32_t TGlobalVars::*Top;
    int32_t TGlobalVars::*Width;
    int32_t TGlobalVars::*Height;
  };
  void BuildWindow(const std::string& Caption, const std::vector<std::pair<std::string, int>>& Columns,
                   TStoredBounds Bounds);
  TAction* AddAction(const std::string& Name, const std::string& Caption, const std::string& Keys,
                     TNotifyEvent Execute);
  // The popup menu: the actions in order, null for a separator.
  void BuildPopup(const std::vector<TAction*>& Items);
  // Actions that act on entries are enabled with a selection, Select All with
  // any entry.
  void SetEnablingRules(std::vector<TAction*> EntryActions, TAction* SelectAll);

  // The commands both lists have.
  void RenameFirstSelected(const std::string& Prompt);
  void DeleteSelected(const std::string& Question);
  // Deletes the entry, and its marker when its document is open.
  void DeleteEntry(TListItem* Entry);
  virtual void DeleteItem(TListItem* Entry) { DeleteEntry(Entry); }
  void SelectAllEntries();
  void SortBy(int Column);
  void ShowHelp();

  TListView* FList = nullptr;
  TActionList* FActionList = nullptr;
  TPopupMenu* FPopup = nullptr;

private:
  void ListUpdate(TBasicAction* Action, bool& Handled);
  void FormShortCut(WORD Key, LPARAM KeyData, bool& Handled);
  TStoredBounds FBounds{};
  std::vector<TAction*> FEntryActions;
  TAction* FSelectAll = nullptr;
};
