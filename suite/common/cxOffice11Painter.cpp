#include "suite/common/cxOffice11Painter.h"

#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/cxStandardPainter.h"
#include "suite/common/cxWinXPPainter.h"

namespace {

void VerticalLine(TcxCanvas* Canvas, int X, int Top, int Bottom, TColor Color) {
  if (Bottom > Top) Canvas->FillRectColor(RECT{X, Top, X + 1, Bottom}, Color);
}

}  // namespace

const TcxOffice11LookAndFeelPainter* TcxOffice11LookAndFeelPainter::Instance() {
  static const TOwned<TcxOffice11LookAndFeelPainter> instance(TcxOffice11LookAndFeelPainter::Create());
  return instance.get();
}

TColor Office11RadioFaceColor(TcxPaintButtonState State) {
  return TcxOffice11LookAndFeelPainter::Instance()->ButtonFaceColor(State);
}

TColor Office11RadioDisabledColor() { return Office11Color32; }
TColor Office11RadioHotFrameColor() { return Office11Color22; }

TcxPainterStyle TcxOffice11LookAndFeelPainter::PainterStyle() const { return cpsOffice11; }

TColor TcxOffice11LookAndFeelPainter::HeaderShadeColor() const { return Office11Color2; }
TColor TcxOffice11LookAndFeelPainter::HeaderDarkColor() const { return Office11Color15; }
TColor TcxOffice11LookAndFeelPainter::HeaderMidColor() const { return Office11Color16; }
TColor TcxOffice11LookAndFeelPainter::HeaderLightColor() const { return BlendColors(Office11Color1, Office11Color2, 50); }

TColor TcxOffice11LookAndFeelPainter::StyleColor05() const { return Office11Color17; }
TColor TcxOffice11LookAndFeelPainter::StyleColor06() const { return Office11HighlightWhite; }
TColor TcxOffice11LookAndFeelPainter::StyleColor08() const { return Office11Color3; }
TColor TcxOffice11LookAndFeelPainter::StyleColor09() const { return HeaderFontColor(); }
TColor TcxOffice11LookAndFeelPainter::StyleColor12() const { return Office11Color5HalfB; }
TColor TcxOffice11LookAndFeelPainter::StyleColor13() const { return Office11Color1; }
TColor TcxOffice11LookAndFeelPainter::StyleColor14() const { return Office11Color33; }
TColor TcxOffice11LookAndFeelPainter::StyleColor16() const { return StyleColor12(); }
TColor TcxOffice11LookAndFeelPainter::HeaderBackColor() const { return HeaderLightColor(); }
TColor TcxOffice11LookAndFeelPainter::StyleColor27() const { return Office11Color3; }
TColor TcxOffice11LookAndFeelPainter::StyleColor28() const { return Office11Color34; }
TColor TcxOffice11LookAndFeelPainter::StyleColor29() const { return clWindowText; }
TColor TcxOffice11LookAndFeelPainter::StyleColor32() const { return Office11Color36; }
TColor TcxOffice11LookAndFeelPainter::StyleColor33() const { return Office11Color35; }
TColor TcxOffice11LookAndFeelPainter::StyleColor41() const { return Office11Color4; }
TColor TcxOffice11LookAndFeelPainter::StyleColor43() const { return StyleColor41(); }
TColor TcxOffice11LookAndFeelPainter::StyleColor46() const { return Office11Color3; }
TColor TcxOffice11LookAndFeelPainter::StyleColor48() const { return StyleColor33(); }

TColor TcxOffice11LookAndFeelPainter::StateFrameColor(TcxPaintButtonState State) const {
  return State == pbsNormal ? HeaderDarkColor() : Office11Color22;
}

TColor TcxOffice11LookAndFeelPainter::FrameLightColor() const { return HeaderDarkColor(); }
TColor TcxOffice11LookAndFeelPainter::FrameDarkColor() const { return clBtnText; }
TColor TcxOffice11LookAndFeelPainter::HotFrameColor() const { return Office11Color22; }
TColor TcxOffice11LookAndFeelPainter::FooterSeparatorLineColor() const { return HeaderDarkColor(); }

void TcxOffice11LookAndFeelPainter::PaintControlBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillBorders(R, Office11Color19C, 1, cxBordersAll);
}

TColor TcxOffice11LookAndFeelPainter::ButtonFaceColor(TcxPaintButtonState State) const {
  switch (State) {
    case pbsHot: return Office11Color23;
    case pbsPressed: return Office11Color25;
    case pbsDisabled: return clBtnFace;
    default: return Office11Color3;
  }
}

TColor TcxOffice11LookAndFeelPainter::ButtonGlyphColor(TcxPaintButtonState State, TColor) const {
  if (State == pbsPressed && !Office11UsesSchemeTables()) return clHighlightText;
  if (State == pbsDisabled) return Office11Color32;
  return Office11Color31;
}

void TcxOffice11LookAndFeelPainter::PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  if (State == pbsDefault) {
    TcxUltraFlatLookAndFeelPainter::PaintButtonFrame(Canvas, R, State);
    return;
  }
  const TColor color = State == pbsNormal ? clBtnText : State == pbsDisabled ? Office11Color32 : Office11Color22;
  Canvas->FillBorders(R, color, 1, cxBordersAll);
}

void TcxOffice11LookAndFeelPainter::PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor) const {
  HBITMAP bitmap = Expanded ? Office11ExpandMinusBitmap : Office11ExpandPlusBitmap;
  if (!bitmap) return;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  // The corners take on what lies under them, so the rounded button sits on any
  // background.
  const TColor topLeft = Canvas->PixelColor(R.left, R.top);
  const TColor bottomRight = Canvas->PixelColor(R.right - 1, R.bottom - 1);
  SetPixel(dc, 0, 0, static_cast<COLORREF>(BlendColors(Office11GrayBlue, topLeft, 25)));
  const COLORREF corner = static_cast<COLORREF>(BlendColors(Office11DarkSlate, bottomRight, 25));
  SetPixel(dc, 10, 10, corner);
  SetPixel(dc, 0, 10, corner);
  SetPixel(dc, 10, 0, corner);
  BitBlt(Canvas->DeviceContext(), R.left, R.top, 11, 11, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
}

bool TcxOffice11LookAndFeelPainter::ExpandButtonBeforeContent() const { return false; }

void TcxOffice11LookAndFeelPainter::PaintSmallExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor,
                                                           TColor Color) const {
  PaintExpandButton(Canvas, R, Expanded, Color);
}

int TcxOffice11LookAndFeelPainter::ExpandButtonExtent() const { return 11; }
int TcxOffice11LookAndFeelPainter::SmallExpandButtonExtent() const { return 11; }

TColor TcxOffice11LookAndFeelPainter::CheckFaceColor(TcxPaintButtonState State) const {
  if (State == pbsHot || State == pbsPressed || State == pbsDisabled) return ButtonFaceColor(State);
  return TcxCustomLookAndFeelPainter::CheckFaceColor(State);
}

void TcxOffice11LookAndFeelPainter::PaintCellContent(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State,
                                                     TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                                                     bool EndEllipsis, const std::string& Text, TFont* Font,
                                                     TColor TextColor, TColor, TcxDrawBackgroundEvent CustomDraw,
                                                     bool PlainFill) const {
  if (!CustomDraw || !CustomDraw(Canvas, R)) {
    const TColor top = State == pbsHot ? Office11Color1 : HeaderLightColor();
    const TColor bottom = State == pbsHot ? Office11Color1 : HeaderShadeColor();
    if (PlainFill) {
      Canvas->FillRectColor(R, top);
    } else {
      Canvas->FillRectColor(RECT{R.left, R.top, R.right, R.bottom - 3}, top);
      PaintGradientRect(Canvas->DeviceContext(), RECT{R.left, R.bottom - 4, R.right, R.bottom}, top, bottom, false);
    }
  }
  DrawCellText(Canvas, TextR, HAlign, VAlign, MultiLine, EndEllipsis, Text, Font, TextColor);
  if (State == pbsHot)
    PaintGradientRect(Canvas->DeviceContext(), RECT{R.left - 1, R.bottom - 2, R.right, R.bottom + 1}, Office11Color23,
                      Office11Color24, false);
}

void TcxOffice11LookAndFeelPainter::PaintHeader(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours,
                                                TcxBorders Borders, TcxPaintButtonState State, TAlignment HAlign,
                                                TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                                const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor,
                                                TcxDrawBackgroundEvent CustomDraw) const {
  TcxCustomLookAndFeelPainter::PaintHeader(Canvas, R, TextR, Neighbours, Borders, State, HAlign, VAlign, MultiLine,
                                           ShowEndEllipsis, Text, Font, TextColor, BkColor, CustomDraw);
}

void TcxOffice11LookAndFeelPainter::PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours,
                                                      TcxBorders Borders) const {
  const TColor l = HeaderLightColor(), s = HeaderShadeColor(), d = HeaderDarkColor(), m = HeaderMidColor();
  if (Borders.Contains(bTop)) Canvas->FillRectColor(RECT{R.left, R.top, R.right, R.top + 1}, l);
  if (Borders.Contains(bBottom)) Canvas->FillRectColor(RECT{R.left, R.bottom - 1, R.right, R.bottom}, d);
  if (Borders.Contains(bLeft)) {
    Canvas->SetPixelColor(R.left, R.top + 1, l);
    if (Neighbours.Contains(bLeft)) {
      Canvas->SetPixelColor(R.left, R.top + 2, l);
      VerticalLine(Canvas, R.left, R.top + 2, R.bottom - 3, m);
      Canvas->SetPixelColor(R.left, R.bottom - 3, BlendColors(l, s, 25));
      Canvas->SetPixelColor(R.left, R.bottom - 2, s);
    } else {
      VerticalLine(Canvas, R.left, R.top + 1, R.bottom - 2, m);
      Canvas->SetPixelColor(R.left, R.bottom - 2, s);
    }
  }
  if (Borders.Contains(bRight)) {
    const int x = R.right - 1;
    if (Neighbours.Contains(bRight)) {
      Canvas->SetPixelColor(x, R.top + 1, l);
      Canvas->SetPixelColor(x, R.top + 2, l);
      VerticalLine(Canvas, x, R.top + 2, R.bottom - 3, d);
      Canvas->SetPixelColor(x, R.bottom - 3, BlendColors(l, s, 25));
      Canvas->SetPixelColor(x, R.bottom - 2, s);
    } else {
      Canvas->SetPixelColor(x, R.top, BlendColors(l, d, 50));
      VerticalLine(Canvas, x, R.top + 1, R.bottom - 2, d);
      Canvas->SetPixelColor(x, R.bottom - 2, BlendColors(s, d, 50));
    }
  }
}

void TcxOffice11LookAndFeelPainter::PaintHeaderSection(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Borders,
                                                       TcxPaintButtonState State, TAlignment HAlign,
                                                       TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                                       const std::string& Text, TFont* Font, TColor TextColor,
                                                       TColor BkColor) const {
  PaintHeader(Canvas, R, TextR, {}, Borders, State, HAlign, VAlign, MultiLine, ShowEndEllipsis, Text, Font, TextColor,
              BkColor);
  if (State == pbsPressed) PaintHeaderPressed(Canvas, R);
}

void TcxOffice11LookAndFeelPainter::PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const {
  DrawSortingArrow(Canvas, R, Ascending, HeaderMidColor(), HeaderDarkColor());
}

TcxBorders TcxOffice11LookAndFeelPainter::HeaderBordersFor(TcxBorders) const { return cxBordersAll; }
int TcxOffice11LookAndFeelPainter::HeaderBorderWidth() const { return 1; }
bool TcxOffice11LookAndFeelPainter::HeaderHotTrack() const { return true; }

void TcxOffice11LookAndFeelPainter::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R,
                                                       TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  // Office-coloured controls keep the system's own scroll bars.
  if (VisualStylesAvailableFor(ThemedKinds({tokScrollBar})))
    TcxWinXPLookAndFeelPainter::Instance()->PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
  else
    TcxStandardLookAndFeelPainter::Instance()->PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
}

void TcxOffice11LookAndFeelPainter::PaintSizeGrip(TcxCanvas* Canvas, RECT R, TColor BackColor) const {
  Canvas->FillRectColor(R, BackColor == clDefault ? SizeGripAreaColor() : BackColor);
  Office11DrawGripCorner(Canvas->DeviceContext(), R, clDefault, clDefault);
}

void TcxOffice11LookAndFeelPainter::PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text,
                                                     int Positions, const TcxViewParams& ViewParams,
                                                     int ArrowOffset) const {
  RECT back = R;
  InflateRect(&back, 1, 1);
  Canvas->FillWithViewParams(back, ViewParams);
  if (!Text.empty()) {
    Canvas->BrushObject()->SetStyle(bsClear);
    if (ViewParams.Font) Canvas->AssignFontObject(ViewParams.Font);
    Canvas->FontObject()->SetColor(ViewParams.TextColor);
    Canvas->DrawTextFlags(Text, R, cxAlignHCenter | cxAlignVCenter | cxSingleLine);
    Canvas->BrushObject()->SetStyle(bsSolid);
  }
  DrawMonthArrows(Canvas, R, Positions, ArrowOffset, clWindowText);
}

void TcxOffice11LookAndFeelPainter::PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                                                          TcxPaintButtonState State) const {
  Canvas->FillRectColor(R, State == pbsHot ? Office11Color23 : State == pbsPressed ? Office11Color25 : Office11Color3);
  const TcxBorders sides = Next ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  Canvas->FillBorders(R, Office11Color36, 1, sides);
  PaintNavigationArrow(Canvas, ArrowR, Next, ButtonGlyphColor(State, clDefault));
}

void TcxOffice11LookAndFeelPainter::PaintSecondaryBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->FillBorders(R, StyleColor32(), 1, cxBordersAll);
}

void TcxOffice11LookAndFeelPainter::PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  TcxWinXPLookAndFeelPainter::Instance()->PaintNavigatorButton(Canvas, R, State);
}

void TcxOffice11LookAndFeelPainter::PaintPanelBackground(TcxCanvas* Canvas, TControl* Control, RECT R,
                                                         TColor ColorFrom, TColor ColorTo) const {
  if (ColorFrom == clDefault) PaintParentBackground(Control, Canvas, R);
  else if (ColorTo == clDefault) Canvas->FillRectColor(R, ColorFrom);
  else PaintGradientRect(Canvas->DeviceContext(), R, ColorFrom, ColorTo, false);
}
