// The draw parameters of the extra item kinds whose parts the painters draw: the
// colour combo's custom-colour button, the spin edit's buttons, the progress bar
// and the in-place sub-item. The controls of those kinds fill them.
#pragma once

#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarStaticControls.h"

class TdxBarColorComboControlDrawParams : public TdxBarEditLikeControlDrawParams {
  SONVELT_CLASS(TdxBarColorComboControlDrawParams, TdxBarEditLikeControlDrawParams)
public:
  using TdxBarEditLikeControlDrawParams::TdxBarEditLikeControlDrawParams;
  bool ShowsCustomButton = false;
  bool CustomButtonPressed = false;
};

class TdxBarSpinEditDrawParams : public TdxBarEditLikeControlDrawParams {
  SONVELT_CLASS(TdxBarSpinEditDrawParams, TdxBarEditLikeControlDrawParams)
public:
  using TdxBarEditLikeControlDrawParams::TdxBarEditLikeControlDrawParams;
  SIZE ArrowSize{0, 0};
  // 3 the upper button, 4 the lower one, else none.
  int PressedButton = 0;
};

class TdxBarProgressControlDrawParams : public TdxBarStaticLikeControlDrawParams {
  SONVELT_CLASS(TdxBarProgressControlDrawParams, TdxBarStaticLikeControlDrawParams)
public:
  using TdxBarStaticLikeControlDrawParams::TdxBarStaticLikeControlDrawParams;
  bool Smooth = false;
  int Position = 0;
  int Min = 0;
  int Max = 100;
};

class TdxBarInPlaceSubItemControlDrawParams : public TdxBarButtonLikeControlDrawParams {
  SONVELT_CLASS(TdxBarInPlaceSubItemControlDrawParams, TdxBarButtonLikeControlDrawParams)
public:
  using TdxBarButtonLikeControlDrawParams::TdxBarButtonLikeControlDrawParams;
  bool Expanded = false;
};
