#include "framework/WinControl.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Application.h"
#include "framework/ControlCanvas.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Published.h"
#include "framework/Reader.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"

namespace {
const wchar_t kControlProp[] = L"SonveltControl";
const wchar_t kSwallowProp[] = L"SonveltSwallow";
thread_local TWinControl* CreationControl = nullptr;
TControl* CaptureControl = nullptr;
TControl* MouseControl = nullptr;

// The guards below undo what painting set up even when a paint handler throws:
// an unended paint leaves the region invalid, so the window would be asked to
// paint (and report the error) again and again, leaking a buffer each time.
class TSavedDC {
public:
  explicit TSavedDC(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {}
  ~TSavedDC() { RestoreDC(FDC, FSaved); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

private:
  HDC FDC;
  int FSaved;
};

class TPaintScope {
public:
  explicit TPaintScope(HWND Wnd) : FWnd(Wnd), FDC(BeginPaint(Wnd, &FPS)) {}
  ~TPaintScope() { EndPaint(FWnd, &FPS); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC GetDC() const { return FDC; }

private:
  HWND FWnd;
  PAINTSTRUCT FPS;
  HDC FDC;
};

class TBufferDC {
public:
  TBufferDC(HDC Like, int Width, int Height)
      : FDC(CreateCompatibleDC(Like)),
        FBitmap(CreateCompatibleBitmap(Like, std::max(Width, 1), std::max(Height, 1))),
        FOld(SelectObject(FDC, FBitmap)) {}
  ~TBufferDC() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TBufferDC(const TBufferDC&) = delete;
  TBufferDC& operator=(const TBufferDC&) = delete;
  HDC GetDC() const { return FDC; }

private:
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};
}  // namespace

LRESULT CALLBACK SonveltStdWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* Control = static_cast<TWinControl*>(GetPropW(Wnd, kControlProp));
  if (!Control) {
    Control = CreationControl;
    if (!Control) return DefWindowProcW(Wnd, Msg, WParam, LParam);
    CreationControl = nullptr;
    Control->FHandle = Wnd;
    SetPropW(Wnd, kControlProp, Control);
  }
  // A message a thread hook decided to swallow: it never reaches the control.
  if (auto Marked = reinterpret_cast<UINT_PTR>(GetPropW(Wnd, kSwallowProp)); Marked && Marked - 1 == Msg) {
    RemovePropW(Wnd, kSwallowProp);
    return 1;
  }
  TMessage M{Msg, WParam, LParam, 0};
  try {
    Control->WindowProc(M);
  } catch (...) {
    // An exception must not unwind through the system's frames: report it here.
    if (Application) Application->HandleException(Control);
  }
  if (Msg == WM_NCDESTROY) {
    FreeDeviceContextsOf(Wnd);
    RemovePropW(Wnd, kControlProp);
    RemovePropW(Wnd, kSwallowProp);
    if (Control->FHandle == Wnd) Control->FHandle = nullptr;
  }
  return M.Result;
}

TControl* GetCaptureControl() {
  if (CaptureControl) {
    HWND Wnd = GetCapture();
    auto* W = dynamic_cast<TWinControl*>(CaptureControl);
    HWND Expected = W ? W->GetHandle() : (CaptureControl->GetParent() && CaptureControl->GetParent()->HandleAllocated()
                                                ? CaptureControl->GetParent()->GetHandle()
                                                : nullptr);
    if (Wnd != Expected) CaptureControl = nullptr;
  }
  return CaptureControl;
}

void SetCaptureControl(TControl* Control) {
  CaptureControl = nullptr;
  if (!Control) {
    ReleaseCapture();
    return;
  }
  if (auto* W = dynamic_cast<TWinControl*>(Control)) {
    if (W->HandleAllocated()) SetCapture(W->GetHandle());
  } else if (Control->GetParent() && Control->GetParent()->HandleAllocated()) {
    SetCapture(Control->GetParent()->GetHandle());
  }
  CaptureControl = Control;
}

void ForgetMouseControl(const TControl* Control) {
  if (MouseControl == Control) MouseControl = nullptr;
}

// The control under the mouse: leaving and entering are told as they change.
static void SetMouseControl(TControl* Control) {
  if (Control == MouseControl) return;
  TControl* Old = MouseControl;
  MouseControl = Control;
  if (Old) Old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Old));
  if (Control && MouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(Construct<TBrush>()) {
  FBrush->SetColor(GetColor());
}

TWinControl::~TWinControl() = default;

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  while (!FControls.empty()) {
    TControl* C = FControls.back();
    RemoveControl(C);
    Free(C);
  }
  DestroyHandle();
}

bool TWinControl::SwallowNextMessage(HWND Wnd, UINT Msg) {
  if (!FindControl(Wnd)) return false;
  SetPropW(Wnd, kSwallowProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(Msg) + 1));
  return true;
}

TWinControl* TWinControl::FindControl(HWND Wnd) {
  if (!Wnd) return nullptr;
  return static_cast<TWinControl*>(GetPropW(Wnd, kControlProp));
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (GetParent()) GetParent()->HandleNeeded();
  if (!FHandle) CreateHandle();
}

HWND TWinControl::DetachHandle() {
  HWND Wnd = FHandle;
  if (!Wnd) return nullptr;
  SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc ? FDefWndProc : DefWindowProcW));
  RemovePropW(Wnd, kControlProp);
  RemovePropW(Wnd, kSwallowProp);
  FreeDeviceContextsOf(Wnd);
  FHandle = nullptr;
  if (MouseControl == this) MouseControl = nullptr;
  return Wnd;
}

void TWinControl::AdoptHandle(HWND Wnd) {
  if (!Wnd || FHandle == Wnd) return;
  if (FHandle) throw EInvalidOperation("Control '" + GetName() + "' already has a window");
  SetPropW(Wnd, kControlProp, this);
  SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SonveltStdWndProc));
  FHandle = Wnd;
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParentWindow == Value) return;
  FParentWindow = Value;
  if (FHandle && !GetParent()) {
    if (Value) ::SetParent(FHandle, Value);
    else DestroyHandle();
  }
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (GetControlStyle().Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  if (GetVisible()) Params.Style |= WS_VISIBLE;
  if (!GetEnabled()) Params.Style |= WS_DISABLED;
  Params.X = GetLeft();
  Params.Y = GetTop();
  Params.Width = GetWidth();
  Params.Height = GetHeight();
  Params.WndParent = GetParent() ? GetParent()->GetHandle() : FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProcW;
  Params.WindowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName) {
  WNDCLASSW WC{};
  if (!GetClassInfoW(nullptr, ControlClassName, &WC)) {
    InitCommonControls();
    if (!GetClassInfoW(nullptr, ControlClassName, &WC)) RaiseLastOSError();
  }
  WC.style &= ~CS_GLOBALCLASS;
  WC.style |= CS_DBLCLKS;
  Params.WindowClass = WC;
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  if ((Params.Style & WS_CHILD) && !Params.WndParent)
    throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
  FDefWndProc = Params.WindowClass.lpfnWndProc;
  std::wstring Cls = Utf8ToWide(Params.WinClassName);
  HINSTANCE Inst = GetModuleHandleW(nullptr);
  WNDCLASSW Existing{};
  bool Registered = GetClassInfoW(Inst, Cls.c_str(), &Existing) != 0;
  if (Registered && Existing.lpfnWndProc != SonveltStdWndProc) {
    UnregisterClassW(Cls.c_str(), Inst);
    Registered = false;
  }
  if (!Registered) {
    WNDCLASSW WC = Params.WindowClass;
    WC.lpfnWndProc = SonveltStdWndProc;
    WC.hInstance = Inst;
    WC.lpszClassName = Cls.c_str();
    if (!RegisterClassW(&WC)) RaiseLastOSError();
  }
  CreateWindowHandle(Params);
  if (!FHandle) RaiseLastOSError();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  std::wstring Cls = Utf8ToWide(Params.WinClassName);
  std::wstring Caption = Utf8ToWide(Params.Caption);
  CreationControl = this;
  HWND Wnd = CreateWindowExW(Params.ExStyle, Cls.c_str(), Caption.c_str(), Params.Style, Params.X, Params.Y,
                             Params.Width, Params.Height, Params.WndParent, nullptr, GetModuleHandleW(nullptr),
                             Params.Param);
  CreationControl = nullptr;
  if (Wnd) FHandle = Wnd;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  TControlState S = GetControlState();
  SetControlState(S + csCreating);
  try {
    CreateWnd();
  } catch (...) {
    SetControlState(GetControlState() - csCreating);
    throw;
  }
  SetControlState(GetControlState() - csCreating);
  UpdateWindowFont();
  if (GetParent() && !dynamic_cast<TCustomForm*>(this)) {
    // Keep the window at its place among the siblings.
    UpdateZOrder(nullptr);
  }
  for (TControl* C : FControls)
    if (auto* W = dynamic_cast<TWinControl*>(C)) W->HandleNeeded();
  UpdateBounds();
  Realign();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TControl* C : FControls)
    if (auto* W = dynamic_cast<TWinControl*>(C)) W->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  SetControlState(GetControlState() + csDestroyingHandle);
  HWND Wnd = FHandle;
  if (Wnd) DestroyWindow(Wnd);
  FHandle = nullptr;
  if (MouseControl == this) MouseControl = nullptr;
  SetControlState(GetControlState() - csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  bool HadFocus = Focused();
  DestroyHandle();
  HandleNeeded();
  if (HadFocus && CanFocus()) ::SetFocus(FHandle);
}

void TWinControl::UpdateWindowFont() {
  if (FHandle) ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 0);
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  while (Control && Control != this) Control = Control->GetParent();
  return Control == this;
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.push_back(W);
    if (FHandle) W->HandleNeeded();
  }
  AControl->Perform(CM_PARENTCOLORCHANGED);
  AControl->Perform(CM_PARENTFONTCHANGED);
  AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  if (AControl->GetAlign() != alNone) Realign();
  AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl->GetParent() != this) return;
  AControl->Invalidate();
  if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
  if (MouseControl == AControl) MouseControl = nullptr;
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), W), FTabList.end());
    if (TCustomForm* F = ::GetParentForm(this)) F->ControlRemoved(W);
    if (W->HandleAllocated()) W->DestroyHandle();
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  AControl->FParent = nullptr;
  if (AControl->GetAlign() != alNone) Realign();
}

void TWinControl::UpdateZOrder(TControl* Control) {
  if (Control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
    FControls.push_back(Control);
    if (auto* W = dynamic_cast<TWinControl*>(Control); W && W->HandleAllocated())
      SetWindowPos(W->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Control->Invalidate();
    return;
  }
  // Place this window above the window of the sibling just below it in z-order.
  TWinControl* P = GetParent();
  auto& L = P->FControls;
  auto It = std::find(L.begin(), L.end(), this);
  HWND After = HWND_BOTTOM;
  while (It != L.begin()) {
    --It;
    if (auto* W = dynamic_cast<TWinControl*>(*It); W && W->HandleAllocated()) {
      After = W->GetHandle();
      break;
    }
  }
  if (After == HWND_BOTTOM) {
    // Nothing windowed below: go under every sibling window that is ours.
    bool AnyAbove = false;
    for (TControl* C : L)
      if (auto* W = dynamic_cast<TWinControl*>(C); W && W != this && W->HandleAllocated()) AnyAbove = true;
    if (!AnyAbove) return;
  }
  // SetWindowPos puts the window below hWndInsertAfter, so the sibling below us
  // must come after: insert under the first sibling above instead.
  It = std::find(L.begin(), L.end(), this);
  HWND Above = nullptr;
  for (auto J = It + 1; J != L.end(); ++J)
    if (auto* W = dynamic_cast<TWinControl*>(*J); W && W->HandleAllocated()) {
      Above = W->GetHandle();
      break;
    }
  SetWindowPos(FHandle, Above ? Above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TControl* TWinControl::ControlAtPos(POINT P, bool AllowDisabled, bool AllowWinControls, bool AllLevels) {
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TControl* C = *It;
    bool IsWin = dynamic_cast<TWinControl*>(C) != nullptr;
    if (IsWin && !AllowWinControls) continue;
    if (!C->GetVisible() || (!C->GetEnabled() && !AllowDisabled)) continue;
    RECT R = C->GetBoundsRect();
    if (!PtInRect(&R, P)) continue;
    if (C->Perform(CM_HITTEST, 0, PointToLParam(POINT{P.x - R.left, P.y - R.top})) == 0) continue;
    if (AllLevels && IsWin) {
      auto* W = static_cast<TWinControl*>(C);
      if (TControl* Inner = W->ControlAtPos(POINT{P.x - R.left, P.y - R.top}, AllowDisabled, true, true))
        return Inner;
    }
    return C;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (size_t I = 0; I < FControls.size(); ++I) {
    FControls[I]->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage M{Msg, 0, 0, 0};
  for (size_t I = 0; I < FControls.size(); ++I) FControls[I]->WindowProc(M);
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    LONG_PTR S = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, Value ? (S | WS_TABSTOP) : (S & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED);
}

SONVELT_PUBLISHED(TWinControl, P) {
  P.Integer("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder).Default(-1);
  P.Boolean("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop).Default(false);
  P.Event("OnEnter", &TWinControl::OnEnter);
  P.Event("OnExit", &TWinControl::OnExit);
  P.Event("OnKeyDown", &TWinControl::OnKeyDown);
  P.Event("OnKeyPress", &TWinControl::OnKeyPress);
  P.Event("OnKeyUp", &TWinControl::OnKeyUp);
}

void TWinControl::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    TControl::ReadState(Reader);
    FixupTabList();
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::FixupTabList() {
  const int count = static_cast<int>(FTabList.size());
  std::vector<TWinControl*> placed(static_cast<std::size_t>(count), nullptr);
  for (TWinControl* W : FTabList) {
    const int at = W->FReadTabOrder;
    W->FReadTabOrder = -1;
    if (at >= 0 && at < count && !placed[at]) placed[at] = W;
  }
  for (int i = 0; i < count; ++i)
    if (placed[i]) placed[i]->SetTabOrder(i);
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TControl* C : FControls)
    if (C->GetOwner() == Root) Proc(C);
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
  auto* control = dynamic_cast<TControl*>(Child);
  auto it = std::find(FControls.begin(), FControls.end(), control);
  if (!control || it == FControls.end()) return;
  FControls.erase(it);
  Order = std::clamp(Order, 0, static_cast<int>(FControls.size()));
  FControls.insert(FControls.begin() + Order, control);
  if (auto* W = dynamic_cast<TWinControl*>(control); W && W->HandleAllocated()) W->UpdateZOrder(nullptr);
  control->Invalidate();
}

int TWinControl::GetTabOrder() const {
  if (!GetParent()) return -1;
  auto& L = GetParent()->FTabList;
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TWinControl::SetTabOrder(int Value) {
  // Later siblings are not read yet: the parent places this one after reading them.
  if (GetComponentState().Contains(csReading)) FReadTabOrder = Value;
  if (!GetParent()) return;
  auto& L = GetParent()->FTabList;
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
  if (Value < 0 || Value > static_cast<int>(L.size())) Value = static_cast<int>(L.size());
  L.insert(L.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* W : FTabList) {
    List.push_back(W);
    W->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (List.empty()) return nullptr;
  int N = static_cast<int>(List.size());
  int Start = -1;
  for (int I = 0; I < N; ++I)
    if (List[I] == CurControl) Start = I;
  if (Start < 0) Start = GoForward ? N - 1 : 0;
  int I = Start;
  for (int Step = 0; Step < N; ++Step) {
    I = GoForward ? (I + 1) % N : (I - 1 + N) % N;
    TWinControl* C = List[I];
    if (C == CurControl) break;
    if ((!CheckTabStop || C->GetTabStop()) && (!CheckParent || C->GetParent() == this) && C->CanFocus())
      return C;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* C = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) C->SetFocus();
}

bool TWinControl::CanFocus() {
  TCustomForm* Form = ::GetParentForm(this);
  if (!Form) return GetVisible() && GetEnabled();
  TControl* C = this;
  while (C && C != Form) {
    if (!C->GetVisible() || !C->GetEnabled()) return false;
    C = C->GetParent();
  }
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* Form = ::GetParentForm(this)) {
    Form->FocusControl(this);
  } else {
    ::SetFocus(GetHandle());
  }
}

bool TWinControl::Focused() { return FHandle && ::GetFocus() == FHandle; }

void TWinControl::SetParentBackground(bool Value) {
  TControlStyle S = GetControlStyle();
  if (Value) S.Include(csParentBackground);
  else S.Exclude(csParentBackground);
  SetControlStyle(S);
  Invalidate();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  GetConstraints()->Apply(AWidth, AHeight);
  if (ALeft == GetLeft() && ATop == GetTop() && AWidth == GetWidth() && AHeight == GetHeight()) return;
  if (FHandle && !IsIconic(FHandle)) {
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // WM_SIZE/WM_MOVE brought the fields up to date; a hidden top-level window
    // may not have told, so take the values anyway.
    if (GetLeft() != ALeft || GetTop() != ATop || GetWidth() != AWidth || GetHeight() != AHeight) {
      bool Resized = AWidth != GetWidth() || AHeight != GetHeight();
      UpdateBoundsRaw(ALeft, ATop, AWidth, AHeight);
      if (Resized) {
        Realign();
        Resize();
      }
    }
  } else {
    bool Resized = AWidth != GetWidth() || AHeight != GetHeight();
    UpdateBoundsRaw(ALeft, ATop, AWidth, AHeight);
    if (Resized) {
      Realign();
      Resize();
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (!FHandle || IsIconic(FHandle)) return;
  RECT R;
  GetWindowRect(FHandle, &R);
  if (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD) {
    HWND P = ::GetParent(FHandle);
    if (P) MapWindowPoints(nullptr, P, reinterpret_cast<POINT*>(&R), 2);
  }
  bool Resized = (R.right - R.left) != GetWidth() || (R.bottom - R.top) != GetHeight();
  UpdateBoundsRaw(R.left, R.top, R.right - R.left, R.bottom - R.top);
  if (Resized) {
    UpdateAnchorRules();
    Realign();
    Resize();
  }
}

RECT TWinControl::GetClientRect() {
  if (FHandle) {
    RECT R;
    ::GetClientRect(FHandle, &R);
    return R;
  }
  return TControl::GetClientRect();
}

std::string TWinControl::GetText() {
  if (!FHandle) return FText;
  int Len = GetWindowTextLengthW(FHandle);
  std::wstring W(static_cast<size_t>(Len) + 1, L'\0');
  Len = GetWindowTextW(FHandle, W.data(), Len + 1);
  W.resize(static_cast<size_t>(std::max(Len, 0)));
  return WideToUtf8(W);
}

void TWinControl::SetText(const std::string& Value) {
  if (GetText() == Value) return;
  FText = Value;
  if (FHandle) SetWindowTextW(FHandle, Utf8ToWide(Value).c_str());
  Perform(CM_TEXTCHANGED);
}

bool TWinControl::IsShowing() const {
  if (FHandle) return IsWindowVisible(FHandle) != 0;
  return TControl::IsShowing();
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !GetControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::EnableAlign() {
  if (--FAlignLevel <= 0) {
    FAlignLevel = 0;
    Realign();
  }
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FAligning) return;
  RECT R = GetClientRect();
  AdjustClientRect(R);
  AlignControls(nullptr, R);
}

void TWinControl::AlignControls(TControl* AControl, RECT& Rect) {
  FAligning = true;
  RECT Client = GetClientRect();
  int PW = Client.right - Client.left, PH = Client.bottom - Client.top;
  auto Place = [&](TControl* C, TAlign A) {
    int W = C->GetWidth(), H = C->GetHeight();
    RECT N{};
    switch (A) {
      case alTop: N = RECT{Rect.left, Rect.top, Rect.right, Rect.top + H}; break;
      case alBottom: N = RECT{Rect.left, Rect.bottom - H, Rect.right, Rect.bottom}; break;
      case alLeft: N = RECT{Rect.left, Rect.top, Rect.left + W, Rect.bottom}; break;
      case alRight: N = RECT{Rect.right - W, Rect.top, Rect.right, Rect.bottom}; break;
      case alClient: N = Rect; break;
      default: return;
    }
    C->SetBounds(N.left, N.top, std::max<int>(N.right - N.left, 0), std::max<int>(N.bottom - N.top, 0));
    // Constraints may have kept the size: take the space actually used.
    switch (A) {
      case alTop: Rect.top += C->GetHeight(); break;
      case alBottom: Rect.bottom -= C->GetHeight(); break;
      case alLeft: Rect.left += C->GetWidth(); break;
      case alRight: Rect.right -= C->GetWidth(); break;
      default: break;
    }
  };
  for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> L;
    for (TControl* C : FControls)
      if (C->GetAlign() == A && C->GetVisible()) L.push_back(C);
    // Order by position so that the user's arrangement stays; the control being
    // moved wins ties.
    std::stable_sort(L.begin(), L.end(), [&](TControl* X, TControl* Y) {
      auto Key = [&](TControl* C) {
        switch (A) {
          case alTop: return C->GetTop();
          case alBottom: return -(C->GetTop() + C->GetHeight());
          case alLeft: return C->GetLeft();
          case alRight: return -(C->GetLeft() + C->GetWidth());
          default: return 0;
        }
      };
      int KX = Key(X), KY = Key(Y);
      if (KX != KY) return KX < KY;
      return X == AControl && Y != AControl;
    });
    for (TControl* C : L) Place(C, A);
  }
  for (TControl* C : FControls) {
    if (C->GetAlign() != alNone) continue;
    TAnchors An = C->GetAnchors();
    if (An.Contains(akLeft) && An.Contains(akTop) && !An.Contains(akRight) && !An.Contains(akBottom)) continue;
    RECT N;
    N = C->GetBoundsRect();
    C->AnchorTo(PW, PH, N);
    C->SetBounds(N.left, N.top, N.right - N.left, N.bottom - N.top);
  }
  FAligning = false;
}

void TWinControl::ChangeScale(int M, int D) {
  if (M == D) return;
  DisableAlign();
  for (size_t I = 0; I < FControls.size(); ++I) FControls[I]->ChangeScale(M, D);
  TControl::ChangeScale(M, D);
  EnableAlign();
}

void TWinControl::InitiateAction() {
  TControl::InitiateAction();
  for (size_t I = 0; I < FControls.size(); ++I) FControls[I]->InitiateAction();
}

void TWinControl::SetCtl3D(bool Value) {
  FParentCtl3D = false;
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value) return;
  FParentCtl3D = Value;
  if (Value && GetParent()) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto It = FControls.begin();
  if (First) It = std::find(FControls.begin(), FControls.end(), First);
  RECT Clip;
  int ClipKind = GetClipBox(DC, &Clip);
  for (; It != FControls.end(); ++It) {
    TControl* C = *It;
    if (dynamic_cast<TWinControl*>(C) || !C->GetVisible()) continue;
    RECT R = C->GetBoundsRect(), I;
    if (ClipKind != NULLREGION && ClipKind != ERROR && !IntersectRect(&I, &R, &Clip)) continue;
    TSavedDC Saved(DC);
    POINT Org;
    GetViewportOrgEx(DC, &Org);
    SetViewportOrgEx(DC, Org.x + R.left, Org.y + R.top, nullptr);
    IntersectClipRect(DC, 0, 0, R.right - R.left, R.bottom - R.top);
    C->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  }
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage M{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(M);
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  TSavedDC Saved(DC);
  POINT Org;
  GetViewportOrgEx(DC, &Org);
  SetViewportOrgEx(DC, Org.x + X, Org.y + Y, nullptr);
  RECT R = GetClientRect();
  IntersectClipRect(DC, 0, 0, R.right, R.bottom);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  for (TControl* C : FControls)
    if (auto* W = dynamic_cast<TWinControl*>(C); W && W->GetVisible()) W->PaintTo(DC, W->GetLeft(), W->GetTop());
}

void TWinControl::WMPaint(TMessage& Message) {
  HDC Given = reinterpret_cast<HDC>(Message.WParam);
  bool HasGraphic = false;
  for (TControl* C : FControls)
    if (!dynamic_cast<TWinControl*>(C)) HasGraphic = true;
  if (Given) {
    if (!GetControlState().Contains(csCustomPaint) && !HasGraphic) {
      DefaultHandler(Message);
      return;
    }
    PaintWindow(Given);
    PaintControls(Given, nullptr);
    return;
  }
  if (!FDoubleBuffered && !GetControlState().Contains(csCustomPaint) && !HasGraphic) {
    DefaultHandler(Message);
    return;
  }
  TPaintScope Paint(FHandle);
  HDC DC = Paint.GetDC();
  if (FDoubleBuffered) {
    RECT R = GetClientRect();
    TBufferDC Buffer(DC, R.right, R.bottom);
    HDC Mem = Buffer.GetDC();
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Mem), reinterpret_cast<LPARAM>(Mem));
    PaintWindow(Mem);
    PaintControls(Mem, nullptr);
    BitBlt(DC, 0, 0, R.right, R.bottom, Mem, 0, 0, SRCCOPY);
  } else {
    PaintWindow(DC);
    PaintControls(DC, nullptr);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  // Double-buffered windows erase into the buffer they paint (lParam = that DC).
  if (FDoubleBuffered && Message.WParam != static_cast<WPARAM>(Message.LParam)) {
    Message.Result = 1;
    return;
  }
  RECT R = GetClientRect();
  FillRect(reinterpret_cast<HDC>(Message.WParam), &R, FBrush->GetHandle());
  Message.Result = 1;
}

void TWinControl::WMSetFocus(TMessage& Message) {
  if (TCustomForm* Form = ::GetParentForm(this)) {
    if (!Form->SetFocusedControl(this)) return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message) {
  DefaultHandler(Message);
  UpdateBounds();
  Realign();
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle && LOWORD(Message.LParam) == HTCLIENT) {
    TCursor Cur = Screen ? Screen->GetCursor() : crDefault;
    if (Cur == crDefault) {
      POINT P;
      GetCursorPos(&P);
      P = ScreenToClient(P);
      TControl* C = ControlAtPos(P, false);
      Cur = C ? C->GetCursor() : GetCursor();
      if (Cur == crDefault && C) Cur = GetCursor();
    }
    if (Cur != crDefault && Screen) {
      ::SetCursor(Screen->GetCursors(Cur));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message) {
  TWinControl* C = FindControl(ControlHandle);
  if (!C) return false;
  Message.Result = C->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::CNCtlColor(TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor())));
  SetBkColor(DC, static_cast<COLORREF>(ColorToRGB(FBrush->GetColor())));
  Message.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
}

void TWinControl::ColorChange(TObject*) {}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  POINT P = PointFromLParam(Message.LParam);
  TControl* Target = nullptr;
  TControl* Cap = GetCaptureControl();
  if (Cap && Cap->GetParent() == this) {
    Target = Cap;
  } else if (Cap && Cap != this) {
    return false;
  } else {
    Target = ControlAtPos(P, false);
  }
  if (!Target) return false;
  if (Message.Msg == WM_MOUSEMOVE) {
    TrackMouse();
    SetMouseControl(Target);
  }
  POINT Q{P.x - Target->GetLeft(), P.y - Target->GetTop()};
  Message.Result = Target->Perform(Message.Msg, Message.WParam, PointToLParam(Q));
  return true;
}

void TWinControl::TrackMouse() {
  if (FTrackingMouse || !FHandle) return;
  TRACKMOUSEEVENT T{sizeof T, TME_LEAVE, FHandle, 0};
  if (TrackMouseEvent(&T)) FTrackingMouse = true;
}

void TWinControl::WndProc(TMessage& Message) {
  UINT Msg = Message.Msg;
  if (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL && Msg != WM_MOUSEHWHEEL) {
    if (IsControlMouseMsg(Message)) return;
    if (Msg == WM_MOUSEMOVE) {
      TrackMouse();
      SetMouseControl(this);
    }
  } else if (Msg == WM_MOUSELEAVE) {
    FTrackingMouse = false;
    if (MouseControl == this || (MouseControl && MouseControl->GetParent() == this &&
                                 !dynamic_cast<TWinControl*>(MouseControl)))
      SetMouseControl(nullptr);
  }
  TControl::WndProc(Message);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  WORD Key = static_cast<WORD>(Message.WParam);
  TShiftState Shift = KeyDataToShiftState(Message.LParam);
  TCustomForm* Form = ::GetParentForm(this);
  if (Form && Form != this && Form->GetKeyPreview()) {
    Form->KeyDown(Key, Shift);
    if (Key == 0) return true;
  }
  KeyDown(Key, Shift);
  Message.WParam = Key;
  return Key == 0;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  WORD Key = static_cast<WORD>(Message.WParam);
  TShiftState Shift = KeyDataToShiftState(Message.LParam);
  TCustomForm* Form = ::GetParentForm(this);
  if (Form && Form != this && Form->GetKeyPreview()) {
    Form->KeyUp(Key, Shift);
    if (Key == 0) return true;
  }
  KeyUp(Key, Shift);
  Message.WParam = Key;
  return Key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  // Characters beyond ASCII reach the window unchanged; the event sees ASCII keys.
  if (Message.WParam > 0x7F) return false;
  char Key = static_cast<char>(Message.WParam);
  TCustomForm* Form = ::GetParentForm(this);
  if (Form && Form != this && Form->GetKeyPreview()) {
    Form->KeyPress(Key);
    if (Key == 0) return true;
  }
  KeyPress(Key);
  Message.WParam = static_cast<unsigned char>(Key);
  return Key == 0;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }
void TWinControl::KeyPress(char& Key) { OnKeyPress(this, Key); }
void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

bool TWinControl::IsMenuKey(TMessage& Message) {
  for (TControl* C = this; C; C = C->GetParent()) {
    TPopupMenu* M = C->GetPopupMenu();
    if (M && M->IsShortCut(static_cast<WORD>(Message.WParam), Message.LParam)) return true;
  }
  TCustomForm* Form = ::GetParentForm(this);
  if (Form && Form->IsShortCut(static_cast<WORD>(Message.WParam), Message.LParam)) return true;
  return Application && Application->IsShortCut(static_cast<WORD>(Message.WParam), Message.LParam, Form);
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  if (Message.Msg == CN_KEYDOWN) {
    LRESULT Mask = 0;
    switch (Message.WParam) {
      case VK_TAB: Mask = DLGC_WANTTAB; break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Mask = DLGC_WANTARROWS; break;
      case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: Mask = DLGC_WANTALLKEYS; break;
      default: break;
    }
    if (Mask) {
      if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
      if (Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
          (Perform(WM_GETDLGCODE) & (Mask | DLGC_WANTALLKEYS)) == 0) {
        TCustomForm* Form = ::GetParentForm(this);
        if (Form && Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0) return;
      }
    }
  }
  Message.Result = 0;
}

void TWinControl::UpdateControlState() {
  if (!FHandle) return;
  if (GetVisible())
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  else
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_MOVE:
      DefaultHandler(Message);
      UpdateBounds();
      return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!DoKeyDown(Message)) DefaultHandler(Message);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!DoKeyUp(Message)) DefaultHandler(Message);
      return;
    case WM_CHAR:
      if (!DoKeyPress(Message)) DefaultHandler(Message);
      return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case WM_COMMAND:
      if (Message.LParam && DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) return;
      DefaultHandler(Message);
      return;
    case WM_NOTIFY: {
      auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
      if (Hdr && Hdr->hwndFrom != FHandle && DoControlMsg(Hdr->hwndFrom, Message)) return;
      DefaultHandler(Message);
      return;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Message.LParam && DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) return;
      DefaultHandler(Message);
      return;
    case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORDLG: case WM_CTLCOLORMSGBOX:
      if (DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) return;
      DefaultHandler(Message);
      return;
    case WM_DRAWITEM: {
      auto* DIS = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (DIS && DIS->CtlType != ODT_MENU && DoControlMsg(DIS->hwndItem, Message)) return;
      DefaultHandler(Message);
      return;
    }
    case WM_DELETEITEM: {
      auto* DIS = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
      if (DIS && DoControlMsg(DIS->hwndItem, Message)) return;
      DefaultHandler(Message);
      return;
    }
    case CN_CTLCOLORBTN: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: case CN_CTLCOLORDLG: case CN_CTLCOLORMSGBOX:
      CNCtlColor(Message);
      return;
    case WM_CONTEXTMENU: {
      POINT S = PointFromLParam(Message.LParam);
      if (!(S.x == -1 && S.y == -1) && reinterpret_cast<HWND>(Message.WParam) == FHandle) {
        POINT P = ScreenToClient(S);
        RECT R = GetClientRect();
        if (!PtInRect(&R, P)) {
          DefaultHandler(Message);
          return;
        }
        if (TControl* C = ControlAtPos(P, false); C && C->GetPopupMenu() != GetPopupMenu()) {
          Message.Result = C->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
          if (Message.Result) return;
        }
      }
      TControl::Dispatch(Message);
      return;
    }
    case WM_GETDLGCODE: DefaultHandler(Message); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_ENABLEDCHANGED:
      if (FHandle) EnableWindow(FHandle, GetEnabled());
      NotifyControls(CM_ENABLEDCHANGED);
      Invalidate();
      return;
    case CM_VISIBLECHANGED: UpdateControlState(); return;
    case CM_FONTCHANGED:
      UpdateWindowFont();
      NotifyControls(CM_PARENTFONTCHANGED);
      Invalidate();
      return;
    case CM_COLORCHANGED:
      FBrush->SetColor(GetColor());
      NotifyControls(CM_PARENTCOLORCHANGED);
      Invalidate();
      return;
    case CM_SHOWHINTCHANGED: NotifyControls(CM_PARENTSHOWHINTCHANGED); return;
    case CM_BIDIMODECHANGED:
      NotifyControls(CM_PARENTBIDIMODECHANGED);
      Invalidate();
      return;
    case CM_CTL3DCHANGED:
      NotifyControls(CM_PARENTCTL3DCHANGED);
      if (HandleAllocated()) {
        bool Edge = (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
        bool Border = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_BORDER) != 0;
        if ((Edge || Border) && Edge != FCtl3D) RecreateWnd();
      }
      return;
    case CM_PARENTCTL3DCHANGED:
      if (FParentCtl3D && GetParent()) {
        SetCtl3D(GetParent()->GetCtl3D());
        FParentCtl3D = true;
      }
      return;
    case CM_SYSCOLORCHANGE:
    case CM_WININICHANGE:
      NotifyControls(Message.Msg);
      Invalidate();
      return;
    case CM_CHILDKEY:
      if (GetParent()) Message.Result = GetParent()->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
      return;
    case WM_SYSCOLORCHANGE:
      DefaultHandler(Message);
      NotifyControls(CM_SYSCOLORCHANGE);
      return;
    default: TControl::Dispatch(Message); return;
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) return;
  if (Message.Msg >= CM_BASE && Message.Msg < 0xC000) return;
  Message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg,
                                   Message.WParam, Message.LParam);
}
