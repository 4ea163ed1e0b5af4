// ID3 tags of MP3 files: version 2.3 at the start and version 1.1 at the end.
// Reading is left to the demuxer, but for the comment, which some encoders
// write in a way the demuxer drops; these build the tags and put them into files.
#pragma once
#include <string>
#include <vector>

#include "engine/codecs/CodecTags.h"

// The whole ID3v2.3 tag; empty when tags hold nothing.
std::vector<unsigned char> BuildId3v2(const TCodecTags& tags);
// The 128-byte ID3v1.1 tag (text outside Latin-1 becomes '?'); empty when tags hold nothing.
std::vector<unsigned char> BuildId3v1(const TCodecTags& tags);
class TCodecFile;
// The comments of a file's ID3 tags, in UTF-8; empty where there is none or it
// cannot be read. UTF-16 without a byte-order mark is read as little-endian.
struct TId3Comments {
  std::string V2, V1;
};
TId3Comments ReadId3Comments(TCodecFile& file);
// Replaces the ID3 tags of an MP3 file (through a temporary file).
void WriteId3Tags(const std::string& path, const TCodecTags& tags);
