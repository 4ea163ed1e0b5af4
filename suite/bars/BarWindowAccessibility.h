// The accessibility helpers of the bar system's windows and window parts: dock
// sites (their children are the docked windows, row by row), toolbar windows
// (their item controls, then their caption buttons), menu windows (their item
// controls), a toolbar's mark and its caption buttons. Selecting a helper shows as
// the window's highlighted item, the opened menu, the hot mark or the hot caption
// button; the keyboard moves between them through the navigation controller.
// Accessibility clients see the tree (counts, parents, window, visibility) and
// nothing else: location, names and roles stay unanswered.
#pragma once

#include <windows.h>

#include "suite/bars/BarAccessibility.h"

class TCustomdxBarControl;
class TdxBarCaptionButton;
class TdxBarCaptionButtons;
class TdxBarControl;
class TdxBarItemControl;
class TdxBarItemLink;
class TdxBarSubMenuControl;
class TdxDockControl;

class TdxDockControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  SONVELT_CLASS(TdxDockControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarManager* GetBarManager() const override;
  int ChildCount() override;
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int IndexOfChildHelper(TcxAccessibilityHelper* Child) override;
  HWND OwnerWindow() override;
  RECT ScreenBoundsOf(int Element) override;
  int StateOf(int Element) override;

private:
  TdxDockControl* Site() const;
};

// What toolbar and menu windows share: their children are the item controls in
// the window's view-info order.
class TCustomdxBarControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  SONVELT_CLASS(TCustomdxBarControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarManager* GetBarManager() const override;
  bool ChildrenReachableByKey(WORD Key) override;
  int ChildCount() override;
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int IndexOfChildHelper(TcxAccessibilityHelper* Child) override;
  HWND OwnerWindow() override;
  RECT ScreenBoundsOf(int Element) override;
  int StateOf(int Element) override;

  // The window whose items this helper lists (null once it went).
  virtual TCustomdxBarControl* WindowControl() const;
  // A window showing this window's hidden items, for their key tips: none here.
  virtual TdxBarAccessibilityHelper* HiddenItemsWindowHelper() { return nullptr; }
  virtual POINT ItemKeyTipPosition(TdxBarItemControl* Control);
  // The nearest item of this window in a direction from Control; null when none.
  virtual TdxBarAccessibilityHelper* NextItemHelper(TdxBarItemControl* Control, int Direction);
  // The window's items count as invisible.
  virtual bool ItemsHidden() { return false; }
  // The selection leaves the window: a focused window deactivates, another only
  // loses its selected item.
  virtual void ClearWindowSelection();
  // The number of item controls (caption buttons and the mark come after them).
  int ItemCount();

protected:
  // The selected item control takes Key (when enabled and willing).
  bool ItemControlHandlesKey(WORD Key);
};

class TdxBarControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  SONVELT_CLASS(TdxBarControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
public:
  using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
  TdxBarManager* GetBarManager() const override;
  TdxBarAccessibilityHelper* GetDefaultSelectable() override { return OwnerAlive() ? this : nullptr; }
  bool ProcessNavigationKey(WORD& Key) override;
  void SelectHelper(bool ByTab) override;
  void Deselect(TdxBarAccessibilityHelper* Next) override;
  int ChildCount() override;
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int IndexOfChildHelper(TcxAccessibilityHelper* Child) override;
  TcxAccessibilityHelper* ParentHelper() override;
  // The keyboard also reaches the mark, after the items and before the caption buttons.
  TdxBarAccessibilityHelper* NavChild(int Index) override;
  int NavChildCount() override;
  int NavIndexOf(TdxBarAccessibilityHelper* Child) override;
  TCustomdxBarControl* WindowControl() const override;
  TdxBarAccessibilityHelper* NextItemHelper(TdxBarItemControl* Control, int Direction) override;
  // Where a caption button's key tip stands vertically: no window here shows key tips.
  virtual bool CaptionButtonKeyTipTop(TdxBarCaptionButton* Button, int& Y, int& VertAlign);

private:
  TdxBarControl* Toolbar() const;
  TdxBarAccessibilityHelper* CaptionButtonsHelper();
};

class TdxBarSubMenuControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  SONVELT_CLASS(TdxBarSubMenuControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
public:
  using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
  bool ProcessNavigationKey(WORD& Key) override;
  POINT ItemKeyTipPosition(TdxBarItemControl* Control) override;
  void ClearWindowSelection() override;
  TdxBarAccessibilityHelper* KeyTipParent() override;
  bool IsKeyTipContainer() override { return true; }
  void ReturnToParentKeyTips() override;

  // The selectable link after (Forward) or before Link, wrapping; the first
  // selectable one without Link.
  virtual TdxBarItemLink* NeighbourLink(TdxBarItemLink* Link, bool Forward);
  virtual void MoveHorizontally(bool IsLeft);
  virtual void MoveVertically(bool IsUp, bool ByTab);

private:
  TdxBarSubMenuControl* Menu() const;
  // Shows the hidden items; true when the menu shows them now.
  bool ShowHiddenItems();
  bool FRetrying = false;
};

// The mark (the button at a toolbar's end that offers its hidden items).
class TdxBarControlMarkAccessibilityHelper : public TdxBarAccessibilityHelper {
  SONVELT_CLASS(TdxBarControlMarkAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarManager* GetBarManager() const override;
  bool ProcessNavigationKey(WORD& Key) override;
  bool IsNavigationKeyFor(WORD Key) override;
  void SelectHelper(bool ByTab) override;
  void Deselect(TdxBarAccessibilityHelper* Next) override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  RECT ScreenBoundsOf(int Element) override;
  bool IsSelectable() override { return SelfVisible(); }
  int StateOf(int Element) override;

private:
  TdxBarControl* Toolbar() const;
  RECT MarkClientRect() const;
};

class TdxBarCaptionButtonsAccessibilityHelper : public TdxBarAccessibilityHelper {
  SONVELT_CLASS(TdxBarCaptionButtonsAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarManager* GetBarManager() const override;
  void Deselect(TdxBarAccessibilityHelper* Next) override;
  int ChildCount() override;
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int IndexOfChildHelper(TcxAccessibilityHelper* Child) override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  RECT ScreenBoundsOf(int Element) override;
  int StateOf(int Element) override;
  // Every button shows hot or normal from the cursor and the keyboard's selection.
  void RefreshCaptionButtonStates();

private:
  TdxBarCaptionButtons* Buttons() const;
  TCustomdxBarControl* Window() const;
};

class TdxBarCaptionButtonAccessibilityHelper : public TdxBarAccessibilityHelper {
  SONVELT_CLASS(TdxBarCaptionButtonAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarManager* GetBarManager() const override;
  bool ProcessNavigationKey(WORD& Key) override;
  bool IsNavigationKeyFor(WORD Key) override;
  void SelectHelper(bool ByTab) override;
  void Deselect(TdxBarAccessibilityHelper* Next) override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  RECT ScreenBoundsOf(int Element) override;
  bool IsSelectable() override { return SelfVisible(); }
  int StateOf(int Element) override;
  std::string GetKeyTip() const override;
  std::string GetDefaultKeyTip() const override { return "Y"; }
  void KeyTipExecute(bool ByKeyTip) override;

private:
  TdxBarCaptionButton* Button() const;
  TdxBarCaptionButtonsAccessibilityHelper* Collection() const;
  void ClickCaptionButton();
};
