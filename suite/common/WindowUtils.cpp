#include "suite/common/WindowUtils.h"

#include <cstdlib>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "suite/common/UnitLifetime.h"

namespace {
using TMonitorFromPoint = HMONITOR(WINAPI*)(POINT, DWORD);
using TGetMonitorInfoA = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
HMODULE User32 = nullptr;
TMonitorFromPoint MonitorFromPointEntry = nullptr;
TGetMonitorInfoA GetMonitorInfoEntry = nullptr;

TSuiteUnit MonitorUnit(
    [] {
      User32 = LoadLibraryW(L"USER32");
      if (!User32) return;
      MonitorFromPointEntry =
          reinterpret_cast<TMonitorFromPoint>(reinterpret_cast<void*>(GetProcAddress(User32, "MonitorFromPoint")));
      GetMonitorInfoEntry =
          reinterpret_cast<TGetMonitorInfoA>(reinterpret_cast<void*>(GetProcAddress(User32, "GetMonitorInfoA")));
    },
    [] {
      MonitorFromPointEntry = nullptr;
      GetMonitorInfoEntry = nullptr;
      if (User32) FreeLibrary(User32);
      User32 = nullptr;
    });
}  // namespace

void ReadCursorPosition(POINT& P) {
  if (!GetCursorPos(&P)) P = POINT{-1, -1};
}

RECT NearestWorkArea(POINT Point) {
  MonitorUnit.Ensure();
  if (MonitorFromPointEntry && GetMonitorInfoEntry) {
    if (HMONITOR Monitor = MonitorFromPointEntry(Point, MONITOR_DEFAULTTONEAREST)) {
      MONITORINFO Info{};
      Info.cbSize = sizeof Info;
      if (GetMonitorInfoEntry(Monitor, &Info)) return Info.rcWork;
    }
  }
  RECT R{0, 0, 0, 0};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &R, 0);
  return R;
}

bool CanGetWindowHandle(TControl* Control) {
  auto* Win = dynamic_cast<TWinControl*>(Control);
  if (!Win) return false;
  if (Win->HandleAllocated()) return true;
  if (Win->GetComponentState().Contains(csDestroying)) return false;
  if (Win->GetParentWindow()) return true;
  if (Win->GetParent()) return CanGetWindowHandle(Win->GetParent());
  return dynamic_cast<TCustomForm*>(Win) && Application && Application->GetHandle();
}

bool IsChildStyleWindow(HWND Window) { return (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD) != 0; }

bool IsSameOrChildWindow(HWND Parent, HWND Window) { return Parent && (Window == Parent || IsChild(Parent, Window)); }

bool IsOwnedBy(HWND Owner, HWND Window) {
  if (!Owner) return false;
  for (HWND W = Window; W; W = GetParent(W))
    if (W == Owner) return true;
  return false;
}

bool IsWindowChainEnabled(HWND Window) {
  if (!IsWindowEnabled(Window)) return false;
  for (HWND W = Window; W && IsChildStyleWindow(W); W = GetParent(W)) {
    HWND Parent = GetParent(W);
    if (Parent && !IsWindowEnabled(Parent)) return false;
  }
  return true;
}

bool IsRunTimeMDIChild(TControl* Control) {
  auto* Form = dynamic_cast<TCustomForm*>(Control);
  return Form && !Form->GetComponentState().Contains(csDesigning) && Form->GetFormStyle() == fsMDIChild;
}

bool IsRunTimeMDIForm(TControl* Control) {
  auto* Form = dynamic_cast<TCustomForm*>(Control);
  return Form && !Form->GetComponentState().Contains(csDesigning) && Form->GetFormStyle() == fsMDIForm;
}

bool IsCtrlPressed() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

wchar_t CharOfVirtualKey(WORD Key) {
  BYTE State[256];
  if (!GetKeyboardState(State)) return 0;
  wchar_t Chars[4] = {};
  UINT Scan = MapVirtualKeyW(Key, MAPVK_VK_TO_VSC);
  int Count = ToUnicode(Key, Scan, State, Chars, 4, 0);
  return Count == 1 ? Chars[0] : 0;
}

void MapPointBetweenWindows(HWND From, HWND To, POINT& P) { MapWindowPoints(From, To, &P, 1); }

void MapRectBetweenWindows(HWND From, HWND To, RECT& R) {
  // One corner at a time: together, a mirrored window would swap them.
  MapWindowPoints(From, To, reinterpret_cast<POINT*>(&R.left), 1);
  MapWindowPoints(From, To, reinterpret_cast<POINT*>(&R.right), 1);
}

RECT QueryClientRect(HWND Window) {
  RECT R;
  return GetClientRect(Window, &R) ? R : RECT{0, 0, 0, 0};
}

RECT QueryWindowRect(HWND Window) {
  RECT R;
  return GetWindowRect(Window, &R) ? R : RECT{0, 0, 0, 0};
}

RECT ControlScreenRect(TWinControl* Control) {
  if (!Control || !Control->HandleAllocated()) return RECT{0, 0, 0, 0};
  return QueryWindowRect(Control->GetHandle());
}

std::string RemoveAccelMarks(const std::string& Caption, bool MarkTrailing) {
  std::string Result;
  Result.reserve(Caption.size());
  for (size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] != '&') {
      Result += Caption[I];
      continue;
    }
    if (I + 1 == Caption.size()) {
      if (MarkTrailing) Result += '_';
      break;
    }
    Result += Caption[++I];
  }
  return Result;
}

std::string DottedNamePath(TComponent* Item) {
  std::string Path;
  for (TComponent* C = Item; C; C = C->GetParentComponent()) Path = Path.empty() ? C->GetName() : C->GetName() + "." + Path;
  return Path;
}

WPARAM ShiftToMouseKeys(TShiftState Shift) {
  WPARAM Keys = 0;
  if (Shift.Contains(ssShift)) Keys |= MK_SHIFT;
  if (Shift.Contains(ssCtrl)) Keys |= MK_CONTROL;
  if (Shift.Contains(ssLeft)) Keys |= MK_LBUTTON;
  if (Shift.Contains(ssRight)) Keys |= MK_RBUTTON;
  if (Shift.Contains(ssMiddle)) Keys |= MK_MBUTTON;
  return Keys;
}

bool InDragDetectArea(POINT Origin, int X, int Y) {
  int Threshold = Mouse->GetDragThreshold();
  return std::abs(X - Origin.x) < Threshold && std::abs(Y - Origin.y) < Threshold;
}

int WaitForDragStart(HWND Window) {
  POINT Start;
  ReadCursorPosition(Start);
  const int Threshold = Mouse->GetDragThreshold();
  const RECT Square{Start.x - Threshold, Start.y - Threshold, Start.x + Threshold, Start.y + Threshold};
  int Result = 2;
  SetCapture(Window);
  while (GetCapture() == Window) {
    MSG Msg;
    int Got = GetMessageW(&Msg, nullptr, 0, 0);
    if (Got <= 0) {
      if (Got == 0) PostQuitMessage(static_cast<int>(Msg.wParam));
      break;
    }
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
    bool Done = false;
    switch (Msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        Done = Msg.wParam == VK_ESCAPE;
        break;
      case WM_MOUSEMOVE:
        if (Msg.hwnd == Window) {
          POINT P{static_cast<short>(LOWORD(Msg.lParam)), static_cast<short>(HIWORD(Msg.lParam))};
          ClientToScreen(Window, &P);
          if (!PtInRect(&Square, P)) {
            Result = 1;
            Done = true;
          }
        }
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        Result = 0;
        Done = true;
        break;
    }
    if (Done) break;
  }
  if (GetCapture() == Window) ReleaseCapture();
  return Result;
}
