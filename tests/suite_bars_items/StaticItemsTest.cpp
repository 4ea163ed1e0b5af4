// Static and progress items: what a static lets the user do, and a progress
// position that stays inside its range however the range or a form sets it.
#include <gtest/gtest.h>

#include <string>

#include "suite/bars/BarStaticItems.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/suite_bars_items/ItemFormSupport.h"

namespace {

using StaticFixture = ItemsRootFixture;

TEST_F(StaticFixture, StaticIsNeverEnteredAndClickedOnlyWhenAllowed) {
  TdxBarStatic* S = TdxBarStatic::Create(Root);
  EXPECT_EQ(taCenter, S->GetAlignment());
  EXPECT_TRUE(S->GetShowCaption());
  EXPECT_FALSE(S->CanClick());
  EXPECT_FALSE(S->IsEnterable(nullptr));
  S->SetAllowClick(true);
  EXPECT_TRUE(S->CanClick());
  EXPECT_FALSE(S->IsEnterable(nullptr));
  // Negative extents and indents read as none.
  S->SetWidth(-4);
  S->SetHeight(-1);
  S->SetLeftIndent(-2);
  S->SetRightIndent(3);
  EXPECT_EQ(0, S->GetWidth());
  EXPECT_EQ(0, S->GetHeight());
  EXPECT_EQ(0, S->GetLeftIndent());
  EXPECT_EQ(3, S->GetRightIndent());
  Free(S);
}

TEST_F(StaticFixture, ProgressPositionStaysInItsRange) {
  const struct {
    const char* Name;
    void (*Step)(TdxBarProgressItem*);
    int Min, Max, Position;
  } Cases[] = {
      {"above Max", [](TdxBarProgressItem* P) { P->SetPosition(150); }, 0, 100, 100},
      {"below Min", [](TdxBarProgressItem* P) { P->SetPosition(-5); }, 0, 100, 0},
      {"Max below the position", [](TdxBarProgressItem* P) { P->SetMax(30); }, 0, 30, 30},
      {"Max below Min takes Min along", [](TdxBarProgressItem* P) { P->SetMax(-10); }, -10, -10, -10},
      {"Min above the position", [](TdxBarProgressItem* P) { P->SetMin(60); }, 60, 100, 60},
      {"Min above Max takes Max along", [](TdxBarProgressItem* P) { P->SetMin(120); }, 120, 120, 120},
      {"a range around the position keeps it", [](TdxBarProgressItem* P) { P->SetRange(10, 90); }, 10, 90, 50},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TdxBarProgressItem* P = TdxBarProgressItem::Create(Root);
    P->SetPosition(50);
    C.Step(P);
    EXPECT_EQ(C.Min, P->GetMin());
    EXPECT_EQ(C.Max, P->GetMax());
    EXPECT_EQ(C.Position, P->GetPosition());
    Free(P);
  }
}

TEST_F(StaticFixture, ProgressReadFromAFormIsClampedOnceLoaded) {
  const struct {
    const char* Body;
    int Min, Max, Position;
  } Cases[] = {
      // Position is read before the range it belongs to.
      {" Position = 70\n Max = 80\n Min = 20\n", 20, 80, 70},
      {" Max = 40\n Position = 90\n", 0, 40, 40},
      {" Min = 50\n Max = 10\n Position = 30\n", 10, 10, 10},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Body);
    ReadItemsText(Root, std::string("object Root: TItemsRoot\nobject Bar: TdxBarProgressItem\n") + C.Body + "end\nend\n");
    auto* P = dynamic_cast<TdxBarProgressItem*>(Root->FindComponent("Bar"));
    ASSERT_TRUE(P);
    EXPECT_EQ(C.Min, P->GetMin());
    EXPECT_EQ(C.Max, P->GetMax());
    EXPECT_EQ(C.Position, P->GetPosition());
    EXPECT_EQ(sbsLowered, P->GetBorderStyle());
    Free(P);
  }
}

TEST(BarProgressFill, FilledLengthIsTheShareOfTheRangeAndNoneForAnEmptyRange) {
  const struct {
    int Length, Position, Min, Max, Filled;
  } Cases[] = {{150, 50, 0, 100, 75}, {150, 0, 0, 100, 0}, {150, 100, 0, 100, 150},
               {100, 15, 10, 20, 50}, {150, 5, 5, 5, 0}};
  for (const auto& C : Cases)
    EXPECT_EQ(C.Filled, TdxBarProgressItem::FilledLength(C.Length, C.Position, C.Min, C.Max))
        << C.Position << " in " << C.Min << ".." << C.Max;
}

}  // namespace
