// Reads one CD database entry (the xmcd text a server sends in answer to a
// read) into the disc record. The lines come from the network: nothing in
// them can reach past a table or raise out of the parser.
#pragma once
#include <array>
#include <string>

#include "cd/CDInfo.h"

using TEntryArray = std::array<std::string, 1024>;

class TLocalCDDB {
 public:
  static constexpr int EntryComplete = 0;
  static constexpr int EntryCorrupt = -4;
  // Clears Info (keeping its category) and fills it from Lines; 0 when every
  // required element was there and sound, -4 otherwise. Info keeps what was
  // read in either case.
  int ParseEntry(TCDInfo& Info, const TEntryArray& Lines);
};

// "\n" to CR LF, "\t" to a tab and "\\" to one backslash, in one pass from the left.
std::string UnescapeEntryText(const std::string& Text);
