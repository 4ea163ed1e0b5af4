// Locale globals used by the conversions and date routines. They are read from the
// user's locale at start-up and may be set by the program (tests set them to fixed
// values). GetFormatSettings() reads them from the system again.
#pragma once

#include <string>
#include <vector>

extern char DecimalSeparator;
extern char ThousandSeparator;  // 0: no grouping
extern char DateSeparator;
extern char TimeSeparator;
extern char ListSeparator;
extern std::string CurrencyString;
extern int CurrencyFormat;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
extern int NegCurrFormat;   // 0..15 as in the system's negative currency patterns
extern int CurrencyDecimals;
extern std::string ShortDateFormat;
extern std::string LongDateFormat;
extern std::string ShortTimeFormat;
extern std::string LongTimeFormat;
extern std::string TimeAMString;
extern std::string TimePMString;
extern std::string ShortMonthNames[12];
extern std::string LongMonthNames[12];
extern std::string ShortDayNames[7];  // Sunday first
extern std::string LongDayNames[7];

// Eras of the locale's calendar, by start date (empty for a Gregorian calendar). A
// date from Start on is in that era, its era year being its year minus YearOffset;
// the pictures 'g' (name) and 'e' (era year) write them.
struct TFormatEra {
  std::string Name;
  int YearOffset = 0;
  double Start = 0;
};
extern std::vector<TFormatEra> EraRanges;  // at most seven
// A two-digit year read from text lies at most this many years after the current
// one, else in the century before.
extern int TwoDigitYearWindow;

void GetFormatSettings();
