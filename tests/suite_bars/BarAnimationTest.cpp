// The show animation of menu windows: the step geometry of unfold and slide, the
// picture each step leaves on the screen, and a key that stops an unfold midway.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Canvas.h"
#include "suite/bars/BarAnimation.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarHooks.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

// A menu window that paints four coloured quadrants, so that every part of its
// picture tells where it came from.
class TQuadrantMenu : public TdxBarSubMenuControl {
public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  static COLORREF ColorAt(int X, int Y, int W, int H) {
    bool Right = X >= W / 2, Low = Y >= H / 2;
    return Right ? (Low ? RGB(0, 0, 255) : RGB(0, 255, 0)) : (Low ? RGB(255, 0, 0) : RGB(255, 255, 0));
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TdxBarSubMenuControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_TOPMOST;
  }
public:
  int StepsWhenFinished = -1;
  void AnimationFinished(TdxBarAnimationThread* Thread) override {
    StepsWhenFinished = Thread->StepsDrawn();
    TdxBarSubMenuControl::AnimationFinished(Thread);
  }

protected:
  void Paint() override {
    if (IsAnimating()) return;
    HDC DC = GetCanvas()->GetHandle();
    RECT C = GetClientRect();
    int W = C.right, H = C.bottom;
    const RECT Quads[] = {{0, 0, W / 2, H / 2}, {W / 2, 0, W, H / 2}, {0, H / 2, W / 2, H}, {W / 2, H / 2, W, H}};
    for (const RECT& Q : Quads) {
      HBRUSH B = CreateSolidBrush(ColorAt(Q.left, Q.top, W, H));
      FillRect(DC, &Q, B);
      DeleteObject(B);
    }
  }
};

// The menu, hidden at its final bounds as a menu stands before it animates.
TQuadrantMenu* NewMenu(TComponent* Owner, RECT Final) {
  auto* M = Construct<TQuadrantMenu>(Owner);
  M->SetBounds(Final.left, Final.top, Final.right - Final.left, Final.bottom - Final.top);
  M->HandleNeeded();
  return M;
}

TEST(BarAnimationSteps, UnfoldStartsAsACornerAndSlideKeepsTheWidth) {
  struct {
    TdxBarMenuAnimations Kind;
    int W, H;
    int Extent, Step;
    SIZE First, Last;
    RECT Shown;
  } Cases[] = {
      // Higher than wide: a strip 8 wide and 8 + (h - w) high that widens.
      {maUnfold, 100, 160, 100, 8, {8, 68}, {96, 156}, {0, 0, 0, 60}},
      // Wider than high: the same turned.
      {maUnfold, 160, 100, 100, 8, {68, 8}, {156, 96}, {0, 0, 60, 0}},
      {maSlide, 120, 90, 90, 17, {120, 17}, {120, 85}, {0, 0, 120, 0}},
  };
  for (const auto& C : Cases) {
    TQuadrantMenu* M = NewMenu(nullptr, RECT{10, 10, 10 + C.W, 10 + C.H});
    MenuAnimationParams P = MenuAnimationParamsFor(M, C.Kind, false, false);
    EXPECT_EQ(C.Extent, P.Extent);
    EXPECT_EQ(C.Step, P.StepSize);
    EXPECT_TRUE(EqualRect(&C.Shown, &P.ShownRect));
    SIZE First = AnimationStepSize(P, 1), Last = AnimationStepSize(P, P.Extent / P.StepSize);
    EXPECT_EQ(C.First.cx, First.cx);
    EXPECT_EQ(C.First.cy, First.cy);
    EXPECT_EQ(C.Last.cx, Last.cx);
    EXPECT_EQ(C.Last.cy, Last.cy);
    Free(M);
  }
  // Fade (the program's choice) and the plain show never start the thread.
  for (TdxBarMenuAnimations Kind : {maFade, maNone}) {
    TQuadrantMenu* M = NewMenu(nullptr, RECT{10, 10, 110, 110});
    M->StartAnimation(MenuAnimationParamsFor(M, Kind, false, false));
    EXPECT_FALSE(M->GetAnimationThread());
    EXPECT_FALSE(M->IsAnimating());
    Free(M);
  }
}

// Each step shows the part of the picture that belongs at the window's growing
// edge: a menu opening downwards slides out of its owner (its bottom shows first),
// one opening upwards shows its top, one opening leftwards its right edge.
TEST(BarAnimationSteps, EachStepShowsTheImagePartOfItsDirection) {
  struct {
    bool Left, Up;
    // The quadrant colour at the window's top-left client pixel after the first step.
    COLORREF TopLeft;
  } Cases[] = {
      {false, false, RGB(255, 0, 0)},  // bottom-left of the picture
      {false, true, RGB(255, 255, 0)},  // top-left
      {true, false, RGB(0, 0, 255)},   // bottom-right
  };
  const RECT Final{200, 150, 296, 246};
  for (const auto& C : Cases) {
    TQuadrantMenu* M = NewMenu(nullptr, Final);
    MenuAnimationParams P = MenuAnimationParamsFor(M, maSlide, C.Left, C.Up);
    P.Animation = maUnfold;  // a square grows on both axes
    P.StepSize = 16;
    P.Extent = 96;
    P.ShownRect = RECT{0, 0, 0, 0};
    P.StartOffset = 0;
    auto* T = TdxBarAnimationThread::Create(P);
    for (int Step = 1; Step <= 6; ++Step) {
      T->DrawStep(Step);
      RECT W = QueryWindowRect(M->GetHandle());
      int Size = Step * 16;
      // The growing window keeps the edge opposite its direction.
      EXPECT_EQ(C.Left ? Final.right : Final.left + Size, W.right) << Step;
      EXPECT_EQ(C.Up ? Final.bottom : Final.top + Size, W.bottom) << Step;
      RECT Source = AnimationSourceRect(P, SIZE{Size, Size});
      HDC DC = GetDC(M->GetHandle());
      for (int Y = 1; Y < Size; Y += 7)
        for (int X = 1; X < Size; X += 7) {
          COLORREF Want = TQuadrantMenu::ColorAt(Source.left + X, Source.top + Y, 96, 96);
          ASSERT_EQ(Want, GetPixel(DC, X, Y)) << "step " << Step << " at " << X << "," << Y;
        }
      ReleaseDC(M->GetHandle(), DC);
      if (Step == 1) {
        DC = GetDC(M->GetHandle());
        EXPECT_EQ(C.TopLeft, GetPixel(DC, 0, 0));
        ReleaseDC(M->GetHandle(), DC);
      }
    }
    Free(T);
    Free(M);
  }
}

struct BarAnimationInput : BarFormFixture {};

// A key pressed while a menu unfolds stops the thread at once; the menu then
// stands at its final bounds.
TEST_F(BarAnimationInput, AKeyDuringAnUnfoldLeavesTheMenuAtItsFinalBounds) {
  TdxBarManager* Manager = NewManager();
  const RECT Final{300, 200, 500, 400};
  TQuadrantMenu* M = NewMenu(Manager, Final);
  M->SetBarManager(Manager);
  TdxBarAnimationThread::SetMinStepTime(40);
  M->StartAnimation(MenuAnimationParamsFor(M, maUnfold, false, false));
  TdxBarAnimationThread* T = M->GetAnimationThread();
  ASSERT_TRUE(T);
  const int Steps = T->StepCount();
  M->SetActive(true);
  SetForegroundWindow(Form->GetHandle());
  SetFocus(Form->GetHandle());
  ASSERT_TRUE(PumpUntil([&] { return T->StepsDrawn() >= 2; }, 2000));
  Tap(VK_DOWN);
  EXPECT_TRUE(PumpUntil([&] { return !M->IsAnimating() && !M->GetAnimationThread(); }, 2000));
  TdxBarAnimationThread::SetMinStepTime(0);
  EXPECT_LT(M->StepsWhenFinished, Steps) << "the unfold ran to its end";
  EXPECT_GE(M->StepsWhenFinished, 2);
  RECT W = QueryWindowRect(M->GetHandle());
  EXPECT_TRUE(EqualRect(&Final, &W)) << W.left << "," << W.top << "," << W.right << "," << W.bottom;
  EXPECT_TRUE(IsWindowVisible(M->GetHandle()));
  M->SetActive(false);
  Free(M);
  Free(Manager);
}

}  // namespace
