// The program's operator new and delete. Large blocks (audio buffers of a
// second or so) are kept for the next request of about the same size instead
// of going back to the system: the system returns them on free and hands out
// fresh pages that fault in one by one, which costs more than the work done on
// the samples. A few recent blocks are kept, at most kCacheBytes in all.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

// Every block carries its usable size in front, so delete knows its kind.
constexpr std::size_t kHeader = 16;
constexpr std::size_t kLargeBlock = 64 * 1024;
constexpr std::size_t kGranule = 64 * 1024;
constexpr std::size_t kCacheBytes = 24 << 20;
constexpr int kSlots = 16;

struct TBlockCache {
  SRWLOCK Lock;
  int Count;
  std::size_t Bytes;
  void *Blocks[kSlots];  // oldest first
};
constinit TBlockCache Cache{SRWLOCK_INIT, 0, 0, {}};

std::size_t &SizeOf(void *base) { return *static_cast<std::size_t *>(base); }

// A kept block of at least size and at most half as large again, or null.
void *TakeCached(std::size_t size) {
  void *found = nullptr;
  AcquireSRWLockExclusive(&Cache.Lock);
  for (int i = Cache.Count - 1; i >= 0; --i) {
    std::size_t have = SizeOf(Cache.Blocks[i]);
    if (have >= size && have <= size + size / 2) {
      found = Cache.Blocks[i];
      for (int j = i + 1; j < Cache.Count; ++j) Cache.Blocks[j - 1] = Cache.Blocks[j];
      --Cache.Count;
      Cache.Bytes -= have;
      break;
    }
  }
  ReleaseSRWLockExclusive(&Cache.Lock);
  return found;
}

// Keeps a large block, dropping the oldest ones to make room; returns what is
// to be freed (one block at most, the caller frees it outside the lock).
void KeepOrFree(void *base) {
  const std::size_t size = SizeOf(base);
  void *drop[kSlots + 1];
  int dropped = 0;
  AcquireSRWLockExclusive(&Cache.Lock);
  if (size > kCacheBytes) {
    drop[dropped++] = base;
  } else {
    while (Cache.Count == kSlots || Cache.Bytes + size > kCacheBytes) {
      void *oldest = Cache.Blocks[0];
      Cache.Bytes -= SizeOf(oldest);
      for (int j = 1; j < Cache.Count; ++j) Cache.Blocks[j - 1] = Cache.Blocks[j];
      --Cache.Count;
      drop[dropped++] = oldest;
    }
    Cache.Blocks[Cache.Count++] = base;
    Cache.Bytes += size;
  }
  ReleaseSRWLockExclusive(&Cache.Lock);
  for (int i = 0; i < dropped; ++i) std::free(drop[i]);
}

void *Allocate(std::size_t size) noexcept {
  if (size >= kLargeBlock) {
    if (size > SIZE_MAX - kGranule - kHeader) return nullptr;
    size = (size + kGranule - 1) / kGranule * kGranule;
    if (void *base = TakeCached(size)) return static_cast<char *>(base) + kHeader;
  }
  void *base = std::malloc(size + kHeader);
  if (!base) return nullptr;
  SizeOf(base) = size;
  return static_cast<char *>(base) + kHeader;
}

void Release(void *p) noexcept {
  if (!p) return;
  void *base = static_cast<char *>(p) - kHeader;
  if (SizeOf(base) >= kLargeBlock)
    KeepOrFree(base);
  else
    std::free(base);
}

void *AllocateOrThrow(std::size_t size) {
  for (;;) {
    if (void *p = Allocate(size)) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

}  // namespace

void *operator new(std::size_t size) { return AllocateOrThrow(size); }
void *operator new[](std::size_t size) { return AllocateOrThrow(size); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return Allocate(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return Allocate(size); }
void operator delete(void *p) noexcept { Release(p); }
void operator delete[](void *p) noexcept { Release(p); }
void operator delete(void *p, std::size_t) noexcept { Release(p); }
void operator delete[](void *p, std::size_t) noexcept { Release(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { Release(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { Release(p); }
