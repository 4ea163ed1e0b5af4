// Pointer lists. TList holds untyped pointers and tells a virtual Notify of every
// addition, extraction and deletion; TObjectList frees the objects it deletes (when
// it owns them); TComponentList also drops components that are freed elsewhere.
//
//   auto* L = TObjectList::Create();       // owns its objects
//   L->Add(TFoo::Create());  L->Delete(0); // the TFoo is freed
//   L->Extract(obj);                       // taken out, not freed
//   L->Sort([](void* a, void* b) { ... return <0, 0 or >0; });
// Bad indexes raise EListError "List index out of bounds (%d)".
#pragma once

#include <functional>
#include <vector>

#include "framework/Component.h"
#include "framework/Object.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
  SONVELT_CLASS(TList, TObject)
public:
  TList() = default;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;
  ~TList() override;
  void BeforeDestruction() override;

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  int Remove(void* Item);  // index it had, or -1
  void* Extract(void* Item);
  virtual void Clear();
  int IndexOf(void* Item) const;
  void Move(int CurIndex, int NewIndex);
  void Exchange(int Index1, int Index2);
  void Pack();  // drops null entries
  void Sort(const TListSortCompare& Compare);
  TList* Expand();
  void* First() const { return Get(0); }
  void* Last() const { return Get(GetCount() - 1); }

  void* GetItem(int Index) const { return Get(Index); }
  void SetItem(int Index, void* Item);
  int GetCount() const { return static_cast<int>(FList.size()); }
  void SetCount(int NewCount);  // new entries are null
  int GetCapacity() const { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int NewCapacity);
  const std::vector<void*>& GetList() const { return FList; }

protected:
  void* Get(int Index) const;
  virtual void Notify(void* Ptr, TListNotification Action);
  [[noreturn]] static void Error(const char* Fmt, int Data);

private:
  std::vector<void*> FList;
};

class TObjectList : public TList {
  SONVELT_CLASS(TObjectList, TList)
public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}

  int Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
  int Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* GetItem(int Index) const { return static_cast<TObject*>(Get(Index)); }
  void SetItem(int Index, TObject* AObject) { TList::SetItem(Index, AObject); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  // Index of the first object of class AClass (exactly, or a descendant when
  // AExact is false) from AStartAt on; -1 when none.
  int FindInstanceOf(TClass AClass, bool AExact = true, int AStartAt = 0) const;

  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
  void Notify(void* Ptr, TListNotification Action) override;

private:
  bool FOwnsObjects;
};

class TComponentList : public TObjectList {
  SONVELT_CLASS(TComponentList, TObjectList)
public:
  explicit TComponentList(bool AOwnsObjects = true);
  ~TComponentList() override;

  int Add(TComponent* AComponent) { return TObjectList::Add(AComponent); }
  void Insert(int Index, TComponent* AComponent) { TObjectList::Insert(Index, AComponent); }
  int Remove(TComponent* AComponent) { return TObjectList::Remove(AComponent); }
  TComponent* Extract(TComponent* Item) { return static_cast<TComponent*>(TObjectList::Extract(Item)); }
  int IndexOf(TComponent* AComponent) const { return TObjectList::IndexOf(AComponent); }
  TComponent* GetItem(int Index) const { return static_cast<TComponent*>(Get(Index)); }
  TComponent* First() const { return static_cast<TComponent*>(TList::First()); }
  TComponent* Last() const { return static_cast<TComponent*>(TList::Last()); }

protected:
  void Notify(void* Ptr, TListNotification Action) override;

private:
  class TNexus;
  TNexus* FNexus = nullptr;
  void HandleFreeNotify(TComponent* AComponent);
};

// A list of interface pointers that holds a reference on each (AddRef on entry,
// Release on deletion).
template <class I>
class TInterfaceListOf : public TObject {
  SONVELT_CLASS(TInterfaceListOf, TObject)
public:
  TInterfaceListOf() = default;
  TInterfaceListOf(const TInterfaceListOf&) = delete;
  TInterfaceListOf& operator=(const TInterfaceListOf&) = delete;
  ~TInterfaceListOf() override { Clear(); }
  int Add(I* Item) {
    if (Item) Item->AddRef();
    FList.push_back(Item);
    return static_cast<int>(FList.size()) - 1;
  }
  void Delete(int Index) {
    I* item = FList.at(Index);
    FList.erase(FList.begin() + Index);
    if (item) item->Release();
  }
  int IndexOf(I* Item) const {
    for (size_t i = 0; i < FList.size(); ++i)
      if (FList[i] == Item) return static_cast<int>(i);
    return -1;
  }
  int Remove(I* Item) {
    int i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
  }
  void Clear() {
    while (!FList.empty()) Delete(static_cast<int>(FList.size()) - 1);
  }
  I* GetItem(int Index) const { return FList.at(Index); }
  int GetCount() const { return static_cast<int>(FList.size()); }

private:
  std::vector<I*> FList;
};
