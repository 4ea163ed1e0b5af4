#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <new>
#include <random>
#include <thread>
#include <vector>

namespace {

struct TLiveBlock {
  std::unique_ptr<uint8_t[]> Data;
  size_t Size;
  uint8_t Mark;
};

// Allocates blocks around the sizes kept for reuse (small, just under and
// over the large-block bound, audio-buffer sized, huge), fills each with its
// own mark and frees them in random order; every block must still hold its
// mark when freed, so no two live blocks ever share memory.
bool ChurnKeepsBlocksApart(unsigned seed, int rounds) {
  std::mt19937 gen(seed);
  const size_t sizes[] = {24, 4000, 65535, 65536, 65537, 352800, 352801, 524288, 700000, 3 << 20, 30 << 20};
  std::uniform_int_distribution<size_t> pick(0, std::size(sizes) - 1);
  std::vector<TLiveBlock> live;
  auto intact = [](const TLiveBlock& b) {
    // The ends and a stride through the middle.
    for (size_t i = 0; i < b.Size; i += (i < 64 || i + 64 > b.Size) ? 1 : 4093)
      if (b.Data[i] != b.Mark) return false;
    return b.Data[b.Size - 1] == b.Mark;
  };
  for (int r = 0; r < rounds; ++r) {
    if (live.size() < 12 && (live.empty() || gen() % 3 != 0)) {
      size_t n = sizes[pick(gen)];
      TLiveBlock b{std::unique_ptr<uint8_t[]>(new uint8_t[n]), n, uint8_t(gen() | 1)};
      std::fill(b.Data.get(), b.Data.get() + n, b.Mark);
      live.push_back(std::move(b));
    } else {
      size_t i = gen() % live.size();
      if (!intact(live[i])) return false;
      live.erase(live.begin() + long(i));
    }
  }
  for (const TLiveBlock& b : live)
    if (!intact(b)) return false;
  return true;
}

} // namespace

TEST(MemoryManager, ReusedBlocksNeverOverlapLiveOnes) { EXPECT_TRUE(ChurnKeepsBlocksApart(1, 3000)); }

TEST(MemoryManager, ThreadsShareTheKeptBlocksSafely) {
  bool ok[4] = {};
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < 4; ++t)
    threads.emplace_back([&ok, t] { ok[t] = ChurnKeepsBlocksApart(100 + t, 1500); });
  for (std::thread& t : threads)
    t.join();
  for (bool b : ok)
    EXPECT_TRUE(b);
}

TEST(MemoryManager, ImpossibleRequestsFailAsTheLanguageSays) {
  volatile size_t huge = SIZE_MAX - 8;
  EXPECT_THROW((void)new char[huge], std::bad_alloc);
  EXPECT_EQ(new (std::nothrow) char[huge], nullptr);
  // Zero bytes still give a distinct pointer.
  char *a = new char[0], *b = new char[0];
  EXPECT_NE(a, b);
  delete[] a;
  delete[] b;
}
