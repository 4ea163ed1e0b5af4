#include "net/NetLogger.h"

#include <cstdio>

#include "framework/FileUtils.h"
#include "net/NetException.h"

namespace sonvelt::net {

namespace {
struct SectionHold {
  explicit SectionHold(CRITICAL_SECTION& s) : S(s) { EnterCriticalSection(&S); }
  ~SectionHold() { LeaveCriticalSection(&S); }
  CRITICAL_SECTION& S;
};
}  // namespace

std::string LogTimeStamp() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u:%03u", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  return buf;
}

TNetLogger::TNetLogger(TComponent* AOwner) : TComponent(AOwner) { InitializeCriticalSection(&Section); }

void TNetLogger::BeforeDestruction() {
  {
    SectionHold h(Section);
    Closing = true;
    File.reset();
  }
  TComponent::BeforeDestruction();
}

TNetLogger::~TNetLogger() { DeleteCriticalSection(&Section); }

TLogOptions TNetLogger::GetLogOptions() {
  SectionHold h(Section);
  return LogOptions;
}

void TNetLogger::SetLogOptions(TLogOptions value) {
  SectionHold h(Section);
  LogOptions = value;
}

bool TNetLogger::Wants(TLogOption option) { return GetLogOptions().Contains(option); }

std::string TNetLogger::GetLogFileName() {
  SectionHold h(Section);
  return LogFileName;
}

void TNetLogger::SetLogFileName(const std::string& value) {
  SectionHold h(Section);
  if (value == LogFileName) return;
  File.reset();
  LogFileName = value;
}

void TNetLogger::SetLogFileOption(TLogFileOption value) {
  SectionHold h(Section);
  LogFileOption = value;
}

void TNetLogger::SetOnNetLogEvent(TNetLogEvent value) {
  SectionHold h(Section);
  OnNetLogEvent = value;
}

void TNetLogger::OpenLogFile() {
  SectionHold h(Section);
  File.reset();
  if (LogFileName.empty()) throw ELoggerException("File name empty");
  if (!FileExists(LogFileName)) Free(TFileStream::Create(LogFileName, fmCreate | fmShareDenyNone));
  File.reset(TFileStream::Create(LogFileName, fmOpenReadWrite | fmShareDenyWrite));
  if (LogFileOption == lfoOverwrite) File->SetSize(0);
  else File->SetPosition(File->GetSize());
}

void TNetLogger::CloseLogFile() {
  SectionHold h(Section);
  File.reset();
}

void TNetLogger::WriteToLogFile(const std::string& line) {
  if (!File) OpenLogFile();
  std::string l = line + "\r\n";
  File->Write(l.data(), int32_t(l.size()));
}

void TNetLogger::DoLog(TObject* sender, TLogOption option, const std::string& msg) {
  SectionHold h(Section);
  if (Closing) return;
  std::string line = LogOptions.Contains(loAddStamp) ? LogTimeStamp() + " " + msg : msg;
  if (LogOptions.Contains(loDestEvent) && OnNetLogEvent) OnNetLogEvent(sender, option, line);
  if (LogOptions.Contains(loDestOutDebug)) OutputDebugStringA(line.c_str());
  if (LogOptions.Contains(loDestFile)) WriteToLogFile(line);
}

}  // namespace sonvelt::net
