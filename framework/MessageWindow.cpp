#include "framework/MessageWindow.h"

HWND CreateMessageWindow(const wchar_t* ClassName, WNDPROC Proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = ClassName;
  RegisterClassW(&wc);  // fails harmlessly when already registered
  return CreateWindowExW(0, ClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}
