// The CD database client against a loopback server that plays the database
// and checks the requests it got.
#include <gtest/gtest.h>

#include "cd/Cddb.h"
#include "tests/cd/CdTestSupport.h"
#include "tests/cd/CddbServer.h"

namespace {

const std::string QueryPath =
    "/~cddb/cddb.cgi?cmd=cddb+query+a80c010c+12+150+18780+39527+54074+74490+90415+112426+126960+147308+166758+"
    "186050+207612+3075&hello=";

const std::string EntryAnswer =
    "210 rock a80c010c CD database entry follows (until terminating `.')\r\n"
    "# xmcd\r\n#\r\n# Track frame offsets:\r\n#\t150\r\n#\t18780\r\n#\r\n# Disc length: 100 seconds\r\n#\r\n"
    "# Revision: 3\r\n#\r\nDISCID=ffffffff\r\nDTITLE=Artist / Album\r\nDYEAR=2001\r\nDGENRE=Pop\r\n"
    "TTITLE0=Opening\r\nTTITLE1=Second Song\r\nEXTD=\r\nEXTT0=\r\nPLAYORDER=\r\n.\r\n";

class CddbClient : public CdFixture {
 protected:
  void SetUp() override {
    CdFixture::SetUp();
    Fake.AddDrive('D').Toc = TwelveTrackToc();
    Cddb.reset(TCddb::Create(nullptr));
    Cddb->ServerType = HTTP;
    Cddb->ServerAddr = "127.0.0.1";
    Cddb->OnStatusMessage = Bind(this, &CddbClient::Status);
    Cddb->OnMatch = Bind(this, &CddbClient::Match);
    ASSERT_TRUE(Cddb->SelectDrive(0));
  }
  void Status(TObject*, const std::string& Text) { Statuses.push_back(std::to_string(Cddb->GetState()) + " " + Text); }
  void Match(TObject*, const TMatchArray& M, int& RightOne) {
    MatchStates.push_back(Cddb->GetState());
    Offered.clear();
    for (const std::string& S : M)
      if (!S.empty()) Offered.push_back(S);
    RightOne = Choice;
  }
  // Runs one request against the server and waits for its outcome.
  void Run(CddbServer& Server, int (TCddb::*Request)(), int Running) {
    Cddb->ServerPort = Server.Port();
    ASSERT_EQ((Cddb.get()->*Request)(), 0);
    EXPECT_EQ(Cddb->GetState(), Running);
    ASSERT_TRUE(PumpUntil([&] { return Cddb->GetState() != Running; }, 8000));
  }
  bool Said(const std::string& Text) const { return std::find(Statuses.begin(), Statuses.end(), Text) != Statuses.end(); }

  TFakeCDSystem Fake;
  TOwned<TCddb> Cddb;
  std::vector<std::string> Statuses, Offered;
  std::vector<int> MatchStates;
  int Choice = 0;
};

}  // namespace

TEST_F(CddbClient, OneExactMatchIsQueriedAndItsEntryRead) {
  Cddb->EmailUser = "j\xC3\xBCrgen@host.example";
  CddbServer Server({"200 rock a80c010c Artist / Album\r\n", EntryAnswer});
  Run(Server, &TCddb::HttpQuery, TCddb::stQuerySent);
  EXPECT_EQ(Offered, std::vector<std::string>{"rock a80c010c Artist / Album"});
  EXPECT_EQ(MatchStates, std::vector<int>{3});
  EXPECT_EQ(Cddb->GetState(), TCddb::stMatchChosen);
  EXPECT_EQ(Cddb->GetCDInfo().Category, "rock");
  EXPECT_EQ(Cddb->GetCDInfo().DiscId, "a80c010c");
  EXPECT_TRUE(Said("-1 Querying CD"));
  EXPECT_TRUE(Said("3 Found exact match"));

  Run(Server, &TCddb::HttpRead, TCddb::stReadSent);
  EXPECT_EQ(Cddb->GetState(), TCddb::stEntryRead);
  EXPECT_TRUE(Said("11 OK, CDDB database entry follows"));
  EXPECT_TRUE(Said("12 Entry read"));
  EXPECT_FALSE(Said("12 The entry is corrupt"));
  const TCDInfo& Info = Cddb->GetCDInfo();
  EXPECT_EQ(Info.Artist, "Artist");
  EXPECT_EQ(Info.Title, "Album");
  EXPECT_EQ(Info.TrackTitles[1], "Second Song");
  EXPECT_EQ(Info.Revision, 3);
  // The table and the disc id are the drive's again, the category the match's.
  EXPECT_EQ(Info.DiscId, "a80c010c");
  EXPECT_EQ(Info.Toc.TrackCount, 12);
  EXPECT_EQ(Info.Category, "rock");

  const std::vector<std::string> Lines = Server.RequestLines();
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_EQ(Lines[0], "GET " + QueryPath + "j%C3%BCrgen+host%2Eexample+Sonvelt+2%2E0&proto=5 HTTP/1.0");
  EXPECT_EQ(Lines[1],
            "GET /~cddb/cddb.cgi?cmd=cddb+read+rock+a80c010c&hello=j%C3%BCrgen+host%2Eexample+Sonvelt+2%2E0&proto=5 "
            "HTTP/1.0");
}

TEST_F(CddbClient, ADriveThatFailsAfterTheEntryIsReadBecomesAStatus) {
  CddbServer Server({"200 rock a80c010c Artist / Album\r\n", EntryAnswer});
  Run(Server, &TCddb::HttpQuery, TCddb::stQuerySent);
  Fake.Version = {VER_PLATFORM_WIN32_WINDOWS, 4, 10};  // no interface left to read the drive with
  Run(Server, &TCddb::HttpRead, TCddb::stReadSent);
  EXPECT_EQ(Cddb->GetState(), TCddb::stEntryRead);
  EXPECT_EQ(Statuses.back(), "12 No usable interface available or selected interface not available");
  EXPECT_EQ(Cddb->GetCDInfo().TrackTitles[0], "Opening");
  EXPECT_EQ(Cddb->GetCDInfo().Category, "rock");
}

TEST_F(CddbClient, SeveralMatchesAreOfferedAndTheChosenOneIsRead) {
  const std::string Answer =
      "211 Found inexact matches, list follows (until terminating `.')\r\n"
      "rock a80c010c Artist / Album\r\nBLUES A80C010D Other / Thing\r\n.\r\n";
  CddbServer Server({Answer});
  Choice = 1;
  Run(Server, &TCddb::HttpQuery, TCddb::stQuerySent);
  EXPECT_EQ(Offered, (std::vector<std::string>{"rock a80c010c Artist / Album", "BLUES A80C010D Other / Thing"}));
  EXPECT_EQ(MatchStates, std::vector<int>{4});
  EXPECT_EQ(Cddb->GetState(), TCddb::stMatchChosen);
  EXPECT_EQ(Cddb->GetCDInfo().Category, "BLUES");
  EXPECT_EQ(Cddb->GetCDInfo().DiscId, "a80c010d");
  EXPECT_TRUE(Said("6 Found inexact matches"));
  EXPECT_TRUE(Said("4 Received matches"));
  CddbServer Rejected({Answer});
  Choice = -1;
  Run(Rejected, &TCddb::HttpQuery, TCddb::stQuerySent);
  EXPECT_EQ(Cddb->GetState(), TCddb::stNoMatch);
  EXPECT_EQ(Cddb->HttpRead(), -1);
  EXPECT_EQ(Statuses.back(), "5 Can't perform a CDDB READ without a successful CDDB QUERY!");
}

TEST_F(CddbClient, AnswersWithoutAMatchOrAnEntryEndTheLookup) {
  const struct {
    const char* Name;
    int (TCddb::*Request)();
    std::string Answer;
    int State;
    std::string LastStatus;
  } Cases[] = {
      {"no match", &TCddb::HttpQuery, "202 No match for disc ID a80c010c.\r\n", 5, "5 No match found"},
      {"an exact match without a line end", &TCddb::HttpQuery, "200 jazz a80c010c A / B", 3, "3 Found exact match"},
      {"a web page", &TCddb::HttpQuery, "<html><body>Not here</body></html>\r\n", 16,
       "16 The CD database server's answer held no match list"},
      {"a code that is no number", &TCddb::HttpQuery, "2x0 odd\r\n", 16,
       "16 Unexpected answer from the CD database server: 2x0 odd"},
      {"a match list cut short", &TCddb::HttpQuery, "210 list follows\r\nrock a80c010c A / B\r\n", 16,
       "16 The CD database server's answer held no match list"},
      {"entry not found", &TCddb::HttpRead, "401 rock a80c010c No such CD entry in database.\r\n", 13,
       "13 Specified CDDB entry not found"},
      {"an entry without a line end after the dot", &TCddb::HttpRead, EntryAnswer.substr(0, EntryAnswer.size() - 2),
       12, "12 Entry read"},
      {"an entry cut short", &TCddb::HttpRead, EntryAnswer.substr(0, EntryAnswer.size() - 3), 13,
       "13 The CD database server's answer ended before the entry did"},
      {"a web page instead of an entry", &TCddb::HttpRead, "<html>\r\n", 13,
       "13 Unexpected answer from the CD database server: <html>"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Statuses.clear();
    Cddb->GetCDInfo().Category = "rock";
    Cddb->GetCDInfo().TrackTitles[0] = "kept";
    CddbServer Server({C.Answer});
    Run(Server, C.Request, C.Request == &TCddb::HttpQuery ? TCddb::stQuerySent : TCddb::stReadSent);
    EXPECT_EQ(Cddb->GetState(), C.State);
    ASSERT_FALSE(Statuses.empty());
    EXPECT_EQ(Statuses.back(), C.LastStatus);
    // Only an entry that was read in full replaces the titles.
    EXPECT_EQ(Cddb->GetCDInfo().TrackTitles[0], C.State == 12 ? "Opening" : "kept");
    EXPECT_FALSE(Said("12 The entry is corrupt") || Said("13 The entry is corrupt"));
  }
}

TEST_F(CddbClient, AnAbortedRequestIsForgottenWhenTheNextOneStarts) {
  CddbServer Slow({"202 the aborted answer\r\n"}), Quick({"200 rock a80c010c Artist / Album\r\n"});
  Slow.HoldFirst();
  Cddb->ServerPort = Slow.Port();
  ASSERT_EQ(Cddb->HttpQuery(), 0);
  ASSERT_TRUE(PumpUntil([&] { return Slow.RequestLines().size() == 1; }));
  Cddb->AbortHttp();
  Cddb->ServerPort = Quick.Port();
  ASSERT_EQ(Cddb->HttpQuery(), 0);
  ASSERT_TRUE(PumpUntil([&] { return Cddb->GetState() != TCddb::stQuerySent; }, 8000));
  Slow.Release();
  PumpFor(300);  // whatever the aborted request still reports arrives now
  EXPECT_EQ(Cddb->GetState(), TCddb::stMatchChosen);
  EXPECT_EQ(MatchStates, std::vector<int>{3});
  for (const std::string& S : Statuses) EXPECT_EQ(S.find("Internal Error"), std::string::npos) << S;

  // An abort with nothing running changes nothing.
  const size_t Count = Statuses.size();
  Cddb->AbortHttp();
  PumpFor(100);
  EXPECT_EQ(Cddb->GetState(), TCddb::stMatchChosen);
  EXPECT_EQ(Statuses.size(), Count);
  EXPECT_EQ(MatchStates.size(), 1u);
}

TEST_F(CddbClient, AServerThatCannotBeReachedFailsTheRequest) {
  Cddb->ServerPort = std::to_string(UnusedPort());
  ASSERT_EQ(Cddb->HttpQuery(), 0);
  ASSERT_TRUE(PumpUntil([&] { return Cddb->GetState() != TCddb::stQuerySent; }, 8000));
  EXPECT_EQ(Cddb->GetState(), TCddb::stHttpFailed);
  EXPECT_EQ(Statuses.back().rfind("16 CDDB Component Internal Error: THttpCli.GetAsync failed because of error \"", 0),
            0u)
      << Statuses.back();
  Cddb->ServerType = CDDBP;
  EXPECT_EQ(Cddb->HttpQuery(), -1);
  EXPECT_EQ(Statuses.back(), "16 Selected server not an HTTP server");
}
