#pragma once
#include <memory>

#include "engine/dsp/AudioEffect.h"
#include "engine/dsp/Resampler.h"

namespace dsp {

// Tempo and pitch together, like a tape played faster or slower: 200 %
// halves the length and raises every frequency an octave. The result has
// round(input frames * 100 / percent) frames once flushed.
class TSpeedChange : public TAudioEffect {
public:
  TSpeedChange(TAudioFormat format, double percent);
  ~TSpeedChange() override;
  void Reset() override;

protected:
  void DoProcess(const float *input, std::size_t frames, std::vector<float> &output) override;
  void DoFlush(std::vector<float> &output) override;

private:
  double FStep;
  std::unique_ptr<TResampler> FResampler;
};

} // namespace dsp
