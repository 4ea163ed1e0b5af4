#include "suite/common/WindowsVersion.h"

#include <windows.h>

namespace {
TWindowsVersionFlags Flags;
bool Known = false;

void ReadRunningVersion() {
  // GetVersionEx answers what the manifest allows; RtlGetVersion tells the truth.
  OSVERSIONINFOW Info{};
  Info.dwOSVersionInfoSize = sizeof Info;
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  auto Get = reinterpret_cast<TRtlGetVersion>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  if (!Get || Get(&Info) != 0) {
    Info.dwPlatformId = VER_PLATFORM_WIN32_NT;
    Info.dwMajorVersion = 6;
    Info.dwMinorVersion = 1;
  }
  Flags = ComputeWindowsVersionFlags(static_cast<int>(Info.dwPlatformId), static_cast<int>(Info.dwMajorVersion),
                                     static_cast<int>(Info.dwMinorVersion));
  Known = true;
}
}  // namespace

TWindowsVersionFlags ComputeWindowsVersionFlags(int Platform, int Major, int Minor) {
  TWindowsVersionFlags F;
  F.Major = Major;
  F.Minor = Minor;
  F.Win9xFamily = Platform == 1;
  F.Win95 = F.Win9xFamily && Minor == 0;
  F.Win98 = F.Win9xFamily && Minor == 10;
  F.WinME = F.Win9xFamily && Minor == 90;
  F.WinNTFamily = Platform == 2;
  F.Win2000 = F.WinNTFamily && Major == 5 && Minor == 0;
  F.Win2000OrLater = F.WinNTFamily && Major >= 5;
  F.WinXP = F.WinNTFamily && Major == 5 && Minor >= 1;
  F.WinXPOrLater = F.WinNTFamily && Major >= 5 && !F.Win2000;
  F.Win2000OrXP = F.Win2000 || F.WinXP;
  F.WinVista = F.WinNTFamily && Major == 6;
  F.WinVistaOrLater = F.WinNTFamily && Major >= 6;
  return F;
}

const TWindowsVersionFlags& WindowsVersion() {
  if (!Known) ReadRunningVersion();
  return Flags;
}

void InjectWindowsVersion(int Platform, int Major, int Minor) {
  Flags = ComputeWindowsVersionFlags(Platform, Major, Minor);
  Known = true;
}

void RestoreWindowsVersion() { ReadRunningVersion(); }
