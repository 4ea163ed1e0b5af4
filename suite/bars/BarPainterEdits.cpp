// The painter's operations for edits and the part rectangles of edits, combos and spin edits.
#include "framework/Brush.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxGraphicsRoutines.h"

namespace {
TdxBarCustomEditControl* EditControlOf(TdxBarItemControlDrawParams* P) {
  return dynamic_cast<TdxBarCustomEditControl*>(P->Control);
}

HBRUSH ItemBrushOfEdit(TdxBarItemControlDrawParams* P) {
  TCustomdxBarControl* W = P->Control->GetParent();
  return P->IsMenu() && P->DrawSelected ? W->SelectedBrush() : W->BackgroundBrush();
}

// The common step of combos: the button takes the window's arrow width at the right.
void SplitComboButton(TdxBarPainter* Painter, TdxBarEditLikeControlDrawParams* P, std::vector<RECT>& Parts) {
  TCustomdxBarControl* W = P->Control->GetParent();
  Parts[3].left = Parts[3].right - (W ? W->GetComboArrowWidth() : 0);
  Parts[0].right = Parts[3].left - Painter->ComboButtonGap(P);
}
}  // namespace

void TdxBarPainter::EditTextRect(int PaintType, RECT& R) {
  (void)PaintType;
  RECT O;
  EditFrameOffsets(O);
  int Top, Bottom;
  EditTextVerticalInsets(Top, Bottom);
  R.left += O.left;
  R.top += Top;
  R.right -= O.right;
  R.bottom -= Bottom;
}

void TdxBarPainter::CalcEditParts(TdxBarEditLikeControlDrawParams* P, std::vector<RECT>& Parts) {
  TdxBarCustomEditControl* Edit = EditControlOf(P);
  if (!Edit || Parts.size() < 3) return;
  RECT Borders;
  EditBorderSizes(P->PaintType, Borders);
  int Frame = P->FramesWholeControl && !P->IsMenu() ? Borders.left : 0;
  Parts[1].left += Frame;
  Parts[1].right = Parts[1].left + Edit->GlyphAreaWidth();
  Parts[2].left = Parts[1].right;
  Parts[2].right = Parts[2].left + Edit->CaptionAreaWidth();
  RECT E = Edit->GetEditRect();
  E.left += Borders.left;
  E.top += Borders.top;
  E.right -= Borders.right;
  E.bottom -= Borders.bottom;
  Parts[0] = E;
}

void TdxBarPainter::CalcComboParts(TdxBarEditLikeControlDrawParams* P, std::vector<RECT>& Parts, const RECT& Bounds) {
  if (Parts.size() < 4) return;
  RECT B;
  ComboBorderSizes(P->PaintType, B);
  Parts[3] = RECT{Bounds.left + B.left, Bounds.top + B.top, Bounds.right - B.right, Bounds.bottom - B.bottom};
  SplitComboButton(this, P, Parts);
}

void TdxBarPainter::CalcColorComboParts(TdxBarColorComboControlDrawParams* P, std::vector<RECT>& Parts,
                                        const RECT& Bounds) {
  if (Parts.size() < 5) return;
  ColorComboButtonRect(P, Bounds, Parts[4]);
  bool Exists = !RectIsEmpty(Parts[4]);
  RECT B, M;
  ComboBorderSizes(P->PaintType, B);
  CustomButtonMargins(P->PaintType, M);
  Parts[3] = RECT{Bounds.left + B.left, Bounds.top + B.top, Parts[4].left, Bounds.bottom - B.bottom};
  if (Exists) Parts[3].right -= M.left;
  if (!(ColorComboButtonInside() && Exists)) Parts[3].right -= B.right;
  SplitComboButton(this, P, Parts);
}

void TdxBarPainter::CalcSpinEditParts(TdxBarSpinEditDrawParams* P, std::vector<RECT>& Parts, const RECT& Bounds) {
  if (Parts.size() < 5) return;
  SpinButtonRect(P, Bounds, Parts[3], 1);
  SpinButtonRect(P, Bounds, Parts[4], 2);
  RECT B, M;
  EditBorderSizes(P->PaintType, B);
  SpinButtonMargins(P->PaintType, M);
  Parts[0].right = Parts[3].left - B.right - M.left;
}

int TdxBarPainter::ComboArrowWidth(TCustomdxBarControl* BarControl, int Size) {
  (void)BarControl;
  return 2 * Size - 1;
}

int TdxBarPainter::EditTextHeight(TCustomdxBarControl* BarControl, int TextHeight) {
  RECT Borders, Offsets;
  EditBorderSizes(BarControl ? BarControl->PaintType() : 0, Borders);
  EditFrameOffsets(Offsets);
  int Top, Bottom;
  EditTextVerticalInsets(Top, Bottom);
  return TextHeight + Borders.top + Borders.bottom + Top + Bottom + (Offsets.top + Offsets.bottom - Top - Bottom);
}

TColor TdxBarPainter::EditDisabledBackgroundColor(TdxBarItemControl* Control) {
  TCustomdxBarControl* W = Control ? Control->GetParent() : nullptr;
  LOGBRUSH Info{};
  if (W && ReadLogBrush(W->BackgroundBrush(), Info)) return static_cast<TColor>(Info.lbColor);
  return clBtnFace;
}

TColor TdxBarPainter::EditBackgroundColorFor(TdxBarItemControlDrawParams* P) {
  if (!P->Enabled) return EditDisabledBackgroundColor(P->Control);
  TColor Color = EditStyleColor(P->Control->LinkedItem());
  return Color != clDefault ? Color : EditBackgroundColor(P->Control);
}

TColor TdxBarPainter::EditTextColorFor(TdxBarItemControl* Control) {
  if (!Control->IsEnabled()) return EditDisabledTextColor();
  TColor Color = EditStyleTextColor(Control->LinkedItem());
  return Color != clDefault ? Color : EditTextColor();
}

void TdxBarPainter::GetEditColors(TdxBarItemControl* Control, TColor& TextColor, TColor& BackColor) {
  TextColor = EditTextColorFor(Control);
  BackColor = EditBackgroundColorFor(Control->GetDrawParams());
}

void TdxBarPainter::DrawComboListItem(TdxBarCustomCombo* Combo, TcxCanvas* Canvas, int Index, const RECT& R) {
  HDC DC = Canvas->DeviceContext();
  FillRect(DC, &R, Canvas->BrushObject()->GetHandle());
  TextOutClipped(DC, ComboEntryText(Combo, Index), POINT{R.left + 2, R.top}, -1, 0, nullptr);
}

void TdxBarPainter::DrawEdit(TdxBarEditLikeControlDrawParams* P, const RECT& R) {
  TdxBarCustomEditControl* Edit = EditControlOf(P);
  DrawEditFrame(P);
  if (P->IsMenu() && P->DrawSelected) DrawEditSelection(P, R);
  if (!Edit) return;
  Edit->ExcludeEditFrame();
  if (P->ShowsGlyph()) DrawEditGlyph(P, Edit->PartRect(1));
  if (P->ShowsCaption()) DrawEditCaption(P, Edit->PartRect(2));
  Edit->DrawInner();
}

void TdxBarPainter::DrawEditFrame(TdxBarEditLikeControlDrawParams* P) {
  HDC DC = P->Canvas->DeviceContext();
  HBRUSH ItemBrush = ItemBrushOfEdit(P);
  if (P->ShowsCaption() || (P->IsMenu() && MenuHasSideBand() && !P->ShowsGlyph())) {
    RECT Caption = P->Control->PartRect(2), Margins;
    EditCaptionMargins(P, 1, Margins);
    RECT Text = Caption, Gap = Caption;
    Text.right -= Margins.right;
    Gap.left = Text.right;
    FillItemRect(P->Control, DC, Text, ItemBrush, EditPartOpaque(P));
    FillItemRect(P->Control, DC, Gap, EditCaptionBrush(P->Control), EditGapOpaque(P));
  }
  if (P->ShowsGlyph() && !P->IsMenu())
    FillItemRect(P->Control, DC, P->Control->PartRect(1), ItemBrush, EditPartOpaque(P));
}

void TdxBarPainter::DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  TCustomdxBarControl* W = P->Control->GetParent();
  bool NonRecent = P->Control->IsNonRecent();
  if (P->DrawSelected)
    DrawEdgeRect(DC, R, BDR_SUNKENOUTER);
  else
    FrameItemRect(P->Control, DC, R, W->BackgroundBrush(), NonRecent);
  InflateRect(&R, -1, -1);
  HBRUSH Second = P->Enabled || P->FramesWholeControl ? W->BackgroundBrush() : GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  FrameItemRect(P->Control, DC, R, Second,
                NonRecent || ((P->DrawSelected || !P->Enabled) && !P->FramesWholeControl));
  InflateRect(&R, -1, -1);
}

void TdxBarPainter::DrawEditCaption(TdxBarEditLikeControlDrawParams* P, const RECT& R) {
  RECT Margins, Text = R;
  EditCaptionMargins(P, 1, Margins);
  Text.right -= Margins.right;
  DrawItemText(P->Control, P->Canvas->DeviceContext(), P->Caption, Text, 2, P->Enabled,
               P->IsMenu() && P->DrawSelected, false, false, UsesFlatSelection(), DT_SINGLELINE);
  P->Canvas->ExcludeRectFromClip(R);
}

void TdxBarPainter::DrawEditSelection(TdxBarEditLikeControlDrawParams* P, const RECT& R) {
  DrawSelectionFrame(P->Canvas->DeviceContext(), R);
}

void TdxBarPainter::DrawEditGlyph(TdxBarEditLikeControlDrawParams* P, const RECT& R) {
  RECT Area = R;
  if (!P->IsMenu()) {
    RECT Margins;
    EditCaptionMargins(P, 0, Margins);
    Area.left += Margins.left;
    Area.right -= Margins.right;
  }
  TdxBarGlyphState State;
  State.Selected = EditGlyphSelected(P->Control);
  DrawControlGlyph(P, Area, RECT{0, 0, 0, 0}, P->PaintType, false, State);
  P->Canvas->ExcludeRectFromClip(R);
}

bool TdxBarPainter::EditPartOpaque(TdxBarEditLikeControlDrawParams* P) {
  return P->IsMenu() && (P->DrawSelected || P->Control->IsNonRecent());
}

bool TdxBarPainter::EditGapOpaque(TdxBarEditLikeControlDrawParams* P) {
  return P->IsMenu() && P->Control->IsNonRecent();
}

void TdxBarPainter::DrawEditContent(TdxBarCustomEditControl* Control, TcxCanvas* Canvas, const RECT& R) {
  TColor Text, Back;
  GetEditColors(Control, Text, Back);
  Canvas->FontObject()->SetColor(Text);
  Canvas->SetBrushColor(Back);
  Canvas->PushClipRegion();
  try {
    Canvas->IntersectClip(R);
    DrawEditInterior(Control, Control->CurrentText(), R, Canvas);
  } catch (...) {
    Canvas->PopClipRegion();
    throw;
  }
  Canvas->PopClipRegion();
}

void TdxBarPainter::DrawEditInterior(TdxBarCustomEditControl* Control, const std::string& Text, const RECT& R,
                                     TcxCanvas* Canvas) {
  HDC DC = Canvas->DeviceContext();
  FillRect(DC, &R, Canvas->BrushObject()->GetHandle());
  RECT TextRect = R;
  EditTextRect(Control->PaintType(), TextRect);
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(Canvas->FontObject()->GetColor()));
  DrawTextOnDC(DC, Text, TextRect, DT_NOPREFIX);
  SetBkMode(DC, OPAQUE);
}

void TdxBarPainter::EditCaptionMargins(TdxBarItemControlDrawParams* P, int Kind, RECT& R) {
  if (Kind == 1) {
    R = RECT{EditCaptionIndent(P), 0, EditCaptionRightGap(), 0};
  } else if (P->IsMenu()) {
    EditMenuCaptionMargins(P, R);
  } else {
    RECT C;
    CaptionMargins(C);
    R = RECT{(P->GlyphAreaSize.cx - P->Control->GlyphSize(P->GetViewSize()).cx) / 2, 0, C.left, 0};
  }
}

int TdxBarPainter::EditCaptionIndent(TdxBarItemControlDrawParams* P) {
  if (!P->ShowsGlyph()) return EditCaptionIndentNoGlyph(P);
  return P->IsMenu() ? EditCaptionIndentMenuGlyph(P) : 0;
}

HBRUSH TdxBarPainter::EditCaptionBrush(TdxBarItemControl* Control) { return Control->GetParent()->BackgroundBrush(); }

void TdxBarPainter::SelectEditText(TdxBarItemControl* Control, HWND Edit, bool TextChanged) {
  (void)Control;
  if (TextChanged)
    SendMessageW(Edit, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(Edit));
  SendMessageW(Edit, EM_SETSEL, 0, -1);
}
