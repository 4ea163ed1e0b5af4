// Sub-item and container controls: a menu entry or toolbar button that opens a
// sub-menu of its item's links (by click, by hovering after the drop-down delay,
// or by key), and the container entries whose sub-menu is filled with generated
// links each time it opens and emptied when it closes. A sub-item's click event
// fires when its sub-menu opens, never when one of its entries is chosen.
#pragma once

#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"

class TCustomdxBarSubItem;
class TCustomdxBarContainerItem;

class TdxBarSubItemControl : public TdxBarButtonLikeControl {
  SONVELT_CLASS(TdxBarSubItemControl, TdxBarButtonLikeControl)
public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  ~TdxBarSubItemControl() override;

  TCustomdxBarSubItem* SubItem() const;
  // The window of the item's links, made on demand.
  virtual TdxBarSubMenuControl* SubMenuWindow();
  virtual void PrepareSubMenu();
  virtual void CalcSubMenuPosition(POINT& P, int& OwnerWidth, int& OwnerHeight);
  virtual bool UsesSubMenuWindow() const { return true; }
  void ShowSubMenu();
  bool IsDrawnPressed() const;

  bool IsDroppedDown() const override;
  TCustomdxBarControl* DropDownWindow() const override;
  void UpdateDrawParams(bool Full) override;
  bool CanOpenDropDown() const override;
  bool IsClickable() const override { return false; }
  void ControlActivate(bool Immediately, bool ByMouse = true) override;
  void ControlInactivate(bool Immediately, bool ByMouse = true) override;
  void ClickControl(bool ByMouse, char Key) override;
  void DropDownByKey(bool ByMouse) override;
  bool KeepsTextColor() const override;
  bool UsesHighlightText() const override;
  int CaptionAreaWidth() override;
  int CaptionIndent() const override;
  TCustomdxBarControl* OpenedWindow() const override { return DropDownWindow(); }
  bool ClosesMenusOnClick() const override { return false; }
  bool HasDropDown() const override { return true; }
  bool DblClickActsOnLinks() const override { return true; }
  bool IsInMainMenuBar() const override;
  bool DblClickGoesToWindow() const override;
  bool WantsKey(WORD Key) const override;
  TClass AccessibilityHelperClass() const override;
  TdxBarItemViewLevels PossibleViewLevels() const override;
  int GetPaintStyleParts() const override;
  void CloseDropDown(bool Hide) override;
  void OpenDropDown(bool ByMouse) override;
};

// The sub-menu of a container: it serves the container's generated links while open.
class TContainerItemSubMenuControl : public TdxBarSubMenuControl {
  SONVELT_CLASS(TContainerItemSubMenuControl, TdxBarSubMenuControl)
public:
  explicit TContainerItemSubMenuControl(TComponent* AOwner) : TdxBarSubMenuControl(AOwner) {}
  ~TContainerItemSubMenuControl() override;
  TCustomdxBarContainerItem* GetContainerItem() const { return FContainerItem; }
  void SetContainerItem(TCustomdxBarContainerItem* Value) { FContainerItem = Value; }
  // Adds the container's entries for its OwnLink, once until the menu closes.
  void Expand(TdxBarItemLink* OwnLink);
  // Its entries are generated: never customized.
  bool IsCustomizing() const override { return false; }
  void NotifyClosed() override;

private:
  TCustomdxBarContainerItem* FContainerItem = nullptr;
  bool FExpanded = false;
};

class TdxBarContainerItemControl : public TdxBarSubItemControl {
  SONVELT_CLASS(TdxBarContainerItemControl, TdxBarSubItemControl)
public:
  using TdxBarSubItemControl::TdxBarSubItemControl;

  TCustomdxBarContainerItem* OwningContainerItem() const;
  bool ShowsPlainCaption() const;

  TdxBarSubMenuControl* SubMenuWindow() override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  bool IsDrawnSelected() const override;
  std::string LinkCaption() const override;
  bool DblClickActsOnLinks() const override;
};
