// The flat look: plain one-pixel frames and the manager's five flat colours
// (border, toolbar, down, down-hot, hot) instead of 3D edges; hot items get a
// highlight frame and a light fill, menus a window-coloured background with a
// glyph column, and an opened drop-down is drawn as one piece with its button.
#pragma once

#include "suite/bars/BarPainter.h"

class TdxBarFlatPainter : public TdxBarPainter {
  SONVELT_CLASS(TdxBarFlatPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;

  // ---- the flat painter's own operations
  virtual void DrawFlatButtonBorder(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, int PaintType, bool Selected,
                                    bool Down, const RECT& R);
  virtual HBRUSH FlatFaceBrush(TdxBarItemControl* Control);
  virtual HBRUSH FlatShadowBrush() { return GetSysColorBrush(COLOR_BTNSHADOW); }
  virtual void DrawPopupOwnerFrame(TCustomdxBarControl* BarControl, HDC DC, TCustomdxBarControl* Popup,
                                   const RECT& R);
  virtual void FramePopupExceptOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TCustomdxBarControl* Popup,
                                         TdxBarItemControl* Control, const RECT& R);
  virtual void DrawPopupFrame(TCustomdxBarControl* BarControl, HDC DC, const RECT& R);
  virtual void FillPopupOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* Control,
                                  const RECT& LinkRect, const RECT& FramedRect);
  virtual TColor FlatShadowColor() { return clBtnShadow; }

  // ---- brushes and colours
  HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH ToolbarBrushFor(TCustomdxBarControl* BarControl) override;
  HBRUSH DownBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH FaceBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH SelectedBrush(TCustomdxBarControl* BarControl) override;
  HBRUSH QuickPopupBrush(TCustomdxBarControl* BarControl) override { (void)BarControl; return GetSysColorBrush(COLOR_WINDOW); }
  HBRUSH MenuBrush(TdxBarSubMenuControl* SubMenu) override { (void)SubMenu; return GetSysColorBrush(COLOR_WINDOW); }
  HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarGlyphState& State,
                             bool CheckMark) override;
  HBRUSH ArrowPartBrush(TdxBarButtonLikeControlDrawParams* P) override;
  HBRUSH ComboButtonBrush(TdxBarEditLikeControlDrawParams* P) override;
  TColor ComboArrowColor(TdxBarEditLikeControlDrawParams* P) override;
  HBRUSH EditCaptionBrush(TdxBarItemControl* Control) override;
  TColor MarkArrowColor(TCustomdxBarControl* BarControl, int MarkState) override;
  int MarkElementColorIndex(TCustomdxBarControl* BarControl) override;
  TColor FloatingCaptionColor(TCustomdxBarControl* BarControl, bool MainFormActive) override {
    return TdxBarPainter::FloatingCaptionColor(BarControl, false);
  }

  // ---- flags and metrics
  bool HasFlatButtons() const override { return true; }
  bool UsesIdleGlyphLook() const override { return true; }
  bool ShadowsHotGlyphs() const override { return true; }
  bool IsGlyphBackgroundOpaque(TdxBarItemControl* Control, bool CheckMark, const TdxBarGlyphState& State) override;
  int ButtonBorderWidth(TdxBarItemControl* Control) override { (void)Control; return 1; }
  int SubMenuItemIndent(TdxBarItemControl* Control) override;
  int GripOffset() const override { return 1; }
  int GripExtent(TCustomdxBarControl* BarControl) override { return GripWidth(BarControl) + GripOffset() + 2; }
  int DropDownArrowWidth(TdxBarManager* Manager) override { return TdxBarPainter::DropDownArrowWidth(Manager) - 1; }
  int LargeDropDownArrowWidth(TdxBarManager* Manager) override {
    return TdxBarPainter::LargeDropDownArrowWidth(Manager) - 1;
  }
  int MenuSeparatorIndent() const override { return 8; }
  bool JoinsSubMenuToItem(TCustomdxBarControl* BarControl) override { (void)BarControl; return true; }
  int SubMenuPopupOffset() const override { return 1; }
  int SeparatorSize() override { return 5; }
  int SeparatorMargin() override { return (SeparatorSize() - 1) / 2; }
  int HalfFontHeight(TdxBarItemControl* SubItem) override;
  void AdjustMenuItemWidth(int& Width) override { Width += 9; }
  void AdjustMenuItemHeight(int& Height) override { Height += 2; }
  int MenuScrollArrowOffset() const override { return 1; }
  int MenuGroupSeparatorHeight() override { return 5; }
  int TearOffBarHeight(TdxBarSubMenuControl* SubMenu) override;
  int MenuArrowInset(int Height) override;
  int MinIconAreaWidth() const override { return 20; }
  void TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R) override;
  int MenuItemHeightFor(TcxCanvas* Canvas) override { return TdxBarPainter::MenuItemHeightFor(Canvas) + 1; }
  int MenuTextOffset(TdxBarItemControlDrawParams* P) override { return TdxBarPainter::MenuTextOffset(P) + 6; }
  void EditBorderSizes(int PaintType, RECT& R) override { (void)PaintType, R = RECT{1, 1, 1, 1}; }
  int EditCaptionIndentNoGlyph(TdxBarItemControlDrawParams* P) override { (void)P; return 6; }
  int EditCaptionRightGap() override { return 5; }
  void EditMenuCaptionMargins(TdxBarItemControlDrawParams* P, RECT& R) override { (void)P, R = RECT{7, 0, 0, 0}; }
  int EditCaptionIndentMenuGlyph(TdxBarItemControlDrawParams* P) override;
  bool EditGapOpaque(TdxBarEditLikeControlDrawParams* P) override;
  bool ProgressPaintsIncrementally() const override { return true; }
  bool CalendarIsFlat() const override { return true; }
  int ContainerHeightIndent() const override { return 9; }
  void CalcSpinEditParts(TdxBarSpinEditDrawParams* P, std::vector<RECT>& Parts, const RECT& Bounds) override;
  void CalcMenuMetrics(TcxCanvas* Canvas, int TextSize, int& ArrowHeight, int& ArrowWidth) override;
  bool QuickPopupQuery() const override { return true; }
  bool EditGlyphSelected(TdxBarItemControl* Control) override;

  // ---- drawing
  void DrawSelectionFrame(HDC DC, const RECT& R) override;
  void DrawButtonFrame(TdxBarItemControl* Control, HDC DC, const RECT& R, bool Enabled, bool Selected,
                       bool Pressed) override;
  void DrawSunkenEdge(HDC DC, RECT& R) override;
  void DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder, const RECT& R, int PaintType,
                      bool CheckMark, const TdxBarGlyphState& State) override;
  void DrawCheckMark(TdxBarItemControl* Control, HDC DC, int X, int Y, int Scale) override;
  void DrawStaticBorder(TdxBarStaticLikeControlDrawParams* P, RECT& R) override;
  void DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Brush) override;
  void DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) override;
  void MenuGlyphRect(const RECT& ItemRect, int IconAreaWidth, RECT& R) override;
  void MenuTextRect(TdxBarItemControlDrawParams* P, const RECT& ItemRect, RECT& R) override;
  void DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) override;
  void DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) override;
  void FillTearOffBar(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) override;
  void DrawMenuSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, const RECT& R,
                         TcxCanvas* Canvas) override;
  void DrawMenuSeparatorLine(TcxCanvas* Canvas, const RECT& R) override;
  void MenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, RECT& R,
                         const RECT& ItemRect) override;
  void DrawMenuScrollSeparator(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) override {
    (void)SubMenu, (void)Canvas, (void)Bottom;
  }
  void DrawExpandButtonFrame(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) override;
  void DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush, const RECT& R) override;
  void DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  void DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& Outer,
                          const RECT& Inner) override;
  void DrawFloatingCloseButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) override;
  void DrawCaptionMarkButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) override;
  void FloatingCaptionTextOffset(TCustomdxBarControl* BarControl, int& TextStart, RECT& TextRect) override;
  void DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  void DrawMDIButton(TCustomdxBarControl* BarControl, int Button, const RECT& R, HDC DC, int State) override;
  void DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R) override;
  void DrawEditSelection(TdxBarEditLikeControlDrawParams* P, const RECT& R) override;
  void DrawComboButtonFace(TdxBarEditLikeControlDrawParams* P, RECT& R, HBRUSH Brush) override;
  void DrawSpinButton(TdxBarSpinEditDrawParams* P, const RECT& R, int Button) override;
  void DrawSpinArrow(TdxBarSpinEditDrawParams* P, POINT Point, int Button) override;
  void PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text, const RECT& R) override;
  void DrawDropDownSysPanel(HWND DropDown, bool WithPanel, int Corner, RECT& GripRect, RECT& CloseRect, bool Tracking,
                            bool MouseOver) override;
  bool InPlaceSubItemFlatSelected(TdxBarItemControlDrawParams* P) override;
  bool InPlaceSubItemArrowSelected(TdxBarItemControlDrawParams* P) override;
  void QuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, bool Selected, int& Right, RECT& R) override;
  void DrawQuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, bool Selected, const RECT& CheckRect,
                                   const RECT& ItemRect) override;

protected:
  // The manager's flat brush by index: 0 border, 1 toolbar, 2 down, 3 down-hot, 4 hot.
  HBRUSH FlatBrushOf(TCustomdxBarControl* BarControl, int Index);
};
