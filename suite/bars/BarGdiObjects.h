// The GDI objects the bar painters and their drawing primitives make for one
// operation: every creation and deletion goes through here and is counted, so a
// caller can check that an operation left nothing behind (the system's own count
// of GDI objects is not available everywhere).
#pragma once

#include <windows.h>

#include "framework/Colors.h"

HBRUSH BarCreateSolidBrush(TColor Color);
HPEN BarCreatePen(int Style, int Width, TColor Color);
HRGN BarCreateRectRgn(int Left, int Top, int Right, int Bottom);
inline HRGN BarCreateRectRgn(const RECT& R) { return BarCreateRectRgn(R.left, R.top, R.right, R.bottom); }
HRGN BarCreatePolygonRgn(const POINT* Points, int Count);
HBITMAP BarCreateCompatibleBitmap(HDC DC, int Width, int Height);
HBITMAP BarCreateMonoBitmap(int Width, int Height);
HFONT BarCreateFontIndirect(const LOGFONTW& Font);
HDC BarCreateCompatibleDC(HDC DC);
// Deletes a brush, pen, region, bitmap or font made above; null is ignored.
void BarDeleteObject(HGDIOBJ Object);
void BarDeleteDC(HDC DC);
// Selects Object into DC, returning the previous one; SelectBackAndDelete's partner.
inline HGDIOBJ BarSelect(HDC DC, HGDIOBJ Object) { return SelectObject(DC, Object); }
// Puts Previous back and deletes what it replaced.
void BarSelectBackAndDelete(HDC DC, HGDIOBJ Previous);

struct TBarGdiCounts {
  long Created = 0;
  long Deleted = 0;
  long Alive() const { return Created - Deleted; }
};
// What was made and deleted through here since the process started.
TBarGdiCounts BarGdiCounts();
