// Pictures for the demonstration programs' image lists.
#pragma once

#include <initializer_list>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"

// A disc of Colour with a Rim (clDefault: half as bright as the disc) on a magenta
// key, with a white square in its middle when Square.
inline TBitmap* DiscPicture(int Size, TColor Colour, TColor Rim, bool Square) {
  TBitmap* B = TBitmap::Create();
  B->SetSize(Size, Size);
  TCanvas* C = B->GetCanvas();
  C->GetBrush()->SetColor(clFuchsia);
  C->FillRect(RECT{0, 0, Size, Size});
  C->GetBrush()->SetColor(Colour);
  C->GetPen()->SetColor(Rim == clDefault ? TColor(ColorToRGB(Colour) / 2 & 0x7F7F7F) : Rim);
  C->Ellipse(1, 1, Size - 1, Size - 1);
  if (Square) {
    C->GetBrush()->SetColor(clWhite);
    C->Rectangle(Size / 3, Size / 3, Size - Size / 3, Size - Size / 3);
  }
  return B;
}

// An image list of Size-pixel discs, one a colour, masked by the magenta key.
inline TImageList* DiscImages(TComponent* Owner, int Size, std::initializer_list<TColor> Colours, TColor Rim,
                              bool Square) {
  TImageList* L = TImageList::Create(Owner);
  L->SetWidth(Size);
  L->SetHeight(Size);
  for (TColor C : Colours) {
    TBitmap* B = DiscPicture(Size, C, Rim, Square);
    L->AddMasked(B, clFuchsia);
    Free(B);
  }
  return L;
}
