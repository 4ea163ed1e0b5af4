#include "suite/common/ComponentList.h"

void TcxComponentList::BeforeDestruction() {
  FUpdateCount = 1;
  TComponentList::BeforeDestruction();
}

void TcxComponentList::UnlockUpdates() {
  if (FUpdateCount > 0) --FUpdateCount;
  SignalChanged(nullptr, cckChanged);
}

void TcxComponentList::CancelUpdates() {
  if (FUpdateCount > 0) --FUpdateCount;
}

void TcxComponentList::Notify(void* Ptr, TListNotification Action) {
  auto* Item = static_cast<TComponent*>(static_cast<TObject*>(Ptr));
  if (Item->InheritsFrom(ItemClassOf())) {
    HandleItemNotify(Item, Action);
  } else if (Action == lnAdded) {
    // Not told to anyone: the extraction's own notice comes back here and is ignored too.
    Extract(Item);
  }
}

void TcxComponentList::HandleItemNotify(TComponent* Item, TListNotification Notification) {
  TComponentList::Notify(Item, Notification);
  OnNotify(this, Item, Notification);
  static const TcxCollectionChangeKind Kinds[] = {cckAdded, cckRemoved, cckDeleted};
  SignalChanged(Item, Kinds[Notification]);
}

void TcxComponentList::SignalChanged(TComponent* Component, TcxCollectionChangeKind Kind) {
  if (FUpdateCount == 0) OnComponentListChanged(this, Component, Kind);
}
