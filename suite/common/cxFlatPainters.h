// The flat look (single-pixel bevels) and the ultra-flat look (one-pixel frames,
// hot tracking, highlight-tinted hot and pressed buttons).
#pragma once

#include "suite/common/cxLookAndFeelPainters.h"

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  SONVELT_CLASS(TcxFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
public:
  static const TcxFlatLookAndFeelPainter* Instance();

  TcxPainterStyle PainterStyle() const override;
  int FrameBorderWidth() const override;
  void PaintControlBorder(TcxCanvas* Canvas, RECT R) const override;
  int ButtonFrameWidth(TcxPaintButtonState State = pbsNormal) const override;
  int PressedTextOffset() const override;
  int ButtonCaptionIndent() const override;
  void PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  bool ScrollButtonsHotTrack() const override;
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  int ExpandButtonExtent() const override;
  void PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color = clDefault) const override;
  void PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours, TcxBorders Borders) const override;
  void PaintHeaderSectionBorder(TcxCanvas* Canvas, RECT R, TcxBorders Borders,
                                TcxPaintButtonState State) const override;
  void PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const override;
  int HeaderBorderWidth() const override;
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
  void PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                           bool Horizontal) const override;
};

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  SONVELT_CLASS(TcxUltraFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
public:
  static const TcxUltraFlatLookAndFeelPainter* Instance();

  TcxPainterStyle PainterStyle() const override;
  int FrameBorderWidth() const override;
  void PaintControlBorder(TcxCanvas* Canvas, RECT R) const override;
  int ButtonFrameWidth(TcxPaintButtonState State = pbsNormal) const override;
  TColor ButtonFaceColor(TcxPaintButtonState State) const override;
  TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor = clDefault) const override;
  int PressedTextOffset() const override;
  int ButtonCaptionIndent() const override;
  void PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  bool ScrollButtonsHotTrack() const override;
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  int ExpandButtonExtent() const override;
  void PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color = clDefault) const override;
  void PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours, TcxBorders Borders) const override;
  void PaintHeaderSectionBorder(TcxCanvas* Canvas, RECT R, TcxBorders Borders,
                                TcxPaintButtonState State) const override;
  void PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const override;
  int HeaderBorderWidth() const override;
  SIZE SortMarkExtent() const override;
  TcxBorders HeaderBordersFor(TcxBorders Neighbours) const override;
  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellInset() const override;
  TcxBorders FooterBordersFor() const override;
  void PaintFooterBorder(TcxCanvas* Canvas, RECT R) const override;
  void PaintFooterCellBorder(TcxCanvas* Canvas, RECT R) const override;
  void PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Active) const override;
  SIZE FilterCloseButtonExtent() const override;
  void PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders Borders, bool Vertical) const override;
  void PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool Vertical) const override;
  int TabBorderWidth() const override;
  void PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                           bool Horizontal) const override;
  TColor StyleColor32() const override;
  RECT ButtonFocusBounds(TcxCanvas* Canvas, RECT R) const override;
  RECT ButtonGroupBorderWidths(int Count, int Index) const override;
  TcxPaintButtonState ButtonCrossState(TcxPaintButtonState State) const override;
  void PaintPlainButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, int Count, int Index,
                        TColor FrameColor) const override;
  void PaintGroupButtonFrame(TcxCanvas* Canvas, RECT R, bool Marked, bool Hot) const override;
  void PaintHeaderWithTextBounds(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours, TcxBorders Borders,
                                 TcxPaintButtonState State, TAlignment HAlign, TcxAlignmentVert VAlign,
                                 bool MultiLine, bool ShowEndEllipsis, const std::string& Text, TFont* Font,
                                 TColor TextColor, TColor BkColor,
                                 TcxDrawBackgroundEvent CustomDraw = nullptr) const override;
  void PaintHeaderSectionContent(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State, TAlignment HAlign,
                                 TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                 const std::string& Text, TFont* Font, TColor TextColor,
                                 TColor BkColor) const override;
  void PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                             TcxPaintButtonState State) const override;
  void PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;

  // The ultra-flat frame colours.
  virtual TColor StateFrameColor(TcxPaintButtonState State) const;
  virtual TColor FrameLightColor() const;
  virtual TColor FrameDarkColor() const;
  virtual TColor HotFrameColor() const;
};
