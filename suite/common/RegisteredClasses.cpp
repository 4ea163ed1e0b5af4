#include "suite/common/RegisteredClasses.h"

#include "framework/ClassRegistry.h"
#include "suite/common/ClassRoutines.h"

bool TcxRegisteredClassList::LocateClass(TClass ItemClass, int& Index) const {
  for (int I = GetCount() - 1; I >= 0; --I) {
    TClass Entry = FItems[static_cast<size_t>(I)].first;
    if (ItemClass->InheritsFrom(Entry)) {
      Index = I;
      return true;
    }
    if (Entry->InheritsFrom(ItemClass)) Index = I;
  }
  return false;
}

void TcxRegisteredClassList::RegisterPair(TClass ItemClass, TClass RegisteredClass) {
  int Index = -1;
  if (LocateClass(ItemClass, Index)) ++Index;
  else if (Index == -1) Index = GetCount();
  FItems.insert(FItems.begin() + Index, {ItemClass, RegisteredClass});
}

void TcxRegisteredClassList::UnregisterPair(TClass ItemClass, TClass RegisteredClass) {
  std::erase_if(FItems, [&](const auto& P) { return P.first == ItemClass && P.second == RegisteredClass; });
}

TClass TcxRegisteredClassList::LookupClass(TClass ItemClass) const {
  int Index = -1;
  return LocateClass(ItemClass, Index) ? FItems[static_cast<size_t>(Index)].second : nullptr;
}

int TcxRegisteredClasses::IndexOf(TClass Class) const {
  for (size_t I = 0; I < FEntries.size(); ++I)
    if (FEntries[I].second == Class) return static_cast<int>(I);
  return -1;
}

void TcxRegisteredClasses::RegisterWithDescription(TClass Class, const std::string& Description) {
  if (!Class || IndexOf(Class) >= 0) return;
  FEntries.emplace_back(Description, Class);
  if (FRegisterClasses) RegisterClass(Class);
}

void TcxRegisteredClasses::UnregisterClassEntry(TClass Class) {
  int Index = IndexOf(Class);
  if (Index >= 0) FEntries.erase(FEntries.begin() + Index);
}

TClass TcxRegisteredClasses::FindByClassName(const std::string& Name) const {
  for (const auto& Entry : FEntries)
    if (Entry.second->ClassName() == Name) return Entry.second;
  return nullptr;
}

std::string TcxRegisteredClasses::GetDescription(int Index) const {
  return TextBeforeBar(FEntries.at(static_cast<size_t>(Index)).first);
}
