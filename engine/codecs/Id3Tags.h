// ID3 tags of MP3 files: version 2.3 at the start and version 1.1 at the end.
// Reading is left to the demuxer; these build the tags and put them into files.
#pragma once
#include <string>
#include <vector>

#include "engine/codecs/CodecTags.h"

// The whole ID3v2.3 tag; empty when tags hold nothing.
std::vector<unsigned char> BuildId3v2(const TCodecTags& tags);
// The 128-byte ID3v1.1 tag (text outside Latin-1 becomes '?'); empty when tags hold nothing.
std::vector<unsigned char> BuildId3v1(const TCodecTags& tags);
// Replaces the ID3 tags of an MP3 file (through a temporary file).
void WriteId3Tags(const std::string& path, const TCodecTags& tags);
