#include "cd/CddbProtocol.h"

#include <cctype>
#include <cstdio>

namespace {

int DigitSum(int N) {
  int Sum = 0;
  for (; N > 0; N /= 10) Sum += N % 10;
  return Sum;
}

int SecondsOf(const TCDTrackEntry& E) { return E.Minute * 60 + E.Second; }

}  // namespace

uint32_t CddbDiscId(const TCDTrackTable& Toc) {
  uint32_t N = 0;
  for (int I = 0; I < Toc.TrackCount; ++I) N += DigitSum(SecondsOf(Toc.Tracks[I]));
  const int T = Toc.TrackCount ? SecondsOf(Toc.LeadOut) - SecondsOf(Toc.Tracks[0]) : 0;
  return (N % 255) << 24 | (uint32_t(T) & 0xFFFF) << 8 | Toc.TrackCount;
}

std::string CddbDiscIdText(const TCDTrackTable& Toc) {
  char Text[9];
  std::snprintf(Text, sizeof Text, "%08x", CddbDiscId(Toc));
  return Text;
}

std::string CddbQueryCommand(const TCDTrackTable& Toc) {
  std::string Command = "cddb query " + CddbDiscIdText(Toc) + " " + std::to_string(Toc.TrackCount);
  for (int I = 0; I < Toc.TrackCount; ++I) Command += " " + std::to_string(FrameAddress(Toc.Tracks[I]));
  return Command + " " + std::to_string(SecondsOf(Toc.LeadOut));
}

std::string UrlEncodeText(const std::string& Text) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string Out;
  for (unsigned char C : Text) {
    if (C == ' ') Out += '+';
    else if (std::isalnum(C) && C < 128) Out += char(C);
    else Out += {'%', Hex[C >> 4], Hex[C & 15]};
  }
  return Out;
}

std::string AtToBlank(const std::string& Text) {
  const size_t At = Text.rfind('@');
  if (At == std::string::npos) return {};
  std::string Out = Text;
  Out[At] = ' ';
  return Out;
}

std::vector<std::string> StreamToLines(const std::string& Data) {
  std::vector<std::string> Lines;
  size_t Start = 0;
  for (size_t I = 0; I < Data.size(); ++I) {
    if (Data[I] != '\r' && Data[I] != '\n') continue;
    Lines.push_back(Data.substr(Start, I - Start));
    if (Data[I] == '\r' && I + 1 < Data.size() && Data[I + 1] == '\n') ++I;
    Start = I + 1;
  }
  if (Start < Data.size()) Lines.push_back(Data.substr(Start));
  return Lines;
}

std::string CddbResponseText(int Code) {
  switch (Code) {
    case 402: return "Server error";
    case 408: return "CGI environment error";
    case 500: return "Command syntax error, command unknown, command unimplemented";
    case 530: return "Server error, server timeout";
  }
  static const char* const Hundreds[] = {"",
                                         "Informative message",
                                         "Command OK",
                                         "Command OK so far",
                                         "Command OK, but cannot be performed",
                                         "Command unimplemented, incorrect, or program error"};
  std::string Text = Code / 100 >= 1 && Code / 100 <= 5 ? Hundreds[Code / 100] : "";
  switch (Code % 100) {
    case 0: Text += ", ready for further commands"; break;
    case 10: Text += ", more server-to-client output follows"; break;
    case 20: Text += ", more client-to-server input follows"; break;
    case 30: Text += ", connection will close"; break;
  }
  return Text;
}
