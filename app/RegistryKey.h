// A registry key opened for the settings, the shell folders and the Explorer verb.
// Reads answer "no value" for a missing value and for one of another type, so
// callers keep their defaults.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

class TRegistryKey {
public:
  TRegistryKey() = default;
  ~TRegistryKey() { Close(); }
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  // Path is relative to Root, "\" separated; false when it cannot be opened (made).
  bool Open(HKEY Root, const std::string& Path, bool CanCreate);
  void Close();
  bool IsOpen() const { return FKey != nullptr; }

  std::optional<std::string> ReadString(const std::string& Name) const;
  std::optional<int32_t> ReadInteger(const std::string& Name) const;
  bool WriteString(const std::string& Name, const std::string& Value);
  bool WriteInteger(const std::string& Name, int32_t Value);

  static bool KeyExists(HKEY Root, const std::string& Path);
  // Deletes the key and everything below it.
  static bool DeleteKeyTree(HKEY Root, const std::string& Path);

private:
  HKEY FKey = nullptr;
};
