// Message composition of the SMTP client: generated headers, body lines sent
// one at a time, the message text in its transfer encoding and attachments.
#include <algorithm>
#include <climits>

#include "framework/Conversions.h"
#include "framework/DateTime.h"
#include "framework/FileUtils.h"
#include "framework/MathUtils.h"
#include "net/NetDate.h"
#include "net/NetException.h"
#include "net/ReadAheadStream.h"
#include "net/SmtpCli.h"

namespace sonvelt::net {

// ---- addresses and ids ----

void SplitAddress(const std::string& text, std::string& name, std::string& mailbox) {
  name.clear();
  mailbox.clear();
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return;
  std::string t = text.substr(i);
  if (t[0] == '"' || t[0] == '\'') {
    size_t close = t.find(t[0], 1);
    name = t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    std::string rest = close == std::string::npos ? "" : t.substr(close + 1);
    size_t lt = rest.find('<');
    if (lt != std::string::npos) mailbox = rest.substr(lt + 1, rest.find('>', lt) - lt - 1);
    else mailbox = Trim(rest);
  } else if (size_t lt = t.find('<'); lt != std::string::npos) {
    name = Trim(t.substr(0, lt));
    mailbox = t.substr(lt + 1, t.find('>', lt) - lt - 1);
  } else {
    size_t blank = t.find(' ');
    name = Trim(t.substr(0, blank));
    mailbox = blank == std::string::npos ? "" : Trim(t.substr(blank));
  }
  if (mailbox.empty() && name.find('@') != std::string::npos) std::swap(name, mailbox);
}

std::string NewMessageId() {
  std::string id = FormatDateTime("yyyymmddhhnnsszzz", LocalToUTC(Now())) + ".";
  for (int i = 0; i < 4; ++i) id += IntToHex(Random(0x7FFF), 4);
  std::string host;
  try {
    host = LocalHostName();
  } catch (...) {
    host = "localhost";
  }
  return id + "@" + host;
}

// ---- headers ----

void TCustomSmtpClient::BuildAddressHeader(const std::string& name, const std::string& value, char letter) {
  if (Trim(value).empty()) return;
  if (Allow8bitChars && !FoldHeaders) {
    HeaderLines->Add(name + " " + Trim(value));
    return;
  }
  std::string items;
  size_t pos = 0;
  while (pos != NetNoPosition && pos < value.size()) {
    std::string item = NextFoldPiece(value, "\r\n", ",;", "\"'", pos, 1);
    size_t b = item.find_first_not_of(" \t");
    item = b == std::string::npos ? "" : item.substr(b);
    while (!item.empty() && (item.back() == ',' || item.back() == ';')) item.pop_back();
    if (item.empty()) continue;
    std::string friendly, mailbox;
    SplitAddress(item, friendly, mailbox);
    if (friendly.empty()) {
      items += mailbox + ",";
      continue;
    }
    if (Allow8bitChars || !NeedsEncoding(friendly)) {
      std::string quoted;
      for (char c : friendly) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
      }
      friendly = "\"" + quoted + "\"";
    } else {
      friendly = HdrEncodeInLine(friendly, SmtpSpecials, letter, FoldHeaders, 76 - int(name.size()), CharSet);
    }
    items += friendly + " <" + mailbox + ">,";
  }
  while (!items.empty() && items.back() == ',') items.pop_back();
  std::string line = Trim(name) + " " + Trim(items);
  if (line.size() > 76 && FoldHeaders) FoldHdrLine(HeaderLines.get(), line);
  else HeaderLines->Add(line);
}

void TCustomSmtpClient::GenerateHeaders() {
  char letter = DefaultEncoding == smtpEncBase64 ? 'B' : 'Q';
  BuildAddressHeader("Reply-To:", HdrReplyTo, letter);
  BuildAddressHeader("Return-Path:", HdrReturnPath, letter);
  BuildAddressHeader("From:", HdrFrom, letter);
  BuildAddressHeader("To:", HdrTo, letter);
  BuildAddressHeader("Cc:", HdrCc, letter);
  std::string subject = Trim(HdrSubject);
  if (Allow8bitChars && !FoldHeaders) HeaderLines->Add("Subject: " + subject);
  else if (!Allow8bitChars && NeedsEncoding(subject))
    HeaderLines->Add("Subject: " + HdrEncodeInLine(subject, SmtpSpecials, letter, FoldHeaders, 66, CharSet));
  else FoldHdrLine(HeaderLines.get(), "Subject: " + subject);
  BuildAddressHeader("Sender:", Trim(HdrSender).empty() ? HdrFrom : HdrSender, letter);
  HeaderLines->Add("Mime-Version: 1.0");
  HeaderLines->Add("Content-Type: " + ContentTypeText + "; charset=\"" + CharSet + "\"");
  HeaderLines->Add("Date: " + RfcMailDate(Now()));
  if (HdrPriority != smtpPriorityNone) {
    HeaderLines->Add("X-Priority: " + std::to_string(int(HdrPriority)));
    HeaderLines->Add(HdrPriority <= smtpPriorityHigh     ? "Priority: urgent"
                          : HdrPriority == smtpPriorityNormal ? "Priority: Normal"
                                                               : "Priority: non-urgent");
  }
  MessageId = NewMessageId();
  HeaderLines->Add("Message-ID: <" + MessageId + ">");
  if (ConfirmReceipt && !Trim(HdrFrom).empty()) BuildAddressHeader("Disposition-Notification-To:", HdrFrom, letter);
  HeaderLines->Add("X-Mailer: Sonvelt mail client");
  auto alive = AliveToken();
  TriggerProcessHeader();
  if (*alive) HeaderLines->Add("");
}

// ---- the data phase ----

void TCustomSmtpClient::Data() {
  HeaderIndex = -1;
  BodyLineNumber = 0;
  MoreLines = true;
  HeaderLines->Clear();
  if (!OwnHeaders) {
    auto alive = AliveToken();
    GenerateHeaders();
    if (!*alive) return;
  }
  CurrentStep = stepData;
  if (SendMode == smtpToStream) {
    SendNextLine();
    return;
  }
  StartCommand(smtpData, "DATA", {354}, &TCustomSmtpClient::SendNextLine);
}

void TCustomSmtpClient::TriggerGetData(int lineNum, std::string& line, bool& more) {
  if (!OnGetData) {
    more = false;
    return;
  }
  OnGetData(this, lineNum, line, 1023, more);
}

void TCustomSmtpClient::HandleLineSent(TObject*, uint16_t) { SendNextLine(); }

namespace {
// The data phase queues lines until this much waits for the network, and goes
// on when the socket has sent it: one round through the message loop per
// batch, not per line.
constexpr size_t kDataBatchBytes = 64 * 1024;
}  // namespace

void TCustomSmtpClient::SendNextLine() {
  if (State == smtpWaitingResponse && RequestResult != 0) {
    // DATA was refused: no message text goes out.
    TriggerRequestDone(uint16_t(RequestResult));
    return;
  }
  if (!Connected && SendMode != smtpToStream) {
    Socket->OnDataSent = nullptr;
    return;
  }
  if (!SetState(smtpInternalReady) || !SendDataLines()) return;
  Socket->OnDataSent = Bind(this, &TCustomSmtpClient::HandleLineSent);
  Socket->Send(nullptr, 0);
}

// Produces and queues the next lines of the message; false when nothing more
// is to be sent from here (the message ended, the stream mode goes on from its
// own message, or a handler freed the client).
bool TCustomSmtpClient::SendDataLines() {
  auto alive = AliveToken();
  size_t queued = 0;
  while (queued < kDataBatchBytes) {
    std::string line;
    if (HeaderIndex + 1 < HeaderLines->GetCount()) {
      line = HeaderLines->GetStrings(++HeaderIndex).substr(0, 1023);
      TriggerHeaderLine(line);
      if (!*alive) return false;
    } else {
      bool got = false;
      while (MoreLines && !got) {
        ++BodyLineNumber;
        line.clear();
        try {
          TriggerGetData(BodyLineNumber, line, MoreLines);
        } catch (...) {
          if (!*alive) return false;
          MoreLines = false;
        }
        if (!*alive) return false;
        got = MoreLines;
      }
      if (!got) {
        Socket->OnDataSent = nullptr;
        if (!Connected && SendMode != smtpToStream) return false;  // aborted meanwhile
        // The end mark follows the lines still queued.
        if (SendMode == smtpToStream && !Connected) TriggerRequestDone(0);
        else StartCommand(smtpData, ".", {250}, nullptr);
        return false;
      }
      if (!line.empty() && line[0] == '.') line.insert(0, ".");
    }
    TriggerDisplay("> " + line);
    if (!*alive) return false;
    if (SendMode == smtpToStream) {
      PostMessageW(GetHandle(), NextLineMsg, 0, 0);
      return false;
    }
    line += "\r\n";
    Socket->QueueText(line);
    queued += line.size();
  }
  return true;
}

// ---- TSmtpCli: text and attachments ----

TSmtpCli::~TSmtpCli() = default;

void TSmtpCli::SetEmailFiles(TStrings* files) {
  EmailFiles->Clear();
  for (int i = 0; files && i < files->GetCount(); ++i) {
    std::string name = Trim(files->GetStrings(i));
    if (name.empty()) continue;
    if (!FileExists(name)) throw SmtpException("File not found '" + name + "'");
    EmailFiles->Add(name);
  }
}

std::string TSmtpCli::EncodingName() const {
  static const char* const names[] = {"7bit", "8bit", "quoted-printable", "base64"};
  return names[Encoding];
}

void TSmtpCli::Data() {
  PrepareBody();
  TCustomSmtpClient::Data();
}

void TSmtpCli::Abort() {
  AttachStream.reset();
  TCustomSmtpClient::Abort();
}

void TSmtpCli::PrepareBody() {
  TextPhase = true;
  AttachIndex = 0;
  TextLineCount = 0;
  AttachStream.reset();
  Encoding = DefaultEncoding;
  Text.clear();
  for (int i = 0; i < MailMessage->GetCount(); ++i) Text += (i ? "\r\n" : "") + MailMessage->GetStrings(i);
  TextPos = 0;
  TextDone = Text.empty();
  if (!Text.empty() && (Encoding == smtpEnc7bit || Encoding == smtpEnc8bit) && !Allow8bitChars &&
      NeedsEncoding(Text))
    Encoding = smtpEncQuotedPrintable;
  // Text with 8-bit bytes sent as it is must not be announced as 7bit.
  if (Encoding == smtpEnc7bit && std::any_of(Text.begin(), Text.end(), [](char c) { return uint8_t(c) >= 0x80; }))
    Encoding = smtpEnc8bit;
  MimeLines->Clear();
  if (EmailFiles->GetCount() == 0) {
    Boundary.clear();
    return;
  }
  Boundary = "= Multipart Boundary " + FormatDateTime("mmddyyhhnn", Now());
  for (const std::string& l : {std::string("This is a multipart MIME message."), std::string(), "--" + Boundary,
                               "Content-Type: " + ContentTypeText + "; charset=\"" + CharSet + "\"",
                               "Content-Transfer-Encoding: " + EncodingName(), std::string()})
    MimeLines->Add(l);
}

bool TSmtpCli::NextTextLine(std::string& line) {
  line.clear();
  if (TextDone || TextPos >= Text.size()) {
    TextDone = true;
    return false;
  }
  switch (Encoding) {
    case smtpEnc7bit:
    case smtpEnc8bit:
      line = NextFoldPiece(Text, "\r\n", "\t ,-.", "", TextPos, WrapMessageText ? 76 : INT_MAX);
      // Only the end is trimmed: leading blanks belong to the text.
      while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
      break;
    case smtpEncQuotedPrintable:
      QuotedPrintableLine(Text, 75, "", false, TextPos, true, line);
      break;
    case smtpEncBase64:
      Base64EncodeSlice(Text, 76, TextPos, line);
      break;
  }
  if (TextPos == NetNoPosition || TextPos >= Text.size()) TextDone = true;
  return true;
}

void TSmtpCli::TriggerHeaderLine(std::string& line) {
  if (EmailFiles->GetCount() > 0) {
    if (StartsTextCi(line, "CONTENT-TYPE:"))
      line = "Content-Type: multipart/mixed;\r\n\tboundary=\"" + Boundary + "\"";
  } else if (StartsTextCi(line, "CONTENT-TYPE: TEXT") && Encoding != smtpEnc7bit) {
    line += "\r\nContent-Transfer-Encoding: " + EncodingName();
  }
  TCustomSmtpClient::TriggerHeaderLine(line);
}

// False when the message goes no further from here (aborted, or a handler
// freed the client).
bool TSmtpCli::OpenNextAttachment(bool& more) {
  static const unsigned shareFlags[] = {fmShareCompat, fmShareExclusive, fmShareDenyWrite, fmShareDenyRead,
                                       fmShareDenyNone};
  auto alive = AliveToken();
  while (AttachIndex < size_t(EmailFiles->GetCount())) {
    const std::string path = EmailFiles->GetStrings(int(AttachIndex));
    TSmtpBeforeOpenFileAction before = smtpBeforeOpenFileNone;
    OnBeforeFileOpen(this, int(AttachIndex), path, before);
    if (!*alive) return false;
    if (before == smtpBeforeOpenFileNext) {
      ++AttachIndex;
      continue;
    }
    if (before == smtpBeforeOpenFileAbort) {
      more = false;
      Abort();
      return false;
    }
    bool opened = false, skip = false;
    while (!opened && !skip) {
      TSmtpAfterOpenFileAction after = smtpAfterOpenFileNone;
      try {
        // Lines of 54 bytes are taken from a block read at a time.
        AttachStream = MakeOwned<TReadAheadStream>(OpenFileStream(path, shareFlags[ShareMode]));
      } catch (const std::exception& e) {
        OnAfterFileOpen(this, int(AttachIndex), path, &e, after);
        if (!*alive) return false;
        if (after == smtpAfterOpenFileNext) skip = true;
        else if (after == smtpAfterOpenFileAbort) {
          more = false;
          Abort();
          return false;
        } else if (after != smtpAfterOpenFileRetry) {
          throw;
        }
        continue;
      }
      OnAfterFileOpen(this, int(AttachIndex), path, nullptr, after);
      if (!*alive) return false;
      if (after == smtpAfterOpenFileNext) {
        AttachStream.reset();
        skip = true;
      } else if (after == smtpAfterOpenFileRetry) {
        AttachStream.reset();
      } else if (after == smtpAfterOpenFileAbort) {
        AttachStream.reset();
        more = false;
        Abort();
        return false;
      } else {
        opened = true;
      }
    }
    if (skip) {
      ++AttachIndex;
      continue;
    }
    std::string name = path.substr(path.find_last_of("\\/:") + 1);
    std::string type = ContentTypeOfFile(name);
    OnAttachContentType(this, int(AttachIndex), path, type);
    if (!*alive) return false;
    if (!Allow8bitChars && NeedsEncoding(name))
      name = HdrEncodeInLine(name, SmtpSpecials, DefaultEncoding == smtpEncBase64 ? 'B' : 'Q', FoldHeaders, 63,
                             CharSet);
    else if (name.size() > 64 && FoldHeaders)
      name = FoldString(name, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ", 63);
    MimeLines->Add("--" + Boundary);
    MimeLines->Add("Content-Type: " + type + ";");
    MimeLines->Add("\tname=\"" + name + "\"");
    MimeLines->Add("Content-Transfer-Encoding: base64");
    MimeLines->Add("Content-Disposition: attachment;");
    MimeLines->Add("\tfilename=\"" + name + "\"");
    TOwned<TStringList> extra = MakeOwned<TStringList>();
    OnAttachHeader(this, int(AttachIndex), path, extra.get());
    if (!*alive) return false;
    MimeLines->AddStrings(extra.get());
    MimeLines->Add("");
    return true;
  }
  // Every remaining attachment was skipped: the multipart body still closes.
  MimeLines->Add("");
  MimeLines->Add("--" + Boundary + "--");
  return true;
}

void TSmtpCli::TriggerGetData(int lineNum, std::string& line, bool& more) {
  auto alive = AliveToken();
  more = true;
  if (MimeLines->GetCount() > 0) {
    line = MimeLines->GetStrings(0).substr(0, 1023);
    MimeLines->Delete(0);
    return;
  }
  if (TextPhase) {
    if (NextTextLine(line)) return;
    ++TextLineCount;
    TCustomSmtpClient::TriggerGetData(TextLineCount, line, more);
    if (!*alive || more) return;
    TextPhase = false;
    more = true;
  }
  if (AttachStream) {
    bool full = false;
    line = Base64LineOfStream(*AttachStream, full);
    if (!full) {
      AttachStream.reset();
      if (++AttachIndex >= size_t(EmailFiles->GetCount())) {
        MimeLines->Add("");
        MimeLines->Add("--" + Boundary + "--");
      }
    }
    if (line.empty()) TriggerGetData(lineNum, line, more);
    return;
  }
  if (AttachIndex < size_t(EmailFiles->GetCount())) {
    if (!OpenNextAttachment(more)) return;
    TriggerGetData(lineNum, line, more);
    return;
  }
  more = false;
}

}  // namespace sonvelt::net
