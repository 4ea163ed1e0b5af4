// The sub-menu editor: a caption bar that opens a sub-item's menu right below it
// while the manager customizes, drags the menu along, cannot be resized, closes
// with its close button, goes with its sub-item or with customizing mode, and
// opens the menu when a customizing drag passes over its caption.
#include <gtest/gtest.h>

#include <string>

#include "framework/Messages.h"
#include "framework/PageControl.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarCustomizationForm.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarSubMenuEditor.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {

struct SubMenuEditorFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBarSubItem* File = nullptr;
  TdxBarSubItem* Edit = nullptr;
  TdxBarButton* Print = nullptr;

  void AddControls() override {
    M = NewManager();
    M->SetHideFloatingBarsWhenInactive(false);
    TdxBar* Standard = M->GetBars()->Add();
    Standard->SetCaption("Standard");
    Standard->SetDockingStyle(dsTop);
    Standard->SetVisible(true);
    File = Item<TdxBarSubItem>("File");
    Edit = Item<TdxBarSubItem>("Edit");
    Print = Item<TdxBarButton>("Print");
    File->GetItemLinks()->AddItem(Item<TdxBarButton>("Open"));
    File->GetItemLinks()->AddItem(Item<TdxBarButton>("Save"));
    Edit->GetItemLinks()->AddItem(Item<TdxBarButton>("Cut"));
    Standard->GetItemLinks()->AddItem(File);
    Standard->GetItemLinks()->AddItem(Print);
  }
  void TearDown() override {
    if (M->IsCustomizing()) M->SetCustomizing(false);
    Free(M);
    BarFormFixture::TearDown();
  }
  template <class T>
  T* Item(const char* Caption) {
    T* I = T::Create(M);
    I->SetCaption(Caption);
    return I;
  }
  // Opens the editor for File's menu and moves it clear of the other windows.
  TdxBarSubMenuEditor* Open(TdxBarSubItem* Sub = nullptr) {
    ShowSubMenuEditor((Sub ? Sub : File)->GetItemLinks());
    Pump();
    TdxBarSubMenuEditor* E = ActiveSubMenuEditorForm();
    if (E) E->SetBounds(560, 80, E->GetWidth(), E->GetHeight());
    Pump();
    return E;
  }
  static RECT WindowRect(HWND W) { return QueryWindowRect(W); }
  bool MenuShown(TdxBarSubItem* Sub = nullptr) {
    TCustomdxBarControl* W = (Sub ? Sub : File)->GetItemLinks()->GetBarControl();
    return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle());
  }
  HWND MenuWindow() { return File->GetItemLinks()->GetBarControl()->GetHandle(); }
  // The menu hangs from the editor's bottom edge at its left, as wide as the editor.
  void ExpectMenuBelow(TdxBarSubMenuEditor* E) {
    ASSERT_TRUE(MenuShown());
    RECT Ed = WindowRect(E->GetHandle()), Menu = WindowRect(MenuWindow());
    EXPECT_EQ(Ed.left, Menu.left);
    EXPECT_EQ(Ed.bottom, Menu.top);
    EXPECT_EQ(Ed.right - Ed.left, Menu.right - Menu.left);
  }
  // A point of the caption bar that hits Part.
  static POINT CaptionPart(HWND W, LRESULT Part) {
    RECT R = WindowRect(W);
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.right - 1; X >= R.left; --X)
        if (SendMessageW(W, WM_NCHITTEST, 0, MAKELPARAM(X, Y)) == Part) {
          // The middle of the run of that part on this row.
          int Left = X;
          while (Left > R.left && SendMessageW(W, WM_NCHITTEST, 0, MAKELPARAM(Left - 1, Y)) == Part) --Left;
          return POINT{(Left + X) / 2, Y + 3};
        }
    return POINT{-1, -1};
  }
};

TEST_F(SubMenuEditorFixture, OpensTheMenuBelowItsCaptionWhileTheManagerCustomizes) {
  TdxBarSubMenuEditor* E = Open();
  ASSERT_NE(nullptr, E);
  EXPECT_TRUE(M->IsCustomizing());
  auto* Customize = dynamic_cast<TdxBarCustomizationForm*>(ActiveCustomizationForm());
  ASSERT_NE(nullptr, Customize);
  EXPECT_EQ(Customize->tsItems, Customize->PageControl->GetActivePage()) << "the commands page is shown";

  HWND W = E->GetHandle();
  EXPECT_EQ(W, ActiveSubMenuEditor());
  EXPECT_EQ("Bars SubMenu Editor", E->GetCaption());
  EXPECT_EQ(100, E->GetTag());
  EXPECT_EQ(0, E->GetClientHeight()) << "only the caption bar shows";
  const DWORD Style = static_cast<DWORD>(GetWindowLongPtrW(W, GWL_STYLE));
  EXPECT_EQ(DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU), Style & (WS_POPUP | WS_CAPTION | WS_SYSMENU));
  EXPECT_EQ(0u, Style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_NE(0u, static_cast<DWORD>(GetWindowLongPtrW(W, GWL_EXSTYLE)) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(GetWindow(Customize->GetHandle(), GW_OWNER), GetWindow(W, GW_OWNER));
  ExpectMenuBelow(E);

  // Its size is fixed to the menu's width and its own height.
  RECT R = WindowRect(W);
  MINMAXINFO Info{};
  SendMessageW(W, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&Info));
  EXPECT_EQ(R.right - R.left, Info.ptMinTrackSize.x);
  EXPECT_EQ(Info.ptMinTrackSize.x, Info.ptMaxTrackSize.x);
  EXPECT_EQ(R.bottom - R.top, Info.ptMinTrackSize.y);
  EXPECT_EQ(Info.ptMinTrackSize.y, Info.ptMaxTrackSize.y);

  // There is one editor: another sub-item's menu takes the place of the first.
  EXPECT_EQ(E, Open(Edit));
  EXPECT_FALSE(MenuShown());
  EXPECT_TRUE(MenuShown(Edit));
}

TEST_F(SubMenuEditorFixture, MovingTheCaptionDragsTheMenuAlong) {
  TdxBarSubMenuEditor* E = Open();
  ASSERT_NE(nullptr, E);
  ASSERT_TRUE(MenuShown());
  RECT Before = WindowRect(E->GetHandle());
  POINT Caption = CaptionPart(E->GetHandle(), HTCAPTION);
  DragAlong(Caption, {POINT{Caption.x - 30, Caption.y + 20}, POINT{Caption.x - 60, Caption.y + 40}});
  Pump();
  RECT After = WindowRect(E->GetHandle());
  EXPECT_EQ(Before.left - 60, After.left);
  EXPECT_EQ(Before.top + 40, After.top);
  ExpectMenuBelow(E);
}

TEST_F(SubMenuEditorFixture, ThePressOnTheCaptionReopensTheMenuAndTheCloseButtonEndsIt) {
  TdxBarSubMenuEditor* E = Open();
  ASSERT_NE(nullptr, E);
  HWND W = E->GetHandle();
  File->GetItemLinks()->GetBarControl()->CloseBar();
  Pump();
  ASSERT_FALSE(MenuShown());
  POINT Caption = CaptionPart(W, HTCAPTION);
  ClickAt(Caption);
  EXPECT_TRUE(PumpUntil([&] { return MenuShown(); })) << "a press on the caption opens the menu again";
  ExpectMenuBelow(E);

  POINT Close = CaptionPart(W, HTCLOSE);
  ASSERT_NE(-1, Close.x);
  ClickAt(Close);
  EXPECT_TRUE(PumpUntil([&] { return ActiveSubMenuEditor() == nullptr; }));
  EXPECT_FALSE(IsWindow(W));
  EXPECT_FALSE(MenuShown());
  EXPECT_TRUE(M->IsCustomizing()) << "customizing goes on";
}

TEST_F(SubMenuEditorFixture, GoesWithItsSubItemAndWithCustomizingMode) {
  struct {
    const char* Label;
    bool FreeSubItem;
  } Cases[] = {{"the sub-item is freed", true}, {"customizing ends", false}};
  for (auto& C : Cases) {
    SCOPED_TRACE(C.Label);
    TdxBarSubMenuEditor* E = Open(Edit);
    ASSERT_NE(nullptr, E);
    ASSERT_TRUE(MenuShown(Edit));
    HWND W = E->GetHandle();
    if (C.FreeSubItem) {
      Free(Edit);
      Edit = nullptr;
    } else {
      M->SetCustomizing(false);
    }
    EXPECT_TRUE(PumpUntil([&] { return ActiveSubMenuEditorForm() == nullptr; }));
    EXPECT_FALSE(IsWindow(W));
    if (!Edit) Edit = Item<TdxBarSubItem>("Edit");
  }
}

TEST_F(SubMenuEditorFixture, ACustomizingDragOverTheCaptionOpensTheMenuForWhatItMayHold) {
  TdxBarSubMenuEditor* E = Open();
  ASSERT_NE(nullptr, E);
  const POINT Caption = CaptionPart(E->GetHandle(), HTCAPTION);
  struct {
    const char* Label;
    TdxBarItem* Dragged;
    bool Opens;
  } Cases[] = {{"a button", Print, true}, {"the sub-item itself", File, false}};
  for (auto& C : Cases) {
    SCOPED_TRACE(C.Label);
    File->GetItemLinks()->GetBarControl()->CloseBar();
    Pump();
    ASSERT_FALSE(MenuShown());
    bool OpenedDuringDrag = false;
    // The button is held down (on the manager's form, disabled while customizing)
    // as the drag begins; the drag runs its own loop, so the moves come from a
    // timer inside it, and Esc ends it without a drop.
    MoveTo(Form->ClientToScreen(POINT{390, 290}));
    SendButton(MOUSEEVENTF_LEFTDOWN);
    Pump();
    TInputScript::Queue = {MouseInput(POINT{Caption.x, Caption.y + 1}, 0), MouseInput(Caption, 0),
                           MouseInput(POINT{Caption.x + 1, Caption.y}, 0), KeyInput(VK_ESCAPE, true),
                           KeyInput(VK_ESCAPE, false)};
    TInputScript::Next = 0;
    TInputScript::OnTick = [&] { OpenedDuringDrag = OpenedDuringDrag || MenuShown(); };
    UINT_PTR Timer = SetTimer(nullptr, 0, 30, &TInputScript::Tick);
    M->DragItemOrLink(C.Dragged, nullptr);
    KillTimer(nullptr, Timer);
    TInputScript::OnTick = nullptr;
    SendButton(MOUSEEVENTF_LEFTUP);
    Pump();
    EXPECT_EQ(C.Opens, OpenedDuringDrag || MenuShown());
  }
}

}  // namespace
