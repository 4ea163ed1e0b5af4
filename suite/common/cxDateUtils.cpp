#include "suite/common/cxDateUtils.h"

#include <oleauto.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "framework/Conversions.h"
#include "framework/Exceptions.h"
#include "framework/FormatSettings.h"
#include "framework/OwnedObject.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/common/cxFormats.h"
#include "suite/common/cxHijriHebrewCalendars.h"
#include "suite/common/cxLibraryStrs.h"
#include "suite/common/cxLocaleSource.h"

namespace {

std::string LocaleValue(LCTYPE Type, const std::string& Default) { return cxLocaleSource()->LocaleInfo(Type, Default); }

char LocaleFirstChar(LCTYPE Type, char Default) {
  std::string S = LocaleValue(Type, std::string(1, Default));
  return S.empty() ? Default : S[0];
}

int LocaleRule(int Rule) {
  if (Rule != 0) return Rule;
  return StrToIntDef(LocaleValue(LOCALE_IFIRSTWEEKOFYEAR, "0"), 0) + 1;
}

int YearOf(TDateTime Date) {
  int Y, M, D;
  DecodeDate(Date, Y, M, D);
  return Y;
}

int MonthOf(TDateTime Date) {
  int Y, M, D;
  DecodeDate(Date, Y, M, D);
  return M;
}

bool HasTimePart(TDateTime Date) { return TimePortion(Date) != 0; }

// Replaces every occurrence of Word (letter case ignored) by as many blanks.
void BlankOut(std::string& Text, const std::string& Word) {
  std::string Upper = AnsiUpperCase(Text);
  size_t P = 0;
  while ((P = Upper.find(Word, P)) != std::string::npos) {
    for (size_t I = 0; I < Word.size(); ++I) Text[P + I] = ' ';
    P += Word.size();
  }
}

// Reads up to Separator (or the end) and skips it.
std::string ReadToken(const std::string& Text, size_t& Pos, char Separator) {
  size_t End = Text.find(Separator, Pos);
  if (End == std::string::npos) End = Text.size();
  std::string Token = Trim(Text.substr(Pos, End - Pos));
  Pos = End < Text.size() ? End + 1 : End;
  while (Separator == ' ' && Pos < Text.size() && Text[Pos] == ' ') ++Pos;
  return Token;
}

}  // namespace

TcxCustomCalendarTable* CreateCalendarTable(int CalendarType) {
  switch (CalendarType) {
    case 1:
    case 2:
    case 9:
    case 10:
    case 11:
    case 12: {
      TcxGregorianCalendarTable* T = TcxGregorianCalendarTable::Create();
      T->SetCalendarIdentifier(CalendarType);
      return T;
    }
    case 3: return TcxJapaneseCalendarTable::Create();
    case 4: return TcxTaiwanCalendarTable::Create();
    case 5: return TcxKoreanCalendarTable::Create();
    case 6: return TcxHijriCalendarTable::Create();
    case 7: return TcxThaiCalendarTable::Create();
    case 8: return TcxHebrewCalendarTable::Create();
    default: return TcxGregorianCalendarTable::Create();
  }
}

TcxCustomCalendarTable* CreateLocaleCalendarTable() { return CreateCalendarTable(cxLocaleSource()->CalendarType()); }

bool IsGregorianCalendar(TcxCustomCalendarTable* Table) {
  TOwned<TcxCustomCalendarTable> Own;
  if (!Table) {
    Own.reset(CreateLocaleCalendarTable());
    Table = Own.get();
  }
  int Id = Table->CalendarIdentifier();
  return Id == 1 || Id == 2 || (Id >= 9 && Id <= 12);
}

bool LocaleDateText(std::string& Text, DWORD Flags, const std::string& Format, TDateTime Date) {
  return cxLocaleSource()->DateText(Flags, Format, Date, Text);
}

int GetCalendarInfoText(LCID Locale, CALID Calendar, CALTYPE CalType, std::string& Buffer, DWORD* Value) {
  return cxLocaleSource()->CalendarInfo(Locale, Calendar, CalType, Buffer, Value);
}

bool SmartTextToDate(const std::string& Text, TDateTime& Date) {
  std::string Words[20];
  SmartDateWords(Words);
  std::string T = Trim(Text);
  int Order[20];
  for (int I = 0; I < 20; ++I) Order[I] = I;
  std::stable_sort(Order, Order + 20, [&](int A, int B) {
    if (Words[A].size() != Words[B].size()) return Words[A].size() > Words[B].size();
    return AnsiCompareText(Words[A], Words[B]) > 0;
  });
  int Found = -1;
  std::string Rest;
  for (int I : Order) {
    const std::string& W = Words[I];
    if (W.empty() || T.size() < W.size() || !AnsiSameText(T.substr(0, W.size()), W)) continue;
    // Only the word itself or the word with a day offset: "Monday, 4 March" is a date.
    std::string R = Trim(T.substr(W.size()));
    if (!R.empty() && R[0] != '+' && R[0] != '-') continue;
    Found = I;
    Rest = R;
    break;
  }
  if (Found < 0) return false;
  TDateTime Today = DatePortion(cxLocaleSource()->Today());
  TDateTime Result = Today;
  int Y, M, D;
  DecodeDate(Today, Y, M, D);
  switch (Found) {
    case 0: break;
    case 1: Result = Today - 1; break;
    case 2: Result = Today + 1; break;
    case 17: Result = EncodeDate(Y, M, 1); break;
    case 18: Result = EncodeDate(Y, M, DaysInMonthOf(Y, M)); break;
    case 19: Result = cxLocaleSource()->Now(); break;
    default:
      if (Found <= 9) Result = Today + ((Found - 3) - (DayOfWeek(Today) - 1) + 7) % 7;
      else Result = Today - DayIndexInWeek(Today) + (Found - 10);
      break;
  }
  if (Rest.size() > 1) {
    int Offset;
    if (TryStrToInt(Trim(Rest.substr(1)), Offset)) Result += Rest[0] == '-' ? -Offset : Offset;
  }
  Date = Result;
  return true;
}

void CleanDateText(std::string& Text, bool BlankSeparators) {
  std::vector<std::string> Kept;
  if (BlankSeparators) {
    Kept = {std::string(1, LocaleFirstChar(LOCALE_SDATE, '/')), std::string(1, LocaleFirstChar(LOCALE_STIME, ':')),
            LocaleValue(LOCALE_S1159, "am"), LocaleValue(LOCALE_S2359, "pm")};
  } else {
    Kept = {std::string(1, DateSeparator), std::string(1, TimeSeparator), TimeAMString, TimePMString};
  }
  for (std::string& K : Kept) K = AnsiUpperCase(Trim(K));
  TcxFormatController* FC = FormatController();
  for (const TcxDateTimeFormatInfo* Info : {&FC->GetDateFormatInfo(), &FC->GetTimeFormatInfo()}) {
    for (const TcxDateTimeFormatItem& Item : Info->Items) {
      if (Item.Kind != dtikString) continue;
      std::string W = AnsiUpperCase(Trim(Item.Data));
      if (!W.empty() && std::find(Kept.begin(), Kept.end(), W) == Kept.end()) BlankOut(Text, W);
    }
  }
  Text = Trim(Text);
  std::string Collapsed;
  for (char C : Text)
    if (!(C == ' ' && !Collapsed.empty() && Collapsed.back() == ' ')) Collapsed += C;
  Text = Collapsed;
  if (BlankSeparators) std::replace(Text.begin(), Text.end(), LocaleFirstChar(LOCALE_SDATE, '/'), ' ');
}

TDateTime DisplayTextToDate(const std::string& Text, bool UseRuntimeFormats) {
  std::string T = Trim(Text);
  if (T.empty()) return cxNullDate;
  try {
    if (!IsGregorianCalendar()) return TextToDateWithCalendar(T);
    TDateTime D;
    if (SmartTextToDate(T, D)) return D;
    CleanDateText(T, !UseRuntimeFormats);
    D = UseRuntimeFormats ? StrToDateTime(T) : VarToDateTime(T);
    if (D <= -2147483648.0 || D >= 2147483647.0 || DatePortion(D) == 0 || D >= 2958466.0) return cxNullDate;
    return D;
  } catch (...) {
    return cxNullDate;
  }
}

void ParseEraDateText(const std::string& Text, const TcxEraDateSettings& Settings, TcxCustomCalendarTable* Table,
                      TcxCalendarDateTime& Parts) {
  std::string T = Trim(Text);
  int EraOffset = 0;
  bool EraGiven = false;
  if (!Settings.ShortDateFormat.empty() && (Settings.ShortDateFormat[0] | 0x20) == 'g') {
    size_t Digit = T.find_first_of("0123456789");
    std::string Name = Trim(T.substr(0, Digit));
    for (const TFormatEra& E : EraRanges)
      if (!Name.empty() && E.Name.find(Name) != std::string::npos) {
        EraOffset = E.YearOffset;
        EraGiven = true;
        break;
      }
    T = Digit == std::string::npos ? std::string() : T.substr(Digit);
  } else if (Settings.ShortDateFormat.find_first_of("eE") != std::string::npos && !EraRanges.empty()) {
    EraOffset = EraRanges[0].YearOffset;
    EraGiven = true;
  }
  int Order = DateOrderOf(Settings.ShortDateFormat);
  int MonthToken = Order == 0 ? 0 : 1;
  std::string Tokens[3];
  size_t Pos = 0;
  for (int I = 0; I < 3; ++I) {
    char Sep = I < 2 ? Settings.DateSeparator : ' ';
    Tokens[I] = ReadToken(T, Pos, Sep);
    // A month name with a blank in it, when blanks separate the parts.
    if (I == MonthToken && Settings.DateSeparator == ' ' && Pos < T.size() &&
        !std::isdigit(static_cast<unsigned char>(T[Pos])))
      Tokens[I] += " " + ReadToken(T, Pos, Sep);
  }
  const int YearIndex[3] = {2, 2, 0}, MonthIndex[3] = {0, 1, 1}, DayIndex[3] = {1, 0, 2};
  int Year = Table->YearFromText(Tokens[YearIndex[Order]]);
  Parts = TcxCalendarDateTime();
  Parts.Month = Table->MonthFromText(Year, Tokens[MonthIndex[Order]]);
  Parts.Day = Table->DayFromText(Tokens[DayIndex[Order]]);
  if (EraGiven) {
    // The era named in the text fixes the Gregorian year; the table's own era of
    // that day then counts it.
    int G = Year + EraOffset;
    Parts.Era = Table->EraOfDate(G, Parts.Month, Parts.Day);
    Parts.Year = G - Table->EraYearOffset(Parts.Era);
  } else {
    Parts.Era = -1;
    Parts.Year = Year;
  }
  std::string Rest = Trim(T.substr(std::min(Pos, T.size())));
  if (!Rest.empty()) {
    int H, N, S, Z;
    DecodeTime(StrToTime(Rest), H, N, S, Z);
    Parts.Hour = static_cast<std::uint8_t>(H);
    Parts.Minute = static_cast<std::uint8_t>(N);
    Parts.Second = static_cast<std::uint8_t>(S);
    Parts.Millisecond = static_cast<std::uint16_t>(Z);
  }
}

TDateTime TextToDateWithCalendar(const std::string& Text) {
  int Type = cxLocaleSource()->CalendarType();
  if (Type < 3 || Type > 8) return DisplayTextToDate(Text, false);
  TOwned<TcxCustomCalendarTable> Table(CreateCalendarTable(Type));
  TcxEraDateSettings S;
  S.DateSeparator = LocaleFirstChar(LOCALE_SDATE, '/');
  S.ShortDateFormat = LocaleValue(LOCALE_SSHORTDATE, ShortDateFormat);
  S.LongDateFormat = LocaleValue(LOCALE_SLONGDATE, LongDateFormat);
  S.TimeSeparator = LocaleFirstChar(LOCALE_STIME, ':');
  S.LongTimeFormat = LocaleValue(LOCALE_STIMEFORMAT, LongTimeFormat);
  S.TimeAMString = LocaleValue(LOCALE_S1159, TimeAMString);
  S.TimePMString = LocaleValue(LOCALE_S2359, TimePMString);
  TcxCalendarDateTime Parts;
  try {
    ParseEraDateText(Text, S, Table.get(), Parts);
    return Table->EncodeParts(Parts);
  } catch (...) {
    return cxNullDate;
  }
}

void DateToDisplayText(bool FourDigitYear, bool UseRuntimeFormats, std::string& Text, TDateTime Date) {
  Text.clear();
  if (Date == cxNullDate) return;
  std::string Format;
  if (UseRuntimeFormats) {
    Format = ShortDateFormat;
    if (HasTimePart(Date)) Format += " " + LongTimeFormat;
  } else {
    Format = LocaleValue(LOCALE_SSHORTDATE, ShortDateFormat);
  }
  if (FourDigitYear) {
    std::string Lower = LowerCase(Format);
    size_t P = Lower.find("yy");
    if (P != std::string::npos && Lower.find("yyy") == std::string::npos) Format.insert(P + 2, 2, Format[P]);
  }
  if (UseRuntimeFormats) {
    Text = FormatDateTime(Format, Date);
    return;
  }
  if (cxLocaleSource()->DateText(0, Format, Date, Text)) {
    std::string Time;
    if (HasTimePart(Date) && cxLocaleSource()->TimeText(Date, Time)) Text += " " + Time;
    return;
  }
  BSTR B = nullptr;
  if (SUCCEEDED(VarBstrFromDate(Date, LOCALE_USER_DEFAULT, 0, &B)) && B) {
    Text = WideToUtf8(std::wstring_view(B, SysStringLen(B)));
    SysFreeString(B);
  }
}

std::string MonthNameOf(TcxCustomCalendarTable* Table, TDateTime Date) {
  TOwned<TcxCustomCalendarTable> Own;
  if (!Table) {
    Own.reset(CreateLocaleCalendarTable());
    Table = Own.get();
  }
  if (!(IsGregorianCalendar(Table) && FormatController()->GetUseRuntimeFormats())) {
    TcxCalendarDateTime P = Table->DecodeToParts(Date);
    P.Day = 1;
    std::string Text;
    if (LocaleDateText(Text, 0, "MMMM", Table->EncodeParts(P))) return Text;
  }
  return LongMonthNames[MonthOf(Date) - 1];
}

std::string MonthNameOfYearMonth(int Year, int Month, TcxCustomCalendarTable* Table) {
  TOwned<TcxCustomCalendarTable> Own;
  if (!Table) {
    Own.reset(CreateLocaleCalendarTable());
    Table = Own.get();
  }
  if (IsGregorianCalendar(Table) && FormatController()->GetUseRuntimeFormats())
    return Month >= 1 && Month <= 12 ? LongMonthNames[Month - 1] : std::string();
  if (!Table->MonthValid(Year, Month)) return {};
  return MonthNameOf(Table, Table->EncodeFromYMD(Year, Month, 1));
}

std::string DayNumberText(TDateTime Date) {
  std::string Text;
  if (LocaleDateText(Text, 0, "d", Date)) return Text;
  return FormatDateTime("d", Date);
}

std::string DayNumberTextOf(int Day, TcxCustomCalendarTable* Table) {
  TOwned<TcxCustomCalendarTable> Own;
  if (!Table) {
    Own.reset(CreateLocaleCalendarTable());
    Table = Own.get();
  }
  return DayNumberText(Table->EncodeParts(CalendarDayParts(0, Table->FirstSupportedYear(), 1, Day)));
}

void PrevMonthOf(int& Year, int& Month) {
  if (--Month < 1) {
    Month = 12;
    --Year;
  }
}

void NextMonthOf(int& Year, int& Month) {
  if (++Month > 12) {
    Month = 1;
    ++Year;
  }
}

void ShiftYearMonth(int& Year, int& Month, int Delta) {
  Year += Delta / 12;
  int M = Month + Delta % 12;
  if (M <= 0) {
    --Year;
    M += 12;
  } else if (M > 12) {
    ++Year;
    M -= 12;
  }
  Month = M;
}

int DatePartOf(int Element, TcxCustomCalendarTable* Calendar, TDateTime Date) {
  int Y, M, D;
  if (Calendar) {
    TcxCalendarDateTime P = Calendar->DecodeToParts(Date);
    Y = P.Year;
    M = P.Month;
    D = P.Day;
  } else {
    DecodeDate(Date, Y, M, D);
  }
  return Element == 0 ? Y : Element == 1 ? M : D;
}

bool IsGregorianLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInMonthOf(int Year, int Month) {
  static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsGregorianLeapYear(Year) ? 29 : Days[Month - 1];
}

int ClampDayOfMonth(int Year, int Month, int Day) {
  if (Day <= 0) return 1;
  return std::min(Day, DaysInMonthOf(Year, Month));
}

TDateTime TimePortion(TDateTime Date) {
  double Whole = std::trunc(Date);
  std::int64_t Ms = std::llround(std::fabs(Date - Whole) * MSecsPerDay);
  if (Ms >= MSecsPerDay) Ms = 0;
  return static_cast<double>(Ms) / MSecsPerDay;
}

TDateTime DatePortion(TDateTime Date) {
  double Whole = std::trunc(Date);
  std::int64_t Ms = std::llround(std::fabs(Date - Whole) * MSecsPerDay);
  if (Ms >= MSecsPerDay) Whole += Date < 0 ? -1 : 1;
  return Whole;
}

int LocaleFirstWeekDay() {
  int Day = StrToIntDef(LocaleValue(LOCALE_IFIRSTDAYOFWEEK, "0"), 0) + 1;
  return Day == 7 ? 0 : Day;
}

int DayIndexInWeek(TDateTime Date) {
  return ((DayOfWeek(Date) - 1 - FormatController()->GetFirstDayOfWeek()) % 7 + 7) % 7;
}

TDateTime WeekStartContaining(TDateTime Date, int FirstDay) {
  return DatePortion(Date) - ((DayOfWeek(Date) - 1 - FirstDay) % 7 + 7) % 7;
}

int WeekOfYearOf(int FirstDay, int Rule, TDateTime Date) {
  Rule = LocaleRule(Rule);
  int Year = YearOf(Date);
  TDateTime Start = WeekStartContaining(EncodeDate(Year, 1, 1), FirstDay);
  if (Rule == 2 && YearOf(Start) < Year) Start += 7;
  if (Rule == 3 && YearOf(Start + 3) < Year) Start += 7;
  TDateTime Day = DatePortion(Date);
  // Days before the first week belong to the previous year's last week.
  if (Day < Start && Year > 1) return WeekOfYearOf(FirstDay, Rule, EncodeDate(Year - 1, 12, 31));
  int Week = static_cast<int>(Day - Start) / 7 + 1;
  if (MonthOf(Date) == 12) {
    TDateTime L = WeekStartContaining(Date, FirstDay);
    if (Rule == 1 && MonthOf(L + 6) == 1) return 1;
    if (Rule == 3 && MonthOf(L + 3) == 1) return 1;
  }
  return Week;
}

int DateOrderOf(const std::string& Format) {
  for (char C : Format) {
    char L = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    if (L == 'd') return 1;
    if (L == 'e' || L == 'y') return 2;
    if (L == 'm') return 0;
  }
  return 0;
}
