#include "engine/AudioEditorEffects.h"

#include <algorithm>

#include "engine/AudioEditorOperation.h"
#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"

namespace {

struct TFadeArgs {
  float From, To;
};

void FadeBlock(float* s, int64_t frames, int ch, int64_t at, int64_t total, const void* arg) {
  auto* a = static_cast<const TFadeArgs*>(arg);
  // Gain runs linearly from the first frame to the last of the selection.
  double span = total > 1 ? double(total - 1) : 1.0;
  for (int64_t f = 0; f < frames; ++f) {
    float g = float(a->From + (a->To - a->From) * (double(at + f) / span));
    for (int c = 0; c < ch; ++c) s[f * ch + c] *= g;
  }
}

void SilenceBlock(float* s, int64_t frames, int ch, int64_t, int64_t, const void*) {
  std::fill(s, s + frames * ch, 0.0f);
}

}  // namespace

void IAudioEditor2Effects::NotAvailable(const char* name) {
  throw EAudioError(std::string("The effect \"") + name + "\" is not available in this build.");
}

void IAudioEditor2Effects::Amplify(float) { NotAvailable("Amplify"); }
void IAudioEditor2Effects::Normalize(float, int) { NotAvailable("Normalize"); }
void IAudioEditor2Effects::Compressor(float, float, float) { NotAvailable("Dynamic Range Compressor"); }
void IAudioEditor2Effects::HighPass(float, float) { NotAvailable("High-Pass Filter"); }
void IAudioEditor2Effects::Equalizer(const TSampleArray&, const TSampleArray&) { NotAvailable("Equalizer"); }
void IAudioEditor2Effects::Echo(float, float, float) { NotAvailable("Echo"); }
void IAudioEditor2Effects::Reverb(float, float, float, float, float, int) { NotAvailable("Reverb"); }
void IAudioEditor2Effects::Envelope(const TSampleArray&) { NotAvailable("Envelope"); }
void IAudioEditor2Effects::MixStereo(float, float, float, float) { NotAvailable("Mix Stereo Channels"); }
void IAudioEditor2Effects::NoiseReduction(float, float, float) { NotAvailable("Noise Reduction"); }
void IAudioEditor2Effects::SpeedChange(float) { NotAvailable("Speed Change"); }
void IAudioEditor2Effects::PitchChange(float) { NotAvailable("Pitch Change"); }
void IAudioEditor2Effects::Phaser(float, float, float) { NotAvailable("Phaser"); }
void IAudioEditor2Effects::Flanger(float, float, float, float, float, float) { NotAvailable("Flanger"); }
void IAudioEditor2Effects::Chorus(float, float, float, float, float, float) { NotAvailable("Chorus"); }

void IAudioEditor2Effects::Fade(float fromPercent, float toPercent) {
  TFadeArgs a{fromPercent / 100.0f, toPercent / 100.0f};
  Editor.ProcessSelection(&FadeBlock, &a);
}

void IAudioEditor2Effects::SilenceSelection() { Editor.ProcessSelection(&SilenceBlock, nullptr); }

void IAudioEditor2Effects::Reverse() {
  Editor.CheckIdle();
  int64_t s = Editor.GetSelStart(), n = Editor.GetSelEnd() - s;
  if (n <= 0) return;
  const int ch = Editor.Audio.GetChannels();
  TSampleSequence reversed;
  {
    TAudioEditor2::TOperation op(Editor, n);
    TSequenceBuilder builder(ch, Editor.WorkingFile());
    std::vector<float> buf;
    for (int64_t done = 0; done < n;) {
      int64_t m = std::min<int64_t>(TAudioBlock::kFrames, n - done);
      buf.resize(size_t(m) * ch);
      Editor.Audio.Read(s + n - done - m, m, buf.data());
      for (int64_t a = 0, b = m - 1; a < b; ++a, --b)
        for (int c = 0; c < ch; ++c) std::swap(buf[a * ch + c], buf[b * ch + c]);
      builder.Write(buf.data(), m);
      done += m;
      op.Progress(done);
    }
    reversed = builder.Finish();
  }
  Editor.ReplaceRange(s, n, reversed);
}

void IAudioEditor2Effects::InsertSilence(double ms) {
  Editor.CheckIdle();
  int64_t n = Editor.MsToSamples(ms);
  if (n <= 0) return;
  TSequenceBuilder builder(Editor.Audio.GetChannels(), nullptr);
  builder.WriteSilence(n);
  Editor.InsertAtCursor(builder.Finish(), false);
}
