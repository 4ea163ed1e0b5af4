// A manager on a shown form with a real toolbar docked at its top, for driving
// item controls the way the bar windows hold them.
#pragma once

#include <string>

#include "suite/bars/Bars.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/suite_bars_painters/PainterFixture.h"

struct ToolbarFixture : PainterFixture {
  TdxBar* Bar = nullptr;

  void SetUp() override {
    PainterFixture::SetUp();
    Bar = M->GetBars()->Add();
    Bar->SetDockingStyle(dsTop);
    Bar->SetVisible(true);
  }

  TCustomdxBarControl* Window() { return Bar->GetItemLinks()->GetBarControl(); }

  template <class T>
  T* AddToBar(const std::string& Caption) {
    T* Item = T::Create(Form);
    Item->SetCaption(Caption);
    Bar->GetItemLinks()->AddItem(Item);
    return Item;
  }
  // The live control of the bar's shown link Index, once the window has laid it out.
  TdxBarItemControl* BarControlOf(int Index) {
    Pump();
    TdxBarItemLink* Link = Bar->GetItemLinks()->GetShownLink(Index);
    return Link ? Link->GetControl() : nullptr;
  }
};
