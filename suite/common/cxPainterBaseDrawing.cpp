// The painter base's drawings of cells, expand buttons, marks, headers, footers,
// filter buttons, tabs, indicators, navigation buttons, calendars, progress,
// clock and panels, and the answers of their metric and flag families.
#include <algorithm>
#include <cmath>

#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/Pen.h"
#include "framework/Unicode.h"
#include "suite/common/cxLookAndFeelPainters.h"
#include "suite/common/cxPainterResources.h"

namespace {

TcxTextFlags CellTextFlags(TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine, bool EndEllipsis) {
  TcxTextFlags f = HAlign == taRightJustify ? cxAlignRight : HAlign == taCenter ? cxAlignHCenter : cxAlignLeft;
  f |= VAlign == vaBottom ? cxAlignBottom : VAlign == vaCenter ? cxAlignVCenter : cxAlignTop;
  f |= MultiLine ? cxWordBreak : cxSingleLine;
  if (EndEllipsis) f |= cxShowEndEllipsis;
  return f;
}

RECT Deflated(RECT R, int DX, int DY) {
  InflateRect(&R, -DX, -DY);
  return R;
}

void Line(TcxCanvas* Canvas, int X1, int Y1, int X2, int Y2, TColor Color) {
  Canvas->PenObject()->SetColor(Color);
  Canvas->MoveToPoint(X1, Y1);
  Canvas->LineToPoint(X2, Y2);
}

}  // namespace

// ---------------------------------------------------------------- backgrounds and cells

void TcxCustomLookAndFeelPainter::FillBackground(TcxCanvas* Canvas, RECT R, bool Transparent, TColor Color,
                                                 TBitmap* Bitmap) const {
  if (!Transparent) {
    Canvas->SetBrushColor(Color);
    Bitmap = nullptr;
  } else if (!Bitmap) {
    return;
  }
  Canvas->FillWithBitmap(R, Bitmap);
}

void TcxCustomLookAndFeelPainter::PaintDropDownGlyph(TcxCanvas* Canvas, RECT R, TColor Color) const {
  int x = (R.right - R.left) / 2;
  if ((R.right - R.left) % 2 == 0) ++x;
  const int y = x / 2 + 1;
  const POINT p0{(R.left + R.right - x) / 2, MulDiv(R.top + R.bottom - y, 1, 2)};
  const TcxArrowPoints p{p0, {p0.x + x - 1, p0.y}, {p0.x + x / 2, p0.y + y - 1}};
  DrawTriangle(Canvas, p, Color);
}

void TcxCustomLookAndFeelPainter::PaintCellContent(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState,
                                                   TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                                                   bool EndEllipsis, const std::string& Text, TFont* Font,
                                                   TColor TextColor, TColor BackColor,
                                                   TcxDrawBackgroundEvent CustomDraw, bool) const {
  if (!CustomDraw || !CustomDraw(Canvas, R)) Canvas->FillRectColor(R, BackColor);
  DrawCellText(Canvas, TextR, HAlign, VAlign, MultiLine, EndEllipsis, Text, Font, TextColor);
}

void TcxCustomLookAndFeelPainter::DrawCellText(TcxCanvas* Canvas, RECT TextR, TAlignment HAlign,
                                               TcxAlignmentVert VAlign, bool MultiLine, bool EndEllipsis,
                                               const std::string& Text, TFont* Font, TColor TextColor) const {
  if (Text.empty()) return;
  Canvas->BrushObject()->SetStyle(bsClear);
  if (Font) Canvas->AssignFontObject(Font);
  Canvas->FontObject()->SetColor(TextColor);
  Canvas->DrawTextFlags(Text, TextR, CellTextFlags(HAlign, VAlign, MultiLine, EndEllipsis));
  Canvas->BrushObject()->SetStyle(bsSolid);
}

RECT TcxCustomLookAndFeelPainter::FooterCellContentBounds(RECT R) const {
  return Deflated(R, FooterCellBorderWidth(), FooterCellBorderWidth());
}

RECT TcxCustomLookAndFeelPainter::FooterCellTextBounds(RECT R) const { return Deflated(FooterCellContentBounds(R), 2, 2); }

// ---------------------------------------------------------------- expand buttons

void TcxCustomLookAndFeelPainter::DrawExpandCross(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color) const {
  const int cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  const int half = (R.right - R.left - 4) / 2;
  Canvas->SetBrushColor(Color);
  Canvas->FillRectColor(RECT{cx - half, cy, cx + half + 1, cy + 1});
  if (!Expanded) Canvas->FillRectColor(RECT{cx, cy - half, cx + 1, cy + half + 1});
}

void TcxCustomLookAndFeelPainter::PaintExpandButton(TcxCanvas*, RECT, bool, TColor) const {}
bool TcxCustomLookAndFeelPainter::ExpandButtonBeforeContent() const { return true; }

void TcxCustomLookAndFeelPainter::PaintGroupExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded,
                                                         TcxPaintButtonState State) const {
  PaintButton(Canvas, R, "", State, true);
  // Two chevrons of two-pixel strokes with three-pixel arms, one above the other.
  const TColor color = ButtonGlyphColor(State, clDefault);
  const int cx = (R.left + R.right) / 2, top = (R.top + R.bottom - 8) / 2;
  Canvas->SetBrushColor(color);
  for (int chevron = 0; chevron < 2; ++chevron)
    for (int i = 0; i < 3; ++i) {
      const int y = Expanded ? top + chevron * 4 + i : top + chevron * 4 + 3 - i;
      Canvas->FillRectColor(RECT{cx - i, y, cx - i + 1, y + 2});
      Canvas->FillRectColor(RECT{cx + i, y, cx + i + 1, y + 2});
    }
}

void TcxCustomLookAndFeelPainter::PaintSmallExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded,
                                                         TColor BorderColor, TColor Color) const {
  Canvas->FillBorders(R, BorderColor, 1, cxBordersAll);
  if (Color != clDefault) Canvas->FillRectColor(Deflated(R, 1, 1), Color);
  DrawExpandCross(Canvas, R, Expanded, clBtnText);
}

int TcxCustomLookAndFeelPainter::ExpandButtonExtent() const { return 0; }
int TcxCustomLookAndFeelPainter::GroupExpandButtonExtent() const { return 15; }
bool TcxCustomLookAndFeelPainter::IsPointOnGroupExpandButton(RECT R, POINT P) const { return PtInRect(&R, P) != FALSE; }
int TcxCustomLookAndFeelPainter::SmallExpandButtonExtent() const { return 9; }

// ---------------------------------------------------------------- check and radio marks

int TcxCustomLookAndFeelPainter::CheckBorderWidth() const { return 2; }

TColor TcxCustomLookAndFeelPainter::CheckFaceColor(TcxPaintButtonState State) const {
  return (State == pbsPressed || State == pbsDisabled) ? clBtnFace : clWindow;
}

SIZE TcxCustomLookAndFeelPainter::CheckBoxExtent() const { return CheckBoxGlyphSize(); }

void TcxCustomLookAndFeelPainter::PaintCheckMark(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Checked,
                                                 TColor Color) const {
  if (Canvas->BrushObject()->GetStyle() == bsSolid) Canvas->FillRectColor(R, CheckFaceColor(State));
  if (!Checked) return;
  const int w = R.right - R.left - 2, h = R.bottom - R.top - 4;
  const int x = (R.left + R.right) / 2 - 1;
  Canvas->PenObject()->SetColor(Color);
  for (int d = 0; d < 3; ++d) {
    const int y = (R.top + R.bottom + h) / 2 - 2 + d;
    const POINT p[3] = {{x + 1 - w / 2, y - h / 2}, {x, y}, {x + w / 2 + 2, y - h}};
    Canvas->PolylineOf(p, 3);
  }
}

void TcxCustomLookAndFeelPainter::PaintCheckBorder(TcxCanvas*, RECT, TcxPaintButtonState) const {}

void TcxCustomLookAndFeelPainter::PaintCheckButtonFor(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                      bool Checked) const {
  PaintCheckButton(Canvas, R, State, Checked ? cbsChecked : cbsUnchecked);
}

void TcxCustomLookAndFeelPainter::PaintCheckButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                   TcxCheckBoxState CheckState) const {
  PaintCheckBorder(Canvas, R, State);
  InflateRect(&R, -CheckBorderWidth(), -CheckBorderWidth());
  const TColor color = (State == pbsDisabled || CheckState == cbsGrayed) ? clGrayText : clBtnText;
  PaintCheckMark(Canvas, R, State, CheckState == cbsChecked, color);
}

void TcxCustomLookAndFeelPainter::PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State,
                                                   bool Checked, bool Focused, TColor BrushColor, bool) const {
  RadioGlyphCache()->PaintGlyph(Canvas, X, Y,
                                TcxRadioGlyphKey{State, Checked, PainterStyleToKind(PainterStyle()), Focused, false},
                                BrushColor);
}

SIZE TcxCustomLookAndFeelPainter::RadioButtonExtent() const { return RadioGlyphCache()->GlyphSize(); }

void TcxCustomLookAndFeelPainter::PaintLabelLine(TcxCanvas* Canvas, RECT R, TColor DarkColor, TColor LightColor,
                                                 bool Vertical) const {
  Canvas->DrawEdgeSides(R, DarkColor == clDefault ? clBtnShadow : DarkColor,
                        LightColor == clDefault ? clBtnHighlight : LightColor,
                        Vertical ? TcxBorders{bLeft, bRight} : TcxBorders{bTop, bBottom}, 1);
}

int TcxCustomLookAndFeelPainter::LabelLineWidth() const { return 2; }

// ---------------------------------------------------------------- headers

void TcxCustomLookAndFeelPainter::PaintHeader(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours,
                                              TcxBorders Borders, TcxPaintButtonState State, TAlignment HAlign,
                                              TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                              const std::string& Text, TFont* Font, TColor TextColor,
                                              TColor BkColor, TcxDrawBackgroundEvent CustomDraw) const {
  PaintHeaderBorder(Canvas, R, Neighbours, Borders);
  PaintCellContent(Canvas, HeaderTextAreaBounds(R, Borders), TextR, State, HAlign, VAlign, MultiLine,
                   ShowEndEllipsis, Text, Font, TextColor, BkColor, CustomDraw);
}

void TcxCustomLookAndFeelPainter::PaintHeaderWithTextBounds(
    TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours, TcxBorders Borders, TcxPaintButtonState State,
    TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis, const std::string& Text,
    TFont* Font, TColor TextColor, TColor BkColor, TcxDrawBackgroundEvent CustomDraw) const {
  PaintHeader(Canvas, R, TextR, Neighbours, Borders, State, HAlign, VAlign, MultiLine, ShowEndEllipsis, Text, Font,
              TextColor, BkColor, CustomDraw);
}

void TcxCustomLookAndFeelPainter::PaintHeaderBorder(TcxCanvas*, RECT, TcxBorders, TcxBorders) const {}

void TcxCustomLookAndFeelPainter::PaintHeaderPressed(TcxCanvas* Canvas, RECT R) const { Canvas->InvertRect(R); }

void TcxCustomLookAndFeelPainter::PaintHeaderSection(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Borders,
                                                     TcxPaintButtonState State, TAlignment HAlign,
                                                     TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                                     const std::string& Text, TFont* Font, TColor TextColor,
                                                     TColor BkColor) const {
  PaintHeaderSectionBorder(Canvas, R, Borders, State);
  PaintHeaderSectionContent(Canvas, HeaderSectionContentBounds(R, State), HeaderSectionTextBounds(TextR, State),
                            State, HAlign, VAlign, MultiLine, ShowEndEllipsis, Text, Font, TextColor, BkColor);
}

void TcxCustomLookAndFeelPainter::PaintHeaderSectionBorder(TcxCanvas*, RECT, TcxBorders, TcxPaintButtonState) const {}

void TcxCustomLookAndFeelPainter::PaintHeaderSectionContent(TcxCanvas* Canvas, RECT R, RECT TextR,
                                                            TcxPaintButtonState State, TAlignment HAlign,
                                                            TcxAlignmentVert VAlign, bool MultiLine,
                                                            bool ShowEndEllipsis, const std::string& Text, TFont* Font,
                                                            TColor TextColor, TColor BkColor) const {
  Canvas->FillRectColor(R, BkColor);
  PaintHeaderSectionText(Canvas, TextR, State, HAlign, VAlign, MultiLine, ShowEndEllipsis, Text, Font, TextColor);
}

void TcxCustomLookAndFeelPainter::PaintHeaderSectionText(TcxCanvas* Canvas, RECT TextR, TcxPaintButtonState State,
                                                         TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                                                         bool ShowEndEllipsis, const std::string& Text, TFont* Font,
                                                         TColor TextColor) const {
  if (Text.empty()) return;
  Canvas->BrushObject()->SetStyle(bsClear);
  if (Font) Canvas->AssignFontObject(Font);
  const TcxTextFlags flags = CellTextFlags(HAlign, VAlign, MultiLine, ShowEndEllipsis);
  if (State == pbsDisabled) {
    RECT r = TextR;
    OffsetRect(&r, 1, 1);
    Canvas->FontObject()->SetColor(clBtnHighlight);
    Canvas->DrawTextFlags(Text, r, flags);
    Canvas->FontObject()->SetColor(clBtnShadow);
  } else {
    Canvas->FontObject()->SetColor(TextColor);
  }
  Canvas->DrawTextFlags(Text, TextR, flags);
  Canvas->BrushObject()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintHeaderSeparator(TcxCanvas* Canvas, RECT R, int Indent, TColor Color,
                                                       const TcxViewParams& ViewParams) const {
  Canvas->FillWithViewParams(RECT{R.left, R.top, R.left + Indent, R.bottom}, ViewParams);
  Canvas->FillWithViewParams(RECT{R.right - Indent, R.top, R.right, R.bottom}, ViewParams);
  Canvas->FillRectColor(RECT{R.left + Indent, R.top, R.right - Indent, R.bottom}, Color);
}

void TcxCustomLookAndFeelPainter::DrawSortingArrow(TcxCanvas* Canvas, RECT R, bool Ascending, TColor FirstColor,
                                                   TColor SecondColor) const {
  const SIZE s = SortMarkExtent();
  const int l = (R.left + R.right - s.cx) / 2, t = (R.top + R.bottom - s.cy) / 2;
  const int r = l + s.cx - 1, b = t + s.cy - 1, mid = l + (s.cx - 1) / 2;
  if (Ascending) {
    Line(Canvas, mid, t, r + 1, b + 1, FirstColor);  // right edge
    Line(Canvas, l, b, r + 1, b, FirstColor);        // base
    Line(Canvas, mid, t, l - 1, b + 1, SecondColor);  // left edge
  } else {
    Line(Canvas, mid, b, r + 1, t - 1, FirstColor);
    Line(Canvas, l, t, r + 1, t, SecondColor);
    Line(Canvas, mid, b, l - 1, t - 1, SecondColor);
  }
}

void TcxCustomLookAndFeelPainter::PaintSortingMark(TcxCanvas*, RECT, bool) const {}
TcxBorders TcxCustomLookAndFeelPainter::HeaderBordersFor(TcxBorders) const { return cxBordersAll; }
int TcxCustomLookAndFeelPainter::HeaderBorderWidth() const { return 0; }

RECT TcxCustomLookAndFeelPainter::HeaderContentBounds(RECT R, TcxBorders Neighbours, TcxBorders Borders) const {
  const TcxBorders own = HeaderBordersFor(Neighbours);
  const int w = HeaderBorderWidth();
  if (Borders.Contains(bLeft) && !own.Contains(bLeft)) R.left -= w;
  if (Borders.Contains(bTop) && !own.Contains(bTop)) R.top -= w;
  if (Borders.Contains(bRight) && !own.Contains(bRight)) R.right += w;
  if (Borders.Contains(bBottom) && !own.Contains(bBottom)) R.bottom += w;
  return R;
}

RECT TcxCustomLookAndFeelPainter::HeaderTextAreaBounds(RECT R, TcxBorders Borders) const {
  const int w = HeaderBorderWidth();
  if (Borders.Contains(bLeft)) R.left += w;
  if (Borders.Contains(bTop)) R.top += w;
  if (Borders.Contains(bRight)) R.right -= w;
  if (Borders.Contains(bBottom)) R.bottom -= w;
  return R;
}

bool TcxCustomLookAndFeelPainter::HeaderDrawsTextFirst() const { return true; }
int TcxCustomLookAndFeelPainter::HeaderHeightFor(int FontHeight) const { return 2 * HeaderBorderWidth() + FontHeight + 4; }
int TcxCustomLookAndFeelPainter::HeaderSectionBorderWidth(TcxPaintButtonState) const { return 1; }

RECT TcxCustomLookAndFeelPainter::HeaderSectionTextBounds(RECT R, TcxPaintButtonState State) const {
  if (State == pbsPressed) OffsetRect(&R, 1, 1);
  return R;
}

RECT TcxCustomLookAndFeelPainter::HeaderSectionContentBounds(RECT R, TcxPaintButtonState State) const {
  const int w = HeaderSectionBorderWidth(State);
  return Deflated(R, w, w);
}

// Both side borders widen the header alike.
int TcxCustomLookAndFeelPainter::HeaderWidthFor(TcxCanvas* Canvas, TcxBorders Borders, const std::string& Text,
                                                TFont* Font) const {
  if (Font) Canvas->AssignFontObject(Font);
  int w = Canvas->WidthOfText(Text) + 4;
  if (Borders.Contains(bLeft)) w += HeaderBorderWidth();
  if (Borders.Contains(bRight)) w += HeaderBorderWidth();
  return w;
}

bool TcxCustomLookAndFeelPainter::HeaderHotTrack() const { return false; }
SIZE TcxCustomLookAndFeelPainter::SortingMarkAreaSize() const { return SIZE{16, SortMarkExtent().cy}; }
SIZE TcxCustomLookAndFeelPainter::SortMarkExtent() const { return SIZE{0, 0}; }

// ---------------------------------------------------------------- footers and filter

void TcxCustomLookAndFeelPainter::FillFooterBackground(TcxCanvas* Canvas, RECT R, bool Transparent, TColor Color,
                                                       TBitmap* Bitmap) const {
  FillBackground(Canvas, R, Transparent, Color, Bitmap);
}

bool TcxCustomLookAndFeelPainter::FooterDrawsTextFirst() const { return HeaderDrawsTextFirst(); }
TColor TcxCustomLookAndFeelPainter::FooterAreaBackColor() const { return StyleColor16(); }
TColor TcxCustomLookAndFeelPainter::FooterAreaFontColor() const { return StyleColor17(); }
TcxBorders TcxCustomLookAndFeelPainter::FooterBordersFor() const { return cxBordersAll; }
int TcxCustomLookAndFeelPainter::FooterBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellInset() const { return 0; }
bool TcxCustomLookAndFeelPainter::FooterCellsBeforeBorder() const { return true; }
TColor TcxCustomLookAndFeelPainter::FooterSeparatorLineColor() const { return clBtnShadow; }
int TcxCustomLookAndFeelPainter::FooterSeparatorWidth() const { return 1; }

void TcxCustomLookAndFeelPainter::PaintFooterCell(TcxCanvas* Canvas, RECT R, TAlignment HAlign,
                                                  TcxAlignmentVert VAlign, bool MultiLine, const std::string& Text,
                                                  TFont* Font, TColor TextColor, TColor BkColor,
                                                  TcxDrawBackgroundEvent CustomDraw) const {
  PaintFooterCellBorder(Canvas, R);
  PaintCellContent(Canvas, FooterCellContentBounds(R), FooterCellTextBounds(R), pbsNormal, HAlign, VAlign, MultiLine,
                   false, Text, Font, TextColor, BkColor, CustomDraw);
}

void TcxCustomLookAndFeelPainter::PaintFooterBorder(TcxCanvas*, RECT) const {}
void TcxCustomLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas*, RECT) const {}

void TcxCustomLookAndFeelPainter::PaintFooterContent(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams) const {
  if (!IsRectEmpty(&R)) Canvas->FillWithViewParams(R, ViewParams);
}

void TcxCustomLookAndFeelPainter::PaintFooterSeparator(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillRectColor(R, FooterSeparatorLineColor());
}

void TcxCustomLookAndFeelPainter::PaintFilterButtonFor(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                       bool Checked) const {
  PaintCheckButtonFor(Canvas, R, State, Checked);
}

void TcxCustomLookAndFeelPainter::PaintFilterCloseButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  PaintButtonFrame(Canvas, R, State);
  const int w = ButtonFrameWidth(pbsNormal);
  InflateRect(&R, -w, -w);
  Canvas->FillRectColor(R, ButtonFaceColor(State));
  int a = FilterCloseButtonExtent().cx / 2;
  if (a % 2 == 0) --a;
  int x = (R.left + R.right - a) / 2, y = (R.top + R.bottom - a) / 2;
  if (ButtonCrossState(State) == pbsPressed) ++x, ++y;
  const TColor color = ButtonGlyphColor(State, clDefault);
  for (int pass = 0; pass < 2; ++pass) {
    Line(Canvas, x + pass, y, x + pass + a, y + a, color);
    Line(Canvas, x + pass, y + a - 1, x + pass + a, y - 1, color);
  }
}

void TcxCustomLookAndFeelPainter::PaintFilterDropDownButton(TcxCanvas*, RECT, TcxPaintButtonState, bool) const {}

void TcxCustomLookAndFeelPainter::PaintFilterPanel(TcxCanvas* Canvas, RECT R, bool Transparent, TColor Color,
                                                   TBitmap* Bitmap) const {
  FillBackground(Canvas, R, Transparent, Color, Bitmap);
}

SIZE TcxCustomLookAndFeelPainter::FilterActivateButtonExtent() const { return SIZE{13, 13}; }
SIZE TcxCustomLookAndFeelPainter::FilterCloseButtonExtent() const { return SIZE{16, 14}; }
SIZE TcxCustomLookAndFeelPainter::FilterDropDownButtonExtent() const { return SIZE{15, 0}; }

// ---------------------------------------------------------------- windows, tabs and indicators

void TcxCustomLookAndFeelPainter::PaintWindowContent(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillRectColor(R, clBtnFace);
}

bool TcxCustomLookAndFeelPainter::PopupBorderFlat() const { return true; }
void TcxCustomLookAndFeelPainter::PaintTab(TcxCanvas*, RECT, RECT, TcxPaintButtonState, TcxBorders,
                                           const std::string&, TFont*, TColor, bool) const {}
void TcxCustomLookAndFeelPainter::PaintTabBorder(TcxCanvas*, RECT, TcxBorder, TcxBorders, bool) const {}
void TcxCustomLookAndFeelPainter::PaintTabsRoot(TcxCanvas*, RECT, TcxBorders, bool) const {}
bool TcxCustomLookAndFeelPainter::TabPaintingAvailable() const { return false; }
bool TcxCustomLookAndFeelPainter::TabHotTrack() const { return false; }
int TcxCustomLookAndFeelPainter::TabBorderWidth() const { return 0; }

void TcxCustomLookAndFeelPainter::PaintIndicatorCustomizeMark(TcxCanvas* Canvas, RECT R, TColor Color) const {
  Canvas->SetBrushColor(Color);
  const int top = (R.top + R.bottom - 9) / 2;
  for (int row = 0; row < 5; ++row) {
    const int y = top + 2 * row;
    Canvas->FillRectColor(RECT{R.left + 5, y, R.left + 3 + (R.right - R.left - 6), y + 1});
    if (row % 2 == 0) Canvas->FillRectColor(RECT{R.left + 3, y, R.left + 4, y + 1});
  }
}

void TcxCustomLookAndFeelPainter::PaintIndicatorImage(TcxCanvas* Canvas, RECT R, int Kind) const {
  if (Kind <= 0) return;
  TCustomImageList* images = IndicatorImages();
  if (!images || Kind > images->GetCount()) return;
  const int x = (R.left + R.right - images->GetWidth()) / 2, y = (R.top + R.bottom - images->GetHeight()) / 2;
  images->Draw(Canvas->GetCanvas(), x, y, Kind - 1);
}

void TcxCustomLookAndFeelPainter::PaintIndicatorItem(TcxCanvas* Canvas, RECT R, int Kind, TColor Color) const {
  PaintIndicatorItemEx(Canvas, R, Kind, Color, {});
}

void TcxCustomLookAndFeelPainter::PaintIndicatorItemEx(TcxCanvas* Canvas, RECT R, int Kind, TColor Color,
                                                       TcxBorders Neighbours) const {
  PaintHeader(Canvas, R, R, Neighbours, HeaderBordersFor(Neighbours), pbsNormal, taCenter, vaCenter, false, false, "",
              nullptr, clBtnText, Color);
  PaintIndicatorImage(Canvas, R, Kind);
}

bool TcxCustomLookAndFeelPainter::IndicatorItemsFirst() const { return true; }

// ---------------------------------------------------------------- navigation, calendars and progress

TcxNavigationButtonMetrics TcxCustomLookAndFeelPainter::NavigationButtonMetrics(bool Next) const {
  TcxNavigationButtonMetrics m;
  m.Size = SIZE{7, 7};
  m.Borders = Next ? RECT{2, 6, 0, 6} : RECT{0, 6, 2, 6};
  return m;
}

void TcxCustomLookAndFeelPainter::NavigationButtonLayout(RECT R, bool Next, RECT& ArrowR, RECT& ContentR) const {
  const TcxNavigationButtonMetrics m = NavigationButtonMetrics(Next);
  ContentR = RECT{R.left + m.Borders.left, R.top + m.Borders.top, R.right - m.Borders.right,
                  R.bottom - m.Borders.bottom};
  const int l = (ContentR.left + ContentR.right - m.Size.cx) / 2, t = (ContentR.top + ContentR.bottom - m.Size.cy) / 2;
  ArrowR = RECT{l, t, l + m.Size.cx, t + m.Size.cy};
}

void TcxCustomLookAndFeelPainter::PaintNavigationArrow(TcxCanvas* Canvas, RECT R, bool Next, TColor Color) const {
  Canvas->SetBrushColor(Color);
  const int h = R.bottom - R.top, steps = (h + 1) / 2;
  for (int i = 0; i < steps; ++i) {
    const int x = Next ? R.left + i : R.right - 2 - i;
    Canvas->FillRectColor(RECT{x, R.top + i, x + 2, R.top + i + 1});
    Canvas->FillRectColor(RECT{x, R.bottom - 1 - i, x + 2, R.bottom - i});
  }
  const int tip = Next ? R.right - 1 : R.left;
  Canvas->FillRectColor(RECT{tip, R.top, tip + 1, R.bottom});
}

void TcxCustomLookAndFeelPainter::PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                                                        TcxPaintButtonState State) const {
  Canvas->FillRectColor(R, clBtnFace);
  const TcxBorders sides = Next ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  Canvas->FillBorders(R, clBtnShadow, 1, sides);
  // One pixel inside the shadow line, on the same sides.
  RECT inner{R.left, R.top + 1, R.right, R.bottom - 1};
  if (Next) inner.left += 1;
  else inner.right -= 1;
  const bool pressed = State == pbsPressed;
  Canvas->DrawEdgeSides(inner, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnFace, sides, 1);
  PaintNavigationArrow(Canvas, ArrowR, Next, ButtonGlyphColor(State, clDefault));
}

void TcxCustomLookAndFeelPainter::PaintRotatedButton(TcxCanvas* Canvas, RECT R, bool Next,
                                                     TcxPaintButtonState State, RECT TextR,
                                                     const std::string& Text) const {
  RECT arrow, content;
  NavigationButtonLayout(R, Next, arrow, content);
  PaintNavigationButton(Canvas, R, arrow, Next, State);
  if (IsRectEmpty(&TextR) || Text.empty()) return;
  // The caption reads upwards, as on a button turned a quarter to the left.
  TFont* font = Canvas->FontObject();
  const int oldOrientation = font->GetOrientation();
  font->SetOrientation(900);
  font->SetColor(ButtonGlyphColor(State, clDefault));
  Canvas->BrushObject()->SetStyle(bsClear);
  const SIZE size = Canvas->MeasureText(Text);
  Canvas->PushClipRegion();
  Canvas->IntersectClip(TextR);
  const std::wstring w = Utf8ToWide(Text);
  TextOutW(Canvas->DeviceContext(), (TextR.left + TextR.right - size.cy) / 2, (TextR.top + TextR.bottom + size.cx) / 2,
           w.c_str(), static_cast<int>(w.size()));
  Canvas->PopClipRegion();
  Canvas->BrushObject()->SetStyle(bsSolid);
  font->SetOrientation(oldOrientation);
}

void TcxCustomLookAndFeelPainter::DrawMonthArrows(TcxCanvas* Canvas, RECT R, int Positions, int ArrowOffset,
                                                  TColor Color) const {
  RECT area{R.left, R.top + FrameBorderWidth() + 1, R.right, R.bottom - 1};
  int h = (area.bottom - area.top) / 2;
  if (h % 2 == 0) --h;
  if (h <= 0) return;
  const int cy = (area.top + area.bottom) / 2, half = h / 2;
  if (Positions & 1) {
    const int base = area.left + ArrowOffset + half;
    const TcxArrowPoints p{{base, cy - half}, {base - half, cy}, {base, cy + half}};
    DrawTriangle(Canvas, p, Color);
  }
  if (Positions & 2) {
    const int base = area.right - ArrowOffset - half - 1;
    const TcxArrowPoints p{{base, cy - half}, {base + half, cy}, {base, cy + half}};
    DrawTriangle(Canvas, p, Color);
  }
}

void TcxCustomLookAndFeelPainter::PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text, int Positions,
                                                   const TcxViewParams& ViewParams, int ArrowOffset) const {
  TcxBorders neighbours;
  if (!(Positions & 1)) neighbours += bLeft;
  if (!(Positions & 2)) neighbours += bRight;
  PaintHeader(Canvas, R, R, neighbours, HeaderBordersFor(neighbours), pbsNormal, taCenter, vaCenter, false, false,
              Text, ViewParams.Font, ViewParams.TextColor, ViewParams.Color);
  DrawMonthArrows(Canvas, R, Positions, ArrowOffset, clWindowText);
}

void TcxCustomLookAndFeelPainter::PaintSecondaryBorder(TcxCanvas* Canvas, RECT R) const {
  PaintControlBorder(Canvas, R);
}

void TcxCustomLookAndFeelPainter::PaintProgressTrack(TcxCanvas* Canvas, RECT Bounds, RECT ProgressR,
                                                     const TcxViewParams& ViewParams, bool FrameOnly) const {
  Canvas->FillBorders(Bounds, clGray, 1, cxBordersAll);
  if (!FrameOnly) Canvas->FillWithViewParams(Deflated(Bounds, 1, 1), ViewParams);
  Canvas->FillRectColor(ProgressR, clNavy);
}

void TcxCustomLookAndFeelPainter::PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  PaintButton(Canvas, R, "", State, true);
}

void TcxCustomLookAndFeelPainter::PaintSplitterBorder(TcxCanvas*, RECT, const TcxViewParams&, bool) const {}
RECT TcxCustomLookAndFeelPainter::ProgressOffsets() const { return RECT{2, 2, 2, 2}; }
int TcxCustomLookAndFeelPainter::SeparatorBorderWidth() const { return 1; }

void TcxCustomLookAndFeelPainter::PaintClock(TcxCanvas* Canvas, RECT R, double Time, TColor BackColor) const {
  const int cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  const double radius = std::min(R.right - R.left, R.bottom - R.top) / 2.0 - 2;
  const double pi = 3.14159265358979323846;
  auto at = [&](double Angle, double Fraction) {
    return POINT{cx + static_cast<LONG>(std::lround(std::sin(Angle) * radius * Fraction)),
                 cy - static_cast<LONG>(std::lround(std::cos(Angle) * radius * Fraction))};
  };
  Canvas->PushClipRegion();
  for (int h = 0; h < 12; ++h) {
    const POINT p = at(h * pi / 6, 1.0);
    Canvas->FillRectColor(RECT{p.x - 1, p.y - 1, p.x + 2, p.y + 2}, clTeal);
    Canvas->FillRectColor(RECT{p.x - 1, p.y - 1, p.x, p.y}, clAqua);
    Canvas->FillRectColor(RECT{p.x + 1, p.y + 1, p.x + 2, p.y + 2}, clBtnText);
    Canvas->ExcludeRectFromClip(RECT{p.x - 1, p.y - 1, p.x + 2, p.y + 2});
  }
  Canvas->FillRectColor(R, BackColor);
  const double dayFraction = Time - std::floor(Time);
  const double hours = std::fmod(dayFraction * 24.0, 12.0), minutes = std::fmod(dayFraction * 1440.0, 60.0);
  const double seconds = std::fmod(dayFraction * 86400.0, 60.0);
  auto hand = [&](double Angle, double Width, double From, double To) {
    const double side = Width / 2.0 / std::max(radius, 1.0);
    const POINT p[4] = {at(Angle + pi, From), at(Angle - pi / 2, side), at(Angle, To), at(Angle + pi / 2, side)};
    Canvas->SetBrushColor(clTeal);
    Canvas->PenObject()->SetColor(clTeal);
    Canvas->PolygonOf(p, 4);
  };
  hand(hours * pi / 6, 9, 0.15, 0.75);
  hand(minutes * pi / 30, 7, 0.20, 0.85);
  const POINT tip = at(seconds * pi / 30, 0.90);
  Line(Canvas, cx, cy, tip.x, tip.y, clRed);
  Canvas->PopClipRegion();
}

void TcxCustomLookAndFeelPainter::PaintEditorButton(TcxCanvas*, RECT, TcxPaintButtonState) const {}
int TcxCustomLookAndFeelPainter::EditorButtonIndent() const { return 0; }
SIZE TcxCustomLookAndFeelPainter::EditorButtonSize() const { return SIZE{0, 0}; }
TColor TcxCustomLookAndFeelPainter::EditorButtonFontColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ContainerBorderColor() const { return clDefault; }

void TcxCustomLookAndFeelPainter::PaintNavigatorGlyph(TcxCanvas* Canvas, TCustomImageList* Images, int ImageIndex,
                                                      RECT R, bool Enabled) const {
  if (Images) Images->Draw(Canvas->GetCanvas(), R.left, R.top, ImageIndex, Enabled);
}

SIZE TcxCustomLookAndFeelPainter::NavigatorGlyphExtent() const { return SIZE{0, 0}; }
void TcxCustomLookAndFeelPainter::PaintProgressBorder(TcxCanvas*, RECT) const {}
void TcxCustomLookAndFeelPainter::PaintProgressChunk(TcxCanvas*, RECT) const {}
RECT TcxCustomLookAndFeelPainter::ProgressBorderWidths() const { return RECT{0, 0, 0, 0}; }
TColor TcxCustomLookAndFeelPainter::ProgressFontColor() const { return clDefault; }

// ---------------------------------------------------------------- group boxes, panels, track bars

void TcxCustomLookAndFeelPainter::PaintGroupBoxBackground(TcxCanvas*, RECT) const {}
void TcxCustomLookAndFeelPainter::PaintGroupBoxCaption(TcxCanvas*, RECT) const {}
void TcxCustomLookAndFeelPainter::PaintGroupBoxContent(TcxCanvas*, RECT) const {}
RECT TcxCustomLookAndFeelPainter::GroupBoxBorderWidths() const { return RECT{0, 0, 0, 0}; }
TColor TcxCustomLookAndFeelPainter::GroupBoxFontColor() const { return clDefault; }
bool TcxCustomLookAndFeelPainter::GroupBoxTransparent() const { return false; }

void TcxCustomLookAndFeelPainter::PaintPanelBackground(TcxCanvas* Canvas, TControl*, RECT R, TColor, TColor) const {
  PaintGroupBoxBackground(Canvas, R);
}

void TcxCustomLookAndFeelPainter::PaintPanelBorders(TcxCanvas*, RECT) const {}
void TcxCustomLookAndFeelPainter::PaintPanelCaption(TcxCanvas* Canvas, RECT R) const { PaintGroupBoxCaption(Canvas, R); }

void TcxCustomLookAndFeelPainter::PaintPanelContent(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillRectColor(R, clBtnFace);
}

RECT TcxCustomLookAndFeelPainter::PanelBorderWidths() const { return RECT{0, 0, 0, 0}; }
TColor TcxCustomLookAndFeelPainter::PanelFontColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::PaintTrackBarTrack(TcxCanvas*, RECT) const {}
void TcxCustomLookAndFeelPainter::PaintTrackBarThumb(TcxCanvas*, RECT, TcxPaintButtonState) const {}
SIZE TcxCustomLookAndFeelPainter::TrackBarThumbExtent() const { return SIZE{0, 0}; }
TColor TcxCustomLookAndFeelPainter::TrackBarTickColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::TrackBarTrackExtent() const { return 0; }
void TcxCustomLookAndFeelPainter::PaintSplitter(TcxCanvas*, RECT, TcxPaintButtonState) const {}
SIZE TcxCustomLookAndFeelPainter::SplitterSize() const { return SIZE{0, 0}; }
