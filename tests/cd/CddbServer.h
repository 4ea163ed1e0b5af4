// A CD database on loopback: each connection gets the next answer body as an
// HTTP/1.0 server sends it, and the request lines are kept for the test.
#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "tests/net/Loopback.h"

class CddbServer {
 public:
  explicit CddbServer(std::vector<std::string> Bodies);
  std::string Port() const { return Server.PortText(); }
  std::vector<std::string> RequestLines();
  // Holds the first answer until Release (at most five seconds).
  void HoldFirst() { Hold = true; }
  void Release() { Hold = false; }

 private:
  void Serve(SOCKET C);
  std::vector<std::string> Answers;
  std::mutex Lock;
  std::vector<std::string> Requests;
  std::atomic<bool> Hold{false};
  ScriptServer Server;  // last: its thread uses the members above
};
