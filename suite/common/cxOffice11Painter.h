// The Office 2003 look: the ultra-flat drawing in the Office 2003 scheme colours.
#pragma once

#include "suite/common/cxFlatPainters.h"

// Colours of the Office 2003 radio glyphs.
TColor Office11RadioFaceColor(TcxPaintButtonState State);
TColor Office11RadioDisabledColor();
TColor Office11RadioHotFrameColor();
