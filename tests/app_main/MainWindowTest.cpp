// The main window's suite part read from its form text: the command pictures, the
// side bar with its groups that follow the commands, and the status bar.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/GlobalVars.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"
#include "Packages/SUIImagePanel.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/Bars.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/bars/BarSubItems.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/UxTheme.h"
#include "framework/Label.h"
#include "suite/common/cxImageList.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarCollections.h"
#include "suite/navbar/NavBarStyles.h"
#include "suite/navbar/NavBarViewInfo.h"
#include "suite/navbar/StatusBar.h"
#include "suite/navbar/StatusBarPanels.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/Screenshot.h"

namespace {

struct TGroupRow {
  const char* Caption;
  std::vector<std::pair<const char*, TAction* TMainForm::*>> Links;
};

const std::vector<TGroupRow>& SideBarGroups() {
  static const std::vector<TGroupRow> Groups = {
      {"Files",
       {{"Open an existing file", &TMainForm::ActionOpenFile},
        {"Create a new file", &TMainForm::ActionNewFile},
        {"Load tracks from CD", &TMainForm::ActionLoadCD},
        {"Save this file", &TMainForm::ActionSaveFile},
        {"Save file as...", &TMainForm::ActionSaveAs}}},
      {"Edit",
       {{"Undo last edit or effect", &TMainForm::ActionUndo},
        {"Cut selection", &TMainForm::ActionCut},
        {"Copy selection", &TMainForm::ActionCopy},
        {"Delete selection", &TMainForm::ActionDelete},
        {"Mix file with selection", &TMainForm::ActionMixFile},
        {"Trim start and end", &TMainForm::ActionTrim},
        {"Split into two files", &TMainForm::ActionSplitIntoTwo}}},
      {"Effects",
       {{"Amplify louder or softer", &TMainForm::ActionAmplify},
        {"Normalize to optimal level", &TMainForm::ActionNormalize},
        {"Fade In", &TMainForm::ActionFadeIn},
        {"Fade Out", &TMainForm::ActionFadeOut},
        {"Remove noise or hiss", &TMainForm::ActionNoiseReduction}}},
      {"Tools", {{"Batch processor", &TMainForm::ActionBatch}}},
      {"Bookmark",
       {{"Bookmark current position", &TMainForm::ActionSetBookmark},
        {"Open bookmark list", &TMainForm::ActionOpenBookmarkList}}},
      {"Region",
       {{"Make selection a new region", &TMainForm::ActionAddRegion},
        {"Open region list", &TMainForm::ActionOpenRegionList}}},
  };
  return Groups;
}

void Select(TAudioEditor2* E, int Start, int End) {
  E->SetSelectionActive(true);
  E->SetSelStart(Start);
  E->SetSelEnd(End);
}

void Idle(TMainForm* Main) {
  bool Handled = false;
  Main->ActionListUpdate(nullptr, Handled);
}

// Pixels an image changes when drawn on white and on black: a picture with
// nothing in it, or one the list lost, changes none.
int PaintedPixels(TCustomImageList* Images, int Index) {
  const int W = Images->GetWidth(), H = Images->GetHeight();
  int Painted = 0;
  for (TColor Ground : {clWhite, clBlack}) {
    TBitmap* B = TBitmap::Create();
    B->SetPixelFormat(pf24bit);
    B->SetSize(W, H);
    B->GetCanvas()->GetBrush()->SetColor(Ground);
    B->GetCanvas()->FillRect(RECT{0, 0, W, H});
    Images->Draw(B->GetCanvas(), 0, 0, Index);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) Painted += B->GetCanvas()->GetPixels(X, Y) != Ground;
    Free(B);
  }
  return Painted;
}

}  // namespace

TEST_F(MainFixture, TheSideBarAndTheStatusBarAreThoseOfTheFormText) {
  StartMain();
  TdxNavBar* Nav = Main->dxNavBar;
  EXPECT_EQ(10, Nav->GetView());
  EXPECT_EQ(209, Nav->GetWidth());
  EXPECT_EQ(alLeft, Nav->GetAlign());
  EXPECT_TRUE(Nav->GetShowLinksHint());
  EXPECT_EQ(Main->cxImageListSmall, Nav->GetSmallImages());
  // The design font gives way to the screen's hint font in every default style.
  for (int I = 0; I < dxNavBarDefaultStyleCount; ++I)
    EXPECT_EQ(Screen->GetHintFont()->GetName(), Nav->GetDefaultStyles()->GetIndexedStyle(I)->GetFont()->GetName());

  const auto& Rows = SideBarGroups();
  ASSERT_EQ(static_cast<int>(Rows.size()), Nav->GetGroups()->Count());
  for (size_t G = 0; G < Rows.size(); ++G) {
    TdxNavBarGroup* Group = Nav->GetGroups()->Items(static_cast<int>(G));
    EXPECT_EQ(Rows[G].Caption, Group->GetCaption());
    ASSERT_EQ(static_cast<int>(Rows[G].Links.size()), Group->LinkCount()) << Rows[G].Caption;
    for (size_t L = 0; L < Rows[G].Links.size(); ++L) {
      TdxNavBarItem* Item = Group->Links(static_cast<int>(L))->GetItem();
      EXPECT_EQ(Rows[G].Links[L].first, Item->GetCaption());
      EXPECT_EQ(Main->*Rows[G].Links[L].second, Item->GetAction()) << Item->GetCaption();
    }
  }

  TdxStatusBar* Status = Main->dxStatusBar;
  EXPECT_EQ(21, Status->GetHeight());
  EXPECT_EQ(stpsXP, Status->GetPaintStyle());
  EXPECT_EQ("MS Sans Serif", Status->GetFont()->GetName());
  EXPECT_EQ(-11, Status->GetFont()->GetHeight());
  ASSERT_EQ(2, Status->GetPanels()->GetCount());
  EXPECT_EQ(130, Status->GetPanels()->Items(0)->GetWidth());
  EXPECT_EQ(400, Status->GetPanels()->Items(1)->GetWidth());
  // Lowest of the bottom row, so that its grip takes the window's corner.
  EXPECT_TRUE(Status->GetSizeGrip());
  EXPECT_EQ(Main->GetClientHeight(), Status->GetTop() + Status->GetHeight());
  EXPECT_EQ(Main->GetClientWidth(), Status->GetWidth());
  EXPECT_LE(Main->PanelBottom->GetTop() + Main->PanelBottom->GetHeight(), Status->GetTop());
}

TEST_F(MainFixture, EveryCommandWithAPictureShowsItSmallAndLarge) {
  StartMain();
  TCustomImageList* Small = Main->cxImageListSmall;
  TCustomImageList* Big = Main->cxImageListBig;
  EXPECT_EQ(16, Small->GetWidth());
  EXPECT_EQ(16, Small->GetHeight());
  EXPECT_EQ(32, Big->GetWidth());
  EXPECT_EQ(32, Big->GetHeight());
  EXPECT_EQ(Small->GetCount(), Big->GetCount());
  EXPECT_EQ(Small, Main->ActionList->GetImages());

  // The commands the window shows nowhere, or shows without a picture.
  const std::set<std::string> Unpictured = {"ActionCopyAllToCD", "ActionAutoTrim", "ActionAutoSplit",
                                            "ActionMarkFirstPosition", "ActionMarkSecondPosition",
                                            "ActionRecallMarkSelection", "ActionSpeedPitchChange",
                                            "ActionPlayAndPause"};
  std::set<int> Indexes;
  for (int I = 0; I < Main->ActionList->GetActionCount(); ++I) {
    auto* A = static_cast<TAction*>(Main->ActionList->GetAction(I));
    SCOPED_TRACE(A->GetName());
    if (Unpictured.count(A->GetName())) {
      EXPECT_EQ(-1, A->GetImageIndex());
      continue;
    }
    ASSERT_GE(A->GetImageIndex(), 0);
    ASSERT_LT(A->GetImageIndex(), Small->GetCount());
    EXPECT_TRUE(Indexes.insert(A->GetImageIndex()).second);
    EXPECT_GE(PaintedPixels(Small, A->GetImageIndex()), 2 * 20);
    EXPECT_GE(PaintedPixels(Big, A->GetImageIndex()), 2 * 80);
  }
  EXPECT_EQ(Small->GetCount(), static_cast<int>(Indexes.size()));
}

TEST_F(MainFixture, SideBarGroupsShowOnlyWhileTheyOfferACommand) {
  StartMain();
  enum { NoDocument, EmptyDocument, Samples, Selection };
  // Files, Edit, Effects, Tools, Bookmark, Region.
  const bool Visible[4][6] = {
      {1, 0, 0, 1, 0, 0},
      {1, 1, 0, 1, 1, 1},
      {1, 1, 1, 1, 1, 1},
      {1, 1, 1, 1, 1, 1},
  };
  TdxNavBarGroups* Groups = Main->dxNavBar->GetGroups();
  for (int State : {NoDocument, EmptyDocument, Samples, Selection}) {
    SCOPED_TRACE(State);
    if (State == EmptyDocument) NewDocument();
    if (State == Samples) {
      Free(Main->ActiveDocument());
      Pump();
      NewDocument(8000, 1, 4000);
    }
    if (State == Selection) {
      Select(Main->ActiveEditor(), 10, 20);
    }
    Idle(Main);
    for (int G = 0; G < 6; ++G) EXPECT_EQ(Visible[State][G], Groups->Items(G)->GetVisible()) << G;
    Pump();
    SaveScreenshot("main-window-" + std::to_string(State));
  }
  // With a selection only the effect group tells it apart from no selection.
  EXPECT_TRUE(Main->ActionFadeIn->GetEnabled());

  // A pass that changes nothing leaves the side bar alone: nothing to repaint.
  HWND Nav = Main->dxNavBar->GetHandle();
  Idle(Main);
  UpdateWindow(Nav);
  Idle(Main);
  EXPECT_FALSE(GetUpdateRect(Nav, nullptr, FALSE));
  // One that hides a group repaints it.
  Free(Main->ActiveDocument());
  Pump();
  UpdateWindow(Nav);
  Idle(Main);
  EXPECT_FALSE(Groups->Items(1)->GetVisible());
  EXPECT_TRUE(GetUpdateRect(Nav, nullptr, FALSE));
}

// The whole idle pass (every action list, then the shown forms' controls) with a
// document and a selection open: once it has settled, another that changes nothing
// must leave every bar window, dock site and the side bar valid, or the window
// repaints its bars at every idle moment.
TEST_F(MainFixture, AnIdlePassThatChangesNothingRepaintsNoBarAndNotTheSideBar) {
  StartMain();
  NewDocument(8000, 1, 4000);
  TAudioEditor2* E = Main->ActiveEditor();
  Select(E, 10, 20);
  Application->UpdateActions();
  Pump();

  TdxBarManager* M = Main->BarManager;
  std::vector<std::pair<std::string, HWND>> Windows;
  HWND CutBar = nullptr;
  for (int I = 0; I < M->GetBars()->NumberOfItems(); ++I) {
    TdxBar* Bar = M->GetBars()->GetBar(I);
    TCustomdxBarControl* W = Bar->GetBarControl();
    ASSERT_TRUE(W && W->HandleAllocated()) << Bar->GetCaption();
    Windows.emplace_back(Bar->GetCaption(), W->GetHandle());
    for (int L = 0; L < Bar->GetItemLinks()->GetCount(); ++L)
      if (TdxBarItem* Item = Bar->GetItemLinks()->GetLink(L)->GetItem(); Item->GetAction() == Main->ActionCut)
        CutBar = W->GetHandle();
  }
  for (int I = 0; I < M->DockControlCount(); ++I)
    if (TdxDockControl* Site = M->DockControlByIndex(I); Site->HandleAllocated())
      Windows.emplace_back("dock site " + std::to_string(I), Site->GetHandle());
  Windows.emplace_back("side bar", Main->dxNavBar->GetHandle());
  ASSERT_TRUE(CutBar);

  // Invalidations wait for WM_PAINT; everything else a pass may post is let through.
  auto PassAndLookForRepaints = [&] {
    for (auto& [Name, Wnd] : Windows) ValidateRect(Wnd, nullptr);
    Application->UpdateActions();
    MSG Msg;
    while (PeekMessageW(&Msg, nullptr, 0, WM_PAINT - 1, PM_REMOVE) ||
           PeekMessageW(&Msg, nullptr, WM_PAINT + 1, 0xFFFFFFFF, PM_REMOVE)) {
      TranslateMessage(&Msg);
      DispatchMessageW(&Msg);
    }
  };
  PassAndLookForRepaints();
  for (auto& [Name, Wnd] : Windows) EXPECT_FALSE(GetUpdateRect(Wnd, nullptr, FALSE)) << Name;

  // A pass that greys Cut repaints the bar that shows it.
  E->SetSelEnd(10);
  PassAndLookForRepaints();
  EXPECT_FALSE(Main->ActionCut->GetEnabled());
  EXPECT_TRUE(GetUpdateRect(CutBar, nullptr, FALSE));
}

// Text-dark pixels (every channel under 64) a bar window shows inside R: the
// caption of an enabled large button is drawn in them, a greyed one in none.
static int DarkPixels(HWND Wnd, const RECT& R) {
  UpdateWindow(Wnd);
  const int W = R.right - R.left, H = R.bottom - R.top;
  TMemoryDC Copy(W, H);
  HDC DC = GetDC(Wnd);
  BitBlt(Copy.DC(), 0, 0, W, H, DC, R.left, R.top, SRCCOPY);
  ReleaseDC(Wnd, DC);
  int Dark = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      const COLORREF C = Copy.Pixel(X, Y);
      Dark += GetRValue(C) < 64 && GetGValue(C) < 64 && GetBValue(C) < 64;
    }
  return Dark;
}

// The toolbars' buttons of a few commands, drawn enabled or greyed with no
// document, an empty one and one with a selection.
TEST_F(MainFixture, ToolbarButtonsAreDrawnEnabledOrGreyedWithTheirCommands) {
  StartMain();
  enum { NoDocument, EmptyDocument, Selection };
  const struct {
    TAction* TMainForm::*Action;
    bool Enabled[3];
  } Rows[] = {
      {&TMainForm::ActionOpenFile, {1, 1, 1}}, {&TMainForm::ActionSaveAs, {0, 1, 1}},
      {&TMainForm::ActionCut, {0, 0, 1}},      {&TMainForm::ActionRepeatLoop, {0, 0, 1}},
      {&TMainForm::ActionOpenBookmarkList, {0, 1, 1}}, {&TMainForm::ActionPaste, {0, 0, 0}},
  };
  TdxBarManager* M = Main->BarManager;
  auto ShownLinkOf = [&](TBasicAction* A) -> TdxBarItemLink* {
    for (const char* Caption : {"Toolbar", "Quick"}) {
      TdxBarItemLinks* Links = M->BarByCaption(Caption)->GetItemLinks();
      for (int I = 0; I < Links->ShownLinkCount(); ++I)
        if (Links->GetShownLink(I)->GetItem()->GetAction() == A) return Links->GetShownLink(I);
    }
    return nullptr;
  };
  for (int State : {NoDocument, EmptyDocument, Selection}) {
    SCOPED_TRACE(State);
    if (State == EmptyDocument) NewDocument();
    if (State == Selection) {
      Free(Main->ActiveDocument());
      Pump();
      NewDocument(8000, 1, 4000);
      Select(Main->ActiveEditor(), 10, 20);
    }
    Application->UpdateActions();
    Pump();
    for (const auto& R : Rows) {
      TAction* A = Main->*R.Action;
      SCOPED_TRACE(A->GetName());
      TdxBarItemLink* Link = ShownLinkOf(A);
      ASSERT_TRUE(Link && Link->GetControl());
      EXPECT_EQ(R.Enabled[State], Link->GetControl()->IsEnabled());
      const int Dark = DarkPixels(Link->GetBarControl()->GetHandle(), Link->GetItemRect());
      if (R.Enabled[State])
        EXPECT_GE(Dark, 10);
      else
        EXPECT_EQ(0, Dark);
    }
  }
}

TEST_F(MainFixture, ClickingASideBarLinkRunsItsCommand) {
  StartMain();
  const std::string Path = Folder + "linked.wav";
  WriteTestWav(Path, 8000, 1, 800);
  Main->OpenNames.push_back(Path);
  TdxNavBar* Nav = Main->dxNavBar;
  Nav->Update();
  TdxNavBarLinkViewInfo* Link =
      Nav->GetViewInfo()->GetLinkViewInfoByLink(Nav->GetGroups()->Items(0)->Links(0));
  ASSERT_NE(nullptr, Link);
  const RECT R = Link->ImageRect;
  const POINT At{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  POINT S = Nav->ClientToScreen(At);
  SetCursorPos(S.x, S.y);
  PostMouse(Nav->GetHandle(), WM_MOUSEMOVE, At.x, At.y);
  Pump();
  Click(Nav->GetHandle(), At.x, At.y);
  EXPECT_TRUE(PumpUntil([&] { return Main->GetMDIChildCount() == 1; }, 3000));
  EXPECT_EQ(Path, Main->ActiveFileName());
  EXPECT_TRUE(Main->OpenNames.empty());
}

// The View menu's check buttons, chosen by keyboard from View > Command bar or by
// the shortcut, go down and up with their actions in step; the side bar follows,
// and what the buttons showed at closing comes back at the next start.
TEST_F(MainFixture, TheViewCommandsHideAndMoveTheSideBarAndItStaysSoAfterARestart) {
  StartMain();
  auto Expect = [&](bool Show, bool Left) {
    TdxNavBar* Nav = Main->dxNavBar;
    EXPECT_EQ(Show, Main->dxBarLargeButtonShowCommandBar->GetDown());
    EXPECT_EQ(Left, Main->dxBarLargeButtonBarOntheLeft->GetDown());
    EXPECT_EQ(!Left, Main->dxBarLargeButtonBarOntheRight->GetDown());
    EXPECT_EQ(Show, Main->ActionShowCommandBar->GetChecked());
    EXPECT_EQ(Left, Main->ActionBarOntheLeft->GetChecked());
    EXPECT_EQ(!Left, Main->ActionBarOntheRight->GetChecked());
    EXPECT_EQ(Show, Nav->HandleAllocated() && IsWindowVisible(Nav->GetHandle()));
    EXPECT_EQ(Left ? alLeft : alRight, Nav->GetAlign());
    if (Show) {
      EXPECT_EQ(Left ? 0 : Main->GetClientWidth(), Left ? Nav->GetLeft() : Nav->GetLeft() + Nav->GetWidth());
    }
  };
  // View > Command bar, then Down to its Nth entry and Enter.
  auto Choose = [&](int Downs) {
    SendKey(VK_MENU, true), Tap('V'), SendKey(VK_MENU, false);
    ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemView"); }, 3000));
    Tap(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemCommandBar"); }, 3000));
    for (int I = 0; I < Downs; ++I) Tap(VK_DOWN);
    Tap(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, "dxBarSubItemView"); }, 3000));
    Pump();
  };
  SetForegroundWindow(Main->GetHandle());
  Pump();
  Expect(true, true);
  Choose(2);  // On the Right
  Expect(true, false);
  SaveScreenshot("main-window-side-bar-right");
  Choose(2);  // the down button of the pair stays down
  Expect(true, false);
  Choose(1);  // On the Left
  Expect(true, true);
  Choose(2);
  SendKey(VK_CONTROL, true), SendKey(VK_SHIFT, true), Tap('A'), SendKey(VK_SHIFT, false), SendKey(VK_CONTROL, false);
  ASSERT_TRUE(PumpUntil([&] { return !Main->dxNavBar->GetVisible(); }, 3000));
  Expect(false, false);

  TCloseAction Action = caFree;
  Main->FormClose(Main, Action);
  Free(Main);
  Main = nullptr;
  Pump();
  StartMain();
  Expect(false, false);
  SetForegroundWindow(Main->GetHandle());
  Pump();
  Choose(0);  // Show Command Bar
  Expect(true, false);
}

TEST_F(MainFixture, TheBarManagerHoldsItsCategoriesAndThreeBarsDockedAtTheTop) {
  StartMain();
  TdxBarManager* M = Main->BarManager;
  EXPECT_EQ(bmsXP, M->GetStyle());
  EXPECT_EQ(maFade, M->GetMenuAnimations());
  EXPECT_FALSE(M->GetCanCustomize());
  EXPECT_EQ(Main->cxImageListSmall, M->GetImageOptions()->GetImages());
  EXPECT_EQ(Main->cxImageListBig, M->GetImageOptions()->GetLargeImages());
  EXPECT_EQ(Main->cxImageListBig, M->GetImageOptions()->GetHotImages());
  const std::vector<std::string> Categories{"File", "Edit",   "Effects", "Control", "Tools",  "Bookmark",
                                            "View", "Window", "Help",    "Menus",   "Toolbar"};
  ASSERT_EQ(static_cast<int>(Categories.size()), M->GetCategories()->GetCount());
  for (size_t I = 0; I < Categories.size(); ++I)
    EXPECT_EQ(Categories[I], M->GetCategories()->GetStrings(static_cast<int>(I)));

  const struct {
    const char* Caption;
    bool MainMenu;
    int Links;
  } Bars[] = {{"Menu", true, 9}, {"Toolbar", false, 17}, {"Quick", false, 26}};
  ASSERT_EQ(3, M->GetBars()->NumberOfItems());
  TdxDockControl* Top = M->GetBars()->FormDockSite(dsTop);
  ASSERT_TRUE(Top);
  for (int I = 0; I < 3; ++I) {
    SCOPED_TRACE(Bars[I].Caption);
    TdxBar* Bar = M->GetBars()->GetBar(I);
    EXPECT_EQ(Bars[I].Caption, Bar->GetCaption());
    EXPECT_EQ(Bars[I].MainMenu, Bar->GetIsMainMenu());
    EXPECT_EQ(Bars[I].Links, Bar->GetItemLinks()->GetCount());
    EXPECT_EQ(dsTop, Bar->GetDockingStyle());
    EXPECT_EQ(I, Bar->GetRow());
    EXPECT_FALSE(Bar->GetAllowClose());
    EXPECT_FALSE(Bar->GetShowMark());
    // Shown: a window of its own on the top dock site, one below the other.
    TCustomdxBarControl* W = Bar->GetBarControl();
    ASSERT_TRUE(W && W->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(W->GetHandle()));
    EXPECT_EQ(Top->GetHandle(), GetParent(W->GetHandle()));
    if (I > 0) {
      TCustomdxBarControl* Above = M->GetBars()->GetBar(I - 1)->GetBarControl();
      EXPECT_GE(W->GetTop(), Above->GetTop() + Above->GetHeight());
    }
  }
  // One static item, right-aligned, which no bar shows.
  std::vector<TdxBarStatic*> Statics;
  for (int I = 0; I < M->ItemCount(); ++I)
    if (auto* S = dynamic_cast<TdxBarStatic*>(M->ItemByIndex(I))) Statics.push_back(S);
  ASSERT_EQ(1u, Statics.size());
  EXPECT_EQ("New Item", Statics[0]->GetCaption());
  EXPECT_EQ("...", Statics[0]->GetHint());
  EXPECT_EQ(iaRight, Statics[0]->GetAlign());
  EXPECT_EQ(0, Statics[0]->LinkCount());
}

// Every command is reachable through the menu bar or a shortcut, but for the
// do-nothing commands no menu or toolbar offers; every large button shows its
// command's picture small and large, and the toolbar's own ones keep their short
// captions.
TEST_F(MainFixture, EveryCommandHasAMenuPathOrAShortcutAndItsButtonsShowItsPictures) {
  StartMain();
  const std::set<TAction*> Nowhere{Main->ActionCopyAllToCD,        Main->ActionAutoTrim,
                                   Main->ActionAutoSplit,          Main->ActionMarkFirstPosition,
                                   Main->ActionMarkSecondPosition, Main->ActionRecallMarkSelection,
                                   Main->ActionSpeedPitchChange};
  const char* Menus[] = {"dxBarSubItemFile",  "dxBarSubItemEdit",     "dxBarSubItemEffects",
                         "dxBarSubItemControl", "dxBarSubItemTools",  "dxBarSubItemBookmark",
                         "dxBarSubItemView",  "dxBarSubItemWindow",   "dxBarSubItemHelp"};
  TdxBar* MenuBar = Main->BarManager->GetMainMenuBar();
  ASSERT_TRUE(MenuBar);
  ASSERT_EQ(9, MenuBar->GetItemLinks()->GetCount());
  for (int I = 0; I < 9; ++I)
    EXPECT_EQ(Main->FindComponent(Menus[I]), MenuBar->GetItemLinks()->GetLink(I)->GetItem());
  for (int I = 0; I < Main->ActionList->GetActionCount(); ++I) {
    auto* A = static_cast<TAction*>(Main->ActionList->GetAction(I));
    SCOPED_TRACE(A->GetName());
    bool InMenu = false;
    for (const char* Menu : Menus) InMenu = InMenu || MenuItemOf(Main, Menu, A);
    if (Nowhere.count(A))
      EXPECT_FALSE(InMenu);
    else
      EXPECT_TRUE(InMenu || A->GetShortCut() != 0);
  }

  int Buttons = 0;
  for (int I = 0; I < Main->GetComponentCount(); ++I) {
    auto* B = dynamic_cast<TdxBarLargeButton*>(Main->GetComponent(I));
    if (!B) continue;
    ++Buttons;
    SCOPED_TRACE(B->GetName());
    auto* A = dynamic_cast<TAction*>(B->GetAction());
    ASSERT_TRUE(A);
    EXPECT_EQ(A->GetImageIndex(), B->GetLargeImageIndex());
    EXPECT_EQ(A->GetImageIndex(), B->GetImageIndex());
    EXPECT_TRUE(B->GetAutoGrayScale());
    if (B->GetName().rfind("dxBarLargeButtonTool", 0) == 0)
      EXPECT_NE(A->GetCaption(), B->GetCaption());
    else
      EXPECT_EQ(A->GetCaption(), B->GetCaption());
  }
  EXPECT_EQ(109, Buttons);

  // Each toolbar button says what it does: no two buttons of a bar read alike (the
  // Quick bar's insert buttons name what they insert; the menu says "Current").
  for (const char* Caption : {"Toolbar", "Quick"}) {
    SCOPED_TRACE(Caption);
    TdxBarItemLinks* Links = Main->BarManager->BarByCaption(Caption)->GetItemLinks();
    std::set<std::string> Seen;
    for (int I = 0; I < Links->GetCount(); ++I)
      EXPECT_TRUE(Seen.insert(Links->GetLink(I)->GetEffectiveCaption()).second) << Links->GetLink(I)->GetEffectiveCaption();
  }
  TdxBarItem* InsertFileHere = MenuItemOf(Main, "dxBarSubItemInsertFile", Main->ActionInsertFileCurrent);
  ASSERT_TRUE(InsertFileHere);
  EXPECT_EQ("Current", InsertFileHere->GetCaption());
}

// A right-button release over the time display opens the bar popup menu with its
// four selection commands at the cursor; the call returns once the menu closes.
TEST_F(MainFixture, ARightButtonReleaseOverTheTimeLabelsOpensTheSelectionMenu) {
  StartMain();
  TdxBarPopupMenu* Menu = Main->dxBarPopupMenuSelection;
  const std::pair<TAction*, bool> Links[] = {{Main->ActionSelectSpecifiedTime, false},
                                             {Main->ActionSelectToStart, true},
                                             {Main->ActionSelectToEnd, false},
                                             {Main->ActionSelectAll, true}};
  ASSERT_EQ(4, Menu->GetItemLinks()->GetCount());
  for (int I = 0; I < 4; ++I) {
    TdxBarItemLink* Link = Menu->GetItemLinks()->GetLink(I);
    EXPECT_EQ(Links[I].first, Link->GetItem()->GetAction());
    EXPECT_EQ(Links[I].second, Link->GetBeginGroup());
  }

  static TdxBarPopupMenu* Open;
  static bool SeenOpen;
  Open = Menu;
  SeenOpen = false;
  SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR Id, DWORD) {
    KillTimer(nullptr, Id);
    TCustomdxBarControl* W = Open->BarWindow();
    SeenOpen = Open->IsShowing() && W && W->HandleAllocated() && IsWindowVisible(W->GetHandle());
    SaveScreenshot("main-time-popup");
    if (W && W->HandleAllocated()) {
      PostMessageW(W->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
      PostMessageW(W->GetHandle(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
    }
  });
  TLabel* Label = Main->LabelStart;
  POINT P{Label->GetLeft() + 5, Label->GetTop() + 5};
  HWND Panel = Main->PanelBottom->GetHandle();
  POINT Screen = P;
  ClientToScreen(Panel, &Screen);
  SetCursorPos(Screen.x, Screen.y);
  PostMessageW(Panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(P.x, P.y));
  PostMessageW(Panel, WM_RBUTTONUP, 0, MAKELPARAM(P.x, P.y));
  EXPECT_TRUE(PumpUntil([] { return SeenOpen && !Open->IsShowing(); }, 5000));
  EXPECT_TRUE(SeenOpen);
  EXPECT_FALSE(Menu->IsShowing());
}

// The open Window menu shows a line per document in place of the list; the active
// one is checked and a document's number activates it.
TEST_F(MainFixture, TheOpenWindowMenuListsTheDocumentsAndItsNumberActivatesOne) {
  StartMain();
  TChildForm* First = NewDocument();
  TChildForm* Second = NewDocument();
  SetForegroundWindow(Main->GetHandle());
  Pump();
  SendKey(VK_MENU, true), SendKey('W', true), SendKey('W', false), SendKey(VK_MENU, false);
  auto* Window = static_cast<TdxBarSubItem*>(Main->FindComponent("dxBarSubItemWindow"));
  TdxBarItemLinks* Links = Window->GetItemLinks();
  auto Open = [&] {
    TCustomdxBarControl* W = Links->GetBarControl();
    return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle());
  };
  ASSERT_TRUE(PumpUntil(Open, 3000));
  std::vector<std::string> Entries;
  bool SecondChecked = false;
  for (int I = 0; I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    std::string Caption = L->GetItem()->GetCaption();
    if (Caption.size() < 3 || Caption[0] != '&' || Caption[2] != ' ') continue;
    Entries.push_back(Caption);
    if (Caption.substr(3) == Second->GetCaption()) SecondChecked = static_cast<TdxBarButton*>(L->GetItem())->GetDown();
    EXPECT_TRUE(L->GetControl()) << Caption;
  }
  EXPECT_EQ((std::vector<std::string>{"&1 " + First->GetCaption(), "&2 " + Second->GetCaption()}), Entries);
  EXPECT_TRUE(SecondChecked) << "the active document is checked";
  SaveScreenshot("main-menu-window-list");
  SendKey('1', true), SendKey('1', false);
  EXPECT_TRUE(PumpUntil([&] { return !Open(); }, 3000));
  Pump();
  EXPECT_EQ(static_cast<TCustomForm*>(First), Main->GetActiveMDIChild());
}

// Alt+F through real input (the bar manager's hooks) opens the bar File menu; Esc
// closes it. With the suite's visual styles on and off.
TEST_F(MainFixture, AltFOpensTheBarFileMenu) {
  for (bool Themed : {true, false}) {
    SCOPED_TRACE(Themed ? "themed" : "plain");
    TUxThemeEntries Saved;
    if (!Themed) Saved = SubstituteUxTheme(TUxThemeEntries{});
    StartMain();
    std::filesystem::create_directories(Utf8ToWide(Folder));
    const std::string A = Folder + "recent.wav";
    WriteTestWav(A, 8000, 1, 100);
    Open(A);
    SetForegroundWindow(Main->GetHandle());
    Pump();
    SendKey(VK_MENU, true), SendKey('F', true), SendKey('F', false), SendKey(VK_MENU, false);
    auto Open = [&] { return BarMenuShowing(Main, "dxBarSubItemFile"); };
    EXPECT_TRUE(PumpUntil(Open, 3000));
    Pump();
    SaveScreenshot(Themed ? "main-bar-menu-file" : "main-bar-menu-file-plain");
    SendKey(VK_ESCAPE, true), SendKey(VK_ESCAPE, false);
    EXPECT_TRUE(PumpUntil([&] { return !Open(); }, 3000));
    SendKey(VK_ESCAPE, true), SendKey(VK_ESCAPE, false);
    Pump();
    MainFixture::TearDown();
    Main = nullptr;
    if (!Themed) SubstituteUxTheme(Saved);
  }
}

// A left click through real input on the Toolbar's Delete button takes the selection
// out of the document.
TEST_F(MainFixture, AClickOnTheToolbarsDeleteButtonDeletesTheSelection) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 8000)->AudioEditor;
  TdxBar* Bar = Main->BarManager->BarByCaption("Toolbar");
  ASSERT_TRUE(Bar && Bar->GetBarControl() && Bar->GetBarControl()->HandleAllocated());
  TdxBarItemLink* Link = nullptr;
  for (int I = 0; I < Bar->GetItemLinks()->GetCount(); ++I)
    if (Bar->GetItemLinks()->GetLink(I)->GetItem()->GetAction() == Main->ActionDelete) Link = Bar->GetItemLinks()->GetLink(I);
  ASSERT_TRUE(Link);
  E->SetSelectionActive(true);
  E->SetSelStart(1000);
  E->SetSelEnd(3000);
  bool Handled = false;
  Main->ActionListUpdate(nullptr, Handled);
  SetForegroundWindow(Main->GetHandle());
  Pump();
  RECT R = Link->GetItemRect();
  ASSERT_LT(R.left, R.right) << "the button is placed";
  MapWindowPoints(Bar->GetBarControl()->GetHandle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
  const POINT S{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  INPUT In[3]{};
  for (INPUT& I : In) {
    I.type = INPUT_MOUSE;
    I.mi.dx = static_cast<LONG>(((R.left + R.right) / 2 * 65535 + S.x / 2) / (S.x - 1));
    I.mi.dy = static_cast<LONG>(((R.top + R.bottom) / 2 * 65535 + S.y / 2) / (S.y - 1));
    I.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  In[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  In[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  for (INPUT& I : In) {
    SendInput(1, &I, sizeof(INPUT));
    Pump();
    Sleep(20);
  }
  Pump();
  EXPECT_EQ(6000, E->GetLength());
  EXPECT_EQ(FixtureSample(3000, 0), DocSample(E, 1000));
}
