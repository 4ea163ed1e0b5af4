#include "app/RecentFiles.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "framework/Streams.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"

void TRecentFiles::AddToTop(const std::string& Path) {
  std::erase_if(FItems, [&](const std::string& S) { return AnsiSameText(S, Path); });
  FItems.insert(FItems.begin(), Path);
  if (FItems.size() > MaxCount) FItems.resize(MaxCount);
  Changed();
}

void TRecentFiles::RemoveEntry(const std::string& Path) {
  if (std::erase_if(FItems, [&](const std::string& S) { return AnsiSameText(S, Path); }) > 0) Changed();
}

void TRecentFiles::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

void TRecentFiles::LoadFromFile(const std::string& FileName) {
  std::ifstream In(Utf8ToWide(FileName).c_str(), std::ios::binary);
  if (!In) return;
  std::vector<std::string> Items;
  std::string Line;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    if (!Line.empty()) Items.push_back(Line);
  }
  FItems = std::move(Items);
  Changed();
}

void TRecentFiles::SaveToFile(const std::string& FileName) const {
  std::string Text;
  for (const std::string& S : FItems) Text += S + "\r\n";
  SaveToFileSafely(FileName, [&](TStream& Stream) { Stream.WriteBuffer(Text.data(), static_cast<int>(Text.size())); });
}
