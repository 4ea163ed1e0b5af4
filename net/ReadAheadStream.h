// Reads another stream in large blocks and hands it out in small reads, for
// readers that take a line's worth at a time from a file.
#pragma once
#include <cstdint>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/Streams.h"

namespace sonvelt::net {

class TReadAheadStream : public TStream {
  SONVELT_CLASS(TReadAheadStream, TStream)
public:
  explicit TReadAheadStream(TOwned<TStream> source, int blockSize = 64 * 1024);
  int Read(void* buffer, int count) override;
  int Write(const void*, int) override { return 0; }  // reading only
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t GetSize() override { return Source->GetSize(); }

private:
  TOwned<TStream> Source;
  std::vector<char> Block;
  size_t Filled = 0, Taken = 0;
};

}  // namespace sonvelt::net
