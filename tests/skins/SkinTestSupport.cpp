#include "tests/skins/SkinTestSupport.h"

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "framework/Canvas.h"

TOwned<TBitmap> MakeBitmap(int W, int H, const std::function<COLORREF(int, int)>& Colour) {
  auto b = MakeOwned<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(W, H);
  for (int y = 0; y < H; ++y) {
    auto* row = static_cast<uint8_t*>(b->ScanLine(y));
    for (int x = 0; x < W; ++x) {
      const COLORREF c = Colour(x, y);
      row[x * 3] = GetBValue(c);
      row[x * 3 + 1] = GetGValue(c);
      row[x * 3 + 2] = GetRValue(c);
    }
  }
  return b;
}

COLORREF PixelOf(TBitmap* Bitmap, int X, int Y) {
  GdiFlush();
  return GetPixel(Bitmap->GetCanvas()->GetHandle(), X, Y);
}

COLORREF Coded(int X, int Y) { return RGB(X, Y, 77); }

std::string SkinFile(const std::string& Name) { return std::string(SONVELT_SKIN_DIR) + "/" + Name; }

Bytes ReadFileBytes(const std::string& Path) {
  std::ifstream f(Path, std::ios::binary);
  if (!f) throw std::runtime_error("cannot open " + Path);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

Bytes Inflate(const Bytes& Zlib) {
  Bytes out(64 << 20);
  uLongf n = uLongf(out.size());
  if (uncompress(out.data(), &n, Zlib.data(), uLong(Zlib.size())) != Z_OK) throw std::runtime_error("inflate");
  out.resize(n);
  return out;
}

Bytes Deflate(const Bytes& Raw) {
  Bytes out(compressBound(uLong(Raw.size())));
  uLongf n = uLongf(out.size());
  compress2(out.data(), &n, Raw.data(), uLong(Raw.size()), 9);
  out.resize(n);
  return out;
}

void PutLE32(Bytes& B, int32_t V) {
  for (int i = 0; i < 4; ++i) B.push_back(uint8_t(uint32_t(V) >> (8 * i)));
}

Bytes SmallBmp(int W, int H, COLORREF Colour) {
  auto b = MakeBitmap(W, H, [&](int, int) { return Colour; });
  return b->SaveToBytes();
}
