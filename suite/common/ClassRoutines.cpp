#include "suite/common/ClassRoutines.h"

#include "framework/Unicode.h"

std::string LocaleInfoString(LCID Locale, LCTYPE InfoType, const std::string& Default) {
  int Length = GetLocaleInfoW(Locale, InfoType, nullptr, 0);
  if (Length <= 0) return Default;
  std::wstring Buffer(static_cast<size_t>(Length), L'\0');
  Length = GetLocaleInfoW(Locale, InfoType, Buffer.data(), Length);
  if (Length <= 0) return Default;
  Buffer.resize(static_cast<size_t>(Length - 1));
  return WideToUtf8(Buffer);
}

int CharLengthAt(const std::string& Text, int Position) {
  if (Position < 1 || Position > static_cast<int>(Text.size())) return 1;
  unsigned char Lead = static_cast<unsigned char>(Text[static_cast<size_t>(Position - 1)]);
  int Length = Lead < 0x80 ? 1 : (Lead & 0xE0) == 0xC0 ? 2 : (Lead & 0xF0) == 0xE0 ? 3 : (Lead & 0xF8) == 0xF0 ? 4 : 1;
  // A sequence cut short by the end of the text counts what is there.
  int Left = static_cast<int>(Text.size()) - Position + 1;
  return Length > Left ? Left : Length;
}

std::string TextBeforeBar(const std::string& Text) {
  auto Bar = Text.find('|');
  return Bar == std::string::npos ? Text : Text.substr(0, Bar);
}

void InstallThreadHook(HHOOK& Handle, int HookType, HOOKPROC HookProc) {
  Handle = SetWindowsHookExW(HookType, HookProc, nullptr, GetCurrentThreadId());
}

void RemoveThreadHook(HHOOK& Handle) {
  if (!Handle) return;
  UnhookWindowsHookEx(Handle);
  Handle = nullptr;
}
