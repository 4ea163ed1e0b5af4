// Popup menus of a manager: a list of item links opened at a point. The menu
// window and its message loop are the menu work's; the model here holds the
// links and is what popup-menu links open.
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

  // Opens the menu at a screen point.
  virtual void PopupAtPoint(int X, int Y);
  void PopupAtCursor();
  // Whether the menu takes a shortcut while it is closed; the menus of this
  // program leave shortcuts to their items' bars.
  virtual bool IsShortCut(TShortCut ShortCut) { (void)ShortCut; return false; }
  virtual bool IsShowing() const { return false; }

  // The item control that opened the menu (a drop-down button's), null otherwise.
  TdxBarItemControl* GetOwnerItemControl() const { return FOwnerItemControl; }
  void SetOwnerItemControl(TdxBarItemControl* Value) { FOwnerItemControl = Value; }

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetOwnerComponent() override { return this; }

private:
  TOwned<TdxBarItemLinks> FItemLinks;
  TdxBarItemControl* FOwnerItemControl = nullptr;
};

class TdxBarPopupMenu : public TdxBarCustomPopupMenu {
  SONVELT_CLASS(TdxBarPopupMenu, TdxBarCustomPopupMenu)
public:
  using TdxBarCustomPopupMenu::TdxBarCustomPopupMenu;
};
