#include "engine/dsp/PitchChange.h"

#include <cmath>

namespace dsp {

TPitchChange::TPitchChange(TAudioFormat format, double percent)
    : TAudioEffect(format), FFactor(CheckRange(percent, 10, 1000, "Pitch Change", "the pitch (%)") / 100) {
  if (FFactor != 1.0) {
    FStretch = std::make_unique<TTimeStretch>(format.Channels, format.SampleRate, FFactor);
    FResampler = std::make_unique<TResampler>(format.Channels, format.SampleRate, FFactor);
  }
}

TPitchChange::~TPitchChange() = default;

void TPitchChange::Reset() {
  FInputFrames = FOutputFrames = 0;
  FPending.clear();
  if (FStretch) {
    FStretch->Reset();
    FResampler->Reset();
  }
}

void TPitchChange::DoProcess(const float *input, std::size_t frames, std::vector<float> &output) {
  FInputFrames += frames;
  if (!FStretch) {
    output.insert(output.end(), input, input + frames * GetChannels());
    return;
  }
  FStretched.clear();
  FStretch->Process(input, frames, FStretched);
  FResampler->Process(FStretched.data(), FStretched.size() / GetChannels(), FPending);
  Deliver(output, FInputFrames);
}

// The stretch works in whole windows and may run ahead of the input; the
// output never does, so that blocks in give as much out as they can.
void TPitchChange::Deliver(std::vector<float> &output, std::uint64_t upTo) {
  const std::size_t channels = GetChannels();
  std::uint64_t ready = FPending.size() / channels;
  auto count = static_cast<std::size_t>(std::min(ready, upTo - FOutputFrames));
  output.insert(output.end(), FPending.begin(), FPending.begin() + count * channels);
  FPending.erase(FPending.begin(), FPending.begin() + count * channels);
  FOutputFrames += count;
}

void TPitchChange::DoFlush(std::vector<float> &output) {
  if (!FStretch)
    return;
  // Enough stretched audio for the resampler's last reads, then exactly the
  // input's length.
  FStretched.clear();
  auto stretched = static_cast<std::uint64_t>(std::ceil(static_cast<double>(FInputFrames) * FFactor)) + 8;
  FStretch->Flush(stretched, FStretched);
  FResampler->SetLimit(FInputFrames);
  FResampler->Process(FStretched.data(), FStretched.size() / GetChannels(), FPending);
  FResampler->Flush(FInputFrames, FPending);
  Deliver(output, FInputFrames);
}

} // namespace dsp
