// Message composition of the SMTP client: generated headers, body lines sent
// one at a time, the message text in its transfer encoding and attachments.
#include <climits>
#include <cstdio>

#include "framework/DateTime.h"
#include "framework/MathUtils.h"
#include "net/NetDate.h"
#include "net/NetException.h"
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
    else mailbox = TrimText(rest);
  } else if (size_t lt = t.find('<'); lt != std::string::npos) {
    name = TrimText(t.substr(0, lt));
    mailbox = t.substr(lt + 1, t.find('>', lt) - lt - 1);
  } else {
    size_t blank = t.find(' ');
    name = TrimText(t.substr(0, blank));
    mailbox = blank == std::string::npos ? "" : TrimText(t.substr(blank));
  }
  if (mailbox.empty() && name.find('@') != std::string::npos) std::swap(name, mailbox);
}

std::string NewMessageId() {
  std::string id = FormatDateTime("yyyymmddhhnnsszzz", LocalToUTC(Now())) + ".";
  char hex[8];
  for (int i = 0; i < 4; ++i) {
    std::snprintf(hex, sizeof hex, "%04X", Random(0x7FFF));
    id += hex;
  }
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
  if (TrimText(value).empty()) return;
  if (Allow8bitChars && !FoldHeaders) {
    HeaderLines.push_back(name + " " + TrimText(value));
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
  std::string line = TrimText(name) + " " + TrimText(items);
  if (line.size() > 76 && FoldHeaders) FoldHdrLine(HeaderLines, line);
  else HeaderLines.push_back(line);
}

void TCustomSmtpClient::GenerateHeaders() {
  char letter = DefaultEncoding == smtpEncBase64 ? 'B' : 'Q';
  BuildAddressHeader("Reply-To:", HdrReplyTo, letter);
  BuildAddressHeader("Return-Path:", HdrReturnPath, letter);
  BuildAddressHeader("From:", HdrFrom, letter);
  BuildAddressHeader("To:", HdrTo, letter);
  BuildAddressHeader("Cc:", HdrCc, letter);
  std::string subject = TrimText(HdrSubject);
  if (Allow8bitChars && !FoldHeaders) HeaderLines.push_back("Subject: " + subject);
  else if (!Allow8bitChars && NeedsEncoding(subject))
    HeaderLines.push_back("Subject: " + HdrEncodeInLine(subject, SmtpSpecials, letter, FoldHeaders, 66, CharSet));
  else FoldHdrLine(HeaderLines, "Subject: " + subject);
  BuildAddressHeader("Sender:", TrimText(HdrSender).empty() ? HdrFrom : HdrSender, letter);
  HeaderLines.push_back("Mime-Version: 1.0");
  HeaderLines.push_back("Content-Type: " + ContentTypeText + "; charset=\"" + CharSet + "\"");
  HeaderLines.push_back("Date: " + RfcMailDate(Now()));
  if (HdrPriority != smtpPriorityNone) {
    HeaderLines.push_back("X-Priority: " + std::to_string(int(HdrPriority)));
    HeaderLines.push_back(HdrPriority <= smtpPriorityHigh     ? "Priority: urgent"
                          : HdrPriority == smtpPriorityNormal ? "Priority: Normal"
                                                               : "Priority: non-urgent");
  }
  MessageId = NewMessageId();
  HeaderLines.push_back("Message-ID: <" + MessageId + ">");
  if (ConfirmReceipt && !TrimText(HdrFrom).empty()) BuildAddressHeader("Disposition-Notification-To:", HdrFrom, letter);
  HeaderLines.push_back("X-Mailer: Sonvelt mail client");
  TriggerProcessHeader();
  HeaderLines.push_back("");
}

// ---- the data phase ----

void TCustomSmtpClient::Data() {
  HeaderIndex = -1;
  BodyLineNumber = 0;
  MoreLines = true;
  HeaderLines.clear();
  if (!OwnHeaders) GenerateHeaders();
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
  SetState(smtpInternalReady);
  std::string line;
  if (HeaderIndex + 1 < int(HeaderLines.size())) {
    line = HeaderLines[size_t(++HeaderIndex)].substr(0, 1023);
    TriggerHeaderLine(line);
  } else {
    bool got = false;
    while (MoreLines && !got) {
      ++BodyLineNumber;
      line.clear();
      try {
        TriggerGetData(BodyLineNumber, line, MoreLines);
      } catch (...) {
        MoreLines = false;
      }
      got = MoreLines;
    }
    if (!got) {
      Socket->OnDataSent = nullptr;
      if (SendMode == smtpToStream && !Connected) TriggerRequestDone(0);
      else StartCommand(smtpData, ".", {250}, nullptr);
      return;
    }
    if (!line.empty() && line[0] == '.') line.insert(0, ".");
  }
  TriggerDisplay("> " + line);
  if (SendMode == smtpToStream) {
    PostMessageW(GetHandle(), NextLineMsg, 0, 0);
    return;
  }
  Socket->OnDataSent = Bind(this, &TCustomSmtpClient::HandleLineSent);
  Socket->QueueText(line);
  Socket->SendText("\r\n");
}

// ---- TSmtpCli: text and attachments ----

TSmtpCli::~TSmtpCli() = default;

void TSmtpCli::SetEmailFiles(const std::vector<std::string>& files) {
  EmailFiles.clear();
  for (const auto& f : files) {
    std::string name = TrimText(f);
    if (name.empty()) continue;
    if (!NetFileExists(name)) throw SmtpException("File not found '" + name + "'");
    EmailFiles.push_back(name);
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
  for (size_t i = 0; i < MailMessage.size(); ++i) Text += (i ? "\r\n" : "") + MailMessage[i];
  TextPos = 0;
  TextDone = Text.empty();
  if (!Text.empty() && (Encoding == smtpEnc7bit || Encoding == smtpEnc8bit) && !Allow8bitChars &&
      NeedsEncoding(Text))
    Encoding = smtpEncQuotedPrintable;
  MimeLines.clear();
  if (EmailFiles.empty()) {
    Boundary.clear();
    return;
  }
  Boundary = "= Multipart Boundary " + FormatDateTime("mmddyyhhnn", Now());
  MimeLines = {"This is a multipart MIME message.",
               "",
               "--" + Boundary,
               "Content-Type: " + ContentTypeText + "; charset=\"" + CharSet + "\"",
               "Content-Transfer-Encoding: " + EncodingName(),
               ""};
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
  if (!EmailFiles.empty()) {
    if (StartsTextCi(line, "CONTENT-TYPE:"))
      line = "Content-Type: multipart/mixed;\r\n\tboundary=\"" + Boundary + "\"";
  } else if (StartsTextCi(line, "CONTENT-TYPE: TEXT") && Encoding != smtpEnc7bit) {
    line += "\r\nContent-Transfer-Encoding: " + EncodingName();
  }
  TCustomSmtpClient::TriggerHeaderLine(line);
}

bool TSmtpCli::OpenNextAttachment(bool& more) {
  static const uint32_t shareFlags[] = {0x00, 0x10, 0x20, 0x30, 0x40};
  while (AttachIndex < EmailFiles.size()) {
    const std::string& path = EmailFiles[AttachIndex];
    TSmtpBeforeOpenFileAction before = smtpBeforeOpenFileNone;
    OnBeforeFileOpen(this, int(AttachIndex), path, before);
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
        AttachStream = OpenFileStream(path, shareFlags[ShareMode]);
      } catch (const std::exception& e) {
        OnAfterFileOpen(this, int(AttachIndex), path, &e, after);
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
    if (!Allow8bitChars && NeedsEncoding(name))
      name = HdrEncodeInLine(name, SmtpSpecials, DefaultEncoding == smtpEncBase64 ? 'B' : 'Q', FoldHeaders, 63,
                             CharSet);
    else if (name.size() > 64 && FoldHeaders)
      name = FoldString(name, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ", 63);
    MimeLines.push_back("--" + Boundary);
    MimeLines.push_back("Content-Type: " + type + ";");
    MimeLines.push_back("\tname=\"" + name + "\"");
    MimeLines.push_back("Content-Transfer-Encoding: base64");
    MimeLines.push_back("Content-Disposition: attachment;");
    MimeLines.push_back("\tfilename=\"" + name + "\"");
    std::vector<std::string> extra;
    OnAttachHeader(this, int(AttachIndex), path, extra);
    MimeLines.insert(MimeLines.end(), extra.begin(), extra.end());
    MimeLines.push_back("");
    return true;
  }
  // Every remaining attachment was skipped: the multipart body still closes.
  MimeLines.push_back("");
  MimeLines.push_back("--" + Boundary + "--");
  return true;
}

void TSmtpCli::TriggerGetData(int lineNum, std::string& line, bool& more) {
  more = true;
  if (!MimeLines.empty()) {
    line = MimeLines.front().substr(0, 1023);
    MimeLines.erase(MimeLines.begin());
    return;
  }
  if (TextPhase) {
    if (NextTextLine(line)) return;
    ++TextLineCount;
    TCustomSmtpClient::TriggerGetData(TextLineCount, line, more);
    if (more) return;
    TextPhase = false;
    more = true;
  }
  if (AttachStream) {
    bool full = false;
    line = Base64LineOfStream(*AttachStream, full);
    if (!full) {
      AttachStream.reset();
      if (++AttachIndex >= EmailFiles.size()) {
        MimeLines.push_back("");
        MimeLines.push_back("--" + Boundary + "--");
      }
    }
    if (line.empty()) TriggerGetData(lineNum, line, more);
    return;
  }
  if (AttachIndex < EmailFiles.size()) {
    if (!OpenNextAttachment(more)) return;
    TriggerGetData(lineNum, line, more);
    return;
  }
  more = false;
}

}  // namespace sonvelt::net
