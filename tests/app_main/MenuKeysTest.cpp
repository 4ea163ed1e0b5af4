// The main window's commands by keyboard through real input: the menu bar walked
// with Alt or F10 and the arrows, the lists reached by their digits, the shortcuts.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/MainActions.h"
#include "framework/Menus.h"
#include "framework/Unicode.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"
#include "suite/navbar/NavBar.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

const char* const MenuNames[] = {"dxBarSubItemFile",  "dxBarSubItemEdit",     "dxBarSubItemEffects",
                                 "dxBarSubItemControl", "dxBarSubItemTools", "dxBarSubItemBookmark",
                                 "dxBarSubItemView",  "dxBarSubItemWindow",   "dxBarSubItemHelp"};

// The menu bar entry the keyboard has selected; null when the bar is not active.
TdxBarItem* SelectedMenuBarItem(TMainForm* Main) {
  TCustomdxBarControl* C = Main->BarManager->MainMenuBarControl();
  TdxBarItemLink* L = C && C->IsActive() ? C->GetSelectedLink() : nullptr;
  return L ? L->GetItem() : nullptr;
}

TdxBarItem* Named(TMainForm* Main, const char* Name) { return dynamic_cast<TdxBarItem*>(Main->FindComponent(Name)); }

}  // namespace

// Alt (and F10) makes the menu bar active, the first key selects its first entry,
// Right walks the entries, Down
// opens a menu and Right then walks the open menus one after the other, Left goes
// back; Esc closes the menu and leaves the bar. Enter runs a command of a nested menu.
TEST_F(MainFixture, AltOrF10ThenTheArrowsWalkEveryMenuAndEnterRunsACommand) {
  StartMain();
  NewDocument(8000, 1, 8000);
  SetForegroundWindow(Main->GetHandle());
  Pump();
  for (WORD MenuKey : {WORD(VK_MENU), WORD(VK_F10)}) {
    SCOPED_TRACE(MenuKey == VK_MENU ? "Alt" : "F10");
    Tap(MenuKey);
    TCustomdxBarControl* Bar = Main->BarManager->MainMenuBarControl();
    ASSERT_TRUE(PumpUntil([&] { return Bar->IsActive(); }, 3000));
    EXPECT_EQ(nullptr, Bar->GetSelectedLink()) << "the bar is active with no entry selected";
    Tap(VK_RIGHT);  // the first key selects the first entry
    for (const char* Name : MenuNames) {
      SCOPED_TRACE(Name);
      EXPECT_TRUE(PumpUntil([&] { return SelectedMenuBarItem(Main) == Named(Main, Name); }, 3000));
      EXPECT_FALSE(BarMenuShowing(Main, Name));
      Tap(VK_RIGHT);
    }
    EXPECT_TRUE(PumpUntil([&] { return SelectedMenuBarItem(Main) == Named(Main, MenuNames[0]); }, 3000))
        << "Right from the last entry wraps to the first";
    Tap(VK_DOWN);
    for (const char* Name : MenuNames) {
      SCOPED_TRACE(Name);
      EXPECT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, Name); }, 3000));
      if (std::string(Name) == "dxBarSubItemView") {
        // Its first entry is a nested menu: Right opens that first.
        Tap(VK_RIGHT);
        EXPECT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemCommandBar"); }, 3000));
      }
      Tap(VK_RIGHT);
      EXPECT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, Name); }, 3000));
    }
    EXPECT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, MenuNames[0]); }, 3000));
    Tap(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, MenuNames[8]); }, 3000)) << "Left goes back";
    Tap(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, MenuNames[8]); }, 3000));
    EXPECT_EQ(Named(Main, MenuNames[8]), SelectedMenuBarItem(Main)) << "Esc leaves the entry selected";
    Tap(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return SelectedMenuBarItem(Main) == nullptr; }, 3000));
  }

  // View > Command bar > Show Command Bar by Alt+V (its first entry selected), Right
  // and Enter.
  ASSERT_TRUE(Main->dxNavBar->GetVisible());
  SendKey(VK_MENU, true), Tap('V'), SendKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemView"); }, 3000));
  Tap(VK_RIGHT);
  EXPECT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemCommandBar"); }, 3000));
  Tap(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return !Main->dxNavBar->GetVisible(); }, 3000));
  EXPECT_FALSE(BarMenuShowing(Main, "dxBarSubItemView"));
  EXPECT_FALSE(BarMenuShowing(Main, "dxBarSubItemCommandBar"));
}

// Alt+F shows the recent files in place as numbered entries, newest first; the
// entry's digit opens that file, which then comes first.
TEST_F(MainFixture, AltFThenADigitOpensARecentFile) {
  StartMain();
  std::filesystem::create_directories(Utf8ToWide(Folder));
  const std::string A = Folder + "a.wav", B = Folder + "Rock & Roll.wav";
  WriteTestWav(A, 8000, 1, 100);
  WriteTestWav(B, 8000, 1, 100);
  const std::string Short = "C:\\R&B.wav";  // short enough to show whole
  Main->AddRecentFile(Short);
  for (const std::string& Path : {A, B}) {
    TChildForm* Doc = Open(Path);
    Doc->AudioEditor->SetTag(DocumentSaved);
    Doc->Close();
    Pump();
  }
  ASSERT_EQ(0, Main->GetMDIChildCount());
  SetForegroundWindow(Main->GetHandle());
  Pump();
  SendKey(VK_MENU, true), Tap('F'), SendKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemFile"); }, 3000));
  TdxBarItemLinks* Links = Named(Main, "dxBarSubItemFile")->GetItemLinks();
  std::vector<std::string> Entries, Shown;
  for (int I = 0; I < Links->ShownLinkCount(); ++I) {
    std::string Caption = Links->GetShownLink(I)->GetItem()->GetCaption();
    if (Caption.size() > 3 && Caption[0] == '&' && Caption[2] == ' ') {
      Entries.push_back(Caption.substr(0, 3));
      Shown.push_back(StripHotkey(Caption));
    }
  }
  // Long paths are cut short in the menu, so only the numbers are compared; the
  // short one shows whole, its '&' as it is.
  EXPECT_EQ((std::vector<std::string>{"&1 ", "&2 ", "&3 "}), Entries);
  ASSERT_EQ(3u, Shown.size());
  EXPECT_EQ("3 " + Short, Shown[2]);
  SaveScreenshot("main-menu-file-recent");
  Tap('2');
  EXPECT_TRUE(PumpUntil([&] { return Main->GetMDIChildCount() == 1; }, 3000));
  EXPECT_EQ(A, Main->ActiveFileName());
  EXPECT_EQ((std::vector<std::string>{A, B, Short}), Main->RecentFiles());

}

namespace {

// Counts the commands that run instead of running them, so that no dialog opens
// and nothing records or plays; the command under test stays enabled whatever the
// document allows, the others follow the document.
void SendChord(TShortCut Keys) {
  const WORD Mods[] = {VK_CONTROL, VK_SHIFT};
  const bool Held[] = {(Keys & scCtrl) != 0, (Keys & scShift) != 0};
  for (int I = 0; I < 2; ++I)
    if (Held[I]) SendKey(Mods[I], true);
  Tap(Keys & 0xFF);
  for (int I = 1; I >= 0; --I)
    if (Held[I]) SendKey(Mods[I], false);
}

}  // namespace

// Every shortcut of the command table, pressed through real input, runs its command
// exactly once and no other, though both the action list and the bar manager's
// items know it: with no document, with the focus on a document's waveform and on
// its scroll bar (where it lands when a document opens).
TEST_F(MainFixture, EachShortcutRunsItsCommandOnceFromEveryFocus) {
  struct TRow {
    TAction* TMainForm::*Action;
    const char* Keys;
  };
  const TRow Rows[] = {
#define SONVELT_SHORTCUT_ROW(Name, Caption, Keys, Category, Pictured) {&TMainForm::Action##Name, Keys},
      SONVELT_MAIN_ACTIONS(SONVELT_SHORTCUT_ROW)
#undef SONVELT_SHORTCUT_ROW
  };
  StartMain();
  TActionRunCounter Counter;
  struct TFocus {
    const char* Name;
    std::function<void()> Place;
  };
  TChildForm* Doc = nullptr;
  const TFocus Focuses[] = {
      {"no document", [&] {}},
      {"the waveform", [&] {
         Doc = NewDocument(8000, 1, 8000);
         Doc->AudioEditor->SetFocus();
       }},
      {"the scroll bar", [&] { Doc->ScrollBarStart->SetFocus(); }},
  };
  for (const TFocus& Focus : Focuses) {
    SCOPED_TRACE(Focus.Name);
    Focus.Place();
    SetForegroundWindow(Main->GetHandle());
    Pump();
    const HWND Focused = GetFocus();
    for (const TRow& Row : Rows) {
      if (!*Row.Keys) continue;
      TAction* A = Main->*Row.Action;
      SCOPED_TRACE(A->GetName() + " " + Row.Keys);
      ASSERT_EQ(TextToShortCut(Row.Keys), A->GetShortCut());
      Counter.Offer(A);
      SendChord(A->GetShortCut());
      PumpUntil([&] { return !Counter.Runs.empty(); }, 2000);
      PumpUntil([] { return false; }, 30);  // a second run would come now
      EXPECT_EQ((std::map<TBasicAction*, int>{{A, 1}}), Counter.Runs);
      EXPECT_EQ(Focused, GetFocus());
    }
  }
}

// Esc in a nested menu closes only that menu and leaves its entry selected in the
// menu around it; Enter on a menu entry runs its command once and closes the chain.
TEST_F(MainFixture, EscClosesOnlyTheInnerMenuAndEnterRunsTheSelectedEntryOnce) {
  StartMain();
  NewDocument(8000, 1, 8000);
  SetForegroundWindow(Main->GetHandle());
  Pump();
  SendKey(VK_MENU, true), Tap('V'), SendKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemView"); }, 3000));
  Tap(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemCommandBar"); }, 3000));
  Tap(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, "dxBarSubItemCommandBar"); }, 3000));
  PumpUntil([] { return false; }, 200);  // a chain closing whole would be gone now
  EXPECT_TRUE(BarMenuShowing(Main, "dxBarSubItemView"));
  TCustomdxBarControl* View = Named(Main, "dxBarSubItemView")->GetItemLinks()->GetBarControl();
  TdxBarItemLink* InView = View ? View->GetSelectedLink() : nullptr;
  EXPECT_EQ(Named(Main, "dxBarSubItemCommandBar"), InView ? InView->GetItem() : nullptr);
  Tap(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, "dxBarSubItemView"); }, 3000));
  EXPECT_EQ(Named(Main, "dxBarSubItemView"), SelectedMenuBarItem(Main));
  Tap(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return SelectedMenuBarItem(Main) == nullptr; }, 3000));

  TActionRunCounter Counter;
  SendKey(VK_MENU, true), Tap('F'), SendKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, "dxBarSubItemFile"); }, 3000));
  TCustomdxBarControl* File = Named(Main, "dxBarSubItemFile")->GetItemLinks()->GetBarControl();
  TdxBarItemLink* Entry = File ? File->GetSelectedLink() : nullptr;
  ASSERT_TRUE(Entry && Entry->GetItem()) << "Alt+F selects the first entry";
  auto* A = dynamic_cast<TCustomAction*>(Entry->GetItem()->GetAction());
  ASSERT_TRUE(A);
  Counter.Offer(A);
  Tap(VK_RETURN);
  PumpUntil([&] { return !Counter.Runs.empty(); }, 2000);
  PumpUntil([] { return false; }, 100);  // a second run would come now
  EXPECT_EQ((std::map<TBasicAction*, int>{{A, 1}}), Counter.Runs);
  EXPECT_FALSE(BarMenuShowing(Main, "dxBarSubItemFile"));
  EXPECT_EQ(nullptr, SelectedMenuBarItem(Main));
}
