#include "framework/Component.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/StringUtils.h"

TComponent::TComponent(TComponent* AOwner) {
  // Listed at once so that the owner's order is creation order; the owner hears of
  // it in AfterConstruction, when this object is complete.
  if (AOwner) AOwner->Insert(this);
}

void TComponent::AfterConstruction() {
  TPersistent::AfterConstruction();
  if (FOwner) {
    if (FOwner->FComponentState.Contains(csDesigning)) SetDesigning(true);
    FOwner->Notification(this, opInsert);
  }
}

void TComponent::BeforeDestruction() {
  if (!FComponentState.Contains(csDestroying)) Destroying();
  TPersistent::BeforeDestruction();
  if (FTornDown) return;
  FTornDown = true;
  for (int i = static_cast<int>(FFreeNotifies.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(FFreeNotifies.size())) continue;
    FFreeNotifies[i]->Notification(this, opRemove);
  }
  // A receiver whose Notification did not reach ours still lists this one.
  for (TComponent* c : FFreeNotifies) c->RemoveNotification(this);
  FFreeNotifies.clear();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent::~TComponent() {
  if (!FTornDown) {
    // Deleted without Free: still leave no dangling pointers behind.
    FTornDown = true;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FFreeNotifies) c->RemoveNotification(this);
    FFreeNotifies.clear();
    if (FOwner) FOwner->Remove(this);
  }
  DestroyComponents();
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  AComponent->FOwner = nullptr;
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end()) FComponents.erase(it);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
}

TComponent* TComponent::GetComponent(int Index) const {
  if (Index < 0 || Index >= GetComponentCount()) throw EListError("List index out of bounds (%d)", {Index});
  return FComponents[Index];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  int cur = GetComponentIndex();
  if (cur < 0) return;
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  if (Value == cur) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

void TComponent::SetName(const std::string& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'%s' is not a valid component name", {NewName});
  if (FOwner) FOwner->ValidateRename(this, FName, NewName);
  else ValidateRename(nullptr, FName, NewName);
  ChangeName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) {
  if (AComponent && SameText(CurName, NewName)) return;
  if (NewName.empty()) return;
  TComponent* other = FindComponent(NewName);
  if (other && other != AComponent) throw EComponentError("A component named %s already exists", {NewName});
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner == this) return;
  ValidateRename(AComponent, "", AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    if (c->FComponentState.Contains(csFreeNotification)) RemoveComponent(c);
    else Remove(c);
    Free(c);
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // From the last: a component may leave the list while it hears the notice.
  for (int i = static_cast<int>(FComponents.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(FComponents.size())) continue;
    FComponents[i]->Notification(AComponent, Operation);
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (it == FFreeNotifies.end()) return;
  FFreeNotifies.erase(it);
  AComponent->RemoveFreeNotification(this);
}

std::string TComponent::GetNamePath() const { return FName; }

void TComponent::EndLoading() {
  Loaded();
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) FComponentState.Include(csDesigning);
  else FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value);
}
