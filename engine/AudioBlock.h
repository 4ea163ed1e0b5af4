// An immutable run of up to 64K frames, stored once in a working file and
// shared by every sequence, undo step and clipboard that holds it. Its min/max
// and energy summaries, whole and per 256 frames, stay in memory so that the
// waveform can be drawn without reading samples.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class TWorkingFile;

struct TPeak {
  float Min = 0;
  float Max = 0;
  double SumSq = 0;  // sum of squares, so that peaks of adjacent runs merge
  void Merge(const TPeak& o) {
    if (o.Min < Min) Min = o.Min;
    if (o.Max > Max) Max = o.Max;
    SumSq += o.SumSq;
  }
};

class TAudioBlock {
 public:
  static constexpr int kFrames = 65536;
  static constexpr int kGranule = 256;

  // Summarises and stores frames (interleaved); file empty: a silent block.
  static std::shared_ptr<const TAudioBlock> Make(const float* samples, int frames, int channels,
                                                  const std::shared_ptr<TWorkingFile>& file);
  // The same from 16-bit samples, stored as they are.
  static std::shared_ptr<const TAudioBlock> MakeInt16(const int16_t* samples, int frames, int channels,
                                                       const std::shared_ptr<TWorkingFile>& file);
  static std::shared_ptr<const TAudioBlock> MakeSilent(int frames, int channels);
  ~TAudioBlock();

  int GetFrames() const { return Frames; }
  int GetChannels() const { return Channels; }
  // Copies frames [frame, frame + count) interleaved into out.
  void Read(int frame, int count, float* out) const;
  // Summary of channel ch over the granules that touch [frame, frame + count).
  TPeak Peak(int frame, int count, int ch) const;
  const TPeak& Whole(int ch) const { return WholePeak[ch]; }

 private:
  enum class TEncoding { Silent, Int16, Float32 };
  TAudioBlock() = default;
  std::shared_ptr<const std::vector<float>> Load() const;
  // Frames [frame, frame + count) from the working file, bypassing the cache.
  void ReadStored(int frame, int count, float* out) const;
  // Fills the summaries; true when every sample is 0.
  template <class T>
  bool Summarise(const T* samples, float scale);

  int Frames = 0;
  int Channels = 1;
  TEncoding Encoding = TEncoding::Silent;
  std::shared_ptr<TWorkingFile> File;
  uint64_t Offset = 0;
  std::vector<TPeak> Granules;  // [granule * Channels + ch]
  TPeak WholePeak[2];
};

// Decoded block data kept in memory, least recently used first out.
void SetBlockCacheLimit(size_t bytes);
size_t GetBlockCacheBytes();
