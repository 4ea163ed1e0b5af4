// Real mouse and key input for bar-window tests: events sent through SendInput,
// one at a time or as a script fed one event per timer tick, so that the modal
// loops a press starts (dragging, sizing, the close button) see each move.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "tests/framework_controls/UiTestSupport.h"

inline POINT ScreenSize() { return POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

inline INPUT MouseInput(POINT P, DWORD Flags) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  POINT S = ScreenSize();
  In.mi.dx = static_cast<LONG>((P.x * 65535 + S.x / 2) / (S.x - 1));
  In.mi.dy = static_cast<LONG>((P.y * 65535 + S.y / 2) / (S.y - 1));
  In.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return In;
}

// A button event (MOUSEEVENTF_LEFTDOWN and so on) where the pointer already is.
inline INPUT ButtonInput(DWORD Flags) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dwFlags = Flags;
  return In;
}

inline INPUT KeyInput(WORD Key, bool Down) {
  INPUT In{};
  In.type = INPUT_KEYBOARD;
  In.ki.wVk = Key;
  In.ki.dwFlags = Down ? 0 : KEYEVENTF_KEYUP;
  return In;
}

inline void SendMouse(POINT P, DWORD Flags) {
  INPUT In = MouseInput(P, Flags);
  SendInput(1, &In, sizeof(INPUT));
}

inline void MoveTo(POINT P) {
  SendMouse(P, 0);
  Pump();
}

// Without pumping, for steps that run inside a modal loop.
inline void SendButton(DWORD Flags) {
  INPUT In = ButtonInput(Flags);
  SendInput(1, &In, sizeof(INPUT));
}

// A press and a release of the left (or right) button at P.
inline void ClickAt(POINT P, bool Right = false) {
  MoveTo(P);
  INPUT In[2] = {ButtonInput(Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                 ButtonInput(Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
  SendInput(2, In, sizeof(INPUT));
  Pump();
}

inline POINT CentreOf(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

// Runs messages for Ms milliseconds: the time a hover or a timer needs.
inline void Wait(int Ms) {
  DWORD Start = GetTickCount();
  PumpUntil([&] { return static_cast<int>(GetTickCount() - Start) >= Ms; }, Ms + 1000);
}

inline void SendKey(WORD Key, bool Down) {
  INPUT In = KeyInput(Key, Down);
  SendInput(1, &In, sizeof(INPUT));
}

// A press and a release, not yet pumped: callers holding a modifier send more first.
inline void Tap(WORD Key) {
  SendKey(Key, true);
  SendKey(Key, false);
}

struct TInputScript {
  static inline std::vector<INPUT> Queue;
  static inline size_t Next = 0;
  // Looks at the windows at each tick, before the tick's event is sent.
  static inline std::function<void()> OnTick;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (OnTick) OnTick();
    if (Next < Queue.size()) SendInput(1, &Queue[Next++], sizeof(INPUT));
  }
  static void Run(std::vector<INPUT> Events) {
    Queue = std::move(Events);
    Next = 0;
    UINT_PTR Timer = SetTimer(nullptr, 0, 15, &Tick);
    DWORD Start = GetTickCount();
    while (Next < Queue.size() && GetTickCount() - Start < 5000) {
      Pump();
      Sleep(5);
    }
    KillTimer(nullptr, Timer);
    Pump();
    Sleep(30);
    Pump();
  }
};

// A press at From, moves along Path and a release at its end.
inline void DragAlong(POINT From, std::vector<POINT> Path) {
  MoveTo(From);
  std::vector<INPUT> Events{MouseInput(From, MOUSEEVENTF_LEFTDOWN)};
  for (POINT P : Path) Events.push_back(MouseInput(P, 0));
  Events.push_back(MouseInput(Path.back(), MOUSEEVENTF_LEFTUP));
  TInputScript::Run(Events);
}
