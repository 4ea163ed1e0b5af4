#include "engine/dsp/Biquad.h"

#include <cmath>
#include <complex>

namespace dsp {

namespace {

struct TPrototype {
  double Cos, Alpha;
};

TPrototype Prototype(double frequency, double q, double sampleRate) {
  double w0 = 2 * M_PI * frequency / sampleRate;
  return {std::cos(w0), std::sin(w0) / (2 * q)};
}

TBiquadCoefficients Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

} // namespace

TBiquadCoefficients TBiquadCoefficients::HighPass(double frequency, double q, double sampleRate) {
  auto [c, alpha] = Prototype(frequency, q, sampleRate);
  return Normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

TBiquadCoefficients TBiquadCoefficients::LowPass(double frequency, double q, double sampleRate) {
  auto [c, alpha] = Prototype(frequency, q, sampleRate);
  return Normalised((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

TBiquadCoefficients TBiquadCoefficients::Peaking(double frequency, double q, double gainDb, double sampleRate) {
  auto [c, alpha] = Prototype(frequency, q, sampleRate);
  double a = std::pow(10.0, gainDb / 40);
  return Normalised(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

double TBiquadCoefficients::Magnitude(double frequency, double sampleRate) const {
  std::complex<double> z1 = std::polar(1.0, -2 * M_PI * frequency / sampleRate);
  std::complex<double> z2 = z1 * z1;
  return std::abs((B0 + B1 * z1 + B2 * z2) / (1.0 + A1 * z1 + A2 * z2));
}

TBiquad::TBiquad(const TBiquadCoefficients &coefficients, int channels)
    : FC(coefficients), FChannels(channels), FState(2 * channels, 0.0) {}

void TBiquad::Reset() { std::fill(FState.begin(), FState.end(), 0.0); }

void TBiquad::Run(float *data, std::size_t frames) {
  const double b0 = FC.B0, b1 = FC.B1, b2 = FC.B2, a1 = FC.A1, a2 = FC.A2;
  for (int c = 0; c < FChannels; ++c) {
    double z1 = FState[2 * c], z2 = FState[2 * c + 1];
    float *p = data + c;
    for (std::size_t f = 0; f < frames; ++f, p += FChannels) {
      double x = *p;
      double y = b0 * x + z1;
      z1 = b1 * x - a1 * y + z2;
      z2 = b2 * x - a2 * y;
      *p = static_cast<float>(y);
    }
    FState[2 * c] = z1;
    FState[2 * c + 1] = z2;
  }
}

} // namespace dsp
