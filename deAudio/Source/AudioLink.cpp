#include "deAudio/Source/AudioLink.h"

#include <algorithm>

#include "deAudio/Source/ACMErrors.h"

namespace {

// The owner's answer, when it answers interfaces at all.
HRESULT AskOwner(TComponent* Owner, REFIID riid, void** ppv) {
  if (auto* U = dynamic_cast<IUnknown*>(Owner)) return U->QueryInterface(riid, ppv);
  *ppv = nullptr;
  return E_NOINTERFACE;
}

}  // namespace

IdeAudioSubject* AudioSubjectOf(TComponent* Component) {
  auto* U = dynamic_cast<IUnknown*>(Component);
  void* Subject = nullptr;
  if (!U || FAILED(U->QueryInterface(IID_IdeAudioSubject, &Subject))) return nullptr;
  return static_cast<IdeAudioSubject*>(Subject);
}

HRESULT QueryAudioParts(IUnknown* Self, TdeAudioSubject* Subject, TdeAudioObserver* Observer, REFIID riid,
                        void** ppv) {
  if (!ppv) return E_POINTER;
  if (Subject && IsEqualGUID(riid, IID_IdeAudioSubject)) return Subject->QueryInterface(riid, ppv);
  if (Observer && IsEqualGUID(riid, IID_IdeAudioObserver)) return Observer->QueryInterface(riid, ppv);
  if (IsEqualGUID(riid, IID_IUnknown)) {
    *ppv = Self;
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

// --- TdeAudioSubject ---

TdeAudioSubject::TdeAudioSubject(TComponent* AOwner, TdeWaveFormat* Format) : TComponent(AOwner), FFormat(Format) {
  if (!AOwner || !Format) throw EInvalidOperation("An audio subject needs an owner and a format.");
}

TdeAudioSubject::~TdeAudioSubject() = default;

HRESULT TdeAudioSubject::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IdeAudioSubject)) {
    *ppv = static_cast<IdeAudioSubject*>(this);
    return S_OK;
  }
  return AskOwner(GetOwner(), riid, ppv);
}

void TdeAudioSubject::Attach(IdeAudioObserver* Observer) {
  if (Observer && std::find(FObservers.begin(), FObservers.end(), Observer) == FObservers.end())
    FObservers.push_back(Observer);
}

void TdeAudioSubject::Detach(IdeAudioObserver* Observer) {
  FObservers.erase(std::remove(FObservers.begin(), FObservers.end(), Observer), FObservers.end());
}

void TdeAudioSubject::NotifyObservers(const void* Data, int Size) {
  size_t I = 0;
  while (I < FObservers.size()) {
    IdeAudioObserver* Observer = FObservers[I];
    try {
      Observer->AudioDataReady(this, Data, Size);
    } catch (const Exception& E) {
      bool Raise = FRaiseException;
      OnObserverError(this, Observer, E, Raise);
      if (Raise) throw;
    }
    if (I < FObservers.size() && FObservers[I] == Observer) ++I;
  }
}

// --- TdeAudioObserver ---

TdeAudioObserver::TdeAudioObserver(TComponent* AOwner, TAudioDataCallback Callback)
    : TComponent(AOwner), FCallback(Callback) {}

TdeAudioObserver::~TdeAudioObserver() = default;

void TdeAudioObserver::BeforeDestruction() {
  SetSubject(nullptr);
  TComponent::BeforeDestruction();
}

HRESULT TdeAudioObserver::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IdeAudioObserver)) {
    *ppv = static_cast<IdeAudioObserver*>(this);
    return S_OK;
  }
  return AskOwner(GetOwner(), riid, ppv);
}

void TdeAudioObserver::AudioDataReady(IdeAudioSubject* Sender, const void* Data, int Size) {
  FCallback(Sender, Data, Size);
}

void TdeAudioObserver::SetSubject(TComponent* Value) {
  if (Value == FSubject) return;
  IdeAudioSubject* Subject = nullptr;
  if (Value) {
    if (Value == GetOwner()) throw EACMError("Component cannot observe itself.");
    Subject = AudioSubjectOf(Value);
    if (!Subject) throw EACMError("The selected component is not an audio subject.");
  }
  if (FSubject) {
    if (IdeAudioSubject* Old = AudioSubjectOf(FSubject)) Old->Detach(this);
    FSubject->RemoveFreeNotification(this);
  }
  FSubject = Value;
  if (FSubject) {
    FSubject->FreeNotification(this);
    Subject->Attach(this);
  }
}

void TdeAudioObserver::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSubject) SetSubject(nullptr);
}
