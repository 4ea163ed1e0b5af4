// UTF-8 (our strings) to UTF-16 (Win32 W calls) and back. Invalid input never throws:
// bad sequences become U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);
