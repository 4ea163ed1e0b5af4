#include "net/SocksWSocket.h"

#include <algorithm>
#include <cstring>

#include "net/MimeUtils.h"
#include "net/NetException.h"

namespace sonvelt::net {

TCustomSocksWSocket::TCustomSocksWSocket(TComponent* AOwner) : TCustomWSocket(AOwner) {}

void TCustomSocksWSocket::ClearEvents() {
  TCustomWSocket::ClearEvents();
  OnSocksConnected = nullptr;
  OnSocksError = nullptr;
  OnSocksAuthState = nullptr;
}

void TCustomSocksWSocket::ResetDefaults() {
  TCustomWSocket::ResetDefaults();
  SocksPhase = 0;
  SocksServer.clear();
  SocksPort.clear();
  SocksServerAssigned = SocksPortAssigned = false;
  SocksLevel = "5";
  LeftoverCount = LeftoverOffset = 0;
}

void TCustomSocksWSocket::SetSocksServer(const std::string& value) {
  if (State != wsClosed) return ReportError("Can't change socks server if not closed");
  SocksServer = Trim(value);
  SocksServerAssigned = !SocksServer.empty();
}

void TCustomSocksWSocket::SetSocksPort(const std::string& value) {
  if (State != wsClosed) return ReportError("Can't change socks port if not closed");
  SocksPort = Trim(value);
  SocksPortAssigned = !SocksPort.empty();
}

void TCustomSocksWSocket::SetSocksLevel(const std::string& value) {
  if (State != wsClosed) return ReportError("Can't change socks level if not closed");
  std::string v = UpperCase(value);
  if (v != "4" && v != "4A" && v != "5") return ReportError("Invalid socks level. Must be 4, 4A or 5.");
  SocksLevel = v;
}

void TCustomSocksWSocket::Connect() {
  if (!SocksServerAssigned) return TCustomWSocket::Connect();
  std::string p = LowerCase(Trim(Proto));
  if (p != "tcp" && p != "6") return ReportError("TCP is the only protocol supported thru socks server");
  try {
    SockAddr.sin_port = ws::htons(ResolvePort(SocksPort, Proto));
    PortResolved = true;
    SockAddr.sin_addr.s_addr = ResolveHost(SocksServer);
    AddrResolved = true;
    SocksTargetPort = ResolvePort(Port, Proto);
  } catch (const std::exception& e) {
    return ReportError(std::string("Connect: ") + e.what());
  }
  SocksPhase = 1;
  SocksReplyCount = 0;
  LeftoverCount = LeftoverOffset = 0;
  TCustomWSocket::Connect();
}

void TCustomSocksWSocket::Listen() {
  if (SocksServerAssigned) return ReportError("Listening is not supported thru socks server");
  TCustomWSocket::Listen();
}

int TCustomSocksWSocket::PendingCount() {
  return LeftoverCount > 0 ? LeftoverCount : TCustomWSocket::PendingCount();
}

int TCustomSocksWSocket::RecvRaw(void* buffer, int size, int flags) {
  if (LeftoverCount <= 0) return TCustomWSocket::RecvRaw(buffer, size, flags);
  int n = std::min(size, LeftoverCount);
  std::memcpy(buffer, SocksReplyBuffer + LeftoverOffset, size_t(n));
  LeftoverOffset += n;
  LeftoverCount -= n;
  BufferFilled = n >= size;
  return n;
}

void TCustomSocksWSocket::TriggerSocksConnected(uint16_t error) { OnSocksConnected(this, error); }
void TCustomSocksWSocket::TriggerSocksError(int error, const std::string& msg) { OnSocksError(this, error, msg); }
void TCustomSocksWSocket::TriggerSocksAuthState(TSocksAuthState state) { OnSocksAuthState(this, state); }

void TCustomSocksWSocket::TriggerSessionConnectedEx(uint16_t error) {
  if (SocksPhase != 1) return TCustomWSocket::TriggerSessionConnectedEx(error);
  auto alive = AliveToken();
  TriggerSocksConnected(error);
  if (!*alive) return;
  if (error != 0) {
    SocksPhase = 0;
    return TCustomWSocket::TriggerSessionConnectedEx(error);
  }
  if (SocksLevel[0] == '4') return SendSocksRequest();
  SocksAuthMethod = SocksAuthentication == socksAuthenticateUsercode ? 2 : 0;
  uint8_t req[3] = {5, 1, uint8_t(SocksAuthMethod)};
  try {
    Send(req, 3);
  } catch (...) {
  }
}

void TCustomSocksWSocket::TriggerSessionClosed(uint16_t error) {
  if (SocksPhase == 2) {
    auto alive = AliveToken();
    TriggerSocksAuthState(socksAuthFailure);
    if (!*alive) return;
  }
  TCustomWSocket::TriggerSessionClosed(error);
}

// The negotiation's own requests are not the user's data.
void TCustomSocksWSocket::TriggerDataSent(uint16_t error) {
  if (SocksPhase == 0) TCustomWSocket::TriggerDataSent(error);
}

void TCustomSocksWSocket::SocksFailure(int code, const std::string& msg) {
  auto alive = AliveToken();
  TriggerSocksError(code, msg);
  if (!*alive) return;
  SocksPhase = 0;
  TCustomWSocket::TriggerSessionConnectedEx(uint16_t(code));
  if (!*alive) return;
  DoClose(true, code);
}

void TCustomSocksWSocket::SendSocksLogin() {
  SocksPhase = 2;
  auto alive = AliveToken();
  TriggerSocksAuthState(socksAuthStart);
  if (!*alive) return;
  if (SocksUsercode.size() > 255 || SocksPassword.size() > 255)
    return SocksFailure(20014, "user code or password too long");
  std::string m;
  m += char(1);
  m += char(SocksUsercode.size());
  m += SocksUsercode;
  m += char(SocksPassword.size());
  m += SocksPassword;
  try {
    Send(m.data(), int(m.size()));
  } catch (...) {
  }
}

void TCustomSocksWSocket::SendSocksRequest() {
  SocksPhase = 3;
  std::string m;
  uint8_t port[2] = {uint8_t(SocksTargetPort >> 8), uint8_t(SocksTargetPort)};
  if (SocksLevel == "5") {
    // The host length is one byte on the wire.
    if (Addr.size() > 255) return SocksFailure(20014, "host name too long");
    m = std::string{char(5), char(1), char(0), char(3), char(Addr.size())} + Addr;
    m.append(reinterpret_cast<char*>(port), 2);
  } else {
    uint32_t target = 0;
    if (SocksLevel == "4") {
      std::string failure;
      try {
        target = ResolveHost(Addr);
      } catch (const Exception& e) {
        failure = e.ClassName() + " " + e.GetMessage();
      } catch (const std::exception& e) {
        failure = std::string("Exception ") + e.what();
      }
      if (!failure.empty()) {
        auto alive = AliveToken();
        TriggerSocksError(20017, failure);
        if (*alive) DoClose(true, 20017);
        return;
      }
    } else {
      const uint8_t marker[4] = {0, 0, 0, 1};  // 0.0.0.1: the host name follows
      std::memcpy(&target, marker, 4);
    }
    m = std::string{char(4), char(1)};
    m.append(reinterpret_cast<char*>(port), 2);
    m.append(reinterpret_cast<char*>(&target), 4);
    m += SocksUsercode;
    m += char(0);
    if (SocksLevel == "4A") {
      m += Addr;
      m += char(0);
    }
  }
  try {
    Send(m.data(), int(m.size()));
  } catch (...) {
  }
}

bool TCustomSocksWSocket::TriggerDataAvailable(uint16_t error) {
  if (SocksPhase == 0) return TCustomWSocket::TriggerDataAvailable(error);
  if (error != 0) {
    SocksFailure(error, "data receive error");
    return true;
  }
  return HandleSocksReply();
}

bool TCustomSocksWSocket::HandleSocksReply() {
  auto readUpTo = [&](int limit) {
    if (limit <= SocksReplyCount) return true;
    int n = TCustomWSocket::RecvRaw(SocksReplyBuffer + SocksReplyCount, limit - SocksReplyCount, 0);
    if (n < 0) return false;  // nothing now: wait for the next notification
    SocksReplyCount += n;
    return true;
  };
  const uint8_t* b = SocksReplyBuffer;
  if (SocksPhase == 1) {
    if (SocksLevel[0] == '4') {
      SocksFailure(20001, "TWSocket logic error");
      return true;
    }
    if (!readUpTo(ReplyBufferSize - 1) || SocksReplyCount < 2) return true;
    SocksReplyCount = 0;
    if (b[0] != 5) SocksFailure(20002, "socks version error");
    else if (b[1] == 0) {
      auto alive = AliveToken();
      if (SocksAuthMethod == 2) TriggerSocksAuthState(socksAuthNotRequired);
      if (*alive) SendSocksRequest();
    } else if (b[1] == 2) {
      SendSocksLogin();
    } else {
      SocksFailure(20003, "authentification method not acceptable");
    }
    return true;
  }
  if (SocksPhase == 2) {
    if (!readUpTo(ReplyBufferSize - 1) || SocksReplyCount == 0) return true;
    if (b[0] != 1) SocksFailure(20002, "socks version error");
    else if (SocksReplyCount > 2) SocksFailure(20001, "too much data availaible");
    else if (SocksReplyCount == 2) {
      if (b[1] != 0) {
        SocksFailure(20015, "socks authentication failed");
      } else {
        SocksReplyCount = 0;
        auto alive = AliveToken();
        TriggerSocksAuthState(socksAuthSuccess);
        if (*alive) SendSocksRequest();
      }
    }
    return true;
  }
  if (SocksPhase == 3 && SocksLevel[0] == '4') {
    if (!readUpTo(8) || SocksReplyCount < 8) return true;
    SocksReplyCount = 0;
    if (b[0] != 0) SocksFailure(20002, "socks version error");
    else if (b[1] == 90) {
      auto alive = AliveToken();
      SocksPhase = 0;
      TCustomWSocket::TriggerSessionConnectedEx(0);
      if (*alive && HSocket != NoSocket) TriggerDataAvailable(0);
    } else if (b[1] == 91) SocksFailure(20016, "request rejected or failed");
    else if (b[1] == 92) SocksFailure(20008, "connection refused");
    else if (b[1] == 93) SocksFailure(20015, "authentification failed");
    else SocksFailure(20012, "unassigned error #" + std::to_string(b[1]));
    return true;
  }
  if (SocksPhase == 3) {
    if (!readUpTo(ReplyBufferSize - 1) || SocksReplyCount == 0) return true;
    if (b[0] != 5) {
      SocksFailure(20002, "socks version error");
      return true;
    }
    if (SocksReplyCount >= 2 && b[1] != 0) {
      static const char* const texts[] = {"",
                                          "general SOCKS server failure",
                                          "connection not allowed by ruleset",
                                          "network unreachable",
                                          "host unreachable",
                                          "connection refused",
                                          "time to live expired",
                                          "command not supported",
                                          "address type not supported"};
      if (b[1] <= 8) SocksFailure(20003 + b[1], texts[b[1]]);
      else SocksFailure(20012, "unassigned error #" + std::to_string(b[1]));
      return true;
    }
    if (SocksReplyCount < 5) return true;
    int replyLen;
    if (b[3] == 1) replyLen = 10;
    else if (b[3] == 3) replyLen = b[4] + 7;
    else {
      SocksFailure(20011, "address type not supported");
      return true;
    }
    if (SocksReplyCount < replyLen) return true;
    int portAt;
    if (b[3] == 1) {
      uint32_t a;
      std::memcpy(&a, b + 4, 4);
      SocksBoundAddr = DottedAddress(a);
      portAt = 8;
    } else {
      SocksBoundAddr.assign(reinterpret_cast<const char*>(b + 5), b[4]);
      portAt = b[4] + 5;
    }
    SocksBoundPort = std::to_string(b[portAt] << 8 | b[portAt + 1]);
    SocksPhase = 0;
    LeftoverCount = SocksReplyCount - replyLen;
    LeftoverOffset = replyLen;
    SocksReplyCount = 0;
    auto alive = AliveToken();
    TCustomWSocket::TriggerSessionConnectedEx(0);
    if (*alive && (HSocket != NoSocket || LeftoverCount > 0)) TriggerDataAvailable(0);
    return true;
  }
  SocksFailure(20013, "internal error");
  return false;
}

}  // namespace sonvelt::net
