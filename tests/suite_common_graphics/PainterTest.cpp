// The look-and-feel painters on memory bitmaps: arrow geometry, scroll bar parts
// in every state, button frames and captions, control borders.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "Surface.h"
#include "ThemeRecorder.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "suite/common/cxFlatPainters.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/cxLookAndFeelPainters.h"
#include "suite/common/cxPainterResources.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/cxOffice11Painter.h"
#include "suite/common/cxStandardPainter.h"
#include "suite/common/cxWinXPPainter.h"

namespace {

// A part drawn on its own surface, on red so that untouched pixels show.
TSurface Drawn(const TcxCustomLookAndFeelPainter* P, bool Horizontal, TcxScrollBarPaintPart Part,
               TcxPaintButtonState State, RECT R = {2, 2, 19, 19}) {
  TSurface s(21, 21, clRed);
  P->PaintScrollBarPart(s.Canvas.get(), Horizontal, R, Part, State);
  return s;
}

// The four one-pixel sides of a ring at inset d of (2, 2, 19, 19), sampled at their middles.
struct TRing {
  COLORREF left, top, right, bottom;
};

TRing RingOf(TSurface& S, int D) {
  return TRing{S.Pixel(2 + D, 10), S.Pixel(10, 2 + D), S.Pixel(18 - D, 10), S.Pixel(10, 18 - D)};
}

void ExpectRing(TSurface& S, int D, TColor LT, TColor RB, const char* What) {
  const TRing r = RingOf(S, D);
  EXPECT_EQ(r.left, Rgb(LT)) << What;
  EXPECT_EQ(r.top, Rgb(LT)) << What;
  EXPECT_EQ(r.right, Rgb(RB)) << What;
  EXPECT_EQ(r.bottom, Rgb(RB)) << What;
}

}  // namespace

TEST(PainterGeometry, ArrowPointsTable) {
  const struct {
    RECT r;
    TcxPaintArrowDirection dir;
    bool proportional;
    int size;
    POINT p[3];
  } cases[] = {
      {{0, 0, 16, 16}, padUp, false, 0, {{4, 9}, {7, 6}, {10, 9}}},
      {{0, 0, 16, 16}, padDown, false, 0, {{10, 6}, {7, 9}, {4, 6}}},
      {{0, 0, 16, 16}, padLeft, false, 0, {{9, 11}, {6, 8}, {9, 5}}},  // MulDiv(9, 1, 2) is 5
      {{0, 0, 16, 16}, padRight, false, 0, {{6, 5}, {9, 8}, {6, 11}}},
      {{10, 20, 27, 37}, padUp, false, 0, {{14, 30}, {18, 26}, {22, 30}}},
      // A wide rectangle made square: the arrow keeps the height's size.
      {{0, 0, 40, 9}, padDown, true, 0, {{21, 3}, {19, 5}, {17, 3}}},
      {{0, 0, 16, 16}, padRight, false, 2, {{7, 7}, {8, 8}, {7, 9}}},
  };
  for (const auto& k : cases) {
    TcxArrowPoints p;
    ArrowPoints(k.r, p, k.dir, k.proportional, k.size);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(p[i].x, k.p[i].x) << k.dir << " point " << i << " of " << k.r.left;
      EXPECT_EQ(p[i].y, k.p[i].y) << k.dir << " point " << i << " of " << k.r.left;
    }
  }
  const struct {
    bool horizontal;
    TcxScrollBarPaintPart part;
    TcxPaintArrowDirection want;
  } parts[] = {{false, sppLineUp, padUp}, {false, sppLineDown, padDown}, {true, sppLineUp, padLeft},
               {true, sppLineDown, padRight}, {true, sppThumb, padRight}};
  for (const auto& k : parts) EXPECT_EQ(ArrowDirectionFor(k.horizontal, k.part), k.want);
  EXPECT_EQ(PainterStyleToKind(cpsNative), lfStandard);
  EXPECT_EQ(PainterStyleToKind(cpsOffice11), lfOffice11);
}

TEST(PainterBase, DrawsNoScrollBarAndLeavesEditorColoursToTheCaller) {
  TSurface s = Drawn(TcxCustomLookAndFeelPainter::Instance(), false, sppThumb, pbsNormal);
  EXPECT_EQ(InkOf(s, RGB(255, 0, 0)).count, 21 * 21);
  for (const TcxCustomLookAndFeelPainter* p :
       {TcxCustomLookAndFeelPainter::Instance(), static_cast<const TcxCustomLookAndFeelPainter*>(
                                                     TcxStandardLookAndFeelPainter::Instance()),
        static_cast<const TcxCustomLookAndFeelPainter*>(TcxFlatLookAndFeelPainter::Instance()),
        static_cast<const TcxCustomLookAndFeelPainter*>(TcxUltraFlatLookAndFeelPainter::Instance())}) {
    EXPECT_EQ(p->EditorBackColorFor(false), clDefault);
    EXPECT_EQ(p->EditorTextColorFor(false), clDefault);
    EXPECT_EQ(p->SizeGripAreaColor(), clBtnFace);
    EXPECT_GE(p->MinThumbLength(true), 8);
  }
}

TEST(PainterBase, DisabledStateArrowIsEmbossed) {
  TSurface s(20, 20, clRed);
  TcxCustomLookAndFeelPainter::Instance()->PaintStateArrow(s.Canvas.get(), RECT{0, 0, 16, 16}, pbsDisabled, padUp);
  const TInk shadow = InkOf(s, Rgb(clBtnShadow)), light = InkOf(s, Rgb(clBtnHighlight));
  ASSERT_GT(shadow.count, 0);
  EXPECT_EQ(shadow.box, (RECT{4, 6, 11, 10}));  // the 7 x 4 triangle of a 16-pixel square
  EXPECT_EQ(light.box.right, 12) << "the highlight copy lies one pixel right and down";
  EXPECT_EQ(light.box.bottom, 11);
}

TEST(PainterStandard, ScrollBarPartsInEveryState) {
  const auto* p = TcxStandardLookAndFeelPainter::Instance();
  for (bool horizontal : {false, true})
    for (TcxScrollBarPaintPart part : {sppLineUp, sppLineDown, sppThumb, sppPageUp, sppPageDown}) {
      TSurface normal = Drawn(p, horizontal, part, pbsNormal);
      EXPECT_EQ(Drawn(p, horizontal, part, pbsHot).All(), normal.All()) << "hot is drawn as normal " << part;
    }
  TSurface thumb = Drawn(p, false, sppThumb, pbsNormal);
  ExpectRing(thumb, 0, clBtnFace, cl3DDkShadow, "thumb outer ring");
  ExpectRing(thumb, 1, clBtnHighlight, clBtnShadow, "thumb inner ring");
  EXPECT_EQ(thumb.Pixel(10, 10), Rgb(clBtnFace));
  EXPECT_EQ(thumb.Pixel(1, 1), RGB(255, 0, 0));
  TSurface disabledThumb = Drawn(p, false, sppThumb, pbsDisabled);
  EXPECT_EQ(InkOf(disabledThumb, RGB(255, 0, 0)).count, 21 * 21) << "no disabled thumb";

  TSurface arrow = Drawn(p, false, sppLineUp, pbsNormal);
  ExpectRing(arrow, 0, clBtnFace, cl3DDkShadow, "arrow outer ring");
  TSurface pressed = Drawn(p, false, sppLineUp, pbsPressed);
  ExpectRing(pressed, 0, clBtnShadow, clBtnShadow, "pressed outer ring");
  ExpectRing(pressed, 1, clBtnFace, clBtnFace, "pressed inner ring");
  const TInk glyph = InkOf(arrow, Rgb(clBtnText), RECT{4, 4, 17, 17});
  const TInk pressedGlyph = InkOf(pressed, Rgb(clBtnText), RECT{4, 4, 17, 17});
  ASSERT_GT(glyph.count, 0);
  EXPECT_EQ(pressedGlyph.box.left, glyph.box.left + 1);
  EXPECT_EQ(pressedGlyph.box.top, glyph.box.top + 1);
  EXPECT_NE(Drawn(p, false, sppLineUp, pbsDisabled).All(), arrow.All()) << "a disabled arrow is drawn inactive";

  for (TcxPaintButtonState state : {pbsNormal, pbsPressed}) {
    TSurface track = Drawn(p, true, sppPageDown, state);
    const TColor odd = state == pbsPressed ? cl3DDkShadow : clBtnHighlight;
    const TColor even = state == pbsPressed ? clBlack : clBtnFace;
    for (int y = 2; y < 19; ++y)
      for (int x = 2; x < 19; ++x) ASSERT_EQ(track.Pixel(x, y), Rgb((x + y) % 2 ? odd : even)) << x << "," << y;
  }
}

TEST(PainterFlat, HotEqualsNormalAndPressedSinksAndShifts) {
  const auto* p = TcxFlatLookAndFeelPainter::Instance();
  TSurface normal = Drawn(p, false, sppLineDown, pbsNormal);
  EXPECT_EQ(Drawn(p, false, sppLineDown, pbsHot).All(), normal.All());
  ExpectRing(normal, 0, clBtnHighlight, clBtnShadow, "raised frame");
  TSurface pressed = Drawn(p, false, sppLineDown, pbsPressed);
  ExpectRing(pressed, 0, clBtnShadow, clBtnHighlight, "sunken frame");
  const TInk a = InkOf(normal, Rgb(clBtnText)), b = InkOf(pressed, Rgb(clBtnText));
  ASSERT_GT(a.count, 0);
  EXPECT_EQ(b.box.left, a.box.left + 1);
  EXPECT_EQ(b.box.top, a.box.top + 1);
  TSurface disabledThumb = Drawn(p, true, sppThumb, pbsDisabled);
  EXPECT_EQ(InkOf(disabledThumb, RGB(255, 0, 0)).count, 21 * 21);
  TSurface disabled = Drawn(p, false, sppLineDown, pbsDisabled);
  EXPECT_GT(InkOf(disabled, Rgb(clBtnHighlight), RECT{3, 3, 18, 18}).count, 0) << "embossed disabled arrow";
}

TEST(PainterUltraFlat, HotAndPressedAreTintedAndNotShifted) {
  const auto* p = TcxUltraFlatLookAndFeelPainter::Instance();
  const struct {
    TcxPaintButtonState state;
    TColor frame, face, glyph;
  } cases[] = {
      {pbsNormal, clBtnText, clBtnFace, clBtnText},
      {pbsHot, clHighlight, LightHighlightBlendColor(), clBtnText},
      {pbsPressed, clHighlight, HighlightBlendColor(), clHighlightText},
      {pbsDisabled, clBtnShadow, clBtnFace, clBtnShadow},
  };
  RECT glyphBox{};
  for (const auto& k : cases) {
    TSurface s = Drawn(p, false, sppLineUp, k.state);
    ExpectRing(s, 0, k.frame, k.frame, "frame");
    EXPECT_EQ(s.Pixel(4, 4), Rgb(k.face)) << k.state;
    const TInk g = InkOf(s, Rgb(k.glyph), RECT{3, 3, 18, 18});
    ASSERT_GT(g.count, 0) << k.state;
    if (k.state == pbsNormal) glyphBox = g.box;
    if (k.state == pbsPressed) {
      EXPECT_EQ(g.box, glyphBox) << "the pressed glyph stays in place";
    }
  }
  TSurface thumb = Drawn(p, false, sppThumb, pbsHot);
  EXPECT_EQ(thumb.Pixel(10, 10), Rgb(LightHighlightBlendColor()));
}

TEST(PainterButtons, FramesWidenForTheDefaultButton) {
  const struct {
    const TcxCustomLookAndFeelPainter* painter;
    TcxPaintButtonState state;
    TColor ring0, ring1;  // left sides of the two outer rings
    int width;
  } cases[] = {
      {TcxStandardLookAndFeelPainter::Instance(), pbsNormal, clBtnHighlight, cl3DLight, 2},
      {TcxStandardLookAndFeelPainter::Instance(), pbsDefault, clBlack, clBtnHighlight, 3},
      {TcxStandardLookAndFeelPainter::Instance(), pbsPressed, clBlack, clBtnShadow, 2},
      {TcxFlatLookAndFeelPainter::Instance(), pbsNormal, clBtnHighlight, clBtnFace, 1},
      {TcxFlatLookAndFeelPainter::Instance(), pbsDefault, clBlack, clBtnHighlight, 2},
      {TcxUltraFlatLookAndFeelPainter::Instance(), pbsNormal, clBtnText, clBtnFace, 1},
      {TcxUltraFlatLookAndFeelPainter::Instance(), pbsDefault, clWindowFrame, clWindowFrame, 2},
      {TcxUltraFlatLookAndFeelPainter::Instance(), pbsHot, clHighlight, LightHighlightBlendColor(), 1},
  };
  for (const auto& k : cases) {
    TSurface s(40, 24, clRed);
    k.painter->PaintButton(s.Canvas.get(), RECT{0, 0, 40, 24}, "", k.state);
    EXPECT_EQ(k.painter->ButtonFrameWidth(k.state), k.width);
    EXPECT_EQ(s.Pixel(0, 12), Rgb(k.ring0)) << k.painter->ClassName() << " " << k.state;
    EXPECT_EQ(s.Pixel(1, 12), Rgb(k.ring1)) << k.painter->ClassName() << " " << k.state;
    EXPECT_EQ(s.Pixel(20, 12), Rgb(k.painter->ButtonFaceColor(k.state)));
  }
}

TEST(PainterButtons, CaptionRectangleFollowsItsHeight) {
  // Inner heights 16, 17 and 18 (after the standard 2-pixel frame): 16 moves the
  // top up, 17 first drops the bottom then moves the top, 18 stays.
  const struct {
    int inner;
    RECT text;
  } cases[] = {{16, {2, 1, 38, 18}}, {17, {2, 1, 38, 18}}, {18, {2, 2, 38, 20}}};
  const auto* p = TcxStandardLookAndFeelPainter::Instance();
  for (const auto& k : cases) {
    TSurface button(40, 30, clRed), reference(40, 30, clRed);
    for (TSurface* s : {&button, &reference}) s->Canvas->FontObject()->SetHeight(-11);
    p->PaintButton(button.Canvas.get(), RECT{0, 0, 40, k.inner + 4}, "&Ok", pbsNormal);
    reference.Canvas->BrushObject()->SetStyle(bsClear);
    reference.Canvas->FontObject()->SetColor(clBtnText);
    reference.Canvas->DrawTextFlags("&Ok", k.text, cxAlignHCenter | cxAlignVCenter | cxShowPrefix | cxSingleLine);
    const TInk a = InkOf(button, Rgb(clBtnText)), b = InkOf(reference, Rgb(clBtnText));
    ASSERT_GT(a.count, 3) << k.inner;
    EXPECT_EQ(a.box, b.box) << "inner height " << k.inner;
  }
  // Disabled: the face of the disabled state and embossed shadow text.
  TSurface s(40, 24, clRed);
  s.Canvas->FontObject()->SetHeight(-11);
  p->PaintButton(s.Canvas.get(), RECT{0, 0, 40, 24}, "Ok", pbsDisabled);
  EXPECT_GT(InkOf(s, Rgb(clBtnShadow), RECT{2, 2, 38, 22}).count, 3);
  EXPECT_EQ(InkOf(s, Rgb(clBtnText)).count, 0);
}

TEST(PainterBorders, ControlBordersOfEachLook) {
  const struct {
    const TcxCustomLookAndFeelPainter* painter;
    int width;
    TColor outerLT, outerRB, innerLT;
  } cases[] = {
      {TcxCustomLookAndFeelPainter::Instance(), 0, clRed, clRed, clRed},
      {TcxStandardLookAndFeelPainter::Instance(), 2, clBtnShadow, clBtnHighlight, cl3DDkShadow},
      {TcxFlatLookAndFeelPainter::Instance(), 1, clBtnShadow, clBtnHighlight, clRed},
      {TcxUltraFlatLookAndFeelPainter::Instance(), 1, clBtnShadow, clBtnShadow, clRed},
  };
  for (const auto& k : cases) {
    TSurface s(20, 20, clRed);
    k.painter->PaintControlBorder(s.Canvas.get(), RECT{0, 0, 20, 20});
    EXPECT_EQ(k.painter->FrameBorderWidth(), k.width);
    EXPECT_EQ(s.Pixel(0, 10), Rgb(k.outerLT)) << k.painter->ClassName();
    EXPECT_EQ(s.Pixel(19, 10), Rgb(k.outerRB)) << k.painter->ClassName();
    EXPECT_EQ(s.Pixel(1, 10), Rgb(k.innerLT)) << k.painter->ClassName();
    EXPECT_EQ(s.Pixel(10, 10), RGB(255, 0, 0)) << "the inside is left alone";
  }
}

TEST(PainterMetrics, ButtonGroupBorderWidthsOfTheUltraFlatLook) {
  const auto* p = TcxUltraFlatLookAndFeelPainter::Instance();
  EXPECT_EQ(p->ButtonGroupBorderWidths(1, 0), (RECT{2, 2, 1, 2}));
  EXPECT_EQ(p->ButtonGroupBorderWidths(3, 1), (RECT{1, 2, 1, 2}));
  EXPECT_EQ(p->ButtonGroupBorderWidths(3, 2), (RECT{1, 2, 2, 2}));
  EXPECT_EQ(TcxStandardLookAndFeelPainter::Instance()->ButtonGroupBorderWidths(3, 0), (RECT{2, 2, 2, 2}));
}

TEST(PainterRadio, GlyphsAreMeasuredFromThePlatformsRadio) {
  TcxRadioButtonImageList* cache = RadioGlyphCache();
  const SIZE size = cache->GlyphSize();
  ASSERT_GE(size.cx, 8);
  ASSERT_GE(size.cy, 8);
  EXPECT_EQ(cache->PixelClassAt(0, 0), 0) << "corners lie outside the circle";
  EXPECT_EQ(cache->PixelClassAt(size.cx / 2, size.cy / 2), 6) << "the check dot sits in the middle";
  EXPECT_EQ(cache->PixelClassAt(size.cx / 2, 0), 1) << "upper-left half of the ring";
  EXPECT_EQ(cache->PixelClassAt(size.cx / 2, size.cy - 1), 2) << "lower-right half of the ring";

  const auto* p = TcxUltraFlatLookAndFeelPainter::Instance();
  const int cx = size.cx / 2, cy = size.cy / 2;
  const struct {
    TcxPaintButtonState state;
    bool checked;
    TColor ring, centre;
  } cases[] = {
      {pbsNormal, false, clBtnShadow, clWindow},
      {pbsHot, false, clHighlight, LightHighlightBlendColor()},
      {pbsPressed, true, clHighlight, clWindowText},
      {pbsDisabled, true, clBtnShadow, clBtnShadow},
  };
  for (const auto& k : cases) {
    TSurface s(size.cx + 4, size.cy + 4, clRed);
    p->PaintRadioButton(s.Canvas.get(), 2, 2, k.state, k.checked, false);
    EXPECT_EQ(s.Pixel(2 + cx, 2), Rgb(k.ring)) << k.state;
    EXPECT_EQ(s.Pixel(2 + cx, 2 + cy), Rgb(k.centre)) << k.state;
    EXPECT_EQ(s.Pixel(2, 2), RGB(255, 0, 0)) << "masked outside the circle";
  }
  // The default state has no glyph of its own: it is drawn as the normal one.
  TSurface normal(size.cx, size.cy, clRed), byDefault(size.cx, size.cy, clRed);
  p->PaintRadioButton(normal.Canvas.get(), 0, 0, pbsNormal, true, false);
  p->PaintRadioButton(byDefault.Canvas.get(), 0, 0, pbsDefault, true, false);
  EXPECT_EQ(byDefault.All(), normal.All());
  // A brush colour makes an opaque square.
  TSurface square(size.cx, size.cy, clRed);
  p->PaintRadioButton(square.Canvas.get(), 0, 0, pbsNormal, false, false, clLime);
  EXPECT_EQ(square.Pixel(0, 0), RGB(0, 255, 0));
}

namespace {

std::vector<std::tuple<std::wstring, int, int>> Recorded() {
  std::vector<std::tuple<std::wstring, int, int>> v;
  for (const TThemeCall& c : TThemeRecorder::Calls) v.emplace_back(c.Class, c.Part, c.State);
  return v;
}

}  // namespace

TEST(PainterThemed, ScrollBarPartsByClassPartAndState) {
  TThemeScope themes({L"ScrollBar", L"Button"});
  const auto* p = TcxWinXPLookAndFeelPainter::Instance();
  using TCall = std::tuple<std::wstring, int, int>;
  const struct {
    bool horizontal;
    TcxScrollBarPaintPart part;
    TcxPaintButtonState state;
    std::vector<TCall> calls;
  } cases[] = {
      {false, sppLineUp, pbsNormal, {{L"ScrollBar", 1, 1}}},
      {false, sppLineUp, pbsHot, {{L"ScrollBar", 1, 2}}},
      {false, sppLineDown, pbsPressed, {{L"ScrollBar", 1, 7}}},
      {true, sppLineUp, pbsDisabled, {{L"ScrollBar", 1, 12}}},
      {true, sppLineDown, pbsDefault, {{L"ScrollBar", 1, 13}}},
      {false, sppThumb, pbsHot, {{L"ScrollBar", 3, 2}, {L"ScrollBar", 9, 0}}},
      {true, sppThumb, pbsDisabled, {{L"ScrollBar", 2, 4}, {L"ScrollBar", 8, 0}}},  // drawn, unlike standard
      {false, sppPageUp, pbsPressed, {{L"ScrollBar", 6, 3}}},
      {false, sppPageDown, pbsNormal, {{L"ScrollBar", 7, 1}}},
      {true, sppPageUp, pbsNormal, {{L"ScrollBar", 4, 1}}},
      {true, sppPageDown, pbsHot, {{L"ScrollBar", 5, 2}}},
      {true, sppNone, pbsNormal, {}},
  };
  for (const auto& k : cases) {
    TThemeRecorder::Calls.clear();
    TSurface s = Drawn(p, k.horizontal, k.part, k.state);
    EXPECT_EQ(Recorded(), k.calls) << k.part << " " << k.state << " " << k.horizontal;
  }
  EXPECT_EQ(p->MinThumbLength(true), 17) << "the gripper's 13 pixels and 4 more";
  EXPECT_TRUE(p->ScrollButtonsHotTrack());
}

TEST(PainterThemed, WithoutItsThemeClassesTheStandardLookIsDrawn) {
  const auto* themed = TcxWinXPLookAndFeelPainter::Instance();
  const auto* standard = TcxStandardLookAndFeelPainter::Instance();
  {
    TThemeScope off({}, false);
    for (TcxScrollBarPaintPart part : {sppLineUp, sppThumb, sppPageDown})
      for (TcxPaintButtonState state : {pbsNormal, pbsHot, pbsPressed, pbsDisabled}) {
        TSurface a = Drawn(themed, false, part, state), b = Drawn(standard, false, part, state);
        EXPECT_EQ(a.All(), b.All()) << part << " " << state;
      }
    TSurface a(20, 20, clRed), b(20, 20, clRed);
    themed->PaintControlBorder(a.Canvas.get(), RECT{0, 0, 20, 20});
    standard->PaintControlBorder(b.Canvas.get(), RECT{0, 0, 20, 20});
    EXPECT_EQ(a.All(), b.All());
    EXPECT_EQ(themed->FrameBorderWidth(), 2);
    EXPECT_EQ(themed->ButtonFrameWidth(pbsDefault), 2);
    EXPECT_EQ(themed->MinThumbLength(false), 8);
  }
  // The button class alone: the scroll bar is standard, its thumb inset by the
  // button theme's frame width (3 with this theme).
  TThemeScope buttonOnly({L"Button"});
  EXPECT_EQ(themed->ButtonFrameWidth(), 3);
  TSurface thumb = Drawn(themed, false, sppThumb, pbsNormal);
  EXPECT_EQ(thumb.Pixel(10, 10), Rgb(clBtnFace));
  EXPECT_EQ(thumb.Pixel(4, 10), RGB(255, 0, 0)) << "inside the two rings, outside the inset fill";
  EXPECT_TRUE(TThemeRecorder::Calls.empty());
}

TEST(PainterThemed, ColoursComeFromTheFillAndTextProperties) {
  TThemeScope themes({L"Button", L"ListView"});
  const auto* p = TcxWinXPLookAndFeelPainter::Instance();
  EXPECT_EQ(p->ButtonFaceColor(pbsHot), clBtnFace) << "a failed query answers the standard colour";
  EXPECT_EQ(p->ButtonGlyphColor(pbsDisabled, clRed), clBtnShadow);
  TThemeRecorder::Colours[{L"Button", 1, 2, 3802}] = RGB(1, 2, 3);
  TThemeRecorder::Colours[{L"Button", 1, 4, 3803}] = RGB(4, 5, 6);
  EXPECT_EQ(p->ButtonFaceColor(pbsHot), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(p->ButtonGlyphColor(pbsDisabled, clRed), static_cast<TColor>(RGB(4, 5, 6)));
  // The list view's border is one ring; the inside is left alone.
  TSurface s(20, 20, clRed);
  p->PaintControlBorder(s.Canvas.get(), RECT{0, 0, 20, 20});
  EXPECT_EQ(p->FrameBorderWidth(), 1);
  EXPECT_EQ(s.Pixel(0, 10), TThemeRecorder::ColourFor(5, 0));
  EXPECT_EQ(s.Pixel(1, 10), RGB(255, 0, 0));
}

TEST(PainterOffice11, ScrollBarsAreThemedOrStandardAndGlyphsTakeTheSchemeColours) {
  AcquireOffice11Colors();
  const auto* office = TcxOffice11LookAndFeelPainter::Instance();
  {
    TThemeScope off({}, false);
    RefreshOffice11ColorSet();
    for (TcxPaintButtonState state : {pbsNormal, pbsHot, pbsPressed}) {
      TSurface a = Drawn(office, false, sppLineUp, state);
      TSurface b = Drawn(TcxStandardLookAndFeelPainter::Instance(), false, sppLineUp, state);
      EXPECT_EQ(a.All(), b.All()) << state;
    }
    EXPECT_EQ(office->ButtonGlyphColor(pbsDisabled, clRed), Office11Color32);
    EXPECT_EQ(office->ButtonGlyphColor(pbsPressed), clHighlightText) << "system colours";
    EXPECT_EQ(office->ButtonFaceColor(pbsHot), Office11Color23);
  }
  {
    TThemeScope themes({L"ScrollBar"});
    TSurface a = Drawn(office, true, sppThumb, pbsHot);
    EXPECT_EQ(Recorded(), (std::vector<std::tuple<std::wstring, int, int>>{{L"ScrollBar", 2, 2}, {L"ScrollBar", 8, 0}}));
    TThemeRecorder::ColorName = L"NormalColor";
    RefreshOffice11ColorSet();
    ASSERT_TRUE(Office11UsesSchemeTables());
    EXPECT_EQ(office->ButtonGlyphColor(pbsPressed), Office11Color31) << "a scheme keeps its glyph colour";
  }
  RefreshOffice11ColorSet();
  ReleaseOffice11ColorSet();
}

TEST(PainterIndicators, TheSixImagesAreDrawnCentred) {
  TCustomImageList* images = IndicatorImages();
  ASSERT_EQ(images->GetCount(), 6);
  EXPECT_EQ(images->GetWidth(), 8);
  EXPECT_EQ(images->GetHeight(), 9);
  const auto* p = TcxStandardLookAndFeelPainter::Instance();
  for (int kind = 1; kind <= 6; ++kind) {
    TSurface s(20, 21, clRed);
    p->PaintIndicatorImage(s.Canvas.get(), RECT{0, 0, 20, 21}, kind);
    const TInk ink = InkOf(s, RGB(0, 0, 0));
    EXPECT_GT(ink.count, 3) << kind;
    EXPECT_GE(ink.box.left, 6) << kind;  // within the centred 8 x 9 box
    EXPECT_LE(ink.box.right, 14) << kind;
    EXPECT_EQ(s.Pixel(6, 6), RGB(255, 0, 0)) << "white is transparent";
  }
  TSurface none(20, 21, clRed);
  p->PaintIndicatorImage(none.Canvas.get(), RECT{0, 0, 20, 21}, 0);
  EXPECT_EQ(InkOf(none, RGB(255, 0, 0)).count, 20 * 21);
}
