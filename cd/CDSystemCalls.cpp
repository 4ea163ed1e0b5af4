#include "cd/CDSystemCalls.h"

#include "framework/Exceptions.h"
#include "framework/OwnedObject.h"
#include "framework/Registry.h"
#include "framework/StringLists.h"
#include "framework/Unicode.h"

namespace {

// The Windows 9x enumeration: Enum\SCSI\<device>\<instance> with a binary
// DeviceType whose first byte is 5 for a CD-ROM drive.
std::vector<TScsiRegistryDevice> ReadScsiRegistryDevices() {
  std::vector<TScsiRegistryDevice> Devices;
  TOwned<TRegistry> Registry = MakeOwned<TRegistry>(KEY_READ);
  Registry->SetRootKey(HKEY_LOCAL_MACHINE);
  if (!Registry->OpenKeyReadOnly("\\Enum\\SCSI")) return Devices;
  TOwned<TStringList> DeviceNames = MakeOwned<TStringList>(), InstanceNames = MakeOwned<TStringList>();
  Registry->GetKeyNames(DeviceNames.get());
  for (int D = 0; D < DeviceNames->GetCount(); ++D) {
    const std::string Device = "\\Enum\\SCSI\\" + DeviceNames->GetStrings(D);
    if (!Registry->OpenKeyReadOnly(Device)) continue;
    Registry->GetKeyNames(InstanceNames.get());
    for (int I = 0; I < InstanceNames->GetCount(); ++I) {
      if (!Registry->OpenKeyReadOnly(Device + "\\" + InstanceNames->GetStrings(I))) continue;
      uint8_t Type[16] = {};
      try {
        if (Registry->GetDataSize("DeviceType") <= 0 || Registry->ReadBinaryData("DeviceType", Type, sizeof Type) < 1 ||
            Type[0] != 5)
          continue;
      } catch (const Exception&) {
        continue;
      }
      TScsiRegistryDevice Entry;
      try {
        Entry.Manufacturer = Registry->ReadString("Manufacturer");
        Entry.ProductId = Registry->ReadString("ProductId");
        Entry.DriveLetterAssignment = Registry->ReadString("CurrentDriveLetterAssignment");
      } catch (const Exception&) {
        Entry.Readable = false;
      }
      Devices.push_back(Entry);
    }
  }
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
