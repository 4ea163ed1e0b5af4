#include "suite/common/TextRoutines.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "framework/Unicode.h"

std::wstring CodePageTextToWide(const std::string& Text, unsigned CodePage, int Length) {
  size_t Count = Length < 0 ? Text.size() : std::min(Text.size(), static_cast<size_t>(Length));
  if (Count == 0) return {};
  if (CodePage == CP_UTF8) return Utf8ToWide(std::string_view(Text.data(), Count));
  int Needed = MultiByteToWideChar(CodePage, MB_PRECOMPOSED, Text.data(), static_cast<int>(Count), nullptr, 0);
  if (Needed <= 0) return {};
  std::wstring Result(static_cast<size_t>(Needed), L'\0');
  MultiByteToWideChar(CodePage, MB_PRECOMPOSED, Text.data(), static_cast<int>(Count), Result.data(), Needed);
  return Result;
}

std::string WideToCodePageText(const std::wstring& Text, unsigned CodePage, int Length) {
  size_t Count = Length < 0 ? Text.size() : std::min(Text.size(), static_cast<size_t>(Length));
  if (Count == 0) return {};
  if (CodePage == CP_UTF8) return WideToUtf8(std::wstring_view(Text.data(), Count));
  int Needed =
      WideCharToMultiByte(CodePage, 0, Text.data(), static_cast<int>(Count), nullptr, 0, nullptr, nullptr);
  if (Needed <= 0) return {};
  std::string Result(static_cast<size_t>(Needed), '\0');
  WideCharToMultiByte(CodePage, 0, Text.data(), static_cast<int>(Count), Result.data(), Needed, nullptr, nullptr);
  return Result;
}

std::string ShortToAnsi(const TShortString& S) { return std::string(reinterpret_cast<const char*>(&S[1]), S[0]); }

TShortString AnsiToShort(const std::string& S) {
  size_t Count = std::min<size_t>(S.size(), 255);
  // Back off over continuation bytes so that no character is cut in half.
  if (Count < S.size())
    while (Count > 0 && (static_cast<unsigned char>(S[Count]) & 0xC0) == 0x80) --Count;
  TShortString Result{};
  Result[0] = static_cast<unsigned char>(Count);
  std::memcpy(&Result[1], S.data(), Count);
  return Result;
}

void ZeroBytes(void* Buffer, std::size_t Count) {
  if (Count) std::memset(Buffer, 0, Count);
}

void CopyBytes(const void* Source, void* Dest, std::size_t Count) {
  if (Count) std::memmove(Dest, Source, Count);
}
