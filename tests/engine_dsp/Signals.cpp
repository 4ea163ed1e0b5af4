#include "Signals.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace dsp_test {

std::vector<float> Sine(double hz, double amplitude, std::size_t frames, int rate, int channels) {
  std::vector<float> out(frames * channels);
  for (std::size_t f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c)
      out[f * channels + c] = static_cast<float>(amplitude * std::sin(2 * M_PI * hz * static_cast<double>(f) / rate));
  return out;
}

std::vector<float> Impulse(std::size_t frames, int channels) {
  std::vector<float> out(frames * channels, 0.0f);
  for (int c = 0; c < channels; ++c)
    out[c] = 1.0f;
  return out;
}

std::vector<float> Noise(std::size_t frames, double amplitude, int channels, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> dist(static_cast<float>(-amplitude), static_cast<float>(amplitude));
  std::vector<float> out(frames * channels);
  for (float &v : out)
    v = dist(gen);
  return out;
}

std::vector<float> Channel(const std::vector<float> &data, int channels, int channel, std::size_t from,
                           std::size_t to) {
  std::size_t frames = data.size() / channels;
  to = std::min(to, frames);
  std::vector<float> out;
  for (std::size_t f = from; f < to; ++f)
    out.push_back(data[f * channels + channel]);
  return out;
}

double Rms(const std::vector<float> &samples) {
  double sum = 0;
  for (float v : samples)
    sum += static_cast<double>(v) * v;
  return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

double Peak(const std::vector<float> &samples) {
  double peak = 0;
  for (float v : samples)
    peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

double Db(double ratio) { return 20 * std::log10(ratio); }

double DominantFrequency(const std::vector<float> &mono, int rate) {
  std::size_t first = 0, last = 0, count = 0;
  for (std::size_t i = 1; i < mono.size(); ++i)
    if (mono[i - 1] < 0 && mono[i] >= 0) {
      if (count == 0)
        first = i;
      last = i;
      ++count;
    }
  if (count < 2)
    return 0;
  return static_cast<double>(count - 1) * rate / static_cast<double>(last - first);
}

bool AllFinite(const std::vector<float> &samples) {
  return std::all_of(samples.begin(), samples.end(), [](float v) { return std::isfinite(v); });
}

std::vector<float> Apply(dsp::TAudioEffect &effect, const std::vector<float> &input, std::size_t blockFrames) {
  const int channels = effect.GetChannels();
  const std::size_t frames = input.size() / channels;
  if (blockFrames == 0)
    blockFrames = std::max<std::size_t>(frames, 1);
  std::vector<std::pair<std::size_t, std::size_t>> blocks;
  for (std::size_t f = 0; f < frames; f += blockFrames)
    blocks.emplace_back(f, std::min(blockFrames, frames - f));
  if (effect.GetOrder() == dsp::TEffectOrder::Backward)
    std::reverse(blocks.begin(), blocks.end());
  if (effect.NeedsAnalysis())
    for (auto [start, count] : blocks)
      effect.Analyze(input.data() + start * channels, count);
  std::vector<float> out;
  for (auto [start, count] : blocks) {
    std::vector<float> block(input.begin() + start * channels, input.begin() + (start + count) * channels);
    effect.ProcessBlock(block);
    out.insert(out.end(), block.begin(), block.end());
  }
  effect.Flush(out);
  return out;
}

} // namespace dsp_test
