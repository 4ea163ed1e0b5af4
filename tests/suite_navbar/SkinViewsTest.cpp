// The skin-based views: the scheme picks the stored skin, an unknown scheme is
// refused, the pane's parts come from the skin, and the Vista bar follows the
// visual style.
#include "tests/suite_navbar/NavBarFixture.h"

#include "suite/common/ThemeManager.h"
#include "suite/navbar/NavBarSkinViews.h"

namespace {
struct SkinViewsFixture : NavBarFixture {
  int ViewNumber() override { return 17; }
  TdxNavBarOffice12NavPanePainter* Pane() { return dynamic_cast<TdxNavBarOffice12NavPanePainter*>(Bar->GetPainter()); }
  COLORREF HeaderPixel() {
    auto* V = static_cast<TdxNavBarNavigationPaneViewInfo*>(VI());
    return BitmapPixel(V->HeaderBounds.left + 20, (V->HeaderBounds.top + V->HeaderBounds.bottom) / 2);
  }
};
}  // namespace

TEST_F(SkinViewsFixture, TheSchemePicksTheStoredSkinAndUnknownOnesAreRefused) {
  ASSERT_NE(Pane(), nullptr);
  Pane()->SetColorSchemeName("Black");
  Paint();
  ASSERT_NE(Pane()->Skin(), nullptr);
  EXPECT_EQ(Pane()->Skin()->GetSkin()->GetName(), "Office12_Black");
  EXPECT_EQ(Pane()->Skin()->PlaceholderCount(), 0);
  COLORREF Black = HeaderPixel();
  Pane()->SetColorSchemeName("Silver");
  EXPECT_TRUE(Pane()->IsRecreatePending());
  Paint();
  EXPECT_EQ(Pane()->Skin()->GetSkin()->GetName(), "Office12_Silver");
  EXPECT_NE(HeaderPixel(), Black);
  EXPECT_THROW(Pane()->SetColorSchemeName("Purple"), EdxSkin);
  EXPECT_EQ(Pane()->GetColorSchemeName(), "Silver");
  // A later painter starts with the last scheme set.
  Bar->SetView(18);
  auto* E = dynamic_cast<TdxNavBarOffice12ExplorerBarPainter*>(Bar->GetPainter());
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->GetColorSchemeName(), "Silver");
  E->SetColorSchemeName("Blue");
}

TEST_F(SkinViewsFixture, PanePartsAreDrawnFromTheSkin) {
  Bar->GetOptionsBehavior()->GetNavigationPane()->SetCollapsible(true);
  Paint();
  auto* V = static_cast<TdxNavBarSkinBasedNavPaneViewInfo*>(VI());
  // The header takes the skin's caption height, the splitter 8 pixels.
  EXPECT_EQ(V->HeaderBounds.bottom - V->HeaderBounds.top, 28);
  EXPECT_EQ(V->SplitterBounds.bottom - V->SplitterBounds.top, 8);
  EXPECT_EQ(V->GetNavigationPaneHeaderFontColor(), Pane()->Skin()->NavPaneCaption->GetTextColor());
}

TEST_F(SkinViewsFixture, VistaBarFollowsTheVisualStyle) {
  Bar->SetView(19);
  Paint();
  EXPECT_EQ(GVI(0)->CaptionRect.left, 1);
  TUxThemeEntries Saved = SubstituteUxTheme(TUxThemeEntries{});
  Bar->SetView(0);
  Bar->SetView(19);
  Paint();
  EXPECT_EQ(GVI(0)->CaptionRect.left, 0);
  // Without the style a caption is a solid window-coloured bar.
  RECT C = GVI(1)->CaptionRect;
  EXPECT_EQ(BitmapPixel(C.right - 30, C.top + 2), static_cast<COLORREF>(ColorToRGB(clWindow)));
  EXPECT_EQ(GVI(1)->GetCaptionFontColor(), clWindowText);
  SubstituteUxTheme(Saved);
}
