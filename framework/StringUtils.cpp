#include "framework/StringUtils.h"

#include <windows.h>

#include "framework/Unicode.h"

namespace {
char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char Low(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int CompareLocale(std::string_view a, std::string_view b, DWORD flags) {
  std::wstring wa = Utf8ToWide(a), wb = Utf8ToWide(b);
  int r = CompareStringW(LOCALE_USER_DEFAULT, flags, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                         static_cast<int>(wb.size()));
  return r - CSTR_EQUAL;
}

std::string MapLocale(std::string_view s, DWORD flags) {
  std::wstring w = Utf8ToWide(s);
  if (w.empty()) return {};
  int n = LCMapStringW(LOCALE_USER_DEFAULT, flags, w.c_str(), static_cast<int>(w.size()), nullptr, 0);
  std::wstring r(n, L'\0');
  LCMapStringW(LOCALE_USER_DEFAULT, flags, w.c_str(), static_cast<int>(w.size()), r.data(), n);
  return WideToUtf8(r);
}
}  // namespace

std::string Trim(std::string_view S) { return TrimRight(TrimLeft(S)); }

std::string TrimLeft(std::string_view S) {
  size_t i = 0;
  while (i < S.size() && Blank(S[i])) ++i;
  return std::string(S.substr(i));
}

std::string TrimRight(std::string_view S) {
  size_t n = S.size();
  while (n > 0 && Blank(S[n - 1])) --n;
  return std::string(S.substr(0, n));
}

std::string UpperCase(std::string_view S) {
  std::string r(S);
  for (char& c : r) c = Up(c);
  return r;
}

std::string LowerCase(std::string_view S) {
  std::string r(S);
  for (char& c : r) c = Low(c);
  return r;
}

std::string AnsiUpperCase(std::string_view S) { return MapLocale(S, LCMAP_UPPERCASE); }
std::string AnsiLowerCase(std::string_view S) { return MapLocale(S, LCMAP_LOWERCASE); }

int CompareStr(std::string_view S1, std::string_view S2) {
  size_t n = S1.size() < S2.size() ? S1.size() : S2.size();
  for (size_t i = 0; i < n; ++i) {
    int d = static_cast<unsigned char>(S1[i]) - static_cast<unsigned char>(S2[i]);
    if (d) return d;
  }
  return static_cast<int>(S1.size()) - static_cast<int>(S2.size());
}

int CompareText(std::string_view S1, std::string_view S2) {
  size_t n = S1.size() < S2.size() ? S1.size() : S2.size();
  for (size_t i = 0; i < n; ++i) {
    int d = static_cast<unsigned char>(Up(S1[i])) - static_cast<unsigned char>(Up(S2[i]));
    if (d) return d;
  }
  return static_cast<int>(S1.size()) - static_cast<int>(S2.size());
}

bool SameText(std::string_view S1, std::string_view S2) { return S1.size() == S2.size() && CompareText(S1, S2) == 0; }

int AnsiCompareStr(std::string_view S1, std::string_view S2) { return CompareLocale(S1, S2, 0); }
int AnsiCompareText(std::string_view S1, std::string_view S2) { return CompareLocale(S1, S2, NORM_IGNORECASE); }
bool AnsiSameText(std::string_view S1, std::string_view S2) { return AnsiCompareText(S1, S2) == 0; }

std::string QuotedStr(std::string_view S) {
  std::string r = "'";
  for (char c : S) {
    if (c == '\'') r += '\'';
    r += c;
  }
  return r + "'";
}

std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags) {
  if (OldPattern.empty()) return std::string(S);
  std::string hay = Flags.Contains(rfIgnoreCase) ? AnsiUpperCase(S) : std::string(S);
  std::string pat = Flags.Contains(rfIgnoreCase) ? AnsiUpperCase(OldPattern) : std::string(OldPattern);
  // Upper-casing may change byte lengths for some letters; then match case-sensitively on ASCII folding.
  if (hay.size() != S.size() || pat.size() != OldPattern.size()) {
    hay = UpperCase(S);
    pat = UpperCase(OldPattern);
  }
  std::string r;
  size_t from = 0;
  for (;;) {
    size_t p = hay.find(pat, from);
    if (p == std::string::npos) break;
    r.append(S.substr(from, p - from));
    r.append(NewPattern);
    from = p + pat.size();
    if (!Flags.Contains(rfReplaceAll)) break;
  }
  r.append(S.substr(from));
  return r;
}

int Pos(std::string_view SubStr, std::string_view S) { return PosEx(SubStr, S, 1); }

int PosEx(std::string_view SubStr, std::string_view S, int Offset) {
  if (SubStr.empty() || Offset < 1 || Offset > static_cast<int>(S.size())) return 0;
  size_t p = S.find(SubStr, Offset - 1);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string Copy(std::string_view S, int Index, int Count) {
  if (Index < 1) Index = 1;
  if (Count <= 0 || Index > static_cast<int>(S.size())) return {};
  return std::string(S.substr(Index - 1, Count));
}

std::string StringOfChar(char C, int Count) { return Count > 0 ? std::string(Count, C) : std::string(); }

bool IsValidIdent(std::string_view Ident) {
  if (Ident.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(Ident[0])) return false;
  for (char c : Ident)
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

std::string AdjustLineBreaks(std::string_view S) {
  std::string r;
  for (size_t i = 0; i < S.size(); ++i) {
    char c = S[i];
    if (c == '\r') {
      r += "\r\n";
      if (i + 1 < S.size() && S[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      r += "\r\n";
    } else {
      r += c;
    }
  }
  return r;
}
