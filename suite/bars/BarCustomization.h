// The run-time customization form's base: one form per process, opened when a
// manager enters customizing mode. It keeps its three lists (toolbars, categories,
// commands) in step with the manager through list helpers, installs a run-time
// selection controller as the manager's designer, disables the forms of every
// manager while it is shown and can only be resized vertically. The dialog that
// lays the lists out on pages derives from it (BarCustomizationForm.h).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/Delegate.h"
#include "framework/Form.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/ComponentCollection.h"
#include "suite/common/ComponentList.h"

class TAction;
class TListBox;
class TcxComponentList;
class TObjectList;
class TdxBarCustomizationFormPainter;
class TdxBarCustomizationFormListBoxHelper;
class TdxBarRunTimeSelectionController;

// The messages the lists understand, registered by name when the library starts:
// refill a list (or refresh one row), select the designer's selection in it, and
// re-evaluate the actions that belong to it.
UINT dxWM_LB_SYNCHRONIZE();
UINT dxWM_LB_SYNCHRONIZESELECTION();
UINT dxWM_LB_UPDATEEVENTS();
// Posted by the form to itself to refresh a list later (coalesced).
inline constexpr UINT WM_DXBAR_REFRESHLIST = 0x8068;

class TdxBarCustomCustomizationForm : public TForm {
  SONVELT_CLASS(TdxBarCustomCustomizationForm, TForm)
public:
  using TCreateArg = TdxBarManager*;
  explicit TdxBarCustomCustomizationForm(TdxBarManager* AManager);
  ~TdxBarCustomCustomizationForm() override;
  void BeforeDestruction() override;

  TdxBarManager* GetBarManager() const { return FBarManager; }
  // Shows or hides itself as the owner form's window is shown or hidden.
  virtual void FollowOwnerVisibility(const WINDOWPOS& WindowPos);
  // The list box of categories (a drop target of customizing drags).
  virtual HWND CategoryListWindow() const;

  virtual TListBox* BarsListBox() const = 0;
  virtual TListBox* CategoriesListBox() const = 0;
  virtual TListBox* ItemsListBox() const = 0;
  virtual TdxBarCustomizationFormPainter* PainterClass() const;
  virtual TColor ItemsListColor() const;
  TdxBar* BarAt(int Row) const;
  virtual void RefreshAllLists() = 0;
  virtual void ApplyManagerLook();
  // The designer's selection changed.
  virtual void SelectionChanged() = 0;
  virtual void ShowPageAt(int Index) = 0;
  virtual void ShowCommandsPage() = 0;
  virtual void RefreshHelpButton() = 0;
  virtual void RefreshOptions() = 0;
  virtual void ShowDescription(const std::string& Text) { (void)Text; }

  // ---- list operations
  TObject* ObjectAt(TListBox* ListBox, int Row) const;
  TObject* SelectedObjectOf(TListBox* ListBox) const;
  int SelectionCount(TListBox* ListBox) const;
  void CollectSelected(TListBox* ListBox, std::vector<TObject*>& List) const;
  TObject* NextUnselectedObjectOf(TListBox* ListBox) const;
  void SelectObjectsInList(TListBox* ListBox, const std::vector<TObject*>& Objects);
  void PushSelectionToDesigner(TListBox* ListBox);
  void PullSelectionFromDesigner(TListBox* ListBox);
  void SelectObject(TObject* Object);
  // Action 1 with an object refreshes its row; anything else refills the list.
  void RefreshList(TListBox* ListBox, TObject* Object, int Action);
  void PostListRefresh(TListBox* ListBox);
  // Frees (or hands to Remove) the selected objects, last first. The manager is
  // told of the change also when a step raises.
  using TRemoveObject = TDelegate<void(TObject* RemoveOwner, TObject* Object)>;
  void DeleteSelectedObjects(TListBox* ListBox, bool SelectAfter, TRemoveObject Remove = {},
                             TObject* RemoveOwner = nullptr);
  // Deletes Objects (rows of ListBox) last to first, then selects Next.
  void DeleteObjects(TListBox* ListBox, const std::vector<TObject*>& Objects, TObject* Next, bool SelectAfter,
                     TRemoveObject Remove = {}, TObject* RemoveOwner = nullptr);
  // Direction -1 moves the selected objects up as a block after the first of them,
  // 1 down as a block before the last. The manager is told of the new order also
  // when a step raises (part of the order may have changed).
  void MoveSelectedObjects(TListBox* ListBox, TcxComponentList* List, int Direction);
  void UpdateListActions(TListBox* ListBox, TAction* NewAction, TDelegate<bool(TObject*)> DeleteTest,
                         TAction* MoveDownAction, TAction* MoveUpAction, TAction* DeleteAction);
  void UpdateItemActions();
  void UpdateToolbarActions();
  // Shows or hides the bar of Row; a bar that cannot be closed only beeps.
  void ToggleBarVisible(int Row);

  TAction* aNewToolBar = nullptr;
  TAction* aRenameToolBar = nullptr;
  TAction* aDeleteToolBar = nullptr;
  TAction* aResetToolBar = nullptr;
  TAction* aAddItem = nullptr;
  TAction* aDeleteItem = nullptr;
  TAction* aMoveUpItem = nullptr;
  TAction* aMoveDownItem = nullptr;
  TAction* aSubMenuEditor = nullptr;
  TAction* aClearItemList = nullptr;

  void aNewToolBarExecute(TObject* Sender);
  void aRenameToolBarExecute(TObject* Sender);
  void aDeleteToolBarExecute(TObject* Sender);
  void aResetToolBarExecute(TObject* Sender);
  void aAddItemExecute(TObject* Sender);
  void aDeleteItemExecute(TObject* Sender);
  void aSubMenuEditorExecute(TObject* Sender);
  void aClearItemListExecute(TObject* Sender);
  void aMoveItemExecute(TObject* Sender);

  void Dispatch(TMessage& Message) override;

protected:
  // The list helpers, the selection controller, the hooks on the manager and the
  // texts: run by the derived constructor once its lists exist.
  void InitializeForm();
  virtual void InitializePages() {}
  virtual void UnhookManagerEvents();
  void CreateParams(TCreateParams& Params) override;
  void DoShow() override;
  void DoHide() override;
  bool InDesign() const;
  // The manager's own form (the one disabled and told of activation).
  TCustomForm* ManagerForm(TdxBarManager* Manager) const;

  // The manager's item list changed.
  virtual void ItemsListChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind);

private:
  void BarsChanged(TObject* Sender, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind);
  void FormClose(TObject* Sender, TCloseAction& Action);
  bool BarCanDelete(TObject* Object);
  void RestoreDisabledWindows();
  bool ScrollListUnderMouse(int WheelDelta);
  void ControllerSelectionChanged(TObject* Sender);
  TdxBarManager* FBarManager;
  TListBox* FSyncingListBox = nullptr;
  TOwned<TdxBarCustomizationFormListBoxHelper> FBarListHelper;
  TOwned<TdxBarCustomizationFormListBoxHelper> FCategoryListHelper;
  TOwned<TdxBarCustomizationFormListBoxHelper> FItemsListHelper;
  TDelegate<void(TObject*, TcxComponentCollectionItem*, TcxCollectionChangeKind)> FSavedBarsChange;
  TcxComponentListChangeEvent FSavedItemsChange;
  std::vector<HWND> FDisabledWindows;
  bool FDisabling = false;
  TOwned<TcxComponentList> FSavedSelection;
  TOwned<TdxBarRunTimeSelectionController> FController;
  int FFirstHeight = 0;
};

// An action of the form with its caption, handler and tag.
TAction* NewCustomizationAction(TComponent* Owner, const std::string& Caption, TNotifyEvent Execute, int Tag = 0);

// The open customization form; null while it is closed.
TdxBarCustomCustomizationForm* ActiveCustomizationForm();
// What ShowCustomizationForm creates; by default the Customize dialog.
using TdxBarCustomizationFormFactory = TdxBarCustomCustomizationForm* (*)(TdxBarManager* Manager);
void SetCustomizationFormClass(TdxBarCustomizationFormFactory Factory);
// Opens (unless open) or closes the customization form of Manager.
void ShowCustomizationForm(TdxBarManager* Manager, bool Show);
// Tells the bar windows of the other managers to redraw.
void RepaintOtherManagersBars(TdxBarManager* Manager);
void RefreshCustomizationFormLook();
void RefreshCustomizationFormOptions();
void RefreshCustomizationFormHelpButton();
// The open design-time sub-menu editor's window; null while it is closed.
HWND ActiveSubMenuEditor();

enum TdxBarNameDialogKind : std::uint8_t { bndToolbar, bndCategory };
// Insert titles a category dialog only; a toolbar is added or renamed.
enum TdxBarNameDialogMode : std::uint8_t { bndmNew, bndmRename, bndmInsert };
// The modal name dialog; true with the confirmed name. A toolbar name that
// another toolbar of Manager already has is refused with a message.
bool ExecuteBarNameDialog(std::string& Name, TdxBarNameDialogKind Kind, TdxBarNameDialogMode Mode, TdxBar* Bar,
                          TdxBarManager* Manager);
