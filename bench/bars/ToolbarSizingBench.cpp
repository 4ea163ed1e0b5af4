// A floating toolbar of 50 buttons in three groups narrowed pixel by pixel
// through WM_SIZING: the left edge from its full width down to its minimum, then
// the bottom edge from one row's height to all rows'. Each answer wraps the
// buttons again (the bottom edge many times over), so it must stay well under
// 2 ms for the frame to follow the mouse.
//   scripts/build --target bench_bars
//   wine $SONVELT_BUILD_DIR/bench/bars/bench_bars.exe   (with a display)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/BenchClock.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"

int main() {
  TForm* form = TForm::Create(nullptr);
  form->SetBounds(0, 0, 600, 400);
  form->Show();
  TdxBarManager* manager = TdxBarManager::Create(form);
  manager->SetHideFloatingBarsWhenInactive(false);
  TdxBar* bar = manager->GetBars()->Add();
  bar->SetCaption("Fifty");
  for (int i = 0; i < 50; ++i) {
    TdxBarItemLink* link = bar->GetItemLinks()->AddItem(TdxBarButton::Create(form));
    if (i == 17 || i == 34) link->SetBeginGroup(true);
  }
  bar->SetDockingStyle(dsNone);
  bar->SetFloatLeft(100);
  bar->SetFloatTop(100);
  bar->SetVisible(true);
  HWND wnd = bar->GetBarControl()->GetHandle();
  RECT start = QueryWindowRect(wnd);

  int answers = 0;
  std::vector<double> each;
  auto sizing = [&](UINT edge, RECT asked) {
    const double t = BenchMillis();
    SendMessageW(wnd, WM_SIZING, edge, reinterpret_cast<LPARAM>(&asked));
    each.push_back(BenchMillis() - t);
    ++answers;
    return asked;
  };
  int rows = 0;
  const double leftMs = BenchMedian(5, [&] {
    for (LONG left = start.left; left < start.right - 10; ++left) {
      RECT r = sizing(WMSZ_LEFT, RECT{left, start.top, start.right, start.bottom});
      rows = std::max(rows, static_cast<int>(r.bottom - r.top));
    }
  });
  const int leftAnswers = answers;
  answers = 0;
  const double bottomMs = BenchMedian(5, [&] {
    for (LONG bottom = start.bottom; bottom < start.top + rows; ++bottom)
      sizing(WMSZ_BOTTOM, RECT{start.left, start.top, start.right, bottom});
  });
  const int bottomAnswers = answers;
  std::printf("left edge: %d answers, %.4f ms each\n", leftAnswers / 5, leftMs / (leftAnswers / 5));
  std::printf("bottom edge: %d answers, %.4f ms each\n", bottomAnswers / 5, bottomMs / std::max(bottomAnswers / 5, 1));
  std::sort(each.begin(), each.end());
  std::printf("answers at the 99th percentile: %.4f ms, slowest %.4f ms (target under 2 ms)\n",
              each[each.size() * 99 / 100], each.back());
  Free(form);
  return 0;
}
