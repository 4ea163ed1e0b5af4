#include "engine/SpeechOutputStream.h"

#include <cstdlib>

#include "engine/SpeechFileWriter.h"

namespace {

// The format identifier of streams described by a WAVEFORMATEX.
const GUID WaveFormatExId = {0xC31ADBAE, 0x527F, 0x4ff5, {0xA2, 0x30, 0xF6, 0x2B, 0xB6, 0x1F, 0xF7, 0x0C}};

// The rates a voice's stream formats offer.
constexpr int StreamRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

}  // namespace

WAVEFORMATEX SpeechStreamFormat(int rate, int channels) {
  int chosen = StreamRates[0];
  for (int r : StreamRates)
    if (std::abs(r - rate) <= std::abs(chosen - rate)) chosen = r;
  if (rate > 48000)
    for (int r : StreamRates)
      if (rate % r == 0) chosen = r;
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = WORD(channels == 1 ? 1 : 2);
  f.nSamplesPerSec = DWORD(chosen);
  f.wBitsPerSample = 16;
  f.nBlockAlign = WORD(f.nChannels * 2);
  f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
  return f;
}

TSpeechOutputStream::TSpeechOutputStream(std::shared_ptr<TSpeechFileWriter> writer, const WAVEFORMATEX& format)
    : Writer(std::move(writer)), Format(format) {}

HRESULT TSpeechOutputStream::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream || riid == IID_ISpStreamFormat) {
    *object = static_cast<ISpStreamFormat*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TSpeechOutputStream::AddRef() { return ++References; }

ULONG TSpeechOutputStream::Release() {
  const ULONG left = --References;
  if (left == 0) delete this;
  return left;
}

HRESULT TSpeechOutputStream::Read(void*, ULONG, ULONG* read) {
  if (read) *read = 0;
  return STG_E_ACCESSDENIED;
}

HRESULT TSpeechOutputStream::Write(const void* data, ULONG bytes, ULONG* written) {
  if (written) *written = 0;
  if (!data && bytes) return STG_E_INVALIDPOINTER;
  if (!Writer->Write(data, bytes)) return STG_E_MEDIUMFULL;
  if (written) *written = bytes;
  return S_OK;
}

HRESULT TSpeechOutputStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
  const LONGLONG end = LONGLONG(Writer->GetBytesTaken());
  LONGLONG target = move.QuadPart;
  if (origin == STREAM_SEEK_CUR || origin == STREAM_SEEK_END) target += end;
  else if (origin != STREAM_SEEK_SET) return STG_E_INVALIDFUNCTION;
  // Written speech is not rewritten: only the present end is a place to be.
  if (target != end) return STG_E_INVALIDFUNCTION;
  if (position) position->QuadPart = ULONGLONG(end);
  return S_OK;
}

HRESULT TSpeechOutputStream::SetSize(ULARGE_INTEGER) { return STG_E_INVALIDFUNCTION; }

HRESULT TSpeechOutputStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
  return STG_E_INVALIDFUNCTION;
}

HRESULT TSpeechOutputStream::Commit(DWORD) { return S_OK; }
HRESULT TSpeechOutputStream::Revert() { return STG_E_INVALIDFUNCTION; }
HRESULT TSpeechOutputStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }
HRESULT TSpeechOutputStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

HRESULT TSpeechOutputStream::Stat(STATSTG* stat, DWORD) {
  if (!stat) return STG_E_INVALIDPOINTER;
  *stat = STATSTG{};
  stat->type = STGTY_STREAM;
  stat->cbSize.QuadPart = Writer->GetBytesTaken();
  stat->grfMode = STGM_WRITE;
  return S_OK;
}

HRESULT TSpeechOutputStream::Clone(IStream** clone) {
  if (clone) *clone = nullptr;
  return STG_E_INVALIDFUNCTION;
}

HRESULT TSpeechOutputStream::GetFormat(GUID* formatId, WAVEFORMATEX** format) {
  if (!formatId || !format) return E_POINTER;
  *format = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
  if (!*format) return E_OUTOFMEMORY;
  **format = Format;
  *formatId = WaveFormatExId;
  return S_OK;
}
