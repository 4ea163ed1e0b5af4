#include "suite/bars/BarAccessibility.h"

#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"

void TdxBarAccessibilityHelper::NoteOwnerDestroyed() {
  FOwnerObject = nullptr;
  if (TdxBarNavigationController* N = BarNavigationControllerInstance()) N->ForgetObject(this);
}
