#include "suite/bars/BarRunTimeSelection.h"

#include "framework/Lists.h"
#include "suite/bars/Bars.h"
#include "suite/bars/BarItems.h"
#include "suite/common/ComponentList.h"

namespace {
// The bar or item tells its windows to show its selection state anew.
void RefreshSelectionOf(TComponent* Component) {
  if (auto* Selectable = dynamic_cast<IdxBarSelectableItem*>(Component)) Selectable->RefreshSelectable();
}
}  // namespace

TdxBarRunTimeSelectionController::TdxBarRunTimeSelectionController() : FSelected(TcxComponentList::Create()) {
  FSelected->OnComponentListChanged = Bind(this, &TdxBarRunTimeSelectionController::ListChanged);
}

TdxBarRunTimeSelectionController::~TdxBarRunTimeSelectionController() {
  FSelected->OnComponentListChanged = {};
}

bool TdxBarRunTimeSelectionController::IsSelected(TObject* Object) const {
  auto* C = dynamic_cast<TComponent*>(Object);
  return C && FSelected->IndexOf(C) >= 0;
}

void TdxBarRunTimeSelectionController::AddToSelection(TComponent* Object) {
  if (Object && FSelected->IndexOf(Object) >= 0) return;
  bool IsBar = dynamic_cast<TdxBar*>(Object) != nullptr;
  for (int I = FSelected->GetCount() - 1; I >= 0; --I) {
    TComponent* C = FSelected->GetItem(I);
    if (IsBar ? dynamic_cast<TdxBar*>(C) != nullptr : dynamic_cast<TdxBarItem*>(C) != nullptr) {
      FSelected->Delete(I);
      RefreshSelectionOf(C);
    }
  }
  if (!Object) return;
  FSelected->Add(Object);
  RefreshSelectionOf(Object);
}

void TdxBarRunTimeSelectionController::GetSelection(TObjectList* List) {
  for (int I = 0; List && I < FSelected->GetCount(); ++I) List->Add(FSelected->GetItem(I));
}

void TdxBarRunTimeSelectionController::Select(TObject* Object, int Mode) {
  if (Mode == 0 || Mode == 2) AddToSelection(dynamic_cast<TComponent*>(Object));
}

void TdxBarRunTimeSelectionController::AssignSelection(TObjectList* List) {
  FSelected->LockUpdates();
  try {
    for (int I = 0; List && I < List->GetCount(); ++I)
      if (auto* C = dynamic_cast<TComponent*>(List->GetItem(I))) AddToSelection(C);
  } catch (...) {
    FSelected->UnlockUpdates();
    throw;
  }
  FSelected->UnlockUpdates();
}

void TdxBarRunTimeSelectionController::ListChanged(TObject*, TComponent*, TcxCollectionChangeKind) {
  OnSelectionChanged(this);
}
