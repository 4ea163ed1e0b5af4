#include "suite/bars/BarCustomization.h"

#include <algorithm>

#include "framework/Action.h"
#include "framework/ListControls.h"
#include "framework/Lists.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomizationForm.h"
#include "suite/bars/BarCustomizationLists.h"
#include "suite/bars/BarCustomizationPainters.h"
#include "suite/bars/BarAddItemDialog.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarRunTimeSelection.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarSubMenuEditor.h"
#include "suite/bars/Bars.h"
#include "suite/common/ComponentList.h"
#include "suite/common/cxContainerRoutines.h"

namespace {
const UINT SynchronizeMessage = RegisterWindowMessageW(L"dxWM_LB_SYNCHRONIZE");
const UINT SynchronizeSelectionMessage = RegisterWindowMessageW(L"dxWM_LB_SYNCHRONIZESELECTION");
const UINT UpdateEventsMessage = RegisterWindowMessageW(L"dxWM_LB_UPDATEEVENTS");

TdxBarCustomCustomizationForm* TheForm = nullptr;
// Set while the manager closes the form, so neither closing path runs the other.
bool ClosingByManager = false;

TdxBarCustomCustomizationForm* CreateCustomizeDialog(TdxBarManager* Manager) {
  return TdxBarCustomizationForm::Create(Manager);
}
TdxBarCustomizationFormFactory FormFactory = &CreateCustomizeDialog;

int ListCount(TListBox* ListBox) { return ListBox->GetItems()->GetCount(); }
bool RowSelected(TListBox* ListBox, int Row) {
  if (ListBox->GetMultiSelect()) return ListBox->GetSelected(Row);
  return ListBox->GetItemIndex() == Row;
}

TAction* NewAction(TComponent* Owner, const std::string& Caption, TNotifyEvent Execute, int Tag = 0) {
  return NewCustomizationAction(Owner, Caption, Execute, Tag);
}
}  // namespace

TAction* NewCustomizationAction(TComponent* Owner, const std::string& Caption, TNotifyEvent Execute, int Tag) {
  TAction* A = TAction::Create(Owner);
  A->SetCaption(Caption);
  A->OnExecute = Execute;
  A->SetTag(Tag);
  return A;
}

UINT dxWM_LB_SYNCHRONIZE() { return SynchronizeMessage; }
UINT dxWM_LB_SYNCHRONIZESELECTION() { return SynchronizeSelectionMessage; }
UINT dxWM_LB_UPDATEEVENTS() { return UpdateEventsMessage; }

// ---- the form

TdxBarCustomCustomizationForm::TdxBarCustomCustomizationForm(TdxBarManager* AManager)
    : TForm(nullptr), FBarManager(AManager) {
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetCaption(BarString(dxSBAR_CAPTION));
  auto Bound = [this](auto Method) { return Bind(this, Method); };
  aNewToolBar = NewAction(this, BarString(dxSBAR_TNEW), Bound(&TdxBarCustomCustomizationForm::aNewToolBarExecute));
  aRenameToolBar =
      NewAction(this, BarString(dxSBAR_TRENAME), Bound(&TdxBarCustomCustomizationForm::aRenameToolBarExecute));
  aDeleteToolBar =
      NewAction(this, BarString(dxSBAR_TDELETE), Bound(&TdxBarCustomCustomizationForm::aDeleteToolBarExecute));
  aResetToolBar =
      NewAction(this, BarString(dxSBAR_TRESET), Bound(&TdxBarCustomCustomizationForm::aResetToolBarExecute));
  aAddItem = NewAction(this, "Add Item", Bound(&TdxBarCustomCustomizationForm::aAddItemExecute));
  aDeleteItem = NewAction(this, "Delete Item", Bound(&TdxBarCustomCustomizationForm::aDeleteItemExecute));
  aSubMenuEditor =
      NewAction(this, BarString(dxSBAR_SUBMENUEDITOR), Bound(&TdxBarCustomCustomizationForm::aSubMenuEditorExecute));
  aClearItemList =
      NewAction(this, BarString(dxSBAR_CLEAR), Bound(&TdxBarCustomCustomizationForm::aClearItemListExecute));
  aMoveUpItem = NewAction(this, "Move Up", Bound(&TdxBarCustomCustomizationForm::aMoveItemExecute), -1);
  aMoveDownItem = NewAction(this, "Move Down", Bound(&TdxBarCustomCustomizationForm::aMoveItemExecute), 1);
  OnClose = Bind(this, &TdxBarCustomCustomizationForm::FormClose);
}

TdxBarCustomCustomizationForm::~TdxBarCustomCustomizationForm() = default;

void TdxBarCustomCustomizationForm::InitializeForm() {
  FBarListHelper.reset(TdxBarCustomizationFormBarListHelper::Create(this, BarsListBox()));
  FCategoryListHelper.reset(TdxBarCustomizationFormCategoryListHelper::Create(this, CategoriesListBox()));
  FItemsListHelper.reset(TdxBarCustomizationFormItemsListHelper::Create(this, ItemsListBox()));
  GetFont()->SetName(FBarManager->GetFont()->GetName());
  GetFont()->SetCharset(FBarManager->GetFont()->GetCharset());
  FSavedSelection.reset(TcxComponentList::Create());
  {
    TOwned<TObjectList> Current(TObjectList::Create(false));
    FBarManager->GetDesignerSelection(Current.get());
    for (int I = 0; I < Current->GetCount(); ++I)
      if (auto* C = dynamic_cast<TComponent*>(Current->GetItem(I))) FSavedSelection->Add(C);
  }
  FFirstHeight = GetHeight();
  GetConstraints()->SetMinHeight(FFirstHeight);
  if (!InDesign()) {
    FController.reset(TdxBarRunTimeSelectionController::Create());
    FController->OnSelectionChanged = Bind(this, &TdxBarCustomCustomizationForm::ControllerSelectionChanged);
    FBarManager->SetDesigner(FController.get());
    if (FBarManager->GetBars()->NumberOfItems() > 0) SelectObject(FBarManager->GetBars()->GetBar(0));
  }
  FSavedBarsChange = FBarManager->GetBars()->OnChange;
  FBarManager->GetBars()->OnChange = Bind(this, &TdxBarCustomCustomizationForm::BarsChanged);
  FSavedItemsChange = FBarManager->ItemList()->OnComponentListChanged;
  FBarManager->ItemList()->OnComponentListChanged = Bind(this, &TdxBarCustomCustomizationForm::ItemsListChanged);
  InitializePages();
  ApplyManagerLook();
}

void TdxBarCustomCustomizationForm::BeforeDestruction() {
  if (TheForm == this) TheForm = nullptr;
  // A form freed while shown is never hidden first.
  RestoreDisabledWindows();
  if (FBarManager && !FBarManager->IsDestroying()) {
    UnhookManagerEvents();
    if (!ClosingByManager) {
      ClosingByManager = true;
      try {
        FBarManager->SetCustomizing(false);
      } catch (...) {
        ClosingByManager = false;
        throw;
      }
      ClosingByManager = false;
    }
  }
  FBarListHelper.reset();
  FCategoryListHelper.reset();
  FItemsListHelper.reset();
  if (FController) {
    if (FBarManager->GetDesigner() == FController.get()) FBarManager->SetDesigner(nullptr);
    FController.reset();
    if (!FBarManager->IsDestroying()) {
      TOwned<TObjectList> Saved(TObjectList::Create(false));
      for (int I = 0; I < FSavedSelection->GetCount(); ++I) Saved->Add(FSavedSelection->GetItem(I));
      FBarManager->DesignerAssignSelection(Saved.get());
    }
  }
  FSavedSelection.reset();
  TForm::BeforeDestruction();
}

void TdxBarCustomCustomizationForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

bool TdxBarCustomCustomizationForm::InDesign() const { return FBarManager->InDesignMode(); }

TCustomForm* TdxBarCustomCustomizationForm::ManagerForm(TdxBarManager* Manager) const {
  return Manager->InDesignMode() ? Manager->NearestOwnerForm() : Manager->OwnerChildOrTopForm();
}

void TdxBarCustomCustomizationForm::UnhookManagerEvents() {
  if (FBarManager->GetBars()->OnChange == Bind(this, &TdxBarCustomCustomizationForm::BarsChanged))
    FBarManager->GetBars()->OnChange = FSavedBarsChange;
  if (FBarManager->ItemList()->OnComponentListChanged == Bind(this, &TdxBarCustomCustomizationForm::ItemsListChanged))
    FBarManager->ItemList()->OnComponentListChanged = FSavedItemsChange;
}

void TdxBarCustomCustomizationForm::BarsChanged(TObject* Sender, TcxComponentCollectionItem* Item,
                                                TcxCollectionChangeKind Kind) {
  FSavedBarsChange(Sender, Item, Kind);
  RefreshList(BarsListBox(), Item, Kind);
}

void TdxBarCustomCustomizationForm::ItemsListChanged(TObject* Sender, TComponent* Component,
                                                     TcxCollectionChangeKind Kind) {
  FSavedItemsChange(Sender, Component, Kind);
  RefreshList(ItemsListBox(), Component, Kind);
}

HWND TdxBarCustomCustomizationForm::CategoryListWindow() const {
  TListBox* L = CategoriesListBox();
  return L && L->HandleAllocated() ? L->GetHandle() : nullptr;
}

void TdxBarCustomCustomizationForm::FollowOwnerVisibility(const WINDOWPOS& WindowPos) {
  if (!HandleAllocated()) return;
  if (WindowPos.flags & SWP_SHOWWINDOW) ShowWindow(GetHandle(), SW_SHOW);
  if (WindowPos.flags & SWP_HIDEWINDOW) ShowWindow(GetHandle(), SW_HIDE);
}

TdxBarCustomizationFormPainter* TdxBarCustomCustomizationForm::PainterClass() const {
  return CustomizationFormPainterFor(FBarManager->UsedPainterClass());
}

TColor TdxBarCustomCustomizationForm::ItemsListColor() const {
  return FBarManager->GetEffectiveStyle() == bmsFlat ? clWindow : clBtnFace;
}

TdxBar* TdxBarCustomCustomizationForm::BarAt(int Row) const { return dynamic_cast<TdxBar*>(ObjectAt(BarsListBox(), Row)); }

void TdxBarCustomCustomizationForm::ApplyManagerLook() {
  RefreshOptions();
  RefreshAllLists();
  BarsListBox()->SetColor(clWindow);
  CategoriesListBox()->SetColor(clWindow);
  ItemsListBox()->SetColor(ItemsListColor());
}

// ---- window behaviour

void TdxBarCustomCustomizationForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  Params.WindowClass.style = CS_SAVEBITS | CS_OWNDC;
  TCustomForm* Owner = ManagerForm(FBarManager);
  Params.WndParent = Owner && Owner->HandleAllocated() ? Owner->GetHandle() : nullptr;
}

void TdxBarCustomCustomizationForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      TForm::Dispatch(Message);
      // Only the height can change: the sides are client area and the corners
      // act as the top or bottom edge.
      switch (Message.Result) {
        case HTLEFT: case HTRIGHT: Message.Result = HTCLIENT; break;
        case HTTOPLEFT: case HTTOPRIGHT: Message.Result = HTTOP; break;
        case HTBOTTOMLEFT: case HTBOTTOMRIGHT: Message.Result = HTBOTTOM; break;
        default: break;
      }
      return;
    case WM_ACTIVATE: {
      TForm::Dispatch(Message);
      if (GetComponentState().Contains(csDestroying) || FBarManager->IsDestroying()) return;
      TCustomForm* Form = ManagerForm(FBarManager);
      if (Form && Form->HandleAllocated() && Form->GetHandle() != reinterpret_cast<HWND>(Message.LParam))
        SendMessageW(Form->GetHandle(), WM_ACTIVATE, Message.WParam, Message.LParam);
      return;
    }
    case WM_MOUSEWHEEL:
      if (ScrollListUnderMouse(static_cast<short>(HIWORD(Message.WParam)))) {
        Message.Result = 1;
        return;
      }
      TForm::Dispatch(Message);
      return;
    case WM_DXBAR_REFRESHLIST:
      DrainMessages(GetHandle(), WM_DXBAR_REFRESHLIST, WM_DXBAR_REFRESHLIST, true);
      RefreshList(reinterpret_cast<TListBox*>(Message.WParam), nullptr, 1);
      return;
    default:
      TForm::Dispatch(Message);
  }
}

// A wheel turned while a control other than a list has the focus scrolls the
// list under the mouse.
bool TdxBarCustomCustomizationForm::ScrollListUnderMouse(int WheelDelta) {
  if (dynamic_cast<TListBox*>(GetActiveControl())) return false;
  POINT P;
  GetCursorPos(&P);
  HWND Under = WindowFromPoint(P);
  for (TListBox* L : {BarsListBox(), CategoriesListBox(), ItemsListBox()}) {
    if (!L || !L->HandleAllocated() || L->GetHandle() != Under) continue;
    UINT Lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    for (UINT I = 0; I < Lines; ++I) SendMessageW(Under, WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    return true;
  }
  return false;
}

void TdxBarCustomCustomizationForm::DoShow() {
  FDisabledWindows.clear();
  FDisabling = true;
  for (int I = 0; BarManagerList() && I < BarManagerList()->GetCount(); ++I) {
    TdxBarManager* M = BarManagerList()->GetManager(I);
    TCustomForm* Form = ManagerForm(M);
    if (!Form || !Form->HandleAllocated() || Form == this) continue;
    if (M != FBarManager) M->DisableFloatingBarWindows();
    DisableAndRemember(FDisabledWindows, Form->GetHandle());
  }
  TForm::DoShow();
}

void TdxBarCustomCustomizationForm::DoHide() {
  RestoreDisabledWindows();
  TForm::DoHide();
}

void TdxBarCustomCustomizationForm::RestoreDisabledWindows() {
  if (FDisabling) {
    FDisabling = false;
    for (int I = 0; BarManagerList() && I < BarManagerList()->GetCount(); ++I)
      BarManagerList()->GetManager(I)->RestoreFloatingBarWindows();
    ReenableRemembered(&FDisabledWindows);
    FDisabledWindows.clear();
  }
}

// ---- list operations

TObject* TdxBarCustomCustomizationForm::ObjectAt(TListBox* ListBox, int Row) const {
  if (!ListBox || Row < 0 || Row >= ListCount(ListBox)) return nullptr;
  return ListBox->GetItems()->GetObjects(Row);
}

TObject* TdxBarCustomCustomizationForm::SelectedObjectOf(TListBox* ListBox) const {
  if (ListBox->GetMultiSelect() && ListBox->GetSelCount() != 1) return nullptr;
  if (ListBox->GetMultiSelect())
    for (int I = 0; I < ListCount(ListBox); ++I)
      if (ListBox->GetSelected(I)) return ObjectAt(ListBox, I);
  return ObjectAt(ListBox, ListBox->GetItemIndex());
}

int TdxBarCustomCustomizationForm::SelectionCount(TListBox* ListBox) const { return ListBox->GetSelCount(); }

void TdxBarCustomCustomizationForm::CollectSelected(TListBox* ListBox, std::vector<TObject*>& List) const {
  for (int I = 0; I < ListCount(ListBox); ++I)
    if (RowSelected(ListBox, I)) List.push_back(ObjectAt(ListBox, I));
}

TObject* TdxBarCustomCustomizationForm::NextUnselectedObjectOf(TListBox* ListBox) const {
  int Current = ListBox->GetItemIndex();
  for (int I = Current + 1; I < ListCount(ListBox); ++I)
    if (!RowSelected(ListBox, I)) return ObjectAt(ListBox, I);
  for (int I = std::min(Current, ListCount(ListBox)) - 1; I >= 0; --I)
    if (!RowSelected(ListBox, I)) return ObjectAt(ListBox, I);
  return nullptr;
}

void TdxBarCustomCustomizationForm::SelectObjectsInList(TListBox* ListBox, const std::vector<TObject*>& Objects) {
  auto Wanted = [&](int Row) {
    return std::find(Objects.begin(), Objects.end(), ObjectAt(ListBox, Row)) != Objects.end();
  };
  int First = -1;
  if (ListBox->GetMultiSelect()) {
    for (int I = 0; I < ListCount(ListBox); ++I) {
      ListBox->SetSelected(I, Wanted(I));
      if (First < 0 && Wanted(I)) First = I;
    }
  } else {
    for (int I = 0; I < ListCount(ListBox); ++I)
      if (Wanted(I)) First = I;
    ListBox->SetItemIndex(First);
  }
  if (First < 0 || !ListBox->HandleAllocated()) return;
  HWND W = ListBox->GetHandle();
  int Top = static_cast<int>(SendMessageW(W, LB_GETTOPINDEX, 0, 0));
  int RowHeight = std::max(1, static_cast<int>(SendMessageW(W, LB_GETITEMHEIGHT, 0, 0)));
  RECT R;
  ::GetClientRect(W, &R);
  int Visible = std::max(1, static_cast<int>(R.bottom / RowHeight));
  if (First < Top) SendMessageW(W, LB_SETTOPINDEX, First, 0);
  else if (First >= Top + Visible) SendMessageW(W, LB_SETTOPINDEX, First - Visible + 1, 0);
  if (!ListBox->GetMultiSelect()) SendMessageW(W, WM_NCPAINT, 1, 0);
}

void TdxBarCustomCustomizationForm::PushSelectionToDesigner(TListBox* ListBox) {
  TListBox* Saved = FSyncingListBox;
  FSyncingListBox = ListBox;
  try {
    std::vector<TObject*> Selected;
    CollectSelected(ListBox, Selected);
    if (Selected.empty()) {
      if (!FBarManager->IsDestroying()) FBarManager->DesignerSelect(FBarManager, 2);
    } else {
      TOwned<TObjectList> List(TObjectList::Create(false));
      for (TObject* O : Selected) List->Add(O);
      FBarManager->DesignerAssignSelection(List.get());
    }
  } catch (...) {
    FSyncingListBox = Saved;
    throw;
  }
  FSyncingListBox = Saved;
  ListBox->Perform(dxWM_LB_UPDATEEVENTS(), 0, 0);
}

void TdxBarCustomCustomizationForm::PullSelectionFromDesigner(TListBox* ListBox) {
  if (ListBox != FSyncingListBox) {
    TOwned<TObjectList> List(TObjectList::Create(false));
    FBarManager->GetDesignerSelection(List.get());
    std::vector<TObject*> Objects;
    for (int I = 0; I < List->GetCount(); ++I) Objects.push_back(List->GetItem(I));
    SelectObjectsInList(ListBox, Objects);
  }
  ListBox->Perform(dxWM_LB_UPDATEEVENTS(), 0, 0);
}

void TdxBarCustomCustomizationForm::SelectObject(TObject* Object) {
  if (IdxBarSelectableItem* S = QuerySelectableItem(Object)) S->SelectInDesigner(2);
  else if (!FBarManager->IsDestroying()) FBarManager->DesignerSelect(Object ? Object : FBarManager, 2);
}

void TdxBarCustomCustomizationForm::RefreshList(TListBox* ListBox, TObject* Object, int Action) {
  if (!ListBox || FBarManager->IsDestroying()) return;
  HWND W = ListBox->HandleAllocated() ? ListBox->GetHandle() : nullptr;
  int Top = W ? static_cast<int>(SendMessageW(W, LB_GETTOPINDEX, 0, 0)) : 0;
  ListBox->GetItems()->BeginUpdate();
  try {
    int Row = Object ? ListBox->GetItems()->IndexOfObject(Object) : -1;
    if (Action == 1 && Object) {
      if (Row >= 0) {
        bool Selected = RowSelected(ListBox, Row);
        ListBox->Perform(dxWM_LB_SYNCHRONIZE(), reinterpret_cast<WPARAM>(Object), Row);
        if (Selected) ListBox->SetSelected(Row, true);
      }
      ListBox->Perform(dxWM_LB_UPDATEEVENTS(), 0, 0);
    } else {
      ListBox->GetItems()->Clear();
      ListBox->Perform(dxWM_LB_SYNCHRONIZE(), 0, 0);
      ListBox->Perform(dxWM_LB_SYNCHRONIZESELECTION(), 0, 0);
    }
  } catch (...) {
    ListBox->GetItems()->EndUpdate();
    throw;
  }
  ListBox->GetItems()->EndUpdate();
  if (W) SendMessageW(W, LB_SETTOPINDEX, Top, 0);
}

void TdxBarCustomCustomizationForm::PostListRefresh(TListBox* ListBox) {
  if (HandleAllocated()) PostMessageW(GetHandle(), WM_DXBAR_REFRESHLIST, reinterpret_cast<WPARAM>(ListBox), 0);
}

void TdxBarCustomCustomizationForm::DeleteSelectedObjects(TListBox* ListBox, bool SelectAfter, TRemoveObject Remove,
                                                          TObject* RemoveOwner) {
  TObject* Next = NextUnselectedObjectOf(ListBox);
  std::vector<TObject*> Selected;
  CollectSelected(ListBox, Selected);
  DeleteObjects(ListBox, Selected, Next, SelectAfter, Remove, RemoveOwner);
}

void TdxBarCustomCustomizationForm::DeleteObjects(TListBox* ListBox, const std::vector<TObject*>& Selected,
                                                  TObject* Next, bool SelectAfter, TRemoveObject Remove,
                                                  TObject* RemoveOwner) {
  auto Finish = [&] { FBarManager->NotifyModified(); };
  ListBox->GetItems()->BeginUpdate();
  try {
    for (auto It = Selected.rbegin(); It != Selected.rend(); ++It) {
      if (Remove) Remove(RemoveOwner, *It);
      else Free(*It);
    }
  } catch (...) {
    ListBox->GetItems()->EndUpdate();
    Finish();
    throw;
  }
  ListBox->GetItems()->EndUpdate();
  try {
    SelectObjectsInList(ListBox, Next ? std::vector<TObject*>{Next} : std::vector<TObject*>{});
    if (SelectAfter) PushSelectionToDesigner(ListBox);
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

void TdxBarCustomCustomizationForm::MoveSelectedObjects(TListBox* ListBox, TcxComponentList* List, int Direction) {
  std::vector<TObject*> Selected;
  CollectSelected(ListBox, Selected);
  if (Selected.empty() || !List) return;
  auto IndexOf = [&](TObject* O) { return List->IndexOf(static_cast<TComponent*>(O)); };
  const int K = static_cast<int>(Selected.size());
  List->LockUpdates();
  try {
    // Each object is moved to its final place in turn; the places already filled
    // lie on the side the next object does not come from.
    if (Direction < 0) {
      int Target = std::max(0, IndexOf(Selected.front()) - 1);
      for (int I = 0; I < K; ++I) List->Move(IndexOf(Selected[I]), Target + I);
    } else {
      int Target = std::min(List->GetCount() - 1, IndexOf(Selected.back()) + 1);
      for (int I = K - 1; I >= 0; --I) List->Move(IndexOf(Selected[I]), Target - (K - 1 - I));
    }
  } catch (...) {
    List->UnlockUpdates();
    FBarManager->NotifyModified();
    throw;
  }
  List->UnlockUpdates();
  FBarManager->NotifyModified();
}

void TdxBarCustomCustomizationForm::UpdateListActions(TListBox* ListBox, TAction* NewAction,
                                                      TDelegate<bool(TObject*)> DeleteTest, TAction* MoveDownAction,
                                                      TAction* MoveUpAction, TAction* DeleteAction) {
  if (NewAction) NewAction->SetEnabled(FBarManager->OwnerAcceptsNewComponents());
  std::vector<int> Rows;
  for (int I = 0; I < ListCount(ListBox); ++I)
    if (RowSelected(ListBox, I)) Rows.push_back(I);
  if (DeleteAction) {
    bool All = !Rows.empty();
    for (int Row : Rows) {
      TObject* O = ObjectAt(ListBox, Row);
      All = All && (DeleteTest ? DeleteTest(O) : FBarManager->DesignerAllowsDelete(dynamic_cast<TComponent*>(O)));
    }
    DeleteAction->SetEnabled(All);
  }
  auto AreFirstRows = [&] {
    for (size_t I = 0; I < Rows.size(); ++I)
      if (Rows[I] != static_cast<int>(I)) return false;
    return true;
  };
  auto AreLastRows = [&] {
    int N = ListCount(ListBox);
    for (size_t I = 0; I < Rows.size(); ++I)
      if (Rows[Rows.size() - 1 - I] != N - 1 - static_cast<int>(I)) return false;
    return true;
  };
  if (MoveUpAction) MoveUpAction->SetEnabled(!Rows.empty() && !AreFirstRows());
  if (MoveDownAction) MoveDownAction->SetEnabled(!Rows.empty() && !AreLastRows());
}

void TdxBarCustomCustomizationForm::UpdateItemActions() {
  TListBox* L = ItemsListBox();
  TObject* Selected = SelectedObjectOf(L);
  aSubMenuEditor->SetEnabled(dynamic_cast<TdxBarSubItem*>(Selected) || dynamic_cast<TdxBarContainerItem*>(Selected));
  bool All = ListCount(L) > 0;
  for (int Row = 0; All && Row < ListCount(L); ++Row) {
    auto* C = dynamic_cast<TComponent*>(ObjectAt(L, Row));
    All = C && FBarManager->DesignerAllowsDelete(C);
  }
  aClearItemList->SetEnabled(All);
  UpdateListActions(L, aAddItem, {}, aMoveDownItem, aMoveUpItem, aDeleteItem);
  auto* Item = dynamic_cast<TdxBarItem*>(Selected);
  ShowDescription(Item ? Item->GetDescription() : std::string());
}

void TdxBarCustomCustomizationForm::UpdateToolbarActions() {
  TListBox* L = BarsListBox();
  auto* Bar = dynamic_cast<TdxBar*>(SelectedObjectOf(L));
  aRenameToolBar->SetEnabled(Bar && (InDesign() || !Bar->IsPredefined()));
  aResetToolBar->SetEnabled(Bar && Bar->CanReset());
  UpdateListActions(L, aNewToolBar, Bind(this, &TdxBarCustomCustomizationForm::BarCanDelete), nullptr, nullptr,
                    aDeleteToolBar);
}

// At design time any bar; at run time a bar the user made that can be closed.
bool TdxBarCustomCustomizationForm::BarCanDelete(TObject* Object) {
  auto* Bar = dynamic_cast<TdxBar*>(Object);
  if (!Bar || !FBarManager->DesignerAllowsDelete(Bar)) return false;
  return InDesign() || (!Bar->IsPredefined() && Bar->CanClose());
}

void TdxBarCustomCustomizationForm::ControllerSelectionChanged(TObject*) { SelectionChanged(); }

void TdxBarCustomCustomizationForm::ToggleBarVisible(int Row) {
  TdxBar* Bar = BarAt(Row);
  if (Bar && Bar->CanClose()) Bar->SetVisible(!Bar->GetVisible());
  else MessageBeep(0);
}

// ---- handlers

void TdxBarCustomCustomizationForm::aNewToolBarExecute(TObject*) {
  // The bars change under an update lock that reports nothing; list them anew.
  if (TdxBar* Bar = FBarManager->CreateUserBar(false, true)) {
    RefreshList(BarsListBox(), nullptr, 0);
    SelectObject(Bar);
  }
}

void TdxBarCustomCustomizationForm::aRenameToolBarExecute(TObject*) {
  if (auto* Bar = dynamic_cast<TdxBar*>(SelectedObjectOf(BarsListBox()))) FBarManager->AskRenameBar(Bar);
}

void TdxBarCustomCustomizationForm::aDeleteToolBarExecute(TObject*) {
  TListBox* L = BarsListBox();
  std::string Text;
  if (SelectionCount(L) == 1) {
    auto* Bar = dynamic_cast<TdxBar*>(SelectedObjectOf(L));
    Text = Format(BarString(dxSBAR_WANTTODELETETOOLBAR), {Bar ? Bar->GetCaption() : std::string()});
  } else {
    Text = BarString(dxSBAR_WANTTODELETETOOLBARS);
  }
  if (BarMessageBox(Text, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) DeleteSelectedObjects(L, true);
  BringToFront();
}

void TdxBarCustomCustomizationForm::aResetToolBarExecute(TObject*) {
  if (auto* Bar = dynamic_cast<TdxBar*>(SelectedObjectOf(BarsListBox()))) Bar->ConfirmAndReset();
  BringToFront();
}

void TdxBarCustomCustomizationForm::aAddItemExecute(TObject*) {
  TcxComponentList* Items = FBarManager->ItemList();
  Items->LockUpdates();
  TdxBarItem* Item = nullptr;
  try {
    Item = ShowAddItemDialog(FBarManager, CategoriesListBox()->GetItemIndex());
  } catch (...) {
    Items->UnlockUpdates();
    throw;
  }
  Items->UnlockUpdates();
  if (!Item) return;
  SelectObject(Item);
  if (ItemsListBox()->CanFocus()) ItemsListBox()->SetFocus();
}

void TdxBarCustomCustomizationForm::aSubMenuEditorExecute(TObject*) {
  if (ItemsListBox()->CanFocus()) ItemsListBox()->SetFocus();
  if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(SelectedObjectOf(ItemsListBox())))
    ShowSubMenuEditor(Sub->GetItemLinks());
}

void TdxBarCustomCustomizationForm::aClearItemListExecute(TObject*) {
  TListBox* L = CategoriesListBox();
  int Row = L->GetItemIndex();
  std::string Category = Row >= 0 && Row < ListCount(L) ? L->GetItems()->GetStrings(Row) : std::string();
  if (BarMessageBox(Format(BarString(dxSBAR_WANTTOCLEARCOMMANDS), {Category}), MB_OKCANCEL | MB_ICONEXCLAMATION) !=
      IDOK)
    return;
  TListBox* Items = ItemsListBox();
  // Every row goes, in a single-choice list too.
  std::vector<TObject*> All;
  for (int Row = 0; Row < ListCount(Items); ++Row) All.push_back(ObjectAt(Items, Row));
  DeleteObjects(Items, All, nullptr, true);
  if (Items->CanFocus()) Items->SetFocus();
}

void TdxBarCustomCustomizationForm::aDeleteItemExecute(TObject*) {
  DeleteSelectedObjects(ItemsListBox(), true);
  if (ItemsListBox()->CanFocus()) ItemsListBox()->SetFocus();
}

void TdxBarCustomCustomizationForm::aMoveItemExecute(TObject* Sender) {
  auto* Action = dynamic_cast<TAction*>(Sender);
  MoveSelectedObjects(ItemsListBox(), FBarManager->ItemList(), Action ? static_cast<int>(Action->GetTag()) : 0);
}

// ---- unit operations

TdxBarCustomCustomizationForm* ActiveCustomizationForm() { return TheForm; }

void SetCustomizationFormClass(TdxBarCustomizationFormFactory Factory) {
  FormFactory = Factory ? Factory : &CreateCustomizeDialog;
}

void RepaintOtherManagersBars(TdxBarManager* Manager) {
  for (int I = 0; BarManagerList() && I < BarManagerList()->GetCount(); ++I) {
    TdxBarManager* M = BarManagerList()->GetManager(I);
    if (M == Manager) continue;
    for (int B = 0; B < M->GetBars()->NumberOfItems(); ++B) {
      TdxBar* Bar = M->GetBars()->GetBar(B);
      TCustomdxBarControl* W = Bar->GetBarControl();
      if (!Bar->GetVisible() || !W || !W->HandleAllocated()) continue;
      InvalidateRect(W->GetHandle(), nullptr, TRUE);
      SendMessageW(W->GetHandle(), WM_NCPAINT, 1, 0);
    }
  }
}

void ShowCustomizationForm(TdxBarManager* Manager, bool Show) {
  if (Show) {
    if (TheForm) return;
    Manager->UnmergeBarsFrom(nullptr, true);
    Manager->OnShowCustomizingForm(Manager);
    RepaintOtherManagersBars(Manager);
    TdxBarCustomCustomizationForm* Form = FormFactory(Manager);
    TheForm = Form;
    Form->Show();
    return;
  }
  if (!ClosingByManager && TheForm) {
    ClosingByManager = true;
    try {
      Free(TheForm);
    } catch (...) {
      ClosingByManager = false;
      throw;
    }
    ClosingByManager = false;
  }
  FreeSubMenuEditor();
  Manager->OnHideCustomizingForm(Manager);
  RepaintOtherManagersBars(Manager);
  Manager->RemergeBars();
}

void RefreshCustomizationFormLook() {
  if (TheForm) TheForm->ApplyManagerLook();
}
void RefreshCustomizationFormOptions() {
  if (TheForm) TheForm->RefreshOptions();
}
void RefreshCustomizationFormHelpButton() {
  if (TheForm) TheForm->RefreshHelpButton();
}
