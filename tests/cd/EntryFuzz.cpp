// libFuzzer target for the CD database entry parser, built natively (the parser
// needs no system headers) with the address and undefined-behaviour sanitizers:
//   scripts/fuzz-cddb-entry [seconds] [jobs]
// An input is an answer's body: it is cut into lines as the client cuts it and,
// for inputs whose first byte is odd, filtered as the client stores an entry's
// lines (trimmed, starting with "#", "T", "D", "E" or "P", at most 1024). A crash,
// an out-of-bounds access, undefined behaviour, a leak or a hang ends the run.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cd/CddbProtocol.h"
#include "cd/LocalCDDB.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const bool AsClient = Data[0] & 1;
  const std::string Body(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  TEntryArray Lines;
  size_t Count = 0;
  for (std::string Line : StreamToLines(Body)) {
    if (Count == Lines.size()) break;
    if (AsClient) {
      const size_t First = Line.find_first_not_of(" \t");
      Line = First == std::string::npos ? std::string() : Line.substr(First, Line.find_last_not_of(" \t") - First + 1);
      if (Line.empty() || std::string("#TDEP").find(Line[0]) == std::string::npos) continue;
    }
    Lines[Count++] = Line;
  }
  TCDInfo Info;
  Info.Category = "rock";
  const int Result = TLocalCDDB().ParseEntry(Info, Lines);
  if ((Result != 0 && Result != -4) || Info.Toc.TrackCount > 99 || Info.Category != "rock") std::abort();
  UnescapeEntryText(Body);
  return 0;
}
