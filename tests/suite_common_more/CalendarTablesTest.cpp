// Calendar tables against dates made by independent implementations (the
// fixtures in calendars/), plus the arithmetic and text reading of each table.
#include <gtest/gtest.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/OwnedObject.h"
#include "framework/StringUtils.h"
#include "suite/common/cxDateUtils.h"
#include "suite/common/cxHijriHebrewCalendars.h"
#include "tests/suite_common_more/LocaleSupport.h"

namespace {
TDateTime D(int Y, int M, int Day) { return EncodeDate(Y, M, Day); }

int YearOf(TDateTime Date) {
  int Y, M, Day;
  DecodeDate(Date, Y, M, Day);
  return Y;
}

std::string Ymd(const TcxCalendarDateTime& P) {
  return std::to_string(P.Era) + ":" + std::to_string(P.Year) + "/" + std::to_string(P.Month) + "/" +
         std::to_string(P.Day);
}

std::string Ymd(int Era, int Y, int M, int Day) { return Ymd(CalendarDayParts(Era, Y, M, Day)); }

TcxCalendarDateTime Parts(int Era, int Y, int M, int Day) { return CalendarDayParts(Era, Y, M, Day); }
}  // namespace

TEST(EraCalendars, DecodeLikeTheRuntimesCalendars) {
  TOwned<TcxCustomCalendarTable> Japanese(TcxJapaneseCalendarTable::Create());
  TOwned<TcxCustomCalendarTable> Taiwan(TcxTaiwanCalendarTable::Create());
  TOwned<TcxCustomCalendarTable> Thai(TcxThaiCalendarTable::Create());
  auto Rows = ReadFixture("eras.csv");
  ASSERT_EQ(Rows.size(), 21u);
  for (const auto& R : Rows) {
    TDateTime Date = IsoDate(R[1]);
    int Year = std::stoi(R[3]);
    if (R[0] == "japanese") {
      // The table knows no era after Heisei: later years go on counting it.
      int Era = R[2].starts_with("Meiji") ? 0 : R[2].starts_with("Tai") ? 1 : R[2].starts_with("Sh") ? 2 : 3;
      if (R[2] == "Reiwa") Year += 30;
      EXPECT_EQ(Ymd(Japanese->DecodeToParts(Date)), Ymd(Era, Year, std::stoi(R[1].substr(5, 2)), std::stoi(R[1].substr(8))))
          << R[1];
      EXPECT_EQ(Japanese->EncodeParts(Japanese->DecodeToParts(Date)), Date) << R[1];
    } else {
      TcxCustomCalendarTable* T = R[0] == "roc" ? Taiwan.get() : Thai.get();
      EXPECT_EQ(T->DecodeToParts(Date).Year, Year) << R[0] << " " << R[1];
      EXPECT_EQ(T->DecodeToParts(Date).Era, 0);
    }
  }
  TOwned<TcxCustomCalendarTable> Korean(TcxKoreanCalendarTable::Create());
  for (TDateTime Date : {D(1, 1, 1), D(2024, 1, 1), D(9999, 12, 31)})
    EXPECT_EQ(Korean->DecodeToParts(Date).Year, YearOf(Date) + 2333);

  EXPECT_EQ(Japanese->EncodeParts(Parts(3, 1, 1, 8)), D(1989, 1, 8));
  EXPECT_EQ(Japanese->EncodeParts(Parts(3, 1, 13, 8)), D(1868, 9, 8));
  EXPECT_EQ(Taiwan->ShiftYears(Taiwan->DecodeToParts(D(2023, 1, 1)), 1), D(2024, 1, 1));
  TcxCalendarDateTime Heisei31 = Japanese->DecodeToParts(Japanese->ShiftYearsOf(D(2018, 6, 1), 1));
  EXPECT_EQ(Ymd(Heisei31), Ymd(3, 31, 6, 1));
}

TEST(EraCalendars, EraTextCountsFromTheNamedEra) {
  TSavedFormats Saved;
  TFakeLocale Locale;
  EraRanges = {{"Meiji", 1867, D(1868, 9, 8)}, {"Taisho", 1911, D(1912, 7, 30)},
               {"Showa", 1925, D(1926, 12, 25)}, {"Heisei", 1988, D(1989, 1, 8)}};
  Locale.Calendar = 3;
  Locale.TwoDigitYearMax = 99;  // era years are read as written
  Locale.Info[LOCALE_SSHORTDATE] = "gg yy/MM/dd";
  EXPECT_EQ(DisplayTextToDate("Heisei 5/03/10", false), D(1993, 3, 10));
  EXPECT_EQ(DisplayTextToDate("Showa 64/01/07", false), D(1989, 1, 7));
  EXPECT_EQ(DisplayTextToDate("Taisho 2/08/01 10:30:00", false), D(1913, 8, 1) + 10.5 / 24);
  EXPECT_EQ(DisplayTextToDate("Heisei 5/13/10", false), cxNullDate);  // no such day
  EXPECT_EQ(DisplayTextToDate("Heisei x/03/10", false), cxNullDate);
  Locale.Info[LOCALE_SSHORTDATE] = "yyyy/MM/dd";
  EXPECT_EQ(DisplayTextToDate("5/03/10", false), D(1993, 3, 10));  // the default era
}

TEST(GregorianTable, ShiftsClampsAndWeeks) {
  TOwned<TcxGregorianCalendarTable> G(TcxGregorianCalendarTable::Create());
  struct Case {
    char What;
    TDateTime From;
    int Count;
    TDateTime To;
  } Cases[] = {
      {'m', D(2024, 1, 31), 1, D(2024, 2, 29)},  {'m', D(2024, 1, 31), -2, D(2023, 11, 30)},
      {'m', D(2024, 1, 31), 12, D(2025, 1, 31)}, {'m', D(2024, 3, 15), -27, D(2021, 12, 15)},
      {'y', D(2024, 2, 29), 1, D(2025, 2, 28)},  {'y', D(2024, 2, 29), -4, D(2020, 2, 29)},
      {'d', D(9999, 12, 30), 5, G->LastSupportedDate()},  {'d', D(100, 1, 2), -5, D(100, 1, 1)},
      {'w', D(2024, 3, 6), -2, D(2024, 2, 21)},
  };
  for (const Case& C : Cases) {
    TcxCalendarDateTime P = G->DecodeToParts(C.From);
    TDateTime R = C.What == 'm' ? G->ShiftMonths(P, C.Count)
                  : C.What == 'y' ? G->ShiftYears(P, C.Count)
                  : C.What == 'd' ? G->ShiftDays(P, C.Count)
                                  : G->ShiftWeeks(P, C.Count);
    EXPECT_EQ(R, C.To) << C.What << " " << FormatDateTime("yyyy-mm-dd", C.From) << " by " << C.Count;
  }
  EXPECT_EQ(G->WeekStartOnDay(1, D(2024, 3, 10)), D(2024, 3, 4));
  EXPECT_EQ(G->WeekStartOnDay(1, D(2024, 3, 4) + 0.25), D(2024, 3, 4) + 0.25);
  EXPECT_EQ(G->CompleteWeeksOfYear(2022), 53);
  EXPECT_EQ(G->CompleteWeeksOfYear(2016), 53);
  EXPECT_EQ(G->CompleteWeeksOfYear(2024), 52);
  EXPECT_TRUE(G->DayIsLeap(2024, 2, 29));
  EXPECT_FALSE(G->DayIsLeap(2023, 2, 29));
  EXPECT_FALSE(G->DayIsLeap(2024, 3, 29));
  EXPECT_EQ(G->EraOfDate(2024, 1, 1), -1);
  // Before 1899 the time of day still counts forward from midnight.
  TcxCalendarDateTime Early = Parts(-1, 1800, 5, 1);
  Early.Hour = 18;
  EXPECT_EQ(G->EncodeParts(Early), ComposeDateTime(D(1800, 5, 1), 0.75));
  EXPECT_EQ(Ymd(G->DecodeToParts(G->EncodeParts(Early))), Ymd(-1, 1800, 5, 1));
  EXPECT_THROW(G->EncodeParts(Parts(-1, 2023, 2, 29)), EConvertError);
}

TEST(GregorianTable, TextTokens) {
  TFakeLocale Locale;
  TOwned<TcxGregorianCalendarTable> G(TcxGregorianCalendarTable::Create());
  Locale.TwoDigitYearMax = 2029;
  EXPECT_EQ(G->YearFromText("29"), 2029);
  EXPECT_EQ(G->YearFromText("30"), 1930);
  EXPECT_EQ(G->YearFromText("130"), 130);
  Locale.TwoDigitYearMax = 0;  // unreadable: the runtime's window
  EXPECT_EQ(G->YearFromText("24"), ExpandTwoDigitYear(24));
  EXPECT_EQ(G->MonthFromText(2024, "march"), 3);
  EXPECT_EQ(G->MonthFromText(2024, "Mar"), 3);
  EXPECT_EQ(G->MonthFromText(2024, "13"), 13);
  EXPECT_THROW(G->MonthFromText(2024, "Marz"), EConvertError);
  EXPECT_THROW(G->DayFromText("x"), EConvertError);
}

TEST(HijriTable, NewYearsAndMonthsMatchTheTabularCalendar) {
  TOwned<TcxHijriCalendarTable> H(TcxHijriCalendarTable::Create());
  // Our leap position 15 is 16 there: our dates run one day behind through years 16.
  auto Shift = [](int Year) { return Year % 30 == 16 ? 1 : 0; };
  auto Years = ReadFixture("hijri_years.csv");
  ASSERT_EQ(Years.size(), 9666u);
  for (const auto& R : Years) {
    int Y = std::stoi(R[0]);
    ASSERT_EQ(H->EncodeFromYMD(Y, 1, 1), IsoDate(R[1]) + Shift(Y)) << Y;
  }
  auto Months = ReadFixture("hijri_months.csv");
  ASSERT_EQ(Months.size(), 720u);
  for (size_t I = 0; I + 1 < Months.size(); ++I) {
    int Y = std::stoi(Months[I][0]), M = std::stoi(Months[I][1]);
    TDateTime First = IsoDate(Months[I][1 + 1]) + Shift(Y);
    TDateTime Next = IsoDate(Months[I + 1][2]) + Shift(std::stoi(Months[I + 1][0]));
    for (TDateTime Day = First; Day < Next; Day += 1) {
      int N = static_cast<int>(Day - First) + 1;
      ASSERT_EQ(Ymd(H->DecodeToParts(Day)), Ymd(-1, Y, M, N)) << Months[I][2];
      ASSERT_EQ(H->EncodeParts(Parts(-1, Y, M, N)), Day);
    }
  }
}

TEST(HijriTable, EveryDayRoundTrips) {
  TOwned<TcxHijriCalendarTable> H(TcxHijriCalendarTable::Create());
  EXPECT_EQ(H->FirstSupportedDate(), D(622, 7, 18));
  EXPECT_EQ(Ymd(H->DecodeToParts(H->FirstSupportedDate())), Ymd(-1, 1, 1, 1));
  EXPECT_EQ(H->LastSupportedDate(), D(9999, 12, 31));
  EXPECT_EQ(H->DecodeToParts(H->LastSupportedDate()).Year, 9666);
  int Last = static_cast<int>(H->LastSupportedDate());
  for (int Day = static_cast<int>(H->FirstSupportedDate()); Day <= Last; ++Day) {
    TcxCalendarDateTime P = H->DecodeToParts(Day);
    if (H->EncodeParts(P) != Day || !H->DayValid(P.Year, P.Month, P.Day)) FAIL() << Day << " " << Ymd(P);
  }
}

TEST(HijriTable, YearsMonthsAndTimes) {
  TOwned<TcxHijriCalendarTable> H(TcxHijriCalendarTable::Create());
  EXPECT_EQ(Ymd(H->DecodeToParts(D(2024, 1, 1))), Ymd(-1, 1445, 6, 20));
  EXPECT_TRUE(H->YearIsLeap(1445));
  EXPECT_EQ(H->DaysOfYear(1445), 355);
  EXPECT_EQ(H->DaysOfMonth(1445, 12), 30);
  EXPECT_EQ(H->DaysOfYear(1444), 354);
  EXPECT_EQ(H->DaysOfMonth(1444, 12), 29);
  EXPECT_TRUE(H->DayIsLeap(1445, 12, 30));
  EXPECT_EQ(H->CompleteWeeksOfYear(1444), 50);
  // The last day of a year: month 12 of that year, not day 0 of the next.
  TDateTime NewYear = H->EncodeFromYMD(1446, 1, 1);
  EXPECT_EQ(Ymd(H->DecodeToParts(NewYear - 1)), Ymd(-1, 1445, 12, 30));
  // A time of day before 1899 stays on its day.
  TDateTime Morning = H->EncodeFromYMDHMS(1, 1, 1, 6, 0, 0, 0);
  EXPECT_EQ(Morning, ComposeDateTime(D(622, 7, 18), 0.25));
  TcxCalendarDateTime P = H->DecodeToParts(Morning);
  EXPECT_EQ(Ymd(P), Ymd(-1, 1, 1, 1));
  EXPECT_EQ(P.Hour, 6);
  EXPECT_EQ(H->ShiftMonths(Parts(-1, 1445, 12, 30), 12), H->EncodeFromYMD(1446, 12, 29));
}

namespace {
// A Hebrew locale whose month names are Hebrew and whose day numbers are Gregorian.
class THebrewLocale : public TFakeLocale {
public:
  THebrewLocale() {
    Calendar = 8;
    FormatDates = true;
  }
  bool DateText(DWORD Flags, const std::string& Format, TDateTime Date, std::string& Text) override {
    if (Format != "MMMM") return TFakeLocale::DateText(Flags, Format, Date, Text);
    static const char* const Common[] = {"תשרי", "חשון", "כסלו", "טבת", "שבט", "אדר", "ניסן",
                                         "אייר", "סיון", "תמוז", "אב", "אלול"};
    static const char* const Leap[] = {"תשרי", "חשון", "כסלו", "טבת", "שבט", "אדר א", "אדר ב",
                                       "ניסן", "אייר", "סיון", "תמוז", "אב", "אלול"};
    TcxCalendarDateTime P = Table->DecodeToParts(Date);
    Text = Table->YearIsLeap(P.Year) ? Leap[P.Month - 1] : Common[P.Month - 1];
    return true;
  }
  TOwned<TcxHebrewCalendarTable> Table{TcxHebrewCalendarTable::Create()};
};
}  // namespace

TEST(HebrewTable, TheYearTableHasTheKnownEnds) {
  // (code of the Hebrew date of 1 January, kind of the year) of the first and last rows.
  const int First[6][2] = {{7, 3}, {17, 3}, {0, 4}, {11, 2}, {21, 6}, {1, 3}};
  const int Last[6][2] = {{33, 3}, {10, 2}, {22, 4}, {3, 3}, {14, 2}, {24, 6}};
  auto Check = [](int Index, const int Row[2]) {
    int Day, Month;
    TcxHebrewCalendarTable::JanuaryFirstOf(1583 + Index, Day, Month);
    int Code = Month == 4 ? Day : Month == 5 ? (Day == 1 ? 0 : 29 + Day) : Day == 29 ? 33 : 30;
    EXPECT_EQ(Code, Row[0]) << Index;
    TOwned<TcxHebrewCalendarTable> T(TcxHebrewCalendarTable::Create());
    EXPECT_EQ(TcxHebrewCalendarTable::YearType(5343 + Index) + (T->YearIsLeap(5343 + Index) ? 3 : 0), Row[1]) << Index;
  };
  for (int I = 0; I < 6; ++I) {
    Check(I, First[I]);
    Check(651 + I, Last[I]);
  }
}

TEST(HebrewTable, MonthsMatchTheArithmeticCalendar) {
  TOwned<TcxHebrewCalendarTable> H(TcxHebrewCalendarTable::Create());
  auto Rows = ReadFixture("hebrew_months.csv");
  ASSERT_EQ(Rows.size(), 8126u);
  for (size_t I = 0; I < Rows.size(); ++I) {
    int Y = std::stoi(Rows[I][0]), M = std::stoi(Rows[I][1]);
    TDateTime First = IsoDate(Rows[I][2]);
    ASSERT_EQ(H->EncodeFromYMD(Y, M, 1), First) << Y << "/" << M;
    TDateTime Next = I + 1 < Rows.size() ? IsoDate(Rows[I + 1][2]) : H->LastSupportedDate();
    ASSERT_EQ(H->DaysOfMonth(Y, M), static_cast<int>(DatePortion(Next) - First) + (I + 1 < Rows.size() ? 0 : 1));
    for (TDateTime Day = std::max(First, H->FirstSupportedDate()); Day < Next; Day += 1) {
      int N = static_cast<int>(Day - First) + 1;
      ASSERT_EQ(Ymd(H->DecodeToParts(Day)), Ymd(-1, Y, M, N)) << Rows[I][2];
      ASSERT_EQ(H->EncodeParts(Parts(-1, Y, M, N)), Day);
    }
  }
}

TEST(HebrewTable, KnownDatesAndRanges) {
  TOwned<TcxHebrewCalendarTable> H(TcxHebrewCalendarTable::Create());
  struct Case {
    TDateTime Date;
    int Y, M, Day;
  } Cases[] = {{D(2023, 9, 16), 5784, 1, 1},   {D(2023, 9, 15), 5783, 12, 29}, {D(2024, 1, 1), 5784, 4, 20},
               {D(2024, 3, 24), 5784, 7, 14},  {D(2024, 4, 23), 5784, 8, 15},  {D(1500, 1, 1), 5343, 4, 7},
               {D(1582, 12, 31), 5343, 4, 7},  {D(2239, 9, 29), 5999, 13, 29}, {D(2300, 1, 1), 5999, 13, 29}};
  for (const Case& C : Cases) EXPECT_EQ(Ymd(H->DecodeToParts(C.Date)), Ymd(-1, C.Y, C.M, C.Day));
  EXPECT_EQ(H->EncodeFromYMD(5784, 7, 14), D(2024, 3, 24));
  // An evening before 1899 stays on its day both ways.
  TDateTime Evening = ComposeDateTime(D(1800, 1, 1), 0.75);
  TcxCalendarDateTime P = H->DecodeToParts(Evening);
  EXPECT_EQ(Ymd(P), Ymd(H->DecodeToParts(D(1800, 1, 1))));
  EXPECT_EQ(P.Hour, 18);
  EXPECT_EQ(H->EncodeParts(P), Evening);
  EXPECT_EQ(H->DaysOfYear(5784), 383);
  EXPECT_EQ(H->DaysOfMonth(5783, 13), 0);
  EXPECT_FALSE(H->MonthValid(5783, 13));
  EXPECT_TRUE(H->MonthIsLeap(5784, 7));
  EXPECT_FALSE(H->MonthIsLeap(5784, 6));
  EXPECT_EQ(H->DaysOfYear(6000), 0);
  EXPECT_EQ(H->EncodeFromYMD(5783, 13, 1), H->FirstSupportedDate());
  // Walking months through a 13-month year.
  EXPECT_EQ(H->ShiftMonths(Parts(-1, 5784, 12, 1), 2), H->EncodeFromYMD(5785, 1, 1));
  EXPECT_EQ(H->ShiftMonths(Parts(-1, 5785, 1, 1), -2), H->EncodeFromYMD(5784, 12, 1));
}

TEST(HebrewTable, NumeralsNamesAndDigits) {
  struct Case {
    const char* Text;
    int Value;
  } Cases[] = {{"תשפד", 784}, {"תשפ\"ד", 784}, {"יה", 15}, {"טו", 15}, {"ה'תשפ\"ד", 5784}, {"ט'", 9},
               {"ך", 20},     {"כ", 20},       {"ם", 40},  {"מ", 40},  {"ן", 50},           {"נ", 50},
               {"ף", 80},     {"פ", 80},       {"ץ", 90},  {"צ", 90},  {"15", 0},           {"abc", 0}};
  for (const Case& C : Cases) EXPECT_EQ(TcxHebrewCalendarTable::NumeralValue(C.Text), C.Value) << C.Text;

  THebrewLocale Locale;
  TcxHebrewCalendarTable* H = Locale.Table.get();
  EXPECT_EQ(H->YearFromText("תשפד"), 5784);
  EXPECT_EQ(H->YearFromText("ה'תשפ\"ד"), 5784);
  EXPECT_EQ(H->DayFromText("טו"), 15);
  EXPECT_EQ(H->DayFromText("15"), 15);
  EXPECT_EQ(H->MonthFromText(5784, "אב"), 12);  // a name, not the numeral 3
  EXPECT_EQ(H->MonthFromText(5783, "אב"), 11);
  EXPECT_EQ(H->MonthFromText(5784, "ג"), 3);
  EXPECT_EQ(H->MonthFromText(5784, "2"), 2);  // digits, whatever day number reads "2"
  EXPECT_THROW(H->MonthFromText(5784, "xyz"), EConvertError);
  EXPECT_EQ(TextToDateWithCalendar("טו/ניסן/תשפד"), cxNullDate);  // "/" with month first: order 0
  Locale.Info[LOCALE_SSHORTDATE] = "dd/MMMM/yyyy";
  EXPECT_EQ(TextToDateWithCalendar("טו/ניסן/תשפד"), D(2024, 4, 23));
}
