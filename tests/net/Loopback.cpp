#include "Loopback.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

namespace {

struct WinsockForTests {
  WinsockForTests() {
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
  }
} gWinsockForTests;

SOCKET ListenOnLoopback(uint16_t& port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(s, 8);
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  port = ntohs(a.sin_port);
  return s;
}

}  // namespace

ScriptServer::ScriptServer(std::function<void(SOCKET)> script, int connections) {
  Listener = ListenOnLoopback(PortNumber);
  Worker = std::thread([this, script, connections] {
    for (int i = 0; i < connections; ++i) {
      fd_set set;
      FD_ZERO(&set);
      FD_SET(Listener, &set);
      timeval tv{10, 0};
      if (select(0, &set, nullptr, nullptr, &tv) <= 0) return;
      SOCKET c = accept(Listener, nullptr, nullptr);
      if (c == INVALID_SOCKET) return;
      if (Stopping) {
        closesocket(c);
        return;
      }
      ++AcceptedCount;
      DWORD timeout = 5000;
      setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
      script(c);
      closesocket(c);
    }
  });
}

ScriptServer::~ScriptServer() {
  // A client that went away before connecting leaves the worker waiting for
  // a connection: one of our own wakes it, and it stops there.
  Stopping = true;
  SOCKET wake = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(PortNumber);
  connect(wake, reinterpret_cast<sockaddr*>(&a), sizeof a);
  closesocket(wake);
  if (Worker.joinable()) Worker.join();
  closesocket(Listener);
}

bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!cond()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG m;
    if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

std::string RecvLine(SOCKET s) { return RecvUntil(s, "\n"); }

std::string RecvUntil(SOCKET s, const std::string& marker) {
  std::string out;
  char c;
  while (out.size() < marker.size() || out.compare(out.size() - marker.size(), marker.size(), marker) != 0) {
    if (recv(s, &c, 1, 0) != 1) break;
    out += c;
  }
  return out;
}

std::string RecvExactly(SOCKET s, size_t n) {
  std::string out;
  char buf[4096];
  while (out.size() < n) {
    int got = recv(s, buf, int(std::min<size_t>(sizeof buf, n - out.size())), 0);
    if (got <= 0) break;
    out.append(buf, size_t(got));
  }
  return out;
}

std::string RecvAll(SOCKET s) {
  std::string out;
  char buf[4096];
  int got;
  while ((got = recv(s, buf, sizeof buf, 0)) > 0) out.append(buf, size_t(got));
  return out;
}

void SendAll(SOCKET s, const std::string& data) {
  size_t at = 0;
  while (at < data.size()) {
    int n = send(s, data.data() + at, int(data.size() - at), 0);
    if (n <= 0) return;
    at += size_t(n);
  }
}

std::string ReadRequest(SOCKET s) {
  std::string head = RecvUntil(s, "\r\n\r\n");
  std::string lower = head;
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  size_t at = lower.find("content-length:");
  if (at != std::string::npos) head += RecvExactly(s, size_t(std::atoi(head.c_str() + at + 15)));
  return head;
}

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b) s += char(v);
  return s;
}

void ResetConnection(SOCKET s) {
  linger l{1, 0};
  setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
}

uint16_t UnusedPort() {
  uint16_t port;
  SOCKET s = ListenOnLoopback(port);
  closesocket(s);
  return port;
}
