// Mutation fuzzer for the PNG reader, run under Wine:
//   scripts/build --target fuzz_png && wine $SONVELT_BUILD_DIR/tests/skins_png/fuzz_png.exe [cases] [seed]
// Seeds cover every colour type and depth, interlacing and the ancillary chunks.
// Each case mutates a seed (bytes, lengths, truncation, the scanlines under the
// compression, with CRCs mended half of the time so the damage reaches deep),
// loads it, and when it loads reads pixels, draws, writes and reads it again;
// the skin picture (TspPngImage) reads, draws, resizes and writes every case too.
// A crash or hang ends the run; errors the reader raises are the expected outcome.
#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "framework/Canvas.h"
#include "framework/MemoryStreams.h"
#include "skins/PngObject.h"
#include "skins/SkinPngImage.h"
#include "tests/skins_png/PngFixtures.h"

namespace {

std::mt19937 rng;

uint32_t Pick(uint32_t n) { return n ? std::uniform_int_distribution<uint32_t>(0, n - 1)(rng) : 0; }

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  for (const auto& [type, depths] : ColourTypesAndDepths())
    for (uint8_t depth : depths)
      for (uint8_t interlace : {0, 1}) {
        TestImage im{11, 7, depth, type, interlace, [depth](uint32_t x, uint32_t y) {
                       Samples s{};
                       for (int c = 0; c < 4; ++c) s[c] = uint16_t((x * 31 + y * 17 + c * 7) % (depth == 16 ? 65536 : 1 << depth));
                       return s;
                     }};
        std::vector<std::pair<std::string, Bytes>> extra{{"gAMA", BigEndian32(45454)},
                                                         {"tEXt", Bytes{'k', 0, 'v'}},
                                                         {"tIME", Bytes{7, 234, 1, 2, 3, 4, 5}}};
        if (type == 3) {
          extra.emplace_back("PLTE", Bytes(3u << std::min<int>(depth, 8), 0x5A));
          extra.emplace_back("tRNS", Bytes{0, 128, 255});
        }
        if (type == 0) extra.emplace_back("tRNS", Bytes{0, 1});
        if (type == 2) extra.emplace_back("tRNS", Bytes{0, 1, 0, 2, 0, 3});
        Bytes z{'z', 0, 0};
        const Bytes packed = Deflate(Bytes(40, 'a'));
        z.insert(z.end(), packed.begin(), packed.end());
        extra.emplace_back("zTXt", z);
        seeds.push_back(PngFile::Of(im, extra, interlace ? 13 : 0).GetBytes());
      }
  return seeds;
}

// Recomputes every chunk CRC that lies inside the file.
void MendCrcs(Bytes& b) {
  size_t at = 8;
  while (at + 12 <= b.size()) {
    const uint32_t n = uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
    if (n > b.size() - at - 12) break;
    const uint32_t crc = uint32_t(crc32(0, b.data() + at + 4, n + 4));
    const Bytes be = BigEndian32(crc);
    std::copy(be.begin(), be.end(), b.begin() + at + 8 + n);
    at += 12 + n;
  }
}

Bytes Mutate(Bytes b) {
  const uint32_t rounds = 1 + Pick(4);
  for (uint32_t r = 0; r < rounds && !b.empty(); ++r) {
    switch (Pick(7)) {
      case 0: b[Pick(uint32_t(b.size()))] ^= uint8_t(1 << Pick(8)); break;
      case 1: b[Pick(uint32_t(b.size()))] = uint8_t(Pick(256)); break;
      case 2: b.resize(Pick(uint32_t(b.size()))); break;
      case 3: b.insert(b.begin() + Pick(uint32_t(b.size())), Pick(16) + 1, uint8_t(Pick(256))); break;
      case 4: {
        const size_t at = Pick(uint32_t(b.size())), n = std::min<size_t>(Pick(16) + 1, b.size() - at);
        b.erase(b.begin() + at, b.begin() + at + n);
        break;
      }
      case 5: {  // an interesting 32-bit value somewhere, as a length or a size
        const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 65535, 65536, 13};
        const Bytes v = BigEndian32(values[Pick(8)]);
        if (b.size() >= 4) std::copy(v.begin(), v.end(), b.begin() + Pick(uint32_t(b.size() - 3)));
        break;
      }
      case 6: {  // damage under the compression: scanlines and filter bytes
        Bytes packed;
        size_t first = 0, end = 0;
        size_t at = 8;
        while (at + 12 <= b.size()) {
          const uint32_t n = uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
          if (n > b.size() - at - 12) break;
          if (std::string(b.begin() + at + 4, b.begin() + at + 8) == "IDAT") {
            if (!first) first = at;
            packed.insert(packed.end(), b.begin() + at + 8, b.begin() + at + 8 + n);
            end = at + 12 + n;
          } else if (first) {
            break;
          }
          at += 12 + n;
        }
        if (!first) break;
        Bytes raw;
        try {
          raw = Inflate(packed);
        } catch (...) {
          break;
        }
        if (raw.empty()) break;
        for (uint32_t k = 0; k < 1 + Pick(8); ++k) raw[Pick(uint32_t(raw.size()))] = uint8_t(Pick(256));
        if (Pick(3) == 0) raw.resize(Pick(uint32_t(raw.size())));
        if (Pick(3) == 0) raw.resize(raw.size() + Pick(2000), uint8_t(Pick(256)));
        const Bytes data = Deflate(raw);
        PngFile chunk;
        chunk.Chunk("IDAT", data);
        Bytes replacement(chunk.GetBytes().begin() + 8, chunk.GetBytes().end());
        b.erase(b.begin() + first, b.begin() + end);
        b.insert(b.begin() + first, replacement.begin(), replacement.end());
        break;
      }
    }
  }
  if (Pick(2)) MendCrcs(b);
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  const long cases = argc > 1 ? std::atol(argv[1]) : 5000;
  rng.seed(argc > 2 ? unsigned(std::atol(argv[2])) : 1u);
  const std::vector<Bytes> seeds = Seeds();
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateCompatibleBitmap(GetDC(nullptr), 64, 64);
  SelectObject(dc, target);
  TCanvas* canvas = TCanvas::Create();
  canvas->SetHandle(dc);
  long loaded = 0, refused = 0, skinRaised = 0;
  for (long i = 0; i < cases; ++i) {
    const Bytes file = Mutate(seeds[Pick(uint32_t(seeds.size()))]);
    // A hang shows as the last case number printed.
    if (i % 10000 == 0 || getenv("FUZZ_TRACE")) std::fprintf(stderr, "case %ld\n", i);
    const DWORD started = GetTickCount();
    if (const char* dump = getenv("FUZZ_DUMP"); dump && std::atol(dump) == i) {
      FILE* f = std::fopen("fuzz_case.png", "wb");
      std::fwrite(file.data(), 1, file.size(), f);
      std::fclose(f);
      return 0;
    }
    TPNGObject* png = TPNGObject::Create();
    TMemoryStream* stream = TMemoryStream::Create();
    if (!file.empty()) stream->WriteBuffer(file.data(), int(file.size()));
    stream->SetPosition(0);
    try {
      png->LoadFromStream(stream);
      ++loaded;
      // Huge pictures are legal; walking and re-encoding them only slows the run.
      if (int64_t(png->GetWidth()) * png->GetHeight() > 1 << 20) throw Exception("huge");
      for (int y = -1; y <= png->GetHeight(); ++y)
        for (int x = -1; x <= png->GetWidth(); x += 3) png->GetPixel(x, y);
      png->Draw(canvas, RECT{0, 0, 40, 30});
      TMemoryStream* out = TMemoryStream::Create();
      png->SaveToStream(out);
      out->SetPosition(0);
      TPNGObject* again = TPNGObject::Create();
      again->LoadFromStream(out);
      Free(again);
      Free(out);
    } catch (const Exception&) {
      ++refused;
    }
    // The skin picture reads the same bytes and never raises of its own.
    stream->SetPosition(0);
    TspPngImage* skin = TspPngImage::Create();
    try {
      skin->LoadFromStream(stream);
      if (int64_t(skin->GetWidth()) * skin->GetHeight() <= 1 << 20) {
        for (int y = -1; y <= skin->GetHeight(); y += 2)
          for (int x = -1; x <= skin->GetWidth(); x += 3) skin->GetPixel(x, y);
        skin->Draw(canvas, RECT{0, 0, 40, 30});
        skin->Draw(canvas, RECT{50, 60, 3, 1});
        skin->ResizeTo(17, 9);
        TMemoryStream* out = TMemoryStream::Create();
        skin->SaveToStream(out);
        out->SetPosition(0);
        TspPngImage* again = TspPngImage::Create();
        again->LoadFromStream(out);
        Free(again);
        Free(out);
      }
    } catch (const Exception& e) {
      std::fprintf(stderr, "case %ld: the skin picture raised %s: %s\n", i, e.ClassName().c_str(), e.GetMessage().c_str());
      ++skinRaised;
    }
    Free(skin);
    Free(stream);
    Free(png);
    if (GetTickCount() - started > 2000) std::fprintf(stderr, "case %ld took %lu ms\n", i, GetTickCount() - started);
  }
  canvas->SetHandle(nullptr);
  Free(canvas);
  DeleteDC(dc);
  DeleteObject(target);
  std::printf("%ld cases: %ld loaded, %ld refused; the skin picture raised %ld times\n", cases, loaded, refused,
              skinRaised);
  return 0;
}
