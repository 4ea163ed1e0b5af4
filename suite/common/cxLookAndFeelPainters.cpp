// The painter base: arrows, buttons, scroll bar hooks, metrics and colours.
// The drawing routines of cells, headers, footers and the rest are in
// cxPainterBaseDrawing.cpp.
#include "suite/common/cxLookAndFeelPainters.h"

#include <algorithm>

#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "framework/Pen.h"
#include "suite/common/cxPainterResources.h"

void ArrowPoints(RECT R, TcxArrowPoints& Points, TcxPaintArrowDirection Direction, bool Proportional,
                 int ArrowSize) {
  if (Proportional) {
    const int d = (R.right - R.left) - (R.bottom - R.top);
    if (d > 0) InflateRect(&R, -(d / 2), 0);
    else InflateRect(&R, 0, d / 2);
  }
  const bool vertical = Direction == padUp || Direction == padDown;
  int a = ArrowSize;
  if (a == 0) a = vertical ? (R.right - R.left - 1) / 4 + 1 : (R.bottom - R.top - 1) / 4 + 1;
  const int w = vertical ? 2 * a - 1 : a, h = vertical ? a : 2 * a - 1;
  const int l = R.left, t = R.top, r = R.right, b = R.bottom;
  switch (Direction) {
    case padUp: {
      POINT apex{(l + r - 1) / 2, MulDiv(t + b - h, 1, 2)};
      POINT left{(l + r - w) / 2, apex.y + h - 1};
      POINT right{left.x + w - 1, left.y};
      Points[0] = left, Points[1] = apex, Points[2] = right;
      break;
    }
    case padDown: {
      POINT left{(l + r - w) / 2, MulDiv(t + b - h, 1, 2)};
      POINT right{left.x + w - 1, left.y};
      POINT apex{(l + r - 1) / 2, left.y + h - 1};
      Points[0] = right, Points[1] = apex, Points[2] = left;
      break;
    }
    case padLeft: {
      POINT apex{(l + r - w) / 2, (t + b) / 2};
      POINT top{apex.x + w - 1, MulDiv(t + b - h, 1, 2)};
      POINT bottom{top.x, top.y + h - 1};
      Points[0] = bottom, Points[1] = apex, Points[2] = top;
      break;
    }
    case padRight: {
      POINT top{(l + r - w) / 2, MulDiv(t + b - h, 1, 2)};
      POINT apex{top.x + w - 1, (t + b) / 2};
      POINT bottom{top.x, top.y + h - 1};
      Points[0] = top, Points[1] = apex, Points[2] = bottom;
      break;
    }
  }
}

TcxPaintArrowDirection ArrowDirectionFor(bool Horizontal, TcxScrollBarPaintPart Part) {
  const bool first = Part == sppLineUp;
  if (Horizontal) return first ? padLeft : padRight;
  return first ? padUp : padDown;
}

TcxLookAndFeelKind PainterStyleToKind(TcxPainterStyle Style) {
  switch (Style) {
    case cpsFlat: return lfFlat;
    case cpsUltraFlat: return lfUltraFlat;
    case cpsOffice11: return lfOffice11;
    default: return lfStandard;
  }
}

const TcxCustomLookAndFeelPainter* TcxCustomLookAndFeelPainter::Instance() {
  static const TOwned<TcxCustomLookAndFeelPainter> instance(TcxCustomLookAndFeelPainter::Create());
  return instance.get();
}

void TcxCustomLookAndFeelPainter::DrawTriangle(TcxCanvas* Canvas, const TcxArrowPoints& Points, TColor Color) const {
  Canvas->BrushObject()->SetStyle(bsSolid);
  Canvas->SetBrushColor(Color);
  Canvas->PenObject()->SetColor(Color);
  Canvas->PolygonOf(Points, 3);
}

// ---------------------------------------------------------------- colours

TcxPainterStyle TcxCustomLookAndFeelPainter::PainterStyle() const { return cpsStandard; }
TColor TcxCustomLookAndFeelPainter::StyleColor01() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::StyleColor02() const { return StyleColor01(); }
TColor TcxCustomLookAndFeelPainter::StyleColor03() const { return StyleColor01(); }
TColor TcxCustomLookAndFeelPainter::StyleColor04() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::EditorBackColorFor(bool Flag) const { return EditorBackColor(Flag); }
TColor TcxCustomLookAndFeelPainter::EditorBackColor(bool) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::EditorTextColorFor(bool Flag) const { return EditorTextColor(Flag); }
TColor TcxCustomLookAndFeelPainter::EditorTextColor(bool) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::StyleColor05() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::StyleColor06() const { return clBtnHighlight; }
TColor TcxCustomLookAndFeelPainter::StyleColor07() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::StyleColor08() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor09() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::StyleColor10() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor11() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::StyleColor12() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::StyleColor13() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor14() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor15() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::StyleColor16() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::StyleColor17() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::HeaderBackColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::HeaderFontColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::StyleColor18() const { return clBlue; }
TColor TcxCustomLookAndFeelPainter::StyleColor19() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor20() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::StyleColor21() const { return clBlue; }
TColor TcxCustomLookAndFeelPainter::StyleColor22() const { return StyleColor11(); }
TColor TcxCustomLookAndFeelPainter::SizeGripAreaColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor23() const { return HeaderBackColor(); }
TColor TcxCustomLookAndFeelPainter::StyleColor24() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::StyleColor25() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::StyleColor26() const { return StyleColor25(); }
TColor TcxCustomLookAndFeelPainter::StyleColor27() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor28() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::StyleColor29() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::StyleColor30() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::StyleColor31() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::StyleColor32() const { return 0x009D9DA1; }
TColor TcxCustomLookAndFeelPainter::StyleColor33() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor34() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor35() const { return 0x00D5FFFF; }
TColor TcxCustomLookAndFeelPainter::StyleColor36() const { return StyleColor39(); }
TColor TcxCustomLookAndFeelPainter::StyleColor37() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::StyleColor38() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::StyleColor39() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::StyleColor40() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor41() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor42() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::StyleColor43() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor44() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::StyleColor45() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::StyleColor46() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::StyleColor47() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::StyleColor48() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::StyleColor49() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::StyleColor50() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::StyleColor51() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::StyleColor52() const { return 0x00CFCFCF; }
TColor TcxCustomLookAndFeelPainter::StyleColor53() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::StyleColor54() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::StyleColor55() const { return 0x00F0CAA6; }
TColor TcxCustomLookAndFeelPainter::StyleColor56() const { return clNavy; }
TColor TcxCustomLookAndFeelPainter::StyleColor57() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::StyleColor58() const { return clBtnShadow; }

// ---------------------------------------------------------------- arrows and buttons

void TcxCustomLookAndFeelPainter::PaintArrow(TcxCanvas* Canvas, RECT R, TColor Color,
                                             TcxPaintArrowDirection Direction) const {
  TcxArrowPoints p;
  ArrowPoints(R, p, Direction, true);
  DrawTriangle(Canvas, p, Color);
}

void TcxCustomLookAndFeelPainter::PaintArrowButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                   TcxPaintArrowDirection Direction, bool WithFrame) const {
  TcxArrowPoints p;
  ArrowPoints(R, p, Direction, false);
  Canvas->BrushObject()->SetStyle(bsSolid);
  if (WithFrame) {
    PaintArrowButtonFrame(Canvas, R, State);
  } else {
    Canvas->FillRectColor(R, ButtonFaceColor(State));
  }
  DrawTriangle(Canvas, p, ButtonGlyphColor(State, clDefault));
}

void TcxCustomLookAndFeelPainter::PaintArrowButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  Canvas->BrushObject()->SetStyle(bsSolid);
  Canvas->FillRectColor(R, ButtonFaceColor(State));
  PaintButtonFrame(Canvas, R, State);
}

void TcxCustomLookAndFeelPainter::PaintStateArrow(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                  TcxPaintArrowDirection Direction) const {
  if (State == pbsPressed) OffsetRect(&R, PressedTextOffset(), PressedTextOffset());
  TcxArrowPoints p;
  ArrowPoints(R, p, Direction, true);
  Canvas->BrushObject()->SetStyle(bsSolid);
  if (State == pbsDisabled) {
    TcxArrowPoints shifted;
    for (int i = 0; i < 3; ++i) shifted[i] = POINT{p[i].x + 1, p[i].y + 1};
    DrawTriangle(Canvas, shifted, clBtnHighlight);
    DrawTriangle(Canvas, p, clBtnShadow);
  } else {
    DrawTriangle(Canvas, p, ButtonGlyphColor(State, clDefault));
  }
}

int TcxCustomLookAndFeelPainter::FrameBorderWidth() const { return 0; }
void TcxCustomLookAndFeelPainter::PaintControlBorder(TcxCanvas*, RECT) const {}
RECT TcxCustomLookAndFeelPainter::GroupButtonDisplayBounds(RECT R) const { return R; }
int TcxCustomLookAndFeelPainter::ButtonFrameWidth(TcxPaintButtonState) const { return 0; }
TColor TcxCustomLookAndFeelPainter::ButtonFaceColor(TcxPaintButtonState) const { return clBtnFace; }

RECT TcxCustomLookAndFeelPainter::ButtonFocusBounds(TcxCanvas*, RECT R) const {
  RECT r = R;
  InflateRect(&r, -4, -4);
  return IsRectEmpty(&r) ? R : r;
}

RECT TcxCustomLookAndFeelPainter::ButtonGroupBorderWidths(int, int) const {
  const int w = ButtonFrameWidth(pbsNormal);
  return RECT{w, w, w, w};
}

int TcxCustomLookAndFeelPainter::ButtonCaptionIndent() const { return 0; }
int TcxCustomLookAndFeelPainter::PressedTextOffset() const { return 0; }

TColor TcxCustomLookAndFeelPainter::ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const {
  if (State == pbsDisabled) return clBtnShadow;
  return DefaultColor == clDefault ? clBtnText : DefaultColor;
}

TcxPaintButtonState TcxCustomLookAndFeelPainter::ButtonCrossState(TcxPaintButtonState State) const { return State; }

void TcxCustomLookAndFeelPainter::PaintButton(TcxCanvas* Canvas, RECT R, const std::string& Caption,
                                              TcxPaintButtonState State, bool WithFrame, TColor FaceColor,
                                              TColor TextColor, bool WordWrap, bool) const {
  if (WithFrame) {
    PaintButtonFrame(Canvas, R, State);
    const int w = ButtonFrameWidth(State);
    InflateRect(&R, -w, -w);
  }
  Canvas->BrushObject()->SetStyle(bsSolid);
  Canvas->FillRectColor(R, FaceColor == clDefault ? ButtonFaceColor(State) : FaceColor);
  Canvas->FontObject()->SetColor(TextColor == clDefault ? ButtonGlyphColor(State, clDefault) : TextColor);
  Canvas->BrushObject()->SetStyle(bsClear);
  if ((R.bottom - R.top) % 2 != 0) --R.bottom;
  if (R.bottom - R.top < 18) --R.top;
  if (State == pbsPressed) OffsetRect(&R, PressedTextOffset(), PressedTextOffset());
  if (!Caption.empty())
    Canvas->DrawTextFlags(Caption, R,
                          cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (WordWrap ? cxWordBreak : cxSingleLine),
                          State != pbsDisabled);
  Canvas->BrushObject()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintPlainButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, int, int,
                                                   TColor) const {
  PaintButton(Canvas, R, "", State, true);
}

void TcxCustomLookAndFeelPainter::PaintButtonFrame(TcxCanvas*, RECT, TcxPaintButtonState) const {}
void TcxCustomLookAndFeelPainter::PaintGroupButtonFrame(TcxCanvas*, RECT, bool, bool) const {}
bool TcxCustomLookAndFeelPainter::ScrollButtonsHotTrack() const { return false; }

// ---------------------------------------------------------------- scroll bars and grip

int TcxCustomLookAndFeelPainter::MinThumbLength(bool) const { return 8; }
void TcxCustomLookAndFeelPainter::PaintScrollBarPart(TcxCanvas*, bool, RECT, TcxScrollBarPaintPart,
                                                     TcxPaintButtonState) const {}

void TcxCustomLookAndFeelPainter::DrawScrollPatternTrack(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  TBrush* brush = Canvas->BrushObject();
  brush->SetBitmap(ScrollPatternBitmap(State == pbsPressed ? 1 : 0));
  Canvas->GetCanvas()->FillRect(R);
  brush->SetBitmap(nullptr);
  brush->SetStyle(bsSolid);
}

SIZE TcxCustomLookAndFeelPainter::SizeGripExtent() const {
  return SIZE{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TcxCustomLookAndFeelPainter::PaintSizeGrip(TcxCanvas* Canvas, RECT R, TColor BackColor) const {
  Canvas->BrushObject()->SetStyle(bsSolid);
  Canvas->FillRectColor(R, BackColor == clDefault ? SizeGripAreaColor() : BackColor);
  DrawFrameControl(Canvas->DeviceContext(), &R, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}
