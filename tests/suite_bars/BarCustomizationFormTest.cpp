// The Customize dialog of a manager in customizing mode: one form per process,
// its window frame, the toolbars list's check boxes, rename and new toolbars,
// deleting and moving what a list selects, and the options page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Exceptions.h"
#include "framework/ListControls.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarCustomizationForm.h"
#include "suite/bars/BarCustomizationLists.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRunTimeSelection.h"
#include "suite/bars/BarXPPainter.h"
#include "suite/bars/Bars.h"
#include "suite/common/ComponentList.h"
#include "suite/common/SuiteException.h"
#include "suite/common/ThemeManager.h"
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
  INPUT In[2]{};
  In[0].type = In[1].type = INPUT_KEYBOARD;
  In[0].ki.wVk = In[1].ki.wVk = VK_RETURN;
  In[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, In, sizeof(INPUT));
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

// For a person to judge: the three pages in the standard style, and in the themed
// style with visual styles on and off (the themed rows then draw plainly).
TEST_F(CustomizeFixture, ScreenshotsOfThePages) {
  if (!std::getenv("SONVELT_SCREENSHOTS")) GTEST_SKIP() << "SONVELT_SCREENSHOTS names no folder";
  const struct {
    TdxBarManagerStyle Style;
    bool Themed;
    const char* Name;
  } Looks[] = {{bmsStandard, true, "standard"}, {bmsXP, true, "xp"}, {bmsXP, false, "xp-plain"}};
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
