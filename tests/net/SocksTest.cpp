// SOCKS negotiation against scripted proxies on loopback.
#include <gtest/gtest.h>

#include "Loopback.h"
#include "SocketProbe.h"
#include "net/NetException.h"

using namespace sonvelt::net;

namespace {

struct AuthProbe {
  std::vector<int> States;
  void State(TObject*, TSocksAuthState s) { States.push_back(int(s)); }
};

TNetPtr<TWSocket> SocksSocket(const ScriptServer& proxy, const std::string& level, const std::string& host) {
  TNetPtr<TWSocket> s(TWSocket::Create(nullptr));
  s->SetAddr(host);
  s->SetPort("8080");
  s->SetSocksServer("127.0.0.1");
  s->SetSocksPort(proxy.PortText());
  s->SetSocksLevel(level);
  return s;
}

}  // namespace

TEST(Socks, Level5WithoutAuthenticationAndReplyInTwoReads) {
  std::string method, request;
  ScriptServer proxy([&](SOCKET c) {
    method = RecvExactly(c, 3);
    SendAll(c, Bytes({5, 0}));
    request = RecvExactly(c, 5 + 11 + 2);
    SendAll(c, Bytes({5, 0, 0, 1, 10, 1}));
    Sleep(100);  // the rest of the reply, and data after it, in a second read
    SendAll(c, Bytes({2, 3, 0x1F, 0x90}) + "first data");
    RecvLine(c);
  });
  auto s = SocksSocket(proxy, "5", "example.org");
  SocketProbe probe(s.get());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.Data == "first data"; })) << probe.Joined();
  EXPECT_EQ(method, Bytes({5, 1, 0}));
  EXPECT_EQ(request, Bytes({5, 1, 0, 3, 11}) + "example.org" + Bytes({0x1F, 0x90}));
  EXPECT_EQ(probe.Events[3], "socks connected 0");
  EXPECT_EQ(probe.Events[4], "connected 0");
  EXPECT_EQ(s->GetSocksBoundAddr(), "10.1.2.3");
  EXPECT_EQ(s->GetSocksBoundPort(), "8080");
  s->SendText("bye\n");
  PumpUntil([&] { return s->GetState() == wsClosed; });
  EXPECT_EQ(s->GetSocksServer(), "");  // has to be set again for the next connection
}

TEST(Socks, Level5LoginAndALongBoundName) {
  std::string login;
  std::string name(200, 'n');
  ScriptServer proxy([&](SOCKET c) {
    RecvExactly(c, 3);
    SendAll(c, Bytes({5, 2}));
    login = RecvExactly(c, 1 + 1 + 4 + 1 + 6);
    SendAll(c, Bytes({1, 0}));
    RecvExactly(c, 5 + 9 + 2);
    SendAll(c, Bytes({5, 0, 0, 3, 200}) + name + Bytes({0, 80}));
    RecvLine(c);
  });
  auto s = SocksSocket(proxy, "5", "localhost");
  s->SetSocksAuthentication(socksAuthenticateUsercode);
  s->SetSocksUsercode("user");
  s->SetSocksPassword("secret");
  SocketProbe probe(s.get());
  AuthProbe auth;
  s->OnSocksAuthState = Bind(&auth, &AuthProbe::State);
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("connected 0"); })) << probe.Joined();
  EXPECT_EQ(login, Bytes({1, 4}) + "user" + Bytes({6}) + "secret");
  EXPECT_EQ(auth.States, (std::vector<int>{socksAuthStart, socksAuthSuccess}));
  EXPECT_EQ(s->GetSocksBoundAddr(), name);
  EXPECT_EQ(s->GetSocksBoundPort(), "80");
  s->SendText("bye\n");
  PumpUntil([&] { return s->GetState() == wsClosed; });
}

TEST(Socks, FailuresReachErrorConnectedAndClosed) {
  struct Case {
    std::string level;
    std::function<void(SOCKET)> script;
    std::string error;
    int code;
  } cases[] = {
      {"5", [](SOCKET c) { RecvExactly(c, 3); SendAll(c, Bytes({5, 2})); RecvExactly(c, 8); SendAll(c, Bytes({1, 1})); },
       "socks error 20015 socks authentication failed", 20015},
      {"5", [](SOCKET c) { RecvExactly(c, 3); SendAll(c, Bytes({4, 0})); }, "socks error 20002 socks version error",
       20002},
      {"5", [](SOCKET c) { RecvExactly(c, 3); SendAll(c, Bytes({5, 0xFF})); },
       "socks error 20003 authentification method not acceptable", 20003},
      {"5",
       [](SOCKET c) {
         RecvExactly(c, 3);
         SendAll(c, Bytes({5, 0}));
         RecvExactly(c, 16);
         SendAll(c, Bytes({5, 5, 0, 1}));
       },
       "socks error 20008 connection refused", 20008},
      {"4",
       [](SOCKET c) {
         RecvExactly(c, 9);
         SendAll(c, Bytes({0, 91, 0, 0, 0, 0, 0, 0}));
       },
       "socks error 20016 request rejected or failed", 20016},
  };
  for (auto& c : cases) {
    ScriptServer proxy(c.script);
    auto s = SocksSocket(proxy, c.level, "127.0.0.1");
    s->SetSocksUsercode("u");
    s->SetSocksPassword("pass");
    if (c.code == 20015) s->SetSocksAuthentication(socksAuthenticateUsercode);
    SocketProbe probe(s.get());
    s->Connect();
    std::string closed = "closed " + std::to_string(c.code);
    ASSERT_TRUE(PumpUntil([&] { return probe.Has(closed); })) << probe.Joined();
    EXPECT_TRUE(probe.Has(c.error)) << probe.Joined();
    EXPECT_TRUE(probe.Has("connected " + std::to_string(c.code))) << probe.Joined();
  }
}

TEST(Socks, Level4And4ARequests) {
  for (std::string level : {"4", "4a"}) {
    std::string request;
    ScriptServer proxy([&](SOCKET c) {
      request = RecvExactly(c, level == "4" ? 11 : 21);
      SendAll(c, Bytes({0, 90, 0, 0, 0, 0, 0, 0}) + "after");
      RecvLine(c);
    });
    auto s = SocksSocket(proxy, level, level == "4" ? "127.0.0.1" : "localhost");
    s->SetSocksUsercode("me");
    SocketProbe probe(s.get());
    s->Connect();
    ASSERT_TRUE(PumpUntil([&] { return probe.Data == "after"; })) << probe.Joined();
    EXPECT_EQ(s->GetSocksLevel(), level == "4" ? "4" : "4A");
    if (level == "4")
      EXPECT_EQ(request, Bytes({4, 1, 0x1F, 0x90, 127, 0, 0, 1}) + "me" + Bytes({0}));
    else
      EXPECT_EQ(request, Bytes({4, 1, 0x1F, 0x90, 0, 0, 0, 1}) + "me" + Bytes({0}) + "localhost" + Bytes({0}));
    s->SendText("bye\n");
    PumpUntil([&] { return s->GetState() == wsClosed; });
  }
}

TEST(Socks, OverlongFieldsFailInsteadOfOverflowing) {
  ScriptServer proxy([](SOCKET c) {
    RecvExactly(c, 3);
    SendAll(c, Bytes({5, 0}));
    RecvAll(c);
  });
  auto s = SocksSocket(proxy, "5", std::string(300, 'h'));
  SocketProbe probe(s.get());
  s->Connect();
  ASSERT_TRUE(PumpUntil([&] { return probe.Has("closed 20014"); })) << probe.Joined();
  EXPECT_TRUE(probe.Has("socks error 20014 host name too long"));
}

TEST(Socks, SettingsAreCheckedAndListeningRefused) {
  auto s = TNetPtr<TWSocket>(TWSocket::Create(nullptr));
  EXPECT_THROW(s->SetSocksLevel("6"), ESocketException);
  s->SetSocksLevel("4a");
  EXPECT_EQ(s->GetSocksLevel(), "4A");
  s->SetSocksServer("127.0.0.1");
  s->SetAddr("127.0.0.1");
  s->SetPort("0");
  try {
    s->Listen();
    FAIL();
  } catch (const ESocketException& e) {
    EXPECT_STREQ(e.what(), "Listening is not supported thru socks server");
  }
  s->SetProto("udp");
  s->SetSocksPort("1080");
  EXPECT_THROW(s->Connect(), ESocketException);
}
