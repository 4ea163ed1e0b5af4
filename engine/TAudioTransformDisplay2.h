// A curve editor: a gain curve in dB over a horizontal scale, drawn as a spline
// through points the user places with the mouse. A left click adds a point and
// drags it, a left drag moves a point, a right click removes one; the two end
// points always exist and move only up and down. The curve is read back as
// LineArraySize values spread evenly from the left end to the right end.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/CustomControl.h"

class TAudioTransformDisplay2 : public TCustomControl {
  SONVELT_CLASS(TAudioTransformDisplay2, TCustomControl)
 public:
  // X from 0 (left end) to 1 (right end), Y in dB.
  struct TCurvePoint {
    double X, Y;
  };

  explicit TAudioTransformDisplay2(TComponent* AOwner);

  // The curve's colour is the control's Color.
  TColor GetBorderColor() const { return BorderColor; }
  void SetBorderColor(TColor Value) { Change(BorderColor, Value); }
  TColor GetBackColor() const { return BackColor; }
  void SetBackColor(TColor Value) { Change(BackColor, Value); }
  TColor GetGridColor() const { return GridColor; }
  void SetGridColor(TColor Value) { Change(GridColor, Value); }
  TColor GetScaleColor() const { return ScaleColor; }
  void SetScaleColor(TColor Value) { Change(ScaleColor, Value); }
  TColor GetTextColor() const { return TextColor; }
  void SetTextColor(TColor Value) { Change(TextColor, Value); }
  TColor GetPointColor() const { return PointColor; }
  void SetPointColor(TColor Value) { Change(PointColor, Value); }
  bool GetGridVisible() const { return GridVisible; }
  void SetGridVisible(bool Value) { Change(GridVisible, Value); }
  bool GetScaleXVisible() const { return ScaleXVisible; }
  void SetScaleXVisible(bool Value) { Change(ScaleXVisible, Value); }
  bool GetScaleYVisible() const { return ScaleYVisible; }
  void SetScaleYVisible(bool Value) { Change(ScaleYVisible, Value); }
  // 0: none, 1: a line in BorderColor.
  int GetBorderStyle() const { return BorderStyle; }
  void SetBorderStyle(int Value) { Change(BorderStyle, Value); }
  // 0: straight lines between the points, 1: a smooth curve through them.
  int GetSplineType() const { return SplineType; }
  void SetSplineType(int Value) { Change(SplineType, Value); }
  // How steeply the smooth curve leaves its points: 0 flat, 32 by its neighbours.
  int GetSplineSteepnes() const { return SplineSteepnes; }
  void SetSplineSteepnes(int Value) { Change(SplineSteepnes, Value); }
  // The X scale's numbers are spaced logarithmically (when its minimum is above 0).
  bool GetLogScale() const { return LogScale; }
  void SetLogScale(bool Value) { Change(LogScale, Value); }
  double GetScaleXMin() const { return ScaleXMin; }
  void SetScaleXMin(double Value) { Change(ScaleXMin, Value); }
  double GetScaleXMax() const { return ScaleXMax; }
  void SetScaleXMax(double Value) { Change(ScaleXMax, Value); }
  // The curve's range in dB; points are kept inside it.
  double GetScaleYMin() const { return ScaleYMin; }
  void SetScaleYMin(double Value);
  double GetScaleYMax() const { return ScaleYMax; }
  void SetScaleYMax(double Value);
  const std::string& GetScaleXCaption() const { return ScaleXCaption; }
  void SetScaleXCaption(const std::string& Value) { Change(ScaleXCaption, Value); }
  const std::string& GetScaleYCaption() const { return ScaleYCaption; }
  void SetScaleYCaption(const std::string& Value) { Change(ScaleYCaption, Value); }
  int GetLineArraySize() const { return LineArraySize; }
  // At least 1.
  void SetLineArraySize(int Value);

  // LineArraySize values in dB, from the left end to the right end.
  std::vector<float> GetCurve() const;
  // The points by X, the two ends included.
  const std::vector<TCurvePoint>& GetPoints() const { return Points; }
  // The curve at X (0 .. 1), in dB.
  double CurveAt(double X) const;

  // Where the points and the curve are drawn, in client coordinates.
  RECT PlotRect(int Width, int Height) const;
  // Draws the whole control into a device context of the given size.
  void PaintTo(HDC DC, int Width, int Height) const;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  POINT ToPixel(const RECT& Plot, const TCurvePoint& P) const;
  TCurvePoint FromPixel(const RECT& Plot, int X, int Y) const;
  int PointAt(int X, int Y) const;
  void MovePoint(int Index, TCurvePoint To);
  double Slope(size_t Index) const;
  void PaintScales(HDC DC, const RECT& Plot, int Width, int Height) const;

  TColor BorderColor = 0x000000;
  TColor BackColor = 0x000000;
  TColor GridColor = 0x707070;
  TColor ScaleColor = clBtnFace;
  TColor TextColor = clBtnText;
  TColor PointColor = 0x00FFFF;
  bool GridVisible = true, ScaleXVisible = true, ScaleYVisible = true;
  int BorderStyle = 0;
  int SplineType = 1;
  int SplineSteepnes = 32;
  bool LogScale = false;
  double ScaleXMin = 0, ScaleXMax = 22050;
  double ScaleYMin = -20, ScaleYMax = 20;
  std::string ScaleXCaption = "Hz", ScaleYCaption = "dB";
  int LineArraySize = 1024;

  std::vector<TCurvePoint> Points{{0, 0}, {1, 0}};
  int Dragging = -1;
};
