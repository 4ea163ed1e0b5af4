#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "Signals.h"
#include "engine/AudioTransform2.h"
#include "framework/OwnedObject.h"

using namespace dsp_test;
using TSamples = std::vector<float>;

namespace {

const std::vector<float> Frequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};

struct TTransformFixture : ::testing::Test {
  std::vector<int> Percents;
  int Ends = 0;
  // Last, so it is freed before the counters its events write to.
  TOwned<TAudioTransform2> Transform = MakeOwned<TAudioTransform2>(nullptr);

  TTransformFixture() {
    Transform->OnTransformBlock = TTransformBlockEvent(this, &TTransformFixture::Block);
    Transform->OnEndTransform = TNotifyEvent(this, &TTransformFixture::End);
  }
  void Block(TObject *, int percent) { Percents.push_back(percent); }
  void End(TObject *) { ++Ends; }
};

using TCommand = std::function<void(TAudioTransform2 &, TSamples &)>;

// Stereo music-like input.
TSamples Program(std::size_t frames) {
  auto a = Sine(330, 0.4, frames, 44100, 2);
  auto n = Noise(frames, 0.2, 2, 7);
  for (std::size_t i = 0; i < a.size(); ++i)
    a[i] += n[i] * (i % 2 ? 1.0f : 0.5f);
  return a;
}

// What the batch converter does with one file: one-second blocks, each split
// into channels, the command list on the left and then the right channel,
// merged again. flagPerBlock: the flag around each block, or once around all;
// endRound: one more round on empty arrays after the last block.
TSamples BatchRun(TAudioTransform2 &t, const TSamples &stereo, const std::vector<TCommand> &commands,
                  bool flagPerBlock, bool endRound = false, bool newRun = true) {
  if (newRun)
    t.SetSampleRate(44100);
  TSamples out;
  const std::size_t block = 2 * 44100;
  if (!flagPerBlock)
    t.SetProcessingFlag(true);
  for (std::size_t at = 0; at < stereo.size() + (endRound ? block : 0); at += block) {
    TSamples part(stereo.begin() + std::min(at, stereo.size()), stereo.begin() + std::min(at + block, stereo.size()));
    if (flagPerBlock)
      t.SetProcessingFlag(true);
    TSamples left = t.LeftChannel(part), right = t.RightChannel(part);
    for (const auto &command : commands) {
      command(t, left);
      command(t, right);
    }
    auto merged = t.MergeChannels(left, right);
    out.insert(out.end(), merged.begin(), merged.end());
    if (flagPerBlock)
      t.SetProcessingFlag(false);
  }
  t.SetProcessingFlag(false);
  return out;
}

} // namespace

TEST_F(TTransformFixture, BatchBlocksContinueEachEffect) {
  const TSamples input = Program(3 * 44100 + 5000);
  const std::vector<std::pair<const char *, std::vector<TCommand>>> lists = {
      {"echo", {[](auto &t, auto &b) { t.Echo(b, 200, 70, 40); }}},
      {"reverb", {[](auto &t, auto &b) { t.Reverb(b, 30, 60, 60, 30, 11025, 8); }}},
      {"filters",
       {[](auto &t, auto &b) { t.HighPass(b, 200, 100); },
        [](auto &t, auto &b) { t.Equalizer(b, TSamples{1.2f, 0, 0, 0, 0, -0.9f, 0, 0, 0, 0.5f, 0, 0}, Frequencies); }}},
      {"dynamics",
       {[](auto &t, auto &b) { t.Compressor(b, -10, 50, 100); },
        [](auto &t, auto &b) { t.NoiseReduction(b, -54, 75, 100); }}},
      {"modulation",
       {[](auto &t, auto &b) { t.Phaser(b, 300, 30, 45); },
        [](auto &t, auto &b) { t.Flanger(b, 14, 50, 30, 99, 18, 40); },
        [](auto &t, auto &b) { t.Chorus(b, 31, 45, 60, 25, 12, 90); }}},
      {"same effect twice", {[](auto &t, auto &b) { t.Echo(b, 100, 50, 50); }, [](auto &t, auto &b) { t.Echo(b, 100, 50, 50); }}},
      {"pitch", {[](auto &t, auto &b) { t.PitchChange(b, 140); }}},
      {"speed", {[](auto &t, auto &b) { t.SpeedChange(b, 70); }}},
  };
  for (const auto &[name, commands] : lists) {
    // The reference: each channel whole, in one call.
    TSamples left = Transform->LeftChannel(input), right = Transform->RightChannel(input);
    for (const auto &command : commands) {
      command(*Transform, left);
      command(*Transform, right);
    }
    TSamples whole = Transform->MergeChannels(left, right);
    for (bool flagPerBlock : {true, false}) {
      for (bool endRound : {false, true}) {
        TSamples blocks = BatchRun(*Transform, input, commands, flagPerBlock, endRound);
        // Pitch and speed hold back a few windows they only give out at the
        // end of a whole, or in the round on empty arrays; what came out must
        // be the same.
        if (endRound) {
          ASSERT_EQ(blocks.size(), whole.size()) << name;
        } else {
          ASSERT_LE(blocks.size(), whole.size()) << name;
          EXPECT_GT(blocks.size(), whole.size() - 2 * 4410) << name;
        }
        double worst = 0;
        for (std::size_t i = 0; i < blocks.size(); ++i)
          worst = std::max(worst, static_cast<double>(std::fabs(blocks[i] - whole[i])));
        EXPECT_LT(worst, 1e-5) << name << (flagPerBlock ? ", flag per block" : ", flag once")
                               << (endRound ? ", end round" : "");
      }
    }
  }
}

TEST_F(TTransformFixture, TheEndRoundStartsTheNextRunAfresh) {
  const TSamples input = Program(2 * 44100 + 777);
  const std::vector<TCommand> commands = {[](auto &t, auto &b) { t.Echo(b, 200, 70, 40); },
                                          [](auto &t, auto &b) { t.PitchChange(b, 140); }};
  TSamples first = BatchRun(*Transform, input, commands, true, true);
  // The next file of a batch at the same rate: no echo or pitch tail carries over.
  TSamples second = BatchRun(*Transform, input, commands, true, true, false);
  ASSERT_EQ(first.size(), input.size());
  EXPECT_EQ(second, first);
}

TEST_F(TTransformFixture, NewSampleRateStartsAFreshRun) {
  // An echo still ringing at the end of one file must not spill into the next.
  TSamples first = Impulse(44100), silence(44100, 0.0f);
  Transform->SetSampleRate(44100);
  Transform->SetProcessingFlag(true);
  Transform->Echo(first, 500, 100, 90);
  Transform->SetProcessingFlag(false);
  Transform->SetSampleRate(44100);
  Transform->SetProcessingFlag(true);
  Transform->Echo(silence, 500, 100, 90);
  Transform->SetProcessingFlag(false);
  EXPECT_EQ(Peak(silence), 0.0);
  // Changed values also start afresh.
  TSamples again = Impulse(44100), more(44100, 0.0f);
  Transform->SetProcessingFlag(true);
  Transform->Echo(again, 500, 100, 90);
  Transform->SetProcessingFlag(false);
  Transform->SetProcessingFlag(true);
  Transform->Echo(more, 400, 100, 90);
  Transform->SetProcessingFlag(false);
  EXPECT_EQ(Peak(more), 0.0);
}

TEST_F(TTransformFixture, PreviewOfDocumentFormat) {
  // A 22050 Hz stereo preview: the echo comes 100 ms = 2205 frames later in
  // both channels, and a single call keeps the length of pitch changes.
  Transform->SetSampleRate(22050);
  Transform->SetChannels(2);
  TSamples buffer = Impulse(22050, 2);
  Transform->Echo(buffer, 100, 50, 0);
  ASSERT_EQ(buffer.size(), 2u * 22050);
  EXPECT_FLOAT_EQ(buffer[2 * 2205], 0.5f);
  EXPECT_FLOAT_EQ(buffer[2 * 2205 + 1], 0.5f);
  TSamples tone = Sine(300, 0.5, 22050, 22050, 2);
  Transform->PitchChange(tone, 200);
  ASSERT_EQ(tone.size(), 2u * 22050);
  EXPECT_NEAR(DominantFrequency(Channel(tone, 2, 1, 5000, 17000), 22050), 600, 6);
  TSamples loud = {0.1f, 0.2f, -0.4f, 0.3f};
  Transform->Normalize(loud, 50, -1);
  EXPECT_FLOAT_EQ(loud[2], -0.5f);
}

TEST_F(TTransformFixture, EventsReportProgressThenEnd) {
  TSamples buffer = Program(44100);
  Transform->SetChannels(2);
  Transform->Amplify(buffer, 50);
  ASSERT_GE(Percents.size(), 2u);
  EXPECT_TRUE(std::is_sorted(Percents.begin(), Percents.end()));
  EXPECT_EQ(Percents.back(), 100);
  EXPECT_EQ(Ends, 1);
}

TEST_F(TTransformFixture, FailureLeavesNoArrayAndEndsTransform) {
  const std::vector<std::pair<const char *, TCommand>> failures = {
      {"speed 0 %", [](auto &t, auto &b) { t.SpeedChange(b, 0); }},
      {"negative amplify", [](auto &t, auto &b) { t.Amplify(b, -5); }},
      {"mismatched equalizer", [](auto &t, auto &b) { t.Equalizer(b, TSamples(12, 0.0f), TSamples(11, 100.0f)); }},
      {"odd stereo array", [](auto &t, auto &b) {
         t.SetChannels(2);
         b.push_back(0);
         t.Echo(b, 100, 50, 50);
       }},
  };
  for (const auto &[name, call] : failures) {
    Transform->SetChannels(1);
    TSamples buffer = Program(1000);
    int ends = Ends;
    EXPECT_THROW(call(*Transform, buffer), EAudioTransformError) << name;
    EXPECT_TRUE(buffer.empty()) << name;
    EXPECT_EQ(Ends, ends + 1) << name;
  }
}

TEST_F(TTransformFixture, MixStereoOnChannelArraysMixesThePair) {
  // Left 0.4, right 0.2; "Swap Channels" and "Less Stereo -20%".
  struct Case { float ll, lr, rl, rr, left, right; };
  for (Case c : {Case{0, 100, 100, 0, 0.2f, 0.4f}, Case{80, 20, 20, 80, 0.36f, 0.24f}}) {
    TSamples left(10, 0.4f), right(10, 0.2f);
    Transform->SetProcessingFlag(true);
    Transform->MixStereo(left, c.ll, c.lr, c.rl, c.rr);
    Transform->MixStereo(right, c.ll, c.lr, c.rl, c.rr);
    Transform->SetProcessingFlag(false);
    EXPECT_FLOAT_EQ(left[9], c.left);
    EXPECT_FLOAT_EQ(right[9], c.right);
  }
  // Interleaved stereo in one call.
  Transform->SetChannels(2);
  TSamples stereo = {0.4f, 0.2f};
  Transform->MixStereo(stereo, 0, 100, 100, 0);
  EXPECT_EQ(stereo, (TSamples{0.2f, 0.4f}));
  // A lone channel array has no partner and stays as it was.
  Transform->SetChannels(1);
  TSamples lone(5, 0.3f);
  Transform->MixStereo(lone, 0, 100, 100, 0);
  Transform->Amplify(lone, 100);
  EXPECT_EQ(lone, TSamples(5, 0.3f));
}

TEST_F(TTransformFixture, ChannelOperations) {
  const TSamples stereo = {1, -1, 2, -2, 3, -3};
  EXPECT_EQ(Transform->LeftChannel(stereo), (TSamples{1, 2, 3}));
  EXPECT_EQ(Transform->RightChannel(stereo), (TSamples{-1, -2, -3}));
  EXPECT_EQ(Transform->MergeChannels({1, 2, 3}, {-1, -2, -3}), stereo);
  // The shorter channel (after a speed change, say) is padded with silence.
  EXPECT_EQ(Transform->MergeChannels({1, 2}, {-1}), (TSamples{1, -1, 2, 0}));
  EXPECT_EQ(Transform->MonoToStereo({0.5f, -0.25f}), (TSamples{0.5f, 0.5f, -0.25f, -0.25f}));
  EXPECT_THROW(Transform->LeftChannel({1, 2, 3}), EAudioTransformError);
  EXPECT_THROW(Transform->SetSampleRate(0), EAudioTransformError);
}
