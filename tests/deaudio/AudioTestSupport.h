// Wave formats, tones and measurements shared by the device library's tests.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "deAudio/Source/AudioControlSource.h"
#include "deAudio/Source/AudioIO.h"
#include "deAudio/Source/AudioLink.h"
#include "deAudio/Source/WaveFormat.h"
#include "framework/Component.h"
#include "framework/ComponentStreams.h"
#include "framework/Form.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"

namespace audio_test {

inline std::unique_ptr<TdeWaveFormat> Pcm(int Rate, int Channels, int Bits = 16) {
  auto F = std::make_unique<TdeWaveFormat>();
  F->SetFormatTag(WAVE_FORMAT_PCM);
  F->SetChannels(static_cast<std::uint16_t>(Channels));
  F->SetSamplesPerSec(static_cast<std::uint32_t>(Rate));
  F->SetBitsPerSample(static_cast<std::uint16_t>(Bits));
  F->SetBlockAlign(static_cast<std::uint16_t>(Channels * Bits / 8));
  F->SetAvgBytesPerSec(static_cast<std::uint32_t>(Rate * Channels * Bits / 8));
  return F;
}

// The format a driver proposes for Source with the tag Tag.
inline std::unique_ptr<TdeWaveFormat> Suggested(const TdeWaveFormat& Source, WORD Tag) {
  std::vector<std::uint8_t> Buffer(TdeWaveFormat::BufferSize, 0);
  auto* W = reinterpret_cast<WAVEFORMATEX*>(Buffer.data());
  W->wFormatTag = Tag;
  auto F = std::make_unique<TdeWaveFormat>();
  if (acmFormatSuggest(nullptr, const_cast<WAVEFORMATEX*>(Source.GetWaveFormatEx()), W, TdeWaveFormat::BufferSize,
                       ACM_FORMATSUGGESTF_WFORMATTAG) != 0)
    return nullptr;
  F->SetWaveFormatEx(*W);
  return F;
}

// Interleaved 16-bit stereo: a sine of Hz at Amplitude on the left, Right on the right.
inline std::vector<std::int16_t> StereoTone(int Frames, int Rate, double Hz, double Amplitude, int Right = 0) {
  std::vector<std::int16_t> S(static_cast<size_t>(Frames) * 2);
  for (int I = 0; I < Frames; ++I) {
    S[2 * static_cast<size_t>(I)] = static_cast<std::int16_t>(std::lround(Amplitude * std::sin(2 * M_PI * Hz * I / Rate)));
    S[2 * static_cast<size_t>(I) + 1] = static_cast<std::int16_t>(Right);
  }
  return S;
}

// Channel Index of interleaved 16-bit samples.
inline std::vector<std::int16_t> Channel(const void* Data, int Bytes, int Channels, int Index) {
  std::vector<std::int16_t> C;
  const auto* S = static_cast<const std::int16_t*>(Data);
  for (int I = Index; I < Bytes / 2; I += Channels) C.push_back(S[I]);
  return C;
}

inline int Peak(const std::vector<std::int16_t>& S) {
  int P = 0;
  for (std::int16_t V : S) P = std::max(P, std::abs(static_cast<int>(V)));
  return P;
}

// The frequency of a steady tone from its rising zero crossings.
inline double Frequency(const std::vector<std::int16_t>& S, int Rate) {
  int First = -1, Last = -1, Count = 0;
  for (size_t I = 1; I < S.size(); ++I)
    if (S[I - 1] < 0 && S[I] >= 0) {
      if (First < 0) First = static_cast<int>(I);
      Last = static_cast<int>(I);
      ++Count;
    }
  if (Count < 2) return 0;
  return (Count - 1) * static_cast<double>(Rate) / (Last - First);
}

// A producer of the test's own: Send hands a block to its observers in Format.
class TTestSubject : public TComponent, public IUnknown {
  SONVELT_CLASS(TTestSubject, TComponent)
public:
  explicit TTestSubject(TComponent* AOwner) : TComponent(AOwner) { Subject = TdeAudioSubject::Create(this, &Format); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return QueryAudioParts(static_cast<IUnknown*>(this), Subject, nullptr, riid, ppv);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
  void Send(const void* Data, int Size) { Subject->NotifyObservers(Data, Size); }
  void Send(const std::vector<std::int16_t>& S) { Send(S.data(), static_cast<int>(S.size() * 2)); }
  TdeWaveFormat Format;
  TdeAudioSubject* Subject = nullptr;
};

// A level capture of PCM 16-bit stereo at 44100 Hz with 8820-byte buffers and
// its level source, as a window stores them, read into a new root: the read
// resolves the source's reference and then opens the capture when AutoOpen is on.
inline TOwned<TForm> ReadLevelCaptureForm(bool AutoOpen) {
  TOwned<TForm> Stored(TForm::Create(nullptr));
  Stored->SetName("Window");
  TdeAudioIn* In = TdeAudioIn::Create(Stored.get());
  In->SetName("deAudioIn");
  In->SetAutoOpen(AutoOpen);
  In->GetFormat()->Assign(Pcm(44100, 2).get());
  In->SetBufferSize(8820);
  TdeAudioControlSource* Level = TdeAudioControlSource::Create(Stored.get());
  Level->SetName("deAudioControlSource");
  Level->SetAudioSource(In);
  TOwned<TMemoryStream> Data(TMemoryStream::Create());
  WriteComponent(Data.get(), Stored.get());
  Data->SetPosition(0);
  TOwned<TForm> Read(TForm::Create(nullptr));
  ReadComponent(Data.get(), Read.get());
  return Read;
}

}  // namespace audio_test
