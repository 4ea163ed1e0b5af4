// Effects on the editor's selection. Each runs block by block with progress
// events and is one undo step; a value out of range raises EAudioError.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/AudioEffects.h"
#include "engine/SampleArray.h"
#include "engine/SampleSequence.h"

class TAudioEditor2;

class IAudioEditor2Effects {
 public:
  explicit IAudioEditor2Effects(TAudioEditor2& editor) : Editor(editor) {}
  void Amplify(float percent);
  void Normalize(float percent, int mode);
  void Compressor(float thresholdDb, float rate, float level);
  void HighPass(float hz, float level);
  void Equalizer(const TSampleArray& gains, const TSampleArray& frequencies);
  void Echo(float delayMs, float mix, float feedback);
  void Reverb(float delay, float mix, float feedback, float gain, float frequency, int taps);
  void Fade(float fromPercent, float toPercent);
  void Envelope(const TSampleArray& gains);
  void MixStereo(float ll, float lr, float rl, float rr);
  void NoiseReduction(float thresholdDb, float rate, float rmsMs);
  void SpeedChange(float percent);
  void PitchChange(float percent);
  void Phaser(float delay, float mix, float feedback);
  void Flanger(float delayRate, float mix, float feedback, float sweepDepth, float sweepRate, float sweepPhase);
  void Chorus(float delayRate, float mix, float feedback, float sweepDepth, float sweepRate, float sweepPhase);
  void Reverse();
  void SilenceSelection();
  // Silence of ms milliseconds at the cursor.
  void InsertSilence(double ms);

 private:
  void Run(const std::function<TAudioEffects::TEffect(const TAudioEffects&)>& make);
  // A frame-local effect over frames [s, s + n): mapped blocks over the
  // pieces there, after the analysis pass where the effect needs one.
  // progress(frames done of n) follows both passes.
  TSampleSequence MapSelection(std::shared_ptr<dsp::TAudioEffect> effect, int64_t s, int64_t n,
                               const std::function<void(int64_t)>& progress);
  TAudioEditor2& Editor;
};
