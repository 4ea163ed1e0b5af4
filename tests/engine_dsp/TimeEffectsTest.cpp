#include <gtest/gtest.h>

#include <cmath>

#include "Signals.h"
#include "engine/dsp/PitchChange.h"
#include "engine/dsp/SpeedChange.h"

using namespace dsp;
using namespace dsp_test;

namespace {

// Frequency measured away from the edges.
double MiddleFrequency(const std::vector<float> &out, int channels, int rate) {
  std::size_t frames = out.size() / channels;
  return DominantFrequency(Channel(out, channels, 0, frames / 4, frames * 3 / 4), rate);
}

} // namespace

TEST(TimeEffects, SpeedChangeScalesLengthAndFrequency) {
  struct Case { double percent; std::size_t frames; };
  for (Case c : {Case{200, 22050}, Case{70, 63000}, Case{150, 29400}, Case{100, 44100}, Case{300, 14700}}) {
    TSpeedChange speed({44100, 2}, c.percent);
    auto out = Apply(speed, Sine(440, 0.5, 44100, 44100, 2), 4410);
    EXPECT_EQ(out.size(), 2 * c.frames) << c.percent;
    EXPECT_NEAR(MiddleFrequency(out, 2, 44100), 440 * c.percent / 100, 2.0) << c.percent;
    EXPECT_NEAR(Rms(Channel(out, 2, 1, c.frames / 4, c.frames * 3 / 4)), 0.5 / std::sqrt(2.0), 0.01);
  }
}

TEST(TimeEffects, PitchChangeKeepsLengthAndScalesFrequency) {
  struct Case { double percent; int rate; };
  for (Case c : {Case{140, 44100}, Case{60, 44100}, Case{200, 22050}, Case{80, 8000}, Case{10, 44100}, Case{300, 44100}}) {
    const std::size_t frames = c.rate + 1234;
    TPitchChange pitch({c.rate, 2}, c.percent);
    auto input = Sine(c.percent > 150 ? 200 : 500, 0.5, frames, c.rate, 2);
    double inputHz = c.percent > 150 ? 200 : 500;
    auto out = Apply(pitch, input, c.rate / 10);
    ASSERT_EQ(out.size(), input.size()) << c.percent;
    EXPECT_NEAR(MiddleFrequency(out, 2, c.rate), inputHz * c.percent / 100, inputHz * c.percent / 100 * 0.01)
        << c.percent << " % at " << c.rate;
    // Level kept, no gaps: every 10 ms of the middle carries the tone.
    for (std::size_t from = frames / 4; from + c.rate / 100 < frames * 3 / 4; from += c.rate / 100)
      ASSERT_GT(Rms(Channel(out, 2, 0, from, from + c.rate / 100)), 0.25) << c.percent << " at frame " << from;
  }
}

TEST(TimeEffects, PitchChangeKeepsTimingOfEvents) {
  // A click half way through stays half way through.
  std::vector<float> input(44100, 0.0f);
  for (int i = 0; i < 200; ++i)
    input[22050 + i] = 0.8f * static_cast<float>(std::sin(2 * M_PI * 1000 * i / 44100.0));
  TPitchChange pitch({44100, 1}, 150);
  auto out = Apply(pitch, input, 1000);
  std::size_t loudest = 0;
  for (std::size_t i = 0; i < out.size(); ++i)
    if (std::fabs(out[i]) > std::fabs(out[loudest]))
      loudest = i;
  EXPECT_NEAR(static_cast<double>(loudest), 22150.0, 1323.0);
}

TEST(TimeEffects, EmptyInputGivesEmptyOutput) {
  TSpeedChange speed({44100, 2}, 50);
  TPitchChange pitch({44100, 2}, 50);
  EXPECT_TRUE(Apply(speed, {}).empty());
  EXPECT_TRUE(Apply(pitch, {}).empty());
}
