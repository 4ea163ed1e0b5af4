// The guard of one editor operation: it marks the editor busy, reports
// progress between blocks of long work and lets the message queue run there.
#pragma once
#include <cstdint>

#include "engine/TAudioEditor2.h"

class TAudioEditor2::TOperation {
 public:
  // total: frames the operation will go through.
  TOperation(TAudioEditor2& editor, int64_t total);
  ~TOperation();
  TOperation(const TOperation&) = delete;
  TOperation& operator=(const TOperation&) = delete;
  void Progress(int64_t done);

 private:
  TAudioEditor2& Editor;
  int64_t Total;
  int LastPercent = -1;
  bool Reported = false;
};

// Handles the pending messages of the calling thread once.
void PumpMessages();
