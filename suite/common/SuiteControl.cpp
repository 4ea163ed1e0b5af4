#include "suite/common/SuiteControl.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Screen.h"
#include "suite/common/ControlsUnit.h"
#include "suite/common/Geometry.h"
#include "suite/common/MessageWindow.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteMessages.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

namespace {
// Child components of suite controls stream with the controls.
const bool ChildComponentGroup = (StartClassGroup(TControl::StaticClass()),
                                  GroupDescendentsWith(TcxControlChildComponent::StaticClass(),
                                                       TControl::StaticClass()),
                                  true);
}  // namespace

TcxControl::TcxControl(TComponent* AOwner) : TCustomControl(AOwner) {
  EnsureControlsUnit();
  FCanvas.reset(TcxCanvas::Create(GetCanvas()));
  FDefaultCursor = GetCursor();
  FLookAndFeel.reset(TcxLookAndFeel::CreateWithOwner(this));
  FLookAndFeel->OnValuesChanged = TcxLookAndFeelValuesChangedEvent(this, &TcxControl::LookAndFeelValuesChanged);
}

void TcxControl::AfterConstruction() {
  TCustomControl::AfterConstruction();
  // The descendants' answers are known only now that the object is whole.
  if (HasDragImages()) SetControlStyle(GetControlStyle() + csDisplayDragImage);
  CreateInternalControls();
  SetTabStop(WantsTabStop());
  SetParentBackground(true);
  FLastParentBackground = true;
  ResourceStringsRepository()->AddListener(this);
}

void TcxControl::BeforeDestruction() {
  // Marked first, so that the internal controls going now see it.
  Destroying();
  ResourceStringsRepository()->RemoveListener(this);
  if (Dragging()) EndDrag(false);
  DestroyInternalControls();
  TCustomControl::BeforeDestruction();
}

TcxControl::~TcxControl() {
  FFontListeners.clear();
  FreeAndNil(FDragAndDropObject);
  FreeAndNil(FDragImages);
  FAuxCanvas.reset();
  FCanvas.reset();
  FLookAndFeel.reset();
  ClearLinksToObject(this);
}

HRESULT TcxControl::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IdxResourceStringsListener) {
    *ppv = static_cast<IdxResourceStringsListener*>(this);
    return S_OK;
  }
  if (riid == IID_IcxLookAndFeelContainer) {
    *ppv = static_cast<IcxLookAndFeelContainer*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

void TcxControl::LookAndFeelValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  if (GetComponentState().Contains(csDestroying)) return;
  if (Application && Application->GetComponentState().Contains(csDestroying)) return;
  LookAndFeelChanged(Sender, ChangedValues);
}

void TcxControl::SetBorderStyle(int Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  BoundsChanged();
  Invalidate();
}

void TcxControl::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  BoundsChanged();
}

void TcxControl::SetSuitePopupMenu(TComponent* Value) {
  if (Value && !dynamic_cast<TPopupMenu*>(Value) && !dynamic_cast<IcxPopupMenuIntf*>(Value)) Value = nullptr;
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

TPopupMenu* TcxControl::GetPopupMenu() const { return dynamic_cast<TPopupMenu*>(FPopupMenu); }

void TcxControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TcxControl::AddFontListener(IcxFontListener* Listener) {
  if (Listener && std::find(FFontListeners.begin(), FFontListeners.end(), Listener) == FFontListeners.end())
    FFontListeners.push_back(Listener);
}

void TcxControl::RemoveFontListener(IcxFontListener* Listener) { std::erase(FFontListeners, Listener); }

void TcxControl::FontChanged() {
  TCustomControl::FontChanged();
  const std::vector<IcxFontListener*> Listeners = FFontListeners;
  for (IcxFontListener* L : Listeners) L->FontChanged(this, GetFont());
  Invalidate();
}

void TcxControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd() {
  FCreatingWindow = true;
  try {
    TCustomControl::CreateWnd();
  } catch (...) {
    FCreatingWindow = false;
    throw;
  }
  FCreatingWindow = false;
  if (HasScrollBars()) CreateInternalControls();
  else DestroyInternalControls();
  AttachInternalControls();
}

void TcxControl::DestroyWindowHandle() {
  TCustomControl::DestroyWindowHandle();
  SetControlState(GetControlState() - csClicked);
}

void TcxControl::Resize() {
  TCustomControl::Resize();
  BoundsChanged();
}

int TcxControl::FrameWidth() { return FBorderStyle == 0 ? 0 : CurrentPainter()->FrameBorderWidth(); }

void TcxControl::OuterBounds(RECT& R) {
  if (!RectIsEmptyOrInverted(FExplicitBounds)) R = FExplicitBounds;
  else if (HandleAllocated()) R = GetClientRect();
  else R = RECT{0, 0, GetWidth(), GetHeight()};
}

void TcxControl::InnerClientBounds(RECT& R) {
  OuterBounds(R);
  const int F = FrameWidth();
  R = RectInflated(R, -F, -F);
  if (IsScrollBarVisible(sbHorizontal)) R.bottom -= FHScrollBar->GetHeight();
  if (IsScrollBarVisible(sbVertical)) R.right -= FVScrollBar->GetWidth();
}

void TcxControl::Paint() {
  if (FBorderStyle == 1) {
    RECT Outer, Inner;
    OuterBounds(Outer);
    CurrentPainter()->PaintControlBorder(FCanvas.get(), Outer);
    InnerClientBounds(Inner);
    FCanvas->IntersectClip(Inner);
  }
  TCustomControl::Paint();
  RefreshInternalControls();
}

bool TcxControl::FocusesOnClick() {
  return !InDesignMode() && FFocusOnClick && WantsTabStop() && CanFocus();
}

bool TcxControl::CanFocusNow() {
  if (!CanFocus()) return false;
  TCustomForm* Form = GetParentForm();
  return !Form || (Form->CanFocus() && Form->GetEnabled() && Form->GetVisible());
}

void TcxControl::DesignerModified() {
  // This program has no form designer to tell.
}

void TcxControl::RaiseInternalControls() {
  if (FHScrollBar) FHScrollBar->BringToFront();
  if (FVScrollBar) FVScrollBar->BringToFront();
  if (FSizeGrip) FSizeGrip->BringToFront();
}

bool TcxControl::IsOwnInternalControl(TControl* Control) {
  return Control && (Control == FHScrollBar || Control == FVScrollBar || Control == FSizeGrip);
}

// ---- window procedure

void TcxControl::WndProc(TMessage& Message) {
  if (FCancelDragPending && Dragging()) {
    FCancelDragPending = false;
    EndDrag(false);
  }
  TcxObjectLinkGuard Link(this);
  const UINT Msg = Message.Msg;
  if ((Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK) && !Dragging()) {
    const POINT P = PointFromLParam(Message.LParam);
    const bool Designing = InDesignMode();
    const bool Own = (Designing && WantsDesignMouse(P.x, P.y, KeysToShiftState(Message.WParam) + ssLeft)) ||
                     (!Designing && GetDragMode() == dmAutomatic);
    TControl* Child = ControlAtPos(P, false);
    if (Own && (!Child || dynamic_cast<TWinControl*>(Child))) {
      // Dispatched here, past the framework's own drag start: the drag begins only
      // once the mouse has left the drag square (StartMouseAction).
      if (GetControlStyle().Contains(csCaptureMouse)) SetCaptureControl(this);
      SetControlState(GetControlState() + csLButtonDown);
      Dispatch(Message);
      if (!Link.Alive()) return;
      SetControlState(GetControlState() - csLButtonDown);
      AfterWndProc(Message);
      return;
    }
  }
  if (Msg == WM_RBUTTONUP) FMouseRightButtonReleased = true;
  TCustomControl::WndProc(Message);
  if (Link.Alive()) AfterWndProc(Message);
}

void TcxControl::AfterWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: FocusChanged(); break;
    case WM_PAINT:
      if (GetParentBackground() != FLastParentBackground) {
        FLastParentBackground = GetParentBackground();
        ParentBackgroundChanged();
      }
      break;
    case WM_RBUTTONUP: FMouseRightButtonReleased = false; break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const TMouseButton Button =
          Message.Msg == WM_LBUTTONDOWN ? mbLeft : Message.Msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
      POINT P = PointFromLParam(Message.LParam);
      // Beyond 32767 pixels the packed coordinates wrap: ask the cursor instead.
      if (GetWidth() > 32768 || GetHeight() > 32768) {
        ReadCursorPosition(P);
        P = ScreenToClient(P);
      }
      StartMouseAction(Button, P.x, P.y);
      break;
    }
  }
}

void TcxControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      // The drag image would be painted over: it is hidden around the painting.
      if (auto* Drag = dynamic_cast<TDragControlObject*>(FCurrentDragObject)) {
        TDragImageList* Images = Drag->GetControl()->GetDragImages();
        if (Images && Images->GetDragging()) {
          Images->HideDragImage();
          TCustomControl::Dispatch(Message);
          Images->ShowDragImage();
          return;
        }
      }
      break;
    case WM_ERASEBKGND:
      if (WantsEraseBackground()) break;
      Message.Result = 1;
      return;
    case WM_CANCELMODE:
      TCustomControl::Dispatch(Message);
      FinishDragAndDrop(false);
      CancelMouseState();
      return;
    case WM_SETCURSOR:
      if (InDesignMode() && FDragAndDropState == ddsNone) {
        POINT P;
        ReadCursorPosition(P);
        P = ScreenToClient(P);
        if (WantsDesignMouse(P.x, P.y, TShiftState{ssLeft})) {
          ::SetCursor(Screen->GetCursors(CursorAt(P.x, P.y)));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_CONTEXTMENU: HandleContextMenu(Message); return;
    case WM_NCCALCSIZE:
      TCustomControl::Dispatch(Message);
      if (HandleAllocated()) PostMessageW(GetHandle(), DXM_SETTINGSNOTICE, 0, 0);
      return;
    case WM_GETDLGCODE: {
      LRESULT Code = 0;
      if (FKeys.Contains(kAll)) Code |= DLGC_WANTALLKEYS;
      if (FKeys.Contains(kArrows)) Code |= DLGC_WANTARROWS;
      if (FKeys.Contains(kChars)) Code |= DLGC_WANTCHARS;
      if (FKeys.Contains(kTab) && GetKeyState(VK_CONTROL) >= 0) Code |= DLGC_WANTTAB;
      Message.Result = Code;
      return;
    }
    case DXM_SETTINGSNOTICE: HandleSettingsNotice(); return;
    case CM_COLORCHANGED:
      AfterColorChanged();
      break;
    case CM_CURSORCHANGED:
      RememberCursor();
      break;
    case CM_DESIGNHITTEST:
      TCustomControl::Dispatch(Message);
      if (Message.Result == 0) {
        const POINT P = PointFromLParam(Message.LParam);
        Message.Result = WantsDesignMouse(P.x, P.y, KeysToShiftState(Message.WParam));
      }
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      TCustomControl::Dispatch(Message);
      auto* C = reinterpret_cast<TControl*>(Message.LParam);
      if (!C) C = this;
      if (Message.Msg == CM_MOUSEENTER) MouseEnterHook(C);
      else MouseLeaveHook(C);
      return;
    }
    case CM_TEXTCHANGED:
      TCustomControl::Dispatch(Message);
      AfterTextChanged();
      return;
    case CM_VISIBLECHANGED:
      TCustomControl::Dispatch(Message);
      AfterVisibleChanged();
      return;
    case CN_KEYDOWN:
      if (IsPopupShortCut(Message)) {
        Message.Result = 1;
        return;
      }
      if (FDragAndDropState != ddsNone) {
        if (Message.WParam == VK_ESCAPE) Perform(WM_KEYDOWN, VK_ESCAPE, Message.LParam);
        Message.Result = 1;
        return;
      }
      break;
    case CN_SYSKEYDOWN:
      if (IsPopupShortCut(Message)) {
        Message.Result = 1;
        return;
      }
      break;
  }
  TCustomControl::Dispatch(Message);
}

void TcxControl::HandleSettingsNotice() {
  if (!FHScrollBar || !FVScrollBar) return;
  const int H = GetSystemMetrics(SM_CYHSCROLL), W = GetSystemMetrics(SM_CXVSCROLL);
  if (FHScrollBar->GetHeight() == H && FVScrollBar->GetWidth() == W) return;
  FHScrollBar->SetHeight(H);
  FVScrollBar->SetWidth(W);
  BoundsChanged();
}

// ---- popup menus

bool TcxControl::ShowPopupMenuAt(TComponent* Menu, int X, int Y) {
  if (!Menu) return false;
  if (auto* Suite = dynamic_cast<IcxPopupMenuIntf*>(Menu)) {
    Suite->PopupAt(X, Y);
    return true;
  }
  auto* Popup = dynamic_cast<TPopupMenu*>(Menu);
  if (Popup && Popup->GetAutoPopup()) {
    Popup->SetPopupComponent(this);
    Popup->Popup(X, Y);
    return true;
  }
  return false;
}

void TcxControl::HandleContextMenu(TMessage& Message) {
  POINT P{-1, -1};
  if (!InDesignMode()) {
    const POINT Given = PointFromLParam(Message.LParam);
    if (Given.x != -1 || Given.y != -1) {
      // Through the window: its client area starts inside its border.
      P = Given;
      ::ScreenToClient(GetHandle(), &P);
      RECT Client;
      ::GetClientRect(GetHandle(), &Client);
      if (!RectContainsPoint(Client, P)) {
        // A click on the border is not the control's to answer.
        DefaultHandler(Message);
        return;
      }
    }
  }
  bool Handled = false;
  TcxObjectLinkGuard Link(this);
  DoContextPopup(P, Handled);
  if (!Link.Alive()) return;
  Message.Result = Handled;
  if (!Handled) DefaultHandler(Message);
}

void TcxControl::DoContextPopup(POINT MousePos, bool& Handled) {
  TCustomControl::DoContextPopup(MousePos, Handled);
  if (Handled) return;
  if (MousePos.x == -1 && MousePos.y == -1) MousePos = POINT{0, 0};
  POINT Screen = MousePos;
  if (HandleAllocated()) ::ClientToScreen(GetHandle(), &Screen);
  else Screen = ClientToScreen(MousePos);
  Handled = ShowPopupMenuAt(FPopupMenu, Screen.x, Screen.y);
}

bool TcxControl::IsPopupShortCut(TMessage& Message) {
  if (InDesignMode()) return false;
  for (TControl* C = this; C; C = C->GetParent()) {
    auto* Control = dynamic_cast<TcxControl*>(C);
    if (!Control || !Control->FPopupMenu) continue;
    if (auto* Suite = dynamic_cast<IcxPopupMenuIntf*>(Control->FPopupMenu)) {
      if (Suite->IsShortCutKey(Message)) return true;
    } else if (auto* Popup = dynamic_cast<TPopupMenu*>(Control->FPopupMenu)) {
      if (Popup->IsShortCut(static_cast<WORD>(Message.WParam), Message.LParam)) return true;
    }
  }
  return false;
}

// ---- mouse

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FMouseDownPos = POINT{X, Y};
  TcxObjectLinkGuard Link(this);
  if (AllowFocusOnMouseDown(X, Y) && !Shift.Contains(ssDouble)) {
    const RECT Before = GetBoundsRect();
    SetFocus();
    if (!Link.Alive()) return;
    TCustomForm* Form = GetParentForm();
    if (Form && Form->GetActiveControl() == this && !HasFocus() && HandleAllocated()) ::SetFocus(GetHandle());
    if (!HasFocus() && !KeepsMouseWithoutFocus()) {
      if (GetCapture() == GetHandle()) ReleaseCapture();
      return;
    }
    // Focusing may have scrolled the control into view.
    const RECT After = GetBoundsRect();
    X += Before.left - After.left;
    Y += Before.top - After.top;
  }
  if (Button == mbLeft && !Shift.Contains(ssDouble) && StartsDragAndDropAt(POINT{X, Y})) {
    if (DragAndDropObject()->StartsImmediately()) BeginDragAndDrop();
    else SetDragAndDropState(ddsStarting);
  } else {
    FinishDragAndDrop(false);
  }
  if (!Link.Alive()) return;
  BeforeMouseDown(Button, Shift, X, Y);
  if (!Link.Alive()) return;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!Link.Alive()) return;
  if (HandleAllocated() && GetCapture() == GetHandle()) FMouseButtonPressed = true;
}

void TcxControl::MouseMove(TShiftState Shift, int X, int Y) {
  // The cursor follows the point; the default one stays what it was.
  const TCursor Default = FDefaultCursor;
  SetCursor(CursorAt(X, Y));
  FDefaultCursor = Default;
  TcxObjectLinkGuard Link(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!Link.Alive()) return;
  if (FDragAndDropState == ddsStarting && PastDragThreshold(X, Y)) BeginDragAndDrop();
  if (FDragAndDropState == ddsInProcess) {
    bool Accepted = false;
    DragAndDropMove(POINT{X, Y}, Accepted);
  }
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FMouseButtonPressed = false;
  TcxObjectLinkGuard Link(this);
  FinishMouseAction();
  if (Link.Alive()) TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) FinishDragAndDrop(false);
  TCustomControl::KeyDown(Key, Shift);
}

void TcxControl::FinishMouseAction() { FinishDragAndDrop(true); }

void TcxControl::StartMouseAction(TMouseButton Button, int X, int Y) {
  if (Button == mbLeft && GetDragMode() == dmAutomatic) {
    if (HandleAllocated() && GetCapture() == GetHandle() && (!InDesignMode() || CanDragAt(X, Y)) &&
        CanStartAutoDrag() && WaitForDragStart(GetHandle()) == 1)
      BeginDrag(true);
  } else if (Button == mbMiddle && (IsScrollBarVisible(sbHorizontal) || IsScrollBarVisible(sbVertical))) {
    AutoScroll();
  }
}

TcxControlChildComponent::TcxControlChildComponent(TcxControl* AControl, bool AssignOwner)
    : TcxComponent(AssignOwner && AControl ? AControl->GetOwner() : nullptr) {
  Initialize();
  SetControl(AControl);
}

TcxControlChildComponent::~TcxControlChildComponent() { SetControl(nullptr); }

void TcxControlChildComponent::SetControl(TcxControl* Value) {
  if (FControl == Value) return;
  if (FControl) FControl->RemoveChildComponent(this);
  FControl = Value;
  if (FControl) FControl->AddChildComponent(this);
}
