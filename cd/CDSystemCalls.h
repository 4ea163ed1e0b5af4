// Every operating-system call of the drive access goes through this one table:
// the system's own by default, a test's fake drives and libraries when it
// replaces entries.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TWindowsVersionInfo {
  DWORD PlatformId = 0;
  DWORD Major = 0;
  DWORD Minor = 0;
};

// A CD-ROM entry of the SCSI enumeration in the registry.
struct TScsiRegistryDevice {
  bool Readable = true;  // false when its values could not be read
  std::string Manufacturer, ProductId, DriveLetterAssignment;
};

struct TCDSystemCalls {
  // The roots as GetLogicalDriveStrings writes them, each ended by a zero.
  std::function<std::string()> LogicalDriveStrings;
  std::function<UINT(const std::string& Root)> DriveType;
  std::function<TWindowsVersionInfo()> WindowsVersion;
  // INVALID_HANDLE_VALUE when the device cannot be opened.
  std::function<HANDLE(const std::string& Path, DWORD Access, DWORD Share)> OpenDevice;
  // 0, or the system's error code of the failed request.
  std::function<DWORD(HANDLE Device, DWORD Code, void* In, DWORD InSize, void* Out, DWORD OutSize)> DeviceIoControl;
  std::function<void(HANDLE Device)> CloseDevice;
  std::function<std::vector<TScsiRegistryDevice>()> ScsiRegistryDevices;
  std::function<HMODULE(const std::string& Name)> LoadLibrary;
  std::function<void*(HMODULE Module, const char* Name)> GetProcAddress;
  std::function<void(HMODULE Module)> FreeLibrary;
  // A modal box without owner, captioned "Error".
  std::function<void(const std::string& Text)> ErrorBox;
  // How long an ASPI request may stay pending.
  DWORD AspiTimeoutMs = 10000;
};

TCDSystemCalls RealCDSystemCalls();
// The table in use; tests assign entries and restore it with RealCDSystemCalls().
TCDSystemCalls& CDSystem();
