// Helpers for driving real windows under test: pumping the message loop until
// something happens, posting mouse input, and an application of the test's own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"

// Runs queued messages until Done() holds or TimeoutMs passed; gives Done().
inline bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 3000) {
  DWORD Start = GetTickCount();
  for (;;) {
    Application->ProcessMessages();
    if (Done()) return true;
    if (static_cast<int>(GetTickCount() - Start) > TimeoutMs) return false;
    Sleep(2);
  }
}

inline void Pump() {
  for (int I = 0; I < 3; ++I) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

inline void PostMouse(HWND Wnd, UINT Msg, int X, int Y, WPARAM Keys = 0) {
  PostMessageW(Wnd, Msg, Keys, MAKELPARAM(X, Y));
}

inline void Click(HWND Wnd, int X, int Y) {
  PostMouse(Wnd, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
  PostMouse(Wnd, WM_LBUTTONUP, X, Y);
  Pump();
}

// Presses a key as the keyboard would deliver it to the focused window.
inline void PressKey(WORD Key) {
  HWND Wnd = GetFocus();
  PostMessageW(Wnd, WM_KEYDOWN, Key, 1);
  PostMessageW(Wnd, WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001u));
  Pump();
}

// Holds Ctrl (or other modifiers) in the thread's keyboard state while alive.
class THeldKeys {
public:
  explicit THeldKeys(std::vector<BYTE> Keys) : FKeys(std::move(Keys)) { Set(0x80); }
  ~THeldKeys() { Set(0); }

private:
  void Set(BYTE State) {
    BYTE S[256];
    GetKeyboardState(S);
    for (BYTE K : FKeys) S[K] = State;
    SetKeyboardState(S);
  }
  std::vector<BYTE> FKeys;
};

// A fresh application object for tests that end the loop or need their own main form.
class TTestApplication {
public:
  TTestApplication() : FSaved(Application) { Application = TApplication::Create(nullptr); }
  ~TTestApplication() {
    Free(Application);
    Application = FSaved;
    MSG M;
    while (PeekMessageW(&M, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

private:
  TApplication* FSaved;
};

// The colour of a window's client pixel as it is on screen.
inline COLORREF ScreenPixel(HWND Wnd, int X, int Y) {
  UpdateWindow(Wnd);
  HDC DC = GetDC(Wnd);
  COLORREF C = GetPixel(DC, X, Y);
  ReleaseDC(Wnd, DC);
  return C;
}

// The screen's pixels inside R (screen coordinates), row by row.
inline std::vector<COLORREF> ScreenPixels(const RECT& R) {
  std::vector<COLORREF> Pixels;
  HDC DC = GetDC(nullptr);
  for (int Y = R.top; Y < R.bottom; ++Y)
    for (int X = R.left; X < R.right; ++X) Pixels.push_back(GetPixel(DC, X, Y));
  ReleaseDC(nullptr, DC);
  return Pixels;
}
