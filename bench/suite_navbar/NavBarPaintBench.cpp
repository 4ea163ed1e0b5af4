// A paint of the main window's side bar with nothing pending against a paint
// after a full rebuild (what a view or theme change costs). The first should
// cost at most a tenth of the second. Run by hand under a display:
// bench_suite_navbar.
#include <windows.h>

#include <cstdio>

#include "bench/BenchClock.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "suite/navbar/NavBar.h"

namespace {
void Build(TdxNavBar* Bar) {
  Bar->SetView(10);
  const char* Rows[][5] = {{"Files", "New", "Open...", "Save", "Save As..."},
                           {"Edit", "Undo", "Cut", "Copy", "Paste"},
                           {"Effects", "Amplify", "Fade In", "Fade Out", nullptr},
                           {"Tools", "Play", "Record", nullptr, nullptr},
                           {"Bookmark", "Add Bookmark", "Clear Bookmarks", nullptr, nullptr},
                           {"Region", "Select All", "Trim", nullptr, nullptr}};
  for (auto& Row : Rows) {
    TdxNavBarGroup* G = Bar->GetGroups()->Add();
    G->SetCaption(Row[0]);
    for (int K = 1; K < 5 && Row[K]; ++K) {
      TdxNavBarItem* I = Bar->GetItems()->Add();
      I->SetCaption(Row[K]);
      G->CreateLink(I);
    }
  }
}

void PaintNow(HWND Wnd) {
  InvalidateRect(Wnd, nullptr, FALSE);
  UpdateWindow(Wnd);
  GdiFlush();
}
}  // namespace

int main() {
  Application->Initialize();
  TForm* Form = TForm::Create(nullptr);
  Form->SetBounds(0, 0, 260, 700);
  TdxNavBar* Bar = TdxNavBar::Create(Form);
  Bar->SetBounds(0, 0, 200, 660);
  Bar->SetParent(Form);
  Build(Bar);
  Form->Show();
  Application->ProcessMessages();
  HWND Wnd = Bar->GetHandle();
  PaintNow(Wnd);
  const int Rounds = 200;
  double Copy = BenchMedian(Rounds, [&] { PaintNow(Wnd); });
  double Rebuild = BenchMedian(Rounds, [&] {
    Bar->InvalidateAll(ctRecreate);
    PaintNow(Wnd);
  });
  std::printf("paint, nothing pending   %8.4f ms\n", Copy);
  std::printf("paint after ctRecreate   %8.4f ms\n", Rebuild);
  std::printf("ratio                    %8.3f  (goal <= 0.100) %s\n", Copy / Rebuild,
              Copy / Rebuild <= 0.1 ? "ok" : "OVER");
  Free(Form);
  return 0;
}
