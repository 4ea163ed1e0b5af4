#include "framework/Lists.h"

#include <algorithm>

#include "framework/Exceptions.h"

TList::~TList() {
  // Normally emptied in BeforeDestruction, where Notify still reaches the final class.
  FList.clear();
}

void TList::BeforeDestruction() {
  Clear();
  TObject::BeforeDestruction();
}

void TList::Error(const char* Fmt, int Data) { throw EListError(Fmt, {Data}); }

void* TList::Get(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  return FList[Index];
}

int TList::Add(void* Item) {
  FList.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return GetCount() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
  void* item = Get(Index);
  FList.erase(FList.begin() + Index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  int i = IndexOf(Item);
  if (i < 0) return nullptr;
  void* r = FList[i];
  FList.erase(FList.begin() + i);
  Notify(r, lnExtracted);
  return r;
}

void TList::Clear() {
  // From the end, one at a time: Notify may free objects that touch this list.
  while (!FList.empty()) Delete(GetCount() - 1);
  FList.shrink_to_fit();
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  void* item = Get(CurIndex);
  if (NewIndex < 0 || NewIndex >= GetCount()) Error("List index out of bounds (%d)", NewIndex);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Exchange(int Index1, int Index2) {
  Get(Index1);
  Get(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

void TList::Pack() { FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end()); }

void TList::Sort(const TListSortCompare& Compare) {
  std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

TList* TList::Expand() {
  if (FList.size() == FList.capacity()) FList.reserve(FList.capacity() < 8 ? 16 : FList.capacity() * 2);
  return this;
}

void TList::SetItem(int Index, void* Item) {
  void* old = Get(Index);
  if (old == Item) return;
  FList[Index] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) Error("List count out of bounds (%d)", NewCount);
  while (GetCount() > NewCount) Delete(GetCount() - 1);
  FList.resize(NewCount, nullptr);
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < GetCount()) Error("List capacity out of bounds (%d)", NewCapacity);
  if (NewCapacity > static_cast<int>(FList.capacity())) FList.reserve(NewCapacity);
}

void TList::Notify(void*, TListNotification) {}

int TObjectList::FindInstanceOf(TClass AClass, bool AExact, int AStartAt) const {
  for (int i = std::max(AStartAt, 0); i < GetCount(); ++i) {
    TObject* o = GetItem(i);
    if (!o) continue;
    if (AExact ? o->ClassType() == AClass : o->InheritsFrom(AClass)) return i;
  }
  return -1;
}

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (FOwnsObjects && Action == lnDeleted) Free(static_cast<TObject*>(Ptr));
  TList::Notify(Ptr, Action);
}

// Hears of listed components being freed elsewhere.
class TComponentList::TNexus : public TComponent {
  SONVELT_CLASS(TNexus, TComponent)
public:
  explicit TNexus(TComponent* AOwner) : TComponent(AOwner) {}
  TComponentList* List = nullptr;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove && List) List->HandleFreeNotify(AComponent);
    TComponent::Notification(AComponent, Operation);
  }
};

TComponentList::TComponentList(bool AOwnsObjects) : TObjectList(AOwnsObjects) {}

TComponentList::~TComponentList() { FreeAndNil(FNexus); }

void TComponentList::HandleFreeNotify(TComponent* AComponent) { Extract(AComponent); }

void TComponentList::Notify(void* Ptr, TListNotification Action) {
  if (!FNexus) {
    FNexus = TNexus::Create(nullptr);
    FNexus->List = this;
  }
  auto* c = static_cast<TComponent*>(static_cast<TObject*>(Ptr));
  if (Action == lnAdded) FNexus->FreeNotification(c);
  else FNexus->RemoveFreeNotification(c);
  TObjectList::Notify(Ptr, Action);
}
