// The in-place sub-item: inside a menu its own links, while it is expanded, are
// shown right below it in the same menu; on a toolbar it opens a menu of its own
// as any sub-item does.
#pragma once

#include <vector>

#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarSubItems.h"

using TdxBarInPlaceSubItemEvent = TDelegate<void(TObject* Sender, TdxBarItemLink* Link)>;

class TdxBarInPlaceSubItem : public TdxBarContainerItem {
  SONVELT_CLASS(TdxBarInPlaceSubItem, TdxBarContainerItem)
public:
  explicit TdxBarInPlaceSubItem(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarInPlaceSubItem>& P);

  bool GetExpanded() const { return FExpanded; }
  // Every menu showing the item is rebuilt once, between OnBeforeCollapse and
  // OnAfterExpand for each link of the item.
  void SetExpanded(bool Value);
  bool GetKeepBeginGroupWhileExpanded() const { return FKeepBeginGroupWhileExpanded; }
  void SetKeepBeginGroupWhileExpanded(bool Value) { FKeepBeginGroupWhileExpanded = Value; }

  bool HasListData() const override { return true; }
  bool AcceptsSubItem(TdxBarItem* Item) const override;
  bool FirstBeginsGroup() const override { return false; }
  void AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink, bool CallGetData) override;
  void DeleteListItems(TdxBarItemLinks* Links, int Position) override;

  virtual void AfterExpand(TdxBarItemLink* Link);
  virtual void BeforeCollapse(TdxBarItemLink* Link);

  TdxBarInPlaceSubItemEvent OnAfterExpand;
  TdxBarInPlaceSubItemEvent OnBeforeCollapse;

private:
  // With KeepBeginGroupWhileExpanded the link after the expanded block of Link
  // begins a group while the block shows.
  void AdjustBeginGroup(TdxBarItemLink* Link, bool Value);
  void RebuildMenus();
  bool FExpanded = false;
  bool FKeepBeginGroupWhileExpanded = false;
  // The link collections the item's links were added to, once per expansion.
  std::vector<TdxBarItemLinks*> FShownIn;
};

// Inside a menu the item is a dark band with its caption and an arrow (right while
// collapsed, down while expanded); a click, Right or Left toggles it. Elsewhere it
// is a plain sub-item opening its own menu.
class TdxBarInPlaceSubItemControl : public TdxBarContainerItemControl {
  SONVELT_CLASS(TdxBarInPlaceSubItemControl, TdxBarContainerItemControl)
public:
  using TdxBarContainerItemControl::TdxBarContainerItemControl;
  TdxBarInPlaceSubItem* InPlaceItem() const;
  bool InSubMenu() const;

  void ClickControl(bool ByMouse, char Key) override;
  bool WantsKey(WORD Key) const override;
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override;
  void UpdateDrawParams(bool Full) override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  int CalcHeight() override;
  int CalcWidth() override;
  bool DblClickActsOnLinks() const override;
  bool HasInPlaceLinks() const override;
  void DblClick() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
};
