// A toolbar on a shown form, drawn by the standard painter, that shows the item
// controls a test adds and lets the test click and type into them.
#pragma once

#include "suite/bars/BarEditControls.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/suite_bars_painters/PainterFixture.h"

struct ToolbarItemFixture : PainterFixture {
  void SetUp() override {
    PainterFixture::SetUp();
    Use(TdxBarStandardPainter::StaticClass());
    Toolbar->SetParent(Form);
  }
  // Lays the toolbar out, shows it and gives its control of Index.
  template <class TControl>
  TControl* Shown(int Index = 0) {
    SIZE S = Toolbar->Layout();
    Toolbar->SetBounds(0, 0, S.cx, S.cy);
    Toolbar->SetVisible(true);
    Pump();
    return static_cast<TControl*>(Toolbar->ControlOf(Index));
  }
  // Sends a control's inner window a mouse message at the centre of a part, as
  // the bar window forwards it.
  static void MouseOnPart(TdxBarItemControl* C, TdxBarWinControl* Win, UINT Msg, int Part) {
    RECT R = C->PartRect(Part);
    POINT P{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
    C->TrackHotPart(P);
    Win->ForwardMouseMessage(Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, P);
  }
};
