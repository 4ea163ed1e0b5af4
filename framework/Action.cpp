#include "framework/Action.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/ImageList.h"

// --- links ---

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (FAction == Value) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (Value) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* Target) {
  if (!FAction) return false;
  FAction->SetActionComponent(Target);
  bool R;
  try {
    R = FAction->Execute();
  } catch (...) {
    if (FAction) FAction->SetActionComponent(nullptr);
    throw;
  }
  if (FAction) FAction->SetActionComponent(nullptr);
  return R;
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

void TControlActionLink::Change() {
  if (GetAction()) FClient->ActionChange(GetAction(), false);
}

// --- TBasicAction ---

void TBasicAction::BeforeDestruction() {
  TComponent::BeforeDestruction();
  // Clients hear of the removal through free notification; drop the links left.
  auto Clients = FClients;
  for (TBasicActionLink* L : Clients) L->SetAction(nullptr);
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) { FClients.push_back(Link); }

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

void TBasicAction::Change() {
  auto Clients = FClients;
  for (TBasicActionLink* L : Clients)
    if (std::find(FClients.begin(), FClients.end(), L) != FClients.end()) L->Change();
}

// --- TContainedAction ---

void TContainedAction::BeforeDestruction() {
  SetActionList(nullptr);
  TBasicAction::BeforeDestruction();
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) {
    auto& L = FActionList->FActions;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
    FActionList->OnChange(FActionList);
  }
  FActionList = Value;
  if (Value) {
    Value->FActions.push_back(this);
    Value->OnChange(Value);
  }
}

int TContainedAction::GetIndex() const { return FActionList ? FActionList->IndexOf(this) : -1; }

bool TContainedAction::Execute() {
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  if (Application && Application->ExecuteAction(this)) return true;
  if (TBasicAction::Execute()) return true;
  return Application && Application->DispatchActionExecute(this);
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->UpdateAction(this)) return true;
  if (Application && Application->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

// --- TCustomAction ---

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled || !FVisible) return false;
  if (FAutoCheck) SetChecked(!FChecked);
  TContainedAction::Execute();
  return true;
}

bool TCustomAction::Update() {
  bool Handled = TContainedAction::Update();
  // Nobody decided: a command with nothing to run cannot be offered.
  if (!Handled && FDisableIfNoHandler && !OnExecute) SetEnabled(false);
  return Handled;
}

void TCustomAction::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  // Checking one action of a group unchecks the others of its list.
  if (Value && FGroupIndex > 0 && GetActionList()) {
    for (int I = 0; I < GetActionList()->GetActionCount(); ++I)
      if (auto* A = dynamic_cast<TCustomAction*>(GetActionList()->GetAction(I));
          A && A != this && A->FGroupIndex == FGroupIndex)
        A->SetChecked(false);
  }
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  if (GetActionList() && GetActionList()->GetState() == asSuspended) return;
  FEnabled = Value;
  Change();
}

void TCustomAction::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  Change();
}

void TCustomAction::SetHint(const std::string& Value) {
  if (FHint == Value) return;
  FHint = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Change();
}

// --- TCustomActionList ---

TCustomActionList::TCustomActionList(TComponent* AOwner)
    : TComponent(AOwner), FImageChangeLink(std::make_unique<TChangeLink>()) {
  FImageChangeLink->OnChange = Bind(this, &TCustomActionList::ImageListChange);
}

TCustomActionList::~TCustomActionList() = default;

void TCustomActionList::BeforeDestruction() {
  TComponent::BeforeDestruction();
  SetImages(nullptr);
  while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages->RemoveFreeNotification(this);
  }
  FImages = Value;
  if (Value) {
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  }
  Change();
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TCustomActionList::ImageListChange(TObject* Sender) {
  if (Sender == FImages) Change();
}

void TCustomActionList::Change() {
  // Clients of a list being freed may be half gone themselves.
  if (GetComponentState().Contains(csDestroying)) return;
  OnChange(this);
  auto Actions = FActions;
  for (TContainedAction* A : Actions)
    if (std::find(FActions.begin(), FActions.end(), A) != FActions.end()) A->Change();
}

int TCustomActionList::IndexOf(const TContainedAction* Action) const {
  auto It = std::find(FActions.begin(), FActions.end(), Action);
  return It == FActions.end() ? -1 : static_cast<int>(It - FActions.begin());
}

void TCustomActionList::SetState(TActionListState Value) {
  if (FState == Value) return;
  FState = Value;
  if (Value == asSuspendedEnabled)
    for (TContainedAction* A : FActions)
      if (auto* C = dynamic_cast<TCustomAction*>(A)) C->SetEnabled(true);
}

bool TCustomActionList::IsShortCut(TShortCut ShortCut) {
  if (FState != asNormal || ShortCut == 0) return false;
  auto Actions = FActions;
  for (TContainedAction* A : Actions)
    if (auto* C = dynamic_cast<TCustomAction*>(A); C && C->GetShortCut() == ShortCut) return C->Execute();
  return false;
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  if (FState != asNormal) return true;
  bool Handled = false;
  OnExecute(Action, Handled);
  return Handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  if (FState != asNormal) return true;
  bool Handled = false;
  OnUpdate(Action, Handled);
  return Handled;
}

void TCustomActionList::UpdateActions() {
  if (FState != asNormal) return;
  auto Actions = FActions;
  for (TContainedAction* A : Actions)
    if (std::find(FActions.begin(), FActions.end(), A) != FActions.end()) A->Update();
}
