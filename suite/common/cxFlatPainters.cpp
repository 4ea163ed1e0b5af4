#include "suite/common/cxFlatPainters.h"

#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/cxStandardPainter.h"

namespace {

RECT Deflated(RECT R, int D) {
  InflateRect(&R, -D, -D);
  return R;
}

// Flat and ultra-flat scroll bars share their road; the ultra-flat one keeps the
// hot state and draws its arrow over the whole button.
void PaintFlatScrollBarPart(const TcxCustomLookAndFeelPainter* Painter, TcxCanvas* Canvas, bool Horizontal, RECT R,
                            TcxScrollBarPaintPart Part, TcxPaintButtonState State, bool UltraFlat) {
  if (IsRectEmpty(&R) || (Part == sppThumb && State == pbsDisabled)) return;
  if (State == pbsHot && !UltraFlat) State = pbsNormal;
  switch (Part) {
    case sppLineUp:
    case sppLineDown:
    case sppThumb: {
      Painter->PaintButton(Canvas, R, "", State, true);
      if (Part == sppThumb) break;
      const RECT arrow = UltraFlat ? R : Deflated(R, Painter->ButtonFrameWidth(pbsNormal));
      Painter->PaintStateArrow(Canvas, arrow, State, ArrowDirectionFor(Horizontal, Part));
      break;
    }
    case sppPageUp:
    case sppPageDown: TcxStandardLookAndFeelPainter::Instance()->PaintScrollBarPart(Canvas, Horizontal, R, Part, State); break;
    default: break;
  }
}

}  // namespace

// ---------------------------------------------------------------- flat

const TcxFlatLookAndFeelPainter* TcxFlatLookAndFeelPainter::Instance() {
  static const TOwned<TcxFlatLookAndFeelPainter> instance(TcxFlatLookAndFeelPainter::Create());
  return instance.get();
}

TcxPainterStyle TcxFlatLookAndFeelPainter::PainterStyle() const { return cpsFlat; }
int TcxFlatLookAndFeelPainter::FrameBorderWidth() const { return 1; }

void TcxFlatLookAndFeelPainter::PaintControlBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->DrawEdge3D(R, true, true);
}

int TcxFlatLookAndFeelPainter::ButtonFrameWidth(TcxPaintButtonState State) const { return State == pbsDefault ? 2 : 1; }
int TcxFlatLookAndFeelPainter::PressedTextOffset() const { return 1; }
int TcxFlatLookAndFeelPainter::ButtonCaptionIndent() const { return 1; }

void TcxFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  if (State == pbsPressed) {
    Canvas->DrawEdgeSides(R, clBtnShadow, clBtnHighlight);
    return;
  }
  if (State == pbsDefault) {
    Canvas->FillBorders(R, clBlack, 1, cxBordersAll);
    R = Deflated(R, 1);
  }
  Canvas->DrawEdgeSides(R, clBtnHighlight, clBtnShadow);
}

bool TcxFlatLookAndFeelPainter::ScrollButtonsHotTrack() const { return false; }

void TcxFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R,
                                                   TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  PaintFlatScrollBarPart(this, Canvas, Horizontal, R, Part, State, false);
}

int TcxFlatLookAndFeelPainter::ExpandButtonExtent() const { return 11; }

void TcxFlatLookAndFeelPainter::PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color) const {
  PaintButton(Canvas, R, "", pbsNormal, true, Color);
  DrawExpandCross(Canvas, Deflated(R, 1), Expanded, clBtnText);
  Canvas->ExcludeRectFromClip(R);
}

void TcxFlatLookAndFeelPainter::PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  Canvas->DrawEdge3D(R, true, true);
  Canvas->FillBorders(Deflated(R, 1), CheckFaceColor(State), 1, cxBordersAll);
}

void TcxFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours,
                                                  TcxBorders Borders) const {
  TcxStandardLookAndFeelPainter::Instance()->PaintHeaderBorder(Canvas, R, Neighbours, Borders);
}

void TcxFlatLookAndFeelPainter::PaintHeaderSectionBorder(TcxCanvas* Canvas, RECT R, TcxBorders Borders,
                                                         TcxPaintButtonState State) const {
  if (State == pbsPressed) Canvas->DrawEdgeSides(R, clBtnShadow, clBtnHighlight, Borders);
  else Canvas->DrawEdgeSides(R, clBtnHighlight, clBtnShadow, Borders);
}

void TcxFlatLookAndFeelPainter::PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const {
  DrawSortingArrow(Canvas, R, Ascending, clBtnHighlight, clBtnShadow);
}

int TcxFlatLookAndFeelPainter::HeaderBorderWidth() const { return 1; }
SIZE TcxFlatLookAndFeelPainter::SortMarkExtent() const { return SIZE{8, 7}; }
int TcxFlatLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxFlatLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxFlatLookAndFeelPainter::FooterCellInset() const { return 1; }
void TcxFlatLookAndFeelPainter::PaintFooterBorder(TcxCanvas* Canvas, RECT R) const { Canvas->DrawEdge3D(R, false, false); }
void TcxFlatLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas* Canvas, RECT R) const { Canvas->DrawEdge3D(R, true, true); }

void TcxFlatLookAndFeelPainter::PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                          bool Active) const {
  TcxStandardLookAndFeelPainter::Instance()->PaintFilterDropDownButton(Canvas, R, State, Active);
}

void TcxFlatLookAndFeelPainter::PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders Borders,
                                               bool Vertical) const {
  TcxStandardLookAndFeelPainter::Instance()->PaintTabBorder(Canvas, R, Side, Borders, Vertical);
}

void TcxFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool) const {
  Canvas->DrawEdge3D(R, false, false, Borders);
}

int TcxFlatLookAndFeelPainter::TabBorderWidth() const { return 1; }

void TcxFlatLookAndFeelPainter::PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                                                    bool Horizontal) const {
  Canvas->DrawEdgeSides(R, clBtnHighlight, clBtnShadow,
                        Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
  if (Horizontal) InflateRect(&R, 1, -1);
  else InflateRect(&R, -1, 1);
  Canvas->FillWithViewParams(R, ViewParams);
}

// ---------------------------------------------------------------- ultra-flat

const TcxUltraFlatLookAndFeelPainter* TcxUltraFlatLookAndFeelPainter::Instance() {
  static const TOwned<TcxUltraFlatLookAndFeelPainter> instance(TcxUltraFlatLookAndFeelPainter::Create());
  return instance.get();
}

TcxPainterStyle TcxUltraFlatLookAndFeelPainter::PainterStyle() const { return cpsUltraFlat; }
int TcxUltraFlatLookAndFeelPainter::FrameBorderWidth() const { return 1; }

void TcxUltraFlatLookAndFeelPainter::PaintControlBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillBorders(R, clBtnShadow, 1, cxBordersAll);
}

int TcxUltraFlatLookAndFeelPainter::ButtonFrameWidth(TcxPaintButtonState State) const {
  return State == pbsDefault ? 2 : 1;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonFaceColor(TcxPaintButtonState State) const {
  if (State == pbsHot) return LightHighlightBlendColor();
  if (State == pbsPressed) return HighlightBlendColor();
  return clBtnFace;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const {
  if (State == pbsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonGlyphColor(State, DefaultColor);
}

int TcxUltraFlatLookAndFeelPainter::PressedTextOffset() const { return 0; }
int TcxUltraFlatLookAndFeelPainter::ButtonCaptionIndent() const { return 2; }

void TcxUltraFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  if (State == pbsDefault) {
    Canvas->FillBorders(R, clWindowFrame, 1, cxBordersAll);
    Canvas->FillBorders(Deflated(R, 1), clWindowFrame, 1, cxBordersAll);
    return;
  }
  const TColor color = State == pbsNormal ? clBtnText : State == pbsDisabled ? clBtnShadow : clHighlight;
  Canvas->FillBorders(R, color, 1, cxBordersAll);
}

bool TcxUltraFlatLookAndFeelPainter::ScrollButtonsHotTrack() const { return true; }

void TcxUltraFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R,
                                                        TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  PaintFlatScrollBarPart(this, Canvas, Horizontal, R, Part, State, true);
}

int TcxUltraFlatLookAndFeelPainter::ExpandButtonExtent() const { return 11; }

void TcxUltraFlatLookAndFeelPainter::PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color) const {
  Canvas->FillBorders(R, clBtnShadow, 1, cxBordersAll);
  Canvas->FillRectColor(Deflated(R, 1), Color == clDefault ? clBtnFace : Color);
  DrawExpandCross(Canvas, R, Expanded, clBtnText);
  Canvas->ExcludeRectFromClip(R);
}

void TcxUltraFlatLookAndFeelPainter::PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  Canvas->FillBorders(R, clBtnText, 1, cxBordersAll);
  Canvas->FillBorders(Deflated(R, 1), CheckFaceColor(State), 1, cxBordersAll);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders,
                                                       TcxBorders Borders) const {
  TcxBorders sides{bRight, bBottom};
  if (Borders.Contains(bLeft)) sides += bLeft;
  if (Borders.Contains(bTop)) sides += bTop;
  Canvas->FillBorders(R, clBtnText, 1, sides);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderSectionBorder(TcxCanvas* Canvas, RECT R, TcxBorders Borders,
                                                              TcxPaintButtonState State) const {
  Canvas->FillBorders(R, State == pbsDisabled ? clBtnShadow : clBlack, 1, Borders);
}

void TcxUltraFlatLookAndFeelPainter::PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const {
  DrawSortingArrow(Canvas, R, Ascending, clBtnShadow, clBtnShadow);
}

int TcxUltraFlatLookAndFeelPainter::HeaderBorderWidth() const { return 1; }
SIZE TcxUltraFlatLookAndFeelPainter::SortMarkExtent() const { return SIZE{7, 8}; }

TcxBorders TcxUltraFlatLookAndFeelPainter::HeaderBordersFor(TcxBorders Neighbours) const {
  TcxBorders b = cxBordersAll;
  if (Neighbours.Contains(bLeft)) b -= bLeft;
  if (Neighbours.Contains(bTop)) b -= bTop;
  return b;
}

int TcxUltraFlatLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::FooterCellInset() const { return 2; }
TcxBorders TcxUltraFlatLookAndFeelPainter::FooterBordersFor() const { return TcxBorders{bRight, bBottom}; }

void TcxUltraFlatLookAndFeelPainter::PaintFooterBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillBorders(R, FooterSeparatorLineColor(), 1, {bRight, bBottom});
}

void TcxUltraFlatLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillBorders(R, FooterSeparatorLineColor(), 1, cxBordersAll);
}

void TcxUltraFlatLookAndFeelPainter::PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                               bool Active) const {
  Canvas->FillBorders(R, StateFrameColor(State), 1, cxBordersAll);
  R = Deflated(R, 1);
  Canvas->FillRectColor(R, ButtonFaceColor(State));
  PaintDropDownGlyph(Canvas, R, Active ? clBlue : ButtonGlyphColor(State, clDefault));
}

SIZE TcxUltraFlatLookAndFeelPainter::FilterCloseButtonExtent() const { return SIZE{16, 15}; }

void TcxUltraFlatLookAndFeelPainter::PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders,
                                                    bool Vertical) const {
  const int w = TabBorderWidth();
  RECT strip = R;
  switch (Side) {
    case bLeft: strip.right = R.left + w; break;
    case bTop: strip.bottom = R.top + w; break;
    case bRight: strip.left = R.right - w; break;
    case bBottom: strip.top = R.bottom - w; break;
  }
  const bool dark = (!Vertical && Side == bRight) || (Vertical && Side == bBottom);
  if (!Vertical && Side == bRight) strip.bottom -= w;
  Canvas->FillRectColor(strip, dark ? FrameDarkColor() : FrameLightColor());
}

void TcxUltraFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool) const {
  Canvas->DrawEdgeSides(R, FrameLightColor(), FrameLightColor(), Borders, TabBorderWidth());
}

int TcxUltraFlatLookAndFeelPainter::TabBorderWidth() const { return 1; }

void TcxUltraFlatLookAndFeelPainter::PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                                                         bool Horizontal) const {
  Canvas->DrawEdgeSides(R, StyleColor32(), StyleColor32(),
                        Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
  if (Horizontal) InflateRect(&R, 1, -1);
  else InflateRect(&R, -1, 1);
  Canvas->FillWithViewParams(R, ViewParams);
}

TColor TcxUltraFlatLookAndFeelPainter::StyleColor32() const { return clBtnShadow; }

RECT TcxUltraFlatLookAndFeelPainter::ButtonFocusBounds(TcxCanvas*, RECT R) const {
  const RECT r = Deflated(R, 3);
  return IsRectEmpty(&r) ? R : r;
}

RECT TcxUltraFlatLookAndFeelPainter::ButtonGroupBorderWidths(int Count, int Index) const {
  RECT b{1, 2, 1, 2};
  if (Index == 0) b.left = 2;
  else if (Index == Count - 1) b.right = 2;
  return b;
}

TcxPaintButtonState TcxUltraFlatLookAndFeelPainter::ButtonCrossState(TcxPaintButtonState) const { return pbsNormal; }

void TcxUltraFlatLookAndFeelPainter::PaintPlainButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, int Count,
                                                      int Index, TColor FrameColor) const {
  ++R.top;
  --R.bottom;
  if (Index == 0) ++R.left;
  if (Index == Count - 1) --R.right;
  if (State == pbsNormal || State == pbsDisabled) {
    Canvas->FillBorders(R, FrameColor, 1, cxBordersAll);
    R = Deflated(R, 1);
  } else {
    if (Index > 0) {
      Canvas->FillRectColor(RECT{R.left, R.top, R.left + 1, R.bottom}, HotFrameColor());
      ++R.left;
    }
    if (Index < Count - 1) {
      Canvas->FillRectColor(RECT{R.right - 1, R.top, R.right, R.bottom}, HotFrameColor());
      --R.right;
    }
  }
  Canvas->FillRectColor(R, ButtonFaceColor(State));
}

void TcxUltraFlatLookAndFeelPainter::PaintGroupButtonFrame(TcxCanvas* Canvas, RECT R, bool Marked, bool Hot) const {
  Canvas->FillBorders(R, Marked ? clBtnText : Hot ? HotFrameColor() : clBtnShadow, 1, cxBordersAll);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderWithTextBounds(
    TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours, TcxBorders Borders, TcxPaintButtonState State,
    TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis, const std::string& Text,
    TFont* Font, TColor TextColor, TColor BkColor, TcxDrawBackgroundEvent CustomDraw) const {
  PaintCellContent(Canvas, R, Deflated(TextR, 1), State, HAlign, VAlign, MultiLine, ShowEndEllipsis, Text, Font,
                   TextColor, BkColor, CustomDraw);
  PaintHeaderBorder(Canvas, Deflated(R, 1), Neighbours, Borders);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderSectionContent(TcxCanvas* Canvas, RECT R, RECT TextR,
                                                               TcxPaintButtonState State, TAlignment HAlign,
                                                               TcxAlignmentVert VAlign, bool MultiLine,
                                                               bool ShowEndEllipsis, const std::string& Text,
                                                               TFont* Font, TColor TextColor, TColor BkColor) const {
  Canvas->FillRectColor(R, State > pbsNormal ? ButtonFaceColor(State) : BkColor);
  if (Font) Canvas->AssignFontObject(Font);
  Canvas->FontObject()->SetColor(TextColor);
  PaintHeaderSectionText(Canvas, TextR, State, HAlign, VAlign, MultiLine, ShowEndEllipsis, Text, nullptr, TextColor);
}

void TcxUltraFlatLookAndFeelPainter::PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                                                           TcxPaintButtonState State) const {
  Canvas->FillRectColor(R, clBtnFace);
  const TcxBorders sides = Next ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  Canvas->FillBorders(R, State == pbsHot ? FrameLightColor() : FrameDarkColor(), 1, sides);
  PaintNavigationArrow(Canvas, ArrowR, Next, ButtonGlyphColor(State, clDefault));
}

void TcxUltraFlatLookAndFeelPainter::PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  PaintButton(Canvas, R, "", State, State == pbsHot || State == pbsPressed);
}

TColor TcxUltraFlatLookAndFeelPainter::StateFrameColor(TcxPaintButtonState State) const {
  return State == pbsNormal ? clBtnShadow : clHighlight;
}

TColor TcxUltraFlatLookAndFeelPainter::FrameLightColor() const { return clBtnShadow; }
TColor TcxUltraFlatLookAndFeelPainter::FrameDarkColor() const { return clBtnText; }
TColor TcxUltraFlatLookAndFeelPainter::HotFrameColor() const { return clHighlight; }
