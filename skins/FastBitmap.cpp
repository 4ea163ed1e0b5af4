#include "skins/FastBitmap.h"

namespace {

BITMAPINFOHEADER TopDown24Header(int Width, int Height) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = Width;
  h.biHeight = -Height;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  return h;
}

}  // namespace

HBITMAP CreateTopDown24Section(HBITMAP Source, int Width, int Height, uint8_t*& Bits) {
  Bits = nullptr;
  if (Width <= 0 || Height <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader = TopDown24Header(Width, Height);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) DeleteObject(section);
    return nullptr;
  }
  if (Source) {
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, Source, 0, UINT(Height), bits, &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
  }
  Bits = static_cast<uint8_t*>(bits);
  return section;
}

TFBitmap::TFBitmap(HBITMAP Source) {
  BITMAP info{};
  if (!Source || !GetObjectW(Source, sizeof info, &info)) return;
  Width = info.bmWidth;
  Height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  Padding = Width % 4;
  RowSize = 3 * Width + Padding;
  Size = RowSize * Height;
  Header = TopDown24Header(Width, Height);
  Handle = CreateTopDown24Section(Source, Width, Height, Bits);
  if (!Handle) return;
  Rows.resize(size_t(Height));
  for (int y = 0; y < Height; ++y) Rows[size_t(y)] = Bits + size_t(y) * size_t(RowSize);
  DC = CreateCompatibleDC(nullptr);
  FOld = SelectObject(DC, Handle);
}

TFBitmap::~TFBitmap() {
  if (DC) {
    SelectObject(DC, FOld);
    DeleteDC(DC);
  }
  if (Handle) DeleteObject(Handle);
}
