// Small bases of the navigation bar: a persistent that watches components for
// destruction, and the component collection its groups, items and style
// repository derive from.
#pragma once

#include <string>

#include "framework/OwnedObject.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/ComponentCollection.h"
#include "suite/common/FreeNotificator.h"

class TdxNavBarNexusPersistent : public TcxOwnedPersistent {
  SONVELT_CLASS(TdxNavBarNexusPersistent, TcxOwnedPersistent)
public:
  explicit TdxNavBarNexusPersistent(TPersistent* AOwner);
  ~TdxNavBarNexusPersistent() override;

protected:
  TcxFreeNotificator* Notificator() const { return FNotificator.get(); }
  virtual void FreeNotification(TComponent* Component) { (void)Component; }

private:
  void HandleFree(TObject* Sender, TComponent* Component) { FreeNotification(Component); }
  TOwned<TcxFreeNotificator> FNotificator;
};

class TdxNavBarComponentCollectionItem : public TcxComponentCollectionItem {
  SONVELT_CLASS(TdxNavBarComponentCollectionItem, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  // Index clamped to the collection.
  void MoveToIndex(int Index) override;
  int GetIndex() const { return PositionInCollection(); }
  void SetIndex(int Value) { MoveToIndex(Value); }
  // The bar's action pass.
  virtual void UpdateAction() {}
};

class TdxNavBarComponentCollection : public TcxComponentCollection {
  SONVELT_CLASS(TdxNavBarComponentCollection, TcxComponentCollection)
public:
  using TcxComponentCollection::TcxComponentCollection;
  int Count() const { return NumberOfItems(); }
  // First item whose name is exactly Name; null when none.
  TdxNavBarComponentCollectionItem* ItemByName(const std::string& Name) const;
  virtual void UpdateActions();
};
