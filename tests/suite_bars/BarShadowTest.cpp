// Shadow parts around popups and their owners, the alpha of their pictures, the
// solid band without layered windows, clicks passing through, and the shadow of a
// menu opened from a menu bar as it shows on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarAnimation.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarShadow.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {
std::vector<int> Box(const RECT& R) {
  return {static_cast<int>(R.left), static_cast<int>(R.top), static_cast<int>(R.right), static_cast<int>(R.bottom)};
}

struct TLayered {
  explicit TLayered(int Value) { TdxBarShadow::SetLayeredOverride(Value); }
  ~TLayered() { TdxBarShadow::SetLayeredOverride(-1); }
};

// The parts as (kind, corners, left, top, right, bottom).
std::vector<std::vector<int>> Parts(TdxBarShadow& S) {
  std::vector<std::vector<int>> All;
  for (int I = 0; I < S.PartCount(); ++I) {
    TdxBarShadowPart* P = S.Part(I);
    std::vector<int> Row{P->GetKind(), static_cast<int>(P->GetCorners())};
    std::vector<int> B = Box(P->GetBoundsRect());
    Row.insert(Row.end(), B.begin(), B.end());
    All.push_back(Row);
  }
  return All;
}

TEST(BarShadowParts, OwnerBelowAboveAndBesideMakeOneShape) {
  TLayered Layered(1);
  const RECT Button{100, 100, 140, 120};
  const RECT Below{100, 120, 250, 300};
  TdxBarShadow Down(nullptr);
  Down.SetRects(Button, Below);
  EXPECT_TRUE(Down.IsHorizontal());
  const std::vector<std::vector<int>> DownParts{{1, 4, 140, 104, 144, 120},
                                                {0, 3, 104, 300, 254, 304},
                                                {1, 4, 250, 124, 254, 300}};
  EXPECT_EQ(DownParts, Parts(Down));
  // Opened upwards the same shape comes out with the roles exchanged.
  const RECT Above{100, 0, 250, 100};
  const RECT LowButton{100, 100, 140, 120};
  TdxBarShadow Up(nullptr);
  Up.SetRects(LowButton, Above);
  EXPECT_TRUE(Up.IsHorizontal());
  EXPECT_EQ(Box(Above), Box(Up.GetOwnerRect()));
  const std::vector<std::vector<int>> UpParts{{1, 4, 250, 4, 254, 100},
                                              {0, 3, 104, 120, 144, 124},
                                              {0, 2, 140, 100, 254, 104},
                                              {1, 0, 140, 100, 144, 120}};
  EXPECT_EQ(UpParts, Parts(Up));
  // A sub-menu beside its item, reaching below it.
  const RECT Item{100, 100, 200, 120};
  const RECT Beside{200, 90, 320, 250};
  TdxBarShadow Side(nullptr);
  Side.SetRects(Item, Beside);
  EXPECT_FALSE(Side.IsHorizontal());
  const std::vector<std::vector<int>> SideParts{{1, 4, 320, 94, 324, 250},
                                                {0, 1, 104, 120, 200, 124},
                                                {0, 3, 204, 250, 324, 254}};
  EXPECT_EQ(SideParts, Parts(Side));
  // Without owner: the band at the right and the band below.
  TdxBarShadow Alone(nullptr);
  Alone.SetRects(RECT{0, 0, 0, 0}, Below);
  const std::vector<std::vector<int>> AloneParts{{0, 3, 104, 300, 254, 304}, {1, 4, 250, 124, 254, 300}};
  EXPECT_EQ(AloneParts, Parts(Alone));
}

// The alpha byte of a 32-bit picture's pixel.
int AlphaOf(TBitmap* Image, int X, int Y) { return static_cast<const BYTE*>(Image->ScanLine(Y))[X * 4 + 3]; }

TEST(BarShadowParts, PicturesFadeOutwardAndAtTheirEnds) {
  TLayered Layered(1);
  TdxBarShadow S(nullptr);
  S.SetRects(RECT{0, 0, 0, 0}, RECT{100, 100, 200, 200});
  ASSERT_EQ(2, S.PartCount());
  TBitmap* Below = S.Part(0)->GetImage();  // 100 x 4, both ends fading
  ASSERT_EQ(100, Below->GetWidth());
  for (int Y = 0; Y < 4; ++Y) EXPECT_EQ(60 - 15 * Y, AlphaOf(Below, 50, Y)) << "row " << Y;
  const int LeftEnd[] = {MulDiv(60, 1, 5), MulDiv(60, 2, 5), MulDiv(60, 3, 5), MulDiv(60, 4, 5), 60};
  for (int X = 0; X < 5; ++X) {
    EXPECT_EQ(LeftEnd[X], AlphaOf(Below, X, 0)) << "left end " << X;
    EXPECT_EQ(LeftEnd[X], AlphaOf(Below, 99 - X, 0)) << "right end " << X;
  }
  TBitmap* Right = S.Part(1)->GetImage();  // 4 wide, its top end fading
  for (int X = 0; X < 4; ++X) EXPECT_EQ(60 - 15 * X, AlphaOf(Right, X, 50));
  EXPECT_EQ(MulDiv(45, 1, 5), AlphaOf(Right, 1, 0));
}

TEST(BarShadowParts, WithoutLayeredWindowsABandOfTwoPixels) {
  TLayered Layered(0);
  EXPECT_EQ(2, TdxBarShadow::Extent());
  TdxBarShadow S(nullptr);
  S.SetRects(RECT{0, 0, 0, 0}, RECT{100, 100, 200, 200});
  EXPECT_EQ((std::vector<int>{102, 200, 202, 202}), Box(S.Part(0)->GetBoundsRect()));
  EXPECT_EQ((std::vector<int>{200, 102, 202, 200}), Box(S.Part(1)->GetBoundsRect()));
}

struct ShadowFixture : BarFormFixture {};

TEST_F(ShadowFixture, ShownPartsLetTheMouseThroughAndPaintTheButtonShadowColour) {
  TLayered Layered(0);
  RECT F = QueryWindowRect(Form->GetHandle());
  TdxBarShadow S(nullptr);
  S.SetRects(RECT{0, 0, 0, 0}, RECT{F.left + 50, F.top + 50, F.left + 150, F.top + 150});
  S.SetShown(true);
  Pump();
  TdxBarShadowPart* Below = S.Part(0);
  ASSERT_TRUE(Below->HandleAllocated() && IsWindowVisible(Below->GetHandle()));
  EXPECT_EQ(HTTRANSPARENT, SendMessageW(Below->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(F.left + 100, F.top + 151)));
  EXPECT_EQ(Form->GetHandle(), WindowFromPoint(POINT{F.left + 100, F.top + 151}));
  HDC DC = GetDC(nullptr);
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), GetPixel(DC, F.left + 100, F.top + 151));
  ReleaseDC(nullptr, DC);
  S.SetShown(false);
  EXPECT_FALSE(Below->HandleAllocated());
}

// Whether the screen blends a layered window with what lies below it: a plain
// half-transparent black window at the point. A bare X display without a
// compositing manager shows such windows opaque, whatever their alpha.
bool ScreenBlendsLayeredWindows(POINT At) {
  HWND Probe = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, At.x - 4,
                               At.y - 4, 8, 8, nullptr, nullptr, nullptr, nullptr);
  BITMAPINFO Info{};
  Info.bmiHeader = {sizeof Info.bmiHeader, 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* Bits = nullptr;
  HBITMAP Image = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  std::fill_n(static_cast<DWORD*>(Bits), 64, 0x80000000u);
  HDC Source = CreateCompatibleDC(nullptr);
  HGDIOBJ Old = SelectObject(Source, Image);
  SIZE Size{8, 8};
  POINT Origin{0, 0}, Pos{At.x - 4, At.y - 4};
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(Probe, nullptr, &Pos, &Size, Source, &Origin, 0, &Blend, ULW_ALPHA);
  ShowWindow(Probe, SW_SHOWNOACTIVATE);
  Pump();
  COLORREF Seen = ScreenPixels(RECT{At.x, At.y, At.x + 1, At.y + 1}).front();
  DestroyWindow(Probe);
  SelectObject(Source, Old);
  DeleteDC(Source);
  DeleteObject(Image);
  Pump();
  return Seen != RGB(0, 0, 0);
}

TEST_F(ShadowFixture, LayeredShadowDarkensWhatLiesBelowWithoutHidingIt) {
  TLayered Layered(1);
  RECT F = QueryWindowRect(Form->GetHandle());
  // The second row of the band below, away from its ends: alpha 45.
  const POINT At{F.left + 100, F.top + 151};
  const COLORREF Under = ScreenPixels(RECT{At.x, At.y, At.x + 1, At.y + 1}).front();
  if (!ScreenBlendsLayeredWindows(At))
    GTEST_SKIP() << "this display shows layered windows opaque (no compositing), so no translucent shadow can show";
  TdxBarShadow S(nullptr);
  S.SetRects(RECT{0, 0, 0, 0}, RECT{F.left + 50, F.top + 50, F.left + 150, F.top + 150});
  S.SetShown(true);
  Pump();
  const COLORREF Seen = ScreenPixels(RECT{At.x, At.y, At.x + 1, At.y + 1}).front();
  EXPECT_NEAR(GetRValue(Under) * 210 / 255, GetRValue(Seen), 2);
  EXPECT_NEAR(GetGValue(Under) * 210 / 255, GetGValue(Seen), 2);
  EXPECT_NEAR(GetBValue(Under) * 210 / 255, GetBValue(Seen), 2);
}

TEST(BarShadowParts, OwnerJoinsOnlyWhereItTouchesThePopup) {
  const RECT Menu{100, 120, 250, 300};
  const struct {
    const char* What;
    RECT Owner;
    bool Touch;
  } Cases[] = {
      {"above", {100, 100, 140, 120}, true},       {"below", {100, 300, 140, 320}, true},
      {"left", {60, 150, 100, 170}, true},         {"right", {250, 150, 290, 170}, true},
      {"gap above", {100, 90, 140, 110}, false},   {"corner only", {250, 100, 290, 120}, false},
      {"beside, no overlap", {60, 300, 100, 320}, false},
  };
  for (const auto& C : Cases) EXPECT_EQ(C.Touch, TdxBarShadow::Touch(C.Owner, Menu)) << C.What;
}

// A menu bar on the form whose first entry opens a menu.
struct ShadowMenuFixture : ShadowFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Bar = nullptr;
  TdxBarSubItem* File = nullptr;
  void Build(TdxBarManagerStyle Style) {
    M = NewManager();
    M->SetStyle(Style);
    M->SetMenuAnimations(maNone);
    Bar = M->GetBars()->Add();
    Bar->SetIsMainMenu(true);
    Bar->SetDockingStyle(dsTop);
    File = TdxBarSubItem::Create(Form);
    File->SetCaption("&File");
    Bar->GetItemLinks()->AddItem(File);
    TdxBarSubItem* Edit = TdxBarSubItem::Create(Form);
    Edit->SetCaption("&Edit");
    Bar->GetItemLinks()->AddItem(Edit);
    for (const char* Caption : {"&New", "&Open", "&Save"}) {
      TdxBarButton* B = TdxBarButton::Create(Form);
      B->SetCaption(Caption);
      File->GetItemLinks()->AddItem(B);
    }
    Bar->SetVisible(true);
    Pump();
  }
  void TearDown() override {
    if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
    Free(M);
    ShadowFixture::TearDown();
  }
  // Where File is on screen.
  RECT FileRect() {
    TCustomdxBarControl* W = Bar->GetBarControl();
    return W->ItemScreenRect(Bar->GetItemLinks()->GetLink(0)->GetControl());
  }
  // Clicks File and answers its open menu's window.
  TCustomdxBarControl* OpenFile() {
    TdxBarItemLinks* Links = File->GetItemLinks();
    RECT R = FileRect();
    POINT At{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
    SendMouse(At, MOUSEEVENTF_LEFTDOWN);
    SendMouse(At, MOUSEEVENTF_LEFTUP);
    PumpUntil([&] {
      TCustomdxBarControl* W = Links->GetBarControl();
      return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle());
    });
    Pump();
    return Links->GetBarControl();
  }
};

// The raised looks cast no shadow; the flat and themed ones do, joined with the
// menu bar's entry that opened the menu.
TEST_F(ShadowMenuFixture, AMenuCastsItsShadowWhereTheLookAsksJoinedToItsEntry) {
  TLayered Layered(0);
  const COLORREF Band = GetSysColor(COLOR_BTNSHADOW);
  const int S = TdxBarShadow::Extent();
  const struct {
    const char* Look;
    TdxBarManagerStyle Style;
    bool Casts;
  } Looks[] = {{"standard", bmsStandard, false}, {"enhanced", bmsEnhanced, false}, {"flat", bmsFlat, true},
               {"xp", bmsXP, true}};
  for (const auto& L : Looks) {
    SCOPED_TRACE(L.Look);
    Build(L.Style);
    RECT O = FileRect();
    // The stretch just right of File, where a joined shape continues its shadow.
    const RECT Beside{O.right, O.top + S, O.right + S, O.bottom};
    MoveTo(POINT{(O.left + O.right) / 2, (O.top + O.bottom) / 2});
    std::vector<COLORREF> Before = ScreenPixels(Beside);
    auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(OpenFile());
    ASSERT_TRUE(Menu && IsWindowVisible(Menu->GetHandle()));
    SaveScreenshot(std::string("menu-shadow-") + L.Look);
    RECT W = QueryWindowRect(Menu->GetHandle());
    ASSERT_EQ(O.bottom, W.top) << "the menu hangs below its entry";
    std::vector<COLORREF> After = ScreenPixels(Beside);
    std::vector<COLORREF> BelowBand = ScreenPixels(RECT{W.left + S + 5, W.bottom, W.left + S + 25, W.bottom + S});
    std::vector<COLORREF> RightBand = ScreenPixels(RECT{W.right, W.top + S + 5, W.right + S, W.top + S + 25});
    if (L.Casts) {
      EXPECT_EQ(std::vector<COLORREF>(After.size(), Band), After) << "the entry's shadow joins the menu's";
      EXPECT_NE(Before, After);
      EXPECT_EQ(std::vector<COLORREF>(S * 20, Band), BelowBand);
      EXPECT_EQ(std::vector<COLORREF>(S * 20, Band), RightBand);
    } else {
      EXPECT_EQ(Before, After);
      EXPECT_NE(std::vector<COLORREF>(S * 20, Band), BelowBand) << "no shadow below the menu";
      EXPECT_NE(std::vector<COLORREF>(S * 20, Band), RightBand) << "no shadow right of the menu";
      EXPECT_FALSE(Menu->GetDropShadow() && Menu->GetDropShadow()->GetShown());
    }
    Menu->CloseBar();
    Pump();
    Free(M);
    M = nullptr;
  }
}

// The visible shadow windows as (left, top, right, bottom), in part order.
std::vector<std::vector<int>> ShownPartBoxes(TdxBarShadow* S) {
  std::vector<std::vector<int>> All;
  for (int I = 0; I < S->PartCount(); ++I) {
    TdxBarShadowPart* P = S->Part(I);
    if (P->HandleAllocated() && IsWindowVisible(P->GetHandle())) All.push_back(Box(QueryWindowRect(P->GetHandle())));
  }
  return All;
}

// Moving or sizing an open menu takes its shadow along (away from its entry the
// shadow no longer joins it, back at the entry it does); hiding the menu hides
// the shadow and showing it brings the shadow back.
TEST_F(ShadowMenuFixture, AMovedOrResizedMenuTakesItsShadowAlong) {
  TLayered Layered(0);
  const int S = TdxBarShadow::Extent();
  Build(bmsFlat);
  auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(OpenFile());
  ASSERT_TRUE(Menu && Menu->GetDropShadow());
  TdxBarShadow* Shadow = Menu->GetDropShadow();
  const RECT Start = QueryWindowRect(Menu->GetHandle());
  const RECT Entry = FileRect();
  EXPECT_EQ(Box(Entry), Box(Shadow->GetOwnerRect()));

  const RECT Away{Start.left + 40, Start.top + 30, Start.right + 60, Start.bottom + 40};
  SetWindowPos(Menu->GetHandle(), nullptr, Away.left, Away.top, Away.right - Away.left, Away.bottom - Away.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(Box(Away), Box(Shadow->GetWindowRect()));
  RECT Owner = Shadow->GetOwnerRect();
  EXPECT_TRUE(IsRectEmpty(&Owner)) << "away from its entry the shadow stands alone";
  const std::vector<std::vector<int>> Alone{
      {Away.left + S, Away.bottom, Away.right + S, Away.bottom + S},
      {Away.right, Away.top + S, Away.right + S, Away.bottom}};
  EXPECT_EQ(Alone, ShownPartBoxes(Shadow));

  SetWindowPos(Menu->GetHandle(), nullptr, Start.left, Start.top, Start.right - Start.left, Start.bottom - Start.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(Box(Entry), Box(Shadow->GetOwnerRect())) << "back at its entry the shadow joins it again";
  EXPECT_EQ(3u, ShownPartBoxes(Shadow).size());

  SetWindowPos(Menu->GetHandle(), nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_FALSE(Shadow->GetShown());
  EXPECT_TRUE(ShownPartBoxes(Shadow).empty());
  SetWindowPos(Menu->GetHandle(), nullptr, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(3u, ShownPartBoxes(Shadow).size());
}

struct ShadowAnimationFixture : ShadowFixture {};

// A menu that unfolds casts no shadow while it grows, and its shadow stands at
// the final bounds once the animation ends.
TEST_F(ShadowAnimationFixture, AnUnfoldingMenuCastsItsShadowOnceItStands) {
  TLayered Layered(0);
  TdxBarManager* Manager = NewManager();
  Manager->SetStyle(bmsFlat);
  RECT F = QueryWindowRect(Form->GetHandle());
  const RECT Final{F.left + 40, F.top + 40, F.left + 200, F.top + 200};
  auto* Menu = Construct<TdxBarSubMenuControl>(Manager);
  Menu->SetBarManager(Manager);
  Menu->SetBounds(Final.left, Final.top, Final.right - Final.left, Final.bottom - Final.top);
  Menu->HandleNeeded();
  TdxBarAnimationThread::SetMinStepTime(40);
  Menu->StartAnimation(MenuAnimationParamsFor(Menu, maUnfold, false, false));
  TdxBarAnimationThread* T = Menu->GetAnimationThread();
  ASSERT_TRUE(T);
  ASSERT_TRUE(PumpUntil([&] { return T->StepsDrawn() >= 2; }, 2000));
  EXPECT_TRUE(Menu->IsAnimating());
  TdxBarShadow* During = Menu->GetDropShadow();
  EXPECT_FALSE(During && During->GetShown()) << "no shadow while the menu grows";
  EXPECT_TRUE(PumpUntil([&] { return !Menu->IsAnimating(); }, 4000));
  TdxBarAnimationThread::SetMinStepTime(0);
  Pump();
  TdxBarShadow* Shadow = Menu->GetDropShadow();
  ASSERT_TRUE(Shadow);
  EXPECT_TRUE(Shadow->GetShown());
  EXPECT_EQ(Box(Final), Box(Shadow->GetWindowRect()));
  EXPECT_EQ(2u, ShownPartBoxes(Shadow).size());
  Free(Menu);
  Free(Manager);
}
}  // namespace
