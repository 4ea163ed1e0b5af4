// The font-name combo: the machine's font families listed once each and sorted,
// the TrueType ones marked, a typed beginning completed only in the open editor,
// and the font dialog a click opens.
#include <gtest/gtest.h>

#include <string>

#include "framework/StringUtils.h"
#include "framework/Bitmap.h"
#include "suite/bars/BarDialogSeam.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarFontNameCombo.h"
#include "tests/suite_bars_items/ItemFormSupport.h"
#include "tests/support/MemoryDC.h"

namespace {

struct FontFixture : ItemsRootFixture {
  TdxBarFontNameCombo* C = nullptr;
  void SetUp() override {
    ItemsRootFixture::SetUp();
    C = TdxBarFontNameCombo::Create(Root);
  }
  void TearDown() override {
    SetBarDialogAnswer(nullptr);
    ItemsRootFixture::TearDown();
  }
};

TEST_F(FontFixture, ListsEachFamilyOnceSortedWithTrueTypeMarked) {
  TStringList* Items = C->GetItems();
  ASSERT_GT(Items->GetCount(), 0);
  for (int I = 1; I < Items->GetCount(); ++I)
    EXPECT_LT(AnsiCompareText(Items->GetStrings(I - 1), Items->GetStrings(I)), 0) << Items->GetStrings(I);
  // Every listed face is one the system knows, TrueType or not as it says.
  bool AnyTrueType = false;
  for (int I = 0; I < Items->GetCount(); ++I) {
    const std::string Face = Items->GetStrings(I);
    ASSERT_FALSE(Face.empty());
    ASSERT_LT(Face.size(), 32u);
    AnyTrueType = AnyTrueType || C->IsTrueType(I);
  }
  EXPECT_TRUE(AnyTrueType) << "the emulator's own faces are TrueType";
  EXPECT_EQ(12, C->GetDropDownCount());
  EXPECT_EQ(160, C->GetWidth());
  EXPECT_TRUE(C->GetSorted());
}

TEST_F(FontFixture, TextIsKeptAsGivenWithoutAnOpenEditor) {
  C->SetText("No Such Font");
  EXPECT_EQ("No Such Font", C->GetText());
  EXPECT_EQ(-1, C->GetItemIndex());
  const std::string First = C->GetItems()->GetStrings(0);
  C->SetText(First);
  EXPECT_EQ(0, C->GetItemIndex());
}

TEST_F(FontFixture, ClickOpensTheFontDialogWithTheText) {
  const std::string Face = C->GetItems()->GetStrings(C->GetItems()->GetCount() - 1);
  C->SetText("Start");
  std::string Seen;
  SetBarDialogAnswer([&](TObject* D) {
    auto* F = dynamic_cast<TdxBarFontDialog*>(D);
    Seen = F->GetFontName();
    F->SetFontName(Face);
    return true;
  });
  C->Click();
  EXPECT_EQ("Start", Seen);
  EXPECT_EQ(Face, C->GetText());
  SetBarDialogAnswer([](TObject*) { return false; });
  C->SetText("Kept");
  C->Click();
  EXPECT_EQ("Kept", C->GetText());
}

// A TrueType entry and one marked otherwise, each drawn 200 x 20 on white: the mark
// of its kind at the left, centred vertically, and the name after it.
TEST_F(FontFixture, EntriesShowTheMarkOfTheirKindBeforeTheName) {
  ASSERT_GE(C->GetItems()->GetCount(), 2);
  ASSERT_NE(nullptr, BarFontMark(true));
  EXPECT_EQ(13, BarFontMark(false)->GetWidth());
  C->GetItems()->SetObjects(0, reinterpret_cast<TObject*>(1));
  C->GetItems()->SetObjects(1, nullptr);
  const struct {
    int Index;
    COLORREF MarkColour, OtherColour;
  } Cases[] = {{0, RGB(24, 40, 120), RGB(128, 128, 128)}, {1, RGB(128, 128, 128), RGB(24, 40, 120)}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Index);
    TMemoryDC Dc(200, 20);
    ASSERT_TRUE(C->DrawEntry(Dc.DC(), Case.Index, RECT{0, 0, 200, 20}, 0, clWhite, clBlack));
    int Mark = 0, Other = 0, TextLeft = -1;
    for (int X = 0; X < 200; ++X)
      for (int Y = 0; Y < 20; ++Y) {
        COLORREF P = Dc.Pixel(X, Y);
        if (X < 13) Mark += P == Case.MarkColour, Other += P == Case.OtherColour;
        if (X >= 13 && P == RGB(0, 0, 0) && TextLeft < 0) TextLeft = X;
      }
    EXPECT_GT(Mark, 20);
    EXPECT_EQ(0, Other);
    EXPECT_GE(TextLeft, 15);
    EXPECT_EQ(RGB(255, 255, 255), Dc.Pixel(6, 0)) << "the 13-pixel mark stands centred in the 20";
  }
  // Not an entry: drawn the plain way.
  TMemoryDC Dc(10, 10);
  EXPECT_FALSE(C->DrawEntry(Dc.DC(), -1, RECT{0, 0, 10, 10}, 0, clWhite, clBlack));
}

}  // namespace
