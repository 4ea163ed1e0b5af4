// The curve display: points placed, moved and removed with the mouse, the curve
// read back in dB, and what it paints.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "engine/TAudioTransformDisplay2.h"
#include "framework/Colors.h"
#include "framework/Form.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/MemoryDC.h"

namespace {

constexpr int W = 400, H = 200;

// The display on a form of its own: the mouse needs a window.
struct TDisplayOnForm {
  TOwned<TForm> Form = Make<TForm>();
  TAudioTransformDisplay2* D = nullptr;
  TDisplayOnForm() {
    D = TAudioTransformDisplay2::Create(Form.get());
    D->SetParent(Form.get());
    D->SetBounds(0, 0, W, H);
  }
  TAudioTransformDisplay2* operator->() const { return D; }
  TAudioTransformDisplay2& operator*() const { return *D; }
};



void Mouse(TAudioTransformDisplay2& D, UINT Msg, int X, int Y, WPARAM Keys = 0) {
  D.Perform(Msg, Keys, MAKELPARAM(X, Y));
}

void LeftClick(TAudioTransformDisplay2& D, int X, int Y) {
  Mouse(D, WM_LBUTTONDOWN, X, Y, MK_LBUTTON);
  Mouse(D, WM_LBUTTONUP, X, Y);
}

void Drag(TAudioTransformDisplay2& D, POINT From, POINT To) {
  Mouse(D, WM_LBUTTONDOWN, From.x, From.y, MK_LBUTTON);
  Mouse(D, WM_MOUSEMOVE, (From.x + To.x) / 2, (From.y + To.y) / 2, MK_LBUTTON);
  Mouse(D, WM_MOUSEMOVE, To.x, To.y, MK_LBUTTON);
  Mouse(D, WM_LBUTTONUP, To.x, To.y);
}

}  // namespace

TEST(TransformDisplay, UntouchedCurveIsFlatAtZeroDb) {
  TDisplayOnForm D;
  EXPECT_EQ(1024, D->GetLineArraySize());
  D->SetLineArraySize(7);
  EXPECT_EQ(std::vector<float>(7, 0.0f), D->GetCurve());
  D->SetLineArraySize(0);
  EXPECT_EQ(1u, D->GetCurve().size());
}

TEST(TransformDisplay, MousePlacesMovesAndRemovesPoints) {
  TDisplayOnForm D;
  const RECT Plot = D->PlotRect(W, H);
  const int MidX = (Plot.left + Plot.right - 1) / 2;
  // A click on the bottom row puts a point at the scale's minimum.
  LeftClick(*D, MidX, Plot.bottom - 1);
  ASSERT_EQ(3u, D->GetPoints().size());
  const auto P = D->GetPoints()[1];
  EXPECT_NEAR(0.5, P.X, 0.01);
  EXPECT_DOUBLE_EQ(-20.0, P.Y);
  EXPECT_DOUBLE_EQ(-20.0, D->CurveAt(P.X));
  EXPECT_DOUBLE_EQ(0.0, D->CurveAt(0));
  EXPECT_DOUBLE_EQ(0.0, D->CurveAt(1));

  // Dragged to the top row: the maximum; dragged beyond the plot, it stays inside.
  Drag(*D, {MidX, Plot.bottom - 1}, {MidX, Plot.top});
  EXPECT_DOUBLE_EQ(20.0, D->GetPoints()[1].Y);
  Drag(*D, {MidX, Plot.top}, {MidX, Plot.top - 50});
  EXPECT_DOUBLE_EQ(20.0, D->GetPoints()[1].Y);

  // The left end moves up and down only.
  Drag(*D, {Plot.left, (Plot.top + Plot.bottom - 1) / 2}, {Plot.left + 60, Plot.bottom - 1});
  EXPECT_DOUBLE_EQ(0.0, D->GetPoints()[0].X);
  EXPECT_DOUBLE_EQ(-20.0, D->GetPoints()[0].Y);

  // A right click removes an inner point, never an end.
  Mouse(*D, WM_RBUTTONDOWN, Plot.left, Plot.bottom - 1);
  Mouse(*D, WM_RBUTTONUP, Plot.left, Plot.bottom - 1);
  EXPECT_EQ(3u, D->GetPoints().size());
  Mouse(*D, WM_RBUTTONDOWN, MidX, Plot.top);
  Mouse(*D, WM_RBUTTONUP, MidX, Plot.top);
  EXPECT_EQ(2u, D->GetPoints().size());
  // A click outside the plot (on the scale) adds nothing.
  LeftClick(*D, 2, H - 2);
  EXPECT_EQ(2u, D->GetPoints().size());
}

TEST(TransformDisplay, StraightOrSmoothThroughThePoints) {
  TDisplayOnForm D;
  const RECT Plot = D->PlotRect(W, H);
  LeftClick(*D, (Plot.left + Plot.right - 1) / 2, Plot.bottom - 1);
  const double Mid = D->GetPoints()[1].X;
  D->SetSplineType(0);
  EXPECT_NEAR(-10.0, D->CurveAt(Mid / 2), 1e-9);
  D->SetSplineType(1);
  const double Smooth = D->CurveAt(Mid / 2);
  EXPECT_LT(Smooth, 0.0);
  EXPECT_GT(Smooth, -20.0);
  EXPECT_GT(std::fabs(Smooth + 10.0), 0.5);
  // The curve read back holds the point's value where the point is.
  D->SetLineArraySize(101);
  const std::vector<float> Curve = D->GetCurve();
  EXPECT_NEAR(-20.0, Curve[static_cast<size_t>(std::lround(Mid * 100))], 0.2);
  EXPECT_FLOAT_EQ(0.0f, Curve.front());
  EXPECT_FLOAT_EQ(0.0f, Curve.back());
  // A narrower scale keeps the points inside it.
  D->SetScaleYMin(-10);
  EXPECT_DOUBLE_EQ(-10.0, D->GetPoints()[1].Y);
}

TEST(TransformDisplay, PaintsScalesGridCurveAndPoints) {
  TDisplayOnForm D;
  D->SetGridColor(0x707070);
  D->SetScaleColor(0x00C0C0C0);
  const RECT Plot = D->PlotRect(W, H);
  TMemoryDC Shot(W, H);
  D->PaintTo(Shot.DC(), W, H);
  auto Row = [&](double Share) { return Plot.top + static_cast<int>(std::lround((Plot.bottom - 1 - Plot.top) * Share)); };
  const int ZeroRow = Row(0.5), TenRow = Row(0.25);
  // The flat curve along the 0 dB row, the end points on it.
  EXPECT_EQ(ColorToRGB(0x40FF40), Shot.Pixel(Plot.left + 37, ZeroRow));
  EXPECT_EQ(ColorToRGB(0x00FFFF), Shot.Pixel(Plot.right - 1, ZeroRow));
  // Black plot, grey grid lines at the 10 dB steps, the scale band at the left.
  EXPECT_EQ(RGB(0, 0, 0), Shot.Pixel(Plot.left + 37, ZeroRow + 7));
  EXPECT_EQ(RGB(0x70, 0x70, 0x70), Shot.Pixel(Plot.left + 37, TenRow));
  EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), Shot.Pixel(2, 2));
  // Without the grid, the same place is plot.
  D->SetGridVisible(false);
  D->PaintTo(Shot.DC(), W, H);
  EXPECT_EQ(RGB(0, 0, 0), Shot.Pixel(Plot.left + 37, TenRow));
}
