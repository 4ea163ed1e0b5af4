// TRegistryIniFile: the INI interface over the registry. The "file name" is a key path
// under the root key (HKEY_CURRENT_USER unless given); each section is a sub-key and
// each ident a value. Integers are stored as numbers, strings as strings; reading
// accepts either form.
#pragma once

#include <functional>

#include "framework/IniFiles.h"
#include "framework/Registry.h"

class TRegistryIniFile : public TCustomIniFile {
  SONVELT_CLASS(TRegistryIniFile, TCustomIniFile)
public:
  explicit TRegistryIniFile(const std::string& AFileName, REGSAM AAccess = KEY_ALL_ACCESS,
                            HKEY ARootKey = HKEY_CURRENT_USER);
  ~TRegistryIniFile() override;

  TRegistry* GetRegIniFile() const { return FRegistry; }
  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) override;
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
  int ReadInteger(const std::string& Section, const std::string& Ident, int Default) override;
  void WriteInteger(const std::string& Section, const std::string& Ident, int Value) override;
  bool ValueExists(const std::string& Section, const std::string& Ident) override;
  int ReadBinaryStream(const std::string& Section, const std::string& Name, TStream* Value) override;
  void WriteBinaryStream(const std::string& Section, const std::string& Name, TStream* Value) override;
  void ReadSection(const std::string& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void EraseSection(const std::string& Section) override;
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  void UpdateFile() override {}

private:
  // Opens Section under the base key (created when Create); false when it cannot be.
  bool OpenSection(const std::string& Section, bool Create);
  // Runs Write with Section open for writing.
  void WriteValue(const std::string& Section, const std::function<void()>& Write);
  TRegistry* FRegistry;
  std::string FBase;
};
