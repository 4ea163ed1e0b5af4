#include "net/HttpCli.h"

#include <algorithm>
#include <cstdlib>

#include "net/MimeUtils.h"
#include "net/NetException.h"
#include "net/UrlUtils.h"

namespace sonvelt::net {
namespace {

const char* const kStateNames[] = {"httpReady",         "httpNotConnected",      "httpConnected",
                                   "httpDnsLookup",     "httpDnsLookupDone",     "httpWaitingHeader",
                                   "httpWaitingBody",   "httpBodyReceived",      "httpWaitingProxyConnect",
                                   "httpClosing",       "httpAborting"};

bool ParseInt64(const std::string& text, int64_t& value) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 18) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  value = std::strtoll(t.c_str(), nullptr, 10);
  return true;
}

}  // namespace

THttpCli::THttpCli(TComponent* AOwner) : TNetWndControl(AOwner) {
  Socket = TWSocket::Create(this);
  ContCod = std::make_unique<THttpContCodHandler>(&ReceiveStream, THttpWriteEvent(this, &THttpCli::DocumentWrite));
  AllocateWindow();
  Socket->OnSessionConnected = Bind(this, &THttpCli::SocketSessionConnected);
  Socket->OnSessionClosed = Bind(this, &THttpCli::SocketSessionClosed);
  Socket->OnDataAvailable = Bind(this, &THttpCli::SocketDataAvailable);
  Socket->OnDataSent = Bind(this, &THttpCli::SocketDataSent);
  Socket->OnDnsLookupDone = Bind(this, &THttpCli::SocketDnsLookupDone);
  Socket->OnSocksConnected = Bind(this, &THttpCli::SocketSocksConnected);
  Socket->OnSocksError = Bind(this, &THttpCli::SocketSocksError);
  Socket->OnSocksAuthState = Bind(this, &THttpCli::SocketSocksAuthState);
  Socket->OnError = Bind(this, &THttpCli::SocketError);
}

THttpCli::~THttpCli() = default;

void THttpCli::BeforeDestruction() {
  // The socket goes with the client; its close must not call back into it.
  Socket->ClearEvents();
  TNetWndControl::BeforeDestruction();
}

void THttpCli::RegisterMessages() {
  TNetWndControl::RegisterMessages();
  RequestDoneMsg = TakeMessage();
  SetReadyMsg = TakeMessage();
  RestartMsg = TakeMessage();
}

void THttpCli::UnregisterMessages() {
  GiveBackMessage(RestartMsg);
  GiveBackMessage(SetReadyMsg);
  GiveBackMessage(RequestDoneMsg);
  TNetWndControl::UnregisterMessages();
}

void THttpCli::AttachToThread() {
  TNetWndControl::AttachToThread();
  Socket->AttachToThread();
  if (BandwidthTimer && BandwidthTimerWasEnabled) BandwidthTimer->SetEnabled(true);
}

void THttpCli::DetachFromThread() {
  if (BandwidthTimer) {
    BandwidthTimerWasEnabled = BandwidthTimer->GetEnabled();
    BandwidthTimer->SetEnabled(false);
  }
  Socket->DetachFromThread();
  TNetWndControl::DetachFromThread();
}

void THttpCli::Trace(const std::string& text) {
  if (Socket->LogEnabled(loProtSpecInfo)) Socket->WriteLog(loProtSpecInfo, text);
}

void THttpCli::PostOwn(UINT msg) { PostMessageW(GetHandle(), msg, 0, LPARAM(RequestSerial)); }

void THttpCli::PostRequestDone() {
  // The outcome travels with the message: a new request may start before it arrives.
  PostMessageW(GetHandle(), RequestDoneMsg, WPARAM(RequestDoneError), LPARAM((RequestSerial << 8) | RequestType));
}

void THttpCli::HandleMessage(TNetMessage& msg) {
  try {
    if (msg.Msg == RequestDoneMsg && RequestDoneMsg) {
      Trace("RequestDone");
      DoneSerial = uint32_t(msg.LParam) >> 8;
      OnRequestDone(this, THttpRequest(msg.LParam & 0xFF), uint16_t(msg.WParam));
    } else if (msg.Msg == SetReadyMsg && SetReadyMsg) {
      if (uint32_t(msg.LParam) == RequestSerial) SetState(httpReady);
    } else if (msg.Msg == RestartMsg && RestartMsg) {
      if (uint32_t(msg.LParam) == RequestSerial) Login();
    } else {
      TNetWndControl::HandleMessage(msg);
    }
  } catch (const std::exception& e) {
    HandleBgException(e);
  }
}

void THttpCli::SetRequestVer(const std::string& value) {
  if (value != "1.0" && value != "1.1") throw EHttpException("Insupported HTTP version", 5);
  RequestVer = value;
}

THttpCliOptions THttpCli::GetOptions() const {
  THttpCliOptions o = Options;
  o.Exclude(httpoEnableContentCoding);
  o.Exclude(httpoUseQuality);
  if (ContCod->GetEnabled()) o.Include(httpoEnableContentCoding);
  if (ContCod->GetUseQuality()) o.Include(httpoUseQuality);
  return o;
}

void THttpCli::SetOptions(THttpCliOptions value) {
  Options = value;
  ContCod->SetEnabled(value.Contains(httpoEnableContentCoding));
  ContCod->SetUseQuality(value.Contains(httpoUseQuality));
}

void THttpCli::SetMultiThreaded(bool value) {
  MultiThreaded = value;
  Socket->SetMultiThreaded(value);
}

// ---- starting ----

void THttpCli::GetAsync() {
  LocationChangeCurCount = 0;
  StartRequest(httpGET);
}

void THttpCli::ResetResponse() {
  ReceivedHeader->Clear();
  RequestDoneError = 0;
  DocName.clear();
  StatusCode = 0;
  StatusText.clear();
  ReceivedCount = 0;
  HeaderLineCount = BodyCallCount = 0;
  ContentLength = -1;
  ContentType.clear();
  TransferEncoding.clear();
  ContentEncoding.clear();
  SendingBody = false;
  Location = URL;
  AuthHeaders->Clear();
  CloseAfterResponse = RequestVer == "1.0";
  InBody = DocStarted = DocFinished = false;
  AfterContinue = false;
  PostSent = 0;
  RcvBuf.clear();
}

void THttpCli::StartRequest(THttpRequest kind) {
  if (kind != httpCLOSE && State != httpReady) throw EHttpException("HTTP component " + GetName() + " is busy", 1);
  if ((kind == httpPOST || kind == httpPUT) && !PostStream)
    throw EHttpException("HTTP component has nothing to post or put", 2);
  ++RequestSerial;
  if (kind == httpCLOSE) {
    RequestType = httpCLOSE;
    StatusCode = 200;
    StatusText = "OK";
    auto alive = AliveToken();
    SetState(httpClosing);
    if (!*alive) return;
    if (Socket->GetState() == wsClosed) PostOwn(SetReadyMsg);
    else Socket->CloseLater();
    return;
  }
  RequestType = kind;
  ResetResponse();
  CurrUser = Username;
  CurrPass = Password;
  ConnectionValue = Connection;
  ProxyConnectionValue = ProxyConnection;
  std::string proto, user, pass, host, port, path;
  SplitUrl(URL, proto, user, pass, host, port, path);
  Protocol = proto.empty() ? "http" : proto;
  if (path.empty()) path = "/";
  HostName = host;
  TargetPort = port.empty() ? "80" : port;
  if (Proxy.empty()) {
    Path = path;
    ConnectHost = host;
    ConnectPort = TargetPort;
  } else {
    Path = Protocol + "://" + host + (port.empty() ? "" : ":" + port) + path;
    std::string pp, pu, ppw, ph, pport, ppath;
    SplitUrl(Proxy, pp, pu, ppw, ph, pport, ppath);
    ConnectHost = ph;
    ConnectPort = pport.empty() ? ProxyPort : pport;
  }
  if (!user.empty()) {
    CurrUser = user;
    CurrPass = pass;
  }
  DeriveDocName();
  AuthNTLMState = ProxyAuthNTLMState = AuthBasicState = ProxyAuthBasicState = 0;
  ArmPreemptiveAuth();
  auto alive = AliveToken();
  if (Socket->GetState() == wsConnected && !SameConnection()) {
    Socket->Abort();
    if (!*alive) return;
  }
  SetState(httpNotConnected);
  if (*alive) Login();
}

bool THttpCli::SameConnection() const {
  return Socket->GetState() == wsConnected && LowerCase(ConnHost) == LowerCase(ConnectHost) &&
         ConnPort == ConnectPort && ConnProto == Protocol;
}

void THttpCli::DeriveDocName() {
  std::string p = Proxy.empty() ? Path : Path.substr(std::min(Path.size(), Path.find('/', Path.find("://") + 3)));
  std::string head = p.substr(0, p.find('?'));
  if (head.empty() || head.back() == '/') {
    DocName = "document.htm";
    return;
  }
  DocName = head.substr(head.rfind('/') + 1);
}

void THttpCli::Login() {
  Trace("Login " + ConnectHost);
  Socket->OnSessionClosed = Bind(this, &THttpCli::SocketSessionClosed);
  if (Socket->GetState() == wsConnected) {
    SessionConnected(0);
    return;
  }
  auto alive = AliveToken();
  SetState(httpDnsLookup);
  if (!*alive) return;
  try {
    Socket->SetLocalAddr(LocalAddr);
    Socket->DnsLookup(ConnectHost);
  } catch (const std::exception& e) {
    StatusCode = 404;
    StatusText = e.what();
    // A look-up that cannot even start is a failure all the same.
    if (RequestDoneError == 0) RequestDoneError = uint16_t(Socket->GetLastError() ? Socket->GetLastError() : 11001);
    SetState(httpReady);
  }
}

void THttpCli::SocketDnsLookupDone(TObject*, uint16_t error) {
  if (State != httpDnsLookup) return;
  if (error) {
    RequestDoneError = error;
    StatusCode = 404;
    StatusText = "can't resolve hostname to IP address";
    SessionClosed(error);
    return;
  }
  auto alive = AliveToken();
  SetState(httpDnsLookupDone);
  if (!*alive) return;
  Socket->SetAddr(Socket->GetLookupResult());
  Socket->SetLocalAddr(LocalAddr);
  Socket->SetPort(ConnectPort);
  Socket->SetProto("tcp");
  Socket->SetSocksServer(SocksServer);
  Socket->SetSocksPort(SocksPort);
  Socket->SetSocksLevel(SocksLevel);
  Socket->SetSocksUsercode(SocksUsercode);
  Socket->SetSocksPassword(SocksPassword);
  Socket->SetSocksAuthentication(SocksAuthentication);
  ConnHost = ConnectHost;
  ConnPort = ConnectPort;
  ConnProto = Protocol;
  if (Protocol != "http") {
    RequestDoneError = uint16_t(Socket->GetLastError() ? Socket->GetLastError() : httperrProtocol);
    StatusCode = 501;
    StatusText = "Protocol \"" + Protocol + "\" not implemented";
    Socket->Close();
    SessionClosed(0);
    return;
  }
  Trace("connect to " + Socket->GetAddr() + "/" + ConnectPort);
  std::string failure;
  try {
    Socket->Connect();
    if (!*alive) return;
    if (Socket->GetState() != wsConnecting && Socket->GetState() != wsConnected) failure = "failed";
  } catch (const std::exception&) {
    if (!*alive) return;
    failure = "raised";
  }
  if (!failure.empty()) {
    int code = Socket->GetLastError() ? Socket->GetLastError() : WSAECONNREFUSED;
    RequestDoneError = uint16_t(code);
    StatusCode = 404;
    StatusText = "can't connect: " + WinsockErrorText(code) + " (Error #" + std::to_string(code) + ")";
    // The end is reported once, below, and not by the socket's close too.
    Socket->OnSessionClosed = nullptr;
    Socket->Close();
    Socket->OnSessionClosed = Bind(this, &THttpCli::SocketSessionClosed);
    SessionClosed(0);
  }
}

void THttpCli::SocketSessionConnected(TObject*, uint16_t error) {
  if (State != httpDnsLookupDone) return;
  SessionConnected(error);
}

void THttpCli::SessionConnected(uint16_t error) {
  Trace("SessionConnected");
  if (error) {
    RequestDoneError = error;
    StatusCode = 404;
    StatusText = WinsockErrorText(error) + " (Error #" + std::to_string(error) + ")";
    OnSessionConnected(this);
    return;
  }
  Relocating = false;
  Connected = true;
  // An event handler may free the client: nothing is touched after that.
  auto alive = AliveToken();
  SetState(httpConnected);
  if (!*alive) return;
  OnSessionConnected(this);
  if (!*alive) return;
  SetState(httpWaitingHeader);
  if (!*alive) return;
  RcvBuf.clear();
  static const char* const methods[] = {"", "GET", "POST", "PUT", "HEAD", ""};
  try {
    SendRequest(methods[RequestType], RequestVer);
    if (!*alive) return;
    if ((RequestType == httpPOST || RequestType == httpPUT) && AuthNTLMState != 1 && ProxyAuthNTLMState != 1) {
      OnSendBegin(this);
      if (!*alive) return;
      SendingBody = true;
      SendBodyBlock();
    }
  } catch (const std::exception&) {
    if (*alive) Socket->Close();
  }
}

void THttpCli::SendBodyBlock() {
  char block[8192];
  int n = PostStream ? PostStream->Read(block, sizeof block) : 0;
  if (n <= 0) {
    SendingBody = false;
    OnSendEnd(this);
    return;
  }
  PostSent += n;
  auto alive = AliveToken();
  OnSendData(this, block, n);
  if (*alive) Socket->Send(block, n);
}

void THttpCli::SocketDataSent(TObject*, uint16_t) {
  if (SendingBody) SendBodyBlock();
}

// ---- the request header ----

void THttpCli::SendHeaderLine(const std::string& line) {
  std::string l = line;
  auto alive = AliveToken();
  OnCommand(this, l);
  if (!*alive) return;
  // A line the handler emptied is left out: an empty line inside the header
  // would end it there.
  if (l.empty() && !line.empty()) return;
  Socket->QueueText(l + "\r\n");
}

void THttpCli::SendRequest(const std::string& method, const std::string& version) {
  // Any handler below may free the client: nothing is touched after that.
  auto alive = AliveToken();
  OnRequestHeaderBegin(this);
  if (!*alive) return;
  TOwned<TStringList> lines = MakeOwned<TStringList>();
  auto add = [&](const std::string& name, const std::string& value) {
    if (!value.empty()) lines->Add(name + value);
  };
  lines->Add(method + " " + Path + " HTTP/" + version);
  add("From: ", Sender);
  add("Accept: ", Accept);
  add("Referer: ", Reference);
  add("Connection: ", ConnectionValue);
  add("Accept-Language: ", AcceptLanguage);
  if (RequestType != httpHEAD) add("Accept-Encoding: ", ContCod->HeaderText());
  bool posting = RequestType == httpPOST || RequestType == httpPUT;
  if (posting) add("Content-Type: ", ContentTypePost);
  add("User-Agent: ", Agent);
  add("Host: ", HostName + (TargetPort == "80" || TargetPort.empty() ? "" : ":" + TargetPort));
  if (NoCache) lines->Add("Pragma: no-cache");
  add("Proxy-Connection: ", ProxyConnectionValue);
  if (posting) {
    bool ntlmFirst = AuthNTLMState == 1 || ProxyAuthNTLMState == 1;
    int64_t size = ntlmFirst || !PostStream ? 0 : PostStream->GetSize() - PostStream->GetPosition();
    lines->Add("Content-Length: " + std::to_string(size));
  }
  // The date is given in GMT, as the header requires.
  if (ModifiedSince != 0) lines->Add("If-Modified-Since: " + RfcDateText(LocalToUTC(ModifiedSince)) + " GMT");
  AddAuthorizationLines(lines.get());
  add("Cookie: ", Cookie);
  if (!ContentRangeBegin.empty() || !ContentRangeEnd.empty()) {
    lines->Add("Range: bytes=" + ContentRangeBegin + "-" + ContentRangeEnd);
    ContentRangeBegin.clear();
    ContentRangeEnd.clear();
  }
  AcceptRanges.clear();
  if (Socket->LogEnabled(loProtSpecInfo)) {
    Trace(std::to_string(lines->GetCount()) + " header lines to send\r\n" + lines->GetText());
  }
  OnBeforeHeaderSend(this, method, lines.get());
  if (!*alive) return;
  for (int i = 0; i < lines->GetCount(); ++i) {
    SendHeaderLine(lines->GetStrings(i));
    if (!*alive) return;
  }
  OnRequestHeaderEnd(this);
  if (!*alive) return;
  SendHeaderLine("");
  if (!*alive) return;
  if (GetOptions().Contains(httpoBandwidthControl)) StartBandwidthControl();
  Socket->Send(nullptr, 0);  // the whole header leaves in one piece
  Trace("SendRequest Done");
}

// ---- the response ----

void THttpCli::SocketDataAvailable(TObject*, uint16_t) { HandleSocketData(); }

void THttpCli::HandleSocketData() {
  // Large blocks while data is waiting: each read costs a system call whatever
  // its size; under bandwidth control small ones, to pause in time. The block
  // is set aside while in use, since a handler that pumps messages may bring
  // the next data in first; that then reads into its own.
  bool limited = GetOptions().Contains(httpoBandwidthControl);
  auto alive = AliveToken();
  std::vector<char> block;
  block.swap(RcvBlock);
  block.resize(ReceiveBlockSize);
  struct GiveBack {
    THttpCli* Client;
    std::vector<char>& Block;
    const std::shared_ptr<const bool>& Alive;
    ~GiveBack() {
      if (*Alive && Client->RcvBlock.empty()) Client->RcvBlock.swap(Block);
    }
  } giveBack{this, block, alive};
  int n = Socket->Receive(block.data(), limited ? 8192 : ReceiveBlockSize);
  if (n <= 0) return;
  Trace("Data available. Len=" + std::to_string(n));
  if (State == httpReady || State == httpAborting) {
    OnDataPush(this);
    return;
  }
  if (limited) {
    BandwidthCount += n;
    if (BandwidthCount > BandwidthMaxCount && !BandwidthPaused) {
      BandwidthPaused = true;
      Socket->Pause();
    }
  }
  const char* data = block.data();
  size_t len = size_t(n);
  if (RcvBuf.empty() && State == httpWaitingBody && InBody && RequestType != httpHEAD) {
    // Body bytes with nothing held before them go to the document from the block.
    size_t took = TakeBodyBytes(data, len);
    if (!*alive) return;
    if (!InBody) return;  // what follows the document is not ours
    data += took;
    len -= took;
  }
  RcvBuf.append(data, len);
  while (*alive && !RcvBuf.empty()) {
    if (State == httpWaitingHeader) {
      size_t lf = RcvBuf.find('\n');
      if (lf == std::string::npos) {
        if (RcvBuf.size() > MaxHeaderLine) {
          // A header line without end: the response cannot be read.
          RequestDoneError = httperrBadResponse;
          StatusText = "Header line too long";
          RcvBuf.clear();
          Socket->Abort();
        }
        return;
      }
      std::string line = RcvBuf.substr(0, lf);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      RcvBuf.erase(0, lf + 1);
      HandleHeaderLine(line);
      continue;
    }
    if (State == httpWaitingBody && InBody) {
      if (RequestType == httpHEAD) {
        RcvBuf.clear();
        Socket->Abort();
        return;
      }
      // Taken out first: finishing the document may start over with a clean buffer.
      std::string held;
      held.swap(RcvBuf);
      size_t took = TakeBodyBytes(held.data(), held.size());
      if (!*alive) return;
      if (!InBody) {
        RcvBuf.clear();  // what follows the document is not ours
        return;
      }
      RcvBuf.insert(0, held, took, std::string::npos);
      continue;
    }
    if (State == httpWaitingBody) return;  // a body without handler (HEAD) waits for the close
    OnDataPush(this);
    if (!*alive) return;
    RcvBuf.clear();
  }
}

// Gives the document what belongs to it of the bytes; the count taken.
size_t THttpCli::TakeBodyBytes(const char* data, size_t len) {
  bool chunked = TransferEncoding.find("chunked") != std::string::npos;
  if (ContentLength >= 0 && !chunked) len = size_t(std::min<int64_t>(int64_t(len), ContentLength - ReceivedCount));
  GetBodyLineNext(data, int(len));
  return len;
}

void THttpCli::HandleHeaderLine(const std::string& line) {
  bool first = HeaderLineCount == 0;
  auto alive = AliveToken();
  if (first && !AfterContinue) {
    OnHeaderBegin(this);
    if (!*alive) return;
    if (StartsTextCi(line, "<HTML>") || StartsTextCi(line, "<!DOCTYPE")) {
      if (ContentType.empty()) ContentType = "text/html";
      SetState(httpWaitingBody);
      if (!*alive) return;
      OnHeaderEnd(this);
      if (!*alive) return;
      InBody = true;
      RcvBuf.insert(0, line + "\n");
      return;
    }
  }
  ++HeaderLineCount;
  if (!line.empty()) {
    ReceivedHeader->Add(line);
    if (first) {
      if (line.rfind("HTTP/1.0", 0) == 0 || line.rfind("HTTP/1.1", 0) == 0) {
        ResponseVersion = line.substr(5, 3);
        CloseAfterResponse = !(RequestVer == "1.1" && ResponseVersion == "1.1");
        size_t d = line.find_first_of("0123456789", std::min<size_t>(9, line.size()));
        if (d != std::string::npos) {
          StatusCode = std::atoi(line.substr(d, 3).c_str());
          StatusText = d + 4 <= line.size() ? line.substr(d + 4) : "";
        }
      } else {
        OnDataPush2(this);
        if (!*alive) return;
      }
    } else {
      size_t colon = line.find(':');
      if (colon != std::string::npos) {
        std::string key = LowerCase(Trim(line.substr(0, colon)));
        size_t v = colon + 1;
        while (v < line.size() && line[v] == ' ') ++v;
        std::string value = line.substr(v);
        if (key == "location") {
          if (RequestType == httpPUT || !FollowRelocation) Location = value;
          else TakeLocation(value);
        } else if (key == "content-length") {
          if (!ParseInt64(value, ContentLength)) ContentLength = -1;
        } else if (key == "transfer-encoding") {
          TransferEncoding = LowerCase(value);
        } else if (key == "content-range") {
          size_t dash = value.find('-'), slash = value.find('/');
          if (dash != std::string::npos && dash > 6) ContentRangeBegin = value.substr(6, dash - 6);
          if (dash != std::string::npos) ContentRangeEnd = value.substr(dash + 1, slash - dash - 1);
        } else if (key == "accept-ranges") {
          AcceptRanges = value;
        } else if (key == "content-type") {
          ContentType = LowerCase(value);
        } else if (key == "www-authenticate" || key == "proxy-authenticate") {
          AuthHeaders->Add(value);
        } else if (key == "set-cookie") {
          bool accept = true;
          OnCookie(this, value, accept);
          if (!*alive) return;
        } else if (key == "connection" || key == "proxy-connection") {
          if (LowerCase(value) == "close") CloseAfterResponse = true;
          else if (LowerCase(value) == "keep-alive") CloseAfterResponse = false;
        } else if (key == "content-encoding") {
          ContentEncoding = value;
        }
      }
    }
    OnHeaderData(this);
    return;
  }
  Trace("End of header");
  if (StatusCode == 100 && ResponseVersion == "1.1") {
    // The next lines form the real header, status line first.
    ReceivedHeader->Clear();
    HeaderLineCount = 0;
    AfterContinue = true;
    return;
  }
  OnHeaderEnd(this);
  if (!*alive) return;
  bool chunked = TransferEncoding.find("chunked") != std::string::npos;
  bool noBody = ContentLength == 0 || RequestType == httpHEAD ||
                (ContentLength == -1 && !chunked &&
                 (StatusCode < 200 || StatusCode == 204 || StatusCode == 301 || StatusCode == 302 ||
                  StatusCode == 304 || StatusCode == 401 || StatusCode == 407));
  if (noBody) {
    SetState(RequestType == httpHEAD ? httpWaitingBody : httpBodyReceived);
    if (!*alive) return;
    DocFinished = true;
    DocumentComplete();
    return;
  }
  if (ContentType == "text/html") {
    size_t dot = DocName.rfind('.');
    std::string ext = dot == std::string::npos ? "" : LowerCase(DocName.substr(dot + 1));
    if (dot == std::string::npos) DocName += ".htm";
    else if (ext == "exe") DocName = DocName.substr(0, dot) + ".htm";
  }
  SetState(httpWaitingBody);
  if (!*alive) return;
  InBody = true;
}

void THttpCli::DocumentWrite(const void* buffer, int count) { OnDocData(this, buffer, count); }

void THttpCli::GetBodyLineNext(const char* data, int len) {
  Trace("GetBodyLineNext begin");
  auto alive = AliveToken();
  if (BodyCallCount++ == 0) {
    ChunkState = 0;
    ChunkLength = ChunkRemaining = 0;
    ChunkDigits = 0;
    DocStarted = true;
    Trace("DocBegin");
    OnDocBegin(this);
    if (!*alive) return;
    ContCod->Prepare(ContentEncoding);
    ReceiveStreamStart = ReceiveStream ? ReceiveStream->GetSize() : 0;
  }
  if (TransferEncoding.find("chunked") == std::string::npos) {
    ContCod->WriteInput(data, len);
    if (!*alive) return;
    ReceivedCount += len;
    if (ContentLength >= 0 && ReceivedCount >= ContentLength) {
      Trace("End of document");
      FinishDocument();
      if (*alive) DocumentComplete();
    }
    return;
  }
  for (int i = 0; i < len && InBody;) {
    char c = data[i];
    switch (ChunkState) {
      case 0:
        if (IsHexDigitChar(c)) {
          // More hex digits than any real chunk needs: the size is refused.
          if (++ChunkDigits > MaxChunkSizeDigits) {
            RequestDoneError = httperrBadResponse;
            StatusText = "Chunk size too long";
            InBody = false;
            Socket->Abort();
            return;
          }
          ChunkLength = ChunkLength * 16 + HexDigitValue(c);
          ++i;
        } else {
          Trace("ChunkLength = " + std::to_string(ChunkLength));
          ChunkState = 1;
        }
        break;
      case 1:
        if (c == '\n') {
          ChunkState = ChunkLength == 0 ? 4 : 2;
          ChunkRemaining = ChunkLength;
        }
        ++i;
        break;
      case 2: {
        int n = int(std::min<int64_t>(ChunkRemaining, len - i));
        ContCod->WriteInput(data + i, n);
        if (!*alive) return;
        ReceivedCount += n;
        ChunkRemaining -= n;
        i += n;
        if (ChunkRemaining == 0) ChunkState = 3;
        break;
      }
      case 3:
        if (c == '\n') {
          ChunkState = 0;
          ChunkLength = 0;
          ChunkDigits = 0;
        }
        ++i;
        break;
      default:
        i = len;
        break;
    }
    if (ChunkState == 4) {
      Trace("httpChunkDone, end of document");
      FinishDocument();
      if (*alive) DocumentComplete();
      return;
    }
  }
  Trace("GetBodyLineNext end");
}

void THttpCli::FinishDocument() {
  BodyCallCount = 0;
  InBody = false;
  DocFinished = true;
  auto alive = AliveToken();
  SetState(httpBodyReceived);
  if (!*alive) return;
  StopBandwidthTimer();
  ContCod->Complete();
  Trace("DocEnd");
  OnDocEnd(this);
}

void THttpCli::DocumentComplete() {
  if (Relocating) StartRelocation();
  else if (CloseAfterResponse) Socket->CloseLater();
  else PostOwn(SetReadyMsg);
}

void THttpCli::SocketSessionClosed(TObject*, uint16_t error) { SessionClosed(error); }

void THttpCli::SessionClosed(uint16_t error) {
  Trace("SessionClosed Error: " + std::to_string(error));
  if (error && !RequestDoneError) RequestDoneError = error;
  Connected = false;
  auto alive = AliveToken();
  bool chunked = TransferEncoding.find("chunked") != std::string::npos;
  if (State == httpWaitingHeader) {
    if (HeaderLineCount > 0) OnHeaderEnd(this);
    if (!*alive) return;
    // The connection ended before the response did.
    if (!RequestDoneError) RequestDoneError = httperrTruncated;
  } else if (DocStarted && !DocFinished) {
    StopBandwidthTimer();
    if ((ContentLength >= 0 || chunked) && !RequestDoneError) RequestDoneError = httperrTruncated;
    BodyCallCount = 0;
    InBody = false;
    DocFinished = true;
    ContCod->Complete();
    OnDocEnd(this);
    if (!*alive) return;
  } else if (State == httpWaitingBody && InBody && !DocStarted && (ContentLength > 0 || chunked)) {
    if (!RequestDoneError) RequestDoneError = httperrTruncated;
  }
  if (Relocating && State != httpAborting && !RequestDoneError) {
    RelocationClosed(this, error);
    return;
  }
  OnSessionClosed(this);
  if (*alive && State != httpReady) PostOwn(SetReadyMsg);
}

void THttpCli::SetState(THttpClientState s) {
  if (s == State) return;
  State = s;
  Trace(std::string("State = ") + (unsigned(s) <= httpAborting ? kStateNames[s] : "INVALID STATE"));
  auto alive = AliveToken();
  OnStateChange(this);
  if (!*alive || s != httpReady) return;
  UpdateNTLMStates();
  UpdateBasicStates();
  bool restart = false;
  if (!PrepareNTLMAuth(restart) && !PrepareBasicAuth(restart)) {
    PostRequestDone();
    return;
  }
  if (StatusCode == 401) {
    if (CloseAfterResponse) {
      if (ProxyAuthNTLMState == 4) ProxyAuthNTLMState = 1;
      else if (ProxyAuthBasicState == 2) ProxyAuthBasicState = 1;
    } else {
      if (ProxyAuthNTLMState < 4) ProxyAuthNTLMState = 0;
      else if (ProxyAuthBasicState < 2) ProxyAuthBasicState = 0;
    }
  }
  if (restart) RewindForRestart();
}

void THttpCli::RewindForRestart() {
  if (ReceiveStream) ReceiveStream->SetSize(ReceiveStreamStart);
  if (PostStream) PostStream->SetPosition(std::max<int64_t>(0, PostStream->GetPosition() - PostSent));
  std::string keepDoc = DocName;
  ResetResponse();
  DocName = keepDoc;
}

void THttpCli::Abort() {
  auto alive = AliveToken();
  if (State != httpReady) {
    THttpClientState was = State;
    SetState(httpAborting);
    if (!*alive) return;
    try {
      Socket->CancelLookup();
    } catch (...) {
    }
    if (!*alive) return;
    StatusCode = 404;
    StatusText = "Connection aborted on request";
    RequestDoneError = httperrAborted;
    Relocating = false;
    if (was == httpDnsLookup) SessionClosed(httperrAborted);
    else Socket->Abort();
    if (!*alive) return;
    State = httpAborting;  // SessionClosed may not change the outcome
    SetState(httpReady);
    return;
  }
  State = httpAborting;
  if (Socket->GetState() != wsClosed) {
    Socket->Abort();
    if (!*alive) return;
  }
  StatusCode = 200;
  StatusText = "OK";
  RequestDoneError = 0;
  State = httpReady;
  OnStateChange(this);
  if (*alive) OnRequestDone(this, RequestType, 0);
}

void THttpCli::RunRequestBlocking(THttpRequest kind) {
  auto alive = AliveToken();
  StartRequest(kind);
  if (!*alive) return;
  uint32_t mine = RequestSerial;
  // Until this request's done message has been delivered: the state passes
  // through ready between the steps of an authentication.
  while (DoneSerial != mine) {
    if (MultiThreaded) {
      Socket->PumpMessages();
      Sleep(0);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, 0x1C5);
      PumpPending();
    }
    if (!*alive) return;
    if (IsTerminating()) {
      Abort();
      if (!*alive) return;
      break;
    }
  }
  if (StatusCode > 399 && StatusCode != 401 && StatusCode != 407) throw EHttpException(StatusText, uint16_t(StatusCode));
}

// ---- pass-through of socket events ----

void THttpCli::SocketSocksConnected(TObject*, uint16_t error) { OnSocksConnected(this, error); }
void THttpCli::SocketSocksError(TObject*, int error, const std::string& msg) { OnSocksError(this, error, msg); }
void THttpCli::SocketSocksAuthState(TObject*, TSocksAuthState state) { OnSocksAuthState(this, state); }
void THttpCli::SocketError(TObject*) { OnSocketError(this); }

// ---- bandwidth ----

void THttpCli::StartBandwidthControl() {
  if (!BandwidthTimer) BandwidthTimer = new TNetTimer(this);
  BandwidthTimer->SetEnabled(false);
  BandwidthTimer->SetInterval(BandwidthSampling);
  BandwidthTimer->SetOnTimer(Bind(this, &THttpCli::BandwidthTick));
  BandwidthTimer->SetEnabled(true);
  BandwidthMaxCount = int64_t(BandwidthLimit) * int64_t(BandwidthSampling) / 1000;
  BandwidthCount = 0;
  BandwidthPaused = false;
  TWSocketOptions o = Socket->GetComponentOptions();
  o.Include(wsoNoReceiveLoop);
  Socket->SetComponentOptions(o);
}

void THttpCli::StopBandwidthTimer() {
  if (BandwidthTimer) BandwidthTimer->SetEnabled(false);
  if (BandwidthPaused) {
    BandwidthPaused = false;
    Socket->Resume();
  }
}

void THttpCli::BandwidthTick(TObject*) {
  if (BandwidthPaused) {
    BandwidthPaused = false;
    BandwidthCount -= BandwidthMaxCount;
    Socket->Resume();
  } else {
    BandwidthCount = 0;
  }
}

}  // namespace sonvelt::net
