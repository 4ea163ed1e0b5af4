// The spin edit: the number its text holds, the limits and rounding it is kept
// to, its prefix, the steps and the characters its editor takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/FormatSettings.h"
#include "suite/bars/BarSpinEdit.h"
#include "tests/suite_bars_items/ItemFormSupport.h"

namespace {

struct SpinFixture : ItemsRootFixture {
  TdxBarSpinEdit* S = nullptr;
  std::vector<TdxBarSpinEditButton> Clicks;
  void SetUp() override {
    ItemsRootFixture::SetUp();
    S = TdxBarSpinEdit::Create(Root);
    S->SetName("Spin");
  }
  void ButtonClick(TObject*, TdxBarSpinEditButton B) { Clicks.push_back(B); }
};

TEST_F(SpinFixture, IntegersRoundHalvesToEvenAndStepsBelowOneBecomeOne) {
  EXPECT_EQ("0", S->GetText());
  const struct {
    long double Value;
    const char* Text;
  } Cases[] = {{2.5L, "2"}, {3.5L, "4"}, {-2.5L, "-2"}, {2.6L, "3"}, {-7, "-7"}};
  for (const auto& C : Cases) {
    S->SetValue(C.Value);
    EXPECT_EQ(C.Text, S->GetText()) << static_cast<double>(C.Value);
  }
  S->SetIncrement(0.3L);
  EXPECT_EQ(1, S->GetIncrement());
  S->SetIncrement(4.5L);
  EXPECT_EQ(4, S->GetIncrement());
  S->SetValueType(svtFloat);
  S->SetIncrement(0.25L);
  EXPECT_EQ(0.25L, S->GetIncrement());
  S->SetIncrement(-1);
  EXPECT_EQ(1, S->GetIncrement());
}

TEST_F(SpinFixture, LimitsKeepTheValueAndFollowEachOther) {
  S->SetValue(-1000);
  EXPECT_EQ(-1000, S->GetValue()) << "no limits while both are 0";
  S->SetMinValue(1);
  EXPECT_EQ(1, S->GetMaxValue()) << "the maximum follows a higher minimum";
  EXPECT_EQ("1", S->GetText());
  S->SetValue(50);
  EXPECT_EQ(1, S->GetValue());
  S->SetMaxValue(10);
  S->SetValue(50);
  EXPECT_EQ(10, S->GetValue());
  S->SetMaxValue(-3);
  EXPECT_EQ(-3, S->GetMinValue()) << "the minimum follows a lower maximum";
  EXPECT_EQ(-3, S->GetValue());
}

TEST_F(SpinFixture, TextIsReadAsANumberOrRefused) {
  S->SetMinValue(-5);
  S->SetMaxValue(20);
  S->SetValue(7);
  S->SetText("letters");
  EXPECT_EQ("7", S->GetText()) << "no number: ignored";
  S->SetText("99");
  EXPECT_EQ("20", S->GetText()) << "outside: the limit";
  S->SetText("2.5");
  EXPECT_EQ("20", S->GetText()) << "no integer";
  EXPECT_EQ(-5, S->TextToValue("x")) << "an unreadable text reads as the minimum";
}

TEST_F(SpinFixture, PrefixIsWrittenAndReadWhereItStands) {
  S->SetPrefix(" %");
  S->SetValue(5);
  EXPECT_EQ("5 %", S->GetText());
  EXPECT_EQ(5, S->GetValue());
  S->SetPrefixPlace(ppStart);
  EXPECT_EQ(" %5", S->GetText());
  S->SetText("8 %");
  EXPECT_EQ(" %8", S->GetText());
  S->SetPrefix("$");
  EXPECT_EQ("$8", S->GetText());
}

TEST_F(SpinFixture, FloatsUseTheDecimalSeparatorAndIntegersRoundEverythingOnSwitch) {
  const char Saved = DecimalSeparator;
  DecimalSeparator = ',';
  S->SetValueType(svtFloat);
  S->SetText("2,75");
  EXPECT_EQ(2.75L, S->GetValue());
  EXPECT_EQ("2,75", S->GetText());
  S->SetText("2.75");
  EXPECT_EQ("2,75", S->GetText()) << "the other separator is no number";
  S->SetIncrement(1.5L);
  S->SetMaxValue(10.5L);
  S->SetMinValue(-2.5L);
  EXPECT_EQ("2,75", S->GetText());
  S->SetValueType(svtInteger);
  EXPECT_EQ(2, S->GetIncrement());
  EXPECT_EQ(-2, S->GetMinValue());
  EXPECT_EQ(10, S->GetMaxValue());
  EXPECT_EQ("3", S->GetText());
  DecimalSeparator = Saved;
}

TEST_F(SpinFixture, StepsStayInsideTheLimitsAndReportTheirButton) {
  S->OnButtonClick = Bind(this, &SpinFixture::ButtonClick);
  S->SetMaxValue(3);
  S->SetIncrement(2);
  S->Step(sbUp);
  S->Step(sbUp);
  EXPECT_EQ(3, S->GetValue());
  S->Step(sbDown);
  S->Step(sbDown);
  EXPECT_EQ(0, S->GetValue());
  EXPECT_EQ((std::vector<TdxBarSpinEditButton>{sbUp, sbUp, sbDown, sbDown}), Clicks);
  // Without an open editor the arrow keys are left to the bar.
  WORD Key = VK_UP;
  S->DoKeyDown(Key, TShiftState());
  EXPECT_EQ(VK_UP, Key);
  EXPECT_EQ(0, S->GetValue());
}

TEST_F(SpinFixture, EditorTakesDigitsEditingKeysAndSignsWhereTheyMayStand) {
  const char Saved = DecimalSeparator;
  DecimalSeparator = '.';
  const struct {
    const char* Name;
    long double Min, Max;
    TdxBarSpinEditValueType Type;
    const char* Taken;
    const char* Refused;
  } Cases[] = {
      {"no limits", 0, 0, svtInteger, "0123456789\x03\x08\x16\x18-", ".a+ e"},
      {"non-negative limits", 0, 10, svtInteger, "09", "-."},
      {"a negative minimum", -10, 10, svtInteger, "-5", "."},
      {"floats", 1, 10, svtFloat, "1.", "-,"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    S->SetValueType(C.Type);
    S->SetMaxValue(0);
    S->SetMinValue(0);
    S->SetMaxValue(C.Max);
    S->SetMinValue(C.Min);
    for (const char* K = C.Taken; *K; ++K) {
      char Key = *K;
      S->DoKeyPress(Key);
      EXPECT_EQ(*K, Key) << int(*K);
    }
    for (const char* K = C.Refused; *K; ++K) {
      char Key = *K;
      S->DoKeyPress(Key);
      EXPECT_EQ(0, Key) << *K;
    }
  }
  DecimalSeparator = Saved;
}

TEST_F(SpinFixture, FormKeepsTheSettingsAndTheValue) {
  S->SetValueType(svtFloat);
  S->SetIncrement(0.5L);
  S->SetMinValue(-1);
  S->SetMaxValue(9);
  S->SetPrefix(" dB");
  S->SetValue(2.5L);
  const std::string Text = TextOfComponent(S);
  Free(S);
  ReadItemsText(Root, "object Root: TItemsRoot\n" + Text + "end\n");
  S = dynamic_cast<TdxBarSpinEdit*>(Root->FindComponent("Spin"));
  ASSERT_TRUE(S) << Text;
  EXPECT_EQ(svtFloat, S->GetValueType());
  EXPECT_EQ(0.5L, S->GetIncrement());
  EXPECT_EQ(-1, S->GetMinValue());
  EXPECT_EQ(9, S->GetMaxValue());
  EXPECT_EQ("2.5 dB", S->GetText()) << Text;
}

TEST(BarSpinRepeat, FirstRepeatFollowsTheDoubleClickTimeButNeverBelowTenMilliseconds) {
  const UINT Saved = GetDoubleClickTime();
  SetDoubleClickTime(500);
  EXPECT_EQ(400u, TdxBarSpinEditControl::FirstRepeatInterval());
  SetDoubleClickTime(100);
  EXPECT_EQ(10u, TdxBarSpinEditControl::FirstRepeatInterval());
  SetDoubleClickTime(Saved);
}

}  // namespace
