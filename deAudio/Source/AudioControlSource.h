// The level source: observes a capture (AudioSource), brings every block to 16-bit
// stereo at 48000 Hz and keeps the peak of each channel (0 .. 32767) for its owner
// to read in OnDataChanged. The converted block goes on to its own observers.
#pragma once

#include <cstdint>
#include <vector>

#include "deAudio/Source/AudioConvertor.h"
#include "deAudio/Source/AudioLink.h"
#include "framework/Component.h"
#include "framework/ControlTypes.h"

class TdeAudioControlSource : public TComponent, public IUnknown {
  SONVELT_CLASS(TdeAudioControlSource, TComponent)
public:
  explicit TdeAudioControlSource(TComponent* AOwner);
  ~TdeAudioControlSource() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

  TComponent* GetAudioSource() const { return FObserver->GetSubject(); }
  void SetAudioSource(TComponent* Value) { FObserver->SetSubject(Value); }
  std::int16_t GetPeakLeft() const { return FPeakLeft; }
  std::int16_t GetPeakRight() const { return FPeakRight; }
  // Frames of the last converted block, and its channels.
  int GetFrameCount() const { return FFrames; }
  const std::vector<std::int16_t>& GetLeft() const { return FLeft; }
  const std::vector<std::int16_t>& GetRight() const { return FRight; }
  TdeAudioConvertor* GetConvertor() const { return FConvertor; }

  TNotifyEvent OnDataChanged;
  TObserverErrorEvent OnObserverError;

  static void Publish(TPublisher<TdeAudioControlSource>& P);

protected:
  virtual void DataChanged();
  virtual void ObserverError(IdeAudioSubject* Sender, IdeAudioObserver* Observer, const Exception& E,
                             bool& RaiseException);

private:
  void AudioDataReady(IdeAudioSubject* Sender, const void* Data, int Size);

  TdeAudioConvertor* FConvertor = nullptr;
  TdeAudioObserver* FObserver = nullptr;
  TdeAudioSubject* FSubject = nullptr;
  std::int16_t FPeakLeft = 0, FPeakRight = 0;
  int FFrames = 0;
  std::vector<std::int16_t> FLeft, FRight;  // their size is the capacity
};
