// The editor's and the transformer's effect operations, with the arguments in
// the order and units their callers pass them, as configured effect objects
// (engine/dsp/AudioEffect.h), and the loop that runs one over a selection.
//
// The editor's effect operations (GetEffects()) come down to:
//
//   TAudioEffects effects({rate, channels}, selectionFrames);
//   auto effect = effects.Echo(delayMs, mix, feedback);   // EDspError on bad values
//   RunAudioEffect(*effect, selectionFrames, {
//       [&](int64_t at, int64_t frames, float* dest) { /* read selection frames at.. */ },
//       [&](const float* data, int64_t frames) { /* append to the result */ },
//       [&](int64_t done, int64_t total) { /* progress */ }});
//
// RunAudioEffect reads the selection in blocks, never all of it at once, and
// handles the whole-selection effects itself:
// - Normalize needs the peak first: the selection is read twice, once for
//   Analyze and once to process (progress runs over both passes);
// - Reverse reads the blocks from the last to the first; the effect reverses
//   each block, so the results are written in order, as always;
// - Speed Change returns fewer or more frames than the selection: the
//   written total, which RunAudioEffect returns, replaces the selection.
// Every other effect writes exactly as many frames as the selection holds.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/dsp/AudioEffect.h"

class TAudioEffects {
public:
  // selectionFrames: the length the fade and the envelope stretch over.
  TAudioEffects(dsp::TAudioFormat format, std::int64_t selectionFrames);

  using TEffect = std::unique_ptr<dsp::TAudioEffect>;
  TEffect Amplify(float Percent) const;
  TEffect Normalize(float PeakPercent, int Channel) const;
  TEffect Compressor(float ThresholdDb, float RatePercent, float MixPercent) const;
  TEffect HighPass(float Frequency, float MixPercent) const;
  // Gains are the equalizer's slider values divided by 100 (1.8 = +18 dB).
  TEffect Equalizer(const std::vector<float> &Gains, const std::vector<float> &Frequencies) const;
  TEffect Echo(float DelayMs, float MixPercent, float FeedbackPercent) const;
  TEffect Reverb(float DelayMs, float MixPercent, float FeedbackPercent, float ReverbGainPercent, float Frequency,
                 int Taps) const;
  TEffect Fade(float FromPercent, float ToPercent) const;
  // Linear gains (10^(dB/20) of the drawn curve) spread over the selection.
  TEffect Envelope(const std::vector<float> &Gains) const;
  TEffect MixStereo(float LL, float LR, float RL, float RR) const;
  TEffect NoiseReduction(float ThresholdDb, float RatePercent, float RmsMs) const;
  TEffect SpeedChange(float Percent) const;
  TEffect PitchChange(float Percent) const;
  TEffect Phaser(float DelayMs, float MixPercent, float FeedbackPercent) const;
  TEffect Flanger(float DelayRate, float MixPercent, float FeedbackPercent, float SweepDepth, float SweepRate,
                  float SweepPhase) const;
  TEffect Chorus(float DelayRate, float MixPercent, float FeedbackPercent, float SweepDepth, float SweepRate,
                 float SweepPhase) const;
  TEffect Reverse() const;
  TEffect Silence() const;

private:
  dsp::TAudioFormat FFormat;
  std::uint64_t FFrames;
};

struct TAudioEffectIo {
  // Copies frames [At, At + Frames) of the selection into Dest (interleaved).
  std::function<void(std::int64_t At, std::int64_t Frames, float *Dest)> Read;
  // Appends processed frames to the result, in order.
  std::function<void(const float *Data, std::int64_t Frames)> Write;
  // Optional: Done of Total units of work.
  std::function<void(std::int64_t Done, std::int64_t Total)> Progress;
};

// Runs the effect over a selection of selectionFrames frames; returns the
// number of frames written. blockFrames bounds the memory used.
std::int64_t RunAudioEffect(dsp::TAudioEffect &Effect, std::int64_t SelectionFrames, const TAudioEffectIo &Io,
                            std::int64_t BlockFrames = 65536);
