// Popup menus of a manager: a list of item links shown as a context menu at a
// point, at the cursor or for an owner (a button's drop-down). The menu is an
// ordinary menu window made for the showing.
#pragma once

#include <windows.h>

#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarComponents.h"

class TdxBarCustomPopupMenu : public TdxBarComponent, public IdxBarLinksOwner {
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

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnPopup;

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetOwnerComponent() override { return this; }

private:
  void MenuClosedUp(TObject* Sender);
  void MenuPoppedUp(TObject* Sender);
  TOwned<TdxBarItemLinks> FItemLinks;
  TdxBarItemControl* FOwnerItemControl = nullptr;
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
