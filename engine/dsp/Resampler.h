#pragma once
// Streaming resampler on interleaved frames: output frame k is the input read
// at position k * step (step > 1 plays faster and shortens), by cubic
// Hermite interpolation. When it reads faster than the input was sampled, a
// fourth-order Butterworth low-pass at 0.45 of the new Nyquist band keeps
// the folded-back images out.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/dsp/Biquad.h"

namespace dsp {

class TResampler {
public:
  TResampler(int channels, int sampleRate, double step);
  ~TResampler();
  void Reset();
  // Appends what the input so far allows.
  void Process(const float *input, std::size_t frames, std::vector<float> &output);
  // Appends the rest, padding the input with silence, until totalOutput frames
  // have come out in all (fewer already out: more; more: nothing).
  void Flush(std::uint64_t totalOutput, std::vector<float> &output);
  // Announces the total in advance, so that input still to come cannot
  // push the output past it.
  void SetLimit(std::uint64_t totalOutput) { FLimit = totalOutput; }
  std::uint64_t GetInputFrames() const { return FInputFrames; }
  std::uint64_t GetOutputFrames() const { return FOutputFrames; }

private:
  void Emit(std::vector<float> &output);
  int FChannels;
  double FStep;
  std::vector<std::unique_ptr<TBiquad>> FAntiAlias;
  std::vector<float> FHistory;     // input frames from FHistoryStart on
  std::uint64_t FHistoryStart = 0; // index of FHistory's first frame
  std::uint64_t FInputFrames = 0, FOutputFrames = 0, FLimit = UINT64_MAX;
  std::vector<float> FScratch;
};

} // namespace dsp
