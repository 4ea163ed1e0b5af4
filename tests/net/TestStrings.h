// String lists from literals for the clients' inputs, and back for the checks.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

inline TOwned<TStringList> StringsOf(std::initializer_list<std::string> lines) {
  auto list = MakeOwned<TStringList>();
  for (const auto& l : lines) list->Add(l);
  return list;
}

inline std::vector<std::string> LinesOf(const TStrings* list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetStrings(i));
  return lines;
}
