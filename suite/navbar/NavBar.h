// The navigation bar: a side panel of groups whose captions open or expand,
// holding links to command items. Changes are only recorded (InvalidateAll) and
// carried out at the next paint, which rebuilds, recalculates and redraws into
// one off-screen bitmap that only grows; a paint with nothing pending only
// copies it. The View number picks a painter from the views registry; the
// painter owns the view info and the controller, replaced together.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Bitmap.h"
#include "framework/IniFiles.h"
#include "framework/OwnedObject.h"
#include "suite/common/SuiteControl.h"
#include "suite/common/SuiteTimer.h"
#include "suite/common/ThemeManager.h"
#include "suite/navbar/NavBarCollections.h"
#include "suite/navbar/NavBarOptions.h"
#include "suite/navbar/NavBarStyles.h"
#include "suite/navbar/NavBarTypes.h"

class TdxNavBarScrollBar;
class TdxNavBarDragObject;
class TDragObject;
struct THintInfo;

using TdxNavBarGroupEvent = TDelegate<void(TObject* Sender, TdxNavBarGroup* AGroup)>;
using TdxNavBarGroupChangingEvent = TDelegate<void(TObject* Sender, TdxNavBarGroup* ANewGroup, bool& AAllowChange)>;
using TdxNavBarLinkEvent = TDelegate<void(TObject* Sender, TdxNavBarItemLink* ALink)>;
using TdxNavBarCalcGroupHintRectEvent =
    TDelegate<void(TObject* Sender, TdxNavBarGroup* AGroup, TdxNavBarViewInfo* AViewInfo, RECT& R)>;
using TdxNavBarCalcLinkHintRectEvent =
    TDelegate<void(TObject* Sender, TdxNavBarItemLink* ALink, TdxNavBarViewInfo* AViewInfo, RECT& R)>;
using TdxNavBarCalcGroupClientHeightEvent =
    TDelegate<void(TObject* Sender, TdxNavBarGroupViewInfo* AViewInfo, int& AHeight)>;
using TdxNavBarCalcNavigationPaneOverflowPanelHintRectEvent =
    TDelegate<void(TObject* Sender, TObject* AObject, TdxNavBarViewInfo* AViewInfo, RECT& R)>;
using TdxNavBarGetGroupHintEvent = TDelegate<void(TObject* Sender, TdxNavBarGroup* AGroup, std::string& AHint)>;
using TdxNavBarGetLinkHintEvent = TDelegate<void(TObject* Sender, TdxNavBarItemLink* ALink, std::string& AHint)>;

class TdxCustomNavBar : public TcxControl {
  SONVELT_CLASS(TdxCustomNavBar, TcxControl)
public:
  explicit TdxCustomNavBar(TComponent* AOwner);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  ~TdxCustomNavBar() override;

  // ---- content
  TdxNavBarGroups* GetGroups() const { return FGroups.get(); }
  TdxNavBarItems* GetItems() const { return FItems.get(); }
  TdxNavBarGroup* GetActiveGroup();
  void SetActiveGroup(TdxNavBarGroup* Group);
  int GetActiveGroupIndex();
  void SetActiveGroupIndex(int Value);
  void DeselectLinks();
  int VisibleGroupCount();
  int HiddenGroupCount();
  bool CanShowMoreGroups() { return GetShowGroupCaptions() && HiddenGroupCount() > 0; }
  bool CanShowFewerGroups() { return GetShowGroupCaptions() && HiddenGroupCount() < VisibleGroupCount(); }
  void ShowMoreGroups();
  void ShowFewerGroups();

  // ---- view
  int GetView() const { return FView; }
  void SetView(int Value);
  TdxNavBarPainter* GetViewStyle() { return GetPainter(); }
  // Takes ownership of Painter.
  void SetViewStyle(TdxNavBarPainter* Painter);
  TdxNavBarPainter* GetPainter();
  TdxNavBarViewInfo* GetViewInfo();
  TdxNavBarController* GetController();
  bool HasPainter() const { return FPainter != nullptr; }
  virtual TdxNavBarPainter* CreatePainter();

  // ---- options
  TdxNavBarBehaviorOptions* GetOptionsBehavior() const { return FOptionsBehavior.get(); }
  TdxNavBarImageOptions* GetOptionsImage() const { return FOptionsImage.get(); }
  TdxNavBarStyleOptions* GetOptionsStyle() const { return FOptionsStyle.get(); }
  TdxNavBarViewOptions* GetOptionsView() const { return FOptionsView.get(); }
  TdxNavBarCursors* GetCursors() const { return FCursors.get(); }
  TdxNavBarCustomDrawEvents* GetOnCustomDraw() const { return FCustomDraw.get(); }
  TdxNavBarDefaultStyles* GetDefaultStyles() const { return FOptionsStyle->GetDefaultStyles(); }
  // The bar's style item of a slot: 0 Background, 1 Hint, 2 DropTargetGroup,
  // 3 DropTargetLink, 4 Button, 5 ButtonHotTracked, 6 ButtonPressed, 7 NavigationPaneHeader.
  TdxNavBarStyleItem* GetBarStyle(int Index) const { return FOptionsStyle->GetCustomStyles()->StyleSlotAt(Index); }
  void SetBarStyle(int Index, TdxNavBarStyleItem* Value) {
    FOptionsStyle->GetCustomStyles()->AssignStyleSlot(Index, Value);
  }
  TCustomImageList* GetImageList(TdxNavBarImageOptions::TKind Kind) const { return FOptionsImage->GetList(Kind); }
  TCustomImageList* GetLargeImages() const { return GetImageList(TdxNavBarImageOptions::ikLarge); }
  void SetLargeImages(TCustomImageList* Value) { FOptionsImage->SetList(TdxNavBarImageOptions::ikLarge, Value); }
  TCustomImageList* GetSmallImages() const { return GetImageList(TdxNavBarImageOptions::ikSmall); }
  void SetSmallImages(TCustomImageList* Value) { FOptionsImage->SetList(TdxNavBarImageOptions::ikSmall, Value); }
  bool GetShowGroupCaptions() const { return FOptionsView->GetCommon()->GetShowGroupCaptions(); }
  void SetShowGroupCaptions(bool Value) { FOptionsView->GetCommon()->SetShowGroupCaptions(Value); }
  bool GetShowSpecialGroup() const { return FOptionsView->GetExplorerBar()->GetShowSpecialGroup(); }
  void SetShowSpecialGroup(bool Value) { FOptionsView->GetExplorerBar()->SetShowSpecialGroup(Value); }
  int GetSpaceBetweenGroups() const { return FOptionsView->GetExplorerBar()->GetSpaceBetweenGroups(); }
  void SetSpaceBetweenGroups(int Value) { FOptionsView->GetExplorerBar()->SetSpaceBetweenGroups(Value); }
  int GetNavigationPaneMaxVisibleGroups() const { return FOptionsView->GetNavigationPane()->GetMaxVisibleGroups(); }
  void SetNavigationPaneMaxVisibleGroups(int Value) { FOptionsView->GetNavigationPane()->SetMaxVisibleGroups(Value); }
  TdxNavBarDragDropFlags GetDragDropFlags() const { return FOptionsBehavior->GetCommon()->GetDragDropFlags(); }
  void SetDragDropFlags(TdxNavBarDragDropFlags Value) { FOptionsBehavior->GetCommon()->SetDragDropFlags(Value); }
  bool GetShowGroupsHint() const { return FOptionsBehavior->GetCommon()->GetShowGroupsHint(); }
  void SetShowGroupsHint(bool Value) { FOptionsBehavior->GetCommon()->SetShowGroupsHint(Value); }
  bool GetShowLinksHint() const { return FOptionsBehavior->GetCommon()->GetShowLinksHint(); }
  void SetShowLinksHint(bool Value) { FOptionsBehavior->GetCommon()->SetShowLinksHint(Value); }
  bool GetAllowSelectLinks() const { return FOptionsBehavior->GetSideBar()->GetAllowSelectLinks(); }
  void SetAllowSelectLinks(bool Value) { FOptionsBehavior->GetSideBar()->SetAllowSelectLinks(Value); }
  bool GetEachGroupHasSelectedLink() const { return FOptionsBehavior->GetSideBar()->GetEachGroupHasSelectedLink(); }
  void SetEachGroupHasSelectedLink(bool Value) { FOptionsBehavior->GetSideBar()->SetEachGroupHasSelectedLink(Value); }
  TCursor GetDragCopyCursor() const { return FCursors->GetDragCopyCursor(); }
  TCursor GetHotTrackedGroupCursor() const { return FCursors->GetHotTrackedGroupCursor(); }
  TCursor GetHotTrackedLinkCursor() const { return FCursors->GetHotTrackedLinkCursor(); }
  bool AllowDragLink() const { return GetDragDropFlags().Contains(fAllowDragLink); }
  bool AllowDropLink() const { return GetDragDropFlags().Contains(fAllowDropLink); }
  bool AllowDragGroup() const { return GetDragDropFlags().Contains(fAllowDragGroup); }
  bool AllowDropGroup() const { return GetDragDropFlags().Contains(fAllowDropGroup); }

  // ---- deferred drawing
  void InvalidateAll(TdxNavBarChangeType Change);
  void Invalidate() override;
  void BeginUpdate() { ++FUpdateLock; }
  void EndUpdate();
  int GetUpdateLock() const { return FUpdateLock; }
  TBitmap* GetOffscreenBitmap() const { return FBitmap.get(); }
  void RedrawAll() override { InvalidateAll(ctRecreate); }

  // ---- interaction state
  POINT GetLastMousePoint() const { return FLastMousePoint; }
  POINT GetMousePoint() const { return FMousePoint; }
  TdxNavBarGroup* GetHotTrackedGroup() const { return FHotGroup; }
  TdxNavBarItemLink* GetHotTrackedLink() const { return FHotLink; }
  TdxNavBarGroup* GetPressedGroup() const { return FPressedGroup; }
  TdxNavBarItemLink* GetPressedLink() const { return FPressedLink; }
  TdxNavBarGroup* GetMouseDownGroup() const { return FMouseDownGroup; }
  TdxNavBarItemLink* GetMouseDownLink() const { return FMouseDownLink; }
  TShiftState GetMouseDownShift() const { return FMouseDownShift; }
  bool GetTopHeld() const { return FTopHeld; }
  bool GetBottomHeld() const { return FBottomHeld; }
  void SetTopHeld(bool Value) { FTopHeld = Value; }
  void SetBottomHeld(bool Value) { FBottomHeld = Value; }
  TcxTimer* GetScrollTimer() const { return FScrollTimer; }
  TcxTimer* GetGroupExpandTimer() const { return FGroupExpandTimer; }
  TdxNavBarScrollBar* GetScrollBar() const { return FScrollBar.get(); }
  int GetOriginalWidth() const { return FOriginalWidth; }
  void SetOriginalWidth(int Value) { FOriginalWidth = Value; }

  // ---- hit tests
  TdxNavBarGroup* GetGroupAtCaptionPos(POINT P);
  TdxNavBarItemLink* GetLinkAtSelectedPos(POINT P);
  virtual TdxNavBarItemLink* GetLinkAtPos(POINT P);
  bool IsPtTopScrollButton(POINT P);
  bool IsPtBottomScrollButton(POINT P);
  bool IsTopScrollButtonVisible();
  bool IsBottomScrollButtonVisible();
  bool IsCollapsed();
  void CheckCollapseState();

  // ---- accessibility
  // The root of the bar's helper tree, made on first request.
  TdxNavBarCustomAccessibilityHelper* GetAccessibilityHelper();
  virtual TdxNavBarCustomAccessibilityHelper* CreateAccessibilityHelper();
  // The keyboard-focused element; null when none.
  TdxNavBarCustomAccessibilityHelper* GetFocusedAccessibleObject() const;
  void SetFocusedAccessibleObject(TdxNavBarCustomAccessibilityHelper* Value);
  // Drops the focused element when it is Object.
  virtual void RemoveFocusedObject(TdxNavBarCustomAccessibilityHelper* Object);
  // A focused element that can no longer take the focus lets it go (after each paint).
  void RefreshFocusedObject();
  bool IsPainting() const { return FPainting; }

  // ---- drag queries
  bool IsDragging() const;
  TdxNavBarGroup* GetDragGroup() const;
  TdxNavBarItemLink* GetDragLink() const;
  TdxNavBarItem* GetDragItem() const;
  TdxNavBarGroup* GetDropTargetGroup() const;
  TdxNavBarItemLink* GetDropPrevLink() const;
  TdxNavBarItemLink* GetDropNextLink() const;
  int GetDropIndex() const;

  // ---- reactions (views change single ones)
  virtual void DoActiveGroupChanged() {
    if (!IsLoadingOrDestroying()) OnActiveGroupChanged(this);
  }
  virtual void DoGroupDragDrop(TdxNavBarGroup* Group);
  virtual void DoGroupDragOver(TdxNavBarGroup* Group, bool& Accept);
  virtual void DoGroupHotTrack(TdxNavBarGroup* Group);
  virtual void DoGroupMouseDown(TdxNavBarGroup* Group);
  virtual void DoGroupMouseUp(TdxNavBarGroup* Group);
  virtual void DoLinkDragDrop(TdxNavBarItemLink* Link);
  virtual void DoLinkDragOver(TdxNavBarItemLink* Link, bool& Accept);
  virtual void DoLinkHotTrack(TdxNavBarItemLink* Link);
  virtual void DoLinkMouseDown(TdxNavBarItemLink* Link);
  virtual void DoLinkMouseUp(TdxNavBarItemLink* Link);
  virtual void DoItemDragDrop(TdxNavBarItem* Item);
  virtual void DoItemDragOver(TdxNavBarItem* Item, bool& Accept);
  virtual void DoBottomScrollButtonDown();
  virtual void DoBottomScrollButtonUp();
  virtual void DoTopScrollButtonDown();
  virtual void DoTopScrollButtonUp();
  virtual void UpdateScrollBarStyle();
  virtual void LoadLayoutFromIniFile(TCustomIniFile* IniFile, bool LoadStyles = true);
  virtual void SaveLayoutToIniFile(TCustomIniFile* IniFile, bool SaveStyles = true);
  virtual TClassOf<TdxNavBarGroup> GroupClassOf() { return TdxNavBarGroup::StaticClass(); }
  virtual TClassOf<TdxNavBarItem> ItemClassOf() { return TdxNavBarItem::StaticClass(); }
  virtual bool IsPopupControl() { return false; }
  // Hot-track state of the scroll timer and the pass over the items' actions.
  void ScrollTimerTick(TObject* Sender);
  void GroupExpandTimerTick(TObject* Sender);
  void InitiateAction() override;

  // ---- told by the content
  void LinkRemoving(TdxNavBarItemLink* Link);
  void ElementRemoving(TObject* Element);
  void GroupVisibilityChanged(TdxNavBarGroup* Group);
  // Sets the interaction state directly (the controller and drag code).
  void SetHotGroup(TdxNavBarGroup* G) { FHotGroup = G; }
  void SetHotLink(TdxNavBarItemLink* L) { FHotLink = L; }
  void SetPressedGroup(TdxNavBarGroup* G) { FPressedGroup = G; }
  void SetPressedLink(TdxNavBarItemLink* L) { FPressedLink = L; }
  void SetMouseDownGroup(TdxNavBarGroup* G) { FMouseDownGroup = G; }
  void SetMouseDownLink(TdxNavBarItemLink* L) { FMouseDownLink = L; }
  bool IsLoadingOrDestroying() const {
    return GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDestroying);
  }
  bool CanFocus() override;
  bool AllowFocusOnMouseDown(int X, int Y) override;
  bool WantsDesignMouse(int X, int Y, TShiftState Shift) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  RECT GetClientRect() override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void Dispatch(TMessage& Message) override;
  // The framework's drag hooks.
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  // A drag source that goes away is let go by the running drag.
  void EndOfDrag();
  int GetBorderStyleValue() const { return FBorderStyleValue; }
  void SetBorderStyleValue(int Value);

  TdxNavBarGroupEvent OnGroupClick, OnGroupHotTrack, OnGroupPress;
  TdxNavBarGroupChangingEvent OnActiveGroupChanging;
  TNotifyEvent OnActiveGroupChanged;
  TdxNavBarLinkEvent OnLinkClick, OnLinkHotTrack, OnLinkPress;
  TdxNavBarCalcGroupHintRectEvent OnCalcGroupHintRect;
  TdxNavBarCalcLinkHintRectEvent OnCalcLinkHintRect;
  TdxNavBarCalcGroupClientHeightEvent OnCalcGroupClientHeight;
  TdxNavBarCalcNavigationPaneOverflowPanelHintRectEvent OnCalcNavigationPaneOverflowPanelHintRect;
  TdxNavBarGetGroupHintEvent OnGetGroupHint;
  TdxNavBarGetLinkHintEvent OnGetLinkHint;
  TNotifyEvent OnNavigationPaneCollapsed, OnNavigationPaneExpanded;
  // Unpublished: told first whenever the pane collapses or expands.
  TNotifyEvent CollapseStateNotification;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void BoundsChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  void MouseEnterHook(TControl* Control) override;
  void MouseLeaveHook(TControl* Control) override;
  bool HasScrollBars() override { return false; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void DoEnter() override;
  void FocusChanged() override;
  // The bar takes the focus only when TabStop is set (off by default).
  bool WantsTabStop() override { return GetTabStop(); }

private:
  friend class TdxNavBarController;
  void GroupsChanged(TObject* Sender, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind);
  void ItemsChanged(TObject* Sender, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind);
  void LinksChanged(TObject* Sender, TdxNavBarItemLink* Link);
  void StyleOptionsChanged(TObject* Sender) { InvalidateAll(ctRecreate); }
  void ImagesChanged(TObject* Sender) { InvalidateAll(ctRecreate); }
  void ScrollBarScrolled(TObject* Sender, TScrollCode Code, int& Pos);
  void ThemeChanged();
  void AssignViewDefaults(int Index, TdxNavBarBaseStyle* Style);
  void ForgetElement(TObject* Element);
  void HandleHintShow(TMessage& Message);
  void HandleDialogChar(TMessage& Message);
  void HandleSetCursor(TMessage& Message);
  // Scrolls on a scroll button or arms the auto-expand of the caption under the
  // pointer; true when on a scroll button.
  bool HoverWhileDragging();

  TdxNavBarGroup* FActiveGroup = nullptr;
  int FLoadedActiveGroupIndex = -1;
  TdxNavBarAccessibilityHelperRef FAccessibilityHelper;
  TdxNavBarAccessibilityHelperRef FFocusedAccessibleObject;
  bool FRefreshingFocus = false;
  bool FPainting = false;
  TOwned<TBitmap> FBitmap;
  TOwned<TdxNavBarCursors> FCursors;
  TOwned<TdxNavBarGroups> FGroups;
  TOwned<TdxNavBarItems> FItems;
  TOwned<TdxNavBarPainter> FPainter;
  TOwned<TdxNavBarScrollBar> FScrollBar;
  TOwned<TdxThemeChangedNotificator> FThemeNotificator;
  int FUpdateLock = 0;
  int FView = 0;
  TOwned<TdxNavBarBehaviorOptions> FOptionsBehavior;
  TOwned<TdxNavBarImageOptions> FOptionsImage;
  TOwned<TdxNavBarStyleOptions> FOptionsStyle;
  TOwned<TdxNavBarViewOptions> FOptionsView;
  TOwned<TdxNavBarCustomDrawEvents> FCustomDraw;
  TcxTimer* FGroupExpandTimer = nullptr;
  TcxTimer* FScrollTimer = nullptr;
  TDragObject* FDragObject = nullptr;
  bool FKeyDownSeen = false;
  bool FDragStarted = false;
  bool FCollapsedRecorded = false;
  bool FInsideLoaded = false;
  TdxNavBarGroup* FExpandGroup = nullptr;
  POINT FMousePoint{0, 0};
  TShiftState FMouseDownShift;
  TdxNavBarGroup* FMouseDownGroup = nullptr;
  TdxNavBarItemLink* FMouseDownLink = nullptr;
  POINT FLastMousePoint{-1, -1};
  TdxNavBarGroup* FHotGroup = nullptr;
  TdxNavBarItemLink* FHotLink = nullptr;
  int FOriginalWidth = 0;
  TdxNavBarGroup* FPressedGroup = nullptr;
  TdxNavBarItemLink* FPressedLink = nullptr;
  bool FBottomHeld = false;
  bool FTopHeld = false;
  int FBorderStyleValue = 0;  // 0 none, 1 single
};

class TdxNavBar : public TdxCustomNavBar {
  SONVELT_CLASS(TdxNavBar, TdxCustomNavBar)
public:
  using TdxCustomNavBar::TdxCustomNavBar;
  static void Publish(TPublisher<TdxNavBar>& P);
  // Streamed with the form, never fired.
  TNotifyEvent CustomDrawEvents;
};

// The process-wide drag state of a navigation-bar drag (at most one).
class TdxNavBarDragObject : public TObject {
  SONVELT_CLASS(TdxNavBarDragObject, TObject)
public:
  TdxNavBarDragObject(TdxCustomNavBar* ANavBar, TdxNavBarItem* AItem, TdxNavBarItemLink* ALink,
                      TdxNavBarGroup* AGroup);
  virtual void ApplyActionToTarget();
  // The dragged item, or the dragged link's item while Ctrl is down (a copy).
  TdxNavBarItem* GetDragItem() const;
  // An element that goes away is dropped from the drag.
  void Forget(TObject* Element);

  TdxCustomNavBar* SourceNavBar;
  TdxNavBarGroup* DragGroup;
  TdxNavBarItemLink* DragLink;
  TdxNavBarItem* DragItemGiven;
  TdxNavBarGroup* TargetGroup = nullptr;
  TdxNavBarItemLink* TargetPrevLink = nullptr;
  TdxNavBarItemLink* TargetNextLink = nullptr;
  int TargetIndex = -1;
};
// The running drag's state; null when none.
TdxNavBarDragObject* dxNavBarDragObject();
