// Alt, F10 and item shortcuts typed on a form whose manager has a main menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Menus.h"
#include "framework/Panel.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars/BarRealInput.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
// Records the roots that menu mode was entered on.
class TRootSpy : public TdxBarNavigationController {
public:
  std::vector<TdxBarAccessibilityHelper*> Roots;
  void SelectRootDefault(TdxBarAccessibilityHelper* Root) override { Roots.push_back(Root); }
};

void SendKeys(std::initializer_list<std::pair<WORD, bool>> Keys) {
  std::vector<INPUT> In;
  for (auto [Key, Down] : Keys) In.push_back(KeyInput(Key, Down));
  SendInput(static_cast<UINT>(In.size()), In.data(), sizeof(INPUT));
  Pump();
}

struct BarMenuKeyFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Menu = nullptr;
  TRootSpy* Spy = nullptr;
  TdxBarNavigationController* Saved = nullptr;
  std::vector<std::string> Clicked;

  void SetUp() override {
    BarFormFixture::SetUp();
    M = NewManager();
    Menu = M->GetBars()->Add();
    Menu->SetCaption("Menu");
    Menu->SetIsMainMenu(true);
    Menu->SetDockingStyle(dsTop);
    Menu->SetVisible(true);
    Spy = new TRootSpy;
    Saved = ReplaceBarNavigationController(Spy);
    SetForegroundWindow(Form->GetHandle());
    SetFocus(Form->GetHandle());
    Pump();
  }
  void TearDown() override {
    Free(M);
    ReplaceBarNavigationController(Saved);
    delete Spy;
    BarFormFixture::TearDown();
  }
  TdxBarAccessibilityHelper* MenuRoot() { return M->MainMenuBarControl()->GetIAccessibilityHelper(); }
  TdxBarButton* Button(const std::string& Name, TShortCut ShortCut, TdxBar* Bar, TComponent* Owner = nullptr) {
    TdxBarButton* B = TdxBarButton::Create(Owner ? Owner : Form);
    B->SetName(Name);
    B->SetShortCut(ShortCut);
    B->OnClick = TNotifyEvent(this, &BarMenuKeyFixture::ItemClicked);
    Bar->GetItemLinks()->AddItem(B);
    return B;
  }
  void ItemClicked(TObject* Sender) { Clicked.push_back(static_cast<TComponent*>(Sender)->GetName()); }
};

TEST_F(BarMenuKeyFixture, AltAloneEntersMenuModeAndAnotherKeyBetweenCancelsIt) {
  ASSERT_TRUE(M->MainMenuBarControl());
  SendKeys({{VK_MENU, true}, {VK_MENU, false}});
  ASSERT_EQ(1u, Spy->Roots.size());
  EXPECT_EQ(MenuRoot(), Spy->Roots[0]);
  EXPECT_FALSE(AltPressedAlone());

  SendKeys({{VK_MENU, true}, {'Z', true}, {'Z', false}, {VK_MENU, false}});
  EXPECT_EQ(1u, Spy->Roots.size());
  EXPECT_FALSE(AltPressedAlone());
}

TEST_F(BarMenuKeyFixture, F10EntersMenuModeOnlyWhenTheManagerSaysSo) {
  SendKeys({{VK_F10, true}, {VK_F10, false}});
  EXPECT_EQ(1u, Spy->Roots.size());
  M->SetUseF10ForMenu(false);
  SendKeys({{VK_F10, true}, {VK_F10, false}});
  EXPECT_EQ(1u, Spy->Roots.size());
  M->SetUseF10ForMenu(true);
  // Shift+F10 is a shortcut, not the menu key.
  SendKeys({{VK_SHIFT, true}, {VK_F10, true}, {VK_F10, false}, {VK_SHIFT, false}});
  EXPECT_EQ(1u, Spy->Roots.size());
}

TEST_F(BarMenuKeyFixture, AShortcutGoesToTheMainMenuBeforeOtherBars) {
  TdxBar* Tools = M->GetBars()->Add();
  Tools->SetCaption("Tools");
  Tools->SetDockingStyle(dsTop);
  Tools->SetRow(1);
  Tools->SetVisible(true);
  const TShortCut CtrlK = static_cast<TShortCut>(0x4000 | 'K');
  const TShortCut CtrlJ = static_cast<TShortCut>(0x4000 | 'J');
  Button("ToolsK", CtrlK, Tools);
  Button("MenuK", CtrlK, Menu);
  Button("ToolsJ", CtrlJ, Tools);
  Pump();
  SendKeys({{VK_CONTROL, true}, {'K', true}, {'K', false}, {'J', true}, {'J', false}, {VK_CONTROL, false}});
  EXPECT_EQ((std::vector<std::string>{"MenuK", "ToolsJ"}), Clicked);
  // A hidden toolbar keeps its shortcuts to itself.
  Tools->SetVisible(false);
  SendKeys({{VK_CONTROL, true}, {'J', true}, {'J', false}, {VK_CONTROL, false}});
  EXPECT_EQ(2u, Clicked.size());
}
// A second manager on a panel of the same form: a shortcut goes first to the managers
// from the focus outwards, then to the form's other managers.
TEST_F(BarMenuKeyFixture, AShortcutTriesTheManagersFromTheFocusOutwardsThenTheOthers) {
  TPanel* Panel = Add<TPanel>({20, 80, 380, 280});
  TdxBarManager* Inner = TdxBarManager::Create(Panel);
  TdxBar* Tools = Inner->GetBars()->Add();
  Tools->SetCaption("Panel tools");
  Tools->SetDockingStyle(dsTop);
  Tools->SetVisible(true);
  const TShortCut CtrlK = static_cast<TShortCut>(0x4000 | 'K');
  const TShortCut CtrlL = static_cast<TShortCut>(0x4000 | 'L');
  Button("PanelK", CtrlK, Tools, Panel);
  Button("PanelL", CtrlL, Tools, Panel);
  Button("MenuK", CtrlK, Menu);
  const struct {
    HWND Focus;
    std::vector<std::string> Clicked;
  } Cases[] = {{Form->GetHandle(), {"MenuK", "PanelL"}}, {Panel->GetHandle(), {"PanelK", "PanelL"}}};
  for (const auto& C : Cases) {
    SetFocus(C.Focus);
    Pump();
    Clicked.clear();
    SendKeys({{VK_CONTROL, true}, {'K', true}, {'K', false}, {'L', true}, {'L', false}, {VK_CONTROL, false}});
    EXPECT_EQ(C.Clicked, Clicked) << (C.Focus == Form->GetHandle() ? "form" : "panel");
  }
  Free(Inner);
}
}  // namespace
