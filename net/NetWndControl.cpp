#include "net/NetWndControl.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <string>

#include "framework/Application.h"
#include "framework/Threads.h"
#include "net/NetException.h"

namespace sonvelt::net {
namespace {

const wchar_t kClassName[] = L"NetWndControlWindowClass";

// Guards class registration and the count of live hidden windows.
std::mutex& ClassLock() {
  static std::mutex m;
  return m;
}
int gWindowCount = 0;
bool gClassRegistered = false;

std::mutex& TimerLock() {
  static std::mutex m;
  return m;
}
std::set<const TNetTimer*>& LiveTimers() {
  static std::set<const TNetTimer*> s;
  return s;
}

LRESULT CALLBACK HiddenWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* handler = reinterpret_cast<TNetWndHandler*>(GetWindowLongPtrW(wnd, 0));
  if (!handler) return DefWindowProcW(wnd, msg, wParam, lParam);
  return handler->Dispatch(msg, wParam, lParam);
}

}  // namespace

// ---- pool ----

TNetWndHandlerPool::TNetWndHandlerPool() { InitializeCriticalSection(&Section); }

TNetWndHandlerPool::~TNetWndHandlerPool() { DeleteCriticalSection(&Section); }

TNetWndHandlerPool& WndHandlerPool() {
  static TNetWndHandlerPool pool;
  return pool;
}

int LiveHiddenWindowCount() {
  std::lock_guard<std::mutex> g(ClassLock());
  return gWindowCount;
}

bool IsHiddenWindowClassRegistered() {
  std::lock_guard<std::mutex> g(ClassLock());
  return gClassRegistered;
}

TNetWndHandler* TNetWndHandlerPool::HandlerForThread(int msgCount, DWORD threadId) {
  TNetWndHandlerList* list = nullptr;
  for (auto it = Lists.rbegin(); it != Lists.rend(); ++it)
    if ((*it)->ThreadId == threadId) {
      list = it->get();
      break;
    }
  if (!list) {
    Lists.push_back(std::make_unique<TNetWndHandlerList>(threadId));
    list = Lists.back().get();
  }
  for (auto& h : list->Handlers)
    if (h->FreeSlots() >= msgCount) return h.get();
  list->Handlers.push_back(std::make_unique<TNetWndHandler>(list));
  return list->Handlers.back().get();
}

void TNetWndHandlerPool::DropHandler(TNetWndHandler* handler) {
  TNetWndHandlerList* list = handler->OwnerList;
  auto& hs = list->Handlers;
  hs.erase(std::remove_if(hs.begin(), hs.end(), [&](auto& h) { return h.get() == handler; }), hs.end());
  if (hs.empty())
    Lists.erase(std::remove_if(Lists.begin(), Lists.end(), [&](auto& l) { return l.get() == list; }), Lists.end());
}

int TNetWndHandlerPool::HandlerCount(DWORD threadId) {
  Lock();
  int n = 0;
  for (auto& l : Lists)
    if (l->ThreadId == threadId) n = int(l->Handlers.size());
  Unlock();
  return n;
}

// ---- handler ----

TNetWndHandler::~TNetWndHandler() { DestroyHiddenWindow(); }

void TNetWndHandler::CreateHiddenWindow() {
  if (Window) return;
  std::lock_guard<std::mutex> g(ClassLock());
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  if (!GetClassInfoW(inst, kClassName, &wc)) {
    wc = WNDCLASSW{};
    wc.lpfnWndProc = HiddenWndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = inst;
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc))
      throw ENetException("Unable to register TNetWndControl hidden window class. Error #" +
                          std::to_string(GetLastError()) + ".");
    gClassRegistered = true;
  }
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
  if (!wnd)
    throw ENetException("Unable to create TNetWndControl hidden window.  Error #" + std::to_string(GetLastError()) +
                        ".");
  SetWindowLongPtrW(wnd, 0, reinterpret_cast<LONG_PTR>(this));
  Window = wnd;
  ++gWindowCount;
}

void TNetWndHandler::DestroyHiddenWindow() {
  if (!Window) return;
  std::fill(std::begin(SlotTable), std::end(SlotTable), nullptr);
  SetWindowLongPtrW(Window, 0, 0);
  DestroyWindow(Window);
  Window = nullptr;
  std::lock_guard<std::mutex> g(ClassLock());
  if (--gWindowCount == 0) {
    UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
    gClassRegistered = false;
  }
}

UINT TNetWndHandler::TakeMessageSlot(TNetWndControl* control) {
  if (MsgLow < WM_USER) throw ENetException("MsgLow not defined");
  if (SlotsUsed >= MaxSlots) throw ENetException("No more free message");
  int i = 0;
  while (SlotTable[i]) ++i;
  CreateHiddenWindow();
  SlotTable[i] = control;
  ++SlotsUsed;
  return MsgLow + UINT(i);
}

void TNetWndHandler::ReleaseMessageSlot(UINT msg) {
  if (MsgLow < WM_USER) throw ENetException("MsgLow not defined");
  if (msg < MsgLow || msg >= MsgLow + MaxSlots) throw ENetException("Msg value out of bound");
  int i = int(msg - MsgLow);
  if (!SlotTable[i]) throw ENetException("Msg not registered");
  SlotTable[i] = nullptr;
  if (--SlotsUsed == 0) DestroyHiddenWindow();
}

LRESULT TNetWndHandler::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  TNetMessage m{msg, wParam, lParam, 0};
  // Nothing may leave a window procedure: whatever a component raises ends here.
  try {
    if (msg >= MsgLow && msg < MsgLow + MaxSlots && SlotTable[msg - MsgLow]) {
      SlotTable[msg - MsgLow]->HandleMessage(m);
      return m.Result;
    }
    if (msg == WM_TIMER) {
      TNetTimer* timer = TNetTimer::FindLive(wParam);
      if (timer && timer->GetOwnerControl()->PeekHandle() == Window) {
        timer->GetOwnerControl()->HandleMessage(m);
        return m.Result;
      }
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcW(Window, msg, wParam, lParam);
}

// ---- control ----

TNetWndControl::TNetWndControl(TComponent* AOwner) : TComponent(AOwner) {}

TNetWndControl::~TNetWndControl() {
  *Alive = false;
  // Normally done in BeforeDestruction; this covers a plain delete.
  if (!Finalized && Handle) {
    try {
      ReleaseWindow();
    } catch (...) {
    }
  }
}

void TNetWndControl::BeforeDestruction() {
  *Alive = false;
  Destroying();
  FinalizeWindow(0);
  TComponent::BeforeDestruction();
}

void TNetWndControl::FinalizeWindow(int) {
  if (Finalized) return;
  ReleaseWindow();
  Finalized = true;
}

HWND TNetWndControl::GetHandle() {
  if (!Handle) AllocateWindow();
  return Handle;
}

void TNetWndControl::AllocateWindow() {
  if (Handle) return;
  ThreadId = GetCurrentThreadId();
  TNetWndHandlerPool& pool = WndHandlerPool();
  pool.Lock();
  try {
    if (!Handler) Handler = pool.HandlerForThread(MessageCount(), ThreadId);
    Handler->CreateHiddenWindow();
    Handle = Handler->GetWindow();
    RegisterMessages();
  } catch (...) {
    pool.Unlock();
    throw;
  }
  pool.Unlock();
}

void TNetWndControl::ReleaseWindow() {
  if (!Handle) return;
  TNetWndHandlerPool& pool = WndHandlerPool();
  pool.Lock();
  try {
    UnregisterMessages();
    if (Handler->GetSlotsUsed() == 0) pool.DropHandler(Handler);
  } catch (...) {
    pool.Unlock();
    throw;
  }
  Handle = nullptr;
  Handler = nullptr;
  ThreadId = 0;
  pool.Unlock();
}

UINT TNetWndControl::TakeMessage() { return Handler->TakeMessageSlot(this); }

void TNetWndControl::GiveBackMessage(UINT& number) {
  if (number == 0) return;
  Handler->ReleaseMessageSlot(number);
  number = 0;
}

void TNetWndControl::RegisterMessages() { ReleaseMsg = TakeMessage(); }

void TNetWndControl::UnregisterMessages() { GiveBackMessage(ReleaseMsg); }

void TNetWndControl::AttachToThread() {
  if (Handle) throw ENetException("Cannot attach when not detached");
  AllocateWindow();
}

void TNetWndControl::DetachFromThread() {
  if (GetCurrentThreadId() != ThreadId) throw ENetException("Cannot detach from another thread");
  ReleaseWindow();
}

void TNetWndControl::ReleaseLater() { PostMessageW(Handle, ReleaseMsg, 0, 0); }

LRESULT TNetWndControl::DefaultHandler(const TNetMessage& msg) {
  return DefWindowProcW(Handle, msg.Msg, msg.WParam, msg.LParam);
}

void TNetWndControl::HandleMessage(TNetMessage& msg) {
  try {
    if (msg.Msg == ReleaseMsg && ReleaseMsg != 0)
      HandleReleaseMessage(msg);
    else if (msg.Msg == WM_TIMER)
      HandleTimerMessage(msg);
    else
      msg.Result = DefaultHandler(msg);
  } catch (const std::exception& e) {
    HandleBgException(e);
  }
}

void TNetWndControl::HandleTimerMessage(TNetMessage& msg) {
  TNetTimer* timer = TNetTimer::FindLive(msg.WParam);
  if (timer && timer->GetOnTimer()) timer->GetOnTimer()(timer);
}

void TNetWndControl::HandleReleaseMessage(TNetMessage&) { ::Free(this); }

void TNetWndControl::HandleBgException(const std::exception& e) {
  bool canClose = true;
  if (OnBgException) {
    try {
      NotifyBgException(e, canClose);
    } catch (...) {
    }
  }
  if (canClose) {
    try {
      AbortAfterError();
    } catch (...) {
    }
  }
}

void TNetWndControl::NotifyBgException(const std::exception& e, bool& canClose) {
  if (OnBgException) OnBgException(this, e, canClose);
}

void TNetWndControl::RunMessageLoop() {
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  Terminated = true;
}

bool TNetWndControl::PumpOneMessage() {
  MSG m;
  if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) return false;
  if (m.message == WM_QUIT) {
    Terminated = true;
    return true;
  }
  TranslateMessage(&m);
  DispatchMessageW(&m);
  return true;
}

void TNetWndControl::PumpMessages() {
  while (PumpOneMessage()) {
  }
}

// The user interface thread pumps through the application, so its message hooks
// and its quit state hold during the waits. A worker thread has no application
// loop: it pumps its own queue, and a quit message there ends only its own work.
static bool OnApplicationThread() { return Application && GetCurrentThreadId() == TThread::MainThreadID(); }

void TNetWndControl::PumpPending() {
  if (OnApplicationThread()) Application->ProcessMessages();
  else PumpMessages();
}

bool TNetWndControl::IsTerminating() const {
  return Terminated || (OnApplicationThread() && Application->GetTerminated());
}

// ---- timer ----

TNetTimer* TNetTimer::FindLive(UINT_PTR id) {
  std::lock_guard<std::mutex> g(TimerLock());
  for (const TNetTimer* t : LiveTimers())
    if (t->TimerId() == id) return const_cast<TNetTimer*>(t);
  return nullptr;
}

TNetTimer::TNetTimer(TNetWndControl* owner) : TComponent(owner), OwnerControl(owner) {
  if (!owner) throw ENetException("NetTimer: Owner not assigned");
  OwnerAlive = owner->AliveToken();
  std::lock_guard<std::mutex> g(TimerLock());
  LiveTimers().insert(this);
}

TNetTimer::~TNetTimer() {
  Enabled = false;
  // A timer freed with its owner dies with the owner's window.
  if (*OwnerAlive && OwnerControl->GetThreadId() != 0) RearmTimer();
  std::lock_guard<std::mutex> g(TimerLock());
  LiveTimers().erase(this);
}

void TNetTimer::RequireWindow() {
  if (OwnerControl->GetThreadId() == 0) throw ENetException("NetTimer: No window available");
}

void TNetTimer::SetInterval(uint32_t value) {
  if (value == Interval) return;
  RequireWindow();
  Interval = value;
  RearmTimer();
}

void TNetTimer::SetEnabled(bool value) {
  if (value == Enabled) return;
  RequireWindow();
  Enabled = value;
  RearmTimer();
}

void TNetTimer::SetOnTimer(TNotifyEvent handler) {
  RequireWindow();
  OnTimer = std::move(handler);
  RearmTimer();
}

void TNetTimer::RearmTimer() {
  HWND wnd = OwnerControl->PeekHandle();
  if (wnd) KillTimer(wnd, TimerId());
  Armed = false;
  if (Interval != 0 && Enabled && OnTimer && wnd) {
    if (!SetTimer(wnd, TimerId(), Interval, nullptr)) {
      Enabled = false;
      throw ENetException("No more timers");
    }
    Armed = true;
  }
}

}  // namespace sonvelt::net
