// The Customize dialog of a manager in customizing mode: one form per process,
// its window frame, the toolbars list's check boxes, rename and new toolbars,
// deleting and moving what a list selects, and the options page.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/Exceptions.h"
#include "framework/ListControls.h"
#include "framework/PageControl.h"
#include "framework/Screen.h"
#include "framework/Panel.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarCustomizationForm.h"
#include "suite/bars/BarCustomizationLists.h"
#include "suite/bars/BarDragInfo.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRunTimeSelection.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarUnit.h"
#include "suite/bars/BarXPPainter.h"
#include "suite/bars/Bars.h"
#include "suite/common/ComponentList.h"
#include "suite/common/SuiteException.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {
struct CustomizeFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Standard = nullptr;
  TdxBar* Mine = nullptr;
  std::vector<TdxBarItem*> Commands;

  void AddControls() override {
    M = NewManager();
    M->SetHideFloatingBarsWhenInactive(false);
    Standard = AddBar("Standard", true);
    Mine = AddBar("Mine", false);
    M->GetCategories()->Add("Edit");
    for (const char* Caption : {"Cut", "Copy", "Paste"}) {
      TdxBarItem* Item = TdxBarButton::Create(M);
      Item->SetCaption(Caption);
      Item->SetDescription(std::string(Caption) + " the selection");
      Item->SetCategory(1);
      Commands.push_back(Item);
    }
  }
  TdxBar* AddBar(const std::string& Caption, bool Predefined) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    Bar->SetPredefined(Predefined);
    Bar->SetDockingStyle(dsTop);
    Bar->SetVisible(true);
    return Bar;
  }
  void TearDown() override {
    if (M->IsCustomizing()) M->SetCustomizing(false);
    Free(M);
    BarFormFixture::TearDown();
  }
  TdxBarCustomizationForm* Open() {
    M->SetCustomizing(true);
    Pump();
    return dynamic_cast<TdxBarCustomizationForm*>(ActiveCustomizationForm());
  }
  static std::vector<std::string> Rows(TListBox* L) {
    std::vector<std::string> R;
    for (int I = 0; I < L->GetItems()->GetCount(); ++I) R.push_back(L->GetItems()->GetStrings(I));
    return R;
  }
};

TEST_F(CustomizeFixture, OneFormPerProcessOwnedByTheManagersFormWhichItDisables) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  HWND W = F->GetHandle();
  EXPECT_EQ(0x84CC0000u, static_cast<DWORD>(GetWindowLongPtrW(W, GWL_STYLE)) & 0x84CC0000u);
  EXPECT_EQ(257u, static_cast<DWORD>(GetWindowLongPtrW(W, GWL_EXSTYLE)) & 257u);
  EXPECT_EQ(2080u, static_cast<DWORD>(GetClassLongPtrW(W, GCL_STYLE)) & 2080u);
  EXPECT_EQ(Form->GetHandle(), GetWindow(W, GW_OWNER));
  EXPECT_FALSE(IsWindowEnabled(Form->GetHandle())) << "the manager's form is disabled while the dialog shows";
  EXPECT_NE(nullptr, dynamic_cast<TdxBarRunTimeSelectionController*>(M->GetDesigner()));

  // Another manager cannot open a second form.
  TForm* OtherForm = TForm::Create(nullptr);
  TdxBarManager* Other = NewManager(OtherForm);
  Other->SetCustomizing(true);
  EXPECT_EQ(F, ActiveCustomizationForm());
  EXPECT_FALSE(Other->IsCustomizing());
  Free(Other);
  Free(OtherForm);

  // Closing the dialog ends customizing mode and gives everything back.
  F->BClose->Click();
  Pump();
  EXPECT_EQ(nullptr, ActiveCustomizationForm());
  EXPECT_FALSE(IsWindow(W));
  EXPECT_FALSE(M->IsCustomizing());
  EXPECT_TRUE(IsWindowEnabled(Form->GetHandle()));
  EXPECT_EQ(nullptr, M->GetDesigner());
}

// Another manager's form and its floating bar cannot be used while the dialog
// shows; the customized manager's floating bars can (commands are dragged onto them).
TEST_F(CustomizeFixture, ShowingDisablesTheOtherManagersFormsAndFloatingBars) {
  TForm* OtherForm = TForm::Create(nullptr);
  OtherForm->SetBounds(40, 40, 300, 200);
  OtherForm->Show();
  TdxBarManager* Other = NewManager(OtherForm);
  Other->SetHideFloatingBarsWhenInactive(false);
  TdxBar* Floats[2] = {Other->GetBars()->Add(), M->GetBars()->Add()};
  for (TdxBar* Bar : Floats) {
    Bar->SetDockingStyle(dsNone);
    Bar->GetItemLinks()->AddItem(Commands[0]);
    Bar->SetVisible(true);
  }
  Pump();
  auto Enabled = [](TdxBar* Bar) { return static_cast<bool>(IsWindowEnabled(Bar->GetBarControl()->GetHandle())); };
  ASSERT_TRUE(Floats[0]->GetBarControl() && Floats[1]->GetBarControl());
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  EXPECT_FALSE(IsWindowEnabled(OtherForm->GetHandle()));
  EXPECT_FALSE(IsWindowEnabled(Form->GetHandle()));
  EXPECT_FALSE(Enabled(Floats[0]));
  EXPECT_TRUE(Enabled(Floats[1]));
  F->BClose->Click();
  Pump();
  EXPECT_TRUE(IsWindowEnabled(OtherForm->GetHandle()));
  EXPECT_TRUE(IsWindowEnabled(Form->GetHandle()));
  EXPECT_TRUE(Enabled(Floats[0]));
  Free(Other);
  Free(OtherForm);
}

TEST_F(CustomizeFixture, ResizesOnlyVerticallyAndNeverBelowItsFirstHeight) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  RECT R;
  GetWindowRect(F->GetHandle(), &R);
  const int MidX = (R.left + R.right) / 2, MidY = (R.top + R.bottom) / 2;
  const struct {
    POINT At;
    LRESULT Hit;
  } Cases[] = {
      {{R.left + 1, MidY}, HTCLIENT},       {{R.right - 2, MidY}, HTCLIENT},
      {{R.left + 1, R.top + 1}, HTTOP},     {{R.right - 2, R.top + 1}, HTTOP},
      {{R.left + 1, R.bottom - 2}, HTBOTTOM}, {{R.right - 2, R.bottom - 2}, HTBOTTOM},
      {{MidX, R.bottom - 2}, HTBOTTOM},     {{MidX, R.top + 1}, HTTOP},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(C.Hit, SendMessageW(F->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(C.At.x, C.At.y)))
        << C.At.x - R.left << "," << C.At.y - R.top;
  const int First = R.bottom - R.top;
  F->SetBounds(F->GetLeft(), F->GetTop(), F->GetWidth(), First - 60);
  EXPECT_EQ(First, F->GetHeight());
  F->SetBounds(F->GetLeft(), F->GetTop(), F->GetWidth(), First + 60);
  EXPECT_EQ(First + 60, F->GetHeight());
}

// Clicks the bars list at the row's check box or caption, once or twice.
void ClickRow(TdxBarCustomizationListBox* L, int Row, bool OnBox, bool Double) {
  RECT R = L->ItemRect(Row);
  int X = OnBox ? R.left + (R.bottom - R.top) / 2 : R.left + (R.bottom - R.top) + 20;
  LPARAM At = MAKELPARAM(X, (R.top + R.bottom) / 2);
  SendMessageW(L->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
  SendMessageW(L->GetHandle(), WM_LBUTTONUP, 0, At);
  if (Double) {
    SendMessageW(L->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At);
    SendMessageW(L->GetHandle(), WM_LBUTTONUP, 0, At);
  }
  Pump();
}

TEST_F(CustomizeFixture, ToolbarCheckBoxTakesSingleClicksAndTheCaptionDoubleClicks) {
  TdxBar* Hidden = AddBar("Hidden", false);
  Hidden->SetHidden(true);
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  EXPECT_EQ((std::vector<std::string>{"Standard", "Mine"}), Rows(F->lbBarsList)) << "hidden bars are not listed";
  const struct {
    bool OnBox, Double, Toggles;
  } Cases[] = {
      {true, false, true},    // single click on the box
      {false, false, false},  // single click on the caption
      {false, true, true},    // double click on the caption: once
      {true, true, true},     // double click on the box: the first click only
  };
  for (const auto& C : Cases) {
    bool Before = Mine->GetVisible();
    ClickRow(F->lbBarsList, 1, C.OnBox, C.Double);
    EXPECT_EQ(C.Toggles ? !Before : Before, Mine->GetVisible()) << C.OnBox << C.Double;
  }
  EXPECT_EQ(Mine, F->SelectedObjectOf(F->lbBarsList));
}

TEST_F(CustomizeFixture, RenameAndDeleteAreOnlyForToolbarsTheUserMade) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  for (auto [Bar, Enabled] : {std::pair{Standard, false}, std::pair{Mine, true}}) {
    ClickRow(F->lbBarsList, Bar == Standard ? 0 : 1, false, false);
    EXPECT_EQ(Bar, M->GetDesigner() ? F->SelectedObjectOf(F->lbBarsList) : nullptr);
    EXPECT_EQ(Enabled, F->aRenameToolBar->GetEnabled()) << Bar->GetCaption();
    EXPECT_EQ(Enabled, static_cast<bool>(IsWindowEnabled(F->BBarRename->GetHandle()))) << Bar->GetCaption();
    EXPECT_EQ(Enabled, static_cast<bool>(IsWindowEnabled(F->BBarDelete->GetHandle()))) << Bar->GetCaption();
  }
}

// Runs once the modal name dialog is up: notes its edit's text and presses Enter.
std::string SeenName;
void CALLBACK ConfirmNameDialog(HWND, UINT, UINT_PTR Id, DWORD) {
  HWND Dialog = GetActiveWindow();
  HWND Edit = FindWindowExW(Dialog, nullptr, nullptr, nullptr);
  while (Edit) {
    wchar_t Class[32]{};
    GetClassNameW(Edit, Class, 32);
    if (std::wstring(Class).find(L"EDIT") != std::wstring::npos || std::wstring(Class).find(L"Edit") != std::wstring::npos)
      break;
    Edit = FindWindowExW(Dialog, Edit, nullptr, nullptr);
  }
  if (!Edit) return;
  KillTimer(nullptr, Id);
  wchar_t Text[64]{};
  GetWindowTextW(Edit, Text, 64);
  SeenName.assign(Text, Text + wcslen(Text));
  Tap(VK_RETURN);
}

TEST_F(CustomizeFixture, NewToolbarIsNamedInTheNameDialogAndSelected) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  SeenName.clear();
  SetForegroundWindow(F->GetHandle());
  UINT_PTR Timer = SetTimer(nullptr, 0, 100, ConfirmNameDialog);
  F->BBarNew->Click();
  KillTimer(nullptr, Timer);
  Pump();
  EXPECT_EQ("Custom 1", SeenName);
  ASSERT_EQ(3, M->GetBars()->NumberOfItems());
  TdxBar* Made = M->GetBars()->GetBar(2);
  EXPECT_EQ("Custom 1", Made->GetCaption());
  EXPECT_FALSE(Made->IsPredefined());
  EXPECT_EQ((std::vector<std::string>{"Standard", "Mine", "Custom 1"}), Rows(F->lbBarsList));
  EXPECT_EQ(Made, F->SelectedObjectOf(F->lbBarsList));
  EXPECT_TRUE(F->aRenameToolBar->GetEnabled());
}

TEST_F(CustomizeFixture, DeletingTheSelectedToolbarSelectsTheNextAndAnotherCanBeSelected) {
  TdxBar* Third = AddBar("Third", false);
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  ClickRow(F->lbBarsList, 1, false, false);
  ASSERT_EQ(Mine, F->SelectedObjectOf(F->lbBarsList));
  M->SetModified(false);
  F->DeleteSelectedObjects(F->lbBarsList, true);
  Pump();
  EXPECT_EQ(2, M->GetBars()->NumberOfItems());
  EXPECT_EQ((std::vector<std::string>{"Standard", "Third"}), Rows(F->lbBarsList));
  EXPECT_EQ(Third, F->SelectedObjectOf(F->lbBarsList));
  EXPECT_TRUE(M->GetModified());
  ClickRow(F->lbBarsList, 0, false, false);
  TOwned<TObjectList> Selection(TObjectList::Create(false));
  M->GetDesignerSelection(Selection.get());
  ASSERT_EQ(1, Selection->GetCount());
  EXPECT_EQ(Standard, Selection->GetItem(0));
}

TEST_F(CustomizeFixture, CommandsOfTheChosenCategoryWithTheirDescription) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  F->ShowCommandsPage();
  F->lbCategories->SetItemIndex(1);
  F->lbCategories->Click();
  EXPECT_EQ((std::vector<std::string>{"Cut", "Copy", "Paste"}), Rows(F->lbItems));
  RECT R = F->lbItems->ItemRect(1);
  SendMessageW(F->lbItems->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, (R.top + R.bottom) / 2));
  SendMessageW(F->lbItems->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(30, (R.top + R.bottom) / 2));
  Pump();
  EXPECT_EQ(Commands[1], F->SelectedObjectOf(F->lbItems));
  EXPECT_EQ("Copy the selection", F->DescriptionLabel->GetCaption());
  EXPECT_TRUE(M->IsObjectDesignSelected(Commands[1]));
  EXPECT_TRUE(F->aMoveUpItem->GetEnabled());
  EXPECT_TRUE(F->aMoveDownItem->GetEnabled());

  // A command renamed while the list shows it changes its row at once; the
  // selection stays.
  Commands[1]->SetCaption("Duplicate");
  EXPECT_EQ((std::vector<std::string>{"Cut", "Duplicate", "Paste"}), Rows(F->lbItems));
  EXPECT_EQ(Commands[1], F->SelectedObjectOf(F->lbItems));
}

// The commands list's own actions: the sub-menu editor opens for a sub-item only,
// and Clear, once its question is answered, deletes every command of the category.
TEST_F(CustomizeFixture, SubMenuEditorAndClearActOnTheCommandsList) {
  TdxBarSubItem* Sub = TdxBarSubItem::Create(M);
  Sub->SetCaption("More");
  Sub->SetCategory(1);
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  F->ShowCommandsPage();
  F->lbCategories->SetItemIndex(1);
  F->lbCategories->Click();
  ASSERT_EQ((std::vector<std::string>{"Cut", "Copy", "Paste", "More"}), Rows(F->lbItems));
  auto Choose = [&](int Row) {
    RECT R = F->lbItems->ItemRect(Row);
    SendMessageW(F->lbItems->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, (R.top + R.bottom) / 2));
    SendMessageW(F->lbItems->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(30, (R.top + R.bottom) / 2));
    Pump();
  };
  Choose(0);
  EXPECT_FALSE(F->aSubMenuEditor->GetEnabled()) << "a button has no menu to edit";
  Choose(3);
  ASSERT_TRUE(F->aSubMenuEditor->GetEnabled());
  F->aSubMenuEditor->Execute();
  Pump();
  EXPECT_NE(nullptr, ActiveSubMenuEditor());

  ASSERT_TRUE(F->aClearItemList->GetEnabled());
  static std::wstring Question;
  Question.clear();
  UINT_PTR Timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM) -> BOOL {
          wchar_t Class[16]{};
          GetClassNameW(Wnd, Class, 16);
          if (std::wstring(Class) != L"#32770" || !IsWindowVisible(Wnd)) return TRUE;
          wchar_t Text[256]{};
          GetDlgItemTextW(Wnd, 0xFFFF, Text, 256);
          Question = Text;
          PostMessageW(Wnd, WM_COMMAND, IDOK, 0);
          return FALSE;
        },
        0);
  });
  F->aClearItemList->Execute();
  KillTimer(nullptr, Timer);
  Pump();
  EXPECT_EQ(L"Are you sure you want to delete all commands in the 'Edit' category?", Question);
  EXPECT_TRUE(Rows(F->lbItems).empty());
  EXPECT_EQ(0, M->ItemList()->GetCount()) << "every command of the category is gone";
  EXPECT_EQ(nullptr, ActiveSubMenuEditor()) << "the editor goes with its sub-item";
  EXPECT_FALSE(F->aClearItemList->GetEnabled());
  Commands.clear();
}

// The help button: the manager's event first, then the application's help for
// the manager's context, only when it has one.
TEST_F(CustomizeFixture, HelpButtonRaisesTheEventAndAsksForTheManagersHelpContext) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  std::vector<std::string> Heard;
  struct TSpy {
    std::vector<std::string>* Heard;
    void Event(TObject*) { Heard->push_back("event"); }
    bool Help(WORD Command, std::intptr_t Data, bool&) {
      Heard->push_back("help " + std::to_string(Command) + " " + std::to_string(Data));
      return true;
    }
  } Spy{&Heard};
  M->OnHelpButtonClick = Bind(&Spy, &TSpy::Event);
  THelpEvent SavedHelp = Application->OnHelp;
  Application->OnHelp = Bind(&Spy, &TSpy::Help);
  F->BHelp->Click();
  EXPECT_EQ((std::vector<std::string>{"event"}), Heard);
  M->SetHelpContext(77);
  F->BHelp->Click();
  Application->OnHelp = SavedHelp;
  EXPECT_EQ((std::vector<std::string>{"event", "event", "help " + std::to_string(HELP_CONTEXT) + " 77"}), Heard);
}

TEST_F(CustomizeFixture, WheelOverAnUnfocusedListScrollsIt) {
  for (int I = 0; I < 30; ++I) {
    TdxBarItem* Item = TdxBarButton::Create(M);
    Item->SetCaption("Extra " + std::to_string(I));
    Item->SetCategory(1);
  }
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  F->ShowCommandsPage();
  F->lbCategories->SetItemIndex(1);
  F->lbCategories->Click();
  SetForegroundWindow(F->GetHandle());
  F->BClose->SetFocus();
  Pump();
  RECT R;
  GetWindowRect(F->lbItems->GetHandle(), &R);
  SetCursorPos((R.left + R.right) / 2, (R.top + R.bottom) / 2);
  // The focused button passes the wheel on to its parents.
  SendMessageW(F->BClose->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
               MAKELPARAM((R.left + R.right) / 2, (R.top + R.bottom) / 2));
  Pump();
  UINT Lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  EXPECT_EQ(static_cast<LRESULT>(Lines), SendMessageW(F->lbItems->GetHandle(), LB_GETTOPINDEX, 0, 0));
  EXPECT_EQ(0, SendMessageW(F->lbCategories->GetHandle(), LB_GETTOPINDEX, 0, 0));
}

// Counts refills of a list behind the helper that took its window procedure.
struct TRefillSpy {
  TWndMethod Saved;
  int Refills = 0;
  void WndProc(TMessage& Message) {
    if (Message.Msg == dxWM_LB_SYNCHRONIZE() && Message.WParam == 0) ++Refills;
    Saved(Message);
  }
};

TEST_F(CustomizeFixture, QueuedListRefreshesRunOnceAndHelpersGiveTheWindowProcedureBack) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  TRefillSpy Spy{F->lbItems->WindowProc};
  F->lbItems->WindowProc = Bind(&Spy, &TRefillSpy::WndProc);
  for (int I = 0; I < 3; ++I) F->PostListRefresh(F->lbItems);
  Pump();
  EXPECT_EQ(1, Spy.Refills);
  F->lbItems->WindowProc = Spy.Saved;

  TdxBarCustomizationListBox* L = Add<TdxBarCustomizationListBox>({0, 0, 100, 100});
  TWndMethod Original = L->WindowProc;
  auto* Helper = TdxBarCustomizationFormItemsListHelper::Create(F, L);
  EXPECT_FALSE(L->WindowProc == Original);
  Free(Helper);
  EXPECT_TRUE(L->WindowProc == Original);
}

// Presses the left button at From, moves past the drag threshold to To and lets go.
void DragWithMouse(POINT From, POINT To) {
  POINT Mid{(From.x + To.x) / 2, (From.y + To.y) / 2};
  INPUT In[] = {MouseInput(From, 0), ButtonInput(MOUSEEVENTF_LEFTDOWN), MouseInput({From.x + 12, From.y + 12}, 0),
                MouseInput(Mid, 0),  MouseInput(To, 0),                 ButtonInput(MOUSEEVENTF_LEFTUP)};
  SendInput(static_cast<UINT>(std::size(In)), In, sizeof(INPUT));
  Pump();
}

TEST_F(CustomizeFixture, CommandDraggedOntoAToolbarWithTheMouseBecomesALink) {
  Mine->GetItemLinks()->AddItem(Commands[0]);
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  F->ShowCommandsPage();
  F->lbCategories->SetItemIndex(1);
  F->lbCategories->Click();
  SetForegroundWindow(F->GetHandle());
  Pump();
  TCustomdxBarControl* Bar = Mine->GetBarControl();
  ASSERT_TRUE(Bar && Bar->HandleAllocated() && IsWindowVisible(Bar->GetHandle()));
  // The right half of Cut, the bar's only link (its mark follows it).
  RECT CutRect = Bar->ItemScreenRect(Mine->GetItemLinks()->GetLink(0)->GetControl());
  POINT AfterCut{CutRect.right - 3, (CutRect.top + CutRect.bottom) / 2};
  RECT Paste = F->lbItems->ItemRect(2);
  POINT Row = F->lbItems->ClientToScreen(POINT{40, (Paste.top + Paste.bottom) / 2});
  M->SetModified(false);

  // Let go away from every bar: nothing changes.
  DragWithMouse(Row, POINT{Row.x, Row.y + 400});
  EXPECT_EQ(1, Mine->GetItemLinks()->GetCount());
  EXPECT_FALSE(M->GetModified());

  // Far enough apart in time that the second press is no double click.
  Sleep(GetDoubleClickTime() + 50);
  DragWithMouse(Row, AfterCut);
  ASSERT_EQ(2, Mine->GetItemLinks()->GetCount());
  EXPECT_EQ(Commands[0], Mine->GetItemLinks()->GetLink(0)->GetItem());
  EXPECT_EQ(Commands[2], Mine->GetItemLinks()->GetLink(1)->GetItem());
  EXPECT_TRUE(M->GetModified());
  EXPECT_EQ(Commands[2], F->SelectedObjectOf(F->lbItems));
}

// Mouse and key input given in steps: the first step at once, each later one
// from a timer, so that the drag loop has taken the earlier input in between.
struct TStagedInput {
  static inline std::vector<std::function<void()>> Steps;
  static void CALLBACK Next(HWND, UINT, UINT_PTR Id, DWORD) {
    if (Steps.empty()) {
      KillTimer(nullptr, Id);
      return;
    }
    std::function<void()> Step = Steps.front();
    Steps.erase(Steps.begin());
    Step();
  }
  // Runs the steps; false when they did not all run in time.
  static bool Run(std::vector<std::function<void()>> List) {
    Steps = std::move(List);
    UINT_PTR Timer = SetTimer(nullptr, 0, 150, &Next);
    Next(nullptr, 0, Timer, 0);
    DWORD Deadline = GetTickCount() + 10000;
    while (!Steps.empty() && GetTickCount() < Deadline) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      Pump();
    }
    KillTimer(nullptr, Timer);
    bool Done = Steps.empty();
    Steps.clear();
    Sleep(200);
    Pump();
    return Done;
  }
};

std::function<void()> Send(std::vector<INPUT> In) {
  return [In]() mutable { SendInput(static_cast<UINT>(In.size()), In.data(), sizeof(INPUT)); };
}
// The press at From and a move past the drag threshold: the drag starts.
std::function<void()> PressAndLeave(POINT From) {
  return Send({MouseInput(From, 0), ButtonInput(MOUSEEVENTF_LEFTDOWN), MouseInput({From.x + 8, From.y + 8}, 0)});
}

struct LinkDragFixture : CustomizeFixture {
  TdxBarCustomizationForm* F = nullptr;
  void Start() {
    Standard->GetItemLinks()->AddItem(Commands[0]);
    Standard->GetItemLinks()->AddItem(Commands[1]);
    Mine->GetItemLinks()->AddItem(Commands[2]);
    F = Open();
    ASSERT_NE(nullptr, F);
    SetForegroundWindow(F->GetHandle());
    Pump();
    M->SetModified(false);
  }
  // A point inside a link on its bar window, At (0 to 1) of its width from the left.
  static POINT On(TdxBarItemLink* Link, double At) {
    RECT R = Link->GetItemRect();
    POINT P{R.left + static_cast<int>((R.right - R.left) * At), (R.top + R.bottom) / 2};
    ClientToScreen(Link->GetControl()->GetParent()->GetHandle(), &P);
    return P;
  }
  static std::vector<TdxBarItem*> ItemsOf(TdxBar* Bar) {
    std::vector<TdxBarItem*> R;
    for (int I = 0; I < Bar->GetItemLinks()->GetCount(); ++I) R.push_back(Bar->GetItemLinks()->GetLink(I)->GetItem());
    return R;
  }
  // Drags the link from one point to another, pressing Keys while it moves.
  bool Drag(POINT From, POINT To, std::vector<INPUT> Keys = {}) {
    std::vector<INPUT> Last = Keys;
    Last.insert(Last.begin(), MouseInput(To, 0));
    Last.push_back(ButtonInput(MOUSEEVENTF_LEFTUP));
    for (const INPUT& K : Keys)
      if (!(K.ki.dwFlags & KEYEVENTF_KEYUP)) Last.push_back(KeyInput(K.ki.wVk, false));
    return TStagedInput::Run({PressAndLeave(From), Send({MouseInput({To.x + 1, To.y}, 0)}), Send(Last)});
  }
};

// Links of docked bars dragged with the mouse while the Customize dialog shows
// (the bars' form is disabled then): a move, a copy with Ctrl, a drop onto the
// link itself, a drop where no bar is, and Esc.
TEST_F(LinkDragFixture, LinksAreMovedCopiedRegroupedDeletedOrLeftAlone) {
  Start();
  TdxBarItem *Cut = Commands[0], *Copy = Commands[1], *Paste = Commands[2];
  struct Case {
    const char* What;
    int Link;  // of Standard
    bool OntoPaste;
    double At;
    std::vector<INPUT> Keys;
    std::vector<TdxBarItem*> Standard, Mine;
    bool Modified;
  };
  const Case Cases[] = {
      {"Esc", 1, true, 0.25, {KeyInput(VK_ESCAPE, true)}, {Cut, Copy}, {Paste}, false},
      {"copy with Ctrl", 1, true, 0.25, {KeyInput(VK_CONTROL, true)}, {Cut, Copy}, {Copy, Paste}, true},
      {"move after Paste", 1, true, 0.75, {}, {Cut}, {Copy, Paste, Copy}, true},
      {"let go away from the bars", 0, false, 0, {}, {}, {Copy, Paste, Copy}, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    M->SetModified(false);
    TdxBarItemLink* Dragged = Standard->GetItemLinks()->GetLink(C.Link);
    TdxBarItemLink* Target = Mine->GetItemLinks()->GetLink(Mine->GetItemLinks()->GetCount() - 1);
    RECT FormRect = F->GetBoundsRect();
    POINT To = C.OntoPaste ? On(Target, C.At) : POINT{FormRect.left + 20, FormRect.bottom + 60};
    ASSERT_TRUE(Drag(On(Dragged, 0.5), To, C.Keys));
    EXPECT_EQ(C.Standard, ItemsOf(Standard));
    EXPECT_EQ(C.Mine, ItemsOf(Mine));
    EXPECT_EQ(C.Modified, M->GetModified());
    EXPECT_FALSE(M->IsDragging());
    EXPECT_EQ(nullptr, GetCapture());
    Sleep(GetDoubleClickTime() + 50);
  }
}

// A link dragged away from the start of a group leaves the group line where it
// was: the next link takes it, or, after a first link, the next loses its own.
TEST_F(LinkDragFixture, TheGroupLineStaysWhereAMovedLinkLeaves) {
  Start();
  TdxBarItem *Cut = Commands[0], *Copy = Commands[1], *Paste = Commands[2];
  struct Case {
    const char* What;
    int Link;  // of Standard: Cut, Copy (beginning a group), Paste
    enum { ToMine, AfterPaste, Away } To;
    std::vector<TdxBarItem*> Items;
    std::vector<bool> Groups;
  };
  const Case Cases[] = {
      {"group start to another bar", 1, Case::ToMine, {Cut, Paste}, {false, true}},
      {"first link to another bar", 0, Case::ToMine, {Copy, Paste}, {false, false}},
      {"group start past the next link", 1, Case::AfterPaste, {Cut, Paste, Copy}, {false, true, false}},
      {"group start let go off the bars", 1, Case::Away, {Cut, Paste}, {false, true}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    Standard->GetItemLinks()->Clear();
    Mine->GetItemLinks()->Clear();
    for (TdxBarItem* Item : {Cut, Copy, Paste}) Standard->GetItemLinks()->AddItem(Item);
    Standard->GetItemLinks()->GetLink(1)->SetBeginGroup(true);
    Mine->GetItemLinks()->AddItem(Paste);
    Pump();
    RECT FormRect = F->GetBoundsRect();
    POINT To = C.To == Case::ToMine       ? On(Mine->GetItemLinks()->GetLink(0), 0.75)
               : C.To == Case::AfterPaste ? On(Standard->GetItemLinks()->GetLink(2), 0.75)
                                          : POINT{FormRect.left + 20, FormRect.bottom + 60};
    Sleep(GetDoubleClickTime() + 50);
    ASSERT_TRUE(Drag(On(Standard->GetItemLinks()->GetLink(C.Link), 0.5), To));
    EXPECT_EQ(C.Items, ItemsOf(Standard));
    std::vector<bool> Groups;
    for (int I = 0; I < Standard->GetItemLinks()->GetCount(); ++I)
      Groups.push_back(Standard->GetItemLinks()->GetLink(I)->GetStoredBeginGroup());
    EXPECT_EQ(C.Groups, Groups);
    if (C.To == Case::ToMine) {
      EXPECT_FALSE(Mine->GetItemLinks()->GetLink(1)->GetStoredBeginGroup());
    }
  }
}

// While the drag runs, the cursor and the inverted mark show what a drop would do.
TEST_F(LinkDragFixture, CursorAndInsertionMarkFollowCtrlAndTheTarget) {
  Start();
  TdxBarItemLink* Cut = Standard->GetItemLinks()->GetLink(0);
  TdxBarItemLink* Paste = Mine->GetItemLinks()->GetLink(0);
  HWND MineWindow = Mine->GetBarControl()->GetHandle();
  RECT PasteRect = Paste->GetItemRect();
  POINT MarkPixel{PasteRect.left + 2, (PasteRect.top + PasteRect.bottom) / 2};
  auto Pixel = [&] {
    HDC DC = GetDC(MineWindow);
    COLORREF C = GetPixel(DC, MarkPixel.x, MarkPixel.y);
    ReleaseDC(MineWindow, DC);
    return C;
  };
  struct Seen {
    TdxBarDragState State;
    HCURSOR Cursor;
    COLORREF Mark;
  };
  std::vector<Seen> Log;
  auto Note = [&] { Log.push_back({M->GetDragInfo()->GetState(), GetCursor(), Pixel()}); };
  POINT Over = On(Paste, 0.25);
  RECT FormRect = F->GetBoundsRect();
  POINT Away{FormRect.left + 20, FormRect.bottom + 60};
  ASSERT_TRUE(TStagedInput::Run({PressAndLeave(On(Cut, 0.5)), Send({MouseInput(Over, 0)}), Note,
                                 Send({KeyInput(VK_CONTROL, true)}), Note, Send({KeyInput(VK_CONTROL, false)}),
                                 Note, Send({MouseInput(Away, 0)}), Note, Send({KeyInput(VK_ESCAPE, true)}),
                                 Send({KeyInput(VK_ESCAPE, false), ButtonInput(MOUSEEVENTF_LEFTUP)})}));
  ASSERT_EQ(4u, Log.size());
  EXPECT_EQ(bdsMove, Log[0].State);
  EXPECT_EQ(Screen->GetCursors(crdxBarDrag), Log[0].Cursor);
  EXPECT_EQ(bdsCopy, Log[1].State);
  EXPECT_EQ(Screen->GetCursors(crdxBarDragCopy), Log[1].Cursor);
  EXPECT_EQ(bdsMove, Log[2].State);
  EXPECT_EQ(bdsNoDrop, Log[3].State);
  EXPECT_EQ(Screen->GetCursors(crdxBarDragNoDrop), Log[3].Cursor);
  // The mark inverts the bar under it while a drop is possible, and goes with
  // it (Paste keeps the selected look it took when the drag reached it).
  COLORREF After = Pixel();
  for (int I : {0, 1, 2}) EXPECT_EQ(After ^ 0xFFFFFFu, Log[I].Mark) << I;
  EXPECT_EQ(After, Log[3].Mark);
  EXPECT_EQ(1, Mine->GetItemLinks()->GetCount());
  EXPECT_EQ(2, Standard->GetItemLinks()->GetCount());
}

// A menu entry (sub-item) on Standard, first of its links, holding Cut and Copy.
struct MenuCustomizeFixture : LinkDragFixture {
  TdxBarSubItem* Sub = nullptr;
  void StartWithMenu(bool OnMenuBar) {
    Sub = TdxBarSubItem::Create(M);
    Sub->SetCaption("Edit");
    Sub->GetItemLinks()->AddItem(Commands[0]);
    Sub->GetItemLinks()->AddItem(Commands[1]);
    if (OnMenuBar) Standard->SetIsMainMenu(true);
    Standard->GetItemLinks()->AddItem(Sub);
    Start();
  }
  TdxBarItemLink* SubLink() { return Standard->GetItemLinks()->GetLink(0); }
  TCustomdxBarControl* Menu() { return Sub->GetItemLinks()->GetBarControl(); }
  bool MenuShown() {
    TCustomdxBarControl* W = Menu();
    return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle());
  }
  std::vector<TdxBarItem*> MenuItems() {
    std::vector<TdxBarItem*> R;
    for (int I = 0; I < Sub->GetItemLinks()->GetCount(); ++I) R.push_back(Sub->GetItemLinks()->GetLink(I)->GetItem());
    return R;
  }
  // A point in a link, At (0 to 1) of its height from the top.
  static POINT Within(TdxBarItemLink* Link, double At) {
    RECT R = Link->GetItemRect();
    POINT P{(R.left + R.right) / 2, R.top + static_cast<int>((R.bottom - R.top) * At)};
    ClientToScreen(Link->GetControl()->GetParent()->GetHandle(), &P);
    return P;
  }
  void Click(POINT P) {
    Sleep(GetDoubleClickTime() + 50);
    ASSERT_TRUE(TStagedInput::Run(
        {Send({MouseInput(P, 0), ButtonInput(MOUSEEVENTF_LEFTDOWN), ButtonInput(MOUSEEVENTF_LEFTUP)})}));
  }
  // Clicks toggle the entry's menu, and an entry of the open menu can be dragged
  // out of it like any link.
  void ClicksOpenTheMenuAndReachItsEntries() {
    TCustomdxBarControl* Bar = Standard->GetBarControl();
    for (bool Open : {true, false, true}) {
      SCOPED_TRACE(Open ? "opening click" : "closing click");
      Click(On(SubLink(), 0.5));
      EXPECT_EQ(Open, MenuShown());
      EXPECT_EQ(SubLink(), Bar->GetSelectedLink());
    }
    ASSERT_TRUE(MenuShown());
    TdxBarItemLink* Paste = Mine->GetItemLinks()->GetLink(0);
    Sleep(GetDoubleClickTime() + 50);
    ASSERT_TRUE(Drag(Within(Sub->GetItemLinks()->GetLink(1), 0.5), On(Paste, 0.75)));
    EXPECT_EQ((std::vector<TdxBarItem*>{Commands[0]}), MenuItems());
    EXPECT_EQ((std::vector<TdxBarItem*>{Commands[2], Commands[1]}), ItemsOf(Mine));
    EXPECT_TRUE(M->GetModified());
  }
};

TEST_F(MenuCustomizeFixture, AClickOnAToolbarsMenuEntryOpensItsMenu) {
  StartWithMenu(false);
  ClicksOpenTheMenuAndReachItsEntries();
}

TEST_F(MenuCustomizeFixture, AClickOnAMenuBarEntryOpensItsMenu) {
  StartWithMenu(true);
  ClicksOpenTheMenuAndReachItsEntries();
}

// A command dragged over a menu entry opens its menu after a short rest and is
// dropped inside at the insertion mark.
TEST_F(MenuCustomizeFixture, DraggingOverAMenuEntryOpensItsMenuForTheDrop) {
  StartWithMenu(false);
  F->ShowCommandsPage();
  F->lbCategories->SetItemIndex(1);
  F->lbCategories->Click();
  Pump();
  TdxBarItem *Cut = Commands[0], *Copy = Commands[1], *Paste = Commands[2];
  RECT PasteRow = F->lbItems->ItemRect(2);
  POINT Row = F->lbItems->ClientToScreen(POINT{40, (PasteRow.top + PasteRow.bottom) / 2});
  const struct {
    const char* What;
    bool FromList;  // else Paste's link on Mine
    int Entry;
    double At;
    std::vector<TdxBarItem*> Menu, Mine;
  } Cases[] = {
      {"command after Cut", true, 0, 0.75, {Cut, Paste, Copy}, {Paste}},
      {"link before Cut", false, 0, 0.25, {Paste, Cut, Paste, Copy}, {}},
      {"command after the last entry", true, 3, 0.75, {Paste, Cut, Paste, Copy, Paste}, {}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    if (MenuShown()) Click(On(SubLink(), 0.5));
    ASSERT_FALSE(MenuShown());
    M->SetModified(false);
    Sleep(GetDoubleClickTime() + 50);
    POINT From = C.FromList ? Row : On(Mine->GetItemLinks()->GetLink(0), 0.5);
    bool OpenedOnRest = false;
    POINT Target{};
    auto Rest = [] {};
    ASSERT_TRUE(TStagedInput::Run(
        {PressAndLeave(From), Send({MouseInput(On(SubLink(), 0.5), 0)}), Rest, Rest, Rest, Rest,
         [&] {
           OpenedOnRest = MenuShown();
           TdxBarItemLinks* Links = Sub->GetItemLinks();
           if (!OpenedOnRest || C.Entry >= Links->GetCount()) return;
           Target = Within(Links->GetLink(C.Entry), C.At);
           // Down the open menu to the entry, as a hand would go.
           Send({MouseInput({Target.x, QueryWindowRect(Menu()->GetHandle()).top + 3}, 0)})();
         },
         [&] { Send({MouseInput(Target, 0)})(); },
         [&] {
           Send({MouseInput({Target.x + 1, Target.y}, 0)})();
           if (&C == &Cases[0]) SaveScreenshot("customizing-drag-menu");
         },
         Send({ButtonInput(MOUSEEVENTF_LEFTUP)})}));
    EXPECT_TRUE(OpenedOnRest);
    EXPECT_EQ(C.Menu, MenuItems());
    EXPECT_EQ(C.Mine, ItemsOf(Mine));
    EXPECT_TRUE(M->GetModified());
    EXPECT_FALSE(M->IsDragging());
    EXPECT_EQ(nullptr, GetCapture());
  }
}

// The menu a rest opened closes when the drag reaches another entry of the
// bar; Esc then leaves every link as it was.
TEST_F(MenuCustomizeFixture, ReachingAnotherEntryOfTheBarClosesTheMenu) {
  StartWithMenu(false);
  TdxBarItemLink* Paste = Mine->GetItemLinks()->GetLink(0);
  bool OpenOnEntry = false, OpenOnCut = true;
  auto Rest = [] {};
  ASSERT_TRUE(TStagedInput::Run({PressAndLeave(On(Paste, 0.5)), Send({MouseInput(On(SubLink(), 0.5), 0)}), Rest, Rest,
                                 Rest, Rest, [&] { OpenOnEntry = MenuShown(); },
                                 Send({MouseInput(On(Standard->GetItemLinks()->GetLink(1), 0.5), 0)}), Rest,
                                 [&] { OpenOnCut = MenuShown(); }, Send({KeyInput(VK_ESCAPE, true)}),
                                 Send({KeyInput(VK_ESCAPE, false), ButtonInput(MOUSEEVENTF_LEFTUP)})}));
  EXPECT_TRUE(OpenOnEntry);
  EXPECT_FALSE(OpenOnCut);
  EXPECT_EQ((std::vector<TdxBarItem*>{Commands[0], Commands[1]}), MenuItems());
  EXPECT_EQ((std::vector<TdxBarItem*>{Commands[2]}), ItemsOf(Mine));
  EXPECT_FALSE(M->GetModified());
}

TEST_F(CustomizeFixture, MovesKeepTheSelectionTogetherAndAFailedMoveStillReportsTheChange) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  F->lbCategories->SetItemIndex(1);
  F->lbCategories->Click();
  F->lbItems->SetMultiSelect(true);
  F->RefreshList(F->lbItems, nullptr, 0);
  TOwned<TcxComponentList> List(TcxComponentList::Create());
  TdxBarItem* A = TdxBarButton::Create(M);
  TdxBarItem* B = TdxBarButton::Create(M);
  auto Order = [&] {
    std::string S;
    for (int I = 0; I < List->GetCount(); ++I)
      S += List->GetItem(I) == A ? "A" : List->GetItem(I) == B ? "B" : static_cast<TdxBarItem*>(List->GetItem(I))->GetCaption().substr(0, 2);
    return S + " ";
  };
  auto Fill = [&](std::vector<TComponent*> Items) {
    List->Clear();
    for (TComponent* C : Items) List->Add(C);
  };
  auto Select = [&](std::vector<int> Rows) {
    for (int I = 0; I < F->lbItems->GetItems()->GetCount(); ++I) F->lbItems->SetSelected(I, false);
    for (int R : Rows) F->lbItems->SetSelected(R, true);
  };
  // Rows Cut (0) and Paste (2) selected; the list holds A Cu B Pa Co.
  Fill({A, Commands[0], B, Commands[2], Commands[1]});
  Select({0, 2});
  F->MoveSelectedObjects(F->lbItems, List.get(), -1);
  EXPECT_EQ("CuPaABCo ", Order()) << "up: the block goes one place above the first selected";
  F->MoveSelectedObjects(F->lbItems, List.get(), -1);
  EXPECT_EQ("CuPaABCo ", Order()) << "not above the top";
  F->MoveSelectedObjects(F->lbItems, List.get(), 1);
  EXPECT_EQ("ACuPaBCo ", Order()) << "down: the block ends one place below the last selected";

  // Paste is not in the list: Cut has moved when the move fails, and the
  // manager is told all the same.
  Fill({A, Commands[0], B});
  Select({0, 2});
  M->SetModified(false);
  EXPECT_THROW(F->MoveSelectedObjects(F->lbItems, List.get(), -1), Exception);
  EXPECT_EQ("CuAB ", Order());
  EXPECT_TRUE(M->GetModified());
  EXPECT_EQ(0, List->GetUpdateCount());
}

TEST_F(CustomizeFixture, OptionsPanelFollowsTheStyleAndEveryBoxWritesTheManager) {
  M->SetStyle(bmsStandard);
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  F->ShowPageAt(2);
  Pump();
  EXPECT_TRUE(F->StandardOptionsPanel->GetVisible());
  EXPECT_FALSE(F->EnhancedOptionsPanel->GetVisible());
  M->SetStyle(bmsXP);
  Pump();
  EXPECT_FALSE(F->StandardOptionsPanel->GetVisible());
  EXPECT_TRUE(F->EnhancedOptionsPanel->GetVisible());

  const struct {
    TCheckBox* Box;
    bool (TdxBarManager::*Get)() const;
  } Cases[] = {
      {F->CBLargeIconsEx, &TdxBarManager::GetLargeIcons},
      {F->CBHint1Ex, &TdxBarManager::GetShowHint},
      {F->CBHint2Ex, &TdxBarManager::GetShowShortCutInHint},
      {F->CBMenusShowRecentItemsFirst, &TdxBarManager::GetMenusShowRecentItemsFirst},
      {F->CBShowFullMenusAfterDelay, &TdxBarManager::GetShowFullMenusAfterDelay},
  };
  for (const auto& C : Cases) {
    bool Before = (M->*C.Get)();
    C.Box->SetChecked(!Before);
    EXPECT_EQ(!Before, (M->*C.Get)()) << C.Box->GetCaption();
    C.Box->SetChecked(Before);
  }
  // Unchecking the first personalised box disables the second, which keeps its state.
  F->CBMenusShowRecentItemsFirst->SetChecked(true);
  F->CBShowFullMenusAfterDelay->SetChecked(true);
  F->CBMenusShowRecentItemsFirst->SetChecked(false);
  EXPECT_FALSE(F->CBShowFullMenusAfterDelay->GetEnabled());
  EXPECT_TRUE(F->CBShowFullMenusAfterDelay->GetChecked());
  EXPECT_TRUE(M->GetShowFullMenusAfterDelay());
  // A change made elsewhere shows in the boxes.
  M->SetLargeIcons(true);
  EXPECT_TRUE(F->CBLargeIconsEx->GetChecked());
}

TEST_F(CustomizeFixture, ChosenGroupMembersAreAllCheckedBeforeAnyIsAdded) {
  TdxBarCustomizationForm* F = Open();
  ASSERT_NE(nullptr, F);
  TdxBarGroup* Outer = M->CreateGroup();
  TdxBarGroup* Inner = M->CreateGroup();
  Outer->AddMember(Inner);
  // Cut comes first and would be fine; Outer holds Inner, so the whole choice is refused.
  M->SetModified(false);
  EXPECT_THROW(F->AddChosenGroupMembers(Inner, {Commands[0], Outer}), EdxException);
  EXPECT_EQ(0, Inner->MemberCount());
  EXPECT_FALSE(M->GetModified());
  EXPECT_THROW(F->AddChosenGroupMembers(Inner, {Inner}), EdxException);

  F->AddChosenGroupMembers(Inner, {Commands[0], Commands[1]});
  EXPECT_EQ(2, Inner->MemberCount());
  EXPECT_EQ(Commands[1], Inner->MemberByIndex(1));
  EXPECT_TRUE(M->GetModified());
}

// A designer as a form designer would be: it keeps any selection and tells the
// open dialog when it changes.
struct TTestDesigner : IdxBarDesigner {
  std::vector<TObject*> Selection;
  int Names = 0;
  bool AllowsDelete(TComponent*) override { return true; }
  void GetSelection(TObjectList* List) override {
    for (TObject* O : Selection) List->Add(O);
  }
  int SelectionStatus(TObject* Object) override {
    return std::find(Selection.begin(), Selection.end(), Object) != Selection.end() ? 1 : 0;
  }
  void Select(TObject* Object, int) override { Changed({Object}); }
  void AssignSelection(TObjectList* List) override {
    std::vector<TObject*> New;
    for (int I = 0; I < List->GetCount(); ++I) New.push_back(List->GetItem(I));
    Changed(New);
  }
  void EditItem(TdxBarItem*) override {}
  std::string MakeUniqueName(const std::string& BaseName) override { return BaseName + std::to_string(++Names); }
  void Modified() override {}
  void Changed(std::vector<TObject*> New) {
    Selection = std::move(New);
    if (ActiveCustomizationForm()) ActiveCustomizationForm()->SelectionChanged();
  }
};

struct DesignPagesFixture : CustomizeFixture {
  TTestDesigner Designer;
  TdxBarCustomizationForm* F = nullptr;
  void Design() {
    TComponentState State = M->GetComponentState();
    State.Include(csDesigning);
    M->SetComponentState(State);
    M->SetDesigner(&Designer);
    const char* Names[] = {"cmdCut", "cmdCopy", "cmdPaste"};
    for (int I = 0; I < 3; ++I) Commands[I]->SetName(Names[I]);
    F = Open();
  }
  void TearDown() override {
    if (M->IsCustomizing()) M->SetCustomizing(false);
    M->SetDesigner(nullptr);
    TComponentState State = M->GetComponentState();
    State.Exclude(csDesigning);
    M->SetComponentState(State);
    CustomizeFixture::TearDown();
  }
  static std::vector<TObject*> Objects(TListBox* L) {
    std::vector<TObject*> R;
    for (int I = 0; I < L->GetItems()->GetCount(); ++I) R.push_back(L->GetItems()->GetObjects(I));
    return R;
  }
  static void ChooseRows(TListBox* L, std::vector<int> Rows) {
    for (int I = 0; I < L->GetItems()->GetCount(); ++I) L->SetSelected(I, false);
    for (int R : Rows) L->SetSelected(R, true);
    L->Click();
  }
};

TEST_F(DesignPagesFixture, OnlyADesignedManagerShowsAllCommandsAndGroups) {
  TdxBarCustomizationForm* RunTime = Open();
  ASSERT_NE(nullptr, RunTime);
  EXPECT_FALSE(RunTime->tsCommands->GetTabVisible());
  EXPECT_FALSE(RunTime->tsGroups->GetTabVisible());
  EXPECT_TRUE(RunTime->tsOptions->GetTabVisible());
  M->SetCustomizing(false);
  Pump();
  Design();
  ASSERT_NE(nullptr, F);
  EXPECT_TRUE(F->tsCommands->GetTabVisible());
  EXPECT_TRUE(F->tsGroups->GetTabVisible());
}

// Every command with a category, by default only those whose kind can take a
// shortcut; Del frees the chosen commands.
TEST_F(DesignPagesFixture, AllCommandsListsTheCommandsAndDelFreesTheChosen) {
  TdxBarItem* Menu = TdxBarSubItem::Create(M);
  Menu->SetName("subMenu");
  Menu->SetCategory(0);
  TdxBarItem* Inner = TdxBarButton::Create(M);
  Inner->SetName("cmdInner");
  Inner->SetCategory(-1);
  Design();
  ASSERT_NE(nullptr, F);
  EXPECT_EQ((std::vector<TObject*>{Commands[0], Commands[1], Commands[2]}), Objects(F->LAllCommands));
  F->CBShowCommandsWithShortCut->SetChecked(false);
  EXPECT_EQ((std::vector<TObject*>{Commands[0], Commands[1], Commands[2], Menu}), Objects(F->LAllCommands));

  ChooseRows(F->LAllCommands, {1, 3});
  EXPECT_EQ((std::vector<TObject*>{Commands[1], Menu}), Designer.Selection);
  F->PageControl->SetActivePage(F->tsCommands);
  SaveScreenshot("customize-design-all-commands");
  M->SetModified(false);
  SendMessageW(F->LAllCommands->GetHandle(), WM_KEYDOWN, VK_DELETE, 0);
  Pump();
  EXPECT_EQ((std::vector<TObject*>{Commands[0], Commands[2]}), Objects(F->LAllCommands));
  EXPECT_EQ(3, M->ItemList()->GetCount()) << "Copy and the menu were freed";
  EXPECT_TRUE(M->GetModified());
}

// Groups are made with the designer's names, moved and deleted; the members of
// the selected group are listed, and a chosen member that is freed leaves the
// remembered choice.
TEST_F(DesignPagesFixture, GroupsAreMadeMovedAndDeletedAndListTheirMembers) {
  Design();
  ASSERT_NE(nullptr, F);
  F->aAddGroup->Execute();
  F->aAddGroup->Execute();
  Pump();
  ASSERT_EQ(2, M->GroupCount());
  TdxBarGroup* First = M->GroupByIndex(0);
  TdxBarGroup* Second = M->GroupByIndex(1);
  EXPECT_EQ("dxBarGroup2", Second->GetName());
  EXPECT_EQ((std::vector<std::string>{"dxBarGroup1", "dxBarGroup2"}), Rows(F->lbGroups));
  EXPECT_EQ((std::vector<TObject*>{Second}), Designer.Selection);
  EXPECT_TRUE(F->lbGroups->GetSelected(1));
  EXPECT_TRUE(F->aMoveUpGroup->GetEnabled());
  EXPECT_FALSE(F->aMoveDownGroup->GetEnabled());

  F->aMoveUpGroup->Execute();
  EXPECT_EQ(Second, M->GroupByIndex(0));
  EXPECT_EQ((std::vector<std::string>{"dxBarGroup2", "dxBarGroup1"}), Rows(F->lbGroups));

  Second->AddMember(Commands[0]);
  Second->AddMember(First);
  Second->AddMember(Commands[1]);
  ChooseRows(F->lbGroups, {0});
  EXPECT_EQ((std::vector<std::string>{"cmdCut", "dxBarGroup1", "cmdCopy"}), Rows(F->lbGroupItems));
  EXPECT_TRUE(F->aAddGroupItem->GetEnabled());
  ChooseRows(F->lbGroupItems, {0, 2});
  EXPECT_EQ(2, F->GetChosenGroupMembers()->GetCount());
  EXPECT_TRUE(F->aDeleteGroup->GetEnabled());
  EXPECT_FALSE(F->aMoveUpGroup->GetEnabled());
  EXPECT_TRUE(F->aDeleteGroupItem->GetEnabled());
  EXPECT_TRUE(F->aMoveDownGroupItem->GetEnabled());
  F->PageControl->SetActivePage(F->tsGroups);
  SaveScreenshot("customize-design-groups");
  Free(Commands[1]);
  Pump();
  ASSERT_EQ(1, F->GetChosenGroupMembers()->GetCount()) << "the freed member left the choice";
  EXPECT_EQ(Commands[0], F->GetChosenGroupMembers()->GetItem(0));
  EXPECT_EQ((std::vector<std::string>{"cmdCut", "dxBarGroup1"}), Rows(F->lbGroupItems));

  ChooseRows(F->lbGroupItems, {0});
  F->aDeleteGroupItem->Execute();
  EXPECT_EQ(1, Second->MemberCount());
  EXPECT_EQ(First, Second->MemberByIndex(0));
  EXPECT_GE(M->ItemList()->IndexOf(Commands[0]), 0) << "the command stays";
  EXPECT_EQ((std::vector<std::string>{"dxBarGroup1"}), Rows(F->lbGroupItems));

  ChooseRows(F->lbGroups, {1});
  F->aDeleteGroup->Execute();
  Pump();
  ASSERT_EQ(1, M->GroupCount());
  EXPECT_EQ(Second, M->GroupByIndex(0));
  EXPECT_EQ(0, Second->MemberCount()) << "the freed group left its holder";
  EXPECT_EQ((std::vector<std::string>{"dxBarGroup2"}), Rows(F->lbGroups));
}

// For a person to judge: the three pages in the standard and the themed style,
// each with visual styles on and off (the themed rows then draw plainly).
TEST_F(CustomizeFixture, ScreenshotsOfThePages) {
  if (!std::getenv("SONVELT_SCREENSHOTS")) GTEST_SKIP() << "SONVELT_SCREENSHOTS names no folder";
  const struct {
    TdxBarManagerStyle Style;
    bool Themed;
    const char* Name;
  } Looks[] = {{bmsStandard, true, "standard"},
               {bmsStandard, false, "standard-plain"},
               {bmsXP, true, "xp"},
               {bmsXP, false, "xp-plain"}};
  // A drop-down button and an edit show the parts the themed painter draws.
  TdxBarButton* Undo = TdxBarButton::Create(M);
  Undo->SetCaption("Undo");
  Undo->SetButtonStyle(bsDropDown);
  Undo->SetCategory(1);
  TdxBarItem* Find = TdxBarEdit::Create(M);
  Find->SetCaption("Find");
  Find->SetCategory(1);
  for (const auto& Look : Looks) {
    TUxThemeEntries Saved;
    if (!Look.Themed) Saved = SubstituteUxTheme(TUxThemeEntries{});
    M->SetStyle(Look.Style);
    TdxBarCustomizationForm* F = Open();
    ASSERT_NE(nullptr, F);
    F->lbCategories->SetItemIndex(1);
    F->lbCategories->Click();
    F->lbItems->SetItemIndex(1);
    F->lbItems->Click();
    const char* Pages[] = {"toolbars", "commands", "options"};
    for (int I = 0; I < 3; ++I) {
      F->ShowPageAt(I);
      Pump();
      SaveScreenshot(std::string("customize-") + Look.Name + "-" + Pages[I]);
    }
    M->SetCustomizing(false);
    Pump();
    if (!Look.Themed) SubstituteUxTheme(Saved);
  }
}
}  // namespace
