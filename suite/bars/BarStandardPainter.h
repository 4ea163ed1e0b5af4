// The classic look: raised and sunken edges in system colours. The Standard
// painter draws a grip of two bars and no quick-customization arrow; the Enhanced
// painter (also the look of the XP style without visual styles) a single grip bar,
// a raised or sunken mark and the plain chevrons.
#pragma once

#include "suite/bars/BarPainter.h"

class TdxBarStandardPainter : public TdxBarPainter {
  SONVELT_CLASS(TdxBarStandardPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;

  void DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder, const RECT& R, int PaintType,
                      bool CheckMark, const TdxBarGlyphState& State) override;
  void DrawCheckMark(TdxBarItemControl* Control, HDC DC, int X, int Y, int Scale) override;
  bool IsMarkNarrow(TCustomdxBarControl* BarControl, const RECT& MarkRect) override;
  void DrawMarkChevron(TCustomdxBarControl* BarControl, HDC DC, int Position, const RECT& MarkRect) override;
  void DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  int SubMenuPopupOffset() const override { return 2; }
  void FillDisabledRect(TdxBarItemControl* Control, HDC DC, const RECT& R) override;
  void DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) override;
  void DrawButtonFrame(TdxBarItemControl* Control, HDC DC, const RECT& R, bool Enabled, bool Selected,
                       bool Pressed) override;
  void EditFrameOffsets(RECT& R) override { R = RECT{2, 1, 2, 1}; }
  HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarGlyphState& State,
                             bool CheckMark) override;
  int DownGlyphOffset(TdxBarItemControl* Control) override { (void)Control; return 1; }
  int PressedGlyphOffset(TdxBarItemControl* Control, bool Down) override { (void)Control, (void)Down; return 1; }
  int ButtonBorderWidth(TdxBarItemControl* Control) override { (void)Control; return 1; }
  int GripOffset() const override { return 2; }
  int GripExtent(TCustomdxBarControl* BarControl) override { return 2 * GripWidth(BarControl) + GripOffset() + 1; }
  int MenuSeparatorIndent() const override { return 2; }
  void EditTextVerticalInsets(int& Top, int& Bottom) override { Top = 0, Bottom = 2; }
  bool MenuHasOwnBrush() const override { return false; }
  bool SupportsQuickCustomizing() const override { return false; }
  bool WantsShadow(TCustomdxBarControl* BarControl) override { (void)BarControl; return false; }
  void DrawFloatingCloseButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) override;
  void DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  void DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& Outer,
                          const RECT& Inner) override;
  void DrawMDIButton(TCustomdxBarControl* BarControl, int Button, const RECT& R, HDC DC, int State) override;
  int FloatingBorderExtraWidth() const override { return 4; }
  void MarkRect(TCustomdxBarControl* BarControl, RECT& R) override;
  int FloatingBorderExtraTop() const override { return 2; }
  int FloatingBorderExtraBottom() const override { return 1; }
  bool SystemHandlesCloseButton() const override { return true; }
  void DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Brush) override;
  void DrawComboButtonFace(TdxBarEditLikeControlDrawParams* P, RECT& R, HBRUSH Brush) override;
  void DrawListBoxBorder(HDC DC, TColor Color, const RECT& R) override;
  bool ShiftsRecentGroup() const override { return true; }
  int MenuInnerBorderWidth() const override { return 2; }
  void MenuBorderSizes(TdxBarSubMenuControl* SubMenu, RECT& R) override;
  void DrawMenuItemExtras(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, int Index, const RECT& R,
                          HDC DC) override;
  bool ProgressPaintsIncrementally() const override { return true; }

protected:
  // The grip strip of a docked bar inside its border (empty when it cannot dock).
  RECT GripStrip(TCustomdxBarControl* BarControl, RECT& R);
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  SONVELT_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
public:
  using TdxBarStandardPainter::TdxBarStandardPainter;

  void DrawMarkChevron(TCustomdxBarControl* BarControl, HDC DC, int Position, const RECT& MarkRect) override {
    TdxBarPainter::DrawMarkChevron(BarControl, DC, Position, MarkRect);
  }
  void DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
  int GripOffset() const override { return 1; }
  int GripExtent(TCustomdxBarControl* BarControl) override { return GripWidth(BarControl) + GripOffset() + 2; }
  int MenuSeparatorIndent() const override { return 12; }
  bool SupportsQuickCustomizing() const override { return true; }
  void DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) override;
};
