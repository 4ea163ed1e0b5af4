#include "framework/Collections.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/WithUpdate.h"

// ---- TCollectionItem ----

void TCollectionItem::AfterConstruction() {
  TPersistent::AfterConstruction();
  // Joins its collection only now, so the collection sees the finished item.
  TCollection* c = FPendingCollection;
  FPendingCollection = nullptr;
  if (c) c->InsertItem(this);
}

void TCollectionItem::BeforeDestruction() {
  SetCollection(nullptr);
  TPersistent::BeforeDestruction();
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int cur = GetIndex();
  if (cur < 0 || cur == Value) return;
  auto& items = FCollection->FItems;
  if (Value < 0 || Value >= static_cast<int>(items.size())) throw EListError("List index out of bounds (%d)", {Value});
  items.erase(items.begin() + cur);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

std::string TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + "[" + std::to_string(GetIndex()) + "]";
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ----

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(ItemClass) {}

void TCollection::BeforeDestruction() {
  // Items leave while the collection is whole, so Notify and Update reach the final class.
  FUpdateCount = 1;
  Clear();
  TPersistent::BeforeDestruction();
}

TCollection::~TCollection() {
  FUpdateCount = 1;
  while (!FItems.empty()) Free(FItems.back());
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FItemClass.Create(this);
  Added(item);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = GetItem(Index);
  Notify(item, cnDeleting);
  Free(item);
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  WithUpdate(this, [&] {
    while (!FItems.empty()) Free(FItems.back());
  });
}

void TCollection::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TCollection*>(Source)) {
    WithUpdate(this, [&] {
      Clear();
      for (TCollectionItem* it : src->FItems) Add()->Assign(it);
    });
    return;
  }
  TPersistent::Assign(Source);
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* it : FItems)
    if (it->FID == ID) return it;
  return nullptr;
}

TCollectionItem* TCollection::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError("List index out of bounds (%d)", {Index});
  return FItems[Index];
}

std::string TCollection::GetNamePath() const {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  std::string s = owner->GetNamePath();
  return s.empty() ? ClassName() : s + ".Items";
}

void TCollection::InsertItem(TCollectionItem* Item) {
  if (FItemClass && !Item->InheritsFrom(FItemClass)) throw EInvalidOperation("Invalid property value");
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
  Item->FCollection = nullptr;
  Changed();
}
