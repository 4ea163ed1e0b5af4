// The SMTP client against a scripted server on loopback.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "Loopback.h"
#include "SocketProbe.h"
#include "TestStrings.h"
#include "net/Md5.h"
#include "net/NetDate.h"
#include "net/NetException.h"
#include "net/SmtpCli.h"

using namespace sonvelt::net;

namespace {

struct Dialog {
  std::mutex Lock;
  std::vector<std::string> Commands;
  std::string Message;  // what followed DATA, up to the final dot
  std::function<std::string(const std::string&)> Reply;

  std::vector<std::string> Seen() {
    std::lock_guard<std::mutex> g(Lock);
    return Commands;
  }
};

std::string DefaultReply(const std::string& line) {
  if (line.rfind("EHLO", 0) == 0) return "250-smtp.test\r\n250-AUTH LOGIN PLAIN\r\n250 SIZE 1000\r\n";
  if (line == "DATA") return "354 go ahead\r\n";
  if (line == "QUIT") return "221 bye\r\n";
  return "250 ok\r\n";
}

void RunSmtp(SOCKET c, Dialog& d, const std::string& banner = "220 smtp.test ready\r\n") {
  SendAll(c, banner);
  while (true) {
    std::string line = RecvUntil(c, "\r\n");
    if (line.size() < 2) return;
    line.resize(line.size() - 2);
    {
      std::lock_guard<std::mutex> g(d.Lock);
      d.Commands.push_back(line);
    }
    std::string r = d.Reply ? d.Reply(line) : DefaultReply(line);
    if (line == "DATA" && r.rfind("354", 0) == 0) {
      SendAll(c, r);
      // Nothing follows the end mark before the reply: whole blocks may be read.
      std::string m;
      char buf[65536];
      while (m.size() < 5 || m.compare(m.size() - 5, 5, "\r\n.\r\n") != 0) {
        int n = recv(c, buf, sizeof buf, 0);
        if (n <= 0) break;
        m.append(buf, size_t(n));
      }
      {
        std::lock_guard<std::mutex> g(d.Lock);
        d.Message = m;
      }
      r = "250 queued\r\n";
    }
    SendAll(c, r);
    if (line == "QUIT") return;
  }
}

struct SmtpProbe {
  explicit SmtpProbe(TSmtpCli* c) { c->OnRequestDone = Bind(this, &SmtpProbe::Done); }
  void Done(TObject*, TSmtpRequest rq, uint16_t err) { Dones.push_back(std::to_string(int(rq)) + " " + std::to_string(err)); }
  bool Wait(size_t n) { return PumpUntil([&] { return Dones.size() >= n; }, 8000); }
  std::vector<std::string> Dones;
};

TNetPtr<TSmtpCli> Client(const ScriptServer& server) {
  TNetPtr<TSmtpCli> c(TSmtpCli::Create(nullptr));
  c->Host = "127.0.0.1";
  c->Port = server.PortText();
  c->SignOn = "my host";
  return c;
}

std::string Done(TSmtpRequest rq, int err) { return std::to_string(int(rq)) + " " + std::to_string(err); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(Smtp, OpenMailQuitWithRecipientsHeadersAndDotStuffing) {
  Dialog d;
  ScriptServer server([&](SOCKET c) { RunSmtp(c, d); });
  auto c = Client(server);
  SmtpProbe probe(c.get());
  c->FromName = "Sender Name <sender@test>";
  c->SetRcptName(StringsOf({"one@test", "Two <two@test>", "three@test"}).get());
  c->HdrFrom = "sender@test";
  c->HdrTo = "one@test";
  c->HdrSubject = "Greetings";
  c->SetMailMessage(StringsOf({"First line", ".starts with a dot", "", "last"}).get());
  c->Open();
  ASSERT_TRUE(probe.Wait(1));
  EXPECT_EQ(probe.Dones[0], Done(smtpOpen, 0));
  EXPECT_THROW(c->Open(), SmtpException);  // already connected
  c->Mail();
  ASSERT_TRUE(probe.Wait(2));
  EXPECT_EQ(probe.Dones[1], Done(smtpMail, 0));
  c->Quit();
  ASSERT_TRUE(probe.Wait(3));
  EXPECT_EQ(probe.Dones[2], Done(smtpQuit, 0));
  EXPECT_EQ(d.Seen(), (std::vector<std::string>{"HELO my_host", "MAIL FROM:<sender@test>", "RCPT TO:<one@test>",
                                                 "RCPT TO:<two@test>", "RCPT TO:<three@test>", "DATA", "QUIT"}));
  std::string m = d.Message;
  size_t bodyAt = m.find("\r\n\r\n");
  ASSERT_NE(bodyAt, std::string::npos);
  std::string head = m.substr(0, bodyAt + 2), body = m.substr(bodyAt + 4);
  EXPECT_TRUE(Contains(head, "From: sender@test\r\n"));
  EXPECT_TRUE(Contains(head, "To: one@test\r\n"));
  EXPECT_TRUE(Contains(head, "Subject: Greetings\r\n"));
  EXPECT_TRUE(Contains(head, "Sender: sender@test\r\n"));
  EXPECT_TRUE(Contains(head, "Mime-Version: 1.0\r\n"));
  EXPECT_TRUE(Contains(head, "Content-Type: text/plain; charset=\"iso-8859-1\"\r\n"));
  EXPECT_TRUE(Contains(head, "Message-ID: <" + c->GetMessageId() + ">\r\n"));
  EXPECT_TRUE(Contains(head, "\r\nDate: "));
  EXPECT_EQ(body, "First line\r\n..starts with a dot\r\n\r\nlast\r\n.\r\n");
}

TEST(Smtp, RepliesAndTheirCodes) {
  struct Case {
    const char* name;
    std::string banner;
    std::function<std::string(const std::string&)> reply;
    std::string done;
  } cases[] = {
      {"banner continues", "220-first line\r\n220 second line\r\n", nullptr, Done(smtpOpen, 0)},
      {"banner refused", "554 no service\r\n", nullptr, Done(smtpOpen, 554)},
      {"reply without number", "220 ok\r\n", [](const std::string&) { return std::string("what?\r\n"); },
       Done(smtpOpen, 20600)},
      {"line beyond the buffer", "220 ok\r\n",
       [](const std::string&) { return "250 " + std::string(5000, 'x') + "\r\n"; }, Done(smtpOpen, 500)},
  };
  for (auto& k : cases) {
    Dialog d;
    d.Reply = k.reply;
    ScriptServer server([&](SOCKET c) { RunSmtp(c, d, k.banner); });
    auto c = Client(server);
    SmtpProbe probe(c.get());
    c->Open();
    ASSERT_TRUE(probe.Wait(1)) << k.name;
    EXPECT_EQ(probe.Dones[0], k.done) << k.name;
    c->Abort();
  }
}

TEST(Smtp, RefusedEhloWithAuthenticationAskedFails) {
  Dialog d;
  d.Reply = [](const std::string& l) { return l.rfind("EHLO", 0) == 0 ? "502 no\r\n" : DefaultReply(l); };
  ScriptServer server([&](SOCKET c) { RunSmtp(c, d); });
  auto c = Client(server);
  SmtpProbe probe(c.get());
  c->AuthType = smtpAuthLogin;
  c->Username = "u";
  c->Password = "p";
  c->Open();
  ASSERT_TRUE(probe.Wait(1));
  EXPECT_EQ(probe.Dones[0], Done(smtpOpen, 500));
  EXPECT_EQ(c->GetErrorMessage(), "502 no");
  EXPECT_EQ(d.Seen(), (std::vector<std::string>{"EHLO my_host", "HELO my_host"}));
  c->Abort();
}

TEST(Smtp, AuthenticationMechanisms) {
  const std::string cramChallenge = "<1896.697170952@postoffice.reston.mci.net>";
  struct Case {
    TSmtpAuthType type;
    std::string user, password;
    std::vector<std::string> expected;  // commands after EHLO
  } cases[] = {
      {smtpAuthLogin, "tim", "secret", {"AUTH LOGIN", Base64EncodeText("tim"), Base64EncodeText("secret")}},
      {smtpAuthPlain, "tim", "secret", {"AUTH PLAIN " + Base64EncodeText(std::string("tim\0tim\0secret", 14))}},
      {smtpAuthCramMD5, "tim", "tanstaaftanstaaf", {"AUTH CRAM-MD5", "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw"}},
      {smtpAuthCramMD5, "tim", std::string(80, 'k'),
       {"AUTH CRAM-MD5", Base64EncodeText("tim " + BytesToHexLower(HmacMd5(cramChallenge, Md5OfText(std::string(80, 'k')))))}},
      {smtpAuthAutoSelect, "tim", "secret", {"AUTH LOGIN", Base64EncodeText("tim"), Base64EncodeText("secret")}},
  };
  for (auto& k : cases) {
    Dialog d;
    d.Reply = [&](const std::string& l) -> std::string {
      if (l == "AUTH LOGIN") return "334 VXNlcm5hbWU6\r\n";
      if (l == "AUTH CRAM-MD5") return "334 " + Base64EncodeText(cramChallenge) + "\r\n";
      if (l.rfind("AUTH PLAIN", 0) == 0) return "235 ok\r\n";
      auto seen = d.Seen();
      if (seen.size() >= 2 && seen[seen.size() - 2] == "AUTH LOGIN") return "334 UGFzc3dvcmQ6\r\n";
      if (seen.size() >= 3 && seen[seen.size() - 3] == "AUTH LOGIN") return "235 ok\r\n";
      if (seen.size() >= 2 && seen[seen.size() - 2] == "AUTH CRAM-MD5") return "235 ok\r\n";
      return DefaultReply(l);
    };
    ScriptServer server([&](SOCKET c) { RunSmtp(c, d); });
    auto c = Client(server);
    SmtpProbe probe(c.get());
    c->AuthType = k.type;
    c->Username = k.user;
    c->Password = k.password;
    c->FromName = "someone.else@test";
    c->Open();
    ASSERT_TRUE(probe.Wait(1));
    EXPECT_EQ(probe.Dones[0], Done(smtpOpen, 0)) << int(k.type);
    auto seen = d.Seen();
    EXPECT_EQ(std::vector<std::string>(seen.begin() + 1, seen.end()), k.expected) << int(k.type);
    c->Abort();
  }
}

TEST(Smtp, RecipientErrorsAndFailingSteps) {
  Dialog d;
  d.Reply = [](const std::string& l) { return l == "RCPT TO:<b@test>" ? "550 no such user\r\n" : DefaultReply(l); };
  ScriptServer server([&](SOCKET c) { RunSmtp(c, d); }, 2);
  struct Ignorer {
    std::vector<int> Seen;
    void RcptError(TObject*, uint16_t code, int idx, TSmtpRcptToErrorAction& action) {
      Seen.push_back(code * 10 + idx);
      action = srteIgnore;
    }
  } ignorer;
  auto c = Client(server);
  SmtpProbe probe(c.get());
  c->OnRcptToError = Bind(&ignorer, &Ignorer::RcptError);
  c->FromName = "me@test";
  c->SetRcptName(StringsOf({"a@test", "b@test", "c@test"}).get());
  c->Open();
  ASSERT_TRUE(probe.Wait(1));
  c->Mail();
  ASSERT_TRUE(probe.Wait(2));
  EXPECT_EQ(probe.Dones[1], Done(smtpMail, 0));
  EXPECT_EQ(ignorer.Seen, (std::vector<int>{5501}));
  auto seen = d.Seen();
  EXPECT_EQ(seen.back(), "DATA");
  EXPECT_EQ(seen[seen.size() - 2], "RCPT TO:<c@test>");
  c->Quit();
  ASSERT_TRUE(probe.Wait(3));

  Dialog refusing;
  refusing.Reply = [](const std::string& l) { return l.rfind("MAIL", 0) == 0 ? "553 refused\r\n" : DefaultReply(l); };
  ScriptServer server2([&](SOCKET c) { RunSmtp(c, refusing); });
  auto r = Client(server2);
  SmtpProbe rprobe(r.get());
  r->FromName = "me@test";
  r->SetRcptName(StringsOf({"a@test"}).get());
  r->Open();
  ASSERT_TRUE(rprobe.Wait(1));
  r->Mail();
  ASSERT_TRUE(rprobe.Wait(2));
  EXPECT_EQ(rprobe.Dones[1], Done(smtpMail, 553));
  EXPECT_EQ(refusing.Seen().back(), "MAIL FROM:<me@test>");
  EXPECT_EQ(r->GetErrorMessage(), "553 refused");
  r->Abort();
}

TEST(Smtp, LocalRefusals) {
  auto c = TNetPtr<TSmtpCli>(TSmtpCli::Create(nullptr));
  SmtpProbe probe(c.get());
  c->Quit();  // not connected: done at once, through the message loop
  EXPECT_TRUE(probe.Dones.empty());
  ASSERT_TRUE(probe.Wait(1));
  EXPECT_EQ(probe.Dones[0], Done(smtpQuit, 0));
  EXPECT_THROW(c->Helo(), SmtpException);
  EXPECT_THROW(c->RcptTo(), SmtpException);
  try {
    c->SetEmailFiles(StringsOf({"  no-such-file.bin "}).get());
    FAIL();
  } catch (const SmtpException& e) {
    EXPECT_STREQ(e.what(), "File not found 'no-such-file.bin'");
  }
}

TEST(Smtp, AttachmentsEncodingsAndAddressHeaders) {
  std::string fileA = "attach-a.txt", fileB = "attach-b.bin";
  std::string bytesB(300, '\0');
  for (size_t i = 0; i < bytesB.size(); ++i) bytesB[i] = char(i * 7);
  std::ofstream(fileA, std::ios::binary) << "alpha";
  std::ofstream(fileB, std::ios::binary) << bytesB;
  Dialog d;
  ScriptServer server([&](SOCKET c) { RunSmtp(c, d); });
  auto c = Client(server);
  SmtpProbe probe(c.get());
  c->FromName = "me@test";
  c->SetRcptName(StringsOf({"you@test"}).get());
  c->HdrFrom = "me@test";
  c->HdrTo = "\"Jos\xe9 Doe\" <jose@test>; plain@test";
  c->HdrSubject = "Caf\xe9";
  c->Allow8bitChars = false;
  c->SetMailMessage(StringsOf({"Na\xefve text"}).get());
  c->SetEmailFiles(StringsOf({fileA, fileB}).get());
  // The application may add its own lines to the message and part headers.
  struct Extra {
    void Header(TObject*, TStrings* lines) { lines->Add("X-Tag: mine"); }
    void Part(TObject*, int number, const std::string&, TStrings* lines) {
      if (number == 0) lines->Add("Content-Description: first");
    }
  } extra;
  c->OnProcessHeader = Bind(&extra, &Extra::Header);
  c->OnAttachHeader = Bind(&extra, &Extra::Part);
  c->Open();
  ASSERT_TRUE(probe.Wait(1));
  c->Mail();
  ASSERT_TRUE(probe.Wait(2));
  EXPECT_EQ(probe.Dones[1], Done(smtpMail, 0));
  std::string m = d.Message;
  EXPECT_TRUE(Contains(m, "X-Mailer: Sonvelt mail client\r\nX-Tag: mine\r\n"));
  EXPECT_TRUE(Contains(m, "To: =?iso-8859-1?Q?Jos=E9_Doe?= <jose@test>,plain@test\r\n")) << m;
  EXPECT_TRUE(Contains(m, "Subject: =?iso-8859-1?Q?Caf=E9?=\r\n"));
  const std::string typeLine = "Content-Type: multipart/mixed;\r\n\tboundary=\"";
  size_t typeAt = m.find(typeLine);
  ASSERT_NE(typeAt, std::string::npos);
  size_t b0 = typeAt + typeLine.size();
  std::string boundary = m.substr(b0, m.find('"', b0) - b0);
  EXPECT_EQ(boundary.rfind("= Multipart Boundary ", 0), 0u);
  EXPECT_TRUE(Contains(m, "\r\n\r\nThis is a multipart MIME message.\r\n\r\n--" + boundary + "\r\n"));
  EXPECT_TRUE(Contains(m, "Content-Transfer-Encoding: quoted-printable\r\n\r\nNa=EFve text\r\n"));
  EXPECT_TRUE(Contains(m, "--" + boundary + "\r\nContent-Type: text/plain;\r\n\tname=\"attach-a.txt\"\r\n"
                          "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment;\r\n"
                          "\tfilename=\"attach-a.txt\"\r\nContent-Description: first\r\n\r\n" +
                          Base64EncodeText("alpha") + "\r\n"));
  size_t partB = m.find("filename=\"attach-b.bin\"\r\n\r\n");
  ASSERT_NE(partB, std::string::npos);
  size_t dataB = partB + 27, endB = m.find("\r\n--" + boundary, dataB);
  EXPECT_EQ(Base64DecodeText(m.substr(dataB, endB - dataB)), bytesB);
  EXPECT_EQ(m.substr(m.size() - boundary.size() - 11), "\r\n--" + boundary + "--\r\n.\r\n");
  EXPECT_TRUE(Contains(m, "Content-Type: application/octet-stream;\r\n\tname=\"attach-b.bin\""));
  c->Abort();
  DeleteFileA(fileA.c_str());
  DeleteFileA(fileB.c_str());
}

TEST(Smtp, OwnHeadersAndDataLines) {
  struct Lines {
    int Count = 0;
    void Get(TObject*, int num, std::string& line, int, bool& more) {
      line = "extra " + std::to_string(num);
      more = ++Count <= 2;
    }
  } lines;
  Dialog d;
  ScriptServer server([&](SOCKET c) { RunSmtp(c, d); });
  auto c = Client(server);
  SmtpProbe probe(c.get());
  c->OwnHeaders = true;
  c->FromName = "me@test";
  c->SetRcptName(StringsOf({"you@test"}).get());
  c->SetMailMessage(StringsOf({"Subject: mine", "", "text"}).get());
  c->OnGetData = Bind(&lines, &Lines::Get);
  c->Open();
  ASSERT_TRUE(probe.Wait(1));
  c->Mail();
  ASSERT_TRUE(probe.Wait(2));
  EXPECT_EQ(d.Message, "Subject: mine\r\n\r\ntext\r\nextra 1\r\nextra 2\r\n.\r\n");
  c->Abort();
}


namespace {

bool WholeUtf8(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    auto c = uint8_t(bytes[i]);
    size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > bytes.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((uint8_t(bytes[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

// The text of a value made of encoded words; `problem` names the first word
// that is too long, splits a character or stands beside unencoded text.
std::string DecodeWords(const std::string& value, std::string& problem) {
  std::string text;
  size_t at = 0;
  while (at < value.size()) {
    size_t start = value.find("=?", at);
    std::string gap = value.substr(at, start == std::string::npos ? std::string::npos : start - at);
    if (gap.find_first_not_of(" \t\r\n") != std::string::npos && problem.empty()) problem = "text outside words: " + gap;
    if (start == std::string::npos) break;
    size_t q1 = value.find('?', start + 2), q2 = value.find('?', q1 + 1), end = value.find("?=", q2 + 1);
    std::string word = value.substr(start, end + 2 - start), coded = value.substr(q2 + 1, end - q2 - 1), bytes;
    if (value[q1 + 1] == 'B') {
      bytes = Base64DecodeText(coded);
    } else {
      for (size_t i = 0; i < coded.size(); ++i) {
        if (coded[i] == '_') bytes += ' ';
        else if (coded[i] == '=') bytes += char(std::stoi(coded.substr(i + 1, 2), nullptr, 16)), i += 2;
        else bytes += coded[i];
      }
    }
    if (problem.empty() && word.size() > 75) problem = "longer than 75: " + word;
    if (problem.empty() && !WholeUtf8(bytes)) problem = "split character: " + word;
    text += bytes;
    at = end + 2;
  }
  return text;
}

// A header's value with its folded lines, or a parameter's value in quotes.
std::string HeaderOf(const std::string& text, const std::string& name) {
  const std::string message = "\r\n" + text;
  size_t at = message.find("\r\n" + name + ": ");
  if (at == std::string::npos) return "<none>";
  at += name.size() + 4;
  size_t end = at;
  while ((end = message.find("\r\n", end)) != std::string::npos && message[end + 2] == '\t') end += 2;
  return message.substr(at, end - at);
}

std::string ParameterOf(const std::string& message, const std::string& name) {
  size_t at = message.find("\t" + name + "=\"");
  if (at == std::string::npos) return "<none>";
  at += name.size() + 3;
  return message.substr(at, message.find('"', at) - at);
}

// A client with its sender and recipient set, and the scripted server it talks to.
struct MailSession {
  Dialog D;
  ScriptServer Server{[this](SOCKET c) { RunSmtp(c, D); }};
  TNetPtr<TSmtpCli> C = Client(Server);
  SmtpProbe P{C.get()};
  MailSession() {
    C->FromName = "me@test";
    C->SetRcptName(StringsOf({"you@test"}).get());
  }
  // Opens the session and sends one message; true when both went well.
  bool OpenAndMail() {
    C->Open();
    if (!P.Wait(1)) return false;
    C->Mail();
    return P.Wait(2) && P.Dones[1] == Done(smtpMail, 0);
  }
};

}  // namespace

// Subjects and attachment names in UTF-8 go out as encoded words of at most
// 75 characters, never splitting a character between two words, whether the
// header is folded or not, in either encoding.
TEST(Smtp, EncodedWordsStayShortAndKeepCharactersWhole) {
  const std::string texts[] = {
      std::string(90, 'a') + " caf\xc3\xa9",
      "Cr\xc3\xa8me br\xc3\xbbl\xc3\xa9" "e \xc3\xa0 la fa\xc3\xa7on de grand-m\xc3\xa8re, na\xc3\xafve et \xc3\xa9l\xc3\xa9gante",
      "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe4\xbb\xb6\xe5\x90\x8d\xe3\x81\xa8\xe3\x83\x95\xe3\x82\xa1"
      "\xe3\x82\xa4\xe3\x83\xab\xe5\x90\x8d\xe3\x80\x81\xe9\x95\xb7\xe3\x81\x84\xe6\x96\x87\xe5\xad\x97\xe5\x88\x97",
      "\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb6\xf0\x9f\x8e\xb8\xf0\x9f\x8e\xb9 music \xf0\x9f\x8e\xba\xf0\x9f\x8e\xbb"
      "\xf0\x9f\xa5\x81\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb6\xf0\x9f\x8e\xb8\xf0\x9f\x8e\xb9\xf0\x9f\x8e\xba",
      "R\xc3\xa9sum\xc3\xa9 \xe2\x80\x93 \xe5\xb1\xa5\xe6\xad\xb4\xe6\x9b\xb8 \xe2\x80\x93 why? a_b = c \xe2\x80\x93 "
      "\xf0\x9f\x93\x84 " + std::string(40, 'x') + " \xc3\xbc\xc3\xb6\xc3\xa4 \xe2\x82\xac\xe2\x82\xac\xe2\x82\xac"};
  struct Config {
    TSmtpDefaultEncoding encoding;
    bool fold;
  } configs[] = {{smtpEnc7bit, false}, {smtpEnc7bit, true}, {smtpEncBase64, true}};
  std::vector<std::string> files;
  for (size_t i = 0; i < std::size(texts); ++i) {
    files.push_back(texts[i] + ".txt");
    std::replace(files.back().begin(), files.back().end(), '?', '!');  // not in file names
    std::ofstream(std::filesystem::u8path(files.back()), std::ios::binary) << "x";
  }
  for (const auto& config : configs) {
    MailSession session;
    auto& [d, server, c, probe] = session;
    c->CharSet = "utf-8";
    c->Allow8bitChars = false;
    c->DefaultEncoding = config.encoding;
    c->FoldHeaders = config.fold;
    c->Open();
    ASSERT_TRUE(probe.Wait(1));
    for (size_t i = 0; i < std::size(texts); ++i) {
      const std::string& text = texts[i];
      std::string where = std::to_string(config.encoding) + (config.fold ? " folded, text " : ", text ") +
                          std::to_string(i);
      c->HdrSubject = text;
      c->SetEmailFiles(StringsOf({files[i]}).get());
      c->Mail();
      ASSERT_TRUE(probe.Wait(2 + i)) << where;
      std::string m = d.Message, problem;
      for (const auto& [value, expected] : {std::pair{HeaderOf(m, "Subject"), text},
                                            {ParameterOf(m, "name"), files[i]},
                                            {ParameterOf(m, "filename"), files[i]}}) {
        EXPECT_EQ(DecodeWords(value, problem), expected) << where;
        EXPECT_EQ(problem, "") << where;
        if (!config.fold) {
          EXPECT_EQ(value.find("\r\n"), std::string::npos) << where;
        }
      }
      // Folded, every line of the header stays within 76 characters.
      for (size_t at = m.find("Subject: "), end; config.fold; at = end + 2) {
        end = m.find("\r\n", at);
        EXPECT_LE(end - at, 76u) << where << ": " << m.substr(at, end - at);
        if (m[end + 2] != '\t') break;
      }
    }
    c->Abort();
  }
  for (const auto& f : files) std::filesystem::remove(std::filesystem::u8path(f));
}

// Text with 8-bit bytes that goes out unencoded is labelled 8bit, in a plain
// message and in the text part of one with attachments; 7-bit text is not.
TEST(Smtp, EightBitTextIsLabelledSo) {
  std::string file = "label-8bit.bin";
  std::ofstream(file, std::ios::binary) << "data";
  struct Case {
    std::string text;
    bool attach;
    std::string label;  // in the message header or the text part's header
  } cases[] = {{"plain words", false, "<none>"},
               {"Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln", false, "8bit"},
               {"Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln", true, "8bit"},
               {"plain words", true, "7bit"}};
  MailSession session;
  auto& [d, server, c, probe] = session;
  c->CharSet = "utf-8";
  c->Open();
  ASSERT_TRUE(probe.Wait(1));
  size_t n = 1;
  for (const auto& k : cases) {
    c->SetMailMessage(StringsOf({k.text}).get());
    c->SetEmailFiles(k.attach ? StringsOf({file}).get() : StringsOf({}).get());
    c->Mail();
    ASSERT_TRUE(probe.Wait(++n)) << k.text;
    std::string m = d.Message;
    std::string part = k.attach ? m.substr(m.find("\r\n--= Multipart Boundary")) : m;
    EXPECT_EQ(HeaderOf(part, "Content-Transfer-Encoding"), k.label) << k.text << k.attach;
    EXPECT_NE(m.find("\r\n\r\n" + k.text + "\r\n"), std::string::npos) << k.text;  // the text as it was
  }
  c->Abort();
  DeleteFileA(file.c_str());
}

// An attachment of many sent batches arrives whole, in lines of 72.
TEST(Smtp, LargeAttachmentArrivesWhole) {
  std::string file = "large-attachment.bin", bytes(300 * 1024 + 7, '\0');
  uint32_t x = 1;
  for (char& ch : bytes) ch = char((x = x * 1664525u + 1013904223u) >> 24);
  std::ofstream(file, std::ios::binary) << bytes;
  MailSession session;
  auto& [d, server, c, probe] = session;
  c->SetEmailFiles(StringsOf({file}).get());
  ASSERT_TRUE(session.OpenAndMail());
  std::string m = d.Message;
  const std::string head = "filename=\"large-attachment.bin\"\r\n\r\n";
  size_t from = m.find(head) + head.size(), to = m.find("\r\n\r\n--", from);
  ASSERT_LT(to, m.size());
  std::string lines = m.substr(from, to - from);
  EXPECT_TRUE(Base64DecodeText(lines) == bytes);
  for (size_t at = 0, end; at < lines.size(); at = end + 2) {
    end = std::min(lines.find("\r\n", at), lines.size());
    ASSERT_TRUE(end - at == 72 || end == lines.size()) << at;
  }
  c->Abort();
  DeleteFileA(file.c_str());
}

// The zone of the Date header: UTC is +0000; "-0000" only when the zone is
// unknown.
TEST(Smtp, DateZone) {
  struct Case {
    long bias, standard, daylight;
    DWORD mode;
    const char* text;
  } cases[] = {{0, 0, 0, TIME_ZONE_ID_UNKNOWN, "+0000"},   {0, 0, 0, TIME_ZONE_ID_STANDARD, "+0000"},
               {-60, 0, -60, TIME_ZONE_ID_DAYLIGHT, "+0200"}, {-60, 0, -60, TIME_ZONE_ID_STANDARD, "+0100"},
               {300, 0, -60, TIME_ZONE_ID_STANDARD, "-0500"}, {-330, 0, 0, TIME_ZONE_ID_UNKNOWN, "+0530"},
               {0, 0, 0, TIME_ZONE_ID_INVALID, "-0000"}};
  for (const auto& k : cases) {
    TIME_ZONE_INFORMATION tz{};
    tz.Bias = k.bias;
    tz.StandardBias = k.standard;
    tz.DaylightBias = k.daylight;
    EXPECT_EQ(TimeZoneText(tz, k.mode), k.text) << k.bias << " " << k.mode;
  }
  SYSTEMTIME st{2024, 3, 2, 5, 14, 3, 9, 0};
  EXPECT_EQ(RfcMailDate(SystemTimeToDateTime(st)), "Tue, 5 Mar 2024 14:03:09 " + TimeZoneText());
}
