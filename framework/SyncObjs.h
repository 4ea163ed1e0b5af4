// Synchronisation objects: TCriticalSection (Acquire/Release, or a TLock scope) and
// TEvent (a Win32 event; WaitFor gives wrSignaled or wrTimeout).
#pragma once

#include <windows.h>

#include "framework/Object.h"

class TCriticalSection : public TObject {
  SONVELT_CLASS(TCriticalSection, TObject)
public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;
  ~TCriticalSection() override { DeleteCriticalSection(&FSection); }
  void Acquire() { EnterCriticalSection(&FSection); }
  void Release() { LeaveCriticalSection(&FSection); }
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter() { return TryEnterCriticalSection(&FSection) != 0; }

private:
  CRITICAL_SECTION FSection;
};

// Holds a critical section for the scope it lives in.
class TLock {
public:
  explicit TLock(TCriticalSection* Section) : FSection(Section) { FSection->Acquire(); }
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;
  ~TLock() { FSection->Release(); }

private:
  TCriticalSection* FSection;
};

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

class TEvent : public TObject {
  SONVELT_CLASS(TEvent, TObject)
public:
  TEvent(bool ManualReset, bool InitialState);
  TEvent() : TEvent(true, false) {}
  TEvent(const TEvent&) = delete;
  TEvent& operator=(const TEvent&) = delete;
  ~TEvent() override;
  void SetEvent();
  void ResetEvent();
  TWaitResult WaitFor(DWORD Timeout = INFINITE);
  HANDLE GetHandle() const { return FHandle; }

private:
  HANDLE FHandle;
};

// A manual-reset event that starts unsignalled.
class TSimpleEvent : public TEvent {
  SONVELT_CLASS(TSimpleEvent, TEvent)
public:
  TSimpleEvent() : TEvent(true, false) {}
};
