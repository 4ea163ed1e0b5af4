#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "Signals.h"
#include "engine/dsp/Amplify.h"
#include "engine/dsp/Compressor.h"
#include "engine/dsp/Echo.h"
#include "engine/dsp/Envelope.h"
#include "engine/dsp/Equalizer.h"
#include "engine/dsp/Fade.h"
#include "engine/dsp/HighPass.h"
#include "engine/dsp/MixStereo.h"
#include "engine/dsp/ModulatedDelay.h"
#include "engine/dsp/NoiseReduction.h"
#include "engine/dsp/Normalize.h"
#include "engine/dsp/Phaser.h"
#include "engine/dsp/PitchChange.h"
#include "engine/dsp/Reverb.h"
#include "engine/dsp/Reverse.h"
#include "engine/dsp/SpeedChange.h"

using namespace dsp;
using namespace dsp_test;

namespace {

const TAudioFormat Format{44100, 2};
const std::size_t Frames = 3 * 44100 + 777;

using TMaker = std::function<std::unique_ptr<TAudioEffect>()>;

struct TNamedEffect {
  const char *Name;
  TMaker Make;
};

const std::vector<float> Frequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};

// Every effect with the default settings of its dialog.
std::vector<TNamedEffect> AllEffects() {
  return {
      {"Amplify", [] { return std::make_unique<TAmplify>(Format, 25); }},
      {"Normalize", [] { return std::make_unique<TNormalize>(Format, 100); }},
      {"Compressor", [] { return std::make_unique<TCompressor>(Format, -10, 50, 100); }},
      {"HighPass", [] { return std::make_unique<THighPass>(Format, 200, 100); }},
      {"Equalizer",
       [] {
         return std::make_unique<TEqualizer>(
             Format, std::vector<float>{-0.5f, -1.8f, -0.5f, 0, -0.3f, 0.8f, 0, 0.75f, 0.45f, 0.3f, 0.15f, 0},
             Frequencies);
       }},
      {"Echo", [] { return std::make_unique<TEcho>(Format, 200, 70, 40); }},
      {"Reverb", [] { return std::make_unique<TReverb>(Format, 30, 60, 60, 30, 11025, 8); }},
      {"Fade", [] { return std::make_unique<TFade>(Format, 100, 0, Frames); }},
      {"Envelope", [] { return std::make_unique<TEnvelope>(Format, std::vector<float>{1, 0.1f, 3, 1}, Frames); }},
      {"MixStereo", [] { return std::make_unique<TMixStereo>(Format, 80, 20, 20, 80); }},
      {"NoiseReduction", [] { return std::make_unique<TNoiseReduction>(Format, -54, 75, 100); }},
      {"SpeedChange", [] { return std::make_unique<TSpeedChange>(Format, 70); }},
      {"PitchChange", [] { return std::make_unique<TPitchChange>(Format, 140); }},
      {"Phaser", [] { return std::make_unique<TPhaser>(Format, 300, 30, 45); }},
      {"Flanger", [] { return std::make_unique<TFlanger>(Format, 14, 50, 30, 99, 18, 40); }},
      {"Chorus", [] { return std::make_unique<TChorus>(Format, 31, 45, 60, 25, 12, 90); }},
      {"Reverse", [] { return std::make_unique<TReverse>(Format); }},
  };
}

// Music-like input: two tones, noise and a quiet gap.
std::vector<float> Program() {
  auto a = Sine(220, 0.4, Frames, 44100, 2);
  auto b = Sine(3300, 0.2, Frames, 44100, 2);
  auto n = Noise(Frames, 0.1, 2);
  for (std::size_t i = 0; i < a.size(); ++i)
    a[i] += b[i] + n[i];
  std::fill(a.begin() + 2 * 44100 * 2, a.begin() + 2 * 51000 * 2, 0.0f);
  return a;
}

} // namespace

TEST(Streaming, BlocksGiveTheSameResultAsTheWhole) {
  const auto input = Program();
  for (const auto &e : AllEffects()) {
    auto whole = e.Make();
    auto reference = Apply(*whole, input);
    // One-second blocks as the batch converter reads them, and odd ones.
    for (std::size_t block : {std::size_t{44100}, std::size_t{1000}, std::size_t{1}}) {
      if (block == 1 && (std::string(e.Name) == "Reverb" || std::string(e.Name) == "PitchChange"))
        block = 7;
      auto streamed = e.Make();
      auto out = Apply(*streamed, input, block);
      ASSERT_EQ(out.size(), reference.size()) << e.Name << " in blocks of " << block;
      double worst = 0;
      for (std::size_t i = 0; i < out.size(); ++i)
        worst = std::max(worst, static_cast<double>(std::fabs(out[i] - reference[i])));
      EXPECT_LT(worst, 1e-5) << e.Name << " in blocks of " << block;
    }
  }
}

TEST(Streaming, ResetStartsAfresh) {
  const auto input = Program();
  for (const auto &e : AllEffects()) {
    auto effect = e.Make();
    auto first = Apply(*effect, input, 44100);
    effect->Reset();
    EXPECT_EQ(Apply(*effect, input, 44100), first) << e.Name;
  }
}

TEST(Streaming, NoNanOnSilenceFullScaleOrEmptyInput) {
  std::vector<float> fullScale(2 * 44100);
  for (std::size_t i = 0; i < fullScale.size(); ++i)
    fullScale[i] = (i / 2) % 50 < 25 ? 1.0f : -1.0f;
  for (const auto &e : AllEffects()) {
    for (const auto &input : {std::vector<float>(2 * 44100, 0.0f), fullScale}) {
      auto effect = e.Make();
      auto out = Apply(*effect, input, 4410);
      EXPECT_TRUE(AllFinite(out)) << e.Name;
    }
    auto silent = e.Make();
    EXPECT_EQ(Peak(Apply(*silent, std::vector<float>(2 * 44100, 0.0f))), 0.0) << e.Name;
    auto empty = e.Make();
    EXPECT_TRUE(Apply(*empty, {}).empty()) << e.Name;
  }
}

TEST(Streaming, ValuesOutsideWhatTheEffectCanUseAreRefused) {
  const std::vector<float> twelve(12, 0.0f);
  const std::vector<std::pair<const char *, std::function<void()>>> cases = {
      {"negative amplify", [] { TAmplify(Format, -1); }},
      {"normalize above 100 %", [] { TNormalize(Format, 101); }},
      {"normalize of one channel", [] { TNormalize(Format, 100, 0); }},
      {"compressor threshold above 0 dB", [] { TCompressor(Format, 3, 50, 100); }},
      {"compressor rate above 100 %", [] { TCompressor(Format, -10, 150, 100); }},
      {"negative high-pass", [] { THighPass(Format, -5, 100); }},
      {"equalizer gain of +60 dB", [&] { TEqualizer(Format, std::vector<float>(12, 6.5f), Frequencies); }},
      {"equalizer frequency 0", [&] { TEqualizer(Format, std::vector<float>(12, 1), twelve); }},
      {"negative echo delay", [] { TEcho(Format, -1, 50, 50); }},
      {"echo feedback above 100 %", [] { TEcho(Format, 100, 50, 101); }},
      {"reverb with 11 taps", [] { TReverb(Format, 30, 60, 60, 30, 11025, 11); }},
      {"reverb frequency NaN", [] { TReverb(Format, 30, 60, 60, 30, std::nan(""), 8); }},
      {"negative fade", [] { TFade(Format, -10, 100, 10); }},
      {"empty envelope", [] { TEnvelope(Format, {}, 10); }},
      {"infinite envelope gain", [] { TEnvelope(Format, {1, INFINITY}, 10); }},
      {"noise reduction rate above 100 %", [] { TNoiseReduction(Format, -54, 101, 100); }},
      {"speed 0 %", [] { TSpeedChange(Format, 0); }},
      {"pitch 9 %", [] { TPitchChange(Format, 9); }},
      {"phaser mix above 100 %", [] { TPhaser(Format, 300, 130, 45); }},
      {"flanger phase of 400 degrees", [] { TFlanger(Format, 14, 50, 30, 99, 18, 400); }},
      {"chorus negative sweep rate", [] { TChorus(Format, 14, 50, 30, 99, -1, 40); }},
      {"zero sample rate", [] { TAmplify({0, 2}, 100); }},
      {"no channels", [] { TAmplify({44100, 0}, 100); }},
  };
  for (const auto &[name, make] : cases)
    EXPECT_THROW(make(), EDspError) << name;
  // Whole frames only.
  TAmplify amplify(Format, 50);
  std::vector<float> odd(3, 0.5f);
  EXPECT_THROW(amplify.ProcessBlock(odd), EDspError);
}

TEST(Streaming, EdgeValuesAreClampedNotRefused) {
  // Zero delays and frequencies beyond the audio still give finite sound.
  auto noise = Noise(44100, 1.0, 2);
  std::vector<std::unique_ptr<TAudioEffect>> effects;
  effects.push_back(std::make_unique<TEcho>(Format, 0, 50, 50));
  effects.push_back(std::make_unique<TReverb>(Format, 0, 60, 60, 30, 22500, 0));
  effects.push_back(std::make_unique<TPhaser>(Format, 0, 30, 45));
  effects.push_back(std::make_unique<TNoiseReduction>(Format, -54, 75, 0));
  effects.push_back(std::make_unique<TFade>(Format, 0, 100, 0));
  for (auto &effect : effects) {
    auto out = Apply(*effect, noise, 1000);
    EXPECT_EQ(out.size(), noise.size());
    EXPECT_TRUE(AllFinite(out));
  }
}
