// The drop-down popup under Xvfb: real windows, clicks through the system's input
// queue, and the hooks' decisions fed fabricated messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Panel.h"
#include "suite/common/cxContainerRoutines.h"
#include "suite/common/cxCustomPopupWindow.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_common/FormFixture.h"

namespace {
class TTestPopup : public TcxCustomPopupWindow {
  SONVELT_CLASS(TTestPopup, TcxCustomPopupWindow)
public:
  using TcxCustomPopupWindow::TcxCustomPopupWindow;
  bool PassAnswer = false;
  std::vector<std::string>* Log = nullptr;
  std::string Name;
  std::function<void(TTestPopup*)> Showed;
  bool PassClickThrough(HWND, UINT, POINT, TShiftState) override { return PassAnswer; }

protected:
  void DoClosed() override {
    if (Log) Log->push_back("closed " + Name);
    TcxCustomPopupWindow::DoClosed();
  }
  void DoShowed() override {
    TcxCustomPopupWindow::DoShowed();
    if (Showed) Showed(this);
  }
};

// Records the clicks a panel receives.
struct TClickLog {
  std::vector<std::string> Clicks;
  void MouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    Clicks.push_back(static_cast<TComponent*>(Sender)->GetName());
  }
};

// A real click, given time to close or keep the popup.
void SendClick(POINT ScreenPoint) {
  ClickAt(ScreenPoint);
  Pump();
}

POINT CenterOf(TControl* C) { return C->ClientToScreen(POINT{C->GetWidth() / 2, C->GetHeight() / 2}); }

struct PopupFixture : ShownFormFixture {
  TPanel* OwnerPanel = nullptr;
  TPanel* Other = nullptr;
  TClickLog Log;
  std::vector<std::string> Closed;
  void AddControls() override {
    OwnerPanel = Add<TPanel>(RECT{10, 10, 110, 40});
    OwnerPanel->SetName("OwnerPanel");
    Other = Add<TPanel>(RECT{200, 200, 300, 260});
    Other->SetName("Other");
    Other->OnMouseDown = Bind(&Log, &TClickLog::MouseDown);
    OwnerPanel->OnMouseDown = Bind(&Log, &TClickLog::MouseDown);
  }
  // A popup below OwnerPanel (or below Owner), 120 x 80.
  TTestPopup* MakePopup(const std::string& Name, bool Capture, TWinControl* Owner = nullptr) {
    if (!Owner) Owner = OwnerPanel;
    auto* P = TTestPopup::Create(Owner);
    P->Name = Name;
    P->Log = &Closed;
    P->SetCaptureFocus(Capture);
    P->SetBounds(0, 0, 120, 80);
    P->SetOwnerParent(Owner->GetParent());
    P->SetOwnerBounds(Owner->GetBoundsRect());
    return P;
  }
};

CWPSTRUCT Sent(HWND Wnd, UINT Msg, WPARAM W = 0) { return CWPSTRUCT{0, W, Msg, Wnd}; }
}  // namespace

TEST(ContainerRoutines, DrainingPutsAQuitBackAndStops) {
  TOwned<TForm> F(TForm::Create(nullptr));
  HWND W = F->GetHandle();
  PostMessageW(W, WM_USER + 1, 0, 0);
  PostMessageW(W, WM_USER + 2, 0, 0);
  EXPECT_TRUE(DrainMessages(W, WM_USER + 1, WM_USER + 2, false));
  MSG M;
  EXPECT_TRUE(PeekMessageW(&M, W, WM_USER + 2, WM_USER + 2, PM_NOREMOVE)) << "without All only the first goes";
  EXPECT_TRUE(DrainMessages(W, WM_USER + 1, WM_USER + 2, true));
  EXPECT_FALSE(DrainMessages(W, WM_USER + 1, WM_USER + 2, true));

  // A quit comes after the posted messages; met, it goes back and the removal ends
  // (taking the re-posted quit again would never end).
  PostMessageW(W, WM_USER + 1, 0, 0);
  PostQuitMessage(7);
  EXPECT_TRUE(DrainMessages(nullptr, 0, WM_USER + 1, true));
  ASSERT_TRUE(PeekMessageW(&M, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was posted again";
  EXPECT_EQ(M.wParam, 7u);
  PostQuitMessage(3);
  EXPECT_FALSE(DrainMessages(nullptr, 0, WM_USER + 1, true)) << "a quit alone removes nothing";
  ASSERT_TRUE(PeekMessageW(&M, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(M.wParam, 3u);
}

TEST(ContainerRoutines, ReenablingSkipsWindowsThatWentAndTopLevelAncestors) {
  TOwned<TForm> F(TForm::Create(nullptr));
  auto* Panel = TPanel::Create(F.get());
  Panel->SetParent(F.get());
  HWND A = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND B = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_DISABLED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  std::vector<HWND> List;
  DisableAndRemember(List, A);
  DisableAndRemember(List, B);
  DisableAndRemember(List, Panel->GetHandle());
  EXPECT_EQ(List, (std::vector<HWND>{A, Panel->GetHandle()})) << "a disabled window is not remembered";
  EXPECT_FALSE(IsWindowEnabled(A));
  DestroyWindow(A);
  ReenableRemembered(&List);
  ReenableRemembered(nullptr);
  EXPECT_TRUE(IsWindowEnabled(Panel->GetHandle()));
  EXPECT_FALSE(IsWindowEnabled(B));
  DestroyWindow(B);

  EXPECT_EQ(FirstTopLevelAncestor(Panel->GetHandle()), F->GetHandle());
  EXPECT_EQ(FirstTopLevelAncestor(F->GetHandle()), F->GetHandle());
  EXPECT_EQ(FirstTopLevelAncestor(nullptr), nullptr);
  {
    THeldKeys Keys({VK_SHIFT, VK_CONTROL});
    EXPECT_EQ(CurrentShiftState(), (TShiftState{ssShift, ssCtrl}));
  }
  EXPECT_EQ(CurrentShiftState(), TShiftState{});
}

TEST_F(PopupFixture, AClickElsewhereClosesTheDropDownAndStillArrives) {
  TTestPopup* P = MakePopup("p", false);
  P->ShowPopup(nullptr);
  ASSERT_TRUE(P->IsListed());
  EXPECT_TRUE(IsWindowVisible(P->GetHandle()));
  RECT R;
  GetWindowRect(P->GetHandle(), &R);
  const POINT Below = OwnerPanel->ClientToScreen(POINT{0, OwnerPanel->GetHeight()});
  EXPECT_EQ(R.left, Below.x);
  EXPECT_EQ(R.top, Below.y);
  EXPECT_NE(GetForegroundWindow(), P->GetHandle()) << "a non-capturing popup never takes the activation";

  SendClick(CenterOf(Other));
  EXPECT_FALSE(P->IsListed());
  EXPECT_FALSE(IsWindowVisible(P->GetHandle()));
  EXPECT_EQ(Log.Clicks, std::vector<std::string>{"Other"});
  EXPECT_FALSE(P->TakeJustClosedFlag());

  // A popup that answers true eats the closing click.
  P->PassAnswer = true;
  P->ShowPopup(nullptr);
  SendClick(CenterOf(Other));
  EXPECT_FALSE(P->IsListed());
  EXPECT_EQ(Log.Clicks, std::vector<std::string>{"Other"});
}

TEST_F(PopupFixture, AClickOnTheOwnerSetsTheJustClosedFlagOnlyWhenAskedTo) {
  TTestPopup* P = MakePopup("p", false);
  for (bool Answer : {false, true}) {
    Log.Clicks.clear();
    P->PassAnswer = Answer;
    P->ShowPopup(nullptr);
    ASSERT_TRUE(P->IsListed());
    SendClick(CenterOf(OwnerPanel));
    EXPECT_FALSE(P->IsListed()) << Answer;
    EXPECT_EQ(Log.Clicks, std::vector<std::string>{"OwnerPanel"}) << "the click passes either way";
    EXPECT_EQ(P->TakeJustClosedFlag(), Answer);
    EXPECT_FALSE(P->TakeJustClosedFlag()) << "the flag is taken once";
  }
  // Nothing opens for a hidden owner, nor twice.
  OwnerPanel->SetVisible(false);
  P->ShowPopup(nullptr);
  EXPECT_FALSE(P->IsListed());
  OwnerPanel->SetVisible(true);
  P->ShowPopup(nullptr);
  P->ShowPopup(nullptr);
  EXPECT_EQ(VisiblePopups().size(), 1u);
  P->CloseUp();
}

TEST_F(PopupFixture, HidingTheFirstOwnerClosesNestedPopupsLastFirst) {
  TTestPopup* First = MakePopup("first", false);
  First->ShowPopup(nullptr);
  auto* Inner = TPanel::Create(First);
  Inner->SetBounds(5, 5, 60, 20);
  Inner->SetParent(First);
  TTestPopup* Second = MakePopup("second", false, Inner);
  Second->ShowPopup(nullptr);
  ASSERT_EQ(VisiblePopups(), (std::vector<TcxCustomPopupWindow*>{First, Second}));
  // A click on the nested popup belongs to the first one: nothing closes.
  SendClick(CenterOf(Second));
  EXPECT_EQ(VisiblePopups().size(), 2u);
  OwnerPanel->SetVisible(false);
  Pump();
  EXPECT_TRUE(VisiblePopups().empty());
  EXPECT_EQ(Closed, (std::vector<std::string>{"closed second", "closed first"}));

  // The same when the owner is hidden with ShowWindow.
  OwnerPanel->SetVisible(true);
  Closed.clear();
  First->ShowPopup(nullptr);
  Second->ShowPopup(nullptr);
  EXPECT_FALSE(PopupCallWndProcDecision(Sent(Inner->GetHandle(), WM_SHOWWINDOW, TRUE)));
  EXPECT_EQ(VisiblePopups().size(), 2u);
  PopupCallWndProcDecision(Sent(OwnerPanel->GetHandle(), WM_SHOWWINDOW, FALSE));
  EXPECT_TRUE(VisiblePopups().empty());
  EXPECT_EQ(Closed, (std::vector<std::string>{"closed second", "closed first"}));
}

TEST_F(PopupFixture, LosingTheApplicationClosesNonCapturingPopupsAndDimsTheOwnersCaption) {
  TTestPopup* P = MakePopup("p", false);
  P->ShowPopup(nullptr);
  MSG M;
  while (PeekMessageW(&M, Form->GetHandle(), WM_NCACTIVATE, WM_NCACTIVATE, PM_REMOVE)) {
  }
  EXPECT_TRUE(PopupCallWndProcDecision(Sent(Form->GetHandle(), WM_NCACTIVATE, FALSE)))
      << "the owner's form keeps its active caption while the popup is open";
  EXPECT_FALSE(PopupCallWndProcDecision(Sent(Other->GetHandle(), WM_NCACTIVATE, FALSE)));
  EXPECT_FALSE(PopupCallWndProcDecision(Sent(Form->GetHandle(), WM_ACTIVATEAPP, TRUE)));
  EXPECT_TRUE(P->IsListed());
  EXPECT_FALSE(PopupCallWndProcDecision(Sent(Form->GetHandle(), WM_ACTIVATEAPP, FALSE)));
  EXPECT_FALSE(P->IsListed());
  ASSERT_TRUE(PeekMessageW(&M, Form->GetHandle(), WM_NCACTIVATE, WM_NCACTIVATE, PM_REMOVE));
  EXPECT_EQ(M.wParam, static_cast<WPARAM>(FALSE));
  EXPECT_FALSE(PopupCallWndProcDecision(Sent(Form->GetHandle(), WM_NCACTIVATE, FALSE)));
}

TEST_F(PopupFixture, AltKeysTurnIntoNothingWhileADropDownIsTheLastOpen) {
  TTestPopup* P = MakePopup("p", false);
  P->ShowPopup(nullptr);
  struct Case {
    UINT Msg;
    WPARAM Key, Remove;
    UINT Expected;
  } Cases[] = {
      {WM_SYSKEYDOWN, 'X', PM_REMOVE, WM_NULL},         {WM_SYSKEYDOWN, VK_F4, PM_REMOVE, WM_SYSKEYDOWN},
      {WM_SYSKEYDOWN, VK_DOWN, PM_REMOVE, WM_SYSKEYDOWN}, {WM_SYSKEYDOWN, VK_PRIOR, PM_REMOVE, WM_SYSKEYDOWN},
      {WM_SYSKEYDOWN, 'X', PM_NOREMOVE, WM_SYSKEYDOWN},   {WM_KEYDOWN, 'X', PM_REMOVE, WM_KEYDOWN},
  };
  for (const Case& C : Cases) {
    MSG M{Form->GetHandle(), C.Msg, C.Key, 0};
    PopupGetMessageDecision(M, C.Remove);
    EXPECT_EQ(M.message, C.Expected) << C.Key;
  }
  P->CloseUp();
  MSG M{Form->GetHandle(), WM_SYSKEYDOWN, 'X', 0};
  PopupGetMessageDecision(M, PM_REMOVE);
  EXPECT_EQ(M.message, static_cast<UINT>(WM_SYSKEYDOWN)) << "no popup, no filtering";
}

TEST_F(PopupFixture, ACapturingPopupRunsItsLoopUntilThePrivateCloseArrives) {
  TTestPopup* P = MakePopup("p", true);
  std::vector<WPARAM> SysKeys;
  struct TRecorder {
    std::vector<WPARAM>* Keys;
    void Message(MSG& M, bool&) {
      if (M.message == WM_SYSKEYDOWN) Keys->push_back(M.wParam);
    }
  } Recorder{&SysKeys};
  Application->OnMessage = Bind(&Recorder, &TRecorder::Message);
  bool ListedWhileOpen = false, OwnerFocused = false;
  P->Showed = [&](TTestPopup* Self) {
    ListedWhileOpen = Self->IsListed() && GetActiveWindow() == Self->GetHandle();
    PostMessageW(Self->GetHandle(), WM_SYSKEYDOWN, VK_RETURN, 0);
    PostMessageW(Self->GetHandle(), WM_SYSKEYDOWN, 'A', 0);
    PostMessageW(Self->GetHandle(), WM_SYSKEYDOWN, VK_SPACE, 0);
    PostMessageW(Self->GetHandle(), DXM_POPUPCLOSE, 0, 0);
  };
  P->ShowPopup(nullptr);
  OwnerFocused = GetFocus() == OwnerPanel->GetHandle();
  Application->OnMessage = nullptr;
  EXPECT_TRUE(ListedWhileOpen);
  EXPECT_FALSE(P->IsListed()) << "ShowPopup came back once the popup closed";
  EXPECT_EQ(SysKeys, std::vector<WPARAM>{'A'}) << "Alt+Enter and Alt+Space never reach the popup";
  EXPECT_TRUE(OwnerFocused);
}

TEST_F(PopupFixture, AChildPopupTakingTheActivationLeavesItsParentOpen) {
  TTestPopup* Outer = MakePopup("outer", true);
  auto* Inner = TPanel::Create(Outer);
  Inner->SetBounds(5, 5, 60, 20);
  Inner->SetParent(Outer);
  TTestPopup* Child = MakePopup("child", true, Inner);
  bool OuterOpenMeanwhile = false;
  Child->Showed = [&](TTestPopup* Self) {
    OuterOpenMeanwhile = Outer->IsListed() && GetActiveWindow() == Self->GetHandle();
    PostMessageW(Self->GetHandle(), DXM_POPUPCLOSE, 0, 0);
  };
  Outer->Showed = [&](TTestPopup* Self) {
    Child->ShowPopup(nullptr);
    PostMessageW(Self->GetHandle(), DXM_POPUPCLOSE, 0, 0);
  };
  Outer->ShowPopup(nullptr);
  EXPECT_TRUE(OuterOpenMeanwhile);
  EXPECT_EQ(Closed, (std::vector<std::string>{"closed child", "closed outer"}));
}

TEST_F(PopupFixture, SwallowedMessagesNeverReachTheirWindow) {
  // Activation notices are swallowed while a popup closes.
  TTestPopup* P = MakePopup("p", false);
  P->ShowPopup(nullptr);
  bool DuringClose = false, Outside = true;
  struct TProbe {
    bool* During;
    void Closing(TObject*) { *During = PopupCallWndProcDecision(Sent(nullptr, CM_DEACTIVATE)); }
  } Probe{&DuringClose};
  P->OnClosing = Bind(&Probe, &TProbe::Closing);
  Outside = PopupCallWndProcDecision(Sent(nullptr, CM_DEACTIVATE));
  P->CloseUp();
  EXPECT_TRUE(DuringClose);
  EXPECT_FALSE(Outside);

  // Our window honours its mark; a foreign window gets a one-shot stub.
  int Handled = 0;
  struct TCounter {
    int* N;
    void Down(TObject*, TMouseButton, TShiftState, int, int) { ++*N; }
  } Counter{&Handled};
  Other->OnMouseDown = Bind(&Counter, &TCounter::Down);
  SwallowMessage(Other->GetHandle(), WM_LBUTTONDOWN);
  EXPECT_EQ(SendMessageW(Other->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)), 1);
  EXPECT_EQ(Handled, 0);
  SendMessageW(Other->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(Other->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Handled, 1) << "only the next one is swallowed";

  HWND Foreign = CreateWindowExW(0, L"EDIT", L"abc", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  const LONG_PTR Proc = GetWindowLongPtrW(Foreign, GWLP_WNDPROC);
  SwallowMessage(Foreign, WM_SETTEXT);
  EXPECT_EQ(SendMessageW(Foreign, WM_GETTEXTLENGTH, 0, 0), 3) << "other messages still arrive";
  EXPECT_EQ(SendMessageW(Foreign, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"xyz12")), 1);
  EXPECT_EQ(GetWindowLongPtrW(Foreign, GWLP_WNDPROC), Proc) << "the stub put the window's procedure back";
  EXPECT_EQ(SendMessageW(Foreign, WM_GETTEXTLENGTH, 0, 0), 3);
  SendMessageW(Foreign, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"xyz12"));
  EXPECT_EQ(SendMessageW(Foreign, WM_GETTEXTLENGTH, 0, 0), 5);
  DestroyWindow(Foreign);
}
