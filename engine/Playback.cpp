#include "engine/Playback.h"

#include <algorithm>

TPlayback::TPlayback() { Timer.OnTick = TDelegate<void()>(this, &TPlayback::Tick); }

TPlayback::~TPlayback() { Stop(); }

void TPlayback::Start(TAudioOutput& output, int rate, int channels, TPull pull) {
  Stop();
  output.Open(rate, channels);
  Output = &output;
  Pull = std::move(pull);
  Channels = channels;
  Active = true;
  Paused = false;
  SourceDone = false;
  Written = 0;
  PadLeft = rate / 5;
  PadHeard = rate / 10;
  TopUp();
  Timer.Start(20);
}

void TPlayback::Pause() {
  if (!Active || Paused) return;
  Output->Pause();
  Paused = true;
}

void TPlayback::Resume() {
  if (!Active || !Paused) return;
  Output->Resume();
  Paused = false;
}

void TPlayback::Stop() {
  Timer.Stop();
  if (Output) {
    Output->Reset();
    Output->Close();
  }
  Output = nullptr;
  Active = false;
  Paused = false;
}

int64_t TPlayback::GetPlayedFrames() const { return Output ? Output->GetPlayedFrames() : 0; }

void TPlayback::TopUp() {
  // Silence behind the last frames, part of which must be heard before the end:
  // a driver may count the tail as heard while it still holds it, and would drop
  // it when the stream is stopped then.
  while (SourceDone && PadLeft > 0) {
    int64_t free = std::min(Output->GetFreeFrames(), PadLeft);
    if (free <= 0) return;
    Buffer.assign(size_t(free) * Channels, 0.0f);
    Output->Write(Buffer.data(), free);
    PadLeft -= free;
  }
  while (!SourceDone) {
    int64_t free = Output->GetFreeFrames();
    if (free <= 0) break;
    free = std::min<int64_t>(free, 16384);
    Buffer.resize(size_t(free) * Channels);
    int64_t n = Pull(Buffer.data(), free);
    if (n <= 0) {
      SourceDone = true;
      TopUp();
      break;
    }
    Output->Write(Buffer.data(), n);
    Written += n;
  }
}

void TPlayback::Tick() {
  if (!Active || Paused) return;
  TopUp();
  OnTick();
  if (Active && SourceDone && Output->GetPlayedFrames() >= Written + PadHeard) {
    Stop();
    OnFinished();
  }
}
