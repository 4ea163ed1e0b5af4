// Static and separator controls: labels, which cannot be clicked and are
// selectable only while the bars are customized, and separator items, a band on
// toolbars and a line or a bold caption bar in menus.
#pragma once

#include "suite/bars/BarItemControl.h"

class TdxBarStaticLikeControlDrawParams : public TdxBarItemControlDrawParams {
  SONVELT_CLASS(TdxBarStaticLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  // 0 left, 1 right, 2 centred.
  int Alignment = 0;
  bool StaticContent = false;
  RECT BorderSizes{0, 0, 0, 0};
  // TdxBarStaticBorderStyle.
  int BorderStyle = 0;
};

class TdxBarSeparatorControlDrawParams : public TdxBarStaticLikeControlDrawParams {
  SONVELT_CLASS(TdxBarSeparatorControlDrawParams, TdxBarStaticLikeControlDrawParams)
public:
  using TdxBarStaticLikeControlDrawParams::TdxBarStaticLikeControlDrawParams;
  // The separator's link is the first shown link of its window.
  bool FirstInWindow = false;
};

class TdxBarCustomStaticControl : public TdxBarItemControl {
  SONVELT_CLASS(TdxBarCustomStaticControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  TdxBarStaticLikeControlDrawParams* StaticDrawParams() const {
    return static_cast<TdxBarStaticLikeControlDrawParams*>(GetDrawParams());
  }
  // The caption and image in what the border leaves (the progress control draws its bar first).
  virtual void DrawContent(const RECT& R);

  bool IsClickable() const override { return false; }
  // At run time a static is never selected.
  bool CanSelect() const override;
  int GetPaintStyleParts() const override;
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override {
    return TdxBarStaticLikeControlDrawParams::StaticClass();
  }
  void PaintControl(const RECT& R, int PaintTypeValue) override;
};

class TdxBarSeparatorControl : public TdxBarCustomStaticControl {
  SONVELT_CLASS(TdxBarSeparatorControl, TdxBarCustomStaticControl)
public:
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;

  void UpdateDrawParams(bool Full) override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  RECT PartMargins(int Part) const override;
  TdxBarMenuItemSize MenuItemSize() const override { return misNormal; }
  int GlyphAreaWidth() const override { return 0; }
  int GetPaintStyleParts() const override;
  // The caption is bold whatever the item's style font is.
  void SelectItemFont(HFONT Font, TdxBarItemFontSave& Saved) override;
  void RestoreItemFont(const TdxBarItemFontSave& Saved) override;
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override {
    return TdxBarSeparatorControlDrawParams::StaticClass();
  }
  int CalcMenuHeight() override;
  int MinLength() override;
  int CalcThickness() override { return TextSize(); }
  int CalcLength() override;
};
