// The drop-down window's system panel: where its close button and grip go.
#include <gtest/gtest.h>
#include <windows.h>

#include "Surface.h"
#include "suite/common/cxDWMApi.h"
#include "suite/common/cxDropDownPanel.h"

TEST(DropDownPanel, CloseButtonBoundsTable) {
  const int size = GetSystemMetrics(SM_CXSIZE);
  ASSERT_GE(size, 12) << "the cases below assume a caption button of at least 12 pixels";
  const struct {
    RECT band;
    TcxDropDownCorner corner;
    RECT want;
  } cases[] = {
      {{1, 100, 101, 116}, ddcBottomRight, {3, 103, 14, 114}},  // 11 x 11 at the left end, one pixel low
      {{1, 100, 101, 116}, ddcBottomLeft, {88, 103, 99, 114}},  // at the right end
      {{1, 1, 101, 17}, ddcTopRight, {3, 3, 14, 14}},           // centred in the band above the client
      {{1, 100, 101, 105}, ddcBottomRight, {3, 103, 4, 104}},   // a one-pixel button in a 5-pixel band
      {{1, 100, 101, 104}, ddcBottomRight, {0, 0, 0, 0}},       // under 5 pixels: no button at all
      {{1, 100, 101, 100}, ddcTopLeft, {0, 0, 0, 0}},
  };
  for (const auto& k : cases)
    EXPECT_EQ(DropDownCloseButtonBounds(k.band, k.corner), k.want) << k.band.bottom - k.band.top << " " << k.corner;
}

namespace {

// A popup with a one-pixel border and a 16-pixel band below its client area.
LRESULT CALLBACK PanelWindowProc(HWND W, UINT M, WPARAM WP, LPARAM LP) {
  if (M == WM_NCCALCSIZE && WP) {
    auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(LP);
    p->rgrc[0].left += 1;
    p->rgrc[0].top += 1;
    p->rgrc[0].right -= 1;
    p->rgrc[0].bottom -= 17;
    return 0;
  }
  return DefWindowProcW(W, M, WP, LP);
}

HWND MakePanelWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PanelWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SuitePanelTest";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"SuitePanelTest", L"", WS_POPUP | WS_VISIBLE, 50, 60, 120, 80, nullptr,
                           nullptr, wc.hInstance, nullptr);
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return w;
}

}  // namespace

TEST(DropDownPanel, PaintedBandReportsScreenRectangles) {
  HWND w = MakePanelWindow();
  ASSERT_NE(w, nullptr);
  RECT close{1, 1, 2, 2}, grip{1, 1, 2, 2};
  PaintDropDownSystemPanel(nullptr, w, false, true, false, false, close, grip, ddcBottomRight);
  EXPECT_TRUE(IsRectEmpty(&close));
  EXPECT_TRUE(IsRectEmpty(&grip));
  TSurface borrowed(4, 4);
  PaintDropDownSystemPanel(borrowed.Canvas.get(), w, true, false, true, true, close, grip, ddcBottomRight);
  EXPECT_EQ(borrowed.Canvas->GetCanvas(), borrowed.Bitmap->GetCanvas()) << "the canvas is handed back";
  // The band lies between the client area (bottom 60 + 1 + 62) and the border.
  EXPECT_EQ(grip.right, 50 + 119);
  EXPECT_EQ(grip.bottom, 60 + 79);
  EXPECT_EQ(grip.right - grip.left, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(close.left, 50 + 3);
  EXPECT_EQ(close.right - close.left, 11);
  EXPECT_EQ(close.top, 60 + 63 + 3);
  DestroyWindow(w);
  EXPECT_EQ(CompositionActive(), DwmAvailable() && CompositionActive());
}
