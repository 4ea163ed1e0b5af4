#include "skins/ImageSlider.h"

#include <algorithm>
#include <cmath>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ClassRegistry.h"
#include "framework/DrawingHelpers.h"
#include "framework/Exceptions.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "framework/Screen.h"
#include "framework/Streams.h"
#include "skins/TransparentBitmap.h"

namespace {

// Margin between the slider rectangle and the ruler.
constexpr int RulerMargin = 6;
constexpr UINT_PTR RepeatTimer = 1;
constexpr UINT RepeatPeriod = 400;

// Forms name the slider by class.
const bool Registered = (RegisterClass(TImageSlider::StaticClass()), true);

const char* const BuiltInImages[4] = {"W95_HTB", "W95_HRL", "W95_VTB", "W95_VRL"};

inline int RoundEven(double v) { return int(std::nearbyint(v)); }

void RegisterSliderCursors() {
  static bool done = false;
  if (done || !Screen) return;
  done = true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  Screen->SetCursors(crSliderHand, LoadCursorFileResource(instance, L"RX_HANDCUR"));
  Screen->SetCursors(crSliderDrag, LoadCursorFileResource(instance, L"RX_DRAGCUR"));
}

}  // namespace

// Images come before EdgeSize, which needs the ruler's length, and the range before
// the value, which it bounds.
SONVELT_PUBLISHED(TImageSlider, P) {
  P.Boolean("ParentColor", &TImageSlider::GetParentColor, &TImageSlider::SetParentColor).Default(true);
  P.Boolean("TabStop", &TImageSlider::GetTabStop, &TImageSlider::SetTabStop).Default(true);
  P.Enum("Orientation", &TImageSlider::GetOrientation, &TImageSlider::SetOrientation, {"soHorizontal", "soVertical"})
      .Default(soHorizontal);
  P.Set("Options", &TImageSlider::GetOptions, &TImageSlider::SetOptions,
        {"soShowFocus", "soShowPoints", "soSmooth", "soRulerOpaque", "soThumbOpaque"})
      .Default(TSliderOptions{soShowFocus, soShowPoints, soSmooth});
  P.Integer("NumThumbStates", &TImageSlider::GetNumThumbStates, &TImageSlider::SetNumThumbStates).Default(2);
  const char* const images[4] = {"ImageHThumb", "ImageHRuler", "ImageVThumb", "ImageVRuler"};
  for (int i = 0; i < 4; ++i)
    P.Object(images[i], [i](TImageSlider* S) { return S->GetImage(i); })
        .Stored([i](TImageSlider* S) { return (S->GetUserImages() >> i) & 1; });
  P.Integer("EdgeSize", &TImageSlider::GetEdgeSize, &TImageSlider::SetEdgeSize).Default(2);
  P.Enum("BevelStyle", &TImageSlider::GetBevelStyle, &TImageSlider::SetBevelStyle,
         {"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvNone);
  P.Integer("MinValue", &TImageSlider::GetMinValue, &TImageSlider::SetMinValue).Default(0);
  P.Integer("MaxValue", &TImageSlider::GetMaxValue, &TImageSlider::SetMaxValue).Default(100);
  P.Integer("Increment", &TImageSlider::GetIncrement, &TImageSlider::SetIncrement).Default(10);
  P.Integer("Value", &TImageSlider::GetValue, &TImageSlider::SetValue).Default(0);
  P.Event("OnChange", &TImageSlider::OnChange);
  P.Event("OnChanged", &TImageSlider::OnChanged);
  P.Event("OnDrawPoints", &TImageSlider::OnDrawPoints);
}

TImageCustomSlider::TImageCustomSlider(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
  SetParentColor(true);
  SetTabStop(true);
  FRuler = TBitmap::Create();
  for (int i = 0; i < 4; ++i) {
    FImages[i] = TBitmap::Create();
    LoadBuiltInImage(i);
    FImages[i]->OnChange = Bind(this, &TImageCustomSlider::ImageChanged);
  }
  SetBounds(GetLeft(), GetTop(), 150, 40);
  RebuildLayout();
  RegisterSliderCursors();
}

TImageCustomSlider::~TImageCustomSlider() = default;

void TImageCustomSlider::BeforeDestruction() {
  OnChange = nullptr;
  OnChanged = nullptr;
  OnDrawPoints = nullptr;
  if (FTimerActive && HandleAllocated()) KillTimer(GetHandle(), RepeatTimer);
  FreeAndNil(FRuler);
  for (TBitmap*& image : FImages) {
    image->OnChange = nullptr;
    FreeAndNil(image);
  }
  TCustomControl::BeforeDestruction();
}

bool TImageCustomSlider::Reading() const { return GetComponentState().Contains(csReading); }

void TImageCustomSlider::LoadBuiltInImage(int Index) {
  FImages[Index]->LoadFromResourceName(GetModuleHandleW(nullptr), BuiltInImages[Index]);
}

void TImageCustomSlider::ImageChanged(TObject*) {
  if (FRuler && !GetControlState().Contains(csCreating)) RebuildLayout();
}

// --- geometry ------------------------------------------------------------------

int TImageCustomSlider::ThumbWidth() const { return FImages[0]->GetWidth() / FNumThumbStates; }
int TImageCustomSlider::VThumbHeight() const { return FImages[2]->GetHeight(); }

int TImageCustomSlider::RulerLength() const {
  return FOrientation == soHorizontal ? FRuler->GetWidth() - ThumbWidth() : FRuler->GetHeight() - VThumbHeight();
}

RECT TImageCustomSlider::SliderRect() {
  RECT r{0, 0, GetWidth(), GetHeight()};
  if (FBevelStyle != bvNone) InflateRect(&r, -FBevelWidth, -FBevelWidth);
  return r;
}

int TImageCustomSlider::Start() {
  const RECT r = SliderRect();
  return (FOrientation == soHorizontal ? r.left : r.top) + RulerMargin;
}

int TImageCustomSlider::OffsetFromValue(int Value) {
  const RECT r = SliderRect();
  const int start = Start();
  const int range = FMaxValue - FMinValue;
  int p = start + (range > 0 ? RoundEven(RulerLength() * (double(Value - FMinValue) / range)) : 0);
  if (FOrientation == soVertical) p = r.top + r.bottom - p - VThumbHeight();
  return std::max(p, start);
}

int TImageCustomSlider::ValueFromOffset(int Offset) {
  if (FOrientation == soVertical) Offset = GetClientHeight() - Offset - VThumbHeight();
  const RECT r = SliderRect();
  const int length = RulerLength();
  // A ruler with no room to move along gives the minimum, not a division by zero.
  int t = length > 0 ? RoundEven(double(Offset - r.left - RulerMargin) * (FMaxValue - FMinValue) / length) : 0;
  if (!FOptions.Contains(soSmooth) && FIncrement > 0) t = RoundEven(double(t) / FIncrement) * FIncrement;
  return std::min(FMinValue + std::max(t, 0), FMaxValue);
}

int TImageCustomSlider::SnapOffset(int Offset) {
  const int start = Start(), end = start + std::max(RulerLength(), 0);
  Offset = std::min(std::max(Offset, start), end);
  Offset = OffsetFromValue(ValueFromOffset(Offset));
  return std::min(Offset, end);
}

void TImageCustomSlider::MoveThumb(int Offset) {
  Offset = SnapOffset(Offset);
  const bool erase = !GetControlStyle().Contains(csOpaque);
  if (HandleAllocated()) InvalidateRect(GetHandle(), &FThumbRect, erase);
  if (FOrientation == soHorizontal) OffsetRect(&FThumbRect, Offset - FThumbRect.left, 0);
  else OffsetRect(&FThumbRect, 0, Offset - FThumbRect.top);
  if (HandleAllocated()) InvalidateRect(GetHandle(), &FThumbRect, erase);
  if (FSliding) {
    const int v = ValueFromOffset(Offset);
    if (v != FValue) {
      FValue = v;
      OnChange(this);
    }
  }
}

RECT TImageCustomSlider::RulerHitRect() const {
  RECT r{FRulerOrg.x, FRulerOrg.y, FRulerOrg.x + FRuler->GetWidth(), FRulerOrg.y + FRuler->GetHeight()};
  if (FOrientation == soHorizontal) InflateRect(&r, 0, 3);
  else InflateRect(&r, 3, 0);
  return r;
}

// --- values --------------------------------------------------------------------

void TImageCustomSlider::SetValue(int Value) {
  Value = std::max(std::min(Value, FMaxValue), FMinValue);
  const bool changed = Value != FValue;
  FValue = Value;
  MoveThumb(OffsetFromValue(Value));
  if (changed) OnChange(this);
}

void TImageCustomSlider::SetRange(int Min, int Max) {
  if (Max <= Min && !Reading()) return;
  FMinValue = Min;
  FMaxValue = Max;
  if (!Reading() && FMaxValue < FMinValue + FIncrement) FIncrement = FMaxValue - FMinValue;
  if (FOptions.Contains(soShowPoints)) Invalidate();
  SetValue(FValue);
  AfterRangeChange();
}

void TImageCustomSlider::SetMinValue(int Value) {
  if (Value != FMinValue) SetRange(Value, FMaxValue);
}

void TImageCustomSlider::SetMaxValue(int Value) {
  if (Value != FMaxValue) SetRange(FMinValue, Value);
}

void TImageCustomSlider::SetIncrement(int Value) {
  if (!Reading() && (Value < 1 || Value > FMaxValue - FMinValue))
    throw Exception("Value must be between %d and %d", {1, FMaxValue - FMinValue});
  if (Value > 0 && Value != FIncrement) {
    FIncrement = Value;
    SetValue(FValue);
    Invalidate();
  }
}

void TImageCustomSlider::StepValue(TStep Step) {
  const int grid = RoundEven(double(FValue) / FIncrement) * FIncrement;
  int v = FValue;
  switch (Step) {
    case stMin: v = FMinValue; break;
    case stMax: v = FMaxValue; break;
    case stUp: v = grid + FIncrement; break;
    case stDown: v = grid - FIncrement; break;
    case stNone: return;
  }
  v = std::max(std::min(v, FMaxValue), FMinValue);
  if (v != FValue) SetValue(v);
}

// --- settings ------------------------------------------------------------------

void TImageCustomSlider::SetOrientation(TSliderOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  const TComponentState state = GetComponentState();
  if (!state.Contains(csLoading) && !state.Contains(csUpdating) && !state.Contains(csReading))
    SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  RebuildLayout();
}

void TImageCustomSlider::SetEdgeSize(int Value) {
  const int length = FOrientation == soHorizontal ? FImages[1]->GetWidth() : FImages[3]->GetHeight();
  if (Value >= 0 && 2 * Value < length && Value != FEdgeSize) {
    FEdgeSize = Value;
    RebuildLayout();
  }
}

void TImageCustomSlider::SetNumThumbStates(TNumThumbStates Value) {
  Value = std::clamp(Value, 1, 2);
  if (Value == FNumThumbStates) return;
  FNumThumbStates = Value;
  RebuildLayout();
}

void TImageCustomSlider::SetBevelStyle(TBevelCut Value) {
  if (Value == FBevelStyle) return;
  FBevelStyle = Value;
  RebuildLayout();
  Invalidate();
}

void TImageCustomSlider::SetOptions(TSliderOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  Invalidate();
}

void TImageCustomSlider::SetImage(int Index, TBitmap* Value) {
  if (Value) {
    FImages[Index]->Assign(Value);
    FUserImages |= uint8_t(1 << Index);
    return;
  }
  LoadBuiltInImage(Index);
  FUserImages &= uint8_t(~(1 << Index));
  if (Reading()) return;
  FOptions.Exclude(Index % 2 == 0 ? soThumbOpaque : soRulerOpaque);
  Invalidate();
}

void TImageCustomSlider::Loaded() {
  TCustomControl::Loaded();
  for (int i = 0; i < 4; ++i)
    if ((FUserImages >> i) & 1) {
      TOwned<TBitmap> copy(TBitmap::Create());
      copy->Assign(FImages[i]);
      SetImage(i, copy.get());
    }
  RebuildLayout();
}

void TImageCustomSlider::DefineProperties(TFiler* Filer) {
  TCustomControl::DefineProperties(Filer);
  std::uint8_t stored = 0;
  if (auto* ancestor = dynamic_cast<TImageCustomSlider*>(Filer->GetAncestor())) stored = ancestor->FUserImages;
  Filer->DefineBinaryProperty("UserImages", Bind(this, &TImageCustomSlider::ReadUserImages),
                              Bind(this, &TImageCustomSlider::WriteUserImages), FUserImages != stored);
}

void TImageCustomSlider::ReadUserImages(TStream* Stream) { Stream->ReadBuffer(&FUserImages, 1); }

void TImageCustomSlider::WriteUserImages(TStream* Stream) { Stream->WriteBuffer(&FUserImages, 1); }

void TImageCustomSlider::AdjustClientRect(RECT& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  if (FBevelStyle != bvNone) InflateRect(&Rect, -FBevelWidth, -FBevelWidth);
}

void TImageCustomSlider::Resize() {
  TCustomControl::Resize();
  if (FRuler && !Reading()) RebuildLayout();
}

// --- layout --------------------------------------------------------------------

void TImageCustomSlider::RebuildLayout() {
  const int remembered = FValue;
  const RECT r = SliderRect();
  const bool horizontal = FOrientation == soHorizontal;
  TBitmap* image = FImages[horizontal ? 1 : 3];
  const int workWidth = horizontal ? std::max<int>(r.right - r.left - 2 * RulerMargin, 0) : image->GetWidth();
  const int workHeight = horizontal ? image->GetHeight() : std::max<int>(r.bottom - r.top - 2 * RulerMargin, 0);
  FRuler->SetPixelFormat(pf24bit);
  FRuler->SetSize(workWidth, workHeight);
  const int length = horizontal ? workWidth : workHeight;
  if (length > 0 && image->GetWidth() > 0 && image->GetHeight() > 0) {
    const int e = FEdgeSize;
    const int s = horizontal ? image->GetWidth() : image->GetHeight();
    const int thickness = horizontal ? image->GetHeight() : image->GetWidth();
    const int w = length - 2 * e;
    const int step = std::max(s - 2 * e, 1);
    const int n = std::max(w, 0) / step + 1, rest = std::max(w, 0) % step;
    HDC to = FRuler->GetCanvas()->GetHandle();
    HDC from = image->GetCanvas()->GetHandle();
    auto piece = [&](int count, int source, int dest) {
      if (horizontal) BitBlt(to, dest, 0, count, thickness, from, source, 0, SRCCOPY);
      else BitBlt(to, 0, dest, thickness, count, from, 0, source, SRCCOPY);
    };
    for (int i = 0; i < n; ++i) {
      if (i == 0) piece(s - e, 0, 0);
      else if (i < n - 1) piece(step, e, e + i * step);
      else piece(e + rest, e + step - rest, e + i * step);
    }
  }

  const int thumbW = ThumbWidth(), thumbH = FImages[0]->GetHeight();
  const int vThumbW = FImages[2]->GetWidth() / FNumThumbStates, vThumbH = VThumbHeight();
  const int left = r.left + RulerMargin, top = r.top + RulerMargin;
  if (horizontal) {
    const int h = FRuler->GetHeight();
    if (thumbH > h) {
      FThumbRect = RECT{left, top, left + thumbW, top + thumbH};
      FRulerOrg = POINT{left, top + (thumbH - h) / 2};
    } else {
      FThumbRect = RECT{left, top + (h - thumbH) / 2, left + thumbW, top + (h - thumbH) / 2 + thumbH};
      FRulerOrg = POINT{left, top};
    }
    FPointsRect = RECT{FRulerOrg.x, r.top + RulerMargin + 1 + std::max(thumbH, h), FRulerOrg.x + FRuler->GetWidth(),
                       r.bottom - r.top - 1};
  } else {
    const int w = FRuler->GetWidth();
    if (vThumbW > w) {
      FThumbRect = RECT{left, top, left + vThumbW, top + vThumbH};
      FRulerOrg = POINT{left + (vThumbW - w) / 2, top};
    } else {
      FThumbRect = RECT{left + (w - vThumbW) / 2, top, left + (w - vThumbW) / 2 + vThumbW, top + vThumbH};
      FRulerOrg = POINT{left, top};
    }
    FPointsRect = RECT{r.left + RulerMargin + 1 + std::max(vThumbW, w), FRulerOrg.y, r.right - r.left - 1,
                       FRulerOrg.y + FRuler->GetHeight()};
  }
  FValue = remembered;
  MoveThumb(OffsetFromValue(remembered));
  Invalidate();
}

// --- painting ------------------------------------------------------------------

void TImageCustomSlider::Paint() {
  TCanvas* canvas = GetCanvas();
  const bool horizontal = FOrientation == soHorizontal;
  const bool paintCopy = GetControlState().Contains(csPaintCopy);
  POINT thumb{FThumbRect.left, FThumbRect.top};
  if (paintCopy) {
    const int p = SnapOffset(OffsetFromValue(CurrentValue()));
    if (horizontal) thumb.x = p;
    else thumb.y = p;
  }
  RECT r = GetClientRect();
  if (FBevelStyle != bvNone) {
    const bool lowered = FBevelStyle == bvLowered;
    Frame3D(canvas, r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, 1);
  }
  if (GetControlStyle().Contains(csOpaque)) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->FillRect(r);
  }
  if (FRuler->GetWidth() > 0 && FRuler->GetHeight() > 0) {
    if (FOptions.Contains(soRulerOpaque)) canvas->Draw(FRulerOrg.x, FRulerOrg.y, FRuler);
    else DrawBitmapTransparent(canvas, FRulerOrg.x, FRulerOrg.y, FRuler, FRuler->GetTransparentColor());
  }
  if (FOptions.Contains(soShowFocus) && FFocused && !GetComponentState().Contains(csDesigning)) {
    RECT focus = SliderRect();
    InflateRect(&focus, -2, -2);
    canvas->DrawFocusRect(focus);
  }
  if (FOptions.Contains(soShowPoints)) {
    if (OnDrawPoints) OnDrawPoints(this);
    else DrawTicks(FIncrement, 3, 5);
  }
  TBitmap* image = FImages[horizontal ? 0 : 2];
  RECT source{0, 0, image->GetWidth(), image->GetHeight()};
  if (FNumThumbStates == 2) {
    const bool pressed = paintCopy ? !GetEnabled() : (FThumbDown || !GetEnabled());
    const int half = image->GetWidth() / 2;
    source = pressed ? RECT{half, 0, 2 * half, image->GetHeight()} : RECT{0, 0, half, image->GetHeight()};
  }
  DrawBitmapRectTransparent(canvas, thumb.x, thumb.y, source, image,
                            FOptions.Contains(soThumbOpaque) ? clNone : image->GetTransparentColor());
}

void TImageCustomSlider::DrawTicks(int Step, int TickLength, int EndLength) {
  TCanvas* canvas = GetCanvas();
  canvas->GetPen()->SetColor(clWindowText);
  const int length = RulerLength();
  const int range = FMaxValue - FMinValue;
  Step = std::max(Step, 1);
  int k = 1, count = 1;
  for (;; ++k) {
    count = RoundEven(double(range) / (k * Step)) + 1;
    const int spacing = count > 1 ? length / (count - 1) : length;
    if (spacing >= 4 || spacing >= length || k * Step >= range) break;
  }
  const bool horizontal = FOrientation == soHorizontal;
  for (int i = 0; i < count; ++i) {
    const int v = i == count - 1 ? FMaxValue : FMinValue + i * k * Step;
    const int size = v == FMinValue || v == FMaxValue ? EndLength : TickLength;
    if (horizontal) {
      const int x = OffsetFromValue(v) + ThumbWidth() / 2;
      canvas->MoveTo(x, FPointsRect.top);
      canvas->LineTo(x, FPointsRect.top + size);
    } else {
      const int y = OffsetFromValue(v) + VThumbHeight() / 2;
      canvas->MoveTo(FPointsRect.left, y);
      canvas->LineTo(FPointsRect.left + size, y);
    }
  }
}

// --- mouse and keys --------------------------------------------------------------

TImageCustomSlider::TStep TImageCustomSlider::DirectionOf(POINT P) const {
  if (FOrientation == soHorizontal) {
    if (P.x < FThumbRect.left) return stDown;
    if (P.x > FThumbRect.right) return stUp;
  } else {
    if (P.y < FThumbRect.top) return stUp;
    if (P.y > FThumbRect.bottom) return stDown;
  }
  return stNone;
}

void TImageCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && !Shift.Contains(ssDouble)) {
    if (CanFocus()) SetFocus();
    const POINT p{X, Y};
    if (PointInRect(p, FThumbRect)) {
      ThumbPressed(Button, X, Y);
    } else if (PointInRect(p, RulerHitRect()) && CanChangeValue()) {
      SetCapture(GetHandle());
      FTracking = true;
      FMousePos = p;
      FStartDirection = DirectionOf(p);
      RulerStep();
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TImageCustomSlider::RulerStep() {
  if (FStartDirection == stNone || DirectionOf(FMousePos) != FStartDirection) return;
  StepValue(FStartDirection);
  if (!FTimerActive) {
    SetTimer(GetHandle(), RepeatTimer, RepeatPeriod, nullptr);
    FTimerActive = true;
  }
}

void TImageCustomSlider::MouseMove(TShiftState Shift, int X, int Y) {
  if (Shift.Contains(ssLeft) && FSliding) ThumbDragged(X, Y);
  else if (FTracking) FMousePos = POINT{X, Y};
  TCustomControl::MouseMove(Shift, X, Y);
}

void TImageCustomSlider::StopTracking() {
  if (FTimerActive) KillTimer(GetHandle(), RepeatTimer);
  FTimerActive = false;
  FTracking = false;
  FStartDirection = stNone;
  ReleaseCapture();
  OnChanged(this);
}

void TImageCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FTracking) StopTracking();
  if (FSliding) ThumbReleased(Button);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TImageCustomSlider::ThumbPressed(TMouseButton Button, int X, int Y) {
  if (CanFocus()) SetFocus();
  if (Button != mbLeft || !CanChangeValue()) return;
  FSliding = FThumbDown = true;
  FGrab = FOrientation == soHorizontal ? X - FThumbRect.left : Y - FThumbRect.top;
  if (HandleAllocated()) {
    InvalidateRect(GetHandle(), &FThumbRect, FALSE);
    Update();
  }
}

void TImageCustomSlider::ThumbDragged(int X, int Y) {
  if (!CanChangeValue()) return;
  MoveThumb((FOrientation == soHorizontal ? X : Y) - FGrab);
}

void TImageCustomSlider::ThumbReleased(TMouseButton Button) {
  if (Button != mbLeft) return;
  FSliding = FThumbDown = false;
  if (HandleAllocated()) {
    InvalidateRect(GetHandle(), &FThumbRect, FALSE);
    Update();
  }
  if (CanChangeValue()) OnChanged(this);
}

void TImageCustomSlider::KeyDown(WORD& Key, TShiftState Shift) {
  TStep step = stNone;
  if (Shift.Empty()) {
    const bool horizontal = FOrientation == soHorizontal;
    switch (Key) {
      case VK_HOME: step = stMin; break;
      case VK_END: step = stMax; break;
      case VK_LEFT: step = horizontal ? stDown : stNone; break;
      case VK_RIGHT: step = horizontal ? stUp : stNone; break;
      case VK_UP: step = horizontal ? stNone : stUp; break;
      case VK_DOWN: step = horizontal ? stNone : stDown; break;
      default: break;
    }
  }
  if (step != stNone && CanChangeValue()) {
    Key = 0;
    StepValue(step);
    OnChanged(this);
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TImageCustomSlider::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    case WM_TIMER:
      if (Message.WParam == RepeatTimer && FTracking) {
        RulerStep();
        return;
      }
      break;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      if (LOWORD(Message.LParam) == HTCLIENT && PointInRect(p, FThumbRect) &&
          !GetComponentState().Contains(csDesigning)) {
        ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
        Message.Result = TRUE;
        return;
      }
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      FFocused = Message.Msg == WM_SETFOCUS;
      if (FOptions.Contains(soShowFocus)) Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(Message);
      if (HandleAllocated()) InvalidateRect(GetHandle(), &FThumbRect, FALSE);
      return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}
