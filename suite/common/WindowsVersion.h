// The Windows version flags of the suite, computed once from the running system.
// Tests inject a version (platform, major, minor) and restore the real one.
#pragma once

struct TWindowsVersionFlags {
  bool Win9xFamily = false;
  bool Win95 = false;
  bool Win98 = false;
  bool WinME = false;
  bool WinNTFamily = false;
  bool Win2000 = false;
  bool Win2000OrLater = false;
  bool WinXP = false;
  bool WinXPOrLater = false;
  bool Win2000OrXP = false;
  bool WinVista = false;
  bool WinVistaOrLater = false;
  int Major = 0;
  int Minor = 0;
};

// Platform 1 is the Windows 95 family, 2 the NT family.
TWindowsVersionFlags ComputeWindowsVersionFlags(int Platform, int Major, int Minor);
// The flags of the running system (read with RtlGetVersion), or the injected ones.
const TWindowsVersionFlags& WindowsVersion();
void InjectWindowsVersion(int Platform, int Major, int Minor);
// Back to the running system's version.
void RestoreWindowsVersion();
