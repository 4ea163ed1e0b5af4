// Dates and times as TDateTime: days since 30 Dec 1899 with the time of day as the
// fraction. Before that day the value is negative but the fraction still counts
// forward from midnight: -1.25 is 29 Dec 1899 06:00.
//
//   TDateTime d = EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 0, 0);
//   FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", d);  DayOfWeek(d) (1 = Sunday)
// Invalid parts raise EConvertError ("Invalid argument to date encode"); text that is
// no date or time raises EConvertError ("'%s' is not a valid time").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <windows.h>

using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
TDateTime EncodeDate(int Year, int Month, int Day);
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
// Joins a date and a time of day, honouring the negative-date rule above.
TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);
int DayOfWeek(TDateTime Date);  // 1 Sunday .. 7 Saturday
TDateTime IncMonth(TDateTime Date, int NumberOfMonths = 1);

TDateTime Now();
TDateTime Date();
TDateTime Time();
TDateTime NowUTC();
TDateTime SystemTimeToDateTime(const SYSTEMTIME& ST);
SYSTEMTIME DateTimeToSystemTime(TDateTime DT);
TDateTime LocalToUTC(TDateTime Local);
TDateTime UTCToLocal(TDateTime UTC);
TDateTime FileTimeToDateTime(const FILETIME& FT);  // UTC in, local out

// Pictures: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes after h), yy yyyy,
// h hh n nn s ss z zzz, c t tt, am/pm a/p ampm, g (era name) e ee (era year), '/' and ':' (the locale separators),
// quoted text.
std::string FormatDateTime(std::string_view Format, TDateTime DateTime);
std::string DateToStr(TDateTime Date);
std::string TimeToStr(TDateTime Time);
std::string DateTimeToStr(TDateTime DateTime);
TDateTime StrToTime(std::string_view S);
bool TryStrToTime(std::string_view S, TDateTime& Value);
TDateTime StrToDate(std::string_view S);
bool TryStrToDate(std::string_view S, TDateTime& Value);
TDateTime StrToDateTime(std::string_view S);
// A two-digit year as text means: within TwoDigitYearWindow years after this year.
int ExpandTwoDigitYear(int Year);
// Reads text the way the system's OLE date conversion does (in the user's locale);
// raises EVariantError for text that is no date.
TDateTime VarToDateTime(std::string_view OleText);
