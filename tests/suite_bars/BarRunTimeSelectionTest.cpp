// The Customize dialog's run-time selection: one bar and one item at most, and a
// freed component leaves it at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Lists.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarRunTimeSelection.h"
#include "suite/bars/Bars.h"
#include "suite/common/ComponentList.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
struct RunTimeSelectionFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBarRunTimeSelectionController Selection;
  int Changes = 0;
  void SetUp() override {
    BarFormFixture::SetUp();
    M = NewManager();
    Selection.OnSelectionChanged = TNotifyEvent(this, &RunTimeSelectionFixture::Changed);
  }
  void TearDown() override {
    Free(M);
    BarFormFixture::TearDown();
  }
  void Changed(TObject*) { ++Changes; }
  TdxBar* Bar(const std::string& Name) {
    TdxBar* B = M->GetBars()->Add();
    B->SetName(Name);
    return B;
  }
  TdxBarItem* Item(const std::string& Name) {
    TdxBarItem* I = TdxBarButton::Create(Form);
    I->SetName(Name);
    return I;
  }
  std::vector<std::string> Selected() {
    std::vector<std::string> Names;
    for (int I = 0; I < Selection.SelectedComponents()->GetCount(); ++I)
      Names.push_back(Selection.SelectedComponents()->GetItem(I)->GetName());
    return Names;
  }
};

TEST_F(RunTimeSelectionFixture, OneBarAndOneItemAtMost) {
  TdxBar *A = Bar("A"), *C = Bar("C");
  TdxBarItem *B = Item("B"), *D = Item("D");
  const struct {
    TComponent* Object;
    int Mode;
    std::vector<std::string> Expected;
  } Steps[] = {
      {A, 0, {"A"}},      {B, 0, {"A", "B"}}, {C, 2, {"B", "C"}}, {D, 0, {"C", "D"}},
      {A, 1, {"C", "D"}} /* other modes select nothing */,       {D, 0, {"C", "D"}},
  };
  for (const auto& S : Steps) {
    Selection.Select(S.Object, S.Mode);
    EXPECT_EQ(S.Expected, Selected()) << S.Object->GetName() << " mode " << S.Mode;
  }
  EXPECT_EQ(1, Selection.SelectionStatus(C));
  EXPECT_EQ(0, Selection.SelectionStatus(A));
}

TEST_F(RunTimeSelectionFixture, AnAssignedListKeepsItsLastBarAndItemAndSignalsOnce) {
  TdxBar *A = Bar("A"), *C = Bar("C");
  TdxBarItem* B = Item("B");
  TOwned<TObjectList> List(TObjectList::Create(false));
  List->Add(A);
  List->Add(B);
  List->Add(C);
  Selection.AssignSelection(List.get());
  EXPECT_EQ((std::vector<std::string>{"B", "C"}), Selected());
  EXPECT_EQ(1, Changes);
}

// Deleting the selected toolbar (the dialog's Delete frees it) and selecting
// another afterwards.
TEST_F(RunTimeSelectionFixture, AFreedSelectedBarLeavesTheSelection) {
  TdxBar *A = Bar("A"), *C = Bar("C");
  TdxBarItem* B = Item("B");
  Selection.AddToSelection(A);
  Selection.AddToSelection(B);
  Changes = 0;
  Free(A);
  EXPECT_EQ(std::vector<std::string>{"B"}, Selected());
  EXPECT_EQ(1, Changes);
  Selection.AddToSelection(C);
  EXPECT_EQ((std::vector<std::string>{"B", "C"}), Selected());
  Free(B);
  Selection.AddToSelection(Item("E"));
  EXPECT_EQ((std::vector<std::string>{"C", "E"}), Selected());
}
}  // namespace
