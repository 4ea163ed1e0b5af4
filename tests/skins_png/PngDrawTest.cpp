// Drawing and pixel access, checked pixel by pixel in a memory bitmap, and the
// conversions to and from bitmaps.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "skins/PngChunks.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

int Blend(int source, int old, int alpha) { return (source * alpha + (255 - alpha) * old + 255) >> 8; }

const COLORREF Back = RGB(10, 200, 60);

}  // namespace

TEST(PngDraw, AlphaBlendsEachPixelAtNaturalSize) {
  const uint8_t alphas[] = {0, 1, 128, 254, 255};
  const TestImage im{5, 2, 8, 6, 0, [&](uint32_t x, uint32_t y) {
                       return Samples{uint16_t(250 - x * 40), uint16_t(y * 90), 33, alphas[x]};
                     }};
  TOwned<TPNGObject> png = LoadImage(im);
  MemoryBitmap target(12, 8, Back);
  // A rectangle larger than the picture: drawn unscaled at its corner.
  png->Draw(target.Canvas(), RECT{2, 3, 12, 8});
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) {
      const Samples s = im.pixel(x, y);
      const COLORREF expected = RGB(Blend(s[0], GetRValue(Back), s[3]), Blend(s[1], GetGValue(Back), s[3]),
                                    Blend(s[2], GetBValue(Back), s[3]));
      EXPECT_EQ(target.Pixel(2 + x, 3 + y), expected) << x << "," << y;
    }
  EXPECT_EQ(target.Pixel(2, 3), Back);           // alpha 0 leaves the background
  EXPECT_EQ(target.Pixel(6, 3), RGB(90, 0, 33));  // alpha 255 is the source exactly
  EXPECT_EQ(target.Pixel(7, 3), Back);
  EXPECT_EQ(target.Pixel(2, 5), Back);
}

TEST(PngDraw, OpaquePictureIsStretchedOverTheRectangle) {
  const TestImage im{2, 2, 8, 2, 0, [](uint32_t x, uint32_t y) { return Samples{uint16_t(x * 200), uint16_t(y * 100), 7}; }};
  TOwned<TPNGObject> png = LoadImage(im);
  MemoryBitmap target(6, 6, Back);
  png->Draw(target.Canvas(), RECT{1, 1, 5, 5});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(target.Pixel(1 + x, 1 + y), RGB((x / 2) * 200, (y / 2) * 100, 7)) << x << "," << y;
  EXPECT_EQ(target.Pixel(0, 0), Back);
  EXPECT_EQ(target.Pixel(5, 5), Back);
}

TEST(PngDraw, TransparentColourLeavesTheBackground) {
  // Grey with a transparent level, and indexed with one fully transparent entry.
  const TestImage grey{3, 2, 8, 0, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x * 100)}; }};
  const TestImage indexed{3, 2, 8, 3, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  struct Case {
    const TestImage* image;
    std::vector<std::pair<std::string, Bytes>> chunks;
  };
  const Case cases[] = {
      {&grey, {{"tRNS", Bytes{0, 100}}}},
      {&indexed, {{"PLTE", PalettePayload(3)}, {"tRNS", Bytes{255, 0, 255}}}},
  };
  for (const Case& c : cases) {
    TOwned<TPNGObject> png = LoadPng(PngFile::Of(*c.image, c.chunks).GetBytes());
    ASSERT_EQ(png->TransparencyKind(), ptmBit);
    MemoryBitmap target(5, 4, Back);
    png->Draw(target.Canvas(), RECT{1, 1, 4, 3});
    for (int y = 0; y < 2; ++y) {
      EXPECT_EQ(target.Pixel(1, 1 + y), png->GetPixel(0, y));
      EXPECT_EQ(target.Pixel(2, 1 + y), Back);
      EXPECT_EQ(target.Pixel(3, 1 + y), png->GetPixel(2, y));
    }
    EXPECT_EQ(target.Pixel(0, 0), Back);
  }
}

TEST(PngDraw, IndexedWithPartialTransparencyBlends) {
  const TestImage indexed{3, 1, 4, 3, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  TOwned<TPNGObject> png =
      LoadPng(PngFile::Of(indexed, {{"PLTE", PalettePayload(16)}, {"tRNS", Bytes{0, 100}}}).GetBytes());
  ASSERT_EQ(png->TransparencyKind(), ptmPartial);
  MemoryBitmap target(3, 1, Back);
  png->Draw(target.Canvas(), RECT{0, 0, 3, 1});
  const uint8_t alpha[] = {0, 100, 255};
  for (int x = 0; x < 3; ++x) {
    const RGBQUAD c = PaletteColour(x);
    EXPECT_EQ(target.Pixel(x, 0), RGB(Blend(c.rgbRed, GetRValue(Back), alpha[x]),
                                      Blend(c.rgbGreen, GetGValue(Back), alpha[x]),
                                      Blend(c.rgbBlue, GetBValue(Back), alpha[x])));
  }
}

TEST(PngPixels, ReadingAndWritingPixels) {
  TOwned<TPNGObject> png = LoadImage(Pattern(400, 3, 2, 8, 0));
  EXPECT_EQ(png->GetPixel(400, 0), 0u);
  EXPECT_EQ(png->GetPixel(0, -1), 0u);
  const Samples s = Pattern(400, 3, 2, 8, 0).pixel(300, 1);
  EXPECT_EQ(png->GetPixel(300, 1), RGB(s[0], s[1], s[2]));
  png->SetPixel(300, 1, RGB(1, 2, 3));
  EXPECT_EQ(png->GetPixel(300, 1), RGB(1, 2, 3));
  png->SetPixel(400, 1, RGB(1, 2, 3));  // outside: nothing happens

  // Indexed: the nearest palette entry's index goes into the bit field only.
  TOwned<TPNGObject> indexed = LoadImage(Pattern(9, 1, 3, 1, 0));
  const RGBQUAD one = PaletteColour(1);
  const COLORREF left = indexed->GetPixel(7, 0), right = indexed->GetPixel(8, 0);
  indexed->SetPixel(6, 0, RGB(one.rgbRed, one.rgbGreen, one.rgbBlue + 1));
  EXPECT_EQ(indexed->GetPixel(6, 0), RGB(one.rgbRed, one.rgbGreen, one.rgbBlue));
  EXPECT_EQ(indexed->GetPixel(7, 0), left);
  EXPECT_EQ(indexed->GetPixel(8, 0), right);
}

TEST(PngPixels, SizeCannotBeSetDirectly) {
  TOwned<TPNGObject> png = LoadImage(Pattern(2, 2, 2, 8, 0));
  EXPECT_THROW(png->SetWidth(5), EPngError);
  EXPECT_THROW(png->SetHeight(5), EPngError);
  TOwned<TPNGObject> empty(TPNGObject::Create());
  EXPECT_THROW(empty->PixelRow(0), EPNGHeaderNotPresent);
  MemoryBitmap target(2, 2, Back);
  empty->Draw(target.Canvas(), RECT{0, 0, 2, 2});
  EXPECT_EQ(target.Pixel(1, 1), Back);
}

TEST(PngConvert, BitmapToPictureAndBackKeepsPixels) {
  TOwned<TBitmap> bitmap(TBitmap::Create());
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) bitmap->GetCanvas()->SetPixels(x, y, TColor(RGB(x * 30, y * 50, 77)));
  TOwned<TPNGObject> png(TPNGObject::Create());
  png->Assign(bitmap.get());
  ASSERT_EQ(png->HeaderChunk()->ColourType, COLOR_RGB);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(png->GetPixel(x, y), RGB(x * 30, y * 50, 77)) << x << "," << y;
  TOwned<TBitmap> back(TBitmap::Create());
  back->Assign(png.get());
  ASSERT_EQ(back->GetWidth(), 7);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(COLORREF(back->GetCanvas()->GetPixels(x, y)), RGB(x * 30, y * 50, 77));
  // A picture assigned from another is a deep copy.
  TOwned<TPNGObject> copy(TPNGObject::Create());
  copy->Assign(png.get());
  png->SetPixel(0, 0, RGB(1, 1, 1));
  EXPECT_EQ(copy->GetPixel(0, 0), RGB(0, 0, 77));
}

TEST(PngConvert, TransparentColourAndAlphaPlane) {
  // A colour missing from the table makes entry 0 transparent.
  TOwned<TPNGObject> indexed = LoadImage(Pattern(4, 4, 3, 8, 0));
  auto* trns = indexed->ChunkList->Add<TChunktRNS>();
  trns->SetTransparentColour(RGB(1, 2, 3));
  EXPECT_EQ(trns->GetSize(), 1u);
  EXPECT_EQ(trns->AlphaValues[0], 0);
  EXPECT_EQ(indexed->TransparencyKind(), ptmBit);
  // An indexed picture gets a full transparency table of 255.
  indexed->AddAlphaPlane();
  EXPECT_EQ(trns->GetSize(), 256u);
  EXPECT_EQ(indexed->TransparencyKind(), ptmPartial);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(trns->AlphaValues[i], 255);
  // RGBA stays as it is; RGB gains an opaque alpha plane.
  TOwned<TPNGObject> rgba = LoadImage(Pattern(3, 3, 6, 8, 0));
  const uint8_t a = rgba->AlphaRow(1)[1];
  rgba->AddAlphaPlane();
  EXPECT_EQ(rgba->AlphaRow(1)[1], a);
  TOwned<TPNGObject> rgb = LoadImage(Pattern(3, 3, 2, 8, 0));
  rgb->AddAlphaPlane();
  EXPECT_EQ(rgb->HeaderChunk()->ColourType, COLOR_RGBALPHA);
  EXPECT_EQ(rgb->AlphaRow(2)[2], 255);
}

TEST(PngConvert, NarrowGreyGainsAlphaWithoutLosingLevels) {
  const TestImage im = Pattern(9, 3, 0, 1, 0);
  TOwned<TPNGObject> png = LoadImage(im);
  png->AddAlphaPlane();
  EXPECT_EQ(png->HeaderChunk()->ColourType, COLOR_GRAYSCALEALPHA);
  for (uint32_t y = 0; y < 3; ++y)
    for (uint32_t x = 0; x < 9; ++x) {
      const uint8_t level = Level8(im.pixel(x, y)[0], 1);
      ASSERT_EQ(png->GetPixel(x, y), RGB(level, level, level));
    }
  MemoryBitmap target(9, 3, Back);
  png->Draw(target.Canvas(), RECT{0, 0, 9, 3});
  EXPECT_EQ(target.Pixel(4, 2), png->GetPixel(4, 2));
}

TEST(PngConvert, ClipboardRoundTripKeepsPixels) {
  const TestImage im = Pattern(5, 3, 2, 8, 0);
  TOwned<TPNGObject> png = LoadImage(im);
  WORD format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  png->SaveToClipboardFormat(format, data, palette);
  ASSERT_EQ(format, CF_BITMAP);
  ASSERT_NE(data, nullptr);
  TOwned<TPNGObject> back(TPNGObject::Create());
  back->LoadFromClipboardFormat(format, data, palette);
  DeleteObject(data);
  ExpectPixels(back.get(), im);
}
