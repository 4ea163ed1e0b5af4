#include "engine/TAudioTransformDisplay2.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/Canvas.h"
#include "framework/Font.h"
#include "framework/Unicode.h"

namespace {

constexpr int kScaleYWidth = 40;   // left band with the dB numbers
constexpr int kScaleXHeight = 16;  // bottom band with the X numbers
constexpr int kPadding = 4;        // keeps the end points' marks inside the plot
constexpr int kPointRadius = 2;
constexpr int kGrabRadius = 4;

void Fill(HDC DC, const RECT& R, TColor Color) {
  SetBkColor(DC, COLORREF(ColorToRGB(Color)));
  ExtTextOutW(DC, 0, 0, ETO_OPAQUE, &R, nullptr, 0, nullptr);
}

std::string NumberText(double V) {
  char Text[32];
  if (std::fabs(V - std::round(V)) < 1e-9 || std::fabs(V) >= 100) std::snprintf(Text, sizeof Text, "%.0f", V);
  else std::snprintf(Text, sizeof Text, "%.1f", V);
  return Text;
}

void DrawLabel(HDC DC, const std::string& Text, RECT R, UINT Format) {
  const std::wstring W = Utf8ToWide(Text);
  ::DrawTextW(DC, W.c_str(), int(W.size()), &R, Format | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

// The step of round numbers (1, 2 or 5 times a power of ten) that cuts Range into
// at most MaxParts parts.
double NiceStep(double Range, int MaxParts) {
  const double Raw = Range / std::max(1, MaxParts);
  const double Power = std::pow(10.0, std::floor(std::log10(Raw)));
  for (double M : {1.0, 2.0, 5.0, 10.0})
    if (M * Power >= Raw) return M * Power;
  return 10 * Power;
}

}  // namespace

TAudioTransformDisplay2::TAudioTransformDisplay2(TComponent* AOwner) : TCustomControl(AOwner) {
  TControlStyle Style = GetControlStyle();
  Style += csOpaque;
  Style += csCaptureMouse;
  SetControlStyle(Style);
  // Dragging a point repaints often: drawn off screen first, it does not flicker.
  SetDoubleBuffered(true);
  SetColor(0x40FF40);
  SetBounds(0, 0, 400, 200);
}

void TAudioTransformDisplay2::SetScaleYMin(double Value) {
  ScaleYMin = Value;
  for (TCurvePoint& P : Points) P.Y = std::max(P.Y, Value);
  Invalidate();
}

void TAudioTransformDisplay2::SetScaleYMax(double Value) {
  ScaleYMax = Value;
  for (TCurvePoint& P : Points) P.Y = std::min(P.Y, Value);
  Invalidate();
}

void TAudioTransformDisplay2::SetLineArraySize(int Value) { LineArraySize = std::max(1, Value); }

double TAudioTransformDisplay2::Slope(size_t Index) const {
  const size_t Last = Points.size() - 1;
  const size_t A = Index == 0 ? 0 : Index - 1, B = Index == Last ? Last : Index + 1;
  const double Dx = Points[B].X - Points[A].X;
  if (Dx <= 0) return 0;
  return SplineSteepnes / 32.0 * (Points[B].Y - Points[A].Y) / Dx;
}

double TAudioTransformDisplay2::CurveAt(double X) const {
  X = std::clamp(X, 0.0, 1.0);
  auto Next = std::upper_bound(Points.begin(), Points.end(), X,
                               [](double V, const TCurvePoint& P) { return V < P.X; });
  if (Next == Points.end()) return Points.back().Y;
  if (Next == Points.begin()) return Points.front().Y;
  const size_t I = size_t(Next - Points.begin()) - 1;
  const TCurvePoint &P0 = Points[I], &P1 = Points[I + 1];
  const double H = P1.X - P0.X;
  if (H <= 0) return P1.Y;
  const double T = (X - P0.X) / H;
  double Y;
  if (SplineType == 0) {
    Y = P0.Y + (P1.Y - P0.Y) * T;
  } else {
    // A cubic through both points with the slopes their neighbours give.
    const double T2 = T * T, T3 = T2 * T;
    Y = (2 * T3 - 3 * T2 + 1) * P0.Y + (T3 - 2 * T2 + T) * H * Slope(I) + (-2 * T3 + 3 * T2) * P1.Y +
        (T3 - T2) * H * Slope(I + 1);
  }
  return std::clamp(Y, ScaleYMin, ScaleYMax);
}

std::vector<float> TAudioTransformDisplay2::GetCurve() const {
  std::vector<float> Curve(static_cast<size_t>(LineArraySize));
  const double Last = LineArraySize > 1 ? LineArraySize - 1 : 1;
  for (size_t I = 0; I < Curve.size(); ++I) Curve[I] = float(CurveAt(double(I) / Last));
  return Curve;
}

RECT TAudioTransformDisplay2::PlotRect(int Width, int Height) const {
  RECT R{0, 0, Width, Height};
  if (BorderStyle != 0) InflateRect(&R, -1, -1);
  if (ScaleYVisible) R.left += kScaleYWidth;
  if (ScaleXVisible) R.bottom -= kScaleXHeight;
  InflateRect(&R, -kPadding, -kPadding);
  R.right = std::max(R.right, R.left + 2);
  R.bottom = std::max(R.bottom, R.top + 2);
  return R;
}

POINT TAudioTransformDisplay2::ToPixel(const RECT& Plot, const TCurvePoint& P) const {
  const double W = Plot.right - Plot.left - 1, H = Plot.bottom - Plot.top - 1;
  const double Range = ScaleYMax > ScaleYMin ? ScaleYMax - ScaleYMin : 1;
  return {LONG(Plot.left + std::lround(P.X * W)), LONG(Plot.top + std::lround((ScaleYMax - P.Y) / Range * H))};
}

TAudioTransformDisplay2::TCurvePoint TAudioTransformDisplay2::FromPixel(const RECT& Plot, int X, int Y) const {
  const double W = Plot.right - Plot.left - 1, H = Plot.bottom - Plot.top - 1;
  const double Tx = std::clamp((X - Plot.left) / W, 0.0, 1.0), Ty = std::clamp((Y - Plot.top) / H, 0.0, 1.0);
  return {Tx, ScaleYMax - Ty * (ScaleYMax - ScaleYMin)};
}

int TAudioTransformDisplay2::PointAt(int X, int Y) const {
  const RECT Plot = PlotRect(GetWidth(), GetHeight());
  for (size_t I = 0; I < Points.size(); ++I) {
    const POINT P = ToPixel(Plot, Points[I]);
    if (std::abs(P.x - X) <= kGrabRadius && std::abs(P.y - Y) <= kGrabRadius) return int(I);
  }
  return -1;
}

void TAudioTransformDisplay2::MovePoint(int Index, TCurvePoint To) {
  TCurvePoint& P = Points[size_t(Index)];
  P.Y = std::clamp(To.Y, ScaleYMin, ScaleYMax);
  // The ends stay at the ends; the others keep their order.
  if (Index > 0 && size_t(Index) < Points.size() - 1) {
    const double Lo = Points[size_t(Index) - 1].X, Hi = Points[size_t(Index) + 1].X;
    const double Gap = (Hi - Lo) * 1e-3;
    P.X = std::clamp(To.X, Lo + Gap, Hi - Gap);
  }
  Invalidate();
}

void TAudioTransformDisplay2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const int Hit = PointAt(X, Y);
  if (Button == mbRight) {
    if (Hit > 0 && size_t(Hit) < Points.size() - 1) {
      Points.erase(Points.begin() + Hit);
      Invalidate();
    }
    return;
  }
  if (Button != mbLeft) return;
  if (Hit >= 0) {
    Dragging = Hit;
    return;
  }
  RECT Plot = PlotRect(GetWidth(), GetHeight());
  InflateRect(&Plot, kPadding, kPadding);
  if (X < Plot.left || X >= Plot.right || Y < Plot.top || Y >= Plot.bottom) return;
  InflateRect(&Plot, -kPadding, -kPadding);
  const TCurvePoint P = FromPixel(Plot, X, Y);
  if (P.X <= 0 || P.X >= 1) return;
  auto At = std::lower_bound(Points.begin(), Points.end(), P.X,
                             [](const TCurvePoint& Q, double V) { return Q.X < V; });
  if (At->X == P.X) return;
  Dragging = int(Points.insert(At, P) - Points.begin());
  Invalidate();
}

void TAudioTransformDisplay2::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (Dragging >= 0) MovePoint(Dragging, FromPixel(PlotRect(GetWidth(), GetHeight()), X, Y));
}

void TAudioTransformDisplay2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) Dragging = -1;
}

void TAudioTransformDisplay2::Paint() { PaintTo(GetCanvas()->GetHandle(), GetWidth(), GetHeight()); }

void TAudioTransformDisplay2::PaintScales(HDC DC, const RECT& Plot, int Width, int Height) const {
  RECT Inner{0, 0, Width, Height};
  if (BorderStyle != 0) InflateRect(&Inner, -1, -1);
  ::SetTextColor(DC, COLORREF(ColorToRGB(TextColor)));
  HPEN GridPen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(GridColor)));
  HGDIOBJ OldPen = SelectObject(DC, GridPen);

  // Y: round dB values.
  const double YRange = ScaleYMax - ScaleYMin;
  if (YRange > 0) {
    const double Step = NiceStep(YRange, std::max(1, int(Plot.bottom - Plot.top) / 20));
    for (double V = std::ceil(ScaleYMin / Step - 1e-9) * Step; V <= ScaleYMax + 1e-9; V += Step) {
      const int Y = ToPixel(Plot, {0, V}).y;
      if (GridVisible) {
        MoveToEx(DC, Plot.left - kPadding, Y, nullptr);
        LineTo(DC, Plot.right + kPadding, Y);
      }
      if (ScaleYVisible)
        DrawLabel(DC, NumberText(std::fabs(V) < 1e-9 ? 0 : V), {Inner.left, Y - 7, Inner.left + kScaleYWidth - 4, Y + 7},
                 DT_RIGHT | DT_VCENTER);
    }
  }
  // X: evenly spaced, numbered by the scale (logarithmically when asked).
  const int Parts = std::max(1, int(Plot.right - Plot.left) / 80);
  const bool Log = LogScale && ScaleXMin > 0 && ScaleXMax > ScaleXMin;
  for (int K = 0; K <= Parts; ++K) {
    const double T = double(K) / Parts;
    const int X = ToPixel(Plot, {T, 0}).x;
    if (GridVisible) {
      MoveToEx(DC, X, Plot.top - kPadding, nullptr);
      LineTo(DC, X, Plot.bottom + kPadding);
    }
    if (!ScaleXVisible) continue;
    const double V = Log ? ScaleXMin * std::pow(ScaleXMax / ScaleXMin, T) : ScaleXMin + T * (ScaleXMax - ScaleXMin);
    const UINT Align = K == 0 ? DT_LEFT : K == Parts ? DT_RIGHT : DT_CENTER;
    const int Left = K == 0 ? X - kPadding : K == Parts ? X - 100 + kPadding : X - 50;
    DrawLabel(DC, NumberText(V), {Left, Inner.bottom - kScaleXHeight, Left + 100, Inner.bottom}, Align | DT_VCENTER);
  }
  SelectObject(DC, OldPen);
  DeleteObject(GridPen);
}

void TAudioTransformDisplay2::PaintTo(HDC DC, int Width, int Height) const {
  RECT All{0, 0, Width, Height};
  Fill(DC, All, ScaleColor);
  if (BorderStyle != 0) {
    HBRUSH Brush = CreateSolidBrush(COLORREF(ColorToRGB(BorderColor)));
    FrameRect(DC, &All, Brush);
    DeleteObject(Brush);
  }
  const RECT Plot = PlotRect(Width, Height);
  RECT Back = Plot;
  InflateRect(&Back, kPadding, kPadding);
  Fill(DC, Back, BackColor);

  SetBkMode(DC, TRANSPARENT);
  HGDIOBJ OldFont = SelectObject(DC, GetFont()->GetHandle());
  PaintScales(DC, Plot, Width, Height);

  // The captions sit in the plot's corners: the Y one at the top, the X one at the end.
  ::SetTextColor(DC, COLORREF(ColorToRGB(GetFont()->GetColor())));
  DrawLabel(DC, ScaleYCaption, {Plot.left + 2, Plot.top, Plot.right, Plot.top + 14}, DT_LEFT | DT_TOP);
  DrawLabel(DC, ScaleXCaption, {Plot.left, Plot.bottom - 14, Plot.right - 2, Plot.bottom}, DT_RIGHT | DT_BOTTOM);
  SelectObject(DC, OldFont);

  std::vector<POINT> Line;
  const int W = Plot.right - Plot.left;
  Line.reserve(size_t(W));
  for (int I = 0; I < W; ++I) {
    const double X = W > 1 ? double(I) / (W - 1) : 0;
    Line.push_back(ToPixel(Plot, {X, CurveAt(X)}));
  }
  HPEN CurvePen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(GetColor())));
  HGDIOBJ OldPen = SelectObject(DC, CurvePen);
  Polyline(DC, Line.data(), int(Line.size()));
  SelectObject(DC, OldPen);
  DeleteObject(CurvePen);

  for (const TCurvePoint& P : Points) {
    const POINT C = ToPixel(Plot, P);
    Fill(DC, {C.x - kPointRadius, C.y - kPointRadius, C.x + kPointRadius + 1, C.y + kPointRadius + 1}, PointColor);
  }
}
