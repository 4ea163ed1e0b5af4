#include "engine/codecs/CdaDecoder.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "cd/SptiCD.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/CodecFile.h"

namespace {

// A disc holds at most 99:59:74 of sectors.
constexpr uint32_t MaxDiscSectors = 100 * 60 * 75;
// One second of audio a request to the drive.
constexpr uint32_t SectorsPerRead = 75;

uint32_t LittleEndian32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

}  // namespace

TCdaDecoder::TCdaDecoder(const std::string& path) : Path(path) {
  uint8_t Head[44] = {};
  {
    TCodecFile File(path, TCodecFile::TMode::Read);
    if (File.Read(Head, sizeof Head) != sizeof Head || std::memcmp(Head, "RIFF", 4) ||
        std::memcmp(Head + 8, "CDDAfmt ", 8) || LittleEndian32(Head + 16) < 24)
      throw ECodecError("The file \"" + path + "\" is not a track of an audio CD.");
  }
  FirstSector = LittleEndian32(Head + 28);
  Sectors = LittleEndian32(Head + 32);
  if (Sectors == 0 || Sectors > MaxDiscSectors || FirstSector > MaxDiscSectors - Sectors)
    throw ECodecError("The file \"" + path + "\" names no track an audio CD can hold.");
  if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
    throw ECodecError("The CD track \"" + path + "\" is not on a drive.");
  Drive = char(std::toupper(static_cast<unsigned char>(path[0])));
  Device = SptiOpenDrive(Drive);
  if (Device == INVALID_HANDLE_VALUE)
    throw ECodecError(std::string("The CD drive ") + Drive + ": cannot be opened to read \"" + path + "\".");
  NextSector = FirstSector;
  // A drive without the disc says so now, before the editor takes the track.
  try {
    Fill();
  } catch (...) {
    SptiCloseDrive(Device);
    throw;
  }
}

TCdaDecoder::~TCdaDecoder() {
  if (Device != INVALID_HANDLE_VALUE) SptiCloseDrive(Device);
}

void TCdaDecoder::Fill() {
  const uint32_t Count = std::min(SectorsPerRead, FirstSector + Sectors - NextSector);
  Buffer.resize(size_t(Count) * CDAudioSectorSize);
  Used = 0;
  if (Count == 0) return;
  if (const DWORD Error = SptiReadAudioSectors(Device, NextSector, Count, Buffer.data())) {
    Buffer.clear();
    throw ECodecError(std::string("The audio CD in drive ") + Drive + ": cannot be read (track \"" + Path +
                      "\", sector " + std::to_string(NextSector) + "): " + SystemErrorText(Error) + ".");
  }
  NextSector += Count;
}

int64_t TCdaDecoder::Read(float* out, int64_t frames) {
  int64_t Done = 0;
  while (Done < frames) {
    if (Used == Buffer.size()) {
      Fill();
      if (Buffer.empty()) break;
    }
    const int64_t Take = std::min<int64_t>(frames - Done, int64_t(Buffer.size() - Used) / 4);
    const uint8_t* In = Buffer.data() + Used;
    for (int64_t I = 0; I < Take * 2; ++I)
      out[Done * 2 + I] = float(int16_t(In[2 * I] | In[2 * I + 1] << 8)) / 32768.0f;
    Done += Take;
    Used += size_t(Take) * 4;
  }
  return Done;
}
