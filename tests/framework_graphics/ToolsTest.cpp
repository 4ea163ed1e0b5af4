// Colours, fonts, pens and brushes: what a canvas and raw GDI see of them.
#include <gtest/gtest.h>
#include <windows.h>

#include "PixelProbe.h"
#include "framework/Brush.h"
#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/Pen.h"

TEST(Colors, SystemColorsResolveThroughTheSystemTable) {
  const struct { TColor color; int index; } cases[] = {
      {clBtnFace, COLOR_BTNFACE},   {clWindow, COLOR_WINDOW},         {clHighlight, COLOR_HIGHLIGHT},
      {clBtnShadow, COLOR_BTNSHADOW}, {clWindowText, COLOR_WINDOWTEXT}, {clInfoBk, COLOR_INFOBK},
  };
  for (auto& c : cases) {
    EXPECT_EQ(static_cast<unsigned>(c.color), 0xFF000000u | c.index);
    EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(c.color)), GetSysColor(c.index)) << c.index;
  }
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToRGB(0x02123456), 0x02123456);  // palette-relative passes through
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_EQ(clDefault, 0x20000000);
}

TEST(Colors, NamesAndNumbersAsFormDataWritesThem) {
  const struct { TColor color; const char* text; } cases[] = {
      {clBtnFace, "clBtnFace"}, {clRed, "clRed"}, {clNone, "clNone"}, {clDefault, "clDefault"},
      {cl3DDkShadow, "cl3DDkShadow"}, {0x00123456, "$00123456"}, {static_cast<TColor>(0xFF000019), "$FF000019"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
  }
  EXPECT_EQ(StringToColor("CLWINDOW"), clWindow);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

TEST(Font, SizeAndHeightFollowPixelsPerInch) {
  TOwned<TFont> f(TFont::Create());
  const struct { int ppi, size, height; } cases[] = {{96, 8, -11}, {96, 10, -13}, {120, 8, -13}, {144, 12, -24}};
  for (auto& c : cases) {
    f->SetPixelsPerInch(c.ppi);
    f->SetSize(c.size);
    EXPECT_EQ(f->GetHeight(), c.height) << c.ppi << " " << c.size;
    EXPECT_EQ(f->GetSize(), c.size);
  }
  f->SetPixelsPerInch(96);
  f->SetHeight(-16);
  EXPECT_EQ(f->GetSize(), 12);
  LOGFONTW lf{};
  GetObjectW(f->GetHandle(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -16);
}

TEST(Font, HandleCarriesTheDescriptionAndDefaultsAreTheSystems) {
  TOwned<TFont> f(TFont::Create());
  LOGFONTW sys{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof sys, &sys);
  EXPECT_EQ(f->GetLogFont().lfFaceName, std::wstring(sys.lfFaceName));
  EXPECT_EQ(f->GetColor(), clWindowText);

  f->SetName("Courier New");
  f->SetStyle({fsBold, fsItalic, fsUnderline});
  f->SetOrientation(900);
  f->SetPitch(fpFixed);
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(f->GetHandle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"Courier New");
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_FALSE(lf.lfStrikeOut);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);
}

TEST(Font, EqualDescriptionsShareOneHandleAndChangesAreAnnounced) {
  TOwned<TFont> a(TFont::Create()), b(TFont::Create());
  a->SetName("Arial");
  a->SetSize(17);
  b->SetName("Arial");
  b->SetSize(17);
  EXPECT_EQ(a->GetHandle(), b->GetHandle());

  struct Counter {
    int n = 0;
    void Hit(TObject*) { ++n; }
  } counter;
  b->OnChange = Bind(&counter, &Counter::Hit);
  b->SetSize(17);  // unchanged: no notice
  EXPECT_EQ(counter.n, 0);
  b->SetStyle({fsBold});
  EXPECT_EQ(counter.n, 1);
  EXPECT_NE(a->GetHandle(), b->GetHandle());
  b->Assign(a.get());
  EXPECT_EQ(counter.n, 2);
  EXPECT_EQ(a->GetHandle(), b->GetHandle());
  EXPECT_TRUE(b->GetStyle().Empty());
}

TEST(Font, AdoptedHandleIsReadBackAndOwned) {
  LOGFONTW lf{};
  lf.lfHeight = -20;
  lf.lfWeight = FW_BOLD;
  lf.lfStrikeOut = TRUE;
  wcscpy(lf.lfFaceName, L"Arial");
  HFONT h = CreateFontIndirectW(&lf);
  {
    TOwned<TFont> f(TFont::Create());
    f->SetHandle(h);
    EXPECT_EQ(f->GetHandle(), h);
    EXPECT_EQ(f->GetHeight(), -20);
    EXPECT_EQ(f->GetName(), "Arial");
    EXPECT_TRUE(f->GetStyle().Contains(fsBold));
    EXPECT_TRUE(f->GetStyle().Contains(fsStrikeOut));
    // Another font of the same description does not take the adopted handle.
    TOwned<TFont> g(TFont::Create());
    g->SetName("Arial");
    g->SetHeight(-20);
    g->SetStyle({fsBold, fsStrikeOut});
    EXPECT_NE(g->GetHandle(), h);
  }
  // The font deleted it with its last user.
  EXPECT_EQ(GetObjectType(h), 0u);
}

TEST(Font, HandleOfAnotherFontIsSharedNotOwnedTwice) {
  TFont* a = TFont::Create();
  a->SetName("Arial");
  a->SetHeight(-31);
  HFONT h = a->GetHandle();
  TOwned<TFont> b(TFont::Create());
  b->SetHandle(h);
  EXPECT_EQ(b->GetHeight(), -31);
  Free(a);
  EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_FONT));  // b still uses it
  b->SetHeight(-12);
  EXPECT_EQ(GetObjectType(h), 0u);  // gone with its last user, once
}

TEST(Font, OldHandleOutlivesTheChangeNotice) {
  // A canvas re-selects in its change handler; the old font must still exist
  // then, since a font selected into a device context cannot be deleted.
  struct Check {
    HGDIOBJ old = nullptr;
    bool alive = false;
    void Hit(TObject*) { alive = GetObjectType(old) != 0; }
  } check;
  TOwned<TFont> f(TFont::Create());
  f->SetName("Arial");
  f->SetHeight(-77);
  check.old = f->GetHandle();
  f->OnChange = Bind(&check, &Check::Hit);
  f->SetHeight(-78);
  EXPECT_TRUE(check.alive);
  EXPECT_EQ(GetObjectType(check.old), 0u);
}

TEST(Pen, ModesMapToRasterOperations) {
  const struct { TPenMode mode; int rop; } cases[] = {
      {pmBlack, R2_BLACK}, {pmWhite, R2_WHITE}, {pmNop, R2_NOP},       {pmNot, R2_NOT},
      {pmCopy, R2_COPYPEN}, {pmMask, R2_MASKPEN}, {pmXor, R2_XORPEN}, {pmNotXor, R2_NOTXORPEN},
      {pmMergePenNot, R2_MERGEPENNOT}, {pmNotMerge, R2_NOTMERGEPEN},
  };
  for (auto& c : cases) EXPECT_EQ(PenModeToROP2(c.mode), c.rop) << c.mode;
}

TEST(Pen, HandleDescribesColorWidthAndStyle) {
  TOwned<TPen> p(TPen::Create());
  p->SetColor(clBtnShadow);
  p->SetWidth(3);
  p->SetStyle(psInsideFrame);
  LOGPEN lp{};
  ASSERT_EQ(GetObjectW(p->GetHandle(), sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnColor, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
}

// A canvas takes over the objects selected into a device context without ever
// drawing with some of them: those handles must still go with their last user,
// or every paint leaks them until the process runs out of GDI objects.
TEST(Tools, AdoptedHandlesNeverDrawnWithAreDeletedByTheirLastUser) {
  LOGFONTW lf{};
  lf.lfHeight = -13;
  wcscpy(lf.lfFaceName, L"Arial");
  HGDIOBJ Font = CreateFontIndirectW(&lf), Pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3)),
          Brush = CreateSolidBrush(RGB(4, 5, 6));
  {
    TOwned<TFont> f(TFont::Create());
    TOwned<TPen> p(TPen::Create());
    TOwned<TBrush> b(TBrush::Create());
    f->SetHandle(static_cast<HFONT>(Font));
    p->SetHandle(static_cast<HPEN>(Pen));
    b->SetHandle(static_cast<HBRUSH>(Brush));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(Font));
  }
  EXPECT_EQ(0u, GetObjectType(Font));
  EXPECT_EQ(0u, GetObjectType(Pen));
  EXPECT_EQ(0u, GetObjectType(Brush));
}

TEST(Pen, AdoptsPlainAndExtendedPens) {
  TOwned<TPen> p(TPen::Create());
  p->SetHandle(CreatePen(PS_DOT, 1, RGB(1, 2, 3)));
  EXPECT_EQ(p->GetStyle(), psDot);
  EXPECT_EQ(p->GetColor(), 0x030201);
  LOGBRUSH lb{BS_SOLID, RGB(9, 8, 7), 0};
  HPEN ext = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 5, &lb, 0, nullptr);
  ASSERT_NE(ext, nullptr);
  p->SetHandle(ext);
  EXPECT_EQ(p->GetHandle(), ext);
  EXPECT_EQ(p->GetWidth(), 5);
  EXPECT_EQ(p->GetColor(), 0x070809);
}

TEST(Brush, StylesGiveTheMatchingGdiBrush) {
  TOwned<TBrush> b(TBrush::Create());
  const struct { TBrushStyle style; UINT kind; ULONG_PTR hatch; } cases[] = {
      {bsSolid, BS_SOLID, 0},     {bsClear, BS_NULL, 0},        {bsHorizontal, BS_HATCHED, HS_HORIZONTAL},
      {bsCross, BS_HATCHED, HS_CROSS}, {bsDiagCross, BS_HATCHED, HS_DIAGCROSS}, {bsBDiagonal, BS_HATCHED, HS_BDIAGONAL},
  };
  for (auto& c : cases) {
    b->SetStyle(c.style);
    b->SetColor(clBlue);
    if (c.style == bsClear) b->SetStyle(bsClear);  // a colour makes a clear brush solid
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectW(b->GetHandle(), sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, c.kind) << c.style;
    if (c.kind == BS_HATCHED) {
      EXPECT_EQ(lb.lbHatch, c.hatch);
      EXPECT_EQ(lb.lbColor, 0xFF0000u);
    }
  }
}

TEST(Brush, PatternBitmapFillsAsCheckerboard) {
  TBitmap* pattern = AllocPatternBitmap(clBlack, clWhite);
  EXPECT_EQ(pattern, AllocPatternBitmap(clBlack, clWhite));
  TOwned<TBitmap> target(MakeBitmap(16, 16, clRed));
  TCanvas* c = target->GetCanvas();
  c->GetBrush()->SetBitmap(pattern);
  EXPECT_EQ(c->GetBrush()->GetBitmap(), pattern);
  c->FillRect(RECT{0, 0, 16, 16});
  // The pattern was taken when set: a colour change after its bitmap is gone is safe.
  TOwned<TBitmap> temp(MakeBitmap(8, 8, clRed));
  TOwned<TBrush> b(TBrush::Create());
  b->SetBitmap(temp.get());
  temp.reset();
  b->SetColor(clBlue);
  EXPECT_EQ(b->GetColor(), clBlue);
  LOGBRUSH lb{};
  GetObjectW(b->GetHandle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_PATTERN));
  b->SetStyle(bsSolid);
  GetObjectW(b->GetHandle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, 0xFF0000u);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(ProbePixel(target.get(), x, y), ((x + y) & 1) ? 0u : 0xFFFFFFu) << x << "," << y;
}
