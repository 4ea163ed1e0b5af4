// A list of components it does not own, with change events and an update lock.
// Components of a class it does not accept are taken out again at once.
#pragma once

#include "framework/Lists.h"
#include "suite/common/ComponentCollection.h"

class TcxComponentList;
using TcxComponentListChangeEvent =
    TDelegate<void(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind)>;
using TcxComponentListNotifyEvent =
    TDelegate<void(TObject* Sender, TComponent* Item, TListNotification Action)>;

class TcxComponentList : public TComponentList {
  SONVELT_CLASS(TcxComponentList, TComponentList)
public:
  TcxComponentList() : TComponentList(false) {}
  static TcxComponentList* CreateEmpty() { return Create(); }
  // Clearing on the way out sends no change signals.
  void BeforeDestruction() override;

  void LockUpdates() { ++FUpdateCount; }
  // Releases a lock and signals one change of the whole list.
  void UnlockUpdates();
  // Releases a lock without a signal.
  void CancelUpdates();
  int GetUpdateCount() const { return FUpdateCount; }

  TcxComponentListChangeEvent OnComponentListChanged;
  TcxComponentListNotifyEvent OnNotify;

protected:
  void Notify(void* Ptr, TListNotification Action) override;
  virtual void HandleItemNotify(TComponent* Item, TListNotification Notification);
  // The class of components the list accepts.
  virtual TClass ItemClassOf() const { return TComponent::StaticClass(); }
  void SignalChanged(TComponent* Component, TcxCollectionChangeKind Kind);

private:
  int FUpdateCount = 0;
};
