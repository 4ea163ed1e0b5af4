// "Region List": the regions of every document, to select, rename, save, copy to a
// new document, delete, sort and export to audio files.
#pragma once

#include <set>

#include "app/MarkerListForm.h"

class TChildForm;
class TRegion;

class TRegionForm : public TMarkerListForm {
  SONVELT_CLASS(TRegionForm, TMarkerListForm)
public:
  explicit TRegionForm(TComponent* AOwner);
  void BeforeDestruction() override;

  TListView* ListViewRegionList = nullptr;
  TPopupMenu* PopupMenuRegion = nullptr;
  TActionList* ActionListRegion = nullptr;
  TAction* ActionSelect = nullptr;
  TAction* ActionRename = nullptr;
  TAction* ActionSave = nullptr;
  TAction* ActionCopyToNew = nullptr;
  TAction* ActionDelete = nullptr;
  TAction* ActionSelectAll = nullptr;
  TAction* ActionExport = nullptr;
  TAction* ActionHelp = nullptr;

  // Appends the entry of a new region: its name, times, file name and marker index.
  TListItem* AddRegion(TRegion* Region);
  // The region with this index in this document now spans Start to End.
  void MarkerMoved(int DocumentId, int MarkerIndex, int Start, int End, const std::string& TimeText);
  void DeleteRegionItem(TListItem* Entry) { DeleteEntry(Entry); }
  // Writes the entry's region of its document to Folder as its name with the
  // extension of Format (0 WAV, 1 MP3, 2 OGG, 3 WMA).
  void ExportRegionItem(TListItem* Entry, int Format, const std::string& Folder);

  static int RegionListCompare(TListItem* A, TListItem* B, int Column) { return CompareEntries(A, B, Column); }
  static int RegionListCompareDesc(TListItem* A, TListItem* B, int Column) { return -CompareEntries(A, B, Column); }

  void ActionSelectExecute(TObject* Sender);
  void ActionRenameExecute(TObject* Sender) { RenameFirstSelected("Enter Region Name"); }
  void ActionSaveExecute(TObject* Sender);
  void ActionCopyToNewExecute(TObject* Sender);
  void ActionDeleteExecute(TObject* Sender) { DeleteSelected("Delete the selected region(s)?"); }
  void ActionSelectAllExecute(TObject* Sender) { SelectAllEntries(); }
  void ActionExportExecute(TObject* Sender);
  void ActionHelpExecute(TObject* Sender) { ShowHelp(); }
  void ListViewRegionListDblClick(TObject* Sender) { ActionSelectExecute(Sender); }
  void ListViewRegionListColumnClick(TObject* Sender, TListColumn* Column) { ListColumnClick(Sender, Column); }

private:
  // Selects the region in its document, made active; null when it is closed.
  TChildForm* SelectRegion(TListItem* Entry, bool PlayAfter);
  // Lower-cased names written by the export under way.
  std::set<std::string> FExportedNames;
};

extern TRegionForm* RegionFormInstance;
