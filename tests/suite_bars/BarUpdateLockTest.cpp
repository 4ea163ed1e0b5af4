// The bar-update lock, form messages that reach floating bars, and hint timing.
#include <gtest/gtest.h>

#include <vector>

#include "framework/ComponentStreams.h"
#include "framework/Form.h"
#include "framework/MemoryStreams.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarHintWindow.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
// A placed dock site that counts its layouts and the redraw switches it is sent.
class TSpyDockSite : public TdxBarDockControl {
  SONVELT_CLASS(TSpyDockSite, TdxBarDockControl)
public:
  using TdxBarDockControl::TdxBarDockControl;
  int Layouts = 0;
  std::vector<WPARAM> Redraws;
  void RebuildLayout() override {
    ++Layouts;
    TdxBarDockControl::RebuildLayout();
  }

protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SETREDRAW) Redraws.push_back(Message.WParam);
    TdxBarDockControl::WndProc(Message);
  }
};

struct BarLockFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TSpyDockSite* Site = nullptr;
  void AddControls() override {
    M = NewManager();
    Site = Add<TSpyDockSite>({0, 200, 400, 240});
    Site->SetBarManager(M);
  }
  void TearDown() override {
    Free(M);
    BarFormFixture::TearDown();
  }
};

TEST_F(BarLockFixture, NestedLocksRebuildTheSiteOnceAtTheOutermostUnlock) {
  Site->Layouts = 0;
  Site->Redraws.clear();
  M->LockBarsUpdate();
  M->LockBarsUpdate();
  M->SetAutoAlignBars(true);
  M->UnlockBarsUpdate();
  EXPECT_EQ(0, Site->Layouts);
  EXPECT_EQ((std::vector<WPARAM>{0}), Site->Redraws);
  M->UnlockBarsUpdate();
  EXPECT_EQ(1, Site->Layouts);
  EXPECT_EQ((std::vector<WPARAM>{0, 1}), Site->Redraws);
  // An unlock without a lock changes nothing.
  M->UnlockBarsUpdate();
  EXPECT_EQ(1, Site->Layouts);
}

TEST_F(BarLockFixture, LoadingUnderTheLockFinishesAtTheOutermostUnlock) {
  TdxBar* Bar = M->GetBars()->Add();
  Bar->SetCaption("Tools");
  TOwned<TMemoryStream> Stream(TMemoryStream::Create());
  WriteComponent(Stream.get(), M);
  Stream->SetPosition(0);
  M->LockBarsUpdate();
  ReadComponent(Stream.get(), M);
  EXPECT_EQ(-1, M->SavedBarIndexByCaption("Tools"));
  M->UnlockBarsUpdate();
  EXPECT_EQ(0, M->SavedBarIndexByCaption("Tools"));
  EXPECT_TRUE(Bar->IsPredefined());
}

struct FloatingBarFixture : BarFormFixture {
  void SetUp() override {
    BarFormFixture::SetUp();
    Form->SetBorderStyle(bsSizeable);
  }
};

TEST_F(FloatingBarFixture, SystemCommandsWithLowBitsHideAndShowFloatingBars) {
  TdxBarManager* M = NewManager();
  TdxBar* Bar = M->GetBars()->Add();
  Bar->SetDockingStyle(dsNone);
  Bar->SetFloatLeft(600);
  Bar->SetFloatTop(100);
  Bar->SetVisible(true);
  Pump();
  TCustomdxBarControl* W = Bar->GetBarControl();
  ASSERT_TRUE(W && W->HandleAllocated());
  ASSERT_TRUE(IsWindowVisible(W->GetHandle()));
  // A caption double-click maximizes with low bits set, the system menu restores
  // with them too: both show the floating bars again, without activating them.
  for (WPARAM Command : {WPARAM(SC_MAXIMIZE | 2), WPARAM(SC_RESTORE | 2)}) {
    ShowWindow(W->GetHandle(), SW_HIDE);
    SendMessageW(Form->GetHandle(), WM_SYSCOMMAND, Command, 0);
    Pump();
    EXPECT_TRUE(IsWindowVisible(W->GetHandle())) << std::hex << Command;
  }
  SendMessageW(Form->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(W->GetHandle()));
  SendMessageW(Form->GetHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  EXPECT_TRUE(IsWindowVisible(W->GetHandle()));
  EXPECT_NE(W->GetHandle(), GetActiveWindow());
  Free(M);
}

TEST_F(BarFormFixture, HintShowsAfterItsDelayAndAnotherManagersEndLeavesItAlone) {
  TdxBarManager* A = NewManager();
  TForm* Other = TForm::Create(nullptr);
  TdxBarManager* B = TdxBarManager::Create(Other);
  DWORD Start = GetTickCount();
  A->RequestHint(true, "Opens a file", nullptr);
  Free(B);
  Free(Other);
  ASSERT_TRUE(PumpUntil([&] { return A->IsHintWindowShowing(); }, 4000));
  DWORD Elapsed = GetTickCount() - Start;
  EXPECT_GE(Elapsed, 950u);
  EXPECT_LT(Elapsed, 2500u);
  // Freeing the manager that owns the hint hides it and stops its timers.
  Free(A);
  Pump();
}

TEST_F(BarFormFixture, AHintWithinTheQuickReshowTimeShowsAtOnce) {
  TdxBarManager* M = NewManager();
  M->RequestHint(true, "First", nullptr);
  ASSERT_TRUE(PumpUntil([&] { return M->IsHintWindowShowing(); }, 3000));
  // Hovering something without a hint hides it and opens the quick re-show window.
  M->RequestHint(true, "", nullptr);
  EXPECT_FALSE(M->IsHintWindowShowing());
  M->RequestHint(true, "Second", nullptr);
  EXPECT_TRUE(M->IsHintWindowShowing());
  M->CancelHint();
  M->RequestHint(true, "", nullptr);
  Sleep(450);
  Pump();
  M->RequestHint(true, "Third", nullptr);
  EXPECT_FALSE(M->IsHintWindowShowing());
  Free(M);
}
}  // namespace
