#include "suite/bars/BarSpinEdit.h"

#include <cfenv>
#include <cmath>

#include "framework/Conversions.h"
#include "framework/FormatSettings.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/cxCanvas.h"

namespace {
const std::vector<std::string> ValueTypeNames{"svtInteger", "svtFloat"};
const std::vector<std::string> PrefixPlaceNames{"ppStart", "ppEnd"};
}  // namespace

SONVELT_PUBLISHED(TdxBarSpinEdit, P) {
  // The type first: integer settings round what they are given.
  P.Enum("ValueType", &TdxBarSpinEdit::GetValueType, &TdxBarSpinEdit::SetValueType, ValueTypeNames)
      .Default(svtInteger);
  P.Float("Increment", &TdxBarSpinEdit::GetIncrement, &TdxBarSpinEdit::SetIncrement)
      .Stored([](TdxBarSpinEdit* S) { return S->GetIncrement() != 1; });
  P.Float("MaxValue", &TdxBarSpinEdit::GetMaxValue, &TdxBarSpinEdit::SetMaxValue)
      .Stored([](TdxBarSpinEdit* S) { return S->GetMaxValue() != 0; });
  P.Float("MinValue", &TdxBarSpinEdit::GetMinValue, &TdxBarSpinEdit::SetMinValue)
      .Stored([](TdxBarSpinEdit* S) { return S->GetMinValue() != 0; });
  P.String("Prefix", &TdxBarSpinEdit::GetPrefix, &TdxBarSpinEdit::SetPrefix);
  P.Enum("PrefixPlace", &TdxBarSpinEdit::GetPrefixPlace, &TdxBarSpinEdit::SetPrefixPlace, PrefixPlaceNames)
      .Default(ppEnd);
  // After the limits and the prefix, so that a stored value reads as it was written.
  P.Float("Value", &TdxBarSpinEdit::GetValue, &TdxBarSpinEdit::SetValue)
      .Stored([](TdxBarSpinEdit* S) { return S->GetValue() != 0; });
}

TdxBarSpinEdit::TdxBarSpinEdit(TComponent* AOwner) : TdxBarEdit(AOwner) {
  EnsureBarExtItemsUnit();
  StoreText("0");
}

TdxBarSpinEdit::Extended TdxBarSpinEdit::RoundIfInteger(Extended Value) const {
  if (FValueType == svtFloat) return Value;
  const int Mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  Extended R = std::nearbyintl(Value);
  std::fesetround(Mode);
  return R;
}

TdxBarSpinEdit::Extended TdxBarSpinEdit::Clamp(Extended Value) const {
  Value = RoundIfInteger(Value);
  if (!HasLimits()) return Value;
  if (Value < FMinValue) return FMinValue;
  if (!(Value <= FMaxValue)) return FMaxValue;
  return Value;
}

std::string TdxBarSpinEdit::ValueToText(Extended Value) const {
  std::string S = FValueType == svtFloat ? FloatToStr(Value) : IntToStr(static_cast<std::int64_t>(RoundIfInteger(Value)));
  return FPrefixPlace == ppStart ? FPrefix + S : S + FPrefix;
}

std::string TdxBarSpinEdit::RemovePrefix(const std::string& Text) const {
  if (FPrefix.empty()) return Text;
  std::string R = Text;
  std::string::size_type At = R.find(FPrefix);
  if (At != std::string::npos) R.erase(At, FPrefix.size());
  return R;
}

bool TdxBarSpinEdit::TryTextToValue(const std::string& Text, Extended& Value) const {
  std::string S = RemovePrefix(Text);
  if (FValueType == svtInteger) {
    int I = 0;
    if (!TryStrToInt(S, I)) return false;
    Value = I;
    return true;
  }
  double D = 0;
  if (!TryStrToFloat(S, D)) return false;
  Value = D;
  return true;
}

TdxBarSpinEdit::Extended TdxBarSpinEdit::TextToValue(const std::string& Text) const {
  Extended V = 0;
  return TryTextToValue(Text, V) ? V : FMinValue;
}

void TdxBarSpinEdit::SetText(const std::string& Value) {
  Extended V = 0;
  if (!TryTextToValue(Value, V)) return;
  TdxBarEdit::SetText(ValueToText(Clamp(V)));
}

void TdxBarSpinEdit::SetValue(Extended Value) {
  Extended V = Clamp(Value);
  if (V != GetValue()) TdxBarEdit::SetText(ValueToText(V));
}

void TdxBarSpinEdit::SetCurrentValue(Extended Value) {
  Extended V = Clamp(Value);
  if (V != GetCurrentValue()) SetCurrentText(ValueToText(V));
}

void TdxBarSpinEdit::SetIncrement(Extended Value) {
  Value = RoundIfInteger(Value);
  if (FValueType == svtInteger ? Value < 1 : !(Value > 0)) Value = 1;
  FIncrement = Value;
}

void TdxBarSpinEdit::SetMinValue(Extended Value) {
  Value = RoundIfInteger(Value);
  if (Value == FMinValue) return;
  FMinValue = Value;
  if (FMinValue > FMaxValue) FMaxValue = FMinValue;
  SetValue(Clamp(GetValue()));
  SetCurrentValue(Clamp(GetCurrentValue()));
}

void TdxBarSpinEdit::SetMaxValue(Extended Value) {
  Value = RoundIfInteger(Value);
  if (Value == FMaxValue) return;
  FMaxValue = Value;
  if (FMaxValue < FMinValue) FMinValue = FMaxValue;
  SetValue(Clamp(GetValue()));
  SetCurrentValue(Clamp(GetCurrentValue()));
}

void TdxBarSpinEdit::Reformat(Extended Value) { TdxBarEdit::SetText(ValueToText(Value)); }

void TdxBarSpinEdit::SetPrefix(const std::string& Value) {
  Extended V = GetValue();
  if (Value == FPrefix) return;
  FPrefix = Value;
  Reformat(V);
}

void TdxBarSpinEdit::SetPrefixPlace(TdxBarSpinEditPrefixPlace Value) {
  Extended V = GetValue();
  if (Value == FPrefixPlace) return;
  FPrefixPlace = Value;
  Reformat(V);
}

void TdxBarSpinEdit::SetValueType(TdxBarSpinEditValueType Value) {
  if (Value == FValueType) return;
  Extended V = GetValue(), Current = GetCurrentValue();
  FValueType = Value;
  if (Value == svtFloat) return;
  SetIncrement(FIncrement);
  // The limits are set again from scratch so that each is rounded and checked.
  Extended Min = FMinValue, Max = FMaxValue;
  FMinValue = FMaxValue = 0;
  SetMaxValue(Max);
  SetMinValue(Min);
  Reformat(Clamp(V));
  SetCurrentValue(Current);
}

void TdxBarSpinEdit::Step(TdxBarSpinEditButton Button) {
  if (Button == sbUp)
    SetCurrentValue(GetCurrentValue() + FIncrement);
  else if (Button == sbDown)
    SetCurrentValue(GetCurrentValue() - FIncrement);
  OnButtonClick(this, Button);
}

bool TdxBarSpinEdit::AcceptsChar(char Key) const {
  switch (Key) {
    case 3: case 8: case 22: case 24: return true;
    default: break;
  }
  if (Key >= '0' && Key <= '9') return true;
  // Negative numbers can be typed wherever they are allowed: below a negative
  // minimum, or with no limits at all.
  if (Key == '-') return FMinValue < 0 || !HasLimits();
  return FValueType == svtFloat && Key == DecimalSeparator;
}

void TdxBarSpinEdit::DoKeyPress(char& Key) {
  TdxBarEdit::DoKeyPress(Key);
  if (Key && !AcceptsChar(Key)) Key = 0;
}

namespace {
TdxBarSpinEditControl* EditingSpinControl(TdxBarItem* Item) {
  TdxBarItemLink* Link = Item->GetEditingLink();
  return Link ? dynamic_cast<TdxBarSpinEditControl*>(Link->GetControl()) : nullptr;
}
}  // namespace

void TdxBarSpinEdit::DoKeyDown(WORD& Key, TShiftState Shift) {
  TdxBarEdit::DoKeyDown(Key, Shift);
  if ((Key != VK_UP && Key != VK_DOWN) || !GetEditingLink() || GetReadOnly()) return;
  // The keyboard's own repetition repeats the step; the button shows pressed meanwhile.
  if (TdxBarSpinEditControl* C = EditingSpinControl(this); C && !C->IsSpinning())
    C->SetPressedSpinPart(Key == VK_UP ? 3 : 4);
  Step(Key == VK_UP ? sbUp : sbDown);
  Key = 0;
}

void TdxBarSpinEdit::DoKeyUp(WORD& Key, TShiftState Shift) {
  TdxBarEdit::DoKeyUp(Key, Shift);
  if (Key != VK_UP && Key != VK_DOWN) return;
  if (TdxBarSpinEditControl* C = EditingSpinControl(this); C && !C->IsSpinning()) C->SetPressedSpinPart(-1);
}

UINT TdxBarSpinEditControl::FirstRepeatInterval() {
  UINT Time = GetDoubleClickTime();
  return Time > 110 ? Time - 100 : 10;
}

// ---- TdxBarSpinEditControl

TdxBarSpinEditControl::~TdxBarSpinEditControl() {
  if (FTimerId && InnerWindowHandle()) KillTimer(InnerWindowHandle(), FTimerId);
}

TdxBarSpinEdit* TdxBarSpinEditControl::SpinItem() const { return dynamic_cast<TdxBarSpinEdit*>(LinkedItem()); }

void TdxBarSpinEditControl::SetPressedSpinPart(int Part) {
  TdxBarSpinEdit* Item = SpinItem();
  if (Item && Item->GetReadOnly()) Part = -1;
  if (Part == FPressedSpinPart) return;
  FPressedSpinPart = Part;
  Repaint();
}

void TdxBarSpinEditControl::StartTimer(UINT_PTR Id, UINT Interval) {
  HWND Wnd = InnerWindowHandle();
  if (FTimerId && Wnd) KillTimer(Wnd, FTimerId);
  FTimerId = Wnd && SetTimer(Wnd, Id, Interval, nullptr) ? Id : 0;
}

void TdxBarSpinEditControl::StopSpinning() {
  HWND Wnd = InnerWindowHandle();
  if (Wnd && GetCapture() == Wnd) ReleaseCapture();
  SetPressedSpinPart(-1);
  if (FTimerId && Wnd) KillTimer(Wnd, FTimerId);
  FTimerId = 0;
}

void TdxBarSpinEditControl::StepPressed() {
  if (TdxBarSpinEdit* Item = SpinItem()) Item->Step(FPressedSpinPart == 3 ? sbUp : sbDown);
}

void TdxBarSpinEditControl::UpdateDrawParams(bool Full) {
  TdxBarEditControl::UpdateDrawParams(Full);
  if (!Full) return;
  auto* P = static_cast<TdxBarSpinEditDrawParams*>(GetDrawParams());
  P->PressedButton = FPressedSpinPart;
  if (TdxBarPainter* Painter = GetPainter()) Painter->SpinArrowSize(RectHeight(ItemBounds()), P->ArrowSize);
}

void TdxBarSpinEditControl::CalcPartRects() {
  TdxBarEditControl::CalcPartRects();
  if (TdxBarPainter* P = GetPainter())
    P->CalcSpinEditParts(static_cast<TdxBarSpinEditDrawParams*>(GetDrawParams()), MutablePartRects(), ItemBounds());
}

void TdxBarSpinEditControl::AdjustEditArea(RECT& R) {
  if (TdxBarPainter* P = GetPainter()) P->SpinEditAdjustEditArea(static_cast<TdxBarSpinEditDrawParams*>(GetDrawParams()), R);
}

TdxBarItemControlDrawParamsClass TdxBarSpinEditControl::DrawParamsClass() const {
  return TdxBarSpinEditDrawParams::StaticClass();
}

void TdxBarSpinEditControl::DrawInner() {
  TdxBarPainter* P = GetPainter();
  RECT Up = PartRect(3), Down = PartRect(4);
  if (P && RectWidth(Up) > 0) {
    auto* Params = static_cast<TdxBarSpinEditDrawParams*>(GetDrawParams());
    RECT M;
    P->SpinButtonMargins(PaintType(), M);
    RECT Buttons{Up.left - M.left, Up.top - M.top, Down.right + M.right, Down.bottom + M.bottom};
    TcxCanvas* Canvas = PaintCanvas();
    Canvas->PushClipRegion();
    try {
      Canvas->ApplyClipRegion(TcxRegion::CreateFromRect(Buttons), coUnion);
      Canvas->IntersectClip(ItemBounds());
      P->SpinEditFillBackground(Params, Buttons);
      P->DrawSpinButton(Params, Up, 3);
      P->DrawSpinButton(Params, Down, 4);
    } catch (...) {
      Canvas->PopClipRegion();
      throw;
    }
    Canvas->PopClipRegion();
    Canvas->ExcludeRectFromClip(Buttons);
  }
  TdxBarEditControl::DrawInner();
}

void TdxBarSpinEditControl::InnerFocusLost(HWND Wnd) {
  if (FPressedSpinPart != -1) StopSpinning();
  TdxBarEditControl::InnerFocusLost(Wnd);
}

void TdxBarSpinEditControl::InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result,
                                            bool& Handled) {
  TcxObjectLinkGuard Alive(this);
  TdxBarEditControl::InnerWindowProc(Msg, WParam, LParam, Result, Handled);
  if (!Alive.Alive()) return;
  TdxBarSpinEdit* Item = SpinItem();
  if (!Item) return;
  HWND Wnd = InnerWindowHandle();
  switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (FPressedSpinPart != -1) return;
      int Part = GetHotPartIndex();
      SetPressedSpinPart(Part == 3 || Part == 4 ? Part : -1);
      if (FPressedSpinPart == -1) return;
      // The edit itself neither sees the press nor takes the capture for a selection.
      Handled = true;
      if (Wnd) SetCapture(Wnd);
      StepPressed();
      // The step runs the application's handler, which may free this control.
      if (Alive.Alive() && Wnd && GetCapture() == Wnd) StartTimer(FirstTimerId, FirstRepeatInterval());
      return;
    }
    case WM_TIMER:
      if (WParam == FirstTimerId && FTimerId == FirstTimerId) {
        StartTimer(RepeatTimerId, RepeatInterval);
      } else if (WParam == RepeatTimerId && FTimerId == RepeatTimerId) {
        if (FPressedSpinPart != -1) StepPressed();
      }
      return;
    case WM_MOUSEMOVE:
      if (FTimerId) {
        TrackHotPart(InnerToParent(POINT{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))}));
        // Off the buttons the press waits; back on one, stepping resumes.
        int Part = GetHotPartIndex();
        SetPressedSpinPart(Part == 3 || Part == 4 ? Part : -1);
      }
      return;
    case WM_LBUTTONUP:
      if (FTimerId) StopSpinning();
      return;
    case WM_CAPTURECHANGED:
      if (FTimerId && reinterpret_cast<HWND>(LParam) != Wnd) StopSpinning();
      return;
    case WM_MOUSEWHEEL:
      if (!Item->GetReadOnly()) Item->Step(GET_WHEEL_DELTA_WPARAM(WParam) < 1 ? sbDown : sbUp);
      return;
    default: return;
  }
}
