// What the demonstrations of the bar looks share: their command line, and the
// pictures of their windows taken one at a time.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "suite/common/ThemeManager.h"
#include "tests/support/WindowShot.h"

// Reads "--no-theme" (visual styles off) and "--screenshots DIR"; gives DIR, or
// "" when the windows are to stay up.
inline std::string ReadLookDemoArguments() {
  std::string Folder;
  int Argc = 0;
  LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Argc);
  for (int K = 1; K < Argc; ++K) {
    std::wstring A = Argv[K];
    if (A == L"--no-theme") SubstituteUxTheme(TUxThemeEntries{});
    if (A == L"--screenshots" && K + 1 < Argc) Folder = WideToUtf8(Argv[++K]);
  }
  LocalFree(Argv);
  return Folder;
}

// Shows or hides the windows Owner owns (its floating toolbars).
inline void ShowOwned(HWND Owner, bool Show) {
  struct TArgs {
    HWND Owner;
    bool Show;
  } Args{Owner, Show};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND Wnd, LPARAM P) -> BOOL {
        auto* A = reinterpret_cast<TArgs*>(P);
        if (GetWindow(Wnd, GW_OWNER) == A->Owner) ShowWindow(Wnd, A->Show ? SW_SHOWNOACTIVATE : SW_HIDE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Args));
}

struct TLookShot {
  TForm* Form;
  std::string File;  // the picture's name, without ".bmp"
};

// Once the windows had time to settle, saves Folder\File.bmp of each form and
// closes the main form. Only the form pictured is on the screen, so no other
// covers it; Shown brings along the windows a form owns (its floating bars).
class TLookShooter : public TObject {
public:
  TLookShooter(std::string Folder, std::vector<TLookShot> Shots, std::function<void(HWND, bool)> Shown = nullptr)
      : FFolder(std::move(Folder)), FShots(std::move(Shots)), FShown(std::move(Shown)) {
    TTimer* T = TTimer::Create(Application);
    T->SetInterval(1500);
    T->OnTimer = Bind(this, &TLookShooter::Shoot);
  }

private:
  void Shoot(TObject* Sender) {
    static_cast<TTimer*>(Sender)->SetEnabled(false);
    for (const TLookShot& S : FShots) {
      HWND Wnd = S.Form->GetHandle();
      for (const TLookShot& Other : FShots)
        if (Other.Form != S.Form) {
          if (FShown) FShown(Other.Form->GetHandle(), false);
          ShowWindow(Other.Form->GetHandle(), SW_HIDE);
        }
      ShowWindow(Wnd, SW_SHOWNOACTIVATE);
      SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      if (FShown) FShown(Wnd, true);
      RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      Application->ProcessMessages();
      Sleep(300);
      Application->ProcessMessages();
      SaveWindowPicture(Wnd, FFolder + "\\" + S.File + ".bmp");
    }
    Application->GetMainForm()->Close();
  }
  std::string FFolder;
  std::vector<TLookShot> FShots;
  std::function<void(HWND, bool)> FShown;
};
