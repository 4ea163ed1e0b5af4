#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Plays the selection backwards. It reverses the frames of each block; the
// caller feeds the blocks from the last to the first (GetOrder()), so the
// whole selection comes out reversed without holding it in memory.
class TReverse : public TInPlaceEffect {
public:
  using TInPlaceEffect::TInPlaceEffect;
  TEffectOrder GetOrder() const override { return TEffectOrder::Backward; }
  void Reset() override {}
  bool IsFrameLocal() const override { return true; }

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;
};

} // namespace dsp
