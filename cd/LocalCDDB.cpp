#include "cd/LocalCDDB.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

// What one line of the entry gave.
struct TEntryParseRecord {
  uint8_t Kind = 0;
  int Index = 0;
  std::string Value;
};

enum : uint8_t { kOffset = 1, kDiscLength, kRevision, kDiscId, kDiscTitle, kYear, kGenre, kTrackTitle, kExtData,
                 kTrackExtData, kPlayOrder };

enum : unsigned { bXmcd = 0x001, bOffsets = 0x002, bDiscLength = 0x004, bRevision = 0x008, bDiscId = 0x010,
                  bDiscTitle = 0x020, bTrackTitle = 0x040, bExtData = 0x080, bTrackExtData = 0x100,
                  bPlayOrder = 0x200, bAll = 0x3FF };

// The highest address a disc can hold, 99:59:74, and its length in seconds.
constexpr int64_t MaxFrameOffset = 99 * 4500 + 59 * 75 + 74;
constexpr int64_t MaxDiscSeconds = 99 * 60 + 59;

// Characters from the 1-based position First, at most Count of them.
std::string Mid(const std::string& S, size_t First, size_t Count = std::string::npos) {
  return First - 1 < S.size() ? S.substr(First - 1, Count) : std::string();
}

std::string Trim(const std::string& S) {
  const size_t First = S.find_first_not_of(" \t\r\n");
  if (First == std::string::npos) return {};
  return S.substr(First, S.find_last_not_of(" \t\r\n") - First + 1);
}

bool StartsWith(const std::string& S, const char* Prefix) { return S.rfind(Prefix, 0) == 0; }

// A decimal number of digits only, within 0..Max.
bool ParseNumber(const std::string& Text, int64_t Max, int64_t& Value) {
  const std::string T = Trim(Text);
  if (T.empty() || T.find_first_not_of("0123456789") != std::string::npos) return false;
  const auto [End, Error] = std::from_chars(T.data(), T.data() + T.size(), Value);
  return Error == std::errc() && End == T.data() + T.size() && Value <= Max;
}

// The track number of "TTITLEn=" or "EXTTn=": the one or two digits before an
// "=" at position EqualsAt or EqualsAt - 1. Other positions give index 0 and
// no value; digits that are no number make the entry corrupt.
bool TrackField(const std::string& Line, size_t EqualsAt, TEntryParseRecord& R) {
  const size_t P = Line.find('=');
  const size_t DigitsAt = EqualsAt - 2;
  if (P == std::string::npos || (P + 1 != EqualsAt && P + 1 != EqualsAt - 1)) return true;
  int64_t Index = 0;
  if (!ParseNumber(Line.substr(DigitsAt - 1, P + 1 - DigitsAt), 99, Index)) return false;
  R.Index = int(Index);
  R.Value = UnescapeEntryText(Line.substr(P + 1));
  return true;
}

}  // namespace

std::string UnescapeEntryText(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\\' && I + 1 < Text.size()) {
      const char Next = Text[I + 1];
      if (Next == 'n' || Next == 't' || Next == '\\') {
        Out += Next == 'n' ? "\r\n" : Next == 't' ? "\t" : "\\";
        ++I;
        continue;
      }
    }
    Out += Text[I];
  }
  return Out;
}

int TLocalCDDB::ParseEntry(TCDInfo& Info, const TEntryArray& Lines) {
  const std::string Category = Info.Category;
  Info = TCDInfo{};
  Info.Category = Category;

  std::vector<TEntryParseRecord> Records;
  unsigned Present = 0;
  int Offsets = 0;
  bool Sound = true;
  auto Add = [&](uint8_t Kind, int Index, std::string Value) { Records.push_back({Kind, Index, std::move(Value)}); };

  size_t I = 0;
  while (I < Lines.size() && !Lines[I].empty()) {
    const std::string& L = Lines[I];
    if (L[0] == '#') {
      if (Mid(L, 3, 20) == "Track frame offsets:") {
        Present |= bOffsets;
        for (++I; I < Lines.size() && !Lines[I].empty(); ++I) {
          const std::string& O = Lines[I];
          if (Trim(O) == "#") {
            ++I;
            break;
          }
          if (Mid(O, 3, 12) == "Disc length:") break;
          Add(kOffset, Offsets++, Trim(Mid(O, 3)));
        }
        continue;
      }
      if (Mid(L, 3, 12) == "Disc length:") {
        Present |= bDiscLength;
        const std::string Rest = Mid(L, 16);
        Add(kDiscLength, 0, Rest.substr(0, Rest.find(' ')));
      } else if (Mid(L, 3, 9) == "Revision:") {
        Present |= bRevision;
        Add(kRevision, 0, Mid(L, 13));
      }
      ++I;
      continue;
    }
    auto After = [&L] { return UnescapeEntryText(L.substr(L.find('=') + 1)); };
    if (StartsWith(L, "DISCID=")) {
      Present |= bDiscId;
      Add(kDiscId, 0, After());
    } else if (StartsWith(L, "DTITLE=")) {
      Present |= bDiscTitle;
      Add(kDiscTitle, 0, After());
    } else if (StartsWith(L, "DYEAR=")) {
      Add(kYear, 0, After());
    } else if (StartsWith(L, "DGENRE=")) {
      Add(kGenre, 0, After());
    } else if (StartsWith(L, "TTITLE")) {
      Present |= bTrackTitle;
      TEntryParseRecord R{kTrackTitle};
      Sound = TrackField(L, 9, R) && Sound;
      Records.push_back(std::move(R));
    } else if (StartsWith(L, "EXTD=")) {
      Present |= bExtData;
      Add(kExtData, 0, After());
    } else if (StartsWith(L, "EXTT")) {
      Present |= bTrackExtData;
      TEntryParseRecord R{kTrackExtData};
      Sound = TrackField(L, 7, R) && Sound;
      Records.push_back(std::move(R));
    } else if (StartsWith(L, "PLAYORDER=")) {
      Present |= bPlayOrder;
      Add(kPlayOrder, 0, After());
    }
    ++I;
  }
  for (const std::string& L : Lines)
    if (L.find("# xmcd") != std::string::npos) {
      Present |= bXmcd;
      break;
    }
  // A table holds at most 99 tracks, and a track number must be a number.
  if (!Sound || Offsets > MaxCDTracks) return EntryCorrupt;
  Info.Toc.TrackCount = uint8_t(Offsets);

  bool TitleSplit = false;
  for (const TEntryParseRecord& R : Records) {
    int64_t N = 0;
    switch (R.Kind) {
      case kOffset: {
        if (R.Value.empty()) break;
        if (!ParseNumber(R.Value, MaxFrameOffset, N)) return EntryCorrupt;
        TCDTrackEntry& E = Info.Toc.Tracks[R.Index];
        E.Minute = uint8_t(N / 4500);
        E.Second = uint8_t(N / 75 - 60 * E.Minute);
        E.Frame = uint8_t(N - 4500 * E.Minute - 75 * E.Second);
        E.IsAudio = true;
        break;
      }
      case kDiscLength:
        if (!ParseNumber(R.Value, MaxDiscSeconds, N)) return EntryCorrupt;
        Info.Toc.LeadOut = TCDTrackEntry{uint8_t(N / 60), uint8_t(N % 60), 0, false};
        break;
      case kRevision:
        if (!ParseNumber(R.Value, INT_MAX, N)) return EntryCorrupt;
        Info.Revision = int(N);
        break;
      case kDiscId: Info.DiscId += R.Value; break;
      case kYear: Info.Year += R.Value; break;
      case kGenre: Info.Genre += R.Value; break;
      case kExtData: Info.ExtData += R.Value; break;
      case kTrackTitle: Info.TrackTitles[R.Index] += R.Value; break;
      case kTrackExtData: Info.TrackExtData[R.Index] += R.Value; break;
      case kDiscTitle: {
        const size_t Slash = TitleSplit ? std::string::npos : R.Value.find(" / ");
        if (TitleSplit) {
          Info.Title += R.Value;
        } else if (Slash != std::string::npos) {
          Info.Artist += R.Value.substr(0, Slash);
          Info.Title = R.Value.substr(Slash + 3);
          TitleSplit = true;
        } else {
          Info.Artist += R.Value;
        }
        break;
      }
      default: break;
    }
  }
  return (Present & bAll) == bAll ? EntryComplete : EntryCorrupt;
}
