// TcxControl: the suite's base custom control, the base of the navigation bar and
// the status bar. It gives its descendants a TcxCanvas, a look-and-feel with the
// painter chosen from it, a painted border, internal scroll bars and a size grip
// laid out inside the client area, focus on mouse-down, the keys it wants from
// dialogs, a popup menu that may be a suite popup menu, dragging inside the
// control, font listeners, mouse enter and leave hooks, and a relayout when the
// system's scroll bar metrics change.
//
// Handlers may free the control (an OnMouseDown that closes a panel): every path
// that calls out holds a weak link to the control and stops once it is gone.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <vector>

#include "framework/CustomControl.h"
#include "framework/Edit.h"
#include "framework/OwnedObject.h"
#include "framework/Set.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/ControlScrollBar.h"
#include "suite/common/DragAndDrop.h"
#include "suite/common/ResourceStrings.h"
#include "suite/common/cxLookAndFeel.h"

class TcxCanvas;
class TcxControl;
class TFont;

// A popup menu of the suite (the bar popup menu): it answers its own shortcuts
// and opens at a screen point.
class IcxPopupMenuIntf {
public:
  virtual bool IsShortCutKey(TMessage& Message) = 0;
  virtual void PopupAt(int X, int Y) = 0;

protected:
  ~IcxPopupMenuIntf() = default;
};

// Told when the control's font changes.
class IcxFontListener {
public:
  virtual void FontChanged(TObject* Sender, TFont* Font) = 0;

protected:
  ~IcxFontListener() = default;
};

inline constexpr GUID IID_IcxLookAndFeelContainer = {
    0x6065B58B, 0xC557, 0x4464, {0xA6, 0x7D, 0x64, 0x18, 0x3F, 0xD1, 0x3F, 0x25}};

struct IcxLookAndFeelContainer : public IUnknown {
  virtual TcxLookAndFeel* STDMETHODCALLTYPE GetLookAndFeel() = 0;
};

// The keys a control wants from dialogs.
enum TcxKey { kAll, kArrows, kChars, kTab };
using TcxKeys = TSet<TcxKey>;

using TcxFocusChangedEvent = TDelegate<void(TObject* Sender, bool Focused)>;

// 0 none, 1 left, 2 right, 3 up, 4 down.
enum TcxDirection : std::uint8_t { dirNone, dirLeft, dirRight, dirUp, dirDown };

// Middle-button auto-scroll: the direction and speed (1 to 12) for the mouse at
// Point, with the anchor at Anchor and an anchor bitmap BitmapSize wide; the
// neutral zone widens to the whole screen along a hidden bar.
struct TcxAutoScrollMotion {
  TcxDirection Direction = dirNone;
  int Speed = 0;
};
TcxAutoScrollMotion AutoScrollMotionAt(POINT Anchor, POINT Point, int BitmapSize, bool HorzVisible,
                                       bool VertVisible, SIZE Screen);

class TcxControl : public TCustomControl, public IdxResourceStringsListener, public IcxLookAndFeelContainer {
  SONVELT_CLASS(TcxControl, TCustomControl)
public:
  explicit TcxControl(TComponent* AOwner);
  ~TcxControl() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // IUnknown without counting: the control lives as long as its owner keeps it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
  void STDMETHODCALLTYPE TranslationChanged() override { RedrawAll(); }
  TcxLookAndFeel* STDMETHODCALLTYPE GetLookAndFeel() override { return LookAndFeelObject(); }

  TcxCanvas* GetCxCanvas() const { return FCanvas.get(); }
  int GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(int Value);
  bool GetFocusOnClick() const { return FFocusOnClick; }
  void SetFocusOnClick(bool Value) { FFocusOnClick = Value; }
  TcxKeys GetKeys() const { return FKeys; }
  void SetKeys(TcxKeys Value) { FKeys = Value; }
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // A TPopupMenu or a component with the suite popup-menu interface; others store null.
  TComponent* GetSuitePopupMenu() const { return FPopupMenu; }
  void SetSuitePopupMenu(TComponent* Value);
  // The framework's popup menu only when the menu is one.
  TPopupMenu* GetPopupMenu() const override;
  TcxControlScrollBar* GetHScrollBar() const { return FHScrollBar; }
  TcxControlScrollBar* GetVScrollBar() const { return FVScrollBar; }
  TcxSizeGrip* GetSizeGrip() const { return FSizeGrip; }
  bool GetMouseButtonPressed() const { return FMouseButtonPressed; }
  POINT GetMouseDownPos() const { return FMouseDownPos; }
  bool IsScrollingContent() const { return FScrollingContent; }
  TcxDragAndDropState GetDragAndDropState() const { return FDragAndDropState; }
  TcxDragAndDropObject* DragAndDropObject();
  void SetDragAndDropObjectClass(TcxDragAndDropObjectClass Value) { FDragAndDropObjectClass = Value; }
  // Empty means the client rectangle.
  RECT GetExplicitBounds() const { return FExplicitBounds; }
  void SetExplicitBounds(const RECT& Value) { FExplicitBounds = Value; }
  void AddFontListener(IcxFontListener* Listener);
  void RemoveFontListener(IcxFontListener* Listener);
  void LockScrollBars() { ++FScrollBarsLockCount; }
  void UnlockScrollBars();
  // Writes what one bar should show (the descendant's InitScrollBarsParameters calls it).
  void SetScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Position, bool AllowShow,
                        bool AllowHide);
  bool IsScrollBarVisible(TScrollBarKind Kind) const;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  // ---- virtual operations
  virtual bool ShowPopupMenuAt(TComponent* Menu, int X, int Y);
  virtual void DesignerModified();
  virtual void ParentBackgroundChanged() {}
  virtual void StartMouseAction(TMouseButton Button, int X, int Y);
  virtual bool CanDragAt(int X, int Y) { (void)X; (void)Y; return true; }
  virtual void BeforeMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {}
  virtual void RaiseInternalControls();
  virtual void FinishMouseAction();
  virtual bool FocusesOnClick();
  virtual bool AllowFocusOnMouseDown(int X, int Y) { (void)X; (void)Y; return FocusesOnClick(); }
  virtual bool FocusOnScrollBarClick() { return FocusesOnClick(); }
  virtual int FrameWidth();
  virtual void OuterBounds(RECT& R);
  virtual void InnerClientBounds(RECT& R);
  virtual TCursor CursorAt(int X, int Y) { (void)X; (void)Y; return FDefaultCursor; }
  virtual bool InDesignMode() const { return GetComponentState().Contains(csDesigning); }
  virtual bool HasFocus() { return Focused(); }
  virtual std::uint8_t MouseWheelScrollKind();
  virtual bool WantsEraseBackground() { return false; }
  virtual void AttachInternalControls();
  virtual bool IsOwnInternalControl(TControl* Control);
  virtual TcxLookAndFeel* LookAndFeelObject() { return FLookAndFeel.get(); }
  virtual TcxLookAndFeelPainterClass CurrentPainter() { return FLookAndFeel->ActivePainter(); }
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {}
  virtual bool CanScrollWithoutBars(TcxDirection Direction) { (void)Direction; return false; }
  virtual void HScrollBarBounds(RECT& R);
  virtual void SizeGripBounds(RECT& R);
  virtual void VScrollBarBounds(RECT& R);
  virtual void InitScrollBarsParameters() {}
  virtual bool AllowHideScrollBar(TScrollBarKind Kind) { (void)Kind; return false; }
  virtual bool HasScrollBars() { return true; }
  virtual bool KeepsInternalControlsOnTop() { return true; }
  virtual void ScrollContent(TScrollBarKind Kind, TScrollCode Code, int& Position) {}
  virtual void PlaceInternalControls();
  virtual void RefreshInternalControls();
  virtual void RecalcScrollBars();
  virtual TcxDragAndDropObjectClass DragAndDropObjectClassOf();
  virtual void DrawDragImage(TcxCanvas* Canvas, const RECT& R) {}
  virtual TClassOf<TDragImageList> DragImagesClass() { return TcxDragImageList::StaticClass(); }
  virtual SIZE DragImagesSize() { return SIZE{0, 0}; }
  virtual bool IsCopyDragging();
  virtual bool HasDragImages() { return false; }
  virtual void FillDragImages(TDragImageList* List);
  virtual bool CanFocusNow();
  virtual bool PastDragThreshold(int X, int Y);
  // A full repaint; called when the named strings change.
  virtual void RedrawAll() {}

  // ---- dynamic hooks
  virtual void AfterColorChanged() {}
  virtual void AfterVisibleChanged() {}
  virtual void AddChildComponent(TComponent* Child) {}
  virtual void RemoveChildComponent(TComponent* Child) {}
  virtual bool KeepsMouseWithoutFocus() { return false; }
  virtual void BoundsChanged() { RecalcScrollBars(); }
  virtual bool CanStartAutoDrag() { return FDragAndDropState == ddsNone; }
  virtual void RememberCursor() { FDefaultCursor = GetCursor(); }
  virtual void CancelMouseState() { FMouseButtonPressed = false; }
  virtual void FocusChanged() { OnFocusChange(this, HasFocus()); }
  // Tells the font listeners and repaints.
  void FontChanged() override;
  virtual bool WantsDesignMouse(int X, int Y, TShiftState Shift) { (void)X; (void)Y; (void)Shift; return false; }
  virtual TClassOf<TcxDragControlObject> DragControlObjectClass() { return TcxDragControlObject::StaticClass(); }
  virtual bool WantsTabStop() { return true; }
  // The framework fires OnMouseEnter and OnMouseLeave; these are for descendants.
  virtual void MouseEnterHook(TControl* Control) {}
  virtual void MouseLeaveHook(TControl* Control) {}
  virtual void AfterTextChanged() {}
  virtual void DragAndDropMove(POINT P, bool& Accepted);
  virtual void EndDragAndDrop(bool Accepted);
  virtual bool StartsDragAndDropAt(POINT P) { (void)P; return false; }
  virtual bool AcceptsDragObject(TDragObject* DragObject) { (void)DragObject; return true; }
  virtual void BeginDragAndDrop();

  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  TDragImageList* GetDragImages() override;

  TcxFocusChangedEvent OnFocusChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Resize() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  void DoContextPopup(POINT MousePos, bool& Handled) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetDragAndDropState(TcxDragAndDropState Value);
  // Scrolls one step in Direction (mouse wheel, auto-scroll).
  void ScrollStep(TcxDirection Direction);

private:
  void AfterWndProc(TMessage& Message);
  void CreateInternalControls();
  void DestroyInternalControls();
  void CalculateScrollBarsData();
  void ApplyScrollBarsData();
  void HandleContextMenu(TMessage& Message);
  void HandleSettingsNotice();
  bool IsPopupShortCut(TMessage& Message);
  void FinishDragAndDrop(bool Accepted);
  void ScrollBarScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  void LookAndFeelValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  void AutoScroll();

  TOwned<TcxCanvas> FAuxCanvas;
  int FBorderStyle = 0;
  bool FCalculatingScrollBarsParams = false;
  TOwned<TcxCanvas> FCanvas;
  bool FCreatingWindow = false;
  TCursor FDefaultCursor = crDefault;
  TcxDragAndDropObject* FDragAndDropObject = nullptr;
  TcxDragAndDropObjectClass FDragAndDropObjectClass;
  TCursor FDragAndDropPrevCursor = crDefault;
  TcxDragAndDropState FDragAndDropState = ddsNone;
  TDragImageList* FDragImages = nullptr;
  bool FFinishingDragAndDrop = false;
  bool FFocusOnClick = true;
  std::vector<IcxFontListener*> FFontListeners;
  TcxControlScrollBar* FHScrollBar = nullptr;
  bool FHScrollBarInitiallyVisible = false;
  bool FVScrollBarInitiallyVisible = false;
  bool FInitialScrollBarsParams = false;
  TcxKeys FKeys;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  bool FMouseButtonPressed = false;
  POINT FMouseDownPos{0, 0};
  bool FMouseRightButtonReleased = false;
  TComponent* FPopupMenu = nullptr;
  TScrollStyle FScrollBars = ssBoth;
  int FScrollBarsLockCount = 0;
  bool FScrollBarsUpdateNeeded = false;
  TcxSizeGrip* FSizeGrip = nullptr;
  bool FUpdatingScrollBars = false;
  int FScrollBarsDepth = 0;
  TcxControlScrollBar* FVScrollBar = nullptr;
  bool FScrollingContent = false;
  bool FLastParentBackground = true;
  TObject* FCurrentDragObject = nullptr;
  bool FCancelDragPending = false;
  RECT FExplicitBounds{0, 0, 0, 0};
};

// A component that belongs to a suite control and streams as its child.
class TcxControlChildComponent : public TcxComponent {
  SONVELT_CLASS(TcxControlChildComponent, TcxComponent)
public:
  explicit TcxControlChildComponent(TComponent* AOwner) : TcxComponent(AOwner) { Initialize(); }
  // Owned by the control's owner when AssignOwner, else by no one.
  TcxControlChildComponent(TcxControl* AControl, bool AssignOwner);
  ~TcxControlChildComponent() override;
  TcxControl* GetControl() const { return FControl; }
  virtual void SetControl(TcxControl* Value);
  bool HasParent() const override { return FControl != nullptr; }
  TComponent* GetParentComponent() const override { return FControl; }
  virtual bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }

protected:
  virtual void Initialize() {}

private:
  TcxControl* FControl = nullptr;
};
