#include "engine/TAmpBar2.h"

#include <windows.h>

#include <algorithm>

#include "engine/EngineError.h"

namespace {

constexpr int kTickWidth = 3;  // lit part of a tick; one pixel gap follows
const wchar_t kClass[] = L"SonveltAmpBar";

void Fill(HDC dc, const RECT& r, TColor color) {
  SetBkColor(dc, COLORREF(ColorToRGB(color)));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

// The bar's child window; it only paints.
class TAmpBarWindow {
 public:
  TAmpBarWindow(TAmpBar2& bar, HWND parent, int x, int y, int w, int h) : Bar(bar) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = &Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = kClass;
      RegisterClassExW(&wc);
      registered = true;
    }
    Handle = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr,
                             GetModuleHandleW(nullptr), this);
    if (!Handle) throw EAudioError("Cannot create the level bar window.");
  }
  ~TAmpBarWindow() {
    if (Handle) DestroyWindow(Handle);
  }
  HWND Handle = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      SetWindowLongPtrW(wnd, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<TAmpBarWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (self && msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      RECT rc;
      GetClientRect(wnd, &rc);
      self->Bar.PaintTo(dc, rc.right, rc.bottom);
      EndPaint(wnd, &ps);
      return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProcW(wnd, msg, wp, lp);
  }
  TAmpBar2& Bar;
};

TAmpBar2::TAmpBar2(TComponent* AOwner) : TComponent(AOwner) {}

TAmpBar2::~TAmpBar2() { delete Window; }

void TAmpBar2::Changed() {
  if (Window) InvalidateRect(Window->Handle, nullptr, FALSE);
}

void TAmpBar2::SetValue(int value) {
  value = std::clamp(value, 0, 100);
  if (value == Value) return;
  Value = value;
  Changed();
}

void TAmpBar2::SetBackColor(TColor color) {
  BackColor = color;
  Changed();
}

void TAmpBar2::SetBorderStyle(int style) {
  BorderStyle = style;
  Changed();
}

void TAmpBar2::SetTickBackColor(TColor color) {
  TickBackColor = color;
  Changed();
}

void TAmpBar2::CreateWindowPart(void* parent, int x, int y, int width, int height) {
  delete Window;
  Window = nullptr;
  Window = new TAmpBarWindow(*this, static_cast<HWND>(parent), x, y, width, height);
}

void* TAmpBar2::GetHandle() const { return Window ? Window->Handle : nullptr; }

void TAmpBar2::PaintTo(void* hdc, int width, int height) const {
  HDC dc = static_cast<HDC>(hdc);
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
