// The bar under real mouse messages: hot tracking, clicks, scroll buttons, the
// wheel, hints, dragging links and groups, and the control splitter.
#include "tests/suite_navbar/NavBarFixture.h"

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/ListControls.h"
#include "framework/Screen.h"
#include "framework/StringLists.h"
#include "suite/navbar/NavBarController.h"
#include "suite/navbar/NavBarExplorerViews.h"
#include "suite/navbar/NavBarScrollBar.h"

namespace {
struct InteractionFixture : NavBarFixture {
  std::vector<std::string> Log;
  void LinkHotTrack(TObject*, TdxNavBarItemLink* L) { Log.push_back(L ? "link " + L->GetItem()->GetCaption() : "no link"); }
  void GroupHotTrack(TObject*, TdxNavBarGroup* Gr) { Log.push_back(Gr ? "group " + Gr->GetCaption() : "no group"); }
  void GroupClick(TObject*, TdxNavBarGroup* Gr) { Log.push_back(Gr->GetCaption()); }
  void BarLinkClick(TObject*, TdxNavBarItemLink*) { Log.push_back("bar"); }
  void ItemClick(TObject*) { Log.push_back("item"); }
  void ActionExecute(TObject*) { Log.push_back("action"); }
  void Use(int View, int Height = 300) {
    Bar->SetView(View);
    Bar->SetBounds(0, 0, 180, Height);
    Paint();
  }
  POINT Screen(POINT P) { return Bar->ClientToScreen(P); }
  void Move(POINT P, WPARAM Keys = 0) {
    POINT S = Screen(P);
    SetCursorPos(S.x, S.y);
    PostMouse(Wnd(), WM_MOUSEMOVE, P.x, P.y, Keys);
    Pump();
  }
  void Down(POINT P) {
    Move(P);
    PostMouse(Wnd(), WM_LBUTTONDOWN, P.x, P.y, MK_LBUTTON);
    Pump();
  }
  void Up(POINT P) {
    PostMouse(Wnd(), WM_LBUTTONUP, P.x, P.y);
    Pump();
  }
  void ClickAt(POINT P) {
    Down(P);
    Up(P);
  }
  // The framework's drag follows the cursor and holds the capture.
  void DragTo(POINT P) {
    POINT S = Screen(P);
    SetCursorPos(S.x, S.y);
    PostMessageW(GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    Pump();
  }
  void Drop() {
    PostMessageW(GetCapture(), WM_LBUTTONUP, 0, 0);
    Pump();
  }
  void StartDrag(POINT From) {
    Down(From);
    Move(POINT{From.x, From.y + 6}, MK_LBUTTON);
    ASSERT_TRUE(Bar->IsDragging());
  }
  POINT LinkAt(int Group, int Link) { return Center(LVI(Group, Link)->ImageRect); }
  std::vector<std::string> Captions(TdxNavBarGroup* Group) {
    std::vector<std::string> R;
    for (int K = 0; K < Group->LinkCount(); ++K) R.push_back(Group->Links(K)->GetItem()->GetCaption());
    return R;
  }
};
}  // namespace

TEST_F(InteractionFixture, HotTrackingFollowsTheMouse) {
  Use(0);
  Bar->OnLinkHotTrack = Bind(this, &InteractionFixture::LinkHotTrack);
  Bar->OnGroupHotTrack = Bind(this, &InteractionFixture::GroupHotTrack);
  Move(LinkAt(0, 1));
  EXPECT_EQ(Bar->GetHotTrackedLink(), G[0]->Links(1));
  EXPECT_TRUE(LVI(0, 1)->GetState() & nsHotTracked);
  Move(Center(GVI(2)->CaptionRect));
  EXPECT_EQ(Bar->GetHotTrackedLink(), nullptr);
  EXPECT_EQ(Bar->GetHotTrackedGroup(), G[2]);
  EXPECT_EQ(Log, (std::vector<std::string>{"link Save", "no link", "group Help"}));
}

TEST_F(InteractionFixture, ClickRunsTheItemsHandlerElseItsActionElseTheBars) {
  Use(0);
  TAction* A = TAction::Create(Form);
  A->OnExecute = Bind(this, &InteractionFixture::ActionExecute);
  Bar->OnLinkClick = Bind(this, &InteractionFixture::BarLinkClick);
  struct Case {
    bool ItemHandler, Action;
    const char* Runs;
  } Cases[] = {{true, true, "item"}, {false, true, "action"}, {false, false, "bar"}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Runs);
    Log.clear();
    I[0]->OnClick = C.ItemHandler ? Bind(this, &InteractionFixture::ItemClick) : TNotifyEvent();
    I[0]->SetAction(C.Action ? A : nullptr);
    Paint();
    ClickAt(LinkAt(0, 0));
    EXPECT_EQ(Log, std::vector<std::string>{C.Runs});
  }
  // Pressing, moving off and releasing elsewhere clicks nothing.
  Bar->SetDragDropFlags(TdxNavBarDragDropFlags{});
  Log.clear();
  Down(LinkAt(0, 0));
  Move(LinkAt(0, 2), MK_LBUTTON);
  Up(LinkAt(0, 2));
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Bar->GetPressedLink(), nullptr);
  // A disabled link does not react.
  I[2]->SetEnabled(false);
  Paint();
  ClickAt(LinkAt(0, 2));
  EXPECT_TRUE(Log.empty());
}

TEST_F(InteractionFixture, ClickingACaptionActivatesItsGroup) {
  Use(0);
  Bar->OnGroupClick = Bind(this, &InteractionFixture::GroupClick);
  ClickAt(Center(GVI(1)->CaptionRect));
  EXPECT_EQ(Bar->GetActiveGroup(), G[1]);
  EXPECT_EQ(Log, std::vector<std::string>{"Edit"});
}

TEST_F(InteractionFixture, AHeldScrollButtonRepeatsUntilReleased) {
  Use(0, 100);
  ASSERT_TRUE(VI()->IsBottomScrollButtonVisible());
  POINT B = Center(VI()->BottomScrollButtonRect);
  Down(B);
  EXPECT_EQ(G[0]->GetTopVisibleLinkIndex(), 1);
  EXPECT_TRUE(Bar->GetScrollTimer()->GetEnabled());
  // The button stays under the mouse while the links scroll.
  EXPECT_TRUE(PumpUntil([&] { return G[0]->GetTopVisibleLinkIndex() == 2; }, 2000));
  Up(B);
  EXPECT_FALSE(Bar->GetScrollTimer()->GetEnabled());
  EXPECT_FALSE(Bar->GetBottomHeld());
  // The top button scrolls back.
  Paint();
  ClickAt(Center(VI()->TopScrollButtonRect));
  EXPECT_EQ(G[0]->GetTopVisibleLinkIndex(), 1);
}

TEST_F(InteractionFixture, TheWheelScrollsByALineOrWithCtrlByAPage) {
  Use(10, 200);
  TdxNavBarScrollBar* S = Bar->GetScrollBar();
  ASSERT_TRUE(S->GetVisible());
  POINT P = Screen(POINT{60, 60});
  SetCursorPos(P.x, P.y);
  auto Wheel = [&](int Delta, WPARAM Keys) {
    PostMessageW(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(Keys, static_cast<WORD>(Delta)), MAKELPARAM(P.x, P.y));
    Pump();
  };
  Wheel(-120, 0);
  EXPECT_EQ(S->Position(), 22);
  {
    THeldKeys Ctrl({VK_CONTROL});
    Wheel(-120, MK_CONTROL);
  }
  EXPECT_EQ(S->Position(), std::min(22 + S->Page(), S->Max() - S->Page()));
  for (int K = 0; K < 10; ++K) Wheel(120, 0);
  EXPECT_EQ(S->Position(), 0);
  // The groups move with the position.
  Wheel(-120, 0);
  Paint();
  EXPECT_EQ(GVI(0)->CaptionRect.top, 12 - 22);
}

TEST_F(InteractionFixture, TheWheelGoesFirstToAScrollingListInsideAGroup) {
  G[0]->SetUseControl(true);
  TdxNavBarGroupControl* Holder = G[0]->GetControl();
  ASSERT_NE(Holder, nullptr);
  Holder->SetOriginalHeight(60);
  TListBox* List = Add<TListBox>(RECT{0, 0, 100, 60}, Holder);
  List->SetAlign(alClient);
  for (int K = 0; K < 40; ++K) List->GetItems()->Add("line " + std::to_string(K));
  Use(10, 200);
  ASSERT_TRUE(Bar->GetScrollBar()->GetVisible());
  auto TopIndex = [&] { return static_cast<int>(SendMessageW(List->GetHandle(), LB_GETTOPINDEX, 0, 0)); };
  auto Wheel = [&](POINT Client) {
    POINT P = Screen(Client);
    SetCursorPos(P.x, P.y);
    PostMessageW(WindowFromPoint(P), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(P.x, P.y));
    Pump();
  };
  // Over the list: the list scrolls, the bar stays.
  RECT L;
  GetWindowRect(List->GetHandle(), &L);
  POINT OnList = Bar->ScreenToClient(POINT{(L.left + L.right) / 2, (L.top + L.bottom) / 2});
  Wheel(OnList);
  EXPECT_GT(TopIndex(), 0);
  EXPECT_EQ(Bar->GetScrollBar()->Position(), 0);
  // Over a caption: the bar scrolls.
  const int ListTop = TopIndex();
  Wheel(Center(GVI(1)->CaptionRect));
  EXPECT_GT(Bar->GetScrollBar()->Position(), 0);
  EXPECT_EQ(TopIndex(), ListTop);
}

TEST_F(InteractionFixture, ADragStartsOnlyMoreThanThreePixelsFromThePress) {
  Use(0);
  const POINT P = LinkAt(0, 0);
  Down(P);
  Move(POINT{P.x + 3, P.y - 3}, MK_LBUTTON);
  EXPECT_FALSE(Bar->IsDragging());
  Move(POINT{P.x, P.y + 4}, MK_LBUTTON);
  EXPECT_TRUE(Bar->IsDragging());
  PostMessageW(GetCapture(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_FALSE(Bar->IsDragging());
}

TEST_F(InteractionFixture, TheThreeCursorsAreInTheScreensTableAndAHotLinkShowsTheHand) {
  const struct {
    int Slot;
    POINT HotSpot;
  } Cursors[] = {{-1120, {0, 0}}, {-1119, {0, 0}}, {-1118, {6, 0}}};
  for (const auto& C : Cursors) {
    SCOPED_TRACE(C.Slot);
    HCURSOR H = ::Screen->GetCursors(C.Slot);
    ASSERT_NE(H, nullptr);
    EXPECT_NE(H, ::Screen->GetCursors(0));
    ICONINFO Info{};
    ASSERT_TRUE(GetIconInfo(H, &Info));
    EXPECT_FALSE(Info.fIcon);
    EXPECT_EQ(static_cast<int>(Info.xHotspot), C.HotSpot.x);
    EXPECT_EQ(static_cast<int>(Info.yHotspot), C.HotSpot.y);
    // Monochrome: a mask of AND and XOR halves and no colour bitmap.
    EXPECT_EQ(Info.hbmColor, nullptr);
    BITMAP Mask{};
    GetObjectW(Info.hbmMask, sizeof Mask, &Mask);
    EXPECT_EQ(Mask.bmWidth, 32);
    EXPECT_EQ(Mask.bmHeight, 64);
    DeleteObject(Info.hbmMask);
    if (Info.hbmColor) DeleteObject(Info.hbmColor);
  }
  EXPECT_NE(::Screen->GetCursors(-1120), ::Screen->GetCursors(-1119));
  Use(0);
  Move(LinkAt(0, 1));
  SendMessageW(Wnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Wnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), ::Screen->GetCursors(-1118));
}

TEST_F(InteractionFixture, HintsShowTheShortTextBesideTheLink) {
  Use(0);
  Bar->SetShowLinksHint(true);
  I[1]->SetHint("Save all|Saves every open sound");
  THintInfo Info;
  Info.HintControl = Bar;
  Info.CursorPos = LinkAt(0, 1);
  LRESULT Hidden = Bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info));
  EXPECT_EQ(Hidden, 0);
  EXPECT_EQ(Info.HintStr, "Save all");
  EXPECT_EQ(Info.HintWindowClass.Get(), TdxNavBarHintWindow::StaticClass());
  EXPECT_EQ(Info.CursorRect, LVI(0, 1)->Rect);
  // Measured with the hint font, grown by 6 and moved 20 to the right.
  EXPECT_EQ(VI()->HintRect, (RECT{20, 0, 20 + 6 * 8 + 6, 13 + 6}));
  // Groups show their hint only when asked to.
  G[1]->SetHint("Edit commands");
  Info = THintInfo{};
  Info.HintControl = Bar;
  Info.CursorPos = Center(GVI(1)->CaptionRect);
  EXPECT_EQ(Bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)), 1);
  Bar->SetShowGroupsHint(true);
  EXPECT_EQ(Bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)), 0);
  EXPECT_EQ(Info.HintStr, "Edit commands");
}

TEST_F(InteractionFixture, DraggingALinkDownItsGroupMovesIt) {
  Use(0);
  StartDrag(LinkAt(0, 0));
  EXPECT_EQ(GetCapture() != nullptr, true);
  DragTo(POINT{60, LVI(0, 2)->Rect.bottom - 3});
  EXPECT_EQ(Bar->GetDropIndex(), 3);
  Drop();
  EXPECT_FALSE(Bar->IsDragging());
  EXPECT_EQ(Captions(G[0]), (std::vector<std::string>{"Save", "Close", "Open"}));
}

TEST_F(InteractionFixture, DraggingALinkIntoAnotherGroupMovesOrWithCtrlCopiesIt) {
  Use(10, 400);
  Bar->SetAllowSelectLinks(true);
  G[0]->SetSelectedLinkIndex(0);
  StartDrag(LinkAt(0, 0));
  DragTo(POINT{60, LVI(1, 1)->Rect.bottom - 3});
  EXPECT_EQ(Bar->GetDropTargetGroup(), G[1]);
  Drop();
  EXPECT_EQ(Captions(G[0]), (std::vector<std::string>{"Save", "Close"}));
  EXPECT_EQ(Captions(G[1]), (std::vector<std::string>{"Cut", "Copy", "Open"}));
  EXPECT_EQ(G[0]->GetSelectedLinkIndex(), -1);
  // With Ctrl the dragged link stays and the target gets a second link.
  Paint();
  StartDrag(LinkAt(0, 0));
  DragTo(POINT{60, LVI(2, 0)->Rect.top + 3});
  {
    THeldKeys Ctrl({VK_CONTROL});
    EXPECT_NE(Bar->GetDragItem(), nullptr);
    Drop();
  }
  EXPECT_EQ(Captions(G[0]), (std::vector<std::string>{"Save", "Close"}));
  EXPECT_EQ(Captions(G[2]), (std::vector<std::string>{"Save", "About"}));
}

TEST_F(InteractionFixture, DroppingALinkBesideItselfIsRefused) {
  Use(0);
  StartDrag(LinkAt(0, 1));
  DragTo(POINT{60, LVI(0, 1)->Rect.bottom - 3});
  bool Accept = true;
  Bar->DragOver(nullptr, 60, LVI(0, 1)->Rect.bottom - 3, dsDragMove, Accept);
  EXPECT_FALSE(Accept);
  PostMessageW(GetCapture(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_FALSE(Bar->IsDragging());
  EXPECT_EQ(Captions(G[0]), (std::vector<std::string>{"Open", "Save", "Close"}));
}

TEST_F(InteractionFixture, DraggingAGroupCaptionReordersGroups) {
  Use(10, 400);
  StartDrag(Center(GVI(0)->CaptionRect));
  DragTo(Center(GVI(2)->CaptionRect));
  Drop();
  EXPECT_EQ(Bar->GetGroups()->Items(2), G[0]);
}

TEST_F(InteractionFixture, HoveringOverACollapsedCaptionExpandsIt) {
  Use(10, 400);
  G[1]->SetExpanded(false);
  Paint();
  StartDrag(LinkAt(0, 0));
  DragTo(Center(GVI(1)->CaptionRect));
  EXPECT_FALSE(G[1]->GetExpanded());
  EXPECT_TRUE(PumpUntil([&] { return G[1]->GetExpanded(); }, 2000));
  PostMessageW(GetCapture(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_FALSE(Bar->IsDragging());
}

TEST_F(InteractionFixture, RemovingTheDraggedLinkEndsItsPartInTheDrag) {
  Use(0);
  StartDrag(LinkAt(0, 0));
  Free(I[0]);
  EXPECT_EQ(Bar->GetDragLink(), nullptr);
  DragTo(POINT{60, 60});
  Drop();
  EXPECT_FALSE(Bar->IsDragging());
  EXPECT_EQ(Captions(G[0]), (std::vector<std::string>{"Save", "Close"}));
}

TEST_F(InteractionFixture, TheControlSplitterSizesTheGroupsControl) {
  G[0]->SetUseControl(true);
  G[0]->GetOptionsGroupControl()->SetAllowControlResizing(true);
  ASSERT_NE(G[0]->GetControl(), nullptr);
  G[0]->GetControl()->SetOriginalHeight(60);
  Use(10, 400);
  auto* GV = static_cast<TdxNavBarExplorerBarGroupViewInfo*>(GVI(0));
  RECT S = GV->ControlSplitterRect;
  ASSERT_EQ(S.bottom - S.top, 3);
  EXPECT_EQ(S.top, GV->Rect.bottom);
  POINT P = Center(S);
  Down(P);
  EXPECT_EQ(GetCapture(), Wnd());
  Move(POINT{P.x, P.y + 10}, MK_LBUTTON);
  Up(POINT{P.x, P.y + 10});
  EXPECT_EQ(G[0]->GetControl()->GetOriginalHeight(), 70);
  EXPECT_NE(GetCapture(), Wnd());
}

TEST_F(InteractionFixture, AcceleratorsWorkOnlyWhenTheBarCanTakeFocus) {
  Use(0);
  G[1]->SetCaption("&Edit");
  Paint();
  EXPECT_EQ(Bar->Perform(CM_DIALOGCHAR, 'e', 0), 0);
  EXPECT_EQ(Bar->GetActiveGroup(), G[0]);
  Bar->SetTabStop(true);
  EXPECT_EQ(Bar->Perform(CM_DIALOGCHAR, 'e', 0), 1);
  EXPECT_EQ(Bar->GetActiveGroup(), G[1]);
}
