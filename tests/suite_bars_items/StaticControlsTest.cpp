// Static and progress items on a bar: their sizes from caption, indents, border
// and fixed extents, the progress bar's place and fill in a memory bitmap, and
// the part of the window a position change asks to be drawn again.
#include <gtest/gtest.h>

#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarStaticItemControls.h"
#include "suite/bars/BarStaticItems.h"
#include "tests/suite_bars_painters/PainterFixture.h"

namespace {

struct StaticControlFixture : PainterFixture {
  template <class T>
  T* Add(const std::string& Caption) {
    T* Item = T::Create(Form);
    Item->SetCaption(Caption);
    ToolbarLinks->Links()->AddItem(Item);
    return Item;
  }
  SIZE SizeOf(int Index) {
    Toolbar->Layout();
    TdxBarItemControl* C = Toolbar->ControlOf(Index);
    return SIZE{C->Width(), C->Height()};
  }
};

// The box of the pixels of one colour.
RECT BoxOf(const TMemoryDC& Dc, SIZE S, COLORREF Colour) {
  RECT B{S.cx, S.cy, -1, -1};
  for (int Y = 0; Y < S.cy; ++Y)
    for (int X = 0; X < S.cx; ++X)
      if (Dc.Pixel(X, Y) == Colour) {
        B.left = std::min<LONG>(B.left, X), B.top = std::min<LONG>(B.top, Y);
        B.right = std::max<LONG>(B.right, X + 1), B.bottom = std::max<LONG>(B.bottom, Y + 1);
      }
  return B;
}

TEST_F(StaticControlFixture, StaticSizeFollowsIndentsBorderAndFixedExtents) {
  TdxBarStatic* S = Add<TdxBarStatic>("Ready");
  SIZE Plain = SizeOf(0);
  EXPECT_GT(Plain.cx, Toolbar->ControlOf(0)->TextWidth("Ready"));
  S->SetLeftIndent(3);
  S->SetRightIndent(5);
  S->SetBorderStyle(sbsBump);  // two pixels on each side
  SIZE Framed = SizeOf(0);
  EXPECT_EQ(Plain.cx + 3 + 5 + 4, Framed.cx);
  // Across the bar only the border counts.
  S->SetWidth(80);
  S->SetHeight(30);
  EXPECT_EQ(80, SizeOf(0).cx);
  EXPECT_EQ(30, SizeOf(0).cy);
  // On a rotated bar the fixed extents swap.
  Toolbar->V.Rotated = true;
  SIZE Rotated = SizeOf(0);
  EXPECT_EQ(30, Rotated.cx);
  EXPECT_EQ(80, Rotated.cy);
}

// In a static wider than its caption the text stands where Alignment says.
TEST_F(StaticControlFixture, CaptionFollowsTheAlignment) {
  Use(TdxBarStandardPainter::StaticClass());
  TdxBarStatic* S = Add<TdxBarStatic>("Ab");
  S->SetWidth(160);
  const struct {
    TAlignment Alignment;
    int From, To;  // where the text's centre may lie in the 160 pixels
  } Cases[] = {{taLeftJustify, 0, 30}, {taCenter, 72, 88}, {taRightJustify, 130, 160}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Alignment);
    S->SetAlignment(C.Alignment);
    SIZE Size = Toolbar->Layout();
    TMemoryDC Dc(Size.cx, Size.cy);
    Toolbar->PaintTo(Dc.DC(), RECT{0, 0, Size.cx, Size.cy});
    RECT Text = BoxOf(Dc, Size, GetSysColor(COLOR_BTNTEXT));
    ASSERT_GT(Text.right, Text.left);
    int Centre = (Text.left + Text.right) / 2;
    EXPECT_GE(Centre, C.From);
    EXPECT_LE(Centre, C.To);
  }
}

TEST_F(StaticControlFixture, ProgressAddsItsBarToTheStaticSize) {
  TdxBarStatic* S = Add<TdxBarStatic>("Saving");
  TdxBarProgressItem* P = Add<TdxBarProgressItem>("Saving");
  S->SetBorderStyle(sbsLowered);
  SIZE Static = SizeOf(0), Progress = SizeOf(1);
  EXPECT_EQ(Static.cx + 152, Progress.cx);
  // At least the painter's bar, its border and a pixel of air above and below it.
  TdxBarPainter* Painter = Toolbar->GetPainter();
  EXPECT_GE(Progress.cy, Painter->ProgressBarThickness() + 2 + 2);
  P->SetWidth(300);
  EXPECT_EQ(300, SizeOf(1).cx);
}

// A bar of 150 pixels ends three pixels (the gap and the lowered border) before
// the item's right end; half of it is filled in the item's colour, never more
// than the bar when the position is at the end.
TEST_F(StaticControlFixture, ProgressBarIsFilledInsideItsPlace) {
  Use(TdxBarStandardPainter::StaticClass());
  TdxBarProgressItem* P = Add<TdxBarProgressItem>("");
  P->SetColor(clRed);
  P->SetSmooth(true);
  const struct {
    int Position, Filled;
  } Cases[] = {{0, 0}, {50, 75}, {100, 150}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Position);
    P->SetPosition(C.Position);
    SIZE S = Toolbar->Layout();
    RECT Item = Toolbar->ControlOf(0)->ItemBounds();
    TMemoryDC Dc(S.cx, S.cy);
    FillBackdrop(Dc, S.cx, S.cy);
    Toolbar->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
    RECT Red = BoxOf(Dc, S, RGB(255, 0, 0));
    if (C.Filled == 0) {
      EXPECT_LT(Red.right, 0) << "nothing is filled";
      continue;
    }
    EXPECT_EQ(Item.right - 3 - 150, Red.left);
    EXPECT_EQ(C.Filled, Red.right - Red.left);
    EXPECT_LE(Red.right, Item.right - 3);
    // Centred across the item.
    EXPECT_NEAR(Item.bottom - Red.bottom, Red.top - Item.top, 1);
  }
}

// A painter that paints incrementally asks only for the stretch between the old
// and the new filled length; the others for the whole bar.
TEST_F(StaticControlFixture, PositionChangeInvalidatesTheMovedStretch) {
  TdxBarProgressItem* P = Add<TdxBarProgressItem>("");
  P->SetPosition(20);
  for (TdxBarPainterClass Class : {TdxBarPainterClass(TdxBarStandardPainter::StaticClass()),
                                   TdxBarPainterClass(TdxBarEnhancedPainter::StaticClass())}) {
    SCOPED_TRACE(Class->ClassName());
    bool Incremental = Use(Class)->ProgressPaintsIncrementally();
    SIZE S = Toolbar->Layout();
    Toolbar->SetBounds(0, 0, S.cx, S.cy);
    HWND W = Toolbar->GetHandle();
    ShowWindow(W, SW_SHOWNA);
    ASSERT_TRUE(IsWindowVisible(W));
    TMemoryDC Dc(S.cx, S.cy);
    Toolbar->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
    auto* Control = static_cast<TdxBarProgressControl*>(Toolbar->ControlOf(0));
    RECT Bar = Control->BarRect(Control->ItemBounds());
    ValidateRect(W, nullptr);
    P->SetPosition(60);
    RECT Update{};
    ASSERT_TRUE(GetUpdateRect(W, &Update, FALSE));
    if (Incremental) {
      EXPECT_EQ(Bar.left + RectWidth(Bar) * 20 / 100, Update.left);
      EXPECT_EQ(Bar.left + RectWidth(Bar) * 60 / 100, Update.right);
    } else {
      EXPECT_EQ(Bar.left, Update.left);
      EXPECT_EQ(Bar.right, Update.right);
    }
    EXPECT_EQ(Bar.top, Update.top);
    EXPECT_EQ(Bar.bottom, Update.bottom);
    P->SetPosition(20);
  }
}

}  // namespace
