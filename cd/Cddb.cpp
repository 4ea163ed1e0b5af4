#include "cd/Cddb.h"

#include <cctype>

#include "cd/AspiCD.h"
#include "framework/MemoryStreams.h"

using sonvelt::net::THttpCli;
using sonvelt::net::THttpRequest;

namespace {

std::string Trim(const std::string& S) {
  const size_t First = S.find_first_not_of(" \t");
  if (First == std::string::npos) return {};
  return S.substr(First, S.find_last_not_of(" \t") - First + 1);
}

std::string LowerCase(std::string S) {
  for (char& C : S) C = char(std::tolower(static_cast<unsigned char>(C)));
  return S;
}

// What an unexpected line looks like in a status text: its start only.
std::string Excerpt(const std::string& Line) { return Line.size() > 60 ? Line.substr(0, 60) + "..." : Line; }

}  // namespace

TCddb::TCddb(TComponent* AOwner) : TComponent(AOwner), Received(MakeOwned<TStringStream>()) {
  try {
    InternalTOCRetrieve = InitCDInterface();
    if (InternalTOCRetrieve && GetCDDriveList(DriveList, CDInterface) && DriveList.Count > 0) {
      ReadCDToc(DriveList, 0, CDInfo.Toc, CDInterface);
      DriveList.Current = 0;
    }
  } catch (const ECDInterfaceError&) {
    InternalTOCRetrieve = false;
  }
}

TCddb::~TCddb() = default;

void TCddb::Status(const std::string& Text) { OnStatusMessage(this, Text); }

bool TCddb::SelectDrive(int Index) {
  if (!InternalTOCRetrieve) {
    Status("No CD-ROM interface detected!");
    return false;
  }
  GetCDDriveList(DriveList, CDInterface);
  if (Index < 0 || Index > DriveList.Count - 1) return false;
  const int Result = ReadCDToc(DriveList, Index, CDInfo.Toc, CDInterface);
  // Without a table there is nothing to identify the disc by.
  CDInfo.DiscId = Result == 0 ? CddbDiscIdText(CDInfo.Toc) : std::string();
  DriveList.Current = uint8_t(Index);
  if (Result != 0) Status("No CD in CD/DVD drive!");
  return Result == 0;
}

bool TCddb::ReselectDrive() { return SelectDrive(DriveList.Current); }

char TCddb::GetDriveLetter() {
  if (!InternalTOCRetrieve) {
    Status("No CD-ROM interface detected!");
    return 0;
  }
  if (DriveList.Current >= DriveList.Count) return 0;
  return char(std::toupper(static_cast<unsigned char>(DriveList.Drives[DriveList.Current].DriveLetter)));
}

void TCddb::RequestFailedStatus() {
  Status("CDDB Component Internal Error: THttpCli.GetAsync failed because of error \"" +
         (Http ? Http->GetStatusText() : std::string()) + "\"");
}

int TCddb::StartRequest(const std::string& Command, const char* Announcement, int Running) {
  if (ServerType != HTTP) {
    Status("Selected server not an HTTP server");
    return -1;
  }
  const std::string Url = "http://" + ServerAddr + ":" + ServerPort + ServerAdditionalAddr + "?cmd=" + Command +
                          "&hello=" + UrlEncodeText(AtToBlank(EmailUser)) + "+" + UrlEncodeText(ClientName) + "+" +
                          UrlEncodeText(ClientVersion) + "&proto=5";
  Status(Announcement);
  try {
    if (!Http) {
      Http.reset(THttpCli::Create(nullptr));
      Http->OnRequestDone = Bind(this, &TCddb::HttpRequestDone);
      Http->Proxy = ProxyAddress;
      Http->ProxyPort = ProxyPort;
      Http->ProxyUsername = ProxyUsername;
      Http->ProxyPassword = ProxyPassword;
    }
    Received->SetSize(0);
    Received->Seek(0, soBeginning);
    Http->ReceiveStream = Received.get();
    Http->URL = Url;
    OnDataExchange(this, Url + "\r\n");
    Http->GetAsync();
  } catch (const std::exception&) {
    State = stHttpFailed;
    RequestFailedStatus();
    return -1;
  }
  State = Running;
  return 0;
}

int TCddb::HttpQuery() {
  if (CDInfo.Toc.TrackCount == 0) {
    Status("No CD in CD/DVD drive!");
    return -1;
  }
  return StartRequest(UrlEncodeText(CddbQueryCommand(CDInfo.Toc)), "Querying CD", stQuerySent);
}

int TCddb::HttpRead() {
  if (State == stNoMatch) {
    Status("Can't perform a CDDB READ without a successful CDDB QUERY!");
    return -1;
  }
  // Both come from the server's answer: encoded, they stay inside the command.
  return StartRequest("cddb+read+" + UrlEncodeText(Trim(CDInfo.Category)) + "+" + UrlEncodeText(Trim(CDInfo.DiscId)),
                      "Reading CD info", stReadSent);
}

void TCddb::AbortHttp() {
  if (!Http) return;
  THttpCli* Old = Http.release();
  Old->OnRequestDone = nullptr;
  Old->Abort();
  Old->ReceiveStream = nullptr;  // the answer it might still get is nobody's
  Old->ReleaseLater();
}

void TCddb::HttpRequestDone(TObject* Sender, THttpRequest, uint16_t ErrCode) {
  if (Sender != Http.get()) return;
  if (ErrCode != 0) {
    State = stHttpFailed;
    RequestFailedStatus();
    return;
  }
  const std::vector<std::string> Lines = StreamToLines(Received->GetDataString());
  if (State == stQuerySent) {
    // Lines after the query's outcome add nothing to it.
    for (size_t I = 0; I < Lines.size() && State == stQuerySent; ++I) HandleQueryLine(Lines[I]);
    if (State != stMatchChosen && State != stNoMatch && State != stHttpFailed) {
      State = stHttpFailed;
      Status("The CD database server's answer held no match list");
    }
  } else if (State == stReadSent) {
    for (size_t I = 0; I < Lines.size() && State == stReadSent; ++I) HandleReadLine(Lines[I]);
    if (State == stEntryRead) {
      ParseReadEntry();
    } else if (State != stReadFailed) {
      State = stReadFailed;
      Status("The CD database server's answer ended before the entry did");
    }
  }
}

void TCddb::HandleQueryLine(const std::string& Line) {
  const std::string Code = Line.substr(0, 3);
  if (Code == "200") {
    State = stMatchChosen;
    Status("Found exact match");
    Matches = TMatchArray{};
    Matches[0] = Trim(Line.size() > 4 ? Line.substr(4) : std::string());
    int RightOne = 0;
    OnMatch(this, Matches, RightOne);
    if (RightOne == -1) {
      State = stNoMatch;
    } else {
      CDInfo.Category = Matches[0].substr(0, Matches[0].find(' '));
      CDInfo.DiscId = CddbDiscIdText(CDInfo.Toc);
    }
  } else if (Code == "210" || Code == "211") {
    Status(Code == "210" ? "Found exact matches" : "Found inexact matches");
    Matches = TMatchArray{};
    Status("OK, receiving matches");
  } else if (Code == "202") {
    State = stNoMatch;
    Status("No match found");
  } else if (Code == "403") {
    State = stNoMatch;
    Status("Database entry is corrupt");
  } else if (Code == "409") {
    State = stNoMatch;
    Handshaken = false;
    Status("No handshake");
  } else if (!Line.empty() && std::isdigit(static_cast<unsigned char>(Line[0]))) {
    HandleResponseCode(Line, stHttpFailed);
  } else if (!Line.empty() && Line[0] == '.') {
    State = stMatchesReceived;
    Status("Received matches");
    int RightOne = 0;
    OnMatch(this, Matches, RightOne);
    ChooseMatch(RightOne);
  } else if (const std::string Match = Trim(Line); !Match.empty()) {
    for (std::string& Entry : Matches)
      if (Entry.empty()) {
        Entry = Match;
        break;
      }
  }
}

void TCddb::ChooseMatch(int RightOne) {
  if (RightOne < 0 || RightOne >= int(Matches.size()) || Matches[RightOne].empty()) {
    State = stNoMatch;
    return;
  }
  const std::string& M = Matches[RightOne];
  const size_t Blank = M.find(' ');
  CDInfo.Category = M.substr(0, Blank);
  CDInfo.DiscId = Blank == std::string::npos ? std::string() : LowerCase(M.substr(Blank + 1, 8));
  State = stMatchChosen;
}

void TCddb::HandleReadLine(const std::string& Line) {
  const std::string Code = Line.substr(0, 3);
  if (Code == "210") {
    Status("OK, CDDB database entry follows");
    EntryLines = TEntryArray{};
  } else if (Code == "401") {
    State = stReadFailed;
    Status("Specified CDDB entry not found");
  } else if (Code == "403") {
    State = stReadFailed;
    Status("Database entry is corrupt");
  } else if (Code == "409") {
    State = stReadFailed;
    Handshaken = false;
    Status("No handshake");
  } else if (Code == "402") {
  } else if (!Line.empty() && Line[0] == '.') {
    State = stEntryRead;
    Status("Entry read");
  } else if (!Line.empty() && std::string("#TDEP").find(Line[0]) != std::string::npos) {
    for (std::string& Entry : EntryLines)
      if (Entry.empty()) {
        Entry = Trim(Line);
        break;
      }
  } else if (!Line.empty()) {
    State = stReadFailed;
    HandleResponseCode(Line, stReadFailed);
  }
}

void TCddb::HandleResponseCode(const std::string& Line, int FailedState) {
  if (Line.size() < 3 || !std::isdigit(static_cast<unsigned char>(Line[0])) ||
      !std::isdigit(static_cast<unsigned char>(Line[1])) || !std::isdigit(static_cast<unsigned char>(Line[2]))) {
    State = FailedState;
    Status("Unexpected answer from the CD database server: " + Excerpt(Line));
    return;
  }
  const int Code = std::stoi(Line.substr(0, 3));
  if (Code == 530 || Code % 100 == 30) Handshaken = false;
  if (Code != 530 && Code % 100 == 30) State = stIdle;
  Status(CddbResponseText(Code));
}

void TCddb::ParseReadEntry() {
  const std::string Category = CDInfo.Category;
  TLocalCDDB Parser;
  if (Parser.ParseEntry(CDInfo, EntryLines) == TLocalCDDB::EntryCorrupt) Status("The entry is corrupt");
  // The table and the disc id come from the drive again, not from the entry.
  try {
    ReselectDrive();
  } catch (const std::exception& E) {
    Status(E.what());
  }
  CDInfo.Category = Category;
}
