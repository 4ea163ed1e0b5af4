// The SMTP client: each request (connect, HELO, EHLO, AUTH, MAIL FROM, RCPT TO,
// DATA, QUIT, RSET, VRFY and the composite Open and Mail) starts with a call
// and ends with OnRequestDone from the message loop. TSmtpCli adds the message
// text in a chosen transfer encoding and file attachments.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/Delegate.h"
#include "net/LineWSocket.h"
#include "net/MimeUtils.h"

namespace sonvelt::net {

enum TSmtpState {
  smtpReady, smtpDnsLookup, smtpConnecting, smtpConnected, smtpInternalReady, smtpWaitingBanner,
  smtpWaitingResponse, smtpAbort
};
enum TSmtpRequest {
  smtpConnect, smtpHelo, smtpMailFrom, smtpVrfy, smtpRcptTo, smtpData, smtpQuit, smtpRset, smtpOpen, smtpMail,
  smtpEhlo, smtpAuth, smtpCustom
};
enum TSmtpAuthType {
  smtpAuthNone, smtpAuthPlain, smtpAuthLogin, smtpAuthCramMD5, smtpAuthCramSha1, smtpAuthNtlm, smtpAuthAutoSelect
};
enum TSmtpStep { stepNone = 0, stepHelo = 1, stepConnect, stepMailFrom, stepRcptTo, stepData, stepVrfy, stepQuit,
                 stepRset, stepEhlo, stepAuth };
enum TSmtpRcptToErrorAction { srteAbort, srteRetry, srteIgnore };
enum TSmtpPriority { smtpPriorityNone, smtpPriorityHighest, smtpPriorityHigh, smtpPriorityNormal, smtpPriorityLow,
                     smtpPriorityLowest };
enum TSmtpContentType { smtpHtml, smtpPlainText };
enum TSmtpDefaultEncoding { smtpEnc7bit, smtpEnc8bit, smtpEncQuotedPrintable, smtpEncBase64 };
enum TSmtpSendMode { smtpToSocket, smtpToStream, smtpCopyToStream };
enum TSmtpShareMode { smtpShareCompat, smtpShareExclusive, smtpShareDenyWrite, smtpShareDenyRead, smtpShareDenyNone };
enum TSmtpBeforeOpenFileAction { smtpBeforeOpenFileNone, smtpBeforeOpenFileNext, smtpBeforeOpenFileAbort };
enum TSmtpAfterOpenFileAction { smtpAfterOpenFileNone, smtpAfterOpenFileNext, smtpAfterOpenFileRetry,
                                smtpAfterOpenFileAbort };

using TSmtpDisplay = TDelegate<void(TObject* Sender, const std::string& Msg)>;
using TSmtpRequestDone = TDelegate<void(TObject* Sender, TSmtpRequest RqType, uint16_t ErrorCode)>;
using TSmtpRcptToErrorEvent =
    TDelegate<void(TObject* Sender, uint16_t ErrorCode, int RcptNameIdx, TSmtpRcptToErrorAction& Action)>;
// The handler writes the next body line into MsgLine (at most MaxLen bytes).
using TSmtpGetDataEvent = TDelegate<void(TObject* Sender, int LineNum, std::string& MsgLine, int MaxLen, bool& More)>;
using TSmtpHeaderLineEvent = TDelegate<void(TObject* Sender, std::string& Msg)>;
using TSmtpProcessHeaderEvent = TDelegate<void(TObject* Sender, TStrings* HdrLines)>;
using TSmtpAttachmentContentType =
    TDelegate<void(TObject* Sender, int FileNumber, const std::string& FileName, std::string& ContentType)>;
using TSmtpAttachHeader =
    TDelegate<void(TObject* Sender, int FileNumber, const std::string& FileName, TStrings* HdrLines)>;
using TSmtpBeforeFileOpenEvent =
    TDelegate<void(TObject* Sender, int Idx, const std::string& FileName, TSmtpBeforeOpenFileAction& Action)>;
using TSmtpAfterFileOpenEvent = TDelegate<void(TObject* Sender, int Idx, const std::string& FileName,
                                               const std::exception* E, TSmtpAfterOpenFileAction& Action)>;

// The characters RFC 2047 words must encode in address headers.
constexpr TCharSet SmtpSpecials = "\"(),.:;<>@[]\\";

class TCustomSmtpClient : public TNetWndControl {
  SONVELT_CLASS(TCustomSmtpClient, TNetWndControl)
public:
  explicit TCustomSmtpClient(TComponent* AOwner);
  ~TCustomSmtpClient() override;

  virtual void Connect();
  virtual void Helo();
  virtual void Ehlo();
  virtual void Auth();
  virtual void Vrfy();
  virtual void MailFrom();
  virtual void RcptTo();
  virtual void Data();
  virtual void Quit();
  virtual void Rset();
  virtual void Abort();
  virtual void Open();
  virtual void Mail();

  // Settings.
  std::string Host, LocalAddr = "0.0.0.0", Port = "smtp", SignOn, Username, Password, FromName;
  TSmtpAuthType AuthType = smtpAuthNone;
  std::string HdrFrom, HdrTo, HdrCc, HdrReplyTo, HdrReturnPath, HdrSubject, HdrSender;
  TSmtpPriority HdrPriority = smtpPriorityNone;
  std::string CharSet = "iso-8859-1";
  bool ConfirmReceipt = false, OwnHeaders = false;
  TSmtpSendMode SendMode = smtpToSocket;
  TSmtpDefaultEncoding DefaultEncoding = smtpEnc7bit;
  bool Allow8bitChars = true, FoldHeaders = false, WrapMessageText = false;
  // The lists are the client's own; setting copies the lines.
  TStrings* GetRcptName() const { return RcptName.get(); }
  void SetRcptName(TStrings* value) { RcptName->Assign(value); }
  TStrings* GetMailMessage() const { return MailMessage.get(); }
  void SetMailMessage(TStrings* value) { MailMessage->Assign(value); }

  TSmtpContentType GetContentType() const { return ContentType; }
  virtual void SetContentType(TSmtpContentType value);
  TSmtpState GetState() const { return State; }
  const std::string& GetErrorMessage() const { return ErrorMessage; }
  const std::string& GetLastResponse() const { return LastResponse; }
  int GetStatusCode() const { return StatusCode; }
  TStrings* GetAuthTypes() const { return AuthTypes.get(); }
  const std::string& GetMessageId() const { return MessageId; }
  bool GetConnected() const { return Connected; }
  TWSocket* GetCtrlSocket() const { return Socket; }

  TSmtpDisplay OnDisplay, OnCommand, OnResponse;
  TSmtpRcptToErrorEvent OnRcptToError;
  TSmtpRequestDone OnRequestDone;
  TSessionConnected OnSessionConnected;
  TSessionClosed OnSessionClosed;
  TSmtpGetDataEvent OnGetData;
  TSmtpHeaderLineEvent OnHeaderLine;
  TSmtpProcessHeaderEvent OnProcessHeader;
  TNotifyEvent OnStateChange;

  static constexpr int ReplyBufferSize = 4096;

protected:
  using TNextStep = void (TCustomSmtpClient::*)();

  void BeforeDestruction() override;
  int MessageCount() const override { return 4; }
  void RegisterMessages() override;
  void UnregisterMessages() override;
  void HandleMessage(TNetMessage& msg) override;
  void HandleBgException(const std::exception& e) override;
  void AttachToThread() override;
  void DetachFromThread() override;

  virtual void TriggerDisplay(const std::string& msg) { OnDisplay(this, msg); }
  virtual void TriggerCommand(const std::string& msg) { OnCommand(this, msg); }
  virtual void TriggerResponse(const std::string& msg);
  virtual void TriggerRequestDone(uint16_t error);
  virtual void TriggerGetData(int lineNum, std::string& line, bool& more);
  virtual void TriggerHeaderLine(std::string& line) { OnHeaderLine(this, line); }
  virtual void TriggerProcessHeader() { OnProcessHeader(this, HeaderLines.get()); }
  virtual void WriteCommand(const std::string& text);

  // False when a handler of the change freed the client.
  bool SetState(TSmtpState s);
  void EnsureReady();
  void StartCommand(TSmtpRequest rq, const std::string& text, std::initializer_list<int> codes, TNextStep next);
  void StartComposite(TSmtpRequest rq, std::initializer_list<TSmtpStep> steps);
  void RunNextStep();
  void KeepFirstError();
  void ProcessReplyLine();
  void JudgeReply();
  void FailRequest(int code, const std::string& response);
  std::string SignOnName();
  void GenerateHeaders();
  bool SendDataLines();
  void BuildAddressHeader(const std::string& name, const std::string& value, char letter);

  // Socket events.
  void HandleLookupDone(TObject* Sender, uint16_t error);
  void HandleSessionConnected(TObject* Sender, uint16_t error);
  void HandleSessionClosed(TObject* Sender, uint16_t error);
  void HandleReply(TObject* Sender, uint16_t error);
  void HandleLineSent(TObject* Sender, uint16_t error);

  // Steps.
  void EhloDone();
  void SendNextRecipient();
  void SendNextLine();
  void AuthStart();
  void AuthFailed(bool autoSelect);
  void AuthLoginUser();
  void AuthLoginPassword();
  void AuthCramAnswer();
  void AuthNtlmAnswer();
  void AuthPlainDone();
  void AuthFinalDone();
  void AuthCheckFirstReply();

  TWSocket* Socket;
  TSmtpState State = smtpReady;
  TSmtpContentType ContentType = smtpPlainText;
  std::string ContentTypeText = "text/plain";
  bool Connected = false;
  bool EsmtpSupported = false;
  TSmtpRequest RequestType = smtpConnect;
  bool RequestDoneFlag = false;
  int StatusCode = 0;
  int RequestResult = 0;
  uint16_t PendingFailure = 0;  // how a connection that is then lost ends the request
  std::string ReplyBuffer;
  std::vector<int> OkResponses;
  TNextStep Next = nullptr;
  bool Replying = false;  // a reply handler is set
  uint32_t StepSet = 0;
  TSmtpStep CurrentStep = stepNone;
  int CompositeResult = 0;
  bool Composite = false;
  TOwned<TStringList> RcptName = MakeOwned<TStringList>();
  TOwned<TStringList> MailMessage = MakeOwned<TStringList>();
  TOwned<TStringList> AuthTypes = MakeOwned<TStringList>();
  int RcptIndex = -1;
  UINT RequestDoneMsg = 0, NextLineMsg = 0, SpareMsg = 0;
  std::string ErrorMessage, LastResponse, MessageId;
  TSmtpAuthType AuthMechanism = smtpAuthNone;
  bool AuthAutoSelected = false;
  int AuthRound = 0;
  // Data phase.
  TOwned<TStringList> HeaderLines = MakeOwned<TStringList>();
  int HeaderIndex = -1;
  int BodyLineNumber = 0;
  bool MoreLines = false;
};

class TSmtpCli : public TCustomSmtpClient {
  SONVELT_CLASS(TSmtpCli, TCustomSmtpClient)
public:
  explicit TSmtpCli(TComponent* AOwner) : TCustomSmtpClient(AOwner) {}
  ~TSmtpCli() override;

  TStrings* GetEmailFiles() const { return EmailFiles.get(); }
  void SetEmailFiles(TStrings* files);  // raises SmtpException for a missing file
  TSmtpShareMode ShareMode = smtpShareDenyWrite;
  void Data() override;
  void Abort() override;

  TSmtpAttachmentContentType OnAttachContentType;
  TSmtpAttachHeader OnAttachHeader;
  TSmtpBeforeFileOpenEvent OnBeforeFileOpen;
  TSmtpAfterFileOpenEvent OnAfterFileOpen;

protected:
  virtual void PrepareBody();
  virtual bool NextTextLine(std::string& line);
  void TriggerGetData(int lineNum, std::string& line, bool& more) override;
  void TriggerHeaderLine(std::string& line) override;
  bool OpenNextAttachment(bool& more);
  std::string EncodingName() const;

  TOwned<TStringList> EmailFiles = MakeOwned<TStringList>();
  TOwned<TStringList> MimeLines = MakeOwned<TStringList>();
  std::string Boundary;
  size_t AttachIndex = 0;
  TOwnedStream AttachStream;
  bool TextPhase = false;
  std::string Text;
  size_t TextPos = 0;
  bool TextDone = true;
  int TextLineCount = 0;
  TSmtpDefaultEncoding Encoding = smtpEnc7bit;
};

std::string NewMessageId();
// (friendly name, mailbox) of an address text.
void SplitAddress(const std::string& text, std::string& name, std::string& mailbox);

}  // namespace sonvelt::net
