#include "suite/bars/BarStaticItems.h"

#include <algorithm>

#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarStaticItemControls.h"

namespace {
const std::vector<std::string> AlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> BorderStyleNames{"sbsNone", "sbsLowered", "sbsRaised", "sbsEtched", "sbsBump"};
}  // namespace

SONVELT_PUBLISHED(TdxBarStatic, P) {
  P.Enum("Alignment", &TdxBarStatic::GetAlignment, &TdxBarStatic::SetAlignment, AlignmentNames).Default(taCenter);
  P.Boolean("AllowClick", &TdxBarStatic::GetAllowClick, &TdxBarStatic::SetAllowClick).Default(false);
  P.Enum("BorderStyle", &TdxBarStatic::GetBorderStyle, &TdxBarStatic::SetBorderStyle, BorderStyleNames)
      .Default(sbsNone);
  P.Object("Glyph", &TdxBarStatic::GetGlyph);
  P.Integer("Height", &TdxBarStatic::GetHeight, &TdxBarStatic::SetHeight).Default(0);
  P.Integer("ImageIndex", &TdxBarStatic::GetImageIndex, &TdxBarStatic::SetImageIndex)
      .Default(-1)
      .Stored([](TdxBarStatic* S) { return S->IsImageIndexStored(); });
  P.Integer("LeftIndent", &TdxBarStatic::GetLeftIndent, &TdxBarStatic::SetLeftIndent).Default(0);
  P.Integer("RightIndent", &TdxBarStatic::GetRightIndent, &TdxBarStatic::SetRightIndent).Default(0);
  P.Boolean("ShowCaption", &TdxBarStatic::GetShowCaption, &TdxBarStatic::SetShowCaption).Default(true);
  P.Integer("Width", &TdxBarStatic::GetWidth, &TdxBarStatic::SetWidth).Default(0);
  P.Event("OnClick", &TdxBarStatic::OnClick);
}

TdxBarStatic::TdxBarStatic(TComponent* AOwner) : TdxBarItem(AOwner) {
  EnsureBarExtItemsUnit();
  SetShowCaption(true);
}

void TdxBarStatic::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (!IsLoading()) Update();
}

void TdxBarStatic::SetBorderStyle(TdxBarStaticBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  SizeChanged();
}

void TdxBarStatic::SetSize(int& Field, int Value) {
  Value = std::max(Value, 0);
  if (Field == Value) return;
  Field = Value;
  SizeChanged();
}

void TdxBarStatic::SizeChanged() {
  if (IsLoading()) return;
  if (GetWidth() != 0 && FHeight != 0)
    Update();
  else
    UpdateInKinds(AllKinds);
}

// ---- TdxBarProgressItem

SONVELT_PUBLISHED(TdxBarProgressItem, P) {
  P.Enum("BorderStyle", &TdxBarProgressItem::GetBorderStyle, &TdxBarProgressItem::SetBorderStyle, BorderStyleNames)
      .Default(sbsLowered);
  P.Integer("Color", &TdxBarProgressItem::GetColor, &TdxBarProgressItem::SetColor)
      .Default(clDefault)
      .Idents(ColorToIdent, IdentToColor);
  P.Integer("Max", &TdxBarProgressItem::GetMax, &TdxBarProgressItem::SetMax).Default(100);
  P.Integer("Min", &TdxBarProgressItem::GetMin, &TdxBarProgressItem::SetMin).Default(0);
  P.Integer("Position", &TdxBarProgressItem::GetPosition, &TdxBarProgressItem::SetPosition).Default(0);
  P.Boolean("Smooth", &TdxBarProgressItem::GetSmooth, &TdxBarProgressItem::SetSmooth).Default(false);
  P.Integer("Step", &TdxBarProgressItem::GetStep, &TdxBarProgressItem::SetStep).Default(10);
}

TdxBarProgressItem::TdxBarProgressItem(TComponent* AOwner) : TdxBarStatic(AOwner) { SetBorderStyle(sbsLowered); }

int TdxBarProgressItem::FilledLength(int BarLength, int Position, int Min, int Max) {
  // An empty range has nothing to fill (the division would be by zero).
  if (Max == Min) return 0;
  return MulDiv(BarLength, Position - Min, Max - Min);
}

void TdxBarProgressItem::InvalidateBars() {
  ForEachControl([](TdxBarItemControl* C) {
    if (auto* P = dynamic_cast<TdxBarProgressControl*>(C)) P->InvalidateBar();
  });
}

void TdxBarProgressItem::MoveBars() {
  ForEachControl([](TdxBarItemControl* C) {
    if (auto* P = dynamic_cast<TdxBarProgressControl*>(C)) P->PositionChanged();
  });
}

void TdxBarProgressItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (!IsLoading()) InvalidateBars();
}

void TdxBarProgressItem::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  if (!IsLoading()) InvalidateBars();
}

void TdxBarProgressItem::SetMin(int Value) {
  if (Value != FMin) SetRange(Value, std::max(FMax, Value));
}

void TdxBarProgressItem::SetMax(int Value) {
  if (Value != FMax) SetRange(std::min(FMin, Value), Value);
}

void TdxBarProgressItem::SetRange(int AMin, int AMax) {
  if (AMin == FMin && AMax == FMax) return;
  FMin = AMin;
  FMax = AMax;
  if (IsLoading()) return;
  if (FMax < FMin) FMin = FMax;
  if (FPosition < FMin)
    SetPosition(FMin);
  else if (FPosition > FMax)
    SetPosition(FMax);
  else
    InvalidateBars();
}

void TdxBarProgressItem::SetPosition(int Value) {
  // While loading the value is kept as read: the range may not be read yet.
  if (!IsLoading()) Value = std::clamp(Value, FMin, std::max(FMin, FMax));
  if (Value == FPosition) return;
  FPosition = Value;
  if (!IsLoading()) MoveBars();
}

void TdxBarProgressItem::Loaded() {
  TdxBarStatic::Loaded();
  if (FMax < FMin) FMin = FMax;
  FPosition = std::clamp(FPosition, FMin, FMax);
}
