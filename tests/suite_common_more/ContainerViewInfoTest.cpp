// The container view info's painting: border, background and shadow, in pixels.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"
#include "suite/common/cxContainerViewInfo.h"

namespace {
struct TPicture {
  TPicture() {
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(80, 60);
    Bitmap->GetCanvas()->GetBrush()->SetColor(clBlack);
    Bitmap->GetCanvas()->FillRect(RECT{0, 0, 80, 60});
  }
  TColor At(int X, int Y) { return Bitmap->GetCanvas()->GetPixels(X, Y); }
  TOwned<TBitmap> Bitmap{TBitmap::Create()};
};
}  // namespace

TEST(ContainerViewInfo, PaintsBorderBackgroundAndShadow) {
  TPicture P;
  TOwned<TcxContainerViewInfo> V(TcxContainerViewInfo::CreateViewInfo());
  V->BorderStyle = cbsSingle;
  V->BorderWidth = 1;
  V->BorderColor = clRed;
  V->BackgroundColor = clWhite;
  V->BorderRect = RECT{10, 10, 50, 40};
  V->Shadow = true;
  {
    TOwned<TcxCanvas> C(TcxCanvas::CreateOnCanvas(P.Bitmap->GetCanvas()));
    V->PaintAll(C.get());
  }
  const TColor Shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(P.At(9, 9), clRed);     // the border around the border rectangle
  EXPECT_EQ(P.At(50, 40), clRed);
  EXPECT_EQ(P.At(30, 25), clWhite);  // the background inside
  EXPECT_EQ(P.At(30, 42), Shadow);   // below, from three pixels in
  EXPECT_EQ(P.At(52, 30), Shadow);   // right, from three pixels down
  EXPECT_EQ(P.At(53, 43), Shadow);
  EXPECT_EQ(P.At(10, 42), clBlack);  // the shadow is offset
  EXPECT_EQ(P.At(52, 10), clBlack);
  EXPECT_EQ(P.At(54, 44), clBlack);

  TPicture Q;
  V->BorderStyle = cbsNone;
  V->Shadow = false;
  V->ShiftBy(5, 5);
  {
    TOwned<TcxCanvas> C(TcxCanvas::CreateOnCanvas(Q.Bitmap->GetCanvas()));
    V->PaintAll(C.get());
  }
  EXPECT_EQ(Q.At(15, 15), clWhite);
  EXPECT_EQ(Q.At(14, 14), clBlack);  // no border drawn
  EXPECT_EQ(Q.At(57, 47), clBlack);
}
