// Reading any supported audio file block by block. WAV is built in; other
// formats join through RegisterAudioDecoder.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/AudioTags.h"

class TAudioDecoder {
 public:
  virtual ~TAudioDecoder() = default;
  virtual int GetRate() const = 0;
  virtual int GetChannels() const = 0;
  virtual int64_t GetLengthFrames() const = 0;
  virtual int GetBitRate() const = 0;  // bits per second of the file's own coding
  virtual TAudioTags GetTags() const = 0;
  // Next frames, interleaved floats; returns how many, 0 at the end.
  virtual int64_t Read(float* out, int64_t frames) = 0;
  // Decoders of 16-bit files may hand their samples over as they are.
  virtual bool ReadsInt16() const { return false; }
  virtual int64_t ReadInt16(int16_t*, int64_t) { return 0; }
};

// Returns a decoder when it recognises the file, nullptr when it does not, and
// raises EAudioError when it recognises the file but finds it broken.
using TAudioDecoderFactory = std::unique_ptr<TAudioDecoder> (*)(const std::string& path);
void RegisterAudioDecoder(TAudioDecoderFactory factory);

// Raises EAudioError for a missing, broken or unsupported file.
std::unique_ptr<TAudioDecoder> OpenAudioDecoder(const std::string& path);
