// Popup menus of a manager: a list of item links shown as a context menu at a
// point, at the cursor or for an owner (a button's drop-down). The menu is an
// ordinary menu window made for the showing.
#pragma once

#include <windows.h>

#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarSubItems.h"

class TBitmap;
class TFont;

class TdxBarCustomPopupMenu : public TdxBarComponent, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  SONVELT_CLASS(TdxBarCustomPopupMenu, TdxBarComponent)
public:
  explicit TdxBarCustomPopupMenu(TComponent* AOwner);
  ~TdxBarCustomPopupMenu() override;

  TdxBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }
  bool GetEnabled() const override { return StoredEnabled(); }
  void SetEnabled(bool Value) override { StoreEnabled(Value); }
  void SetVisible(TdxBarItemVisible Value) override { StoreVisible(Value); }

  // Opens the menu at a screen point. Unless a showing asks otherwise, the call
  // runs its own message loop and returns only when the menu has closed; commands
  // (WM_COMMAND) that arrive meanwhile are kept and posted again afterwards, in
  // order, and WM_QUIT ends the loop and is posted again.
  virtual void PopupAtPoint(int X, int Y);
  // At the mouse cursor ((-1, -1) when it cannot be read).
  void PopupAtCursor();
  // A showing for an owner (a button's drop-down): the owner item's size beside or
  // below it, its screen bounds and window; the defaults come back on every exit.
  void PopupForOwner(int X, int Y, int OwnerWidth, int OwnerHeight, bool ShowAnimation, const RECT* OwnerBounds,
                     bool OwnMessageLoop, TCustomdxBarControl* OwnerControl);
  // Whether the menu takes a shortcut while it is closed; the menus of this
  // program leave shortcuts to their items' bars.
  virtual bool IsShortCut(TShortCut ShortCut) { (void)ShortCut; return false; }
  // Between the menu window's popup and close-up notices.
  virtual bool IsShowing() const { return FShowing; }
  // The open menu window (null while closed).
  TCustomdxBarControl* BarWindow() const;

  // The item control that opened the menu (a drop-down button's), null otherwise.
  TdxBarItemControl* GetOwnerItemControl() const { return FOwnerItemControl; }
  void SetOwnerItemControl(TdxBarItemControl* Value) { FOwnerItemControl = Value; }
  int GetBarSize() const { return FBarSize; }
  void SetBarSize(int Value) { FBarSize = Value < 0 ? 0 : Value; }

  // The picture behind the menu's items (empty: the manager's sub-menu picture).
  TBitmap* GetBackgroundBitmap() const { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* Value);
  // The menu's font, used while UseOwnFont is set (a change of it sets UseOwnFont);
  // switching UseOwnFont off takes the manager's font back.
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);
  bool GetUseOwnFont() const { return FUseOwnFont; }
  void SetUseOwnFont(bool Value);
  // Fires OnPaintBar for the menu's side band.
  virtual void DoPaintBar(TcxCanvas* Canvas, const RECT& R) { OnPaintBar(nullptr, Canvas, R); }

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;
  TdxBarPaintSubMenuBarEvent OnPaintBar;

  // IdxBarSubMenuOwner
  int SubMenuBarSize() override { return FBarSize; }
  void PaintSubMenuBar(TcxCanvas* Canvas, const RECT& R) override { DoPaintBar(Canvas, R); }
  TBitmap* SubMenuBackground() override { return FBackgroundBitmap.get(); }
  TFont* SubMenuFont() override { return FUseOwnFont ? FFont.get() : nullptr; }

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetOwnerComponent() override { return this; }

private:
  void FontChanged(TObject* Sender);
  void MenuClosedUp(TObject* Sender);
  void MenuPoppedUp(TObject* Sender);
  TOwned<TdxBarItemLinks> FItemLinks;
  TdxBarItemControl* FOwnerItemControl = nullptr;
  TOwned<TBitmap> FBackgroundBitmap;
  TOwned<TFont> FFont;
  bool FUseOwnFont = false;
  bool FInternalFontChange = false;
  int FBarSize = 0;
  bool FShowing = false;
  bool FShowAnimation = true;
  bool FOwnMessageLoop = true;
  int FOwnerWidth = 0;
  int FOwnerHeight = 0;
  const RECT* FOwnerBounds = nullptr;
  TCustomdxBarControl* FOwnerControl = nullptr;
};

class TdxBarPopupMenu : public TdxBarCustomPopupMenu {
  SONVELT_CLASS(TdxBarPopupMenu, TdxBarCustomPopupMenu)
public:
  using TdxBarCustomPopupMenu::TdxBarCustomPopupMenu;
};
