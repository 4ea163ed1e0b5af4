// A document's audio: an ordered list of references into shared immutable
// blocks. Cutting, pasting and undoing copy references, never samples.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/AudioBlock.h"
#include "engine/SampleArray.h"

class TWorkingFile;

class TSampleSequence {
 public:
  explicit TSampleSequence(int channels = 1) : Channels(channels) {}

  int GetChannels() const { return Channels; }
  int64_t GetLength() const { return Length; }
  size_t GetPieceCount() const { return Pieces.size(); }

  // Frames [start, start + count), interleaved; the range must lie inside.
  void Read(int64_t start, int64_t count, float* out) const;
  TSampleArray Read(int64_t start, int64_t count) const;
  TSampleSequence Copy(int64_t start, int64_t count) const;
  void Insert(int64_t at, const TSampleSequence& other);
  void Delete(int64_t start, int64_t count);
  void Append(std::shared_ptr<const TAudioBlock> block);
  static TSampleSequence Slice(std::shared_ptr<const TAudioBlock> block, int start, int count);
  // Channel ch over [start, start + count) from the summaries alone; the
  // edges are widened to whole 256-frame granules.
  TPeak Peak(int64_t start, int64_t count, int ch) const;

  struct TPiece {
    std::shared_ptr<const TAudioBlock> Block;
    int Start;  // first frame used in the block
    int Count;
  };
  // The runs of blocks that make up [start, start + count), in order.
  std::vector<TPiece> PiecesOf(int64_t start, int64_t count) const;

 private:
  void AppendPiece(const TPiece& p);
  size_t Split(int64_t at);  // index of the piece that begins at 'at'
  size_t Find(int64_t at) const;
  // fn(block, first frame in it, frames, frames done before) for each piece
  // of the range, in order.
  template <class F>
  void ForEachPiece(int64_t start, int64_t count, F&& fn) const;
  void Reindex(size_t from);

  int Channels;
  int64_t Length = 0;
  std::vector<TPiece> Pieces;
  std::vector<int64_t> Starts;  // frame where each piece begins
};

// Turns a stream of interleaved frames into blocks of a sequence.
class TSequenceBuilder {
 public:
  TSequenceBuilder(int channels, std::shared_ptr<TWorkingFile> file);
  void Write(const float* samples, int64_t frames);
  // 16-bit samples: whole blocks are stored without a float round trip.
  void WriteInt16(const int16_t* samples, int64_t frames);
  void WriteSilence(int64_t frames);
  TSampleSequence Finish();

 private:
  void Flush();
  int Channels;
  std::shared_ptr<TWorkingFile> File;
  std::vector<float> Pending;
  TSampleSequence Result;
};
