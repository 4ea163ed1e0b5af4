// Floating toolbars: kept on the work area, sized to what their items allow.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
TEST(BarFloating, AWindowOffTheWorkAreaComesBackOnEveryAxisItLeft) {
  const RECT Work{0, 0, 800, 600};
  const struct {
    RECT R;
    POINT Expected;
  } Cases[] = {
      {{-300, 100, -100, 150}, {0, 100}},     // left of it
      {{100, -80, 300, -30}, {100, 0}},       // above it
      {{-300, -80, -100, -30}, {0, 0}},       // left of and above: both corrected
      {{900, 700, 1100, 750}, {600, 550}},    // right of and below
      {{-300, 700, -100, 750}, {0, 550}},     // left of and below
  };
  for (const auto& C : Cases) {
    POINT P = TdxBarControl::KeepFloatingInWorkArea(C.R, Work);
    EXPECT_EQ(C.Expected.x, P.x) << C.R.left << "," << C.R.top;
    EXPECT_EQ(C.Expected.y, P.y) << C.R.left << "," << C.R.top;
  }
}
}  // namespace

namespace {
struct FloatingSizingFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Bar = nullptr;
  void AddControls() override {
    M = NewManager();
    M->SetHideFloatingBarsWhenInactive(false);
  }
  void TearDown() override {
    Free(M);
    BarFormFixture::TearDown();
  }
  // A floating bar of Count buttons, a group starting at every GroupEvery-th one.
  void MakeBar(int Count, int GroupEvery) {
    Bar = M->GetBars()->Add();
    Bar->SetCaption("Tools");
    TOwned<TBitmap> Glyph(TBitmap::Create());
    Glyph->SetSize(16, 16);
    for (int I = 0; I < Count; ++I) {
      TdxBarButton* B = TdxBarButton::Create(Form);
      B->SetGlyph(Glyph.get());
      TdxBarItemLink* L = Bar->GetItemLinks()->AddItem(B);
      if (GroupEvery > 0 && I > 0 && I % GroupEvery == 0) L->SetBeginGroup(true);
    }
    Bar->SetDockingStyle(dsNone);
    Bar->SetFloatLeft(200);
    Bar->SetFloatTop(200);
    Bar->SetVisible(true);
    Pump();
  }
  TdxBarControl* Window() { return static_cast<TdxBarControl*>(Bar->GetBarControl()); }
  RECT Sizing(UINT Edge, RECT Asked) {
    SendMessageW(Window()->GetHandle(), WM_SIZING, Edge, reinterpret_cast<LPARAM>(&Asked));
    return Asked;
  }
};

// Buttons of 16-pixel glyphs are 23 x 22, groups parted by 6 pixels: three groups of three are 219
// long on one row, 144 x 50 on two rows, 69 x 78 on three.
TEST_F(FloatingSizingFixture, DraggedEdgesSnapToTheRowsTheGroupsAllow) {
  MakeBar(9, 3);
  ASSERT_TRUE(Window() && Window()->HandleAllocated());
  RECT W = QueryWindowRect(Window()->GetHandle());
  RECT C = QueryClientRect(Window()->GetHandle());
  const int HB = (W.right - W.left) - C.right, VB = (W.bottom - W.top) - C.bottom;
  EXPECT_EQ(219, C.right);
  EXPECT_EQ(22, C.bottom);
  struct {
    UINT Edge;
    RECT Asked;
    RECT Want;
  } Cases[] = {
      // The left edge dragged in: the right edge stays, the width snaps.
      {WMSZ_LEFT, {300, 100, 450 + HB, 130}, {450 - 144, 100, 450 + HB, 100 + 50 + VB}},
      {WMSZ_LEFT, {350, 100, 450 + HB, 130}, {450 - 69, 100, 450 + HB, 100 + 78 + VB}},
      {WMSZ_RIGHT, {100, 100, 100 + HB + 230, 130}, {100, 100, 100 + HB + 219, 100 + 22 + VB}},
      // The bottom dragged to 60 high: the narrowest rows that stay that low.
      {WMSZ_BOTTOM, {100, 100, 400, 160 + VB}, {100, 100, 100 + 144 + HB, 100 + 50 + VB}},
      // A corner keeps the current bounds.
      {WMSZ_BOTTOMRIGHT, {100, 100, 150, 150}, W},
      // Never above -15.
      {WMSZ_RIGHT, {100, -40, 100 + HB + 219, 0}, {100, -15, 100 + HB + 219, -15 + 22 + VB}},
  };
  for (const auto& K : Cases) {
    RECT R = Sizing(K.Edge, K.Asked);
    EXPECT_TRUE(EqualRect(&K.Want, &R)) << K.Edge << " " << K.Asked.left << ": " << R.left << "," << R.top << ","
                                        << R.right << "," << R.bottom;
  }
}

// Floating or docked, a toolbar window given the focus hands it to the form.
TEST_F(FloatingSizingFixture, ABarWindowGivenTheFocusHandsItBack) {
  MakeBar(3, 0);
  SetForegroundWindow(Form->GetHandle());
  for (TdxBarDockingStyle Style : {dsNone, dsTop}) {
    Bar->SetDockingStyle(Style);
    Pump();
    HWND Wnd = Window()->GetHandle();
    ::SetFocus(Wnd);
    HWND Focus = GetFocus();
    EXPECT_NE(Wnd, Focus) << Style;
    EXPECT_TRUE(Focus == Form->GetHandle() || IsChild(Form->GetHandle(), Focus)) << Style;
  }
}

// A floating window dies with its form's window (it is owned by it); it comes
// back, shown where it stood, when the form's window is made again.
TEST_F(FloatingSizingFixture, AFloatingBarComesBackWithItsFormsWindow) {
  MakeBar(3, 0);
  RECT Before = QueryWindowRect(Window()->GetHandle());
  Form->RecreateWnd();
  // The framework makes the form's window again hidden; showing it shows the bars.
  ShowWindow(Form->GetHandle(), SW_SHOW);
  Pump();
  ASSERT_TRUE(Window() && Window()->HandleAllocated());
  HWND Wnd = Window()->GetHandle();
  EXPECT_TRUE(IsWindowVisible(Wnd));
  EXPECT_EQ(Form->GetHandle(), GetWindow(Wnd, GW_OWNER));
  RECT After = QueryWindowRect(Wnd);
  EXPECT_TRUE(EqualRect(&Before, &After)) << After.left << "," << After.top;
}

// The shown links get their rectangles from the layout rules: in one row when
// docked (groups 6 pixels apart), in rows of whole groups when floating.
TEST_F(FloatingSizingFixture, ShownLinksStandWhereTheLayoutPutsThem) {
  MakeBar(9, 3);
  auto RectOf = [this](int I) { return Bar->GetItemLinks()->GetShownLink(I)->GetItemRect(); };
  auto Expect = [&](int I, RECT Want, const char* What) {
    RECT R = RectOf(I);
    EXPECT_TRUE(EqualRect(&Want, &R)) << What << " link " << I << ": " << R.left << "," << R.top << "," << R.right
                                      << "," << R.bottom;
  };
  // Floating, the window narrowed to two groups: the third starts a row below.
  RECT Asked = QueryWindowRect(Window()->GetHandle());
  RECT Client = QueryClientRect(Window()->GetHandle());
  Asked.left = Asked.right - 150 - ((Asked.right - Asked.left) - Client.right);
  Asked = Sizing(WMSZ_LEFT, Asked);
  SetWindowPos(Window()->GetHandle(), nullptr, Asked.left, Asked.top, Asked.right - Asked.left,
               Asked.bottom - Asked.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  Expect(0, {0, 0, 23, 22}, "floating");
  Expect(3, {75, 0, 98, 22}, "floating");
  Expect(5, {121, 0, 144, 22}, "floating");
  Expect(6, {0, 28, 23, 50}, "floating");
  Expect(8, {46, 28, 69, 50}, "floating");
  EXPECT_TRUE(Bar->GetItemLinks()->GetShownLink(5)->GetControl()->GetLastInRow());
  EXPECT_FALSE(Bar->GetItemLinks()->GetShownLink(4)->GetControl()->GetLastInRow());
  // Docked at the top: one row.
  Bar->SetDockingStyle(dsTop);
  Pump();
  ASSERT_FALSE(Window()->IsFloating());
  Expect(0, {0, 0, 23, 22}, "docked");
  Expect(3, {75, 0, 98, 22}, "docked");
  Expect(8, {196, 0, 219, 22}, "docked");
  // Docked at the left: one column, grouped the same way.
  Bar->SetDockingStyle(dsLeft);
  Pump();
  RECT C = QueryClientRect(Window()->GetHandle());
  RECT First = RectOf(0), Fourth = RectOf(3);
  EXPECT_EQ(0, First.top);
  EXPECT_EQ(First.bottom - First.top, Fourth.bottom - Fourth.top);
  EXPECT_EQ(3 * (First.bottom - First.top) + 6, Fourth.top);
  EXPECT_LE(First.right, C.right);
  EXPECT_GE(First.left, 0);
}

TEST_F(FloatingSizingFixture, AFloatingBarOfOneButtonIs51PixelsWide) {
  MakeBar(1, 0);
  ASSERT_TRUE(Window() && Window()->HandleAllocated());
  Bar->SetAllowClose(false);
  EXPECT_EQ(51, Window()->MinWidthForStyle(dsNone));
  EXPECT_EQ(22, Window()->CalcSizeForWidth(dsNone, 10).cy);
  EXPECT_EQ(51, Window()->CalcSizeForWidth(dsNone, 10).cx);
}
}  // namespace
