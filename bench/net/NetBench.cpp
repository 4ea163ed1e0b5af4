// The protocol clients beside plain blocking Winsock in the same process, each
// against the same loopback server thread:
//   mail      TSmtpCli sends a message with a 5 MiB attachment; the plain
//             client base64-encodes the same file into the same lines and
//             sends the same dialogue with blocking 64 KiB sends.
//   download  THttpCli receives a 64 MiB body; the plain client reads it with
//             blocking 64 KiB receives.
// Without a mode both run in turn, rounds times each, and the medians and
// their ratio (ours / plain) are printed (compare-mail or compare-download:
// that one alone). With a mode of one side only that side runs, rounds times,
// so that whole processes can be timed against each other:
//   bench_net.exe [compare-mail|compare-download|mail|mail-plain|download|download-plain] [rounds]
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/Streams.h"
#include "framework/StringLists.h"
#include "net/HttpCli.h"
#include "net/MimeUtils.h"
#include "net/SmtpCli.h"

using namespace sonvelt::net;

namespace {

constexpr size_t kAttachmentBytes = 5 << 20;
constexpr int64_t kBodyBytes = int64_t(64) << 20;
constexpr int kBlock = 64 * 1024;

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void SendAll(SOCKET s, const char* data, size_t n) {
  while (n > 0) {
    int sent = send(s, data, int(std::min<size_t>(n, kBlock)), 0);
    if (sent <= 0) return;
    data += sent;
    n -= size_t(sent);
  }
}
void SendAll(SOCKET s, const std::string& text) { SendAll(s, text.data(), text.size()); }

// A loopback server thread that serves one connection at a time with `serve`.
class Server {
public:
  explicit Server(void (*serve)(SOCKET)) {
    Listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(Listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(Listener, 4);
    int len = sizeof a;
    getsockname(Listener, reinterpret_cast<sockaddr*>(&a), &len);
    Port = ntohs(a.sin_port);
    Worker = std::thread([this, serve] {
      while (true) {
        SOCKET c = accept(Listener, nullptr, nullptr);
        if (c == INVALID_SOCKET || Stopping) {
          closesocket(c);
          return;
        }
        serve(c);
        closesocket(c);
      }
    });
  }
  ~Server() {
    Stopping = true;
    SOCKET wake = Connect();
    closesocket(wake);
    Worker.join();
    closesocket(Listener);
  }
  SOCKET Connect() const {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(Port);
    connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    return s;
  }
  uint16_t Port = 0;

private:
  SOCKET Listener;
  std::atomic<bool> Stopping{false};
  std::thread Worker;
};

// ---- mail ----

// Reads one line (commands) through a small buffer of its own.
struct LineReader {
  SOCKET S;
  std::string Held;
  bool Line(std::string& out) {
    while (true) {
      size_t end = Held.find("\r\n");
      if (end != std::string::npos) {
        out = Held.substr(0, end);
        Held.erase(0, end + 2);
        return true;
      }
      char buf[kBlock];
      int n = recv(S, buf, sizeof buf, 0);
      if (n <= 0) return false;
      Held.append(buf, size_t(n));
    }
  }
  // Swallows the message up to its end mark, in blocks; counts its bytes.
  bool Message(size_t& bytes) {
    bytes = 0;
    while (true) {
      size_t end = Held.find("\r\n.\r\n");
      if (end != std::string::npos) {
        bytes += end + 5;
        Held.erase(0, end + 5);
        return true;
      }
      if (Held.size() > 4) {
        bytes += Held.size() - 4;
        Held.erase(0, Held.size() - 4);
      }
      char buf[kBlock];
      int n = recv(S, buf, sizeof buf, 0);
      if (n <= 0) return false;
      Held.append(buf, size_t(n));
    }
  }
};

// The size of the last message the server took: a client that sent less than
// the encoded attachment did not do the work it is timed for.
std::atomic<size_t> gLastMessageBytes{0};

void ServeSmtp(SOCKET c) {
  LineReader r{c, {}};
  SendAll(c, "220 bench ready\r\n");
  std::string line;
  while (r.Line(line)) {
    if (line == "DATA") {
      SendAll(c, "354 go\r\n");
      size_t bytes = 0;
      if (!r.Message(bytes)) return;
      gLastMessageBytes = bytes;
      SendAll(c, "250 queued\r\n");
    } else if (line == "QUIT") {
      SendAll(c, "221 bye\r\n");
      return;
    } else {
      SendAll(c, "250 ok\r\n");
    }
  }
}

std::string gAttachmentPath;

// Base64 lines of 72 characters and their line ends.
constexpr size_t kEncodedAttachmentBytes = (kAttachmentBytes + 53) / 54 * 74;

void CheckMessageSent(const char* who) {
  const size_t got = gLastMessageBytes.exchange(0);
  if (got < kEncodedAttachmentBytes || got > kEncodedAttachmentBytes + 4096) {
    std::fprintf(stderr, "%s: the server took a message of %zu bytes, about %zu expected\n", who, got,
                 kEncodedAttachmentBytes);
    std::exit(1);
  }
}

void MakeAttachment() {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  gAttachmentPath = std::string(dir) + "bench-net-attachment.bin";
  std::string data(kAttachmentBytes, '\0');
  uint32_t x = 1;
  for (char& ch : data) {
    x = x * 1664525u + 1013904223u;
    ch = char(x >> 24);
  }
  FILE* f = std::fopen(gAttachmentPath.c_str(), "wb");
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
}

void Pump(const bool& done) {
  while (!done) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (!done) MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
}

// The end of a client's request, as its OnRequestDone reports it.
struct Outcome {
  bool Done = false;
  uint16_t Error = 0;
  template <class TRequest>
  void RequestDone(TObject*, TRequest, uint16_t error) {
    Error = error;
    Done = true;
  }
};

double OursMail(const Server& server) {
  TOwned<TSmtpCli> c(TSmtpCli::Create(nullptr));
  Outcome run;
  c->OnRequestDone = Bind(&run, &Outcome::RequestDone<TSmtpRequest>);
  c->Host = "127.0.0.1";
  c->Port = std::to_string(server.Port);
  c->SignOn = "bench";
  c->FromName = "me@bench";
  c->HdrFrom = "me@bench";
  c->HdrTo = "you@bench";
  c->HdrSubject = "attachment";
  TOwned<TStringList> list(TStringList::Create());
  list->Add("you@bench");
  c->SetRcptName(list.get());
  list->Clear();
  list->Add("The file is attached.");
  c->SetMailMessage(list.get());
  list->Clear();
  list->Add(gAttachmentPath);
  c->SetEmailFiles(list.get());
  double start = Seconds();
  for (void (TSmtpCli::*request)() : {&TSmtpCli::Open, &TSmtpCli::Mail, &TSmtpCli::Quit}) {
    run.Done = false;
    (c.get()->*request)();
    Pump(run.Done);
    if (run.Error) {
      std::fprintf(stderr, "mail request failed: %u\n", unsigned(run.Error));
      std::exit(1);
    }
  }
  const double took = Seconds() - start;
  CheckMessageSent("ours");
  return took;
}

// What another client does: the same dialogue, the same lines, blocking sends.
double PlainMail(const Server& server) {
  double start = Seconds();
  SOCKET s = server.Connect();
  LineReader r{s, {}};
  std::string reply;
  auto command = [&](const std::string& text) {
    SendAll(s, text + "\r\n");
    r.Line(reply);
  };
  r.Line(reply);
  command("HELO bench");
  command("MAIL FROM:<me@bench>");
  command("RCPT TO:<you@bench>");
  command("DATA");
  std::string message =
      "From: me@bench\r\nTo: you@bench\r\nSubject: attachment\r\nMime-Version: 1.0\r\n"
      "Content-Type: multipart/mixed;\r\n\tboundary=\"bench\"\r\n\r\n"
      "This is a multipart MIME message.\r\n\r\n--bench\r\nContent-Type: text/plain\r\n\r\n"
      "The file is attached.\r\n--bench\r\nContent-Type: application/octet-stream;\r\n"
      "\tname=\"bench-net-attachment.bin\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
  FILE* f = std::fopen(gAttachmentPath.c_str(), "rb");
  std::vector<char> block(54 * 1024);
  size_t n;
  while ((n = std::fread(block.data(), 1, block.size(), f)) > 0) {
    for (size_t at = 0; at < n; at += 54) {
      message += Base64EncodeText(std::string(block.data() + at, std::min<size_t>(54, n - at)));
      message += "\r\n";
    }
    if (message.size() >= kBlock) {
      SendAll(s, message);
      message.clear();
    }
  }
  std::fclose(f);
  message += "\r\n--bench--\r\n.\r\n";
  SendAll(s, message);
  r.Line(reply);
  command("QUIT");
  closesocket(s);
  const double took = Seconds() - start;
  CheckMessageSent("plain");
  return took;
}

// ---- download ----

void ServeHttp(SOCKET c) {
  static const std::vector<char> body(kBlock, 'd');
  std::string request;
  char buf[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    int n = recv(c, buf, sizeof buf, 0);
    if (n <= 0) return;
    request.append(buf, size_t(n));
  }
  SendAll(c, "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(kBodyBytes) + "\r\n\r\n");
  for (int64_t left = kBodyBytes; left > 0; left -= kBlock)
    SendAll(c, body.data(), size_t(std::min<int64_t>(left, kBlock)));
}

// Counts what it is given and keeps nothing, like the plain reader below.
class TCountingStream : public TStream {
  SONVELT_CLASS(TCountingStream, TStream)
public:
  int Read(void*, int) override { return 0; }
  int Write(const void*, int count) override {
    Count += count;
    return count;
  }
  int64_t Seek(int64_t, TSeekOrigin) override { return Count; }
  int64_t Count = 0;
};

double OursDownload(const Server& server) {
  TOwned<THttpCli> c(THttpCli::Create(nullptr));
  TOwned<TCountingStream> sink(TCountingStream::Create());
  Outcome run;
  c->OnRequestDone = Bind(&run, &Outcome::RequestDone<THttpRequest>);
  c->ReceiveStream = sink.get();
  c->URL = "http://127.0.0.1:" + std::to_string(server.Port) + "/body";
  double start = Seconds();
  c->GetAsync();
  Pump(run.Done);
  double took = Seconds() - start;
  if (run.Error || sink->Count != kBodyBytes) {
    std::fprintf(stderr, "download failed: %u, %lld bytes\n", unsigned(run.Error), (long long)sink->Count);
    std::exit(1);
  }
  return took;
}

double PlainDownload(const Server& server) {
  double start = Seconds();
  SOCKET s = server.Connect();
  SendAll(s, "GET /body HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
  std::vector<char> buf(kBlock);
  int64_t got = 0;
  int n;
  while ((n = recv(s, buf.data(), kBlock, 0)) > 0) got += n;
  closesocket(s);
  double took = Seconds() - start;
  if (got < kBodyBytes) {
    std::fprintf(stderr, "plain download short: %lld bytes\n", (long long)got);
    std::exit(1);
  }
  return took;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Compare(const char* name, const Server& server, double (*ours)(const Server&), double (*plain)(const Server&),
             int rounds, double megabytes) {
  std::vector<double> a, b, ratio;
  for (int i = 0; i < rounds; ++i) {
    a.push_back(ours(server));
    b.push_back(plain(server));
    ratio.push_back(a.back() / b.back());
  }
  std::printf("%-9s ours %7.3f s (%6.1f MB/s)   plain %7.3f s (%6.1f MB/s)   ours/plain %5.2f  (median of %d)\n",
              name, Median(a), megabytes / Median(a), Median(b), megabytes / Median(b), Median(ratio), rounds);
}

}  // namespace

int main(int argc, char** argv) {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  std::string mode = argc > 1 ? argv[1] : "";
  int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  MakeAttachment();
  Server smtp(&ServeSmtp), http(&ServeHttp);
  const double mailMB = double(kAttachmentBytes) * 4 / 3 * 74 / 72 / 1e6, bodyMB = double(kBodyBytes) / 1e6;
  if (mode.empty() || mode == "compare-mail") Compare("mail", smtp, &OursMail, &PlainMail, rounds, mailMB);
  if (mode.empty() || mode == "compare-download")
    Compare("download", http, &OursDownload, &PlainDownload, rounds, bodyMB);
  if (!mode.empty() && mode.rfind("compare-", 0) != 0) {
    double total = 0;
    for (int i = 0; i < rounds; ++i) {
      if (mode == "mail") total += OursMail(smtp);
      else if (mode == "mail-plain") total += PlainMail(smtp);
      else if (mode == "download") total += OursDownload(http);
      else if (mode == "download-plain") total += PlainDownload(http);
      else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
      }
    }
    std::printf("%s %.3f\n", mode.c_str(), total);
  }
  DeleteFileA(gAttachmentPath.c_str());
  return 0;
}
