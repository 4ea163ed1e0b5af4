#include "engine/dsp/SpeedChange.h"

#include <cmath>

namespace dsp {

TSpeedChange::TSpeedChange(TAudioFormat format, double percent)
    : TAudioEffect(format), FStep(CheckRange(percent, 1, 1000, "Speed Change", "the speed (%)") / 100),
      FResampler(std::make_unique<TResampler>(format.Channels, format.SampleRate, FStep)) {}

TSpeedChange::~TSpeedChange() = default;

void TSpeedChange::Reset() { FResampler->Reset(); }

void TSpeedChange::DoProcess(const float *input, std::size_t frames, std::vector<float> &output) {
  FResampler->Process(input, frames, output);
}

void TSpeedChange::DoFlush(std::vector<float> &output) {
  auto total = static_cast<std::uint64_t>(std::llround(static_cast<double>(FResampler->GetInputFrames()) / FStep));
  FResampler->Flush(total, output);
}

} // namespace dsp
