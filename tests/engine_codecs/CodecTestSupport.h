// Signals, files and measures shared by the codec tests.
#pragma once
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/codecs/CodecDecoder.h"
#include "engine/codecs/CodecTags.h"

// Interleaved frames: channel c holds a tone of hz[c] swelling between 0.1 and 0.5.
std::vector<float> Tones(int frames, int rate, const std::vector<double>& hz);

struct TDecoded {
  int Rate = 0, Channels = 0;
  int64_t Length = 0;  // as announced
  int BitRate = 0;
  TCodecTags Tags;
  std::vector<float> Samples;  // what Read delivered, interleaved
  int64_t Frames() const { return Channels ? int64_t(Samples.size()) / Channels : 0; }
};
TDecoded DecodeAll(const std::string& path);

// Best normalised correlation of channel c of b against a (its first 32768
// frames), over lags 0..maxLag of b (codecs add a delay at the start).
double Correlation(const std::vector<float>& a, int aChannels, const std::vector<float>& b, int bChannels, int c,
                   int maxLag);

// A fresh folder under the temporary folder, with a non-ASCII name, removed at the end.
class TTestFolder {
 public:
  TTestFolder();
  ~TTestFolder();
  std::string Path(const std::string& name) const { return Folder + "\\" + name; }
  std::vector<std::string> Names() const;

 private:
  std::string Folder;
};

bool FileExists(const std::string& path);
std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);

// What the MP3 frame headers of a file say (after its ID3v2 tag); the first
// frame, which may be the VBR header, is left out of the bit rates.
struct TMp3Frames {
  int Rate = 0, Mode = -1, Count = 0;
  bool Protected = false, AllProtected = true;
  bool Xing = false, Info = false;
  std::set<int> BitRates;
  double MeanKbps = 0;
};
TMp3Frames ScanMp3(const std::vector<unsigned char>& f);
