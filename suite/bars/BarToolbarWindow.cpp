// The toolbar window: its sizes on the layout rules, its frame (grip, floating
// caption, close button, sizing edges, mark), its painting and its mouse.
#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "suite/bars/BarCaptionButtons.h"
#include "framework/Form.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarDragInfo.h"
#include "suite/bars/BarQuickControl.h"
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
    // Measuring for another docking style: a control turns when that style's
    // rotation differs from the one it was made for.
    if (TdxBarItemControl* C = L->GetControl()) {
      bool Rotated = C->IsRotated();
      bool WillRotate = Vertical && Window->GetBar() && Window->GetBar()->GetRotateWhenVertical() &&
                        (Rotated || !Window->IsVertical());
      if (Rotated != WillRotate) std::swap(S.cx, S.cy);
    }
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
  SIZE Area = W->CaptionButtonAreaSize();
  P.ButtonAreaLength = Area.cx;
  P.ButtonAreaThickness = Area.cy;
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
  SIZE Area = CaptionButtonAreaSize();
  P.ButtonAreaLength = Area.cx;
  P.ButtonAreaThickness = Area.cy;
  std::vector<TdxToolbarLayoutItem> Items = ToolbarLayoutItemsOf(this, P.Vertical);
  if (P.Wrapping) {
    P.MarkExtent = MarkExtent();
    WrapToolbarItems(Items, P, P.ClientLength, SIZE{0, 0});
  }
  // A quick-customizing mark always takes its room; the other only on a truncated row.
  bool ShowMark = !FBar || FBar->GetShowMark();
  if (!P.Wrapping && ShowMark && AllowsQuickCustomizing()) P.MarkExtent = MarkSize();
  bool Truncated = LayoutToolbarItems(Items, P);
  if (Truncated && !P.Wrapping && P.MarkExtent == 0) {
    P.MarkExtent = MarkSize();
    LayoutToolbarItems(Items, P);
  }
  SetTruncated(Truncated);
  SIZE Button = MDIButtonSize();
  if (P.Vertical) std::swap(Button.cx, Button.cy);
  for (int I = 0; I < 3; ++I)
    FCaptionButtonRects[I] = HasCaptionButtonArea()
                                 ? ToolbarCaptionButtonRect(Items, P, I, ShowsMDIButtons(), Button.cx, Button.cy)
                                 : RECT{0, 0, 0, 0};
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


namespace {
TdxBarCaptionButtons* CaptionButtonsOf(TdxBarControl* W) {
  TdxBar* Bar = W->GetBar();
  TdxBarCaptionButtons* Buttons = Bar ? Bar->GetCaptionButtons() : nullptr;
  return Buttons && Buttons->GetCount() > 0 ? Buttons : nullptr;
}

// A floating caption's own buttons stand at its right end, left of the close
// button, one caption height square each, in window coordinates; a docked
// window shows none.
void LayoutCaptionButtons(TdxBarControl* W) {
  TdxBarCaptionButtons* Buttons = CaptionButtonsOf(W);
  TdxBarPainter* P = W->GetPainter();
  if (!Buttons) return;
  RECT Caption{0, 0, 0, 0};
  if (P && W->IsFloating()) P->FloatingCaptionRect(RECT{0, 0, W->GetWidth(), W->GetHeight()}, Caption);
  int Side = P ? P->SmallCaptionHeight() : 0;
  int Right = Caption.right - (W->HasCloseButton() ? Side : 0);
  for (int I = 0; I < Buttons->GetCount(); ++I) {
    RECT R{Right - Side, Caption.top, Right, Caption.bottom};
    if (IsRectEmpty(&Caption) || R.left < Caption.left) R = RECT{0, 0, 0, 0};
    Buttons->GetButton(I)->SetRect(R);
    Right -= Side;
  }
}

// The button's glyph centred in R, its transparent colour left out.
void DrawCaptionButtonGlyph(HDC DC, TdxBarCaptionButton* Button, const RECT& R) {
  TBitmap* Glyph = Button->GetGlyph();
  if (!Glyph || Glyph->GetEmpty()) return;
  HDC Source = Glyph->GetCanvas()->GetHandle();
  int Wd = std::min<int>(Glyph->GetWidth(), R.right - R.left), Ht = std::min<int>(Glyph->GetHeight(), R.bottom - R.top);
  int X0 = R.left + (R.right - R.left - Wd) / 2, Y0 = R.top + (R.bottom - R.top - Ht) / 2;
  COLORREF Transparent = GetPixel(Source, 0, Glyph->GetHeight() - 1);
  for (int Y = 0; Y < Ht; ++Y)
    for (int X = 0; X < Wd; ++X) {
      COLORREF C = GetPixel(Source, X, Y);
      if (C != Transparent) SetPixel(DC, X0 + X, Y0 + Y, Button->GetEnabled() ? C : GetSysColor(COLOR_GRAYTEXT));
    }
}
}  // namespace

bool TdxBarControl::HasCloseButton() const { return IsFloating() && FBar && FBar->CanClose(); }

// A bar set to show no mark shows none, even with links cut off; one that can be
// customized quickly shows it always.
bool TdxBarControl::HasMark() const {
  return (!FBar || FBar->GetShowMark()) && (FTruncated || AllowsQuickCustomizing());
}

// A look without quick customizing still shows chevrons on a bar cut short, and
// they must open the buttons that did not fit.
bool TdxBarControl::HasClickableMark() const {
  TdxBarPainter* P = GetPainter();
  return P && HasMark() && (P->SupportsQuickCustomizing() || FTruncated);
}

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
  // A floating window belongs to its form's window, which must exist to own it.
  if (!GetParent() && GetBarManager())
    if (TWinControl* Owner = GetBarManager()->OwnerControl()) Owner->HandleNeeded();
  TCustomdxBarControl::CreateParams(Params);
  Params.WindowClass.style |= CS_DBLCLKS;
  if (FSpareKind) SpareParams(Params);
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
    if (TdxBarCaptionButtons* Buttons = CaptionButtonsOf(this)) {
      LayoutCaptionButtons(this);
      for (int I = 0; I < Buttons->GetCount(); ++I) {
        TdxBarCaptionButton* B = Buttons->GetButton(I);
        RECT R = B->GetRect();
        if (IsRectEmpty(&R)) continue;
        int State = B->GetState();
        P->DrawCaptionButtonFace(this, DC, State == cbsPressed ? 2 : State == cbsHot ? 1 : 0, R);
        DrawCaptionButtonGlyph(DC, B, R);
      }
    }
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
  In.OnMDIButton = CaptionButtonAt(In.Client, 0) >= 0;
  RECT Close = CloseButtonWindowRect();
  In.OnCloseButton = PtInRect(&Close, In.Window) != 0;
  // The caption's own buttons are tracked by the close button's loop; a disabled
  // one is a dead spot there, not a handle to drag the bar by.
  if (TdxBarCaptionButtons* Buttons = In.Floating ? CaptionButtonsOf(this) : nullptr) {
    LayoutCaptionButtons(this);
    for (int I = 0; I < Buttons->GetCount(); ++I) {
      RECT B = Buttons->GetButton(I)->GetRect();
      if (PtInRect(&B, In.Window)) In.OnCloseButton = true;
    }
  }
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

// The loop of the floating caption's buttons (the close button and the bar's own
// ones): pressed while the cursor stays on the button pressed, a release on it
// clicks it: the close button hides the bar and tells the manager once.
void TdxBarControl::TrackCloseButton() {
  TcxObjectLinkGuard Alive(this);
  HWND Wnd = GetHandle();
  TdxBarCaptionButtons* Buttons = CaptionButtonsOf(this);
  if (Buttons) LayoutCaptionButtons(this);
  auto Cursor = [&] {
    POINT P;
    GetCursorPos(&P);
    RECT W = QueryWindowRect(Wnd);
    return POINT{P.x - W.left, P.y - W.top};
  };
  // -2 the close button, else the index of the bar's own button.
  auto ButtonAt = [&](POINT P) {
    RECT Close = CloseButtonWindowRect();
    if (PtInRect(&Close, P)) return -2;
    return Buttons ? Buttons->IndexOfButtonAt(P) : -1;
  };
  int Pressed = ButtonAt(Cursor());
  if (Pressed == -1) return;
  auto SetState = [&](int State) {
    if (FCloseButtonState == State) return;
    FCloseButtonState = State;
    SendMessageW(Wnd, WM_NCPAINT, 1, 0);
  };
  auto Show = [&](bool Down) {
    if (Pressed == -2)
      SetState(Down ? (ButtonAt(Cursor()) == -2 ? 2 : 1) : 0);
    else if (Buttons)
      Buttons->UpdateButtonStates(Down ? Cursor() : POINT{-32000, -32000}, Down);
  };
  Show(true);
  SetCapture(Wnd);
  bool Released = false;
  CaptureLoop(Wnd, Alive, [&](const MSG& Msg) {
    if (Msg.message == WM_MOUSEMOVE) {
      Show(true);
      return lsTaken;
    }
    if (Msg.message == WM_LBUTTONUP) {
      Released = ButtonAt(Cursor()) == Pressed;
      return lsEnd;
    }
    return Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE ? lsEnd : lsDispatch;
  });
  if (!Alive.Alive()) return;
  if (GetCapture() == Wnd) ReleaseCapture();
  Show(false);
  if (!Released || !FBar) return;
  if (Pressed >= 0) {
    if (Buttons && Pressed < Buttons->GetCount()) Buttons->GetButton(Pressed)->DoClick();
    return;
  }
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
  if (!GetBarManager() || !HandleAllocated()) return;
  TdxBarDesignController* Design = BarDesignControllerInstance();
  Design->CloseQuickControl();
  Design->ShowQuickCustomizePopup(this, MarkScreenRect());
  FQuickPopup = Design->GetQuickControl();
  // Nothing to list: the mark stays hot.
  if (!FQuickPopup) FMarkState = 1;
}

void TdxBarControl::WindowPosChanged(const WINDOWPOS& Pos) {
  auto* Popup = dynamic_cast<TdxBarQuickControl*>(FQuickPopup);
  if (!Popup || (Pos.flags & (SWP_NOSIZE | SWP_NOMOVE)) == (SWP_NOSIZE | SWP_NOMOVE)) return;
  // The popup stays; its owner (the mark) moved, and its seam follows.
  Popup->FollowOwner(MarkScreenRect());
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
  TCustomdxBarControl* Popup = FQuickPopup;
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
  UpdateCanvasFont();
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
  for (int I = 0; I < 3; ++I)
    if (!IsRectEmpty(&FCaptionButtonRects[I])) P->DrawMDIButton(this, I, FCaptionButtonRects[I], DC, CaptionButtonState(I));
  RECT Mark = MarkClientRect();
  if (!IsRectEmpty(&Mark)) P->DrawMark(this, cx, Brush, Mark);
}

// ---- the main menu's caption buttons

bool TdxBarControl::ShowsMDIButtons() const {
  TdxBarManager* M = GetBarManager();
  if (!IsMainMenuWindow() || !M || !M->IsMDIChildMaximized()) return false;
  HWND Child = ActiveMDIChildWindow();
  return Child && GetSystemMenu(Child, FALSE);
}

bool TdxBarControl::HasCaptionButtonArea() const {
  TdxBarManager* M = GetBarManager();
  return ShowsMDIButtons() || (IsMainMenuWindow() && M && M->GetShowCloseButton());
}

SIZE TdxBarControl::MDIButtonSize() const {
  return SIZE{GetSystemMetrics(SM_CXMENUSIZE) - 2, GetSystemMetrics(SM_CYMENUSIZE) - 4};
}

SIZE TdxBarControl::CaptionButtonAreaSize() const {
  if (!HasCaptionButtonArea()) return SIZE{0, 0};
  SIZE B = MDIButtonSize();
  if (IsVertical()) std::swap(B.cx, B.cy);
  return SIZE{ShowsMDIButtons() ? 3 * B.cx + 2 : B.cx, B.cy};
}

RECT TdxBarControl::CaptionButtonRect(int Index) const {
  return Index >= 0 && Index <= 2 ? FCaptionButtonRects[Index] : RECT{0, 0, 0, 0};
}

bool TdxBarControl::IsCaptionButtonEnabled(int Index, UINT Mask) const {
  if (Index == 1 || (Index == 2 && !ShowsMDIButtons())) return true;
  HWND Child = ActiveMDIChildWindow();
  HMENU Menu = Child ? GetSystemMenu(Child, FALSE) : nullptr;
  if (!Menu) return false;
  UINT State = GetMenuState(Menu, static_cast<UINT>(MDIButtonCommand(Index)), MF_BYCOMMAND);
  return State != static_cast<UINT>(-1) && !(State & Mask);
}

int TdxBarControl::CaptionButtonState(int Index) const {
  if (!IsCaptionButtonEnabled(Index, MF_GRAYED)) return 1;
  const TdxCaptionButtonPress& S = CaptionButtonPress();
  if (S.Window != this) return 0;
  if (S.Pressed) return S.PressedIndex != Index ? 0 : S.Hot ? 4 : 3;
  return S.HotIndex == Index ? 2 : 0;
}

int TdxBarControl::CaptionButtonAt(POINT P, UINT Mask) const {
  for (int I = 0; I < 3; ++I)
    if (PtInRect(&FCaptionButtonRects[I], P) && (!Mask || IsCaptionButtonEnabled(I, Mask))) return I;
  return -1;
}

void TdxBarControl::InvalidateCaptionButtons() {
  if (!HandleAllocated()) return;
  for (const RECT& R : FCaptionButtonRects)
    if (!IsRectEmpty(&R)) InvalidateRect(GetHandle(), &R, FALSE);
}

bool TdxBarControl::BeginCaptionButtonPress(POINT P) {
  if (!HasCaptionButtonArea() || IsCustomizing()) return false;
  int Index = CaptionButtonAt(P, MF_GRAYED | MF_DISABLED);
  if (Index < 0) return false;
  CaptionButtonPress() = TdxCaptionButtonPress{this, true, true, Index, Index};
  InvalidateCaptionButtons();
  SetCapture(GetHandle());
  return true;
}

bool TdxBarControl::CaptionButtonMouseMove(POINT P) {
  TdxCaptionButtonPress& S = CaptionButtonPress();
  if (S.Window == this && S.Pressed) {
    bool Hot = PtInRect(&FCaptionButtonRects[S.PressedIndex], P) != 0;
    if (Hot != S.Hot) {
      S.Hot = Hot;
      InvalidateCaptionButtons();
    }
    return true;
  }
  if (!HasCaptionButtonArea() && S.Window != this) return false;
  int Hot = HasCaptionButtonArea() ? CaptionButtonAt(P, MF_GRAYED) : -1;
  if (S.Window != this || S.HotIndex != Hot) {
    S = TdxCaptionButtonPress{this, false, false, -1, Hot};
    InvalidateCaptionButtons();
  }
  return false;
}

bool TdxBarControl::EndCaptionButtonPress(POINT P) {
  TdxCaptionButtonPress& S = CaptionButtonPress();
  if (S.Window != this || !S.Pressed) return false;
  int Index = S.PressedIndex;
  S.Pressed = S.Hot = false;
  S.PressedIndex = -1;
  // What lies under the release is hot now; nothing when it lies elsewhere.
  S.HotIndex = CaptionButtonAt(P, MF_GRAYED);
  if (GetCapture() == GetHandle()) ReleaseCapture();
  InvalidateCaptionButtons();
  if (!PtInRect(&FCaptionButtonRects[Index], P)) return true;
  // Only a release over the button that was pressed runs it.
  if (ShowsMDIButtons()) {
    if (HWND Child = ActiveMDIChildWindow()) SendMessageW(Child, WM_SYSCOMMAND, MDIButtonCommand(Index), 0);
  } else if (Index == 2) {
    if (TdxBarManager* M = GetBarManager()) M->DoCloseButtonClick();
  }
  return true;
}

void TdxBarControl::CancelCaptionButtonPress() {
  TdxCaptionButtonPress& S = CaptionButtonPress();
  if (S.Window != this || (!S.Pressed && S.HotIndex < 0)) return;
  bool WasPressed = S.Pressed;
  S = TdxCaptionButtonPress{};
  if (WasPressed && GetCapture() == GetHandle()) ReleaseCapture();
  InvalidateCaptionButtons();
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

// A leave from the client area may come after the mouse reached the caption's
// buttons in the frame; the cursor says where it really is.
POINT TdxBarControl::CursorOverCaption() {
  POINT P{-32000, -32000};
  if (GetCursorPos(&P) && HandleAllocated() && WindowFromPoint(P) != GetHandle()) P = POINT{-32000, -32000};
  return P;
}

void TdxBarControl::TrackCaptionHover(POINT Screen) {
  if (!HandleAllocated()) return;
  RECT W = QueryWindowRect(GetHandle());
  POINT InWindow{Screen.x - W.left, Screen.y - W.top};
  if (TdxBarCaptionButtons* Buttons = IsFloating() ? CaptionButtonsOf(this) : nullptr)
    Buttons->UpdateButtonStates(InWindow, false);
  RECT CloseRect = CloseButtonWindowRect();
  int Close = (FHitTestCode == tbhClose || FHitTestCode == tbhSystem) && PtInRect(&CloseRect, InWindow) ? 1 : 0;
  if (Close != FCloseButtonState && HasCloseButton()) {
    FCloseButtonState = Close;
    SendMessageW(GetHandle(), WM_NCPAINT, 1, 0);
  }
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
      if (BeginCaptionButtonPress(P)) return true;
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
      if (HasClickableMark() && PtInRect(&Mark, P)) {
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
      if (EndCaptionButtonPress(P)) return true;
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
      if (CaptionButtonMouseMove(P)) return true;
      TdxBarItemControl* Control = ItemControlAtPos(P);
      SetHotLink(Control ? Control->GetItemLink() : nullptr, P);
      TdxBarItemControl* Pick = Control && Control->CanSelectByMouse() ? Control : nullptr;
      TdxBarItemControl* Selected = SelectedItemControl();
      if (GetCapture() != GetHandle() && Pick != Selected) {
        TCustomdxBarControl* Child = GetChildBar();
        if (!Child) {
          if (!IsActive() || Control) {
            ChangeSelectedControl(Pick);
            if (!Alive.Alive()) return true;
            NoteSelectionOutsideQuickControl(this, Pick);
            Invalidate();
          }
        } else if (auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Child);
                   Menu && Pick && IsActive() && Selected && Selected->OpenedWindow() == Menu) {
          // A menu bar with a menu open opens the menu of the entry under the mouse
          // in its place; empty space keeps the open one.
          Menu->CloseByEscape();
          if (!Alive.Alive()) return true;
          OpenEntry(Pick, true);
          if (!Alive.Alive()) return true;
        }
      }
      RECT Mark = MarkClientRect();
      if (FMarkState != 2 && HasClickableMark() && !IsRectEmpty(&Mark)) ShowHiddenItems(PtInRect(&Mark, P) ? 1 : 0);
      TrackCaptionHover(ClientPointToScreen(P));
      return false;
    }
    case WM_NCMOUSEMOVE:
      // Where the system keeps the close button, the caption's buttons lie in the
      // frame: hovering them comes as frame moves, and leaving as a frame leave.
      if (!IsFloating()) return false;
      if (!FFrameMouseTracked) {
        TRACKMOUSEEVENT T{sizeof(T), TME_LEAVE | TME_NONCLIENT, GetHandle(), 0};
        FFrameMouseTracked = TrackMouseEvent(&T) != 0;
      }
      TrackCaptionHover(P);
      return false;
    case WM_NCMOUSELEAVE:
      FFrameMouseTracked = false;
      if (!CaptionButtonPress().Pressed) TrackCaptionHover(CursorOverCaption());
      return false;
    case WM_MOUSELEAVE:
      FMouseTracked = false;
      SetHotLink(nullptr, POINT{-1, -1});
      if (!IsActive() && SelectedItemControl()) {
        ChangeSelectedControl(nullptr);
        Invalidate();
      }
      if (FMarkState == 1 && !IsFloating()) ShowHiddenItems(0);
      if (!IsActive() && !CaptionButtonPress().Pressed) CancelCaptionButtonPress();
      TrackCaptionHover(CursorOverCaption());
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
    case CM_FONTCHANGED:
      // The bar's font, its rotation or the docking style changed.
      UpdateCanvasFont();
      if (HandleAllocated()) {
        CalcMeasures();
        if (!IsInternalLocked()) {
          SetSelectedLink(nullptr);
          Rebuild();
        }
      }
      break;
    case WM_CANCELMODE: CancelCaptionButtonPress(); break;
    case WM_DESTROY:
      StopMarkTimer();
      if (CaptionButtonPress().Window == this) CaptionButtonPress() = TdxCaptionButtonPress{};
      break;
    default:
      if ((Message.Msg >= WM_NCMOUSEMOVE && Message.Msg <= WM_NCMBUTTONDBLCLK) ||
          (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSEWHEEL) || Message.Msg == WM_MOUSELEAVE ||
          Message.Msg == WM_NCMOUSELEAVE) {
        // Outside the active chain the base drops the message; inside it the
        // window's own handling comes first.
        if (Message.Msg != WM_MOUSELEAVE && Message.Msg != WM_NCMOUSELEAVE && !IsInActiveChain()) return;
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
  if (Message.Msg == WM_WINDOWPOSCHANGED && Message.LParam && !IsBeingDestroyed()) {
    WindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(Message.LParam));
    return;
  }
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

