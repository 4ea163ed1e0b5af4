// The entries of a toolbar's "Add or Remove Buttons" list and the window that
// shows them. Each entry is a button with a check square before it; a check entry
// stands for one link of the toolbar and shows that link, not its own item.
#pragma once

#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarSubItems.h"

// A button with the check square of the list before it.
class TdxCustomQuickCustItemControl : public TdxBarButtonControl {
  SONVELT_CLASS(TdxCustomQuickCustItemControl, TdxBarButtonControl)
public:
  using TdxBarButtonControl::TdxBarButtonControl;
  int CalcWidth() override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  // Whether the square holds a check mark.
  virtual bool IsChecked() const { return false; }

protected:
  // The square's width: as wide as the entry is high.
  int CheckAreaWidth();
};

// "&Reset Toolbar" and "&Customize...": never checked.
class TdxBarQuickCustExtButtonControl : public TdxCustomQuickCustItemControl {
  SONVELT_CLASS(TdxBarQuickCustExtButtonControl, TdxCustomQuickCustItemControl)
public:
  using TdxCustomQuickCustItemControl::TdxCustomQuickCustItemControl;
};

// An entry for one toolbar link: that link's caption and glyph, its item's images,
// hint and shortcut (the images come from the same manager), and a check while
// the link is visible.
class TdxBarQuickCustItemControl : public TdxCustomQuickCustItemControl {
  SONVELT_CLASS(TdxBarQuickCustItemControl, TdxCustomQuickCustItemControl)
public:
  using TdxCustomQuickCustItemControl::TdxCustomQuickCustItemControl;
  // The toolbar link the entry stands for; null once its bar no longer holds it.
  TdxBarItemLink* RepresentedLink() const;
  bool IsChecked() const override;
  std::string LinkCaption() const override;
  TBitmap* Glyph() const override;
  int ImageIndex() const override;
  TBitmap* LargeGlyph() const override;
  int LargeImageIndex() const override;
  std::string ControlHintText() const override;
  TShortCut ShortCut() const override;
  bool HasDropDown() const override { return false; }
  void ExecuteClick(bool ByMouse) override;

private:
  TdxBarItem* RepresentedItem() const;
};

// The sub-menu of "&Add or Remove Buttons": a menu that counts as a
// quick-customizing window.
class TdxBarQuickAccessSubControl : public TdxBarSubMenuControl {
  SONVELT_CLASS(TdxBarQuickAccessSubControl, TdxBarSubMenuControl)
public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  bool IsQuickCustomizingWindow() const override { return true; }
};

// "&Add or Remove Buttons": a sub-item whose links are internal and whose menu is
// a TdxBarQuickAccessSubControl.
class TdxBarQuickAccessItem : public TCustomdxBarSubItem {
  SONVELT_CLASS(TdxBarQuickAccessItem, TCustomdxBarSubItem)
public:
  explicit TdxBarQuickAccessItem(TComponent* AOwner);
  TCustomdxBarControl* CreateBarControl() override;
};
