// The main window's bar menus under the mouse through real input: a click on the
// menu bar opens a menu, Down and Up move in it, a nested menu opens after resting
// on its entry and not when the mouse passed on, a press on the open entry keeps
// it, a click outside closes the whole chain, and an open menu draws its entries
// enabled or greyed with their commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/WindowUtils.h"
#include "suite/navbar/NavBar.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/support/Screenshot.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"

namespace {

TdxBarItem* Named(TMainForm* Main, const char* Name) { return dynamic_cast<TdxBarItem*>(Main->FindComponent(Name)); }

// The window showing a sub-item's links (its open menu, or none).
TCustomdxBarControl* MenuWindow(TMainForm* Main, const char* Name) {
  TdxBarItem* S = Named(Main, Name);
  return S && S->GetItemLinks() ? S->GetItemLinks()->GetBarControl() : nullptr;
}

// The screen rectangle of Item's link in window W; empty when W does not show it.
RECT ScreenRectOf(TCustomdxBarControl* W, TdxBarItem* Item) {
  TdxBarItemLinks* Links = W ? W->GetItemLinks() : nullptr;
  for (int I = 0; Links && I < Links->ShownLinkCount(); ++I)
    if (Links->GetShownLink(I)->GetItem() == Item) return W->ItemScreenRect(Links->GetShownLink(I)->GetControl());
  return RECT{0, 0, 0, 0};
}

std::string SelectedIn(TCustomdxBarControl* W) {
  TdxBarItemLink* L = W ? W->GetSelectedLink() : nullptr;
  return L && L->GetItem() ? L->GetItem()->GetCaption() : std::string();
}

struct MainMenuMouseFixture : MainFixture {
  void SetUp() override {
    MainFixture::SetUp();
    StartMain();
    NewDocument(8000, 1, 8000);
    SetForegroundWindow(Main->GetHandle());
    Pump();
  }
  void TearDown() override {
    if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
    Pump();
    MainFixture::TearDown();
  }
  // Opens the menu Name with a click on its menu bar entry.
  TCustomdxBarControl* OpenByClick(const char* Name) {
    ClickAt(CentreOf(MenuBarRectOf(Name)));
    if (!PumpUntil([&] { return BarMenuShowing(Main, Name); }, 3000)) return nullptr;
    Pump();
    return MenuWindow(Main, Name);
  }
  RECT MenuBarRectOf(const char* Name) {
    return ScreenRectOf(Main->BarManager->MainMenuBarControl(), Named(Main, Name));
  }
};

}  // namespace

TEST_F(MainMenuMouseFixture, AClickOnTheMenuBarOpensAMenuAndTheArrowsMoveInIt) {
  ClickAt(CentreOf(MenuBarRectOf("dxBarSubItemFile")));
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemFile"); }, 3000));
  TCustomdxBarControl* File = MenuWindow(Main, "dxBarSubItemFile");
  TdxBarItemLinks* Links = File->GetItemLinks();
  ASSERT_GE(Links->ShownLinkCount(), 3);
  std::string First = Links->FirstSelectableLink()->GetItem()->GetCaption();
  std::string Second = Links->NextSelectableLink(Links->FirstSelectableLink(), false)->GetItem()->GetCaption();
  Tap(VK_DOWN);
  EXPECT_TRUE(PumpUntil([&] { return SelectedIn(File) == First; }, 3000)) << "opened by the mouse: Down selects the first entry";
  Tap(VK_DOWN);
  EXPECT_TRUE(PumpUntil([&] { return SelectedIn(File) == Second; }, 3000));
  Tap(VK_UP);
  EXPECT_TRUE(PumpUntil([&] { return SelectedIn(File) == First; }, 3000));
}

TEST_F(MainMenuMouseFixture, ANestedMenuOpensAfterRestingOnItsEntryAndAClickOutsideClosesTheChain) {
  SendKey(VK_MENU, true), Tap('V'), SendKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemView"); }, 3000));
  TCustomdxBarControl* View = MenuWindow(Main, "dxBarSubItemView");
  TdxBarItemLinks* Links = View->GetItemLinks();
  RECT Nested = ScreenRectOf(View, Named(Main, "dxBarSubItemCommandBar"));
  ASSERT_FALSE(IsRectEmpty(&Nested));
  TdxBarItemLink* Next = Links->NextSelectableLink(Links->FirstSelectableLink(), false);
  RECT Other = View->ItemScreenRect(Next->GetControl());
  // Passing over the entry without resting opens nothing.
  MoveTo(CentreOf(Nested));
  MoveTo(CentreOf(Other));
  Wait(700);
  EXPECT_FALSE(BarMenuShowing(Main, "dxBarSubItemCommandBar")) << "opened although the mouse moved on";
  // Resting on it opens it after about 400 ms.
  DWORD Start = GetTickCount();
  MoveTo(CentreOf(Nested));
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemCommandBar"); }, 3000));
  DWORD Took = GetTickCount() - Start;
  EXPECT_GE(Took, 300u);
  EXPECT_LE(Took, 1500u);
  // A press on the open entry leaves it open.
  ClickAt(CentreOf(Nested));
  Wait(500);
  EXPECT_TRUE(BarMenuShowing(Main, "dxBarSubItemCommandBar"));
  EXPECT_TRUE(BarMenuShowing(Main, "dxBarSubItemView"));
  // A click on the document, outside every menu, closes the chain and runs nothing.
  bool NavBarShown = Main->dxNavBar->GetVisible();
  RECT Client = QueryWindowRect(Main->GetHandle());
  ClickAt(POINT{(Client.left + Client.right) / 2, Client.bottom - 40});
  EXPECT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, "dxBarSubItemView"); }, 3000));
  EXPECT_FALSE(BarMenuShowing(Main, "dxBarSubItemCommandBar"));
  EXPECT_FALSE(TopActiveBarControl());
  EXPECT_EQ(NavBarShown, Main->dxNavBar->GetVisible());
}

// With a menu open, the mouse moving along the menu bar opens the menu of the entry
// it reaches in place of the open one; over a part of the bar with no entry the
// open menu stays.
TEST_F(MainMenuMouseFixture, WithAMenuOpenTheMouseOnAnotherBarEntrySwitchesTheMenu) {
  TCustomdxBarControl* Bar = Main->BarManager->MainMenuBarControl();
  RECT File = MenuBarRectOf("dxBarSubItemFile"), Edit = MenuBarRectOf("dxBarSubItemEdit");
  ASSERT_FALSE(IsRectEmpty(&File));
  ASSERT_FALSE(IsRectEmpty(&Edit));
  ClickAt(CentreOf(File));
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemFile"); }, 3000));
  auto OnlyShowing = [&](const char* Open, const char* Gone) {
    return PumpUntil([&] { return BarMenuShowing(Main, Open) && !BarMenuShowing(Main, Gone); }, 3000);
  };
  MoveTo(CentreOf(Edit));
  EXPECT_TRUE(OnlyShowing("dxBarSubItemEdit", "dxBarSubItemFile")) << "moving onto Edit";
  EXPECT_EQ("&Edit", SelectedIn(Bar));
  EXPECT_EQ(std::string(), SelectedIn(MenuWindow(Main, "dxBarSubItemEdit"))) << "opened by the mouse: nothing selected";
  SaveScreenshot("main-menu-mouse-on-edit");
  MoveTo(CentreOf(File));
  EXPECT_TRUE(OnlyShowing("dxBarSubItemFile", "dxBarSubItemEdit")) << "moving back onto File";
  // Past the last entry, still on the bar.
  RECT Last = MenuBarRectOf("dxBarSubItemHelp");
  RECT BarRect = QueryWindowRect(Bar->GetHandle());
  POINT Empty{Last.right + 30, (Last.top + Last.bottom) / 2};
  ASSERT_LT(Empty.x, BarRect.right);
  MoveTo(Empty);
  Wait(500);
  EXPECT_TRUE(BarMenuShowing(Main, "dxBarSubItemFile")) << "closed over an empty part of the bar";
  EXPECT_EQ("&File", SelectedIn(Bar));
}

// An open menu draws each entry as its command allows, with no document, an empty
// one and a selection: the caption of a greyed entry in the disabled text colour
// and nothing darker, that of an enabled one in dark text.
TEST_F(MainMenuMouseFixture, MenuEntriesAreDrawnEnabledOrGreyedWithTheirCommands) {
  enum { NoDocument, EmptyDocument, Selection };
  const struct {
    const char* Menu;
    TAction* TMainForm::*Action;
    bool Enabled[3];
  } Rows[] = {
      {"dxBarSubItemFile", &TMainForm::ActionOpenFile, {1, 1, 1}},
      {"dxBarSubItemFile", &TMainForm::ActionSaveAs, {0, 1, 1}},
      {"dxBarSubItemEdit", &TMainForm::ActionCut, {0, 0, 1}},
      {"dxBarSubItemEdit", &TMainForm::ActionPaste, {0, 0, 0}},
      {"dxBarSubItemEdit", &TMainForm::ActionRepeatLoop, {0, 0, 1}},
      {"dxBarSubItemBookmark", &TMainForm::ActionOpenBookmarkList, {0, 1, 1}},
  };
  const COLORREF Grey = GetSysColor(COLOR_GRAYTEXT);
  for (int State : {NoDocument, EmptyDocument, Selection}) {
    SCOPED_TRACE(State);
    Free(Main->ActiveDocument());
    Pump();
    if (State == EmptyDocument) NewDocument();
    if (State == Selection) {
      TAudioEditor2* E = NewDocument(8000, 1, 4000)->AudioEditor;
      E->SetSelectionActive(true);
      E->SetSelStart(10);
      E->SetSelEnd(20);
    }
    Application->UpdateActions();
    Pump();
    for (const auto& R : Rows) {
      TAction* A = Main->*R.Action;
      SCOPED_TRACE(std::string(R.Menu) + " " + A->GetName());
      TCustomdxBarControl* Menu = OpenByClick(R.Menu);
      ASSERT_TRUE(Menu);
      if (State == Selection && A == Main->ActionCut) SaveScreenshot("main-menu-edit-greyed");
      RECT Entry = ScreenRectOf(Menu, MenuItemOf(Main, R.Menu, A));
      ASSERT_FALSE(IsRectEmpty(&Entry));
      // The caption and shortcut, right of the picture column.
      Entry.left += Entry.bottom - Entry.top + 4;
      int Dark = 0, Greyed = 0;
      for (COLORREF C : ScreenPixels(Entry)) {
        Dark += GetRValue(C) < 64 && GetGValue(C) < 64 && GetBValue(C) < 64;
        Greyed += C == Grey;
      }
      if (R.Enabled[State]) {
        EXPECT_GE(Dark, 10);
      } else {
        EXPECT_EQ(0, Dark);
        EXPECT_GE(Greyed, 10);
      }
      Menu->CloseBar();
      ASSERT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, R.Menu); }, 3000));
    }
  }
}
