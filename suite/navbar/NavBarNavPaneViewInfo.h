// Layout of the navigation pane: a header with the active group's caption and a
// collapse sign, the item panel with the active group's links, a splitter, one
// caption button per group and an overflow row of small icons for the groups
// whose buttons find no room, with the chevron of the configuration menu. A
// collapsed pane is a narrow strip whose item panel is the collapse bar, with the
// active group's links listed under it as rotated captions.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "suite/navbar/NavBarAccessibilityHelper.h"
#include "suite/navbar/NavBarOfficeViews.h"

class TdxNavBarNavigationPaneViewInfo;

class TdxNavBarNavigationPaneCustomViewInfo : public TObject {
  SONVELT_CLASS(TdxNavBarNavigationPaneCustomViewInfo, TObject)
public:
  explicit TdxNavBarNavigationPaneCustomViewInfo(TdxNavBarNavigationPaneViewInfo* APaneViewInfo);
  TdxNavBarNavigationPaneViewInfo* GetPaneViewInfo() const { return FPaneViewInfo; }
  TdxNavBarPainter* GetOwnerPainter() const { return FOwnerPainter; }
  TdxCustomNavBar* GetOwnerBar() const { return FOwnerBar; }

private:
  TdxNavBarNavigationPaneViewInfo* FPaneViewInfo;
  TdxNavBarPainter* FOwnerPainter;
  TdxCustomNavBar* FOwnerBar;
};

struct TdxNavBarOverflowPanelViewInfoItem {
  TdxNavBarGroup* TargetGroup = nullptr;
  RECT IconBounds{};
  RECT ButtonBounds{};
};

class TdxNavBarOverflowPanelViewInfo : public TdxNavBarNavigationPaneCustomViewInfo {
  SONVELT_CLASS(TdxNavBarOverflowPanelViewInfo, TdxNavBarNavigationPaneCustomViewInfo)
public:
  using TCreateArg = TdxNavBarNavigationPaneViewInfo*;
  using TdxNavBarNavigationPaneCustomViewInfo::TdxNavBarNavigationPaneCustomViewInfo;
  ~TdxNavBarOverflowPanelViewInfo() override;
  virtual int GetHeight();
  virtual int GetButtonIndent() { return 3; }
  virtual int GetSignWidth() { return 18; }
  virtual int GetVertPadding() { return 8; }
  virtual int GetMenuImageIndent() { return 3; }
  virtual int GetMenuTextIndent() { return 4; }
  virtual int GetSignIndent() { return 0; }
  virtual void GetMargins(RECT& R);

  void Calculate(int X, int Y);
  void Offset(int DY);
  void Clear() { Buttons.clear(); }
  int ItemCount() const { return static_cast<int>(Buttons.size()); }
  // The first shown button at P, else -1.
  int ButtonAtPos(POINT P) const;
  bool UseSmallImages();
  TCustomImageList* GetImageList();
  int GetImageIndex(TdxNavBarGroup* Group);
  SIZE GetImageSize();
  // The height of the icons: the overflow image height, or the largest group image
  // height when every group's image is as high.
  int GetIconHeight();
  TdxNavBarCustomAccessibilityHelper* GetAccessibilityHelper();
  TdxNavBarCustomAccessibilityHelper* ExistingAccessibilityHelper() const;

  std::vector<TdxNavBarOverflowPanelViewInfoItem> Buttons;
  int ShownButtonCount = 0;
  RECT PanelBounds{};
  RECT SignBounds{};

private:
  TdxNavBarAccessibilityHelperRef FAccessibilityHelper;
};

struct TdxNavBarItemPanelViewInfoItem {
  int Position = 0;
  TdxNavBarItemLink* Link = nullptr;
  TFont* CaptionFont = nullptr;
  RECT EntryBounds{};
  RECT CaptionBounds{};
  RECT IconBounds{};
  TCustomImageList* Icons = nullptr;
  int IconIndex = -1;
};

class TdxNavBarItemPanelViewInfo : public TdxNavBarNavigationPaneCustomViewInfo {
  SONVELT_CLASS(TdxNavBarItemPanelViewInfo, TdxNavBarNavigationPaneCustomViewInfo)
public:
  explicit TdxNavBarItemPanelViewInfo(TdxNavBarNavigationPaneViewInfo* APaneViewInfo);
  ~TdxNavBarItemPanelViewInfo() override;
  void Calculate(int& X, int& Y);
  void Stretch(int DY);
  // The active group's links as entries under the collapse bar.
  void RebuildEntries();
  int ItemCount() const { return static_cast<int>(Entries.size()); }
  // The first entry at P, else -1.
  int EntryAtPos(POINT P) const;
  // The height the panel needs at least: the collapse bar's text, or the active group's minimum.
  int GetPanelHeight();
  std::string GetCollapseBarText();
  TFont* GetCollapseBarFont();
  TdxNavBarCustomAccessibilityHelper* GetAccessibilityHelper() const;

  std::vector<TdxNavBarItemPanelViewInfoItem> Entries;
  TdxNavBarGroupViewInfo* PanelGroupViewInfo = nullptr;
  bool InCollapsedForm = false;
  TdxNavBarGroup* CollapseBarSource = nullptr;
  RECT PanelBounds{};
  RECT CollapseBarBounds{};

private:
  TdxNavBarAccessibilityHelperRef FAccessibilityHelper;
};

class TdxNavBarNavigationPaneViewInfo : public TdxNavBarOffice3ViewInfo {
  SONVELT_CLASS(TdxNavBarNavigationPaneViewInfo, TdxNavBarOffice3ViewInfo)
public:
  explicit TdxNavBarNavigationPaneViewInfo(TdxNavBarPainter* APainter);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  ~TdxNavBarNavigationPaneViewInfo() override;

  void CreateColors() override;
  void RefreshColors() override;
  void ReleaseColors() override;
  void GetGroupEdges(RECT& R) override;
  int GroupCaptionHeightAddon() override { return 4; }
  int GroupCaptionImageIndent() override { return 4; }
  int GroupSpacing() override { return 0; }
  void GetGroupsOffset(POINT& P) override { P = POINT{1, 0}; }
  int CollapsedWidth() override;
  int MinExpandedWidth() override { return 2 * CollapsedWidth(); }
  bool CollapseAllowed() override { return true; }
  bool HasGroupCaptionImage() override { return true; }
  bool CanShowGroupsAsIconView() override { return false; }
  bool GroupImageWithinCaption() override { return true; }
  void CorrectBounds() override;
  TdxNavBarChangeType ResizeChangeType() override { return ctRecreate; }
  void CreateInfo() override;
  void CreateGroupViewInfos() override;
  void CalculateGroupsBounds(int X, int Y) override;
  void ClearRects() override;
  TColor GetBorderColor() override;
  TdxNavBarStyleValues BottomScrollButtonValues() override;
  TdxNavBarStyleValues TopScrollButtonValues() override;
  TdxNavBarStyleValues NavigationPaneHeaderPaneValues();
  virtual TColor GetNavigationPaneHeaderFontColor();
  TdxNavBarStyleValues OverflowPanelValues();
  TdxNavBarStyleValues SplitterValues();
  void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultButtonStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderActiveHotTrackedStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultGroupHeaderActivePressedStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) override;
  void AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S) override;
  TdxNavBarGroupViewInfo* GetGroupViewInfoAtItemsPos(POINT P) override;
  TdxNavBarItemLink* GetLinkAtPos(POINT P) override;
  int GetViewInfoAtDragPosition(POINT P, TdxNavBarGroupViewInfo*& G, TdxNavBarLinkViewInfo*& Next,
                                TdxNavBarLinkViewInfo*& Prev) override;
  TdxNavBarGroup* FindGroupWithAccel(wchar_t CharCode) override;
  TdxNavBarItemLink* FindLinkWithAccel(wchar_t CharCode) override;

  virtual int GetHeaderTextIndent() { return GroupCaptionImageSpacing(); }
  virtual void GetHeaderTextMargins(RECT& R) { R = RECT{}; }
  virtual void GetHeaderSignMargins(RECT& R) { R = RECT{GroupCaptionImageIndent(), 0, GroupCaptionImageIndent(), 0}; }
  virtual TdxNavBarOverflowPanelViewInfo* CreateOverflowPanelViewInfo();
  virtual void MoveGroupsToOverflowPanel(int Count, bool ClearFirst);
  virtual void CalculateSizeGripBounds();
  virtual void CalculateHeaderBounds(int& X, int& Y);
  virtual void CalculateLargestImageSize();
  virtual void CalculateSplitterBounds(int& X, int& Y);
  virtual int GetHeaderHeight();
  virtual int GetSizeGripSize();
  virtual int GetSplitterHeight();
  virtual void UpdateOverflowMenu();
  virtual int GetBorderWidth() { return 1; }
  virtual TColor GetCollapseBarFontColor() { return GetBorderColor(); }

  // ---- derived facts
  bool IsOverflowPanelShown();
  bool IsHeaderShown();
  bool IsCollapsed();
  int PanelGroupCount();
  int CaptionButtonCount() { return GroupCount() - PanelGroupCount(); }
  bool IsPtHeaderSign(POINT P) const;
  bool IsPtOverflowSign(POINT P) const;
  bool IsPtSplitter(POINT P) const;
  // Whether Y lies far enough above or below the splitter for one button more or fewer.
  bool IsFarEnoughUp(int Y);
  bool IsFarEnoughDown(int Y);
  // The configuration menu's images start here: the small images' count.
  int MenuImageBase() const { return FMenuImageBase; }

  TdxNavBarOverflowPanelViewInfo* GetOverflowPanel() const { return FOverflowPanel.get(); }
  TdxNavBarItemPanelViewInfo* GetItemPanel() const { return FItemPanel.get(); }
  TPopupMenu* GetConfigurationMenu() const { return FConfigurationMenu; }
  TImageList* GetMenuArrowImages() const { return FMenuArrowImages; }
  TdxNavBarCustomAccessibilityHelper* GetActiveGroupCaptionPanelAccessibilityHelper() const;
  TdxNavBarCustomAccessibilityHelper* GetHeaderSignAccessibilityHelper() const;

  RECT HeaderBounds{};
  RECT HeaderTextBounds{};
  RECT HeaderSignBounds{};
  RECT SplitterBounds{};
  RECT SizeGripBounds{};
  SIZE LargestImageSize{};
  bool LargestImageSizeKnown = false;
  bool UniformGroupImageHeights = false;

private:
  void DrawMenuItem(TObject* Sender, TCanvas* Canvas, const RECT& R, UINT State);
  void MeasureMenuItem(TObject* Sender, TCanvas* Canvas, int& Width, int& Height);
  void MenuShowMore(TObject* Sender);
  void MenuShowFewer(TObject* Sender);
  void MenuToggleGroup(TObject* Sender);
  void MenuActivateGroup(TObject* Sender);
  void AddMenuArrowImage(const char* Name);
  TOwned<TdxNavBarOverflowPanelViewInfo> FOverflowPanel;
  TOwned<TdxNavBarItemPanelViewInfo> FItemPanel;
  TPopupMenu* FConfigurationMenu = nullptr;
  TImageList* FMenuArrowImages = nullptr;
  int FMenuImageBase = 0;
  bool FHoldsColors = false;
  TdxNavBarAccessibilityHelperRef FCaptionPanelHelper;
  TdxNavBarAccessibilityHelperRef FHeaderSignHelper;
};

class TdxNavBarOffice11NavPaneViewInfo : public TdxNavBarNavigationPaneViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11NavPaneViewInfo, TdxNavBarNavigationPaneViewInfo)
public:
  using TdxNavBarNavigationPaneViewInfo::TdxNavBarNavigationPaneViewInfo;
};

// Caption buttons take the pane's colours while their style leaves them unset.
class TdxNavBarNavigationPaneGroupViewInfo : public TdxNavBarGroupViewInfo {
  SONVELT_CLASS(TdxNavBarNavigationPaneGroupViewInfo, TdxNavBarGroupViewInfo)
public:
  using TdxNavBarGroupViewInfo::TdxNavBarGroupViewInfo;
  TColor GetCaptionBackColor() override;
  TColor GetCaptionBackColor2() override;
  std::uint8_t GetCaptionAlphaBlending() override;
  std::uint8_t GetCaptionAlphaBlending2() override;
  TdxBarStyleGradientMode GetCaptionGradientMode() override;
  TColor GetCaptionBorderColor() override;

private:
  bool CaptionUnassigned();
};

class TdxNavBarOffice11NavPaneGroupViewInfo : public TdxNavBarNavigationPaneGroupViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11NavPaneGroupViewInfo, TdxNavBarNavigationPaneGroupViewInfo)
public:
  using TdxNavBarNavigationPaneGroupViewInfo::TdxNavBarNavigationPaneGroupViewInfo;
};

class TdxNavBarOffice11NavPaneLinkViewInfo : public TdxNavBarOffice3LinkViewInfo {
  SONVELT_CLASS(TdxNavBarOffice11NavPaneLinkViewInfo, TdxNavBarOffice3LinkViewInfo)
public:
  using TdxNavBarOffice3LinkViewInfo::TdxNavBarOffice3LinkViewInfo;
  TColor GetSeparatorColor() override;
};

// Fills a pane style's colours from the pane's when the style leaves either unset.
void ApplyPaneColors(TdxNavBarStyleValues& V, TColor C1, TColor C2);
