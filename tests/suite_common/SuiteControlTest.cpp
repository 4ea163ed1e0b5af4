// The base control with real messages: dialog keys, context menus, shortcuts of
// popup menus and a control freed by its own mouse handler.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Menus.h"
#include "suite/common/ObjectLinks.h"
#include "tests/suite_common/ControlTestSupport.h"

namespace {
// A suite popup menu as the bar popup menu is one.
class TSuiteMenu : public TComponent, public IcxPopupMenuIntf {
  SONVELT_CLASS(TSuiteMenu, TComponent)
public:
  explicit TSuiteMenu(TComponent* AOwner) : TComponent(AOwner) {}
  std::vector<POINT> Shown;
  WPARAM ShortCutKey = 'K';
  bool IsShortCutKey(TMessage& Message) override { return Message.WParam == ShortCutKey; }
  void PopupAt(int X, int Y) override { Shown.push_back(POINT{X, Y}); }
};

class TBorderedControl : public TProbeControl {
  SONVELT_CLASS(TBorderedControl, TProbeControl)
public:
  using TProbeControl::TProbeControl;

protected:
  void CreateParams(TCreateParams& Params) override {
    TProbeControl::CreateParams(Params);
    Params.Style |= WS_BORDER;
  }
};

class TListeningForm : public TForm {
  SONVELT_CLASS(TListeningForm, TForm)
public:
  using TForm::TForm;
  int ContextMenus = 0;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_CONTEXTMENU) ++ContextMenus;
    TForm::WndProc(Message);
  }
};
}  // namespace

TEST_F(SuiteControlFixture, DialogCodesFollowTheKeysAndCtrl) {
  struct Case {
    TcxKeys Keys;
    bool Ctrl;
    LRESULT Code;
  } Cases[] = {
      {{kArrows, kTab}, false, DLGC_WANTARROWS | DLGC_WANTTAB},
      {{kArrows, kTab}, true, DLGC_WANTARROWS},
      {{kAll, kChars}, false, DLGC_WANTALLKEYS | DLGC_WANTCHARS},
      {{}, false, 0},
  };
  for (const Case& C : Cases) {
    Control->SetKeys(C.Keys);
    LRESULT Got;
    if (C.Ctrl) {
      THeldKeys Ctrl({VK_CONTROL});
      Got = SendMessageW(Wnd(), WM_GETDLGCODE, 0, 0);
    } else {
      Got = SendMessageW(Wnd(), WM_GETDLGCODE, 0, 0);
    }
    EXPECT_EQ(Got, C.Code) << C.Ctrl;
  }
}

TEST_F(SuiteControlFixture, ContextMenusOpenAtThePointOrTheClientOriginForTheKeyboard) {
  auto* Menu = TSuiteMenu::Create(Form);
  Control->SetSuitePopupMenu(Menu);
  SendMessageW(Wnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wnd()), MAKELPARAM(-1, -1));
  SendMessageW(Wnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wnd()), MAKELPARAM(150, 160));
  ASSERT_EQ(Menu->Shown.size(), 2u);
  EXPECT_EQ(Menu->Shown[0].x, 130);
  EXPECT_EQ(Menu->Shown[0].y, 140);
  EXPECT_EQ(Menu->Shown[1].x, 150);
  EXPECT_EQ(Menu->Shown[1].y, 160);

  // A component that is no popup menu is not kept; a freed menu is forgotten.
  Control->SetSuitePopupMenu(TComponent::Create(Form));
  EXPECT_EQ(Control->GetSuitePopupMenu(), nullptr);
  auto* Plain = TPopupMenu::Create(Form);
  Control->SetSuitePopupMenu(Plain);
  EXPECT_EQ(Control->GetPopupMenu(), Plain);
  Free(Plain);
  EXPECT_EQ(Control->GetSuitePopupMenu(), nullptr);
}

TEST(SuiteControl, AClickOnTheBorderIsPassedOn) {
  auto* Form = TListeningForm::Create(nullptr);
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(100, 100, 400, 300);
  auto* Control = TBorderedControl::Create(Form);
  Control->SetBounds(30, 40, 200, 100);
  Control->SetParent(Form);
  auto* Menu = TSuiteMenu::Create(Form);
  Control->SetSuitePopupMenu(Menu);
  Form->Show();
  Pump();
  // The window's top-left pixel is its border; the client starts one pixel in.
  SendMessageW(Control->GetHandle(), WM_CONTEXTMENU, 0, MAKELPARAM(130, 140));
  EXPECT_TRUE(Menu->Shown.empty());
  EXPECT_EQ(Form->ContextMenus, 1);
  SendMessageW(Control->GetHandle(), WM_CONTEXTMENU, 0, MAKELPARAM(150, 150));
  EXPECT_EQ(Menu->Shown.size(), 1u);
  EXPECT_EQ(Form->ContextMenus, 1);
  Free(Form);
}

TEST_F(SuiteControlFixture, ShortcutsReachThePopupMenusOfParentControls) {
  auto* Child = TProbeControl::Create(Form);
  Child->SetBounds(5, 5, 50, 30);
  Child->SetParent(Control);
  auto* Menu = TSuiteMenu::Create(Form);
  Control->SetSuitePopupMenu(Menu);
  EXPECT_EQ(SendMessageW(Child->GetHandle(), CN_KEYDOWN, 'K', 0), 1);
  EXPECT_EQ(SendMessageW(Child->GetHandle(), CN_SYSKEYDOWN, 'K', 0), 1);
  EXPECT_EQ(SendMessageW(Child->GetHandle(), CN_KEYDOWN, 'J', 0), 0);
  EXPECT_TRUE(Menu->Shown.empty());
}

namespace {
struct TFreeOnDown {
  int Downs = 0;
  void Down(TObject* Sender, TMouseButton, TShiftState, int, int) {
    ++Downs;
    Free(Sender);
  }
};
}  // namespace

TEST_F(SuiteControlFixture, AMouseDownHandlerMayFreeTheControl) {
  for (TDragMode Mode : {dmManual, dmAutomatic}) {
    auto* Victim = TProbeControl::Create(Form);
    Victim->SetBounds(240, 40, 100, 100);
    Victim->SetParent(Form);
    Victim->SetDragMode(Mode);
    TFreeOnDown Handler;
    Victim->OnMouseDown = TMouseEvent(&Handler, &TFreeOnDown::Down);
    TcxObjectLink* Link = CreateObjectLink(Victim);
    HWND Wnd = Victim->GetHandle();
    PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_EQ(Handler.Downs, 1) << Mode;
    EXPECT_EQ(Link->Ref, nullptr) << Mode;
    EXPECT_FALSE(IsWindow(Wnd)) << Mode;
    DropObjectLink(Link);
  }
  EXPECT_EQ(Form->GetControlCount(), 1);
}

TEST_F(SuiteControlFixture, BorderAndInnerBounds) {
  RECT Inner;
  Control->InnerClientBounds(Inner);
  EXPECT_EQ(Inner.right, 200);
  Control->SetBorderStyle(1);
  const int F = Control->FrameWidth();
  EXPECT_GT(F, 0);
  Control->InnerClientBounds(Inner);
  EXPECT_EQ(Inner.left, F);
  EXPECT_EQ(Inner.right, 200 - F);
  Control->SetExplicitBounds(RECT{10, 10, 60, 50});
  Control->InnerClientBounds(Inner);
  EXPECT_EQ(Inner.left, 10 + F);
  EXPECT_EQ(Inner.bottom, 50 - F);
}

TEST_F(SuiteControlFixture, FocusOnClickAndFocusNotice) {
  std::vector<bool> Notices;
  struct TSink {
    std::vector<bool>* Notices;
    void Changed(TObject*, bool Focused) { Notices->push_back(Focused); }
  } Sink{&Notices};
  auto* Other = TProbeControl::Create(Form);
  Other->SetBounds(250, 40, 50, 50);
  Other->SetParent(Form);
  SetActiveWindow(Form->GetHandle());
  Other->SetFocus();
  Pump();
  Control->OnFocusChange = TcxFocusChangedEvent(&Sink, &TSink::Changed);
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump();
  EXPECT_EQ(GetFocus(), Wnd());
  ASSERT_FALSE(Notices.empty());
  EXPECT_TRUE(Notices.back());
  EXPECT_EQ(Control->GetMouseDownPos().x, 10);
  EXPECT_FALSE(Control->GetMouseButtonPressed());
}
