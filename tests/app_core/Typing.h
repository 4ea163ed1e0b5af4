// Typing into edits as the keyboard does: one WM_CHAR per character to the edit,
// so number-only styles, key filters and change handlers all see it.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Edit.h"

inline void TypeChars(TCustomEdit* Edit, const std::string& Text) {
  for (char Ch : Text) SendMessageW(Edit->GetHandle(), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(Ch)), 1);
}

// Gives the edit the focus and replaces its whole text by typing ("" clears it).
inline void Retype(TCustomEdit* Edit, const std::string& Text) {
  Edit->SetFocus();
  Edit->SelectAll();
  TypeChars(Edit, Text.empty() ? std::string("\b") : Text);
}
