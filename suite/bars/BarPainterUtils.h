// Small drawing steps the bar painters share.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Colors.h"

// The extent of Text in DC's font, without prefix processing.
SIZE TextExtentOnDC(HDC DC, const std::string& Text);
// A fill and a one-pixel frame with a system colour's own brush.
void FillSysColor(HDC DC, const RECT& R, int SysColorIndex);
void FrameSysColor(HDC DC, const RECT& R, int SysColorIndex);
// A one-pixel frame with a brush.
void FrameWithBrush(HDC DC, const RECT& R, HBRUSH Brush);
void DrawEdgeRect(HDC DC, const RECT& R, UINT Edge, UINT Flags = BF_RECT);
// A line from (X1, Y1) to (X2, Y2), the end point left out, in a one-pixel pen.
void DrawLine(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color);
void SetPixelColor(HDC DC, int X, int Y, TColor Color);
RECT Inflated(const RECT& R, int DX, int DY);
// A caption button as DrawFrameControl draws it for DFC_CAPTION (Flags: one of
// DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE with
// DFCS_PUSHED, DFCS_INACTIVE, DFCS_FLAT), but with the glyph drawn as shapes: the
// system draws it as letters of a symbol font, which shows plain letters where
// that font is not installed.
void DrawCaptionFrameButton(HDC DC, const RECT& R, UINT Flags);
inline bool RectIsEmpty(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }
inline int RectWidth(const RECT& R) { return R.right - R.left; }
inline int RectHeight(const RECT& R) { return R.bottom - R.top; }
