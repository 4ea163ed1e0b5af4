// Tells the form designer that a form changed, unless notices are locked or one
// is already being given (a notice that causes another is dropped).
#pragma once

#include <cstdint>

#include "framework/Object.h"

class TCustomForm;

class TcxDesignController : public TObject {
  SONVELT_CLASS(TcxDesignController, TObject)
public:
  TcxDesignController() = default;
  void LockModified() { ++FLockCount; }
  // Not below 0.
  void UnlockModified() {
    if (FLockCount > 0) --FLockCount;
  }
  bool IsModifiedLocked() const { return FLockCount > 0; }
  void NotifyDesignerModified(TCustomForm* Form);

protected:
  // The form's designer hears of the change here; this program has no designer.
  virtual void DesignerModified(TCustomForm* Form) { (void)Form; }

private:
  int FLockCount = 0;
  std::uint8_t FState = 0;
};
