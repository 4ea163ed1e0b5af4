// Encodes minutes of stereo audio to a 192 kbit/s MP3 and decodes that MP3
// again, printing the seconds each took ("encode_mp3 12.3"). It leaves the
// source as a 16-bit WAV file and the MP3 beside it for the comparison script.
//   bench_codecs.exe FOLDER [minutes]
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/codecs/CodecDecoder.h"
#include "engine/codecs/CodecFile.h"
#include "engine/codecs/Mp3Encoder.h"

namespace {

constexpr int kRate = 44100;

double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) / double(f.QuadPart);
}

// Something like music: a few partials that change every half second, and a little noise.
std::vector<float> Music(int64_t frames) {
  std::vector<float> s(size_t(frames) * 2);
  uint32_t x = 7;
  for (int64_t i = 0; i < frames; ++i) {
    int64_t note = i / (kRate / 2);
    double f = 110.0 * std::pow(2.0, double(note % 24) / 12.0);
    double t = double(i) / kRate;
    double v = 0.25 * std::sin(2 * M_PI * f * t) + 0.12 * std::sin(2 * M_PI * 2.01 * f * t) +
               0.06 * std::sin(2 * M_PI * 3.02 * f * t);
    x = x * 1664525u + 1013904223u;
    double noise = int32_t(x) / 2147483648.0 * 0.03;
    s[size_t(i) * 2] = float(v + noise);
    s[size_t(i) * 2 + 1] = float(0.8 * v - noise);
  }
  return s;
}

void WriteWav(const std::string& path, const std::vector<float>& s) {
  TCodecFile f(path, TCodecFile::TMode::Create);
  uint32_t data = uint32_t(s.size() * 2);
  auto u32 = [&](uint32_t v) { f.Write(&v, 4); };
  auto u16 = [&](uint16_t v) { f.Write(&v, 2); };
  f.Write("RIFF", 4), u32(36 + data), f.Write("WAVEfmt ", 8), u32(16), u16(1), u16(2), u32(kRate),
      u32(kRate * 4), u16(4), u16(16), f.Write("data", 4), u32(data);
  std::vector<int16_t> pcm(s.size());
  for (size_t i = 0; i < s.size(); ++i) pcm[i] = int16_t(std::lround(std::max(-1.0f, std::min(1.0f, s[i])) * 32767));
  f.Write(pcm.data(), pcm.size() * 2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_codecs FOLDER [minutes]\n");
    return 2;
  }
  std::string folder = argv[1];
  int minutes = argc > 2 ? std::atoi(argv[2]) : 10;
  int64_t frames = int64_t(minutes) * 60 * kRate;
  std::vector<float> music = Music(frames);
  WriteWav(folder + "\\source.wav", music);

  std::string mp3 = folder + "\\source.mp3";
  double start = Now();
  {
    TLameSettings s;
    s.SetCbr(kRate, 192, 2);
    TMp3Encoder e(mp3, kRate, 2, s, {});
    for (int64_t at = 0; at < frames; at += kRate) e.Write(music.data() + at * 2, std::min<int64_t>(kRate, frames - at));
    e.Finish();
  }
  std::printf("encode_mp3 %.3f\n", Now() - start);

  start = Now();
  std::unique_ptr<TCodecDecoder> d = OpenCodecDecoder(mp3);
  std::vector<float> block(size_t(kRate) * 2);
  int64_t total = 0;
  for (int64_t n; (n = d->Read(block.data(), kRate)) > 0;) total += n;
  std::printf("decode_mp3 %.3f\n", Now() - start);
  if (total != frames) std::fprintf(stderr, "decoded %lld frames of %lld\n", (long long)total, (long long)frames);
  return total == frames ? 0 : 1;
}
