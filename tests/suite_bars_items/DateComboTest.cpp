// The date combo under a fixed locale: its text of a date with and without the
// day name, the limits, what loading leaves in the text, and the "+" and "-" keys
// of the open editor.
#include <gtest/gtest.h>

#include <string>

#include "suite/bars/BarDateCombo.h"
#include "suite/common/cxDateUtils.h"
#include "tests/suite_bars_items/ItemFormSupport.h"
// The shared locale stand-in also reads calendar fixtures, which these tests do not.
#define SONVELT_CALENDAR_FIXTURES ""
#include "tests/suite_common_more/LocaleSupport.h"

namespace {

TDateTime D(int Y, int M, int Day) { return EncodeDate(Y, M, Day); }

struct DateFixture : ItemsRootFixture {
  TSavedFormats Saved;
  TFakeLocale Locale;
  TdxBarDateCombo* C = nullptr;
  void SetUp() override {
    ShortDateFormat = "M/d/yyyy";
    DateSeparator = '/';
    const char* Days[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int I = 0; I < 7; ++I) ShortDayNames[I] = Days[I];
    FormatController()->Recompute();
    ItemsRootFixture::SetUp();
    C = TdxBarDateCombo::Create(Root);
    C->SetName("When");
  }
};

TEST_F(DateFixture, StartsWithTodayAndNoDayNameUntilSetAgain) {
  EXPECT_EQ(Date(), C->GetDate());
  EXPECT_TRUE(C->GetShowDayText());
  EXPECT_EQ(std::string::npos, C->GetText().find(' ')) << C->GetText();
  EXPECT_EQ(bdsToday, C->GetDateOnStart());
}

TEST_F(DateFixture, TextOfADateReadsBackWithAndWithoutItsDayName) {
  C->SetDate(D(2024, 2, 29));
  EXPECT_EQ("Thu 2/29/2024", C->GetText());
  EXPECT_EQ(bdsCustom, C->GetDateOnStart());
  const struct {
    const char* Typed;
    const char* Text;
  } Cases[] = {{"Thu 2/29/2024", "Thu 2/29/2024"}, {"3/1/2024", "Fri 3/1/2024"}, {"Mon 3/1/2024", "Fri 3/1/2024"},
               {"no date", ""}, {"", ""}, {"2/30/2024", ""}};
  for (const auto& K : Cases) {
    C->SetText(K.Typed);
    EXPECT_EQ(K.Text, C->GetText()) << K.Typed;
  }
  EXPECT_EQ(cxNullDate, C->GetDate());
  C->SetShowDayText(false);
  C->SetDate(D(2024, 12, 31));
  EXPECT_EQ("12/31/2024", C->GetText());
}

TEST_F(DateFixture, LimitsReplaceDatesOutsideWithTheNearerOne) {
  C->SetMinDate(D(2024, 1, 10));
  EXPECT_EQ(0, C->GetMinDate()) << "a minimum never lies above the maximum";
  C->SetMaxDate(D(2024, 1, 20));
  C->SetMinDate(D(2024, 1, 10));
  const struct {
    const char* Typed;
    TDateTime Date;
  } Cases[] = {{"1/5/2024", D(2024, 1, 10)}, {"1/25/2024", D(2024, 1, 20)}, {"1/15/2024", D(2024, 1, 15)},
               {"", D(2024, 1, 10)}, {"letters", D(2024, 1, 10)}};
  for (const auto& K : Cases) {
    C->SetText(K.Typed);
    EXPECT_EQ(K.Date, C->GetDate()) << K.Typed;
  }
  C->SetDate(D(2024, 1, 19));
  C->SetMaxDate(D(2024, 1, 15));
  EXPECT_EQ(D(2024, 1, 15), C->GetDate()) << "a new limit clamps the text";
  C->SetMaxDate(D(2024, 1, 1));
  EXPECT_EQ(D(2024, 1, 10), C->GetMaxDate()) << "a maximum never lies below the minimum";
}

TEST_F(DateFixture, LoadingAppliesDateOnStart) {
  const struct {
    const char* Body;
    TDateTime Date;
    TdxBarDateOnStart OnStart;
  } Cases[] = {
      {" DateOnStart = bdsNullDate\n", cxNullDate, bdsNullDate},
      {" DateOnStart = bdsCustom\n Text = 'Tue 3/5/2024'\n", D(2024, 3, 5), bdsCustom},
      {" MaxDate = 45000\n", Date() > 45000 ? 45000 : Date(), bdsToday},
  };
  Free(C);
  for (const auto& K : Cases) {
    SCOPED_TRACE(K.Body);
    ReadItemsText(Root, std::string("object Root: TItemsRoot\nobject When: TdxBarDateCombo\n") + K.Body + "end\nend\n");
    C = dynamic_cast<TdxBarDateCombo*>(Root->FindComponent("When"));
    ASSERT_TRUE(C);
    EXPECT_EQ(K.Date, C->GetDate());
    EXPECT_EQ(K.OnStart, C->GetDateOnStart());
    Free(C);
  }
  C = nullptr;
}

TEST_F(DateFixture, PlusAndMinusStepTheEditorsDateUnlessTheFormatUsesThem) {
  const struct {
    const char* Format;
    char Separator;
    char Key;
    const char* Before;
    bool Taken;
    const char* After;
  } Cases[] = {
      {"M/d/yyyy", '/', '+', "Sat 8/31/2024", true, "Sun 9/1/2024"},
      {"M/d/yyyy", '/', '-', "3/1/2024", true, "Thu 2/29/2024"},
      {"M/d/yyyy", '/', '+', "", true, ""},
      {"M/d/yyyy", '/', '+', "half a date", true, "half a date"},
      {"M/d/yyyy", '/', 'x', "3/1/2024", false, "3/1/2024"},
      {"yyyy-MM-dd", '-', '-', "2024-03-01", false, "2024-03-01"},
      {"yyyy-MM-dd", '-', '+', "2024-03-01", true, "Sat 2024-03-02"},
  };
  for (const auto& K : Cases) {
    SCOPED_TRACE(std::string(K.Format) + " " + K.Key + " " + K.Before);
    ShortDateFormat = K.Format;
    DateSeparator = K.Separator;
    FormatController()->Recompute();
    std::string Text = K.Before;
    EXPECT_EQ(K.Taken, C->StepDateText(K.Key, Text));
    EXPECT_EQ(K.After, Text);
  }
}

}  // namespace
