#include "engine/TAudioEditor2.h"

#include <algorithm>
#include <cmath>

#include "engine/AudioDecoder.h"
#include "engine/AudioEncoder.h"
#include "engine/AudioEditorOperation.h"
#include "engine/AudioEditorPainter.h"
#include "engine/EngineError.h"
#include "engine/OffscreenPaint.h"
#include "engine/FormatConverter.h"
#include "engine/WavFile.h"
#include "engine/WorkingFile.h"

namespace {

void CheckFormat(int rate, int channels) {
  if (rate < 1000 || rate > 384000) throw EAudioError("Unsupported sample rate " + std::to_string(rate) + " Hz.");
  if (channels < 1 || channels > 2) throw EAudioError("Only mono and stereo audio is supported.");
}

// Read size of the streaming loops: one block.
constexpr int64_t kChunk = TAudioBlock::kFrames;

}  // namespace

TAudioEditor2::TAudioEditor2(TComponent* AOwner) : TCustomControl(AOwner) {
  TControlStyle style = GetControlStyle();
  style += csOpaque;  // the whole client area is painted
  style += csCaptureMouse;
  style += csClickEvents;
  style += csDoubleClicks;
  SetControlStyle(style);
  SetBounds(0, 0, 400, 150);
  Playback.OnTick = TDelegate<void()>(this, &TAudioEditor2::PlaybackTick);
  Playback.OnFinished = TDelegate<void()>(this, &TAudioEditor2::PlaybackFinished);
}

TAudioEditor2::~TAudioEditor2() { Playback.Stop(); }

void TAudioEditor2::CheckIdle() const {
  if (Busy) throw EAudioError("The editor is busy with another operation.");
}

void TAudioEditor2::RequireIdle() { CheckIdle(); }

std::shared_ptr<TWorkingFile> TAudioEditor2::WorkingFile() {
  if (!File) File = TWorkingFile::Create(TempDirectory);
  return File;
}

void TAudioEditor2::SetTempDirectory(const std::string& folder) {
  if (folder == TempDirectory) return;
  // Blocks already stored stay where they are; new ones go to the new folder.
  TempDirectory = folder;
  File.reset();
}

void TAudioEditor2::SetTypeBorder(int value) {
  TypeBorder = value;
  RefreshView();
}

void TAudioEditor2::Changed() {
  RefreshView();
  OnChangePosition(this);
}

// ---- documents ----

void TAudioEditor2::NewAudioFile(int rate, int channels) {
  CheckIdle();
  CheckFormat(rate, channels);
  StopPlayback();
  TakeDocument(TSampleSequence(channels), rate, {});
}

void TAudioEditor2::TakeDocument(TSampleSequence&& audio, int rate, const TAudioTags& tags) {
  Audio = std::move(audio);
  Rate = rate;
  Tags = tags;
  MarkerList.clear();
  CurrentMarker = -1;
  UndoSteps.clear();
  RedoSteps.clear();
  SelStart = SelEnd = Cursor = 0;
  SelActive = false;
  ViewStart = 0;
  ViewEnd = Audio.GetLength();
  Changed();
}

TSampleSequence TAudioEditor2::ConvertStream(const TPull& pull, int inRate, int inCh, int64_t total, int rate,
                                             int ch, TOperation* op) {
  TFormatConverter conv(inRate, inCh, rate, ch);
  TSequenceBuilder builder(ch, WorkingFile());
  std::vector<float> in(size_t(kChunk) * inCh), out;
  int64_t done = 0;
  while (int64_t n = pull(in.data(), kChunk)) {
    if (conv.IsIdentity()) {
      builder.Write(in.data(), n);
    } else {
      out.clear();
      conv.Process(in.data(), n, out);
      builder.Write(out.data(), int64_t(out.size() / ch));
    }
    done += n;
    if (op) op->Progress(std::min(done, total));
  }
  out.clear();
  conv.Finish(out);
  builder.Write(out.data(), int64_t(out.size() / ch));
  return builder.Finish();
}

TSampleSequence TAudioEditor2::ReadConverted(TAudioDecoder& decoder, int rate, int ch, TOperation& op) {
  if (decoder.ReadsInt16() && decoder.GetRate() == rate && decoder.GetChannels() == ch) {
    TSequenceBuilder builder(ch, WorkingFile());
    std::vector<int16_t> in(size_t(kChunk) * ch);
    int64_t done = 0, total = decoder.GetLengthFrames();
    while (int64_t n = decoder.ReadInt16(in.data(), kChunk)) {
      builder.WriteInt16(in.data(), n);
      done += n;
      op.Progress(std::min(done, total));
    }
    return builder.Finish();
  }
  return ConvertStream([&](float* out, int64_t n) { return decoder.Read(out, n); }, decoder.GetRate(),
                       decoder.GetChannels(), decoder.GetLengthFrames(), rate, ch, &op);
}

TSampleSequence TAudioEditor2::Converted(const TSampleSequence& audio, int fromRate, int rate, int ch,
                                         TOperation* op) {
  if (fromRate == rate && audio.GetChannels() == ch) return audio;
  int64_t at = 0;
  auto pull = [&](float* out, int64_t n) {
    n = std::min(n, audio.GetLength() - at);
    audio.Read(at, n, out);
    at += n;
    return n;
  };
  return ConvertStream(pull, fromRate, audio.GetChannels(), audio.GetLength(), rate, ch, op);
}

void TAudioEditor2::OpenAudioFile(const std::string& path, int) {
  CheckIdle();
  std::unique_ptr<TAudioDecoder> decoder = OpenAudioDecoder(path);
  CheckFormat(decoder->GetRate(), decoder->GetChannels());
  StopPlayback();
  TSampleSequence audio;
  {
    TOperation op(*this, decoder->GetLengthFrames());
    // The document takes over the file's own format.
    audio = ReadConverted(*decoder, decoder->GetRate(), decoder->GetChannels(), op);
  }
  TakeDocument(std::move(audio), decoder->GetRate(), decoder->GetTags());
}

void TAudioEditor2::SaveAudioFile(const std::string& path, bool selectionOnly, int format) {
  CheckIdle();
  TAudioOutputFormat output = OutputFormatForCode(FileFormat.GetFormat(), format);
  int64_t start = 0, count = Audio.GetLength();
  if (selectionOnly) {
    start = GetSelStart();
    count = GetSelEnd() - start;
    if (count <= 0) throw EAudioError("Nothing is selected to save.");
  }
  const int ch = Audio.GetChannels();
  TOperation op(*this, count);
  std::unique_ptr<TAudioEncoder> encoder = CreateAudioEncoder(path, output, Rate, ch, Tags);
  // Piece by piece (a piece is at most one block): a read of part of a block
  // would bring the whole of it into the cache.
  std::vector<float> buf(size_t(TAudioBlock::kFrames) * ch);
  int64_t done = 0;
  for (const TSampleSequence::TPiece& p : Audio.PiecesOf(start, count)) {
    p.Block->Read(p.Start, p.Count, buf.data());
    encoder->Write(buf.data(), p.Count);
    done += p.Count;
    op.Progress(done);
  }
  encoder->Finish();
}

void TAudioEditor2::InsertFile(const std::string& path) {
  CheckIdle();
  std::unique_ptr<TAudioDecoder> decoder = OpenAudioDecoder(path);
  CheckFormat(decoder->GetRate(), decoder->GetChannels());
  TSampleSequence audio;
  {
    TOperation op(*this, decoder->GetLengthFrames());
    audio = ReadConverted(*decoder, Rate, Audio.GetChannels(), op);
  }
  InsertAtCursor(audio, true);
}

void TAudioEditor2::ConvertFormat(int rate, int channels) {
  CheckIdle();
  CheckFormat(rate, channels);
  if (rate == Rate && channels == Audio.GetChannels()) return;
  TSampleSequence audio;
  {
    TOperation op(*this, Audio.GetLength());
    audio = Converted(Audio, Rate, rate, channels, &op);
  }
  RememberForUndo();
  StopPlayback();
  auto scale = [&](int64_t x) { return int64_t(std::llround(double(x) * rate / Rate)); };
  ScaleMarkers(MarkerList, Rate, rate);
  SelStart = scale(SelStart);
  SelEnd = scale(SelEnd);
  Cursor = scale(Cursor);
  ViewStart = scale(ViewStart);
  ViewEnd = scale(ViewEnd);
  int64_t oldLength = scale(Audio.GetLength());
  Rate = rate;
  Audio = std::move(audio);
  KeepViewInside(oldLength);
  Changed();
}

// ---- positions ----

int64_t TAudioEditor2::Clamp(int64_t x) const { return std::clamp<int64_t>(x, 0, Audio.GetLength()); }

int TAudioEditor2::GetSelStart() const { return int(SelActive ? SelStart : GetCursor()); }
int TAudioEditor2::GetSelEnd() const { return int(SelActive ? SelEnd : GetCursor()); }

int TAudioEditor2::GetCursor() const {
  return int(PlayState == psIdle ? Cursor : PlayPosition);
}

void TAudioEditor2::SetSelection(int64_t start, int64_t end) {
  if (start == SelStart && end == SelEnd) return;
  SelStart = start;
  SelEnd = end;
  if (SelActive) Changed();
}

// Moving one end past the other drags the other along.
void TAudioEditor2::SetSelStart(int value) {
  int64_t v = Clamp(value);
  SetSelection(v, std::max(SelEnd, v));
}

void TAudioEditor2::SetSelEnd(int value) {
  int64_t v = Clamp(value);
  SetSelection(std::min(SelStart, v), v);
}

void TAudioEditor2::SetSelectionActive(bool value) {
  if (value == SelActive) return;
  SelActive = value;
  // A hidden selection is no selection: it shrinks to the cursor.
  SelStart = SelEnd = Cursor;
  Changed();
}

void TAudioEditor2::SetCursor(int value) {
  int64_t v = Clamp(value);
  if (v == Cursor) return;
  Cursor = v;
  // Moved while playing: playback ends here rather than where it began.
  if (PlayState == psIdle) PlayPosition = v;
  else PlayStartCursor = v;
  Changed();
}

void TAudioEditor2::SetViewStart(int value) {
  int64_t v = Clamp(value);
  if (v == ViewStart) return;
  ViewStart = v;
  if (ViewEnd < ViewStart) ViewEnd = ViewStart;
  Changed();
}

void TAudioEditor2::SetViewEnd(int value) {
  int64_t v = Clamp(value);
  if (v == ViewEnd) return;
  ViewEnd = v;
  if (ViewStart > ViewEnd) ViewStart = ViewEnd;
  Changed();
}

int TAudioEditor2::MsToSamples(double ms) const { return int(std::llround(ms * Rate / 1000.0)); }

void TAudioEditor2::KeepViewInside(int64_t oldLength) {
  const int64_t length = Audio.GetLength();
  if (ViewStart == 0 && ViewEnd >= oldLength) {
    ViewEnd = length;  // a full view stays full
  } else {
    ViewEnd = std::min(ViewEnd, length);
    ViewStart = std::min(ViewStart, ViewEnd);
  }
  SelStart = Clamp(SelStart);
  SelEnd = Clamp(SelEnd);
  Cursor = Clamp(Cursor);
}

// ---- view ----

void TAudioEditor2::ZoomToRange(int start, int end) {
  int64_t a = Clamp(std::min(start, end)), b = Clamp(std::max(start, end));
  if (b - a < 2 && Audio.GetLength() >= 2) {
    // Never narrower than two frames, so that a zoom can always widen again.
    b = std::min<int64_t>(Audio.GetLength(), a + 2);
    a = b - 2;
  }
  if (a == ViewStart && b == ViewEnd) return;
  ViewStart = a;
  ViewEnd = b;
  Changed();
}

void TAudioEditor2::ZoomToSelection() {
  if (GetSelEnd() > GetSelStart()) ZoomToRange(GetSelStart(), GetSelEnd());
}

void TAudioEditor2::ZoomOut() {
  int64_t w = std::max<int64_t>(ViewEnd - ViewStart, 1);
  int64_t a = ViewStart - w / 2, b = ViewEnd + (w - w / 2);
  if (a < 0) b -= a, a = 0;
  b = std::min(b, Audio.GetLength());
  ZoomToRange(int(a), int(b));
}

void TAudioEditor2::ZoomFull() { ZoomToRange(0, int(Audio.GetLength())); }

void TAudioEditor2::RefreshView() { Invalidate(); }

void TAudioEditor2::PaintTo(HDC dc, int width, int height) const { PaintAudioEditor(*this, dc, width, height); }

void TAudioEditor2::Paint() {
  const RECT rc = GetClientRect();
  // Drawn off screen first, so that the play cursor does not flicker.
  PaintOffscreen(GetCanvas()->GetHandle(), rc.right, rc.bottom, [&](HDC mem) { PaintTo(mem, rc.right, rc.bottom); });
}
