#include <gtest/gtest.h>

#include "Signals.h"
#include "engine/AudioEffects.h"

using namespace dsp_test;

namespace {

// A selection held in memory, read and written the way the editor does.
struct TFakeSelection {
  std::vector<float> Audio;
  int Channels;
  std::vector<float> Result;
  std::vector<std::int64_t> ReadsAt;
  std::vector<std::pair<std::int64_t, std::int64_t>> Progress;

  std::int64_t Frames() const { return static_cast<std::int64_t>(Audio.size()) / Channels; }

  std::int64_t Run(dsp::TAudioEffect &effect, std::int64_t block) {
    TAudioEffectIo io;
    io.Read = [this](std::int64_t at, std::int64_t frames, float *dest) {
      ReadsAt.push_back(at);
      std::copy(Audio.begin() + at * Channels, Audio.begin() + (at + frames) * Channels, dest);
    };
    io.Write = [this](const float *data, std::int64_t frames) { Result.insert(Result.end(), data, data + frames * Channels); };
    io.Progress = [this](std::int64_t done, std::int64_t total) { Progress.emplace_back(done, total); };
    return RunAudioEffect(effect, Frames(), io, block);
  }
};

} // namespace

TEST(EditorEffects, NormalizeReadsSelectionTwiceThenApplies) {
  TFakeSelection sel{{0.1f, -0.2f, 0.05f, 0.4f, -0.3f, 0.0f, 0.2f, 0.1f}, 2};
  auto effect = TAudioEffects({44100, 2}, sel.Frames()).Normalize(100, -1);
  EXPECT_EQ(sel.Run(*effect, 3), 4);
  EXPECT_EQ(sel.ReadsAt, (std::vector<std::int64_t>{0, 3, 0, 3}));
  EXPECT_FLOAT_EQ(Peak(sel.Result), 1.0f);
  EXPECT_FLOAT_EQ(sel.Result[0], 0.25f);
  // Progress runs over both passes to the end.
  ASSERT_FALSE(sel.Progress.empty());
  EXPECT_EQ(sel.Progress.back(), std::make_pair(std::int64_t{8}, std::int64_t{8}));
}

TEST(EditorEffects, ReverseReadsBlocksBackwardsAndWritesInOrder) {
  TFakeSelection sel{{}, 1};
  for (int i = 0; i < 10; ++i)
    sel.Audio.push_back(static_cast<float>(i));
  auto effect = TAudioEffects({44100, 1}, 10).Reverse();
  EXPECT_EQ(sel.Run(*effect, 4), 10);
  EXPECT_EQ(sel.ReadsAt, (std::vector<std::int64_t>{6, 2, 0}));
  EXPECT_EQ(sel.Result, (std::vector<float>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST(EditorEffects, SpeedChangeReturnsNewLength) {
  TFakeSelection sel{Sine(440, 0.5, 44100, 44100, 2), 2};
  auto effect = TAudioEffects({44100, 2}, sel.Frames()).SpeedChange(150);
  EXPECT_EQ(sel.Run(*effect, 10000), 29400);
  EXPECT_EQ(sel.Result.size(), 2u * 29400);
}

TEST(EditorEffects, FadeAndEnvelopeSpanTheWholeSelection) {
  // Fade Out: full level on the first frame, silence on the last, however
  // the selection is cut into blocks.
  TFakeSelection fade{std::vector<float>(1001, 1.0f), 1};
  auto fadeOut = TAudioEffects({44100, 1}, 1001).Fade(100, 0);
  fade.Run(*fadeOut, 97);
  EXPECT_FLOAT_EQ(fade.Result.front(), 1.0f);
  EXPECT_NEAR(fade.Result[500], 0.5f, 1e-6);
  EXPECT_FLOAT_EQ(fade.Result.back(), 0.0f);

  // A curve drawn at 0 dB, -20 dB, 0 dB as the envelope command passes it.
  TFakeSelection env{std::vector<float>(2001, 1.0f), 1};
  auto envelope = TAudioEffects({44100, 1}, 2001).Envelope({1.0f, 0.1f, 1.0f});
  env.Run(*envelope, 300);
  EXPECT_FLOAT_EQ(env.Result.front(), 1.0f);
  EXPECT_FLOAT_EQ(env.Result[1000], 0.1f);
  EXPECT_FLOAT_EQ(env.Result.back(), 1.0f);
}

TEST(EditorEffects, EmptySelectionReadsNothing) {
  TFakeSelection sel{{}, 2};
  auto effect = TAudioEffects({44100, 2}, 0).PitchChange(140);
  EXPECT_EQ(sel.Run(*effect, 100), 0);
  EXPECT_TRUE(sel.ReadsAt.empty());
  EXPECT_TRUE(sel.Result.empty());
}
