#include <gtest/gtest.h>

#include <cmath>

#include "Signals.h"
#include "engine/dsp/Amplify.h"
#include "engine/dsp/Compressor.h"
#include "engine/dsp/Envelope.h"
#include "engine/dsp/Fade.h"
#include "engine/dsp/MixStereo.h"
#include "engine/dsp/NoiseReduction.h"
#include "engine/dsp/Normalize.h"
#include "engine/dsp/Reverse.h"
#include "engine/dsp/Silence.h"

using namespace dsp;
using namespace dsp_test;

namespace {

const TAudioFormat Mono{44100, 1};
const TAudioFormat Stereo{44100, 2};

} // namespace

TEST(LevelEffects, AmplifyScalesByPercent) {
  for (double percent : {0.0, 25.0, 100.0, 300.0, 999.0}) {
    TAmplify amplify(Mono, percent);
    auto out = Apply(amplify, {0.5f, -0.25f, 0.0f});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_FLOAT_EQ(out[0], static_cast<float>(0.5 * percent / 100)) << percent;
    EXPECT_FLOAT_EQ(out[1], static_cast<float>(-0.25 * percent / 100)) << percent;
    EXPECT_EQ(out[2], 0.0f);
  }
}

TEST(LevelEffects, LongBlocksGiveEachSampleAsItsOwnExpressionDoes) {
  // Odd lengths, and NaN, infinities and overflowing values in every position
  // of a group of four: each comes out as silence.
  std::vector<float> input = Noise(1001, 0.9, 2);
  const float specials[] = {NAN, INFINITY, -INFINITY, 3e38f};
  for (std::size_t i = 0; i < 16; ++i)
    input[100 + 5 * i] = specials[i % 4];
  auto finiteOr0 = [](float v) { return std::isfinite(v) ? v : 0.0f; };

  TAmplify amplify(Stereo, 300);
  std::vector<float> amplified = Apply(amplify, input, 333);
  ASSERT_EQ(amplified.size(), input.size());
  for (std::size_t i = 0; i < input.size(); ++i)
    ASSERT_EQ(amplified[i], finiteOr0(std::isfinite(input[i]) ? input[i] * 3.0f : 0.0f)) << i;

  const float ll = 0.7f, lr = 0.3f, rl = 0.1f, rr = 0.9f;
  TMixStereo mix(Stereo, 70, 30, 10, 90);
  std::vector<float> mixed = Apply(mix, input, 333);
  for (std::size_t f = 0; f < input.size() / 2; ++f) {
    float l = input[2 * f], r = input[2 * f + 1];
    if (!std::isfinite(l) || !std::isfinite(r)) {
      EXPECT_EQ(mixed[2 * f], 0.0f) << f;
      EXPECT_EQ(mixed[2 * f + 1], 0.0f) << f;
      continue;
    }
    ASSERT_EQ(mixed[2 * f], finiteOr0(ll * l + lr * r)) << f;
    ASSERT_EQ(mixed[2 * f + 1], finiteOr0(rl * l + rr * r)) << f;
  }

  // The peak of all channels sets one gain, from an odd number of samples.
  std::vector<float> quiet = Noise(1003, 0.4, 1, 3);
  quiet[502] = -0.45f;
  TNormalize normalize(Mono, 90);
  std::vector<float> normalized = Apply(normalize, quiet, 100);
  for (std::size_t i = 0; i < quiet.size(); ++i)
    ASSERT_EQ(normalized[i], quiet[i] * (0.9f / 0.45f)) << i;
}

TEST(LevelEffects, NormalizeBringsPeakOfAllChannelsToTarget) {
  // The louder channel decides; both get the same gain.
  std::vector<float> input = {0.1f, -0.4f, 0.2f, 0.05f, -0.3f, 0.2f};
  for (double percent : {20.0, 75.0, 100.0}) {
    TNormalize normalize(Stereo, percent);
    auto out = Apply(normalize, input, 1);
    EXPECT_NEAR(Peak(out), percent / 100, 1e-6) << percent;
    EXPECT_NEAR(out[0] / out[1], 0.1 / -0.4, 1e-6);
  }
}

TEST(LevelEffects, NormalizeLeavesSilenceSilent) {
  TNormalize normalize(Mono, 100);
  auto out = Apply(normalize, std::vector<float>(1000, 0.0f));
  EXPECT_EQ(Peak(out), 0.0);
  EXPECT_TRUE(AllFinite(out));
}

TEST(LevelEffects, NormalizeWithoutAnalysisNeverRaisesGainLater) {
  // A stream whose end is unknown: the gain follows the highest peak so far.
  TNormalize normalize(Mono, 100);
  std::vector<float> first = {0.5f, -0.25f}, second = {0.1f, 0.1f};
  normalize.ProcessBlock(first);
  normalize.ProcessBlock(second);
  EXPECT_FLOAT_EQ(first[0], 1.0f);
  EXPECT_FLOAT_EQ(first[1], -0.5f);
  EXPECT_FLOAT_EQ(second[0], 0.2f);
}

TEST(LevelEffects, FadeRunsFromInitialToFinalLevel) {
  struct Case { double from, to; };
  for (Case c : {Case{0, 100}, Case{100, 0}, Case{50, 50}, Case{20, 100}}) {
    TFade fade(Stereo, c.from, c.to, 1001);
    auto out = Apply(fade, std::vector<float>(2002, 1.0f), 300);
    ASSERT_EQ(out.size(), 2002u);
    EXPECT_NEAR(out[0], c.from / 100, 1e-6);
    EXPECT_NEAR(out[1], c.from / 100, 1e-6);
    EXPECT_NEAR(out[1000], (c.from + c.to) / 200, 1e-6); // frame 500 of 0..1000
    EXPECT_NEAR(out[2001], c.to / 100, 1e-6);
  }
}

TEST(LevelEffects, EnvelopeStretchesCurveOverSelection) {
  // Three points over 201 frames: 1.0 at frame 0, 0.1 at frame 100, 2.0 at 200.
  TEnvelope envelope(Mono, {1.0f, 0.1f, 2.0f}, 201);
  auto out = Apply(envelope, std::vector<float>(201, 0.5f), 64);
  ASSERT_EQ(out.size(), 201u);
  EXPECT_FLOAT_EQ(out[0], 0.5f);
  EXPECT_FLOAT_EQ(out[50], 0.5f * 0.55f);
  EXPECT_FLOAT_EQ(out[100], 0.05f);
  EXPECT_FLOAT_EQ(out[200], 1.0f);

  TEnvelope single(Mono, {0.1f}, 10);
  EXPECT_FLOAT_EQ(Apply(single, std::vector<float>(10, 1.0f))[9], 0.1f);
}

TEST(LevelEffects, MixStereoAppliesWeightMatrix) {
  struct Case { double ll, lr, rl, rr; float left, right; };
  // Input frame: left 0.4, right 0.2.
  for (Case c : {Case{50, 50, 50, 50, 0.3f, 0.3f}, Case{100, 0, 100, 0, 0.4f, 0.4f},
                 Case{0, 100, 100, 0, 0.2f, 0.4f}, Case{80, 20, 20, 80, 0.36f, 0.24f},
                 Case{100, 100, 100, 100, 0.6f, 0.6f}}) {
    TMixStereo mix(Stereo, c.ll, c.lr, c.rl, c.rr);
    auto out = Apply(mix, {0.4f, 0.2f});
    EXPECT_FLOAT_EQ(out[0], c.left) << c.ll << " " << c.lr;
    EXPECT_FLOAT_EQ(out[1], c.right) << c.rl << " " << c.rr;
  }
  EXPECT_THROW(TMixStereo(Mono, 50, 50, 50, 50), EDspError);
}

TEST(LevelEffects, ReverseOverBlocksFedBackwards) {
  std::vector<float> input;
  for (int f = 0; f < 10; ++f)
    input.insert(input.end(), {static_cast<float>(f), static_cast<float>(-f)});
  TReverse reverse(Stereo);
  auto out = Apply(reverse, input, 3);
  ASSERT_EQ(out.size(), input.size());
  for (int f = 0; f < 10; ++f) {
    EXPECT_EQ(out[2 * f], static_cast<float>(9 - f));
    EXPECT_EQ(out[2 * f + 1], static_cast<float>(f - 9));
  }
}

TEST(LevelEffects, SilenceZeroesSelection) {
  TSilence silence(Stereo);
  EXPECT_EQ(Peak(Apply(silence, Noise(500, 1, 2))), 0.0);
}

TEST(LevelEffects, CompressorReducesExcessByRate) {
  // A full-scale sine (0 dB) against a -10 dB threshold: 50 % leaves 5 dB
  // of the excess (-5 dB), 100 % holds it at -10 dB, 0 % leaves it alone.
  struct Case { double rate, expectedDb; };
  for (Case c : {Case{0, 0}, Case{50, -5}, Case{100, -10}}) {
    TCompressor compressor(Mono, -10, c.rate, 100);
    auto out = Apply(compressor, Sine(1000, 1.0, 44100, 44100), 4410);
    double peakDb = Db(Peak(Channel(out, 1, 0, 22050)));
    EXPECT_NEAR(peakDb, c.expectedDb, 0.3) << c.rate;
  }
  // Below the threshold nothing changes.
  TCompressor compressor(Mono, -10, 100, 100);
  auto quiet = Sine(1000, 0.2, 4410, 44100);
  EXPECT_EQ(Apply(compressor, quiet), quiet);
}

TEST(LevelEffects, NoiseReductionGatesBelowThresholdOnly) {
  TNoiseReduction loud(Mono, -30, 100, 10);
  auto signal = Sine(440, 0.5, 22050, 44100);
  auto out = Apply(loud, signal);
  EXPECT_NEAR(Rms(Channel(out, 1, 0, 4410)), Rms(Channel(signal, 1, 0, 4410)), 1e-3);

  // Noise at about -50 dB RMS: 100 % shuts it, 50 % doubles its distance
  // below the -40 dB threshold (-50 dB becomes about -60 dB).
  auto hiss = Noise(44100, 0.0055, 1);
  double hissDb = Db(Rms(Channel(hiss, 1, 0, 22050)));
  TNoiseReduction gate(Mono, -40, 100, 50);
  EXPECT_LT(Rms(Channel(Apply(gate, hiss), 1, 0, 22050)), 1e-4);
  TNoiseReduction expander(Mono, -40, 50, 50);
  double outDb = Db(Rms(Channel(Apply(expander, hiss), 1, 0, 22050)));
  EXPECT_NEAR(outDb, hissDb - (-40 - hissDb), 1.5);
}
