// The gradient look: dock sites and docked toolbars filled with gradients,
// docked toolbars drawn as boxes with rounded ends, a grip of dots and a gradient
// mark, menus with a gradient icon band, and hot, pressed and checked items filled
// with two-colour gradients framed in the selection colour. Every colour comes
// from the shared gradient colour set, which follows the desktop's scheme.
#pragma once

#include "suite/bars/BarFlatPainter.h"

class TdxBarOffice11Painter : public TdxBarFlatPainter {
  SONVELT_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
public:
  using TdxBarFlatPainter::TdxBarFlatPainter;

  virtual void DrawGripDots(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, const RECT& R);
  virtual int GripDotsOffset() const { return 2; }

  // ---- class helpers
  // The dock site's gradient: plain on a left or right site.
  static void DockColors(TdxDockControl* Site, TColor& Color1, TColor& Color2);
  // The window's client rectangle; a toolbar's one pixel in across its bar.
  static RECT BarGradientRect(TCustomdxBarControl* BarControl);
  // Start, shade, edge and end colours of the mark in its state.
  static void MarkColors(TCustomdxBarControl* BarControl, TColor& Start, TColor& Shade, TColor& Edge, TColor& End);
  static void SelectionGradientColors(TdxBarItemControl* Control, bool Pressed, bool Hot, TColor& Start, TColor& End);
  static bool IsDropDownOwner(TdxBarItemControl* Control);
  static bool IsPlainBar(TCustomdxBarControl* BarControl);
  static bool HasMenuPicture(TdxBarSubMenuControl* SubMenu);
  static RECT ExpandGlyphRect(const RECT& R);

  // ---- brushes, colours and flags
  HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH ToolbarBrushFor(TCustomdxBarControl* BarControl) override;
  HBRUSH MenuBrush(TdxBarSubMenuControl* SubMenu) override;
  HBRUSH QuickPopupBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH DownBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH FaceBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH SelectedBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH ManagerBackgroundBrush(TdxBarManager* Manager) override;
  HBRUSH FlatFaceBrush(TdxBarItemControl* Control) override;
  HBRUSH FlatShadowBrush() override;
  TColor FlatShadowColor() override;
  HBRUSH ArrowPartBrush(TdxBarButtonLikeControlDrawParams* P) override;
  HBRUSH ComboButtonBrush(TdxBarEditLikeControlDrawParams* P) override;
  TColor ComboArrowColor(TdxBarEditLikeControlDrawParams* P) override;
  TColor TextColorForState(TdxBarItemControl* Control, bool Selected, bool Flat) override;
  void DisabledTextColorPair(TdxBarItemControl* Control, bool Selected, bool Flat, TColor& First,
                             TColor& Second) override;
  TColor EditDisabledBackgroundColor(TdxBarItemControl* Control) override { (void)Control; return clBtnFace; }
  TColor EditDisabledTextColor() override;
  TColor FloatingCaptionColor(TCustomdxBarControl* BarControl, bool MainFormActive) override;
  TColor FloatingCaptionTextColor(TCustomdxBarControl* BarControl) override;
  TColor MarkArrowColor(TCustomdxBarControl* BarControl, int MarkState) override;
  TColor CalendarHeaderColor() override;
  HBRUSH InPlaceSubItemBandBrush() override;
  bool FadesDisabledImages(TCustomdxBarControl* BarControl) override { (void)BarControl; return true; }
  bool MarksNonRecentItems() const override { return true; }
  bool UsesThemeBackground() const override { return true; }
  bool MenuHasSideBand() const override { return true; }
  bool UsesIdleGlyphLook() const override { return false; }
  bool ShadowsHotGlyphs() const override { return false; }
  bool SelectedTextWhenPressed() const override;
  bool PopupJoinsOwner(TCustomdxBarControl* BarControl) override;
  bool EditShowsGlyph(TdxBarItemControlDrawParams* P) override { return P->IsMenu(); }
  bool EditPartOpaque(TdxBarEditLikeControlDrawParams* P) override;
  bool EditGapOpaque(TdxBarEditLikeControlDrawParams* P) override;

  // ---- metrics
  int GripOffset() const override { return TdxBarFlatPainter::GripOffset() + GripDotsOffset(); }
  int NoGripExtent() const override { return 2; }
  int FloatingFrameWidth() const override { return 3; }
  int FloatingFrameHeight() const override { return 3; }
  int ComboArrowWidth(TCustomdxBarControl* BarControl, int Size) override {
    (void)BarControl, (void)Size;
    return 13;
  }
  void BarBorderSizes(TCustomdxBarControl* BarControl, RECT& R) override;
  void DockedBarBorderSizes(TdxBar* Bar, TdxBarDockingStyle Style, RECT& R) override;
  int EditCaptionIndentNoGlyph(TdxBarItemControlDrawParams* P) override;
  void EditMenuCaptionMargins(TdxBarItemControlDrawParams* P, RECT& R) override;
  int ProgressLeftIndent(TdxBarItemControlDrawParams* P) override;
  void CalcMenuMetrics(TcxCanvas* Canvas, int TextSize, int& ArrowHeight, int& ArrowWidth) override;
  int TearOffBarHeight(TdxBarSubMenuControl* SubMenu) override;
  void TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R) override;
  void MarkHitRect(TCustomdxBarControl* BarControl, RECT& R) override;

  // ---- items
  void DrawSelectionFrame(HDC DC, const RECT& R) override;
  void DrawFlatButtonBorder(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, int PaintType, bool Selected, bool Down,
                            const RECT& R) override;
  void DrawButtonFrame(TdxBarItemControl* Control, HDC DC, const RECT& R, bool Enabled, bool Selected,
                       bool Pressed) override;
  void DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder, const RECT& R, int PaintType,
                      bool CheckMark, const TdxBarGlyphState& State) override;
  void DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) override;
  void DrawDropDownArrow(HDC DC, const RECT& R, int Orientation, bool Selected, bool Enabled, bool Flat,
                         TColor Color) override;
  void DrawDropDownArrowSized(HDC DC, const RECT& R, int Orientation, int Size, bool Selected, bool Enabled, bool Flat,
                              TColor Color) override;
  void DrawSeparatorItemBackground(TdxBarItemControlDrawParams* P, const RECT& R) override;

  // ---- menus
  void FillMenuBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TColor Color, HBRUSH Brush,
                          const RECT& R) override;
  void DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) override;
  void DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) override;
  void FillTearOffBar(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) override;
  void DrawExpandArrows(TdxBarSubMenuControl* SubMenu, HDC DC, bool Hot, const RECT& R) override;
  void DrawListBoxBorder(HDC DC, TColor Color, const RECT& R) override;
  void DrawPopupFrame(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) override;
  void FillPopupOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* Control, const RECT& LinkRect,
                          const RECT& FramedRect) override;

  // ---- docks and toolbars
  void FillBackground(TdxDockControl* Site, HDC DC, TColor Color, HBRUSH Brush, const RECT& ClientRect,
                      const RECT& Source, const RECT& R) override;
  void FillDockedBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                               const RECT& Origin, const RECT& R) override;
  void FillBarBitmapBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                               const RECT& Origin, const RECT& R) override;
  void FillQuickPopupFrame(TCustomdxBarControl* BarControl, HDC DC) override;
  void DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush, const RECT& R) override;
  void DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  void DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  void DrawMarkContent(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) override;
  void RedrawMark(TCustomdxBarControl* BarControl) override;
  void DrawCaptionButtonFace(TCustomdxBarControl* BarControl, HDC DC, int State, const RECT& R) override;
  void DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& Outer,
                          const RECT& Inner) override;
  void DrawFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;

  // ---- edits and combos
  void DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R) override;
  void DrawComboButtonFace(TdxBarEditLikeControlDrawParams* P, RECT& R, HBRUSH Brush) override;
  void PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text, const RECT& R) override;

private:
  // The rounded box a docked toolbar with a single border is drawn as.
  void DrawHorizontalBarBox(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R);
  void DrawVerticalBarBox(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R);
  // The dock site's background behind a rectangle of the window.
  void FillDockUnder(TCustomdxBarControl* BarControl, HDC DC, const RECT& R);
};
