// The base control's scroll bars: which show for which content, the layout, the
// wheel and middle-button auto-scroll.
#include <gtest/gtest.h>

#include "framework/Screen.h"
#include "suite/common/ControlsUnit.h"
#include "suite/common/SuiteMessages.h"
#include "tests/suite_common/ControlTestSupport.h"

TEST_F(SuiteControlFixture, ScrollBarsFollowTheContent) {
  const int Bar = GetSystemMetrics(SM_CYHSCROLL);
  struct Case {
    const char* Name;
    int Width, Height;
    TScrollStyle Style;
    bool HideBars;
    bool H, V, HEnabled, VEnabled;
  } Cases[] = {
      {"fits", 150, 80, ssBoth, true, false, false, true, true},
      {"wider", 300, 80, ssBoth, true, true, false, true, true},
      // The horizontal bar takes room, and then the content is taller than what is left.
      {"wider and nearly as tall", 300, 95, ssBoth, true, true, true, true, true},
      {"fits except for the other bar's room", 195, 95, ssBoth, true, false, false, true, true},
      {"not allowed to hide", 150, 80, ssBoth, false, true, true, false, false},
      {"horizontal style only", 300, 300, ssHorizontal, true, true, false, true, true},
  };
  for (const Case& C : Cases) {
    Control->SetScrollBars(C.Style);
    Control->HideBars = C.HideBars;
    Control->ShowContent(300, 300);  // start from both bars shown
    Control->ShowContent(C.Width, C.Height);
    EXPECT_EQ(Control->GetHScrollBar()->GetVisible(), C.H) << C.Name;
    EXPECT_EQ(Control->GetVScrollBar()->GetVisible(), C.V) << C.Name;
    if (C.H) { EXPECT_EQ(Control->GetHScrollBar()->GetEnabled(), C.HEnabled) << C.Name; }
    if (C.V) { EXPECT_EQ(Control->GetVScrollBar()->GetEnabled(), C.VEnabled) << C.Name; }
    EXPECT_EQ(Control->GetSizeGrip()->GetVisible(), C.H && C.V) << C.Name;
    RECT Inner;
    Control->InnerClientBounds(Inner);
    EXPECT_EQ(Inner.bottom, C.H ? 100 - Bar : 100) << C.Name;
    if (C.H) {
      EXPECT_EQ(Control->GetHScrollBar()->GetTop(), 100 - Bar) << C.Name;
      EXPECT_EQ(Control->GetHScrollBar()->GetWidth(), C.V ? 200 - GetSystemMetrics(SM_CXVSCROLL) : 200) << C.Name;
    }
  }
}

TEST_F(SuiteControlFixture, ParametersAreAskedAgainUntilTheBarsSettle) {
  Control->ShowContent(300, 95);
  EXPECT_GE(Control->InitCalls, 3);
  // An answer that flips whenever the bars flip would never settle: it is cut short.
  Control->InitCalls = 0;
  Control->OnInitScrollBars = [](TProbeControl* C) {
    const bool VShown = C->IsScrollBarVisible(sbVertical);
    C->SetScrollBarInfo(sbVertical, 0, 99, 1, VShown ? 200 : 10, 0, true, true);
    C->SetScrollBarInfo(sbHorizontal, 0, 99, 1, VShown ? 10 : 200, 0, true, true);
  };
  Control->RecalcScrollBars();
  EXPECT_GT(Control->InitCalls, 1);
  EXPECT_LT(Control->InitCalls, 100);
  Control->SetBounds(30, 40, 220, 110);
  EXPECT_LT(Control->InitCalls, 200);
}

TEST_F(SuiteControlFixture, TheSettingsNoticeGivesTheBarsTheSystemThicknessAgain) {
  Control->ShowContent(300, 300);
  const int Bar = GetSystemMetrics(SM_CYHSCROLL);
  Control->GetHScrollBar()->SetHeight(5);
  Control->GetVScrollBar()->SetWidth(5);
  SendMessageW(Wnd(), DXM_SETTINGSNOTICE, 0, 0);
  EXPECT_EQ(Control->GetHScrollBar()->GetHeight(), Bar);
  EXPECT_EQ(Control->GetHScrollBar()->GetTop(), 100 - Bar);
  EXPECT_EQ(Control->GetVScrollBar()->GetWidth(), GetSystemMetrics(SM_CXVSCROLL));
  // The bars themselves report scrolling to the control.
  int Pos = 3;
  Control->GetVScrollBar()->OnScroll(Control->GetVScrollBar(), scLineDown, Pos);
  EXPECT_EQ(Control->Scrolls.back(), "v1");
}

TEST_F(SuiteControlFixture, TheWheelScrollsTheVerticalBarsContent) {
  PostMessageW(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(150, 150));
  Pump();
  EXPECT_TRUE(Control->Scrolls.empty());  // no vertical bar: no wheel scrolling
  Control->ShowContent(100, 300);
  PostMessageW(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(150, 150));
  PostMessageW(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(150, 150));
  Pump();
  const int Lines = Mouse->GetWheelScrollLines();
  ASSERT_EQ(Control->Scrolls.size(), static_cast<size_t>(2 * Lines));
  EXPECT_EQ(Control->Scrolls.front(), "v1");
  EXPECT_EQ(Control->Scrolls.back(), "v0");
}

TEST(AutoScroll, DirectionAndSpeedFromTheDistanceToTheAnchor) {
  const POINT A{500, 500};
  const SIZE Screen{1200, 1000};
  struct Case {
    POINT P;
    bool H, V;
    TcxDirection Direction;
    int Speed;
  } Cases[] = {
      {{500, 562}, true, true, dirDown, 10},  // (62 - 14) div 5 + 1
      {{510, 510}, true, true, dirNone, 0},
      {{500, 515}, true, true, dirDown, 1},
      {{400, 500}, true, true, dirLeft, 12},   // capped
      {{560, 530}, true, true, dirRight, 10},  // the larger distance decides
      {{530, 530}, true, true, dirDown, 4},
      {{900, 505}, false, true, dirNone, 0},   // without a horizontal bar the zone spans the screen width
      {{540, 700}, true, false, dirRight, 6},
      {{450, 600}, false, true, dirDown, 12},
  };
  for (const Case& C : Cases) {
    TcxAutoScrollMotion M = AutoScrollMotionAt(A, C.P, 29, C.H, C.V, Screen);
    EXPECT_EQ(M.Direction, C.Direction) << C.P.x << "," << C.P.y;
    EXPECT_EQ(M.Speed, C.Speed) << C.P.x << "," << C.P.y;
  }
}

namespace {
// What the user does while the auto-scroll loop runs, on timers of the thread.
TProbeControl* Scrolled = nullptr;
void CALLBACK MoveBelowAnchor(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  // 62 pixels below the anchor: downward, a step every three ticks.
  POINT P = Scrolled->ClientToScreen(POINT{80, 102});
  SetCursorPos(P.x, P.y);
  PostMessageW(Scrolled->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(80, 102));
}
void CALLBACK PostEndingClick(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  PostMessageW(Scrolled->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 102));
}
}  // namespace

TEST_F(SuiteControlFixture, AutoScrollStaysOnAfterAStillClickAndALeftClickEndsItUnseen) {
  Control->ShowContent(300, 300);
  int LeftDowns = 0;
  struct TSink {
    int* LeftDowns;
    void Down(TObject*, TMouseButton B, TShiftState, int, int) { *LeftDowns += B == mbLeft; }
  } Sink{&LeftDowns};
  Control->OnMouseDown = TMouseEvent(&Sink, &TSink::Down);
  PutCursor(80, 40);
  PostMessageW(Wnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(80, 40));
  PostMessageW(Wnd(), WM_MBUTTONUP, 0, MAKELPARAM(80, 40));
  Scrolled = Control;
  SetTimer(nullptr, 0, 60, &MoveBelowAnchor);
  SetTimer(nullptr, 0, 400, &PostEndingClick);
  const size_t Before = Control->Scrolls.size();
  Pump();
  EXPECT_FALSE(Control->IsScrollingContent());
  ASSERT_GT(Control->Scrolls.size(), Before + 1);
  for (size_t I = Before; I < Control->Scrolls.size(); ++I) EXPECT_EQ(Control->Scrolls[I], "v1");
  EXPECT_EQ(LeftDowns, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Control->CursorWhileScrolling, Screen->GetCursors(crcxDownScroll));
}
