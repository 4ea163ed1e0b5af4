// Bitmaps: formats and scan lines, resizing, transparency and masks, stretching,
// BMP data in and out.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "PixelProbe.h"
#include "framework/Bitmap.h"
#include "framework/DibFormat.h"

namespace {

// Writes colour (r, g, b) at pixel x of a scan line in the given format.
void PutPixel(TPixelFormat f, void* line, int x, int r, int g, int b) {
  auto* p = static_cast<std::uint8_t*>(line);
  switch (f) {
    case pf32bit: p[x * 4] = b, p[x * 4 + 1] = g, p[x * 4 + 2] = r, p[x * 4 + 3] = 0x80; break;
    case pf24bit: p[x * 3] = b, p[x * 3 + 1] = g, p[x * 3 + 2] = r; break;
    case pf16bit: reinterpret_cast<std::uint16_t*>(p)[x] = static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); break;
    case pf15bit: reinterpret_cast<std::uint16_t*>(p)[x] = static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)); break;
    default: break;
  }
}

}  // namespace

TEST(Bitmap, ScanLineRowsReachGdiInEveryTrueColourFormat) {
  for (TPixelFormat f : {pf15bit, pf16bit, pf24bit, pf32bit}) {
    TOwned<TBitmap> b(TBitmap::Create());
    b->SetPixelFormat(f);
    b->SetSize(5, 3);
    EXPECT_EQ(b->GetHandleType(), bmDIB);
    EXPECT_EQ(b->GetPixelFormat(), f);
    BITMAP bm{};
    GetObjectW(b->GetHandle(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, PixelFormatBits(f));
    // Row 0 is the top row: red across the top, blue down column 4.
    for (int x = 0; x < 5; ++x) PutPixel(f, b->ScanLine(0), x, 255, 0, 0);
    for (int y = 1; y < 3; ++y) PutPixel(f, b->ScanLine(y), 4, 0, 0, 255);
    EXPECT_EQ(ProbePixel(b.get(), 2, 0), RGB(255, 0, 0)) << f;
    EXPECT_EQ(ProbePixel(b.get(), 4, 2), RGB(0, 0, 255)) << f;
    EXPECT_THROW(b->ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(b->ScanLine(-1), EInvalidGraphicOperation);
  }
}

TEST(Bitmap, PaletteFormatsDrawThroughTheirColourTables) {
  for (TPixelFormat f : {pf1bit, pf4bit, pf8bit}) {
    TOwned<TBitmap> b(MakeBitmap(9, 4, clBlack, f));
    b->GetCanvas()->GetBrush()->SetColor(clWhite);
    b->GetCanvas()->FillRect(RECT{0, 2, 9, 4});
    EXPECT_EQ(ProbePixel(b.get(), 8, 1), 0u) << f;
    EXPECT_EQ(ProbePixel(b.get(), 8, 3), 0xFFFFFFu) << f;
    EXPECT_EQ(b->GetMonochrome(), f == pf1bit);
    // The bottom-up DIB puts the top row last in memory.
    auto* top = static_cast<std::uint8_t*>(b->ScanLine(0));
    auto* bottom = static_cast<std::uint8_t*>(b->ScanLine(3));
    EXPECT_EQ(top - bottom, 3 * ((9 * PixelFormatBits(f) + 31) / 32 * 4));
    EXPECT_NE(b->GetPalette(), nullptr);
  }
}

TEST(Bitmap, ResizeKeepsContentAndFillsNewAreaWhite) {
  TOwned<TBitmap> b(MakeBitmap(4, 4, clRed));
  b->SetWidth(8);
  b->SetHeight(6);
  EXPECT_EQ(ProbePixel(b.get(), 3, 3), RGB(255, 0, 0));
  EXPECT_EQ(ProbePixel(b.get(), 6, 2), RGB(255, 255, 255));
  EXPECT_EQ(ProbePixel(b.get(), 1, 5), RGB(255, 255, 255));
  b->SetSize(2, 2);
  EXPECT_EQ(ProbePixel(b.get(), 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(b->GetPixelFormat(), pf24bit);

  // Width alone is remembered until the height arrives.
  TOwned<TBitmap> e(TBitmap::Create());
  e->SetPixelFormat(pf32bit);
  e->SetWidth(7);
  EXPECT_TRUE(e->GetEmpty());
  EXPECT_EQ(e->GetWidth(), 7);
  e->SetHeight(3);
  EXPECT_FALSE(e->GetEmpty());
  BITMAP bm{};
  GetObjectW(e->GetHandle(), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 7);
  EXPECT_EQ(bm.bmBitsPixel, 32);
}

TEST(Bitmap, Pf32bitKeepsAlphaThroughResizeCopyAndSave) {
  TOwned<TBitmap> b(TBitmap::Create());
  b->SetPixelFormat(pf32bit);
  b->SetSize(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) static_cast<std::uint32_t*>(b->ScanLine(y))[x] = 0x40102030u + x + 16 * y;
  b->SetSize(4, 2);
  EXPECT_EQ(static_cast<std::uint32_t*>(b->ScanLine(1))[2], 0x40102030u + 2 + 16);

  TOwned<TBitmap> copy(TBitmap::Create());
  copy->Assign(b.get());
  EXPECT_EQ(copy->GetPixelFormat(), pf32bit);
  EXPECT_EQ(static_cast<std::uint32_t*>(copy->ScanLine(0))[1], 0x40102031u);

  std::vector<std::uint8_t> file = b->SaveToBytes();
  TOwned<TBitmap> loaded(TBitmap::Create());
  loaded->LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(loaded->GetPixelFormat(), pf32bit);
  EXPECT_EQ(static_cast<std::uint32_t*>(loaded->ScanLine(1))[0], 0x40102030u + 16);
}

TEST(Bitmap, DeviceBitmapBecomesDibForScanLine) {
  TOwned<TBitmap> b(MakeBitmap(3, 3, clGreen, pfDevice));
  EXPECT_EQ(b->GetHandleType(), bmDDB);
  EXPECT_EQ(b->GetPixelFormat(), pfDevice);
  b->ScanLine(0);
  EXPECT_EQ(b->GetHandleType(), bmDIB);
  EXPECT_EQ(ProbePixel(b.get(), 1, 1), RGB(0, 128, 0));
  b->GetCanvas()->SetPixels(0, 0, clWhite);
  b->GetCanvas()->GetBrush()->SetColor(clBlack);  // the canvas's background colour must not decide
  b->SetMonochrome(true);
  EXPECT_EQ(b->GetHandleType(), bmDDB);
  BITMAP bm{};
  GetObjectW(b->GetHandle(), sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(ProbePixel(b.get(), 0, 0), 0xFFFFFFu);
  EXPECT_EQ(ProbePixel(b.get(), 1, 1), 0u);
}

TEST(Bitmap, TransparentDrawLeavesOutTheBottomLeftColour) {
  // Fuchsia frame with a blue centre: in auto mode the bottom-left pixel decides.
  TOwned<TBitmap> glyph(MakeBitmap(6, 6, clFuchsia));
  glyph->GetCanvas()->GetBrush()->SetColor(clBlue);
  glyph->GetCanvas()->FillRect(RECT{2, 2, 4, 4});
  glyph->SetTransparent(true);
  EXPECT_EQ(glyph->GetTransparentMode(), tmAuto);
  EXPECT_EQ(glyph->GetTransparentColor(), clFuchsia);

  TOwned<TBitmap> target(MakeBitmap(20, 20, clLime));
  target->GetCanvas()->Draw(1, 1, glyph.get());
  EXPECT_EQ(ProbePixel(target.get(), 1, 1), RGB(0, 255, 0));
  EXPECT_EQ(ProbePixel(target.get(), 3, 3), RGB(0, 0, 255));
  EXPECT_EQ(ProbePixel(target.get(), 6, 6), RGB(0, 255, 0));

  // Stretched three times, still masked.
  target->GetCanvas()->StretchDraw(RECT{0, 0, 18, 18}, glyph.get());
  EXPECT_EQ(ProbePixel(target.get(), 8, 8), RGB(0, 0, 255));
  EXPECT_EQ(ProbePixel(target.get(), 2, 2), RGB(0, 255, 0));
  EXPECT_EQ(ProbePixel(target.get(), 15, 15), RGB(0, 255, 0));

  // A fixed colour takes over; drawing opaque ignores it.
  glyph->SetTransparentColor(clBlue);
  EXPECT_EQ(glyph->GetTransparentMode(), tmFixed);
  target->GetCanvas()->Draw(10, 10, glyph.get());
  EXPECT_EQ(ProbePixel(target.get(), 12, 12), RGB(0, 255, 0));
  EXPECT_EQ(ProbePixel(target.get(), 10, 10), RGB(255, 0, 255));
  glyph->SetTransparent(false);
  target->GetCanvas()->Draw(10, 10, glyph.get());
  EXPECT_EQ(ProbePixel(target.get(), 12, 12), RGB(0, 0, 255));
}

TEST(Bitmap, MaskHandleAndMaskMarkTheTransparentColour) {
  TOwned<TBitmap> b(MakeBitmap(4, 4, clWhite));
  b->GetCanvas()->SetPixels(1, 1, clRed);
  b->SetTransparentColor(clRed);
  HBITMAP mask = b->GetMaskHandle();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(ProbePixel(mask, 1, 1), 0xFFFFFFu);
  EXPECT_EQ(ProbePixel(mask, 2, 2), 0u);
  // Drawing on the bitmap renews the mask.
  b->GetCanvas()->SetPixels(3, 3, clRed);
  EXPECT_EQ(ProbePixel(b->GetMaskHandle(), 3, 3), 0xFFFFFFu);

  b->Mask(clWhite);
  EXPECT_TRUE(b->GetMonochrome());
  EXPECT_EQ(ProbePixel(b.get(), 0, 0), 0xFFFFFFu);
  EXPECT_EQ(ProbePixel(b.get(), 1, 1), 0u);
}

TEST(Bitmap, BmpBytesRoundTripEveryFormat) {
  for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TOwned<TBitmap> b(MakeBitmap(7, 5, clWhite, f));
    b->GetCanvas()->GetBrush()->SetColor(clBlack);
    b->GetCanvas()->FillRect(RECT{0, 0, 3, 2});
    std::vector<std::uint8_t> file = b->SaveToBytes();
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    TOwned<TBitmap> r(TBitmap::Create());
    r->LoadFromBytes(file.data(), file.size());
    EXPECT_EQ(r->GetPixelFormat(), f);
    EXPECT_EQ(r->GetWidth(), 7);
    EXPECT_EQ(r->GetHeight(), 5);
    EXPECT_EQ(ProbePixel(r.get(), 2, 1), 0u) << f;
    EXPECT_EQ(ProbePixel(r.get(), 3, 2), 0xFFFFFFu) << f;
    EXPECT_EQ(r->SaveToBytes(), file) << f;
  }
}

TEST(Bitmap, TopDownBmpStaysTopDown) {
  TDibLayout l;
  l.Width = 2;
  l.Height = 2;
  l.TopDown = true;
  l.BitCount = 24;
  std::vector<std::uint8_t> rows(l.ImageSize(), 0xFF);
  rows[0] = rows[1] = rows[2] = 0;  // first row in memory: black at (0, 0)
  std::vector<std::uint8_t> file = WriteBmpFile(l, rows.data());
  TOwned<TBitmap> b(TBitmap::Create());
  b->LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(ProbePixel(b.get(), 0, 0), 0u);
  EXPECT_EQ(ProbePixel(b.get(), 0, 1), 0xFFFFFFu);
  EXPECT_EQ(static_cast<std::uint8_t*>(b->ScanLine(0))[0], 0);
  EXPECT_EQ(static_cast<std::uint8_t*>(b->ScanLine(1)) - static_cast<std::uint8_t*>(b->ScanLine(0)), 8);
}

TEST(Bitmap, BrokenBmpDataIsRefusedAndThePictureKept) {
  TOwned<TBitmap> good(MakeBitmap(3, 3, clRed));
  std::vector<std::uint8_t> file = good->SaveToBytes();
  auto put32 = [](std::vector<std::uint8_t> v, size_t at, std::int32_t val) {
    std::memcpy(&v[at], &val, 4);
    return v;
  };
  std::vector<std::uint8_t> truncated(file.begin(), file.end() - 4);
  std::vector<std::uint8_t> notBmp = file;
  notBmp[0] = 'X';
  const std::vector<std::uint8_t> cases[] = {
      truncated,
      notBmp,
      put32(file, 18, 0),           // zero width
      put32(file, 18, 100000),      // absurd width
      put32(file, 22, 0x7FFFFFFF),  // absurd height
      put32(file, 14, 7),           // unknown header size
      put32(file, 30, 9),           // unknown compression
      {file.begin(), file.begin() + 20},
  };
  for (auto& bad : cases) {
    TOwned<TBitmap> b(MakeBitmap(2, 2, clBlue));
    EXPECT_THROW(b->LoadFromBytes(bad.data(), bad.size()), EInvalidGraphic);
    EXPECT_EQ(b->GetWidth(), 2);
    EXPECT_EQ(ProbePixel(b.get(), 1, 1), RGB(0, 0, 255));
  }
}

TEST(Bitmap, RleBitmapsAreExpanded) {
  // 4x2 8-bit RLE: bottom row two runs, top row an absolute run.
  std::vector<std::uint8_t> info(40 + 256 * 4, 0);
  BITMAPINFOHEADER h{};
  h.biSize = 40;
  h.biWidth = 4;
  h.biHeight = 2;
  h.biPlanes = 1;
  h.biBitCount = 8;
  h.biCompression = BI_RLE8;
  std::memcpy(info.data(), &h, 40);
  info[40 + 4 * 1 + 2] = 255;  // colour 1 red
  info[40 + 4 * 2 + 0] = 255;  // colour 2 blue
  const std::uint8_t rle[] = {2, 1, 2, 2, 0, 0, 0, 4, 2, 1, 2, 1, 0, 0, 0, 1};
  info.insert(info.end(), rle, rle + sizeof rle);
  TOwned<TBitmap> b(TBitmap::Create());
  TDibImage img = ParseDib(info.data(), info.size(), -1);
  std::vector<std::uint8_t> file = WriteBmpFile(img.Layout, img.Bits.data());
  b->LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(ProbePixel(b.get(), 0, 1), RGB(255, 0, 0));
  EXPECT_EQ(ProbePixel(b.get(), 3, 1), RGB(0, 0, 255));
  EXPECT_EQ(ProbePixel(b.get(), 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(ProbePixel(b.get(), 1, 0), RGB(255, 0, 0));
}

TEST(Bitmap, DormantBitmapComesBackOnUse) {
  TOwned<TBitmap> b(MakeBitmap(5, 5, clTeal));
  b->GetCanvas()->SetPixels(4, 4, clYellow);
  b->Dormant();
  EXPECT_TRUE(b->IsDormant());
  EXPECT_FALSE(b->HandleAllocated());
  EXPECT_EQ(b->GetWidth(), 5);
  EXPECT_EQ(ProbePixel(b.get(), 4, 4), RGB(255, 255, 0));
  EXPECT_EQ(ProbePixel(b.get(), 0, 0), RGB(0, 128, 128));
  EXPECT_FALSE(b->IsDormant());
}

TEST(Bitmap, ChangesAreAnnounced) {
  struct Counter {
    int n = 0;
    void Hit(TObject*) { ++n; }
  } counter;
  TOwned<TBitmap> b(TBitmap::Create());
  b->OnChange = Bind(&counter, &Counter::Hit);
  b->SetSize(3, 3);
  EXPECT_EQ(counter.n, 1);
  b->GetCanvas()->FillRect(RECT{0, 0, 1, 1});
  EXPECT_EQ(counter.n, 2);
  EXPECT_TRUE(b->GetModified());
}

TEST(Bitmap, LoadsBitmapResourcesByNameAndNumber) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  TOwned<TBitmap> byName(TBitmap::Create());
  byName->LoadFromResourceName(self, "REDOVERBLUE");
  TOwned<TBitmap> byId(TBitmap::Create());
  byId->LoadFromResourceID(self, 7);
  for (TBitmap* b : {byName.get(), byId.get()}) {
    EXPECT_EQ(b->GetWidth(), 4);
    EXPECT_EQ(b->GetHeight(), 2);
    EXPECT_EQ(b->GetPixelFormat(), pf24bit);
    EXPECT_EQ(ProbePixel(b, 3, 0), RGB(255, 0, 0));
    EXPECT_EQ(ProbePixel(b, 0, 1), RGB(0, 0, 255));
  }
  EXPECT_THROW(byName->LoadFromResourceName(self, "NOSUCHBITMAP"), EResNotFound);
  EXPECT_EQ(byName->GetWidth(), 4);
}

TEST(Bitmap, AdoptedDibSectionsKeepTheirRowOrder) {
  for (int height : {2, -2}) {  // bottom-up, top-down
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(h, nullptr);
    static_cast<std::uint32_t*>(bits)[0] = 0x00FF0000;  // red, first in memory
    TOwned<TBitmap> b(TBitmap::Create());
    b->SetHandle(h);
    EXPECT_EQ(b->GetPixelFormat(), pf32bit);
    int firstRow = height < 0 ? 0 : 1;
    EXPECT_EQ(b->ScanLine(firstRow), bits) << height;
    EXPECT_EQ(ProbePixel(b.get(), 0, firstRow), RGB(255, 0, 0)) << height;
  }
}
