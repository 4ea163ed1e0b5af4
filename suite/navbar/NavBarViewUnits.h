// The views units of the bar: each registers its views with the registry when
// it starts and removes them when it ends. Every views unit of the library is
// listed in NavBarViewUnits.cpp, so a new one joins by one line there.
#pragma once

class TSuiteUnit;

void EnsureNavBarViewUnits();
void FinishNavBarViewUnits();
void RestartNavBarViewUnits();

TSuiteUnit& NavBarBaseViewsUnit();
TSuiteUnit& NavBarOfficeViewsUnit();
TSuiteUnit& NavBarVSToolBoxViewsUnit();
TSuiteUnit& NavBarExplorerViewsUnit();
TSuiteUnit& NavBarOffice11ViewsUnit();
TSuiteUnit& NavBarXPViewsUnit();
TSuiteUnit& NavBarSkinViewsUnit();
