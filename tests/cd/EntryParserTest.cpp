// Entries as servers send them, sound and hostile, through the parser.
#include <gtest/gtest.h>

#include <functional>

#include "cd/LocalCDDB.h"

namespace {

using Lines = std::vector<std::string>;

Lines Entry() {
  Lines L = {"# xmcd", "#", "# Track frame offsets:"};
  for (const char* O : {"150", "18780", "39527", "54074", "74490", "90415", "112426", "126960", "147308", "166758",
                        "186050", "207612"})
    L.push_back(std::string("#\t") + O);
  for (const char* S : {"#", "# Disc length: 3075 seconds", "#", "# Revision: 2", "# Submitted via: Sonvelt 2.0", "#",
                        "DISCID=a80c010c", "DTITLE=Artist / Album", "DYEAR=1999", "DGENRE=Rock"})
    L.push_back(S);
  for (int I = 0; I < 12; ++I) L.push_back("TTITLE" + std::to_string(I) + "=Song " + std::to_string(I + 1));
  for (const char* S : {"EXTD=", "EXTT0=", "PLAYORDER="}) L.push_back(S);
  return L;
}

int Parse(const Lines& L, TCDInfo& Info) {
  TEntryArray A;
  for (size_t I = 0; I < L.size() && I < A.size(); ++I) A[I] = L[I];
  return TLocalCDDB().ParseEntry(Info, A);
}

Lines Without(Lines L, const std::string& Prefix) {
  std::erase_if(L, [&](const std::string& S) { return S.rfind(Prefix, 0) == 0; });
  return L;
}

Lines With(Lines L, const std::vector<std::string>& More) {
  L.insert(L.end(), More.begin(), More.end());
  return L;
}

Lines Replaced(Lines L, const std::string& Prefix, const std::string& Line) {
  for (std::string& S : L)
    if (S.rfind(Prefix, 0) == 0) S = Line;
  return L;
}

// An entry whose offsets block holds Count lines of Offset.
Lines WithOffsets(size_t Count, const std::string& Offset = "150") {
  Lines L = Entry();
  L.erase(L.begin() + 3, L.begin() + 15);
  L.insert(L.begin() + 3, Count, "#\t" + Offset);
  return L;
}

}  // namespace

TEST(EntryParser, EntriesSoundAndHostile) {
  const std::string Long(100 * 1024, 'x');
  struct Case {
    const char* Name;
    Lines Entry;
    int Result;
    std::function<void(const TCDInfo&)> Check;
  } Cases[] = {
      {"a complete entry", Entry(), 0,
       [](const TCDInfo& I) {
         EXPECT_EQ(I.DiscId, "a80c010c");
         EXPECT_EQ(I.Artist, "Artist");
         EXPECT_EQ(I.Title, "Album");
         EXPECT_EQ(I.Year, "1999");
         EXPECT_EQ(I.Genre, "Rock");
         EXPECT_EQ(I.Revision, 2);
         EXPECT_EQ(I.TrackTitles[0], "Song 1");
         EXPECT_EQ(I.TrackTitles[11], "Song 12");
         EXPECT_EQ(I.Toc.TrackCount, 12);
         EXPECT_EQ(I.Toc.Tracks[0].Minute * 10000 + I.Toc.Tracks[0].Second * 100 + I.Toc.Tracks[0].Frame, 200);
         EXPECT_TRUE(I.Toc.Tracks[0].IsAudio);
         EXPECT_EQ(I.Toc.Tracks[3].Minute * 10000 + I.Toc.Tracks[3].Second * 100 + I.Toc.Tracks[3].Frame, 120074);
         EXPECT_EQ(I.Toc.LeadOut.Minute * 10000 + I.Toc.LeadOut.Second * 100 + I.Toc.LeadOut.Frame, 511500);
         EXPECT_FALSE(I.Toc.LeadOut.IsAudio);
         EXPECT_EQ(I.Category, "rock");
       }},
      {"a disc title without a slash", Replaced(Entry(), "DTITLE=", "DTITLE=Various"), 0,
       [](const TCDInfo& I) {
         EXPECT_EQ(I.Artist, "Various");
         EXPECT_EQ(I.Title, "");
       }},
      {"a disc title over two lines", With(Replaced(Entry(), "DTITLE=", "DTITLE=A / B"), {"DTITLE=C / D"}), 0,
       [](const TCDInfo& I) {
         EXPECT_EQ(I.Artist, "A");
         EXPECT_EQ(I.Title, "BC / D");
       }},
      {"a title split over lines", With(Entry(), {"TTITLE0= and more"}), 0,
       [](const TCDInfo& I) { EXPECT_EQ(I.TrackTitles[0], "Song 1 and more"); }},
      {"three-digit and missing track numbers add nothing", With(Entry(), {"TTITLE100=x", "TTITLE5 Five", "EXTT123=y"}),
       0,
       [](const TCDInfo& I) {
         EXPECT_EQ(I.TrackTitles[0], "Song 1");
         EXPECT_EQ(I.TrackTitles[5], "Song 6");
         EXPECT_EQ(I.TrackExtData[0], "");
       }},
      {"the ten required elements alone", Without(Without(Entry(), "DYEAR"), "DGENRE"), 0,
       [](const TCDInfo& I) { EXPECT_EQ(I.Year + I.Genre, ""); }},
      {"extended track data by one and two digits", With(Entry(), {"EXTT7=seven", "EXTT12=twelve"}), 0,
       [](const TCDInfo& I) {
         EXPECT_EQ(I.TrackExtData[7], "seven");
         EXPECT_EQ(I.TrackExtData[12], "twelve");
       }},
      {"escapes in one pass", With(Entry(), {"TTITLE1=\\\\n\\n\\t\\\\\\\\\\x\\"}), 0,
       [](const TCDInfo& I) { EXPECT_EQ(I.TrackTitles[1], "Song 2\\n\r\n\t\\\\\\x\\"); }},
      {"a line of 100 KB", With(Entry(), {"TTITLE2=" + Long}), 0,
       [&Long](const TCDInfo& I) { EXPECT_EQ(I.TrackTitles[2], "Song 3" + Long); }},
      {"an empty line ends the entry", With({"DISCID=a80c010c", ""}, Entry()), -4,
       [](const TCDInfo& I) {
         EXPECT_EQ(I.DiscId, "a80c010c");
         EXPECT_EQ(I.Title, "");
       }},
      {"no PLAYORDER: corrupt, the rest kept", Without(Entry(), "PLAYORDER"), -4,
       [](const TCDInfo& I) { EXPECT_EQ(I.TrackTitles[11], "Song 12"); }},
      {"no xmcd mark", Without(Entry(), "# xmcd"), -4, nullptr},
      {"no disc length", Without(Entry(), "# Disc length"), -4, nullptr},
      {"99 offsets", WithOffsets(99, "449999"), 0,
       [](const TCDInfo& I) {
         EXPECT_EQ(I.Toc.TrackCount, 99);
         EXPECT_EQ(I.Toc.Tracks[98].Minute * 10000 + I.Toc.Tracks[98].Second * 100 + I.Toc.Tracks[98].Frame, 995974);
       }},
      {"100 offsets", WithOffsets(100), -4, [](const TCDInfo& I) { EXPECT_EQ(I.Toc.TrackCount, 0); }},
      {"1024 offset lines", WithOffsets(1024), -4, [](const TCDInfo& I) { EXPECT_EQ(I.Toc.TrackCount, 0); }},
      {"an offset beyond 99:59:74", WithOffsets(3, "450000"), -4, nullptr},
      {"a huge offset", WithOffsets(3, "99999999999999999999999"), -4, nullptr},
      {"a negative offset", WithOffsets(3, "-150"), -4, nullptr},
      {"an offset that is no number", WithOffsets(3, "1e3"), -4, nullptr},
      {"a disc length beyond a disc", Replaced(Entry(), "# Disc length", "# Disc length: 6000 seconds"), -4, nullptr},
      {"the longest disc length", Replaced(Entry(), "# Disc length", "# Disc length: 5999 seconds"), 0,
       [](const TCDInfo& I) { EXPECT_EQ(I.Toc.LeadOut.Minute * 100 + I.Toc.LeadOut.Second, 9959); }},
      {"a huge revision", Replaced(Entry(), "# Revision", "# Revision: 99999999999"), -4, nullptr},
      {"a revision that is no number", Replaced(Entry(), "# Revision", "# Revision: two"), -4, nullptr},
      {"a track number that is no number", With(Entry(), {"TTITLEx1=x"}), -4, nullptr},
      {"a negative track number", With(Entry(), {"TTITLE-1=x"}), -4, nullptr},
      {"an extended track number that is no number", With(Entry(), {"EXTTa=x"}), -4, nullptr},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TCDInfo Info;
    Info.Category = "rock";
    Info.Artist = "left over";
    EXPECT_EQ(Parse(C.Entry, Info), C.Result);
    EXPECT_EQ(Info.Category, "rock");
    EXPECT_NE(Info.Artist, "left over");
    if (C.Check) C.Check(Info);
  }
}

TEST(EntryParser, UnescapingGoesLeftToRightOnce) {
  const std::pair<std::string, std::string> Cases[] = {
      {"a\\nb", "a\r\nb"},      {"a\\tb", "a\tb"},   {"a\\\\b", "a\\b"},  {"\\\\\\\\", "\\\\"},
      {"\\\\n", "\\n"},         {"\\q\\", "\\q\\"}, {"", ""},
  };
  for (const auto& [Text, Plain] : Cases) EXPECT_EQ(UnescapeEntryText(Text), Plain) << Text;
}
