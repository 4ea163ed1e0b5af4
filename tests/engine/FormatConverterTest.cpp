#include <gtest/gtest.h>

#include <cmath>

#include "engine/EngineError.h"
#include "engine/FormatConverter.h"

namespace {

std::vector<float> Sine(int rate, double hz, int frames, int channels) {
  std::vector<float> v(size_t(frames) * channels);
  for (int f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c) v[size_t(f) * channels + c] = float(0.5 * std::sin(2 * M_PI * hz * f / rate));
  return v;
}

// Amplitude of hz in the middle of a mono signal, by correlation.
double Level(const std::vector<float>& s, int rate, double hz) {
  double re = 0, im = 0;
  size_t a = s.size() / 4, b = s.size() * 3 / 4;
  for (size_t i = a; i < b; ++i) {
    re += s[i] * std::cos(2 * M_PI * hz * double(i) / rate);
    im += s[i] * std::sin(2 * M_PI * hz * double(i) / rate);
  }
  return 2 * std::hypot(re, im) / double(b - a);
}

}  // namespace

TEST(FormatConverter, RateChangeKeepsLengthAndTone) {
  struct Case { int from, to; double hz; };
  for (Case c : {Case{44100, 22050, 1000}, Case{22050, 44100, 1000}, Case{8000, 44100, 440}, Case{48000, 44100, 3000}}) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
    std::vector<float> in = Sine(c.from, c.hz, c.from, 1);
    // Fed in uneven pieces, as the readers do.
    TFormatConverter conv(c.from, 1, c.to, 1);
    std::vector<float> out;
    for (size_t at = 0; at < in.size(); at += 1237)
      conv.Process(in.data() + at, int64_t(std::min<size_t>(1237, in.size() - at)), out);
    conv.Finish(out);
    EXPECT_EQ(int64_t(out.size()), int64_t(std::llround(double(in.size()) * c.to / c.from)));
    EXPECT_NEAR(Level(out, c.to, c.hz), 0.5, 0.02);
  }
}

TEST(FormatConverter, DownsamplingRemovesWhatCannotBeRepresented) {
  // 15 kHz cannot exist at 22050 Hz: it must not fold back as 7050 Hz.
  std::vector<float> out = TFormatConverter::Convert(Sine(44100, 15000, 44100, 1), 44100, 1, 22050, 1);
  EXPECT_LT(Level(out, 22050, 7050), 0.01);
}

TEST(FormatConverter, ChannelsAreCopiedOrAveraged) {
  EXPECT_EQ(TFormatConverter::Convert({0.25f, -0.5f}, 8000, 1, 8000, 2),
            (std::vector<float>{0.25f, 0.25f, -0.5f, -0.5f}));
  EXPECT_EQ(TFormatConverter::Convert({0.25f, 0.75f, -1.0f, 0.0f}, 8000, 2, 8000, 1),
            (std::vector<float>{0.5f, -0.5f}));
  EXPECT_THROW(TFormatConverter(8000, 3, 8000, 1), EAudioError);
}
