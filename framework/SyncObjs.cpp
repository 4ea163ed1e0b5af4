#include "framework/SyncObjs.h"

#include "framework/Exceptions.h"

TEvent::TEvent(bool ManualReset, bool InitialState) : FHandle(CreateEventW(nullptr, ManualReset, InitialState, nullptr)) {
  if (!FHandle) RaiseLastOSError();
}

TEvent::~TEvent() { CloseHandle(FHandle); }

void TEvent::SetEvent() { ::SetEvent(FHandle); }

void TEvent::ResetEvent() { ::ResetEvent(FHandle); }

TWaitResult TEvent::WaitFor(DWORD Timeout) {
  switch (WaitForSingleObject(FHandle, Timeout)) {
    case WAIT_OBJECT_0: return wrSignaled;
    case WAIT_TIMEOUT: return wrTimeout;
    case WAIT_ABANDONED: return wrAbandoned;
    default: return wrError;
  }
}
