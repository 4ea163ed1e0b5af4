// NTLM messages: the published NTLMv1 example values and the
// checks that keep a hostile challenge message from reading past its end.
#include <gtest/gtest.h>

#include "net/MimeUtils.h"
#include "net/Ntlm.h"
#include "TestHex.h"

using namespace sonvelt::net;

namespace {
const uint8_t kChallenge[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};

std::string Le16(unsigned v) { return std::string{char(v), char(v >> 8)}; }
std::string Le32(unsigned v) { return Le16(v) + Le16(v >> 16); }

// A type-2 message with the given target-name and target-info buffers.
std::string Msg2(unsigned tnLen, unsigned tnOff, unsigned tiLen, unsigned tiOff, const std::string& payload) {
  std::string m = std::string("NTLMSSP\0", 8) + Le32(2) + Le16(tnLen) + Le16(tnLen) + Le32(tnOff) + Le32(0x8201) +
                  std::string(reinterpret_cast<const char*>(kChallenge), 8) + std::string(8, '\0') + Le16(tiLen) +
                  Le16(tiLen) + Le32(tiOff);
  return Base64EncodeText(m + payload);
}
}  // namespace

TEST(Ntlm, Version1ResponsesMatchPublishedExample) {
  EXPECT_EQ(Hex(NtlmNtResponse("Password", kChallenge)), "67c43011f30298a2ad35ece64f16331c44bdbed927841f94");
  EXPECT_EQ(Hex(NtlmLmResponse("Password", kChallenge)), "98def7b87f88aa5dafe2df779688a172def11c7d5ccdef13");
}

TEST(Ntlm, Message1Layout) {
  std::string m = Base64DecodeText(NtlmMessage1("", ""));
  ASSERT_EQ(m.size(), 32u);
  EXPECT_EQ(m.substr(0, 8), std::string("NTLMSSP\0", 8));
  EXPECT_EQ(Hex(m.substr(8, 8)), "0100000007820000");
  EXPECT_EQ(m.substr(16), std::string(16, '\0'));

  m = Base64DecodeText(NtlmMessage1("ws", "dom"));
  EXPECT_EQ(Hex(m.substr(12, 4)), "07b20000");
  EXPECT_EQ(m.substr(32), "WSDOM");
  EXPECT_EQ(Hex(m.substr(16, 8)), "0300030022000000");  // domain after the workstation
  EXPECT_EQ(Hex(m.substr(24, 8)), "0200020020000000");
}

TEST(Ntlm, Message2ParsesNamesAndChallenge) {
  std::string info = Le16(2) + Le16(3) + "DOM" + Le16(1) + Le16(3) + "SRV" + Le16(0) + Le16(0);
  TNTLM_Msg2_Info i = NtlmParseMessage2(Msg2(6, 48, unsigned(info.size()), 54, "TARGET" + info));
  ASSERT_TRUE(i.Msg2Ok);
  EXPECT_EQ(i.TargetName, L"TARGET");
  EXPECT_EQ(i.DomainName, L"DOM");
  EXPECT_EQ(i.ServerName, L"SRV");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(i.Challenge), 8),
            std::string(reinterpret_cast<const char*>(kChallenge), 8));
}

TEST(Ntlm, Message2RejectsWhatItCannotHold) {
  EXPECT_FALSE(NtlmParseMessage2("").Msg2Ok);
  EXPECT_FALSE(NtlmParseMessage2(Base64EncodeText("NTLMSSP")).Msg2Ok);  // shorter than the fixed part
  EXPECT_FALSE(NtlmParseMessage2(Msg2(200, 48, 0, 48, "abc")).Msg2Ok);  // name runs past the end
  EXPECT_FALSE(NtlmParseMessage2(Msg2(0, 48, 4, 0xFFFFFFF0, "")).Msg2Ok);  // info offset outside
  std::string notAChallenge = Base64DecodeText(Msg2(0, 48, 0, 48, ""));
  notAChallenge[8] = 3;
  EXPECT_FALSE(NtlmParseMessage2(Base64EncodeText(notAChallenge)).Msg2Ok);
  EXPECT_FALSE(NtlmParseMessage2(Base64EncodeText("NTLMSSQ" + notAChallenge.substr(7))).Msg2Ok);
  // An entry claiming more than the info holds stops the walk but keeps the rest.
  std::string info = Le16(1) + Le16(50) + "SRV";
  TNTLM_Msg2_Info i = NtlmParseMessage2(Msg2(0, 48, unsigned(info.size()), 48, info));
  EXPECT_TRUE(i.Msg2Ok);
  EXPECT_TRUE(i.ServerName.empty());
}

TEST(Ntlm, Message3Layout) {
  std::string m = Base64DecodeText(NtlmMessage3("", "WS", "user", kChallenge, "Password"));
  ASSERT_EQ(m.size(), 64u + 8 + 4 + 48);
  EXPECT_EQ(Hex(m.substr(8, 4)), "03000000");
  EXPECT_EQ(Hex(m.substr(60, 4)), "05820000");
  EXPECT_EQ(Hex(m.substr(36, 8)), "0800080040000000");  // user at 64
  EXPECT_EQ(m.substr(64, 8), std::string("u\0s\0e\0r\0", 8));
  EXPECT_EQ(m.substr(72, 4), std::string("W\0S\0", 4));
  EXPECT_EQ(Hex(m.substr(12, 8)), "180018004c000000");
  EXPECT_EQ(m.substr(100), NtlmNtResponse("Password", kChallenge));
}
