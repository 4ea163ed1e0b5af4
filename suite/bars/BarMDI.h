// The system-menu item of a maximized MDI child: while a child is maximized the
// frame's main menu shows the child's icon at its left end, and its menu is built
// from the child window's real system menu each time it opens.
#pragma once

#include <windows.h>

#include "suite/bars/BarItems.h"
#include "suite/bars/BarSubItemControls.h"

class TSystemMenuSubItem : public TCustomdxBarSubItem {
  SONVELT_CLASS(TSystemMenuSubItem, TCustomdxBarSubItem)
public:
  using TCustomdxBarSubItem::TCustomdxBarSubItem;

  HWND GetChildWnd() const { return FChildWnd; }
  void SetChildWnd(HWND Value) { FChildWnd = Value; }
  // Links of the child's system-menu entries, with sub-menus as sub-items.
  void RebuildFromSystemMenu();
  // Rebuilds the entries, then opens the menu.
  void DoClick() override;
  // An entry's click: its command goes to the child (the entry's Tag).
  void SysCommandClick(TObject* Sender);

private:
  void AddMenuEntries(HMENU Menu, TdxBarItemLinks* Links);
  HWND FChildWnd = nullptr;
};

class TSystemMenuSubItemControl : public TdxBarSubItemControl {
  SONVELT_CLASS(TSystemMenuSubItemControl, TdxBarSubItemControl)
public:
  using TdxBarSubItemControl::TdxBarSubItemControl;
  bool IsOwnItem() const override { return false; }
  bool CanSelect() const override;
  // The child's small icon over the item background.
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  int CalcWidth() override { return GetSystemMetrics(SM_CXSMICON); }
  int CalcHeight() override { return GetSystemMetrics(SM_CYSMICON); }
  bool ParentPainterMetric() const override { return false; }
  bool DblClickActsOnLinks() const override { return false; }
  // Closes the menus and sends the system menu's default command (close) to the child.
  void DblClick() override;
};

// The bar unit's bitmaps of the close, restore, maximize and minimize entries.
HBITMAP LoadSystemMenuBitmap(UINT_PTR MenuBitmap);
