// Where a dragged bar lands: the dock target order, zones covered by another
// window, Ctrl keeping a bar floating, and the delay before a floating bar docks.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/Panel.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
struct DragFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  void AddControls() override {
    M = NewManager();
    M->SetHideFloatingBarsWhenInactive(false);
  }
  void TearDown() override {
    Free(M);
    BarFormFixture::TearDown();
  }
  POINT FormPoint(int X, int Y) { return Form->ClientToScreen(POINT{X, Y}); }
};

TEST_F(DragFixture, LeftSitesAreTriedBeforeTopSitesAndFarPointsFloat) {
  TdxBar* Bar = M->GetBars()->Add();
  Bar->SetCaption("Tools");
  const struct {
    POINT At;
    TdxBarDockingStyle Style;
  } Cases[] = {
      {{5, 5}, dsLeft},       // in the zones of the left and the top site
      {{200, 5}, dsTop},      // the top site's zone only
      {{395, 150}, dsRight},  // the right site's
      {{200, 295}, dsBottom},
      {{200, 150}, dsNone},   // nowhere near a site
  };
  for (const auto& C : Cases) {
    TdxDockControl* Site = nullptr;
    EXPECT_EQ(C.Style, M->GetBars()->FindDockTarget(Bar, FormPoint(C.At.x, C.At.y), Site)) << C.At.x << "," << C.At.y;
    EXPECT_EQ(C.Style == dsNone ? nullptr : M->GetBars()->FormDockSite(C.Style), Site);
  }
  // A style the manager refuses is passed over.
  M->SetNotDocking(TdxBarDockingStyles{dsLeft});
  TdxDockControl* Site = nullptr;
  EXPECT_EQ(dsTop, M->GetBars()->FindDockTarget(Bar, FormPoint(5, 5), Site));
}

TEST_F(DragFixture, ZoneCoveredByAnotherWindowDoesNotCount) {
  TPanel* Panel = Add<TPanel>({100, 100, 300, 200});
  TdxBarDockControl* Site = TdxBarDockControl::Create(Form);
  Site->SetParent(Panel);
  Site->SetBarManager(M);
  TPanel* Cover = Add<TPanel>({100, 100, 200, 200});
  Cover->BringToFront();
  Pump();
  RECT Zone = Site->GetDockingZone();
  EXPECT_FALSE(TdxBars::PointInDockZone(Site, Zone, FormPoint(150, 110))) << "under the cover";
  EXPECT_TRUE(TdxBars::PointInDockZone(Site, Zone, FormPoint(250, 110)));
  EXPECT_FALSE(TdxBars::PointInDockZone(Site, Zone, FormPoint(250, 180))) << "outside the zone";
}

// Runs steps at given times while a modal loop pumps thread timers.
struct TScript {
  struct TStep {
    DWORD At;
    std::function<void()> Run;
  };
  std::vector<TStep> Steps;
  DWORD Start = 0;
  size_t Next = 0;
  UINT_PTR Timer = 0;
  static TScript* Current;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TScript* S = Current;
    while (S && S->Next < S->Steps.size() && GetTickCount() - S->Start >= S->Steps[S->Next].At) S->Steps[S->Next++].Run();
  }
  void Begin() {
    Current = this;
    Start = GetTickCount();
    Timer = SetTimer(nullptr, 0, 10, &Tick);
  }
  ~TScript() {
    if (Timer) KillTimer(nullptr, Timer);
    Current = nullptr;
  }
};
TScript* TScript::Current = nullptr;

// Moves the real cursor and tells the capture window, as a mouse move would.
void MoveCursorTo(POINT P) {
  SetCursorPos(P.x, P.y);
  if (HWND Capture = GetCapture()) {
    POINT C = P;
    ScreenToClient(Capture, &C);
    PostMessageW(Capture, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(C.x, C.y));
  }
}

void ReleaseButton() {
  if (HWND Capture = GetCapture()) PostMessageW(Capture, WM_LBUTTONUP, 0, 0);
}

struct FloatingDragFixture : DragFixture {
  TdxBar* Bar = nullptr;
  DWORD DockedAt = 0;
  void SetUp() override {
    DragFixture::SetUp();
    Bar = M->GetBars()->Add();
    Bar->SetCaption("Tools");
    Bar->SetDockingStyle(dsNone);
    POINT P = FormPoint(150, 150);
    Bar->SetFloatLeft(P.x);
    Bar->SetFloatTop(P.y);
    Bar->SetVisible(true);
    M->OnBarDockingStyleChange = TdxBarEvent(this, &FloatingDragFixture::Docked);
    Pump();
  }
  void Docked(TdxBarManager*, TdxBar* B) {
    if (B == Bar && B->GetDockingStyle() != dsNone && !DockedAt) DockedAt = GetTickCount();
  }
  TdxBarControl* Window() { return static_cast<TdxBarControl*>(Bar->GetBarControl()); }
  void GrabCaption() {
    RECT W = QueryWindowRect(Window()->GetHandle());
    SetCursorPos(W.left + 5, W.top + 5);
  }
};

TEST_F(FloatingDragFixture, AFloatingBarDocksOnlyAfterTheWaitingTime) {
  const int Wait = 300;
  M->SetWaitForDockingTime(Wait);
  GrabCaption();
  DWORD MovedAt = 0;
  TScript S;
  S.Steps = {{20, [&] {
                MovedAt = GetTickCount();
                MoveCursorTo(FormPoint(200, 8));
              }},
             {Wait + 400, [] { ReleaseButton(); }}};
  S.Begin();
  M->GetBars()->TrackBarDrag(Window());
  ASSERT_EQ(dsTop, Bar->GetDockingStyle());
  ASSERT_NE(0u, DockedAt);
  int Delay = static_cast<int>(DockedAt - MovedAt);
  EXPECT_GE(Delay, Wait - 20);
  EXPECT_LT(Delay, Wait + 250);
}

// The machine's keyboard is not the test's to press: Ctrl is read from here, and
// its key messages are posted as the keyboard would send them.
bool CtrlDown = false;
SHORT WINAPI FakeKeyState(int Key) { return Key == VK_CONTROL && CtrlDown ? static_cast<SHORT>(0x8000) : 0; }

void SetCtrl(bool Down) {
  CtrlDown = Down;
  if (HWND Capture = GetCapture()) PostMessageW(Capture, Down ? WM_KEYDOWN : WM_KEYUP, VK_CONTROL, Down ? 1 : 0xC0000001);
}

TEST_F(FloatingDragFixture, CtrlKeepsTheBarFloatingAndItsReleaseDocksWithoutAMouseMove) {
  TdxBars::TKeyStateReader Saved = TdxBars::SetKeyStateReader(&FakeKeyState);
  M->SetWaitForDockingTime(0);
  GrabCaption();
  bool FloatingWithCtrl = false, DockedBeforeRelease = false;
  TScript S;
  S.Steps = {{20, [] { SetCtrl(true); }},
             {60, [&] { MoveCursorTo(FormPoint(200, 8)); }},
             {300, [&] { FloatingWithCtrl = Bar->GetDockingStyle() == dsNone; }},
             {320, [] { SetCtrl(false); }},
             {600, [&] { DockedBeforeRelease = Bar->GetDockingStyle() == dsTop; }},
             {620, [] { ReleaseButton(); }}};
  S.Begin();
  M->GetBars()->TrackBarDrag(Window());
  TdxBars::SetKeyStateReader(Saved);
  CtrlDown = false;
  EXPECT_TRUE(FloatingWithCtrl);
  EXPECT_TRUE(DockedBeforeRelease);
}

TEST_F(FloatingDragFixture, EscEndsTheDragWhereTheBarWasMovedLast) {
  M->SetWaitForDockingTime(0);
  GrabCaption();
  POINT Before{Window()->GetLeft(), Window()->GetTop()};
  TScript S;
  S.Steps = {{20, [&] { MoveCursorTo(POINT{Before.x + 45, Before.y + 35}); }},
             {200, [] {
                if (HWND Capture = GetCapture()) PostMessageW(Capture, WM_KEYDOWN, VK_ESCAPE, 1);
              }}};
  S.Begin();
  M->GetBars()->TrackBarDrag(Window());
  EXPECT_EQ(nullptr, GetCapture());
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  RECT W = QueryWindowRect(Window()->GetHandle());
  EXPECT_EQ(Before.x + 40, W.left);
  EXPECT_EQ(Before.y + 30, W.top);
  EXPECT_EQ(W.left, Bar->GetFloatLeft()) << "the bar keeps where it was left";
}
}  // namespace
