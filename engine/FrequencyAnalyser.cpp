#include "engine/FrequencyAnalyser.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/EngineError.h"

TFrequencyAnalyser::TFrequencyAnalyser(int size) : Size(size) {
  if (size < 2 || (size & (size - 1)) != 0) throw EAudioError("The analysis size must be a power of two.");
  Window.resize(size_t(size));
  // The periodic Hann window: a sine on a bin centre leaks into its two
  // neighbours only, so the peak bin carries the sine's level.
  for (int i = 0; i < size; ++i) {
    Window[size_t(i)] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / size);
    WindowSum += Window[size_t(i)];
  }
  int bits = 0;
  while ((1 << bits) < size) ++bits;
  BitReversed.resize(size_t(size));
  for (int i = 0; i < size; ++i) {
    int r = 0;
    for (int b = 0; b < bits; ++b)
      if (i & (1 << b)) r |= 1 << (bits - 1 - b);
    BitReversed[size_t(i)] = r;
  }
  Cos.resize(size_t(size / 2));
  Sin.resize(size_t(size / 2));
  for (int k = 0; k < size / 2; ++k) {
    Cos[size_t(k)] = std::cos(2 * std::numbers::pi * k / size);
    Sin[size_t(k)] = -std::sin(2 * std::numbers::pi * k / size);
  }
}

void TFrequencyAnalyser::Analyse(const float* samples, size_t count, int channels, std::vector<float>& wave,
                                std::vector<float>& levels) const {
  channels = std::max(1, channels);
  const size_t n = size_t(Size);
  const size_t frames = std::min(n, count / size_t(channels));
  wave.assign(n, 0.0f);
  for (size_t f = 0; f < frames; ++f) {
    float sum = 0;
    for (int c = 0; c < channels; ++c) sum += samples[f * size_t(channels) + size_t(c)];
    wave[f] = sum / float(channels);
  }

  std::vector<double> re(n), im(n, 0.0);
  for (size_t i = 0; i < n; ++i) re[size_t(BitReversed[i])] = wave[i] * Window[i];
  for (size_t len = 2; len <= n; len <<= 1) {
    const size_t half = len / 2, step = n / len;
    for (size_t start = 0; start < n; start += len) {
      for (size_t k = 0; k < half; ++k) {
        const double wr = Cos[k * step], wi = Sin[k * step];
        const size_t a = start + k, b = a + half;
        const double tr = re[b] * wr - im[b] * wi, ti = re[b] * wi + im[b] * wr;
        re[b] = re[a] - tr;
        im[b] = im[a] - ti;
        re[a] += tr;
        im[a] += ti;
      }
    }
  }

  levels.resize(n / 2 + 1);
  for (size_t k = 0; k <= n / 2; ++k) {
    // A real sine puts half its amplitude in each of its two mirrored bins;
    // the bins at 0 and at half the rate have no mirror.
    const double scale = (k == 0 || k == n / 2) ? 1.0 : 2.0;
    const double amplitude = scale * std::hypot(re[k], im[k]) / WindowSum;
    levels[k] = amplitude > 0 ? std::max(MinimumLevel, float(20 * std::log10(amplitude))) : MinimumLevel;
  }
}
