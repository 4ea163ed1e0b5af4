// Where a speed button puts its glyph and caption (Layout, Margin, Spacing),
// and the action list's image list.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/Action.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "framework/SpeedButton.h"

namespace {

TBitmap* Canvas24(int W, int H) {
  TBitmap* B = TBitmap::Create();
  B->SetPixelFormat(pf24bit);
  B->SetSize(W, H);
  return B;
}

// A 10 x 10 glyph: red, ringed by the fuchsia that the bottom-left pixel makes transparent.
TBitmap* RingedGlyph() {
  TBitmap* G = Canvas24(10, 10);
  G->GetCanvas()->GetBrush()->SetColor(clFuchsia);
  G->GetCanvas()->FillRect(RECT{0, 0, 10, 10});
  G->GetCanvas()->GetBrush()->SetColor(clRed);
  G->GetCanvas()->FillRect(RECT{1, 1, 9, 9});
  return G;
}

// The box of the red pixels the button paints, as {left, top, right, bottom}.
RECT RedBox(TSpeedButton* B) {
  TOwned<TBitmap> Target(Canvas24(B->GetWidth(), B->GetHeight()));
  B->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Target->GetCanvas()->GetHandle()), 0);
  RECT Box{B->GetWidth(), B->GetHeight(), -1, -1};
  for (int Y = 0; Y < B->GetHeight(); ++Y)
    for (int X = 0; X < B->GetWidth(); ++X)
      if (Target->GetCanvas()->GetPixels(X, Y) == clRed) {
        Box.left = std::min<LONG>(Box.left, X);
        Box.top = std::min<LONG>(Box.top, Y);
        Box.right = std::max<LONG>(Box.right, X + 1);
        Box.bottom = std::max<LONG>(Box.bottom, Y + 1);
      }
  return Box;
}

}  // namespace

TEST(SpeedButtonLayout, MarginPlacesTheGlyphFromItsEdge) {
  TOwned<TSpeedButton> B(TSpeedButton::Create(nullptr));
  B->SetBounds(0, 0, 60, 40);
  TOwned<TBitmap> G(RingedGlyph());
  B->SetGlyph(G.get());
  EXPECT_EQ(-1, B->GetMargin());
  struct Case {
    TButtonLayout Layout;
    int Margin;
    RECT Glyph;  // where the 10 x 10 glyph lands; its red core is one pixel in
  } Cases[] = {
      {blGlyphLeft, -1, {25, 15, 35, 25}},  {blGlyphTop, -1, {25, 15, 35, 25}},
      {blGlyphLeft, 5, {5, 15, 15, 25}},    {blGlyphRight, 5, {45, 15, 55, 25}},
      {blGlyphTop, 3, {25, 3, 35, 13}},     {blGlyphBottom, 3, {25, 27, 35, 37}},
      {blGlyphLeft, 0, {0, 15, 10, 25}},
  };
  for (const Case& C : Cases) {
    B->SetLayout(C.Layout);
    B->SetMargin(C.Margin);
    RECT Got = RedBox(B.get());
    EXPECT_EQ(C.Glyph.left + 1, Got.left) << C.Layout << " margin " << C.Margin;
    EXPECT_EQ(C.Glyph.top + 1, Got.top) << C.Layout << " margin " << C.Margin;
    EXPECT_EQ(C.Glyph.right - 1, Got.right) << C.Layout << " margin " << C.Margin;
    EXPECT_EQ(C.Glyph.bottom - 1, Got.bottom) << C.Layout << " margin " << C.Margin;
  }
  // Below -1 means nothing: the margin stays.
  B->SetMargin(-7);
  EXPECT_EQ(0, B->GetMargin());
}

TEST(SpeedButtonLayout, CaptionFollowsTheGlyphBySpacing) {
  TOwned<TBitmap> Target(Canvas24(200, 60));
  TCanvas* C = Target->GetCanvas();
  const std::string Caption = "Play";
  const SIZE T{C->TextWidth(Caption), C->TextHeight(Caption)};
  ASSERT_GT(T.cx, 0);
  const RECT Client{10, 5, 130, 45};  // 120 x 40, offset so positions must add the corner
  const SIZE G{16, 16};
  struct Case {
    TButtonLayout Layout;
    int Margin, Spacing;
    UINT Flags;
    int GlyphX, GlyphY, TextX, TextY;  // relative to the client's corner
  } Cases[] = {
      {blGlyphLeft, 4, 6, DT_SINGLELINE, 4, 12, 4 + 16 + 6, (40 - T.cy) / 2},
      {blGlyphRight, 4, 6, DT_SINGLELINE, 120 - 4 - 16, 12, 120 - 4 - 16 - 6 - T.cx, (40 - T.cy) / 2},
      // Right-to-left reading mirrors glyph-left.
      {blGlyphLeft, 4, 6, DT_SINGLELINE | DT_RIGHT, 120 - 4 - 16, 12, 120 - 4 - 16 - 6 - T.cx, (40 - T.cy) / 2},
      {blGlyphLeft, -1, 6, DT_SINGLELINE, (120 - (16 + 6 + T.cx)) / 2, 12, (120 - (16 + 6 + T.cx)) / 2 + 22,
       (40 - T.cy) / 2},
      {blGlyphTop, 2, 1, DT_SINGLELINE, 52, 2, (120 - T.cx) / 2, 2 + 16 + 1},
      {blGlyphBottom, 2, 1, DT_SINGLELINE, 52, 40 - 2 - 16, (120 - T.cx) / 2, 40 - 2 - 16 - 1 - T.cy},
  };
  for (const Case& K : Cases) {
    POINT GP{};
    RECT TR{};
    CalcButtonLayout(C, Client, G, Caption, K.Layout, K.Margin, K.Spacing, K.Flags, GP, TR);
    const std::string Where = std::to_string(K.Layout) + " margin " + std::to_string(K.Margin);
    EXPECT_EQ(Client.left + K.GlyphX, GP.x) << Where;
    EXPECT_EQ(Client.top + K.GlyphY, GP.y) << Where;
    EXPECT_EQ(Client.left + K.TextX, TR.left) << Where;
    EXPECT_EQ(Client.top + K.TextY, TR.top) << Where;
    EXPECT_EQ(T.cx, TR.right - TR.left) << Where;
    EXPECT_EQ(T.cy, TR.bottom - TR.top) << Where;
  }
}

TEST(SpeedButtonLayout, SpacingMinusOneLeavesEqualGaps) {
  TOwned<TBitmap> Target(Canvas24(200, 60));
  TCanvas* C = Target->GetCanvas();
  const int TW = C->TextWidth("Stop");
  POINT GP{};
  RECT TR{};
  // Centred: the gaps before the glyph, between glyph and caption and after it are equal.
  CalcButtonLayout(C, RECT{0, 0, 151, 30}, SIZE{16, 16}, "Stop", blGlyphLeft, -1, -1, DT_SINGLELINE, GP, TR);
  const int Gap = (151 - 16 - TW) / 3;
  EXPECT_EQ(Gap, GP.x);
  EXPECT_EQ(GP.x + 16 + Gap, TR.left);
  // A given margin: the caption is centred in what is left after the glyph.
  CalcButtonLayout(C, RECT{0, 0, 151, 30}, SIZE{16, 16}, "Stop", blGlyphLeft, 3, -1, DT_SINGLELINE, GP, TR);
  EXPECT_EQ(3, GP.x);
  EXPECT_EQ(3 + 16 + (151 - 19 - TW) / 2, TR.left);
}

TEST(ActionListImages, FollowTheImageListAndForgetItWhenFreed) {
  TOwned<TActionList> List(TActionList::Create(nullptr));
  int Changes = 0;
  struct TCounter : TObject {
    int* N;
    void Count(TObject*) { ++*N; }
  } Counter;
  Counter.N = &Changes;
  List->OnChange = Bind(&Counter, &TCounter::Count);
  TCustomImageList* Images = TCustomImageList::Create(nullptr);
  List->SetImages(Images);
  EXPECT_EQ(Images, List->GetImages());
  EXPECT_EQ(1, Changes);
  TOwned<TBitmap> G(RingedGlyph());
  Images->SetWidth(10);
  Images->SetHeight(10);
  Changes = 0;
  Images->Add(G.get(), nullptr);
  EXPECT_GE(Changes, 1);  // a changed picture reaches the list
  Free(Images);
  EXPECT_EQ(nullptr, List->GetImages());
}
