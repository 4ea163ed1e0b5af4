// The descriptive tags a document carries and a file stores.
#pragma once
#include <string>

struct TAudioTags {
  std::string Title;
  std::string Artist;
  std::string Album;
  std::string Comment;
  int Year = 0;     // 0: none
  int Genre = -1;   // index into the genre names; -1: none
  bool operator==(const TAudioTags&) const = default;
};

constexpr int kGenreCount = 148;
// Name of genre index 0 .. 147; empty outside.
const char* GenreName(int index);
// Index of a genre name (case does not matter), or -1.
int GenreIndex(const std::string& name);
