#pragma once
#include <memory>

#include "engine/dsp/AudioEffect.h"
#include "engine/dsp/Resampler.h"
#include "engine/dsp/TimeStretch.h"

namespace dsp {

// Pitch without tempo: 200 % raises every frequency an octave and keeps the
// length. The audio is first stretched in time by the factor (WSOLA, no
// pitch change), then resampled back to its length, which moves the pitch.
// Process delivers the result a few windows late; Flush delivers the rest,
// so that the whole has exactly as many frames as the input.
class TPitchChange : public TAudioEffect {
public:
  TPitchChange(TAudioFormat format, double percent);
  ~TPitchChange() override;
  void Reset() override;

protected:
  void DoProcess(const float *input, std::size_t frames, std::vector<float> &output) override;
  void DoFlush(std::vector<float> &output) override;

private:
  double FFactor;
  std::unique_ptr<TTimeStretch> FStretch;
  std::unique_ptr<TResampler> FResampler;
  std::uint64_t FInputFrames = 0, FOutputFrames = 0;
  std::vector<float> FStretched, FPending;
  void Deliver(std::vector<float> &output, std::uint64_t upTo);
};

} // namespace dsp
