// Streams interleaved audio from one rate and channel count to another:
// channels first (mono is copied to both sides, stereo averaged to mono), then
// a windowed-sinc resampler that low-passes before lowering the rate.
#pragma once
#include <cstdint>
#include <vector>

class TFormatConverter {
 public:
  TFormatConverter(int inRate, int inChannels, int outRate, int outChannels);
  // Appends what the input yields so far to out.
  void Process(const float* in, int64_t frames, std::vector<float>& out);
  // Appends the tail; the total output is round(input frames * outRate / inRate).
  void Finish(std::vector<float>& out);
  bool IsIdentity() const { return InRate == OutRate && InChannels == OutChannels; }

  // Whole array at once.
  static std::vector<float> Convert(const std::vector<float>& in, int inRate, int inChannels, int outRate,
                                    int outChannels);

 private:
  void Remix(const float* in, int64_t frames, std::vector<float>& out) const;
  void Emit(std::vector<float>& out, bool final);

  int InRate, InChannels, OutRate, OutChannels;
  int Half = 0;            // taps on each side
  int Phases = 256;        // table resolution per input frame
  std::vector<float> Kernel;
  std::vector<float> History;  // remixed input frames from HistoryBase on
  int64_t HistoryBase = 0;
  int64_t InFrames = 0;
  int64_t OutFrames = 0;
};
