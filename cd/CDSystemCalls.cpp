#include "cd/CDSystemCalls.h"

#include "framework/Unicode.h"

namespace {

std::string ReadRegistryText(HKEY Key, const wchar_t* Name, bool& Ok) {
  wchar_t Buffer[256] = {};
  DWORD Size = sizeof Buffer - sizeof(wchar_t), Type = 0;
  if (RegQueryValueExW(Key, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Buffer), &Size) != ERROR_SUCCESS ||
      (Type != REG_SZ && Type != REG_EXPAND_SZ)) {
    Ok = false;
    return {};
  }
  return WideToUtf8(Buffer);
}

std::vector<std::wstring> SubkeyNames(HKEY Key) {
  std::vector<std::wstring> Names;
  wchar_t Name[256];
  for (DWORD I = 0;; ++I) {
    DWORD Length = 256;
    if (RegEnumKeyExW(Key, I, Name, &Length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Names.emplace_back(Name, Length);
  }
  return Names;
}

// The Windows 9x enumeration: Enum\SCSI\<device>\<instance> with a binary
// DeviceType whose first byte is 5 for a CD-ROM drive.
std::vector<TScsiRegistryDevice> ReadScsiRegistryDevices() {
  std::vector<TScsiRegistryDevice> Devices;
  HKEY Root = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Enum\\SCSI", 0, KEY_READ, &Root) != ERROR_SUCCESS) return Devices;
  for (const std::wstring& Device : SubkeyNames(Root)) {
    HKEY DeviceKey = nullptr;
    if (RegOpenKeyExW(Root, Device.c_str(), 0, KEY_READ, &DeviceKey) != ERROR_SUCCESS) continue;
    for (const std::wstring& Instance : SubkeyNames(DeviceKey)) {
      HKEY Key = nullptr;
      if (RegOpenKeyExW(DeviceKey, Instance.c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS) continue;
      BYTE Type[16] = {};
      DWORD Size = sizeof Type;
      if (RegQueryValueExW(Key, L"DeviceType", nullptr, nullptr, Type, &Size) == ERROR_SUCCESS && Size > 0 &&
          Type[0] == 5) {
        TScsiRegistryDevice D;
        D.Manufacturer = ReadRegistryText(Key, L"Manufacturer", D.Readable);
        D.ProductId = ReadRegistryText(Key, L"ProductId", D.Readable);
        D.DriveLetterAssignment = ReadRegistryText(Key, L"CurrentDriveLetterAssignment", D.Readable);
        Devices.push_back(D);
      }
      RegCloseKey(Key);
    }
    RegCloseKey(DeviceKey);
  }
  RegCloseKey(Root);
  return Devices;
}

}  // namespace

TCDSystemCalls RealCDSystemCalls() {
  TCDSystemCalls S;
  S.LogicalDriveStrings = [] {
    wchar_t Buffer[106] = {};
    const DWORD Length = GetLogicalDriveStringsW(105, Buffer);
    if (Length == 0 || Length > 105) return std::string();
    std::string Roots;
    for (DWORD I = 0; I < Length; ++I) Roots += Buffer[I] < 128 ? char(Buffer[I]) : '?';
    return Roots;
  };
  S.DriveType = [](const std::string& Root) { return GetDriveTypeW(Utf8ToWide(Root).c_str()); };
  S.WindowsVersion = [] {
    OSVERSIONINFOW Info{};
    Info.dwOSVersionInfoSize = sizeof Info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&Info)) return TWindowsVersionInfo{};
#pragma GCC diagnostic pop
    return TWindowsVersionInfo{Info.dwPlatformId, Info.dwMajorVersion, Info.dwMinorVersion};
  };
  S.OpenDevice = [](const std::string& Path, DWORD Access, DWORD Share) {
    return CreateFileW(Utf8ToWide(Path).c_str(), Access, Share, nullptr, OPEN_EXISTING, 0, nullptr);
  };
  S.DeviceIoControl = [](HANDLE Device, DWORD Code, void* In, DWORD InSize, void* Out, DWORD OutSize) -> DWORD {
    DWORD Returned = 0;
    if (::DeviceIoControl(Device, Code, In, InSize, Out, OutSize, &Returned, nullptr)) return 0;
    const DWORD Error = GetLastError();
    return Error ? Error : ERROR_GEN_FAILURE;
  };
  S.CloseDevice = [](HANDLE Device) { CloseHandle(Device); };
  S.ScsiRegistryDevices = ReadScsiRegistryDevices;
  S.LoadLibrary = [](const std::string& Name) { return LoadLibraryW(Utf8ToWide(Name).c_str()); };
  S.GetProcAddress = [](HMODULE Module, const char* Name) {
    return reinterpret_cast<void*>(::GetProcAddress(Module, Name));
  };
  S.FreeLibrary = [](HMODULE Module) { ::FreeLibrary(Module); };
  S.ErrorBox = [](const std::string& Text) {
    MessageBoxW(nullptr, Utf8ToWide(Text).c_str(), L"Error", MB_OK);
  };
  return S;
}

TCDSystemCalls& CDSystem() {
  static TCDSystemCalls Table = RealCDSystemCalls();
  return Table;
}
