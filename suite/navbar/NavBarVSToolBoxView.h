// "VSToolBoxView" (5): compact left-aligned captions, single-row links with small
// images, whole-row highlight, small scroll buttons beside the captions, and a
// hint laid exactly over a link whose caption does not fit.
#pragma once

#include "suite/navbar/NavBarBaseViews.h"

class TdxNavBarVSToolBoxViewInfo : public TdxNavBarBaseViewInfo {
  SONVELT_CLASS(TdxNavBarVSToolBoxViewInfo, TdxNavBarBaseViewInfo)
public:
  using TdxNavBarBaseViewInfo::TdxNavBarBaseViewInfo;
  int GroupCaptionHeightAddon() override { return 4; }
  int GroupSpacing() override { return 1; }
  int LinksVertIndent() override { return 2; }
  bool ScrollButtonsInGroupCaptions() override { return true; }
  bool CanUseLargeLinkImages() override { return false; }
  bool IsWholeLinkSensitive() override { return true; }
  void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) override;
  void CalculateTopScrollButtonRect(RECT& R) override;
  void CalculateBottomScrollButtonRect(RECT& R) override;
};

class TdxNavBarVSToolBoxLinkViewInfo : public TdxNavBarLinkViewInfo {
  SONVELT_CLASS(TdxNavBarVSToolBoxLinkViewInfo, TdxNavBarLinkViewInfo)
public:
  using TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo;
  void GetSelectionRect(RECT& R) override { R = RECT{Rect.left + 1, Rect.top + 1, Rect.right - 1, Rect.bottom - 1}; }
};

class TdxNavBarVSToolBoxController : public TdxNavBarNavigationBarController {
  SONVELT_CLASS(TdxNavBarVSToolBoxController, TdxNavBarNavigationBarController)
public:
  using TdxNavBarNavigationBarController::TdxNavBarNavigationBarController;
  void ShowLinkHint(THintInfo& HintInfo, TdxNavBarLinkViewInfo* L) override;
  void CalcLinkHintRect(TdxNavBarItemLink* Link, RECT& R) override;
  void GetLinkHintText(TdxNavBarItemLink* Link, std::string& Text) override;
};

class TdxNavBarVSToolBoxSelectionPainter : public TdxNavBarBaseSelectionPainter {
  DX_ELEMENT_PAINTER(TdxNavBarVSToolBoxSelectionPainter)
  void GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor, TColor& FillColor, TColor& OuterTopLeft,
                          TColor& OuterBottomRight, TColor& InnerTopLeft, TColor& InnerBottomRight) const override;
};

class TdxNavBarVSToolBoxButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarVSToolBoxButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarVSToolBoxPainter : public TdxNavBarFlatPainter {
  SONVELT_CLASS(TdxNavBarVSToolBoxPainter, TdxNavBarFlatPainter)
public:
  using TdxNavBarFlatPainter::TdxNavBarFlatPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarVSToolBoxViewInfo::StaticClass(); }
  TClass GetLinkViewInfoClass() override { return TdxNavBarVSToolBoxLinkViewInfo::StaticClass(); }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarVSToolBoxLinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  TClassOf<TdxNavBarController> GetControllerClass() override { return TdxNavBarVSToolBoxController::StaticClass(); }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarVSToolBoxButtonPainter::Instance();
  }
  const TdxNavBarCustomSelectionPainter* SelectionPainterClass() override {
    return TdxNavBarVSToolBoxSelectionPainter::Instance();
  }
  void DrawLinkHint(TCanvas* Canvas, const RECT& R) override;
};
