#include "engine/SampleSequence.h"

#include <algorithm>

#include "engine/EngineError.h"

size_t TSampleSequence::Find(int64_t at) const {
  // Last piece whose start is <= at.
  auto it = std::upper_bound(Starts.begin(), Starts.end(), at);
  return size_t(it - Starts.begin()) - 1;
}

void TSampleSequence::Reindex(size_t from) {
  Starts.resize(Pieces.size());
  int64_t pos = from == 0 ? 0 : Starts[from - 1] + Pieces[from - 1].Count;
  for (size_t i = from; i < Pieces.size(); ++i) {
    Starts[i] = pos;
    pos += Pieces[i].Count;
  }
  Length = pos;
}

template <class F>
void TSampleSequence::ForEachPiece(int64_t start, int64_t count, F&& fn) const {
  if (start < 0 || count < 0 || start + count > Length) throw EAudioError("Audio range outside the document.");
  if (count == 0) return;
  size_t i = Find(start);
  for (int64_t done = 0; done < count; ++i) {
    const TPiece& p = Pieces[i];
    int64_t offset = start + done - Starts[i];
    int n = int(std::min<int64_t>(p.Count - offset, count - done));
    fn(p.Block, p.Start + int(offset), n, done);
    done += n;
  }
}

void TSampleSequence::Read(int64_t start, int64_t count, float* out) const {
  ForEachPiece(start, count, [&](const std::shared_ptr<const TAudioBlock>& b, int at, int n, int64_t done) {
    b->Read(at, n, out + done * Channels);
  });
}

TSampleArray TSampleSequence::Read(int64_t start, int64_t count) const {
  TSampleArray out(size_t(count) * Channels);
  Read(start, count, out.data());
  return out;
}

void TSampleSequence::AppendPiece(const TPiece& p) {
  if (p.Count <= 0) return;
  // Neighbouring parts of one block join again, so repeated edits stay compact.
  if (!Pieces.empty()) {
    TPiece& last = Pieces.back();
    if (last.Block == p.Block && last.Start + last.Count == p.Start) {
      last.Count += p.Count;
      Length += p.Count;
      return;
    }
  }
  Pieces.push_back(p);
  Starts.push_back(Length);
  Length += p.Count;
}

TSampleSequence TSampleSequence::Slice(std::shared_ptr<const TAudioBlock> block, int start, int count) {
  TSampleSequence out(block->GetChannels());
  out.AppendPiece({std::move(block), start, count});
  return out;
}

void TSampleSequence::Append(std::shared_ptr<const TAudioBlock> block) {
  if (block->GetChannels() != Channels) throw EAudioError("Block channel count does not match the document.");
  int n = block->GetFrames();
  AppendPiece({std::move(block), 0, n});
}

TSampleSequence TSampleSequence::Copy(int64_t start, int64_t count) const {
  TSampleSequence out(Channels);
  for (const TPiece& p : PiecesOf(start, count)) out.AppendPiece(p);
  return out;
}

std::vector<TSampleSequence::TPiece> TSampleSequence::PiecesOf(int64_t start, int64_t count) const {
  std::vector<TPiece> out;
  ForEachPiece(start, count, [&](const std::shared_ptr<const TAudioBlock>& b, int at, int n, int64_t) {
    out.push_back({b, at, n});
  });
  return out;
}

size_t TSampleSequence::Split(int64_t at) {
  if (at >= Length) return Pieces.size();
  size_t i = Find(at);
  int64_t offset = at - Starts[i];
  if (offset == 0) return i;
  TPiece tail = Pieces[i];
  tail.Start += int(offset);
  tail.Count -= int(offset);
  Pieces[i].Count = int(offset);
  Pieces.insert(Pieces.begin() + i + 1, tail);
  Starts.insert(Starts.begin() + i + 1, at);
  return i + 1;
}

void TSampleSequence::Insert(int64_t at, const TSampleSequence& other) {
  if (other.Channels != Channels) throw EAudioError("Channel counts differ.");
  if (at < 0 || at > Length) throw EAudioError("Insert position outside the document.");
  if (other.Length == 0) return;
  size_t i = Split(at);
  Pieces.insert(Pieces.begin() + i, other.Pieces.begin(), other.Pieces.end());
  Reindex(i);
}

void TSampleSequence::Delete(int64_t start, int64_t count) {
  if (start < 0 || count < 0 || start + count > Length) throw EAudioError("Audio range outside the document.");
  if (count == 0) return;
  size_t a = Split(start);
  size_t b = Split(start + count);
  Pieces.erase(Pieces.begin() + a, Pieces.begin() + b);
  Reindex(a);
}

TPeak TSampleSequence::Peak(int64_t start, int64_t count, int ch) const {
  start = std::max<int64_t>(0, start);
  count = std::min(count, Length - start);
  TPeak out;
  if (count <= 0) return out;
  ForEachPiece(start, count, [&](const std::shared_ptr<const TAudioBlock>& b, int at, int n, int64_t done) {
    TPeak q = b->Peak(at, n, ch);
    if (done == 0) out = q;
    else out.Merge(q);
  });
  return out;
}

TSequenceBuilder::TSequenceBuilder(int channels, std::shared_ptr<TWorkingFile> file)
    : Channels(channels), File(std::move(file)), Result(channels) {
  Pending.reserve(size_t(TAudioBlock::kFrames) * channels);
}

void TSequenceBuilder::Flush() {
  if (Pending.empty()) return;
  Result.Append(TAudioBlock::Make(Pending.data(), int(Pending.size() / Channels), Channels, File));
  Pending.clear();
}

void TSequenceBuilder::Write(const float* samples, int64_t frames) {
  size_t full = size_t(TAudioBlock::kFrames) * Channels;
  size_t n = size_t(frames) * Channels;
  // Whole blocks go straight from the caller's buffer.
  while (Pending.empty() && n >= full) {
    Result.Append(TAudioBlock::Make(samples, TAudioBlock::kFrames, Channels, File));
    samples += full;
    n -= full;
  }
  while (n > 0) {
    size_t take = std::min(n, full - Pending.size());
    Pending.insert(Pending.end(), samples, samples + take);
    samples += take;
    n -= take;
    if (Pending.size() == full) Flush();
  }
}

void TSequenceBuilder::WriteInt16(const int16_t* samples, int64_t frames) {
  const size_t full = size_t(TAudioBlock::kFrames) * Channels;
  size_t n = size_t(frames) * Channels;
  while (Pending.empty() && n >= full) {
    Result.Append(TAudioBlock::MakeInt16(samples, TAudioBlock::kFrames, Channels, File));
    samples += full;
    n -= full;
  }
  std::vector<float> rest(n);
  for (size_t i = 0; i < n; ++i) rest[i] = samples[i] * (1.0f / 32768.0f);
  Write(rest.data(), int64_t(n / Channels));
}

void TSequenceBuilder::WriteSilence(int64_t frames) {
  Flush();
  // One silent block serves every stretch of silence of its channel count.
  static const std::shared_ptr<const TAudioBlock> silent[2] = {TAudioBlock::MakeSilent(TAudioBlock::kFrames, 1),
                                                               TAudioBlock::MakeSilent(TAudioBlock::kFrames, 2)};
  while (frames > 0) {
    int n = int(std::min<int64_t>(frames, TAudioBlock::kFrames));
    Result.Insert(Result.GetLength(), TSampleSequence::Slice(silent[Channels - 1], 0, n));
    frames -= n;
  }
}

TSampleSequence TSequenceBuilder::Finish() {
  Flush();
  return std::move(Result);
}
