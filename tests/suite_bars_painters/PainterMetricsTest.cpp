// The sizes painters answer and item controls derive from them.
#include <gtest/gtest.h>

#include "framework/Canvas.h"
#include "framework/Font.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/common/SuiteException.h"
#include "tests/suite_bars_painters/PainterFixture.h"

// Edits are the text height plus their borders and insets: 9 more in the base
// look, 6 in the classic ones, 7 in the flat ones.
TEST_F(PainterFixture, EditHeightsForA13PixelFont) {
  const std::pair<TdxBarPainterClass, int> Cases[] = {{TdxBarPainter::StaticClass(), 22},
                                                     {TdxBarStandardPainter::StaticClass(), 19},
                                                     {TdxBarEnhancedPainter::StaticClass(), 19},
                                                     {TdxBarFlatPainter::StaticClass(), 20}};
  for (auto [Class, Height] : Cases) EXPECT_EQ(Height, Use(Class)->EditTextHeight(Toolbar, 13)) << Class->ClassName();
}

// The menu arrow is one pixel taller than a "0", unless its inset is odd: then
// twice the inset plus 4. Its column is three quarters of the text size plus one.
TEST_F(PainterFixture, MenuArrowMetrics) {
  TdxBarPainter* P = Use(TdxBarEnhancedPainter::StaticClass());
  TMemoryDC Dc(10, 10);
  TCanvas* Canvas = TCanvas::Create();
  Canvas->SetHandle(Dc.DC());
  TcxCanvas* cx = TcxCanvas::Create(Canvas);
  for (auto [TextHeight, Expected] : {std::pair{16, 14}, std::pair{15, 14}, std::pair{13, 14}, std::pair{20, 18}}) {
    Canvas->GetFont()->SetHeight(TextHeight);
    ASSERT_EQ(TextHeight, cx->HeightOfText("0")) << "a font of that cell height";
    int ArrowHeight = 0, ArrowWidth = 0;
    P->CalcMenuMetrics(cx, 11, ArrowHeight, ArrowWidth);
    EXPECT_EQ(Expected, ArrowHeight) << "text height " << TextHeight;
    EXPECT_EQ(7, ArrowWidth);
  }
  Free(cx);
  Canvas->SetHandle(nullptr);
  Free(Canvas);
}

// Drop-down arrows are odd wide (doubled with large icons) in the classic looks,
// one narrower (even) in the flat ones and three wider in the themed one.
TEST_F(PainterFixture, DropDownArrowWidths) {
  struct Case {
    TdxBarPainterClass Painter;
    int ButtonArrowWidth;
    bool LargeIcons;
    int Expected;
  };
  const Case Cases[] = {{TdxBarEnhancedPainter::StaticClass(), 11, false, 11},
                        {TdxBarEnhancedPainter::StaticClass(), 10, false, 11},
                        {TdxBarEnhancedPainter::StaticClass(), 11, true, 23},
                        {TdxBarFlatPainter::StaticClass(), 11, false, 10},
                        {TdxBarOffice11Painter::StaticClass(), 12, false, 12},
                        {TdxBarXPPainter::StaticClass(), 11, false, 14}};
  for (const Case& C : Cases) {
    M->SetButtonArrowWidth(C.ButtonArrowWidth);
    M->SetLargeIcons(C.LargeIcons);
    EXPECT_EQ(C.Expected, Use(C.Painter)->DropDownArrowWidth(M)) << C.Painter->ClassName() << " " << C.ButtonArrowWidth;
  }
  M->SetLargeIcons(false);
}

// A combo's button takes the window's arrow width at its right, inside the
// border; the edit part ends one pixel before it (the themed look: touching it).
TEST_F(PainterFixture, ComboButtonAndEditParts) {
  AddButton(*ToolbarLinks, "Host");
  for (auto [Class, Right, Gap] : {std::tuple{TdxBarPainterClass(TdxBarEnhancedPainter::StaticClass()), 98, 1},
                                   std::tuple{TdxBarPainterClass(TdxBarXPPainter::StaticClass()), 97, 0}}) {
    TdxBarPainter* P = Use(Class);
    Toolbar->Layout();
    Toolbar->SetComboArrowWidth(11);
    auto* Params = TdxBarEditLikeControlDrawParams::Create(Toolbar->ControlOf(0));
    std::vector<RECT> Parts(4, RECT{0, 0, 100, 20});
    P->CalcComboParts(Params, Parts, RECT{0, 0, 100, 20});
    EXPECT_EQ(Right, Parts[3].right) << Class->ClassName();
    EXPECT_EQ(11, Parts[3].right - Parts[3].left) << Class->ClassName();
    EXPECT_EQ(Parts[3].left - Gap, Parts[0].right) << Class->ClassName();
    Free(Params);
  }
}

// Spin buttons of a 20-pixel edit: arrows 7 wide and 4 high in a 17-pixel column
// (the themed look has no button margins: 19); the colour combo's ellipsis button
// of a 22-pixel combo is 16 wide.
TEST_F(PainterFixture, SpinAndColourComboButtonSizes) {
  TdxBarPainter* P = Use(TdxBarEnhancedPainter::StaticClass());
  SIZE Arrow;
  P->SpinArrowSize(20, Arrow);
  EXPECT_EQ(7, Arrow.cx);
  EXPECT_EQ(4, Arrow.cy);
  EXPECT_EQ(17, P->SpinButtonsWidth(0, RECT{0, 0, 80, 20}));
  EXPECT_EQ(16, P->ColorComboButtonWidth(0, RECT{0, 0, 80, 22}));
  EXPECT_EQ(19, Use(TdxBarXPPainter::StaticClass())->SpinButtonsWidth(0, RECT{0, 0, 80, 20}));
}

// The glyph area follows the image size alone: 23 x 22 for 16-pixel glyphs,
// whatever the caption's height.
TEST_F(PainterFixture, GlyphAreaIgnoresTheTextHeight) {
  TdxBarPainter* P = Use(TdxBarEnhancedPainter::StaticClass());
  for (int TextHeight : {13, 40}) {
    SIZE S = P->GlyphAreaSize(16, TextHeight);
    EXPECT_EQ(23, S.cx);
    EXPECT_EQ(22, S.cy);
  }
}

// A large entry without a glyph measures its glyph as 20 x 20: with the glyph
// above the caption it is the wider of glyph and caption (+ 6) plus 10 wide and
// glyph, text and 7 high.
TEST_F(PainterFixture, LargeEntryExtents) {
  Use(TdxBarEnhancedPainter::StaticClass());
  for (const char* Caption : {"Go", "A much longer caption"}) {
    TdxBarSubItem* Item = TdxBarSubItem::Create(Form);
    Item->SetCaption(Caption);
    ToolbarLinks->Links()->AddItem(Item);
    Toolbar->Layout();
    TdxBarItemControl* C = Toolbar->ControlOf(ToolbarLinks->Links()->ShownLinkCount() - 1);
    C->GetViewInfo()->SetViewLevel(ivlLargeIconWithText);
    int Text = C->CalcTextAreaWidth();
    EXPECT_EQ(std::max(20, Text + 6) + 10, C->Width()) << Caption;
    EXPECT_EQ(20 + C->TextHeight() + 7, C->Height()) << Caption;
    EXPECT_EQ((SIZE{20, 20}.cx), C->GlyphSize(2).cx);
  }
}

// The width cache of a control answers only for the levels it allows.
TEST_F(PainterFixture, WidthCacheRefusesLevelsNotAllowed) {
  AddButton(*ToolbarLinks, "Plain");
  Toolbar->Layout();
  TdxBarItemControlViewInfo* Info = Toolbar->ControlOf(0)->GetViewInfo();
  EXPECT_GT(Info->WidthForViewLevel(ivlSmallIconWithText), 0);
  try {
    Info->WidthForViewLevel(ivlLargeIconWithText);
    ADD_FAILURE() << "a button has no large level";
  } catch (const EdxException& E) {
    EXPECT_STREQ("Testing! The level is not allowed", E.what());
  }
}

// A Lowered button is two pixels wider and higher, except in the themed look.
TEST_F(PainterFixture, LoweredButtonIsLargerExceptThemed) {
  AddButton(*ToolbarLinks, "Same");
  AddButton(*ToolbarLinks, "Same")->SetLowered(true);
  for (auto [Class, Grows] : {std::pair{TdxBarStandardPainter::StaticClass(), 2},
                              std::pair{TdxBarEnhancedPainter::StaticClass(), 2},
                              std::pair{TdxBarFlatPainter::StaticClass(), 2},
                              std::pair{TdxBarOffice11Painter::StaticClass(), 2},
                              std::pair{TdxBarXPPainter::StaticClass(), 0}}) {
    Use(Class);
    Toolbar->RecreateItemControls();
    Toolbar->Layout();
    TdxBarItemControl *A = Toolbar->ControlOf(0), *B = Toolbar->ControlOf(1);
    EXPECT_EQ(A->Width() + Grows, B->Width()) << Class->ClassName();
    EXPECT_EQ(A->Height() + Grows, B->Height()) << Class->ClassName();
  }
}

// The space beside a caption without glyph: half the font's point size for a
// button, half its pixel height for a sub-item (8 on the flat looks' main menu).
TEST_F(PainterFixture, CaptionIndentsOfButtonsAndSubItems) {
  AddButton(*ToolbarLinks, "Plain");
  TdxBarSubItem* Sub = TdxBarSubItem::Create(Form);
  Sub->SetCaption("File");
  ToolbarLinks->Links()->AddItem(Sub);
  struct Case {
    TdxBarPainterClass Painter;
    int Points;
    bool MainMenu;
    int Button, SubItem;
  };
  const Case Cases[] = {{TdxBarEnhancedPainter::StaticClass(), 9, false, 4, 6},
                        {TdxBarEnhancedPainter::StaticClass(), 12, false, 6, 8},
                        {TdxBarEnhancedPainter::StaticClass(), 12, true, 6, 8},
                        {TdxBarFlatPainter::StaticClass(), 9, false, 4, 6},
                        {TdxBarFlatPainter::StaticClass(), 18, true, 9, 8}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Painter->ClassName()) + " " + std::to_string(C.Points) + (C.MainMenu ? " main menu" : ""));
    Use(C.Painter);
    Toolbar->V.MainMenu = C.MainMenu;
    Toolbar->GetFont()->SetSize(C.Points);
    Toolbar->RecreateItemControls();
    Toolbar->Layout();
    ASSERT_EQ(C.Points * 4 / 3, std::abs(static_cast<int>(Toolbar->GetFont()->GetLogFont().lfHeight)));
    EXPECT_EQ(C.Button, Toolbar->ControlOf(0)->CaptionIndent());
    EXPECT_EQ(C.SubItem, Toolbar->ControlOf(1)->CaptionIndent());
  }
}
