#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// A room reverb in two parts that share the input:
// - a resonator: a delay line of delayMs whose output, low-passed at the
//   reverb frequency, is fed back by the feedback gain; an impulse returns
//   exactly one delay later and then decays (short delays ring metallic);
// - a dense tail: the input, pre-delayed by delayMs, drives `taps` parallel
//   damped comb filters (1 to 10; the comb loops are low-passed at the
//   reverb frequency, their feedback grows with the feedback gain) and then
//   four series all-pass diffusers; reverbGainPercent sets its level.
// Each channel gets slightly different comb lengths for a wide image.
// out = (1 - mix) * in + mix * (resonator + reverbGain * tail).
class TReverb : public TInPlaceEffect {
public:
  TReverb(TAudioFormat format, double delayMs, double mixPercent, double feedbackPercent, double reverbGainPercent,
          double frequency, int taps);
  ~TReverb() override;
  void Reset() override;

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  struct TChannel;
  float FMix, FGain, FResonance, FRoom, FDamp, FInputGain;
  std::vector<TChannel> FChannels;
};

} // namespace dsp
