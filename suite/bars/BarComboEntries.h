// Combos of the extra kinds draw their entries themselves (a colour swatch, a
// font mark, an image): in their drop-down list and in the edit of their control
// while it is not being typed into.
#pragma once

#include <windows.h>

#include "framework/Colors.h"
#include "suite/bars/BarEditItems.h"

class TdxBarComboControl;

class IdxBarComboEntryPainter {
public:
  virtual ~IdxBarComboEntryPainter() = default;
  // Draws entry Index (-1: the edit's text, which is no entry) into R; Back fills
  // what the entry leaves, TextColor writes its text. False: the entry is drawn
  // the plain way.
  virtual bool DrawEntry(HDC DC, int Index, const RECT& R, TdxBarOwnerDrawState State, TColor Back,
                         TColor TextColor) = 0;
};

// Over the plain text of a combo control's edit, the entry it shows as its item
// draws it; nothing while the edit's own window shows or for a plain item.
void DrawComboEditEntry(TdxBarComboControl* Control);

// The steps entries share: the fill, and a single line of text from R's left,
// centred vertically and clipped to R.
void DrawComboEntryBackground(HDC DC, const RECT& R, TColor Back);
void DrawComboEntryText(HDC DC, const RECT& R, const std::string& Text, TColor Color);
