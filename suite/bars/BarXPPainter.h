// The themed look of the XP style: toolbars, docks, menus, buttons, edits, combos
// and the extra items are drawn with the parts of the desktop's visual style,
// falling back to system colours only where the theme has no colour. The manager
// chooses it only while visual styles are available (the Enhanced painter stands
// in otherwise). Each construction measures the theme sizes again into values all
// XP painters share; dock and status-bar backgrounds are drawn once into their
// owners' cached bitmaps and copied from there.
#pragma once

#include "suite/bars/BarPainter.h"

class TdxBarXPPainter : public TdxBarPainter {
  SONVELT_CLASS(TdxBarXPPainter, TdxBarPainter)
public:
  explicit TdxBarXPPainter(TcxLookAndFeelPainterClass ASkinPainter);
  TdxBarXPPainter() : TdxBarXPPainter(nullptr) {}

  // The values measured from the theme at the last construction.
  struct TMeasures {
    int SeparatorWidth = 6;
    SIZE CaptionButtonSize{0, 0};
    int GlyphAreaExtra = 6;
    int ComboArrowWidth = 0;
    RECT EditBorderSizes{2, 2, 2, 2};
    int GripWidth = 3;
    int ProgressThickness = 12;
    int SeparatorThickness = 2;
    SIZE SizeGripSize{0, 0};
  };
  static const TMeasures& Measures();
  static void MeasureTheme();

  // Routines every painter uses for status-bar-like bars while themes are on.
  static void DrawStatusBarBackground(TCustomdxBarControl* BarControl, HDC DC, const RECT& WindowRect,
                                      const RECT& Source, const RECT& R);
  static void StatusGripSize(SIZE& Size);
  static void DrawStatusGripper(HDC DC, const RECT& R);
  // The highlight and shadow lines between the rows of a dock site (its docking
  // style decides which rows have which lines).
  static void DrawDockRowLines(HDC DC, TdxBarDockingStyle SiteStyle, const std::vector<TdxBarDockRowInfo>& Rows);

  void DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder, const RECT& R, int PaintType,
                      bool CheckMark, const TdxBarGlyphState& State) override;
  void DrawCheckMark(TdxBarItemControl* Control, HDC DC, int X, int Y, int Scale) override;
  bool FadesDisabledImages(TCustomdxBarControl* BarControl) override { (void)BarControl; return true; }
  bool HighlightsMenuBarItem(TdxBarItemControl* Control) override;
  void DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  void FloatingCaptionTextOffset(TCustomdxBarControl* BarControl, int& TextStart, RECT& TextRect) override;
  int EllipsisDotLift(int DotSize) override { return 2 * DotSize; }
  void DrawEllipsisDot(TdxBarItemControlDrawParams* P, const RECT& R) override;
  void DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) override;
  HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarGlyphState& State,
                             bool CheckMark) override;
  int DownGlyphOffset(TdxBarItemControl* Control) override { (void)Control; return 1; }
  int PressedGlyphOffset(TdxBarItemControl* Control, bool Down) override { (void)Control; return Down ? 0 : 1; }
  bool UsesIdleGlyphLook() const override { return true; }
  int GripOffset() const override { return 0; }
  int GripExtent(TCustomdxBarControl* BarControl) override { return GripWidth(BarControl) + GripOffset() + 2; }
  int GripWidth(TCustomdxBarControl* BarControl) override { (void)BarControl; return Measures().GripWidth; }
  int DropDownArrowWidth(TdxBarManager* Manager) override { return TdxBarPainter::DropDownArrowWidth(Manager) + 3; }
  int LargeDropDownArrowWidth(TdxBarManager* Manager) override {
    return TdxBarPainter::LargeDropDownArrowWidth(Manager) + 3;
  }
  void FillBackground(TdxDockControl* Site, HDC DC, TColor Color, HBRUSH Brush, const RECT& ClientRect,
                      const RECT& Source, const RECT& R) override;
  bool UsesThemeBackground() const override { return true; }
  HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl) override;
  int ComboArrowWidth(TCustomdxBarControl* BarControl, int Size) override;
  int SeparatorMargin() override { return (SeparatorSize() - 1) / 2; }
  int SeparatorSize() override { return Measures().SeparatorWidth; }
  int BarBorderWidth() const override { return 0; }
  void FillFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  bool FillsFloatingCaption() const override { return true; }
  void CaptionButtonSize(SIZE& Size) override;
  void DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush, const RECT& R) override;
  void DrawFloatingCloseButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) override;
  void DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  void DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& Outer,
                          const RECT& Inner) override;
  void DrawMDIButton(TCustomdxBarControl* BarControl, int Button, const RECT& R, HDC DC, int State) override;
  bool QuickPopupQuery() const override { return true; }
  bool HotTracksButtons() const override { return true; }
  int GlyphAreaExtraHeight() override { return Measures().GlyphAreaExtra; }
  int GlyphAreaExtraWidth() override { return GlyphAreaExtraHeight(); }
  void AdjustMenuItemHeight(int& Height) override { Height += 1; }
  void DrawButtonDropArrow(TdxBarButtonLikeControlDrawParams* P, const RECT& R) override;
  void DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Brush) override;
  int ComboButtonGap(TdxBarEditLikeControlDrawParams* P) override { (void)P; return 0; }
  void DrawComboButton(TdxBarEditLikeControlDrawParams* P, const RECT& R) override;
  int MenuScrollArrowOffset() const override { return 1; }
  int MenuGroupSeparatorHeight() override { return Measures().SeparatorThickness; }
  int TearOffBarHeight(TdxBarSubMenuControl* SubMenu) override;
  void MenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, RECT& R,
                         const RECT& ItemRect) override;
  void TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R) override;
  void DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) override;
  void DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) override;
  void DrawMenuSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, const RECT& R,
                         TcxCanvas* Canvas) override;
  void DrawMenuSeparatorLine(TcxCanvas* Canvas, const RECT& R) override;
  HBRUSH MenuBrush(TdxBarSubMenuControl* SubMenu) override { (void)SubMenu; return GetSysColorBrush(COLOR_MENU); }
  TColor EditBackgroundColor(TdxBarItemControl* Control) override;
  TColor EditDisabledBackgroundColor(TdxBarItemControl* Control) override;
  TColor EditTextColor() override;
  TColor EditDisabledTextColor() override;
  void EditBorderSizes(int PaintType, RECT& R) override { (void)PaintType, R = Measures().EditBorderSizes; }
  void DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R) override;
  bool EditGapOpaque(TdxBarEditLikeControlDrawParams* P) override;
  int EditCaptionIndentNoGlyph(TdxBarItemControlDrawParams* P) override { (void)P; return 6; }
  int EditCaptionRightGap() override { return 5; }
  void EditMenuCaptionMargins(TdxBarItemControlDrawParams* P, RECT& R) override { (void)P, R = RECT{5, 0, 0, 0}; }
  HBRUSH EditCaptionBrush(TdxBarItemControl* Control) override;
  void CustomButtonMargins(int PaintType, RECT& R) override { (void)PaintType, R = RECT{1, 1, 1, 1}; }
  void DrawCustomColorButton(TdxBarColorComboControlDrawParams* P, const RECT& R) override;
  void DrawCustomButtonSurround(TdxBarItemControlDrawParams* P, const RECT& R) override;
  void DrawDropDownSysPanel(HWND DropDown, bool WithPanel, int Corner, RECT& GripRect, RECT& CloseRect, bool Tracking,
                            bool MouseOver) override;
  int DropDownSysPanelHeight() override;
  bool CalendarIsFlat() const override { return true; }
  void PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text, const RECT& R) override;
  void SpinButtonMargins(int PaintType, RECT& R) override { (void)PaintType, R = RECT{0, 0, 0, 0}; }
  void DrawSpinButton(TdxBarSpinEditDrawParams* P, const RECT& R, int Button) override;
  TColor ProgressBarColor() override;
  int ProgressBarThickness() override { return Measures().ProgressThickness; }
  void DrawProgressFrame(TdxBarProgressControlDrawParams* P, RECT& R) override;
  void DrawProgressChunks(TdxBarProgressControlDrawParams* P, const RECT& R, HBRUSH Brush) override;
  int SeparatorItemHeight() override { return Measures().SeparatorThickness; }
};
