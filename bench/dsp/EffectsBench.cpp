// Times every effect of the block transformer on a 10-minute stereo 44.1 kHz
// signal, the way the batch converter drives it: one-second blocks split into
// left and right, the effect on each, merged again. With a file argument it
// first writes the signal there as a 16-bit WAV file, so that compare.sh can
// run the same effects with another tool on the same audio.
//
//   wine bench_dsp.exe [signal.wav] [minutes]
// Prints one line per effect: "name seconds".
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/AudioTransform2.h"

namespace {

using TSamples = std::vector<float>;
constexpr int Rate = 44100;

TSamples MakeSignal(double minutes) {
  std::size_t frames = static_cast<std::size_t>(minutes * 60 * Rate);
  TSamples s(2 * frames);
  std::mt19937 gen(1);
  std::uniform_real_distribution<float> noise(-0.05f, 0.05f);
  for (std::size_t f = 0; f < frames; ++f) {
    double t = static_cast<double>(f) / Rate;
    // Two tones whose level swells slowly, and some hiss.
    float level = static_cast<float>(0.3 + 0.25 * std::sin(2 * M_PI * 0.1 * t));
    s[2 * f] = level * static_cast<float>(std::sin(2 * M_PI * 220 * t)) + noise(gen);
    s[2 * f + 1] = level * static_cast<float>(std::sin(2 * M_PI * 330 * t)) + noise(gen);
  }
  return s;
}

void WriteWav(const std::string &path, const TSamples &s) {
  FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  auto u32 = [&](std::uint32_t v) { std::fwrite(&v, 4, 1, f); };
  auto u16 = [&](std::uint16_t v) { std::fwrite(&v, 2, 1, f); };
  std::uint32_t bytes = static_cast<std::uint32_t>(s.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  u32(36 + bytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16), u16(1), u16(2), u32(Rate), u32(Rate * 4), u16(4), u16(16);
  std::fwrite("data", 1, 4, f);
  u32(bytes);
  std::vector<std::int16_t> pcm(s.size());
  for (std::size_t i = 0; i < s.size(); ++i)
    pcm[i] = static_cast<std::int16_t>(std::lround(std::fmax(-1.0, std::fmin(1.0, s[i])) * 32767));
  std::fwrite(pcm.data(), 2, pcm.size(), f);
  std::fclose(f);
}

using TCommand = std::function<void(TAudioTransform2 &, TSamples &)>;

double TimeBatch(TAudioTransform2 &t, const TSamples &signal, const TCommand &command) {
  auto start = std::chrono::steady_clock::now();
  t.SetSampleRate(Rate);
  const std::size_t block = 2 * Rate;
  std::size_t written = 0;
  for (std::size_t at = 0; at < signal.size(); at += block) {
    TSamples part(signal.begin() + at, signal.begin() + std::min(at + block, signal.size()));
    t.SetProcessingFlag(true);
    TSamples left = t.LeftChannel(part), right = t.RightChannel(part);
    command(t, left);
    command(t, right);
    TSamples merged = t.MergeChannels(left, right);
    written += merged.size();
    t.SetProcessingFlag(false);
  }
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (written == 0)
    std::printf("nothing written\n");
  return took.count();
}

} // namespace

int main(int argc, char **argv) {
  double minutes = argc > 2 ? std::atof(argv[2]) : 10.0;
  TSamples signal = MakeSignal(minutes);
  if (argc > 1)
    WriteWav(argv[1], signal);
  const std::vector<float> frequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};
  const std::vector<float> gains = {0.3f, 0.55f, 0.3f, 0.15f, 0, 0, 0, 0, 0.3f, 0.4f, 0.5f, 0.6f};
  const std::vector<std::pair<const char *, TCommand>> effects = {
      {"amplify", [](auto &t, auto &b) { t.Amplify(b, 25); }},
      {"normalize", [](auto &t, auto &b) { t.Normalize(b, 100, -1); }},
      {"compressor", [](auto &t, auto &b) { t.Compressor(b, -10, 50, 100); }},
      {"noisereduction", [](auto &t, auto &b) { t.NoiseReduction(b, -54, 75, 100); }},
      {"highpass", [](auto &t, auto &b) { t.HighPass(b, 200, 100); }},
      {"equalizer", [&](auto &t, auto &b) { t.Equalizer(b, gains, frequencies); }},
      {"echo", [](auto &t, auto &b) { t.Echo(b, 200, 70, 40); }},
      {"reverb", [](auto &t, auto &b) { t.Reverb(b, 30, 60, 60, 30, 11025, 8); }},
      {"fade", [](auto &t, auto &b) { t.Fade(b, 0, 100); }},
      {"speed", [](auto &t, auto &b) { t.SpeedChange(b, 70); }},
      {"pitch", [](auto &t, auto &b) { t.PitchChange(b, 140); }},
      {"phaser", [](auto &t, auto &b) { t.Phaser(b, 300, 30, 45); }},
      {"flanger", [](auto &t, auto &b) { t.Flanger(b, 14, 50, 30, 99, 18, 40); }},
      {"chorus", [](auto &t, auto &b) { t.Chorus(b, 31, 45, 60, 25, 12, 90); }},
  };
  TAudioTransform2 *t = TAudioTransform2::Create(nullptr);
  for (const auto &[name, command] : effects) {
    std::printf("%s %.3f\n", name, TimeBatch(*t, signal, command));
    std::fflush(stdout);
  }
  // Mix Stereo Channels pairs the two channel arrays of a block.
  std::printf("mixstereo %.3f\n", TimeBatch(*t, signal, [](auto &tr, auto &b) { tr.MixStereo(b, 80, 20, 20, 80); }));
  Free(t);
  return 0;
}
