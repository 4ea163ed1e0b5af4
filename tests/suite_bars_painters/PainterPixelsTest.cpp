// What the painters leave in a memory bitmap where their looks differ: check
// marks, marks and chevrons, grips, separators, the gradient toolbar box,
// the themed dock lines and the disabled caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/cxStyles.h"
#include "tests/suite_bars_painters/PainterFixture.h"

namespace {
COLORREF Sys(int Index) { return GetSysColor(Index); }

// A font drawn without smoothing, so a caption shows only the colours it is drawn in.
HFONT PlainFont(int Height) {
  LOGFONTW LF{};
  LF.lfHeight = Height;
  LF.lfQuality = NONANTIALIASED_QUALITY;
  lstrcpyW(LF.lfFaceName, L"Tahoma");
  return CreateFontIndirectW(&LF);
}

struct BoundingBox {
  int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1;
  void Add(int X, int Y) {
    Left = std::min(Left, X), Top = std::min(Top, Y), Right = std::max(Right, X), Bottom = std::max(Bottom, Y);
  }
};

BoundingBox BoxOf(const TMemoryDC& Dc, int W, int H, COLORREF Colour) {
  BoundingBox B;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (Dc.Pixel(X, Y) == Colour) B.Add(X, Y);
  return B;
}

// An image list of one 16 x 16 disc in DiscColour with a dark rim.
constexpr TColor DiscColour = TColor(0xC86E1E);
TImageList* DiscImages(TComponent* Owner) {
  TImageList* Images = TImageList::Create(Owner);
  Images->SetWidth(16);
  Images->SetHeight(16);
  TBitmap* Picture = TBitmap::Create();
  Picture->SetSize(16, 16);
  TCanvas* PC = Picture->GetCanvas();
  PC->GetBrush()->SetColor(clFuchsia);
  PC->FillRect(RECT{0, 0, 16, 16});
  PC->GetBrush()->SetColor(DiscColour);
  PC->GetPen()->SetColor(TColor(0x603010));
  PC->Ellipse(0, 0, 16, 16);
  Images->AddMasked(Picture, clFuchsia);
  Free(Picture);
  return Images;
}
}  // namespace

// The classic check mark is drawn in three shades, four strokes deep at a scale
// of 1; the flat one (which the themed painter borrows) is one colour, two pixels deep.
TEST_F(PainterFixture, CheckMarksOfTheClassicAndTheFlatLooks) {
  AddButton(*ToolbarLinks, "On");
  AddButton(*ToolbarLinks, "Off", false);
  struct Case {
    TdxBarPainterClass Painter;
    int Button;
    std::vector<COLORREF> Column;  // the tick's knee at X + 3, from Y + 3 down
  };
  const Case Cases[] = {
      {TdxBarStandardPainter::StaticClass(), 0, {Backdrop, RGB(192, 192, 192), 0, 0, RGB(255, 255, 255), Backdrop}},
      {TdxBarStandardPainter::StaticClass(), 1, {Backdrop, Backdrop, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW), Backdrop}},
      {TdxBarFlatPainter::StaticClass(), 0, {Backdrop, 0, 0, Backdrop}},
      {TdxBarFlatPainter::StaticClass(), 1, {Backdrop, Backdrop, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW), Backdrop}},
      {TdxBarXPPainter::StaticClass(), 0, {Backdrop, 0, 0, Backdrop}},
  };
  for (const Case& C : Cases) {
    TdxBarPainter* P = Use(C.Painter);
    Toolbar->Layout();
    TMemoryDC Dc(20, 20);
    FillBackdrop(Dc, 20, 20);
    P->DrawCheckMark(Toolbar->ControlOf(C.Button), Dc.DC(), 4, 4, 1);
    for (size_t I = 0; I < C.Column.size(); ++I)
      EXPECT_EQ(C.Column[I], Dc.Pixel(7, 7 + static_cast<int>(I)))
          << C.Painter->ClassName() << " button " << C.Button << " row " << I;
  }
  // The classic figure's disabled highlight runs along its long stroke.
  TdxBarPainter* P = Use(TdxBarStandardPainter::StaticClass());
  TMemoryDC Dc(20, 20);
  FillBackdrop(Dc, 20, 20);
  P->DrawCheckMark(Toolbar->ControlOf(1), Dc.DC(), 4, 4, 1);
  EXPECT_EQ((std::set<COLORREF>{Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT)}), ColoursIn(Dc, RECT{0, 0, 20, 20}));
}

// The quick-customization arrow sits 7 rows above the mark's bottom (one row
// lower on a mark of 16 pixels or less, except in the classic looks); the
// chevrons start 2 and 6 pixels in.
TEST_F(PainterFixture, MarkArrowAndChevronsOnAHorizontalToolbar) {
  Toolbar->V.HiddenItems = true;
  struct Case {
    TdxBarPainterClass Painter;
    int Height;
    bool Arrow;
    int ChevronTop;
  };
  const Case Cases[] = {{TdxBarFlatPainter::StaticClass(), 17, true, 4},
                        {TdxBarFlatPainter::StaticClass(), 16, true, 3},
                        {TdxBarEnhancedPainter::StaticClass(), 16, true, 4},
                        {TdxBarStandardPainter::StaticClass(), 22, false, 1}};
  for (const Case& C : Cases) {
    TdxBarPainter* P = Use(C.Painter);
    TMemoryDC Dc(11, C.Height);
    FillBackdrop(Dc, 11, C.Height);
    RECT Mark{0, 0, 11, C.Height};
    P->DrawMarkContent(Toolbar, Dc.DC(), Mark);
    bool Narrow = P->IsMarkNarrow(Toolbar, Mark);
    EXPECT_EQ(C.Height <= 16 && C.Painter.Get() == TdxBarFlatPainter::StaticClass(), Narrow);
    int ArrowTop = C.Height - 7 + (Narrow ? 1 : 0);
    COLORREF Tip = Dc.Pixel(5, ArrowTop + 1);
    if (C.Arrow) {
      EXPECT_EQ(Sys(COLOR_BTNTEXT), Dc.Pixel(3, ArrowTop)) << C.Height;
      EXPECT_EQ(Sys(COLOR_BTNTEXT), Tip) << C.Height;
      EXPECT_EQ(Backdrop, Dc.Pixel(5, ArrowTop + 3)) << C.Height;
    } else {
      EXPECT_EQ(Backdrop, Tip) << "the classic mark has no quick-customization arrow";
    }
    if (C.Painter.Get() == TdxBarStandardPainter::StaticClass()) {
      // The embossed chevron: a highlight stroke beside a shadow stroke.
      EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), Dc.Pixel(1, 1));
      EXPECT_EQ(Sys(COLOR_BTNSHADOW), Dc.Pixel(2, 1));
    } else {
      for (int X : {2, 3, 6, 7}) EXPECT_EQ(Sys(COLOR_BTNTEXT), Dc.Pixel(X, C.ChevronTop)) << C.Height << " x " << X;
      EXPECT_EQ(Backdrop, Dc.Pixel(2, C.ChevronTop - 1)) << C.Height;
    }
  }
}

// A caption-button mark's arrow: 7 pixels wide and 4 high in the middle of its
// rectangle, in the flat look's text colour while hot.
TEST_F(PainterFixture, MarkArrowIsCentredAndColouredByState) {
  TdxBarPainter* P = Use(TdxBarFlatPainter::StaticClass());
  for (int State : {0, 1}) {
    Toolbar->V.MarkState = State;
    TMemoryDC Dc(13, 13);
    FillBackdrop(Dc, 13, 13);
    P->DrawMarkArrow(Toolbar, Dc.DC(), RECT{0, 0, 13, 13});
    COLORREF Colour = State ? Sys(COLOR_BTNTEXT) : Sys(COLOR_CAPTIONTEXT);
    EXPECT_EQ(Colour, Dc.Pixel(3, 5));
    EXPECT_EQ(Colour, Dc.Pixel(9, 5));
    EXPECT_EQ(Colour, Dc.Pixel(6, 8));
    EXPECT_EQ(Backdrop, Dc.Pixel(6, 9));
    EXPECT_EQ(Backdrop, Dc.Pixel(2, 5));
  }
}

// The classic grip is two raised bars starting 2 pixels inside the border, the
// enhanced grip one bar starting 1 pixel in and a pixel shorter at both ends.
TEST_F(PainterFixture, ClassicAndEnhancedGrips) {
  const COLORREF Light = Sys(COLOR_BTNHIGHLIGHT), Dark = Sys(COLOR_BTNSHADOW);
  struct Case {
    TdxBarPainterClass Painter;
    std::vector<COLORREF> Row;  // x = 2 .. 10 at mid height
    COLORREF TopOfBar;          // the first bar's column at y = 2
  };
  const Case Cases[] = {
      {TdxBarStandardPainter::StaticClass(), {Backdrop, Backdrop, Light, Sys(COLOR_BTNFACE), Dark, Light, Sys(COLOR_BTNFACE), Dark, Backdrop}, Light},
      {TdxBarEnhancedPainter::StaticClass(), {Backdrop, Light, Sys(COLOR_BTNFACE), Dark, Backdrop, Backdrop, Backdrop, Backdrop, Backdrop}, Backdrop},
  };
  for (const Case& C : Cases) {
    TdxBarPainter* P = Use(C.Painter);
    TMemoryDC Dc(60, 26);
    FillBackdrop(Dc, 60, 26);
    P->DrawGrip(Toolbar, Dc.DC(), GetSysColorBrush(COLOR_BTNFACE), RECT{0, 0, 60, 26});
    for (size_t I = 0; I < C.Row.size(); ++I)
      EXPECT_EQ(C.Row[I], Dc.Pixel(2 + static_cast<int>(I), 13)) << C.Painter->ClassName() << " x " << 2 + I;
    int FirstBar = C.Painter.Get() == TdxBarStandardPainter::StaticClass() ? 4 : 3;
    EXPECT_EQ(C.TopOfBar, Dc.Pixel(FirstBar, 2)) << C.Painter->ClassName();
    EXPECT_EQ(Light, Dc.Pixel(0, 0)) << "the docked bar's raised border";
  }
  Toolbar->V.Dockable = false;
  TMemoryDC Dc(60, 26);
  FillBackdrop(Dc, 60, 26);
  PainterInstanceOf(TdxBarStandardPainter::StaticClass())
      ->DrawGrip(Toolbar, Dc.DC(), GetSysColorBrush(COLOR_BTNFACE), RECT{0, 0, 60, 26});
  EXPECT_EQ(Backdrop, Dc.Pixel(4, 13)) << "a bar that cannot dock shows no grip";
}

// A separator band: an etched line in the classic looks, one shadow line in the
// flat look, two lines in the gradient look, the visual style's part when themed.
TEST_F(PainterFixture, SeparatorsOnAHorizontalToolbar) {
  struct Case {
    TdxBarPainterClass Painter;
    std::vector<std::pair<int, COLORREF>> Columns;
  };
  const Case Cases[] = {
      {TdxBarEnhancedPainter::StaticClass(), {{2, Sys(COLOR_BTNSHADOW)}, {3, Sys(COLOR_BTNHIGHLIGHT)}}},
      {TdxBarFlatPainter::StaticClass(), {{2, Sys(COLOR_BTNSHADOW)}, {3, Rgb(TdxBarManager::FlatFaceColor())}}},
      {TdxBarOffice11Painter::StaticClass(), {{2, Rgb(Office11Color15)}, {3, Rgb(Office11Color16)}}},
      {TdxBarXPPainter::StaticClass(), {{0, TThemeRecorder::ColourFor(5, 1)}, {5, TThemeRecorder::ColourFor(5, 1)}}},
  };
  for (const Case& C : Cases) {
    TdxBarPainter* P = Use(C.Painter);
    int W = P->SeparatorSize();
    TMemoryDC Dc(W, 30);
    FillBackdrop(Dc, W, 30);
    P->DrawBarSeparator(Toolbar, Dc.DC(), false, Toolbar->ToolbarBrush(), RECT{0, 0, W, 30});
    for (auto [X, Colour] : C.Columns)
      EXPECT_EQ(Colour, Dc.Pixel(X, 15)) << C.Painter->ClassName() << " x " << X;
  }
}

// A disabled caption is embossed in the classic looks (highlight one pixel right
// of and below the shadow copy) and drawn once in the grey text colour when flat.
TEST_F(PainterFixture, DisabledCaptionInTwoColoursOrOne) {
  AddButton(*ToolbarLinks, "Off", false);
  HFONT Font = PlainFont(-16);
  struct Case {
    TdxBarPainterClass Painter;
    bool Embossed;
  };
  for (Case C : {Case{TdxBarEnhancedPainter::StaticClass(), true}, Case{TdxBarStandardPainter::StaticClass(), true},
                 Case{TdxBarFlatPainter::StaticClass(), false}}) {
    TdxBarPainter* P = Use(C.Painter);
    Toolbar->Layout();
    TMemoryDC Dc(80, 30);
    FillBackdrop(Dc, 80, 30);
    HGDIOBJ Old = SelectObject(Dc.DC(), Font);
    P->DrawItemText(Toolbar->ControlOf(0), Dc.DC(), "Wired", RECT{2, 2, 78, 28}, 0, false, false, false, false, true,
                    DT_SINGLELINE);
    SelectObject(Dc.DC(), Old);
    std::set<COLORREF> Found = ColoursIn(Dc, RECT{0, 0, 80, 30});
    if (C.Embossed) {
      EXPECT_EQ((std::set<COLORREF>{Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW)}), Found) << C.Painter->ClassName();
      BoundingBox Light = BoxOf(Dc, 80, 30, Sys(COLOR_BTNHIGHLIGHT)), Dark = BoxOf(Dc, 80, 30, Sys(COLOR_BTNSHADOW));
      EXPECT_EQ(Dark.Right + 1, Light.Right) << C.Painter->ClassName();
      EXPECT_EQ(Dark.Bottom + 1, Light.Bottom) << C.Painter->ClassName();
    } else {
      EXPECT_EQ((std::set<COLORREF>{Sys(COLOR_GRAYTEXT)}), Found) << C.Painter->ClassName();
    }
  }
  DeleteObject(Font);
}

// The themed dock: rows are parted by a highlight line at a row's top and a
// shadow line at its bottom, but not at the site's outer edges.
TEST_F(PainterFixture, ThemedDockLinesForThreeRows) {
  std::vector<TdxBarDockRowInfo> Rows = {{RECT{0, 0, 50, 10}, {}}, {RECT{0, 10, 50, 20}, {}}, {RECT{0, 20, 50, 30}, {}}};
  TMemoryDC Dc(50, 30);
  FillBackdrop(Dc, 50, 30);
  TdxBarXPPainter::DrawDockRowLines(Dc.DC(), dsTop, Rows);
  const COLORREF Light = Sys(COLOR_BTNHIGHLIGHT), Dark = Sys(COLOR_BTNSHADOW);
  const std::pair<int, COLORREF> Expected[] = {{0, Backdrop}, {9, Dark},  {10, Light},
                                               {19, Dark},    {20, Light}, {29, Backdrop}};
  for (auto [Y, Colour] : Expected) EXPECT_EQ(Colour, Dc.Pixel(25, Y)) << "row y " << Y;
}

// Sub-menu and drop-down arrows are sized from the window's arrow height (a fifth
// of its text size, at least 4), not from the menu metrics: a menu entry's arrow
// points right, 4 wide and 7 high at its right end; a toolbar entry's points
// down, 5 wide and 3 high, right of its caption.
TEST_F(PainterFixture, SubItemArrowsAreSmallTriangles) {
  for (TFakeLinksOwner* Owner : {MenuLinks.get(), ToolbarLinks.get()}) {
    TdxBarSubItem* Sub = TdxBarSubItem::Create(Form);
    Sub->SetCaption("Recent");
    Owner->Links()->AddItem(Sub);
  }
  Use(TdxBarStandardPainter::StaticClass());
  struct Case {
    TCustomdxBarControl* Window;
    SIZE Layout;
    int Width, Height;
  };
  const Case Cases[] = {{Menu, Menu->Layout(), 4, 7}, {Toolbar, Toolbar->Layout(), 5, 3}};
  for (const Case& C : Cases) {
    ASSERT_EQ(4, C.Window->ArrowHeight());
    TMemoryDC Dc(C.Layout.cx, C.Layout.cy);
    FillBackdrop(Dc, C.Layout.cx, C.Layout.cy);
    if (C.Window == Menu)
      Menu->PaintTo(Dc.DC(), RECT{0, 0, C.Layout.cx, C.Layout.cy});
    else
      Toolbar->PaintTo(Dc.DC(), RECT{0, 0, C.Layout.cx, C.Layout.cy});
    // The arrow is the only text-coloured figure in the last 12 columns.
    BoundingBox B;
    for (int Y = 0; Y < C.Layout.cy; ++Y)
      for (int X = C.Layout.cx - 12; X < C.Layout.cx; ++X)
        if (Dc.Pixel(X, Y) == Sys(COLOR_BTNTEXT)) B.Add(X, Y);
    EXPECT_EQ(C.Width, B.Right - B.Left + 1) << (C.Window == Menu ? "menu" : "toolbar");
    EXPECT_EQ(C.Height, B.Bottom - B.Top + 1) << (C.Window == Menu ? "menu" : "toolbar");
  }
}

// An entry of the main-menu bar leaves no room for an arrow (even when measured
// before its first paint), and a hot caption-only entry is framed over its whole
// width, not over a glyph-sized square under its caption.
TEST_F(PainterFixture, MainMenuEntryIsFramedWhole) {
  TdxBarSubItem* Sub = TdxBarSubItem::Create(Form);
  Sub->SetCaption("&File");
  ToolbarLinks->Links()->AddItem(Sub);
  Use(TdxBarStandardPainter::StaticClass());
  int OnToolbar = Toolbar->Layout().cx;
  Toolbar->V.MainMenu = true;
  SIZE S = Toolbar->Layout();
  EXPECT_EQ(OnToolbar - Toolbar->GetTextSize() / 2, S.cx);
  TdxBarItemControl* C = Toolbar->ControlOf(0);
  Toolbar->SetSelectedLink(C->GetItemLink());
  TMemoryDC Dc(S.cx, S.cy);
  FillBackdrop(Dc, S.cx, S.cy);
  Toolbar->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
  EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), Dc.Pixel(S.cx - 2, 0)) << "the raised frame's top row reaches the right end";
  EXPECT_EQ(Sys(COLOR_BTNSHADOW), Dc.Pixel(S.cx - 1, S.cy / 2)) << "its shadow is the entry's last column";
}

// An unselected menu entry shows the menu's own background (the gradient look's
// band and light brush) wherever it fills "not opaque", not the selection brush
// it was handed.
TEST_F(PainterFixture, UnselectedMenuEntryShowsTheMenuBackground) {
  AddButton(*MenuLinks, "Open");
  TdxBarPainter* P = Use(TdxBarOffice11Painter::StaticClass());
  SIZE S = Menu->Layout();
  Menu->SetBounds(0, 0, S.cx, S.cy);
  TMemoryDC Entry(S.cx, S.cy), Empty(S.cx, S.cy);
  Menu->PaintTo(Entry.DC(), RECT{0, 0, S.cx, S.cy});
  TdxBarCanvas* Canvas = BarCanvasInstance();
  Canvas->PushDC(Empty.DC());
  P->FillMenuBackground(Menu, Canvas, clNone, Menu->BackgroundBrush(), RECT{0, 0, S.cx, S.cy});
  Canvas->PopState();
  for (POINT P : {POINT{2, S.cy / 2}, POINT{S.cx - 3, 2}, POINT{S.cx - 3, S.cy / 2}})
    EXPECT_EQ(Empty.Pixel(P.x, P.y), Entry.Pixel(P.x, P.y)) << P.x << ", " << P.y;
}

// The progress fill stays inside the bar whatever the position, and a range of
// no width fills nothing.
TEST_F(PainterFixture, ProgressFillStaysInsideTheBar) {
  TdxBarPainter* P = Use(TdxBarEnhancedPainter::StaticClass());
  AddButton(*ToolbarLinks, "Host");
  Toolbar->Layout();
  struct Case {
    int Position, Min, Max;
    bool Fills;
  };
  const Case Cases[] = {{150, 0, 100, true}, {50, 0, 100, true}, {-20, 0, 100, false}, {50, 50, 50, false}};
  const RECT Bar{10, 10, 110, 22};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Position);
    TMemoryDC Dc(140, 32);
    FillBackdrop(Dc, 140, 32);
    TCanvas* Canvas = TCanvas::Create();
    Canvas->SetHandle(Dc.DC());
    TcxCanvas* cx = TcxCanvas::Create(Canvas);
    auto* Params = TdxBarProgressControlDrawParams::Create(Toolbar->ControlOf(0));
    Params->Canvas = cx;
    Params->Smooth = true;
    Params->Position = C.Position;
    Params->Min = C.Min;
    Params->Max = C.Max;
    P->DrawProgressBar(Params, Bar, clRed);
    Free(Params);
    Free(cx);
    Canvas->SetHandle(nullptr);
    Free(Canvas);
    EXPECT_EQ(C.Fills, ColoursIn(Dc, Bar).count(Rgb(clRed)) > 0);
    EXPECT_EQ(0u, ColoursIn(Dc, RECT{Bar.right, 0, 140, 32}).count(Rgb(clRed))) << "no fill past the bar";
  }
}

// The classic caption buttons carry their glyphs as shapes, whatever fonts the
// machine has: a cross for close, a bar for minimize, two windows for restore.
TEST_F(PainterFixture, ClassicCaptionButtonGlyphs) {
  TdxBarPainter* P = Use(TdxBarStandardPainter::StaticClass());
  const COLORREF Ink = Sys(COLOR_BTNTEXT), Face = Sys(COLOR_BTNFACE);
  struct Case {
    int Button;
    std::vector<POINT> Ink, Face;  // on a 16 x 14 button the glyph box is (4, 3) to (12, 11)
  };
  const Case Cases[] = {
      {2, {{4, 3}, {11, 3}, {7, 6}, {8, 7}, {4, 10}, {11, 10}}, {{7, 3}, {4, 6}, {11, 7}, {7, 10}}},
      {0, {{5, 9}, {10, 10}}, {{4, 3}, {11, 3}, {7, 6}}},
      {1, {{6, 3}, {11, 4}, {4, 5}, {4, 10}, {9, 10}}, {{6, 7}, {4, 3}, {11, 10}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Button);
    TMemoryDC Dc(16, 14);
    FillBackdrop(Dc, 16, 14);
    P->DrawMDIButton(Toolbar, C.Button, RECT{0, 0, 16, 14}, Dc.DC(), 0);
    for (POINT Pt : C.Ink) EXPECT_EQ(Ink, Dc.Pixel(Pt.x, Pt.y)) << Pt.x << ", " << Pt.y;
    for (POINT Pt : C.Face) EXPECT_EQ(Face, Dc.Pixel(Pt.x, Pt.y)) << Pt.x << ", " << Pt.y;
  }
}

// A hot image-list button looks the same drawn from the glyph cache as drawn
// directly, in every look (the flat look shadows the hot glyph one pixel up and
// left, past the glyph's own square).
TEST_F(PainterFixture, CachedGlyphDrawsLikeTheDirectOne) {
  M->SetImages(DiscImages(Form));
  TdxBarButton* B = AddButton(*ToolbarLinks, "Open");
  B->SetImageIndex(0);
  for (TdxBarPainterClass Class : {TdxBarStandardPainter::StaticClass(), TdxBarEnhancedPainter::StaticClass(),
                                   TdxBarFlatPainter::StaticClass(), TdxBarOffice11Painter::StaticClass(),
                                   TdxBarXPPainter::StaticClass()}) {
    SCOPED_TRACE(Class->ClassName());
    Use(Class);
    Toolbar->Layout();
    TdxBarItemLink* Link = ToolbarLinks->Links()->GetLink(0);
    Toolbar->SetSelectedLink(Link);
    TdxBarItemControl* Control = Link->GetControl();
    RECT R = Link->GetItemRect();
    auto Draw = [&](TMemoryDC& Dc, bool Cache) {
      M->GetImageOptions()->SetCacheGlyphs(Cache);
      Control->InvalidateGlyphCache(false);
      FillBackdrop(Dc, R.right + 4, R.bottom + 4);
      TCanvas* Canvas = TCanvas::Create();
      Canvas->SetHandle(Dc.DC());
      TcxCanvas* cx = TcxCanvas::Create(Canvas);
      for (int I = 0; I < 2; ++I) Control->Paint(cx, R, Toolbar->PaintType());  // the second from the cache
      Free(cx);
      Canvas->SetHandle(nullptr);
      Free(Canvas);
    };
    TMemoryDC Direct(R.right + 4, R.bottom + 4), Cached(R.right + 4, R.bottom + 4);
    Draw(Direct, false);
    Draw(Cached, true);
    int Differ = 0;
    for (int Y = 0; Y < R.bottom + 4; ++Y)
      for (int X = 0; X < R.right + 4; ++X) Differ += Direct.Pixel(X, Y) != Cached.Pixel(X, Y);
    EXPECT_EQ(0, Differ);
    EXPECT_EQ(1u, ColoursIn(Cached, R).count(Rgb(DiscColour))) << "the glyph is drawn";
    Toolbar->SetSelectedLink(nullptr);
  }
}

// On a vertical bar the caption is drawn turned, by hand: its accelerator is
// underlined with a line along the text, in each colour the caption is drawn in
// (two lines one pixel apart when embossed).
TEST_F(PainterFixture, VerticalCaptionUnderlinesItsAccelerator) {
  AddButton(*ToolbarLinks, "Wide");
  Use(TdxBarEnhancedPainter::StaticClass());
  Toolbar->Layout();
  LOGFONTW LF{};
  LF.lfHeight = -16;
  LF.lfEscapement = LF.lfOrientation = 2700;
  LF.lfQuality = NONANTIALIASED_QUALITY;
  lstrcpyW(LF.lfFaceName, L"Tahoma");
  HFONT Font = CreateFontIndirectW(&LF);
  const RECT R{2, 2, 30, 90};
  auto Draw = [&](TMemoryDC& Dc, const char* Text, bool Enabled) {
    FillBackdrop(Dc, 32, 92);
    HGDIOBJ Old = SelectObject(Dc.DC(), Font);
    PainterInstanceOf(TdxBarEnhancedPainter::StaticClass())
        ->DrawItemText(Toolbar->ControlOf(0), Dc.DC(), Text, R, 0, Enabled, false, true, false, true, DT_SINGLELINE);
    SelectObject(Dc.DC(), Old);
  };
  for (bool Enabled : {true, false}) {
    SCOPED_TRACE(Enabled ? "enabled" : "disabled");
    TMemoryDC Marked(32, 92), Plain(32, 92);
    Draw(Marked, "&Wide", Enabled);
    Draw(Plain, "Wide", Enabled);
    EXPECT_GT(BoxOf(Plain, 32, 92, Enabled ? Sys(COLOR_BTNTEXT) : Sys(COLOR_BTNSHADOW)).Bottom -
                  BoxOf(Plain, 32, 92, Enabled ? Sys(COLOR_BTNTEXT) : Sys(COLOR_BTNSHADOW)).Top,
              20) << "the caption runs down the bar";
    // What the underline adds: straight runs down the text, one per colour.
    std::map<int, std::pair<COLORREF, std::vector<int>>> Columns;
    for (int Y = 0; Y < 92; ++Y)
      for (int X = 0; X < 32; ++X)
        if (Marked.Pixel(X, Y) != Plain.Pixel(X, Y)) {
          EXPECT_EQ(Backdrop, Plain.Pixel(X, Y)) << X << ", " << Y << ": the underline only adds";
          Columns[X].first = Marked.Pixel(X, Y);
          Columns[X].second.push_back(Y);
        }
    std::vector<COLORREF> Expected = Enabled ? std::vector<COLORREF>{Sys(COLOR_BTNTEXT)}
                                             : std::vector<COLORREF>{Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT)};
    ASSERT_EQ(Expected.size(), Columns.size());
    int I = 0, FirstX = Columns.begin()->first;
    for (const auto& [X, Line] : Columns) {
      EXPECT_EQ(FirstX + I, X);
      EXPECT_EQ(Expected[static_cast<size_t>(I)], Line.first);
      EXPECT_GE(Line.second.size(), 6u) << "about as long as the W is wide";
      EXPECT_EQ(static_cast<int>(Line.second.size()), Line.second.back() - Line.second.front() + 1) << "unbroken";
      ++I;
    }
  }
  DeleteObject(Font);
}

// How a toolbar glyph is drawn per state: the classic looks move a down glyph a
// pixel right and down; the flat and themed looks draw idle glyphs paler, the flat
// look lifts a hot glyph a pixel over its shadow; disabled glyphs lose their colour.
TEST_F(PainterFixture, GlyphLookAndPlaceByState) {
  M->SetImages(DiscImages(Form));
  TdxBarButton* B = AddButton(*ToolbarLinks, "Disc");
  B->SetImageIndex(0);
  B->SetButtonStyle(bsChecked);
  enum TState { Idle, Hot, Down, Disabled };
  struct Case {
    TdxBarPainterClass Painter;
    TState State;
    bool Coloured;  // the disc's own colour shows
    int Shift;      // against the painter's first case
  };
  const Case Cases[] = {
      {TdxBarStandardPainter::StaticClass(), Idle, true, 0},   {TdxBarStandardPainter::StaticClass(), Down, true, 1},
      {TdxBarStandardPainter::StaticClass(), Disabled, false, 0}, {TdxBarEnhancedPainter::StaticClass(), Idle, true, 0},
      {TdxBarEnhancedPainter::StaticClass(), Down, true, 1},   {TdxBarFlatPainter::StaticClass(), Down, true, 0},
      {TdxBarFlatPainter::StaticClass(), Idle, false, 0},      {TdxBarFlatPainter::StaticClass(), Hot, true, -1},
      {TdxBarOffice11Painter::StaticClass(), Idle, true, 0},   {TdxBarOffice11Painter::StaticClass(), Hot, true, 0},
      {TdxBarOffice11Painter::StaticClass(), Disabled, false, 0}, {TdxBarXPPainter::StaticClass(), Hot, true, 0},
      {TdxBarXPPainter::StaticClass(), Idle, false, 0},        {TdxBarXPPainter::StaticClass(), Down, true, 1},
  };
  const char* StateNames[] = {"idle", "hot", "down", "disabled"};
  BoundingBox First;
  TdxBarPainterClass Current;
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Painter->ClassName()) + " " + StateNames[C.State]);
    Use(C.Painter);
    B->SetEnabled(C.State != Disabled);
    B->SetDown(C.State == Down);
    Toolbar->Layout();
    TdxBarItemLink* Link = ToolbarLinks->Links()->GetLink(0);
    Toolbar->SetSelectedLink(C.State == Hot ? Link : nullptr);
    RECT R = Link->GetItemRect();
    TMemoryDC Dc(R.right + 4, R.bottom + 4);
    FillBackdrop(Dc, R.right + 4, R.bottom + 4);
    TCanvas* Canvas = TCanvas::Create();
    Canvas->SetHandle(Dc.DC());
    TcxCanvas* cx = TcxCanvas::Create(Canvas);
    Link->GetControl()->Paint(cx, R, Toolbar->PaintType());
    Free(cx);
    Canvas->SetHandle(nullptr);
    Free(Canvas);
    Toolbar->SetSelectedLink(nullptr);
    BoundingBox Disc = BoxOf(Dc, R.right + 4, R.bottom + 4, Rgb(DiscColour));
    EXPECT_EQ(C.Coloured, Disc.Right >= 0);
    if (Current.Get() != C.Painter.Get()) {
      Current = C.Painter;
      First = Disc;
      continue;
    }
    if (!C.Coloured) continue;
    EXPECT_EQ(First.Left + C.Shift, Disc.Left);
    EXPECT_EQ(First.Top + C.Shift, Disc.Top);
  }
}

// An item with a font of its own style keeps the turn of a vertical bar's font:
// its caption still runs down the bar.
TEST_F(PainterFixture, StyleFontKeepsTheTurnOfAVerticalBar) {
  Use(TdxBarEnhancedPainter::StaticClass());
  TcxStyle* Style = TcxStyle::Create(Form);
  Style->GetFont()->SetName("Tahoma");
  Style->GetFont()->SetSize(12);
  Style->SetAssignedValues(TcxStyleValues{svFont});
  for (bool OwnFont : {false, true}) {
    SCOPED_TRACE(OwnFont ? "style font" : "bar font");
    TdxBarButton* B = AddButton(*ToolbarLinks, "Wide caption");
    B->SetPaintStyle(psCaption);
    if (OwnFont) B->SetStyle(0, Style);
    Toolbar->V.Rotated = true;
    Toolbar->GetFont()->SetOrientation(2700);
    SIZE S = Toolbar->Layout();
    TMemoryDC Dc(S.cx, S.cy);
    FillBackdrop(Dc, S.cx, S.cy);
    Toolbar->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
    BoundingBox Text = BoxOf(Dc, S.cx, S.cy, Sys(COLOR_BTNTEXT));
    ASSERT_GE(Text.Right, 0);
    EXPECT_GT(Text.Bottom - Text.Top, 2 * (Text.Right - Text.Left)) << "the caption runs down";
    Free(B);
  }
}

// What a button shows per paint style, on a toolbar and in a menu: its glyph, its
// caption or both (a toolbar button without image shows its caption).
TEST_F(PainterFixture, PaintStylesShowGlyphOrCaption) {
  M->SetImages(DiscImages(Form));
  Use(TdxBarEnhancedPainter::StaticClass());
  struct Case {
    TdxBarPaintStyle Style;
    bool InMenu, HasImage;
    bool Glyph, Caption;
  };
  const Case Cases[] = {
      {psStandard, false, true, true, false},     {psStandard, false, false, false, true},
      {psStandard, true, true, true, true},       {psCaption, false, true, false, true},
      {psCaption, true, true, false, true},       {psCaptionInMenu, false, true, true, false},
      {psCaptionInMenu, true, true, false, true}, {psCaptionGlyph, false, true, true, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Style) + (C.InMenu ? " in a menu" : " on a toolbar") +
                 (C.HasImage ? "" : " without image"));
    TFakeLinksOwner& Owner = C.InMenu ? *MenuLinks : *ToolbarLinks;
    TdxBarButton* B = AddButton(Owner, "Wide");
    B->SetImageIndex(C.HasImage ? 0 : -1);
    B->SetPaintStyle(C.Style);
    TCustomdxBarControl* Window = C.InMenu ? static_cast<TCustomdxBarControl*>(Menu) : Toolbar;
    SIZE S = C.InMenu ? Menu->Layout() : Toolbar->Layout();
    TMemoryDC Dc(S.cx, S.cy);
    FillBackdrop(Dc, S.cx, S.cy);
    if (C.InMenu)
      Menu->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
    else
      Toolbar->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
    std::set<COLORREF> Found = ColoursIn(Dc, Owner.Links()->GetLink(0)->GetItemRect());
    EXPECT_EQ(C.Glyph, Found.count(Rgb(DiscColour)) > 0);
    EXPECT_EQ(C.Caption, Found.count(Sys(COLOR_BTNTEXT)) > 0) << Window->ClassName();
    Free(B);
  }
}
