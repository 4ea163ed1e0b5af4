// Freed memory is overwritten before the heap takes it back, so that a
// component which touches itself after an event handler freed it fails at
// once, instead of reading whatever happened to be left there.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

void operator delete(void* p) noexcept {
  if (!p) return;
  std::memset(p, 0xDD, _msize(p));
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }
void operator delete[](void* p) noexcept { ::operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { ::operator delete(p); }
