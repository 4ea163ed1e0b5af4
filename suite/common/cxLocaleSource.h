// Where the suite's date routines read the locale: the thread locale's settings,
// its calendar and its date texts, and the clock. Everything goes through one
// replaceable source, so that a caller (or a test) can stand in for a system whose
// locale data cannot be trusted.
#pragma once

#include <windows.h>

#include <string>

#include "framework/DateTime.h"

class TcxLocaleSource {
public:
  virtual ~TcxLocaleSource() = default;
  // GetLocaleInfo of the thread locale; Default when the locale has no such value.
  virtual std::string LocaleInfo(LCTYPE Type, const std::string& Default);
  // LOCALE_ICALENDARTYPE of the thread locale (1 when unreadable).
  virtual int CalendarType();
  // GetDateFormat of the thread locale; false (and empty Text) when it fails.
  virtual bool DateText(DWORD Flags, const std::string& Format, TDateTime Date, std::string& Text);
  // GetTimeFormat of the thread locale with its default format.
  virtual bool TimeText(TDateTime Time, std::string& Text);
  // GetCalendarInfo, looked up in kernel32 for each call: 0 when it is missing,
  // else its result. Value receives numbers asked for with CAL_RETURN_NUMBER.
  virtual int CalendarInfo(LCID Locale, CALID Calendar, CALTYPE Type, std::string& Text, DWORD* Value);
  virtual TDateTime Today();
  virtual TDateTime Now();
};

TcxLocaleSource* cxLocaleSource();
// Installs Source (not owned; null means the system) and returns the previous one.
TcxLocaleSource* SetLocaleSource(TcxLocaleSource* Source);
