#include "engine/TAmpBar2.h"

#include <algorithm>

namespace {

constexpr int kTickWidth = 3;  // lit part of a tick; one pixel gap follows

void Fill(HDC dc, const RECT& r, TColor color) {
  SetBkColor(dc, COLORREF(ColorToRGB(color)));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

TAmpBar2::TAmpBar2(TComponent* AOwner) : TGraphicControl(AOwner) {
  TControlStyle style = GetControlStyle();
  style += csOpaque;
  SetControlStyle(style);
  SetBounds(0, 0, 100, 7);
}

void TAmpBar2::SetValue(int value) {
  value = std::clamp(value, 0, 100);
  if (value == Value) return;
  Value = value;
  Invalidate();
}

void TAmpBar2::SetBackColor(TColor color) {
  BackColor = color;
  Invalidate();
}

void TAmpBar2::SetBorderStyle(int style) {
  BorderStyle = style;
  Invalidate();
}

void TAmpBar2::SetTickBackColor(TColor color) {
  TickBackColor = color;
  Invalidate();
}

void TAmpBar2::Paint() { PaintTo(GetCanvas()->GetHandle(), GetWidth(), GetHeight()); }

void TAmpBar2::PaintTo(HDC dc, int width, int height) const {
  RECT all{0, 0, width, height};
  Fill(dc, all, BackColor);
  RECT inner = all;
  if (BorderStyle != 0) {
    DrawEdge(dc, &all, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&inner, -1, -1);
  }
  int span = int(inner.right - inner.left);
  if (span <= 0) return;
  int ticks = std::max(1, (span + 1) / (kTickWidth + 1));
  int lit = (Value * ticks + 50) / 100;
  for (int i = 0; i < ticks; ++i) {
    int share = (i + 1) * 100 / ticks;
    TColor on = share > 90 ? 0x0000FF : share > 70 ? 0x00FFFF : 0x00FF00;
    RECT r{inner.left + i * (kTickWidth + 1), inner.top, inner.left + i * (kTickWidth + 1) + kTickWidth, inner.bottom};
    Fill(dc, r, i < lit ? on : TickBackColor);
  }
}
