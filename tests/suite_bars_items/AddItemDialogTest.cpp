// The new-item dialog, driven through its modal loop: the listed kinds, the
// category chosen by index, names proposed per kind, and a clashing name that
// keeps the dialog open without leaving an item behind.
#include <gtest/gtest.h>

#include <string>

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/ListControls.h"
#include "suite/bars/BarAddItemDialog.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarManager.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

struct AddItemFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  void SetUp() override {
    BarFormFixture::SetUp();
    EnsureBarExtItemsUnit();
    M = NewManager();
    M->GetCategories()->Add("Edit");
  }
  void TearDown() override {
    TModalAnswers::Clear();
    Free(M);
    BarFormFixture::TearDown();
  }
  static int TypeIndex(TdxBarItemAddEditor* D, const std::string& Class) {
    return D->GetTypeBox()->GetItems()->IndexOf(Class);
  }
};

TEST_F(AddItemFixture, ListsTheKindsAndFallsBackToTheFirstCategory) {
  struct {
    int Asked, Chosen;
  } Cases[] = {{1, 1}, {7, 0}, {-1, 0}};
  for (auto& C : Cases) {
    SCOPED_TRACE(C.Asked);
    int Category = -2;
    std::string FirstType, Name, LargeName, Title, Caption;
    SIZE Client{};
    bool NameFocused = false, TypeIsList = false;
    TModalAnswers::Add("TdxBarItemAddEditor", [&](TCustomForm* F) {
      auto* D = static_cast<TdxBarItemAddEditor*>(F);
      Title = D->GetCaption();
      Caption = D->GetCaptionEdit()->GetText();
      RECT R;
      GetClientRect(D->GetHandle(), &R);
      Client = SIZE{R.right, R.bottom};
      NameFocused = GetFocus() == D->GetNameEdit()->GetHandle();
      TypeIsList = (GetWindowLongPtrW(D->GetTypeBox()->GetHandle(), GWL_STYLE) & 3) == CBS_DROPDOWNLIST &&
                   D->GetTypeBox()->GetDropDownCount() == 100;
      Category = D->GetCategoryBox()->GetItemIndex();
      FirstType = D->GetTypeBox()->GetItems()->GetStrings(0);
      Name = D->GetNameEdit()->GetText();
      ChooseItem(D->GetTypeBox(), TypeIndex(D, "TdxBarLargeButton"));
      LargeName = D->GetNameEdit()->GetText();
      ClickButton(D->GetCancelButton());
    });
    EXPECT_EQ(nullptr, ShowAddItemDialog(M, C.Asked));
    EXPECT_EQ(C.Chosen, Category);
    EXPECT_EQ("TdxBarButton", FirstType);
    EXPECT_EQ("dxBarButton1", Name);
    EXPECT_EQ("dxBarLargeButton1", LargeName);
    EXPECT_EQ("Add New Bars Item", Title);
    EXPECT_EQ("New Item", Caption);
    EXPECT_EQ(263, Client.cx);
    EXPECT_EQ(150, Client.cy);
    EXPECT_TRUE(NameFocused);
    EXPECT_TRUE(TypeIsList);
  }
}

TEST_F(AddItemFixture, ClashingNameKeepsTheDialogOpenWithAFreshName) {
  TdxBarButton* Existing = TdxBarButton::Create(Form);
  Existing->SetName("Taken");
  int Before = Form->GetComponentCount();
  std::string Fresh;
  TModalAnswers::Add("TdxBarItemAddEditor", [&](TCustomForm* F) {
    auto* D = static_cast<TdxBarItemAddEditor*>(F);
    ChooseItem(D->GetTypeBox(), TypeIndex(D, "TdxBarLargeButton"));
    ChooseItem(D->GetCategoryBox(), 1);
    D->GetNameEdit()->SetText("Taken");
    ClickButton(D->GetOkButton());
  });
  TModalAnswers::Add("TdxBarItemAddEditor", [&](TCustomForm* F) {
    auto* D = static_cast<TdxBarItemAddEditor*>(F);
    Fresh = D->GetNameEdit()->GetText();
    D->GetCaptionEdit()->SetText("Loop");
    ClickButton(D->GetOkButton());
  });
  TdxBarItem* Item = ShowAddItemDialog(M, 0);
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_EQ("dxBarLargeButton1", Fresh);
  ASSERT_NE(nullptr, dynamic_cast<TdxBarLargeButton*>(Item));
  EXPECT_EQ("dxBarLargeButton1", Item->GetName());
  EXPECT_EQ(1, Item->GetCategory());
  EXPECT_EQ("Loop", Item->GetCaption());
  EXPECT_EQ(Before + 1, Form->GetComponentCount()) << "the refused item is gone";
  EXPECT_EQ(Form, Item->GetOwner());
}

}  // namespace
