#include "tests/skins_png/PngTestSupport.h"

#include "framework/Canvas.h"
#include "framework/MemoryStreams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TOwned<TPNGObject> LoadPng(const Bytes& file) {
  TOwned<TPNGObject> png(TPNGObject::Create());
  TOwned<TMemoryStream> stream(TMemoryStream::Create());
  stream->WriteBuffer(file.data(), int32_t(file.size()));
  stream->SetPosition(0);
  png->LoadFromStream(stream.get());
  return png;
}

Bytes SavePng(TPNGObject* png) {
  TOwned<TMemoryStream> stream(TMemoryStream::Create());
  png->SaveToStream(stream.get());
  const auto* p = static_cast<const uint8_t*>(stream->GetMemory());
  return Bytes(p, p + stream->GetSize());
}

MemoryBitmap::MemoryBitmap(int width, int height, COLORREF fill) : FWidth(width), FHeight(height) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  FDC = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  FBits = static_cast<uint8_t*>(bits);
  FOld = SelectObject(FDC, FBitmap);
  for (int i = 0; i < width * height; ++i) {
    FBits[i * 4] = GetBValue(fill);
    FBits[i * 4 + 1] = GetGValue(fill);
    FBits[i * 4 + 2] = GetRValue(fill);
    FBits[i * 4 + 3] = 0;
  }
  FCanvas.reset(TCanvas::Create());
  FCanvas->SetHandle(FDC);
}

MemoryBitmap::~MemoryBitmap() {
  FCanvas->SetHandle(nullptr);
  SelectObject(FDC, FOld);
  DeleteObject(FBitmap);
  DeleteDC(FDC);
}

COLORREF MemoryBitmap::Pixel(int x, int y) const {
  GdiFlush();
  const uint8_t* p = FBits + (size_t(y) * FWidth + x) * 4;
  return RGB(p[2], p[1], p[0]);
}

RGBQUAD PaletteColour(uint32_t i) { return RGBQUAD{uint8_t(i * 5), uint8_t(255 - i * 11), uint8_t(i * 37), 0}; }

Bytes PalettePayload(uint32_t count) {
  Bytes p;
  for (uint32_t i = 0; i < count; ++i) {
    const RGBQUAD c = PaletteColour(i);
    p.insert(p.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
  }
  return p;
}

TestImage Pattern(uint32_t w, uint32_t h, uint8_t colourType, uint8_t depth, uint8_t interlace) {
  TestImage im{w, h, depth, colourType, interlace, nullptr};
  im.pixel = [depth](uint32_t x, uint32_t y) {
    Samples s{};
    for (int c = 0; c < 4; ++c) {
      const uint32_t v = x * 7 + y * 13 + c * 29 + x * y;
      s[c] = uint16_t(depth == 16 ? (v * 2531u) & 0xFFFF : v % (1u << depth));
    }
    return s;
  };
  return im;
}

std::string Describe(const TestImage& im) {
  return "type " + std::to_string(im.colourType) + " depth " + std::to_string(im.depth) +
         (im.interlace ? " interlaced" : "") + " " + std::to_string(im.width) + "x" + std::to_string(im.height);
}

std::array<uint8_t, 256> ExpectedGamma(uint32_t value) {
  std::array<uint8_t, 256> lut{};
  const double exponent = 1.0 / (value / 100000.0 * 2.2);
  for (int i = 0; i < 256; ++i) lut[i] = uint8_t(std::nearbyint(std::pow(i / 255.0, exponent) * 255.0));
  return lut;
}

// Checks every pixel and alpha value of a decoded picture against the samples.
void ExpectPixels(TPNGObject* png, const TestImage& im, const uint8_t* gamma) {
  for (uint32_t y = 0; y < im.height; ++y)
    for (uint32_t x = 0; x < im.width; ++x) {
      const Samples s = im.pixel(x, y);
      COLORREF expected = 0;
      int alpha = -1;
      switch (im.colourType) {
        case 0: expected = RGB(Level8(s[0], im.depth), Level8(s[0], im.depth), Level8(s[0], im.depth)); break;
        case 3: {
          const RGBQUAD c = PaletteColour(s[0]);
          expected = RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
          break;
        }
        case 2: expected = RGB(Level8(s[0], im.depth), Level8(s[1], im.depth), Level8(s[2], im.depth)); break;
        case 4:
          expected = RGB(Level8(s[0], im.depth), Level8(s[0], im.depth), Level8(s[0], im.depth));
          alpha = Level8(s[1], im.depth);
          break;
        case 6:
          expected = RGB(Level8(s[0], im.depth), Level8(s[1], im.depth), Level8(s[2], im.depth));
          alpha = Level8(s[3], im.depth);
          break;
      }
      if (gamma) expected = RGB(gamma[GetRValue(expected)], gamma[GetGValue(expected)], gamma[GetBValue(expected)]);
      ASSERT_EQ(png->GetPixel(int(x), int(y)), expected) << Describe(im) << " at " << x << "," << y;
      if (alpha >= 0) {
        ASSERT_EQ(png->AlphaRow(int(y))[x], alpha) << Describe(im) << " alpha at " << x << "," << y;
      }
    }
}

TOwned<TPNGObject> LoadImage(const TestImage& im, size_t split) {
  std::vector<std::pair<std::string, Bytes>> extra;
  if (im.colourType == 3) extra.emplace_back("PLTE", PalettePayload(1u << std::min<int>(im.depth, 8)));
  return LoadPng(PngFile::Of(im, extra, split).GetBytes());
}

