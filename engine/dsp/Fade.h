#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// A straight gain ramp over a known number of frames, from one percentage
// at the first frame to another at the last.
class TFade : public TInPlaceEffect {
public:
  TFade(TAudioFormat format, double fromPercent, double toPercent, std::uint64_t totalFrames);
  void Reset() override { FPosition = 0; }
  bool IsFrameLocal() const override { return true; }
  void Seek(std::uint64_t position) override { FPosition = position; }

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  double FFrom, FTo;
  std::uint64_t FTotal;
  std::uint64_t FPosition = 0;
};

} // namespace dsp
