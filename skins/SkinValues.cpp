#include "skins/SkinValues.h"

#include <algorithm>
#include <cctype>

#include "framework/Conversions.h"
#include "framework/Exceptions.h"
#include "framework/IniFiles.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

namespace {

// The pieces of a comma-separated text with everything but digits dropped.
std::vector<int> SkinNumbers(const std::string& S, size_t Needed) {
  std::vector<int> numbers;
  size_t start = 0;
  while (numbers.size() < Needed) {
    const size_t comma = S.find(',', start);
    if (start > S.size()) break;
    std::string digits;
    for (size_t i = start; i < (comma == std::string::npos ? S.size() : comma); ++i)
      if (S[i] >= '0' && S[i] <= '9') digits += S[i];
    numbers.push_back(StrToInt(digits));  // raises for an empty piece or beyond 32 bits
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (numbers.size() < Needed) throw EConvertError("'%s' is not a valid integer value", {std::string()});
  return numbers;
}

bool CanonicalNumber(const std::string& S, int& Value) {
  if (S.empty() || S.size() > 10 || (S.size() > 1 && S[0] == '0')) return false;
  int64_t v = 0;
  for (char c : S) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v > 0x7FFFFFFF) return false;
  Value = int(v);
  return true;
}

bool StartsWithNoCase(const std::string& S, const std::string& Prefix) {
  if (S.size() < Prefix.size()) return false;
  for (size_t i = 0; i < Prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(S[i])) != std::tolower(static_cast<unsigned char>(Prefix[i])))
      return false;
  return true;
}

}  // namespace

RECT StrToSkinRect(const std::string& S) {
  const std::vector<int> n = SkinNumbers(S, 4);
  return RECT{n[0], n[1], n[2], n[3]};
}

POINT StrToSkinPoint(const std::string& S) {
  const std::vector<int> n = SkinNumbers(S, 2);
  return POINT{n[0], n[1]};
}

RECT ReadSkinRect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  return StrToSkinRect(Ini->ReadString(Section, Ident, "0,0,0,0"));
}

void WriteSkinRect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, const RECT& Value) {
  Ini->WriteString(Section, Ident,
                   IntToStr(Value.left) + "," + IntToStr(Value.top) + "," + IntToStr(Value.right) + "," +
                       IntToStr(Value.bottom));
}

POINT ReadSkinPoint(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  return StrToSkinPoint(Ini->ReadString(Section, Ident, "0,0"));
}

void WriteSkinPoint(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                    const POINT& Value) {
  Ini->WriteString(Section, Ident, IntToStr(Value.x) + "," + IntToStr(Value.y));
}

bool ReadSkinBoolean(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  return Ini->ReadInteger(Section, Ident, 0) == 1;
}

void WriteSkinBoolean(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, bool Value) {
  Ini->WriteInteger(Section, Ident, Value ? 1 : 0);
}

namespace {
const char* const FontStyleWords[] = {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"};
}

TFontStyles ReadSkinFontStyles(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  const std::string s = Ini->ReadString(Section, Ident, "");
  TFontStyles styles;
  for (int i = 0; i < 4; ++i)
    if (s.find(FontStyleWords[i]) != std::string::npos) styles.Include(TFontStyle(i));
  return styles;
}

void WriteSkinFontStyles(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                         TFontStyles Value) {
  std::string s;
  for (int i = 0; i < 4; ++i)
    if (Value.Contains(TFontStyle(i))) s += (s.empty() ? "" : ",") + std::string(FontStyleWords[i]);
  Ini->WriteString(Section, Ident, s);
}

TAlignment ReadSkinAlignment(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  const std::string s = Ini->ReadString(Section, Ident, "tacenter");
  if (s == "tacenter") return taCenter;
  if (s == "taleftjustify") return taLeftJustify;
  return taRightJustify;
}

void WriteSkinAlignment(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                        TAlignment Value) {
  Ini->WriteString(Section, Ident,
                   Value == taCenter ? "tacenter" : Value == taRightJustify ? "tarightjustify" : "taleftjustify");
}

std::vector<int> NumberedKeys(TCustomIniFile* Ini, const std::string& Section, const std::string& Prefix,
                              int Count) {
  std::vector<int> found;
  if (Count <= 0) return found;
  auto keys = MakeOwned<TStringList>();
  Ini->ReadSection(Section, keys.get());
  for (int i = 0; i < keys->GetCount(); ++i) {
    const std::string key = keys->GetStrings(i);
    int k = 0;
    if (StartsWithNoCase(key, Prefix) && CanonicalNumber(key.substr(Prefix.size()), k) && k < Count)
      found.push_back(k);
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

void ReadSkinStrings(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TStrings* Lines) {
  const int count = Ini->ReadInteger(Section, Ident + "linecount", 0);
  for (int k : NumberedKeys(Ini, Section, Ident + "line", count))
    Lines->Add(Ini->ReadString(Section, Ident + "line" + IntToStr(k), ""));
}

void WriteSkinStrings(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TStrings* Lines) {
  Ini->WriteInteger(Section, Ident + "linecount", Lines->GetCount());
  for (int i = 0; i < Lines->GetCount(); ++i)
    Ini->WriteString(Section, Ident + "line" + IntToStr(i), Lines->GetStrings(i));
}

void ReadSkinList(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TStrings* List) {
  const int count = Ini->ReadInteger(Section, Ident + "count", 0);
  for (int k : NumberedKeys(Ini, Section, "", count)) List->Add(Ini->ReadString(Section, IntToStr(k), ""));
}

const TSkinWordTable StretchTypeWords{{"stfull", "sthorz", "stvert"}, 3, 1, 0};
const TSkinWordTable MorphKindWords{
    {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"}, 7, 0, 0};
const TSkinWordTable InactiveEffectWords{
    {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"}, 6, 2, 0};
const TSkinWordTable FramesPlacementWords{{"fphorizontal", "fpvertical"}, 1, 1, 0};
const TSkinWordTable RegulatorKindWords{{"rkround", "rkhorizontal", "rkvertical"}, 2, 2, 0};
const TSkinWordTable GaugeKindWords{{"gkhorizontal", "gkvertical"}, 1, 1, 0};
const TSkinWordTable CommandWords{
    {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"}, 6, 6, 4};

int ReadSkinWord(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                 const TSkinWordTable& Table) {
  if (!Ini->ValueExists(Section, Ident)) return Table.Missing;
  const std::string s = Ini->ReadString(Section, Ident, "");
  for (size_t i = 0; i < Table.Known; ++i)
    if (s == Table.Words[i]) return int(i);
  return Table.Other;
}

void WriteSkinWord(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                   const TSkinWordTable& Table, int Value) {
  const size_t i = Value >= 0 && size_t(Value) < Table.Words.size() ? size_t(Value) : size_t(Table.Other);
  Ini->WriteString(Section, Ident, Table.Words[i]);
}

TspStretchType ReadStretchType(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  return TspStretchType(ReadSkinWord(Ini, Section, Ident, StretchTypeWords));
}
void WriteStretchType(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                      TspStretchType Value) {
  WriteSkinWord(Ini, Section, Ident, StretchTypeWords, Value);
}
TspMorphKind ReadMorphKind(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  return TspMorphKind(ReadSkinWord(Ini, Section, Ident, MorphKindWords));
}
void WriteMorphKind(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TspMorphKind Value) {
  WriteSkinWord(Ini, Section, Ident, MorphKindWords, Value);
}
TspInactiveEffect ReadInactiveEffect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident) {
  return TspInactiveEffect(ReadSkinWord(Ini, Section, Ident, InactiveEffectWords));
}
void WriteInactiveEffect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                         TspInactiveEffect Value) {
  WriteSkinWord(Ini, Section, Ident, InactiveEffectWords, Value);
}

bool IsSkinIni(TCustomIniFile* Ini) {
  for (const char* s : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
    if (!Ini->SectionExists(s)) return false;
  return true;
}
