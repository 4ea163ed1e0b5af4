#include "suite/bars/BarStaticItemControls.h"

#include <algorithm>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/common/cxCanvas.h"

namespace {
TdxBarStatic* StaticOf(const TdxBarItemControl* C) { return dynamic_cast<TdxBarStatic*>(C->LinkedItem()); }
}  // namespace

// ---- TdxBarStaticControl

void TdxBarStaticControl::CaptionChanged() {
  TdxBarStatic* S = StaticOf(this);
  if (S && S->GetWidth() != 0)
    Repaint();
  else
    TdxBarCustomStaticControl::CaptionChanged();
}

bool TdxBarStaticControl::IsClickable() const {
  TdxBarStatic* S = StaticOf(this);
  return S && S->GetAllowClick();
}

bool TdxBarStaticControl::CanSelectByMouse() const { return !IsForeignWhileCustomizing(); }

TAlignment TdxBarStaticControl::TextAlignment() const {
  TdxBarStatic* S = StaticOf(this);
  return S ? S->GetAlignment() : taCenter;
}

RECT TdxBarStaticControl::BorderSizes() const {
  RECT R{0, 0, 0, 0};
  TdxBarStatic* S = StaticOf(this);
  if (TdxBarPainter* P = GetPainter(); P && S) P->StaticBorderSizes(S->GetBorderStyle(), R);
  return R;
}

void TdxBarStaticControl::UpdateDrawParams(bool Full) {
  TdxBarCustomStaticControl::UpdateDrawParams(Full);
  if (!Full) return;
  TdxBarStaticLikeControlDrawParams* P = StaticDrawParams();
  // The painter counts alignments in the same order: left, right, centred.
  P->Alignment = static_cast<int>(TextAlignment());
  P->StaticContent = true;
  P->BorderSizes = BorderSizes();
  TdxBarStatic* S = StaticOf(this);
  P->BorderStyle = S ? S->GetBorderStyle() : sbsNone;
}

void TdxBarStaticControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  TdxBarPainter* P = GetPainter();
  TdxBarStatic* S = StaticOf(this);
  if (P && S) P->DrawStaticItemWithBorder(StaticDrawParams(), R, S->GetLeftIndent(), S->GetRightIndent());
}

int TdxBarStaticControl::CalcThickness() {
  TdxBarStatic* S = StaticOf(this);
  if (S && S->GetHeight() != 0) return S->GetHeight();
  TdxBarItemControlDrawParams* P = GetDrawParams();
  int Result = P->ShowsGlyph() ? AcrossComponent(GlyphSize(P->GetViewSize())) : 0;
  TCustomdxBarControl* W = GetParent();
  if (W && W->Kind() == bwkSubMenu)
    Result = TextSize();
  else if (P->ShowsCaption())
    Result = std::max(Result, TextSize() - 3);
  else if (!P->ShowsGlyph() && HasBarContent())
    Result = TextSize() - 3;
  RECT B = BorderSizes();
  return Result + B.top + B.bottom;
}

int TdxBarStaticControl::ContentLength() {
  TdxBarItemControlDrawParams* P = GetDrawParams();
  int Image = P->ShowsGlyph() ? AlongComponent(GlyphSize(P->GetViewSize())) : 0;
  if (!P->ShowsCaption()) return P->ShowsGlyph() || !HasBarContent() ? Image : 0;
  if (!P->ShowsGlyph()) return CalcTextAreaWidth() + (GetParent() ? GetParent()->GetTextSize() : 0) / 2;
  TdxBarPainter* Painter = GetPainter();
  if (P->IsMenu() && Painter) return Painter->MenuTextOffset(P) + CalcTextAreaWidth() + 4;
  return Image + CalcTextAreaWidth() + 4;
}

int TdxBarStaticControl::CalcLength() {
  TdxBarStatic* S = StaticOf(this);
  if (S && S->GetWidth() != 0) return S->GetWidth();
  RECT B = BorderSizes();
  return ContentLength() + (S ? S->GetLeftIndent() + S->GetRightIndent() : 0) + B.left + B.right;
}

// ---- TdxBarProgressControl

TdxBarItemViewLevels TdxBarProgressControl::PossibleViewLevels() const {
  TdxBarItemViewLevels Levels = TdxBarStaticControl::PossibleViewLevels();
  Levels.Include(ivlControlOnly);
  return Levels;
}

TdxBarItemControlDrawParamsClass TdxBarProgressControl::DrawParamsClass() const {
  return TdxBarProgressControlDrawParams::StaticClass();
}

void TdxBarProgressControl::UpdateDrawParams(bool Full) {
  TdxBarStaticControl::UpdateDrawParams(Full);
  auto* Item = dynamic_cast<TdxBarProgressItem*>(LinkedItem());
  if (!Full || !Item) return;
  auto* P = static_cast<TdxBarProgressControlDrawParams*>(GetDrawParams());
  P->StaticContent = false;
  P->Max = Item->GetMax();
  P->Min = Item->GetMin();
  P->Position = Item->GetPosition();
  P->Smooth = Item->GetSmooth();
}

int TdxBarProgressControl::CalcThickness() {
  TdxBarPainter* P = GetPainter();
  RECT B = BorderSizes();
  int Bar = (P ? P->ProgressBarThickness() : 12) + B.top + B.bottom + 2;
  return std::max(TdxBarStaticControl::CalcThickness(), Bar);
}

int TdxBarProgressControl::CalcLength() {
  int Result = TdxBarStaticControl::CalcLength();
  TdxBarStatic* S = StaticOf(this);
  if (S && S->GetWidth() == 0) Result += GetDrawParams()->ShowsCaption() ? 152 : 154;
  if (TdxBarPainter* P = GetPainter()) Result += P->ProgressLeftIndent(GetDrawParams());
  return Result;
}

TColor TdxBarProgressControl::BarColor() const {
  auto* Item = dynamic_cast<TdxBarProgressItem*>(LinkedItem());
  if (Item && Item->GetColor() != clDefault) return static_cast<TColor>(ColorToRGB(Item->GetColor()));
  TdxBarPainter* P = GetPainter();
  return P ? P->ProgressBarColor() : clHighlight;
}

RECT TdxBarProgressControl::BarRect(const RECT& R) {
  TdxBarStatic* S = StaticOf(this);
  RECT B = BorderSizes();
  bool Rotated = IsRotated();
  int Across = Rotated ? RectWidth(R) : RectHeight(R);
  int Thickness = MulDiv(Across - B.top - B.bottom, 2, 3);
  if (Thickness % 2 != Across % 2) ++Thickness;
  int RightIndent = S ? S->GetRightIndent() : 0;
  int Length;
  bool Client = ActualAlign() == iaClient;
  if (S && S->GetWidth() == 0 && !Client) {
    Length = 150;
  } else {
    TCustomdxBarControl* W = GetParent();
    bool InMenu = W && W->Kind() == bwkSubMenu;
    int Along = (InMenu || Client || !S) ? (Rotated ? RectHeight(R) : RectWidth(R)) : S->GetWidth();
    Length = std::max(0, Along - ContentLength() - (GetDrawParams()->ShowsCaption() ? 2 : 4));
  }
  int Gap = Length + 2 + RightIndent + B.right;
  if (Rotated) {
    int Left = (R.left + R.right - Thickness) / 2;
    return RECT{Left, R.bottom - Gap, Left + Thickness, R.bottom - Gap + Length};
  }
  int Top = (R.top + R.bottom - Thickness) / 2;
  return RECT{R.right - Gap, Top, R.right - Gap + Length, Top + Thickness};
}

int TdxBarProgressControl::FilledLengthIn(const RECT& Bar) const {
  auto* Item = dynamic_cast<TdxBarProgressItem*>(LinkedItem());
  if (!Item) return 0;
  int Length = PaintType() == 2 ? RectHeight(Bar) : RectWidth(Bar);
  return TdxBarProgressItem::FilledLength(Length, Item->GetPosition(), Item->GetMin(), Item->GetMax());
}

void TdxBarProgressControl::DrawContent(const RECT& R) {
  TdxBarPainter* Painter = GetPainter();
  if (!Painter) return;
  auto* P = static_cast<TdxBarProgressControlDrawParams*>(GetDrawParams());
  RECT Bar = BarRect(ItemBounds());
  TcxCanvas* Canvas = P->Canvas;
  Canvas->PushClipRegion();
  try {
    Canvas->ExcludeRectFromClip(Bar);
    RECT Content = R;
    if (int Offset = Painter->ProgressLeftIndent(P); Offset > 0) {
      RECT Strip = Content;
      Strip.right = std::min(Content.right, Content.left + Offset);
      Painter->FillItemRect(this, Canvas->DeviceContext(), Strip, GetParent()->BackgroundBrush(), false);
      Content.left = Strip.right;
    }
    Painter->DrawStaticItem(P, Content);
  } catch (...) {
    Canvas->PopClipRegion();
    throw;
  }
  Canvas->PopClipRegion();
  if (!RectIsEmpty(Bar)) Painter->DrawProgressBar(P, Bar, BarColor());
  if (Painter->ProgressPaintsIncrementally()) FPaintedPosition = FilledLengthIn(Bar);
}

void TdxBarProgressControl::InvalidateBar() {
  TCustomdxBarControl* W = GetParent();
  if (!W || !W->HandleAllocated() || !GetItemLink()) return;
  RECT Bar = BarRect(ItemBounds());
  InvalidateRect(W->GetHandle(), &Bar, FALSE);
}

void TdxBarProgressControl::PositionChanged() {
  TdxBarPainter* Painter = GetPainter();
  if (!Painter || !Painter->ProgressPaintsIncrementally()) {
    InvalidateBar();
    return;
  }
  TCustomdxBarControl* W = GetParent();
  if (!W || !W->HandleAllocated() || !GetItemLink()) return;
  RECT Bar = BarRect(ItemBounds());
  int Filled = FilledLengthIn(Bar);
  if (Filled == FPaintedPosition) return;
  int From = std::min(Filled, FPaintedPosition), To = std::max(Filled, FPaintedPosition);
  RECT Stretch = Bar;
  if (PaintType() == 2) {
    Stretch.top = Bar.top + From;
    Stretch.bottom = Bar.top + To;
  } else {
    Stretch.left = Bar.left + From;
    Stretch.right = Bar.left + To;
  }
  InvalidateRect(W->GetHandle(), &Stretch, FALSE);
}
