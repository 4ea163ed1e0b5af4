// What the advanced explorer-bar view (the main window's) puts into the
// off-screen bitmap under Wine, where no colour scheme is detected.
#include "tests/suite_navbar/NavBarFixture.h"

#include <cstdlib>

#include "suite/common/Office11Colors.h"
#include "suite/navbar/NavBarCustomPainters.h"
#include "suite/navbar/NavBarGraphics.h"
#include "tests/support/MemoryDC.h"

namespace {
bool Near(COLORREF A, COLORREF B, int Tolerance) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}
COLORREF Rgb(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

struct View10Fixture : NavBarFixture {
  void SetUp() override {
    NavBarFixture::SetUp();
    Bar->SetBounds(0, 0, 180, 400);
    Paint();
  }
  // Whether some pixel of R has colour C.
  bool Holds(const RECT& R, COLORREF C) {
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.left; X < R.right; ++X)
        if (BitmapPixel(X, Y) == C) return true;
    return false;
  }
};
}  // namespace

TEST_F(View10Fixture, CaptionsAreGradientsWithRoundedTopCorners) {
  RECT C = GVI(1)->CaptionRect;
  COLORREF Background = Rgb(clInactiveCaption);
  COLORREF Header1 = Rgb(clWindow), Header2 = Rgb(LightenColor(clHighlight, 40));
  COLORREF GroupBackground = Rgb(LightenColor(clInactiveCaption, 40)), Border = Rgb(clWhite);
  // The corners show what lies under the caption: the group's background, and
  // its border in the outer column.
  struct Corner {
    POINT P;
    COLORREF Shows;
  } Corners[] = {{{C.left + 1, C.top}, GroupBackground}, {{C.right - 2, C.top}, GroupBackground},
                 {{C.left, C.top}, Border},          {{C.right - 1, C.top + 1}, Border}};
  for (const Corner& K : Corners) EXPECT_EQ(BitmapPixel(K.P.x, K.P.y), K.Shows) << K.P.x << ", " << K.P.y;
  EXPECT_TRUE(Near(BitmapPixel(C.right - 3, C.top), Header2, 8));
  EXPECT_TRUE(Near(BitmapPixel(C.right - 2, C.top + 1), Header2, 8));
  EXPECT_TRUE(Near(BitmapPixel(C.left + 2, C.top + 2), Header1, 8));
  EXPECT_TRUE(Near(BitmapPixel(C.right - 3, C.bottom - 2), Header2, 8));
  // Horizontal: the middle lies between the two.
  COLORREF Mid = BitmapPixel((C.left + C.right) / 2, C.bottom - 2);
  EXPECT_FALSE(Near(Mid, Header1, 4));
  EXPECT_FALSE(Near(Mid, Header2, 4));
  // Below the caption the group background, then the bar's.
  EXPECT_EQ(BitmapPixel(C.left + 3, GVI(1)->ClientRect.top + 3), GroupBackground);
  EXPECT_EQ(BitmapPixel(4, 4), Background);
}

TEST_F(View10Fixture, SignsTakeTheSignColourOnTheirBluePixels) {
  RECT S = GVI(0)->SignRect;
  ASSERT_EQ(S.right - S.left, 22);
  COLORREF Sign = Rgb(clActiveCaption);
  // The collapse sign's first chevron stroke starts at (7, 9).
  EXPECT_EQ(BitmapPixel(S.left + 7, S.top + 9), Sign);
  EXPECT_EQ(BitmapPixel(S.left + 14, S.top + 9), Sign);
  // The magenta surround drops out; the disc stays near white.
  COLORREF Under = BitmapPixel(S.left - 1, S.top);
  EXPECT_FALSE(Holds(S, RGB(255, 0, 255)));
  EXPECT_TRUE(Near(BitmapPixel(S.left, S.top), Under, 16));
  EXPECT_TRUE(Near(BitmapPixel(S.left + 10, S.top + 4), RGB(252, 252, 252), 6));
  // A collapsed group shows the other sign: chevrons pointing down.
  G[0]->SetExpanded(false);
  Paint();
  S = GVI(0)->SignRect;
  EXPECT_EQ(BitmapPixel(S.left + 7, S.top + 6), Sign);
  EXPECT_NE(BitmapPixel(S.left + 7, S.top + 9), Sign);
}

TEST_F(View10Fixture, LinkTextColoursFollowTheState) {
  I[1]->SetEnabled(false);
  Paint();
  EXPECT_TRUE(Holds(LVI(0, 0)->CaptionRect, Rgb(clActiveCaption)));
  EXPECT_TRUE(Holds(LVI(0, 1)->CaptionRect, Rgb(LightenColor(clActiveCaption, 40))));
  EXPECT_FALSE(Holds(LVI(0, 1)->CaptionRect, Rgb(clActiveCaption)));
  // The hot link's text is lighter.
  POINT P = Bar->ClientToScreen(Center(LVI(0, 0)->ImageRect));
  SetCursorPos(P.x, P.y);
  POINT C = Center(LVI(0, 0)->ImageRect);
  PostMouse(Wnd(), WM_MOUSEMOVE, C.x, C.y);
  Pump();
  Paint();
  EXPECT_EQ(Bar->GetHotTrackedLink(), G[0]->Links(0));
  EXPECT_TRUE(Holds(LVI(0, 0)->CaptionRect, Rgb(LightenColor(clActiveCaption, 80))));
}

TEST(NavBarGradient, ThinRectanglesTakeTheFirstColourAlongTheirShortAxis) {
  TMemoryDC M(40, 40);
  struct Case {
    RECT R;
    TdxBarStyleGradientMode Mode;
  } Cases[] = {{{5, 5, 6, 30}, gmHorizontal}, {{5, 5, 30, 6}, gmVertical}, {{5, 5, 6, 6}, gmForwardDiagonal}};
  for (const Case& C : Cases) {
    PaintBlockGradient(M.DC(), C.R, clRed, clBlue, C.Mode);
    EXPECT_EQ(M.Pixel(C.R.left, C.R.top), RGB(255, 0, 0));
    EXPECT_EQ(M.Pixel(C.R.right - 1, C.R.bottom - 1), RGB(255, 0, 0));
  }
  // A wide rectangle runs from the first colour to the second.
  PaintBlockGradient(M.DC(), RECT{0, 0, 40, 2}, clRed, clBlue, gmHorizontal);
  EXPECT_EQ(M.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(M.Pixel(39, 1), RGB(0, 0, 255));
}

TEST(NavBarStyleSheet, BorderColoursApplyWhenTheyParseAndAreIgnoredOtherwise) {
  TdxStyleSheetParser P(".plain {border: 1px solid #000000;}\n.broken {border: 1px solid #12zz56;}\n"
                        ".short {border: #12;}\n.blue {border: 1px solid #0a141e;}");
  struct Case {
    const char* Selector;
    TColor Expected;
  } Cases[] = {{".plain", clBlack}, {".broken", clRed}, {".short", clRed}, {".blue", TColor(0x1E140A)}, {".none", clRed}};
  for (const Case& C : Cases) {
    TColor Colour = clRed;
    P.ReadBorderColor(Colour, C.Selector);
    EXPECT_EQ(Colour, C.Expected) << C.Selector;
  }
}
