// The analysis behind the spectrum view: a block of frames, its channels averaged,
// weighed by a Hann window and taken to magnitudes per frequency bin.
#pragma once
#include <cstddef>
#include <vector>

class TFrequencyAnalyser {
 public:
  // Size: frames analysed, a power of two from 2 on.
  explicit TFrequencyAnalyser(int size);

  int GetSize() const { return Size; }
  // Reads Size frames of interleaved samples (frames missing at the end count as
  // silence). Wave gets the channel average of each frame, Levels the level of
  // bins 0 .. Size/2 in dB relative to full scale: a full-scale sine centred on a
  // bin reads 0 dB there. Silence reads MinimumLevel.
  void Analyse(const float* samples, size_t count, int channels, std::vector<float>& wave,
               std::vector<float>& levels) const;

  static constexpr float MinimumLevel = -200.0f;

 private:
  int Size;
  std::vector<double> Window;
  double WindowSum = 0;
  std::vector<int> BitReversed;
  std::vector<double> Cos, Sin;  // twiddles of the full size
};
