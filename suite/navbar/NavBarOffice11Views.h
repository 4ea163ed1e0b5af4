// The explorer bar in Office 2003 colours: "Office11TaskPaneView" (12, shaded
// task pane with recoloured signs) and "Office11ExplorerBarView" (16, blue
// caption bars on white, as the navigation pane draws its buttons). The views
// unit also registers the navigation pane (13).
#pragma once

#include "suite/navbar/NavBarExplorerViews.h"

class TdxNavBarOffice11ExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11ExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  void GetGroupEdges(RECT& R) override { R = RECT{}; }
  int GroupCaptionHeightAddon() override { return 6; }
  int GroupCaptionImageIndent() override { return 2; }
  int GroupSpacing() override { return 0; }
  void GetGroupsOffset(POINT& P) override { P = POINT{0, 0}; }
  bool IsWholeLinkSensitive() override { return true; }
  void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultButtonStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S) override;

private:
  bool FHolds = false;
};

class TdxNavBarOffice11ExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11ExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor GetCaptionBackColor() override;
  TColor GetCaptionBackColor2() override;
  std::uint8_t GetCaptionAlphaBlending() override;
  std::uint8_t GetCaptionAlphaBlending2() override;
  TdxBarStyleGradientMode GetCaptionGradientMode() override;
  TColor GetCaptionBorderColor() override;

private:
  bool Unassigned();
};

class TdxNavBarPopupControl;

// Where a bar of this view shows the pane popup's size grip (its client
// coordinates): only when it sits in a group control inside a pane's popup.
TdxNavBarPopupControl* Office11PopupGrip(TdxCustomNavBar* Bar, RECT& Grip);

// Over the popup's size grip the mouse sizes the popup.
class TdxNavBarOffice11ExplorerBarController : public TdxNavBarExplorerBarController {
  SONVELT_CLASS(TdxNavBarOffice11ExplorerBarController, TdxNavBarExplorerBarController)
public:
  using TdxNavBarExplorerBarController::TdxNavBarExplorerBarController;
  void MouseMove(TShiftState Shift, POINT P) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, POINT P) override;
  HCURSOR GetCursor() override;
  bool GetGripHot() const { return FGripHot; }

private:
  bool FGripHot = false;
};

class TdxNavBarOffice11ExplorerBarSignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_ELEMENT_PAINTER(TdxNavBarOffice11ExplorerBarSignPainter)
  void DrawSignBackground(TcxCanvas* Canvas, const RECT& R, TdxNavBarObjectStates State) const override {}
};

class TdxNavBarOffice11ExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarOffice11ExplorerBarPainter, TdxNavBarExplorerBarPainter)
public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override {
    return TdxNavBarOffice11ExplorerBarViewInfo::StaticClass();
  }
  TClass GetGroupViewInfoClass() override { return TdxNavBarOffice11ExplorerBarGroupViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarOffice11ExplorerBarGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TClassOf<TdxNavBarController> GetControllerClass() override {
    return TdxNavBarOffice11ExplorerBarController::StaticClass();
  }
  const TdxNavBarCustomSignPainter* SignPainterClass() override {
    return TdxNavBarOffice11ExplorerBarSignPainter::Instance();
  }
  void DrawGroupControlSplitter(TdxNavBarGroupViewInfo* G) override;
  // Inside a pane's popup, also the popup's size grip.
  void DrawNavBarControl() override;
};

// ---- view 12

class TdxNavBarOffice11ViewInfo : public TdxNavBarExplorerBarViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11ViewInfo, TdxNavBarExplorerBarViewInfo)
public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  int GroupSpacing() override { return 4; }
  void GetGroupsOffset(POINT& P) override { P = POINT{10, 4}; }
  void GetLinkImageEdges(RECT& R) override { R = RECT{4, 4, 4, 4}; }
  TColor GetBackgroundBackColor() override;
  TColor GetBackgroundBackColor2() override;
  std::uint8_t GetBackgroundAlphaBlending() override;
  std::uint8_t GetBackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode GetBackgroundGradientMode() override;
  void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemStyle(TdxNavBarBaseStyle* S) override;

private:
  bool Unassigned();
  bool FHolds = false;
};

class TdxNavBarOffice11GroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11GroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor GetCaptionBackColor() override;
  TColor GetCaptionBackColor2() override;
  std::uint8_t GetCaptionAlphaBlending() override;
  std::uint8_t GetCaptionAlphaBlending2() override;
  TdxBarStyleGradientMode GetCaptionGradientMode() override;
  TColor GetBorderColor() override;
  TColor GetBackgroundBackColor() override;
  TColor GetBackgroundBackColor2() override;
  std::uint8_t GetBackgroundAlphaBlending() override;
  std::uint8_t GetBackgroundAlphaBlending2() override;
  TdxBarStyleGradientMode GetBackgroundGradientMode() override;
  TColor GetCaptionFontColor() override;

private:
  bool CaptionUnassigned();
  bool ClientUnassigned();
};

class TdxNavBarOffice11LinkViewInfo : public TdxNavBarExplorerBarLinkViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11LinkViewInfo, TdxNavBarExplorerBarLinkViewInfo)
public:
  using TdxNavBarExplorerBarLinkViewInfo::TdxNavBarExplorerBarLinkViewInfo;
  TColor GetFontColor() override;
};

// The expand and collapse signs recoloured by their red levels: the brightest
// pixels take BackColor1, the darkest BackColor2; key and black pixels stay.
class TdxNavBarOffice11SignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_ELEMENT_PAINTER(TdxNavBarOffice11SignPainter)
  void InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                        TdxNavBarObjectStates State) const override;
};

class TdxNavBarOffice11Painter : public TdxNavBarExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarOffice11Painter, TdxNavBarExplorerBarPainter)
public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarOffice11ViewInfo::StaticClass(); }
  TClass GetGroupViewInfoClass() override { return TdxNavBarOffice11GroupViewInfo::StaticClass(); }
  TClass GetLinkViewInfoClass() override { return TdxNavBarOffice11LinkViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarOffice11GroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarOffice11LinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarAdvExplorerButtonPainter::Instance();
  }
  const TdxNavBarCustomSignPainter* SignPainterClass() override { return TdxNavBarOffice11SignPainter::Instance(); }
};
