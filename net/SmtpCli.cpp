#include "net/SmtpCli.h"

#include <algorithm>
#include <cstdlib>

#include "framework/MathUtils.h"
#include "net/Md5.h"
#include "net/NetException.h"
#include "net/Ntlm.h"
#include "net/Sha1.h"

namespace sonvelt::net {
namespace {

uint32_t Bit(TSmtpStep s) { return 1u << unsigned(s); }

// The number at the start of a reply line, and whether a '-' follows it.
int ReplyCode(const std::string& line, bool& continued) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
  int code = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) code = code * 10 + (line[i] - '0');
  continued = i < line.size() && line[i] == '-';
  return negative ? -code : code;
}

}  // namespace

TCustomSmtpClient::TCustomSmtpClient(TComponent* AOwner) : TNetWndControl(AOwner) {
  AllocateWindow();
  Socket = TWSocket::Create(this);
  Socket->OnSessionClosed = Bind(this, &TCustomSmtpClient::HandleSessionClosed);
  // A message goes out in batches of lines: blocks of one segment would take
  // a send call each.
  Socket->SetBufSize(64 * 1024);
  Randomize();
}

TCustomSmtpClient::~TCustomSmtpClient() = default;

void TCustomSmtpClient::BeforeDestruction() {
  // The socket goes with the client; its close must not call back into it.
  Socket->ClearEvents();
  TNetWndControl::BeforeDestruction();
}

void TCustomSmtpClient::RegisterMessages() {
  TNetWndControl::RegisterMessages();
  RequestDoneMsg = TakeMessage();
  NextLineMsg = TakeMessage();
  SpareMsg = TakeMessage();
}

void TCustomSmtpClient::UnregisterMessages() {
  GiveBackMessage(SpareMsg);
  GiveBackMessage(NextLineMsg);
  GiveBackMessage(RequestDoneMsg);
  TNetWndControl::UnregisterMessages();
}

void TCustomSmtpClient::AttachToThread() {
  TNetWndControl::AttachToThread();
  Socket->AttachToThread();
}

void TCustomSmtpClient::DetachFromThread() {
  Socket->DetachFromThread();
  TNetWndControl::DetachFromThread();
}

void TCustomSmtpClient::HandleMessage(TNetMessage& msg) {
  try {
    if (msg.Msg == RequestDoneMsg && RequestDoneMsg)
      OnRequestDone(this, TSmtpRequest(msg.WParam), uint16_t(msg.LParam & 0xFFFF));
    else if (msg.Msg == NextLineMsg && NextLineMsg)
      SendNextLine();
    else
      TNetWndControl::HandleMessage(msg);
  } catch (const std::exception& e) {
    HandleBgException(e);
  }
}

void TCustomSmtpClient::HandleBgException(const std::exception& e) {
  bool canClose = true;
  if (OnBgException) {
    try {
      OnBgException(this, e, canClose);
    } catch (...) {
    }
  }
  if (canClose && *AliveToken()) {
    try {
      Abort();
    } catch (...) {
    }
  }
}

void TCustomSmtpClient::SetContentType(TSmtpContentType value) {
  ContentType = value;
  ContentTypeText = value == smtpHtml ? "text/html" : "text/plain";
}

bool TCustomSmtpClient::SetState(TSmtpState s) {
  if (State == s) return true;
  State = s;
  auto alive = AliveToken();
  OnStateChange(this);
  return *alive;
}

void TCustomSmtpClient::EnsureReady() {
  if (State != smtpReady && State != smtpInternalReady) throw SmtpException("SMTP component not ready");
}

void TCustomSmtpClient::KeepFirstError() {
  if (ErrorMessage.empty()) ErrorMessage = LastResponse;
}

void TCustomSmtpClient::TriggerResponse(const std::string& msg) {
  if (CurrentStep == stepEhlo) {
    // Mechanisms announced in the EHLO reply.
    std::string l = UpperCase(Trim(msg));
    if (l.size() > 9) {
      l = l.substr(4);
      if (l.rfind("AUTH ", 0) == 0 || l.rfind("AUTH=", 0) == 0) {
        std::string rest = l.substr(5);
        std::replace(rest.begin(), rest.end(), '=', ' ');
        size_t pos = 0;
        while (pos < rest.size()) {
          size_t end = rest.find(' ', pos);
          std::string word = rest.substr(pos, end - pos);
          if (!word.empty() && AuthTypes->IndexOf(word) < 0) AuthTypes->Add(word);
          if (end == std::string::npos) break;
          pos = end + 1;
        }
      }
    }
  }
  OnResponse(this, msg);
}

void TCustomSmtpClient::WriteCommand(const std::string& text) {
  auto alive = AliveToken();
  TriggerCommand(text);
  if (*alive) TriggerDisplay("> " + text);
  if (*alive && Socket->GetState() == wsConnected) Socket->SendText(text + "\r\n");
}

void TCustomSmtpClient::StartCommand(TSmtpRequest rq, const std::string& text, std::initializer_list<int> codes,
                                     TNextStep next) {
  EnsureReady();
  if (!Connected) throw SmtpException("SMTP component not connected");
  if (!Composite) RequestType = rq;
  OkResponses.assign(codes.begin(), codes.end());
  RequestDoneFlag = false;
  Replying = true;
  Next = next;
  if (SetState(smtpWaitingResponse)) WriteCommand(text);
}

void TCustomSmtpClient::TriggerRequestDone(uint16_t error) {
  if (RequestDoneFlag) return;
  RequestDoneFlag = true;
  if (Composite) {
    if (State != smtpAbort && !SetState(smtpInternalReady)) return;
    RunNextStep();
    return;
  }
  if (!SetState(smtpReady)) return;
  Composite = false;
  PostMessageW(GetHandle(), RequestDoneMsg, WPARAM(RequestType), LPARAM(error));
}

void TCustomSmtpClient::FailRequest(int code, const std::string& response) {
  LastResponse = response;
  StatusCode = code;
  RequestResult = code;
  KeepFirstError();
  TriggerRequestDone(uint16_t(code));
}

// ---- connection ----

void TCustomSmtpClient::Connect() {
  EnsureReady();
  if (Connected) throw SmtpException("SMTP component already connected");
  if (!Composite) RequestType = smtpConnect;
  ReplyBuffer.clear();
  RequestResult = StatusCode = 0;
  PendingFailure = 0;
  EsmtpSupported = false;
  ErrorMessage.clear();
  LastResponse.clear();
  RequestDoneFlag = false;
  if (!SetState(smtpDnsLookup)) return;
  Socket->OnDataSent = nullptr;
  Socket->OnDnsLookupDone = Bind(this, &TCustomSmtpClient::HandleLookupDone);
  Socket->DnsLookup(Host);
}

void TCustomSmtpClient::HandleLookupDone(TObject*, uint16_t error) {
  if (State != smtpDnsLookup) return;
  if (error) {
    LastResponse = "500 " + WinsockErrorText(error) + " (Winsock error #" + std::to_string(error) + ")";
    StatusCode = 500;
    KeepFirstError();
    RequestResult = error;
    auto alive = AliveToken();
    OnSessionConnected(this, error);
    if (!*alive) return;
    OnSessionClosed(this, error);
    if (*alive) TriggerRequestDone(error);
    return;
  }
  auto alive = AliveToken();
  try {
    Socket->SetAddr(Socket->GetLookupResult());
    Socket->SetLocalAddr(LocalAddr);
    Socket->SetProto("tcp");
    Socket->SetPort(Port);
    Socket->OnSessionConnected = Bind(this, &TCustomSmtpClient::HandleSessionConnected);
    Socket->OnDataAvailable = Bind(this, &TCustomSmtpClient::HandleReply);
    if (!SetState(smtpConnecting)) return;
    Socket->Connect();
  } catch (const Exception& e) {
    if (!*alive) return;
    LastResponse = "500 " + e.ClassName() + ": " + e.GetMessage();
    StatusCode = RequestResult = 500;
    KeepFirstError();
    TriggerRequestDone(uint16_t(Socket->GetLastError() ? Socket->GetLastError() : 500));
  }
}

void TCustomSmtpClient::HandleSessionConnected(TObject*, uint16_t error) {
  if (error == 0) {
    Connected = true;
    SetState(smtpWaitingBanner);
    return;
  }
  LastResponse = "500 " + WinsockErrorText(error) + " (Winsock error #" + std::to_string(error) + ")";
  StatusCode = RequestResult = 500;
  KeepFirstError();
  auto alive = AliveToken();
  TriggerRequestDone(error);
  if (!*alive) return;
  Socket->Close();
  if (*alive) SetState(smtpReady);
}

void TCustomSmtpClient::HandleSessionClosed(TObject*, uint16_t error) {
  Connected = false;
  auto alive = AliveToken();
  OnSessionClosed(this, error);
  if (!*alive) return;
  uint16_t code = PendingFailure ? PendingFailure : (CurrentStep == stepQuit ? 0 : 10004);
  if (code && !RequestResult) RequestResult = code;
  TriggerRequestDone(code);
}

// ---- replies ----

void TCustomSmtpClient::HandleReply(TObject*, uint16_t error) {
  char buf[ReplyBufferSize];
  int room = ReplyBufferSize - 1 - int(ReplyBuffer.size());
  if (room > 0) {
    int n = Socket->Receive(buf, room);
    if (n > 0) ReplyBuffer.append(buf, size_t(n));
  }
  // Every handler below may free the client: nothing is touched after that.
  auto alive = AliveToken();
  while (*alive && !ReplyBuffer.empty()) {
    size_t crlf = ReplyBuffer.find("\r\n");
    if (crlf == std::string::npos) {
      if (int(ReplyBuffer.size()) >= ReplyBufferSize - 1) {
        // A reply line longer than the buffer: the request fails instead of
        // waiting for an end that cannot fit.
        ReplyBuffer.clear();
        PendingFailure = 500;
        LastResponse = "500 Reply line too long";
        StatusCode = RequestResult = 500;
        KeepFirstError();
        Socket->Abort();
      }
      return;
    }
    LastResponse = ReplyBuffer.substr(0, crlf);
    ReplyBuffer.erase(0, crlf + 2);
    TriggerResponse(LastResponse);
    if (!*alive) return;
    if (State == smtpWaitingBanner) {
      TriggerDisplay("< " + LastResponse);
      if (!*alive) return;
      bool more;
      StatusCode = ReplyCode(LastResponse, more);
      if (more) continue;
      if (StatusCode != 220) {
        KeepFirstError();
        RequestResult = StatusCode;
        PendingFailure = uint16_t(StatusCode);
        Socket->Close();
        return;
      }
      if (!SetState(smtpConnected)) return;
      OnSessionConnected(this, error);
      if (!*alive) return;
      TriggerRequestDone(0);
    } else if (State == smtpWaitingResponse) {
      if (!Replying) throw SmtpException("Program error: FNext is nil");
      JudgeReply();
    } else {
      TriggerDisplay("< " + LastResponse);
    }
  }
}

void TCustomSmtpClient::JudgeReply() {
  auto alive = AliveToken();
  TriggerDisplay("< " + LastResponse);
  if (!*alive) return;
  bool more;
  StatusCode = ReplyCode(LastResponse, more);
  if (more) return;
  if (StatusCode == 0) StatusCode = 20600;
  if (!OkResponses.empty()) {
    if (std::find(OkResponses.begin(), OkResponses.end(), StatusCode) != OkResponses.end()) {
      RequestResult = 0;
    } else {
      RequestResult = StatusCode;
      KeepFirstError();
    }
  } else if (StatusCode < 500) {
    RequestResult = 0;
  } else {
    RequestResult = StatusCode;
    KeepFirstError();
  }
  Replying = false;
  if (Next) {
    TNextStep step = Next;
    Next = nullptr;
    (this->*step)();
    return;
  }
  // QUIT completes when the server closes the connection.
  if (CurrentStep == stepQuit && Connected) return;
  TriggerRequestDone(uint16_t(RequestResult));
}

// ---- commands ----

std::string TCustomSmtpClient::SignOnName() {
  std::string name = SignOn;
  if (name.empty()) {
    try {
      name = LocalHostName();
    } catch (...) {
      name = "localhost";
    }
  }
  std::replace(name.begin(), name.end(), ' ', '_');
  return name;
}

void TCustomSmtpClient::Helo() {
  CurrentStep = stepHelo;
  StartCommand(smtpHelo, "HELO " + SignOnName(), {250}, nullptr);
}

void TCustomSmtpClient::Ehlo() {
  AuthTypes->Clear();
  CurrentStep = stepEhlo;
  StartCommand(smtpEhlo, "EHLO " + SignOnName(), {250}, &TCustomSmtpClient::EhloDone);
}

void TCustomSmtpClient::EhloDone() {
  if (RequestResult == 0) EsmtpSupported = true;
  if (Connected) TriggerRequestDone(uint16_t(RequestResult));
}

void TCustomSmtpClient::Vrfy() {
  CurrentStep = stepVrfy;
  StartCommand(smtpVrfy, "VRFY " + HdrTo, {250}, nullptr);
}

void TCustomSmtpClient::MailFrom() {
  std::string name, mailbox;
  SplitAddress(FromName, name, mailbox);
  CurrentStep = stepMailFrom;
  StartCommand(smtpMailFrom, "MAIL FROM:<" + mailbox + ">", {250}, nullptr);
}

void TCustomSmtpClient::RcptTo() {
  if (RcptName->GetCount() == 0) throw SmtpException("RcptName list is empty");
  RcptIndex = -1;
  CurrentStep = stepRcptTo;
  SendNextRecipient();
}

void TCustomSmtpClient::SendNextRecipient() {
  if (RcptIndex >= 0 && RequestResult != 0) {
    TSmtpRcptToErrorAction action = srteAbort;
    auto alive = AliveToken();
    OnRcptToError(this, uint16_t(RequestResult), RcptIndex, action);
    if (!*alive) return;
    if (action == srteAbort) {
      TriggerRequestDone(uint16_t(RequestResult));
      return;
    }
    if (action == srteIgnore) ++RcptIndex;
  } else {
    ++RcptIndex;
  }
  if (RcptIndex >= RcptName->GetCount()) {
    RequestResult = 0;
    TriggerRequestDone(0);
    return;
  }
  std::string name, mailbox;
  SplitAddress(RcptName->GetStrings(RcptIndex), name, mailbox);
  if (!SetState(smtpInternalReady)) return;
  bool last = RcptIndex + 1 >= RcptName->GetCount();
  StartCommand(smtpRcptTo, "RCPT TO:<" + mailbox + ">", {250, 251},
               last ? nullptr : &TCustomSmtpClient::SendNextRecipient);
}

void TCustomSmtpClient::Quit() {
  EnsureReady();
  CurrentStep = stepQuit;
  if (Connected) {
    StartCommand(smtpQuit, "QUIT", {221}, nullptr);
    return;
  }
  if (!Composite) RequestType = smtpQuit;
  RequestDoneFlag = false;
  RequestResult = 0;
  TriggerRequestDone(0);
}

void TCustomSmtpClient::Rset() {
  CurrentStep = stepRset;
  StartCommand(smtpRset, "RSET", {250}, nullptr);
}

void TCustomSmtpClient::Abort() {
  if (!SetState(smtpAbort)) return;
  auto alive = AliveToken();
  Socket->Abort();
  if (*alive) SetState(smtpReady);
}

// ---- composite requests ----

void TCustomSmtpClient::Open() {
  if (AuthType == smtpAuthNone) StartComposite(smtpOpen, {stepConnect, stepHelo});
  else StartComposite(smtpOpen, {stepConnect, stepEhlo, stepAuth});
}

void TCustomSmtpClient::Mail() { StartComposite(smtpMail, {stepMailFrom, stepRcptTo, stepData}); }

void TCustomSmtpClient::StartComposite(TSmtpRequest rq, std::initializer_list<TSmtpStep> steps) {
  uint32_t set = 0;
  for (TSmtpStep s : steps) set |= Bit(s);
  if (Connected && (set & Bit(stepConnect))) throw SmtpException("SMTP component already connected");
  EnsureReady();
  RequestType = rq;
  RequestResult = 0;
  StepSet = set;
  CurrentStep = stepNone;
  CompositeResult = 0;
  Composite = true;
  LastResponse.clear();
  ErrorMessage.clear();
  RunNextStep();
}

void TCustomSmtpClient::RunNextStep() {
  if (State == smtpAbort) {
    StepSet = 0;
    CompositeResult = RequestResult = 426;
    ErrorMessage = "426 Operation aborted.";
  }
  if (RequestResult != 0 && CurrentStep != stepNone) {
    if (CurrentStep == stepEhlo) {
      // A server without ESMTP still gets HELO; when authentication was asked
      // for, the request then fails instead of reporting a session without it.
      StepSet = Bit(stepHelo);
      if (AuthType != smtpAuthNone) StepSet |= Bit(stepAuth);
    } else {
      CompositeResult = RequestResult;
      StepSet = (StepSet & Bit(stepQuit)) && CurrentStep != stepQuit ? Bit(stepQuit) : 0;
    }
  }
  static const TSmtpStep order[] = {stepConnect, stepHelo,     stepEhlo, stepAuth, stepVrfy,
                                    stepMailFrom, stepRcptTo, stepData, stepQuit};
  for (TSmtpStep s : order) {
    if (!(StepSet & Bit(s))) continue;
    StepSet &= ~Bit(s);
    CurrentStep = s;
    RequestDoneFlag = false;
    switch (s) {
      case stepConnect: Connect(); break;
      case stepHelo: Helo(); break;
      case stepEhlo: Ehlo(); break;
      case stepAuth: Auth(); break;
      case stepVrfy: Vrfy(); break;
      case stepMailFrom: MailFrom(); break;
      case stepRcptTo: RcptTo(); break;
      case stepData: Data(); break;
      case stepQuit: Quit(); break;
      default: break;
    }
    return;
  }
  StepSet = 0;
  Composite = false;
  RequestDoneFlag = false;
  TriggerRequestDone(uint16_t(CompositeResult));
}

// ---- authentication ----

void TCustomSmtpClient::Auth() {
  if (!EsmtpSupported) {
    if (!Composite) RequestType = smtpAuth;
    RequestDoneFlag = false;
    FailRequest(500, "500 ESMTP not supported.");
    return;
  }
  CurrentStep = stepAuth;
  AuthMechanism = AuthType;
  AuthAutoSelected = AuthType == smtpAuthAutoSelect;
  if (AuthAutoSelected) {
    auto has = [&](const char* m) { return AuthTypes->IndexOf(m) >= 0; };
    // Later entries override earlier ones; CRAM-MD5 when nothing is announced.
    AuthMechanism = smtpAuthCramMD5;
    for (auto [name, type] : {std::pair{"PLAIN", smtpAuthPlain}, {"LOGIN", smtpAuthLogin},
                              {"CRAM-SHA1", smtpAuthCramSha1}, {"CRAM-MD5", smtpAuthCramMD5}})
      if (has(name)) AuthMechanism = type;
    if (has("NTLM") || has("GSSAPI NTLM")) AuthMechanism = smtpAuthNtlm;
  }
  if (AuthMechanism == smtpAuthNone) {
    if (!Composite) RequestType = smtpAuth;
    RequestDoneFlag = false;
    FailRequest(500, "500 No Authentication Type Selected.");
    return;
  }
  AuthStart();
}

void TCustomSmtpClient::AuthStart() {
  AuthRound = 0;
  switch (AuthMechanism) {
    case smtpAuthPlain:
      // The user name is both the identity and the one authenticated.
      StartCommand(smtpAuth, "AUTH PLAIN " + Base64EncodeText(Username + '\0' + Username + '\0' + Password), {235},
                   &TCustomSmtpClient::AuthPlainDone);
      break;
    case smtpAuthLogin:
      StartCommand(smtpAuth, "AUTH LOGIN", {334}, &TCustomSmtpClient::AuthLoginUser);
      break;
    case smtpAuthCramMD5:
      StartCommand(smtpAuth, "AUTH CRAM-MD5", {334}, &TCustomSmtpClient::AuthCramAnswer);
      break;
    case smtpAuthCramSha1:
      StartCommand(smtpAuth, "AUTH CRAM-SHA1", {334}, &TCustomSmtpClient::AuthCramAnswer);
      break;
    case smtpAuthNtlm:
      StartCommand(smtpAuth, "AUTH NTLM " + NtlmMessage1("", ""), {334}, &TCustomSmtpClient::AuthNtlmAnswer);
      break;
    default:
      FailRequest(500, "500 No Authentication Type Selected.");
  }
}

// A failed first command under auto-select falls back to a simpler mechanism
// on 504; anything else ends the request.
void TCustomSmtpClient::AuthFailed(bool firstCommand) {
  if (AuthAutoSelected && firstCommand && RequestResult == 504) {
    static const std::pair<TSmtpAuthType, TSmtpAuthType> fallback[] = {{smtpAuthNtlm, smtpAuthCramMD5},
                                                                      {smtpAuthCramMD5, smtpAuthCramSha1},
                                                                      {smtpAuthCramSha1, smtpAuthLogin},
                                                                      {smtpAuthLogin, smtpAuthPlain}};
    for (auto [from, to] : fallback)
      if (AuthMechanism == from) {
        AuthMechanism = to;
        if (SetState(smtpInternalReady)) AuthStart();
        return;
      }
  }
  if (AuthAutoSelected && RequestResult != 504) ErrorMessage = "500 Authentication Type could not be determined.";
  TriggerRequestDone(uint16_t(RequestResult));
}

void TCustomSmtpClient::AuthPlainDone() {
  if (RequestResult != 0) return AuthFailed(true);
  TriggerRequestDone(0);
}

void TCustomSmtpClient::AuthFinalDone() {
  if (RequestResult != 0) return AuthFailed(false);
  TriggerRequestDone(0);
}

void TCustomSmtpClient::AuthLoginUser() {
  if (RequestResult != 0) return AuthFailed(true);
  if (!SetState(smtpInternalReady)) return;
  StartCommand(smtpAuth, Base64EncodeText(Username), {334}, &TCustomSmtpClient::AuthLoginPassword);
}

void TCustomSmtpClient::AuthLoginPassword() {
  if (RequestResult != 0) return AuthFailed(false);
  if (!SetState(smtpInternalReady)) return;
  StartCommand(smtpAuth, Base64EncodeText(Password), {235}, &TCustomSmtpClient::AuthFinalDone);
}

void TCustomSmtpClient::AuthCramAnswer() {
  if (RequestResult != 0) return AuthFailed(true);
  bool sha = AuthMechanism == smtpAuthCramSha1;
  if (LastResponse.size() <= 4) {
    RequestDoneFlag = false;
    FailRequest(500, std::string(sha ? "500 Malformed SHA1 Challege: " : "500 Malformed MD5 Challege: ") +
                         LastResponse);
    return;
  }
  std::string challenge = Base64DecodeText(LastResponse.substr(4));
  std::string digest = sha ? HmacSha1Text(challenge, Password) : HmacMd5(challenge, Password);
  if (!SetState(smtpInternalReady)) return;
  StartCommand(smtpAuth, Base64EncodeText(Username + " " + BytesToHexLower(digest)), {235},
               &TCustomSmtpClient::AuthFinalDone);
}

void TCustomSmtpClient::AuthNtlmAnswer() {
  if (RequestResult != 0) return AuthFailed(true);
  TNTLM_Msg2_Info info =
      LastResponse.size() > 4 ? NtlmParseMessage2(Trim(LastResponse.substr(4))) : TNTLM_Msg2_Info{};
  if (!info.Msg2Ok) {
    RequestDoneFlag = false;
    FailRequest(500, "500 Malformed NtlmMsg2: " + LastResponse);
    return;
  }
  if (!SetState(smtpInternalReady)) return;
  StartCommand(smtpAuth, NtlmMessage3("", "", Username, info.Challenge, Password), {235},
               &TCustomSmtpClient::AuthFinalDone);
}

}  // namespace sonvelt::net
