// Menu windows: where they land on a work area, and a small menu bar driven with
// real keys and mouse input (SendInput) on shown bar windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Font.h"
#include "framework/Colors.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarSubMenuControl.h"
#include "suite/bars/Bars.h"
#include "suite/common/SuiteException.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

// ---- placement against a work area

TEST(MenuPlacement, FlipsClampsAndCutsOnTheWorkArea) {
  const RECT WA{0, 0, 800, 600};
  struct Case {
    const char* Name;
    POINT Pos;
    SIZE Size;
    int OwnerWidth, OwnerHeight;
    RECT Want;
    bool Left, Up;
  };
  const Case Cases[] = {
      {"fits", {100, 100}, {150, 200}, 0, 20, {100, 100, 250, 300}, false, false},
      // At a free point: leftwards when that fits, else against the edge.
      {"free point past the right edge", {700, 100}, {150, 200}, 0, 0, {550, 100, 700, 300}, true, false},
      {"free point, no room left either", {100, 100}, {750, 200}, 0, 0, {50, 100, 800, 300}, false, false},
      // Below a toolbar item: pushed against the right edge, never flipped.
      {"below an item at the right edge", {700, 30}, {150, 200}, 0, 20, {650, 30, 800, 230}, false, false},
      // Beside an item: the other side only when it has more room.
      {"beside an item, more room left", {700, 100}, {150, 200}, 120, 0, {430, 100, 580, 300}, true, false},
      {"beside an item, more room right", {200, 100}, {650, 200}, 120, 0, {150, 100, 800, 300}, false, false},
      {"left of the work area", {-50, 100}, {150, 200}, 0, 20, {0, 100, 150, 300}, false, false},
      // Too tall below an item: above when there is more room, else cut.
      {"below an item near the bottom", {100, 500}, {150, 300}, 0, 20, {100, 180, 250, 480}, false, true},
      {"below an item, cut", {100, 200}, {150, 500}, 0, 20, {100, 200, 250, 600}, false, false},
      {"above an item, cut at the top", {100, 500}, {150, 700}, 0, 20, {100, 0, 250, 480}, false, true},
      // Beside an item: pushed up; at a free point: upwards when that fits.
      {"beside an item near the bottom", {100, 500}, {150, 200}, 120, 0, {100, 400, 250, 600}, false, false},
      {"free point near the bottom", {100, 500}, {150, 200}, 0, 0, {100, 300, 250, 500}, false, true},
      {"free point, too tall for both", {100, 300}, {150, 700}, 0, 0, {100, 0, 250, 600}, false, false},
  };
  for (const Case& C : Cases) {
    TdxMenuPlacement P = PlaceMenu(WA, C.Pos, C.Size, C.OwnerWidth, C.OwnerHeight);
    EXPECT_TRUE(EqualRect(&P.Bounds, &C.Want)) << C.Name << ": " << P.Bounds.left << "," << P.Bounds.top << ","
                                                << P.Bounds.right << "," << P.Bounds.bottom;
    EXPECT_EQ(C.Left, P.FlipLeft) << C.Name;
    EXPECT_EQ(C.Up, P.FlipUp) << C.Name;
  }
}

TEST(MenuPlacement, RandomAnimationFollowsTheSource) {
  static int Next = 0;
  TdxMenuRandomSource Saved = SetMenuRandomSource([](int) { return Next; });
  const std::pair<int, TdxBarMenuAnimations> Cases[] = {{0, maUnfold}, {32, maUnfold}, {33, maSlide},
                                                         {65, maSlide},  {66, maFade},   {99, maFade}};
  for (auto [N, Want] : Cases) {
    Next = N;
    EXPECT_EQ(Want, ResolveMenuAnimation(maRandom)) << N;
  }
  EXPECT_EQ(maNone, ResolveMenuAnimation(maNone));
  SetMenuRandomSource(Saved);
}

// ---- real input

// A key's press and release, then what they do.
void TapAndPump(WORD Key) {
  Tap(Key);
  Pump();
}

struct BarMenuFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Bar = nullptr;
  TdxBarSubItem *File = nullptr, *Edit = nullptr, *Recent = nullptr;
  TdxBarButton *New = nullptr, *Open = nullptr, *One = nullptr, *Two = nullptr, *Undo = nullptr;
  std::vector<std::string> Clicked;

  void SetUp() override {
    BarFormFixture::SetUp();
    M = NewManager();
    M->SetStyle(bmsXP);
    M->SetMenuAnimations(maNone);
    Bar = M->GetBars()->Add();
    Bar->SetCaption("Menu");
    Bar->SetIsMainMenu(true);
    Bar->SetDockingStyle(dsTop);
    File = SubItem("File", "&File", Bar->GetItemLinks());
    Edit = SubItem("Edit", "&Edit", Bar->GetItemLinks());
    New = Button("New", "&New", File->GetItemLinks());
    Open = Button("Open", "&Open", File->GetItemLinks());
    Recent = SubItem("Recent", "&Recent", File->GetItemLinks());
    One = Button("One", "&One", Recent->GetItemLinks());
    Two = Button("Two", "&Two", Recent->GetItemLinks());
    Undo = Button("Undo", "&Undo", Edit->GetItemLinks());
    Button("Redo", "Re&do", Edit->GetItemLinks());
    Bar->SetVisible(true);
    SetForegroundWindow(Form->GetHandle());
    SetFocus(Form->GetHandle());
    MoveTo(POINT{700, 700});
    Pump();
  }
  void TearDown() override {
    if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
    Free(M);
    BarFormFixture::TearDown();
  }
  TdxBarSubItem* SubItem(const std::string& Name, const std::string& Caption, TdxBarItemLinks* Links) {
    TdxBarSubItem* S = TdxBarSubItem::Create(Form);
    S->SetName(Name);
    S->SetCaption(Caption);
    Links->AddItem(S);
    return S;
  }
  TdxBarButton* Button(const std::string& Name, const std::string& Caption, TdxBarItemLinks* Links) {
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetName(Name);
    B->SetCaption(Caption);
    B->OnClick = TNotifyEvent(this, &BarMenuFixture::ItemClicked);
    Links->AddItem(B);
    return B;
  }
  void ItemClicked(TObject* Sender) { Clicked.push_back(static_cast<TComponent*>(Sender)->GetName()); }

  // The open menu of a sub-item, null when closed.
  static TdxBarSubMenuControl* MenuOf(TCustomdxBarSubItem* S) {
    auto* W = dynamic_cast<TdxBarSubMenuControl*>(S->GetItemLinks()->GetBarControl());
    return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle()) ? W : nullptr;
  }
  static std::string SelectedIn(TCustomdxBarControl* W) {
    TdxBarItemLink* L = W ? W->GetSelectedLink() : nullptr;
    return L && L->GetItem() ? L->GetItem()->GetName() : std::string();
  }
  // The screen rectangle of an item's link in a window.
  static RECT ScreenRectOf(TCustomdxBarControl* W, TdxBarItem* Item) {
    TdxBarItemLinks* Links = W->GetItemLinks();
    for (int I = 0; I < Links->ShownLinkCount(); ++I)
      if (Links->GetShownLink(I)->GetItem() == Item) return W->ItemScreenRect(Links->GetShownLink(I)->GetControl());
    return RECT{0, 0, 0, 0};
  }
  void OpenFileByKeys() {
    SendKey(VK_MENU, true);
    SendKey('F', true);
    SendKey('F', false);
    SendKey(VK_MENU, false);
    ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000)) << "Alt+F opened no menu";
  }
};

TEST_F(BarMenuFixture, KeysWalkTheMenusAndTheMenuBar) {
  OpenFileByKeys();
  TdxBarSubMenuControl* FileMenu = MenuOf(File);
  EXPECT_EQ("New", SelectedIn(FileMenu)) << "a menu opened by key selects its first entry";
  EXPECT_EQ(FileMenu, TopActiveBarControl());
  TapAndPump(VK_DOWN);
  EXPECT_EQ("Open", SelectedIn(FileMenu));
  TapAndPump(VK_UP);
  EXPECT_EQ("New", SelectedIn(FileMenu));
  TapAndPump(VK_UP);
  EXPECT_EQ("Recent", SelectedIn(FileMenu)) << "Up on the first entry wraps to the last";

  // Right on a nested menu's entry opens it; Esc closes only that one.
  TapAndPump(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Recent) != nullptr; }, 2000));
  EXPECT_EQ("One", SelectedIn(MenuOf(Recent)));
  TapAndPump(VK_ESCAPE);
  EXPECT_FALSE(MenuOf(Recent));
  ASSERT_EQ(FileMenu, MenuOf(File)) << "Esc closed more than the inner menu";
  EXPECT_EQ("Recent", SelectedIn(FileMenu));
  // Left in a nested menu goes back to its parent.
  TapAndPump(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Recent) != nullptr; }, 2000));
  TapAndPump(VK_LEFT);
  EXPECT_FALSE(MenuOf(Recent));
  EXPECT_TRUE(MenuOf(File));

  // Right on a plain entry opens the next menu of the bar; Left goes back.
  TapAndPump(VK_HOME);
  TapAndPump(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Edit) != nullptr; }, 2000));
  EXPECT_FALSE(MenuOf(File));
  EXPECT_EQ("Undo", SelectedIn(MenuOf(Edit)));
  EXPECT_EQ("Edit", SelectedIn(Bar->GetBarControl()));
  TapAndPump(VK_LEFT);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000));
  EXPECT_FALSE(MenuOf(Edit));
  EXPECT_EQ("New", SelectedIn(MenuOf(File)));

  // Enter runs the selected entry once and closes the chain.
  TapAndPump(VK_DOWN);
  TapAndPump(VK_RETURN);
  EXPECT_EQ(std::vector<std::string>{"Open"}, Clicked);
  EXPECT_FALSE(MenuOf(File));
  EXPECT_FALSE(TopActiveBarControl());
}

TEST_F(BarMenuFixture, AnAcceleratorInsideAMenuRunsItsEntry) {
  OpenFileByKeys();
  TapAndPump('R');
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Recent) != nullptr; }, 2000)) << "R opens the nested menu";
  TapAndPump('T');
  EXPECT_EQ(std::vector<std::string>{"Two"}, Clicked);
  EXPECT_FALSE(MenuOf(File));
  EXPECT_FALSE(MenuOf(Recent));
}

TEST_F(BarMenuFixture, HoverOpensANestedMenuAfterADelayAndClicksRunEntries) {
  OpenFileByKeys();
  TdxBarSubMenuControl* FileMenu = MenuOf(File);
  RECT RecentRect = ScreenRectOf(FileMenu, Recent);
  RECT OpenRect = ScreenRectOf(FileMenu, Open);
  // Passing over the entry without resting opens nothing.
  MoveTo(CentreOf(RecentRect));
  MoveTo(CentreOf(OpenRect));
  Wait(700);
  EXPECT_FALSE(MenuOf(Recent)) << "the nested menu opened although the mouse left its entry";
  EXPECT_EQ("Open", SelectedIn(FileMenu));
  // Resting on it opens it after about 400 ms.
  DWORD Start = GetTickCount();
  MoveTo(CentreOf(RecentRect));
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Recent) != nullptr; }, 2000));
  DWORD Took = GetTickCount() - Start;
  EXPECT_GE(Took, 300u);
  EXPECT_LE(Took, 1500u);
  // A press on the open entry leaves it open (this style).
  ClickAt(CentreOf(RecentRect));
  Wait(500);
  EXPECT_TRUE(MenuOf(Recent));
  // The mouse moving into the nested menu keeps it; a click runs the entry and closes all.
  ClickAt(CentreOf(ScreenRectOf(MenuOf(Recent), Two)));
  EXPECT_EQ(std::vector<std::string>{"Two"}, Clicked);
  EXPECT_FALSE(MenuOf(Recent));
  EXPECT_FALSE(MenuOf(File));
}

// A list on the menu bar opens by its key in the window of its links: the same
// window each time, its entries in it once, and Enter chooses the selected one.
TEST_F(BarMenuFixture, AListOnTheMenuBarOpensByKeyInOneWindow) {
  TdxBarListItem* Takes = TdxBarListItem::Create(Form);
  Takes->SetName("Takes");
  Takes->SetCaption("&Takes");
  Takes->SetShowNumbers(false);
  Takes->GetItems()->Add("a.wav");
  Takes->GetItems()->Add("b.wav");
  Bar->GetItemLinks()->AddItem(Takes);
  Pump();
  SendKey(VK_MENU, true);
  SendKey('T', true);
  SendKey('T', false);
  SendKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Takes) != nullptr; }, 2000)) << "Alt+T opened no menu";
  TdxBarSubMenuControl* First = MenuOf(Takes);
  ASSERT_EQ(2, Takes->GetItemLinks()->GetCount());
  TapAndPump(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return MenuOf(Takes) == nullptr; }, 2000));
  EXPECT_EQ(0, Takes->GetItemLinks()->GetCount()) << "closed, the entries are taken out";

  // Still on the bar, Down opens the entry again.
  TapAndPump(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Takes) != nullptr; }, 2000)) << "Down did not open the menu again";
  EXPECT_EQ(First, MenuOf(Takes));
  ASSERT_EQ(2, Takes->GetItemLinks()->GetCount()) << "the entries once";
  EXPECT_EQ("a.wav", Takes->GetItemLinks()->GetLink(0)->GetItem()->GetCaption());
  EXPECT_EQ("b.wav", Takes->GetItemLinks()->GetLink(1)->GetItem()->GetCaption());
  TapAndPump(VK_DOWN);
  TapAndPump(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return MenuOf(Takes) == nullptr; }, 2000));
  EXPECT_EQ(1, Takes->GetItemIndex());
}

TEST_F(BarMenuFixture, AClickOutsideClosesTheChain) {
  OpenFileByKeys();
  TapAndPump(VK_UP);
  TapAndPump(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Recent) != nullptr; }, 2000));
  ClickAt(POINT{450, 350});
  EXPECT_FALSE(MenuOf(Recent));
  EXPECT_FALSE(MenuOf(File));
  EXPECT_FALSE(TopActiveBarControl());
  EXPECT_TRUE(Clicked.empty());
}

std::vector<std::pair<HWND, std::pair<DWORD, DWORD>>> Fades;
BOOL WINAPI RecordFade(HWND Wnd, DWORD Time, DWORD Flags) {
  Fades.push_back({Wnd, {Time, Flags}});
  ShowWindow(Wnd, SW_SHOWNA);
  return TRUE;
}

TEST_F(BarMenuFixture, FadeGoesThroughAnimateWindow) {
  Fades.clear();
  TdxAnimateWindowEntry Saved = SetMenuAnimateWindowEntry(&RecordFade);
  M->SetMenuAnimations(maFade);
  OpenFileByKeys();
  SetMenuAnimateWindowEntry(Saved);
  ASSERT_EQ(1u, Fades.size());
  EXPECT_EQ(MenuOf(File)->GetHandle(), Fades[0].first);
  EXPECT_EQ(150u, Fades[0].second.first);
  EXPECT_EQ(static_cast<DWORD>(AW_BLEND), Fades[0].second.second);
  // Without animation the menu shows at once, without the entry.
  ClickAt(POINT{450, 350});
  M->SetMenuAnimations(maNone);
  Fades.clear();
  SetMenuAnimateWindowEntry(&RecordFade);
  OpenFileByKeys();
  SetMenuAnimateWindowEntry(Saved);
  EXPECT_TRUE(Fades.empty());
}

TEST_F(BarMenuFixture, AMenuIsTopmostSizedToItsEntriesAndAnEmptyOneShowsOneRow) {
  OpenFileByKeys();
  TdxBarSubMenuControl* FileMenu = MenuOf(File);
  HWND Wnd = FileMenu->GetHandle();
  EXPECT_TRUE(GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_POPUP);
  // Three entries stacked: the last one ends inside the client, level with the first.
  RECT First = ScreenRectOf(FileMenu, New), Last = ScreenRectOf(FileMenu, Recent);
  RECT Client = QueryClientRect(Wnd);
  MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&Client), 2);
  EXPECT_EQ(First.left, Last.left);
  EXPECT_GT(Last.top, First.top);
  EXPECT_LE(Last.bottom, Client.bottom);
  EXPECT_GE(First.top, Client.top);
  // The menu opens below its entry on the bar.
  RECT Entry = ScreenRectOf(Bar->GetBarControl(), File);
  RECT Window = QueryWindowRect(Wnd);
  EXPECT_EQ(Entry.bottom, Window.top);
  EXPECT_EQ(Entry.left, Window.left);

  TdxBarPopupMenu* Empty = TdxBarPopupMenu::Create(Form);
  auto* W = dynamic_cast<TdxBarSubMenuControl*>(Empty->GetItemLinks()->CreateBarControl());
  ASSERT_TRUE(W);
  SIZE S = W->CalcSize();
  int Frame = M->GetPainter()->MenuBorderTotal();
  EXPECT_EQ(100 + 2 * Frame, S.cx);
  EXPECT_EQ(W->GetTextSize() + 2 * Frame, S.cy);
  EXPECT_GT(W->GetTextSize(), 8);
  Free(Empty);
}

// A list in a menu shows one line per entry in its place while the menu shows.
struct ListMenuFixture : BarMenuFixture {
  TdxBarListItem* Docs = nullptr;
  int DataRequests = 0;
  void SetUp() override {
    BarMenuFixture::SetUp();
    Docs = TdxBarListItem::Create(Form);
    Docs->SetName("Docs");
    Docs->SetShowCheck(true);
    for (const char* S : {"alpha", "-", "beta"}) Docs->GetItems()->Add(S);
    Docs->OnGetData = TNotifyEvent(this, &ListMenuFixture::GetData);
    Docs->OnClick = TNotifyEvent(this, &BarMenuFixture::ItemClicked);
    File->GetItemLinks()->AddItem(Docs);
  }
  void GetData(TObject*) {
    ++DataRequests;
    Docs->SetItemIndex(2);
  }
  static std::vector<std::string> CaptionsIn(TCustomdxBarControl* W) {
    std::vector<std::string> Captions;
    TdxBarItemLinks* Links = W->GetItemLinks();
    for (int I = 0; I < Links->ShownLinkCount(); ++I) {
      TdxBarItemLink* L = Links->GetShownLink(I);
      RECT R = L->GetItemRect();
      if (L->GetControl() && !IsRectEmpty(&R)) Captions.push_back(L->GetItem()->GetCaption());
    }
    return Captions;
  }
};

TEST_F(ListMenuFixture, EntriesShowInPlaceAndRunTheListThenTheMenuIsAsBefore) {
  OpenFileByKeys();
  TdxBarSubMenuControl* FileMenu = MenuOf(File);
  EXPECT_EQ((std::vector<std::string>{"&New", "&Open", "&Recent", "&1 alpha", "&2 beta"}), CaptionsIn(FileMenu));
  EXPECT_EQ(1, DataRequests);
  TdxBarItemLinks* Links = File->GetItemLinks();
  auto* Beta = dynamic_cast<TdxBarButton*>(Links->GetShownLink(4)->GetItem());
  ASSERT_TRUE(Beta);
  EXPECT_TRUE(Beta->GetDown()) << "the entry OnGetData chose is checked";
  EXPECT_TRUE(Links->GetShownLink(4)->GetBeginGroup()) << "an entry after \"-\" starts a group";
  // The accelerator of the first entry runs the list with that entry chosen.
  TapAndPump('1');
  EXPECT_EQ(std::vector<std::string>{"Docs"}, Clicked);
  EXPECT_EQ(0, Docs->GetItemIndex());
  EXPECT_FALSE(MenuOf(File));
  Pump();
  ASSERT_EQ(4, Links->GetCount()) << "the entries went once the menu closed";
  EXPECT_EQ(Docs, Links->GetLink(3)->GetItem());

  // Opened again, the list asks for its data again; a click on an entry runs it.
  Clicked.clear();
  OpenFileByKeys();
  EXPECT_EQ(2, DataRequests);
  // The entries were made afresh for this showing.
  Beta = dynamic_cast<TdxBarButton*>(Links->GetShownLink(4)->GetItem());
  ASSERT_TRUE(Beta);
  RECT BetaRect = ScreenRectOf(MenuOf(File), Beta);
  ASSERT_FALSE(IsRectEmpty(&BetaRect));
  ClickAt(CentreOf(BetaRect));
  EXPECT_EQ(std::vector<std::string>{"Docs"}, Clicked);
  EXPECT_EQ(2, Docs->GetItemIndex());
  Pump();
  EXPECT_EQ(4, Links->GetCount());

  // A list freed while its entries show takes them along; the menu closes cleanly.
  OpenFileByKeys();
  Free(Docs);
  EXPECT_EQ((std::vector<std::string>{"&New", "&Open", "&Recent"}), CaptionsIn(MenuOf(File)));
  TapAndPump(VK_ESCAPE);
  Pump();
  EXPECT_EQ(3, Links->GetCount());
}

// ---- popup menus

struct PopupMenuFixture : BarMenuFixture {
  TdxBarPopupMenu* Popup = nullptr;
  void SetUp() override {
    BarMenuFixture::SetUp();
    Popup = TdxBarPopupMenu::Create(Form);
    Button("Cut", "Cu&t", Popup->GetItemLinks());
    Button("Copy", "&Copy", Popup->GetItemLinks());
  }
  TdxBarSubMenuControl* PopupWindow() { return dynamic_cast<TdxBarSubMenuControl*>(Popup->BarWindow()); }
  void FreePopup(TObject*) { FreeAndNil(Popup); }
};

// What the timer does while the popup runs its loop.
std::function<void()> DuringPopup;
void CALLBACK RunDuringPopup(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  if (DuringPopup) DuringPopup();
}

TEST_F(PopupMenuFixture, PopupAtCursorReturnsAfterCloseAndKeepsCommandsInOrder) {
  MoveTo(POINT{200, 200});
  HWND Target = Form->GetHandle();
  bool OpenDuring = false;
  DuringPopup = [&] {
    OpenDuring = PopupWindow() && IsWindowVisible(PopupWindow()->GetHandle());
    PostMessageW(Target, WM_COMMAND, 1234, 0);
    PostMessageW(Target, WM_COMMAND, 1235, 0);
    SendKey(VK_ESCAPE, true);
    SendKey(VK_ESCAPE, false);
  };
  SetTimer(nullptr, 0, 200, &RunDuringPopup);
  Popup->PopupAtCursor();
  DuringPopup = nullptr;
  EXPECT_TRUE(OpenDuring) << "the menu was not open while the loop ran";
  EXPECT_FALSE(Popup->IsShowing());
  EXPECT_FALSE(PopupWindow());
  // The commands wait in the queue, in the order they came.
  MSG Msg;
  ASSERT_TRUE(PeekMessageW(&Msg, Target, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(1234u, Msg.wParam);
  ASSERT_TRUE(PeekMessageW(&Msg, Target, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(1235u, Msg.wParam);
  EXPECT_TRUE(Clicked.empty());
}

TEST_F(PopupMenuFixture, AQuitEndsTheLoopAndStaysQueued) {
  MoveTo(POINT{200, 200});
  DuringPopup = [] { PostQuitMessage(7); };
  SetTimer(nullptr, 0, 150, &RunDuringPopup);
  Popup->PopupAtCursor();
  DuringPopup = nullptr;
  MSG Msg;
  ASSERT_TRUE(PeekMessageW(&Msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, Msg.wParam);
  if (TCustomdxBarControl* W = PopupWindow()) W->CloseBar();
  EXPECT_FALSE(Popup->IsShowing());
}

TEST_F(PopupMenuFixture, TheRightButtonRunsAnEntryOfAMenuOpenedAtAPoint) {
  MoveTo(POINT{200, 200});
  DuringPopup = [&] {
    TdxBarSubMenuControl* W = PopupWindow();
    if (!W) return;
    TdxBarItemLink* Copy = Popup->GetItemLinks()->GetShownLink(1);
    ClickAt(CentreOf(W->ItemScreenRect(Copy->GetControl())), true);
  };
  SetTimer(nullptr, 0, 150, &RunDuringPopup);
  Popup->PopupAtCursor();
  DuringPopup = nullptr;
  EXPECT_EQ(std::vector<std::string>{"Copy"}, Clicked);
  EXPECT_FALSE(Popup->IsShowing());
}

TEST_F(PopupMenuFixture, AnItemThatFreesTheMenuEndsTheLoop) {
  MoveTo(POINT{200, 200});
  Popup->GetItemLinks()->GetLink(0)->GetItem()->OnClick = TNotifyEvent(this, &PopupMenuFixture::FreePopup);
  DuringPopup = [&] {
    if (TdxBarSubMenuControl* W = PopupWindow())
      ClickAt(CentreOf(W->ItemScreenRect(Popup->GetItemLinks()->GetShownLink(0)->GetControl())));
  };
  SetTimer(nullptr, 0, 150, &RunDuringPopup);
  Popup->PopupAtCursor();
  DuringPopup = nullptr;
  EXPECT_FALSE(Popup);
}

// The client of a menu window as it paints, in a memory bitmap.
struct TMenuImage {
  HDC DC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Old = nullptr;
  explicit TMenuImage(TdxBarSubMenuControl* W) {
    RECT R = W->GetClientRect();
    HDC Screen = GetDC(nullptr);
    DC = CreateCompatibleDC(Screen);
    Bitmap = CreateCompatibleBitmap(Screen, R.right, R.bottom);
    ReleaseDC(nullptr, Screen);
    Old = SelectObject(DC, Bitmap);
    W->PaintAnimationImage(DC);
  }
  ~TMenuImage() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  COLORREF At(int X, int Y) const { return GetPixel(DC, X, Y); }
};

struct PopupLookFixture : PopupMenuFixture {
  RECT Band{0, 0, 0, 0};
  void PaintBand(TdxBarItemLink*, TcxCanvas* Canvas, const RECT& R) {
    Band = R;
    HBRUSH Red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(Canvas->DeviceContext(), &R, Red);
    DeleteObject(Red);
  }
};

TEST_F(PopupLookFixture, TheSideBandThePictureAndTheOwnFontShow) {
  Popup->SetBarSize(20);
  Popup->OnPaintBar = TdxBarPaintSubMenuBarEvent(this, &PopupLookFixture::PaintBand);
  TBitmap* Picture = TBitmap::Create();
  Picture->SetSize(8, 8);
  RECT All{0, 0, 8, 8};
  HBRUSH Blue = CreateSolidBrush(RGB(0, 0, 200));
  FillRect(Picture->GetCanvas()->GetHandle(), &All, Blue);
  DeleteObject(Blue);
  Popup->SetBackgroundBitmap(Picture);
  Free(Picture);
  Popup->GetFont()->SetSize(20);
  EXPECT_TRUE(Popup->GetUseOwnFont()) << "a change of the font makes it the menu's own";
  MoveTo(POINT{200, 200});
  bool Seen = false;
  DuringPopup = [&] {
    TdxBarSubMenuControl* W = PopupWindow();
    if (!W) return;
    Seen = true;
    TMenuImage Image(W);
    RECT Cut = Popup->GetItemLinks()->GetShownLink(0)->GetItemRect();
    EXPECT_EQ(20, Cut.left) << "the items start right of the band";
    EXPECT_EQ(20, Band.right - Band.left);
    EXPECT_EQ(RGB(255, 0, 0), Image.At(5, (Cut.top + Cut.bottom) / 2)) << "OnPaintBar paints the band";
    EXPECT_EQ(RGB(0, 0, 200), Image.At(Cut.right - 2, Cut.top + 1)) << "the picture lies behind the items";
    EXPECT_EQ(20, W->GetFont()->GetSize());
    EXPECT_GT(Cut.bottom - Cut.top, 24) << "the entries take the menu's larger font";
    W->CloseBar();
  };
  SetTimer(nullptr, 0, 150, &RunDuringPopup);
  Popup->PopupAtCursor();
  DuringPopup = nullptr;
  EXPECT_TRUE(Seen) << "the menu was not open while the loop ran";
  Popup->SetUseOwnFont(false);
  EXPECT_EQ(M->GetFont()->GetSize(), Popup->GetFont()->GetSize()) << "off again, the manager's font comes back";
}

struct NoManagerFixture : ShownFormFixture {};

TEST_F(NoManagerFixture, APopupMenuNeedsAManager) {
  try {
    TdxBarPopupMenu::Create(Form);
    FAIL() << "created without a manager";
  } catch (const EdxException& E) {
    EXPECT_EQ("There are no TdxBarManagers available", E.GetMessage());
  }
}

}  // namespace

namespace {

// ---- personalised menus: the recently used entries first, the rest on request

struct RecentMenuFixture : BarMenuFixture {
  TdxBarSubItem* Tools = nullptr;
  void SetUp() override {
    BarMenuFixture::SetUp();
    M->SetShowFullMenusAfterDelay(false);
    Tools = SubItem("Tools", "&Tools", Bar->GetItemLinks());
    for (const char* Name : {"A", "B", "C", "D", "E"}) Button(Name, std::string("&") + Name, Tools->GetItemLinks());
    // A and C were used often, the others never.
    TdxBarItemLinks* L = Tools->GetItemLinks();
    for (int I : {2, 0}) {
      L->GetLink(I)->SetUseCount(100);
      L->MoveInRecentList(L->GetLink(I), 0);
    }
    Pump();
  }
  void OpenTools() {
    SendKey(VK_MENU, true);
    SendKey('T', true);
    SendKey('T', false);
    SendKey(VK_MENU, false);
    ASSERT_TRUE(PumpUntil([&] { return MenuOf(Tools) != nullptr; }, 2000)) << "Alt+T opened no menu";
  }
  std::vector<std::string> Shown() {
    std::vector<std::string> Names;
    TdxBarItemLinks* L = Tools->GetItemLinks();
    for (int I = 0; I < L->ShownLinkCount(); ++I) Names.push_back(L->GetShownLink(I)->GetItem()->GetName());
    return Names;
  }
  void CloseAll() {
    ClickAt(POINT{450, 350});
    ASSERT_FALSE(TopActiveBarControl());
  }
  const std::vector<std::string> All{"A", "B", "C", "D", "E"};
};

TEST_F(RecentMenuFixture, CtrlDownAndTheExpandButtonShowTheWholeMenuUntilTheChainCloses) {
  OpenTools();
  EXPECT_EQ((std::vector<std::string>{"A", "C"}), Shown());
  TdxBarSubMenuControl* W = MenuOf(Tools);
  EXPECT_TRUE(W->HasMark());
  RECT Collapsed = QueryWindowRect(W->GetHandle());
  SendKey(VK_CONTROL, true);
  TapAndPump(VK_DOWN);
  SendKey(VK_CONTROL, false);
  Pump();
  EXPECT_EQ(All, Shown());
  ASSERT_TRUE(MenuOf(Tools));
  EXPECT_FALSE(MenuOf(Tools)->HasMark());
  RECT Expanded = QueryWindowRect(MenuOf(Tools)->GetHandle());
  EXPECT_GT(Expanded.bottom - Expanded.top, Collapsed.bottom - Collapsed.top);
  EXPECT_EQ(Collapsed.top, Expanded.top);
  EXPECT_TRUE(MenusExpanded());
  // A new chain starts collapsed again; the expand button expands it.
  CloseAll();
  OpenTools();
  EXPECT_EQ((std::vector<std::string>{"A", "C"}), Shown());
  W = MenuOf(Tools);
  RECT Mark = W->MarkRect();
  MapWindowPoints(W->GetHandle(), nullptr, reinterpret_cast<POINT*>(&Mark), 2);
  MoveTo(CentreOf(Mark));
  EXPECT_EQ(1, W->MarkButtonState()) << "the button is hot under the mouse";
  ClickAt(CentreOf(Mark));
  EXPECT_EQ(All, Shown());
}

TEST_F(RecentMenuFixture, AnExpandedMenuShowsTheLessUsedEntriesOnALighterFace) {
  // The enhanced look fills menus with the button face, so the lighter one stands out.
  M->SetStyle(bmsEnhanced);
  OpenTools();
  SendKey(VK_CONTROL, true);
  TapAndPump(VK_DOWN);
  SendKey(VK_CONTROL, false);
  Pump();
  TdxBarSubMenuControl* W = MenuOf(Tools);
  ASSERT_TRUE(W);
  ASSERT_EQ(All, Shown());
  COLORREF Face = GetSysColor(COLOR_BTNFACE);
  auto Lighter = [](int V) { return std::min(255, V + 20); };
  COLORREF Light = RGB(Lighter(GetRValue(Face)), Lighter(GetGValue(Face)), Lighter(GetBValue(Face)));
  TMenuImage Image(W);
  TdxBarItemLinks* L = Tools->GetItemLinks();
  std::string Lit;
  for (int I = 0; I < L->ShownLinkCount(); ++I) {
    RECT R = L->GetShownLink(I)->GetItemRect();
    if (Image.At(R.right - 3, R.top + 2) == Light) Lit += L->GetShownLink(I)->GetItem()->GetName();
  }
  EXPECT_EQ("BDE", Lit);
}

TEST_F(RecentMenuFixture, DownOnTheLastShownEntryExpandsAndMovesOn) {
  OpenTools();
  TapAndPump(VK_END);
  EXPECT_EQ("C", SelectedIn(MenuOf(Tools)));
  TapAndPump(VK_DOWN);
  EXPECT_EQ(All, Shown());
  EXPECT_EQ("D", SelectedIn(MenuOf(Tools)));
}

TEST_F(RecentMenuFixture, FourSecondsAfterOpeningTheMenuExpands) {
  M->SetShowFullMenusAfterDelay(true);
  OpenTools();
  DWORD Start = GetTickCount();
  Wait(3000);
  EXPECT_EQ((std::vector<std::string>{"A", "C"}), Shown()) << "expanded before its time";
  ASSERT_TRUE(PumpUntil([&] { return Shown().size() == All.size(); }, 3000));
  EXPECT_GE(GetTickCount() - Start, 3900u);
}

// ---- a menu taller than the screen

struct TallMenuFixture : BarMenuFixture {
  TdxBarPopupMenu* Popup = nullptr;
  void SetUp() override {
    BarMenuFixture::SetUp();
    Popup = TdxBarPopupMenu::Create(Form);
    for (int I = 0; I < 80; ++I) Button("Entry" + std::to_string(I), "Entry " + std::to_string(I), Popup->GetItemLinks());
    Popup->PopupForOwner(100, 100, 0, 0, false, nullptr, false, nullptr);
    ASSERT_TRUE(Window());
  }
  TdxBarSubMenuControl* Window() { return dynamic_cast<TdxBarSubMenuControl*>(Popup->BarWindow()); }
  RECT ScreenRect(const RECT& Client) {
    RECT R = Client;
    MapWindowPoints(Window()->GetHandle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
    return R;
  }
};

TEST_F(TallMenuFixture, ItIsCutToTheWorkAreaAndScrollsUnderTheMouseIgnoringClicks) {
  TdxBarSubMenuControl* W = Window();
  RECT Bounds = QueryWindowRect(W->GetHandle());
  RECT WorkArea = MonitorWorkAreaAt(POINT{100, 100});
  EXPECT_EQ(WorkArea.bottom, Bounds.bottom);
  EXPECT_EQ(0, W->GetTopIndex());
  EXPECT_TRUE(W->HasMoreBelow());
  EXPECT_FALSE(W->IsScrolled());
  // Resting on the bottom scroll button scrolls down step by step.
  RECT Items = W->ScrollArea();
  RECT Bottom = ScreenRect(RECT{Items.left, Items.bottom - 4, Items.right, Items.bottom - 2});
  MoveTo(CentreOf(Bottom));
  ASSERT_TRUE(PumpUntil([&] { return W->GetTopIndex() >= 2; }, 3000));
  EXPECT_TRUE(W->IsScrolled());
  // A click meanwhile runs nothing and leaves the menu open.
  ClickAt(CentreOf(Bottom));
  EXPECT_TRUE(Clicked.empty());
  EXPECT_TRUE(Window());
  // Away from the buttons the scrolling stops.
  MoveTo(POINT{700, 700});
  Pump();
  int Stopped = W->GetTopIndex();
  Wait(500);
  EXPECT_EQ(Stopped, W->GetTopIndex());
  W->CloseBar();
}

TEST_F(TallMenuFixture, TheKeyboardSelectionScrollsIntoView) {
  TdxBarSubMenuControl* W = Window();
  W->SelectItemControl(Popup->GetItemLinks()->GetShownLink(0)->GetControl());
  TapAndPump(VK_END);
  EXPECT_EQ("Entry79", SelectedIn(W));
  EXPECT_GT(W->GetTopIndex(), 0);
  RECT Last = Popup->GetItemLinks()->GetShownLink(79)->GetItemRect();
  RECT Items = W->ScrollArea();
  EXPECT_FALSE(IsRectEmpty(&Last));
  EXPECT_LE(Last.bottom, Items.bottom);
  TapAndPump(VK_HOME);
  EXPECT_EQ(0, W->GetTopIndex());
  W->CloseBar();
}

// ---- the tear-off caption

// Steps that run one by one from a timer while a modal loop holds the thread.
struct TStepScript {
  std::vector<std::function<void()>> Steps;
  size_t Next = 0;
  bool Done() const { return Next >= Steps.size(); }
};
TStepScript* RunningScript = nullptr;

void CALLBACK RunScriptStep(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!RunningScript || RunningScript->Done()) {
    KillTimer(nullptr, Id);
    return;
  }
  RunningScript->Steps[RunningScript->Next++]();
}

COLORREF ScreenPixel(POINT P) {
  Wait(150);
  HDC Screen = GetDC(nullptr);
  COLORREF C = GetPixel(Screen, P.x, P.y);
  ReleaseDC(nullptr, Screen);
  return C;
}

struct TearOffFixture : BarMenuFixture {
  TdxBar* Tools = nullptr;
  int Detaching = 0;

  void SetUp() override {
    BarMenuFixture::SetUp();
    Tools = M->GetBars()->Add();
    Tools->SetCaption("File tools");
    Button("Cut", "Cu&t", Tools->GetItemLinks());
    Button("Copy", "&Copy", Tools->GetItemLinks());
    Tools->SetDockingStyle(dsTop);
    File->SetDetachable(true);
    File->SetDetachingBar(Tools->PositionInCollection());
    File->OnDetaching = TNotifyEvent(this, &TearOffFixture::Detached);
  }
  void Detached(TObject*) { ++Detaching; }
  TdxBarSubMenuControl* OpenFileByClick() {
    ClickAt(CentreOf(ScreenRectOf(Bar->GetBarControl(), File)));
    PumpUntil([&] { return MenuOf(File) != nullptr; }, 2000);
    return MenuOf(File);
  }
  // Presses the hot caption of the open File menu and runs Steps, one per tick,
  // inside the drag; answers once the drag has ended.
  void DragCaption(std::vector<std::function<void()>> Steps) {
    TStepScript Script{std::move(Steps)};
    RunningScript = &Script;
    UINT_PTR Timer = SetTimer(nullptr, 0, 120, &RunScriptStep);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return Script.Done() && !BarDesignControllerInstance()->IsDragging(); }, 5000))
        << "the drag did not end";
    KillTimer(nullptr, Timer);
    RunningScript = nullptr;
    SendButton(MOUSEEVENTF_LEFTUP);
    Pump();
  }
  RECT ToolsRect() const {
    TCustomdxBarControl* W = Tools->GetBarControl();
    return W && W->HandleAllocated() ? QueryWindowRect(W->GetHandle()) : RECT{0, 0, 0, 0};
  }
};

TEST_F(TearOffFixture, TheCaptionOfADetachableMenuLiesAboveItsEntriesAndLightsUnderTheMouse) {
  TdxBarSubMenuControl* W = OpenFileByClick();
  ASSERT_TRUE(W);
  RECT Caption = W->DetachCaptionRect();
  ASSERT_FALSE(IsRectEmpty(&Caption));
  RECT Window = QueryWindowRect(W->GetHandle());
  EXPECT_LT(Caption.top - Window.top, 4) << "the caption heads the menu";
  EXPECT_LE(Caption.bottom, ScreenRectOf(W, New).top) << "the first entry lies below the caption";
  POINT Grip = CentreOf(Caption);
  COLORREF Cold = ScreenPixel(Grip);
  MoveTo(Grip);
  EXPECT_EQ(1, W->GetTearOffState());
  EXPECT_EQ(W, M->GetHintObject()) << "no hint asked for the caption";
  COLORREF Hot = ScreenPixel(Grip);
  EXPECT_NE(Cold, Hot) << "the caption looks the same under the mouse";
  EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clActiveCaption)), Hot);
  MoveTo(CentreOf(ScreenRectOf(W, Open)));
  EXPECT_EQ(0, W->GetTearOffState());
  EXPECT_NE(W, M->GetHintObject());
  EXPECT_EQ(Cold, ScreenPixel(Grip));
  W->CloseBar();
  Pump();
  // A menu of an item that cannot be torn off has no caption.
  ClickAt(CentreOf(ScreenRectOf(Bar->GetBarControl(), Edit)));
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(Edit) != nullptr; }, 2000));
  RECT None = MenuOf(Edit)->DetachCaptionRect();
  EXPECT_TRUE(IsRectEmpty(&None));
}

TEST_F(TearOffFixture, DraggingTheCaptionAwayFloatsTheBarAndTheEndOfTheDragDecidesItsFate) {
  enum TEnd { Release, DragBack, Escape };
  const struct {
    const char* Name;
    TEnd End;
    bool BarKept, MenuBack;
  } Cases[] = {
      {"release", Release, true, false},
      {"drag back", DragBack, false, true},
      {"Esc", Escape, false, true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Detaching = 0;
    Tools->SetVisible(false);
    Tools->SetDockingStyle(dsTop);
    TdxBarSubMenuControl* W = OpenFileByClick();
    ASSERT_TRUE(W);
    POINT Grip = CentreOf(W->DetachCaptionRect());
    MoveTo(Grip);
    ASSERT_EQ(1, W->GetTearOffState());
    POINT Away{Grip.x + 150, Grip.y + 120};
    bool MenuOpenWhileOut = true, BarOutWhileOut = false;
    RECT WhileOut{0, 0, 0, 0};
    DragCaption({
        [&] { SendMouse(POINT{Grip.x, Grip.y + 40}, 0); },
        [&] { SendMouse(Away, 0); },
        [&] {
          MenuOpenWhileOut = MenuOf(File) != nullptr;
          BarOutWhileOut = Tools->GetVisible() && Tools->GetDockingStyle() == dsNone;
          WhileOut = ToolsRect();
          if (C.End == Release) SendButton(MOUSEEVENTF_LEFTUP);
          if (C.End == DragBack) SendMouse(Grip, 0);
          if (C.End == Escape) {
            SendKey(VK_ESCAPE, true);
            SendKey(VK_ESCAPE, false);
          }
        },
    });
    EXPECT_EQ(1, Detaching);
    EXPECT_FALSE(MenuOpenWhileOut) << "the menu stayed open while its bar was out";
    EXPECT_TRUE(BarOutWhileOut) << "the bar did not come out floating";
    EXPECT_NEAR(Away.x, (WhileOut.left + WhileOut.right) / 2, 2) << "the bar does not follow the cursor";
    EXPECT_NEAR(Away.y, (WhileOut.top + WhileOut.bottom) / 2, 2);
    EXPECT_EQ(C.BarKept, Tools->GetVisible());
    if (C.BarKept) {
      EXPECT_EQ(dsNone, Tools->GetDockingStyle());
      EXPECT_EQ(WhileOut.left, Tools->GetFloatLeft()) << "the place of the kept bar is not stored";
      EXPECT_EQ(WhileOut.top, Tools->GetFloatTop());
    }
    EXPECT_EQ(C.MenuBack, PumpUntil([&] { return MenuOf(File) != nullptr; }, 1000));
    EXPECT_EQ(nullptr, GetCapture());
    if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
    Pump();
  }
}

TEST_F(TearOffFixture, AMenuWhoseDetachingBarIsItsOwnMenuBarIsNotDraggedOut) {
  File->SetDetachingBar(Bar->PositionInCollection());
  TdxBarSubMenuControl* W = OpenFileByClick();
  ASSERT_TRUE(W);
  POINT Grip = CentreOf(W->DetachCaptionRect());
  MoveTo(Grip);
  DragCaption({[&] { SendMouse(POINT{Grip.x + 100, Grip.y + 100}, 0); }, [&] { SendButton(MOUSEEVENTF_LEFTUP); }});
  EXPECT_EQ(1, Detaching) << "the detaching event fires on every press";
  EXPECT_EQ(W, MenuOf(File)) << "the menu closed";
  EXPECT_EQ(dsTop, Bar->GetDockingStyle());
  EXPECT_TRUE(Bar->GetVisible());
  EXPECT_FALSE(Tools->GetVisible());
}

// The drag runs inside the press on the menu it closes; a menu window freed
// meanwhile must not be touched again, and the menu comes back through its entry.
TEST_F(TearOffFixture, AMenuWindowFreedDuringTheDragComesBackThroughItsEntry) {
  TdxBarSubMenuControl* W = OpenFileByClick();
  ASSERT_TRUE(W);
  POINT Grip = CentreOf(W->DetachCaptionRect());
  MoveTo(Grip);
  ASSERT_EQ(1, W->GetTearOffState());
  DragCaption({
      [&] { SendMouse(POINT{Grip.x + 100, Grip.y + 100}, 0); },
      [&] {
        File->GetItemLinks()->DestroyBarControl();
        SendMouse(Grip, 0);
      },
  });
  EXPECT_FALSE(Tools->GetVisible());
  ASSERT_TRUE(PumpUntil([&] { return MenuOf(File) != nullptr; }, 1000)) << "the menu did not come back";
  TdxBarSubMenuControl* Again = MenuOf(File);
  EXPECT_EQ(Again->GetOwnerControl(), Bar->GetBarControl()->SelectedItemControl());
  EXPECT_EQ(3, Again->GetItemLinks()->ShownLinkCount());
}

}  // namespace
