// The classic raised-and-sunken 3-D look in the system colours.
#pragma once

#include "suite/common/cxLookAndFeelPainters.h"

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  SONVELT_CLASS(TcxStandardLookAndFeelPainter, TcxCustomLookAndFeelPainter)
public:
  static const TcxStandardLookAndFeelPainter* Instance();

  TcxPainterStyle PainterStyle() const override;
  int FrameBorderWidth() const override;
  void PaintControlBorder(TcxCanvas* Canvas, RECT R) const override;
  int ButtonFrameWidth(TcxPaintButtonState State = pbsNormal) const override;
  int ButtonCaptionIndent() const override;
  int PressedTextOffset() const override;
  void PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintGroupExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TcxPaintButtonState State) const override;
  int ExpandButtonExtent() const override;
  void PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color = clDefault) const override;
  bool ScrollButtonsHotTrack() const override;
  void PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours, TcxBorders Borders) const override;
  void PaintHeaderSectionBorder(TcxCanvas* Canvas, RECT R, TcxBorders Borders,
                                TcxPaintButtonState State) const override;
  void PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const override;
  int HeaderBorderWidth() const override;
  int HeaderSectionBorderWidth(TcxPaintButtonState State) const override;
  SIZE SortMarkExtent() const override;
  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellInset() const override;
  void PaintFooterBorder(TcxCanvas* Canvas, RECT R) const override;
  void PaintFooterCellBorder(TcxCanvas* Canvas, RECT R) const override;
  void PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Active) const override;
  void PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders Borders, bool Vertical) const override;
  void PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool Vertical) const override;
  int TabBorderWidth() const override;
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  void PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text, int Positions,
                        const TcxViewParams& ViewParams, int ArrowOffset) const override;
  TColor StyleColor35() const override;
  void PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                           bool Horizontal) const override;
};
