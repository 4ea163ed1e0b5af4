// The system dialogs the extra items open (colour, font): tests answer them in
// place of a user. An answer gets the dialog object (and sets its value) and
// returns whether it was confirmed; an empty answer restores the system dialogs.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Object.h"

using TdxBarDialogAnswer = std::function<bool(TObject* Dialog)>;
void SetBarDialogAnswer(TdxBarDialogAnswer Answer);
// True when a test answers Dialog; Confirmed then holds the answer.
bool BarDialogAnswered(TObject* Dialog, bool& Confirmed);
// The window a system dialog belongs to: the active form's, else the active one.
HWND BarDialogOwner();
