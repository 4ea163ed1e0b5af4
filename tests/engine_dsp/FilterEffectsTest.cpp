#include <gtest/gtest.h>

#include <cmath>

#include "Signals.h"
#include "engine/dsp/Equalizer.h"
#include "engine/dsp/HighPass.h"

using namespace dsp;
using namespace dsp_test;

namespace {

const std::vector<float> BandFrequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};

// Level change in dB of a sine at hz through the effect, measured after the
// filter has settled.
double GainDb(TAudioEffect &effect, double hz) {
  const int rate = effect.GetSampleRate();
  auto input = Sine(hz, 0.5, rate, rate, effect.GetChannels());
  auto out = Apply(effect, input, 4096);
  std::size_t from = rate / 2;
  return Db(Rms(Channel(out, effect.GetChannels(), 0, from)) / Rms(Channel(input, effect.GetChannels(), 0, from)));
}

std::vector<float> Gains(std::initializer_list<std::pair<int, float>> bands) {
  std::vector<float> g(12, 0.0f);
  for (auto [band, value] : bands)
    g[band] = value;
  return g;
}

} // namespace

TEST(FilterEffects, HighPassResponseAtChosenFrequencies) {
  // Second-order Butterworth: -3 dB at the cut-off, 12 dB per octave below.
  // (High cut-offs come out a little steeper: the digital filter's frequency
  // axis is warped towards Nyquist.)
  struct Case { double cutoff, hz, expectedDb, tolerance; };
  for (Case c : {Case{200, 200, -3.01, 0.2}, Case{200, 50, -24.08, 0.3}, Case{200, 2000, 0.0, 0.2},
                 Case{4000, 1000, -24.08, 0.8}, Case{4000, 16000, 0.0, 0.2}}) {
    THighPass filter({44100, 2}, c.cutoff, 100);
    EXPECT_NEAR(GainDb(filter, c.hz), c.expectedDb, c.tolerance) << c.cutoff << " Hz cut-off at " << c.hz << " Hz";
  }
}

TEST(FilterEffects, HighPassEdgeFrequencies) {
  // 0 Hz passes everything; a cut-off above Nyquist is clamped below it and
  // still gives finite output.
  THighPass none({8000, 1}, 0, 100);
  auto sine = Sine(100, 0.5, 800, 8000);
  EXPECT_EQ(Apply(none, sine), sine);
  THighPass high({8000, 1}, 9999, 100);
  auto out = Apply(high, Noise(8000, 1.0));
  EXPECT_TRUE(AllFinite(out));
  EXPECT_LT(Rms(out), 0.2);
}

TEST(FilterEffects, EqualizerGainsAreTenthsOfDecibels) {
  // The callers pass slider / 100: 1.5 is +15 dB, -1.8 is -18 dB.
  struct Case { std::vector<float> gains; double hz, expectedDb, tolerance; };
  const Case cases[] = {
      {Gains({{0, 1.5f}}), 31.25, 15.0, 0.5},
      {Gains({{5, 0.9f}}), 1000, 9.0, 0.5}, // the "1k Notch" preset
      {Gains({{5, 0.9f}}), 8000, 0.0, 0.3},
      {Gains({{7, -1.8f}}), 4000, -18.0, 0.6},
      {Gains({}), 440, 0.0, 0.01},
  };
  for (const Case &c : cases) {
    TEqualizer eq({44100, 1}, c.gains, BandFrequencies);
    EXPECT_NEAR(GainDb(eq, c.hz), c.expectedDb, c.tolerance) << c.hz;
  }
}

TEST(FilterEffects, EqualizerSkipsBandsAboveNyquist) {
  // In a 22050 Hz file the 12 k and 16 k bands lie above 11025 Hz.
  TEqualizer eq({22050, 1}, Gains({{10, 1.8f}, {11, 1.8f}}), BandFrequencies);
  EXPECT_NEAR(GainDb(eq, 1000), 0.0, 0.1);
  EXPECT_TRUE(AllFinite(Apply(eq, Noise(22050, 1.0))));
  EXPECT_THROW(TEqualizer({44100, 1}, Gains({}), {1000}), EDspError);
}
