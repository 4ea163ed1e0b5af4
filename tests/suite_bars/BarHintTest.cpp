// The plain hint's bounds and font, and the screen tip's width.
#include <gtest/gtest.h>

#include <string>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "framework/Unicode.h"
#include "suite/bars/BarScreenTips.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

namespace {
struct HintCanvas {
  TOwned<TBitmap> Bitmap{TBitmap::Create()};
  TOwned<TcxCanvas> Canvas;
  HintCanvas() {
    Bitmap->SetSize(8, 8);
    Canvas.reset(TcxCanvas::Create(Bitmap->GetCanvas()));
  }
  HDC DC() { return Bitmap->GetCanvas()->GetHandle(); }
  RECT Measure(const std::string& Text, int Width) {
    RECT R{0, 0, Width, 0};
    std::wstring W = Utf8ToWide(Text);
    DrawTextW(DC(), W.c_str(), static_cast<int>(W.size()), &R, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    return R;
  }
};

TEST(BarHintViewInfo, TextAndShortcutMeasureWithMarginsAndWrapAtTheWorkArea) {
  HintCanvas C;
  POINT At{10, 10};
  int WorkWidth = NearestWorkArea(At).right - NearestWorkArea(At).left;
  TOwned<TdxBarHintViewInfo> Short(TdxBarHintViewInfo::Create(nullptr, "Open", " (Ctrl+O)", At));
  Short->CalcBounds(C.Canvas.get());
  RECT Expected = C.Measure("Open (Ctrl+O)", WorkWidth);
  RECT B = Short->GetBounds();
  EXPECT_EQ(Expected.right + 6, B.right);
  EXPECT_EQ(Expected.bottom + 6, B.bottom);
  // A hint longer than the work area wraps into lines no wider than it.
  std::string Long;
  while (C.Measure(Long, 100000).right < 3 * WorkWidth) Long += "word ";
  TOwned<TdxBarHintViewInfo> Wide(TdxBarHintViewInfo::Create(nullptr, Long, "", At));
  Wide->CalcBounds(C.Canvas.get());
  B = Wide->GetBounds();
  EXPECT_LE(B.right, WorkWidth + 6);
  EXPECT_GE(B.bottom - 6, 3 * (Expected.bottom - Expected.top));
  // No text, nothing to show, even with a shortcut.
  TOwned<TdxBarHintViewInfo> Empty(TdxBarHintViewInfo::Create(nullptr, "", " (Ctrl+O)", At));
  Empty->CalcBounds(C.Canvas.get());
  B = Empty->GetBounds();
  EXPECT_TRUE(IsRectEmpty(&B));
}

TEST(BarHintViewInfo, PlainHintsUseTheStatusFont) {
  NONCLIENTMETRICSW Metrics{};
  Metrics.cbSize = sizeof Metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof Metrics, &Metrics, 0));
  TOwned<TdxBarHintViewInfo> Info(TdxBarHintViewInfo::Create(nullptr, "Open", "", POINT{0, 0}));
  TOwned<TFont> Font(TFont::Create());
  Info->ApplyFont(Font.get());
  LOGFONTW Log{};
  GetObjectW(Font->GetHandle(), sizeof Log, &Log);
  EXPECT_EQ(Metrics.lfStatusFont.lfHeight, Log.lfHeight);
  EXPECT_EQ(std::wstring(Metrics.lfStatusFont.lfFaceName), std::wstring(Log.lfFaceName));
}

TEST(BarScreenTip, WidthFollowsTheDescriptionGlyphAndThePixelsPerInch) {
  TOwned<TdxBarScreenTipRepository> Repository(TdxBarScreenTipRepository::Create(nullptr));
  TdxBarScreenTip* Tip = Repository->GetItems()->Add();
  const struct {
    bool Glyph;
    int Width;
    int PixelsPerInch;
    int Expected;
  } Cases[] = {{false, 0, 96, 318}, {false, 0, 144, 477}, {true, 0, 96, 210}, {true, 0, 120, 263}, {true, 250, 144, 250}};
  for (const auto& C : Cases) {
    TOwned<TBitmap> Glyph(TBitmap::Create());
    if (C.Glyph) Glyph->SetSize(16, 16);
    Tip->GetDescription()->SetGlyph(Glyph.get());
    Tip->SetWidth(C.Width);
    EXPECT_EQ(C.Expected, Tip->GetRealWidthFor(C.PixelsPerInch)) << C.PixelsPerInch;
  }
}
}  // namespace
