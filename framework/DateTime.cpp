#include "framework/DateTime.h"

#include <cmath>
#include <vector>

#include <oleauto.h>

#include "framework/Exceptions.h"
#include "framework/FormatSettings.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"

namespace {

constexpr int DateDelta = 693594;  // days from 1 Jan 0001 to 30 Dec 1899

const int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                               {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Whole days and milliseconds of the day, with the milliseconds rounded.
void Split(TDateTime dt, std::int64_t& days, int& msec) {
  days = static_cast<std::int64_t>(dt);  // toward zero
  std::int64_t ms = std::llround(std::fabs(dt - static_cast<double>(days)) * MSecsPerDay);
  if (ms >= MSecsPerDay) {
    ms -= MSecsPerDay;
    days += dt < 0 ? -1 : 1;
  }
  msec = static_cast<int>(ms);
}

}  // namespace

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysInAMonth(int Year, int Month) {
  if (Month < 1 || Month > 12) return 0;
  return kMonthDays[IsLeapYear(Year)][Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  int dayOfYear = Day;
  for (int m = 1; m < Month; ++m) dayOfYear += DaysInAMonth(Year, m);
  int y = Year - 1;
  Date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - DateDelta);
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime d;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day) {
  std::int64_t days;
  int ms;
  Split(Date, days, ms);
  std::int64_t t = days + DateDelta - 1;  // days since 1 Jan 0001
  if (t < 0) {
    Year = Month = Day = 0;
    return;
  }
  constexpr int D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  int y = 1;
  y += static_cast<int>(t / D400) * 400;
  t %= D400;
  int i = static_cast<int>(t / D100);
  int d = static_cast<int>(t % D100);
  if (i == 4) {
    --i;
    d += D100;
  }
  y += i * 100;
  i = d / D4;
  d %= D4;
  y += i * 4;
  i = d / D1;
  d %= D1;
  if (i == 4) {
    --i;
    d += D1;
  }
  y += i;
  int m = 1;
  while (d >= DaysInAMonth(y, m)) d -= DaysInAMonth(y, m++);
  Year = y;
  Month = m;
  Day = d + 1;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
  if (Hour < 0 || Hour >= 24 || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 || MSec >= 1000) return false;
  Time = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime t;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec) {
  std::int64_t days;
  int ms;
  Split(Time, days, ms);
  Hour = ms / 3600000;
  Min = ms / 60000 % 60;
  Sec = ms / 1000 % 60;
  MSec = ms % 1000;
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time) {
  double day = std::trunc(Date);
  double frac = std::fabs(Time - std::trunc(Time));
  return day < 0 ? day - frac : day + frac;
}

int DayOfWeek(TDateTime Date) {
  std::int64_t days;
  int ms;
  Split(Date, days, ms);
  // 30 Dec 1899 was a Saturday.
  int r = static_cast<int>(((days - 1) % 7 + 7) % 7) + 1;
  return r;
}

TDateTime IncMonth(TDateTime Date, int NumberOfMonths) {
  int y, m, d;
  DecodeDate(Date, y, m, d);
  int total = y * 12 + (m - 1) + NumberOfMonths;
  y = total / 12;
  m = total % 12 + 1;
  if (d > DaysInAMonth(y, m)) d = DaysInAMonth(y, m);
  return ComposeDateTime(EncodeDate(y, m, d), Date);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& ST) {
  return ComposeDateTime(EncodeDate(ST.wYear, ST.wMonth, ST.wDay),
                         EncodeTime(ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds));
}

SYSTEMTIME DateTimeToSystemTime(TDateTime DT) {
  SYSTEMTIME st{};
  int y, m, d, h, n, s, z;
  DecodeDate(DT, y, m, d);
  DecodeTime(DT, h, n, s, z);
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  st.wDayOfWeek = static_cast<WORD>(DayOfWeek(DT) - 1);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(n);
  st.wSecond = static_cast<WORD>(s);
  st.wMilliseconds = static_cast<WORD>(z);
  return st;
}

TDateTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return SystemTimeToDateTime(st);
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  TDateTime n = Now();
  return n - std::trunc(n);
}

TDateTime NowUTC() {
  SYSTEMTIME st;
  GetSystemTime(&st);
  return SystemTimeToDateTime(st);
}

TDateTime LocalToUTC(TDateTime Local) {
  SYSTEMTIME local = DateTimeToSystemTime(Local), utc;
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc)) RaiseLastOSError();
  return SystemTimeToDateTime(utc);
}

TDateTime UTCToLocal(TDateTime UTC) {
  SYSTEMTIME utc = DateTimeToSystemTime(UTC), local;
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) RaiseLastOSError();
  return SystemTimeToDateTime(local);
}

TDateTime FileTimeToDateTime(const FILETIME& FT) {
  SYSTEMTIME utc;
  if (!FileTimeToSystemTime(&FT, &utc)) RaiseLastOSError();
  return UTCToLocal(SystemTimeToDateTime(utc));
}

namespace {

std::string Pad(int v, int width) {
  std::string s = std::to_string(v);
  while (static_cast<int>(s.size()) < width) s = "0" + s;
  return s;
}

bool StartsWithText(std::string_view s, size_t i, std::string_view what) {
  return s.size() - i >= what.size() && SameText(s.substr(i, what.size()), what);
}

void AppendFormatted(std::string& out, std::string_view f, TDateTime dt, int depth);

// Whether an 'm' run at i means minutes: right after an hour, or right before seconds.
bool MinutesAt(std::string_view f, size_t i, bool afterHour) {
  if (afterHour) return true;
  size_t j = i;
  while (j < f.size() && (f[j] == 'm' || f[j] == 'M')) ++j;
  while (j < f.size() && (f[j] == ' ' || f[j] == ':' || f[j] == '.')) ++j;
  return j < f.size() && (f[j] == 's' || f[j] == 'S');
}

void AppendFormatted(std::string& out, std::string_view f, TDateTime dt, int depth) {
  if (depth > 2) return;
  int y, mo, d, h, n, s, z;
  DecodeDate(dt, y, mo, d);
  DecodeTime(dt, h, n, s, z);
  // An am/pm picture anywhere turns hours into 12-hour ones.
  bool twelve = false;
  for (size_t i = 0; i < f.size(); ++i)
    if (StartsWithText(f, i, "am/pm") || StartsWithText(f, i, "a/p") || StartsWithText(f, i, "ampm")) twelve = true;
  bool afterHour = false;
  size_t i = 0;
  while (i < f.size()) {
    char c = f[i];
    char lc = static_cast<char>(c | 0x20);
    size_t run = 1;
    while (i + run < f.size() && (f[i + run] | 0x20) == lc && std::isalpha(static_cast<unsigned char>(c))) ++run;
    if (c == '\'' || c == '"') {
      size_t end = f.find(c, i + 1);
      if (end == std::string_view::npos) end = f.size();
      out.append(f.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    if (StartsWithText(f, i, "am/pm")) {
      out += h < 12 ? (f[i] == 'A' ? "AM" : "am") : (f[i] == 'A' ? "PM" : "pm");
      i += 5;
      continue;
    }
    if (StartsWithText(f, i, "a/p")) {
      out += h < 12 ? (f[i] == 'A' ? "A" : "a") : (f[i] == 'A' ? "P" : "p");
      i += 3;
      continue;
    }
    if (StartsWithText(f, i, "ampm")) {
      out += h < 12 ? TimeAMString : TimePMString;
      i += 4;
      continue;
    }
    switch (lc) {
      case 'y':
        out += run <= 2 ? Pad(y % 100, 2) : Pad(y, 4);
        break;
      case 'g':
      case 'e': {
        const TFormatEra* era = nullptr;
        for (const TFormatEra& e : EraRanges)
          if (e.Start <= dt) era = &e;
        if (lc == 'g') {
          if (era) out += era->Name;
        } else {
          int ey = era ? y - era->YearOffset : y;
          out += run == 1 ? std::to_string(ey) : Pad(ey, 2);
        }
        break;
      }
      case 'm':
        if (MinutesAt(f, i, afterHour)) {
          out += run == 1 ? std::to_string(n) : Pad(n, 2);
        } else if (run == 1) out += std::to_string(mo);
        else if (run == 2) out += Pad(mo, 2);
        else if (run == 3) out += ShortMonthNames[mo - 1];
        else out += LongMonthNames[mo - 1];
        afterHour = false;
        break;
      case 'd':
        if (run == 1) out += std::to_string(d);
        else if (run == 2) out += Pad(d, 2);
        else if (run == 3) out += ShortDayNames[DayOfWeek(dt) - 1];
        else if (run == 4) out += LongDayNames[DayOfWeek(dt) - 1];
        else if (run == 5) AppendFormatted(out, ShortDateFormat, dt, depth + 1);
        else AppendFormatted(out, LongDateFormat, dt, depth + 1);
        break;
      case 'h': {
        int hh = h;
        if (twelve) {
          hh = h % 12;
          if (hh == 0) hh = 12;
        }
        out += run == 1 ? std::to_string(hh) : Pad(hh, 2);
        afterHour = true;
        i += run;
        continue;
      }
      case 'n':
        out += run == 1 ? std::to_string(n) : Pad(n, 2);
        break;
      case 's':
        out += run == 1 ? std::to_string(s) : Pad(s, 2);
        break;
      case 'z':
        out += run >= 3 ? Pad(z, 3) : std::to_string(z);
        break;
      case 't':
        AppendFormatted(out, run == 1 ? ShortTimeFormat : LongTimeFormat, dt, depth + 1);
        break;
      case 'c':
        AppendFormatted(out, ShortDateFormat, dt, depth + 1);
        if (dt - std::trunc(dt) != 0) {
          out += ' ';
          AppendFormatted(out, LongTimeFormat, dt, depth + 1);
        }
        break;
      default:
        if (c == '/') out += DateSeparator;
        else if (c == ':') out += TimeSeparator;
        else out += c;
        i += 1;
        continue;
    }
    if (lc != 'h' && lc != ' ' && lc != ':') afterHour = afterHour && lc == 'm';
    i += run;
  }
}

// Numbers of a date or time text, split at separators; the AM/PM marker noted apart.
bool ScanNumbers(std::string_view s, char sep, std::vector<int>& nums, int& ampm, std::vector<char>& seps) {
  std::string t = Trim(s);
  ampm = 0;
  for (const auto& [text, v] : {std::pair<std::string, int>{TimeAMString, 1}, {TimePMString, 2}, {"AM", 1}, {"PM", 2}}) {
    if (!text.empty() && t.size() >= text.size() && SameText(t.substr(t.size() - text.size()), text)) {
      t = TrimRight(t.substr(0, t.size() - text.size()));
      ampm = v;
      break;
    }
  }
  size_t i = 0;
  while (i < t.size()) {
    if (t[i] < '0' || t[i] > '9') return false;
    int v = 0, digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
      v = v * 10 + (t[i++] - '0');
      if (++digits > 4) return false;
    }
    nums.push_back(v);
    if (i < t.size()) {
      char c = t[i];
      if (c != sep && c != '.' && c != ' ') return false;
      seps.push_back(c);
      ++i;
    }
  }
  return !nums.empty() && (seps.empty() || seps.back() != 0) && !(i > 0 && t.back() == sep);
}

}  // namespace

std::string FormatDateTime(std::string_view Format, TDateTime DateTime) {
  std::string out;
  AppendFormatted(out, Format.empty() ? std::string_view("c") : Format, DateTime, 0);
  return out;
}

std::string DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
std::string DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }

bool TryStrToTime(std::string_view S, TDateTime& Value) {
  std::vector<int> n;
  std::vector<char> seps;
  int ampm;
  if (!ScanNumbers(S, TimeSeparator, n, ampm, seps) || n.size() < 2 || n.size() > 4) return false;
  for (size_t i = 0; i + 1 < n.size() && i < 2; ++i)
    if (seps[i] != TimeSeparator) return false;
  if (n.size() == 4 && seps[2] != '.') return false;
  int h = n[0];
  if (ampm) {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (ampm == 2 ? 12 : 0);
  }
  return TryEncodeTime(h, n[1], n.size() > 2 ? n[2] : 0, n.size() > 3 ? n[3] : 0, Value);
}

TDateTime StrToTime(std::string_view S) {
  TDateTime t;
  if (!TryStrToTime(S, t)) throw EConvertError("'%s' is not a valid time", {S});
  return t;
}

bool TryStrToDate(std::string_view S, TDateTime& Value) {
  std::vector<int> n;
  std::vector<char> seps;
  int ampm;
  if (!ScanNumbers(S, DateSeparator, n, ampm, seps) || ampm || n.size() < 2 || n.size() > 3) return false;
  for (char c : seps)
    if (c != DateSeparator) return false;
  // Order of day, month and year as in the short date picture.
  std::string order;
  for (char c : ShortDateFormat) {
    char l = static_cast<char>(c | 0x20);
    if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == std::string::npos) order += l;
  }
  if (order.size() != 3) order = "mdy";
  int y = 0, m = 0, d = 0;
  if (n.size() == 2) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    y = st.wYear;
    std::string md = order;
    md.erase(md.find('y'), 1);
    (md[0] == 'm' ? m : d) = n[0];
    (md[1] == 'm' ? m : d) = n[1];
  } else {
    for (int i = 0; i < 3; ++i) (order[i] == 'y' ? y : order[i] == 'm' ? m : d) = n[i];
    if (y < 100) {
      y = ExpandTwoDigitYear(y);
    }
  }
  return TryEncodeDate(y, m, d, Value);
}

int ExpandTwoDigitYear(int Year) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  int y = Year + st.wYear / 100 * 100;
  if (y > st.wYear + TwoDigitYearWindow) y -= 100;
  return y;
}

TDateTime VarToDateTime(std::string_view OleText) {
  std::wstring w = Utf8ToWide(OleText);
  DATE d = 0;
  if (FAILED(VarDateFromStr(w.data(), LOCALE_USER_DEFAULT, 0, &d)))
    throw EVariantError("Could not convert variant of type (String) into type (Date)");
  return d;
}

TDateTime StrToDate(std::string_view S) {
  TDateTime d;
  if (!TryStrToDate(S, d)) throw EConvertError("'%s' is not a valid date", {S});
  return d;
}

TDateTime StrToDateTime(std::string_view S) {
  std::string t = Trim(S);
  size_t sp = t.find(' ');
  TDateTime d, tm = 0;
  bool ok = sp == std::string::npos ? TryStrToDate(t, d)
                                    : TryStrToDate(t.substr(0, sp), d) && TryStrToTime(t.substr(sp + 1), tm);
  if (!ok) throw EConvertError("'%s' is not a valid date and time", {S});
  return ComposeDateTime(d, tm);
}
