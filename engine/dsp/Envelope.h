#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// A gain curve of any number of points (linear gains) stretched over a known
// number of frames: the first point at the first frame, the last at the
// last, linear in between.
class TEnvelope : public TInPlaceEffect {
public:
  TEnvelope(TAudioFormat format, std::vector<float> gains, std::uint64_t totalFrames);
  void Reset() override { FPosition = 0; }
  bool IsFrameLocal() const override { return true; }
  void Seek(std::uint64_t position) override { FPosition = position; }

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  std::vector<float> FGains;
  std::uint64_t FTotal;
  std::uint64_t FPosition = 0;
};

} // namespace dsp
