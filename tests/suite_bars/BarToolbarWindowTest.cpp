// Real toolbar windows driven by real input: what their frame answers under the
// cursor, the grip dragging and double clicks moving the bar, the floating close
// button and edges, clicks on buttons, the pixels they paint, and the keys of an
// active toolbar.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Panel.h"
#include "suite/bars/BarCaptionButtons.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarQuickControl.h"
#include "suite/bars/BarQuickCustControls.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarToolbarFrame.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/Screenshot.h"

namespace {
TEST(ToolbarFrame, HitTestCodesOfDockedAndFloatingWindows) {
  auto Docked = [](LRESULT Framework, POINT Client) {
    TdxToolbarHitTestInput In;
    In.Framework = Framework;
    In.Client = Client;
    return In;
  };
  auto Floating = [](LRESULT Framework, POINT Window) {
    TdxToolbarHitTestInput In;
    In.Framework = Framework;
    In.Floating = true;
    In.Window = Window;
    In.WindowSize = SIZE{100, 60};
    In.EdgeWidth = 4;
    In.EdgeHeight = 4;
    return In;
  };
  struct {
    const char* What;
    TdxToolbarHitTestInput In;
    LRESULT Answer;
    int Code;
  } Cases[] = {
      {"docked grip (before the client)", Docked(HTNOWHERE, {-5, 3}), HTCLIENT, tbhDrag},
      {"docked empty room", Docked(HTCLIENT, {80, 3}), HTCLIENT, tbhDrag},
      {"docked button", [&] { auto I = Docked(HTCLIENT, {10, 3}); I.FreePoint = false; return I; }(), HTCLIENT,
       HTCLIENT},
      {"docked mark", [&] { auto I = Docked(HTCLIENT, {90, 3}); I.OnMark = true; return I; }(), HTCLIENT, tbhNone},
      {"vertical grip above the client", [&] { auto I = Docked(HTNOWHERE, {3, -4}); I.Vertical = true; return I; }(),
       HTCLIENT, tbhDrag},
      {"status bar size grip", [&] { auto I = Docked(HTNOWHERE, {101, 10}); I.InSizeGrip = true; return I; }(),
       HTBOTTOMRIGHT, tbhSizeGrip},
      {"framework's own answer kept", [&] { auto I = Docked(HTCLIENT, {10, 3}); I.OwnHitTesting = false; return I; }(),
       HTCLIENT, HTCLIENT},
      {"floating top edge", Floating(HTNOWHERE, {50, 1}), HTTOP, tbhTop},
      {"floating right edge", Floating(HTNOWHERE, {98, 30}), HTRIGHT, tbhRight},
      {"floating bottom edge", Floating(HTNOWHERE, {50, 58}), HTBOTTOM, tbhBottom},
      {"floating left edge", Floating(HTNOWHERE, {1, 30}), HTLEFT, tbhLeft},
      {"floating top-left corner is the top", Floating(HTNOWHERE, {1, 1}), HTTOP, tbhTop},
      {"floating caption", Floating(HTNOWHERE, {30, 10}), HTCLIENT, tbhDrag},
      {"floating close button",
       [&] { auto I = Floating(HTNOWHERE, {90, 10}); I.OnCloseButton = true; return I; }(), HTCLIENT, tbhClose},
      {"floating close button left to the system",
       [&] { auto I = Floating(HTNOWHERE, {90, 10}); I.OnCloseButton = I.SystemCloseButton = true; return I; }(),
       HTCLOSE, tbhSystem},
      {"floating mark", [&] { auto I = Floating(HTNOWHERE, {80, 10}); I.OnMark = true; return I; }(), HTCLIENT,
       tbhSystem},
      {"floating empty client", Floating(HTCLIENT, {50, 40}), HTCLIENT, tbhDrag},
      {"floating button", [&] { auto I = Floating(HTCLIENT, {50, 40}); I.FreePoint = false; return I; }(), HTCLIENT,
       tbhNone},
  };
  for (const auto& C : Cases) {
    TdxToolbarHitTestResult R = ToolbarHitTest(C.In);
    EXPECT_EQ(C.Answer, R.Answer) << C.What;
    EXPECT_EQ(C.Code, R.Code) << C.What;
  }
}

// ---- real input

struct ToolbarFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  std::vector<std::string> Clicks;
  std::vector<TdxBar*> Closed;

  void AddControls() override {
    M = NewManager();
    M->SetHideFloatingBarsWhenInactive(false);
    M->SetWaitForDockingTime(0);
    M->OnBarClose = TdxBarEvent(this, &ToolbarFixture::BarClosed);
  }
  void SetUp() override {
    BarFormFixture::SetUp();
    SetForegroundWindow(Form->GetHandle());
    SetFocus(Form->GetHandle());
    Pump();
  }
  void TearDown() override {
    SendKey(VK_CONTROL, false);
    Free(M);
    BarFormFixture::TearDown();
  }
  void BarClosed(TdxBarManager*, TdxBar* Bar) { Closed.push_back(Bar); }
  void Clicked(TObject* Sender) { Clicks.push_back(static_cast<TdxBarItem*>(Sender)->GetCaption()); }
  int CaptionClicks = 0;
  void CaptionClicked(TObject*) { ++CaptionClicks; }

  // A bar of buttons with 16-pixel glyphs of the given colours, a group starting at Group.
  TdxBar* MakeBar(const std::string& Caption, TdxBarDockingStyle Style, std::vector<TColor> Colours,
                  std::vector<std::string> Captions = {}, int Group = -1) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    for (size_t I = 0; I < Colours.size(); ++I) {
      TOwned<TBitmap> Glyph(TBitmap::Create());
      Glyph->SetSize(16, 16);
      // A magenta border: the corner pixel is the glyph's transparent colour.
      Glyph->GetCanvas()->GetBrush()->SetColor(clFuchsia);
      Glyph->GetCanvas()->FillRect(RECT{0, 0, 16, 16});
      Glyph->GetCanvas()->GetBrush()->SetColor(Colours[I]);
      Glyph->GetCanvas()->FillRect(RECT{2, 2, 14, 14});
      TdxBarButton* B = TdxBarButton::Create(Form);
      B->SetGlyph(Glyph.get());
      B->SetCaption(I < Captions.size() ? Captions[I] : Caption + std::to_string(I));
      B->OnClick = TNotifyEvent(this, &ToolbarFixture::Clicked);
      TdxBarItemLink* L = Bar->GetItemLinks()->AddItem(B);
      if (static_cast<int>(I) == Group) L->SetBeginGroup(true);
    }
    Bar->SetDockingStyle(Style);
    if (Style == dsNone) {
      POINT P = Form->ClientToScreen(POINT{120, 120});
      Bar->SetFloatLeft(P.x);
      Bar->SetFloatTop(P.y);
    }
    Bar->SetVisible(true);
    Pump();
    return Bar;
  }
  static TdxBarControl* Window(TdxBar* Bar) { return dynamic_cast<TdxBarControl*>(Bar->GetBarControl()); }
  static RECT ScreenRect(TdxBar* Bar) { return QueryWindowRect(Window(Bar)->GetHandle()); }
  // The screen point of a client point of the bar's window.
  static POINT ClientPoint(TdxBar* Bar, POINT P) {
    ClientToScreen(Window(Bar)->GetHandle(), &P);
    return P;
  }
  static POINT LinkCentre(TdxBar* Bar, int Index) {
    RECT R = Bar->GetItemLinks()->GetShownLink(Index)->GetItemRect();
    return ClientPoint(Bar, POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
  }
  // A point on the docked grip: just before the client area.
  static POINT GripPoint(TdxBar* Bar) {
    POINT P = ClientPoint(Bar, POINT{0, 0});
    RECT W = ScreenRect(Bar);
    return Window(Bar)->IsVertical() ? POINT{(W.left + W.right) / 2, P.y - 2} : POINT{P.x - 2, (W.top + W.bottom) / 2};
  }
  // A point on the floating caption, left of its buttons.
  static POINT CaptionPoint(TdxBar* Bar) {
    RECT W = ScreenRect(Bar);
    POINT C = ClientPoint(Bar, POINT{0, 0});
    return POINT{W.left + 12, (W.top + C.y) / 2 + 1};
  }
  // Whether the screen shows Colour somewhere inside R.
  static bool ScreenShows(RECT R, TColor Colour) {
    HDC DC = GetDC(nullptr);
    bool Found = false;
    for (int Y = R.top; Y < R.bottom && !Found; ++Y)
      for (int X = R.left; X < R.right && !Found; ++X) Found = GetPixel(DC, X, Y) == static_cast<COLORREF>(ColorToRGB(Colour));
    ReleaseDC(nullptr, DC);
    return Found;
  }
};

TEST_F(ToolbarFixture, AWindowPaintsEachPlacedButtonInItsRectangleAndItsFrameAroundThem) {
  for (TdxBarDockingStyle Style : {dsTop, dsNone}) {
    TdxBar* Bar = MakeBar("Tools", Style, {clRed, clLime, clBlue}, {}, 2);
    ASSERT_TRUE(Window(Bar) && Window(Bar)->HandleAllocated()) << Style;
    RedrawWindow(Window(Bar)->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump();
    RECT W = ScreenRect(Bar);
    RECT C = QueryClientRect(Window(Bar)->GetHandle());
    EXPECT_GT(W.right - W.left, C.right) << "a frame around the client, style " << Style;
    const TColor Colours[] = {clRed, clLime, clBlue};
    for (int I = 0; I < 3; ++I) {
      RECT R = Bar->GetItemLinks()->GetShownLink(I)->GetItemRect();
      MapWindowPoints(Window(Bar)->GetHandle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
      EXPECT_TRUE(ScreenShows(R, Colours[I])) << "button " << I << ", style " << Style;
      EXPECT_FALSE(ScreenShows(R, Colours[(I + 1) % 3])) << "button " << I << ", style " << Style;
    }
    Bar->SetVisible(false);
  }
}

// The grip drags a docked bar to another edge and out to float; Ctrl held keeps
// it floating over an edge; Esc ends a drag where the bar stands.
TEST_F(ToolbarFixture, TheGripDragsABarBetweenEdgesAndOutToFloat) {
  TdxBar* Bar = MakeBar("Tools", dsTop, {clRed, clLime, clBlue});
  POINT Left = Form->ClientToScreen(POINT{3, 150});
  POINT Middle = Form->ClientToScreen(POINT{200, 150});
  // The cursor rests over the edge a few ticks: a floating bar docks on the docking timer.
  POINT Rest{Left.x, Left.y + 1};
  DragAlong(GripPoint(Bar), {Form->ClientToScreen(POINT{60, 100}), Left, Rest, Rest, Rest, Rest});
  EXPECT_EQ(dsLeft, Bar->GetDockingStyle());
  ASSERT_TRUE(Window(Bar));
  EXPECT_TRUE(Window(Bar)->IsVertical());
  Sleep(600);
  DragAlong(GripPoint(Bar), {POINT{Left.x + 40, Left.y}, Middle, POINT{Middle.x + 1, Middle.y}});
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  ASSERT_TRUE(Window(Bar) && Window(Bar)->IsFloating());
  // Ctrl held: over the top edge it stays floating. (The drag reads Ctrl from the
  // system's asynchronous key state, which Wine does not fill from injected input.)
  POINT Top = Form->ClientToScreen(POINT{200, 3});
  Sleep(600);
  TdxBars::TKeyStateReader Saved =
      TdxBars::SetKeyStateReader([](int Key) -> SHORT { return Key == VK_CONTROL ? SHORT(0x8000) : SHORT(0); });
  DragAlong(CaptionPoint(Bar), {POINT{Middle.x, Middle.y - 60}, Top, POINT{Top.x + 1, Top.y}});
  TdxBars::SetKeyStateReader(Saved);
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  // Esc: the drag ends in place, still floating.
  Sleep(600);  // not a double click with the press before
  RECT Before = ScreenRect(Bar);
  POINT From = CaptionPoint(Bar);
  MoveTo(From);
  TInputScript::Run({MouseInput(From, MOUSEEVENTF_LEFTDOWN), MouseInput(POINT{From.x + 30, From.y + 20}, 0),
                     KeyInput(VK_ESCAPE, true), KeyInput(VK_ESCAPE, false),
                     MouseInput(POINT{From.x + 90, From.y + 60}, 0),
                     MouseInput(POINT{From.x + 90, From.y + 60}, MOUSEEVENTF_LEFTUP)});
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  RECT After = ScreenRect(Bar);
  EXPECT_EQ(Before.left + 30, After.left) << "the bar stays where the drag left it";
  EXPECT_EQ(Before.top + 20, After.top);
}

// A double click on the grip floats the bar at its stored floating place; one on
// the caption docks it back where it was.
TEST_F(ToolbarFixture, ADoubleClickFloatsABarAtItsPlaceAndDocksItBack) {
  TdxBar* Bar = MakeBar("Tools", dsTop, {clRed, clLime, clBlue});
  Bar->SetVisible(false);
  POINT Float = Form->ClientToScreen(POINT{150, 140});
  Bar->SetFloatLeft(Float.x);
  Bar->SetFloatTop(Float.y);
  Bar->SetVisible(true);
  Pump();
  auto DoubleClick = [](POINT P) {
    MoveTo(P);
    SendMouse(P, MOUSEEVENTF_LEFTDOWN);
    SendMouse(P, MOUSEEVENTF_LEFTUP);
    SendMouse(P, MOUSEEVENTF_LEFTDOWN);
    SendMouse(P, MOUSEEVENTF_LEFTUP);
    Pump();
  };
  DoubleClick(GripPoint(Bar));
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  ASSERT_TRUE(Window(Bar));
  RECT W = ScreenRect(Bar);
  EXPECT_EQ(Float.x, W.left);
  EXPECT_EQ(Float.y, W.top);
  DoubleClick(CaptionPoint(Bar));
  EXPECT_EQ(dsTop, Bar->GetDockingStyle());
  ASSERT_TRUE(Window(Bar));
  EXPECT_FALSE(Window(Bar)->IsFloating());
}

// The close button hides the bar and tells the manager once, only when released
// over it.
TEST_F(ToolbarFixture, TheCloseButtonHidesTheBarOnAReleaseOverIt) {
  TdxBar* Bar = MakeBar("Tools", dsNone, {clRed, clLime, clBlue});
  RECT Close = Window(Bar)->CloseButtonWindowRect();
  ASSERT_FALSE(IsRectEmpty(&Close));
  RECT W = ScreenRect(Bar);
  POINT On{W.left + (Close.left + Close.right) / 2, W.top + (Close.top + Close.bottom) / 2};
  // Pressed, then released off the button: nothing.
  DragAlong(On, {POINT{On.x - 40, On.y + 40}});
  EXPECT_TRUE(Bar->GetVisible());
  EXPECT_TRUE(Closed.empty());
  Sleep(600);
  DragAlong(On, {On});
  EXPECT_FALSE(Bar->GetVisible());
  ASSERT_EQ(1u, Closed.size());
  EXPECT_EQ(Bar, Closed[0]);
}

// Dragging a floating window's left edge keeps its right edge and snaps the width
// to the rows its groups allow.
TEST_F(ToolbarFixture, DraggingTheLeftEdgeSnapsTheWidthToWholeGroups) {
  TdxBar* Bar = MakeBar("Tools", dsNone, {clRed, clLime, clBlue, clYellow, clAqua, clNavy}, {}, 3);
  RECT Before = ScreenRect(Bar);
  RECT Client = QueryClientRect(Window(Bar)->GetHandle());
  int Row = Client.bottom;
  POINT Edge{Before.left + 1, (Before.top + Before.bottom) / 2 + 4};
  DragAlong(Edge, {POINT{Edge.x + 20, Edge.y}, POINT{Edge.x + 40, Edge.y}});
  RECT After = ScreenRect(Bar);
  RECT NewClient = QueryClientRect(Window(Bar)->GetHandle());
  EXPECT_EQ(Before.right, After.right);
  EXPECT_LT(NewClient.right, Client.right);
  EXPECT_GT(NewClient.bottom, Row) << "the second group wrapped to a new row";
  RECT Fourth = Bar->GetItemLinks()->GetShownLink(3)->GetItemRect();
  EXPECT_EQ(0, Fourth.left) << "the row breaks before the group, not inside it";
}

// A floating bar's own caption buttons stand left of its close button with their
// glyphs and click on a release over the button that
// was pressed.
TEST_F(ToolbarFixture, AFloatingBarsCaptionButtonsShowTheirGlyphsAndClickOnARelease) {
  TdxBar* Bar = MakeBar("Tools", dsNone, {clRed, clLime, clBlue});
  auto AddButton = [&](TColor Colour) {
    TdxBarCaptionButton* B = Bar->GetCaptionButtons()->AddButton();
    TOwned<TBitmap> Glyph(TBitmap::Create());
    Glyph->SetSize(10, 10);
    Glyph->GetCanvas()->GetBrush()->SetColor(clFuchsia);
    Glyph->GetCanvas()->FillRect(RECT{0, 0, 10, 10});
    Glyph->GetCanvas()->GetBrush()->SetColor(Colour);
    Glyph->GetCanvas()->FillRect(RECT{2, 2, 8, 8});
    B->SetGlyph(Glyph.get());
    B->OnClick = TNotifyEvent(this, &ToolbarFixture::CaptionClicked);
    return B;
  };
  TdxBarCaptionButton* Pin = AddButton(clPurple);
  TdxBarCaptionButton* Off = AddButton(clOlive);
  Off->SetEnabled(false);
  Pump();
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W && W->IsFloating());
  RedrawWindow(W->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  Pump();
  RECT Close = W->CloseButtonWindowRect(), R0 = Pin->GetRect(), R1 = Off->GetRect();
  ASSERT_FALSE(IsRectEmpty(&R0));
  EXPECT_EQ(Close.left, R0.right) << "next to the close button";
  EXPECT_EQ(R0.left, R1.right);
  RECT Origin = ScreenRect(Bar);
  auto OnScreen = [&](RECT R) {
    OffsetRect(&R, Origin.left, Origin.top);
    return R;
  };
  auto Centre = [&](RECT R) {
    R = OnScreen(R);
    return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  };
  EXPECT_TRUE(ScreenShows(OnScreen(R0), clPurple));
  EXPECT_FALSE(ScreenShows(OnScreen(R0), clOlive));
  SaveScreenshot("floating-caption-buttons");

  // Hovering: the button under the mouse turns hot and is drawn so; a disabled one stays as it is.
  auto Pixels = [&](RECT R) { return ScreenPixels(OnScreen(R)); };
  std::vector<COLORREF> Plain = Pixels(R0);
  MoveTo(Centre(R0));
  EXPECT_TRUE(PumpUntil([&] { return Pin->GetState() == cbsHot; }));
  EXPECT_TRUE(PumpUntil([&] { return Pixels(R0) != Plain; })) << "drawn hot";
  MoveTo(Centre(R1));
  EXPECT_TRUE(PumpUntil([&] { return Pin->GetState() == cbsNormal; }));
  EXPECT_EQ(cbsDisabled, Off->GetState());
  EXPECT_TRUE(PumpUntil([&] { return Pixels(R0) == Plain; })) << "drawn plain again";
  MoveTo(Centre(R0));
  EXPECT_TRUE(PumpUntil([&] { return Pin->GetState() == cbsHot; }));
  // Leaving the bar altogether.
  MoveTo(Form->ClientToScreen(POINT{300, 300}));
  EXPECT_TRUE(PumpUntil([&] { return Pin->GetState() == cbsNormal; }));

  DragAlong(Centre(R0), {Form->ClientToScreen(POINT{300, 300})});
  EXPECT_EQ(0, CaptionClicks) << "released elsewhere";
  EXPECT_EQ(cbsNormal, Pin->GetState());
  Sleep(600);  // not a double click with the press before
  DragAlong(Centre(R0), {Centre(R0)});
  EXPECT_EQ(1, CaptionClicks);
  EXPECT_TRUE(Bar->GetVisible()) << "only the close button hides the bar";

  EXPECT_EQ(cbsDisabled, Off->GetState());
}

// A click on a button runs it; a press dragged off the button before the release does not.
TEST_F(ToolbarFixture, AClickOnAButtonRunsItAndAPressTakenAwayDoesNot) {
  TdxBar* Bar = MakeBar("Tools", dsTop, {clRed, clLime, clBlue}, {"One", "Two", "Three"});
  DragAlong(LinkCentre(Bar, 1), {LinkCentre(Bar, 1)});
  EXPECT_EQ((std::vector<std::string>{"Two"}), Clicks);
  POINT Off = Form->ClientToScreen(POINT{300, 200});
  DragAlong(LinkCentre(Bar, 2), {Off});
  EXPECT_EQ((std::vector<std::string>{"Two"}), Clicks);
  EXPECT_FALSE(Window(Bar)->IsActive()) << "the release elsewhere leaves the bar inactive";
  // Hovering selects the button under the cursor (it draws hot).
  MoveTo(LinkCentre(Bar, 0));
  MoveTo(LinkCentre(Bar, 0));
  EXPECT_EQ(Bar->GetItemLinks()->GetShownLink(0), Window(Bar)->GetSelectedLink());
}
}  // namespace

namespace {
// The keys an active toolbar hears: the bar hooks send them to the window as
// WM_KEYDOWN (arrows and Tab only when the keyboard navigation leaves them to it).
void KeyToWindow(TCustomdxBarControl* W, WORD Key) {
  SendMessageW(W->GetHandle(), WM_KEYDOWN, Key, 1);
  Pump();
}

TEST_F(ToolbarFixture, KeysMoveTheSelectionRunAcceleratorsAndLeave) {
  TdxBar* Bar = MakeBar("Tools", dsTop, {clRed, clLime, clBlue, clYellow}, {"&Alpha", "&Beta", "&Bravo", "&Delta"});
  // Only a button that shows its caption answers to its accelerator.
  for (int I = 0; I < 4; ++I)
    static_cast<TdxBarButton*>(Bar->GetItemLinks()->GetLink(I)->GetItem())->SetPaintStyle(psCaptionGlyph);
  Pump();
  TdxBarControl* W = Window(Bar);
  auto Selected = [&] {
    TdxBarItemLink* L = W->GetSelectedLink();
    return L ? L->GetItem()->GetCaption() : std::string("none");
  };
  W->SelectAndActivate(Bar->GetItemLinks()->GetShownLink(1)->GetControl());
  ASSERT_EQ(W, TopActiveBarControl());
  const struct {
    WORD Key;
    const char* Want;
  } Steps[] = {{VK_RIGHT, "&Bravo"}, {VK_END, "&Delta"}, {VK_RIGHT, "&Alpha"}, {VK_LEFT, "&Delta"},
               {VK_HOME, "&Alpha"},  {VK_TAB, "&Beta"},   {'B', "&Bravo"},    {'B', "&Beta"}};
  for (const auto& S : Steps) {
    KeyToWindow(W, S.Key);
    EXPECT_EQ(S.Want, Selected()) << "after key " << S.Key;
  }
  EXPECT_TRUE(Clicks.empty()) << "a shared accelerator only selects";
  KeyToWindow(W, 'D');
  EXPECT_EQ((std::vector<std::string>{"&Delta"}), Clicks) << "a unique accelerator runs its item";
  EXPECT_FALSE(W->IsActive());
  // Esc leaves the bar, and so does Alt.
  for (WORD Key : {VK_ESCAPE, VK_MENU}) {
    W->SelectAndActivate(Bar->GetItemLinks()->GetShownLink(0)->GetControl());
    KeyToWindow(W, Key);
    EXPECT_FALSE(W->IsActive()) << Key;
    EXPECT_EQ(nullptr, TopActiveBarControl()) << Key;
  }
}

// Alt with a letter typed on the form (real keys through the bar hooks): a unique
// accelerator runs its button, a shared one selects the first and the letter
// alone then moves on, and a sub-item's opens its menu.
TEST_F(ToolbarFixture, AltWithALetterRunsSelectsOrOpensAToolbarEntry) {
  TdxBar* Bar = MakeBar("Tools", dsTop, {clRed, clLime, clBlue}, {"&Beta", "&Bravo", "&Delta"});
  for (int I = 0; I < 3; ++I)
    static_cast<TdxBarButton*>(Bar->GetItemLinks()->GetLink(I)->GetItem())->SetPaintStyle(psCaptionGlyph);
  TdxBarSubItem* Speed = TdxBarSubItem::Create(Form);
  Speed->SetCaption("&Speed");
  TdxBarButton* Fast = TdxBarButton::Create(Form);
  Fast->SetCaption("Fast");
  Speed->GetItemLinks()->AddItem(Fast);
  Bar->GetItemLinks()->AddItem(Speed);
  Pump();
  TdxBarControl* W = Window(Bar);
  auto Type = [](std::vector<INPUT> Keys) {
    SendInput(static_cast<UINT>(Keys.size()), Keys.data(), sizeof(INPUT));
    Pump();
  };
  auto AltWith = [&](WORD Key) {
    Type({KeyInput(VK_MENU, true), KeyInput(Key, true), KeyInput(Key, false), KeyInput(VK_MENU, false)});
  };
  auto Selected = [&] {
    TdxBarItemLink* L = W->GetSelectedLink();
    return L ? L->GetItem()->GetCaption() : std::string("none");
  };

  AltWith('D');
  EXPECT_EQ((std::vector<std::string>{"&Delta"}), Clicks);
  EXPECT_EQ(nullptr, TopActiveBarControl()) << "running it leaves no bar active";

  AltWith('B');
  EXPECT_EQ(W, TopActiveBarControl());
  EXPECT_EQ("&Beta", Selected());
  Type({KeyInput('B', true), KeyInput('B', false)});
  EXPECT_EQ("&Bravo", Selected());
  EXPECT_EQ(1u, Clicks.size()) << "a shared accelerator only selects";
  Type({KeyInput(VK_ESCAPE, true), KeyInput(VK_ESCAPE, false)});
  EXPECT_EQ(nullptr, TopActiveBarControl());

  AltWith('S');
  TCustomdxBarControl* Menu = TopActiveBarControl();
  ASSERT_TRUE(Menu && Menu->IsSubMenuWindow()) << "the sub-item's menu is open";
  ASSERT_EQ(1, Menu->GetItemLinks()->GetCount());
  EXPECT_EQ(Fast, Menu->GetItemLinks()->GetLink(0)->GetItem());
  for (int I = 0; I < 2 && TopActiveBarControl(); ++I) Type({KeyInput(VK_ESCAPE, true), KeyInput(VK_ESCAPE, false)});
  EXPECT_EQ(nullptr, TopActiveBarControl());
}

TEST_F(ToolbarFixture, AVerticalBarTurnsTheArrows) {
  TdxBar* Bar = MakeBar("Side", dsLeft, {clRed, clLime, clBlue}, {"One", "Two", "Three"});
  TdxBarControl* W = Window(Bar);
  W->SelectAndActivate(Bar->GetItemLinks()->GetShownLink(0)->GetControl());
  KeyToWindow(W, VK_DOWN);
  EXPECT_EQ(Bar->GetItemLinks()->GetShownLink(1), W->GetSelectedLink());
  KeyToWindow(W, VK_DOWN);
  KeyToWindow(W, VK_UP);
  EXPECT_EQ(Bar->GetItemLinks()->GetShownLink(1), W->GetSelectedLink());
  KeyToWindow(W, VK_RIGHT);
  EXPECT_EQ(Bar->GetItemLinks()->GetShownLink(1), W->GetSelectedLink()) << "Right is Down here, which moves nothing";
  KeyToWindow(W, VK_ESCAPE);
}

// A bar docked left or right turns its captioned buttons: they lie along the bar
// and their caption runs down; with RotateWhenVertical off, or docked at the top,
// they stay as on a horizontal bar. Rotation and docking change on a shown bar.
TEST_F(ToolbarFixture, AVerticalBarTurnsItsCaptionsUnlessToldNotTo) {
  TdxBar* Bar = M->GetBars()->Add();
  Bar->SetCaption("Side");
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->SetCaption("Effects wide");
  Bar->GetItemLinks()->AddItem(B);
  Bar->SetDockingStyle(dsLeft);
  Bar->SetVisible(true);
  Pump();
  // The dark pixels of the caption in the button: their extent across and down.
  auto CaptionSpan = [&] {
    RECT R = Bar->GetItemLinks()->GetShownLink(0)->GetItemRect();
    POINT O = ClientPoint(Bar, POINT{R.left, R.top});
    int W = R.right - R.left, H = R.bottom - R.top;
    TMemoryDC Mem(W, H);
    HDC Screen = GetDC(nullptr);
    BitBlt(Mem.DC(), 0, 0, W, H, Screen, O.x, O.y, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    RECT Dark{W, H, -1, -1};
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        COLORREF C = Mem.Pixel(X, Y);
        if (GetRValue(C) + GetGValue(C) + GetBValue(C) < 200) {
          Dark.left = std::min<LONG>(Dark.left, X);
          Dark.top = std::min<LONG>(Dark.top, Y);
          Dark.right = std::max<LONG>(Dark.right, X + 1);
          Dark.bottom = std::max<LONG>(Dark.bottom, Y + 1);
        }
      }
    return SIZE{std::max<LONG>(0, Dark.right - Dark.left), std::max<LONG>(0, Dark.bottom - Dark.top)};
  };
  const struct {
    const char* What;
    TdxBarDockingStyle Style;
    bool Rotate;
    bool Turned;
  } Cases[] = {
      {"docked left", dsLeft, true, true},
      {"docked left, not rotating", dsLeft, false, false},
      {"docked right", dsRight, true, true},
      {"docked at the top", dsTop, true, false},
      {"docked left again", dsLeft, true, true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    Bar->SetRotateWhenVertical(C.Rotate);
    Bar->SetDockingStyle(C.Style);
    Pump();
    TdxBarControl* W = Window(Bar);
    ASSERT_TRUE(W);
    EXPECT_EQ(C.Turned, W->IsRotated());
    W->Repaint();
    Pump();
    RECT R = Bar->GetItemLinks()->GetShownLink(0)->GetItemRect();
    int Width = R.right - R.left, Height = R.bottom - R.top;
    SIZE Text = CaptionSpan();
    ASSERT_GT(Text.cx * Text.cy, 0) << "the caption shows";
    if (C.Turned) {
      EXPECT_GT(Height, Width) << "the button lies along the bar";
      EXPECT_GT(Text.cy, 2 * Text.cx) << "the caption runs down";
    } else {
      EXPECT_GT(Width, Height);
      EXPECT_GT(Text.cx, 2 * Text.cy) << "the caption runs across";
    }
  }
}

// Ctrl+Tab walks to the next toolbar with something to select, across managers.
TEST_F(ToolbarFixture, CtrlTabReachesTheNextToolbarOfAnotherManager) {
  TdxBar* First = MakeBar("First", dsTop, {clRed, clLime});
  // The other manager lives on a panel of the same form.
  TPanel* Panel = Add<TPanel>({0, 150, 400, 300});
  TdxBarManager* Other = NewManager(Panel);
  Other->SetHideFloatingBarsWhenInactive(false);
  TdxBar* Second = Other->GetBars()->Add();
  Second->SetCaption("Second");
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->SetCaption("Far");
  Second->GetItemLinks()->AddItem(B);
  Second->SetDockingStyle(dsBottom);
  Second->SetVisible(true);
  Pump();
  Window(First)->SelectAndActivate(First->GetItemLinks()->GetShownLink(0)->GetControl());
  SendKey(VK_CONTROL, true);
  Pump();
  KeyToWindow(Window(First), VK_TAB);
  SendKey(VK_CONTROL, false);
  Pump();
  EXPECT_FALSE(Window(First)->IsActive());
  ASSERT_TRUE(Window(Second));
  EXPECT_EQ(Window(Second), TopActiveBarControl());
  EXPECT_EQ(Second->GetItemLinks()->GetShownLink(0), Window(Second)->GetSelectedLink());
  KeyToWindow(Window(Second), VK_ESCAPE);
  Free(Other);
}
}  // namespace

namespace {
// A docked bar too long for its form shows the mark; a press on the mark opens a
// menu of the buttons that did not fit, a second press closes it, a command in it
// runs and closes it, and Enter on the selected mark opens it from the keyboard.
TEST_F(ToolbarFixture, TheMarkOpensAMenuOfTheButtonsThatDoNotFit) {
  std::vector<TColor> Colours(40, clRed);
  std::vector<std::string> Captions;
  for (int I = 0; I < 40; ++I) Captions.push_back("B" + std::to_string(I));
  TdxBar* Bar = MakeBar("Tools", dsTop, Colours, Captions);
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W && W->HasMark());
  std::vector<TdxBarItem*> Hidden;
  for (int I = 0; I < Bar->GetItemLinks()->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Bar->GetItemLinks()->GetShownLink(I);
    RECT R = L->GetItemRect();
    if (IsRectEmpty(&R)) Hidden.push_back(L->GetItem());
  }
  ASSERT_FALSE(Hidden.empty());
  RECT Mark = W->MarkScreenRect();
  POINT On{(Mark.left + Mark.right) / 2, (Mark.top + Mark.bottom) / 2};
  auto Popup = [&] { return W->GetQuickPopup(); };

  DragAlong(On, {On});
  ASSERT_TRUE(Popup());
  EXPECT_EQ(2, W->MarkButtonState());
  EXPECT_TRUE(IsWindowVisible(Popup()->GetHandle()));
  TdxBarItemLinks* Links = Popup()->GetItemLinks();
  ASSERT_EQ(static_cast<int>(Hidden.size()) + 1, Links->ShownLinkCount());
  for (size_t I = 0; I < Hidden.size(); ++I) EXPECT_EQ(Hidden[I], Links->GetShownLink(static_cast<int>(I))->GetItem());
  TdxBarItemLink* Access = Links->GetShownLink(Links->ShownLinkCount() - 1);
  EXPECT_EQ("&Add or Remove Buttons", Access->GetItem()->GetCaption());
  EXPECT_TRUE(Access->GetBeginGroup());
  RECT P = QueryWindowRect(Popup()->GetHandle());
  EXPECT_EQ(Mark.bottom, P.top) << "the menu opens below the mark";

  Sleep(600);  // not a double click
  DragAlong(On, {On});
  EXPECT_FALSE(Popup()) << "a second press on the mark closes the menu";
  EXPECT_NE(2, W->MarkButtonState());

  Sleep(600);
  DragAlong(On, {On});
  ASSERT_TRUE(Popup());
  TCustomdxBarControl* Menu = Popup();
  RECT Last = Menu->GetItemLinks()->GetShownLink(Menu->GetItemLinks()->ShownLinkCount() - 2)->GetItemRect();
  MapWindowPoints(Menu->GetHandle(), nullptr, reinterpret_cast<POINT*>(&Last), 2);
  POINT Entry{(Last.left + Last.right) / 2, (Last.top + Last.bottom) / 2};
  MoveTo(Entry);
  DragAlong(Entry, {Entry});
  EXPECT_EQ((std::vector<std::string>{"B39"}), Clicks);
  EXPECT_FALSE(Popup());
  MoveTo(Form->ClientToScreen(POINT{300, 200}));
  EXPECT_EQ(0, W->MarkButtonState()) << "the mark returns to normal when its menu closes";

  WORD Key = VK_RETURN;
  EXPECT_TRUE(W->GetMarkAccessibilityHelper()->ProcessNavigationKey(Key));
  ASSERT_TRUE(Popup()) << "Enter on the mark opens its menu";
  ASSERT_TRUE(Popup()->SelectedItemControl());
  EXPECT_EQ(Hidden[0], Popup()->SelectedItemControl()->GetItemLink()->GetItem()) << "its first entry selected";
  W->ShowHiddenItems(0);
  EXPECT_FALSE(Popup());
}

POINT Centre(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

// "Add or Remove Buttons" at the end of the mark's popup lists every button of the
// toolbar with its own caption and glyph and a check while it shows; a click on an
// entry hides or shows that button and leaves the list open.
TEST_F(ToolbarFixture, TheMarksAddOrRemoveListShowsAndHidesTheToolbarsButtons) {
  std::vector<TColor> Colours(40, clRed);
  Colours[0] = clBlue;
  std::vector<std::string> Captions;
  for (int I = 0; I < 40; ++I) Captions.push_back("B" + std::to_string(I));
  TdxBar* Bar = MakeBar("Tools", dsTop, Colours, Captions);
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W && W->HasMark());
  RECT Mark = W->MarkScreenRect();
  POINT On{(Mark.left + Mark.right) / 2, (Mark.top + Mark.bottom) / 2};
  DragAlong(On, {On});
  auto* Popup = dynamic_cast<TCustomdxBarControl*>(W->GetQuickPopup());
  ASSERT_TRUE(Popup);
  TdxBarItemLinks* PopupLinks = Popup->GetItemLinks();
  TdxBarItemLink* Access = PopupLinks->GetShownLink(PopupLinks->ShownLinkCount() - 1);
  auto* AccessItem = dynamic_cast<TCustomdxBarSubItem*>(Access->GetItem());
  ASSERT_TRUE(AccessItem);
  POINT AccessAt = Centre(Popup->ItemScreenRect(Access->GetControl()));
  MoveTo(AccessAt);
  DragAlong(AccessAt, {AccessAt});
  auto* List = dynamic_cast<TdxBarQuickAccessSubControl*>(AccessItem->GetItemLinks()->GetBarControl());
  ASSERT_TRUE(List) << "a click on the entry opens its list";
  ASSERT_TRUE(IsWindowVisible(List->GetHandle()));
  TdxBarItemLinks* Entries = List->GetItemLinks();
  ASSERT_GE(Entries->ShownLinkCount(), 40);
  auto Entry = [&](int I) { return dynamic_cast<TdxBarQuickCustItemControl*>(Entries->GetShownLink(I)->GetControl()); };
  ASSERT_TRUE(Entry(0) && Entry(7));
  EXPECT_EQ("B0", Entry(0)->LinkCaption());
  EXPECT_EQ("B7", Entry(7)->LinkCaption());
  EXPECT_EQ(Bar->GetItemLinks()->GetLink(0)->GetEffectiveGlyph(), Entry(0)->Glyph());
  RECT First = List->ItemScreenRect(Entry(0));
  // The check square is the entry's left end, as wide as the entry is high.
  RECT Square{First.left, First.top, First.left + (First.bottom - First.top), First.bottom};
  EXPECT_TRUE(ScreenShows(First, clBlue)) << "the entry shows the button's own glyph";
  EXPECT_TRUE(ScreenShows(Square, clBlack)) << "a check while the button shows";
  SaveScreenshot("quick-customize-list");

  POINT EntryAt = Centre(First);
  MoveTo(EntryAt);
  DragAlong(EntryAt, {EntryAt});
  EXPECT_FALSE(Bar->GetItemLinks()->GetLink(0)->GetVisible());
  EXPECT_EQ("B1", Bar->GetItemLinks()->GetShownLink(0)->GetItem()->GetCaption()) << "the toolbar lost B0";
  ASSERT_TRUE(IsWindowVisible(List->GetHandle())) << "the list stays open";
  Pump();
  EXPECT_FALSE(ScreenShows(Square, clBlack)) << "the check went";

  Sleep(600);  // not a double click
  DragAlong(EntryAt, {EntryAt});
  EXPECT_TRUE(Bar->GetItemLinks()->GetLink(0)->GetVisible());
  EXPECT_EQ("B0", Bar->GetItemLinks()->GetShownLink(0)->GetItem()->GetCaption()) << "B0 is back";
  EXPECT_TRUE(Clicks.empty()) << "no button ran";
  W->ShowHiddenItems(0);
}
}  // namespace

namespace {
// The mark's popup is a bar window of its own (a hidden bar made for it and freed
// with it) shown beside the mark without taking the activation: its frame is a
// border to the system, its edge toward the mark is drawn open, a right click on
// it opens nothing, and the mouse selecting a button of the toolbar closes it
// unless the mouse is back on the popup by then.
TEST_F(ToolbarFixture, TheMarksPopupStaysInactiveAndClosesWhenTheMouseSelectsElsewhere) {
  std::vector<TColor> Colours(40, clRed);
  TdxBar* Bar = MakeBar("Tools", dsTop, Colours);
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W && W->HasMark());
  int Bars = M->GetBars()->NumberOfItems();
  RECT Mark = W->MarkScreenRect();
  POINT On = Centre(Mark);
  auto Open = [&] {
    Sleep(600);  // not a double click
    DragAlong(On, {On});
    return dynamic_cast<TdxBarQuickControl*>(W->GetQuickPopup());
  };
  TdxBarQuickControl* Q = Open();
  ASSERT_TRUE(Q);
  EXPECT_EQ(bwkQuickCustomizing, Q->Kind());
  EXPECT_EQ(Q, BarDesignControllerInstance()->GetQuickControl());
  EXPECT_EQ(Bars + 1, M->GetBars()->NumberOfItems());
  ASSERT_TRUE(Q->GetBar());
  EXPECT_TRUE(Q->GetBar()->GetHidden());
  EXPECT_FALSE(Q->IsActive());
  EXPECT_EQ(Form->GetHandle(), GetForegroundWindow()) << "the form keeps the activation";

  HWND Wnd = Q->GetHandle();
  RECT P = QueryWindowRect(Wnd);
  EXPECT_EQ(Mark.right, P.right) << "right edges aligned under a docked bar";
  EXPECT_EQ(Mark.bottom, P.top);
  EXPECT_EQ(HTBORDER, SendMessageW(Wnd, WM_NCHITTEST, 0, MAKELPARAM(P.left, (P.top + P.bottom) / 2)));
  EXPECT_EQ(HTCLIENT, SendMessageW(Wnd, WM_NCHITTEST, 0, MAKELPARAM((P.left + P.right) / 2, (P.top + P.bottom) / 2)));
  EXPECT_TRUE(Q->GetHitTested());
  RECT Seam = Q->OwnerLinkRect(true);
  ASSERT_FALSE(IsRectEmpty(&Seam));
  EXPECT_EQ(P.top, Seam.top);
  EXPECT_EQ(Mark.left + 1, Seam.left);
  LOGBRUSH Background{};
  GetObjectW(Q->BackgroundBrush(), sizeof(Background), &Background);
  HDC DC = GetDC(nullptr);
  COLORREF OnSeam = GetPixel(DC, Seam.left + 1, Seam.top), OnFrame = GetPixel(DC, P.left + 1, P.top);
  ReleaseDC(nullptr, DC);
  EXPECT_EQ(Background.lbColor, OnSeam) << "the edge toward the mark is open";
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), OnFrame) << "the rest of the edge is framed";
  SaveScreenshot("quick-popup");

  POINT Inside = CentreOf(Q->ItemScreenRect(Q->GetItemLinks()->GetShownLink(0)->GetControl()));
  // Onto a toolbar button and straight back: the popup stays.
  MoveTo(Inside);
  TInputScript::Run({MouseInput(LinkCentre(Bar, 0), 0), MouseInput(Inside, 0)});
  Wait(400);
  EXPECT_EQ(Q, W->GetQuickPopup());

  // Onto a toolbar button to stay: the popup goes and its bar with it.
  MoveTo(LinkCentre(Bar, 0));
  Wait(400);
  EXPECT_EQ(nullptr, W->GetQuickPopup());
  EXPECT_EQ(nullptr, BarDesignControllerInstance()->GetQuickControl());
  EXPECT_EQ(0, W->MarkButtonState());
  Pump();
  EXPECT_EQ(Bars, M->GetBars()->NumberOfItems());

  Q = Open();
  ASSERT_TRUE(Q);
  ClickAt(Inside, true);
  EXPECT_EQ(Q, W->GetQuickPopup()) << "a right click leaves the popup open";
  EXPECT_EQ(nullptr, BarDesignControllerInstance()->GetToolbarsPopup());
  W->ShowHiddenItems(0);
  EXPECT_TRUE(Clicks.empty());
}
}  // namespace

namespace {
TEST(QuickPopupPlacement, BelowOrBesideTheMarkInsideTheWorkArea) {
  const RECT Area{0, 0, 800, 600};
  struct {
    const char* What;
    RECT Anchor;
    bool Vertical, AlignLeft;
    POINT At;
  } Cases[] = {
      {"below, right edges aligned", {300, 20, 311, 42}, false, false, {211, 42}},
      {"below, left edges aligned", {300, 20, 311, 42}, false, true, {300, 42}},
      {"kept off the left edge", {40, 20, 51, 42}, false, false, {0, 42}},
      {"kept off the right edge", {780, 20, 791, 42}, false, true, {700, 42}},
      {"above when the bottom runs off", {300, 500, 311, 522}, false, false, {211, 350}},
      {"beside a vertical bar", {0, 300, 22, 311}, true, false, {22, 300}},
      {"left of it when the right runs off", {760, 300, 782, 311}, true, false, {660, 300}},
      {"top kept inside", {0, 550, 22, 561}, true, false, {22, 450}},
  };
  for (const auto& C : Cases) {
    POINT P = PlaceQuickPopup(C.Anchor, SIZE{100, 150}, C.Vertical, C.AlignLeft, Area);
    EXPECT_EQ(C.At.x, P.x) << C.What;
    EXPECT_EQ(C.At.y, P.y) << C.What;
  }
}
}  // namespace

namespace {
// A floating bar dragged over an edge docks only once it stayed there for the
// manager's WaitForDockingTime; passing over it quicker leaves it floating.
TEST_F(ToolbarFixture, AFloatingBarDocksOnlyAfterWaitingOverTheEdge) {
  M->SetWaitForDockingTime(300);
  TdxBar* Bar = MakeBar("Tools", dsNone, {clRed, clLime, clBlue});
  POINT Top = Form->ClientToScreen(POINT{200, 3});
  auto Drag = [&](int HoldTicks) {
    POINT From = CaptionPoint(Bar);
    MoveTo(From);
    std::vector<INPUT> Events{MouseInput(From, MOUSEEVENTF_LEFTDOWN), MouseInput(POINT{From.x, From.y - 20}, 0),
                              MouseInput(Top, 0)};
    // Each tick is 15 ms: the cursor rests over the edge for HoldTicks of them.
    for (int I = 0; I < HoldTicks; ++I) Events.push_back(MouseInput(Top, 0));
    Events.push_back(MouseInput(Top, MOUSEEVENTF_LEFTUP));
    TInputScript::Run(Events);
  };
  Drag(2);
  EXPECT_EQ(dsNone, Bar->GetDockingStyle()) << "released before the wait ended";
  Sleep(600);
  Drag(60);
  EXPECT_EQ(dsTop, Bar->GetDockingStyle()) << "docked once the wait ended";
}
}  // namespace

namespace {
// Every window of this thread, children included.
int ThreadWindowCount() {
  int Count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND Wnd, LPARAM P) -> BOOL {
        ++*reinterpret_cast<int*>(P);
        EnumChildWindows(
            Wnd, [](HWND, LPARAM Q) -> BOOL { return ++*reinterpret_cast<int*>(Q) > 0; }, P);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Count));
  return Count;
}

// The windows of the bar window class on this thread, parked or shown, children included.
int BarWindowCount() {
  static constexpr auto Visit = [](HWND Wnd, LPARAM P) -> BOOL {
    wchar_t Name[64] = {};
    GetClassNameW(Wnd, Name, 64);
    if (std::wstring(Name) == L"TdxBarControl") ++*reinterpret_cast<int*>(P);
    return TRUE;
  };
  int Count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND Wnd, LPARAM P) -> BOOL {
        Visit(Wnd, P);
        return EnumChildWindows(Wnd, Visit, P), TRUE;
      },
      reinterpret_cast<LPARAM>(&Count));
  return Count;
}

// The windows of a dragged bar as seen at one tick of the drag.
struct TSwapSample {
  HWND InUse, Docked, Floating, DockedParent;
  bool DockedShown, FloatingShown;
};

// Clicks the edit, types Text and presses Enter; the item's text afterwards.
std::string TypeIntoEdit(TdxBar* Bar, TdxBarEdit* Edit, int Index, const std::string& Text) {
  POINT P = ToolbarFixture::LinkCentre(Bar, Index);
  MoveTo(P);
  TInputScript::Run({MouseInput(P, MOUSEEVENTF_LEFTDOWN), MouseInput(P, MOUSEEVENTF_LEFTUP)});
  Pump();
  HWND Focus = GetFocus();
  SendMessageW(Focus, EM_SETSEL, 0, -1);
  for (char Ch : Text) PostMessageW(Focus, WM_CHAR, static_cast<WPARAM>(Ch), 1);
  PressKey(VK_RETURN);
  return Edit->GetText();
}
}  // namespace

// While a bar is dragged its window keeps one docked and one floating window and
// uses one at a time: the docked one waits hidden with no parent while the bar
// floats and is taken back when it docks again; the one left unused when the drag
// ends is destroyed (nothing else stays behind), and the bar's edit keeps its
// editor and keeps working.
TEST_F(ToolbarFixture, ADraggedBarSwapsBetweenAKeptDockedAndAKeptFloatingWindow) {
  TdxBar* Bar = MakeBar("Tools", dsTop, {clRed, clLime});
  TdxBarEdit* Edit = TdxBarEdit::Create(Form);
  Edit->SetText("start");
  Bar->GetItemLinks()->AddItem(Edit);
  Pump();
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W);
  HWND Docked = W->GetHandle();
  auto EditorOf = [&] {
    auto* C = dynamic_cast<TdxBarWinControl*>(Bar->GetItemLinks()->GetShownLink(2)->GetControl());
    return C ? C->InnerWindow() : nullptr;
  };
  HWND Editor = EditorOf();
  ASSERT_TRUE(Editor && IsWindow(Editor));
  int Windows = ThreadWindowCount();
  long Gdi = BarGdiCounts().Alive();

  std::vector<TSwapSample> Samples;
  auto Sample = [&] {
    if (!W->IsMoving() || !W->HandleAllocated()) return;
    HWND D = W->GetDockedHandle(), F = W->GetFloatingHandle();
    Samples.push_back({W->GetHandle(), D, F, GetAncestor(D, GA_PARENT), IsWindowVisible(D) != 0,
                       IsWindowVisible(F) != 0});
  };
  TInputScript::OnTick = Sample;
  POINT Middle = Form->ClientToScreen(POINT{200, 150});
  POINT Top = Form->ClientToScreen(POINT{200, 3});
  std::vector<POINT> Path{POINT{Middle.x, Middle.y - 20}, Middle, POINT{Middle.x + 1, Middle.y}};
  for (int I = 0; I < 3; ++I) Path.push_back(Middle);
  for (POINT P : {Top, POINT{Top.x + 1, Top.y}, Top, Top}) Path.push_back(P);
  DragAlong(GripPoint(Bar), Path);
  ASSERT_FALSE(Samples.empty());
  HWND Floating = Samples.front().Floating;
  ASSERT_TRUE(Floating && Floating != Docked);
  bool SawFloating = false, SawDockedAfter = false;
  for (const TSwapSample& S : Samples) {
    EXPECT_EQ(Docked, S.Docked) << "one docked window all along";
    EXPECT_EQ(Floating, S.Floating) << "one floating window all along";
    if (S.InUse == Floating) {
      SawFloating = true;
      EXPECT_EQ(GetDesktopWindow(), S.DockedParent) << "the docked window is parked without a parent";
      EXPECT_FALSE(S.DockedShown);
    } else if (SawFloating) {
      SawDockedAfter = true;
      EXPECT_EQ(Docked, S.InUse) << "docking again takes the docked window back";
      EXPECT_FALSE(S.FloatingShown);
    }
  }
  EXPECT_TRUE(SawFloating && SawDockedAfter);
  TInputScript::OnTick = nullptr;

  EXPECT_EQ(dsTop, Bar->GetDockingStyle());
  EXPECT_TRUE(Bar->GetVisible());
  EXPECT_EQ(Docked, W->GetHandle());
  EXPECT_FALSE(IsWindow(Floating)) << "the floating window is destroyed when the drag ends docked";
  EXPECT_EQ(nullptr, W->GetFloatingHandle());
  EXPECT_EQ(Windows, ThreadWindowCount());
  EXPECT_EQ(Gdi, BarGdiCounts().Alive());
  EXPECT_EQ(Editor, EditorOf()) << "the editor went through the drag";
  EXPECT_EQ("typed", TypeIntoEdit(Bar, Edit, 2, "typed"));

  // A drag that ends floating destroys the docked window instead; the editor moves
  // into the floating one.
  Sleep(600);
  Samples.clear();
  TInputScript::OnTick = Sample;
  DragAlong(GripPoint(Bar), {POINT{Middle.x, Middle.y - 20}, Middle, POINT{Middle.x + 1, Middle.y}});
  TInputScript::OnTick = nullptr;
  ASSERT_FALSE(Samples.empty());
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  EXPECT_EQ(Samples.front().Floating, W->GetHandle());
  EXPECT_FALSE(IsWindow(Docked));
  EXPECT_EQ(Windows, ThreadWindowCount());
  EXPECT_EQ(W->GetHandle(), GetAncestor(EditorOf(), GA_PARENT));
  EXPECT_EQ("again", TypeIntoEdit(Bar, Edit, 2, "again"));
}

// A press on a disabled caption button neither clicks it nor drags the bar, and
// leaves no window behind.
TEST_F(ToolbarFixture, APressOnADisabledCaptionButtonDoesNothing) {
  TdxBar* Bar = MakeBar("Tools", dsNone, {clRed, clLime});
  TdxBarCaptionButton* Off = Bar->GetCaptionButtons()->AddButton();
  Off->OnClick = TNotifyEvent(this, &ToolbarFixture::CaptionClicked);
  Off->SetEnabled(false);
  Pump();
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W && W->IsFloating());
  HWND Floating = W->GetHandle();
  int Windows = BarWindowCount();
  RECT Before = ScreenRect(Bar), R = Off->GetRect();
  ASSERT_FALSE(IsRectEmpty(&R));
  POINT On{Before.left + (R.left + R.right) / 2, Before.top + (R.top + R.bottom) / 2};
  DragAlong(On, {POINT{On.x + 30, On.y + 40}, POINT{On.x + 60, On.y + 60}});
  Sleep(600);
  for (int I = 0; I < 2; ++I) DragAlong(On, {On});  // a double click does not dock it
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  RECT After = ScreenRect(Bar);
  EXPECT_EQ(0, CaptionClicks);
  EXPECT_TRUE(EqualRect(&Before, &After)) << "the bar did not move";
  EXPECT_EQ(Floating, W->GetHandle());
  EXPECT_EQ(nullptr, W->GetDockedHandle());
  EXPECT_EQ(Windows, BarWindowCount());

  // A drag from the caption that docks the bar and floats it again keeps nothing either.
  Sleep(600);
  POINT Top = Form->ClientToScreen(POINT{200, 3}), Middle = Form->ClientToScreen(POINT{200, 150});
  DragAlong(CaptionPoint(Bar), {Middle, Top, POINT{Top.x + 1, Top.y}, Top, Middle, POINT{Middle.x + 1, Middle.y}});
  EXPECT_EQ(dsNone, Bar->GetDockingStyle());
  EXPECT_EQ(Windows, BarWindowCount());
  Sleep(600);
  DragAlong(CaptionPoint(Bar), {Middle, Top, POINT{Top.x + 1, Top.y}, Top, Top});
  EXPECT_EQ(dsTop, Bar->GetDockingStyle());
  EXPECT_EQ(Windows, BarWindowCount());
}

// A bar window freed in the middle of a drag, between giving up one window and
// taking the next, destroys both kept windows.
TEST_F(ToolbarFixture, ABarWindowFreedWhileDraggedWithoutAWindowDestroysItsKeptWindows) {
  TdxBar* Bar = MakeBar("Tools", dsTop, {clRed, clLime});
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W);
  W->SetMoving(true);
  HWND Docked = W->GetDockedHandle(), Floating = W->GetFloatingHandle();
  ASSERT_TRUE(IsWindow(Docked) && IsWindow(Floating));
  W->ChangeDockSite(nullptr, dsNone);
  ASSERT_FALSE(W->HandleAllocated());
  Bar->SetVisible(false);
  Pump();
  EXPECT_FALSE(IsWindow(Docked));
  EXPECT_FALSE(IsWindow(Floating));
}

namespace {
// While the keyboard's selection is on the mark's helper the mark shows hot, and
// as before once the selection leaves it.
TEST_F(ToolbarFixture, TheMarkShowsHotWhileTheKeyboardSelectsIt) {
  std::vector<TColor> Colours(40, clBlue);
  TdxBar* Bar = MakeBar("Tools", dsTop, Colours);
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W && W->HasMark());
  MoveTo(Form->ClientToScreen(POINT{300, 200}));
  auto MarkPixels = [&] {
    RedrawWindow(W->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump();
    return ScreenPixels(W->MarkScreenRect());
  };
  std::vector<COLORREF> Normal = MarkPixels();
  ASSERT_FALSE(Normal.empty());
  TdxBarAccessibilityHelper* Mark = W->GetMarkAccessibilityHelper();
  Mark->SelectHelper(false);
  EXPECT_EQ(1, W->MarkButtonState());
  EXPECT_NE(Normal, MarkPixels()) << "the selected mark draws hot";
  Mark->Deselect(nullptr);
  EXPECT_EQ(0, W->MarkButtonState());
  EXPECT_EQ(Normal, MarkPixels());
}
}  // namespace

namespace {
// A docked toolbar shows its mark when links are cut off, or always when it can be
// customized quickly (the bar allows it and the look supports it); a look without
// quick customizing draws the mark only on a cut-off bar, and a click on it still
// opens the buttons that did not fit. A bar that fits keeps all its buttons left of its mark, and its mark's
// popup then holds only "Add or Remove Buttons".
TEST_F(ToolbarFixture, TheMarkShowsForCutOffLinksOrQuickCustomizing) {
  const struct {
    const char* What;
    TdxBarManagerStyle Style;
    bool AllowQuick;
    bool ShowMark;
    int Buttons;
    bool Mark;
    bool Opens;
  } Cases[] = {
      {"fits, quick customizing", bmsEnhanced, true, true, 3, true, true},
      {"fits, no quick customizing", bmsEnhanced, false, true, 3, false, false},
      {"cut off, no quick customizing", bmsEnhanced, false, true, 40, true, true},
      {"cut off, ShowMark off", bmsEnhanced, true, false, 40, false, false},
      {"fits, a look without quick customizing", bmsStandard, true, true, 3, false, false},
      {"cut off, a look without quick customizing", bmsStandard, true, true, 40, true, true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    M->SetStyle(C.Style);
    TdxBar* Bar = MakeBar("Tools", dsTop, std::vector<TColor>(static_cast<size_t>(C.Buttons), clRed));
    Bar->SetAllowQuickCustomizing(C.AllowQuick);
    Bar->SetShowMark(C.ShowMark);
    Pump();
    TdxBarControl* W = Window(Bar);
    ASSERT_TRUE(W);
    EXPECT_EQ(C.Mark, W->HasMark());
    RECT Mark = W->MarkClientRect();
    EXPECT_EQ(C.Mark, !IsRectEmpty(&Mark));
    TdxBarItemLinks* Links = Bar->GetItemLinks();
    if (C.Buttons == 3) {
      EXPECT_FALSE(W->GetTruncated());
      for (int I = 0; I < Links->ShownLinkCount(); ++I) {
        RECT R = Links->GetShownLink(I)->GetItemRect();
        EXPECT_FALSE(IsRectEmpty(&R)) << "button " << I << " fits";
        if (C.Mark) {
          EXPECT_LE(R.right, Mark.left) << "button " << I << " lies left of the mark";
        }
      }
    }
    if (C.Mark) {
      POINT On = CentreOf(W->MarkScreenRect());
      MoveTo(On);
      DragAlong(On, {On});
      auto* Popup = dynamic_cast<TCustomdxBarControl*>(W->GetQuickPopup());
      EXPECT_EQ(C.Opens, Popup != nullptr);
      if (Popup && C.Buttons == 3) {
        ASSERT_EQ(1, Popup->GetItemLinks()->ShownLinkCount());
        EXPECT_EQ("&Add or Remove Buttons", Popup->GetItemLinks()->GetShownLink(0)->GetItem()->GetCaption());
      }
      W->ShowHiddenItems(0);
      Pump();
      Sleep(600);  // the next press is no double click
    }
    Bar->SetVisible(false);
    Free(Bar);
    Pump();
  }
}

// An open mark popup keeps the mark as its owner: when the toolbar moves, the
// popup's seam follows the mark (here the mark leaves the popup's edge, so the seam
// closes). Hidden by anyone, the popup closes.
TEST_F(ToolbarFixture, AnOpenMarkPopupFollowsItsMarkAndClosesWhenHidden) {
  M->SetStyle(bmsFlat);
  M->SetMenuAnimations(maNone);
  TdxBar* Bar = MakeBar("Tools", dsTop, std::vector<TColor>(40, clRed));
  TdxBarControl* W = Window(Bar);
  ASSERT_TRUE(W && W->HasMark());
  RECT Mark = W->MarkScreenRect();
  POINT On = CentreOf(Mark);
  MoveTo(On);
  DragAlong(On, {On});
  auto* Popup = dynamic_cast<TdxBarQuickControl*>(W->GetQuickPopup());
  ASSERT_TRUE(Popup && IsWindowVisible(Popup->GetHandle()));
  RECT Seam = Popup->OwnerLinkRect(true);
  ASSERT_FALSE(IsRectEmpty(&Seam)) << "the popup opens against the mark";

  // The toolbar moves down by 6 pixels inside its site; the popup stays.
  RECT B = W->GetBoundsRect();
  SetWindowPos(W->GetHandle(), nullptr, B.left, B.top + 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  RECT Moved = W->MarkScreenRect();
  ASSERT_EQ(Mark.top + 6, Moved.top);
  ASSERT_EQ(Popup, W->GetQuickPopup());
  Seam = Popup->OwnerLinkRect(true);
  EXPECT_TRUE(IsRectEmpty(&Seam)) << "the moved mark no longer meets the popup";

  ShowWindow(Popup->GetHandle(), SW_HIDE);
  Pump();
  EXPECT_EQ(nullptr, W->GetQuickPopup()) << "the hidden popup closed";
  EXPECT_EQ(0, W->MarkButtonState());
}
}  // namespace
