// Colour keys and gamma: what GetPixel gives, what the picture reports as
// transparent and what Draw puts into a memory bitmap, each against values
// computed here from the raw samples of the fixture.
#include <gtest/gtest.h>

#include "skins/PngChunks.h"
#include "skins/PngHeaderChunk.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

const COLORREF Back = RGB(10, 200, 60);

int Blend(int source, int old, int alpha) { return (source * alpha + (255 - alpha) * old + 255) >> 8; }

std::array<uint8_t, 256> NoGamma() {
  std::array<uint8_t, 256> lut{};
  for (int i = 0; i < 256; ++i) lut[i] = uint8_t(i);
  return lut;
}

// The colour a pixel should show: samples scaled to 8 bits, then corrected.
COLORREF Shown(const Samples& s, uint8_t colourType, uint8_t depth, const std::array<uint8_t, 256>& g) {
  switch (colourType) {
    case 0:
    case 4: {
      const uint8_t level = g[Level8(s[0], depth)];
      return RGB(level, level, level);
    }
    case 3: {
      const RGBQUAD c = PaletteColour(s[0]);
      return RGB(g[c.rgbRed], g[c.rgbGreen], g[c.rgbBlue]);
    }
    default: return RGB(g[Level8(s[0], depth)], g[Level8(s[1], depth)], g[Level8(s[2], depth)]);
  }
}

Bytes KeyPayload(const std::vector<uint16_t>& key) {
  Bytes p;
  for (uint16_t k : key) p.insert(p.end(), {uint8_t(k >> 8), uint8_t(k)});
  return p;
}

}  // namespace

TEST(PngColourKey, HidesExactlyThePixelsWhoseRawSamplesEqualTheKey) {
  struct Case {
    const char* what;
    uint8_t colourType, depth;
    std::vector<uint16_t> key;
    std::vector<Samples> pixels;
  };
  const Case cases[] = {
      {"grey 1-bit", 0, 1, {1}, {{0}, {1}, {1}, {0}, {1}}},
      {"grey 2-bit", 0, 2, {2}, {{0}, {1}, {2}, {3}}},
      {"grey 4-bit", 0, 4, {9}, {{0}, {9}, {15}, {8}, {10}}},
      {"grey 4-bit, key 0", 0, 4, {0}, {{0}, {1}, {15}}},
      // Gamma 1.0 shows 254 as 255 too: only the raw sample tells them apart.
      {"grey 8-bit", 0, 8, {255}, {{254}, {255}, {0}, {128}}},
      // The key's bytes swapped, and its high byte (its shown level) with another low byte.
      {"grey 16-bit", 0, 16, {0x1234}, {{0x1234}, {0x3412}, {0x12FF}, {0x1200}, {0x0034}}},
      {"RGB 8-bit", 2, 8, {255, 10, 200}, {{255, 10, 200}, {254, 10, 200}, {255, 10, 201}, {200, 10, 255}}},
      {"RGB 16-bit", 2, 16, {0x0102, 0x0304, 0x0506},
       {{0x0102, 0x0304, 0x0506}, {0x0201, 0x0403, 0x0605}, {0x01FF, 0x0304, 0x0506}, {0x0102, 0x0304, 0x0507}}},
  };
  for (const Case& c : cases)
    for (uint32_t gamma : {0u, 100000u})
      for (uint8_t interlace : {0, 1}) {
        SCOPED_TRACE(std::string(c.what) + " gamma " + std::to_string(gamma) + " interlace " +
                     std::to_string(interlace));
        const uint32_t w = uint32_t(c.pixels.size()), h = 3;
        const TestImage im{w, h, c.depth, c.colourType, interlace,
                           [&c, w](uint32_t x, uint32_t y) { return c.pixels[(x + y) % w]; }};
        std::vector<std::pair<std::string, Bytes>> extra;
        if (gamma) extra.emplace_back("gAMA", BigEndian32(gamma));
        extra.emplace_back("tRNS", KeyPayload(c.key));
        TOwned<TPNGObject> png = LoadPng(PngFile::Of(im, extra).GetBytes());
        const auto g = gamma ? ExpectedGamma(gamma) : NoGamma();
        const int samples = c.colourType == 2 ? 3 : 1;
        Samples key{};
        for (int s = 0; s < samples; ++s) key[s] = c.key[s];

        EXPECT_EQ(png->TransparencyKind(), ptmBit);
        EXPECT_EQ(png->TransparentColour(), Shown(key, c.colourType, c.depth, g));
        // Drawn at twice the size, so the mask is stretched with the picture.
        MemoryBitmap target(int(w) * 2 + 2, int(h) * 2 + 2, Back);
        png->Draw(target.Canvas(), RECT{1, 1, 1 + int(w) * 2, 1 + int(h) * 2});
        for (uint32_t y = 0; y < h; ++y)
          for (uint32_t x = 0; x < w; ++x) {
            const Samples s = im.pixel(x, y);
            bool hidden = true;
            for (int k = 0; k < samples; ++k) hidden = hidden && s[k] == key[k];
            const COLORREF shown = Shown(s, c.colourType, c.depth, g);
            ASSERT_EQ(png->GetPixel(int(x), int(y)), shown) << x << "," << y;
            ASSERT_EQ(png->IsKeyPixel(int(x), int(y)), hidden) << x << "," << y;
            for (int d = 0; d < 4; ++d)
              ASSERT_EQ(target.Pixel(1 + int(x) * 2 + d % 2, 1 + int(y) * 2 + d / 2), hidden ? Back : shown)
                  << x << "," << y;
          }
        EXPECT_EQ(target.Pixel(0, 0), Back);
        EXPECT_EQ(target.Pixel(int(w) * 2 + 1, int(h) * 2 + 1), Back);
      }
}

TEST(PngColourKey, IndexedPictureHidesItsTransparentEntryNotItsColour) {
  // Entries 1 and 2 have one colour; only entry 1 is transparent.
  Bytes palette = PalettePayload(3);
  std::copy(palette.begin() + 3, palette.begin() + 6, palette.begin() + 6);
  const TestImage im{3, 2, 4, 3, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  const auto g = ExpectedGamma(100000);
  TOwned<TPNGObject> png = LoadPng(
      PngFile::Of(im, {{"gAMA", BigEndian32(100000)}, {"PLTE", palette}, {"tRNS", Bytes{255, 0}}}).GetBytes());
  ASSERT_EQ(png->TransparencyKind(), ptmBit);
  const COLORREF colours[] = {Shown({0}, 3, 4, g), Shown({1}, 3, 4, g), Shown({1}, 3, 4, g)};
  EXPECT_EQ(png->TransparentColour(), colours[1]);
  MemoryBitmap target(3, 2, Back);
  png->Draw(target.Canvas(), RECT{0, 0, 3, 2});
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(png->GetPixel(x, y), colours[x]) << x;
      EXPECT_EQ(png->IsKeyPixel(x, y), x == 1) << x;
      EXPECT_EQ(target.Pixel(x, y), x == 1 ? Back : colours[x]) << x;
    }
}

TEST(PngGamma, EveryColourTypeIsCorrectedOnceInPixelsAndDrawing) {
  const uint32_t gamma = 100000;
  const auto g = ExpectedGamma(gamma);
  for (const auto& [type, depths] : ColourTypesAndDepths())
    for (uint8_t depth : depths)
      for (uint8_t interlace : {0, 1}) {
        const TestImage im = Pattern(7, 5, type, depth, interlace);
        SCOPED_TRACE(Describe(im));
        std::vector<std::pair<std::string, Bytes>> extra{{"gAMA", BigEndian32(gamma)}};
        if (type == 3) extra.emplace_back("PLTE", PalettePayload(1u << depth));
        TOwned<TPNGObject> png = LoadPng(PngFile::Of(im, extra).GetBytes());
        ExpectPixels(png.get(), im, g.data());
        MemoryBitmap target(7, 5, Back);
        png->Draw(target.Canvas(), RECT{0, 0, 7, 5});
        for (uint32_t y = 0; y < 5; ++y)
          for (uint32_t x = 0; x < 7; ++x) {
            const Samples s = im.pixel(x, y);
            const int alpha = type == 4 ? Level8(s[1], depth) : type == 6 ? Level8(s[3], depth) : 255;
            const COLORREF c = Shown(s, type, depth, g);
            ASSERT_EQ(target.Pixel(int(x), int(y)),
                      RGB(Blend(GetRValue(c), GetRValue(Back), alpha), Blend(GetGValue(c), GetGValue(Back), alpha),
                          Blend(GetBValue(c), GetBValue(Back), alpha)))
                << x << "," << y;
          }
      }
  // A level written into grey with alpha reads back as written.
  TOwned<TPNGObject> greyAlpha =
      LoadPng(PngFile::Of(Pattern(2, 1, 4, 8, 0), {{"gAMA", BigEndian32(gamma)}}).GetBytes());
  greyAlpha->SetPixel(1, 0, RGB(g[100], g[100], g[100]));
  EXPECT_EQ(greyAlpha->GetPixel(1, 0), RGB(g[100], g[100], g[100]));
}

TEST(PngGamma, ChunkWithoutAValueOrWithZeroLeavesThePictureUncorrected) {
  const TestImage im = Pattern(5, 3, 2, 8, 0);
  const Bytes payloads[] = {{}, {0, 1, 0x86}, BigEndian32(0), {0, 1, 0x86, 0xA0, 0}};
  for (const Bytes& payload : payloads) {
    SCOPED_TRACE(payload.size());
    TOwned<TPNGObject> png = LoadPng(PngFile::Of(im, {{"gAMA", payload}}).GetBytes());
    ExpectPixels(png.get(), im);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(png->GammaLut[i], i);
    // Written back as read: never as a value that would blacken the picture elsewhere.
    Bytes written;
    for (const auto& [type, bytes] : ChunksOf(SavePng(png.get())))
      if (type == "gAMA") written = bytes;
    EXPECT_EQ(written, payload);
  }
}
