// The disc record of the CD database client: what an entry says about a disc.
#pragma once
#include <array>
#include <string>

#include "cd/CDTypes.h"

using TStringArray = std::array<std::string, 100>;

struct TCDInfo {
  std::string DiscId;  // 8 lower-case hexadecimal digits
  std::string Artist, Title, Year, Genre, ExtData;
  TStringArray TrackTitles;   // entry n: the entry's track n (0 = the first track)
  TStringArray TrackExtData;
  std::string Category;
  int Revision = 0;
  TCDTrackTable Toc;
};
