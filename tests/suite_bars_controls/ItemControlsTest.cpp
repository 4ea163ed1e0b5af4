// Item controls on a real docked toolbar and in the real menu windows they open, driven by the mouse
// and keys: the click pipeline, hot parts, checked buttons, split buttons, sub-item opening by click, key
// and hover, and containers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/common/ObjectLinks.h"
#include "tests/suite_bars_controls/ToolbarFixture.h"

namespace {
struct ClickCounter {
  int Count = 0;
  std::function<void()> During;
  void Clicked(TObject*) {
    ++Count;
    if (During) During();
  }
};
}  // namespace

// A click whose handler frees the toolbar (and with it its window) ends without
// touching the freed control, whether it came by the mouse or by the control's
// own click (a key); the button is drawn pressed while its handler runs.
TEST_F(ToolbarFixture, ClickWhoseHandlerFreesTheWindow) {
  for (bool ByMouse : {false, true}) {
    if (!Bar) {
      Bar = M->GetBars()->Add();
      Bar->SetDockingStyle(dsTop);
      Bar->SetVisible(true);
    }
    TdxBarButton* B = AddToBar<TdxBarButton>("Close");
    TdxBarItemControl* C = BarControlOf(0);
    ASSERT_NE(nullptr, C);
    TCustomdxBarControl* W = Window();
    ClickCounter Counter;
    bool PressedDuringClick = false;
    Counter.During = [&] {
      PressedDuringClick = C->GetPressed();
      Free(Bar);
      Bar = nullptr;
    };
    B->OnClick = Bind(&Counter, &ClickCounter::Clicked);
    if (ByMouse) {
      ClickAtScreen(CentreOf(C));
      PumpUntil([&] { return Counter.Count == 1; }, 2000);
    } else {
      W->SetPressed(true);
      C->Click(false);
      EXPECT_TRUE(PressedDuringClick);
    }
    EXPECT_EQ(1, Counter.Count) << ByMouse;
    EXPECT_FALSE(IsBarControlAlive(W)) << ByMouse;
    Pump();
  }
}

// A handler that rebuilds the window's controls leaves the new control unpressed.
TEST_F(ToolbarFixture, ClickWhoseHandlerRebuildsTheControls) {
  TdxBarButton* B = AddToBar<TdxBarButton>("Rebuild");
  ClickCounter Counter;
  Counter.During = [&] { Window()->RecreateItemControls(); };
  B->OnClick = Bind(&Counter, &ClickCounter::Clicked);
  BarControlOf(0)->Click(false);
  EXPECT_EQ(1, Counter.Count);
  ASSERT_NE(nullptr, BarControlOf(0));
  EXPECT_FALSE(BarControlOf(0)->GetPressed());
}

// A checked button toggles Down on every mouse click; a plain one never changes it.
TEST_F(ToolbarFixture, CheckedButtonToggles) {
  TdxBarButton* Checked = AddToBar<TdxBarButton>("Bold");
  Checked->SetButtonStyle(bsChecked);
  TdxBarButton* Plain = AddToBar<TdxBarButton>("Plain");
  for (bool Expected : {true, false, true}) {
    ClickAtScreen(CentreOf(BarControlOf(0)));
    ClickAtScreen(CentreOf(BarControlOf(1)));
    EXPECT_EQ(Expected, Checked->GetDown());
    EXPECT_FALSE(Plain->GetDown());
  }
}

// A split button: a mouse click on its arrow part opens its DropDownMenu below
// it and fires no click; a click on the main part fires the click.
TEST_F(ToolbarFixture, SplitButtonArrowOpensTheMenuWithoutTheClick) {
  TdxBarButton* B = AddToBar<TdxBarButton>("Save");
  B->SetButtonStyle(bsDropDown);
  TdxBarPopupMenu* Menu = TdxBarPopupMenu::Create(Form);
  Menu->GetItemLinks()->AddItem(TdxBarButton::Create(Form));
  B->SetDropDownMenu(Menu);
  ClickCounter Counter;
  B->OnClick = Bind(&Counter, &ClickCounter::Clicked);
  TdxBarItemControl* C = BarControlOf(0);
  TCustomdxBarControl* W = Window();
  RECT Arrow = C->PartRect(1), Main = C->PartRect(0);
  ClickAtScreen(OnScreen(C, POINT{Arrow.left + 2, Arrow.top + 4}));
  TCustomdxBarControl* Popup = Menu->GetItemLinks()->GetBarControl();
  ASSERT_TRUE(PumpUntil([&] { return (Popup = Menu->GetItemLinks()->GetBarControl()) != nullptr; }, 2000));
  EXPECT_EQ(0, Counter.Count);
  EXPECT_TRUE(IsWindowVisible(Popup->GetHandle()));
  EXPECT_EQ(Popup, static_cast<TdxBarButtonLikeControl*>(C)->DropDownWindow());
  EXPECT_TRUE(C->IsDroppedDown());
  RECT Item = W->ItemScreenRect(C), Shown;
  GetWindowRect(Popup->GetHandle(), &Shown);
  EXPECT_EQ(Item.bottom, Shown.top) << "below the button";

  TapKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !C->IsDroppedDown(); }, 2000));
  EXPECT_FALSE(Menu->GetItemLinks()->GetBarControl() && IsWindowVisible(Popup->GetHandle()));
  TapKey(VK_ESCAPE);
  ClickAtScreen(OnScreen(C, POINT{Main.left + 2, Main.top + 4}));
  EXPECT_TRUE(PumpUntil([&] { return Counter.Count == 1; }, 2000)) << "the main part clicks";
  // Freed after its closed menu window: the window and its controls go with it.
  Free(Menu);
}

// A popup menu goes with the manager it belongs to, its window with it: the
// form freed later holds no menu that would reach back to the freed manager.
TEST_F(ToolbarFixture, PopupMenuGoesWithItsManager) {
  TdxBarPopupMenu* Menu = TdxBarPopupMenu::Create(Form);
  Menu->GetItemLinks()->AddItem(AddToBar<TdxBarButton>("Save"));
  TCustomdxBarControl* Popup = Menu->GetItemLinks()->CreateBarControl();
  ASSERT_NE(nullptr, Popup);
  HWND Handle = Popup->GetHandle();
  TcxObjectLinkGuard MenuAlive(Menu);
  Free(M);
  M = nullptr;
  EXPECT_FALSE(MenuAlive.Alive());
  EXPECT_FALSE(IsWindow(Handle));
}


// The hot part follows the mouse over the toolbar: the part under it, 100 inside
// the control but in no part (an edit's frame), -1 once it leaves; a disabled
// control never becomes hot.
TEST_F(ToolbarFixture, HotPartFollowsTheMouse) {
  AddToBar<TdxBarButton>("Split")->SetButtonStyle(bsDropDown);
  AddToBar<TdxBarButton>("Off")->SetEnabled(false);
  AddToBar<TdxBarEdit>("Name");
  TdxBarItemControl* Split = BarControlOf(0);
  TdxBarItemControl* Off = BarControlOf(1);
  TdxBarItemControl* Edit = BarControlOf(2);
  ASSERT_TRUE(Split && Off && Edit);
  RECT Main = Split->PartRect(0), Arrow = Split->PartRect(1), Inner = Edit->PartRect(0);
  ASSERT_LT(Main.left, Arrow.left);
  struct Case {
    const char* Where;
    TdxBarItemControl* Control;
    POINT At;
    int Hot;
  };
  const Case Cases[] = {
      {"main part", Split, {Main.left + 2, Main.top + 3}, 0},
      {"arrow part", Split, {Arrow.left + 1, Arrow.top + 3}, 1},
      {"edit frame", Edit, {Inner.left - 1, Inner.top}, 100},
      {"disabled", Off, {Off->ItemBounds().left + 3, Off->ItemBounds().top + 3}, -1},
  };
  for (const Case& C : Cases) {
    MoveTo(OnScreen(C.Control, C.At));
    EXPECT_TRUE(PumpUntil([&] { return C.Control->GetHotPartIndex() == C.Hot; }, 1000))
        << C.Where << ": " << C.Control->GetHotPartIndex();
  }
  MoveTo(OnScreen(Split, {Main.left + 2, Main.top + 3}));
  ASSERT_TRUE(PumpUntil([&] { return Split->GetHotPartIndex() == 0; }, 1000));
  EXPECT_EQ(-1, Edit->GetHotPartIndex()) << "the edit stays hot after the mouse moved on";
  MoveTo(Away());
  EXPECT_TRUE(PumpUntil([&] { return Split->GetHotPartIndex() == -1; }, 2000)) << "leaving the toolbar";
}

namespace {
// A toolbar with a sub-item "File" whose menu holds "Open" and the sub-item
// "Recent" (with "One" in it).
struct SubItemFixture : ToolbarFixture {
  TdxBarSubItem *File = nullptr, *Recent = nullptr;
  ClickCounter Counter;
  void SetUp() override {
    ToolbarFixture::SetUp();
    File = AddToBar<TdxBarSubItem>("&File");
    AddTo<TdxBarButton>(File->GetItemLinks(), "Open");
    Recent = AddTo<TdxBarSubItem>(File->GetItemLinks(), "Recent");
    AddTo<TdxBarButton>(Recent->GetItemLinks(), "One");
    File->OnClick = Bind(&Counter, &ClickCounter::Clicked);
  }
  TdxBarSubItemControl* FileControl() { return static_cast<TdxBarSubItemControl*>(BarControlOf(0)); }
  // The control of a link shown in an open menu window.
  static TdxBarItemControl* ControlIn(TCustomdxBarControl* W, int Index) {
    return W->GetItemLinks()->GetShownLink(Index)->GetControl();
  }
};
}  // namespace

// A click on a closed entry opens its menu and fires OnPopup, then its click; a
// second click leaves it open in the program's style and closes it only in the
// classic style.
TEST_F(SubItemFixture, SecondClickClosesOnlyInTheClassicStyle) {
  ClickCounter Popups;
  File->OnPopup = Bind(&Popups, &ClickCounter::Clicked);
  int PopupsAtClick = -1;
  Counter.During = [&] { PopupsAtClick = Popups.Count; };
  for (auto [Style, OpenAfterSecond] : {std::pair{bmsXP, true}, std::pair{bmsStandard, false}}) {
    M->SetStyle(Style);
    POINT At = CentreOf(FileControl());
    int Before = Counter.Count;
    ClickAtScreen(At);
    ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000)) << Style;
    EXPECT_TRUE(FileControl()->IsDroppedDown()) << Style;
    EXPECT_EQ(Before + 1, Counter.Count) << "the click fires as the menu opens";
    EXPECT_EQ(Before + 1, PopupsAtClick) << "OnPopup comes first";
    ClickAtScreen(At);
    Wait(200);
    EXPECT_EQ(OpenAfterSecond, MenuOf(File) != nullptr) << Style;
    EXPECT_EQ(Before + 1, Counter.Count) << "the second click opens nothing";
    EXPECT_EQ(Before + 1, Popups.Count);
    ClickAtScreen(Away());
    EXPECT_TRUE(PumpUntil([&] { return MenuOf(File) == nullptr; }, 2000)) << "a click away closes it";
    EXPECT_FALSE(FileControl()->IsDroppedDown());
  }
  // While customizing, the second click closes it in the program's style too.
  M->SetStyle(bmsXP);
  M->SetCustomizing(true);
  Pump();
  for (bool Open : {true, false}) {
    Window()->SetPressed(true);
    FileControl()->Click(true);
    EXPECT_TRUE(PumpUntil([&] { return (MenuOf(File) != nullptr) == Open; }, 2000)) << "customizing, open " << Open;
  }
  M->SetCustomizing(false);
  Pump();
}

// Opened by the mouse, the menu selects no entry; opened by a key, its first.
TEST_F(SubItemFixture, KeyboardOpeningSelectsTheFirstEntry) {
  ClickAtScreen(CentreOf(FileControl()));
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000));
  TCustomdxBarControl* Menu = MenuOf(File);
  EXPECT_EQ(nullptr, Menu->GetSelectedLink());
  // Esc closes the menu and leaves its entry selected on the toolbar.
  TapKey(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) == nullptr; }, 2000));
  TapKey(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000)) << "Down did not open the menu";
  EXPECT_EQ(File->GetItemLinks()->GetLink(0), MenuOf(File)->GetSelectedLink());
}

// In a menu, resting on an entry opens its menu after 400 ms; passing over it
// opens nothing. On a toolbar resting never opens one.
TEST_F(SubItemFixture, HoverOpensAfterTheDelayInMenusOnly) {
  MoveTo(CentreOf(FileControl()));
  Wait(700);
  EXPECT_FALSE(MenuOf(File)) << "a toolbar opens only after a press or a key";

  ClickAtScreen(CentreOf(FileControl()));
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000));
  TCustomdxBarControl* Menu = MenuOf(File);
  TdxBarItemControl* Open = ControlIn(Menu, 0);
  TdxBarItemControl* RecentControl = ControlIn(Menu, 1);
  MoveTo(CentreOf(RecentControl));
  MoveTo(CentreOf(Open));
  Wait(700);
  EXPECT_FALSE(MenuOf(Recent)) << "the menu opened although the mouse left its entry";
  EXPECT_FALSE(TdxBarButtonLikeControl::IsOpenPending(static_cast<TdxBarButtonLikeControl*>(RecentControl)));

  DWORD Start = GetTickCount();
  MoveTo(CentreOf(RecentControl));
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Recent) != nullptr; }, 2000));
  DWORD Took = GetTickCount() - Start;
  EXPECT_GE(Took, 350u);
  EXPECT_LE(Took, 1500u);
  EXPECT_EQ(1, Counter.Count) << "only File's own opening clicked it";
}

// A container on a toolbar reads its caption. In a menu its entries show in its
// place; while customizing, the container shows itself there as "(" + caption + ")".
TEST_F(SubItemFixture, ContainerCaptionOnToolbarsAndInMenus) {
  for (TdxBarItemLinks* Links : {Bar->GetItemLinks(), File->GetItemLinks()}) {
    // An empty container is hidden outside customizing.
    TdxBarContainerItem* Takes = AddTo<TdxBarContainerItem>(Links, "Takes");
    AddTo<TdxBarButton>(Takes->GetItemLinks(), "a.wav");
  }
  EXPECT_EQ("Takes", BarControlOf(1)->LinkCaption());
  auto CaptionsInFile = [&] {
    std::vector<std::string> Captions;
    if (M->IsCustomizing()) {
      Window()->SetPressed(true);
      FileControl()->Click(true);
    } else {
      ClickAtScreen(CentreOf(FileControl()));
    }
    if (!PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000)) return Captions;
    TCustomdxBarControl* Menu = MenuOf(File);
    for (int I = 0; I < Menu->GetItemLinks()->ShownLinkCount(); ++I)
      Captions.push_back(ControlIn(Menu, I)->LinkCaption());
    Menu->CloseBar();
    Pump();
    return Captions;
  };
  EXPECT_EQ((std::vector<std::string>{"Open", "Recent", "a.wav"}), CaptionsInFile());
  M->SetCustomizing(true);
  Pump();
  EXPECT_EQ((std::vector<std::string>{"Open", "Recent", "(Takes)"}), CaptionsInFile());
  M->SetCustomizing(false);
  Pump();
}

// An entry a container shows in a menu is a copy that goes when the menu closes:
// its click names the container's own link, which stays.
TEST_F(SubItemFixture, ContainerEntryClickNamesTheContainersLink) {
  TdxBarContainerItem* Takes = AddTo<TdxBarContainerItem>(File->GetItemLinks(), "Takes");
  TdxBarButton* Wav = AddTo<TdxBarButton>(Takes->GetItemLinks(), "a.wav");
  TdxBarItemLink* TakesLink = File->GetItemLinks()->GetLink(File->GetItemLinks()->GetCount() - 1);
  ClickCounter Clicked;
  TdxBarItemLink* Named = nullptr;
  Clicked.During = [&] { Named = Wav->GetClickItemLink(); };
  Wav->OnClick = Bind(&Clicked, &ClickCounter::Clicked);
  ClickAtScreen(CentreOf(FileControl()));
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000));
  TCustomdxBarControl* Menu = MenuOf(File);
  TdxBarItemControl* Entry = ControlIn(Menu, Menu->GetItemLinks()->ShownLinkCount() - 1);
  ASSERT_EQ("a.wav", Entry->LinkCaption());
  ASSERT_NE(TakesLink, Entry->GetItemLink()) << "the menu shows a copy";
  ClickAtScreen(CentreOf(Entry));
  ASSERT_TRUE(PumpUntil([&] { return Clicked.Count == 1; }, 2000));
  EXPECT_EQ(TakesLink, Named);
  EXPECT_EQ(nullptr, Wav->GetClickItemLink()) << "cleared after the click";
}

// A list's menu is the window of the list's links: it shows the entries while
// open, opens again as the same window with the entries once each, and goes
// with the list.
TEST_F(ToolbarFixture, ContainerMenuIsTheWindowOfItsLinks) {
  TdxBarListItem* List = AddToBar<TdxBarListItem>("Recent");
  List->SetShowNumbers(false);
  List->GetItems()->Add("a.wav");
  List->GetItems()->Add("b.wav");
  TdxBarItemLinks* Links = List->GetItemLinks();
  TCustomdxBarControl* First = nullptr;
  for (int Round = 0; Round < 2; ++Round) {
    auto* C = static_cast<TdxBarSubItemControl*>(BarControlOf(0));
    ClickAtScreen(CentreOf(C));
    ASSERT_TRUE(PumpUntil([&] { return MenuOf(List) != nullptr; }, 2000)) << Round;
    TCustomdxBarControl* W = MenuOf(List);
    if (!First) First = W;
    EXPECT_EQ(First, W) << "opened again as the same window";
    EXPECT_EQ(W, C->DropDownWindow()) << Round;
    ASSERT_EQ(2, Links->GetCount()) << Round;
    EXPECT_EQ("a.wav", Links->GetLink(0)->GetItem()->GetCaption());
    EXPECT_EQ("b.wav", Links->GetLink(1)->GetItem()->GetCaption());
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return MenuOf(List) == nullptr; }, 2000)) << Round;
    EXPECT_FALSE(C->IsDroppedDown()) << Round;
    EXPECT_EQ(0, Links->GetCount()) << "closed, the entries are taken out";
    TapKey(VK_ESCAPE);
  }
  HWND Handle = First->GetHandle();
  Free(List);
  EXPECT_FALSE(IsWindow(Handle)) << "the menu window goes with the list";
}
