// Drawing routines the controls and painters share: 3-D frames, the system's
// edges and frame controls on a canvas, and text laid out in a rectangle with
// UTF-8 strings.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Colors.h"

class TCanvas;

// Draws Width nested frames, TopColor on the top and left sides and
// BottomColor on the others, and shrinks Rect by Width on every side.
void Frame3D(TCanvas* Canvas, RECT& Rect, TColor TopColor, TColor BottomColor, int Width);

// The system's edge (EDGE_/BDR_ and BF_ flags) on the canvas; with BF_ADJUST
// Rect becomes the inside.
bool DrawEdge(TCanvas* Canvas, RECT& Rect, UINT Edge, UINT Flags);
// The system's frame control (DFC_ and DFCS_ flags) on the canvas.
bool DrawFrameControl(TCanvas* Canvas, RECT& Rect, UINT Type, UINT State);

// DrawText with a UTF-8 string (DT_ flags: alignment, DT_WORDBREAK,
// DT_END_ELLIPSIS, DT_CALCRECT...); answers the text's height.
int DrawTextUtf8(HDC DC, const std::string& Text, RECT& Rect, UINT Format);
// The same in the canvas's font and colours.
int DrawTextUtf8(TCanvas* Canvas, const std::string& Text, RECT& Rect, UINT Format);

// Text shortened with a trailing "..." so that it fits MaxWidth pixels in the
// device context's font; text that fits is returned as it is.
std::string EllipsisText(HDC DC, const std::string& Text, int MaxWidth);
