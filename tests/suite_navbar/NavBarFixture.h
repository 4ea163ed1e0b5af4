// A navigation bar on a shown form, with the groups and links most tests need:
// group "Files" (Open, Save, Close), group "Edit" (Cut, Copy), group "Help" (About).
// Text is measured by a fake: every character 6 pixels wide, lines 13 high.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarPainter.h"
#include "suite/navbar/NavBarViewInfo.h"
#include "tests/suite_common/FormFixture.h"

class TFakeTextMetrics : public TdxNavBarTextMetrics {
public:
  int Dpi = 96;
  int LineHeight(TFont*) override { return 13; }
  void MeasureText(TFont*, const std::string& Text, UINT Flags, RECT& R) override {
    int W = 6 * static_cast<int>(Text.size());
    int Avail = R.right - R.left;
    int Lines = 1;
    if ((Flags & DT_WORDBREAK) && Avail > 0 && W > Avail) {
      Lines = (W + Avail - 1) / Avail;
      W = Avail;
    }
    R.right = R.left + W;
    R.bottom = R.top + 13 * Lines;
  }
  int PixelsPerInch() override { return Dpi; }
};

inline bool operator==(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}
inline void PrintTo(const RECT& R, std::ostream* Os) {
  *Os << "(" << R.left << ", " << R.top << ", " << R.right << ", " << R.bottom << ")";
}

struct NavBarFixture : ShownFormFixture {
  TdxNavBar* Bar = nullptr;
  std::vector<TdxNavBarGroup*> G;
  std::vector<TdxNavBarItem*> I;
  TFakeTextMetrics Metrics;
  TdxNavBarTextMetrics* SavedMetrics = nullptr;
  virtual int ViewNumber() { return 10; }
  void SetUp() override {
    SavedMetrics = SetNavBarTextMetrics(&Metrics);
    // Away from the bar, so that showing it makes nothing hot.
    SetCursorPos(0, 0);
    ShownFormFixture::SetUp();
  }
  void TearDown() override {
    ShownFormFixture::TearDown();
    SetNavBarTextMetrics(SavedMetrics);
  }
  void AddControls() override {
    Bar = Add<TdxNavBar>(RECT{0, 0, 180, 300});
    Bar->SetView(ViewNumber());
    const char* Groups[][4] = {{"Files", "Open", "Save", "Close"}, {"Edit", "Cut", "Copy", nullptr},
                               {"Help", "About", nullptr, nullptr}};
    for (auto& Row : Groups) {
      TdxNavBarGroup* Gr = Bar->GetGroups()->Add();
      Gr->SetCaption(Row[0]);
      G.push_back(Gr);
      for (int K = 1; K < 4 && Row[K]; ++K) {
        TdxNavBarItem* It = Bar->GetItems()->Add();
        It->SetCaption(Row[K]);
        I.push_back(It);
        Gr->CreateLink(It);
      }
    }
  }
  HWND Wnd() { return Bar->GetHandle(); }
  // Lets the window paint what is pending.
  void Paint() {
    InvalidateRect(Wnd(), nullptr, FALSE);
    UpdateWindow(Wnd());
    Pump();
  }
  // Builds and lays out the view infos at once, as the next paint would.
  void Layout() {
    VI()->CreateInfo();
    VI()->CalculateBounds();
  }
  TdxNavBarViewInfo* VI() { return Bar->GetViewInfo(); }
  TdxNavBarGroupViewInfo* GVI(int Index) { return VI()->GetGroupViewInfoByGroup(G[Index]); }
  TdxNavBarLinkViewInfo* LVI(int Group, int Link) { return VI()->GetLinkViewInfoByLink(G[Group]->Links(Link)); }
  HDC BitmapDC() { return Bar->GetOffscreenBitmap()->GetCanvas()->GetHandle(); }
  COLORREF BitmapPixel(int X, int Y) { return GetPixel(BitmapDC(), X, Y); }
  POINT Center(const RECT& R) { return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }
};
