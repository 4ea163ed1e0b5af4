// Popup placement, popups and hints under Xvfb, and the size frame's region.
#include <gtest/gtest.h>

#include <string>

#include "framework/Form.h"
#include "framework/OwnedObject.h"
#include "framework/Panel.h"
#include "suite/common/BaseHintWindow.h"
#include "suite/common/DragImage.h"
#include "suite/common/PopupWindow.h"
#include "tests/suite_common/FormFixture.h"

namespace {
RECT OneScreen(POINT) { return RECT{0, 0, 1000, 800}; }
RECT TwoScreens(POINT P) { return P.x >= 1000 ? RECT{1000, 0, 2000, 800} : RECT{0, 0, 1000, 800}; }
}  // namespace

TEST(PopupPlacement, FlipsAlongTheDirectionAndClampsAcrossIt) {
  struct Case {
    const char* Name;
    RECT Owner;
    SIZE Size;
    TcxPopupHorzAlign H;
    TcxPopupVertAlign V;
    TcxPopupDirection D;
    POINT Expected;
    RECT (*WorkArea)(POINT) = &OneScreen;
  } Cases[] = {
      {"below near the bottom, more room above: opens above", {100, 700, 200, 720}, {150, 200}, phaLeft, pvaBottom,
       pdirVertical, {100, 500}},
      {"less room above: stays below and runs off the bottom", {100, 300, 200, 320}, {150, 600}, phaLeft, pvaBottom,
       pdirVertical, {100, 320}},
      {"above without room, more below: opens below", {100, 20, 200, 40}, {100, 100}, phaLeft, pvaTop, pdirVertical,
       {100, 40}},
      {"right aligned below", {100, 100, 300, 120}, {150, 50}, phaRight, pvaBottom, pdirVertical, {150, 120}},
      {"to the right at the right edge flips left", {900, 100, 990, 120}, {200, 100}, phaRight, pvaBottom,
       pdirHorizontal, {700, 20}},
      {"to the left with no room there flips right", {20, 100, 60, 120}, {200, 100}, phaLeft, pvaTop,
       pdirHorizontal, {60, 100}},
      {"held in across the direction", {950, 100, 990, 120}, {200, 50}, phaLeft, pvaBottom, pdirVertical,
       {800, 120}},
      {"wider than the work area starts at its left", {950, 100, 990, 120}, {1200, 50}, phaLeft, pvaBottom,
       pdirVertical, {0, 120}},
      {"centred across", {0, 100, 100, 120}, {300, 50}, phaCenter, pvaBottom, pdirVertical, {0, 120}},
      {"centred along is held in too", {100, 10, 200, 30}, {50, 100}, phaRight, pvaCenter, pdirHorizontal,
       {200, 0}},
      {"the work area of the owner's monitor", {1100, 100, 1200, 120}, {1000, 50}, phaLeft, pvaBottom,
       pdirVertical, {1000, 120}, &TwoScreens},
  };
  for (const Case& C : Cases) {
    POINT P = CalculatePopupPosition(C.Owner, C.Size, C.H, C.V, C.D, C.WorkArea);
    EXPECT_EQ(P.x, C.Expected.x) << C.Name;
    EXPECT_EQ(P.y, C.Expected.y) << C.Name;
  }
}

TEST(HintPlacement, ClampAndAnimationChoice) {
  const RECT WA{0, 0, 1000, 800};
  struct Clamp {
    int L, T, W, H;
    POINT Expected;
  } Clamps[] = {{950, 10, 100, 30, {900, 10}}, {-20, 790, 100, 30, {0, 770}}, {10, 10, 1200, 900, {0, 0}},
                {300, 300, 50, 20, {300, 300}}};
  for (const Clamp& C : Clamps) {
    RECT R = ClampHintBounds(C.L, C.T, C.W, C.H, WA);
    EXPECT_EQ(R.left, C.Expected.x);
    EXPECT_EQ(R.top, C.Expected.y);
    EXPECT_EQ(R.right - R.left, C.W);
  }

  const TcxHintAnimationSettings All{true, true, true}, NoFade{true, true, false}, Off{true, false, true},
      NoAnimate{false, true, true};
  struct Choice {
    TcxHintAnimationStyle Style;
    size_t Length;
    TcxHintAnimationSettings Settings;
    TcxHintAnimationStyle Expected;
  } Choices[] = {
      {hasAuto, 10, All, hasFade},        {hasAuto, 10, NoFade, hasSlideDown}, {hasSlideLeft, 10, All, hasSlideLeft},
      {hasAuto, 99, All, hasFade},        {hasAuto, 100, All, hasNone},        {hasCenter, 10, Off, hasNone},
      {hasFade, 10, NoAnimate, hasNone},  {hasNone, 10, All, hasNone},
  };
  for (const Choice& C : Choices)
    EXPECT_EQ(ResolveHintAnimation(C.Style, C.Length, C.Settings), C.Expected) << int(C.Style) << " " << C.Length;
  EXPECT_EQ(HintAnimationFlags(hasFade), static_cast<DWORD>(AW_BLEND | AW_SLIDE));
  EXPECT_EQ(HintAnimationFlags(hasSlideDown), static_cast<DWORD>(AW_VER_POSITIVE | AW_SLIDE));
}

namespace {
struct PopupFixture : ShownFormFixture {
  TPanel* Anchor = nullptr;
  void AddControls() override { Anchor = Add<TPanel>(RECT{10, 20, 110, 50}); }
};
}  // namespace

TEST_F(PopupFixture, OpensBelowItsOwnerSizedAroundItsControlsWithItsFrame) {
  TcxPopupWindow* Popup = TcxPopupWindow::CreatePopup(Form);
  Popup->SetPopupBorderStyle(pbsSingle);
  Popup->SetFrameColor(clRed);
  Popup->SetBorderSpace(2);
  Popup->SetColor(clWhite);
  TPanel* Inside = TPanel::Create(Popup);
  Inside->SetBounds(0, 0, 60, 40);
  Inside->SetParent(Popup);
  Popup->SetOwnerParent(Form);
  Popup->SetOwnerBounds(Anchor->GetBoundsRect());
  Popup->OpenPopup();
  Pump();
  EXPECT_EQ(Popup->SideInset(2), 3);
  EXPECT_EQ(Inside->GetLeft(), 3);
  EXPECT_EQ(Popup->GetWidth(), 66);
  EXPECT_EQ(Popup->GetHeight(), 46);
  // Below the anchor: the form's client starts at (100, 100).
  EXPECT_EQ(Popup->GetLeft(), 110);
  EXPECT_EQ(Popup->GetTop(), 150);
  RECT Inner;
  Popup->InnerClientRect(Inner);
  EXPECT_EQ(Inner.left, 3);
  EXPECT_EQ(Inner.bottom, 43);
  HWND Wnd = Popup->GetHandle();
  EXPECT_EQ(ScreenPixel(Wnd, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(Wnd, 65, 45), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(Wnd, 1, 1), RGB(255, 255, 255));
  EXPECT_TRUE(GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Losing activation closes it.
  SetActiveWindow(Form->GetHandle());
  Pump();
  EXPECT_FALSE(IsWindowVisible(Wnd));
}

TEST_F(PopupFixture, HintShowsWithoutActivationInsideTheWorkArea) {
  TcxBaseHintWindow* Hint = TcxBaseHintWindow::Create(Form);
  Hint->SetAnimationStyle(hasNone);
  SetActiveWindow(Form->GetHandle());
  Pump();
  HWND Active = GetActiveWindow();
  RECT Work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &Work, 0);
  Hint->ActivateHint(RECT{Work.right - 20, Work.bottom - 5, Work.right + 80, Work.bottom + 15}, "Zoom in");
  Pump();
  HWND Wnd = Hint->GetHandle();
  EXPECT_TRUE(IsWindowVisible(Wnd));
  EXPECT_EQ(GetActiveWindow(), Active);
  RECT R;
  GetWindowRect(Wnd, &R);
  EXPECT_EQ(R.right, Work.right);
  EXPECT_EQ(R.bottom, Work.bottom);
  EXPECT_EQ(GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(Hint->GetText(), "Zoom in");
}

TEST(SizeFrame, HollowOnlyWhenTheFrameLeavesAHole) {
  struct Case {
    int FrameWidth;
    bool Hollow;
  } Cases[] = {{4, true}, {5, false}};
  for (const Case& C : Cases) {
    TOwned<TcxSizeFrame> Frame(TcxSizeFrame::CreateWithFrameWidth(C.FrameWidth));
    Frame->HandleNeeded();
    Frame->PlaceAt(RECT{100, 100, 110, 110});
    Frame->ShowNoActivate();
    Pump();
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    int Kind = GetWindowRgn(Frame->GetHandle(), Region);
    ASSERT_NE(Kind, ERROR);
    for (int I = 0; I < 10; ++I) {
      const bool InRing = I < 4 || I >= 6;
      EXPECT_EQ(PtInRegion(Region, I, I) != 0, C.Hollow ? InRing : true) << C.FrameWidth << " at " << I;
      EXPECT_EQ(PtInRegion(Region, I, 0) != 0, true);
    }
    EXPECT_FALSE(PtInRegion(Region, 10, 10));
    DeleteObject(Region);
    EXPECT_EQ(SendMessageW(Frame->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(102, 102)), HTTRANSPARENT);
  }
  // Growing and shrinking again leaves no ring of the larger size behind.
  TOwned<TcxSizeFrame> Frame(TcxSizeFrame::CreateWithFrameWidth(4));
  Frame->HandleNeeded();
  Frame->PlaceAt(RECT{0, 0, 40, 40});
  Frame->PlaceAt(RECT{0, 0, 8, 8});
  HRGN Region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(Frame->GetHandle(), Region);
  EXPECT_TRUE(PtInRegion(Region, 5, 5));
  DeleteObject(Region);
}
