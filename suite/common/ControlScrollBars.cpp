// The base control's internal scroll bars and size grip, their layout, the mouse
// wheel and middle-button auto-scroll.
#include <algorithm>
#include <cstdlib>

#include "framework/Screen.h"
#include "suite/common/ControlsUnit.h"
#include "suite/common/Geometry.h"
#include "suite/common/MessageWindow.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteControl.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

namespace {
// Passes that settle the bars' visibility, and nested relayouts: a descendant
// whose answer flips with the bars' visibility stops here instead of hanging.
constexpr int MaxSettlingPasses = 8;
constexpr int MaxRelayoutDepth = 4;
constexpr UINT AutoScrollTick = 20;
}  // namespace

// ---- internal controls

TcxControlScrollBar::TcxControlScrollBar(TComponent* AOwner) : TcxScrollBar(AOwner) {
  SetColor(clBtnFace);
  SetControlStyle(GetControlStyle() - csFramed + csNoDesignVisible);
  SetTabStop(false);
  SetVisible(false);
}

TcxControlScrollBar::~TcxControlScrollBar() { ClearLinksToObject(this); }

void TcxControlScrollBar::ApplyData() {
  if (Data.Visible) {
    AssignScrollRange(Data.Min, Data.Max, Data.Position, Data.PageSize, true);
    SetSmallChange(Data.SmallChange);
    SetLargeChange(Data.LargeChange);
  }
  SetEnabled(Data.Enabled);
  if (GetVisible() != Data.Visible) SetVisible(Data.Visible);
}

void TcxControlScrollBar::FocusParent() {
  TWinControl* P = GetParent();
  if (auto* Control = dynamic_cast<TcxControl*>(P)) {
    if (Control->FocusOnScrollBarClick()) Control->SetFocus();
  } else if (P && P->CanFocus()) {
    P->SetFocus();
  }
}

void TcxControlScrollBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) {
    TcxObjectLinkGuard Link(this);
    FocusParent();
    if (!Link.Alive()) return;
  }
  TcxScrollBar::WndProc(Message);
}

void TcxControlScrollBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DESIGNHITTEST) {
    Message.Result = 1;
    return;
  }
  TcxScrollBar::Dispatch(Message);
}

TcxSizeGrip::TcxSizeGrip(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  SetControlStyle(GetControlStyle() + csNoDesignVisible + csReplicatable);
  FLookAndFeel.reset(TcxLookAndFeel::CreateWithOwner(this));
  FLookAndFeel->OnValuesChanged = TcxLookAndFeelValuesChangedEvent(
      [](TcxLookAndFeel* Sender, TcxLookAndFeelValues) {
        if (auto* Grip = dynamic_cast<TcxSizeGrip*>(Sender->GetOwner())) Grip->Invalidate();
      });
  SetVisible(false);
}

TcxSizeGrip::~TcxSizeGrip() = default;

void TcxSizeGrip::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TcxSizeGrip::Paint() {
  GetCanvas()->GetBrush()->SetColor(FLookAndFeel->ActivePainter()->SizeGripAreaColor());
  RECT R = GetClientRect();
  GetCanvas()->FillRect(R);
}

void TcxControl::CreateInternalControls() {
  if (!HasScrollBars() || FSizeGrip) return;
  auto Make = [this](TScrollBarKind Kind) {
    auto* Bar = TcxControlScrollBar::Create(this);
    Bar->SetKind(Kind);
    if (Kind == sbVertical) Bar->SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), 121);
    Bar->OnScroll = TScrollEvent(this, &TcxControl::ScrollBarScroll);
    Bar->SetControlStyle(Bar->GetControlStyle() + csReplicatable);
    Bar->GetLookAndFeel()->ChangeMaster(FLookAndFeel.get());
    return Bar;
  };
  FHScrollBar = Make(sbHorizontal);
  FVScrollBar = Make(sbVertical);
  FSizeGrip = TcxSizeGrip::Create(this);
  FSizeGrip->SetControlStyle(FSizeGrip->GetControlStyle() + csReplicatable);
  FSizeGrip->GetLookAndFeel()->ChangeMaster(FLookAndFeel.get());
  if (TcxSettingsController* C = SettingsController()) C->RegisterControl(this);
}

void TcxControl::DestroyInternalControls() {
  if (!FSizeGrip && !FHScrollBar && !FVScrollBar) return;
  FreeAndNil(FSizeGrip);
  FreeAndNil(FVScrollBar);
  FreeAndNil(FHScrollBar);
  if (TcxSettingsController* C = SettingsController()) C->UnregisterControl(this);
}

void TcxControl::AttachInternalControls() {
  if (FHScrollBar) FHScrollBar->SetParent(this);
  if (FVScrollBar) FVScrollBar->SetParent(this);
  if (FSizeGrip) FSizeGrip->SetParent(this);
}

void TcxControl::ScrollBarScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos) {
  ScrollContent(Sender == FHScrollBar ? sbHorizontal : sbVertical, ScrollCode, ScrollPos);
}

bool TcxControl::IsScrollBarVisible(TScrollBarKind Kind) const {
  const TcxControlScrollBar* Bar = Kind == sbHorizontal ? FHScrollBar : FVScrollBar;
  if (!Bar) return false;
  return FCalculatingScrollBarsParams ? Bar->Data.Visible : Bar->GetVisible();
}

void TcxControl::HScrollBarBounds(RECT& R) {
  InnerClientBounds(R);
  R.top = R.bottom;
  R.bottom = R.top + FHScrollBar->GetHeight();
}

void TcxControl::VScrollBarBounds(RECT& R) {
  InnerClientBounds(R);
  R.left = R.right;
  R.right = R.left + FVScrollBar->GetWidth();
}

void TcxControl::SizeGripBounds(RECT& R) {
  RECT H, V;
  HScrollBarBounds(H);
  VScrollBarBounds(V);
  R = RECT{V.left, H.top, V.right, H.bottom};
}

void TcxControl::PlaceInternalControls() {
  RECT R;
  if (FHScrollBar && FHScrollBar->GetVisible()) {
    HScrollBarBounds(R);
    FHScrollBar->SetBoundsRect(R);
  }
  if (FVScrollBar && FVScrollBar->GetVisible()) {
    VScrollBarBounds(R);
    FVScrollBar->SetBoundsRect(R);
  }
  if (FSizeGrip && FSizeGrip->GetVisible()) {
    SizeGripBounds(R);
    FSizeGrip->SetBoundsRect(R);
  }
}

void TcxControl::RefreshInternalControls() {
  if (!FHScrollBar) return;
  if (FHScrollBar->GetVisible()) FHScrollBar->RefreshState();
  if (FVScrollBar->GetVisible()) FVScrollBar->RefreshState();
  if (FSizeGrip->GetVisible()) FSizeGrip->RefreshState();
}

void TcxControl::SetScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Position,
                                  bool AllowShow, bool AllowHide) {
  TcxControlScrollBar* Bar = Kind == sbHorizontal ? FHScrollBar : FVScrollBar;
  if (!Bar) return;
  TcxScrollBarData& D = Bar->Data;
  const bool StyleShows = FScrollBars == ssBoth || FScrollBars == (Kind == sbHorizontal ? ssHorizontal : ssVertical);
  D.AllowShow = AllowShow && StyleShows;
  D.AllowHide = AllowHide;
  if (!D.AllowShow) {
    D.Visible = false;
    return;
  }
  if (Max < Min || Page >= Max - Min + 1 || Position < Min) {
    // Not needed: hidden, or shown disabled when it may not hide.
    D.Visible = !AllowHide;
    if (!AllowHide) D.Enabled = false;
    return;
  }
  D.Min = Min;
  D.Max = Max;
  D.Position = Position;
  D.PageSize = Page;
  D.SmallChange = static_cast<short>(Step);
  D.LargeChange = static_cast<short>(Page);
  D.Enabled = true;
  D.Visible = true;
}

void TcxControl::CalculateScrollBarsData() {
  FCalculatingScrollBarsParams = true;
  try {
    FHScrollBar->Data.Visible = FVScrollBar->Data.Visible = false;
    for (int Pass = 0; Pass < MaxSettlingPasses; ++Pass) {
      const bool H = FHScrollBar->Data.Visible, V = FVScrollBar->Data.Visible;
      InitScrollBarsParameters();
      if (H == FHScrollBar->Data.Visible && V == FVScrollBar->Data.Visible) break;
    }
    TcxScrollBarData& HD = FHScrollBar->Data;
    TcxScrollBarData& VD = FVScrollBar->Data;
    if (HD.Visible && VD.Visible && HD.Enabled && VD.Enabled && HD.AllowHide && VD.AllowHide) {
      // Each bar may be needed only because the other takes room: then neither is.
      const bool HFits = AllowHideScrollBar(sbHorizontal) && FVScrollBar->GetWidth() + HD.PageSize >= HD.Max - HD.Min + 1;
      const bool VFits = AllowHideScrollBar(sbVertical) && FHScrollBar->GetHeight() + VD.PageSize >= VD.Max - VD.Min + 1;
      if (HFits && VFits) {
        const TcxScrollBarData H = HD, V = VD;
        SetScrollBarInfo(sbHorizontal, H.Min, H.Max, H.SmallChange, H.PageSize + FVScrollBar->GetWidth(), H.Position,
                         H.AllowShow, H.AllowHide);
        SetScrollBarInfo(sbVertical, V.Min, V.Max, V.SmallChange, V.PageSize + FHScrollBar->GetHeight(), V.Position,
                         V.AllowShow, V.AllowHide);
      }
    }
  } catch (...) {
    FCalculatingScrollBarsParams = false;
    throw;
  }
  FCalculatingScrollBarsParams = false;
}

void TcxControl::ApplyScrollBarsData() {
  FHScrollBar->ApplyData();
  FVScrollBar->ApplyData();
}

void TcxControl::UnlockScrollBars() {
  if (FScrollBarsLockCount > 0) --FScrollBarsLockCount;
  if (FScrollBarsLockCount == 0 && FScrollBarsUpdateNeeded) {
    FScrollBarsUpdateNeeded = false;
    RecalcScrollBars();
  }
}

void TcxControl::RecalcScrollBars() {
  if (!HasScrollBars() || !FHScrollBar || !FVScrollBar) return;
  if (FScrollBarsLockCount > 0) {
    FScrollBarsUpdateNeeded = true;
    return;
  }
  const bool Outermost = !FUpdatingScrollBars;
  if (Outermost) {
    FHScrollBarInitiallyVisible = FHScrollBar->GetVisible();
    FVScrollBarInitiallyVisible = FVScrollBar->GetVisible();
  }
  const bool SavedUpdating = FUpdatingScrollBars;
  FUpdatingScrollBars = true;
  ++FScrollBarsDepth;
  struct TRestore {
    TcxControl* C;
    bool Saved, Outermost;
    ~TRestore() {
      --C->FScrollBarsDepth;
      C->FUpdatingScrollBars = Saved;
      if (Outermost) C->FInitialScrollBarsParams = false;
    }
  } Restore{this, SavedUpdating, Outermost};

  const bool H0 = FHScrollBar->GetVisible(), V0 = FVScrollBar->GetVisible();
  if (!FInitialScrollBarsParams) {
    CalculateScrollBarsData();
    FInitialScrollBarsParams = !Outermost && FHScrollBar->Data.Visible == FHScrollBarInitiallyVisible &&
                               FVScrollBar->Data.Visible == FVScrollBarInitiallyVisible;
    if (FInitialScrollBarsParams) {
      // A nested update that would flip a bar back keeps it shown but disabled.
      for (auto [Bar, Initially] : {std::pair{FHScrollBar, FHScrollBarInitiallyVisible},
                                    std::pair{FVScrollBar, FVScrollBarInitiallyVisible}})
        if (Bar->GetVisible() != Initially) {
          Bar->SetEnabled(false);
          Bar->SetVisible(true);
        }
    } else {
      ApplyScrollBarsData();
    }
  }
  const bool Changed = FHScrollBar->GetVisible() != H0 || FVScrollBar->GetVisible() != V0;
  if (Changed && FScrollBarsDepth < MaxRelayoutDepth) {
    BoundsChanged();
    return;
  }
  FSizeGrip->SetVisible(FHScrollBar->GetVisible() && FVScrollBar->GetVisible());
  PlaceInternalControls();
  if (KeepsInternalControlsOnTop()) RaiseInternalControls();
}

// ---- wheel and auto-scroll

std::uint8_t TcxControl::MouseWheelScrollKind() { return IsScrollBarVisible(sbVertical) ? 2 : 0; }

bool TcxControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  const std::uint8_t Kind = MouseWheelScrollKind();
  if (Kind == 0) return false;
  const TcxDirection Direction =
      Kind == 2 ? (WheelDelta > 0 ? dirUp : dirDown) : (WheelDelta > 0 ? dirLeft : dirRight);
  TcxObjectLinkGuard Link(this);
  for (int I = 0; I < Mouse->GetWheelScrollLines() && Link.Alive(); ++I) ScrollStep(Direction);
  return true;
}

void TcxControl::ScrollStep(TcxDirection Direction) {
  if (Direction == dirNone) return;
  if (!HasScrollBars() && !CanScrollWithoutBars(Direction)) return;
  const bool Vertical = Direction == dirUp || Direction == dirDown;
  TcxControlScrollBar* Bar = Vertical ? FVScrollBar : FHScrollBar;
  int Position = Bar ? Bar->GetPosition() : 0;
  const TScrollCode Code = Direction == dirLeft || Direction == dirUp ? scLineUp : scLineDown;
  TcxObjectLinkGuard Link(this);
  ScrollContent(Vertical ? sbVertical : sbHorizontal, Code, Position);
  if (Link.Alive()) Update();
}

TcxAutoScrollMotion AutoScrollMotionAt(POINT Anchor, POINT Point, int BitmapSize, bool HorzVisible,
                                       bool VertVisible, SIZE Screen) {
  const int Half = BitmapSize / 2;
  RECT Neutral{Anchor.x - Half, Anchor.y - Half, Anchor.x - Half + BitmapSize, Anchor.y - Half + BitmapSize};
  if (!HorzVisible) Neutral.left = 0, Neutral.right = Screen.cx;
  if (!VertVisible) Neutral.top = 0, Neutral.bottom = Screen.cy;
  TcxAutoScrollMotion M;
  if (RectContainsPoint(Neutral, Point)) return M;
  const int DX = Point.x - Anchor.x, DY = Point.y - Anchor.y;
  const bool Vertical = (VertVisible && !HorzVisible) || (VertVisible && std::abs(DY) >= std::abs(DX));
  const int Distance = Vertical ? std::abs(DY) : std::abs(DX);
  M.Direction = Vertical ? (DY < 0 ? dirUp : dirDown) : (DX < 0 ? dirLeft : dirRight);
  M.Speed = std::clamp((Distance - Half) / 5 + 1, 1, 12);
  return M;
}

void TcxControl::AutoScroll() {
  const bool HVisible = IsScrollBarVisible(sbHorizontal), VVisible = IsScrollBarVisible(sbVertical);
  FScrollingContent = true;
  bool Moved = false;
  POINT Anchor;
  ReadCursorPosition(Anchor);

  const wchar_t* BitmapName =
      HVisible && VVisible ? L"CX_FULLSCROLLBITMAP" : HVisible ? L"CX_HORSCROLLBITMAP" : L"CX_VERSCROLLBITMAP";
  HBITMAP Bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), BitmapName, IMAGE_BITMAP, 0, 0, 0));
  BITMAP Info{};
  if (Bitmap) GetObjectW(Bitmap, sizeof Info, &Info);
  const int BW = Info.bmWidth ? Info.bmWidth : 29, BH = Info.bmHeight ? Info.bmHeight : 29;
  HWND AnchorWindow = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP | SS_BITMAP,
                                      Anchor.x - BW / 2, Anchor.y - BH / 2, BW, BH, GetHandle(), nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  if (AnchorWindow) {
    SetWindowRgn(AnchorWindow, CreateEllipticRgn(0, 0, BW + 1, BH + 1), FALSE);
    ShowWindow(AnchorWindow, SW_SHOWNOACTIVATE);
    ValidateRect(AnchorWindow, nullptr);
    // Drawn here once: the window's own paint requests are only validated.
    HDC DC = GetDC(AnchorWindow);
    if (Bitmap) {
      HDC Memory = CreateCompatibleDC(DC);
      HGDIOBJ Old = SelectObject(Memory, Bitmap);
      BitBlt(DC, 0, 0, BW, BH, Memory, 0, 0, SRCCOPY);
      SelectObject(Memory, Old);
      DeleteDC(Memory);
    }
    HRGN Ellipse = CreateEllipticRgn(0, 0, BW + 1, BH + 1);
    FrameRgn(DC, Ellipse, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
    DeleteObject(Ellipse);
    ReleaseDC(AnchorWindow, DC);
  }

  TcxAutoScrollMotion Motion;
  auto ShowCursor = [&] {
    static const TCursor Directed[] = {0, crcxLeftScroll, crcxRightScroll, crcxUpScroll, crcxDownScroll};
    TCursor C = Motion.Direction != dirNone ? Directed[Motion.Direction]
                : HVisible && VVisible      ? crcxFullScroll
                : HVisible                  ? crcxHorzScroll
                                            : crcxVertScroll;
    if (Screen) ::SetCursor(Screen->GetCursors(C));
  };
  ShowCursor();
  Motion.Speed = 1;
  int Count = 0;
  const UINT_PTR Timer = SetTimer(nullptr, 0, AutoScrollTick, nullptr);
  TcxObjectLinkGuard Link(this);
  const HWND Window = GetHandle();
  SetCapture(Window);
  POINT LastPoint = Anchor;
  while (GetCapture() == Window) {
    MSG Msg;
    const int Got = GetMessageW(&Msg, nullptr, 0, 0);
    if (Got <= 0) {
      if (Got == 0) PostQuitMessage(static_cast<int>(Msg.wParam));
      break;
    }
    if (Msg.message == WM_PAINT && Msg.hwnd == AnchorWindow && AnchorWindow) {
      ValidateRect(AnchorWindow, nullptr);
      continue;
    }
    bool Stop = false;
    switch (Msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (Msg.wParam == VK_ESCAPE) {
          DispatchMessageW(&Msg);
          Stop = true;
        } else {
          TranslateMessage(&Msg);
          DispatchMessageW(&Msg);
        }
        break;
      case WM_TIMER:
        if (!Msg.hwnd && Msg.wParam == Timer) {
          if (++Count % (13 - Motion.Speed) == 0) ScrollStep(Motion.Direction);
        } else {
          DispatchMessageW(&Msg);
        }
        break;
      case WM_MOUSEMOVE: {
        POINT P{static_cast<short>(LOWORD(Msg.lParam)), static_cast<short>(HIWORD(Msg.lParam))};
        ::ClientToScreen(Msg.hwnd, &P);
        if (SamePoint(P, LastPoint)) break;
        LastPoint = P;
        Motion = AutoScrollMotionAt(Anchor, P, BW, HVisible, VVisible,
                                    SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        if (Motion.Direction != dirNone) Moved = true;
        ShowCursor();
        break;
      }
      case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_MOUSEWHEEL:
        // The click that ends auto-scroll is not passed on.
        Stop = true;
        break;
      case WM_MBUTTONUP:
        // A click without moving leaves the mode on until the next click; the
        // release let the capture go, so it is taken again.
        DispatchMessageW(&Msg);
        Stop = Moved;
        if (!Stop && Link.Alive()) SetCapture(Window);
        break;
      default:
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
        break;
    }
    if (Stop || !Link.Alive()) break;
  }
  if (GetCapture() == Window) ReleaseCapture();
  KillTimer(nullptr, Timer);
  if (AnchorWindow) DestroyWindow(AnchorWindow);
  if (Bitmap) DeleteObject(Bitmap);
  if (Link.Alive()) FScrollingContent = false;
}
