#include "engine/AudioEffects.h"

#include <algorithm>

#include "engine/dsp/Amplify.h"
#include "engine/dsp/Compressor.h"
#include "engine/dsp/Echo.h"
#include "engine/dsp/Envelope.h"
#include "engine/dsp/Equalizer.h"
#include "engine/dsp/Fade.h"
#include "engine/dsp/HighPass.h"
#include "engine/dsp/MixStereo.h"
#include "engine/dsp/ModulatedDelay.h"
#include "engine/dsp/NoiseReduction.h"
#include "engine/dsp/Normalize.h"
#include "engine/dsp/Phaser.h"
#include "engine/dsp/PitchChange.h"
#include "engine/dsp/Reverb.h"
#include "engine/dsp/Reverse.h"
#include "engine/dsp/Silence.h"
#include "engine/dsp/SpeedChange.h"

using namespace dsp;

TAudioEffects::TAudioEffects(TAudioFormat format, std::int64_t selectionFrames)
    : FFormat(format), FFrames(selectionFrames > 0 ? static_cast<std::uint64_t>(selectionFrames) : 0) {}

TAudioEffects::TEffect TAudioEffects::Amplify(float Percent) const { return std::make_unique<TAmplify>(FFormat, Percent); }

TAudioEffects::TEffect TAudioEffects::Normalize(float PeakPercent, int Channel) const {
  return std::make_unique<TNormalize>(FFormat, PeakPercent, Channel);
}

TAudioEffects::TEffect TAudioEffects::Compressor(float ThresholdDb, float RatePercent, float MixPercent) const {
  return std::make_unique<TCompressor>(FFormat, ThresholdDb, RatePercent, MixPercent);
}

TAudioEffects::TEffect TAudioEffects::HighPass(float Frequency, float MixPercent) const {
  return std::make_unique<THighPass>(FFormat, Frequency, MixPercent);
}

TAudioEffects::TEffect TAudioEffects::Equalizer(const std::vector<float> &Gains,
                                                const std::vector<float> &Frequencies) const {
  return std::make_unique<TEqualizer>(FFormat, Gains, Frequencies);
}

TAudioEffects::TEffect TAudioEffects::Echo(float DelayMs, float MixPercent, float FeedbackPercent) const {
  return std::make_unique<TEcho>(FFormat, DelayMs, MixPercent, FeedbackPercent);
}

TAudioEffects::TEffect TAudioEffects::Reverb(float DelayMs, float MixPercent, float FeedbackPercent,
                                             float ReverbGainPercent, float Frequency, int Taps) const {
  return std::make_unique<TReverb>(FFormat, DelayMs, MixPercent, FeedbackPercent, ReverbGainPercent, Frequency, Taps);
}

TAudioEffects::TEffect TAudioEffects::Fade(float FromPercent, float ToPercent) const {
  return std::make_unique<TFade>(FFormat, FromPercent, ToPercent, FFrames);
}

TAudioEffects::TEffect TAudioEffects::Envelope(const std::vector<float> &Gains) const {
  return std::make_unique<TEnvelope>(FFormat, Gains, FFrames);
}

TAudioEffects::TEffect TAudioEffects::MixStereo(float LL, float LR, float RL, float RR) const {
  return std::make_unique<TMixStereo>(FFormat, LL, LR, RL, RR);
}

TAudioEffects::TEffect TAudioEffects::NoiseReduction(float ThresholdDb, float RatePercent, float RmsMs) const {
  return std::make_unique<TNoiseReduction>(FFormat, ThresholdDb, RatePercent, RmsMs);
}

TAudioEffects::TEffect TAudioEffects::SpeedChange(float Percent) const {
  return std::make_unique<TSpeedChange>(FFormat, Percent);
}

TAudioEffects::TEffect TAudioEffects::PitchChange(float Percent) const {
  return std::make_unique<TPitchChange>(FFormat, Percent);
}

TAudioEffects::TEffect TAudioEffects::Phaser(float DelayMs, float MixPercent, float FeedbackPercent) const {
  return std::make_unique<TPhaser>(FFormat, DelayMs, MixPercent, FeedbackPercent);
}

TAudioEffects::TEffect TAudioEffects::Flanger(float DelayRate, float MixPercent, float FeedbackPercent,
                                              float SweepDepth, float SweepRate, float SweepPhase) const {
  return std::make_unique<TFlanger>(FFormat, DelayRate, MixPercent, FeedbackPercent, SweepDepth, SweepRate,
                                    SweepPhase);
}

TAudioEffects::TEffect TAudioEffects::Chorus(float DelayRate, float MixPercent, float FeedbackPercent,
                                             float SweepDepth, float SweepRate, float SweepPhase) const {
  return std::make_unique<TChorus>(FFormat, DelayRate, MixPercent, FeedbackPercent, SweepDepth, SweepRate,
                                   SweepPhase);
}

TAudioEffects::TEffect TAudioEffects::Reverse() const { return std::make_unique<TReverse>(FFormat); }

TAudioEffects::TEffect TAudioEffects::Silence() const { return std::make_unique<TSilence>(FFormat); }

std::int64_t RunAudioEffect(TAudioEffect &Effect, std::int64_t SelectionFrames, const TAudioEffectIo &Io,
                            std::int64_t BlockFrames) {
  if (SelectionFrames <= 0)
    return 0;
  const int channels = Effect.GetChannels();
  BlockFrames = std::max<std::int64_t>(BlockFrames, 1);
  const bool backward = Effect.GetOrder() == TEffectOrder::Backward;
  const bool twoPasses = Effect.NeedsAnalysis();
  const std::int64_t total = twoPasses ? 2 * SelectionFrames : SelectionFrames;
  std::int64_t done = 0;
  std::vector<float> block, out;

  // Calls visit(block, frames) for every block in the effect's order.
  auto eachBlock = [&](auto &&visit) {
    for (std::int64_t read = 0; read < SelectionFrames;) {
      std::int64_t frames = std::min(BlockFrames, SelectionFrames - read);
      std::int64_t at = backward ? SelectionFrames - read - frames : read;
      block.resize(static_cast<std::size_t>(frames) * channels);
      Io.Read(at, frames, block.data());
      visit(frames);
      read += frames;
      done += frames;
      if (Io.Progress)
        Io.Progress(done, total);
    }
  };

  if (twoPasses)
    eachBlock([&](std::int64_t frames) { Effect.Analyze(block.data(), static_cast<std::size_t>(frames)); });
  std::int64_t written = 0;
  auto emit = [&] {
    std::int64_t frames = static_cast<std::int64_t>(out.size() / channels);
    if (frames > 0)
      Io.Write(out.data(), frames);
    written += frames;
    out.clear();
  };
  eachBlock([&](std::int64_t frames) {
    if (Effect.IsInPlace()) {
      Effect.ProcessBlock(block);
      Io.Write(block.data(), frames);
      written += frames;
      return;
    }
    Effect.Process(block.data(), static_cast<std::size_t>(frames), out);
    emit();
  });
  Effect.Flush(out);
  emit();
  return written;
}
