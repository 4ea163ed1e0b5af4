// Dates read from and written as text (smart words, locale pictures, era text)
// and the small date arithmetic of the calendar controls.
#include <gtest/gtest.h>

#include <string>

#include "framework/DateTime.h"
#include "framework/FormatSettings.h"
#include "suite/common/cxDateUtils.h"
#include "tests/suite_common_more/LocaleSupport.h"

namespace {
TDateTime D(int Y, int M, int Day) { return EncodeDate(Y, M, Day); }

TDateTime Smart(const std::string& Text) {
  TDateTime R = 0;
  return SmartTextToDate(Text, R) ? R : cxNullDate;
}
}  // namespace

TEST(SmartDates, WordsAndOffsetsFromAnInjectedToday) {
  TSavedFormats Saved;
  TFakeLocale Locale;  // today Wednesday 6 March 2024, weeks from Sunday
  FormatController()->Recompute();
  struct Case {
    const char* Text;
    TDateTime Expected;
  } Cases[] = {
      {"today", D(2024, 3, 6)},       {"  TODAY ", D(2024, 3, 6)},     {"today+3", D(2024, 3, 9)},
      {"today + 3", D(2024, 3, 9)},   {"today-1", D(2024, 3, 5)},      {"yesterday", D(2024, 3, 5)},
      {"today+x", D(2024, 3, 6)},     {"tomorrow-10", D(2024, 2, 26)}, {"wednesday", D(2024, 3, 6)},
      {"MONDAY", D(2024, 3, 11)},     {"Sunday+1", D(2024, 3, 11)},    {"first", D(2024, 3, 3)},
      {"seventh", D(2024, 3, 9)},     {"bom", D(2024, 3, 1)},          {"eom", D(2024, 3, 31)},
      {"now", D(2024, 3, 6) + 0.5},   {"Mon", cxNullDate},             {"Monday, 4 March 2024", cxNullDate},
      {"todays", cxNullDate},         {"", cxNullDate},
  };
  for (const Case& C : Cases) EXPECT_EQ(Smart(C.Text), C.Expected) << C.Text;

  Locale.TodayValue = D(2024, 2, 12);  // a Monday; February of a leap year
  Locale.Info[LOCALE_IFIRSTDAYOFWEEK] = "0";
  FormatController()->Recompute();
  EXPECT_EQ(Smart("first"), D(2024, 2, 12));
  EXPECT_EQ(Smart("seventh"), D(2024, 2, 18));
  EXPECT_EQ(Smart("eom"), D(2024, 2, 29));
  Locale.TodayValue = D(2024, 2, 18);  // a Sunday, the last day of a Monday week
  EXPECT_EQ(DayIndexInWeek(Locale.TodayValue), 6);
  EXPECT_EQ(Smart("first"), D(2024, 2, 12));
}

TEST(SmartDates, DisplayTextReadsWordsDatesAndRejectsTheRest) {
  TSavedFormats Saved;
  TFakeLocale Locale;
  ShortDateFormat = "M/d/yyyy";
  LongTimeFormat = "h:mm:ss AMPM";
  DateSeparator = '/';
  FormatController()->Recompute();
  EXPECT_EQ(DisplayTextToDate("today+3", true), D(2024, 3, 9));
  EXPECT_EQ(DisplayTextToDate("3/15/2024", true), D(2024, 3, 15));
  EXPECT_EQ(DisplayTextToDate("3/15/2024 1:30:00 PM", true), D(2024, 3, 15) + 13.5 / 24);
  EXPECT_EQ(DisplayTextToDate("3/15/2024", false), D(2024, 3, 15));
  for (const char* Bad : {"", "   ", "12/31/10000", "no date", "13/45/2024", "10:00"}) {
    EXPECT_EQ(DisplayTextToDate(Bad, true), cxNullDate) << Bad;
    EXPECT_EQ(DisplayTextToDate(Bad, false), cxNullDate) << Bad;
  }
}

TEST(SmartDates, WritingFollowsThePictureAndWidensTwoDigitYears) {
  TSavedFormats Saved;
  TFakeLocale Locale;
  ShortDateFormat = "dd.MM.yy";
  LongTimeFormat = "hh:nn";
  DateSeparator = '.';
  std::string Text;
  DateToDisplayText(true, true, Text, D(2024, 3, 6));
  EXPECT_EQ(Text, "06.03.2024");
  DateToDisplayText(false, true, Text, D(2024, 3, 6) + 0.75);
  EXPECT_EQ(Text, "06.03.24 18:00");
  DateToDisplayText(true, true, Text, cxNullDate);
  EXPECT_EQ(Text, "");

  Locale.Info[LOCALE_SSHORTDATE] = "dd.MM.yy";
  Locale.FormatDates = true;
  DateToDisplayText(true, false, Text, D(2024, 3, 6));
  EXPECT_EQ(Locale.LastDateFormat, "dd.MM.yyyy");
  EXPECT_EQ(Text, "06.03.2024");
}

TEST(DateArithmetic, MonthsDaysAndPortions) {
  struct Shift {
    int Y, M, Delta, EY, EM;
  } Shifts[] = {{2024, 1, -1, 2023, 12}, {2024, 11, 14, 2026, 1}, {2024, 12, 1, 2025, 1},
                {2024, 1, -13, 2022, 12}, {2024, 6, 0, 2024, 6},  {2024, 6, -30, 2021, 12}};
  for (const Shift& S : Shifts) {
    int Y = S.Y, M = S.M;
    ShiftYearMonth(Y, M, S.Delta);
    EXPECT_EQ(Y * 100 + M, S.EY * 100 + S.EM) << S.Y << "/" << S.M << " by " << S.Delta;
  }
  int Y = 2024, M = 1;
  PrevMonthOf(Y, M);
  EXPECT_EQ(Y * 100 + M, 202312);
  NextMonthOf(Y, M);
  EXPECT_EQ(Y * 100 + M, 202401);

  struct Clamp {
    int Y, M, Day, Expected;
  } Clamps[] = {{2023, 2, 30, 28}, {2024, 2, 30, 29}, {2024, 2, 0, 1}, {2024, 4, 31, 30}, {1900, 2, 29, 28}, {2000, 2, 29, 29}};
  for (const Clamp& C : Clamps) EXPECT_EQ(ClampDayOfMonth(C.Y, C.M, C.Day), C.Expected) << C.Y << "/" << C.M;

  // Before 1899 the fraction still counts forward: -1.25 is 29 Dec 1899 at 06:00.
  EXPECT_EQ(DatePortion(-1.25), -1.0);
  EXPECT_DOUBLE_EQ(TimePortion(-1.25), 0.25);
  EXPECT_EQ(DatePortion(45357.999999999), 45358.0);
  EXPECT_EQ(DateOrderOf("M/d/yyyy"), 0);
  EXPECT_EQ(DateOrderOf("dd.MM.yy"), 1);
  EXPECT_EQ(DateOrderOf("gg e/M/d"), 2);
  EXPECT_EQ(DatePartOf(1, nullptr, D(2024, 3, 6)), 3);
}

TEST(DateArithmetic, MondayWeeksOfFourDaysMatchIsoWeeks) {
  auto Rows = ReadFixture("iso_weeks.csv");
  ASSERT_GT(Rows.size(), 2600u);
  for (const auto& R : Rows) {
    TDateTime Monday = IsoDate(R[0]);
    int Week = std::stoi(R[1]);
    for (int I = 0; I < 7; ++I) ASSERT_EQ(WeekOfYearOf(1, 3, Monday + I), Week) << R[0] << " + " << I;
  }
}

TEST(DateArithmetic, WeeksOfTheOtherRules) {
  TFakeLocale Locale;
  Locale.Info[LOCALE_IFIRSTWEEKOFYEAR] = "1";  // rule 2
  struct Case {
    int FirstDay, Rule;
    TDateTime Date;
    int Week;
  } Cases[] = {
      {0, 1, D(2022, 1, 1), 1},   {0, 1, D(2022, 1, 2), 2},   {0, 1, D(2021, 12, 26), 1},
      {0, 1, D(2021, 12, 25), 52}, {1, 1, D(2024, 12, 30), 1}, {1, 1, D(2024, 1, 1), 1},
      {0, 2, D(2022, 1, 2), 1},   {0, 2, D(2022, 1, 1), 52},  {0, 2, D(2022, 12, 31), 52},
      {1, 2, D(2024, 1, 1), 1},   {1, 2, D(2023, 1, 1), 52},  {1, 2, D(2023, 1, 2), 1},
      {0, 0, D(2022, 1, 9), 2},   {1, 3, D(2021, 1, 1), 53},  {1, 3, D(2020, 12, 31), 53},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(WeekOfYearOf(C.FirstDay, C.Rule, C.Date), C.Week) << FormatDateTime("yyyy-mm-dd", C.Date) << " rule "
                                                                << C.Rule << " from " << C.FirstDay;
}
