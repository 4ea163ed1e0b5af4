// Side-bar views in button-face colours: "Office1View" (2), "Office2View" (3,
// with the ultra-flat link selection) and "Office3View" (4, whole-link selection
// and taller large-image links).
#pragma once

#include "suite/navbar/NavBarBaseViews.h"

class TdxNavBarOffice1ViewInfo : public TdxNavBarBaseViewInfo {
  SONVELT_CLASS(TdxNavBarOffice1ViewInfo, TdxNavBarBaseViewInfo)
public:
  using TdxNavBarBaseViewInfo::TdxNavBarBaseViewInfo;
  int GroupCaptionHeightAddon() override { return 8; }
  int GroupSpacing() override { return 1; }
  void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) override;
};

class TdxNavBarOffice3ViewInfo : public TdxNavBarOffice1ViewInfo {
  SONVELT_CLASS(TdxNavBarOffice3ViewInfo, TdxNavBarOffice1ViewInfo)
public:
  using TdxNavBarOffice1ViewInfo::TdxNavBarOffice1ViewInfo;
  int LargeLinkVertPadding() override { return 16; }
  bool IsWholeLinkSensitive() override { return true; }
  void AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemPressedStyle(TdxNavBarBaseStyle* S) override;
};

class TdxNavBarOffice3LinkViewInfo : public TdxNavBarLinkViewInfo {
  SONVELT_CLASS(TdxNavBarOffice3LinkViewInfo, TdxNavBarLinkViewInfo)
public:
  using TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo;
  void GetSelectionRect(RECT& R) override { R = RECT{Rect.left + 1, Rect.top + 1, Rect.right - 1, Rect.bottom - 1}; }
};

class TdxNavBarOfficeButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarOfficeButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarOffice1Painter : public TdxNavBarBasePainter {
  SONVELT_CLASS(TdxNavBarOffice1Painter, TdxNavBarBasePainter)
public:
  using TdxNavBarBasePainter::TdxNavBarBasePainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarOffice1ViewInfo::StaticClass(); }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarOfficeButtonPainter::Instance();
  }
};

class TdxNavBarOffice2Painter : public TdxNavBarOffice1Painter {
  SONVELT_CLASS(TdxNavBarOffice2Painter, TdxNavBarOffice1Painter)
public:
  using TdxNavBarOffice1Painter::TdxNavBarOffice1Painter;
  const TdxNavBarCustomSelectionPainter* SelectionPainterClass() override {
    return TdxNavBarUltraFlatSelectionPainter::Instance();
  }
};

class TdxNavBarOffice3Painter : public TdxNavBarOffice2Painter {
  SONVELT_CLASS(TdxNavBarOffice3Painter, TdxNavBarOffice2Painter)
public:
  using TdxNavBarOffice2Painter::TdxNavBarOffice2Painter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarOffice3ViewInfo::StaticClass(); }
  TClass GetLinkViewInfoClass() override { return TdxNavBarOffice3LinkViewInfo::StaticClass(); }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarOffice3LinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
};
