#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Replaces the selection by silence.
class TSilence : public TInPlaceEffect {
public:
  using TInPlaceEffect::TInPlaceEffect;
  void Reset() override {}

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;
};

} // namespace dsp
