// A form with a menu bar of the bar manager: File (with a nested Recent menu),
// Edit and View. "--look themed|standard" picks the manager's style, "--no-theme"
// turns visual styles off, "--screenshot FILE.bmp" opens File and Recent by keys,
// saves the screen around the form and its menus, and quits.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/WindowUtils.h"
#include "tests/support/DemoPictures.h"
#include "tests/support/WindowShot.h"

namespace {
struct TDemo : TObject {
  TForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  TdxBarSubItem* File = nullptr;
  TdxBarSubItem* Recent = nullptr;
  std::string Shot;
  int Step = 0;

  TdxBarButton* Button(TdxBarItemLinks* Links, const std::string& Caption, int Image, TShortCut Key = 0) {
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetCaption(Caption);
    B->SetImageIndex(Image);
    B->SetShortCut(Key);
    Links->AddItem(B);
    return B;
  }
  TdxBarSubItem* SubItem(TdxBarItemLinks* Links, const std::string& Caption) {
    TdxBarSubItem* S = TdxBarSubItem::Create(Form);
    S->SetCaption(Caption);
    Links->AddItem(S);
    return S;
  }

  void Build(TdxBarManagerStyle Style) {
    Form->SetCaption("Menus");
    Form->SetBounds(40, 40, 520, 380);
    Form->SetColor(clBtnFace);
    Manager = TdxBarManager::Create(Form);
    Manager->SetStyle(Style);
    Manager->SetMenuAnimations(maFade);
    Manager->SetImages(DiscImages(Form, 16, {TColor(0x3070D0), TColor(0x30A050), TColor(0xC06020), TColor(0x2050C0)},
                                  clDefault, false));
    TdxBar* Bar = Manager->GetBars()->Add();
    Bar->SetCaption("Menu");
    Bar->SetIsMainMenu(true);
    Bar->SetDockingStyle(dsTop);
    TdxBarItemLinks* Menus = Bar->GetItemLinks();
    File = SubItem(Menus, "&File");
    TdxBarItemLinks* F = File->GetItemLinks();
    Button(F, "&New", 0, ShortCut('N', TShiftState{ssCtrl}));
    Button(F, "&Open...", 1, ShortCut('O', TShiftState{ssCtrl}));
    Button(F, "&Save", 2, ShortCut('S', TShiftState{ssCtrl}));
    Recent = SubItem(F, "&Recent files");
    F->GetLink(F->GetCount() - 1)->SetBeginGroup(true);
    Button(Recent->GetItemLinks(), "1 speech.wav", -1);
    Button(Recent->GetItemLinks(), "2 drums.mp3", -1);
    Button(Recent->GetItemLinks(), "3 a longer name of a take.ogg", -1);
    TdxBarButton* Exit = Button(F, "E&xit", -1);
    (void)Exit;
    F->GetLink(F->GetCount() - 1)->SetBeginGroup(true);
    TdxBarSubItem* Edit = SubItem(Menus, "&Edit");
    Button(Edit->GetItemLinks(), "&Undo", 3, ShortCut('Z', TShiftState{ssCtrl}));
    TdxBarSubItem* View = SubItem(Menus, "&View");
    Button(View->GetItemLinks(), "&Status bar", -1);
    // File can be torn off into a toolbar of its own.
    TdxBar* FileTools = Manager->GetBars()->Add();
    FileTools->SetCaption("File");
    Button(FileTools->GetItemLinks(), "&New", 0);
    Button(FileTools->GetItemLinks(), "&Open...", 1);
    File->SetDetachable(true);
    File->SetDetachingBar(FileTools->PositionInCollection());
    Bar->SetVisible(true);
  }

  static void Key(WORD Vk, bool Down) {
    INPUT I{};
    I.type = INPUT_KEYBOARD;
    I.ki.wVk = Vk;
    I.ki.dwFlags = Down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &I, sizeof(INPUT));
  }

  // Opens File and Recent by keys, then saves the screen around the form and the menus.
  void Tick(TObject* Sender) {
    auto* T = static_cast<TTimer*>(Sender);
    switch (Step++) {
      case 0:
        SetForegroundWindow(Form->GetHandle());
        Key(VK_MENU, true), Key('F', true), Key('F', false), Key(VK_MENU, false);
        break;
      case 1:
        Key('R', true), Key('R', false);
        break;
      case 2:
        Key(VK_DOWN, true), Key(VK_DOWN, false);
        break;
      default: {
        T->SetEnabled(false);
        RECT Area = QueryWindowRect(Form->GetHandle());
        for (TCustomdxBarSubItem* S : {static_cast<TCustomdxBarSubItem*>(File), static_cast<TCustomdxBarSubItem*>(Recent)})
          if (TCustomdxBarControl* W = S->GetItemLinks()->GetBarControl(); W && W->HandleAllocated()) {
            RECT M = QueryWindowRect(W->GetHandle());
            UnionRect(&Area, &Area, &M);
          }
        InflateRect(&Area, 8, 8);
        SaveScreenPicture(Area, Shot);
        Form->Close();
      }
    }
  }
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int Argc = 0;
  LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Argc);
  TDemo Demo;
  TdxBarManagerStyle Style = bmsXP;
  for (int K = 1; K < Argc; ++K) {
    std::wstring A = Argv[K];
    if (A == L"--no-theme") SubstituteUxTheme(TUxThemeEntries{});
    if (A == L"--look" && K + 1 < Argc) Style = std::wstring(Argv[++K]) == L"standard" ? bmsStandard : bmsXP;
    if (A == L"--screenshot" && K + 1 < Argc) Demo.Shot = WideToUtf8(Argv[++K]);
  }
  LocalFree(Argv);
  Application->SetTitle("Menus");
  Application->Initialize();
  Application->CreateForm(Demo.Form);
  Demo.Form->Show();
  // The bars dock into a form that has its window.
  Demo.Build(Style);
  if (!Demo.Shot.empty()) {
    TTimer* T = TTimer::Create(Application);
    T->SetInterval(700);
    T->OnTimer = Bind(&Demo, &TDemo::Tick);
  }
  Application->Run();
  return 0;
}
