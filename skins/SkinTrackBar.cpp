#include "skins/SkinTrackBar.h"

#include <cmath>

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Published.h"
#include "skins/SkinData.h"
#include "skins/SkinEffectBitmap.h"

namespace {
const bool Registered = (RegisterClass(TspSkinTrackBar::StaticClass()), true);
}

SONVELT_PUBLISHED(TspSkinTrackBar, P) {
  P.Integer("MinValue", &TspSkinTrackBar::GetMinValue, &TspSkinTrackBar::SetMinValue).Default(0);
  P.Integer("MaxValue", &TspSkinTrackBar::GetMaxValue, &TspSkinTrackBar::SetMaxValue).Default(100);
  P.Integer("Value", &TspSkinTrackBar::GetValue, &TspSkinTrackBar::SetValue).Default(50);
  P.Boolean("Vertical", &TspSkinTrackBar::GetVertical, &TspSkinTrackBar::SetVertical).Default(false);
  P.Boolean("JumpWhenClick", &TspSkinTrackBar::GetJumpWhenClick, &TspSkinTrackBar::SetJumpWhenClick).Default(false);
  P.Boolean("MouseSupport", &TspSkinTrackBar::GetMouseSupport, &TspSkinTrackBar::SetMouseSupport).Default(true);
  P.Boolean("CanFocused", &TspSkinTrackBar::GetCanFocused, &TspSkinTrackBar::SetCanFocused).Default(false);
  P.Event("OnChange", &TspSkinTrackBar::OnChange);
  P.Event("OnLastChange", &TspSkinTrackBar::OnLastChange);
  P.Event("OnStartDragButton", &TspSkinTrackBar::OnStartDragButton);
}

TspSkinTrackBar::TspSkinTrackBar(TComponent* AOwner) : TspSkinCustomControl(AOwner) {
  SetBounds(0, 0, 100, 20);
  FSkinDataName = "htrackbar";
}

void TspSkinTrackBar::SetValue(int AValue) {
  AValue = std::max(std::min(AValue, FMaxValue), FMinValue);
  if (AValue == FValue) return;
  FValue = AValue;
  Repaint();
  OnChange(this);
}

void TspSkinTrackBar::SetMinValue(int AValue) {
  FMinValue = AValue;
  if (FValue < FMinValue) FValue = FMinValue;
  Repaint();
}

void TspSkinTrackBar::SetMaxValue(int AValue) {
  FMaxValue = AValue;
  if (FValue > FMaxValue) FValue = FMaxValue;
  Repaint();
}

void TspSkinTrackBar::SetVertical(bool AValue) {
  FVertical = AValue;
  const TComponentState state = GetComponentState();
  if (state.Contains(csDesigning) && !state.Contains(csLoading)) FSkinDataName = AValue ? "trackbar" : "htrackbar";
  Invalidate();
}

void TspSkinTrackBar::SetCanFocused(bool AValue) {
  FCanFocused = AValue;
  SetTabStop(AValue);
}

bool TspSkinTrackBar::IsVertical() const { return FIndex != -1 ? SkinVertical : FVertical; }

void TspSkinTrackBar::RefreshSkinDescriptor() {
  TspSkinCustomControl::RefreshSkinDescriptor();
  auto* d = dynamic_cast<TspDataSkinTrackBarControl*>(Descriptor());
  if (!d) return;
  ActiveSkinRect = d->ActiveSkinRect;
  TrackArea = d->TrackArea;
  ButtonRect = d->ButtonRect;
  ActiveButtonRect = IsNullRect(d->ActiveButtonRect) ? d->ButtonRect : d->ActiveButtonRect;
  SkinVertical = d->Vertical;
  ButtonTransparent = d->ButtonTransparent;
  ButtonTransparentColor = d->ButtonTransparentColor;
  NewTrackArea = TrackArea;
  if (ResizeMode >= 1) {
    if (SkinVertical) NewTrackArea.bottom += RectHeight(FLayout.NC) - RectHeight(FGeometry.C);
    else NewTrackArea.right += RectWidth(FLayout.NC) - RectWidth(FGeometry.C);
  }
}

SIZE TspSkinTrackBar::ThumbSize() const {
  if (FIndex != -1) return SIZE{RectWidth(ButtonRect), RectHeight(ButtonRect)};
  if (IsVertical()) return SIZE{GetWidth() - 4, (GetWidth() - 4) / 2};
  return SIZE{(GetHeight() - 4) / 2, GetHeight() - 4};
}

void TspSkinTrackBar::CalcButtonRect(const RECT& R) {
  const SIZE b = ThumbSize();
  const int64_t range = int64_t(FMaxValue) - FMinValue;
  const double f = range == 0 ? 0.0 : double(int64_t(FValue) - FMinValue) / double(range);
  if (IsVertical()) {
    FStart = R.top + b.cy / 2;
    FEnd = R.bottom - b.cy / 2;
    FOffset = int(std::nearbyint((FEnd - FStart) * f));
    const int x = R.left + RectWidth(R) / 2 - b.cx / 2, y = FEnd - FOffset - b.cy / 2;
    FButtonRect = RECT{x, y, x + b.cx, y + b.cy};
  } else {
    FStart = R.left + b.cx / 2;
    FEnd = R.right - b.cx / 2;
    FOffset = int(std::nearbyint((FEnd - FStart) * f));
    const int x = FStart + FOffset - b.cx / 2, y = R.top + RectHeight(R) / 2 - b.cy / 2;
    FButtonRect = RECT{x, y, x + b.cx, y + b.cy};
  }
}

int TspSkinTrackBar::ValueFromPosition(int P) const {
  double x = FEnd > FStart ? double(P) / (FEnd - FStart) : 0.0;
  x = std::clamp(x, 0.0, 1.0);
  return int(FMinValue + int64_t(std::nearbyint(double(int64_t(FMaxValue) - FMinValue) * x)));
}

void TspSkinTrackBar::DrawDefaultImage(TCanvas* Canvas) {
  const int w = GetWidth(), h = GetHeight();
  Canvas->GetBrush()->SetColor(clBtnFace);
  Canvas->FillRect(RECT{0, 0, w, h});
  Canvas->GetBrush()->SetColor(clBtnShadow);
  Canvas->FrameRect(RECT{0, 0, w, h});
  CalcButtonRect(RECT{2, 2, w - 2, h - 2});
  const RECT groove = IsVertical() ? RECT{w / 2 - 1, 4, w / 2 + 1, h - 4} : RECT{4, h / 2 - 1, w - 4, h / 2 + 1};
  Canvas->GetPen()->SetColor(clBtnShadow);
  Canvas->MoveTo(groove.left, groove.bottom - 1);
  Canvas->LineTo(groove.left, groove.top);
  Canvas->LineTo(groove.right, groove.top);
  Canvas->GetPen()->SetColor(clBtnHighlight);
  Canvas->MoveTo(groove.right - 1, groove.top + 1);
  Canvas->LineTo(groove.right - 1, groove.bottom - 1);
  Canvas->LineTo(groove.left, groove.bottom - 1);
  const bool focused = FCanFocused && HandleAllocated() && GetFocus() == GetHandle();
  const TColor frame = FDown || focused ? TColor(0x00800000) : clBtnShadow;
  const TColor fill = FDown ? TColor(0x00B59385) : focused ? TColor(0x00D2BDB6) : clBtnFace;
  Canvas->GetBrush()->SetColor(fill);
  Canvas->FillRect(FButtonRect);
  Canvas->GetBrush()->SetColor(frame);
  Canvas->FrameRect(FButtonRect);
}

void TspSkinTrackBar::DrawSkinImage(TBitmap* Bitmap) {
  CreateSkinImage(Bitmap, FGeometry.S);
  CalcButtonRect(NewTrackArea);
  const RECT& b = FButtonRect;
  if (!IsNullRect(ActiveSkinRect)) {
    // The active track shows on the value side of the thumb.
    auto active = MakeOwned<TBitmap>();
    CreateSkinImage(active.get(), ActiveSkinRect);
    const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
    const RECT side = IsVertical() ? RECT{0, (b.top + b.bottom) / 2, w, h} : RECT{0, 0, (b.left + b.right) / 2, h};
    CopySkinPiece(Bitmap, side, active.get(), side);
  }
  if (!Picture) return;
  const bool focused = FCanFocused && HandleAllocated() && GetFocus() == GetHandle();
  const RECT source = FDown || focused ? ActiveButtonRect : ButtonRect;
  auto thumb = MakeOwned<TBitmap>();
  if (!SizeSkinBitmap(thumb.get(), RectWidth(source), RectHeight(source))) return;
  CopySkinPiece(thumb.get(), RECT{0, 0, RectWidth(source), RectHeight(source)}, Picture, source);
  if (ButtonTransparent) {
    thumb->SetTransparentColor(ButtonTransparentColor);
    thumb->SetTransparent(true);
    Bitmap->GetCanvas()->Draw(b.left, b.top, thumb.get());
  } else if (GetAlphaBlend()) {
    auto under = MakeOwned<TBitmap>();
    under->SetSize(thumb->GetWidth(), thumb->GetHeight());
    BitBlt(under->GetCanvas()->GetHandle(), 0, 0, thumb->GetWidth(), thumb->GetHeight(),
           Bitmap->GetCanvas()->GetHandle(), b.left, b.top, SRCCOPY);
    under->FreeContext();
    thumb->FreeContext();
    TspEffectBmp top(thumb->GetHandle()), below(under->GetHandle());
    top.BlendWith(&below, 1.0 - GetAlphaBlendValue() / 255.0);
    top.DrawTo(Bitmap->GetCanvas()->GetHandle(), b.left, b.top);
  } else {
    Bitmap->GetCanvas()->Draw(b.left, b.top, thumb.get());
  }
}

void TspSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FCanFocused && HandleAllocated() && GetFocus() != GetHandle() && CanFocus()) SetFocus();
  TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (!FMouseSupport || Button != mbLeft) return;
  const RECT& b = FButtonRect;
  if (X >= b.left && X <= b.right && Y >= b.top && Y <= b.bottom) {
    FOldPos = IsVertical() ? Y : X;
    FOldOffset = FOffset;
    FDown = true;
    Repaint();
    OnStartDragButton(this);
  }
}

void TspSkinTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  TspSkinCustomControl::MouseMove(Shift, X, Y);
  if (!FMouseSupport || !FDown) return;
  const int p = IsVertical() ? FOldPos + FOldOffset - Y : X + FOldOffset - FOldPos;
  SetValue(ValueFromPosition(p));
}

void TspSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (!FMouseSupport || Button != mbLeft) return;
  if (FDown) {
    FDown = false;
    Repaint();
    OnLastChange(this);
  } else if (FJumpWhenClick) {
    const SIZE b = ThumbSize();
    const int a = FIndex == -1 ? 2 : IsVertical() ? NewTrackArea.top : NewTrackArea.left;
    const int p = IsVertical() ? GetHeight() - Y - b.cy / 2 - a : X - b.cx / 2 - a;
    SetValue(ValueFromPosition(p));
  }
}

void TspSkinTrackBar::StepBy(int Delta) {
  SetValue(int(std::clamp<int64_t>(int64_t(FValue) + Delta, INT32_MIN, INT32_MAX)));
  OnLastChange(this);
}

void TspSkinTrackBar::KeyDown(WORD& Key, TShiftState Shift) {
  TspSkinCustomControl::KeyDown(Key, Shift);
  if (!FCanFocused) return;
  switch (Key) {
    case VK_LEFT:
    case VK_DOWN: StepBy(-1); break;
    case VK_UP:
    case VK_RIGHT: StepBy(1); break;
    default: break;
  }
}

bool TspSkinTrackBar::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (!FCanFocused || !HandleAllocated() || GetFocus() != GetHandle())
    return TspSkinCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos);
  const int step = WheelDelta > 0 ? 1 : -1;
  StepBy(IsVertical() ? step : -step);
  return true;
}

void TspSkinTrackBar::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (Message.WParam && !FPainting) PaintIntoDC(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_GETDLGCODE:
      Message.Result = FCanFocused ? DLGC_WANTARROWS : 0;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TspSkinCustomControl::WndProc(Message);
      Invalidate();
      return;
    default: TspSkinCustomControl::WndProc(Message);
  }
}
