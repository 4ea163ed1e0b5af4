// What the demonstrations of real bars share.
#pragma once

#include <string>

#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"

// A bar of Manager docked (or floating, with dsNone) at Row and Left.
inline TdxBar* NewDemoBar(TdxBarManager* Manager, const std::string& Caption, TdxBarDockingStyle Style, int Row,
                          int Left) {
  TdxBar* B = Manager->GetBars()->Add();
  B->SetCaption(Caption);
  B->SetDockingStyle(Style);
  B->SetRow(Row);
  B->SetDockedLeft(Left);
  return B;
}
