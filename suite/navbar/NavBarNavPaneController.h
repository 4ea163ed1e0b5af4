// Mouse and keyboard of the navigation pane's own parts (the chevron, overflow
// buttons, header sign, splitter, collapse bar and the links under it), the
// configuration menu, collapsing and expanding by width, and the popup a
// collapsed pane opens beside itself: a second bar showing the active group's
// links, copied in when it opens and written back (order and group state) when
// it closes.
#pragma once

#include "framework/OwnedObject.h"
#include "suite/common/DragImage.h"
#include "suite/common/cxCustomPopupWindow.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarBaseViews.h"
#include "suite/navbar/NavBarNavPaneViewInfo.h"

class TdxNavBarPopupControl;
class TdxNavBarPopupInnerControl;

// Pane part kinds.
enum : int { npChevron = 0, npOverflowButton = 1, npHeaderSign = 2, npSplitter = 3, npCollapsedLink = 4,
             npCollapseBar = 5 };

class TdxNavBarNavigationPaneController : public TdxNavBarNavigationBarController {
  SONVELT_CLASS(TdxNavBarNavigationPaneController, TdxNavBarNavigationBarController)
public:
  explicit TdxNavBarNavigationPaneController(TdxCustomNavBar* ANavBar);
  ~TdxNavBarNavigationPaneController() override;

  bool CanFocusOnClick(POINT P) override;
  HCURSOR GetCursor() override;
  void GetPartAtPos(POINT P, TdxNavBarPartRef& Part) override;
  void DoPartClick(const TdxNavBarPartRef& Part) override;
  void CheckBounds(int& Left, int& Top, int& Width, int& Height) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, POINT P) override;
  void MouseMove(TShiftState Shift, POINT P) override;
  void MouseLeave() override;
  void HotPartChanged(const TdxNavBarPartRef& Part) override { InvalidateAll(ctRedraw); }
  void PressedPartChanged(const TdxNavBarPartRef& Part) override { InvalidateAll(ctRedraw); }
  void ShowHint(THintInfo& HintInfo) override;
  virtual void ShowPartHint(THintInfo& HintInfo, const TdxNavBarPartRef& Part);
  virtual void CalcPartHintRect(const TdxNavBarPartRef& Part, RECT& R);
  virtual void GetPartHintText(const TdxNavBarPartRef& Part, std::string& Text);
  virtual void GetPartHintArea(const TdxNavBarPartRef& Part, RECT& R);

  // 5 dropped down, 4 selected and hot, 3 selected, 2 pressed, 1 hot, 0 normal.
  int PartPaintState(const TdxNavBarPartRef& Part);
  TdxNavBarPartRef GetOpenPart() const { return FOpenPart; }
  // Pops the configuration menu up at a screen point; returns when it closes.
  void ShowConfigurationMenu(POINT ScreenPoint);
  // Opens the popup of a collapsed pane; returns when it closes.
  void OpenPopup();
  void ClosePopup();
  TdxNavBarPopupControl* GetPopup() const { return FPopup; }
  // The owner link under a point of the bar (its client coordinates) inside the open popup.
  TdxNavBarItemLink* LinkInPopupAt(POINT P);
  TdxNavBarNavigationPaneViewInfo* PaneViewInfo();

private:
  void CollapseStateChanged(TObject* Sender) { ClosePopup(); }
  void SetOpenPart(const TdxNavBarPartRef& Part);
  TdxNavBarPartRef FOpenPart;
  TdxNavBarPopupControl* FPopup = nullptr;
};

// The pane's popup measures: margins around the inner bar, its height limit and
// the sizing edge.
class TdxNavBarPopupControlViewInfo : public TdxNavBarNavigationPaneCustomViewInfo {
  SONVELT_CLASS(TdxNavBarPopupControlViewInfo, TdxNavBarNavigationPaneCustomViewInfo)
public:
  using TCreateArg = TdxNavBarNavigationPaneViewInfo*;
  using TdxNavBarNavigationPaneCustomViewInfo::TdxNavBarNavigationPaneCustomViewInfo;
  virtual void Calculate(int Width);
  virtual void GetPopupPosition(POINT& P);
  virtual void GetMargins(RECT& R) { R = RECT{2, 2, 2, 2}; }
  virtual int GetMaxHeight();
  virtual int GetMinWidth();
  virtual bool IsSizingEdge(int X);
  RECT ContentRect();
  RECT PopupBounds{};
};

class TdxNavBarPopupControl : public TcxCustomPopupWindow {
  SONVELT_CLASS(TdxNavBarPopupControl, TcxCustomPopupWindow)
public:
  explicit TdxNavBarPopupControl(TComponent* ABar);
  ~TdxNavBarPopupControl() override;
  void ShowPopup(TWinControl* FocusedControl) override;
  void CloseUp() override;
  void ComputePosition(POINT& P) override;
  void FitToControls() override;
  bool PassClickThrough(HWND Window, UINT Message, POINT Point, TShiftState Shift) override { return true; }
  TdxCustomNavBar* GetOwnerBar() const { return FOwnerBar; }
  TdxNavBarPopupInnerControl* GetInnerBar() const { return FInnerBar; }
  TdxNavBarPopupControlViewInfo* GetPopupViewInfo() const { return FPopupViewInfo.get(); }
  int GetPopupWidth() const { return FPopupWidth; }
  // A sizing drag: begun by a press on the sizing edge or on a size grip (P in
  // Source's client coordinates), shown by a size frame, applied or cancelled.
  void BeginSizing(TControl* Source, POINT P);
  void EndSizing(bool Cancel);
  bool GetSizing() const { return FSizing; }
  bool GetSizingEdgeHot() const { return FSizingEdgeHot; }
  TcxSizeFrame* GetSizeFrame() const { return FSizeFrame.get(); }

protected:
  void InheritOwnerFont() override;
  void DoShowed() override;
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  TdxCustomNavBar* FOwnerBar;
  int FPopupWidth;
  bool FSizing = false;
  bool FSizingEdgeHot = false;
  int FSizingOffset = 0;
  TOwned<TcxSizeFrame> FSizeFrame;
  TdxNavBarPopupInnerControl* FInnerBar = nullptr;
  TOwned<TdxNavBarPopupControlViewInfo> FPopupViewInfo;
};

// The bar inside the popup, mirroring the owner's active group.
class TdxNavBarPopupInnerControl : public TdxCustomNavBar {
  SONVELT_CLASS(TdxNavBarPopupInnerControl, TdxCustomNavBar)
public:
  explicit TdxNavBarPopupInnerControl(TComponent* APopupWindow);
  bool IsPopupControl() override { return true; }
  TdxNavBarItemLink* GetLinkAtPos(POINT P) override;
  TdxCustomNavBar* GetOwnerBar() const { return FOwnerBar; }
  void SetOwnerBar(TdxCustomNavBar* Value) { FOwnerBar = Value; }
  // Whether its group shows a group control brought over from the owner.
  bool ShowsGroupControl() const;
  // Copies the owner's items, its active group's links and state in; writes them back.
  void FillFromOwner();
  void WriteBackToOwner();

private:
  TdxCustomNavBar* FOwnerBar = nullptr;
};

class TdxNavBarPopupInnerControlController : public TdxNavBarNavigationPaneController {
  SONVELT_CLASS(TdxNavBarPopupInnerControlController, TdxNavBarNavigationPaneController)
public:
  using TdxNavBarNavigationPaneController::TdxNavBarNavigationPaneController;
  void DoLinkClick(TdxCustomNavBar* NavBar, TdxNavBarItemLink* Link) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, POINT P) override;
  void MouseMove(TShiftState Shift, POINT P) override;
  HCURSOR GetCursor() override;
  bool GetGripHot() const { return FGripHot; }

private:
  bool FGripHot = false;
};

// The popup a bar sits in, directly or inside a group control moved there: null
// when the bar is on an ordinary form.
TdxNavBarPopupControl* NavBarPopupOf(TControl* Bar);

// Copies a group's state (styles, image and view flags, selected link and its two
// events) from one group to another.
void CopyNavBarGroupState(TdxNavBarGroup* Source, TdxNavBarGroup* Dest, bool FromOwnerActive);
