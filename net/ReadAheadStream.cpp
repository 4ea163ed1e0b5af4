#include "net/ReadAheadStream.h"

#include <algorithm>
#include <cstring>

namespace sonvelt::net {

TReadAheadStream::TReadAheadStream(TOwned<TStream> source, int blockSize)
    : Source(std::move(source)), Block(size_t(std::max(blockSize, 1))) {}

int TReadAheadStream::Read(void* buffer, int count) {
  auto* out = static_cast<char*>(buffer);
  int done = 0;
  while (done < count) {
    if (Taken == Filled) {
      int n = Source->Read(Block.data(), int(Block.size()));
      if (n <= 0) break;
      Filled = size_t(n);
      Taken = 0;
    }
    size_t n = std::min(Filled - Taken, size_t(count - done));
    std::memcpy(out + done, Block.data() + Taken, n);
    Taken += n;
    done += int(n);
  }
  return done;
}

std::int64_t TReadAheadStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t ahead = std::int64_t(Filled - Taken);
  if (origin == soCurrent && offset == 0) return Source->Seek(0, soCurrent) - ahead;
  // Any real move drops what was read ahead.
  if (origin == soCurrent) offset -= ahead;
  Filled = Taken = 0;
  return Source->Seek(offset, origin);
}

}  // namespace sonvelt::net
