// MP3 files through LAME, with ID3v2 and ID3v1 tags around the frames and the
// XING/LAME header filled in at the end when asked for.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/codecs/CodecEncoder.h"
#include "engine/codecs/CodecFile.h"
#include "engine/codecs/CodecTags.h"
#include "engine/codecs/LameSettings.h"
#include "engine/codecs/SampleConverter.h"

struct lame_global_struct;

class TMp3Encoder : public TConvertingEncoder {
 public:
  TMp3Encoder(const std::string& path, int inRate, int inChannels, const TLameSettings& settings,
              const TCodecTags& tags);
  ~TMp3Encoder() override;
  void Finish() override;
  int GetOutRate() const { return Converter->GetOutRate(); }
  int GetOutChannels() const { return Converter->GetOutChannels(); }

 private:
  void Encode(const std::vector<float>& frames, bool last) override;
  bool IsFinished() const override { return !Out; }
  lame_global_struct* Lame = nullptr;
  std::unique_ptr<TCodecOutputFile> Out;
  std::vector<unsigned char> Id3v1, Buffer;
  std::vector<float> Left, Right;
  int64_t FirstFrameAt = 0;
  bool Xing = false;
};
