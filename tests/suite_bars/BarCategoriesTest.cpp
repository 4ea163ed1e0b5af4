// The manager's categories keep their items' category numbers right through
// inserting, deleting, exchanging and moving.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "suite/bars/BarCategories.h"
#include "suite/bars/BarItems.h"
#include "suite/common/ObjectLinks.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

TEST_F(BarFormFixture, CategoryChangesRenumberTheirItems) {
  struct Case {
    const char* Name;
    std::function<void(TdxBarManagerCategories*)> Change;
    std::vector<std::string> Names;  // the categories afterwards
    std::vector<int> Items;          // the category of the items of 0, 1, 2, 3 (-1: freed)
  };
  const Case Cases[] = {
      {"insert at 0", [](auto* C) { C->Insert(0, "X"); }, {"X", "Default", "A", "B", "C"}, {1, 2, 3, 4}},
      {"insert at the end", [](auto* C) { C->Insert(4, "X"); }, {"Default", "A", "B", "C", "X"}, {0, 1, 2, 3}},
      {"delete 1", [](auto* C) { C->Delete(1); }, {"Default", "B", "C"}, {0, -1, 1, 2}},
      {"exchange with itself", [](auto* C) { C->Exchange(1, 1); }, {"Default", "A", "B", "C"}, {0, 1, 2, 3}},
      {"exchange out of range", [](auto* C) { C->Exchange(1, 9); }, {"Default", "A", "B", "C"}, {0, 1, 2, 3}},
      {"exchange 0 and 2", [](auto* C) { C->Exchange(0, 2); }, {"B", "A", "Default", "C"}, {2, 1, 0, 3}},
      {"move 0 to 2", [](auto* C) { C->Move(0, 2); }, {"A", "B", "Default", "C"}, {2, 0, 1, 3}},
      {"move 3 to 1", [](auto* C) { C->Move(3, 1); }, {"Default", "C", "A", "B"}, {0, 2, 3, 1}},
  };
  for (const Case& K : Cases) {
    TdxBarManager* M = NewManager();
    TdxBarManagerCategories* Categories = M->GetCategories();
    for (const char* Name : {"A", "B", "C"}) Categories->Add(Name);
    std::vector<TdxBarButton*> Items;
    std::vector<TcxObjectLinkGuard*> Alive;
    for (int I = 0; I < 4; ++I) {
      TdxBarButton* B = TdxBarButton::Create(Form);
      B->SetCategory(I);
      Items.push_back(B);
      Alive.push_back(new TcxObjectLinkGuard(B));
    }
    K.Change(Categories);
    std::vector<std::string> Names;
    for (int I = 0; I < Categories->GetCount(); ++I) Names.push_back(Categories->GetStrings(I));
    EXPECT_EQ(K.Names, Names) << K.Name;
    for (int I = 0; I < 4; ++I) {
      int Got = Alive[I]->Alive() ? Items[I]->GetCategory() : -1;
      EXPECT_EQ(K.Items[I], Got) << K.Name << ", item of category " << I;
      delete Alive[I];
    }
    Free(M);
  }
}

TEST_F(BarFormFixture, DeletingTheLastCategoryBringsDefaultBack) {
  TdxBarManager* M = NewManager();
  TdxBarManagerCategories* Categories = M->GetCategories();
  Categories->SetStrings(0, "Mine");
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->SetCategory(0);
  TcxObjectLinkGuard Alive(B);
  Categories->Delete(0);
  ASSERT_EQ(1, Categories->GetCount());
  EXPECT_EQ("Default", Categories->GetStrings(0));
  EXPECT_FALSE(Alive.Alive()) << "the deleted category's item lives on";
  Free(M);
}

}  // namespace
