// The "Select ..." dialogs a click on a date, image or tree-view combo opens,
// driven through their modal loops as a user would: what the item holds after OK,
// Cancel, a double click, and the keys and buttons inside.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Canvas.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/ListControls.h"
#include "suite/bars/BarCalendar.h"
#include "suite/bars/BarDateCombo.h"
#include "suite/bars/BarImageCombo.h"
#include "suite/bars/BarTreeViewCombo.h"
#include "suite/common/cxDateUtils.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/suite_bars_items/ToolbarItemFixture.h"

namespace {

struct SelectDialogFixture : ToolbarItemFixture {
  void TearDown() override {
    TModalAnswers::Clear();
    ToolbarItemFixture::TearDown();
  }
  // Opens the item's dialog by its click; Answer drives it. False when no
  // dialog of Class came (the answer is then dropped). A dialog the answer
  // leaves open is cancelled, so that a fault fails the test instead of hanging it.
  static bool ClickAnswered(TdxBarItem* Item, const std::string& Class, std::function<void(TCustomForm*)> Answer) {
    TModalAnswers::Add(Class, [Answer](TCustomForm* F) {
      Answer(F);
      if (F->GetModalResult() == mrNone) {
        ADD_FAILURE() << "the dialog stayed open";
        F->SetModalResult(mrCancel);
      }
    });
    Item->Click();
    const bool Came = TModalAnswers::AllAnswered();
    TModalAnswers::Clear();
    return Came;
  }
  // Keys typed into a window, each as the keyboard sends it.
  static void Type(HWND Wnd, const std::string& Text) {
    for (char Ch : Text) SendMessageW(Wnd, WM_CHAR, static_cast<unsigned char>(Ch), 1);
  }
  static void Key(HWND Wnd, WORD K) {
    SendMessageW(Wnd, WM_KEYDOWN, K, 1);
    SendMessageW(Wnd, WM_KEYUP, K, 0xC0000001);
  }
  static void DoubleClick(HWND Wnd, POINT P) {
    const LPARAM At = MAKELPARAM(P.x, P.y);
    SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageW(Wnd, WM_LBUTTONUP, 0, At);
    SendMessageW(Wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At);
    SendMessageW(Wnd, WM_LBUTTONUP, 0, At);
  }
};

// ---- the date dialog

struct DateDialogFixture : SelectDialogFixture {
  TdxBarDateCombo* Combo = nullptr;
  void SetUp() override {
    SelectDialogFixture::SetUp();
    Combo = TdxBarDateCombo::Create(Form);
    Combo->SetDate(EncodeDate(2024, 1, 31));
    ToolbarLinks->Links()->AddItem(Combo);
  }
  static TdxBarDateDialog* Of(TCustomForm* F) { return static_cast<TdxBarDateDialog*>(F); }
  int Clicks = 0;
  void Clicked(TObject*) { ++Clicks; }
  static void Retype(TdxBarDateDialog* D, const std::string& Text) {
    // The first key replaces the whole text.
    HWND Edit = D->GetEdit()->GetHandle();
    SendMessageW(Edit, EM_SETSEL, 0, -1);
    Type(Edit, Text);
  }
};

TEST_F(DateDialogFixture, EditAndCalendarFollowEachOtherAndOkTakesTheEdit) {
  std::string Caption, Shown;
  TDateTime AtStart = 0, WhileHalfTyped = 0, Typed = 0;
  bool Today = false, Clear = false;
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarDateDialog", [&](TCustomForm* F) {
    TdxBarDateDialog* D = Of(F);
    Caption = D->GetCaption();
    Shown = D->GetEdit()->GetText();
    Today = D->GetTodayButton() != nullptr, Clear = D->GetClearButton() != nullptr;
    AtStart = D->GetCalendar()->SelectionFrom();
    Retype(D, "not a date");
    WhileHalfTyped = D->GetCalendar()->SelectionFrom();
    Retype(D, Combo->DateToText(EncodeDate(2023, 7, 4)));
    Typed = D->GetCalendar()->SelectionFrom();
    ClickButton(D->GetOkButton());
  }));
  EXPECT_EQ("Select the date", Caption);
  EXPECT_EQ(Combo->DateToText(EncodeDate(2024, 1, 31)), Shown);
  EXPECT_TRUE(Today && Clear);
  EXPECT_EQ(EncodeDate(2024, 1, 31), AtStart);
  EXPECT_EQ(EncodeDate(2024, 1, 31), WhileHalfTyped) << "text that is no date leaves the calendar";
  EXPECT_EQ(EncodeDate(2023, 7, 4), Typed);
  EXPECT_EQ(EncodeDate(2023, 7, 4), Combo->GetDate());
}

TEST_F(DateDialogFixture, ButtonsAndADoubleClickedDayDecideWhatTheItemGets) {
  const struct {
    const char* Label;
    std::function<void(TdxBarDateDialog*)> Do;
    TDateTime Expected;
  } Cases[] = {
      {"Today, then OK",
       [](TdxBarDateDialog* D) {
         ClickButton(D->GetTodayButton());
         ClickButton(D->GetOkButton());
       },
       Date()},
      {"Clear, then OK",
       [](TdxBarDateDialog* D) {
         ClickButton(D->GetClearButton());
         EXPECT_EQ("", D->GetEdit()->GetText());
         ClickButton(D->GetOkButton());
       },
       cxNullDate},
      {"a day double-clicked",
       [](TdxBarDateDialog* D) {
         // January 2024 under any first weekday: the 10th lies in the second or third row.
         TdxBarDateNavigator* Cal = D->GetCalendar();
         const int Index = static_cast<int>(EncodeDate(2024, 1, 10) - Cal->FirstVisibleDate());
         RECT Cell = Cal->DayCellRect(Index % 7, Index / 7);
         DoubleClick(Cal->GetHandle(), POINT{(Cell.left + Cell.right) / 2, (Cell.top + Cell.bottom) / 2});
       },
       EncodeDate(2024, 1, 10)},
      {"Today, then Cancel",
       [](TdxBarDateDialog* D) {
         ClickButton(D->GetTodayButton());
         ClickButton(D->GetCancelButton());
       },
       EncodeDate(2024, 1, 31)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Label);
    Combo->SetDate(EncodeDate(2024, 1, 31));
    ASSERT_TRUE(ClickAnswered(Combo, "TdxBarDateDialog", [&](TCustomForm* F) { C.Do(Of(F)); }));
    EXPECT_EQ(C.Expected, Combo->GetDate());
  }
}

TEST_F(DateDialogFixture, LayoutLeavesOutHiddenButtonsAndAHandlerOrReadOnlyKeepsItClosed) {
  Combo->SetShowTodayButton(false);
  RECT Calendar{}, Ok{}, Client{};
  bool HasToday = true;
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarDateDialog", [&](TCustomForm* F) {
    TdxBarDateDialog* D = Of(F);
    HasToday = D->GetTodayButton() != nullptr;
    Calendar = D->GetCalendar()->GetBoundsRect();
    Ok = D->GetOkButton()->GetBoundsRect();
    Client = D->GetClientRect();
    ClickButton(D->GetCancelButton());
  }));
  EXPECT_FALSE(HasToday);
  EXPECT_GT(Ok.left, Calendar.right) << "the buttons stand right of the calendar";
  EXPECT_LT(Calendar.bottom, Client.bottom);
  EXPECT_LT(Ok.right, Client.right);

  Combo->OnClick = Bind(this, &DateDialogFixture::Clicked);
  EXPECT_FALSE(ClickAnswered(Combo, "TdxBarDateDialog", [](TCustomForm* F) { F->SetModalResult(mrCancel); }));
  EXPECT_EQ(1, Clicks);
  Combo->OnClick = TNotifyEvent();
  Combo->SetReadOnly(true);
  EXPECT_FALSE(ClickAnswered(Combo, "TdxBarDateDialog", [](TCustomForm* F) { F->SetModalResult(mrCancel); }));
}

// ---- the image combo's dialog

struct ImageDialogFixture : SelectDialogFixture {
  TdxBarImageCombo* Combo = nullptr;
  void SetUp() override {
    SelectDialogFixture::SetUp();
    TImageList* L = TImageList::Create(Form);
    L->SetWidth(16);
    L->SetHeight(16);
    TOwned<TBitmap> Green(TBitmap::Create());
    Green->SetWidth(16);
    Green->SetHeight(16);
    Green->GetCanvas()->GetBrush()->SetColor(clGreen);
    Green->GetCanvas()->FillRect(RECT{0, 0, 16, 16});
    L->AddMasked(Green.get(), clFuchsia);
    Combo = TdxBarImageCombo::Create(Form);
    Combo->SetImages(L);
    for (const char* S : {"Square", "Circle", "Star", "Moon"}) Combo->GetItems()->Add(S);
    Combo->SetImageIndex(1, 0);
    Combo->SetDropDownCount(3);
    Combo->SetItemIndex(1);
    ToolbarLinks->Links()->AddItem(Combo);
  }
  static TdxBarImageComboDialog* Of(TCustomForm* F) { return static_cast<TdxBarImageComboDialog*>(F); }
};

TEST_F(ImageDialogFixture, ListStartsAtTheEntryShowsItsImageAndOkTakesTheChoice) {
  int Start = -1, Count = 0, Green = 0, ClientHeight = 0;
  std::string Caption;
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarImageComboDialog", [&](TCustomForm* F) {
    TListBox* List = Of(F)->GetList();
    Caption = F->GetCaption();
    Start = List->GetItemIndex();
    Count = List->GetItems()->GetCount();
    ClientHeight = List->GetClientHeight();
    // The combo draws the entries: entry 1 (the selected one) carries the image.
    RECT R{};
    SendMessageW(List->GetHandle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&R));
    RedrawWindow(List->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC DC = GetDC(List->GetHandle());
    for (int X = R.left; X < R.right; ++X)
      for (int Y = R.top; Y < R.bottom; ++Y)
        if (GetPixel(DC, X, Y) == RGB(0, 128, 0)) ++Green;
    ReleaseDC(List->GetHandle(), DC);
    Key(List->GetHandle(), VK_DOWN);
    ClickButton(Of(F)->GetOkButton());
  }));
  EXPECT_EQ("Select item", Caption);
  EXPECT_EQ(1, Start);
  EXPECT_EQ(4, Count);
  EXPECT_EQ(16 * 16, Green);
  EXPECT_EQ(3 * Combo->MeasureItem(0), ClientHeight) << "as many rows as the drop-down shows";
  EXPECT_EQ(2, Combo->GetItemIndex());
}

TEST_F(ImageDialogFixture, DoubleClickConfirmsAndCancelKeepsTheEntry) {
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarImageComboDialog", [&](TCustomForm* F) {
    TListBox* List = Of(F)->GetList();
    Key(List->GetHandle(), VK_UP);
    ClickButton(Of(F)->GetCancelButton());
  }));
  EXPECT_EQ(1, Combo->GetItemIndex());
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarImageComboDialog", [&](TCustomForm* F) {
    HWND List = Of(F)->GetList()->GetHandle();
    RECT R{};
    SendMessageW(List, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&R));
    DoubleClick(List, POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
  }));
  EXPECT_EQ(0, Combo->GetItemIndex());
}

// ---- the tree-view combo's dialog

// Sounds / Drums / Snare, Sounds / Bass, Effects / Echo
struct TreeDialogFixture : SelectDialogFixture {
  TdxBarTreeViewCombo* Combo = nullptr;
  void SetUp() override {
    SelectDialogFixture::SetUp();
    Combo = TdxBarTreeViewCombo::Create(Form);
    TTreeNodes* N = Combo->GetItems();
    TTreeNode* Sounds = N->Add(nullptr, "Sounds");
    N->AddChild(N->AddChild(Sounds, "Drums"), "Snare");
    N->AddChild(Sounds, "Bass");
    N->AddChild(N->Add(nullptr, "Effects"), "Echo");
    Combo->SetFullExpand(true);
    ToolbarLinks->Links()->AddItem(Combo);
  }
  static TdxBarTreeViewComboDialog* Of(TCustomForm* F) { return static_cast<TdxBarTreeViewComboDialog*>(F); }
  bool Refuse = false;
  void CanSelect(TObject*, TTreeNode*, bool& Allow) { Allow = !Refuse; }
  // A double click on a node's label, the pointer on it: the tree follows each
  // press until the release it finds waiting.
  static void DoubleClickNode(TdxBarTreeView* Tree, TTreeNode* Node) {
    RECT R{};
    HTREEITEM Item = Node->GetItemId();
    memcpy(&R, &Item, sizeof Item);
    HWND Wnd = Tree->GetHandle();
    SendMessageW(Wnd, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R));
    POINT P{(R.left + R.right) / 2, (R.top + R.bottom) / 2}, Screen = P;
    ClientToScreen(Wnd, &Screen);
    SetCursorPos(Screen.x, Screen.y);
    const LPARAM At = MAKELPARAM(P.x, P.y);
    PostMessageW(Wnd, WM_LBUTTONUP, 0, At);
    SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
    PostMessageW(Wnd, WM_LBUTTONUP, 0, At);
    SendMessageW(Wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At);
    Pump();
  }
};

TEST_F(TreeDialogFixture, CopyStartsAtTheTextsNodeKeysWalkItAndOkTakesTheNode) {
  Combo->SetText("snare");
  std::string Caption, Start;
  int Nodes = 0;
  bool Sizeable = false;
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarTreeViewComboDialog", [&](TCustomForm* F) {
    TdxBarTreeView* Tree = Of(F)->GetTreeView();
    Caption = F->GetCaption();
    Sizeable = (GetWindowLongW(F->GetHandle(), GWL_STYLE) & WS_THICKFRAME) != 0;
    Nodes = Tree->GetItems()->GetCount();
    Start = Tree->GetSelected() ? Tree->GetSelected()->GetText() : "";
    Key(Tree->GetHandle(), VK_DOWN);
    ClickButton(Of(F)->GetOkButton());
  }));
  EXPECT_EQ("Select item", Caption);
  EXPECT_TRUE(Sizeable);
  EXPECT_EQ(6, Nodes);
  EXPECT_EQ("Snare", Start);
  EXPECT_EQ("Bass", Combo->GetText());
  ASSERT_NE(nullptr, Combo->GetSelectedNode());
  EXPECT_EQ(Combo->GetItems()->GetItem(3), Combo->GetSelectedNode()) << "the drop-down's own node is chosen";
}

TEST_F(TreeDialogFixture, DoubleClickChoosesUnlessRefusedAndCancelKeepsTheText) {
  Combo->SetText("Bass");
  Refuse = true;
  Combo->OnCanSelectNode = Bind(this, &TreeDialogFixture::CanSelect);
  bool OpenAfterRefusal = false;
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarTreeViewComboDialog", [&](TCustomForm* F) {
    TdxBarTreeView* Tree = Of(F)->GetTreeView();
    TTreeNode* Echo = Tree->FindNodeByText("Echo");
    DoubleClickNode(Tree, Echo);
    OpenAfterRefusal = F->GetModalResult() == mrNone;
    Refuse = false;
    DoubleClickNode(Tree, Echo);
  }));
  EXPECT_TRUE(OpenAfterRefusal);
  EXPECT_EQ("Echo", Combo->GetText());
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarTreeViewComboDialog", [&](TCustomForm* F) {
    Key(Of(F)->GetTreeView()->GetHandle(), VK_UP);
    ClickButton(Of(F)->GetCancelButton());
  }));
  EXPECT_EQ("Echo", Combo->GetText());
}

TEST_F(TreeDialogFixture, TheDialogsTreeStartsAtTheDropDownsSizeAndItsResizingIsKept) {
  Combo->SetDropDownWidth(180);
  Combo->SetDropDownHeight(160);
  SIZE Start{}, Resized{};
  RECT Ok{}, Client{};
  ASSERT_TRUE(ClickAnswered(Combo, "TdxBarTreeViewComboDialog", [&](TCustomForm* F) {
    TdxBarTreeView* Tree = Of(F)->GetTreeView();
    Start = SIZE{Tree->GetClientWidth(), Tree->GetClientHeight()};
    F->SetBounds(F->GetLeft(), F->GetTop(), F->GetWidth() + 40, F->GetHeight() + 30);
    Resized = SIZE{Tree->GetClientWidth(), Tree->GetClientHeight()};
    Ok = Of(F)->GetOkButton()->GetBoundsRect();
    Client = F->GetClientRect();
    ClickButton(Of(F)->GetOkButton());
  }));
  EXPECT_EQ(180, Start.cx);
  EXPECT_EQ(160, Start.cy);
  EXPECT_EQ(Start.cx + 40, Resized.cx);
  EXPECT_EQ(Start.cy + 30, Resized.cy);
  EXPECT_EQ(Client.right - Ok.top, Ok.right) << "OK keeps to the right edge, one margin in";
  EXPECT_EQ(Resized.cx, Combo->GetTreeView()->GetClientWidth());
  EXPECT_EQ(Resized.cy, Combo->GetTreeView()->GetClientHeight());
}

}  // namespace
