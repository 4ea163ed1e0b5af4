// The descriptive tags the containers store, as plain text.
#pragma once
#include <string>

struct TCodecTags {
  std::string Title;
  std::string Artist;
  std::string Album;
  std::string Comment;
  int Year = 0;            // 0: none
  std::string Genre;       // the genre's name; empty: none
  // ID3v1 stores only an index into the standard genre list: the caller, who
  // owns that list, gives it here (-1: none).
  int GenreIndex = -1;
  bool operator==(const TCodecTags&) const = default;
};
