// How a status bar shares its width: resolved panel widths, the cells of the
// visible panels, hit testing, the size-grip rule and the choice of painter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Panel.h"
#include "suite/navbar/StatusBarStateIndicators.h"
#include "tests/suite_common/ThemeFake.h"
#include "tests/suite_statusbar/StatusBarFixture.h"

namespace {

struct TWidthCase {
  const char* Name;
  const char* Style;   // registered class name ("" for a panel without style)
  int Lamps;           // indicator lamps for the state-indicator style
  int MinWidth;        // assigned first when not -1
  int Width;           // assigned next when not -1
  bool Fixed;
  int ExpectWidth, ExpectMinWidth;
  bool ExpectFixed;
  int ExpectLayoutWidth;  // the panel is not the last one, so no grip room
};

const TWidthCase WidthCases[] = {
    {"text defaults", "TdxStatusBarTextPanelStyle", 0, -1, -1, true, 50, 20, true, 52},
    {"width below the stored minimum", "TdxStatusBarTextPanelStyle", 0, -1, 10, true, 20, 20, true, 22},
    {"minimum above the width raises it", "TdxStatusBarTextPanelStyle", 0, 80, -1, true, 80, 80, true, 82},
    {"negative minimum is 0", "TdxStatusBarTextPanelStyle", 0, -5, 10, false, 10, 0, false, 12},
    {"no style: no bevel room", "", 0, -1, 70, true, 70, 20, true, 70},
    {"lamps: content width, always fixed", "TdxStatusBarStateIndicatorPanelStyle", 2, 5, 200, false, 46, 46, true, 48},
    {"no lamps", "TdxStatusBarStateIndicatorPanelStyle", 0, -1, -1, true, 20, 20, true, 22},
};

class PanelWidths : public StatusBarFixture, public ::testing::WithParamInterface<TWidthCase> {};

TEST_P(PanelWidths, Resolve) {
  const TWidthCase& C = GetParam();
  TdxStatusBarPanel* P = AddPanel(-1, C.Style);
  AddPanel(-1);
  if (auto* S = dynamic_cast<TdxStatusBarStateIndicatorPanelStyle*>(P->GetPanelStyle()))
    for (int K = 0; K < C.Lamps; ++K) S->GetIndicators()->Add();
  if (C.MinWidth != -1) P->SetMinWidth(C.MinWidth);
  if (C.Width != -1) P->SetWidth(C.Width);
  P->SetFixed(C.Fixed);
  EXPECT_EQ(P->GetWidth(), C.ExpectWidth);
  EXPECT_EQ(P->GetMinWidth(), C.ExpectMinWidth);
  EXPECT_EQ(P->GetFixed(), C.ExpectFixed);
  EXPECT_EQ(P->LayoutWidth(), C.ExpectLayoutWidth);
}

INSTANTIATE_TEST_SUITE_P(Table, PanelWidths, ::testing::ValuesIn(WidthCases));

struct TPanelSpec {
  int Width;
  int MinWidth;  // -1: not assigned
  bool Fixed;
  bool Visible;
};

struct TLayoutCase {
  const char* Name;
  std::vector<TPanelSpec> Panels;
  bool SizeGrip;
  std::vector<int> Expect;
  bool Overlapped;
};

// The stand-in painter leaves 398 pixels (margins 1 and 1), separators are 3
// wide, every text panel takes 2 for its bevel, and while the grip shows the
// collection's last panel takes 10 more.
const TLayoutCase LayoutCases[] = {
    {"one fixed panel stretches", {{100, -1, true, true}}, true, {398}, false},
    {"the last of fixed panels stretches", {{130, -1, true, true}, {100, -1, true, true}}, true, {132, 3, 263}, false},
    {"a flexible panel first keeps every fixed one",
     {{100, -1, false, true}, {50, -1, true, true}, {60, -1, true, true}},
     true,
     {268, 3, 52, 3, 72},
     false},
    {"flexible panels share in proportion",
     {{100, -1, false, true}, {300, -1, false, true}, {40, -1, true, true}},
     true,
     {86, 3, 254, 3, 52},
     true},
    {"too wide: the flexible ones shrink to their minimum",
     {{300, 250, false, true}, {300, 50, false, true}},
     true,
     {252, 3, 143},
     true},
    {"the grip room stays with a hidden last panel",
     {{100, -1, false, true}, {100, -1, true, true}, {50, -1, true, false}},
     true,
     {293, 3, 102},
     false},
    {"the visible last panel takes the grip room",
     {{100, -1, false, true}, {100, -1, true, true}, {50, -1, true, true}},
     true,
     {228, 3, 102, 3, 62},
     false},
    {"no grip, no room", {{100, -1, false, true}, {50, -1, true, true}}, false, {343, 3, 52}, false},
    {"no visible panels, no cells", {{100, -1, true, false}}, true, {}, false},
};

class Layout : public StatusBarFixture, public ::testing::WithParamInterface<TLayoutCase> {};

TEST_P(Layout, Cells) {
  const TLayoutCase& C = GetParam();
  Bar->SetSizeGrip(C.SizeGrip);
  for (const TPanelSpec& S : C.Panels) {
    TdxStatusBarPanel* P = AddPanel(-1);
    if (S.MinWidth != -1) P->SetMinWidth(S.MinWidth);
    P->SetWidth(S.Width);
    P->SetFixed(S.Fixed);
    P->SetVisible(S.Visible);
  }
  EXPECT_EQ(Widths(), C.Expect);
  if (!C.Expect.empty()) {
    EXPECT_EQ(Bar->GetViewInfo()->GetSizeGripOverlapped(), C.Overlapped);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Layout, ::testing::ValuesIn(LayoutCases));

TEST_F(StatusBarFixture, LayoutFollowsResizeAndGripChanges) {
  AddPanel(100);
  AddPanel(50)->SetFixed(true);
  EXPECT_EQ(Widths(), (std::vector<int>{102, 3, 293}));
  Form->SetClientWidth(300);
  Pump();
  EXPECT_EQ(Widths(), (std::vector<int>{102, 3, 193}));
  Bar->GetPanels()->Items(0)->SetFixed(false);
  EXPECT_EQ(Widths(), (std::vector<int>{233, 3, 62}));
  Bar->SetSizeGrip(false);
  EXPECT_EQ(Widths(), (std::vector<int>{243, 3, 52}));
}

// Cells in the stand-in's area: panel 0 at x 1..102, a separator at 103..105,
// panel 1 at 106..398, rows 2..19.
TEST_F(StatusBarFixture, HitTestSkipsSeparatorsAndMargins) {
  AddPanel(100);
  AddPanel(50);
  const struct {
    int X, Y, Expect;
  } Points[] = {{1, 10, 0},  {0, 10, -1},   {102, 10, 0},  {103, 10, -1}, {105, 10, -1}, {106, 10, 1},
                {398, 10, 1}, {399, 10, -1}, {50, 1, -1},  {50, 2, 0},    {50, 19, 0},   {50, 20, -1}};
  for (const auto& P : Points) EXPECT_EQ(PanelIndexAt(P.X, P.Y), P.Expect) << P.X << ", " << P.Y;
  Bar->GetPanels()->Items(0)->SetVisible(false);
  EXPECT_EQ(PanelIndexAt(1, 10), 1);
  Bar->GetPanels()->Items(1)->SetVisible(false);
  EXPECT_EQ(PanelIndexAt(1, 10), -1);
}

// Layout and hits use the area inside the border that painting uses: with a
// 3-pixel frame the last panel still ends at the frame.
TEST_F(StatusBarFixture, BorderWidthNarrowsLayoutAndHits) {
  Bar->UseStub(false);
  Bar->SetBorderWidth(3);
  AddPanel(100);
  AddPanel(50);
  const RECT Area = Bar->PanelArea();
  EXPECT_EQ(Area, (RECT{3, 5, 397, 18}));
  std::vector<int> W = Widths();
  ASSERT_EQ(W.size(), 3u);
  EXPECT_EQ(3 + W[0] + W[1] + W[2], 397);
  EXPECT_EQ(PanelIndexAt(396, 10), 1);
  EXPECT_EQ(PanelIndexAt(397, 10), -1);
  EXPECT_EQ(PanelIndexAt(2, 10), -1);
  EXPECT_EQ(PanelIndexAt(3, 10), 0);
  Bar->SetBorderWidth(-4);
  EXPECT_EQ(Bar->GetBorderWidth(), 0);
}

struct TGripCase {
  const char* Name;
  void (*Arrange)(StatusBarFixture& F);
  bool Expect;
};

const TGripCase GripCases[] = {
    {"sizeable form, bottom-right corner", [](StatusBarFixture&) {}, true},
    {"SizeGrip off", [](StatusBarFixture& F) { F.Bar->SetSizeGrip(false); }, false},
    {"single border", [](StatusBarFixture& F) { F.Form->SetBorderStyle(bsSingle); }, false},
    {"dialog border", [](StatusBarFixture& F) { F.Form->SetBorderStyle(bsDialog); }, false},
    {"sizeable tool window", [](StatusBarFixture& F) { F.Form->SetBorderStyle(bsSizeToolWin); }, true},
    {"maximized", [](StatusBarFixture& F) { F.Form->SetWindowState(wsMaximized); }, false},
    {"minimized", [](StatusBarFixture& F) { F.Form->SetWindowState(wsMinimized); }, false},
    {"above the bottom",
     [](StatusBarFixture& F) {
       F.Bar->SetAlign(alNone);
       F.Bar->SetBounds(0, 100, 400, 21);
     },
     false},
    {"short of the right edge",
     [](StatusBarFixture& F) {
       F.Bar->SetAlign(alNone);
       F.Bar->SetBounds(0, 129, 300, 21);
     },
     false},
    {"another bottom control below it",
     [](StatusBarFixture& F) {
       TPanel* Below = TPanel::Create(F.Form);
       Below->SetBounds(0, 145, 400, 10);
       Below->SetAlign(alBottom);
       Below->SetParent(F.Form);
     },
     false},
    {"in the corner of a panel in the corner",
     [](StatusBarFixture& F) {
       TPanel* Holder = TPanel::Create(F.Form);
       Holder->SetBounds(0, 100, 400, 50);
       Holder->SetParent(F.Form);
       F.Bar->SetParent(Holder);
       F.Bar->SetAlign(alNone);
       F.Bar->SetBounds(0, 29, 400, 21);
     },
     true},
};

class GripRule : public StatusBarFixture, public ::testing::WithParamInterface<TGripCase> {};

TEST_P(GripRule, Visible) {
  GetParam().Arrange(*this);
  Pump();
  EXPECT_EQ(Bar->SizeGripVisible(), GetParam().Expect);
  // The corner answers as the form's bottom-right frame only while the grip shows.
  EXPECT_EQ(HitTest(Bar->GetWidth() - 3, Bar->GetHeight() - 3) == HTBOTTOMRIGHT, GetParam().Expect);
}

INSTANTIATE_TEST_SUITE_P(Table, GripRule, ::testing::ValuesIn(GripCases));

TEST_F(StatusBarFixture, GripHitAreaIsTheGripAndTwoPixels) {
  // The stand-in's grip is 10 x 10: the corner zone starts 12 pixels in.
  EXPECT_EQ(HitTest(388, 9), HTBOTTOMRIGHT);
  EXPECT_EQ(HitTest(399, 20), HTBOTTOMRIGHT);
  EXPECT_EQ(HitTest(387, 15), HTCLIENT);
  EXPECT_EQ(HitTest(395, 8), HTCLIENT);
}

struct TPainterCase {
  const char* Name;
  TdxStatusBarPaintStyle Style;
  TcxLookAndFeelKind Kind;
  bool Native;
  bool Themes;
  const char* Expect;
};

const TPainterCase PainterCases[] = {
    {"standard", stpsStandard, lfUltraFlat, true, true, "TdxStatusBarStandardPainter"},
    {"flat", stpsFlat, lfStandard, false, true, "TdxStatusBarFlatPainter"},
    {"office 11", stpsOffice11, lfFlat, false, false, "TdxStatusBarOffice11Painter"},
    {"XP with the theme", stpsXP, lfUltraFlat, false, true, "TdxStatusBarXPPainter"},
    {"XP without the theme", stpsXP, lfUltraFlat, false, false, "TdxStatusBarStandardPainter"},
    {"look-and-feel flat", stpsUseLookAndFeel, lfFlat, false, true, "TdxStatusBarStandardPainter"},
    {"look-and-feel standard", stpsUseLookAndFeel, lfStandard, false, true, "TdxStatusBarStandardPainter"},
    {"look-and-feel ultra-flat", stpsUseLookAndFeel, lfUltraFlat, false, true, "TdxStatusBarFlatPainter"},
    {"look-and-feel office 11", stpsUseLookAndFeel, lfOffice11, false, true, "TdxStatusBarOffice11Painter"},
    {"native with the theme", stpsUseLookAndFeel, lfOffice11, true, true, "TdxStatusBarXPPainter"},
    {"native without the theme", stpsUseLookAndFeel, lfUltraFlat, true, false, "TdxStatusBarFlatPainter"},
};

class PainterChoice : public StatusBarFixture, public ::testing::WithParamInterface<TPainterCase> {};

TEST_P(PainterChoice, FollowsStyleLookAndFeelAndTheme) {
  const TPainterCase& C = GetParam();
  TFakeThemeScope Theme(C.Themes);
  Bar->UseStub(false);
  Bar->SetPaintStyle(C.Style);
  Bar->GetLookAndFeel()->SetKind(C.Kind);
  Bar->GetLookAndFeel()->SetNativeStyle(C.Native);
  EXPECT_EQ(Bar->GetStatusThemesAvailable(), C.Themes);
  EXPECT_EQ(Bar->GetPainter()->ClassName(), C.Expect);
}

INSTANTIATE_TEST_SUITE_P(Table, PainterChoice, ::testing::ValuesIn(PainterCases));

TEST_F(StatusBarFixture, ThemeChangeChoosesThePainterAgain) {
  TFakeThemeScope Theme(true);
  Bar->UseStub(false);
  Bar->SetPaintStyle(stpsXP);
  ASSERT_EQ(Bar->GetPainter(), TdxStatusBarXPPainter::Instance());
  TFakeTheme::Active = false;
  SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(Bar->GetPainter(), TdxStatusBarStandardPainter::Instance());
  TFakeTheme::Active = true;
  SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(Bar->GetPainter(), TdxStatusBarXPPainter::Instance());
}

}  // namespace
