#include "engine/dsp/AudioEffect.h"

#include <cmath>
#include <cstdio>
#include <emmintrin.h>

namespace dsp {

namespace {

// Decaying recursive filters reach denormal numbers, which the processor
// handles hundreds of times slower; flushing them to zero is inaudible.
class TDenormalGuard {
public:
  TDenormalGuard() : FSaved(_mm_getcsr()) { _mm_setcsr(FSaved | 0x8040); }
  ~TDenormalGuard() { _mm_setcsr(FSaved); }

private:
  unsigned FSaved;
};

std::string FormatNumber(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

} // namespace

TAudioEffect::TAudioEffect(TAudioFormat format) : FFormat(format) {
  if (format.SampleRate < 1000 || format.SampleRate > 384000)
    throw EDspError("Unsupported sample rate: " + std::to_string(format.SampleRate) + " Hz");
  if (format.Channels < 1 || format.Channels > 8)
    throw EDspError("Unsupported channel count: " + std::to_string(format.Channels));
}

void TAudioEffect::Process(const float *input, std::size_t frames, std::vector<float> &output) {
  if (frames == 0)
    return;
  TDenormalGuard guard;
  std::size_t start = output.size();
  DoProcess(input, frames, output);
  Sanitize(output.data() + start, output.size() - start);
}

void TAudioEffect::Flush(std::vector<float> &output) {
  TDenormalGuard guard;
  std::size_t start = output.size();
  DoFlush(output);
  Sanitize(output.data() + start, output.size() - start);
}

void TAudioEffect::ProcessBlock(std::vector<float> &block) {
  if (block.size() % GetChannels() != 0)
    throw EDspError("A block of " + std::to_string(block.size()) + " samples does not hold whole frames of " +
                    std::to_string(GetChannels()) + " channels");
  if (block.empty())
    return;
  TDenormalGuard guard;
  DoProcessBlock(block);
  Sanitize(block.data(), block.size());
}

void TAudioEffect::DoProcessBlock(std::vector<float> &block) {
  std::vector<float> out;
  out.reserve(block.size());
  DoProcess(block.data(), block.size() / GetChannels(), out);
  block.swap(out);
}

void TAudioEffect::Apply(float *data, std::size_t frames) {
  if (frames == 0)
    return;
  TDenormalGuard guard;
  DoApply(data, frames);
  Sanitize(data, frames * GetChannels());
}

void TAudioEffect::DoApply(float *, std::size_t) {
  throw EDspError("This effect changes the length of the audio and cannot work in place");
}

void TAudioEffect::Analyze(const float *input, std::size_t frames) {
  if (frames != 0)
    DoAnalyze(input, frames);
}

void TInPlaceEffect::DoProcess(const float *input, std::size_t frames, std::vector<float> &output) {
  std::size_t start = output.size();
  output.insert(output.end(), input, input + frames * GetChannels());
  ProcessInPlace(output.data() + start, frames);
}

void TInPlaceEffect::DoProcessBlock(std::vector<float> &block) {
  ProcessInPlace(block.data(), block.size() / GetChannels());
}

double CheckRange(double value, double low, double high, const char *effect, const char *parameter) {
  if (!std::isfinite(value) || value < low || value > high)
    throw EDspError(std::string(effect) + ": " + parameter + " must be between " + FormatNumber(low) + " and " +
                    FormatNumber(high) + ", not " + FormatNumber(value));
  return value;
}

double CheckAtLeast(double value, double low, const char *effect, const char *parameter) {
  if (!std::isfinite(value) || value < low)
    throw EDspError(std::string(effect) + ": " + parameter + " must be at least " + FormatNumber(low) + ", not " +
                    FormatNumber(value));
  return value;
}

std::size_t MsToFrames(double ms, int sampleRate, std::size_t minFrames) {
  double frames = std::round(ms * sampleRate / 1000.0);
  std::size_t n = frames > 0 ? static_cast<std::size_t>(frames) : 0;
  return n < minFrames ? minFrames : n;
}

// Both run over every sample of every block an effect makes: four at a time.
void Sanitize(float *data, std::size_t count) {
  // A float is NaN or infinite when its exponent bits are all set.
  const __m128i exponent = _mm_set1_epi32(0x7f800000);
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
    __m128i bad = _mm_cmpeq_epi32(_mm_and_si128(v, exponent), exponent);
    if (_mm_movemask_epi8(bad))
      _mm_storeu_si128(reinterpret_cast<__m128i *>(data + i), _mm_andnot_si128(bad, v));
  }
  for (; i < count; ++i)
    if (!std::isfinite(data[i]))
      data[i] = 0.0f;
}

void Scale(float *data, std::size_t count, float gain) {
  const __m128 g = _mm_set1_ps(gain);
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4)
    _mm_storeu_ps(data + i, _mm_mul_ps(_mm_loadu_ps(data + i), g));
  for (; i < count; ++i)
    data[i] *= gain;
}

} // namespace dsp
