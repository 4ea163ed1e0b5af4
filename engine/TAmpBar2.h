// A horizontal level bar of ticks: Value 0 .. 100 lights that share of them,
// green, then yellow from 70, red from 90.
#pragma once

class TAmpBarWindow;

class TAmpBar2 {
 public:
  TAmpBar2();
  ~TAmpBar2();

  int GetValue() const { return Value; }
  void SetValue(int value);
  int GetBackColor() const { return BackColor; }
  void SetBackColor(int color);
  // 0: no border, 1: a sunken edge.
  int GetBorderStyle() const { return BorderStyle; }
  void SetBorderStyle(int style);
  // Colour of the ticks that are not lit.
  int GetTickBackColor() const { return TickBackColor; }
  void SetTickBackColor(int color);

  void CreateWindowPart(void* parentHwnd, int x, int y, int width, int height);
  void* GetHandle() const;
  void PaintTo(void* hdc, int width, int height) const;

 private:
  void Changed();
  int Value = 0;
  int BackColor = 0x000000;
  int BorderStyle = 1;
  int TickBackColor = 0x303030;
  TAmpBarWindow* Window = nullptr;
};
