// The menus the design controller builds for itself: a menu window that owns its
// own links (their items are the controller's internal items), the toolbars popup
// of a right click on a dock site and the customizing popup of a link.
#pragma once

#include "framework/OwnedObject.h"
#include "suite/bars/BarControl.h"

// Frees a bar window once the message being handled is done (a window closing
// from inside its own handlers).
void ReleaseBarWindowLater(TObject* Window);

class TdxBarInternalSubMenuControl : public TdxBarSubMenuControl, public IdxBarLinksOwner {
  SONVELT_CLASS(TdxBarInternalSubMenuControl, TdxBarSubMenuControl)
public:
  using TCreateArg = TdxBarManager*;
  explicit TdxBarInternalSubMenuControl(TdxBarManager* Manager);
  ~TdxBarInternalSubMenuControl() override;

  // Its own painter when set, else the manager's.
  TdxBarPainter* GetPainter() const override;
  void SetOwnPainter(TdxBarPainter* Value) { FOwnPainter = Value; }
  bool IsCustomizing() const override { return false; }
  void ShowAnimated() override;
  bool IsCustomizingPopup() const override { return true; }
  // Frees itself once it has closed (after the closing handlers have run).
  void SetFreeOnClose(bool Value) { FFreeOnClose = Value; }
  TNotifyEvent OnDestroyed;

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override {
    (void)Item, (void)Text;
    return true;
  }
  TCustomdxBarControl* CreateBarControl() override { return this; }
  TComponent* GetOwnerComponent() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return FLinks.get(); }

protected:
  void DoClose() override;

private:
  TOwned<TdxBarItemLinks> FLinks;
  TdxBarPainter* FOwnPainter = nullptr;
  bool FFreeOnClose = false;
};

class TdxBarToolbarsPopup : public TdxBarInternalSubMenuControl {
  SONVELT_CLASS(TdxBarToolbarsPopup, TdxBarInternalSubMenuControl)
public:
  using TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl;
};

class TdxBarCustomizingPopup : public TdxBarInternalSubMenuControl {
  SONVELT_CLASS(TdxBarCustomizingPopup, TdxBarInternalSubMenuControl)
public:
  using TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl;
  // Lets the application change the commands (OnShowCustomizingPopup).
  void FillCommands();
  // Closes the popup and says that a command name cannot be blank, once the
  // message being handled (the popup's own editor's) is done.
  void PostRefuseBlankCaption();
  void WndProc(TMessage& Message) override;
  TNotifyEvent OnClosedUp;

protected:
  void DoClose() override;
};
