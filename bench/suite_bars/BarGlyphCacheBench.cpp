// A hot 16 x 16 image-list button on a toolbar repainted 10000 times with each
// painter, once with the manager's glyph caching on and once off. Caching should
// make the repaint at least 1.5 times faster. Run by hand under a display:
// bench_suite_bars [--repaints=N] [standard enhanced flat gradient themed] (all five
// at the default 10000 take about seven minutes: an uncached repaint costs
// milliseconds; --repaints=1000 gives the same ratios in a tenth of the time).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "bench/BenchClock.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarPainters.h"
#include "tests/suite_bars_painters/BarWindowFakes.h"

namespace {
// A ring with a transparent outside, so the image list keeps a mask.
TImageList* MakeImages(TComponent* Owner) {
  TImageList* Images = TImageList::Create(Owner);
  Images->SetWidth(16);
  Images->SetHeight(16);
  TBitmap* Picture = TBitmap::Create();
  Picture->SetSize(16, 16);
  HDC DC = Picture->GetCanvas()->GetHandle();
  RECT All{0, 0, 16, 16};
  HBRUSH Back = CreateSolidBrush(RGB(255, 0, 255)), Fill = CreateSolidBrush(RGB(30, 110, 200));
  FillRect(DC, &All, Back);
  HGDIOBJ OldBrush = SelectObject(DC, Fill);
  Ellipse(DC, 1, 1, 15, 15);
  SelectObject(DC, OldBrush);
  DeleteObject(Back);
  DeleteObject(Fill);
  Images->AddMasked(Picture, clFuchsia);
  Free(Picture);
  return Images;
}

}  // namespace

int main(int Argc, char** Argv) {
  Application->Initialize();
  TForm* Form = TForm::Create(nullptr);
  Form->SetBounds(0, 0, 300, 200);
  Form->Show();
  Application->ProcessMessages();
  TdxBarManager* Manager = TdxBarManager::Create(Form);
  Manager->SetImages(MakeImages(Form));
  TFakeToolbar* Toolbar = Construct<TFakeToolbar>(Form);
  bool AllFast = true;
  Toolbar->ChangeDockingStyle(dsTop);
  {
    TFakeLinksOwner Links(Manager, Toolbar);
    TdxBarButton* Button = TdxBarButton::Create(Form);
    Button->SetCaption("Open");
    Button->SetImageIndex(0);
    Links.Links()->AddItem(Button);

    HDC Screen = GetDC(nullptr);
    HDC DC = CreateCompatibleDC(Screen);
    HBITMAP Bitmap = CreateCompatibleBitmap(Screen, 200, 60);
    ReleaseDC(nullptr, Screen);
    HGDIOBJ OldBitmap = SelectObject(DC, Bitmap);
    TCanvas* Canvas = TCanvas::Create();
    Canvas->SetHandle(DC);
    TcxCanvas* cx = TcxCanvas::Create(Canvas);

    const std::pair<const char*, TdxBarPainterClass> Painters[] = {
        {"standard", TdxBarStandardPainter::StaticClass()}, {"enhanced", TdxBarEnhancedPainter::StaticClass()},
        {"flat", TdxBarFlatPainter::StaticClass()},         {"gradient", TdxBarOffice11Painter::StaticClass()},
        {"themed", TdxBarXPPainter::StaticClass()}};
    int Repaints = 10000;
    bool Named = false;
    for (int I = 1; I < Argc; ++I) {
      if (std::strncmp(Argv[I], "--repaints=", 11) == 0)
        Repaints = std::max(1, std::atoi(Argv[I] + 11));
      else
        Named = true;
    }
    std::printf("%-10s %12s %12s %8s  (%d repaints of a hot button, goal >= 1.50)\n", "painter", "cached ms",
                "uncached ms", "ratio", Repaints);
    for (auto& [Name, Class] : Painters) {
      // Names on the command line pick painters; none runs all five.
      if (Named && std::none_of(Argv + 1, Argv + Argc, [&](const char* A) { return std::strcmp(A, Name) == 0; }))
        continue;
      if (Class.Get() == TdxBarXPPainter::StaticClass()) TdxBarXPPainter::MeasureTheme();
      Toolbar->V.Painter = PainterInstanceOf(Class);
      Toolbar->Layout();
      TdxBarItemLink* Link = Links.Links()->GetLink(0);
      Toolbar->SetSelectedLink(Link);
      TdxBarItemControl* Control = Link->GetControl();
      RECT R = Link->GetItemRect();
      auto Run = [&](bool Cache) {
        Manager->GetImageOptions()->SetCacheGlyphs(Cache);
        Control->InvalidateGlyphCache(false);
        return BenchMedian(3, [&] {
          for (int I = 0; I < Repaints; ++I) Control->Paint(cx, R, Toolbar->PaintType());
          GdiFlush();
        });
      };
      Run(true);  // warm up
      double Cached = Run(true), Uncached = Run(false);
      double Ratio = Uncached / Cached;
      AllFast = AllFast && Ratio >= 1.5;
      std::printf("%-10s %12.1f %12.1f %8.2f  %s\n", Name, Cached, Uncached, Ratio, Ratio >= 1.5 ? "ok" : "SLOW");
      Toolbar->SetSelectedLink(nullptr);
    }
    Free(cx);
    Canvas->SetHandle(nullptr);
    Free(Canvas);
    SelectObject(DC, OldBitmap);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  Free(Toolbar);
  Free(Manager);
  Free(Form);
  return AllFast ? 0 : 1;
}
