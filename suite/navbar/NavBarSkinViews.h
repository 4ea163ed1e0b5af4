// Views drawn from a stored skin: "Office12NavigationPaneView" (17) and
// "Office12ExplorerBarView" (18) with the colour schemes Blue, Black and Silver,
// and "VistaExplorerBarView" (19). Each painter owns a helper that loads its skin
// from the program's "DXNAVBARSKINS" resources at the first drawing that needs
// it; without GDI+ (no skin) every part falls back to the parent view's drawing.
#pragma once

#include <string>

#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "suite/common/ControlScrollBar.h"
#include "suite/navbar/NavBarNavPanePainter.h"
#include "suite/navbar/NavBarOffice11Views.h"
#include "suite/navbar/SkinInfo.h"

class TdxNavBarSkin : public TdxSkin {
  SONVELT_CLASS(TdxNavBarSkin, TdxSkin)
public:
  using TdxSkin::TdxSkin;
  const wchar_t* ResourceType() const override { return L"DXNAVBARSKINS"; }
};

class TdxNavBarSkinBasedPainterHelper : public TObject {
  SONVELT_CLASS(TdxNavBarSkinBasedPainterHelper, TObject)
public:
  using TCreateArg = const std::string*;
  explicit TdxNavBarSkinBasedPainterHelper(const std::string* AName) : FName(AName ? *AName : std::string()) {}
  virtual std::string GetSkinName() { return FName; }
  virtual int ColorSchemeCount() { return 0; }
  virtual std::string ColorSchemeNameAt(int Index) { return {}; }
  const std::string& GetName() const { return FName; }
  // A different name drops the skin and tells the painter.
  virtual void SetName(const std::string& Value);
  // The skin info, loading the skin on first use; null without GDI+.
  TdxNavBarSkinInfo* GetSkinInfo();
  bool IsSkinAvailable() { return GetSkinInfo() != nullptr; }
  TNotifyEvent OnChanged;

  virtual TdxSkinElement* NavBarBackground() { return Info(&TdxSkinInfo::NavBarBackground); }
  virtual TdxSkinElement* NavBarDragDropItemTarget();
  virtual TdxSkinElement* NavBarGroupHeader() { return Info(&TdxSkinInfo::NavBarGroupHeader); }
  virtual TdxSkinElement* NavBarGroupClient() { return Info(&TdxSkinInfo::NavBarGroupClient); }
  virtual TdxSkinElement* NavBarGroupSign(bool Expanded) {
    return Info(Expanded ? &TdxSkinInfo::NavBarGroupCloseButton : &TdxSkinInfo::NavBarGroupOpenButton);
  }
  virtual TdxSkinElement* NavBarItem() { return Info(&TdxSkinInfo::NavBarItem); }
  virtual TdxSkinElement* NavBarSeparator();
  TdxSkinElement* Info(TdxSkinElement* TdxSkinInfo::*Member) {
    TdxNavBarSkinInfo* I = GetSkinInfo();
    return I ? I->*Member : nullptr;
  }

private:
  std::string FName;
  TOwned<TdxNavBarSkinInfo> FSkinInfo;
  bool FTried = false;
};

class TdxNavBarOffice12PainterHelper : public TdxNavBarSkinBasedPainterHelper {
  SONVELT_CLASS(TdxNavBarOffice12PainterHelper, TdxNavBarSkinBasedPainterHelper)
public:
  using TdxNavBarSkinBasedPainterHelper::TdxNavBarSkinBasedPainterHelper;
  std::string GetSkinName() override { return "Office12_" + GetName(); }
  int ColorSchemeCount() override { return 3; }
  std::string ColorSchemeNameAt(int Index) override;
  // An unknown scheme raises EdxSkin and keeps the current one; a known one also
  // becomes the default of painters made later.
  void SetName(const std::string& Value) override;
};

class TdxNavBarVistaPainterHelper : public TdxNavBarSkinBasedPainterHelper {
  SONVELT_CLASS(TdxNavBarVistaPainterHelper, TdxNavBarSkinBasedPainterHelper)
public:
  using TdxNavBarSkinBasedPainterHelper::TdxNavBarSkinBasedPainterHelper;
  TdxSkinElement* NavBarBackground() override;
  TdxSkinElement* NavBarGroupHeader() override;
  TdxSkinElement* NavBarItem() override;
  TdxSkinElement* NavBarDragDropItemTarget() override { return nullptr; }
  TdxSkinElement* NavBarSeparator() override { return nullptr; }
};

// The process-wide default scheme of Office 12 painters ("Blue" at start).
const std::string& Office12DefaultColorScheme();

// Element drawing shared by the skin-based painters: nothing (false) without an
// element; otherwise clipped to R, over R grown by the element's content margins
// when Grow.
bool DrawSkinElement(TcxCanvas* Canvas, TdxSkinElement* Element, RECT R, TdxSkinElementState State,
                     int ImageIndex = 0, bool Grow = false);
// The drop mark between two links: a band as high as the element's cell, ending
// at the bottom of the link before (or starting at the top of the link after).
bool DrawSkinDropMark(TcxCanvas* Canvas, TdxSkinElement* Element, TdxNavBarLinkViewInfo* Before,
                      TdxNavBarLinkViewInfo* After);
TdxSkinElementState SkinStateOf(TdxNavBarObjectStates State);
TdxSkinElementState SkinStateOfPaintState(int PaintState);

// ---- views 18 and 19

// View 18's scroll bar: arrows, thumb and track from the skin's scroll parts, in
// the parts' states, with the thumb no shorter than its cell; the plain scroll bar
// wherever its bar's painter has no skin.
class TdxNavBarcxOffice12ScrollBar : public TcxControlScrollBar {
  SONVELT_CLASS(TdxNavBarcxOffice12ScrollBar, TcxControlScrollBar)
public:
  using TcxControlScrollBar::TcxControlScrollBar;
  void DrawPart(TcxCanvas* Canvas, const RECT& R, TcxPaintButtonState State, TcxScrollBarPaintPart Part) override;
  bool PainterHotTracks() const override { return true; }
  int MinThumbSize() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The skin's entry for a part, or none.
  TdxSkinScrollInfo EntryOf(TcxScrollBarPaintPart Part) const;
};

class TdxNavBarSkinBasedExplorerBarViewInfo : public TdxNavBarOffice11ExplorerBarViewInfo {
  SONVELT_CLASS(TdxNavBarSkinBasedExplorerBarViewInfo, TdxNavBarOffice11ExplorerBarViewInfo)
public:
  using TdxNavBarOffice11ExplorerBarViewInfo::TdxNavBarOffice11ExplorerBarViewInfo;
  void GetGroupEdges(RECT& R) override;
};

class TdxNavBarSkinBasedExplorerBarGroupViewInfo : public TdxNavBarOffice11ExplorerBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarSkinBasedExplorerBarGroupViewInfo, TdxNavBarOffice11ExplorerBarGroupViewInfo)
public:
  using TdxNavBarOffice11ExplorerBarGroupViewInfo::TdxNavBarOffice11ExplorerBarGroupViewInfo;
  TColor GetCaptionFontColor() override;
};

class TdxNavBarSkinBasedExplorerBarLinkViewInfo : public TdxNavBarOffice3LinkViewInfo {
  SONVELT_CLASS(TdxNavBarSkinBasedExplorerBarLinkViewInfo, TdxNavBarOffice3LinkViewInfo)
public:
  using TdxNavBarOffice3LinkViewInfo::TdxNavBarOffice3LinkViewInfo;
  TColor GetFontColor() override;
};

class TdxNavBarSkinBasedExplorerBarPainter : public TdxNavBarOffice11ExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarSkinBasedExplorerBarPainter, TdxNavBarOffice11ExplorerBarPainter)
public:
  explicit TdxNavBarSkinBasedExplorerBarPainter(TdxCustomNavBar* ANavBar);
  void AfterConstruction() override;
  ~TdxNavBarSkinBasedExplorerBarPainter() override;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override {
    return TdxNavBarSkinBasedExplorerBarViewInfo::StaticClass();
  }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarSkinBasedExplorerBarGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarSkinBasedExplorerBarLinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  void DrawGroupBorder(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) override;
  void DrawGroupCaptionSign(TdxNavBarGroupViewInfo* G) override;
  void DrawSeparator(TdxNavBarLinkViewInfo* L) override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* L) override {}
  void DrawDropTargetLinkMark(TdxNavBarGroupViewInfo* G, TdxNavBarLinkViewInfo* Before,
                              TdxNavBarLinkViewInfo* After) override;
  void DrawGroupControlSplitter(TdxNavBarGroupViewInfo* G) override;
  virtual TdxNavBarSkinBasedPainterHelper* CreatePainterHelper();
  virtual std::string GetInitialSkinName() { return {}; }
  virtual bool ExtendsGroupCaption(TdxNavBarGroupViewInfo* G) { return false; }
  TdxNavBarSkinBasedPainterHelper* PainterHelper() const { return FHelper.get(); }
  std::string GetColorSchemeName() const { return FHelper->GetName(); }
  void SetColorSchemeName(const std::string& Value) { FHelper->SetName(Value); }

private:
  void HelperChanged(TObject*) { GetNavBar()->InvalidateAll(ctRecreate); }
  TOwned<TdxNavBarSkinBasedPainterHelper> FHelper;
};

class TdxNavBarOffice12ExplorerBarPainter : public TdxNavBarSkinBasedExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarOffice12ExplorerBarPainter, TdxNavBarSkinBasedExplorerBarPainter)
public:
  using TdxNavBarSkinBasedExplorerBarPainter::TdxNavBarSkinBasedExplorerBarPainter;
  // A painter of the same class gives its scheme.
  void Assign(TPersistent* Source) override;
  TdxNavBarSkinBasedPainterHelper* CreatePainterHelper() override;
  std::string GetInitialSkinName() override { return Office12DefaultColorScheme(); }
  bool ExtendsGroupCaption(TdxNavBarGroupViewInfo* G) override;
  TClassOf<TcxControlScrollBar> GetScrollBarClass() override { return TdxNavBarcxOffice12ScrollBar::StaticClass(); }
  static void Publish(TPublisher<TdxNavBarOffice12ExplorerBarPainter>& P);
};

class TdxNavBarVistaExplorerBarViewInfo : public TdxNavBarExplorerBarViewInfo {
  SONVELT_CLASS(TdxNavBarVistaExplorerBarViewInfo, TdxNavBarExplorerBarViewInfo)
public:
  using TdxNavBarExplorerBarViewInfo::TdxNavBarExplorerBarViewInfo;
  void GetGroupEdges(RECT& R) override { R = RECT{}; }
  int GroupCaptionHeightAddon() override { return 9; }
  int GroupCaptionImageIndent() override { return 2; }
  int GroupSpacing() override { return 0; }
  void GetGroupsOffset(POINT& P) override;
  bool IsWholeLinkSensitive() override { return true; }
  void GetLinkImageMargins(RECT& R) override { R = RECT{7, 4, 9, 4}; }
  void AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S) override;
};

class TdxNavBarVistaExplorerBarGroupViewInfo : public TdxNavBarExplorerBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarVistaExplorerBarGroupViewInfo, TdxNavBarExplorerBarGroupViewInfo)
public:
  using TdxNavBarExplorerBarGroupViewInfo::TdxNavBarExplorerBarGroupViewInfo;
  TColor GetCaptionBackColor() override;
  TColor GetCaptionBackColor2() override;
  TFont* GetCaptionFont() override;
  TColor GetCaptionFontColor() override;
  int GetControlSplitterHeight() override { return 4; }
};

class TdxNavBarVistaExplorerBarLinkViewInfo : public TdxNavBarSkinBasedExplorerBarLinkViewInfo {
  SONVELT_CLASS(TdxNavBarVistaExplorerBarLinkViewInfo, TdxNavBarSkinBasedExplorerBarLinkViewInfo)
public:
  using TdxNavBarSkinBasedExplorerBarLinkViewInfo::TdxNavBarSkinBasedExplorerBarLinkViewInfo;
  TFont* GetFont() override;
  TColor GetFontColor() override;
};

class TdxNavBarVistaExplorerBarButtonPainter : public TdxNavBarCustomButtonPainter {
  DX_ELEMENT_PAINTER(TdxNavBarVistaExplorerBarButtonPainter)
  void InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2,
                          std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                          TColor BorderColor, TdxNavBarObjectStates State) const override {
    Canvas->FillRectColor(R, Color1);
  }
};

class TdxNavBarVistaExplorerBarSelectionPainter : public TdxNavBarCustomSelectionPainter {
  DX_ELEMENT_PAINTER(TdxNavBarVistaExplorerBarSelectionPainter)
  void GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor, TColor& FillColor, TColor& OuterTopLeft,
                          TColor& OuterBottomRight, TColor& InnerTopLeft, TColor& InnerBottomRight) const override;
};

class TdxNavBarVistaExplorerBarPainter : public TdxNavBarSkinBasedExplorerBarPainter {
  SONVELT_CLASS(TdxNavBarVistaExplorerBarPainter, TdxNavBarSkinBasedExplorerBarPainter)
public:
  using TdxNavBarSkinBasedExplorerBarPainter::TdxNavBarSkinBasedExplorerBarPainter;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarVistaExplorerBarViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarVistaExplorerBarGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* G, TdxNavBarItemLink* Link, bool CaptionVisible,
                                            bool ImageVisible) override {
    return TdxNavBarVistaExplorerBarLinkViewInfo::Create(G, Link, CaptionVisible, ImageVisible);
  }
  const TdxNavBarCustomButtonPainter* ButtonPainterClass() override {
    return TdxNavBarVistaExplorerBarButtonPainter::Instance();
  }
  const TdxNavBarCustomSelectionPainter* SelectionPainterClass() override {
    return TdxNavBarVistaExplorerBarSelectionPainter::Instance();
  }
  TdxNavBarSkinBasedPainterHelper* CreatePainterHelper() override;
  std::string GetInitialSkinName() override { return "Vista"; }
  bool NeedsRecreateOnThemeChange() override { return true; }
  void DrawBackground() override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* L) override;
  void DrawGroupControlSplitter(TdxNavBarGroupViewInfo* G) override;
};

// ---- view 17

// The overflow row's margins from the skin's OverflowPanel, its chevron as wide as
// the OverflowPanelExpandItem cell.
class TdxNavBarSkinBasedOverflowPanelViewInfo : public TdxNavBarOverflowPanelViewInfo {
  SONVELT_CLASS(TdxNavBarSkinBasedOverflowPanelViewInfo, TdxNavBarOverflowPanelViewInfo)
public:
  using TdxNavBarOverflowPanelViewInfo::TdxNavBarOverflowPanelViewInfo;
  void GetMargins(RECT& R) override;
  int GetSignWidth() override;
};

// The popup's margins from the skin's PopupBorder.
class TdxNavBarSkinBasedPopupControlViewInfo : public TdxNavBarPopupControlViewInfo {
  SONVELT_CLASS(TdxNavBarSkinBasedPopupControlViewInfo, TdxNavBarPopupControlViewInfo)
public:
  using TdxNavBarPopupControlViewInfo::TdxNavBarPopupControlViewInfo;
  void GetMargins(RECT& R) override;
};

class TdxNavBarSkinBasedNavPaneViewInfo : public TdxNavBarNavigationPaneViewInfo {
  SONVELT_CLASS(TdxNavBarSkinBasedNavPaneViewInfo, TdxNavBarNavigationPaneViewInfo)
public:
  using TdxNavBarNavigationPaneViewInfo::TdxNavBarNavigationPaneViewInfo;
  TdxNavBarSkinBasedPainterHelper* PainterHelper();
  void GetGroupEdges(RECT& R) override;
  void AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S) override;
  TdxNavBarOverflowPanelViewInfo* CreateOverflowPanelViewInfo() override {
    return TdxNavBarSkinBasedOverflowPanelViewInfo::Create(this);
  }
  void GetGroupsOffset(POINT& P) override;
  TColor GetBorderColor() override;
  TColor GetNavigationPaneHeaderFontColor() override;
  int GetHeaderTextIndent() override;
  int GetHeaderHeight() override;
  int GetSplitterHeight() override;
  TColor GetCollapseBarFontColor() override;
};

class TdxNavBarSkinBasedNavPaneGroupViewInfo : public TdxNavBarNavigationPaneGroupViewInfo {
  SONVELT_CLASS(TdxNavBarSkinBasedNavPaneGroupViewInfo, TdxNavBarNavigationPaneGroupViewInfo)
public:
  using TdxNavBarNavigationPaneGroupViewInfo::TdxNavBarNavigationPaneGroupViewInfo;
  TColor GetCaptionFontColor() override;
};

class TdxNavBarSkinBasedNavPanePainter : public TdxNavBarNavigationPanePainter {
  SONVELT_CLASS(TdxNavBarSkinBasedNavPanePainter, TdxNavBarNavigationPanePainter)
public:
  explicit TdxNavBarSkinBasedNavPanePainter(TdxCustomNavBar* ANavBar);
  void AfterConstruction() override;
  ~TdxNavBarSkinBasedNavPanePainter() override;
  TClassOf<TdxNavBarViewInfo> ViewInfoClassOf() override { return TdxNavBarSkinBasedNavPaneViewInfo::StaticClass(); }
  TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* V, TdxNavBarGroup* Group, bool CaptionVisible,
                                              bool ItemsVisible) override {
    return TdxNavBarSkinBasedNavPaneGroupViewInfo::Create(V, Group, CaptionVisible, ItemsVisible);
  }
  void DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) override;
  void DrawLinkSelection(TdxNavBarLinkViewInfo* L) override;
  void DrawSeparator(TdxNavBarLinkViewInfo* L) override;
  void DrawDropTargetLinkMark(TdxNavBarGroupViewInfo* G, TdxNavBarLinkViewInfo* Before,
                              TdxNavBarLinkViewInfo* After) override;
  void DrawTopScrollButton() override;
  void DrawBottomScrollButton() override;
  void PaintSplitterBar() override;
  void DrawHeaderBackground() override;
  void DrawHeaderSign() override;
  void DrawItemPanelElementBackground(const RECT& R, int PaintState) override;
  void DrawOverflowPanelBackground() override;
  void DrawOverflowPanelSign() override;
  void DrawOverflowPanelButtons() override;
  void DrawPopupControl(TCanvas* Canvas, TdxNavBarPopupControlViewInfo* PopupViewInfo) override;
  // In the skin look only when the skin has all four popup-menu elements.
  void DrawOverflowMenuItem(TCanvas* Canvas, const RECT& R, int State, const std::string& Caption, int ImageIndex,
                            TCustomImageList* ImageList) override;
  TdxNavBarPopupControlViewInfo* CreatePopupControlViewInfo(TdxNavBarNavigationPaneViewInfo* V) override {
    return TdxNavBarSkinBasedPopupControlViewInfo::Create(V);
  }
  virtual TdxNavBarSkinBasedPainterHelper* CreatePainterHelper();
  virtual std::string GetInitialSkinName() { return {}; }
  TdxNavBarSkinInfo* Skin() { return FHelper->GetSkinInfo(); }
  TdxNavBarSkinBasedPainterHelper* PainterHelper() const { return FHelper.get(); }
  std::string GetColorSchemeName() const { return FHelper->GetName(); }
  void SetColorSchemeName(const std::string& Value) { FHelper->SetName(Value); }

private:
  void HelperChanged(TObject*) { GetNavBar()->InvalidateAll(ctRecreate); }
  TOwned<TdxNavBarSkinBasedPainterHelper> FHelper;
};

class TdxNavBarOffice12NavPanePainter : public TdxNavBarSkinBasedNavPanePainter {
  SONVELT_CLASS(TdxNavBarOffice12NavPanePainter, TdxNavBarSkinBasedNavPanePainter)
public:
  using TdxNavBarSkinBasedNavPanePainter::TdxNavBarSkinBasedNavPanePainter;
  // A painter of the same class gives its scheme.
  void Assign(TPersistent* Source) override;
  TdxNavBarSkinBasedPainterHelper* CreatePainterHelper() override;
  std::string GetInitialSkinName() override { return Office12DefaultColorScheme(); }
  static void Publish(TPublisher<TdxNavBarOffice12NavPanePainter>& P);
};
