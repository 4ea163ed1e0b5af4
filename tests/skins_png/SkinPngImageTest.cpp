// The skin picture beside TPNGObject: the same pixels from the same files,
// the differences it is built with, its scaled alpha drawing and resizing, and
// the image list of skin pictures.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ComponentStreams.h"
#include "framework/Exceptions.h"
#include "framework/MemoryStreams.h"
#include "skins/PngHeaderChunk.h"
#include "skins/SkinPngImage.h"
#include "skins/SkinPngImageList.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

TOwned<TspPngImage> LoadSkin(const Bytes& file) {
  auto png = MakeOwned<TspPngImage>();
  auto stream = MakeOwned<TMemoryStream>();
  if (!file.empty()) stream->WriteBuffer(file.data(), int(file.size()));
  stream->SetPosition(0);
  png->LoadFromStream(stream.get());
  return png;
}

Bytes SaveSkin(TspPngImage* png) {
  auto stream = MakeOwned<TMemoryStream>();
  png->SaveToStream(stream.get());
  const auto* p = static_cast<const uint8_t*>(stream->GetMemory());
  return Bytes(p, p + stream->GetSize());
}

Bytes FileOf(const TestImage& im, std::vector<std::pair<std::string, Bytes>> extra = {}) {
  if (im.colourType == 3) extra.insert(extra.begin(), {"PLTE", PalettePayload(1u << std::min<int>(im.depth, 8))});
  return PngFile::Of(im, extra).GetBytes();
}

std::vector<std::string> Types(TPngPicture* png) {
  std::vector<std::string> t;
  for (uint32_t i = 0; i < png->ChunkList->GetCount(); ++i) t.push_back(png->ChunkList->GetItem(i)->GetName());
  return t;
}

const TestImage Rgba24 = Pattern(24, 24, 6, 8, 0);

}  // namespace

TEST(SkinPngImage, DecodesEveryFixtureLikeThePngObject) {
  for (const auto& [type, depths] : ColourTypesAndDepths())
    for (uint8_t depth : depths)
      for (uint8_t interlace : {0, 1}) {
        const TestImage im = Pattern(13, 9, type, depth, interlace);
        const Bytes file = FileOf(im, {{"gAMA", BigEndian32(45455)}});
        TOwned<TPNGObject> reference = LoadPng(file);
        auto skin = LoadSkin(file);
        ASSERT_FALSE(skin->GetEmpty()) << Describe(im);
        for (int y = 0; y < 9; ++y)
          for (int x = 0; x < 13; ++x) {
            ASSERT_EQ(skin->GetPixel(x, y), reference->GetPixel(x, y)) << Describe(im) << " " << x << "," << y;
            if (reference->AlphaRow(y)) {
              ASSERT_EQ(skin->AlphaRow(y)[x], reference->AlphaRow(y)[x]);
            }
          }
        // Indexed and grey stores keep their palette in the header.
        if (skin->HeaderChunk()->StoredBitCount() <= 8) {
          EXPECT_NE(skin->GetPalette(), nullptr) << Describe(im);
        }
        // Written and read again, still the same.
        auto again = LoadSkin(SaveSkin(skin.get()));
        EXPECT_EQ(again->GetPixel(7, 5), reference->GetPixel(7, 5)) << Describe(im);
      }
}

TEST(SkinPngImage, DiffersWhereItIsMeantTo) {
  const TestImage rgb = Pattern(8, 6, 2, 8, 0);
  // Not a PNG at all: an empty picture and no error.
  auto none = LoadSkin(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
  EXPECT_TRUE(none->GetEmpty());
  EXPECT_EQ(none->GetWidth(), 0);
  EXPECT_EQ(none->GetPixel(0, 0), 0u);

  // A bad image-data CRC keeps the rows decoded and the chunks up to it.
  const Bytes header = IhdrPayload(8, 6, 8, 2);
  const Bytes data = Deflate(RawScanlines(rgb));
  PngFile badCrc;
  badCrc.Chunk("IHDR", header).Chunk("tEXt", Bytes{'k', 0, 'v'}).BadCrcChunk("IDAT", data).Chunk("IEND", {});
  EXPECT_THROW(LoadPng(badCrc.GetBytes()), Exception);
  auto kept = LoadSkin(badCrc.GetBytes());
  EXPECT_EQ(Types(kept.get()), (std::vector<std::string>{"IHDR", "tEXt", "IDAT"}));
  TOwned<TPNGObject> good = LoadPng(FileOf(rgb));
  EXPECT_EQ(kept->GetPixel(7, 5), good->GetPixel(7, 5));

  // An unknown critical chunk stays and is written back unchanged.
  const Bytes odd{1, 2, 3, 4, 5};
  PngFile critical;
  critical.Chunk("IHDR", header).Chunk("ABCD", odd).Chunk("IDAT", data).Chunk("IEND", {});
  EXPECT_THROW(LoadPng(critical.GetBytes()), Exception);
  auto withOdd = LoadSkin(critical.GetBytes());
  EXPECT_EQ(Types(withOdd.get()), (std::vector<std::string>{"IHDR", "ABCD", "IDAT", "IEND"}));
  EXPECT_EQ(ChunksOf(SaveSkin(withOdd.get()))[1], (std::pair<std::string, Bytes>{"ABCD", odd}));

  // The physical size: 9 bytes round-trip; any other length gives zeros, written as 9 zero bytes.
  const Bytes phys{0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x14, 1};
  for (const Bytes& payload : {phys, Bytes{1, 2, 3, 4, 5}}) {
    auto png = LoadSkin(FileOf(rgb, {{"pHYs", payload}}));
    auto* layer = dynamic_cast<TspPngLayerpHYs*>(png->ChunkList->FindByClass(TspPngLayerpHYs::StaticClass()));
    ASSERT_NE(layer, nullptr);
    const bool nine = payload.size() == 9;
    EXPECT_EQ(layer->PixelsPerUnitX, nine ? 2835u : 0u);
    EXPECT_EQ(layer->PixelsPerUnitY, nine ? 2836u : 0u);
    EXPECT_EQ(layer->UnitSpecifier, nine ? 1 : 0);
    for (const auto& [type, bytes] : ChunksOf(SaveSkin(png.get())))
      if (type == "pHYs") {
        EXPECT_EQ(bytes, nine ? phys : Bytes(9, 0));
      }
  }
  // Only one physical-size chunk, placed after the header; TPNGObject does not know the kind.
  auto png = LoadSkin(FileOf(rgb));
  EXPECT_NE(png->ChunkList->AddByClass(TspPngLayerpHYs::StaticClass()), nullptr);
  EXPECT_EQ(png->ChunkList->AddByClass(TspPngLayerpHYs::StaticClass()), nullptr);
  EXPECT_EQ(png->ChunkList->GetItem(1)->GetName(), "pHYs");

  // A header that fails its checks stays, without pixels: the picture counts as empty.
  PngFile huge;
  huge.Chunk("IHDR", IhdrPayload(70000, 6, 8, 2)).Chunk("IDAT", data).Chunk("IEND", {});
  auto bad = LoadSkin(huge.GetBytes());
  EXPECT_EQ(Types(bad.get()), std::vector<std::string>{"IHDR"});
  EXPECT_TRUE(bad->GetEmpty());
  MemoryBitmap target(10, 10, RGB(1, 2, 3));
  bad->Draw(target.Canvas(), RECT{0, 0, 10, 10});
  bad->ResizeTo(5, 5);
  bad->SetPixel(0, 0, 0);
  EXPECT_EQ(bad->GetPixel(0, 0), 0u);
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->Assign(bad.get());
  EXPECT_TRUE(bitmap->GetEmpty());
  EXPECT_EQ(target.Pixel(5, 5), RGB(1, 2, 3));

  // Assigning nothing empties the picture.
  png->Assign(nullptr);
  EXPECT_TRUE(png->GetEmpty());
  EXPECT_EQ(png->ChunkList->GetCount(), 0u);
}

TEST(SkinPngImage, AssignedToABitmapItPicksThePixelFormat) {
  struct Case {
    uint8_t colourType, depth;
    TPixelFormat format;
  };
  for (const Case& c : {Case{6, 8, pf24bit}, Case{4, 8, pf24bit}, Case{0, 1, pf1bit}, Case{0, 2, pf4bit},
                        Case{3, 4, pf4bit}, Case{3, 8, pf8bit}, Case{2, 8, pf24bit}, Case{2, 16, pf24bit},
                        Case{0, 16, pf24bit}}) {
    const TestImage im = Pattern(6, 5, c.colourType, c.depth, 0);
    auto png = LoadSkin(FileOf(im));
    auto bitmap = MakeOwned<TBitmap>();
    bitmap->Assign(png.get());
    EXPECT_EQ(bitmap->GetPixelFormat(), c.format) << Describe(im);
    EXPECT_EQ(bitmap->GetWidth(), 6);
    EXPECT_EQ(bitmap->GetHeight(), 5);
  }
  // An RGB picture comes back with its pixels, and a bitmap goes in again.
  const TestImage rgb = Pattern(6, 5, 2, 8, 0);
  auto png = LoadSkin(FileOf(rgb));
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->Assign(png.get());
  auto back = MakeOwned<TspPngImage>();
  back->Assign(bitmap.get());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(back->GetPixel(x, y), png->GetPixel(x, y));
}

TEST(SkinPngImage, AlphaDrawingScalesAndResizingKeepsTheCorner) {
  TOwned<TPNGObject> reference = LoadImage(Rgba24);
  auto png = LoadSkin(FileOf(Rgba24));
  const COLORREF back = RGB(10, 200, 60);
  MemoryBitmap a(24, 24, back), b(24, 24, back), big(48, 48, back);
  reference->Draw(a.Canvas(), RECT{0, 0, 24, 24});
  png->Draw(b.Canvas(), RECT{0, 0, 24, 24});
  png->Draw(big.Canvas(), RECT{0, 0, 48, 48});
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      ASSERT_EQ(b.Pixel(x, y), a.Pixel(x, y)) << x << "," << y;
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) ASSERT_EQ(big.Pixel(2 * x + dx, 2 * y + dy), a.Pixel(x, y)) << x << "," << y;
    }
  // A reversed rectangle draws the same; an empty one nothing.
  MemoryBitmap reversed(24, 24, back);
  png->DrawWithAlpha(reversed.DC(), RECT{24, 24, 0, 0});
  EXPECT_EQ(reversed.Pixel(5, 7), a.Pixel(5, 7));
  MemoryBitmap untouched(24, 24, back);
  png->DrawWithAlpha(untouched.DC(), RECT{3, 3, 3, 20});
  EXPECT_EQ(untouched.Pixel(3, 5), back);
  // 24 rows drawn into 7: every source row stays inside the picture.
  MemoryBitmap squeezed(24, 7, back);
  png->Draw(squeezed.Canvas(), RECT{0, 0, 24, 7});

  png->ResizeTo(30, 20);
  ASSERT_EQ(png->GetWidth(), 30);
  ASSERT_EQ(png->GetHeight(), 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      if (x < 24) {
        ASSERT_EQ(png->GetPixel(x, y), reference->GetPixel(x, y)) << x << "," << y;
        ASSERT_EQ(png->AlphaRow(y)[x], reference->AlphaRow(y)[x]) << x << "," << y;
      } else {
        ASSERT_EQ(png->GetPixel(x, y), RGB(0, 0, 0)) << x << "," << y;
        ASSERT_EQ(png->AlphaRow(y)[x], 255) << x << "," << y;
      }
    }
  png->SetWidth(10);
  EXPECT_EQ(png->GetWidth(), 10);
  EXPECT_EQ(png->GetPixel(9, 19), reference->GetPixel(9, 19));
}

TEST(SkinPngImageList, ItemsPlaceholdersAndDisabledImages) {
  auto list = MakeOwned<TspPngImageList>(nullptr);
  list->SetPngWidth(24);
  list->SetPngHeight(24);
  auto* first = static_cast<TspPngImageItem*>(list->GetPngImages()->Add());
  EXPECT_EQ(first->GetName(), "PngImage0");
  EXPECT_EQ(list->GetCount(), 1);
  for (int i = 0; i < 3; ++i) list->GetPngImages()->Add();
  EXPECT_EQ(list->GetPngImages()->Items(3)->GetDisplayName(), "PngImage3");
  EXPECT_EQ(list->GetCount(), 4);
  list->GetPngImages()->Delete(1);
  EXPECT_EQ(list->GetCount(), 3);
  EXPECT_EQ(list->GetPngImages()->Items(1)->GetName(), "PngImage2");

  // A new size at run time clears the items.
  list->SetPngWidth(32);
  EXPECT_EQ(list->GetPngImages()->GetCount(), 0);
  EXPECT_EQ(list->GetCount(), 0);

  // Read from a form: the size comes after the items and clears nothing; the
  // placeholders come back when loading ends.
  {
    auto source = MakeOwned<TspPngImageList>(nullptr);
    source->SetName("spPngImageList");
    source->SetPngWidth(24);
    source->SetPngHeight(24);
    for (int i = 0; i < 2; ++i) {
      auto* item = static_cast<TspPngImageItem*>(source->GetPngImages()->Add());
      auto picture = LoadSkin(FileOf(Rgba24));
      item->SetPngImage(picture.get());
    }
    auto stream = MakeOwned<TMemoryStream>();
    WriteComponent(stream.get(), source.get());
    stream->SetPosition(0);
    TOwned<TComponent> read(ReadComponent(stream.get(), nullptr));
    auto* copy = dynamic_cast<TspPngImageList*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetPngImages()->GetCount(), 2);
    EXPECT_EQ(copy->GetCount(), 2);
    EXPECT_EQ(copy->GetWidth(), 24);
    EXPECT_EQ(copy->GetPngImages()->Items(1)->GetPngImage()->GetPixel(3, 4), LoadSkin(FileOf(Rgba24))->GetPixel(3, 4));
  }

  // Disabled: every alpha a becomes round-half-even(a / 256 * 128).
  list->SetPngWidth(24);
  auto picture = LoadSkin(FileOf(Rgba24));
  static_cast<TspPngImageItem*>(list->GetPngImages()->Add())->SetPngImage(picture.get());
  auto expected = MakeOwned<TspPngImage>();
  expected->Assign(picture.get());
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      expected->AlphaRow(y)[x] = uint8_t(std::nearbyint(picture->AlphaRow(y)[x] / 256.0 * 128));
  const COLORREF back = RGB(200, 30, 90);
  MemoryBitmap disabled(24, 24, back), reference(24, 24, back), enabled(24, 24, back);
  list->Draw(disabled.Canvas(), 0, 0, 0, false);
  list->Draw(enabled.Canvas(), 0, 0, 0, true);
  expected->Draw(reference.Canvas(), RECT{0, 0, 24, 24});
  int differ = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      ASSERT_EQ(disabled.Pixel(x, y), reference.Pixel(x, y)) << x << "," << y;
      differ += enabled.Pixel(x, y) != disabled.Pixel(x, y);
    }
  EXPECT_GT(differ, 100);
}
