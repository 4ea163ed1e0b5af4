#include "app/SplashForm.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Image.h"
#include "framework/Picture.h"
#include "res/ResourceIds.h"

TSplashForm* SplashFormInstance = nullptr;

namespace {

constexpr COLORREF Magenta = RGB(255, 0, 255);

}  // namespace

TSplashForm::TSplashForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 392, 212);
  Image = TImage::Create(this);
  Image->SetParent(this);
  Image->SetAlign(alClient);
  Image->OnClick = Bind(this, &TSplashForm::ImageClick);
  OnCreate = Bind(this, &TSplashForm::FormCreate);
}

void TSplashForm::FormCreate(TObject*) {
  TBitmap* Picture = Image->GetPicture()->GetBitmap();
  try {
    Picture->LoadFromResourceID(GetModuleHandleW(nullptr), IDB_SPLASH);
  } catch (const Exception&) {
    // A program built without its picture starts without a splash shape.
    return;
  }
  SetBounds(GetLeft(), GetTop(), Picture->GetWidth(), Picture->GetHeight());
  BitmapToWindowRegion(GetHandle(), Picture, Magenta);
}

void TSplashForm::ImageClick(TObject*) { Hide(); }

int BitmapToWindowRegion(HWND Window, TBitmap* Bitmap, COLORREF Transparent) {
  HRGN Result = CreateRectRgn(0, 0, 0, 0);
  int Runs = 0;
  TCanvas* Canvas = Bitmap->GetCanvas();
  const int W = Bitmap->GetWidth(), H = Bitmap->GetHeight();
  auto AddRun = [&](int First, int Last, int Y) {
    HRGN Run = CreateRectRgn(First, Y, Last + 1, Y + 1);
    CombineRgn(Result, Result, Run, RGN_OR);
    DeleteObject(Run);
    ++Runs;
  };
  for (int Y = 0; Y < H; ++Y) {
    bool Outside = true;
    int First = 0, Last = 0;
    for (int X = 0; X < W; ++X) {
      const bool Opaque = static_cast<COLORREF>(Canvas->GetPixels(X, Y)) != Transparent;
      if (Opaque) {
        if (Outside) First = X;
        Last = X;
        Outside = false;
      } else if (!Outside) {
        AddRun(First, Last, Y);
        Outside = true;
      }
    }
    if (!Outside) AddRun(First, Last, Y);
  }
  if (!SetWindowRgn(Window, Result, TRUE)) DeleteObject(Result);
  return Runs;
}
