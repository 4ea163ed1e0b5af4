#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Scales by a percentage of the present level (100 leaves it as it is).
// Samples are not clipped here: the float headroom survives until the
// conversion to integer samples saturates them.
class TAmplify : public TInPlaceEffect {
public:
  TAmplify(TAudioFormat format, double percent);
  void Reset() override {}
  bool IsFrameLocal() const override { return true; }

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  float FGain;
};

} // namespace dsp
