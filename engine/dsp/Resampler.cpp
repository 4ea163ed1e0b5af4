#include "engine/dsp/Resampler.h"

#include <algorithm>
#include <cmath>

namespace dsp {

TResampler::TResampler(int channels, int sampleRate, double step) : FChannels(channels), FStep(step) {
  if (step > 1.0) {
    double cutoff = 0.45 * sampleRate / step;
    // Two sections with the Q values of a fourth-order Butterworth filter.
    for (double q : {0.5411961001461970, 1.3065629648763766})
      FAntiAlias.push_back(std::make_unique<TBiquad>(TBiquadCoefficients::LowPass(cutoff, q, sampleRate), channels));
  }
  Reset();
}

TResampler::~TResampler() = default;

void TResampler::Reset() {
  for (auto &f : FAntiAlias)
    f->Reset();
  // One silent frame before the start serves the first interpolation.
  FHistory.assign(FChannels, 0.0f);
  FHistoryStart = 0;
  FInputFrames = FOutputFrames = 0;
  FLimit = UINT64_MAX;
}

void TResampler::Process(const float *input, std::size_t frames, std::vector<float> &output) {
  if (frames == 0)
    return;
  std::size_t old = FHistory.size();
  FHistory.insert(FHistory.end(), input, input + frames * FChannels);
  for (auto &f : FAntiAlias)
    f->Run(FHistory.data() + old, frames);
  FInputFrames += frames;
  Emit(output);
}

void TResampler::Flush(std::uint64_t totalOutput, std::vector<float> &output) {
  FLimit = totalOutput;
  // The last output reads at most three frames past its position.
  while (FOutputFrames < totalOutput) {
    double lastPos = static_cast<double>(totalOutput - 1) * FStep;
    std::uint64_t need = static_cast<std::uint64_t>(lastPos) + 3;
    std::size_t pad = need > FInputFrames ? static_cast<std::size_t>(std::min<std::uint64_t>(need - FInputFrames, 65536)) : 1;
    FScratch.assign(pad * FChannels, 0.0f);
    Process(FScratch.data(), pad, output);
  }
}

void TResampler::Emit(std::vector<float> &output) {
  // History frame h holds input frame h - 1 + FHistoryStart (frame -1 is silence).
  std::uint64_t available = FHistoryStart + FHistory.size() / FChannels; // in history indexes
  // Until the total is known, hold back enough that the stream never runs
  // past round(input / step) frames.
  std::uint64_t margin = FLimit == UINT64_MAX ? static_cast<std::uint64_t>(std::ceil(FStep)) + 1 : 0;
  while (FOutputFrames < FLimit) {
    double pos = static_cast<double>(FOutputFrames) * FStep;
    std::uint64_t i = static_cast<std::uint64_t>(pos);
    // Needs input frames i - 1 .. i + 2, that is history indexes i .. i + 3.
    if (i + 4 + margin > available)
      break;
    float t = static_cast<float>(pos - static_cast<double>(i));
    const float *p0 = FHistory.data() + (i - FHistoryStart) * FChannels;
    const float *p1 = p0 + FChannels, *p2 = p1 + FChannels, *p3 = p2 + FChannels;
    for (int c = 0; c < FChannels; ++c) {
      float y0 = p0[c], y1 = p1[c], y2 = p2[c], y3 = p3[c];
      float c1 = 0.5f * (y2 - y0);
      float c2 = y0 - 2.5f * y1 + 2.0f * y2 - 0.5f * y3;
      float c3 = 0.5f * (y3 - y0) + 1.5f * (y1 - y2);
      output.push_back(((c3 * t + c2) * t + c1) * t + y1);
    }
    ++FOutputFrames;
  }
  // Drop the history no later output needs.
  std::uint64_t next = static_cast<std::uint64_t>(static_cast<double>(FOutputFrames) * FStep);
  if (next > FHistoryStart + 4096) {
    std::size_t drop = static_cast<std::size_t>(next - FHistoryStart);
    drop = std::min(drop, FHistory.size() / FChannels);
    FHistory.erase(FHistory.begin(), FHistory.begin() + drop * FChannels);
    FHistoryStart += drop;
  }
}

} // namespace dsp
