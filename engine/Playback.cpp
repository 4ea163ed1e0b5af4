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
  while (!SourceDone) {
    int64_t free = Output->GetFreeFrames();
    if (free <= 0) break;
    free = std::min<int64_t>(free, 16384);
    Buffer.resize(size_t(free) * Channels);
    int64_t n = Pull(Buffer.data(), free);
    if (n <= 0) {
      SourceDone = true;
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
  if (Active && SourceDone && Output->GetPlayedFrames() >= Written) {
    Stop();
    OnFinished();
  }
}
