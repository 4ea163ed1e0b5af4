#pragma once
// Second-order sections with the coefficient formulas of the well-known
// audio-EQ cookbook, run in transposed direct form II (one state pair per
// channel), in double precision so low corner frequencies stay accurate.
#include <vector>

namespace dsp {

struct TBiquadCoefficients {
  double B0 = 1, B1 = 0, B2 = 0, A1 = 0, A2 = 0; // normalised by a0

  static TBiquadCoefficients HighPass(double frequency, double q, double sampleRate);
  static TBiquadCoefficients LowPass(double frequency, double q, double sampleRate);
  static TBiquadCoefficients Peaking(double frequency, double q, double gainDb, double sampleRate);
  // Magnitude of the response at a frequency; for checks and tests.
  double Magnitude(double frequency, double sampleRate) const;
};

class TBiquad {
public:
  TBiquad(const TBiquadCoefficients &coefficients, int channels);
  void Reset();
  // Filters interleaved frames where they are.
  void Run(float *data, std::size_t frames);

private:
  TBiquadCoefficients FC;
  int FChannels;
  std::vector<double> FState; // z1, z2 per channel
};

} // namespace dsp
