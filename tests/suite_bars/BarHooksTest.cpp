// Keys reaching the thread hooks through real input, and the form messages the
// manager hears through the call-window hook.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
// A controller that wants every key and fails on one.
class TThrowingNavigation : public TdxBarNavigationController {
public:
  std::vector<WORD> Dispatched;
  bool WantsKey(WORD Key, TShiftState) override { return Key == 'Q' || Key == 'W'; }
  void DispatchNavigationKey(WORD Key, TShiftState, TdxBarAccessibilityHelper*, TdxBarAccessibilityHelper*) override {
    Dispatched.push_back(Key);
    if (Key == 'Q') throw std::runtime_error("navigation failed");
  }
};

// The last hook of the chain: it sees whatever the bar hook passed on.
std::vector<WORD> KeysSeenNext;
LRESULT CALLBACK NextKeyboardHook(int Code, WPARAM Key, LPARAM KeyData) {
  if (Code == HC_ACTION && (KeyData & 0x80000000) == 0) KeysSeenNext.push_back(static_cast<WORD>(Key));
  return CallNextHookEx(nullptr, Code, Key, KeyData);
}

void TypeKey(WORD Key) {
  Tap(Key);
  Pump();
}

struct BarHooksFixture : BarFormFixture {
  HHOOK Next = nullptr;
  TThrowingNavigation* Navigation = nullptr;
  TdxBarNavigationController* Saved = nullptr;
  std::vector<std::string> Reported;

  void SetUp() override {
    BarFormFixture::SetUp();
    KeysSeenNext.clear();
    // Installed before the manager, so the bar hook runs first and must chain to it.
    Next = SetWindowsHookExW(WH_KEYBOARD, &NextKeyboardHook, nullptr, GetCurrentThreadId());
    Navigation = new TThrowingNavigation;
    Saved = ReplaceBarNavigationController(Navigation);
    Application->OnException = TExceptionEvent(this, &BarHooksFixture::Report);
    SetForegroundWindow(Form->GetHandle());
    SetFocus(Form->GetHandle());
    Pump();
  }
  void TearDown() override {
    Application->OnException = nullptr;
    ReplaceBarNavigationController(Saved);
    delete Navigation;
    UnhookWindowsHookEx(Next);
    BarFormFixture::TearDown();
  }
  void Report(TObject*, const Exception& E) { Reported.push_back(E.what()); }
};

TEST_F(BarHooksFixture, AFailureInsideTheHookIsReportedAndTheKeyStillChains) {
  TdxBarManager* M = NewManager();
  TypeKey('Q');
  TypeKey('W');
  EXPECT_EQ((std::vector<WORD>{'Q', 'W'}), Navigation->Dispatched);
  ASSERT_EQ(1u, Reported.size());
  EXPECT_EQ("navigation failed", Reported[0]);
  EXPECT_NE(KeysSeenNext.end(), std::find(KeysSeenNext.begin(), KeysSeenNext.end(), 'Q'));
  EXPECT_NE(KeysSeenNext.end(), std::find(KeysSeenNext.begin(), KeysSeenNext.end(), 'W'));
  Free(M);
  // Without managers the bar hook is gone: the controller hears nothing more.
  TypeKey('W');
  EXPECT_EQ(2u, Navigation->Dispatched.size());
}

TEST_F(BarHooksFixture, NegativeCodesGoStraightToTheNextHookWhileACaptionButtonIsHeld) {
  TdxBarManager* M = NewManager();
  SetCaptionButtonCapture(true);
  EXPECT_EQ(0, BarKeyboardHook(-1, 'A', 1));
  EXPECT_EQ(1, BarKeyboardHook(HC_ACTION, 'A', 1));
  SetCaptionButtonCapture(false);
  Free(M);
}

TEST_F(BarHooksFixture, TheDirectCallAnswersWhetherTheBarsTookTheKeyWithoutChaining) {
  TdxBarManager* M = NewManager();
  SetHookDirectCall(true);
  EXPECT_EQ(1, BarKeyboardHook(HC_ACTION, 'W', 1));
  EXPECT_EQ(0, BarKeyboardHook(HC_ACTION, 'E', 1));
  SetHookDirectCall(false);
  EXPECT_TRUE(KeysSeenNext.empty());
  Free(M);
}

TEST(BarWorkArea, FloatingRectanglesAreShiftedInside) {
  const RECT Area{0, 0, 800, 600};
  const struct {
    RECT In, Out;
  } Cases[] = {
      {{100, 100, 200, 150}, {100, 100, 200, 150}},
      {{750, 100, 850, 150}, {700, 100, 800, 150}},
      {{-30, 580, 70, 630}, {0, 550, 100, 600}},
      {{100, -20, 200, 30}, {100, 0, 200, 50}},
      // Larger than the area: the top and left edges win.
      {{-50, -50, 900, 700}, {0, 0, 950, 750}},
  };
  for (const auto& C : Cases) {
    RECT R = ClampRectToWorkArea(C.In, Area);
    EXPECT_TRUE(EqualRect(&R, &C.Out)) << R.left << "," << R.top << "," << R.right << "," << R.bottom;
  }
}
}  // namespace
