// The test's own sound device: scripts/test gives executables named *_sound an
// ALSA configuration whose default playback device writes what Wine plays into
// played.wav, and whose capture reads capture.raw (32-bit stereo 44100 Hz), both
// in the folder SONVELT_SOUND_DIR names.
#pragma once
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sound_device {

inline std::string Folder() {
  const char* d = std::getenv("SONVELT_SOUND_DIR");
  return d ? d : "";
}

inline std::string PlayedFile() { return Folder() + "\\played.wav"; }
inline std::string CaptureFile() { return Folder() + "\\capture.raw"; }

struct TPlayed {
  bool Valid = false;
  int Rate = 0, Channels = 0, Bits = 0;
  std::vector<int16_t> Samples;  // interleaved, when Bits is 16
};

// Forgets what an earlier test played.
inline void Clear() { DeleteFileA(PlayedFile().c_str()); }

// Reads played.wav; the plugin writes the header sizes on close, so the data
// chunk is taken as running to the end of the file whatever its size says.
inline TPlayed ReadPlayed() {
  TPlayed p;
  std::ifstream f(PlayedFile(), std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) return p;
  auto u16 = [&](size_t at) { return uint16_t(b[at] | b[at + 1] << 8); };
  auto u32 = [&](size_t at) { return uint32_t(u16(at) | uint32_t(u16(at + 2)) << 16); };
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint32_t size = u32(at + 4);
    if (std::memcmp(&b[at], "fmt ", 4) == 0 && at + 24 <= b.size()) {
      p.Channels = u16(at + 10);
      p.Rate = int(u32(at + 12));
      p.Bits = u16(at + 22);
    } else if (std::memcmp(&b[at], "data", 4) == 0) {
      size_t n = (b.size() - at - 8) / 2;
      p.Samples.resize(n);
      std::memcpy(p.Samples.data(), &b[at + 8], n * 2);
      p.Valid = p.Bits == 16;
      return p;
    }
    at += 8 + size + (size & 1);
  }
  return p;
}

// Writes the capture input: interleaved stereo 32-bit samples at 44100 Hz.
inline void WriteCaptureInput(const std::vector<int32_t>& stereo) {
  std::ofstream f(CaptureFile(), std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(stereo.data()), std::streamsize(stereo.size() * 4));
}

// A stretch of capture input: a sine of Hz at Level (0 .. 1 of full scale) on the
// left, silence on the right.
struct TCaptureSegment {
  double Seconds;
  double Level;
  double Hz = 1000;
};

inline void WriteCaptureSegments(const std::vector<TCaptureSegment>& Segments) {
  std::vector<int32_t> S;
  for (const TCaptureSegment& G : Segments) {
    const int Frames = static_cast<int>(G.Seconds * 44100);
    for (int I = 0; I < Frames; ++I) {
      S.push_back(static_cast<int32_t>(std::lround(G.Level * 2147483647.0 * std::sin(2 * M_PI * G.Hz * I / 44100))));
      S.push_back(0);
    }
  }
  WriteCaptureInput(S);
}

}  // namespace sound_device
