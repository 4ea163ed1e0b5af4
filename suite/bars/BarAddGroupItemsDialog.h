// The add-group-items dialog of the customization tools: the manager's other
// groups and its shown items by category, from which the user picks new members
// of a group. Its layout is form text of our own.
#pragma once

#include <vector>

#include "framework/ListControls.h"
#include "suite/bars/BarDialogControls.h"

class TdxBarComponent;
class TdxBarGroup;

// The dialog's list: headers (an entry without object, its text after a "~") on
// the button face, groups and items indented, an item's name right of a divider
// in its middle, present members greyed.
class TdxBarAddGroupItemsList : public TListBox {
  SONVELT_CLASS(TdxBarAddGroupItemsList, TListBox)
public:
  explicit TdxBarAddGroupItemsList(TComponent* AOwner) : TListBox(AOwner) {}
  static void Publish(TPublisher<TdxBarAddGroupItemsList>& P);
  void SetGroup(TdxBarGroup* Value) { FGroup = Value; }
  // The height of every entry: "Qq" in the list's font, + 2.
  int EntryHeight();
  // Every entry takes that height.
  void Remeasure();
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  void DrawEntry(const DRAWITEMSTRUCT& Item);
  void FillBelowEntries(HDC DC);
  TdxBarGroup* FGroup = nullptr;
};

class TfrmAddGroupItems : public TdxBarDialogForm {
  SONVELT_CLASS(TfrmAddGroupItems, TdxBarDialogForm)
public:
  explicit TfrmAddGroupItems(TdxBarGroup* Group);
  TdxBarAddGroupItemsList* GetList() const { return FList; }
  TButton* GetOkButton() const { return FOk; }
  TButton* GetCancelButton() const { return FCancel; }
  // The objects of the selected entries in list order (null for a header).
  void SelectedObjects(std::vector<TdxBarComponent*>& List);

private:
  void Fill(TdxBarGroup* Group);
  TdxBarAddGroupItemsList* FList = nullptr;
  TButton* FOk = nullptr;
  TButton* FCancel = nullptr;
};

// Runs the dialog for Group; with OK, true and the chosen objects appended to List.
bool ShowAddGroupItemsDialog(TdxBarGroup* Group, std::vector<TdxBarComponent*>& List);
