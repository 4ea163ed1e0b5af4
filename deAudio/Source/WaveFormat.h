// A wave format as the system calls take it: a WAVEFORMATEX record at the start of
// a 512-byte buffer, with room for a codec's extra data behind it. Defaults: PCM,
// 2 channels, 11025 Hz, 8 bits. In form data it is the binary "FormatBuffer", all
// 512 bytes.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>

#include <cstdint>

#include "framework/Persistent.h"

class TdeWaveFormat : public TPersistent {
  SONVELT_CLASS(TdeWaveFormat, TPersistent)
public:
  static constexpr int BufferSize = 512;
  static constexpr int HeaderSize = 18;
  static constexpr int MaxExtraSize = BufferSize - HeaderSize;

  TdeWaveFormat();

  std::uint16_t GetFormatTag() const { return FFormat.Header.wFormatTag; }
  void SetFormatTag(std::uint16_t Value) { FFormat.Header.wFormatTag = Value; }
  std::uint16_t GetChannels() const { return FFormat.Header.nChannels; }
  void SetChannels(std::uint16_t Value) { FFormat.Header.nChannels = Value; }
  std::uint32_t GetSamplesPerSec() const { return FFormat.Header.nSamplesPerSec; }
  void SetSamplesPerSec(std::uint32_t Value) { FFormat.Header.nSamplesPerSec = Value; }
  std::uint32_t GetAvgBytesPerSec() const { return FFormat.Header.nAvgBytesPerSec; }
  void SetAvgBytesPerSec(std::uint32_t Value) { FFormat.Header.nAvgBytesPerSec = Value; }
  std::uint16_t GetBlockAlign() const { return FFormat.Header.nBlockAlign; }
  void SetBlockAlign(std::uint16_t Value) { FFormat.Header.nBlockAlign = Value; }
  std::uint16_t GetBitsPerSample() const { return FFormat.Header.wBitsPerSample; }
  void SetBitsPerSample(std::uint16_t Value) { FFormat.Header.wBitsPerSample = Value; }
  std::uint16_t GetExtraSize() const { return FFormat.Header.cbSize; }
  // EACMError "The wave format buffer is too small." above MaxExtraSize.
  void SetExtraSize(std::uint16_t Value);

  // For the system calls; the whole buffer lies behind it.
  WAVEFORMATEX* GetWaveFormatEx() { return &FFormat.Header; }
  const WAVEFORMATEX* GetWaveFormatEx() const { return &FFormat.Header; }
  const std::uint8_t* GetBuffer() const { return FFormat.Bytes; }
  // Copies a record of HeaderSize + its extra size bytes.
  void SetWaveFormatEx(const WAVEFORMATEX& Value);

  void Assign(TPersistent* Source) override;
  // Byte-wise, over the whole buffer.
  virtual bool Equals(const TdeWaveFormat& Other) const;
  virtual void SetDefaults();

protected:
  void DefineProperties(TFiler* Filer) override;

private:
  void ReadBufferData(TStream* Stream);
  void WriteBufferData(TStream* Stream);
  union {
    WAVEFORMATEX Header;
    std::uint8_t Bytes[BufferSize];
  } FFormat;
};
