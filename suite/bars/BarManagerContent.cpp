// The manager's content: items, groups and popup menus, the categories, naming,
// the end of loading from a form resource, and customizing mode.
#include <algorithm>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Unicode.h"
#include "framework/IniFiles.h"
#include "framework/Reader.h"
#include "framework/StringUtils.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarDragInfo.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarPopupMenuLinks.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"

// ---- items, groups and popup menus

int TdxBarManager::ItemCount() const { return FItems ? FItems->GetCount() : 0; }

TdxBarItem* TdxBarManager::ItemByIndex(int Index) const {
  return Index >= 0 && Index < ItemCount() ? static_cast<TdxBarItem*>(FItems->GetItem(Index)) : nullptr;
}

TdxBarItem* TdxBarManager::ItemByName(const std::string& Name) const {
  for (int I = 0; I < ItemCount(); ++I)
    if (SameText(ItemByIndex(I)->GetName(), Name)) return ItemByIndex(I);
  return nullptr;
}

int TdxBarManager::IndexOfItem(TdxBarItem* Item) const { return FItems ? FItems->IndexOf(Item) : -1; }

void TdxBarManager::AddItem(TdxBarItem* Item) {
  if (FItems && FItems->IndexOf(Item) < 0) FItems->Add(Item);
}

void TdxBarManager::RemoveItem(TdxBarItem* Item) {
  if (FItems) FItems->Extract(Item);
}

void TdxBarManager::MoveItem(int CurIndex, int NewIndex) {
  FItems->Move(CurIndex, NewIndex);
  NotifyModified();
}

void TdxBarManager::SortItemsByCategory() {
  for (bool Swapped = true; Swapped;) {
    Swapped = false;
    for (int I = 0; I + 1 < ItemCount(); ++I)
      if (ItemByIndex(I)->GetCategory() > ItemByIndex(I + 1)->GetCategory()) {
        MoveItem(I, I + 1);
        Swapped = true;
      }
  }
}

int TdxBarManager::GroupCount() const { return FGroups ? FGroups->GetCount() : 0; }

TdxBarGroup* TdxBarManager::GroupByIndex(int Index) const {
  return Index >= 0 && Index < GroupCount() ? static_cast<TdxBarGroup*>(FGroups->GetItem(Index)) : nullptr;
}

int TdxBarManager::IndexOfGroup(const TdxBarGroup* Group) const {
  return FGroups ? FGroups->IndexOf(const_cast<TdxBarGroup*>(Group)) : -1;
}

void TdxBarManager::AddGroup(TdxBarGroup* Group) {
  if (FGroups && FGroups->IndexOf(Group) < 0) FGroups->Add(Group);
}

void TdxBarManager::RemoveGroup(TdxBarGroup* Group) {
  if (FGroups) FGroups->Extract(Group);
}

void TdxBarManager::MoveGroup(int CurIndex, int NewIndex) { FGroups->Move(CurIndex, NewIndex); }

TdxBarGroup* TdxBarManager::CreateGroup() {
  TdxBarGroup* Group = TdxBarGroup::Create(GetOwner());
  AddGroup(Group);
  return Group;
}

TdxBar* TdxBarManager::BarByName(const std::string& Name) const {
  for (int I = 0; FBars && I < FBars->NumberOfItems(); ++I)
    if (FBars->GetBar(I)->GetName() == Name) return FBars->GetBar(I);
  return nullptr;
}

TdxBar* TdxBarManager::BarByCaption(const std::string& Caption) const {
  for (int I = 0; FBars && I < FBars->NumberOfItems(); ++I)
    if (FBars->GetBar(I)->GetCaption() == Caption) return FBars->GetBar(I);
  return nullptr;
}

int TdxBarManager::PopupMenuCount() const { return FPopupMenus ? FPopupMenus->GetCount() : 0; }

TdxBarPopupMenu* TdxBarManager::PopupMenuByIndex(int Index) const {
  return dynamic_cast<TdxBarPopupMenu*>(FPopupMenus->GetItem(Index));
}

void TdxBarManager::AddPopupMenu(TdxBarCustomPopupMenu* Menu) {
  if (FPopupMenus && FPopupMenus->IndexOf(Menu) < 0) FPopupMenus->Add(Menu);
}

void TdxBarManager::RemovePopupMenu(TdxBarCustomPopupMenu* Menu) {
  if (FPopupMenus) FPopupMenus->Extract(Menu);
}

// ---- categories

TdxBarItemVisible TdxBarManager::GetCategoryItemsVisible(int Index) const {
  if (!FCategories->InRange(Index)) return ivNever;
  TdxBarCategoryData* Data = FCategories->Data(Index);
  return Data ? Data->ItemsVisible : ivAlways;
}

bool TdxBarManager::GetCategoryVisible(int Index) const {
  if (!FCategories->InRange(Index)) return false;
  TdxBarCategoryData* Data = FCategories->Data(Index);
  return Data ? Data->Visible : true;
}

namespace {
// A new toolbar goes on a row of its own below the bars docked at the same edge.
int NextDockRow(TdxBar* Bar) {
  int Row = 0;
  TdxBars* Bars = Bar->GetManagerBars();
  for (int I = 0; Bars && I < Bars->NumberOfItems(); ++I) {
    TdxBar* Other = Bars->GetBar(I);
    if (Other != Bar && Other->GetDockingStyle() == Bar->GetDockingStyle() && Other->GetVisible())
      Row = std::max(Row, Other->GetRow() + 1);
  }
  return Row;
}

bool HasPresentLink(TdxBar* Bar) { return Bar->GetItemLinks() && Bar->GetItemLinks()->PresentLinkCount() > 0; }
}  // namespace

void TdxBarManager::SetCategoryItemsVisible(int Index, TdxBarItemVisible Value) {
  if (!FCategories->InRange(Index)) return;
  TdxBarItemVisible Old = GetCategoryItemsVisible(Index);
  TdxBarCategoryData* Data = FCategories->EnsureData(Index);
  if (IsLoading()) {
    Data->LoadedItemsVisible = Value;
    return;
  }
  Data->ItemsVisible = Value;
  if (!InDesignMode()) {
    std::vector<bool> HadLinks;
    if (FAutoHideEmptyBars)
      for (int I = 0; I < FBars->NumberOfItems(); ++I) HadLinks.push_back(HasPresentLink(FBars->GetBar(I)));
    LockBarsUpdate();
    try {
      std::vector<TdxBarItem*> Items;
      GetItemsOfCategory(Index, Items);
      if (Value == ivAlways) std::reverse(Items.begin(), Items.end());
      for (TdxBarItem* Item : Items)
        if (Item->GetVisible() == Old) Item->SetVisible(Value);
      if (FAutoHideEmptyBars)
        for (int I = 0; I < FBars->NumberOfItems() && I < static_cast<int>(HadLinks.size()); ++I) {
          TdxBar* Bar = FBars->GetBar(I);
          bool Has = HasPresentLink(Bar);
          if (Value == ivNever && !Has && HadLinks[static_cast<size_t>(I)]) {
            Bar->SetVisible(false);
            Bar->SetHidden(true);
          } else if (Value == ivAlways && Has && Bar->GetHidden()) {
            Bar->SetVisible(true);
            Bar->SetHidden(false);
          }
        }
    } catch (...) {
      UnlockBarsUpdate(true);
      throw;
    }
    UnlockBarsUpdate(true);
  }
  if (Value != Old) NotifyModified();
}

void TdxBarManager::SetCategoryVisible(int Index, bool Value) {
  if (!FCategories->InRange(Index) || GetCategoryVisible(Index) == Value) return;
  FCategories->EnsureData(Index)->Visible = Value;
  NotifyModified();
}

int TdxBarManager::CategoryIndexOfVisible(int VisibleIndex) const {
  if (InDesignMode()) return VisibleIndex;
  for (int I = 0, N = 0; I < FCategories->GetCount(); ++I)
    if (GetCategoryVisible(I) && N++ == VisibleIndex) return I;
  return -1;
}

int TdxBarManager::GetItemsOfCategory(int Index, std::vector<TdxBarItem*>& List) const {
  List.clear();
  if (FCategories->InRange(Index))
    for (int I = 0; I < ItemCount(); ++I)
      if (ItemByIndex(I)->GetCategory() == Index) List.push_back(ItemByIndex(I));
  return static_cast<int>(List.size());
}

int TdxBarManager::GetShownItemsOfCategory(int Index, std::vector<TdxBarItem*>& List) const {
  GetItemsOfCategory(Index, List);
  if (!InDesignMode())
    std::erase_if(List, [](TdxBarItem* Item) { return !Item->IsVisibleNow() ; });
  return static_cast<int>(List.size());
}

// ---- naming

void TdxBarManager::MakeUniqueBarCaption(const std::string& Base, std::string& Caption) const {
  for (int N = 1;; ++N) {
    Caption = Base + std::to_string(N);
    if (!BarByCaption(Caption)) return;
  }
}

void TdxBarManager::MakeUniqueBarName(const std::string& Base, std::string& Name) const {
  if (InDesignMode() && !IsLoading()) {
    DesignerMakeName(Base, Name);
    return;
  }
  for (int N = 1;; ++N) {
    Name = Base + std::to_string(N);
    if (!BarByName(Name)) return;
  }
}

void TdxBarManager::MakeUniqueItemName(TClass ItemClass, std::string& Name) const {
  std::string Base = std::string(ItemClass->ClassName()).substr(1);
  if (InDesignMode()) {
    DesignerMakeName(Base, Name);
    return;
  }
  for (int N = 1;; ++N) {
    Name = Base + std::to_string(N);
    if (!ItemByName(Name)) return;
  }
}

TdxBarItemLink* TdxBarManager::SelectedLinkInDesigner() const {
  auto* Link = dynamic_cast<TdxBarItemLink*>(BarDesignControllerInstance()->GetLastSelected());
  return Link && Link->GetBarManager() == this ? Link : nullptr;
}

// ---- designer forwarding

bool TdxBarManager::DesignerAllowsDelete(TComponent* Component) const {
  return !FDesigner || FDesigner->AllowsDelete(Component);
}

void TdxBarManager::GetDesignerSelection(TObjectList* List) const {
  if (FDesigner) FDesigner->GetSelection(List);
}

int TdxBarManager::DesignerSelectionStatus(TObject* Object) const {
  return FDesigner ? FDesigner->SelectionStatus(Object) : 0;
}

void TdxBarManager::DesignerSelect(TObject* Object, int Mode) const {
  if (FDesigner) FDesigner->Select(Object, Mode);
}

void TdxBarManager::DesignerAssignSelection(TObjectList* List) const {
  if (FDesigner) FDesigner->AssignSelection(List);
}

void TdxBarManager::DesignerEditItem(TdxBarItem* Item) const {
  if (FDesigner) FDesigner->EditItem(Item);
}

void TdxBarManager::DesignerMakeName(const std::string& BaseName, std::string& Name) const {
  if (FDesigner) Name = FDesigner->MakeUniqueName(BaseName);
}

void TdxBarManager::GetSelectedObjects(TObjectList* List) const {
  GetDesignerSelection(List);
  for (int I = List->GetCount() - 1; I >= 0; --I)
    if (DesignerSelectionStatus(List->GetItem(I)) != 1) List->Delete(I);
}

// ---- streaming and notifications

void TdxBarManager::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int I = 0; FBars && I < FBars->NumberOfItems(); ++I)
    if (FBars->GetBar(I)->GetOwner() == Root) Proc(FBars->GetBar(I));
  for (int I = 0; I < ItemCount(); ++I)
    if (ItemByIndex(I)->GetOwner() == Root && ItemByIndex(I)->GetCategory() >= 0) Proc(ItemByIndex(I));
  for (int I = 0; I < GroupCount(); ++I)
    if (GroupByIndex(I)->GetOwner() == Root) Proc(GroupByIndex(I));
}

void TdxBarManager::SetChildOrder(TComponent* Child, int Order) {
  TComponent::SetChildOrder(Child, Order);
  int Bars = FBars ? FBars->NumberOfItems() : 0;
  if (auto* Item = dynamic_cast<TdxBarItem*>(Child)) {
    int Cur = IndexOfItem(Item), To = Order - Bars;
    if (Cur >= 0 && To >= 0 && To < ItemCount()) FItems->Move(Cur, To);
  } else if (auto* Group = dynamic_cast<TdxBarGroup*>(Child)) {
    int Cur = IndexOfGroup(Group), To = Order - Bars - ItemCount();
    if (Cur >= 0 && To >= 0 && To < GroupCount()) FGroups->Move(Cur, To);
  }
}

void TdxBarManager::ReadState(TReader* Reader) {
  TComponent::ReadState(Reader);
  ++FReadStateCount;
}

void TdxBarManager::SetName(const std::string& NewName) {
  std::string OldName = GetName();
  TComponent::SetName(NewName);
  if (!InDesignMode() || OldName.empty() || SameText(OldName, NewName) || !GetOwner()) return;
  TComponent* Owner = GetOwner();
  for (int I = 0; I < Owner->GetComponentCount(); ++I) {
    auto* Item = dynamic_cast<TdxBarItem*>(Owner->GetComponent(I));
    if (!Item) continue;
    const std::string& N = Item->GetName();
    if (N.size() <= OldName.size() || !SameText(N.substr(0, OldName.size()), OldName)) continue;
    try {
      Item->SetName(NewName + N.substr(OldName.size()));
    } catch (const EComponentError&) {
    }
  }
}

void TdxBarManager::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || !FPopupMenuLinks) return;
  for (int I = 0; I < FPopupMenuLinks->GetCount(); ++I) {
    TdxBarPopupMenuLink* Link = FPopupMenuLinks->GetLink(I);
    if (static_cast<TComponent*>(Link->GetControl()) == AComponent) Link->SetControl(nullptr);
    if (static_cast<TComponent*>(Link->GetPopupMenu()) == AComponent) Link->SetPopupMenu(nullptr);
  }
}

void TdxBarManager::Loaded() {
  TComponent::Loaded();
  // Links resolve their items only once the windows may be built: a load under
  // the bar-update lock is finished by its outermost unlock.
  if (IsBarsUpdateLocked()) {
    FLoadPending = true;
    return;
  }
  FinishLoading();
}

void TdxBarManager::FinishLoading() {
  FInternalState |= bmsfFinishingLoad;
  try {
    for (int I = 0; I < ItemCount(); ++I)
      if (TdxBarItemLinks* Links = ItemByIndex(I)->GetItemLinks()) Links->ResolveLoadedLinks();
    for (int I = 0; I < FBars->NumberOfItems(); ++I)
      if (TdxBarItemLinks* Links = FBars->GetBar(I)->GetItemLinks()) Links->ResolveLoadedLinks();
    if (InDesignMode()) SortItemsByCategory();
    FInternalState |= bmsfApplyingLoadedVisibility;
    try {
      for (int I = 0; I < ItemCount(); ++I) ItemByIndex(I)->ApplyLoadedVisible();
      for (int I = 0; I < FBars->NumberOfItems(); ++I) {
        TdxBar* Bar = FBars->GetBar(I);
        Bar->SetPredefined(true);
        Bar->ApplyLoadedDocking();
        Bar->ApplyLoadedVisible();
      }
      SaveInitialState();
      if (!InDesignMode()) {
        if (FStoreInRegistry) ReadLayoutFromRegistry(FRegistryPath);
        if (FStoreInIniFile) ReadLayoutFromIniFile(FIniFileName);
      }
    } catch (...) {
      FInternalState &= ~bmsfApplyingLoadedVisibility;
      throw;
    }
    FInternalState &= ~bmsfApplyingLoadedVisibility;
    LockBarsUpdate();
    try {
      for (int I = 0; I < FCategories->GetCount(); ++I)
        if (TdxBarCategoryData* Data = FCategories->Data(I)) SetCategoryItemsVisible(I, Data->LoadedItemsVisible);
    } catch (...) {
      UnlockBarsUpdate();
      throw;
    }
    UnlockBarsUpdate();
    for (int I = 0; I < DockControlCount(); ++I) DockControlByIndex(I)->RebuildLayout();
  } catch (...) {
    FInternalState &= ~bmsfFinishingLoad;
    throw;
  }
  FInternalState &= ~bmsfFinishingLoad;
  if (InDesignMode()) CheckBrokenLinks();
}

void TdxBarManager::CheckBrokenLinks() {
  std::vector<TdxBarItemLink*> Broken;
  auto Collect = [&Broken](TdxBarItemLinks* Links) {
    for (int I = 0; Links && I < Links->GetCount(); ++I)
      if (!Links->GetLink(I)->GetItem()) Broken.push_back(Links->GetLink(I));
  };
  for (int I = 0; I < ItemCount(); ++I) Collect(ItemByIndex(I)->GetItemLinks());
  for (int I = 0; I < FBars->NumberOfItems(); ++I) Collect(FBars->GetBar(I)->GetItemLinks());
  if (Broken.empty()) return;
  std::wstring Text = Utf8ToWide(GetNamePath() + BarString(dxSBAR_BROKENLINKS));
  std::wstring Caption = Utf8ToWide(BarString(dxSBAR_BROKENLINKSCAPTION));
  switch (MessageBoxW(nullptr, Text.c_str(), Caption.c_str(), MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDCANCEL:
      Abort();
      break;
    case IDYES:
      for (TdxBarItemLink* Link : Broken) Free(Link);
      NotifyModified();
      break;
    default:
      break;
  }
}

// ---- customizing mode

void TdxBarManager::SetCustomizing(bool Value) {
  if (Value == FCustomizing) return;
  if (Value && ActiveCustomizationForm()) return;
  for (int I = FBars->NumberOfItems() - 1; I >= 0; --I) {
    if (I >= FBars->NumberOfItems()) continue;
    TdxBar* Bar = FBars->GetBar(I);
    if (TCustomdxBarControl* W = Bar->GetBarControl()) {
      int Count = FBars->NumberOfItems();
      W->CloseBar();
      if (FBars->NumberOfItems() == Count && IsBarControlAlive(W)) W->DestroyItemControls();
    }
  }
  FCustomizing = Value;
  for (int I = 0; I < FBars->NumberOfItems(); ++I) {
    TdxBar* Bar = FBars->GetBar(I);
    if (TdxBarItemLinks* Links = Bar->GetItemLinks()) Links->RefreshLinkLists();
    if (TCustomdxBarControl* W = Bar->GetBarControl()) W->CreateItemControls();
  }
  for (int I = 0; I < ItemCount(); ++I)
    if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(ItemByIndex(I)))
      if (TdxBarItemLinks* Links = Sub->GetItemLinks()) Links->RefreshLinkLists();
  for (int I = 0; I < PopupMenuCount(); ++I)
    if (TdxBarPopupMenu* Menu = PopupMenuByIndex(I); Menu && Menu->GetItemLinks()) Menu->GetItemLinks()->RefreshLinkLists();
  ShowCustomizationForm(this, Value);
  for (int I = 0; I < FBars->NumberOfItems(); ++I)
    if (TCustomdxBarControl* W = FBars->GetBar(I)->GetBarControl()) {
      W->UpdateControlState();
      W->Rebuild();
    }
}

void CloseActiveBarControls() {
  if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
}

bool TdxBarManager::IsAnotherManagerCustomizing() const {
  TdxBarManager* M = BarManagerList() ? BarManagerList()->CustomizingManager() : nullptr;
  return M && M != this;
}

bool TdxBarManager::OwnerAcceptsNewComponents() const {
  TComponent* Owner = GetOwner();
  return !(Owner && Owner->GetComponentState().Contains(csDesigning) && Owner->GetComponentState().Contains(csInline));
}

TdxBar* TdxBarManager::CreateUserBar(bool AsMainMenu, bool AskCaption) {
  std::string Caption;
  MakeUniqueBarCaption(BarString(dxSBAR_TOOLBARNEWNAME), Caption);
  if (AskCaption && !ExecuteBarNameDialog(Caption, bndToolbar, bndmNew, nullptr, this)) return nullptr;
  TdxBar* Bar = nullptr;
  LockBarsUpdate();
  FBars->LockUpdates();
  try {
    Bar = FBars->Add();
    Bar->SetCaption(Caption);
    if (TWinControl* Owner = OwnerControl()) {
      RECT R = Owner->GetBoundsRect();
      RECT Area = MonitorWorkAreaAt({R.left, R.top});
      int Left = R.left - 50;
      if (Left < Area.left) Left = R.right + 10;
      int Top = R.top < Area.top ? Area.top + 10 : R.top;
      Bar->SetFloatLeft(Left);
      Bar->SetFloatTop(Top);
    }
    Bar->SetDockingStyle(dsTop);
    if (AsMainMenu) {
      Bar->SetRow(0);
      Bar->SetIsMainMenu(true);
      Bar->SetVisible(true);
    } else {
      Bar->SetRow(NextDockRow(Bar));
      Bar->SetOneOnRow(true);
      Bar->SetVisible(true);
      Bar->SetOneOnRow(false);
    }
  } catch (...) {
    FBars->UnlockUpdates(false);
    UnlockBarsUpdate();
    throw;
  }
  FBars->UnlockUpdates(false);
  UnlockBarsUpdate();
  BarDesignControllerInstance()->SelectObject(QuerySelectableItem(Bar), 0);
  return Bar;
}

void TdxBarManager::AskRenameBar(TdxBar* Bar) {
  std::string Caption = Bar->GetCaption();
  if (ExecuteBarNameDialog(Caption, bndToolbar, bndmRename, Bar, this)) Bar->SetCaption(Caption);
}

void TdxBarManager::AskResetUsageData() {
  if (BarMessageBox(BarString(dxSBAR_WANTTORESETUSAGEDATA), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
    ResetUsageData();
}

HWND TdxBarManager::CustomizingHostWindow() const {
  if (FCustomizing)
    if (TdxBarCustomCustomizationForm* Form = ActiveCustomizationForm(); Form && Form->HandleAllocated())
      return Form->GetHandle();
  if (Application && IsWindowVisible(Application->GetHandle())) return Application->GetHandle();
  TWinControl* Owner = OwnerControl();
  return Owner && Owner->HandleAllocated() ? Owner->GetHandle() : nullptr;
}

// ---- drag state

bool TdxBarManager::IsDragging() const { return FDragInfo && FDragInfo->IsDragging(); }
TdxBarItem* TdxBarManager::DraggedItem() const { return FDragInfo ? FDragInfo->GetItem() : nullptr; }
TdxBarItemLink* TdxBarManager::DraggedItemLink() const { return FDragInfo ? FDragInfo->GetLink() : nullptr; }
void TdxBarManager::SetDraggedItem(TdxBarItem* Item) { FDragInfo->SetItem(Item); }
void TdxBarManager::SetDraggedItemLink(TdxBarItemLink* Link) { FDragInfo->SetLink(Link); }
