// The look of the main window's bars follows the visual style: the style the
// window asks for draws themed while the style is on and falls back to the
// enhanced classic look while it is off. The two toolbars show no mark.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/Bars.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/UxTheme.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/MemoryDC.h"

namespace {
// The colour the visual style itself draws a band background with at a point
// of a band area of the given size (CLR_INVALID without the style).
// Paints the style's band background over a whole band area into Dc; false
// without the style.
bool PaintThemeBand(TMemoryDC& Dc, SIZE Area) {
  HTHEME Theme = UxOpenThemeData(nullptr, L"Rebar");
  if (!Theme) return false;
  UxDrawThemeBackground(Theme, Dc.DC(), 0, 1, RECT{0, 0, Area.cx, Area.cy});
  UxCloseThemeData(Theme);
  return true;
}

COLORREF ThemeBandBackground(SIZE Area, POINT At) {
  TMemoryDC Dc(Area.cx, Area.cy);
  return PaintThemeBand(Dc, Area) ? Dc.Pixel(At.x, At.y) : CLR_INVALID;
}
}  // namespace

// A docked toolbar's free background past its last button shows the look: the
// style's band background while it is on, the button face while it is off.
TEST_F(MainFixture, TheBarsDrawThemedWhileTheVisualStyleIsOnAndEnhancedWhileOff) {
  ASSERT_TRUE(UxIsThemeActive()) << "the test prefix has its light visual style on";
  const COLORREF Face = GetSysColor(COLOR_BTNFACE);
  for (bool StyleOn : {true, false}) {
    const char* Painter = StyleOn ? "TdxBarXPPainter" : "TdxBarEnhancedPainter";
    SCOPED_TRACE(Painter);
    TUxThemeEntries Saved;
    if (!StyleOn) Saved = SubstituteUxTheme(TUxThemeEntries{});
    StartMain();
    TdxBarManager* M = Main->BarManager;
    EXPECT_EQ(bmsXP, M->GetStyle());
    ASSERT_TRUE(M->UsedPainterClass());
    EXPECT_EQ(std::string(Painter), std::string(M->UsedPainterClass()->ClassName()));
    TdxBar* Bar = M->BarByCaption("Toolbar");
    TCustomdxBarControl* W = Bar->GetBarControl();
    ASSERT_TRUE(W && W->HandleAllocated());
    TdxBarItemLinks* Links = Bar->GetItemLinks();
    RECT Last = Links->GetShownLink(Links->ShownLinkCount() - 1)->GetItemRect(), Client;
    GetClientRect(W->GetHandle(), &Client);
    POINT Spot{Last.right + 6, (Client.top + Client.bottom) / 2};
    ASSERT_LT(Spot.x, Client.right - 20) << "no free background past the last button";
    // The band background spans the dock the bar lies in.
    HWND Dock = GetParent(W->GetHandle());
    RECT DockClient;
    GetClientRect(Dock, &DockClient);
    POINT InDock = Spot;
    MapWindowPoints(W->GetHandle(), Dock, &InDock, 1);
    COLORREF Want = Face;
    if (StyleOn) {
      Want = ThemeBandBackground(SIZE{DockClient.right, DockClient.bottom}, InDock);
      EXPECT_NE(Face, Want) << "the style's band background must differ from the face to tell the looks apart";
    }
    EXPECT_EQ(Want, ScreenPixel(W->GetHandle(), Spot.x, Spot.y));
    Free(Main);
    Main = nullptr;
    Pump();
    if (!StyleOn) SubstituteUxTheme(Saved);
  }
}

// The Toolbar and Quick bars are set to show no mark: cut off by a narrow main
// window, each ends in its plain band background, with no chevron after the
// last button that fits.
TEST_F(MainFixture, TheToolbarsCutOffByANarrowWindowShowNoMark) {
  ASSERT_TRUE(UxIsThemeActive()) << "the test prefix has its light visual style on";
  StartMain();
  SetWindowPos(Main->GetHandle(), nullptr, 0, 0, 600, 480, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  Pump();
  for (const char* Caption : {"Toolbar", "Quick"}) {
    SCOPED_TRACE(Caption);
    TdxBar* Bar = Main->BarManager->BarByCaption(Caption);
    ASSERT_TRUE(Bar);
    EXPECT_FALSE(Bar->GetShowMark());
    auto* W = dynamic_cast<TdxBarControl*>(Bar->GetBarControl());
    ASSERT_TRUE(W && W->HandleAllocated());
    ASSERT_TRUE(W->GetTruncated()) << "the window is too narrow for the whole bar";
    EXPECT_FALSE(W->HasMark());
    const RECT Mark = W->MarkClientRect();
    EXPECT_TRUE(IsRectEmpty(&Mark));

    TdxBarItemLinks* Links = Bar->GetItemLinks();
    int LastRight = 0;
    for (int I = 0; I < Links->GetCount(); ++I) {
      const RECT R = Links->GetLink(I)->GetItemRect();
      if (R.left < R.right) LastRight = std::max<int>(LastRight, R.right);
    }
    RECT Client;
    GetClientRect(W->GetHandle(), &Client);
    // Where a mark would lie: the bar's right end, past the last button.
    const int From = std::max<int>(LastRight, Client.right - W->MarkSize());
    ASSERT_LT(From, Client.right) << "no free end to look at";
    HWND Dock = GetParent(W->GetHandle());
    RECT DockClient;
    GetClientRect(Dock, &DockClient);
    TMemoryDC Band(DockClient.right, DockClient.bottom);
    ASSERT_TRUE(PaintThemeBand(Band, SIZE{DockClient.right, DockClient.bottom}));
    int Differing = 0;
    for (int Y = Client.top; Y < Client.bottom; ++Y)
      for (int X = From; X < Client.right; ++X) {
        POINT InDock{X, Y};
        MapWindowPoints(W->GetHandle(), Dock, &InDock, 1);
        if (ScreenPixel(W->GetHandle(), X, Y) != Band.Pixel(InDock.x, InDock.y)) ++Differing;
      }
    EXPECT_EQ(0, Differing) << "pixels past the last button that are not the band background";
  }
}
