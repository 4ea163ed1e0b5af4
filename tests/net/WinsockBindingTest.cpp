// Run-time binding, resolvers and error texts.
#include <gtest/gtest.h>

#include "SocketProbe.h"
#include "net/NetException.h"
#include "net/WinsockBinding.h"

using namespace sonvelt::net;

TEST(WinsockBinding, LoadedOnlyByNetworkCallsAndUnloadedWithTheLastSocket) {
  ASSERT_EQ(GetSocketCount(), 0);
  UnloadWinsock();
  TWSocket* s = TWSocket::Create(nullptr);
  EXPECT_FALSE(IsWinsockLoaded());
  Free(s);
  EXPECT_FALSE(IsWinsockLoaded());
  s = TWSocket::Create(nullptr);
  s->DnsLookup("127.0.0.1");
  EXPECT_TRUE(IsWinsockLoaded());
  Free(s);
  EXPECT_FALSE(IsWinsockLoaded());
}

TEST(WinsockBinding, VersionIsFixedWhileLoaded) {
  auto s = TNetPtr<TWSocket>(TWSocket::Create(nullptr));
  s->SetReqVerHigh(2);
  EXPECT_EQ(s->GetReqVerHigh(), 2);
  s->SetReqVerHigh(1);
  s->DnsLookup("127.0.0.1");
  try {
    s->SetReqVerLow(2);
    FAIL();
  } catch (const ESocketException& e) {
    EXPECT_STREQ(e.what(), "Invalid argument (#10022 in SetReqVerLow: WinSock version can't be changed now)");
  }
}

TEST(WinsockBinding, Resolvers) {
  auto hold = TNetPtr<TWSocket>(TWSocket::Create(nullptr));
  EXPECT_EQ(ResolveHost("255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_EQ(DottedAddress(ResolveHost(" 10.0.0.1 ")), "10.0.0.1");
  EXPECT_EQ(DottedAddress(ResolveHost("localhost")), "127.0.0.1");
  EXPECT_THROW(ResolveHost(""), ESocketException);
  const std::pair<const char*, bool> dotted[] = {{"1.2.3.4", true},   {" 10.0.0.1 ", true}, {"256.1.1.1", false},
                                                 {"1.2.3", false},    {".1.2.3", false},    {"1.2.3.4.5", false},
                                                 {"1.2.3.4x", false}, {"1..2.3", false}};
  for (const auto& [text, ok] : dotted) EXPECT_EQ(IsDottedAddress(text), ok) << text;
  EXPECT_EQ(ResolvePort("80abc", "tcp"), 80);
  EXPECT_EQ(ResolvePort("ftp", "tcp"), 21);
  EXPECT_THROW(ResolvePort("", "tcp"), ESocketException);
  EXPECT_THROW(ResolvePort("no-such-service-name", "tcp"), ESocketException);
  EXPECT_EQ(ResolveProto(" UDP "), 17);
  EXPECT_EQ(ResolveProto("raw"), 255);
  EXPECT_EQ(ResolveProto("6"), 6);
  EXPECT_THROW(ResolveProto(""), ESocketException);
}

TEST(WinsockBinding, ErrorTexts) {
  EXPECT_EQ(WinsockErrorMessage(10061), "Connection refused (#10061)");
  EXPECT_EQ(WinsockErrorText(0), "No Error");
  EXPECT_EQ(WinsockErrorText(11001), "Host not found");
  EXPECT_EQ(WinsockErrorText(12345), "Not a WinSock error");
  EXPECT_NE(SystemErrorMessage(2).find("(#2)"), std::string::npos);
}
