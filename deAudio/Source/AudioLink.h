// How audio blocks pass between the device library's components on one thread: a
// producer owns a TdeAudioSubject, a consumer a TdeAudioObserver that observes the
// producer component (SetSubject); each block the producer hands to NotifyObservers
// reaches every attached observer's data callback.
#pragma once

#include <unknwn.h>

#include <vector>

#include "deAudio/Source/WaveFormat.h"
#include "framework/Component.h"
#include "framework/Delegate.h"

class Exception;
struct IdeAudioObserver;

inline constexpr GUID IID_IdeAudioSubject = {
    0xBE271F37, 0xAA0D, 0x4718, {0xAE, 0x4E, 0xF5, 0xC4, 0x6E, 0x34, 0xBF, 0x76}};
inline constexpr GUID IID_IdeAudioObserver = {
    0xFF60D1E0, 0x9D22, 0x47BF, {0x95, 0xAB, 0x80, 0x7D, 0xEC, 0xAD, 0xFF, 0x1D}};

struct IdeAudioSubject : public IUnknown {
  virtual void STDMETHODCALLTYPE Attach(IdeAudioObserver* Observer) = 0;
  virtual void STDMETHODCALLTYPE Detach(IdeAudioObserver* Observer) = 0;
  // The format of the blocks it delivers.
  virtual TdeWaveFormat* STDMETHODCALLTYPE GetFormat() = 0;
};

struct IdeAudioObserver : public IUnknown {
  virtual void STDMETHODCALLTYPE AudioDataReady(IdeAudioSubject* Sender, const void* Data, int Size) = 0;
};

using TBufferEvent = TDelegate<void(TObject* Sender, const void* AudioData, int AudioDataSize)>;
using TAbortableBufferEvent = TDelegate<void(TObject* Sender, const void* AudioData, int AudioDataSize, bool& Abort)>;
using TObserverErrorEvent =
    TDelegate<void(IdeAudioSubject* Sender, IdeAudioObserver* Observer, const Exception& E, bool& RaiseException)>;
using TAudioDataCallback = TDelegate<void(IdeAudioSubject* Sender, const void* Data, int Size)>;

// Whether a component offers IdeAudioSubject (itself or through a part it owns).
IdeAudioSubject* AudioSubjectOf(TComponent* Component);

class TdeAudioSubject;
class TdeAudioObserver;
// QueryInterface of a component with audio parts: IdeAudioSubject from its subject
// part, IdeAudioObserver from its observer part (either may be null), IUnknown
// from Self.
HRESULT QueryAudioParts(IUnknown* Self, TdeAudioSubject* Subject, TdeAudioObserver* Observer, REFIID riid,
                        void** ppv);

// The producing side, a part of its owner: interface queries it cannot answer go
// to the owner. Interfaces are not counted; the parts live as long as their owner.
class TdeAudioSubject : public TComponent, public IdeAudioSubject {
  SONVELT_CLASS(TdeAudioSubject, TComponent)
public:
  TdeAudioSubject(TComponent* AOwner, TdeWaveFormat* Format);
  ~TdeAudioSubject() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
  void STDMETHODCALLTYPE Attach(IdeAudioObserver* Observer) override;
  void STDMETHODCALLTYPE Detach(IdeAudioObserver* Observer) override;
  TdeWaveFormat* STDMETHODCALLTYPE GetFormat() override { return FFormat; }

  // Hands the block to every observer in turn. An observer that detaches itself
  // meanwhile costs its successor nothing. An observer's exception goes to
  // OnObserverError and then on, unless the handler clears RaiseException.
  void NotifyObservers(const void* Data, int Size);
  int GetObserverCount() const { return static_cast<int>(FObservers.size()); }
  bool GetRaiseException() const { return FRaiseException; }
  void SetRaiseException(bool Value) { FRaiseException = Value; }

  TObserverErrorEvent OnObserverError;

private:
  TdeWaveFormat* FFormat;
  std::vector<IdeAudioObserver*> FObservers;
  bool FRaiseException = true;
};

// The consuming side, a part of its owner.
class TdeAudioObserver : public TComponent, public IdeAudioObserver {
  SONVELT_CLASS(TdeAudioObserver, TComponent)
public:
  TdeAudioObserver(TComponent* AOwner, TAudioDataCallback Callback);
  ~TdeAudioObserver() override;
  void BeforeDestruction() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
  void STDMETHODCALLTYPE AudioDataReady(IdeAudioSubject* Sender, const void* Data, int Size) override;

  TComponent* GetSubject() const { return FSubject; }
  // Observes another component (null: none). EACMError for the owner itself and
  // for a component that is no audio subject; the old subject is kept then.
  void SetSubject(TComponent* Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FSubject = nullptr;
  TAudioDataCallback FCallback;
};
