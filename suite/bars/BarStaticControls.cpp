#include "suite/bars/BarStaticControls.h"

#include "framework/Font.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/common/cxCanvas.h"

// ---- TdxBarCustomStaticControl

void TdxBarCustomStaticControl::DrawContent(const RECT& R) {
  if (TdxBarPainter* P = GetPainter()) P->DrawStaticItem(GetDrawParams(), R);
}

bool TdxBarCustomStaticControl::CanSelect() const {
  TdxBarManager* M = LinkManager();
  return TdxBarItemControl::CanSelect() && M && M->IsCustomizingOrDesigning();
}

int TdxBarCustomStaticControl::GetPaintStyleParts() const {
  int Parts = 0;
  if (ItemShowsCaption(LinkedItem())) Parts |= vsCaption;
  if (HasImage(GetDrawParams() ? GetDrawParams()->GetViewSize() : 0)) Parts |= vsGlyph;
  return Parts;
}

void TdxBarCustomStaticControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  if (TdxBarPainter* P = GetPainter()) P->DrawStaticItem(GetDrawParams(), R);
}

// ---- TdxBarSeparatorControl

void TdxBarSeparatorControl::UpdateDrawParams(bool Full) {
  TdxBarCustomStaticControl::UpdateDrawParams(Full);
  auto* P = static_cast<TdxBarSeparatorControlDrawParams*>(GetDrawParams());
  P->FirstInWindow = GetItemLink() && GetItemLink()->ShownIndex() == 0;
}

void TdxBarSeparatorControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  if (TdxBarPainter* P = GetPainter())
    P->DrawSeparatorItem(static_cast<TdxBarSeparatorControlDrawParams*>(GetDrawParams()), R);
}

RECT TdxBarSeparatorControl::PartMargins(int Part) const {
  (void)Part;
  RECT R{6, 0, 0, 0};
  if (TdxBarPainter* P = GetPainter()) P->SeparatorMargins(R);
  return R;
}

int TdxBarSeparatorControl::GetPaintStyleParts() const {
  return PaintType() == 1 && ItemShowsCaption(LinkedItem()) ? vsCaption : 0;
}

void TdxBarSeparatorControl::SelectItemFont(HFONT Font, TdxBarItemFontSave& Saved) {
  (void)Font;
  TFont* CanvasFont = PaintCanvas()->FontObject();
  Saved.Font = CanvasFont->GetLogFont();
  Saved.Changed = true;
  CanvasFont->SetStyle(TFontStyles{fsBold});
}

void TdxBarSeparatorControl::RestoreItemFont(const TdxBarItemFontSave& Saved) {
  if (Saved.Changed) PaintCanvas()->FontObject()->SetStyle(TFontStyles{});
}

int TdxBarSeparatorControl::CalcMenuHeight() {
  if (!GetDrawParams()->ShowsCaption()) return GetParent() ? GetParent()->SeparatorSize() : 6;
  TdxBarPainter* P = GetPainter();
  int Line = P ? P->SeparatorItemHeight() : 2;
  bool First = GetItemLink() && GetItemLink()->ShownIndex() == 0;
  return Line * (First ? 1 : 2) + TdxBarCustomStaticControl::CalcMenuHeight();
}

int TdxBarSeparatorControl::MinLength() {
  TdxBarPainter* P = GetPainter();
  int Painter = P ? P->ItemIconAreaWidth(GetDrawParams()) : 0;
  return Painter + (GetParent() ? GetParent()->GetIconAreaWidth() : 0);
}

int TdxBarSeparatorControl::CalcLength() { return GetParent() ? GetParent()->SeparatorSize() : 6; }
