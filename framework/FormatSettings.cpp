#include "framework/FormatSettings.h"

#include <windows.h>

#include <algorithm>

#include "framework/DateTime.h"
#include "framework/Unicode.h"

char DecimalSeparator = '.';
char ThousandSeparator = ',';
char DateSeparator = '/';
char TimeSeparator = ':';
char ListSeparator = ',';
std::string CurrencyString = "$";
int CurrencyFormat = 0;
int NegCurrFormat = 0;
int CurrencyDecimals = 2;
std::string ShortDateFormat = "M/d/yyyy";
std::string LongDateFormat = "dddd, MMMM dd, yyyy";
std::string ShortTimeFormat = "h:mm AMPM";
std::string LongTimeFormat = "h:mm:ss AMPM";
std::string TimeAMString = "AM";
std::string TimePMString = "PM";
std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
std::string LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
std::vector<TFormatEra> EraRanges;
int TwoDigitYearWindow = 50;

namespace {

std::string LocaleText(LCTYPE type, const std::string& fallback) {
  wchar_t buf[256];
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 256);
  if (n <= 1) return fallback;
  return WideToUtf8(std::wstring(buf, n - 1));
}

// Separators are single ASCII characters here; a locale with another one keeps the default.
char LocaleChar(LCTYPE type, char fallback) {
  std::string s = LocaleText(type, "");
  if (s.size() == 1) return s[0];
  if (s.empty() && type == LOCALE_STHOUSAND) return 0;
  return fallback;
}

int LocaleInt(LCTYPE type, int fallback) {
  std::string s = LocaleText(type, "");
  if (s.empty()) return fallback;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return fallback;
    v = v * 10 + (c - '0');
  }
  return v;
}

// The system's time picture ("HH:mm:ss tt") in our own letters ("hh:nn:ss AMPM").
std::string TimePicture(const std::string& sys) {
  std::string r;
  for (size_t i = 0; i < sys.size(); ++i) {
    char c = sys[i];
    if (c == 'H') r += 'h';
    else if (c == 'm') r += 'n';
    else if (c == 't') {
      while (i + 1 < sys.size() && sys[i + 1] == 't') ++i;
      r += "AMPM";
    } else r += c;
  }
  return r;
}

// Era names and first years of the locale's own calendar, latest first as the
// system lists them.
thread_local std::vector<std::wstring>* CalendarValues = nullptr;

BOOL CALLBACK CollectCalendarValue(LPWSTR Text) {
  if (CalendarValues) CalendarValues->push_back(Text);
  return TRUE;
}

std::vector<std::wstring> CalendarList(CALID Calendar, CALTYPE Type) {
  std::vector<std::wstring> values;
  CalendarValues = &values;
  EnumCalendarInfoW(&CollectCalendarValue, LOCALE_USER_DEFAULT, Calendar, Type);
  CalendarValues = nullptr;
  return values;
}

void ReadEras() {
  EraRanges.clear();
  CALID calendar = static_cast<CALID>(LocaleInt(LOCALE_ICALENDARTYPE, 1));
  if (calendar == 1 || calendar == 2 || (calendar >= 9 && calendar <= 12)) return;
  std::vector<std::wstring> names = CalendarList(calendar, CAL_SERASTRING);
  std::vector<std::wstring> firsts = CalendarList(calendar, CAL_IYEAROFFSETRANGE);
  size_t count = std::min<size_t>(std::min(names.size(), firsts.size()), 7);
  for (size_t i = count; i-- > 0;) {
    int first = _wtoi(firsts[i].c_str());
    TDateTime start = 0;
    if (first < 1 || first > 9999 || !TryEncodeDate(first, 1, 1, start)) continue;
    EraRanges.push_back({WideToUtf8(names[i]), first - 1, start});
  }
}

struct TInit {
  TInit() { GetFormatSettings(); }
} init;

}  // namespace

void GetFormatSettings() {
  DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
  ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, ',');
  DateSeparator = LocaleChar(LOCALE_SDATE, '/');
  TimeSeparator = LocaleChar(LOCALE_STIME, ':');
  ListSeparator = LocaleChar(LOCALE_SLIST, ',');
  CurrencyString = LocaleText(LOCALE_SCURRENCY, "$");
  CurrencyFormat = LocaleInt(LOCALE_ICURRENCY, 0);
  NegCurrFormat = LocaleInt(LOCALE_INEGCURR, 0);
  CurrencyDecimals = LocaleInt(LOCALE_ICURRDIGITS, 2);
  ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy");
  LongDateFormat = LocaleText(LOCALE_SLONGDATE, "dddd, MMMM dd, yyyy");
  LongTimeFormat = TimePicture(LocaleText(LOCALE_STIMEFORMAT, "h:mm:ss tt"));
  ShortTimeFormat = LongTimeFormat;
  if (auto p = ShortTimeFormat.find(TimeSeparator + std::string("ss")); p != std::string::npos)
    ShortTimeFormat.erase(p, 3);
  TimeAMString = LocaleText(LOCALE_S1159, "AM");
  TimePMString = LocaleText(LOCALE_S2359, "PM");
  for (int i = 0; i < 12; ++i) {
    ShortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, ShortMonthNames[i]);
    LongMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, LongMonthNames[i]);
  }
  // The system lists Monday first.
  for (int i = 0; i < 7; ++i) {
    int day = (i + 6) % 7;
    ShortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + day, ShortDayNames[i]);
    LongDayNames[i] = LocaleText(LOCALE_SDAYNAME1 + day, LongDayNames[i]);
  }
  ReadEras();
}
