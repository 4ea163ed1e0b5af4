#include "suite/common/MessageWindow.h"

#include <algorithm>

#include "framework/AllocateHWnd.h"
#include "framework/Application.h"
#include "framework/Threads.h"
#include "framework/WinControl.h"
#include "suite/common/SuiteMessages.h"
#include "suite/common/UnitLifetime.h"

namespace {
TcxMessageWindow* MessageWindow = nullptr;
TcxSettingsController* Controller = nullptr;

TSuiteUnit MessageWindowUnit(nullptr, [] { FreeAndNil(MessageWindow); });
TSuiteUnit SettingsUnit(nullptr, [] { FreeAndNil(Controller); });
}  // namespace

TcxMessageWindow::TcxMessageWindow() {
  FHandle = AllocateHWnd(TWndMethod(this, &TcxMessageWindow::WndProc));
}

TcxMessageWindow::~TcxMessageWindow() { DeallocateHWnd(FHandle); }

void TcxMessageWindow::WndProc(TMessage& Message) {
  Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

TcxMessageWindow* SuiteMessageWindow() {
  MessageWindowUnit.Ensure();
  if (MessageWindowUnit.Ended()) return nullptr;
  if (!MessageWindow) MessageWindow = TcxMessageWindow::Create();
  return MessageWindow;
}

TcxSettingsController::~TcxSettingsController() {
  if (FHandle) DeallocateHWnd(FHandle);
}

bool TcxSettingsController::IsRegistered(TWinControl* Control) const {
  return std::find(FControls.begin(), FControls.end(), Control) != FControls.end();
}

void TcxSettingsController::RegisterControl(TWinControl* Control) {
  if (!Control || IsRegistered(Control)) return;
  if (FControls.empty()) FHandle = AllocateHWnd(TWndMethod(this, &TcxSettingsController::WndProc));
  FControls.push_back(Control);
}

void TcxSettingsController::UnregisterControl(TWinControl* Control) {
  if (!IsRegistered(Control)) return;
  std::erase(FControls, Control);
  if (FControls.empty() && FHandle) {
    DeallocateHWnd(FHandle);
    FHandle = nullptr;
  }
}

void TcxSettingsController::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
    for (TWinControl* Control : FControls)
      if (Control->HandleAllocated()) SendNotifyMessageW(Control->GetHandle(), DXM_SETTINGSNOTICE, 0, 0);
    Message.Result = 0;
    return;
  }
  Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

TcxSettingsController* SettingsController() {
  SettingsUnit.Ensure();
  if (SettingsUnit.Ended()) return nullptr;
  if (!Controller) Controller = TcxSettingsController::Create();
  return Controller;
}

void TcxSystemController::WndProc(TMessage& Message) {
  if (Message.Msg == DXM_SYSTEMCONTROLLERWAKEUP) {
    TThread::CheckSynchronize();
    return;
  }
  TcxMessageWindow::WndProc(Message);
}
