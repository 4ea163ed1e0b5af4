#include <gtest/gtest.h>

#include <cmath>

#include "Signals.h"
#include "engine/dsp/Echo.h"
#include "engine/dsp/ModulatedDelay.h"
#include "engine/dsp/Phaser.h"
#include "engine/dsp/Reverb.h"

using namespace dsp;
using namespace dsp_test;

namespace {

const TAudioFormat Mono{44100, 1};

} // namespace

TEST(DelayEffects, EchoImpulseResponse) {
  // 10 ms at 44100 Hz is 441 frames; mix 70 %, feedback 40 %.
  TEcho echo({44100, 2}, 10, 70, 40);
  auto out = Apply(echo, Impulse(2000, 2), 100);
  ASSERT_EQ(out.size(), 4000u);
  for (int c = 0; c < 2; ++c) {
    auto ch = Channel(out, 2, c);
    EXPECT_FLOAT_EQ(ch[0], 1.0f);
    EXPECT_FLOAT_EQ(ch[441], 0.7f);
    EXPECT_FLOAT_EQ(ch[882], 0.7f * 0.4f);
    EXPECT_FLOAT_EQ(ch[1323], 0.7f * 0.4f * 0.4f);
    double rest = 0;
    for (std::size_t i = 0; i < ch.size(); ++i)
      if (i % 441 != 0)
        rest += std::fabs(ch[i]);
    EXPECT_EQ(rest, 0.0);
  }
}

TEST(DelayEffects, ReverbImpulseArrivesAfterDelayAndDecays) {
  // Without the dense tail the resonator answers exactly one delay later.
  TReverb resonator(Mono, 30, 60, 60, 0, 11025, 8);
  auto dry = Apply(resonator, Impulse(44100));
  EXPECT_FLOAT_EQ(dry[0], 0.4f);
  EXPECT_FLOAT_EQ(dry[1323], 0.6f);
  for (std::size_t i = 1; i < 1323; ++i)
    ASSERT_EQ(dry[i], 0.0f) << i;

  // The dense tail fills the gaps between the resonator's repeats and dies away.
  TReverb room(Mono, 30, 60, 60, 30, 11025, 8);
  auto wet = Apply(room, Impulse(3 * 44100));
  std::size_t nonzero = 0;
  for (std::size_t i = 5000; i < 9000; ++i)
    nonzero += wet[i] != 0.0f;
  EXPECT_GT(nonzero, 3500u);
  double early = Rms(Channel(wet, 1, 0, 2000, 12000));
  double late = Rms(Channel(wet, 1, 0, 100000, 132300));
  EXPECT_GT(early, 0.0);
  EXPECT_LT(late, early / 30);
}

TEST(DelayEffects, FlangerWithoutSweepIsStaticComb) {
  // Delay rate 10 % of 10 ms = 1 ms (44.1 frames): with mix 50 % and no
  // feedback, out = (x + x delayed) / 2, which cancels 500 Hz and doubles 1 kHz.
  TFlanger flanger(Mono, 10, 50, 0, 0, 0, 0);
  auto notch = Apply(flanger, Sine(500, 0.5, 8820, 44100));
  auto peak = [&] {
    TFlanger f(Mono, 10, 50, 0, 0, 0, 0);
    return Apply(f, Sine(1000, 0.5, 8820, 44100));
  }();
  EXPECT_LT(Rms(Channel(notch, 1, 0, 441)), 0.01);
  EXPECT_NEAR(Rms(Channel(peak, 1, 0, 441)), 0.5 / std::sqrt(2.0), 0.01);
}

TEST(DelayEffects, ModulationMovesTheNotches) {
  // A fixed tone through a swept phaser, flanger and chorus: its level goes
  // up and down with the sweep.
  TPhaser phaser(Mono, 100, 50, 0);
  TFlanger flanger(Mono, 50, 50, 0, 100, 20, 0);
  TChorus chorus(Mono, 20, 50, 0, 50, 20, 0);
  for (TAudioEffect *effect : {static_cast<TAudioEffect *>(&phaser), static_cast<TAudioEffect *>(&flanger),
                               static_cast<TAudioEffect *>(&chorus)}) {
    auto out = Apply(*effect, Sine(1000, 0.5, 88200, 44100));
    double low = 1, high = 0;
    for (std::size_t from = 4410; from + 441 <= 88200; from += 441) {
      double level = Rms(Channel(out, 1, 0, from, from + 441));
      low = std::min(low, level), high = std::max(high, level);
    }
    EXPECT_LT(low, 0.5 * high);
  }
}

TEST(DelayEffects, FullFeedbackStaysBoundedOnFullScaleNoise) {
  auto noise = Noise(5 * 44100, 1.0, 2);
  TEcho echo({44100, 2}, 1, 100, 100);
  TReverb reverb({44100, 2}, 1, 100, 100, 100, 22050, 10);
  TPhaser phaser({44100, 2}, 0, 100, 100);
  TFlanger flanger({44100, 2}, 0, 100, 100, 100, 100, 359);
  TChorus chorus({44100, 2}, 100, 100, 100, 100, 100, 0);
  for (TAudioEffect *effect : std::initializer_list<TAudioEffect *>{&echo, &reverb, &phaser, &flanger, &chorus}) {
    auto out = Apply(*effect, noise, 44100);
    EXPECT_TRUE(AllFinite(out));
    EXPECT_LT(Peak(out), 1000.0);
  }
}
