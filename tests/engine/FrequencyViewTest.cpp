// The spectrum view: its analysis of sines (frequency and level of the peak),
// the waveform it draws, and the five spectrum looks drawing what they analyse.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "EngineTestSupport.h"
#include "engine/TAudioVisualization2.h"
#include "tests/support/MemoryDC.h"

namespace {

// Frames of a sine of amplitude in each channel's share of amplitudes.
TSampleArray Sine(int frames, double hz, int rate, std::vector<double> amplitudes) {
  TSampleArray s;
  for (int f = 0; f < frames; ++f)
    for (double a : amplitudes) s.push_back(float(a * std::sin(2 * std::numbers::pi * hz * f / rate)));
  return s;
}

TOwned<TAudioVisualization2> View(int size, int rate, int channels) {
  auto v = Make<TAudioVisualization2>();
  v->SetWindowArraySize(size);
  v->SetSampleRate(rate);
  v->SetChannels(channels);
  return v;
}

}  // namespace

TEST(FrequencyView, ASineOnABinCentrePeaksAtItsFrequencyAndLevel) {
  const int rate = 44100;
  const struct {
    const char* name;
    std::vector<double> amplitudes;  // one per channel
    double level;                    // dB of the channel average
  } inputs[] = {{"mono", {0.5}, -6.02}, {"stereo alike", {0.5, 0.5}, -6.02}, {"stereo left only", {0.5, 0}, -12.04}};
  for (int size : {256, 1024, 4096}) {
    for (const auto& in : inputs) {
      SCOPED_TRACE(std::to_string(size) + " " + in.name);
      const int bin = size / 8 + 3;
      const double hz = double(bin) * rate / size;
      auto v = View(size, rate, int(in.amplitudes.size()));
      v->ShowSamples(Sine(size, hz, rate, in.amplitudes));
      const std::vector<float>& levels = v->GetLevels();
      ASSERT_EQ(size_t(size / 2 + 1), levels.size());
      const size_t peak = size_t(std::max_element(levels.begin(), levels.end()) - levels.begin());
      EXPECT_NEAR(double(peak) * rate / size, hz, double(rate) / size);
      EXPECT_NEAR(levels[peak], in.level, 1.0);
      // Far from the peak the window leaves nothing worth seeing.
      EXPECT_LT(levels[size_t(bin) / 2], -100.0f);
    }
  }
}

TEST(FrequencyView, AnalysesItsSizeOfFramesAndCountsMissingOnesAsSilence) {
  auto v = View(256, 8000, 2);
  TSampleArray s = Sine(300, 1000, 8000, {0.25, 0.75});
  v->ShowSamples(s);
  const std::vector<float>& wave = v->GetWave();
  ASSERT_EQ(256u, wave.size());
  EXPECT_FLOAT_EQ((s[20] + s[21]) / 2, wave[10]);
  v->ShowSamples(TSampleArray(s.begin(), s.begin() + 200));  // 100 frames
  EXPECT_FLOAT_EQ((s[198] + s[199]) / 2, v->GetWave()[99]);
  EXPECT_EQ(0.0f, v->GetWave()[100]);
  EXPECT_EQ(0.0f, v->GetWave()[255]);
}

TEST(FrequencyView, RefusesSettingsItCannotShow) {
  auto v = Make<TAudioVisualization2>();
  EXPECT_THROW(v->SetWindowArraySize(1000), EAudioError);
  EXPECT_THROW(v->SetVisType(6), EAudioError);
  EXPECT_THROW(v->SetWindowFFTType(1), EAudioError);
  EXPECT_THROW(v->SetChannels(0), EAudioError);
  EXPECT_EQ(1024, v->GetWindowArraySize());
  EXPECT_EQ(0, v->GetVisType());
}

// A 400 x 200 view: the plot spans columns 32..391 and rows 6..183.
TEST(FrequencyView, AnalogDrawsTheWaveAcrossThePlot) {
  auto v = View(256, 8000, 1);
  // One slow period over the 256 frames, at 0.8 of full scale.
  TSampleArray s(256);
  for (int i = 0; i < 256; ++i) s[size_t(i)] = float(0.8 * std::sin(2 * std::numbers::pi * i / 256));
  v->ShowSamples(s);
  TMemoryDC shot(400, 200);
  v->PaintTo(shot.DC(), 400, 200);
  const COLORREF line = RGB(80, 255, 144);
  const int top = 6, height = 177;
  for (int column : {0, 40, 90, 180, 270, 358}) {
    SCOPED_TRACE(column);
    const int frame = int(std::lround(column * 255.0 / 359));
    const int y = top + int(std::lround(height / 2.0 * (1 - s[size_t(frame)])));
    bool drawn = false;
    for (int dy = -2; dy <= 2; ++dy) drawn = drawn || shot.Pixel(32 + column, y + dy) == line;
    EXPECT_TRUE(drawn);
    // The mirrored height stays empty where the wave is far from zero.
    if (std::abs(s[size_t(frame)]) > 0.3f) {
      EXPECT_NE(line, shot.Pixel(32 + column, top + height - (y - top)));
    }
  }
}

TEST(FrequencyView, EveryLookDrawsThePeakAndNothingWhereThereIsNoSound) {
  const int rate = 8000, size = 1024;
  const double hz = 1000;  // bin 128, on its centre
  for (int look = 1; look <= 5; ++look) {
    SCOPED_TRACE(look);
    auto v = View(size, rate, 1);
    v->SetVisType(look);
    TMemoryDC quiet(400, 200), loud(400, 200);
    v->ShowSamples(TSampleArray(size, 0.0f));
    v->PaintTo(quiet.DC(), 400, 200);
    v->ShowSamples(Sine(size, hz, rate, {0.5}));
    v->PaintTo(loud.DC(), 400, 200);
    // 1000 Hz of the 4000 shown: column 32 + 359 / 4 (bars may start a few columns before).
    const int peak = 32 + 90, away = 32 + 300;
    // Rows the sound changed in a column, and the highest of them.
    auto changed = [&](int x, int& highest) {
      int rows = 0;
      highest = 1000;
      for (int y = 6; y < 183; ++y)
        if (quiet.Pixel(x, y) != loud.Pixel(x, y)) {
          ++rows;
          highest = std::min(highest, y);
        }
      return rows;
    };
    int rows = 0, highest = 1000;
    for (int x = peak - 6; x <= peak + 6; ++x) {
      int h = 0;
      rows = std::max(rows, changed(x, h));
      highest = std::min(highest, h);
    }
    // -6 dB on a scale of 0 to -120 dB over rows 6..182 is row 15; the mark
    // reaches down most of the way (LED looks leave every third row dark).
    EXPECT_NEAR(highest, 15, 3);
    EXPECT_GT(rows, 100);
    int unused = 0;
    EXPECT_EQ(0, changed(away, unused));
  }
}
