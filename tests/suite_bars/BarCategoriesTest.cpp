// The manager's categories keep their items' category indexes right through
// inserting, deleting, exchanging and moving categories.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "suite/bars/BarCategories.h"
#include "suite/bars/BarItems.h"
#include "tests/suite_bars/BarTestSupport.h"

struct CategoriesFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBarManagerCategories* C = nullptr;
  std::vector<TdxBarItem*> Items;

  void AddControls() override {
    M = NewManager();
    C = M->GetCategories();
  }
  void TearDown() override {
    Free(M);
    BarFormFixture::TearDown();
  }
  // Categories A to D with one item each, captioned after its category.
  void Fill() {
    Items.clear();
    while (M->ItemCount()) Free(M->ItemByIndex(0));
    C->Clear();
    for (const char* Name : {"A", "B", "C", "D"}) {
      C->Add(Name);
      TdxBarItem* Item = TdxBarButton::Create(M);
      Item->SetCaption(Name);
      Item->SetCategory(C->GetCount() - 1);
      Items.push_back(Item);
    }
  }
  // Each item's category name (its caption says where it started).
  std::string Placement() {
    std::string S;
    for (int I = 0; I < M->ItemCount(); ++I) {
      TdxBarItem* Item = M->ItemByIndex(I);
      S += Item->GetCaption() + ":" + (C->InRange(Item->GetCategory()) ? C->GetStrings(Item->GetCategory()) : "?") + " ";
    }
    return S;
  }
  std::string Names() {
    std::string S;
    for (int I = 0; I < C->GetCount(); ++I) S += C->GetStrings(I);
    return S;
  }
};

// After every change each item is still in the category it was in, under the
// category's new index; deleting a category frees its items.
TEST_F(CategoriesFixture, ItemsFollowTheirCategories) {
  const struct {
    const char* Name;
    std::function<void(TdxBarManagerCategories*)> Change;
    const char* Names;
    const char* Placement;
  } Cases[] = {
      {"move 0 to 2", [](auto* C) { C->Move(0, 2); }, "BCAD", "A:A B:B C:C D:D "},
      {"move 3 to 1", [](auto* C) { C->Move(3, 1); }, "ADBC", "A:A B:B C:C D:D "},
      {"exchange with itself", [](auto* C) { C->Exchange(1, 1); }, "ABCD", "A:A B:B C:C D:D "},
      {"exchange 0 and 3", [](auto* C) { C->Exchange(0, 3); }, "DBCA", "A:A B:B C:C D:D "},
      {"exchange with an invalid index", [](auto* C) { C->Exchange(0, 9); }, "ABCD", "A:A B:B C:C D:D "},
      {"insert at 0", [](auto* C) { C->Insert(0, "X"); }, "XABCD", "A:A B:B C:C D:D "},
      {"append", [](auto* C) { C->Insert(4, "X"); }, "ABCDX", "A:A B:B C:C D:D "},
      {"delete 1", [](auto* C) { C->Delete(1); }, "ACD", "A:A C:C D:D "},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Fill();
    Case.Change(C);
    EXPECT_EQ(Case.Names, Names());
    EXPECT_EQ(Case.Placement, Placement());
  }
  // Moving category 0 to 2 gives the items of 1 and 2 the indexes 0 and 1.
  Fill();
  C->Move(0, 2);
  EXPECT_EQ((std::vector<int>{2, 0, 1, 3}),
            (std::vector<int>{Items[0]->GetCategory(), Items[1]->GetCategory(), Items[2]->GetCategory(),
                              Items[3]->GetCategory()}));
}

// Deleting the last category frees its items and brings "Default" back.
TEST_F(CategoriesFixture, DeletingTheLastCategoryLeavesDefault) {
  Fill();
  for (int I = 0; I < 4; ++I) C->Delete(0);
  EXPECT_EQ("Default", Names());
  EXPECT_EQ(0, M->ItemCount());
}
