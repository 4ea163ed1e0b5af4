// Shows the demonstration window. With "--screenshot FILE.bmp" it saves a picture
// of the window once it has painted and quits, for checking a run without a user.
#include <windows.h>

#include "framework/Application.h"
#include "tests/framework_demo/DemoForm.h"
#include "tests/support/WindowShot.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->SetTitle("Sonvelt controls");
  Application->Initialize();
  TDemoForm* Form = nullptr;
  Application->CreateForm(Form);
  TWindowShot Shot;
  Shot.ArmFromCommandLine();
  Application->Run();
  return 0;
}
