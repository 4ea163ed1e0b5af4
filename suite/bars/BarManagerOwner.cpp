// The manager's handling of its form's messages (handed over by the call-window
// hook), activation of floating bars, and the delayed item hints.
#include "framework/Application.h"
#include "framework/Form.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarHintWindow.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/common/WindowUtils.h"

namespace {
// The hint machinery serves one manager at a time.
struct THintState {
  UINT_PTR Timer = 0;
  UINT_PTR QuickTimer = 0;
  bool QuickReshow = false;
  TdxBarManager* Manager = nullptr;
  std::string Text;
  bool Requested = false;
  bool Shown = false;
};
THintState Hint;

constexpr UINT QuickReshowDelay = 400;

void StopHintTimer() {
  if (Hint.Timer) KillTimer(nullptr, Hint.Timer);
  Hint.Timer = 0;
}

void StopQuickReshowTimer() {
  if (Hint.QuickTimer) KillTimer(nullptr, Hint.QuickTimer);
  Hint.QuickTimer = 0;
  Hint.QuickReshow = false;
}

void CALLBACK HintShowTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TdxBarManager* M = Hint.Manager;
  if (!M || M->IsDestroying()) return;
  StopHintTimer();
  M->ShowHintNow();
}

void CALLBACK HintHideTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TdxBarManager* M = Hint.Manager;
  if (!M || M->IsDestroying()) return;
  StopHintTimer();
  M->CancelHint();
}

void CALLBACK QuickReshowTimerProc(HWND, UINT, UINT_PTR, DWORD) { StopQuickReshowTimer(); }

template <class TProc>
void ForEachFloatingShown(TdxBars* Bars, TProc Proc) {
  for (int I = 0; Bars && I < Bars->NumberOfItems(); ++I) {
    TdxBar* Bar = Bars->GetBar(I);
    TCustomdxBarControl* W = Bar->GetBarControl();
    if (W && Bar->GetDockingStyle() == dsNone && Bar->GetVisible()) Proc(Bar, W);
  }
}
}  // namespace

// ---- owner messages

void TdxBarManager::HandleOwnerMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TComponent* Owner = GetOwner();
  bool OwnerGoing = !Owner || Owner->GetComponentState().Contains(csDestroying);
  if (OwnerGoing || (ActiveCustomizationForm() && static_cast<TObject*>(Owner) ==
                                                       static_cast<TObject*>(ActiveCustomizationForm()))) {
    if (Msg == WM_DESTROY && !InDesignMode()) {
      if (FStoreInRegistry) SaveLayoutToRegistry(FRegistryPath);
      if (FStoreInIniFile) SaveLayoutToIniFile(FIniFileName);
    }
    return;
  }
  if (!FBars) return;
  switch (Msg) {
    case WM_ACTIVATE:
      HandleOwnerActivate(LOWORD(WParam), HIWORD(WParam) != 0, reinterpret_cast<HWND>(LParam), Wnd);
      break;
    case WM_SYSCOLORCHANGE:
      RefreshScreenColorDepth();
      RefreshPatternBrush();
      RefreshDrawingResources();
      RefreshFloatingBarShadows();
      break;
    case WM_SETTINGCHANGE:
      if (WParam == SPI_SETNONCLIENTMETRICS) ApplySystemFont();
      else if (WParam == SPI_SETWORKAREA) KeepFloatingBarsInWorkArea();
      break;
    case WM_ACTIVATEAPP:
      HandleAppActivate(WParam != 0);
      break;
    case WM_CHILDACTIVATE:
      SetFormActive(true, false, nullptr);
      break;
    case WM_WINDOWPOSCHANGING:
      if (reinterpret_cast<WINDOWPOS*>(LParam)->flags & SWP_HIDEWINDOW) SetFormActive(false, true, nullptr);
      break;
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS& Pos = *reinterpret_cast<WINDOWPOS*>(LParam);
      if (FCustomizing)
        if (TdxBarCustomCustomizationForm* Form = ActiveCustomizationForm()) Form->FollowOwnerVisibility(Pos);
      TCustomForm* Form = OwnerChildOrTopForm();
      if (!(Form && IsRunTimeMDIChild(Form)) && (Pos.flags & SWP_SHOWWINDOW)) SetFormActive(true, true, nullptr);
      break;
    }
    case WM_SYSCOMMAND:
      HandleSysCommand(WParam);
      break;
    case WM_MDIACTIVATE:
      SetFormActive(reinterpret_cast<HWND>(LParam) == Wnd, false, nullptr);
      break;
    case WM_CREATE:
      HandleOwnerCreate();
      break;
    case WM_CANCELMODE:
      HandleCancelMode();
      break;
    case WM_HELP:
      if (!InDesignMode()) HandleWMHelp(Wnd, LParam);
      break;
    case WM_DISPLAYCHANGE:
      KeepFloatingBarsInWorkArea();
      break;
    default:
      break;
  }
}

void TdxBarManager::HandleSysCommand(WPARAM Command) {
  // The low four bits carry how the command was given (a caption double-click
  // maximizes with some of them set), so only the rest names the command.
  WPARAM Kind = Command & 0xFFF0;
  if (InDesignMode() && Kind == SC_CLOSE)
    if (TCustomdxBarControl* Top = TopActiveBarControl(); Top && Top->GetBarManager() == this) Top->CloseBar();
  if (Kind != SC_MINIMIZE && Kind != SC_MAXIMIZE && Kind != SC_RESTORE && Kind != SC_CLOSE) return;
  bool Hide = Kind == SC_MINIMIZE || Kind == SC_CLOSE;
  ForEachFloatingShown(FBars.get(), [&](TdxBar*, TCustomdxBarControl* W) {
    if (!W->HandleAllocated()) return;
    if (Hide) {
      ShowWindow(W->GetHandle(), SW_HIDE);
    } else {
      ShowWindow(W->GetHandle(), SW_SHOWNA);
      UpdateWindow(W->GetHandle());
    }
  });
}

void TdxBarManager::HandleOwnerCreate() {
  if (!FBarsToRestore) return;
  FInternalState |= bmsfRestoringBars;
  try {
    for (int I = 0; I < DockControlCount(); ++I)
      if (TdxDockControl* Site = DockControlByIndex(I); Site->GetVisible()) Site->HandleNeeded();
    RestoreBars(nullptr);
  } catch (...) {
    FInternalState &= ~bmsfRestoringBars;
    throw;
  }
  if (FBarsToRestore && FBarsToRestore->GetCount() == 0) EndBarRestoring();
  FInternalState &= ~bmsfRestoringBars;
}

void TdxBarManager::HandleCancelMode() {
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  if (Nav->AwaitingKeyTips()) Nav->EndKeyTipsWaiting(false);
  FInternalState |= bmsfInCancelMode;
  try {
    TCustomdxBarControl* Top = TopActiveBarControl();
    if (Top && Top->GetBarManager() == this && Top->ClosesAfterItemClick()) Top->CloseBar();
  } catch (...) {
    FInternalState &= ~bmsfInCancelMode;
    throw;
  }
  FInternalState &= ~bmsfInCancelMode;
}

void TdxBarManager::HandleWMHelp(HWND Wnd, LPARAM LParam) {
  const auto* Info = reinterpret_cast<const HELPINFO*>(LParam);
  if (!Info || Info->iContextType != HELPINFO_WINDOW || !Application) return;
  TCustomForm* Form = NearestOwnerForm();
  bool PopupHelp = Form && Form->GetBorderIcons().Contains(biHelp);
  TdxBarItemControl* Control = nullptr;
  if (TCustomdxBarControl* W = TopActiveBarControl()) {
    TCustomdxBarControl* Last = W;
    for (; W; W = W->GetParentBar()) {
      Last = W;
      Control = W->SelectedItemControl();
      if (Control && Control->LinkedItem() && Control->LinkedItem()->GetHelpContext() != 0) break;
      Control = nullptr;
    }
    if (!Control) {
      int Context = Last && Last->GetSelectedLink() && Last->GetSelectedLink()->GetItem()
                        ? Last->GetSelectedLink()->GetItem()->GetHelpContext()
                        : 0;
      CloseActiveBarControls();
      if (Context == 0) return;
      if (PopupHelp)
        Application->HelpCommand(HELP_CONTEXTPOPUP, Context);
      else
        Application->HelpContext(Context);
      return;
    }
  } else if (auto* Bar = dynamic_cast<TCustomdxBarControl*>(
                 TWinControl::FindControl(static_cast<HWND>(Info->hItemHandle)))) {
    POINT P = Info->MousePos;
    if (Bar->HandleAllocated()) ScreenToClient(Bar->GetHandle(), &P);
    Control = Bar->ItemControlAtPos(P);
  }
  (void)Wnd;
  if (!Control) return;
  RECT R;
  Control->ItemBounds(R);
  POINT Below{(R.left + R.right) / 2, R.bottom};
  if (TCustomdxBarControl* W = Control->GetParent(); W && W->HandleAllocated())
    ClientToScreen(W->GetHandle(), &Below);
  int Context = Control->LinkedItem() ? Control->LinkedItem()->GetHelpContext() : 0;
  CloseActiveBarControls();
  if (Context == 0) return;
  if (PopupHelp) {
    Application->HelpCommand(HELP_SETPOPUP_POS, MAKELONG(Below.x, Below.y));
    Application->HelpCommand(HELP_CONTEXTPOPUP, Context);
  } else {
    Application->HelpContext(Context);
  }
}

// ---- activation

void TdxBarManager::HandleOwnerActivate(WORD State, bool Minimized, HWND OtherWnd, HWND Wnd) {
  TCustomForm* ChildOrTop = OwnerChildOrTopForm();
  if (ChildOrTop && IsRunTimeMDIChild(ChildOrTop) &&
      !(ChildOrTop->HandleAllocated() && ChildOrTop->GetHandle() == ActiveMDIChildWindow()))
    return;
  FInternalState |= bmsfInActivate;
  try {
    TCustomForm* Top = OwnerTopForm();
    HWND TopWnd = Top && Top->HandleAllocated() ? Top->GetHandle() : nullptr;
    auto* OtherBar = dynamic_cast<TCustomdxBarControl*>(TWinControl::FindControl(OtherWnd));
    bool ToOwnBarWindow = State == WA_INACTIVE && OtherBar && OtherBar->GetBarManager() &&
                          OtherBar->GetBarManager()->OwnerTopForm() == Top;
    TCustomdxBarControl* Active = TopActiveBarControl();
    TdxBarItemControl* Selected = Active ? Active->SelectedItemControl() : nullptr;
    bool ToItemWindow = Selected && OtherWnd && Selected->OwnsWindow(OtherWnd);
    if (!ToOwnBarWindow && !ToItemWindow) {
      bool IsActive = (FMainFormActive && TopWnd && !IsWindowEnabled(TopWnd) && !InDesignMode()) ||
                      State != WA_INACTIVE || (OtherWnd && OtherWnd == TopWnd);
      SetFormActive(IsActive, false, OtherWnd);
      if (State == WA_INACTIVE && OtherWnd != TopWnd && FMouseTrackedBarControl &&
          IsBarControlAlive(FMouseTrackedBarControl))
        FMouseTrackedBarControl->HandleMouseLeave();
    }
  } catch (...) {
    FInternalState &= ~bmsfInActivate;
    throw;
  }
  (void)Minimized;
  (void)Wnd;
  FInternalState &= ~bmsfInActivate;
}

void TdxBarManager::HandleAppActivate(bool Active) {
  if (FInternalState & bmsfInCancelMode) return;
  if (!Active) {
    TCustomForm* Top = OwnerTopForm();
    if (FMainFormActive && Top && Top->HandleAllocated() && !IsWindowEnabled(Top->GetHandle()))
      FInternalState |= bmsfDeactivatedWhileDisabled;
    SetFormActive(false, false, nullptr);
    if (TCustomdxBarControl* W = TopActiveBarControl(); W && W->GetBarManager() == this) W->CloseBar();
    if (FSelectedItemControl)
      if (TCustomdxBarControl* W = FSelectedItemControl->GetParent(); W && W->HandleAllocated())
        SendMessageW(W->GetHandle(), WM_MOUSELEAVE, 0, 0);
  } else if (FInternalState & bmsfDeactivatedWhileDisabled) {
    SetFormActive(true, false, nullptr);
    FInternalState &= ~bmsfDeactivatedWhileDisabled;
  }
}

void TdxBarManager::SetFormActive(bool Active, bool Force, HWND OtherWnd) {
  if (!Force && Active == FMainFormActive) return;
  FMainFormActive = Active;
  UpdateActivation(Active, Force, OtherWnd);
}

void TdxBarManager::UpdateActivation(bool Active, bool Force, HWND Wnd) {
  if (FInternalState & bmsfUpdatingActivation) return;
  FInternalState |= bmsfUpdatingActivation;
  try {
    if (!FHideFloatingBarsWhenInactive && !Force)
      ForEachFloatingShown(FBars.get(), [](TdxBar*, TCustomdxBarControl* W) { W->RecalcFrame(); });
    TCustomForm* ChildOrTop = OwnerChildOrTopForm();
    if (Active) {
      if (IsOwnerShownNotMinimized() || (ChildOrTop && IsRunTimeMDIChild(ChildOrTop)))
        ForEachFloatingShown(FBars.get(), [](TdxBar*, TCustomdxBarControl* W) { W->ShowNoActivate(); });
    } else {
      TCustomForm* Top = OwnerTopForm();
      HWND TopWnd = Top && Top->HandleAllocated() ? Top->GetHandle() : nullptr;
      bool Stop = Wnd && TopWnd && GetParent(Wnd) == TopWnd;
      if (!Stop) {
        if (TCustomdxBarControl* W = TopActiveBarControl(); W && W->CanDeactivateFor(Wnd)) W->CloseBar();
        BarNavigationControllerInstance()->EndKeyboardMode();
        if (!FHideFloatingBarsWhenInactive && !Force) {
          BarDesignControllerInstance()->CloseQuickControl();
          Stop = true;
        }
      }
      if (!Stop && Wnd && !IsOtherProcessWindow(Wnd) && (!Application || Wnd != Application->GetHandle())) {
        auto* Form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(Wnd));
        if (!Form || (FCustomizing && static_cast<TObject*>(Form) == static_cast<TObject*>(ActiveCustomizationForm())))
          Stop = true;
      }
      if (!Stop) {
        ForEachFloatingShown(FBars.get(), [](TdxBar*, TCustomdxBarControl* W) {
          if (W->ChainCanClose()) W->Dismiss();
        });
        if (!Force)
          if (TCustomForm* F = NearestOwnerForm(); F && F->HandleAllocated())
            SendMessageW(F->GetHandle(), WM_NCACTIVATE, FALSE, 0);
      }
    }
  } catch (...) {
    FInternalState &= ~bmsfUpdatingActivation;
    throw;
  }
  FInternalState &= ~bmsfUpdatingActivation;
}

bool TdxBarManager::IsOwnerShownNotMinimized() const {
  TWinControl* Owner = OwnerControl();
  if (!Owner || !IsControlShowing(Owner) || !Owner->HandleAllocated()) return false;
  for (HWND W = Owner->GetHandle(); W; W = GetParent(W)) {
    if (IsIconic(W)) return false;
    if (!(GetWindowLongPtrW(W, GWL_STYLE) & WS_CHILD)) break;
  }
  return true;
}

void TdxBarManager::KeepFloatingBarsInWorkArea() {
  TWinControl* Owner = OwnerControl();
  if (!Owner || !FBars) return;
  RECT OwnerRect = Owner->HandleAllocated() ? QueryWindowRect(Owner->GetHandle()) : Owner->GetBoundsRect();
  RECT Area = MonitorWorkAreaAt({(OwnerRect.left + OwnerRect.right) / 2, (OwnerRect.top + OwnerRect.bottom) / 2});
  for (int I = 0; I < FBars->NumberOfItems(); ++I) {
    TdxBar* Bar = FBars->GetBar(I);
    if (Bar->GetDockingStyle() != dsNone) continue;
    TCustomdxBarControl* W = Bar->GetBarControl();
    RECT R;
    if (W && W->HandleAllocated()) {
      R = QueryWindowRect(W->GetHandle());
    } else {
      R = {Bar->GetFloatLeft(), Bar->GetFloatTop(), Bar->GetFloatLeft() + Bar->GetFloatClientWidth(),
           Bar->GetFloatTop() + Bar->GetFloatClientHeight()};
    }
    RECT Moved = ClampRectToWorkArea(R, Area);
    if (Moved.left == R.left && Moved.top == R.top) continue;
    if (W && W->HandleAllocated() && IsWindowVisible(W->GetHandle())) {
      SetWindowPos(W->GetHandle(), nullptr, Moved.left, Moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      SuspendModified(true, false);
      Bar->SetFloatLeft(Moved.left);
      Bar->SetFloatTop(Moved.top);
      SuspendModified(false, true);
    }
  }
}

RECT ClampRectToWorkArea(RECT R, const RECT& Area) {
  auto Shift = [&R](int DX, int DY) { OffsetRect(&R, DX, DY); };
  if (R.bottom > Area.bottom) Shift(0, Area.bottom - R.bottom);
  if (R.top < Area.top) Shift(0, Area.top - R.top);
  if (R.right > Area.right) Shift(Area.right - R.right, 0);
  if (R.left < Area.left) Shift(Area.left - R.left, 0);
  return R;
}

// ---- bars to restore

void TdxBarManager::BeginBarRestoring() {
  if (!FBarsToRestore) FBarsToRestore.reset(TList::Create());
}

void TdxBarManager::EndBarRestoring() { FBarsToRestore.reset(); }

void TdxBarManager::NoteBarToRestore(TdxBar* Bar) {
  BeginBarRestoring();
  if (FBarsToRestore->IndexOf(Bar) < 0) FBarsToRestore->Add(Bar);
}

void TdxBarManager::ForgetBarToRestore(TdxBar* Bar) {
  if (FBarsToRestore) FBarsToRestore->Remove(Bar);
}

int TdxBarManager::BarsToRestoreCount() const { return FBarsToRestore ? FBarsToRestore->GetCount() : 0; }

TdxBar* TdxBarManager::BarToRestoreByIndex(int Index) const {
  return static_cast<TdxBar*>(FBarsToRestore->GetItem(Index));
}

int TdxBarManager::IndexOfBarToRestore(TdxBar* Bar) const { return FBarsToRestore ? FBarsToRestore->IndexOf(Bar) : -1; }

void TdxBarManager::RestoreBars(TdxDockControl* DockControl) {
  for (int I = BarsToRestoreCount() - 1; I >= 0; --I) {
    if (I >= BarsToRestoreCount()) continue;
    TdxBar* Bar = BarToRestoreByIndex(I);
    bool Restore;
    if (DockControl) {
      Restore = static_cast<TdxDockControl*>(Bar->GetDockControl()) == DockControl && Bar->GetDockingStyle() != dsNone;
    } else {
      TdxDockControl* Site = Bar->GetActualDockControl();
      Restore = !Site || Site->HandleAllocated();
    }
    if (!Restore) continue;
    FBarsToRestore->Delete(I);
    // A bar whose window died with the form's drops the dead window first.
    if (Bar->GetVisible()) Bar->SetVisible(false);
    Bar->SetVisible(true);
  }
}

void TdxBarManager::DisableFloatingBarWindows() {
  if (!FDisabledFloatingWindows) FDisabledFloatingWindows.reset(TList::Create());
  ForEachFloatingShown(FBars.get(), [this](TdxBar*, TCustomdxBarControl* W) {
    if (!W->HandleAllocated() || !IsWindowEnabled(W->GetHandle())) return;
    EnableWindow(W->GetHandle(), FALSE);
    FDisabledFloatingWindows->Add(W->GetHandle());
  });
}

void TdxBarManager::RestoreFloatingBarWindows() {
  if (!FDisabledFloatingWindows) return;
  for (int I = 0; I < FDisabledFloatingWindows->GetCount(); ++I)
    EnableWindow(static_cast<HWND>(FDisabledFloatingWindows->GetItem(I)), TRUE);
  FDisabledFloatingWindows.reset();
}

// ---- hints

void TdxBarManager::RequestHint(bool Show, const std::string& Text, TObject* HintObject) {
  if (IsCustomizingOrDesigning() || !FShowHint) return;
  TdxBarHintWindow* Window = BarHintWindow();
  if (Show && Window && Window->IsScreenTip()) ScheduleHint(false, std::string(), nullptr);
  ScheduleHint(Show, Text, HintObject);
}

void TdxBarManager::ScheduleHint(bool Show, const std::string& Text, TObject* HintObject) {
  if (!Show && !Hint.Requested) return;
  Hint.Requested = Show;
  Hint.Text = Text;
  Hint.Shown = false;
  TCustomdxBarControl* SelectedIn = FSelectedItemControl ? FSelectedItemControl->GetParent() : nullptr;
  bool Qualifies = Show && ((SelectedIn && !SelectedIn->IsActive()) || !Text.empty() || HintObject);
  StopHintTimer();
  FHintObject = HintObject;
  TdxBarHintWindow* Window = BarHintWindow();
  if (Qualifies) {
    if ((Window && Window->IsShowing()) || Hint.QuickReshow) {
      ShowHintNow();
    } else {
      Hint.Manager = this;
      Hint.Timer = SetTimer(nullptr, 0, Window ? Window->GetShowPause() : 1000, &HintShowTimerProc);
    }
    return;
  }
  if (Window && Window->IsShowing()) Window->HideHint();
  if (Show) {
    StopQuickReshowTimer();
    Hint.QuickReshow = true;
    Hint.QuickTimer = SetTimer(nullptr, 0, QuickReshowDelay, &QuickReshowTimerProc);
  }
}

void TdxBarManager::ShowHintNow() {
  bool Activated = false;
  if (!Hint.Text.empty()) {
    Activated = ActivateHint(Hint.Text, std::string());
  } else if (auto* Item = dynamic_cast<TdxBarItem*>(FHintObject)) {
    if (Item->GetEnabled() || FShowHintForDisabledItems) {
      std::string ShortCut = (FShowShortCutInHint && Item->GetShortCut()) ? ShortCutToText(Item->GetShortCut()) : "";
      if (!Item->GetHint().empty()) Activated = ActivateHint(Item->GetHint(), ShortCut);
    }
  }
  if (!Activated) CancelHint();
}

bool TdxBarManager::ActivateHint(const std::string& Text, const std::string& ShortCutText) {
  TdxBarHintWindow* Window = BarHintWindow();
  if (!Window || !Window->ActivateForManager(this, Text, ShortCutText)) return false;
  Hint.Shown = true;
  Hint.Manager = this;
  StopHintTimer();
  Hint.Timer = SetTimer(nullptr, 0, Window->GetHidePause(), &HintHideTimerProc);
  return true;
}

bool TdxBarManager::IsHintWindowShowing() const {
  TdxBarHintWindow* Window = BarHintWindow();
  return Window && Window->IsShowing();
}

void TdxBarManager::StopHintTimers() {
  // The timers and the hint belong to whichever manager asked last; another
  // manager's going must leave them alone.
  if (Hint.Manager != this) return;
  if (Hint.Timer) {
    StopHintTimer();
    if (TdxBarHintWindow* Window = BarHintWindow(); Window && Window->IsShowing()) Window->HideHint();
  }
  StopQuickReshowTimer();
  Hint.Manager = nullptr;
  Hint.Requested = false;
  Hint.Shown = false;
}
