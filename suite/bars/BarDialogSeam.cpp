#include "suite/bars/BarDialogSeam.h"

#include "framework/Form.h"
#include "framework/Screen.h"

namespace {
TdxBarDialogAnswer DialogAnswer;
}  // namespace

void SetBarDialogAnswer(TdxBarDialogAnswer Answer) { DialogAnswer = std::move(Answer); }

bool BarDialogAnswered(TObject* Dialog, bool& Confirmed) {
  if (!DialogAnswer) return false;
  Confirmed = DialogAnswer(Dialog);
  return true;
}

HWND BarDialogOwner() {
  TCustomForm* F = Screen ? Screen->GetActiveForm() : nullptr;
  return F && F->HandleAllocated() ? F->GetHandle() : GetActiveWindow();
}
