#include "suite/bars/BarShadow.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarUnit.h"

namespace {
int LayeredOverride = -1;
}

// ---- TdxBarShadowPart

TdxBarShadowPart::TdxBarShadowPart(TdxBarShadow* AShadow, unsigned ACorners, TdxBarShadowPartKind AKind)
    : TCustomControl(nullptr), FShadow(AShadow), FCorners(ACorners), FKind(AKind), FImage(TBitmap::Create()) {
  SetVisible(false);
}

TdxBarShadowPart::~TdxBarShadowPart() = default;

bool TdxBarShadowPart::CanShow() const {
  int S = TdxBarShadow::Extent();
  return FCorners == 0 || (GetWidth() >= S && GetHeight() >= S);
}

BYTE TdxBarShadowPart::AlphaAt(TdxBarShadowPartKind Kind, unsigned Corners, int Extent, int Width, int Height, int X,
                               int Y) {
  int Alpha = static_cast<BYTE>(15 * (Kind == skBelow ? Height - Y : Width - X));
  auto Fade = [&](int D) {
    if (D < Extent) Alpha = MulDiv(Alpha, D + 1, Extent + 1);
  };
  if (Kind == skBelow) {
    if (Corners & sfLeftEnd) Fade(X);
    if (Corners & sfRightEnd) Fade(Width - 1 - X);
  } else if (Corners & sfTopEnd) {
    Fade(Y);
  }
  return static_cast<BYTE>(Alpha);
}

void TdxBarShadowPart::BuildImage() {
  if (!CanShow()) return;
  int W = GetWidth(), H = GetHeight();
  FImage->SetPixelFormat(pf32bit);
  FImage->SetSize(W, H);
  int S = TdxBarShadow::Extent();
  std::vector<DWORD> Pixels(static_cast<size_t>(W) * static_cast<size_t>(H));
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      Pixels[static_cast<size_t>(Y * W + X)] = static_cast<DWORD>(AlphaAt(FKind, FCorners, S, W, H, X, Y)) << 24;
  // Written in one call, top row first.
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof Info.bmiHeader;
  Info.bmiHeader.biWidth = W;
  Info.bmiHeader.biHeight = -H;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  SetDIBits(FImage->GetCanvas()->GetHandle(), FImage->GetHandle(), 0, static_cast<UINT>(H), Pixels.data(), &Info,
            DIB_RGB_COLORS);
}

void TdxBarShadowPart::PlaceAt(const RECT& R) {
  SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
  BuildImage();
  if (FShadow->GetShown()) ShowPart();
}

void TdxBarShadowPart::ShowPart() {
  if (!CanShow()) return;
  HandleNeeded();
  if (TdxBarShadow::IsLayered()) {
    RECT C = GetClientRect();
    SIZE Size{C.right, C.bottom};
    POINT Origin{0, 0};
    BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (TUpdateLayeredWindowProc Update = UpdateLayeredWindowEntry())
      Update(GetHandle(), nullptr, nullptr, &Size, FImage->GetCanvas()->GetHandle(), &Origin, 0, &Blend, ULW_ALPHA);
    FImage->Dormant();
  }
  TCustomdxBarControl* Popup = FShadow->GetOwner();
  HWND After = Popup && Popup->HandleAllocated() ? Popup->GetHandle() : HWND_TOP;
  SetWindowPos(GetHandle(), After, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TdxBarShadowPart::HidePart() {
  if (!HandleAllocated()) return;
  ShowWindow(GetHandle(), SW_HIDE);
  DestroyHandle();
}

void TdxBarShadowPart::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = TdxBarShadow::IsLayered() ? WS_EX_LAYERED : 0;
  TCustomdxBarControl* Popup = FShadow->GetOwner();
  HWND Owner = Popup && Popup->HandleAllocated() ? Popup->GetHandle() : nullptr;
  if (Owner && (GetWindowLongPtrW(Owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = Owner;
  Params.WindowClass.style = 0;
}

void TdxBarShadowPart::Paint() {
  RECT R = GetClientRect();
  FillRect(GetCanvas()->GetHandle(), &R, GetSysColorBrush(COLOR_BTNSHADOW));
}

void TdxBarShadowPart::WndProc(TMessage& Message) {
  // The mouse passes through to the window below.
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  TCustomControl::WndProc(Message);
}

// ---- TdxBarShadow

TdxBarShadow::~TdxBarShadow() { FreeParts(); }

void TdxBarShadow::SetLayeredOverride(int Value) { LayeredOverride = Value; }

bool TdxBarShadow::IsLayered() {
  if (LayeredOverride >= 0) return LayeredOverride == 1;
  return UpdateLayeredWindowEntry() && ScreenColorDepth() > 8;
}

void TdxBarShadow::SetRects(const RECT& OwnerRect, const RECT& WindowRect) {
  RECT O = OwnerRect, W = WindowRect;
  FHorizontal = IsRectEmpty(&O) || O.bottom == W.top || O.top == W.bottom;
  // The owner is always the upper or left one of the two afterwards.
  if ((FHorizontal && !IsRectEmpty(&O) && O.top == W.bottom) || (!FHorizontal && O.left == W.right)) std::swap(O, W);
  FOwnerRect = O;
  FWindowRect = W;
  Rebuild();
}

bool TdxBarShadow::Touch(const RECT& O, const RECT& W) {
  return ((O.bottom == W.top || O.top == W.bottom) && O.left < W.right && W.left < O.right) ||
         ((O.right == W.left || O.left == W.right) && O.top < W.bottom && W.top < O.bottom);
}

void TdxBarShadow::PlaceAround(const RECT& OwnerRect, const RECT& WindowRect) {
  TdxBarPainter* Painter = FOwner ? FOwner->GetPainter() : nullptr;
  bool Joins = Painter && !IsRectEmpty(&OwnerRect) && Touch(OwnerRect, WindowRect) && Painter->ShadowSkipsOwner(FOwner);
  SetRects(Joins ? OwnerRect : RECT{0, 0, 0, 0}, WindowRect);
}

void TdxBarShadow::SetShown(bool Value) {
  if (FShown == Value) return;
  FShown = Value;
  for (TdxBarShadowPart* P : FParts)
    if (Value)
      P->ShowPart();
    else
      P->HidePart();
}

void TdxBarShadow::Rebuild() {
  FreeParts();
  BuildParts();
}

void TdxBarShadow::FreeParts() {
  for (TdxBarShadowPart* P : FParts) Free(P);
  FParts.clear();
}

void TdxBarShadow::AddPart(TdxBarShadowPartKind Kind, unsigned Corners, const RECT& R) {
  if (IsRectEmpty(&R)) return;
  auto* P = TdxBarShadowPart::Create(this, Corners, Kind);
  FParts.push_back(P);
  P->PlaceAt(R);
}

void TdxBarShadow::BuildParts() {
  const RECT& O = FOwnerRect;
  const RECT& W = FWindowRect;
  int S = Extent();
  bool HasOwner = !IsRectEmpty(&O);
  if (FHorizontal) {
    if (HasOwner) AddPart(skRight, sfTopEnd, RECT{O.right, O.top + S, O.right + S, O.bottom});
    AddPart(skBelow, sfLeftEnd | sfRightEnd, RECT{W.left + S, W.bottom, W.right + S, W.bottom + S});
    if (HasOwner) {
      if (O.left + S < W.left) AddPart(skBelow, sfLeftEnd, RECT{O.left + S, O.bottom, W.left, O.bottom + S});
      if (W.right < O.right) AddPart(skBelow, sfRightEnd, RECT{W.right, O.bottom, O.right + S, O.bottom + S});
    }
    if (!HasOwner || O.right < W.right)
      AddPart(skRight, sfTopEnd, RECT{W.right, W.top + S, W.right + S, W.bottom});
    else
      AddPart(skRight, 0, RECT{W.right, W.top, W.right + S, W.bottom});
    return;
  }
  AddPart(skRight, sfTopEnd, RECT{W.right, W.top + S, W.right + S, W.bottom});
  if (O.top + S < W.top) AddPart(skRight, sfTopEnd, RECT{O.right, O.top + S, O.right + S, W.top});
  if (W.bottom < O.bottom) {
    AddPart(skBelow, sfLeftEnd | sfRightEnd, RECT{O.left + S, O.bottom, O.right + S, O.bottom + S});
    AddPart(skRight, 0, RECT{O.right, W.bottom, O.right + S, O.bottom});
  } else {
    AddPart(skBelow, sfLeftEnd, RECT{O.left + S, O.bottom, O.right, O.bottom + S});
  }
  if (O.bottom < W.bottom)
    AddPart(skBelow, sfLeftEnd | sfRightEnd, RECT{W.left + S, W.bottom, W.right + S, W.bottom + S});
  else
    AddPart(skBelow, sfRightEnd, RECT{W.left, W.bottom, W.right + S, W.bottom + S});
}
