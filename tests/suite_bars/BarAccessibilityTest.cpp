// Keyboard navigation over real bar windows (keys pressed through SendInput and
// taken by the manager's keyboard hook), the helper tree of dock sites, toolbars and
// caption buttons, key tips, and what accessibility clients are told.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "framework/Interfaces.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarCaptionButtons.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemAccessibility.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarWindowAccessibility.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
void Press(std::vector<WORD> Held, WORD Key) {
  std::vector<INPUT> In;
  auto Add = [&In](WORD K, bool Down) { In.push_back(KeyInput(K, Down)); };
  for (WORD H : Held) Add(H, true);
  Add(Key, true);
  Add(Key, false);
  for (auto It = Held.rbegin(); It != Held.rend(); ++It) Add(*It, false);
  SendInput(static_cast<UINT>(In.size()), In.data(), sizeof(INPUT));
  Pump();
}

struct BarKeyboardFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Menu = nullptr;
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  std::vector<std::string> Clicked;

  void SetUp() override {
    BarFormFixture::SetUp();
    M = NewManager();
    M->SetHideFloatingBarsWhenInactive(false);
    Menu = NewBar("Menu", dsTop, 0);
    Menu->SetIsMainMenu(true);
    SetForegroundWindow(Form->GetHandle());
    SetFocus(Form->GetHandle());
    Pump();
  }
  void TearDown() override {
    Nav->EndKeyboardMode();
    Nav->ClearNavigationMode();
    Free(M);
    BarFormFixture::TearDown();
  }
  TdxBar* NewBar(const std::string& Caption, TdxBarDockingStyle Style, int Row) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    Bar->SetDockingStyle(Style);
    Bar->SetRow(Row);
    // The walks go through the links alone: no quick-customizing mark among them.
    Bar->SetAllowQuickCustomizing(false);
    return Bar;
  }
  // Bars are shown once their items are in (a shown bar does not grow for new links).
  void Show(std::initializer_list<TdxBar*> Bars) {
    for (TdxBar* Bar : Bars) Bar->SetVisible(true);
    Pump();
  }
  TdxBarItem* Add(TdxBar* Bar, TdxBarItem* Item, const std::string& Name) {
    Item->SetName(Name);
    Item->SetCaption(Name);
    Bar->GetItemLinks()->AddItem(Item);
    Pump();
    return Item;
  }
  TdxBarButton* Button(TdxBar* Bar, const std::string& Name) {
    auto* B = static_cast<TdxBarButton*>(Add(Bar, TdxBarButton::Create(Form), Name));
    B->OnClick = TNotifyEvent(this, &BarKeyboardFixture::ItemClicked);
    return B;
  }
  void ItemClicked(TObject* Sender) { Clicked.push_back(static_cast<TComponent*>(Sender)->GetName()); }
  // What the user sees: the active bar window (a menu by the entry that opened
  // it) and its highlighted item.
  std::string Shown() {
    TCustomdxBarControl* W = TopActiveBarControl();
    if (!W) return "";
    TdxBarItemControl* C = W->SelectedItemControl();
    std::string Name = W->GetText();
    if (auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(W))
      Name = Menu->GetOwnerControl() ? Menu->GetOwnerControl()->LinkedItem()->GetName() + " menu" : "menu";
    return Name + ":" + (C ? C->LinkedItem()->GetName() : "-");
  }
  TdxBarAccessibilityHelper* HelperOf(TdxBarItem* Item, TdxBar* Bar) {
    for (int I = 0; I < Bar->GetItemLinks()->ShownLinkCount(); ++I) {
      TdxBarItemLink* L = Bar->GetItemLinks()->GetShownLink(I);
      if (L->GetItem() == Item && L->GetControl()) return L->GetControl()->GetIAccessibilityHelper();
    }
    return nullptr;
  }
  struct TStep {
    std::vector<WORD> Held;
    WORD Key;
    std::string Expected;
  };
  void Walk(const std::vector<TStep>& Steps) {
    for (size_t I = 0; I < Steps.size(); ++I) {
      Press(Steps[I].Held, Steps[I].Key);
      EXPECT_EQ(Steps[I].Expected, Shown()) << "step " << I << " key " << Steps[I].Key;
    }
  }
};

// A horizontal toolbar: Left and Right step through the links with wrap, over an
// item that cannot be selected; Up and Down find nothing above or below; Tab goes
// on to the next toolbar of the dock site (the one left stops being active) and
// wraps back.
TEST_F(BarKeyboardFixture, HorizontalToolbarKeysWrapAndSkipWhatCannotBeSelected) {
  Button(Menu, "One");
  Button(Menu, "Two");
  Add(Menu, TdxBarStatic::Create(Form), "Label");
  Button(Menu, "Three")->SetEnabled(false);
  Button(Menu, "Four");
  TdxBar* Tools = NewBar("Tools", dsTop, 1);
  Button(Tools, "Cut");
  Button(Tools, "Copy");
  Show({Menu, Tools});
  Walk({
      {{}, VK_MENU, "Menu:-"},
      {{}, VK_RIGHT, "Menu:One"},
      {{}, VK_RIGHT, "Menu:Two"},
      {{}, VK_RIGHT, "Menu:Three"},
      {{}, VK_RIGHT, "Menu:Four"},
      {{}, VK_RIGHT, "Menu:One"},
      {{}, VK_LEFT, "Menu:Four"},
      {{}, VK_DOWN, "Menu:Four"},
      {{}, VK_UP, "Menu:Four"},
      {{}, VK_TAB, "Tools:Cut"},
      {{}, VK_TAB, "Tools:Copy"},
      {{}, VK_TAB, "Menu:One"},
      {{VK_SHIFT}, VK_TAB, "Tools:Copy"},
      {{VK_SHIFT}, VK_TAB, "Tools:Cut"},
      {{}, VK_LEFT, "Tools:Copy"},
  });
  EXPECT_TRUE(Clicked.empty());
}

// A toolbar docked at the left runs its links from top to bottom: Up and Down
// step with wrap, Left and Right search beside the item (nothing there).
TEST_F(BarKeyboardFixture, VerticalToolbarTurnsTheArrows) {
  TdxBar* Side = NewBar("Side", dsLeft, 0);
  Button(Side, "A");
  Button(Side, "B");
  Button(Side, "C");
  Show({Side});
  ASSERT_TRUE(Side->GetBarControl()->IsVertical());
  Nav->ChangeSelectedObject(HelperOf(Side->GetItemLinks()->GetShownLink(0)->GetItem(), Side));
  ASSERT_EQ("Side:A", Shown());
  Walk({
      {{}, VK_DOWN, "Side:B"},
      {{}, VK_DOWN, "Side:C"},
      {{}, VK_DOWN, "Side:A"},
      {{}, VK_UP, "Side:C"},
      {{}, VK_RIGHT, "Side:C"},
      {{}, VK_LEFT, "Side:C"},
      {{}, VK_UP, "Side:B"},
  });
}

// The controller's own record (what Esc and the mouse end) is not used by items:
// moving between two items of one window never clears the window's selection in
// between, moving to another window does.
TEST_F(BarKeyboardFixture, MovingBetweenItemsOfOneWindowKeepsItsSelection) {
  TdxBarItem* One = Button(Menu, "One");
  TdxBarItem* Two = Button(Menu, "Two");
  TdxBar* Tools = NewBar("Tools", dsTop, 1);
  TdxBarItem* Cut = Button(Tools, "Cut");
  Show({Menu, Tools});
  TdxBarAccessibilityHelper* HOne = HelperOf(One, Menu);
  TdxBarAccessibilityHelper* HTwo = HelperOf(Two, Menu);
  TdxBarAccessibilityHelper* HCut = HelperOf(Cut, Tools);
  HOne->SelectHelper(false);
  ASSERT_EQ("Menu:One", Shown());
  EXPECT_EQ(nullptr, Nav->StoredSelection());
  HOne->Deselect(HTwo);
  EXPECT_EQ("Menu:One", Shown()) << "the window kept its selection until the next item took it";
  EXPECT_TRUE(Menu->GetBarControl()->IsActive());
  HTwo->SelectHelper(false);
  EXPECT_EQ("Menu:Two", Shown());
  HTwo->Deselect(HCut);
  EXPECT_EQ(nullptr, Menu->GetBarControl()->SelectedItemControl()) << "leaving for another window clears it";
}

// Caption buttons are reached by the keyboard; Space and Enter click one and
// deselect it, Esc closes the window without a click.
TEST_F(BarKeyboardFixture, SpaceAndEnterOnACaptionButtonClickIt) {
  TdxBar* Float = NewBar("Float", dsNone, 0);
  Button(Float, "A");
  TdxBarCaptionButtons* Buttons = Float->GetCaptionButtons();
  std::vector<int> Clicks(2);
  TdxBarCaptionButton* B[2] = {Buttons->AddButton(), Buttons->AddButton()};
  struct TCounter {
    int* Count;
    void Click(TObject*) { ++*Count; }
  } Counters[2] = {{&Clicks[0]}, {&Clicks[1]}};
  for (int I = 0; I < 2; ++I) {
    B[I]->SetRect(RECT{4 + 16 * I, 2, 18 + 16 * I, 16});
    B[I]->OnClick = TNotifyEvent(&Counters[I], &TCounter::Click);
  }
  Show({Float});
  const struct {
    WORD Key;
    int Button;
    std::vector<int> Clicks;
  } Cases[] = {{VK_SPACE, 0, {1, 0}}, {VK_RETURN, 1, {1, 1}}, {VK_ESCAPE, 0, {1, 1}}};
  for (const auto& C : Cases) {
    TdxBarAccessibilityHelper* H = B[C.Button]->GetIAccessibilityHelper();
    Nav->ChangeSelectedObject(H);
    ASSERT_EQ(H, Nav->CurrentSelectedObject());
    EXPECT_EQ(cbsHot, B[C.Button]->GetState()) << "a selected caption button shows hot";
    Press({}, C.Key);
    EXPECT_EQ(C.Clicks, Clicks) << "key " << C.Key;
    EXPECT_EQ(nullptr, Nav->CurrentSelectedObject());
    EXPECT_EQ(cbsNormal, B[C.Button]->GetState());
  }
}

TEST_F(BarKeyboardFixture, TheHelperTreeFollowsRowsColumnsAndReversedCaptionButtons) {
  TdxBar* Second = NewBar("Second", dsBottom, 0);
  TdxBar* Third = NewBar("Third", dsBottom, 0);
  TdxBar* Fourth = NewBar("Fourth", dsBottom, 1);
  TdxBar* Float = NewBar("Float", dsNone, 0);
  for (TdxBar* Bar : {Menu, Second, Third, Fourth, Float}) Button(Bar, Bar->GetCaption() + "Item");
  for (int I = 0; I < 3; ++I) Float->GetCaptionButtons()->AddButton();
  Show({Menu, Second, Third, Fourth, Float});
  TdxDockControl* Bottom = Second->GetBarControl()->GetDockSite();
  ASSERT_TRUE(Bottom);
  ASSERT_EQ(2, Bottom->RowCount());
  ASSERT_EQ(2, Bottom->GetRow(0)->ColumnCount());
  TdxBarAccessibilityHelper* Site = Bottom->GetIAccessibilityHelper();
  TdxBarAccessibilityHelper* FourthHelper = Fourth->GetBarControl()->GetIAccessibilityHelper();
  EXPECT_EQ(3, Site->ChildCount());
  EXPECT_EQ(FourthHelper, Site->ChildHelper(2));
  EXPECT_EQ(2, Site->IndexOfChildHelper(FourthHelper));
  EXPECT_EQ(Site, FourthHelper->ParentHelper());
  EXPECT_EQ(1, Menu->GetBarControl()->GetDockSite()->GetIAccessibilityHelper()->ChildCount());

  // A toolbar: its item controls, then its caption buttons, last to first.
  TdxBarAccessibilityHelper* Window = Float->GetBarControl()->GetIAccessibilityHelper();
  EXPECT_EQ(nullptr, Window->ParentHelper()) << "a floating toolbar has no dock site";
  ASSERT_EQ(2, Window->ChildCount());
  TdxBarAccessibilityHelper* Buttons = Window->ChildBarHelper(1);
  ASSERT_EQ(Float->GetCaptionButtons()->GetIAccessibilityHelper(), Buttons);
  ASSERT_EQ(3, Buttons->ChildCount());
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(Float->GetCaptionButtons()->GetButton(2 - I)->GetIAccessibilityHelper(), Buttons->ChildHelper(I));
    EXPECT_EQ(I, Buttons->IndexOfChildHelper(Float->GetCaptionButtons()->GetButton(2 - I)->GetIAccessibilityHelper()));
  }
  // The mark is kept by the toolbar but is no child of it.
  TdxBarAccessibilityHelper* Mark = static_cast<TdxBarControl*>(Float->GetBarControl())->GetMarkAccessibilityHelper();
  EXPECT_EQ(Window, Mark->ParentHelper());
  EXPECT_EQ(-1, Window->IndexOfChildHelper(Mark));
}

TEST_F(BarKeyboardFixture, DefaultAndUniqueKeyTips) {
  struct {
    std::string Caption;
    TShortCut ShortCut;
    std::string KeyTip;
    std::string Expected;
  } Cases[] = {
      {"&Open", static_cast<TShortCut>(0x4000 | 'S'), "", "S"},          // Ctrl+S wins over the caption
      {"E&xit", static_cast<TShortCut>(0x4000 | VK_F5), "", "X"},       // Ctrl+F5 is no letter
      {"Plain", 0, "", "Y"},
      {"&Open", 0, "Quartz", "Qua"},                                       // assigned, cut to three
  };
  for (const auto& C : Cases) {
    TdxBarButton* B = Button(Menu, "B" + std::to_string(Menu->GetItemLinks()->GetCount()));
    B->SetCaption(C.Caption);
    B->SetShortCut(C.ShortCut);
    B->SetKeyTip(C.KeyTip);
  }
  Show({Menu});
  for (int I = 0; I < 4; ++I) {
    const auto& C = Cases[I];
    TdxBarAccessibilityHelper* H = Menu->GetItemLinks()->GetShownLink(I)->GetControl()->GetIAccessibilityHelper();
    ASSERT_TRUE(H) << C.Caption;
    EXPECT_EQ(C.Expected, H->KeyTipText()) << C.Caption;
  }
  // Made unique among the menu bar's items.
  std::vector<TdxBarKeyTipData*> List;
  Menu->GetBarControl()->GetIAccessibilityHelper()->BuildKeyTipList(List);
  std::vector<std::string> Tips;
  for (TdxBarKeyTipData* D : List) {
    Tips.push_back(D->KeyTip);
    Free(D);
  }
  EXPECT_EQ((std::vector<std::string>{"S", "X", "Y", "Qua"}), Tips);
}

// Accessibility clients get the tree, the window and visibility; location,
// navigation, value and default action are not offered; name and role are empty.
TEST_F(BarKeyboardFixture, IAccessibleAnswers) {
  TdxBarItem* One = Button(Menu, "One");
  Button(Menu, "Two");
  Show({Menu});
  TdxBarAccessibilityHelper* Bar = Menu->GetBarControl()->GetIAccessibilityHelper();
  IAccessible* A = Bar;
  VARIANT Self;
  VariantInit(&Self);
  Self.vt = VT_I4;
  Self.lVal = CHILDID_SELF;
  VARIANT First = Self;
  First.lVal = 1;

  long Count = -1;
  EXPECT_EQ(S_OK, A->get_accChildCount(&Count));
  EXPECT_EQ(3, Count) << "two items and the caption buttons";
  IDispatch* Child = nullptr;
  ASSERT_EQ(S_OK, A->get_accChild(First, &Child));
  ASSERT_TRUE(Child);
  IcxAccessibilityHelper* ChildHelper = nullptr;
  ASSERT_EQ(S_OK, Child->QueryInterface(IID_IcxAccessibilityHelper, reinterpret_cast<void**>(&ChildHelper)));
  EXPECT_EQ(HelperOf(One, Menu), ChildHelper->AsObject());
  ChildHelper->Release();
  Child->Release();

  BSTR Name = nullptr;
  EXPECT_EQ(S_FALSE, A->get_accName(Self, &Name));
  EXPECT_EQ(nullptr, Name);
  // A child that is a helper of its own answers for itself, and nothing raises.
  EXPECT_EQ(E_INVALIDARG, A->get_accName(First, &Name));
  VARIANT Role;
  EXPECT_EQ(S_OK, A->get_accRole(Self, &Role));
  EXPECT_EQ(VT_I4, Role.vt);
  EXPECT_EQ(0, Role.lVal);
  VARIANT State;
  EXPECT_EQ(S_OK, A->get_accState(Self, &State));
  EXPECT_EQ(0, State.lVal);
  long X, Y, W, H;
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, A->accLocation(&X, &Y, &W, &H, Self));
  VARIANT Out;
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, A->accHitTest(10, 10, &Out));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, A->accNavigate(NAVDIR_FIRSTCHILD, Self, &Out));
  BSTR Text = nullptr;
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, A->get_accValue(Self, &Text));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, A->get_accDefaultAction(Self, &Text));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, A->accDoDefaultAction(Self));

  // The parent chain: toolbar, dock site, then the standard object of the form's window.
  IDispatch* Parent = nullptr;
  ASSERT_EQ(S_OK, A->get_accParent(&Parent));
  IcxAccessibilityHelper* SiteHelper = nullptr;
  ASSERT_EQ(S_OK, Parent->QueryInterface(IID_IcxAccessibilityHelper, reinterpret_cast<void**>(&SiteHelper)));
  EXPECT_EQ(Menu->GetBarControl()->GetDockSite()->GetIAccessibilityHelper(), SiteHelper->AsObject());
  IDispatch* Top = nullptr;
  EXPECT_EQ(S_OK, static_cast<IAccessible*>(SiteHelper->AsObject())->get_accParent(&Top));
  ASSERT_TRUE(Top);
  IOleWindow* TopWindow = nullptr;
  if (SUCCEEDED(Top->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&TopWindow)))) {
    HWND Wnd = nullptr;
    TopWindow->GetWindow(&Wnd);
    EXPECT_EQ(Form->GetHandle(), Wnd);
    TopWindow->Release();
  }
  Top->Release();
  SiteHelper->Release();
  Parent->Release();
}

// A client that holds a helper past its owner gets soft answers; the controller
// forgets a selected helper whose owner goes.
TEST_F(BarKeyboardFixture, AHelperWhoseOwnerWentAnswersSoftly) {
  TdxBarItem* One = Button(Menu, "One");
  TdxBar* Float = NewBar("Float", dsNone, 0);
  Button(Float, "A");
  TdxBarCaptionButton* Caption = Float->GetCaptionButtons()->AddButton();
  Caption->SetRect(RECT{2, 2, 16, 16});
  Show({Menu, Float});
  TInterfacePtr<IAccessible> Held(static_cast<IAccessible*>(HelperOf(One, Menu)));
  auto* Item = static_cast<TdxBarItemControlAccessibilityHelper*>(HelperOf(One, Menu));
  TdxBarAccessibilityHelper* CaptionHelper = Caption->GetIAccessibilityHelper();
  Nav->ChangeSelectedObject(CaptionHelper);
  ASSERT_EQ(CaptionHelper, Nav->StoredSelection());

  Free(One);  // its link and control go
  Float->GetCaptionButtons()->Delete(0);
  Pump();
  EXPECT_EQ(nullptr, Nav->StoredSelection());
  EXPECT_FALSE(Item->OwnerAlive());
  EXPECT_EQ(nullptr, Item->ItemControl());
  EXPECT_FALSE(Item->IsSelectable());
  EXPECT_EQ(nullptr, Item->FindNextInDirection(2));
  Item->SelectHelper(true);
  Item->Deselect(nullptr);
  long Count = -1;
  EXPECT_EQ(S_OK, Held->get_accChildCount(&Count));
  EXPECT_EQ(0, Count);
  VARIANT Self;
  VariantInit(&Self);
  Self.vt = VT_I4;
  Self.lVal = CHILDID_SELF;
  VARIANT State;
  EXPECT_EQ(S_OK, Held->get_accState(Self, &State));
  EXPECT_EQ(VT_EMPTY, State.vt);
  IDispatch* Parent = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(S_OK, Held->get_accParent(&Parent));
  EXPECT_EQ(nullptr, Parent);
}
// Menus opened from the main menu bar: Up and Down wrap over the entries (a
// disabled one is reached, a label is not, a group line is no entry), Tab and
// Shift+Tab act as Down and Up, Right in a menu moves the bar to its next menu,
// Left to the previous one, Esc closes the menu.
TEST_F(BarKeyboardFixture, MenuKeysWrapAndMoveBetweenTheMenusOfTheBar) {
  auto* File = static_cast<TdxBarSubItem*>(Add(Menu, TdxBarSubItem::Create(Form), "File"));
  auto* Edit = static_cast<TdxBarSubItem*>(Add(Menu, TdxBarSubItem::Create(Form), "Edit"));
  auto Entry = [this](TdxBarSubItem* Sub, TdxBarItem* Item, const std::string& Name) {
    Item->SetName(Name);
    Item->SetCaption(Name);
    return Sub->GetItemLinks()->AddItem(Item);
  };
  Entry(File, TdxBarButton::Create(Form), "New");
  Entry(File, TdxBarStatic::Create(Form), "Label");
  TdxBarItemLink* Open = Entry(File, TdxBarButton::Create(Form), "Open");
  Open->GetItem()->SetEnabled(false);
  Entry(File, TdxBarButton::Create(Form), "Exit")->SetBeginGroup(true);
  Entry(Edit, TdxBarButton::Create(Form), "Cut");
  Entry(Edit, TdxBarButton::Create(Form), "Copy");
  Show({Menu});
  Walk({
      {{}, VK_MENU, "Menu:-"},
      {{}, VK_RIGHT, "Menu:File"},
      {{}, VK_DOWN, "File menu:New"},
      {{}, VK_DOWN, "File menu:Open"},
      {{}, VK_DOWN, "File menu:Exit"},
      {{}, VK_DOWN, "File menu:New"},
      {{}, VK_UP, "File menu:Exit"},
      {{}, VK_TAB, "File menu:New"},
      {{VK_SHIFT}, VK_TAB, "File menu:Exit"},
      {{VK_SHIFT}, VK_TAB, "File menu:Open"},
      {{}, VK_RIGHT, "Edit menu:Cut"},
      {{}, VK_UP, "Edit menu:Copy"},
      {{}, VK_LEFT, "File menu:New"},
      {{}, VK_ESCAPE, "Menu:File"},
  });
  EXPECT_TRUE(Clicked.empty());
}

// On a menu bar docked at the left, Left in one of its menus closes the menu.
TEST_F(BarKeyboardFixture, LeftInAMenuOfAVerticalMenuBarClosesIt) {
  Menu->SetDockingStyle(dsLeft);
  auto* File = static_cast<TdxBarSubItem*>(Add(Menu, TdxBarSubItem::Create(Form), "File"));
  TdxBarItem* New = TdxBarButton::Create(Form);
  New->SetName("New");
  New->SetCaption("New");
  File->GetItemLinks()->AddItem(New);
  Show({Menu});
  ASSERT_TRUE(Menu->GetBarControl()->IsVertical());
  Walk({{{}, VK_MENU, "Menu:-"}, {{}, VK_DOWN, "Menu:File"}, {{}, VK_RIGHT, "File menu:New"}, {{}, VK_LEFT, "Menu:File"}});
}

// A menu showing recently used entries first: Ctrl+Down shows the rest; Down on
// the last shown entry shows the rest and moves on to the next entry, once.
TEST_F(BarKeyboardFixture, HiddenMenuEntriesComeWithCtrlDownOrDownOnTheLastShown) {
  M->SetStyle(bmsEnhanced);
  M->SetMenusShowRecentItemsFirst(true);
  auto* File = static_cast<TdxBarSubItem*>(Add(Menu, TdxBarSubItem::Create(Form), "File"));
  for (const char* Name : {"New", "Rare", "Save", "Other"}) {
    TdxBarItem* B = TdxBarButton::Create(Form);
    B->SetName(Name);
    B->SetCaption(Name);
    TdxBarItemLink* L = File->GetItemLinks()->AddItem(B);
    L->SetMostRecentlyUsed(std::string(Name) == "New" || std::string(Name) == "Save");
  }
  Show({Menu});
  auto Entries = [this]() {
    auto* W = dynamic_cast<TdxBarSubMenuControl*>(TopActiveBarControl());
    return W ? W->GetItemLinks()->ShownLinkCount() : 0;
  };
  Walk({{{}, VK_MENU, "Menu:-"}, {{}, VK_RIGHT, "Menu:File"}, {{}, VK_DOWN, "File menu:New"}});
  ASSERT_EQ(2, Entries()) << "only the recent entries show";
  Walk({{{}, VK_DOWN, "File menu:Save"}, {{}, VK_DOWN, "File menu:Other"}});
  EXPECT_EQ(4, Entries());
  Walk({{{}, VK_ESCAPE, "Menu:File"}, {{}, VK_DOWN, "File menu:New"}});
  Press({VK_CONTROL}, VK_DOWN);
  EXPECT_EQ(4, Entries());
  EXPECT_EQ("File menu:New", Shown());
}
// Tab onto an in-place edit selects it and starts editing.
TEST_F(BarKeyboardFixture, TabOntoAnEditStartsEditing) {
  Button(Menu, "One");
  Add(Menu, TdxBarEdit::Create(Form), "Find");
  Button(Menu, "Two");
  Show({Menu});
  auto Editing = [&] {
    TdxBarItemControl* C = Menu->GetItemLinks()->GetShownLink(1)->GetControl();
    return C && C->IsEditing();
  };
  Walk({{{}, VK_MENU, "Menu:-"}, {{}, VK_RIGHT, "Menu:One"}, {{}, VK_TAB, "Menu:Find"}});
  EXPECT_TRUE(Editing()) << "Tab onto the edit starts editing";
}
}  // namespace

namespace {
// The mark of a toolbar too narrow for its buttons, reached by the keyboard:
// Space and Enter open its menu of hidden buttons with the first one selected,
// Esc closes that menu.
TEST_F(BarKeyboardFixture, SpaceAndEnterOnTheMarkOpenItsMenu) {
  TdxBar* Tools = NewBar("Tools", dsTop, 1);
  for (int I = 0; I < 60; ++I) Button(Tools, "B" + std::to_string(I));
  Show({Tools});
  auto* W = static_cast<TdxBarControl*>(Tools->GetBarControl());
  ASSERT_TRUE(W->HasMark());
  std::string FirstHidden;
  for (int I = 0; I < Tools->GetItemLinks()->ShownLinkCount() && FirstHidden.empty(); ++I) {
    RECT R = Tools->GetItemLinks()->GetShownLink(I)->GetItemRect();
    if (IsRectEmpty(&R)) FirstHidden = Tools->GetItemLinks()->GetShownLink(I)->GetItem()->GetName();
  }
  ASSERT_FALSE(FirstHidden.empty());
  for (WORD Key : {VK_SPACE, VK_RETURN}) {
    Nav->ChangeSelectedObject(W->GetMarkAccessibilityHelper());
    ASSERT_EQ(W->GetMarkAccessibilityHelper(), Nav->CurrentSelectedObject());
    Press({}, Key);
    ASSERT_TRUE(W->GetQuickPopup()) << "key " << Key;
    EXPECT_EQ(W->GetQuickPopup(), TopActiveBarControl()) << "key " << Key;
    EXPECT_EQ(":" + FirstHidden, Shown()) << "the popup's first button selected; key " << Key;
    Press({}, VK_ESCAPE);
    EXPECT_FALSE(W->GetQuickPopup()) << "key " << Key;
  }
  EXPECT_TRUE(Clicked.empty());
}
}  // namespace

namespace {
// Watches a bar window: whole-window repaints and the times it stopped being active.
struct TPaintSpy {
  TCustomdxBarControl* Window;
  TWndMethod Saved;
  int WholePaints = 0, Deactivations = 0;
  bool WasActive = true;
  void WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
      RECT Update{}, Client{};
      GetUpdateRect(Window->GetHandle(), &Update, FALSE);
      GetClientRect(Window->GetHandle(), &Client);
      if (EqualRect(&Update, &Client)) ++WholePaints;
    }
    Saved(Message);
    bool Active = Window->IsActive();
    if (WasActive && !Active) ++Deactivations;
    WasActive = Active;
  }
};

// Arrow keys walking the items of the menu bar repaint the items, not the whole
// window, and the window stays active all along.
TEST_F(BarKeyboardFixture, WalkingTheItemsOfAWindowNeitherDeactivatesNorRepaintsIt) {
  for (const char* Name : {"One", "Two", "Three", "Four"}) Button(Menu, Name);
  Show({Menu});
  Walk({{{}, VK_MENU, "Menu:-"}, {{}, VK_RIGHT, "Menu:One"}});
  TCustomdxBarControl* W = Menu->GetBarControl();
  TPaintSpy Spy{W, W->WindowProc};
  W->WindowProc = Bind(&Spy, &TPaintSpy::WndProc);
  Walk({{{}, VK_RIGHT, "Menu:Two"},
        {{}, VK_RIGHT, "Menu:Three"},
        {{}, VK_RIGHT, "Menu:Four"},
        {{}, VK_RIGHT, "Menu:One"},
        {{}, VK_LEFT, "Menu:Four"}});
  W->WindowProc = Spy.Saved;
  EXPECT_EQ(0, Spy.Deactivations);
  EXPECT_EQ(0, Spy.WholePaints);
}
}  // namespace
