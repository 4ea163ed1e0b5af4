// One effect from a WAV file to a WAV file, as a whole process, so that
// compare.sh can time it against another program doing the same work
// (bench_dsp_editor takes the editor's road with the same settings):
//
//   bench_dsp signal OUT.wav MINUTES     writes the test signal
//   bench_dsp file EFFECT IN.wav OUT.wav the batch converter's road: the block
//                                        reader, the transformer on one-second
//                                        left and right arrays, the block writer
//                                        (fade, normalize and reverse, which
//                                        work on the whole file, run through
//                                        the effect loop between a WAV reader
//                                        and writer)
//   bench_dsp describe FILE.wav          prints "frames N checksum X"
//   bench_dsp list                       prints the effect names
//
// Every failure ends with a message and a non-zero exit status.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "engine/AudioEffects.h"
#include "engine/AudioTransform2.h"
#include "engine/TAudioFile2.h"
#include "engine/WavFile.h"

namespace {

using TSamples = std::vector<float>;
constexpr int Rate = 44100;

const std::vector<float> Frequencies = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000};
const std::vector<float> Gains = {0.3f, 0.55f, 0.3f, 0.15f, 0, 0, 0, 0, 0.3f, 0.4f, 0.5f, 0.6f};

struct TBenchEffect {
  const char *Name;
  // The batch converter's call on one channel array; empty for the effects
  // that need the whole file, which WholeFile makes instead.
  std::function<void(TAudioTransform2 &, TSamples &)> Batch;
  std::function<TAudioEffects::TEffect(const TAudioEffects &)> WholeFile;
};

// The settings are those compare.sh gives the other program, where it has the
// same effect, and those of EditorRoad.cpp.
const std::vector<TBenchEffect> &Effects() {
  static const std::vector<TBenchEffect> effects = {
      {"amplify", [](auto &t, auto &b) { t.Amplify(b, 25); }, nullptr},
      {"normalize", nullptr, [](auto &fx) { return fx.Normalize(100, -1); }},
      {"compressor", [](auto &t, auto &b) { t.Compressor(b, -10, 50, 100); }, nullptr},
      {"noisereduction", [](auto &t, auto &b) { t.NoiseReduction(b, -54, 75, 100); }, nullptr},
      {"highpass", [](auto &t, auto &b) { t.HighPass(b, 200, 100); }, nullptr},
      {"equalizer", [](auto &t, auto &b) { t.Equalizer(b, Gains, Frequencies); }, nullptr},
      {"echo", [](auto &t, auto &b) { t.Echo(b, 200, 70, 0); }, nullptr},
      {"reverb", [](auto &t, auto &b) { t.Reverb(b, 30, 60, 60, 30, 11025, 8); }, nullptr},
      {"fade", nullptr, [](auto &fx) { return fx.Fade(0, 100); }},
      {"speed", [](auto &t, auto &b) { t.SpeedChange(b, 70); }, nullptr},
      {"pitch", [](auto &t, auto &b) { t.PitchChange(b, 140); }, nullptr},
      {"reverse", nullptr, [](auto &fx) { return fx.Reverse(); }},
      {"phaser", [](auto &t, auto &b) { t.Phaser(b, 300, 30, 45); }, nullptr},
      // Base 1.4 ms, sweep 4.95 ms at 0.9 Hz, 30 % feedback, half wet.
      {"flanger", [](auto &t, auto &b) { t.Flanger(b, 14, 50, 30, 99, 18, 40); }, nullptr},
      // Base 20 ms, sweep 2 ms at 0.6 Hz, no feedback.
      {"chorus", [](auto &t, auto &b) { t.Chorus(b, 50, 45, 0, 10, 12, 90); }, nullptr},
      {"mixstereo", [](auto &t, auto &b) { t.MixStereo(b, 80, 20, 20, 80); }, nullptr},
  };
  return effects;
}

const TBenchEffect &FindEffect(const std::string &name) {
  for (const TBenchEffect &e : Effects())
    if (name == e.Name)
      return e;
  throw std::runtime_error("unknown effect " + name);
}

// Two tones whose level swells slowly, and some hiss.
void WriteSignal(const std::string &path, double minutes) {
  const std::int64_t frames = static_cast<std::int64_t>(minutes * 60 * Rate);
  TWavWriter w(path, TWavFormat{Rate, 2, 16, false, false}, TAudioTags{});
  TSamples block(2 * Rate);
  std::uint32_t noise = 1;
  for (std::int64_t at = 0; at < frames; at += Rate) {
    std::int64_t n = std::min<std::int64_t>(Rate, frames - at);
    for (std::int64_t i = 0; i < n; ++i) {
      double t = static_cast<double>(at + i) / Rate;
      float level = static_cast<float>(0.3 + 0.25 * std::sin(2 * M_PI * 0.1 * t));
      noise = noise * 1664525u + 1013904223u;
      float hiss = static_cast<float>(static_cast<std::int32_t>(noise)) / 2147483648.0f * 0.05f;
      block[2 * i] = level * static_cast<float>(std::sin(2 * M_PI * 220 * t)) + hiss;
      block[2 * i + 1] = level * static_cast<float>(std::sin(2 * M_PI * 330 * t)) - hiss;
    }
    w.Write(block.data(), n);
  }
  w.Commit();
}

void BatchRoad(const TBenchEffect &effect, const std::string &in, const std::string &out) {
  TAudioFile2 *reader = TAudioFile2::Create(nullptr), *writer = TAudioFile2::Create(nullptr);
  TAudioTransform2 *t = TAudioTransform2::Create(nullptr);
  reader->OpenForReading(in);
  writer->CopyWavFormatFrom(in);
  writer->SetPcmFormat(reader->GetPcmSampleRate(), reader->GetPcmChannels());
  t->SetSampleRate(reader->GetPcmSampleRate());
  writer->CreateForWriting(out, 0);
  const int block = reader->GetPcmChannels() * reader->GetPcmSampleRate();
  const bool mono = reader->GetPcmChannels() == 1;
  // The last round passes empty arrays: the effects deliver what they still owe.
  for (bool last = false; !last;) {
    TSamples samples = reader->ReadBlock(block);
    last = samples.empty();
    if (mono)
      samples = t->MonoToStereo(samples);
    t->SetProcessingFlag(true);
    TSamples left = t->LeftChannel(samples), right = t->RightChannel(samples);
    effect.Batch(*t, left);
    effect.Batch(*t, right);
    samples = t->MergeChannels(left, right);
    t->SetProcessingFlag(false);
    if (!samples.empty())
      writer->WriteBlock(samples);
  }
  writer->CloseFile();
  reader->CloseFile();
  Free(t);
  Free(writer);
  Free(reader);
}

void WholeFileRoad(const TBenchEffect &effect, const std::string &in, const std::string &out) {
  TWavReader reader(in);
  const TWavFormat format = reader.GetFormat();
  TWavWriter writer(out, format, reader.GetTags());
  TAudioEffects factory({format.Rate, format.Channels}, reader.GetLengthFrames());
  TAudioEffects::TEffect fx = effect.WholeFile(factory);
  TAudioEffectIo io;
  io.Read = [&](std::int64_t at, std::int64_t frames, float *dest) {
    reader.Seek(at);
    if (reader.Read(dest, frames) != frames)
      throw std::runtime_error("short read");
  };
  io.Write = [&](const float *data, std::int64_t frames) { writer.Write(data, frames); };
  RunAudioEffect(*fx, reader.GetLengthFrames(), io);
  writer.Commit();
}

void Describe(const std::string &path) {
  TWavReader r(path);
  const TWavFormat f = r.GetFormat();
  if (f.Bits != 16 || f.Float)
    throw std::runtime_error("not a 16-bit file");
  std::vector<std::int16_t> block(std::size_t(65536) * f.Channels);
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the sample values
  std::int64_t frames = 0;
  while (std::int64_t n = r.ReadInt16(block.data(), 65536)) {
    for (std::size_t i = 0; i < std::size_t(n) * f.Channels; ++i) {
      hash = (hash ^ std::uint16_t(block[i])) * 1099511628211ull;
    }
    frames += n;
  }
  std::printf("frames %lld checksum %016llx\n", static_cast<long long>(frames), static_cast<unsigned long long>(hash));
}

int Usage() {
  std::fprintf(stderr, "usage: bench_dsp signal OUT MINUTES | file EFFECT IN OUT | describe FILE | list\n");
  return 2;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2)
    return Usage();
  const std::string mode = argv[1];
  try {
    if (mode == "signal" && argc == 4) {
      WriteSignal(argv[2], std::atof(argv[3]));
    } else if (mode == "file" && argc == 5) {
      const TBenchEffect &effect = FindEffect(argv[2]);
      if (effect.Batch)
        BatchRoad(effect, argv[3], argv[4]);
      else
        WholeFileRoad(effect, argv[3], argv[4]);
    } else if (mode == "describe" && argc == 3) {
      Describe(argv[2]);
    } else if (mode == "list" && argc == 2) {
      for (const TBenchEffect &e : Effects())
        std::printf("%s\n", e.Name);
    } else {
      return Usage();
    }
  } catch (const std::exception &e) {
    std::fprintf(stderr, "bench_dsp %s: %s\n", mode.c_str(), e.what());
    return 1;
  }
  return 0;
}
