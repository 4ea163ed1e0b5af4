// The editor's playback: what is played, where the play cursor is, and the
// level meter fed while playing.
#include <algorithm>
#include <cmath>

#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"

namespace {

// Meter scale: 0 at -92 dB and below, 92 at full scale.
int MeterValue(float peak) {
  if (peak <= 0) return 0;
  double v = 92.0 + 20.0 * std::log10(double(peak));
  return int(std::lround(std::clamp(v, 0.0, 92.0)));
}

}  // namespace

void TAudioEditor2::StartPlayback(int mode) {
  CheckIdle();
  if (PlayState != psIdle) return;
  int64_t from = GetSelStart(), to = GetSelEnd();
  if (to <= from) {
    from = Cursor;
    to = Audio.GetLength();
  }
  if (to <= from) return;
  Device = CreateAudioOutput();
  Device->SetVolume(Output.GetVolume());
  PlayLoop = mode == 3;
  PlayFrom = from;
  PlayTo = to;
  PlayFeed = from;
  PlayFed = 0;
  PlaySegments.assign(1, {0, from});
  PlayStartCursor = Cursor;
  PlayPosition = from;
  try {
    Playback.Start(*Device, Rate, Audio.GetChannels(),
                   [this](float* out, int64_t frames) { return PullPlayback(out, frames); });
  } catch (...) {
    Device.reset();
    throw;
  }
  PlayState = psPlaying;
  OnChangePlayPosition(this);
}

int64_t TAudioEditor2::PullPlayback(float* out, int64_t frames) {
  if (PlayFeed >= PlayTo) {
    if (!PlayLoop) return 0;
    PlayFeed = PlayFrom;
    PlaySegments.push_back({PlayFed, PlayFrom});
    if (PlaySegments.size() > 64) PlaySegments.erase(PlaySegments.begin());
  }
  int64_t n = std::min(frames, PlayTo - PlayFeed);
  Audio.Read(PlayFeed, n, out);
  PlayFeed += n;
  PlayFed += n;
  return n;
}

void TAudioEditor2::PlaybackTick() {
  int64_t played = Playback.GetPlayedFrames();
  auto it = std::upper_bound(PlaySegments.begin(), PlaySegments.end(), std::make_pair(played, INT64_MAX));
  if (it != PlaySegments.begin()) --it;
  PlayPosition = std::min(it->second + (played - it->first), PlayTo);
  if (PlayState == psPlaying && Playback.IsDraining()) PlayState = psEnding;
  RefreshView();
  OnChangePlayPosition(this);
  // Levels of the last 20 ms or so the listener heard.
  const int ch = Audio.GetChannels();
  int64_t from = std::max<int64_t>(0, PlayPosition - std::max(1, Rate / 50));
  int64_t n = std::min(PlayPosition, Audio.GetLength()) - from;
  float peak[2] = {0, 0};
  if (n > 0) {
    TSampleArray s = Audio.Read(from, n);
    for (int64_t f = 0; f < n; ++f)
      for (int c = 0; c < ch; ++c) peak[c] = std::max(peak[c], std::fabs(s[size_t(f) * ch + c]));
  }
  if (ch == 1) peak[1] = peak[0];
  OnMeter(this, MeterValue(peak[0]), MeterValue(peak[1]));
}

void TAudioEditor2::EndPlayback() {
  Playback.Stop();
  Device.reset();
  PlayState = psIdle;
  PlayPosition = Cursor = Clamp(PlayStartCursor);
  OnMeter(this, 0, 0);
}

void TAudioEditor2::PlaybackFinished() {
  EndPlayback();
  Changed();
  OnEndPlay(this);  // last: a handler may close the document
}

void TAudioEditor2::StopPlayback() {
  if (PlayState == psIdle) return;
  EndPlayback();
  Changed();
}

void TAudioEditor2::PausePlayback() {
  if (PlayState != psPlaying && PlayState != psEnding) return;
  Playback.Pause();
  PlayState = psPaused;
}

void TAudioEditor2::ResumePlayback() {
  if (PlayState != psPaused) return;
  Playback.Resume();
  PlayState = Playback.IsDraining() ? psEnding : psPlaying;
}
