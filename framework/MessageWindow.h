// A hidden message-only window of the calling thread, for posting work to that
// thread's message loop (any loop, modal ones included, serves it).
#pragma once

#include <windows.h>

// Registers ClassName with Proc (once per name is enough; later calls reuse it)
// and makes the window; nullptr when the system refuses.
HWND CreateMessageWindow(const wchar_t* ClassName, WNDPROC Proc);
