// The keyboard-navigation controller over a fake helper tree: a window with a row
// of buttons, moving with arrows and Tab, leaving with Esc, and key tips with a
// window manager that records what it shows.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/SuiteException.h"
#include "tests/framework_controls/UiTestSupport.h"

namespace {
// Runs the message loop for a while (timers fire in it).
void PumpFor(DWORD Milliseconds) {
  DWORD Start = GetTickCount();
  while (GetTickCount() - Start < Milliseconds) {
    Pump();
    Sleep(10);
  }
}

class TFakeHelper : public TdxBarAccessibilityHelper {
  SONVELT_CLASS(TFakeHelper, TdxBarAccessibilityHelper)
public:
  TFakeHelper(TFakeHelper* AParent, RECT ABounds, std::string ATip)
      : TdxBarAccessibilityHelper(nullptr), Parent(AParent), Bounds(ABounds), Tip(std::move(ATip)) {
    if (AParent) AParent->Children.push_back(this);
  }
  TFakeHelper* Parent;
  RECT Bounds;
  std::string Tip;
  std::vector<TFakeHelper*> Children;
  bool Selectable = true;
  bool Selected = false;
  int Executed = 0;
  IdxBarKeyTipWindowManager* KeyTips = nullptr;

  TcxAccessibilityHelper* ParentHelper() override { return Parent; }
  int ChildCount() override { return static_cast<int>(Children.size()); }
  TcxAccessibilityHelper* ChildHelper(int Index) override { return Children.at(static_cast<size_t>(Index)); }
  bool IsSelectable() override { return Selectable; }
  RECT ScreenBoundsOf(int) override { return Bounds; }
  TdxBarAccessibilityHelper* GetDefaultSelectable() override { return FirstSelectableInTree(); }
  void SelectHelper(bool ByTab) override {
    Selected = true;
    TdxBarAccessibilityHelper::SelectHelper(ByTab);
  }
  void Deselect(TdxBarAccessibilityHelper* Next) override {
    Selected = false;
    TdxBarAccessibilityHelper::Deselect(Next);
  }
  IdxBarKeyTipWindowManager* GetKeyTipWindowManager() override {
    return KeyTips ? KeyTips : TdxBarAccessibilityHelper::GetKeyTipWindowManager();
  }
  std::string GetKeyTip() const override { return Tip; }
  void KeyTipExecute(bool) override { ++Executed; }
};

// Records the key-tip windows shown.
struct TKeyTipWindows : IdxBarKeyTipWindowManager {
  std::map<std::string, int> Shown;
  int Next = 1;
  std::map<void*, std::string> Texts;
  void* CreateKeyTipWindow(const std::string& Text, POINT, int, int, bool) override {
    Shown[Text] = 1;
    void* W = reinterpret_cast<void*>(static_cast<std::intptr_t>(Next++));
    Texts[W] = Text;
    return W;
  }
  void ReleaseKeyTipWindow(void* Window) override { Shown.erase(Texts[Window]); }
  void Refresh() override {}
  std::vector<std::string> Names() const {
    std::vector<std::string> N;
    for (const auto& [Text, One] : Shown) N.push_back(Text);
    return N;
  }
};

struct NavigationFixture : ::testing::Test {
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  // Outlives the helpers and the key tips shown through it.
  TKeyTipWindows Windows;
  // A window with a row of three buttons and, below the first, a fourth.
  TFakeHelper Window{nullptr, {0, 0, 300, 60}, ""};
  TFakeHelper A{&Window, {0, 0, 100, 30}, "O"};
  TFakeHelper B{&Window, {100, 0, 200, 30}, "S"};
  TFakeHelper C{&Window, {200, 0, 300, 30}, "-A"};
  TFakeHelper D{&Window, {0, 30, 100, 60}, "-B"};
  void SetUp() override { Window.Selectable = false; }
  void TearDown() override {
    Nav->EndKeyboardMode();
    Nav->ClearNavigationMode();
  }
  TdxBarAccessibilityHelper* Selection() { return Nav->CurrentSelectedObject(); }
};

TEST_F(NavigationFixture, ArrowsAndTabMoveWithWrapAndEscLeaves) {
  Nav->SelectRootDefault(&Window);
  EXPECT_TRUE(Nav->IsKeyboardMode());
  EXPECT_EQ(&A, Selection());
  const struct {
    WORD Key;
    TdxBarAccessibilityHelper* Expected;
  } Steps[] = {{VK_RIGHT, &B}, {VK_RIGHT, &C}, {VK_RIGHT, &A}, {VK_LEFT, &C},
               {VK_DOWN, &C} /* nothing below C */, {VK_LEFT, &B}, {VK_LEFT, &A}, {VK_DOWN, &D},
               {VK_UP, &A},   {VK_TAB, &B},   {VK_TAB, &C},    {VK_TAB, &D},  {VK_TAB, &A}};
  for (const auto& S : Steps) {
    Nav->DispatchNavigationKey(S.Key, TShiftState{});
    EXPECT_EQ(S.Expected, Selection()) << "after key " << S.Key;
  }
  {
    THeldKeys Shift({VK_SHIFT});
    Nav->DispatchNavigationKey(VK_TAB, TShiftState{ssShift});
  }
  EXPECT_EQ(&D, Selection()) << "Shift+Tab before the first wraps to the last";
  EXPECT_FALSE(A.Selected);
  EXPECT_TRUE(D.Selected);
  Nav->DispatchNavigationKey(VK_ESCAPE, TShiftState{});
  EXPECT_EQ(nullptr, Selection());
  EXPECT_FALSE(D.Selected);
}

TEST_F(NavigationFixture, WithNothingSelectedAKeySelectsTheFirstNavigableObject) {
  B.Selectable = false;
  Nav->NoteSelection(nullptr, &Window);
  Nav->DispatchNavigationKey(VK_DOWN, TShiftState{});
  EXPECT_EQ(&A, Selection());
  Nav->DispatchNavigationKey(VK_RIGHT, TShiftState{});
  EXPECT_EQ(&C, Selection()) << "an object that cannot be selected is passed over";
}

TEST_F(NavigationFixture, WaitingForKeyTipsRefusesAnotherRoot) {
  EXPECT_THROW(Nav->BeginKeyTipsWaiting(nullptr), EdxException);
  Window.KeyTips = &Windows;
  Nav->BeginKeyTipsWaiting(&Window);
  TFakeHelper Other(nullptr, {0, 0, 10, 10}, "");
  EXPECT_THROW(Nav->BeginKeyTipsWaiting(&Other), EdxException);
  EXPECT_TRUE(Nav->AwaitingKeyTips());
  // The waiting time passes without Alt held alone: the timer goes, the wait stays.
  SetAltPressedAlone(false);
  PumpFor(700);
  EXPECT_TRUE(Nav->AwaitingKeyTips());
  EXPECT_FALSE(Nav->IsKeyTipsActive());
  Nav->EndKeyTipsWaiting(false);
  EXPECT_FALSE(Nav->AwaitingKeyTips());
}

TEST_F(NavigationFixture, KeyTipsShowAfterTheWaitFilterAsTypedAndRunTheMatch) {
  Window.KeyTips = &Windows;
  Nav->BeginKeyTipsWaiting(&Window);
  SetAltPressedAlone(true);
  PumpFor(700);
  ASSERT_TRUE(Nav->IsKeyTipsActive());
  EXPECT_EQ((std::vector<std::string>{"-A", "-B", "O", "S"}), Windows.Names());
  // A punctuation key types its character, and only the tips that start with it stay.
  ASSERT_TRUE(Nav->WantsKey(VK_OEM_MINUS, TShiftState{}));
  Nav->DispatchNavigationKey(VK_OEM_MINUS, TShiftState{});
  EXPECT_EQ("-", Nav->TypedText());
  EXPECT_EQ((std::vector<std::string>{"-A", "-B"}), Windows.Names());
  Nav->DispatchNavigationKey('B', TShiftState{});
  EXPECT_EQ(1, D.Executed);
  EXPECT_EQ(0, C.Executed);
}

TEST_F(NavigationFixture, AKeyNoTipStartsWithEndsTheKeyTipsAndMovesTheSelection) {
  Window.KeyTips = &Windows;
  Nav->SelectRootDefault(&Window);
  Nav->SetKeyTipsContainer(&Window, "");
  ASSERT_EQ(4u, Windows.Names().size());
  Nav->DispatchNavigationKey(VK_RIGHT, TShiftState{});
  EXPECT_FALSE(Nav->IsKeyTipsActive());
  EXPECT_TRUE(Windows.Names().empty());
  EXPECT_EQ(&B, Selection());
}
}  // namespace
