// A 32-bit memory bitmap with a suite canvas over it, and its pixels read straight
// from the bitmap's bits (device coordinates, whatever origin or clip the DC has).
#pragma once

#include <windows.h>

#include <cstdint>
#include <algorithm>
#include <ostream>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"
#include "suite/common/cxCanvas.h"

struct TSurface {
  TSurface(int Width, int Height, TColor Fill = clWhite) : Bitmap(TBitmap::Create()) {
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(Width, Height);
    Canvas.reset(TcxCanvas::Create(Bitmap->GetCanvas()));
    Clear(Fill);
  }
  void Clear(TColor Fill) {
    for (int y = 0; y < Bitmap->GetHeight(); ++y) {
      auto* row = static_cast<std::uint32_t*>(Bitmap->ScanLine(y));
      const std::uint32_t rgb = static_cast<std::uint32_t>(ColorToRGB(Fill));
      for (int x = 0; x < Bitmap->GetWidth(); ++x)
        row[x] = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    }
  }
  // 0x00BBGGRR, as GetPixel answers.
  COLORREF Pixel(int X, int Y) {
    const std::uint32_t v = Raw(X, Y);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // The stored 32-bit value, AARRGGBB.
  std::uint32_t Raw(int X, int Y) {
    GdiFlush();
    return static_cast<std::uint32_t*>(Bitmap->ScanLine(Y))[X];
  }
  HDC DC() { return Canvas->DeviceContext(); }
  std::vector<std::uint32_t> All() {
    std::vector<std::uint32_t> v;
    for (int y = 0; y < Bitmap->GetHeight(); ++y)
      for (int x = 0; x < Bitmap->GetWidth(); ++x) v.push_back(Raw(x, y) & 0xFFFFFF);
    return v;
  }

  TOwned<TBitmap> Bitmap;
  TOwned<TcxCanvas> Canvas;
};

inline COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

inline bool operator==(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}
inline void PrintTo(const RECT& R, std::ostream* Os) {
  *Os << "(" << R.left << ", " << R.top << ", " << R.right << ", " << R.bottom << ")";
}

// How many pixels have one colour, and their bounding box.
struct TInk {
  int count = 0;
  RECT box{10000, 10000, -1, -1};
};

inline TInk InkOf(TSurface& S, COLORREF Color, RECT Within = RECT{0, 0, 100000, 100000}) {
  TInk ink;
  const int w = std::min<int>(S.Bitmap->GetWidth(), Within.right), h = std::min<int>(S.Bitmap->GetHeight(), Within.bottom);
  for (int y = std::max<int>(Within.top, 0); y < h; ++y)
    for (int x = std::max<int>(Within.left, 0); x < w; ++x)
      if (S.Pixel(x, y) == Color) {
        ++ink.count;
        ink.box.left = std::min<LONG>(ink.box.left, x);
        ink.box.top = std::min<LONG>(ink.box.top, y);
        ink.box.right = std::max<LONG>(ink.box.right, x + 1);
        ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
      }
  return ink;
}
