// The asynchronous HTTP/1.0 and 1.1 client: a request is started by a call and
// its end reported by OnRequestDone from the message loop; the body goes into
// the caller's stream.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/Delegate.h"
#include "framework/OwnedObject.h"
#include "framework/Set.h"
#include "framework/StringLists.h"
#include "net/HttpContCod.h"
#include "net/LineWSocket.h"
#include "net/NetDate.h"
#include "net/Ntlm.h"

namespace sonvelt::net {

enum THttpRequest { httpABORT, httpGET, httpPOST, httpPUT, httpHEAD, httpCLOSE };
enum THttpClientState {
  httpReady, httpNotConnected, httpConnected, httpDnsLookup, httpDnsLookupDone, httpWaitingHeader, httpWaitingBody,
  httpBodyReceived, httpWaitingProxyConnect, httpClosing, httpAborting
};
enum THttpAuthType { httpAuthNone, httpAuthBasic, httpAuthNtlm };
enum THttpCliOption { httpoNoBasicAuth, httpoNoNTLMAuth, httpoBandwidthControl, httpoEnableContentCoding, httpoUseQuality };
using THttpCliOptions = TSet<THttpCliOption>;

using TOnCommand = TDelegate<void(TObject* Sender, std::string& S)>;
using TDocDataEvent = TDelegate<void(TObject* Sender, const void* Buffer, int Len)>;
using TCookieRcvdEvent = TDelegate<void(TObject* Sender, const std::string& Data, bool& Accept)>;
using THttpRequestDone = TDelegate<void(TObject* Sender, THttpRequest RqType, uint16_t ErrCode)>;
using TBeforeHeaderSendEvent = TDelegate<void(TObject* Sender, const std::string& Method, TStrings* Headers)>;
using TLocationChangeExceeded = TDelegate<void(TObject* Sender, int RelocationCount, bool& AllowMoreRelocations)>;

// Failure codes of requests that end without an HTTP exchange of their own.
constexpr uint16_t httperrAborted = 3;
constexpr uint16_t httperrTruncated = 10053;  // the connection ended inside the body
constexpr uint16_t httperrProtocol = 10043;   // a protocol other than http
constexpr uint16_t httperrBadResponse = 7;    // a header line or chunk size beyond the limits
constexpr uint16_t httperrAuthChallenge = 8;  // an NTLM challenge that fails its checks

class THttpCli : public TNetWndControl {
  SONVELT_CLASS(THttpCli, TNetWndControl)
public:
  explicit THttpCli(TComponent* AOwner);
  ~THttpCli() override;

  // Requests.
  void GetAsync();
  void PostAsync() { StartRequest(httpPOST); }
  void PutAsync() { StartRequest(httpPUT); }
  void HeadAsync() { StartRequest(httpHEAD); }
  void CloseAsync() { StartRequest(httpCLOSE); }
  virtual void StartRequest(THttpRequest kind);
  virtual void RunRequestBlocking(THttpRequest kind);  // raises EHttpException for statuses above 399
  void Get() { LocationChangeCurCount = 0; RunRequestBlocking(httpGET); }
  virtual void Abort();

  // Settings (published properties).
  std::string URL, LocalAddr = "0.0.0.0", Proxy, ProxyPort = "80", Sender;
  std::string Agent = "Mozilla/4.0 (compatible; Sonvelt)";
  std::string Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
  std::string AcceptLanguage, Reference, Connection, ProxyConnection;
  std::string Username, Password, ProxyUsername, ProxyPassword;
  bool NoCache = false;
  TDateTime ModifiedSince = 0;
  std::string Cookie, ContentTypePost = "application/x-www-form-urlencoded";
  std::string ContentRangeBegin, ContentRangeEnd;
  bool FollowRelocation = true;
  int LocationChangeMaxCount = 5;
  THttpAuthType ServerAuth = httpAuthNone, ProxyAuth = httpAuthNone;
  uint32_t BandwidthLimit = 10000, BandwidthSampling = 1000;
  std::string SocksServer, SocksLevel = "5", SocksPort, SocksUsercode, SocksPassword;
  TSocksAuthentication SocksAuthentication = socksNoAuthentication;
  TStream* ReceiveStream = nullptr;
  TStream* PostStream = nullptr;

  const std::string& GetRequestVer() const { return RequestVer; }
  void SetRequestVer(const std::string& value);
  THttpCliOptions GetOptions() const;
  void SetOptions(THttpCliOptions value);
  bool GetMultiThreaded() const { return MultiThreaded; }
  void SetMultiThreaded(bool value);
  void SetNetLogger(TNetLogger* value) { Socket->SetNetLogger(value); }

  // Run-time state.
  THttpClientState GetState() const { return State; }
  THttpRequest GetRequestType() const { return RequestType; }
  int GetStatusCode() const { return StatusCode; }
  const std::string& GetStatusText() const { return StatusText; }
  uint16_t GetRequestDoneError() const { return RequestDoneError; }
  int64_t GetContentLength() const { return ContentLength; }
  const std::string& GetContentType() const { return ContentType; }
  const std::string& GetTransferEncoding() const { return TransferEncoding; }
  const std::string& GetContentEncoding() const { return ContentEncoding; }
  const std::string& GetLocation() const { return Location; }
  const std::string& GetDocName() const { return DocName; }
  const std::string& GetResponseVersion() const { return ResponseVersion; }
  const std::string& GetAcceptRanges() const { return AcceptRanges; }
  bool GetCloseAfterResponse() const { return CloseAfterResponse; }
  int64_t GetReceivedCount() const { return ReceivedCount; }
  int GetLocationChangeCurCount() const { return LocationChangeCurCount; }
  TStrings* GetReceivedHeader() const { return ReceivedHeader.get(); }
  TStrings* GetAuthHeaders() const { return AuthHeaders.get(); }
  TWSocket* GetCtrlSocket() const { return Socket; }
  THttpContCodHandler& GetContCodHandler() { return *ContCod; }

  TNotifyEvent OnTrace, OnSessionConnected, OnSessionClosed, OnHeaderData, OnHeaderBegin, OnHeaderEnd,
      OnRequestHeaderBegin, OnRequestHeaderEnd, OnDocBegin, OnDocEnd, OnSendBegin, OnSendEnd, OnStateChange,
      OnLocationChange, OnDataPush, OnDataPush2;
  TOnCommand OnCommand;
  TDocDataEvent OnDocData, OnSendData;
  TCookieRcvdEvent OnCookie;
  THttpRequestDone OnRequestDone;
  TBeforeHeaderSendEvent OnBeforeHeaderSend;
  TLocationChangeExceeded OnLocationChangeExceeded;
  TSessionConnected OnSocksConnected;
  TSocksErrorEvent OnSocksError;
  TSocksAuthStateEvent OnSocksAuthState;
  TNotifyEvent OnSocketError;

  // Limits that keep a hostile server from growing the client without end.
  static constexpr size_t MaxHeaderLine = 65536;
  static constexpr int ReceiveBlockSize = 256 * 1024;
  static constexpr int MaxChunkSizeDigits = 15;

protected:
  void BeforeDestruction() override;
  int MessageCount() const override { return 4; }
  void RegisterMessages() override;
  void UnregisterMessages() override;
  void HandleMessage(TNetMessage& msg) override;
  void AttachToThread() override;
  void DetachFromThread() override;

  virtual void SetState(THttpClientState s);
  virtual void ResetResponse();
  virtual void DeriveDocName();
  virtual void Login();
  virtual void SendRequest(const std::string& method, const std::string& version);
  virtual void SendHeaderLine(const std::string& line);
  virtual void HandleSocketData();
  virtual void HandleHeaderLine(const std::string& line);
  virtual void GetBodyLineNext(const char* data, int len);
  virtual void StartRelocation();
  virtual void RelocationClosed(TObject* Sender, uint16_t error);
  virtual void StartNTLMAuth();
  virtual void StartProxyNTLMAuth();
  virtual void StartBasicAuth();
  virtual void StartProxyBasicAuth();

  void Trace(const std::string& text);
  void PostOwn(UINT msg);
  void PostRequestDone();
  void SessionConnected(uint16_t error);
  void SessionClosed(uint16_t error);
  void SocketSessionConnected(TObject* Sender, uint16_t error);
  void SocketSessionClosed(TObject* Sender, uint16_t error);
  void SocketDataAvailable(TObject* Sender, uint16_t error);
  void SocketDataSent(TObject* Sender, uint16_t error);
  void SocketDnsLookupDone(TObject* Sender, uint16_t error);
  void SocketSocksConnected(TObject* Sender, uint16_t error);
  void SocketSocksError(TObject* Sender, int error, const std::string& msg);
  void SocketSocksAuthState(TObject* Sender, TSocksAuthState state);
  void SocketError(TObject* Sender);
  void DocumentWrite(const void* buffer, int count);
  size_t TakeBodyBytes(const char* data, size_t len);
  void SendBodyBlock();
  void FinishDocument();
  void DocumentComplete();
  void TakeLocation(const std::string& value);
  void RewindForRestart();
  void ArmPreemptiveAuth();
  void UpdateNTLMStates();
  void UpdateBasicStates();
  bool PrepareNTLMAuth(bool& restart);
  bool PrepareBasicAuth(bool& restart);
  std::string NTLMMessage1Text();
  std::string NTLMMessage3Text(bool proxy);
  void AddAuthorizationLines(TStrings* lines);
  void NTLMStep(uint8_t& state, uint8_t& basicState, TNTLM_Msg2_Info& challenge, bool proxy);
  void BasicStep(uint8_t& state, uint8_t& ntlmState, bool proxy);
  bool RelocationAllowed();
  void RestartAtLocation();
  void StartBandwidthControl();
  void StopBandwidthTimer();
  void BandwidthTick(TObject* Sender);
  bool SameConnection() const;
  void SetKeepAliveFor(bool proxy);

  TWSocket* Socket;
  std::unique_ptr<THttpContCodHandler> ContCod;
  TNetTimer* BandwidthTimer = nullptr;
  bool BandwidthTimerWasEnabled = false;
  UINT RequestDoneMsg = 0, SetReadyMsg = 0, RestartMsg = 0;
  uint32_t RequestSerial = 0;  // messages of an earlier request are ignored
  uint32_t DoneSerial = 0;     // the request whose done message was delivered last

  std::string RequestVer = "1.0";
  THttpCliOptions Options;
  bool MultiThreaded = false;

  THttpClientState State = httpReady;
  THttpRequest RequestType = httpGET;
  int StatusCode = 0;
  std::string StatusText;
  uint16_t RequestDoneError = 0;
  int64_t ContentLength = -1;
  std::string ContentType, TransferEncoding, ContentEncoding, Location, DocName, ResponseVersion, AcceptRanges;
  bool CloseAfterResponse = false;
  bool Relocating = false;
  int64_t ReceivedCount = 0;
  int LocationChangeCurCount = 0;
  TOwned<TStringList> ReceivedHeader = MakeOwned<TStringList>(), AuthHeaders = MakeOwned<TStringList>();
  std::string RcvBuf;
  std::vector<char> RcvBlock;
  int HeaderLineCount = 0, BodyCallCount = 0;
  bool InBody = false, DocStarted = false, DocFinished = false, AfterContinue = false;
  int64_t ReceiveStreamStart = 0;
  int64_t PostSent = 0;
  bool SendingBody = false;
  std::string ConnectionValue, ProxyConnectionValue;
  std::string CurrUser, CurrPass;
  std::string Protocol, HostName, TargetPort, Path, ConnectHost, ConnectPort;
  std::string ConnHost, ConnPort, ConnProto;
  bool Connected = false;
  int ChunkState = 0;
  int64_t ChunkLength = 0, ChunkRemaining = 0;
  int ChunkDigits = 0;
  bool ChunkFailed = false;
  // Authentication states (see the steps of the 401 and 407 answers).
  uint8_t AuthNTLMState = 0, ProxyAuthNTLMState = 0, AuthBasicState = 0, ProxyAuthBasicState = 0;
  TNTLM_Msg2_Info NTLMMsg2Info, ProxyNTLMMsg2Info;
  int64_t BandwidthCount = 0, BandwidthMaxCount = 0;
  bool BandwidthPaused = false;
};

}  // namespace sonvelt::net
