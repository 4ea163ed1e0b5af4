// The panel styles: chosen by class name, the colour and hint rules of the text
// style, the keyboard states read through a stand-in, the lamps and the container.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Panel.h"
#include "framework/Screen.h"
#include "suite/common/SuiteException.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/navbar/StatusBarContainer.h"
#include "suite/navbar/StatusBarKeyboardState.h"
#include "suite/navbar/StatusBarStateIndicators.h"
#include "tests/suite_statusbar/StatusBarFixture.h"

namespace {

// Pixels of R whose colour passes Test.
template <class F>
int CountPixels(const TMemoryDC& M, RECT R, F Test) {
  int N = 0;
  for (int Y = R.top; Y < R.bottom; ++Y)
    for (int X = R.left; X < R.right; ++X)
      if (Test(M.Pixel(X, Y))) ++N;
  return N;
}
bool Reddish(COLORREF C) { return GetRValue(C) > 150 && GetGValue(C) < 90 && GetBValue(C) < 90; }
bool Bluish(COLORREF C) { return GetBValue(C) > 150 && GetRValue(C) < 90 && GetGValue(C) < 90; }

TEST_F(StatusBarFixture, StyleFollowsTheClassName) {
  TdxStatusBarPanel* P = Bar->GetPanels()->Add();
  ASSERT_NE(P->GetPanelStyle(), nullptr);
  EXPECT_EQ(P->GetPanelStyleClassName(), "TdxStatusBarTextPanelStyle");
  const struct {
    const char* Name;
    const char* Expect;
  } Cases[] = {{"TdxStatusBarStateIndicatorPanelStyle", "TdxStatusBarStateIndicatorPanelStyle"},
               {"TdxStatusBarKeyboardStatePanelStyle", "TdxStatusBarKeyboardStatePanelStyle"},
               {"TdxStatusBarContainerPanelStyle", "TdxStatusBarContainerPanelStyle"},
               {"TdxStatusBarTextPanelStyle", "TdxStatusBarTextPanelStyle"},
               {"tdxstatusbartextpanelstyle", ""},
               {"TNoSuchPanelStyle", ""},
               {"TdxStatusBarTextPanelStyle", "TdxStatusBarTextPanelStyle"}};
  for (const auto& C : Cases) {
    P->SetPanelStyleClassName(C.Name);
    EXPECT_EQ(P->GetPanelStyleClassName(), C.Expect) << C.Name;
    EXPECT_EQ(P->GetPanelStyle() != nullptr, *C.Expect != 0) << C.Name;
  }
  // The same class keeps the style it has.
  TdxStatusBarPanelStyle* Style = P->GetPanelStyle();
  P->SetPanelStyleClassName("TdxStatusBarTextPanelStyle");
  EXPECT_EQ(P->GetPanelStyle(), Style);
  TcxRegisteredClasses* R = StatusBarPanelStyles();
  EXPECT_EQ(R->GetDescription(R->IndexOf(TdxStatusBarTextPanelStyle::StaticClass())), "Text Panel");
  EXPECT_EQ(R->GetDescription(R->IndexOf(TdxStatusBarKeyboardStatePanelStyle::StaticClass())), "Keyboard State Panel");
}

TEST_F(StatusBarFixture, BlackIsAColourLikeAnyOther) {
  Bar->UseStub(false);
  TdxStatusBarPanel* P = AddPanel(100);
  auto* S = P->GetPanelStyle();
  EXPECT_EQ(S->GetColor(), clBtnFace);
  EXPECT_FALSE(S->IsColorStored());
  S->SetColor(clBlack);
  EXPECT_EQ(S->GetColor(), clBlack);
  EXPECT_TRUE(S->IsColorStored());
  auto M = Paint();
  EXPECT_EQ(M->Pixel(50, 10), RGB(0, 0, 0));
}

TEST_F(StatusBarFixture, StylesFollowTheBarsFontUntilGivenTheirOwn) {
  TdxStatusBarPanelStyle* Follows = AddPanel(50)->GetPanelStyle();
  TdxStatusBarPanelStyle* Own = AddPanel(50)->GetPanelStyle();
  Own->GetFont()->SetHeight(-20);
  EXPECT_FALSE(Own->GetParentFont());
  Bar->GetFont()->SetHeight(-15);
  Bar->GetFont()->SetName("Tahoma");
  EXPECT_EQ(Follows->GetFont()->GetHeight(), -15);
  EXPECT_EQ(Follows->GetFont()->GetName(), "Tahoma");
  EXPECT_TRUE(Follows->GetParentFont());
  EXPECT_EQ(Own->GetFont()->GetHeight(), -20);
  Own->SetParentFont(true);
  EXPECT_EQ(Own->GetFont()->GetHeight(), -15);
}

TEST_F(StatusBarFixture, AutoHintIsOnOneTextPanelAtMost) {
  auto* A = static_cast<TdxStatusBarTextPanelStyle*>(AddPanel(50)->GetPanelStyle());
  AddPanel(50, "TdxStatusBarKeyboardStatePanelStyle");
  auto* B = static_cast<TdxStatusBarTextPanelStyle*>(AddPanel(50)->GetPanelStyle());
  A->SetAutoHint(true);
  B->SetAutoHint(true);
  EXPECT_FALSE(A->GetAutoHint());
  EXPECT_TRUE(B->GetAutoHint());
  A->SetAutoHint(true);
  EXPECT_TRUE(A->GetAutoHint());
  EXPECT_FALSE(B->GetAutoHint());
}

struct THintCase {
  const char* Name;
  bool AutoHint;
  bool BarOnHint;
  bool AppOnHint;
  bool HiddenPanel;
  const char* ExpectText;  // null: the panel keeps "old"
  int ExpectBarHints;
};

const THintCase HintCases[] = {
    {"auto-hint panel shows the hint", true, false, false, false, "hint", 0},
    {"a hidden auto-hint panel too", true, false, false, true, "hint", 0},
    {"the bar's OnHint runs instead", true, true, false, false, nullptr, 1},
    {"no auto-hint panel: OnHint is not asked", false, true, false, false, nullptr, 0},
    {"the application's OnHint keeps the bar out", true, true, true, false, nullptr, 0},
};

class HintRule : public StatusBarFixture, public ::testing::WithParamInterface<THintCase> {
public:
  int BarHints = 0, AppHints = 0;
  void BarHint(TObject*) { ++BarHints; }
  void AppHint(TObject*) { ++AppHints; }
  void TearDown() override {
    Application->OnHint = nullptr;
    StatusBarFixture::TearDown();
  }
};

TEST_P(HintRule, ApplicationHintReachesTheBar) {
  const THintCase& C = GetParam();
  AddPanel(50);
  TdxStatusBarPanel* P = AddPanel(100);
  P->SetText("old");
  P->SetVisible(!C.HiddenPanel);
  static_cast<TdxStatusBarTextPanelStyle*>(P->GetPanelStyle())->SetAutoHint(C.AutoHint);
  if (C.BarOnHint) Bar->OnHint = Bind(this, &HintRule::BarHint);
  if (C.AppOnHint) Application->OnHint = Bind(this, &HintRule::AppHint);
  ASSERT_TRUE(PumpUntil([&] { return Screen->GetActiveForm() == Form; }));
  Application->SetHint(std::string("hint ") + C.Name);
  Application->SetHint("hint");
  EXPECT_EQ(P->GetText(), C.ExpectText ? C.ExpectText : "old");
  EXPECT_EQ(BarHints, 2 * C.ExpectBarHints);
  EXPECT_EQ(AppHints, C.AppOnHint ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, HintRule, ::testing::ValuesIn(HintCases));

TEST_F(StatusBarFixture, OtherActionsNeverAskOnHint) {
  static_cast<TdxStatusBarTextPanelStyle*>(AddPanel(100)->GetPanelStyle())->SetAutoHint(true);
  int Hints = 0;
  struct TCounter {
    int* N;
    void Hint(TObject*) { ++*N; }
  } Counter{&Hints};
  Bar->OnHint = Bind(&Counter, &TCounter::Hint);
  ASSERT_TRUE(PumpUntil([&] { return Screen->GetActiveForm() == Form; }));
  TOwned<TAction> A(TAction::Create(nullptr));
  A->SetDisableIfNoHandler(false);
  A->SetHint("not a hint action");
  A->Execute();
  EXPECT_EQ(Hints, 0);
  EXPECT_EQ(Bar->GetPanels()->Items(0)->GetText(), "");
}

// ---- keyboard states

std::map<int, SHORT> KeyStates;
SHORT TableKeyState(int Key) { return KeyStates.count(Key) ? KeyStates[Key] : 0; }

struct KeyboardFixture : StatusBarFixture {
  TdxKeyStateReader Saved = nullptr;
  TdxStatusBarKeyboardStatePanelStyle* Style = nullptr;
  void SetUp() override {
    KeyStates.clear();
    Saved = SetStatusBarKeyStateReader(&TableKeyState);
    StatusBarFixture::SetUp();
    Bar->UseStub(false);
    Style = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(
        AddPanel(-1, "TdxStatusBarKeyboardStatePanelStyle")->GetPanelStyle());
    Style->SetKeyboardStates({dxksCapsLock});
    Style->GetCapsLockKeyAppearance()->SetActiveFontColor(clRed);
    Style->GetCapsLockKeyAppearance()->SetInactiveFontColor(clBlue);
    Style->GetFont()->SetHeight(-16);
    Style->GetFont()->SetStyle(TFontStyles{fsBold});
  }
  void TearDown() override {
    StatusBarFixture::TearDown();
    SetStatusBarKeyStateReader(Saved);
  }
  bool PendingPaint() {
    RECT R;
    return GetUpdateRect(Bar->GetHandle(), &R, FALSE) != 0;
  }
};

// A key is on when its toggle bit is set, whether it is held down or not.
TEST_F(KeyboardFixture, ToggleBitDecides) {
  const struct {
    SHORT State;
    bool On;
  } Cases[] = {{0, false}, {1, true}, {SHORT(0xFF80), false}, {SHORT(0xFF81), true}};
  for (const auto& C : Cases) {
    KeyStates[VK_CAPITAL] = C.State;
    EXPECT_EQ(StatusBarKeyToggled(VK_CAPITAL), C.On) << C.State;
    auto M = Paint();
    const RECT Panel{0, 2, Bar->GetWidth(), Bar->GetHeight()};
    EXPECT_EQ(CountPixels(*M, Panel, Reddish) > 0, C.On) << C.State;
    EXPECT_EQ(CountPixels(*M, Panel, Bluish) > 0, !C.On) << C.State;
  }
}

TEST_F(KeyboardFixture, RepaintsOnlyWhenAToggleChanges) {
  TdxStatusBarKeyboardStateNotifier* N = Style->GetNotifier();
  ASSERT_EQ(N->WatchedCount(), 4);
  EXPECT_EQ(N->WatchedCode(0), VK_CAPITAL);
  EXPECT_EQ(N->WatchedCode(3), VK_INSERT);
  UpdateWindow(Bar->GetHandle());
  KeyStates[VK_CAPITAL] = SHORT(0xFF80);  // pressed, not toggled
  N->CheckKeys();
  EXPECT_FALSE(PendingPaint());
  KeyStates[VK_CAPITAL] = SHORT(0xFF81);
  N->CheckKeys();
  EXPECT_TRUE(PendingPaint());
  UpdateWindow(Bar->GetHandle());
  // Scroll Lock is watched though the panel does not show it.
  KeyStates[VK_SCROLL] = 1;
  N->CheckKeys();
  EXPECT_TRUE(PendingPaint());
  N->WatchKey(VK_NUMLOCK);
  EXPECT_EQ(N->WatchedCount(), 4);
  EXPECT_EQ(N->WatchedCode(3), VK_NUMLOCK);
  N->UnwatchKey(VK_NUMLOCK);
  EXPECT_EQ(N->WatchedCount(), 3);
}

TEST_F(KeyboardFixture, ContentWidthFollowsTheKeys) {
  TFont* F = Style->GetFont();
  const int Caps = Style->GetCapsLockKeyAppearance()->RectWidth(F);
  const int Ins = std::max(TextWidthInFont(F, "INS"), TextWidthInFont(F, "OVR")) + 4;
  EXPECT_EQ(Ins, Style->GetInsertKeyAppearance()->RectWidth(F));
  EXPECT_EQ(Style->GetStatusBarPanel()->GetWidth(), Caps + 2);
  Style->SetKeyboardStates({dxksCapsLock, dxksInsert});
  // Each key has a bevel, a separator lies between them, the panel has none.
  EXPECT_EQ(Style->GetStatusBarPanel()->GetWidth(), Caps + 2 + 2 + Ins + 2);
  EXPECT_EQ(Style->GetStatusBarPanel()->LayoutWidth(), Caps + 2 + 2 + Ins + 2 + 16);
  Style->SetFullRect(true);
  EXPECT_EQ(Style->GetStatusBarPanel()->GetWidth(), Caps + 2 + Ins);
  Style->SetKeyboardStates({});
  EXPECT_EQ(Style->GetStatusBarPanel()->GetWidth(), 50);
}

// ---- lamps

TEST_F(StatusBarFixture, LampsComeFromTheProgramsBitmaps) {
  auto* S = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(
      AddPanel(-1, "TdxStatusBarStateIndicatorPanelStyle")->GetPanelStyle());
  TdxStatusBarStateIndicatorItem* Item = S->GetIndicators()->Add();
  const struct {
    TdxStatusBarStateIndicatorType Type;
    COLORREF Body;
  } Lamps[] = {{sitOff, RGB(160, 160, 160)},  {sitYellow, RGB(240, 208, 32)}, {sitBlue, RGB(40, 96, 232)},
               {sitGreen, RGB(40, 184, 56)},  {sitRed, RGB(224, 40, 32)},     {sitTeal, RGB(24, 168, 168)},
               {sitPurple, RGB(152, 56, 200)}};
  for (const auto& L : Lamps) {
    Item->SetIndicatorType(L.Type);
    TBitmap* B = Item->GetIndicatorBitmap();
    ASSERT_EQ(B->GetWidth(), 17);
    ASSERT_EQ(B->GetHeight(), 8);
    EXPECT_EQ(GetPixel(B->GetCanvas()->GetHandle(), 8, 3), L.Body) << L.Type;
  }
  // Drawn at Spacing from the cell's left, centred in its height.
  auto M = Paint();
  EXPECT_EQ(M->Pixel(1 + 4 + 8, 2 + (18 - 8) / 2 + 3), RGB(152, 56, 200));
}

TEST_F(StatusBarFixture, LampPanelIsAsWideAsItsVisibleLamps) {
  auto* S = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(
      AddPanel(-1, "TdxStatusBarStateIndicatorPanelStyle")->GetPanelStyle());
  TdxStatusBarPanel* P = S->GetStatusBarPanel();
  EXPECT_EQ(P->GetWidth(), 20);
  S->GetIndicators()->Add();
  S->GetIndicators()->Add()->SetIndicatorType(sitGreen);
  EXPECT_EQ(P->GetWidth(), 4 + 2 * (17 + 4));
  S->GetIndicators()->Items(0)->SetVisible(false);
  EXPECT_EQ(P->GetWidth(), 4 + 17 + 4);
  S->SetSpacing(0);
  EXPECT_EQ(P->GetWidth(), 17);
}

// ---- container

TEST_F(StatusBarFixture, ContainerCoversItsCellClearOfTheGrip) {
  TdxStatusBarPanel* P = AddPanel(-1, "TdxStatusBarContainerPanelStyle");
  auto* S = static_cast<TdxStatusBarContainerPanelStyle*>(P->GetPanelStyle());
  TdxStatusBarContainerControl* C = S->GetContainer();
  ASSERT_NE(C, nullptr);
  EXPECT_EQ(C->GetOwner(), Form);
  EXPECT_EQ(C->GetParent(), Bar);
  EXPECT_EQ(C->GetPanelStyle(), S);
  TPanel* Child = TPanel::Create(Form);
  Child->SetParent(C);
  Paint();
  // The stand-in's cell is (1, 2, 399, 20); the grip takes 10 off its right.
  EXPECT_EQ(C->GetBoundsRect(), (RECT{1, 2, 389, 20}));
  EXPECT_EQ(Child->GetBoundsRect(), (RECT{0, 0, 388, 18}));
  P->SetVisible(false);
  EXPECT_FALSE(C->GetVisible());
  P->SetVisible(true);
  EXPECT_TRUE(C->GetVisible());
  // Another style frees the control.
  P->SetPanelStyleClassName("TdxStatusBarTextPanelStyle");
  EXPECT_EQ(Bar->GetControlCount(), 0);
}

TEST_F(StatusBarFixture, DestroyingTheContainerLeavesThePanelWithoutStyle) {
  TdxStatusBarPanel* P = AddPanel(-1, "TdxStatusBarContainerPanelStyle");
  Free(static_cast<TdxStatusBarContainerPanelStyle*>(P->GetPanelStyle())->GetContainer());
  EXPECT_EQ(P->GetPanelStyle(), nullptr);
  EXPECT_EQ(P->GetPanelStyleClassName(), "");
}

TEST_F(StatusBarFixture, ASecondContainerUnlinksTheFirst) {
  TdxStatusBarPanel* P = AddPanel(-1, "TdxStatusBarContainerPanelStyle");
  auto* S = static_cast<TdxStatusBarContainerPanelStyle*>(P->GetPanelStyle());
  TdxStatusBarContainerControl* First = S->GetContainer();
  auto* Second = TdxStatusBarContainerControl::Create(Form);
  Second->SetParent(Bar);
  S->SetContainer(Second);
  EXPECT_EQ(First->GetPanelStyle(), nullptr);
  EXPECT_EQ(Second->GetPanelStyle(), S);
  Free(First);
  EXPECT_EQ(P->GetPanelStyle(), S);
  EXPECT_EQ(S->GetContainer(), Second);
}

TEST_F(StatusBarFixture, AncestorContainerKeepsItsStyle) {
  TdxStatusBarPanel* P = AddPanel(-1, "TdxStatusBarContainerPanelStyle");
  TdxStatusBarPanelStyle* S = P->GetPanelStyle();
  TdxStatusBarContainerControl* C = static_cast<TdxStatusBarContainerPanelStyle*>(S)->GetContainer();
  C->SetComponentState(C->GetComponentState() + csAncestor);
  try {
    P->SetPanelStyleClassName("TdxStatusBarTextPanelStyle");
    FAIL() << "the style was given up";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.GetMessage(), "Selection contains a component introduced in an ancestor form which cannot be deleted");
  }
  EXPECT_EQ(P->GetPanelStyle(), S);
  EXPECT_THROW(Bar->GetPanels()->Delete(0), EdxException);
  EXPECT_EQ(Bar->GetPanels()->GetCount(), 1);
  C->SetComponentState(C->GetComponentState() - csAncestor);
}

}  // namespace
