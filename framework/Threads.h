// TThread: a worker thread running the virtual Execute.
//
//   class TScan : public TThread {
//     SONVELT_CLASS(TScan, TThread)
//   public:
//     TScan() : TThread(false) {}                       // starts after construction
//   protected:
//     void Execute() override {
//       while (!GetTerminated()) { ...; Synchronize([this] { ShowProgress(); }); }
//     }
//   };
//   TScan* T = TScan::Create();  ...  T->Terminate(); T->WaitFor(); Free(T);
//
// The thread starts only once the object is whole (after AfterConstruction). Synchronize
// runs a call on the main thread and waits for it; the main thread serves such calls
// in its message loop (a hidden window is told of each) and in WaitFor, which also
// keeps handling sent messages, so a worker that synchronises or sends a message while
// the main thread waits for it cannot deadlock. Freeing a running thread terminates it
// and waits. An exception that leaves Execute ends the thread and is kept
// (GetFatalException) for the owner to look at.
#pragma once

#include <exception>
#include <functional>

#include <windows.h>

#include "framework/Delegate.h"
#include "framework/Object.h"

using TThreadMethod = TDelegate<void()>;

class TThread : public TObject {
  SONVELT_CLASS(TThread, TObject)
public:
  explicit TThread(bool CreateSuspended);
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;
  ~TThread() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  void Start();  // runs a thread created suspended
  void Resume() { Start(); }
  void Terminate() { FTerminated = true; }
  bool GetTerminated() const { return FTerminated; }
  // Waits for Execute to end; gives the thread's ReturnValue.
  int WaitFor();
  bool GetFinished() const { return FFinished; }
  bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  HANDLE GetHandle() const { return FHandle; }
  DWORD GetThreadID() const { return FThreadID; }
  int GetReturnValue() const { return FReturnValue; }
  std::exception_ptr GetFatalException() const { return FFatalException; }
  // Run on the main thread once Execute has ended (before a FreeOnTerminate free).
  TNotifyEvent GetOnTerminate() const { return FOnTerminate; }
  void SetOnTerminate(TNotifyEvent Value) { FOnTerminate = Value; }

  // Runs Method on the main thread and waits for it; an exception it raises comes back here.
  static void Synchronize(TThread* AThread, const std::function<void()>& Method);
  void Synchronize(const std::function<void()>& Method) { Synchronize(this, Method); }
  void Synchronize(TThreadMethod Method) { Synchronize(this, [Method] { Method(); }); }
  // Serves the calls that workers are waiting on; true when one ran. Main thread only.
  static bool CheckSynchronize(DWORD Timeout = 0);
  static DWORD MainThreadID();

protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  void SetReturnValue(int Value) { FReturnValue = Value; }

private:
  static unsigned __stdcall ThreadProc(void* Param);

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  bool FCreateSuspended;
  bool FStarted = false;
  volatile bool FTerminated = false;
  volatile bool FFinished = false;
  bool FFreeOnTerminate = false;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
  TNotifyEvent FOnTerminate;
};
