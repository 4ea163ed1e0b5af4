// Views that take their look from the system's visual style and fall back to
// their parents' drawing without it: "XP1View" (6, flat), "XP2View" (7, Office
// side bar) and "XPExplorerBarView" (11, explorer bar with the shell style's
// pictures and fonts where the system offers them).
#pragma once

#include <cstdint>

#include "suite/navbar/NavBarBaseViews.h"
#include "suite/navbar/NavBarExplorerViews.h"
#include "suite/navbar/NavBarOfficeViews.h"

class TdxNavBarXP1ViewInfo : public TdxNavBarBaseViewInfo {
  SONVELT_CLASS(TdxNavBarXP1ViewInfo, TdxNavBarBaseViewInfo)
public:
  using TdxNavBarBaseViewInfo::TdxNavBarBaseViewInfo;
  void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) override;
};

class TdxNavBarXP1GroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarXP1GroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor GetBackgroundBackColor() override;
  TColor GetBackgroundBackColor2() override;
  std::uint8_t GetBackgroundAlphaBlending() override;
  std::uint8_t GetBackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode GetBackgroundGradientMode() override;
  TColor GetCaptionBackColor() override;
  TColor GetCaptionBackColor2() override;
  std::uint8_t GetCaptionAlphaBlending() override;
  std::uint8_t GetCaptionAlphaBlending2() override;
  TdxBarStyleGradientMode GetCaptionGradientMode() override;
};

class TdxNavBarXPBackgroundPainter : public TdxNavBarCustomBackgroundPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPBackgroundPainter)
  void InternalDrawBackground(TcxCanvas* Canvas, const RECT& R, TPicture* Image, bool EraseBackground,
                              TColor EraseColor, TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                              std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode) const override;
};

class TdxNavBarXPGroupBackgroundPainter : public TdxNavBarCustomGroupBackgroundPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPGroupBackgroundPainter)
  void InternalDrawGroupBackground(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                                   std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                   TdxBarStyleGradientMode GradientMode) const override;
};

class TdxNavBarXPSelectionPainter : public TdxNavBarBaseSelectionPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPSelectionPainter)
  void InternalDrawSelection(TcxCanvas* Canvas, const RECT& R, TColor BackColor,
                             TdxNavBarObjectStates State) const override;
};

class TdxNavBarXPButtonPainter : public TdxNavBarOfficeButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarXPScrollButtonsPainter : public TdxNavBarBaseScrollButtonsPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPScrollButtonsPainter)
  void InternalDrawBottomButton(TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter,
                                TColor Color1, TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                TdxNavBarObjectStates State) const override;
  void InternalDrawTopButton(TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter,
                             TColor Color1, TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                             TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                             TdxNavBarObjectStates State) const override;
};

class TdxNavBarXP1Painter : public TdxNavBarFlatPainter {
  SONVELT_CLASS(TdxNavBarXP1Painter, TdxNavBarFlatPainter)
public:
  using TdxNavBarFlatPainter::TdxNavBarFlatPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarXP1ViewInfo::StaticClass(); }
  TClass GetGroupViewInfoClass() override { return TdxNavBarXP1GroupViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarXP1GroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  const TdxNavBarCustomScrollButtonsPainter* ScrollButtonsPainterClass() override {
    return TdxNavBarXPScrollButtonsPainter::Instance();
  }
  const TdxNavBarCustomSelectionPainter* SelectionPainterClass() override {
    return TdxNavBarXPSelectionPainter::Instance();
  }
  bool NeedsRecreateOnThemeChange() override { return true; }
  void DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) override;
};

class TdxNavBarXP2Painter : public TdxNavBarOffice1Painter {
  SONVELT_CLASS(TdxNavBarXP2Painter, TdxNavBarOffice1Painter)
public:
  using TdxNavBarOffice1Painter::TdxNavBarOffice1Painter;
  const TdxNavBarCustomBackgroundPainter* BackgroundPainterClass() override {
    return TdxNavBarXPBackgroundPainter::Instance();
  }
  const TdxNavBarCustomGroupBackgroundPainter* GroupBackgroundPainterClass() override {
    return TdxNavBarXPGroupBackgroundPainter::Instance();
  }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override { return TdxNavBarXPButtonPainter::Instance(); }
  const TdxNavBarCustomScrollButtonsPainter* ScrollButtonsPainterClass() override {
    return TdxNavBarXPScrollButtonsPainter::Instance();
  }
  const TdxNavBarCustomSelectionPainter* SelectionPainterClass() override {
    return TdxNavBarXPSelectionPainter::Instance();
  }
  bool NeedsRecreateOnThemeChange() override { return true; }
};

// ---- view 11

class TdxNavBarXPExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  SONVELT_CLASS(TdxNavBarXPExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  int GroupCaptionHeightAddon() override;
  void GetGroupSignSize(SIZE& S) override;
  TColor GetBackgroundBackColor() override;
  TColor GetBackgroundBackColor2() override;
  std::uint8_t GetBackgroundAlphaBlending() override;
  std::uint8_t GetBackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode GetBackgroundGradientMode() override;

private:
  bool FHolds = false;
};

class TdxNavBarXPExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarXPExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor GetBorderColor() override;
  TColor GetBackgroundBackColor() override;
  TColor GetBackgroundBackColor2() override;
  std::uint8_t GetBackgroundAlphaBlending() override;
  std::uint8_t GetBackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode GetBackgroundGradientMode() override;
  TColor GetCaptionBackColor() override;
  TColor GetCaptionBackColor2() override;
  std::uint8_t GetCaptionAlphaBlending() override;
  std::uint8_t GetCaptionAlphaBlending2() override;
  TdxBarStyleGradientMode GetCaptionGradientMode() override;
  TFont* GetCaptionFont() override;
  TColor GetCaptionFontColor() override;
};

class TdxNavBarXPExplorerBarLinkViewInfo : public TdxNavBarExplorerBarLinkViewInfo {
  SONVELT_CLASS(TdxNavBarXPExplorerBarLinkViewInfo, TdxNavBarExplorerBarLinkViewInfo)
public:
  using TdxNavBarExplorerBarLinkViewInfo::TdxNavBarExplorerBarLinkViewInfo;
  TFont* GetFont() override;
  TColor GetFontColor() override;
};

class TdxNavBarXPExplorerBarBackgroundPainter : public TdxNavBarCustomBackgroundPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPExplorerBarBackgroundPainter)
  void InternalDrawBackground(TcxCanvas* Canvas, const RECT& R, TPicture* Image, bool EraseBackground,
                              TColor EraseColor, TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                              std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode) const override;
};

class TdxNavBarXPExplorerBarButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPExplorerBarButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarXPExplorerBarSignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_ELEMENT_PAINTER(TdxNavBarXPExplorerBarSignPainter)
  void InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                        TdxNavBarObjectStates State) const override;
};

class TdxNavBarXPExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarXPExplorerBarPainter, TdxNavBarExplorerBarPainter)
public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarXPExplorerBarViewInfo::StaticClass(); }
  TClass GetGroupViewInfoClass() override { return TdxNavBarXPExplorerBarGroupViewInfo::StaticClass(); }
  TClass GetLinkViewInfoClass() override { return TdxNavBarXPExplorerBarLinkViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarXPExplorerBarGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarXPExplorerBarLinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  const TdxNavBarCustomBackgroundPainter* BackgroundPainterClass() override {
    return TdxNavBarXPExplorerBarBackgroundPainter::Instance();
  }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarXPExplorerBarButtonPainter::Instance();
  }
  const TdxNavBarCustomSignPainter* SignPainterClass() override {
    return TdxNavBarXPExplorerBarSignPainter::Instance();
  }
  bool NeedsRecreateOnThemeChange() override { return true; }
};

// One channel of a sign pixel over the destination: a fully transparent pixel
// leaves the destination as it was, an opaque one replaces it.
inline std::uint8_t BlendSignChannel(std::uint8_t Alpha, std::uint8_t Sign, std::uint8_t Dest) {
  return static_cast<std::uint8_t>((Alpha * Sign + (255 - Alpha) * Dest + 127) / 255);
}
// Blends a 32-bit sign with alpha onto DC at (X, Y).
void AlphaBlendSign(HDC DC, TBitmap* Sign, int X, int Y);
