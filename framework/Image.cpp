#include "framework/Image.h"

#include "framework/Graphic.h"

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(GetControlStyle() + csReplicatable);
  SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
  GetCanvas()->SetFont(GetFont());
  GetCanvas()->GetBrush()->SetColor(GetColor());
  OnPaint(this);
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(Construct<TPicture>()) {
  SetControlStyle(GetControlStyle() + csReplicatable);
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = Bind(this, &TImage::PictureChanged);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetStretch(bool Value) { FStretch = Value; PictureChanged(this); }
void TImage::SetCenter(bool Value) { FCenter = Value; Invalidate(); }
void TImage::SetProportional(bool Value) { FProportional = Value; Invalidate(); }
void TImage::SetAutoSize(bool Value) { FAutoSize = Value; PictureChanged(this); }

void TImage::SetTransparent(bool Value) {
  FTransparent = Value;
  PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
  TGraphic* G = FPicture->GetGraphic();
  if (G) {
    G->SetTransparent(FTransparent);
    if (FAutoSize && G->GetWidth() > 0 && G->GetHeight() > 0) SetBounds(GetLeft(), GetTop(), G->GetWidth(), G->GetHeight());
  }
  Invalidate();
}

RECT TImage::DestRect() const {
  int W = FPicture->GetWidth(), H = FPicture->GetHeight();
  int CW = GetWidth(), CH = GetHeight();
  if (FStretch || (FProportional && (W > CW || H > CH))) {
    if (FProportional && W > 0 && H > 0) {
      double XY = static_cast<double>(W) / H;
      if (CW / XY <= CH) {
        W = CW;
        H = static_cast<int>(CW / XY);
      } else {
        H = CH;
        W = static_cast<int>(CH * XY);
      }
    } else {
      W = CW;
      H = CH;
    }
  }
  RECT R{0, 0, W, H};
  if (FCenter) OffsetRect(&R, (CW - W) / 2, (CH - H) / 2);
  return R;
}

void TImage::Paint() {
  TGraphic* G = FPicture->GetGraphic();
  if (!G || G->GetEmpty()) return;
  GetCanvas()->StretchDraw(DestRect(), G);
}
