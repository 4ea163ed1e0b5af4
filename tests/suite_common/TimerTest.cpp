// Suite timers on their shared window, and the settings notice.
#include <gtest/gtest.h>

#include <vector>

#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/OwnedObject.h"
#include "suite/common/MessageWindow.h"
#include "suite/common/SuiteMessages.h"
#include "suite/common/SuiteTimer.h"
#include "tests/framework_controls/UiTestSupport.h"

namespace {
struct TTicks {
  std::vector<DWORD> At;
  TcxTimer* StopAfterFirst = nullptr;
  void Tick(TObject* Sender) {
    At.push_back(GetTickCount());
    if (StopAfterFirst) StopAfterFirst->SetEnabled(false);
  }
};
}  // namespace

TEST(SuiteTimer, TicksThroughTheSharedWindowWithItsAddressAsId) {
  TTicks Ticks;
  TOwned<TcxTimer> T(TcxTimer::Create(nullptr));
  EXPECT_TRUE(T->GetEnabled());
  EXPECT_EQ(T->GetInterval(), 1000u);
  EXPECT_FALSE(T->IsRunning());  // no handler yet
  T->SetInterval(30);
  T->SetInterval(0);
  EXPECT_EQ(T->GetInterval(), 30u);
  T->SetOnTimer(TNotifyEvent(&Ticks, &TTicks::Tick));
  EXPECT_TRUE(T->IsRunning());
  EXPECT_EQ(T->GetEventID(), reinterpret_cast<UINT_PTR>(T.get()));
  ASSERT_TRUE(PumpUntil([&] { return Ticks.At.size() >= 3; }));
  T->SetEnabled(false);
  EXPECT_FALSE(T->IsRunning());
  const size_t Seen = Ticks.At.size();
  // A tick queued for the timer is ignored once it is killed, like any unknown id.
  PostMessageW(SuiteTimerWindow(), WM_TIMER, T->GetEventID(), 0);
  PostMessageW(SuiteTimerWindow(), WM_TIMER, 12345, 0);
  Pump();
  Sleep(60);
  Pump();
  EXPECT_EQ(Ticks.At.size(), Seen);
}

TEST(SuiteTimer, DisablingInsideOnTimerStopsFurtherTicks) {
  TTicks Ticks;
  TOwned<TcxTimer> T(TcxTimer::Create(nullptr));
  Ticks.StopAfterFirst = T.get();
  T->SetInterval(20);
  T->SetOnTimer(TNotifyEvent(&Ticks, &TTicks::Tick));
  ASSERT_TRUE(PumpUntil([&] { return !Ticks.At.empty(); }));
  DWORD Start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - Start > 120; });
  EXPECT_EQ(Ticks.At.size(), 1u);
}

TEST(SuiteTimer, AssigningTheSameHandlerRestartsTheInterval) {
  TTicks Ticks;
  TOwned<TcxTimer> T(TcxTimer::Create(nullptr));
  T->SetInterval(300);
  T->SetOnTimer(TNotifyEvent(&Ticks, &TTicks::Tick));
  Sleep(200);
  const DWORD Restarted = GetTickCount();
  T->SetOnTimer(T->GetOnTimer());
  ASSERT_TRUE(PumpUntil([&] { return !Ticks.At.empty(); }));
  // A timer that went on would have ticked about 100 ms after the reassignment.
  EXPECT_GE(Ticks.At[0] - Restarted, 280u);
}

namespace {
class TNoticeBox : public TCustomControl {
  SONVELT_CLASS(TNoticeBox, TCustomControl)
public:
  explicit TNoticeBox(TComponent* AOwner) : TCustomControl(AOwner) {}
  int Notices = 0;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == DXM_SETTINGSNOTICE) ++Notices;
    TCustomControl::WndProc(Message);
  }
};
}  // namespace

TEST(SettingsController, NonClientMetricsChangesReachEveryRegisteredControl) {
  TcxSettingsController* C = SettingsController();
  ASSERT_NE(C, nullptr);
  TOwned<TForm> Form(TForm::Create(nullptr));
  auto* A = TNoticeBox::Create(Form.get());
  auto* B = TNoticeBox::Create(Form.get());
  A->SetParent(Form.get());
  A->HandleNeeded();
  ASSERT_FALSE(B->HandleAllocated());
  EXPECT_EQ(C->GetHandle(), nullptr);
  C->RegisterControl(A);
  C->RegisterControl(A);
  C->RegisterControl(B);  // no window yet: nothing is sent to it
  HWND Window = C->GetHandle();
  ASSERT_NE(Window, nullptr);
  // Top-level, so that the system's broadcast reaches it.
  EXPECT_EQ(GetParent(Window), nullptr);
  SendMessageW(Window, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  SendMessageW(Window, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  Pump();
  EXPECT_EQ(A->Notices, 1);
  EXPECT_EQ(B->Notices, 0);
  C->UnregisterControl(A);
  EXPECT_EQ(C->GetHandle(), Window);
  C->UnregisterControl(B);
  EXPECT_EQ(C->GetHandle(), nullptr);
  EXPECT_FALSE(IsWindow(Window));
}
