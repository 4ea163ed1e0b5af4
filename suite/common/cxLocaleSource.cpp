#include "suite/common/cxLocaleSource.h"

#include "framework/Unicode.h"

namespace {
TcxLocaleSource SystemSource;
TcxLocaleSource* Current = &SystemSource;

bool ToSystemTime(TDateTime Date, SYSTEMTIME& ST) {
  if (Date < -657434.0 || Date >= 2958466.0) return false;
  ST = DateTimeToSystemTime(Date);
  return true;
}
}  // namespace

std::string TcxLocaleSource::LocaleInfo(LCTYPE Type, const std::string& Default) {
  wchar_t Buffer[256];
  int N = GetLocaleInfoW(GetThreadLocale(), Type, Buffer, 256);
  if (N <= 1) return Default;
  return WideToUtf8(std::wstring_view(Buffer, static_cast<size_t>(N - 1)));
}

int TcxLocaleSource::CalendarType() {
  DWORD Value = 0;
  if (!GetLocaleInfoW(GetThreadLocale(), LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&Value),
                      sizeof(Value) / sizeof(wchar_t)))
    return 1;
  return static_cast<int>(Value);
}

bool TcxLocaleSource::DateText(DWORD Flags, const std::string& Format, TDateTime Date, std::string& Text) {
  Text.clear();
  SYSTEMTIME ST;
  if (!ToSystemTime(Date, ST)) return false;
  std::wstring F = Utf8ToWide(Format);
  wchar_t Buffer[256];
  int N = GetDateFormatW(GetThreadLocale(), Flags, &ST, Format.empty() ? nullptr : F.c_str(), Buffer, 256);
  if (N <= 1) return false;
  Text = WideToUtf8(std::wstring_view(Buffer, static_cast<size_t>(N - 1)));
  return true;
}

bool TcxLocaleSource::TimeText(TDateTime Time, std::string& Text) {
  Text.clear();
  SYSTEMTIME ST;
  if (!ToSystemTime(Time, ST)) return false;
  wchar_t Buffer[256];
  int N = GetTimeFormatW(GetThreadLocale(), 0, &ST, nullptr, Buffer, 256);
  if (N <= 1) return false;
  Text = WideToUtf8(std::wstring_view(Buffer, static_cast<size_t>(N - 1)));
  return true;
}

int TcxLocaleSource::CalendarInfo(LCID Locale, CALID Calendar, CALTYPE Type, std::string& Text, DWORD* Value) {
  Text.clear();
  HMODULE Kernel = LoadLibraryW(L"kernel32.dll");
  if (!Kernel) return 0;
  using TProc = int(WINAPI*)(LCID, CALID, CALTYPE, LPWSTR, int, LPDWORD);
  auto Proc = reinterpret_cast<TProc>(reinterpret_cast<void*>(GetProcAddress(Kernel, "GetCalendarInfoW")));
  int Result = 0;
  if (Proc) {
    wchar_t Buffer[256] = {};
    if (Type & CAL_RETURN_NUMBER) Result = Proc(Locale, Calendar, Type, nullptr, 0, Value);
    else {
      Result = Proc(Locale, Calendar, Type, Buffer, 256, nullptr);
      if (Result > 1) Text = WideToUtf8(std::wstring_view(Buffer, static_cast<size_t>(Result - 1)));
    }
  }
  FreeLibrary(Kernel);
  return Result;
}

TDateTime TcxLocaleSource::Today() { return ::Date(); }
TDateTime TcxLocaleSource::Now() { return ::Now(); }

TcxLocaleSource* cxLocaleSource() { return Current; }

TcxLocaleSource* SetLocaleSource(TcxLocaleSource* Source) {
  TcxLocaleSource* Previous = Current == &SystemSource ? nullptr : Current;
  Current = Source ? Source : &SystemSource;
  return Previous;
}
