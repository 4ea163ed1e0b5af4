#include "suite/common/DesignController.h"

void TcxDesignController::NotifyDesignerModified(TCustomForm* Form) {
  if (FLockCount > 0 || (FState & 1)) return;
  FState |= 1;
  try {
    DesignerModified(Form);
  } catch (...) {
    FState &= ~1;
    throw;
  }
  FState &= ~1;
}
