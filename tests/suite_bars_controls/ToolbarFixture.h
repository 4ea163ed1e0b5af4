// A manager on a shown form with a real toolbar docked at its top, for driving
// item controls the way the bar windows hold them, with real mouse and keys.
#pragma once

#include <string>

#include "suite/bars/Bars.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItems.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars_painters/PainterFixture.h"

// The press is taken while the button is still down, as a hand's click is.
inline void ClickAtScreen(POINT Screen) {
  MoveTo(Screen);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  Pump();
  SendButton(MOUSEEVENTF_LEFTUP);
  Pump();
}

// A key pressed and released on the keyboard, and what it does.
inline void TapKey(WORD Key) {
  Tap(Key);
  Pump();
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
    MoveTo(Away());
  }
  void TearDown() override {
    if (TCustomdxBarControl* Top = TopActiveBarControl()) Top->CloseBar();
    MoveTo(Away());
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
