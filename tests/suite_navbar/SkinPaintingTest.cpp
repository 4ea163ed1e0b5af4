// Drawing skin elements into memory bitmaps, and binding skins by name.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "suite/navbar/SkinInfo.h"

namespace {
// A W x H picture whose pixel is Colour(X, Y) (0xAARRGGBB).
template <class F>
TdxPNGImage* Picture(int W, int H, F Colour) {
  TBitmap* B = TBitmap::Create();
  B->SetPixelFormat(pf32bit);
  B->SetSize(W, H);
  for (int Y = 0; Y < H; ++Y) {
    auto* Row = static_cast<std::uint32_t*>(B->ScanLine(Y));
    for (int X = 0; X < W; ++X) Row[X] = Colour(X, Y);
  }
  TdxPNGImage* P = TdxPNGImage::Create();
  P->TakeFrom(B);
  Free(B);
  return P;
}

TBitmap* Target(TPixelFormat Format, int W, int H, TColor Fill) {
  TBitmap* B = TBitmap::Create();
  B->SetPixelFormat(Format);
  B->SetSize(W, H);
  B->GetCanvas()->GetBrush()->SetColor(Fill);
  B->GetCanvas()->FillRect(RECT{0, 0, W, H});
  return B;
}

bool Near(COLORREF A, COLORREF B, int D) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= D && std::abs(GetGValue(A) - GetGValue(B)) <= D &&
         std::abs(GetBValue(A) - GetBValue(B)) <= D;
}

struct SkinPaintingFixture : ::testing::Test {
  TOwned<TdxSkin> Skin{TdxSkin::Create("Paint")};
  TdxSkinElement* E = nullptr;
  void SetUp() override { E = Skin->AddGroup("NavBar")->AddElement("Item"); }
};
}  // namespace

TEST_F(SkinPaintingFixture, CellsFollowImageCountStatesAndFallBackToTheLowestState) {
  TOwned<TdxPNGImage> P(Picture(100, 20, [](int X, int) { return 0xFF000000u | static_cast<std::uint32_t>(X); }));
  E->GetImage()->GetPicture()->Assign(P.get());
  E->SetImageCount(2);
  E->GetImage()->SetStates((1u << esNormal) | (1u << esHot));
  SIZE C = E->GetImage()->CellSize();
  EXPECT_EQ(C.cx, 25);
  EXPECT_EQ(C.cy, 20);
  EXPECT_EQ(E->GetImage()->SourceCell(esHot, 1).left, 75);
  EXPECT_EQ(E->GetImage()->SourceCell(esNormal, 1).left, 50);
  // A state the strip lacks takes the lowest one present.
  EXPECT_EQ(E->GetImage()->SourceCell(esPressed, 0).left, E->GetImage()->SourceCell(esNormal, 0).left);
  // Drawn: the hot cell of image 1 lands in the target (its pixels carry their x in blue).
  TOwned<TBitmap> T(Target(pf32bit, 25, 20, clWhite));
  E->GetImage()->Draw(T->GetCanvas()->GetHandle(), RECT{0, 0, 25, 20}, esHot, 1);
  EXPECT_EQ(GetPixel(T->GetCanvas()->GetHandle(), 3, 10), RGB(0, 0, 78));
}

TEST(SkinNineParts, MarginsThatDoNotFitShrinkInProportionAndStretch) {
  RECT Parts[9];
  int Stretch[9];
  SkinNineParts(RECT{0, 0, 12, 30}, RECT{10, 4, 10, 4}, true, Parts, Stretch);
  EXPECT_EQ(Parts[0].right - Parts[0].left, 6);
  EXPECT_EQ(Parts[8].right - Parts[8].left, 6);
  EXPECT_EQ(Parts[4].right - Parts[4].left, 0);
  EXPECT_EQ(Stretch[0], 1);
  EXPECT_EQ(Stretch[6], 1);
  EXPECT_EQ(Parts[1].bottom - Parts[1].top, 22);
  // Margins that fit keep the corners at natural size.
  SkinNineParts(RECT{0, 0, 40, 30}, RECT{10, 4, 10, 4}, true, Parts, Stretch);
  EXPECT_EQ(Parts[0].right, 10);
  EXPECT_EQ(Stretch[0], 0);
  EXPECT_EQ(Stretch[4], 1);
}

TEST_F(SkinPaintingFixture, BackgroundFillsOnlyWhereThePictureLetsItShow) {
  HDC DC;
  // A half-transparent colour without a picture blends over the target.
  E->SetColor(static_cast<TColor>(0x0000FF));  // red
  E->SetAlpha(128);
  TOwned<TBitmap> T(Target(pf32bit, 10, 10, clWhite));
  DC = T->GetCanvas()->GetHandle();
  E->Draw(DC, RECT{0, 0, 10, 10}, esNormal);
  EXPECT_TRUE(Near(GetPixel(DC, 5, 5), RGB(255, 127, 127), 3));
  // An opaque picture that fills the element hides the colour.
  E->SetAlpha(255);
  TOwned<TdxPNGImage> P(Picture(10, 10, [](int, int) { return 0xFF00FF00u; }));
  E->GetImage()->GetPicture()->Assign(P.get());
  E->GetImage()->SetStates(1u << esNormal);
  TOwned<TBitmap> T2(Target(pf32bit, 10, 10, clWhite));
  DC = T2->GetCanvas()->GetHandle();
  E->Draw(DC, RECT{0, 0, 10, 10}, esNormal);
  EXPECT_EQ(GetPixel(DC, 5, 5), RGB(0, 255, 0));
  // A picture with transparent pixels lets the colour through there.
  TOwned<TdxPNGImage> Holed(Picture(10, 10, [](int X, int) { return X < 5 ? 0x00000000u : 0xFF00FF00u; }));
  E->GetImage()->GetPicture()->Assign(Holed.get());
  TOwned<TBitmap> T3(Target(pf32bit, 10, 10, clWhite));
  DC = T3->GetCanvas()->GetHandle();
  E->Draw(DC, RECT{0, 0, 10, 10}, esNormal);
  EXPECT_EQ(GetPixel(DC, 1, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(DC, 8, 5), RGB(0, 255, 0));
}

TEST_F(SkinPaintingFixture, ASixteenBitTargetGetsTheSamePictureThroughABuffer) {
  TOwned<TdxPNGImage> P(Picture(8, 8, [](int X, int Y) {
    return X == Y ? 0xFF0000FFu : (X + Y) % 2 ? 0x00000000u : 0xFFFF0000u;
  }));
  E->GetImage()->GetPicture()->Assign(P.get());
  E->GetImage()->SetStates(1u << esNormal);
  TOwned<TBitmap> Deep(Target(pf32bit, 20, 20, clWhite));
  TOwned<TBitmap> Shallow(Target(pf16bit, 20, 20, clWhite));
  RECT R{4, 6, 12, 14};
  E->Draw(Deep->GetCanvas()->GetHandle(), R, esNormal);
  E->Draw(Shallow->GetCanvas()->GetHandle(), R, esNormal);
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 20; ++X)
      ASSERT_TRUE(Near(GetPixel(Deep->GetCanvas()->GetHandle(), X, Y), GetPixel(Shallow->GetCanvas()->GetHandle(), X, Y), 8))
          << X << "," << Y;
  EXPECT_EQ(GetPixel(Deep->GetCanvas()->GetHandle(), 6, 8), RGB(0, 0, 255));
}

TEST(SkinInfoBinding, MissingElementsBecomeRedCrossPlaceholders) {
  TdxSkin* Skin = TdxSkin::Create("Bare");
  Skin->AddGroup("Bars");
  TOwned<TdxNavBarSkinInfo> Info(TdxNavBarSkinInfo::Create(Skin));
  Info->InitializeElements();
  TdxSkinControlGroup* NavBar = Skin->GroupByName("NavBar");
  ASSERT_NE(NavBar, nullptr);
  EXPECT_EQ(NavBar->ElementCount(), 8);
  EXPECT_EQ(Info->NavBarBackground->UsageMark, 2);
  EXPECT_GT(Info->PlaceholderCount(), 8);
  TOwned<TBitmap> T(Target(pf32bit, 32, 32, clBlue));
  HDC DC = T->GetCanvas()->GetHandle();
  Info->NavBarItem->Draw(DC, RECT{0, 0, 32, 32}, esHot);
  EXPECT_TRUE(Near(GetPixel(DC, 16, 16), RGB(255, 0, 0), 40));
  EXPECT_TRUE(Near(GetPixel(DC, 4, 4), RGB(255, 0, 0), 40));
  EXPECT_EQ(GetPixel(DC, 16, 3), RGB(255, 255, 255));
}

TEST(SkinInfoBinding, StoredSkinsBindWithoutPlaceholders) {
  for (const char* Name : {"OFFICE12_BLUE", "OFFICE12_BLACK", "OFFICE12_SILVER", "VISTA"}) {
    TdxSkin* Skin = TdxSkin::Create(Name);
    TOwned<TResourceStream> R(TResourceStream::Create(GetModuleHandleW(nullptr), Name, L"DXNAVBARSKINS"));
    Skin->LoadFromStream(R.get());
    TOwned<TdxNavBarSkinInfo> Info(TdxNavBarSkinInfo::Create(Skin));
    Info->InitializeElements();
    EXPECT_EQ(Info->PlaceholderCount(), 0) << Name;
    EXPECT_EQ(Info->NavPaneCaptionHeight, 28) << Name;
  }
}
