// Names of integer values as form data stores them ("clRed", "crHandPoint",
// "DEFAULT_CHARSET"); names compare without regard to case.
#pragma once

#include <span>
#include <string>
#include <string_view>

struct TIdentMapEntry {
  int Value;
  const char* Name;
};

// The first name Map gives Value; false when it has none.
bool IntToIdent(int Value, std::string& Ident, std::span<const TIdentMapEntry> Map);
// The value Map gives Ident; false when it names none.
bool IdentToInt(std::string_view Ident, int& Value, std::span<const TIdentMapEntry> Map);
