#include "engine/OffscreenPaint.h"

#include <algorithm>

void PaintOffscreen(HDC dc, int width, int height, const std::function<void(HDC)>& paint) {
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1, width), std::max(1, height));
  HGDIOBJ old = SelectObject(mem, bmp);
  paint(mem);
  BitBlt(dc, 0, 0, width, height, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}
