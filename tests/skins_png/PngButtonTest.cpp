// The PNG button's picture routines and the button's drawing of its glyph,
// enabled, faded and greyed.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "skins/PngChunks.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngSpeedButton.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

int Blend(int source, int old, int alpha) { return (source * alpha + (255 - alpha) * old + 255) >> 8; }

Owned<TPNGObject> Solid(uint32_t w, uint32_t h, Samples rgba) {
  return LoadImage(TestImage{w, h, 8, 6, 0, [rgba](uint32_t, uint32_t) { return rgba; }});
}

}  // namespace

TEST(PngFunctions, FadingScalesAlphaToTheLevel) {
  const uint8_t alphas[] = {255, 128, 1, 0};
  Owned<TPNGObject> png =
      LoadImage(TestImage{4, 1, 8, 6, 0, [&](uint32_t x, uint32_t) { return Samples{9, 8, 7, alphas[x]}; }});
  FadePngAlpha(png.get(), 127);
  const uint8_t expected[] = {128, 64, 0, 0};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(png->AlphaRow(0)[x], expected[x]) << x;
  EXPECT_EQ(png->GetPixel(0, 0), RGB(9, 8, 7));
}

TEST(PngFunctions, FadingAnIndexedPictureMakesItRgbaWithOneTransparentColour) {
  const TestImage im{3, 2, 8, 3, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  Owned<TPNGObject> png = LoadPng(PngFile::Of(im, {{"PLTE", PalettePayload(3)}, {"tRNS", Bytes{255, 0}}}).GetBytes());
  FadePngAlpha(png.get(), 127);
  ASSERT_EQ(png->HeaderChunk()->ColourType, COLOR_RGBALPHA);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const RGBQUAD c = PaletteColour(x);
      EXPECT_EQ(png->GetPixel(x, y), RGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
      EXPECT_EQ(png->AlphaRow(y)[x], x == 1 ? 0 : 127) << x << "," << y;
    }
}

TEST(PngFunctions, GreyingMovesColoursToTheirGreyLevel) {
  Owned<TPNGObject> png = Solid(2, 2, Samples{200, 100, 50, 255});
  GreyPngColours(png.get(), 255);
  // 0.30 x 200 + 0.59 x 100 + 0.11 x 50 = 124.5, which rounds to the even 124.
  EXPECT_EQ(png->GetPixel(1, 1), RGB(124, 124, 124));
  Owned<TPNGObject> half = Solid(1, 1, Samples{200, 100, 50, 255});
  GreyPngColours(half.get(), 127);
  // round(c / 256 x 128) + round(124 / 256 x 128)
  EXPECT_EQ(half->GetPixel(0, 0), RGB(100 + 62, 50 + 62, 25 + 62));
}

TEST(PngFunctions, TransportButtonLayout) {
  Owned<TPNGObject> png = Solid(32, 32, Samples{1, 2, 3, 255});
  MemoryBitmap target(35, 35, 0);
  POINT at{};
  RECT text{};
  LayOutPngButton(target.Canvas(), png.get(), RECT{0, 0, 35, 35}, false, false, "", blGlyphTop, -1, 0,
                  DT_SINGLELINE, at, text);
  EXPECT_EQ(at.x, 2);
  EXPECT_EQ(at.y, 1);
  LayOutPngButton(target.Canvas(), png.get(), RECT{0, 0, 35, 35}, true, false, "", blGlyphTop, -1, 0,
                  DT_SINGLELINE, at, text);
  EXPECT_EQ(at.x, 3);
  EXPECT_EQ(at.y, 2);
  // Glyph left with a caption: margin splits what is left over around both.
  LayOutPngButton(target.Canvas(), png.get(), RECT{0, 0, 120, 35}, false, false, "Go", blGlyphLeft, -1, 4,
                  DT_SINGLELINE, at, text);
  const int textWidth = text.right - text.left;
  EXPECT_GT(textWidth, 0);
  EXPECT_EQ(at.x, (120 - (32 + 4 + textWidth)) / 2);
  EXPECT_EQ(text.left, at.x + 32 + 4);
}

TEST(PngSpeedButton, DrawsItsGlyphPlainFadedOrGrey) {
  Owned<TPngSpeedButton> button(TPngSpeedButton::Create(nullptr));
  button->SetBounds(0, 0, 35, 35);
  button->SetFlat(true);
  button->SetLayout(blGlyphTop);
  button->SetSpacing(0);
  Owned<TPNGObject> png = Solid(32, 32, Samples{200, 10, 10, 255});
  button->SetPngImage(png.get());
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 32);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto paint = [&] {
    auto target = std::make_unique<MemoryBitmap>(35, 35, RGB(0, 0, 0));
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target->DC()), 0);
    return target;
  };
  EXPECT_EQ(paint()->Pixel(2 + 10, 1 + 10), RGB(200, 10, 10));
  button->SetEnabled(false);
  EXPECT_EQ(paint()->Pixel(2 + 10, 1 + 10),
            RGB(Blend(200, GetRValue(face), 128), Blend(10, GetGValue(face), 128), Blend(10, GetBValue(face), 128)));
  button->SetPngOptions({pngGrayscaleOnDisabled});
  EXPECT_EQ(paint()->Pixel(2 + 10, 1 + 10), RGB(67, 67, 67));
  button->SetPngOptions({pngBlendOnDisabled, pngGrayscaleOnDisabled});
  EXPECT_EQ(paint()->Pixel(2 + 10, 1 + 10),
            RGB(Blend(67, GetRValue(face), 128), Blend(67, GetGValue(face), 128), Blend(67, GetBValue(face), 128)));
  // The picture given stays the caller's: the button keeps a copy.
  EXPECT_EQ(png->AlphaRow(0)[0], 255);
}

TEST(PngSpeedButton, ColourPicturesLoseTheirGammaChunkAndNullEmpties) {
  const TestImage im{2, 2, 8, 2, 0, [](uint32_t, uint32_t) { return Samples{1, 2, 3}; }};
  Owned<TPNGObject> png = LoadPng(PngFile::Of(im, {{"gAMA", BigEndian32(45454)}}).GetBytes());
  Owned<TPngSpeedButton> button(TPngSpeedButton::Create(nullptr));
  button->SetPngImage(png.get());
  EXPECT_EQ(button->GetPngImage()->ChunkList->Find<TChunkgAMA>(), nullptr);
  EXPECT_NE(png->ChunkList->Find<TChunkgAMA>(), nullptr);
  button->SetPngImage(nullptr);
  EXPECT_TRUE(button->GetPngImage()->GetEmpty());
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 0);
}

TEST(PngFunctions, PictureFromAnImageListIcon) {
  Owned<TCustomImageList> images(TCustomImageList::Create(nullptr));
  images->SetWidth(4);
  images->SetHeight(4);
  Owned<TBitmap> image(TBitmap::Create()), mask(TBitmap::Create());
  image->SetPixelFormat(pf24bit);
  image->SetSize(4, 4);
  mask->SetMonochrome(true);
  mask->SetSize(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      image->GetCanvas()->SetPixels(x, y, TColor(RGB(10 * x, 20 * y, 99)));
      mask->GetCanvas()->SetPixels(x, y, x < 2 ? clBlack : clWhite);
    }
  images->Add(image.get(), mask.get());
  Owned<TPNGObject> png(TPNGObject::Create());
  PngFromImageListIcon(png.get(), images.get(), 0);
  ASSERT_EQ(png->HeaderChunk()->ColourType, COLOR_RGBALPHA);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(png->AlphaRow(y)[x], x < 2 ? 255 : 0) << x << "," << y;
      if (x < 2) {
        EXPECT_EQ(png->GetPixel(x, y), RGB(10 * x, 20 * y, 99));
      }
    }
}
