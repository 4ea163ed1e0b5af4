#include "engine/AudioEditorEffects.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>

#include "engine/AudioEditorOperation.h"
#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"

namespace {

// A frame-local effect as the map of mapped blocks.
class TEffectMap : public TFrameMap {
 public:
  explicit TEffectMap(std::shared_ptr<dsp::TAudioEffect> effect) : Effect(std::move(effect)) {}
  bool IsMirrored() const override { return Effect->GetOrder() == dsp::TEffectOrder::Backward; }
  void Map(float* data, int frames, int64_t position) const override {
    std::lock_guard lock(Mutex);  // the effect keeps its place
    Effect->Seek(uint64_t(position));
    Effect->Apply(data, size_t(frames));
  }

 private:
  std::shared_ptr<dsp::TAudioEffect> Effect;
  mutable std::mutex Mutex;
};

// Reads through this many maps at most; a piece deeper than that is computed
// and stored instead.
constexpr int kMaxMapDepth = 4;

}  // namespace

TSampleSequence IAudioEditor2Effects::MapSelection(std::shared_ptr<dsp::TAudioEffect> effect, int64_t s, int64_t n,
                                                   const std::function<void(int64_t)>& progress) {
  const int ch = Editor.Audio.GetChannels();
  std::vector<TSampleSequence::TPiece> pieces = Editor.Audio.PiecesOf(s, n);
  const int64_t total = effect->NeedsAnalysis() ? 2 * n : n;
  int64_t done = 0;
  std::vector<float> frames;
  auto read = [&](const TSampleSequence::TPiece& p) {
    frames.resize(size_t(p.Count) * ch);
    p.Block->Read(p.Start, p.Count, frames.data());
  };
  auto advance = [&](const TSampleSequence::TPiece& p) {
    done += p.Count;
    progress(done * n / total);
  };
  if (effect->NeedsAnalysis()) {
    for (const TSampleSequence::TPiece& p : pieces) {
      read(p);
      effect->Analyze(frames.data(), size_t(p.Count));
      advance(p);
    }
  }
  auto map = std::make_shared<const TEffectMap>(std::move(effect));
  if (map->IsMirrored()) std::reverse(pieces.begin(), pieces.end());
  TSampleSequence result(ch);
  for (const TSampleSequence::TPiece& p : pieces) {
    if (p.Block->GetMapDepth() < kMaxMapDepth) {
      result.Append(TAudioBlock::MakeMapped(p.Block, p.Start, p.Count, map, result.GetLength()));
    } else {
      read(p);
      map->Map(frames.data(), p.Count, result.GetLength());
      result.Append(TAudioBlock::Make(frames.data(), p.Count, ch, Editor.WorkingFile()));
    }
    advance(p);
  }
  return result;
}

void IAudioEditor2Effects::Run(const std::function<TAudioEffects::TEffect(const TAudioEffects&)>& make) {
  Editor.CheckIdle();
  const int64_t s = Editor.GetSelStart(), n = Editor.GetSelEnd() - s;
  if (n <= 0) return;
  const int ch = Editor.Audio.GetChannels();
  TSampleSequence result;
  try {
    TAudioEffects effects(dsp::TAudioFormat{Editor.Rate, ch}, n);
    TAudioEffects::TEffect effect = make(effects);
    TAudioEditor2::TOperation op(Editor, n);
    if (effect->IsFrameLocal()) {
      // Nothing to store: the result reads through the effect.
      result = MapSelection(std::move(effect), s, n, [&](int64_t done) { op.Progress(done); });
    } else {
      TSequenceBuilder builder(ch, Editor.WorkingFile());
      TAudioEffectIo io;
      io.Read = [&](int64_t at, int64_t frames, float* dest) { Editor.Audio.Read(s + at, frames, dest); };
      io.Write = [&](const float* data, int64_t frames) { builder.Write(data, frames); };
      io.Progress = [&](int64_t done, int64_t total) { op.Progress(total > 0 ? done * n / total : n); };
      RunAudioEffect(*effect, n, io);
      result = builder.Finish();
    }
  } catch (const std::invalid_argument& e) {
    throw EAudioError(e.what());
  }
  Editor.ReplaceRange(s, n, result);
}

void IAudioEditor2Effects::Amplify(float percent) {
  Run([&](const TAudioEffects& fx) { return fx.Amplify(percent); });
}
void IAudioEditor2Effects::Normalize(float percent, int mode) {
  Run([&](const TAudioEffects& fx) { return fx.Normalize(percent, mode); });
}
void IAudioEditor2Effects::Compressor(float thresholdDb, float rate, float level) {
  Run([&](const TAudioEffects& fx) { return fx.Compressor(thresholdDb, rate, level); });
}
void IAudioEditor2Effects::HighPass(float hz, float level) {
  Run([&](const TAudioEffects& fx) { return fx.HighPass(hz, level); });
}
void IAudioEditor2Effects::Equalizer(const TSampleArray& gains, const TSampleArray& frequencies) {
  Run([&](const TAudioEffects& fx) { return fx.Equalizer(gains, frequencies); });
}
void IAudioEditor2Effects::Echo(float delayMs, float mix, float feedback) {
  Run([&](const TAudioEffects& fx) { return fx.Echo(delayMs, mix, feedback); });
}
void IAudioEditor2Effects::Reverb(float delay, float mix, float feedback, float gain, float frequency, int taps) {
  Run([&](const TAudioEffects& fx) { return fx.Reverb(delay, mix, feedback, gain, frequency, taps); });
}
void IAudioEditor2Effects::Fade(float fromPercent, float toPercent) {
  Run([&](const TAudioEffects& fx) { return fx.Fade(fromPercent, toPercent); });
}
void IAudioEditor2Effects::Envelope(const TSampleArray& gains) {
  Run([&](const TAudioEffects& fx) { return fx.Envelope(gains); });
}
void IAudioEditor2Effects::MixStereo(float ll, float lr, float rl, float rr) {
  Run([&](const TAudioEffects& fx) { return fx.MixStereo(ll, lr, rl, rr); });
}
void IAudioEditor2Effects::NoiseReduction(float thresholdDb, float rate, float rmsMs) {
  Run([&](const TAudioEffects& fx) { return fx.NoiseReduction(thresholdDb, rate, rmsMs); });
}
void IAudioEditor2Effects::SpeedChange(float percent) {
  Run([&](const TAudioEffects& fx) { return fx.SpeedChange(percent); });
}
void IAudioEditor2Effects::PitchChange(float percent) {
  Run([&](const TAudioEffects& fx) { return fx.PitchChange(percent); });
}
void IAudioEditor2Effects::Phaser(float delay, float mix, float feedback) {
  Run([&](const TAudioEffects& fx) { return fx.Phaser(delay, mix, feedback); });
}
void IAudioEditor2Effects::Flanger(float delayRate, float mix, float feedback, float sweepDepth, float sweepRate,
                                   float sweepPhase) {
  Run([&](const TAudioEffects& fx) {
    return fx.Flanger(delayRate, mix, feedback, sweepDepth, sweepRate, sweepPhase);
  });
}
void IAudioEditor2Effects::Chorus(float delayRate, float mix, float feedback, float sweepDepth, float sweepRate,
                                  float sweepPhase) {
  Run([&](const TAudioEffects& fx) { return fx.Chorus(delayRate, mix, feedback, sweepDepth, sweepRate, sweepPhase); });
}
void IAudioEditor2Effects::Reverse() {
  Run([](const TAudioEffects& fx) { return fx.Reverse(); });
}
void IAudioEditor2Effects::SilenceSelection() {
  Run([](const TAudioEffects& fx) { return fx.Silence(); });
}

void IAudioEditor2Effects::InsertSilence(double ms) {
  Editor.CheckIdle();
  int64_t n = Editor.MsToSamples(ms);
  if (n <= 0) return;
  TSequenceBuilder builder(Editor.Audio.GetChannels(), nullptr);
  builder.WriteSilence(n);
  Editor.InsertAtCursor(builder.Finish(), false);
}
