// Positions as text: hours:minutes:seconds.milliseconds (0:01:05.250).
#pragma once

#include <string>
#include <vector>

struct THms {
  int Hours, Minutes, Seconds, Milliseconds;
};

THms MsToHms(int Milliseconds);
int HmsToMs(int H, int M, int S, int Ms);
// Hours are not wrapped: 100 hours read 100:00:00.000.
std::string FormatMsTime(int Milliseconds);
// The text before each delimiter and the rest as the last item ("" gives one item).
std::vector<std::string> SplitString(const std::string& Text, char Delimiter);
