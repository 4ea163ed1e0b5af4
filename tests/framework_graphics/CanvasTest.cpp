// The canvas over a memory bitmap: primitives, tools seen by raw GDI, clipping
// and text.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "PixelProbe.h"
#include "framework/Canvas.h"

TEST(Canvas, PrimitivesDrawWithPenAndBrush) {
  TOwned<TBitmap> bmp(MakeBitmap(40, 40, clWhite));
  TCanvas* c = bmp->GetCanvas();
  c->GetPen()->SetColor(clRed);
  c->GetBrush()->SetColor(clBlue);
  c->Rectangle(2, 2, 12, 12);
  c->GetBrush()->SetStyle(bsClear);
  c->Ellipse(20, 20, 36, 36);
  c->MoveTo(0, 38);
  c->LineTo(30, 38);
  const struct { int x, y; COLORREF want; } probes[] = {
      {2, 2, RGB(255, 0, 0)},  {11, 7, RGB(255, 0, 0)}, {6, 6, RGB(0, 0, 255)},   {12, 12, RGB(255, 255, 255)},
      {28, 28, RGB(255, 255, 255)},  // clear brush leaves the ellipse's inside alone
      {20, 28, RGB(255, 0, 0)}, {0, 38, RGB(255, 0, 0)}, {29, 38, RGB(255, 0, 0)}, {30, 38, RGB(255, 255, 255)},
  };
  for (auto& p : probes) EXPECT_EQ(ProbePixel(bmp.get(), p.x, p.y), p.want) << p.x << "," << p.y;
  EXPECT_EQ(c->GetPenPos().x, 30);
}

TEST(Canvas, RawGdiOnTheHandleSeesTheSelectedTools) {
  TOwned<TBitmap> bmp(MakeBitmap(20, 20, clWhite));
  TCanvas* c = bmp->GetCanvas();
  c->GetBrush()->SetColor(clLime);
  c->GetPen()->SetColor(clNavy);
  HDC dc = c->GetHandle();
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), c->GetBrush()->GetHandle());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), c->GetPen()->GetHandle());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), c->GetFont()->GetHandle());
  ::Rectangle(dc, 0, 0, 10, 10);
  EXPECT_EQ(ProbePixel(bmp.get(), 5, 5), RGB(0, 255, 0));
  EXPECT_EQ(ProbePixel(bmp.get(), 0, 0), RGB(0, 0, 128));

  // A tool changed after the handle was read is selected into it at once.
  dc = c->GetHandle();
  c->GetBrush()->SetColor(clFuchsia);
  c->GetPen()->SetMode(pmXor);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), c->GetBrush()->GetHandle());
  EXPECT_EQ(GetROP2(dc), R2_XORPEN);
  ::PatBlt(dc, 12, 12, 4, 4, PATCOPY);
  EXPECT_EQ(ProbePixel(bmp.get(), 13, 13), RGB(255, 0, 255));
}

TEST(Canvas, FontColourAndBrushDecideTextPixels) {
  TOwned<TBitmap> bmp(MakeBitmap(60, 30, clWhite));
  TCanvas* c = bmp->GetCanvas();
  c->GetFont()->SetColor(clRed);
  c->GetFont()->SetHeight(-20);
  c->GetBrush()->SetColor(clYellow);
  c->TextOut(2, 2, "\xC3\x89W");  // "ÉW": UTF-8 reaches GDI as one character each
  SIZE s = c->TextExtent("\xC3\x89W");
  EXPECT_GT(s.cx, 10);
  EXPECT_EQ(c->TextWidth("\xC3\x89W"), s.cx);
  int red = 0, yellow = 0;
  for (int y = 2; y < 2 + s.cy; ++y)
    for (int x = 2; x < 2 + s.cx; ++x) {
      COLORREF p = ProbePixel(bmp.get(), x, y);
      red += p == RGB(255, 0, 0);
      yellow += p == RGB(255, 255, 0);
    }
  EXPECT_GT(red, 10);
  EXPECT_GT(yellow, 10);  // opaque background from the solid brush
  EXPECT_EQ(ProbePixel(bmp.get(), 2 + s.cx + 2, 5), RGB(255, 255, 255));
}

TEST(Canvas, ClippingLimitsDrawingAndClipRect) {
  TOwned<TBitmap> bmp(MakeBitmap(30, 30, clWhite));
  TCanvas* c = bmp->GetCanvas();
  RECT all = c->GetClipRect();
  EXPECT_EQ(all.right, 30);
  EXPECT_EQ(all.bottom, 30);
  HRGN rgn = CreateRectRgn(5, 5, 15, 15);
  SelectClipRgn(c->GetHandle(), rgn);
  DeleteObject(rgn);
  RECT clip = c->GetClipRect();
  EXPECT_EQ(clip.left, 5);
  EXPECT_EQ(clip.right, 15);
  c->GetBrush()->SetColor(clBlack);
  c->FillRect(RECT{0, 0, 30, 30});
  EXPECT_EQ(ProbePixel(bmp.get(), 10, 10), 0u);
  EXPECT_EQ(ProbePixel(bmp.get(), 4, 10), 0xFFFFFFu);
  EXPECT_EQ(ProbePixel(bmp.get(), 15, 15), 0xFFFFFFu);
}

TEST(Canvas, TextRectAlignsAndShortens) {
  TOwned<TBitmap> bmp(MakeBitmap(200, 40, clWhite));
  TCanvas* c = bmp->GetCanvas();
  c->GetFont()->SetHeight(-12);
  c->GetFont()->SetColor(clBlack);
  c->GetBrush()->SetStyle(bsClear);
  std::string text = "Right";
  RECT r{0, 0, 200, 20};
  c->TextRect(r, text, {tfRight, tfSingleLine});
  int w = c->TextWidth("Right");
  int leftmost = 200;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 20; ++y)
      if (ProbePixel(bmp.get(), x, y) == 0 && x < leftmost) leftmost = x;
  ASSERT_LT(leftmost, 200) << "no text drawn";
  EXPECT_GE(leftmost, 200 - w - 1);

  // Measuring only: the rectangle grows to the wrapped text's size.
  std::string para = "one two three four five six seven eight";
  RECT m{0, 0, 40, 0};
  c->TextRect(m, para, {tfCalcRect, tfWordBreak});
  EXPECT_GT(m.bottom, c->TextHeight("X") * 2);

  std::string longText = "A very long caption that cannot fit";
  RECT e{0, 20, 60, 40};
  c->TextRect(e, longText, {tfEndEllipsis, tfModifyString, tfSingleLine});
  EXPECT_NE(longText.find("..."), std::string::npos);
  EXPECT_LT(longText.size(), 35u);
}

TEST(Canvas, CopyRectStretchesWithCopyMode) {
  TOwned<TBitmap> src(MakeBitmap(2, 2, clRed));
  src->GetCanvas()->SetPixels(1, 1, clBlue);
  TOwned<TBitmap> dst(MakeBitmap(8, 8, clWhite));
  dst->GetCanvas()->CopyRect(RECT{0, 0, 8, 8}, src->GetCanvas(), RECT{0, 0, 2, 2});
  EXPECT_EQ(ProbePixel(dst.get(), 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(ProbePixel(dst.get(), 6, 6), RGB(0, 0, 255));
  dst->GetCanvas()->SetCopyMode(cmNotSrcCopy);
  dst->GetCanvas()->CopyRect(RECT{0, 0, 8, 8}, src->GetCanvas(), RECT{0, 0, 2, 2});
  EXPECT_EQ(ProbePixel(dst.get(), 1, 1), RGB(0, 255, 255));
}

TEST(Canvas, CanvasWithoutDeviceContextRefusesToDraw) {
  TOwned<TCanvas> c(TCanvas::Create());
  EXPECT_THROW(c->FillRect(RECT{0, 0, 1, 1}), EInvalidOperation);
  // An outside device context is used as given and handed back untouched.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_BRUSH);
  c->SetHandle(dc);
  c->GetBrush()->SetColor(clRed);
  c->FillRect(RECT{0, 0, 1, 1});
  EXPECT_NE(GetCurrentObject(dc, OBJ_BRUSH), before);
  c->SetHandle(nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), before);
  DeleteDC(dc);
}

TEST(Canvas, LockKeepsOtherThreadsOut) {
  TOwned<TCanvas> c(TCanvas::Create());
  c->Lock();
  c->Lock();  // the owning thread may lock again
  EXPECT_EQ(c->GetLockCount(), 2);
  bool otherGotIt = true;
  std::thread([&] { otherGotIt = c->TryLock(); }).join();
  EXPECT_FALSE(otherGotIt);
  c->Unlock();
  c->Unlock();
  std::thread([&] {
    otherGotIt = c->TryLock();
    if (otherGotIt) c->Unlock();
  }).join();
  EXPECT_TRUE(otherGotIt);
  EXPECT_EQ(c->GetLockCount(), 0);
}
