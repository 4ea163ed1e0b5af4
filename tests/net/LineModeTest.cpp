// Line mode: lines handed out one by one, however the bytes arrive.
#include <gtest/gtest.h>

#include <thread>

#include "Loopback.h"
#include "SocketProbe.h"
#include "framework/Application.h"

using namespace sonvelt::net;

namespace {

TNetPtr<TWSocket> LineSocket(const ScriptServer& server) {
  TNetPtr<TWSocket> s(TWSocket::Create(nullptr));
  s->SetAddr("127.0.0.1");
  s->SetPort(server.PortText());
  s->SetLineMode(true);
  return s;
}

}  // namespace

TEST(LineMode, SplitsAndJoinsReadsIntoLines) {
  ScriptServer server([](SOCKET c) {
    SendAll(c, "one\r\ntwo\r\nthr");
    Sleep(80);
    SendAll(c, "ee\r");
    Sleep(80);
    SendAll(c, "\nfour");  // the last line has no end and comes with the close
  });
  auto s = LineSocket(server);
  SocketProbe probe(s.get());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("closed 0"); }));
  EXPECT_EQ(probe.Lines, (std::vector<std::string>{"one\r\n", "two\r\n", "three\r\n", "four"}));
  EXPECT_LT(probe.IndexOf("data four"), probe.IndexOf("closed 0"));
}

TEST(LineMode, SwitchingOffInsideTheHandlerDeliversTheRestRaw) {
  struct Switcher {
    TWSocket* Socket;
    std::vector<std::string> Got;
    void Data(TObject*, uint16_t) {
      std::string t = Socket->ReceiveText();
      if (t.empty()) return;
      Got.push_back(t);
      if (Got.size() == 1) Socket->SetLineMode(false);
    }
  };
  ScriptServer server([](SOCKET c) {
    SendAll(c, "header\r\nraw bytes\r\nmore");
    RecvLine(c);
  });
  auto s = LineSocket(server);
  SocketProbe probe(s.get());
  Switcher sw{s.get(), {}};
  s->OnDataAvailable = Bind(&sw, &Switcher::Data);
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] {
    std::string all;
    for (auto& g : sw.Got) all += g;
    return all == "header\r\nraw bytes\r\nmore";
  }));
  EXPECT_EQ(sw.Got[0], "header\r\n");
  s->SendText("bye\n");
  PumpUntil([&] { return s->GetState() == wsClosed; });
}

TEST(LineMode, HandlerThatDoesNotReadIsOfferedTheLineAgainLater) {
  ScriptServer server([](SOCKET c) {
    SendAll(c, "first\r\n");
    RecvLine(c);
    SendAll(c, "second\r\n");
    RecvLine(c);
  });
  auto s = LineSocket(server);
  SocketProbe probe(s.get(), SocketProbe::ReadNothing);
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.DataCalls > 0; }));
  PumpFor(100);
  EXPECT_LT(probe.DataCalls, 5);  // no spinning on the unread line
  probe.Mode = SocketProbe::ReadText;
  s->SendText("next\n");
  ASSERT_TRUE(PumpUntil([&] { return probe.Lines.size() == 2; }));
  EXPECT_EQ(probe.Lines, (std::vector<std::string>{"first\r\n", "second\r\n"}));
  s->SendText("bye\n");
  PumpUntil([&] { return s->GetState() == wsClosed; });
}

TEST(LineMode, LimitReportsAndClearsAnUnterminatedLine) {
  struct Limit {
    int Seen = 0;
    void Exceeded(TObject*, int count, bool&) { Seen = count; }
  } limit;
  ScriptServer server([](SOCKET c) {
    SendAll(c, "01234567890");
    Sleep(80);
    SendAll(c, "ok\r\n");
    RecvLine(c);
  });
  auto s = LineSocket(server);
  SocketProbe probe(s.get());
  s->SetLineLimit(10);
  s->OnLineLimitExceeded = Bind(&limit, &Limit::Exceeded);
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return !probe.Lines.empty(); }));
  EXPECT_EQ(limit.Seen, 11);
  EXPECT_EQ(probe.Lines[0], "ok\r\n");  // the cleared bytes are gone
  s->SendText("bye\n");
  PumpUntil([&] { return s->GetState() == wsClosed; });
}

TEST(LineMode, SendTextLineAndSyncWait) {
  std::string got;
  ScriptServer server([&](SOCKET c) { got = RecvAll(c); });
  auto s = LineSocket(server);
  SocketProbe probe(s.get());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("connected 0"); }));
  EXPECT_EQ(s->SendTextLine(""), 0);
  EXPECT_EQ(s->SendTextLine("line"), 6);
  s->SetWaitTimeout(100);
  bool never = false;
  EXPECT_EQ(s->WaitForFlag(never), 12001);
  bool flag = false;
  EXPECT_EQ(s->RunAndWait([&] { flag = true; }, flag), 0);
  s->Close();
  PumpUntil([&] { return s->GetState() == wsClosed; });
  PumpFor(50);
  EXPECT_EQ(got, "line\r\n");
}

// On the user interface thread a wait pumps through the application, so its
// message hook sees the socket's notifications; a worker thread pumps its own
// queue, and a quit message there ends the wait without ending the application.
TEST(LineMode, SyncWaitPumpsThroughTheApplicationOnlyOnItsThread) {
  ScriptServer server([](SOCKET c) {
    SendAll(c, "hello\r\n");
    RecvAll(c);
  });
  auto s = LineSocket(server);
  struct Hook {
    HWND Window = nullptr;
    int Seen = 0;
    void Message(MSG& m, bool&) { Seen += m.hwnd == Window; }
  } hook;
  struct LineFlag {
    bool Got = false;
    void Data(TObject* sender, uint16_t) { Got = !static_cast<TWSocket*>(sender)->ReceiveText().empty(); }
  } line;
  hook.Window = s->GetHandle();
  s->OnDataAvailable = Bind(&line, &LineFlag::Data);
  Application->OnMessage = Bind(&hook, &Hook::Message);
  s->SetWaitTimeout(5000);
  int rc = s->RunAndWait([&] { s->Connect(); }, line.Got);
  Application->OnMessage = nullptr;
  EXPECT_EQ(rc, 0);
  EXPECT_GT(hook.Seen, 0);
  s->Close();

  bool workerTerminated = false;
  int workerRc = 0;
  std::thread([&] {
    TNetPtr<TWSocket> w(TWSocket::Create(nullptr));
    w->SetWaitTimeout(5000);
    PostQuitMessage(0);
    bool never = false;
    workerRc = w->WaitForFlag(never);
    workerTerminated = w->GetTerminated();
  }).join();
  EXPECT_EQ(workerRc, 12001);
  EXPECT_TRUE(workerTerminated);
  EXPECT_FALSE(Application->GetTerminated());
}

TEST(LineMode, EditingAndEcho) {
  std::string echoed;
  ScriptServer server([&](SOCKET c) {
    SendAll(c, "ab\bc\td\r\n");
    echoed = RecvExactly(c, 15);
  });
  auto s = LineSocket(server);
  SocketProbe probe(s.get());
  s->SetLineEdit(true);
  s->SetLineEcho(true);
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return !probe.Lines.empty(); }));
  EXPECT_EQ(probe.Lines[0], "ac      d\r\n");
  PumpUntil([&] { return s->GetState() == wsClosed; });
  EXPECT_EQ(echoed, "ab\b \bc      d\r\n");
}
