// The CD database client: identifies the disc in a drive by its disc id and
// fetches its titles over HTTP (query, then read), reporting every step as a
// status text and the chosen match through OnMatch. Nothing is raised by the
// HTTP operations; failures end in State 13 (read) or 16 (request).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cd/CDInfo.h"
#include "cd/CddbProtocol.h"
#include "cd/LocalCDDB.h"
#include "framework/Component.h"
#include "framework/Delegate.h"
#include "framework/OwnedObject.h"
#include "net/HttpCli.h"

class TStringStream;

enum TServerType { CDDBP, HTTP };

using TMatchArray = std::array<std::string, 100>;
using TStatusEvent = TDelegate<void(TObject* Sender, const std::string& Status)>;
// RightOne comes in as 0; -1 chooses none.
using TMatchEvent = TDelegate<void(TObject* Sender, const TMatchArray& Matches, int& RightOne)>;

class TCddb : public TComponent {
  SONVELT_CLASS(TCddb, TComponent)
public:
  // The State values.
  static constexpr int stIdle = -1, stMatchChosen = 3, stMatchesReceived = 4, stNoMatch = 5, stQuerySent = 6,
                       stReadSent = 11, stEntryRead = 12, stReadFailed = 13, stHttpFailed = 16;

  explicit TCddb(TComponent* AOwner);
  ~TCddb() override;

  // Makes a drive current and reads its disc; false without a readable disc.
  bool SelectDrive(int Index);
  bool ReselectDrive();
  char GetDriveLetter();
  TCDInfo& GetCDInfo() { return CDInfo; }
  const TCDDriveList& GetDriveList() const { return DriveList; }
  const TMatchArray& GetMatches() const { return Matches; }
  int GetState() const { return State; }

  // 0 when the request was started, -1 otherwise.
  int HttpQuery();
  int HttpRead();
  // Abandons the running request: its completion, whenever it comes, is ignored.
  void AbortHttp();

  bool InternalTOCRetrieve = false;
  TCDInterface CDInterface = cdiAutoDetect;
  std::string EmailUser = "sonvelt@localhost";
  std::string ServerAddr;
  std::string ServerAdditionalAddr = "/~cddb/cddb.cgi";
  std::string ServerPort;
  TServerType ServerType = CDDBP;
  std::string ProxyAddress, ProxyPort = "80", ProxyUsername, ProxyPassword;
  std::string ClientName = "Sonvelt", ClientVersion = "2.0";

  TStatusEvent OnStatusMessage;
  TStatusEvent OnDataExchange;
  TMatchEvent OnMatch;

private:
  void Status(const std::string& Text);
  // Sends the command to the server over HTTP; 0 and State Running when started.
  int StartRequest(const std::string& Command, const char* Announcement, int Running);
  void HttpRequestDone(TObject* Sender, sonvelt::net::THttpRequest RqType, uint16_t ErrCode);
  void HandleQueryLine(const std::string& Line);
  void HandleReadLine(const std::string& Line);
  void ChooseMatch(int RightOne);
  // A line that carries no code ends the query or read in FailedState.
  void HandleResponseCode(const std::string& Line, int FailedState);
  void ParseReadEntry();
  void RequestFailedStatus();

  int State = stIdle;
  bool Handshaken = false;
  TCDDriveList DriveList;
  TCDInfo CDInfo;
  TMatchArray Matches;
  TEntryArray EntryLines;
  // One client a request: an abandoned one finishes on its own and frees itself.
  TOwned<sonvelt::net::THttpCli> Http;
  TOwned<TStringStream> Received;
};
