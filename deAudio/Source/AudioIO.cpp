#include "deAudio/Source/AudioIO.h"

#include <algorithm>
#include <cstring>

#include "deAudio/Source/ACMErrors.h"
#include "framework/AllocateHWnd.h"
#include "framework/ClassRegistry.h"
#include "framework/Published.h"

namespace {
const char kActive[] = "Cannot perform this action while active.";
const char kBadSize[] = "Invalid input buffer size.";
const char kOpenError[] = "Error opening audio device for input.";
const char kCloseError[] = "Error closing input device.";
const bool Registered = (RegisterClass(TdeAudioIn::StaticClass()), true);
}  // namespace

// --- TdeAudioIO ---

TdeAudioIO::TdeAudioIO(TComponent* AOwner) : TComponent(AOwner), FFormat(std::make_unique<TdeWaveFormat>()) {
  FWindow = AllocateHWnd(TWndMethod(this, &TdeAudioIO::MainWindowProc));
}

TdeAudioIO::~TdeAudioIO() {
  DeallocateHWnd(FWindow);
  FreePool();
}

void TdeAudioIO::BeforeDestruction() {
  // The device goes while the derived parts that talk to it are whole.
  try {
    Close();
  } catch (const Exception&) {
  }
  TComponent::BeforeDestruction();
}

void TdeAudioIO::Loaded() {
  TComponent::Loaded();
  if (!FAutoOpen || GetComponentState().Contains(csDesigning)) return;
  // A device that cannot be opened must not undo the whole read: its owner works
  // without the capture, which stays closed, and the user is told why.
  try {
    Open();
  } catch (const Exception&) {
    ReportException(this);
  }
}

void TdeAudioIO::SetActive(bool Value) {
  if (Value == FActive) return;
  if (Value) Open();
  else Close();
}

void TdeAudioIO::Open() {
  if (FActive) return;
  FreePool();
  BeforeOpen(this);
  DoOpen();
  FActive = true;
  AfterOpen(this);
}

void TdeAudioIO::Close() {
  if (!FActive) return;
  BeforeClose(this);
  DoClose();
  FreePool();
  FActive = false;
  AfterClose(this);
}

void* TdeAudioIO::GetBuffer(int Size) {
  auto SizeOf = [](void* Block) { return *reinterpret_cast<std::int32_t*>(static_cast<std::uint8_t*>(Block) - 4); };
  auto Best = FFree.end();
  for (auto It = FFree.begin(); It != FFree.end(); ++It) {
    const int Excess = SizeOf(*It) - Size;
    if (Excess == 0) {
      Best = It;
      break;
    }
    if (Excess > 0 && Excess < Size && (Best == FFree.end() || Excess < SizeOf(*Best) - Size)) Best = It;
  }
  if (Best != FFree.end()) {
    void* Block = *Best;
    FFree.erase(Best);
    return Block;
  }
  HGLOBAL Handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, static_cast<SIZE_T>(Size) + 4);
  auto* Memory = Handle ? static_cast<std::uint8_t*>(GlobalLock(Handle)) : nullptr;
  if (!Memory) {
    if (Handle) GlobalFree(Handle);
    throw EACMAudioOutError("Cannot allocate global memory.");
  }
  *reinterpret_cast<std::int32_t*>(Memory) = Size;
  FBlocks.push_back({Handle, Memory});
  return Memory + 4;
}

void TdeAudioIO::ReturnBuffer(void* Block) {
  if (!Block) return;
  auto* Memory = static_cast<std::uint8_t*>(Block) - 4;
  const bool Ours = std::any_of(FBlocks.begin(), FBlocks.end(), [&](const TBlock& B) { return B.Memory == Memory; });
  if (Ours && std::find(FFree.begin(), FFree.end(), Block) == FFree.end()) FFree.push_back(Block);
}

void TdeAudioIO::FreePool() {
  for (const TBlock& B : FBlocks) {
    GlobalUnlock(B.Handle);
    GlobalFree(B.Handle);
  }
  FBlocks.clear();
  FFree.clear();
}

// --- TdeAbstractAudioIn ---

TdeAbstractAudioIn::TdeAbstractAudioIn(TComponent* AOwner) : TdeAudioIO(AOwner) {
  FSubject = TdeAudioSubject::Create(this, GetFormat());
  FSubject->OnObserverError = TObserverErrorEvent(this, &TdeAbstractAudioIn::ObserverError);
}

HRESULT TdeAbstractAudioIn::QueryInterface(REFIID riid, void** ppv) {
  return QueryAudioParts(static_cast<IUnknown*>(this), FSubject, nullptr, riid, ppv);
}

void TdeAbstractAudioIn::ObserverError(IdeAudioSubject* Sender, IdeAudioObserver* Observer, const Exception& E,
                                       bool& RaiseException) {
  OnObserverError(Sender, Observer, E, RaiseException);
}

// --- TdeCustomAudioIn ---

TdeCustomAudioIn::TdeCustomAudioIn(TComponent* AOwner) : TdeAbstractAudioIn(AOwner) {}

void TdeCustomAudioIn::SetBufferSize(int Value) {
  if (GetActive()) throw EACMAudioIOError(kActive);
  FBufferSize = Value;
}

void TdeCustomAudioIn::SetDeviceID(int Value) {
  if (GetActive()) throw EACMAudioIOError(kActive);
  FDeviceID = Value;
}

void TdeCustomAudioIn::SetBufferCount(std::uint8_t Value) {
  if (Value < 2) throw EACMAudioIOError(kBadSize);
  TdeAbstractAudioIn::SetBufferCount(Value);
}

void TdeCustomAudioIn::DoOpen() {
  TdeWaveFormat* F = GetFormat();
  if (F->GetBitsPerSample() != 0) {
    if (GetAutoAdjustBufferSize()) {
      const int Frame = F->GetBitsPerSample() / 8 * F->GetChannels();
      if (Frame > 1) FBufferSize -= FBufferSize % Frame;
    }
    if (FBufferSize <= 0 || (FBufferSize * 8) % F->GetBitsPerSample() != 0) throw EACMAudioInError(kBadSize);
  }
  UINT Device = FDeviceID == WaveMapper ? WAVE_MAPPER : static_cast<UINT>(FDeviceID);
  DWORD Flags = CALLBACK_WINDOW;
  if (Device == WAVE_MAPPER && F->GetFormatTag() != WAVE_FORMAT_PCM) {
    Device = 0;
    Flags |= WAVE_MAPPED;
  }
  ACMCheck<EACMAudioInError>(
      waveInOpen(&FHandle, Device, F->GetWaveFormatEx(), reinterpret_cast<DWORD_PTR>(GetWindowHandle()), 0, Flags),
      kOpenError);
  ++FOpenings;
  try {
    for (int I = 0; I < GetBufferCount(); ++I) {
      auto* Header = static_cast<WAVEHDR*>(GetBuffer(sizeof(WAVEHDR)));
      std::memset(Header, 0, sizeof(WAVEHDR));
      FHeaders.push_back(Header);
      Header->lpData = static_cast<LPSTR>(GetBuffer(FBufferSize));
      Header->dwBufferLength = static_cast<DWORD>(FBufferSize);
      ACMCheck<EACMAudioInError>(waveInPrepareHeader(FHandle, Header, sizeof(WAVEHDR)), "Error preparing input header.");
      ACMCheck<EACMAudioInError>(waveInAddBuffer(FHandle, Header, sizeof(WAVEHDR)), "Error adding input buffer.");
    }
    ACMCheck<EACMAudioInError>(waveInStart(FHandle), kOpenError);
  } catch (...) {
    // Nothing is left open behind a failed opening.
    waveInReset(FHandle);
    while (!FHeaders.empty()) {
      WAVEHDR* Header = FHeaders.back();
      FHeaders.pop_back();
      if (Header->dwFlags & WHDR_PREPARED) waveInUnprepareHeader(FHandle, Header, sizeof(WAVEHDR));
    }
    waveInClose(FHandle);
    FHandle = nullptr;
    throw;
  }
}

void TdeCustomAudioIn::DoClose() {
  const MMRESULT Reset = waveInReset(FHandle);
  std::exception_ptr Failure;
  while (!FHeaders.empty()) {
    try {
      ReleaseHeader(FHeaders.back());
    } catch (...) {
      if (!Failure) Failure = std::current_exception();
    }
  }
  const MMRESULT Closed = waveInClose(FHandle);
  FHandle = nullptr;
  // Completions of the buffers given back are of no use now; left queued they
  // could name the address of a buffer of the next opening.
  MSG Stale;
  while (PeekMessageW(&Stale, GetWindowHandle(), MM_WIM_DATA, MM_WIM_DATA, PM_REMOVE)) {
  }
  ACMCheck<EACMAudioInError>(Reset, kCloseError);
  if (Failure) std::rethrow_exception(Failure);
  ACMCheck<EACMAudioInError>(Closed, kCloseError);
}

bool TdeCustomAudioIn::InUse(const WAVEHDR* Header) const {
  return std::find(FHeaders.begin(), FHeaders.end(), Header) != FHeaders.end();
}

void TdeCustomAudioIn::ReleaseHeader(WAVEHDR* Header) {
  if (!InUse(Header)) return;
  FHeaders.erase(std::find(FHeaders.begin(), FHeaders.end(), Header));
  const MMRESULT R = waveInUnprepareHeader(FHandle, Header, sizeof(WAVEHDR));
  ReturnBuffer(Header->lpData);
  ReturnBuffer(Header);
  ACMCheck<EACMAudioInError>(R, "Error unpreparing input header.");
}

void TdeCustomAudioIn::QueueHeader(WAVEHDR* Header) {
  ACMCheck<EACMAudioInError>(waveInUnprepareHeader(FHandle, Header, sizeof(WAVEHDR)),
                             "Error unpreparing input header.");
  Header->dwBufferLength = static_cast<DWORD>(FBufferSize);
  Header->dwBytesRecorded = 0;
  Header->dwUser = 0;
  Header->dwFlags = 0;
  Header->dwLoops = 0;
  ACMCheck<EACMAudioInError>(waveInPrepareHeader(FHandle, Header, sizeof(WAVEHDR)), "Error preparing input header.");
  ACMCheck<EACMAudioInError>(waveInAddBuffer(FHandle, Header, sizeof(WAVEHDR)), "Error adding input buffer.");
}

void TdeCustomAudioIn::WindowProc(TMessage& Message) {
  if (Message.Msg == MM_WIM_DATA) BufferFilled(reinterpret_cast<WAVEHDR*>(Message.LParam));
  Message.Result = 1;
}

void TdeCustomAudioIn::BufferFilled(WAVEHDR* Header) {
  // A buffer the device gave back after closing is gone already, and one the
  // device still holds is not filled (a late notice of an earlier opening may
  // carry the address of a buffer that was allocated again).
  if (!InUse(Header) || !(Header->dwFlags & WHDR_DONE)) return;
  if (!GetActive()) {
    ReleaseHeader(Header);
    return;
  }
  const unsigned Opening = FOpenings;
  // An observer's failure must not cost the ring its buffer: it goes back to
  // the device first, and the failure is reported after.
  auto Requeue = [&] {
    if (GetActive() && Opening == FOpenings && InUse(Header)) QueueHeader(Header);
  };
  try {
    DataReady(Header->lpData, static_cast<int>(Header->dwBytesRecorded));
  } catch (...) {
    Requeue();
    throw;
  }
  Requeue();
}

void TdeCustomAudioIn::DataReady(const void* Data, int Size) {
  FLastData = Data;
  FLastDataSize = Size;
  GetSubject()->NotifyObservers(Data, Size);
  OnAudioRecorded(this, Data, Size);
}

// --- TdeAudioIn ---

SONVELT_PUBLISHED(TdeAudioIn, P) {
  P.Event("AfterClose", &TdeAudioIn::AfterClose);
  P.Event("AfterOpen", &TdeAudioIn::AfterOpen);
  P.Boolean("AutoAdjustBufferSize", &TdeAudioIn::GetAutoAdjustBufferSize, &TdeAudioIn::SetAutoAdjustBufferSize)
      .Default(true);
  P.Boolean("AutoOpen", &TdeAudioIn::GetAutoOpen, &TdeAudioIn::SetAutoOpen).Default(true);
  P.Event("BeforeClose", &TdeAudioIn::BeforeClose);
  P.Event("BeforeOpen", &TdeAudioIn::BeforeOpen);
  P.Integer("BufferCount", &TdeAudioIn::GetBufferCount, &TdeAudioIn::SetBufferCount).Default(4);
  P.Integer("BufferSize", &TdeAudioIn::GetBufferSize, &TdeAudioIn::SetBufferSize).Default(22050);
  P.Object("Format", &TdeAudioIn::GetFormat);
  P.Event("OnAudioRecorded", &TdeAudioIn::OnAudioRecorded);
  P.Event("OnObserverError", &TdeAudioIn::OnObserverError);
}
