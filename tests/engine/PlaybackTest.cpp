#include <gtest/gtest.h>

#include <windows.h>

#include "EngineTestSupport.h"
#include "engine/AudioOutput.h"
#include "engine/TAudioPlayer2.h"

namespace {

std::unique_ptr<TAudioOutput> Instant() { return CreateNullOutput(TNullOutputPace::Instant); }
std::unique_ptr<TAudioOutput> RealTime() { return CreateNullOutput(TNullOutputPace::RealTime); }
std::unique_ptr<TAudioOutput> Missing() { return CreateNullOutput(TNullOutputPace::Unavailable); }

class Playback : public ::testing::Test {
 protected:
  void TearDown() override { SetAudioOutputFactory(nullptr); }
};

struct TPlayerLog {
  int Ends = 0;
  void EndPlay(TObject*) { ++Ends; }
};

}  // namespace

TEST_F(Playback, PlaysToTheEndWithPositionAndMeterEvents) {
  SetAudioOutputFactory(&Instant);
  auto e = EditorWith(std::vector<float>(4000, 1.0f), 1, 8000);
  TEventLog log;
  log.Attach(*e);
  e->SetCursor(1000);
  e->StartPlayback(1);
  EXPECT_EQ(e->GetPlayState(), 1);
  ASSERT_TRUE(PumpUntil([&] { return log.EndPlays == 1; }));
  EXPECT_EQ(e->GetPlayState(), 0);
  EXPECT_GE(log.PlayPositions, 1);
  ASSERT_FALSE(log.Meters.empty());
  EXPECT_EQ(log.Meters.front(), std::make_pair(92, 92));  // full scale
  EXPECT_EQ(log.Meters.back(), std::make_pair(0, 0));     // quiet once stopped
  EXPECT_EQ(e->GetCursor(), 1000);                         // back where playing began
}

TEST_F(Playback, PauseHoldsThePositionStopEndsWithoutEndEvent) {
  SetAudioOutputFactory(&RealTime);
  auto e = EditorWith(std::vector<float>(80000, 0.5f), 1, 8000);  // ten seconds
  TEventLog log;
  log.Attach(*e);
  e->StartPlayback(1);
  ASSERT_TRUE(PumpUntil([&] { return e->GetCursor() > 400; }));
  e->PausePlayback();
  EXPECT_EQ(e->GetPlayState(), 5);
  int held = e->GetCursor();
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(e->GetCursor(), held);
  e->ResumePlayback();
  EXPECT_EQ(e->GetPlayState(), 1);
  ASSERT_TRUE(PumpUntil([&] { return e->GetCursor() > held + 400; }));
  e->StopPlayback();
  EXPECT_EQ(e->GetPlayState(), 0);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(log.EndPlays, 0);
  EXPECT_EQ(e->GetCursor(), 0);
}

TEST_F(Playback, LoopStaysInsideTheSelectionAndTheTailIsStopOnly) {
  SetAudioOutputFactory(&RealTime);
  auto e = EditorWith(std::vector<float>(8000, 0.5f), 1, 8000);
  e->SetSelectionActive(true);
  e->SetSelStart(1000);
  e->SetSelEnd(1800);  // a tenth of a second, looped
  TEventLog log;
  log.Attach(*e);
  e->StartPlayback(3);
  bool outside = false;
  PumpUntil([&] {
    outside |= e->GetCursor() < 1000 || e->GetCursor() > 1800;
    return false;
  }, 400);
  EXPECT_FALSE(outside);
  EXPECT_EQ(e->GetPlayState(), 1);
  EXPECT_EQ(log.EndPlays, 0);
  e->StopPlayback();

  // Once everything is queued only the output's tail remains (state 2).
  e->SetSelectionActive(false);
  e->SetCursor(7600);
  e->StartPlayback(1);
  ASSERT_TRUE(PumpUntil([&] { return e->GetPlayState() == 2; }));
  e->StartPlayback(1);  // ignored
  EXPECT_EQ(e->GetPlayState(), 2);
  ASSERT_TRUE(PumpUntil([&] { return log.EndPlays == 1; }));
  EXPECT_EQ(e->GetPlayState(), 0);
}

TEST_F(Playback, NoDeviceIsAClearErrorNotAHang) {
  SetAudioOutputFactory(&Missing);
  auto e = EditorWith(std::vector<float>(100, 0.5f));
  try {
    e->StartPlayback(1);
    FAIL() << "played";
  } catch (const EAudioError& err) {
    EXPECT_NE(std::string(err.what()).find("sound output device"), std::string::npos);
  }
  EXPECT_EQ(e->GetPlayState(), 0);

  auto player = Make<TAudioPlayer2>();
  player->SetFormat(22050, 1);
  player->OpenOutput();
  EXPECT_NE(player->GetErrorState(), 0);
  EXPECT_THROW(player->PlayArray(TSampleArray(10, 0.1f)), EAudioError);
}

TEST_F(Playback, PlayerPlaysAnArrayAndReportsItsEnd) {
  SetAudioOutputFactory(&Instant);
  auto player = Make<TAudioPlayer2>();
  TPlayerLog log;
  player->OnEndPlay = Bind(&log, &TPlayerLog::EndPlay);
  player->SetFormat(22050, 2);
  player->OpenOutput();
  ASSERT_EQ(player->GetErrorState(), 0);
  player->PlayArray(TSampleArray(44100, 0.1f));
  ASSERT_TRUE(PumpUntil([&] { return log.Ends == 1; }));
  EXPECT_FALSE(player->IsPlaying());

  SetAudioOutputFactory(&RealTime);
  player->OpenOutput();
  player->PlayArray(TSampleArray(44100 * 4, 0.1f));
  player->StopOutput();
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(log.Ends, 1);  // stopping is not an end of the array
}

TEST_F(Playback, TheSoundCardEitherPlaysOrSaysWhyWithoutHanging) {
  auto player = Make<TAudioPlayer2>();
  TPlayerLog log;
  player->OnEndPlay = Bind(&log, &TPlayerLog::EndPlay);
  player->SetFormat(8000, 1);
  player->OpenOutput();
  if (player->GetErrorState() != 0) {
    EXPECT_FALSE(player->GetErrorText().empty());
    return;
  }
  player->PlayArray(TSampleArray(800, 0.0f));
  EXPECT_TRUE(PumpUntil([&] { return log.Ends == 1; }, 3000));
}

// scripts/test gives this executable a sound configuration without a device, as on
// a headless machine: the real output says so instead of playing into nothing.
TEST_F(Playback, WithoutASoundDeviceTheRealOutputSaysSo) {
  SetAudioOutputFactory(nullptr);
  auto e = EditorWith(std::vector<float>(800, 0.5f), 1, 8000);
  try {
    e->StartPlayback(1);
    FAIL() << "played without a device";
  } catch (const EAudioError& x) {
    EXPECT_STREQ(x.what(), "No sound output device is available.");
  }
  EXPECT_EQ(e->GetPlayState(), 0);
  auto player = Make<TAudioPlayer2>();
  player->SetFormat(8000, 1);
  player->OpenOutput();
  EXPECT_NE(player->GetErrorState(), 0);
  EXPECT_EQ(player->GetErrorText(), "No sound output device is available.");
}
