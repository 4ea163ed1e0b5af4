#include <windows.h>

#include <algorithm>

#include "engine/AudioOutput.h"
#include "engine/EngineError.h"

namespace {

class TNullOutput : public TAudioOutput {
 public:
  explicit TNullOutput(TNullOutputPace pace) : Pace(pace) {}

  void Open(int rate, int channels) override {
    if (Pace == TNullOutputPace::Unavailable) throw EAudioError("No sound output device is available.");
    if (rate <= 0 || channels < 1) throw EAudioError("Invalid output format.");
    Rate = rate;
    Reset();
  }
  void Close() override {}
  int64_t GetFreeFrames() override {
    // About half a second of queue, like a sound card's buffers.
    return std::max<int64_t>(0, Rate / 2 - (Written - GetPlayedFrames()));
  }
  void Write(const float*, int64_t frames) override { Written += frames; }
  int64_t GetPlayedFrames() override {
    if (Pace == TNullOutputPace::Instant) return Written;
    double ms = ElapsedMs + (Paused ? 0 : double(GetTickCount() - Since));
    return std::min<int64_t>(Written, int64_t(ms * Rate / 1000.0));
  }
  void Pause() override {
    if (Paused) return;
    ElapsedMs += double(GetTickCount() - Since);
    Paused = true;
  }
  void Resume() override {
    if (!Paused) return;
    Since = GetTickCount();
    Paused = false;
  }
  void Reset() override {
    Written = 0;
    ElapsedMs = 0;
    Since = GetTickCount();
    Paused = false;
  }
  void SetVolume(int) override {}

 private:
  TNullOutputPace Pace;
  int Rate = 44100;
  int64_t Written = 0;
  double ElapsedMs = 0;
  DWORD Since = 0;
  bool Paused = false;
};

TAudioOutputFactory Factory = &CreateWaveOutOutput;

}  // namespace

std::unique_ptr<TAudioOutput> CreateNullOutput(TNullOutputPace pace) { return std::make_unique<TNullOutput>(pace); }

void SetAudioOutputFactory(TAudioOutputFactory factory) { Factory = factory ? factory : &CreateWaveOutOutput; }

std::unique_ptr<TAudioOutput> CreateAudioOutput() { return Factory(); }
