// Drawing a bitmap with one colour left out, stretched or not, through a
// monochrome mask (so it works on any device, palette or not).
#pragma once
#include <windows.h>

#include "framework/Colors.h"

class TCanvas;
class TBitmap;

// A destination or source size below 1 takes the bitmap's own; clNone copies
// opaque with the canvas's copy mode, clDefault takes the bitmap's bottom-left
// pixel, a monochrome bitmap leaves out white.
void StretchBitmapTransparent(TCanvas* canvas, RECT dest, TBitmap* bitmap, RECT source, TColor transparent);
void DrawBitmapRectTransparent(TCanvas* canvas, int x, int y, const RECT& source, TBitmap* bitmap, TColor transparent);
void DrawBitmapTransparent(TCanvas* canvas, int x, int y, TBitmap* bitmap, TColor transparent);

// The masked stretch itself, on device contexts.
void StretchBltTransparent(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh,
                           HPALETTE palette, COLORREF transparent);

// Edges included.
bool PointInRect(POINT p, const RECT& r);
