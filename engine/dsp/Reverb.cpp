#include "engine/dsp/Reverb.h"

#include <algorithm>
#include <cmath>

namespace dsp {

namespace {

// Comb and all-pass lengths at 44100 Hz, mutually prime so their echoes
// do not pile up.
constexpr int CombLengths[10] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617, 1693, 1781};
constexpr int AllPassLengths[4] = {556, 441, 341, 225};
constexpr int StereoSpread = 23;

struct TLine {
  std::vector<float> Data;
  std::size_t Pos = 0;
  explicit TLine(std::size_t n) : Data(std::max<std::size_t>(n, 1), 0.0f) {}
  float Read() const { return Data[Pos]; }
  void Write(float v) {
    Data[Pos] = v;
    if (++Pos == Data.size())
      Pos = 0;
  }
  void Clear() {
    std::fill(Data.begin(), Data.end(), 0.0f);
    Pos = 0;
  }
};

struct TComb {
  TLine Line;
  float Low = 0;
  explicit TComb(std::size_t n) : Line(n) {}
};

} // namespace

struct TReverb::TChannel {
  TLine Resonator;
  float ResonatorLow = 0;
  std::vector<TComb> Combs;
  std::vector<TLine> AllPasses;
};

TReverb::TReverb(TAudioFormat format, double delayMs, double mixPercent, double feedbackPercent,
                 double reverbGainPercent, double frequency, int taps)
    : TInPlaceEffect(format) {
  const char *name = "Reverb";
  std::size_t delay = MsToFrames(CheckRange(delayMs, 0, 5000, name, "the delay time (ms)"), format.SampleRate, 1);
  FMix = static_cast<float>(CheckRange(mixPercent, 0, 100, name, "the mix depth (%)") / 100);
  double feedback = CheckRange(feedbackPercent, 0, 100, name, "the feedback gain (%)") / 100;
  FGain = static_cast<float>(CheckRange(reverbGainPercent, 0, 100, name, "the reverb gain (%)") / 100);
  double cutoff = std::min(CheckRange(frequency, 1, 1e6, name, "the reverb frequency (Hz)"), 0.49 * format.SampleRate);
  CheckRange(taps, 0, 10, name, "the number of taps");
  int combs = std::max(taps, 1);
  // Below 1 so that the loops always decay.
  FResonance = static_cast<float>(0.98 * feedback);
  FRoom = static_cast<float>(0.70 + 0.28 * feedback);
  FDamp = static_cast<float>(std::exp(-2 * M_PI * cutoff / format.SampleRate));
  FInputGain = 0.15f / static_cast<float>(combs);
  double scale = format.SampleRate / 44100.0;
  for (int c = 0; c < format.Channels; ++c) {
    TChannel ch{TLine(delay), 0, {}, {}};
    for (int i = 0; i < combs; ++i)
      ch.Combs.emplace_back(static_cast<std::size_t>((CombLengths[i] + StereoSpread * c) * scale));
    for (int len : AllPassLengths)
      ch.AllPasses.emplace_back(static_cast<std::size_t>((len + StereoSpread * c) * scale));
    FChannels.push_back(std::move(ch));
  }
}

TReverb::~TReverb() = default;

void TReverb::Reset() {
  for (auto &ch : FChannels) {
    ch.Resonator.Clear();
    ch.ResonatorLow = 0;
    for (auto &comb : ch.Combs) {
      comb.Line.Clear();
      comb.Low = 0;
    }
    for (auto &ap : ch.AllPasses)
      ap.Clear();
  }
}

void TReverb::ProcessInPlace(float *data, std::size_t frames) {
  const int channels = GetChannels();
  const float damp = FDamp, undamp = 1 - FDamp;
  const float mix = FMix, gain = FGain, resonance = FResonance, room = FRoom, inputGain = FInputGain;
  for (int c = 0; c < channels; ++c) {
    TChannel &ch = FChannels[c];
    float *p = data + c;
    for (std::size_t f = 0; f < frames; ++f, p += channels) {
      float x = *p;
      float delayed = ch.Resonator.Read();
      ch.ResonatorLow = undamp * delayed + damp * ch.ResonatorLow;
      ch.Resonator.Write(x + resonance * ch.ResonatorLow);
      float wet = delayed;
      if (gain > 0) {
        // The tail starts from the pre-delayed input: the resonator line
        // holds it one delay late (plus its own feedback, which only
        // thickens the tail).
        float in = delayed * inputGain;
        float sum = 0;
        for (TComb &comb : ch.Combs) {
          float out = comb.Line.Read();
          comb.Low = undamp * out + damp * comb.Low;
          comb.Line.Write(in + room * comb.Low);
          sum += out;
        }
        for (TLine &ap : ch.AllPasses) {
          float buffered = ap.Read();
          ap.Write(sum + 0.5f * buffered);
          sum = buffered - sum;
        }
        wet += gain * sum;
      }
      *p = (1 - mix) * x + mix * wet;
    }
  }
}

} // namespace dsp
