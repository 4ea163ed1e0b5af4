// In-place edits and combos on a toolbar docked on the form, driven by keys and
// clicks posted to the focused window: which ways of leaving store the text,
// long text, and how combos open and step through their entries.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarDropDownListBox.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars_controls/ToolbarFixture.h"

namespace {
// A key pressed with Alt held down on the keyboard.
void PressAltKey(WORD Key) {
  SendKey(VK_MENU, true);
  Tap(Key);
  SendKey(VK_MENU, false);
  Pump();
}

struct TOpenCounter {
  int Count = 0;
  void Opened(TObject*) { ++Count; }
};

// Lower-case letters, typed on the keyboard.
void TypeText(const std::string& Text) {
  for (char Ch : Text) Tap(static_cast<WORD>(Ch - 'a' + 'A'));
  Pump();
}
}  // namespace

struct InPlaceEditFixture : ToolbarFixture {
  HWND Other = nullptr;

  void SetUp() override {
    ToolbarFixture::SetUp();
    // A window of the form's own that a click can move the focus to.
    Other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 200, 100, 24, Form->GetHandle(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override {
    DestroyWindow(Other);
    ToolbarFixture::TearDown();
  }

  template <class T>
  T* AddEdit(const std::string& Text) {
    T* Item = AddToBar<T>("Name");
    Item->SetText(Text);
    return Item;
  }
  // Starts editing the toolbar's first control with a click.
  TdxBarEditControl* StartEditing() {
    auto* C = static_cast<TdxBarEditControl*>(BarControlOf(0));
    C->Click(true);
    // The click's button comes up in the editor, which took the press.
    if (HWND Capture = GetCapture()) PostMessageW(Capture, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    Pump();
    return C;
  }
  // Clicks the other window, each time at another point so that no two clicks make a double click.
  void ClickAway() {
    RECT R{};
    GetWindowRect(Other, &R);
    ClickAtScreen(POINT{R.left + 5 + 20 * (Clicks++ % 4), R.top + 5});
  }
  int Clicks = 0;
};

// Enter and Tab store the typed text; Esc and a click away (without
// AlwaysSaveText) never do; with AlwaysSaveText the click away stores it. The
// keyboard focus goes back to the window that had it before the edit.
TEST_F(InPlaceEditFixture, WaysOfLeavingAnEdit) {
  struct Case {
    const char* Name;
    bool AlwaysSaveText;
    std::function<void(InPlaceEditFixture&)> Leave;
    bool Stored;
  };
  const Case Cases[] = {
      {"Enter", false, [](InPlaceEditFixture&) { TapKey(VK_RETURN); }, true},
      {"Tab", false, [](InPlaceEditFixture&) { TapKey(VK_TAB); }, true},
      {"Esc", false, [](InPlaceEditFixture&) { TapKey(VK_ESCAPE); }, false},
      {"Esc, AlwaysSaveText", true, [](InPlaceEditFixture&) { TapKey(VK_ESCAPE); }, false},
      {"click away", false, [](InPlaceEditFixture& F) { F.ClickAway(); }, false},
      {"click away, AlwaysSaveText", true, [](InPlaceEditFixture& F) { F.ClickAway(); }, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    M->SetAlwaysSaveText(C.AlwaysSaveText);
    TdxBarEdit* Item = AddEdit<TdxBarEdit>("old");
    SetFocus(Other);
    TdxBarEditControl* Control = StartEditing();
    ASSERT_TRUE(Control->IsFocused());
    ASSERT_EQ(Control->InnerWindow(), GetFocus());
    TypeText("new");
    C.Leave(*this);
    EXPECT_FALSE(Control->IsFocused());
    EXPECT_EQ(C.Stored ? "new" : "old", Item->GetText());
    EXPECT_EQ(Other, GetFocus());
    Free(Item);
  }
}

// A text longer than the window's read-back used to allow arrives whole.
TEST_F(InPlaceEditFixture, LongTextSurvives) {
  TdxBarEdit* Item = AddEdit<TdxBarEdit>("");
  TdxBarEditControl* Control = StartEditing();
  std::string Long;
  for (int I = 0; I < 300; ++I) Long += static_cast<char>('a' + I % 26);
  SetWindowTextW(Control->InnerWindow(), std::wstring(Long.begin(), Long.end()).c_str());
  TapKey(VK_RETURN);
  EXPECT_EQ(Long, Item->GetText());
}

// F4 and Alt+Down open a combo's list and close it again; a read-only combo never opens.
TEST_F(InPlaceEditFixture, ComboOpensByKeyUnlessReadOnly) {
  for (bool ReadOnly : {false, true}) {
    SCOPED_TRACE(ReadOnly ? "read-only" : "editable");
    TdxBarCombo* Combo = AddEdit<TdxBarCombo>("");
    Combo->GetItems()->Add("one");
    Combo->GetItems()->Add("two");
    Combo->SetReadOnly(ReadOnly);
    TOpenCounter Opened;
    Combo->OnDropDown = Bind(&Opened, &TOpenCounter::Opened);
    auto* Control = static_cast<TCustomdxBarComboControl*>(StartEditing());
    TapKey(VK_F4);
    EXPECT_EQ(!ReadOnly, Control->GetDroppedDown());
    TapKey(VK_F4);
    EXPECT_FALSE(Control->GetDroppedDown());
    PressAltKey(VK_DOWN);
    EXPECT_EQ(!ReadOnly, Control->GetDroppedDown());
    EXPECT_EQ(ReadOnly ? 0 : 2, Opened.Count);
    TapKey(VK_ESCAPE);
    Free(Combo);
  }
}

// Closed, Down shows the next entry in the edit; the item's ItemIndex follows
// only on Enter or Tab, and Esc leaves it.
TEST_F(InPlaceEditFixture, ComboDownShowsTheNextEntryAndEnterOrTabChoosesIt) {
  for (WORD Leave : {WORD(VK_RETURN), WORD(VK_TAB), WORD(VK_ESCAPE)}) {
    SCOPED_TRACE(Leave);
    TdxBarCombo* Combo = AddEdit<TdxBarCombo>("");
    for (const char* S : {"one", "two", "three"}) Combo->GetItems()->Add(S);
    Combo->SetItemIndex(0);
    TdxBarEditControl* Control = StartEditing();
    TapKey(VK_DOWN);
    auto Text = [&] {
      wchar_t Buf[32]{};
      GetWindowTextW(Control->InnerWindow(), Buf, 32);
      return std::wstring(Buf);
    };
    EXPECT_EQ(L"two", Text());
    EXPECT_EQ(0, Combo->GetItemIndex());
    TapKey(VK_DOWN);
    EXPECT_EQ(L"three", Text());
    EXPECT_EQ(0, Combo->GetItemIndex());
    TapKey(Leave);
    EXPECT_EQ(Leave == VK_ESCAPE ? 0 : 2, Combo->GetItemIndex());
    Free(Combo);
  }
}

namespace {
// Records the roots that menu mode was entered on.
class TMenuModeSpy : public TdxBarNavigationController {
public:
  std::vector<TdxBarAccessibilityHelper*> Roots;
  std::vector<std::pair<WORD, bool>> Keys;  // the key and whether Shift was down
  void SelectRootDefault(TdxBarAccessibilityHelper* Root) override { Roots.push_back(Root); }
  void DispatchNavigationKey(WORD Key, TShiftState Shift, TdxBarAccessibilityHelper*,
                             TdxBarAccessibilityHelper*) override {
    Keys.emplace_back(Key, Shift.Contains(ssShift));
  }
};
}  // namespace

// F10 or Alt alone typed into an edit enters the main menu's menu mode, as it
// does anywhere on the form: whether the edit was clicked or its toolbar was
// entered by the keyboard, which makes the toolbar the manager's focused bar
// window until it closes.
TEST_F(InPlaceEditFixture, F10InAnEditEntersMenuMode) {
  TdxBar* MainMenu = M->GetBars()->Add();
  MainMenu->SetIsMainMenu(true);
  MainMenu->SetDockingStyle(dsTop);
  MainMenu->SetVisible(true);
  SetForegroundWindow(Form->GetHandle());
  for (auto [Key, ByKeyboard] : {std::pair{WORD(VK_F10), false}, std::pair{WORD(VK_F10), true},
                                 std::pair{WORD(VK_MENU), false}, std::pair{WORD(VK_MENU), true}}) {
    SCOPED_TRACE(std::string(Key == VK_F10 ? "F10, " : "Alt, ") + (ByKeyboard ? "entered by the keyboard" : "clicked"));
    TdxBarEdit* Item = AddEdit<TdxBarEdit>("text");
    TdxBarEditControl* Control = nullptr;
    if (ByKeyboard) {
      Control = static_cast<TdxBarEditControl*>(BarControlOf(0));
      Item->FocusEditor();
      Pump();
      EXPECT_EQ(Window(), M->GetFocusedBarControl());
    } else {
      Control = StartEditing();
      EXPECT_EQ(nullptr, M->GetFocusedBarControl());
    }
    ASSERT_EQ(Control->InnerWindow(), GetFocus());
    TMenuModeSpy Spy;
    TdxBarNavigationController* Saved = ReplaceBarNavigationController(&Spy);
    TapKey(Key);
    PumpUntil([&] { return !Spy.Roots.empty(); }, 1000);
    ReplaceBarNavigationController(Saved);
    ASSERT_EQ(1u, Spy.Roots.size());
    EXPECT_EQ(M->MainMenuBarControl()->GetIAccessibilityHelper(), Spy.Roots[0]);
    EXPECT_EQ(nullptr, M->GetFocusedBarControl()) << "the edit's toolbar closed";
    Free(Item);
  }
}

// Tab and Shift+Tab in an edit store the text and go on to the bar navigation,
// which moves to the next or previous control.
TEST_F(InPlaceEditFixture, TabInAnEditGoesToTheNavigation) {
  for (bool Shift : {false, true}) {
    SCOPED_TRACE(Shift ? "Shift+Tab" : "Tab");
    TdxBarEdit* Item = AddEdit<TdxBarEdit>("old");
    StartEditing();
    TypeText("new");
    TMenuModeSpy Spy;
    TdxBarNavigationController* Saved = ReplaceBarNavigationController(&Spy);
    if (Shift) SendKey(VK_SHIFT, true);
    TapKey(VK_TAB);
    if (Shift) SendKey(VK_SHIFT, false);
    Pump();
    ReplaceBarNavigationController(Saved);
    EXPECT_EQ((std::vector<std::pair<WORD, bool>>{{WORD(VK_TAB), Shift}}), Spy.Keys);
    EXPECT_EQ("new", Item->GetText());
    Free(Item);
  }
}

namespace {
// The screen point in the middle of entry Index of an open list.
POINT EntryCentre(HWND List, int Index) {
  RECT R{};
  SendMessageW(List, LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&R));
  POINT P{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  ClientToScreen(List, &P);
  return P;
}
}  // namespace

struct ComboListFixture : InPlaceEditFixture {
  TdxBarCombo* Combo = nullptr;
  TCustomdxBarComboControl* Control = nullptr;

  void SetUp() override {
    InPlaceEditFixture::SetUp();
    SetForegroundWindow(Form->GetHandle());
    Combo = AddEdit<TdxBarCombo>("");
    for (const char* S : {"one", "two", "three", "four"}) Combo->GetItems()->Add(S);
    Control = static_cast<TCustomdxBarComboControl*>(StartEditing());
  }
  void TearDown() override {
    if (IsLeftButtonDown()) SendButton(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return !IsLeftButtonDown(); }, 1000);
    Free(Combo);
    InPlaceEditFixture::TearDown();
  }
  HWND List() const { return Combo->GetListBox()->HandleAllocated() ? Combo->GetListBox()->GetHandle() : nullptr; }
  // The left button goes down on the combo's button and opens the list, as the press does.
  void PressOnButton() {
    RECT Button = Control->PartRect(3);
    POINT At = OnScreen(Control, POINT{(Button.left + Button.right) / 2, (Button.top + Button.bottom) / 2});
    SendMouse(At, 0);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([] { return GetKeyState(VK_LBUTTON) < 0; }, 1000));
    Control->SetDroppedDown(true);
    ASSERT_TRUE(List() && IsWindowVisible(List()));
  }
};

// The list is a topmost tool window owned by the combo's form, and it
// never takes the keyboard focus from the combo's edit.
TEST_F(ComboListFixture, ListFloatsWithoutTakingTheFocus) {
  Control->SetDroppedDown(true);
  ASSERT_TRUE(List() && IsWindowVisible(List()));
  LONG_PTR Ex = GetWindowLongPtrW(List(), GWL_EXSTYLE);
  EXPECT_TRUE(Ex & WS_EX_TOPMOST);
  EXPECT_TRUE(Ex & WS_EX_TOOLWINDOW);
  EXPECT_EQ(Form->GetHandle(), GetWindow(List(), GW_OWNER));
  EXPECT_EQ(Control->InnerWindow(), GetFocus());
  // Four entries, fewer than DropDownCount: no scroll bar, every entry shown.
  RECT Last{};
  SendMessageW(List(), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&Last));
  RECT Client{};
  GetClientRect(List(), &Client);
  EXPECT_LE(Last.bottom, Client.bottom);
  // The combo's list draws its entries: the selected one in the highlight colour.
  Combo->GetListBox()->SetListIndex(1);
  RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  Pump();
  RECT Entry{};
  SendMessageW(List(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Entry));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), ScreenPixel(List(), Entry.right - 3, Entry.top + 1));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), ScreenPixel(List(), Last.right - 3, Last.top + 1));
}

// Press on the button, drag into the list and release over an entry: that entry
// is chosen and the list closes.
TEST_F(ComboListFixture, PressDragReleaseChoosesTheEntry) {
  PressOnButton();
  EXPECT_TRUE(Combo->GetListBox()->GetDragSelecting());
  EXPECT_EQ(List(), GetCapture());
  SendMouse(EntryCentre(List(), 1), 0);
  Pump();
  SendMouse(EntryCentre(List(), 2), 0);
  ASSERT_TRUE(PumpUntil([&] { return Combo->GetListBox()->GetListIndex() == 2; }, 1000));
  EXPECT_EQ(-1, Combo->GetItemIndex());
  SendButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return Combo->GetItemIndex() == 2; }, 1000));
  EXPECT_EQ("three", Combo->GetText());
  PumpUntil([&] { return !IsWindowVisible(List()); }, 500);
  EXPECT_FALSE(IsWindowVisible(List()));
  EXPECT_FALSE(Control->GetDroppedDown());
}

// Released outside the list, the press only ends: the list stays open, nothing
// is chosen, and a later move over it only highlights an entry.
TEST_F(ComboListFixture, ReleaseOutsideKeepsTheListOpen) {
  PressOnButton();
  RECT R{};
  GetWindowRect(List(), &R);
  SendMouse(POINT{R.right + 40, R.bottom + 40}, 0);
  Pump();
  SendButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([] { return GetKeyState(VK_LBUTTON) >= 0; }, 1000));
  Pump();
  EXPECT_NE(List(), GetCapture());
  EXPECT_FALSE(Combo->GetListBox()->GetDragSelecting());
  EXPECT_TRUE(IsWindowVisible(List()));
  EXPECT_EQ(-1, Combo->GetItemIndex());
  SendMouse(EntryCentre(List(), 3), 0);
  ASSERT_TRUE(PumpUntil([&] { return Combo->GetListBox()->GetListIndex() == 3; }, 1000));
  EXPECT_EQ(-1, Combo->GetItemIndex());
}

// A release that finds the combo without an active link (its control went while
// the list was open) still chooses the entry instead of touching a missing link.
TEST_F(ComboListFixture, ReleaseWithoutAnActiveLinkStillChooses) {
  Control->SetDroppedDown(true);
  HWND Wnd = List();
  ASSERT_TRUE(Wnd);
  Combo->GetListBox()->SetListIndex(1);
  Control->ControlInactivate(true);
  ASSERT_EQ(nullptr, Combo->GetActiveLink());
  SendMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(1, Combo->GetItemIndex());
}
