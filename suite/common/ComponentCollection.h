// Collections whose items are full components: an item has a name, is owned by
// the form, streams as a component of the form and finds its collection again
// through its parent component when the form is read.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Component.h"
#include "framework/Persistent.h"

enum TcxCollectionChangeKind : std::uint8_t { cckAdded, cckChanged, cckRemoving, cckRemoved, cckDeleted };

class TcxComponentCollection;

class TcxComponentCollectionItem : public TComponent {
  SONVELT_CLASS(TcxComponentCollectionItem, TComponent)
public:
  explicit TcxComponentCollectionItem(TComponent* AOwner) : TComponent(AOwner) {}
  // Leaves the collection before the component goes.
  void BeforeDestruction() override;

  TcxComponentCollection* GetCollection() const { return FCollection; }
  // Given by the collection on entry; never reused within it.
  int GetID() const { return FID; }
  int PositionInCollection() const;
  // Leaves the current collection and enters Collection (null only leaves).
  virtual void MoveToCollection(TcxComponentCollection* Collection);
  virtual void MoveToIndex(int Index);
  virtual std::string DisplayText() const { return GetName(); }
  // Tells the collection that this item (or, AllItems, every item) changed.
  void NotifyChanged(bool AllItems = false);

  bool HasParent() const override { return GetParentComponent() != nullptr; }
  TComponent* GetParentComponent() const override;
  // A streamed item rejoins its collection here: the one its parent keeps for its class.
  void SetParentComponent(TComponent* Value) override;
  // The reader names the parent whose children are being read.
  void ReadState(TReader* Reader) override;

protected:
  // The collection of ParentComponent into which an item of this class goes.
  virtual TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) = 0;

private:
  friend class TcxComponentCollection;
  TcxComponentCollection* FCollection = nullptr;
  int FID = 0;
};

using TcxComponentCollectionItemClass = TClassOf<TcxComponentCollectionItem>;
using TcxComponentCollectionChangeEvent =
    TDelegate<void(TObject* Sender, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind)>;

class TcxComponentCollection : public TPersistent {
  SONVELT_CLASS(TcxComponentCollection, TPersistent)
public:
  TcxComponentCollection(TComponent* ParentComponent, TcxComponentCollectionItemClass ItemClass);
  static TcxComponentCollection* CreateForParent(TComponent* ParentComponent,
                                                 TcxComponentCollectionItemClass ItemClass) {
    return Create(ParentComponent, ItemClass);
  }
  // Frees the items without reporting.
  void BeforeDestruction() override;

  // A new item owned by the parent component's owner, entered through its parent.
  TcxComponentCollectionItem* AppendNewItem();
  int NumberOfItems() const { return static_cast<int>(FItems.size()); }
  TcxComponentCollectionItem* ItemAt(int Index) const;  // EListError when out of range
  // Frees every item, last first, and reports one change of all items.
  void RemoveAll();
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FParentComponent; }
  TComponent* GetParentComponent() const { return FParentComponent; }
  TcxComponentCollectionItemClass GetItemClass() const { return FItemClass; }

  virtual void LockUpdates() { ++FUpdateCount; }
  // With ForceUpdate a change of all items is reported once no lock is held.
  virtual void UnlockUpdates(bool ForceUpdate);
  int GetUpdateCount() const { return FUpdateCount; }

  TcxComponentCollectionChangeEvent OnChange;

protected:
  virtual void ItemNotify(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
    (void)Item;
    (void)Kind;
  }
  virtual void NameNewItem(TcxComponentCollectionItem* Item) { (void)Item; }
  virtual void ReportChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
    OnChange(this, Item, Kind);
  }

private:
  friend class TcxComponentCollectionItem;
  void InsertItem(TcxComponentCollectionItem* Item);
  void RemoveItem(TcxComponentCollectionItem* Item);
  void Changed(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind);
  void MoveItem(TcxComponentCollectionItem* Item, int Index);

  TcxComponentCollectionItemClass FItemClass;
  std::vector<TcxComponentCollectionItem*> FItems;
  int FNextID = 0;
  TComponent* FParentComponent;
  int FUpdateCount = 0;
};
