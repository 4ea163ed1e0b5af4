// A manager on a shown form with a fake toolbar and a fake menu whose links hold
// the items a test adds; the painter and the visual style are pinned per test
// (the themed painter draws with the recording stand-in, the others see no
// visual styles), so nothing depends on the prefix's own theme.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarPainters.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/ThemeManager.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/suite_bars_painters/BarWindowFakes.h"
#include "tests/suite_common_graphics/ThemeRecorder.h"
#include "tests/support/MemoryDC.h"

// The classes the themed painter draws with.
inline std::set<std::wstring> BarThemeClasses() {
  return {L"ToolBar", L"Rebar", L"Window", L"ComboBox", L"Edit", L"Spin", L"Progress", L"Status", L"ScrollBar"};
}

struct PainterFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TFakeToolbar* Toolbar = nullptr;
  TFakeMenu* Menu = nullptr;
  std::unique_ptr<TFakeLinksOwner> ToolbarLinks, MenuLinks;
  std::unique_ptr<TThemeScope> Theme;

  void SetUp() override {
    BarFormFixture::SetUp();
    Theme = std::make_unique<TThemeScope>(std::set<std::wstring>{}, false);
    M = NewManager();
    RefreshOffice11ColorSet();
    Toolbar = Construct<TFakeToolbar>(Form);
    Toolbar->ChangeDockingStyle(dsTop);
    Menu = Construct<TFakeMenu>(Form);
    ToolbarLinks = std::make_unique<TFakeLinksOwner>(M, Toolbar);
    MenuLinks = std::make_unique<TFakeLinksOwner>(M, Menu);
    Use(TdxBarEnhancedPainter::StaticClass());
  }
  void TearDown() override {
    ToolbarLinks.reset();
    MenuLinks.reset();
    Free(Toolbar);
    Free(Menu);
    Free(M);
    Theme.reset();
    RefreshOffice11ColorSet();
    BarFormFixture::TearDown();
  }

  // Both windows draw with the shared painter of Class; the themed one gets the
  // recording theme (made before the painter measures it).
  TdxBarPainter* Use(TdxBarPainterClass Class) {
    bool Themed = Class.Get() == TdxBarXPPainter::StaticClass();
    Theme->Reset(Themed ? BarThemeClasses() : std::set<std::wstring>{}, Themed);
    if (Themed) TdxBarXPPainter::MeasureTheme();
    TdxBarPainter* P = PainterInstanceOf(Class);
    Toolbar->V.Painter = Menu->V.Painter = P;
    return P;
  }

  TdxBarButton* AddButton(TFakeLinksOwner& Owner, const std::string& Caption, bool Enabled = true) {
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetCaption(Caption);
    B->SetEnabled(Enabled);
    Owner.Links()->AddItem(B);
    return B;
  }
};

inline COLORREF Rgb(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

// Fills the whole memory bitmap with a colour no painter uses.
inline constexpr COLORREF Backdrop = RGB(255, 0, 255);
inline void FillBackdrop(TMemoryDC& Dc, int W, int H) {
  HBRUSH B = CreateSolidBrush(Backdrop);
  RECT R{0, 0, W, H};
  FillRect(Dc.DC(), &R, B);
  DeleteObject(B);
}

// The colours found in a rectangle of the bitmap, the backdrop left out.
inline std::set<COLORREF> ColoursIn(const TMemoryDC& Dc, const RECT& R) {
  std::set<COLORREF> Found;
  for (int Y = R.top; Y < R.bottom; ++Y)
    for (int X = R.left; X < R.right; ++X)
      if (COLORREF C = Dc.Pixel(X, Y); C != Backdrop) Found.insert(C);
  return Found;
}
