#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// New left and right channels as weighted sums of the old ones; weights in
// percent of the source channel. Needs two channels.
class TMixStereo : public TInPlaceEffect {
public:
  TMixStereo(TAudioFormat format, double leftFromLeft, double leftFromRight, double rightFromLeft,
             double rightFromRight);
  void Reset() override {}
  bool IsFrameLocal() const override { return true; }
  // The same mix on two separate channel arrays of equal length.
  void MixChannels(float *left, float *right, std::size_t frames) const;

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  float FLL, FLR, FRL, FRR;
};

} // namespace dsp
