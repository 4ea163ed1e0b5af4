// The skin-based views: the scheme picks the stored skin, an unknown scheme is
// refused, the pane's parts come from the skin, and the Vista bar follows the
// visual style.
#include "tests/suite_navbar/NavBarFixture.h"

#include "suite/common/ThemeManager.h"
#include "suite/navbar/NavBarNavPaneController.h"
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
  // The header font takes the caption's size (12; the pane's own default is 11).
  EXPECT_EQ(V->GetNavigationPaneHeaderFont()->GetSize(), 12);
  // The overflow row keeps the skin's content offset above and below its chevron,
  // which is as wide as the chevron's cell (20; the pane's own is 18).
  TdxNavBarOverflowPanelViewInfo* O = V->GetOverflowPanel();
  EXPECT_EQ(O->SignBounds.top - O->PanelBounds.top, 2);
  EXPECT_EQ(O->PanelBounds.bottom - O->SignBounds.bottom, 2);
  EXPECT_EQ(O->SignBounds.right - O->SignBounds.left, 20);
  // The popup's frame is the skin's popup border: 3 pixels round the inner bar.
  TOwned<TdxNavBarPopupControlViewInfo> Popup(Pane()->CreatePopupControlViewInfo(V));
  Popup->Calculate(100);
  RECT C = Popup->ContentRect();
  EXPECT_EQ(C.left, 3);
  EXPECT_EQ(C.top, 3);
  EXPECT_EQ(Popup->PopupBounds.right - C.right, 3);
  EXPECT_TRUE(Popup->IsSizingEdge(Popup->PopupBounds.right - 3));
  EXPECT_FALSE(Popup->IsSizingEdge(Popup->PopupBounds.right - 4));
  // A group control stands off the pane's border on both sides.
  Bar->SetActiveGroup(G[0]);
  G[0]->SetUseControl(true);
  Paint();
  RECT Shown = G[0]->GetControl()->GetBoundsRect();
  EXPECT_EQ(Shown.left, GVI(0)->ClientRect.left + 1);
  EXPECT_EQ(Shown.right, GVI(0)->ClientRect.right - 1);
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
