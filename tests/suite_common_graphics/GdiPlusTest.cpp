// GDI+ under Wine: binding, PNG pictures through memory streams, blending of
// image pixels and the picture-format registration.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "Surface.h"
#include "framework/MemoryStreams.h"
#include "framework/Picture.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/dxPNGImage.h"

namespace {

// A 32-bit bitmap of premultiplied pixels: opaque blue, a half-transparent red
// column and a transparent corner.
TOwned<TBitmap> Glyph(int W = 16, int H = 16) {
  TOwned<TBitmap> b(TBitmap::Create());
  b->SetPixelFormat(pf32bit);
  b->SetSize(W, H);
  TcxPixels p(static_cast<size_t>(W) * H, 0xFF0000FF);
  for (int y = 0; y < H; ++y) p[static_cast<size_t>(y) * W + 3] = 0x80800000;
  p[0] = 0;
  WriteBitmapPixels(b.get(), p);
  return b;
}

std::vector<std::uint8_t> Saved(TdxPNGImage* Png) {
  TOwned<TMemoryStream> s(TMemoryStream::Create());
  Png->SaveToStream(s.get());
  const auto* p = static_cast<const std::uint8_t*>(s->GetMemory());
  return std::vector<std::uint8_t>(p, p + s->GetSize());
}

TOwned<TdxPNGImage> Loaded(const std::vector<std::uint8_t>& Data, std::size_t Prefix = 0) {
  TOwned<TMemoryStream> s(TMemoryStream::Create());
  const std::vector<std::uint8_t> junk(Prefix, 0xAB);
  if (Prefix) s->WriteBuffer(junk.data(), static_cast<int>(Prefix));
  s->WriteBuffer(Data.data(), static_cast<int>(Data.size()));
  s->SetPosition(static_cast<std::int64_t>(Prefix));
  TOwned<TdxPNGImage> png(TdxPNGImage::Create());
  png->LoadFromStream(s.get());
  return png;
}

TcxPixels PixelsOf(TdxPNGImage* Png) {
  TOwned<TBitmap> b(Png->ToBitmap());
  return ReadBitmapPixels(b.get());
}

}  // namespace

TEST(GdiPlus, BoundAndRegisteredForPng) {
  ASSERT_TRUE(EnsureGdiPlusLoaded());
  EXPECT_EQ(CurrentImageClass().Get(), TdxGPImage::StaticClass());
  EXPECT_EQ(TPicture::FindGraphicClass("png").Get(), TdxPNGImage::StaticClass());
  const CLSID& png = EnsurePngEncoderId();
  const CLSID zero{};
  EXPECT_NE(std::memcmp(&png, &zero, sizeof zero), 0);
}

TEST(GdiPlus, PngRoundTripKeepsEveryPixel) {
  TOwned<TBitmap> glyph(Glyph());
  TOwned<TdxPNGImage> png(TdxPNGImage::Create());
  png->Assign(glyph.get());
  EXPECT_EQ(png->GetWidth(), 16);
  EXPECT_TRUE(png->UsesAlpha());
  const std::vector<std::uint8_t> data = Saved(png.get());
  ASSERT_GT(data.size(), 8u);
  EXPECT_EQ(std::memcmp(data.data(), "\x89PNG", 4), 0);
  // Read from the middle of a stream: only what follows the position is the image.
  TOwned<TdxPNGImage> back = Loaded(data, 37);
  EXPECT_EQ(back->GetWidth(), 16);
  EXPECT_EQ(back->GetHeight(), 16);
  EXPECT_TRUE(back->SamePixels(png.get()));
  EXPECT_EQ(PixelsOf(back.get()), ReadBitmapPixels(glyph.get()));
  TOwned<TBitmap> asBitmap(TBitmap::Create());
  asBitmap->Assign(back.get());
  EXPECT_EQ(ReadBitmapPixels(asBitmap.get()), ReadBitmapPixels(glyph.get()));
  back->SetWidth(3);
  EXPECT_EQ(back->GetWidth(), 16) << "the size is the image's";
}

TEST(GdiPlus, BitmapDataEmptyStreamsAndComparisons) {
  TOwned<TBitmap> plain(TBitmap::Create());
  plain->SetPixelFormat(pf24bit);
  plain->SetSize(5, 4);
  plain->GetCanvas()->GetBrush()->SetColor(clRed);
  plain->GetCanvas()->FillRect(RECT{0, 0, 5, 4});
  TOwned<TMemoryStream> bmp(TMemoryStream::Create());
  plain->SaveToStream(bmp.get());
  const auto* p = static_cast<const std::uint8_t*>(bmp->GetMemory());
  TOwned<TdxPNGImage> fromBmp = Loaded(std::vector<std::uint8_t>(p, p + bmp->GetSize()));
  EXPECT_EQ(fromBmp->GetWidth(), 5);
  EXPECT_EQ(PixelsOf(fromBmp.get()), TcxPixels(20, 0xFFFF0000)) << "24-bit data becomes opaque";
  EXPECT_FALSE(fromBmp->UsesAlpha());

  TOwned<TMemoryStream> empty(TMemoryStream::Create());
  fromBmp->LoadFromStream(empty.get());
  EXPECT_TRUE(fromBmp->GetEmpty());
  EXPECT_TRUE(Loaded({1, 2, 3})->GetEmpty()) << "too short to be a picture";

  TOwned<TdxPNGImage> a(TdxPNGImage::Create()), b(TdxPNGImage::Create());
  TOwned<TBitmap> g1(Glyph()), g2(Glyph());
  g2->GetCanvas()->SetPixels(9, 9, clLime);
  a->Assign(g1.get());
  b->Assign(g2.get());
  EXPECT_FALSE(a->SamePixels(b.get()));
  b->Assign(a.get());
  EXPECT_TRUE(a->SamePixels(b.get()));
  TOwned<TBitmap> small(Glyph(8, 8));
  b->Assign(small.get());
  EXPECT_FALSE(a->SamePixels(b.get()));
}

TEST(GdiPlus, BlendingImagePixels) {
  auto bits = [](std::uint32_t v, size_t n) { return std::make_shared<std::vector<std::uint32_t>>(n, v); };
  TOwned<TdxGPImage> a(TdxGPImage::CreateFromBits(4, 2, bits(0xFF204060, 8), true));
  TOwned<TdxGPImage> b(TdxGPImage::CreateFromBits(4, 2, bits(0x80000080, 8), true));
  const struct {
    std::uint8_t alpha;
    std::uint32_t want;
  } cases[] = {{0, 0xFF204060}, {255, 0x80000080}, {128, 0xBF102070}};
  for (const auto& k : cases) {
    TOwned<TdxGPImage> c(a->BlendWith(b.get(), k.alpha));
    ASSERT_TRUE(c) << int(k.alpha);
    EXPECT_EQ(*c->GetBits(), std::vector<std::uint32_t>(8, k.want)) << int(k.alpha);
  }
  TOwned<TdxGPImage> other(TdxGPImage::CreateFromBits(2, 4, bits(0, 8), true));
  EXPECT_EQ(a->BlendWith(other.get(), 128), nullptr) << "different sizes do not blend";
  TOwned<TdxGPImage> withoutBits(a->Clone());
  EXPECT_EQ(withoutBits->ImageSize().cx, 4);
}

TEST(GdiPlus, EnlargingReadsOnePixelLessOfTheSource) {
  // Blue with a red last column and row.
  TOwned<TBitmap> b(TBitmap::Create());
  b->SetPixelFormat(pf32bit);
  b->SetSize(16, 16);
  TcxPixels px(256, 0xFF0000FF);
  for (int i = 0; i < 16; ++i) px[static_cast<size_t>(i) * 16 + 15] = px[15 * 16 + static_cast<size_t>(i)] = 0xFFFF0000;
  WriteBitmapPixels(b.get(), px);
  TOwned<TdxPNGImage> png(TdxPNGImage::Create());
  png->Assign(b.get());
  TSurface same(40, 40, clWhite), large(40, 40, clWhite);
  png->PaintWhole(same.DC(), RECT{0, 0, 16, 16});
  png->PaintWhole(large.DC(), RECT{0, 0, 32, 32});
  EXPECT_EQ(same.Pixel(15, 4), RGB(255, 0, 0)) << "at its own size every pixel is read";
  EXPECT_EQ(same.Pixel(4, 4), RGB(0, 0, 255));
  EXPECT_NE(large.Pixel(31, 4), RGB(255, 0, 0)) << "enlarged, the last column is only blended in";
  EXPECT_EQ(large.Pixel(32, 4), RGB(255, 255, 255));
}

namespace {

class TOtherPng : public TGraphic {
  SONVELT_CLASS(TOtherPng, TGraphic)
public:
  void Draw(TCanvas*, const RECT&) override {}
  bool GetEmpty() const override { return true; }
  int GetWidth() const override { return 0; }
  void SetWidth(int) override {}
  int GetHeight() const override { return 0; }
  void SetHeight(int) override {}
  void LoadFromStream(TStream*) override {}
  void SaveToStream(TStream*) override {}
};

}  // namespace

TEST(GdiPlus, AnEarlierPngCodecStaysTheOneLoadedByExtension) {
  TPicture::UnregisterGraphicClass(TdxPNGImage::StaticClass());
  TPicture::RegisterFileFormat("png", "Other", TOtherPng::StaticClass());
  TPicture::RegisterFileFormat("apng", "Other animated", TOtherPng::StaticClass());
  RegisterPngPictureFormat();
  EXPECT_EQ(TPicture::FindGraphicClass("png").Get(), TOtherPng::StaticClass());
  EXPECT_EQ(TPicture::FindGraphicClass("apng").Get(), TOtherPng::StaticClass());
  int suiteEntries = 0;
  for (const TFileFormat& f : TPicture::FileFormats()) suiteEntries += f.GraphicClass.Get() == TdxPNGImage::StaticClass();
  EXPECT_EQ(suiteEntries, 1);
  TPicture::UnregisterGraphicClass(TOtherPng::StaticClass());
  EXPECT_EQ(TPicture::FindGraphicClass("png").Get(), TdxPNGImage::StaticClass());
}
