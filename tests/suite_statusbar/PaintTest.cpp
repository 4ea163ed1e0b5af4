// What the painters put into a memory bitmap: borders, bevels, separators, the
// grip masked over the bar colour with no panel over it, and the visual style's
// parts with the prefix's own style on, the standard look with styles off.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/ThemeManager.h"
#include "suite/navbar/StatusBarKeyboardState.h"
#include "tests/suite_statusbar/StatusBarFixture.h"

namespace {

const COLORREF Green = RGB(0, 128, 0);
const COLORREF White = RGB(255, 255, 255);

// Green bar, two white text panels: 100 fixed, then one taking the rest.
struct PaintFixture : StatusBarFixture {
  COLORREF Shadow = 0, Light = 0, Face = 0;
  void SetUp() override {
    StatusBarFixture::SetUp();
    Bar->UseStub(false);
    Bar->SetColor(clGreen);
    AddPanel(100)->GetPanelStyle()->SetColor(clWhite);
    AddPanel(50)->GetPanelStyle()->SetColor(clWhite);
    Shadow = RGBOf(clBtnShadow);
    Light = RGBOf(clBtnHighlight);
    Face = RGBOf(clBtnFace);
  }
  // Every pixel of R is one of the grip's own colours over the bar colour.
  void ExpectGripOnly(const TMemoryDC& M, RECT R) {
    int GlyphPixels = 0;
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.left; X < R.right; ++X) {
        const COLORREF C = M.Pixel(X, Y);
        EXPECT_TRUE(C == Green || C == Shadow || C == Light) << X << ", " << Y;
        if (C != Green) ++GlyphPixels;
      }
    EXPECT_GT(GlyphPixels, 10);
  }
};

// Rows 0-1 the top line; panel 0 at 0..101, a separator at 102-103, panel 1 from
// 104; the grip (383, 4)-(399, 20) inside (1, 3)-(399, 20).
TEST_F(PaintFixture, StandardBevelsSeparatorsAndGrip) {
  auto M = Paint();
  EXPECT_EQ(M->Pixel(50, 0), Green);
  EXPECT_EQ(M->Pixel(50, 1), Green);
  EXPECT_EQ(M->Pixel(0, 10), Shadow);
  EXPECT_EQ(M->Pixel(50, 2), Shadow);
  EXPECT_EQ(M->Pixel(101, 10), Light);
  EXPECT_EQ(M->Pixel(50, 20), Light);
  EXPECT_EQ(M->Pixel(50, 10), White);
  EXPECT_EQ(M->Pixel(102, 10), Green);
  EXPECT_EQ(M->Pixel(103, 10), Green);
  EXPECT_EQ(M->Pixel(104, 10), Shadow);
  ExpectGripOnly(*M, RECT{383, 4, 399, 20});
  // The bevel of the last panel stops where the grip's lines begin.
  EXPECT_EQ(M->Pixel(399, 5), Light);
  EXPECT_EQ(M->Pixel(399, 15), Green);
  EXPECT_EQ(M->Pixel(300, 20), Light);
  EXPECT_EQ(M->Pixel(390, 20), Green);
}

TEST_F(PaintFixture, StandardFrameOfBorderWidth) {
  Bar->SetBorderWidth(3);
  auto M = Paint();
  for (POINT P : {POINT{50, 2}, POINT{50, 4}, POINT{1, 10}, POINT{2, 10}, POINT{50, 18}, POINT{50, 20}})
    EXPECT_EQ(M->Pixel(P.x, P.y), Green) << P.x << ", " << P.y;
  EXPECT_EQ(M->Pixel(3, 10), Shadow);
  EXPECT_EQ(M->Pixel(50, 5), Shadow);
  EXPECT_EQ(M->Pixel(50, 17), Light);
  EXPECT_EQ(M->Pixel(50, 10), White);
  // The last panel ends at the right frame; the grip and its lines lie inside.
  EXPECT_EQ(M->Pixel(300, 5), Shadow);
  EXPECT_EQ(M->Pixel(300, 17), Light);
  EXPECT_EQ(M->Pixel(397, 10), Green);
  ExpectGripOnly(*M, RECT{380, 5, 397, 17});
}

TEST_F(PaintFixture, StandardEmptyBar) {
  Bar->GetPanels()->Clear();
  auto M = Paint();
  EXPECT_EQ(M->Pixel(0, 10), Shadow);
  EXPECT_EQ(M->Pixel(50, 2), Shadow);
  EXPECT_EQ(M->Pixel(50, 20), Light);
  EXPECT_EQ(M->Pixel(50, 10), Green);
}

TEST_F(PaintFixture, FlatFramesEveryBevel) {
  Bar->SetPaintStyle(stpsFlat);
  Bar->GetPanels()->Items(1)->SetBevel(dxpbRaised);
  auto M = Paint();
  for (POINT P : {POINT{0, 10}, POINT{101, 10}, POINT{50, 2}, POINT{50, 20}, POINT{104, 10}, POINT{300, 20}})
    EXPECT_EQ(M->Pixel(P.x, P.y), Shadow) << P.x << ", " << P.y;
  EXPECT_EQ(M->Pixel(50, 10), White);
  EXPECT_EQ(M->Pixel(102, 10), Green);
  ExpectGripOnly(*M, RECT{383, 4, 399, 20});
  Bar->GetPanels()->Clear();
  M = Paint();
  EXPECT_EQ(M->Pixel(0, 10), Shadow);
  EXPECT_EQ(M->Pixel(50, 10), Green);
}

// The gradient shows through panels and separators; bevels are one-pixel frames.
TEST_F(PaintFixture, Office11GradientAndFrames) {
  Bar->SetPaintStyle(stpsOffice11);
  auto M = Paint();
  const COLORREF Frame = RGBOf(BlendColors(Office11Color2, clBlack, 90));
  const COLORREF Row10 = M->Pixel(0, 10);
  EXPECT_NE(Row10, Frame);
  EXPECT_NE(M->Pixel(0, 0), M->Pixel(0, 20));
  EXPECT_EQ(M->Pixel(1, 10), Frame);
  EXPECT_EQ(M->Pixel(50, 1), Frame);
  EXPECT_EQ(M->Pixel(102, 10), Frame);
  EXPECT_EQ(M->Pixel(50, 10), Row10);
  EXPECT_EQ(M->Pixel(103, 10), Row10);
  EXPECT_EQ(M->Pixel(104, 10), Row10);
  EXPECT_EQ(M->Pixel(105, 10), Frame);
  // The grip's dots lie in the corner, and no panel colour is anywhere.
  int Dots = 0;
  for (int Y = 3; Y < 19; ++Y)
    for (int X = 383; X < 398; ++X)
      if (M->Pixel(X, Y) != M->Pixel(0, Y) && M->Pixel(X, Y) != Frame) ++Dots;
  EXPECT_GT(Dots, 4);
  for (int X = 0; X < 400; X += 7) EXPECT_NE(M->Pixel(X, 10), White);
}

TEST_F(PaintFixture, XPDrawsTheVisualStyleParts) {
  ASSERT_TRUE(VisualStylesAvailableFor(ThemedKinds({tokStatus})))
      << "the prefix's visual style has no status-bar class";
  Bar->SetPaintStyle(stpsXP);
  ASSERT_EQ(Bar->GetPainter(), TdxStatusBarXPPainter::Instance());
  auto M = Paint();
  const int W = Bar->GetWidth(), H = Bar->GetHeight();
  const std::vector<int> Cells = Widths();
  ASSERT_EQ(Cells.size(), 3u);
  // The bar's background everywhere, panels included; the pane part between
  // the panels; the gripper in the corner, below the top border.
  const HTHEME Theme = ThemeHandleFor(tokStatus);
  TMemoryDC Expect(W, H);
  UxDrawThemeBackground(Theme, Expect.DC(), 0, 0, RECT{0, 0, W, H});
  UxDrawThemeBackground(Theme, Expect.DC(), 1, 0, RECT{Cells[0], 2, Cells[0] + Cells[1], H});
  const SIZE G = TdxStatusBarXPPainter::Instance()->SizeGripExtent();
  IntersectClipRect(Expect.DC(), 0, 2, W, H);
  UxDrawThemeBackground(Theme, Expect.DC(), 3, 0, RECT{W - 1 - G.cx, H - G.cy, W - 1, H});
  // The parts do draw: a background that is not the bitmap's black, a gripper
  // that stands out from it.
  ASSERT_NE(Expect.Pixel(50, 10), RGB(0, 0, 0));
  int GripPixels = 0;
  for (int Y = H - G.cy; Y < H; ++Y)
    for (int X = W - 1 - G.cx; X < W - 1; ++X)
      if (Expect.Pixel(X, Y) != Expect.Pixel(50, Y)) ++GripPixels;
  EXPECT_GT(GripPixels, 4);
  int Differ = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (M->Pixel(X, Y) != Expect.Pixel(X, Y)) ++Differ;
  EXPECT_EQ(Differ, 0);
  // The style ignores BorderWidth.
  Bar->SetBorderWidth(3);
  auto Again = Paint();
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (M->Pixel(X, Y) != Again->Pixel(X, Y)) ++Differ;
  EXPECT_EQ(Differ, 0);
}

TEST_F(PaintFixture, XPFallsBackToStandardWithoutVisualStyles) {
  TUxThemeEntries Saved = SubstituteUxTheme(TUxThemeEntries{});
  SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
  Bar->SetPaintStyle(stpsXP);
  const TdxStatusBarPainterClass Painter = Bar->GetPainter();
  auto M = Paint();
  SubstituteUxTheme(Saved);
  SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(Painter, TdxStatusBarStandardPainter::Instance());
  EXPECT_EQ(M->Pixel(0, 10), Shadow);
  EXPECT_EQ(M->Pixel(102, 10), Green);
  ExpectGripOnly(*M, RECT{383, 4, 399, 20});
}

TEST_F(PaintFixture, KeysHaveBevelsUnlessFullRect) {
  Bar->GetPanels()->Clear();
  auto* S = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(
      AddPanel(-1, "TdxStatusBarKeyboardStatePanelStyle")->GetPanelStyle());
  S->SetColor(clWhite);
  S->SetKeyboardStates({dxksCapsLock, dxksNumLock});
  for (auto* A : {S->GetCapsLockKeyAppearance(), S->GetNumLockKeyAppearance()}) {
    A->SetActiveFontColor(clBlue);
    A->SetInactiveFontColor(clBlue);
  }
  const int Caps = S->GetCapsLockKeyAppearance()->RectWidth(S->GetFont());
  AddPanel(50);
  auto M = Paint();
  // Per key: CAPS at 0, NUM after CAPS, its bevel and a separator.
  EXPECT_EQ(M->Pixel(0, 10), Shadow);
  EXPECT_EQ(M->Pixel(Caps + 1, 10), Light);
  EXPECT_EQ(M->Pixel(Caps + 2, 10), White);
  EXPECT_EQ(M->Pixel(Caps + 4, 10), Shadow);
  S->SetFullRect(true);
  M = Paint();
  // One bevel around the panel, none between the keys.
  EXPECT_EQ(M->Pixel(0, 10), Shadow);
  EXPECT_EQ(M->Pixel(Caps + 1, 10), White);
  EXPECT_EQ(M->Pixel(1 + Caps + 2, 10), White);
}

TEST_F(PaintFixture, TextImagesAndReplacedText) {
  TImageList* Images = TImageList::Create(Form);
  TBitmap* B = TBitmap::Create();
  B->SetSize(16, 16);
  B->GetCanvas()->GetBrush()->SetColor(clRed);
  B->GetCanvas()->FillRect(RECT{0, 0, 16, 16});
  Images->Add(B, nullptr);
  Free(B);
  Bar->SetImages(Images);
  auto* T = static_cast<TdxStatusBarTextPanelStyle*>(Bar->GetPanels()->Items(0)->GetPanelStyle());
  T->SetImageIndex(0);
  // The image sits 1 in from the cell inside the bevel, centred in its height.
  auto M = Paint();
  EXPECT_EQ(M->Pixel(2, 11), RGB(255, 0, 0));
  EXPECT_EQ(M->Pixel(17, 11), RGB(255, 0, 0));
  EXPECT_EQ(M->Pixel(18, 11), White);
  T->SetImageIndex(1);
  M = Paint();
  EXPECT_EQ(M->Pixel(2, 11), White);

  struct TReplace {
    RECT Seen{};
    void GetText(TObject*, const RECT& R, std::string& Text) {
      Seen = R;
      Text = "WWWWWWWW";
    }
  } Replace;
  T->OnGetText = Bind(&Replace, &TReplace::GetText);
  M = Paint();
  EXPECT_EQ(Replace.Seen, (RECT{3, 3, 99, 20}));
  int Dark = 0;
  for (int X = 3; X < 98; ++X)
    for (int Y = 3; Y < 20; ++Y)
      if (GetRValue(M->Pixel(X, Y)) < 100) ++Dark;
  EXPECT_GT(Dark, 20);
  EXPECT_EQ(Bar->GetPanels()->Items(0)->GetText(), "");
}

TEST_F(PaintFixture, DisabledBarDrawsDisabledText) {
  Bar->GetPanels()->Items(0)->SetText("WWWWWWWW");
  auto Count = [&](COLORREF Colour) {
    auto M = Paint();
    int N = 0;
    for (int X = 3; X < 99; ++X)
      for (int Y = 3; Y < 20; ++Y)
        if (M->Pixel(X, Y) == Colour) ++N;
    return N;
  };
  EXPECT_GT(Count(RGB(0, 0, 0)), 20);
  EXPECT_EQ(Count(Shadow), 0);
  Bar->SetEnabled(false);
  EXPECT_EQ(Count(RGB(0, 0, 0)), 0);
  EXPECT_GT(Count(Shadow), 20);
}

// The Office 2003 colours live while a bar does and are made anew on a system
// colour change.
TEST_F(PaintFixture, Office11ColoursHeldAndRefreshed) {
  const int Users = Office11UseCount();
  TdxStatusBar* Other = TdxStatusBar::Create(Form);
  EXPECT_EQ(Office11UseCount(), Users + 1);
  Free(Other);
  EXPECT_EQ(Office11UseCount(), Users);
  const HBRUSH Before = Office11Brush13;
  Bar->Perform(CM_SYSCOLORCHANGE);
  EXPECT_NE(Office11Brush13, Before);
}

}  // namespace
