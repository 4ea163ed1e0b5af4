#include "framework/Application.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "framework/Action.h"
#include "framework/AllocateHWnd.h"
#include "framework/ControlCanvas.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"
#include "framework/OwnedObject.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"

TApplication* Application = nullptr;

namespace {
constexpr UINT_PTR kHintTimer = 1;
enum { hkShow = 1, hkHide = 2 };

std::vector<TApplication::TStartupHook>& StartupHooks() {
  static std::vector<TApplication::TStartupHook> Hooks;
  return Hooks;
}

// Exceptions caught at the edge of other modules' window procedures and threads
// come to whichever application object is current.
void ReportToApplication(TObject* Sender) {
  if (Application) Application->HandleException(Sender);
}

struct TGlobals {
  TGlobals() {
    INITCOMMONCONTROLSEX ICC{sizeof ICC, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                             ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                             ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&ICC);
    Screen = Construct<TScreen>(nullptr);
    Application = Construct<TApplication>(nullptr);
    ApplicationHandleException = TExceptionHandler(&ReportToApplication);
  }
} Globals;

bool IsKeyMessage(UINT Msg) { return Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST; }
}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  wchar_t Path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, Path, MAX_PATH);
  std::wstring Name = Path;
  auto Slash = Name.find_last_of(L"\\/");
  if (Slash != std::wstring::npos) Name = Name.substr(Slash + 1);
  auto Dot = Name.find_last_of(L'.');
  if (Dot != std::wstring::npos) Name = Name.substr(0, Dot);
  FTitle = WideToUtf8(Name);
}

void TApplication::BeforeDestruction() {
  CancelHint();
  DestroyComponents();
  FHintWindow = nullptr;
  TComponent::BeforeDestruction();
}

TApplication::~TApplication() {
  if (FHandle) DeallocateHWnd(FHandle);
}

HWND TApplication::GetHandle() {
  if (!FHandle) {
    FHandle = AllocateHWnd(TWndMethod(this, &TApplication::WndProc));
    SetWindowTextW(FHandle, Utf8ToWide(FTitle).c_str());
  }
  return FHandle;
}

void TApplication::SetTitle(const std::string& Value) {
  FTitle = Value;
  if (FHandle) SetWindowTextW(FHandle, Utf8ToWide(Value).c_str());
}

void TApplication::RegisterStartupHook(TStartupHook Hook) { StartupHooks().push_back(Hook); }

void TApplication::Initialize() {
  if (FInitialized) return;
  FInitialized = true;
  for (TStartupHook Hook : StartupHooks()) Hook();
}

void TApplication::Run() {
  if (FMainForm && FShowMainForm) FMainForm->Show();
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool Handled = false;
  OnMessage(Msg, Handled);
  if (Handled) return true;
  if (IsHintMsg(Msg) || IsMDIMsg(Msg) || IsKeyMsg(Msg)) return true;
  TranslateMessage(&Msg);
  DispatchMessageW(&Msg);
  return true;
}

void TApplication::HandleMessage() {
  MSG Msg;
  if (!ProcessMessage(Msg)) Idle(Msg);
}

void TApplication::ProcessMessages() {
  MSG Msg;
  while (ProcessMessage(Msg)) {
  }
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (!IsKeyMessage(Msg.message)) return false;
  HWND Wnd = GetCapture();
  if (!Wnd) Wnd = Msg.hwnd;
  if (FMainForm && FMainForm->HandleAllocated() && Wnd == FMainForm->GetClientHandle()) {
    Wnd = FMainForm->GetHandle();
  } else {
    // Inner windows of a control (the edit of a combo box) speak for it.
    while (Wnd && !TWinControl::FindControl(Wnd)) Wnd = GetParent(Wnd);
    if (!Wnd) Wnd = Msg.hwnd;
  }
  if (!TWinControl::FindControl(Wnd)) return false;
  return SendMessageW(Wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsMDIMsg(MSG& Msg) {
  if (!FMainForm || FMainForm->GetFormStyle() != fsMDIForm || !FMainForm->GetClientHandle()) return false;
  if (!FMainForm->GetActiveMDIChild()) return false;
  return TranslateMDISysAccel(FMainForm->GetClientHandle(), &Msg) != 0;
}

bool TApplication::IsHintMsg(MSG& Msg) {
  if (FHintActive || FHintControl) {
    switch (Msg.message) {
      case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_ACTIVATEAPP:
        CancelHint();
        break;
      default: break;
    }
  }
  return false;
}

void TApplication::Idle(const MSG&) {
  if (FHintControl) {
    POINT P;
    GetCursorPos(&P);
    if (FindHintControl(P) == nullptr) CancelHint();
  }
  try {
    UpdateActions();
  } catch (...) {
    HandleException(this);
  }
  bool Done = true;
  try {
    OnIdle(this, Done);
  } catch (...) {
    HandleException(this);
  }
  FreeDeviceContexts();
  if (Done) WaitMessage();
}

void TApplication::UpdateActions() {
  if (!Screen) return;
  std::vector<TCustomForm*> Forms;
  for (int I = 0; I < Screen->GetFormCount(); ++I) Forms.push_back(Screen->GetForms(I));
  for (TCustomForm* F : Forms) {
    for (int I = 0; I < F->GetComponentCount(); ++I) {
      if (auto* L = dynamic_cast<TCustomActionList*>(F->GetComponent(I))) L->UpdateActions();
    }
    // The controls of a shown form update from their own actions too.
    if (F->GetVisible()) F->InitiateAction();
  }
}

bool TApplication::UpdateAction(TBasicAction* Action) {
  bool Handled = false;
  OnActionUpdate(Action, Handled);
  return Handled;
}

bool TApplication::ExecuteAction(TBasicAction* Action) {
  bool Handled = false;
  OnActionExecute(Action, Handled);
  return Handled;
}

bool TApplication::DispatchActionExecute(TBasicAction* Action) {
  TCustomForm* Form = Screen ? Screen->GetActiveForm() : nullptr;
  const LPARAM Param = reinterpret_cast<LPARAM>(Action);
  if (Form && Form->Perform(CM_ACTIONEXECUTE, 0, Param) == 1) return true;
  return FMainForm && FMainForm != Form && FMainForm->Perform(CM_ACTIONEXECUTE, 0, Param) == 1;
}

bool TApplication::IsShortCut(WORD Key, LPARAM KeyData, TCustomForm* From) {
  bool Handled = false;
  OnShortCut(Key, KeyData, Handled);
  if (Handled) return true;
  // The main form's commands reach from its other windows (MDI children, tool
  // windows) but not from behind a modal dialog.
  if (FMainForm && From != FMainForm && FMainForm->HandleAllocated() && IsWindowEnabled(FMainForm->GetHandle()))
    return FMainForm->IsShortCut(Key, KeyData);
  return false;
}

bool TApplication::HelpCommand(WORD Command, std::intptr_t Data) {
  bool CallHelp = true;
  return OnHelp ? OnHelp(Command, Data, CallHelp) : false;
}

void TApplication::HandleException(TObject* Sender) {
  if (!std::current_exception()) return;
  auto Report = [&](const Exception& E) {
    if (!OnException) {
      ShowException(E);
      return;
    }
    // This runs inside window procedures: a handler that fails must not send its
    // error out through the system's frames, and the user still hears of the first.
    try {
      OnException(Sender, E);
    } catch (...) {
      ShowException(E);
    }
  };
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& E) {
    Report(E);
  } catch (const std::exception& E) {
    Report(Exception(E.what()));
  } catch (...) {
    Report(Exception("Unknown error"));
  }
}

void TApplication::ShowException(const Exception& E) {
  std::string Msg = E.GetMessage();
  if (!Msg.empty() && static_cast<unsigned char>(Msg.back()) > '.') Msg += '.';
  MessageBox(Msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  HWND Owner = GetActiveWindow();
  if (!Owner && FMainForm && FMainForm->HandleAllocated()) Owner = FMainForm->GetHandle();
  return ::MessageBoxW(Owner, Utf8ToWide(Text).c_str(), Utf8ToWide(Caption.empty() ? FTitle : Caption).c_str(), Flags);
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::SetHint(const std::string& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (OnHint) {
    OnHint(this);
    return;
  }
  TOwned<THintAction> Action(THintAction::Create(nullptr));
  Action->SetHint(Value);
  Action->Execute();
}

TControl* TApplication::FindHintControl(POINT ScreenPos) {
  HWND Wnd = WindowFromPoint(ScreenPos);
  TWinControl* W = TWinControl::FindControl(Wnd);
  if (!W) return nullptr;
  TControl* C = W->ControlAtPos(W->ScreenToClient(ScreenPos), false);
  return C ? C : W;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  TControl* HC = Control;
  while (HC && !HC->GetShowHint()) HC = HC->GetParent();
  SetHint(GetLongHint(Control->GetHint()));
  if (HC == FHintControl) {
    POINT P;
    GetCursorPos(&P);
    if (FHintActive && !PtInRect(&FHintCursorRect, P)) {
      // Another part of the same control: it may have a hint of its own.
      HideHint();
      StartHintTimer(FHintShortPause, hkShow);
    }
    return;
  }
  bool WasActive = FHintActive;
  HideHint();
  FHintControl = HC;
  (void)Message;
  if (!HC || !FShowHint) {
    StopHintTimer();
    return;
  }
  StartHintTimer(WasActive ? FHintShortPause : FHintPause, hkShow);
}

void TApplication::StartHintTimer(int Value, int Kind) {
  StopHintTimer();
  FHintTimerKind = Kind;
  SetTimer(GetHandle(), kHintTimer, static_cast<UINT>(std::max(Value, 1)), nullptr);
}

void TApplication::StopHintTimer() {
  if (FHintTimerKind && FHandle) KillTimer(FHandle, kHintTimer);
  FHintTimerKind = 0;
}

void TApplication::ActivateHint(POINT CursorPos) {
  StopHintTimer();
  TControl* Under = FindHintControl(CursorPos);
  TControl* C = Under;
  while (C && !C->GetShowHint()) C = C->GetParent();
  FHintControl = C;
  if (!C || !FShowHint) return;
  THintInfo Info;
  Info.HintControl = C;
  Info.HintPos = POINT{CursorPos.x, CursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
  Info.HintMaxWidth = Screen ? Screen->GetWidth() : 640;
  Info.HintColor = FHintColor;
  Info.CursorRect = C->GetClientRect();
  Info.CursorPos = C->ScreenToClient(CursorPos);
  Info.HideTimeout = FHintHidePause;
  Info.HintStr = GetShortHint(Under->GetHint().empty() ? C->GetHint() : Under->GetHint());
  Info.HintWindowClass = HintWindowClass;
  bool CanShow = C->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)) == 0;
  if (CanShow) OnShowHint(Info.HintStr, CanShow, Info);
  if (!CanShow || Info.HintStr.empty()) return;
  if (FHintWindow && Info.HintWindowClass && FHintWindow->ClassType() != Info.HintWindowClass.Get()) {
    Free(FHintWindow);
    FHintWindow = nullptr;
  }
  if (!FHintWindow)
    FHintWindow = Info.HintWindowClass ? Info.HintWindowClass.Create(this) : THintWindow::Create(this);
  FHintWindow->SetColor(Info.HintColor);
  RECT R = FHintWindow->CalcHintRect(Info.HintMaxWidth, Info.HintStr);
  OffsetRect(&R, Info.HintPos.x, Info.HintPos.y);
  FHintWindow->ActivateHintData(R, Info.HintStr, Info.HintData);
  FHintActive = true;
  // The hint goes when the mouse leaves this part of the control.
  POINT TL = C->ClientToScreen(POINT{Info.CursorRect.left, Info.CursorRect.top});
  POINT BR = C->ClientToScreen(POINT{Info.CursorRect.right, Info.CursorRect.bottom});
  FHintCursorRect = RECT{TL.x, TL.y, BR.x, BR.y};
  if (Info.HideTimeout > 0) StartHintTimer(Info.HideTimeout, hkHide);
}

void TApplication::HideHint() {
  if (FHintWindow && FHintWindow->HandleAllocated()) ShowWindow(FHintWindow->GetHandle(), SW_HIDE);
  FHintActive = false;
}

void TApplication::CancelHint() {
  StopHintTimer();
  HideHint();
  FHintControl = nullptr;
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (FHintControl == Control) CancelHint();
  if (FMouseControl == Control) FMouseControl = nullptr;
}

void TApplication::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      if (Message.WParam == kHintTimer) {
        int Kind = FHintTimerKind;
        StopHintTimer();
        if (Kind == hkShow) {
          POINT P;
          GetCursorPos(&P);
          ActivateHint(P);
        } else {
          HideHint();
        }
      }
      return;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      if (Screen) {
        if (Message.Msg == WM_SETTINGCHANGE) Screen->ResetFonts();
        for (int I = 0; I < Screen->GetFormCount(); ++I)
          Screen->GetForms(I)->Perform(Message.Msg == WM_SETTINGCHANGE ? CM_WININICHANGE : CM_SYSCOLORCHANGE,
                                       Message.WParam, Message.LParam);
      }
      break;
    default: break;
  }
  Message.Result = DefWindowProcW(GetHandle(), Message.Msg, Message.WParam, Message.LParam);
}
