// Item controls: the live view of one item link inside one bar window. A link
// creates its control, of the class the item-class registry pairs with the item's
// class, while its window shows it, and frees it afterwards; a rebuild of the
// window replaces every control, so nothing (pressed, hot, dropped down) outlives it.
//
// The base holds what every kind needs: the draw parameters handed to the
// painter, the layout record the toolbar layout reads (with a width cache per view
// level), the glyph cache, the hot part, the click pipeline and the reaction to
// changes of the item or link. Sizes are named by the caption's direction: the
// length runs along the caption, the thickness across it; a rotated control (a
// vertical toolbar that turns its captions) swaps them in its window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/ControlTypes.h"
#include "framework/Menus.h"
#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/dxFading.h"

class TBitmap;
class TCustomImageList;
class TCustomdxBarControl;
class TdxBarPainter;
class TdxBarAccessibilityHelper;
class TdxBarSubMenuControl;
class TcxBitmap;
class TcxCanvas;
class TFont;
class TControl;

// View structure bits: the glyph and the caption are shown.
inline constexpr int vsGlyph = 1;
inline constexpr int vsCaption = 2;

// Everything a painter reads of a control for one drawing; one record per control.
class TdxBarItemControlDrawParams : public TObject {
  SONVELT_CLASS(TdxBarItemControlDrawParams, TObject)
public:
  using TCreateArg = TdxBarItemControl*;
  explicit TdxBarItemControlDrawParams(TdxBarItemControl* AControl) : Control(AControl) {}

  TdxBarItemControl* HostItemControl() const { return Control; }
  // 0 small, 1 large icons, 2 large (a large menu item or the large level); a
  // change drops the control's rendered glyph.
  int GetViewSize() const { return FViewSize; }
  void SetViewSize(int Value);
  bool ShowsGlyph() const { return ViewStructure & vsGlyph; }
  bool ShowsCaption() const { return ViewStructure & vsCaption; }
  bool IsMenu() const { return PaintType == 1; }

  TdxBarItemControl* Control;
  TcxCanvas* Canvas = nullptr;
  std::string Caption;
  std::string Description;
  std::string ShortCutText;
  // 0 horizontal bar, 1 menu, 2 rotated vertical bar.
  int PaintType = 0;
  int ViewStructure = 0;
  bool Enabled = true;
  bool CanSelect = true;
  bool DrawSelected = false;
  bool DroppedDown = false;
  bool HasDropDown = false;
  int HotPartIndex = -1;
  bool Customizing = false;
  bool Pressed = false;
  bool SelectedByKey = false;
  SIZE GlyphAreaSize{0, 0};

private:
  int FViewSize = 0;
};

using TdxBarItemControlDrawParamsClass = TClassOf<TdxBarItemControlDrawParams>;

// The last rendered glyph of a control, so that repainting on hover does not draw
// image-list images again through temporary bitmaps.
class TdxCachedImageOptions : public TObject {
  SONVELT_CLASS(TdxCachedImageOptions, TObject)
public:
  TdxCachedImageOptions();
  ~TdxCachedImageOptions() override;

  // The same mode, the same glyph (or list when there is no glyph) and a picture.
  bool IsValidFor(int DrawMode, TBitmap* Glyph, TCustomImageList* ImageList) const;
  // Draws the glyph (or the list's image) into the cache the size of R and a
  // margin of CacheMargin around it (a shadowed glyph reaches into the margin).
  void Render(HDC DC, const RECT& R, TBitmap* Glyph, int ImageIndex, TCustomImageList* ImageList, int DrawMode,
              HBRUSH Brush, TColor TransparentColor, bool UseLeftBottomPixelAsTransparent);
  // Blends the cached picture over R and its margin, as far as it lies in Bounds.
  void Draw(HDC DC, const RECT& R, const RECT& Bounds) const;
  static constexpr int CacheMargin = 1;
  void Invalidate() { FValid = false; }
  bool IsValid() const { return FValid; }

private:
  bool FValid = false;
  TOwned<TcxBitmap> FBitmap;
  int FDrawMode = 0;
  TCustomImageList* FImageList = nullptr;
  TBitmap* FGlyph = nullptr;
};

// The layout record of one control, in its window's list of view infos.
class TdxBarItemControlViewInfo : public TObject {
  SONVELT_CLASS(TdxBarItemControlViewInfo, TObject)
public:
  using TCreateArg = TdxBarItemControl*;
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* AControl);
  ~TdxBarItemControlViewInfo() override;

  TdxBarItemControl* GetControl() const { return FControl; }
  TdxBarItemViewLevels GetAllowedViewLevels() const { return FAllowedViewLevels; }
  TdxBarItemViewLevel GetMinPossibleViewLevel() const { return FMinPossibleViewLevel; }
  RECT ControlBounds() const { return FBounds; }
  void SetBounds(const RECT& R) { FBounds = R; }
  int GetLayoutValue() const { return FLayoutValue; }
  void SetLayoutValue(int Value) { FLayoutValue = Value; }
  int GetSecondLayoutValue() const { return FSecondLayoutValue; }
  void SetSecondLayoutValue(int Value) { FSecondLayoutValue = Value; }
  RECT GetImageBounds() const { return FImageBounds; }
  void SetImageBounds(const RECT& R) { FImageBounds = R; }
  TdxBarButtonGroupPosition GetRealPositionInButtonGroup() const { return FRealPositionInButtonGroup; }
  void SetRealPositionInButtonGroup(TdxBarButtonGroupPosition Value) { FRealPositionInButtonGroup = Value; }
  TdxBarItemViewLevel GetViewLevel() const { return FViewLevel; }
  void SetViewLevel(TdxBarItemViewLevel Value) { FViewLevel = Value; }
  TdxBarItemViewLevel GetViewLevelForButtonGroup() const { return FViewLevelForButtonGroup; }

  // The link's values the layout reads through the record.
  TdxBarItemAlign GetAlign() const;
  bool GetDistributed() const;
  TdxBarItemPosition GetPosition() const;
  bool GetBeginGroup() const;
  // The link's button group when the control allows groups, else bgpNone.
  TdxBarButtonGroupPosition GetButtonGroupPosition() const;
  bool GetCollapsed() const { return FCollapsed; }
  void SetCollapsed(bool Value) { FCollapsed = Value; }

  // The control's width at a level of the allowed set, computed once;
  // EdxException ("Testing! The level is not allowed") for any other level.
  int WidthForViewLevel(TdxBarItemViewLevel Level);
  void ClearWidthCache();

private:
  TdxBarItemControl* FControl;
  TdxBarItemViewLevels FAllowedViewLevels;
  RECT FBounds{0, 0, 0, 0};
  int FLayoutValue = 0;
  RECT FImageBounds{0, 0, 0, 0};
  TdxBarItemViewLevel FMinPossibleViewLevel = ivlSmallIconWithText;
  TdxBarButtonGroupPosition FRealPositionInButtonGroup = bgpNone;
  int FSecondLayoutValue = 0;
  TdxBarItemViewLevel FViewLevel = ivlDefault;
  TdxBarItemViewLevel FViewLevelForButtonGroup = ivlSmallIconWithText;
  bool FCollapsed = false;
  struct TWidthCacheEntry {
    bool Valid = false;
    int Width = 0;
  };
  TWidthCacheEntry FWidthCache[4];
};

using TdxBarItemControlViewInfoClass = TClassOf<TdxBarItemControlViewInfo>;

// What SelectItemFont changed on the canvas, for RestoreItemFont.
struct TdxBarItemFontSave {
  LOGFONTW Font{};
  bool Changed = false;
};

class TdxBarItemControl : public TcxIUnknownObject, public IdxFadingObject {
  SONVELT_CLASS(TdxBarItemControl, TcxIUnknownObject)
public:
  using TCreateArg = TdxBarItemLink*;
  explicit TdxBarItemControl(TdxBarItemLink* ALink);
  ~TdxBarItemControl() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // ---- accessors
  TdxBarItemLink* GetItemLink() const { return FItemLink; }
  TdxBarItemLink* ItemLink() const { return FItemLink; }
  // The window of the link's collection.
  TCustomdxBarControl* GetParent() const { return FParent; }
  TdxBarItem* LinkedItem() const;
  TdxBarManager* LinkManager() const;
  TdxBarManager* ItemManager() const;
  TdxBarSubMenuControl* SubMenuParent() const;
  TdxBarItemControlViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  TdxBarItemControlDrawParams* GetDrawParams() const { return FDrawParams.get(); }
  TdxCachedImageOptions* GetCachedImageOptions() const { return FCachedImageOptions.get(); }
  // The control's rectangle in its window (its link's).
  void ItemBounds(RECT& R) const;
  RECT ItemBounds() const;
  // The canvas the control paints on: a foreign one while Paint draws there, else the window's.
  TcxCanvas* PaintCanvas() const;
  HBRUSH BackgroundBrush() const;
  bool HasStyleBrush() const { return FStyleBrush != nullptr; }
  // Puts another style brush in place (the caller's) and gives back the previous one.
  HBRUSH ExchangeStyleBrush(HBRUSH Brush);
  int GetHotPartIndex() const { return FHotPartIndex; }
  int PartAtPoint(POINT P) const;
  const std::vector<RECT>& PartRects() const { return FPartRects; }
  RECT PartRect(int Index) const;
  bool GetActive() const { return FActive; }
  bool GetPressed() const { return FPressed; }
  void SetPressed(bool Value);
  bool GetSelectedByMouse() const { return FSelectedByMouse; }
  void SetSelectedByMouse(bool Value) { FSelectedByMouse = Value; }
  bool IsNonRecent() const { return FNonRecent; }
  void SetNonRecent(bool Value) { FNonRecent = Value; }
  bool GetRecentGroupChanged() const { return FRecentGroupChanged; }
  void SetRecentGroupChanged(bool Value) { FRecentGroupChanged = Value; }
  bool GetRowBreak() const { return FRowBreak; }
  void SetRowBreak(bool Value) { FRowBreak = Value; }
  bool GetLastInRow() const { return FLastInRow; }
  void SetLastInRow(bool Value) { FLastInRow = Value; }
  int GetTextHeight() const { return FTextHeight; }

  // ---- fading (the fader's object interface); these painters never fade
  virtual bool CanFadeNow() override { return false; }
  void RepaintFadeFrame() override { RepaintFading(); }
  virtual void RepaintFading() { Repaint(); }
  void AttachFadingData(IdxFadingElementData* Data) override { FFadingData = Data; }
  void DetachFadingData() override { FFadingData = nullptr; }
  void BuildFadeImages(TBitmap*& FadeOutBitmap, TBitmap*& FadeInBitmap, int& FadeInFrames, int& FadeInDelay,
                       int& FadeOutFrames, int& FadeOutDelay) override;
  bool FadingAvailable() const;

  // ---- screen tips
  // The hint before "|" and the shortcut suffix, only for the control under the
  // mouse of an inactive window; False (Cancelled) when the action refuses it.
  virtual bool GetHintInfo(bool& Cancelled, std::string& HintText, std::string& ShortCutText);
  virtual bool IsEnabled() const;
  virtual TdxFader* Fader() const;

  // ---- notifications from the item and the link
  virtual void BeginGroupChanged();
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged() {}
  virtual void LargeGlyphChanged();
  virtual void Recalc();
  void Recalculate() { Recalc(); }
  // The item's image index or image list changed.
  void ImageChanged() { GlyphChanged(); }
  // The item's font changed: the control repaints (its paint selects the font).
  virtual void PaintWithFont() { Repaint(); }
  virtual void PaintStyleChanged() {}
  virtual void ParentShowingChanged(bool Showing) { (void)Showing; }
  virtual void PressedChanged();
  virtual void UpdateHostedControl(bool Value) { (void)Value; }
  virtual void VisibleChanged();
  virtual void WidthChanged();
  virtual void ReleaseHostedControl() {}
  // A window this control opened (its drop-down or sub-menu) closed by itself.
  virtual void DropDownWindowClosed() {}

  // ---- behaviour
  virtual bool AllowsButtonGroup() const { return false; }
  virtual bool IsClickable() const { return true; }
  virtual bool IsOwnItem() const;
  virtual bool CanDeactivateFor(TdxBarManager* Manager) const { (void)Manager; return CanClose(); }
  virtual bool CanClose() const { return true; }
  virtual bool CanSelectByMouse() const { return CanSelect(); }
  virtual bool CanSelect() const;
  virtual void TrackHotPart(POINT P);
  // The click pipeline: ClickControl, then, while the window still exists and
  // holds this control, ExecuteClick.
  virtual void Click(bool ByMouse, char Key = 0);
  virtual void ControlActivate(bool Immediately, bool ByMouse = true);
  virtual void ControlInactivate(bool Immediately, bool ByMouse = true);
  virtual void ClickControl(bool ByMouse, char Key);
  virtual void ExecuteClick(bool ByMouse);
  virtual void ActiveBarMouseDown(bool WasSelected, bool& Handled);
  virtual bool IsDrawnSelected() const { return IsSelectedInParent(); }
  virtual bool WantsKey(WORD Key) const { (void)Key; return false; }
  virtual TClass AccessibilityHelperClass() const;

  // ---- view levels, parts and glyph sources
  virtual TdxBarItemViewLevels PossibleViewLevels() const;
  TdxBarItemViewLevels CheckedPossibleViewLevels() const;
  TdxBarItemViewLevels PermittedViewLevels() const;
  virtual int CalcViewStructure() const;
  virtual int GetPaintStyleParts() const { return 0; }
  virtual int DefaultViewSize() const;
  int CalcViewSize() const;
  virtual int PaintType() const;
  virtual int PartCount() const { return 1; }
  virtual TdxBarItemControlViewInfoClass ViewInfoClass() const { return TdxBarItemControlViewInfo::StaticClass(); }
  virtual bool IsGlyphGrayed() const { return false; }
  virtual std::string LinkCaption() const;
  virtual TControl* HostedControl() const { return nullptr; }
  virtual TdxBarItemControlDrawParamsClass DrawParamsClass() const {
    return TdxBarItemControlDrawParams::StaticClass();
  }
  virtual TBitmap* Glyph() const;
  virtual bool HasEnabledLookImage() const;
  virtual int ImageIndex() const;
  virtual TCustomImageList* ImagesFor(int ViewSize) const;
  virtual TCustomImageList* Images() const;
  virtual std::string ControlHintText() const;
  virtual TCustomImageList* HotImages() const;
  virtual TBitmap* LargeGlyph() const;
  virtual int LargeImageIndex() const;
  virtual TCustomImageList* LargeImages() const;
  virtual int ImageIndexFor(int ViewSize) const;
  // The glyph source at a view size: a list and index, or a bitmap; the window's
  // default glyph when the control has none. The state flag picks between two
  // sources in controls that have them.
  virtual bool FindGlyphSource(int ViewSize, bool State, int& ImageIndex, TCustomImageList*& ImageList,
                               TBitmap*& Glyph) const;
  bool HasImage(int ViewSize) const;
  bool ShowsImage(int ViewSize, int ViewStructure) const;
  virtual SIZE GlyphSize(int ViewSize, bool State = false) const;
  bool UsesLargeIcons() const;
  bool UsesLargeImages(int ViewSize) const;
  bool HasLargeGlyphFor(int ViewSize) const;
  bool HasLargeImageFor(int ViewSize) const;

  virtual TdxBarMenuItemSize MenuItemSize() const;
  virtual TdxBarPainter* GetPainter() const;
  virtual TShortCut ShortCut() const;
  virtual int MenuCaptionOffset() const;
  virtual void UpdateDrawParams(bool Full);
  void RefreshDrawParams();
  virtual void CalcPartRects();
  virtual void UpdateCachedValues();
  virtual void CalcCachedValues();
  // Draws the control on Canvas; an empty rectangle draws nothing.
  void Paint(TcxCanvas* Canvas, const RECT& R, int PaintTypeValue);
  virtual void PaintControl(const RECT& R, int PaintTypeValue) { (void)R, (void)PaintTypeValue; }
  virtual bool IsTransparentPaint() const { return true; }
  virtual void SelectItemFont(HFONT Font, TdxBarItemFontSave& Saved);
  virtual void RestoreItemFont(const TdxBarItemFontSave& Saved);
  virtual TCustomdxBarControl* OpenedWindow() const { return nullptr; }
  virtual RECT ExcludedPaintRect() const { return RECT{0, 0, 0, 0}; }

  // ---- metrics
  virtual int CalcTextAreaWidth();
  virtual RECT PartMargins(int Part) const;
  virtual int CaptionAreaWidth();
  virtual int EditAreaWidth() const { return 0; }
  virtual int GlyphAreaWidth() const;
  virtual int CaptionIndent() const;
  virtual int ShortCutAreaWidth();
  virtual int MenuArrowAreaWidth() const;
  virtual int CalcHeight();
  virtual int CalcWidth();
  virtual int CalcNormalLength();
  virtual int CalcLargeLength();
  virtual int CalcMenuHeight();
  virtual int CalcMenuWidth();
  virtual int MinThickness() { return 1; }
  virtual int MinLength() { return 1; }
  virtual int CalcLargeThickness();
  virtual int CalcNormalThickness();
  virtual int CalcThickness();
  virtual int CalcLength();
  // The sizes the window lays the control out with (the item font selected).
  int Width();
  int Height();
  // The same, as the toolbar layout asks for them.
  int GetWidthInParent() { return Width(); }
  int GetHeightInParent() { return Height(); }
  int CalcWidthForViewLevel(TdxBarItemViewLevel Level);
  int AlongComponent(const SIZE& S) const { return IsRotated() ? S.cy : S.cx; }
  int AcrossComponent(const SIZE& S) const { return IsRotated() ? S.cx : S.cy; }
  // The control's own text height when its item's Style sets a font, else the window's.
  int TextSize() const;
  SIZE MeasureText(const std::string& Text);
  int TextWidth(const std::string& Text) { return MeasureText(Text).cx; }
  int TextHeight() { return MeasureText("Qq").cy; }
  bool ShowsDescription() const;
  bool ShowsShortCuts() const;
  TdxBarGlyphLayout ItemGlyphLayout() const;

  // ---- window-facing
  virtual bool ShowsHint() const;
  // An opened sub-menu is drawn joined to this control.
  virtual bool ParentPainterMetric() const;
  virtual bool WantsMouse() const { return CanSelect() || IsClickable(); }
  // The handle is the window's child (in-place windows: theirs too).
  virtual bool OwnsWindow(HWND Wnd) const;
  virtual bool ClosesMenusOnClick() const { return true; }
  virtual bool HasDropDown() const { return false; }
  virtual bool FramesWholeControl() const { return false; }
  virtual bool DblClickActsOnLinks() const { return false; }
  virtual bool HasInPlaceLinks() const { return false; }
  virtual bool IsInMainMenuBar() const { return false; }
  virtual bool IsRotated() const;
  virtual bool CapturesMouse() const { return false; }
  virtual void StartSizing(POINT P) { (void)P; }
  virtual bool IsSizingPoint(POINT P) { (void)P; return false; }
  virtual void EndSizing(bool Apply) { (void)Apply; }
  virtual void DoSizing(POINT P) { (void)P; }
  virtual bool HasInnerWindow() const { return false; }
  // An in-place window control (edits and combos).
  bool IsWindowControl() const { return HasInnerWindow(); }
  virtual bool IsDroppedDown() const { return false; }
  virtual void Repaint();
  // An in-place editor is editing (keys go to it, not to the bars).
  virtual bool IsEditing() const { return false; }

  // ---- states and helpers
  bool IsSelectedInParent() const;
  TdxBarItemAlign ActualAlign() const;
  // The paint style the control draws with (buttons: the link's, or the window's default).
  virtual TdxBarPaintStyle EffectivePaintStyle() const;
  bool IsForeignWhileCustomizing() const;
  bool IsPressedByMouse() const;
  bool ParentStaysOpen() const;
  bool UnclickNeeded() const;
  void InvalidateGlyphCache(bool WithViewInfo);
  TdxBarAccessibilityHelper* GetIAccessibilityHelper();
  void SaveNonRecentToSubMenu();
  void ClearSubMenuNonRecent();

  // ---- input the window routes here
  virtual void DblClick() {}
  virtual bool DblClickGoesToWindow() const;
  virtual void KeyDown(WORD& Key, TShiftState Shift) { (void)Key, (void)Shift; }
  virtual void KeyUp(WORD& Key, TShiftState Shift) { (void)Key, (void)Shift; }
  virtual void KeyPress(char& Key) { (void)Key; }
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
  virtual void MouseEnter(TShiftState Shift, int X, int Y);
  virtual void MouseLeave();
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }

protected:
  void SetActiveFlag(bool Value) { FActive = Value; }
  std::vector<RECT>& MutablePartRects() { return FPartRects; }
  TcxCanvas* GetActiveCanvas() const { return FActiveCanvas; }
  // The item font selected around Proc, restored even on an exception.
  template <class F>
  auto WithItemFont(F Proc) {
    TdxBarItemFontSave Saved;
    SelectItemFont(nullptr, Saved);
    try {
      auto Result = Proc();
      RestoreItemFont(Saved);
      return Result;
    } catch (...) {
      RestoreItemFont(Saved);
      throw;
    }
  }

private:
  TcxCanvas* FActiveCanvas = nullptr;
  HBRUSH FStyleBrush = nullptr;
  bool FRowBreak = false;
  TOwned<TdxCachedImageOptions> FCachedImageOptions;
  bool FRecentGroupChanged = false;
  IdxFadingElementData* FFadingData = nullptr;
  TdxBarAccessibilityRef FAccessibilityHelper;
  bool FActive = false;
  TdxBarItemLink* FItemLink;
  bool FLastInRow = false;
  bool FNonRecent = false;
  TCustomdxBarControl* FParent = nullptr;
  bool FPressed = false;
  bool FSelectedByMouse = false;
  int FTextHeight = 0;
  TOwned<TdxBarItemControlDrawParams> FDrawParams;
  int FHotPartIndex = -1;
  std::vector<RECT> FPartRects;
  TOwned<TdxBarItemControlViewInfo> FViewInfo;
};

using TdxBarItemControlClass = TClassOf<TdxBarItemControl>;
