// AllocateHWnd: a hidden top-level window whose messages go to a method. Not a
// message-only window, so that it also hears the broadcasts (WM_SETTINGCHANGE,
// WM_THEMECHANGED, WM_SYSCOLORCHANGE). Messages the method leaves with Result 0
// and does not handle should be passed to DefWindowProc by the method itself.
#pragma once

#include <windows.h>

#include "framework/ControlTypes.h"

HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
