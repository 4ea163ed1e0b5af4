// Item controls: the live view of one item link inside one bar window. A link
// creates its control, of the class the item-class registry pairs with the item's
// class, while its window shows it, and frees it afterwards. The base here holds
// the link and answers the questions the model and the hooks ask; the item-control
// work fills in the drawing, sizing and input of every kind.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseClasses.h"

class TBitmap;
class TCustomImageList;
class TCustomdxBarControl;
class TdxBarPainter;
class TdxBarAccessibilityHelper;

// The per-control view info kept in its window's view-info list.
class TdxBarItemControlViewInfo : public TObject {
  SONVELT_CLASS(TdxBarItemControlViewInfo, TObject)
public:
  using TCreateArg = TdxBarItemControl*;
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* AControl) : FControl(AControl) {}
  TdxBarItemControl* GetControl() const { return FControl; }
  RECT ControlBounds() const { return FBounds; }
  void SetBounds(const RECT& R) { FBounds = R; }

private:
  TdxBarItemControl* FControl;
  RECT FBounds{0, 0, 0, 0};
};

class TdxBarItemControl : public TcxIUnknownObject {
  SONVELT_CLASS(TdxBarItemControl, TcxIUnknownObject)
public:
  using TCreateArg = TdxBarItemLink*;
  explicit TdxBarItemControl(TdxBarItemLink* ALink);
  ~TdxBarItemControl() override;

  TdxBarItemLink* GetItemLink() const { return FItemLink; }
  // The window of the link's collection.
  TCustomdxBarControl* GetParent() const;
  TdxBarItem* LinkedItem() const;
  TdxBarManager* LinkManager() const;
  TdxBarPainter* GetPainter() const;
  TdxBarItemControlViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  // The control's rectangle in its window (its link's).
  void ItemBounds(RECT& R) const;

  bool GetActive() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  bool GetSelectedByMouse() const { return FSelectedByMouse; }
  void SetSelectedByMouse(bool Value) { FSelectedByMouse = Value; }

  virtual bool IsEnabled() const;
  virtual bool CanSelect() const;
  bool IsSelectedInParent() const;
  virtual bool IsOwnItem() const;
  // Whether the control owns a window (in-place editors); base False.
  virtual bool IsWindowControl() const { return false; }
  virtual bool OwnsWindow(HWND Wnd) const { (void)Wnd; return false; }
  // An in-place editor is editing (keys go to it, not to the bars).
  virtual bool IsEditing() const { return false; }

  // Clicks.
  virtual bool ClosesMenusOnClick() const { return true; }
  // ClickControl, then (when the window still exists) ExecuteClick.
  virtual void Click(bool ByMouse, char Key = 0);
  virtual void DblClick() {}
  virtual bool AcceptsDblClick() const { return false; }
  virtual bool DblClickActsOnLinks() const { return false; }
  virtual std::string GetHint() const;

  // Sizes and painting.
  virtual int GetWidthInParent() const { return 0; }
  virtual int GetHeightInParent() const { return 0; }
  virtual int ParentPainterMetric() const { return 0; }
  virtual void PaintControl(const RECT& R) { (void)R; }
  virtual void Repaint();
  // Repaints with the item's font selected.
  virtual void PaintWithFont() { Repaint(); }
  virtual void Recalculate() { Repaint(); }
  // The item's Align, or iaLeft where the window does not align this control.
  virtual TdxBarItemAlign ActualAlign() const;
  // The paint style the control draws with (buttons: the link's, or the window's default).
  virtual TdxBarPaintStyle EffectivePaintStyle() const;
  virtual void InvalidateGlyphCache(bool Recalc) { (void)Recalc; }
  // Draws the glyph through the control's glyph cache; false when the control keeps none.
  virtual bool DrawCachedGlyph(HDC DC, const RECT& GlyphRect, const RECT& R, int Mode, TBitmap* Glyph,
                               TCustomImageList* ImageList, int ImageIndex) {
    (void)DC, (void)GlyphRect, (void)R, (void)Mode, (void)Glyph, (void)ImageList, (void)ImageIndex;
    return false;
  }

  // Change notices from the item and the link.
  virtual void CaptionChanged();
  virtual void EnabledChanged() { Repaint(); }
  virtual void GlyphChanged() { Recalculate(); }
  virtual void ImageChanged() { GlyphChanged(); }
  virtual void LargeGlyphChanged() { GlyphChanged(); }
  virtual void BeginGroupChanged();
  virtual void VisibleChanged();
  virtual void WidthChanged() {}
  virtual void PaintStyleChanged() {}

  virtual void MouseLeave() {}

  // The control's accessibility helper, made on first request.
  TdxBarAccessibilityHelper* GetIAccessibilityHelper();

protected:
  virtual void ClickControl() {}
  virtual void ExecuteClick();

private:
  TdxBarItemLink* FItemLink;
  TOwned<TdxBarItemControlViewInfo> FViewInfo;
  TOwned<TdxBarAccessibilityHelper> FHelper;
  bool FActive = false;
  bool FSelectedByMouse = false;
};

using TdxBarItemControlClass = TClassOf<TdxBarItemControl>;

// The control kinds the item-class registry pairs with the built-in items.
#define SONVELT_BAR_ITEM_CONTROL(Name, Parent)   \
  class Name : public Parent {                   \
    SONVELT_CLASS(Name, Parent)                  \
  public:                                        \
    using Parent::Parent;                        \
  };

SONVELT_BAR_ITEM_CONTROL(TdxBarButtonControl, TdxBarItemControl)
SONVELT_BAR_ITEM_CONTROL(TdxBarCustomStaticControl, TdxBarItemControl)
SONVELT_BAR_ITEM_CONTROL(TdxBarSeparatorControl, TdxBarCustomStaticControl)
SONVELT_BAR_ITEM_CONTROL(TdxBarApplicationMenuButtonControl, TdxBarButtonControl)
SONVELT_BAR_ITEM_CONTROL(TdxBarQuickCustExtButtonControl, TdxBarButtonControl)
SONVELT_BAR_ITEM_CONTROL(TdxBarQuickCustItemControl, TdxBarButtonControl)

// Edits and combos: the control owns an in-place editor window while it edits.
class TdxBarWinControl : public TdxBarItemControl {
  SONVELT_CLASS(TdxBarWinControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  bool IsWindowControl() const override { return true; }
  bool IsEditing() const override { return FEditing; }
  void SetEditing(bool Value) { FEditing = Value; }
  HWND InnerWindow() const { return FInnerWindow; }
  bool HasInnerWindow() const { return FInnerWindow != nullptr; }
  bool OwnsWindow(HWND Wnd) const override;

protected:
  void SetInnerWindow(HWND Wnd) { FInnerWindow = Wnd; }

private:
  bool FEditing = false;
  HWND FInnerWindow = nullptr;
};

SONVELT_BAR_ITEM_CONTROL(TdxBarCustomEditControl, TdxBarWinControl)
SONVELT_BAR_ITEM_CONTROL(TdxBarEditControl, TdxBarCustomEditControl)
SONVELT_BAR_ITEM_CONTROL(TCustomdxBarComboControl, TdxBarEditControl)
SONVELT_BAR_ITEM_CONTROL(TdxBarComboControl, TCustomdxBarComboControl)

// Sub-items open their menu when clicked.
class TdxBarSubItemControl : public TdxBarButtonControl {
  SONVELT_CLASS(TdxBarSubItemControl, TdxBarButtonControl)
public:
  using TdxBarButtonControl::TdxBarButtonControl;
  TCustomdxBarSubItem* SubItem() const;
};

SONVELT_BAR_ITEM_CONTROL(TdxBarContainerItemControl, TdxBarSubItemControl)

#undef SONVELT_BAR_ITEM_CONTROL
