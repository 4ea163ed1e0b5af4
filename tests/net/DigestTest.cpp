// Digests and ciphers against the published test vectors.
#include <gtest/gtest.h>

#include "net/Des.h"
#include "net/Md4.h"
#include "net/Md5.h"
#include "net/NetException.h"
#include "net/Sha1.h"
#include "TestHex.h"

using namespace sonvelt::net;

namespace {

struct DigestCase {
  std::string input, md5, md4, sha1;
};

const std::string kDigits = "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

const DigestCase kDigestCases[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e", "31d6cfe0d16ae931b73c59d7e0c089c0",
     "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
    {"a", "0cc175b9c0f1b6a831c399e269772661", "bde52cb31de33e46245e05fbdbd6fb24", ""},
    {"abc", "900150983cd24fb0d6963f7d28e17f72", "a448017aaf21d8525fc10ae87aa6729d",
     "a9993e364706816aba3e25717850c26c9cd0d89d"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0", "d9130a8164549fe818874806e1c7014b", ""},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b", "d79e1c308aa5bbcdeea8ed63df412da9", ""},
    {kDigits, "57edf4a22be3c955ac49da2e2107b67a", "e33b4ddc9c38f2199c3e7b164fcc0536", ""},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "", "",
     "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
};

}  // namespace

TEST(Digests, PublishedVectors) {
  for (const auto& c : kDigestCases) {
    if (!c.md5.empty()) {
      EXPECT_EQ(Hex(Md5OfText(c.input)), c.md5) << c.input;
    }
    if (!c.md4.empty()) {
      EXPECT_EQ(Hex(Md4OfText(c.input)), c.md4) << c.input;
    }
    if (!c.sha1.empty()) {
      EXPECT_EQ(Hex(Sha1OfText(c.input)), c.sha1) << c.input;
    }
  }
}

TEST(Digests, PaddingBoundariesAndPiecewiseInputAgree) {
  // 55, 56, 63 and 64 bytes take both padding branches; feeding byte by byte
  // must give the digest of the whole.
  for (size_t len : {55u, 56u, 63u, 64u, 65u, 119u, 120u}) {
    std::string text(len, 'x');
    Md5Context m;
    Md5Start(m);
    Sha1Context s;
    Sha1Start(&s);
    Md4Context m4;
    Md4Start(m4);
    for (char c : text) {
      Md5Update(m, &c, 1);
      Sha1Update(&s, &c, 1);
      Md4Update(m4, &c, 1);
    }
    uint8_t d5[16], d1[20], d4[16];
    Md5Final(d5, m);
    Sha1Finish(&s, d1);
    Md4Final(m4, d4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(d5), 16), Md5OfText(text)) << len;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(d1), 20), Sha1OfText(text)) << len;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(d4), 16), Md4OfText(text)) << len;
  }
}

TEST(Digests, Sha1MillionAAndStateErrors) {
  Sha1Context c;
  ASSERT_EQ(Sha1Start(&c), 0);
  std::string block(1000, 'a');
  for (int i = 0; i < 1000; ++i) Sha1Update(&c, block.data(), block.size());
  uint8_t d[20];
  ASSERT_EQ(Sha1Finish(&c, d), 0);
  EXPECT_EQ(Hex(std::string(reinterpret_cast<char*>(d), 20)), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
  EXPECT_EQ(Sha1Update(&c, "x", 1), 3);
  EXPECT_EQ(Sha1Finish(&c, d), 3);
  EXPECT_EQ(Sha1Start(nullptr), 1);
}

TEST(Digests, Md4RefusesUnstartedContext) {
  Md4Context c;
  Md4Clear(c);
  EXPECT_THROW(Md4Update(c, "a", 1), MD4Exception);
  uint8_t d[16];
  EXPECT_THROW(Md4Final(c, d), MD4Exception);
}

TEST(Digests, HmacRfc2202) {
  struct Case {
    std::string key, text, md5, sha1;
  } cases[] = {
      {std::string(16, '\x0b'), "Hi There", "9294727a3638bb1c13f48ef8158bfc9d", ""},
      {std::string(20, '\x0b'), "Hi There", "", "b617318655057264e28bc0b6fb378c8ef146be00"},
      {"Jefe", "what do ya want for nothing?", "750c783e6ab0b503eaa86e310a5db738",
       "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
      // Keys longer than the block are hashed first.
      {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
       "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd", "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
  };
  for (const auto& c : cases) {
    if (!c.md5.empty()) {
      EXPECT_EQ(Hex(HmacMd5(c.text, c.key)), c.md5) << c.text;
    }
    if (!c.sha1.empty()) {
      EXPECT_EQ(Hex(HmacSha1Text(c.text, c.key)), c.sha1) << c.text;
    }
  }
  std::string longKey(80, 'k');
  EXPECT_EQ(HmacSha1Text("msg", longKey), HmacSha1Text("msg", Sha1OfText(longKey)));
}

TEST(Digests, CramMd5Rfc2195) {
  std::string digest = HmacMd5("<1896.697170952@postoffice.reston.mci.net>", "tanstaaftanstaaf");
  EXPECT_EQ(BytesToHexLower(digest), "b913a602c7eda7a495b4e6e7334d3890");
}

TEST(Des, ValidationVectors) {
  struct Case {
    const char *key, *plain, *cipher;
  } cases[] = {
      {"133457799bbcdff1", "0123456789abcdef", "85e813540f0ab405"},
      {"0e329232ea6d0d73", "8787878787878787", "0000000000000000"},
      {"0101010101010101", "95f8a5e5dd31d900", "8000000000000000"},
      {"0101010101010101", "0000000000000000", "8ca64de9c1b123a7"},
      {"7ca110454a1a6e57", "01a1d6d039776742", "690f5b0d9a26939b"},
  };
  for (const auto& c : cases) {
    std::string key = Unhex(c.key), plain = Unhex(c.plain);
    uint8_t out[8], back[8];
    DesCryptBlock(reinterpret_cast<const uint8_t*>(plain.data()), out, reinterpret_cast<const uint8_t*>(key.data()),
                  true);
    EXPECT_EQ(Hex(std::string(reinterpret_cast<char*>(out), 8)), c.cipher) << c.key;
    DesCryptBlock(out, back, reinterpret_cast<const uint8_t*>(key.data()), false);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 8), plain) << c.key;
  }
}
