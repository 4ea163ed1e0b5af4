#pragma once
// Test signals and measurements for the effects.
#include <memory>
#include <vector>

#include "engine/dsp/AudioEffect.h"

namespace dsp_test {

// Interleaved sine of the same phase in every channel.
std::vector<float> Sine(double hz, double amplitude, std::size_t frames, int rate, int channels = 1);
std::vector<float> Impulse(std::size_t frames, int channels = 1);
// Deterministic white noise in -amplitude..amplitude.
std::vector<float> Noise(std::size_t frames, double amplitude, int channels = 1, unsigned seed = 1);

// One channel of interleaved frames, frames [from, to).
std::vector<float> Channel(const std::vector<float> &data, int channels, int channel, std::size_t from = 0,
                           std::size_t to = static_cast<std::size_t>(-1));
double Rms(const std::vector<float> &samples);
double Peak(const std::vector<float> &samples);
double Db(double ratio);
// Frequency of a near-sinusoidal mono signal, from its rising zero crossings.
double DominantFrequency(const std::vector<float> &mono, int rate);
bool AllFinite(const std::vector<float> &samples);

// The whole input through the effect in blocks of blockFrames (0: at once),
// in the order the effect asks for, with its analysis pass, then Flush.
std::vector<float> Apply(dsp::TAudioEffect &effect, const std::vector<float> &input, std::size_t blockFrames = 0);

} // namespace dsp_test
