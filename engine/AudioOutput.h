// Where played audio goes: the sound card through winmm, or a null output
// that only keeps time, for tests and machines without a sound device.
#pragma once
#include <cstdint>
#include <memory>

class TAudioOutput {
 public:
  virtual ~TAudioOutput() = default;
  // Raises EAudioError when the device cannot be opened.
  virtual void Open(int rate, int channels) = 0;
  virtual void Close() = 0;
  // How many frames Write would take now.
  virtual int64_t GetFreeFrames() = 0;
  virtual void Write(const float* samples, int64_t frames) = 0;
  // Frames heard since Open or Reset.
  virtual int64_t GetPlayedFrames() = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  // Drops everything queued; the played count starts again at 0.
  virtual void Reset() = 0;
  virtual void SetVolume(int volume) = 0;  // 0 .. 65535
};

enum class TNullOutputPace {
  Instant,      // every frame is played the moment it is written
  RealTime,     // frames are played at the sample rate of the clock
  Unavailable,  // behaves like a machine without a sound device
};

std::unique_ptr<TAudioOutput> CreateWaveOutOutput();
std::unique_ptr<TAudioOutput> CreateNullOutput(TNullOutputPace pace);

// The outputs players and editors create; the sound card unless replaced.
using TAudioOutputFactory = std::unique_ptr<TAudioOutput> (*)();
void SetAudioOutputFactory(TAudioOutputFactory factory);
std::unique_ptr<TAudioOutput> CreateAudioOutput();
