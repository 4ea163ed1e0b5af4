// What the engine plays reaches the sound device sample for sample: these tests
// run against the device of scripts/lib/sound.sh and read back what it wrote.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/AudioOutput.h"
#include "engine/EngineError.h"
#include "engine/TAudioPlayer2.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/SoundDevice.h"

namespace {

// 16-bit values that differ from frame to frame and between the channels, so
// that a dropped, repeated or swapped frame shows.
std::vector<int16_t> Pattern(int frames, int channels, int seed = 0) {
  std::vector<int16_t> v(size_t(frames) * channels);
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      v[size_t(i) * channels + c] = int16_t(((i + seed) * 37 + c * 11003) % 30011 - 15005);
  return v;
}

std::vector<float> ToFloat(const std::vector<int16_t>& v) {
  std::vector<float> f(v.size());
  for (size_t i = 0; i < v.size(); ++i) f[i] = float(v[i]) / 32768.0f;
  return f;
}

std::vector<int16_t> Slice(const std::vector<int16_t>& v, int channels, int64_t from, int64_t to) {
  return {v.begin() + from * channels, v.begin() + to * channels};
}

// The device hears the expected samples exactly, then only silence: the engine
// pads the end of a stream, and a stopped stream may end in the driver's silence.
// With whole false, a beginning of the expected samples is enough.
::testing::AssertionResult Heard(const std::vector<int16_t>& played, const std::vector<int16_t>& expected,
                                 bool whole = true) {
  size_t end = played.size();
  while (end > 0 && played[end - 1] == 0) --end;
  size_t n = std::min(end, expected.size());
  size_t i = std::mismatch(played.begin(), played.begin() + n, expected.begin()).first - played.begin();
  if (i < n)
    return ::testing::AssertionFailure() << "sample " << i << " played as " << played[i] << ", expected "
                                         << expected[i] << " (" << played.size() << " played)";
  if (end > expected.size())
    return ::testing::AssertionFailure() << end - expected.size() << " samples more than expected";
  if (whole && played.size() < expected.size())
    return ::testing::AssertionFailure() << played.size() << " samples played of " << expected.size();
  if (!whole && end == 0) return ::testing::AssertionFailure() << "nothing played";
  return ::testing::AssertionSuccess();
}

class PlayedSound : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(sound_device::Folder().empty()) << "run through scripts/test, which provides the sound device";
    SetAudioOutputFactory(nullptr);  // the real device
    sound_device::Clear();
  }

  // The editor closes the device when playing ends; the file is complete then.
  // The test's device has no clock: whenever the engine's next buffer comes later
  // than the device could take it (a loaded machine), Wine fills the gap with
  // silence, as a real device would sound a drop-out. Those runs of silence are
  // taken out; every sample the engine played must still be there, once, in order.
  static sound_device::TPlayed Played() {
    auto p = sound_device::ReadPlayed();
    std::vector<int16_t> kept;
    kept.reserve(p.Samples.size());
    const size_t run = 32;  // the pattern never holds this many zeros in a row
    for (size_t i = 0; i < p.Samples.size();) {
      size_t j = i;
      while (j < p.Samples.size() && p.Samples[j] == 0) ++j;
      if (j - i >= run && j < p.Samples.size()) {
        i = j;
        continue;
      }
      kept.insert(kept.end(), p.Samples.begin() + i, p.Samples.begin() + std::max(j, i + 1));
      i = std::max(j, i + 1);
    }
    p.Samples = std::move(kept);
    return p;
  }
};

TEST_F(PlayedSound, PlayerWritesTheArrayInItsFormat) {
  const std::vector<int16_t> mono = Pattern(22050, 1);  // one second
  auto player = Make<TAudioPlayer2>();
  int ends = 0;
  struct TEnd {
    int* Count;
    void End(TObject*) { ++*Count; }
  } end{&ends};
  player->OnEndPlay = TNotifyEvent(&end, &TEnd::End);
  player->SetFormat(22050, 1);
  player->OpenOutput();
  ASSERT_EQ(player->GetErrorState(), 0) << player->GetErrorText();
  player->PlayArray(ToFloat(mono));
  ASSERT_TRUE(PumpUntil([&] { return ends == 1; }, 20000));
  player->StopOutput();
  auto p = Played();
  ASSERT_TRUE(p.Valid);
  EXPECT_EQ(p.Rate, 22050);
  EXPECT_EQ(p.Channels, 1);
  EXPECT_TRUE(Heard(p.Samples, mono));
}

struct TWholeCase {
  const char* Name;
  int Channels, Rate;
  int64_t SelStart, SelEnd;  // none when equal
  int64_t Cursor;
};

class EditorPlays : public PlayedSound, public ::testing::WithParamInterface<TWholeCase> {};

TEST_P(EditorPlays, WhatTheTransportCovers) {
  const TWholeCase& c = GetParam();
  const int frames = c.Rate;  // one second
  const auto doc = Pattern(frames, c.Channels);
  auto e = EditorWith(ToFloat(doc), c.Channels, c.Rate);
  TEventLog log;
  log.Attach(*e);
  if (c.SelEnd > c.SelStart) {
    e->SetSelectionActive(true);
    e->SetSelStart(c.SelStart);
    e->SetSelEnd(c.SelEnd);
  }
  e->SetCursor(c.Cursor);
  e->StartPlayback(1);
  ASSERT_TRUE(PumpUntil([&] { return log.EndPlays == 1; }, 20000));
  auto p = Played();
  ASSERT_TRUE(p.Valid);
  EXPECT_EQ(p.Rate, c.Rate);
  EXPECT_EQ(p.Channels, c.Channels);
  int64_t from = c.SelEnd > c.SelStart ? c.SelStart : c.Cursor;
  int64_t to = c.SelEnd > c.SelStart ? c.SelEnd : frames;
  EXPECT_TRUE(Heard(p.Samples, Slice(doc, c.Channels, from, to)));
  // The meters followed the sound and fell quiet when it ended.
  ASSERT_FALSE(log.Meters.empty());
  EXPECT_GT(std::max_element(log.Meters.begin(), log.Meters.end())->first, 70);
  EXPECT_EQ(log.Meters.back(), std::make_pair(0, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, EditorPlays,
                         ::testing::Values(TWholeCase{"WholeStereo", 2, 44100, 0, 0, 0},
                                           TWholeCase{"FromTheCursorMono", 1, 8000, 0, 0, 3000},
                                           TWholeCase{"SelectionStereo", 2, 48000, 12000, 30001, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Wine stops a stream by its interpolated clock, which runs a little ahead of
// what an unclocked device like the test's has taken: at the pause the device
// may miss or repeat a few milliseconds. Everything else must be exact: one seam,
// no further than that from the place the sound paused.
::testing::AssertionResult HeardWithOneSeam(const std::vector<int16_t>& played, const std::vector<int16_t>& expected,
                                            int channels, size_t maxShiftFrames) {
  size_t end = played.size();
  while (end > 0 && played[end - 1] == 0) --end;
  size_t n = std::min(end, expected.size());
  size_t seam = std::mismatch(played.begin(), played.begin() + n, expected.begin()).first - played.begin();
  if (seam == n) return Heard(played, expected, false);
  seam -= seam % channels;
  const size_t probe = 64 * channels;
  if (seam + probe > end) return ::testing::AssertionFailure() << "the sound ends at a seam at sample " << seam;
  for (ptrdiff_t shift = -ptrdiff_t(maxShiftFrames); shift <= ptrdiff_t(maxShiftFrames); ++shift) {
    ptrdiff_t from = ptrdiff_t(seam) + shift * channels;
    if (shift == 0 || from < 0 || size_t(from) + (end - seam) > expected.size()) continue;
    if (std::equal(played.begin() + seam, played.begin() + end, expected.begin() + from))
      return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "sample " << seam << " played as " << played[seam] << ", expected "
                                       << expected[seam] << ", and the rest is not the sound shifted by at most "
                                       << maxShiftFrames << " frames";
}

TEST_F(PlayedSound, PauseAndResumeLoseAndRepeatNothing) {
  const int rate = 44100, frames = rate * 20;
  const auto doc = Pattern(frames, 2, 5);
  auto e = EditorWith(ToFloat(doc), 2, rate);
  TEventLog log;
  log.Attach(*e);
  e->StartPlayback(1);
  ASSERT_TRUE(PumpUntil([&] { return e->GetPlayPosition() > rate / 10; }, 20000));
  e->PausePlayback();
  ASSERT_EQ(e->GetPlayState(), 5);
  PumpUntil([] { return false; }, 150);
  e->ResumePlayback();
  // Stopped well after the pause and before the end, which the whole-play cases cover.
  ASSERT_TRUE(PumpUntil([&] { return e->GetPlayPosition() > frames / 2; }, 60000));
  e->StopPlayback();
  auto p = Played();
  ASSERT_TRUE(p.Valid);
  EXPECT_GT(p.Samples.size(), doc.size() / 4);
  EXPECT_TRUE(HeardWithOneSeam(p.Samples, doc, 2, rate / 50));
}

TEST_F(PlayedSound, StopEndsWithAnExactBeginning) {
  const int rate = 44100, frames = rate * 60;
  const auto doc = Pattern(frames, 2, 9);
  auto e = EditorWith(ToFloat(doc), 2, rate);
  TEventLog log;
  log.Attach(*e);
  e->StartPlayback(1);
  ASSERT_TRUE(PumpUntil([&] { return e->GetPlayPosition() > 0; }, 20000));
  e->StopPlayback();
  EXPECT_EQ(e->GetPlayState(), 0);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(log.EndPlays, 0);
  auto p = Played();
  ASSERT_TRUE(p.Valid);
  EXPECT_LT(p.Samples.size(), doc.size() / 2);
  EXPECT_TRUE(Heard(p.Samples, doc, false));
}

TEST_F(PlayedSound, LoopRepeatsTheSelection) {
  const int rate = 8000;
  const auto doc = Pattern(rate, 1, 3);
  auto e = EditorWith(ToFloat(doc), 1, rate);
  e->SetSelectionActive(true);
  e->SetSelStart(1000);
  e->SetSelEnd(1800);
  e->StartPlayback(3);
  // Let the device take several rounds, then stop.
  PumpUntil([] { return false; }, 600);
  e->StopPlayback();
  auto p = Played();
  ASSERT_TRUE(p.Valid);
  const auto once = Slice(doc, 1, 1000, 1800);
  std::vector<int16_t> rounds;
  while (rounds.size() < p.Samples.size()) rounds.insert(rounds.end(), once.begin(), once.end());
  EXPECT_TRUE(Heard(p.Samples, rounds, false));
  EXPECT_GE(p.Samples.size(), 3 * once.size());
}

}  // namespace
