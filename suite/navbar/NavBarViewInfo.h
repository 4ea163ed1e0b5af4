// The geometry model of one bar in its current view: one group view info per
// shown group, one link view info per shown link, every rectangle the painter
// draws and the controller hit-tests, the view's metrics and capabilities, and
// the colours, fonts and alignments of every element after the style cascade.
// Views derive from these classes and override single answers.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "framework/Picture.h"
#include "suite/navbar/NavBarStyles.h"
#include "suite/navbar/NavBarCollections.h"
#include "suite/navbar/NavBarTypes.h"

class TdxNavBarStyleItem;

// How the layout measures text and learns the screen's resolution; tests put a
// fixed one in place.
class TdxNavBarTextMetrics {
public:
  virtual ~TdxNavBarTextMetrics() = default;
  // Height of "Qq" in Font.
  virtual int LineHeight(TFont* Font);
  // DrawText with DT_CALCRECT and Flags: R keeps its top-left and takes the text's size.
  virtual void MeasureText(TFont* Font, const std::string& Text, UINT Flags, RECT& R);
  virtual int PixelsPerInch();
};
TdxNavBarTextMetrics* NavBarTextMetrics();
// Puts Metrics in place (null restores the screen's); gives the previous one.
TdxNavBarTextMetrics* SetNavBarTextMetrics(TdxNavBarTextMetrics* Metrics);

// One resolved appearance: what a style cascade gives an element.
struct TdxNavBarStyleValues {
  TPicture* Image = nullptr;
  TColor BackColor = clNone;
  TColor BackColor2 = clNone;
  std::uint8_t AlphaBlending = 255;
  std::uint8_t AlphaBlending2 = 255;
  TdxBarStyleGradientMode GradientMode = gmHorizontal;
  TFont* Font = nullptr;
  TdxBarStyleHAlignment HAlignment = haLeft;
  TdxBarStyleVAlignment VAlignment = svaCenter;
};
// Each value from Item's style when it has the value's flag, else from Default.
TdxNavBarStyleValues ResolveStyle(TdxNavBarStyleItem* Item, TdxNavBarBaseStyle* Default);

class TdxNavBarCustomViewInfo : public TObject {
  SONVELT_CLASS(TdxNavBarCustomViewInfo, TObject)
public:
  using TCreateArg = TdxNavBarPainter*;
  explicit TdxNavBarCustomViewInfo(TdxNavBarPainter* APainter);
  TdxNavBarPainter* GetPainter() const { return FPainter; }
  TdxCustomNavBar* GetNavBar() const { return FNavBar; }
  double GetScaleFactor() const { return FScaleFactor; }
  // N times the scale factor, halves to even.
  int ScaleValue(int N) const;

private:
  TdxNavBarPainter* FPainter;
  TdxCustomNavBar* FNavBar;
  double FScaleFactor = 1.0;
};

class TdxNavBarViewInfo;
class TdxNavBarGroupViewInfo;
class TdxNavBarLinkViewInfo;

class TdxNavBarCustomItemViewInfo : public TdxNavBarCustomViewInfo {
  SONVELT_CLASS(TdxNavBarCustomItemViewInfo, TdxNavBarCustomViewInfo)
public:
  TdxNavBarCustomItemViewInfo(TdxNavBarViewInfo* AViewInfo, bool ACaptionVisible, bool AImageVisible);
  ~TdxNavBarCustomItemViewInfo() override;
  TdxNavBarViewInfo* GetViewInfo() const { return FViewInfo; }

  // The group or the item.
  virtual TdxNavBarCustomItem* GetNavBarItem() const = 0;
  virtual TCustomImageList* GetImageList();
  virtual TdxNavBarObjectStates GetState() = 0;
  virtual bool UseDisabledImages();
  virtual bool UseHotImages();
  virtual bool UseLargeImages() = 0;
  virtual void OffsetBounds(int DX, int DY);
  virtual int GetImageIndex();

  // At design time a Size x Size square in the last 20 pixels of R; else empty.
  void CalculateDesignRect(const RECT& R, int Size);
  bool IsEnabled() { return !(GetState() & nsDisabled); }
  bool IsFocused() { return (GetState() & nsFocused) != 0; }
  bool IsHighlighted() { return (GetState() & 0x39) != 0; }
  bool IsCaptionVisibleFlag() const { return FCaptionVisible; }
  bool IsImageVisibleFlag() const { return FImageVisible; }

  RECT CaptionRect{};
  RECT DesignRect{};
  RECT ImageRect{};
  RECT FocusRect{};
  RECT Rect{};

protected:
  TFont* CaptionFontObject() const { return FCaptionFont.get(); }

private:
  TOwned<TFont> FCaptionFont;
  bool FCaptionVisible;
  bool FImageVisible;
  TdxNavBarViewInfo* FViewInfo;
};

class TdxNavBarGroupViewInfo : public TdxNavBarCustomItemViewInfo {
  SONVELT_CLASS(TdxNavBarGroupViewInfo, TdxNavBarCustomItemViewInfo)
public:
  TdxNavBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup, bool ACaptionVisible,
                         bool AItemsVisible);
  void AfterConstruction() override;
  ~TdxNavBarGroupViewInfo() override;

  TdxNavBarGroup* GetGroup() const { return FGroup; }
  TdxNavBarCustomItem* GetNavBarItem() const override;
  TdxNavBarObjectStates GetState() override;
  bool UseLargeImages() override;
  void OffsetBounds(int DX, int DY) override;

  virtual void CreateLinkViewInfos();
  virtual void GetControlRect(RECT& R);
  virtual void UpdateControlBounds();
  virtual void RecreateLinkViewInfos();
  virtual void CalculateBounds(int X, int& Y);
  virtual void StretchBounds(int DX, int DY);
  virtual int GetCaptionHeight();
  virtual UINT GetCaptionFlags();
  virtual int GetImageHeight();
  virtual int GetImageWidth();
  virtual TColor GetBorderColor();
  virtual TPicture* GetBackgroundImage();
  virtual TColor GetBackgroundBackColor();
  virtual TColor GetBackgroundBackColor2();
  virtual std::uint8_t GetBackgroundAlphaBlending();
  virtual std::uint8_t GetBackgroundAlphaBlending2();
  virtual TdxBarStyleGradientMode GetBackgroundGradientMode();
  virtual TdxNavBarStyleItem* GetCaptionStyleItem();
  virtual TdxNavBarBaseStyle* GetCaptionDefaultStyle();
  virtual TPicture* GetCaptionImage();
  virtual TColor GetCaptionBorderColor() { return clNone; }
  virtual TColor GetCaptionBackColor();
  virtual TColor GetCaptionBackColor2();
  virtual std::uint8_t GetCaptionAlphaBlending();
  virtual std::uint8_t GetCaptionAlphaBlending2();
  virtual TdxBarStyleGradientMode GetCaptionGradientMode();
  virtual TFont* GetCaptionFont();
  virtual TColor GetCaptionFontColor();
  virtual TColor GetCaptionSignColor() { return GetCaptionFontColor(); }
  virtual TdxBarStyleHAlignment GetCaptionHAlignment();
  virtual TdxBarStyleVAlignment GetCaptionVAlignment();
  virtual TPicture* GetControlImage();
  virtual TColor GetControlBackColor();
  virtual TColor GetControlBackColor2();
  virtual std::uint8_t GetControlAlphaBlending();
  virtual std::uint8_t GetControlAlphaBlending2();
  virtual TdxBarStyleGradientMode GetControlGradientMode();

  int LinkCount() const { return static_cast<int>(FLinks.size()); }
  TdxNavBarLinkViewInfo* Links(int Index) const { return FLinks.at(static_cast<size_t>(Index)).get(); }
  int IndexOfLink(const TdxNavBarLinkViewInfo* Link) const;
  TdxNavBarLinkViewInfo* GetLinkViewInfoByLink(const TdxNavBarItemLink* Link) const;
  bool IsCaptionVisible();
  bool IsItemsVisible();
  bool IsIconView();
  bool UseSmallLinkImages();
  class TdxNavBarGroupControl* GetControl();
  TdxNavBarStyleValues CaptionValues();
  TdxNavBarStyleValues BackgroundValues();
  TdxNavBarStyleValues ControlValues();

  RECT SignRect{};
  RECT CaptionTextRect{};
  RECT ClientRect{};

protected:
  void AddLink(TdxNavBarItemLink* Link, bool CaptionVisible, bool ImageVisible);
  void ClearLinks() { FLinks.clear(); }

private:
  TdxNavBarGroup* FGroup;
  bool FItemsVisible;
  std::vector<TOwned<TdxNavBarLinkViewInfo>> FLinks;
};

class TdxNavBarLinkViewInfo : public TdxNavBarCustomItemViewInfo {
  SONVELT_CLASS(TdxNavBarLinkViewInfo, TdxNavBarCustomItemViewInfo)
public:
  TdxNavBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink, bool ACaptionVisible,
                        bool AImageVisible);
  TdxNavBarGroupViewInfo* GetGroupViewInfo() const { return FGroupViewInfo; }
  TdxNavBarItemLink* GetLink() const { return FLink; }
  TdxNavBarItem* GetItem() const { return FItem; }
  TdxNavBarCustomItem* GetNavBarItem() const override;
  TdxNavBarObjectStates GetState() override;
  bool UseLargeImages() override;

  virtual void CalculateBounds(int X, int Y);
  virtual int GetCaptionHeight();
  virtual UINT GetCaptionFlags();
  virtual int GetImageHeight();
  virtual int GetImageWidth();
  virtual TdxNavBarStyleItem* GetStyleItem();
  virtual TdxNavBarBaseStyle* GetDefaultStyle();
  virtual TFont* GetFont();
  virtual TColor GetFontColor();
  virtual TColor GetSeparatorColor() { return GetFontColor(); }
  virtual void GetSelectionRect(RECT& R);
  virtual void GetSeparatorRect(RECT& R);

private:
  TdxNavBarGroupViewInfo* FGroupViewInfo;
  TdxNavBarItemLink* FLink;
  TdxNavBarItem* FItem;
};

// Lays out one link of a plain item.
class TdxNavBarItemCalculator {
public:
  static void CalculateBounds(int X, int Y, TdxNavBarLinkViewInfo* L);
};

class TdxNavBarViewInfo : public TdxNavBarCustomViewInfo {
  SONVELT_CLASS(TdxNavBarViewInfo, TdxNavBarCustomViewInfo)
public:
  explicit TdxNavBarViewInfo(TdxNavBarPainter* APainter);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  ~TdxNavBarViewInfo() override;

  // ---- non-virtual
  TdxNavBarGroupViewInfo* GetActiveGroupViewInfo();
  TdxNavBarGroupViewInfo* GetGroupViewInfoByGroup(const TdxNavBarGroup* Group) const;
  TdxNavBarLinkViewInfo* GetLinkViewInfoByLink(const TdxNavBarItemLink* Link) const;
  int IndexOfGroupViewInfo(const TdxNavBarGroupViewInfo* G) const;
  int GroupCount() const { return static_cast<int>(FGroups.size()); }
  TdxNavBarGroupViewInfo* Groups(int Index) const { return FGroups.at(static_cast<size_t>(Index)).get(); }
  TdxNavBarGroupViewInfo* GetGroupViewInfoAtPos(POINT P) const;
  bool IsTopScrollButtonVisible() const;
  bool IsBottomScrollButtonVisible() const;
  bool IsPtTopScrollButton(POINT P) const;
  bool IsPtBottomScrollButton(POINT P) const;
  TdxNavBarObjectStates GetTopScrollButtonState();
  TdxNavBarObjectStates GetBottomScrollButtonState();
  int LargeImageHeight();
  int LargeImageWidth();
  int SmallImageHeight();
  int SmallImageWidth();
  int ClientHeight();
  int ClientWidth();
  int GetSpaceBetweenGroups();
  UINT GetNavigationPaneHeaderTextFlags();
  TdxNavBarGroupViewInfo* AddGroup(TdxNavBarGroup* Group, bool CaptionVisible, bool ItemsVisible);
  void RemoveGroup(TdxNavBarGroupViewInfo* G);
  void ClearGroups() { FGroups.clear(); }
  void CalculateBounds();
  TdxNavBarGroup* GetGroupAtCaptionPos(POINT P);
  TdxNavBarGroup* GetGroupAtItemsPos(POINT P);
  TdxNavBarItemLink* GetLinkAtSelectedPos(POINT P);
  int GetDragTarget(POINT P, TdxNavBarGroup*& Group, TdxNavBarItemLink*& PrevLink, TdxNavBarItemLink*& NextLink);

  // ---- colour hooks
  virtual void CreateColors() {}
  virtual void RefreshColors() {}
  virtual void ReleaseColors() {}
  // ---- metrics
  virtual void GetGroupEdges(RECT& R) { R = RECT{}; }
  virtual int GroupCaptionHeightAddon() { return 6; }
  virtual int GroupCaptionImageSpacing() { return 4; }
  virtual int GroupCaptionImageIndent() { return 0; }
  virtual int GroupSpacing() { return 0; }
  virtual void GetGroupSignSize(SIZE& S) { S = SIZE{16, 16}; }
  virtual void GetGroupsOffset(POINT& P) { P = POINT{0, 0}; }
  virtual int LinksVertIndent() { return 8; }
  virtual int LargeLinkVertPadding() { return 6; }
  virtual int SmallLinkVertPadding() { return 6; }
  virtual int ViewMetric13() { return 4; }
  virtual void GetLinkImageEdges(RECT& R) { R = RECT{4, 4, 4, 4}; }
  virtual int DropTargetMarkHeight() { return 8; }
  virtual int DropTargetMarkIndent() { return 6; }
  virtual int ViewMetric17() { return 8; }
  virtual int CollapsedWidth() { return 0; }
  virtual int MinExpandedWidth() { return 0; }
  virtual int ScrollButtonVertIndent() { return 6; }
  virtual int ScrollButtonHorzIndent() { return 6; }
  virtual int ScrollButtonHeight() { return 16; }
  virtual int ScrollButtonWidth() { return 16; }
  // ---- capabilities
  virtual bool CollapseAllowed() { return false; }
  virtual bool HasActiveGroup() { return true; }
  virtual bool CanShowSpecialGroup() { return false; }
  virtual bool ScrollButtonsInGroupCaptions() { return false; }
  virtual bool HasGroupCaptionImage() { return false; }
  virtual bool HasGroupCaptionSign() { return false; }
  virtual bool CanShowGroupsAsIconView() { return true; }
  virtual bool CanHideGroupCaptions() { return false; }
  virtual bool IsGroupClientVisible(TdxNavBarGroup* Group);
  virtual bool GroupImageWithinCaption() { return false; }
  virtual bool CanUseLargeGroupImages() { return true; }
  virtual bool CanUseLargeLinkImages() { return true; }
  virtual bool IsWholeLinkSensitive() { return false; }
  // ---- layout steps
  virtual void UpdateGroupControls();
  virtual void CorrectBounds() {}
  virtual TdxNavBarChangeType ResizeChangeType() { return ctRecalc; }
  virtual void CalculateTopScrollButtonRect(RECT& R);
  virtual void CalculateBottomScrollButtonRect(RECT& R);
  virtual void CreateGroupViewInfos();
  virtual void CalculateGroupsBounds(int X, int Y);
  // ---- group behaviour
  virtual bool IsGroupExpanded(TdxNavBarGroup* Group) { return false; }
  virtual void ToggleGroup(TdxNavBarGroup* Group);
  virtual void ExpandGroup(TdxNavBarGroup* Group) {}
  virtual void CollapseGroup(TdxNavBarGroup* Group) {}
  virtual void MakeLinkVisible(TdxNavBarItemLink* Link, bool AtTop = false) {}
  virtual void MakeGroupVisible(TdxNavBarGroup* Group, bool Expand = true, bool AtTop = false) {}
  virtual void CreateInfo();
  virtual void CalculateScrollButtons();
  virtual void ClearRects();
  // ---- appearance
  TdxNavBarStyleValues BackgroundValues();
  virtual TPicture* GetBackgroundImage();
  virtual TColor GetBackgroundBackColor();
  virtual TColor GetBackgroundBackColor2();
  virtual std::uint8_t GetBackgroundAlphaBlending();
  virtual std::uint8_t GetBackgroundAlphaBlending2();
  virtual TdxBarStyleGradientMode GetBackgroundGradientMode();
  virtual TColor GetBorderColor() { return clNone; }
  virtual TdxNavBarStyleItem* GetBottomScrollButtonStyleItem();
  virtual TdxNavBarBaseStyle* GetBottomScrollButtonDefaultStyle();
  virtual TdxNavBarStyleItem* GetTopScrollButtonStyleItem();
  virtual TdxNavBarBaseStyle* GetTopScrollButtonDefaultStyle();
  virtual TdxNavBarStyleValues BottomScrollButtonValues();
  virtual TdxNavBarStyleValues TopScrollButtonValues();
  TdxNavBarStyleValues HintValues();
  virtual TFont* GetHintFont();
  virtual TColor GetDropTargetLinkColor();
  TdxNavBarStyleValues DropTargetGroupValues();
  TdxNavBarStyleValues NavigationPaneHeaderValues();
  virtual TFont* GetNavigationPaneHeaderFont();
  // ---- default-style providers
  virtual void AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultButtonStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultButtonPressedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultButtonHotTrackedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupControlStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupHeaderActiveHotTrackedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupHeaderActivePressedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupHeaderHotTrackedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultGroupHeaderPressedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultHintStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultItemStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultItemPressedStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultDropTargetGroupStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultDropTargetLinkStyle(TdxNavBarBaseStyle* S);
  virtual void AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S);
  // Runs the provider of default style Index (index 4 the group background, 5 the group control).
  void AssignDefaultStyle(int Index, TdxNavBarBaseStyle* S);
  // ---- hit tests
  virtual TdxNavBarGroupViewInfo* GetGroupViewInfoAtCaptionPos(POINT P);
  virtual TdxNavBarGroupViewInfo* GetGroupViewInfoAtItemsPos(POINT P);
  virtual TdxNavBarLinkViewInfo* GetLinkViewInfoAtPos(POINT P);
  virtual TdxNavBarLinkViewInfo* GetLinkViewInfoAtSelectedPos(POINT P);
  virtual TdxNavBarItemLink* GetLinkAtPos(POINT P);
  virtual int GetViewInfoAtDragPosition(POINT P, TdxNavBarGroupViewInfo*& G, TdxNavBarLinkViewInfo*& Next,
                                        TdxNavBarLinkViewInfo*& Prev);
  virtual int GetViewInfoAtDragPositionWhenIconView(POINT P, TdxNavBarGroupViewInfo*& G,
                                                    TdxNavBarLinkViewInfo*& Next, TdxNavBarLinkViewInfo*& Prev);
  virtual TdxNavBarGroup* FindGroupWithAccel(wchar_t CharCode);
  virtual TdxNavBarItemLink* FindLinkWithAccel(wchar_t CharCode);

  // The bar's style item of a slot (0 Background ... 7 NavigationPaneHeader).
  TdxNavBarStyleItem* BarStyle(int Index);
  TdxNavBarBaseStyle* DefaultStyle(int Index);

  RECT TopScrollButtonRect{};
  RECT BottomScrollButtonRect{};
  RECT HintRect{};
  std::string HintText;

private:
  std::vector<TOwned<TdxNavBarGroupViewInfo>> FGroups;
  TOwned<TFont> FHeaderFont;
};

// Whether Caption marks Char as its accelerator ("&F" for F, letter case ignored).
bool IsAccelChar(wchar_t Char, const std::string& Caption);
