#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/AudioOutput.h"
#include "engine/EngineError.h"

namespace {

constexpr int kBuffers = 8;
constexpr int kBufferMs = 50;

class TWaveOutOutput : public TAudioOutput {
 public:
  ~TWaveOutOutput() override { Close(); }

  void Open(int rate, int channels) override {
    Close();
    if (waveOutGetNumDevs() == 0) throw EAudioError("No sound output device is available.");
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = WORD(channels);
    f.nSamplesPerSec = DWORD(rate);
    f.wBitsPerSample = 16;
    f.nBlockAlign = WORD(channels * 2);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    MMRESULT r = waveOutOpen(&Device, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL);
    if (r != MMSYSERR_NOERROR) {
      Device = nullptr;
      wchar_t text[MAXERRORLENGTH]{};
      waveOutGetErrorTextW(r, text, MAXERRORLENGTH);
      char narrow[MAXERRORLENGTH * 3]{};
      WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
      throw EAudioError(std::string("The sound output device cannot be opened: ") + narrow);
    }
    Channels = channels;
    FramesPerBuffer = std::max(256, rate * kBufferMs / 1000);
    for (auto& b : Buffers) {
      b.Data.assign(size_t(FramesPerBuffer) * channels, 0);
      b.Header = WAVEHDR{};
      b.Header.lpData = reinterpret_cast<LPSTR>(b.Data.data());
      b.Header.dwBufferLength = DWORD(b.Data.size() * sizeof(int16_t));
      waveOutPrepareHeader(Device, &b.Header, sizeof(WAVEHDR));
      b.Header.dwFlags |= WHDR_DONE;
    }
    Next = 0;
    Written = 0;
  }

  void Close() override {
    if (!Device) return;
    waveOutReset(Device);
    for (auto& b : Buffers) waveOutUnprepareHeader(Device, &b.Header, sizeof(WAVEHDR));
    waveOutClose(Device);
    Device = nullptr;
  }

  int64_t GetFreeFrames() override {
    int free = 0;
    for (auto& b : Buffers)
      if (b.Header.dwFlags & WHDR_DONE) ++free;
    return int64_t(free) * FramesPerBuffer;
  }

  void Write(const float* s, int64_t frames) override {
    while (frames > 0 && Device) {
      auto& b = Buffers[Next];
      if (!(b.Header.dwFlags & WHDR_DONE)) return;
      int n = int(std::min<int64_t>(frames, FramesPerBuffer));
      for (int i = 0; i < n * Channels; ++i) {
        float v = s[i] * Gain * 32768.0f;
        b.Data[i] = int16_t(std::lrint(std::clamp(v, -32768.0f, 32767.0f)));
      }
      b.Header.dwBufferLength = DWORD(n * Channels * sizeof(int16_t));
      b.Header.dwFlags &= ~WHDR_DONE;
      waveOutWrite(Device, &b.Header, sizeof(WAVEHDR));
      Written += n;
      s += size_t(n) * Channels;
      frames -= n;
      Next = (Next + 1) % kBuffers;
    }
  }

  int64_t GetPlayedFrames() override {
    if (!Device) return Written;
    // Every buffer back: all was heard, whatever the position says.
    bool pending = false;
    for (auto& b : Buffers) pending |= !(b.Header.dwFlags & WHDR_DONE);
    if (!pending) return Written;
    MMTIME t{};
    t.wType = TIME_SAMPLES;
    if (waveOutGetPosition(Device, &t, sizeof t) == MMSYSERR_NOERROR && t.wType == TIME_SAMPLES)
      return std::min<int64_t>(Written, t.u.sample);
    // Without a position, count the buffers that came back.
    int64_t queued = 0;
    for (auto& b : Buffers)
      if (!(b.Header.dwFlags & WHDR_DONE)) queued += b.Header.dwBufferLength / (Channels * 2);
    return Written - queued;
  }

  void Pause() override {
    if (Device) waveOutPause(Device);
  }
  void Resume() override {
    if (Device) waveOutRestart(Device);
  }
  void Reset() override {
    if (!Device) return;
    waveOutReset(Device);
    Written = 0;
    Next = 0;
  }
  void SetVolume(int volume) override { Gain = float(std::clamp(volume, 0, 65535)) / 65535.0f; }

 private:
  struct TBuffer {
    std::vector<int16_t> Data;
    WAVEHDR Header{};
  };
  HWAVEOUT Device = nullptr;
  TBuffer Buffers[kBuffers];
  int Next = 0;
  int Channels = 2;
  int FramesPerBuffer = 2205;
  int64_t Written = 0;
  float Gain = 1.0f;
};

}  // namespace

std::unique_ptr<TAudioOutput> CreateWaveOutOutput() { return std::make_unique<TWaveOutOutput>(); }
