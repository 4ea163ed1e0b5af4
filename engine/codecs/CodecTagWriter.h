// Writing tags into an existing file of a kind that holds them: ID3 for MP3
// and MP2, Vorbis comments for Ogg, ASF attributes for WMA. The file is
// rewritten through a temporary file.
#pragma once
#include <string>

#include "engine/codecs/CodecTags.h"

bool CanWriteCodecTags(const std::string& path);  // by the extension
// Raises ECodecError when the file cannot hold tags or cannot be rewritten.
void WriteCodecTags(const std::string& path, const TCodecTags& tags);
