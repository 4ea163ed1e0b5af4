// The font-name combo: the machine's font families listed once each and sorted,
// the TrueType ones marked, a typed beginning completed only in the open editor,
// and the font dialog a click opens.
#include <gtest/gtest.h>

#include <string>

#include "framework/StringUtils.h"
#include "suite/bars/BarDialogSeam.h"
#include "suite/bars/BarFontNameCombo.h"
#include "tests/suite_bars_items/ItemFormSupport.h"

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

}  // namespace
