// Image drawing: Lanczos weights and resampling, alpha blending on every road,
// state images in their six modes, silhouettes and the hatched swatch.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Surface.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/cxImageDrawing.h"
#include "suite/common/dxGdiPlusClasses.h"

namespace {

TOwned<TBitmap> Pixels32(int W, int H, const TcxPixels& TopDown) {
  TOwned<TBitmap> b(CreateSizedBitmap(W, H, pf32bit));
  WriteBitmapPixels(b.get(), TopDown);
  return b;
}

int WeightOf(const std::vector<TContributor>& Entries, int Pixel) {
  int w = 0;
  for (const TContributor& c : Entries)
    if (c.Pixel == Pixel) w += c.Weight;
  return w;
}

void ExpectNear(COLORREF A, COLORREF B, int Tolerance, const char* What) {
  EXPECT_LE(std::abs(GetRValue(A) - GetRValue(B)), Tolerance) << What << std::hex << " " << A << " " << B;
  EXPECT_LE(std::abs(GetGValue(A) - GetGValue(B)), Tolerance) << What << std::hex << " " << A << " " << B;
  EXPECT_LE(std::abs(GetBValue(A) - GetBValue(B)), Tolerance) << What << std::hex << " " << A << " " << B;
}

COLORREF OverWhite(std::uint32_t Pixel, std::uint8_t Alpha) {
  std::uint32_t p = 0xFFFFFFFF;
  BlendPixel(Pixel, p, Alpha);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace

TEST(Lanczos, WeightsTable) {
  // 11 to 6: destination i is centred on source 2i, its weights spread two pixels
  // apart; the last one reaches past the end and is reflected onto pixel 10.
  const TContributorList reduce = BuildContributors(11, 6, 0.5f);
  const auto& mid = reduce[3];
  const struct {
    int pixel, weight;
  } reduced[] = {{6, 128}, {5, 78}, {7, 78}, {3, -17}, {9, -17}, {1, 3}, {10, 3}, {4, 0}, {8, 0}};
  for (const auto& k : reduced) EXPECT_EQ(WeightOf(mid, k.pixel), k.weight) << k.pixel;
  // 2 to 5 (scale 4): the ends sit on the ends.
  const TContributorList enlarge = BuildContributors(2, 5, 4.0f);
  ASSERT_EQ(enlarge.front().size(), 1u);
  EXPECT_EQ(enlarge.front()[0].Pixel, 0);
  EXPECT_EQ(enlarge.front()[0].Weight, 256);
  ASSERT_EQ(enlarge.back().size(), 1u);
  EXPECT_EQ(enlarge.back()[0].Pixel, 1);
  // One pixel to four: every reflected index lands on it, weighing 256 in all.
  for (const auto& entries : BuildContributors(1, 4, 4.0f)) {
    for (const TContributor& c : entries) EXPECT_EQ(c.Pixel, 0);
    EXPECT_EQ(WeightOf(entries, 0), 256);
  }
  // A strong reduction keeps every destination at 256.
  for (const auto& entries : BuildContributors(100, 3, 2.0f / 99)) {
    int sum = 0;
    for (const TContributor& c : entries) {
      sum += c.Weight;
      EXPECT_GE(c.Pixel, 0);
      EXPECT_LT(c.Pixel, 100);
    }
    EXPECT_EQ(sum, 256);
  }
  EXPECT_FLOAT_EQ(Lanczos3Kernel(0), 1.0f);
  EXPECT_FLOAT_EQ(Lanczos3Kernel(3.5f), 0.0f);
}

TEST(Lanczos, ResamplingKeepsFlatColoursAndCorners) {
  const struct {
    int sw, sh, dw, dh;
  } sizes[] = {{1, 1, 4, 4}, {10, 10, 1, 10}, {100, 2, 3, 2}, {2, 2, 5, 5}, {7, 3, 20, 9}};
  for (const auto& k : sizes) {
    TOwned<TBitmap> src = Pixels32(k.sw, k.sh, TcxPixels(static_cast<size_t>(k.sw) * k.sh, 0xFF6080A0));
    TOwned<TBitmap> dst(CreateSizedBitmap(k.dw, k.dh, pf32bit));
    ResampleBitmap(src.get(), dst.get(), true);
    EXPECT_EQ(ReadBitmapPixels(dst.get()), TcxPixels(static_cast<size_t>(k.dw) * k.dh, 0xFF6080A0))
        << k.sw << "x" << k.sh << " to " << k.dw << "x" << k.dh;
  }
  TOwned<TBitmap> quad = Pixels32(2, 2, {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000});
  TOwned<TBitmap> big(CreateSizedBitmap(5, 5, pf32bit));
  ResampleBitmap(quad.get(), big.get(), true);
  const TcxPixels p = ReadBitmapPixels(big.get());
  EXPECT_EQ(p[0], 0xFF000000u);
  EXPECT_EQ(p[4], 0xFF0000FFu);
  EXPECT_EQ(p[20], 0xFF00FF00u);
  EXPECT_EQ(p[24], 0xFFFF0000u);
  TOwned<TBitmap> none(CreateSizedBitmap(0, 5, pf32bit));
  ResampleBitmap(quad.get(), none.get(), true);  // a zero side: nothing, no failure
}

TEST(AlphaBlending, AHalfTransparentPixelIsAlikeOnEveryRoad) {
  const std::uint32_t half = 0x80800000;  // half-covering red, premultiplied
  const COLORREF want = OverWhite(half, 255);
  TOwned<TBitmap> src = Pixels32(4, 4, TcxPixels(16, half));
  {
    TSurface s(4, 4, clWhite);
    ASSERT_TRUE(SystemAlphaBlend(s.DC(), src->GetCanvas()->GetHandle(), RECT{0, 0, 4, 4}, RECT{0, 0, 4, 4}, 255));
    ExpectNear(s.Pixel(2, 2), want, 1, "system");
  }
  {
    TSurface s(8, 8, clWhite);  // stretched: the software road with the resampler
    AlphaBlendDC(s.DC(), src->GetCanvas()->GetHandle(), RECT{0, 0, 8, 8}, RECT{0, 0, 4, 4}, true, 255);
    ExpectNear(s.Pixel(5, 5), want, 1, "software");
  }
  {
    TSurface s(4, 4, clWhite);
    TOwned<TdxGPImage> image(
        TdxGPImage::CreateFromBits(4, 4, std::make_shared<std::vector<std::uint32_t>>(16, half), true));
    image->DrawTo(s.DC(), RECT{0, 0, 4, 4});
    ExpectNear(s.Pixel(2, 2), want, 1, "GDI+");
  }
}

namespace {

// A 32-bit glyph: opaque red square, a half-transparent column, clear elsewhere.
TOwned<TBitmap> AlphaGlyph() {
  TcxPixels p(256, 0);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) p[static_cast<size_t>(y) * 16 + x] = 0xFFFF0000;
  for (int y = 0; y < 16; ++y) p[static_cast<size_t>(y) * 16 + 14] = 0x80800000;
  return Pixels32(16, 16, p);
}

// A 24-bit glyph: a blue square on fuchsia.
TOwned<TBitmap> KeyedGlyph() {
  TOwned<TBitmap> b(CreateSizedBitmap(16, 16, pf24bit));
  b->GetCanvas()->GetBrush()->SetColor(clFuchsia);
  b->GetCanvas()->FillRect(RECT{0, 0, 16, 16});
  b->GetCanvas()->GetBrush()->SetColor(clBlue);
  b->GetCanvas()->FillRect(RECT{4, 4, 12, 12});
  b->SetTransparentColor(clFuchsia);
  return b;
}

TSurface Painted(TBitmap* Glyph, TcxStateImageMode Mode) {
  TSurface s(24, 24, clWhite);
  PaintImageWithState(s.DC(), RECT{4, 4, 20, 20}, RECT{0, 0, 24, 24}, Glyph, nullptr, 0, Mode);
  return s;
}

std::uint32_t GreyPixel(int G) { return 0xFF000000u | static_cast<std::uint32_t>(G) * 0x010101u; }

}  // namespace

TEST(StateImages, AnAlphaGlyphInSixModes) {
  TOwned<TBitmap> glyph = AlphaGlyph();
  const struct {
    TcxStateImageMode mode;
    COLORREF square, column;
  } cases[] = {
      {simNormal, RGB(255, 0, 0), OverWhite(0x80800000, 255)},
      {simDisabled, OverWhite(GreyPixel(19), 151), OverWhite(0x80090909, 151)},  // green-weighted grey at 151
      {simFaded, OverWhite(GreyPixel(76), 64), OverWhite(0x80262626, 64)},
      {simGrey, RGB(85, 85, 85), OverWhite(0x802A2A2A, 255)},
      {simLight, RGB(255, 77, 77), OverWhite(0x64640000, 255)},
  };
  for (const auto& k : cases) {
    TSurface s = Painted(glyph.get(), k.mode);
    ExpectNear(s.Pixel(12, 12), k.square, 1, "square");
    ExpectNear(s.Pixel(18, 10), k.column, 1, "column");
    EXPECT_EQ(s.Pixel(5, 5), RGB(255, 255, 255)) << "clear pixels leave the background, mode " << k.mode;
  }
  // The shadow: the image one pixel up and left, its silhouette two pixels down
  // and right of it where the image is clear.
  TSurface s = Painted(glyph.get(), simShadow);
  EXPECT_EQ(s.Pixel(7, 7), RGB(255, 0, 0));
  EXPECT_EQ(s.Pixel(14, 14), RGB(255, 0, 0));
  EXPECT_EQ(s.Pixel(15, 15), Rgb(clBtnShadow));
  EXPECT_EQ(s.Pixel(16, 16), Rgb(clBtnShadow));
  ExpectNear(s.Pixel(17, 17), OverWhite(0x80800000, 255), 1, "the column is not shadowed over");
  EXPECT_EQ(s.Pixel(18, 18), RGB(255, 255, 255));
}

TEST(StateImages, AKeyedGlyphInSixModes) {
  TOwned<TBitmap> glyph = KeyedGlyph();
  TSurface normal = Painted(glyph.get(), simNormal);
  EXPECT_EQ(normal.Pixel(12, 12), RGB(0, 0, 255));
  EXPECT_EQ(normal.Pixel(6, 6), RGB(255, 255, 255)) << "the fuchsia key is transparent";
  // Disabled without alpha: grey blended with the shadow tint, and a highlight
  // silhouette one pixel down and right where the square's edge ends.
  TSurface disabled = Painted(glyph.get(), simDisabled);
  std::uint32_t grey = GreyPixel(29);  // 0.114 x 255, the blue channel's weight
  const std::uint32_t shadow = ColorToARGB(clBtnShadow, 0xC0);
  BlendPixel(0xC0000000u | (static_cast<std::uint32_t>(MulDiv((shadow >> 16) & 0xFF, 0xC0, 255)) << 16) |
                 (static_cast<std::uint32_t>(MulDiv((shadow >> 8) & 0xFF, 0xC0, 255)) << 8) |
                 static_cast<std::uint32_t>(MulDiv(shadow & 0xFF, 0xC0, 255)),
             grey, 238);
  ExpectNear(disabled.Pixel(12, 12), RGB((grey >> 16) & 0xFF, (grey >> 8) & 0xFF, grey & 0xFF), 1, "disabled");
  EXPECT_EQ(disabled.Pixel(16, 16), Rgb(clBtnHighlight));
  EXPECT_EQ(disabled.Pixel(17, 17), RGB(255, 255, 255));
  EXPECT_EQ(Painted(glyph.get(), simGrey).Pixel(12, 12), RGB(85, 85, 85));
  EXPECT_EQ(Painted(glyph.get(), simLight).Pixel(12, 12), RGB(77, 77, 255));
  ExpectNear(Painted(glyph.get(), simFaded).Pixel(12, 12), OverWhite(GreyPixel(29), 64), 1, "faded");
  TSurface shadowed = Painted(glyph.get(), simShadow);
  EXPECT_EQ(shadowed.Pixel(15, 15), Rgb(clBtnShadow));
  EXPECT_EQ(shadowed.Pixel(14, 14), RGB(0, 0, 255));
}

TEST(StateImages, SilhouettesGrowOnlyWhenAsked) {
  for (bool grow : {false, true}) {
    TOwned<TcxBitmap> image(TcxBitmap::Create(8, 8, pf32bit));
    TcxPixels p(64, 0);
    for (int y = 0; y < 8; ++y) p[static_cast<size_t>(y) * 8 + 5] = 0xFF0000FF;  // a column near the right edge
    WriteBitmapPixels(image.get(), p);
    TOwned<TcxBitmap> mask(TcxBitmap::Create(8, 8, pf32bit));
    mask->CopyBitmap(image.get());
    mask->ApplyPixelEffect(bpeMask);
    AddSilhouetteShadow(image.get(), mask.get(), 2, grow, clRed);
    EXPECT_EQ(image->GetWidth(), grow ? 10 : 8);
    const TcxPixels q = ReadBitmapPixels(image.get());
    const int w = image->GetWidth();
    EXPECT_EQ(q[static_cast<size_t>(4) * w + 5], 0xFF0000FFu);
    EXPECT_EQ(q[static_cast<size_t>(4) * w + 7], 0xFFFF0000u) << "the silhouette two pixels right";
    if (grow) {
      EXPECT_EQ(q[static_cast<size_t>(9) * w + 7], 0xFFFF0000u) << "and two rows further down";
    }
  }
}

TEST(StateImages, HatchedSwatchCrossesTheWholeSwatch) {
  AcquireOffice11Colors();
  TSurface s(20, 80, clWhite);
  const RECT r{2, 2, 10, 72};  // narrow and tall, near the left edge
  PaintHatchedSwatch(s.Canvas.get(), r, 0);
  const COLORREF line = Rgb(DarkenColor(static_cast<TColor>(RGB(0xA0, 0xFF, 0xA0)), 75));
  int lowestLine = -1;
  for (int y = r.top + 1; y < r.bottom - 1; ++y)
    for (int x = r.left + 1; x < r.right - 1; ++x)
      if (s.Pixel(x, y) == line) lowestLine = y;
  EXPECT_GE(lowestLine, r.bottom - 4) << "diagonals reach the bottom";
  EXPECT_EQ(s.Pixel(r.left, r.top + 10), Rgb(DarkenColor(static_cast<TColor>(RGB(0xA0, 0xFF, 0xA0)), 50)));
  EXPECT_EQ(s.Pixel(r.right, r.bottom), Rgb(clBtnShadow)) << "the shadow corner";
  ReleaseOffice11ColorSet();
}
