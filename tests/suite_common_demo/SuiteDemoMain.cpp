// Shows the painter gallery in a window. "--screenshot FILE.bmp" paints it into a
// bitmap, saves that and quits; "--no-theme" draws as with visual styles off.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Unicode.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxCanvas.h"
#include "tests/suite_common_demo/SuiteGallery.h"

namespace {

struct TGalleryPainter : TObject {
  void Paint(TObject* Sender) {
    auto* form = static_cast<TCustomForm*>(Sender);
    TOwned<TcxCanvas> canvas(TcxCanvas::Create(form->GetCanvas()));
    PaintGallery(canvas.get());
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::string shot;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--no-theme") SubstituteUxTheme(TUxThemeEntries{});
    if (a == L"--screenshot" && i + 1 < argc) shot = WideToUtf8(argv[++i]);
  }
  LocalFree(argv);
  if (!shot.empty()) {
    TOwned<TBitmap> picture(TBitmap::Create());
    picture->SetPixelFormat(pf24bit);
    picture->SetSize(GalleryWidth, GalleryHeight);
    {
      TOwned<TcxCanvas> canvas(TcxCanvas::Create(picture->GetCanvas()));
      PaintGallery(canvas.get());
    }
    picture->SaveToFile(shot);
    return 0;
  }
  Application->SetTitle("Sonvelt painters");
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetClientWidth(GalleryWidth);
  form->SetClientHeight(GalleryHeight);
  TGalleryPainter painter;
  form->OnPaint = Bind(&painter, &TGalleryPainter::Paint);
  Application->Run();
  return 0;
}
