#include "deAudio/Source/AudioControlSource.h"

#include <algorithm>
#include <cstring>

#include "framework/ClassRegistry.h"
#include "framework/Published.h"

namespace {

const bool Registered = (RegisterClass(TdeAudioControlSource::StaticClass()), true);

// The level the gauges show for a sample: full-scale negative counts as full
// scale, so clipping on that side shows as clipping, not as silence.
std::int16_t Magnitude(std::int16_t Sample) {
  return Sample == INT16_MIN ? INT16_MAX : static_cast<std::int16_t>(Sample < 0 ? -Sample : Sample);
}

void SetLevelFormat(TdeWaveFormat* F) {
  F->SetDefaults();
  F->SetBitsPerSample(16);
  F->SetChannels(2);
  F->SetSamplesPerSec(48000);
  F->SetAvgBytesPerSec(192000);
  F->SetBlockAlign(4);
}

}  // namespace

SONVELT_PUBLISHED(TdeAudioControlSource, P) {
  P.Component("AudioSource", &TdeAudioControlSource::GetAudioSource, &TdeAudioControlSource::SetAudioSource);
  P.Event("OnDataChanged", &TdeAudioControlSource::OnDataChanged);
  P.Event("OnObserverError", &TdeAudioControlSource::OnObserverError);
}

TdeAudioControlSource::TdeAudioControlSource(TComponent* AOwner) : TComponent(AOwner) {
  FConvertor = TdeAudioConvertor::Create(this);
  FConvertor->SetRequestRealTime(false);
  TdeWaveFormat* Out = FConvertor->GetFormatOut();
  Out->SetBitsPerSample(16);
  Out->SetChannels(2);
  Out->SetSamplesPerSec(11025);
  Out->SetAvgBytesPerSec(44100);
  FObserver = TdeAudioObserver::Create(this, TAudioDataCallback(this, &TdeAudioControlSource::AudioDataReady));
  FSubject = TdeAudioSubject::Create(this, FConvertor->GetFormatOut());
  FSubject->OnObserverError = TObserverErrorEvent(this, &TdeAudioControlSource::ObserverError);
}

TdeAudioControlSource::~TdeAudioControlSource() = default;

HRESULT TdeAudioControlSource::QueryInterface(REFIID riid, void** ppv) {
  return QueryAudioParts(static_cast<IUnknown*>(this), FSubject, FObserver, riid, ppv);
}

void TdeAudioControlSource::AudioDataReady(IdeAudioSubject* Sender, const void* Data, int Size) {
  // The chain is built again only for another input format: rebuilding it for
  // every block would lose what a step carries over to the next one.
  TdeWaveFormat* Source = Sender->GetFormat();
  if (!FConvertor->GetActive() || !Source->Equals(*FConvertor->GetFormatIn())) {
    FConvertor->SetActive(false);
    FConvertor->GetFormatIn()->Assign(Source);
    SetLevelFormat(FConvertor->GetFormatOut());
    FConvertor->SetActive(true);
  }
  FConvertor->Convert(Data, Size);

  FFrames = FConvertor->GetOutputSize() / 4;
  if (static_cast<size_t>(FFrames) > FLeft.size()) {
    FLeft.resize(static_cast<size_t>(FFrames));
    FRight.resize(static_cast<size_t>(FFrames));
  }
  const auto* Samples = static_cast<const std::int16_t*>(FConvertor->GetOutput());
  std::int16_t Left = 0, Right = 0;
  for (int I = 0; I < FFrames; ++I) {
    FLeft[static_cast<size_t>(I)] = Samples[2 * I];
    FRight[static_cast<size_t>(I)] = Samples[2 * I + 1];
    Left = std::max(Left, Magnitude(Samples[2 * I]));
    Right = std::max(Right, Magnitude(Samples[2 * I + 1]));
  }
  FPeakLeft = Left;
  FPeakRight = Right;
  DataChanged();
}

void TdeAudioControlSource::DataChanged() {
  if (FConvertor->GetOutputSize() > 0) FSubject->NotifyObservers(FConvertor->GetOutput(), FConvertor->GetOutputSize());
  OnDataChanged(this);
}

void TdeAudioControlSource::ObserverError(IdeAudioSubject* Sender, IdeAudioObserver* Observer, const Exception& E,
                                          bool& RaiseException) {
  OnObserverError(Sender, Observer, E, RaiseException);
}
