#include "suite/common/PopupWindow.h"

#include <algorithm>

#include "framework/Messages.h"
#include "suite/common/Geometry.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

namespace {
struct TPlacement {
  POINT P;
  POINT Attach;
};

// Step 3 of the placement: the position for the current alignments.
TPlacement Place(const RECT& OB, SIZE S, TcxPopupHorzAlign H, TcxPopupVertAlign V, TcxPopupDirection D) {
  TPlacement R{};
  R.P.x = (OB.left + OB.right - S.cx) / 2;
  R.P.y = (OB.top + OB.bottom - S.cy) / 2;
  R.Attach = POINT{(OB.left + OB.right) / 2, (OB.top + OB.bottom) / 2};
  if (D == pdirVertical) {
    if (H == phaLeft) R.P.x = OB.left, R.Attach.x = OB.left;
    else if (H == phaRight) R.P.x = OB.right - S.cx, R.Attach.x = OB.right;
    if (V == pvaTop) R.P.y = OB.top - S.cy, R.Attach.y = OB.top;
    else if (V == pvaBottom) R.P.y = OB.bottom, R.Attach.y = OB.bottom;
  } else {
    if (H == phaLeft) R.P.x = OB.left - S.cx, R.Attach.x = OB.left;
    else if (H == phaRight) R.P.x = OB.right, R.Attach.x = OB.right;
    if (V == pvaTop) R.P.y = OB.top, R.Attach.y = OB.top;
    else if (V == pvaBottom) R.P.y = OB.bottom - S.cy, R.Attach.y = OB.bottom;
  }
  return R;
}

// Moved back to end at High, then to start at Low: the start wins.
LONG Hold(LONG Pos, LONG Size, LONG Low, LONG High) {
  if (Pos + Size > High) Pos = High - Size;
  if (Pos < Low) Pos = Low;
  return Pos;
}
}  // namespace

POINT CalculatePopupPosition(const RECT& OB, SIZE Size, TcxPopupHorzAlign HorzAlign, TcxPopupVertAlign VertAlign,
                             TcxPopupDirection Direction, const TcxWorkAreaFunc& WorkAreaAt) {
  TPlacement Pl = Place(OB, Size, HorzAlign, VertAlign, Direction);
  const RECT WA = WorkAreaAt(Pl.Attach);
  if (Direction == pdirVertical) {
    const bool MoreRoomAbove = WA.bottom - OB.bottom < OB.top - WA.top;
    if (VertAlign == pvaBottom && Pl.P.y + Size.cy > WA.bottom && MoreRoomAbove) VertAlign = pvaTop;
    else if (VertAlign == pvaTop && Pl.P.y < WA.top && !MoreRoomAbove) VertAlign = pvaBottom;
    Pl.P.y = Place(OB, Size, HorzAlign, VertAlign, Direction).P.y;
    Pl.P.x = Hold(Pl.P.x, Size.cx, WA.left, WA.right);
    if (VertAlign == pvaCenter) Pl.P.y = Hold(Pl.P.y, Size.cy, WA.top, WA.bottom);
  } else {
    const bool MoreRoomLeft = WA.right - OB.right < OB.left - WA.left;
    if (HorzAlign == phaRight && Pl.P.x + Size.cx > WA.right && MoreRoomLeft) HorzAlign = phaLeft;
    else if (HorzAlign == phaLeft && Pl.P.x < WA.left && !MoreRoomLeft) HorzAlign = phaRight;
    Pl.P.x = Place(OB, Size, HorzAlign, VertAlign, Direction).P.x;
    Pl.P.y = Hold(Pl.P.y, Size.cy, WA.top, WA.bottom);
    if (HorzAlign == phaCenter) Pl.P.x = Hold(Pl.P.x, Size.cx, WA.left, WA.right);
  }
  return Pl.P;
}

TcxPopupWindow::TcxPopupWindow(TComponent* AOwner)
    : TForm(AOwner), FWorkAreaAt([](POINT P) { return NearestWorkArea(P); }) {
  SetBorderStyle(bsNone);
  SetDefaultMonitor(dmDesktop);
  SetFormStyle(fsStayOnTop);
  FCanvas.reset(TcxCanvas::Create(GetCanvas()));
}

TcxPopupWindow::~TcxPopupWindow() = default;

void TcxPopupWindow::SetPopupBorderStyle(TcxPopupBorderStyle Value) {
  if (FPopupBorderStyle == Value) return;
  FPopupBorderStyle = Value;
  Invalidate();
}

void TcxPopupWindow::SetFrameColor(TColor Value) {
  if (FFrameColor == Value) return;
  FFrameColor = Value;
  Invalidate();
}

void TcxPopupWindow::OpenPopup() {
  InheritOwnerFont();
  FitToControls();
  POINT P;
  ComputePosition(P);
  SetLeft(P.x);
  // Asked again: the horizontal move may have changed the monitor.
  ComputePosition(P);
  SetTop(P.y);
  Show();
}

void TcxPopupWindow::CloseUp() { Hide(); }

void TcxPopupWindow::ComputePosition(POINT& P) {
  RECT OB;
  OwnerScreenBounds(OB);
  P = CalculatePopupPosition(OB, SIZE{GetWidth(), GetHeight()}, FAlignHorz, FAlignVert, FDirection, FWorkAreaAt);
}

void TcxPopupWindow::OwnerScreenBounds(RECT& R) {
  R = FOwnerBounds;
  if (!FOwnerParent) return;
  POINT TopLeft = FOwnerParent->ClientToScreen(POINT{R.left, R.top});
  POINT BottomRight = FOwnerParent->ClientToScreen(POINT{R.right, R.bottom});
  R = RECT{TopLeft.x, TopLeft.y, BottomRight.x, BottomRight.y};
}

int TcxPopupWindow::FrameThickness() {
  switch (FPopupBorderStyle) {
    case pbsSingle:
    case pbsRaised: return 1;
    case pbsRaised3D: return 2;
    default: return 0;
  }
}

int TcxPopupWindow::SideInset(int) { return FrameThickness() + FBorderSpace; }

void TcxPopupWindow::InnerClientRect(RECT& R) {
  R = GetClientRect();
  R = RectInflatedSides(R, -SideInset(0), -SideInset(1), -SideInset(2), -SideInset(3));
}

void TcxPopupWindow::FitToControls() {
  if (!FAdjustable) return;
  int MaxRight = 0, MaxBottom = 0;
  for (int I = 0; I < GetControlCount(); ++I) {
    TControl* C = GetControl(I);
    MaxRight = std::max(MaxRight, C->GetLeft() + C->GetWidth());
    MaxBottom = std::max(MaxBottom, C->GetTop() + C->GetHeight());
  }
  for (int I = 0; I < GetControlCount(); ++I) {
    TControl* C = GetControl(I);
    C->SetBounds(C->GetLeft() + SideInset(0), C->GetTop() + SideInset(1), C->GetWidth(), C->GetHeight());
  }
  if (MaxRight == 0 && GetControlCount() == 0) return;
  SetWidth(SideInset(0) + MaxRight + SideInset(2));
  SetHeight(SideInset(1) + MaxBottom + SideInset(3));
}

void TcxPopupWindow::InheritOwnerFont() {
  if (FOwnerParent) GetFont()->Assign(FOwnerParent->GetFont());
}

void TcxPopupWindow::Paint() {
  TForm::Paint();
  PaintFrame();
}

void TcxPopupWindow::PaintFrame() {
  const RECT R{0, 0, GetWidth(), GetHeight()};
  switch (FPopupBorderStyle) {
    case pbsSingle: FCanvas->FillBorders(R, FFrameColor, 1, cxBordersAll); break;
    case pbsRaised: FCanvas->DrawEdge3D(R, false, false); break;
    case pbsRaised3D:
      FCanvas->DrawEdge3D(R, false, true);
      FCanvas->DrawEdge3D(RectInflated(R, -1, -1), false, false);
      break;
    default: break;
  }
}

void TcxPopupWindow::Dispatch(TMessage& Message) {
  // The frame is painted by the popup itself, not only by an OnPaint handler.
  if (Message.Msg == WM_PAINT) SetControlState(GetControlState() + csCustomPaint);
  TForm::Dispatch(Message);
}

void TcxPopupWindow::Deactivate() {
  TForm::Deactivate();
  CloseUp();
}

void TcxPopupWindow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      // The window that lost activation keeps its active caption while the popup is open.
      if (LOWORD(Message.WParam) != WA_INACTIVE) {
        FPrevActiveWindow = reinterpret_cast<HWND>(Message.LParam);
        if (FPrevActiveWindow) SendMessageW(FPrevActiveWindow, WM_NCACTIVATE, TRUE, 0);
      }
      break;
    case WM_ACTIVATEAPP:
      if (!Message.WParam) {
        if (FPrevActiveWindow && IsWindow(FPrevActiveWindow)) SendMessageW(FPrevActiveWindow, WM_NCACTIVATE, FALSE, 0);
        FPrevActiveWindow = nullptr;
        TForm::WndProc(Message);
        CloseUp();
        return;
      }
      break;
  }
  TForm::WndProc(Message);
  if (Message.Msg == CM_VISIBLECHANGED) VisibleChanged();
}
