#include "framework/Registry.h"

#include <vector>

#include "framework/Exceptions.h"
#include "framework/StringLists.h"
#include "framework/Unicode.h"

namespace {

std::string StripSlash(std::string s) {
  while (!s.empty() && s[0] == '\\') s.erase(0, 1);
  while (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

TRegDataType DataTypeOf(DWORD type) {
  switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

// Deletes Key under Parent with everything below it.
bool DeleteTree(HKEY parent, const std::wstring& key) {
  HKEY k;
  if (RegOpenKeyExW(parent, key.c_str(), 0, KEY_READ | KEY_WRITE, &k) == ERROR_SUCCESS) {
    std::vector<std::wstring> subs;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = 256;
      if (RegEnumKeyExW(k, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      subs.emplace_back(name, len);
    }
    for (const auto& s : subs) DeleteTree(k, s);
    RegCloseKey(k);
  }
  return RegDeleteKeyW(parent, key.c_str()) == ERROR_SUCCESS;
}

}  // namespace

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::ReadError(const std::string& Name) { throw ERegistryException("Invalid data type for '%s'", {Name}); }

void TRegistry::SetRootKey(HKEY Value) {
  if (FRootKey == Value) return;
  CloseKey();
  FRootKey = Value;
}

HKEY TRegistry::GetBaseKey(bool Relative) const { return (FCurrentKey && Relative) ? FCurrentKey : FRootKey; }

void TRegistry::ChangeKey(HKEY Value, const std::string& Path) {
  CloseKey();
  FCurrentKey = Value;
  FCurrentPath = Path;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) { return OpenKeyWith(Key, CanCreate, FAccess); }

bool TRegistry::OpenKeyWith(const std::string& Key, bool CanCreate, REGSAM Access) {
  bool relative = IsRelative(Key);
  std::string s = StripSlash(Key);
  std::wstring w = Utf8ToWide(s);
  HKEY k = nullptr;
  LONG r;
  if (!CanCreate || s.empty()) {
    r = RegOpenKeyExW(GetBaseKey(relative), w.c_str(), 0, Access, &k);
  } else {
    DWORD disp;
    r = RegCreateKeyExW(GetBaseKey(relative), w.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr, &k,
                        &disp);
  }
  if (r != ERROR_SUCCESS) return false;
  if (relative && !FCurrentPath.empty()) s = FCurrentPath + (s.empty() ? "" : "\\" + s);
  ChangeKey(k, s);
  return true;
}

// Tries ever smaller read rights. The access asked for later keys stays as it was.
bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  for (REGSAM access : {REGSAM(KEY_READ), REGSAM(STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS),
                        REGSAM(KEY_QUERY_VALUE)})
    if (OpenKeyWith(Key, false, access)) return true;
  return false;
}

void TRegistry::CloseKey() {
  if (!FCurrentKey) return;
  if (!FLazyWrite) RegFlushKey(FCurrentKey);
  RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TRegistry::CreateKey(const std::string& Key) {
  HKEY k;
  DWORD disp;
  LONG r = RegCreateKeyExW(GetBaseKey(IsRelative(Key)), Utf8ToWide(StripSlash(Key)).c_str(), 0, nullptr,
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &k, &disp);
  if (r != ERROR_SUCCESS) throw ERegistryException("Failed to create key %s", {Key});
  RegCloseKey(k);
  return true;
}

bool TRegistry::DeleteKey(const std::string& Key) {
  std::string s = StripSlash(Key);
  if (s.empty()) return false;
  return DeleteTree(GetBaseKey(IsRelative(Key)), Utf8ToWide(s));
}

bool TRegistry::DeleteValue(const std::string& Name) {
  return FCurrentKey && RegDeleteValueW(FCurrentKey, Utf8ToWide(Name).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& Key) {
  HKEY k;
  if (RegOpenKeyExW(GetBaseKey(IsRelative(Key)), Utf8ToWide(StripSlash(Key)).c_str(), 0, KEY_QUERY_VALUE, &k) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(k);
  return true;
}

bool TRegistry::ValueExists(const std::string& Name) {
  TRegDataInfo info;
  return GetDataInfo(Name, info);
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value) {
  Value = TRegKeyInfo{};
  DWORD subKeys, maxSub, values, maxValue, maxData;
  if (!FCurrentKey || RegQueryInfoKeyW(FCurrentKey, nullptr, nullptr, nullptr, &subKeys, &maxSub, nullptr, &values,
                                       &maxValue, &maxData, nullptr, &Value.FileTime) != ERROR_SUCCESS)
    return false;
  Value.NumSubKeys = static_cast<int>(subKeys);
  Value.MaxSubKeyLen = static_cast<int>(maxSub);
  Value.NumValues = static_cast<int>(values);
  Value.MaxValueLen = static_cast<int>(maxValue);
  Value.MaxDataLen = static_cast<int>(maxData);
  return true;
}

bool TRegistry::HasSubKeys() {
  TRegKeyInfo info;
  return GetKeyInfo(info) && info.NumSubKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->Clear();
  if (!FCurrentKey) return;
  std::vector<wchar_t> name(256);
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(name.size());
    LONG r = RegEnumKeyExW(FCurrentKey, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (r != ERROR_SUCCESS) break;
    Strings->Add(WideToUtf8(std::wstring_view(name.data(), len)));
  }
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->Clear();
  if (!FCurrentKey) return;
  std::vector<wchar_t> name(16384);
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(name.size());
    LONG r = RegEnumValueW(FCurrentKey, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (r != ERROR_SUCCESS) break;
    Strings->Add(WideToUtf8(std::wstring_view(name.data(), len)));
  }
}

bool TRegistry::GetDataInfo(const std::string& ValueName, TRegDataInfo& Value) {
  Value = TRegDataInfo{};
  DWORD type = 0, size = 0;
  if (!FCurrentKey ||
      RegQueryValueExW(FCurrentKey, Utf8ToWide(ValueName).c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  Value.RegData = DataTypeOf(type);
  Value.DataSize = static_cast<int>(size);
  return true;
}

int TRegistry::GetDataSize(const std::string& ValueName) {
  TRegDataInfo info;
  return GetDataInfo(ValueName, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& ValueName) {
  TRegDataInfo info;
  GetDataInfo(ValueName, info);
  return info.RegData;
}

int TRegistry::GetData(const std::string& Name, void* Buffer, int BufSize, TRegDataType& RegData) {
  DWORD type = 0, size = static_cast<DWORD>(BufSize);
  if (!FCurrentKey || RegQueryValueExW(FCurrentKey, Utf8ToWide(Name).c_str(), nullptr, &type,
                                       static_cast<BYTE*>(Buffer), &size) != ERROR_SUCCESS)
    throw ERegistryException("Failed to get data for '%s'", {Name});
  RegData = DataTypeOf(type);
  return static_cast<int>(size);
}

void TRegistry::PutData(const std::string& Name, const void* Buffer, int BufSize, DWORD Type) {
  if (!FCurrentKey || RegSetValueExW(FCurrentKey, Utf8ToWide(Name).c_str(), 0, Type,
                                     static_cast<const BYTE*>(Buffer), static_cast<DWORD>(BufSize)) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '%s'", {Name});
}

bool TRegistry::RenameValue(const std::string& OldName, const std::string& NewName) {
  TRegDataInfo info;
  if (!GetDataInfo(OldName, info) || ValueExists(NewName)) return false;
  std::vector<BYTE> data(info.DataSize + 2);
  DWORD type = 0, size = static_cast<DWORD>(data.size());
  if (RegQueryValueExW(FCurrentKey, Utf8ToWide(OldName).c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
    return false;
  PutData(NewName, data.data(), static_cast<int>(size), type);
  return DeleteValue(OldName);
}

std::string TRegistry::ReadString(const std::string& Name) {
  int len = GetDataSize(Name);
  if (len <= 0) return {};
  std::vector<wchar_t> buf(len / sizeof(wchar_t) + 1, L'\0');
  TRegDataType t;
  GetData(Name, buf.data(), len, t);
  if (t != rdString && t != rdExpandString) ReadError(Name);
  return WideToUtf8(buf.data());  // up to the first terminator
}

int TRegistry::ReadInteger(const std::string& Name) {
  DWORD v = 0;
  TRegDataType t;
  int n;
  try {
    n = GetData(Name, &v, sizeof v, t);
  } catch (const ERegistryException&) {
    // Larger data of another type does not fit; report the type, not a missing value.
    if (ValueExists(Name)) ReadError(Name);
    throw;
  }
  if (t != rdInteger || n != sizeof v) ReadError(Name);
  return static_cast<int>(v);
}

bool TRegistry::ReadBool(const std::string& Name) { return ReadInteger(Name) != 0; }

double TRegistry::ReadFloat(const std::string& Name) {
  double v = 0;
  TRegDataType t;
  if (GetDataSize(Name) != static_cast<int>(sizeof v)) {
    if (ValueExists(Name)) ReadError(Name);
    throw ERegistryException("Failed to get data for '%s'", {Name});
  }
  GetData(Name, &v, sizeof v, t);
  if (t != rdBinary) ReadError(Name);
  return v;
}

TDateTime TRegistry::ReadDateTime(const std::string& Name) { return ReadFloat(Name); }

int TRegistry::ReadBinaryData(const std::string& Name, void* Buffer, int BufSize) {
  TRegDataInfo info;
  if (!GetDataInfo(Name, info)) return 0;
  if ((info.RegData != rdBinary && info.RegData != rdUnknown) || info.DataSize > BufSize) ReadError(Name);
  TRegDataType t;
  return GetData(Name, Buffer, info.DataSize, t);
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  std::wstring w = Utf8ToWide(Value);
  PutData(Name, w.c_str(), static_cast<int>((w.size() + 1) * sizeof(wchar_t)), REG_SZ);
}

void TRegistry::WriteExpandString(const std::string& Name, const std::string& Value) {
  std::wstring w = Utf8ToWide(Value);
  PutData(Name, w.c_str(), static_cast<int>((w.size() + 1) * sizeof(wchar_t)), REG_EXPAND_SZ);
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
  DWORD v = static_cast<DWORD>(Value);
  PutData(Name, &v, sizeof v, REG_DWORD);
}

void TRegistry::WriteBool(const std::string& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

void TRegistry::WriteFloat(const std::string& Name, double Value) { PutData(Name, &Value, sizeof Value, REG_BINARY); }

void TRegistry::WriteDateTime(const std::string& Name, TDateTime Value) { WriteFloat(Name, Value); }

void TRegistry::WriteBinaryData(const std::string& Name, const void* Buffer, int BufSize) {
  PutData(Name, Buffer, BufSize, REG_BINARY);
}
