#include "deAudio/Source/WaveFormat.h"

#include <algorithm>
#include <cstring>

#include "deAudio/Source/ACMErrors.h"
#include "framework/Streams.h"

static_assert(sizeof(WAVEFORMATEX) == TdeWaveFormat::HeaderSize, "the record's stored size");

TdeWaveFormat::TdeWaveFormat() { SetDefaults(); }

void TdeWaveFormat::SetDefaults() {
  std::memset(FFormat.Bytes, 0, sizeof FFormat.Bytes);
  FFormat.Header.wFormatTag = WAVE_FORMAT_PCM;
  FFormat.Header.nChannels = 2;
  FFormat.Header.nSamplesPerSec = 11025;
  FFormat.Header.nAvgBytesPerSec = 22050;
  FFormat.Header.nBlockAlign = 2;
  FFormat.Header.wBitsPerSample = 8;
  FFormat.Header.cbSize = 0;
}

void TdeWaveFormat::SetExtraSize(std::uint16_t Value) {
  if (Value > MaxExtraSize) throw EACMError("The wave format buffer is too small.");
  FFormat.Header.cbSize = Value;
}

void TdeWaveFormat::SetWaveFormatEx(const WAVEFORMATEX& Value) {
  const int Extra = Value.wFormatTag == WAVE_FORMAT_PCM ? 0 : Value.cbSize;
  if (Extra > MaxExtraSize) throw EACMError("The wave format buffer is too small.");
  std::memset(FFormat.Bytes, 0, sizeof FFormat.Bytes);
  std::memcpy(FFormat.Bytes, &Value, HeaderSize + static_cast<size_t>(Extra));
  FFormat.Header.cbSize = static_cast<WORD>(Extra);
}

void TdeWaveFormat::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TdeWaveFormat*>(Source)) {
    std::memcpy(FFormat.Bytes, F->FFormat.Bytes, sizeof FFormat.Bytes);
    return;
  }
  TPersistent::Assign(Source);
}

bool TdeWaveFormat::Equals(const TdeWaveFormat& Other) const {
  return std::memcmp(FFormat.Bytes, Other.FFormat.Bytes, sizeof FFormat.Bytes) == 0;
}

void TdeWaveFormat::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty("FormatBuffer", TFiler::TStreamProc(this, &TdeWaveFormat::ReadBufferData),
                              TFiler::TStreamProc(this, &TdeWaveFormat::WriteBufferData), true);
}

void TdeWaveFormat::ReadBufferData(TStream* Stream) {
  std::uint8_t Read[BufferSize] = {};
  const int Count = static_cast<int>(std::min<std::int64_t>(Stream->GetSize() - Stream->GetPosition(), BufferSize));
  Stream->ReadBuffer(Read, Count);
  // A buffer from elsewhere whose extra size overruns it is refused whole.
  if ((Read[16] | Read[17] << 8) > MaxExtraSize) throw EACMError("The wave format buffer is too small.");
  std::memcpy(FFormat.Bytes, Read, sizeof Read);
}

void TdeWaveFormat::WriteBufferData(TStream* Stream) { Stream->WriteBuffer(FFormat.Bytes, BufferSize); }
