#include "framework/RegistryIniFile.h"

#include "framework/Conversions.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/StringLists.h"

#include <vector>

TRegistryIniFile::TRegistryIniFile(const std::string& AFileName, REGSAM AAccess, HKEY ARootKey)
    : TCustomIniFile(AFileName), FRegistry(TRegistry::Create(AAccess)) {
  FRegistry->SetRootKey(ARootKey);
  FBase = AFileName;
  while (!FBase.empty() && FBase.back() == '\\') FBase.pop_back();
  if (FBase.empty() || FBase[0] != '\\') FBase = "\\" + FBase;
}

TRegistryIniFile::~TRegistryIniFile() { Free(FRegistry); }

bool TRegistryIniFile::OpenSection(const std::string& Section, bool Create) {
  std::string key = Section.empty() ? FBase : FBase + "\\" + Section;
  if (Create) return FRegistry->OpenKey(key, true);
  return FRegistry->OpenKeyReadOnly(key);
}

std::string TRegistryIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                         const std::string& Default) {
  std::string r = Default;
  if (OpenSection(Section, false)) {
    TRegDataType t = FRegistry->GetDataType(Ident);
    if (FRegistry->ValueExists(Ident)) {
      if (t == rdInteger) r = IntToStr(FRegistry->ReadInteger(Ident));
      else if (t == rdString || t == rdExpandString) r = FRegistry->ReadString(Ident);
    }
    FRegistry->CloseKey();
  }
  return r;
}

void TRegistryIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  WriteValue(Section, [&] { FRegistry->WriteString(Ident, Value); });
}

int TRegistryIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) {
  int r = Default;
  if (OpenSection(Section, false)) {
    TRegDataType t = FRegistry->GetDataType(Ident);
    if (FRegistry->ValueExists(Ident)) {
      if (t == rdInteger) r = FRegistry->ReadInteger(Ident);
      else if (t == rdString || t == rdExpandString) r = StrToIntDef(FRegistry->ReadString(Ident), Default);
    }
    FRegistry->CloseKey();
  }
  return r;
}

void TRegistryIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
  WriteValue(Section, [&] { FRegistry->WriteInteger(Ident, Value); });
}

void TRegistryIniFile::WriteValue(const std::string& Section, const std::function<void()>& Write) {
  if (!OpenSection(Section, true)) throw ERegistryException("Failed to create key %s", {FBase + "\\" + Section});
  try {
    Write();
  } catch (...) {
    FRegistry->CloseKey();
    throw;
  }
  FRegistry->CloseKey();
}

int TRegistryIniFile::ReadBinaryStream(const std::string& Section, const std::string& Name, TStream* Value) {
  int n = 0;
  if (OpenSection(Section, false)) {
    TRegDataInfo info;
    if (FRegistry->GetDataInfo(Name, info) && info.RegData == rdBinary && info.DataSize > 0) {
      std::vector<char> buf(info.DataSize);
      n = FRegistry->ReadBinaryData(Name, buf.data(), info.DataSize);
      Value->WriteBuffer(buf.data(), n);
    }
    FRegistry->CloseKey();
  }
  return n;
}

void TRegistryIniFile::WriteBinaryStream(const std::string& Section, const std::string& Name, TStream* Value) {
  std::vector<char> buf(static_cast<size_t>(Value->GetSize()));
  Value->SetPosition(0);
  if (!buf.empty()) Value->ReadBuffer(buf.data(), static_cast<int>(buf.size()));
  WriteValue(Section, [&] { FRegistry->WriteBinaryData(Name, buf.data(), static_cast<int>(buf.size())); });
}

bool TRegistryIniFile::ValueExists(const std::string& Section, const std::string& Ident) {
  bool r = false;
  if (OpenSection(Section, false)) {
    r = FRegistry->ValueExists(Ident);
    FRegistry->CloseKey();
  }
  return r;
}

void TRegistryIniFile::ReadSection(const std::string& Section, TStrings* Strings) {
  Strings->Clear();
  if (OpenSection(Section, false)) {
    FRegistry->GetValueNames(Strings);
    FRegistry->CloseKey();
  }
}

void TRegistryIniFile::ReadSections(TStrings* Strings) {
  Strings->Clear();
  if (OpenSection("", false)) {
    FRegistry->GetKeyNames(Strings);
    FRegistry->CloseKey();
  }
}

void TRegistryIniFile::EraseSection(const std::string& Section) { FRegistry->DeleteKey(FBase + "\\" + Section); }

void TRegistryIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  if (OpenSection(Section, true)) {
    FRegistry->DeleteValue(Ident);
    FRegistry->CloseKey();
  }
}
