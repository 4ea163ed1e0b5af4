// Hidden-window dispatch, window timers and the send chain.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "Loopback.h"
#include "SocketProbe.h"
#include "net/NetBuffer.h"
#include "net/NetException.h"
#include "net/NetWndControl.h"

using namespace sonvelt::net;

TEST(HiddenWindows, FourteenSocketsShareAWindowAndTheFifteenthGetsANewOne) {
  std::vector<TNetPtr<TWSocket>> sockets;
  for (int i = 0; i < 15; ++i) sockets.emplace_back(TWSocket::Create(nullptr));
  HWND first = sockets[0]->GetHandle();
  for (int i = 1; i < 14; ++i) EXPECT_EQ(sockets[i]->GetHandle(), first) << i;
  EXPECT_NE(sockets[14]->GetHandle(), first);
  EXPECT_EQ(sockets[13]->GetReleaseMsg(), WM_USER + 1 + 13 * 7);
  EXPECT_EQ(sockets[14]->GetReleaseMsg(), WM_USER + 1u);  // numbers start again on the new window
  EXPECT_EQ(WndHandlerPool().HandlerCount(GetCurrentThreadId()), 2);

  sockets.pop_back();  // the last component of a window takes the window with it
  EXPECT_FALSE(IsWindow(first) == FALSE);
  EXPECT_EQ(WndHandlerPool().HandlerCount(GetCurrentThreadId()), 1);
  sockets.clear();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsHiddenWindowClassRegistered());
  auto again = TNetPtr<TWSocket>(TWSocket::Create(nullptr));  // registers the class anew
  EXPECT_TRUE(IsWindow(again->GetHandle()));
}

TEST(HiddenWindows, LateMessageOfAFreedSlotGoesToTheDefaultProcedure) {
  auto keep = TNetPtr<TWSocket>(TWSocket::Create(nullptr));
  auto* gone = TWSocket::Create(nullptr);
  HWND wnd = gone->GetHandle();
  UINT release = gone->GetReleaseMsg();
  PostMessageW(wnd, release, 0, 0);
  Free(gone);
  PumpFor(50);  // the posted release must not free anything twice
  EXPECT_TRUE(IsWindow(keep->GetHandle()));
}

TEST(HiddenWindows, ReleaseLaterFreesFromTheMessageLoop) {
  struct Watcher : TComponent {
    using TComponent::TComponent;
    bool Gone = false;
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove && c) Gone = true;
      TComponent::Notification(c, op);
    }
  };
  Watcher* watcher = new Watcher(nullptr);
  auto* s = TWSocket::Create(nullptr);
  s->FreeNotification(watcher);
  s->ReleaseLater();
  EXPECT_FALSE(watcher->Gone);
  ASSERT_TRUE(PumpUntil([&] { return watcher->Gone; }));
  Free(watcher);
}

TEST(HiddenWindows, AttachAndDetachRules) {
  auto s = TNetPtr<TWSocket>(TWSocket::Create(nullptr));
  EXPECT_THROW(s->AttachToThread(), ENetException);
  std::string foreign;
  std::thread([&] {
    try {
      s->DetachFromThread();
    } catch (const ENetException& e) {
      foreign = e.what();
    }
  }).join();
  EXPECT_EQ(foreign, "Cannot detach from another thread");
  s->DetachFromThread();
  EXPECT_EQ(s->PeekHandle(), nullptr);
  EXPECT_NE(s->GetHandle(), nullptr);  // reading the handle attaches again
  EXPECT_EQ(s->GetThreadId(), GetCurrentThreadId());
}

TEST(HiddenWindows, TimerArmsOnlyWithIntervalEnabledAndHandler) {
  struct Ticks {
    int Count = 0;
    void Tick(TObject*) { ++Count; }
  } ticks;
  auto owner = TNetPtr<TWSocket>(TWSocket::Create(nullptr));
  EXPECT_THROW(TNetTimer t(nullptr), ENetException);
  auto* timer = new TNetTimer(owner.get());
  EXPECT_FALSE(timer->IsArmed());
  timer->SetInterval(20);
  timer->SetOnTimer(Bind(&ticks, &Ticks::Tick));
  EXPECT_TRUE(timer->IsArmed());
  ASSERT_TRUE(PumpUntil([&] { return ticks.Count >= 2; }));
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->IsArmed());
  int stopped = ticks.Count;
  PumpFor(80);
  EXPECT_EQ(ticks.Count, stopped);
  timer->SetEnabled(true);
  timer->SetInterval(0);
  EXPECT_FALSE(timer->IsArmed());
  owner->DetachFromThread();
  EXPECT_THROW(timer->SetInterval(5), ENetException);
  Free(timer);
}

TEST(SendChain, BlocksFillAndReturnToTheSpareList) {
  TNetBufferHandler chain(1460);
  std::string data(3000, 'd');
  chain.Write(data.data(), 3000);
  std::vector<int> sizes;
  for (TNetBuffer* b = chain.UsedBlocks.Head; b; b = b->Next) sizes.push_back(b->DataCount());
  EXPECT_EQ(sizes, (std::vector<int>{1460, 1460, 80}));

  TNetBuffer* head = chain.UsedBlocks.Head;
  const uint8_t* span = nullptr;
  EXPECT_EQ(chain.Peek(span), 1460);  // only the head block is offered
  EXPECT_EQ(chain.Remove(5000), 1460);
  EXPECT_EQ(chain.SpareBlocks.Head, head);
  EXPECT_EQ(head->GetReadOffset(), 0);
  EXPECT_EQ(head->GetWriteOffset(), 0);
  chain.Remove(1460);
  chain.Remove(80);
  EXPECT_TRUE(chain.HasNoData());
  chain.Write(data.data(), 10);
  EXPECT_EQ(chain.UsedBlocks.Head->GetSize(), 1460);
  EXPECT_TRUE(chain.UsedBlocks.Head == head || chain.UsedBlocks.Head->Next == nullptr);  // reused, not new
}

TEST(SendChain, PartialRemoveKeepsWritingAfterTheData) {
  TNetBufferHandler chain(10);
  chain.Write("abcdef", 6);
  chain.Remove(4);
  chain.Write("XYZ", 3);
  const uint8_t* span = nullptr;
  int n = chain.Peek(span);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(span), size_t(n)), "efXYZ");
  chain.Write("0123", 4);  // fills the block to its end, then takes another
  EXPECT_EQ(chain.UsedBlocks.Head->DataCount(), 6);
  EXPECT_EQ(chain.UsedBlocks.Tail->DataCount(), 3);
  EXPECT_EQ(chain.Remove(0), 0);
  try {
    chain.Remove(-1);
    FAIL();
  } catch (const ENetException& e) {
    EXPECT_STREQ(e.what(), "TNetBufferHandler.Remove: Invalid Len -1");
  }
  chain.ClearAll();
  EXPECT_TRUE(chain.HasNoData());
  EXPECT_THROW(chain.Remove(1), ENetException);
}
