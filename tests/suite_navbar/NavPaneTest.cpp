// The navigation pane (view 13) under real messages: the overflow row, caption
// buttons moving there as the pane shrinks, the splitter, collapsing by width and
// by the header sign, the popup of a collapsed pane, the configuration menu,
// hints and the pane's accessible parts.
#include "tests/suite_navbar/NavBarFixture.h"

#include "framework/HintWindow.h"
#include "suite/navbar/NavBarNavPaneAccessibility.h"
#include "suite/navbar/NavBarNavPaneController.h"
#include "suite/navbar/NavBarNavPaneViewInfo.h"

namespace {
int Height(const RECT& R) { return R.bottom - R.top; }

struct PaneFixture : NavBarFixture {
  int ViewNumber() override { return 13; }
  void AddControls() override {
    NavBarFixture::AddControls();
    for (const char* C : {"Mail", "Notes"}) {
      TdxNavBarGroup* Gr = Bar->GetGroups()->Add();
      Gr->SetCaption(C);
      G.push_back(Gr);
      TdxNavBarItem* It = Bar->GetItems()->Add();
      It->SetCaption(std::string("In ") + C);
      Gr->CreateLink(It);
    }
    Bar->SetBounds(0, 0, 180, 400);
  }
  TdxNavBarNavigationPaneViewInfo* Pane() { return static_cast<TdxNavBarNavigationPaneViewInfo*>(VI()); }
  TdxNavBarOverflowPanelViewInfo* Overflow() { return Pane()->GetOverflowPanel(); }
  TdxNavBarNavigationPaneController* Controller() {
    return static_cast<TdxNavBarNavigationPaneController*>(Bar->GetController());
  }
  std::vector<std::string> CaptionButtons() {
    std::vector<std::string> R;
    for (int K = Pane()->PanelGroupCount(); K < Pane()->GroupCount(); ++K)
      R.push_back(Pane()->Groups(K)->GetGroup()->GetCaption());
    return R;
  }
  std::vector<std::string> OverflowGroups() {
    std::vector<std::string> R;
    for (auto& B : Overflow()->Buttons) R.push_back(B.TargetGroup->GetCaption());
    return R;
  }
  std::vector<std::string> Log;
  void Collapsed(TObject*) { Log.push_back("collapsed"); }
  void Expanded(TObject*) { Log.push_back("expanded"); }
  void ItemClick(TObject* Sender) { Log.push_back(static_cast<TdxNavBarItem*>(Sender)->GetCaption()); }
  TdxNavBarNavigationPaneBehaviorOptions* PaneOptions() { return Bar->GetOptionsBehavior()->GetNavigationPane(); }
  void Move(POINT P, WPARAM Keys = 0) {
    POINT S = Bar->ClientToScreen(P);
    SetCursorPos(S.x, S.y);
    PostMouse(Wnd(), WM_MOUSEMOVE, P.x, P.y, Keys);
    Pump();
  }
  void ClickAt(POINT P) {
    Move(P);
    PostMouse(Wnd(), WM_LBUTTONDOWN, P.x, P.y, MK_LBUTTON);
    PostMouse(Wnd(), WM_LBUTTONUP, P.x, P.y);
    Pump();
  }
  std::vector<std::string> Captions(TdxNavBarGroup* Group) {
    std::vector<std::string> R;
    for (int K = 0; K < Group->LinkCount(); ++K) R.push_back(Group->Links(K)->GetItem()->GetCaption());
    return R;
  }
};

// Runs Body once from a timer, while a nested loop (the popup's) is running.
struct TTimerCall {
  static inline std::function<void()> Body;
  static void CALLBACK Fire(HWND, UINT, UINT_PTR Id, DWORD) {
    KillTimer(nullptr, Id);
    auto B = std::move(Body);
    Body = nullptr;
    if (B) B();
  }
  static void After(int Ms, std::function<void()> F) {
    Body = std::move(F);
    SetTimer(nullptr, 0, static_cast<UINT>(Ms), &Fire);
  }
};
}  // namespace

TEST_F(PaneFixture, MaxVisibleGroupsSendsTheRestToTheOverflowRow) {
  struct Row {
    int Max;
    std::vector<std::string> Buttons, Overflowing;
  } Rows[] = {
      {-1, {"Files", "Edit", "Help", "Mail", "Notes"}, {}},
      {2, {"Files", "Edit"}, {"Help", "Mail", "Notes"}},
      {0, {}, {"Files", "Edit", "Help", "Mail", "Notes"}},
  };
  for (const Row& R : Rows) {
    Bar->SetNavigationPaneMaxVisibleGroups(R.Max);
    Paint();
    EXPECT_EQ(CaptionButtons(), R.Buttons) << R.Max;
    EXPECT_EQ(OverflowGroups(), R.Overflowing) << R.Max;
    // The icons are right-aligned against the chevron.
    if (!R.Overflowing.empty()) {
      EXPECT_EQ(Overflow()->ShownButtonCount, static_cast<int>(R.Overflowing.size()));
      EXPECT_EQ(Overflow()->Buttons.back().ButtonBounds.right, Overflow()->SignBounds.left);
      EXPECT_EQ(Overflow()->Buttons[0].ButtonBounds.right, Overflow()->Buttons[1].ButtonBounds.left);
    }
    // The layout fills the pane to its bottom border.
    EXPECT_EQ(Overflow()->PanelBounds.bottom, Bar->GetClientHeight());
  }
}

TEST_F(PaneFixture, ShrinkingMovesButtonsOneAtATimeAndKeepsThePanelFull) {
  Paint();
  ASSERT_EQ(CaptionButtons().size(), 5u);
  int ButtonHeight = Height(Pane()->Groups(1)->Rect);
  size_t Last = 5;
  int Moves = 0;
  for (int H = 400; H >= 140; H -= 3) {
    Bar->SetHeight(H);
    Paint();
    size_t Now = CaptionButtons().size();
    ASSERT_LE(Now, Last) << H;
    ASSERT_GE(Now + 1, Last) << "more than one button at a time at height " << H;
    if (Now < Last) ++Moves;
    Last = Now;
    // The item panel never goes below its minimum, and the button that went
    // gives what it does not need back to the panel.
    EXPECT_GE(Height(Pane()->GetItemPanel()->PanelBounds), Pane()->GetActiveGroupMinHeight()) << H;
    EXPECT_EQ(Overflow()->PanelBounds.bottom, Bar->GetClientHeight()) << H;
    EXPECT_EQ(OverflowGroups().size() + Now, 5u);
  }
  EXPECT_GE(Moves, 2);
  EXPECT_EQ(ButtonHeight, 24);
}

TEST_F(PaneFixture, CollapsedWidthFollowsTheLargestGroupImage) {
  TImageList* Large = TImageList::Create(Form);
  Large->SetWidth(32);
  Large->SetHeight(32);
  PaneOptions()->SetCollapsible(true);
  struct Row {
    bool LargeImages;
    int Width;
  } Rows[] = {{false, 26}, {true, 42}};
  for (const Row& R : Rows) {
    Bar->SetLargeImages(R.LargeImages ? Large : nullptr);
    for (TdxNavBarGroup* Gr : G) Gr->SetUseSmallImages(!R.LargeImages);
    PaneOptions()->SetCollapsed(false);
    Bar->SetWidth(180);
    Paint();
    EXPECT_EQ(VI()->CollapsedWidth(), R.Width);
    EXPECT_EQ(VI()->MinExpandedWidth(), 2 * R.Width);
    PaneOptions()->SetCollapsed(true);
    Paint();
    EXPECT_EQ(Bar->GetWidth(), R.Width);
  }
}

TEST_F(PaneFixture, WidthAndHeaderSignCollapseAndExpand) {
  PaneOptions()->SetCollapsible(true);
  Paint();
  Bar->OnNavigationPaneCollapsed = Bind(this, &PaneFixture::Collapsed);
  Bar->OnNavigationPaneExpanded = Bind(this, &PaneFixture::Expanded);
  // Narrower than twice the strip collapses; the strip keeps its width.
  Bar->SetWidth(51);
  Paint();
  EXPECT_TRUE(PaneOptions()->GetCollapsed());
  EXPECT_EQ(Bar->GetWidth(), 26);
  Bar->SetWidth(40);
  EXPECT_EQ(Bar->GetWidth(), 26);
  // Wide enough expands to the new width.
  Bar->SetWidth(120);
  Paint();
  EXPECT_FALSE(PaneOptions()->GetCollapsed());
  EXPECT_EQ(Bar->GetWidth(), 120);
  // The header sign switches, and expanding restores the width.
  ClickAt(Center(Pane()->HeaderSignBounds));
  Paint();
  EXPECT_TRUE(PaneOptions()->GetCollapsed());
  EXPECT_EQ(Bar->GetWidth(), 26);
  ClickAt(Center(Pane()->HeaderSignBounds));
  Paint();
  EXPECT_EQ(Bar->GetWidth(), 120);
  EXPECT_EQ(Log, (std::vector<std::string>{"collapsed", "expanded", "collapsed", "expanded"}));
  // A pane that may not collapse refuses.
  PaneOptions()->SetCollapsible(false);
  Bar->SetWidth(30);
  Paint();
  EXPECT_FALSE(PaneOptions()->GetCollapsed());
}

TEST_F(PaneFixture, SplitterDragShowsOneButtonMoreOrFewerPerButtonHeight) {
  Paint();
  ASSERT_EQ(CaptionButtons().size(), 5u);
  int Step = Height(Pane()->Groups(Pane()->PanelGroupCount())->Rect);
  POINT P = Center(Pane()->SplitterBounds);
  Move(P);
  PostMouse(Wnd(), WM_LBUTTONDOWN, P.x, P.y, MK_LBUTTON);
  Pump();
  Move(POINT{P.x, P.y + Step + 1}, MK_LBUTTON);
  Paint();
  EXPECT_EQ(Bar->GetNavigationPaneMaxVisibleGroups(), 4);
  EXPECT_EQ(CaptionButtons().size(), 4u);
  // The splitter moved down with the drag: another step removes another one.
  int Y = Pane()->SplitterBounds.top + Height(Pane()->SplitterBounds) / 2;
  Move(POINT{P.x, Y + Step + 1}, MK_LBUTTON);
  Paint();
  EXPECT_EQ(CaptionButtons().size(), 3u);
  Y = Pane()->SplitterBounds.top + Height(Pane()->SplitterBounds) / 2;
  Move(POINT{P.x, Y - Step - 1}, MK_LBUTTON);
  Paint();
  EXPECT_EQ(CaptionButtons().size(), 4u);
  PostMouse(Wnd(), WM_LBUTTONUP, P.x, Y);
  Pump();
  // Without caption buttons the step is 20 pixels.
  Bar->SetNavigationPaneMaxVisibleGroups(0);
  Paint();
  EXPECT_TRUE(Pane()->IsFarEnoughUp(Center(Pane()->SplitterBounds).y - 21));
  EXPECT_FALSE(Pane()->IsFarEnoughUp(Center(Pane()->SplitterBounds).y - 20));
}

TEST_F(PaneFixture, PopupBesideTheStripWritesLinkOrderBack) {
  PaneOptions()->SetCollapsible(true);
  Bar->SetActiveGroup(G[0]);
  PaneOptions()->SetCollapsed(true);
  Paint();
  ASSERT_EQ(Bar->GetWidth(), 26);
  RECT Strip = Pane()->GetItemPanel()->CollapseBarBounds;
  ASSERT_FALSE(IsRectEmpty(&Strip));
  bool Seen = false;
  TTimerCall::After(100, [&] {
    TdxNavBarPopupControl* P = Controller()->GetPopup();
    ASSERT_TRUE(P && P->IsListed());
    Seen = true;
    EXPECT_EQ(Controller()->GetOpenPart(), (TdxNavBarPartRef{npCollapseBar, -1}));
    RECT W;
    GetWindowRect(P->GetHandle(), &W);
    POINT Corner = Bar->ClientToScreen(POINT{Bar->GetWidth() - 1, Height(Pane()->HeaderBounds) - 1});
    EXPECT_EQ(W.left, Corner.x);
    EXPECT_EQ(W.top, Corner.y);
    TdxNavBarGroup* Inner = P->GetInnerBar()->GetGroups()->Items(0);
    ASSERT_EQ(Captions(Inner), (std::vector<std::string>{"Open", "Save", "Close"}));
    Inner->Links(2)->SetIndex(0);
    P->CloseUp();
  });
  ClickAt(Center(Strip));
  EXPECT_TRUE(Seen);
  EXPECT_EQ(Controller()->GetOpenPart(), dxNavBarPartNone);
  EXPECT_EQ(Captions(G[0]), (std::vector<std::string>{"Close", "Open", "Save"}));
}

TEST_F(PaneFixture, ConfigurationMenuListsCommandsGroupsAndHiddenButtons) {
  Bar->SetNavigationPaneMaxVisibleGroups(2);
  Bar->SetWidth(60);  // room for one overflow icon only
  Paint();
  ASSERT_EQ(Overflow()->ItemCount(), 3);
  ASSERT_EQ(Overflow()->ShownButtonCount, 1);
  Pane()->UpdateOverflowMenu();
  TMenuItem* Root = Pane()->GetConfigurationMenu()->GetItems();
  ASSERT_EQ(Root->GetCount(), 6);
  EXPECT_EQ(Root->GetItem(0)->GetCaption(), "Show &More Buttons");
  EXPECT_TRUE(Root->GetItem(0)->GetEnabled());
  EXPECT_EQ(Root->GetItem(1)->GetCaption(), "Show &Fewer Buttons");
  EXPECT_EQ(Root->GetItem(2)->GetCaption(), "&Add or Remove Buttons");
  ASSERT_EQ(Root->GetItem(2)->GetCount(), 5);
  EXPECT_EQ(Root->GetItem(2)->GetItem(3)->GetTag(), 3);
  EXPECT_TRUE(Root->GetItem(2)->GetItem(3)->GetChecked());
  EXPECT_TRUE(Root->GetItem(3)->IsLine());
  // The two groups beyond the shown icon, carrying their group.
  EXPECT_EQ(Root->GetItem(4)->GetCaption(), "Mail");
  EXPECT_EQ(Root->GetItem(4)->GetTag(), reinterpret_cast<std::intptr_t>(G[3]));
  EXPECT_EQ(Root->GetItem(5)->GetTag(), reinterpret_cast<std::intptr_t>(G[4]));
  for (int K = 0; K < Root->GetCount(); ++K) EXPECT_TRUE(Root->GetItem(K)->IsOwnerDrawn());
  // Clicking them acts on the bar.
  Root->GetItem(2)->GetItem(1)->Click();
  EXPECT_FALSE(G[1]->GetVisible());
  Root->GetItem(5)->Click();
  EXPECT_EQ(Bar->GetActiveGroup(), G[4]);
  Root->GetItem(0)->Click();
  EXPECT_EQ(Bar->GetNavigationPaneMaxVisibleGroups(), 3);
  // Without customizing the sub-menu goes; the hidden groups stay.
  PaneOptions()->SetAllowCustomizing(false);
  Paint();
  Pane()->UpdateOverflowMenu();
  EXPECT_EQ(Root->GetItem(2)->GetCaption(), "-");
}

TEST_F(PaneFixture, PartHintsAndTheirSwitch) {
  PaneOptions()->SetCollapsible(true);
  Bar->SetNavigationPaneMaxVisibleGroups(3);
  Paint();
  auto HintAt = [&](POINT P) {
    THintInfo H{};
    H.CursorPos = P;
    bool Show = false;
    Controller()->PrepareHintShow(H, Show);
    return Show ? H.HintStr : std::string("<none>");
  };
  EXPECT_EQ(HintAt(Center(Overflow()->SignBounds)), "Configure buttons");
  EXPECT_EQ(HintAt(Center(Overflow()->Buttons[1].ButtonBounds)), "Notes");
  EXPECT_EQ(HintAt(Center(Pane()->HeaderSignBounds)), "Minimize Navigation Pane");
  PaneOptions()->SetShowOverflowPanelHints(false);
  EXPECT_EQ(HintAt(Center(Overflow()->SignBounds)), "<none>");
  PaneOptions()->SetShowOverflowPanelHints(true);
  PaneOptions()->SetCollapsed(true);
  Paint();
  EXPECT_EQ(HintAt(Center(Pane()->HeaderSignBounds)), "Expand Navigation Pane");
  EXPECT_EQ(HintAt(Center(Pane()->GetItemPanel()->CollapseBarBounds)), "Click to expand Navigation Pane");
}

TEST_F(PaneFixture, AccessiblePartsFollowThePane) {
  Bar->SetNavigationPaneMaxVisibleGroups(3);
  Bar->SetWidth(60);
  Paint();
  auto* Root = Bar->GetAccessibilityHelper();
  // The pane's four helpers come first, then the five groups.
  ASSERT_EQ(Root->ChildCount(), 4 + 5);
  auto* OverflowH = dynamic_cast<TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper*>(Root->ChildHelper(3));
  ASSERT_NE(OverflowH, nullptr);
  ASSERT_EQ(Overflow()->ShownButtonCount, 1);
  ASSERT_EQ(OverflowH->ChildCount(), 3);  // two buttons and the chevron
  EXPECT_EQ(OverflowH->ChildHelper(0)->StateOf(0), 0);
  EXPECT_EQ(OverflowH->ChildHelper(1)->StateOf(0), STATE_SYSTEM_INVISIBLE);
  auto* ItemPanel = Pane()->GetItemPanel()->GetAccessibilityHelper();
  EXPECT_EQ(ItemPanel->StateOf(0), STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(Pane()->GetHeaderSignAccessibilityHelper()->StateOf(0), STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE);
  // Collapsed: the active group's links in order, then the collapse bar.
  PaneOptions()->SetCollapsible(true);
  Bar->SetHeight(500);
  PaneOptions()->SetCollapsed(true);
  Paint();
  EXPECT_EQ(ItemPanel->StateOf(0), 0);
  ASSERT_EQ(ItemPanel->ChildCount(), G[0]->LinkCount() + 1);
  for (int K = 0; K < G[0]->LinkCount(); ++K)
    EXPECT_EQ(Pane()->GetItemPanel()->Entries[static_cast<size_t>(K)].Link, G[0]->Links(K));
  // Enter on an entry clicks its link.
  I[1]->OnClick = Bind(this, &PaneFixture::ItemClick);
  auto* Entry = dynamic_cast<TdxNavBarCustomAccessibilityHelper*>(ItemPanel->ChildHelper(1));
  WORD Enter = VK_RETURN;
  Entry->KeyDown(Enter);
  Entry->KeyUp(Enter);
  EXPECT_EQ(Log, (std::vector<std::string>{"Save"}));
}
