#include "suite/bars/BarItemRegistry.h"

#include "framework/ClassRegistry.h"
#include "suite/bars/BarRoutines.h"

void TdxBarItemList::BeforeDestruction() {
  for (int I = GetCount() - 1; I >= 0; --I) RemoveAt(I);
  TList::BeforeDestruction();
}

void TdxBarItemList::RegisterEntry(TClass ItemClass, TdxBarItemControlClass ControlClass, bool Listed) {
  Add(TRegItemRecord::Create(ItemClass, ControlClass, Listed));
  RegisterClass(ItemClass);
}

void TdxBarItemList::UnregisterEntry(TClass ItemClass) {
  for (int I = 0; I < GetCount(); ++I)
    if (ItemClassAt(I) == ItemClass) {
      RemoveAt(I);
      return;
    }
}

void TdxBarItemList::RemoveAt(int Index) {
  TRegItemRecord* Entry = EntryAt(Index);
  UnRegisterClass(Entry->ItemClass);
  Delete(Index);
  Free(Entry);
}

int TdxBarItemList::ListedClassCount() const {
  int Count = 0;
  for (int I = 0; I < GetCount(); ++I) Count += EntryAt(I)->Listed ? 1 : 0;
  return Count;
}

TClass TdxBarItemList::GetListedClass(int Index) const {
  for (int I = 0; I < GetCount(); ++I)
    if (EntryAt(I)->Listed && Index-- == 0) return EntryAt(I)->ItemClass;
  return nullptr;
}

TdxBarItemControlClass TdxBarItemList::ControlClassOf(TClass ItemClass) const {
  for (int I = 0; I < GetCount(); ++I)
    if (ItemClassAt(I) == ItemClass) return EntryAt(I)->ControlClass;
  return nullptr;
}

void RegisterBarItemClass(TClass ItemClass, TdxBarItemControlClass ControlClass, bool Listed) {
  if (TdxBarItemList* Registry = BarItemClassRegistry()) Registry->RegisterEntry(ItemClass, ControlClass, Listed);
}

void UnregisterBarItemClass(TClass ItemClass) {
  if (TdxBarItemList* Registry = BarItemClassRegistry()) Registry->UnregisterEntry(ItemClass);
}
