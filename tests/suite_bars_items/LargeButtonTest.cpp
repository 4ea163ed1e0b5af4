// Large buttons: which of the small, large and hot indexes a form or an action
// leaves set, the tie between the small and large index at run time, the sizes the
// item keeps and where the keyboard may reach it.
#include <gtest/gtest.h>

#include <string>

#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/suite_bars_items/ItemFormSupport.h"

namespace {

struct LargeButtonFixture : ItemsRootFixture {
  TdxBarLargeButton* Load(const std::string& Body) {
    ReadItemsText(Root, "object Root: TItemsRoot\n" + Body + "end\n");
    return dynamic_cast<TdxBarLargeButton*>(Root->FindComponent("Button"));
  }
};

TEST_F(LargeButtonFixture, LoadingLeavesTheIndexesTheFormAndTheActionImply) {
  const struct {
    const char* Name;
    const char* Body;
    int Small, Large, Hot;
    bool Sync;
  } Cases[] = {
      {"large and hot only", "object Button: TdxBarLargeButton\n LargeImageIndex = 6\n HotImageIndex = 6\nend\n", 6, 6, 6,
       true},
      {"an old form with the small index only", "object Button: TdxBarLargeButton\n ImageIndex = 5\nend\n", 5, 5, -1,
       true},
      {"indexes kept apart",
       "object Button: TdxBarLargeButton\n LargeImageIndex = 3\n SyncImageIndex = False\n ImageIndex = 7\nend\n", 7, 3,
       -1, false},
      {"an action read before the button",
       "object Open: TImageAction\n Caption = 'Open'\n ImageIndex = 9\nend\n"
       "object Button: TdxBarLargeButton\n Action = Open\n HotImageIndex = 9\nend\n",
       9, 9, 9, true},
      {"an action read after the button",
       "object Button: TdxBarLargeButton\n Action = Open\n HotImageIndex = 9\nend\n"
       "object Open: TImageAction\n Caption = 'Open'\n ImageIndex = 9\nend\n",
       9, 9, 9, true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TdxBarLargeButton* B = Load(C.Body);
    ASSERT_TRUE(B);
    EXPECT_EQ(C.Small, B->GetImageIndex());
    EXPECT_EQ(C.Large, B->GetLargeImageIndex());
    EXPECT_EQ(C.Hot, B->GetHotImageIndex());
    EXPECT_EQ(C.Sync, B->GetSyncImageIndex());
    if (TComponent* A = Root->FindComponent("Open")) {
      EXPECT_EQ("Open", B->GetCaption());
      // An action that gives its index again changes nothing.
      static_cast<TAction*>(A)->SetImageIndex(9);
      EXPECT_TRUE(B->GetSyncImageIndex());
      EXPECT_EQ(9, B->GetImageIndex());
      Free(A);
    }
    Free(B);
  }
}

TEST_F(LargeButtonFixture, FormTextKeepsTheSmallIndexOnlyWhileApart) {
  TdxBarLargeButton* B = TdxBarLargeButton::Create(Root);
  B->SetName("Button");
  B->SetLargeImageIndex(4);
  std::string Tied = TextOfComponent(B);
  EXPECT_NE(std::string::npos, Tied.find("LargeImageIndex = 4")) << Tied;
  EXPECT_EQ(std::string::npos, Tied.find(" ImageIndex = ")) << Tied;
  B->SetSyncImageIndex(false);
  B->SetImageIndex(2);
  std::string Apart = TextOfComponent(B);
  EXPECT_NE(std::string::npos, Apart.find("SyncImageIndex = False")) << Apart;
  EXPECT_NE(std::string::npos, Apart.find(" ImageIndex = 2")) << Apart;
  Free(B);
  // Read back, the two stay apart.
  B = Load(Apart);
  ASSERT_TRUE(B);
  EXPECT_EQ(4, B->GetLargeImageIndex());
  EXPECT_EQ(2, B->GetImageIndex());
  EXPECT_FALSE(B->GetSyncImageIndex());
  Free(B);
}

TEST_F(LargeButtonFixture, SmallIndexFollowsTheLargeOneUntilSetByItself) {
  TdxBarLargeButton* B = TdxBarLargeButton::Create(Root);
  B->SetLargeImageIndex(3);
  EXPECT_EQ(3, B->GetImageIndex());
  B->SetImageIndex(3);
  EXPECT_TRUE(B->GetSyncImageIndex()) << "an unchanged index is no edit";
  B->SetImageIndex(4);
  EXPECT_FALSE(B->GetSyncImageIndex());
  B->SetLargeImageIndex(5);
  EXPECT_EQ(4, B->GetImageIndex());
  B->SetSyncImageIndex(true);
  EXPECT_EQ(5, B->GetImageIndex());
  // The customizing tools edit the large index.
  B->SetCustomizingImageIndex(8);
  EXPECT_EQ(8, B->GetLargeImageIndex());
  EXPECT_EQ(8, B->GetImageIndex());
  EXPECT_EQ(8, B->GetCustomizingImageIndex());
  Free(B);
}

TEST_F(LargeButtonFixture, DefaultsImagesSizesAndKeyboardReach) {
  TdxBarLargeButton* B = TdxBarLargeButton::Create(Root);
  EXPECT_TRUE(B->GetAutoGrayScale());
  EXPECT_TRUE(B->GetShowCaption());
  EXPECT_EQ(glTop, B->GetGlyphLayout());
  EXPECT_FALSE(B->HasImageIndex());
  B->SetImageIndex(2);
  EXPECT_FALSE(B->HasImageIndex()) << "only the large index counts";
  B->SetLargeImageIndex(1);
  EXPECT_TRUE(B->HasImageIndex());
  EXPECT_FALSE(B->HasHotImage());
  B->SetHotImageIndex(0);
  EXPECT_TRUE(B->HasHotImage());
  B->SetHeight(40);
  B->SetHeight(-1);
  EXPECT_EQ(40, B->GetHeight());
  B->SetHeight(0);
  EXPECT_EQ(0, B->GetHeight());
  EXPECT_EQ(0, B->GetCustomizeActions() & 0x20);

  TdxBar* Bar = M->GetBars()->Add();
  TdxBarSubItem* Menu = TdxBarSubItem::Create(Root);
  TdxBarItemLink* OnBar = Bar->GetItemLinks()->AddItem(B);
  TdxBarItemLink* InMenu = Menu->GetItemLinks()->AddItem(B);
  B->SetPaintStyle(psCaptionGlyph);
  EXPECT_TRUE(B->IsEnterable(OnBar));
  B->SetShowCaption(false);
  EXPECT_FALSE(B->IsEnterable(OnBar)) << "an image alone on a toolbar";
  EXPECT_TRUE(B->IsEnterable(InMenu));
  Free(Bar);
  Free(Menu);
  Free(B);
}

}  // namespace
