// The application loop and what runs in it: modal forms, MDI frames, the message
// hook, idle-time action updates, shortcuts, menus, timers and error reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/AllocateHWnd.h"
#include "framework/Button.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/Screen.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "tests/framework_controls/UiTestSupport.h"

namespace {

struct Recorder : TObject {
  std::vector<std::string> Log;
  TForm* Dialog = nullptr;
  TButton* Press = nullptr;
  HWND Owner = nullptr;
  bool OwnerEnabledDuringModal = true;
  void Tick(TObject* Sender) {
    Log.push_back("tick");
    auto* T = static_cast<TTimer*>(Sender);
    if (Dialog) {
      OwnerEnabledDuringModal = IsWindowEnabled(Owner) != 0;
      // The user presses the dialog's button.
      if (Press) PostMessageW(Press->GetHandle(), BM_CLICK, 0, 0);
      else Dialog->SetModalResult(mrOk);
      T->SetEnabled(false);
    }
  }
  void Execute(TObject* Sender) { Log.push_back("execute " + static_cast<TComponent*>(Sender)->GetName()); }
  void Throw(TObject*) { throw EConvertError("Bad number"); }
  void Report(TObject*, const Exception& E) { Log.push_back("error " + E.ClassName() + ": " + E.GetMessage()); }
  void Message(MSG& M, bool& Handled) {
    if (M.message == WM_APP + 7) {
      Log.push_back("hook " + std::to_string(M.wParam));
      Handled = M.wParam == 1;
    }
  }
  void Refuse(TObject* Sender, bool& CanClose) {
    Log.push_back("query " + static_cast<TComponent*>(Sender)->GetName());
    CanClose = static_cast<TComponent*>(Sender)->GetTag() != 1;
  }
  void Closed(TObject* Sender, TCloseAction& Action) {
    Log.push_back("close " + static_cast<TComponent*>(Sender)->GetName());
    Action = caFree;
  }
  void Idle(TObject*, bool& Done) {
    Log.push_back("idle");
    Done = false;
  }
  bool CanRun = false;
  void UpdateSave(TObject* Sender) { static_cast<TAction*>(Sender)->SetEnabled(CanRun); }
};

class TSink : public TCustomControl {
  SONVELT_CLASS(TSink, TCustomControl)
public:
  explicit TSink(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
  std::vector<std::string>* Log = nullptr;

protected:
  void Dispatch(TMessage& M) override {
    if (M.Msg == WM_APP + 7) Log->push_back("window " + std::to_string(M.WParam));
    TCustomControl::Dispatch(M);
  }
};

TEST(ApplicationLoop, OnMessageSeesPostedMessagesBeforeDispatchAndCanStopThem) {
  Recorder R;
  TForm* F = TForm::Create(nullptr);
  auto* S = TSink::Create(F);
  S->Log = &R.Log;
  S->SetParent(F);
  Application->OnMessage = TMessageEvent(&R, &Recorder::Message);
  PostMessageW(S->GetHandle(), WM_APP + 7, 1, 0);
  PostMessageW(S->GetHandle(), WM_APP + 7, 2, 0);
  Pump();
  Application->OnMessage = nullptr;
  Free(F);
  EXPECT_EQ((std::vector<std::string>{"hook 1", "hook 2", "window 2"}), R.Log);
}

TEST(ApplicationLoop, TimerFiresFromTheLoopUntilDisabled) {
  Recorder R;
  TTimer* T = TTimer::Create(nullptr);
  T->SetInterval(10);
  T->OnTimer = Bind(&R, &Recorder::Tick);
  EXPECT_TRUE(PumpUntil([&] { return R.Log.size() >= 3; }));
  T->SetEnabled(false);
  size_t N = R.Log.size();
  Sleep(50);
  Pump();
  EXPECT_EQ(N, R.Log.size());
  Free(T);
}

TEST(ApplicationLoop, ExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
  Recorder R;
  TTestApplication App;
  Application->OnException = TExceptionEvent(&R, &Recorder::Report);
  TTimer* T = TTimer::Create(nullptr);
  T->SetInterval(10);
  T->OnTimer = Bind(&R, &Recorder::Throw);
  EXPECT_TRUE(PumpUntil([&] { return R.Log.size() >= 2; }));
  T->SetEnabled(false);
  EXPECT_EQ("error EConvertError: Bad number", R.Log[0]);
  // A window's handler too: the message is answered and later ones still run.
  TForm* F = TForm::Create(nullptr);
  F->OnClick = Bind(&R, &Recorder::Throw);
  F->SetBorderStyle(bsNone);
  F->SetBounds(0, 0, 100, 100);
  F->Show();
  R.Log.clear();
  Click(F->GetHandle(), 10, 10);
  Click(F->GetHandle(), 10, 10);
  EXPECT_EQ(2u, R.Log.size());
  // Other modules' window procedures report through the same road.
  R.Log.clear();
  try {
    throw EConvertError("From a socket window");
  } catch (...) {
    ReportException(nullptr);
  }
  EXPECT_EQ(std::vector<std::string>{"error EConvertError: From a socket window"}, R.Log);
  Free(F);
  Free(T);
}

struct TBoxReader : TObject {
  std::wstring Caption, Text;
  void Tick(TObject*) {
    HWND W = FindWindowW(L"#32770", nullptr);
    if (!W) return;
    wchar_t Buf[256] = {};
    GetWindowTextW(W, Buf, 256);
    Caption = Buf;
    for (HWND C = GetWindow(W, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT)) {
      wchar_t Cls[32] = {}, T[256] = {};
      GetClassNameW(C, Cls, 32);
      GetWindowTextW(C, T, 256);
      if (std::wstring(Cls) == L"Static" && T[0]) Text = T;
    }
    PostMessageW(W, WM_COMMAND, IDOK, 0);
  }
};

// Shown in a box when nothing else reports errors, and also when the handler that
// does fails itself: then the user still sees the first error.
TEST(ApplicationLoop, UnhandledErrorIsShownCaptionedWithTheTitle) {
  struct TBrokenReport : TObject {
    void Report(TObject*, const Exception&) { throw EConvertError("The report failed"); }
  } Broken;
  for (bool BrokenHandler : {false, true}) {
    TTestApplication App;
    Application->SetTitle("Sonvelt");
    if (BrokenHandler) Application->OnException = TExceptionEvent(&Broken, &TBrokenReport::Report);
    TBoxReader Reader;
    TTimer* Closer = TTimer::Create(nullptr);
    Closer->SetInterval(50);
    Closer->OnTimer = Bind(&Reader, &TBoxReader::Tick);
    try {
      throw EConvertError("'abc' is not a valid number");
    } catch (...) {
      EXPECT_NO_THROW(Application->HandleException(nullptr));
    }
    Free(Closer);
    EXPECT_EQ(L"Sonvelt", Reader.Caption) << BrokenHandler;
    EXPECT_EQ(L"'abc' is not a valid number.", Reader.Text) << BrokenHandler;
  }
}

TEST(ApplicationLoop, HiddenUtilityWindowsHearBroadcasts) {
  struct TListener : TObject {
    int Heard = 0;
    HWND Wnd = nullptr;
    void Proc(TMessage& M) {
      if (M.Msg == WM_SETTINGCHANGE) ++Heard;
      M.Result = DefWindowProcW(Wnd, M.Msg, M.WParam, M.LParam);
    }
  } L;
  L.Wnd = AllocateHWnd(TWndMethod(&L, &TListener::Proc));
  EXPECT_FALSE(IsWindowVisible(L.Wnd));
  DWORD_PTR Result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG,
                      1000, &Result);
  Pump();
  DeallocateHWnd(L.Wnd);
  EXPECT_EQ(1, L.Heard);
}

TEST(ApplicationLoop, IdleTimeRunsOnIdleAndUpdatesActions) {
  Recorder R;
  TForm* F = TForm::Create(nullptr);
  auto* List = TActionList::Create(F);
  auto* Save = TAction::Create(F);
  Save->SetName("Save");
  Save->SetActionList(List);
  Save->OnExecute = Bind(&R, &Recorder::Execute);
  Save->OnUpdate = Bind(&R, &Recorder::UpdateSave);
  auto* Orphan = TAction::Create(F);  // no handler at all: disabled at idle
  Orphan->SetActionList(List);
  auto* Item = TMenuItem::Create(F);
  Item->SetAction(Save);
  Application->OnIdle = TIdleEvent(&R, &Recorder::Idle);
  R.CanRun = false;
  Application->HandleMessage();
  EXPECT_FALSE(Save->GetEnabled());
  EXPECT_FALSE(Item->GetEnabled());
  EXPECT_FALSE(Orphan->GetEnabled());
  R.CanRun = true;
  Application->HandleMessage();
  Application->OnIdle = nullptr;
  EXPECT_TRUE(Save->GetEnabled());
  EXPECT_TRUE(Item->GetEnabled());
  EXPECT_EQ(2, std::count(R.Log.begin(), R.Log.end(), "idle"));
  Free(F);
}

TEST(ApplicationLoop, ShortcutsReachTheActiveFormsActionsAndMenusOnlyWhenEnabled) {
  Recorder R;
  TForm* F = TForm::Create(nullptr);
  auto* Focus = TSink::Create(F);
  Focus->Log = &R.Log;
  Focus->SetParent(F);
  auto* List = TActionList::Create(F);
  auto* Save = TAction::Create(F);
  Save->SetName("Save");
  Save->SetShortCut(ShortCut('S', {ssCtrl}));
  Save->SetActionList(List);
  Save->OnExecute = Bind(&R, &Recorder::Execute);
  Save->OnUpdate = Bind(&R, &Recorder::UpdateSave);
  auto* Menu = TMainMenu::Create(F);
  auto* File = TMenuItem::Create(F);
  File->SetCaption("&File");
  Menu->GetItems()->Add(File);
  auto* Play = TMenuItem::Create(F);
  Play->SetName("Play");
  Play->SetCaption("&Play");
  Play->SetShortCut(VK_F9);
  Play->OnClick = Bind(&R, &Recorder::Execute);
  File->Add(Play);
  F->SetMenu(Menu);
  F->Show();
  Focus->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return Focus->Focused(); }));
  R.CanRun = false;
  {
    THeldKeys Ctrl({VK_CONTROL});
    PressKey('S');
  }
  EXPECT_TRUE(R.Log.empty());
  R.CanRun = true;
  {
    THeldKeys Ctrl({VK_CONTROL});
    PressKey('S');
  }
  PressKey('S');  // without Ctrl: not the shortcut
  PressKey(VK_F9);
  EXPECT_EQ((std::vector<std::string>{"execute Save", "execute Play"}), R.Log);
  EXPECT_EQ("&Play\tF9", [&] {
    wchar_t Buf[64] = {};
    GetMenuStringW(File->GetHandle(), 0, Buf, 64, MF_BYPOSITION);
    return WideToUtf8(Buf);
  }());
  Free(F);
}

TEST(Menus, ItemsShowTheirImageAndGreyWhenDisabled) {
  TForm* F = TForm::Create(nullptr);
  auto* Images = TImageList::Create(F);
  TBitmap* Red = TBitmap::Create();
  Red->SetSize(16, 16);
  RECT All{0, 0, 16, 16};
  Red->GetCanvas()->GetBrush()->SetColor(clRed);
  Red->GetCanvas()->FillRect(All);
  Images->Add(Red, nullptr);
  Free(Red);
  auto* Menu = TPopupMenu::Create(F);
  Menu->SetImages(Images);
  auto* Cut = TMenuItem::Create(F);
  Cut->SetCaption("Cu&t");
  Cut->SetShortCut(ShortCut('X', {ssCtrl}));
  Cut->SetImageIndex(0);
  Menu->GetItems()->Add(Cut);
  auto* Line = TMenuItem::Create(F);
  Line->SetCaption("-");
  Menu->GetItems()->Add(Line);
  HMENU H = Menu->GetHandle();
  auto Info = [&](int Pos) {
    MENUITEMINFOW MII{};
    MII.cbSize = sizeof MII;
    MII.fMask = MIIM_BITMAP | MIIM_STATE | MIIM_FTYPE;
    GetMenuItemInfoW(H, Pos, TRUE, &MII);
    return MII;
  };
  auto CenterOf = [](HBITMAP B) {
    HDC DC = CreateCompatibleDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, B);
    COLORREF C = GetPixel(DC, 8, 8);
    SelectObject(DC, Old);
    DeleteDC(DC);
    return C;
  };
  ASSERT_NE(nullptr, Info(0).hbmpItem);
  EXPECT_EQ(RGB(255, 0, 0), CenterOf(Info(0).hbmpItem));
  EXPECT_TRUE(Info(1).fType & MFT_SEPARATOR);
  wchar_t Buf[32] = {};
  GetMenuStringW(H, 0, Buf, 32, MF_BYPOSITION);
  EXPECT_EQ(L"Cu&t\tCtrl+X", std::wstring(Buf));
  Cut->SetEnabled(false);
  EXPECT_TRUE(Info(0).fState & MFS_GRAYED);
  EXPECT_NE(RGB(255, 0, 0), CenterOf(Info(0).hbmpItem));
  Free(F);
}

TEST(ApplicationLoop, PopupMenuRunsTheChosenItem) {
  Recorder R;
  TForm* F = TForm::Create(nullptr);
  F->SetBounds(50, 50, 200, 200);
  auto* Menu = TPopupMenu::Create(F);
  for (const char* Name : {"Cut", "Copy", "Paste"}) {
    auto* I = TMenuItem::Create(F);
    I->SetName(Name);
    I->SetCaption(Name);
    I->OnClick = Bind(&R, &Recorder::Execute);
    Menu->GetItems()->Add(I);
  }
  F->SetPopupMenu(Menu);
  F->Show();
  Pump();
  // Once the menu is up its own loop reads these keys: down twice selects the
  // second entry.
  struct TKeys : TObject {
    void Post(TObject*) {
      for (WORD K : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(GetFocus(), WM_KEYDOWN, K, 1);
    }
  } Keys;
  Menu->OnPopup = Bind(&Keys, &TKeys::Post);
  PostMessageW(F->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(F->GetHandle()), MAKELPARAM(80, 80));
  PumpUntil([&] { return !R.Log.empty(); }, 2000);
  EXPECT_EQ(std::vector<std::string>{"execute Copy"}, R.Log);
  EXPECT_EQ(F, Menu->GetPopupComponent());
  Free(F);
}

TEST(ModalForm, EndsWithModalResultWhileTheOwnerIsDisabled) {
  Recorder R;
  TForm* Main = TForm::Create(nullptr);
  Main->Show();
  Pump();
  TForm* Dialog = TForm::Create(nullptr);
  Dialog->SetPosition(poScreenCenter);
  auto* Ok = TButton::Create(Dialog);
  Ok->SetParent(Dialog);
  Ok->SetModalResult(mrOk);
  R.Press = Ok;
  R.Dialog = Dialog;
  R.Owner = Main->GetHandle();
  TTimer* T = TTimer::Create(nullptr);
  T->SetInterval(20);
  T->OnTimer = Bind(&R, &Recorder::Tick);
  EXPECT_EQ(mrOk, Dialog->ShowModal());
  EXPECT_FALSE(R.OwnerEnabledDuringModal);
  EXPECT_TRUE(IsWindowEnabled(Main->GetHandle()));
  EXPECT_FALSE(Dialog->GetVisible());
  EXPECT_FALSE(IsWindowVisible(Dialog->GetHandle()));
  EXPECT_EQ((Screen->GetWidth() - Dialog->GetWidth()) / 2, Dialog->GetLeft());
  // A refused close keeps the modal loop going.
  R.Press = nullptr;
  Dialog->OnCloseQuery = TCloseQueryEvent(&R, &Recorder::Refuse);
  Dialog->SetTag(1);
  Dialog->SetName("Dialog");
  T->SetEnabled(true);
  R.Log.clear();
  TTimer* Allow = TTimer::Create(nullptr);
  Allow->SetInterval(120);
  struct TAllow : TObject {
    TForm* D;
    void Go(TObject* S) {
      D->SetTag(0);
      D->SetModalResult(mrCancel);
      static_cast<TTimer*>(S)->SetEnabled(false);
    }
  } A;
  A.D = Dialog;
  Allow->OnTimer = Bind(&A, &TAllow::Go);
  EXPECT_EQ(mrCancel, Dialog->ShowModal());
  EXPECT_GE(std::count(R.Log.begin(), R.Log.end(), "query Dialog"), 2);
  Free(Allow);
  Free(T);
  Free(Dialog);
  Free(Main);
}

struct TLifeForm : TForm {
  std::vector<std::string>* Log;
  TLifeForm(TComponent* Owner, std::vector<std::string>* L) : TForm(Owner), Log(L) {
    OnCreate = Bind(this, &TLifeForm::Note<0>);
    OnShow = Bind(this, &TLifeForm::Note<1>);
    OnActivate = Bind(this, &TLifeForm::Note<2>);
    OnDeactivate = Bind(this, &TLifeForm::Note<3>);
    OnHide = Bind(this, &TLifeForm::Note<4>);
    OnDestroy = Bind(this, &TLifeForm::Note<5>);
    OnClose = TCloseEvent(this, &TLifeForm::Closing);
    SetBounds(100, 100, 200, 150);
  }
  template <int N>
  void Note(TObject*) {
    static const char* Names[] = {"create", "show", "activate", "deactivate", "hide", "destroy"};
    Log->push_back(Names[N]);
  }
  void Closing(TObject*, TCloseAction& Action) {
    Log->push_back(Action == caHide ? "close hide" : "close other");
  }
};

TEST(FormLife, EventsComeInTheOrderAUserSeesThem) {
  std::vector<std::string> Log;
  TForm* Other = TForm::Create(nullptr);
  auto* F = Construct<TLifeForm>(nullptr, &Log);
  F->Show();
  PumpUntil([&] { return Log.size() >= 3; }, 1000);
  EXPECT_TRUE(IsWindowVisible(F->GetHandle()));
  Other->Show();
  PumpUntil([&] { return Log.size() >= 4; }, 1000);
  F->Close();
  Pump();
  EXPECT_FALSE(F->GetVisible());
  EXPECT_FALSE(IsWindowVisible(F->GetHandle()));
  Free(F);
  Free(Other);
  EXPECT_EQ((std::vector<std::string>{"create", "show", "activate", "deactivate", "close hide", "hide", "destroy"}), Log);
}

TEST(ModalForm, ShowingAVisibleFormModallyIsRefused) {
  TForm* F = TForm::Create(nullptr);
  F->Show();
  EXPECT_THROW(F->ShowModal(), EInvalidOperation);
  Free(F);
}

struct MdiFixture : ::testing::Test {
  TTestApplication App;
  Recorder R;
  TForm* Main = nullptr;
  std::vector<TForm*> Kids;
  void SetUp() override {
    Application->CreateForm(Main);
    Main->SetName("Main");
    Main->SetFormStyle(fsMDIForm);
    Main->SetBounds(0, 0, 600, 450);
    Main->Show();
    for (int I = 0; I < 3; ++I) {
      struct TKid : TForm {
        explicit TKid(TComponent* O) : TForm(O) {
          SetFormStyle(fsMDIChild);
          SetBounds(0, 0, 200, 150);
        }
      };
      auto* K = Construct<TKid>(Application);
      K->SetName("Doc" + std::to_string(I + 1));
      K->OnCloseQuery = TCloseQueryEvent(&R, &Recorder::Refuse);
      K->OnClose = TCloseEvent(&R, &Recorder::Closed);
      Kids.push_back(K);
    }
    Pump();
  }
};

TEST_F(MdiFixture, ChildrenAreListedAndArrangedInTheFrame) {
  ASSERT_EQ(3, Main->GetMDIChildCount());
  EXPECT_EQ(Kids[2], Main->GetActiveMDIChild());
  EXPECT_EQ(Kids[2], Main->GetMDIChildren(0));
  EXPECT_EQ(Main->GetClientHandle(), GetParent(Kids[0]->GetHandle()));
  Main->Cascade();
  Pump();
  std::vector<POINT> Tops;
  for (TForm* K : Kids) Tops.push_back(POINT{K->GetLeft(), K->GetTop()});
  EXPECT_NE(Tops[0].y, Tops[1].y);
  EXPECT_NE(Tops[1].y, Tops[2].y);
  RECT Client;
  GetClientRect(Main->GetClientHandle(), &Client);
  Main->SetTileMode(tbVertical);
  Main->Tile();
  Pump();
  // Side by side: each as tall as the client area, together as wide.
  int Width = 0;
  for (TForm* K : Kids) {
    EXPECT_EQ(Client.bottom, K->GetHeight());
    Width += K->GetWidth();
  }
  EXPECT_NEAR(Client.right, Width, 3);
  Main->SetTileMode(tbHorizontal);
  Main->Tile();
  Pump();
  for (TForm* K : Kids) EXPECT_EQ(Client.right, K->GetWidth());
  Main->Next();
  Pump();
  EXPECT_NE(Kids[2], Main->GetActiveMDIChild());
}

TEST_F(MdiFixture, ClosingTheFrameStopsOnTheFirstRefusingChild) {
  Kids[1]->SetTag(1);
  Main->OnCloseQuery = TCloseQueryEvent(&R, &Recorder::Refuse);
  Main->Close();
  Pump();
  EXPECT_FALSE(Application->GetTerminated());
  EXPECT_EQ(3, Main->GetMDIChildCount());
  // Children in z-order (Doc3 is on top), stopping at Doc2's refusal.
  EXPECT_EQ((std::vector<std::string>{"query Doc3", "query Doc2"}), R.Log);
  R.Log.clear();
  Kids[1]->SetTag(0);
  Main->Close();
  PumpUntil([&] { return Application->GetTerminated(); }, 1000);
  EXPECT_TRUE(Application->GetTerminated());
  EXPECT_EQ((std::vector<std::string>{"query Doc3", "query Doc2", "query Doc1", "query Main"}), R.Log);
}

TEST_F(MdiFixture, AChildClosedWithCaFreeGoesAway) {
  Kids[0]->Close();
  EXPECT_TRUE(PumpUntil([&] { return Main->GetMDIChildCount() == 2; }));
  EXPECT_EQ((std::vector<std::string>{"query Doc1", "close Doc1"}), R.Log);
}

TEST(MdiChild, WithoutAnMdiFrameIsRefusedCleanly) {
  TTestApplication App;
  struct TKid : TForm {
    explicit TKid(TComponent* O) : TForm(O) {
      SetFormStyle(fsMDIChild);
      SetBounds(0, 0, 200, 150);
    }
  };
  int Forms = Screen->GetFormCount();
  EXPECT_THROW(Construct<TKid>(nullptr), EInvalidOperation);
  EXPECT_EQ(Forms, Screen->GetFormCount());
}

TEST(ApplicationRun, ClosingTheMainFormEndsRun) {
  TTestApplication App;
  TForm* Main = nullptr;
  Application->CreateForm(Main);
  EXPECT_EQ(Main, Application->GetMainForm());
  TForm* Second = nullptr;
  Application->CreateForm(Second);
  EXPECT_EQ(Main, Application->GetMainForm());
  PostMessageW(Main->GetHandle(), WM_CLOSE, 0, 0);
  Application->Run();
  EXPECT_TRUE(Application->GetTerminated());
  EXPECT_TRUE(Main->GetVisible());
}

}  // namespace
