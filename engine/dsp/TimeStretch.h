#pragma once
// Streaming time stretch without pitch change by WSOLA (waveform-similarity
// overlap-add). Windows of about 30 ms are laid down every half window in
// the output (periodic Hann windows, which add up to exactly one), taken
// from the input every half window / factor; each is shifted by up to
// +-8 ms to where it best continues the previous window (cross-correlation
// over the overlap, summed over the channels so all channels move alike),
// which avoids the phase clashes of plain overlap-add.
//
// The first window rises at once (its first half is flat), so the output
// starts at full level; on average output frame t holds input frame t / factor.
#include <cstdint>
#include <vector>

namespace dsp {

class TTimeStretch {
public:
  TTimeStretch(int channels, int sampleRate, double factor);
  void Reset();
  void Process(const float *input, std::size_t frames, std::vector<float> &output);
  // Pads with silence until totalOutput frames have come out in all.
  void Flush(std::uint64_t totalOutput, std::vector<float> &output);
  std::uint64_t GetOutputFrames() const { return FOutputFrames; }

private:
  void Run(std::vector<float> &output);
  std::size_t BestStart(std::int64_t nominal, std::int64_t natural) const;
  double Correlation(std::size_t a, std::size_t b, std::size_t stride) const;

  int FChannels;
  double FFactor;
  std::size_t FWindow, FHop, FSearch;
  double FAnalysisHop;
  std::vector<float> FHann, FFirst; // window; the first window
  std::vector<float> FInput;      // interleaved, from FInputStart on
  std::int64_t FInputStart = 0;   // input index (lead-in included) of FInput[0]
  std::vector<float> FOverlap;    // FWindow frames being summed
  std::uint64_t FFrame = 0;       // windows laid down
  std::int64_t FPrevious = -1;    // start of the last window taken
  std::uint64_t FOutputFrames = 0, FLimit = UINT64_MAX;
};

} // namespace dsp
