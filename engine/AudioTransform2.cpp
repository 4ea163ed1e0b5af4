#include "engine/AudioTransform2.h"

#include <algorithm>

#include "engine/AudioEffects.h"
#include "engine/dsp/AudioEffect.h"
#include "engine/dsp/MixStereo.h"

struct TAudioTransform2::TSlot {
  std::string Operation;
  std::vector<double> Values;
  std::unique_ptr<dsp::TAudioEffect> Effect;
};

namespace {

// Progress is reported about twenty times per call.
constexpr std::size_t ProgressSteps = 20;
constexpr std::size_t MinChunkFrames = 4096;

} // namespace

TAudioTransform2::TAudioTransform2(TComponent *AOwner) : TComponent(AOwner) {}

TAudioTransform2::~TAudioTransform2() = default;

void TAudioTransform2::SetSampleRate(int Value) {
  if (Value < 1000 || Value > 384000)
    throw EAudioTransformError("Unsupported sample rate: %d Hz", {Value});
  FSampleRate = Value;
  NewRun();
}

void TAudioTransform2::SetChannels(int Value) {
  if (Value < 1 || Value > 8)
    throw EAudioTransformError("Unsupported channel count: %d", {Value});
  FChannels = Value;
  NewRun();
}

void TAudioTransform2::SetProcessingFlag(bool Value) {
  FProcessing = Value;
  if (Value)
    FNextSlot = 0;
}

void TAudioTransform2::NewRun() {
  FSlots.clear();
  FNextSlot = 0;
  FPendingLeft = nullptr;
}

void TAudioTransform2::CheckWholeFrames(const TSamples &Buffer, int Channels) const {
  if (Buffer.size() % Channels != 0)
    throw EAudioTransformError("%d samples are no whole number of %d-channel frames",
                               {static_cast<int>(Buffer.size()), Channels});
}

void TAudioTransform2::Transform(TSamples &Buffer, const char *Operation, std::vector<double> Values, bool Streamed,
                                 const std::function<std::unique_ptr<dsp::TAudioEffect>(std::size_t)> &Make) {
  FPendingLeft = nullptr;
  const std::size_t frames = Buffer.size() / FChannels;
  TSlot *slot = nullptr;
  // A failed call leaves no array, and a slot left half-way would garble the
  // next block, so it starts afresh.
  auto fail = [&] {
    Buffer.clear();
    if (slot)
      slot->Effect.reset();
    OnEndTransform(this);
  };
  try {
    CheckWholeFrames(Buffer, FChannels);
    std::unique_ptr<dsp::TAudioEffect> single;
    dsp::TAudioEffect *effect;
    bool run = FProcessing && Streamed;
    if (run) {
      if (FNextSlot == FSlots.size())
        FSlots.push_back(std::make_unique<TSlot>());
      slot = FSlots[FNextSlot++].get();
      if (!slot->Effect || slot->Operation != Operation || slot->Values != Values) {
        slot->Effect.reset();
        slot->Effect = Make(frames);
        slot->Operation = Operation;
        slot->Values = std::move(Values);
      }
      effect = slot->Effect.get();
    } else {
      single = Make(frames);
      effect = single.get();
      if (effect->NeedsAnalysis())
        effect->Analyze(Buffer.data(), frames);
    }
    const bool inPlace = effect->IsInPlace();
    TSamples out;
    if (!inPlace)
      out.reserve(Buffer.size());
    const std::size_t chunk = std::max(frames / ProgressSteps, MinChunkFrames);
    for (std::size_t at = 0; at < frames;) {
      std::size_t count = std::min(chunk, frames - at);
      if (inPlace)
        effect->Apply(Buffer.data() + at * FChannels, count);
      else
        effect->Process(Buffer.data() + at * FChannels, count, out);
      at += count;
      OnTransformBlock(this, static_cast<int>(at * 100 / frames));
    }
    if (!inPlace) {
      // An empty array ends a run: what the effect still owes comes out.
      if (!run || frames == 0)
        effect->Flush(out);
      Buffer.swap(out);
    }
    if (run && frames == 0)
      slot->Effect.reset();
  } catch (const dsp::EDspError &E) {
    fail();
    throw EAudioTransformError(std::string(Operation) + ": " + E.what());
  } catch (...) {
    fail();
    throw;
  }
  OnEndTransform(this);
}

namespace {

TAudioEffects Factory(int rate, int channels, std::size_t frames) {
  return TAudioEffects({rate, channels}, static_cast<std::int64_t>(frames));
}

} // namespace

#define SONVELT_TRANSFORM(Name, Streamed, Values, Call)                                                             \
  Transform(Buffer, Name, Values, Streamed, [&](std::size_t Frames) { return Factory(FSampleRate, FChannels, Frames).Call; })

void TAudioTransform2::Amplify(TSamples &Buffer, float Percent) {
  SONVELT_TRANSFORM("Amplify", true, {Percent}, Amplify(Percent));
}

void TAudioTransform2::Normalize(TSamples &Buffer, float PeakPercent, int Channel) {
  SONVELT_TRANSFORM("Normalize", true, (std::vector<double>{PeakPercent, double(Channel)}), Normalize(PeakPercent, Channel));
}

void TAudioTransform2::Compressor(TSamples &Buffer, float ThresholdDb, float RatePercent, float MixPercent) {
  SONVELT_TRANSFORM("Dynamic Range Compressor", true, (std::vector<double>{ThresholdDb, RatePercent, MixPercent}),
                    Compressor(ThresholdDb, RatePercent, MixPercent));
}

void TAudioTransform2::NoiseReduction(TSamples &Buffer, float ThresholdDb, float RatePercent, float RmsMs) {
  SONVELT_TRANSFORM("Noise Reduction", true, (std::vector<double>{ThresholdDb, RatePercent, RmsMs}),
                    NoiseReduction(ThresholdDb, RatePercent, RmsMs));
}

void TAudioTransform2::Echo(TSamples &Buffer, float DelayMs, float MixPercent, float FeedbackPercent) {
  SONVELT_TRANSFORM("Echo", true, (std::vector<double>{DelayMs, MixPercent, FeedbackPercent}),
                    Echo(DelayMs, MixPercent, FeedbackPercent));
}

void TAudioTransform2::Phaser(TSamples &Buffer, float DelayMs, float MixPercent, float FeedbackPercent) {
  SONVELT_TRANSFORM("Phaser", true, (std::vector<double>{DelayMs, MixPercent, FeedbackPercent}),
                    Phaser(DelayMs, MixPercent, FeedbackPercent));
}

void TAudioTransform2::Flanger(TSamples &Buffer, float DelayRate, float MixPercent, float FeedbackPercent,
                               float SweepDepth, float SweepRate, float SweepPhase) {
  SONVELT_TRANSFORM("Flanger", true,
                    (std::vector<double>{DelayRate, MixPercent, FeedbackPercent, SweepDepth, SweepRate, SweepPhase}),
                    Flanger(DelayRate, MixPercent, FeedbackPercent, SweepDepth, SweepRate, SweepPhase));
}

void TAudioTransform2::Chorus(TSamples &Buffer, float DelayRate, float MixPercent, float FeedbackPercent,
                              float SweepDepth, float SweepRate, float SweepPhase) {
  SONVELT_TRANSFORM("Chorus", true,
                    (std::vector<double>{DelayRate, MixPercent, FeedbackPercent, SweepDepth, SweepRate, SweepPhase}),
                    Chorus(DelayRate, MixPercent, FeedbackPercent, SweepDepth, SweepRate, SweepPhase));
}

void TAudioTransform2::Reverb(TSamples &Buffer, float DelayMs, float MixPercent, float FeedbackPercent,
                              float ReverbGainPercent, float Frequency, int Taps) {
  SONVELT_TRANSFORM(
      "Reverb", true,
      (std::vector<double>{DelayMs, MixPercent, FeedbackPercent, ReverbGainPercent, Frequency, double(Taps)}),
      Reverb(DelayMs, MixPercent, FeedbackPercent, ReverbGainPercent, Frequency, Taps));
}

void TAudioTransform2::HighPass(TSamples &Buffer, float Frequency, float MixPercent) {
  SONVELT_TRANSFORM("High-Pass Filter", true, (std::vector<double>{Frequency, MixPercent}),
                    HighPass(Frequency, MixPercent));
}

void TAudioTransform2::Equalizer(TSamples &Buffer, const std::vector<float> &Gains,
                                 const std::vector<float> &Frequencies) {
  std::vector<double> values(Gains.begin(), Gains.end());
  values.insert(values.end(), Frequencies.begin(), Frequencies.end());
  SONVELT_TRANSFORM("Equalizer", true, std::move(values), Equalizer(Gains, Frequencies));
}

void TAudioTransform2::Fade(TSamples &Buffer, float FromPercent, float ToPercent) {
  SONVELT_TRANSFORM("Fade", false, (std::vector<double>{FromPercent, ToPercent}), Fade(FromPercent, ToPercent));
}

void TAudioTransform2::SpeedChange(TSamples &Buffer, float Percent) {
  SONVELT_TRANSFORM("Speed Change", true, {Percent}, SpeedChange(Percent));
}

void TAudioTransform2::PitchChange(TSamples &Buffer, float Percent) {
  SONVELT_TRANSFORM("Pitch Change", true, {Percent}, PitchChange(Percent));
}

#undef SONVELT_TRANSFORM

void TAudioTransform2::MixStereo(TSamples &Buffer, float LL, float LR, float RL, float RR) {
  if (FChannels != 1) {
    Transform(Buffer, "Mix Stereo Channels", {LL, LR, RL, RR}, true, [&](std::size_t Frames) {
      return Factory(FSampleRate, FChannels, Frames).MixStereo(LL, LR, RL, RR);
    });
    return;
  }
  std::vector<double> values{LL, LR, RL, RR};
  TSamples *left = FPendingLeft;
  FPendingLeft = nullptr;
  try {
    dsp::TMixStereo mix({FSampleRate, 2}, LL, LR, RL, RR);
    if (left && left != &Buffer && left->size() == Buffer.size() && FPendingValues == values) {
      mix.MixChannels(left->data(), Buffer.data(), Buffer.size());
    } else {
      FPendingLeft = &Buffer;
      FPendingValues = std::move(values);
    }
  } catch (const dsp::EDspError &E) {
    Buffer.clear();
    OnEndTransform(this);
    throw EAudioTransformError(std::string("Mix Stereo Channels: ") + E.what());
  }
  OnTransformBlock(this, 100);
  OnEndTransform(this);
}

TAudioTransform2::TSamples TAudioTransform2::LeftChannel(const TSamples &Stereo) {
  FPendingLeft = nullptr;
  FNextSlot = 0;
  CheckWholeFrames(Stereo, 2);
  TSamples out(Stereo.size() / 2);
  for (std::size_t f = 0; f < out.size(); ++f)
    out[f] = Stereo[2 * f];
  return out;
}

TAudioTransform2::TSamples TAudioTransform2::RightChannel(const TSamples &Stereo) {
  FPendingLeft = nullptr;
  CheckWholeFrames(Stereo, 2);
  TSamples out(Stereo.size() / 2);
  for (std::size_t f = 0; f < out.size(); ++f)
    out[f] = Stereo[2 * f + 1];
  return out;
}

TAudioTransform2::TSamples TAudioTransform2::MergeChannels(const TSamples &Left, const TSamples &Right) {
  FPendingLeft = nullptr;
  std::size_t frames = std::max(Left.size(), Right.size());
  TSamples out(2 * frames, 0.0f);
  for (std::size_t f = 0; f < Left.size(); ++f)
    out[2 * f] = Left[f];
  for (std::size_t f = 0; f < Right.size(); ++f)
    out[2 * f + 1] = Right[f];
  return out;
}

TAudioTransform2::TSamples TAudioTransform2::MonoToStereo(const TSamples &Mono) {
  FPendingLeft = nullptr;
  TSamples out(2 * Mono.size());
  for (std::size_t f = 0; f < Mono.size(); ++f)
    out[2 * f] = out[2 * f + 1] = Mono[f];
  return out;
}
