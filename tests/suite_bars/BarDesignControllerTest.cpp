// The design controller at run time: the toolbars popup of a right click on a
// dock site, the selection it remembers, Del, the customizing popup's commands
// per window kind and its caption editor, and the quick-customization list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomizingPopups.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarUnit.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {
struct TEntry {
  std::string Caption;
  bool Enabled = true;
  bool Down = false;
  bool BeginGroup = false;
  bool operator==(const TEntry&) const = default;
};
std::ostream& operator<<(std::ostream& S, const TEntry& E) {
  return S << "{" << E.Caption << (E.Enabled ? "" : " disabled") << (E.Down ? " down" : "")
           << (E.BeginGroup ? " group" : "") << "}";
}

std::vector<TEntry> Entries(TdxBarItemLinks* Links) {
  std::vector<TEntry> R;
  for (int I = 0; Links && I < Links->GetCount(); ++I) {
    TdxBarItemLink* L = Links->GetLink(I);
    auto* B = dynamic_cast<TdxBarButton*>(L->GetItem());
    R.push_back({L->GetItem()->GetCaption(), L->GetItem()->GetEnabled(), B && B->GetDown(), L->GetBeginGroup()});
  }
  return R;
}

std::vector<std::string> Captions(TdxBarItemLinks* Links) {
  std::vector<std::string> R;
  for (const TEntry& E : Entries(Links)) R.push_back(E.Caption);
  return R;
}

TdxBarItem* ItemCaptioned(TdxBarItemLinks* Links, const std::string& Caption) {
  for (int I = 0; Links && I < Links->GetCount(); ++I)
    if (Links->GetLink(I)->GetItem()->GetCaption() == Caption) return Links->GetLink(I)->GetItem();
  return nullptr;
}

// The text of the message box that the timer closes, while a test waits for it.
std::wstring ClosedMessage;
BOOL CALLBACK CloseMessageBox(HWND Wnd, LPARAM) {
  wchar_t Class[16]{};
  GetClassNameW(Wnd, Class, 16);
  if (std::wstring(Class) != L"#32770" || !IsWindowVisible(Wnd)) return TRUE;
  EnumChildWindows(
      Wnd,
      [](HWND Child, LPARAM) -> BOOL {
        wchar_t Text[256]{};
        GetWindowTextW(Child, Text, 256);
        if (GetDlgCtrlID(Child) == 0xFFFF && Text[0]) ClosedMessage = Text;
        return TRUE;
      },
      0);
  PostMessageW(Wnd, WM_COMMAND, IDOK, 0);
  return FALSE;
}
void CALLBACK CloseMessageBoxTimer(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0);
}
}  // namespace

struct DesignControllerFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBarDockControl* Site = nullptr;
  TdxBarDesignController* D = nullptr;

  void AddControls() override {
    M = NewManager();
    Site = Add<TdxBarDockControl>({0, 0, 400, 0});
    Site->SetDockAlign(dalNone);
    Site->SetBounds(0, 0, 400, 30);
    Site->SetBarManager(M);
    D = BarDesignControllerInstance();
  }
  void TearDown() override {
    D->ClearInternalItems();
    Pump();
    Free(M);
    BarFormFixture::TearDown();
  }
  TdxBar* NewBar(const std::string& Caption, bool Visible = true) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    Bar->SetVisible(Visible);
    return Bar;
  }
  void RightClickSite() {
    PostMessageW(Site->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(390, 5));
    PostMessageW(Site->GetHandle(), WM_RBUTTONUP, 0, MAKELPARAM(390, 5));
    Pump();
  }
  // Every visible menu window of the thread that the controller built.
  static int VisibleInternalPopups() {
    int Count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM Param) -> BOOL {
          if (IsWindowVisible(Wnd) && dynamic_cast<TdxBarInternalSubMenuControl*>(TWinControl::FindControl(Wnd)))
            ++*reinterpret_cast<int*>(Param);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&Count));
    return Count;
  }
};

// The toolbars popup lists the bars a user may close and show again, checked
// when shown, and "&Customize..." only for a manager that allows customizing;
// clicking an entry shows or hides its bar.
TEST_F(DesignControllerFixture, ToolbarsPopupListsClosableBarsAndTogglesThem) {
  TdxBar* Menu = NewBar("Menu");
  Menu->SetIsMainMenu(true);
  NewBar("Standard");
  TdxBar* Format = NewBar("Format", false);
  NewBar("Secret")->SetHidden(true);
  NewBar("Fixed")->SetAllowClose(false);
  for (bool CanCustomize : {true, false}) {
    SCOPED_TRACE(CanCustomize);
    M->SetCanCustomize(CanCustomize);
    Format->SetVisible(false);
    RightClickSite();
    TdxBarToolbarsPopup* Popup = D->GetToolbarsPopup();
    ASSERT_NE(nullptr, Popup);
    EXPECT_TRUE(IsWindowVisible(Popup->GetHandle()));
    std::vector<TEntry> Expected{{"Standard", true, true, false}, {"Format", true, false, false}};
    if (CanCustomize) Expected.push_back({"&Customize...", true, false, true});
    EXPECT_EQ(Expected, Entries(Popup->GetItemLinks()));
    if (CanCustomize) SaveScreenshot("toolbars-popup");
    ItemCaptioned(Popup->GetItemLinks(), "Format")->DoClick();
    EXPECT_TRUE(Format->GetVisible());
    Popup->CloseBar();
    Pump();
    EXPECT_EQ(nullptr, D->GetToolbarsPopup());
  }
}

// A manager without closable bars that may not be customized (the main window's)
// shows nothing on a right click, and keeps no popup or items behind.
TEST_F(DesignControllerFixture, RightClickShowsNothingWithoutClosableBars) {
  NewBar("Menu")->SetIsMainMenu(true);
  NewBar("Toolbar")->SetAllowClose(false);
  M->SetCanCustomize(false);
  RightClickSite();
  EXPECT_EQ(nullptr, D->GetToolbarsPopup());
  EXPECT_EQ(0, VisibleInternalPopups());
  EXPECT_EQ(0, D->InternalItemCount());
}

// Building the next popup frees the items the open toolbars popup shows: that
// popup is closed first, and frees itself afterwards.
TEST_F(DesignControllerFixture, NextPopupClosesTheOpenToolbarsPopupFirst) {
  NewBar("Standard");
  M->SetCanCustomize(false);
  RightClickSite();
  TdxBarToolbarsPopup* First = D->GetToolbarsPopup();
  ASSERT_NE(nullptr, First);
  TcxObjectLinkGuard FirstAlive(First);
  RightClickSite();
  EXPECT_FALSE(FirstAlive.Alive() && IsWindowVisible(First->GetHandle()));
  Pump();
  EXPECT_FALSE(FirstAlive.Alive());
  ASSERT_NE(nullptr, D->GetToolbarsPopup());
  EXPECT_EQ(std::vector<std::string>{"Standard"}, Captions(D->GetToolbarsPopup()->GetItemLinks()));
  EXPECT_EQ(1, VisibleInternalPopups());
}

// The selected object is dropped as soon as it is freed, a component through
// its free notification and a link by telling the controller.
TEST_F(DesignControllerFixture, FreedSelectionIsForgotten) {
  TdxBarButton* Button = TdxBarButton::Create(M);
  D->SelectObject(QuerySelectableItem(Button), 2);
  EXPECT_EQ(Button, D->GetLastSelected());
  Free(Button);
  EXPECT_EQ(nullptr, D->GetLastSelected());

  TdxBar* Bar = NewBar("Standard");
  TdxBarItemLink* Link = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  D->RememberLastSelected(Link);
  EXPECT_EQ(Link, M->SelectedLinkInDesigner());
  Free(Link);
  EXPECT_EQ(nullptr, D->GetLastSelected());

  TdxBar* Other = NewBar("Other");
  D->RememberLastSelected(Other);
  EXPECT_EQ(Other, D->GetLastSelected());
  Free(Other);
  EXPECT_EQ(nullptr, D->GetLastSelected());
}

// Del while customizing frees the selected link and answers that it did, so the
// key goes no further; without a selection, or outside customizing, it answers no.
TEST_F(DesignControllerFixture, DeleteAnswersWhetherALinkWasFreed) {
  TdxBar* Bar = NewBar("Standard");
  TdxBarItemLink* Link = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  D->RememberLastSelected(Link);
  // Outside customizing, Del is not the bars' key.
  EXPECT_FALSE(D->DeleteSelectedObjects(false, false));
  EXPECT_EQ(2, Bar->GetItemLinks()->GetCount());
  M->SetCustomizing(true);
  EXPECT_TRUE(D->DeleteSelectedObjects(false, false));
  EXPECT_EQ(1, Bar->GetItemLinks()->GetCount());
  EXPECT_EQ(nullptr, D->GetLastSelected());
  EXPECT_FALSE(D->DeleteSelectedObjects(false, false));
  M->SetCustomizing(false);
}

// What the customizing popup offers for a link by window kind: paint styles only
// on toolbars, no paint styles in menus, "Begin a Group" disabled for the first link.
TEST_F(DesignControllerFixture, CustomizingCommandsPerWindowKind) {
  TdxBar* Bar = NewBar("Standard");
  TdxBarItemLink* First = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  TdxBarItemLink* Second = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  TdxBarItemLink* Sub = Bar->GetItemLinks()->AddItem(TdxBarSubItem::Create(M));
  First->GetItem()->SetCaption("Open");
  Second->GetItem()->SetCaption("Save");
  Sub->GetItem()->SetCaption("Recent");
  TdxBarControl* Toolbar = TdxBarControl::Create(Form);
  TdxBarSubMenuControl* SubMenu = TdxBarSubMenuControl::Create(Form);
  TdxBarApplicationMenuControl* AppMenu = TdxBarApplicationMenuControl::Create(Form);
  for (TCustomdxBarControl* W : std::vector<TCustomdxBarControl*>{Toolbar, SubMenu, AppMenu}) W->SetBarManager(M);
  const std::vector<std::string> Styles{"Defa&ult style", "&Text Only (Always)", "Text &Only (in Menus)",
                                        "Image &and Text"};
  auto With = [](std::vector<std::string> A, const std::vector<std::string>& B, std::vector<std::string> C) {
    A.insert(A.end(), B.begin(), B.end());
    A.insert(A.end(), C.begin(), C.end());
    return A;
  };
  const std::vector<std::string> Plain{"&Reset", "&Delete", "&Name:", "Begin a &Group"};
  const struct {
    const char* Name;
    TCustomdxBarControl* Window;
    TdxBarItemLink* Link;
    std::vector<std::string> Captions;
  } Cases[] = {
      {"button on a toolbar", Toolbar, Second, With({"&Reset", "&Delete", "&Name:"}, Styles, {"Begin a &Group"})},
      {"button in a menu", SubMenu, Second, Plain},
      {"button in an application menu", AppMenu, Second, Plain},
      {"sub-item on a toolbar", Toolbar, Sub, Plain},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    D->ShowItemPopup(C.Window, C.Link);
    ASSERT_NE(nullptr, D->GetCustomizingPopup());
    TdxBarItemLinks* Links = D->GetCustomizingPopup()->GetItemLinks();
    EXPECT_EQ(C.Captions, Captions(Links));
    EXPECT_TRUE(ItemCaptioned(Links, "Begin a &Group")->GetEnabled());
    if (C.Window == Toolbar && C.Link == Second) SaveScreenshot("customizing-popup");
    D->GetCustomizingPopup()->CloseBar();
    Pump();
  }
  // The first link cannot begin a group; the name editor shows the link's caption.
  D->ShowItemPopup(Toolbar, First);
  TdxBarItemLinks* Links = D->GetCustomizingPopup()->GetItemLinks();
  EXPECT_FALSE(ItemCaptioned(Links, "Begin a &Group")->GetEnabled());
  EXPECT_EQ("Open", static_cast<TdxBarEdit*>(ItemCaptioned(Links, "&Name:"))->GetText());
  // "Image and Text" sets the link's paint style; "Begin a Group" is a check.
  ItemCaptioned(Links, "Image &and Text")->DoClick();
  EXPECT_EQ(psCaptionGlyph, First->GetUserPaintStyle());
  D->GetCustomizingPopup()->CloseBar();
  Pump();
  for (TCustomdxBarControl* W : std::vector<TCustomdxBarControl*>{Toolbar, SubMenu, AppMenu}) Free(W);
}

// A blank name in the popup's own editor closes the popup and says why, but only
// after the editor's change is handled (the popup is still there meanwhile); a
// name that is not blank becomes the link's caption.
TEST_F(DesignControllerFixture, BlankNameClosesThePopupAfterTheEditorsChange) {
  TdxBar* Bar = NewBar("Standard");
  TdxBarItemLink* Link = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  Link->GetItem()->SetCaption("Open");
  TdxBarControl* Toolbar = TdxBarControl::Create(Form);
  Toolbar->SetBarManager(M);
  D->ShowItemPopup(Toolbar, Link);
  TdxBarCustomizingPopup* Popup = D->GetCustomizingPopup();
  ASSERT_NE(nullptr, Popup);
  TcxObjectLinkGuard Alive(Popup);
  auto* Name = static_cast<TdxBarEdit*>(ItemCaptioned(Popup->GetItemLinks(), "&Name:"));
  Name->SetText("");
  EXPECT_TRUE(Alive.Alive());
  EXPECT_TRUE(IsWindowVisible(Popup->GetHandle()));
  ClosedMessage.clear();
  UINT_PTR Timer = SetTimer(nullptr, 0, 50, CloseMessageBoxTimer);
  PumpUntil([&] { return !Alive.Alive(); }, 3000);
  KillTimer(nullptr, Timer);
  EXPECT_FALSE(Alive.Alive());
  EXPECT_EQ(L"A command name cannot be blank. Please enter a name.", ClosedMessage);
  EXPECT_EQ("Open", Link->GetEffectiveCaption());

  D->ShowItemPopup(Toolbar, Link);
  Name = static_cast<TdxBarEdit*>(ItemCaptioned(D->GetCustomizingPopup()->GetItemLinks(), "&Name:"));
  Name->SetText("Open...");
  EXPECT_EQ("Open...", Link->GetEffectiveCaption());
  D->GetCustomizingPopup()->CloseBar();
  Pump();
  Free(Toolbar);
}

// "Add or Remove Buttons": one shared check item, an entry per link of the
// toolbar standing for it (links whose control shows another manager's item are
// left out); an entry's click hides or shows its link.
TEST_F(DesignControllerFixture, QuickCustomizeListTogglesTheToolbarsLinks) {
  TdxBar* Bar = NewBar("Standard");
  TdxBarItemLink* Open = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  TdxBarItemLink* Save = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(M));
  Open->GetItem()->SetCaption("Open");
  Save->GetItem()->SetCaption("Save");
  // A link to another manager's item, shown by a control of the toolbar's window.
  TForm* OtherForm = TForm::Create(nullptr);
  TdxBarManager* Other = NewManager(OtherForm);
  TdxBarItemLink* Foreign = Bar->GetItemLinks()->AddItem(TdxBarButton::Create(Other));
  ASSERT_NE(nullptr, Foreign->GetControl());
  ASSERT_FALSE(Foreign->GetControl()->IsOwnItem());
  M->SetCanCustomize(true);
  TdxBarToolbarsPopup* Host = TdxBarToolbarsPopup::Create(M);
  TdxBarItemLinks* Links = Host->GetItemLinks();
  D->FillQuickCustomizeLinks(Links, Bar);
  ASSERT_EQ(3, Links->GetCount());
  EXPECT_EQ(Links->GetLink(0)->GetItem(), Links->GetLink(1)->GetItem());
  EXPECT_EQ(Open, D->RepresentedLink(Links->GetLink(0)));
  EXPECT_EQ(Save, D->RepresentedLink(Links->GetLink(1)));
  EXPECT_EQ("&Customize...", Links->GetLink(2)->GetItem()->GetCaption());
  EXPECT_TRUE(Links->GetLink(2)->GetBeginGroup());
  TdxBarItem* Shared = Links->GetLink(1)->GetItem();
  for (bool Visible : {false, true}) {
    Shared->SetClickItemLink(Links->GetLink(1));
    Shared->DoClick();
    EXPECT_EQ(Visible, Save->GetVisible());
    EXPECT_TRUE(Open->GetVisible());
  }
  // An entry whose toolbar link went stands for nothing and its click does nothing.
  TdxBarItemLink* Entry = Links->GetLink(0);
  Free(Open);
  EXPECT_EQ(nullptr, D->RepresentedLink(Entry));
  Shared->SetClickItemLink(Entry);
  Shared->DoClick();
  Free(Host);
  Free(Foreign);
  Free(OtherForm);
}
