#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Brings the highest peak of all channels to a percentage of full scale.
// Two passes: Analyze() every block (the peak), then Process (one gain).
// Without an analysis pass (a stream of blocks whose end is unknown) the
// gain follows the highest peak seen so far, so it can only go down and a
// quiet start is never blown up after the fact.
class TNormalize : public TInPlaceEffect {
public:
  // channel: -1 for all channels together, the only mode there is.
  TNormalize(TAudioFormat format, double peakPercent, int channel = -1);
  bool NeedsAnalysis() const override { return true; }
  bool IsFrameLocal() const override { return true; }
  void Reset() override;
  float GetPeak() const { return FPeak; }

protected:
  void DoAnalyze(const float *input, std::size_t frames) override;
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  float FTarget;
  float FPeak = 0;
  bool FAnalyzed = false;
};

} // namespace dsp
