// The asynchronous socket: a non-blocking TCP, UDP or raw IPv4 socket whose
// connect, send, receive, accept, close and name lookups finish through events
// raised from messages of its hidden window.
#pragma once
#include "net/WinsockBinding.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Delegate.h"
#include "framework/OwnedObject.h"
#include "framework/Set.h"
#include "framework/StringLists.h"
#include "net/NetBuffer.h"
#include "net/NetLogger.h"
#include "net/NetWndControl.h"

namespace sonvelt::net {

enum TSocketState : uint8_t {
  wsInvalidState, wsOpened, wsBound, wsConnecting, wsSocksConnected, wsConnected, wsAccepting, wsListening, wsClosed
};
enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };
enum TSocketKeepAliveOnOff { wsKeepAliveOff, wsKeepAliveOnCustom, wsKeepAliveOnSystem };
enum TWSocketOption { wsoNoReceiveLoop, wsoTcpNoDelay, wsoSIO_RCVALL };
using TWSocketOptions = TSet<TWSocketOption>;

using TSocketErrorEvent = TDelegate<void(TObject* Sender, uint16_t ErrCode)>;
using TDataAvailable = TSocketErrorEvent;
using TDataSent = TSocketErrorEvent;
using TSessionClosed = TSocketErrorEvent;
using TSessionAvailable = TSocketErrorEvent;
using TSessionConnected = TSocketErrorEvent;
using TDnsLookupDone = TSocketErrorEvent;
using TSendData = TDelegate<void(TObject* Sender, int BytesSent)>;
using TChangeState = TDelegate<void(TObject* Sender, TSocketState OldState, TSocketState NewState)>;

constexpr SOCKET NoSocket = INVALID_SOCKET;

class TCustomWSocket : public TNetWndControl {
  SONVELT_CLASS(TCustomWSocket, TNetWndControl)
public:
  explicit TCustomWSocket(TComponent* AOwner);
  ~TCustomWSocket() override;

  // Addressing; refused unless closed.
  const std::string& GetAddr() const { return Addr; }
  void SetAddr(const std::string& value);
  const std::string& GetPort() const { return Port; }
  virtual void SetPort(const std::string& value);
  const std::string& GetProto() const { return Proto; }
  virtual void SetProto(const std::string& value);
  const std::string& GetLocalAddr() const { return LocalAddr; }
  void SetLocalAddr(const std::string& value);
  const std::string& GetLocalPort() const { return LocalPort; }
  void SetLocalPort(const std::string& value);

  TSocketState GetState() const { return State; }
  SOCKET GetHSocket() const { return HSocket; }
  int GetLastError() const { return LastError; }
  int GetCurrentEvent() const { return CurrentEvent; }
  int64_t GetBytesReceived() const { return BytesReceived; }
  int GetBytesQueued() const { return BytesQueued; }
  bool GetAllSent() const { return SendChain->HasNoData(); }
  bool GetBufferFilled() const { return BufferFilled; }
  bool GetIsPaused() const { return IsPaused; }

  virtual int GetBufSize() const { return SendChain->GetBufSize(); }
  virtual void SetBufSize(int value) { SendChain->SetBufSize(value); }
  int GetRcvBufSize() const { return RcvBufSize; }
  virtual void SetRcvBufSize(int value);
  int GetSndBufSize() const { return SndBufSize; }
  virtual void SetSndBufSize(int value);
  TSocketSendFlags GetSendFlags();
  void SetSendFlags(TSocketSendFlags value);
  uint8_t GetReqVerLow() const;
  void SetReqVerLow(uint8_t value);
  uint8_t GetReqVerHigh() const;
  void SetReqVerHigh(uint8_t value);

  TWSocketOptions GetComponentOptions() const { return ComponentOptions; }
  void SetComponentOptions(TWSocketOptions value) { ComponentOptions = value; }
  TSocketLingerOnOff GetLingerOnOff() const { return LingerOnOff; }
  void SetLingerOnOff(TSocketLingerOnOff value) { LingerOnOff = value; }
  int GetLingerTimeout() const { return LingerTimeout; }
  void SetLingerTimeout(int value) { LingerTimeout = value; }
  TSocketKeepAliveOnOff GetKeepAliveOnOff() const { return KeepAliveOnOff; }
  void SetKeepAliveOnOff(TSocketKeepAliveOnOff value) { KeepAliveOnOff = value; }
  uint32_t GetKeepAliveTime() const { return KeepAliveTime; }
  void SetKeepAliveTime(uint32_t value) { KeepAliveTime = value; }
  uint32_t GetKeepAliveInterval() const { return KeepAliveInterval; }
  void SetKeepAliveInterval(uint32_t value) { KeepAliveInterval = value; }
  int GetListenBacklog() const { return ListenBacklog; }
  void SetListenBacklog(int value) { ListenBacklog = value; }
  bool GetReuseAddr() const { return ReuseAddr; }
  void SetReuseAddr(bool value) { ReuseAddr = value; }
  bool GetMultiCast() const { return MultiCast; }
  void SetMultiCast(bool value) { MultiCast = value; }
  const std::string& GetMultiCastAddrStr() const { return MultiCastAddrStr; }
  void SetMultiCastAddrStr(const std::string& value) { MultiCastAddrStr = value; }
  int GetMultiCastIpTTL() const { return MultiCastIpTTL; }
  void SetMultiCastIpTTL(int value) { MultiCastIpTTL = value; }
  int GetFlushTimeout() const { return FlushTimeout; }
  void SetFlushTimeout(int value) { FlushTimeout = value; }
  bool GetMultiThreaded() const { return MultiThreaded; }
  void SetMultiThreaded(bool value) { MultiThreaded = value; }

  TNetLogger* GetNetLogger() const { return NetLogger; }
  virtual void SetNetLogger(TNetLogger* value);
  virtual bool LogEnabled(TLogOption option) const;
  virtual void WriteLog(TLogOption option, const std::string& text);

  const std::string& GetLookupResult() const { return LookupResult; }
  TStrings* GetLookupResults() const { return LookupResults.get(); }

  // Operations.
  virtual void Connect();
  virtual void Close();
  virtual void CloseLater();
  virtual void Abort();
  virtual void Flush();
  virtual void WaitUntilClosed();
  virtual void Shutdown(int how);
  virtual void Pause();
  virtual void Resume();
  virtual int Send(const void* data, int length);
  virtual int SendText(const std::string& text);
  virtual int SendByte(uint8_t value);
  virtual int SendTo(const sockaddr_in& dest, const void* data, int length);
  virtual int Receive(void* buffer, int size);
  virtual std::string ReceiveText();
  virtual int ReceiveFrom(void* buffer, int size, sockaddr_in& from);
  virtual int PendingCount();
  // Queues without starting the transmission.
  virtual void QueueData(const void* data, int length);
  void QueueText(const std::string& text) { QueueData(text.data(), int(text.size())); }

  // Server side and lookups.
  virtual void Listen();
  virtual SOCKET Accept();
  virtual void Dup(SOCKET handle);
  virtual void DnsLookup(const std::string& host);
  virtual void ReverseLookup(const std::string& address);
  virtual void ReverseLookupSync(const std::string& address);
  virtual void CancelLookup();
  virtual std::string PeerAddr();
  virtual std::string GetPeerPort();
  virtual int GetPeerName(sockaddr_in& name, int& length);
  virtual std::string BoundAddr();
  virtual std::string BoundPort();
  virtual int SockName(sockaddr_in& name, int& length);

  void AttachToThread() override;
  void DetachFromThread() override;
  // Unbinds every event, for an owner that is going away.
  virtual void ClearEvents();
  // Posts a message that makes the socket raise inside its dispatch (tests the
  // background-exception road).
  void PostTestException();

  TSessionAvailable OnSessionAvailable;
  TSessionConnected OnSessionConnected;
  TSessionClosed OnSessionClosed;
  TChangeState OnChangeState;
  TDataAvailable OnDataAvailable;
  TDataSent OnDataSent;
  TSendData OnSendData;
  TDnsLookupDone OnDnsLookupDone;
  TNotifyEvent OnError;

protected:
  void BeforeDestruction() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  int MessageCount() const override { return 7; }
  void RegisterMessages() override;
  void UnregisterMessages() override;
  void HandleMessage(TNetMessage& msg) override;
  void HandleBgException(const std::exception& e) override;

  virtual void AttachSocketWindow() { AllocateWindow(); }
  virtual void TryToSend();
  virtual void ResetDefaults();
  virtual void DoClose(bool doShutdown, int error);
  virtual void DoAbort(int error);
  virtual void BindLocal();
  virtual int SendChunk(const uint8_t* data, int length);
  virtual void ReportError(const std::string& text);
  virtual bool TriggerDataAvailable(uint16_t error);
  virtual void TriggerSessionAvailable(uint16_t error);
  virtual void TriggerSessionConnectedEx(uint16_t error);
  virtual void TriggerSessionConnected(uint16_t error);
  virtual void TriggerSessionClosed(uint16_t error);
  virtual void TriggerDataSent(uint16_t error);
  virtual void TriggerChangeState(TSocketState oldState, TSocketState newState);
  virtual void TriggerDnsLookupDone(uint16_t error);
  virtual void TriggerError();
  virtual int RecvRaw(void* buffer, int size, int flags);
  virtual int RecvFromRaw(void* buffer, int size, int flags, sockaddr_in& from);
  virtual void HandleConnectEvent(uint16_t error);
  virtual void HandleReadEvent(uint16_t error);
  virtual void HandleWriteEvent(uint16_t error);
  virtual void HandleAcceptEvent(uint16_t error);
  virtual void HandleCloseEvent(uint16_t error);
  virtual void DupDone();

  void AssignText(std::string& field, bool& assigned, bool& resolved, const std::string& value, const char* what);
  // False when a handler of the change freed the socket.
  bool SetState(TSocketState newState);
  void WinsockFailure(const std::string& operation);
  void ReceiveLoop(uint16_t error, TWSocketOptions options);
  void ClearSendBuffer();
  void ApplyLinger();
  void ApplyKeepAlive();
  void ReadSocketBufferSizes();
  void HandleSelectMessage(const TNetMessage& msg);
  void HandleHostByName(const TNetMessage& msg);
  void HandleHostByAddr(const TNetMessage& msg);
  void FillLookupFromHostent(const hostent* h, bool names);
  void PostWriteEvent();
  bool Alive() const { return *AliveToken(); }

  // Addressing state.
  std::string Addr, Port, Proto = "tcp", LocalAddr = "0.0.0.0", LocalPort = "0";
  bool AddrAssigned = false, AddrResolved = false;
  bool PortAssigned = false, PortResolved = false;
  bool ProtoAssigned = true, ProtoResolved = false;
  bool LocalPortResolved = false;
  uint16_t PortNum = 0, LocalPortNum = 0;
  int ProtoNum = IPPROTO_TCP;
  int SocketFamily = AF_INET;
  int SocketType = SOCK_STREAM;
  sockaddr_in SockAddr{};

  SOCKET HSocket = NoSocket;
  SOCKET LastAcceptedHandle = NoSocket;
  TSocketState State = wsClosed;
  long EventMask = 0;
  int CurrentEvent = 0;
  UINT AsyncSelectMsg = 0, HostByNameMsg = 0, HostByAddrMsg = 0, CloseLaterMsg = 0, TestExceptionMsg = 0,
       LineDataMsg = 0;

  std::unique_ptr<TNetBufferHandler> SendChain;
  int BytesQueued = 0;
  bool SendQueueEmpty = true;
  int SendFlagsValue = 0;
  bool ClosedNotified = false;
  bool CloseAfterSend = false;
  int64_t BytesReceived = 0;
  uint64_t RawReadCount = 0;  // bytes taken from the socket itself, for loop progress
  bool BufferFilled = false;
  bool IsPaused = false;

  std::string LookupResult;
  TOwned<TStringList> LookupResults = MakeOwned<TStringList>();
  HANDLE LookupHandle = nullptr;
  std::unique_ptr<char[]> LookupBuffer;
  bool EarlyReplySaved = false;
  TNetMessage EarlyReply{};

  TWSocketOptions ComponentOptions;
  TSocketLingerOnOff LingerOnOff = wsLingerOff;
  int LingerTimeout = 0;
  TSocketKeepAliveOnOff KeepAliveOnOff = wsKeepAliveOff;
  uint32_t KeepAliveTime = 0, KeepAliveInterval = 0;
  int ListenBacklog = 5;
  bool ReuseAddr = false;
  bool MultiCast = false;
  std::string MultiCastAddrStr;
  int MultiCastIpTTL = 1;
  int RcvBufSize = 0, SndBufSize = 0;
  int LastError = 0;
  int FlushTimeout = 60;
  bool MultiThreaded = false;
  TNetLogger* NetLogger = nullptr;
  bool Counted = false;
};

}  // namespace sonvelt::net
