// The splash window shown while the program starts: a borderless picture cut to
// the shape of its non-magenta pixels.
#pragma once

#include <windows.h>

#include "framework/Form.h"

class TBitmap;
class TImage;

class TSplashForm : public TForm {
  SONVELT_CLASS(TSplashForm, TForm)
public:
  explicit TSplashForm(TComponent* AOwner);

  TImage* Image = nullptr;

  void FormCreate(TObject* Sender);
  void ImageClick(TObject* Sender);
};

// Gives Window the region of the bitmap's pixels that differ from Transparent, row
// runs joined into one region; the window owns the region afterwards. Returns the
// number of runs (rectangles) that went into it.
int BitmapToWindowRegion(HWND Window, TBitmap* Bitmap, COLORREF Transparent);

extern TSplashForm* SplashFormInstance;
