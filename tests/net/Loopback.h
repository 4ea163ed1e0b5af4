// Loopback servers for the protocol tests: a thread with blocking sockets that
// accepts connections on 127.0.0.1 and runs a script on each, and a message
// pump that waits for a condition.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

class ScriptServer {
public:
  // Runs `script` for each of `connections` accepted connections, in order.
  explicit ScriptServer(std::function<void(SOCKET)> script, int connections = 1);
  ~ScriptServer();
  ScriptServer(const ScriptServer&) = delete;
  ScriptServer& operator=(const ScriptServer&) = delete;
  uint16_t Port() const { return PortNumber; }
  std::string PortText() const { return std::to_string(PortNumber); }
  int Accepted() const { return AcceptedCount; }

private:
  SOCKET Listener = INVALID_SOCKET;
  uint16_t PortNumber = 0;
  std::atomic<int> AcceptedCount{0};
  std::atomic<bool> Stopping{false};
  std::thread Worker;
};

// Pumps this thread's messages until cond() holds; false after the timeout.
bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs = 5000);
void PumpFor(DWORD ms);

std::string RecvLine(SOCKET s);  // up to and including LF; empty at end or timeout
std::string RecvExactly(SOCKET s, size_t n);
std::string RecvUntil(SOCKET s, const std::string& marker);
std::string RecvAll(SOCKET s);  // until the peer closes
void SendAll(SOCKET s, const std::string& data);
void ResetConnection(SOCKET s);  // closes with a reset
// An HTTP request as the server sees it: the header and a body of the length it gives.
std::string ReadRequest(SOCKET s);
// Bytes from small numbers, for binary replies.
std::string Bytes(std::initializer_list<int> b);
// A port on which nothing listens.
uint16_t UnusedPort();
