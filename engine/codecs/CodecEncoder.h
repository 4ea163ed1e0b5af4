// Writing audio into a compressed file. Frames come in at the rate and channel
// count given when the encoder is created and are converted to the target's.
// The file is written under a temporary name and takes the target's place only
// when Finish succeeds; an encoder destroyed without Finish leaves the target
// as it was.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/codecs/SampleConverter.h"

class TCodecEncoder {
 public:
  virtual ~TCodecEncoder() = default;
  virtual void Write(const float* frames, int64_t count) = 0;  // interleaved
  virtual void Finish() = 0;
};

// The part every encoder shares: the frames converted to the target's format
// in slices that keep the encoder's buffers small.
class TConvertingEncoder : public TCodecEncoder {
 public:
  void Write(const float* frames, int64_t count) override;

 protected:
  TConvertingEncoder(const std::string& path, int inChannels) : Path(path), InChannels(inChannels) {}
  // Encodes converted frames (interleaved, or planes for a planar converter);
  // last: no more will come.
  virtual void Encode(const std::vector<float>& frames, bool last) = 0;
  virtual bool IsFinished() const = 0;
  // Passes on what the converter still holds, as the last frames.
  void EncodeRest() { Encode(Converter->Convert(nullptr, 0), true); }

  std::string Path;
  int InChannels;
  std::unique_ptr<TSampleConverter> Converter;
};
