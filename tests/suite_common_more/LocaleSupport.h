// A stand-in locale for the date routines, and the runtime's format settings put
// back after each test.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "framework/DateTime.h"
#include "framework/FormatSettings.h"
#include "framework/StringUtils.h"
#include "suite/common/cxFormats.h"
#include "suite/common/cxLocaleSource.h"

class TFakeLocale : public TcxLocaleSource {
public:
  TFakeLocale() : FPrevious(SetLocaleSource(this)) {
    Info[LOCALE_SDATE] = "/";
    Info[LOCALE_STIME] = ":";
    Info[LOCALE_SSHORTDATE] = "M/d/yyyy";
    Info[LOCALE_S1159] = "AM";
    Info[LOCALE_S2359] = "PM";
    Info[LOCALE_IFIRSTDAYOFWEEK] = "6";  // Sunday
    Info[LOCALE_IFIRSTWEEKOFYEAR] = "0";
  }
  ~TFakeLocale() override { SetLocaleSource(FPrevious); }

  std::string LocaleInfo(LCTYPE Type, const std::string& Default) override {
    auto It = Info.find(Type);
    return It == Info.end() ? Default : It->second;
  }
  int CalendarType() override { return Calendar; }
  // Like a locale without formatted texts (as under Wine for other calendars).
  bool DateText(DWORD, const std::string& Format, TDateTime Date, std::string& Text) override {
    LastDateFormat = Format;
    Text = FormatDates ? FormatDateTime(LowerCase(Format), Date) : std::string();
    return FormatDates;
  }
  bool TimeText(TDateTime, std::string& Text) override {
    Text.clear();
    return false;
  }
  int CalendarInfo(LCID, CALID, CALTYPE, std::string& Text, DWORD* Value) override {
    Text.clear();
    if (TwoDigitYearMax == 0) return 0;
    if (Value) *Value = static_cast<DWORD>(TwoDigitYearMax);
    return 1;
  }
  TDateTime Today() override { return TodayValue; }
  TDateTime Now() override { return TodayValue + 0.5; }

  std::map<LCTYPE, std::string> Info;
  int Calendar = 1;
  int TwoDigitYearMax = 0;
  bool FormatDates = false;  // dates written with the runtime's letters
  std::string LastDateFormat;  // 0: the calendar information cannot be read
  TDateTime TodayValue = EncodeDate(2024, 3, 6);  // a Wednesday

private:
  TcxLocaleSource* FPrevious;
};

// Restores the runtime's settings the test changes and recomputes the controller.
struct TSavedFormats {
  TSavedFormats()
      : Short(ShortDateFormat), Long(LongDateFormat), ShortTime(ShortTimeFormat), LongTime(LongTimeFormat),
        Am(TimeAMString), Pm(TimePMString), Currency(CurrencyString), CurrFormat(CurrencyFormat),
        NegFormat(NegCurrFormat), Decimals(CurrencyDecimals), DateSep(DateSeparator), TimeSep(TimeSeparator),
        Eras(EraRanges) {}
  ~TSavedFormats() {
    ShortDateFormat = Short;
    LongDateFormat = Long;
    ShortTimeFormat = ShortTime;
    LongTimeFormat = LongTime;
    TimeAMString = Am;
    TimePMString = Pm;
    CurrencyString = Currency;
    CurrencyFormat = CurrFormat;
    NegCurrFormat = NegFormat;
    CurrencyDecimals = Decimals;
    DateSeparator = DateSep;
    TimeSeparator = TimeSep;
    EraRanges = Eras;
    FormatController()->Recompute();
  }
  std::string Short, Long, ShortTime, LongTime, Am, Pm, Currency;
  int CurrFormat, NegFormat, Decimals;
  char DateSep, TimeSep;
  std::vector<TFormatEra> Eras;
};

// Rows of a fixture made by calendars/*.mjs or *.py, header dropped, split at commas.
inline std::vector<std::vector<std::string>> ReadFixture(const char* Name) {
  std::vector<std::vector<std::string>> Rows;
  std::string Path = std::string(SONVELT_CALENDAR_FIXTURES) + "/" + Name;
  FILE* F = std::fopen(Path.c_str(), "rb");
  if (!F) return Rows;
  std::string All;
  char Buf[65536];
  size_t N;
  while ((N = std::fread(Buf, 1, sizeof(Buf), F)) > 0) All.append(Buf, N);
  std::fclose(F);
  size_t Pos = All.find('\n') + 1;
  while (Pos < All.size()) {
    size_t End = All.find('\n', Pos);
    if (End == std::string::npos) End = All.size();
    std::vector<std::string> Row;
    size_t S = Pos;
    while (S <= End) {
      size_t C = All.find(',', S);
      if (C == std::string::npos || C > End) C = End;
      Row.push_back(All.substr(S, C - S));
      S = C + 1;
    }
    if (!Row.empty() && !Row[0].empty()) Rows.push_back(Row);
    Pos = End + 1;
  }
  return Rows;
}

// "2024-03-06" as a date.
inline TDateTime IsoDate(const std::string& Text) {
  return EncodeDate(std::stoi(Text.substr(0, 4)), std::stoi(Text.substr(5, 2)), std::stoi(Text.substr(8, 2)));
}
