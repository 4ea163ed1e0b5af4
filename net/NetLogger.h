// Trace lines of sockets and the web client: to an event, the debugger or a
// file. Shared between threads, so every access goes through its lock.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Delegate.h"
#include "framework/OwnedObject.h"
#include "framework/Set.h"
#include "framework/Streams.h"
#include "framework/SyncObjs.h"

namespace sonvelt::net {

enum TLogOption {
  loDestEvent, loDestFile, loDestOutDebug, loAddStamp, loWsockErr, loWsockInfo, loWsockDump, loSslErr, loSslInfo,
  loSslDump, loProtSpecErr, loProtSpecInfo, loProtSpecDump
};
using TLogOptions = TSet<TLogOption>;
enum TLogFileOption { lfoAppend, lfoOverwrite };
using TNetLogEvent = TDelegate<void(TObject* Sender, TLogOption LogOption, const std::string& Msg)>;

class TNetLogger : public TComponent {
  SONVELT_CLASS(TNetLogger, TComponent)
public:
  explicit TNetLogger(TComponent* AOwner);
  ~TNetLogger() override;
  void BeforeDestruction() override;

  TLogOptions GetLogOptions();
  void SetLogOptions(TLogOptions value);
  std::string GetLogFileName();
  void SetLogFileName(const std::string& value);
  void SetLogFileOption(TLogFileOption value);
  void SetOnNetLogEvent(TNetLogEvent value);
  bool Wants(TLogOption option);

  void DoLog(TObject* sender, TLogOption option, const std::string& msg);
  void OpenLogFile();  // raises ELoggerException for an empty file name
  void CloseLogFile();

private:
  void WriteToLogFile(const std::string& line);
  TLogOptions LogOptions;
  std::string LogFileName;
  TLogFileOption LogFileOption = lfoAppend;
  TNetLogEvent OnNetLogEvent;
  TOwned<TFileStream> File;
  TOwned<TCriticalSection> Section = MakeOwned<TCriticalSection>();
  bool Closing = false;
};

std::string LogTimeStamp();

}  // namespace sonvelt::net
