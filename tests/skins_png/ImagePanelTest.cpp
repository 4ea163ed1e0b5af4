// The picture panel: tiling, stretching, the parent's background under a
// transparent panel, the caption, and sizing to the picture.
#include <gtest/gtest.h>

#include "Packages/SUIImagePanel.h"
#include "framework/Bitmap.h"
#include "framework/Picture.h"
#include "tests/skins_png/PngTestSupport.h"

namespace {

// A picture whose every pixel tells its own position.
TOwned<TBitmap> Marked(int w, int h) {
  TOwned<TBitmap> b(TBitmap::Create());
  b->SetPixelFormat(pf24bit);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->GetCanvas()->SetPixels(x, y, TColor(RGB(40 * x + 1, 50 * y + 1, 77)));
  return b;
}

void Show(TsuiImagePanel* panel, TBitmap* picture) {
  TOwned<TPicture> p(TPicture::Create());
  p->SetGraphic(picture);
  panel->SetPicture(p.get());
}

}  // namespace

TEST(ImagePanel, TilesTheWholeClientAreaAndStretches) {
  TOwned<TsuiImagePanel> panel(TsuiImagePanel::Create(nullptr));
  panel->SetBounds(0, 0, 839, 7);
  TOwned<TBitmap> picture = Marked(5, 3);
  Show(panel.get(), picture.get());
  panel->SetDrawStyle(suiTile);
  MemoryBitmap target(839, 7, 0);
  panel->PaintTo(target.DC(), 0, 0);
  for (int x : {0, 4, 5, 421, 837, 838})
    for (int y : {0, 2, 3, 6}) EXPECT_EQ(target.Pixel(x, y), RGB(40 * (x % 5) + 1, 50 * (y % 3) + 1, 77)) << x << "," << y;

  panel->SetBounds(0, 0, 10, 6);
  panel->SetDrawStyle(suiStretch);
  MemoryBitmap stretched(10, 6, 0);
  panel->PaintTo(stretched.DC(), 0, 0);
  EXPECT_EQ(stretched.Pixel(9, 5), RGB(40 * 4 + 1, 50 * 2 + 1, 77));
  EXPECT_EQ(stretched.Pixel(0, 0), RGB(1, 1, 77));
}

TEST(ImagePanel, TransparentPanelShowsTheParentAndTheCaption) {
  TOwned<TPanel> parent(TPanel::Create(nullptr));
  parent->SetBevelOuter(bvNone);
  parent->SetColor(TColor(RGB(9, 99, 199)));
  parent->SetBounds(0, 0, 100, 60);
  TsuiImagePanel* panel = TsuiImagePanel::Create(parent.get());
  panel->SetParent(parent.get());
  panel->SetBounds(10, 10, 60, 30);
  panel->SetColor(TColor(RGB(250, 0, 0)));
  panel->SetTransparent(true);
  MemoryBitmap target(60, 30, 0);
  panel->PaintTo(target.DC(), 0, 0);
  for (int x : {0, 30, 59}) EXPECT_EQ(target.Pixel(x, 15), RGB(9, 99, 199)) << x;

  panel->SetCaption("Caption");
  panel->GetFont()->SetColor(TColor(RGB(0, 0, 0)));
  MemoryBitmap captioned(60, 30, 0);
  panel->PaintTo(captioned.DC(), 0, 0);
  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) dark += captioned.Pixel(x, y) == RGB(0, 0, 0);
  EXPECT_GT(dark, 0);
  EXPECT_EQ(captioned.Pixel(0, 0), RGB(9, 99, 199));
}

TEST(ImagePanel, CaptionOfBlanksDrawsNothing) {
  TOwned<TsuiImagePanel> panel(TsuiImagePanel::Create(nullptr));
  panel->SetBounds(0, 0, 40, 20);
  panel->SetColor(TColor(RGB(200, 200, 10)));
  panel->SetCaption("   ");
  panel->GetFont()->SetColor(TColor(RGB(0, 0, 0)));
  MemoryBitmap target(40, 20, 0);
  panel->PaintTo(target.DC(), 0, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(target.Pixel(x, y), RGB(200, 200, 10)) << x << "," << y;
}

TEST(ImagePanel, AutoSizeFollowsThePictureAcrossTheAlignment) {
  TOwned<TBitmap> picture = Marked(30, 12);
  struct Case {
    TAlign align;
    int width, height;
  };
  for (const Case c : {Case{alNone, 30, 12}, Case{alBottom, 100, 12}, Case{alLeft, 30, 50}, Case{alClient, 100, 50}}) {
    TOwned<TsuiImagePanel> panel(TsuiImagePanel::Create(nullptr));
    panel->SetBounds(0, 0, 100, 50);
    panel->SetAlign(c.align);
    panel->SetAutoSize(true);
    Show(panel.get(), picture.get());
    EXPECT_EQ(panel->GetWidth(), c.width) << c.align;
    EXPECT_EQ(panel->GetHeight(), c.height) << c.align;
  }
}
