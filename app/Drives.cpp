#include "app/Drives.h"

#include <windows.h>

#include "framework/Unicode.h"

namespace {

std::wstring RootOf(char Letter, wchar_t Slash) { return {static_cast<wchar_t>(Letter), L':', Slash}; }

bool IsFixedDrive(char Letter) { return GetDriveTypeW(RootOf(Letter, L'\\').c_str()) == DRIVE_FIXED; }

// Creating and removing a probe folder is the only reliable test: the emulator
// reports its mapped root as writable while refusing to create anything there.
bool RootIsWritable(char Letter) {
  const std::wstring Probe = RootOf(Letter, L'\\') + L"~sonvelt-probe";
  if (!CreateDirectoryW(Probe.c_str(), nullptr)) return GetLastError() == ERROR_ALREADY_EXISTS;
  RemoveDirectoryW(Probe.c_str());
  return true;
}

template <class Accept>
char BestFixedDrive(Accept Accepts) {
  const DWORD Mask = GetLogicalDrives();
  char Best = 0;
  double BestFree = 0;
  for (int I = 0; I < 26; ++I) {
    if (!(Mask & (1u << I))) continue;
    const char Letter = static_cast<char>('A' + I);
    if (!IsFixedDrive(Letter) || !Accepts(Letter)) continue;
    const double Free = DriveFreeGB(Letter);
    if (!Best || Free > BestFree) {
      Best = Letter;
      BestFree = Free;
    }
  }
  return Best;
}

}  // namespace

double DriveFreeGB(char Letter) {
  ULARGE_INTEGER Available{}, Total{}, Free{};
  if (!GetDiskFreeSpaceExW(RootOf(Letter, L'/').c_str(), &Available, &Total, &Free)) return -1;
  return static_cast<double>(Available.QuadPart) / (1024.0 * 1024.0 * 1024.0);
}

char DriveWithMostFreeSpace() {
  const char Best = BestFixedDrive([](char) { return true; });
  return Best ? Best : 'C';
}

char TempFolderDrive() {
  const char Best = BestFixedDrive(RootIsWritable);
  return Best ? Best : DriveWithMostFreeSpace();
}

int CDDriveCount() {
  int Count = 0;
  for (char Letter = 'C'; Letter <= 'Z'; ++Letter)
    if (GetDriveTypeW(RootOf(Letter, L'\\').c_str()) == DRIVE_CDROM) ++Count;
  return Count;
}

bool IsVistaOrLater() {
  // GetVersionEx answers by the manifest; the kernel's own version is what counts.
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW Info{};
  Info.dwOSVersionInfoSize = sizeof Info;
  if (HMODULE Ntdll = GetModuleHandleW(L"ntdll.dll"))
    if (auto Fn = reinterpret_cast<TRtlGetVersion>(reinterpret_cast<void*>(GetProcAddress(Ntdll, "RtlGetVersion"))))
      if (Fn(&Info) == 0) return Info.dwMajorVersion > 5;
  return false;
}
