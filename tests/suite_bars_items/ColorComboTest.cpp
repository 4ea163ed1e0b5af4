// The colour combo: which entry a colour selects (system colours by their RGB,
// the automatic entry by exact value), what choosing an entry sets, the list with
// and without the automatic entry, and the colour dialog a click opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarColorCombo.h"
#include "suite/bars/BarDialogSeam.h"
#include "tests/suite_bars_items/ItemFormSupport.h"

namespace {

struct ColorFixture : ItemsRootFixture {
  TdxBarColorCombo* C = nullptr;
  int Changes = 0;
  std::vector<TColor> DialogStarts;
  void SetUp() override {
    ItemsRootFixture::SetUp();
    C = TdxBarColorCombo::Create(Root);
    C->OnChange = Bind(this, &ColorFixture::Changed);
  }
  void TearDown() override {
    SetBarDialogAnswer(nullptr);
    ItemsRootFixture::TearDown();
  }
  void Changed(TObject*) { ++Changes; }
  void Own(TObject*) {}
  // The dialog answers Answer (confirmed unless clNone) and notes its start colour.
  void AnswerDialog(TColor Answer) {
    SetBarDialogAnswer([this, Answer](TObject* D) {
      auto* Dialog = dynamic_cast<TdxBarColorDialog*>(D);
      DialogStarts.push_back(Dialog->GetColor());
      if (Answer == clNone) return false;
      Dialog->SetColor(Answer);
      return true;
    });
  }
};

TEST_F(ColorFixture, StartsBlackWithTheSixteenNamedColours) {
  EXPECT_EQ(clBlack, C->GetColor());
  EXPECT_EQ(0, C->GetItemIndex());
  EXPECT_EQ("Black", C->GetText());
  EXPECT_EQ(16, C->GetItems()->GetCount());
  EXPECT_EQ("White", C->GetItems()->GetStrings(15));
  EXPECT_EQ(16, C->GetDropDownCount());
  EXPECT_FALSE(C->GetShowEditor());
}

TEST_F(ColorFixture, ColourSelectsTheEntryOfItsRGBOrNone) {
  // Button face resolved now, so the case follows the colour scheme of the machine.
  const TColor Face = ColorToRGB(clBtnFace);
  int FaceEntry = -1;
  for (int I = 0; I < 16; ++I)
    if (TdxBarColorCombo::TableColor(I) == Face) FaceEntry = I;
  const struct {
    TColor Color;
    int Index;
    const char* Text;
  } Cases[] = {
      {clRed, 9, "Red"},
      {0x0000FE, -1, ""},
      {clBtnFace, FaceEntry, FaceEntry < 0 ? "" : nullptr},
      {clNavy, 4, "Navy"},
  };
  for (const auto& K : Cases) {
    SCOPED_TRACE(K.Color);
    Changes = 0;
    C->SetColor(K.Color);
    EXPECT_EQ(K.Color, C->GetColor()) << "the colour stays as given";
    EXPECT_EQ(K.Index, C->GetItemIndex());
    if (K.Text) {
      EXPECT_EQ(K.Text, C->GetText());
    }
    EXPECT_EQ(1, Changes);
    EXPECT_EQ(K.Color, C->ColorOfIndex(-1));
  }
}

TEST_F(ColorFixture, ChoosingAnEntrySetsItsColourOnce) {
  Changes = 0;
  C->SetItemIndex(12);
  EXPECT_EQ(clBlue, C->GetColor());
  EXPECT_EQ("Blue", C->GetText());
  EXPECT_EQ(1, Changes);
  C->SetText("Lime");
  EXPECT_EQ(clLime, C->GetColor());
  EXPECT_EQ(2, Changes);
}

TEST_F(ColorFixture, AutomaticEntryWinsForItsExactColourAndMovesTheList) {
  C->SetDropDownCount(16);
  C->SetAutoColor(clRed);
  C->SetColor(clRed);
  EXPECT_EQ(9, C->GetItemIndex());
  C->SetShowAutoColor(true);
  EXPECT_EQ(17, C->GetItems()->GetCount());
  EXPECT_EQ("(automatic)", C->GetItems()->GetStrings(0));
  EXPECT_EQ(0, C->GetItemIndex()) << "the automatic entry, not Red";
  EXPECT_EQ(17, C->GetDropDownCount());
  EXPECT_EQ(clRed, C->ColorOfIndex(0));
  EXPECT_EQ(clMaroon, C->ColorOfIndex(2));
  C->SetAutoColor(clWindowText);
  EXPECT_EQ(10, C->GetItemIndex());
  EXPECT_EQ(0, C->IndexOfColor(clWindowText));
  EXPECT_NE(0, C->IndexOfColor(ColorToRGB(clWindowText))) << "the same RGB as a number is no automatic colour";
  C->SetAutoColorText("Default");
  EXPECT_EQ("Default", C->GetItems()->GetStrings(0));
  C->SetShowAutoColor(false);
  EXPECT_EQ(16, C->GetItems()->GetCount());
  EXPECT_EQ(16, C->GetDropDownCount());
  EXPECT_EQ(9, C->GetItemIndex());
  // A count of the user's own stays.
  C->SetDropDownCount(10);
  C->SetShowAutoColor(true);
  EXPECT_EQ(10, C->GetDropDownCount());
}

TEST_F(ColorFixture, ClickOpensTheDialogFromTheColourOrTheTrackedEntry) {
  C->SetColor(clTeal);
  AnswerDialog(0x123456);
  C->Click();
  EXPECT_EQ(0x123456, C->GetColor());
  EXPECT_EQ(-1, C->GetItemIndex());
  // The custom-colour button of an open editor starts from the highlighted entry, once.
  C->TrackEntryColor(13);
  AnswerDialog(clNone);
  C->Click();
  C->Click();
  EXPECT_EQ((std::vector<TColor>{clTeal, clFuchsia, 0x123456}), DialogStarts);
  EXPECT_EQ(0x123456, C->GetColor()) << "a cancelled dialog changes nothing";
  // An own handler or a read-only item opens no dialog.
  C->OnClick = Bind(this, &ColorFixture::Own);
  C->Click();
  C->OnClick = nullptr;
  C->SetReadOnly(true);
  C->Click();
  EXPECT_EQ(3u, DialogStarts.size());
}

TEST_F(ColorFixture, FormKeepsTheColourAndOnlyChangedTexts) {
  C->SetName("Colors");
  C->SetShowAutoColor(true);
  C->SetColor(0x0000FE);
  C->SetCustomColorText("Other");
  const std::string Text = TextOfComponent(C);
  EXPECT_EQ(std::string::npos, Text.find("AutoColorText")) << Text;
  EXPECT_EQ(std::string::npos, Text.find("DropDownCount")) << Text;
  Free(C);
  ReadItemsText(Root, "object Root: TItemsRoot\n" + Text + "end\n");
  C = dynamic_cast<TdxBarColorCombo*>(Root->FindComponent("Colors"));
  ASSERT_TRUE(C) << Text;
  EXPECT_EQ(0x0000FE, C->GetColor());
  EXPECT_EQ(-1, C->GetItemIndex());
  EXPECT_TRUE(C->GetShowAutoColor());
  EXPECT_EQ(17, C->GetDropDownCount());
  EXPECT_EQ("Other", C->GetCustomColorText());
}

}  // namespace
