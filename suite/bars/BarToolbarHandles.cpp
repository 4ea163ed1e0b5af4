// The two windows of a dragged toolbar. A drag may carry the bar between docked and
// floating at every mouse move; rather than make its window anew each time, the
// toolbar keeps one docked (child) and one floating (popup) window while it moves and
// uses one at a time. The one not in use is hidden and quiet (detached from the
// control, on its default procedure); a docked one waits with no parent. When the
// drag ends the unused one is destroyed, and the in-place editors, unhooked for the
// drag, move into the window in use and are hooked again.
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/common/WindowUtils.h"

namespace {
template <class F>
void ForEachWinControl(TdxBarItemLinks* Links, F Do) {
  if (!Links) return;
  for (int I = 0; I < Links->GetCount(); ++I)
    if (auto* C = dynamic_cast<TdxBarWinControl*>(Links->GetLink(I)->GetControl())) Do(C);
}
}  // namespace

void TdxBarControl::SetMoving(bool Value) {
  if (FMoving == Value) return;
  struct TSwapScope {
    TdxBarControl* W;
    ~TSwapScope() { W->FSwappingHandle = false; }
  } Swap{this};
  FSwappingHandle = true;
  FMoving = Value;
  if (Value) {
    // The editors' windows stay where they are, unhooked, until the drag ends.
    ForEachWinControl(GetItemLinks(), [](TdxBarWinControl* C) { C->TdxBarWinControl::UnhookInnerWindow(false); });
    if (!HandleAllocated()) return;
    TdxBarControlInternalScope Internal(this);
    if (IsFloating()) {
      FFloatingHandle = GetHandle();
      FDockedHandle = CreateSpareHandle(false);
    } else {
      FDockedHandle = GetHandle();
      FFloatingHandle = CreateSpareHandle(true);
    }
    return;
  }
  HWND InUse = HandleAllocated() ? GetHandle() : nullptr;
  ForEachWinControl(GetItemLinks(), [InUse](TdxBarWinControl* C) {
    if (C->IsInnerWindowHooked()) return;
    HWND Inner = C->InnerWindow();
    if (Inner && InUse && ::GetParent(Inner) != InUse) ::SetParent(Inner, InUse);
    // A control made during the drag has no editor yet: hooking makes it.
    if (Inner) C->TdxBarWinControl::HookInnerWindow();
    else C->HookInnerWindow();
  });
  DestroyKeptHandles();
  StorePositionInBar();
  if (InUse) {
    RECT R = QueryClientRect(InUse);
    SendMessageW(InUse, WM_SIZE, SIZE_RESTORED, MAKELPARAM(R.right, R.bottom));
    Rebuild();
  }
}

HWND TdxBarControl::CreateSpareHandle(bool Floating) {
  HWND Current = DetachHandle();
  HWND Spare = nullptr;
  FSpareKind = Floating ? 1 : 2;
  try {
    TCustomdxBarControl::CreateWnd();
    Spare = DetachHandle();
  } catch (...) {
    FSpareKind = 0;
    AdoptHandle(Current);
    UpdateBounds();
    throw;
  }
  FSpareKind = 0;
  AdoptHandle(Current);
  // The spare window's messages spoke for the control: its own bounds and places count again.
  UpdateBounds();
  PlaceItemLinks();
  if (!Floating) ::SetParent(Spare, nullptr);
  return Spare;
}

void TdxBarControl::SpareParams(TCreateParams& Params) {
  if (FSpareKind == 1) {
    PopupWindowParams(Params);
  } else {
    // Any window of the form will do as its first parent: it is parked at once.
    TdxBarManager* M = GetBarManager();
    TWinControl* Parent = M && M->DockControlCount() > 0 ? M->DockControlByIndex(0) : nullptr;
    if (!Parent || !Parent->HandleAllocated()) Parent = M ? M->OwnerControl() : nullptr;
    Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle &= ~WS_EX_TOOLWINDOW;
    Params.WndParent = Parent ? Parent->GetHandle() : nullptr;
  }
  Params.Style &= ~WS_VISIBLE;
}

void TdxBarControl::KeepCurrentHandle() {
  bool Floating = IsFloating();
  HWND Wnd = DetachHandle();
  if (!Wnd) return;
  ShowWindow(Wnd, SW_HIDE);
  if (Floating) {
    FFloatingHandle = Wnd;
  } else {
    FDockedHandle = Wnd;
    ::SetParent(Wnd, nullptr);
  }
}

void TdxBarControl::CreateWnd() {
  HWND Kept = FSpareKind || !FMoving ? nullptr : IsFloating() ? FFloatingHandle : FDockedHandle;
  if (!Kept || !IsWindow(Kept)) {
    TCustomdxBarControl::CreateWnd();
    TdxBarControlInternalScope Internal(this);
    ApplyFont();
    UpdateCanvasFont();
    CalcMeasures();
    return;
  }
  TCreateParams Params;
  CreateParams(Params);
  AdoptHandle(Kept);
  if (Params.Style & WS_CHILD) ::SetParent(Kept, Params.WndParent);
  SetWindowPos(Kept, nullptr, Params.X, Params.Y, Params.Width, Params.Height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (Params.Style & WS_VISIBLE ? SWP_SHOWWINDOW : 0));
}

void TdxBarControl::DestroyWnd() {
  DestroyKeptHandles();
  TCustomdxBarControl::DestroyWnd();
}

// Freed mid-drag between windows, it has no handle of its own to destroy, and
// with it the kept ones.
void TdxBarControl::BeforeDestruction() {
  DestroyKeptHandles();
  TCustomdxBarControl::BeforeDestruction();
}

void TdxBarControl::DestroyKeptHandles() {
  HWND InUse = HandleAllocated() ? GetHandle() : nullptr;
  for (HWND* Kept : {&FDockedHandle, &FFloatingHandle}) {
    if (*Kept && *Kept != InUse && IsWindow(*Kept)) DestroyWindow(*Kept);
    *Kept = nullptr;
  }
}

void TdxBarControl::ChangeDockSite(TdxDockControl* Site, TdxBarDockingStyle Style) {
  if (GetDockSite() && GetDockSite() != Site) GetDockSite()->UndockBarControl(this, true);
  bool NewKind = HandleAllocated() && (GetParent() != Site || (Style == dsNone) != IsFloating());
  // While moving, the window is kept rather than destroyed with its parent change;
  // the next window needed takes back the kept one of its kind.
  if (FMoving && NewKind) KeepCurrentHandle();
  // Otherwise the window is made anew for its place. An in-place editor may have
  // made it before it had a site (a top-level window then, which a later parent
  // does not turn into a child); the editors go first, with their windows.
  bool Remake = !FMoving && NewKind;
  if (Remake) {
    TdxBarControlInternalScope Internal(this);
    DestroyItemControls();
    DestroyHandle();
  }
  AssignDockSite(Site);
  ChangeDockingStyle(Style);
  if (Site) {
    if (GetParent() != Site) SetParent(Site);
  } else if (GetParent()) {
    SetParent(nullptr);
  }
  if (!Remake) return;
  TdxBarControlInternalScope Internal(this);
  CreateItemControls();
  RecalcFrame();
}
