// Toolbars made before their form first shows: where their windows end up once the
// form is on the screen, docked inside their site or floating above the form.
#include <gtest/gtest.h>

#include <string>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
struct EarlyBarsFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* TopEdit = nullptr;
  TdxBar* LeftCombo = nullptr;
  TdxBar* Floating = nullptr;

  void AddControls() override {
    M = NewManager();
    M->SetHideFloatingBarsWhenInactive(false);
    // The floating one first: its editor makes its window before the form has one.
    Floating = MakeBar("Transport", dsNone, TdxBarEdit::Create(Form));
    TopEdit = MakeBar("Find", dsTop, TdxBarEdit::Create(Form));
    LeftCombo = MakeBar("Pick", dsLeft, TdxBarCombo::Create(Form));
    // Unturned, so that its combo stays an editor (a turned bar shows it as a button).
    LeftCombo->SetRotateWhenVertical(false);
  }
  void TearDown() override {
    Free(M);
    BarFormFixture::TearDown();
  }
  TdxBar* MakeBar(const std::string& Caption, TdxBarDockingStyle Style, TdxBarItem* Item) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    Item->SetCaption(Caption);
    Bar->GetItemLinks()->AddItem(Item);
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetCaption(Caption + " more");
    Bar->GetItemLinks()->AddItem(B);
    Bar->SetDockingStyle(Style);
    Bar->SetFloatLeft(260);
    Bar->SetFloatTop(240);
    Bar->SetVisible(true);
    return Bar;
  }
  static HWND Handle(TdxBar* Bar) {
    TCustomdxBarControl* W = Bar->GetBarControl();
    return W && W->HandleAllocated() ? W->GetHandle() : nullptr;
  }
};

TEST_F(EarlyBarsFixture, ADockedBarWithAnEditorStandsInsideItsSite) {
  for (TdxBar* Bar : {TopEdit, LeftCombo}) {
    SCOPED_TRACE(Bar->GetCaption());
    HWND Wnd = Handle(Bar);
    ASSERT_TRUE(Wnd);
    TCustomdxBarControl* W = Bar->GetBarControl();
    ASSERT_TRUE(W->GetDockSite());
    HWND Site = W->GetDockSite()->GetHandle();
    EXPECT_EQ(Site, GetParent(Wnd));
    EXPECT_TRUE(GetWindowLongW(Wnd, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(Wnd));
    // The editor moved along with its bar's window.
    auto* Editor = dynamic_cast<TdxBarWinControl*>(Bar->GetItemLinks()->GetLink(0)->GetControl());
    ASSERT_TRUE(Editor);
    EXPECT_TRUE(Editor->InnerWindow());
    EXPECT_TRUE(IsChild(Wnd, Editor->InnerWindow()));
    RECT Bounds = QueryWindowRect(Wnd), SiteBounds = QueryWindowRect(Site), Both;
    EXPECT_FALSE(IsRectEmpty(&Bounds));
    IntersectRect(&Both, &Bounds, &SiteBounds);
    EXPECT_TRUE(EqualRect(&Both, &Bounds)) << "window " << Bounds.left << "," << Bounds.top << " " << Bounds.right
                                           << "," << Bounds.bottom << " site " << SiteBounds.left << ","
                                           << SiteBounds.top << " " << SiteBounds.right << "," << SiteBounds.bottom;
  }
}

TEST_F(EarlyBarsFixture, AFloatingBarIsOwnedByItsForm) {
  HWND FormWnd = Form->GetHandle();
  for (TdxBar* Bar : {Floating, TopEdit}) {
    SCOPED_TRACE(Bar->GetCaption());
    // The docked one floats now, with the form on the screen.
    Bar->SetDockingStyle(dsNone);
    Pump();
    HWND Wnd = Handle(Bar);
    ASSERT_TRUE(Wnd);
    EXPECT_EQ(GetDesktopWindow(), GetAncestor(Wnd, GA_PARENT));
    EXPECT_EQ(FormWnd, GetWindow(Wnd, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(Wnd));
  }
}
}  // namespace
