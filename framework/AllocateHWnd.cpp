#include "framework/AllocateHWnd.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"

namespace {
const wchar_t kUtilClass[] = L"SonveltUtilWindow";

LRESULT CALLBACK UtilWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* Method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
  if (!Method) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  TMessage M{Msg, WParam, LParam, 0};
  try {
    (*Method)(M);
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  return M.Result;
}

void RegisterUtilClass() {
  static bool Done = [] {
    WNDCLASSW WC{};
    WC.lpfnWndProc = UtilWndProc;
    WC.hInstance = GetModuleHandleW(nullptr);
    WC.lpszClassName = kUtilClass;
    RegisterClassW(&WC);
    return true;
  }();
  (void)Done;
}
}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
  RegisterUtilClass();
  HWND Wnd = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!Wnd) RaiseLastOSError();
  if (Method) SetWindowLongPtrW(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(Method)));
  return Wnd;
}

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd) return;
  auto* Method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
  SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
  DestroyWindow(Wnd);
  delete Method;
}
