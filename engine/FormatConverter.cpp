#include "engine/FormatConverter.h"

#include <algorithm>
#include <cmath>

#include "engine/EngineError.h"

TFormatConverter::TFormatConverter(int inRate, int inChannels, int outRate, int outChannels)
    : InRate(inRate), InChannels(inChannels), OutRate(outRate), OutChannels(outChannels) {
  if (inRate <= 0 || outRate <= 0 || inChannels < 1 || inChannels > 2 || outChannels < 1 || outChannels > 2)
    throw EAudioError("Unsupported audio format for conversion.");
  if (inRate == outRate) return;
  double cutoff = std::min(1.0, double(outRate) / inRate) * 0.94;
  Half = std::min(64, int(std::ceil(10.0 / cutoff)));
  Kernel.resize(size_t(2 * Half * Phases + 1));
  for (size_t i = 0; i < Kernel.size(); ++i) {
    double x = double(i) / Phases - Half;
    double s = x == 0 ? 1.0 : std::sin(M_PI * cutoff * x) / (M_PI * cutoff * x);
    double w = 0.5 + 0.5 * std::cos(M_PI * x / Half);  // Hann
    Kernel[i] = float(cutoff * s * w);
  }
}

void TFormatConverter::Remix(const float* in, int64_t frames, std::vector<float>& out) const {
  size_t at = out.size();
  out.resize(at + size_t(frames) * OutChannels);
  float* o = out.data() + at;
  if (InChannels == OutChannels) {
    std::copy(in, in + frames * InChannels, o);
  } else if (InChannels == 1) {
    for (int64_t f = 0; f < frames; ++f) o[2 * f] = o[2 * f + 1] = in[f];
  } else {
    for (int64_t f = 0; f < frames; ++f) o[f] = 0.5f * (in[2 * f] + in[2 * f + 1]);
  }
}

void TFormatConverter::Process(const float* in, int64_t frames, std::vector<float>& out) {
  if (InRate == OutRate) {
    Remix(in, frames, out);
    return;
  }
  Remix(in, frames, History);
  InFrames += frames;
  Emit(out, false);
}

void TFormatConverter::Emit(std::vector<float>& out, bool final) {
  const int ch = OutChannels;
  int64_t total = final ? int64_t(std::llround(double(InFrames) * OutRate / InRate)) : INT64_MAX;
  for (;; ++OutFrames) {
    if (OutFrames >= total) break;
    // Output frame n sits at input position n * InRate / OutRate, computed exactly.
    int64_t num = OutFrames * InRate;
    int64_t centre = num / OutRate;
    double frac = double(num % OutRate) / OutRate;
    if (!final && centre + Half >= InFrames) break;
    float acc[2] = {0, 0};
    for (int k = -Half + 1; k <= Half; ++k) {
      int64_t src = centre + k;
      if (src < 0 || src >= InFrames) continue;
      double x = k - frac;  // distance from the output position
      double t = (x + Half) * Phases;
      int ti = int(t);
      if (ti < 0 || ti + 1 >= int(Kernel.size())) continue;
      float w = float(Kernel[ti] + (Kernel[ti + 1] - Kernel[ti]) * (t - ti));
      const float* s = History.data() + (src - HistoryBase) * ch;
      for (int c = 0; c < ch; ++c) acc[c] += w * s[c];
    }
    for (int c = 0; c < ch; ++c) out.push_back(acc[c]);
  }
  // Keep only what later output frames can still reach.
  int64_t keepFrom = std::max<int64_t>(HistoryBase, OutFrames * InRate / OutRate - Half - 1);
  if (keepFrom - HistoryBase > 65536) {
    History.erase(History.begin(), History.begin() + (keepFrom - HistoryBase) * ch);
    HistoryBase = keepFrom;
  }
}

void TFormatConverter::Finish(std::vector<float>& out) {
  if (InRate != OutRate) Emit(out, true);
}

std::vector<float> TFormatConverter::Convert(const std::vector<float>& in, int inRate, int inChannels, int outRate,
                                             int outChannels) {
  TFormatConverter c(inRate, inChannels, outRate, outChannels);
  std::vector<float> out;
  c.Process(in.data(), int64_t(in.size() / inChannels), out);
  c.Finish(out);
  return out;
}
