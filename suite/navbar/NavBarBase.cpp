#include "suite/navbar/NavBarBase.h"

#include <algorithm>

TdxNavBarNexusPersistent::TdxNavBarNexusPersistent(TPersistent* AOwner)
    : TcxOwnedPersistent(AOwner), FNotificator(TcxFreeNotificator::Create(nullptr)) {
  FNotificator->OnFreeNotification = Bind(this, &TdxNavBarNexusPersistent::HandleFree);
}

TdxNavBarNexusPersistent::~TdxNavBarNexusPersistent() = default;

void TdxNavBarComponentCollectionItem::MoveToIndex(int Index) {
  TcxComponentCollection* C = GetCollection();
  if (!C) return;
  TcxComponentCollectionItem::MoveToIndex(std::clamp(Index, 0, std::max(0, C->NumberOfItems() - 1)));
}

TdxNavBarComponentCollectionItem* TdxNavBarComponentCollection::ItemByName(const std::string& Name) const {
  for (int I = 0; I < NumberOfItems(); ++I)
    if (ItemAt(I)->GetName() == Name) return static_cast<TdxNavBarComponentCollectionItem*>(ItemAt(I));
  return nullptr;
}

void TdxNavBarComponentCollection::UpdateActions() {
  for (int I = 0; I < NumberOfItems(); ++I)
    if (auto* It = dynamic_cast<TdxNavBarComponentCollectionItem*>(ItemAt(I))) It->UpdateAction();
}
