#include "engine/dsp/Equalizer.h"

#include <cmath>

namespace dsp {

namespace {

// One octave between the -3 dB points of a band: Q = sqrt(2) / (2 - 1).
constexpr double OctaveQ = 1.4142135623730951;

} // namespace

TEqualizer::TEqualizer(TAudioFormat format, const std::vector<float> &gains, const std::vector<float> &frequencies)
    : TInPlaceEffect(format) {
  if (gains.size() != frequencies.size())
    throw EDspError("Equalizer: " + std::to_string(gains.size()) + " gains for " +
                    std::to_string(frequencies.size()) + " frequencies");
  for (std::size_t i = 0; i < gains.size(); ++i) {
    double gainDb = 10.0 * CheckRange(gains[i], -6, 6, "Equalizer", "every band gain");
    double frequency = CheckRange(frequencies[i], 1, 1e6, "Equalizer", "every band frequency (Hz)");
    if (gainDb == 0 || frequency >= 0.49 * format.SampleRate)
      continue;
    FBands.push_back(TBiquadCoefficients::Peaking(frequency, OctaveQ, gainDb, format.SampleRate));
    FFilters.push_back(std::make_unique<TBiquad>(FBands.back(), format.Channels));
  }
}

void TEqualizer::Reset() {
  for (auto &f : FFilters)
    f->Reset();
}

double TEqualizer::Magnitude(double frequency) const {
  double m = 1;
  for (const auto &b : FBands)
    m *= b.Magnitude(frequency, GetSampleRate());
  return m;
}

void TEqualizer::ProcessInPlace(float *data, std::size_t frames) {
  for (auto &f : FFilters)
    f->Run(data, frames);
}

} // namespace dsp
