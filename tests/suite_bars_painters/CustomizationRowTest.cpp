// The Customize dialog's command rows in memory bitmaps: the glyph strip, the
// caption cell 5 pixels after it, the 13-pixel arrow part of a drop-down button,
// and each style's colours; the themed style falls back to the plain drawing
// while visual styles are off.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "suite/bars/BarCustomizationPainters.h"
#include "suite/bars/BarManager.h"
#include "suite/common/Office11Colors.h"
#include "tests/suite_bars_painters/PainterFixture.h"

namespace {
struct CustomizationRowFixture : PainterFixture {
  static constexpr RECT Row{0, 0, 200, 22};
  TdxBarButton* Item(TdxBarButtonStyle Style) {
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetCaption("Command");
    B->SetButtonStyle(Style);
    return B;
  }
};

TEST_F(CustomizationRowFixture, EntryRectsAreTheSameInEveryStyle) {
  const struct {
    TdxBarButtonStyle Style;
    RECT Text, Arrow;
  } Cases[] = {{bsDefault, {27, 0, 200, 22}, {200, 0, 200, 22}}, {bsDropDown, {27, 0, 187, 22}, {187, 0, 200, 22}}};
  for (TClass Class : {TdxBarStandardPainter::StaticClass(), TdxBarFlatPainter::StaticClass(),
                       TdxBarOffice11Painter::StaticClass(), TdxBarXPPainter::StaticClass()}) {
    TdxBarCustomizationFormPainter* P = CustomizationFormPainterFor(Class);
    for (const auto& C : Cases) {
      RECT Arrow, Text, Strip;
      P->CalcEntryRects(Item(C.Style), Row, Arrow, Text, Strip);
      const RECT Square{0, 0, 22, 22};
      EXPECT_TRUE(EqualRect(&Strip, &Square)) << P->ClassName();
      EXPECT_TRUE(EqualRect(&Text, &C.Text)) << P->ClassName() << " " << Text.left << ".." << Text.right;
      EXPECT_TRUE(EqualRect(&Arrow, &C.Arrow)) << P->ClassName() << " " << Arrow.left << ".." << Arrow.right;
    }
  }
}

TEST_F(CustomizationRowFixture, PaintersAreChosenByTheExactBarPainterClass) {
  EXPECT_EQ(TdxBarCustomizationFormStandardPainter::StaticClass(),
            CustomizationFormPainterFor(TdxBarEnhancedPainter::StaticClass())->ClassType());
  EXPECT_EQ(TdxBarCustomizationFormFlatPainter::StaticClass(),
            CustomizationFormPainterFor(TdxBarFlatPainter::StaticClass())->ClassType());
  EXPECT_EQ(TdxBarCustomizationFormOffice11Painter::StaticClass(),
            CustomizationFormPainterFor(TdxBarOffice11Painter::StaticClass())->ClassType());
  EXPECT_EQ(TdxBarCustomizationFormXPPainter::StaticClass(),
            CustomizationFormPainterFor(TdxBarXPPainter::StaticClass())->ClassType());
}

// A glyphless drop-down button row, read back where the strip, the gap before the
// caption, the caption cell and the arrow part lie.
TEST_F(CustomizationRowFixture, RowPixelsPerStyle) {
  const COLORREF Hot = Rgb(TdxBarManager::FlatHotItemColor());
  const COLORREF Themed = TThemeRecorder::ColourFor(1, 2);
  const struct {
    const char* Name;
    TClass Class;
    bool Theme;
    bool Selected;
    COLORREF Strip, Gap, Text, Arrow;
  } Cases[] = {
      {"standard", TdxBarStandardPainter::StaticClass(), false, false, Rgb(clBtnFace), Backdrop, Rgb(clBtnFace),
       Rgb(clBtnFace)},
      {"standard selected", TdxBarStandardPainter::StaticClass(), false, true, Rgb(clHighlight), Backdrop,
       Rgb(clHighlight), Rgb(clBtnFace)},
      {"flat", TdxBarFlatPainter::StaticClass(), false, false, Hot, Backdrop, Rgb(clWindow), Rgb(clWindow)},
      {"flat selected", TdxBarFlatPainter::StaticClass(), false, true, Hot, Backdrop, Hot, Hot},
      {"themed", TdxBarXPPainter::StaticClass(), true, true, Rgb(clHighlight), Backdrop, Rgb(clHighlight), Themed},
      {"themed without visual styles", TdxBarXPPainter::StaticClass(), false, true, Rgb(clHighlight), Backdrop,
       Rgb(clHighlight), Rgb(clBtnFace)},
  };
  for (const auto& C : Cases) {
    Theme->Reset(C.Theme ? BarThemeClasses() : std::set<std::wstring>{}, C.Theme);
    TMemoryDC Bitmap(200, 22);
    RECT All = Row;
    HBRUSH B = CreateSolidBrush(Backdrop);
    FillRect(Bitmap.DC(), &All, B);
    DeleteObject(B);
    CustomizationFormPainterFor(C.Class)->DrawButtonEntry(Bitmap.DC(), Row, C.Selected, "", Item(bsDropDown));
    EXPECT_EQ(C.Strip, Bitmap.Pixel(11, 11)) << C.Name << " strip";
    EXPECT_EQ(C.Gap, Bitmap.Pixel(24, 11)) << C.Name << " between strip and caption";
    EXPECT_EQ(C.Text, Bitmap.Pixel(100, 5)) << C.Name << " caption cell";
    EXPECT_EQ(C.Arrow, Bitmap.Pixel(194, 11)) << C.Name << " arrow part";
    if (C.Theme) {
      ASSERT_FALSE(TThemeRecorder::Calls.empty()) << C.Name;
      EXPECT_EQ(L"ToolBar", TThemeRecorder::Calls.back().Class);
    }
  }
}

// An edit box's frame when not selected: its colour per style, and the box
// handed back one pixel inside it.
TEST_F(CustomizationRowFixture, EditFramePerStyle) {
  const struct {
    TClass Class;
    TColor Frame;
  } Cases[] = {{TdxBarFlatPainter::StaticClass(), clBtnShadow}, {TdxBarOffice11Painter::StaticClass(), Office11Color27}};
  for (const auto& C : Cases) {
    TdxBarCustomizationFormPainter* P = CustomizationFormPainterFor(C.Class);
    TMemoryDC Bitmap(200, 22);
    RECT All = Row;
    HBRUSH B = CreateSolidBrush(Backdrop);
    FillRect(Bitmap.DC(), &All, B);
    DeleteObject(B);
    RECT R{10, 2, 100, 20};
    P->DrawEditFrame(Bitmap.DC(), R, false);
    EXPECT_EQ(Rgb(C.Frame), Bitmap.Pixel(10, 10)) << P->ClassName() << " left edge";
    EXPECT_EQ(Rgb(C.Frame), Bitmap.Pixel(50, 19)) << P->ClassName() << " bottom edge";
    EXPECT_EQ(Backdrop, Bitmap.Pixel(50, 10)) << P->ClassName() << " inside";
    const RECT Inner{11, 3, 99, 19};
    EXPECT_TRUE(EqualRect(&R, &Inner)) << P->ClassName();
  }
}
}  // namespace
