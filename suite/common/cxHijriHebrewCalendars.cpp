#include "suite/common/cxHijriHebrewCalendars.h"

#include <cstring>

#include "framework/Conversions.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/common/cxDateUtils.h"
#include "suite/common/cxLocaleSource.h"

namespace {

// Whole days between the two calendars' zero: 1 January 0001 is day 1.
const int DayOfYearOne = -693593;

int WeekNumberInTable(TcxCustomCalendarTable* Table, const TcxCalendarDateTime& Parts, int Rule) {
  if (Rule == 0) Rule = StrToIntDef(cxLocaleSource()->LocaleInfo(LOCALE_IFIRSTWEEKOFYEAR, "0"), 0) + 1;
  TcxCalendarDateTime First = CalendarDayParts(-1, Parts.Year, 1, 1);
  int Start = static_cast<int>(DatePortion(Table->WeekStartOfDate(Table->EncodeParts(First))));
  if (Rule == 2 && Table->DecodeToParts(Start).Year < Parts.Year) Start += 7;
  if (Rule == 3 && Table->DecodeToParts(Start + 3).Year < Parts.Year) Start += 7;
  int Day = static_cast<int>(DatePortion(Table->EncodeParts(Parts)));
  if (Day < Start && Parts.Year > Table->FirstSupportedYear()) {
    // Days before the first week belong to the previous year's last week.
    int Year = Parts.Year - 1, Month = Table->MonthCountOf(Year);
    return WeekNumberInTable(Table, CalendarDayParts(-1, Year, Month, Table->DaysOfMonth(Year, Month)), Rule);
  }
  int Week = (Day - Start) / 7 + 1;
  if (Parts.Month == Table->MonthCountOf(Parts.Year)) {
    int L = static_cast<int>(DatePortion(Table->EncodeParts(Table->WeekStartOfParts(Parts))));
    if (Rule == 1 && Table->DecodeToParts(L + 6).Month == 1) return 1;
    if (Rule == 3 && Table->DecodeToParts(L + 3).Month == 1) return 1;
  }
  return Week;
}

void SplitTime(TDateTime Date, TcxCalendarDateTime& Parts) {
  int H, N, S, Z;
  DecodeTime(Date, H, N, S, Z);
  Parts.Hour = static_cast<std::uint8_t>(H);
  Parts.Minute = static_cast<std::uint8_t>(N);
  Parts.Second = static_cast<std::uint8_t>(S);
  Parts.Millisecond = static_cast<std::uint16_t>(Z);
}

TDateTime TimeOf(const TcxCalendarDateTime& Parts) {
  return EncodeTime(Parts.Hour, Parts.Minute, Parts.Second, Parts.Millisecond);
}

struct THebrewYear {
  int JanuaryFirst;
  int Kind;
};
const THebrewYear HebrewYears[657] = {
#include "suite/common/cxHebrewYearTable.inc"
};

const int HebrewMonthLengths[6][13] = {
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},  {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},  {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29}, {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29}};

int StoredKind(int Year) { return Year >= 5343 && Year <= 5999 ? HebrewYears[Year - 5343].Kind : 0; }

bool AllDigits(const std::string& Text) {
  std::string T = Trim(Text);
  if (T.empty()) return false;
  for (char C : T)
    if (C < '0' || C > '9') return false;
  return true;
}

}  // namespace

// Hijri

TcxHijriCalendarTable::TcxHijriCalendarTable() : FDefaultEra(TcxEra::Create(-1, cxNullDate, 0, 1, 9999)) {}
TcxHijriCalendarTable::~TcxHijriCalendarTable() { Free(FDefaultEra); }

// Day 1 of month 1 of year 1.
TDateTime TcxHijriCalendarTable::FirstSupportedDate() { return EncodeDate(622, 7, 18); }
// The last Gregorian day the runtime can hold (in Hijri year 9666).
TDateTime TcxHijriCalendarTable::LastSupportedDate() { return EncodeDate(9999, 12, 31); }

bool TcxHijriCalendarTable::YearIsLeapInEra(int, int Year) {
  switch (((Year % 30) + 30) % 30) {
    case 2: case 5: case 7: case 10: case 13: case 15: case 18: case 21: case 24: case 26: case 29:
      return true;
    default:
      return false;
  }
}

bool TcxHijriCalendarTable::MonthIsLeapInEra(int Era, int Year, int Month) {
  return YearIsLeapInEra(Era, Year) && Month == 12;
}

bool TcxHijriCalendarTable::DayIsLeapInEra(int Era, int Year, int Month, int Day) {
  return MonthIsLeapInEra(Era, Year, Month) && Day == 30;
}

int TcxHijriCalendarTable::DaysOfEraYear(int Era, int Year) { return YearIsLeapInEra(Era, Year) ? 355 : 354; }

int TcxHijriCalendarTable::DaysOfEraMonth(int Era, int Year, int Month) {
  if (MonthIsLeapInEra(Era, Year, Month)) return 30;
  return (Month >= 2 && Month <= 12 && Month % 2 == 0) ? 29 : 30;
}

int TcxHijriCalendarTable::LeapYearsBefore(int CyclePosition) {
  int N = 0;
  for (int I = 1; I <= CyclePosition; ++I)
    if (YearIsLeap(I)) ++N;
  return N;
}

TcxCalendarDateTime TcxHijriCalendarTable::DecodeToParts(TDateTime Date) {
  TcxCalendarDateTime P;
  SplitTime(Date, P);
  int T = static_cast<int>(DatePortion(Date)) - DayOfYearOne + 1;
  int N = T - 227013;
  int C = (30 * N) / 10631;
  int Year = C + 1;
  N = N - 354 * C - 11 * (C / 30) - LeapYearsBefore(C % 30);
  int Month = 1;
  while (DaysOfMonth(Year, Month) < N) {
    N -= DaysOfMonth(Year, Month);
    if (++Month > MonthCountOf(Year)) {
      Month = 1;
      ++Year;
    }
  }
  if (N == 0) {
    --Year;
    Month = MonthCountOf(Year);
    N = DaysOfMonth(Year, Month);
  }
  TcxCalendarDateTime R = CalendarDayParts(-1, Year, Month, N);
  R.Hour = P.Hour;
  R.Minute = P.Minute;
  R.Second = P.Second;
  R.Millisecond = P.Millisecond;
  return R;
}

TDateTime TcxHijriCalendarTable::EncodeParts(const TcxCalendarDateTime& Parts) {
  int A = Parts.Year - 1;
  int Days = 354 * A + 227013 + 11 * (A / 30) + LeapYearsBefore(A % 30) + DayNumberInYear(Parts) + DayOfYearOne - 1;
  return ComposeDateTime(Days, TimeOf(Parts));
}

int TcxHijriCalendarTable::WeekNumberOfParts(const TcxCalendarDateTime& Parts, int, int Rule) {
  return WeekNumberInTable(this, Parts, Rule);
}

int TcxHijriCalendarTable::MonthFromText(int Year, const std::string& Text) {
  for (int I = 1; I <= 12; ++I)
    if (AnsiSameText(MonthNameOfYearMonth(Year, I, this), Text)) return I;
  return TcxCustomCalendarTable::MonthFromText(Year, Text);
}

// Hebrew

TcxHebrewCalendarTable::TcxHebrewCalendarTable() : FDefaultEra(TcxEra::Create(-1, cxNullDate, 0, 1, 9999)) {}
TcxHebrewCalendarTable::~TcxHebrewCalendarTable() { Free(FDefaultEra); }

TDateTime TcxHebrewCalendarTable::FirstSupportedDate() { return EncodeDate(1583, 1, 1); }
TDateTime TcxHebrewCalendarTable::LastSupportedDate() {
  return ComposeDateTime(EncodeDate(2239, 9, 29), EncodeTime(23, 59, 59, 999));
}

int TcxHebrewCalendarTable::YearType(int Year) {
  int K = StoredKind(Year);
  return K > 3 ? K - 3 : K;
}

void TcxHebrewCalendarTable::JanuaryFirstOf(int GregorianYear, int& Day, int& Month) {
  int I = GregorianYear - 1583;
  int Code = (I >= 0 && I < 657) ? HebrewYears[I].JanuaryFirst : 0;
  switch (Code) {
    case 0: Day = 1; Month = 5; break;
    case 31: Day = 2; Month = 5; break;
    case 32: Day = 3; Month = 5; break;
    case 33: Day = 29; Month = 3; break;
    case 30: Day = 30; Month = 3; break;
    default: Day = Code; Month = 4; break;
  }
}

int TcxHebrewCalendarTable::DayDistance(int Row, int Month1, int Day1, int Month2, int Day2) {
  const int* L = HebrewMonthLengths[Row - 1];
  if (Month1 == Month2) return Day2 - Day1;
  if (Month1 < Month2) {
    int R = L[Month1 - 1] - Day1 + Day2;
    for (int M = Month1 + 1; M < Month2; ++M) R += L[M - 1];
    return R;
  }
  int R = L[Month2 - 1] - Day2 + Day1;
  for (int M = Month2 + 1; M < Month1; ++M) R += L[M - 1];
  return -R;
}

int TcxHebrewCalendarTable::NumeralValue(const std::string& Text) {
  std::wstring W = Utf8ToWide(Text);
  auto LetterValue = [](wchar_t C) -> int {
    static const int Values[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  20,  20,  30, 40,
                                   40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
    return (C >= 0x05D0 && C <= 0x05EA) ? Values[C - 0x05D0] : 0;
  };
  int Result = 0;
  for (size_t I = 0; I < W.size(); ++I) {
    int V = LetterValue(W[I]);
    if (V && I + 1 < W.size() && (W[I + 1] == 0x05F3 || W[I + 1] == L'\'')) {
      bool MoreLetters = false;
      for (size_t K = I + 2; K < W.size(); ++K)
        if (LetterValue(W[K])) MoreLetters = true;
      if (MoreLetters) V *= 1000;
    }
    Result += V;
  }
  return Result;
}

int TcxHebrewCalendarTable::MonthCountOfEra(int Era, int Year) { return YearIsLeapInEra(Era, Year) ? 13 : 12; }
bool TcxHebrewCalendarTable::YearIsLeapInEra(int, int Year) { return StoredKind(Year) > 3; }

bool TcxHebrewCalendarTable::MonthIsLeapInEra(int Era, int Year, int Month) {
  return MonthValidInEra(Era, Year, Month) && YearIsLeapInEra(Era, Year) && Month == 7;
}

bool TcxHebrewCalendarTable::DayIsLeapInEra(int Era, int Year, int Month, int Day) {
  return DayValidInEra(Era, Year, Month, Day) && MonthIsLeapInEra(Era, Year, Month);
}

int TcxHebrewCalendarTable::DaysOfEraYear(int Era, int Year) {
  if (!YearValidInEra(Era, Year)) return 0;
  int Days;
  switch (YearType(Year)) {
    case 2: Days = 354; break;
    case 3: Days = 355; break;
    default: Days = 353; break;
  }
  return Days + (YearIsLeapInEra(Era, Year) ? 30 : 0);
}

int TcxHebrewCalendarTable::DaysOfEraMonth(int Era, int Year, int Month) {
  if (!MonthValidInEra(Era, Year, Month)) return 0;
  int Row = YearType(Year) + (YearIsLeapInEra(Era, Year) ? 3 : 0);
  return HebrewMonthLengths[Row - 1][Month - 1];
}

TDateTime TcxHebrewCalendarTable::EncodeParts(const TcxCalendarDateTime& Parts) {
  if (!DayValidInEra(Parts.Era, Parts.Year, Parts.Month, Parts.Day)) return FirstSupportedDate();
  int Row = YearType(Parts.Year) + (YearIsLeap(Parts.Year) ? 3 : 0);
  int G = Parts.Year - 3760;
  int D1, M1;
  JanuaryFirstOf(G, D1, M1);
  int Days = static_cast<int>(EncodeDate(G, 1, 1));
  if (Parts.Month != M1 || Parts.Day != D1) Days += DayDistance(Row, M1, D1, Parts.Month, Parts.Day);
  return ComposeDateTime(Days, TimeOf(Parts));
}

TcxCalendarDateTime TcxHebrewCalendarTable::DecodeToParts(TDateTime Date) {
  if (Date > LastSupportedDate()) Date = LastSupportedDate();
  if (Date < FirstSupportedDate()) Date = FirstSupportedDate();
  TcxCalendarDateTime P;
  SplitTime(Date, P);
  int G, GM, GD;
  DecodeDate(Date, G, GM, GD);
  int Year = G + 3760, Month = 1;
  int Day = static_cast<int>(DatePortion(Date));
  int I = Day - static_cast<int>(DatePortion(EncodeFromYMD(Year, 1, 1))) + 1;
  while (I > DaysOfMonth(Year, Month)) {
    if (++Month > MonthCountOf(Year)) {
      Month = 1;
      ++Year;
    }
    I = Day - static_cast<int>(DatePortion(EncodeFromYMD(Year, Month, 1))) + 1;
  }
  P.Era = -1;
  P.Year = Year;
  P.Month = Month;
  P.Day = I;
  return P;
}

int TcxHebrewCalendarTable::WeekNumberOfParts(const TcxCalendarDateTime& Parts, int, int Rule) {
  return WeekNumberInTable(this, Parts, Rule);
}

int TcxHebrewCalendarTable::DayFromText(const std::string& Text) {
  int N = NumeralValue(Text);
  return N != 0 ? N : TcxCustomCalendarTable::DayFromText(Text);
}

int TcxHebrewCalendarTable::MonthFromText(int Year, const std::string& Text) {
  // Digits are a month number even where a day number text of the locale would
  // read the same; names come before numerals, which some names also spell.
  if (AllDigits(Text)) return TcxCustomCalendarTable::MonthFromText(Year, Text);
  for (int N = 1; N <= 13; ++N)
    if (AnsiSameText(MonthNameOfYearMonth(Year, N, this), Text)) return N;
  int N = NumeralValue(Text);
  if (MonthValid(Year, N)) return N;
  for (int M = 1; M <= 13; ++M)
    if (AnsiSameText(DayNumberTextOf(M, this), Text)) return M;
  return TcxCustomCalendarTable::MonthFromText(Year, Text);
}

int TcxHebrewCalendarTable::YearFromText(const std::string& Text) {
  int N = NumeralValue(Text);
  if (N == 0) return TcxCustomCalendarTable::YearFromText(Text);
  // Without a thousands letter the fifth millennium is meant.
  return N < 1000 ? N + 5000 : N;
}
