// The suite canvas on a memory bitmap: flags, clip stacks under moved origins,
// tiled fills, bands, edges and text.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Surface.h"
#include "framework/Font.h"
#include "suite/common/cxCanvas.h"

TEST(CanvasFlags, TextFlagsBecomeDrawTextFlags) {
  const struct {
    TcxTextFlags flags;
    UINT want;
  } cases[] = {
      {0, DT_NOPREFIX},
      {cxAlignLeft | cxAlignTop, DT_NOPREFIX},
      {cxAlignRight | cxAlignBottom, DT_NOPREFIX | DT_RIGHT | DT_BOTTOM},
      {cxAlignHCenter | cxAlignVCenter | cxSingleLine, DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_SINGLELINE},
      {cxAlignLeft | cxAlignRight, DT_NOPREFIX},  // not one of the three values: left
      {cxWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxWordBreak | cxDontBreakChars, DT_NOPREFIX | DT_WORDBREAK},
      {cxShowPrefix, 0},
      {cxDontClip | cxExpandTabs | cxShowEndEllipsis | cxCalcRect | cxShowPathEllipsis,
       DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS},
  };
  for (const auto& c : cases) EXPECT_EQ(TextFlagsToDTFlags(c.flags), c.want) << std::hex << c.flags;
}

TEST(CanvasClip, PushIntersectPopRestoresTheClipUnderMovedOrigins) {
  const struct {
    POINT window, viewport;
  } origins[] = {{{0, 0}, {0, 0}}, {{-7, 3}, {0, 0}}, {{5, 5}, {12, -4}}};
  for (const auto& o : origins) {
    TSurface s(40, 40);
    TcxCanvas* c = s.Canvas.get();
    c->IntersectClip(RECT{2, 2, 38, 38});
    // The origin moves after the clip was set, before the push.
    c->AssignWindowOrigin(o.window);
    c->AssignViewportOrigin(o.viewport);
    const POINT d = c->DCOrigin();
    c->PushClipRegion();
    c->IntersectClip(RECT{10 - d.x, 10 - d.y, 12 - d.x, 12 - d.y});  // device (10, 10)-(12, 12)
    c->FillRectColor(RECT{-100, -100, 100, 100}, clRed);
    EXPECT_EQ(s.Pixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(s.Pixel(12, 12), RGB(255, 255, 255));
    c->PopClipRegion();
    c->PopClipRegion();  // nothing left: no change
    c->FillRectColor(RECT{-100, -100, 100, 100}, clBlue);
    EXPECT_EQ(s.Pixel(2, 2), RGB(0, 0, 255)) << o.window.x;
    EXPECT_EQ(s.Pixel(37, 37), RGB(0, 0, 255));
    EXPECT_EQ(s.Pixel(1, 1), RGB(255, 255, 255)) << "the old clip is kept";
    EXPECT_EQ(s.Pixel(38, 38), RGB(255, 255, 255));
  }
}

TEST(CanvasClip, CurrentClipAndApplyWithoutDestroying) {
  TSurface s(20, 20);
  TcxCanvas* c = s.Canvas.get();
  c->AssignWindowOrigin(POINT{5, 0});
  TOwned<TcxRegion> none(c->CurrentClipRegion(true));
  EXPECT_EQ(none->BoundsRect(), (RECT{5, 0, 30005, 30000}));
  TOwned<TcxRegion> device(c->CurrentClipRegion(false));
  EXPECT_EQ(device->BoundsRect().left, 0);

  TOwned<TcxRegion> mine(TcxRegion::CreateFromRect(RECT{0, 0, 4, 4}));
  c->ApplyClipRegion(mine.get(), coReplace, false, true);
  RECT kept = mine->BoundsRect();
  EXPECT_EQ(kept.left, 0);
  EXPECT_EQ(kept.right, 4);  // the caller's region is where it was
  c->ApplyClipRegion(TcxRegion::CreateFromRect(RECT{2, 0, 3, 4}), coSubtract);
  c->FillRectColor(RECT{-20, -20, 40, 40}, clGreen);
  // Logical 0..4 lands on device -5..-1: nothing visible; logical 5.. is clipped.
  EXPECT_EQ(s.Pixel(0, 0), RGB(255, 255, 255));
  c->AssignWindowOrigin(POINT{0, 0});
  c->ApplyClipRegion(TcxRegion::CreateFromRect(RECT{0, 0, 4, 4}), coReplace);
  c->ApplyClipRegion(TcxRegion::CreateFromRect(RECT{2, 0, 3, 4}), coSubtract);
  c->FillRectColor(RECT{-20, -20, 40, 40}, clGreen);
  EXPECT_EQ(s.Pixel(1, 1), RGB(0, 128, 0));
  EXPECT_EQ(s.Pixel(2, 1), RGB(255, 255, 255));
  EXPECT_EQ(s.Pixel(4, 1), RGB(255, 255, 255));
  EXPECT_TRUE(TOwned<TcxRegion>(TcxRegion::CreateEmptyRegion())->SameAs(TcxRegion::CreateEmptyRegion()));
}

TEST(CanvasStacks, StateAndDCPopsRestoreToolsAndOrigins) {
  TSurface s(10, 10);
  TcxCanvas* c = s.Canvas.get();
  c->PopState();  // empty stacks: nothing happens
  c->PopDC();
  c->FontObject()->SetColor(clRed);
  c->SetBrushColor(clYellow);
  c->PushState();
  c->FontObject()->SetColor(clBlue);
  c->SetBrushColor(clLime);
  c->AssignWindowOrigin(POINT{3, 3});
  c->PopState();
  EXPECT_EQ(c->FontObject()->GetColor(), clRed);
  EXPECT_EQ(c->BrushObject()->GetColor(), clYellow);
  EXPECT_EQ(c->WindowOrigin().x, 0);
  c->FillRectColor(RECT{0, 0, 2, 2});
  EXPECT_EQ(s.Pixel(1, 1), RGB(255, 255, 0)) << "the restored brush is the one drawn with";
}

namespace {

// A 10 x 10 bitmap whose pixel (x, y) has red x * 20 and green y * 20.
TOwned<TBitmap> CoordinateTile() {
  TOwned<TBitmap> b(TBitmap::Create());
  b->SetPixelFormat(pf24bit);
  b->SetSize(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) b->GetCanvas()->SetPixels(x, y, RGB(x * 20, y * 20, 7));
  return b;
}

}  // namespace

TEST(CanvasFill, BitmapTilesAreAnchoredAtLogicalZero) {
  TOwned<TBitmap> tile(CoordinateTile());
  const struct {
    RECT r;
    POINT windowOrigin;
  } cases[] = {
      {{5, 5, 20, 20}, {0, 0}},
      {{-7, -3, 6, 9}, {-10, -10}},  // negative left and top: the strip before 0 is tiled too
      {{-20, -20, -11, -12}, {-25, -25}},
  };
  for (const auto& k : cases) {
    TSurface s(40, 40, clBlack);
    s.Canvas->AssignWindowOrigin(k.windowOrigin);
    s.Canvas->FillWithBitmap(k.r, tile.get());
    for (int ly = k.r.top - 1; ly <= k.r.bottom; ++ly)
      for (int lx = k.r.left - 1; lx <= k.r.right; ++lx) {
        const int dx = lx - k.windowOrigin.x, dy = ly - k.windowOrigin.y;
        if (dx < 0 || dy < 0 || dx >= 40 || dy >= 40) continue;
        const bool inside = lx >= k.r.left && lx < k.r.right && ly >= k.r.top && ly < k.r.bottom;
        const int tx = ((lx % 10) + 10) % 10, ty = ((ly % 10) + 10) % 10;
        const COLORREF want = inside ? RGB(tx * 20, ty * 20, 7) : RGB(0, 0, 0);
        ASSERT_EQ(s.Pixel(dx, dy), want) << "logical " << lx << "," << ly;
      }
  }
}

TEST(CanvasFill, EmptyRectanglesAndNoneDrawNothingAndExcludeClips) {
  TSurface s(20, 20);
  TcxCanvas* c = s.Canvas.get();
  c->SetBrushColor(clRed);
  c->FillWithBitmap(RECT{5, 5, 5, 10}, nullptr, true);  // empty: not even the exclusion
  c->FillRectColor(RECT{0, 0, 20, 20}, clNone);
  EXPECT_EQ(s.Pixel(5, 5), RGB(255, 255, 255));
  c->FillWithBitmap(RECT{0, 0, 4, 4}, nullptr, true);
  EXPECT_EQ(s.Pixel(3, 3), RGB(255, 0, 0));
  c->FillRectColor(RECT{0, 0, 20, 20}, clBlue);
  EXPECT_EQ(s.Pixel(3, 3), RGB(255, 0, 0)) << "the filled rectangle left the clip";
  EXPECT_EQ(s.Pixel(4, 4), RGB(0, 0, 255));
}

TEST(CanvasFill, BordersAreBandsClampedToTheRectangle) {
  const struct {
    int width;
    TcxBorders borders;
    POINT filled[2];
    POINT untouched[2];
  } cases[] = {
      {2, {bLeft}, {{2, 5}, {3, 14}}, {{4, 5}, {1, 5}}},
      {3, {bRight, bBottom}, {{15, 4}, {10, 14}}, {{11, 5}, {10, 16}}},
      {50, {bTop}, {{2, 2}, {17, 14}}, {{1, 2}, {18, 15}}},  // wider than R: all of R, no more
  };
  for (const auto& k : cases) {
    TSurface s(20, 20);
    s.Canvas->FillBorders(RECT{2, 2, 18, 15}, clRed, k.width, k.borders);
    for (POINT p : k.filled) EXPECT_EQ(s.Pixel(p.x, p.y), RGB(255, 0, 0)) << k.width << " " << p.x << "," << p.y;
    for (POINT p : k.untouched) EXPECT_EQ(s.Pixel(p.x, p.y), RGB(255, 255, 255)) << k.width << " " << p.x;
  }
}

TEST(CanvasFill, EdgesTakeTheirColourPairs) {
  const struct {
    bool sunken, outer;
    TColor lt, rb;
  } cases[] = {{false, true, cl3DLight, cl3DDkShadow},
               {false, false, clBtnHighlight, clBtnShadow},
               {true, true, clBtnShadow, clBtnHighlight},
               {true, false, cl3DDkShadow, cl3DLight}};
  for (const auto& k : cases) {
    TSurface s(10, 10, clRed);
    s.Canvas->DrawEdge3D(RECT{1, 1, 9, 9}, k.sunken, k.outer);
    EXPECT_EQ(s.Pixel(1, 5), Rgb(k.lt));
    EXPECT_EQ(s.Pixel(5, 1), Rgb(k.lt));
    EXPECT_EQ(s.Pixel(8, 5), Rgb(k.rb));
    EXPECT_EQ(s.Pixel(5, 8), Rgb(k.rb));
    EXPECT_EQ(s.Pixel(8, 1), Rgb(k.rb)) << "right and bottom cover the shared corners";
    EXPECT_EQ(s.Pixel(5, 5), RGB(255, 0, 0));
  }
}

namespace {

void PrepareText(TcxCanvas* C) {
  C->FontObject()->SetName("Tahoma");
  C->FontObject()->SetHeight(-13);
  C->FontObject()->SetColor(clBlack);
  C->BrushObject()->SetStyle(bsClear);
}

}  // namespace

TEST(CanvasText, SingleLineTextIsPlacedByItsAlignment) {
  const struct {
    TcxTextFlags flags;
    bool right, centreX, bottom, centreY;
  } cases[] = {
      {cxAlignLeft | cxAlignTop | cxSingleLine, false, false, false, false},
      {cxAlignRight | cxAlignBottom | cxSingleLine, true, false, true, false},
      {cxAlignHCenter | cxAlignVCenter | cxSingleLine, false, true, false, true},
      {cxAlignRight | cxSingleLine | cxShowEndEllipsis, true, false, false, false},  // through DrawText
  };
  for (const auto& k : cases) {
    TSurface s(120, 40, clRed);
    PrepareText(s.Canvas.get());
    const RECT r{10, 5, 110, 35};
    const SIZE size = s.Canvas->MeasureText("Wide");
    s.Canvas->DrawTextFlags("Wide", r, k.flags);
    const TInk ink = InkOf(s, RGB(0, 0, 0));
    ASSERT_GT(ink.count, 5) << std::hex << k.flags;
    const int cellLeft = k.right ? r.right - size.cx : k.centreX ? (r.left + r.right - size.cx) / 2 : r.left;
    const int cellTop = k.bottom ? r.bottom - size.cy : k.centreY ? (r.top + r.bottom - size.cy) / 2 : r.top;
    EXPECT_GE(ink.box.left, cellLeft) << std::hex << k.flags;
    EXPECT_LE(ink.box.right, cellLeft + size.cx);
    EXPECT_GE(ink.box.top, cellTop);
    EXPECT_LE(ink.box.bottom, cellTop + size.cy);
  }
}

TEST(CanvasText, DisabledTextIsEmbossedAndTheColourComesBack) {
  TSurface enabled(100, 30, clRed), disabled(100, 30, clRed);
  for (TSurface* s : {&enabled, &disabled}) PrepareText(s->Canvas.get());
  disabled.Canvas->BrushObject()->SetStyle(bsSolid);
  disabled.Canvas->BrushObject()->SetColor(clRed);
  const RECT r{4, 4, 90, 26};
  enabled.Canvas->FontObject()->SetColor(clBtnShadow);
  enabled.Canvas->DrawTextFlags("Mixed", r, cxSingleLine | cxAlignLeft | cxAlignTop);
  disabled.Canvas->DrawTextFlags("Mixed", r, cxSingleLine | cxAlignLeft | cxAlignTop, false);
  EXPECT_EQ(disabled.Canvas->FontObject()->GetColor(), clBlack);
  EXPECT_EQ(disabled.Canvas->BrushObject()->GetStyle(), bsSolid);
  const TInk shadow = InkOf(disabled, Rgb(clBtnShadow));
  const TInk plain = InkOf(enabled, Rgb(clBtnShadow));
  const TInk light = InkOf(disabled, Rgb(clBtnHighlight));
  ASSERT_GT(plain.count, 5);
  // The shadow copy sits where enabled text would; the highlight one pixel further.
  EXPECT_EQ(shadow.box, plain.box);
  EXPECT_EQ(light.box.right, plain.box.right + 1);
  EXPECT_EQ(light.box.bottom, plain.box.bottom + 1);
  // Each shadow pixel's down-right neighbour is highlight or more shadow: no red
  // background was painted over by the second, clear-brushed pass.
  for (int y = plain.box.top; y < plain.box.bottom; ++y)
    for (int x = plain.box.left; x < plain.box.right; ++x)
      if (enabled.Pixel(x, y) == Rgb(clBtnShadow)) {
        EXPECT_EQ(disabled.Pixel(x, y), Rgb(clBtnShadow));
      }
}

TEST(CanvasText, MultiLineTextThatCannotFitIsClipped) {
  TSurface s(80, 60, clRed);
  PrepareText(s.Canvas.get());
  const int line = s.Canvas->HeightOfText("Qq");
  const RECT r{0, 0, 80, line};
  s.Canvas->DrawTextFlags("A\nB\nC", r, cxAlignLeft | cxAlignTop);
  const TInk ink = InkOf(s, RGB(0, 0, 0));
  ASSERT_GT(ink.count, 0);
  EXPECT_LE(ink.box.bottom, line) << "lines past the rectangle were drawn";
  EXPECT_EQ(s.Canvas->MeasureText("").cx, 0);
}

TEST(CanvasText, ExtentInRectAndVerticalAlignment) {
  TSurface s(10, 10);
  PrepareText(s.Canvas.get());
  const int line = s.Canvas->HeightOfText("Qq");
  RECT r{0, 0, 200, 100};
  s.Canvas->TextExtentInRect("two\nlines", r, cxAlignHCenter | cxAlignBottom);
  EXPECT_EQ(r.bottom, 100);
  EXPECT_EQ(r.bottom - r.top, 2 * line);
  EXPECT_GT(r.left, 50);
  RECT a{0, 0, 200, 100};
  s.Canvas->AlignTextRectVertically(a, "two\nlines", 2, false, false, true, false);
  EXPECT_EQ(a.top, (100 - 2 * line) / 2);
  RECT b{0, 0, 200, 100};
  s.Canvas->AlignTextRectVertically(b, "one", 1, false, false, false, false);
  EXPECT_EQ(b.top, 100 - line - 1);
  EXPECT_EQ(SharedScreenCanvas()->FontLineHeight(s.Canvas->FontObject()), line);
}
