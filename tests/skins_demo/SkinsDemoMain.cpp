// The recording window's skinned controls with the program's own skin (left)
// and without a skin (right): two level gauges moved by a timer, the six
// buttons with their glyphs (one pressed, one under the mouse, one disabled),
// the flat check box and the volume bar. "--screenshot FILE.bmp" paints the
// window into a bitmap after a few timer steps, saves it and quits.
#include <windows.h>

#include <shellapi.h>

#include <cmath>
#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/MemoryStreams.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "res/ResourceIds.h"
#include "skins/SkinButton.h"
#include "skins/SkinCheckRadioBox.h"
#include "skins/SkinData.h"
#include "skins/SkinGauge.h"
#include "skins/SkinPngImageList.h"
#include "skins/SkinStore.h"
#include "skins/SkinTrackBar.h"

namespace {

struct TDemo : TObject {
  TspSkinGauge* Gauges[4]{};
  int Step = 0;

  void Tick(TObject*) {
    ++Step;
    for (int i = 0; i < 4; ++i) {
      const double level = 0.55 + 0.4 * std::sin(Step * 0.21 + (i % 2) * 1.3) * std::cos(Step * 0.05);
      Gauges[i]->SetValue(int(level * 32512));
    }
  }
};

TspPngImageList* Glyphs(TComponent* Owner) {
  auto* list = TspPngImageList::Create(Owner);
  list->SetPngWidth(24);
  list->SetPngHeight(24);
  for (int id : {IDP_REC_RECORD, IDP_REC_PAUSE, IDP_REC_DELETE, IDP_REC_TIMER, IDP_REC_MIXER, IDP_REC_SILENCE}) {
    auto* item = static_cast<TspPngImageItem*>(list->GetPngImages()->Add());
    TOwned<TResourceStream> png(TResourceStream::Create(GetModuleHandleW(nullptr), id, RT_RCDATA));
    item->GetPngImage()->LoadFromStream(png.get());
  }
  return list;
}

// One column of the window's controls at x, skinned when Data is given.
void AddControls(TForm* Form, int X, TspSkinData* Data, TspPngImageList* Images, TDemo& Demo, int Column) {
  auto* title = TLabel::Create(Form);
  title->SetCaption(Data ? "With the skin" : "Without a skin");
  title->GetFont()->SetColor(clWhite);
  title->SetBounds(X, 10, 200, 16);
  title->SetParent(Form);
  for (int i = 0; i < 2; ++i) {
    auto* gauge = TspSkinGauge::Create(Form);
    gauge->SetVertical(true);
    gauge->SetMaxValue(32512);
    gauge->SetBounds(X + i * 24, 36, 19, 193);
    gauge->SetParent(Form);
    gauge->SetSkinData(Data);
    Demo.Gauges[Column * 2 + i] = gauge;
  }
  const char* const captions[6] = {"Record", "Pause", "Delete", "Timer Record", "Windows Mixer", "Settings"};
  for (int i = 0; i < 6; ++i) {
    auto* button = TspSkinButton::Create(Form);
    button->SetCaption(captions[i]);
    button->SetBounds(X + 56, 36 + i * 34, 110, 30);
    button->SetImageList(Images);
    button->SetImageIndex(i);
    button->SetCanFocused(false);
    button->SetParent(Form);
    button->SetSkinData(Data);
    if (i == 1) button->SetDown(true);
    if (i == 2) button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
    if (i == 5) button->SetEnabled(false);
  }
  auto* track = TspSkinTrackBar::Create(Form);
  track->SetVertical(true);
  track->SetMaxValue(65535);
  track->SetValue(40000);
  track->SetBounds(X + 178, 36, 18, 193);
  track->SetParent(Form);
  track->SetSkinDataName("trackbar");
  track->SetSkinData(Data);
  for (int i = 0; i < 2; ++i) {
    auto* box = TspSkinCheckRadioBox::Create(Form);
    box->SetCaption(i == 0 ? "Recording without silence" : "Grayed");
    box->GetDefaultFont()->SetColor(clWhite);
    box->SetBounds(X, 240 + i * 26, 240, 25);
    box->SetParent(Form);
    box->SetSkinDataName("checkradio");
    box->SetSkinData(Data);
    if (i == 0) box->SetChecked(true);
    else box->SetState(cbGrayed);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::string shot;
  for (int i = 1; i < argc; ++i)
    if (std::wstring(argv[i]) == L"--screenshot" && i + 1 < argc) shot = WideToUtf8(argv[++i]);
  LocalFree(argv);

  Application->SetTitle("Sonvelt skinned controls");
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption("Sonvelt skinned controls");
  form->SetColor(TColor(0x00423630));
  form->SetClientWidth(500);
  form->SetClientHeight(300);

  auto* stored = TspCompressedStoredSkin::Create(form);
  TOwned<TResourceStream> skin(TResourceStream::Create(GetModuleHandleW(nullptr), IDR_COOLSKIN, RT_RCDATA));
  stored->LoadFromCompressedStream(skin.get());
  auto* data = TspSkinData::Create(form);
  data->SetCompressedStoredSkin(stored);
  TspPngImageList* images = Glyphs(form);

  TDemo demo;
  AddControls(form, 12, data, images, demo, 0);
  AddControls(form, 262, nullptr, images, demo, 1);
  auto* timer = TTimer::Create(form);
  timer->SetInterval(40);
  timer->OnTimer = Bind(&demo, &TDemo::Tick);

  if (!shot.empty()) {
    form->Show();
    for (int i = 0; i < 12; ++i) demo.Tick(nullptr);
    // Long enough for the hot button's morph (five 20 ms steps) to finish.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 400) {
      Application->ProcessMessages();
      Sleep(5);
    }
    TOwned<TBitmap> picture(TBitmap::Create());
    picture->SetPixelFormat(pf24bit);
    picture->SetSize(form->GetClientWidth(), form->GetClientHeight());
    form->PaintTo(picture->GetCanvas()->GetHandle(), 0, 0);
    picture->SaveToFile(shot);
    return 0;
  }
  Application->Run();
  return 0;
}
