#include "framework/Shape.h"

#include <algorithm>

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(GetControlStyle() + csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* C = GetCanvas();
  TColor Dark = clBtnShadow, Light = clBtnHighlight;
  TColor First = FStyle == bsLowered ? Dark : Light, Second = FStyle == bsLowered ? Light : Dark;
  int W = GetWidth(), H = GetHeight();
  auto Line = [C](TColor Color, int X1, int Y1, int X2, int Y2) {
    C->GetPen()->SetColor(Color);
    C->GetPen()->SetWidth(1);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  };
  switch (FShape) {
    case bsBox:
      Line(First, 0, H - 1, 0, 0);
      Line(First, 0, 0, W - 1, 0);
      Line(Second, W - 1, 0, W - 1, H - 1);
      Line(Second, W - 1, H - 1, 0, H - 1);
      break;
    case bsFrame:
      Line(First, 0, H - 2, 0, 0);
      Line(First, 0, 0, W - 2, 0);
      Line(First, W - 2, 0, W - 2, H - 2);
      Line(First, W - 2, H - 2, 0, H - 2);
      Line(Second, 1, H - 3, 1, 1);
      Line(Second, 1, 1, W - 3, 1);
      Line(Second, W - 1, 0, W - 1, H - 1);
      Line(Second, W - 1, H - 1, -1, H - 1);
      break;
    case bsTopLine:
      Line(First, 0, 0, W, 0);
      Line(Second, 0, 1, W, 1);
      break;
    case bsBottomLine:
      Line(First, 0, H - 2, W, H - 2);
      Line(Second, 0, H - 1, W, H - 1);
      break;
    case bsLeftLine:
      Line(First, 0, 0, 0, H);
      Line(Second, 1, 0, 1, H);
      break;
    case bsRightLine:
      Line(First, W - 2, 0, W - 2, H);
      Line(Second, W - 1, 0, W - 1, H);
      break;
    case bsSpacer: break;
  }
}

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(Construct<TPen>()), FBrush(Construct<TBrush>()) {
  SetControlStyle(GetControlStyle() + csReplicatable);
  SetBounds(0, 0, 65, 65);
  FPen->OnChange = Bind(this, &TShape::StyleChanged);
  FBrush->OnChange = Bind(this, &TShape::StyleChanged);
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType Value) {
  FShape = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* C = GetCanvas();
  C->SetPen(FPen.get());
  C->SetBrush(FBrush.get());
  int PW = C->GetPen()->GetWidth();
  int X = PW / 2, Y = PW / 2;
  int W = GetWidth() - PW + 1, H = GetHeight() - PW + 1;
  if (PW == 0) {
    --W;
    --H;
  }
  if (W < H && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
    Y += (H - W) / 2;
    H = W;
  } else if (H < W && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
    X += (W - H) / 2;
    W = H;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare: C->Rectangle(X, Y, X + W, Y + H); break;
    case stRoundRect:
    case stRoundSquare: C->RoundRect(X, Y, X + W, Y + H, std::min(W, H) / 4, std::min(W, H) / 4); break;
    case stEllipse:
    case stCircle: C->Ellipse(X, Y, X + W, Y + H); break;
  }
}
