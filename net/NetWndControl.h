// Hidden-window message dispatch: every protocol component receives its
// notifications as messages of a hidden window shared, per thread, by many
// components (up to 100 message numbers a window).
#pragma once
#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "framework/Delegate.h"

namespace sonvelt::net {

struct TNetMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

using TBgExceptionEvent = TDelegate<void(TObject* Sender, const std::exception& E, bool& CanClose)>;

class TNetWndHandler;
class TNetWndHandlerList;

class TNetWndControl : public TComponent {
  SONVELT_CLASS(TNetWndControl, TComponent)
public:
  explicit TNetWndControl(TComponent* AOwner);
  ~TNetWndControl() override;

  // Reading the handle of a detached component attaches it to this thread.
  HWND GetHandle();
  HWND PeekHandle() const { return Handle; }
  DWORD GetThreadId() const { return ThreadId; }
  bool GetTerminated() const { return Terminated; }
  // This component's loop or, on the user interface thread, the application met WM_QUIT.
  bool IsTerminating() const;
  UINT GetReleaseMsg() const { return ReleaseMsg; }

  virtual void AttachToThread();
  virtual void DetachFromThread();
  virtual void ReleaseLater();
  virtual void RunMessageLoop();
  virtual bool PumpOneMessage();
  virtual void PumpMessages();
  virtual void PumpPending();

  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  // Turns false when the component is freed, so that code which called an
  // event handler can tell whether the handler freed the component.
  std::shared_ptr<const bool> AliveToken() const { return Alive; }

  TBgExceptionEvent OnBgException;

protected:
  friend class TNetWndHandler;
  friend class TNetTimer;

  void BeforeDestruction() override;
  virtual void FinalizeWindow(int ignored);
  virtual void HandleTimerMessage(TNetMessage& msg);
  virtual void HandleMessage(TNetMessage& msg);
  virtual void HandleBgException(const std::exception& e);
  virtual void NotifyBgException(const std::exception& e, bool& canClose);
  virtual void HandleReleaseMessage(TNetMessage& msg);
  virtual void AllocateWindow();
  virtual void ReleaseWindow();
  virtual int MessageCount() const { return 1; }
  virtual void RegisterMessages();
  virtual void UnregisterMessages();
  virtual void AbortAfterError() {}

  UINT TakeMessage();                 // one more number of this component's window
  void GiveBackMessage(UINT& number);  // and back again
  LRESULT DefaultHandler(const TNetMessage& msg);

private:
  bool Finalized = false;
  HWND Handle = nullptr;
  DWORD ThreadId = 0;
  bool Terminated = false;
  TNetWndHandler* Handler = nullptr;
  UINT ReleaseMsg = 0;
  std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};

// One hidden window and the components that own its message numbers.
class TNetWndHandler {
public:
  static constexpr int MaxSlots = 100;
  static constexpr UINT FirstMsg = WM_USER + 1;
  explicit TNetWndHandler(TNetWndHandlerList* owner) : OwnerList(owner) {}
  ~TNetWndHandler();

  HWND GetWindow() const { return Window; }
  int GetSlotsUsed() const { return SlotsUsed; }
  int FreeSlots() const { return MaxSlots - SlotsUsed; }
  UINT TakeMessageSlot(TNetWndControl* control);
  void ReleaseMessageSlot(UINT msg);
  void CreateHiddenWindow();
  void DestroyHiddenWindow();
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

  TNetWndHandlerList* OwnerList;
  UINT MsgLow = FirstMsg;

private:
  HWND Window = nullptr;
  TNetWndControl* SlotTable[MaxSlots] = {};
  int SlotsUsed = 0;
};

class TNetWndHandlerList {
public:
  explicit TNetWndHandlerList(DWORD threadId) : ThreadId(threadId) {}
  DWORD ThreadId;
  std::vector<std::unique_ptr<TNetWndHandler>> Handlers;
};

// Process-wide pool of the handler lists, one per thread with components.
class TNetWndHandlerPool {
public:
  TNetWndHandlerPool();
  ~TNetWndHandlerPool();
  void Lock() { EnterCriticalSection(&Section); }
  void Unlock() { LeaveCriticalSection(&Section); }
  TNetWndHandler* HandlerForThread(int msgCount, DWORD threadId);
  void DropHandler(TNetWndHandler* handler);
  // Counts for tests and diagnostics.
  int HandlerCount(DWORD threadId);

private:
  std::vector<std::unique_ptr<TNetWndHandlerList>> Lists;
  CRITICAL_SECTION Section;
};

TNetWndHandlerPool& WndHandlerPool();
int LiveHiddenWindowCount();
bool IsHiddenWindowClassRegistered();

// A window-message timer on its owner's hidden window.
class TNetTimer : public TComponent {
  SONVELT_CLASS(TNetTimer, TComponent)
public:
  explicit TNetTimer(TNetWndControl* owner);  // raises ENetException without owner
  ~TNetTimer() override;
  uint32_t GetInterval() const { return Interval; }
  void SetInterval(uint32_t value);
  bool GetEnabled() const { return Enabled; }
  void SetEnabled(bool value);
  void SetOnTimer(TNotifyEvent handler);
  const TNotifyEvent& GetOnTimer() const { return OnTimer; }
  bool IsArmed() const { return Armed; }
  TNetWndControl* GetOwnerControl() const { return OwnerControl; }
  UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }
  // The live timer with this id on this window, or nullptr.
  static TNetTimer* FindLive(UINT_PTR id);

private:
  void RequireWindow();
  void RearmTimer();
  TNetWndControl* OwnerControl;
  std::shared_ptr<const bool> OwnerAlive;
  uint32_t Interval = 1000;
  bool Enabled = true;
  bool Armed = false;
  TNotifyEvent OnTimer;
};

}  // namespace sonvelt::net
