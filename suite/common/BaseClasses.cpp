#include "suite/common/BaseClasses.h"

#include "framework/ClassRegistry.h"
#include "framework/Control.h"
#include "framework/Published.h"
#include "suite/common/ObjectLinks.h"

namespace {
// Suite components stream in the same class group as the controls.
const bool ComponentGroup = (StartClassGroup(TControl::StaticClass()),
                             GroupDescendentsWith(TcxComponent::StaticClass(), TControl::StaticClass()), true);
}  // namespace

SONVELT_PUBLISHED(TcxComponent, P) {
  P.Component("FakeComponentLink1", &TcxComponent::GetFakeComponentLink1, &TcxComponent::SetFakeComponentLink1);
  P.Component("FakeComponentLink2", &TcxComponent::GetFakeComponentLink2, &TcxComponent::SetFakeComponentLink2);
  P.Component("FakeComponentLink3", &TcxComponent::GetFakeComponentLink3, &TcxComponent::SetFakeComponentLink3);
}

namespace {
// Answers IUnknown alone; a counted object takes a reference for the caller.
HRESULT QueryUnknown(IUnknown* Self, REFIID riid, void** ppv, bool Counted) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown) {
    *ppv = Self;
    if (Counted) Self->AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}
}  // namespace

HRESULT TcxIUnknownObject::QueryInterface(REFIID riid, void** ppv) {
  return QueryUnknown(static_cast<IUnknown*>(this), riid, ppv, false);
}

TcxComponent::~TcxComponent() { ClearLinksToObject(this); }

void TcxComponent::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  TComponent::BeforeDestruction();
}

void TcxComponent::Loaded() {
  TComponent::Loaded();
  UpdateFakeLinks();
}

void TcxComponent::UpdateFakeLinks() {
  TComponentState State = GetComponentState();
  if (!State.Contains(csDesigning) || State.Contains(csDestroying) || !GetOwner()) return;
  std::vector<TComponent*> List;
  CollectFakeLinks(List);
  FFakeComponentLink1 = List.size() > 0 ? List[0] : nullptr;
  FFakeComponentLink2 = List.size() > 1 ? List[1] : nullptr;
  FFakeComponentLink3 = List.size() > 2 ? List[2] : nullptr;
}

void TcxInterfacedCollectionItem::AfterConstruction() {
  TCollectionItem::AfterConstruction();
  if (auto* Owner = dynamic_cast<IUnknown*>(GetOwner())) {
    void* Intf = nullptr;
    if (SUCCEEDED(Owner->QueryInterface(IID_IUnknown, &Intf))) FOwnerInterface = static_cast<IUnknown*>(Intf);
  }
}

HRESULT TcxInterfacedCollectionItem::QueryInterface(REFIID riid, void** ppv) {
  return QueryUnknown(static_cast<IUnknown*>(this), riid, ppv, true);
}

ULONG TcxInterfacedCollectionItem::AddRef() {
  return FOwnerInterface ? FOwnerInterface->AddRef() : static_cast<ULONG>(-1);
}

ULONG TcxInterfacedCollectionItem::Release() {
  return FOwnerInterface ? FOwnerInterface->Release() : static_cast<ULONG>(-1);
}

void TcxOwnedInterfacedCollection::BeforeDestruction() {
  FDestroying = true;
  TOwnedCollection::BeforeDestruction();
}

HRESULT TcxOwnedInterfacedCollection::QueryInterface(REFIID riid, void** ppv) {
  return QueryUnknown(static_cast<IUnknown*>(this), riid, ppv, false);
}

void TcxOwnedInterfacedCollection::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  if (!FDestroying) OnChange(this, Item);
}

void TcxObjectList::Clear() {
  std::vector<void*> Objects = GetList();
  TList::Clear();
  for (void* P : Objects) Free(static_cast<TObject*>(P));
}
