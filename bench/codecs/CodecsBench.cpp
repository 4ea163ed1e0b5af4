// One coding task from a file to a file, as a whole process, so that
// compare.sh can time it against the programs a user would pick instead:
//   bench_codecs signal OUT.wav MINUTES   music-like stereo 44.1 kHz 16-bit
//   bench_codecs mp3 IN.wav OUT.mp3       192 kbit/s constant
//   bench_codecs mp3vbr IN.wav OUT.mp3    variable, quality 2 (0 best)
//   bench_codecs ogg IN.wav OUT.ogg       192 kbit/s average
//   bench_codecs wav IN OUT.wav           decodes any supported file to 16-bit WAV
//   bench_codecs describe FILE            prints "frames N rate R channels C"
// Every task goes through the block reader and writer, one second at a time,
// as the batch converter does. Every failure ends with a message and a
// non-zero exit status.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "engine/AudioLameEnc.h"
#include "engine/TAudioFile2.h"
#include "engine/WavFile.h"

namespace {

constexpr int kRate = 44100;

// A few partials that change every half second, and a little noise.
void WriteSignal(const std::string& path, double minutes) {
  const int64_t frames = int64_t(minutes * 60 * kRate);
  TWavWriter w(path, TWavFormat{kRate, 2, 16, false, false}, TAudioTags{});
  std::vector<float> s(size_t(kRate) * 2);
  uint32_t x = 7;
  for (int64_t at = 0; at < frames; at += kRate) {
    int64_t n = std::min<int64_t>(kRate, frames - at);
    for (int64_t j = 0; j < n; ++j) {
      int64_t i = at + j;
      double f = 110.0 * std::pow(2.0, double(i / (kRate / 2) % 24) / 12.0);
      double t = double(i) / kRate;
      double v = 0.25 * std::sin(2 * M_PI * f * t) + 0.12 * std::sin(2 * M_PI * 2.01 * f * t) +
                 0.06 * std::sin(2 * M_PI * 3.02 * f * t);
      x = x * 1664525u + 1013904223u;
      double noise = int32_t(x) / 2147483648.0 * 0.03;
      s[size_t(j) * 2] = float(v + noise);
      s[size_t(j) * 2 + 1] = float(0.8 * v - noise);
    }
    w.Write(s.data(), n);
  }
  w.Commit();
}

void Convert(const std::string& task, const std::string& in, const std::string& out) {
  TAudioFile2 *reader = TAudioFile2::Create(nullptr), *writer = TAudioFile2::Create(nullptr);
  TAudioFile2LameEnc* vbr = TAudioFile2LameEnc::Create(nullptr);
  reader->OpenForReading(in);
  const int rate = reader->GetFileSampleRate(), channels = reader->GetFileChannels();
  if (task == "mp3") {
    writer->SetMp3Cbr(rate, 192, channels);
  } else if (task == "mp3vbr") {
    vbr->SetChannels(channels);
    vbr->SetStereoMode(2);
    vbr->SetVbrMethod(0);
    vbr->SetVbrQuality(2);
    vbr->SetVbrMinBitRate(32);
    vbr->SetVbrMaxBitRate(320);
    vbr->SetXingHeader(-1);
    writer->SetMp3Encoder(vbr);
  } else if (task == "ogg") {
    writer->SetOggFormat(rate, channels, 192, 0, 0, -1);
  } else {
    writer->SetWavFormat(rate, channels, 16);
  }
  writer->SetPcmFormat(reader->GetPcmSampleRate(), reader->GetPcmChannels());
  writer->CreateForWriting(out, 0);
  const int block = reader->GetPcmSampleRate() * reader->GetPcmChannels();
  for (TSampleArray samples; !(samples = reader->ReadBlock(block)).empty();) writer->WriteBlock(samples);
  writer->CloseFile();
  reader->CloseFile();
  Free(vbr);
  Free(writer);
  Free(reader);
}

void Describe(const std::string& path) {
  TAudioFile2* reader = TAudioFile2::Create(nullptr);
  reader->OpenForReading(path);
  int64_t frames = 0;
  const int block = reader->GetPcmSampleRate() * reader->GetPcmChannels();
  for (TSampleArray samples; !(samples = reader->ReadBlock(block)).empty();)
    frames += int64_t(samples.size()) / reader->GetPcmChannels();
  std::printf("frames %lld rate %d channels %d\n", (long long)frames, reader->GetFileSampleRate(),
              reader->GetFileChannels());
  Free(reader);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string task = argc > 1 ? argv[1] : "";
  try {
    if (task == "signal" && argc == 4) {
      WriteSignal(argv[2], std::atof(argv[3]));
    } else if ((task == "mp3" || task == "mp3vbr" || task == "ogg" || task == "wav") && argc == 4) {
      Convert(task, argv[2], argv[3]);
    } else if (task == "describe" && argc == 3) {
      Describe(argv[2]);
    } else {
      std::fprintf(stderr, "usage: bench_codecs signal OUT MINUTES | mp3|mp3vbr|ogg|wav IN OUT | describe FILE\n");
      return 2;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_codecs %s: %s\n", task.c_str(), e.what());
    return 1;
  }
  return 0;
}
