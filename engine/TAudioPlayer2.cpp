#include "engine/TAudioPlayer2.h"

#include <algorithm>
#include <cstring>

#include "engine/EngineError.h"

TAudioPlayer2::TAudioPlayer2(TComponent* AOwner) : TComponent(AOwner) {
  Playback.OnFinished = TDelegate<void()>(this, &TAudioPlayer2::Finished);
}

TAudioPlayer2::~TAudioPlayer2() { Playback.Stop(); }

void TAudioPlayer2::SetFormat(int rate, int channels) {
  Rate = rate;
  Channels = channels;
}

void TAudioPlayer2::OpenOutput() {
  Playback.Stop();
  ErrorState = 0;
  ErrorText.clear();
  try {
    if (Rate <= 0 || Channels < 1 || Channels > 2) throw EAudioError("Unsupported output format.");
    Output = CreateAudioOutput();
    // Probe now, so that the caller learns at once whether there is a device.
    Output->Open(Rate, Channels);
    Output->Close();
  } catch (const EAudioError& e) {
    Output.reset();
    ErrorState = 1;
    ErrorText = e.what();
  }
}

void TAudioPlayer2::PlayArray(const TSampleArray& samples) {
  if (!Output) throw EAudioError(ErrorText.empty() ? "The output is not open." : ErrorText);
  Samples = samples;
  Position = 0;
  Playback.Start(*Output, Rate, Channels, [this](float* out, int64_t frames) -> int64_t {
    size_t left = (Samples.size() - Position) / Channels;
    size_t n = std::min<size_t>(left, size_t(frames));
    std::memcpy(out, Samples.data() + Position, n * Channels * sizeof(float));
    Position += n * Channels;
    return int64_t(n);
  });
}

void TAudioPlayer2::StopOutput() {
  Playback.Stop();
  Samples.clear();
}

void TAudioPlayer2::Finished() {
  Samples.clear();
  OnEndPlay(this);
}
