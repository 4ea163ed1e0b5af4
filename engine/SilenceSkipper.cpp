#include "engine/SilenceSkipper.h"

#include <algorithm>
#include <cmath>

void TSilenceSkipper::Configure(int rate, int channels, double attackDb, int attackMs, double releaseDb,
                                int releaseMs) {
  Channels = std::max(1, channels);
  const int frames = std::max(1, rate / 100);
  SliceSamples = size_t(frames) * Channels;
  SliceMs = frames * 1000.0 / std::max(1, rate);
  AttackDb = attackDb;
  ReleaseDb = releaseDb;
  AttackMs = std::max(0, attackMs);
  ReleaseMs = std::max(0, releaseMs);
  Reset();
}

void TSilenceSkipper::Reset() {
  Keeping = false;
  AboveMs = BelowMs = 0;
  Attack.clear();
  Partial.clear();
}

TSampleArray TSilenceSkipper::Process(const float* samples, size_t count) {
  TSampleArray kept;
  size_t at = 0;
  if (!Partial.empty()) {
    const size_t take = std::min(count, SliceSamples - Partial.size());
    Partial.insert(Partial.end(), samples, samples + take);
    at = take;
    if (Partial.size() < SliceSamples) return kept;
    TSampleArray whole;
    whole.swap(Partial);
    Slice(whole.data(), whole.size(), kept);
  }
  for (; at + SliceSamples <= count; at += SliceSamples) Slice(samples + at, SliceSamples, kept);
  Partial.assign(samples + at, samples + count);
  return kept;
}

void TSilenceSkipper::Slice(const float* samples, size_t count, TSampleArray& kept) {
  float peak = 0;
  for (size_t i = 0; i < count; ++i) peak = std::max(peak, std::fabs(samples[i]));
  const double level = peak > 0 ? 20 * std::log10(double(peak)) : -HUGE_VAL;
  if (!Keeping) {
    if (level <= AttackDb) {
      AboveMs = 0;
      Attack.clear();
      return;
    }
    Attack.insert(Attack.end(), samples, samples + count);
    AboveMs += SliceMs;
    if (AboveMs + 1e-9 < AttackMs) return;
    kept.insert(kept.end(), Attack.begin(), Attack.end());
    Attack.clear();
    Keeping = true;
    BelowMs = 0;
    return;
  }
  kept.insert(kept.end(), samples, samples + count);
  if (level >= ReleaseDb) {
    BelowMs = 0;
    return;
  }
  BelowMs += SliceMs;
  if (BelowMs + 1e-9 >= ReleaseMs) {
    Keeping = false;
    AboveMs = 0;
  }
}
