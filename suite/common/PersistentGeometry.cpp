#include "suite/common/PersistentGeometry.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/Published.h"
#include "suite/common/Geometry.h"
#include "suite/common/UnitLifetime.h"

namespace {
// Form data may hold rectangles as sub-properties.
TSuiteUnit Unit([] { RegisterClass(TcxRect::StaticClass()); }, [] { UnRegisterClass(TcxRect::StaticClass()); });
}  // namespace

TcxRect::TcxRect(TPersistent* AOwner) : FOwner(AOwner) { Unit.Ensure(); }

SONVELT_PUBLISHED(TcxRect, P) {
  P.Integer("Left", &TcxRect::GetLeft, &TcxRect::SetLeft).Default(0);
  P.Integer("Top", &TcxRect::GetTop, &TcxRect::SetTop).Default(0);
  P.Integer("Right", &TcxRect::GetRight, &TcxRect::SetRight).Default(0);
  P.Integer("Bottom", &TcxRect::GetBottom, &TcxRect::SetBottom).Default(0);
}

SONVELT_PUBLISHED(TcxSize, P) {
  P.Integer("Height", &TcxSize::GetHeight, &TcxSize::SetHeight).Stored([](TcxSize* S) { return S->PartNonZero(0); });
  P.Integer("Width", &TcxSize::GetWidth, &TcxSize::SetWidth).Stored([](TcxSize* S) { return S->PartNonZero(1); });
}

void TcxRect::Assign(TPersistent* Source) {
  // Foreign sources are ignored, not refused: the rectangle stays as it is.
  if (auto* Other = dynamic_cast<TcxRect*>(Source)) AssignRect(Other->FRect);
}

void TcxRect::AssignRect(const RECT& R) {
  if (RectsEqual(R, FRect)) return;
  FRect = R;
  OnChange(this);
}

int TcxRect::GetSide(int Index) const {
  switch (Index) {
    case 0: return FRect.left;
    case 1: return FRect.top;
    case 2: return FRect.right;
    default: return FRect.bottom;
  }
}

void TcxRect::SetSide(int Index, int Value) {
  RECT R = FRect;
  switch (Index) {
    case 0: R.left = Value; break;
    case 1: R.top = Value; break;
    case 2: R.right = Value; break;
    default: R.bottom = Value; break;
  }
  AssignRect(R);
}

bool TcxRect::EqualsRect(const RECT& R) const { return RectsEqual(R, FRect); }

void TcxSize::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TcxSize*>(Source)) {
    AssignSize(SIZE{Other->SizePart(1), Other->SizePart(0)});
    return;
  }
  TPersistent::Assign(Source);
}

void TcxSize::AssignSize(SIZE Size) {
  Size.cx = std::max<LONG>(Size.cx, 0);
  Size.cy = std::max<LONG>(Size.cy, 0);
  if (SizesEqual(Size, FSize)) return;
  FSize = Size;
  SignalChange();
}

bool TcxSize::EqualsPersistent(const TcxSize* Other) const {
  return Other && SizesEqual(FSize, *Other->SizeAddress());
}
