// Mutation fuzzer for the decoding road (every reader behind OpenAudioDecoder),
// run under Wine:
//   scripts/test test_engine_codecs    (makes the Linux-side files in build/fixtures/codecs)
//   scripts/build --target fuzz_codecs
//   wine build/tests/engine_codecs/fuzz_codecs.exe [cases] [seed] [folder of made files]
// Seeds are MP1, MP3, Ogg Vorbis and WMA files made here, mono and stereo, and
// the made files of the folder (MP2, Musepack, joined MPEG, compressed WAV).
// Each case damages a seed (bits, bytes, 1 % of the bytes at random, 32-bit
// sizes, cuts, insertions, another seed joined on), opens it and reads it to
// the end. A crash or hang ends the run; errors the readers raise are the
// expected outcome, and a sample that is not finite, or a format outside mono
// and stereo, is a finding.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "CodecTestSupport.h"
#include "engine/AudioDecoder.h"
#include "engine/EngineError.h"
#include "engine/codecs/CodecFile.h"
#include "engine/codecs/Mp3Encoder.h"
#include "engine/codecs/OggEncoder.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

using Bytes = std::vector<unsigned char>;
struct TSeed {
  std::string Extension;
  Bytes Data;
};

std::mt19937 rng;

uint32_t Pick(uint32_t n) { return n ? std::uniform_int_distribution<uint32_t>(0, n - 1)(rng) : 0; }

// MPEG-1 Layer I at 48 kHz: a steady tone in subband 1 of each channel.
Bytes Layer1(int channels, int frames) {
  std::vector<bool> bits;
  auto put = [&](uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) bits.push_back((v >> i) & 1);
  };
  put(0xFFF, 12), put(1, 1), put(3, 2), put(1, 1), put(12, 4), put(1, 2), put(0, 2);
  put(channels == 1 ? 3 : 0, 2), put(0, 6);
  for (int sb = 0; sb < 32; ++sb)
    for (int c = 0; c < channels; ++c) put(sb == 1 + c ? 7 : 0, 4);
  for (int c = 0; c < channels; ++c) put(6 + c, 6);
  for (int s = 0; s < 12; ++s)
    for (int c = 0; c < channels; ++c) put(0xC0 - 16 * s, 8);
  bits.resize(384 * 8, false);
  Bytes frame(384);
  for (size_t i = 0; i < bits.size(); ++i) frame[i / 8] |= (unsigned char)(bits[i] << (7 - i % 8));
  Bytes all;
  for (int i = 0; i < frames; ++i) all.insert(all.end(), frame.begin(), frame.end());
  return all;
}

std::vector<TSeed> Seeds(const std::string& folder) {
  std::vector<TSeed> seeds;
  TTestFolder dir;
  TCodecTags tags;
  tags.Title = "Title", tags.Comment = "A comment", tags.Year = 2001, tags.Genre = "Jazz", tags.GenreIndex = 8;
  for (int ch : {1, 2}) {
    const int rate = ch == 1 ? 22050 : 44100, frames = rate / 3;
    std::vector<float> src = Tones(frames, rate, ch == 1 ? std::vector<double>{440} : std::vector<double>{440, 660});
    std::vector<std::pair<std::string, std::unique_ptr<TCodecEncoder>>> encoders;
    TLameSettings mp3;
    mp3.SetCbr(rate, 64, ch);
    encoders.emplace_back(".mp3", std::make_unique<TMp3Encoder>(dir.Path("s.mp3"), rate, ch, mp3, tags));
    encoders.emplace_back(".ogg", std::make_unique<TOggEncoder>(dir.Path("s.ogg"), rate, ch,
                                                                TOggSettings{rate, ch, 64}, tags));
    encoders.emplace_back(".wma", std::make_unique<TWmaEncoder>(dir.Path("s.wma"), rate, ch, ch == 1 ? 11 : 13, tags));
    for (auto& [ext, e] : encoders) {
      e->Write(src.data(), frames);
      e->Finish();
      e.reset();
      seeds.push_back({ext, ReadBytes(dir.Path("s" + ext))});
    }
    seeds.push_back({".mpga", Layer1(ch, 40)});
  }
  if (!folder.empty()) {
    for (const char* name : {"stereo44.mp2", "mono22.mp2", "mono32.mpga", "stereo44.mpc", "stereo-mono.mp3",
                             "44k-48k.mp3", "stereo-mono.mp2", "ms-adpcm.wav", "ima-adpcm.wav", "gsm.wav",
                             "mulaw.wav", "streamed.wav", "six44.ogg", "stereo44.wma"}) {
      std::string path = folder + "\\" + name;
      if (!FileExists(path)) continue;
      Bytes b = ReadBytes(path);
      if (b.size() > 200000) b.resize(200000);  // a part is as good a seed as the whole, and faster
      seeds.push_back({CodecFileExtension(path), b});
    }
  }
  return seeds;
}

Bytes Mutate(Bytes b, const std::vector<TSeed>& seeds) {
  const uint32_t rounds = 1 + Pick(4);
  for (uint32_t r = 0; r < rounds && !b.empty(); ++r) {
    switch (Pick(8)) {
      case 0: b[Pick(uint32_t(b.size()))] ^= (unsigned char)(1 << Pick(8)); break;
      case 1: b[Pick(uint32_t(b.size()))] = (unsigned char)Pick(256); break;
      case 2: b.resize(Pick(uint32_t(b.size()))); break;
      case 3: b.insert(b.begin() + Pick(uint32_t(b.size())), Pick(16) + 1, (unsigned char)Pick(256)); break;
      case 4: {
        const size_t at = Pick(uint32_t(b.size())), n = std::min<size_t>(Pick(64) + 1, b.size() - at);
        b.erase(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + n));
        break;
      }
      case 5: {  // a size or count somewhere
        const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 65535, 65536, 44100, 6};
        const uint32_t v = values[Pick(9)];
        if (b.size() >= 4) {
          const size_t at = Pick(uint32_t(b.size() - 3));
          for (int i = 0; i < 4; ++i) b[at + size_t(i)] = (unsigned char)(v >> (8 * i));
        }
        break;
      }
      case 6:  // damage spread through the file, as a bad copy leaves it
        for (size_t n = 0; n < b.size() / 100 + 1; ++n) b[Pick(uint32_t(b.size()))] = (unsigned char)Pick(256);
        break;
      case 7: {  // another file joined on, of another format perhaps
        const Bytes& other = seeds[Pick(uint32_t(seeds.size()))].Data;
        const size_t from = Pick(uint32_t(other.size()));
        b.insert(b.end(), other.begin() + std::ptrdiff_t(from), other.end());
        break;
      }
    }
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  const long cases = argc > 1 ? std::atol(argv[1]) : 2000;
  rng.seed(argc > 2 ? unsigned(std::atol(argv[2])) : 1u);
  const std::vector<TSeed> seeds = Seeds(argc > 3 ? argv[3] : "");
  std::fprintf(stderr, "%zu seeds\n", seeds.size());
  TTestFolder dir;
  std::vector<float> block(size_t(4096) * 2);
  long opened = 0, refused = 0;
  for (long i = 0; i < cases; ++i) {
    const TSeed& seed = seeds[Pick(uint32_t(seeds.size()))];
    const Bytes file = Mutate(seed.Data, seeds);
    // A hang shows as the last case number printed.
    if (i % 1000 == 0 || getenv("FUZZ_TRACE")) std::fprintf(stderr, "case %ld\n", i);
    const std::string path = dir.Path("case" + seed.Extension);
    WriteBytes(path, file);
    if (const char* dump = getenv("FUZZ_DUMP"); dump && std::atol(dump) == i) {
      WriteBytes("fuzz_case" + seed.Extension, file);
      return 0;
    }
    const DWORD started = GetTickCount();
    try {
      std::unique_ptr<TAudioDecoder> d = OpenAudioDecoder(path);
      const int ch = d->GetChannels();
      if (ch < 1 || ch > 2 || d->GetRate() <= 0) {
        std::fprintf(stderr, "case %ld: %d channels at %d Hz\n", i, ch, d->GetRate());
        return 1;
      }
      for (int64_t n; (n = d->Read(block.data(), 4096)) > 0;)
        for (int64_t k = 0; k < n * ch; ++k)
          if (!std::isfinite(block[size_t(k)])) {
            std::fprintf(stderr, "case %ld: a sample that is not finite\n", i);
            return 1;
          }
      ++opened;
    } catch (const EAudioError&) {
      ++refused;
    }
    if (GetTickCount() - started > 2000) std::fprintf(stderr, "case %ld took %lu ms\n", i, GetTickCount() - started);
  }
  std::printf("%ld cases: %ld opened, %ld refused\n", cases, opened, refused);
  return 0;
}
