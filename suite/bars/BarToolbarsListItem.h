// The toolbars list item: a sub-item whose menu lists the manager's toolbars as
// check buttons (down while the toolbar shows), built afresh each time it opens.
#pragma once

#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarSubItems.h"

class TdxBarToolbarsListItem : public TCustomdxBarSubItem {
  SONVELT_CLASS(TdxBarToolbarsListItem, TCustomdxBarSubItem)
public:
  explicit TdxBarToolbarsListItem(TComponent* AOwner);
  bool AcceptsSubItem(TdxBarItem* Item) const override;
  // Fills the item's links with the toolbar entries.
  void BuildToolbarsList();

private:
  void ToolbarEntryClick(TObject* Sender);
};

class TdxBarToolbarsListItemControl : public TdxBarSubItemControl {
  SONVELT_CLASS(TdxBarToolbarsListItemControl, TdxBarSubItemControl)
public:
  using TdxBarSubItemControl::TdxBarSubItemControl;
  // Nothing while the manager is customizing or designing.
  TdxBarSubMenuControl* SubMenuWindow() override;
};
