// The server side and the name lookups of the asynchronous socket.
#include <cstring>

#include "net/MimeUtils.h"
#include "net/NetException.h"
#include "net/WSocket.h"

namespace sonvelt::net {

namespace {
constexpr int kLookupBufferSize = 1025;
}

void TCustomWSocket::Listen() {
  if (!PortAssigned || !ProtoAssigned || !AddrAssigned) {
    ws::WSASetLastError(WSAEINVAL);
    return WinsockFailure(!PortAssigned    ? "listen: port not assigned"
                          : !ProtoAssigned ? "listen: protocol not assigned"
                                           : "listen: address not assigned");
  }
  try {
    if (!StartsTextCi(Proto, "raw_")) {
      ProtoNum = ResolveProto(Proto);
      SocketType = ProtoNum == IPPROTO_UDP ? SOCK_DGRAM : SOCK_STREAM;
    } else {
      SocketType = SOCK_RAW;
      ProtoNum = ResolveProto(Proto.substr(4, 10));
    }
    ProtoResolved = true;
    if (!PortResolved) {
      PortNum = ResolvePort(Port, Proto.substr(0, StartsTextCi(Proto, "raw_") ? 3 : std::string::npos));
      SockAddr.sin_port = ws::htons(PortNum);
      PortResolved = true;
    }
    if (!AddrResolved) {
      SockAddr.sin_addr.s_addr = ResolveHost(Addr);
      AddrResolved = true;
    }
  } catch (const std::exception& e) {
    return ReportError(std::string("listen: ") + e.what());
  }
  ClearSendBuffer();
  HSocket = ws::socket(AF_INET, SocketType, ProtoNum);
  if (HSocket == NoSocket) return WinsockFailure("socket");
  if (SocketType == SOCK_DGRAM && ReuseAddr) {
    BOOL on = TRUE;
    if (ws::setsockopt(HSocket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), int(sizeof on)) ==
        SOCKET_ERROR)
      return WinsockFailure("setsockopt(SO_REUSEADDR)");
  }
  if (ws::bind(HSocket, reinterpret_cast<sockaddr*>(&SockAddr), int(sizeof SockAddr)) == SOCKET_ERROR)
    return WinsockFailure("Bind");
  if (!SetState(wsBound)) return;
  if (SocketType == SOCK_STREAM) {
    if (ws::listen(HSocket, ListenBacklog) == SOCKET_ERROR) return WinsockFailure("Listen");
    if (!SetState(wsListening)) return;
  } else if (SocketType == SOCK_DGRAM) {
    if (MultiCast) {
      ip_mreq req{};
      req.imr_multiaddr.s_addr = ws::inet_addr(MultiCastAddrStr.c_str());
      req.imr_interface.s_addr = ResolveHost(Addr);
      if (ws::setsockopt(HSocket, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&req),
                         int(sizeof req)) == SOCKET_ERROR)
        return WinsockFailure("setsockopt(IP_ADD_MEMBERSHIP)");
    }
    if (!SetState(wsListening) || !SetState(wsConnected)) return;
  } else if (SocketType == SOCK_RAW) {
    if (ComponentOptions.Contains(wsoSIO_RCVALL)) {
      uint32_t in = 1, out = 0;
      DWORD got = 0;
      if (ws::WSAIoctl(HSocket, DWORD(0x98000001), &in, DWORD(sizeof in), &out, DWORD(sizeof out), &got, nullptr,
                       nullptr) == SOCKET_ERROR)
        return WinsockFailure("WSAIoctl(SIO_RCVALL)");
    }
    if (!SetState(wsListening) || !SetState(wsConnected)) return;
  } else {
    return WinsockFailure("Listen: unexpected protocol.");
  }
  EventMask = SocketType == SOCK_STREAM ? FD_ACCEPT | FD_CLOSE : FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;
  if (ws::WSAAsyncSelect(HSocket, GetHandle(), AsyncSelectMsg, EventMask) == SOCKET_ERROR)
    WinsockFailure("WSAASyncSelect");
}

SOCKET TCustomWSocket::Accept() {
  if (State != wsListening) {
    ws::WSASetLastError(WSAEINVAL);
    WinsockFailure("not a listening socket");
    return NoSocket;
  }
  int len = sizeof SockAddr;
  SOCKET accepted = ws::accept(HSocket, reinterpret_cast<sockaddr*>(&SockAddr), &len);
  LastAcceptedHandle = accepted;
  if (accepted == NoSocket) WinsockFailure("Accept");
  return accepted;
}

void TCustomWSocket::Dup(SOCKET handle) {
  if (handle == 0 || handle == NoSocket) {
    ws::WSASetLastError(WSAEINVAL);
    return WinsockFailure("Dup");
  }
  if (State != wsClosed) {
    if (HSocket != NoSocket && ws::closesocket(HSocket) == SOCKET_ERROR) return WinsockFailure("Dup (closesocket)");
    HSocket = NoSocket;
    if (!SetState(wsClosed)) return;
  }
  HSocket = handle;
  ReadSocketBufferSizes();
  if (!Alive() || HSocket == NoSocket) return;
  ApplyLinger();
  if (!Alive()) return;
  ApplyKeepAlive();
  if (!Alive()) return;
  EventMask = FD_READ | FD_WRITE | FD_CLOSE;
  if (ws::WSAAsyncSelect(HSocket, GetHandle(), AsyncSelectMsg, EventMask) == SOCKET_ERROR)
    return WinsockFailure("WSAAsyncSelect");
  DupDone();
}

void TCustomWSocket::DupDone() { SetState(wsConnected); }

// ---- lookups ----

void TCustomWSocket::DnsLookup(const std::string& host) {
  if (host.empty()) {
    ReportError("DNS lookup: invalid host name.");
    if (Alive()) TriggerDnsLookupDone(WSAEINVAL);
    return;
  }
  if (LookupHandle) {
    CancelLookup();
    if (!Alive()) return;
  }
  LookupResult.clear();
  LookupResults->Clear();
  uint32_t a = ws::inet_addr(Trim(host).c_str());
  if (IsDottedAddress(host) && (a != INADDR_NONE || Trim(host) == "255.255.255.255")) {
    LookupResult = DottedAddress(a);
    LookupResults->Add(LookupResult);
    TriggerDnsLookupDone(0);
    return;
  }
  HWND wnd = GetHandle();
  if (!wnd) return ReportError("DnsLookup: Window not assigned");
  if (!LookupBuffer) LookupBuffer.reset(new char[kLookupBufferSize]);
  EarlyReplySaved = false;
  HANDLE h = ws::WSAAsyncGetHostByName(wnd, HostByNameMsg, host.c_str(), LookupBuffer.get(), kLookupBufferSize);
  if (!h) {
    LastError = ws::WSAGetLastError();
    return ReportError(host + ": can't start DNS lookup - " + WinsockErrorMessage(LastError));
  }
  LookupHandle = h;
  if (EarlyReplySaved) {
    EarlyReplySaved = false;
    HandleHostByName(EarlyReply);
  }
}

void TCustomWSocket::FillLookupFromHostent(const hostent* h, bool names) {
  LookupResults->Clear();
  LookupResult.clear();
  if (!h) return;
  if (names) {
    LookupResult = h->h_name ? h->h_name : "";
    LookupResults->Add(LookupResult);
    for (char** a = h->h_aliases; a && *a; ++a)
      if (**a) LookupResults->Add(*a);
    return;
  }
  IncSocketCount();
  for (char** p = h->h_addr_list; p && *p; ++p) {
    uint32_t a;
    std::memcpy(&a, *p, 4);
    LookupResults->Add(DottedAddress(a));
  }
  DecSocketCount();
  if (LookupResults->GetCount() > 0) LookupResult = LookupResults->GetStrings(0);
}

void TCustomWSocket::HandleHostByName(const TNetMessage& msg) {
  if (!LookupHandle) {
    // The reply came before WSAAsyncGetHostByName returned its handle.
    EarlyReply = msg;
    EarlyReplySaved = true;
    return;
  }
  if (HANDLE(msg.WParam) != LookupHandle) return;
  LookupHandle = nullptr;
  uint16_t error = HIWORD(msg.LParam);
  if (error == 0) FillLookupFromHostent(reinterpret_cast<const hostent*>(LookupBuffer.get()), false);
  TriggerDnsLookupDone(error);
}

void TCustomWSocket::ReverseLookup(const std::string& address) {
  if (address.empty()) {
    ReportError("Reverse DNS Lookup: Invalid host name.");
    if (Alive()) TriggerDnsLookupDone(WSAEINVAL);
    return;
  }
  if (LookupHandle) {
    CancelLookup();
    if (!Alive()) return;
  }
  LookupResult.clear();
  LookupResults->Clear();
  HWND wnd = GetHandle();
  if (!wnd) return ReportError("Reverse DNS Lookup: Window not assigned");
  if (!LookupBuffer) LookupBuffer.reset(new char[kLookupBufferSize]);
  uint32_t a = ws::inet_addr(address.c_str());
  HANDLE h = ws::WSAAsyncGetHostByAddr(wnd, HostByAddrMsg, reinterpret_cast<const char*>(&a), 4, AF_INET,
                                       LookupBuffer.get(), kLookupBufferSize);
  if (!h) {
    LastError = ws::WSAGetLastError();
    return ReportError(address + ": can't start reverse DNS lookup - " + WinsockErrorMessage(LastError));
  }
  LookupHandle = h;
}

void TCustomWSocket::HandleHostByAddr(const TNetMessage& msg) {
  if (!LookupHandle || HANDLE(msg.WParam) != LookupHandle) return;
  LookupHandle = nullptr;
  uint16_t error = HIWORD(msg.LParam);
  if (error == 0) FillLookupFromHostent(reinterpret_cast<const hostent*>(LookupBuffer.get()), true);
  TriggerDnsLookupDone(error);
}

void TCustomWSocket::ReverseLookupSync(const std::string& address) {
  if (address.empty() || address.size() > 256) {
    ReportError("Reverse DNS Lookup: Invalid host name.");
    if (Alive()) TriggerDnsLookupDone(WSAEINVAL);
    return;
  }
  LookupResult.clear();
  LookupResults->Clear();
  uint32_t a = ws::inet_addr(address.c_str());
  hostent* h = ws::gethostbyaddr(reinterpret_cast<const char*>(&a), 4, AF_INET);
  if (!h) {
    TriggerDnsLookupDone(uint16_t(ws::WSAGetLastError()));
    return;
  }
  FillLookupFromHostent(h, true);
  TriggerDnsLookupDone(0);
}

void TCustomWSocket::CancelLookup() {
  if (!LookupHandle) return;
  HANDLE h = LookupHandle;
  LookupHandle = nullptr;
  if (ws::WSACancelAsyncRequest(h) == SOCKET_ERROR) return WinsockFailure("WSACancelAsyncRequest");
  if (!IsDestroying()) TriggerDnsLookupDone(WSAEINTR);
}

// ---- addresses ----

std::string TCustomWSocket::PeerAddr() {
  if (State != wsConnected) return "error";
  sockaddr_in a{};
  int len = sizeof a;
  if (ws::getpeername(HSocket, reinterpret_cast<sockaddr*>(&a), &len) == SOCKET_ERROR) {
    WinsockFailure("GetPeerName");
    return "error";
  }
  return DottedAddress(a.sin_addr.s_addr);
}

std::string TCustomWSocket::GetPeerPort() {
  if (State != wsConnected) return "error";
  sockaddr_in a{};
  int len = sizeof a;
  if (ws::getpeername(HSocket, reinterpret_cast<sockaddr*>(&a), &len) == SOCKET_ERROR) {
    WinsockFailure("GetPeerPort");
    return "error";
  }
  return std::to_string(ws::ntohs(a.sin_port));
}

int TCustomWSocket::GetPeerName(sockaddr_in& name, int& length) {
  if (State != wsConnected) return -1;
  return ws::getpeername(HSocket, reinterpret_cast<sockaddr*>(&name), &length);
}

std::string TCustomWSocket::BoundAddr() {
  if (State != wsBound && State != wsConnected && State != wsListening) return "error";
  sockaddr_in a{};
  int len = sizeof a;
  if (ws::getsockname(HSocket, reinterpret_cast<sockaddr*>(&a), &len) == SOCKET_ERROR) return "error";
  return DottedAddress(a.sin_addr.s_addr);
}

std::string TCustomWSocket::BoundPort() {
  if (State != wsBound && State != wsConnected && State != wsListening) return "error";
  sockaddr_in a{};
  int len = sizeof a;
  if (ws::getsockname(HSocket, reinterpret_cast<sockaddr*>(&a), &len) == SOCKET_ERROR) return "error";
  return std::to_string(ws::ntohs(a.sin_port));
}

int TCustomWSocket::SockName(sockaddr_in& name, int& length) {
  return ws::getsockname(HSocket, reinterpret_cast<sockaddr*>(&name), &length);
}

}  // namespace sonvelt::net
