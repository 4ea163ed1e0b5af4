#include "suite/bars/BarDesignController.h"

#include "suite/bars/BarControl.h"

TdxBarDesignController::TdxBarDesignController() : FInternalItems(TComponentList::Create(true)) {}

TdxBarDesignController::~TdxBarDesignController() { Free(FInternalItems); }

void TdxBarDesignController::SetDragging(bool Value) {
  if (Value)
    FDesignState |= 2;
  else
    FDesignState &= ~2;
}

void TdxBarDesignController::CloseQuickControl() {
  if (TCustomdxBarControl* Quick = FQuickControl) {
    FQuickControl = nullptr;
    Quick->CloseBar();
  }
}

void TdxBarDesignController::AddInternalItem(TComponent* Item, TComponentList* List) {
  if (!Item) return;
  (List ? List : FInternalItems)->Add(Item);
}

void TdxBarDesignController::ClearInternalItems() {
  while (FInternalItems->GetCount()) FInternalItems->Delete(FInternalItems->GetCount() - 1);
}

void TdxBarDesignController::ForgetSelectable(TObject* Object) {
  if (FLastSelected == Object) FLastSelected = nullptr;
}

void TdxBarDesignController::RegisterEditor(TClass EditorClass) { FEditors.push_back(EditorClass); }

void TdxBarDesignController::RegisterDesignHelper(TClass BarControlClass, TClass HelperClass) {
  FDesignHelpers.emplace_back(BarControlClass, HelperClass);
}
