#include "suite/bars/BarDesignController.h"

#include "framework/Form.h"
#include "framework/Messages.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarCustomizingPopups.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"
#include "suite/common/FreeNotificator.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/WindowUtils.h"

TdxBarDesignController::TdxBarDesignController()
    : FInternalItems(TComponentList::Create(true)), FRelay(TcxFreeNotificator::Create(nullptr)) {
  FRelay->OnFreeNotification = Bind(this, &TdxBarDesignController::ComponentFreed);
}

TdxBarDesignController::~TdxBarDesignController() {
  Free(FInternalItems);
  Free(FRelay);
  DropObjectLink(FToolbarsPopup);
  DropObjectLink(FLastSelected);
}

void TdxBarDesignController::SetDragging(bool Value) {
  if (Value)
    FDesignState |= 2;
  else
    FDesignState &= ~2;
}

void TdxBarDesignController::CloseQuickControl() {
  if (TCustomdxBarControl* Quick = FQuickControl) {
    FQuickControl = nullptr;
    Quick->CloseBar();
  }
}

// ---- internal items

void TdxBarDesignController::AddInternalItem(TComponent* Item, TComponentList* List) {
  if (!Item) return;
  (List ? List : FInternalItems)->Add(Item);
  // The item does not count among its manager's items.
  if (auto* BarItem = dynamic_cast<TdxBarItem*>(Item); BarItem && BarItem->GetBarManager())
    BarItem->GetBarManager()->RemoveItem(BarItem);
}

void TdxBarDesignController::ClearInternalItems() {
  // A popup still open would show the items about to go.
  if (TdxBarToolbarsPopup* Open = GetToolbarsPopup()) Open->CloseBar();
  if (TdxBarCustomizingPopup* Open = FCustomizingPopup) Open->CloseBar();
  while (FInternalItems->GetCount()) FInternalItems->Delete(FInternalItems->GetCount() - 1);
}

void TdxBarDesignController::FreeItemsOfLinks(TdxBarItemLinks* Links) {
  while (Links && Links->GetCount() > 0) {
    TdxBarItemLink* Link = Links->GetLink(0);
    if (TdxBarItem* Item = Link->GetItem())
      Free(Item);
    else
      Free(Link);
  }
}

TdxBarItemLink* TdxBarDesignController::AddCommandItem(TdxBarItemLinks* Links, TClassOf<TdxBarItem> ItemClass,
                                                      const std::string& Caption, TNotifyEvent OnClick,
                                                      std::intptr_t Tag, bool BeginGroup) {
  TdxBarItemLink* Link = Links->AddItemOfClass(ItemClass);
  TdxBarItem* Item = Link->GetItem();
  AddInternalItem(Item, nullptr);
  Item->SetCaption(Caption);
  Item->OnClick = OnClick;
  Item->SetTag(Tag);
  Link->SetBeginGroup(BeginGroup);
  return Link;
}

void TdxBarDesignController::AddCustomizeCommand(TdxBarItemLinks* Links, TClassOf<TdxBarItem> ItemClass,
                                                 bool BeginGroup) {
  TdxBarManager* Manager = Links->GetBarManager();
  if (!Manager || !Manager->GetCanCustomize()) return;
  TdxBarItemLink* Link = AddCommandItem(Links, ItemClass, BarString(dxSBAR_CUSTOMIZE),
                                        Bind(this, &TdxBarDesignController::CustomizeCommandClick), 0, BeginGroup);
  Link->GetItem()->SetEnabled(ActiveCustomizationForm() == nullptr);
}

void TdxBarDesignController::CustomizeCommandClick(TObject* Sender) {
  if (auto* Item = dynamic_cast<TdxBarItem*>(Sender); Item && Item->GetBarManager())
    Item->GetBarManager()->SetCustomizing(true);
  else if (FCustomizingManager)
    FCustomizingManager->SetCustomizing(true);
}

// ---- selection

void TdxBarDesignController::ApplySelection(IdxBarSelectableItem* Item, int Kind) {
  if (Item) Item->SelectInDesigner(Kind);
  if (Kind == 1)
    ValidateLastSelected();
  else if (Kind == 0 || Kind == 2)
    RememberLastSelected(InstanceOfSelectable(Item));
}

TObject* TdxBarDesignController::GetLastSelected() const { return FLastSelected ? FLastSelected->Ref : nullptr; }

void TdxBarDesignController::RememberLastSelected(TObject* Object) {
  TObject* Previous = GetLastSelected();
  if (Object == Previous) return;
  DropObjectLink(FLastSelected);
  FLastSelected = CreateObjectLink(Object);
  if (Previous) {
    if (IdxBarSelectableItem* S = QuerySelectableItem(Previous)) S->RefreshSelectable();
    if (auto* C = dynamic_cast<TComponent*>(Previous)) FRelay->UnwatchComponent(C);
  }
  if (Object) {
    if (IdxBarSelectableItem* S = QuerySelectableItem(Object)) S->RefreshSelectable();
    // A component that goes away leaves the reference before it is freed.
    if (auto* C = dynamic_cast<TComponent*>(Object)) FRelay->WatchComponent(C);
  }
}

void TdxBarDesignController::ComponentFreed(TObject* Sender, TComponent* Component) {
  (void)Sender;
  ForgetSelectable(Component);
}

void TdxBarDesignController::ForgetSelectable(TObject* Object) {
  if (IsLastSelected(Object)) {
    DropObjectLink(FLastSelected);
    FLastSelected = nullptr;
  }
  if (Object && Object == FCustomizedLink) FCustomizedLink = nullptr;
}

void TdxBarDesignController::ValidateLastSelected() {
  TObject* Last = GetLastSelected();
  if (!Last) return;
  IdxBarSelectableItem* S = QuerySelectableItem(Last);
  if ((S && !S->IsSelected()) || !IsOwnAppActive()) RememberLastSelected(nullptr);
}

bool TdxBarDesignController::UsesSolidFrame(TObject* Object) const {
  TdxBarManager* Manager = nullptr;
  if (IdxBarSelectableItem* S = QuerySelectableItem(Object)) Manager = S->GetBarManager();
  if (auto* Link = dynamic_cast<TdxBarItemLink*>(Object)) Manager = Link->GetBarManager();
  return Manager && !Manager->InDesignMode() && IsLastSelected(Object);
}

TdxBarManager* TdxBarDesignController::DetermineCustomizingManager() {
  FCustomizingManager = nullptr;
  TObject* Last = GetLastSelected();
  if (auto* Link = dynamic_cast<TdxBarItemLink*>(Last))
    FCustomizingManager = Link->GetBarManager();
  else if (IdxBarSelectableItem* S = QuerySelectableItem(Last))
    FCustomizingManager = S->GetBarManager();
  return FCustomizingManager;
}

bool TdxBarDesignController::CanActOn(TdxBarManager* Manager, bool CheckFocus) {
  // Outside customizing a selection left over from it is no reason to take Del or Esc.
  if (!Manager || !Manager->IsCustomizingOrDesigning()) return false;
  if (!CheckFocus) return true;
  TWinControl* Owner = Manager->OwnerControl();
  return Owner && Owner->HandleAllocated() && WindowOrAncestorHasFocus(Owner->GetHandle());
}

bool TdxBarDesignController::DeleteSelectedObjects(bool DeleteItems, bool CheckFocus) {
  (void)DeleteItems;
  TdxBarManager* Manager = DetermineCustomizingManager();
  if (!CanActOn(Manager, CheckFocus)) return false;
  // This program has no form designer: only the run-time selection, a link, is deleted.
  TdxBarItemLink* Link = Manager->SelectedLinkInDesigner();
  if (!Link) return false;
  Free(Link);
  // The key did its work here and goes no further (to the focused control).
  return true;
}

bool TdxBarDesignController::CanDeleteSelection() {
  TdxBarManager* Manager = DetermineCustomizingManager();
  return Manager && Manager->SelectedLinkInDesigner() != nullptr;
}

bool TdxBarDesignController::SelectSelectionParent() {
  TdxBarManager* Manager = DetermineCustomizingManager();
  if (!CanActOn(Manager, true)) return false;
  IdxBarSelectableItem* S = QuerySelectableItem(GetLastSelected());
  return S && S->SelectParent();
}

// ---- toolbars popup

void TdxBarDesignController::BuildToolbarsList(TdxBarItemLinks* Links) {
  FreeItemsOfLinks(Links);
  TdxBarManager* Manager = Links->GetBarManager();
  if (!Manager) return;
  TdxBars* Bars = Manager->GetBars();
  for (int I = 0; I < Bars->NumberOfItems(); ++I) {
    TdxBar* Bar = Bars->GetBar(I);
    bool Merged = Bar->GetMergeData() && Bar->GetMergeData()->GetTarget();
    if (!Bar->CanClose() || Bar->GetHidden() || Merged) continue;
    TdxBarItemLink* Link = AddCommandItem(Links, TdxBarButton::StaticClass(), Bar->GetCaption(),
                                          Bind(this, &TdxBarDesignController::ToolbarEntryClick),
                                          reinterpret_cast<std::intptr_t>(Bar), false);
    auto* Button = static_cast<TdxBarButton*>(Link->GetItem());
    Button->SetButtonStyle(bsChecked);
    Button->SetDown(Bar->GetVisible());
  }
  AddCustomizeCommand(Links, TdxBarButton::StaticClass(), true);
}

void TdxBarDesignController::ToolbarEntryClick(TObject* Sender) {
  auto* Item = dynamic_cast<TdxBarItem*>(Sender);
  TdxBarManager* Manager = Item ? FCustomizingManager : nullptr;
  if (!Manager) return;
  if (TdxBar* Bar = BarOfTag(Manager, Item->GetTag())) Bar->SetVisible(!Bar->GetVisible());
}

TdxBar* TdxBarDesignController::BarOfTag(TdxBarManager* Manager, std::intptr_t Tag) {
  TdxBars* Bars = Manager ? Manager->GetBars() : nullptr;
  for (int I = 0; Bars && I < Bars->NumberOfItems(); ++I)
    if (TdxBar* Bar = Bars->GetBar(I); reinterpret_cast<std::intptr_t>(Bar) == Tag) return Bar;
  return nullptr;
}

TdxBarToolbarsPopup* TdxBarDesignController::GetToolbarsPopup() const {
  return FToolbarsPopup ? static_cast<TdxBarToolbarsPopup*>(FToolbarsPopup->Ref) : nullptr;
}

void TdxBarDesignController::ShowToolbarsPopup(TdxBarManager* Manager, TdxBarPainter* Painter) {
  ClearInternalItems();
  FCustomizingManager = Manager;
  if (!Manager) return;
  TdxBarToolbarsPopup* Popup = TdxBarToolbarsPopup::Create(Manager);
  Popup->SetOwnPainter(Painter);
  BuildToolbarsList(Popup->GetItemLinks());
  Manager->DoShowToolbarsPopup(Popup->GetItemLinks());
  if (Popup->GetItemLinks()->GetCount() == 0) {
    Free(Popup);
    return;
  }
  CloseActiveBarControls();
  POINT P;
  ReadCursorPosition(P);
  Popup->SetBounds(P.x, P.y, Popup->GetWidth(), Popup->GetHeight());
  Popup->SetShowAnimation(true);
  Popup->SetFreeOnClose(true);
  DropObjectLink(FToolbarsPopup);
  FToolbarsPopup = CreateObjectLink(Popup);
  Popup->ShowAnimated();
}

// ---- customizing popup

void TdxBarDesignController::ShowCustomizingPopup(TdxBarManager* Manager, TdxBarPainter* Painter,
                                                  TdxBarItemLink* Link, TCustomdxBarControl* BarControl,
                                                  TdxBarLinksFill Fill) {
  ClearInternalItems();
  FCustomizingBarControl = BarControl;
  FCustomizedLink = Link;
  FCustomizingManager = Manager;
  if (!Manager) return;
  TdxBarCustomizingPopup* Popup = TdxBarCustomizingPopup::Create(Manager);
  Popup->SetOwnPainter(Painter);
  Popup->OnClosedUp = Bind(this, &TdxBarDesignController::CustomizingPopupClosed);
  Popup->OnDestroyed = Bind(this, &TdxBarDesignController::CustomizingPopupDestroyed);
  FCustomizingPopup = Popup;
  Fill(Popup->GetItemLinks());
  if (Popup->GetItemLinks()->GetCount() < 1) {
    FCustomizingBarControl = nullptr;
    Free(Popup);
    return;
  }
  if (BarControl)
    if (TdxBarItemControl* Selected = BarControl->SelectedItemControl()) Selected->ControlInactivate(true);
  Popup->FillCommands();
  POINT P;
  ReadCursorPosition(P);
  Popup->SetBounds(P.x, P.y, Popup->GetWidth(), Popup->GetHeight());
  Popup->SetFreeOnClose(true);
  Popup->ShowAnimated();
}

void TdxBarDesignController::ShowItemPopup(TCustomdxBarControl* BarControl, TdxBarItemLink* Link) {
  if (!BarControl) return;
  FCustomizingLinks = BarControl->GetItemLinks();
  ShowCustomizingPopup(BarControl->GetBarManager(), BarControl->GetPainter(), Link, BarControl,
                       Bind(this, &TdxBarDesignController::FillCustomizingCommands));
}

void TdxBarDesignController::CustomizingPopupClosed(TObject* Sender) {
  (void)Sender;
  FCustomizingBarControl = nullptr;
}

void TdxBarDesignController::CustomizingPopupDestroyed(TObject* Sender) {
  if (Sender == FCustomizingPopup) FCustomizingPopup = nullptr;
}

// ---- editing from the customizing popup

void TdxBarDesignController::ApplyActionToSelection(int Action) {
  if (IdxBarSelectableItem* S = QuerySelectableItem(GetLastSelected())) S->ApplyCustomizeAction(Action);
}

void TdxBarDesignController::ApplyCaptionEdit(TObject* Sender) {
  auto* Edit = dynamic_cast<TdxBarEdit*>(Sender);
  if (!Edit) return;
  std::string Text = Edit->GetText();
  if (Text.empty()) {
    // The edit is the popup's own: closing it now would free the window the
    // edit's handling still runs in, so the popup closes and tells why afterwards.
    if (TdxBarCustomizingPopup* Popup = FCustomizingPopup; Popup && Popup->HandleAllocated())
      Popup->PostRefuseBlankCaption();
    else
      BarMessageBox(BarString(dxSBAR_COMMANDNAMECANNOTBEBLANK), MB_ICONHAND);
    return;
  }
  if (FCustomizedLink) FCustomizedLink->SetUserCaption(Text);
}

void TdxBarDesignController::DeleteCustomizedLink() {
  TdxBarItemLink* Link = FCustomizedLink;
  FCustomizedLink = nullptr;
  Free(Link);
}

// ---- registries

void TdxBarDesignController::RegisterEditor(TClass EditorClass) { FEditors.push_back(EditorClass); }

void TdxBarDesignController::RegisterDesignHelper(TClass BarControlClass, TClass HelperClass) {
  FDesignHelpers.emplace_back(BarControlClass, HelperClass);
}

TClass TdxBarDesignController::DesignHelperFor(TCustomdxBarControl* Window) const {
  // The nearest registered ancestor of the window's class wins.
  for (TClass C = Window ? Window->ClassType() : nullptr; C; C = C->ClassParent())
    for (const auto& [WindowClass, Helper] : FDesignHelpers)
      if (WindowClass == C) return Helper;
  return TCustomdxBarControlDesignHelper::StaticClass();
}
