// The item controls of static and progress items: the content inside the
// item's indents and border, sized by the caption and image unless the item
// fixes its extents; the progress control adds a bar after the caption.
#pragma once

#include "framework/Colors.h"
#include "framework/Label.h"
#include "suite/bars/BarStaticControls.h"

class TdxBarStaticControl : public TdxBarCustomStaticControl {
  SONVELT_CLASS(TdxBarStaticControl, TdxBarCustomStaticControl)
public:
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;

  void CaptionChanged() override;
  bool IsClickable() const override;
  bool CanSelectByMouse() const override;
  bool ClosesMenusOnClick() const override { return IsClickable(); }
  void UpdateDrawParams(bool Full) override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  int CalcWidth() override { return IsRotated() ? CalcThickness() : CalcLength(); }
  int CalcHeight() override { return IsRotated() ? CalcLength() : CalcThickness(); }
  int CalcThickness() override;
  int CalcLength() override;

  // The control draws something besides caption and image.
  virtual bool HasBarContent() const { return false; }
  virtual TAlignment TextAlignment() const;

protected:
  // Caption and image extent along the bar, without indents and border.
  int ContentLength();
  RECT BorderSizes() const;
};

class TdxBarProgressControl : public TdxBarStaticControl {
  SONVELT_CLASS(TdxBarProgressControl, TdxBarStaticControl)
public:
  using TdxBarStaticControl::TdxBarStaticControl;

  TdxBarItemViewLevels PossibleViewLevels() const override;
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override;
  void UpdateDrawParams(bool Full) override;
  int CalcThickness() override;
  int CalcLength() override;
  void DrawContent(const RECT& R) override;
  bool HasBarContent() const override { return true; }
  TAlignment TextAlignment() const override { return taLeftJustify; }

  TColor BarColor() const;
  // The bar inside the item rectangle R.
  RECT BarRect(const RECT& R);
  // The filled length at the last paint of a painter that paints incrementally.
  int GetPaintedPosition() const { return FPaintedPosition; }
  // Colour or smoothness changed: the whole bar is drawn again.
  void InvalidateBar();
  // The position changed: the bar is drawn again where its filled part moved.
  void PositionChanged();

private:
  int FilledLengthIn(const RECT& Bar) const;
  int FPaintedPosition = 0;
};
