#include "suite/bars/BarNavigation.h"

#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarHooks.h"
#include "suite/common/SuiteException.h"

void TdxBarNavigationController::BeginKeyTipsWaiting(TdxBarAccessibilityHelper* Root) {
  if (!Root || (FKeyTipsRoot && FKeyTipsRoot != Root)) throw EdxException("Key tips cannot wait for this object");
  FKeyTipsRoot = Root;
}

void TdxBarNavigationController::EndKeyTipsWaiting(bool Show) {
  (void)Show;
  FKeyTipsRoot = nullptr;
  SetAltPressedAlone(false);
}

void TdxBarNavigationController::SelectRootDefault(TdxBarAccessibilityHelper* Root) {
  if (!Root) return;
  if (TdxBarAccessibilityHelper* Default = Root->GetDefaultSelectable()) ChangeSelectedObject(Default);
}

void TdxBarNavigationController::EndKeyboardMode() {
  FKeyTipsRoot = nullptr;
  FSelected = nullptr;
  SetAltPressedAlone(false);
}

void TdxBarNavigationController::ForgetObject(TdxBarAccessibilityHelper* Helper) {
  if (FSelected == Helper) FSelected = nullptr;
  if (FKeyTipsRoot == Helper) FKeyTipsRoot = nullptr;
}
