// Popup-menu links attach a manager's bar popup menu to an ordinary control of its
// form: the control's context menu (right click or the menu key) opens the bar
// menu, and the menu's shortcuts work while the control (or, with
// ProcessChildren, a control inside it) has the focus. A link takes over the
// control's window procedure while it is attached.
#pragma once

#include <windows.h>

#include "framework/Collections.h"
#include "framework/Control.h"
#include "framework/Menus.h"
#include "framework/Published.h"
#include "suite/bars/BarTypes.h"

class TdxBarPopupMenu;
class TdxBarPopupMenuLink;

using TdxBarPopupMenuLinkActionEvent =
    TDelegate<void(TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TdxBarPopupMenuLink : public TCollectionItem {
  SONVELT_CLASS(TdxBarPopupMenuLink, TCollectionItem)
public:
  explicit TdxBarPopupMenuLink(TCollection* Collection) : TCollectionItem(Collection) {}
  ~TdxBarPopupMenuLink() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TdxBarPopupMenuLink>& P);
  // From another link: the components of the same names in this manager's form.
  void Assign(TPersistent* Source) override;

  TControl* GetControl() const { return FControl; }
  // A control outside the manager's form counts as none.
  void SetControl(TControl* Value);
  TdxBarPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TdxBarPopupMenu* Value);
  bool GetProcessChildren() const { return FProcessChildren; }
  void SetProcessChildren(bool Value) { FProcessChildren = Value; }
  TdxBarManager* OwningManager() const;
  TWinControl* WindowedControl() const;

  // Opens the menu at Point (client coordinates; (-1, -1) for the menu key).
  bool ShowPopup(POINT Point);
  bool HandleShortCut(TShortCut ShortCut);

  TdxBarPopupMenuLinkActionEvent OnAction;

private:
  void LinkWndProc(TMessage& Message);
  void LinkContextPopup(TObject* Sender, POINT MousePos, bool& Handled);
  TControl* FControl = nullptr;
  TdxBarPopupMenu* FPopupMenu = nullptr;
  TWndMethod FPrevWndProc;
  bool FProcessChildren = true;
  TContextPopupEvent FPrevContextPopup;
};

class TdxBarPopupMenuLinks : public TCollection {
  SONVELT_CLASS(TdxBarPopupMenuLinks, TCollection)
public:
  explicit TdxBarPopupMenuLinks(TdxBarManager* ABarManager);
  TdxBarManager* GetBarManager() const { return FBarManager; }
  TPersistent* GetOwner() const override;
  TdxBarPopupMenuLink* GetLink(int Index) const { return static_cast<TdxBarPopupMenuLink*>(GetItem(Index)); }
  TdxBarPopupMenuLink* Add() { return static_cast<TdxBarPopupMenuLink*>(TCollection::Add()); }
  // The links of Control, then those that hold it, then the parent form's manager's.
  bool HandleShortCut(TControl* Control, TShortCut ShortCut);

private:
  bool HandleShortCutHere(TControl* Control, TShortCut ShortCut);
  TdxBarManager* FBarManager;
};
