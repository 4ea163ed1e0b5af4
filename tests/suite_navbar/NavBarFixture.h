// A navigation bar on a shown form, with the groups and links most tests need:
// group "Files" (Open, Save, Close), group "Edit" (Cut, Copy), group "Help" (About).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarViewInfo.h"
#include "suite/navbar/NavBarPainter.h"
#include "tests/suite_common/FormFixture.h"

struct NavBarFixture : ShownFormFixture {
  TdxNavBar* Bar = nullptr;
  std::vector<TdxNavBarGroup*> G;
  std::vector<TdxNavBarItem*> I;
  virtual int ViewNumber() { return 10; }
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
  void Paint() {
    Bar->Repaint();
    Pump();
  }
  TdxNavBarViewInfo* VI() { return Bar->GetViewInfo(); }
  COLORREF BitmapPixel(int X, int Y) { return GetPixel(Bar->GetOffscreenBitmap()->GetCanvas()->GetHandle(), X, Y); }
};
