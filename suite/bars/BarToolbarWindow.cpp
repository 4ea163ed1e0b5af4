// The toolbar window: its sizes on the layout rules, its frame (grip, floating
// caption, close button, sizing edges, mark), its painting and its mouse.
#include <algorithm>

#include "framework/Canvas.h"
#include "framework/Form.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarDragInfo.h"
#include "suite/bars/BarMarkPopup.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarToolbarFrame.h"
#include "suite/common/ObjectLinks.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarToolbarLayout.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"

SIZE ToolbarLinkSize(TdxBarItemLink* Link) {
  TdxBarItemControl* C = Link ? Link->GetControl() : nullptr;
  return C ? SIZE{C->GetWidthInParent(), C->GetHeightInParent()} : SIZE{23, 22};
}

std::vector<TdxToolbarLayoutItem> ToolbarLayoutItemsOf(TdxBarControl* Window, bool Vertical) {
  std::vector<TdxToolbarLayoutItem> Items;
  TdxBarItemLinks* Links = Window->GetItemLinks();
  for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    SIZE S = ToolbarLinkSize(L);
    TdxToolbarLayoutItem It;
    It.Length = Vertical ? S.cy : S.cx;
    It.Thickness = Vertical ? S.cx : S.cy;
    It.BeginGroup = L->GetBeginGroup();
    if (TdxBarItemControl* C = L->GetControl()) It.Align = C->ActualAlign();
    It.MinLength = It.Length;
    Items.push_back(It);
  }
  return Items;
}

namespace {
bool IsVerticalStyle(TdxBarDockingStyle Style) { return Style == dsLeft || Style == dsRight; }

TdxToolbarLayoutParams WrapParams(TdxBarControl* W, TdxBarDockingStyle Style) {
  TdxToolbarLayoutParams P;
  P.Vertical = IsVerticalStyle(Style);
  P.Wrapping = true;
  P.Docked = Style != dsNone;
  P.MarkExtent = W->MarkExtent();
  return P;
}

// The wrapped size (width, height) for a length along the window's rows.
SIZE WrappedSize(TdxBarControl* W, TdxBarDockingStyle Style, int Limit) {
  TdxToolbarLayoutParams P = WrapParams(W, Style);
  std::vector<TdxToolbarLayoutItem> Items = ToolbarLayoutItemsOf(W, P.Vertical);
  SIZE Min{W->MinWidthForStyle(Style), W->MinHeightForStyle(Style)};
  if (P.Vertical) std::swap(Min.cx, Min.cy);
  SIZE S = WrapToolbarItems(Items, P, Limit, Min);
  return P.Vertical ? SIZE{S.cy, S.cx} : S;
}

// The narrowest (or lowest) wrapping whose other side still fits Extent: each
// step asks for one pixel less than the last answer, so the walk jumps from one
// row break to the next and ends when the answer no longer shrinks.
SIZE ShrinkToFit(TdxBarControl* W, TdxBarDockingStyle Style, SIZE S, int Extent, bool Narrow) {
  for (;;) {
    SIZE N = Narrow ? WrappedSize(W, Style, static_cast<int>(S.cx) - 1) : WrappedSize(W, Style, static_cast<int>(S.cy) - 1);
    if (Narrow ? (N.cx >= S.cx || N.cy > Extent) : (N.cy >= S.cy || N.cx > Extent)) return S;
    S = N;
  }
}
}  // namespace

SIZE TdxBarControl::CalcSizeForWidth(TdxBarDockingStyle Style, int Extent) {
  if (!IsFloatingOrMultiLine()) return SIZE{Extent, MinHeightForStyle(Style)};
  if (!IsVerticalStyle(Style)) return WrappedSize(this, Style, Extent);
  return ShrinkToFit(this, Style, WrappedSize(this, Style, ContentHeight(Style)), Extent, false);
}

SIZE TdxBarControl::CalcWrappedSize(TdxBarDockingStyle Style, int Extent) {
  if (!IsFloatingOrMultiLine()) return SIZE{MinWidthForStyle(Style), Extent};
  if (IsVerticalStyle(Style)) return WrappedSize(this, Style, Extent);
  return ShrinkToFit(this, Style, WrappedSize(this, Style, ContentWidth(Style)), Extent, true);
}

void TdxBarControl::Rebuild() {
  CreateItemControls();
  // The controls may have changed size: a docked window has its site lay the rows
  // out again, a floating one takes the size its links now need.
  if (HandleAllocated() && !IsInternalLocked() && !IsMoving()) {
    if (TdxDockControl* Site = GetDockSite()) {
      Site->RebuildLayout();
    } else if (IsFloating()) {
      RECT B = FrameBorders(dsNone);
      SIZE S = CalcSizeForWidth(dsNone, GetClientWidth());
      SetWindowPos(GetHandle(), nullptr, 0, 0, S.cx + B.left + B.right, S.cy + B.top + B.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  PlaceItemLinks();
  TCustomdxBarControl::Rebuild();
}

void TdxBarControl::Resize() {
  TCustomdxBarControl::Resize();
  PlaceItemLinks();
}

void TdxBarControl::PlaceItemLinks() {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links || !HandleAllocated()) return;
  RECT Client = QueryClientRect(GetHandle());
  TdxToolbarLayoutParams P;
  P.Vertical = IsVerticalStyle(GetDockingStyle());
  P.Wrapping = IsFloatingOrMultiLine();
  P.Docked = !IsFloating();
  P.ClientLength = P.Vertical ? Client.bottom : Client.right;
  P.ClientThickness = P.Vertical ? Client.right : Client.bottom;
  std::vector<TdxToolbarLayoutItem> Items = ToolbarLayoutItemsOf(this, P.Vertical);
  if (P.Wrapping) {
    P.MarkExtent = MarkExtent();
    WrapToolbarItems(Items, P, P.ClientLength, SIZE{0, 0});
  }
  bool Truncated = LayoutToolbarItems(Items, P);
  // The mark shows only on a truncated row, and then takes its own room there.
  if (Truncated && !P.Wrapping) {
    P.MarkExtent = MarkSize();
    LayoutToolbarItems(Items, P);
  }
  SetTruncated(Truncated);
  for (int I = 0; I < Links->ShownLinkCount() && I < static_cast<int>(Items.size()); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    const TdxToolbarLayoutItem& It = Items[static_cast<size_t>(I)];
    L->SetRowHeight(It.RowHeight);
    L->SetDisplayRect(It.Rect);
    if (TdxBarItemControl* C = L->GetControl()) {
      C->SetLastInRow(It.LastInRow);
      C->CalcPartRects();
    }
  }
}

// ---- frame

namespace {
enum TLoopStep { lsDispatch, lsTaken, lsEnd };

// A modal loop while Wnd holds the capture (the window's own button and edge
// tracking): Step takes each message, or has it dispatched, or ends the loop. A
// failing GetMessage ends it; WM_QUIT ends it and is posted again.
template <class F>
void CaptureLoop(HWND Wnd, const TcxObjectLinkGuard& Alive, F Step) {
  MSG Msg;
  while (Alive.Alive() && GetCapture() == Wnd) {
    BOOL Got = GetMessageW(&Msg, nullptr, 0, 0);
    if (Got == -1) break;
    if (!Got) {
      PostQuitMessage(static_cast<int>(Msg.wParam));
      break;
    }
    TLoopStep S = Step(Msg);
    if (S == lsEnd) break;
    if (S == lsTaken) continue;
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
}
}  // namespace


bool TdxBarControl::HasCloseButton() const { return IsFloating() && FBar && FBar->CanClose(); }

RECT TdxBarControl::CloseButtonWindowRect() {
  TdxBarPainter* P = GetPainter();
  if (!P || !HasCloseButton()) return RECT{0, 0, 0, 0};
  RECT Caption;
  P->FloatingCaptionRect(RECT{0, 0, GetWidth(), GetHeight()}, Caption);
  // Where the painter draws it: the caption's right end, a caption height wide.
  return RECT{Caption.right - P->SmallCaptionHeight(), Caption.top, Caption.right, Caption.bottom};
}

RECT TdxBarControl::MarkClientRect() {
  TdxBarPainter* P = GetPainter();
  RECT R{0, 0, 0, 0};
  if (P && HasMark() && !IsFloating()) P->MarkRect(this, R);
  return R;
}

void TdxBarControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  Params.WindowClass.style |= CS_DBLCLKS;
}

void TdxBarControl::PaintFrame(HDC DC) {
  TdxBarPainter* P = GetPainter();
  if (!P || !HandleAllocated()) return;
  RECT W = QueryWindowRect(GetHandle());
  OffsetRect(&W, -W.left, -W.top);
  RECT B = FrameBorders(GetDockingStyle());
  RECT Inner{W.left + B.left, W.top + B.top, W.right - B.right, W.bottom - B.bottom};
  if (EqualRect(&W, &Inner)) return;
  int Saved = SaveDC(DC);
  ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
  HBRUSH Brush = ToolbarBrush();
  if (IsFloating()) {
    FillRect(DC, &W, Brush);
    P->DrawFloatingBorder(this, DC, Brush, W, Inner);
    RECT Caption;
    P->FloatingCaptionRect(W, Caption);
    P->DrawFloatingCaption(this, DC, Brush, Caption);
  } else {
    P->DrawBarBackground(this, DC, clNone, Brush, W, W);
    if (FBar && FBar->GetBorderStyle() != bbsNone) P->DrawGrip(this, DC, Brush, W);
    if (FBar && FBar->IsSizeGripVisible()) {
      SIZE Grip;
      P->SizeGripExtent(GetBarManager(), Grip);
      P->PaintSizeGrip(this, DC, RECT{Inner.right, Inner.bottom - Grip.cy, Inner.right + Grip.cx, Inner.bottom});
    }
  }
  RestoreDC(DC, Saved);
}

void TdxBarControl::NCHitTest(TMessage& Message) {
  TCustomdxBarControl::WndProc(Message);
  TdxBarPainter* P = GetPainter();
  if (!P || !HandleAllocated()) return;
  TdxToolbarHitTestInput In;
  In.Framework = Message.Result;
  In.Floating = IsFloating();
  In.Vertical = IsVertical();
  In.Customizing = IsCustomizing();
  In.OwnHitTesting = !(BehaviorFlags() & 0x80);
  POINT Screen{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
  RECT W = QueryWindowRect(GetHandle());
  In.Window = POINT{Screen.x - W.left, Screen.y - W.top};
  In.Client = Screen;
  ::ScreenToClient(GetHandle(), &In.Client);
  In.WindowSize = SIZE{W.right - W.left, W.bottom - W.top};
  In.EdgeWidth = P->FloatingFrameWidth();
  In.EdgeHeight = P->FloatingFrameHeight();
  if (TdxBarItemControl* C = ItemControlAtPos(In.Client)) In.FreePoint = !In.Customizing && !C->WantsMouse();
  RECT Mark = MarkClientRect();
  In.OnMark = PtInRect(&Mark, In.Client) != 0;
  RECT Close = CloseButtonWindowRect();
  In.OnCloseButton = PtInRect(&Close, In.Window) != 0;
  In.SystemCloseButton = P->SystemHandlesCloseButton();
  if (FBar && FBar->IsSizeGripVisible()) {
    SIZE Grip;
    P->SizeGripExtent(GetBarManager(), Grip);
    RECT C = QueryClientRect(GetHandle());
    RECT G{C.right, C.bottom - Grip.cy, C.right + Grip.cx, C.bottom};
    In.InSizeGrip = PtInRect(&G, In.Client) != 0;
  }
  TdxToolbarHitTestResult R = ToolbarHitTest(In);
  FHitTestCode = R.Code;
  Message.Result = R.Answer;
}

// The close button's own loop: pressed while the cursor stays on it, a release on
// it hides the bar and tells the manager once.
void TdxBarControl::TrackCloseButton() {
  TcxObjectLinkGuard Alive(this);
  HWND Wnd = GetHandle();
  auto OnButton = [&] {
    POINT P;
    GetCursorPos(&P);
    RECT W = QueryWindowRect(Wnd);
    RECT B = CloseButtonWindowRect();
    OffsetRect(&B, W.left, W.top);
    return PtInRect(&B, P) != 0;
  };
  auto SetState = [&](int State) {
    if (FCloseButtonState == State) return;
    FCloseButtonState = State;
    SendMessageW(Wnd, WM_NCPAINT, 1, 0);
  };
  SetState(2);
  SetCapture(Wnd);
  bool Released = false;
  CaptureLoop(Wnd, Alive, [&](const MSG& Msg) {
    if (Msg.message == WM_MOUSEMOVE) {
      SetState(OnButton() ? 2 : 1);
      return lsTaken;
    }
    if (Msg.message == WM_LBUTTONUP) {
      Released = OnButton();
      return lsEnd;
    }
    return Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE ? lsEnd : lsDispatch;
  });
  if (!Alive.Alive()) return;
  if (GetCapture() == Wnd) ReleaseCapture();
  SetState(0);
  if (!Released || !FBar) return;
  TdxBar* Bar = FBar;
  TdxBarManager* M = GetBarManager();
  // Hiding the bar frees this window.
  Bar->SetVisible(false);
  if (M) {
    M->NotifyModified();
    M->DoBarClose(Bar);
  }
}

// A floating edge dragged: the window follows the cursor, each new rectangle
// snapped by WM_SIZING as the system's sizing would; Esc puts it back.
void TdxBarControl::TrackEdge(int Code) {
  TcxObjectLinkGuard Alive(this);
  HWND Wnd = GetHandle();
  RECT Start = QueryWindowRect(Wnd);
  POINT Origin;
  GetCursorPos(&Origin);
  UINT Edge = Code == tbhLeft ? WMSZ_LEFT : Code == tbhRight ? WMSZ_RIGHT : Code == tbhTop ? WMSZ_TOP : WMSZ_BOTTOM;
  auto Apply = [&](const RECT& R) {
    SetWindowPos(Wnd, nullptr, R.left, R.top, R.right - R.left, R.bottom - R.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  SetCapture(Wnd);
  CaptureLoop(Wnd, Alive, [&](const MSG& Msg) {
    if (Msg.message == WM_MOUSEMOVE) {
      POINT P;
      GetCursorPos(&P);
      RECT R = DraggedEdgeRect(Start, Code, POINT{P.x - Origin.x, P.y - Origin.y});
      SendMessageW(Wnd, WM_SIZING, Edge, reinterpret_cast<LPARAM>(&R));
      Apply(R);
      return lsTaken;
    }
    if (Msg.message == WM_LBUTTONUP) return lsEnd;
    if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
      Apply(Start);
      return lsEnd;
    }
    return lsDispatch;
  });
  if (Alive.Alive() && GetCapture() == Wnd) ReleaseCapture();
}

void TdxBarControl::ToggleDocking() {
  TdxBar* Bar = FBar;
  TdxBarManager* M = GetBarManager();
  if (!Bar || !M || M->InDesignMode()) return;
  TdxBarDockingStyle Style = dsNone;
  TdxDockControl* Site = nullptr;
  if (IsFloating()) {
    Style = Bar->GetDockedDockingStyle();
    if (Style == dsNone) Style = dsTop;
    Site = Bar->GetDockedDockControl();
    if (!Site) Site = M->GetBars()->FormDockSite(Style);
  }
  if (!M->CanDock(Bar, Style, Site)) return;
  // Hiding the bar frees this window; the bar shows a new one at the new place.
  Bar->SetVisible(false);
  if (Style == dsNone)
    Bar->SetDockingStyle(dsNone);
  else
    Bar->ChangeDocking(Style, Site);
  Bar->SetVisible(true);
}

// ---- the mark

void TdxBarControl::ShowHiddenItems(int State) {
  if (IsCustomizing() || State == FMarkState) return;
  FMarkState = State;
  StopMarkTimer();
  TcxObjectLinkGuard Alive(this);
  if (State == 2)
    OpenMarkPopup();
  else
    CloseMarkPopup();
  if (!Alive.Alive()) return;
  if (FMarkState == 1 && IsFloating()) StartMarkTimer();
  if (TdxBarPainter* P = GetPainter()) P->RedrawMark(this);
}

RECT TdxBarControl::MarkScreenRect() {
  RECT R = MarkClientRect();
  if (IsRectEmpty(&R) || !HandleAllocated()) return R;
  POINT TopLeft = ClientPointToScreen(POINT{R.left, R.top});
  return RECT{TopLeft.x, TopLeft.y, TopLeft.x + (R.right - R.left), TopLeft.y + (R.bottom - R.top)};
}

void TdxBarControl::FillMarkPopupLinks(TdxBarItemLinks* Links) {
  TdxBarItemLinks* Own = GetItemLinks();
  if (!Own) return;
  Links->BeginUpdate();
  for (int I = 0; I < Own->ShownLinkCount(); ++I) {
    TdxBarItemLink* Source = Own->GetShownLink(I);
    RECT R = Source->GetItemRect();
    if (!IsRectEmpty(&R) || !Source->GetItem()) continue;
    TdxBarItemLink* Copy = Links->AddItem(Source->GetItem());
    Copy->Assign(Source);
    Copy->SetSourceLink(Source);
  }
  AddQuickCustomizeItem(Links);
  Links->EndUpdate();
}

void TdxBarControl::OpenMarkPopup() {
  TdxBarManager* Manager = GetBarManager();
  if (!Manager || !HandleAllocated()) return;
  TdxBarDesignController* Design = BarDesignControllerInstance();
  Design->CloseQuickControl();
  auto* Popup = TdxBarMarkPopup::Create(Manager);
  Popup->SetOwnPainter(GetPainter());
  Popup->SetToolbar(this);
  FillMarkPopupLinks(Popup->GetItemLinks());
  if (Popup->GetItemLinks()->GetCount() == 0) {
    Free(Popup);
    FMarkState = 1;
    return;
  }
  Popup->SetFreeOnClose(true);
  FQuickPopup = Popup;
  Design->SetQuickControl(Popup);
  SetChildBar(Popup);
  Popup->ShowAt(MarkScreenRect(), IsVerticalStyle(GetDockingStyle()));
}

void TdxBarControl::CloseMarkPopup() {
  TCustomdxBarControl* Popup = FQuickPopup;
  if (!Popup) return;
  // Forgotten first: the popup's closing must not reset the new state.
  FQuickPopup = nullptr;
  if (GetChildBar() == Popup) SetChildBar(nullptr);
  Popup->CloseBar();
}

void TdxBarControl::MarkPopupClosed(TCustomdxBarControl* Popup) {
  if (Popup != FQuickPopup) return;
  FQuickPopup = nullptr;
  if (GetChildBar() == Popup) SetChildBar(nullptr);
  ShowHiddenItems(0);
}

void TdxBarControl::OpenMarkPopupByKey() {
  if (!HasMark()) return;
  ShowHiddenItems(2);
  auto* Popup = dynamic_cast<TdxBarMarkPopup*>(FQuickPopup);
  TdxBarItemLinks* Links = Popup ? Popup->GetItemLinks() : nullptr;
  if (TdxBarItemLink* First = Links ? Links->FirstSelectableLink() : nullptr)
    if (First->GetControl()) Popup->SelectItemControl(First->GetControl());
}

void TdxBarControl::StartMarkTimer() {
  if (!HandleAllocated() || FMarkTimer) return;
  FMarkTimer = SetTimer(GetHandle(), 1, 50, &MarkTimerProc) != 0;
}

void TdxBarControl::StopMarkTimer() {
  if (!FMarkTimer) return;
  FMarkTimer = false;
  if (HandleAllocated()) KillTimer(GetHandle(), 1);
  if (FMarkState == 1) ShowHiddenItems(0);
}

void CALLBACK TdxBarControl::MarkTimerProc(HWND Wnd, UINT Msg, UINT_PTR Id, DWORD Time) {
  (void)Msg, (void)Id, (void)Time;
  auto* W = dynamic_cast<TdxBarControl*>(TWinControl::FindControl(Wnd));
  if (!W) return;
  POINT P;
  GetCursorPos(&P);
  ::ScreenToClient(Wnd, &P);
  RECT Mark = W->MarkClientRect();
  if (IsWindowVisible(Wnd) && PtInRect(&Mark, P)) return;
  W->StopMarkTimer();
}

// ---- painting

void TdxBarControl::Paint() {
  if (IsBeingDestroyed()) return;
  TCanvas* Canvas = GetCanvas();
  HDC DC = Canvas->GetHandle();
  RECT Client = GetClientRect();
  Canvas->GetFont()->Assign(GetFont());
  HBRUSH Brush = BackgroundBrush();
  FillItemBackground(DC, Client, Brush, clNone, true);
  TdxBarPainter* P = GetPainter();
  TdxBarItemLinks* Links = GetItemLinks();
  if (!P || !Links) return;
  TcxCanvas* cx = GetPaintCanvas();
  bool Column = IsVertical();
  int Gap = SeparatorSize();
  for (int I = 0; I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    RECT R = L->GetItemRect();
    if (IsRectEmpty(&R)) continue;
    if (TdxBarItemControl* C = L->GetControl()) C->Paint(cx, R, PaintType());
    // A group that starts inside a row has its separator in the gap before it.
    if (I > 0 && L->GetBeginGroup() && (Column ? R.top >= Gap : R.left >= Gap)) {
      RECT S = Column ? RECT{R.left, R.top - Gap, R.right, R.top} : RECT{R.left - Gap, R.top, R.left, R.bottom};
      P->DrawBarSeparator(this, DC, Column, Brush, S);
    }
  }
  RECT Mark = MarkClientRect();
  if (!IsRectEmpty(&Mark)) P->DrawMark(this, cx, Brush, Mark);
}

// ---- mouse

void TdxBarControl::SetHotLink(TdxBarItemLink* Link, POINT P) {
  if (Link != FHotLink) {
    if (FHotLink)
      if (TdxBarItemControl* Old = FHotLink->GetControl()) Old->MouseLeave();
    FHotLink = Link;
    if (Link)
      if (TdxBarItemControl* New = Link->GetControl()) New->MouseEnter(TShiftState{}, P.x, P.y);
  }
  if (Link)
    if (TdxBarItemControl* C = Link->GetControl()) C->MouseMove(TShiftState{}, P.x, P.y);
}

void TdxBarControl::TrackMouseLeave() {
  if (FMouseTracked || !HandleAllocated()) return;
  TRACKMOUSEEVENT T{sizeof(T), TME_LEAVE, GetHandle(), 0};
  FMouseTracked = TrackMouseEvent(&T) != 0;
}

void TdxBarControl::SetActive(bool Value) {
  if (Value == IsActive()) return;
  TdxBarManager* M = GetBarManager();
  TCustomdxBarControl::SetActive(Value);
  if (Value) {
    if (M) M->SetFocusedBarControl(this);
    return;
  }
  if (M && M->GetFocusedBarControl() == this) M->SetFocusedBarControl(nullptr);
  SetPressed(false);
  if (!IsBeingDestroyed()) {
    SetSelectedLink(nullptr);
    if (HandleAllocated()) Invalidate();
  }
}

void TdxBarControl::DoClose() {
  TCustomdxBarControl::DoClose();
}

bool TdxBarControl::HandleMouse(TMessage& Message) {
  UINT Msg = Message.Msg;
  POINT P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
  TcxObjectLinkGuard Alive(this);
  switch (Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (Message.WParam == HTCLOSE) {
        TrackCloseButton();
        return true;
      }
      if (IsFloating() && (FHitTestCode == tbhLeft || FHitTestCode == tbhRight || FHitTestCode == tbhTop ||
                           FHitTestCode == tbhBottom)) {
        TrackEdge(FHitTestCode);
        return true;
      }
      return false;
    case WM_LBUTTONDBLCLK:
      if (FSwallowNextClick) return true;
      if (FHitTestCode == tbhDrag) {
        ToggleDocking();
        return true;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN: {
      if (FSwallowNextClick) return true;
      if (FHitTestCode == tbhClose) {
        TrackCloseButton();
        return true;
      }
      if (FHitTestCode == tbhDrag) {
        if (IsActive()) CloseBar();
        if (Alive.Alive() && FBar && FBar->GetManagerBars()) FBar->GetManagerBars()->TrackBarDrag(this);
        return true;
      }
      if (BeginCustomizingDrag(this, P)) return true;
      RECT Mark = MarkClientRect();
      if (PtInRect(&Mark, P)) {
        ShowHiddenItems(FMarkState == 2 ? 1 : 2);
        return true;
      }
      if (FMarkState == 2) {
        ShowHiddenItems(0);
        if (!Alive.Alive()) return true;
      }
      TdxBarItemControl* Control = ItemControlAtPos(P);
      if (!Control || !Control->IsEnabled() || !Control->WantsMouse()) {
        if (IsActive()) CloseBar();
        return true;
      }
      SetHotLink(Control->GetItemLink(), P);
      bool WasSelected = IsActive() && SelectedItemControl() == Control;
      TcxObjectLinkGuard ControlAlive(Control);
      if (IsActive()) {
        bool Handled = false;
        Control->ActiveBarMouseDown(WasSelected, Handled);
        if (!Alive.Alive() || !ControlAlive.Alive() || Handled) return true;
      }
      if (SelectedItemControl() != Control || !IsActive()) SelectAndActivate(Control);
      SetPressed(true);
      Control->ClickControl(true, 0);
      if (!Alive.Alive()) return true;
      // A button is clicked on its release over it; a control that opened a
      // window (a menu) leaves the mouse to that window.
      if (ControlAlive.Alive() && !Control->OpenedWindow() && !Control->IsDroppedDown() && !Control->IsWindowControl())
        SetCapture(GetHandle());
      Invalidate();
      return true;
    }
    case WM_LBUTTONUP: {
      if (FSwallowNextClick) {
        FSwallowNextClick = false;
        return true;
      }
      bool Captured = GetCapture() == GetHandle();
      if (Captured) ReleaseCapture();
      if (!GetPressed()) return Captured;
      SetPressed(false);
      TdxBarItemControl* Selected = SelectedItemControl();
      TdxBarItemControl* Under = ItemControlAtPos(P);
      if (Selected && Selected == Under && Selected->IsEnabled()) {
        Selected->ExecuteClick(true);
        if (!Alive.Alive()) return true;
      }
      if (IsActive() && !GetChildBar()) CloseBar();
      if (Alive.Alive()) Invalidate();
      return true;
    }
    case WM_MOUSEMOVE: {
      TrackMouseLeave();
      TdxBarItemControl* Control = ItemControlAtPos(P);
      SetHotLink(Control ? Control->GetItemLink() : nullptr, P);
      if (GetCapture() != GetHandle() && !GetChildBar() && (!IsActive() || Control)) {
        TdxBarItemControl* Pick = Control && Control->CanSelectByMouse() ? Control : nullptr;
        if (Pick != SelectedItemControl()) {
          ChangeSelectedControl(Pick);
          Invalidate();
        }
      }
      RECT Mark = MarkClientRect();
      if (FMarkState != 2 && !IsRectEmpty(&Mark)) ShowHiddenItems(PtInRect(&Mark, P) ? 1 : 0);
      int Close = FHitTestCode == tbhClose ? 1 : 0;
      if (Close != FCloseButtonState && HasCloseButton()) {
        FCloseButtonState = Close;
        SendMessageW(GetHandle(), WM_NCPAINT, 1, 0);
      }
      return false;
    }
    case WM_MOUSELEAVE:
      FMouseTracked = false;
      SetHotLink(nullptr, POINT{-1, -1});
      if (!IsActive() && SelectedItemControl()) {
        ChangeSelectedControl(nullptr);
        Invalidate();
      }
      if (FMarkState == 1 && !IsFloating()) ShowHiddenItems(0);
      if (FCloseButtonState) {
        FCloseButtonState = 0;
        SendMessageW(GetHandle(), WM_NCPAINT, 1, 0);
      }
      return false;
    default: return false;
  }
}

void TdxBarControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      if (Message.LParam) {
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        RECT B = FrameBorders(GetDockingStyle());
        R->left += B.left;
        R->top += B.top;
        R->right = std::max(R->left, R->right - B.right);
        R->bottom = std::max(R->top, R->bottom - B.bottom);
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT:
      if (HandleAllocated()) {
        HDC DC = GetWindowDC(GetHandle());
        PaintFrame(DC);
        ReleaseDC(GetHandle(), DC);
      }
      Message.Result = 0;
      return;
    case WM_NCHITTEST: NCHitTest(Message); return;
    case WM_SETCURSOR:
      // Over the grip of a bar that can be dragged: the four-way arrow.
      if (LOWORD(Message.LParam) == HTCLIENT && FHitTestCode == tbhDrag && !IsFloating() && CanDock() && !IsMoving()) {
        POINT P;
        GetCursorPos(&P);
        ::ScreenToClient(GetHandle(), &P);
        if (IsVertical() ? P.y < 0 : P.x < 0) {
          ::SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_KEYDOWN: {
      TcxObjectLinkGuard Alive(this);
      WORD Key = static_cast<WORD>(Message.WParam);
      TShiftState Shift;
      if (GetKeyState(VK_SHIFT) < 0) Shift.Include(ssShift);
      if (GetKeyState(VK_CONTROL) < 0) Shift.Include(ssCtrl);
      if (Message.LParam & (1 << 29)) Shift.Include(ssAlt);
      KeyDown(Key, Shift);
      if (Alive.Alive()) Message.Result = 0;
      return;
    }
    case WM_DESTROY: StopMarkTimer(); break;
    default:
      if ((Message.Msg >= WM_NCMOUSEMOVE && Message.Msg <= WM_NCMBUTTONDBLCLK) ||
          (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSEWHEEL) || Message.Msg == WM_MOUSELEAVE) {
        // Outside the active chain the base drops the message; inside it the
        // window's own handling comes first.
        if (Message.Msg != WM_MOUSELEAVE && !IsInActiveChain()) return;
        TcxObjectLinkGuard Alive(this);
        // Presses and releases go through the framework first (its mouse events).
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_LBUTTONUP) {
          TCustomdxBarControl::WndProc(Message);
          if (Alive.Alive()) HandleMouse(Message);
          return;
        }
        if (HandleMouse(Message)) return;
        if (!Alive.Alive()) return;
      }
      break;
  }
  TCustomdxBarControl::WndProc(Message);
  // The window made at its final size hears no resize: its links are placed here.
  if (Message.Msg == WM_SIZE && !IsBeingDestroyed()) {
    PlaceItemLinks();
    return;
  }
  if (Message.Msg == WM_DESTROY) {
    // A floating window dies with its owner form's window when that one is made
    // again: the manager shows the bar again once the form's window is back.
    // Only then: a window made again for docking dies with its form standing.
    TdxBarManager* M = GetBarManager();
    TCustomForm* Owner = M ? M->OwnerChildOrTopForm() : nullptr;
    if (FBar && M && IsFloating() && !IsInternalLocked() && FBar->GetVisible() && !M->IsDestroying() &&
        !GetComponentState().Contains(csDestroying) && Owner && Owner->GetControlState().Contains(csDestroyingHandle))
      M->NoteBarToRestore(FBar);
    return;
  }
  if (Message.Msg != WM_SIZING || !IsFloating() || !Message.LParam) return;
  auto* Asked = reinterpret_cast<RECT*>(Message.LParam);
  RECT Window = QueryWindowRect(GetHandle());
  RECT Client = QueryClientRect(GetHandle());
  SIZE Borders{(Window.right - Window.left) - Client.right, (Window.bottom - Window.top) - Client.bottom};
  *Asked = SnapToolbarSizingRect(
      static_cast<UINT>(Message.WParam), *Asked, Window, Borders,
      [this](int Width) { return CalcSizeForWidth(dsNone, Width); },
      [this](int Height) { return CalcWrappedSize(dsNone, Height); });
  Message.Result = 1;
}
