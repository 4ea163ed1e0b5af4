// Draws the navigation pane: header and collapse sign, caption buttons,
// splitter, overflow panel, the collapse bar and its rotated links, the outer
// border, the popup's frame and size grip, a pane part's hint and the owner-drawn
// items of the configuration menu. "Office11NavigationPaneView" (13) only picks
// its own classes.
#pragma once

#include "suite/navbar/NavBarNavPaneController.h"
#include "suite/navbar/NavBarNavPaneViewInfo.h"
#include "suite/navbar/NavBarOfficeViews.h"

class TdxNavBarNavigationPaneButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarNavigationPaneButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarOffice11NavPaneButtonPainter : public TdxNavBarNavigationPaneButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarOffice11NavPaneButtonPainter)
};

class TdxNavBarOffice11NavPaneGroupButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarOffice11NavPaneGroupButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override;
};

class TdxNavBarNavigationPanePainter : public TdxNavBarOffice3Painter {
  SONVELT_CLASS(TdxNavBarNavigationPanePainter, TdxNavBarOffice3Painter)
public:
  using TdxNavBarOffice3Painter::TdxNavBarOffice3Painter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarNavigationPaneViewInfo::StaticClass(); }
  TClass GetGroupViewInfoClass() override { return TdxNavBarNavigationPaneGroupViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarNavigationPaneGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TClassOf<TdxNavBarController> GetControllerClass() override;
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarNavigationPaneButtonPainter::Instance();
  }
  void DrawNavBarControl() override;
  void DrawGroupCaption(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupClient(TdxNavBarGroupViewInfo* G) override;
  void DrawHintWindow(THintWindow* HintWindow) override;

  virtual TdxNavBarPopupControlViewInfo* CreatePopupControlViewInfo(TdxNavBarNavigationPaneViewInfo* V) {
    return TdxNavBarPopupControlViewInfo::Create(V);
  }
  virtual void PaintPaneHeader();
  virtual void DrawOverflowPanel();
  virtual void PaintSplitterBar();
  virtual void DrawSizeGrip(TcxCanvas* Canvas, const RECT& R);
  virtual void DrawItemPanel();
  virtual void DrawCollapseBar(TdxNavBarItemPanelViewInfo* ItemPanel);
  virtual void DrawItemPanelElementBackground(const RECT& R, int PaintState);
  virtual void DrawItemPanelEntry(const TdxNavBarItemPanelViewInfoItem& Entry, int PaintState);
  virtual void DrawBorder();
  virtual void DoDrawHeader();
  virtual void DrawHeaderBackground();
  virtual void DrawHeaderSign();
  virtual void DrawHeaderText();
  virtual void DoDrawOverflowPanel();
  virtual void DrawOverflowPanelBackground();
  virtual void DrawOverflowPanelSign();
  virtual void DrawOverflowPanelButtons();
  virtual void DrawOverflowPanelHint(TCanvas* Canvas, const RECT& R);
  virtual void DrawPopupControl(TCanvas* Canvas, TdxNavBarPopupControlViewInfo* PopupViewInfo);
  virtual void DoDrawSplitter();
  virtual void DrawSplitterSign();
  // State bits: 0x20 selected, 0x01 checked, 0x02 disabled.
  virtual void DrawOverflowMenuItem(TCanvas* Canvas, const RECT& R, int State, const std::string& Caption,
                                    int ImageIndex, TCustomImageList* ImageList);

  // The controller's paint state, raised by the part's helper being pressed or focused.
  int PartPaintState(const TdxNavBarPartRef& Part);
  TdxNavBarCustomAccessibilityHelper* PartAccessibilityHelper(const TdxNavBarPartRef& Part);
  void DrawPartBackground(TcxCanvas* Canvas, const RECT& R, int PaintState);
  // Text read from bottom to top, centred in R and clipped to it.
  void DrawRotatedText(const std::string& Text, TFont* Font, TColor Color, const RECT& R);
  TdxNavBarNavigationPaneViewInfo* PaneViewInfo() {
    return static_cast<TdxNavBarNavigationPaneViewInfo*>(GetViewInfo());
  }
  TdxNavBarNavigationPaneController* PaneController() {
    return dynamic_cast<TdxNavBarNavigationPaneController*>(GetController());
  }
};

class TdxNavBarOffice11NavPanePainter : public TdxNavBarNavigationPanePainter {
  SONVELT_CLASS(TdxNavBarOffice11NavPanePainter, TdxNavBarNavigationPanePainter)
public:
  using TdxNavBarNavigationPanePainter::TdxNavBarNavigationPanePainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarOffice11NavPaneViewInfo::StaticClass(); }
  TClass GetGroupViewInfoClass() override { return TdxNavBarOffice11NavPaneGroupViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarOffice11NavPaneGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TClass GetLinkViewInfoClass() override { return TdxNavBarOffice11NavPaneLinkViewInfo::StaticClass(); }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarOffice11NavPaneLinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarOffice11NavPaneButtonPainter::Instance();
  }
};

// The double chevron of the explorer bar turned on its side: pointing left (Left)
// or right, centred in R.
void DrawSidewaysChevron(TcxCanvas* Canvas, const RECT& R, TColor Color, bool Left);
