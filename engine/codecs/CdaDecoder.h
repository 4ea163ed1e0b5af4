// A track of an audio CD, named by its ".cda" file: the file gives the track's
// first sector and length, and the samples are read from the drive's sectors
// (2352 bytes each, 16-bit stereo at 44.1 kHz).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/codecs/CodecDecoder.h"

class TCdaDecoder : public TCodecDecoder {
 public:
  // Raises ECodecError when the file is no track file or the drive cannot read it.
  explicit TCdaDecoder(const std::string& path);
  ~TCdaDecoder() override;
  TCdaDecoder(const TCdaDecoder&) = delete;
  TCdaDecoder& operator=(const TCdaDecoder&) = delete;
  int GetRate() const override { return 44100; }
  int GetChannels() const override { return 2; }
  int64_t GetLengthFrames() const override { return int64_t(Sectors) * FramesPerSector; }
  int GetBitRate() const override { return 44100 * 2 * 16; }
  TCodecTags GetTags() const override { return {}; }
  int64_t Read(float* out, int64_t frames) override;

  static constexpr int FramesPerSector = 588;

 private:
  void Fill();
  std::string Path;
  char Drive = 0;
  HANDLE Device = INVALID_HANDLE_VALUE;
  uint32_t FirstSector = 0, Sectors = 0, NextSector = 0;
  std::vector<uint8_t> Buffer;
  size_t Used = 0;  // bytes of Buffer already given out
};
