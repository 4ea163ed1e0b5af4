#include "engine/AudioCodecBridge.h"

TCodecTags ToCodecTags(const TAudioTags& t) {
  TCodecTags c;
  c.Title = t.Title;
  c.Artist = t.Artist;
  c.Album = t.Album;
  c.Comment = t.Comment;
  c.Year = t.Year;
  c.Genre = GenreName(t.Genre);
  c.GenreIndex = t.Genre;
  return c;
}

TAudioTags FromCodecTags(const TCodecTags& c) {
  TAudioTags t;
  t.Title = c.Title;
  t.Artist = c.Artist;
  t.Album = c.Album;
  t.Comment = c.Comment;
  t.Year = c.Year;
  t.Genre = c.Genre.empty() ? (c.GenreIndex >= 0 && c.GenreIndex < kGenreCount ? c.GenreIndex : -1)
                            : GenreIndex(c.Genre);
  return t;
}
