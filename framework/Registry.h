// TRegistry: one open key at a time under a root key (HKEY_CURRENT_USER unless set).
// Key paths are relative to the open key, or to the root when they start with '\'.
//
//   TRegistry* R = TRegistry::Create();
//   if (R->OpenKey("\\SOFTWARE\\Sonvelt\\2.0", true)) { R->WriteInteger("X", 5); R->CloseKey(); }
//   Free(R);
// Reading a value that is missing raises ERegistryException "Failed to get data for
// 'X'" (ReadString gives "" instead); a value of another type raises "Invalid data type
// for 'X'"; a failed write raises "Failed to set data for 'X'".
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "framework/DateTime.h"
#include "framework/Object.h"

class TStrings;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  int DataSize = 0;
};

struct TRegKeyInfo {
  int NumSubKeys = 0;
  int MaxSubKeyLen = 0;
  int NumValues = 0;
  int MaxValueLen = 0;
  int MaxDataLen = 0;
  FILETIME FileTime{};
};

class TRegistry : public TObject {
  SONVELT_CLASS(TRegistry, TObject)
public:
  explicit TRegistry(REGSAM AAccess) : FAccess(AAccess) {}
  TRegistry() : TRegistry(KEY_ALL_ACCESS) {}
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;
  ~TRegistry() override;

  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);
  HKEY GetCurrentKey() const { return FCurrentKey; }
  const std::string& GetCurrentPath() const { return FCurrentPath; }
  REGSAM GetAccess() const { return FAccess; }
  void SetAccess(REGSAM Value) { FAccess = Value; }
  bool GetLazyWrite() const { return FLazyWrite; }
  void SetLazyWrite(bool Value) { FLazyWrite = Value; }

  bool OpenKey(const std::string& Key, bool CanCreate);
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();
  bool CreateKey(const std::string& Key);  // ERegistryException "Failed to create key %s"
  bool DeleteKey(const std::string& Key);  // with every sub-key
  bool DeleteValue(const std::string& Name);
  bool KeyExists(const std::string& Key);
  bool ValueExists(const std::string& Name);
  bool HasSubKeys();
  bool GetKeyInfo(TRegKeyInfo& Value);
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);
  bool GetDataInfo(const std::string& ValueName, TRegDataInfo& Value);
  int GetDataSize(const std::string& ValueName);  // -1 when missing
  TRegDataType GetDataType(const std::string& ValueName);
  bool RenameValue(const std::string& OldName, const std::string& NewName);

  std::string ReadString(const std::string& Name);
  int ReadInteger(const std::string& Name);
  bool ReadBool(const std::string& Name);
  double ReadFloat(const std::string& Name);
  TDateTime ReadDateTime(const std::string& Name);
  // Bytes of a binary value; ReadError when it is larger than BufSize. 0 when missing.
  int ReadBinaryData(const std::string& Name, void* Buffer, int BufSize);
  void WriteString(const std::string& Name, const std::string& Value);
  void WriteExpandString(const std::string& Name, const std::string& Value);
  void WriteInteger(const std::string& Name, int Value);
  void WriteBool(const std::string& Name, bool Value);
  void WriteFloat(const std::string& Name, double Value);
  void WriteDateTime(const std::string& Name, TDateTime Value);
  void WriteBinaryData(const std::string& Name, const void* Buffer, int BufSize);

private:
  HKEY GetBaseKey(bool Relative) const;
  bool OpenKeyWith(const std::string& Key, bool CanCreate, REGSAM Access);
  bool IsRelative(const std::string& Key) const { return Key.empty() || Key[0] != '\\'; }
  void ChangeKey(HKEY Value, const std::string& Path);
  int GetData(const std::string& Name, void* Buffer, int BufSize, TRegDataType& RegData);
  void PutData(const std::string& Name, const void* Buffer, int BufSize, DWORD Type);
  [[noreturn]] static void ReadError(const std::string& Name);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  REGSAM FAccess;
  bool FLazyWrite = true;
  bool FCloseRootKey = false;
};
