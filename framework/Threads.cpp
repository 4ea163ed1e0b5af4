#include "framework/Threads.h"

#include <deque>
#include <mutex>

#include <process.h>

#include "framework/Exceptions.h"
#include "framework/MessageWindow.h"

namespace {

// Static initialisation runs on the main thread.
const DWORD gMainThreadID = GetCurrentThreadId();

struct TSyncRequest {
  const std::function<void()>* Method;
  std::exception_ptr Error;
  HANDLE Done;
};

std::mutex& QueueLock() {
  static std::mutex m;
  return m;
}
std::deque<TSyncRequest*>& Queue() {
  static std::deque<TSyncRequest*> q;
  return q;
}
// Signalled when a request waits; lets WaitFor wake for it.
HANDLE SyncEvent() {
  static HANDLE e = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  return e;
}

constexpr wchar_t kSyncWindowClass[] = L"SonveltThreadSync";
constexpr UINT kSyncMessage = WM_APP + 0x3F02;
HWND gSyncWindow = nullptr;

LRESULT CALLBACK SyncWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kSyncMessage) {
    try {
      TThread::CheckSynchronize();
    } catch (...) {
      ReportException(nullptr);
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

// A message-only window of the main thread, so that its message loop serves requests.
void EnsureSyncWindow() {
  if (gSyncWindow || GetCurrentThreadId() != gMainThreadID) return;
  gSyncWindow = CreateMessageWindow(kSyncWindowClass, SyncWndProc);
}

}  // namespace

DWORD TThread::MainThreadID() { return gMainThreadID; }

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {
  EnsureSyncWindow();
  SyncEvent();
  unsigned id = 0;
  FHandle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id));
  if (!FHandle) throw EThread("Thread creation error: %s", {SysErrorMessage(GetLastError())});
  FThreadID = id;
}

void TThread::AfterConstruction() {
  TObject::AfterConstruction();
  if (!FCreateSuspended) Start();
}

void TThread::BeforeDestruction() {
  // The thread may still run Execute on this object: end it while the object is whole.
  if (FHandle && GetCurrentThreadId() != FThreadID && !FFinished) {
    Terminate();
    if (!FStarted) Start();
    WaitFor();
  }
  TObject::BeforeDestruction();
}

TThread::~TThread() {
  if (FHandle) CloseHandle(FHandle);
}

void TThread::Start() {
  if (FStarted) return;
  FStarted = true;
  if (ResumeThread(FHandle) == static_cast<DWORD>(-1)) {
    FStarted = false;
    throw EThread("Error resuming thread: %s", {SysErrorMessage(GetLastError())});
  }
}

unsigned __stdcall TThread::ThreadProc(void* Param) {
  auto* t = static_cast<TThread*>(Param);
  try {
    if (!t->FTerminated) t->Execute();
  } catch (...) {
    t->FFatalException = std::current_exception();
  }
  bool freeIt = t->FFreeOnTerminate;
  unsigned result = static_cast<unsigned>(t->FReturnValue);
  try {
    t->DoTerminate();
  } catch (...) {
    if (!t->FFatalException) t->FFatalException = std::current_exception();
  }
  t->FFinished = true;
  if (freeIt) Free(t);
  return result;
}

void TThread::DoTerminate() {
  if (FOnTerminate) Synchronize([this] { FOnTerminate(this); });
}

int TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread("A thread cannot wait for itself");
  if (GetCurrentThreadId() == gMainThreadID) {
    HANDLE handles[2] = {FHandle, SyncEvent()};
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r == WAIT_OBJECT_0) break;
      if (r == WAIT_OBJECT_0 + 1) {
        CheckSynchronize();
      } else if (r == WAIT_OBJECT_0 + 2) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers the sent messages
      } else {
        RaiseLastOSError();
      }
    }
  } else {
    WaitForSingleObject(FHandle, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeThread(FHandle, &code);
  return static_cast<int>(code);
}

void TThread::Synchronize(TThread* AThread, const std::function<void()>& Method) {
  (void)AThread;
  if (GetCurrentThreadId() == gMainThreadID) {
    Method();
    return;
  }
  TSyncRequest req{&Method, nullptr, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  if (!req.Done) RaiseLastOSError();
  {
    std::lock_guard<std::mutex> lock(QueueLock());
    Queue().push_back(&req);
  }
  SetEvent(SyncEvent());
  if (gSyncWindow) PostMessageW(gSyncWindow, kSyncMessage, 0, 0);
  WaitForSingleObject(req.Done, INFINITE);
  CloseHandle(req.Done);
  if (req.Error) std::rethrow_exception(req.Error);
}

bool TThread::CheckSynchronize(DWORD Timeout) {
  if (GetCurrentThreadId() != gMainThreadID)
    throw EThread("CheckSynchronize called from thread $%x, which is NOT the main thread", {GetCurrentThreadId()});
  bool empty;
  {
    std::lock_guard<std::mutex> lock(QueueLock());
    empty = Queue().empty();
  }
  if (empty && Timeout > 0) WaitForSingleObject(SyncEvent(), Timeout);
  bool ran = false;
  for (;;) {
    TSyncRequest* req;
    {
      std::lock_guard<std::mutex> lock(QueueLock());
      if (Queue().empty()) break;
      req = Queue().front();
      Queue().pop_front();
    }
    try {
      (*req->Method)();
    } catch (...) {
      req->Error = std::current_exception();
    }
    ran = true;
    SetEvent(req->Done);
  }
  return ran;
}
