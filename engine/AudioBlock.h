// An immutable run of up to 64K frames, stored once in a working file and
// shared by every sequence, undo step and clipboard that holds it. Its min/max
// and energy summaries, whole and per 256 frames, stay in memory so that the
// waveform can be drawn without reading samples. A mapped block stores
// nothing: it computes its frames from a run of another block whenever they
// are read.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class TWorkingFile;

// A computation that makes each frame from its own source frame and its place
// alone, so that any run of frames can be computed by itself, again and in
// any order. A mirrored map also reverses the run: the frames it gets come
// from the mirror-image place of the source.
class TFrameMap {
 public:
  virtual ~TFrameMap() = default;
  virtual bool IsMirrored() const = 0;
  // Replaces frames (interleaved) by what they map to; the first of them
  // comes out at position.
  virtual void Map(float* data, int frames, int64_t position) const = 0;
};

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
  // Frames [start, start + count) of source through map, its first frame at
  // position; computed once now for the summaries. A silent result is a
  // silent block.
  static std::shared_ptr<const TAudioBlock> MakeMapped(std::shared_ptr<const TAudioBlock> source, int start,
                                                        int count, std::shared_ptr<const TFrameMap> map,
                                                        int64_t position);
  // How many maps a read of this block goes through.
  int GetMapDepth() const { return Depth; }
  ~TAudioBlock();

  int GetFrames() const { return Frames; }
  int GetChannels() const { return Channels; }
  // Copies frames [frame, frame + count) interleaved into out.
  void Read(int frame, int count, float* out) const;
  // Summary of channel ch over the granules that touch [frame, frame + count).
  TPeak Peak(int frame, int count, int ch) const;
  const TPeak& Whole(int ch) const { return WholePeak[ch]; }

 private:
  enum class TEncoding { Silent, Int16, Float32, Mapped };
  TAudioBlock() = default;
  std::shared_ptr<const std::vector<float>> Load() const;
  // Frames [frame, frame + count) from the working file, bypassing the cache.
  void ReadStored(int frame, int count, float* out) const;
  // Fills the summaries; true when every sample is 0. With pack, float
  // samples are also packed there as 16-bit values while every one so far is
  // exactly one; *fits tells whether all were.
  template <class T>
  bool Summarise(const T* samples, float scale, int16_t* pack = nullptr, bool* fits = nullptr);

  int Frames = 0;
  int Channels = 1;
  TEncoding Encoding = TEncoding::Silent;
  std::shared_ptr<TWorkingFile> File;
  uint64_t Offset = 0;
  std::shared_ptr<const TAudioBlock> Source;  // mapped blocks
  int SourceStart = 0;
  std::shared_ptr<const TFrameMap> FrameMap;
  int64_t Position = 0;  // of the first frame, for the map
  int Depth = 0;
  std::vector<TPeak> Granules;  // [granule * Channels + ch]
  TPeak WholePeak[2];
};

// Decoded block data kept in memory, least recently used first out.
void SetBlockCacheLimit(size_t bytes);
size_t GetBlockCacheBytes();
