// Where a toolbar puts its items: one row that hides what does not fit, rows that
// break before a group, the main menu's caption buttons and the floating minimum.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarToolbarLayout.h"

namespace {

// Items of the given lengths, 22 thick; a '|' before a length begins a group.
std::vector<TdxToolbarLayoutItem> Items(const std::string& Spec) {
  std::vector<TdxToolbarLayoutItem> R;
  bool Group = false;
  for (size_t I = 0; I < Spec.size(); ++I) {
    char C = Spec[I];
    if (C == '|') {
      Group = true;
    } else if (C == 'b') {  // a button
      TdxToolbarLayoutItem It;
      It.Length = 23;
      It.Thickness = 22;
      It.BeginGroup = Group;
      R.push_back(It);
      Group = false;
    }
  }
  return R;
}

std::string Placement(const std::vector<TdxToolbarLayoutItem>& V) {
  std::string S;
  for (const auto& It : V) {
    if (!It.Placed) {
      S += "- ";
      continue;
    }
    S += std::to_string(It.Rect.left) + "," + std::to_string(It.Rect.top) + (It.LastInRow ? "! " : " ");
  }
  return S;
}

std::string RowStarts(const std::vector<TdxToolbarLayoutItem>& V) {
  std::string S;
  for (const auto& It : V) S += It.StartsRow ? 'R' : '.';
  return S;
}

TEST(ToolbarLayout, ASingleRowHidesWhatDoesNotFitBeforeTheMarkAndAlignedItemsTakeTheRest) {
  struct {
    const char* Name;
    int ClientLength;
    int AlignAt;
    TdxBarItemAlign Align;
    bool Truncated;
    const char* Placed;
  } Cases[] = {
      // 5 x 23 = 115 fit 115 when the mark is not needed.
      {"fits", 126, 2, iaLeft, false, "0,2 23,2 46,2 69,2 92,2! "},
      // 100 less an 11-pixel mark leaves 89: the fourth button would end at 92.
      {"truncated", 100, 2, iaLeft, true, "0,2 23,2 46,2! - - "},
      // An aligned third button takes the rest of the row; what follows is hidden.
      {"right", 126, 2, iaRight, true, "0,2 23,2 92,2! - - "},
      {"center", 126, 2, iaCenter, true, "0,2 23,2 69,2! - - "},
      {"client", 126, 2, iaClient, true, "0,2 23,2 46,2! - - "},
      // Aligned and last: nothing is hidden.
      {"right last", 126, 4, iaRight, false, "0,2 23,2 46,2 69,2 92,2! "},
  };
  for (const auto& C : Cases) {
    auto V = Items("bbbbb");
    V[static_cast<size_t>(C.AlignAt)].Align = C.Align;
    TdxToolbarLayoutParams P;
    P.ClientLength = C.ClientLength;
    P.ClientThickness = 26;
    P.MarkExtent = 11;
    EXPECT_EQ(C.Truncated, LayoutToolbarItems(V, P)) << C.Name;
    EXPECT_EQ(C.Placed, Placement(V)) << C.Name;
    if (C.Align == iaClient) {
      EXPECT_EQ(115, V[2].Rect.right) << "stretched to the mark";
    }
    EXPECT_EQ(26, V[0].RowHeight) << C.Name;
  }
  // A vertical bar docked at the left runs the same along y, centred across.
  auto V = Items("bbb");
  V[1].Thickness = 18;
  TdxToolbarLayoutParams P;
  P.Vertical = true;
  P.ClientLength = 70;
  P.ClientThickness = 26;
  P.MarkExtent = 11;
  EXPECT_TRUE(LayoutToolbarItems(V, P));
  EXPECT_EQ("2,0 4,23! - ", Placement(V));
}

TEST(ToolbarLayout, WrappedRowsBreakBeforeAGroupAndAGroupLongerThanARowEnds) {
  struct {
    const char* Name;
    const char* Spec;
    int Limit;
    const char* Starts;
    SIZE Size;
  } Cases[] = {
      // Everything on one row.
      {"one row", "bbb|bbb|bb", 200, "........", {196, 22}},
      // The second group would break inside itself: it moves whole to a new row,
      // as does the third; rows are parted by a separator's thickness.
      {"groups kept", "bbb|bbb|bb", 120, "...R..R.", {69, 22 + 6 + 22 + 6 + 22}},
      // The group start itself does not fit.
      {"group start", "bbbb|bb", 100, "....R.", {92, 22 + 6 + 22}},
      // A group longer than a row breaks where it must; the next group then starts
      // a new row although it would fit after the forced break.
      {"long group", "bbbbbb|bb", 100, "....R.R.", {92, 22 + 22 + 6 + 22}},
      // A row narrower than one button still holds one per row.
      {"narrow", "bb|b", 10, ".RR", {23, 22 + 22 + 6 + 22}},
  };
  for (const auto& C : Cases) {
    auto V = Items(C.Spec);
    TdxToolbarLayoutParams P;
    P.Wrapping = true;
    P.Docked = false;
    SIZE S = WrapToolbarItems(V, P, C.Limit, SIZE{0, 0});
    EXPECT_EQ(C.Starts, RowStarts(V)) << C.Name;
    EXPECT_EQ(C.Size.cx, S.cx) << C.Name;
    EXPECT_EQ(C.Size.cy, S.cy) << C.Name;
  }
  // The layout follows the wrap: rows stacked with the separator between them.
  auto V = Items("bbb|bbb|bb");
  TdxToolbarLayoutParams P;
  P.Wrapping = true;
  P.Docked = false;
  SIZE S = WrapToolbarItems(V, P, 120, SIZE{0, 0});
  P.ClientLength = S.cx;
  P.ClientThickness = S.cy;
  EXPECT_FALSE(LayoutToolbarItems(V, P));
  EXPECT_EQ("0,0 23,0 46,0! 0,28 23,28 46,28! 0,56 23,56! ", Placement(V));
}

TEST(ToolbarLayout, MainMenuButtonsStandAtTheRowEndOrInARowOfTheirOwn) {
  // Buttons 16 long and 14 thick; a docked bar 300 long ends 11 earlier for its mark.
  struct {
    const char* Name;
    bool Vertical, Wrapping, MDI;
    RECT Want[3];
  } Cases[] = {
      {"three", false, false, true, {{239, 4, 255, 18}, {255, 4, 271, 18}, {273, 4, 289, 18}}},
      {"close only", false, false, false, {{0, 0, 0, 0}, {0, 0, 0, 0}, {273, 4, 289, 18}}},
      {"vertical", true, false, true, {{5, 239, 19, 255}, {5, 255, 19, 271}, {5, 273, 19, 289}}},
  };
  for (const auto& C : Cases) {
    auto V = Items("bb");
    TdxToolbarLayoutParams P;
    P.Vertical = C.Vertical;
    P.ClientLength = 300;
    P.ClientThickness = 22;
    if (C.Vertical) P.ClientThickness = 24;
    P.MarkExtent = 11;
    LayoutToolbarItems(V, P);
    for (int I = 0; I < 3; ++I) {
      RECT R = ToolbarCaptionButtonRect(V, P, I, C.MDI, 16, 14);
      EXPECT_TRUE(EqualRect(&C.Want[I], &R)) << C.Name << " " << I << ": " << R.left << "," << R.top << ","
                                             << R.right << "," << R.bottom;
    }
  }
  // A multi-line menu whose last row is full gives the buttons a row of their
  // own at the bottom; one with room left centres them in its last row.
  for (int Count : {4, 2}) {
    auto V = Items(std::string(static_cast<size_t>(Count), 'b'));
    TdxToolbarLayoutParams P;
    P.Wrapping = true;
    P.Docked = false;
    P.ButtonAreaLength = 50;
    P.ButtonAreaThickness = 14;
    SIZE S = WrapToolbarItems(V, P, 100, SIZE{0, 0});
    EXPECT_EQ(Count == 4 ? 22 + 14 : 22, S.cy) << Count;
    P.ClientLength = S.cx;
    P.ClientThickness = S.cy;
    LayoutToolbarItems(V, P);
    RECT R = ToolbarCaptionButtonRect(V, P, 0, true, 16, 14);
    EXPECT_EQ(Count == 4 ? 22 : 4, R.top) << Count;
  }
}

TEST(ToolbarLayout, AFloatingBarIsNeverNarrowerThan51Pixels) {
  struct {
    int Widest;
    bool Close;
    int Want;
  } Cases[] = {{30, false, 51}, {60, false, 60}, {30, true, 11 + 45}, {0, false, 51}};
  for (const auto& C : Cases) EXPECT_EQ(C.Want, FloatingToolbarMinWidth(C.Widest, C.Close, 11, 45)) << C.Widest;
}

}  // namespace
