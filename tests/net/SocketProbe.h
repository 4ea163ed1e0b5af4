// Records what a socket reports, in order, as short texts.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "net/LineWSocket.h"

template <class T>
using TNetPtr = TOwned<T>;

class SocketProbe {
public:
  enum ReadMode { ReadText, ReadNothing };
  explicit SocketProbe(sonvelt::net::TWSocket* socket, ReadMode mode = ReadText) : Mode(mode), Socket(socket) {
    using namespace sonvelt::net;
    socket->OnSessionConnected = Bind(this, &SocketProbe::Connected);
    socket->OnSessionClosed = Bind(this, &SocketProbe::Closed);
    socket->OnDataAvailable = Bind(this, &SocketProbe::DataAvailable);
    socket->OnDataSent = Bind(this, &SocketProbe::DataSent);
    socket->OnChangeState = Bind(this, &SocketProbe::ChangeState);
    socket->OnDnsLookupDone = Bind(this, &SocketProbe::DnsDone);
    socket->OnSocksConnected = Bind(this, &SocketProbe::SocksConnected);
    socket->OnSocksError = Bind(this, &SocketProbe::SocksError);
  }
  // The socket may outlive the probe (it is freed later and reports its close).
  ~SocketProbe() {
    Socket->OnSessionConnected = nullptr;
    Socket->OnSessionClosed = nullptr;
    Socket->OnDataAvailable = nullptr;
    Socket->OnDataSent = nullptr;
    Socket->OnChangeState = nullptr;
    Socket->OnDnsLookupDone = nullptr;
    Socket->OnSocksConnected = nullptr;
    Socket->OnSocksError = nullptr;
  }
  bool Has(const std::string& event) const {
    for (const auto& e : Events)
      if (e == event) return true;
    return false;
  }
  size_t IndexOf(const std::string& event) const {
    for (size_t i = 0; i < Events.size(); ++i)
      if (Events[i] == event) return i;
    return Events.size();
  }
  std::string Joined() const {
    std::string s;
    for (const auto& e : Events) s += (s.empty() ? "" : "|") + e;
    return s;
  }

  std::vector<std::string> Events;
  std::vector<std::string> Lines;  // each ReceiveText in a data event
  std::string Data;
  int DataCalls = 0;
  ReadMode Mode;

private:
  void Connected(TObject*, uint16_t e) { Events.push_back("connected " + std::to_string(e)); }
  void Closed(TObject*, uint16_t e) { Events.push_back("closed " + std::to_string(e)); }
  void DataSent(TObject*, uint16_t e) { Events.push_back("sent " + std::to_string(e)); }
  void DnsDone(TObject*, uint16_t e) { Events.push_back("dns " + std::to_string(e)); }
  void SocksConnected(TObject*, uint16_t e) { Events.push_back("socks connected " + std::to_string(e)); }
  void SocksError(TObject*, int e, const std::string& msg) {
    Events.push_back("socks error " + std::to_string(e) + " " + msg);
  }
  void ChangeState(TObject*, sonvelt::net::TSocketState o, sonvelt::net::TSocketState n) {
    Events.push_back("state " + std::to_string(int(o)) + ">" + std::to_string(int(n)));
  }
  void DataAvailable(TObject*, uint16_t) {
    ++DataCalls;
    if (Mode == ReadNothing) return;
    std::string t = Socket->ReceiveText();
    if (t.empty()) return;
    Lines.push_back(t);
    Data += t;
    Events.push_back("data " + t);
  }
  sonvelt::net::TWSocket* Socket;
};
