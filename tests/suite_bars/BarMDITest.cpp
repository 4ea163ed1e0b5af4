// An MDI frame whose two children have managers with main menus of their own,
// and the frame's main-menu buttons of a maximized child under the real mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarMDI.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "suite/bars/BarControl.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {
struct TKid : TForm {
  explicit TKid(TComponent* O) : TForm(O) {
    SetFormStyle(fsMDIChild);
    SetBounds(0, 0, 200, 150);
    OnClose = TCloseEvent(this, &TKid::Closing);
  }
  void Closing(TObject*, TCloseAction& Action) { Action = caFree; }
  std::vector<WPARAM> SysCommands;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SYSCOMMAND) SysCommands.push_back(Message.WParam);
    TForm::WndProc(Message);
  }
};

struct BarMDIFixture : ::testing::Test {
  TTestApplication App;
  TForm* Main = nullptr;
  TdxBarManager* Frame = nullptr;
  TdxBar* FrameMenu = nullptr;
  std::vector<TForm*> Kids;

  TdxBar* MenuWith(TdxBarManager* M, TComponent* Owner, const std::string& Command) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption("Menu");
    Bar->SetIsMainMenu(true);
    Bar->SetDockingStyle(dsTop);
    TdxBarButton* B = TdxBarButton::Create(Owner);
    B->SetName(Command);
    B->SetCaption(Command);
    Bar->GetItemLinks()->AddItem(B);
    Bar->SetVisible(true);
    return Bar;
  }
  void SetUp() override {
    Application->CreateForm(Main);
    Main->SetName("Main");
    Main->SetFormStyle(fsMDIForm);
    Main->SetBounds(0, 0, 640, 480);
    Frame = TdxBarManager::Create(Main);
    FrameMenu = MenuWith(Frame, Main, "FrameFile");
    Main->Show();
    for (int I = 1; I <= 2; ++I) {
      auto* K = Construct<TKid>(Application);
      K->SetName("Doc" + std::to_string(I));
      MenuWith(TdxBarManager::Create(K), K, "Doc" + std::to_string(I) + "Edit");
      Kids.push_back(K);
    }
    Pump();
  }
  void TearDown() override {
    for (TForm* K : Kids) Free(K);
    Free(Frame);
    Free(Main);
  }
  std::vector<std::string> FrameMenuNames() {
    std::vector<std::string> Names;
    for (int I = 0; I < FrameMenu->GetItemLinks()->GetCount(); ++I) {
      TdxBarItem* Item = FrameMenu->GetItemLinks()->GetLink(I)->GetItem();
      Names.push_back(dynamic_cast<TSystemMenuSubItem*>(Item) ? std::string("[icon]") : Item->GetName());
    }
    return Names;
  }
  void Maximize(TForm* K, bool Value) {
    SendMessageW(Main->GetClientHandle(), Value ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                 reinterpret_cast<WPARAM>(K->GetHandle()), 0);
    Pump();
  }
  void Activate(TForm* K) {
    SendMessageW(Main->GetClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(K->GetHandle()), 0);
    Pump();
  }
  TSystemMenuSubItem* IconItem() {
    return dynamic_cast<TSystemMenuSubItem*>(FrameMenu->GetItemLinks()->GetLink(0)->GetItem());
  }
};

TEST_F(BarMDIFixture, MaximizingMergesAndRestoringUnmerges) {
  ASSERT_EQ(Kids[1], Main->GetActiveMDIChild());
  EXPECT_EQ((std::vector<std::string>{"FrameFile"}), FrameMenuNames());
  Maximize(Kids[1], true);
  EXPECT_EQ((std::vector<std::string>{"[icon]", "FrameFile", "Doc2Edit"}), FrameMenuNames());
  TdxBar* ChildMenu = FindBarManagerByOwner(Kids[1])->GetMainMenuBar();
  EXPECT_FALSE(ChildMenu->GetVisible());

  // The maximized state goes with the activation to the other child.
  Activate(Kids[0]);
  EXPECT_EQ((std::vector<std::string>{"[icon]", "FrameFile", "Doc1Edit"}), FrameMenuNames());
  EXPECT_TRUE(ChildMenu->GetVisible());

  Maximize(Kids[0], false);
  EXPECT_EQ((std::vector<std::string>{"FrameFile"}), FrameMenuNames());
}

TEST_F(BarMDIFixture, AlwaysMergeMergesWithoutMaximizing) {
  Frame->SetAlwaysMerge(true);
  Activate(Kids[0]);
  EXPECT_EQ((std::vector<std::string>{"FrameFile", "Doc1Edit"}), FrameMenuNames());
  Activate(Kids[1]);
  EXPECT_EQ((std::vector<std::string>{"FrameFile", "Doc2Edit"}), FrameMenuNames());
}

TEST_F(BarMDIFixture, TheIconItemListsTheChildsSystemMenuAndItsDoubleClickCloses) {
  Maximize(Kids[1], true);
  ASSERT_TRUE(IconItem());
  HMENU System = GetSystemMenu(Kids[1]->GetHandle(), FALSE);
  EnableMenuItem(System, SC_MOVE, MF_BYCOMMAND | MF_GRAYED);
  // Close names the system's close picture, which the bars draw with their own bitmap.
  MENUITEMINFOW Info{};
  Info.cbSize = sizeof Info;
  Info.fMask = MIIM_BITMAP;
  Info.hbmpItem = HBMMENU_POPUP_CLOSE;
  SetMenuItemInfoW(System, SC_CLOSE, FALSE, &Info);
  IconItem()->RebuildFromSystemMenu();
  TdxBarItemLinks* Links = IconItem()->GetItemLinks();
  TdxBarItem* Close = nullptr;
  TdxBarItem* Move = nullptr;
  for (int I = 0; I < Links->GetCount(); ++I) {
    TdxBarItem* Item = Links->GetLink(I)->GetItem();
    if (Item->GetTag() == SC_CLOSE) Close = Item;
    if (Item->GetTag() == SC_MOVE) Move = Item;
  }
  ASSERT_TRUE(Close && Move);
  EXPECT_EQ(TextToShortCut("Ctrl+F4"), Close->GetShortCut());
  EXPECT_TRUE(Close->GetEnabled());
  EXPECT_EQ(16, Close->GetGlyph()->GetWidth());
  EXPECT_TRUE(Move->GetGlyph()->GetEmpty());
  EXPECT_FALSE(Move->GetEnabled());

  TdxBarItemControl* Control = FrameMenu->GetItemLinks()->GetLink(0)->GetControl();
  ASSERT_TRUE(Control);
  // Without a default entry the double click has nothing to send.
  const UINT Default = GetMenuDefaultItem(System, FALSE, 0);
  SetMenuDefaultItem(System, static_cast<UINT>(-1), FALSE);
  static_cast<TKid*>(Kids[1])->SysCommands.clear();
  Control->DblClick();
  Pump();
  EXPECT_TRUE(static_cast<TKid*>(Kids[1])->SysCommands.empty());
  EXPECT_EQ(2, Main->GetMDIChildCount());
  SetMenuDefaultItem(System, Default, FALSE);
  Control = FrameMenu->GetItemLinks()->GetLink(0)->GetControl();
  ASSERT_TRUE(Control);
  Control->DblClick();
  ASSERT_TRUE(PumpUntil([&] { return Main->GetMDIChildCount() == 1; }));
  Kids.erase(Kids.begin() + 1);
}

// The frame's main menu with the caption buttons of a maximized child, pressed
// with the real mouse.
struct MDIButtonsFixture : BarMDIFixture {
  int CloseClicks = 0;
  void CloseClicked(TObject*) { ++CloseClicks; }
  void SetUp() override {
    BarMDIFixture::SetUp();
    SetForegroundWindow(Main->GetHandle());
    Pump();
  }
  TdxBarControl* MenuWindow() { return dynamic_cast<TdxBarControl*>(FrameMenu->GetBarControl()); }
  POINT ButtonCentre(int Index) {
    RECT R = MenuWindow()->CaptionButtonRect(Index);
    POINT P{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
    ClientToScreen(MenuWindow()->GetHandle(), &P);
    return P;
  }
  void Press(POINT P) {
    MoveTo(P);
    SendMouse(P, MOUSEEVENTF_LEFTDOWN);
    Pump();
  }
  void Release(POINT P) {
    MoveTo(P);
    SendMouse(P, MOUSEEVENTF_LEFTUP);
    Pump();
  }
  void Click(int Index) {
    Press(ButtonCentre(Index));
    Release(ButtonCentre(Index));
  }
  int State(int Index) { return MenuWindow()->CaptionButtonState(Index); }
  POINT Elsewhere() { return Main->ClientToScreen(POINT{300, 300}); }
};

TEST_F(MDIButtonsFixture, AButtonSendsItsCommandToTheChildOnlyOnAReleaseOverIt) {
  auto* Kid = static_cast<TKid*>(Kids[1]);
  HWND KidWnd = Kid->GetHandle();
  ASSERT_TRUE(MenuWindow());
  RECT Before = MenuWindow()->CaptionButtonRect(1);
  EXPECT_TRUE(IsRectEmpty(&Before)) << "no buttons before";
  Maximize(Kid, true);
  ASSERT_TRUE(MenuWindow()->ShowsMDIButtons());
  RECT R[3];
  for (int I = 0; I < 3; ++I) R[I] = MenuWindow()->CaptionButtonRect(I);
  EXPECT_EQ(R[0].right, R[1].left);
  EXPECT_EQ(R[1].right + 2, R[2].left) << "the close button stands apart";
  EXPECT_EQ(QueryClientRect(MenuWindow()->GetHandle()).right - MenuWindow()->MarkExtent(), R[2].right)
      << "at the row's end, before the mark";
  for (int I = 0; I < FrameMenu->GetItemLinks()->GetCount(); ++I) {
    RECT Item = FrameMenu->GetItemLinks()->GetLink(I)->GetItemRect(), Common;
    EXPECT_FALSE(IntersectRect(&Common, &Item, &R[0])) << "the items leave the buttons their room, link " << I;
  }

  MoveTo(ButtonCentre(0));
  MoveTo(ButtonCentre(0));
  EXPECT_EQ(2, State(0)) << "hot under the mouse";
  SaveScreenshot("mdi-buttons-hot-minimize");

  // Pressed, taken off and released elsewhere: nothing is sent.
  Press(ButtonCentre(1));
  EXPECT_EQ(4, State(1));
  SaveScreenshot("mdi-buttons-pressed-restore");
  MoveTo(Elsewhere());
  EXPECT_EQ(3, State(1)) << "pressed, the mouse off it";
  Release(Elsewhere());
  EXPECT_EQ(0, State(1));
  EXPECT_TRUE(IsZoomed(KidWnd));
  EXPECT_TRUE(Kid->SysCommands.empty());

  // Pressed, taken off and brought back: the release restores the child.
  Press(ButtonCentre(1));
  MoveTo(Elsewhere());
  Release(ButtonCentre(1));
  EXPECT_EQ(std::vector<WPARAM>{SC_RESTORE}, Kid->SysCommands);
  EXPECT_FALSE(IsZoomed(KidWnd));
  RECT Gone = MenuWindow()->CaptionButtonRect(1);
  EXPECT_TRUE(IsRectEmpty(&Gone)) << "the buttons go with the maximized child";

  // A button the child's system menu greys does nothing; enabled, it minimizes.
  Maximize(Kid, true);
  HMENU System = GetSystemMenu(KidWnd, FALSE);
  EnableMenuItem(System, SC_MINIMIZE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_EQ(1, State(0));
  Click(0);
  EXPECT_TRUE(IsZoomed(KidWnd));
  EnableMenuItem(System, SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED);
  Click(0);
  EXPECT_TRUE(IsIconic(KidWnd));

  // The close button closes the active child.
  Activate(Kids[0]);
  Maximize(Kids[0], true);
  ASSERT_TRUE(MenuWindow()->ShowsMDIButtons());
  Click(2);
  ASSERT_TRUE(PumpUntil([&] { return Main->GetMDIChildCount() == 1; }));
  Kids.erase(Kids.begin());
}

TEST_F(MDIButtonsFixture, WithoutAMaximizedChildTheCloseButtonAloneFiresTheManagersEvent) {
  Frame->OnCloseButtonClick = TNotifyEvent(this, &MDIButtonsFixture::CloseClicked);
  Frame->SetShowCloseButton(true);
  Pump();
  RECT R[3];
  for (int I = 0; I < 3; ++I) R[I] = MenuWindow()->CaptionButtonRect(I);
  EXPECT_TRUE(IsRectEmpty(&R[0]) && IsRectEmpty(&R[1]));
  ASSERT_FALSE(IsRectEmpty(&R[2]));
  Press(ButtonCentre(2));
  Release(Elsewhere());
  EXPECT_EQ(0, CloseClicks);
  Click(2);
  EXPECT_EQ(1, CloseClicks);
  EXPECT_EQ(2, Main->GetMDIChildCount()) << "no child is told anything";
}
}  // namespace
