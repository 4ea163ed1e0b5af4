#include "framework/Component.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Published.h"
#include "framework/Reader.h"
#include "framework/StringUtils.h"
#include "framework/Writer.h"

namespace {
thread_local bool ConstructLoading = false;
}  // namespace

sonvelt_detail::TLoadingConstruction::TLoadingConstruction() { ConstructLoading = true; }
sonvelt_detail::TLoadingConstruction::~TLoadingConstruction() { ConstructLoading = false; }

SONVELT_PUBLISHED(TComponent, P) {
  // The name stands in the component's header, not among its properties.
  P.String("Name", &TComponent::GetName, &TComponent::SetName).Stored(false);
  P.Integer("Tag", &TComponent::GetTag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
  // The base constructor runs first, so this is the component being created.
  if (ConstructLoading) {
    ConstructLoading = false;
    FComponentState.Include(csLoading);
  }
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

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

void TComponent::WriteState(TWriter* Writer) { Writer->WriteData(this); }

void TComponent::SetAncestor(bool Value) {
  if (Value) FComponentState.Include(csAncestor);
  else FComponentState.Exclude(csAncestor);
  for (TComponent* c : FComponents) c->SetAncestor(Value);
}

void TComponent::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  std::int32_t info = 0;
  if (auto* ancestor = dynamic_cast<TComponent*>(Filer->GetAncestor())) info = ancestor->FDesignInfo;
  Filer->DefineProperty("Left", Bind(this, &TComponent::ReadLeft), Bind(this, &TComponent::WriteLeft),
                        static_cast<std::int16_t>(FDesignInfo) != static_cast<std::int16_t>(info));
  Filer->DefineProperty("Top", Bind(this, &TComponent::ReadTop), Bind(this, &TComponent::WriteTop),
                        static_cast<std::int16_t>(FDesignInfo >> 16) != static_cast<std::int16_t>(info >> 16));
}

void TComponent::ReadLeft(TReader* Reader) {
  const auto left = static_cast<std::uint16_t>(Reader->ReadInteger());
  FDesignInfo = static_cast<std::int32_t>((static_cast<std::uint32_t>(FDesignInfo) & 0xFFFF0000u) | left);
}

void TComponent::WriteLeft(TWriter* Writer) { Writer->WriteInteger(static_cast<std::int16_t>(FDesignInfo)); }

void TComponent::ReadTop(TReader* Reader) {
  const auto top = static_cast<std::uint16_t>(Reader->ReadInteger());
  FDesignInfo = static_cast<std::int32_t>((static_cast<std::uint32_t>(FDesignInfo) & 0xFFFFu) | (std::uint32_t(top) << 16));
}

void TComponent::WriteTop(TWriter* Writer) { Writer->WriteInteger(static_cast<std::int16_t>(FDesignInfo >> 16)); }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) FComponentState.Include(csDesigning);
  else FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value);
}
