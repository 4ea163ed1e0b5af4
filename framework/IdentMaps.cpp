#include "framework/IdentMaps.h"

#include "framework/StringUtils.h"

bool IntToIdent(int Value, std::string& Ident, std::span<const TIdentMapEntry> Map) {
  for (const TIdentMapEntry& e : Map)
    if (e.Value == Value) {
      Ident = e.Name;
      return true;
    }
  return false;
}

bool IdentToInt(std::string_view Ident, int& Value, std::span<const TIdentMapEntry> Map) {
  for (const TIdentMapEntry& e : Map)
    if (SameText(e.Name, Ident)) {
      Value = e.Value;
      return true;
    }
  return false;
}
