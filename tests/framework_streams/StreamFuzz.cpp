// Mutation fuzzer for the component stream reader and the text form, run under Wine:
//   scripts/build --target fuzz_streams && wine $SONVELT_BUILD_DIR/tests/framework_streams/fuzz_streams.exe [cases] [seed]
// Seeds are streams the writer made of trees using every kind of value (references
// forward and back, collections, lists, binary data, fonts, events, inherited
// components). Each case mutates a seed (bytes, value types, lengths, truncation,
// repeated pieces for nesting), reads it with and without an OnError that skips,
// and when it reads writes it again, reads that, and takes it through the text
// form. A crash, hang or leaked component ends the run; errors raised are the
// expected outcome.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "framework/ComponentStreams.h"
#include "framework/ObjectText.h"
#include "framework/Reader.h"
#include "tests/framework_streams/StreamFixtures.h"

namespace {

std::mt19937 rng;

std::uint32_t Pick(std::uint32_t n) { return n ? std::uniform_int_distribution<std::uint32_t>(0, n - 1)(rng) : 0; }

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  for (int variant = 0; variant < 4; ++variant) {
    TOwned<TThingRoot> root(TThingRoot::Create(nullptr));
    root->SetName("Root");
    TThing* a = MakeThing(root.get(), "A");
    TThing* inner = MakeThing(root.get(), "Inner", a);
    TThing* b = MakeThing(root.get(), "B");
    a->SetCount(variant * 1000);
    a->SetLevel(-70000 * variant);
    a->SetColour(variant ? clRed : 0x123456);
    a->SetMode(static_cast<TMode>(variant % 3));
    a->SetOptions({opB, opC});
    a->SetCaption(variant == 1 ? std::string(400, 'a') : "caf\xC3\xA9");
    a->SetRatio(variant / 3.0);
    a->SetSmall(0.25f);
    a->SetBig(std::int64_t(1) << (30 + variant * 8));
    a->SetOwnFont(variant != 2);
    a->GetFont()->SetStyle({fsBold});
    a->GetLines()->SetText("x\r\ny\r\n");
    a->SetPeer(b);
    inner->SetPeer(a);
    for (int i = 0; i < variant + 1; ++i) {
      auto* item = static_cast<TThingItem*>(a->GetItems()->Add());
      item->SetCaption("item");
      item->SetTarget(i % 2 ? static_cast<TComponent*>(b) : root.get());
    }
    a->Blob = Bytes(static_cast<std::size_t>(variant * 7), 0xA5);
    a->Pairs = {variant, -variant, 1 << 20};
    a->OnChange = Bind(root.get(), &TThingRoot::ThingChange);
    a->OnCount = Bind(root.get(), &TThingRoot::ThingCount);
    seeds.push_back(Written(root.get()));
    // The same tree against an ancestor: inherited components and positions.
    TOwned<TThingRoot> ancestor(TThingRoot::Create(nullptr));
    ancestor->SetName("Root");
    MakeThing(ancestor.get(), "B");
    MakeThing(ancestor.get(), "A");
    seeds.push_back(Written(root.get(), ancestor.get()));
  }
  return seeds;
}

Bytes Mutate(Bytes b) {
  const std::uint32_t rounds = 1 + Pick(4);
  for (std::uint32_t r = 0; r < rounds && !b.empty(); ++r) {
    const auto size = static_cast<std::uint32_t>(b.size());
    switch (Pick(8)) {
      case 0: b[Pick(size)] ^= std::uint8_t(1 << Pick(8)); break;
      case 1: b[Pick(size)] = std::uint8_t(Pick(256)); break;
      case 2: b[Pick(size)] = std::uint8_t(Pick(vaLast + 1)); break;  // another value type
      case 3: b.resize(Pick(size)); break;
      case 4: b.insert(b.begin() + Pick(size), Pick(16) + 1, std::uint8_t(Pick(256))); break;
      case 5: {
        const std::size_t at = Pick(size), n = std::min<std::size_t>(Pick(16) + 1, b.size() - at);
        b.erase(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
        break;
      }
      case 6: {  // an interesting 32-bit value somewhere, as a length
        const std::uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 65535, 65536, 255, 256};
        const std::uint32_t v = values[Pick(9)];
        if (b.size() >= 4) {
          const std::size_t at = Pick(size - 3);
          for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
        }
        break;
      }
      case 7: {  // a piece repeated in place: deeper nesting, longer lists
        const std::size_t at = Pick(size), n = std::min<std::size_t>(Pick(64) + 1, b.size() - at);
        const Bytes piece(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
        for (std::uint32_t k = 0, times = 1 + Pick(20); k < times; ++k)
          b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
        break;
      }
    }
  }
  return b;
}

struct TSkipAll {
  void Skip(TReader*, const std::string&, bool& Handled) { Handled = true; }
};

TComponent* Read(const Bytes& Data, bool Skip) {
  TOwned<TMemoryStream> stream(StreamOf(Data));
  TOwned<TReader> reader(TReader::Create(stream.get()));
  TSkipAll skipper;
  if (Skip) reader->OnError = Bind(&skipper, &TSkipAll::Skip);
  return reader->ReadRootComponent(nullptr);
}

void CheckNothingLeft(long Case) {
  if (TThing::Live || TThingItem::Live || TThingRoot::Live) {
    std::fprintf(stderr, "case %ld leaked: %d things, %d items, %d roots\n", Case, TThing::Live, TThingItem::Live,
                 TThingRoot::Live);
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const long cases = argc > 1 ? std::atol(argv[1]) : 20000;
  rng.seed(argc > 2 ? unsigned(std::atol(argv[2])) : 1u);
  const std::vector<Bytes> seeds = Seeds();
  long read = 0, refused = 0, texts = 0;
  for (long i = 0; i < cases; ++i) {
    const Bytes data = Mutate(seeds[Pick(static_cast<std::uint32_t>(seeds.size()))]);
    // A hang shows as the last case number printed.
    if (i % 10000 == 0 || getenv("FUZZ_TRACE")) std::fprintf(stderr, "case %ld\n", i);
    if (const char* dump = getenv("FUZZ_DUMP"); dump && std::atol(dump) == i) {
      FILE* f = std::fopen("fuzz_case.bin", "wb");
      std::fwrite(data.data(), 1, data.size(), f);
      std::fclose(f);
      return 0;
    }
    const DWORD started = GetTickCount();
    for (bool skip : {false, true}) {
      Log.clear();
      try {
        TOwned<TComponent> root(Read(data, skip));
        ++read;
        const Bytes again = Written(root.get());
        TOwned<TComponent> copy(Read(again, false));
        if (Written(copy.get()) != again) {
          std::fprintf(stderr, "case %ld: a written stream does not read back the same\n", i);
          return 1;
        }
      } catch (const Exception&) {
        ++refused;
      }
      CheckNothingLeft(i);
    }
    try {
      const std::string text = TextOf(data);
      ++texts;
      TOwned<TComponent> root(Read(BinaryOf(text), true));
    } catch (const Exception&) {
    }
    Log.clear();
    CheckNothingLeft(i);
    if (GetTickCount() - started > 2000) std::fprintf(stderr, "case %ld took %lu ms\n", i, GetTickCount() - started);
  }
  std::printf("%ld cases: %ld reads, %ld refused, %ld converted to text\n", cases, read, refused, texts);
  return 0;
}
