// A horizontal level bar of ticks: Value 0 .. 100 lights that share of them,
// green, then yellow from 70, red from 90.
#pragma once
#include "framework/Colors.h"
#include "framework/GraphicControl.h"

class TAmpBar2 : public TGraphicControl {
  SONVELT_CLASS(TAmpBar2, TGraphicControl)
 public:
  explicit TAmpBar2(TComponent* AOwner);

  int GetValue() const { return Value; }
  void SetValue(int value);
  TColor GetBackColor() const { return BackColor; }
  void SetBackColor(TColor color);
  // 0: no border, 1: a sunken edge.
  int GetBorderStyle() const { return BorderStyle; }
  void SetBorderStyle(int style);
  // Colour of the ticks that are not lit.
  TColor GetTickBackColor() const { return TickBackColor; }
  void SetTickBackColor(TColor color);

  // Draws the bar into a device context of the given size.
  void PaintTo(HDC dc, int width, int height) const;

 protected:
  void Paint() override;

 private:
  int Value = 0;
  TColor BackColor = 0x000000;
  int BorderStyle = 1;
  TColor TickBackColor = 0x303030;
};
