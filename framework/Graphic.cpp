#include "framework/Graphic.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value) Changed(this);
  else FModified = false;
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  OnChange(this);
}

void TGraphic::LoadFromClipboardFormat(WORD, HANDLE, HPALETTE) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::AssignTo(TPersistent* Dest) {
  auto* bmp = dynamic_cast<TBitmap*>(Dest);
  if (!bmp) {
    TInterfacedPersistent::AssignTo(Dest);
    return;
  }
  bmp->SetSize(0, 0);
  if (bmp->GetPixelFormat() == pfDevice) bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(GetWidth(), GetHeight());
  if (GetEmpty()) return;
  TCanvas* c = bmp->GetCanvas();
  c->GetBrush()->SetColor(clWhite);
  c->FillRect(RECT{0, 0, GetWidth(), GetHeight()});
  c->Draw(0, 0, this);
}
