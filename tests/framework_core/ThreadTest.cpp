// Threads: start after construction, synchronised calls and sent messages while the
// main thread waits, termination, self-freeing, errors and critical sections.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/SyncObjs.h"
#include "framework/Threads.h"

namespace {

// Runs a function as its Execute.
class TFuncThread : public TThread {
  SONVELT_CLASS(TFuncThread, TThread)
public:
  explicit TFuncThread(std::function<void(TFuncThread*)> Body, bool Suspended = false)
      : TThread(Suspended), FBody(std::move(Body)) {}
  using TThread::SetReturnValue;
  bool Terminated() const { return GetTerminated(); }

protected:
  void Execute() override { FBody(this); }

private:
  std::function<void(TFuncThread*)> FBody;
};

// Pumps messages until Done or about ten seconds pass.
void PumpUntil(const std::function<bool()>& Done) {
  for (int i = 0; i < 1000 && !Done(); ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

// Answers WM_APP + 1 with the answering thread's id plus wParam.
LRESULT CALLBACK AnswerWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP + 1) return static_cast<LRESULT>(GetCurrentThreadId()) + wp;
  return DefWindowProcW(w, m, wp, lp);
}

}  // namespace

TEST(Thread, ExecuteSeesTheWholeObject) {
  // Members set by the derived constructor are there when Execute starts.
  for (int i = 0; i < 20; ++i) {
    std::vector<int> seen;
    TFuncThread* t = TFuncThread::Create([&](TFuncThread*) { seen.push_back(42); });
    t->WaitFor();
    Free(t);
    ASSERT_EQ(seen, std::vector<int>{42});
  }
}

TEST(Thread, SynchronizesAndSendsWhileTheMainThreadWaits) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = AnswerWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SonveltFw1ThreadTest";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);

  std::vector<DWORD> syncThreads;
  std::vector<int> values;
  LRESULT sent = 0;
  TFuncThread* t = TFuncThread::Create([&](TFuncThread* self) {
    for (int i = 1; i <= 3; ++i)
      self->Synchronize([&, i] {
        syncThreads.push_back(GetCurrentThreadId());
        values.push_back(i * 10);
      });
    sent = SendMessageW(wnd, WM_APP + 1, 5, 0);  // answered by the waiting main thread
    self->SetReturnValue(7);
  });
  EXPECT_EQ(t->WaitFor(), 7);
  EXPECT_EQ(values, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(syncThreads, std::vector<DWORD>(3, GetCurrentThreadId()));
  EXPECT_EQ(sent, static_cast<LRESULT>(GetCurrentThreadId()) + 5);
  EXPECT_TRUE(t->GetFinished());
  Free(t);
  DestroyWindow(wnd);
}

TEST(Thread, TerminateEndsALoopAndFreeWaitsForIt) {
  std::atomic<int> rounds{0};
  std::atomic<bool> stopped{false};
  TFuncThread* t = TFuncThread::Create([&](TFuncThread* self) {
    while (!self->Terminated()) {
      ++rounds;
      Sleep(1);
    }
    stopped = true;
  });
  PumpUntil([&] { return rounds > 3; });
  EXPECT_FALSE(t->GetFinished());
  Free(t);  // terminates and waits while the object is whole
  EXPECT_TRUE(stopped);

  // A thread created suspended and freed unstarted never runs its body.
  bool ran = false;
  TFuncThread* idle = TFuncThread::Create([&](TFuncThread*) { ran = true; }, true);
  Free(idle);
  EXPECT_FALSE(ran);
}

TEST(Thread, FreeOnTerminateRunsOnTerminateOnTheMainThread) {
  struct TWatcher : TObject {
    DWORD Thread = 0;
    std::atomic<bool> Done{false};
    void Terminated(TObject*) {
      Thread = GetCurrentThreadId();
      Done = true;
    }
  } watcher;
  struct TSelfFreeing : TFuncThread {
    bool* Destroyed;
    TSelfFreeing(bool* D) : TFuncThread([](TFuncThread*) {}, true), Destroyed(D) {}
    ~TSelfFreeing() override { *Destroyed = true; }
  };
  bool destroyed = false;
  TSelfFreeing* t = Construct<TSelfFreeing>(&destroyed);
  t->SetFreeOnTerminate(true);
  t->SetOnTerminate(Bind(&watcher, &TWatcher::Terminated));
  t->Start();
  PumpUntil([&] { return watcher.Done.load(); });
  EXPECT_TRUE(watcher.Done);
  EXPECT_EQ(watcher.Thread, GetCurrentThreadId());
  PumpUntil([&] { return destroyed; });
  EXPECT_TRUE(destroyed);
}

TEST(Thread, ErrorsComeBackToWhereTheyBelong) {
  // An exception in a synchronised call returns to the worker; one leaving Execute is kept.
  std::string caught;
  TFuncThread* t = TFuncThread::Create([&](TFuncThread* self) {
    try {
      self->Synchronize([] { throw EConvertError("bad value"); });
    } catch (const EConvertError& e) {
      caught = e.GetMessage();
    }
    throw std::runtime_error("worker failed");
  });
  t->WaitFor();
  EXPECT_EQ(caught, "bad value");
  ASSERT_TRUE(t->GetFatalException());
  try {
    std::rethrow_exception(t->GetFatalException());
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "worker failed");
  }
  Free(t);

  // Synchronize from the main thread runs at once; serving requests elsewhere is refused.
  int direct = 0;
  TThread::Synchronize(nullptr, [&] { direct = 1; });
  EXPECT_EQ(direct, 1);
  std::string refused;
  TFuncThread* w = TFuncThread::Create([&](TFuncThread*) {
    try {
      TThread::CheckSynchronize();
    } catch (const EThread& e) {
      refused = e.GetMessage();
    }
  });
  w->WaitFor();
  Free(w);
  EXPECT_NE(refused.find("NOT the main thread"), std::string::npos);
}

TEST(SyncObjects, CriticalSectionKeepsCountsExactAndEventsSignal) {
  TCriticalSection* cs = TCriticalSection::Create();
  long counter = 0;
  auto body = [&](TFuncThread*) {
    for (int i = 0; i < 20000; ++i) {
      TLock lock(cs);
      long v = counter;
      if (i % 1000 == 0) Sleep(0);
      counter = v + 1;
    }
  };
  TFuncThread* a = TFuncThread::Create(body);
  TFuncThread* b = TFuncThread::Create(body);
  a->WaitFor();
  b->WaitFor();
  EXPECT_EQ(counter, 40000);
  Free(a);
  Free(b);
  EXPECT_TRUE(cs->TryEnter());
  cs->Leave();
  Free(cs);

  TSimpleEvent* ev = TSimpleEvent::Create();
  EXPECT_EQ(ev->WaitFor(0), wrTimeout);
  TFuncThread* setter = TFuncThread::Create([&](TFuncThread*) { ev->SetEvent(); });
  EXPECT_EQ(ev->WaitFor(10000), wrSignaled);
  setter->WaitFor();
  Free(setter);
  ev->ResetEvent();
  EXPECT_EQ(ev->WaitFor(0), wrTimeout);
  Free(ev);
}
