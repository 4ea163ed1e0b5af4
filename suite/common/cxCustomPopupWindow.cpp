#include "suite/common/cxCustomPopupWindow.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Screen.h"
#include "suite/common/ClassRoutines.h"
#include "suite/common/MessageWindow.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxContainerRoutines.h"

namespace {
std::vector<TcxCustomPopupWindow*> Popups;
HHOOK CallWndProcHook = nullptr;
HHOOK GetMessageHook = nullptr;
HHOOK MouseHook = nullptr;
// Above 0 while a popup closes or moves its focus.
int ClosingCounter = 0;
// True while a popup is being shown and while the mouse decision closes one.
bool Showing = false;

const wchar_t kStubSavedProp[] = L"SonveltSwallowSaved";
const wchar_t kStubMessageProp[] = L"SonveltSwallowStub";

LRESULT CALLBACK CallWndProcHookProc(int Code, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK GetMessageHookProc(int Code, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK MouseHookProc(int Code, WPARAM WParam, LPARAM LParam);

TSuiteUnit Unit(
    [] {
      InstallThreadHook(CallWndProcHook, WH_CALLWNDPROC, &CallWndProcHookProc);
      InstallThreadHook(GetMessageHook, WH_GETMESSAGE, &GetMessageHookProc);
      InstallThreadHook(MouseHook, WH_MOUSE, &MouseHookProc);
    },
    [] {
      RemoveThreadHook(MouseHook);
      RemoveThreadHook(GetMessageHook);
      RemoveThreadHook(CallWndProcHook);
      Popups.clear();
    });

class TCounterGuard {
public:
  explicit TCounterGuard(int& Counter) : FCounter(Counter) { ++FCounter; }
  ~TCounterGuard() { --FCounter; }
  TCounterGuard(const TCounterGuard&) = delete;
  TCounterGuard& operator=(const TCounterGuard&) = delete;

private:
  int& FCounter;
};

class TFlagGuard {
public:
  explicit TFlagGuard(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
  ~TFlagGuard() { FFlag = FOld; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

bool Destroying(const TComponent* C) { return C && C->GetComponentState().Contains(csDestroying); }

// A control's window when it has one; never creates it (the hooks run inside message handling).
HWND WindowOf(const TControl* C) {
  auto* W = dynamic_cast<const TWinControl*>(C);
  return W && W->HandleAllocated() ? const_cast<TWinControl*>(W)->GetHandle() : nullptr;
}

bool Listed(const TcxCustomPopupWindow* P) { return std::find(Popups.begin(), Popups.end(), P) != Popups.end(); }

bool IsActiveForm(TCustomForm* Form) { return Screen ? Screen->GetActiveForm() == Form : Form->GetActive(); }

bool ControlLiesOn(const TControl* Control, const TControl* Container) {
  for (const TControl* C = Control; C; C = C->GetParent())
    if (C == Container) return true;
  return false;
}

bool Belongs(HWND Window, TControl* Control, bool Descendants, int Depth) {
  if (!Control || !Window || Depth > 16) return false;
  HWND Own = WindowOf(Control);
  if (Own && Own == Window) return true;
  if (!Descendants) return false;
  if (Own && IsChild(Own, Window)) return true;
  if (auto* W = dynamic_cast<TWinControl*>(Control))
    for (int I = 0; I < W->GetControlCount(); ++I)
      if (dynamic_cast<TWinControl*>(W->GetControl(I)) && Belongs(Window, W->GetControl(I), true, Depth + 1))
        return true;
  const bool IsPopup = dynamic_cast<TcxCustomPopupWindow*>(Control) != nullptr;
  for (TcxCustomPopupWindow* P : Popups) {
    if (P == Control) continue;
    TControl* Owner = P->GetOwnerControl();
    if ((Owner == Control || (IsPopup && ControlLiesOn(Owner, Control))) && Belongs(Window, P, true, Depth + 1))
      return true;
  }
  return false;
}

// Whether Window lies in the top-level window of P's owner.
bool InOwnersTopLevel(TcxCustomPopupWindow* P, HWND Window) {
  TCustomForm* Form = P->GetOwnerControl() ? GetParentForm(P->GetOwnerControl()) : nullptr;
  if (!Form) return false;
  if (Belongs(Window, Form, true, 0)) return true;
  if (Form->GetParent() || !Form->HandleAllocated()) return false;
  HWND Top = Form->GetHandle();
  for (HWND Up = GetParent(Top); Up && IsChild(Up, Top); Up = GetParent(Top)) Top = Up;
  return Window == Top || IsChild(Top, Window);
}

void ClosePopup(TcxCustomPopupWindow* P) {
  if (Listed(P)) P->CloseUp();
}

// Closes the popup at Index and every popup opened after it, the last first.
void CloseFrom(size_t Index) {
  const std::vector<TcxCustomPopupWindow*> Closing(Popups.begin() + static_cast<std::ptrdiff_t>(Index), Popups.end());
  for (auto It = Closing.rbegin(); It != Closing.rend(); ++It) ClosePopup(*It);
}

LRESULT CALLBACK SwallowStub(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto Saved = reinterpret_cast<WNDPROC>(GetPropW(Wnd, kStubSavedProp));
  const UINT Target = static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropW(Wnd, kStubMessageProp)) - 1);
  // Another message sent first (from inside a hook) still reaches the window.
  if (Msg != Target && Saved) return CallWindowProcW(Saved, Wnd, Msg, WParam, LParam);
  if (Saved) SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Saved));
  RemovePropW(Wnd, kStubSavedProp);
  RemovePropW(Wnd, kStubMessageProp);
  return 1;
}

LRESULT CALLBACK CallWndProcHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    const auto& M = *reinterpret_cast<const CWPSTRUCT*>(LParam);
    try {
      if (PopupCallWndProcDecision(M)) SwallowMessage(M.hwnd, M.message);
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
    }
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

LRESULT CALLBACK GetMessageHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) PopupGetMessageDecision(*reinterpret_cast<MSG*>(LParam), WParam);
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

LRESULT CALLBACK MouseHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    bool Eat = false;
    try {
      Eat = PopupMouseDecision(static_cast<UINT>(WParam), *reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam));
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
    }
    if (Eat) return 1;
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}
}  // namespace

const std::vector<TcxCustomPopupWindow*>& VisiblePopups() { return Popups; }

bool WindowBelongsTo(HWND Window, TControl* Control, bool Descendants) {
  return Belongs(Window, Control, Descendants, 0);
}

void EnsurePopupHooks() { Unit.Ensure(); }

void SwallowMessage(HWND Window, UINT Msg) {
  if (!Window || TWinControl::SwallowNextMessage(Window, Msg)) return;
  if (!GetPropW(Window, kStubSavedProp)) {
    auto Saved = reinterpret_cast<HANDLE>(GetWindowLongPtrW(Window, GWLP_WNDPROC));
    SetPropW(Window, kStubSavedProp, Saved);
    SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowStub));
  }
  SetPropW(Window, kStubMessageProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(Msg) + 1));
}

bool PopupCallWndProcDecision(const CWPSTRUCT& M) {
  if ((M.message == CM_ACTIVATE || M.message == CM_DEACTIVATE) && ClosingCounter > 0) return true;
  if (Popups.empty()) return false;
  switch (M.message) {
    case WM_DESTROY:
      for (TcxCustomPopupWindow* P : std::vector(Popups))
        if (!Destroying(P) && WindowOf(P) == M.hwnd) {
          P->Close();
          break;
        }
      return false;
    case WM_CLOSE:
      for (TcxCustomPopupWindow* P : std::vector(Popups)) {
        if (Destroying(P) || !Listed(P)) continue;
        TControl* Owner = P->GetOwnerControl();
        if (WindowOf(P) == M.hwnd) {
          if (P->CloseQuery()) {
            P->CloseUp();
            if (!Listed(P) && P->GetCaptureFocus() && Owner && !Destroying(Owner) && WindowOf(Owner))
              SendMessageW(FirstTopLevelAncestor(WindowOf(Owner)), WM_CLOSE, 0, 0);
          }
          break;
        }
        if (P->GetCaptureFocus() || Destroying(Owner)) continue;
        TCustomForm* Form = Owner ? GetParentForm(Owner) : nullptr;
        if (!Form || !Form->HandleAllocated() || WindowOf(Form) == M.hwnd) P->CloseUp();
        break;
      }
      return false;
    case WM_SHOWWINDOW:
      if (M.wParam) return false;
      for (size_t I = Popups.size(); I-- > 0;) {
        TcxCustomPopupWindow* P = Popups[I];
        if (Destroying(P)) continue;
        HWND Owner = WindowOf(P->GetOwnerControl());
        if (!Owner || Owner != M.hwnd) continue;
        CloseFrom(I);
        break;
      }
      return false;
    case WM_ACTIVATEAPP: {
      if (M.wParam) return false;
      for (bool Again = true; Again;) {
        Again = false;
        for (TcxCustomPopupWindow* P : std::vector(Popups)) {
          TCustomForm* Form = P->GetOwnerControl() ? GetParentForm(P->GetOwnerControl()) : nullptr;
          if (Form && Form->HandleAllocated()) PostMessageW(Form->GetHandle(), WM_NCACTIVATE, FALSE, 0);
          if ((!P->GetCaptureFocus() || !IsActiveForm(P)) && IsWindowEnabled(WindowOf(P))) {
            P->CloseUp();
            Again = true;
            break;
          }
        }
      }
      return false;
    }
    case WM_WINDOWPOSCHANGED:
      // The framework hides controls this way, without WM_SHOWWINDOW: the popups
      // opened from the closing one go too, as they do there.
      for (bool Again = true; Again;) {
        Again = false;
        for (size_t I = 0; I < Popups.size(); ++I) {
          TcxCustomPopupWindow* P = Popups[I];
          TControl* Owner = P->GetOwnerControl();
          if (Destroying(P) || !P->HandleAllocated() || !Owner || Destroying(Owner)) continue;
          HWND W = WindowOf(Owner);
          if (W && W == M.hwnd && !IsWindowVisible(W)) {
            CloseFrom(I);
            Again = true;
            break;
          }
        }
      }
      return false;
    case WM_NCACTIVATE:
      if (M.wParam) return false;
      if (Showing) return true;
      // The owner's form keeps its active caption while its popup is open.
      for (TcxCustomPopupWindow* P : Popups) {
        TCustomForm* Form = P->GetOwnerControl() ? GetParentForm(P->GetOwnerControl()) : nullptr;
        if (Form && WindowOf(Form) == M.hwnd) return true;
      }
      return false;
    default: return false;
  }
}

void PopupGetMessageDecision(MSG& M, WPARAM RemoveFlag) {
  if (RemoveFlag != PM_REMOVE || M.message != WM_SYSKEYDOWN || Popups.empty()) return;
  TcxCustomPopupWindow* Last = Popups.back();
  if (!Last->GetCaptureFocus() && !Last->IsPopupKey(static_cast<WORD>(M.wParam))) M.message = WM_NULL;
}

bool PopupMouseDecision(UINT Message, const MOUSEHOOKSTRUCT& Info) {
  switch (Message) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: break;
    default: return false;
  }
  if (Popups.empty()) return false;
  const HWND Window = Info.hwnd;
  const POINT Pt = Info.pt;
  // Beware the name: a PassClickThrough that answers true makes a closing click
  // elsewhere be eaten, while on the owner it lets the click pass and sets the
  // just-closed flag.
  bool Pass = true;
  for (bool Again = true; Again;) {
    Again = false;
    for (TcxCustomPopupWindow* P : std::vector(Popups)) {
      if (!Listed(P)) continue;
      if (P->GetCaptureFocus() && !IsActiveForm(P)) continue;
      if (Belongs(Window, P, true, 0)) continue;
      TControl* Owner = P->GetOwnerControl();
      TCustomForm* Form = Owner ? GetParentForm(Owner) : nullptr;
      auto* FormPopup = dynamic_cast<TcxCustomPopupWindow*>(Form);
      if (InOwnersTopLevel(P, Window) || (FormPopup && !Listed(FormPopup))) {
        bool OnOwner = false;
        if (Belongs(Window, Owner, true, 0) && (Message == WM_LBUTTONDOWN || Message == WM_LBUTTONDBLCLK)) {
          RECT R;
          P->OwnerScreenBounds(R);
          OnOwner = PtInRect(&R, Pt) != FALSE;
        }
        if (OnOwner) P->FJustClosed = P->PassClickThrough(Window, Message, Pt, CurrentShiftState());
        {
          TFlagGuard ShowingGuard(Showing);
          TCounterGuard Lock(P->FClosingLock);
          if (!OnOwner && Pass) Pass = !P->PassClickThrough(Window, Message, Pt, CurrentShiftState());
          P->CloseUp();
        }
        if (OnOwner && (Destroying(Owner) || !Owner->GetVisible())) Pass = false;
        Again = true;
        break;
      }
      if (Form && Form->GetFormStyle() == fsMDIChild) {
        TCustomForm* Frame = Application ? Application->GetMainForm() : nullptr;
        bool InFrame = Frame && Frame->GetFormStyle() == fsMDIForm &&
                       (Window == Frame->GetClientHandle() || Belongs(Window, Frame, true, 0));
        if (InFrame) {
          Pass = Pass && !P->PassClickThrough(Window, Message, Pt, CurrentShiftState());
          P->CloseUp();
          Again = true;
          break;
        }
      }
    }
  }
  return !Pass;
}

// ---------------------------------------------------------------- the popup

TcxCustomPopupWindow::TcxCustomPopupWindow(TComponent* AOwner)
    : TcxPopupWindow(AOwner), FOwnerControl(dynamic_cast<TControl*>(AOwner)) {
  EnsurePopupHooks();
  SetFormStyle(fsNormal);
  SetVisible(false);
  TcxContainerStyleArgs Args{this, 0, nullptr};
  FStyle.reset(StyleClass().Create(&Args));
  FStyle->OnChanged = Bind(this, &TcxCustomPopupWindow::StyleChanged);
  FViewInfo.reset(ViewInfoClass().Create());
  SetKeyPreview(true);
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
  ClearLinksToObject(this);
  std::erase(Popups, this);
  FViewInfo.reset();
  if (FStyle) FStyle->OnChanged = nullptr;
  FStyle.reset();
}

bool TcxCustomPopupWindow::IsListed() const { return Listed(this); }

bool TcxCustomPopupWindow::TakeJustClosedFlag() {
  bool Result = FJustClosed;
  FJustClosed = false;
  return Result;
}

bool TcxCustomPopupWindow::IsPopupKey(WORD Key) const {
  return (Key >= VK_PRIOR && Key <= VK_DOWN) || Key == VK_F4;
}

bool TcxCustomPopupWindow::PassClickThrough(HWND, UINT, POINT, TShiftState) { return false; }

void TcxCustomPopupWindow::SetCaptureFocus(bool Value) {
  if (FCaptureFocus == Value) return;
  FCaptureFocus = Value;
  if (HandleAllocated()) RecreateWnd();
  if (IsListed()) {
    CloseUp();
    ShowPopup(FFocusedControl);
  }
}

void TcxCustomPopupWindow::FitIntoWorkArea(POINT& Position) {
  if (!AllowsWorkAreaFit()) return;
  const RECT WA = NearestWorkArea(Position);
  Position.x = std::max(WA.left, std::min(Position.x, WA.right - GetWidth()));
  Position.y = std::max(WA.top, std::min(Position.y, WA.bottom - GetHeight()));
}

void TcxCustomPopupWindow::ShowPopup(TWinControl* FocusedControl) {
  HWND OwnerWindow = WindowOf(FOwnerControl);
  if (IsListed() || !OwnerWindow || !IsWindowVisible(OwnerWindow)) return;
  InheritOwnerFont();
  FitToControls();
  POINT Position;
  ComputePosition(Position);
  FitIntoWorkArea(Position);
  {
    TFlagGuard ShowingGuard(Showing);
    Popups.push_back(this);
    DoShowing();
    SetBounds(Position.x, Position.y, GetWidth(), GetHeight());
    Show();
    TWinControl* Target = FocusedControl;
    if (FCaptureFocus) {
      if (!Target || !Target->CanFocus() || !Target->GetTabStop()) Target = FindNextControl(nullptr, true, true, false);
      if (!Target) Target = this;
    }
    FFocusedControl = Target;
    if (Target) Target->SetFocus();
    TCustomForm* Form = FOwnerControl ? ::GetParentForm(FOwnerControl) : nullptr;
    const bool TopMost = !FCaptureFocus || !Form ||
                         (Form->HandleAllocated() && (GetWindowLongW(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
    SetWindowPos(GetHandle(), TopMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  }
  SetModalResult(mrNone);
  DoShowed();
  if (FCaptureFocus) RunLocalLoop();
}

void TcxCustomPopupWindow::RunLocalLoop() {
  TcxObjectLinkGuard Link(this);
  while (Link.Alive() && GetVisible() && IsListed() && !(Application && Application->GetTerminated())) {
    MSG M;
    if (PeekMessageW(&M, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
        (M.wParam == VK_RETURN || M.wParam == VK_MENU || M.wParam == VK_SPACE))
      PeekMessageW(&M, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    if (GetModalResult() != mrNone) {
      if (CloseQuery()) ModalClose();
      else SetModalResult(mrNone);
      continue;
    }
    if (Application) Application->HandleMessage();
    else break;
  }
}

void TcxCustomPopupWindow::CloseUp() {
  if (!IsListed()) return;
  TCounterGuard Closing(ClosingCounter);
  std::erase(Popups, this);
  DoClosing();
  if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
  Hide();
  DoClosed();
  if (HandleAllocated() && GetCapture() && WindowBelongsTo(GetCapture(), this, true)) SetCaptureControl(nullptr);
  if (!Popups.empty() || !FOwnerControl) return;
  TCustomForm* Form = ::GetParentForm(FOwnerControl);
  if (Form && Form->HandleAllocated() && Form->GetFormStyle() != fsMDIForm && !IsActiveForm(Form))
    SendMessageW(Form->GetHandle(), WM_NCACTIVATE, FALSE, 0);
}

void TcxCustomPopupWindow::Deactivate() {
  if (FClosingLock > 0) return;
  const HWND Active = GetActiveWindow();
  // A popup opened from this one took the activation: nothing closes.
  for (TcxCustomPopupWindow* P : Popups)
    if (WindowOf(P) == Active) return;
  const std::vector<TcxCustomPopupWindow*> Open = Popups;
  for (auto It = Open.rbegin(); It != Open.rend(); ++It) {
    TcxCustomPopupWindow* P = *It;
    if (!Listed(P)) continue;
    if (IsWindowEnabled(WindowOf(P)) && P->FClosingLock == 0) P->CloseUp();
  }
  if (!Popups.empty()) CloseUp();
}

bool TcxCustomPopupWindow::Focused() {
  if (!IsListed() || !FCaptureFocus) return false;
  HWND Focus = GetFocus();
  return Focus && WindowBelongsTo(Focus, this, true);
}

bool TcxCustomPopupWindow::CanFocus() { return GetVisible(); }

bool TcxCustomPopupWindow::IsShortCut(WORD Key, LPARAM KeyData) {
  if (TcxPopupWindow::IsShortCut(Key, KeyData)) return true;
  TCustomForm* Form = FOwnerControl ? ::GetParentForm(FOwnerControl) : nullptr;
  return Form && Form != this && Form->IsShortCut(Key, KeyData);
}

void TcxCustomPopupWindow::OwnerScreenBounds(RECT& R) {
  R = GetOwnerBounds();
  HWND Owner = WindowOf(FOwnerControl);
  TControl* Parent = GetOwnerParent();
  if (!Owner || !IsChildStyleWindow(Owner) || !Parent) return;
  POINT TopLeft = Parent->ClientToScreen(POINT{R.left, R.top});
  POINT BottomRight = Parent->ClientToScreen(POINT{R.right, R.bottom});
  R = RECT{TopLeft.x, TopLeft.y, BottomRight.x, BottomRight.y};
}

void TcxCustomPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
  if (IsListed() && HandleAllocated() && GetCapture() == GetHandle() && Key == VK_ESCAPE) {
    SetCaptureControl(nullptr);
    Key = 0;
    return;
  }
  TcxPopupWindow::KeyDown(Key, Shift);
}

void TcxCustomPopupWindow::AdjustClientRect(RECT& Rect) {
  const RECT& C = FViewInfo->ClientRect;
  // Until a derived popup lays its view info out, the whole client area is free.
  if (C.right > C.left && C.bottom > C.top) Rect = C;
  else TcxPopupWindow::AdjustClientRect(Rect);
}

void TcxCustomPopupWindow::CreateHandle() {
  if (IsListed()) {
    TcxPopupWindow::CreateHandle();
    return;
  }
  Popups.push_back(this);
  try {
    TcxPopupWindow::CreateHandle();
  } catch (...) {
    std::erase(Popups, this);
    throw;
  }
  std::erase(Popups, this);
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  if (FCaptureFocus) {
    TCustomForm* Form = FOwnerControl ? ::GetParentForm(FOwnerControl) : nullptr;
    if (Form && Form != this) Params.WndParent = Form->GetHandle();
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
  } else {
    Params.Style = WS_CHILD;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (!Params.WndParent && SuiteMessageWindow()) Params.WndParent = SuiteMessageWindow()->GetHandle();
  }
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateWnd() {
  TcxPopupWindow::CreateWnd();
  // A child of the desktop shows without ever taking the activation.
  if (!FCaptureFocus) ::SetParent(GetHandle(), nullptr);
}

void TcxCustomPopupWindow::Paint() {
  TcxCanvas* Canvas = GetCxCanvas();
  FViewInfo->PaintAll(Canvas);
}

void TcxCustomPopupWindow::VisibleChanged() {
  if (!FCaptureFocus || !FOwnerControl || GetVisible()) return;
  TCustomForm* Form = ::GetParentForm(FOwnerControl);
  if (!Form || !Form->HandleAllocated() || GetFocus() != Form->GetHandle()) return;
  auto* Owner = dynamic_cast<TWinControl*>(FOwnerControl);
  if (Owner && Owner->CanFocus() && !Form->GetComponentState().Contains(csDesigning)) Owner->SetFocus();
}

void TcxCustomPopupWindow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATEAPP: Message.Result = 0; return;
    case WM_ERASEBKGND:
      if (!ErasesBackground()) {
        Message.Result = 1;
        return;
      }
      break;
    case DXM_POPUPCLOSE: {
      {
        TCounterGuard Lock(FClosingLock);
        CloseUp();
      }
      if (HWND Owner = WindowOf(FOwnerControl)) SendMessageW(Owner, WM_SETFOCUS, 0, 0);
      return;
    }
    case DXM_POPUPRESHOW: ShowPopup(FFocusedControl); return;
    case CM_MOUSEENTER: MouseEnter(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this); break;
    case CM_MOUSELEAVE: MouseLeave(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this); break;
    default: break;
  }
  TcxPopupWindow::WndProc(Message);
}
