// The SMTP client against a scripted server on loopback.
#include <gtest/gtest.h>

#include <fstream>
#include <mutex>

#include "Loopback.h"
#include "SocketProbe.h"
#include "TestStrings.h"
#include "net/Md5.h"
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
      std::string m = RecvUntil(c, "\r\n.\r\n");
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

