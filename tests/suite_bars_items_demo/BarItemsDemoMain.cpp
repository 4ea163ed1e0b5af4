// The bar library's month calendar: as the date dialog embeds it (with its client
// edge) and in its framed popup look, each with a selected day; the month shown is
// the one of the selection. "--screenshot FILE.bmp" saves a picture and quits.
#include <windows.h>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "suite/bars/BarCalendar.h"
#include "tests/support/WindowShot.h"

namespace {
void AddCalendar(TForm* Form, int X, const char* Title, int Style, TDateTime Selected) {
  TLabel* L = TLabel::Create(Form);
  L->SetParent(Form);
  L->SetBounds(X, 8, 200, 16);
  L->SetCaption(Title);
  TdxBarDateNavigator* N = TdxBarDateNavigator::Create(Form);
  N->SetStyle(Style);
  N->SetLeft(X);
  N->SetTop(28);
  N->SetParent(Form);
  N->SetSelStart(Selected);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->SetTitle("Calendars");
  Application->Initialize();
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetCaption("Calendars");
  Form->SetBounds(10, 10, 100, 100);
  Form->SetClientWidth(440);
  Form->SetClientHeight(230);
  AddCalendar(Form, 8, "Dialog: 29 February 2024", 0, EncodeDate(2024, 2, 29));
  AddCalendar(Form, 220, "Framed: 1 September 2024", 1, EncodeDate(2024, 9, 1));
  TWindowShot Shot;
  Shot.ArmFromCommandLine();
  Form->Show();
  Application->Run();
  return 0;
}
