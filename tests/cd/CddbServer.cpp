#include "tests/cd/CddbServer.h"

CddbServer::CddbServer(std::vector<std::string> Bodies)
    : Answers(std::move(Bodies)), Server([this](SOCKET C) { Serve(C); }, int(Answers.size())) {}

std::vector<std::string> CddbServer::RequestLines() {
  std::lock_guard<std::mutex> G(Lock);
  return Requests;
}

void CddbServer::Serve(SOCKET C) {
  const std::string Request = RecvUntil(C, "\r\n\r\n");
  size_t Index;
  {
    std::lock_guard<std::mutex> G(Lock);
    Requests.push_back(Request.substr(0, Request.find("\r\n")));
    Index = Requests.size() - 1;
  }
  for (int I = 0; Index == 0 && Hold && I < 500; ++I) Sleep(10);
  SendAll(C, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + Answers[Index]);
}
