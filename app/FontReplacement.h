// Windows are designed with "Tahoma"; they switch to the screen's hint font so the
// program follows the system's font.
#pragma once

#include <string>

class TWinControl;
class TCustomForm;

// Renames the font of every child (recursively) from OldName to NewName, when
// NewName is an installed font that differs from OldName.
void ReplaceControlFont(TWinControl* Control, const std::string& OldName, const std::string& NewName);
// ReplaceControlFont(Form, "Tahoma", the screen's hint font name).
void ApplyHintFont(TCustomForm* Form);
