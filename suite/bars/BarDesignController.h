// The design controller: one per process (BarDesignControllerInstance), it keeps
// the customizing selection, the quick-customization popup and the items that
// the bars make for themselves (the MDI system-menu item and its entries). The
// selection, the customizing popups and the editors are the menu work's; this
// part holds what the manager and the hooks already use.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Lists.h"
#include "framework/Object.h"
#include "suite/bars/BarTypes.h"

class TCustomdxBarControl;
class TCustomForm;
class TdxBarItemLinks;

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

  // Items a bar made for itself: joined to List, or to the controller's own list
  // when List is null (the controller's own are freed by ClearInternalItems).
  void AddInternalItem(TComponent* Item, TComponentList* List);
  void ClearInternalItems();
  int InternalItemCount() const { return FInternalItems->GetCount(); }

  // Selection (Esc, Delete and the drop of a customizing drag).
  virtual bool SelectSelectionParent() { return false; }
  virtual bool DeleteSelectedObjects(bool CtrlHeld) { (void)CtrlHeld; return false; }
  virtual void SelectObject(IdxBarSelectableItem* Item, int Mode) { (void)Item, (void)Mode; }
  virtual void AddToSelection(IdxBarSelectableItem* Item) { (void)Item; }
  TObject* GetLastSelected() const { return FLastSelected; }
  void SetLastSelected(TObject* Value) { FLastSelected = Value; }
  // A link or item that goes away leaves the selection.
  void ForgetSelectable(TObject* Object);
  void ValidateLastSelected() {}
  // The designer of Form hears that the form changed (no designer in this program).
  void NotifyDesignerModified(TCustomForm* Form) { (void)Form; }

  // Editors and design helpers the bar unit's start registers.
  void RegisterEditor(TClass EditorClass);
  void RegisterDesignHelper(TClass BarControlClass, TClass HelperClass);
  int EditorCount() const { return static_cast<int>(FEditors.size()); }
  int DesignHelperCount() const { return static_cast<int>(FDesignHelpers.size()); }

private:
  std::uint8_t FDesignState = 0;
  TCustomdxBarControl* FQuickControl = nullptr;
  TComponentList* FInternalItems;
  TObject* FLastSelected = nullptr;
  std::vector<TClass> FEditors;
  std::vector<std::pair<TClass, TClass>> FDesignHelpers;
};

// The add-item editors and bar-window design helpers the design controller keeps
// (their dialogs and drawing are design-time tools, not run in this program).
#define SONVELT_BAR_DESIGN_CLASS(Name)       \
  class Name : public TObject {              \
    SONVELT_CLASS(Name, TObject)             \
  public:                                    \
    Name() = default;                        \
  };
SONVELT_BAR_DESIGN_CLASS(TdxAddSubItemEditor)
SONVELT_BAR_DESIGN_CLASS(TdxAddButtonEditor)
SONVELT_BAR_DESIGN_CLASS(TdxItemsEditorEx)
SONVELT_BAR_DESIGN_CLASS(TdxBarControlDesignHelper)
SONVELT_BAR_DESIGN_CLASS(TdxBarSubMenuControlDesignHelper)
SONVELT_BAR_DESIGN_CLASS(TdxBarApplicationMenuControlDesignHelper)
#undef SONVELT_BAR_DESIGN_CLASS
