// The Office 2003 look: the ultra-flat drawing in the Office 2003 scheme colours,
// gradient headers and cells, the style's expand buttons and size grip. Its
// scroll bars are the themed ones when the scroll bar theme is there, else the
// standard ones.
#pragma once

#include "suite/common/cxFlatPainters.h"

class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
  SONVELT_CLASS(TcxOffice11LookAndFeelPainter, TcxUltraFlatLookAndFeelPainter)
public:
  static const TcxOffice11LookAndFeelPainter* Instance();

  void PaintCellContent(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State, TAlignment HAlign,
                        TcxAlignmentVert VAlign, bool MultiLine, bool EndEllipsis, const std::string& Text,
                        TFont* Font, TColor TextColor, TColor BackColor, TcxDrawBackgroundEvent CustomDraw = nullptr,
                        bool PlainFill = false) const override;
  void PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                             TcxPaintButtonState State) const override;
  TcxPainterStyle PainterStyle() const override;
  TColor StyleColor05() const override;
  TColor StyleColor06() const override;
  TColor StyleColor08() const override;
  TColor StyleColor09() const override;
  TColor StyleColor12() const override;
  TColor StyleColor13() const override;
  TColor StyleColor14() const override;
  TColor StyleColor16() const override;
  TColor HeaderBackColor() const override;
  TColor StyleColor27() const override;
  TColor StyleColor28() const override;
  TColor StyleColor29() const override;
  TColor StyleColor32() const override;
  TColor StyleColor33() const override;
  TColor StyleColor41() const override;
  TColor StyleColor43() const override;
  TColor StyleColor46() const override;
  TColor StyleColor48() const override;
  void PaintControlBorder(TcxCanvas* Canvas, RECT R) const override;
  TColor ButtonFaceColor(TcxPaintButtonState State) const override;
  TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor = clDefault) const override;
  void PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color = clDefault) const override;
  bool ExpandButtonBeforeContent() const override;
  void PaintSmallExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor BorderColor,
                              TColor Color = clDefault) const override;
  int ExpandButtonExtent() const override;
  int SmallExpandButtonExtent() const override;
  TColor CheckFaceColor(TcxPaintButtonState State) const override;
  void PaintHeader(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours, TcxBorders Borders,
                   TcxPaintButtonState State, TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                   bool ShowEndEllipsis, const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor,
                   TcxDrawBackgroundEvent CustomDraw = nullptr) const override;
  void PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours, TcxBorders Borders) const override;
  void PaintHeaderSection(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Borders, TcxPaintButtonState State,
                          TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                          const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor) const override;
  void PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const override;
  TcxBorders HeaderBordersFor(TcxBorders Neighbours) const override;
  int HeaderBorderWidth() const override;
  bool HeaderHotTrack() const override;
  TColor FooterSeparatorLineColor() const override;
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  void PaintSizeGrip(TcxCanvas* Canvas, RECT R, TColor BackColor = clDefault) const override;
  void PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text, int Positions,
                        const TcxViewParams& ViewParams, int ArrowOffset) const override;
  void PaintSecondaryBorder(TcxCanvas* Canvas, RECT R) const override;
  void PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintPanelBackground(TcxCanvas* Canvas, TControl* Control, RECT R, TColor ColorFrom = clDefault,
                            TColor ColorTo = clDefault) const override;
  TColor StateFrameColor(TcxPaintButtonState State) const override;
  TColor FrameLightColor() const override;
  TColor FrameDarkColor() const override;
  TColor HotFrameColor() const override;

  virtual TColor HeaderShadeColor() const;
  virtual TColor HeaderDarkColor() const;
  virtual TColor HeaderMidColor() const;
  virtual TColor HeaderLightColor() const;
};

// Colours of the Office 2003 radio glyphs.
TColor Office11RadioFaceColor(TcxPaintButtonState State);
TColor Office11RadioDisabledColor();
TColor Office11RadioHotFrameColor();
