#include "framework/Form.h"

#include <algorithm>

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Menus.h"
#include "framework/Published.h"
#include "framework/Screen.h"

namespace {
constexpr UINT kFirstMDIChildId = 0xFF00;

struct TDisabledWindows {
  HWND Keep;
  std::vector<HWND> List;
};

BOOL CALLBACK DisableWindow(HWND Wnd, LPARAM Data) {
  auto* D = reinterpret_cast<TDisabledWindows*>(Data);
  if (Wnd != D->Keep && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
    D->List.push_back(Wnd);
    EnableWindow(Wnd, FALSE);
  }
  return TRUE;
}
}  // namespace

SONVELT_PUBLISHED(TCustomForm, P) {
  P.Boolean("AlphaBlend", &TCustomForm::GetAlphaBlend, &TCustomForm::SetAlphaBlend).Default(false);
  P.Integer("AlphaBlendValue", &TCustomForm::GetAlphaBlendValue, &TCustomForm::SetAlphaBlendValue).Default(255);
  P.Set("BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons,
        {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"})
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  P.Enum("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle,
         {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})
      .Default(bsSizeable);
  P.String("Caption", &TCustomForm::GetCaption, &TCustomForm::SetCaption);
  P.Integer("Color", &TCustomForm::GetColor, &TCustomForm::SetColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clBtnFace)
      .Stored(&TCustomForm::IsColorStored);
  P.Enum("DefaultMonitor", &TCustomForm::GetDefaultMonitor, &TCustomForm::SetDefaultMonitor,
         {"dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm"})
      .Default(dmActiveForm);
  P.Enum("FormStyle", &TCustomForm::GetFormStyle, &TCustomForm::SetFormStyle,
         {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"})
      .Default(fsNormal);
  P.Boolean("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview).Default(false);
  P.Enum("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition,
         {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
          "poMainFormCenter", "poOwnerFormCenter"})
      .Default(poDesigned);
  P.Boolean("Visible", &TCustomForm::GetVisible, &TCustomForm::SetVisible).Default(false);
  P.Enum("WindowState", &TCustomForm::GetWindowState, &TCustomForm::SetWindowState,
         {"wsNormal", "wsMinimized", "wsMaximized"})
      .Default(wsNormal);
  P.Event("OnActivate", &TCustomForm::OnActivate);
  P.Event("OnClose", &TCustomForm::OnClose);
  P.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
  P.Event("OnCreate", &TCustomForm::OnCreate);
  P.Event("OnDeactivate", &TCustomForm::OnDeactivate);
  P.Event("OnDestroy", &TCustomForm::OnDestroy);
  P.Event("OnHide", &TCustomForm::OnHide);
  P.Event("OnPaint", &TCustomForm::OnPaint);
  P.Event("OnShortCut", &TCustomForm::OnShortCut);
  P.Event("OnShow", &TCustomForm::OnShow);
}

void TCustomForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
  TScrollingWinControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (int i = 0; i < GetComponentCount(); ++i)
    if (!GetComponent(i)->HasParent()) Proc(GetComponent(i));
}

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FCanvas(Construct<TControlCanvas>()) {
  FCanvas->SetControl(this);
  FFormState.Include(fsCreating);
  SetControlStyle(GetControlStyle() + csAcceptsControls);
  SetVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() = default;

void TCustomForm::AfterConstruction() {
  TScrollingWinControl::AfterConstruction();
  FFormState.Exclude(fsCreating);
  OnCreate(this);
  if (FFormStyle == fsMDIChild) Show();
}

void TCustomForm::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  OnDestroy(this);
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->GetMainForm() == this) Application->MainFormDestroyed();
  // The controls go before the window, so that none outlives the window it sits in.
  while (GetControlCount() > 0) {
    TControl* C = GetControl(GetControlCount() - 1);
    RemoveControl(C);
    Free(C);
  }
  FActiveControl = nullptr;
  FFocusedControl = nullptr;
  DestroyHandle();
  TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  ApplyStyleChange();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  ApplyStyleChange();
}

void TCustomForm::ApplyStyleChange() {
  if (!HandleAllocated()) return;
  // The frame changes in place: the window keeps its children and focus.
  TCreateParams P;
  CreateParams(P);
  HWND H = GetHandle();
  DWORD Visible = GetWindowLongPtrW(H, GWL_STYLE) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowLongPtrW(H, GWL_STYLE, (P.Style & ~WS_VISIBLE) | Visible);
  SetWindowLongPtrW(H, GWL_EXSTYLE, P.ExStyle);
  SetWindowPos(H, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Realign();
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP | WS_VISIBLE);
  Params.Style |= WS_CLIPCHILDREN;
  Params.ExStyle = 0;
  Params.WndParent = nullptr;
  if (FFormStyle == fsMDIChild) {
    TCustomForm* Main = Application ? Application->GetMainForm() : nullptr;
    if (!Main || Main == this || Main->GetFormStyle() != fsMDIForm)
      throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    Main->HandleNeeded();
    Params.WndParent = Main->GetClientHandle();
    Params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    Params.ExStyle |= WS_EX_MDICHILD;
    if (GetVisible()) Params.Style |= WS_VISIBLE;
  } else if (GetParent()) {
    // A form placed inside another control is a child window there.
    Params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    Params.WndParent = GetParent()->GetHandle();
  } else {
    TCustomForm* Main = Application ? Application->GetMainForm() : nullptr;
    if (Main && Main != this && Main->HandleAllocated()) Params.WndParent = Main->GetHandle();
  }
  BorderStyleBits(Params.Style, Params.ExStyle);
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (FAlphaBlend) Params.ExStyle |= WS_EX_LAYERED;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly || FFormStyle == fsMDIChild) {
    if (FPosition != poDesigned || FFormStyle == fsMDIChild) {
      Params.X = static_cast<int>(CW_USEDEFAULT);
      Params.Y = static_cast<int>(CW_USEDEFAULT);
    }
  }
  if (FPosition == poDefault || FPosition == poDefaultSizeOnly) {
    Params.Width = static_cast<int>(CW_USEDEFAULT);
    Params.Height = static_cast<int>(CW_USEDEFAULT);
  }
  Params.WindowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  Params.WindowClass.style = CS_DBLCLKS;
}

void TCustomForm::BorderStyleBits(DWORD& Style, DWORD& ExStyle) const {
  switch (FBorderStyle) {
    case bsNone:
      if (FFormStyle != fsMDIChild && !GetParent()) Style |= WS_POPUP;
      break;
    case bsSingle: Style |= WS_CAPTION; break;
    case bsSizeable: Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Style |= WS_CAPTION | (GetParent() ? 0 : WS_POPUP);
      ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      Style |= WS_CAPTION;
      ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Style |= WS_CAPTION | WS_THICKFRAME;
      ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone) {
    if (FBorderIcons.Contains(biSystemMenu)) Style |= WS_SYSMENU;
    bool Resizable = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
    if (Resizable && FBorderIcons.Contains(biMinimize)) Style |= WS_MINIMIZEBOX;
    if (Resizable && FBorderIcons.Contains(biMaximize)) Style |= WS_MAXIMIZEBOX;
    if (FBorderIcons.Contains(biHelp) && (FBorderStyle == bsDialog || !(Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
      ExStyle |= WS_EX_CONTEXTHELP;
  }
}

void TCustomForm::CreateWindowHandle(const TCreateParams& Params) {
  if (FFormStyle != fsMDIChild) {
    TScrollingWinControl::CreateWindowHandle(Params);
    return;
  }
  TCreateParams P = Params;
  // The child's default handling must be the MDI one from its first message on.
  FFormState.Include(fsCreatedMDIChild);
  TScrollingWinControl::CreateWindowHandle(P);
  if (!HandleAllocated()) FFormState.Exclude(fsCreatedMDIChild);
}

void TCustomForm::CreateWnd() {
  TScrollingWinControl::CreateWnd();
  HWND H = GetHandle();
  if (FFormStyle == fsMDIForm) {
    CLIENTCREATESTRUCT CCS{nullptr, kFirstMDIChildId};
    RECT R;
    ::GetClientRect(H, &R);
    FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                    R.right, R.bottom, H, nullptr, GetModuleHandleW(nullptr), &CCS);
    if (!FClientHandle) RaiseLastOSError();
  }
  if (FMenu) ::SetMenu(H, FMenu->GetHandle());
  if (FAlphaBlend) ApplyAlphaBlend();
  if (FFormStyle != fsMDIChild) {
    // The window was made at the bounds asked for; take the real ones back.
    UpdateBounds();
  }
}

void TCustomForm::DestroyWindowHandle() {
  if (FFormStyle == fsMDIChild && FFormState.Contains(fsCreatedMDIChild) && HandleAllocated()) {
    HWND Client = ::GetParent(GetHandle());
    FFormState.Exclude(fsCreatedMDIChild);
    if (Client) {
      SendMessageW(Client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(GetHandle()), 0);
      SetWindowHandle(nullptr);
      return;
    }
  }
  FClientHandle = nullptr;
  TScrollingWinControl::DestroyWindowHandle();
}

void TCustomForm::AlignControls(TControl* AControl, RECT& Rect) {
  TScrollingWinControl::AlignControls(AControl, Rect);
  if (FClientHandle)
    SetWindowPos(FClientHandle, HWND_BOTTOM, Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top,
                 SWP_NOACTIVATE);
}

RECT TCustomForm::GetClientRect() {
  if (HandleAllocated()) return TScrollingWinControl::GetClientRect();
  // The frame the window will have, without making anything for it.
  DWORD Style = 0, ExStyle = 0;
  BorderStyleBits(Style, ExStyle);
  RECT Frame{0, 0, 0, 0};
  AdjustWindowRectEx(&Frame, Style, FMenu != nullptr && FFormStyle != fsMDIChild, ExStyle);
  int W = GetWidth() - (Frame.right - Frame.left), H = GetHeight() - (Frame.bottom - Frame.top);
  return RECT{0, 0, std::max(W, 0), std::max(H, 0)};
}

bool TCustomForm::IsShowing() const { return GetVisible() && TScrollingWinControl::IsShowing(); }

TWindowState TCustomForm::GetWindowState() {
  if (HandleAllocated() && IsWindowVisible(GetHandle())) {
    if (IsIconic(GetHandle())) return wsMinimized;
    if (IsZoomed(GetHandle())) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (!HandleAllocated() || !GetVisible()) return;
  int Cmd = Value == wsMinimized ? SW_MINIMIZE : Value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE;
  if (FFormStyle == fsMDIChild && Value == wsMaximized)
    SendMessageW(::GetParent(GetHandle()), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(GetHandle()), 0);
  else if (FFormStyle == fsMDIChild && Value == wsNormal)
    SendMessageW(::GetParent(GetHandle()), WM_MDIRESTORE, reinterpret_cast<WPARAM>(GetHandle()), 0);
  else
    ShowWindow(GetHandle(), Cmd);
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (FAlphaBlend == Value) return;
  FAlphaBlend = Value;
  ApplyAlphaBlend();
}

void TCustomForm::SetAlphaBlendValue(BYTE Value) {
  FAlphaBlendValue = Value;
  ApplyAlphaBlend();
}

void TCustomForm::ApplyAlphaBlend() {
  if (!HandleAllocated() || FFormStyle == fsMDIChild) return;
  HWND H = GetHandle();
  LONG_PTR Ex = GetWindowLongPtrW(H, GWL_EXSTYLE);
  if (FAlphaBlend) {
    SetWindowLongPtrW(H, GWL_EXSTYLE, Ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(H, 0, FAlphaBlendValue, LWA_ALPHA);
  } else if (Ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(H, GWL_EXSTYLE, Ex & ~WS_EX_LAYERED);
    RedrawWindow(H, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated() && FFormStyle != fsMDIChild) {
    ::SetMenu(GetHandle(), Value ? Value->GetHandle() : nullptr);
    Realign();
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (Control && (Control == this || ::GetParentForm(Control) != this || !Control->CanFocus()))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (FActive && Control && HandleAllocated()) Control->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (HandleAllocated() && IsWindowVisible(GetHandle())) ::SetFocus(Control->GetHandle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (GetComponentState().Contains(csDestroying)) return true;
  if (Control != this) FActiveControl = Control;
  if (Screen) Screen->SetFocus(this, Control);
  if (FFocusedControl == Control) return true;
  TWinControl* Old = FFocusedControl;
  FFocusedControl = Control;
  // Exits from the old control up to the first parent the new one shares, then
  // enters from there down to the new control.
  for (TWinControl* C = Old; C && !C->ContainsControl(Control); C = C->GetParent()) {
    C->Perform(CM_EXIT);
    if (FFocusedControl != Control) return false;
  }
  std::vector<TWinControl*> Enter;
  for (TWinControl* C = Control; C && !(Old && C->ContainsControl(Old)); C = C->GetParent()) Enter.push_back(C);
  for (auto It = Enter.rbegin(); It != Enter.rend(); ++It) {
    if (*It == this) continue;
    (*It)->Perform(CM_ENTER);
    if (FFocusedControl != Control) return false;
  }
  return true;
}

void TCustomForm::ControlRemoved(TWinControl* Control) {
  if (FActiveControl && Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
  if (FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
  if (Screen) Screen->ControlRemoved(Control);
}

void TCustomForm::SetWindowFocus() {
  if (!HandleAllocated()) return;
  if (FActiveControl && FActiveControl->CanFocus()) ::SetFocus(FActiveControl->GetHandle());
  else ::SetFocus(GetHandle());
}

void TCustomForm::SetActive(bool Value) {
  FActive = Value;
  if (Value) {
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    if (Screen) Screen->SetActiveForm(this);
    SetWindowFocus();
    NotifyActivation(CM_ACTIVATE);
  } else {
    NotifyActivation(CM_DEACTIVATE);
  }
}

void TCustomForm::NotifyActivation(UINT Msg) {
  // Sent through the window, so that thread hooks watching sent messages see it.
  if (HandleAllocated()) SendMessageW(GetHandle(), Msg, 0, 0);
  else Perform(Msg);
}

void TCustomForm::PlaceOnFirstShow() {
  if (FShownOnce) return;
  FShownOnce = true;
  auto Center = [this](RECT Area) {
    SetBounds(Area.left + (Area.right - Area.left - GetWidth()) / 2, Area.top + (Area.bottom - Area.top - GetHeight()) / 2,
              GetWidth(), GetHeight());
  };
  TCustomForm* Main = Application ? Application->GetMainForm() : nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      Center(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* Host = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(GetOwner()) : Main;
      if (Host && Host != this && Host->GetVisible()) Center(Host->GetBoundsRect());
      else Center(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
      break;
    }
    default: break;
  }
}

void TCustomForm::ShowingChanged() {
  if (GetVisible()) {
    HandleNeeded();
    PlaceOnFirstShow();
    DoShow();
    if (!GetVisible()) return;
    HWND H = GetHandle();
    if (FFormStyle == fsMDIChild) {
      ShowWindow(H, FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
      SendMessageW(::GetParent(H), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(H), 0);
    } else {
      int Cmd = FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : FWindowState == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
      ShowWindow(H, Cmd);
      SetForegroundWindow(H);
      if (GetActiveWindow() != H) SetActiveWindow(H);
    }
  } else {
    DoHide();
    if (!HandleAllocated()) return;
    HWND H = GetHandle();
    if (FFormStyle == fsMDIChild && ::GetParent(H)) {
      // Hiding the active child hands activation to the next one.
      SendMessageW(::GetParent(H), WM_MDINEXT, reinterpret_cast<WPARAM>(H), 0);
    }
    ShowWindow(H, SW_HIDE);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (!HandleAllocated()) return;
  // A child already on show comes to the front as the active document.
  if (FFormStyle == fsMDIChild) SendMessageW(::GetParent(GetHandle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetHandle()), 0);
  else BringWindowToTop(GetHandle());
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CloseQuery() {
  if (FFormStyle == fsMDIForm) {
    for (TCustomForm* Child : MDIChildList())
      if (!Child->CloseQuery()) return false;
  }
  bool CanClose = true;
  OnCloseQuery(this, CanClose);
  return CanClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction Action = caHide;
  if (FFormStyle == fsMDIChild) Action = FBorderIcons.Contains(biMinimize) ? caMinimize : caNone;
  DoClose(Action);
  if (Action == caNone) return;
  if (Application && Application->GetMainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (Action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageW(GetHandle(), CM_RELEASE, 0, 0);
  else FreeDeferred(this);
}

void TCustomForm::CloseModal() {
  TCloseAction Action = caNone;
  if (CloseQuery()) {
    Action = caHide;
    DoClose(Action);
  }
  if (Action == caNone) FModalResult = mrNone;
  else if (Action == caFree) Release();
}

TModalResult TCustomForm::ShowModal() {
  if (GetVisible() || !GetEnabled() || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND Cap = GetCapture()) SendMessageW(Cap, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HandleNeeded();
  HWND ActiveWnd = GetActiveWindow();
  TDisabledWindows Disabled{GetHandle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&Disabled));
  FFormState.Include(fsModal);
  FModalResult = mrNone;
  auto Restore = [&] {
    for (HWND W : Disabled.List)
      if (IsWindow(W)) EnableWindow(W, TRUE);
    FFormState.Exclude(fsModal);
    if (HandleAllocated()) {
      // Hide without giving activation away to some other window first.
      SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (GetVisible()) SetVisible(false);
    if (ActiveWnd && IsWindow(ActiveWnd)) SetActiveWindow(ActiveWnd);
  };
  try {
    Show();
    do {
      Application->HandleMessage();
      if (Application->GetTerminated()) FModalResult = mrCancel;
      else if (FModalResult != mrNone) CloseModal();
    } while (FModalResult == mrNone);
  } catch (...) {
    Restore();
    throw;
  }
  TModalResult Result = FModalResult;
  Restore();
  return Result;
}

bool TCustomForm::IsShortCut(WORD Key, LPARAM KeyData) {
  bool Handled = false;
  OnShortCut(Key, KeyData, Handled);
  if (Handled) return true;
  if (FMenu && FMenu->IsShortCut(Key, KeyData)) return true;
  if (FFormStyle == fsMDIForm) {
    if (TCustomForm* Child = GetActiveMDIChild(); Child && Child->IsShortCut(Key, KeyData)) return true;
  }
  TShortCut SC = ShortCutFromKey(Key);
  for (int I = 0; I < GetComponentCount(); ++I)
    if (auto* L = dynamic_cast<TCustomActionList*>(GetComponent(I)); L && L->IsShortCut(SC)) return true;
  return false;
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() {
  std::vector<TCustomForm*> L;
  if (!FClientHandle) return L;
  for (HWND W = GetWindow(FClientHandle, GW_CHILD); W; W = GetWindow(W, GW_HWNDNEXT))
    if (auto* F = dynamic_cast<TCustomForm*>(FindControl(W)); F && F->GetFormStyle() == fsMDIChild) L.push_back(F);
  return L;
}

int TCustomForm::GetMDIChildCount() { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::GetMDIChildren(int Index) {
  auto L = MDIChildList();
  if (Index < 0 || Index >= static_cast<int>(L.size())) throw EListError("List index out of bounds (%d)", {Index});
  return L[static_cast<size_t>(Index)];
}

TCustomForm* TCustomForm::GetActiveMDIChild() {
  if (!FClientHandle) return nullptr;
  HWND W = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(W));
}

void TCustomForm::Cascade() {
  if (FClientHandle) SendMessageW(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
  if (FClientHandle)
    SendMessageW(FClientHandle, WM_MDITILE, FTileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::ArrangeIcons() {
  if (FClientHandle) SendMessageW(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
  if (FClientHandle) SendMessageW(FClientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
  if (FClientHandle) SendMessageW(FClientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->Lock();
  FCanvas->SetHandle(DC);
  try {
    Paint();
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
    throw;
  }
  FCanvas->SetHandle(nullptr);
  FCanvas->Unlock();
}

namespace {
bool OfferToClients(TWinControl* Container, TBasicAction* Action) {
  if (!Container->IsShowing()) return false;
  for (int I = 0; I < Container->GetControlCount(); ++I) {
    TControl* C = Container->GetControl(I);
    if (C->GetVisible() && C->ExecuteAction(Action)) return true;
    if (auto* W = dynamic_cast<TWinControl*>(C); W && OfferToClients(W, Action)) return true;
  }
  return false;
}
}  // namespace

bool TCustomForm::OfferAction(TBasicAction* Action) {
  if (!Action || GetComponentState().Contains(csDesigning) || !IsShowing()) return false;
  if (FActiveControl && FActiveControl->ExecuteAction(Action)) return true;
  return ExecuteAction(Action) || OfferToClients(this, Action);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (OnPaint) SetControlState(GetControlState() + csCustomPaint);
      TScrollingWinControl::Dispatch(Message);
      SetControlState(GetControlState() - csCustomPaint);
      return;
    case CM_VISIBLECHANGED: ShowingChanged(); return;
    case WM_CLOSE: Close(); return;
    case CM_RELEASE: Free(this); return;
    case WM_ACTIVATE:
      if (FFormStyle != fsMDIChild) SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
      return;
    case WM_MDIACTIVATE:
      DefaultHandler(Message);
      if (reinterpret_cast<HWND>(Message.LParam) == GetHandle()) SetActive(true);
      else if (reinterpret_cast<HWND>(Message.WParam) == GetHandle()) SetActive(false);
      return;
    case WM_SETFOCUS:
      if (FActiveControl && FActiveControl != this && FActiveControl->HandleAllocated() && FActiveControl->CanFocus()) {
        ::SetFocus(FActiveControl->GetHandle());
        return;
      }
      TScrollingWinControl::Dispatch(Message);
      return;
    case CM_ACTIVATE: Activate(); return;
    case CM_DEACTIVATE: Deactivate(); return;
    case CM_ACTIONEXECUTE:
      Message.Result = OfferAction(reinterpret_cast<TBasicAction*>(Message.LParam)) ? 1 : 0;
      return;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        WORD Key = static_cast<WORD>(Message.WParam);
        bool Shift = GetKeyState(VK_SHIFT) < 0, Ctrl = GetKeyState(VK_CONTROL) < 0;
        if (Key == VK_TAB && !Ctrl) {
          SelectNext(FActiveControl, !Shift, true);
          Message.Result = 1;
          return;
        }
        if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
          if (FActiveControl && FActiveControl->GetParent()) {
            FActiveControl->GetParent()->SelectNext(FActiveControl, Key == VK_RIGHT || Key == VK_DOWN, false);
            Message.Result = 1;
            return;
          }
        }
      }
      TScrollingWinControl::Dispatch(Message);
      return;
    case WM_GETMINMAXINFO: {
      DefaultHandler(Message);
      auto* MMI = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      TSizeConstraints* C = GetConstraints();
      if (C->GetMinWidth() > 0) MMI->ptMinTrackSize.x = C->GetMinWidth();
      if (C->GetMinHeight() > 0) MMI->ptMinTrackSize.y = C->GetMinHeight();
      if (C->GetMaxWidth() > 0) MMI->ptMaxTrackSize.x = C->GetMaxWidth();
      if (C->GetMaxHeight() > 0) MMI->ptMaxTrackSize.y = C->GetMaxHeight();
      return;
    }
    case WM_COMMAND:
      if (Message.LParam == 0 && HIWORD(Message.WParam) == 0 && FMenu && FMenu->DispatchCommand(LOWORD(Message.WParam))) {
        Message.Result = 0;
        return;
      }
      TScrollingWinControl::Dispatch(Message);
      return;
    case WM_INITMENUPOPUP:
      if (FMenu) FMenu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
      DefaultHandler(Message);
      return;
    case WM_ERASEBKGND:
      if (FClientHandle) {
        Message.Result = 1;
        return;
      }
      TScrollingWinControl::Dispatch(Message);
      return;
    default: TScrollingWinControl::Dispatch(Message); return;
  }
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  if (!HandleAllocated() || (Message.Msg >= CM_BASE && Message.Msg < 0xC000)) return;
  HWND H = GetHandle();
  if (FFormStyle == fsMDIForm && FClientHandle)
    Message.Result = DefFrameProcW(H, FClientHandle, Message.Msg, Message.WParam, Message.LParam);
  else if (FFormStyle == fsMDIChild && FFormState.Contains(fsCreatedMDIChild))
    Message.Result = DefMDIChildProcW(H, Message.Msg, Message.WParam, Message.LParam);
  else
    TScrollingWinControl::DefaultHandler(Message);
}
