// Changes the rate and channel count of interleaved float frames for an
// encoder whose target differs from the document (mono is duplicated into
// stereo, stereo averaged into mono).
#pragma once
#include <cstdint>
#include <vector>

#include "engine/codecs/FFmpegSupport.h"

class TSampleConverter {
 public:
  // outFormat AV_SAMPLE_FMT_FLT gives interleaved frames, AV_SAMPLE_FMT_FLTP planes.
  TSampleConverter(int inRate, int inChannels, int outRate, int outChannels,
                   AVSampleFormat outFormat = AV_SAMPLE_FMT_FLT);
  int GetOutRate() const { return OutRate; }
  int GetOutChannels() const { return OutChannels; }
  bool IsIdentity() const { return !Swr; }
  // Converts count frames (nullptr: the end, flushes what the filter holds)
  // and returns the output; interleaved, or plane after plane for FLTP.
  const std::vector<float>& Convert(const float* in, int64_t count);
  int64_t GetConvertedFrames() const { return Converted; }

 private:
  int InChannels, OutRate, OutChannels;
  bool Planar;
  TSwrPtr Swr;
  std::vector<float> Out, Finite;
  int64_t Converted = 0;
};
