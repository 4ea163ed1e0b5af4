#include "suite/navbar/NavBarViewsFactory.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/Format.h"
#include "suite/common/UnitLifetime.h"
#include "suite/navbar/NavBarConsts.h"
#include "suite/navbar/NavBarViewUnits.h"

int TdxNavBarViewsFactory::IDs(int Index) const {
  return Index >= 0 && Index < Count() ? FItems[Index].ID : -1;
}

std::string TdxNavBarViewsFactory::Names(int Index) const {
  return Index >= 0 && Index < Count() ? FItems[Index].Name : std::string();
}

TdxNavBarPainterClass TdxNavBarViewsFactory::PainterClasses(int Index) const {
  return Index >= 0 && Index < Count() ? FItems[Index].PainterClass : TdxNavBarPainterClass();
}

int TdxNavBarViewsFactory::IndexOfID(int ID) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I].ID == ID) return I;
  return -1;
}

void TdxNavBarViewsFactory::RegisterView(int ID, const std::string& Name, TdxNavBarPainterClass PainterClass) {
  if (IndexOfID(ID) != -1) {
    EnsureNavBarStrings();
    throw Exception(Format(ResolveResourceString(sdxViewAlreadyExists), {ID}));
  }
  RegisterClass(PainterClass);
  FItems.push_back({ID, Name, PainterClass});
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const TdxNavBarPainterFactItem& A, const TdxNavBarPainterFactItem& B) { return A.ID < B.ID; });
}

void TdxNavBarViewsFactory::UnregisterView(int ID) {
  int I = IndexOfID(ID);
  if (I >= 0) FItems.erase(FItems.begin() + I);
}

namespace {
TdxNavBarViewsFactory* Factory = nullptr;
bool Finalized = false;

TSuiteUnit FactoryUnit(
    [] {
      Finalized = false;
      Factory = TdxNavBarViewsFactory::Create();
    },
    [] {
      FreeAndNil(Factory);
      Finalized = true;
    });
}  // namespace

TdxNavBarViewsFactory* ViewsFactory() {
  if (Finalized) return nullptr;
  if (!FactoryUnit.Running()) {
    FactoryUnit.Ensure();
    EnsureNavBarViewUnits();
  }
  return Factory;
}

void RegisterView(int ID, const std::string& Name, TdxNavBarPainterClass PainterClass) {
  if (TdxNavBarViewsFactory* F = ViewsFactory()) F->RegisterView(ID, Name, PainterClass);
}

void UnregisterView(int ID) {
  if (!Finalized && Factory) Factory->UnregisterView(ID);
}

void EndViewsFactory() {
  FinishNavBarViewUnits();
  FactoryUnit.Finish();
}

void RestartViewsFactory() {
  FactoryUnit.Restart();
  RestartNavBarViewUnits();
}
