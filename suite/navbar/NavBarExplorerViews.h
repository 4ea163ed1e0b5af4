// Explorer-bar views: every group is a caption bar with its links below it,
// collapsed and expanded on its own, the whole content scrolled by a scroll bar.
// "ExplorerBarView" (8), "UltraFlatExplorerBarView" (9) and "AdvExplorerBarView"
// (10, colours from the system's colour scheme, rounded captions, round signs).
#pragma once

#include "suite/navbar/NavBarController.h"
#include "suite/navbar/NavBarCustomPainters.h"

class TdxNavBarExplorerBarViewInfo : public TdxNavBarViewInfo {
  SONVELT_CLASS(TdxNavBarExplorerBarViewInfo, TdxNavBarViewInfo)
public:
  using TdxNavBarViewInfo::TdxNavBarViewInfo;
  void GetGroupEdges(RECT& R) override { R = RECT{1, 1, 1, 1}; }
  int GroupCaptionHeightAddon() override { return 12; }
  int GroupSpacing() override { return ScaleValue(15); }
  void GetGroupSignSize(SIZE& S) override { S = SIZE{18, 18}; }
  void GetGroupsOffset(POINT& P) override { P = POINT{ScaleValue(12), ScaleValue(12)}; }
  void GetLinkImageEdges(RECT& R) override;
  bool HasActiveGroup() override { return false; }
  bool CanShowSpecialGroup() override { return true; }
  bool HasGroupCaptionImage() override { return true; }
  bool HasGroupCaptionSign() override { return true; }
  bool CanShowGroupsAsIconView() override { return false; }
  bool CanHideGroupCaptions() override { return true; }
  bool IsGroupClientVisible(TdxNavBarGroup* Group) override;
  bool IsGroupExpanded(TdxNavBarGroup* Group) override;
  void CreateGroupViewInfos() override;
  void CalculateGroupsBounds(int X, int Y) override;
  void CorrectBounds() override { CalculateScrollBar(); }
  void ExpandGroup(TdxNavBarGroup* Group) override;
  void CollapseGroup(TdxNavBarGroup* Group) override;
  void MakeLinkVisible(TdxNavBarItemLink* Link, bool AtTop = false) override;
  void MakeGroupVisible(TdxNavBarGroup* Group, bool Expand = true, bool AtTop = false) override;
  void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S) override;

  virtual void CalculateScrollBar();
  virtual void GetLinkImageMargins(RECT& R) { R = RECT{13, 4, 7, 4}; }
  // Index (in display order) of the group whose splitter holds P, or -1.
  virtual int GetControlSplitterIndexAtPos(POINT P);
  virtual TdxNavBarGroupViewInfo* GetGroupViewInfoAtControlSplitter(POINT P);

private:
  void ScrollBy(int Delta);
  bool FRelayout = false;
};

class TdxNavBarExplorerBarGroupViewInfo : public TdxNavBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarExplorerBarGroupViewInfo, TdxNavBarGroupViewInfo)
public:
  using TdxNavBarGroupViewInfo::TdxNavBarGroupViewInfo;
  void CalculateBounds(int X, int& Y) override;
  void OffsetBounds(int DX, int DY) override;
  virtual int GetControlSplitterHeight() { return 3; }
  RECT ControlSplitterRect{};
};

class TdxNavBarExplorerBarLinkViewInfo : public TdxNavBarLinkViewInfo {
  SONVELT_CLASS(TdxNavBarExplorerBarLinkViewInfo, TdxNavBarLinkViewInfo)
public:
  using TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo;
  TColor GetSeparatorColor() override { return GetGroupViewInfo()->GetBorderColor(); }
};

// Drags a group control's splitter (part 3, minor index = display position).
class TdxNavBarExplorerBarController : public TdxNavBarController {
  SONVELT_CLASS(TdxNavBarExplorerBarController, TdxNavBarController)
public:
  using TdxNavBarController::TdxNavBarController;
  ~TdxNavBarExplorerBarController() override;
  void GetPartAtPos(POINT P, TdxNavBarPartRef& Part) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, POINT P) override;
  void MouseMove(TShiftState Shift, POINT P) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, POINT P) override;
  HCURSOR GetCursor() override;

private:
  void BeginSizing(POINT P);
  void ContinueSizing(POINT P);
  bool FSizing = false;
  int FStartHeight = 0;
  POINT FStartPoint{0, 0};
  TdxNavBarGroup* FSizingGroup = nullptr;
};

class TdxNavBarExplorerBarBorderPainter : public TdxNavBarCustomGroupBorderPainter {
  DX_ELEMENT_PAINTER(TdxNavBarExplorerBarBorderPainter)
  void InternalDrawBorder(TcxCanvas* Canvas, const RECT& R, TColor Color, bool WithCaption) const override;
};

class TdxNavBarExplorerBarSignPainter : public TdxNavBarCustomSignPainter {
  DX_ELEMENT_PAINTER(TdxNavBarExplorerBarSignPainter)
  void InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                        TdxNavBarObjectStates State) const override;
  virtual void DrawSignBackground(TcxCanvas* Canvas, const RECT& R, TdxNavBarObjectStates State) const;
};

class TdxNavBarAdvExplorerBarSignPainter : public TdxNavBarExplorerBarSignPainter {
  DX_ELEMENT_PAINTER(TdxNavBarAdvExplorerBarSignPainter)
  void InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor, TColor BackColor1, TColor BackColor2,
                        TdxNavBarObjectStates State) const override;
};

class TdxNavBarAdvExplorerButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarAdvExplorerButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarExplorerBarPainter : public TdxNavBarElementPainter {
  SONVELT_CLASS(TdxNavBarExplorerBarPainter, TdxNavBarElementPainter)
public:
  using TdxNavBarElementPainter::TdxNavBarElementPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarExplorerBarViewInfo::StaticClass(); }
  TClass GetGroupViewInfoClass() override { return TdxNavBarExplorerBarGroupViewInfo::StaticClass(); }
  TClass GetLinkViewInfoClass() override { return TdxNavBarExplorerBarLinkViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarExplorerBarGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarExplorerBarLinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  TClassOf<TdxNavBarController> GetControllerClass() override { return TdxNavBarExplorerBarController::StaticClass(); }
  const TdxNavBarCustomGroupBorderPainter* GroupBorderPainterClass() override {
    return TdxNavBarExplorerBarBorderPainter::Instance();
  }
  const TdxNavBarCustomSignPainter* SignPainterClass() override { return TdxNavBarExplorerBarSignPainter::Instance(); }
  void DrawGroup(TdxNavBarGroupViewInfo* G) override;
  virtual void DrawGroupControlSplitter(TdxNavBarGroupViewInfo* G) {}
};

class TdxNavBarUltraFlatExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarUltraFlatExplorerBarPainter, TdxNavBarExplorerBarPainter)
public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  const TdxNavBarCustomSelectionPainter* SelectionPainterClass() override {
    return TdxNavBarUltraFlatSelectionPainter::Instance();
  }
};

class TdxNavBarAdvExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  SONVELT_CLASS(TdxNavBarAdvExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  void GetGroupSignSize(SIZE& S) override { S = SIZE{22, 22}; }
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
  void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) override;

private:
  bool FromTable();
  bool FHolds = false;
};

class TdxNavBarAdvExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarAdvExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
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
  TColor GetBorderColor() override;
  TColor GetCaptionFontColor() override;
  TColor GetCaptionSignColor() override;
  bool CaptionFromTable();
  bool BackgroundFromTable();
  bool IsSpecial() { return (GetState() & nsSpecial) != 0; }
};

class TdxNavBarAdvExplorerBarLinkViewInfo : public TdxNavBarExplorerBarLinkViewInfo {
  SONVELT_CLASS(TdxNavBarAdvExplorerBarLinkViewInfo, TdxNavBarExplorerBarLinkViewInfo)
public:
  using TdxNavBarExplorerBarLinkViewInfo::TdxNavBarExplorerBarLinkViewInfo;
  TColor GetFontColor() override;
};

class TdxNavBarAdvExplorerBarPainter : public TdxNavBarExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarAdvExplorerBarPainter, TdxNavBarExplorerBarPainter)
public:
  using TdxNavBarExplorerBarPainter::TdxNavBarExplorerBarPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarAdvExplorerBarViewInfo::StaticClass(); }
  TClass GetGroupViewInfoClass() override { return TdxNavBarAdvExplorerBarGroupViewInfo::StaticClass(); }
  TClass GetLinkViewInfoClass() override { return TdxNavBarAdvExplorerBarLinkViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarAdvExplorerBarGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarAdvExplorerBarLinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  const TdxNavBarCustomSignPainter* SignPainterClass() override {
    return TdxNavBarAdvExplorerBarSignPainter::Instance();
  }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarAdvExplorerButtonPainter::Instance();
  }
};
