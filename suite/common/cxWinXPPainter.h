// The themed look: every element drawn with the platform's visual styles, each
// operation falling back to the standard look when its theme class is missing
// (visual styles off, no library, or a class the theme lacks).
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include "suite/common/cxStandardPainter.h"

class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
  SONVELT_CLASS(TcxWinXPLookAndFeelPainter, TcxStandardLookAndFeelPainter)
public:
  static const TcxWinXPLookAndFeelPainter* Instance();

  TcxPainterStyle PainterStyle() const override;
  TColor StyleColor32() const override;
  TColor StyleColor35() const override;
  void PaintArrowButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, TcxPaintArrowDirection Direction,
                        bool WithFrame) const override;
  void PaintArrowButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  int FrameBorderWidth() const override;
  void PaintControlBorder(TcxCanvas* Canvas, RECT R) const override;
  RECT GroupButtonDisplayBounds(RECT R) const override;
  int ButtonFrameWidth(TcxPaintButtonState State = pbsNormal) const override;
  TColor ButtonFaceColor(TcxPaintButtonState State) const override;
  RECT ButtonFocusBounds(TcxCanvas* Canvas, RECT R) const override;
  RECT ButtonGroupBorderWidths(int Count, int Index) const override;
  int ButtonCaptionIndent() const override;
  int PressedTextOffset() const override;
  TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor = clDefault) const override;
  void PaintButton(TcxCanvas* Canvas, RECT R, const std::string& Caption, TcxPaintButtonState State,
                   bool WithFrame = true, TColor FaceColor = clDefault, TColor TextColor = clDefault,
                   bool WordWrap = false, bool ToolLook = false) const override;
  void PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color = clDefault) const override;
  bool ExpandButtonBeforeContent() const override;
  void PaintGroupExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TcxPaintButtonState State) const override;
  void PaintSmallExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor BorderColor,
                              TColor Color = clDefault) const override;
  int ExpandButtonExtent() const override;
  int GroupExpandButtonExtent() const override;
  bool ScrollButtonsHotTrack() const override;
  bool IsPointOnGroupExpandButton(RECT R, POINT P) const override;
  int SmallExpandButtonExtent() const override;
  int CheckBorderWidth() const override;
  SIZE CheckBoxExtent() const override;
  void PaintCheckMark(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Checked,
                      TColor Color) const override;
  void PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State, bool Checked, bool Focused,
                        TColor BrushColor = clDefault, bool Designing = false) const override;
  SIZE RadioButtonExtent() const override;
  void PaintHeader(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours, TcxBorders Borders,
                   TcxPaintButtonState State, TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                   bool ShowEndEllipsis, const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor,
                   TcxDrawBackgroundEvent CustomDraw = nullptr) const override;
  void PaintHeaderPressed(TcxCanvas* Canvas, RECT R) const override;
  void PaintHeaderSection(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Borders, TcxPaintButtonState State,
                          TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                          const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor) const override;
  void PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const override;
  SIZE SortMarkExtent() const override;
  int HeaderBorderWidth() const override;
  int HeaderSectionBorderWidth(TcxPaintButtonState State) const override;
  RECT HeaderSectionContentBounds(RECT R, TcxPaintButtonState State) const override;
  bool HeaderHotTrack() const override;
  void PaintFooterBorder(TcxCanvas* Canvas, RECT R) const override;
  int FooterBorderWidth() const override;
  void PaintFooterCell(TcxCanvas* Canvas, RECT R, TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                       const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor,
                       TcxDrawBackgroundEvent CustomDraw = nullptr) const override;
  int FooterCellBorderWidth() const override;
  int FooterCellInset() const override;
  bool FooterCellsBeforeBorder() const override;
  void PaintFilterCloseButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Active) const override;
  SIZE FilterActivateButtonExtent() const override;
  SIZE FilterCloseButtonExtent() const override;
  void PaintTab(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State, TcxBorders Borders,
                const std::string& Text, TFont* Font, TColor TextColor, bool Vertical) const override;
  void PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders Borders, bool Vertical) const override;
  void PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool Vertical) const override;
  bool TabPaintingAvailable() const override;
  bool TabHotTrack() const override;
  int TabBorderWidth() const override;
  void PaintIndicatorItem(TcxCanvas* Canvas, RECT R, int Kind, TColor Color) const override;
  int MinThumbLength(bool Vertical) const override;
  void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R, TcxScrollBarPaintPart Part,
                          TcxPaintButtonState State) const override;
  void PaintSizeGrip(TcxCanvas* Canvas, RECT R, TColor BackColor = clDefault) const override;
  void PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text, int Positions,
                        const TcxViewParams& ViewParams, int ArrowOffset) const override;
  void PaintProgressTrack(TcxCanvas* Canvas, RECT Bounds, RECT ProgressR, const TcxViewParams& ViewParams,
                          bool FrameOnly) const override;
  RECT ProgressOffsets() const override;
  void PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const override;
  void PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                             TcxPaintButtonState State) const override;
  void PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                           bool Horizontal) const override;
  void PaintPanelBackground(TcxCanvas* Canvas, TControl* Control, RECT R, TColor ColorFrom = clDefault,
                            TColor ColorTo = clDefault) const override;

  // Text through the theme: font and colour set, multi-line text aligned
  // vertically, drawn without clipping.
  virtual void PaintThemeText(TcxCanvas* Canvas, HTHEME Theme, TColor TextColor, TFont* Font,
                              const std::string& Text, bool ShowPrefix, TAlignment HAlign, TcxAlignmentVert VAlign,
                              bool MultiLine, bool EndEllipsis, RECT R, int PartId, int StateId) const;
};
