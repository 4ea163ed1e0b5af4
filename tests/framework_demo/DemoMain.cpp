// Shows the demonstration window. With "--screenshot FILE.bmp" it saves a picture
// of the window once it has painted and quits, for checking a run without a user.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "tests/framework_demo/DemoForm.h"

namespace {
struct TShooter : TObject {
  std::string File;
  void Shoot(TObject* Sender) {
    static_cast<TTimer*>(Sender)->SetEnabled(false);
    TCustomForm* F = Application->GetMainForm();
    RECT R;
    GetWindowRect(F->GetHandle(), &R);
    TBitmap* Bmp = TBitmap::Create();
    Bmp->SetSize(R.right - R.left, R.bottom - R.top);
    HDC Screen = GetDC(nullptr);
    BitBlt(Bmp->GetCanvas()->GetHandle(), 0, 0, R.right - R.left, R.bottom - R.top, Screen, R.left, R.top, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    Bmp->SaveToFile(File);
    Free(Bmp);
    F->Close();
  }
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->SetTitle("Sonvelt controls");
  Application->Initialize();
  TDemoForm* Form = nullptr;
  Application->CreateForm(Form);
  TShooter Shooter;
  int Argc = 0;
  LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Argc);
  if (Argc >= 3 && std::wstring(Argv[1]) == L"--screenshot") {
    Shooter.File = WideToUtf8(Argv[2]);
    TTimer* T = TTimer::Create(Application);
    T->SetInterval(1500);
    T->OnTimer = Bind(&Shooter, &TShooter::Shoot);
  }
  LocalFree(Argv);
  Application->Run();
  return 0;
}
