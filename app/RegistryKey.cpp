#include "app/RegistryKey.h"

#include "framework/Unicode.h"

namespace {

std::wstring KeyPath(const std::string& Path) {
  std::string P = Path;
  while (!P.empty() && P.front() == '\\') P.erase(0, 1);
  while (!P.empty() && P.back() == '\\') P.pop_back();
  return Utf8ToWide(P);
}

}  // namespace

bool TRegistryKey::Open(HKEY Root, const std::string& Path, bool CanCreate) {
  Close();
  const std::wstring W = KeyPath(Path);
  LONG R;
  if (CanCreate)
    R = RegCreateKeyExW(Root, W.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &FKey, nullptr);
  else
    R = RegOpenKeyExW(Root, W.c_str(), 0, KEY_READ | KEY_WRITE, &FKey);
  if (R != ERROR_SUCCESS && !CanCreate) R = RegOpenKeyExW(Root, W.c_str(), 0, KEY_READ, &FKey);
  if (R != ERROR_SUCCESS) FKey = nullptr;
  return FKey != nullptr;
}

void TRegistryKey::Close() {
  if (FKey) RegCloseKey(FKey);
  FKey = nullptr;
}

std::optional<std::string> TRegistryKey::ReadString(const std::string& Name) const {
  if (!FKey) return std::nullopt;
  const std::wstring W = Utf8ToWide(Name);
  DWORD Type = 0, Size = 0;
  if (RegQueryValueExW(FKey, W.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS) return std::nullopt;
  if (Type != REG_SZ && Type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring Buf(Size / sizeof(wchar_t) + 1, L'\0');
  Size = static_cast<DWORD>(Buf.size() * sizeof(wchar_t));
  if (RegQueryValueExW(FKey, W.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Buf.data()), &Size) != ERROR_SUCCESS)
    return std::nullopt;
  Buf.resize(Size / sizeof(wchar_t));
  while (!Buf.empty() && Buf.back() == L'\0') Buf.pop_back();
  return WideToUtf8(Buf);
}

std::optional<int32_t> TRegistryKey::ReadInteger(const std::string& Name) const {
  if (!FKey) return std::nullopt;
  DWORD Type = 0, Value = 0, Size = sizeof Value;
  if (RegQueryValueExW(FKey, Utf8ToWide(Name).c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(&Value), &Size) !=
          ERROR_SUCCESS ||
      Type != REG_DWORD || Size != sizeof Value)
    return std::nullopt;
  return static_cast<int32_t>(Value);
}

bool TRegistryKey::WriteString(const std::string& Name, const std::string& Value) {
  if (!FKey) return false;
  const std::wstring W = Utf8ToWide(Value);
  return RegSetValueExW(FKey, Utf8ToWide(Name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(W.c_str()),
                        static_cast<DWORD>((W.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool TRegistryKey::WriteInteger(const std::string& Name, int32_t Value) {
  if (!FKey) return false;
  const DWORD D = static_cast<DWORD>(Value);
  return RegSetValueExW(FKey, Utf8ToWide(Name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&D),
                        sizeof D) == ERROR_SUCCESS;
}

bool TRegistryKey::KeyExists(HKEY Root, const std::string& Path) {
  HKEY K = nullptr;
  if (RegOpenKeyExW(Root, KeyPath(Path).c_str(), 0, KEY_READ, &K) != ERROR_SUCCESS) return false;
  RegCloseKey(K);
  return true;
}

bool TRegistryKey::DeleteKeyTree(HKEY Root, const std::string& Path) {
  const std::wstring W = KeyPath(Path);
  if (W.empty()) return false;
  HKEY K = nullptr;
  if (RegOpenKeyExW(Root, W.c_str(), 0, KEY_READ | KEY_WRITE, &K) != ERROR_SUCCESS) return false;
  // Children first: RegDeleteKey only removes a key without subkeys.
  for (;;) {
    wchar_t Name[256];
    DWORD Len = 256;
    if (RegEnumKeyExW(K, 0, Name, &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!DeleteKeyTree(K, WideToUtf8(Name))) break;
  }
  RegCloseKey(K);
  return RegDeleteKeyW(Root, W.c_str()) == ERROR_SUCCESS;
}
