// Reading a compressed or headerless audio file block by block as interleaved
// float frames (full scale +-1.0), at the file's own rate; files of more than
// two channels are mixed down to stereo.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/codecs/CodecTags.h"

class TCodecDecoder {
 public:
  virtual ~TCodecDecoder() = default;
  virtual int GetRate() const = 0;
  virtual int GetChannels() const = 0;
  virtual int64_t GetLengthFrames() const = 0;
  virtual int GetBitRate() const = 0;  // bits per second of the coded file
  virtual TCodecTags GetTags() const = 0;
  // Up to frames frames into out; returns how many, 0 at the end.
  virtual int64_t Read(float* out, int64_t frames) = 0;
};

// The extensions OpenCodecDecoder reads (lower case, with the dot).
bool IsCodecExtension(const std::string& extension);
// Opens path by its extension; raises ECodecError for a missing, broken or
// unsupported file.
std::unique_ptr<TCodecDecoder> OpenCodecDecoder(const std::string& path);
