#include "suite/bars/BarComponents.h"

#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/SuiteException.h"

void AddObjectOnce(TObjectList* List, TObject* Object) {
  if (List && Object && List->IndexOf(Object) < 0) List->Add(Object);
}

bool IsLoadingAsAncestor(TComponent* Component) {
  TComponentState S = Component->GetComponentState();
  return S.Contains(csLoading) && S.Contains(csAncestor) && !S.Contains(csReading);
}

// ---- TdxBarComponent

TdxBarComponent::TdxBarComponent(TComponent* AOwner) : TComponent(AOwner), FChangeListeners(TObjectList::Create(false)) {}

TdxBarComponent::~TdxBarComponent() = default;

void TdxBarComponent::Changed(bool AllChanged) {
  if (GetComponentState().Contains(csDestroying)) return;
  // A listener may drop this component while it hears of the change.
  std::vector<TObject*> Listeners;
  for (int I = 0; I < FChangeListeners->GetCount(); ++I) Listeners.push_back(FChangeListeners->GetItem(I));
  for (TObject* L : Listeners)
    if (FChangeListeners->IndexOf(L) >= 0) static_cast<TdxBarComponentList*>(L)->MemberChanged(AllChanged ? nullptr : this);
}

void TdxBarComponent::AddChangeListener(TObject* List) { AddObjectOnce(FChangeListeners.get(), List); }

void TdxBarComponent::RemoveChangeListener(TObject* List) { FChangeListeners->Remove(List); }

bool TdxBarComponent::CanDelete(bool OnlyLinks) {
  (void)OnlyLinks;
  return !FBarManager || FBarManager->DesignerAllowsDelete(this);
}

void TdxBarComponent::DeleteSelected(IdxBarSelectableItem*& Intf, bool DeleteItself) {
  (void)DeleteItself;
  if (!CanDelete(false)) return;
  Intf = nullptr;
  Free(this);
}

void TdxBarComponent::GetDesignRoots(TObjectList* List) { AddObjectOnce(List, GetOwner()); }

int TdxBarComponent::GetSelectionStatus() { return FBarManager ? FBarManager->DesignerSelectionStatus(this) : 0; }

void TdxBarComponent::SelectInDesigner(int Mode) {
  if (FBarManager) FBarManager->DesignerSelect(this, Mode);
}

// ---- TdxObjectList

void TdxObjectList::CopyTo(TObjectList* Target) const {
  Target->Clear();
  Target->SetCapacity(GetCapacity());
  bool Unique = dynamic_cast<TdxObjectList*>(Target) != nullptr;
  for (int I = 0; I < GetCount(); ++I) {
    if (Unique)
      AddObjectOnce(Target, GetItem(I));
    else
      Target->Add(GetItem(I));
  }
}

// ---- TdxBarComponentList

void TdxBarComponentList::MemberChanged(TdxBarComponent* Component) { SignalChanged(Component, cckChanged); }

void TdxBarComponentList::HandleItemNotify(TComponent* Item, TListNotification Notification) {
  if (auto* C = dynamic_cast<TdxBarComponent*>(Item)) {
    if (Notification == lnAdded)
      C->AddChangeListener(this);
    else if (!C->GetComponentState().Contains(csDestroying))
      C->RemoveChangeListener(this);
  }
  TcxComponentList::HandleItemNotify(Item, Notification);
}

// ---- TdxBarGroup

SONVELT_PUBLISHED(TdxBarGroup, P) {
  P.Boolean("Enabled", &TdxBarGroup::GetEnabled, &TdxBarGroup::SetEnabled).Default(true);
  P.Enum("Visible", &TdxBarGroup::GetVisible, &TdxBarGroup::SetVisible, {"ivNever", "ivInCustomizing", "ivAlways"})
      .Default(ivAlways);
}

TdxBarGroup::TdxBarGroup(TComponent* AOwner) : TdxBarComponent(AOwner), FMembers(TdxBarComponentList::Create()) {}

TdxBarGroup::~TdxBarGroup() {
  if (TdxBarManager* M = GetBarManager()) M->RemoveGroup(this);
}

namespace {
// Runs Pass inside a bar-update lock of Manager (without one when Locked is false).
template <class F>
void WithBarsLock(TdxBarManager* Manager, bool Locked, F Pass) {
  if (!Manager || !Locked) {
    Pass();
    return;
  }
  Manager->LockBarsUpdate();
  try {
    Pass();
  } catch (...) {
    Manager->UnlockBarsUpdate();
    throw;
  }
  Manager->UnlockBarsUpdate();
}
}  // namespace

void TdxBarGroup::SetEnabled(bool Value) {
  StoreEnabled(Value);
  TComponentState S = GetComponentState();
  bool Locked = !BarDesignControllerInstance()->GetQuickControl() && !S.Contains(csLoading) &&
                !S.Contains(csDestroying);
  WithBarsLock(GetBarManager(), Locked, [&] {
    for (int I = 0; I < FMembers->GetCount(); ++I) FMembers->GetComponent(I)->SetEnabled(Value);
  });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible Value) {
  StoreVisible(Value);
  TComponentState S = GetComponentState();
  WithBarsLock(GetBarManager(), !S.Contains(csLoading) && !S.Contains(csDestroying), [&] {
    for (int I = 0; I < FMembers->GetCount(); ++I) FMembers->GetComponent(I)->SetVisible(Value);
  });
}

int TdxBarGroup::MemberCount() const {
  if (FLoadedNames && IsLoadingAsAncestor(const_cast<TdxBarGroup*>(this))) return FLoadedNames->GetCount();
  return FMembers->GetCount();
}

TdxBarComponent* TdxBarGroup::MemberByIndex(int Index) const {
  return Index >= 0 && Index < FMembers->GetCount() ? FMembers->GetComponent(Index) : nullptr;
}

std::string TdxBarGroup::MemberName(int Index) const {
  if (FLoadedNames && IsLoadingAsAncestor(const_cast<TdxBarGroup*>(this))) return FLoadedNames->GetStrings(Index);
  return FMembers->GetComponent(Index)->GetName();
}

bool TdxBarGroup::Contains(TdxBarGroup* Group) const {
  for (int I = 0; I < FMembers->GetCount(); ++I) {
    auto* G = dynamic_cast<TdxBarGroup*>(FMembers->GetComponent(I));
    if (G && (G == Group || G->Contains(Group))) return true;
  }
  return false;
}

void TdxBarGroup::AddMember(TdxBarComponent* Member) {
  if (!Member || FMembers->IndexOf(Member) >= 0) return;
  auto* G = dynamic_cast<TdxBarGroup*>(Member);
  if (G && (G == this || G->Contains(this))) throw EdxException(BarString(dxSBAR_RECURSIVEGROUPS));
  FMembers->Add(Member);
}

void TdxBarGroup::RemoveMember(TdxBarComponent* Member) { FMembers->Remove(Member); }

bool TdxBarGroup::SameMembers(TdxBarGroup* Other) const {
  if (!Other || MemberCount() != Other->MemberCount()) return false;
  for (int I = 0; I < MemberCount(); ++I)
    if (MemberName(I) != Other->MemberName(I)) return false;
  return true;
}

int TdxBarGroup::GetGroupIndex() const { return GetBarManager() ? GetBarManager()->IndexOfGroup(this) : -1; }

void TdxBarGroup::SetGroupIndex(int NewIndex) {
  if (GetBarManager() && NewIndex != GetGroupIndex()) GetBarManager()->MoveGroup(GetGroupIndex(), NewIndex);
}

TComponent* TdxBarGroup::GetParentComponent() const { return GetBarManager(); }

void TdxBarGroup::SetParentComponent(TComponent* Value) {
  if (auto* M = dynamic_cast<TdxBarManager*>(Value)) M->AddGroup(this);
}

void TdxBarGroup::SetName(const std::string& NewName) {
  TdxBarComponent::SetName(NewName);
  Changed(false);
}

void TdxBarGroup::DefineProperties(TFiler* Filer) {
  TdxBarComponent::DefineProperties(Filer);
  auto* Ancestor = dynamic_cast<TdxBarGroup*>(Filer->GetAncestor());
  Filer->DefineProperty("Items", Bind(this, &TdxBarGroup::ReadItems), Bind(this, &TdxBarGroup::WriteItems),
                        !Ancestor || !SameMembers(Ancestor));
}

void TdxBarGroup::ReadItems(TReader* Reader) {
  TOwned<TStringList> Names(TStringList::Create());
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) Names->Add(Reader->ReadString());
  Reader->ReadListEnd();
  if (GetComponentState().Contains(csLoading)) {
    FLoadedNames = std::move(Names);
    return;
  }
  // Pasted at design time: the names stand for components of the form now.
  while (FMembers->GetCount()) FMembers->Delete(FMembers->GetCount() - 1);
  ResolveNames(Names.get());
}

void TdxBarGroup::WriteItems(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int I = 0; I < MemberCount(); ++I) Writer->WriteString(MemberName(I));
  Writer->WriteListEnd();
}

void TdxBarGroup::ResolveNames(TStrings* Names) {
  TComponent* Form = GetBarManager() ? GetBarManager()->GetOwner() : GetOwner();
  if (!Form) return;
  for (int I = 0; I < Names->GetCount(); ++I)
    if (auto* C = dynamic_cast<TdxBarComponent*>(Form->FindComponent(Names->GetStrings(I)))) AddMember(C);
}

void TdxBarGroup::Loaded() {
  TdxBarComponent::Loaded();
  if (!FLoadedNames) return;
  TOwned<TStringList> Names = std::move(FLoadedNames);
  ResolveNames(Names.get());
}
