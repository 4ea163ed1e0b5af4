#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Repeats the sound after a delay: out = in + mix * echo, where the echo
// line returns what went in one delay earlier plus feedback times its own
// earlier output. An impulse gives 1, then mix, mix * feedback,
// mix * feedback^2 ... one delay apart (feedback at most 99 %). The length stays that of the input;
// the echoes of the end fall past it.
class TEcho : public TInPlaceEffect {
public:
  TEcho(TAudioFormat format, double delayMs, double mixPercent, double feedbackPercent);
  void Reset() override;

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  float FMix, FFeedback;
  std::size_t FDelay;
  std::vector<float> FLine; // delay frames x channels
  std::size_t FPos = 0;
};

} // namespace dsp
