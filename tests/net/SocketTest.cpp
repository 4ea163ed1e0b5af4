// The asynchronous socket against loopback servers: events, errors, closing.
#include <gtest/gtest.h>

#include <atomic>

#include "Loopback.h"
#include "SocketProbe.h"
#include "net/NetException.h"

using namespace sonvelt::net;

namespace {

TNetPtr<TWSocket> MakeSocket() { return TNetPtr<TWSocket>(TWSocket::Create(nullptr)); }

void Target(TWSocket* s, uint16_t port) {
  s->SetAddr("127.0.0.1");
  s->SetPort(std::to_string(port));
}

bool ConnectTo(TWSocket* s, const SocketProbe& probe, const ScriptServer& server) {
  Target(s, server.Port());
  s->Connect();
  return PumpUntil([&] { return probe.Has("connected 0"); });
}

}  // namespace

TEST(Socket, ConnectSendReceiveCloseReportsEachStep) {
  ScriptServer server([](SOCKET c) {
    std::string got = RecvLine(c);
    SendAll(c, "echo:" + got);
  });
  auto s = MakeSocket();
  SocketProbe probe(s.get());
  ASSERT_TRUE(ConnectTo(s.get(), probe, server));
  EXPECT_EQ(s->GetState(), wsConnected);
  EXPECT_EQ(s->SendText("hello\n"), 6);
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("closed 0"); }));
  EXPECT_EQ(probe.Data, "echo:hello\n");
  EXPECT_EQ(s->GetState(), wsClosed);
  // Opened, connecting, connected, ... closed; sent after the send drained.
  EXPECT_EQ(probe.Events.front(), "state 8>1");
  EXPECT_EQ(probe.Events[1], "state 1>3");
  EXPECT_EQ(probe.Events[2], "state 3>5");
  EXPECT_TRUE(probe.Has("sent 0"));
  EXPECT_TRUE(probe.Has("state 5>8"));
  EXPECT_EQ(s->GetBytesReceived(), 0);  // reset with the defaults after the close
}

TEST(Socket, RefusedConnectionReportsErrorThenClose) {
  auto s = MakeSocket();
  SocketProbe probe(s.get());
  Target(s.get(), UnusedPort());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("closed 0"); }));
  EXPECT_EQ(probe.Joined(), "state 8>1|state 1>3|state 3>5|connected 10061|state 5>8|closed 0");
}

TEST(Socket, RefusedCallsReportTheirText) {
  auto s = MakeSocket();
  try {
    s->Send("x", 1);
    FAIL() << "no exception";
  } catch (const ESocketException& e) {
    EXPECT_STREQ(e.what(), "Socket is not connected (#10057 in Send)");
  }
  EXPECT_EQ(s->GetLastError(), 10057);
  try {
    s->Connect();
    FAIL() << "no exception";
  } catch (const ESocketException& e) {
    EXPECT_STREQ(e.what(), "Connect: No Port Specified");
  }
}

TEST(Socket, ErrorHandlerTakesOverFromExceptions) {
  struct Counter {
    int Count = 0;
    void Error(TObject*) { ++Count; }
  } counter;
  auto s = MakeSocket();
  s->OnError = Bind(&counter, &Counter::Error);
  EXPECT_EQ(s->Send("x", 1), -1);
  EXPECT_EQ(counter.Count, 1);
  EXPECT_EQ(s->GetLastError(), 10057);
}

TEST(Socket, AddressMustBeSetAgainAfterClose) {
  ScriptServer server([](SOCKET) {});
  auto s = MakeSocket();
  SocketProbe probe(s.get());
  Target(s.get(), server.Port());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("closed 0"); }));
  EXPECT_EQ(s->GetAddr(), "127.0.0.1");  // the text stays, but it counts as unset
  EXPECT_THROW(s->Connect(), ESocketException);
}

TEST(Socket, WithoutDataHandlerIncomingBytesAreDropped) {
  std::atomic<bool> gotPing{false};
  ScriptServer server([&](SOCKET c) {
    SendAll(c, "0123456789");
    gotPing = RecvLine(c) == "ping\n";
    RecvLine(c);
  });
  auto s = MakeSocket();
  SocketProbe probe(s.get());
  s->OnDataAvailable = nullptr;
  ASSERT_TRUE(ConnectTo(s.get(), probe, server));
  PumpFor(200);
  s->SendText("ping\n");
  ASSERT_TRUE(PumpUntil([&] { return gotPing.load(); }));
  EXPECT_EQ(s->GetState(), wsConnected);  // still usable after the dropped bytes
  EXPECT_EQ(s->PendingCount(), 0);
  s->SendText("bye\n");
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("closed 0"); }));
}

TEST(Socket, HandlerThatDoesNotReadDoesNotSpin) {
  ScriptServer server([](SOCKET c) {
    SendAll(c, "waiting bytes");
    RecvLine(c);
  });
  auto s = MakeSocket();
  SocketProbe probe(s.get(), SocketProbe::ReadNothing);
  Target(s.get(), server.Port());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.DataCalls > 0; }));
  PumpFor(200);
  EXPECT_LT(probe.DataCalls, 5);
  EXPECT_EQ(s->ReceiveText(), "waiting bytes");  // the data is still there to read
  s->SendText("done\n");
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("closed 0"); }));
}

TEST(Socket, CloseSendsWhatIsQueuedFirst) {
  std::string received;
  {
    ScriptServer server([&](SOCKET c) {
      Sleep(300);  // let the client queue more than the network takes at once
      received = RecvAll(c);
    });
    auto s = MakeSocket();
    SocketProbe probe(s.get());
    ASSERT_TRUE(ConnectTo(s.get(), probe, server));
    s->SetSndBufSize(8192);
    std::string big(3 * 1024 * 1024, 'z');
    big[0] = 'A';
    big.back() = 'Z';
    s->Send(big.data(), int(big.size()));
    EXPECT_GT(s->GetBytesQueued(), 0);  // the close below has to wait for these
    s->Close();
    ASSERT_TRUE(PumpUntil([&] { return s->GetState() == wsClosed; }, 15000));
    EXPECT_EQ(probe.Events.back(), "closed 0");
  }
  ASSERT_EQ(received.size(), 3u * 1024 * 1024);
  EXPECT_EQ(received.front(), 'A');
  EXPECT_EQ(received.back(), 'Z');
}

TEST(Socket, AbortDropsQueuedDataAndClosesAtOnce) {
  std::string received = "unset";
  {
    ScriptServer server([&](SOCKET c) {
      Sleep(200);
      received = RecvAll(c);
    });
    auto s = MakeSocket();
    SocketProbe probe(s.get());
    ASSERT_TRUE(ConnectTo(s.get(), probe, server));
    std::string big(4 * 1024 * 1024, 'q');
    s->Send(big.data(), int(big.size()));
    s->Abort();
    EXPECT_EQ(s->GetState(), wsClosed);
    EXPECT_EQ(s->GetBytesQueued(), 0);
    EXPECT_EQ(probe.Events.back(), "closed 0");
  }
  EXPECT_NE(received, "unset");
}

TEST(Socket, PeerResetEndsWithClose) {
  ScriptServer server([](SOCKET c) {
    SendAll(c, "partial");
    ResetConnection(c);
  });
  auto s = MakeSocket();
  SocketProbe probe(s.get());
  Target(s.get(), server.Port());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return s->GetState() == wsClosed; })) << probe.Joined();
  EXPECT_EQ(probe.Data, "partial");
  EXPECT_TRUE(probe.Has("closed 0") || probe.Has("closed 10054")) << probe.Joined();
}

TEST(Socket, BackgroundExceptionAbortsUnlessHandlerKeepsIt) {
  struct Keeper {
    bool Keep = false;
    std::string Seen;
    void Bg(TObject*, const std::exception& e, bool& canClose) {
      Seen = e.what();
      canClose = !Keep;
    }
  } keeper;
  ScriptServer server([](SOCKET c) { RecvLine(c); }, 2);
  for (bool keep : {true, false}) {
    auto s = MakeSocket();
    SocketProbe probe(s.get());
    keeper.Keep = keep;
    keeper.Seen.clear();
    s->OnBgException = Bind(&keeper, &Keeper::Bg);
    ASSERT_TRUE(ConnectTo(s.get(), probe, server));
    s->PostTestException();
    ASSERT_TRUE(PumpUntil([&] { return !keeper.Seen.empty(); }));
    EXPECT_EQ(keeper.Seen, "Test exception in WSocket");
    EXPECT_EQ(s->GetState(), keep ? wsConnected : wsClosed) << keep;
    if (keep) s->SendText("bye\n");
    PumpFor(50);
  }
}

TEST(Socket, ListenAcceptAndDup) {
  auto listener = MakeSocket();
  auto served = MakeSocket();
  struct Acceptor {
    TWSocket *Listener, *Served;
    void Available(TObject*, uint16_t) { Served->Dup(Listener->Accept()); }
  } acceptor{listener.get(), served.get()};
  SocketProbe servedProbe(served.get());
  listener->OnSessionAvailable = Bind(&acceptor, &Acceptor::Available);
  listener->SetAddr("127.0.0.1");
  listener->SetPort("0");
  listener->Listen();
  EXPECT_EQ(listener->GetState(), wsListening);
  std::string port = listener->BoundPort();
  ASSERT_NE(port, "error");

  std::string reply;
  std::thread client([&] {
    SOCKET c = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(uint16_t(std::stoi(port)));
    DWORD timeout = 5000;
    setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
    SendAll(c, "from client\n");
    reply = RecvLine(c);
    closesocket(c);
  });
  ASSERT_TRUE(PumpUntil([&] { return servedProbe.Data == "from client\n"; }));
  EXPECT_EQ(served->GetState(), wsConnected);
  EXPECT_EQ(served->PeerAddr(), "127.0.0.1");
  served->SendText("from server\n");
  PumpUntil([&] { return servedProbe.Has("closed 0"); });
  client.join();
  EXPECT_EQ(reply, "from server\n");

  auto idle = MakeSocket();
  struct Counter {
    int Count = 0;
    void Error(TObject*) { ++Count; }
  } counter;
  idle->OnError = Bind(&counter, &Counter::Error);
  EXPECT_EQ(idle->Accept(), NoSocket);
  EXPECT_EQ(counter.Count, 1);
}

TEST(Socket, UdpListenReceivesAsConnected) {
  auto udp = MakeSocket();
  SocketProbe probe(udp.get());
  udp->SetProto("udp");
  udp->SetAddr("127.0.0.1");
  udp->SetPort("0");
  udp->Listen();
  EXPECT_EQ(udp->GetState(), wsConnected);
  uint16_t port = uint16_t(std::stoi(udp->BoundPort()));
  SOCKET c = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  sendto(c, "datagram", 8, 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
  closesocket(c);
  ASSERT_TRUE(PumpUntil([&] { return probe.Data == "datagram"; }));
}

TEST(Socket, DnsLookups) {
  struct Reporter {
    TWSocket* Socket;
    std::vector<std::string> Seen;
    void Done(TObject*, uint16_t e) { Seen.push_back(std::to_string(e) + (e ? "" : " " + Socket->GetLookupResult())); }
    void Error(TObject*) { Seen.push_back("error"); }
  };
  auto s = MakeSocket();
  Reporter r{s.get(), {}};
  s->OnDnsLookupDone = Bind(&r, &Reporter::Done);
  s->OnError = Bind(&r, &Reporter::Error);
  s->DnsLookup(" 127.0.0.1 ");
  ASSERT_EQ(r.Seen.size(), 1u);  // a dotted address answers before the call returns
  EXPECT_EQ(r.Seen[0], "0 127.0.0.1");
  s->DnsLookup("");
  ASSERT_EQ(r.Seen.size(), 3u);
  EXPECT_EQ(r.Seen[1], "error");
  EXPECT_EQ(r.Seen[2], "10022");
  s->DnsLookup("localhost");
  ASSERT_TRUE(PumpUntil([&] { return r.Seen.size() == 4; }));
  EXPECT_EQ(r.Seen[3], "0 127.0.0.1");
  EXPECT_GT(s->GetLookupResults()->GetCount(), 0);
  s->ReverseLookupSync(std::string(257, '1'));
  EXPECT_EQ(r.Seen.back(), "10022");
}
