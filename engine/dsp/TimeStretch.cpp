#include "engine/dsp/TimeStretch.h"

#include <algorithm>
#include <cmath>

namespace dsp {

TTimeStretch::TTimeStretch(int channels, int sampleRate, double factor) : FChannels(channels), FFactor(factor) {
  FWindow = std::max<std::size_t>(64, static_cast<std::size_t>(0.030 * sampleRate) / 4 * 4);
  FHop = FWindow / 2;
  FSearch = static_cast<std::size_t>(0.008 * sampleRate);
  FAnalysisHop = static_cast<double>(FHop) / factor;
  FHann.resize(FWindow);
  for (std::size_t i = 0; i < FWindow; ++i)
    FHann[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * M_PI * static_cast<double>(i) / static_cast<double>(FWindow)));
  FFirst = FHann;
  std::fill(FFirst.begin(), FFirst.begin() + FHop, 1.0f);
  Reset();
}

void TTimeStretch::Reset() {
  FInput.clear();
  FInputStart = 0;
  FOverlap.assign(FWindow * FChannels, 0.0f);
  FFrame = 0;
  FPrevious = -1;
  FOutputFrames = 0;
  FLimit = UINT64_MAX;
}

void TTimeStretch::Process(const float *input, std::size_t frames, std::vector<float> &output) {
  FInput.insert(FInput.end(), input, input + frames * FChannels);
  Run(output);
}

void TTimeStretch::Flush(std::uint64_t totalOutput, std::vector<float> &output) {
  FLimit = totalOutput;
  std::vector<float> silence(FHop * FChannels, 0.0f);
  while (FOutputFrames < FLimit)
    Process(silence.data(), FHop, output);
}

double TTimeStretch::Correlation(std::size_t a, std::size_t b, std::size_t stride) const {
  // Normalised by the candidate's energy so loud passages do not win by size.
  double dot = 0, energy = 1e-9;
  const float *pa = FInput.data() + a * FChannels;
  const float *pb = FInput.data() + b * FChannels;
  std::size_t step = stride * FChannels;
  for (std::size_t i = 0; i < FHop * FChannels; i += step)
    for (int c = 0; c < FChannels; ++c) {
      dot += pa[i + c] * pb[i + c];
      energy += pa[i + c] * pa[i + c];
    }
  return dot / std::sqrt(energy);
}

std::size_t TTimeStretch::BestStart(std::int64_t nominal, std::int64_t natural) const {
  // Positions are local to FInput. A coarse search every 4 frames comparing
  // every 8th frame, then a fine one around the winner comparing every 2nd.
  std::int64_t low = std::max<std::int64_t>(0, nominal - static_cast<std::int64_t>(FSearch));
  std::int64_t high = nominal + static_cast<std::int64_t>(FSearch);
  auto nat = static_cast<std::size_t>(natural);
  std::int64_t best = nominal;
  double bestScore = -1e300;
  for (std::int64_t s = low; s <= high; s += 4) {
    double score = Correlation(static_cast<std::size_t>(s), nat, 8);
    if (score > bestScore)
      bestScore = score, best = s;
  }
  std::int64_t centre = best;
  bestScore = -1e300;
  for (std::int64_t s = std::max(low, centre - 3); s <= std::min(high, centre + 3); ++s) {
    double score = Correlation(static_cast<std::size_t>(s), nat, 2);
    if (score > bestScore)
      bestScore = score, best = s;
  }
  return static_cast<std::size_t>(best);
}

void TTimeStretch::Run(std::vector<float> &output) {
  const std::size_t ch = FChannels;
  for (;;) {
    if (FOutputFrames >= FLimit)
      return;
    auto nominal = static_cast<std::int64_t>(std::llround(static_cast<double>(FFrame) * FAnalysisHop)) - FInputStart;
    std::int64_t natural = FPrevious < 0 ? -1 : FPrevious + static_cast<std::int64_t>(FHop) - FInputStart;
    std::int64_t available = static_cast<std::int64_t>(FInput.size() / ch);
    std::int64_t needed = nominal + static_cast<std::int64_t>(FSearch + FWindow);
    if (natural >= 0)
      needed = std::max(needed, natural + static_cast<std::int64_t>(FHop));
    if (needed > available)
      return;
    std::size_t start = natural < 0 ? static_cast<std::size_t>(std::max<std::int64_t>(nominal, 0))
                                    : BestStart(nominal, natural);
    const float *src = FInput.data() + start * ch;
    const std::vector<float> &window = FFrame == 0 ? FFirst : FHann;
    for (std::size_t i = 0; i < FWindow; ++i)
      for (std::size_t c = 0; c < ch; ++c)
        FOverlap[i * ch + c] += window[i] * src[i * ch + c];
    FPrevious = static_cast<std::int64_t>(start) + FInputStart;
    ++FFrame;
    // The first half window is complete: hand it out.
    auto count = static_cast<std::size_t>(std::min<std::uint64_t>(FHop, FLimit - FOutputFrames));
    output.insert(output.end(), FOverlap.begin(), FOverlap.begin() + count * ch);
    FOutputFrames += count;
    std::copy(FOverlap.begin() + FHop * ch, FOverlap.end(), FOverlap.begin());
    std::fill(FOverlap.begin() + FHop * ch, FOverlap.end(), 0.0f);
    // Forget input that no later window can reach.
    auto nextNominal = static_cast<std::int64_t>(std::llround(static_cast<double>(FFrame) * FAnalysisHop));
    std::int64_t keepFrom = std::min(nextNominal - static_cast<std::int64_t>(FSearch), FPrevious + static_cast<std::int64_t>(FHop));
    std::int64_t drop = keepFrom - FInputStart;
    if (drop > static_cast<std::int64_t>(8 * FWindow)) {
      FInput.erase(FInput.begin(), FInput.begin() + drop * ch);
      FInputStart += drop;
    }
  }
}

} // namespace dsp
