// TAudioTransform2: the block transformer of the effect previews and the batch
// converter. Every operation takes a sample array (interleaved frames of
// GetChannels() channels at GetSampleRate()) by reference and replaces it by
// its result. An operation that fails empties the array and raises
// EAudioTransformError; the events still close with OnEndTransform.
//
// One call alone (processing flag off, the preview) is a whole: the effect
// starts fresh, Normalize looks at the whole array first, and the pitch and
// speed changes deliver their last frames before returning.
//
// A run of blocks (the batch converter, one second at a time): the caller
// switches the processing flag on around each block's calls and makes the
// same calls, in the same order, for every block. The transformer then keeps
// the effect of each call position (the n-th call of a block continues the
// n-th call of the previous one, while its operation and values match), so
// echoes, filters and the pitch shift run on across block boundaries.
// SetProcessingFlag(true) and LeftChannel start a block's calls from the
// first position again; SetSampleRate and SetChannels begin a new run.
// After the last block, one more round of the same calls on empty arrays
// ends the run: the speed and pitch changes deliver the frames they still
// hold, and the next block starts each effect afresh.
//
//   Transform->SetSampleRate(44100);                 // new file
//   for each block:
//     Transform->SetProcessingFlag(true);
//     auto L = Transform->LeftChannel(block), R = Transform->RightChannel(block);
//     Transform->Echo(L, 200, 70, 40); Transform->Echo(R, 200, 70, 40);
//     block = Transform->MergeChannels(L, R);
//     Transform->SetProcessingFlag(false);
//
// Mix Stereo Channels needs both channels. On stereo arrays it mixes them in
// place; on one-channel arrays (GetChannels() == 1, as the batch converter
// calls it on the left array and then on the right one) the first call only
// remembers its array as the left channel and the second call, with the right
// one of the same length and values, mixes the two. Both arrays must live
// until the second call returns; any other operation in between drops the
// remembered one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Delegate.h"
#include "framework/Exceptions.h"

namespace dsp {
class TAudioEffect;
}

SONVELT_EXCEPTION(EAudioTransformError, Exception)

using TTransformBlockEvent = TDelegate<void(TObject *Sender, int Percent)>;

class TAudioTransform2 : public TComponent {
  SONVELT_CLASS(TAudioTransform2, TComponent)
public:
  using TSamples = std::vector<float>;

  explicit TAudioTransform2(TComponent *AOwner);
  ~TAudioTransform2() override;

  int GetSampleRate() const { return FSampleRate; }
  void SetSampleRate(int Value);
  // Channels of the arrays the effects get: 1 (the default; the batch
  // converter's channel arrays) or the previewed document's channels.
  int GetChannels() const { return FChannels; }
  void SetChannels(int Value);
  bool GetProcessingFlag() const { return FProcessing; }
  void SetProcessingFlag(bool Value);

  void Amplify(TSamples &Buffer, float Percent);
  void Normalize(TSamples &Buffer, float PeakPercent, int Channel);
  void Compressor(TSamples &Buffer, float ThresholdDb, float RatePercent, float MixPercent);
  void NoiseReduction(TSamples &Buffer, float ThresholdDb, float RatePercent, float RmsMs);
  void Echo(TSamples &Buffer, float DelayMs, float MixPercent, float FeedbackPercent);
  void Phaser(TSamples &Buffer, float DelayMs, float MixPercent, float FeedbackPercent);
  void Flanger(TSamples &Buffer, float DelayRate, float MixPercent, float FeedbackPercent, float SweepDepth,
               float SweepRate, float SweepPhase);
  void Chorus(TSamples &Buffer, float DelayRate, float MixPercent, float FeedbackPercent, float SweepDepth,
              float SweepRate, float SweepPhase);
  void Reverb(TSamples &Buffer, float DelayMs, float MixPercent, float FeedbackPercent, float ReverbGainPercent,
              float Frequency, int Taps);
  void HighPass(TSamples &Buffer, float Frequency, float MixPercent);
  void Equalizer(TSamples &Buffer, const std::vector<float> &Gains, const std::vector<float> &Frequencies);
  // Over the array of this call alone.
  void Fade(TSamples &Buffer, float FromPercent, float ToPercent);
  void MixStereo(TSamples &Buffer, float LL, float LR, float RL, float RR);
  void SpeedChange(TSamples &Buffer, float Percent);
  void PitchChange(TSamples &Buffer, float Percent);

  TSamples LeftChannel(const TSamples &Stereo);
  TSamples RightChannel(const TSamples &Stereo);
  // The shorter channel is padded with silence.
  TSamples MergeChannels(const TSamples &Left, const TSamples &Right);
  TSamples MonoToStereo(const TSamples &Mono);

  TTransformBlockEvent OnTransformBlock;
  TNotifyEvent OnEndTransform;

private:
  struct TSlot;
  void Transform(TSamples &Buffer, const char *Operation, std::vector<double> Values, bool Streamed,
                 const std::function<std::unique_ptr<dsp::TAudioEffect>(std::size_t Frames)> &Make);
  void CheckWholeFrames(const TSamples &Buffer, int Channels) const;
  void NewRun();

  int FSampleRate = 44100;
  int FChannels = 1;
  bool FProcessing = false;
  std::vector<std::unique_ptr<TSlot>> FSlots;
  std::size_t FNextSlot = 0;
  TSamples *FPendingLeft = nullptr;
  std::vector<double> FPendingValues;
};
