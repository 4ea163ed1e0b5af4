// A manager on a shown form with a real toolbar docked at its top, for driving
// item controls the way the bar windows hold them, with real mouse and keys.
#pragma once

#include <string>

#include "suite/bars/Bars.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItems.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/suite_bars_painters/PainterFixture.h"

// Mouse input as the device gives it; a move goes to a screen point.
inline void SendMouse(DWORD Flags, POINT Screen = {}) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dwFlags = Flags;
  if (Flags & MOUSEEVENTF_MOVE) {
    // Absolute moves are in 0..65535 over the primary screen.
    In.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    In.mi.dx = MulDiv(Screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    In.mi.dy = MulDiv(Screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  }
  SendInput(1, &In, sizeof(In));
}

inline void MouseTo(POINT Screen) {
  SendMouse(MOUSEEVENTF_MOVE, Screen);
  Pump();
}

// The press is taken while the button is still down, as a hand's click is.
inline void ClickAtScreen(POINT Screen) {
  MouseTo(Screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Pump();
  SendMouse(MOUSEEVENTF_LEFTUP);
  Pump();
}

// A key pressed and released on the keyboard.
inline void TapKey(WORD Key) {
  INPUT In[2]{};
  for (INPUT& I : In) {
    I.type = INPUT_KEYBOARD;
    I.ki.wVk = Key;
  }
  In[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, In, sizeof(INPUT));
  Pump();
}

// Runs messages for Ms milliseconds.
inline void PumpFor(int Ms) {
  DWORD Start = GetTickCount();
  PumpUntil([&] { return static_cast<int>(GetTickCount() - Start) >= Ms; }, Ms + 1000);
}

struct ToolbarFixture : PainterFixture {
  TdxBar* Bar = nullptr;

  void SetUp() override {
    PainterFixture::SetUp();
    M->SetMenuAnimations(maNone);
    Bar = M->GetBars()->Add();
    Bar->SetDockingStyle(dsTop);
    Bar->SetVisible(true);
    SetForegroundWindow(Form->GetHandle());
    MouseTo(Away());
  }
  void TearDown() override {
    if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
    MouseTo(Away());
    PainterFixture::TearDown();
  }

  TCustomdxBarControl* Window() { return Bar->GetItemLinks()->GetBarControl(); }
  // A screen point off the form and every bar window.
  static POINT Away() { return POINT{900, 800}; }

  template <class T>
  T* AddTo(TdxBarItemLinks* Links, const std::string& Caption) {
    T* Item = T::Create(Form);
    Item->SetCaption(Caption);
    Links->AddItem(Item);
    return Item;
  }
  template <class T>
  T* AddToBar(const std::string& Caption) {
    return AddTo<T>(Bar->GetItemLinks(), Caption);
  }
  // The live control of the bar's shown link Index, once the window has laid it out.
  TdxBarItemControl* BarControlOf(int Index) {
    Pump();
    TdxBarItemLink* Link = Bar->GetItemLinks()->GetShownLink(Index);
    return Link ? Link->GetControl() : nullptr;
  }
  // The screen point of a point inside a control, in its window's client.
  static POINT OnScreen(TdxBarItemControl* C, POINT Client) { return C->GetParent()->ClientToScreen(Client); }
  static POINT CentreOf(TdxBarItemControl* C) {
    RECT R = C->GetParent()->ItemScreenRect(C);
    return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }
  // The open menu window of a sub-item, null while closed.
  static TCustomdxBarControl* MenuOf(TCustomdxBarSubItem* S) {
    TCustomdxBarControl* W = S->GetItemLinks()->GetBarControl();
    return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle()) ? W : nullptr;
  }
};
