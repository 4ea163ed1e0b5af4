// The plain side-bar views ("BaseView" 0 and "FlatView" 1) and the side-bar
// behaviour every side-bar view shares: captions stacked from the top, only the
// active group shows its links, its client area takes the free height and its
// links scroll with two scroll buttons.
#pragma once

#include "suite/navbar/NavBarController.h"
#include "suite/navbar/NavBarCustomPainters.h"

class TdxNavBarBaseViewInfo : public TdxNavBarViewInfo {
  SONVELT_CLASS(TdxNavBarBaseViewInfo, TdxNavBarViewInfo)
public:
  using TdxNavBarViewInfo::TdxNavBarViewInfo;
  void CorrectBounds() override;
  bool IsGroupExpanded(TdxNavBarGroup* Group) override;
  void ExpandGroup(TdxNavBarGroup* Group) override;
  void CollapseGroup(TdxNavBarGroup* Group) override {}
  void MakeLinkVisible(TdxNavBarItemLink* Link, bool AtTop = false) override;
  void MakeGroupVisible(TdxNavBarGroup* Group, bool Expand = true, bool AtTop = false) override;
  // The smallest client height of the active group: both scroll buttons, or its
  // top visible link.
  virtual int GetActiveGroupMinHeight();
};

class TdxNavBarNavigationBarController : public TdxNavBarController {
  SONVELT_CLASS(TdxNavBarNavigationBarController, TdxNavBarController)
public:
  using TdxNavBarController::TdxNavBarController;
};

class TdxNavBarBaseSelectionPainter : public TdxNavBarCustomSelectionPainter {
  DX_ELEMENT_PAINTER(TdxNavBarBaseSelectionPainter)
  void GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor, TColor& FillColor, TColor& OuterTopLeft,
                          TColor& OuterBottomRight, TColor& InnerTopLeft, TColor& InnerBottomRight) const override;
};

class TdxNavBarBaseButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarBaseButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarFlatButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarFlatButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarBaseScrollButtonsPainter : public TdxNavBarCustomScrollButtonsPainter {
  DX_ELEMENT_PAINTER(TdxNavBarBaseScrollButtonsPainter)
  void InternalDrawBottomButton(TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter,
                                TColor Color1, TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                TdxNavBarObjectStates State) const override;
  void InternalDrawTopButton(TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter,
                             TColor Color1, TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                             TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                             TdxNavBarObjectStates State) const override;
  // The triangle's tip and base corners in R.
  static void TrianglePoints(const RECT& R, bool Down, POINT P[3]);
};

// The black bottom line under the active group's caption.
void DrawActiveCaptionLine(TcxCanvas* Canvas, const RECT& R, TdxNavBarObjectStates State);

class TdxNavBarBasePainter : public TdxNavBarElementPainter {
  SONVELT_CLASS(TdxNavBarBasePainter, TdxNavBarElementPainter)
public:
  using TdxNavBarElementPainter::TdxNavBarElementPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarBaseViewInfo::StaticClass(); }
  TClassOf<TdxNavBarController> GetControllerClass() override {
    return TdxNavBarNavigationBarController::StaticClass();
  }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override { return TdxNavBarBaseButtonPainter::Instance(); }
  const TdxNavBarCustomScrollButtonsPainter* ScrollButtonsPainterClass() override {
    return TdxNavBarBaseScrollButtonsPainter::Instance();
  }
  const TdxNavBarCustomSelectionPainter* SelectionPainterClass() override {
    return TdxNavBarBaseSelectionPainter::Instance();
  }
};

class TdxNavBarFlatPainter : public TdxNavBarBasePainter {
  SONVELT_CLASS(TdxNavBarFlatPainter, TdxNavBarBasePainter)
public:
  using TdxNavBarBasePainter::TdxNavBarBasePainter;
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override { return TdxNavBarFlatButtonPainter::Instance(); }
};
