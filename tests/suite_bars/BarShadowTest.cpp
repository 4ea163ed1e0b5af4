// Shadow parts around popups and their owners, the alpha of their pictures, the
// solid band without layered windows, and clicks passing through.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarShadow.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
std::vector<int> Box(const RECT& R) {
  return {static_cast<int>(R.left), static_cast<int>(R.top), static_cast<int>(R.right), static_cast<int>(R.bottom)};
}

struct TLayered {
  explicit TLayered(int Value) { TdxBarShadow::SetLayeredOverride(Value); }
  ~TLayered() { TdxBarShadow::SetLayeredOverride(-1); }
};

// The parts as (kind, corners, left, top, right, bottom).
std::vector<std::vector<int>> Parts(TdxBarShadow& S) {
  std::vector<std::vector<int>> All;
  for (int I = 0; I < S.PartCount(); ++I) {
    TdxBarShadowPart* P = S.Part(I);
    std::vector<int> Row{P->GetKind(), static_cast<int>(P->GetCorners())};
    std::vector<int> B = Box(P->GetBoundsRect());
    Row.insert(Row.end(), B.begin(), B.end());
    All.push_back(Row);
  }
  return All;
}

TEST(BarShadowParts, OwnerBelowAboveAndBesideMakeOneShape) {
  TLayered Layered(1);
  const RECT Button{100, 100, 140, 120};
  const RECT Below{100, 120, 250, 300};
  TdxBarShadow Down(nullptr);
  Down.SetRects(Button, Below);
  EXPECT_TRUE(Down.IsHorizontal());
  const std::vector<std::vector<int>> DownParts{{1, 4, 140, 104, 144, 120},
                                                {0, 3, 104, 300, 254, 304},
                                                {1, 4, 250, 124, 254, 300}};
  EXPECT_EQ(DownParts, Parts(Down));
  // Opened upwards the same shape comes out with the roles exchanged.
  const RECT Above{100, 0, 250, 100};
  const RECT LowButton{100, 100, 140, 120};
  TdxBarShadow Up(nullptr);
  Up.SetRects(LowButton, Above);
  EXPECT_TRUE(Up.IsHorizontal());
  EXPECT_EQ(Box(Above), Box(Up.GetOwnerRect()));
  const std::vector<std::vector<int>> UpParts{{1, 4, 250, 4, 254, 100},
                                              {0, 3, 104, 120, 144, 124},
                                              {0, 2, 140, 100, 254, 104},
                                              {1, 0, 140, 100, 144, 120}};
  EXPECT_EQ(UpParts, Parts(Up));
  // A sub-menu beside its item, reaching below it.
  const RECT Item{100, 100, 200, 120};
  const RECT Beside{200, 90, 320, 250};
  TdxBarShadow Side(nullptr);
  Side.SetRects(Item, Beside);
  EXPECT_FALSE(Side.IsHorizontal());
  const std::vector<std::vector<int>> SideParts{{1, 4, 320, 94, 324, 250},
                                                {0, 1, 104, 120, 200, 124},
                                                {0, 3, 204, 250, 324, 254}};
  EXPECT_EQ(SideParts, Parts(Side));
  // Without owner: the band at the right and the band below.
  TdxBarShadow Alone(nullptr);
  Alone.SetRects(RECT{0, 0, 0, 0}, Below);
  const std::vector<std::vector<int>> AloneParts{{0, 3, 104, 300, 254, 304}, {1, 4, 250, 124, 254, 300}};
  EXPECT_EQ(AloneParts, Parts(Alone));
}

// The alpha byte of a 32-bit picture's pixel.
int AlphaOf(TBitmap* Image, int X, int Y) { return static_cast<const BYTE*>(Image->ScanLine(Y))[X * 4 + 3]; }

TEST(BarShadowParts, PicturesFadeOutwardAndAtTheirEnds) {
  TLayered Layered(1);
  TdxBarShadow S(nullptr);
  S.SetRects(RECT{0, 0, 0, 0}, RECT{100, 100, 200, 200});
  ASSERT_EQ(2, S.PartCount());
  TBitmap* Below = S.Part(0)->GetImage();  // 100 x 4, both ends fading
  ASSERT_EQ(100, Below->GetWidth());
  for (int Y = 0; Y < 4; ++Y) EXPECT_EQ(60 - 15 * Y, AlphaOf(Below, 50, Y)) << "row " << Y;
  const int LeftEnd[] = {MulDiv(60, 1, 5), MulDiv(60, 2, 5), MulDiv(60, 3, 5), MulDiv(60, 4, 5), 60};
  for (int X = 0; X < 5; ++X) {
    EXPECT_EQ(LeftEnd[X], AlphaOf(Below, X, 0)) << "left end " << X;
    EXPECT_EQ(LeftEnd[X], AlphaOf(Below, 99 - X, 0)) << "right end " << X;
  }
  TBitmap* Right = S.Part(1)->GetImage();  // 4 wide, its top end fading
  for (int X = 0; X < 4; ++X) EXPECT_EQ(60 - 15 * X, AlphaOf(Right, X, 50));
  EXPECT_EQ(MulDiv(45, 1, 5), AlphaOf(Right, 1, 0));
}

TEST(BarShadowParts, WithoutLayeredWindowsABandOfTwoPixels) {
  TLayered Layered(0);
  EXPECT_EQ(2, TdxBarShadow::Extent());
  TdxBarShadow S(nullptr);
  S.SetRects(RECT{0, 0, 0, 0}, RECT{100, 100, 200, 200});
  EXPECT_EQ((std::vector<int>{102, 200, 202, 202}), Box(S.Part(0)->GetBoundsRect()));
  EXPECT_EQ((std::vector<int>{200, 102, 202, 200}), Box(S.Part(1)->GetBoundsRect()));
}

struct ShadowFixture : BarFormFixture {};

TEST_F(ShadowFixture, ShownPartsLetTheMouseThroughAndPaintTheButtonShadowColour) {
  TLayered Layered(0);
  RECT F = QueryWindowRect(Form->GetHandle());
  TdxBarShadow S(nullptr);
  S.SetRects(RECT{0, 0, 0, 0}, RECT{F.left + 50, F.top + 50, F.left + 150, F.top + 150});
  S.SetShown(true);
  Pump();
  TdxBarShadowPart* Below = S.Part(0);
  ASSERT_TRUE(Below->HandleAllocated() && IsWindowVisible(Below->GetHandle()));
  EXPECT_EQ(HTTRANSPARENT, SendMessageW(Below->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(F.left + 100, F.top + 151)));
  EXPECT_EQ(Form->GetHandle(), WindowFromPoint(POINT{F.left + 100, F.top + 151}));
  HDC DC = GetDC(nullptr);
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), GetPixel(DC, F.left + 100, F.top + 151));
  ReleaseDC(nullptr, DC);
  S.SetShown(false);
  EXPECT_FALSE(Below->HandleAllocated());
}
}  // namespace
