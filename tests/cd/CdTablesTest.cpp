// The drive access's and the client's pure routines, each over a table of cases.
#include <gtest/gtest.h>

#include "cd/Cddb.h"
#include "cd/SptiCD.h"
#include "tests/cd/FakeDrive.h"

namespace {

TCDTrackTable TableOf(const std::vector<uint8_t>& Toc) {
  TTocBuffer B{};
  std::copy(Toc.begin(), Toc.begin() + std::min(Toc.size(), B.size()), B.begin());
  TCDTrackTable T;
  TocToTrackTable(B, T);
  return T;
}

std::string Msf(const TCDTrackEntry& E) {
  return std::to_string(E.Minute) + ":" + std::to_string(E.Second) + ":" + std::to_string(E.Frame) +
         (E.IsAudio ? " audio" : "");
}

}  // namespace

TEST(CdTables, DiscIdAndQueryOfATwelveTrackDisc) {
  const TCDTrackTable T = TableOf(TwelveTrackToc());
  ASSERT_EQ(T.TrackCount, 12);
  // Seconds 2, 250, 527, 720, 993, 1205, 1499, 1692, 1964, 2223, 2480, 2768: digit
  // sums 168; 3075 - 2 = 3073 seconds long (0x0C01); 12 tracks.
  EXPECT_EQ(CddbDiscId(T), 0xA80C010Cu);
  EXPECT_EQ(CddbQueryCommand(T),
            "cddb query a80c010c 12 150 18780 39527 54074 74490 90415 112426 126960 147308 166758 186050 207612 3075");
}

TEST(CdTables, TocBuffersBecomeTrackTables) {
  std::vector<TTocTrack> Hundred;
  for (int I = 1; I <= 99; ++I) Hundred.push_back({uint8_t(I), uint8_t(I % 80), 2, 0});
  const std::vector<TTocTrack> Three = {{3, 0, 2, 0}, {4, 5, 0, 0, 4}, {5, 9, 30, 10}};
  struct Case {
    const char* Name;
    std::vector<uint8_t> Toc;
    bool Disc;
    int Count;
    std::string First, Second, LeadOut;
  } Cases[] = {
      {"first track 3, a data track", MakeToc(3, 5, Three, {0, 12, 1, 2}), true, 3, "0:2:0 audio", "5:0:0", "12:1:2"},
      {"twelve audio tracks", TwelveTrackToc(), true, 12, "0:2:0 audio", "4:10:30 audio", "51:15:0"},
      {"a lead-out marked audio is not", MakeToc(1, 1, {{1, 0, 2, 0}}, {0, 3, 0, 0, 0}), true, 1, "0:2:0 audio", "0:0:0",
       "3:0:0"},
      {"99 tracks fill the buffer", MakeToc(1, 99, Hundred, {0, 90, 0, 0}), true, 99, "1:2:0 audio", "2:2:0 audio",
       "90:0:0"},
      {"100 tracks", MakeToc(1, 100, Hundred, {0, 90, 0, 0}), false, 0, "0:0:0", "0:0:0", "0:0:0"},
      {"last below first", MakeToc(5, 3, Three, {0, 12, 1, 2}), false, 0, "0:0:0", "0:0:0", "0:0:0"},
      {"length without the lead-out", MakeToc(3, 5, Three, {0, 12, 1, 2}, 2 + 3 * 8), false, 0, "0:0:0", "0:0:0",
       "0:0:0"},
      {"length field beyond the buffer", MakeToc(3, 5, Three, {0, 12, 1, 2}, 0xFFFF), true, 3, "0:2:0 audio", "5:0:0",
       "12:1:2"},
      {"no disc: all zero", std::vector<uint8_t>(804, 0), false, 0, "0:0:0", "0:0:0", "0:0:0"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TTocBuffer B{};
    std::copy(C.Toc.begin(), C.Toc.begin() + std::min(C.Toc.size(), B.size()), B.begin());
    TCDTrackTable T;
    T.TrackCount = 77;
    EXPECT_EQ(TocToTrackTable(B, T), C.Disc);
    EXPECT_EQ(T.TrackCount, C.Count);
    EXPECT_EQ(Msf(T.Tracks[0]), C.First);
    EXPECT_EQ(Msf(T.Tracks[1]), C.Second);
    EXPECT_EQ(Msf(T.LeadOut), C.LeadOut);
  }
}

TEST(CdTables, WindowsClassByVersion) {
  TFakeCDSystem Fake;
  const struct {
    DWORD Platform, Major, Minor;
    int Class;
  } Cases[] = {{VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0}, {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1},
               {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 1}, {VER_PLATFORM_WIN32_NT, 3, 50, 5},
               {VER_PLATFORM_WIN32_NT, 3, 51, 2},     {VER_PLATFORM_WIN32_NT, 4, 0, 3},
               {VER_PLATFORM_WIN32_NT, 5, 0, 4},      {VER_PLATFORM_WIN32_NT, 5, 1, 5},
               {VER_PLATFORM_WIN32_NT, 6, 1, 5},      {VER_PLATFORM_WIN32_NT, 10, 0, 5},
               {VER_PLATFORM_WIN32s, 3, 11, -1}};
  for (const auto& C : Cases) {
    Fake.Version = {C.Platform, C.Major, C.Minor};
    EXPECT_EQ(WindowsClass(), C.Class) << C.Platform << " " << C.Major << "." << C.Minor;
  }
}

TEST(CdTables, UrlEncodingAndHelloWords) {
  const std::pair<std::string, std::string> Encoded[] = {
      {"cddb query 0a0b0c0c 2", "cddb+query+0a0b0c0c+2"},
      {"a&b=c?d/e+f%", "a%26b%3Dc%3Fd%2Fe%2Bf%25"},
      {"M\xC3\xBCller", "M%C3%BCller"},  // the UTF-8 bytes, each on its own
      {"~_-.", "%7E%5F%2D%2E"},
      {"", ""}};
  for (const auto& [Text, Url] : Encoded) EXPECT_EQ(UrlEncodeText(Text), Url) << Text;
  const std::pair<std::string, std::string> Blanked[] = {
      {"user@host.example", "user host.example"}, {"a@b@c", "a@b c"}, {"nobody", ""}, {"@host", " host"}};
  for (const auto& [Text, Words] : Blanked) EXPECT_EQ(AtToBlank(Text), Words) << Text;
}

TEST(CdTables, AnswersSplitIntoLines) {
  using Lines = std::vector<std::string>;
  const std::pair<std::string, Lines> Cases[] = {
      {"200 rock 1\r\n", {"200 rock 1"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},  // the last line has no end and is kept
      {"210 x\n.", {"210 x", "."}},
      {"a\n\nb\r\r\n", {"a", "", "b", ""}},
      {"", {}},
  };
  for (const auto& [Data, Expected] : Cases) EXPECT_EQ(StreamToLines(Data), Expected) << Data;
}

TEST(CdTables, ResponseCodeTexts) {
  const std::pair<int, std::string> Cases[] = {
      {402, "Server error"},
      {408, "CGI environment error"},
      {500, "Command syntax error, command unknown, command unimplemented"},
      {530, "Server error, server timeout"},
      {100, "Informative message, ready for further commands"},
      {210, "Command OK, more server-to-client output follows"},
      {320, "Command OK so far, more client-to-server input follows"},
      {430, "Command OK, but cannot be performed, connection will close"},
      {501, "Command unimplemented, incorrect, or program error"},
      {699, ""},
  };
  for (const auto& [Code, Text] : Cases) EXPECT_EQ(CddbResponseText(Code), Text) << Code;
}
