// Item controls on a real docked toolbar and in fake bar windows: the click pipeline, hot parts, checked
// buttons, sub-item opening by click, key and hover, and container captions.
#include <gtest/gtest.h>

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
// touching the freed control; the button is drawn pressed while its handler runs.
TEST_F(ToolbarFixture, ClickWhoseHandlerFreesTheWindow) {
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
  W->SetPressed(true);
  C->Click(false);
  EXPECT_EQ(1, Counter.Count);
  EXPECT_TRUE(PressedDuringClick);
  EXPECT_FALSE(IsBarControlAlive(W));
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

// A checked button toggles Down on every click; a plain one never changes it.
TEST_F(ToolbarFixture, CheckedButtonToggles) {
  TdxBarButton* Checked = AddToBar<TdxBarButton>("Bold");
  Checked->SetButtonStyle(bsChecked);
  TdxBarButton* Plain = AddToBar<TdxBarButton>("Plain");
  for (bool Expected : {true, false, true}) {
    BarControlOf(0)->Click(false);
    BarControlOf(1)->Click(false);
    EXPECT_EQ(Expected, Checked->GetDown());
    EXPECT_FALSE(Plain->GetDown());
  }
}

// The hot part: -1 outside, the part under the point, 100 inside the control but
// in no part; a disabled control never becomes hot.
TEST_F(PainterFixture, HotPartTracking) {
  AddButton(*ToolbarLinks, "Split")->SetButtonStyle(bsDropDown);
  AddButton(*ToolbarLinks, "Off", false);
  Toolbar->Layout();
  TdxBarItemControl* Split = Toolbar->ControlOf(0);
  RECT Main = Split->PartRect(0), Arrow = Split->PartRect(1);
  ASSERT_LT(Main.left, Arrow.left);
  Split->MouseMove({}, Main.left + 1, Main.top + 2);
  EXPECT_EQ(0, Split->GetHotPartIndex());
  Split->MouseMove({}, Arrow.left + 1, Arrow.top + 2);
  EXPECT_EQ(1, Split->GetHotPartIndex());
  Split->MouseLeave();
  EXPECT_EQ(-1, Split->GetHotPartIndex());
  // An edit's frame lies inside the control but in none of its parts.
  TdxBarEdit* Edit = TdxBarEdit::Create(Form);
  ToolbarLinks->Links()->AddItem(Edit);
  Toolbar->Layout();
  TdxBarItemControl* EditControl = Toolbar->ControlOf(2);
  RECT Inner = EditControl->PartRect(0), Bounds = EditControl->ItemBounds();
  POINT OnFrame{Inner.left - 1, Inner.top};
  ASSERT_TRUE(PtInRect(&Bounds, OnFrame));
  EXPECT_EQ(100, EditControl->PartAtPoint(OnFrame));
  TdxBarItemControl* Off = Toolbar->ControlOf(1);
  RECT R = Off->ItemBounds();
  Off->MouseMove({}, R.left + 2, R.top + 2);
  EXPECT_EQ(-1, Off->GetHotPartIndex());
}

// A split button: a press on its arrow part opens its DropDownMenu below it
// and fires no click; a click on the main part fires the click.
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
  // The left button held down over the arrow, as the press that clicks it.
  POINT At = W->ClientToScreen(POINT{Arrow.left + 2, Arrow.top + 4});
  SetCursorPos(At.x, At.y);
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &In, sizeof(In));
  PumpUntil([] { return IsLeftButtonDown(); }, 1000);
  C->MouseMove({}, Arrow.left + 2, Arrow.top + 4);
  W->SetPressed(true);
  C->Click(true);
  In.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &In, sizeof(In));
  PumpUntil([] { return !IsLeftButtonDown(); }, 1000);
  EXPECT_EQ(0, Counter.Count);
  TCustomdxBarControl* Popup = Menu->GetItemLinks()->GetBarControl();
  ASSERT_NE(nullptr, Popup);
  EXPECT_TRUE(IsWindowVisible(Popup->GetHandle()));
  EXPECT_EQ(Popup, static_cast<TdxBarButtonLikeControl*>(C)->DropDownWindow());
  EXPECT_TRUE(C->IsDroppedDown());
  RECT Item = W->ItemScreenRect(C), Shown;
  GetWindowRect(Popup->GetHandle(), &Shown);
  EXPECT_EQ(Item.bottom, Shown.top) << "below the button";

  C->ControlInactivate(true);
  EXPECT_FALSE(Menu->GetItemLinks()->GetBarControl() && IsWindowVisible(Popup->GetHandle()));
  C->MouseMove({}, Main.left + 2, Main.top + 4);
  W->SetPressed(true);
  C->Click(true);
  EXPECT_EQ(1, Counter.Count);
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

struct SubItemFixture : PainterFixture {
  TdxBarSubItem* Sub = nullptr;
  ClickCounter Counter;
  TdxBarSubItem* AddSubItem(TFakeLinksOwner& Owner) {
    Sub = TdxBarSubItem::Create(Form);
    Sub->SetCaption("&File");
    TdxBarButton* Entry = TdxBarButton::Create(Form);
    Entry->SetCaption("Open");
    Sub->GetItemLinks()->AddItem(Entry);
    Sub->OnClick = Bind(&Counter, &ClickCounter::Clicked);
    Owner.Links()->AddItem(Sub);
    return Sub;
  }
  TdxBarSubItemControl* Control(TFakeToolbar* W) { return static_cast<TdxBarSubItemControl*>(W->ControlOf(0)); }
  TdxBarSubItemControl* Control(TFakeMenu* W) { return static_cast<TdxBarSubItemControl*>(W->ControlOf(0)); }
  void TearDown() override {
    if (Sub && Sub->GetItemLinks()->GetBarControl()) Sub->GetItemLinks()->DestroyBarControl();
    PainterFixture::TearDown();
  }
};

// A click on a closed entry opens it and fires its click; a second click leaves it
// open in the program's style and closes it only in the classic style.
TEST_F(SubItemFixture, SecondClickClosesOnlyInTheClassicStyle) {
  AddSubItem(*ToolbarLinks);
  Toolbar->Layout();
  for (auto [Style, OpenAfterSecond] : {std::pair{bmsXP, true}, std::pair{bmsStandard, false}}) {
    M->SetStyle(Style);
    TdxBarSubItemControl* C = Control(Toolbar);
    int Before = Counter.Count;
    Toolbar->SetPressed(true);
    C->Click(true);
    EXPECT_TRUE(C->IsDroppedDown()) << Style;
    EXPECT_EQ(Before + 1, Counter.Count) << "the click fires as the menu opens";
    C->Click(true);
    EXPECT_EQ(OpenAfterSecond, C->IsDroppedDown()) << Style;
    C->ControlInactivate(true);
    EXPECT_FALSE(C->IsDroppedDown());
  }
}

// Opened by key, the menu selects its first entry; opened by the mouse, none.
TEST_F(SubItemFixture, KeyboardOpeningSelectsTheFirstEntry) {
  AddSubItem(*ToolbarLinks);
  Toolbar->Layout();
  TdxBarSubItemControl* C = Control(Toolbar);
  Toolbar->SetPressed(true);
  C->Click(true);
  TCustomdxBarControl* Window = C->DropDownWindow();
  ASSERT_NE(nullptr, Window);
  EXPECT_EQ(nullptr, Window->GetSelectedLink());
  C->ControlInactivate(true);
  WORD Key = VK_DOWN;
  C->KeyDown(Key, {});
  EXPECT_TRUE(C->IsDroppedDown());
  EXPECT_EQ(Sub->GetItemLinks()->GetLink(0), Window->GetSelectedLink());
  C->ControlInactivate(true);
}

// In a menu, hovering opens an entry after 400 ms; leaving first cancels it. On
// a toolbar hovering never opens one.
TEST_F(SubItemFixture, HoverOpensAfterTheDelayInMenusOnly) {
  AddSubItem(*MenuLinks);
  Menu->Layout();
  TdxBarSubItemControl* C = Control(Menu);
  DWORD Start = GetTickCount();
  C->ControlActivate(false);
  EXPECT_FALSE(C->IsDroppedDown());
  EXPECT_TRUE(PumpUntil([&] { return C->IsDroppedDown(); }, 2000));
  EXPECT_GE(GetTickCount() - Start, 380u);
  C->ControlInactivate(true);

  C->ControlActivate(false);
  C->ControlInactivate(false);
  PumpUntil([] { return false; }, 600);
  EXPECT_FALSE(C->IsDroppedDown()) << "leaving before the delay cancels the opening";
  EXPECT_FALSE(TdxBarButtonLikeControl::IsOpenPending(C));

  SubItemFixture::TearDown();
  SetUp();
  AddSubItem(*ToolbarLinks);
  Toolbar->Layout();
  Control(Toolbar)->ControlActivate(false);
  PumpUntil([] { return false; }, 600);
  EXPECT_FALSE(Control(Toolbar)->IsDroppedDown()) << "a toolbar opens only after a press or a key";
}

// A container shown in a menu reads "(" + caption + ")"; on a toolbar its caption.
TEST_F(PainterFixture, ContainerCaptionInMenusAndOnToolbars) {
  for (TFakeLinksOwner* Owner : {ToolbarLinks.get(), MenuLinks.get()}) {
    TdxBarContainerItem* Recent = TdxBarContainerItem::Create(Form);
    Recent->SetCaption("Recent");
    // An empty container is hidden outside customizing.
    TdxBarButton* Entry = TdxBarButton::Create(Form);
    Entry->SetCaption("a.wav");
    Recent->GetItemLinks()->AddItem(Entry);
    Owner->Links()->AddItem(Recent);
  }
  Toolbar->Layout();
  Menu->Layout();
  EXPECT_EQ("Recent", Toolbar->ControlOf(0)->LinkCaption());
  EXPECT_EQ("(Recent)", Menu->ControlOf(0)->LinkCaption());
}

// A list's menu is the window of the list's links: it shows the entries while
// open, opens again as the same window with the entries once each, and goes
// with the list.
TEST_F(PainterFixture, ContainerMenuIsTheWindowOfItsLinks) {
  TdxBarListItem* List = TdxBarListItem::Create(Form);
  List->SetCaption("Recent");
  List->SetShowNumbers(false);
  List->GetItems()->Add("a.wav");
  List->GetItems()->Add("b.wav");
  ToolbarLinks->Links()->AddItem(List);
  Toolbar->Layout();
  auto* C = static_cast<TdxBarSubItemControl*>(Toolbar->ControlOf(0));
  TdxBarItemLinks* Links = List->GetItemLinks();
  TCustomdxBarControl* First = nullptr;
  for (int Round = 0; Round < 2; ++Round) {
    Toolbar->SetPressed(true);
    C->Click(true);
    TCustomdxBarControl* W = Links->GetBarControl();
    ASSERT_NE(nullptr, W) << Round;
    if (!First) First = W;
    EXPECT_EQ(First, W) << "opened again as the same window";
    EXPECT_EQ(W, C->DropDownWindow()) << Round;
    EXPECT_TRUE(C->IsDroppedDown()) << Round;
    EXPECT_TRUE(W->HandleAllocated() && IsWindowVisible(W->GetHandle())) << Round;
    ASSERT_EQ(2, Links->GetCount()) << Round;
    EXPECT_EQ("a.wav", Links->GetLink(0)->GetItem()->GetCaption());
    EXPECT_EQ("b.wav", Links->GetLink(1)->GetItem()->GetCaption());
    C->ControlInactivate(true);
    EXPECT_FALSE(C->IsDroppedDown()) << Round;
    EXPECT_EQ(0, Links->GetCount()) << "closed, the entries are taken out";
  }
  HWND Handle = First->GetHandle();
  Free(List);
  EXPECT_FALSE(IsWindow(Handle)) << "the menu window goes with the list";
}
