// The popup a toolbar's mark opens: a menu of copies of the links the toolbar has
// no room for. It lives until it closes; closing tells the toolbar, whose mark
// then returns to normal.
#pragma once

#include "suite/bars/BarCustomizingPopups.h"

class TcxObjectLink;

class TdxBarMarkPopup : public TdxBarInternalSubMenuControl {
  SONVELT_CLASS(TdxBarMarkPopup, TdxBarInternalSubMenuControl)
public:
  using TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl;
  ~TdxBarMarkPopup() override;
  bool IsCustomizingPopup() const override { return false; }
  bool IsQuickPopup() const { return true; }
  // The toolbar whose mark opened the popup (weak: it may go first).
  TdxBarControl* GetToolbar() const;
  void SetToolbar(TdxBarControl* Value);
  // Below a horizontal toolbar's mark with the right edges aligned, or beside a
  // vertical one, kept on the monitor by the menu's own placement.
  void ShowAt(const RECT& MarkScreenRect, bool Vertical);

  // Hidden by anyone but its own closing, the popup closes (and the mark returns to normal).
  void WindowPosChanged(const WINDOWPOS& Pos) override;

protected:
  void DoClose() override;

private:
  TcxObjectLink* FToolbar = nullptr;
};
