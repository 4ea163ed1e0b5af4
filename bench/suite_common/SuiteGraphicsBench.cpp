// Menu glyphs through the state-image painter and one fade frame, each beside the
// native call a program would use instead (an image list's own drawing, the
// system's constant-alpha blend), as a ratio. Run by hand: bench_suite_graphics.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/BenchClock.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/cxImageDrawing.h"
#include "suite/common/cxImageList.h"
#include "suite/common/dxGdiPlusClasses.h"
#include "tests/support/MemoryDC.h"

namespace {

void Report(const char* what, double ms, double goal, double native) {
  std::printf("%-34s %7.3f ms  (goal < %.0f ms) %-4s  native %7.3f ms  ratio %5.1f\n", what, ms, goal,
              ms < goal ? "ok" : "OVER", native, ms / native);
}

// A 16 x 16 menu glyph with soft edges.
TOwned<TBitmap> Glyph(int Seed) {
  TOwned<TBitmap> b(CreateSizedBitmap(16, 16, pf32bit));
  TcxPixels p(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x - 7.5, y - 7.5);
      const int a = d < 5 ? 255 : d < 7.5 ? int((7.5 - d) / 2.5 * 255) : 0;
      const int r = (Seed * 37 + x * 9) % 256, g = (Seed * 71 + y * 11) % 256, bl = 128;
      p[size_t(y) * 16 + x] = (uint32_t(a) << 24) | (uint32_t(r * a / 255) << 16) | (uint32_t(g * a / 255) << 8) |
                              uint32_t(bl * a / 255);
    }
  WriteBitmapPixels(b.get(), p);
  return b;
}

}  // namespace

int main() {
  EnsureGdiPlusLoaded();
  TMemoryDC screen(400, 600);
  HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_MENU));
  RECT all{0, 0, 400, 600};
  FillRect(screen.DC(), &all, face);

  // 30 menu glyphs: 24 enabled, 6 disabled, from a suite image list.
  TOwned<TcxImageList> list(TcxImageList::Create(16, 16));
  for (int i = 0; i < 30; ++i) {
    TOwned<TBitmap> g = Glyph(i);
    list->AddImage(g.get(), nullptr);
  }
  auto suite = [&] {
    for (int i = 0; i < 30; ++i) {
      const RECT cell{4, 4 + i * 19, 24, 23 + i * 19};
      const RECT image{6, 5 + i * 19, 22, 21 + i * 19};
      PaintImageWithState(screen.DC(), image, cell, nullptr, list.get(), i, i % 5 == 4 ? simDisabled : simNormal);
    }
  };
  auto native = [&] {
    for (int i = 0; i < 30; ++i)
      ImageList_DrawEx(list->GetHandle(), i, screen.DC(), 6, 5 + i * 19, 16, 16, CLR_NONE, CLR_DEFAULT,
                       i % 5 == 4 ? ILD_BLEND50 : ILD_NORMAL);
  };
  suite();
  native();
  Report("30 menu glyphs (state painter)", BenchMedian(200, suite), 3, BenchMedian(200, native));

  // One 200 x 24 fade frame: blending the two pictures and drawing the result.
  const int w = 200, h = 24;
  auto normalBits = std::make_shared<std::vector<uint32_t>>(size_t(w) * h, 0xFFF0F0F0);
  auto hotBits = std::make_shared<std::vector<uint32_t>>(size_t(w) * h);
  for (size_t i = 0; i < hotBits->size(); ++i) (*hotBits)[i] = 0xFF000000u | uint32_t(i * 2654435761u >> 8);
  TOwned<TdxGPImage> normal(TdxGPImage::CreateFromBits(w, h, normalBits, true));
  TOwned<TdxGPImage> hot(TdxGPImage::CreateFromBits(w, h, hotBits, true));
  int alpha = 0;
  auto frame = [&] {
    TOwned<TdxGPImage> blended(normal->BlendWith(hot.get(), uint8_t(alpha = (alpha + 64) % 256)));
    blended->DrawTo(screen.DC(), RECT{100, 100, 100 + w, 100 + h});
  };
  TOwned<TBitmap> hotBitmap(CreateSizedBitmap(w, h, pf32bit));
  WriteBitmapPixels(hotBitmap.get(), *hotBits);
  auto nativeFrame = [&] {
    const BLENDFUNCTION f{AC_SRC_OVER, 0, uint8_t(alpha = (alpha + 64) % 256), 0};
    GdiAlphaBlend(screen.DC(), 100, 100, w, h, hotBitmap->GetCanvas()->GetHandle(), 0, 0, w, h, f);
  };
  frame();
  nativeFrame();
  Report("one 200 x 24 fade frame", BenchMedian(500, frame), 1, BenchMedian(500, nativeFrame));
  DeleteObject(face);
  return 0;
}
