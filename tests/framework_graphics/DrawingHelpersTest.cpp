// The shared drawing routines on a memory bitmap.
#include <gtest/gtest.h>
#include <windows.h>

#include "PixelProbe.h"
#include "framework/DrawingHelpers.h"

TEST(DrawingHelpers, Frame3DPaintsTwoColoursAndShrinks) {
  TOwned<TBitmap> b(MakeBitmap(10, 10, clWhite));
  RECT r{0, 0, 10, 10};
  Frame3D(b->GetCanvas(), r, clRed, clBlue, 2);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.right, 8);
  const struct { int x, y; COLORREF want; } probes[] = {
      {0, 5, RGB(255, 0, 0)}, {5, 0, RGB(255, 0, 0)}, {1, 5, RGB(255, 0, 0)}, {9, 5, RGB(0, 0, 255)},
      {5, 9, RGB(0, 0, 255)}, {8, 5, RGB(0, 0, 255)}, {5, 5, RGB(255, 255, 255)},
  };
  for (auto& p : probes) EXPECT_EQ(ProbePixel(b.get(), p.x, p.y), p.want) << p.x << "," << p.y;
}

TEST(DrawingHelpers, EdgesAndFrameControlsUseSystemColours) {
  TOwned<TBitmap> b(MakeBitmap(20, 20, clLime));
  RECT r{0, 0, 20, 20};
  EXPECT_TRUE(DrawEdge(b->GetCanvas(), r, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(ProbePixel(b.get(), 5, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ProbePixel(b.get(), 5, 19), GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT c{2, 2, 18, 18};
  EXPECT_TRUE(DrawFrameControl(b->GetCanvas(), c, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(ProbePixel(b.get(), 10, 10), GetSysColor(COLOR_BTNFACE));
}

TEST(DrawingHelpers, TextWrapsAndShortens) {
  TOwned<TBitmap> b(MakeBitmap(100, 100, clWhite));
  TCanvas* c = b->GetCanvas();
  c->GetFont()->SetHeight(-12);
  HDC dc = c->GetHandle();
  RECT one{0, 0, 1000, 0};
  int line = DrawTextUtf8(dc, "word", one, DT_CALCRECT | DT_SINGLELINE);
  RECT wrapped{0, 0, 50, 0};
  int h = DrawTextUtf8(c, "word word word word word", wrapped, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GE(h, 3 * line);
  EXPECT_LE(wrapped.right, 50);

  std::string fits = EllipsisText(dc, "ok", 100);
  EXPECT_EQ(fits, "ok");
  std::string cut = EllipsisText(dc, "A caption much too long for the space \xE2\x82\xAC", 60);
  ASSERT_GE(cut.size(), 3u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_LE(c->TextWidth(cut), 60);
  EXPECT_GT(c->TextWidth(cut), 30);
}
