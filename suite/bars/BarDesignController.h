// The design controller: one per process (BarDesignControllerInstance). It keeps
// the object selected last while the bars are customized, deletes the selection
// and moves it to its parent, and builds and owns the temporary popups of
// customizing (a link's commands, the toolbars list, a toolbar's quick
// customization) together with the items they are made of (the internal items,
// which live until the next popup is built).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Lists.h"
#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarTypes.h"

class TCustomdxBarControl;
class TdxBarControl;
class TCustomForm;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarPainter;
class TdxBarCustomizingPopup;
class TdxBarToolbarsPopup;
class TcxFreeNotificator;
class TcxObjectLink;

using TdxBarLinksFill = TDelegate<void(TdxBarItemLinks* Links)>;

class TdxBarDesignController : public TObject {
  SONVELT_CLASS(TdxBarDesignController, TObject)
public:
  TdxBarDesignController();
  ~TdxBarDesignController() override;

  // Design-state bit 1: a customizing drag runs (the keyboard hook leaves keys alone).
  bool IsDragging() const { return (FDesignState & 2) != 0; }
  void SetDragging(bool Value);

  // The open quick-customization popup (null when closed).
  TCustomdxBarControl* GetQuickControl() const { return FQuickControl; }
  void SetQuickControl(TCustomdxBarControl* Value) { FQuickControl = Value; }
  void CloseQuickControl();

  // ---- internal items
  // Items a popup or a bar made for itself: joined to List, or to the controller's
  // own list when List is null, and taken off their manager's item list.
  void AddInternalItem(TComponent* Item, TComponentList* List);
  // Frees the controller's own internal items; an open toolbars popup that shows
  // some of them is closed first.
  void ClearInternalItems();
  int InternalItemCount() const { return FInternalItems->GetCount(); }
  // Frees the item of each link (which takes the link with it).
  void FreeItemsOfLinks(TdxBarItemLinks* Links);
  // A link to a new internal item of ItemClass with its caption, click handler,
  // tag and group start.
  TdxBarItemLink* AddCommandItem(TdxBarItemLinks* Links, TClassOf<TdxBarItem> ItemClass, const std::string& Caption,
                                 TNotifyEvent OnClick, std::intptr_t Tag, bool BeginGroup);
  // "&Customize..." when the links' manager allows customizing; disabled while the
  // customization form is open.
  void AddCustomizeCommand(TdxBarItemLinks* Links, TClassOf<TdxBarItem> ItemClass, bool BeginGroup);

  // ---- selection
  // Kind 0 adds Item to the selection, 1 removes it, 2 makes it the only one.
  void ApplySelection(IdxBarSelectableItem* Item, int Kind);
  void SelectObject(IdxBarSelectableItem* Item, int Kind) { ApplySelection(Item, Kind); }
  void AddToSelection(IdxBarSelectableItem* Item) { ApplySelection(Item, 0); }
  // The object selected last (a link, a bar or a component); a component that is
  // freed leaves it at once, a link tells the controller itself.
  TObject* GetLastSelected() const;
  bool IsLastSelected(TObject* Object) const { return Object && Object == GetLastSelected(); }
  void RememberLastSelected(TObject* Object);
  // Drops the reference without repainting (the object is going).
  void ForgetSelectable(TObject* Object);
  // Drops the last selected object once it is no longer selected or the
  // application went inactive.
  void ValidateLastSelected();
  // The frame a selected object gets: solid for the last selected one at run time.
  bool UsesSolidFrame(TObject* Object) const;
  // The manager an operation works on: the last selected object's, else null.
  TdxBarManager* DetermineCustomizingManager();
  TdxBarManager* GetCustomizingManager() const { return FCustomizingManager; }
  // Manager is set and customizing and, with CheckFocus, its form (or a child of
  // it) has the focus.
  static bool CanActOn(TdxBarManager* Manager, bool CheckFocus);
  // Del and Ctrl+Del while customizing: at run time the selected link is freed.
  // True when something was deleted (the key then goes no further).
  virtual bool DeleteSelectedObjects(bool DeleteItems, bool CheckFocus = true);
  bool CanDeleteSelection();
  // Esc while customizing: the last selected object selects its parent.
  virtual bool SelectSelectionParent();
  // The designer of Form hears that the form changed (no designer in this program).
  void NotifyDesignerModified(TCustomForm* Form) { (void)Form; }

  // ---- popups
  // The toolbars popup at the cursor: a check entry per closable, shown-able bar
  // and "&Customize..."; an empty list shows nothing.
  void BuildToolbarsList(TdxBarItemLinks* Links);
  void ShowToolbarsPopup(TdxBarManager* Manager, TdxBarPainter* Painter);
  // The open toolbars popup (null once it closed).
  TdxBarToolbarsPopup* GetToolbarsPopup() const;
  // A link's customizing popup at the cursor, filled by Fill; nothing when it stays empty.
  void ShowCustomizingPopup(TdxBarManager* Manager, TdxBarPainter* Painter, TdxBarItemLink* Link,
                            TCustomdxBarControl* BarControl, TdxBarLinksFill Fill);
  void ShowItemPopup(TCustomdxBarControl* BarControl, TdxBarItemLink* Link);
  TdxBarCustomizingPopup* GetCustomizingPopup() const { return FCustomizingPopup; }
  bool IsCustomizingPopupShown() const { return FCustomizingPopup != nullptr; }
  TdxBarItemLink* GetCustomizedLink() const { return FCustomizedLink; }
  TCustomdxBarControl* GetCustomizingBarControl() const { return FCustomizingBarControl; }
  TdxBarItemLinks* GetCustomizingLinks() const { return FCustomizingLinks; }

  // ---- quick customization of a toolbar
  // The popup of a toolbar's mark over Rect (screen), filled by the toolbar; it
  // becomes the quick control. Nothing shows when it would stay empty.
  void ShowQuickCustomizePopup(TdxBarControl* BarControl, const RECT& Rect);
  // The "Add or Remove Buttons" list: one shared check item with a link per link
  // of the toolbar (the toolbar link in the entry's Data), for every link whose
  // control is missing or belongs to the toolbar's manager; then "&Reset Toolbar"
  // when the bar can be reset, and "&Customize...".
  void FillQuickCustomizeLinks(TdxBarItemLinks* Links, TdxBar* Bar);
  // The toolbar link an entry stands for, while its bar still holds it.
  static TdxBarItemLink* RepresentedLink(TdxBarItemLink* Entry);
  // "&Add or Remove Buttons" with a group start: a sub-item whose menu is filled
  // anew with Bar's list each time it opens.
  void AddQuickAccessItem(TdxBarItemLinks* Links, TdxBar* Bar);

  // ---- editing from the customizing popup
  void ApplyActionToSelection(int Action);
  // The caption editor's change: a blank text closes the popup and says why (both
  // after the editor's own handling); otherwise the link's user caption.
  void ApplyCaptionEdit(TObject* Sender);
  void DeleteCustomizedLink();
  // The actions the popup offers for Selected in Window: what Selected announces
  // less what the window kind's design helper leaves out (bit n for action n).
  std::uint16_t CustomizeActionsFor(TCustomdxBarControl* Window, TObject* Selected) const;
  // The customizing commands of the link (the popup's fill).
  void FillCustomizingCommands(TdxBarItemLinks* Links);
  void ExecuteCustomizeCommand(TObject* Sender);

  // Editors and design helpers the bar unit's start registers.
  void RegisterEditor(TClass EditorClass);
  void RegisterDesignHelper(TClass BarControlClass, TClass HelperClass);
  int EditorCount() const { return static_cast<int>(FEditors.size()); }
  int DesignHelperCount() const { return static_cast<int>(FDesignHelpers.size()); }
  // The helper registered for the class of Window or its nearest ancestor.
  TClass DesignHelperFor(TCustomdxBarControl* Window) const;

private:
  void ComponentFreed(TObject* Sender, TComponent* Component);
  void ToolbarEntryClick(TObject* Sender);
  void QuickCustItemClick(TObject* Sender);
  void QuickControlDestroyed(TObject* Sender);
  void QuickAccessPopup(TObject* Sender);
  // The bar of Manager a command's tag names; null once the manager no longer holds it.
  static TdxBar* BarOfTag(TdxBarManager* Manager, std::intptr_t Tag);
  void ResetToolbarClick(TObject* Sender);
  void CustomizeCommandClick(TObject* Sender);
  void CustomizingPopupClosed(TObject* Sender);
  void CustomizingPopupDestroyed(TObject* Sender);
  std::uint8_t FDesignState = 0;
  TCustomdxBarControl* FQuickControl = nullptr;
  TComponentList* FInternalItems;
  // Weak: a bar or item clears it as it goes (a component also through the relay).
  TcxObjectLink* FLastSelected = nullptr;
  TcxFreeNotificator* FRelay;
  TdxBarManager* FCustomizingManager = nullptr;
  TCustomdxBarControl* FCustomizingBarControl = nullptr;
  TdxBarItemLink* FCustomizedLink = nullptr;
  TdxBarItemLinks* FCustomizingLinks = nullptr;
  TdxBarCustomizingPopup* FCustomizingPopup = nullptr;
  TcxObjectLink* FToolbarsPopup = nullptr;
  std::vector<TClass> FEditors;
  std::vector<std::pair<TClass, TClass>> FDesignHelpers;
};

// The add-item editors the design controller lists (their entries are offered at
// design time, which this program never runs).
#define SONVELT_BAR_DESIGN_CLASS(Name)       \
  class Name : public TObject {              \
    SONVELT_CLASS(Name, TObject)             \
  public:                                    \
    Name() = default;                        \
  };
SONVELT_BAR_DESIGN_CLASS(TdxAddSubItemEditor)
SONVELT_BAR_DESIGN_CLASS(TdxAddButtonEditor)
SONVELT_BAR_DESIGN_CLASS(TdxItemsEditorEx)
#undef SONVELT_BAR_DESIGN_CLASS

// What a kind of bar window offers in its customizing popup: the actions it
// leaves out (bit n for action n).
class TCustomdxBarControlDesignHelper : public TObject {
  SONVELT_CLASS(TCustomdxBarControlDesignHelper, TObject)
public:
  TCustomdxBarControlDesignHelper() = default;
  virtual std::uint16_t GetUnsupportedActions() const { return 5088; }
  std::uint16_t AdjustActions(std::uint16_t Actions) const {
    return static_cast<std::uint16_t>(Actions & ~GetUnsupportedActions());
  }
};

class TdxBarControlDesignHelper : public TCustomdxBarControlDesignHelper {
  SONVELT_CLASS(TdxBarControlDesignHelper, TCustomdxBarControlDesignHelper)
public:
  TdxBarControlDesignHelper() = default;
  std::uint16_t GetUnsupportedActions() const override { return 5056; }
};

class TdxBarSubMenuControlDesignHelper : public TCustomdxBarControlDesignHelper {
  SONVELT_CLASS(TdxBarSubMenuControlDesignHelper, TCustomdxBarControlDesignHelper)
public:
  TdxBarSubMenuControlDesignHelper() = default;
  std::uint16_t GetUnsupportedActions() const override { return 992; }
};

class TdxBarApplicationMenuControlDesignHelper : public TCustomdxBarControlDesignHelper {
  SONVELT_CLASS(TdxBarApplicationMenuControlDesignHelper, TCustomdxBarControlDesignHelper)
public:
  TdxBarApplicationMenuControlDesignHelper() = default;
};
