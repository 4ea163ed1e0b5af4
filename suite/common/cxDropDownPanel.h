// The non-client frame of a drop-down window with its band holding a size grip
// and a close button.
#pragma once

#include <windows.h>

#include "suite/common/DropDownCorners.h"

class TcxCanvas;

// Paints Wnd's frame, and with ShowPanel the band (on the side of Corner) with
// the grip and the close button, through Canvas (the bar canvas; null for one of
// its own) on the window DC. ButtonState1 and ButtonState2 are the close button's
// pressed and hot states. Both rectangles come back in screen coordinates, empty
// without the panel or without room for a button.
void PaintDropDownSystemPanel(TcxCanvas* Canvas, HWND Wnd, bool ShowPanel, bool Flat, bool ButtonState1,
                              bool ButtonState2, RECT& CloseButtonRect, RECT& SizeGripRect, TcxDropDownCorner Corner);
// The close button's square within the band P.
RECT DropDownCloseButtonBounds(const RECT& P, TcxDropDownCorner Corner);
