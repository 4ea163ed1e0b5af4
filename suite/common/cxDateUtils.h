// Dates to and from the text a user types or reads, in the locale's calendar, with
// the smart date words ("today", "monday", "eom", "now" ... with an optional day
// offset such as "+3"), and the small date arithmetic of the calendar controls.
// The null date (cxNullDate) stands for no date both ways.
#pragma once

#include <windows.h>

#include <string>

#include "framework/DateTime.h"
#include "suite/common/cxCalendarTables.h"

// The table for a calendar identifier (the caller frees it); unknown identifiers
// give the Gregorian one.
TcxCustomCalendarTable* CreateCalendarTable(int CalendarType);
TcxCustomCalendarTable* CreateLocaleCalendarTable();
// A null table means the locale's calendar.
bool IsGregorianCalendar(TcxCustomCalendarTable* Table = nullptr);

TDateTime DisplayTextToDate(const std::string& Text, bool UseRuntimeFormats);
void DateToDisplayText(bool FourDigitYear, bool UseRuntimeFormats, std::string& Text, TDateTime Date);
bool SmartTextToDate(const std::string& Text, TDateTime& Date);
bool LocaleDateText(std::string& Text, DWORD Flags, const std::string& Format, TDateTime Date);
// Blanks out the literal words of the locale's date and time pictures and, when
// asked, its date separator, so that what is left converts.
void CleanDateText(std::string& Text, bool BlankSeparators);
TDateTime TextToDateWithCalendar(const std::string& Text);

// The settings that era text is read with.
struct TcxEraDateSettings {
  char DateSeparator = '/';
  std::string ShortDateFormat;
  std::string LongDateFormat;
  char TimeSeparator = ':';
  std::string LongTimeFormat;
  std::string TimeAMString;
  std::string TimePMString;
  int TwoDigitYearWindow = 50;
};
// Reads era date text into Parts; raises EConvertError for tokens that are no date.
void ParseEraDateText(const std::string& Text, const TcxEraDateSettings& Settings, TcxCustomCalendarTable* Table,
                      TcxCalendarDateTime& Parts);

std::string MonthNameOf(TcxCustomCalendarTable* Table, TDateTime Date);
std::string MonthNameOfYearMonth(int Year, int Month, TcxCustomCalendarTable* Table);
std::string DayNumberText(TDateTime Date);
std::string DayNumberTextOf(int Day, TcxCustomCalendarTable* Table);
// GetCalendarInfo through the locale source: 0 when unavailable.
int GetCalendarInfoText(LCID Locale, CALID Calendar, CALTYPE CalType, std::string& Buffer, DWORD* Value);

void PrevMonthOf(int& Year, int& Month);
void NextMonthOf(int& Year, int& Month);
void ShiftYearMonth(int& Year, int& Month, int Delta);
// Element 0 year, 1 month, 2 day; a null Calendar means Gregorian.
int DatePartOf(int Element, TcxCustomCalendarTable* Calendar, TDateTime Date);
bool IsGregorianLeapYear(int Year);
int DaysInMonthOf(int Year, int Month);
int ClampDayOfMonth(int Year, int Month, int Day);
TDateTime TimePortion(TDateTime Date);
TDateTime DatePortion(TDateTime Date);
// Days since the start of the week (the format controller's first day), 0 to 6.
int DayIndexInWeek(TDateTime Date);
// The locale's first day of the week, 0 Sunday .. 6 Saturday.
int LocaleFirstWeekDay();
TDateTime WeekStartContaining(TDateTime Date, int FirstDay);
// Rule 0 the locale's; 1 the week holding 1 January, 2 the first full week, 3 the
// first week of four days or more.
int WeekOfYearOf(int FirstDay, int Rule, TDateTime Date);
// 0 month first, 1 day first, 2 year first.
int DateOrderOf(const std::string& Format);
