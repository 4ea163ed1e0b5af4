// The date combo on a toolbar: "+" and "-" in the open editor, and the month
// calendar that drops down under it, moved by keys and chosen with Enter.
#include <gtest/gtest.h>

#include "suite/bars/BarCalendar.h"
#include "suite/bars/BarDateCombo.h"
#include "tests/suite_bars_items/ToolbarItemFixture.h"

namespace {

struct DateControlFixture : ToolbarItemFixture {
  TdxBarDateCombo* Combo = nullptr;
  void SetUp() override {
    ToolbarItemFixture::SetUp();
    Combo = TdxBarDateCombo::Create(Form);
    Combo->SetWidth(160);
    Combo->SetShowEditor(true);
    Combo->SetDate(EncodeDate(2024, 1, 31));
    ToolbarLinks->Links()->AddItem(Combo);
  }
  TdxBarDateComboControl* Editing() {
    auto* C = Shown<TdxBarDateComboControl>();
    C->Click(true);
    Pump();
    return C;
  }
  static void Send(HWND Wnd, UINT Msg, WPARAM Key) { SendMessageW(Wnd, Msg, Key, 1); }
};

TEST_F(DateControlFixture, PlusAndMinusStepTheEditorsDate) {
  TdxBarDateComboControl* C = Editing();
  ASSERT_TRUE(C->IsFocused());
  HWND Inner = C->InnerWindow();
  Send(Inner, WM_CHAR, '+');
  EXPECT_EQ(Combo->DateToText(EncodeDate(2024, 2, 1)), C->GetInnerText()) << "across the end of the month";
  Send(Inner, WM_CHAR, '-');
  Send(Inner, WM_CHAR, '-');
  EXPECT_EQ(Combo->DateToText(EncodeDate(2024, 1, 30)), C->GetInnerText());
  EXPECT_EQ(EncodeDate(2024, 1, 31), Combo->GetDate()) << "the item waits for Enter";
  Send(Inner, WM_KEYDOWN, VK_RETURN);
  Pump();
  EXPECT_EQ(EncodeDate(2024, 1, 30), Combo->GetDate());
}

TEST_F(DateControlFixture, CalendarDropsDownAtTheDateAndEnterChoosesItsSelection) {
  TdxBarDateComboControl* C = Editing();
  HWND Inner = C->InnerWindow();
  Send(Inner, WM_KEYDOWN, VK_F4);
  ASSERT_TRUE(C->GetDroppedDown());
  TdxBarDateNavigator* Calendar = Combo->DropDownCalendar();
  ASSERT_TRUE(Calendar->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(Calendar->GetHandle()));
  EXPECT_EQ(EncodeDate(2024, 1, 31), Calendar->SelectionFrom());
  // Under the edit, wherever the form's caption and borders put the toolbar.
  RECT Window, Edit = C->PartRect(0);
  GetWindowRect(Calendar->GetHandle(), &Window);
  POINT Below{Edit.left, C->ItemBounds().bottom};
  ::ClientToScreen(Toolbar->GetHandle(), &Below);
  EXPECT_EQ(Below.y, Window.top);
  // The arrow keys move the calendar's selection, Enter takes it.
  Send(Inner, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(EncodeDate(2024, 2, 7), Calendar->SelectionFrom());
  Send(Inner, WM_KEYDOWN, VK_RETURN);
  Pump();
  EXPECT_EQ(EncodeDate(2024, 2, 7), Combo->GetDate());
  EXPECT_FALSE(IsWindowVisible(Calendar->GetHandle()));
}

}  // namespace

namespace {

// The popup's band: Today and Clear choose as they are released, and a press
// dragged off its button chooses nothing.
TEST_F(DateControlFixture, TodayAndClearButtonsChooseOnRelease) {
  TdxBarDateComboControl* C = Editing();
  TdxBarDateNavigator* Calendar = Combo->DropDownCalendar();
  auto Press = [&](RECT R, bool Off) {
    POINT P{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
    SendMessageW(Calendar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(P.x, P.y));
    if (Off) SendMessageW(Calendar->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(P.x, R.top - 20));
    SendMessageW(Calendar->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(P.x, Off ? R.top - 20 : P.y));
    Pump();
  };
  SendMessageW(C->InnerWindow(), WM_KEYDOWN, VK_F4, 1);
  RECT Today = Calendar->TodayButtonRect(), Clear = Calendar->ClearButtonRect();
  ASSERT_FALSE(IsRectEmpty(&Today));
  ASSERT_FALSE(IsRectEmpty(&Clear));
  EXPECT_LT(Today.right, Clear.left) << "Today stands left of Clear";
  EXPECT_LE(Clear.bottom, Calendar->GetClientHeight());
  EXPECT_GT(Today.top, Calendar->DayCellRect(0, 5).bottom) << "the band lies under the weeks";
  Press(Today, true);
  EXPECT_TRUE(IsWindowVisible(Calendar->GetHandle()));
  EXPECT_EQ(EncodeDate(2024, 1, 31), Combo->GetDate());
  Press(Today, false);
  EXPECT_EQ(Date(), Combo->GetDate());
  EXPECT_FALSE(IsWindowVisible(Calendar->GetHandle()));

  C = Editing();
  SendMessageW(C->InnerWindow(), WM_KEYDOWN, VK_F4, 1);
  Press(Calendar->ClearButtonRect(), false);
  EXPECT_EQ("", Combo->GetText());

  // Without the buttons the popup has no band.
  int WithBand = Calendar->GetHeight();
  Combo->SetShowTodayButton(false);
  Combo->SetShowClearButton(false);
  C = Editing();
  SendMessageW(C->InnerWindow(), WM_KEYDOWN, VK_F4, 1);
  RECT None = Calendar->TodayButtonRect();
  EXPECT_TRUE(IsRectEmpty(&None));
  EXPECT_LT(Calendar->GetHeight(), WithBand);
}

}  // namespace
