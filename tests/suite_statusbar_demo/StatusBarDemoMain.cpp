// One status bar per paint style, each with panels of every style (text with an
// image, a shortened path, lamps, keyboard states, a container holding a control
// and a flexible text panel), a bar without panels, and along the bottom the bar
// as the main window configures it, with its size grip. "--screenshot FILE.bmp"
// saves a picture and quits; "--no-theme" draws as with visual styles off.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "suite/common/ThemeManager.h"
#include "suite/navbar/StatusBar.h"
#include "suite/navbar/StatusBarContainer.h"
#include "suite/navbar/StatusBarKeyboardState.h"
#include "suite/navbar/StatusBarStateIndicators.h"
#include "tests/support/WindowShot.h"

namespace {
// A 16 x 16 picture: a blue note head with its stem on a magenta key.
TImageList* Images(TComponent* Owner) {
  TImageList* L = TImageList::Create(Owner);
  TBitmap* B = TBitmap::Create();
  B->SetSize(16, 16);
  TCanvas* C = B->GetCanvas();
  C->GetBrush()->SetColor(clFuchsia);
  C->FillRect(RECT{0, 0, 16, 16});
  C->GetBrush()->SetColor(TColor(0xB05020));
  C->GetPen()->SetColor(TColor(0x602810));
  C->Ellipse(2, 9, 9, 15);
  C->FillRect(RECT{8, 2, 10, 12});
  C->FillRect(RECT{8, 2, 14, 4});
  L->AddMasked(B, clFuchsia);
  Free(B);
  return L;
}

TdxStatusBarPanel* AddPanel(TdxStatusBar* Bar, const char* Style, int Width = -1) {
  TdxStatusBarPanel* P = Bar->GetPanels()->Add();
  P->SetPanelStyleClassName(Style);
  if (Width >= 0) P->SetWidth(Width);
  return P;
}

void AddEveryPanelStyle(TdxStatusBar* Bar, TForm* Form) {
  TdxStatusBarPanel* Ready = AddPanel(Bar, "TdxStatusBarTextPanelStyle", 90);
  Ready->SetText("Ready");
  static_cast<TdxStatusBarTextPanelStyle*>(Ready->GetPanelStyle())->SetImageIndex(0);

  TdxStatusBarPanel* Path = AddPanel(Bar, "TdxStatusBarTextPanelStyle", 150);
  Path->SetText("C:\\Music\\Concert recordings\\2024\\Evening.wav");
  static_cast<TdxStatusBarTextPanelStyle*>(Path->GetPanelStyle())->SetEllipsisType(dxetSmartPath);

  auto* Lamps = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(
      AddPanel(Bar, "TdxStatusBarStateIndicatorPanelStyle")->GetPanelStyle());
  for (TdxStatusBarStateIndicatorType T : {sitRed, sitYellow, sitGreen, sitBlue, sitOff})
    Lamps->GetIndicators()->Add()->SetIndicatorType(T);

  AddPanel(Bar, "TdxStatusBarKeyboardStatePanelStyle");

  auto* Box = static_cast<TdxStatusBarContainerPanelStyle*>(
      AddPanel(Bar, "TdxStatusBarContainerPanelStyle", 80)->GetPanelStyle());
  TPanel* Level = TPanel::Create(Form);
  Level->SetCaption("container");
  Level->SetColor(TColor(0xC8E8C8));
  Level->SetParent(Box->GetContainer());

  TdxStatusBarPanel* Rest = AddPanel(Bar, "TdxStatusBarTextPanelStyle", 60);
  Rest->SetText("flexible");
  Rest->SetFixed(false);
  static_cast<TdxStatusBarTextPanelStyle*>(Rest->GetPanelStyle())->SetAlignment(taCenter);
}

struct TRow {
  const char* Title;
  TdxStatusBarPaintStyle Style;
  int BorderWidth;
  bool Native;
  bool Panels;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int Argc = 0;
  LPWSTR* Argv = CommandLineToArgvW(GetCommandLineW(), &Argc);
  for (int K = 1; K < Argc; ++K)
    if (std::wstring(Argv[K]) == L"--no-theme") SubstituteUxTheme(TUxThemeEntries{});
  LocalFree(Argv);

  Application->SetTitle("Status bars");
  Application->Initialize();
  TForm* Form = nullptr;
  Application->CreateForm(Form);
  Form->SetCaption("Status bars");
  TImageList* Small = Images(Form);
  const TRow Rows[] = {
      {"Standard", stpsStandard, 0, false, true},
      {"Standard, border width 3", stpsStandard, 3, false, true},
      {"Flat", stpsFlat, 0, false, true},
      {"XP (the visual style; standard without it)", stpsXP, 0, false, true},
      {"Office 11", stpsOffice11, 0, false, true},
      {"Look-and-feel, native style (else ultra-flat: flat)", stpsUseLookAndFeel, 0, true, true},
      {"Standard without panels", stpsStandard, 0, false, false},
  };
  const int W = 760, Step = 46;
  Form->SetBounds(10, 10, W + 40, 100);
  Form->SetClientWidth(W + 16);
  Form->SetClientHeight(8 + Step * static_cast<int>(std::size(Rows)) + 40);
  int Y = 8;
  for (const TRow& R : Rows) {
    TLabel* Title = TLabel::Create(Form);
    Title->SetParent(Form);
    Title->SetBounds(8, Y, W, 16);
    Title->SetCaption(R.Title);
    auto* Bar = TdxStatusBar::Create(Form);
    Bar->SetAlign(alNone);
    Bar->SetBounds(8, Y + 17, W, R.BorderWidth ? 28 : 22);
    Bar->SetParent(Form);
    Bar->SetImages(Small);
    Bar->SetPaintStyle(R.Style);
    Bar->SetBorderWidth(R.BorderWidth);
    Bar->GetLookAndFeel()->SetNativeStyle(R.Native);
    if (R.Panels) AddEveryPanelStyle(Bar, Form);
    Y += Step + (R.BorderWidth ? 6 : 0);
  }
  Form->SetClientHeight(Y + 44);

  // The main window's bar: XP, two text panels of 130 and 400, the grip.
  TLabel* Title = TLabel::Create(Form);
  Title->SetParent(Form);
  Title->SetBounds(8, Y, W, 16);
  Title->SetCaption("Main window (bottom, with the size grip):");
  auto* Main = TdxStatusBar::Create(Form);
  Main->SetHeight(21);
  Main->SetParent(Form);
  Main->SetPaintStyle(stpsXP);
  Main->GetFont()->SetName("MS Sans Serif");
  Main->GetFont()->SetHeight(-11);
  TdxStatusBarPanel* First = AddPanel(Main, "TdxStatusBarTextPanelStyle", 130);
  First->SetText("0:01:05.250");
  TdxStatusBarPanel* Second = AddPanel(Main, "TdxStatusBarTextPanelStyle", 400);
  Second->SetText("44100 Hz, 16-bit, Stereo");

  TWindowShot Shot;
  Shot.ArmFromCommandLine();
  Application->Run();
  return 0;
}
