// The look of the main window's bars follows the visual style: the style the
// window asks for draws themed while the style is on and falls back to the
// enhanced classic look while it is off.
#include <gtest/gtest.h>
#include <windows.h>

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
COLORREF ThemeBandBackground(SIZE Area, POINT At) {
  HTHEME Theme = UxOpenThemeData(nullptr, L"Rebar");
  if (!Theme) return CLR_INVALID;
  TMemoryDC Dc(Area.cx, Area.cy);
  UxDrawThemeBackground(Theme, Dc.DC(), 0, 1, RECT{0, 0, Area.cx, Area.cy});
  UxCloseThemeData(Theme);
  return Dc.Pixel(At.x, At.y);
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
