// For demonstration programs: "--screenshot FILE.bmp" on the command line saves a
// picture of the main form once it has painted, then closes it.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"

// Saves what the screen shows inside Area as a BMP file.
inline void SaveScreenPicture(const RECT& Area, const std::string& File) {
  TBitmap* Bmp = TBitmap::Create();
  Bmp->SetSize(Area.right - Area.left, Area.bottom - Area.top);
  HDC Screen = GetDC(nullptr);
  BitBlt(Bmp->GetCanvas()->GetHandle(), 0, 0, Area.right - Area.left, Area.bottom - Area.top, Screen, Area.left,
         Area.top, SRCCOPY);
  ReleaseDC(nullptr, Screen);
  Bmp->SaveToFile(File);
  Free(Bmp);
}

// Saves what the screen shows of Wnd's window rectangle as a BMP file.
inline void SaveWindowPicture(HWND Wnd, const std::string& File) {
  RECT R;
  GetWindowRect(Wnd, &R);
  SaveScreenPicture(R, File);
}

class TWindowShot {
public:
  // Arms the shot when the command line asks for one.
  void ArmFromCommandLine(int DelayMs = 1500) {
    int Argc = 0;
    LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Argc);
    if (Argc >= 3 && std::wstring(Argv[1]) == L"--screenshot") {
      FFile = WideToUtf8(Argv[2]);
      TTimer* T = TTimer::Create(Application);
      T->SetInterval(DelayMs);
      T->OnTimer = Bind(this, &TWindowShot::Shoot);
    }
    LocalFree(Argv);
  }

private:
  void Shoot(TObject* Sender) {
    static_cast<TTimer*>(Sender)->SetEnabled(false);
    TCustomForm* F = Application->GetMainForm();
    SaveWindowPicture(F->GetHandle(), FFile);
    F->Close();
  }
  std::string FFile;
};
