#include "suite/common/ComponentCollection.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Reader.h"

void TcxComponentCollectionItem::BeforeDestruction() {
  Destroying();
  MoveToCollection(nullptr);
  TComponent::BeforeDestruction();
}

int TcxComponentCollectionItem::PositionInCollection() const {
  if (!FCollection) return -1;
  auto& Items = FCollection->FItems;
  auto It = std::find(Items.begin(), Items.end(), this);
  return It == Items.end() ? -1 : static_cast<int>(It - Items.begin());
}

void TcxComponentCollectionItem::MoveToCollection(TcxComponentCollection* Collection) {
  if (Collection == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Collection) Collection->InsertItem(this);
}

void TcxComponentCollectionItem::MoveToIndex(int Index) {
  if (!FCollection || Index == PositionInCollection()) return;
  FCollection->MoveItem(this, Index);
  NotifyChanged(true);
}

void TcxComponentCollectionItem::NotifyChanged(bool AllItems) {
  if (GetComponentState().Contains(csDestroying) || !FCollection) return;
  FCollection->Changed(AllItems ? nullptr : this, cckChanged);
}

TComponent* TcxComponentCollectionItem::GetParentComponent() const {
  if (FCollection) return FCollection->GetParentComponent();
  return TComponent::GetParentComponent();
}

void TcxComponentCollectionItem::SetParentComponent(TComponent* Value) {
  MoveToCollection(Value ? CollectionOfParent(Value) : nullptr);
}

void TcxComponentCollectionItem::ReadState(TReader* Reader) {
  if (Reader->GetParent()) SetParentComponent(Reader->GetParent());
  TComponent::ReadState(Reader);
}

TcxComponentCollection::TcxComponentCollection(TComponent* ParentComponent,
                                               TcxComponentCollectionItemClass ItemClass)
    : FItemClass(ItemClass), FParentComponent(ParentComponent) {}

void TcxComponentCollection::BeforeDestruction() {
  FUpdateCount = 1;
  RemoveAll();
  TPersistent::BeforeDestruction();
}

TcxComponentCollectionItem* TcxComponentCollection::AppendNewItem() {
  TComponent* Owner = FParentComponent ? FParentComponent->GetOwner() : nullptr;
  TcxComponentCollectionItem* Item = FItemClass.Create(Owner);
  try {
    if (FParentComponent) Item->SetParentComponent(FParentComponent);
    else Item->MoveToCollection(this);
    NameNewItem(Item);
  } catch (...) {
    Free(Item);
    throw;
  }
  return Item;
}

TcxComponentCollectionItem* TcxComponentCollection::ItemAt(int Index) const {
  if (Index < 0 || Index >= NumberOfItems()) throw EListError("List index out of bounds (%d)", {Index});
  return FItems[static_cast<size_t>(Index)];
}

void TcxComponentCollection::RemoveAll() {
  if (FItems.empty()) return;
  LockUpdates();
  try {
    // Each item takes itself out of the list as it goes.
    while (!FItems.empty()) Free(FItems.back());
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

void TcxComponentCollection::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TcxComponentCollection*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  LockUpdates();
  try {
    RemoveAll();
    for (int I = 0; I < Other->NumberOfItems(); ++I) AppendNewItem()->Assign(Other->ItemAt(I));
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

void TcxComponentCollection::UnlockUpdates(bool ForceUpdate) {
  if (FUpdateCount > 0) --FUpdateCount;
  if (ForceUpdate) Changed(nullptr, cckChanged);
}

void TcxComponentCollection::Changed(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
  // Changes made under a lock are not remembered: the unlocking caller forces one.
  if (FUpdateCount == 0) ReportChange(Item, Kind);
}

void TcxComponentCollection::InsertItem(TcxComponentCollectionItem* Item) {
  if (!Item->InheritsFrom(FItemClass)) return;
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  ItemNotify(Item, cckAdded);
  Changed(Item, cckAdded);
}

void TcxComponentCollection::RemoveItem(TcxComponentCollectionItem* Item) {
  ItemNotify(Item, cckRemoving);
  std::erase(FItems, Item);
  Item->FCollection = nullptr;
  ItemNotify(Item, cckRemoved);
  Changed(Item, cckRemoved);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* Item, int Index) {
  int Current = Item->PositionInCollection();
  if (Index < 0 || Index >= NumberOfItems()) throw EListError("List index out of bounds (%d)", {Index});
  FItems.erase(FItems.begin() + Current);
  FItems.insert(FItems.begin() + Index, Item);
}
