// Reads pixels back through GDI, independently of the canvas code under test.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"

// The colour (0x00BBGGRR) at (x, y) of a GDI bitmap, read with GetDIBits as a
// 32-bit top-down image.
inline COLORREF ProbePixel(HBITMAP bmp, int x, int y) {
  BITMAP bm{};
  GetObjectW(bmp, sizeof bm, &bm);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<DWORD> px(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bmp, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DWORD v = px[static_cast<size_t>(y) * bm.bmWidth + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// A bitmap's pixel; the bitmap's canvas lets go of the handle first, since
// GetDIBits wants it selected nowhere.
inline COLORREF ProbePixel(TBitmap* bmp, int x, int y) {
  bmp->FreeContext();
  return ProbePixel(bmp->GetHandle(), x, y);
}

// A pf24bit bitmap of the size, filled with one colour.
inline TBitmap* MakeBitmap(int w, int h, TColor fill, TPixelFormat format = pf24bit) {
  TBitmap* b = TBitmap::Create();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  b->GetCanvas()->GetBrush()->SetColor(fill);
  b->GetCanvas()->FillRect(RECT{0, 0, w, h});
  return b;
}

