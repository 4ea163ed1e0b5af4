#include "app/TimeText.h"

#include <cstdio>

THms MsToHms(int Milliseconds) {
  const int Seconds = Milliseconds / 1000;
  return {Milliseconds / 3600000, Seconds % 3600 / 60, Seconds % 60, Milliseconds % 1000};
}

int HmsToMs(int H, int M, int S, int Ms) { return H * 3600000 + M * 60000 + S * 1000 + Ms; }

std::string FormatMsTime(int Milliseconds) {
  const THms T = MsToHms(Milliseconds);
  char Buf[48];
  std::snprintf(Buf, sizeof Buf, "%.1d:%.2d:%.2d.%.3d", T.Hours, T.Minutes, T.Seconds, T.Milliseconds);
  return Buf;
}

std::vector<std::string> SplitString(const std::string& Text, char Delimiter) {
  std::vector<std::string> Items;
  size_t Start = 0;
  for (size_t P = Text.find(Delimiter); P != std::string::npos; P = Text.find(Delimiter, Start)) {
    Items.push_back(Text.substr(Start, P - Start));
    Start = P + 1;
  }
  Items.push_back(Text.substr(Start));
  return Items;
}
