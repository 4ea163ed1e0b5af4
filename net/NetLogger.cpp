#include "net/NetLogger.h"

#include <cstdio>

#include "framework/FileUtils.h"
#include "net/NetException.h"

namespace sonvelt::net {

std::string LogTimeStamp() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u:%03u", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  return buf;
}

TNetLogger::TNetLogger(TComponent* AOwner) : TComponent(AOwner) {}

void TNetLogger::BeforeDestruction() {
  {
    TLock h(Section.get());
    Closing = true;
    File.reset();
  }
  TComponent::BeforeDestruction();
}

TNetLogger::~TNetLogger() = default;

TLogOptions TNetLogger::GetLogOptions() {
  TLock h(Section.get());
  return LogOptions;
}

void TNetLogger::SetLogOptions(TLogOptions value) {
  TLock h(Section.get());
  LogOptions = value;
}

bool TNetLogger::Wants(TLogOption option) { return GetLogOptions().Contains(option); }

std::string TNetLogger::GetLogFileName() {
  TLock h(Section.get());
  return LogFileName;
}

void TNetLogger::SetLogFileName(const std::string& value) {
  TLock h(Section.get());
  if (value == LogFileName) return;
  File.reset();
  LogFileName = value;
}

void TNetLogger::SetLogFileOption(TLogFileOption value) {
  TLock h(Section.get());
  LogFileOption = value;
}

void TNetLogger::SetOnNetLogEvent(TNetLogEvent value) {
  TLock h(Section.get());
  OnNetLogEvent = value;
}

void TNetLogger::OpenLogFile() {
  TLock h(Section.get());
  File.reset();
  if (LogFileName.empty()) throw ELoggerException("File name empty");
  if (!FileExists(LogFileName)) Free(TFileStream::Create(LogFileName, fmCreate | fmShareDenyNone));
  File.reset(TFileStream::Create(LogFileName, fmOpenReadWrite | fmShareDenyWrite));
  if (LogFileOption == lfoOverwrite) File->SetSize(0);
  else File->SetPosition(File->GetSize());
}

void TNetLogger::CloseLogFile() {
  TLock h(Section.get());
  File.reset();
}

void TNetLogger::WriteToLogFile(const std::string& line) {
  if (!File) OpenLogFile();
  std::string l = line + "\r\n";
  File->Write(l.data(), int32_t(l.size()));
}

void TNetLogger::DoLog(TObject* sender, TLogOption option, const std::string& msg) {
  TLock h(Section.get());
  if (Closing) return;
  std::string line = LogOptions.Contains(loAddStamp) ? LogTimeStamp() + " " + msg : msg;
  if (LogOptions.Contains(loDestEvent) && OnNetLogEvent) OnNetLogEvent(sender, option, line);
  if (LogOptions.Contains(loDestOutDebug)) OutputDebugStringA(line.c_str());
  if (LogOptions.Contains(loDestFile)) WriteToLogFile(line);
}

}  // namespace sonvelt::net
