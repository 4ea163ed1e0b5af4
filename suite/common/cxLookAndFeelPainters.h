// The look-and-feel painters: one immutable singleton per visual look that draws
// the suite's standard elements (buttons, arrows, scroll bar parts, borders,
// check and radio marks, headers, footers, tabs, indicators, size grips...) on a
// TcxCanvas and answers the metrics and default colours of the look. A control
// holds the painter its look-and-feel chose and calls it on every paint.
//
// Every operation is virtual and const; a concrete painter overrides exactly the
// operations that differ in its look and inherits the rest. Rectangles are passed
// by value. clDefault as a colour argument lets the painter choose; a painter
// answering clDefault leaves the choice to the caller.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Colors.h"
#include "framework/Delegate.h"
#include "framework/Label.h"
#include "framework/Object.h"
#include "suite/common/cxCanvas.h"

class TBitmap;
class TControl;
class TCustomImageList;
class TFont;

enum TcxPaintButtonState { pbsDefault, pbsNormal, pbsHot, pbsPressed, pbsDisabled };
enum TcxPaintArrowDirection { padUp, padDown, padLeft, padRight };
enum TcxScrollBarPaintPart { sppNone, sppLineUp, sppLineDown, sppThumb, sppPageUp, sppPageDown };
enum TcxPainterStyle { cpsFlat, cpsStandard, cpsUltraFlat, cpsNative, cpsOffice11 };
enum TcxLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TcxCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
enum TcxAlignmentVert { vaTop, vaBottom, vaCenter };

// A handler that may paint a cell's background itself (answers true when it did).
using TcxDrawBackgroundEvent = TDelegate<bool(TcxCanvas* Canvas, const RECT& R)>;

// Size and borders of a navigation button's arrow area.
struct TcxNavigationButtonMetrics {
  SIZE Size{0, 0};
  RECT Borders{0, 0, 0, 0};
};

using TcxArrowPoints = POINT[3];

// The three corners of an arrow triangle in R; ArrowSize 0 sizes it from R.
void ArrowPoints(RECT R, TcxArrowPoints& Points, TcxPaintArrowDirection Direction, bool Proportional,
                 int ArrowSize = 0);
// The arrow of a scroll bar's line part (anything but sppLineUp is the second arrow).
TcxPaintArrowDirection ArrowDirectionFor(bool Horizontal, TcxScrollBarPaintPart Part);
TcxLookAndFeelKind PainterStyleToKind(TcxPainterStyle Style);

class TcxCustomLookAndFeelPainter : public TObject {
  SONVELT_CLASS(TcxCustomLookAndFeelPainter, TObject)
public:
  static const TcxCustomLookAndFeelPainter* Instance();

  // ---- backgrounds and cells
  virtual void FillBackground(TcxCanvas* Canvas, RECT R, bool Transparent, TColor Color, TBitmap* Bitmap) const;
  virtual void PaintDropDownGlyph(TcxCanvas* Canvas, RECT R, TColor Color) const;
  virtual void PaintCellContent(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State, TAlignment HAlign,
                                TcxAlignmentVert VAlign, bool MultiLine, bool EndEllipsis, const std::string& Text,
                                TFont* Font, TColor TextColor, TColor BackColor,
                                TcxDrawBackgroundEvent CustomDraw = nullptr, bool Flag = false) const;
  virtual void PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                                     TcxPaintButtonState State) const;
  virtual RECT FooterCellContentBounds(RECT R) const;
  virtual RECT FooterCellTextBounds(RECT R) const;
  virtual TcxPainterStyle PainterStyle() const;

  // ---- colours
  virtual TColor StyleColor01() const;
  virtual TColor StyleColor02() const;
  virtual TColor StyleColor03() const;
  virtual TColor StyleColor04() const;
  virtual TColor EditorBackColorFor(bool Flag) const;
  virtual TColor EditorBackColor(bool Disabled) const;
  virtual TColor EditorTextColorFor(bool Flag) const;
  virtual TColor EditorTextColor(bool Disabled) const;
  virtual TColor StyleColor05() const;
  virtual TColor StyleColor06() const;
  virtual TColor StyleColor07() const;
  virtual TColor StyleColor08() const;
  virtual TColor StyleColor09() const;
  virtual TColor StyleColor10() const;
  virtual TColor StyleColor11() const;
  virtual TColor StyleColor12() const;
  virtual TColor StyleColor13() const;
  virtual TColor StyleColor14() const;
  virtual TColor StyleColor15() const;
  virtual TColor StyleColor16() const;
  virtual TColor StyleColor17() const;
  virtual TColor HeaderBackColor() const;
  virtual TColor HeaderFontColor() const;
  virtual TColor StyleColor18() const;
  virtual TColor StyleColor19() const;
  virtual TColor StyleColor20() const;
  virtual TColor StyleColor21() const;
  virtual TColor StyleColor22() const;
  virtual TColor SizeGripAreaColor() const;
  virtual TColor StyleColor23() const;
  virtual TColor StyleColor24() const;
  virtual TColor StyleColor25() const;
  virtual TColor StyleColor26() const;
  virtual TColor StyleColor27() const;
  virtual TColor StyleColor28() const;
  virtual TColor StyleColor29() const;
  virtual TColor StyleColor30() const;
  virtual TColor StyleColor31() const;
  virtual TColor StyleColor32() const;
  virtual TColor StyleColor33() const;
  virtual TColor StyleColor34() const;
  virtual TColor StyleColor35() const;
  virtual TColor StyleColor36() const;
  virtual TColor StyleColor37() const;
  virtual TColor StyleColor38() const;
  virtual TColor StyleColor39() const;
  virtual TColor StyleColor40() const;
  virtual TColor StyleColor41() const;
  virtual TColor StyleColor42() const;
  virtual TColor StyleColor43() const;
  virtual TColor StyleColor44() const;
  virtual TColor StyleColor45() const;
  virtual TColor StyleColor46() const;
  virtual TColor StyleColor47() const;
  virtual TColor StyleColor48() const;
  virtual TColor StyleColor49() const;
  virtual TColor StyleColor50() const;
  virtual TColor StyleColor51() const;
  virtual TColor StyleColor52() const;
  virtual TColor StyleColor53() const;
  virtual TColor StyleColor54() const;
  virtual TColor StyleColor55() const;
  virtual TColor StyleColor56() const;
  virtual TColor StyleColor57() const;
  virtual TColor StyleColor58() const;

  // ---- arrows, borders and buttons
  virtual void PaintArrow(TcxCanvas* Canvas, RECT R, TColor Color, TcxPaintArrowDirection Direction) const;
  virtual void PaintArrowButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                TcxPaintArrowDirection Direction, bool WithFrame) const;
  virtual void PaintArrowButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual void PaintStateArrow(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                               TcxPaintArrowDirection Direction) const;
  virtual int FrameBorderWidth() const;
  virtual void PaintControlBorder(TcxCanvas* Canvas, RECT R) const;
  virtual RECT GroupButtonDisplayBounds(RECT R) const;
  virtual int ButtonFrameWidth(TcxPaintButtonState State = pbsNormal) const;
  virtual TColor ButtonFaceColor(TcxPaintButtonState State) const;
  virtual RECT ButtonFocusBounds(TcxCanvas* Canvas, RECT R) const;
  // Border widths of button Index of Count joined buttons (left, top, right, bottom).
  virtual RECT ButtonGroupBorderWidths(int Count, int Index) const;
  virtual int ButtonCaptionIndent() const;
  virtual int PressedTextOffset() const;
  virtual TColor ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor = clDefault) const;
  virtual TcxPaintButtonState ButtonCrossState(TcxPaintButtonState State) const;
  virtual void PaintButton(TcxCanvas* Canvas, RECT R, const std::string& Caption, TcxPaintButtonState State,
                           bool WithFrame = true, TColor FaceColor = clDefault, TColor TextColor = clDefault,
                           bool WordWrap = false, bool ToolLook = false) const;
  virtual void PaintPlainButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, int Count, int Index,
                                TColor FrameColor) const;
  virtual void PaintButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual void PaintGroupButtonFrame(TcxCanvas* Canvas, RECT R, bool Marked, bool Hot) const;
  virtual void PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color = clDefault) const;
  virtual bool ExpandButtonBeforeContent() const;
  virtual void PaintGroupExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TcxPaintButtonState State) const;
  virtual void PaintSmallExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor BorderColor,
                                      TColor Color = clDefault) const;
  virtual int ExpandButtonExtent() const;
  virtual int GroupExpandButtonExtent() const;
  virtual bool ScrollButtonsHotTrack() const;
  virtual bool IsPointOnGroupExpandButton(RECT R, POINT P) const;
  virtual int SmallExpandButtonExtent() const;

  // ---- check and radio marks
  virtual int CheckBorderWidth() const;
  virtual TColor CheckFaceColor(TcxPaintButtonState State) const;
  virtual SIZE CheckBoxExtent() const;
  virtual void PaintCheckMark(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Checked,
                              TColor Color) const;
  virtual void PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual void PaintCheckButtonFor(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Checked) const;
  virtual void PaintCheckButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                TcxCheckBoxState CheckState) const;
  virtual void PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State, bool Checked,
                                bool Focused, TColor BrushColor = clDefault, bool Designing = false) const;
  virtual SIZE RadioButtonExtent() const;
  virtual void PaintLabelLine(TcxCanvas* Canvas, RECT R, TColor DarkColor, TColor LightColor, bool Vertical) const;
  virtual int LabelLineWidth() const;

  // ---- headers
  virtual void PaintHeader(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours, TcxBorders Borders,
                           TcxPaintButtonState State, TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                           bool ShowEndEllipsis, const std::string& Text, TFont* Font, TColor TextColor,
                           TColor BkColor, TcxDrawBackgroundEvent CustomDraw = nullptr) const;
  virtual void PaintHeaderWithTextBounds(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours,
                                         TcxBorders Borders, TcxPaintButtonState State, TAlignment HAlign,
                                         TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                         const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor,
                                         TcxDrawBackgroundEvent CustomDraw = nullptr) const;
  virtual void PaintHeaderBorder(TcxCanvas* Canvas, RECT R, TcxBorders Neighbours, TcxBorders Borders) const;
  virtual void PaintHeaderPressed(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintHeaderSection(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Borders,
                                  TcxPaintButtonState State, TAlignment HAlign, TcxAlignmentVert VAlign,
                                  bool MultiLine, bool ShowEndEllipsis, const std::string& Text, TFont* Font,
                                  TColor TextColor, TColor BkColor) const;
  virtual void PaintHeaderSectionBorder(TcxCanvas* Canvas, RECT R, TcxBorders Borders,
                                        TcxPaintButtonState State) const;
  virtual void PaintHeaderSectionContent(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State,
                                         TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                                         bool ShowEndEllipsis, const std::string& Text, TFont* Font,
                                         TColor TextColor, TColor BkColor) const;
  virtual void PaintHeaderSectionText(TcxCanvas* Canvas, RECT TextR, TcxPaintButtonState State, TAlignment HAlign,
                                      TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                      const std::string& Text, TFont* Font, TColor TextColor) const;
  virtual void PaintHeaderSeparator(TcxCanvas* Canvas, RECT R, int Indent, TColor Color,
                                    const TcxViewParams& ViewParams) const;
  virtual void PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const;
  virtual TcxBorders HeaderBordersFor(TcxBorders Neighbours) const;
  virtual int HeaderBorderWidth() const;
  virtual RECT HeaderContentBounds(RECT R, TcxBorders Neighbours, TcxBorders Borders) const;
  virtual RECT HeaderTextAreaBounds(RECT R, TcxBorders Borders) const;
  virtual bool HeaderDrawsTextFirst() const;
  virtual int HeaderHeightFor(int FontHeight) const;
  virtual int HeaderSectionBorderWidth(TcxPaintButtonState State) const;
  virtual RECT HeaderSectionTextBounds(RECT R, TcxPaintButtonState State) const;
  virtual RECT HeaderSectionContentBounds(RECT R, TcxPaintButtonState State) const;
  virtual int HeaderWidthFor(TcxCanvas* Canvas, TcxBorders Borders, const std::string& Text, TFont* Font) const;
  virtual bool HeaderHotTrack() const;
  virtual SIZE SortingMarkAreaSize() const;
  virtual SIZE SortMarkExtent() const;

  // ---- footers and filter
  virtual void FillFooterBackground(TcxCanvas* Canvas, RECT R, bool Transparent, TColor Color,
                                    TBitmap* Bitmap) const;
  virtual bool FooterDrawsTextFirst() const;
  virtual TColor FooterAreaBackColor() const;
  virtual TColor FooterAreaFontColor() const;
  virtual TcxBorders FooterBordersFor() const;
  virtual int FooterBorderWidth() const;
  virtual int FooterCellBorderWidth() const;
  virtual int FooterCellInset() const;
  virtual bool FooterCellsBeforeBorder() const;
  virtual TColor FooterSeparatorLineColor() const;
  virtual int FooterSeparatorWidth() const;
  virtual void PaintFooterCell(TcxCanvas* Canvas, RECT R, TAlignment HAlign, TcxAlignmentVert VAlign,
                               bool MultiLine, const std::string& Text, TFont* Font, TColor TextColor,
                               TColor BkColor, TcxDrawBackgroundEvent CustomDraw = nullptr) const;
  virtual void PaintFooterBorder(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintFooterCellBorder(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintFooterContent(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams) const;
  virtual void PaintFooterSeparator(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintFilterButtonFor(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Checked) const;
  virtual void PaintFilterCloseButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual void PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Active) const;
  virtual void PaintFilterPanel(TcxCanvas* Canvas, RECT R, bool Transparent, TColor Color, TBitmap* Bitmap) const;
  virtual SIZE FilterActivateButtonExtent() const;
  virtual SIZE FilterCloseButtonExtent() const;
  virtual SIZE FilterDropDownButtonExtent() const;

  // ---- windows, tabs and indicators
  virtual void PaintWindowContent(TcxCanvas* Canvas, RECT R) const;
  virtual bool PopupBorderFlat() const;
  virtual void PaintTab(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State, TcxBorders Borders,
                        const std::string& Text, TFont* Font, TColor TextColor, bool Vertical) const;
  virtual void PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders Borders, bool Vertical) const;
  virtual void PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool Vertical) const;
  virtual bool TabPaintingAvailable() const;
  virtual bool TabHotTrack() const;
  virtual int TabBorderWidth() const;
  virtual void PaintIndicatorCustomizeMark(TcxCanvas* Canvas, RECT R, TColor Color) const;
  // Kind 0 draws nothing; 1 to 6 the indicator images.
  virtual void PaintIndicatorImage(TcxCanvas* Canvas, RECT R, int Kind) const;
  virtual void PaintIndicatorItem(TcxCanvas* Canvas, RECT R, int Kind, TColor Color) const;
  virtual void PaintIndicatorItemEx(TcxCanvas* Canvas, RECT R, int Kind, TColor Color,
                                    TcxBorders Neighbours) const;
  virtual bool IndicatorItemsFirst() const;

  // ---- scroll bars and size grip
  virtual int MinThumbLength(bool Vertical) const;
  virtual void PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R, TcxScrollBarPaintPart Part,
                                  TcxPaintButtonState State) const;
  virtual SIZE SizeGripExtent() const;
  virtual void PaintSizeGrip(TcxCanvas* Canvas, RECT R, TColor BackColor = clDefault) const;

  // ---- navigation, calendars and progress
  virtual void NavigationButtonLayout(RECT R, bool Next, RECT& ArrowR, RECT& ContentR) const;
  // Positions: bit 0 a left arrow, bit 1 a right arrow (3 both).
  virtual void PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text, int Positions,
                                const TcxViewParams& ViewParams, int ArrowOffset) const;
  virtual void PaintSecondaryBorder(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintProgressTrack(TcxCanvas* Canvas, RECT Bounds, RECT ProgressR, const TcxViewParams& ViewParams,
                                  bool FrameOnly) const;
  virtual void PaintRotatedButton(TcxCanvas* Canvas, RECT R, bool Next, TcxPaintButtonState State, RECT TextR,
                                  const std::string& Text) const;
  virtual void PaintNavigationArrow(TcxCanvas* Canvas, RECT R, bool Next, TColor Color) const;
  virtual void PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual void PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                                   bool Horizontal) const;
  virtual RECT ProgressOffsets() const;
  virtual TcxNavigationButtonMetrics NavigationButtonMetrics(bool Next) const;
  virtual int SeparatorBorderWidth() const;
  // Time: days with the time of day as the fraction.
  virtual void PaintClock(TcxCanvas* Canvas, RECT R, double Time, TColor BackColor) const;
  virtual void PaintEditorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual int EditorButtonIndent() const;
  virtual SIZE EditorButtonSize() const;
  virtual TColor EditorButtonFontColor() const;
  virtual TColor ContainerBorderColor() const;
  virtual void PaintNavigatorGlyph(TcxCanvas* Canvas, TCustomImageList* Images, int ImageIndex, RECT R,
                                   bool Enabled) const;
  virtual SIZE NavigatorGlyphExtent() const;
  virtual void PaintProgressBorder(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintProgressChunk(TcxCanvas* Canvas, RECT R) const;
  virtual RECT ProgressBorderWidths() const;
  virtual TColor ProgressFontColor() const;

  // ---- group boxes, panels, track bars and splitters
  virtual void PaintGroupBoxBackground(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintGroupBoxCaption(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintGroupBoxContent(TcxCanvas* Canvas, RECT R) const;
  virtual RECT GroupBoxBorderWidths() const;
  virtual TColor GroupBoxFontColor() const;
  virtual bool GroupBoxTransparent() const;
  virtual void PaintPanelBackground(TcxCanvas* Canvas, TControl* Control, RECT R, TColor ColorFrom = clDefault,
                                    TColor ColorTo = clDefault) const;
  virtual void PaintPanelBorders(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintPanelCaption(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintPanelContent(TcxCanvas* Canvas, RECT R) const;
  virtual RECT PanelBorderWidths() const;
  virtual TColor PanelFontColor() const;
  virtual void PaintTrackBarTrack(TcxCanvas* Canvas, RECT R) const;
  virtual void PaintTrackBarThumb(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual SIZE TrackBarThumbExtent() const;
  virtual TColor TrackBarTickColor() const;
  virtual int TrackBarTrackExtent() const;
  virtual void PaintSplitter(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  virtual SIZE SplitterSize() const;

protected:
  // Shared pieces of the drawings of this painter and its descendants.
  void DrawExpandCross(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color) const;
  void DrawSortingArrow(TcxCanvas* Canvas, RECT R, bool Ascending, TColor FirstColor, TColor SecondColor) const;
  void DrawMonthArrows(TcxCanvas* Canvas, RECT R, int Positions, int ArrowOffset, TColor Color) const;
  void DrawScrollPatternTrack(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const;
  void DrawTriangle(TcxCanvas* Canvas, const TcxArrowPoints& Points, TColor Color) const;
  // A cell's text on a clear brush in Font and TextColor (nothing for no text).
  void DrawCellText(TcxCanvas* Canvas, RECT TextR, TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine,
                    bool EndEllipsis, const std::string& Text, TFont* Font, TColor TextColor) const;
};

using TcxLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;
