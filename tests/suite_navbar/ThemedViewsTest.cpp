// The views that follow the visual style: without it they draw exactly as the
// views they derive from; the XP explorer bar's sign blending keeps transparent
// pixels; the Office 11 task pane recolours its signs.
#include "tests/suite_navbar/NavBarFixture.h"

#include <cstring>

#include "suite/common/ThemeManager.h"
#include "suite/navbar/NavBarXPViews.h"

namespace {
struct ThemedViewsFixture : NavBarFixture {
  std::vector<COLORREF> Picture(int View) {
    Bar->SetView(View);
    Paint();
    std::vector<COLORREF> P;
    for (int Y = 0; Y < Bar->GetClientHeight(); Y += 2)
      for (int X = 0; X < Bar->GetClientWidth(); X += 2) P.push_back(BitmapPixel(X, Y));
    return P;
  }
};
}  // namespace

TEST_F(ThemedViewsFixture, WithoutVisualStylesTheyDrawAsTheirParents) {
  TUxThemeEntries Saved = SubstituteUxTheme(TUxThemeEntries{});
  struct Row {
    int Themed, Parent;
  } Rows[] = {{7, 2}, {11, 8}};
  for (const Row& R : Rows) EXPECT_TRUE(Picture(R.Themed) == Picture(R.Parent)) << R.Themed;
  SubstituteUxTheme(Saved);
}

TEST(XPSignBlend, TransparentPixelsLeaveTheDestinationAlone) {
  TBitmap* Sign = TBitmap::Create();
  Sign->SetPixelFormat(pf32bit);
  Sign->SetSize(2, 1);
  auto* S = static_cast<std::uint32_t*>(Sign->ScanLine(0));
  S[0] = 0x00FFFFFF;  // fully transparent white
  S[1] = 0xFF102030;  // opaque
  TBitmap* Dest = TBitmap::Create();
  Dest->SetPixelFormat(pf32bit);
  Dest->SetSize(2, 1);
  HDC DC = Dest->GetCanvas()->GetHandle();
  SetPixelV(DC, 0, 0, RGB(0, 128, 255));
  SetPixelV(DC, 1, 0, RGB(0, 0, 0));
  AlphaBlendSign(DC, Sign, 0, 0);
  EXPECT_EQ(GetPixel(DC, 0, 0), RGB(0, 128, 255));
  EXPECT_EQ(GetPixel(DC, 1, 0), RGB(0x10, 0x20, 0x30));
  // Half way rounds to the nearest value.
  EXPECT_EQ(BlendSignChannel(128, 255, 0), 128);
  EXPECT_EQ(BlendSignChannel(0, 200, 0), 0);
  Free(Sign);
  Free(Dest);
}

TEST_F(ThemedViewsFixture, TaskPaneSignsTakeTheCaptionColours) {
  Bar->SetView(12);
  Paint();
  TdxNavBarGroupViewInfo* Gv = GVI(0);
  RECT S = Gv->SignRect;
  ASSERT_FALSE(IsRectEmpty(&S));
  COLORREF C1 = ColorToRGB(Gv->GetCaptionBackColor()), C2 = ColorToRGB(Gv->GetCaptionBackColor2());
  // The disc's brightest pixel (top left) and darkest (bottom right) take the two colours.
  auto Near = [](COLORREF A, COLORREF B) {
    return std::abs(GetRValue(A) - GetRValue(B)) < 24 && std::abs(GetGValue(A) - GetGValue(B)) < 24 &&
           std::abs(GetBValue(A) - GetBValue(B)) < 24;
  };
  EXPECT_TRUE(Near(BitmapPixel(S.left + 4, S.top + 3), C1));
  EXPECT_TRUE(Near(BitmapPixel(S.left + 11, S.top + 12), C2));
  // The chevron stays black.
  bool Black = false;
  for (int Y = S.top; Y < S.top + 16; ++Y)
    for (int X = S.left; X < S.left + 16; ++X) Black |= BitmapPixel(X, Y) == RGB(0, 0, 0);
  EXPECT_TRUE(Black);
}
