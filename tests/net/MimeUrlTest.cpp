// MIME coding and URL splitting.
#include <gtest/gtest.h>

#include "framework/MemoryStreams.h"
#include "net/MimeUtils.h"
#include "net/NetException.h"
#include "net/UrlUtils.h"
#include "TestStrings.h"

using namespace sonvelt::net;

TEST(Base64, Rfc4648VectorsBothWays) {
  const std::pair<std::string, std::string> cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                                                       {"foo", "Zm9v"},  {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},
                                                       {"foobar", "Zm9vYmFy"}, {std::string("\xff\x00\xfe", 3), "/wD+"}};
  for (const auto& [plain, coded] : cases) {
    EXPECT_EQ(Base64EncodeText(plain), coded);
    EXPECT_EQ(Base64DecodeText(coded), plain);
  }
  EXPECT_EQ(Base64DecodeText("Zm9v\r\nYmFy"), "foobar");
}

TEST(Base64, SliceAndStreamLines) {
  std::string text(100, 'x');
  size_t pos = 0;
  std::string line;
  Base64EncodeSlice(text, 76, pos, line);
  EXPECT_EQ(line.size(), 76u);
  EXPECT_EQ(pos, 57u);

  TOwnedStream s(TStringStream::Create(std::string(55, 'y')));
  bool more = false;
  std::string first = Base64LineOfStream(*s, more);
  EXPECT_EQ(first.size(), 72u);
  EXPECT_TRUE(more);
  std::string second = Base64LineOfStream(*s, more);
  EXPECT_EQ(second, "eQ==");
  EXPECT_FALSE(more);
  EXPECT_EQ(Base64DecodeText(first + second), std::string(55, 'y'));
}

TEST(QuotedPrintable, LinesAndSoftBreaks) {
  std::string out;
  size_t pos = 0;
  QuotedPrintableLine(std::string(20, 'a'), 10, "", false, pos, true, out);
  EXPECT_EQ(out, std::string(9, 'a') + "=");
  EXPECT_EQ(pos, 9u);

  pos = 0;
  QuotedPrintableLine("a=b\xe9 c", 76, "", false, pos, false, out);
  EXPECT_EQ(out, "a=3Db=E9 c");

  pos = 0;  // an escape that does not fit moves to the next line whole
  QuotedPrintableLine("abcdefg\xe9", 10, "", false, pos, true, out);
  EXPECT_EQ(out, "abcdefg=");
  EXPECT_EQ(pos, 7u);
}

TEST(EncodedWords, QAndBForms) {
  EXPECT_EQ(HdrEncodeInLine("Hello", "", 'Q', false, 76, "ISO-8859-1"), "=?iso-8859-1?Q?Hello?=");
  EXPECT_EQ(HdrEncodeInLine("Caf\xe9 au lait", "", 'Q', false, 76, "iso-8859-1"),
            "=?iso-8859-1?Q?Caf=E9_au_lait?=");
  EXPECT_EQ(HdrEncodeInLine("a,b", ",", 'Q', false, 76, "utf-8"), "=?utf-8?Q?a=2Cb?=");
  // "?" would end the word and "_" read as a blank.
  EXPECT_EQ(HdrEncodeInLine("why? a_b", "", 'Q', false, 76, "utf-8"), "=?utf-8?Q?why=3F_a=5Fb?=");
  EXPECT_EQ(HdrEncodeInLine("foobar", "", 'B', false, 76, "utf-8"), "=?utf-8?B?Zm9vYmFy?=");
  std::string folded = HdrEncodeInLine(std::string(60, '\xe9'), "", 'Q', true, 40, "utf-8");
  for (size_t start = 0, nl; start != std::string::npos; start = nl == std::string::npos ? nl : nl + 3) {
    nl = folded.find("\r\n\t", start);
    std::string word = folded.substr(start, nl - start);
    EXPECT_LE(word.size(), 40u) << word;
    EXPECT_EQ(word.substr(word.size() - 2), "?=");
  }
  EXPECT_THROW(HdrEncodeInLine("x", "", 'Q', false, 76, "utf"), ENetException);
  EXPECT_THROW(HdrEncodeInLine("x", "", 'X', false, 76, "utf-8"), ENetException);
  EXPECT_TRUE(NeedsEncoding("caf\xe9"));
  EXPECT_FALSE(NeedsEncoding("plain\ttext\r\n"));
}

TEST(Folding, PiecesHeadersAndStrings) {
  size_t pos = 0;
  std::string text = "a, \"b, c\" d; e";
  EXPECT_EQ(NextFoldPiece(text, "\r\n", ",;", "\"'", pos, 1), "a,");
  EXPECT_EQ(NextFoldPiece(text, "\r\n", ",;", "\"'", pos, 1), " \"b, c\" d;");
  EXPECT_EQ(NextFoldPiece(text, "\r\n", ",;", "\"'", pos, 1), " e");
  EXPECT_EQ(pos, NetNoPosition);

  pos = 0;  // a break text forces a cut and is removed
  EXPECT_EQ(NextFoldPiece("one\r\ntwo", "\r\n", "", "", pos, 1000), "one");
  EXPECT_EQ(NextFoldPiece("one\r\ntwo", "\r\n", "", "", pos, 1000), "two");

  auto folded = StringsOf({});
  std::string subject = "Subject: " + std::string(50, 'w') + " " + std::string(50, 'z');
  FoldHdrLine(folded.get(), subject);
  auto lines = LinesOf(folded.get());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Subject: " + std::string(50, 'w'));
  EXPECT_EQ(lines[1], "\t" + std::string(50, 'z'));
  EXPECT_EQ(FoldString("aaaa bbbb", " ", 5), "aaaa\r\n\tbbbb");
}

TEST(ContentTypes, ByExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.HTM", "text/html"}, {"b.gif", "image/gif"}, {"c.jpeg", "image/jpeg"}, {"d.txt", "text/plain"},
      {"e.bmp", "image/bmp"}, {"f", "application/octet-stream"}, {"dir.x\\g", "application/octet-stream"}};
  for (const auto& [name, type] : cases) EXPECT_EQ(ContentTypeOfFile(name), type) << name;
}

TEST(Urls, SplitTable) {
  struct Case {
    const char *url, *base, *proto, *user, *pass, *host, *port, *path;
  } cases[] = {
      {"http://u:p@host.example:8080/a/b?q=1", "", "http", "u", "p", "host.example", "8080", "/a/b?q=1"},
      {"HTTP://Host/x", "", "http", "", "", "Host", "", "/x"},
      {"host:81?x", "", "", "", "", "host", "81", "?x"},
      {"/name?query", "", "http", "", "", "", "", "/name?query"},
      {"//srv/p", "", "http", "", "", "srv", "", "/p"},
      {"../c", "/a/b/x", "", "", "", "", "", "/a/c"},
      {"../../c", "/a/b/x", "", "", "", "", "", "/c"},
      {"./d", "/a/b/x", "", "", "", "", "", "/a/b/d"},
      {"mailto:joe@example.org", "", "mailto", "joe", "", "example.org", "", ""},
      {"we ird://h/p", "", "http", "", "", "we ird", "", "//h/p"},
      {"ftp://h", "", "ftp", "", "", "h", "", ""},
  };
  for (const auto& c : cases) {
    std::string proto, user, pass, host, port, path = c.base;
    SplitUrl(c.url, proto, user, pass, host, port, path);
    EXPECT_EQ(proto, c.proto) << c.url;
    EXPECT_EQ(user, c.user) << c.url;
    EXPECT_EQ(pass, c.pass) << c.url;
    EXPECT_EQ(host, c.host) << c.url;
    EXPECT_EQ(port, c.port) << c.url;
    EXPECT_EQ(path, c.path) << c.url;
  }
}

TEST(Urls, Helpers) {
  EXPECT_EQ(NthPos("/", "/a/b", -1), 3);
  EXPECT_EQ(NthPos("/", "/a/b", 2), 3);
  EXPECT_EQ(NthPos("/", "/a/b", 3), 5);
  EXPECT_EQ(NthPos("aa", "aaa", 2), 2);  // occurrences overlap
  EXPECT_EQ(NthPos("/", "/a/b", -3), 0);
  EXPECT_EQ(NthPos("/", "/a/b", 0), 0);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('7'), 7);
  EXPECT_TRUE(IsHexDigitChar('c'));
  EXPECT_FALSE(IsHexDigitChar('g'));
  EXPECT_EQ(UrlBaseOf("/a/b/c.htm?x=/y"), "/a/b/");
}

TEST(Urls, DotSegments) {
  const std::pair<std::string, std::string> cases[] = {
      {"/a/b/c/./../../g", "/a/g"},       {"mid/content=5/../6", "mid/6"},  {"/r/sub/../../files/x", "/files/x"},
      {"/../../x", "/x"},                 {"/a/b/..", "/a/"},               {"/a/b/.", "/a/b/"},
      {"/a/./b/?q=../c#f/../g", "/a/b/?q=../c#f/../g"},                    {"/a/b..c/.d/x", "/a/b..c/.d/x"},
      {"/plain/path", "/plain/path"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(RemoveDotSegments(in), out) << in;
}
