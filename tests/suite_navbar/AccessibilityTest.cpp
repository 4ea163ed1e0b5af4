// The bar's accessibility tree and keyboard: tree counts and states, arrow keys
// through captions and links, Space and Enter clicks, and IAccessible requests.
#include "tests/suite_navbar/NavBarFixture.h"

#include "suite/navbar/NavBarAccessibility.h"

namespace {
struct AccessibilityFixture : NavBarFixture {
  std::vector<std::string> Log;
  void ItemClick(TObject* Sender) { Log.push_back(static_cast<TdxNavBarItem*>(Sender)->GetCaption()); }
  void Focus(int View) {
    Bar->SetView(View);
    Bar->SetTabStop(true);
    for (TdxNavBarItem* It : I) It->OnClick = Bind(this, &AccessibilityFixture::ItemClick);
    Paint();
    Bar->SetFocus();
    Pump();
    Paint();
  }
  TdxNavBarCustomAccessibilityHelper* Root() { return Bar->GetAccessibilityHelper(); }
  TdxNavBarCustomAccessibilityHelper* Caption(int Group) { return G[Group]->GetCaptionPanelAccessibilityHelper(); }
  TdxNavBarCustomAccessibilityHelper* Link(int Group, int Index) {
    return G[Group]->Links(Index)->GetAccessibilityHelper();
  }
  TdxNavBarCustomAccessibilityHelper* Focused() { return Bar->GetFocusedAccessibleObject(); }
  void Key(WORD K) {
    PressKey(K);
    Paint();
  }
};
}  // namespace

TEST_F(AccessibilityFixture, TreeCountsFollowGroupsAndLinks) {
  Paint();
  G[2]->SetVisible(false);
  I[4]->SetEnabled(false);  // Copy
  I[1]->SetVisible(false);  // Save
  Paint();
  EXPECT_EQ(Root()->ChildCount(), 3);
  EXPECT_EQ(Root()->ChildHelper(2), G[2]->GetAccessibilityHelper());
  for (int K = 0; K < 3; ++K) {
    TdxNavBarCustomAccessibilityHelper* Gh = G[K]->GetAccessibilityHelper();
    ASSERT_EQ(Gh->ChildCount(), 2);
    EXPECT_EQ(Gh->ChildHelper(0), Caption(K));
    EXPECT_EQ(Gh->ChildHelper(1), G[K]->GetLinkContainerAccessibilityHelper());
    EXPECT_EQ(G[K]->GetLinkContainerAccessibilityHelper()->ChildCount(), G[K]->LinkCount());
    EXPECT_EQ(Gh->ParentHelper(), Root());
  }
  EXPECT_EQ(Link(0, 2)->ParentHelper(), G[0]->GetLinkContainerAccessibilityHelper());
  struct Row {
    const char* What;
    TdxNavBarCustomAccessibilityHelper* Helper;
    int State;
  } Rows[] = {
      {"root", Root(), 0},
      {"shown group", G[0]->GetAccessibilityHelper(), 0},
      {"hidden group", G[2]->GetAccessibilityHelper(), STATE_SYSTEM_INVISIBLE},
      {"caption of a hidden group", Caption(2), STATE_SYSTEM_INVISIBLE},
      {"enabled link", Link(0, 0), 0},
      {"disabled link", Link(1, 1), STATE_SYSTEM_UNAVAILABLE},
      {"hidden link", Link(0, 1), STATE_SYSTEM_INVISIBLE},
  };
  for (const Row& R : Rows) EXPECT_EQ(R.Helper->StateOf(0), R.State) << R.What;
  G[1]->SetExpanded(false);
  Paint();
  EXPECT_EQ(G[1]->GetLinkContainerAccessibilityHelper()->StateOf(0), STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(Link(1, 0)->StateOf(0), STATE_SYSTEM_INVISIBLE);
  Bar->SetEnabled(false);
  EXPECT_EQ(Link(0, 0)->StateOf(0), STATE_SYSTEM_UNAVAILABLE);
  EXPECT_FALSE(Link(0, 0)->CanFocus(false));
}

TEST_F(AccessibilityFixture, ArrowKeysWalkCaptionsAndLinks) {
  Focus(10);
  ASSERT_TRUE(Bar->Focused());
  // Entering the bar focuses the first element.
  EXPECT_EQ(Focused(), Caption(0));
  EXPECT_TRUE(GVI(0)->GetState() & nsFocused);
  Key(VK_DOWN);
  EXPECT_EQ(Focused(), Link(0, 0));
  EXPECT_TRUE(LVI(0, 0)->GetState() & nsFocused);
  EXPECT_FALSE(GVI(0)->GetState() & nsFocused);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Focused(), Link(0, 2));
  // From the last link of a group down to the next group's caption, and back up.
  Key(VK_DOWN);
  EXPECT_EQ(Focused(), Caption(1));
  Key(VK_UP);
  EXPECT_EQ(Focused(), Link(0, 2));
  // Nothing to the side: the focus stays.
  Key(VK_LEFT);
  EXPECT_EQ(Focused(), Link(0, 2));
  // A collapsed group's links are skipped.
  G[1]->SetExpanded(false);
  Paint();
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Focused(), Caption(2));
}

TEST_F(AccessibilityFixture, SpaceAndEnterClickTheFocusedLink) {
  Focus(10);
  Key(VK_DOWN);
  Key(VK_DOWN);
  ASSERT_EQ(Focused(), Link(0, 1));
  Key(VK_SPACE);
  Key(VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"Save", "Save"}));
  // A press that moves away before the release does not click.
  PostMessageW(Wnd(), WM_KEYDOWN, VK_SPACE, 1);
  Pump();
  EXPECT_TRUE(Link(0, 1)->GetClickKeyDown());
  Key(VK_DOWN);
  PostMessageW(Wnd(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
  Pump();
  EXPECT_FALSE(Link(0, 1)->GetClickKeyDown());
  EXPECT_EQ(Log.size(), 2u);
}

TEST_F(AccessibilityFixture, CaptionKeysDependOnTheView) {
  Focus(10);
  ASSERT_EQ(Focused(), Caption(0));
  Key(VK_SUBTRACT);
  EXPECT_FALSE(G[0]->GetExpanded());
  Key(VK_ADD);
  EXPECT_TRUE(G[0]->GetExpanded());
  Key(VK_SPACE);
  EXPECT_FALSE(G[0]->GetExpanded());
  // A side-bar view activates the group instead.
  Bar->SetView(0);
  Paint();
  Bar->SetFocusedAccessibleObject(Caption(2));
  Key(VK_RETURN);
  EXPECT_EQ(Bar->GetActiveGroup(), G[2]);
  // Leaving a link gives the focus to its group's caption.
  Bar->SetFocusedAccessibleObject(Link(2, 0));
  Link(2, 0)->Unfocused();
  EXPECT_EQ(Focused(), Caption(2));
}

TEST_F(AccessibilityFixture, ClickingALinkFocusesItAndRemovingItDropsTheFocus) {
  Focus(10);
  POINT P = Center(LVI(1, 1)->ImageRect);
  PostMouse(Wnd(), WM_LBUTTONDOWN, P.x, P.y, MK_LBUTTON);
  PostMouse(Wnd(), WM_LBUTTONUP, P.x, P.y);
  Pump();
  EXPECT_EQ(Focused(), Link(1, 1));
  G[1]->RemoveLink(1);
  EXPECT_EQ(Focused(), nullptr);
}

TEST_F(AccessibilityFixture, IAccessibleAnswersWithoutRolesOrNames) {
  Paint();
  IAccessible* A = Root();
  long Count = 0;
  EXPECT_EQ(A->get_accChildCount(&Count), S_OK);
  EXPECT_EQ(Count, 3);
  VARIANT Child;
  VariantInit(&Child);
  Child.vt = VT_I4;
  Child.lVal = 2;
  IDispatch* D = nullptr;
  ASSERT_EQ(A->get_accChild(Child, &D), S_OK);
  ASSERT_NE(D, nullptr);
  IAccessible* GroupA = nullptr;
  ASSERT_EQ(D->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&GroupA)), S_OK);
  EXPECT_EQ(GroupA, static_cast<IAccessible*>(G[1]->GetAccessibilityHelper()));
  D->Release();
  VARIANT Self;
  VariantInit(&Self);
  Self.vt = VT_I4;
  Self.lVal = CHILDID_SELF;
  VARIANT Role;
  EXPECT_EQ(GroupA->get_accRole(Self, &Role), S_OK);
  EXPECT_EQ(Role.vt, VT_I4);
  EXPECT_EQ(Role.lVal, 0);
  BSTR Name = nullptr;
  EXPECT_EQ(GroupA->get_accName(Self, &Name), S_FALSE);
  EXPECT_EQ(Name, nullptr);
  long L, T, W, H;
  EXPECT_EQ(GroupA->accLocation(&L, &T, &W, &H, Self), DISP_E_MEMBERNOTFOUND);
  IDispatch* Parent = nullptr;
  ASSERT_EQ(GroupA->get_accParent(&Parent), S_OK);
  EXPECT_EQ(Parent, static_cast<IDispatch*>(static_cast<IAccessible*>(Root())));
  Parent->Release();
  // A helper kept past its group answers softly.
  Free(G[1]);
  G[1] = nullptr;
  EXPECT_EQ(GroupA->get_accChildCount(&Count), S_OK);
  EXPECT_EQ(Count, 0);
  VARIANT State;
  EXPECT_EQ(GroupA->get_accState(Self, &State), S_OK);
  GroupA->Release();
  EXPECT_EQ(A->get_accChildCount(&Count), S_OK);
  EXPECT_EQ(Count, 2);
}
