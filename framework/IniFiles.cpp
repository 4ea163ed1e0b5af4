#include "framework/IniFiles.h"

#include <vector>

#include <windows.h>

#include "framework/Conversions.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/FormatSettings.h"
#include "framework/Streams.h"
#include "framework/StringLists.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "framework/WithUpdate.h"

// ---- TCustomIniFile ----

bool TCustomIniFile::SectionExists(const std::string& Section) {
  TStringList* s = TStringList::Create();
  ReadSection(Section, s);
  bool r = s->GetCount() > 0;
  Free(s);
  return r;
}

bool TCustomIniFile::ValueExists(const std::string& Section, const std::string& Ident) {
  TStringList* s = TStringList::Create();
  ReadSection(Section, s);
  bool r = s->IndexOf(Ident) >= 0;
  Free(s);
  return r;
}

int TCustomIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) {
  std::string s = ReadString(Section, Ident, "");
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  return StrToIntDef(s, Default);
}

void TCustomIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const std::string& Section, const std::string& Ident, double Default) {
  std::string s = ReadString(Section, Ident, "");
  return s.empty() ? Default : StrToFloatDef(s, Default);
}

void TCustomIniFile::WriteFloat(const std::string& Section, const std::string& Ident, double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TCustomIniFile::ReadDateTime(const std::string& Section, const std::string& Ident, TDateTime Default) {
  std::string s = ReadString(Section, Ident, "");
  if (s.empty()) return Default;
  try {
    return StrToDateTime(s);
  } catch (const EConvertError&) {
    return Default;
  }
}

void TCustomIniFile::WriteDateTime(const std::string& Section, const std::string& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateTimeToStr(Value));
}

int TCustomIniFile::ReadBinaryStream(const std::string& Section, const std::string& Name, TStream* Value) {
  std::string text = ReadString(Section, Name, "");
  if (text.size() % 2) return 0;
  std::string bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    int b;
    if (!TryStrToInt("$" + text.substr(i, 2), b)) return 0;
    bytes += static_cast<char>(b);
  }
  if (!bytes.empty()) Value->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  return static_cast<int>(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const std::string& Section, const std::string& Name, TStream* Value) {
  std::string text;
  char b;
  Value->SetPosition(0);
  while (Value->Read(&b, 1) == 1) text += IntToHex(static_cast<unsigned char>(b), 2);
  WriteString(Section, Name, text);
}

void TCustomIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) {
  TStringList* keys = TStringList::Create();
  try {
    ReadSection(Section, keys);
    WithUpdate(Strings, [&] {
      Strings->Clear();
      for (int i = 0; i < keys->GetCount(); ++i) {
        std::string k = keys->GetStrings(i);
        Strings->Add(k + "=" + ReadString(Section, k, ""));
      }
    });
  } catch (...) {
    Free(keys);
    throw;
  }
  Free(keys);
}

// ---- TIniFile ----

namespace {

// A list of zero-terminated strings from one of the system's INI calls.
std::vector<std::string> MultiString(const std::function<DWORD(wchar_t*, DWORD)>& get) {
  std::vector<wchar_t> buf(4096);
  DWORD n;
  for (;;) {
    n = get(buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size() - 2) break;
    buf.resize(buf.size() * 4);
  }
  std::vector<std::string> r;
  for (size_t i = 0; i < n && buf[i];) {
    std::wstring s(&buf[i]);
    r.push_back(WideToUtf8(s));
    i += s.size() + 1;
  }
  return r;
}

}  // namespace

TIniFile::~TIniFile() {
  // Writes held by the system's cache reach the file.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, Utf8ToWide(GetFileName()).c_str());
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) {
  std::vector<wchar_t> buf(2048);
  std::wstring sec = Utf8ToWide(Section), id = Utf8ToWide(Ident), def = Utf8ToWide(Default),
               file = Utf8ToWide(GetFileName());
  for (;;) {
    DWORD n = GetPrivateProfileStringW(sec.c_str(), id.c_str(), def.c_str(), buf.data(), static_cast<DWORD>(buf.size()),
                                       file.c_str());
    if (n < buf.size() - 1) return WideToUtf8(std::wstring_view(buf.data(), n));
    buf.resize(buf.size() * 4);
  }
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  if (!WritePrivateProfileStringW(Utf8ToWide(Section).c_str(), Utf8ToWide(Ident).c_str(), Utf8ToWide(Value).c_str(),
                                  Utf8ToWide(GetFileName()).c_str()))
    throw EIniFileException("Unable to write to %s", {GetFileName()});
}

void TIniFile::ReadSection(const std::string& Section, TStrings* Strings) {
  std::wstring sec = Utf8ToWide(Section), file = Utf8ToWide(GetFileName());
  auto names = MultiString([&](wchar_t* b, DWORD n) {
    return GetPrivateProfileStringW(sec.c_str(), nullptr, nullptr, b, n, file.c_str());
  });
  WithUpdate(Strings, [&] {
    Strings->Clear();
    for (auto& s : names) Strings->Add(s);
  });
}

void TIniFile::ReadSections(TStrings* Strings) {
  std::wstring file = Utf8ToWide(GetFileName());
  auto names = MultiString([&](wchar_t* b, DWORD n) { return GetPrivateProfileSectionNamesW(b, n, file.c_str()); });
  WithUpdate(Strings, [&] {
    Strings->Clear();
    for (auto& s : names) Strings->Add(s);
  });
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) {
  TCustomIniFile::ReadSectionValues(Section, Strings);
}

void TIniFile::EraseSection(const std::string& Section) {
  if (!WritePrivateProfileStringW(Utf8ToWide(Section).c_str(), nullptr, nullptr, Utf8ToWide(GetFileName()).c_str()))
    throw EIniFileException("Unable to write to %s", {GetFileName()});
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  WritePrivateProfileStringW(Utf8ToWide(Section).c_str(), Utf8ToWide(Ident).c_str(), nullptr,
                             Utf8ToWide(GetFileName()).c_str());
}

void TIniFile::UpdateFile() {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, Utf8ToWide(GetFileName()).c_str());
}

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(std::string AFileName) : TCustomIniFile(std::move(AFileName)), FSections(TStringList::Create()) {
  LoadValues();
}

TMemIniFile::~TMemIniFile() {
  Clear();
  Free(FSections);
}

void TMemIniFile::Clear() {
  for (int i = 0; i < FSections->GetCount(); ++i) Free(FSections->GetObjects(i));
  FSections->Clear();
}

bool TMemIniFile::GetCaseSensitive() const { return FSections->GetCaseSensitive(); }

void TMemIniFile::SetCaseSensitive(bool Value) {
  FSections->SetCaseSensitive(Value);
  for (int i = 0; i < FSections->GetCount(); ++i)
    static_cast<TStringList*>(FSections->GetObjects(i))->SetCaseSensitive(Value);
}

TStringList* TMemIniFile::FindSection(const std::string& Section) const {
  int i = FSections->IndexOf(Section);
  return i < 0 ? nullptr : static_cast<TStringList*>(FSections->GetObjects(i));
}

TStringList* TMemIniFile::AddSection(const std::string& Section) {
  TStringList* s = TStringList::Create();
  s->SetCaseSensitive(FSections->GetCaseSensitive());
  FSections->AddObject(Section, s);
  return s;
}

void TMemIniFile::LoadValues() {
  Clear();
  if (GetFileName().empty() || !FileExists(GetFileName())) return;
  TStringList* l = TStringList::Create();
  try {
    l->LoadFromFile(GetFileName());
    SetStrings(l);
  } catch (...) {
    Free(l);
    throw;
  }
  Free(l);
}

std::string TMemIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) {
  TStringList* s = FindSection(Section);
  if (!s) return Default;
  int i = s->IndexOfName(Ident);
  return i < 0 ? Default : s->GetValueFromIndex(i);
}

void TMemIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  TStringList* s = FindSection(Section);
  if (!s) s = AddSection(Section);
  std::string line = Ident + "=" + Value;
  int i = s->IndexOfName(Ident);
  if (i >= 0) s->SetStrings(i, line);
  else s->Add(line);
}

void TMemIniFile::ReadSection(const std::string& Section, TStrings* Strings) {
  WithUpdate(Strings, [&] {
    Strings->Clear();
    if (TStringList* s = FindSection(Section))
      for (int i = 0; i < s->GetCount(); ++i) {
        std::string n = s->GetNames(i);
        if (!n.empty()) Strings->Add(n);
      }
  });
}

void TMemIniFile::ReadSections(TStrings* Strings) { Strings->Assign(FSections); }

void TMemIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) {
  WithUpdate(Strings, [&] {
    Strings->Clear();
    if (TStringList* s = FindSection(Section)) Strings->AddStrings(s);
  });
}

void TMemIniFile::EraseSection(const std::string& Section) {
  int i = FSections->IndexOf(Section);
  if (i < 0) return;
  Free(FSections->GetObjects(i));
  FSections->Delete(i);
}

void TMemIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  if (TStringList* s = FindSection(Section)) {
    int i = s->IndexOfName(Ident);
    if (i >= 0) s->Delete(i);
  }
}

void TMemIniFile::GetStrings(TStrings* List) {
  WithUpdate(List, [&] {
    List->Clear();
    for (int i = 0; i < FSections->GetCount(); ++i) {
      List->Add("[" + FSections->GetStrings(i) + "]");
      List->AddStrings(static_cast<TStringList*>(FSections->GetObjects(i)));
      List->Add("");
    }
  });
}

void TMemIniFile::SetStrings(TStrings* List) {
  Clear();
  TStringList* current = nullptr;
  for (int i = 0; i < List->GetCount(); ++i) {
    std::string s = Trim(List->GetStrings(i));
    if (s.empty() || s[0] == ';') continue;
    if (s[0] == '[' && s.back() == ']') {
      std::string name = s.substr(1, s.size() - 2);
      current = FindSection(name);
      if (!current) current = AddSection(name);
    } else if (current) {
      // Blanks around the name go; the value keeps what follows '='.
      size_t eq = s.find('=');
      if (eq != std::string::npos) s = TrimRight(s.substr(0, eq)) + "=" + TrimLeft(s.substr(eq + 1));
      current->Add(s);
    }
  }
}

void TMemIniFile::Rename(const std::string& FileName, bool Reload) {
  SetFileName(FileName);
  if (Reload) LoadValues();
}

void TMemIniFile::UpdateFile() {
  TStringList* l = TStringList::Create();
  try {
    GetStrings(l);
    l->SaveToFile(GetFileName());
  } catch (...) {
    Free(l);
    throw;
  }
  Free(l);
}
