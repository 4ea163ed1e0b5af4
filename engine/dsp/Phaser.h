#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Four first-order all-pass stages (two notches) whose break frequency an
// LFO sweeps between 200 Hz and 3.2 kHz (logarithmically); the stages'
// output is fed back by the feedback gain and mixed with the input, which
// puts moving notches into the spectrum. The delay time sets the sweep speed: one full
// sweep up and down takes four delay times (the 300 ms default gives a
// 1.2 s cycle). out = (1 - mix) * in + mix * stages.
class TPhaser : public TInPlaceEffect {
public:
  TPhaser(TAudioFormat format, double delayMs, double mixPercent, double feedbackPercent);
  void Reset() override;

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  static constexpr int Stages = 4;
  float FMix, FFeedback;
  double FPhase = 0, FPhaseStep;
  float FCoefficient = 0;
  std::size_t FControlLeft = 0; // frames until the coefficient is recomputed
  std::vector<float> FState; // per channel: Stages all-pass states + last output
};

} // namespace dsp
