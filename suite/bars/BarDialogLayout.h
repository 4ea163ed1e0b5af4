// The "Select ..." dialogs of the combos lay out their controls in code, measured
// from their font.
#pragma once

#include <string>

#include "framework/Button.h"
#include "framework/WinControl.h"

class TFont;

// A push button of Parent that closes its dialog with Result: OK is the default
// button, Cancel answers Escape.
TButton* DialogButton(TWinControl* Parent, const std::string& Caption, TModalResult Result);

// The measures the "Select ..." dialogs of the combos are laid out with, from the
// digit "0" in Font: button width W, button height H, margin M.
struct TSelectDialogMeasures {
  int W, H, M;
};
TSelectDialogMeasures SelectDialogMeasures(TFont* Font);
