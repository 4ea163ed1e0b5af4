// Freed memory is overwritten before the heap takes it back, so that a
// component which touches itself after an event handler freed it fails at
// once, instead of reading whatever happened to be left there.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

// The whole set of operators, so that the program's own memory manager, whose
// blocks this delete could not free, stays out of these tests.
void* operator new(std::size_t n) {
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return ::operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }

void operator delete(void* p) noexcept {
  if (!p) return;
  std::memset(p, 0xDD, _msize(p));
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }
void operator delete[](void* p) noexcept { ::operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { ::operator delete(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { ::operator delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { ::operator delete(p); }
