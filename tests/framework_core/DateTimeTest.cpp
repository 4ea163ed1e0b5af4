// Dates: encode/decode round trips, leap years, days before 1899, pictures and parsing.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/DateTime.h"
#include "framework/Exceptions.h"
#include "framework/FormatSettings.h"

namespace {
class Dates : public ::testing::Test {
protected:
  void SetUp() override {
    DateSeparator = '/';
    TimeSeparator = ':';
    ShortDateFormat = std::string("d/m/yyyy");
    LongTimeFormat = std::string("hh:nn:ss");
    ShortTimeFormat = std::string("hh:nn");
    TimeAMString = std::string("AM");
    TimePMString = std::string("PM");
  }
  void TearDown() override { GetFormatSettings(); }
};
}  // namespace

TEST_F(Dates, EncodeDecodeRoundTrips) {
  struct Case {
    int y, m, d;
    double serial;
    int dow;
  } cases[] = {
      {1899, 12, 30, 0, 7}, {1899, 12, 29, -1, 6},   {1900, 1, 1, 2, 2},      {1900, 3, 1, 61, 5},
      {2000, 2, 29, 36585, 3}, {2024, 12, 31, 45657, 3}, {1, 1, 1, -693593, 2}, {9999, 12, 31, 2958465, 6},
      {1752, 9, 14, -53797, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
    TDateTime t = EncodeDate(c.y, c.m, c.d);
    EXPECT_EQ(t, c.serial);
    int y, m, d;
    DecodeDate(t, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    EXPECT_EQ(DayOfWeek(t), c.dow);
  }
  // Every day of a span crossing a century and leap days survives the round trip.
  for (double t = -3000; t < 3000; t += 1) {
    int y, m, d;
    DecodeDate(t, y, m, d);
    ASSERT_EQ(EncodeDate(y, m, d), t);
  }
}

TEST_F(Dates, LeapYearsAndInvalidParts) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2100, 2), 28);
  int bad[][3] = {{2023, 2, 29}, {2024, 13, 1}, {2024, 4, 31}, {0, 1, 1}, {10000, 1, 1}, {2024, 1, 0}};
  for (auto& b : bad) {
    try {
      EncodeDate(b[0], b[1], b[2]);
      ADD_FAILURE() << b[0] << "-" << b[1] << "-" << b[2];
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.GetMessage(), "Invalid argument to date encode");
    }
  }
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(1, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(1, 0, 0, 1000), EConvertError);
}

TEST_F(Dates, NegativeValuesKeepAForwardTimeOfDay) {
  TDateTime t = ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0));
  EXPECT_DOUBLE_EQ(t, -1.25);
  int y, m, d, h, n, s, z;
  DecodeDate(t, y, m, d);
  DecodeTime(t, h, n, s, z);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.75), "1899-12-29 18:00");
  // A time that rounds up to midnight moves to the next day.
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", 1.99999999999), "1900-01-01 00:00:00.000");
  TDateTime t2 = EncodeTime(23, 59, 59, 999);
  DecodeTime(t2, h, n, s, z);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + z, 235959999);
}

TEST_F(Dates, Pictures) {
  TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  struct Case {
    const char* pic;
    std::string want;
  } cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
      {"d/m/yy", "5/3/24"},
      {"dddd d mmmm yyyy", "Tuesday 5 March 2024"},
      {"ddd mmm", "Tue Mar"},
      {"h:mm am/pm", "2:07 pm"},
      {"hh:mm:ss", "14:07:09"},  // m after h is minutes
      {"h:n a/p", "2:7 p"},
      {"ddddd t", "5/3/2024 14:07"},
      {"c", "5/3/2024 14:07:09"},
      {"'at' h \"o'clock\"", "at 14 o'clock"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.pic, t), c.want) << c.pic;
  EXPECT_EQ(FormatDateTime("hh AMPM", EncodeTime(0, 30, 0, 0)), "12 AM");
  EXPECT_EQ(DateToStr(EncodeDate(1999, 12, 31)), "31/12/1999");
}

TEST_F(Dates, ParsesTimesAndDates) {
  struct Case {
    const char* text;
    int h, n, s, z;
  } ok[] = {{"13:05", 13, 5, 0, 0}, {"1:02:03", 1, 2, 3, 0}, {" 0:00:01.250 ", 0, 0, 1, 250},
            {"12:30 AM", 0, 30, 0, 0}, {"1:15 pm", 13, 15, 0, 0}};
  for (const Case& c : ok) EXPECT_DOUBLE_EQ(StrToTime(c.text), EncodeTime(c.h, c.n, c.s, c.z)) << c.text;
  for (const char* bad : {"25:00", "12", "ab:cd", "1:2:3:4", "13:00 PM", "", "1::2"}) {
    try {
      StrToTime(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.GetMessage(), std::string("'") + bad + "' is not a valid time");
    }
  }
  EXPECT_EQ(StrToDate("29/2/2024"), EncodeDate(2024, 2, 29));
  EXPECT_THROW(StrToDate("30/2/2024"), EConvertError);
  EXPECT_DOUBLE_EQ(StrToDateTime("1/1/2000 12:00"), EncodeDate(2000, 1, 1) + 0.5);
}

TEST(Clock, NowAgreesWithTheSystemAndUtcRoundTrips) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  TDateTime now = Now();
  int y, m, d;
  DecodeDate(now, y, m, d);
  EXPECT_EQ(y, st.wYear);
  EXPECT_NEAR(std::fabs(now - SystemTimeToDateTime(st)) * SecsPerDay, 0, 2);
  TDateTime local = EncodeDate(2024, 7, 1) + 0.5;
  EXPECT_NEAR(UTCToLocal(LocalToUTC(local)), local, 1e-9);
  EXPECT_NEAR(LocalToUTC(Now()), NowUTC(), 2.0 / SecsPerDay);
}

TEST_F(Dates, ErasTwoDigitYearsAndSystemDateText) {
  EraRanges = {{"Taisho", 1911, EncodeDate(1912, 7, 30)}, {"Showa", 1925, EncodeDate(1926, 12, 25)}};
  EXPECT_EQ(FormatDateTime("g e/m/d", EncodeDate(1930, 5, 3)), "Showa 5/5/3");
  EXPECT_EQ(FormatDateTime("gg ee", EncodeDate(1926, 12, 24)), "Taisho 15");
  EXPECT_EQ(FormatDateTime("g|e", EncodeDate(1900, 1, 1)), "|1900");  // before every era
  EraRanges.clear();

  SYSTEMTIME Now;
  GetLocalTime(&Now);
  const int SavedWindow = TwoDigitYearWindow;
  TwoDigitYearWindow = 0;  // nothing after this year
  int Next = (Now.wYear + 1) % 100;
  EXPECT_EQ(ExpandTwoDigitYear(Next), Now.wYear + 1 - 100);
  EXPECT_EQ(ExpandTwoDigitYear(Now.wYear % 100), Now.wYear);
  TwoDigitYearWindow = 99;
  EXPECT_EQ(ExpandTwoDigitYear(Next), Now.wYear + 1);
  TwoDigitYearWindow = SavedWindow;

  EXPECT_EQ(VarToDateTime("2024-03-06"), EncodeDate(2024, 3, 6));
  EXPECT_THROW(VarToDateTime("no date"), EVariantError);
}
