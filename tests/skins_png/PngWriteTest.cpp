// Writing: what the writer puts in the file is checked with zlib directly, and
// every colour type and depth survives a write and a read.
#include <gtest/gtest.h>

#include "skins/PngChunks.h"
#include "skins/PngHeaderChunk.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

Bytes ImageData(const Bytes& file) {
  Bytes packed;
  for (const auto& [type, payload] : ChunksOf(file))
    if (type == "IDAT") packed.insert(packed.end(), payload.begin(), payload.end());
  return Inflate(packed);
}

std::vector<std::string> NamesOf(const Bytes& file) {
  std::vector<std::string> names;
  for (const auto& chunk : ChunksOf(file)) names.push_back(chunk.first);
  return names;
}

}  // namespace

TEST(PngWrite, EveryColourTypeAndDepthSurvivesWriteAndRead) {
  for (const auto& [type, depths] : ColourTypesAndDepths())
    for (uint8_t depth : depths)
      for (uint8_t interlace : {0, 1}) {
        const TestImage im = Pattern(11, 10, type, depth, interlace);
        SCOPED_TRACE(Describe(im));
        TOwned<TPNGObject> png = LoadImage(im);
        png->FilterSet = {pfNone, pfSub, pfUp, pfAverage, pfPaeth};
        TOwned<TPNGObject> again = LoadPng(SavePng(png.get()));
        ExpectPixels(again.get(), im);
        EXPECT_EQ(again->InterlaceKind, interlace);
      }
}

TEST(PngWrite, DefaultFilterIsSubOnEveryRowAndSamplesAreExact) {
  const TestImage im = Pattern(5, 4, 6, 8, 0);
  TOwned<TPNGObject> png = LoadImage(im);
  const Bytes raw = ImageData(SavePng(png.get()));
  ASSERT_EQ(raw.size(), 4u * (1 + 5 * 4));
  for (uint32_t y = 0; y < 4; ++y) {
    const uint8_t* row = raw.data() + y * 21;
    ASSERT_EQ(row[0], 1) << "filter of row " << y;
    Bytes samples(row + 1, row + 21);
    for (size_t i = 4; i < samples.size(); ++i) samples[i] = uint8_t(samples[i] + samples[i - 4]);
    for (uint32_t x = 0; x < 5; ++x) {
      const Samples s = im.pixel(x, y);
      EXPECT_EQ(Bytes(samples.begin() + x * 4, samples.begin() + x * 4 + 4),
                (Bytes{uint8_t(s[0]), uint8_t(s[1]), uint8_t(s[2]), uint8_t(s[3])}));
    }
  }
}

TEST(PngWrite, FilterChoiceKeepsTheEarlierFilterOnTies) {
  // A flat image scores best without filtering: None wins over Sub and ties with Up.
  const TestImage flat{6, 3, 8, 2, 0, [](uint32_t, uint32_t) { return Samples{9, 9, 9}; }};
  TOwned<TPNGObject> png = LoadImage(flat);
  png->FilterSet = {pfNone, pfSub, pfUp, pfAverage, pfPaeth};
  const Bytes raw = ImageData(SavePng(png.get()));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(raw[y * 19], 0) << y;
  // Only Up enabled: chosen at once for every row.
  png->FilterSet = {pfUp};
  const Bytes up = ImageData(SavePng(png.get()));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(up[y * 19], 2) << y;
}

TEST(PngWrite, KeepsChunkOrderAndCutsDataIntoChunksOfAtMost65535Bytes) {
  // Noise does not compress, so the data needs several chunks.
  uint32_t seed = 12345;
  const TestImage noisy{200, 120, 8, 6, 0, [&seed](uint32_t, uint32_t) {
                          Samples s{};
                          for (auto& v : s) v = uint16_t((seed = seed * 1103515245 + 12345) >> 24);
                          return s;
                        }};
  const Bytes data = Deflate(RawScanlines(noisy));
  const Bytes file = PngFile()
                         .Chunk("IHDR", IhdrPayload(200, 120, 8, 6))
                         .Chunk("cHRM", Bytes(32, 1))
                         .Chunk("pHYs", Bytes{0, 0, 1, 0, 0, 0, 1, 0, 1})
                         .Chunk("IDAT", data)
                         .Chunk("tEXt", Bytes{'k', 0, 'v'})
                         .Chunk("IEND", {})
                         .GetBytes();
  TOwned<TPNGObject> png = LoadPng(file);
  const Bytes saved = SavePng(png.get());
  const auto chunks = ChunksOf(saved);
  std::vector<std::string> names;
  for (const auto& c : chunks)
    if (names.empty() || names.back() != c.first) names.push_back(c.first);
  EXPECT_EQ(names, (std::vector<std::string>{"IHDR", "pHYs", "IDAT", "tEXt", "IEND"}));
  EXPECT_EQ(chunks[1].second, (Bytes{0, 0, 1, 0, 0, 0, 1, 0, 1}));
  std::vector<size_t> sizes;
  for (const auto& c : chunks)
    if (c.first == "IDAT") sizes.push_back(c.second.size());
  ASSERT_GE(sizes.size(), 2u);
  for (size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], 65535u);
  EXPECT_GT(sizes.back(), 0u);
  EXPECT_LT(sizes.back(), 65535u);
  // The saved file reads back to the same pixels.
  TOwned<TPNGObject> again = LoadPng(saved);
  for (uint32_t y = 0; y < 120; y += 17)
    for (uint32_t x = 0; x < 200; x += 13) ASSERT_EQ(again->GetPixel(x, y), png->GetPixel(x, y));
}

TEST(PngWrite, AncillaryChunksAreRebuiltFromTheirFields) {
  const TestImage im{1, 1, 8, 0, 0, [](uint32_t, uint32_t) { return Samples{5}; }};
  const Bytes file = PngFile::Of(im, {{"tIME", Bytes{0x07, 0xEA, 1, 2, 3, 4, 5}},
                                      {"tEXt", Bytes{'a', 0, 'b'}},
                                      {"zTXt", [] {
                                         Bytes z{'z', 0, 0};
                                         const Bytes p = Deflate(Bytes{'x', 'y'});
                                         z.insert(z.end(), p.begin(), p.end());
                                         return z;
                                       }()}})
                         .GetBytes();
  TOwned<TPNGObject> png = LoadPng(file);
  png->ChunkList->Find<TChunktIME>()->Year = 1999;
  png->ChunkList->Find<TChunkzTXt>()->Text = "";
  const auto chunks = ChunksOf(SavePng(png.get()));
  ASSERT_EQ(chunks.size(), 6u);
  EXPECT_EQ(chunks[1].second, (Bytes{0x07, 0xCF, 1, 2, 3, 4, 5}));
  EXPECT_EQ(chunks[2].second, (Bytes{'a', 0, 'b'}));
  ASSERT_EQ(chunks[3].first, "zTXt");
  const Bytes& z = chunks[3].second;
  EXPECT_EQ(Bytes(z.begin(), z.begin() + 3), (Bytes{'z', 0, 0}));
  EXPECT_EQ(Inflate(Bytes(z.begin() + 3, z.end())), (Bytes{' '}));
}

TEST(PngWrite, SmallAndEmptyImages) {
  // 1x1 interlaced: one row in the first pass, nothing in the other six.
  const TestImage one{1, 1, 8, 2, 1, [](uint32_t, uint32_t) { return Samples{1, 2, 3}; }};
  TOwned<TPNGObject> png = LoadImage(one);
  png->FilterSet = {pfNone};
  EXPECT_EQ(ImageData(SavePng(png.get())), (Bytes{0, 1, 2, 3}));
  // Grey of depth 2 is written as depth 4 with the same levels.
  const TestImage grey2{4, 1, 2, 0, 0, [](uint32_t x, uint32_t) { return Samples{uint16_t(x)}; }};
  TOwned<TPNGObject> g = LoadImage(grey2);
  const Bytes saved = SavePng(g.get());
  EXPECT_EQ(ChunksOf(saved)[0].second[8], 4);
  TOwned<TPNGObject> again = LoadPng(saved);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(again->GetPixel(x, 0), RGB(85 * x, 85 * x, 85 * x));
  // Width 0: a header and image data without rows.
  const Bytes empty = PngFile()
                          .Chunk("IHDR", IhdrPayload(0, 3, 8, 2))
                          .Chunk("IDAT", Deflate({}))
                          .Chunk("IEND", {})
                          .GetBytes();
  TOwned<TPNGObject> none = LoadPng(empty);
  const Bytes written = SavePng(none.get());
  EXPECT_EQ(NamesOf(written), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  EXPECT_TRUE(ImageData(written).empty());
}

TEST(PngWrite, EmptyPictureWritesTheSignatureAlone) {
  TOwned<TPNGObject> png(TPNGObject::Create());
  EXPECT_EQ(SavePng(png.get()), (Bytes{137, 80, 78, 71, 13, 10, 26, 10}));
}
