// The trace logger and the content-coding layer of the web client.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Loopback.h"
#include "SocketProbe.h"
#include "framework/MemoryStreams.h"
#include "net/HttpContCod.h"
#include "net/NetException.h"
#include "net/NetLogger.h"

using namespace sonvelt::net;

namespace {

std::string ReadFile(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

bool IsStamp(const std::string& s) {
  if (s.size() < 13) return false;
  for (size_t i : {2u, 5u, 8u})
    if (s[i] != ':') return false;
  for (size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 9u, 10u, 11u})
    if (!isdigit(static_cast<unsigned char>(s[i]))) return false;
  return s[12] == ' ';
}

}  // namespace

TEST(NetLogger, FileLinesStampsAndOptions) {
  const std::string file = "net-logger-test.log";
  DeleteFileA(file.c_str());
  TNetPtr<TNetLogger> logger(TNetLogger::Create(nullptr));
  logger->SetLogOptions({loDestFile, loAddStamp});
  EXPECT_THROW(logger->DoLog(nullptr, loWsockInfo, "no file yet"), ELoggerException);
  logger->SetLogFileName(file);
  logger->DoLog(nullptr, loWsockInfo, "first");
  logger->DoLog(nullptr, loWsockInfo, "second");
  logger->CloseLogFile();
  std::string text = ReadFile(file);
  ASSERT_EQ(text.size(), (13 + 7) + (13 + 8));
  EXPECT_TRUE(IsStamp(text)) << text;
  EXPECT_EQ(text.substr(13, 7), "first\r\n");
  EXPECT_EQ(text.substr(text.size() - 8), "second\r\n");

  logger->SetLogOptions({loDestFile});
  logger->DoLog(nullptr, loWsockInfo, "appended");  // append is the default
  logger->CloseLogFile();
  EXPECT_EQ(ReadFile(file).substr(text.size()), "appended\r\n");
  logger->SetLogFileOption(lfoOverwrite);
  logger->DoLog(nullptr, loWsockInfo, "alone");
  logger->CloseLogFile();
  EXPECT_EQ(ReadFile(file), "alone\r\n");
  logger.reset();
  DeleteFileA(file.c_str());
}

TEST(NetLogger, SocketTracesReachTheEventAndAFreedLoggerIsForgotten) {
  struct Sink {
    std::vector<std::string> Lines;
    void Log(TObject*, TLogOption, const std::string& msg) { Lines.push_back(msg); }
  } sink;
  ScriptServer server([](SOCKET) {});
  auto* logger = TNetLogger::Create(nullptr);
  logger->SetLogOptions({loDestEvent, loWsockInfo});
  logger->SetOnNetLogEvent(Bind(&sink, &Sink::Log));
  TNetPtr<TWSocket> s(TWSocket::Create(nullptr));
  s->SetNetLogger(logger);
  s->SetAddr("127.0.0.1");
  s->SetPort(server.PortText());
  s->Connect();
  ASSERT_FALSE(sink.Lines.empty());
  EXPECT_EQ(sink.Lines[0], "TWSocket will connect to 127.0.0.1:" + server.PortText());
  Free(logger);
  EXPECT_EQ(s->GetNetLogger(), nullptr);
  PumpUntil([&] { return s->GetState() == wsClosed; });
}

TEST(ContentCoding, HeaderAndPrepare) {
  TNetPtr<TStringStream> out(TStringStream::Create());
  TStream* target = out.get();
  THttpContCodHandler h(&target, nullptr);
  EXPECT_EQ(h.HeaderText(), "");  // disabled
  h.SetEnabled(true);
  EXPECT_EQ(h.HeaderText(), "");  // both codings have quality 0
  h.SetUseQuality(true);
  EXPECT_EQ(h.HeaderText(), "identity;q=0, *;q=0");
  h.GetItems()[0].Quality = 0.5f;
  h.SetUseQuality(false);
  EXPECT_EQ(h.HeaderText(), "identity");
  EXPECT_TRUE(h.Prepare("identity"));
  h.WriteInput("abc", 3);
  EXPECT_FALSE(h.Prepare("identity, gzip"));
  h.WriteInput("def", 3);  // undecoded, straight to the stream
  EXPECT_EQ(out->GetDataString(), "abcdef");
  EXPECT_EQ(ContentCodingsRegistry().FindCoding("IDENTITY")->Coding, "identity");
  EXPECT_EQ(ContentCodingsRegistry().FindCoding("br"), nullptr);
}
