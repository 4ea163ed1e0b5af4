// The editor's edit operations, undo history and clipboard traffic.
#include <algorithm>
#include <cstring>

#include "engine/AudioClipboard.h"
#include "engine/AudioDecoder.h"
#include "engine/AudioEditorOperation.h"
#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"

namespace {

constexpr size_t kUndoLimit = 100;
constexpr int64_t kChunk = TAudioBlock::kFrames;

}  // namespace

TAudioEditor2::TState TAudioEditor2::Snapshot() const {
  return TState{Audio, MarkerList, Rate, SelStart, SelEnd, Cursor, SelActive};
}

void TAudioEditor2::Restore(TState&& s) {
  StopPlayback();
  int64_t oldLength = Audio.GetLength();
  Audio = std::move(s.Audio);
  MarkerList = std::move(s.Markers);
  if (CurrentMarker >= int(MarkerList.size())) CurrentMarker = int(MarkerList.size()) - 1;
  Rate = s.Rate;
  SelStart = s.SelStart;
  SelEnd = s.SelEnd;
  Cursor = s.Cursor;
  SelActive = s.SelActive;
  KeepViewInside(oldLength);
  Changed();
}

void TAudioEditor2::RememberForUndo() {
  if (CompoundDepth > 0) {
    if (CompoundRemembered) return;
    CompoundRemembered = true;
  }
  UndoSteps.push_back(Snapshot());
  if (UndoSteps.size() > kUndoLimit) UndoSteps.erase(UndoSteps.begin());
  RedoSteps.clear();
}

void TAudioEditor2::Undo() { StepBack(UndoSteps, RedoSteps); }

void TAudioEditor2::Redo() { StepBack(RedoSteps, UndoSteps); }

void TAudioEditor2::StepBack(std::vector<TState>& from, std::vector<TState>& to) {
  CheckIdle();
  if (from.empty()) return;
  to.push_back(Snapshot());
  TState s = std::move(from.back());
  from.pop_back();
  Restore(std::move(s));
}

void TAudioEditor2::BeginCompoundEdit() {
  if (CompoundDepth++ == 0) CompoundRemembered = false;
}

void TAudioEditor2::EndCompoundEdit() {
  if (CompoundDepth > 0 && --CompoundDepth == 0) CompoundRemembered = false;
}

void TAudioEditor2::Replace(TSampleSequence&& audio) {
  StopPlayback();
  int64_t oldLength = Audio.GetLength();
  Audio = std::move(audio);
  KeepViewInside(oldLength);
  Changed();
}

void TAudioEditor2::ReplaceRange(int64_t start, int64_t count, const TSampleSequence& with) {
  TSampleSequence next = Audio;
  next.Delete(start, count);
  next.Insert(start, with);
  RememberForUndo();
  const int64_t n = with.GetLength();
  if (n != count) {
    // A new length (a speed change) moves what follows; a selection of the
    // range keeps covering it.
    ShiftMarkersForDelete(MarkerList, start, count);
    ShiftMarkersForInsert(MarkerList, start, n);
    if (SelStart == start && SelEnd == start + count) SelEnd = start + n;
  }
  Replace(std::move(next));
}

void TAudioEditor2::CopySelection() {
  CheckIdle();
  TAudioClipboard& clip = AudioClipboard();
  clip.Audio = Audio.Copy(GetSelStart(), GetSelEnd() - GetSelStart());
  clip.Rate = Rate;
  clip.HasData = true;
}

void TAudioEditor2::DeleteSelection() {
  CheckIdle();
  int64_t s = GetSelStart(), n = GetSelEnd() - s;
  if (n <= 0) return;
  TSampleSequence next = Audio;
  next.Delete(s, n);
  RememberForUndo();
  ShiftMarkersForDelete(MarkerList, s, n);
  SelStart = SelEnd = Cursor = s;
  Replace(std::move(next));
}

void TAudioEditor2::CutSelection() {
  CopySelection();
  DeleteSelection();
}

void TAudioEditor2::InsertAtCursor(const TSampleSequence& audio, bool select) {
  int64_t at = Cursor, n = audio.GetLength();
  if (n == 0) return;
  TSampleSequence next = Audio;
  next.Insert(at, audio);
  RememberForUndo();
  ShiftMarkersForInsert(MarkerList, at, n);
  if (select) {
    SelActive = true;
    SelStart = at;
    SelEnd = at + n;
  } else {
    // Keep a selection over the same audio when the insertion lies before it.
    if (SelStart > at) SelStart += n;
    if (SelEnd > at) SelEnd += n;
  }
  Replace(std::move(next));
}

void TAudioEditor2::PasteClipboard() {
  CheckIdle();
  const TAudioClipboard& clip = AudioClipboard();
  if (!clip.HasData) return;
  TSampleSequence audio;
  {
    TOperation op(*this, clip.Audio.GetLength());
    audio = Converted(clip.Audio, clip.Rate, Rate, Audio.GetChannels(), &op);
  }
  InsertAtCursor(audio, true);
}

TSampleArray TAudioEditor2::GetSamples(int count) const { return GetSamplesAt(GetSelStart(), count); }

TSampleArray TAudioEditor2::GetSamplesAt(int64_t position, int count) const {
  const int64_t s = std::clamp<int64_t>(position, 0, Audio.GetLength());
  return Audio.Read(s, std::clamp<int64_t>(count, 0, Audio.GetLength() - s));
}

void TAudioEditor2::InsertSamples(const TSampleArray& samples) {
  CheckIdle();
  const int ch = Audio.GetChannels();
  if (samples.size() % ch) throw EAudioError("The sample array does not hold whole frames.");
  TSequenceBuilder builder(ch, WorkingFile());
  builder.Write(samples.data(), int64_t(samples.size() / ch));
  InsertAtCursor(builder.Finish(), false);
}

TSampleSequence TAudioEditor2::Mixed(int64_t start, int64_t count, const TSampleSequence& other, float ownGain,
                                     float otherGain, TOperation& op) {
  const int ch = Audio.GetChannels();
  TSequenceBuilder builder(ch, WorkingFile());
  std::vector<float> own, add;
  for (int64_t done = 0; done < count;) {
    int64_t n = std::min(kChunk, count - done);
    own.resize(size_t(n) * ch);
    Audio.Read(start + done, n, own.data());
    int64_t m = std::clamp<int64_t>(other.GetLength() - done, 0, n);
    add.assign(size_t(n) * ch, 0.0f);
    if (m > 0) other.Read(done, m, add.data());
    for (size_t i = 0; i < own.size(); ++i) own[i] = own[i] * ownGain + add[i] * otherGain;
    builder.Write(own.data(), n);
    done += n;
    op.Progress(done);
  }
  return builder.Finish();
}

void TAudioEditor2::MixIn(const TSampleSequence& source, float ownPercent, float otherPercent) {
  int64_t s = GetSelStart(), n = GetSelEnd() - s;
  if (n <= 0) n = source.GetLength();
  if (n <= 0) return;
  TSampleSequence next = Audio;
  int64_t missing = s + n - Audio.GetLength();
  if (missing > 0) {
    // Mixing past the end lengthens the document with silence first.
    TSequenceBuilder pad(Audio.GetChannels(), WorkingFile());
    pad.WriteSilence(missing);
    next.Insert(next.GetLength(), pad.Finish());
  }
  TSampleSequence mixed;
  {
    std::swap(Audio, next);  // Mixed reads the lengthened audio
    try {
      TOperation op(*this, n);
      mixed = Mixed(s, n, source, ownPercent / 100.0f, otherPercent / 100.0f, op);
    } catch (...) {
      std::swap(Audio, next);
      throw;
    }
    std::swap(Audio, next);
  }
  next.Delete(s, n);
  next.Insert(s, mixed);
  RememberForUndo();
  Replace(std::move(next));
}

void TAudioEditor2::PasteMix(float selectionPercent, float clipboardPercent) {
  CheckIdle();
  const TAudioClipboard& clip = AudioClipboard();
  if (!clip.HasData) return;
  TSampleSequence source;
  {
    TOperation op(*this, clip.Audio.GetLength());
    source = Converted(clip.Audio, clip.Rate, Rate, Audio.GetChannels(), &op);
  }
  MixIn(source, selectionPercent, clipboardPercent);
}

void TAudioEditor2::MixFile(float selectionPercent, const std::string& path, float filePercent) {
  CheckIdle();
  std::unique_ptr<TAudioDecoder> decoder = OpenAudioDecoder(path);
  TSampleSequence source;
  {
    TOperation op(*this, decoder->GetLengthFrames());
    source = ReadConverted(*decoder, Rate, Audio.GetChannels(), op);
  }
  MixIn(source, selectionPercent, filePercent);
}
