// SOCKS 4, 4A and 5 client negotiation inside the socket's own events: with a
// SOCKS server set, OnSessionConnected reports only when the proxy has
// connected through (or refused, with a SOCKS error code).
#pragma once
#include "net/WSocket.h"

namespace sonvelt::net {

enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };
enum TSocksAuthState { socksAuthStart, socksAuthSuccess, socksAuthFailure, socksAuthNotRequired };
using TSocksErrorEvent = TDelegate<void(TObject* Sender, int Error, const std::string& Msg)>;
using TSocksAuthStateEvent = TDelegate<void(TObject* Sender, TSocksAuthState AuthState)>;

class TCustomSocksWSocket : public TCustomWSocket {
  SONVELT_CLASS(TCustomSocksWSocket, TCustomWSocket)
public:
  explicit TCustomSocksWSocket(TComponent* AOwner);

  const std::string& GetSocksServer() const { return SocksServer; }
  virtual void SetSocksServer(const std::string& value);
  const std::string& GetSocksPort() const { return SocksPort; }
  virtual void SetSocksPort(const std::string& value);
  const std::string& GetSocksLevel() const { return SocksLevel; }
  void SetSocksLevel(const std::string& value);
  const std::string& GetSocksUsercode() const { return SocksUsercode; }
  void SetSocksUsercode(const std::string& value) { SocksUsercode = value; }
  const std::string& GetSocksPassword() const { return SocksPassword; }
  void SetSocksPassword(const std::string& value) { SocksPassword = value; }
  TSocksAuthentication GetSocksAuthentication() const { return SocksAuthentication; }
  void SetSocksAuthentication(TSocksAuthentication value) { SocksAuthentication = value; }
  const std::string& GetSocksBoundAddr() const { return SocksBoundAddr; }
  const std::string& GetSocksBoundPort() const { return SocksBoundPort; }
  int GetSocksPhase() const { return SocksPhase; }

  void Connect() override;
  void Listen() override;
  int PendingCount() override;
  void ClearEvents() override;

  TSessionConnected OnSocksConnected;
  TSocksErrorEvent OnSocksError;
  TSocksAuthStateEvent OnSocksAuthState;

protected:
  virtual void TriggerSocksConnected(uint16_t error);
  virtual void TriggerSocksError(int error, const std::string& msg);
  void TriggerSocksAuthState(TSocksAuthState state);
  void TriggerSessionConnectedEx(uint16_t error) override;
  void TriggerSessionClosed(uint16_t error) override;
  void TriggerDataSent(uint16_t error) override;
  bool TriggerDataAvailable(uint16_t error) override;
  int RecvRaw(void* buffer, int size, int flags) override;
  void ResetDefaults() override;

  void SendSocksRequest();
  void SendSocksLogin();
  void SocksFailure(int code, const std::string& msg);
  bool HandleSocksReply();

  // Large enough for a SOCKS 5 reply carrying a 255-byte name.
  static constexpr int ReplyBufferSize = 512;
  std::string SocksServer, SocksPort, SocksLevel = "5", SocksUsercode, SocksPassword;
  bool SocksServerAssigned = false, SocksPortAssigned = false;
  TSocksAuthentication SocksAuthentication = socksNoAuthentication;
  int SocksPhase = 0;
  int SocksAuthMethod = 0;
  uint16_t SocksTargetPort = 0;
  uint8_t SocksReplyBuffer[ReplyBufferSize] = {};
  int SocksReplyCount = 0;
  int LeftoverCount = 0, LeftoverOffset = 0;
  std::string SocksBoundAddr, SocksBoundPort;
};

}  // namespace sonvelt::net
