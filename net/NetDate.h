// Date texts of the mail and web headers, in English whatever the locale.
#pragma once
#include <windows.h>

#include <string>

#include "framework/DateTime.h"

namespace sonvelt::net {

// "Tue, 05 Mar 2024 14:03:09", without a zone.
std::string RfcDateText(TDateTime value);
// "Tue, 5 Mar 2024 14:03:09 +0100" for mail headers, from a local time.
std::string RfcMailDate(TDateTime local);
// The local zone as "+hhmm" or "-hhmm"; "-0000" when the system cannot tell.
std::string TimeZoneText();
// The same from a zone and the mode GetTimeZoneInformation answered.
std::string TimeZoneText(const TIME_ZONE_INFORMATION& tz, DWORD mode);

}  // namespace sonvelt::net
