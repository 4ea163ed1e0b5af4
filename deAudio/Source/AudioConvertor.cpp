#include "deAudio/Source/AudioConvertor.h"

#include <float.h>

#include <algorithm>
#include <cstring>

#include "deAudio/Source/ACMErrors.h"
#include "framework/ClassRegistry.h"
#include "framework/Published.h"

namespace {

const bool Registered = (RegisterClass(TdeAudioConvertor::StaticClass()), true);

// Masks every floating-point exception while a driver converts: some drivers do
// arithmetic that would otherwise trap. The caller's settings come back after.
class TMaskedFPU {
public:
  explicit TMaskedFPU(bool Enabled) : FEnabled(Enabled) {
    if (!FEnabled) return;
    _controlfp_s(&FSaved, 0, 0);
    unsigned int Unused = 0;
    _controlfp_s(&Unused, _MCW_EM, _MCW_EM);
  }
  ~TMaskedFPU() {
    if (!FEnabled) return;
    unsigned int Unused = 0;
    _controlfp_s(&Unused, FSaved & _MCW_EM, _MCW_EM);
  }
  TMaskedFPU(const TMaskedFPU&) = delete;
  TMaskedFPU& operator=(const TMaskedFPU&) = delete;

private:
  bool FEnabled;
  unsigned int FSaved = 0;
};

const char kNotActive[] = "Cannot perform this action while not active.";
const char kActive[] = "Cannot perform this action while active.";

}  // namespace

// --- TMiniConvertor ---

TMiniConvertor::TMiniConvertor(const TdeWaveFormat& Source, const TdeWaveFormat& Destination) {
  FSource.Assign(const_cast<TdeWaveFormat*>(&Source));
  FDestination.Assign(const_cast<TdeWaveFormat*>(&Destination));
}

TMiniConvertor::~TMiniConvertor() {
  if (FActive) Close();
}

void TMiniConvertor::Open(bool RealTime) {
  if (FActive) throw EACMError(kActive);
  ACMCheck<EACMConversionError>(acmStreamOpen(&FStream, nullptr, FSource.GetWaveFormatEx(),
                                              FDestination.GetWaveFormatEx(), nullptr, 0, 0,
                                              RealTime ? 0 : ACM_STREAMOPENF_NONREALTIME),
                                "");
  FActive = true;
  ResetBuffers();
}

void TMiniConvertor::Close() {
  ResetBuffers();
  if (FStream) acmStreamClose(FStream, 0);
  FStream = nullptr;
  FActive = false;
}

void TMiniConvertor::Unprepare() {
  if (!Prepared()) return;
  // The header goes back with the lengths it was prepared with.
  FHeader.cbSrcLength = static_cast<DWORD>(FInput.size());
  FHeader.cbDstLength = static_cast<DWORD>(FOutput.size());
  acmStreamUnprepareHeader(FStream, &FHeader, 0);
  FHeader.fdwStatus &= ~ACMSTREAMHEADER_STATUSF_PREPARED;
}

void TMiniConvertor::ResetBuffers() {
  Unprepare();
  if (FStream) acmStreamReset(FStream, 0);
  FHeader = ACMSTREAMHEADER{};
  FHeader.cbStruct = sizeof(ACMSTREAMHEADER);
  FInput.clear();
  FInput.shrink_to_fit();
  FFill = 0;
  FOutput.clear();
  FOutput.shrink_to_fit();
}

void TMiniConvertor::Append(const void* Data, int Size) {
  if (Size <= 0) return;
  const size_t Need = FFill + static_cast<size_t>(Size);
  if (Need > FInput.size()) {
    // A prepared header pins the buffer: it is let go and prepared again for the
    // larger one.
    Unprepare();
    FInput.resize(2 * FFill + 2 * static_cast<size_t>(Size));
  }
  std::memcpy(FInput.data() + FFill, Data, static_cast<size_t>(Size));
  FFill = Need;
}

bool TMiniConvertor::Prepare() {
  DWORD Out = 0;
  if (acmStreamSize(FStream, static_cast<DWORD>(FFill), &Out, ACM_STREAMSIZEF_SOURCE) != 0 || Out == 0) return false;
  if (FInput.size() < 3 * FFill) FInput.resize(3 * FFill);
  ACMCheck<EACMConversionError>(
      acmStreamSize(FStream, static_cast<DWORD>(FInput.size()), &Out, ACM_STREAMSIZEF_SOURCE), "");
  FOutput.assign(Out, 0);
  FHeader = ACMSTREAMHEADER{};
  FHeader.cbStruct = sizeof(ACMSTREAMHEADER);
  FHeader.pbSrc = FInput.data();
  FHeader.cbSrcLength = static_cast<DWORD>(FInput.size());
  FHeader.pbDst = FOutput.data();
  FHeader.cbDstLength = Out;
  const MMRESULT R = acmStreamPrepareHeader(FStream, &FHeader, 0);
  if (R != 0) {
    FOutput.clear();
    FHeader = ACMSTREAMHEADER{};
    FHeader.cbStruct = sizeof(ACMSTREAMHEADER);
    ACMCheck<EACMConversionError>(R, "");
  }
  return true;
}

int TMiniConvertor::Convert(const void* Data, int Size, bool SetFPUFlag, DWORD ConvertFlags) {
  if (!FActive) throw EACMConversionError(kNotActive);
  Append(Data, Size);
  if (!Prepared() && !Prepare()) return 0;
  DWORD Out = 0;
  if (acmStreamSize(FStream, static_cast<DWORD>(FFill), &Out, ACM_STREAMSIZEF_SOURCE) != 0 || Out == 0) return 0;
  FHeader.cbSrcLength = static_cast<DWORD>(FFill);
  FHeader.cbSrcLengthUsed = 0;
  FHeader.cbDstLength = static_cast<DWORD>(FOutput.size());
  FHeader.cbDstLengthUsed = 0;
  MMRESULT R;
  {
    TMaskedFPU Guard(SetFPUFlag);
    R = acmStreamConvert(FStream, &FHeader, ConvertFlags);
  }
  ACMCheck<EACMConversionError>(R, "");
  const size_t Used = std::min<size_t>(FHeader.cbSrcLengthUsed, FFill);
  std::memmove(FInput.data(), FInput.data() + Used, FFill - Used);
  FFill -= Used;
  return static_cast<int>(FHeader.cbDstLengthUsed);
}

// --- TdeAudioConvertor ---

SONVELT_PUBLISHED(TdeAudioConvertor, P) {
  P.Component("AudioSource", &TdeAudioConvertor::GetAudioSource, &TdeAudioConvertor::SetAudioSource);
  P.Object("FormatIn", &TdeAudioConvertor::GetFormatIn);
  P.Object("FormatOut", &TdeAudioConvertor::GetFormatOut);
  P.Event("OnAudioConverted", &TdeAudioConvertor::OnAudioConverted);
  P.Event("OnAudioStreamConverted", &TdeAudioConvertor::OnAudioStreamConverted);
  P.Boolean("RequestRealTime", &TdeAudioConvertor::GetRequestRealTime, &TdeAudioConvertor::SetRequestRealTime)
      .Default(false);
  P.Boolean("Set8087FPUFlag", &TdeAudioConvertor::GetSet8087FPUFlag, &TdeAudioConvertor::SetSet8087FPUFlag)
      .Default(true);
}

TdeAudioConvertor::TdeAudioConvertor(TComponent* AOwner)
    : TComponent(AOwner), FFormatIn(std::make_unique<TdeWaveFormat>()), FFormatOut(std::make_unique<TdeWaveFormat>()) {
  FObserver = TdeAudioObserver::Create(this, TAudioDataCallback(this, &TdeAudioConvertor::AudioDataReady));
  FSubject = TdeAudioSubject::Create(this, FFormatOut.get());
  FSubject->OnObserverError = TObserverErrorEvent(this, &TdeAudioConvertor::ObserverError);
}

TdeAudioConvertor::~TdeAudioConvertor() = default;

void TdeAudioConvertor::BeforeDestruction() {
  SetActive(false);
  TComponent::BeforeDestruction();
}

HRESULT TdeAudioConvertor::QueryInterface(REFIID riid, void** ppv) {
  return QueryAudioParts(static_cast<IUnknown*>(this), FSubject, FObserver, riid, ppv);
}

void TdeAudioConvertor::SetRequestRealTime(bool Value) {
  if (FActive) throw EACMConversionError(kActive);
  FRequestRealTime = Value;
}

void TdeAudioConvertor::SetActive(bool Value) {
  if (Value == FActive) return;
  if (Value) Open();
  else Close();
}

bool TdeAudioConvertor::CanConvert(const TdeWaveFormat& From, const TdeWaveFormat& To) const {
  const DWORD Flags = ACM_STREAMOPENF_QUERY | (FRequestRealTime ? 0 : ACM_STREAMOPENF_NONREALTIME);
  return acmStreamOpen(nullptr, nullptr, const_cast<WAVEFORMATEX*>(From.GetWaveFormatEx()),
                       const_cast<WAVEFORMATEX*>(To.GetWaveFormatEx()), nullptr, 0, 0, Flags) == 0;
}

namespace {

// A PCM format the drivers propose for Source, built on a copy of Base.
std::unique_ptr<TdeWaveFormat> SuggestPcm(const TdeWaveFormat& Source, const TdeWaveFormat& Base) {
  auto P = std::make_unique<TdeWaveFormat>();
  P->Assign(const_cast<TdeWaveFormat*>(&Base));
  P->SetFormatTag(WAVE_FORMAT_PCM);
  ACMCheck<EACMConversionError>(acmFormatSuggest(nullptr, const_cast<WAVEFORMATEX*>(Source.GetWaveFormatEx()),
                                                 P->GetWaveFormatEx(), TdeWaveFormat::BufferSize,
                                                 ACM_FORMATSUGGESTF_WFORMATTAG),
                                "");
  // PCM has no extra data: what the copy of Base left behind goes, so that equal
  // formats compare equal.
  WAVEFORMATEX Pcm = *P->GetWaveFormatEx();
  Pcm.cbSize = 0;
  P->SetWaveFormatEx(Pcm);
  return P;
}

}  // namespace

void TdeAudioConvertor::BuildChain() {
  const TdeWaveFormat& In = *FFormatIn;
  const TdeWaveFormat& Out = *FFormatOut;
  auto Copy = [](const TdeWaveFormat& F) {
    auto C = std::make_unique<TdeWaveFormat>();
    C->Assign(const_cast<TdeWaveFormat*>(&F));
    return C;
  };
  FFormats.push_back(Copy(In));
  if (!CanConvert(In, Out)) {
    std::unique_ptr<TdeWaveFormat> P1 = SuggestPcm(In, In);
    if (!CanConvert(In, *P1)) throw EACMConversionError("Conversion not possible.");
    if (!P1->Equals(In) && !P1->Equals(Out)) FFormats.push_back(Copy(*P1));
    if (!CanConvert(*P1, Out)) {
      std::unique_ptr<TdeWaveFormat> P2 = SuggestPcm(Out, *P1);
      if (!CanConvert(*P1, *P2) || !CanConvert(*P2, Out)) throw EACMConversionError("Conversion not possible.");
      if (!P2->Equals(*P1) && !P2->Equals(Out)) FFormats.push_back(Copy(*P2));
    }
  }
  FFormats.push_back(Copy(Out));
  for (size_t I = 0; I + 1 < FFormats.size(); ++I)
    FSteps.push_back(std::make_unique<TMiniConvertor>(*FFormats[I], *FFormats[I + 1]));
}

void TdeAudioConvertor::Open() {
  if (FActive) throw EACMConversionError(kActive);
  try {
    BuildChain();
    for (auto& Step : FSteps) Step->Open(FRequestRealTime);
  } catch (...) {
    for (auto& Step : FSteps)
      if (Step->GetActive()) Step->Close();
    FSteps.clear();
    FFormats.clear();
    throw;
  }
  FActive = true;
}

void TdeAudioConvertor::Close() {
  if (!FActive) throw EACMConversionError(kNotActive);
  FOutput = nullptr;
  FOutputSize = 0;
  for (auto& Step : FSteps) Step->Close();
  FSteps.clear();
  FFormats.clear();
  FActive = false;
}

void TdeAudioConvertor::Convert(const void* Data, int Size) {
  if (!FActive) throw EACMConversionError(kNotActive);
  FOutput = nullptr;
  FOutputSize = 0;
  for (auto& Step : FSteps) {
    Size = Step->Convert(Data, Size, FSet8087FPUFlag, ACM_STREAMCONVERTF_BLOCKALIGN);
    if (Size == 0) break;
    Data = Step->GetOutput();
  }
  if (Size > 0) {
    FOutput = Data;
    FOutputSize = Size;
    FSubject->NotifyObservers(Data, Size);
    OnAudioConverted(this, Data, Size, FAbort);
  }
  OnAudioStreamConverted(this);
}

void TdeAudioConvertor::AudioDataReady(IdeAudioSubject* Sender, const void* Data, int Size) {
  TdeWaveFormat* Source = Sender->GetFormat();
  if (!FActive || !Source->Equals(*FFormatIn)) {
    SetActive(false);
    FFormatIn->Assign(Source);
    SetActive(true);
  }
  Convert(Data, Size);
}

void TdeAudioConvertor::ObserverError(IdeAudioSubject* Sender, IdeAudioObserver* Observer, const Exception& E,
                                      bool& RaiseException) {
  OnObserverError(Sender, Observer, E, RaiseException);
}
