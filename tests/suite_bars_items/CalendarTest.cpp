// The month calendar: the six weeks it shows for a month, the keys that move its
// selection across month ends and a leap February, Clear, and the arrow that
// moves the month again at every tick of its timer while the pointer stays on it.
#include <gtest/gtest.h>

#include <string>

#include "suite/bars/BarCalendar.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarFlatPainter.h"
#include "suite/bars/BarPainters.h"
#include "suite/common/cxDateUtils.h"
#include "tests/suite_common/FormFixture.h"
#define SONVELT_CALENDAR_FIXTURES ""
#include "tests/suite_common_more/LocaleSupport.h"

namespace {

TDateTime D(int Y, int M, int Day) { return EncodeDate(Y, M, Day); }

struct CalendarFixture : ShownFormFixture {
  TFakeLocale Locale;
  TdxBarDateNavigator* Nav = nullptr;
  int Selects = 0;
  void SetWeekStart(const char* LocaleDay) {
    Locale.Info[LOCALE_IFIRSTDAYOFWEEK] = LocaleDay;
    RestartBarExtItemsUnit();
  }
  void AddControls() override {
    SetWeekStart("6");  // Sunday
    Nav = Add<TdxBarDateNavigator>({10, 10, 200, 200});
    Nav->SetIsPopup(true);
    Nav->OnSelect = Bind(this, &CalendarFixture::Selected);
  }
  void TearDown() override {
    ShownFormFixture::TearDown();
    SetWeekStart("0");
  }
  void Selected(TObject*) { ++Selects; }
  void Key(WORD K, TShiftState Shift = TShiftState()) {
    Nav->SetFocus();
    BYTE State[256]{};
    GetKeyboardState(State);
    State[VK_CONTROL] = Shift.Contains(ssCtrl) ? 0x80 : 0;
    SetKeyboardState(State);
    SendMessageW(Nav->GetHandle(), WM_KEYDOWN, K, 0);
    State[VK_CONTROL] = 0;
    SetKeyboardState(State);
  }
};

TEST_F(CalendarFixture, GridShowsSixWeeksAndAWholeWeekBeforeAMonthStartingItsRow) {
  const struct {
    const char* WeekStart;
    TDateTime Month, First;
  } Cases[] = {
      {"6", D(2024, 9, 1), D(2024, 8, 25)},   // a Sunday month under Sunday weeks
      {"6", D(2024, 2, 1), D(2024, 1, 28)},   // Thursday
      {"0", D(2024, 9, 1), D(2024, 8, 26)},   // the same Sunday under Monday weeks
      {"0", D(2024, 4, 1), D(2024, 3, 25)},   // a Monday month under Monday weeks
  };
  for (const auto& C : Cases) {
    SetWeekStart(C.WeekStart);
    Nav->SetFirstDate(C.Month + 12);
    EXPECT_EQ(C.Month, Nav->GetFirstShownDate());
    EXPECT_EQ(C.First, Nav->FirstVisibleDate()) << C.WeekStart << " " << FormatDateTime("yyyy-mm-dd", C.Month);
    EXPECT_EQ(C.First + 41, Nav->LastVisibleDate());
    // The first and last cells under the pointer.
    RECT First = Nav->DayCellRect(0, 0), Last = Nav->DayCellRect(6, 5);
    EXPECT_EQ(C.First, Nav->DateAtPos(POINT{First.left + 1, First.top + 1}));
    EXPECT_EQ(C.First + 41, Nav->DateAtPos(POINT{Last.right - 1, Last.bottom - 1}));
  }
  EXPECT_EQ(cxNullDate, Nav->DateAtPos(POINT{1, 1})) << "the header";
}

TEST_F(CalendarFixture, KeysMoveTheSelectionAcrossMonthsAndALeapFebruary) {
  const struct {
    TDateTime From;
    WORD Key;
    bool Ctrl;
    TDateTime To;
  } Cases[] = {
      {D(2024, 2, 10), VK_END, true, D(2024, 2, 29)},   {D(2024, 3, 31), VK_PRIOR, false, D(2024, 2, 29)},
      {D(2023, 3, 31), VK_PRIOR, false, D(2023, 2, 28)}, {D(2024, 1, 31), VK_NEXT, false, D(2024, 2, 29)},
      {D(2024, 2, 29), VK_RIGHT, false, D(2024, 3, 1)},  {D(2024, 3, 1), VK_LEFT, false, D(2024, 2, 29)},
      {D(2024, 2, 26), VK_DOWN, false, D(2024, 3, 4)},   {D(2024, 3, 4), VK_UP, false, D(2024, 2, 26)},
      {D(2024, 2, 29), VK_HOME, false, D(2024, 2, 25)},  {D(2024, 2, 29), VK_END, false, D(2024, 3, 2)},
      {D(2024, 2, 29), VK_HOME, true, D(2024, 2, 1)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(FormatDateTime("yyyy-mm-dd", C.From) + " key " + std::to_string(C.Key));
    Nav->SetSelStart(C.From);
    Key(C.Key, C.Ctrl ? TShiftState{ssCtrl} : TShiftState());
    EXPECT_EQ(C.To, Nav->SelectionFrom());
    EXPECT_EQ(C.To, Nav->SelectionTo());
    EXPECT_LE(Nav->FirstVisibleDate(), C.To) << "the selection stays in view";
    EXPECT_GE(Nav->LastVisibleDate(), C.To);
  }
  Key(VK_RETURN);
  EXPECT_EQ(1, Selects);
}

TEST_F(CalendarFixture, ClearSelectsNoDateAndKeysThenStartFromTheShownMonth) {
  Nav->SetSelStart(D(2024, 5, 15));
  Pump();
  Nav->Clear();
  EXPECT_EQ(cxNullDate, Nav->SelectionFrom());
  EXPECT_EQ(D(2024, 5, 1), Nav->GetFirstShownDate()) << "the shown month stays";
  RECT Update{};
  EXPECT_TRUE(GetUpdateRect(Nav->GetHandle(), &Update, FALSE)) << "a repaint is due";
  Key(VK_RIGHT);
  EXPECT_EQ(D(2024, 5, 2), Nav->SelectionFrom());
}

TEST_F(CalendarFixture, HeldArrowMovesTheMonthAtEachTickWhileThePointerStaysOnIt) {
  Nav->SetSelStart(D(2024, 1, 15));
  Pump();
  RECT Next = Nav->NextArrowRect();
  const POINT Client{(Next.left + Next.right) / 2, (Next.top + Next.bottom) / 2};
  POINT On = Client;
  ClientToScreen(Nav->GetHandle(), &On);
  SetCursorPos(On.x, On.y);
  SendMessageW(Nav->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Client.x, Client.y));
  EXPECT_EQ(D(2024, 2, 1), Nav->GetFirstShownDate()) << "at once";
  EXPECT_EQ(2u, Nav->ArrowTimer());
  SendMessageW(Nav->GetHandle(), WM_TIMER, 2, 0);
  SendMessageW(Nav->GetHandle(), WM_TIMER, 2, 0);
  EXPECT_EQ(D(2024, 4, 1), Nav->GetFirstShownDate());
  // Off the arrow the ticks do nothing, but the timer runs on until release.
  SetCursorPos(On.x, On.y + 100);
  SendMessageW(Nav->GetHandle(), WM_TIMER, 2, 0);
  EXPECT_EQ(D(2024, 4, 1), Nav->GetFirstShownDate());
  EXPECT_EQ(2u, Nav->ArrowTimer());
  SendMessageW(Nav->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(Client.x, Client.y + 100));
  EXPECT_EQ(0u, Nav->ArrowTimer());
  SetCursorPos(On.x, On.y);
  SendMessageW(Nav->GetHandle(), WM_TIMER, 2, 0);
  EXPECT_EQ(D(2024, 4, 1), Nav->GetFirstShownDate());
  EXPECT_EQ(0, Selects) << "arrows select nothing";
}

TEST_F(CalendarFixture, MonthListOpensOverTheTitleScrollsAwayFromItAndChoosesOnRelease) {
  Nav->SetSelStart(D(2024, 5, 15));
  Pump();
  RECT Title = Nav->MonthTitleRect();
  const POINT Press{(Title.left + Title.right) / 2, (Title.top + Title.bottom) / 2};
  SendMessageW(Nav->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Press.x, Press.y));
  TAMonthListBox* List = Nav->MonthList();
  ASSERT_NE(nullptr, List);
  EXPECT_TRUE(IsWindowVisible(List->GetHandle()));
  EXPECT_EQ(D(2024, 2, 1), List->GetTopShownMonth()) << "three months before the shown one";
  EXPECT_EQ(7 * List->GetItemHeight(), List->GetClientHeight());
  // The pointer as the calendar passes it on, in the list's coordinates.
  auto Move = [&](int ListY) {
    POINT P{List->GetClientWidth() / 2, ListY};
    MapWindowPoints(List->GetHandle(), Nav->GetHandle(), &P, 1);
    SendMessageW(Nav->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(P.x, P.y));
  };
  const int Below = List->GetClientHeight() - 1;
  const struct {
    int Y;
    UINT Timer, Interval;
  } Cases[] = {{Below + 30, 8, 100}, {Below + 60, 9, 50}, {Below + 5, 6, 500}, {-13, 3, 250}, {-1, 4, 500}};
  for (auto& C : Cases) {
    Move(C.Y);
    EXPECT_EQ(C.Timer, List->ScrollTimer()) << C.Y;
    EXPECT_EQ(C.Interval, List->ScrollInterval()) << C.Y;
    EXPECT_EQ(-1, List->GetItemIndex());
  }
  SendMessageW(List->GetHandle(), WM_TIMER, 4, 0);
  EXPECT_EQ(D(2024, 1, 1), List->GetTopShownMonth()) << "a tick above scrolls back";
  Move(Below + 30);
  SendMessageW(List->GetHandle(), WM_TIMER, 8, 0);
  SendMessageW(List->GetHandle(), WM_TIMER, 8, 0);
  EXPECT_EQ(D(2024, 3, 1), List->GetTopShownMonth());
  SendMessageW(List->GetHandle(), WM_TIMER, 9, 0);
  EXPECT_EQ(D(2024, 3, 1), List->GetTopShownMonth()) << "another timer's tick";
  // Back inside, the row under the pointer; scrolling stops.
  Move(4 * List->GetItemHeight() + 1);
  EXPECT_EQ(0u, List->ScrollTimer());
  EXPECT_EQ(4, List->GetItemIndex());
  SendMessageW(Nav->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(Press.x, Press.y));
  EXPECT_EQ(nullptr, Nav->MonthList());
  EXPECT_EQ(D(2024, 7, 1), Nav->GetFirstShownDate());
  EXPECT_EQ(D(2024, 5, 15), Nav->SelectionFrom()) << "the selection stays";
  EXPECT_EQ(0, Selects);
}

}  // namespace

namespace {

// The popup's own one-pixel frame: a sunken edge when framed, the shadow colour
// when flat, also where a flat painter makes a framed popup flat.
TEST(CalendarFrameTest, PopupStylesDrawTheirOwnOnePixelFrame) {
  const struct {
    const char* Label;
    int Style;
    TClass Painter;
    int Reads;
    COLORREF TopLeft, BottomRight;
  } Cases[] = {
      {"framed", 1, nullptr, 1, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)},
      {"flat", 2, nullptr, 2, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)},
      {"framed under a flat painter", 1, TdxBarFlatPainter::StaticClass(), 2, GetSysColor(COLOR_BTNSHADOW),
       GetSysColor(COLOR_BTNSHADOW)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Label);
    TOwned<TdxBarDateNavigator> Nav(TdxBarDateNavigator::Create(static_cast<TComponent*>(nullptr)));
    Nav->SetIsPopup(true);
    Nav->SetStyle(C.Style);
    if (C.Painter) Nav->SetPainter(PainterInstanceOf(C.Painter));
    EXPECT_EQ(C.Reads, Nav->GetStyle());
    HWND Wnd = Nav->GetHandle();
    SetWindowPos(Wnd, HWND_TOPMOST, 40, 40, Nav->GetWidth(), Nav->GetHeight(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT Window, Client;
    GetWindowRect(Wnd, &Window);
    GetClientRect(Wnd, &Client);
    EXPECT_EQ(Window.right - Window.left - 2, Client.right);
    EXPECT_EQ(Window.bottom - Window.top - 2, Client.bottom);
    EXPECT_EQ(C.Reads == 1, (GetWindowLongW(Wnd, GWL_STYLE) & WS_DLGFRAME) != 0);
    HDC DC = GetWindowDC(Wnd);
    const int W = Window.right - Window.left, H = Window.bottom - Window.top;
    EXPECT_EQ(C.TopLeft, GetPixel(DC, W / 2, 0));
    EXPECT_EQ(C.TopLeft, GetPixel(DC, 0, H / 2));
    EXPECT_EQ(C.BottomRight, GetPixel(DC, W / 2, H - 1));
    EXPECT_EQ(C.BottomRight, GetPixel(DC, W - 1, H / 2));
    ReleaseDC(Wnd, DC);
  }
}

}  // namespace
