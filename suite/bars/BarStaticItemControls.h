// The item controls of static and progress items.
#pragma once

#include "suite/bars/BarItemControl.h"

class TdxBarStaticControl : public TdxBarCustomStaticControl {
  SONVELT_CLASS(TdxBarStaticControl, TdxBarCustomStaticControl)
public:
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;
};

class TdxBarProgressControl : public TdxBarStaticControl {
  SONVELT_CLASS(TdxBarProgressControl, TdxBarStaticControl)
public:
  using TdxBarStaticControl::TdxBarStaticControl;
  // Colour or smoothness changed: the whole bar is drawn again.
  void InvalidateBar();
  // The position changed: the bar is drawn again where its filled part moved.
  void PositionChanged();
};
