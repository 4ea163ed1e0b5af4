#include "suite/common/cxWinXPPainter.h"

#include <algorithm>

#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/cxFlatPainters.h"
#include "suite/common/cxGraphicsRoutines.h"

namespace {

// Theme part numbers of the visual-style classes used here.
constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;
constexpr int SBP_ARROWBTN = 1, SBP_THUMBBTNHORZ = 2, SBP_THUMBBTNVERT = 3, SBP_LOWERTRACKHORZ = 4,
              SBP_UPPERTRACKHORZ = 5, SBP_LOWERTRACKVERT = 6, SBP_UPPERTRACKVERT = 7, SBP_GRIPPERHORZ = 8,
              SBP_GRIPPERVERT = 9, SBP_SIZEBOX = 10;
constexpr int TVP_GLYPH = 2, EBP_NORMALGROUPEXPAND = 6, EBP_NORMALGROUPCOLLAPSE = 7, HP_HEADERITEM = 1;
constexpr int TKP_TRACK = 1, WP_SMALLCLOSEBUTTON = 19, CP_DROPDOWNBUTTON = 1, TABP_TABITEM = 1, TABP_PANE = 9;
constexpr int PP_BAR = 1, PP_CHUNK = 3, TP_BUTTON = 1, LVP_BORDER = 5, CP_BORDER = 1;
constexpr int TMT_BORDERCOLOR = 3801, TMT_FILLCOLOR = 3802, TMT_TEXTCOLOR = 3803;

int PushButtonState(TcxPaintButtonState S) {
  static const int states[] = {5, 1, 2, 3, 4};
  return states[S];
}

// Most parts: default and normal 1, hot 2, pressed 3, disabled 4.
int StateTable1(TcxPaintButtonState S) {
  static const int states[] = {1, 1, 2, 3, 4};
  return states[S];
}

HDC MeasureDC() { return SharedScreenCanvas()->DeviceContext(); }

// The margins of a part's content within a 100 x 100 rectangle.
bool ContentMargins(HTHEME Theme, int Part, int State, RECT& Margins) {
  const RECT box{0, 0, 100, 100};
  RECT content{};
  if (FAILED(UxGetThemeBackgroundContentRect(Theme, MeasureDC(), Part, State, box, content))) return false;
  Margins = RECT{content.left, content.top, 100 - content.right, 100 - content.bottom};
  return true;
}

bool ThemeColor(TdxThemedObjectKind Kind, int Part, int State, int Property, TColor& Color) {
  HTHEME theme = ThemeHandleFor(Kind);
  COLORREF c = 0;
  if (!theme || FAILED(UxGetThemeColor(theme, Part, State, Property, c))) return false;
  Color = static_cast<TColor>(c);
  return true;
}

SIZE PartSize(HTHEME Theme, int Part, int State, THEMESIZE Kind) {
  SIZE s{0, 0};
  if (FAILED(UxGetThemePartSizeNoRect(Theme, MeasureDC(), Part, State, Kind, s))) return SIZE{0, 0};
  return s;
}

UINT TextDTFlags(TAlignment HAlign, TcxAlignmentVert VAlign, bool MultiLine, bool EndEllipsis, bool ShowPrefix) {
  UINT f = DT_NOCLIP;
  f |= HAlign == taRightJustify ? DT_RIGHT : HAlign == taCenter ? DT_CENTER : DT_LEFT;
  if (MultiLine) {
    f |= DT_WORDBREAK;
  } else {
    f |= DT_SINGLELINE;
    f |= VAlign == vaBottom ? DT_BOTTOM : VAlign == vaCenter ? DT_VCENTER : DT_TOP;
  }
  if (EndEllipsis) f |= DT_END_ELLIPSIS;
  if (!ShowPrefix) f |= DT_NOPREFIX;
  return f;
}

// Draws a theme part turned a quarter: painted upright into a bitmap of the
// turned size, then rotated onto the canvas.
void DrawRotatedPart(TcxCanvas* Canvas, HTHEME Theme, int Part, int State, RECT R, bool Clockwise) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (w <= 0 || h <= 0) return;
  TOwned<TcxBitmap> b(TcxBitmap::Create(w, h, pf32bit));
  b->cxCanvas()->CopyRectFrom(RECT{0, 0, w, h}, Canvas, R);
  b->RotateFlip(Clockwise ? brCounterClockwise90 : brClockwise90);
  UxDrawThemeBackground(Theme, b->GetCanvas()->GetHandle(), Part, State, RECT{0, 0, b->GetWidth(), b->GetHeight()});
  b->RotateFlip(Clockwise ? brClockwise90 : brCounterClockwise90);
  Canvas->CopyRectFrom(R, b->cxCanvas(), RECT{0, 0, w, h});
}

}  // namespace

const TcxWinXPLookAndFeelPainter* TcxWinXPLookAndFeelPainter::Instance() {
  static const TOwned<TcxWinXPLookAndFeelPainter> instance(TcxWinXPLookAndFeelPainter::Create());
  return instance.get();
}

TcxPainterStyle TcxWinXPLookAndFeelPainter::PainterStyle() const { return cpsNative; }

TColor TcxWinXPLookAndFeelPainter::StyleColor32() const {
  TColor c;
  return ThemeColor(tokComboBox, CP_BORDER, 1, TMT_BORDERCOLOR, c) ? c : TcxStandardLookAndFeelPainter::StyleColor32();
}

TColor TcxWinXPLookAndFeelPainter::StyleColor35() const { return 0x00D5FFFF; }

void TcxWinXPLookAndFeelPainter::PaintArrowButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                  TcxPaintArrowDirection Direction, bool WithFrame) const {
  HTHEME theme = ThemeHandleFor(tokScrollBar);
  if (!theme) {
    TcxCustomLookAndFeelPainter::PaintArrowButton(Canvas, R, State, Direction, WithFrame);
    return;
  }
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), SBP_ARROWBTN, 4 * Direction + StateTable1(State), R);
}

void TcxWinXPLookAndFeelPainter::PaintArrowButtonFrame(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  HTHEME theme = ThemeHandleFor(tokButton);
  if (!theme) {
    TcxCustomLookAndFeelPainter::PaintArrowButtonFrame(Canvas, R, State);
    return;
  }
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), BP_PUSHBUTTON, PushButtonState(State), R);
}

int TcxWinXPLookAndFeelPainter::FrameBorderWidth() const { return ThemeHandleFor(tokListView) ? 1 : 2; }

void TcxWinXPLookAndFeelPainter::PaintControlBorder(TcxCanvas* Canvas, RECT R) const {
  HTHEME theme = ThemeHandleFor(tokListView);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintControlBorder(Canvas, R);
    return;
  }
  Canvas->PushDC();
  RECT inner = R;
  InflateRect(&inner, -1, -1);
  Canvas->ExcludeRectFromClip(inner);
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), LVP_BORDER, 0, R);
  Canvas->PopDC();
}

RECT TcxWinXPLookAndFeelPainter::GroupButtonDisplayBounds(RECT R) const {
  HTHEME theme = ThemeHandleFor(tokButton);
  if (theme && UxIsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, 1)) InflateRect(&R, 1, 1);
  return R;
}

int TcxWinXPLookAndFeelPainter::ButtonFrameWidth(TcxPaintButtonState State) const {
  HTHEME theme = ThemeHandleFor(tokButton);
  RECT m;
  if (theme && ContentMargins(theme, BP_PUSHBUTTON, PushButtonState(State), m)) return m.left;
  return TcxStandardLookAndFeelPainter::ButtonFrameWidth(pbsNormal);
}

// The fill colour of the push-button part; a theme that cannot answer leaves
// the standard face colour.
TColor TcxWinXPLookAndFeelPainter::ButtonFaceColor(TcxPaintButtonState State) const {
  TColor c;
  return ThemeColor(tokButton, BP_PUSHBUTTON, PushButtonState(State), TMT_FILLCOLOR, c)
             ? c
             : TcxStandardLookAndFeelPainter::ButtonFaceColor(State);
}

TColor TcxWinXPLookAndFeelPainter::ButtonGlyphColor(TcxPaintButtonState State, TColor DefaultColor) const {
  TColor c;
  return ThemeColor(tokButton, BP_PUSHBUTTON, PushButtonState(State), TMT_TEXTCOLOR, c)
             ? c
             : TcxStandardLookAndFeelPainter::ButtonGlyphColor(State, DefaultColor);
}

RECT TcxWinXPLookAndFeelPainter::ButtonFocusBounds(TcxCanvas* Canvas, RECT R) const {
  HTHEME theme = ThemeHandleFor(tokButton);
  RECT content;
  if (theme && SUCCEEDED(UxGetThemeBackgroundContentRect(theme, Canvas ? Canvas->DeviceContext() : MeasureDC(),
                                                         BP_PUSHBUTTON, 1, R, content)))
    return content;
  return TcxStandardLookAndFeelPainter::ButtonFocusBounds(Canvas, R);
}

RECT TcxWinXPLookAndFeelPainter::ButtonGroupBorderWidths(int Count, int Index) const {
  HTHEME theme = ThemeHandleFor(tokButton);
  RECT m;
  if (!theme || !ContentMargins(theme, BP_PUSHBUTTON, 1, m))
    return TcxStandardLookAndFeelPainter::Instance()->ButtonGroupBorderWidths(Count, Index);
  if (UxIsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, 1)) {
    --m.left, --m.top, --m.right, --m.bottom;
  }
  return m;
}

int TcxWinXPLookAndFeelPainter::ButtonCaptionIndent() const { return 2; }
int TcxWinXPLookAndFeelPainter::PressedTextOffset() const { return 0; }

void TcxWinXPLookAndFeelPainter::PaintButton(TcxCanvas* Canvas, RECT R, const std::string& Caption,
                                             TcxPaintButtonState State, bool WithFrame, TColor FaceColor,
                                             TColor TextColor, bool WordWrap, bool ToolLook) const {
  HTHEME theme = ThemeHandleFor(ToolLook ? tokToolBar : tokButton);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintButton(Canvas, R, Caption, State, WithFrame, FaceColor, TextColor, WordWrap,
                                               ToolLook);
    return;
  }
  HDC dc = Canvas->DeviceContext();
  UxDrawThemeBackground(theme, dc, BP_PUSHBUTTON, PushButtonState(State), R);
  if (!Caption.empty())
    UxDrawThemeTextAnsi(theme, dc, BP_PUSHBUTTON, PushButtonState(State), Caption, -1,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, R);
}

void TcxWinXPLookAndFeelPainter::PaintExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor Color) const {
  HTHEME theme = ThemeHandleFor(tokTreeView);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintExpandButton(Canvas, R, Expanded, Color);
    return;
  }
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), TVP_GLYPH, Expanded ? 2 : 1, R);
  Canvas->ExcludeRectFromClip(R);
}

bool TcxWinXPLookAndFeelPainter::ExpandButtonBeforeContent() const { return false; }

void TcxWinXPLookAndFeelPainter::PaintGroupExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded,
                                                        TcxPaintButtonState State) const {
  HTHEME theme = ThemeHandleFor(tokExplorerBar);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintGroupExpandButton(Canvas, R, Expanded, State);
    return;
  }
  const int state = State == pbsHot ? 2 : State == pbsPressed ? 3 : 1;
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), Expanded ? EBP_NORMALGROUPEXPAND : EBP_NORMALGROUPCOLLAPSE,
                        state, R);
}

void TcxWinXPLookAndFeelPainter::PaintSmallExpandButton(TcxCanvas* Canvas, RECT R, bool Expanded, TColor BorderColor,
                                                        TColor Color) const {
  if (ThemeHandleFor(tokTreeView)) {
    PaintExpandButton(Canvas, R, Expanded, clDefault);
    return;
  }
  // The frame takes Color; the inside is left as it is.
  TcxCustomLookAndFeelPainter::PaintSmallExpandButton(Canvas, R, Expanded, Color, clDefault);
}

int TcxWinXPLookAndFeelPainter::ExpandButtonExtent() const {
  HTHEME theme = ThemeHandleFor(tokTreeView);
  return theme ? PartSize(theme, TVP_GLYPH, 1, TS_DRAW).cx : 12;
}

int TcxWinXPLookAndFeelPainter::GroupExpandButtonExtent() const {
  HTHEME theme = ThemeHandleFor(tokExplorerBar);
  return theme ? PartSize(theme, EBP_NORMALGROUPCOLLAPSE, 1, TS_TRUE).cx : 15;
}

bool TcxWinXPLookAndFeelPainter::ScrollButtonsHotTrack() const { return true; }

bool TcxWinXPLookAndFeelPainter::IsPointOnGroupExpandButton(RECT R, POINT P) const {
  HTHEME theme = ThemeHandleFor(tokExplorerBar);
  HRGN region = nullptr;
  if (!theme || FAILED(UxGetThemeBackgroundRegion(theme, MeasureDC(), EBP_NORMALGROUPCOLLAPSE, 1, R, region)) ||
      !region)
    return PtInRect(&R, P) != FALSE;
  const bool inside = PtInRegion(region, P.x, P.y) != FALSE;
  DeleteObject(region);
  return inside;
}

int TcxWinXPLookAndFeelPainter::SmallExpandButtonExtent() const {
  return ThemeHandleFor(tokTreeView) ? ExpandButtonExtent() : 9;
}

int TcxWinXPLookAndFeelPainter::CheckBorderWidth() const { return ThemeHandleFor(tokButton) ? 0 : 2; }

SIZE TcxWinXPLookAndFeelPainter::CheckBoxExtent() const {
  HTHEME theme = ThemeHandleFor(tokButton);
  return theme ? PartSize(theme, BP_CHECKBOX, 1, TS_DRAW) : TcxStandardLookAndFeelPainter::CheckBoxExtent();
}

void TcxWinXPLookAndFeelPainter::PaintCheckMark(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State, bool Checked,
                                                TColor Color) const {
  HTHEME theme = ThemeHandleFor(tokButton);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintCheckMark(Canvas, R, State, Checked, Color);
    return;
  }
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), BP_CHECKBOX, 4 * (Checked ? 1 : 0) + StateTable1(State), R);
}

void TcxWinXPLookAndFeelPainter::PaintCheckBorder(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  if (!ThemeHandleFor(tokButton)) TcxStandardLookAndFeelPainter::PaintCheckBorder(Canvas, R, State);
}

void TcxWinXPLookAndFeelPainter::PaintRadioButton(TcxCanvas* Canvas, int X, int Y, TcxPaintButtonState State,
                                                  bool Checked, bool Focused, TColor BrushColor,
                                                  bool Designing) const {
  HTHEME theme = ThemeHandleFor(tokButton);
  if (!theme) {
    TcxStandardLookAndFeelPainter::Instance()->PaintRadioButton(Canvas, X, Y, State, Checked, Focused, BrushColor,
                                                                Designing);
    return;
  }
  const SIZE s = RadioButtonExtent();
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), BP_RADIOBUTTON, 4 * (Checked ? 1 : 0) + StateTable1(State),
                        RECT{X, Y, X + s.cx, Y + s.cy});
}

SIZE TcxWinXPLookAndFeelPainter::RadioButtonExtent() const {
  HTHEME theme = ThemeHandleFor(tokButton);
  return theme ? PartSize(theme, BP_RADIOBUTTON, 1, TS_DRAW) : TcxStandardLookAndFeelPainter::Instance()->RadioButtonExtent();
}

void TcxWinXPLookAndFeelPainter::PaintHeader(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Neighbours,
                                             TcxBorders Borders, TcxPaintButtonState State, TAlignment HAlign,
                                             TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                             const std::string& Text, TFont* Font, TColor TextColor, TColor BkColor,
                                             TcxDrawBackgroundEvent CustomDraw) const {
  HTHEME theme = ThemeHandleFor(tokHeader);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintHeader(Canvas, R, TextR, Neighbours, Borders, State, HAlign, VAlign, MultiLine,
                                               ShowEndEllipsis, Text, Font, TextColor, BkColor, CustomDraw);
    return;
  }
  const int state = State == pbsHot ? 2 : State == pbsPressed ? 3 : 1;
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), HP_HEADERITEM, state, R);
  if (State == pbsPressed) OffsetRect(&TextR, 1, 1);
  PaintThemeText(Canvas, theme, TextColor, Font, Text, false, HAlign, VAlign, MultiLine, ShowEndEllipsis, TextR,
                 HP_HEADERITEM, state);
}

void TcxWinXPLookAndFeelPainter::PaintHeaderPressed(TcxCanvas*, RECT) const {}

void TcxWinXPLookAndFeelPainter::PaintHeaderSection(TcxCanvas* Canvas, RECT R, RECT TextR, TcxBorders Borders,
                                                    TcxPaintButtonState State, TAlignment HAlign,
                                                    TcxAlignmentVert VAlign, bool MultiLine, bool ShowEndEllipsis,
                                                    const std::string& Text, TFont* Font, TColor TextColor,
                                                    TColor BkColor) const {
  Canvas->FillRectColor(R, clBtnFace);
  PaintHeader(Canvas, R, TextR, {}, Borders, State, HAlign, VAlign, MultiLine, ShowEndEllipsis, Text, Font, TextColor,
              BkColor);
}

void TcxWinXPLookAndFeelPainter::PaintSortingMark(TcxCanvas* Canvas, RECT R, bool Ascending) const {
  TcxUltraFlatLookAndFeelPainter::Instance()->PaintSortingMark(Canvas, R, Ascending);
}

SIZE TcxWinXPLookAndFeelPainter::SortMarkExtent() const {
  return TcxUltraFlatLookAndFeelPainter::Instance()->SortMarkExtent();
}

int TcxWinXPLookAndFeelPainter::HeaderBorderWidth() const {
  HTHEME theme = ThemeHandleFor(tokHeader);
  RECT m;
  if (!theme || !ContentMargins(theme, HP_HEADERITEM, 1, m)) return 1;
  return std::max<int>(1, (m.left + m.top) / 2);
}

int TcxWinXPLookAndFeelPainter::HeaderSectionBorderWidth(TcxPaintButtonState) const { return HeaderBorderWidth(); }

RECT TcxWinXPLookAndFeelPainter::HeaderSectionContentBounds(RECT R, TcxPaintButtonState State) const {
  if (!ThemeHandleFor(tokHeader)) return TcxStandardLookAndFeelPainter::HeaderSectionContentBounds(R, State);
  InflateRect(&R, -HeaderBorderWidth(), -HeaderBorderWidth());
  return R;
}

bool TcxWinXPLookAndFeelPainter::HeaderHotTrack() const { return true; }

void TcxWinXPLookAndFeelPainter::PaintFooterBorder(TcxCanvas* Canvas, RECT R) const {
  HTHEME theme = ThemeHandleFor(tokEdit);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintFooterBorder(Canvas, R);
    return;
  }
  UxDrawThemeEdge(theme, Canvas->DeviceContext(), 0, 0, R, EDGE_RAISED, BF_RECT, nullptr);
}

int TcxWinXPLookAndFeelPainter::FooterBorderWidth() const { return 1; }

void TcxWinXPLookAndFeelPainter::PaintFooterCell(TcxCanvas* Canvas, RECT R, TAlignment HAlign, TcxAlignmentVert VAlign,
                                                 bool MultiLine, const std::string& Text, TFont* Font,
                                                 TColor TextColor, TColor BkColor,
                                                 TcxDrawBackgroundEvent CustomDraw) const {
  HTHEME theme = ThemeHandleFor(tokTrackBar);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintFooterCell(Canvas, R, HAlign, VAlign, MultiLine, Text, Font, TextColor,
                                                   BkColor, CustomDraw);
    return;
  }
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), TKP_TRACK, 1, R);
  PaintThemeText(Canvas, theme, TextColor, Font, Text, false, HAlign, VAlign, MultiLine, false, FooterCellTextBounds(R),
                 TKP_TRACK, 1);
}

int TcxWinXPLookAndFeelPainter::FooterCellBorderWidth() const {
  HTHEME theme = ThemeHandleFor(tokTrackBar);
  RECT m;
  return theme && ContentMargins(theme, TKP_TRACK, 1, m) ? m.left : 1;
}

int TcxWinXPLookAndFeelPainter::FooterCellInset() const { return 1; }
bool TcxWinXPLookAndFeelPainter::FooterCellsBeforeBorder() const { return false; }

void TcxWinXPLookAndFeelPainter::PaintFilterCloseButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  HTHEME theme = ThemeHandleFor(tokWindow);
  if (!theme) {
    TcxCustomLookAndFeelPainter::PaintFilterCloseButton(Canvas, R, State);
    return;
  }
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), WP_SMALLCLOSEBUTTON, StateTable1(State), R);
}

void TcxWinXPLookAndFeelPainter::PaintFilterDropDownButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State,
                                                           bool Active) const {
  HTHEME theme = ThemeHandleFor(tokComboBox);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintFilterDropDownButton(Canvas, R, State, Active);
    return;
  }
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), CP_DROPDOWNBUTTON, StateTable1(State), R);
}

SIZE TcxWinXPLookAndFeelPainter::FilterActivateButtonExtent() const {
  HTHEME theme = ThemeHandleFor(tokButton);
  return theme ? PartSize(theme, BP_CHECKBOX, 1, TS_DRAW) : SIZE{13, 13};
}

SIZE TcxWinXPLookAndFeelPainter::FilterCloseButtonExtent() const {
  HTHEME theme = ThemeHandleFor(tokWindow);
  if (!theme) return SIZE{16, 14};
  const SIZE s = PartSize(theme, WP_SMALLCLOSEBUTTON, 1, TS_DRAW);
  return SIZE{s.cx + 4, s.cy + 4};
}

void TcxWinXPLookAndFeelPainter::PaintTab(TcxCanvas* Canvas, RECT R, RECT TextR, TcxPaintButtonState State,
                                          TcxBorders Borders, const std::string& Text, TFont* Font, TColor TextColor,
                                          bool Vertical) const {
  HTHEME theme = ThemeHandleFor(tokTab);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintTab(Canvas, R, TextR, State, Borders, Text, Font, TextColor, Vertical);
    return;
  }
  if (Vertical) DrawRotatedPart(Canvas, theme, TABP_TABITEM, StateTable1(State), R, false);
  else UxDrawThemeBackground(theme, Canvas->DeviceContext(), TABP_TABITEM, StateTable1(State), R);
  PaintThemeText(Canvas, theme, TextColor, Font, Text, true, taCenter, vaCenter, false, false, TextR, TABP_TABITEM,
                 StateTable1(State));
}

void TcxWinXPLookAndFeelPainter::PaintTabBorder(TcxCanvas* Canvas, RECT R, TcxBorder Side, TcxBorders Borders,
                                                bool Vertical) const {
  if (!ThemeHandleFor(tokTab)) TcxStandardLookAndFeelPainter::PaintTabBorder(Canvas, R, Side, Borders, Vertical);
}

void TcxWinXPLookAndFeelPainter::PaintTabsRoot(TcxCanvas* Canvas, RECT R, TcxBorders Borders, bool Vertical) const {
  HTHEME theme = ThemeHandleFor(tokTab);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintTabsRoot(Canvas, R, Borders, Vertical);
    return;
  }
  HDC dc = Canvas->DeviceContext();
  RECT content{};
  UxGetThemeBackgroundContentRect(theme, dc, TABP_PANE, 0, R, content);
  // The pane's own borders on the tab side fall outside R, so only the body shows.
  RECT pane = R;
  if (Vertical) {
    pane.bottom += (R.top - content.top) + (R.bottom - content.bottom);
    pane.right += 10;
  } else {
    pane.right += (R.left - content.left) + (R.right - content.right);
    pane.bottom += 10;
  }
  UxDrawThemeBackground(theme, dc, TABP_PANE, 0, pane, &R);
}

bool TcxWinXPLookAndFeelPainter::TabPaintingAvailable() const { return ThemeHandleFor(tokTab) != nullptr; }
bool TcxWinXPLookAndFeelPainter::TabHotTrack() const { return ThemeHandleFor(tokTab) != nullptr; }
int TcxWinXPLookAndFeelPainter::TabBorderWidth() const { return 1; }

void TcxWinXPLookAndFeelPainter::PaintIndicatorItem(TcxCanvas* Canvas, RECT R, int Kind, TColor Color) const {
  TcxFlatLookAndFeelPainter::Instance()->PaintIndicatorItem(Canvas, R, Kind, Color);
}

int TcxWinXPLookAndFeelPainter::MinThumbLength(bool Vertical) const {
  HTHEME theme = ThemeHandleFor(tokScrollBar);
  if (!theme) return 8;
  const int gripper = Vertical ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT;
  SIZE least{0, 0}, real{0, 0};
  if (FAILED(UxGetThemePartSizeNoRect(theme, MeasureDC(), gripper, 0, TS_MIN, least))) return 8;
  int length;
  if (FAILED(UxGetThemePartSizeNoRect(theme, MeasureDC(), gripper, 0, TS_TRUE, real)))
    length = Vertical ? least.cy : least.cx;
  else
    length = Vertical ? std::max<int>(least.cy, real.cy + 4) : std::max<int>(least.cx, real.cx + 4);
  return std::max(length, 8);
}

void TcxWinXPLookAndFeelPainter::PaintScrollBarPart(TcxCanvas* Canvas, bool Horizontal, RECT R,
                                                    TcxScrollBarPaintPart Part, TcxPaintButtonState State) const {
  if (IsRectEmpty(&R)) return;
  HTHEME theme = ThemeHandleFor(tokScrollBar);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
    return;
  }
  const int thumbState = State == pbsHot ? 2 : State == pbsPressed ? 3 : State == pbsDisabled ? 4 : 1;
  HDC dc = Canvas->DeviceContext();
  switch (Part) {
    case sppLineUp:
    case sppLineDown: PaintArrowButton(Canvas, R, State, ArrowDirectionFor(Horizontal, Part), true); break;
    case sppThumb:
      UxDrawThemeBackground(theme, dc, Horizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, thumbState, R);
      UxDrawThemeBackground(theme, dc, Horizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT, 0, R);
      break;
    case sppPageUp:
      UxDrawThemeBackground(theme, dc, Horizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT, thumbState, R);
      break;
    case sppPageDown:
      UxDrawThemeBackground(theme, dc, Horizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT, thumbState, R);
      break;
    default: break;
  }
}

void TcxWinXPLookAndFeelPainter::PaintSizeGrip(TcxCanvas* Canvas, RECT R, TColor BackColor) const {
  HTHEME theme = ThemeHandleFor(tokScrollBar);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintSizeGrip(Canvas, R, clDefault);
    return;
  }
  Canvas->FillRectColor(R, BackColor == clDefault ? SizeGripAreaColor() : BackColor);
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), SBP_SIZEBOX, 1, R);
}

// The plain header drawing of the base, with this painter's header, not the
// standard look's framed one.
void TcxWinXPLookAndFeelPainter::PaintMonthHeader(TcxCanvas* Canvas, RECT R, const std::string& Text, int Positions,
                                                  const TcxViewParams& ViewParams, int ArrowOffset) const {
  TcxCustomLookAndFeelPainter::PaintMonthHeader(Canvas, R, Text, Positions, ViewParams, ArrowOffset);
}

void TcxWinXPLookAndFeelPainter::PaintProgressTrack(TcxCanvas* Canvas, RECT Bounds, RECT ProgressR,
                                                    const TcxViewParams& ViewParams, bool FrameOnly) const {
  HTHEME theme = ThemeHandleFor(tokProgress);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintProgressTrack(Canvas, Bounds, ProgressR, ViewParams, FrameOnly);
    return;
  }
  HDC dc = Canvas->DeviceContext();
  UxDrawThemeBackground(theme, dc, PP_BAR, 1, Bounds);
  UxDrawThemeBackground(theme, dc, PP_CHUNK, 1, ProgressR);
}

RECT TcxWinXPLookAndFeelPainter::ProgressOffsets() const { return RECT{3, 3, 3, 3}; }

void TcxWinXPLookAndFeelPainter::PaintNavigatorButton(TcxCanvas* Canvas, RECT R, TcxPaintButtonState State) const {
  HTHEME theme = ThemeHandleFor(tokToolBar);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintNavigatorButton(Canvas, R, State);
    return;
  }
  static const int states[] = {2, 2, 5, 3, 4};
  UxDrawThemeBackground(theme, Canvas->DeviceContext(), TP_BUTTON, states[State], R);
}

void TcxWinXPLookAndFeelPainter::PaintNavigationButton(TcxCanvas* Canvas, RECT R, RECT ArrowR, bool Next,
                                                       TcxPaintButtonState State) const {
  HTHEME theme = ThemeHandleFor(tokTab);
  if (!theme) {
    TcxStandardLookAndFeelPainter::PaintNavigationButton(Canvas, R, ArrowR, Next, State);
    return;
  }
  DrawRotatedPart(Canvas, theme, TABP_TABITEM, StateTable1(State), R, Next);
  PaintNavigationArrow(Canvas, ArrowR, Next, ButtonGlyphColor(State, clDefault));
}

void TcxWinXPLookAndFeelPainter::PaintSplitterBorder(TcxCanvas* Canvas, RECT R, const TcxViewParams& ViewParams,
                                                     bool Horizontal) const {
  TColor border;
  if (!ThemeHandleFor(tokListView) || !ThemeColor(tokComboBox, CP_BORDER, 1, TMT_BORDERCOLOR, border)) {
    TcxStandardLookAndFeelPainter::PaintSplitterBorder(Canvas, R, ViewParams, Horizontal);
    return;
  }
  Canvas->DrawEdgeSides(R, border, border, Horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
  if (Horizontal) InflateRect(&R, 0, -1);
  else InflateRect(&R, -1, 0);
  Canvas->FillWithViewParams(R, ViewParams);
}

void TcxWinXPLookAndFeelPainter::PaintPanelBackground(TcxCanvas* Canvas, TControl* Control, RECT R, TColor ColorFrom,
                                                      TColor) const {
  if (ColorFrom == clDefault) PaintParentBackground(Control, Canvas, R);
  else Canvas->FillRectColor(R, ColorFrom);
}

void TcxWinXPLookAndFeelPainter::PaintThemeText(TcxCanvas* Canvas, HTHEME Theme, TColor TextColor, TFont* Font,
                                                const std::string& Text, bool ShowPrefix, TAlignment HAlign,
                                                TcxAlignmentVert VAlign, bool MultiLine, bool EndEllipsis, RECT R,
                                                int PartId, int StateId) const {
  if (Text.empty()) return;
  if (Font) Canvas->AssignFontObject(Font);
  Canvas->FontObject()->SetColor(TextColor);
  if (MultiLine && VAlign != vaTop)
    Canvas->AlignTextRectVertically(R, Text, VAlign == vaBottom ? 1 : 2, true, ShowPrefix, true, false);
  UxDrawThemeTextAnsi(Theme, Canvas->DeviceContext(), PartId, StateId, Text, -1,
                      TextDTFlags(HAlign, VAlign, MultiLine, EndEllipsis, ShowPrefix), 0, R);
}
