// The add-group-items dialog, read from its form text and driven through its
// modal loop: the other groups and the shown items under their headers, members
// greyed, and OK handing over the selected entries' objects in list order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Button.h"
#include "suite/bars/BarAddGroupItemsDialog.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

struct AddGroupItemsFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBarGroup* Group = nullptr;
  TdxBarGroup* Other = nullptr;
  TdxBarItem *Cut = nullptr, *Copy = nullptr, *Tilde = nullptr;
  void SetUp() override {
    BarFormFixture::SetUp();
    M = NewManager();
    M->GetCategories()->Add("Edit");
    Group = M->CreateGroup();
    Group->SetName("Editing");
    Other = M->CreateGroup();
    Other->SetName("Clipboard");
    Cut = Add("Cut", "bCut");
    Copy = Add("Copy", "bCopy");
    Add("Hidden", "bHidden")->SetVisible(ivNever);
    Tilde = Add("~Tilde", "bTilde");
    Group->AddMember(Cut);
  }
  void TearDown() override {
    TModalAnswers::Clear();
    Free(M);
    BarFormFixture::TearDown();
  }
  TdxBarItem* Add(const char* Caption, const char* Name) {
    TdxBarItem* Item = TdxBarButton::Create(M->OwnerComponent());
    Item->SetName(Name);
    Item->SetCaption(Caption);
    Item->SetCategory(1);
    return Item;
  }
  // The colours drawn in a row of the list: how many pixels of Color in the
  // left and right halves, and the colour at its right end.
  struct TRow {
    int Left = 0, Right = 0;
    COLORREF End = 0;
  };
  static TRow Row(HWND List, int Index, COLORREF Color) {
    RECT R{};
    SendMessageW(List, LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&R));
    HDC DC = GetDC(List);
    TRow Out;
    const int Middle = (R.left + R.right) / 2;
    for (int X = R.left; X < R.right; ++X)
      for (int Y = R.top; Y < R.bottom; ++Y)
        if (GetPixel(DC, X, Y) == Color) ++(X < Middle ? Out.Left : Out.Right);
    Out.End = GetPixel(DC, R.right - 2, (R.top + R.bottom) / 2);
    ReleaseDC(List, DC);
    return Out;
  }
};

TEST_F(AddGroupItemsFixture, ListsOtherGroupsAndShownItemsAndOkHandsOverTheSelection) {
  std::vector<std::string> Texts;
  std::vector<TObject*> Objects;
  std::string Caption;
  int Height = 0, Expected = 0;
  RECT List{}, Ok{}, Client{};
  TRow Header, TildeRow, CopyRow, CutRow;
  TModalAnswers::Add("TfrmAddGroupItems", [&](TCustomForm* F) {
    auto* D = static_cast<TfrmAddGroupItems*>(F);
    Caption = F->GetCaption();
    TStrings* Items = D->GetList()->GetItems();
    for (int I = 0; I < Items->GetCount(); ++I) {
      Texts.push_back(Items->GetStrings(I));
      Objects.push_back(Items->GetObjects(I));
    }
    HWND Wnd = D->GetList()->GetHandle();
    Height = static_cast<int>(SendMessageW(Wnd, LB_GETITEMHEIGHT, 0, 0));
    Expected = D->GetList()->EntryHeight();
    List = D->GetList()->GetBoundsRect();
    Ok = D->GetOkButton()->GetBoundsRect();
    Client = F->GetClientRect();
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const COLORREF Text = GetSysColor(COLOR_WINDOWTEXT);
    Header = Row(Wnd, 0, Text);
    TildeRow = Row(Wnd, 5, Text);
    CopyRow = Row(Wnd, 4, Text);
    CutRow = Row(Wnd, 3, Text);
    for (int I : {0, 1, 4, 5}) SendMessageW(Wnd, LB_SETSEL, TRUE, I);
    ClickButton(D->GetOkButton());
  });
  std::vector<TdxBarComponent*> Chosen;
  ASSERT_TRUE(ShowAddGroupItemsDialog(Group, Chosen));
  EXPECT_EQ("Add Group Items", Caption);
  EXPECT_EQ((std::vector<std::string>{"~< Groups >", "Clipboard", "~Edit", "Cut", "Copy", "~Tilde"}), Texts);
  EXPECT_EQ((std::vector<TObject*>{nullptr, Other, nullptr, Cut, Copy, Tilde}), Objects);
  EXPECT_EQ(Expected, Height);
  EXPECT_EQ(5, List.left);
  EXPECT_EQ(5, List.top);
  EXPECT_GT(Ok.top, List.bottom) << "the buttons stand in a band under the list";
  EXPECT_LE(Ok.bottom, Client.bottom);
  EXPECT_LE(Ok.right, Client.right);
  // A header stands on the button face; an item whose caption begins like one
  // does not. The items show their name right of the divider; a member is grey.
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), Header.End);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), TildeRow.End);
  EXPECT_GT(CopyRow.Left, 0);
  EXPECT_GT(CopyRow.Right, 0);
  EXPECT_EQ(0, CutRow.Left) << "a member's caption is greyed";
  EXPECT_EQ((std::vector<TdxBarComponent*>{nullptr, Other, Copy, Tilde}), Chosen);
  for (TdxBarComponent* C : Chosen) Group->AddMember(C);
  EXPECT_EQ(4, Group->MemberCount()) << "the header's null adds nothing";
}

TEST_F(AddGroupItemsFixture, CancelHandsOverNothing) {
  TModalAnswers::Add("TfrmAddGroupItems", [&](TCustomForm* F) {
    auto* D = static_cast<TfrmAddGroupItems*>(F);
    SendMessageW(D->GetList()->GetHandle(), LB_SETSEL, TRUE, 1);
    ClickButton(D->GetCancelButton());
  });
  std::vector<TdxBarComponent*> Chosen;
  EXPECT_FALSE(ShowAddGroupItemsDialog(Group, Chosen));
  EXPECT_TRUE(Chosen.empty());
}

}  // namespace
