#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// A delay line whose length an LFO sweeps, fed back and mixed with the
// input: the flanger (short delays, comb notches that move) and the chorus
// (longer delays, a second voice that drifts). Parameters as the dialogs
// keep them:
//   delay rate %   -> base delay (flanger 0..10 ms, chorus 0..40 ms)
//   depth %        -> mix: out = (1 - mix) * in + mix * delayed
//   gain %         -> feedback of the delayed signal into the line (at most 0.95)
//   sweep depth %  -> how far the delay swings above the base
//                     (flanger up to 5 ms, chorus up to 20 ms)
//   sweep rate %   -> LFO frequency, 0..5 Hz (0 holds the delay still)
//   sweep phase °  -> LFO phase of the second channel against the first,
//                     which widens the stereo image
// The delayed signal is read with linear interpolation between samples.
class TModulatedDelay : public TInPlaceEffect {
public:
  void Reset() override;

protected:
  struct TRanges {
    const char *Name;
    double MaxBaseMs, MaxSweepMs;
  };
  TModulatedDelay(TAudioFormat format, const TRanges &ranges, double delayRate, double mixPercent,
                  double feedbackPercent, double sweepDepth, double sweepRate, double sweepPhase);
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  float FMix, FFeedback;
  double FBase, FSweep; // frames
  double FPhase = 0, FPhaseStep, FChannelPhase;
  // The LFO is evaluated every few frames; the delay moves in a straight
  // line in between.
  std::size_t FControlLeft = 0;
  std::vector<double> FDelay, FDelayStep; // per channel, frames
  double DelayAt(double phase, int channel) const;
  std::vector<float> FLine; // per channel, FLineSize frames each
  std::size_t FLineSize, FPos = 0;
};

class TFlanger : public TModulatedDelay {
public:
  TFlanger(TAudioFormat format, double delayRate, double mixPercent, double feedbackPercent, double sweepDepth,
           double sweepRate, double sweepPhase);
};

class TChorus : public TModulatedDelay {
public:
  TChorus(TAudioFormat format, double delayRate, double mixPercent, double feedbackPercent, double sweepDepth,
          double sweepRate, double sweepPhase);
};

} // namespace dsp
