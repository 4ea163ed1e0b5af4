// The navigation pane (view 13) under real messages: the overflow row, caption
// buttons moving there as the pane shrinks, the splitter, collapsing by width and
// by the header sign, the popup of a collapsed pane, the configuration menu,
// hints and the pane's accessible parts.
#include "tests/suite_navbar/NavBarFixture.h"

#include "framework/Edit.h"
#include "framework/HintWindow.h"
#include "suite/navbar/NavBarNavPaneAccessibility.h"
#include "suite/navbar/NavBarNavPaneController.h"
#include "suite/navbar/NavBarNavPaneViewInfo.h"
#include "suite/navbar/NavBarOffice11Views.h"

namespace {
int Height(const RECT& R) { return R.bottom - R.top; }

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
  // Collapses the pane on G[0], opens its popup by a click on the strip and runs
  // Body inside the popup's loop (Body closes it); answers whether Body ran.
  bool WithPopup(const std::function<void(TdxNavBarPopupControl*)>& Body) {
    PaneOptions()->SetCollapsible(true);
    Bar->SetActiveGroup(G[0]);
    PaneOptions()->SetCollapsed(true);
    Paint();
    bool Seen = false;
    TTimerCall::After(100, [&] {
      TdxNavBarPopupControl* P = Controller()->GetPopup();
      if (!P || !P->IsListed()) return;
      Seen = true;
      Body(P);
    });
    ClickAt(Center(Pane()->GetItemPanel()->CollapseBarBounds));
    return Seen;
  }
  std::vector<std::string> Captions(TdxNavBarGroup* Group) {
    std::vector<std::string> R;
    for (int K = 0; K < Group->LinkCount(); ++K) R.push_back(Group->Links(K)->GetItem()->GetCaption());
    return R;
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
  ASSERT_TRUE(WithPopup([&](TdxNavBarPopupControl* P) {
    EXPECT_EQ(Bar->GetWidth(), 26);
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
  }));
  EXPECT_EQ(Controller()->GetOpenPart(), dxNavBarPartNone);
  EXPECT_EQ(Captions(G[0]), (std::vector<std::string>{"Close", "Open", "Save"}));
}

TEST_F(PaneFixture, PopupSizesByItsGripAndEdgeAndEscCancels) {
  PaneOptions()->SetAdjustWidthByPopup(true);
  int Original = 0;
  ASSERT_TRUE(WithPopup([&](TdxNavBarPopupControl* P) {
    Original = Bar->GetOriginalWidth();
    TdxNavBarPopupInnerControl* Inner = P->GetInnerBar();
    RECT Before;
    GetWindowRect(P->GetHandle(), &Before);
    EXPECT_EQ(Before.right - Before.left, Original + 4);
    // The grip of the inner bar: a press there starts a drag shown by a frame.
    auto* InnerPane = static_cast<TdxNavBarNavigationPaneViewInfo*>(Inner->GetViewInfo());
    POINT Grip = Center(InnerPane->SizeGripBounds);
    ASSERT_FALSE(IsRectEmpty(&InnerPane->SizeGripBounds));
    PostMouse(Inner->GetHandle(), WM_MOUSEMOVE, Grip.x, Grip.y);
    Pump();
    EXPECT_TRUE(static_cast<TdxNavBarPopupInnerControlController*>(Inner->GetController())->GetGripHot());
    PostMouse(Inner->GetHandle(), WM_LBUTTONDOWN, Grip.x, Grip.y, MK_LBUTTON);
    Pump();
    ASSERT_TRUE(P->GetSizing());
    ASSERT_TRUE(P->GetSizeFrame());
    RECT F;
    GetWindowRect(P->GetSizeFrame()->GetHandle(), &F);
    EXPECT_TRUE(EqualRect(&F, &Before));
    // The drag is the popup's now: its moves place the frame, never below the minimum.
    POINT InPopup = P->ScreenToClient(Inner->ClientToScreen(Grip));
    PostMouse(P->GetHandle(), WM_MOUSEMOVE, InPopup.x + 40, InPopup.y, MK_LBUTTON);
    Pump();
    GetWindowRect(P->GetSizeFrame()->GetHandle(), &F);
    EXPECT_EQ(F.right - F.left, Before.right - Before.left + 40);
    PostMouse(P->GetHandle(), WM_MOUSEMOVE, 5, InPopup.y, MK_LBUTTON);
    Pump();
    GetWindowRect(P->GetSizeFrame()->GetHandle(), &F);
    EXPECT_EQ(F.right - F.left, Before.right - Before.left + 40);
    PostMouse(P->GetHandle(), WM_LBUTTONUP, InPopup.x + 40, InPopup.y);
    Pump();
    EXPECT_FALSE(P->GetSizing());
    EXPECT_EQ(P->GetSizeFrame(), nullptr);
    EXPECT_EQ(P->GetWidth(), Before.right - Before.left + 40);
    EXPECT_EQ(Inner->GetWidth(), Original + 40);
    // The right margin is the sizing edge; Esc gives the drag up and keeps the popup.
    int Edge = P->GetWidth() - 1;
    PostMouse(P->GetHandle(), WM_MOUSEMOVE, Edge, 20);
    Pump();
    EXPECT_TRUE(P->GetSizingEdgeHot());
    PostMouse(P->GetHandle(), WM_LBUTTONDOWN, Edge, 20, MK_LBUTTON);
    PostMouse(P->GetHandle(), WM_MOUSEMOVE, Edge + 30, 20, MK_LBUTTON);
    Pump();
    ASSERT_TRUE(P->GetSizing());
    SendMessageW(P->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(P->GetSizing());
    EXPECT_TRUE(P->IsListed());
    EXPECT_EQ(P->GetWidth(), Before.right - Before.left + 40);
    SendMessageW(P->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(P->IsListed());
  }));
  // The pane will expand to the width the popup was given.
  EXPECT_EQ(Bar->GetOriginalWidth(), Original + 40);
  PaneOptions()->SetCollapsed(false);
  Paint();
  EXPECT_EQ(Bar->GetWidth(), Original + 40);
}

TEST_F(PaneFixture, GroupControlMovesIntoThePopupAndBack) {
  G[0]->SetUseControl(true);
  TdxNavBarGroupControl* Holder = G[0]->GetControl();
  ASSERT_NE(Holder, nullptr);
  Holder->SetOriginalHeight(60);
  TEdit* Field = Add<TEdit>(RECT{4, 4, 100, 24}, Holder);
  ASSERT_TRUE(WithPopup([&](TdxNavBarPopupControl* P) {
    TdxNavBarPopupInnerControl* Inner = P->GetInnerBar();
    TdxNavBarGroup* InnerGroup = Inner->GetGroups()->Items(0);
    // The control is the popup's group's now, shown inside the inner bar, and takes the focus.
    EXPECT_EQ(Holder->GetParent(), Inner);
    EXPECT_EQ(Holder->GetGroup(), InnerGroup);
    EXPECT_EQ(InnerGroup->GetControl(), Holder);
    EXPECT_EQ(G[0]->GetControl(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Holder->GetHandle()));
    EXPECT_GT(Holder->GetWidth(), 0);
    EXPECT_FALSE(Inner->GetTabStop());
    EXPECT_EQ(P->GetActiveControl(), Field);
    // A group with a control takes the popup's full height.
    EXPECT_EQ(P->GetHeight(), P->GetPopupViewInfo()->GetMaxHeight());
    P->CloseUp();
  }));
  TdxNavBarGroup* InnerGroup = Controller()->GetPopup()->GetInnerBar()->GetGroups()->Items(0);
  EXPECT_EQ(Holder->GetParent(), Bar);
  EXPECT_EQ(Holder->GetGroup(), G[0]);
  EXPECT_EQ(G[0]->GetControl(), Holder);
  EXPECT_TRUE(G[0]->GetUseControl());
  EXPECT_FALSE(InnerGroup->GetUseControl());
  EXPECT_EQ(InnerGroup->GetControl(), nullptr);
  EXPECT_EQ(Field->GetParent(), Holder);
  EXPECT_TRUE(Field->HandleAllocated());
  // Expanded again, the pane shows it in its item panel.
  PaneOptions()->SetCollapsed(false);
  Paint();
  EXPECT_TRUE(IsWindowVisible(Holder->GetHandle()));
  RECT Shown = Holder->GetBoundsRect();
  RECT Panel = Pane()->GetItemPanel()->PanelBounds;
  RECT Both;
  EXPECT_TRUE(IntersectRect(&Both, &Shown, &Panel));
}

TEST_F(PaneFixture, ExplorerBarInAGroupControlCarriesThePopupGrip) {
  G[0]->SetUseControl(true);
  TdxNavBarGroupControl* Holder = G[0]->GetControl();
  Holder->SetOriginalHeight(120);
  TdxNavBar* Nested = Add<TdxNavBar>(RECT{0, 0, 100, 120}, Holder);
  Nested->SetAlign(alClient);
  Nested->SetView(16);
  // On an ordinary form the bar has no grip.
  RECT Grip;
  EXPECT_EQ(Office11PopupGrip(Nested, Grip), nullptr);
  ASSERT_TRUE(WithPopup([&](TdxNavBarPopupControl* P) {
    ASSERT_EQ(Office11PopupGrip(Nested, Grip), P);
    // The grip is the inner bar's, in the nested bar's coordinates, drawn by the nested bar.
    auto* InnerPane = static_cast<TdxNavBarNavigationPaneViewInfo*>(P->GetInnerBar()->GetViewInfo());
    POINT Screen = P->GetInnerBar()->ClientToScreen(POINT{InnerPane->SizeGripBounds.right, InnerPane->SizeGripBounds.bottom});
    EXPECT_EQ(Nested->ClientToScreen(POINT{Grip.right, Grip.bottom}).x, Screen.x);
    EXPECT_EQ(Nested->ClientToScreen(POINT{Grip.right, Grip.bottom}).y, Screen.y);
    InvalidateRect(Nested->GetHandle(), nullptr, FALSE);
    UpdateWindow(Nested->GetHandle());
    HDC DC = Nested->GetOffscreenBitmap()->GetCanvas()->GetHandle();
    // The first of the three lines starts 4 pixels left of the corner, one in from the border.
    EXPECT_EQ(GetPixel(DC, Grip.right - 1 - 4, Grip.bottom - 2), RGB(0, 0, 0));
    // Over it the mouse sizes the popup.
    POINT C = Center(Grip);
    PostMouse(Nested->GetHandle(), WM_MOUSEMOVE, C.x, C.y);
    Pump();
    EXPECT_TRUE(static_cast<TdxNavBarOffice11ExplorerBarController*>(Nested->GetController())->GetGripHot());
    PostMouse(Nested->GetHandle(), WM_LBUTTONDOWN, C.x, C.y, MK_LBUTTON);
    Pump();
    EXPECT_TRUE(P->GetSizing());
    SendMessageW(P->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(P->GetSizing());
    P->CloseUp();
  }));
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

TEST_F(PaneFixture, EnterOnTheChevronOpensTheConfigurationMenu) {
  Bar->SetNavigationPaneMaxVisibleGroups(3);
  Paint();
  auto* OverflowH = dynamic_cast<TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper*>(
      Bar->GetAccessibilityHelper()->ChildHelper(3));
  ASSERT_NE(OverflowH, nullptr);
  auto* Chevron = dynamic_cast<TdxNavBarCustomAccessibilityHelper*>(OverflowH->ChildHelper(OverflowH->ChildCount() - 1));
  ASSERT_NE(Chevron, nullptr);
  bool Seen = false;
  TTimerCall::After(100, [&] {
    Seen = true;
    EXPECT_EQ(Controller()->GetOpenPart(), (TdxNavBarPartRef{npChevron, -1}));
    EXPECT_EQ(Pane()->GetConfigurationMenu()->GetItems()->GetItem(0)->GetCaption(), "Show &More Buttons");
    EndMenu();
  });
  WORD Enter = VK_RETURN;
  Chevron->KeyDown(Enter);
  Chevron->KeyUp(Enter);
  EXPECT_TRUE(Seen);
  EXPECT_EQ(Controller()->GetOpenPart(), dxNavBarPartNone);
}
