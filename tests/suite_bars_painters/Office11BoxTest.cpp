// The gradient look draws a docked toolbar as a box with rounded ends over the
// dock's background; its corner, shadow and mark pixels follow fixed tables.
#include <gtest/gtest.h>

#include "suite/common/Office11Drawing.h"
#include "tests/suite_bars_painters/PainterFixture.h"

namespace {
struct PixelCase {
  int X, Y;
  TColor Colour;
};

TColor Half(TColor A, TColor B) { return BlendColors(A, B, 50); }
}  // namespace

struct Office11BoxFixture : PainterFixture {
  // Draws the docked frame of a W x H toolbar without a dock site (whose
  // background is then plain Office11Color3) and checks the listed pixels.
  void Check(TdxBarDockingStyle Style, int W, int H, bool Mark, const std::vector<PixelCase>& Pixels) {
    TdxBarPainter* P = Use(TdxBarOffice11Painter::StaticClass());
    Toolbar->ChangeDockingStyle(Style);
    Toolbar->SetBounds(0, 0, W, H);
    Toolbar->V.Mark = Mark;
    Toolbar->SetMarkSize(11);
    TMemoryDC Dc(W, H);
    FillBackdrop(Dc, W, H);
    P->DrawGrip(Toolbar, Dc.DC(), Toolbar->ToolbarBrush(), RECT{0, 0, W, H});
    for (const PixelCase& C : Pixels)
      EXPECT_EQ(Rgb(C.Colour), Dc.Pixel(C.X, C.Y)) << (Mark ? "with" : "without") << " mark at " << C.X << ", " << C.Y;
  }
  // The dock gradient at X over the toolbar's rectangle, and the bar's own gradients.
  TColor D(int X, int W, int H) { return GradientColorAt(RECT{0, 0, W, H}, X, Office11Color3, Office11Color4, true); }
  TColor G(int Y) { return GradientColorAt(TdxBarOffice11Painter::BarGradientRect(Toolbar), Y, Office11Color1, Office11Color2, false); }
  TColor Gv(int X) { return GradientColorAt(TdxBarOffice11Painter::BarGradientRect(Toolbar), X, Office11Color1, Office11Color2, true); }
  void MarkColours(TColor& E, TColor& Z) {
    TColor S, Shade;
    TdxBarOffice11Painter::MarkColors(Toolbar, S, Shade, E, Z);
  }
};

TEST_F(Office11BoxFixture, HorizontalToolbarWithoutMark) {
  const int W = 60, H = 26;
  Toolbar->ChangeDockingStyle(dsTop);
  Toolbar->SetBounds(0, 0, W, H);
  const TColor C3 = Office11Color3, C11 = Office11Color11, C12 = Office11Color12;
  Check(dsTop, W, H, false,
        {{0, 10, C3}, {1, 10, C3}, {30, 0, C3},                        // the dock beside and above
         {2, 24, C3}, {3, 25, C3},                                      // the rounded bottom-left corner
         {3, 23, C12}, {2, 23, Half(D(2, W, H), C12)}, {3, 24, Half(D(2, W, H), C12)},
         {2, 2, Half(D(2, W, H), G(2))}, {3, 1, Half(D(2, W, H), G(2))},
         {58, 1, Half(D(W, W, H), G(2))}, {59, 2, Half(D(W, W, H), G(2))},
         {30, 25, C11}, {58, 24, C12}, {58, 25, Half(C12, D(W, W, H))}, {59, 24, Half(C12, D(W, W, H))},
         {2, 1, C3}, {59, 1, C3}, {2, 25, C3}, {59, 25, C3}});
}

TEST_F(Office11BoxFixture, HorizontalToolbarWithMark) {
  const int W = 60, H = 26;
  Toolbar->ChangeDockingStyle(dsTop);
  Toolbar->SetBounds(0, 0, W, H);
  TColor E, Z;
  MarkColours(E, Z);
  const TColor C11 = Office11Color11, C12 = Office11Color12;
  Check(dsTop, W, H, true,
        {{48, 1, E}, {58, 2, E}, {47, 1, Half(E, G(2))}, {58, 1, Half(E, D(W, W, H))}, {59, 2, Half(E, D(W, W, H))},
         {59, 24, Half(Z, D(W, W, H))}, {58, 25, Half(Z, D(W, W, H))},
         {47, 25, Half(Z, C12)}, {48, 24, Half(Z, C12)}, {47, 24, C12}, {30, 25, C11}, {59, 25, Office11Color3}});
}

TEST_F(Office11BoxFixture, VerticalToolbarWithAndWithoutMark) {
  const int W = 26, H = 60;
  Toolbar->ChangeDockingStyle(dsLeft);
  Toolbar->SetBounds(0, 0, W, H);
  const TColor C3 = Office11Color3, C11 = Office11Color11, C12 = Office11Color12;
  Check(dsLeft, W, H, false,
        {{10, 0, C3}, {10, 1, C3}, {0, 30, C3},                          // the dock above and beside
         {24, 3, C12}, {24, 2, Half(C3, C12)}, {25, 3, Half(C3, C12)},
         {1, 3, Half(C3, Gv(1))}, {2, 2, Half(C3, Gv(1))},
         {1, 58, Half(C3, Gv(2))}, {2, 59, Half(C3, Gv(2))},
         {25, 30, C11}, {24, 58, C12}, {24, 59, Half(C12, C3)}, {25, 58, Half(C12, C3)},
         {1, 2, C3}, {25, 2, C3}, {1, 59, C3}, {25, 59, C3}});
  TColor E, Z;
  MarkColours(E, Z);
  Check(dsLeft, W, H, true,
        {{1, 47, Half(E, Gv(2))}, {1, 48, E}, {2, 58, E}, {1, 58, Half(E, C3)}, {2, 59, Half(E, C3)},
         {25, 58, Half(Z, C3)}, {24, 59, Half(Z, C3)}, {24, 48, Half(Z, C12)}, {25, 47, Half(Z, C12)},
         {24, 47, C12}, {25, 30, C11}});
}
