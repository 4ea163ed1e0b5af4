// Sound-card capture: TdeAudioIn records from a wave-input device into a ring of
// buffers; the device reports each filled buffer to a hidden window of the
// component, so every block reaches the observers (and OnAudioRecorded) on the
// thread that created the component. Buffers come from a pool of movable global
// memory blocks that opening and closing empty.
//
//   In->GetFormat()->SetSamplesPerSec(44100); ...   // PCM 16-bit stereo, say
//   In->SetBufferSize(22050);                       // bytes per buffer
//   Level->SetAudioSource(In);                      // an observer
//   In->SetActive(true);                            // EACMAudioInError on failure
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "deAudio/Source/AudioLink.h"
#include "deAudio/Source/WaveFormat.h"
#include "framework/Component.h"
#include "framework/ControlTypes.h"

class TdeAudioIO : public TComponent {
  SONVELT_CLASS(TdeAudioIO, TComponent)
public:
  explicit TdeAudioIO(TComponent* AOwner);
  ~TdeAudioIO() override;
  void BeforeDestruction() override;

  TdeWaveFormat* GetFormat() const { return FFormat.get(); }
  void SetFormat(TdeWaveFormat* Value) { FFormat->Assign(Value); }
  bool GetActive() const { return FActive; }
  void SetActive(bool Value);
  void Open();
  void Close();
  std::uint8_t GetBufferCount() const { return FBufferCount; }
  virtual void SetBufferCount(std::uint8_t Value) { FBufferCount = Value; }
  bool GetAutoOpen() const { return FAutoOpen; }
  void SetAutoOpen(bool Value) { FAutoOpen = Value; }
  HWND GetWindowHandle() const { return FWindow; }

  // The pool. A block starts with its usable size in the 4 bytes before the
  // address given out. GetBuffer takes a free block of exactly Size bytes, else
  // the free one with the least excess below Size, else a new one.
  void* GetBuffer(int Size);
  void ReturnBuffer(void* Block);
  int GetPoolBlockCount() const { return static_cast<int>(FBlocks.size()); }
  int GetFreeBlockCount() const { return static_cast<int>(FFree.size()); }

  TNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;

protected:
  virtual void DoClose() = 0;
  virtual void DoOpen() = 0;
  virtual void WindowProc(TMessage& Message) { (void)Message; }
  // Read from form data: open when AutoOpen says so. A failure to open goes to
  // the application's exception report and leaves the read whole.
  void Loaded() override;

private:
  void FreePool();
  void MainWindowProc(TMessage& Message) { WindowProc(Message); }
  struct TBlock {
    HGLOBAL Handle;
    std::uint8_t* Memory;
  };
  std::unique_ptr<TdeWaveFormat> FFormat;
  bool FActive = false;
  std::uint8_t FBufferCount = 4;
  bool FAutoOpen = true;
  HWND FWindow = nullptr;
  std::vector<TBlock> FBlocks;
  std::vector<void*> FFree;
};

class TdeAbstractAudioIn : public TdeAudioIO, public IUnknown {
  SONVELT_CLASS(TdeAbstractAudioIn, TdeAudioIO)
public:
  explicit TdeAbstractAudioIn(TComponent* AOwner);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

  bool GetAutoAdjustBufferSize() const { return FAutoAdjustBufferSize; }
  void SetAutoAdjustBufferSize(bool Value) { FAutoAdjustBufferSize = Value; }
  TdeAudioSubject* GetSubject() const { return FSubject; }

  TObserverErrorEvent OnObserverError;

protected:
  virtual void ObserverError(IdeAudioSubject* Sender, IdeAudioObserver* Observer, const Exception& E,
                             bool& RaiseException);

private:
  TdeAudioSubject* FSubject = nullptr;
  bool FAutoAdjustBufferSize = true;
};

class TdeCustomAudioIn : public TdeAbstractAudioIn {
  SONVELT_CLASS(TdeCustomAudioIn, TdeAbstractAudioIn)
public:
  // The device number that stands for the system's wave mapper.
  static constexpr int WaveMapper = 255;

  explicit TdeCustomAudioIn(TComponent* AOwner);

  // Bytes per buffer; only while inactive.
  int GetBufferSize() const { return FBufferSize; }
  void SetBufferSize(int Value);
  // The wave-input device (0 ..), or WaveMapper; only while inactive.
  int GetDeviceID() const { return FDeviceID; }
  void SetDeviceID(int Value);
  // "Invalid input buffer size." below 2.
  void SetBufferCount(std::uint8_t Value) override;
  // Buffers handed to the device and not yet released.
  int GetHeaderCount() const { return static_cast<int>(FHeaders.size()); }
  const void* GetLastData() const { return FLastData; }
  int GetLastDataSize() const { return FLastDataSize; }

  TBufferEvent OnAudioRecorded;

protected:
  void DoOpen() override;
  void DoClose() override;
  void WindowProc(TMessage& Message) override;
  virtual void DataReady(const void* Data, int Size);

private:
  void BufferFilled(WAVEHDR* Header);
  void QueueHeader(WAVEHDR* Header);
  void ReleaseHeader(WAVEHDR* Header);
  bool InUse(const WAVEHDR* Header) const;

  int FBufferSize = 22050;
  int FDeviceID = WaveMapper;
  HWAVEIN FHandle = nullptr;
  std::vector<WAVEHDR*> FHeaders;
  unsigned FOpenings = 0;  // tells a buffer of an earlier opening from a new one
  const void* FLastData = nullptr;
  int FLastDataSize = 0;
};

class TdeAudioIn : public TdeCustomAudioIn {
  SONVELT_CLASS(TdeAudioIn, TdeCustomAudioIn)
public:
  explicit TdeAudioIn(TComponent* AOwner) : TdeCustomAudioIn(AOwner) {}
  static void Publish(TPublisher<TdeAudioIn>& P);
};
