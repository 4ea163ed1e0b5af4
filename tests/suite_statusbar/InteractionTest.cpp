// The status bar under real input: clicks on panels, dragging the size grip and
// Caps Lock pressed on the keyboard.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "suite/navbar/StatusBarKeyboardState.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_statusbar/StatusBarFixture.h"

namespace {

// The steps in one batch, so that nothing comes between them.
void SendMouse(std::initializer_list<std::pair<DWORD, POINT>> Steps) {
  std::vector<INPUT> In;
  for (auto [Flags, P] : Steps) In.push_back(MouseInput(P, Flags));
  SendInput(static_cast<UINT>(In.size()), In.data(), sizeof(INPUT));
}

// The steps one after another from a thread of their own, so that a modal loop
// the first one starts sees the others arrive.
std::thread SendMouseSlowly(std::vector<std::pair<DWORD, POINT>> Steps) {
  return std::thread([Steps] {
    for (const auto& S : Steps) {
      Sleep(60);
      SendMouse({S});
    }
  });
}

struct InputFixture : StatusBarFixture {
  std::vector<std::string> Log;
  void Clicked(TObject*) { Log.push_back("Click"); }
  void DoubleClicked(TObject*) { Log.push_back("DblClick"); }
  void SetUp() override {
    StatusBarFixture::SetUp();
    Bar->UseStub(false);
    SetForegroundWindow(Form->GetHandle());
    Pump();
  }
};

TEST_F(InputFixture, ClickAndDoubleClickOnAPanel) {
  AddPanel(100);
  TdxStatusBarPanel* P = AddPanel(50);
  P->OnClick = Bind(this, &InputFixture::Clicked);
  P->OnDblClick = Bind(this, &InputFixture::DoubleClicked);
  const POINT At = ScreenPoint(200, 10);
  SendMouse({{0, At}, {MOUSEEVENTF_LEFTDOWN, At}, {MOUSEEVENTF_LEFTUP, At}, {MOUSEEVENTF_LEFTDOWN, At},
             {MOUSEEVENTF_LEFTUP, At}});
  EXPECT_TRUE(PumpUntil([&] { return Log.size() >= 3; }, 2000));
  EXPECT_EQ(Log, (std::vector<std::string>{"Click", "DblClick", "Click"}));
  // The separator and the top line belong to no panel.
  Log.clear();
  const POINT Gap = ScreenPoint(103, 10);
  SendMouse({{0, Gap}, {MOUSEEVENTF_LEFTDOWN, Gap}, {MOUSEEVENTF_LEFTUP, Gap}});
  Pump();
  EXPECT_TRUE(Log.empty());
}

TEST_F(InputFixture, DraggingTheGripResizesTheForm) {
  AddPanel(100);
  RECT Before;
  GetWindowRect(Form->GetHandle(), &Before);
  const POINT Grip = ScreenPoint(Bar->GetWidth() - 5, Bar->GetHeight() - 5);
  const POINT Mid{Grip.x + 20, Grip.y + 15}, End{Grip.x + 40, Grip.y + 30};
  std::thread Input =
      SendMouseSlowly({{0, Grip}, {MOUSEEVENTF_LEFTDOWN, Grip}, {0, Mid}, {0, End}, {MOUSEEVENTF_LEFTUP, End}});
  RECT After{};
  EXPECT_TRUE(PumpUntil(
      [&] {
        GetWindowRect(Form->GetHandle(), &After);
        return After.right - After.left == Before.right - Before.left + 40 &&
               After.bottom - After.top == Before.bottom - Before.top + 30;
      },
      3000));
  Input.join();
  Pump();
  EXPECT_EQ(After.left, Before.left);
  EXPECT_EQ(After.top, Before.top);
  // The bar followed the form and stays in its corner.
  EXPECT_EQ(Bar->GetWidth(), Form->GetClientWidth());
  EXPECT_TRUE(Bar->SizeGripVisible());
}

TEST_F(InputFixture, CapsLockFlipsTheCaptionOnScreen) {
  auto* S = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(
      AddPanel(-1, "TdxStatusBarKeyboardStatePanelStyle")->GetPanelStyle());
  S->SetKeyboardStates({dxksCapsLock});
  S->GetCapsLockKeyAppearance()->SetActiveFontColor(clRed);
  S->GetCapsLockKeyAppearance()->SetInactiveFontColor(clBlue);
  S->GetFont()->SetHeight(-16);
  S->GetFont()->SetStyle(TFontStyles{fsBold});
  AddPanel(50);
  Pump();
  UpdateWindow(Bar->GetHandle());
  const int W = S->GetCapsLockKeyAppearance()->RectWidth(S->GetFont());
  // Red or blue pixels of the caption as the window shows them.
  auto Count = [&](bool Red) {
    HDC DC = GetDC(Bar->GetHandle());
    int N = 0;
    for (int Y = 2; Y < Bar->GetHeight(); ++Y)
      for (int X = 0; X < W + 2; ++X) {
        const COLORREF C = GetPixel(DC, X, Y);
        if (Red ? (GetRValue(C) > 150 && GetBValue(C) < 90) : (GetBValue(C) > 150 && GetRValue(C) < 90)) ++N;
      }
    ReleaseDC(Bar->GetHandle(), DC);
    return N;
  };
  const bool WasOn = (GetKeyState(VK_CAPITAL) & 1) != 0;
  ASSERT_GT(Count(WasOn), 0);
  ASSERT_EQ(Count(!WasOn), 0);
  Tap(VK_CAPITAL);
  // The key arrives as a message; the bar repaints when its 100 ms poll sees it.
  const bool Flipped = PumpUntil([&] { return Count(!WasOn) > 0; }, 3000);
  const bool NowOn = (GetKeyState(VK_CAPITAL) & 1) != 0;
  Tap(VK_CAPITAL);
  PumpUntil([&] { return ((GetKeyState(VK_CAPITAL) & 1) != 0) == WasOn; }, 2000);
  ASSERT_NE(NowOn, WasOn) << "the keyboard input did not reach the thread";
  EXPECT_TRUE(Flipped);
}

}  // namespace
