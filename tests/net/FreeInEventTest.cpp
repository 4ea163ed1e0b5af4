// Freeing the web client, the mail client or a socket inside any of its own
// events: each scenario runs once to count the events it raises, then once
// more for every call of every event, with the component freed right there.
// Nothing may touch the component afterwards (freed memory is poisoned, see
// PoisonedFree.cpp), and messages it had posted must fall on nothing.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>

#include "Loopback.h"
#include "SocketProbe.h"
#include "TestStrings.h"
#include "framework/MemoryStreams.h"
#include "net/HttpCli.h"
#include "net/MimeUtils.h"
#include "net/SmtpCli.h"

using namespace sonvelt::net;

namespace {

struct EventFreer;

// The handler of one event, in each signature the components raise.
struct Hook {
  EventFreer* F;
  std::string Name;
  bool Hit();
  void Notify(TObject*) { Hit(); }
  void Code(TObject*, uint16_t) { Hit(); }
  void Text(TObject*, const std::string&) { Hit(); }
  void Line(TObject*, std::string&) { Hit(); }
  void Data(TObject*, const void*, int) { Hit(); }
  void Cookie(TObject*, const std::string&, bool&) { Hit(); }
  void HttpDone(TObject*, THttpRequest, uint16_t) { Hit(); }
  void HeaderSend(TObject*, const std::string&, TStrings*) { Hit(); }
  void Exceeded(TObject*, int, bool&) { Hit(); }
  void SocksError(TObject*, int, const std::string&) { Hit(); }
  void SocksAuth(TObject*, TSocksAuthState) { Hit(); }
  void SmtpDone(TObject*, TSmtpRequest, uint16_t) { Hit(); }
  void RcptError(TObject*, uint16_t, int, TSmtpRcptToErrorAction& action) {
    Hit();
    action = srteIgnore;
  }
  void GetData(TObject*, int, std::string&, int, bool& more) {
    Hit();
    more = false;
  }
  void Lines(TObject*, TStrings*) { Hit(); }
  void AttachType(TObject*, int, const std::string&, std::string&) { Hit(); }
  void AttachHeader(TObject*, int, const std::string&, TStrings*) { Hit(); }
  void BeforeOpen(TObject*, int, const std::string&, TSmtpBeforeOpenFileAction&) { Hit(); }
  void AfterOpen(TObject*, int, const std::string&, const std::exception*, TSmtpAfterOpenFileAction&) { Hit(); }
  void SocketData(TObject* sender, uint16_t) {
    if (Hit()) static_cast<TWSocket*>(sender)->ReceiveText();
  }
  void SocketAccept(TObject* sender, uint16_t) {
    if (Hit()) closesocket(static_cast<TWSocket*>(sender)->Accept());
  }
  void SendData(TObject*, int) { Hit(); }
  void ChangeState(TObject*, TSocketState, TSocketState) { Hit(); }
  void LineLimit(TObject*, int, bool&) { Hit(); }
  void Bg(TObject*, const std::exception&, bool&) { Hit(); }
};

// Counts every event and frees the component at the chosen call of one.
struct EventFreer {
  TObject* Target = nullptr;
  std::string FreeAt;
  int FreeAtCall = 0;
  std::map<std::string, int> Calls;
  bool Freed = false;
  bool Finishing = false;  // the harness frees what is left: not counted
  std::deque<Hook> Hooks;

  Hook* H(const char* name) {
    Hooks.push_back(Hook{this, name});
    return &Hooks.back();
  }
  bool Seen(const char* name) const { return Calls.count(name) > 0; }
  void Finish() {
    PumpFor(20);
    Finishing = true;
    if (!Freed) Free(Target);
  }
  bool Hit(const std::string& name) {
    if (Finishing) return true;
    int n = ++Calls[name];
    if (!Freed && name == FreeAt && n == FreeAtCall) {
      Freed = true;
      Free(Target);
    }
    return !Freed;
  }
  // Pumps until the component is gone or cond holds; false when it is gone.
  bool Until(const std::function<bool()>& cond) {
    PumpUntil([&] { return Freed || cond(); }, 8000);
    return !Freed;
  }
};

bool Hook::Hit() { return F->Hit(Name); }

// Runs the scenario once to count, then frees at every call of every event.
void FreeAtEveryCall(const std::string& scenario, const std::function<void(EventFreer&)>& run) {
  EventFreer counting;
  run(counting);
  ASSERT_FALSE(counting.Calls.empty()) << scenario;
  for (const auto& [event, count] : counting.Calls) {
    for (int n = 1; n <= count; ++n) {
      EventFreer f;
      f.FreeAt = event;
      f.FreeAtCall = n;
      run(f);
      // Where timing splits the data differently an event may come fewer times.
      EXPECT_TRUE(f.Freed || f.Calls[event] < n) << scenario << ": " << event << " #" << n;
    }
  }
}

// A SOCKS 5 proxy that asks for a login and then connects through.
void SocksLogin(SOCKET c) {
  RecvExactly(c, 3);
  SendAll(c, Bytes({5, 2}));
  RecvExactly(c, 1 + 1 + 1 + 1 + 1);
  SendAll(c, Bytes({1, 0}));
  RecvExactly(c, 5 + 9 + 2);
  SendAll(c, Bytes({5, 0, 0, 1, 127, 0, 0, 1, 0, 80}));
}

// A SOCKS 5 proxy that refuses the connection.
void SocksRefusing(SOCKET c) {
  RecvExactly(c, 3);
  SendAll(c, Bytes({5, 0}));
  RecvExactly(c, 5 + 9 + 2);
  SendAll(c, Bytes({5, 5, 0, 1}));
}

void BindHttpHooks(THttpCli* c, EventFreer& f) {
  struct {
    const char* name;
    TNotifyEvent THttpCli::*event;
  } notify[] = {{"OnSessionConnected", &THttpCli::OnSessionConnected}, {"OnSessionClosed", &THttpCli::OnSessionClosed},
                {"OnHeaderData", &THttpCli::OnHeaderData},             {"OnHeaderBegin", &THttpCli::OnHeaderBegin},
                {"OnHeaderEnd", &THttpCli::OnHeaderEnd},               {"OnRequestHeaderBegin", &THttpCli::OnRequestHeaderBegin},
                {"OnRequestHeaderEnd", &THttpCli::OnRequestHeaderEnd}, {"OnDocBegin", &THttpCli::OnDocBegin},
                {"OnDocEnd", &THttpCli::OnDocEnd},                     {"OnSendBegin", &THttpCli::OnSendBegin},
                {"OnSendEnd", &THttpCli::OnSendEnd},                   {"OnStateChange", &THttpCli::OnStateChange},
                {"OnLocationChange", &THttpCli::OnLocationChange},     {"OnDataPush", &THttpCli::OnDataPush},
                {"OnDataPush2", &THttpCli::OnDataPush2},               {"OnSocketError", &THttpCli::OnSocketError}};
  for (auto& n : notify) c->*n.event = Bind(f.H(n.name), &Hook::Notify);
  c->OnCommand = Bind(f.H("OnCommand"), &Hook::Line);
  c->OnDocData = Bind(f.H("OnDocData"), &Hook::Data);
  c->OnSendData = Bind(f.H("OnSendData"), &Hook::Data);
  c->OnCookie = Bind(f.H("OnCookie"), &Hook::Cookie);
  c->OnRequestDone = Bind(f.H("OnRequestDone"), &Hook::HttpDone);
  c->OnBeforeHeaderSend = Bind(f.H("OnBeforeHeaderSend"), &Hook::HeaderSend);
  c->OnLocationChangeExceeded = Bind(f.H("OnLocationChangeExceeded"), &Hook::Exceeded);
  c->OnSocksConnected = Bind(f.H("OnSocksConnected"), &Hook::Code);
  c->OnSocksError = Bind(f.H("OnSocksError"), &Hook::SocksError);
  c->OnSocksAuthState = Bind(f.H("OnSocksAuthState"), &Hook::SocksAuth);
}

}  // namespace

TEST(FreeInEvent, WebClient) {
  struct Case {
    const char* name;
    std::function<void(SOCKET)> script;
    int connections;
    std::function<void(THttpCli*, EventFreer&, const ScriptServer&)> drive;
  };
  auto get = [](THttpCli* c, EventFreer& f, const ScriptServer&) {
    c->GetAsync();
    f.Until([&] { return f.Seen("OnRequestDone"); });
  };
  auto ok = [](SOCKET c) {
    ReadRequest(c);
    SendAll(c, "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
  };
  Case cases[] = {
      {"get",
       [](SOCKET c) {
         ReadRequest(c);
         SendAll(c, "HTTP/1.0 200 OK\r\nSet-Cookie: a=b\r\nContent-Length: 10\r\n\r\n01234");
         Sleep(30);
         SendAll(c, "56789");
       },
       1, get},
      {"post", ok, 1,
       [](THttpCli* c, EventFreer& f, const ScriptServer&) {
         TOwned<TStringStream> body(TStringStream::Create(std::string(20000, 'p')));
         c->PostStream = body.get();
         c->PostAsync();
         f.Until([&] { return f.Seen("OnRequestDone"); });
       }},
      {"redirect on the same connection",
       [](SOCKET c) {
         ReadRequest(c);
         SendAll(c, "HTTP/1.1 302 Found\r\nLocation: ../b/./c\r\nContent-Length: 0\r\n\r\n");
         ReadRequest(c);
         SendAll(c, "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
         RecvAll(c);
       },
       1,
       [&](THttpCli* c, EventFreer& f, const ScriptServer& s) {
         c->SetRequestVer("1.1");
         get(c, f, s);
       }},
      {"redirect over a new connection",
       [&](SOCKET c) {
         std::string r = ReadRequest(c);
         if (r.rfind("GET /a/x", 0) == 0) SendAll(c, "HTTP/1.0 302 Found\r\nLocation: /b\r\n\r\n");
         else SendAll(c, "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
       },
       2, get},
      {"too many redirects",
       [](SOCKET c) {
         ReadRequest(c);
         SendAll(c, "HTTP/1.0 302 Found\r\nLocation: /b\r\n\r\n");
       },
       1,
       [&](THttpCli* c, EventFreer& f, const ScriptServer& s) {
         c->LocationChangeMaxCount = 0;
         get(c, f, s);
       }},
      {"no status line",
       [](SOCKET c) {
         ReadRequest(c);
         SendAll(c, "garbage\r\n\r\n");
       },
       1, get},
      {"data nobody asked for",
       [](SOCKET c) {
         ReadRequest(c);
         SendAll(c, "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
         Sleep(50);
         SendAll(c, "unasked");
         RecvAll(c);
       },
       1,
       [](THttpCli* c, EventFreer& f, const ScriptServer&) {
         c->SetRequestVer("1.1");
         c->GetAsync();
         f.Until([&] { return f.Seen("OnDataPush"); });
       }},
      {"basic authentication",
       [](SOCKET c) {
         std::string r = ReadRequest(c);
         if (r.find("Authorization:") == std::string::npos)
           SendAll(c, "HTTP/1.0 401 No\r\nWWW-Authenticate: Basic realm=\"x\"\r\n\r\n");
         else
           SendAll(c, "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
       },
       2,
       [&](THttpCli* c, EventFreer& f, const ScriptServer& s) {
         c->Username = "u";
         c->Password = "p";
         get(c, f, s);
       }},
      {"socks with login",
       [](SOCKET c) {
         SocksLogin(c);
         ReadRequest(c);
         SendAll(c, "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
       },
       1,
       [&](THttpCli* c, EventFreer& f, const ScriptServer& s) {
         c->SocksServer = "127.0.0.1";
         c->SocksPort = s.PortText();
         c->SocksAuthentication = socksAuthenticateUsercode;
         c->SocksUsercode = "u";
         c->SocksPassword = "p";
         c->URL = "http://127.0.0.2/x";
         get(c, f, s);
       }},
      {"socks refusing", SocksRefusing, 1,
       [&](THttpCli* c, EventFreer& f, const ScriptServer& s) {
         c->SocksServer = "127.0.0.1";
         c->SocksPort = s.PortText();
         c->URL = "http://127.0.0.2/x";
         get(c, f, s);
       }},
      {"socket error",
       nullptr, 0,
       [&](THttpCli* c, EventFreer& f, const ScriptServer& s) {
         c->SocksServer = "127.0.0.1";  // and no port: the socket reports the error
         get(c, f, s);
       }},
      {"abort while idle", nullptr, 0, [](THttpCli* c, EventFreer&, const ScriptServer&) { c->Abort(); }},
      {"abort while busy",
       [](SOCKET c) {
         ReadRequest(c);
         RecvAll(c);
       },
       1,
       [](THttpCli* c, EventFreer& f, const ScriptServer&) {
         c->GetAsync();
         if (f.Until([&] { return c->GetState() == httpWaitingHeader; })) c->Abort();
         f.Until([&] { return f.Seen("OnRequestDone"); });
       }},
  };
  for (auto& k : cases) {
    FreeAtEveryCall(k.name, [&](EventFreer& f) {
      ScriptServer server(k.script ? k.script : [](SOCKET) {}, k.connections);
      THttpCli* c = THttpCli::Create(nullptr);
      f.Target = c;
      c->URL = "http://127.0.0.1:" + server.PortText() + "/a/x";
      BindHttpHooks(c, f);
      k.drive(c, f, server);
      f.Finish();
    });
  }
}

TEST(FreeInEvent, MailClient) {
  const std::string attachment = "free-in-event.bin";
  std::ofstream(attachment, std::ios::binary) << std::string(100, 'a');
  // A server that asks for a login, refuses one recipient and answers DATA so.
  auto replies = [](std::string data) {
    return [data](const std::string& l) -> std::string {
      if (l.rfind("EHLO", 0) == 0) return "250-smtp.test\r\n250 AUTH LOGIN\r\n";
      if (l == "AUTH LOGIN" || l == Base64EncodeText("u")) return "334 ok\r\n";
      if (l == Base64EncodeText("p")) return "235 in\r\n";
      if (l == "RCPT TO:<no@test>") return "550 no such user\r\n";
      if (l == "DATA") return data;
      if (l == "QUIT") return "221 bye\r\n";
      return "250 ok\r\n";
    };
  };
  struct Case {
    const char* name;
    std::function<std::string(const std::string&)> reply;
  } cases[] = {{"login, mail with an attachment and a refused recipient, quit", replies("354 go\r\n")},
               {"refused data", replies("554 no\r\n")}};
  for (auto& k : cases) {
    FreeAtEveryCall(k.name, [&](EventFreer& f) {
      ScriptServer server([&](SOCKET c) {
        SendAll(c, "220 ready\r\n");
        while (true) {
          std::string line = RecvUntil(c, "\r\n");
          if (line.size() < 2) return;
          line.resize(line.size() - 2);
          std::string r = k.reply(line);
          SendAll(c, r);
          if (line == "DATA" && r[0] == '3') {
            RecvUntil(c, "\r\n.\r\n");
            SendAll(c, "250 queued\r\n");
          }
          if (line == "QUIT") return;
        }
      });
      TSmtpCli* c = TSmtpCli::Create(nullptr);
      f.Target = c;
      c->Host = "127.0.0.1";
      c->Port = server.PortText();
      c->AuthType = smtpAuthLogin;
      c->Username = "u";
      c->Password = "p";
      c->FromName = "me@test";
      c->SetRcptName(StringsOf({"no@test", "you@test"}).get());
      c->HdrSubject = "subject";
      c->SetMailMessage(StringsOf({"one", "two"}).get());
      c->SetEmailFiles(StringsOf({attachment}).get());
      c->OnDisplay = Bind(f.H("OnDisplay"), &Hook::Text);
      c->OnCommand = Bind(f.H("OnCommand"), &Hook::Text);
      c->OnResponse = Bind(f.H("OnResponse"), &Hook::Text);
      c->OnRcptToError = Bind(f.H("OnRcptToError"), &Hook::RcptError);
      c->OnRequestDone = Bind(f.H("OnRequestDone"), &Hook::SmtpDone);
      c->OnSessionConnected = Bind(f.H("OnSessionConnected"), &Hook::Code);
      c->OnSessionClosed = Bind(f.H("OnSessionClosed"), &Hook::Code);
      c->OnGetData = Bind(f.H("OnGetData"), &Hook::GetData);
      c->OnHeaderLine = Bind(f.H("OnHeaderLine"), &Hook::Line);
      c->OnProcessHeader = Bind(f.H("OnProcessHeader"), &Hook::Lines);
      c->OnStateChange = Bind(f.H("OnStateChange"), &Hook::Notify);
      c->OnAttachContentType = Bind(f.H("OnAttachContentType"), &Hook::AttachType);
      c->OnAttachHeader = Bind(f.H("OnAttachHeader"), &Hook::AttachHeader);
      c->OnBeforeFileOpen = Bind(f.H("OnBeforeFileOpen"), &Hook::BeforeOpen);
      c->OnAfterFileOpen = Bind(f.H("OnAfterFileOpen"), &Hook::AfterOpen);
      // Each request starts when the one before has ended.
      int done = 0;
      for (void (TSmtpCli::*request)() : {&TSmtpCli::Open, &TSmtpCli::Mail, &TSmtpCli::Quit}) {
        (c->*request)();
        if (!f.Until([&] { return f.Calls["OnRequestDone"] > done; })) break;
        ++done;
      }
      f.Finish();
    });
  }
  DeleteFileA(attachment.c_str());
}

TEST(FreeInEvent, Socket) {
  struct Case {
    const char* name;
    std::function<void(SOCKET)> script;
    std::function<void(TWSocket*, EventFreer&, const ScriptServer&)> drive;
  };
  auto connectTo = [](TWSocket* s, const ScriptServer& server) {
    s->SetAddr("127.0.0.1");
    s->SetPort(server.PortText());
    s->Connect();
  };
  auto untilClosed = [](EventFreer& f) { f.Until([&] { return f.Seen("OnSessionClosed"); }); };
  Case cases[] = {
      {"connect, send, receive, close",
       [](SOCKET c) {
         RecvLine(c);
         SendAll(c, "reply\r\n");
       },
       [&](TWSocket* s, EventFreer& f, const ScriptServer& server) {
         connectTo(s, server);
         if (f.Until([&] { return f.Seen("OnSessionConnected"); })) s->SendText("hello\n");
         untilClosed(f);
       }},
      {"lines, an overlong one and an unterminated last one",
       [](SOCKET c) {
         SendAll(c, "line one\r\n0123456789ABCDEF");
         Sleep(30);
         SendAll(c, "tail");
       },
       [&](TWSocket* s, EventFreer& f, const ScriptServer& server) {
         s->SetLineMode(true);
         s->SetLineLimit(10);
         connectTo(s, server);
         untilClosed(f);
       }},
      {"look-up",
       nullptr,
       [](TWSocket* s, EventFreer& f, const ScriptServer&) {
         s->DnsLookup("localhost");
         f.Until([&] { return f.Seen("OnDnsLookupDone"); });
       }},
      {"listen and accept",
       nullptr,
       [](TWSocket* s, EventFreer& f, const ScriptServer&) {
         s->SetAddr("127.0.0.1");
         s->SetPort("0");
         s->Listen();
         if (f.Freed) return;
         sockaddr_in a{};
         a.sin_family = AF_INET;
         a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
         a.sin_port = htons(uint16_t(std::stoi(s->BoundPort())));
         SOCKET c = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
         connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
         f.Until([&] { return f.Seen("OnSessionAvailable"); });
         closesocket(c);
       }},
      {"socks with login",
       [](SOCKET c) {
         SocksLogin(c);
         SendAll(c, "after\r\n");
       },
       [&](TWSocket* s, EventFreer& f, const ScriptServer& server) {
         s->SetSocksServer("127.0.0.1");
         s->SetSocksPort(server.PortText());
         s->SetSocksAuthentication(socksAuthenticateUsercode);
         s->SetSocksUsercode("u");
         s->SetSocksPassword("p");
         s->SetAddr("127.0.0.2");
         s->SetPort("80");
         s->Connect();
         untilClosed(f);
       }},
      {"socks refusing", SocksRefusing,
       [&](TWSocket* s, EventFreer& f, const ScriptServer& server) {
         s->SetSocksServer("127.0.0.1");
         s->SetSocksPort(server.PortText());
         s->SetAddr("127.0.0.2");
         s->SetPort("80");
         s->Connect();
         untilClosed(f);
       }},
      {"background exception",
       [](SOCKET c) { RecvAll(c); },
       [&](TWSocket* s, EventFreer& f, const ScriptServer& server) {
         connectTo(s, server);
         if (f.Until([&] { return f.Seen("OnSessionConnected"); })) s->PostTestException();
         untilClosed(f);
       }},
  };
  for (auto& k : cases) {
    FreeAtEveryCall(k.name, [&](EventFreer& f) {
      ScriptServer server(k.script ? k.script : [](SOCKET) {}, k.script ? 1 : 0);
      TWSocket* s = TWSocket::Create(nullptr);
      f.Target = s;
      s->OnSessionAvailable = Bind(f.H("OnSessionAvailable"), &Hook::SocketAccept);
      s->OnSessionConnected = Bind(f.H("OnSessionConnected"), &Hook::Code);
      s->OnSessionClosed = Bind(f.H("OnSessionClosed"), &Hook::Code);
      s->OnChangeState = Bind(f.H("OnChangeState"), &Hook::ChangeState);
      s->OnDataAvailable = Bind(f.H("OnDataAvailable"), &Hook::SocketData);
      s->OnDataSent = Bind(f.H("OnDataSent"), &Hook::Code);
      s->OnSendData = Bind(f.H("OnSendData"), &Hook::SendData);
      s->OnDnsLookupDone = Bind(f.H("OnDnsLookupDone"), &Hook::Code);
      s->OnError = Bind(f.H("OnError"), &Hook::Notify);
      s->OnBgException = Bind(f.H("OnBgException"), &Hook::Bg);
      s->OnSocksConnected = Bind(f.H("OnSocksConnected"), &Hook::Code);
      s->OnSocksError = Bind(f.H("OnSocksError"), &Hook::SocksError);
      s->OnSocksAuthState = Bind(f.H("OnSocksAuthState"), &Hook::SocksAuth);
      s->OnLineLimitExceeded = Bind(f.H("OnLineLimitExceeded"), &Hook::LineLimit);
      k.drive(s, f, server);
      f.Finish();
    });
  }
}
