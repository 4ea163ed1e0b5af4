// A device context over a 32-bit top-down memory bitmap, for painting controls
// into and reading their pixels back in tests and benchmarks.
#pragma once

#include <windows.h>

class TMemoryDC {
 public:
  TMemoryDC(int Width, int Height) {
    BITMAPINFO Info{};
    Info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* Bits = nullptr;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(FDC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TMemoryDC() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  HDC DC() const { return FDC; }
  COLORREF Pixel(int X, int Y) const {
    GdiFlush();
    return GetPixel(FDC, X, Y);
  }

 private:
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};
