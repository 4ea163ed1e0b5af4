#include "suite/common/cxCalendarTables.h"

#include "framework/Conversions.h"
#include "framework/Exceptions.h"
#include "framework/FormatSettings.h"
#include "framework/StringUtils.h"
#include "suite/common/cxDateUtils.h"

void TcxEra::Assign(TPersistent* Source) {
  if (auto* E = dynamic_cast<TcxEra*>(Source)) {
    FEra = E->FEra;
    FMaxEraYear = E->FMaxEraYear;
    FMinEraYear = E->FMinEraYear;
    FStartDate = E->FStartDate;
    FYearOffset = E->FYearOffset;
    return;
  }
  TPersistent::Assign(Source);
}

TcxCustomCalendarTable::TcxCustomCalendarTable() : FEras(TcxEras::Create()) {}

TcxCustomCalendarTable::~TcxCustomCalendarTable() {
  FEras->Clear();
  Free(FEras);
}

int TcxCustomCalendarTable::EraYearOffset(int Era) {
  if (Era == -1) return DefaultEra() ? DefaultEra()->GetYearOffset() : 0;
  if (Era >= 0 && Era < FEras->GetCount()) return FEras->GetItem(Era)->GetYearOffset();
  return 0;
}

void TcxCustomCalendarTable::NormalizeEraYear(int& Year, int& Era) { NormalizeEraYearOn(Year, Era, 1, 1); }

void TcxCustomCalendarTable::NormalizeEraYearOn(int& Year, int& Era, int Month, int Day) {
  int G = Year + EraYearOffset(Era);
  Era = EraOfDate(G, Month, Day);
  Year = Era >= 0 ? G - EraYearOffset(Era) : G;
}

void TcxCustomCalendarTable::ClampSupported(TDateTime& Date) {
  if (Date < FirstSupportedDate()) Date = FirstSupportedDate();
  if (Date > LastSupportedDate()) Date = LastSupportedDate();
}

TDateTime TcxCustomCalendarTable::ShiftDays(const TcxCalendarDateTime& Parts, int Count) {
  TDateTime R = EncodeParts(Parts);
  R = ComposeDateTime(DatePortion(R) + Count, TimePortion(R));
  ClampSupported(R);
  return R;
}

TDateTime TcxCustomCalendarTable::ShiftMonthsOf(TDateTime Date, int Count) {
  return ShiftMonths(DecodeToParts(Date), Count);
}

TDateTime TcxCustomCalendarTable::ShiftMonths(const TcxCalendarDateTime& Parts, int Count) {
  if (!PartsValid(Parts)) return FirstSupportedDate();
  int Era = Parts.Era, Year = Parts.Year, Day = Parts.Day;
  int M = Parts.Month + Count;
  int Direction = M > MonthCountOfEra(Era, Year) ? -1 : 1;
  // Each year's own month count, so that 13-month years walk correctly.
  while (M > MonthCountOfEra(Era, Year) || M <= 0) {
    if (Direction == 1) {
      M += MonthCountOfEra(Era, Year - 1);
      --Year;
    } else {
      M -= MonthCountOfEra(Era, Year);
      ++Year;
    }
  }
  if (!DayValidInEra(Era, Year, M, Day)) Day = DaysOfEraMonth(Era, Year, M);
  NormalizeEraYearOn(Year, Era, M, Day);
  TcxCalendarDateTime P = Parts;
  P.Era = Era;
  P.Year = Year;
  P.Month = M;
  P.Day = Day;
  if (!PartsValid(P)) return FirstSupportedDate();
  TDateTime R = EncodeParts(P);
  ClampSupported(R);
  return R;
}

TDateTime TcxCustomCalendarTable::ShiftYearsOf(TDateTime Date, int Count) {
  return ShiftYears(DecodeToParts(Date), Count);
}

TDateTime TcxCustomCalendarTable::ShiftYears(const TcxCalendarDateTime& Parts, int Count) {
  if (!PartsValid(Parts)) return FirstSupportedDate();
  int Y = Parts.Year + Count, E = Parts.Era;
  NormalizeEraYear(Y, E);
  if (!YearValidInEra(E, Y)) return FirstSupportedDate();
  TcxCalendarDateTime P = Parts;
  if (!MonthValidInEra(E, Y, P.Month)) P.Month = MonthCountOfEra(E, Y);
  if (!DayValidInEra(E, Y, P.Month, P.Day)) P.Day = DaysOfEraMonth(E, Y, P.Month);
  NormalizeEraYearOn(Y, E, P.Month, P.Day);
  P.Era = E;
  P.Year = Y;
  TDateTime R = EncodeParts(P);
  ClampSupported(R);
  return R;
}

TDateTime TcxCustomCalendarTable::ShiftWeeksOf(TDateTime Date, int Count) {
  return ShiftWeeks(DecodeToParts(Date), Count);
}

TDateTime TcxCustomCalendarTable::ShiftWeeks(const TcxCalendarDateTime& Parts, int Count) {
  TDateTime R = ShiftDays(Parts, 7 * Count);
  ClampSupported(R);
  return R;
}

TcxCalendarDateTime TcxCustomCalendarTable::DecodeYMD(int Year, int Month, int Day) {
  return DecodeYMDHMS(Year, Month, Day, 0, 0, 0, 0);
}

TcxCalendarDateTime TcxCustomCalendarTable::DecodeYMDHMS(int Year, int Month, int Day, int Hour, int Minute,
                                                         int Second, int Millisecond) {
  return DecodeToParts(ComposeDateTime(EncodeDate(Year, Month, Day), EncodeTime(Hour, Minute, Second, Millisecond)));
}

int TcxCustomCalendarTable::DayNumberInYearOf(TDateTime Date) { return DayNumberInYear(DecodeToParts(Date)); }

int TcxCustomCalendarTable::DayNumberInYear(const TcxCalendarDateTime& Parts) {
  int R = Parts.Day;
  for (int M = 1; M < Parts.Month; ++M) R += DaysOfMonth(Parts.Year, M);
  return R;
}

int TcxCustomCalendarTable::DaysOfMonth(int Year, int Month) { return DaysOfEraMonth(-1, Year, Month); }
int TcxCustomCalendarTable::DaysOfYear(int Year) { return DaysOfEraYear(-1, Year); }
int TcxCustomCalendarTable::EraOfYear(int Year) { return EraOfDate(Year, 1, 1); }

int TcxCustomCalendarTable::EraOfDate(int Year, int Month, int Day) {
  if (FEras->GetCount() == 0) return -1;
  TDateTime D = EncodeDate(Year, Month, Day);
  int Result = -1;
  for (int I = 0; I < FEras->GetCount(); ++I)
    if (FEras->GetItem(I)->GetStartDate() <= D) Result = I;
  return Result;
}

TDateTime TcxCustomCalendarTable::WeekStartOfDate(TDateTime Date) {
  return EncodeParts(WeekStartOfParts(DecodeToParts(Date)));
}

TDateTime TcxCustomCalendarTable::WeekStartOnDay(int StartDay, TDateTime Date) {
  int W = WeekDayOfDate(Date);
  int Shift = StartDay - W - (W < StartDay ? 7 : 0);
  return ComposeDateTime(DatePortion(Date) + Shift, TimePortion(Date));
}

TcxCalendarDateTime TcxCustomCalendarTable::WeekStartOfParts(const TcxCalendarDateTime& Parts) {
  int W = WeekDayOfParts(Parts), F = WeekStartDay();
  return DecodeToParts(ShiftDays(Parts, F - W - (W < F ? 7 : 0)));
}

TcxCalendarDateTime TcxCustomCalendarTable::WeekStartOfPartsOnDay(const TcxCalendarDateTime& Parts, int StartDay) {
  return DecodeToParts(WeekStartOnDay(StartDay, EncodeParts(Parts)));
}

int TcxCustomCalendarTable::MonthCountOf(int Year) { return MonthCountOfEra(-1, Year); }
int TcxCustomCalendarTable::YearOfDate(TDateTime Date) { return DecodeToParts(Date).Year; }
int TcxCustomCalendarTable::WeekDayOfDate(TDateTime Date) { return DayOfWeek(Date) - 1; }
int TcxCustomCalendarTable::WeekDayOfParts(const TcxCalendarDateTime& Parts) {
  return WeekDayOfDate(EncodeParts(Parts));
}
int TcxCustomCalendarTable::WeekNumberOfDate(TDateTime Date, int StartDay, int Rule) {
  return WeekNumberOfParts(DecodeToParts(Date), StartDay, Rule);
}
bool TcxCustomCalendarTable::DayIsLeap(int Year, int Month, int Day) { return DayIsLeapInEra(-1, Year, Month, Day); }
bool TcxCustomCalendarTable::MonthIsLeap(int Year, int Month) { return MonthIsLeapInEra(-1, Year, Month); }
bool TcxCustomCalendarTable::YearIsLeap(int Year) { return YearIsLeapInEra(-1, Year); }
bool TcxCustomCalendarTable::YearValid(int Year) { return YearValidInEra(-1, Year); }
bool TcxCustomCalendarTable::YearValidInEra(int, int Year) {
  return FirstSupportedYear() <= Year && Year <= LastSupportedYear();
}
bool TcxCustomCalendarTable::MonthValid(int Year, int Month) { return MonthValidInEra(-1, Year, Month); }
bool TcxCustomCalendarTable::MonthValidInEra(int Era, int Year, int Month) {
  return YearValidInEra(Era, Year) && Month >= 1 && Month <= MonthCountOfEra(Era, Year);
}
bool TcxCustomCalendarTable::DayValid(int Year, int Month, int Day) { return DayValidInEra(-1, Year, Month, Day); }
bool TcxCustomCalendarTable::DayValidInEra(int Era, int Year, int Month, int Day) {
  return MonthValidInEra(Era, Year, Month) && Day >= 1 && Day <= DaysOfEraMonth(Era, Year, Month);
}
bool TcxCustomCalendarTable::DateTimeValid(TDateTime Date) {
  TcxCalendarDateTime P = DecodeToParts(Date);
  return DayValid(P.Year, P.Month, P.Day);
}

TDateTime TcxCustomCalendarTable::EncodeFromDate(const TcxCalendarDate& Date) {
  return EncodeParts(CalendarDayParts(Date.Era, Date.Year, Date.Month, Date.Day));
}

TDateTime TcxCustomCalendarTable::EncodeFromYMD(int Year, int Month, int Day) {
  return EncodeFromYMDHMS(Year, Month, Day, 0, 0, 0, 0);
}

TDateTime TcxCustomCalendarTable::EncodeFromYMDHMS(int Year, int Month, int Day, int Hour, int Minute, int Second,
                                                   int Millisecond) {
  TcxCalendarDateTime P = CalendarDayParts(-1, Year, Month, Day);
  P.Hour = static_cast<std::uint8_t>(Hour);
  P.Minute = static_cast<std::uint8_t>(Minute);
  P.Second = static_cast<std::uint8_t>(Second);
  P.Millisecond = static_cast<std::uint16_t>(Millisecond);
  return EncodeParts(P);
}

int TcxCustomCalendarTable::DayFromText(const std::string& Text) { return StrToInt(Text); }

int TcxCustomCalendarTable::MonthFromText(int, const std::string& Text) {
  for (int I = 0; I < 12; ++I)
    if (AnsiSameText(LongMonthNames[I], Text) || AnsiSameText(ShortMonthNames[I], Text)) return I + 1;
  return StrToInt(Text);
}

int TcxCustomCalendarTable::YearFromText(const std::string& Text) {
  int N = StrToInt(Text);
  if (Text.size() > 2) return N;
  std::string Unused;
  DWORD Max = 0;
  if (!GetCalendarInfoText(GetThreadLocale(), static_cast<CALID>(CalendarIdentifier()),
                           CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, Unused, &Max))
    return ExpandTwoDigitYear(N);
  int X = static_cast<int>(Max);
  int R = N + X / 100 * 100;
  if (X % 100 < N) R -= 100;
  return R;
}

// Gregorian

TcxGregorianCalendarTable::TcxGregorianCalendarTable()
    : FDefaultEra(TcxEra::Create(-1, cxNullDate, 0, 1, 9999)), FCalendarIdentifier(1) {}

TcxGregorianCalendarTable::~TcxGregorianCalendarTable() {
  if (FDefaultEra) Free(FDefaultEra);
}

TDateTime TcxGregorianCalendarTable::FirstSupportedDate() { return -657434.0; }

TDateTime TcxGregorianCalendarTable::LastSupportedDate() {
  return ComposeDateTime(EncodeDate(9999, 12, 31), EncodeTime(23, 59, 59, 999));
}

int TcxGregorianCalendarTable::WeekStartDay() {
  switch (CalendarIdentifier()) {
    case 9:
    case 11:
    case 12:
      return 1;
    case 10:
      return 6;
    default:
      return 0;
  }
}

TcxCalendarDateTime TcxGregorianCalendarTable::DecodeToParts(TDateTime Date) {
  int Y, M, D, H, N, S, Z;
  DecodeDate(Date, Y, M, D);
  DecodeTime(Date, H, N, S, Z);
  TcxCalendarDateTime P;
  P.Era = -1;
  P.Year = Y;
  P.Month = M;
  P.Day = D;
  P.Hour = static_cast<std::uint8_t>(H);
  P.Minute = static_cast<std::uint8_t>(N);
  P.Second = static_cast<std::uint8_t>(S);
  P.Millisecond = static_cast<std::uint16_t>(Z);
  return P;
}

TDateTime TcxGregorianCalendarTable::EncodeParts(const TcxCalendarDateTime& Parts) {
  return ComposeDateTime(EncodeDate(Parts.Year, Parts.Month, Parts.Day),
                         EncodeTime(Parts.Hour, Parts.Minute, Parts.Second, Parts.Millisecond));
}

int TcxGregorianCalendarTable::DaysOfEraMonth(int Era, int Year, int Month) {
  switch (Month) {
    case 2:
      return YearIsLeapInEra(Era, Year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

int TcxGregorianCalendarTable::DaysOfEraYear(int Era, int Year) { return YearIsLeapInEra(Era, Year) ? 366 : 365; }

bool TcxGregorianCalendarTable::YearIsLeapInEra(int Era, int Year) {
  return IsGregorianLeapYear(Year + EraYearOffset(Era));
}

bool TcxGregorianCalendarTable::MonthIsLeapInEra(int Era, int Year, int Month) {
  return YearIsLeapInEra(Era, Year) && Month == 2;
}

bool TcxGregorianCalendarTable::DayIsLeapInEra(int Era, int Year, int Month, int Day) {
  return MonthIsLeapInEra(Era, Year, Month) && Day == 29;
}

int TcxGregorianCalendarTable::CompleteWeeksOfYear(int Year) {
  // The year is read in the default era.
  int D = ((WeekDayOfParts(CalendarDayParts(-1, Year, 1, 1)) - WeekStartDay()) % 7 + 7) % 7;
  return ((YearIsLeap(Year) && D >= 5) || D >= 6) ? 53 : 52;
}

int TcxGregorianCalendarTable::WeekNumberOfParts(const TcxCalendarDateTime& Parts, int StartDay, int Rule) {
  return WeekOfYearOf(StartDay, Rule, EncodeParts(Parts));
}

// Era calendars

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable() : TcxGregorianCalendarTable(TNoDefaultEra{}) {
  GetEras()->Add(TcxEra::Create(1, EncodeDate(1868, 9, 8), 1867, 1, 45));
  GetEras()->Add(TcxEra::Create(2, EncodeDate(1912, 7, 30), 1911, 1, 15));
  GetEras()->Add(TcxEra::Create(3, EncodeDate(1926, 12, 25), 1925, 1, 64));
  GetEras()->Add(TcxEra::Create(4, EncodeDate(1989, 1, 8), 1988, 1, 8011));
}

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable(int Era, TDateTime Start, int Offset, int MinYear, int MaxYear)
    : TcxGregorianCalendarTable(TNoDefaultEra{}) {
  GetEras()->Add(TcxEra::Create(Era, Start, Offset, MinYear, MaxYear));
}

TcxEra* TcxJapaneseCalendarTable::DefaultEra() { return GetEras()->GetItem(GetEras()->GetCount() - 1); }
TDateTime TcxJapaneseCalendarTable::FirstSupportedDate() { return GetEras()->GetItem(0)->GetStartDate(); }
TDateTime TcxJapaneseCalendarTable::LastSupportedDate() { return EncodeDate(9999, 12, 31); }
int TcxJapaneseCalendarTable::FirstSupportedYear() { return GetEras()->GetItem(0)->GetMinEraYear(); }
int TcxJapaneseCalendarTable::LastSupportedYear() { return DefaultEra()->GetMaxEraYear(); }

TcxCalendarDateTime TcxJapaneseCalendarTable::DecodeToParts(TDateTime Date) {
  TcxCalendarDateTime P = TcxGregorianCalendarTable::DecodeToParts(Date);
  int G = P.Year;
  P.Era = EraOfDate(G, P.Month, P.Day);
  P.Year = G - EraYearOffset(P.Era);
  return P;
}

TDateTime TcxJapaneseCalendarTable::EncodeParts(const TcxCalendarDateTime& Parts) {
  if (!PartsValid(Parts)) return FirstSupportedDate();
  return ComposeDateTime(EncodeDate(Parts.Year + EraYearOffset(Parts.Era), Parts.Month, Parts.Day),
                         EncodeTime(Parts.Hour, Parts.Minute, Parts.Second, Parts.Millisecond));
}

TcxTaiwanCalendarTable::TcxTaiwanCalendarTable() : TcxJapaneseCalendarTable(1, EncodeDate(1912, 1, 1), 1911, 1, 8088) {}
TcxKoreanCalendarTable::TcxKoreanCalendarTable() : TcxJapaneseCalendarTable(0, EncodeDate(1, 1, 1), -2333, 2334, 12332) {}
TcxThaiCalendarTable::TcxThaiCalendarTable() : TcxJapaneseCalendarTable(0, EncodeDate(1, 1, 1), -543, 544, 10542) {}
