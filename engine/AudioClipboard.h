// The one audio clipboard every editor of the process shares. It holds block
// references, so copying an hour of audio costs no more than a second of it.
#pragma once
#include "engine/SampleSequence.h"

struct TAudioClipboard {
  TSampleSequence Audio;
  int Rate = 44100;
  bool HasData = false;
};

TAudioClipboard& AudioClipboard();
