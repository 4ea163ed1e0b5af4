#include "suite/navbar/NavBarViewUnits.h"

#include "suite/common/UnitLifetime.h"

namespace {
TSuiteUnit* const* Units() {
  static TSuiteUnit* const List[] = {&NavBarBaseViewsUnit(), &NavBarOfficeViewsUnit(), &NavBarVSToolBoxViewsUnit(),
                                     &NavBarExplorerViewsUnit(), &NavBarOffice11ViewsUnit(), &NavBarXPViewsUnit(),
                                     &NavBarSkinViewsUnit(), nullptr};
  return List;
}
}  // namespace

void EnsureNavBarViewUnits() {
  for (TSuiteUnit* const* U = Units(); *U; ++U) (*U)->Ensure();
}

void FinishNavBarViewUnits() {
  TSuiteUnit* const* L = Units();
  int N = 0;
  while (L[N]) ++N;
  for (int I = N - 1; I >= 0; --I) L[I]->Finish();
}

void RestartNavBarViewUnits() {
  for (TSuiteUnit* const* U = Units(); *U; ++U) (*U)->Restart();
}
