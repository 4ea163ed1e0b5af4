// The key filter of edits that take a level in dB: digits, backspace, Enter and
// "." pass; "-" only as the first character (the caret at the left edge, no "-"
// yet, or the whole text selected); anything else is swallowed with a beep.
#pragma once

class TCustomEdit;

void FilterLevelKey(TCustomEdit* Edit, char& Key);
