// The program entry: the splash window, the main window and the shared windows,
// then the message loop.
#include <windows.h>

#include "app/BookmarkForm.h"
#include "app/FormProgress.h"
#include "app/MainForm.h"
#include "app/RegionForm.h"
#include "app/SplashForm.h"
#include "app/dialogs/FreAnalysisForm.h"
#include "framework/Application.h"
#include "framework/Screen.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Screen->SetCursors(crHandPoint, LoadCursorW(nullptr, IDC_HAND));
    SplashFormInstance = TSplashForm::Create(nullptr);
    SplashFormInstance->Show();
    SplashFormInstance->Update();
    Application->SetTitle("Sonvelt");
    Application->Initialize();
    TMainForm* Main = nullptr;
    Application->CreateForm(Main);
    Application->CreateForm(FormProgressInstance);
    Application->CreateForm(BookmarkFormInstance);
    Application->CreateForm(RegionFormInstance);
    Application->CreateForm(FreAnalysisFormInstance);
    Application->Run();
  } catch (...) {
    Application->HandleException(nullptr);
    return 1;
  }
  return 0;
}
