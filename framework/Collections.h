// Collections: a TCollection owns items of one class (TCollectionItem descendants),
// numbers them with IDs that are never reused, and hears of every change through the
// virtual Update (Item, or null when all items changed) unless updates are held by
// BeginUpdate/EndUpdate.
//
//   class TMyItem : public TCollectionItem {
//     SONVELT_CLASS(TMyItem, TCollectionItem)
//   public:
//     using TCollectionItem::TCollectionItem;   // TMyItem(TCollection* Collection)
//   };
//   TOwnedCollection* C = TOwnedCollection::Create(Owner, TMyItem::StaticClass());
//   auto* I = static_cast<TMyItem*>(C->Add());   I->SetIndex(0);   C->Delete(1);
#pragma once

#include <string>
#include <vector>

#include "framework/Persistent.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  SONVELT_CLASS(TCollectionItem, TPersistent)
public:
  using TCreateArg = TCollection*;
  explicit TCollectionItem(TCollection* Collection) : FPendingCollection(Collection) {}
  ~TCollectionItem() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TCollection* GetCollection() const { return FCollection; }
  void SetCollection(TCollection* Value);  // moves the item to another collection
  int GetID() const { return FID; }
  int GetIndex() const;
  virtual void SetIndex(int Value);
  virtual std::string GetDisplayName() const { return ClassName(); }
  virtual void SetDisplayName(const std::string& Value) { (void)Value; }
  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;

protected:
  // Tells the collection: this item changed, or (AllItems) every item did.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FPendingCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

using TCollectionItemClass = TClassOf<TCollectionItem>;

class TCollection : public TPersistent {
  SONVELT_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;
  void BeforeDestruction() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  void Assign(TPersistent* Source) override;
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }
  TCollectionItem* FindItemID(int ID) const;

  int GetCount() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* GetItem(int Index) const;  // EListError when out of range
  void SetItem(int Index, TCollectionItem* Value) { GetItem(Index)->Assign(Value); }
  TCollectionItemClass GetItemClass() const { return FItemClass; }
  std::string GetNamePath() const override;

protected:
  virtual void Update(TCollectionItem* Item) { (void)Item; }
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) { (void)Item; (void)Action; }
  virtual void Added(TCollectionItem* Item) { (void)Item; }
  // Tells Update of a change to the whole collection, unless updates are held.
  void Changed();
  const std::vector<TCollectionItem*>& GetItems() const { return FItems; }

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TCollectionItemClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

class TOwnedCollection : public TCollection {
  SONVELT_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};
