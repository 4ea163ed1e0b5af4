#include "suite/bars/BarGdiObjects.h"

namespace {
TBarGdiCounts Counts;

template <class T>
T Made(T Object) {
  if (Object) ++Counts.Created;
  return Object;
}
}  // namespace

HBRUSH BarCreateSolidBrush(TColor Color) { return Made(CreateSolidBrush(ColorToRGB(Color))); }

HPEN BarCreatePen(int Style, int Width, TColor Color) { return Made(CreatePen(Style, Width, ColorToRGB(Color))); }

HRGN BarCreateRectRgn(int Left, int Top, int Right, int Bottom) {
  return Made(CreateRectRgn(Left, Top, Right, Bottom));
}

HRGN BarCreatePolygonRgn(const POINT* Points, int Count) { return Made(CreatePolygonRgn(Points, Count, WINDING)); }

HBITMAP BarCreateCompatibleBitmap(HDC DC, int Width, int Height) {
  return Made(CreateCompatibleBitmap(DC, Width, Height));
}

HBITMAP BarCreateMonoBitmap(int Width, int Height) { return Made(CreateBitmap(Width, Height, 1, 1, nullptr)); }

HFONT BarCreateFontIndirect(const LOGFONTW& Font) { return Made(CreateFontIndirectW(&Font)); }

HDC BarCreateCompatibleDC(HDC DC) { return Made(CreateCompatibleDC(DC)); }

void BarDeleteObject(HGDIOBJ Object) {
  if (!Object) return;
  DeleteObject(Object);
  ++Counts.Deleted;
}

void BarDeleteDC(HDC DC) {
  if (!DC) return;
  DeleteDC(DC);
  ++Counts.Deleted;
}

void BarSelectBackAndDelete(HDC DC, HGDIOBJ Previous) { BarDeleteObject(SelectObject(DC, Previous)); }

TBarGdiCounts BarGdiCounts() { return Counts; }
