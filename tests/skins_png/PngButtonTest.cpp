// The PNG button's picture routines and the button's drawing of its glyph,
// enabled, faded and greyed.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/Action.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "skins/PngChunks.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngSpeedButton.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

int Blend(int source, int old, int alpha) { return (source * alpha + (255 - alpha) * old + 255) >> 8; }

TOwned<TPNGObject> Solid(uint32_t w, uint32_t h, Samples rgba) {
  return LoadImage(TestImage{w, h, 8, 6, 0, [rgba](uint32_t, uint32_t) { return rgba; }});
}

}  // namespace

TEST(PngFunctions, FadingScalesAlphaToTheLevel) {
  const uint8_t alphas[] = {255, 128, 1, 0};
  TOwned<TPNGObject> png =
      LoadImage(TestImage{4, 1, 8, 6, 0, [&](uint32_t x, uint32_t) { return Samples{9, 8, 7, alphas[x]}; }});
  FadePngAlpha(png.get(), 127);
  const uint8_t expected[] = {128, 64, 0, 0};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(png->AlphaRow(0)[x], expected[x]) << x;
  EXPECT_EQ(png->GetPixel(0, 0), RGB(9, 8, 7));
}

TEST(PngFunctions, FadingAnIndexedPictureMakesItRgbaWithOneTransparentColour) {
  const TestImage im{3, 2, 8, 3, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  TOwned<TPNGObject> png = LoadPng(PngFile::Of(im, {{"PLTE", PalettePayload(3)}, {"tRNS", Bytes{255, 0}}}).GetBytes());
  FadePngAlpha(png.get(), 127);
  ASSERT_EQ(png->HeaderChunk()->ColourType, COLOR_RGBALPHA);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      const RGBQUAD c = PaletteColour(x);
      EXPECT_EQ(png->GetPixel(x, y), RGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
      EXPECT_EQ(png->AlphaRow(y)[x], x == 1 ? 0 : 127) << x << "," << y;
    }
}

TEST(PngFunctions, FadingHidesOnlyTheKeyPixelsOfA16BitPicture) {
  // The second pixel shows the key's colour but is not the key.
  const Samples pixels[] = {{0x0102, 0x0304, 0x0506}, {0x01FF, 0x0304, 0x0506}};
  const TestImage im{2, 1, 16, 2, 0, [&](uint32_t x, uint32_t) { return pixels[x]; }};
  TOwned<TPNGObject> png = LoadPng(PngFile::Of(im, {{"tRNS", Bytes{1, 2, 3, 4, 5, 6}}}).GetBytes());
  FadePngAlpha(png.get(), 127);
  ASSERT_EQ(png->HeaderChunk()->ColourType, COLOR_RGBALPHA);
  EXPECT_EQ(png->AlphaRow(0)[0], 0);
  EXPECT_EQ(png->AlphaRow(0)[1], int(std::nearbyint(255 / 256.0 * 128)));
}

TEST(PngFunctions, GreyingMovesColoursToTheirGreyLevel) {
  TOwned<TPNGObject> png = Solid(2, 2, Samples{200, 100, 50, 255});
  GreyPngColours(png.get(), 255);
  // 0.30 x 200 + 0.59 x 100 + 0.11 x 50 = 124.5, which rounds to the even 124.
  EXPECT_EQ(png->GetPixel(1, 1), RGB(124, 124, 124));
  TOwned<TPNGObject> half = Solid(1, 1, Samples{200, 100, 50, 255});
  GreyPngColours(half.get(), 127);
  // round(c / 256 x 128) + round(124 / 256 x 128)
  EXPECT_EQ(half->GetPixel(0, 0), RGB(100 + 62, 50 + 62, 25 + 62));
}

TEST(PngFunctions, TransportButtonLayout) {
  TOwned<TPNGObject> png = Solid(32, 32, Samples{1, 2, 3, 255});
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
  TOwned<TPngSpeedButton> button(TPngSpeedButton::Create(nullptr));
  button->SetBounds(0, 0, 35, 35);
  button->SetFlat(true);
  button->SetLayout(blGlyphTop);
  button->SetSpacing(0);
  TOwned<TPNGObject> png = Solid(32, 32, Samples{200, 10, 10, 255});
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
  TOwned<TPNGObject> png = LoadPng(PngFile::Of(im, {{"gAMA", BigEndian32(45454)}}).GetBytes());
  TOwned<TPngSpeedButton> button(TPngSpeedButton::Create(nullptr));
  button->SetPngImage(png.get());
  EXPECT_EQ(button->GetPngImage()->ChunkList->Find<TChunkgAMA>(), nullptr);
  EXPECT_NE(png->ChunkList->Find<TChunkgAMA>(), nullptr);
  button->SetPngImage(nullptr);
  EXPECT_TRUE(button->GetPngImage()->GetEmpty());
  EXPECT_EQ(button->GetGlyph()->GetWidth(), 0);
}

TEST(PngFunctions, PictureFromAnImageListIcon) {
  TOwned<TCustomImageList> images(TCustomImageList::Create(nullptr));
  images->SetWidth(4);
  images->SetHeight(4);
  TOwned<TBitmap> image(TBitmap::Create()), mask(TBitmap::Create());
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
  TOwned<TPNGObject> png(TPNGObject::Create());
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

namespace {

// An image list of 12 x 12 images, each one colour and fully opaque.
TOwned<TCustomImageList> SolidImages(std::initializer_list<COLORREF> colours) {
  TOwned<TCustomImageList> images(TCustomImageList::Create(nullptr));
  images->SetWidth(12);
  images->SetHeight(12);
  for (COLORREF c : colours) {
    TOwned<TBitmap> image(TBitmap::Create()), mask(TBitmap::Create());
    image->SetPixelFormat(pf24bit);
    image->SetSize(12, 12);
    image->GetCanvas()->GetBrush()->SetColor(TColor(c));
    image->GetCanvas()->FillRect(RECT{0, 0, 12, 12});
    mask->SetMonochrome(true);
    mask->SetSize(12, 12);
    mask->GetCanvas()->GetBrush()->SetColor(clBlack);
    mask->GetCanvas()->FillRect(RECT{0, 0, 12, 12});
    images->Add(image.get(), mask.get());
  }
  return images;
}

struct ActionButton {
  TOwned<TActionList> list{TActionList::Create(nullptr)};
  TOwned<TAction> action{TAction::Create(nullptr)};
  TOwned<TPngSpeedButton> button{TPngSpeedButton::Create(nullptr)};
  ActionButton(TCustomImageList* images, int index) {
    list->SetImages(images);
    action->SetActionList(list.get());
    action->SetImageIndex(index);
    action->OnExecute = Bind(this, &ActionButton::Run);
    button->SetBounds(0, 0, 20, 20);
    button->SetAction(action.get());
  }
  void Run(TObject*) {}
  // The colour at the middle of the button's 12 x 12 picture (centred at 4, 4).
  COLORREF Middle() {
    MemoryBitmap target(20, 20, RGB(0, 0, 0));
    button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
    return target.Pixel(10, 10);
  }
};

}  // namespace

TEST(PngSpeedButton, ShowsTheActionsImageFadedWhenTheActionIsDisabled) {
  TOwned<TCustomImageList> images = SolidImages({RGB(0, 0, 255), RGB(30, 200, 40)});
  ActionButton b(images.get(), 1);
  EXPECT_TRUE(b.button->GetImageFromAction());
  EXPECT_EQ(b.button->GetPngImage()->GetWidth(), 12);
  EXPECT_EQ(b.button->GetGlyph()->GetWidth(), 12);
  EXPECT_EQ(b.Middle(), RGB(30, 200, 40));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  b.action->SetEnabled(false);
  EXPECT_FALSE(b.button->GetEnabled());
  EXPECT_EQ(b.Middle(),
            RGB(Blend(30, GetRValue(face), 128), Blend(200, GetGValue(face), 128), Blend(40, GetBValue(face), 128)));
  b.button->SetPngOptions({pngGrayscaleOnDisabled});
  // round(0.30 x 30 + 0.59 x 200 + 0.11 x 40) = 131
  EXPECT_EQ(b.Middle(), RGB(131, 131, 131));
  // A picture from the action follows the action's later changes.
  b.action->SetEnabled(true);
  b.action->SetImageIndex(0);
  EXPECT_EQ(b.Middle(), RGB(0, 0, 255));
}

TEST(PngSpeedButton, KeepsItsPictureWhenTheActionHasNoImageForIt) {
  TOwned<TCustomImageList> images = SolidImages({RGB(0, 0, 255)});
  // Index beyond the list: nothing yet, but the picture arrives with the image.
  ActionButton beyond(images.get(), 1);
  EXPECT_FALSE(beyond.button->GetImageFromAction());
  EXPECT_TRUE(beyond.button->GetPngImage()->GetEmpty());
  TOwned<TCustomImageList> more = SolidImages({RGB(0, 0, 255), RGB(250, 250, 0)});
  beyond.list->SetImages(more.get());
  EXPECT_EQ(beyond.Middle(), RGB(250, 250, 0));
  // The list's image list freed: the button keeps what it shows.
  more.reset();
  EXPECT_EQ(beyond.list->GetImages(), nullptr);
  EXPECT_EQ(beyond.Middle(), RGB(250, 250, 0));

  // A picture set directly is not replaced by the action's.
  TOwned<TPngSpeedButton> own(TPngSpeedButton::Create(nullptr));
  own->SetBounds(0, 0, 20, 20);
  TOwned<TPNGObject> png = Solid(12, 12, Samples{9, 99, 199, 255});
  own->SetPngImage(png.get());
  ActionButton b(images.get(), 0);
  own->SetAction(b.action.get());
  b.action->SetHint("Looks the disc up");
  EXPECT_FALSE(own->GetImageFromAction());
  EXPECT_EQ(own->GetPngImage()->GetPixel(5, 5), RGB(9, 99, 199));
}

TEST(PngSpeedButton, MarginPlacesThePictureAndTheCaptionFollows) {
  TOwned<TPngSpeedButton> button(TPngSpeedButton::Create(nullptr));
  button->SetBounds(0, 0, 97, 33);
  TOwned<TPNGObject> png = Solid(24, 24, Samples{200, 10, 10, 255});
  button->SetPngImage(png.get());
  button->SetMargin(3);
  button->SetCaption("freecddb");
  button->GetFont()->SetColor(clBlack);
  MemoryBitmap target(97, 33, RGB(0, 0, 0));
  button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
  // The picture starts at the margin, vertically centred: (33 - 24 + 1) div 2 = 5.
  EXPECT_EQ(target.Pixel(3, 5), RGB(200, 10, 10));
  EXPECT_EQ(target.Pixel(26, 28), RGB(200, 10, 10));
  EXPECT_NE(target.Pixel(2, 5), RGB(200, 10, 10));
  // The caption is painted after the picture and its default spacing, never over it.
  int firstInk = -1;
  for (int x = 27; x < 97 && firstInk < 0; ++x)
    for (int y = 0; y < 33; ++y)
      if (target.Pixel(x, y) == RGB(0, 0, 0) && y > 2 && y < 30) {
        firstInk = x;
        break;
      }
  EXPECT_GE(firstInk, 3 + 24 + 4);
  EXPECT_LE(firstInk, 3 + 24 + 4 + 3);
}
