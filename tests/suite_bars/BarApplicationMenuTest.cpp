// The application menu's layout rules as tables (extra pane width, the three
// areas, the scaled insets, the right-aligned button row) and its buttons'
// internal items following the application's buttons.
#include <gtest/gtest.h>

#include <vector>

#include "suite/bars/BarApplicationMenu.h"
#include "suite/bars/BarManager.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
std::vector<LONG> Flat(const RECT& R) { return {R.left, R.top, R.right, R.bottom}; }
}  // namespace

TEST(ApplicationMenuLayout, ExtraPaneWidth) {
  const struct {
    int Fixed;
    double Ratio;
    int Content, TextSize, DefaultTextHeight;
    int Width;
  } Cases[] = {
      {200, 0.5, 300, 13, 13, 200},  // fixed, text of the default height
      {200, 0.5, 300, 26, 13, 400},  // fixed, keeps its proportion to a larger text
      {0, 0.5, 301, 13, 13, 151},    // the ratio of the content width, rounded
      {0, 0.25, 300, 13, 13, 75},
      {0, 0.0, 300, 13, 13, 0},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Width);
    EXPECT_EQ(C.Width, ApplicationMenuExtraPaneWidth(C.Fixed, C.Ratio, C.Content, C.TextSize, C.DefaultTextHeight));
  }
}

TEST(ApplicationMenuLayout, AreasWithAndWithoutTheExtraPane) {
  const RECT Items{10, 10, 310, 200}, Content{2, 2, 318, 240};
  TdxBarApplicationMenuAreas A = ApplicationMenuAreas(Items, Content, 120, false);
  EXPECT_EQ((std::vector<LONG>{10, 10, 190, 200}), Flat(A.Items));
  EXPECT_EQ((std::vector<LONG>{190, 10, 310, 200}), Flat(A.ExtraPane));
  EXPECT_EQ((std::vector<LONG>{10, 204, 310, 236}), Flat(A.Buttons));
  // While customizing there is no extra pane: the items take the whole width.
  A = ApplicationMenuAreas(Items, Content, 120, true);
  EXPECT_EQ(Flat(Items), Flat(A.Items));
  EXPECT_TRUE(IsRectEmpty(&A.ExtraPane));
  EXPECT_EQ((std::vector<LONG>{10, 204, 310, 236}), Flat(A.Buttons));
}

TEST(ApplicationMenuLayout, InsetsAddThePaintersScaled) {
  EXPECT_EQ((std::vector<LONG>{3, 4, 3, 7}), Flat(ApplicationMenuInsets({1, 2, 3, 4}, {2, 2, 0, 3}, 1.0)));
  EXPECT_EQ((std::vector<LONG>{4, 5, 3, 9}), Flat(ApplicationMenuInsets({1, 2, 3, 4}, {2, 2, 0, 3}, 1.5)));
}

TEST(ApplicationMenuLayout, ButtonRowIsRightAlignedAndDropsWhatDoesNotFit) {
  const RECT Area{0, 100, 200, 124};
  const struct {
    const char* Name;
    std::vector<int> Widths;
    std::vector<std::vector<LONG>> Rects;
  } Cases[] = {
      {"one", {50}, {{150, 100, 200, 124}}},
      {"two", {50, 60}, {{84, 100, 134, 124}, {140, 100, 200, 124}}},
      {"third does not fit", {80, 80, 80}, {{34, 100, 114, 124}, {120, 100, 200, 124}, {0, 0, 0, 0}}},
      {"first does not fit", {250, 10}, {{0, 0, 0, 0}, {0, 0, 0, 0}}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    std::vector<std::vector<LONG>> Got;
    for (const RECT& R : PlaceApplicationMenuButtons(Area, C.Widths)) Got.push_back(Flat(R));
    EXPECT_EQ(C.Rects, Got);
  }
}

// The keyboard walks the items, the extra pane (only with more than one entry)
// and the buttons in turn, skipping what cannot be selected and wrapping around.
TEST(ApplicationMenuLayout, KeysWalkTheThreeGroupsInTurn) {
  using P = TdxBarApplicationMenuPosition;
  const std::vector<std::vector<bool>> Full{{true, false, true}, {true, true}, {true}};
  const std::vector<std::vector<bool>> LonePane{{true, true}, {true}, {true, true}};
  const std::vector<std::vector<bool>> NoButtons{{true}, {true, true}, {}};
  const std::vector<std::vector<bool>> Nothing{{false}, {}, {}};
  const struct {
    const char* Name;
    const std::vector<std::vector<bool>>& Groups;
    P From;
    bool Forward;
    P To;
  } Cases[] = {
      {"skips an item that cannot be selected", Full, {0, 0}, true, {0, 2}},
      {"past the last item into the pane", Full, {0, 2}, true, {1, 0}},
      {"past the pane into the buttons", Full, {1, 1}, true, {2, 0}},
      {"past the buttons back to the first item", Full, {2, 0}, true, {0, 0}},
      {"before the first item to the last button", Full, {0, 0}, false, {2, 0}},
      {"before the pane to the last item", Full, {1, 0}, false, {0, 2}},
      {"a pane of one entry is passed over", LonePane, {0, 1}, true, {2, 0}},
      {"and backwards too", LonePane, {2, 0}, false, {0, 1}},
      {"no buttons: from the pane to the items", NoButtons, {1, 1}, true, {0, 0}},
      {"nothing else to select stays", Nothing, {0, 0}, true, {0, 0}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    P Got = ApplicationMenuStep(C.Groups, C.From, C.Forward);
    EXPECT_EQ(C.To.Group, Got.Group);
    EXPECT_EQ(C.To.Index, Got.Index);
  }
  EXPECT_EQ(VK_UP, ExtraPaneKey(VK_TAB, true));
  EXPECT_EQ(VK_DOWN, ExtraPaneKey(VK_TAB, false));
  EXPECT_EQ(VK_RETURN, ExtraPaneKey(VK_RETURN, false));
}

struct ApplicationMenuButtonFixture : BarFormFixture {
  int Clicks = 0;
  void Clicked(TObject*) { ++Clicks; }
};

// The internal item shows the application's button and passes clicks on; when
// that button goes, the internal item empties and hides.
TEST_F(ApplicationMenuButtonFixture, InternalItemFollowsTheButton) {
  TdxBarManager* M = NewManager();
  TOwned<TdxBarApplicationMenuButtons> Buttons(new TdxBarApplicationMenuButtons(M));
  TdxBarApplicationMenuButton* B = Buttons->Add();
  TdxBarApplicationMenuButtonItem* Internal = B->GetInternalItem();
  EXPECT_EQ(ivNever, Internal->GetVisible());
  TdxBarButton* Exit = TdxBarButton::Create(M);
  Exit->SetEnabled(false);
  Exit->SetCaption("E&xit");
  Exit->SetHint("Leave");
  Exit->OnClick = Bind(this, &ApplicationMenuButtonFixture::Clicked);
  B->SetItem(Exit);
  EXPECT_EQ("E&xit", Internal->GetCaption());
  EXPECT_EQ("Leave", Internal->GetHint());
  EXPECT_EQ(ivAlways, Internal->GetVisible());
  EXPECT_FALSE(Internal->GetEnabled());
  Exit->SetEnabled(true);
  B->SetItem(nullptr);
  B->SetItem(Exit);
  EXPECT_TRUE(Internal->GetEnabled());
  Internal->DoClick();
  EXPECT_EQ(1, Clicks);
  Free(Exit);
  EXPECT_EQ(nullptr, B->GetItem());
  EXPECT_EQ("", Internal->GetCaption());
  EXPECT_EQ(ivNever, Internal->GetVisible());
  Internal->DoClick();
  EXPECT_EQ(1, Clicks);
  // The manager takes the internal item with it; the button lets it go.
  Free(M);
  EXPECT_EQ(nullptr, B->GetInternalItem());
  Buttons.reset();
}
