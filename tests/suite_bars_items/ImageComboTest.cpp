// The image combo: entries' image indexes kept through the form's "ImageIndexes"
// list (fewer values leave entries without images, more are a read error), and
// the sizes the images add to an entry, and where an entry's image and text go.
#include <gtest/gtest.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/ImageList.h"
#include "framework/Bitmap.h"
#include "suite/bars/BarImageCombo.h"
#include "tests/suite_bars_items/ItemFormSupport.h"
#include "tests/support/MemoryDC.h"

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

// Five 10 x 10 images of solid green; entries drawn 100 x 20 on white: the box of
// the green pixels and the first column of black text.
struct DrawnEntry {
  RECT Image{100, 20, -1, -1};
  int TextLeft = -1;
};

std::string Box(int L, int T, int R, int B) {
  return std::to_string(L) + "," + std::to_string(T) + "-" + std::to_string(R) + "," + std::to_string(B);
}
std::string Box(const RECT& R) { return Box(R.left, R.top, R.right, R.bottom); }

DrawnEntry DrawEntryOf(TdxBarImageCombo* C, int Index) {
  TMemoryDC Dc(100, 20);
  C->DrawEntry(Dc.DC(), Index, RECT{0, 0, 100, 20}, 0, clWhite, clBlack);
  DrawnEntry E;
  for (int X = 0; X < 100; ++X)
    for (int Y = 0; Y < 20; ++Y) {
      COLORREF P = Dc.Pixel(X, Y);
      if (P == RGB(0, 128, 0)) {
        E.Image.left = std::min<LONG>(E.Image.left, X), E.Image.top = std::min<LONG>(E.Image.top, Y);
        E.Image.right = std::max<LONG>(E.Image.right, X + 1), E.Image.bottom = std::max<LONG>(E.Image.bottom, Y + 1);
      } else if (P == RGB(0, 0, 0) && E.TextLeft < 0) {
        E.TextLeft = X;
      }
    }
  return E;
}

TEST_F(ImageComboFixture, EntriesDrawTheirImageThenTheirText) {
  TImageList* L = TImageList::Create(Root);
  L->SetWidth(10);
  L->SetHeight(10);
  TOwned<TBitmap> Green(TBitmap::Create());
  Green->SetWidth(10);
  Green->SetHeight(10);
  Green->GetCanvas()->GetBrush()->SetColor(clGreen);
  Green->GetCanvas()->FillRect(RECT{0, 0, 10, 10});
  for (int I = 0; I < 5; ++I) L->AddMasked(Green.get(), clFuchsia);
  C->SetImages(L);
  C->SetImageIndex(0, 2);
  C->SetImageIndex(1, 7);  // past the list's five

  DrawnEntry WithImage = DrawEntryOf(C, 0);
  EXPECT_EQ(Box(1, 5, 11, 15), Box(WithImage.Image)) << "at the left, centred vertically";
  EXPECT_GE(WithImage.TextLeft, 13);
  DrawnEntry Missing = DrawEntryOf(C, 1);
  EXPECT_EQ(-1, Missing.Image.right);
  EXPECT_LT(Missing.TextLeft, 6) << "outside editing the text starts at the left";
  C->SetShowText(false);
  DrawnEntry Alone = DrawEntryOf(C, 0);
  EXPECT_EQ(Box(45, 5, 55, 15), Box(Alone.Image)) << "centred";
  EXPECT_EQ(-1, Alone.TextLeft);
}

}  // namespace
