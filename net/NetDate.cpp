#include "net/NetDate.h"

#include <cstdio>
#include <cstdlib>

namespace sonvelt::net {
namespace {
const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

std::string RfcDateText(TDateTime value) {
  SYSTEMTIME st = DateTimeToSystemTime(value);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s, %2.2d %s %4.4d %2.2d:%2.2d:%2.2d", kDays[DayOfWeek(value) - 1], st.wDay,
                kMonths[st.wMonth - 1], st.wYear, st.wHour, st.wMinute, st.wSecond);
  return buf;
}

std::string TimeZoneText(const TIME_ZONE_INFORMATION& tz, DWORD mode) {
  if (mode == TIME_ZONE_ID_INVALID) return "-0000";  // "zone unknown"
  long bias = tz.Bias + (mode == TIME_ZONE_ID_DAYLIGHT ? tz.DaylightBias : tz.StandardBias);
  char buf[16];
  // The bias is UTC minus local time; UTC itself is +0000.
  std::snprintf(buf, sizeof buf, "%c%02ld%02ld", bias <= 0 ? '+' : '-', std::labs(bias) / 60, std::labs(bias) % 60);
  return buf;
}

std::string TimeZoneText() {
  TIME_ZONE_INFORMATION tz;
  DWORD mode = GetTimeZoneInformation(&tz);
  return TimeZoneText(tz, mode);
}

std::string RfcMailDate(TDateTime local) {
  SYSTEMTIME st = DateTimeToSystemTime(local);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s, %d %s %04d %02d:%02d:%02d ", kDays[DayOfWeek(local) - 1], st.wDay,
                kMonths[st.wMonth - 1], st.wYear, st.wHour, st.wMinute, st.wSecond);
  return buf + TimeZoneText();
}

}  // namespace sonvelt::net
