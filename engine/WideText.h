// UTF-8 inside, UTF-16 only where Win32 is called.
#pragma once
#include <string>

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
