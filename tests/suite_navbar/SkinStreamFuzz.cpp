// libFuzzer target for the skin stream reader, built natively (the reader needs
// no system headers; PNG blocks are kept as bytes behind the decoder interface)
// with the address and undefined-behaviour sanitizers:
//   scripts/fuzz-skin-stream [seconds] [jobs]
// Every input must either raise the reader's own error or read; what reads must
// write and read back to the same stream.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "suite/navbar/SkinStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TdxSkinPngKeeper Keeper;
  TdxSkinStreamData D;
  try {
    TdxSkinMemorySource Source(Data, Size);
    D = ReadSkinStream(Source, Keeper);
  } catch (const TdxSkinStreamError&) {
    return 0;
  }
  std::vector<uint8_t> Once = WriteSkinStream(D);
  TdxSkinMemorySource Again(Once.data(), Once.size());
  TdxSkinStreamData D2;
  try {
    D2 = ReadSkinStream(Again, Keeper);
  } catch (const TdxSkinStreamError&) {
    std::abort();  // what was read must write back readably
  }
  if (WriteSkinStream(D2) != Once) std::abort();
  return 0;
}
