// Item controls in fake bar windows: the click pipeline, hot parts, checked
// buttons, sub-item opening by click, key and hover, and container captions.
#include <gtest/gtest.h>

#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItemControls.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/suite_bars_painters/PainterFixture.h"

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

// A click whose handler frees the bar window ends without touching the freed
// control; the button is drawn pressed while its handler runs.
TEST_F(PainterFixture, ClickWhoseHandlerFreesTheWindow) {
  TdxBarButton* B = AddButton(*ToolbarLinks, "Close");
  Toolbar->Layout();
  ClickCounter Counter;
  bool PressedDuringClick = false;
  Counter.During = [&] {
    PressedDuringClick = Toolbar->ControlOf(0)->GetPressed();
    ToolbarLinks.reset();
    Free(Toolbar);
    Toolbar = nullptr;
  };
  B->OnClick = Bind(&Counter, &ClickCounter::Clicked);
  TdxBarItemControl* C = Toolbar->ControlOf(0);
  Toolbar->SetPressed(true);
  C->Click(false);
  EXPECT_EQ(1, Counter.Count);
  EXPECT_TRUE(PressedDuringClick);
  EXPECT_EQ(nullptr, Toolbar);
}

// A handler that rebuilds the window's controls leaves the new control unpressed.
TEST_F(PainterFixture, ClickWhoseHandlerRebuildsTheControls) {
  TdxBarButton* B = AddButton(*ToolbarLinks, "Rebuild");
  Toolbar->Layout();
  ClickCounter Counter;
  Counter.During = [&] { Toolbar->RecreateItemControls(); };
  B->OnClick = Bind(&Counter, &ClickCounter::Clicked);
  Toolbar->ControlOf(0)->Click(false);
  EXPECT_EQ(1, Counter.Count);
  ASSERT_NE(nullptr, Toolbar->ControlOf(0));
  EXPECT_FALSE(Toolbar->ControlOf(0)->GetPressed());
}

// A checked button toggles Down on every click; a plain one never changes it.
TEST_F(PainterFixture, CheckedButtonToggles) {
  TdxBarButton* Checked = AddButton(*ToolbarLinks, "Bold");
  Checked->SetButtonStyle(bsChecked);
  TdxBarButton* Plain = AddButton(*ToolbarLinks, "Plain");
  Toolbar->Layout();
  for (bool Expected : {true, false, true}) {
    Toolbar->ControlOf(0)->Click(false);
    Toolbar->ControlOf(1)->Click(false);
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

// A split button: a press on its arrow part asks its DropDownMenu to open for it
// and fires no click; a click on the main part fires the click.
TEST_F(PainterFixture, SplitButtonArrowOpensTheMenuWithoutTheClick) {
  TdxBarButton* B = AddButton(*ToolbarLinks, "Save");
  B->SetButtonStyle(bsDropDown);
  TdxBarPopupMenu* Menu = TdxBarPopupMenu::Create(Form);
  Menu->GetItemLinks()->AddItem(TdxBarButton::Create(Form));
  B->SetDropDownMenu(Menu);
  ClickCounter Counter;
  B->OnClick = Bind(&Counter, &ClickCounter::Clicked);
  Toolbar->SetParent(Form);
  SIZE S = Toolbar->Layout();
  Toolbar->SetBounds(0, 0, S.cx, S.cy);
  Toolbar->SetVisible(true);
  Pump();
  TdxBarItemControl* C = Toolbar->ControlOf(0);
  RECT Arrow = C->PartRect(1), Main = C->PartRect(0);
  // The left button held down over the arrow, as the press that clicks it.
  POINT At = Toolbar->ClientToScreen(POINT{Arrow.left + 2, Arrow.top + 4});
  SetCursorPos(At.x, At.y);
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &In, sizeof(In));
  PumpUntil([] { return IsLeftButtonDown(); }, 1000);
  C->MouseMove({}, Arrow.left + 2, Arrow.top + 4);
  Toolbar->SetPressed(true);
  C->Click(true);
  In.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &In, sizeof(In));
  PumpUntil([] { return !IsLeftButtonDown(); }, 1000);
  EXPECT_EQ(0, Counter.Count);
  EXPECT_EQ(C, Menu->GetOwnerItemControl());

  C->ControlInactivate(true);
  C->MouseMove({}, Main.left + 2, Main.top + 4);
  Toolbar->SetPressed(true);
  C->Click(true);
  EXPECT_EQ(1, Counter.Count);
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
