// Reading: every colour type and depth, plain and interlaced, compared with
// samples computed here; ancillary chunks; and hostile files, which must fail
// with the right error and never crash or hang.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/ClassRegistry.h"
#include "framework/MemoryStreams.h"
#include "framework/Picture.h"
#include "skins/PngChunks.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "tests/skins_png/PngTestSupport.h"

TEST(PngRead, DecodesEveryColourTypeAndDepthPlainAndInterlaced) {
  // Sizes: odd widths that leave partial bytes, a 1x1, and one smaller than an
  // interlace block so that some passes are empty.
  const std::pair<uint32_t, uint32_t> sizes[] = {{13, 11}, {1, 1}, {3, 5}, {33, 9}};
  for (const auto& [type, depths] : ColourTypesAndDepths())
    for (uint8_t depth : depths)
      for (uint8_t interlace : {0, 1})
        for (const auto& [w, h] : sizes) {
          const TestImage im = Pattern(w, h, type, depth, interlace);
          SCOPED_TRACE(Describe(im));
          TOwned<TPNGObject> png = LoadImage(im);
          ASSERT_EQ(png->GetWidth(), int(w));
          ASSERT_EQ(png->GetHeight(), int(h));
          ExpectPixels(png.get(), im);
        }
}

TEST(PngRead, GreyOfDepthTwoShowsFourEvenLevels) {
  TestImage im{4, 1, 2, 0, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  TOwned<TPNGObject> png = LoadImage(im);
  EXPECT_EQ(png->GetPixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(png->GetPixel(1, 0), RGB(85, 85, 85));
  EXPECT_EQ(png->GetPixel(2, 0), RGB(170, 170, 170));
  EXPECT_EQ(png->GetPixel(3, 0), RGB(255, 255, 255));
}

TEST(PngRead, ImageDataSplitIntoTinyChunksDecodesTheSame) {
  for (size_t split : {1u, 2u, 7u}) {
    const TestImage im = Pattern(9, 7, 6, 8, 1);
    TOwned<TPNGObject> png = LoadImage(im, split);
    ExpectPixels(png.get(), im);
  }
}

TEST(PngRead, GammaChunkBuildsTheLookups) {
  const TestImage im{2, 1, 8, 2, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(64 + x), 128, 200}; }};
  for (uint32_t gamma : {45454u, 100000u}) {
    SCOPED_TRACE(gamma);
    TOwned<TPNGObject> png = LoadPng(PngFile::Of(im, {{"gAMA", BigEndian32(gamma)}}).GetBytes());
    const double e = 1.0 / ((gamma / 100000.0) * 2.2);
    auto expected = [e](int i) { return int(std::nearbyint(std::pow(i / 255.0, e) * 255)); };
    for (int i = 0; i < 256; ++i) ASSERT_EQ(png->GammaLut[i], expected(i)) << i;
    if (gamma == 45454) {
      for (int i = 0; i < 256; ++i) ASSERT_LE(std::abs(png->GammaLut[i] - i), 1) << i;
    }
    EXPECT_EQ(png->GetPixel(1, 0), RGB(expected(65), expected(128), expected(200)));
  }
}

TEST(PngRead, TransparencyChunkSetsTheKind) {
  const TestImage indexed{2, 1, 8, 3, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  const TestImage grey{2, 1, 8, 0, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x * 9)}; }};
  struct Case {
    const TestImage* image;
    Bytes trns;
    TPNGTransparencyMode kind;
    COLORREF colour;
  };
  const RGBQUAD first = PaletteColour(1);
  const Case cases[] = {
      {&indexed, {255, 0, 255}, ptmBit, RGB(first.rgbRed, first.rgbGreen, first.rgbBlue)},
      {&indexed, {100, 0}, ptmPartial, RGB(first.rgbRed, first.rgbGreen, first.rgbBlue)},
      // One half-transparent entry is blended, not masked with black as its colour.
      {&indexed, {255, 100}, ptmPartial, 0},
      {&grey, {0, 9}, ptmBit, RGB(9, 9, 9)},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<std::string, Bytes>> extra;
    if (c.image->colourType == 3) extra.emplace_back("PLTE", PalettePayload(256));
    extra.emplace_back("tRNS", c.trns);
    TOwned<TPNGObject> png = LoadPng(PngFile::Of(*c.image, extra).GetBytes());
    EXPECT_EQ(png->TransparencyKind(), c.kind);
    EXPECT_EQ(png->TransparentColour(), c.colour);
  }
}

TEST(PngRead, TextTimeAndCompressedTextAreParsed) {
  const TestImage im{1, 1, 8, 0, 0, [](uint32_t, uint32_t) { return Samples{5}; }};
  Bytes text{'T', 'i', 't', 'l', 'e', 0, 'H', 'i'};
  Bytes ztxt{'N', 'o', 't', 'e', 0, 0};
  const Bytes packed = Deflate(Bytes{'p', 'a', 'c', 'k', 'e', 'd'});
  ztxt.insert(ztxt.end(), packed.begin(), packed.end());
  TOwned<TPNGObject> png = LoadPng(
      PngFile::Of(im, {{"tEXt", text}, {"zTXt", ztxt}, {"tIME", Bytes{0x07, 0xEA, 12, 10, 13, 20, 59}}}).GetBytes());
  std::vector<std::string> texts;
  for (uint32_t i = 0; i < png->ChunkList->GetCount(); ++i)
    if (auto* t = dynamic_cast<TChunktEXt*>(png->ChunkList->GetItem(i))) texts.push_back(t->Keyword + "=" + t->Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Title=Hi", "Note=packed"}));
  auto* time = png->ChunkList->Find<TChunktIME>();
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(time->Year, 2026);
  EXPECT_EQ(time->Month, 12);
  EXPECT_EQ(time->Second, 59);
}

TEST(PngRead, KeepsAncillaryChunksDropsChromaAndLaterDataRuns) {
  const TestImage im{2, 2, 8, 0, 0, [](uint32_t x, uint32_t y) { return Samples{uint16_t(x + y)}; }};
  const Bytes data = Deflate(RawScanlines(im));
  const Bytes file = PngFile()
                         .Chunk("IHDR", IhdrPayload(2, 2, 8, 0))
                         .Chunk("cHRM", Bytes(32, 1))
                         .Chunk("pHYs", Bytes{0, 0, 1, 0, 0, 0, 1, 0, 1})
                         .Chunk("IDAT", data)
                         .Chunk("tEXt", Bytes{'a', 0, 'b'})
                         .Chunk("IDAT", Bytes{1, 2, 3})
                         .Chunk("IEND", {})
                         .GetBytes();
  TOwned<TPNGObject> png = LoadPng(file);
  std::vector<std::string> names;
  for (uint32_t i = 0; i < png->ChunkList->GetCount(); ++i) names.push_back(png->ChunkList->GetItem(i)->GetName());
  EXPECT_EQ(names, (std::vector<std::string>{"IHDR", "pHYs", "IDAT", "tEXt", "IEND"}));
  EXPECT_EQ(png->GetPixel(1, 1), RGB(2, 2, 2));
}

// --- hostile and broken files -------------------------------------------------

namespace {

const TestImage Small{4, 3, 8, 2, 0, [](uint32_t x, uint32_t y) { return Samples{uint16_t(x), uint16_t(y), 7}; }};

Bytes Truncated(size_t keep) {
  Bytes b = PngFile::Of(Small).GetBytes();
  b.resize(keep);
  return b;
}

Bytes WithHeader(const Bytes& ihdr) {
  return PngFile().Chunk("IHDR", ihdr).Chunk("IDAT", Deflate(Bytes(4, 0))).Chunk("IEND", {}).GetBytes();
}

Bytes WithData(const Bytes& idat, const std::string& after = "IEND", uint8_t interlace = 0) {
  return PngFile().Chunk("IHDR", IhdrPayload(4, 3, 8, 2, interlace)).Chunk("IDAT", idat).Chunk(after, {}).GetBytes();
}

// Small's scanlines with the filter byte at `at` set to `filter`.
Bytes WithFilter(size_t at, uint8_t filter, uint8_t interlace = 0) {
  TestImage im = Small;
  im.interlace = interlace;
  Bytes raw = RawScanlines(im);
  raw[at] = filter;
  return WithData(Deflate(raw), "IEND", interlace);
}

template <class E>
std::string NameOf() {
  return E::StaticClass()->ClassName();
}

}  // namespace

TEST(PngRead, BrokenFilesRaiseTheirErrors) {
  const Bytes good = PngFile::Of(Small).GetBytes();
  Bytes badSignature = good;
  badSignature[1] = 'X';
  Bytes huge = PngFile().GetBytes();
  huge.insert(huge.end(), {0xFF, 0xFF, 0xFF, 0xFF, 'I', 'H', 'D', 'R'});
  Bytes hugeLater = PngFile().Chunk("IHDR", IhdrPayload(4, 3, 8, 2)).GetBytes();
  hugeLater.insert(hugeLater.end(), {0xFF, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 0, 0, 0, 0});
  const Bytes raw = RawScanlines(Small);
  const Bytes packed = Deflate(raw);
  Bytes corrupt = packed;
  corrupt[0] = 0x00;  // not a zlib header
  const Bytes halfData(packed.begin(), packed.begin() + packed.size() / 2);
  // A zlib header asking for a preset dictionary, which no PNG has.
  Bytes dictionary{0x78, 0xF9, 0, 0, 0, 1};
  dictionary.insert(dictionary.end(), packed.begin() + 2, packed.end());

  struct Case {
    const char* what;
    Bytes file;
    std::string error;
  };
  const Case cases[] = {
      {"bad signature", badSignature, NameOf<EPNGInvalidFileHeader>()},
      {"empty", {}, NameOf<EPNGInvalidFileHeader>()},
      {"signature only", PngFile().GetBytes(), NameOf<EPngUnexpectedEnd>()},
      {"end chunk first", PngFile().Chunk("IEND", {}).GetBytes(), NameOf<EPNGIHDRNotFirst>()},
      {"bad header crc", PngFile().BadCrcChunk("IHDR", IhdrPayload(4, 3, 8, 2)).GetBytes(), NameOf<EPngInvalidCRC>()},
      {"bad data crc",
       PngFile().Chunk("IHDR", IhdrPayload(4, 3, 8, 2)).BadCrcChunk("IDAT", packed).Chunk("IEND", {}).GetBytes(),
       NameOf<EPngInvalidCRC>()},
      {"length 0xFFFFFFFF", huge, NameOf<EPngUnexpectedEnd>()},
      {"length beyond the file", hugeLater, NameOf<EPngUnexpectedEnd>()},
      {"cut in the header", Truncated(20), NameOf<EPngUnexpectedEnd>()},
      {"cut after the header", Truncated(33), NameOf<EPngUnexpectedEnd>()},
      {"cut in the data", Truncated(good.size() - 20), NameOf<EPngUnexpectedEnd>()},
      {"cut before the end chunk", Truncated(good.size() - 12), NameOf<EPngUnexpectedEnd>()},
      {"short header", WithHeader(Bytes(12, 0)), NameOf<EPngInvalidIHDR>()},
      {"width 65536", WithHeader(IhdrPayload(65536, 1, 8, 2)), NameOf<EPNGSizeExceeds>()},
      {"width 0xFFFFFFFF", WithHeader(IhdrPayload(0xFFFFFFFF, 1, 8, 2)), NameOf<EPNGSizeExceeds>()},
      {"byte count past 2 GiB", WithHeader(IhdrPayload(65535, 65535, 16, 6)), NameOf<EPNGSizeExceeds>()},
      {"compression 1", WithHeader(IhdrPayload(4, 3, 8, 2, 0, 1)), NameOf<EPNGUnknownCompression>()},
      {"interlace 2", WithHeader(IhdrPayload(4, 3, 8, 2, 2)), NameOf<EPNGUnknownInterlace>()},
      {"colour type 5", WithHeader(IhdrPayload(4, 3, 8, 5)), NameOf<EPngInvalidIHDR>()},
      {"RGB of depth 4", WithHeader(IhdrPayload(4, 3, 4, 2)), NameOf<EPngInvalidIHDR>()},
      {"indexed of depth 16", WithHeader(IhdrPayload(4, 3, 16, 3)), NameOf<EPngInvalidIHDR>()},
      {"indexed without palette", PngFile::Of(Pattern(2, 2, 3, 8, 0)).GetBytes(), NameOf<EPNGInvalidPalette>()},
      {"indexed with its palette after the data",
       PngFile()
           .Chunk("IHDR", IhdrPayload(2, 2, 8, 3))
           .Chunk("IDAT", Deflate(RawScanlines(Pattern(2, 2, 3, 8, 0))))
           .Chunk("PLTE", PalettePayload(4))
           .Chunk("IEND", {})
           .GetBytes(),
       NameOf<EPNGInvalidPalette>()},
      {"filter type 5 in the first row", WithFilter(0, 5), NameOf<EPngError>()},
      {"filter type 255 in the last row", WithFilter(2 * 13, 255), NameOf<EPngError>()},
      {"filter type 5 in an interlace pass", WithFilter(0, 5, 1), NameOf<EPngError>()},
      {"palette of 770 bytes",
       PngFile::Of(Pattern(2, 2, 3, 8, 0), {{"PLTE", Bytes(770, 1)}}).GetBytes(), NameOf<EPNGInvalidPalette>()},
      {"palette of 257 entries",
       PngFile::Of(Pattern(2, 2, 3, 8, 0), {{"PLTE", Bytes(771, 1)}}).GetBytes(), NameOf<EPNGInvalidPalette>()},
      {"transparency of 257 bytes",
       PngFile::Of(Pattern(2, 2, 3, 8, 0), {{"tRNS", Bytes(257, 1)}}).GetBytes(), NameOf<EPNGInvalidPalette>()},
      {"unknown critical chunk", PngFile::Of(Small, {{"XyZW", {1}}}).GetBytes(), NameOf<EPNGUnknownCriticalChunk>()},
      {"no image data", PngFile().Chunk("IHDR", IhdrPayload(4, 3, 8, 2)).Chunk("IEND", {}).GetBytes(),
       NameOf<EPNGNoImageData>()},
      {"corrupt compressed data", WithData(corrupt), NameOf<EPNGZLIBError>()},
      {"compressed data needing a dictionary", WithData(dictionary), NameOf<EPNGZLIBError>()},
      {"data continues in another chunk", WithData(halfData, "tEXt"), NameOf<EPNGMissingMultipleIDAT>()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      LoadPng(c.file);
      ADD_FAILURE() << "loaded";
    } catch (const Exception& e) {
      EXPECT_EQ(e.ClassName(), c.error);
    }
  }
}

TEST(PngRead, ErrorsCarryTheirTexts) {
  try {
    Bytes corrupt = Deflate(RawScanlines(Small));
    corrupt[0] = 0;
    LoadPng(WithData(corrupt));
    FAIL();
  } catch (const EPNGZLIBError& e) {
    EXPECT_EQ(e.GetMessage(),
              "Could not decompress the image because it contains invalid compressed data.\r\n Description: data "
              "error (-3)");
  }
  try {
    LoadPng(PngFile().Chunk("IEND", {}).GetBytes());
    FAIL();
  } catch (const EPNGIHDRNotFirst& e) {
    EXPECT_EQ(e.GetMessage(),
              "This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n(IHDR chunk is "
              "not the first)");
  }
}

TEST(PngRead, CompressedDataEndingEarlyOrRunningLongDoesNotHang) {
  Bytes oneRow = RawScanlines(Small);
  oneRow.resize(1 + 4 * 3);
  // The zlib stream ends after the first row with bytes left in the chunk:
  // the rows decoded so far stay, the rest stays cleared.
  Bytes trailing = Deflate(oneRow);
  trailing.insert(trailing.end(), {1, 2, 3, 4, 5});
  TOwned<TPNGObject> early = LoadPng(WithData(trailing));
  EXPECT_EQ(early->GetPixel(3, 0), RGB(3, 0, 7));
  EXPECT_EQ(early->GetPixel(3, 2), RGB(0, 0, 0));
  // Ending with the chunk: the next chunk would have to continue the data.
  EXPECT_THROW(LoadPng(WithData(Deflate(oneRow))), EPNGMissingMultipleIDAT);
  // Compressed data beyond the image is ignored.
  Bytes extra = RawScanlines(Small);
  extra.resize(extra.size() + 5000, 0);
  TOwned<TPNGObject> longer = LoadPng(WithData(Deflate(extra)));
  EXPECT_EQ(longer->GetPixel(3, 2), RGB(3, 2, 7));
}

TEST(PngRead, FailedLoadLeavesThePictureAsItWas) {
  auto load = [](TPNGObject* png, const Bytes& file) {
    TOwned<TMemoryStream> stream(TMemoryStream::Create());
    stream->WriteBuffer(file.data(), int32_t(file.size()));
    stream->SetPosition(0);
    png->LoadFromStream(stream.get());
  };
  // An empty picture stays empty: no header without a store is left behind.
  TOwned<TPNGObject> fresh(TPNGObject::Create());
  EXPECT_THROW(load(fresh.get(), WithHeader(IhdrPayload(65535, 65535, 16, 6))), EPNGSizeExceeds);
  EXPECT_TRUE(fresh->GetEmpty());
  MemoryBitmap untouched(4, 4, RGB(1, 2, 3));
  fresh->Draw(untouched.Canvas(), RECT{0, 0, 4, 4});
  EXPECT_EQ(untouched.Pixel(0, 0), RGB(1, 2, 3));

  // A picture keeps its pixels, chunks, gamma and interlacing, whatever the
  // failing file had read before it failed.
  const TestImage im = Pattern(6, 5, 0, 8, 1);
  const auto gamma = ExpectedGamma(100000);
  TOwned<TPNGObject> png(TPNGObject::Create());
  load(png.get(), PngFile::Of(im, {{"gAMA", BigEndian32(100000)}, {"tEXt", Bytes{'a', 0, 'b'}}}).GetBytes());
  const Bytes saved = SavePng(png.get());
  const Bytes good = PngFile::Of(Small).GetBytes();
  const Bytes failing[] = {
      WithFilter(2 * 13, 5),
      PngFile::Of(Pattern(2, 2, 3, 8, 0), {{"gAMA", BigEndian32(45454)}}).GetBytes(),
      WithHeader(IhdrPayload(4, 3, 16, 3)),
      WithHeader(IhdrPayload(65536, 1, 8, 2)),
      Truncated(good.size() - 20),
      PngFile().Chunk("IHDR", IhdrPayload(4, 3, 8, 2)).BadCrcChunk("IDAT", Deflate(RawScanlines(Small))).GetBytes(),
  };
  for (size_t i = 0; i < std::size(failing); ++i) {
    SCOPED_TRACE(i);
    EXPECT_THROW(load(png.get(), failing[i]), Exception);
    ExpectPixels(png.get(), im, gamma.data());
    for (int v = 0; v < 256; ++v) ASSERT_EQ(png->GammaLut[v], gamma[v]);
    EXPECT_EQ(png->InterlaceKind, 1);
    EXPECT_EQ(SavePng(png.get()), saved);
    MemoryBitmap target(6, 5, 0);
    png->Draw(target.Canvas(), RECT{0, 0, 6, 5});
    EXPECT_EQ(target.Pixel(5, 4), png->GetPixel(5, 4));
  }
}

TEST(PngRead, PicturesLoadPngFilesByExtension) {
  ASSERT_EQ(TPicture::FindGraphicClass(".png").Get(), TPNGObject::StaticClass());
  EXPECT_EQ(FindClass("TPNGObject"), TPNGObject::StaticClass());
  const TestImage im = Pattern(6, 4, 6, 8, 0);
  const Bytes file = PngFile::Of(im).GetBytes();
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"pr\u00fcfung.png";
  FILE* f = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  fwrite(file.data(), 1, file.size(), f);
  fclose(f);
  TOwned<TPicture> picture(TPicture::Create());
  char utf8[MAX_PATH * 3];
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  picture->LoadFromFile(utf8);
  _wremove(path.c_str());
  auto* png = dynamic_cast<TPNGObject*>(picture->GetGraphic());
  ASSERT_NE(png, nullptr);
  ExpectPixels(png, im);
}
