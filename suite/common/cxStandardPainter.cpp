#include "suite/common/cxStandardPainter.h"

#include "framework/OwnedObject.h"
#include "suite/common/cxFlatPainters.h"

namespace {

RECT Deflated(RECT R, int D) {
  InflateRect(&R, -D, -D);
  return R;
}

}  // namespace

const TcxStandardLookAndFeelPainter* TcxStandardLookAndFeelPainter::Instance() {
  static const TOwned<TcxStandardLookAndFeelPainter> instance(TcxStandardLookAndFeelPainter::Create());
  return instance.get();
}

TcxPainterStyle TcxStandardLookAndFeelPainter::PainterStyle() const { return cpsStandard; }
int TcxStandardLookAndFeelPainter::FrameBorderWidth() const { return 2; }

void TcxStandardLookAndFeelPainter::PaintControlBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->DrawEdgeSides(R, clBtnShadow, clBtnHighlight);
  Canvas->DrawEdgeSides(Deflated(R, 1), cl3DDkShadow, cl3DLight);
}

int TcxStandardLookAndFeelPainter::ButtonFrameWidth(TcxPaintButtonState State) const {
  return State == pbsDefault ? 3 : 2;
}

int TcxStandardLookAndFeelPainter::ButtonCaptionIndent() const { return 1; }
int TcxStandardLookAndFeelPainter::PressedTextOffset() const { return 1; }

void TcxStandardLookAndFeelPainter::PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  if (State == pbsPressed) {
    Canvas->FillBorders(R, clBlack, 1, cxBordersAll);
    Canvas->FillBorders(Deflated(R, 1), clBtnShadow, 1, cxBordersAll);
    return;
  }
  if (State == pbsDefault) {
    Canvas->FillBorders(R, clBlack, 1, cxBordersAll);
    R = Deflated(R, 1);
  }
  Canvas->DrawEdgeSides(R, clBtnHighlight, cl3DDkShadow);
  Canvas->DrawEdgeSides(Deflated(R, 1), cl3DLight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::PaintGroupExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded,
                                                           TcxPaintButtonState State) const {
  TcxFlatLookAndFeelPainter::Instance()->PaintGroupExpandButton(Canvas, R, Expanded, State);
}

int TcxStandardLookAndFeelPainter::ExpandButtonExtent() const { return 12; }

void TcxStandardLookAndFeelPainter::PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color) const {
  Canvas->DrawEdge3D(R, false, false, {bLeft, bTop});
  Canvas->DrawEdge3D(R, false, true, {bRight, bBottom});
  RECT r = Deflated(R, 1);
  Canvas->DrawEdge3D(r, false, false, {bRight, bBottom});
  --r.right;
  --r.bottom;
  Canvas->FillRectColor(r, Color == clDefault ? clBtnFace : Color);
  DrawExpandCross(Canvas, r, Expanded, clBtnText);
  Canvas->ExcludeRectFromClip(R);
}

bool TcxStandardLookAndFeelPainter::ScrollButtonsHotTrack() const { return false; }

void TcxStandardLookAndFeelPainter::PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState) const {
  Canvas->DrawEdge3D(R, true, false);
  Canvas->DrawEdge3D(Deflated(R, 1), true, true);
}

void TcxStandardLookAndFeelPainter::PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours,
                                                      TcxBorders) const {
  Canvas->DrawEdge3D(R, false, false);
  if (Neighbours.Contains(bLeft)) {
    Canvas->SetPixelColor(R.left, R.top + 1, clBtnFace);
    Canvas->SetPixelColor(R.left, R.bottom - 2, clBtnFace);
  }
  if (Neighbours.Contains(bRight)) {
    Canvas->SetPixelColor(R.right - 1, R.top, clBtnHighlight);
    Canvas->SetPixelColor(R.right - 1, R.top + 1, clBtnFace);
    Canvas->SetPixelColor(R.right - 1, R.bottom - 2, clBtnFace);
  }
}

void TcxStandardLookAndFeelPainter::PaintHeaderSectionBorder(TcxCanvas* Canvas, RECT R, TcxBorders Borders,
                                                             TcxPaintButtonState State) const {
  if (State == pbsPressed) {
    Canvas->DrawEdgeSides(R, clBtnShadow, clBtnShadow, Borders);
    return;
  }
  Canvas->DrawEdgeSides(R, clBtnHighlight, cl3DDkShadow, Borders);
  Canvas->DrawEdgeSides(Deflated(R, 1), cl3DLight, clBtnShadow, Borders);
}

void TcxStandardLookAndFeelPainter::PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const {
  DrawSortingArrow(Canvas, R, Ascending, clBtnHighlight, clBtnShadow);
}

int TcxStandardLookAndFeelPainter::HeaderBorderWidth() const { return 1; }

int TcxStandardLookAndFeelPainter::HeaderSectionBorderWidth(TcxPaintButtonState State) const {
  return State == pbsPressed ? 1 : 2;
}

SIZE TcxStandardLookAndFeelPainter::SortMarkExtent() const { return SIZE{8, 7}; }
int TcxStandardLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxStandardLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxStandardLookAndFeelPainter::FooterCellInset() const { return 1; }

void TcxStandardLookAndFeelPainter::PaintFooterBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->DrawEdge3D(R, false, false);
}

void TcxStandardLookAndFeelPainter::PaintFooterCellBorder(TcxCanvas* Canvas, RECT R) const {
  Canvas->DrawEdge3D(R, true, true);
}

void TcxStandardLookAndFeelPainter::PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                              bool Active) const {
  Canvas->DrawEdge3D(R, State == pbsPressed, State == pbsPressed);
  R = Deflated(R, 1);
  Canvas->FillRectColor(R, clBtnFace);
  PaintDropDownGlyph(Canvas, R, Active ? clBlue : clBtnText);
}

void TcxStandardLookAndFeelPainter::PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders Borders,
                                                   bool Vertical) const {
  TColor color = clBtnHighlight;
  if (!Vertical) {
    if (Side == bLeft || Side == bRight) {
      if (Borders.Contains(bTop)) R.top += 2;
      if (Borders.Contains(bBottom)) R.bottom -= 1;
      if (Side == bRight) color = clBtnShadow;
    } else if (Side == bTop) {
      Canvas->SetPixelColor(R.left, R.top + 1, clBtnHighlight);
      Canvas->SetPixelColor(R.right - 1, R.top + 1, clBtnHighlight);
      ++R.left;
      --R.right;
    }
  } else {
    if (Side == bLeft) {
      R.top += Borders.Contains(bTop) ? 2 : 1;
      R.bottom -= Borders.Contains(bBottom) ? 2 : 1;
      Canvas->SetPixelColor(R.left + 1, R.top - 1, clBtnHighlight);
      Canvas->SetPixelColor(R.left + 1, R.bottom, clBtnHighlight);
    } else if (Side == bTop || Side == bBottom) {
      if (Borders.Contains(bLeft)) ++R.left;
      if (Side == bBottom) color = clBtnShadow;
    }
  }
  Canvas->FillRectColor(R, color);
}

void TcxStandardLookAndFeelPainter::PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool) const {
  Canvas->DrawEdge3D(R, false, false, Borders);
}

int TcxStandardLookAndFeelPainter::TabBorderWidth() const { return 1; }

void TcxStandardLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R,
                                                       TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  if (IsRectEmpty(&R) || (Part == sppThumb && State == pbsDisabled)) return;
  if (State == pbsHot) State = pbsNormal;
  auto edges = [&](bool Pressed) {
    if (Pressed) {
      Canvas->FillBorders(R, clBtnShadow, 1, cxBordersAll);
      Canvas->FillBorders(Deflated(R, 1), clBtnFace, 1, cxBordersAll);
    } else {
      Canvas->DrawEdgeSides(R, clBtnFace, cl3DDkShadow);
      Canvas->DrawEdgeSides(Deflated(R, 1), clBtnHighlight, clBtnShadow);
    }
  };
  switch (Part) {
    case sppLineUp:
    case sppLineDown: {
      static const UINT kinds[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
      const bool pressed = State == pbsPressed;
      UINT flags = kinds[ArrowDirectionFor(Horizontal, Part)];
      if (State == pbsDisabled) flags |= DFCS_INACTIVE;
      if (pressed) flags |= DFCS_FLAT;
      RECT r = R;
      if (pressed) OffsetRect(&r, 1, 1);
      DrawFrameControl(Canvas->DeviceContext(), &r, DFC_SCROLL, flags);
      edges(pressed);
      break;
    }
    case sppThumb:
      edges(false);
      Canvas->FillRectColor(Deflated(R, ButtonFrameWidth(pbsNormal)), clBtnFace);
      break;
    case sppPageUp:
    case sppPageDown: DrawScrollPatternTrack(Canvas, R, State); break;
    default: break;
  }
}

void TcxStandardLookAndFeelPainter::PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text,
                                                     int Positions, const TcxViewParams& ViewParams,
                                                     int ArrowOffset) const {
  TcxBorders sides{bTop, bBottom};
  if (!(Positions & 1)) sides += bLeft;
  if (!(Positions & 2)) sides += bRight;
  Canvas->FillBorders(R, clBlack, 1, sides);
  RECT inner = R;
  if (sides.Contains(bLeft)) ++inner.left;
  if (sides.Contains(bRight)) --inner.right;
  ++inner.top;
  --inner.bottom;
  TcxCustomLookAndFeelPainter::PaintMonthHeader(Canvas, inner, Text, Positions, ViewParams, ArrowOffset);
}

TColor TcxStandardLookAndFeelPainter::StyleColor35() const { return clWindow; }

void TcxStandardLookAndFeelPainter::PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                                                        bool Horizontal) const {
  const TcxBorders sides = Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight};
  Canvas->DrawEdgeSides(R, clBtnFace, cl3DDkShadow, sides);
  if (Horizontal) InflateRect(&R, 1, -1);
  else InflateRect(&R, -1, 1);
  Canvas->DrawEdgeSides(R, clBtnHighlight, clBtnShadow, sides);
  if (Horizontal) InflateRect(&R, 1, -1);
  else InflateRect(&R, -1, 1);
  Canvas->FillWithViewParams(R, ViewParams);
}
