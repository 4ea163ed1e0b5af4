// Rectangles of the views' layouts with fixed text metrics (6 pixels a
// character, 13 a line), hit tests and drop positions.
#include "tests/suite_navbar/NavBarFixture.h"

#include <cmath>

#include "suite/navbar/NavBarExplorerViews.h"
#include "suite/navbar/NavBarScrollBar.h"

namespace {
struct Expected {
  int Group;
  RECT Caption;
  RECT Bounds;
};

struct LayoutFixture : NavBarFixture {
  void Check(const std::vector<Expected>& Rows) {
    for (const Expected& E : Rows) {
      SCOPED_TRACE(testing::Message() << "group " << E.Group);
      ASSERT_NE(GVI(E.Group), nullptr);
      EXPECT_EQ(GVI(E.Group)->CaptionRect, E.Caption);
      EXPECT_EQ(GVI(E.Group)->Rect, E.Bounds);
    }
  }
};
}  // namespace

TEST_F(LayoutFixture, BaseViewStacksCaptionsAndStretchesTheActiveGroup) {
  Bar->SetView(0);
  Layout();
  Check({{0, {0, 0, 180, 19}, {0, 0, 180, 262}}, {1, {0, 262, 180, 281}, {0, 262, 180, 281}},
         {2, {0, 281, 180, 300}, {0, 281, 180, 300}}});
  EXPECT_EQ(GVI(0)->ClientRect, (RECT{0, 19, 180, 262}));
  // Small-image rows: image 16 high centred in a 22-pixel row, caption measured.
  EXPECT_EQ(LVI(0, 0)->Rect, (RECT{0, 27, 180, 49}));
  EXPECT_EQ(LVI(0, 0)->ImageRect, (RECT{4, 30, 20, 46}));
  EXPECT_EQ(LVI(0, 0)->CaptionRect, (RECT{24, 32, 48, 45}));
  EXPECT_EQ(LVI(0, 2)->Rect, (RECT{0, 71, 180, 93}));
  // Inactive groups show no links; nothing to scroll.
  EXPECT_EQ(GVI(1)->LinkCount(), 0);
  EXPECT_FALSE(VI()->IsTopScrollButtonVisible());
  EXPECT_FALSE(VI()->IsBottomScrollButtonVisible());
}

TEST_F(LayoutFixture, BaseViewScrollButtonsFollowTheTopVisibleLink) {
  Bar->SetView(0);
  Bar->SetBounds(0, 0, 180, 100);
  Layout();
  // Captions take 57 of 100 pixels: the active client keeps its 50-pixel minimum.
  EXPECT_EQ(GVI(0)->ClientRect, (RECT{0, 19, 180, 69}));
  EXPECT_EQ(GVI(1)->CaptionRect, (RECT{0, 69, 180, 88}));
  EXPECT_FALSE(VI()->IsTopScrollButtonVisible());
  EXPECT_EQ(VI()->BottomScrollButtonRect, (RECT{158, 47, 174, 63}));
  G[0]->SetTopVisibleLinkIndex(1);
  Layout();
  EXPECT_EQ(VI()->TopScrollButtonRect, (RECT{158, 25, 174, 41}));
  EXPECT_EQ(LVI(0, 1)->Rect, (RECT{0, 27, 180, 49}));
  // Past the last link the index is clamped to it.
  G[0]->SetTopVisibleLinkIndex(7);
  EXPECT_EQ(G[0]->GetTopVisibleLinkIndex(), 2);
}

TEST_F(LayoutFixture, OfficeView4LargeLinksArePaddedAndWholeRowsReact) {
  Bar->SetView(4);
  G[0]->SetLinksUseSmallImages(false);
  Layout();
  Check({{0, {0, 0, 180, 21}, {0, 0, 180, 256}}, {1, {0, 257, 180, 278}, {0, 257, 180, 278}},
         {2, {0, 279, 180, 300}, {0, 279, 180, 300}}});
  EXPECT_EQ(LVI(0, 0)->Rect, (RECT{0, 29, 180, 94}));
  EXPECT_EQ(LVI(0, 0)->ImageRect, (RECT{74, 37, 106, 69}));
  EXPECT_EQ(LVI(0, 0)->CaptionRect, (RECT{79, 73, 103, 86}));
  // Beside the caption text, still in the row: view 4 takes it, view 0 does not.
  POINT Beside{150, 80};
  EXPECT_EQ(Bar->GetLinkAtSelectedPos(Beside), G[0]->Links(0));
  Bar->SetView(0);
  Layout();
  EXPECT_EQ(Bar->GetLinkAtSelectedPos(Beside), nullptr);
}

TEST_F(LayoutFixture, ToolBoxViewPutsScrollButtonsBesideCaptions) {
  Bar->SetView(5);
  G[0]->SetLinksUseSmallImages(false);  // ignored: always single rows
  Layout();
  Check({{0, {0, 0, 161, 17}, {0, 0, 180, 264}}, {1, {0, 265, 161, 282}, {0, 265, 180, 282}},
         {2, {0, 283, 180, 300}, {0, 283, 180, 300}}});
  EXPECT_EQ(LVI(0, 0)->Rect, (RECT{0, 19, 180, 41}));
  EXPECT_EQ(VI()->TopScrollButtonRect, (RECT{163, 0, 180, 17}));
  EXPECT_EQ(VI()->BottomScrollButtonRect, (RECT{163, 265, 180, 282}));
  // Both shown but disabled while the links fit.
  EXPECT_TRUE(VI()->GetTopScrollButtonState() & nsDisabled);
  EXPECT_TRUE(VI()->GetBottomScrollButtonState() & nsDisabled);
}

TEST_F(LayoutFixture, ExplorerViewsLayOutEveryExpandedGroup) {
  Bar->SetBounds(0, 0, 180, 400);
  struct Case {
    int View;
    RECT Sign;
  } Cases[] = {{8, {146, 15, 164, 33}}, {10, {144, 13, 166, 35}}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.View);
    Bar->SetView(C.View);
    Layout();
    Check({{0, {12, 12, 168, 37}, {12, 12, 168, 119}}, {1, {12, 134, 168, 159}, {12, 134, 168, 219}},
           {2, {12, 234, 168, 259}, {12, 234, 168, 297}}});
    EXPECT_EQ(GVI(0)->ImageRect, (RECT{12, 17, 28, 33}));
    EXPECT_EQ(GVI(0)->SignRect, C.Sign);
    EXPECT_EQ(GVI(0)->CaptionTextRect, (RECT{32, 13, 143, 36}));
    EXPECT_EQ(LVI(0, 0)->Rect, (RECT{12, 45, 168, 67}));
    EXPECT_EQ(LVI(0, 0)->ImageRect, (RECT{25, 48, 41, 64}));
    EXPECT_EQ(LVI(0, 0)->CaptionRect, (RECT{48, 50, 72, 63}));
    EXPECT_FALSE(Bar->GetScrollBar()->GetVisible());
  }
}

TEST_F(LayoutFixture, ExplorerViewScalesAt120Dpi) {
  Metrics.Dpi = 120;
  Bar->SetBounds(0, 0, 180, 400);
  Bar->SetView(8);
  Bar->SetView(10);  // a new painter takes the new resolution
  EXPECT_DOUBLE_EQ(VI()->GetScaleFactor(), 1.25);
  Layout();
  Check({{0, {15, 15, 165, 40}, {15, 15, 165, 122}}, {1, {15, 141, 165, 166}, {15, 141, 165, 226}}});
  EXPECT_EQ(LVI(0, 0)->ImageRect, (RECT{31, 51, 47, 67}));
  EXPECT_EQ(LVI(0, 0)->CaptionRect, (RECT{56, 53, 80, 66}));
}

TEST(NavBarScale, RoundsHalvesToEvenAndNeverShrinks) {
  TFakeTextMetrics M;
  TdxNavBarTextMetrics* Saved = SetNavBarTextMetrics(&M);
  struct Case {
    int Dpi, N, Scaled;
  } Cases[] = {{120, 10, 12}, {120, 14, 18}, {120, 15, 19}, {120, 12, 15}, {72, 15, 15}, {144, 7, 10}, {144, 9, 14}, {96, 7, 7}};
  TdxNavBar* Bar = TdxNavBar::Create(nullptr);
  for (const Case& C : Cases) {
    M.Dpi = C.Dpi;
    TdxNavBarCustomViewInfo V(Bar->GetPainter());
    EXPECT_EQ(V.ScaleValue(C.N), C.Scaled) << C.Dpi << " dpi, " << C.N;
  }
  Free(Bar);
  SetNavBarTextMetrics(Saved);
}

TEST_F(LayoutFixture, ExplorerBottomGroupsSitAtTheBottomUntilTheyOverflow) {
  Bar->SetBounds(0, 0, 180, 400);
  Bar->SetView(10);
  G[0]->SetAlign(vaBottom);
  Layout();
  // Edit, Help, then Files moved down so that it ends 12 above the bottom.
  EXPECT_EQ(VI()->Groups(0)->GetGroup(), G[1]);
  EXPECT_EQ(VI()->Groups(2)->GetGroup(), G[0]);
  EXPECT_EQ(GVI(1)->CaptionRect, (RECT{12, 12, 168, 37}));
  EXPECT_EQ(GVI(0)->Rect.bottom, 388);
  // Overflow: the scroll bar shows, takes its width and the layout is redone.
  Bar->SetBounds(0, 0, 180, 200);
  Layout();
  const int Total = 12 + 297;
  TdxNavBarScrollBar* S = Bar->GetScrollBar();
  ASSERT_TRUE(S->GetVisible());
  int Page = static_cast<int>(std::lround(200.0 * 200.0 / Total));
  EXPECT_EQ(S->Page(), Page);
  EXPECT_EQ(S->Max(), Total - 200 + Page);
  EXPECT_EQ(GVI(1)->CaptionRect.right, 180 - GetSystemMetrics(SM_CXVSCROLL) - 12);
}

TEST_F(LayoutFixture, DropPositions) {
  Bar->SetView(0);
  Layout();
  TdxNavBarLinkViewInfo* First = LVI(0, 0);
  TdxNavBarLinkViewInfo* Last = LVI(0, 2);
  struct Case {
    const char* Where;
    POINT P;
    int Index;
    TdxNavBarItemLink *Prev, *Next;
  } Cases[] = {
      {"upper half of the first", {50, First->Rect.top + 2}, 0, nullptr, G[0]->Links(0)},
      {"lower half of the first", {50, First->Rect.bottom - 2}, 1, G[0]->Links(0), G[0]->Links(1)},
      {"lower half of the last", {50, Last->Rect.bottom - 2}, 3, G[0]->Links(2), nullptr},
      {"below the links", {50, 200}, 3, G[0]->Links(2), nullptr},
      {"above the first link", {50, 22}, 0, nullptr, G[0]->Links(0)},
      {"on a caption", Center(GVI(1)->CaptionRect), 0, nullptr, nullptr},
      {"outside every group", {50, 400}, -1, nullptr, nullptr},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Where);
    TdxNavBarGroup* Group = nullptr;
    TdxNavBarItemLink *Prev = nullptr, *Next = nullptr;
    EXPECT_EQ(VI()->GetDragTarget(C.P, Group, Prev, Next), C.Index);
    EXPECT_EQ(Prev, C.Prev);
    EXPECT_EQ(Next, C.Next);
  }
}

TEST_F(LayoutFixture, HitTestsSkipDisabledItemsOnlyWhenSelecting) {
  Bar->SetView(0);
  I[1]->SetEnabled(false);
  Layout();
  POINT OnImage = Center(LVI(0, 1)->ImageRect);
  EXPECT_EQ(Bar->GetLinkAtSelectedPos(OnImage), nullptr);
  EXPECT_EQ(Bar->GetLinkAtPos(OnImage), G[0]->Links(1));
  EXPECT_EQ(Bar->GetGroupAtCaptionPos(Center(GVI(2)->CaptionRect)), G[2]);
  EXPECT_EQ(Bar->GetGroupAtCaptionPos(OnImage), nullptr);
}

TEST_F(LayoutFixture, MakeLinkVisibleEndsWhenATallLinkFollowsHiddenOnes) {
  Bar->SetView(0);
  Bar->SetBounds(0, 0, 180, 100);
  G[0]->SetLinksUseSmallImages(false);
  I[2]->SetCaption(std::string(60, 'x'));  // three lines: a link taller than the minimum client
  I[0]->SetVisible(false);
  Layout();
  VI()->MakeLinkVisible(G[0]->Links(2));
  Layout();
  TdxNavBarLinkViewInfo* L = LVI(0, 2);
  ASSERT_NE(L, nullptr);
  EXPECT_LE(L->Rect.bottom, GVI(0)->ClientRect.bottom);
  EXPECT_GE(L->Rect.top, GVI(0)->ClientRect.top);
  // The minimum height is measured on the top visible link itself.
  EXPECT_EQ(G[0]->GetTopVisibleLinkIndex(), 2);
  EXPECT_EQ(GVI(0)->ClientRect.bottom - GVI(0)->ClientRect.top, L->Rect.bottom - L->Rect.top + 8);
}
