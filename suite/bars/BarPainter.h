// The bar painters: everything bars, menus, docks and item controls show is drawn
// and measured here; windows, dock sites and controls only ask. A painter has no
// state, so its operations are also called on one shared instance per class
// (PainterInstanceOf); the manager owns one of its style's class. Every GDI object
// an operation makes is deleted before it returns (BarGdiObjects.h counts them);
// the shared bar canvas is pushed and popped strictly nested; the checked pattern
// brush and the manager's brushes are never freed here.
//
// Rectangles passed in are copied before they change, unless returning one is the
// operation's purpose. Colours: clNone in a background fill means "the window's
// own background"; clDefault in an item's style leaves the choice to the painter.
// The five styles: the Standard and Enhanced painters (classic raised and sunken
// edges), the Flat painter with the gradient one built on it, and the themed
// XP painter, which borrows three drawings from the shared Flat painter.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/Object.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/cxLookAndFeelPainters.h"

class TBitmap;
class TCustomImageList;
class TcxCanvas;
class TCustomdxBarControl;
class TdxBarControl;
class TdxBarSubMenuControl;
class TdxDockControl;
class TdxBarButtonLikeControlDrawParams;
class TdxBarEditLikeControlDrawParams;
class TdxBarStaticLikeControlDrawParams;
class TdxBarSeparatorControlDrawParams;
class TdxBarProgressControlDrawParams;
class TdxBarSpinEditDrawParams;
class TdxBarColorComboControlDrawParams;
class TdxBarInPlaceSubItemControlDrawParams;
class TdxBarCustomEditControl;
class TdxBarEdit;
class TdxBarCustomCombo;

// The state a glyph is drawn in.
struct TdxBarGlyphState {
  bool Selected = false;
  bool Down = false;
  bool Pressed = false;
  bool DroppedDown = false;
  bool Grayed = false;
  bool Split = false;
  // Static items paint their own background under the glyph.
  bool OwnBackground = false;
};


// One row of a dock site as its background sees it.
struct TdxBarDockRowInfo {
  RECT Bounds;
  std::vector<TdxBar*> Bars;
};

class TdxBarPainter : public TcxIUnknownObject {
  SONVELT_CLASS(TdxBarPainter, TcxIUnknownObject)
public:
  using TCreateArg = TcxLookAndFeelPainterClass;
  explicit TdxBarPainter(TcxLookAndFeelPainterClass ASkinPainter) : FSkinPainter(ASkinPainter) {}
  TdxBarPainter() = default;

  TcxLookAndFeelPainterClass GetSkinPainter() const { return FSkinPainter; }

  // ---- bar windows (frame and background)
  virtual void DrawBarWindowBackground(TCustomdxBarControl* BarControl);
  virtual void PaintBarFrame(TCustomdxBarControl* BarControl, HDC DC) { (void)BarControl, (void)DC; }
  virtual void FloatingCaptionRect(const RECT& WindowRect, RECT& CaptionRect);
  virtual bool PaintsBarFrame() const { return false; }
  virtual bool NeedsDoubleBuffer() const { return false; }
  virtual bool SupportsLargeIcons() const { return true; }

  // ---- glyphs, check marks, arrows, text colours
  virtual void CalcButtonTextRect(TdxBarButtonLikeControlDrawParams* P, RECT& TextRect, int& Alignment,
                                  const RECT& GlyphRect);
  virtual void DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder, const RECT& R,
                              int PaintType, bool CheckMark, const TdxBarGlyphState& State) {
    (void)Control, (void)DC, (void)Brush, (void)NeedBorder, (void)R, (void)PaintType, (void)CheckMark, (void)State;
  }
  virtual void DrawCheckMark(TdxBarItemControl* Control, HDC DC, int X, int Y, int Scale) {
    (void)Control, (void)DC, (void)X, (void)Y, (void)Scale;
  }
  virtual void DrawCheckMarkInGlyphArea(TdxBarItemControl* Control, HDC DC, const RECT& R, int PaintType,
                                        bool Checked);
  // Orientation 1 down, 3 right.
  virtual void DrawDropDownArrow(HDC DC, const RECT& R, int Orientation, bool Selected, bool Enabled, bool Flat,
                                 TColor Color);
  virtual void DrawDropDownArrowSized(HDC DC, const RECT& R, int Orientation, int Size, bool Selected, bool Enabled,
                                      bool Flat, TColor Color);
  virtual void DrawSelectionFrame(HDC DC, const RECT& R) { (void)DC, (void)R; }
  virtual TColor TextColorForState(TdxBarItemControl* Control, bool Selected, bool Flat);
  virtual void DisabledTextColorPair(TdxBarItemControl* Control, bool Selected, bool Flat, TColor& First,
                                     TColor& Second);
  virtual TColor ItemTextColor(TdxBarItemControl* Control, bool Selected, bool Flat) {
    return TextColorForState(Control, Selected, Flat);
  }
  virtual TColor ArrowColor(TdxBarItemControlDrawParams* P);
  virtual bool FadesDisabledImages(TCustomdxBarControl* BarControl);
  virtual bool MarksNonRecentItems() const { return false; }
  virtual bool SupportsFadingInterface() const { return false; }
  virtual bool HighlightsMenuBarItem(TdxBarItemControl* Control) { (void)Control; return false; }
  virtual bool ArrowUsesTextColor() const { return false; }
  // The hint goes below the item: the point starts at the cursor and the item
  // rectangle comes back in screen coordinates.
  virtual void HintWindowPosition(TCustomdxBarControl* BarControl, RECT& ItemRect, POINT& P, POINT Cursor);

  // ---- marks and floating captions
  virtual bool IsMarkNarrow(TCustomdxBarControl* BarControl, const RECT& MarkRect);
  virtual TColor FloatingCaptionColor(TCustomdxBarControl* BarControl, bool MainFormActive);
  virtual TColor FloatingCaptionTextColor(TCustomdxBarControl* BarControl) { (void)BarControl; return clCaptionText; }
  virtual TColor MarkArrowColor(TCustomdxBarControl* BarControl, int MarkState) {
    (void)BarControl, (void)MarkState;
    return clCaptionText;
  }
  virtual void PaintSizeGrip(TCustomdxBarControl* BarControl, HDC DC, const RECT& R);
  virtual void DrawMarkArrow(TCustomdxBarControl* BarControl, HDC DC, const RECT& R);
  virtual void DrawMarkChevron(TCustomdxBarControl* BarControl, HDC DC, int Position, const RECT& MarkRect);
  virtual void DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
    (void)BarControl, (void)DC, (void)Brush, (void)R;
  }
  virtual void DrawMarkContent(TCustomdxBarControl* BarControl, HDC DC, const RECT& R);
  virtual void FloatingCaptionTextOffset(TCustomdxBarControl* BarControl, int& TextStart, RECT& TextRect);
  virtual int MarkElementColorIndex(TCustomdxBarControl* BarControl) { (void)BarControl; return COLOR_BTNTEXT; }

  // ---- captions
  virtual void DrawItemCaption(TdxBarItemControlDrawParams* P, const RECT& R, int Alignment, UINT Format);
  virtual void CaptionMargins(RECT& R) { R = RECT{4, 0, 0, 0}; }
  virtual void CalcCaptionTextRect(TdxBarItemControlDrawParams* P, RECT& R);
  virtual void AddCaptionExtraWidth(TdxBarButtonLikeControlDrawParams* P, int& Width);

  // ---- colour combo button
  virtual int EllipsisDotLift(int DotSize) { return DotSize; }
  virtual void ColorComboButtonRect(TdxBarColorComboControlDrawParams* P, const RECT& Bounds, RECT& R);
  virtual int ColorComboButtonWidth(int PaintType, const RECT& Bounds);
  virtual void DrawEllipsisDot(TdxBarItemControlDrawParams* P, const RECT& R);
  virtual void DrawEllipsisDots(TdxBarColorComboControlDrawParams* P, const RECT& R);

  // ---- combo arrows and menu scroll and expand buttons
  virtual void DrawComboArrow(TdxBarEditLikeControlDrawParams* P, const RECT& R, TColor Color, int Size);
  virtual void FillRectColor(TcxCanvas* Canvas, const RECT& R, TColor Color);
  // Direction 0 up, 1 down.
  virtual void DrawScrollArrow(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, int Direction, TColor Color,
                               const RECT& R);
  virtual void DrawMenuScrollButtons(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom);
  virtual void FillMenuScrollButton(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom);
  virtual void DrawMenuScrollSeparator(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom);
  virtual void MenuScrollButtonRect(TdxBarSubMenuControl* SubMenu, bool Bottom, RECT& R);
  virtual int MenuScrollButtonHeight(TdxBarSubMenuControl* SubMenu);
  virtual int ScrollArrowSize(int Height) { return Height / 3 - 1; }
  virtual void DrawExpandArrows(TdxBarSubMenuControl* SubMenu, HDC DC, bool Hot, const RECT& R);
  virtual void PaintExpandButton(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, const RECT& R, bool Hot);
  virtual void DrawExpandButtonFrame(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R);
  virtual bool ExpandButtonQuery() const { return false; }

  // ---- edits (text rectangle), spin arrows, centred text
  virtual void EditTextRect(int PaintType, RECT& R);
  // Button 3 upper, 4 lower.
  virtual void DrawSpinArrow(TdxBarSpinEditDrawParams* P, POINT Point, int Button);
  virtual void DrawCenteredText(HDC DC, const RECT& R, bool Opaque, const std::string& Text, int Offset);

  // ---- part rectangles
  virtual void AdjustButtonParts(TdxBarButtonLikeControlDrawParams* P, std::vector<RECT>& Parts);
  virtual void CalcColorComboParts(TdxBarColorComboControlDrawParams* P, std::vector<RECT>& Parts,
                                   const RECT& Bounds);
  virtual void CalcComboParts(TdxBarEditLikeControlDrawParams* P, std::vector<RECT>& Parts, const RECT& Bounds);
  virtual void CalcEditParts(TdxBarEditLikeControlDrawParams* P, std::vector<RECT>& Parts);
  virtual void CalcSpinEditParts(TdxBarSpinEditDrawParams* P, std::vector<RECT>& Parts, const RECT& Bounds);
  virtual void ItemTextColors(TdxBarItemControl* Control, bool Enabled, bool Selected, bool Flat, TColor& Text,
                              TColor& Shadow);
  virtual void CalcBarFrameSize(TdxBar* Bar, TdxBarDockingStyle Style, RECT& Borders, bool SizeGrip);
  virtual int SubMenuPopupOffset() const { return 0; }
  virtual int MenuItemHeight(TCustomdxBarControl* BarControl);
  virtual int HalfFontHeight(TdxBarItemControl* SubItem);
  virtual int ItemHeightForCanvas(TcxCanvas* Canvas);
  virtual int PopupBorderWidth() const { return 2; }

  // ---- glyph placement and the shared fills
  virtual void CalcLargeGlyphRect(SIZE GlyphSize, const RECT& Area, TdxBarGlyphLayout Layout, int ViewStructure,
                                  int PaintType, RECT& R);
  virtual void FillItemRect(TdxBarItemControl* Control, HDC DC, const RECT& R, HBRUSH Brush, bool Opaque);
  virtual void FrameItemRect(TdxBarItemControl* Control, HDC DC, const RECT& R, HBRUSH Brush, bool Opaque);
  virtual void FillDisabledRect(TdxBarItemControl* Control, HDC DC, const RECT& R);
  virtual void FillItemControlBackground(TdxBarItemControl* Control, TcxCanvas* Canvas, HBRUSH Brush,
                                         const RECT& R);
  // Places the glyph in Area (the large layout or centred) and draws it; GlyphRect
  // comes back as the image rectangle. CheckMark comes in set when the view
  // structure hides the glyph and is set when there is no glyph source.
  virtual void PlaceAndDrawGlyph(TdxBarItemControl* Control, HDC DC, const RECT& Area, const RECT& SecondArea,
                                 int PaintType, int ViewStructure, int ViewSize, bool CheckMark,
                                 const TdxBarGlyphState& State, RECT& GlyphRect);
  virtual void DrawGlyphImage(TdxBarItemControl* Control, HDC DC, const TdxBarGlyphState& State, bool CheckMark,
                              int PaintType, TCustomImageList* ImageList, TBitmap* Glyph, int ImageIndex,
                              const RECT& Area, const RECT& GlyphRect);
  virtual void DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) { (void)P, (void)R; }
  // Alignment 0 left, 1 centre, 2 right; Format adds to the DrawText flags.
  virtual void DrawItemText(TdxBarItemControl* Control, HDC DC, const std::string& Text, const RECT& R,
                            int Alignment, bool Enabled, bool Selected, bool Vertical, bool Clip, bool FlatSelected,
                            UINT Format);
  virtual void DrawSunkenEdge(HDC DC, RECT& R);
  virtual void DrawButtonFrame(TdxBarItemControl* Control, HDC DC, const RECT& R, bool Enabled, bool Selected,
                               bool Pressed) {
    (void)Control, (void)DC, (void)R, (void)Enabled, (void)Selected, (void)Pressed;
  }
  virtual void EditFrameOffsets(RECT& R) { R = RECT{2, 2, 2, 3}; }
  virtual HBRUSH ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarGlyphState& State,
                                     bool CheckMark);
  virtual int DownGlyphOffset(TdxBarItemControl* Control) { (void)Control; return 0; }
  virtual int PressedGlyphOffset(TdxBarItemControl* Control, bool Down) { (void)Control, (void)Down; return 0; }
  virtual bool UsesIdleGlyphLook() const { return false; }
  virtual bool HasFlatButtons() const { return false; }
  virtual bool UsesFlatSelection() const;
  virtual bool DropDownPartHot(TdxBarItemControl* Control) { (void)Control; return false; }
  virtual bool IsGlyphBackgroundOpaque(TdxBarItemControl* Control, bool CheckMark, const TdxBarGlyphState& State);
  virtual bool ShadowsHotGlyphs() const { return false; }
  virtual bool ItemHasOwnBackground(TdxBarItemControl* Control);
  virtual bool SelectedTextWhenPressed() const { return true; }
  virtual int ButtonBorderWidth(TdxBarItemControl* Control) { (void)Control; return 0; }
  virtual int SubMenuItemIndent(TdxBarItemControl* Control);

  // ---- grips and floating frames
  virtual int GripOffset() const { return 0; }
  virtual int FloatingFrameWidth() const { return GetSystemMetrics(SM_CXFRAME); }
  virtual int FloatingFrameHeight() const { return GetSystemMetrics(SM_CYFRAME); }
  virtual int NoGripExtent() const { return 0; }
  virtual int GripExtent(TCustomdxBarControl* BarControl) { (void)BarControl; return 0; }
  virtual int GripWidth(TCustomdxBarControl* BarControl) { (void)BarControl; return 3; }
  virtual int DropDownArrowWidth(TdxBarManager* Manager);
  virtual int LargeDropDownArrowWidth(TdxBarManager* Manager);
  virtual int MenuSeparatorIndent() const { return 0; }

  // ---- backgrounds and brushes
  // A dock site's background: Source is where R's picture starts in the site.
  virtual void FillBackground(TdxDockControl* Site, HDC DC, TColor Color, HBRUSH Brush, const RECT& ClientRect,
                              const RECT& Source, const RECT& R);
  virtual bool UsesThemeBackground() const { return false; }
  virtual bool JoinsSubMenuToItem(TCustomdxBarControl* BarControl) { (void)BarControl; return false; }
  virtual bool PopupJoinsOwner(TCustomdxBarControl* BarControl);
  virtual bool ShadowSkipsOwner(TCustomdxBarControl* BarControl) { return PopupJoinsOwner(BarControl); }
  // A popup (menu, mark popup) casts a drop shadow: the flat looks do, the raised
  // 3-D looks of the standard painters do not.
  virtual bool WantsShadow(TCustomdxBarControl* BarControl) { (void)BarControl; return true; }
  virtual HBRUSH ManagerBackgroundBrush(TdxBarManager* Manager);
  virtual int DockRowSpacing() const { return 0; }
  virtual void FillDockedBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                       const RECT& Origin, const RECT& R);
  virtual void FillBarBitmapBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                       const RECT& Origin, const RECT& R);
  virtual void FillQuickPopupFrame(TCustomdxBarControl* BarControl, HDC DC);
  // A popup's seam toward the rectangle it opened from (its OwnerLinkRect), drawn
  // open in the popup's own background.
  virtual void FillOwnerSeam(TCustomdxBarControl* BarControl, HDC DC);
  virtual HBRUSH ToolbarBrush(TCustomdxBarControl* BarControl);
  virtual HBRUSH ToolbarBrushFor(TCustomdxBarControl* BarControl) { return ToolbarBrush(BarControl); }
  virtual HBRUSH DownBrush(TCustomdxBarControl* BarControl);
  virtual HBRUSH FaceBrush(TCustomdxBarControl* BarControl);
  virtual HBRUSH SelectedBrush(TCustomdxBarControl* BarControl);

  // ---- bar-window metrics the edits and combos use
  virtual int ComboArrowWidth(TCustomdxBarControl* BarControl, int Size);
  virtual int EditTextHeight(TCustomdxBarControl* BarControl, int TextHeight);
  virtual void EditTextVerticalInsets(int& Top, int& Bottom) { Top = 2, Bottom = 2; }
  virtual void AdjustBarWindowRegion(HWND Wnd, const RECT& R, bool Flag) { (void)Wnd, (void)R, (void)Flag; }
  virtual bool MenuHasOwnBrush() const { return true; }

  // ---- toolbars, docked and floating
  virtual bool SupportsQuickCustomizing() const { return true; }
  virtual int SeparatorMargin() { return (SeparatorSize() - 2) / 2; }
  virtual int SeparatorSize() { return 6; }
  virtual void BarBorderSizes(TCustomdxBarControl* BarControl, RECT& R);
  virtual int BarBorderWidth() const { return 1; }
  virtual void DockedBarBorderSizes(TdxBar* Bar, TdxBarDockingStyle Style, RECT& R);
  virtual int FloatingCaptionHeight() { return SmallCaptionHeight() + 1; }
  virtual void FillFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R);
  virtual int SmallCaptionHeight();
  virtual bool FillsFloatingCaption() const { return false; }
  virtual void CaptionButtonSize(SIZE& Size);
  virtual void DrawBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                 const RECT& Origin, const RECT& R);
  // Across: a line across a vertical bar.
  virtual void DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush, const RECT& R);
  // State 0 normal, 1 hot, 2 pressed.
  virtual void DrawCaptionButtonFace(TCustomdxBarControl* BarControl, HDC DC, int State, const RECT& R);
  virtual void DrawFloatingCloseButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
    (void)BarControl, (void)DC, (void)R;
  }
  // The docked bar's border and grip over its window rectangle.
  virtual void DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
    (void)BarControl, (void)DC, (void)Brush, (void)R;
  }
  virtual void DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& Outer,
                                  const RECT& Inner) {
    (void)BarControl, (void)DC, (void)Brush, (void)Outer, (void)Inner;
  }
  virtual void DrawFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R);
  virtual void DrawCaptionMarkButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
    DrawMarkArrow(BarControl, DC, R);
  }
  virtual void DrawMark(TCustomdxBarControl* BarControl, TcxCanvas* Canvas, HBRUSH Brush, const RECT& R);
  // Button 0 minimize, 1 restore, 2 close; state 0 normal, 1 disabled, 2 hot, 3
  // pressed with the pointer off the button, 4 pressed.
  virtual void DrawMDIButton(TCustomdxBarControl* BarControl, int Button, const RECT& R, HDC DC, int State) {
    (void)BarControl, (void)Button, (void)R, (void)DC, (void)State;
  }
  virtual void DrawFloatingSizeGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R);
  virtual void FillSizeGripBand(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R);
  virtual int FloatingBorderExtraWidth() const { return 0; }
  virtual void MarkHitRect(TCustomdxBarControl* BarControl, RECT& R) { MarkRect(BarControl, R); }
  virtual void MarkRect(TCustomdxBarControl* BarControl, RECT& R);
  virtual void RedrawMark(TCustomdxBarControl* BarControl);
  virtual int FloatingBorderExtraTop() const { return 0; }
  virtual int FloatingBorderExtraBottom() const { return 0; }
  virtual bool SystemHandlesCloseButton() const { return false; }
  virtual int MarkButtonExtent(TCustomdxBarControl* BarControl) { (void)BarControl; return 11; }
  virtual void FillStatusBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                       const RECT& Origin, const RECT& WindowRect, const RECT& R);
  virtual void StatusBarBorders(RECT& R) { R = RECT{0, 0, 0, 0}; }
  virtual int StatusBarGripGap() const { return 2; }
  virtual void SizeGripExtent(TdxBarManager* Manager, SIZE& Size);
  virtual HBRUSH QuickPopupBrush(TCustomdxBarControl* BarControl) { return ToolbarBrushFor(BarControl); }
  virtual void QuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, bool Selected, int& Right, RECT& R);
  virtual void DrawQuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, bool Selected, const RECT& CheckRect,
                                           const RECT& ItemRect) {
    (void)Control, (void)DC, (void)Selected, (void)CheckRect, (void)ItemRect;
  }
  virtual bool QuickPopupQuery() const { return false; }

  // ---- buttons and menu items
  virtual int ItemIconAreaWidth(TdxBarItemControlDrawParams* P);
  virtual void ItemControlMargins(TdxBarItemControlDrawParams* P, RECT& R) { (void)P, R = RECT{3, 0, 3, 0}; }
  virtual HBRUSH ArrowPartBrush(TdxBarButtonLikeControlDrawParams* P);
  virtual bool ArrowPartOpaque(TdxBarButtonLikeControlDrawParams* P);
  virtual bool ArrowSelected(TdxBarButtonLikeControlDrawParams* P);
  virtual bool HotTracksButtons() const { return HasFlatButtons(); }
  virtual bool RepaintsOnHover() const { return HasFlatButtons(); }
  virtual int GlyphAreaExtraHeight() { return 6; }
  virtual int GlyphAreaExtraWidth() { return 7; }
  int GlyphAreaHeight(int ImageSize) { return ImageSize + GlyphAreaExtraHeight(); }
  int GlyphAreaWidth(int ImageSize) { return ImageSize + GlyphAreaExtraWidth(); }
  // The text height is not read: a large caption does not enlarge the glyph area.
  virtual SIZE GlyphAreaSize(int ImageSize, int TextHeight);
  virtual void SmallArrowSize(SIZE& Size) { Size = SIZE{5, 3}; }
  virtual void AdjustMenuItemHeight(int& Height) { (void)Height; }
  virtual void AdjustMenuItemWidth(int& Width) { (void)Width; }
  virtual void ShiftContentForState(bool Down, bool Pressed, RECT& R);
  virtual void ShiftPressedContent(bool Pressed, RECT& R);
  virtual void DrawButtonItem(TdxBarButtonLikeControlDrawParams* P, const RECT& R);
  virtual void DrawButtonCaption(TdxBarButtonLikeControlDrawParams* P, const RECT& GlyphRect, const RECT& TextRect);
  virtual void DrawButtonDropArrow(TdxBarButtonLikeControlDrawParams* P, const RECT& R);
  virtual void DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Brush);
  virtual void DrawDropDownPart(TdxBarButtonLikeControlDrawParams* P, const RECT& R);
  virtual void DrawSubItemArrow(TdxBarButtonLikeControlDrawParams* P, const RECT& R);

  // ---- combos, list boxes and sub-menus
  virtual TColor ComboArrowColor(TdxBarEditLikeControlDrawParams* P) { (void)P; return clBtnText; }
  virtual HBRUSH ComboButtonBrush(TdxBarEditLikeControlDrawParams* P);
  virtual int ComboButtonGap(TdxBarEditLikeControlDrawParams* P) { (void)P; return 1; }
  virtual void ComboBorderSizes(int PaintType, RECT& R) { EditBorderSizes(PaintType, R); }
  virtual void DrawComboButton(TdxBarEditLikeControlDrawParams* P, const RECT& R);
  virtual void DrawComboButtonFace(TdxBarEditLikeControlDrawParams* P, RECT& R, HBRUSH Brush) {
    (void)P, (void)R, (void)Brush;
  }
  virtual int ListBoxBorderWidth() const { return 2; }
  virtual void DrawListBoxBorder(HDC DC, TColor Color, const RECT& R);
  virtual bool MenuHasSideBand() const { return false; }
  virtual bool ShiftsRecentGroup() const { return false; }
  virtual int MenuScrollArrowOffset() const { return 2; }
  virtual int MenuArrowColumnWidth(int TextSize) { return TextSize / 4 * 3 + 1; }
  virtual int MenuGroupSeparatorHeight() { return 10; }
  int MenuBorderTotal() { return MenuOuterBorderWidth() + MenuInnerBorderWidth(); }
  virtual int MenuOuterBorderWidth() const { return 1; }
  virtual int MenuInnerBorderWidth() const { return 1; }
  virtual void CalcMenuMetrics(TcxCanvas* Canvas, int TextSize, int& ArrowHeight, int& ArrowWidth);
  virtual void MenuBorderSizes(TdxBarSubMenuControl* SubMenu, RECT& R);
  virtual int TearOffBarHeight(TdxBarSubMenuControl* SubMenu);
  virtual int MenuIconAreaWidth(TdxBarSubMenuControl* SubMenu);
  virtual int MenuTextIndent(TdxBarSubMenuControl* SubMenu);
  virtual int MenuTextVerticalInset() const { return 0; }
  virtual int MenuArrowInset(int Height) { return (Height - 6) / 2; }
  virtual int MinIconAreaWidth() const { return 19; }
  virtual void MenuGlyphRect(const RECT& ItemRect, int IconAreaWidth, RECT& R);
  virtual void MenuTextRect(TdxBarItemControlDrawParams* P, const RECT& ItemRect, RECT& R);
  virtual int MenuTextOffset(TdxBarItemControlDrawParams* P);
  virtual void MenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, RECT& R,
                                 const RECT& ItemRect);
  virtual void TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R);
  virtual void DrawMenuScrollHook(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) {
    (void)SubMenu, (void)Canvas, (void)Bottom;
  }
  virtual void FillMenuBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TColor Color, HBRUSH Brush,
                                  const RECT& R);
  virtual void DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R);
  virtual void DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R);
  virtual void FillTearOffBar(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R);
  virtual void DrawMenuSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, const RECT& R,
                                 TcxCanvas* Canvas);
  virtual void DrawMenuItemExtras(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, int Index,
                                  const RECT& R, HDC DC) {
    (void)SubMenu, (void)Control, (void)Index, (void)R, (void)DC;
  }
  virtual void DrawMenuSeparatorLine(TcxCanvas* Canvas, const RECT& R);
  bool MenuItemBrush(TdxBarSubMenuControl* SubMenu, HBRUSH& Brush);
  virtual int MenuItemHeightFor(TcxCanvas* Canvas) { return ItemHeightForCanvas(Canvas); }
  virtual HBRUSH MenuBrush(TdxBarSubMenuControl* SubMenu) { (void)SubMenu; return GetSysColorBrush(COLOR_BTNFACE); }
  virtual void DrawAppMenuBorder(TCustomdxBarControl* Window, HDC DC, const RECT& R);
  // The application menu's button: nothing in these painters.
  virtual void DrawAppMenuButton(TdxBarButtonLikeControlDrawParams* P, const RECT& R) { (void)P, (void)R; }
  virtual void FillAppMenuBackground(TdxBarSubMenuControl* Window, TcxCanvas* Canvas, const RECT& R);
  virtual void AppMenuMargins(RECT& R) { R = RECT{0, 0, 0, 0}; }
  virtual void FillExtraPaneBackground(TBitmap* Background, TcxCanvas* Canvas, TColor Color, HBRUSH Brush,
                                       const RECT& R);
  virtual void DrawExtraPaneSeparator(TCustomdxBarControl* BarControl, TcxCanvas* Canvas, bool Across, HBRUSH Brush,
                                      const RECT& R);

  // ---- edits
  virtual void DrawEditInterior(TdxBarCustomEditControl* Control, const std::string& Text, const RECT& R,
                                TcxCanvas* Canvas);
  virtual TColor EditBackgroundColor(TdxBarItemControl* Control) { (void)Control; return clWindow; }
  virtual TColor EditDisabledBackgroundColor(TdxBarItemControl* Control);
  virtual TColor EditBackgroundColorFor(TdxBarItemControlDrawParams* P);
  virtual TColor EditTextColor() { return clWindowText; }
  virtual TColor EditDisabledTextColor() { return clGrayText; }
  virtual TColor EditTextColorFor(TdxBarItemControl* Control);
  void GetEditColors(TdxBarItemControl* Control, TColor& TextColor, TColor& BackColor);
  virtual void DrawComboListItem(TdxBarCustomCombo* Combo, TcxCanvas* Canvas, int Index, const RECT& R);
  virtual void DrawEdit(TdxBarEditLikeControlDrawParams* P, const RECT& R);
  virtual void EditBorderSizes(int PaintType, RECT& R) { (void)PaintType, R = RECT{2, 2, 2, 2}; }
  virtual void DrawEditFrame(TdxBarEditLikeControlDrawParams* P);
  virtual void DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R);
  virtual void DrawEditCaption(TdxBarEditLikeControlDrawParams* P, const RECT& R);
  virtual void DrawEditSelection(TdxBarEditLikeControlDrawParams* P, const RECT& R);
  virtual void DrawEditGlyph(TdxBarEditLikeControlDrawParams* P, const RECT& R);
  virtual bool EditPartOpaque(TdxBarEditLikeControlDrawParams* P);
  virtual bool EditGapOpaque(TdxBarEditLikeControlDrawParams* P);
  virtual void DrawEditContent(TdxBarCustomEditControl* Control, TcxCanvas* Canvas, const RECT& R);
  virtual bool EditShowsGlyph(TdxBarItemControlDrawParams* P) { (void)P; return false; }
  // Kind 1 the caption part, 0 the glyph part.
  virtual void EditCaptionMargins(TdxBarItemControlDrawParams* P, int Kind, RECT& R);
  virtual int EditCaptionIndent(TdxBarItemControlDrawParams* P);
  virtual int EditCaptionIndentMenuGlyph(TdxBarItemControlDrawParams* P) { (void)P; return 2; }
  virtual int EditCaptionIndentNoGlyph(TdxBarItemControlDrawParams* P) { (void)P; return 2; }
  virtual int EditCaptionRightGap() { return 4; }
  virtual void EditMenuCaptionMargins(TdxBarItemControlDrawParams* P, RECT& R) { (void)P, R = RECT{4, 0, 0, 0}; }
  virtual HBRUSH EditCaptionBrush(TdxBarItemControl* Control);
  virtual bool EditGlyphSelected(TdxBarItemControl* Control) { (void)Control; return false; }
  virtual void SelectEditText(TdxBarItemControl* Control, HWND Edit, bool TextChanged);

  // ---- the extra items
  virtual bool ColorComboButtonInside() const { return false; }
  bool ColorComboHasCustomButton(TdxBarItemControlDrawParams* P);
  virtual void ColorComboAdjustEditArea(TdxBarItemControlDrawParams* P, RECT& R);
  virtual void CustomButtonMargins(int PaintType, RECT& R) { (void)PaintType, R = RECT{1, 2, 1, 2}; }
  virtual void DrawCustomColorButton(TdxBarColorComboControlDrawParams* P, const RECT& R);
  virtual void DrawCustomButtonSurround(TdxBarItemControlDrawParams* P, const RECT& R);
  // The drop-down window's inner rectangle; with the panel, Corner comes back as
  // the corner it opens at against the edit of Control.
  virtual void TreeViewDropDownInnerRect(HWND DropDown, RECT& R, bool WithPanel, TdxBarItemControl* Control,
                                         int& Corner);
  virtual void DrawDropDownSysPanel(HWND DropDown, bool WithPanel, int Corner, RECT& GripRect, RECT& CloseRect,
                                    bool Tracking, bool MouseOver);
  virtual int DropDownSysPanelHeight();
  virtual bool CalendarIsFlat() const { return false; }
  virtual void PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text, const RECT& R);
  virtual TColor CalendarHeaderColor() { return clBtnFace; }
  virtual void SpinArrowPosition(TdxBarSpinEditDrawParams* P, const RECT& ButtonRect, POINT& Point, int Button);
  virtual void SpinEditAdjustEditArea(TdxBarSpinEditDrawParams* P, RECT& R);
  void SpinArrowSize(int ButtonHeight, SIZE& Size);
  // Button 1 upper, 2 lower.
  virtual void SpinButtonRect(TdxBarSpinEditDrawParams* P, const RECT& Bounds, RECT& R, int Button);
  virtual void SpinButtonMargins(int PaintType, RECT& R) { (void)PaintType, R = RECT{1, 0, 1, 0}; }
  virtual int SpinButtonsWidth(int PaintType, const RECT& Bounds);
  // 1 normal, 2 hot, 3 pressed, 4 disabled.
  virtual int SpinButtonState(TdxBarSpinEditDrawParams* P, int Button);
  virtual void DrawSpinButton(TdxBarSpinEditDrawParams* P, const RECT& R, int Button);
  virtual void SpinEditFillBackground(TdxBarItemControlDrawParams* P, const RECT& R);
  virtual TColor ProgressBarColor() { return clHighlight; }
  virtual bool ProgressPaintsIncrementally() const { return false; }
  virtual int ProgressBarThickness() { return 12; }
  virtual int ProgressLeftIndent(TdxBarItemControlDrawParams* P) { (void)P; return 0; }
  virtual void DrawProgressBar(TdxBarProgressControlDrawParams* P, const RECT& R, TColor Color);
  virtual void DrawProgressFrame(TdxBarProgressControlDrawParams* P, RECT& R);
  virtual void DrawProgressChunks(TdxBarProgressControlDrawParams* P, const RECT& R, HBRUSH Brush);
  virtual void FillProgressSolid(TdxBarProgressControlDrawParams* P, const RECT& R, HBRUSH Brush);
  virtual void FillProgressChunk(TdxBarProgressControlDrawParams* P, const RECT& R, HBRUSH Brush) {
    FillProgressSolid(P, R, Brush);
  }
  virtual int ContainerHeightIndent() const { return 0; }
  virtual HBRUSH InPlaceSubItemBandBrush() { return GetSysColorBrush(COLOR_BTNSHADOW); }
  virtual int InPlaceSubItemTextSize(TdxBarItemControlDrawParams* P);
  virtual int InPlaceSubItemIndent() const { return 5; }
  virtual bool InPlaceSubItemFlatSelected(TdxBarItemControlDrawParams* P) { return P->DrawSelected; }
  virtual bool InPlaceSubItemArrowSelected(TdxBarItemControlDrawParams* P) { (void)P; return true; }
  virtual void DrawInPlaceSubItemArrow(TdxBarInPlaceSubItemControlDrawParams* P, int Orientation, const RECT& R);
  virtual void DrawInPlaceSubItemBand(TdxBarInPlaceSubItemControlDrawParams* P, const RECT& R);
  virtual void DrawInPlaceSubItem(TdxBarInPlaceSubItemControlDrawParams* P, const RECT& R);
  virtual void FillStaticBackground(TdxBarItemControlDrawParams* P, const RECT& R);
  virtual void DrawStaticBorder(TdxBarStaticLikeControlDrawParams* P, RECT& R);
  virtual void DrawStaticItem(TdxBarItemControlDrawParams* P, const RECT& R);
  virtual void DrawStaticItemWithBorder(TdxBarStaticLikeControlDrawParams* P, const RECT& R, int LeftIndent,
                                        int RightIndent);
  virtual bool StaticHasOwnBrush(TdxBarItemControlDrawParams* P);
  virtual void StaticBorderSizes(TdxBarStaticBorderStyle Style, RECT& R);
  virtual void SeparatorMargins(RECT& R) { R = RECT{6, 0, 0, 0}; }
  virtual int SeparatorItemHeight() { return 2; }
  virtual void DrawSeparatorItemBackground(TdxBarItemControlDrawParams* P, const RECT& R) { DrawStaticItem(P, R); }
  virtual void DrawSeparatorItem(TdxBarSeparatorControlDrawParams* P, const RECT& R);

  // Places and draws the control's glyph with its draw parameters' view size and structure.
  void DrawControlGlyph(TdxBarItemControlDrawParams* P, const RECT& Area, const RECT& SecondArea, int PaintType,
                        bool CheckMark, const TdxBarGlyphState& State);

protected:
  // A button-like item as a menu line: glyph column, caption, description and shortcut.
  void DrawMenuLine(TdxBarButtonLikeControlDrawParams* P, const RECT& R);
  // The classic and themed glyph column of a menu line over Background: the
  // column beside the glyph and the strips above and below it, then the text area.
  void DrawMenuGlyphColumn(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Background);
  // Fills the margins of a bar separator through the window and answers the band left between them.
  RECT FillSeparatorMargins(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush, const RECT& R);

private:
  TcxLookAndFeelPainterClass FSkinPainter = nullptr;
};

using TdxBarPainterClass = TClassOf<TdxBarPainter>;

// The one shared painter of a class, made on first use and freed with the bar unit.
TdxBarPainter* PainterInstanceOf(TdxBarPainterClass Class);
void FreePainterInstances();

// The class of painter kind 5 (a skin painter): the standard painter until a skin
// package puts its own here.
extern TdxBarPainterClass dxBarSkinPainterClass;
