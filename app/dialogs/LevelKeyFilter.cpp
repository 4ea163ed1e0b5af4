#include "app/dialogs/LevelKeyFilter.h"

#include <windows.h>

#include <string>

#include "framework/Edit.h"

void FilterLevelKey(TCustomEdit* Edit, char& Key) {
  if ((Key >= '0' && Key <= '9') || Key == '\b' || Key == '\r' || Key == '.') return;
  if (Key == '-') {
    const std::string Text = Edit->GetText();
    if (Edit->GetSelLength() == static_cast<int>(Text.size())) return;
    // The caret stands at the very start when it is where the first character
    // begins (the edit's left margin differs between systems).
    POINT Caret{};
    GetCaretPos(&Caret);
    const auto First = SendMessageW(Edit->GetHandle(), EM_POSFROMCHAR, 0, 0);
    const int FirstX = static_cast<short>(LOWORD(First));
    if (Text.find('-') == std::string::npos && Caret.x <= FirstX + 1) return;
  }
  Key = 0;
  MessageBeep(0);
}
