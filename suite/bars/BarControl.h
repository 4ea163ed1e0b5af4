// The bar windows: TCustomdxBarControl is the window of every toolbar, sub-menu
// and popup menu; it shows one collection of item links through item controls.
// This header declares what the manager, the bars and the links call; the base
// answers as a window that shows nothing would, and the window work fills the
// operations in (TdxBarControl for toolbars, TdxBarSubMenuControl for menus).
//
// A window that is docked is a child of its dock site; a floating one is a tool
// window owned by the manager's form. Windows form chains: an open sub-menu holds
// its opener as parent bar; the active chain runs from TopActiveBarControl back
// through each window's previously active one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/CustomControl.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarAnimation.h"
#include "suite/bars/BarTypes.h"

class TdxBarItemControl;
class TdxBarItemControlViewInfo;
class TdxBarPainter;
class TdxDockControl;
class TdxBarAccessibilityHelper;
class TcxCanvas;
class TBitmap;
class TFont;
class TdxFader;
class TdxFadingObjectHelper;
class TdxBarContainerExpansion;
class TdxBarShadow;

// The list of item-control view infos of a bar window and the separators found
// while laying it out; the toolbar and menu windows derive their layouts from it.
class TCustomdxBarControlViewInfo : public TObject {
  SONVELT_CLASS(TCustomdxBarControlViewInfo, TObject)
public:
  using TCreateArg = TCustomdxBarControl*;
  explicit TCustomdxBarControlViewInfo(TCustomdxBarControl* ABarControl) : FBarControl(ABarControl) {}

  TCustomdxBarControl* GetBarControl() const { return FBarControl; }
  virtual void Clear();
  // Lays the window out again; the base lists the shown links' controls afresh
  // (controls kept over a rebuild stay in the list).
  virtual void Recalculate();

  int IndexOfItemControl(TdxBarItemControl* Control) const;
  bool HasItemControl(TdxBarItemControl* Control) const { return IndexOfItemControl(Control) >= 0; }
  void AddItemControlViewInfo(TdxBarItemControlViewInfo* ViewInfo);
  void RemoveItemControlViewInfo(TdxBarItemControlViewInfo* ViewInfo);
  int ItemControlViewInfoCount() const { return static_cast<int>(FItemControlViewInfos.size()); }
  // Null outside the list.
  TdxBarItemControlViewInfo* ItemControlViewInfoByIndex(int Index) const;

  void AddSeparator(const RECT& R, int Kind, TdxBarItemControl* Control);
  int SeparatorCount() const { return static_cast<int>(FSeparators.size()); }
  // The kind of separator Index, with its rectangle in R.
  int GetSeparatorInfo(int Index, RECT& R) const;
  bool FindSeparatorOfControl(TdxBarItemControl* Control, int& Index) const;
  void ClearSeparators() { FSeparators.clear(); }

private:
  struct TSeparator {
    TdxBarItemControl* Control;
    RECT Bounds;
    int Kind;
  };
  TCustomdxBarControl* FBarControl;
  std::vector<TdxBarItemControlViewInfo*> FItemControlViewInfos;
  std::vector<TSeparator> FSeparators;
};

// Window kinds (TCustomdxBarControl::Kind).
enum TdxBarWindowKind : std::uint8_t { bwkToolbar, bwkQuickCustomizing, bwkSubMenu };

class TCustomdxBarControl : public TCustomControl {
  SONVELT_CLASS(TCustomdxBarControl, TCustomControl)
public:
  // Registers itself in the list of live bar windows for its whole life.
  explicit TCustomdxBarControl(TComponent* AOwner);
  ~TCustomdxBarControl() override;
  void BeforeDestruction() override;

  TdxBarManager* GetBarManager() const { return FBarManager; }
  void SetBarManager(TdxBarManager* Value) { FBarManager = Value; }
  TdxBarItemLinks* GetItemLinks() const { return FItemLinks; }
  // The window takes the links it shows (the links own the window).
  virtual void AssignItemLinks(TdxBarItemLinks* Links) { FItemLinks = Links; }
  virtual TdxBarWindowKind Kind() const { return bwkToolbar; }
  // The painter the window draws with: its own, else its manager's.
  virtual TdxBarPainter* GetPainter() const;
  TCustomdxBarControlViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  TdxBarAccessibilityHelper* GetIAccessibilityHelper();
  virtual TClass AccessibilityHelperClass() const;

  // Place and kind.
  TdxDockControl* GetDockSite() const { return FDockSite; }
  virtual void AssignDockSite(TdxDockControl* Site) { FDockSite = Site; }
  TdxBarDockingStyle GetDockingStyle() const { return FDockingStyle; }
  virtual void ChangeDockingStyle(TdxBarDockingStyle Style) { FDockingStyle = Style; }
  bool IsFloating() const { return FDockingStyle == dsNone && Kind() == bwkToolbar; }
  bool IsVertical() const { return FDockingStyle == dsLeft || FDockingStyle == dsRight; }
  // The window shows its controls turned a quarter (captions running down).
  virtual bool IsRotated() const { return false; }
  virtual bool IsMainMenuWindow() const { return false; }
  virtual bool IsSubMenuWindow() const { return Kind() != bwkToolbar; }
  // One of the internal customizing popups (their chain closes together).
  virtual bool IsCustomizingPopup() const { return false; }
  // A toolbar's quick-customization popup or its "Add or Remove Buttons" menu.
  virtual bool IsQuickCustomizingWindow() const { return Kind() == bwkQuickCustomizing; }
  // The items of the window stack vertically (menus, vertical toolbars).
  virtual bool StacksItemsVertically() const { return IsVertical() || IsSubMenuWindow(); }
  // The window's behaviour bits. 0x10: client-aligned controls stretch over the row;
  // 0x40: keyboard navigation stays here; 0x200: a press on a dropped-down button
  // drops the focus first; 2: selecting an in-place editor by keys does not start
  // editing.
  virtual unsigned BehaviorFlags() const { return 0; }
  // How far a menu's first item lies below its top edge.
  virtual int SubMenuTopOffset() const { return 0; }
  // A link collection's manager is customizing.
  virtual bool IsCustomizing() const;
  bool IsBeingDestroyed() const { return FBeingDestroyed; }

  // Chains.
  TCustomdxBarControl* GetParentBar() const { return FParentBar; }
  void SetParentBar(TCustomdxBarControl* Value) { FParentBar = Value; }
  TCustomdxBarControl* GetPreviousActive() const { return FPreviousActive; }
  bool IsActive() const { return FActive; }
  // Joins (Value) or leaves the active chain.
  virtual void SetActive(bool Value);

  // Selection.
  TdxBarItemLink* GetSelectedLink() const { return FSelectedLink; }
  virtual void SetSelectedLink(TdxBarItemLink* Link) { FSelectedLink = Link; }
  TdxBarItemControl* SelectedItemControl() const;
  virtual void SelectAndActivate(TdxBarItemControl* Control);
  virtual void UnselectItemControl(TdxBarItemControl* Control);
  virtual TdxBarItemControl* ItemControlAtPos(POINT ClientPoint);
  // Marks the window as opened from the keyboard (its first link gets selected).
  virtual void MarkOpenedFromKeyboard() {}
  // Selects Control and opens its menu when it has one, the way a click (ByMouse)
  // or the keys open it; the menu open before is the caller's to close.
  void OpenEntry(TdxBarItemControl* Control, bool ByMouse);

  // The measures the item controls size themselves by (text, icon area, arrows,
  // edits, mark), from the painter and the window's fonts.
  void CalcMeasures();
  // Building. Rebuild creates and lays out the controls of the shown links.
  virtual void Rebuild();
  virtual void RecreateItemControls();
  virtual void CreateItemControls();
  virtual void DestroyItemControls();
  virtual void RecalcFrame();
  virtual void RefreshWindow() { Invalidate(); }
  // Shows Text as the hint of the window (an empty text hides it).
  virtual void ShowItemHint(const std::string& Text);
  // The floating window's opacity (255 opaque).
  virtual void ApplyAlphaBlend(std::uint8_t Value) { (void)Value; }
  virtual void RefreshAfterStyleChange() { RefreshWindow(); }
  virtual void UpdateControlState() {}
  // The link collection changed its shown links.
  virtual void LinksChanged() {}
  // Writes the window's place back into its bar before it goes.
  virtual void StorePositionInBar() {}

  // Showing and closing.
  virtual void ShowNoActivate();
  virtual void Dismiss() { Hide(); }
  // Closes the window (and a menu its chain) once, even when closing re-enters
  // or frees the window; a closed toolbar loses its active state.
  void CloseBar();
  bool IsClosing() const { return FClosing; }
  // Hands the focus to the manager's form (the window takes it only for its edits).
  virtual void RestoreFocus();
  // No chain is active, or walking from its top through the parent bars meets this window.
  virtual bool IsInActiveChain() const;
  virtual bool AllowsClose() { return true; }
  virtual bool ChainCanClose() { return AllowsClose(); }
  virtual bool CanDeactivateFor(HWND Wnd) { (void)Wnd; return true; }
  // A menu that closes after one of its items was clicked.
  virtual bool ClosesAfterItemClick() const { return IsSubMenuWindow(); }

  // Input the hooks route here.
  virtual bool AllowsMouseWheel() { return false; }
  // Takes a mouse message of the active chain itself; true when it did.
  virtual bool HandleHookedMouse(UINT Msg, HWND Wnd, POINT ScreenPoint) {
    (void)Msg, (void)Wnd, (void)ScreenPoint;
    return false;
  }
  virtual void HandleMouseLeave() {}

  // Customizing drag targets.
  virtual bool AllowsDesignSelection() { return true; }
  // The link under a client point and where a drop there goes.
  virtual TdxBarItemLink* HitTestForDrop(POINT ClientPoint, bool& BeginGroupSide, bool& FirstPart,
                                         bool& Vertical);
  // Lets the window scroll towards the point; false refuses the drop.
  virtual bool SimulateMouseMove(POINT ClientPoint) { (void)ClientPoint; return true; }
  virtual RECT EmptyBarRect();
  // The window's canvas (while it has a window).
  TcxCanvas* GetPaintCanvas();
  // The canvas takes the window font, turned for a rotated window.
  void UpdateCanvasFont();

  void WndProc(TMessage& Message) override;

  // ---- what item controls and painters read and ask of their window
  // 0 horizontal bar, 1 menu, 2 rotated vertical bar.
  int PaintType() const { return Kind() == bwkSubMenu ? 1 : IsRotated() ? 2 : 0; }
  bool IsMainMenuBar() const { return IsMainMenuWindow(); }
  bool IsDockedVertically() const { return IsVertical(); }
  bool IsDockedHorizontally() const { return FDockingStyle == dsTop || FDockingStyle == dsBottom; }
  // Measures the window keeps for its controls (the layout sets them).
  int GetTextSize() const { return FTextSize; }
  void SetTextSize(int Value) { FTextSize = Value; }
  int GetIconAreaWidth() const { return FIconAreaWidth; }
  void SetIconAreaWidth(int Value) { FIconAreaWidth = Value; }
  int GetMenuArrowWidth() const { return FMenuArrowWidth; }
  void SetMenuArrowWidth(int Value) { FMenuArrowWidth = Value; }
  // The painter's menu metric (the expand and scroll buttons of sub-menus).
  int GetMenuArrowHeight() const { return FMenuArrowHeight; }
  void SetMenuArrowHeight(int Value) { FMenuArrowHeight = Value; }
  // The size of the sub-menu and drop-down arrows: a fifth of the text size, at least 4.
  int ArrowHeight() const { return FTextSize / 5 < 4 ? 4 : FTextSize / 5; }
  int GetComboArrowWidth() const { return FComboArrowWidth; }
  void SetComboArrowWidth(int Value) { FComboArrowWidth = Value; }
  int GetEditTextHeight() const { return FEditTextHeight; }
  void SetEditTextHeight(int Value) { FEditTextHeight = Value; }
  double GetScaleRatio() const { return FScaleRatio; }
  void SetScaleRatio(double Value) { FScaleRatio = Value; }
  // The font the window's controls measure with (the manager's edit font for edits).
  virtual TFont* ItemFont() const { return GetFont(); }
  virtual TFont* EditFont() const;
  // The text height of a control: its own when set, else the window's.
  virtual int ItemTextHeight(TdxBarItemControl* Control) const;
  // A mouse button went down on a control while the window is active.
  bool GetPressed() const { return FPressed; }
  void SetPressed(bool Value) { FPressed = Value; }
  // The brush the window fills its client area with, and the painter's brushes for it.
  virtual HBRUSH BackgroundBrush() const;
  HBRUSH ToolbarBrush() const;
  HBRUSH DownBrush() const;
  HBRUSH FaceBrush() const;
  HBRUSH SelectedBrush() const;
  HBRUSH ManagerBackgroundBrush() const;
  // Fills a rectangle of the window's background (toolbars through the painter's bar
  // background, menus through its menu background).
  virtual void FillItemBackground(HDC DC, const RECT& R, HBRUSH Brush, TColor Color, bool Force);
  virtual int InitialViewLevel(TdxBarItemControl* Control) const { (void)Control; return ivlDefault; }
  virtual bool AllowsItemAlign(TdxBarItemControl* Control) const { (void)Control; return true; }
  virtual TBitmap* DefaultGlyph() const { return nullptr; }
  virtual TdxFader* Fader() const { return nullptr; }
  virtual bool JoinsSubMenus() const;
  virtual int SeparatorSize() const;
  virtual bool IsOnGlass() const { return false; }
  virtual void RetrackMouse() {}
  virtual void ItemControlActivated(TdxBarItemControl* Control) { (void)Control; }
  // Esc in a control's editor.
  virtual void EscapeFromItemControl(TdxBarItemControl* Control);
  virtual void DeactivateIfFocused();
  // Moves the selection (null clears it) and makes the window active.
  virtual void SelectItemControl(TdxBarItemControl* Control) { SelectAndActivate(Control); }
  virtual void ChangeSelectedControl(TdxBarItemControl* Control);
  bool ClosesOnClick() const { return ClosesAfterItemClick(); }
  RECT ItemScreenRect(TdxBarItemControl* Control);
  // Client points to and from the screen through the window itself: a toolbar's
  // client lies inside its frame, which the framework's origin does not count.
  POINT ClientPointToScreen(POINT P);
  POINT ScreenPointToClient(POINT P);
  // Toolbars: the bar window is being dragged.
  virtual bool IsMoving() const { return false; }
  // The mark (the button at a toolbar's end): 0 normal, 1 hot, 2 pressed.
  virtual bool HasMark() const { return false; }
  virtual int MarkButtonState() const { return 0; }
  int MarkExtent() const { return HasMark() ? FMarkSize : 0; }
  int GetMarkSize() const { return FMarkSize; }
  void SetMarkSize(int Value) { FMarkSize = Value; }
  // The window has links that do not fit.
  virtual bool HasHiddenItems() const { return false; }
  virtual bool ShowsFloatingCaption() const { return false; }
  virtual bool HasCloseButton() const { return false; }
  // 0 normal, 1 hot, 2 pressed.
  virtual int CloseButtonState() const { return 0; }
  virtual bool HasCaptionMarkButton() const { return false; }
  // A main-menu bar shows the maximized MDI child's buttons.
  virtual bool ShowsMDIButtons() const { return false; }
  virtual RECT CaptionMarkButtonRect() const { return RECT{0, 0, 0, 0}; }
  virtual TdxFadingObjectHelper* MarkFadingObject() const { return nullptr; }
  virtual bool HasBackgroundPicture() const;
  virtual TBitmap* BackgroundPicture() const { return nullptr; }
  // The themed status-bar picture the XP painter caches; empty until it draws.
  TBitmap* BackgroundCache();
  virtual void DropBackgroundCache();
  // Popups: the one-pixel strip where the window touches its owner's bounds (empty
  // without owner), and the control that opened it.
  virtual RECT OwnerLinkRect(bool Screen) const { (void)Screen; return RECT{0, 0, 0, 0}; }
  virtual TdxBarItemControl* OpeningItemControl() const { return nullptr; }
  // The window an opened item's sub-menu is (its parent bar is this window).
  TCustomdxBarControl* GetChildBar() const { return FChildBar; }
  virtual void SetChildBar(TCustomdxBarControl* Value);
  virtual void ShowAnimated() { ShowNoActivate(); }
  // A sub-menu window's values (the sub-menu work keeps them).
  bool GetNonRecent() const { return FNonRecent; }
  void SetNonRecent(bool Value) { FNonRecent = Value; }

protected:
  void CreateParams(TCreateParams& Params) override;
  // A floating or menu window: a tool window owned by the manager's form.
  void PopupWindowParams(TCreateParams& Params);
  void Paint() override;
  // What closing does; CloseBar runs it once at a time.
  virtual void DoClose();
  virtual TClassOf<TCustomdxBarControlViewInfo> ViewInfoClass() const {
    return TCustomdxBarControlViewInfo::StaticClass();
  }

private:
  TdxBarManager* FBarManager = nullptr;
  TdxBarItemLinks* FItemLinks = nullptr;
  TdxDockControl* FDockSite = nullptr;
  TdxBarDockingStyle FDockingStyle = dsNone;
  TCustomdxBarControl* FParentBar = nullptr;
  TCustomdxBarControl* FPreviousActive = nullptr;
  TCustomdxBarControl* FPreviousFocused = nullptr;  // the manager's focused window before this one
  TdxBarItemLink* FSelectedLink = nullptr;
  bool FActive = false;
  bool FBeingDestroyed = false;
  bool FClosing = false;
  TOwned<TCustomdxBarControlViewInfo> FViewInfo;
  TdxBarAccessibilityRef FHelper;
  TOwned<TcxCanvas> FPaintCanvas;
  TOwned<TBitmap> FBackgroundCache;
  TCustomdxBarControl* FChildBar = nullptr;
  int FTextSize = 0;
  int FIconAreaWidth = 0;
  int FMenuArrowWidth = 0;
  int FMenuArrowHeight = 0;
  int FComboArrowWidth = 0;
  int FEditTextHeight = 0;
  int FMarkSize = 0;
  double FScaleRatio = 1.0;
  bool FPressed = false;
  bool FNonRecent = false;
};

using TCustomdxBarControlClass = TClassOf<TCustomdxBarControl>;

// The window of a toolbar (docked in a site, or floating as a tool window). The
// dock layout and the drag ask it for its sizes for a docking style; lengths are
// along the row, client sizes without the frame.
class TdxBarControl : public TCustomdxBarControl {
  SONVELT_CLASS(TdxBarControl, TCustomdxBarControl)
public:
  // The window takes the mouse itself (no framework capture) and its double clicks.
  explicit TdxBarControl(TComponent* AOwner) : TCustomdxBarControl(AOwner) {
    TControlStyle Style = GetControlStyle();
    Style.Exclude(csCaptureMouse);
    Style.Include(csDoubleClicks);
    SetControlStyle(Style);
  }
  TdxBar* GetBar() const { return FBar; }
  void SetBar(TdxBar* Value) { FBar = Value; }
  bool IsMainMenuWindow() const override;
  // Docked left or right on a bar that rotates when vertical.
  bool IsRotated() const override;
  // A change of rotation lays the window out anew, as a font change does.
  void ChangeDockingStyle(TdxBarDockingStyle Style) override;
  // Controls made for the other rotation are made anew (a rotated edit shows as a button).
  void CreateItemControls() override;
  // The window font becomes the bar's.
  void ApplyFont();
  bool HasBackgroundPicture() const override;
  TBitmap* BackgroundPicture() const override;
  void StorePositionInBar() override;
  bool IsStoringPosition() const { return FStoringPosition; }
  // The bar's caption buttons changed.
  virtual void CaptionButtonsChanged() { RecalcFrame(); }

  // Sizes.
  virtual int MinWidthForStyle(TdxBarDockingStyle Style);
  virtual int MinHeightForStyle(TdxBarDockingStyle Style);
  virtual int ContentWidth(TdxBarDockingStyle Style);
  virtual int ContentHeight(TdxBarDockingStyle Style);
  // The client size for a length along a horizontal bar, and along a vertical one.
  virtual SIZE CalcSizeForWidth(TdxBarDockingStyle Style, int Extent);
  virtual SIZE CalcWrappedSize(TdxBarDockingStyle Style, int Extent);
  // The window size for a docking style (frame included).
  virtual SIZE CalcSizeForDockingStyle(TdxBarDockingStyle Style);
  // The frame widths (left, top, right, bottom) for a docking style.
  virtual RECT FrameBorders(TdxBarDockingStyle Style);
  // Where the cursor grabbed the window, relative to its top-left, for a style.
  virtual POINT SizeForDocking(TdxBarDockingStyle Style);
  // The bar's ShowMark, and links cut off or quick customizing allowed.
  virtual bool HasMark() const;
  // A mark that opens its popup on a click: the painter supports quick customizing.
  bool HasClickableMark() const;
  virtual int MarkSize() const { return 11; }
  int MarkExtent() const { return HasMark() ? MarkSize() : 0; }
  bool GetTruncated() const { return FTruncated; }
  TClass AccessibilityHelperClass() const override;
  // The mark's helper, kept here (it is no child of the window's helper).
  TdxBarAccessibilityHelper* GetMarkAccessibilityHelper();
  void SetTruncated(bool Value) { FTruncated = Value; }
  // Floating, or the bar's MultiLine: the links wrap into rows.
  virtual bool IsFloatingOrMultiLine() const;

  // Placement by the dock layout and the drag.
  void SetNewBounds(const RECT& R) { FNewBounds = R; }
  RECT GetNewBounds() const { return FNewBounds; }
  virtual void ApplyNewBounds();
  // Moves the window to a site (null floats it) and style.
  virtual void ChangeDockSite(TdxDockControl* Site, TdxBarDockingStyle Style);
  // Held while the window is placed from its bar's stored data.
  void BeginInternal() { ++FInternalLock; }
  void EndInternal() { --FInternalLock; }
  bool IsInternalLocked() const { return FInternalLock > 0; }
  bool IsMoving() const { return FMoving; }
  // While the bar is dragged the window keeps a docked and a floating window and
  // uses one at a time, so that it can change between docked and floating at every
  // move without being made anew; the unused one is destroyed when the drag ends.
  virtual void SetMoving(bool Value);
  HWND GetDockedHandle() const { return FDockedHandle; }
  HWND GetFloatingHandle() const { return FFloatingHandle; }
  bool IsSwappingHandle() const { return FSwappingHandle; }
  // The window is moving itself (its bar's position updates wait).
  bool IsMovingSelf() const { return FMovingSelf; }
  void SetMovingSelf(bool Value) { FMovingSelf = Value; }
  // The bar may be dragged at all: some docking style is allowed.
  virtual bool CanDock() const;
  // Where a floating window of bounds R that meets no work area goes, so that it
  // lies inside WorkArea on each axis it was outside of (both corrected together).
  static POINT KeepFloatingInWorkArea(const RECT& R, const RECT& WorkArea);
  // The grab offset kept at the same ratio of a new extent: MulDiv(Extent, Grab,
  // OldExtent), and 0 for a window that had no extent.
  static int ScaleGrab(int Extent, int Grab, int OldExtent) { return OldExtent == 0 ? 0 : MulDiv(Extent, Grab, OldExtent); }
  // A floating frame's edge snaps to the sizes the items allow while dragged.
  void WndProc(TMessage& Message) override;
  // Creates the shown links' controls and places them where the layout rules say.
  void Rebuild() override;
  // Gives each shown link its rectangle in the client (empty for one left out),
  // its control the end of its row, and the window its truncation.
  virtual void PlaceItemLinks();

  // ---- frame: caption, close button, grip, edges and the mark
  bool ShowsFloatingCaption() const override { return Kind() == bwkToolbar; }
  bool HasCloseButton() const override;
  int CloseButtonState() const override { return FCloseButtonState; }
  // Hot also while the keyboard's selection is on the mark's helper.
  int MarkButtonState() const override;
  bool HasHiddenItems() const override { return FTruncated; }
  // What the last WM_NCHITTEST found under the cursor (the codes of BarToolbarFrame.h).
  int GetHitTestCode() const { return FHitTestCode; }
  // The floating close button and the mark, in window and in client coordinates.
  RECT CloseButtonWindowRect();
  RECT MarkClientRect();
  RECT MarkScreenRect();
  // 0 normal, 1 hot, 2 pressed (its popup of the hidden links open).
  virtual void ShowHiddenItems(int State);
  // Enter or Space on the selected mark: the popup opens with its first link selected.
  void OpenMarkPopupByKey();
  // The popup's links: a copy of each link the window has no room for (remembering
  // its toolbar link), then AddQuickCustomizeItem.
  virtual void FillMarkPopupLinks(TdxBarItemLinks* Links);
  // When the bar allows quick customizing: "&Add or Remove Buttons", a sub-item
  // whose menu lists every link of the bar to show or hide it.
  virtual void AddQuickCustomizeItem(TdxBarItemLinks* Links);
  // The bar allows quick customizing and the painter supports it.
  bool AllowsQuickCustomizing() const;
  // The mark's popup closed by itself (a click elsewhere, Esc, a command).
  void MarkPopupClosed(TCustomdxBarControl* Popup);
  // Moved or sized: an open mark popup takes the mark's new place as its owner's.
  virtual void WindowPosChanged(const WINDOWPOS& Pos);
  // The next click on the window is dropped (the press that closed its mark's popup).
  void SwallowNextClick() { FSwallowNextClick = true; }
  bool IsMarkTimerRunning() const { return FMarkTimer; }
  // Double click on the grip or caption: a docked bar floats at its stored place,
  // a floating one docks back where it stood (a new row at the top when it never was).
  virtual void ToggleDocking();
  // The popup that lists the links the window hides; null while closed.
  TCustomdxBarControl* GetQuickPopup() const { return FQuickPopup; }

  // ---- the main menu's caption buttons (0 minimize, 1 restore, 2 close)
  // The main menu while the manager's active MDI child is maximized (and has a system menu).
  bool ShowsMDIButtons() const override;
  // The MDI buttons, or the close button alone of a main menu with ShowCloseButton.
  bool HasCaptionButtonArea() const;
  // One button's size (along, across a horizontal bar) and the whole area's.
  SIZE MDIButtonSize() const;
  SIZE CaptionButtonAreaSize() const;
  // Where button Index stands in the client; empty when it is not shown.
  RECT CaptionButtonRect(int Index) const;
  // Restore always; otherwise the active child's system-menu entry has none of Mask's bits.
  bool IsCaptionButtonEnabled(int Index, UINT Mask) const;
  // 0 normal, 1 disabled, 2 hot, 3 pressed with the mouse off it, 4 pressed and hot.
  int CaptionButtonState(int Index) const;

  // ---- keys and mouse on the items
  // The keys an active toolbar hears (the bar hooks send them): arrows (turned on a
  // vertical bar), Home, End, Tab, Ctrl+Tab to the next toolbar, accelerators, Enter,
  // Esc, Alt and F10.
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  // Moves the keyboard to the next (previous) toolbar with a selectable item, across
  // the managers of the process.
  void CycleToolbar(bool Forward);
  void SetActive(bool Value) override;
  TdxBarItemLink* GetHotLink() const { return FHotLink; }
  // A freed link stops being the one under the mouse.
  void ForgetHotLink(const TdxBarItemLink* Link) {
    if (FHotLink == Link) FHotLink = nullptr;
  }

protected:
  void Resize() override;
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  // While moving, the kept window of the current kind is taken back instead of made.
  void CreateWnd() override;
  void DestroyWnd() override;
  void BeforeDestruction() override;
  void DoClose() override;

private:
  // The second window made while a drag starts: floating for a docked window,
  // docked for a floating one.
  HWND CreateSpareHandle(bool Floating);
  void SpareParams(TCreateParams& Params);
  // Forgets the current window and keeps it hidden as the handle of its kind.
  void KeepCurrentHandle();
  void DestroyKeptHandles();
  void PaintFrame(HDC DC);
  void NCHitTest(TMessage& Message);
  bool HandleMouse(TMessage& Message);
  void TrackCloseButton();
  void TrackEdge(int Code);
  void StartMarkTimer();
  void StopMarkTimer();
  void OpenMarkPopup();
  void CloseMarkPopup();
  static void CALLBACK MarkTimerProc(HWND Wnd, UINT Msg, UINT_PTR Id, DWORD Time);
  void SetHotLink(TdxBarItemLink* Link, POINT P);
  void TrackMouseLeave();
  // Caption and close buttons follow the mouse at a screen point.
  void TrackCaptionHover(POINT Screen);
  POINT CursorOverCaption();
  // The caption buttons under the mouse: a press, the moves while pressed, the
  // release sending its command, and a cancelled press. True when they took the message.
  bool BeginCaptionButtonPress(POINT P);
  bool CaptionButtonMouseMove(POINT P);
  bool EndCaptionButtonPress(POINT P);
  void CancelCaptionButtonPress();
  int CaptionButtonAt(POINT P, UINT Mask) const;
  void InvalidateCaptionButtons();
  RECT FCaptionButtonRects[3]{};
  int FHitTestCode = 0;
  int FCloseButtonState = 0;
  int FMarkState = 0;
  bool FMarkTimer = false;
  bool FMouseTracked = false;
  bool FFrameMouseTracked = false;
  bool FSwallowNextClick = false;
  TdxBarItemLink* FHotLink = nullptr;
  TCustomdxBarControl* FQuickPopup = nullptr;
  TdxBar* FBar = nullptr;
  int FInternalLock = 0;
  bool FMoving = false;
  bool FMovingSelf = false;
  HWND FDockedHandle = nullptr;
  HWND FFloatingHandle = nullptr;
  bool FSwappingHandle = false;
  int FSpareKind = 0;  // 1 floating, 2 docked, while the spare window is made
  RECT FNewBounds{0, 0, 0, 0};
  bool FStoringPosition = false;
  bool FTruncated = false;
  bool FControlsRotated = false;
  TdxBarAccessibilityRef FMarkHelper;
};

// Holds a toolbar window's internal lock for one scope.
class TdxBarControlInternalScope {
public:
  explicit TdxBarControlInternalScope(TdxBarControl* W) : FWindow(W) {
    if (W) W->BeginInternal();
  }
  ~TdxBarControlInternalScope() {
    if (FWindow) FWindow->EndInternal();
  }
  TdxBarControlInternalScope(const TdxBarControlInternalScope&) = delete;
  TdxBarControlInternalScope& operator=(const TdxBarControlInternalScope&) = delete;

private:
  TdxBarControl* FWindow;
};

// The window of every open menu.
class TdxBarSubMenuControl : public TCustomdxBarControl {
  SONVELT_CLASS(TdxBarSubMenuControl, TCustomdxBarControl)
public:
  explicit TdxBarSubMenuControl(TComponent* AOwner) : TCustomdxBarControl(AOwner) {}
  TdxBarWindowKind Kind() const override { return bwkSubMenu; }
  TBitmap* BackgroundPicture() const override;
  TClass AccessibilityHelperClass() const override;

  // The owner's bar size (its side bar), 0 without owner.
  int GetSideBarWidth() const { return FSideBarWidth; }
  void SetSideBarWidth(int Value) { FSideBarWidth = Value; }
  bool GetShowsTearOffBar() const { return FShowsTearOffBar; }
  void SetShowsTearOffBar(bool Value) { FShowsTearOffBar = Value; }
  // Half the text height of "Qq", made odd.
  int GetTearOffCaptionHeight() const { return FTearOffCaptionHeight; }
  void SetTearOffCaptionHeight(int Value) { FTearOffCaptionHeight = Value; }
  // 0 normal, 1 hot.
  int GetTearOffState() const { return FTearOffState; }
  void SetTearOffState(int Value) { FTearOffState = Value; }
  // The tear-off caption (BarMenuTearOff.cpp): shown atop the menu of a detachable
  // sub-item; dragging it away makes the sub-item's detaching bar float.
  bool ShowsDetachCaption() const;
  // The caption in screen coordinates; empty without one.
  RECT DetachCaptionRect() const;
  bool IsCursorOverDetachCaption() const;
  void SetDetachCaptionSelected(bool Hot);
  bool CanDetach() const;
  // Fires the sub-item's detaching event and drags its bar out; the menu may be
  // gone when it returns.
  void Detach();
  // Sets the caption's shown state and height before the window measures itself.
  void PrepareDetachCaption();
  // The height the caption adds above the items (0 without one).
  int DetachCaptionExtent() const;
  // How far the first item lies below the window's top (sub-menus open level with their item).
  int GetTopOffset() const { return FTopOffset; }
  int SubMenuTopOffset() const override { return FTopOffset; }
  void SetTopOffset(int Value) { FTopOffset = Value; }
  // The control that opened the window, its screen rectangle and its window (when
  // the painter joins the two), and its size for placing the window beside or below it.
  TdxBarItemControl* GetOwnerControl() const { return FOwnerControl; }
  void SetOwnerControl(TdxBarItemControl* Value) { FOwnerControl = Value; }
  RECT GetOwnerBounds() const { return FOwnerBounds; }
  void SetOwnerBounds(const RECT& Value) { FOwnerBounds = Value; }
  TCustomdxBarControl* GetOwnerWindow() const { return FOwnerWindow; }
  void SetOwnerWindow(TCustomdxBarControl* Value) { FOwnerWindow = Value; }
  int GetOwnerWidth() const { return FOwnerWidth; }
  void SetOwnerWidth(int Value) { FOwnerWidth = Value; }
  int GetOwnerHeight() const { return FOwnerHeight; }
  void SetOwnerHeight(int Value) { FOwnerHeight = Value; }
  bool GetShowAnimation() const { return FShowAnimation; }
  void SetShowAnimation(bool Value) { FShowAnimation = Value; }
  TdxBarItemControl* OpeningItemControl() const override {
    return IsRectEmpty(&FOwnerBounds) ? nullptr : FOwnerControl;
  }
  // The brush of non-recent items and the expand button: the button face a little lighter.
  HBRUSH LightBrush() const;
  // Non-recent items get the light brush unless the painter marks them itself.
  HBRUSH BackgroundBrush() const override;
  // The owner of the links (a sub-item or popup menu), null for other links.
  IdxBarSubMenuOwner* SubMenuOwner() const;
  // The side band, left of the items.
  RECT BandRect() const;
  // Tells the owner control that the window closed.
  virtual void NotifyClosed();
  // Lists and containers among the links show their entries in place while the
  // menu shows: expanded before the controls are made, collapsed once the menu
  // closed (after the click that closed it is done) or its links go.
  void ExpandContainerItems();
  void CollapseContainerItems();
  bool HasExpandedContainers() const { return FContainers != nullptr; }
  void AssignItemLinks(TdxBarItemLinks* Links) override;

protected:
  void DoClose() override;

private:
  int FSideBarWidth = 0;
  bool FShowsTearOffBar = false;
  int FTearOffCaptionHeight = 0;
  int FTearOffState = 0;
  int FTopOffset = 0;
  TdxBarItemControl* FOwnerControl = nullptr;
  RECT FOwnerBounds{0, 0, 0, 0};
  TCustomdxBarControl* FOwnerWindow = nullptr;
  int FOwnerWidth = 0;
  int FOwnerHeight = 0;
  bool FShowAnimation = false;

public:
  // ---- the show animation (unfold and slide run on their own thread)
  // Starts the thread for a window placed, hidden, at its final bounds.
  void StartAnimation(const MenuAnimationParams& Params);
  // Terminates, waits for and frees a running (or finished) animation thread.
  void StopAnimation();
  bool IsAnimating() const { return FAnimating; }
  TdxBarAnimationThread* GetAnimationThread() const { return FAnimationThread; }
  // The thread ended (main thread): the window takes its final bounds and paints.
  virtual void AnimationFinished(TdxBarAnimationThread* Thread);
  // Paints the client, as the window would, into DC (the animation's image).
  void PaintAnimationImage(HDC DC) { PaintWindow(DC); }
  // The light colour's palette on screens of 8 bits per pixel or less.
  virtual void SelectLightPalette(HDC DC) { (void)DC; }
  virtual void UnselectLightPalette(HDC DC) { (void)DC; }
  void BeforeDestruction() override;
  void WndProc(TMessage& Message) override;
  // Stops the animation before a key, a click or the end; true for the thread's own message.
  bool AnimationMessage(TMessage& Message);

  // ---- the menu window itself (BarSubMenuControl.cpp)
  // Sizes and places the window at its left and top (the show position), makes it
  // active and shows it with the manager's animation, fade or none.
  void ShowAnimated() override;
  // The size the shown links need: content, frame and item-area insets; an empty
  // menu is 100 wide and one row high.
  SIZE CalcSize();
  // Places the window of Size at the show position on the nearest monitor's work
  // area; answers whether it opened leftwards and upwards.
  void CalcPlacement(SIZE Size, bool& FlipLeft, bool& FlipUp);
  // Lays the shown links out from the top index; the items rectangle in the client.
  void RecalcLayout();
  RECT ItemsRect() const;
  int GetTopIndex() const { return FTopIndex; }
  void SetTopIndex(int Value);
  bool IsScrolled() const { return FTopIndex > 0; }
  bool HasMoreBelow() const;
  // The menu's scroll area (the visible items, where scroll buttons lie) and its
  // first and last visible item.
  RECT ScrollArea() const;
  TdxBarItemControl* FirstVisibleItem() const;
  TdxBarItemControl* LastVisibleItem() const;
  // Scrolls until Control lies inside the visible items.
  void MakeControlVisible(TdxBarItemControl* Control);
  // Opened at a free point (no owner size here nor in any parent menu): the right
  // button then acts as the left.
  bool OpenedAtPoint() const;
  bool GetClosedByEscape() const { return FClosedByEscape; }
  void CloseByEscape();
  // Personalised menus: recent mode, hidden links, the expand button and expanding.
  bool InRecentMode() const;
  bool HasMark() const override;
  RECT MarkRect() const;
  int MarkButtonState() const override { return FMarkState; }
  void SetMarkState(int Value);
  void Expand();
  bool IsExpanding() const { return FExpanding; }
  // The window's mouse and key handling (also what the hook sends it).
  void HandleKey(WORD Key, TShiftState Shift);
  void ChangeSelectedControl(TdxBarItemControl* Control) override;
  void SelectItemControl(TdxBarItemControl* Control) override;
  void Dismiss() override;
  // The drop shadow follows every move and resize of the window (SWP_ flags of
  // Pos) and shows while the window does, when the painter casts one.
  virtual void WindowPosChanged(const WINDOWPOS& Pos);
  // The shadow takes the window's bounds and the owner's rectangle (the owner
  // bounds, else the opening item's), the owner left out where the painter joins them.
  void UpdateShadowBounds();
  bool PainterWantsShadow() const;
  // Visible, the painter casts a shadow and no show animation runs.
  bool ShadowVisible();
  TdxBarShadow* GetDropShadow() const { return FShadow; }
  // The window the popup belongs to (a popup menu's owner control); null: the manager's form.
  HWND GetOwnerHandle() const { return FOwnerHandle; }
  void SetOwnerHandle(HWND Value) { FOwnerHandle = Value; }
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;

protected:
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void DestroyWnd() override;

private:
  void PaintFrame();
  // Ends a showing once: animation, timers, shadow, the nested menu, the active
  // chain and the close-up handler (the handle may stay).
  void EndShowing();
  void TrackMouse(POINT P);
  void MouseLeft();
  void ButtonDown(POINT P);
  void ButtonUp(POINT P);
  void Timer(UINT_PTR Id);
  void StartExpandTimer(UINT Delay, bool FullExpand);
  void StopExpandTimer();
  void StopScrollTimer();
  void SetRecentLimit();
  // Sets each shown control's non-recent and recent-group-change flags.
  void MarkNonRecentControls();
  void DeleteLightBrush();
  void WalkMenuBar(bool Forward);
  TdxBarAnimationThread* FAnimationThread = nullptr;
  bool FAnimating = false;
  bool FDestroyingWnd = false;
  bool FExpanding = false;
  bool FClosedByEscape = false;
  bool FMouseTracked = false;
  int FTopIndex = 0;
  int FMarkState = 0;
  UINT_PTR FExpandTimer = 0;
  UINT_PTR FScrollTimer = 0;
  int FScrollStep = 0;
  POINT FLastMouse{-1, -1};
  TdxBarItemControl* FPressedControl = nullptr;
  HWND FOwnerHandle = nullptr;
  POINT FShowPos{0, 0};
  TdxBarShadow* FShadow = nullptr;
  TdxBarContainerExpansion* FContainers = nullptr;
  mutable HBRUSH FLightBrush = nullptr;
  bool FPaintingNonRecent = false;
};

// The application-menu and quick-customization windows the registry pairs with
// design helpers and customizing lists.
class TdxBarApplicationMenuControl : public TdxBarSubMenuControl {
  SONVELT_CLASS(TdxBarApplicationMenuControl, TdxBarSubMenuControl)
public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
};
