#include "suite/bars/BarHooks.h"

#include <exception>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarHintWindow.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarPopupMenuLinks.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/Bars.h"
#include "suite/common/ClassRoutines.h"
#include "suite/common/WindowUtils.h"

TdxBarManagerNotifyProc dxBarManagerRegistered = nullptr;
TdxBarManagerNotifyProc dxBarManagerUnregistered = nullptr;

namespace {
struct THookState {
  HHOOK Keyboard = nullptr;
  HHOOK Mouse = nullptr;
  HHOOK CallWnd = nullptr;
  TdxBarHintWindow* HintWindow = nullptr;
  bool CaptionButtonCapture = false;
  bool DirectCall = false;
  bool KeyNoted = false;
  WORD NotedKey = 0;
  bool AltPending = false;
  bool InMouseClose = false;
  bool LookingUpManager = false;
  bool AppActive = true;
  bool DeactivatedToOtherProcess = false;
};
THookState Hooks;

bool IsKeyPress(LPARAM KeyData) { return (KeyData & 0x80000000) == 0; }
bool IsKeyDown(int VKey) { return GetKeyState(VKey) < 0; }

TShiftState CurrentShiftState() {
  TShiftState S;
  if (IsKeyDown(VK_SHIFT)) S.Include(ssShift);
  if (IsKeyDown(VK_MENU)) S.Include(ssAlt);
  if (IsKeyDown(VK_CONTROL)) S.Include(ssCtrl);
  return S;
}

// Whatever a hook step raised is reported once the hook has chained on, so no
// other hook of the thread loses the message.
void ReportPending(std::exception_ptr& Error) {
  if (!Error) return;
  try {
    std::rethrow_exception(Error);
  } catch (...) {
    ReportException(nullptr);
  }
}

void NoteKey(WORD Key) {
  Hooks.KeyNoted = true;
  Hooks.NotedKey = Key;
}

bool RouteKeyToBars(WORD Key, LPARAM KeyData) {
  bool Press = IsKeyPress(KeyData);
  if (Hooks.KeyNoted && Key == Hooks.NotedKey && !Press) {
    Hooks.KeyNoted = false;
    return true;
  }
  if (BarDesignControllerInstance()->IsDragging()) return false;
  TShiftState Shift = CurrentShiftState();
  // A key meets an unfolding menu at its final bounds, whoever handles the key.
  if (Press)
    if (auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(TopActiveBarControl())) Menu->StopAnimation();
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  // An open menu walks its own entries (arrows, Tab, Home, End); key tips stay the controller's.
  bool MenuWalks = dynamic_cast<TdxBarSubMenuControl*>(TopActiveBarControl()) && !Nav->AwaitingKeyTips() &&
                   !Nav->IsKeyTipsActive();
  if (!MenuWalks && Nav->WantsKey(Key, Shift)) {
    if (Press) {
      NoteKey(Key);
      Nav->DispatchNavigationKey(Key, Shift);
    }
    return true;
  }
  if (IsCharacterKey(Key) && (Nav->AwaitingKeyTips() || Nav->IsKeyTipsActive())) Nav->EndKeyboardMode();

  TCustomdxBarControl* Active = TopActiveBarControl();
  if (!IsActiveBarControlEnabled() || (Active && Active->IsCustomizing())) {
    TdxBarDesignController* Design = BarDesignControllerInstance();
    switch (Key) {
      case VK_MENU: {
        TCustomdxBarControl* Quick = Design->GetQuickControl();
        if (Active || !Quick) return false;
        if (Press) NoteKey(Key);
        Design->CloseQuickControl();
        if (!IsKeyDown(VK_MENU)) Hooks.KeyNoted = false;
        return true;
      }
      case VK_ESCAPE:
        if (Active && Active->HandleAllocated() && GetCapture() == Active->GetHandle()) {
          ReleaseCapture();
          return true;
        }
        return Press && Design->SelectSelectionParent();
      case VK_DELETE:
        return Press && Design->DeleteSelectedObjects(Shift.Contains(ssCtrl));
      default:
        return false;
    }
  }
  TdxBarItemControl* Selected = Active->SelectedItemControl();
  if (Selected && Selected->IsEditing()) return false;
  if (Press) NoteKey(Key);
  if (Active->HandleAllocated())
    SendMessageW(Active->GetHandle(), Press ? WM_KEYDOWN : WM_KEYUP, Key, KeyData);
  if (!TopActiveBarControl() || !Press) Hooks.KeyNoted = false;
  return true;
}

bool IsMenuKeyNow(WORD Key, TdxBarManager* Manager) {
  bool Ctrl = IsKeyDown(VK_CONTROL);
  if (Key == VK_MENU) return !Ctrl;
  return Key == VK_F10 && Manager->GetUseF10ForMenu() && !Ctrl && !IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_MENU);
}

bool HandleShortCutKey(TdxBarManager* Manager, WORD Key, LPARAM KeyData) {
  if (HandleShortCutGlobally(Manager, ShortCutFromKeyState(Key, KeyData))) return true;
  if (!IsKeyDown(VK_MENU)) return false;
  TShiftState Shift = CurrentShiftState();
  Shift.Exclude(ssAlt);
  TdxBarItemLink* Link = FindAcceleratorLink(Manager, Key, Shift);
  TdxBarItem* Item = Link ? Link->GetItem() : nullptr;
  if (!Item || !Item->GetEnabled()) return false;
  TdxBarItemLinks* Owner = Link->GetOwnerLinks();
  TdxBarItemLink* Next = Owner ? Owner->FindLinkByAccelerator(Key, Shift, Link) : nullptr;
  TdxBarItemControl* Control = Link->GetControl();
  bool Shared = Next && Next != Link;
  // A sub-item's accelerator opens its menu, as a click would.
  bool OpensMenu = dynamic_cast<TdxBarSubItemControl*>(Control) != nullptr;
  if (Control && ((!Control->ClosesMenusOnClick() && !OpensMenu) || Shared)) {
    if (TCustomdxBarControl* W = Link->GetBarControl()) W->SelectAndActivate(Control);
    return true;
  }
  if (Control) {
    if (OpensMenu)
      if (TCustomdxBarControl* W = Link->GetBarControl()) {
        W->MarkOpenedFromKeyboard();
        W->SelectAndActivate(Control);
      }
    Control->Click(false);
  } else {
    Item->Click();
  }
  return true;
}

bool HandleMenuKey(WORD Key, LPARAM KeyData) {
  bool MenuKey = Key == VK_F10 || Key == VK_MENU;
  TdxBarAccessibilityHelper* Root = nullptr;
  TdxBarManager* Manager = FindKeyboardManager(MenuKey, Root);
  if (!Manager) return false;
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  bool Press = IsKeyPress(KeyData);
  bool Repeat = Press && (KeyData & 0x40000000) != 0;
  if (Press && (!IsMenuKeyNow(Key, Manager) || (Repeat && Hooks.AltPending))) {
    Nav->EndKeyTipsWaiting(false);
    return HandleShortCutKey(Manager, Key, KeyData);
  }
  if (Press) {
    Manager->CancelHint();
    Hooks.AltPending = true;
    if (Root && Root->AcceptsKeyTips()) Nav->BeginKeyTipsWaiting(Root);
    return false;
  }
  bool AltRelease = Key == VK_MENU && Hooks.AltPending;
  bool F10Release = Key == VK_F10 && Manager->GetUseF10ForMenu() && !IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_MENU) &&
                    !IsKeyDown(VK_CONTROL);
  if (AltRelease || F10Release) {
    Hooks.AltPending = false;
    Nav->SelectRootDefault(Root);
    if (Root && Root->AcceptsKeyTips()) Nav->EndKeyTipsWaiting(true);
    return true;
  }
  Nav->EndKeyTipsWaiting(false);
  return false;
}

// The manager found by climbing from Wnd through the parents of child windows.
TdxBarManager* ClimbForManager(HWND Wnd, bool MenuKey, TdxBarAccessibilityHelper*& Root) {
  for (HWND W = Wnd; W; W = GetParent(W)) {
    if (MenuKey) {
      if (TdxBarAccessibilityHelper* Helper = FindRootAccessibilityHelper(W)) {
        Root = Helper;
        TdxBarManager* M = Helper->GetBarManager();
        return M ? M : ManagerOfWindow(W);
      }
    } else if (TdxBarManager* M = ManagerOfWindow(W)) {
      return M;
    }
    if (!(GetWindowLongPtrW(W, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

bool FormHasFocusedBarWindow(TdxBarManager* Manager) {
  TdxBarManagerList* List = BarManagerList();
  TdxBarManager* M = Manager;
  do {
    if (M->HasFocusedBarControl()) return true;
    M = List->FindNextManager(M, true);
  } while (M && M != Manager);
  return false;
}

void CloseActiveBarsOnMouse(UINT Msg, HWND Wnd, POINT Pt, bool& Swallow) {
  if (Hooks.InMouseClose) return;
  Hooks.InMouseClose = true;
  try {
    TCustomdxBarControl* Active = TopActiveBarControl();
    bool OtherButtonUp = Msg == WM_RBUTTONUP || Msg == WM_NCRBUTTONUP || Msg == WM_MBUTTONUP || Msg == WM_NCMBUTTONUP;
    TCustomdxBarControl* Owner = nullptr;
    for (TCustomdxBarControl* W : LiveBarControls())
      if (W->HandleAllocated() && (W->GetHandle() == Wnd || IsChild(W->GetHandle(), Wnd))) Owner = W;
    bool InChain = false;
    for (TCustomdxBarControl* W = Active; W && Owner; W = W->GetParentBar())
      if (W == Owner) InChain = true;
    if (OtherButtonUp) {
      POINT Client = Pt;
      if (Owner) ScreenToClient(Owner->GetHandle(), &Client);
      if (!InChain || !Owner || !Owner->ItemControlAtPos(Client)) Swallow = true;
    } else if (IsMouseButtonDownMessage(Msg) && !(Active->GetBarManager() && Active->GetBarManager()->IsDragging())) {
      while (TCustomdxBarControl* Top = TopActiveBarControl()) {
        if (InChain) {
          Owner->HandleHookedMouse(Msg, Wnd, Pt);
          break;
        }
        Top->CloseBar();
        if (!IsWindowVisible(Wnd)) Swallow = true;
        if (TopActiveBarControl() == Top) break;
      }
    }
  } catch (...) {
    Hooks.InMouseClose = false;
    throw;
  }
  Hooks.InMouseClose = false;
}

bool IsMDIClientWindow(HWND Wnd) {
  wchar_t Name[32] = {};
  return Wnd && GetClassNameW(Wnd, Name, 32) && lstrcmpiW(Name, L"MDICLIENT") == 0;
}

bool IsOwnerListMessage(UINT Msg) {
  switch (Msg) {
    case WM_ACTIVATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_ACTIVATEAPP:
    case WM_CHILDACTIVATE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_SYSCOMMAND:
    case WM_MDIACTIVATE:
      return true;
    default:
      return false;
  }
}

TdxBarManager* LookUpManager(HWND Wnd) {
  Hooks.LookingUpManager = true;
  TdxBarManager* M = nullptr;
  try {
    M = ManagerOfWindow(Wnd);
  } catch (...) {
    Hooks.LookingUpManager = false;
    throw;
  }
  Hooks.LookingUpManager = false;
  return M;
}

void DispatchOwnerMessage(UINT Msg, WPARAM WParam, LPARAM LParam, HWND Wnd) {
  if (Msg == WM_ACTIVATE) {
    HWND Other = reinterpret_cast<HWND>(LParam);
    if (Other && !IsOtherProcessWindow(Other) && (GetParent(Other) == Wnd || GetParent(Wnd) == Other)) return;
  }
  HWND Target = Wnd;
  if (Msg == WM_HELP && IsActiveBarControlEnabled()) {
    TdxBarManager* Active = TopActiveBarManager();
    TCustomForm* Enclosing = EnclosingFormOfWindow(Wnd);
    if (Active && !(Enclosing && FindBarManagerByOwner(Enclosing) == Active))
      if (TCustomForm* F = Active->NearestOwnerForm(); F && F->HandleAllocated()) Target = F->GetHandle();
  }
  TdxBarManager* M = LookUpManager(Target);
  if (!M && Msg == WM_ACTIVATE) {
    HWND Parent = GetParent(Wnd);
    if (Parent && IsWindowVisible(Parent)) M = LookUpManager(Parent);
  }
  if (M) M->HandleOwnerMessage(Target, Msg, WParam, LParam);
  if (!IsOwnerListMessage(Msg)) return;
  TdxBarManagerList* List = BarManagerList();
  for (int I = 0; List && I < List->GetCount(); ++I) {
    TdxBarManager* Other = List->GetManager(I);
    if (Other == M) continue;
    TWinControl* Owner = Other->OwnerControl();
    if (!Owner || !Owner->HandleAllocated()) continue;
    HWND OwnerWnd = Owner->GetHandle();
    if (OwnerWnd == Target || !IsChild(Target, OwnerWnd) || !Other->OwnerTopForm()) continue;
    Other->HandleOwnerMessage(OwnerWnd, Msg, WParam, LParam);
  }
}

bool AnyPopupMenuShowing() {
  for (TCustomdxBarControl* W : LiveBarControls())
    if (W->IsSubMenuWindow() && W->HandleAllocated() && IsWindowVisible(W->GetHandle())) return true;
  return false;
}
// While a manager customizes, its form is disabled and the mouse over it is
// refused (hit code HTERROR); presses over one of its bar windows are the
// customizing user's, so they go to that window as client messages.
bool RouteCustomizingMouse(UINT Msg, const MOUSEHOOKSTRUCT& Info) {
  if (Info.wHitTestCode != static_cast<UINT>(HTERROR)) return false;
  bool Client = Msg >= WM_MOUSEFIRST && Msg <= WM_MBUTTONDBLCLK;
  bool NonClient = Msg >= WM_NCMOUSEMOVE && Msg <= WM_NCMBUTTONDBLCLK;
  if (!Client && !NonClient) return false;
  TdxBarManager* M = BarManagerList() ? BarManagerList()->CustomizingManager() : nullptr;
  TdxBarCustomCustomizationForm* Form = ActiveCustomizationForm();
  if (!M || !Form || !Form->HandleAllocated()) return false;
  for (TCustomdxBarControl* W : LiveBarControls()) {
    if (W->GetBarManager() != M || !W->HandleAllocated() || !IsWindowVisible(W->GetHandle())) continue;
    RECT R;
    GetWindowRect(W->GetHandle(), &R);
    if (!PtInRect(&R, Info.pt)) continue;
    SendMessageW(W->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(Info.pt.x, Info.pt.y));
    POINT P = Info.pt;
    ScreenToClient(W->GetHandle(), &P);
    bool Swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    WPARAM Keys = 0;
    if (GetAsyncKeyState(VK_CONTROL) < 0) Keys |= MK_CONTROL;
    if (GetAsyncKeyState(VK_SHIFT) < 0) Keys |= MK_SHIFT;
    if (GetAsyncKeyState(Swapped ? VK_RBUTTON : VK_LBUTTON) < 0) Keys |= MK_LBUTTON;
    if (GetAsyncKeyState(Swapped ? VK_LBUTTON : VK_RBUTTON) < 0) Keys |= MK_RBUTTON;
    if (Msg != WM_MOUSEMOVE && Msg != WM_NCMOUSEMOVE) SetForegroundWindow(Form->GetHandle());
    PostMessageW(W->GetHandle(), Client ? Msg : Msg + (WM_MOUSEMOVE - WM_NCMOUSEMOVE), Keys, MAKELPARAM(P.x, P.y));
    return true;
  }
  return false;
}
}  // namespace

// ---- the manager list

TdxBarManagerList::~TdxBarManagerList() { RemoveBarHooks(); }

TdxBarManager* TdxBarManagerList::GetManager(int Index) const {
  return static_cast<TdxBarManager*>(ItemOrNil(Index));
}

TdxBarManager* TdxBarManagerList::CustomizingManager() const {
  for (int I = 0; I < GetCount(); ++I)
    if (GetManager(I)->IsCustomizing()) return GetManager(I);
  return nullptr;
}

bool TdxBarManagerList::MayTakeKeyboardFor(TdxBarManager* Start, TdxBarManager* Candidate) {
  TCustomForm* Top = Start->OwnerTopForm();
  TWinControl* Owner = Candidate->OwnerControl();
  if (!Top || !Owner || !Top->HandleAllocated() || !Owner->HandleAllocated()) return false;
  HWND TopWnd = Top->GetHandle();
  bool Inside = false;
  for (HWND W = Owner->GetHandle(); W; W = GetParent(W)) {
    if (W == TopWnd) {
      Inside = true;
      break;
    }
    if (!(GetWindowLongPtrW(W, GWL_STYLE) & WS_CHILD)) break;
  }
  if (!Inside) return false;
  TCustomForm* ChildOrTop = Candidate->OwnerChildOrTopForm();
  if (ChildOrTop && !Candidate->InDesignMode() && IsRunTimeMDIChild(ChildOrTop))
    return ChildOrTop->HandleAllocated() && ChildOrTop->GetHandle() == ActiveMDIChildWindow();
  return true;
}

TdxBarManager* TdxBarManagerList::FindNextManager(TdxBarManager* Manager, bool Forward) const {
  int Start = IndexOf(Manager);
  int N = GetCount();
  if (Start < 0 || N == 0) return Manager;
  for (int I = (Start + (Forward ? 1 : N - 1)) % N; I != Start; I = (I + (Forward ? 1 : N - 1)) % N)
    if (MayTakeKeyboardFor(Manager, GetManager(I))) return GetManager(I);
  return Manager;
}

void RegisterBarManager(TdxBarManager* Manager) {
  TdxBarManagerList* List = BarManagerList();
  if (!List) return;
  if (List->IndexOf(Manager) < 0) {
    if (List->GetCount() == 0) {
      InstallThreadHook(Hooks.Keyboard, WH_KEYBOARD, &BarKeyboardHook);
      InstallThreadHook(Hooks.Mouse, WH_MOUSE, &BarMouseHook);
      InstallThreadHook(Hooks.CallWnd, WH_CALLWNDPROC, &BarCallWndProcHook);
    }
    List->Add(Manager);
    if (dxBarManagerRegistered) dxBarManagerRegistered(Manager);
  }
  if (!Manager->InDesignMode() && !Hooks.HintWindow) Hooks.HintWindow = TdxBarHintWindow::Create(nullptr);
}

void UnregisterBarManager(TdxBarManager* Manager) {
  TdxBarManagerList* List = BarManagerList();
  if (List && List->IndexOf(Manager) >= 0) {
    List->Extract(Manager);
    if (List->GetCount() == 0) RemoveBarHooks();
  }
  if (dxBarManagerUnregistered) dxBarManagerUnregistered(Manager);
}

void RemoveBarHooks() {
  RemoveThreadHook(Hooks.CallWnd);
  RemoveThreadHook(Hooks.Mouse);
  RemoveThreadHook(Hooks.Keyboard);
  FreeAndNil(Hooks.HintWindow);
  Hooks.AltPending = false;
  Hooks.KeyNoted = false;
}

bool BarHooksInstalled() { return Hooks.Keyboard && Hooks.Mouse && Hooks.CallWnd; }
TdxBarHintWindow* BarHintWindow() { return Hooks.HintWindow; }
bool AltPressedAlone() { return Hooks.AltPending; }
void SetAltPressedAlone(bool Value) { Hooks.AltPending = Value; }
void SetCaptionButtonCapture(bool Value) { Hooks.CaptionButtonCapture = Value; }
void SetHookDirectCall(bool Value) { Hooks.DirectCall = Value; }
bool AppActivationActive() { return Hooks.AppActive; }
bool AppDeactivatedToOtherProcess() { return Hooks.DeactivatedToOtherProcess; }

// ---- keyboard

LRESULT CALLBACK BarKeyboardHook(int Code, WPARAM Key, LPARAM KeyData) {
  LRESULT Result = 0;
  std::exception_ptr Error;
  if (Code == HC_NOREMOVE) {
  } else if (Code < 0 || Key == VK_PROCESSKEY) {
    // Negative codes belong to the next hook alone, whatever the caption buttons hold.
  } else {
    if (Hooks.CaptionButtonCapture) Result = 1;
    try {
      bool Taken = RouteKeyToBars(static_cast<WORD>(Key), KeyData);
      if (!Taken && !GetCapture()) Taken = HandleMenuKey(static_cast<WORD>(Key), KeyData);
      if (Taken) Result = 1;
    } catch (...) {
      Error = std::current_exception();
    }
  }
  if (Hooks.DirectCall) {
    ReportPending(Error);
    return Result;
  }
  LRESULT Next = CallNextHookEx(Hooks.Keyboard, Code, Key, KeyData);
  ReportPending(Error);
  return Result == 1 ? 1 : Next;
}

TdxBarManager* FindKeyboardManager(bool MenuKey, TdxBarAccessibilityHelper*& Root) {
  Root = nullptr;
  TdxBarManager* M = nullptr;
  if (HWND Focus = GetFocus()) M = ClimbForManager(Focus, MenuKey, Root);
  if (!M) {
    if (TCustomForm* F = ActiveEnabledForm()) {
      HWND Wnd = F->HandleAllocated() ? F->GetHandle() : nullptr;
      if (HWND Child = IsRunTimeMDIForm(F) ? ActiveMDIChildWindow() : nullptr) Wnd = Child;
      if (Wnd) M = ClimbForManager(Wnd, MenuKey, Root);
    }
  }
  if (!M && Application) {
    TCustomForm* Main = Application->GetMainForm();
    if (Main && Main->HandleAllocated() && IsWindowEnabled(Main->GetHandle())) {
      TdxBarAccessibilityHelper* R = nullptr;
      TdxBarManager* Found = ClimbForManager(Main->GetHandle(), MenuKey, R);
      if (Found && Found->GetAllowCallFromAnotherForm()) {
        M = Found;
        Root = R;
      }
    }
  }
  if (!M && !MenuKey) {
    HWND ActiveWnd = GetActiveWindow();
    TWinControl* C = ActiveWnd && IsWindowEnabled(ActiveWnd) ? TWinControl::FindControl(ActiveWnd) : nullptr;
    if (auto* Form = dynamic_cast<TCustomForm*>(C)) {
      TdxBarManagerList* List = BarManagerList();
      for (int I = 0; List && I < List->GetCount() && !M; ++I)
        if (List->GetManager(I)->OwnerTopForm() == Form) M = List->GetManager(I);
    }
  }
  if (M && (M->IsCustomizing() || M->InDesignMode() || FormHasFocusedBarWindow(M))) {
    Root = nullptr;
    return nullptr;
  }
  return M;
}

bool TdxBarManager::HandleShortCutInBars(TShortCut ShortCut) {
  TdxBar* MainMenu = ActiveMainMenuBar();
  if (MainMenu && MainMenu->HandleShortCut(ShortCut)) return true;
  for (int I = 0; I < FBars->NumberOfItems(); ++I) {
    TdxBar* Bar = FBars->GetBar(I);
    if (Bar == MainMenu) continue;
    TCustomdxBarControl* W = Bar->GetBarControl();
    bool Shown = Bar->GetVisible() && W && W->HandleAllocated() && IsWindowVisible(W->GetHandle());
    if ((Shown || IndexOfBarToRestore(Bar) >= 0) && Bar->HandleShortCut(ShortCut)) return true;
  }
  // The popup menus of this program decline shortcuts of their own.
  return false;
}

TdxBarItemLink* TdxBarManager::FindAcceleratorLinkInBars(WORD Key, TShiftState Shift) {
  TdxBar* MainMenu = ActiveMainMenuBar();
  if (MainMenu && MainMenu->GetBarControl())
    if (TdxBarItemLink* L = MainMenu->GetItemLinks()->FindLinkByAccelerator(Key, Shift, nullptr)) return L;
  for (int I = 0; I < FBars->NumberOfItems(); ++I) {
    TdxBar* Bar = FBars->GetBar(I);
    if (Bar == MainMenu || !Bar->GetVisible() || !Bar->GetItemLinks()) continue;
    if (TdxBarItemLink* L = Bar->GetItemLinks()->FindLinkByAccelerator(Key, Shift, nullptr)) return L;
  }
  return nullptr;
}

namespace {
// The two walks shared by the shortcut and accelerator searches: the managers of
// the owner window and its parents, then every other manager for the same form.
template <class TTry>
bool WalkManagers(TdxBarManager* Manager, TTry Try) {
  TWinControl* Owner = Manager->OwnerControl();
  for (HWND W = Owner && Owner->HandleAllocated() ? Owner->GetHandle() : nullptr; W; W = GetParent(W)) {
    if (TdxBarManager* M = ManagerOfWindow(W); M && Try(M)) return true;
    if (!(GetWindowLongPtrW(W, GWL_STYLE) & WS_CHILD)) break;
  }
  TdxBarManagerList* List = BarManagerList();
  for (TdxBarManager* M = List->FindNextManager(Manager, true); M && M != Manager; M = List->FindNextManager(M, true))
    if (Try(M)) return true;
  return false;
}
}  // namespace

bool HandleShortCutGlobally(TdxBarManager* Manager, TShortCut ShortCut) {
  if (TWinControl* Focused = NearestVCLParentOfChildWindow(GetFocus())) {
    TdxBarManager* FormManager = FindBarManagerByOwner(FormOfControl(Focused, 2));
    if (FormManager && FormManager->GetPopupMenuLinks()->HandleShortCut(Focused, ShortCut)) return true;
  }
  return WalkManagers(Manager, [&](TdxBarManager* M) { return M->HandleShortCutInBars(ShortCut); });
}

TdxBarItemLink* FindAcceleratorLink(TdxBarManager* Manager, WORD Key, TShiftState Shift) {
  TdxBarItemLink* Found = nullptr;
  WalkManagers(Manager, [&](TdxBarManager* M) { return (Found = M->FindAcceleratorLinkInBars(Key, Shift)) != nullptr; });
  return Found;
}

// ---- mouse

LRESULT CALLBACK BarMouseHook(int Code, WPARAM Msg, LPARAM MouseHookStruct) {
  bool Swallow = false;
  std::exception_ptr Error;
  try {
    auto* Info = reinterpret_cast<MOUSEHOOKSTRUCT*>(MouseHookStruct);
    UINT M = static_cast<UINT>(Msg);
    if (Code == HC_ACTION && IsMouseButtonDownMessage(M)) BarNavigationControllerInstance()->ClearNavigationMode();
    if (M == WM_MOUSEWHEEL && Code >= 0) {
      TCustomdxBarControl* Active = TopActiveBarControl();
      TdxBarItemControl* Selected = Active ? Active->SelectedItemControl() : nullptr;
      if (Active && !(Selected && Selected->IsEditing()) && !Active->AllowsMouseWheel()) Swallow = true;
    } else if (Info && (GetCapture() != Info->hwnd || M == WM_RBUTTONUP)) {
      if (Code == HC_ACTION && RouteCustomizingMouse(M, *Info)) Swallow = true;
      if (!Swallow && Code >= 0 && TopActiveBarControl())
        CloseActiveBarsOnMouse(M, Info->hwnd, Info->pt, Swallow);
      if (!Swallow) {
        TdxBarDesignController* Design = BarDesignControllerInstance();
        TCustomdxBarControl* Quick = Design->GetQuickControl();
        if (Quick && IsMouseButtonDownMessage(M) && !Quick->IsActive() && Quick->HandleAllocated() &&
            Info->hwnd != Quick->GetHandle() && !IsChild(Quick->GetHandle(), Info->hwnd))
          Design->CloseQuickControl();
        TdxBarNavigationController* Nav = BarNavigationControllerInstance();
        if (IsMouseButtonDownMessage(M) &&
            (Nav->CurrentSelectedObject() || Nav->AwaitingKeyTips() || Nav->IsKeyTipsActive()))
          Nav->EndKeyboardMode();
        if (M == WM_MOUSEMOVE) {
          for (HWND W = Info->hwnd; W; W = GetParent(W)) {
            auto* Bar = dynamic_cast<TCustomdxBarControl*>(TWinControl::FindControl(W));
            if (!Bar) continue;
            if (W != Info->hwnd) {
              POINT P = Info->pt;
              ScreenToClient(W, &P);
              SendMessageW(W, WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y));
            }
            break;
          }
        }
      }
    }
  } catch (...) {
    Error = std::current_exception();
  }
  LRESULT Next = CallNextHookEx(Hooks.Mouse, Code, Msg, MouseHookStruct);
  ReportPending(Error);
  return Swallow ? 1 : Next;
}

// ---- owner messages

LRESULT CALLBACK BarCallWndProcHook(int Code, WPARAM WParam, LPARAM CWPStruct) {
  std::exception_ptr Error;
  auto* Info = reinterpret_cast<CWPSTRUCT*>(CWPStruct);
  try {
    if (Code == HC_ACTION && Info) {
      if (Info->message == WM_ACTIVATE && LOWORD(Info->wParam) == WA_INACTIVE) {
        HWND Other = reinterpret_cast<HWND>(Info->lParam);
        if (Other && IsOtherProcessWindow(Other)) Hooks.DeactivatedToOtherProcess = true;
      } else if (Info->message == WM_ACTIVATEAPP) {
        Hooks.DeactivatedToOtherProcess = false;
        Hooks.AppActive = Info->wParam != 0;
      }
      if (!Hooks.LookingUpManager) {
        DispatchOwnerMessage(Info->message, Info->wParam, Info->lParam, Info->hwnd);
        TCustomForm* Main = Application ? Application->GetMainForm() : nullptr;
        if (Main && IsRunTimeMDIForm(Main) && Main->HandleAllocated() && Info->hwnd == Main->GetHandle() &&
            !AnyPopupMenuShowing()) {
          if (Info->message == WM_WINDOWPOSCHANGED) {
            if (TdxBarCustomCustomizationForm* Form = ActiveCustomizationForm())
              Form->FollowOwnerVisibility(*reinterpret_cast<WINDOWPOS*>(Info->lParam));
          } else if (Info->message == WM_ACTIVATE) {
            HWND Child = ActiveMDIChildWindow();
            TdxBarManagerList* List = BarManagerList();
            for (int I = 0; Child && List && I < List->GetCount(); ++I) {
              TdxBarManager* M = List->GetManager(I);
              TCustomForm* F = M->OwnerChildOrTopForm();
              if (F && F->HandleAllocated() && F->GetHandle() == Child)
                M->UpdateActivation(LOWORD(Info->wParam) != WA_INACTIVE, false, Child);
            }
          }
        }
      }
    }
  } catch (...) {
    Error = std::current_exception();
  }
  LRESULT Result = CallNextHookEx(Hooks.CallWnd, Code, WParam, CWPStruct);
  try {
    if (Code == HC_ACTION && Info &&
        (Info->message == WM_DESTROY || Info->message == WM_CHILDACTIVATE || Info->message == WM_MDIACTIVATE) &&
        IsMDIClientWindow(GetParent(Info->hwnd))) {
      TCustomForm* Main = Application ? Application->GetMainForm() : nullptr;
      if (Main && Main->HandleAllocated() && GetParent(GetParent(Info->hwnd)) == Main->GetHandle())
        if (TdxBarManager* M = FindBarManagerByOwner(Main)) M->CheckMDIState();
    }
  } catch (...) {
    if (!Error) Error = std::current_exception();
  }
  ReportPending(Error);
  return Result;
}
