// Pictures: JPEG and icon data, assignment between formats, the format registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "JpegFixtures.h"
#include "PixelProbe.h"
#include "framework/Icon.h"
#include "framework/JpegImage.h"
#include "framework/Picture.h"

namespace {

bool Near(COLORREF c, int r, int g, int b, int tol = 24) {
  return std::abs(GetRValue(c) - r) <= tol && std::abs(GetGValue(c) - g) <= tol && std::abs(GetBValue(c) - b) <= tol;
}

// A 16x16 icon: a red square with a transparent one-pixel border.
HICON MakeIcon() {
  TOwned<TBitmap> color(MakeBitmap(16, 16, clRed, pf32bit));
  TOwned<TBitmap> mask(MakeBitmap(16, 16, clWhite));
  mask->GetCanvas()->GetBrush()->SetColor(clBlack);
  mask->GetCanvas()->FillRect(RECT{1, 1, 15, 15});
  mask->SetMonochrome(true);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      static_cast<std::uint32_t*>(color->ScanLine(y))[x] = (x == 0 || y == 0 || x == 15 || y == 15) ? 0 : 0xFFFF0000u;
  mask->FreeContext();
  color->FreeContext();
  ICONINFO ii{TRUE, 0, 0, mask->GetHandle(), color->GetHandle()};
  return CreateIconIndirect(&ii);
}

}  // namespace

TEST(Jpeg, DecodesAFileMadeByAStandardTool) {
  TOwned<TJPEGImage> j(TJPEGImage::Create());
  j->LoadFromBytes(kRedBlueJpeg, sizeof kRedBlueJpeg);
  EXPECT_EQ(j->GetWidth(), 16);
  EXPECT_EQ(j->GetHeight(), 16);
  TOwned<TBitmap> target(MakeBitmap(20, 20, clWhite));
  target->GetCanvas()->Draw(2, 2, j.get());
  EXPECT_TRUE(Near(ProbePixel(target.get(), 4, 10), 255, 0, 0));
  EXPECT_TRUE(Near(ProbePixel(target.get(), 15, 10), 0, 0, 255));
  EXPECT_EQ(ProbePixel(target.get(), 19, 19), RGB(255, 255, 255));

  // Half scale decodes an 8x8 picture of the same halves.
  j->SetScale(jsHalf);
  EXPECT_EQ(j->GetWidth(), 8);
  TOwned<TBitmap> half(TBitmap::Create());
  half->Assign(j.get());
  EXPECT_EQ(half->GetWidth(), 8);
  EXPECT_TRUE(Near(ProbePixel(half.get(), 1, 4), 255, 0, 0));
  EXPECT_TRUE(Near(ProbePixel(half.get(), 6, 4), 0, 0, 255));
}

TEST(Jpeg, GreyscaleAndCmykFilesAndTheGreyscaleOption) {
  TOwned<TJPEGImage> g(TJPEGImage::Create());
  g->LoadFromBytes(kGreyJpeg, sizeof kGreyJpeg);
  EXPECT_TRUE(g->GetGrayscale());
  TOwned<TBitmap> b(TBitmap::Create());
  b->Assign(g.get());
  EXPECT_TRUE(Near(ProbePixel(b.get(), 8, 2), 255, 255, 255));
  EXPECT_TRUE(Near(ProbePixel(b.get(), 8, 13), 0, 0, 0));

  TOwned<TJPEGImage> k(TJPEGImage::Create());
  k->LoadFromBytes(kRedCmykJpeg, sizeof kRedCmykJpeg);
  b->Assign(k.get());
  EXPECT_TRUE(Near(ProbePixel(b.get(), 4, 4), 255, 0, 0));

  TOwned<TJPEGImage> c(TJPEGImage::Create());
  c->LoadFromBytes(kRedBlueJpeg, sizeof kRedBlueJpeg);
  c->SetGrayscale(true);
  b->Assign(c.get());
  COLORREF p = ProbePixel(b.get(), 2, 2);
  EXPECT_EQ(GetRValue(p), GetGValue(p));
  EXPECT_EQ(GetGValue(p), GetBValue(p));
}

TEST(Jpeg, BitmapRoundTripThroughCompression) {
  TOwned<TBitmap> src(MakeBitmap(24, 12, clLime));
  src->GetCanvas()->GetBrush()->SetColor(clNavy);
  src->GetCanvas()->FillRect(RECT{12, 0, 24, 12});
  TOwned<TJPEGImage> j(TJPEGImage::Create());
  j->Assign(src.get());
  j->SetCompressionQuality(85);
  std::vector<std::uint8_t> data = j->SaveToBytes();
  ASSERT_GT(data.size(), 100u);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[1], 0xD8);

  TOwned<TJPEGImage> back(TJPEGImage::Create());
  back->LoadFromBytes(data.data(), data.size());
  EXPECT_EQ(back->GetWidth(), 24);
  EXPECT_EQ(back->GetHeight(), 12);
  TOwned<TBitmap> out(TBitmap::Create());
  out->Assign(back.get());
  EXPECT_TRUE(Near(ProbePixel(out.get(), 3, 6), 0, 255, 0));
  EXPECT_TRUE(Near(ProbePixel(out.get(), 20, 6), 0, 0, 128));
  // Loaded data is saved again byte for byte.
  EXPECT_EQ(back->SaveToBytes(), data);
}

TEST(Jpeg, BrokenDataIsRefusedAndThePictureKept) {
  TOwned<TJPEGImage> j(TJPEGImage::Create());
  j->LoadFromBytes(kRedBlueJpeg, sizeof kRedBlueJpeg);
  std::vector<std::uint8_t> header(kRedBlueJpeg, kRedBlueJpeg + 40);  // cut inside the headers
  std::vector<std::uint8_t> notJpeg = {'B', 'M', 0, 0, 0, 0};
  std::vector<std::uint8_t> huge(kRedBlueJpeg, kRedBlueJpeg + sizeof kRedBlueJpeg);
  for (std::size_t i = 0; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {  // frame header: height and width to 65535
      huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF;
      break;
    }
  for (auto* bad : {&header, &notJpeg, &huge}) {
    EXPECT_THROW(j->LoadFromBytes(bad->data(), bad->size()), EInvalidGraphic);
    EXPECT_EQ(j->GetWidth(), 16);
  }
}

TEST(Icon, DrawsThroughItsMaskAndSavesAnIcoFile) {
  TOwned<TIcon> icon(TIcon::Create());
  icon->SetHandle(MakeIcon());
  EXPECT_EQ(icon->GetWidth(), 16);
  EXPECT_TRUE(icon->GetTransparent());
  EXPECT_THROW(icon->SetWidth(32), EInvalidGraphicOperation);
  TOwned<TBitmap> target(MakeBitmap(20, 20, clLime));
  target->GetCanvas()->Draw(2, 2, icon.get());
  EXPECT_EQ(ProbePixel(target.get(), 2, 2), RGB(0, 255, 0));
  EXPECT_EQ(ProbePixel(target.get(), 10, 10), RGB(255, 0, 0));

  std::vector<std::uint8_t> ico = icon->SaveToBytes();
  ASSERT_GT(ico.size(), 22u + 40u);
  EXPECT_EQ(ico[2], 1);  // an icon file of one image
  TOwned<TIcon> back(TIcon::Create());
  back->LoadFromBytes(ico.data(), ico.size());
  EXPECT_EQ(back->GetHeight(), 16);
  TOwned<TBitmap> t2(MakeBitmap(20, 20, clLime));
  t2->GetCanvas()->Draw(0, 0, back.get());
  EXPECT_EQ(ProbePixel(t2.get(), 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(ProbePixel(t2.get(), 8, 8), RGB(255, 0, 0));
  EXPECT_EQ(back->SaveToBytes(), ico);

  std::vector<std::uint8_t> broken = ico;
  broken[22 + 4] = 0xFF;  // image width far beyond an icon's
  broken[22 + 5] = 0x7F;
  EXPECT_THROW(back->LoadFromBytes(broken.data(), broken.size()), EInvalidGraphic);
  std::vector<std::uint8_t> offsetOut = ico;
  offsetOut[18] = 0xFF;  // image offset past the end
  EXPECT_THROW(back->LoadFromBytes(offsetOut.data(), offsetOut.size()), EInvalidGraphic);
  EXPECT_EQ(back->GetWidth(), 16);
}

namespace {
class TTestGraphic : public TBitmap {
  SONVELT_CLASS(TTestGraphic, TBitmap)
};
}  // namespace

TEST(Picture, RegistryFindsFormatsByExtension) {
  const struct { const char* ext; TClass cls; } cases[] = {
      {"bmp", TBitmap::StaticClass()},    {".BMP", TBitmap::StaticClass()}, {"ico", TIcon::StaticClass()},
      {"jpg", TJPEGImage::StaticClass()}, {"Jpeg", TJPEGImage::StaticClass()},
  };
  for (auto& c : cases) EXPECT_EQ(TPicture::FindGraphicClass(c.ext).Get(), c.cls) << c.ext;
  EXPECT_EQ(TPicture::FindGraphicClass("tst").Get(), nullptr);

  TPicture::RegisterFileFormat("tst", "Test pictures", TTestGraphic::StaticClass());
  EXPECT_EQ(TPicture::FindGraphicClass("TST").Get(), TTestGraphic::StaticClass());
  EXPECT_NE(GraphicFilter(TGraphic::StaticClass()).find("Test pictures (*.tst)|*.tst"), std::string::npos);
  EXPECT_EQ(GraphicFileMask(TBitmap::StaticClass()), "*.bmp;*.tst");
  EXPECT_EQ(GraphicExtension(TIcon::StaticClass()), "ico");
  TPicture::UnregisterGraphicClass(TTestGraphic::StaticClass());
  EXPECT_EQ(TPicture::FindGraphicClass("tst").Get(), nullptr);
  EXPECT_EQ(TPicture::FindGraphicClass("bmp").Get(), TBitmap::StaticClass());

  TOwned<TPicture> p(TPicture::Create());
  EXPECT_THROW(p->LoadFromFile("picture.xyz"), EInvalidGraphic);
  EXPECT_EQ(p->GetGraphic(), nullptr);
}

TEST(Picture, HoldsACopyAndForwardsChanges) {
  struct Counter {
    int n = 0;
    void Hit(TObject*) { ++n; }
  } counter;
  TOwned<TPicture> p(TPicture::Create());
  p->OnChange = Bind(&counter, &Counter::Hit);
  TOwned<TJPEGImage> j(TJPEGImage::Create());
  j->LoadFromBytes(kRedBlueJpeg, sizeof kRedBlueJpeg);
  p->SetGraphic(j.get());
  ASSERT_NE(p->GetGraphic(), j.get());
  EXPECT_EQ(p->GetGraphic()->ClassType(), TJPEGImage::StaticClass());
  EXPECT_EQ(p->GetWidth(), 16);
  int before = counter.n;
  static_cast<TJPEGImage*>(p->GetGraphic())->SetScale(jsQuarter);
  EXPECT_GT(counter.n, before);
  EXPECT_EQ(p->GetWidth(), 4);

  // Asking for the bitmap of a JPEG picture gives an empty bitmap in its place.
  TBitmap* b = p->GetBitmap();
  EXPECT_TRUE(b->GetEmpty());
  EXPECT_EQ(p->GetGraphic(), b);
  TOwned<TPicture> q(TPicture::Create());
  b->SetSize(3, 2);
  q->Assign(p.get());
  EXPECT_EQ(q->GetWidth(), 3);
  EXPECT_NE(q->GetGraphic(), p->GetGraphic());
}
