#include "suite/bars/BarQuickControl.h"

#include <algorithm>

#include "suite/bars/BarCustomizingPopups.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteTimer.h"
#include "suite/common/WindowUtils.h"

POINT PlaceQuickPopup(const RECT& Anchor, SIZE Size, bool Vertical, bool AlignLeft, const RECT& WorkArea) {
  POINT P;
  if (Vertical) {
    P = POINT{Anchor.right, Anchor.top};
    if (P.x + Size.cx > WorkArea.right) P.x = Anchor.left - Size.cx;
    P.y = std::max<LONG>(WorkArea.top, std::min<LONG>(P.y, WorkArea.bottom - Size.cy));
    return P;
  }
  P = POINT{AlignLeft ? Anchor.left : Anchor.right - Size.cx, Anchor.bottom};
  P.x = std::max<LONG>(WorkArea.left, std::min<LONG>(P.x, WorkArea.right - Size.cx));
  if (P.y + Size.cy > WorkArea.bottom) P.y = Anchor.top - Size.cy;
  return P;
}

TdxBarQuickControl::TdxBarQuickControl(TComponent* AOwner) : TdxBarControl(AOwner) {
  FCloseTimer.reset(TcxTimer::Create(nullptr));
  FCloseTimer->SetEnabled(false);
  FCloseTimer->SetInterval(200);
  FCloseTimer->SetOnTimer(Bind(this, &TdxBarQuickControl::CloseTimerTick));
}

TdxBarQuickControl* TdxBarQuickControl::CreateAsPopup(TdxBarControl* ParentBarControl, TdxBar* SourceBar) {
  TdxBarManager* Manager = SourceBar ? SourceBar->GetBarManager() : nullptr;
  if (!ParentBarControl || !Manager) return nullptr;
  BarDesignControllerInstance()->ClearInternalItems();
  auto* Popup = Create(Manager->OwnerComponent());
  Popup->SetBarManager(Manager);
  Popup->FPopupBar = CreateObjectLink(SourceBar);
  Popup->FToolbar = CreateObjectLink(ParentBarControl);
  Popup->SetParentBar(ParentBarControl);
  if (ParentBarControl->HandleAllocated()) Popup->FOwnerBounds = QueryWindowRect(ParentBarControl->GetHandle());
  // The popup's own bar: never listed, never docked, with the toolbar's font.
  Manager->LockBarsUpdate();
  try {
    TdxBar* Bar = Manager->GetBars()->Add();
    Bar->SetAllowQuickCustomizing(false);
    Bar->SetHidden(true);
    Bar->SetBorderStyle(bbsNone);
    Bar->SetFont(ParentBarControl->GetFont());
    Bar->SetUseOwnFont(false);
    Popup->FOwnBar = CreateObjectLink(Bar);
    Popup->SetBar(Bar);
    Bar->GetItemLinks()->SetInternal(true);
    Bar->GetItemLinks()->AdoptBarControl(Popup);
    Popup->AssignItemLinks(Bar->GetItemLinks());
  } catch (...) {
    Manager->UnlockBarsUpdate();
    Free(Popup);
    throw;
  }
  Manager->UnlockBarsUpdate();
  Popup->SetFont(ParentBarControl->GetFont());
  return Popup;
}

TdxBarQuickControl::~TdxBarQuickControl() {
  OnDestroyed(this);
  FCloseTimer.reset();
  DestroyItemControls();
  auto* Bar = FOwnBar ? static_cast<TdxBar*>(FOwnBar->Ref) : nullptr;
  DropObjectLink(FOwnBar);
  SetBar(nullptr);
  AssignItemLinks(nullptr);
  // The bar goes with the window, unless the bar is the one freeing it (with its manager).
  if (Bar && !Bar->GetComponentState().Contains(csDestroying)) {
    if (TdxBarItemLinks* Links = Bar->GetItemLinks()) Links->ForgetBarControl();
    Free(Bar);
  }
  DropObjectLink(FToolbar);
  DropObjectLink(FPopupBar);
}

TdxBarPainter* TdxBarQuickControl::GetPainter() const {
  return FOwnPainter ? FOwnPainter : TdxBarControl::GetPainter();
}

TdxBarControl* TdxBarQuickControl::GetToolbar() const {
  return FToolbar ? static_cast<TdxBarControl*>(FToolbar->Ref) : nullptr;
}

TdxBar* TdxBarQuickControl::GetPopupBar() const { return FPopupBar ? static_cast<TdxBar*>(FPopupBar->Ref) : nullptr; }

SIZE TdxBarQuickControl::PopupSize() {
  SIZE S = CalcSizeForWidth(dsNone, 0);
  RECT B = FrameBorders(dsNone);
  return SIZE{S.cx + B.left + B.right, S.cy + B.top + B.bottom};
}

void TdxBarQuickControl::ShowAsPopup(const RECT& R) {
  TdxBarControl* Toolbar = GetToolbar();
  TdxBarPainter* P = GetPainter();
  bool Vertical = Toolbar && Toolbar->IsVertical();
  bool AlignLeft = Toolbar && Toolbar->IsFloating() && P && P->QuickPopupQuery();
  HandleNeeded();
  CalcMeasures();
  Rebuild();
  SIZE Size = PopupSize();
  POINT At = PlaceQuickPopup(R, Size, Vertical, AlignLeft,
                             MonitorWorkAreaAt(Vertical ? POINT{R.right, R.top} : POINT{R.left, R.bottom}));
  FShownAgainst = R;
  SetWindowPos(GetHandle(), HWND_TOP, At.x, At.y, Size.cx, Size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetVisible(true);
  PlaceItemLinks();
}

void TdxBarQuickControl::FollowOwner(const RECT& R) {
  FShownAgainst = R;
  if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TdxBarQuickControl::WindowPosChanged(const WINDOWPOS& Pos) {
  TdxBarControl::WindowPosChanged(Pos);
  TdxBarControl* Toolbar = GetToolbar();
  if ((Pos.flags & SWP_HIDEWINDOW) && !IsClosing() && Toolbar && Toolbar->GetQuickPopup() == this)
    ShowParentHiddenItems();
}

RECT TdxBarQuickControl::OwnerLinkRect(bool Screen) const {
  RECT None{0, 0, 0, 0};
  if (!HandleAllocated() || IsRectEmpty(&FShownAgainst)) return None;
  RECT W = QueryWindowRect(const_cast<TdxBarQuickControl*>(this)->GetHandle());
  const RECT& O = FShownAgainst;
  RECT S = None;
  // The strip runs along the shared edge, short of its outermost pixels.
  if (W.top == O.bottom || W.bottom == O.top) {
    LONG Y = W.top == O.bottom ? W.top : W.bottom - 1;
    S = RECT{std::max(W.left, O.left) + 1, Y, std::min(W.right, O.right) - 1, Y + 1};
  } else if (W.left == O.right || W.right == O.left) {
    LONG X = W.left == O.right ? W.left : W.right - 1;
    S = RECT{X, std::max(W.top, O.top) + 1, X + 1, std::min(W.bottom, O.bottom) - 1};
  }
  if (IsRectEmpty(&S)) return None;
  if (!Screen) OffsetRect(&S, -W.left, -W.top);
  return S;
}

void TdxBarQuickControl::StartCloseTimer() { FCloseTimer->SetEnabled(true); }

bool TdxBarQuickControl::IsCloseTimerRunning() const { return FCloseTimer && FCloseTimer->GetEnabled(); }

void TdxBarQuickControl::CloseTimerTick(TObject* Sender) {
  (void)Sender;
  FCloseTimer->SetEnabled(false);
  if (!HandleAllocated()) return;
  POINT P;
  GetCursorPos(&P);
  HWND Under = WindowFromPoint(P);
  if (Under == GetHandle() || IsChild(GetHandle(), Under)) return;
  // A failure while closing must not escape the timer.
  try {
    ShowParentHiddenItems();
  } catch (...) {
  }
}

void TdxBarQuickControl::ShowParentHiddenItems() {
  if (TdxBarControl* Toolbar = GetToolbar()) Toolbar->ShowHiddenItems(0);
}

void TdxBarQuickControl::DoClose() {
  TcxObjectLinkGuard Alive(this);
  if (TCustomdxBarControl* Child = GetChildBar()) Child->CloseBar();
  if (!Alive.Alive()) return;
  TdxBarControl::DoClose();
  if (!Alive.Alive()) return;
  if (BarDesignControllerInstance()->GetQuickControl() == this) BarDesignControllerInstance()->SetQuickControl(nullptr);
  // The window goes once the message that closed it is done (it may be its own).
  if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
  SetVisible(false);
  ReleaseBarWindowLater(this);
  TdxBarControl* Toolbar = GetToolbar();
  if (!Toolbar) return;
  // The press that closed the popup on the mark must not open it again.
  POINT P;
  RECT Mark = Toolbar->MarkScreenRect();
  if (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0 && GetCursorPos(&P) &&
      PtInRect(&Mark, P))
    Toolbar->SwallowNextClick();
  Toolbar->MarkPopupClosed(this);
}

void TdxBarQuickControl::PaintPopupFrame(HDC DC) {
  RECT W = QueryWindowRect(GetHandle());
  OffsetRect(&W, -W.left, -W.top);
  RECT B = FrameBorders(dsNone);
  RECT Inner{W.left + B.left, W.top + B.top, W.right - B.right, W.bottom - B.bottom};
  int Saved = SaveDC(DC);
  ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
  FillRect(DC, &W, BackgroundBrush());
  FrameRect(DC, &W, GetSysColorBrush(COLOR_BTNSHADOW));
  RestoreDC(DC, Saved);
  if (TdxBarPainter* P = GetPainter()) P->FillOwnerSeam(this, DC);
}

void TdxBarQuickControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: {
      FHitTested = true;
      POINT P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
      RECT Client = HandleAllocated() ? QueryClientRect(GetHandle()) : RECT{0, 0, 0, 0};
      if (HandleAllocated()) ::ScreenToClient(GetHandle(), &P);
      Message.Result = PtInRect(&Client, P) ? HTCLIENT : HTBORDER;
      return;
    }
    case WM_NCPAINT:
      if (HandleAllocated()) {
        HDC DC = GetWindowDC(GetHandle());
        PaintPopupFrame(DC);
        ReleaseDC(GetHandle(), DC);
      }
      Message.Result = 0;
      return;
    case WM_RBUTTONDOWN:
      // No context menu over the popup.
      Message.Result = DefWindowProcW(GetHandle(), Message.Msg, Message.WParam, Message.LParam);
      return;
    default: break;
  }
  TdxBarControl::WndProc(Message);
}

void NoteSelectionOutsideQuickControl(TCustomdxBarControl* Window, TdxBarItemControl* Control) {
  auto* Quick = dynamic_cast<TdxBarQuickControl*>(BarDesignControllerInstance()->GetQuickControl());
  if (Control && Quick && Quick != Window && !Quick->IsActive() && Quick->HandleAllocated())
    Quick->StartCloseTimer();
}
