// Where saved audio goes: a WAV file of our own or one of the compressed
// formats, chosen by the output settings of the editor and the block writer.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/AudioTags.h"
#include "engine/WavFile.h"
#include "engine/codecs/LameSettings.h"
#include "engine/codecs/OggEncoder.h"

struct TAudioOutputFormat {
  enum class TKind { Wav, Mp3, Ogg, Wma };
  TKind Kind = TKind::Wav;
  TWavFormat Wav;
  bool WavSet = false;  // otherwise WAV follows the source's rate and channels, 16 bits
  TLameSettings Mp3;
  TOggSettings Ogg;
  int WmaProfile = 10;
};

class TAudioEncoder {
 public:
  virtual ~TAudioEncoder() = default;
  virtual void Write(const float* frames, int64_t count) = 0;  // interleaved, in the source format
  // The file takes its name only now; an encoder dropped before leaves the target as it was.
  virtual void Finish() = 0;
};

// Raises EAudioError when the file cannot be created or the settings are unusable.
std::unique_ptr<TAudioEncoder> CreateAudioEncoder(const std::string& path, const TAudioOutputFormat& format,
                                                  int rate, int channels, const TAudioTags& tags);
