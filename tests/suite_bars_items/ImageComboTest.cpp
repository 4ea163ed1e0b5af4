// The image combo: entries' image indexes kept through the form's "ImageIndexes"
// list (fewer values leave entries without images, more are a read error), and
// the sizes the images add to an entry.
#include <gtest/gtest.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/ImageList.h"
#include "suite/bars/BarImageCombo.h"
#include "tests/suite_bars_items/ItemFormSupport.h"

namespace {

struct ImageComboFixture : ItemsRootFixture {
  TdxBarImageCombo* C = nullptr;
  void SetUp() override {
    ItemsRootFixture::SetUp();
    C = TdxBarImageCombo::Create(Root);
    C->SetName("Shapes");
    for (const char* S : {"Square", "Circle", "Star"}) C->GetItems()->Add(S);
  }
  TdxBarImageCombo* Reload(const std::string& Text) {
    Free(C);
    ReadItemsText(Root, "object Root: TItemsRoot\n" + Text + "end\n");
    return C = dynamic_cast<TdxBarImageCombo*>(Root->FindComponent("Shapes"));
  }
};

TEST_F(ImageComboFixture, ImageIndexesRoundTripInEntryOrder) {
  C->SetImageIndex(0, 4);
  C->SetImageIndex(2, 0);
  EXPECT_EQ(-1, C->GetImageIndex(1));
  EXPECT_EQ(-1, C->GetImageIndex(7)) << "no such entry";
  const std::string Text = TextOfComponent(C);
  ASSERT_TRUE(Reload(Text)) << Text;
  EXPECT_EQ(3, C->GetItems()->GetCount());
  EXPECT_EQ(4, C->GetImageIndex(0));
  EXPECT_EQ(-1, C->GetImageIndex(1));
  EXPECT_EQ(0, C->GetImageIndex(2));
}

TEST_F(ImageComboFixture, FewerStoredIndexesLeaveEntriesWithoutImagesAndMoreAreAnError) {
  const std::string Head = "object Shapes: TdxBarImageCombo\n Items.Strings = (\n  'Square'\n  'Circle'\n  'Star')\n";
  ASSERT_TRUE(Reload(Head + " ImageIndexes = (\n  2)\nend\n"));
  EXPECT_EQ(2, C->GetImageIndex(0));
  EXPECT_EQ(-1, C->GetImageIndex(1));
  EXPECT_EQ(-1, C->GetImageIndex(2));
  Free(C);
  C = nullptr;
  EXPECT_THROW(ReadItemsText(Root, "object Root: TItemsRoot\n" + Head + " ImageIndexes = (\n  1\n  2\n  3\n  4)\nend\nend\n"),
               EReadError);
}

TEST_F(ImageComboFixture, ImagesWidenAndHeightenTheEntries) {
  const int Plain = C->MeasureItemWidth(0), PlainHeight = C->MeasureItem(0);
  TImageList* L = TImageList::Create(Root);
  L->SetWidth(40);
  L->SetHeight(40);
  C->SetImages(L);
  EXPECT_EQ(Plain + 42, C->MeasureItemWidth(0));
  EXPECT_EQ(std::max(PlainHeight, 42), C->MeasureItem(0));
  C->SetShowText(false);
  EXPECT_EQ(42, C->MeasureItemWidth(0));
  Free(L);
  EXPECT_EQ(nullptr, C->GetImages()) << "a freed list is let go";
}

}  // namespace
