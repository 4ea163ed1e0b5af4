#include "net/WSocket.h"

#include <cstring>

#include "framework/Conversions.h"
#include "net/MimeUtils.h"
#include "net/NetException.h"

namespace sonvelt::net {
namespace {

std::string HexOf(const void* p) { return IntToHex(int64_t(reinterpret_cast<uintptr_t>(p)), 8); }

// Runs a handler and swallows what it raises (cleanup paths that must go on).
template <class F>
void Quietly(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

TCustomWSocket::TCustomWSocket(TComponent* AOwner) : TNetWndControl(AOwner) {
  AttachSocketWindow();
  SendChain = std::make_unique<TNetBufferHandler>(1460);
  ResetDefaults();
  IncSocketCount();
  Counted = true;
}

void TCustomWSocket::BeforeDestruction() {
  Destroying();
  Quietly([&] { CancelLookup(); });
  if (State != wsClosed) Quietly([&] { DoClose(true, 0); });
  if (HSocket != NoSocket) Quietly([&] { DoClose(false, 0); });
  if (NetLogger) {
    NetLogger->RemoveFreeNotification(this);
    NetLogger = nullptr;
  }
  TNetWndControl::BeforeDestruction();
}

TCustomWSocket::~TCustomWSocket() {
  if (HSocket != NoSocket) Quietly([&] { ws::closesocket(HSocket); });
  if (Counted) DecSocketCount();
}

void TCustomWSocket::ClearEvents() {
  OnSessionAvailable = OnSessionConnected = OnSessionClosed = OnDataAvailable = OnDataSent = OnDnsLookupDone = nullptr;
  OnChangeState = nullptr;
  OnSendData = nullptr;
  OnError = nullptr;
  OnBgException = nullptr;
}

void TCustomWSocket::Notification(TComponent* AComponent, TOperation Operation) {
  TNetWndControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == NetLogger) NetLogger = nullptr;
}

void TCustomWSocket::SetNetLogger(TNetLogger* value) {
  if (NetLogger == value) return;
  if (NetLogger) NetLogger->RemoveFreeNotification(this);
  NetLogger = value;
  if (NetLogger) NetLogger->FreeNotification(this);
}

bool TCustomWSocket::LogEnabled(TLogOption option) const { return NetLogger && NetLogger->Wants(option); }

void TCustomWSocket::WriteLog(TLogOption option, const std::string& text) {
  if (NetLogger) NetLogger->DoLog(this, option, text);
}

void TCustomWSocket::RegisterMessages() {
  TNetWndControl::RegisterMessages();
  AsyncSelectMsg = TakeMessage();
  HostByNameMsg = TakeMessage();
  HostByAddrMsg = TakeMessage();
  CloseLaterMsg = TakeMessage();
  TestExceptionMsg = TakeMessage();
  LineDataMsg = TakeMessage();
}

void TCustomWSocket::UnregisterMessages() {
  for (UINT* m : {&LineDataMsg, &TestExceptionMsg, &CloseLaterMsg, &HostByAddrMsg, &HostByNameMsg, &AsyncSelectMsg})
    GiveBackMessage(*m);
  TNetWndControl::UnregisterMessages();
}

void TCustomWSocket::ResetDefaults() {
  SockAddr = sockaddr_in{};
  SockAddr.sin_family = AF_INET;
  AddrAssigned = AddrResolved = false;
  PortAssigned = PortResolved = false;
  Proto = "tcp";
  ProtoAssigned = true;
  ProtoResolved = false;
  ProtoNum = IPPROTO_TCP;
  SocketType = SOCK_STREAM;
  LocalPort = "0";
  LocalPortResolved = false;
  LocalAddr = "0.0.0.0";
  // Graceful close by default: a linger of 0 seconds would reset every
  // connection and drop what the system still had to send.
  LingerOnOff = wsLingerOff;
  LingerTimeout = 0;
  HSocket = NoSocket;
  EventMask = 0;
  State = wsClosed;
  SendQueueEmpty = true;
  CloseAfterSend = false;
  IsPaused = false;
  BytesReceived = 0;
  ClosedNotified = false;
  FlushTimeout = 60;
}

// ---- properties ----

// Stores a trimmed address text; an empty one counts as not assigned.
void TCustomWSocket::AssignText(std::string& field, bool& assigned, bool& resolved, const std::string& value,
                                const char* what) {
  if (State != wsClosed) return ReportError(std::string("Cannot change ") + what + " if not closed");
  std::string v = Trim(value);
  if (assigned && v == field) return;
  field = v;
  assigned = !v.empty();
  resolved = false;
}

void TCustomWSocket::SetAddr(const std::string& value) { AssignText(Addr, AddrAssigned, AddrResolved, value, "Addr"); }
void TCustomWSocket::SetPort(const std::string& value) { AssignText(Port, PortAssigned, PortResolved, value, "Port"); }
void TCustomWSocket::SetProto(const std::string& value) {
  AssignText(Proto, ProtoAssigned, ProtoResolved, value, "Proto");
}

void TCustomWSocket::SetLocalPort(const std::string& value) {
  if (State != wsClosed) return ReportError("Cannot change LocalPort if not closed");
  LocalPort = value;
  LocalPortResolved = false;
}

void TCustomWSocket::SetLocalAddr(const std::string& value) {
  if (State != wsClosed) return ReportError("Cannot change LocalAddr if not closed");
  LocalAddr = value.empty() ? "0.0.0.0" : value;
}

TSocketSendFlags TCustomWSocket::GetSendFlags() {
  if (SendFlagsValue == 0) return wsSendNormal;
  if (SendFlagsValue == MSG_OOB) return wsSendUrgent;
  ReportError("Invalid internal SendFlags");
  return wsSendNormal;
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags value) {
  if (value == wsSendNormal) SendFlagsValue = 0;
  else if (value == wsSendUrgent) SendFlagsValue = MSG_OOB;
  else ReportError("Invalid SendFlags");
}

void TCustomWSocket::SetRcvBufSize(int value) {
  IncSocketCount();
  int rc = ws::setsockopt(HSocket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&value), int(sizeof value));
  DecSocketCount();
  if (rc == SOCKET_ERROR) return WinsockFailure("setsockopt(SO_RCVBUF)");
  RcvBufSize = value;
}

void TCustomWSocket::SetSndBufSize(int value) {
  IncSocketCount();
  int rc = ws::setsockopt(HSocket, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&value), int(sizeof value));
  DecSocketCount();
  if (rc == SOCKET_ERROR) return WinsockFailure("setsockopt(SO_SNDBUF)");
  SndBufSize = value;
}

uint8_t TCustomWSocket::GetReqVerLow() const { return net::GetReqVerLow(); }
uint8_t TCustomWSocket::GetReqVerHigh() const { return net::GetReqVerHigh(); }

void TCustomWSocket::SetReqVerLow(uint8_t value) {
  if (!net::SetReqVerLow(value)) {
    ws::WSASetLastError(WSAEINVAL);
    WinsockFailure("SetReqVerLow: WinSock version can't be changed now");
  }
}

void TCustomWSocket::SetReqVerHigh(uint8_t value) {
  if (!net::SetReqVerHigh(value)) {
    ws::WSASetLastError(WSAEINVAL);
    WinsockFailure("SetReqVerHigh: WinSock version can't be changed now");
  }
}

// ---- errors and state ----

void TCustomWSocket::ReportError(const std::string& text) {
  if (OnError) {
    TriggerError();
    return;
  }
  throw ESocketException(text);
}

void TCustomWSocket::TriggerError() { OnError(this); }

void TCustomWSocket::WinsockFailure(const std::string& operation) {
  int code = ws::WSAGetLastError();
  std::string text = WinsockErrorText(code) + " (#" + std::to_string(code) + " in " + operation + ")";
  if (code == WSAECONNRESET || code == WSAENOTCONN) {
    if (HSocket != NoSocket) ws::closesocket(HSocket);
    HSocket = NoSocket;
    if (State != wsClosed) {
      TriggerSessionClosed(uint16_t(code));
      if (!Alive()) return;
    }
    if (!SetState(wsClosed)) return;
  }
  LastError = code;
  ReportError(text);
}

bool TCustomWSocket::SetState(TSocketState newState) {
  TSocketState old = State;
  State = newState;
  if (old == newState) return true;
  auto alive = AliveToken();
  TriggerChangeState(old, newState);
  return *alive;
}

void TCustomWSocket::TriggerChangeState(TSocketState oldState, TSocketState newState) {
  OnChangeState(this, oldState, newState);
}

// ---- connect ----

void TCustomWSocket::ReadSocketBufferSizes() {
  int len = sizeof(int);
  IncSocketCount();
  int rc = ws::getsockopt(HSocket, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<char*>(&SndBufSize), &len);
  DecSocketCount();
  if (rc == SOCKET_ERROR) return WinsockFailure("getsockopt(SO_SNDBUF)");
  len = sizeof(int);
  IncSocketCount();
  rc = ws::getsockopt(HSocket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&RcvBufSize), &len);
  DecSocketCount();
  if (rc == SOCKET_ERROR) WinsockFailure("getsockopt(SO_RCVBUF)");
}

void TCustomWSocket::Connect() {
  if (HSocket != NoSocket && State != wsClosed) return ReportError("Connect: Socket already in use");
  if (!PortAssigned) return ReportError("Connect: No Port Specified");
  if (!AddrAssigned) return ReportError("Connect: No IP Address Specified");
  if (!ProtoAssigned) return ReportError("Connect: No Protocol Specified");
  try {
    if (!ProtoResolved) {
      ProtoNum = ResolveProto(Proto);
      SocketType = ProtoNum == IPPROTO_TCP ? SOCK_STREAM : ProtoNum == IPPROTO_UDP ? SOCK_DGRAM : SOCK_RAW;
      ProtoResolved = true;
    }
    if (!PortResolved) {
      PortNum = ResolvePort(Port, Proto);
      SockAddr.sin_port = ws::htons(PortNum);
      PortResolved = true;
    }
    if (!LocalPortResolved) {
      LocalPortNum = ResolvePort(LocalPort, Proto);
      LocalPortResolved = true;
    }
    if (!AddrResolved) {
      SockAddr.sin_addr.s_addr = ResolveHost(Addr);
      AddrResolved = true;
    }
  } catch (const std::exception& e) {
    return ReportError(std::string("connect: ") + e.what());
  }
  ClearSendBuffer();
  HSocket = ws::socket(SocketFamily, SocketType, ProtoNum);
  if (HSocket == NoSocket) return WinsockFailure("Connect (socket)");
  ReadSocketBufferSizes();
  if (!Alive() || HSocket == NoSocket) return;
  if (!SetState(wsOpened)) return;
  if (State != wsOpened) {
    ws::WSASetLastError(WSAEINVAL);
    return WinsockFailure("Connect (Invalid operation in OnChangeState)");
  }
  if (SocketType == SOCK_DGRAM) {
    BindLocal();
    if (!Alive()) return;
    if (MultiCast) {
      if (MultiCastIpTTL != 1 &&
          ws::setsockopt(HSocket, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&MultiCastIpTTL),
                         int(sizeof MultiCastIpTTL)) == SOCKET_ERROR)
        return WinsockFailure("setsockopt(IP_MULTICAST_TTL)");
      if (LocalAddr != "0.0.0.0") {
        uint32_t iface = ResolveHost(LocalAddr);
        if (ws::setsockopt(HSocket, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&iface),
                           int(sizeof iface)) == SOCKET_ERROR)
          return WinsockFailure("setsockopt(IP_MULTICAST_IF)");
      }
    }
    if (SockAddr.sin_addr.s_addr == INADDR_BROADCAST) {
      BOOL on = TRUE;
      if (ws::setsockopt(HSocket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), int(sizeof on)) ==
          SOCKET_ERROR)
        return WinsockFailure("setsockopt(SO_BROADCAST)");
    }
  } else {
    BOOL on = TRUE;
    if (ws::setsockopt(HSocket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), int(sizeof on)) ==
        SOCKET_ERROR)
      return WinsockFailure("setsockopt(SO_REUSEADDR)");
    if (ComponentOptions.Contains(wsoTcpNoDelay) &&
        ws::setsockopt(HSocket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), int(sizeof on)) ==
            SOCKET_ERROR)
      return WinsockFailure("setsockopt(IPPROTO_TCP, TCP_NODELAY)");
    ApplyLinger();
    if (!Alive()) return;
    ApplyKeepAlive();
    if (!Alive()) return;
    if (LocalPortNum != 0 || LocalAddr != "0.0.0.0") BindLocal();
  }
  if (!Alive() || HSocket == NoSocket) return;
  EventMask = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;
  if (ws::WSAAsyncSelect(HSocket, GetHandle(), AsyncSelectMsg, EventMask) == SOCKET_ERROR)
    return WinsockFailure("WSAAsyncSelect");
  if (SocketType == SOCK_DGRAM) {
    if (SetState(wsConnected)) TriggerSessionConnectedEx(0);
    return;
  }
  if (LogEnabled(loWsockInfo))
    WriteLog(loWsockInfo, "TWSocket will connect to " + DottedAddress(SockAddr.sin_addr.s_addr) + ":" +
                              std::to_string(PortNum));
  if (ws::connect(HSocket, reinterpret_cast<sockaddr*>(&SockAddr), int(sizeof SockAddr)) == 0 ||
      ws::WSAGetLastError() == WSAEWOULDBLOCK) {
    SetState(wsConnecting);
    return;
  }
  LastError = ws::WSAGetLastError();
  WinsockFailure("Connect");
}

void TCustomWSocket::ApplyLinger() {
  if (LingerOnOff == wsLingerNoSet) return;
  if (HSocket == NoSocket) return ReportError("Cannot set linger option at this time");
  linger l{u_short(LingerOnOff == wsLingerOn ? 1 : 0), u_short(LingerTimeout)};
  if (ws::setsockopt(HSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), int(sizeof l)) ==
      SOCKET_ERROR)
    WinsockFailure("setsockopt(SO_LINGER)");
}

void TCustomWSocket::ApplyKeepAlive() {
  if (KeepAliveOnOff == wsKeepAliveOff) return;
  if (KeepAliveOnOff == wsKeepAliveOnSystem) {
    BOOL on = TRUE;
    if (ws::setsockopt(HSocket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), int(sizeof on)) ==
        SOCKET_ERROR)
      WinsockFailure("setsockopt(SO_KEEPALIVE)");
    return;
  }
  uint32_t in[3] = {1, KeepAliveTime, KeepAliveInterval}, out[3] = {};
  DWORD got = 0;
  IncSocketCount();
  int rc = ws::WSAIoctl(HSocket, DWORD(0x98000004), in, DWORD(sizeof in), out, DWORD(sizeof out), &got, nullptr,
                        nullptr);
  DecSocketCount();
  if (rc == SOCKET_ERROR) WinsockFailure("WSocket_WSAIoctl(SIO_KEEPALIVE_VALS)");
}

void TCustomWSocket::BindLocal() {
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = ws::htons(LocalPortNum);
  try {
    local.sin_addr.s_addr = ResolveHost(LocalAddr);
  } catch (const std::exception& e) {
    return ReportError(std::string("Bind socket failed - ") + e.what());
  }
  if (ws::bind(HSocket, reinterpret_cast<sockaddr*>(&local), int(sizeof local)) == SOCKET_ERROR) {
    LastError = ws::WSAGetLastError();
    return ReportError("Bind socket failed - " + WinsockErrorMessage(LastError));
  }
  int len = sizeof local;
  if (ws::getsockname(HSocket, reinterpret_cast<sockaddr*>(&local), &len) == SOCKET_ERROR) {
    LastError = ws::WSAGetLastError();
    return ReportError("Winsock get socket name failed - " + WinsockErrorMessage(LastError));
  }
  LocalPortNum = ws::ntohs(local.sin_port);
  LocalPort = std::to_string(LocalPortNum);
}

// ---- dispatch ----

void TCustomWSocket::PostTestException() { PostMessageW(GetHandle(), TestExceptionMsg, 0, 0); }

void TCustomWSocket::HandleMessage(TNetMessage& msg) {
  try {
    if (msg.Msg == AsyncSelectMsg) HandleSelectMessage(msg);
    else if (msg.Msg == HostByNameMsg) HandleHostByName(msg);
    else if (msg.Msg == HostByAddrMsg) HandleHostByAddr(msg);
    else if (msg.Msg == CloseLaterMsg) Close();
    else if (msg.Msg == TestExceptionMsg) throw ESocketException("Test exception in WSocket");
    else TNetWndControl::HandleMessage(msg);
  } catch (const std::exception& e) {
    if (Alive()) HandleBgException(e);
  }
}

void TCustomWSocket::HandleBgException(const std::exception& e) {
  bool canClose = true;
  if (OnBgException) Quietly([&] { OnBgException(this, e, canClose); });
  if (canClose && Alive()) Quietly([&] { Abort(); });
}

void TCustomWSocket::HandleSelectMessage(const TNetMessage& msg) {
  if (SOCKET(msg.WParam) != HSocket || IsPaused) return;
  uint16_t events = LOWORD(msg.LParam), error = HIWORD(msg.LParam);
  auto alive = AliveToken();
  // Each handler may free the socket or close it; stop as soon as it did.
  auto run = [&](int code, void (TCustomWSocket::*handler)(uint16_t)) {
    if (!(events & code) || !*alive || SOCKET(msg.WParam) != HSocket) return;
    CurrentEvent = code;
    (this->*handler)(error);
  };
  run(FD_CONNECT, &TCustomWSocket::HandleConnectEvent);
  run(FD_READ, &TCustomWSocket::HandleReadEvent);
  run(FD_WRITE, &TCustomWSocket::HandleWriteEvent);
  run(FD_ACCEPT, &TCustomWSocket::HandleAcceptEvent);
  if ((events & FD_CLOSE) && *alive && SOCKET(msg.WParam) == HSocket) {
    CurrentEvent = FD_CLOSE;
    HandleCloseEvent(error);
  }
  if (*alive) CurrentEvent = 0;
}

void TCustomWSocket::HandleConnectEvent(uint16_t error) {
  if (State == wsConnected) return;
  auto alive = AliveToken();
  if (!SetState(wsConnected)) return;
  TriggerSessionConnectedEx(error);
  if (*alive && error != 0 && State != wsClosed) Close();
}

void TCustomWSocket::HandleReadEvent(uint16_t error) {
  auto alive = AliveToken();
  if (State != wsConnected) {
    if (!SetState(wsConnected)) return;
    TriggerSessionConnectedEx(error);
    if (!*alive || HSocket == NoSocket) return;
  }
  ReceiveLoop(error, ComponentOptions);
}

void TCustomWSocket::HandleWriteEvent(uint16_t error) {
  auto alive = AliveToken();
  TryToSend();
  if (!*alive || HSocket == NoSocket) return;
  if (SendChain->HasNoData()) {
    if (CloseAfterSend) {
      DoClose(true, 0);
      return;
    }
    TriggerDataSent(error);
  }
}

void TCustomWSocket::HandleAcceptEvent(uint16_t error) { TriggerSessionAvailable(error); }

void TCustomWSocket::HandleCloseEvent(uint16_t error) {
  if (State == wsConnecting || HSocket == NoSocket) return;
  auto alive = AliveToken();
  TWSocketOptions opts = ComponentOptions;
  opts.Exclude(wsoNoReceiveLoop);
  ReceiveLoop(0, opts);
  if (!*alive) return;
  if (!ClosedNotified) {
    ClosedNotified = true;
    TriggerSessionClosed(error);
    if (!*alive) return;
  }
  if (State != wsClosed) DoClose(true, error);
}

void TCustomWSocket::TriggerSessionConnectedEx(uint16_t error) { TriggerSessionConnected(error); }
void TCustomWSocket::TriggerSessionConnected(uint16_t error) { OnSessionConnected(this, error); }
void TCustomWSocket::TriggerSessionClosed(uint16_t error) { OnSessionClosed(this, error); }
void TCustomWSocket::TriggerSessionAvailable(uint16_t error) { OnSessionAvailable(this, error); }
void TCustomWSocket::TriggerDnsLookupDone(uint16_t error) { OnDnsLookupDone(this, error); }

bool TCustomWSocket::TriggerDataAvailable(uint16_t error) {
  if (!OnDataAvailable) return false;
  OnDataAvailable(this, error);
  return true;
}

void TCustomWSocket::TriggerDataSent(uint16_t error) {
  if (LogEnabled(loWsockDump))
    WriteLog(loWsockDump, HexOf(this) + " TriggerDataSent " + std::to_string(uintptr_t(HSocket)));
  OnDataSent(this, error);
}

void TCustomWSocket::ReceiveLoop(uint16_t error, TWSocketOptions options) {
  auto alive = AliveToken();
  try {
    while (true) {
      LastError = 0;
      uint64_t before = RawReadCount;
      if (!TriggerDataAvailable(error)) {
        char junk[4];
        if (!*alive || HSocket == NoSocket) return;
        if (RecvRaw(junk, sizeof junk, 0) < 0) {
          int code = ws::WSAGetLastError();
          LastError = code == WSAEWOULDBLOCK ? 0 : code;
          return;
        }
      }
      if (!*alive || HSocket == NoSocket) return;
      if (options.Contains(wsoNoReceiveLoop)) return;
      if (LastError != 0) {
        if (LastError == -1) LastError = 0;
        return;
      }
      // A handler that took nothing would make this loop spin on the same
      // waiting bytes forever; the next read notification offers them again.
      if (RawReadCount == before) return;
      // A read that did not fill its buffer took all there was: data that
      // comes later announces itself with a notification of its own.
      if (!BufferFilled) return;
      u_long count = 0;
      if (ws::ioctlsocket(HSocket, FIONREAD, &count) == SOCKET_ERROR) {
        LastError = ws::WSAGetLastError();
        return;
      }
      if (count == 0) return;
    }
  } catch (...) {
  }
}

// ---- sending ----

void TCustomWSocket::ClearSendBuffer() {
  SendChain->Lock();
  SendChain->ClearAll();
  BytesQueued = 0;
  SendChain->Unlock();
}

void TCustomWSocket::QueueData(const void* data, int length) {
  if (length <= 0) return;
  SendChain->Lock();
  SendChain->Write(data, length);
  BytesQueued += length;
  SendQueueEmpty = false;
  SendChain->Unlock();
}

void TCustomWSocket::PostWriteEvent() { PostMessageW(GetHandle(), AsyncSelectMsg, WPARAM(HSocket), FD_WRITE); }

int TCustomWSocket::Send(const void* data, int length) {
  if (State != wsConnected && State != wsSocksConnected) {
    ws::WSASetLastError(WSAENOTCONN);
    WinsockFailure("Send");
    return -1;
  }
  SendQueueEmpty = false;
  if (length < 0) length = 0;
  QueueData(data, length);
  auto alive = AliveToken();
  TryToSend();
  if (*alive && HSocket != NoSocket && SendChain->HasNoData()) PostWriteEvent();
  return length;
}

int TCustomWSocket::SendText(const std::string& text) {
  if (text.empty()) return 0;
  return Send(text.data(), int(text.size()));
}

int TCustomWSocket::SendByte(uint8_t value) { return Send(&value, 1); }

void TCustomWSocket::TryToSend() {
  // OnSendData may free the socket, and its chain with it.
  auto alive = AliveToken();
  SendChain->Lock();
  struct Unlock {
    TNetBufferHandler* c;
    const std::shared_ptr<const bool>& alive;
    ~Unlock() {
      if (*alive) c->Unlock();
    }
  } unlock{SendChain.get(), alive};
  if (HSocket == NoSocket || SendChain->HasNoData()) {
    SendQueueEmpty = true;
    return;
  }
  while (true) {
    const uint8_t* span = nullptr;
    int len = SendChain->Peek(span);
    if (len <= 0) {
      SendQueueEmpty = true;
      return;
    }
    int count = SendChunk(span, len);
    if (!*alive || count == 0) return;
    if (count < 0) {
      int code = ws::WSAGetLastError();
      if (code == WSAECONNRESET || code == WSAENOTSOCK || code == WSAENOTCONN || code == WSAEINVAL ||
          code == WSAECONNABORTED) {
        if (LogEnabled(loWsockErr))
          WriteLog(loWsockErr, GetName() + " Winsock Send failed - " + WinsockErrorMessage(code));
        bool notified = ClosedNotified;
        ClosedNotified = true;
        DoClose(false, code);
        if (!notified && Alive()) TriggerSessionClosed(uint16_t(code));
        return;
      }
      if (code == WSAEWOULDBLOCK) return;
      WinsockFailure("TryToSend failed");
      return;
    }
    BytesQueued = count > BytesQueued ? 0 : BytesQueued - count;
    SendChain->Remove(count);
    // A partial send does not re-arm the write notification; only a send
    // refused with "would block" does, so keep going until then.
  }
}

int TCustomWSocket::SendChunk(const uint8_t* data, int length) {
  int n = SocketType == SOCK_DGRAM
              ? ws::sendto(HSocket, reinterpret_cast<const char*>(data), length, SendFlagsValue,
                           reinterpret_cast<sockaddr*>(&SockAddr), int(sizeof SockAddr))
              : ws::send(HSocket, reinterpret_cast<const char*>(data), length, SendFlagsValue);
  if (n > 0) OnSendData(this, n);
  return n;
}

int TCustomWSocket::SendTo(const sockaddr_in& dest, const void* data, int length) {
  int n = ws::sendto(HSocket, static_cast<const char*>(data), length, SendFlagsValue,
                     reinterpret_cast<const sockaddr*>(&dest), int(sizeof dest));
  if (n > 0) {
    auto alive = AliveToken();
    OnSendData(this, n);
    if (*alive && SocketType == SOCK_DGRAM && SendChain->HasNoData()) PostWriteEvent();
  }
  return n;
}

void TCustomWSocket::Flush() {
  auto alive = AliveToken();
  while (HSocket != NoSocket && !SendChain->HasNoData()) {
    TryToSend();
    if (!*alive) return;
    PumpPending();
    if (!*alive) return;
  }
}

// ---- receiving ----

int TCustomWSocket::RecvRaw(void* buffer, int size, int flags) {
  int n = ws::recv(HSocket, static_cast<char*>(buffer), size, flags);
  BufferFilled = n >= size;
  if (n > 0) RawReadCount += uint64_t(n);
  return n;
}

int TCustomWSocket::RecvFromRaw(void* buffer, int size, int flags, sockaddr_in& from) {
  int len = sizeof from;
  int n = ws::recvfrom(HSocket, static_cast<char*>(buffer), size, flags, reinterpret_cast<sockaddr*>(&from), &len);
  BufferFilled = n >= size;
  if (n > 0) RawReadCount += uint64_t(n);
  return n;
}

int TCustomWSocket::Receive(void* buffer, int size) {
  int n = RecvRaw(buffer, size, 0);
  if (n < 0) LastError = ws::WSAGetLastError();
  else BytesReceived += n;
  return n;
}

int TCustomWSocket::ReceiveFrom(void* buffer, int size, sockaddr_in& from) {
  int n = RecvFromRaw(buffer, size, 0, from);
  if (n < 0) LastError = ws::WSAGetLastError();
  else BytesReceived += n;
  return n;
}

std::string TCustomWSocket::ReceiveText() {
  int n = PendingCount();
  if (n < 0) return {};
  if (n == 0) n = 255;
  std::string text(size_t(n), '\0');
  int got = Receive(text.data(), n);
  text.resize(got > 0 ? size_t(got) : 0);
  return text;
}

int TCustomWSocket::PendingCount() {
  u_long count = 0;
  if (ws::ioctlsocket(HSocket, FIONREAD, &count) == SOCKET_ERROR) {
    WinsockFailure("ioctlSocket");
    return -1;
  }
  return int(count);
}

void TCustomWSocket::Pause() {
  IsPaused = true;
  ws::WSAAsyncSelect(HSocket, GetHandle(), 0, 0);
}

void TCustomWSocket::Resume() {
  IsPaused = false;
  ws::WSAAsyncSelect(HSocket, GetHandle(), AsyncSelectMsg, EventMask);
}

void TCustomWSocket::WaitUntilClosed() {
  auto alive = AliveToken();
  while (*alive && HSocket != NoSocket && State != wsClosed) {
    PumpPending();
    if (!*alive || HSocket == NoSocket) return;
    u_long count = 0;
    if (ws::ioctlsocket(HSocket, FIONREAD, &count) == SOCKET_ERROR) return;
    if (count > 0) TriggerDataAvailable(0);
    if (!*alive || HSocket == NoSocket) return;
    char junk;
    if (RecvRaw(&junk, 1, 0) <= 0) {
      LastError = ws::WSAGetLastError();
      if (LastError != WSAEWOULDBLOCK) return;
    }
    PumpPending();
  }
}

// ---- closing ----

void TCustomWSocket::Shutdown(int how) {
  if (LogEnabled(loWsockInfo))
    WriteLog(loWsockInfo, HexOf(this) + " TCustomWSocket.Shutdown " + std::to_string(how) + " " +
                              std::to_string(uintptr_t(HSocket)));
  if (HSocket != NoSocket) ws::shutdown(HSocket, how);
}

void TCustomWSocket::Close() {
  // What is still queued goes out first; the close completes once the chain
  // has drained (or the peer goes away).
  if (State == wsConnected && HSocket != NoSocket && !SendChain->HasNoData() && !IsDestroying()) {
    auto alive = AliveToken();
    TryToSend();
    if (!*alive) return;
    if (HSocket != NoSocket && !SendChain->HasNoData()) {
      CloseAfterSend = true;
      return;
    }
  }
  DoClose(true, 0);
}

void TCustomWSocket::CloseLater() { PostMessageW(GetHandle(), CloseLaterMsg, 0, 0); }

void TCustomWSocket::DoClose(bool doShutdown, int error) {
  CloseAfterSend = false;
  auto alive = AliveToken();
  if (HSocket != NoSocket && State != wsClosed) {
    if (doShutdown) Shutdown(SD_SEND);
    while (ws::closesocket(HSocket) == SOCKET_ERROR) {
      int code = ws::WSAGetLastError();
      if (code == WSAEWOULDBLOCK) {
        PumpPending();
        if (!*alive) return;
        continue;
      }
      LastError = code;
      HSocket = NoSocket;
      if (code != WSANOTINITIALISED) return WinsockFailure("Disconnect (closesocket)");
      break;
    }
    HSocket = NoSocket;
    if (!SetState(wsClosed)) return;
    if (!IsDestroying() && !ClosedNotified) {
      ClosedNotified = true;
      TriggerSessionClosed(uint16_t(error));
      if (!*alive) return;
    }
    Quietly([&] { ResetDefaults(); });
    return;
  }
  if (HSocket != NoSocket) {  // a handle without a connection (opened or bound)
    ws::closesocket(HSocket);
    HSocket = NoSocket;
  }
  if (State != wsClosed && SetState(wsClosed)) Quietly([&] { ResetDefaults(); });
}

void TCustomWSocket::Abort() { DoAbort(0); }

void TCustomWSocket::DoAbort(int error) {
  Quietly([&] { CancelLookup(); });
  if (!Alive()) return;
  ClearSendBuffer();
  if (State == wsConnected && ProtoNum == IPPROTO_TCP && HSocket != NoSocket) {
    // A linger of zero seconds: the connection is reset at once.
    LingerOnOff = wsLingerOn;
    LingerTimeout = 0;
    Quietly([&] { ApplyLinger(); });
  }
  DoClose(false, error);
}

void TCustomWSocket::AttachToThread() {
  TNetWndControl::AttachToThread();
  if (HSocket != NoSocket) ws::WSAAsyncSelect(HSocket, GetHandle(), AsyncSelectMsg, EventMask);
}

void TCustomWSocket::DetachFromThread() {
  if (GetCurrentThreadId() == GetThreadId() && HSocket != NoSocket) ws::WSAAsyncSelect(HSocket, GetHandle(), 0, 0);
  TNetWndControl::DetachFromThread();
}

}  // namespace sonvelt::net
