// The spin edit on a toolbar: its two buttons drawn at the edit's right end, and
// the buttons, the wheel and the arrow keys stepping the number, with the held
// button's repeat driven by WM_TIMER.
#include <gtest/gtest.h>

#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarSpinEdit.h"
#include "tests/suite_bars_items/ToolbarItemFixture.h"

namespace {

struct SpinControlFixture : ToolbarItemFixture {
  TdxBarSpinEdit* Spin = nullptr;
  int Clicks = 0;
  void Counted(TObject*, TdxBarSpinEditButton) { ++Clicks; }

  void SetUp() override {
    ToolbarItemFixture::SetUp();
    Spin = TdxBarSpinEdit::Create(Form);
    Spin->SetCaption("Gain");
    Spin->SetWidth(80);
    Spin->SetValue(5);
    Spin->OnButtonClick = TdxBarSpinEditButtonClickEvent(this, &SpinControlFixture::Counted);
    ToolbarLinks->Links()->AddItem(Spin);
  }
  TdxBarSpinEditControl* Shown() { return ToolbarItemFixture::Shown<TdxBarSpinEditControl>(); }
  static void MouseOnPart(TdxBarSpinEditControl* C, UINT Msg, int Part) {
    ToolbarItemFixture::MouseOnPart(C, C, Msg, Part);
  }
};

TEST_F(SpinControlFixture, ButtonsSitAtTheRightEndWithTheirArrows) {
  TdxBarSpinEditControl* C = Shown();
  RECT Bounds = C->ItemBounds(), Up = C->PartRect(3), Down = C->PartRect(4);
  // The column's width follows the control's height; the halves meet in the middle.
  SIZE Arrow;
  C->GetPainter()->SpinArrowSize(RectHeight(Bounds), Arrow);
  EXPECT_EQ(Arrow.cx + 2 * Arrow.cy - 2 + 4, RectWidth(Up));
  EXPECT_EQ(Bounds.right - 1, Up.right);
  EXPECT_EQ(Up.bottom, Down.top);
  EXPECT_EQ(Up.left, Down.left);
  EXPECT_LE(C->PartRect(0).right, Up.left);

  TMemoryDC Dc(Bounds.right, Bounds.bottom);
  Toolbar->PaintTo(Dc.DC(), RECT{0, 0, Bounds.right, Bounds.bottom});
  // Each button holds an arrow in the text colour: the upper one wide at its
  // bottom, the lower one at its top.
  auto ArrowRows = [&](const RECT& R) {
    std::vector<int> Widths;
    for (int Y = R.top; Y < R.bottom; ++Y) {
      int N = 0;
      for (int X = R.left; X < R.right; ++X) N += Dc.Pixel(X, Y) == Rgb(clBtnText);
      if (N) Widths.push_back(N);
    }
    return Widths;
  };
  std::vector<int> UpRows = ArrowRows(Up), DownRows = ArrowRows(Down);
  ASSERT_GE(UpRows.size(), 2u);
  ASSERT_GE(DownRows.size(), 2u);
  EXPECT_LT(UpRows.front(), UpRows.back());
  EXPECT_GT(DownRows.front(), DownRows.back());
  EXPECT_EQ(Arrow.cx, UpRows.back());
}

TEST_F(SpinControlFixture, HeldButtonStepsOnceThenOnEachRepeatUntilReleased) {
  TdxBarSpinEditControl* C = Shown();
  C->Click(true);
  Pump();
  ASSERT_TRUE(C->IsFocused());
  HWND Inner = C->InnerWindow();
  ReleaseCapture();  // the activating click is over

  MouseOnPart(C, WM_LBUTTONDOWN, 3);
  EXPECT_EQ(6, Spin->GetCurrentValue());
  EXPECT_EQ(3, C->GetPressedSpinPart());
  EXPECT_EQ(Inner, GetCapture());
  ASSERT_TRUE(C->IsSpinning());
  // The first timer only switches to the fast one; that one steps.
  SendMessageW(Inner, WM_TIMER, TdxBarSpinEditControl::FirstTimerId, 0);
  EXPECT_EQ(6, Spin->GetCurrentValue());
  SendMessageW(Inner, WM_TIMER, TdxBarSpinEditControl::RepeatTimerId, 0);
  SendMessageW(Inner, WM_TIMER, TdxBarSpinEditControl::RepeatTimerId, 0);
  EXPECT_EQ(8, Spin->GetCurrentValue());
  // Off the button the repeat pauses; back on the lower button it steps down.
  RECT Edit = C->PartRect(0);
  POINT Off{Edit.left + 2, (Edit.top + Edit.bottom) / 2};
  C->ForwardMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, Off);
  SendMessageW(Inner, WM_TIMER, TdxBarSpinEditControl::RepeatTimerId, 0);
  EXPECT_EQ(8, Spin->GetCurrentValue());
  RECT Down = C->PartRect(4);
  C->ForwardMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, POINT{(Down.left + Down.right) / 2, (Down.top + Down.bottom) / 2});
  SendMessageW(Inner, WM_TIMER, TdxBarSpinEditControl::RepeatTimerId, 0);
  EXPECT_EQ(7, Spin->GetCurrentValue());

  MouseOnPart(C, WM_LBUTTONUP, 4);
  EXPECT_FALSE(C->IsSpinning());
  EXPECT_EQ(-1, C->GetPressedSpinPart());
  EXPECT_NE(Inner, GetCapture());
  SendMessageW(Inner, WM_TIMER, TdxBarSpinEditControl::RepeatTimerId, 0);
  EXPECT_EQ(7, Spin->GetCurrentValue());
  EXPECT_EQ(4, Clicks);  // three up and one down
}

TEST_F(SpinControlFixture, WheelAndArrowKeysStepUnlessReadOnly) {
  TdxBarSpinEditControl* C = Shown();
  C->Click(true);
  Pump();
  HWND Inner = C->InnerWindow();
  SendMessageW(Inner, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(6, Spin->GetCurrentValue());
  SendMessageW(Inner, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  SendMessageW(Inner, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(4, Spin->GetCurrentValue());
  // The Up key shows the upper button pressed until it is released.
  SendMessageW(Inner, WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(5, Spin->GetCurrentValue());
  EXPECT_EQ(3, C->GetPressedSpinPart());
  SendMessageW(Inner, WM_KEYUP, VK_UP, static_cast<LPARAM>(0xC0000001u));
  EXPECT_EQ(-1, C->GetPressedSpinPart());

  Spin->SetReadOnly(true);
  SendMessageW(Inner, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  MouseOnPart(C, WM_LBUTTONDOWN, 3);
  EXPECT_EQ(5, Spin->GetCurrentValue());
  EXPECT_EQ(-1, C->GetPressedSpinPart());
  EXPECT_FALSE(C->IsSpinning());
}

}  // namespace
