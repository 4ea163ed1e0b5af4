#include "app/BusyCursor.h"

#include "framework/Screen.h"

int BusyCount = 0;

void BeginBusy() {
  ++BusyCount;
  Screen->SetCursor(crHourGlass);
}

void EndBusy() {
  if (BusyCount <= 0) return;
  if (--BusyCount == 0) Screen->SetCursor(crDefault);
}
