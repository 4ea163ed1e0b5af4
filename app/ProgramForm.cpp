#include "app/ProgramForm.h"

#include <windows.h>

#include "res/ResourceIds.h"

void TProgramForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.WindowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINICON));
}
