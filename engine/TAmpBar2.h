// A horizontal level bar of ticks: Value 0 .. 100 lights that share of them,
// green, then yellow from 70, red from 90.
#pragma once
#include "framework/Colors.h"
#include "framework/Component.h"

class TAmpBarWindow;

class TAmpBar2 : public TComponent {
  SONVELT_CLASS(TAmpBar2, TComponent)
 public:
  explicit TAmpBar2(TComponent* AOwner);
  ~TAmpBar2() override;

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

  void CreateWindowPart(void* parentHwnd, int x, int y, int width, int height);
  void* GetHandle() const;
  void PaintTo(void* hdc, int width, int height) const;

 private:
  void Changed();
  int Value = 0;
  TColor BackColor = 0x000000;
  int BorderStyle = 1;
  TColor TickBackColor = 0x303030;
  TAmpBarWindow* Window = nullptr;
};
