// The bar's published settings in small persistent objects; each changed value
// becomes a change request of the bar. Also the cursor set and the custom-draw
// events.
#pragma once

#include <memory>

#include "framework/Canvas.h"
#include "framework/ControlTypes.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "framework/Persistent.h"
#include "suite/navbar/NavBarBase.h"
#include "suite/navbar/NavBarTypes.h"

// A persistent that belongs to one bar.
class TdxNavBarPersistent : public TPersistent {
  SONVELT_CLASS(TdxNavBarPersistent, TPersistent)
public:
  using TCreateArg = TdxCustomNavBar*;
  explicit TdxNavBarPersistent(TdxCustomNavBar* ANavBar) : FNavBar(ANavBar) {}
  TdxCustomNavBar* GetNavBar() const { return FNavBar; }
  TPersistent* GetOwner() const override;

protected:
  void Request(TdxNavBarChangeType Change);

private:
  TdxCustomNavBar* FNavBar;
};

class TdxNavBarCommonViewOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarCommonViewOptions, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool GetShowGroupCaptions() const { return FShowGroupCaptions; }
  void SetShowGroupCaptions(bool Value);
  static void Publish(TPublisher<TdxNavBarCommonViewOptions>& P);

private:
  bool FShowGroupCaptions = true;
};

class TdxNavBarExplorerBarViewOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarExplorerBarViewOptions, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool GetShowSpecialGroup() const { return FShowSpecialGroup; }
  void SetShowSpecialGroup(bool Value);
  int GetSpaceBetweenGroups() const { return FSpaceBetweenGroups; }
  void SetSpaceBetweenGroups(int Value);
  static void Publish(TPublisher<TdxNavBarExplorerBarViewOptions>& P);

private:
  bool FShowSpecialGroup = false;
  int FSpaceBetweenGroups = 0;
};

class TdxNavBarNavigationPaneViewOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarNavigationPaneViewOptions, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  int GetMaxVisibleGroups() const { return FMaxVisibleGroups; }
  void SetMaxVisibleGroups(int Value);
  bool GetOverflowPanelUseSmallImages() const { return FOverflowPanelUseSmallImages; }
  void SetOverflowPanelUseSmallImages(bool Value);
  bool GetShowActiveGroupCaptionWhenCollapsed() const { return FShowActiveGroupCaptionWhenCollapsed; }
  void SetShowActiveGroupCaptionWhenCollapsed(bool Value);
  bool GetShowHeader() const { return FShowHeader; }
  void SetShowHeader(bool Value);
  bool GetShowOverflowPanel() const { return FShowOverflowPanel; }
  void SetShowOverflowPanel(bool Value);
  static void Publish(TPublisher<TdxNavBarNavigationPaneViewOptions>& P);

private:
  int FMaxVisibleGroups = -1;
  bool FOverflowPanelUseSmallImages = true;
  bool FShowActiveGroupCaptionWhenCollapsed = false;
  bool FShowHeader = true;
  bool FShowOverflowPanel = true;
};

class TdxNavBarViewOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarViewOptions, TdxNavBarPersistent)
public:
  explicit TdxNavBarViewOptions(TdxCustomNavBar* ANavBar);
  void Assign(TPersistent* Source) override;
  TdxNavBarCommonViewOptions* GetCommon() const { return FCommon.get(); }
  TdxNavBarExplorerBarViewOptions* GetExplorerBar() const { return FExplorerBar.get(); }
  TdxNavBarNavigationPaneViewOptions* GetNavigationPane() const { return FNavigationPane.get(); }
  static void Publish(TPublisher<TdxNavBarViewOptions>& P);

private:
  TOwned<TdxNavBarCommonViewOptions> FCommon;
  TOwned<TdxNavBarExplorerBarViewOptions> FExplorerBar;
  TOwned<TdxNavBarNavigationPaneViewOptions> FNavigationPane;
};

inline constexpr TdxNavBarDragDropFlags dxNavBarDefaultDragDropFlags{fAllowDragLink, fAllowDropLink,
                                                                      fAllowDragGroup, fAllowDropGroup};

class TdxNavBarCommonBehaviorOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarCommonBehaviorOptions, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  TdxNavBarDragDropFlags GetDragDropFlags() const { return FDragDropFlags; }
  void SetDragDropFlags(TdxNavBarDragDropFlags Value) { FDragDropFlags = Value; }
  bool GetShowGroupsHint() const { return FShowGroupsHint; }
  void SetShowGroupsHint(bool Value) { FShowGroupsHint = Value; }
  bool GetShowLinksHint() const { return FShowLinksHint; }
  void SetShowLinksHint(bool Value) { FShowLinksHint = Value; }
  static void Publish(TPublisher<TdxNavBarCommonBehaviorOptions>& P);

private:
  TdxNavBarDragDropFlags FDragDropFlags = dxNavBarDefaultDragDropFlags;
  bool FShowGroupsHint = false;
  bool FShowLinksHint = false;
};

class TdxNavBarNavigationPaneBehaviorOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarNavigationPaneBehaviorOptions, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool GetAdjustWidthByPopup() const { return FAdjustWidthByPopup; }
  void SetAdjustWidthByPopup(bool Value) { FAdjustWidthByPopup = Value; }
  bool GetAllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool Value) { FAllowCustomizing = Value; }
  bool GetCollapsible() const { return FCollapsible; }
  void SetCollapsible(bool Value);
  bool GetCollapsed() const { return FCollapsed; }
  void SetCollapsed(bool Value);
  bool GetShowOverflowPanelHints() const { return FShowOverflowPanelHints; }
  void SetShowOverflowPanelHints(bool Value) { FShowOverflowPanelHints = Value; }
  static void Publish(TPublisher<TdxNavBarNavigationPaneBehaviorOptions>& P);

private:
  bool FAdjustWidthByPopup = false;
  bool FAllowCustomizing = true;
  bool FCollapsible = false;
  bool FCollapsed = false;
  bool FShowOverflowPanelHints = true;
};

class TdxNavBarSideBarBehaviorOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarSideBarBehaviorOptions, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  bool GetAllowSelectLinks() const { return FAllowSelectLinks; }
  void SetAllowSelectLinks(bool Value);
  bool GetEachGroupHasSelectedLink() const { return FEachGroupHasSelectedLink; }
  void SetEachGroupHasSelectedLink(bool Value);
  static void Publish(TPublisher<TdxNavBarSideBarBehaviorOptions>& P);

private:
  bool FAllowSelectLinks = false;
  bool FEachGroupHasSelectedLink = false;
};

class TdxNavBarBehaviorOptions : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarBehaviorOptions, TdxNavBarPersistent)
public:
  explicit TdxNavBarBehaviorOptions(TdxCustomNavBar* ANavBar);
  void Assign(TPersistent* Source) override;
  TdxNavBarCommonBehaviorOptions* GetCommon() const { return FCommon.get(); }
  TdxNavBarNavigationPaneBehaviorOptions* GetNavigationPane() const { return FNavigationPane.get(); }
  TdxNavBarSideBarBehaviorOptions* GetSideBar() const { return FSideBar.get(); }
  static void Publish(TPublisher<TdxNavBarBehaviorOptions>& P);

private:
  TOwned<TdxNavBarCommonBehaviorOptions> FCommon;
  TOwned<TdxNavBarNavigationPaneBehaviorOptions> FNavigationPane;
  TOwned<TdxNavBarSideBarBehaviorOptions> FSideBar;
};

// Six image lists, not owned; a destroyed list empties every property holding it.
class TdxNavBarImageOptions : public TdxNavBarNexusPersistent {
  SONVELT_CLASS(TdxNavBarImageOptions, TdxNavBarNexusPersistent)
public:
  enum TKind { ikDisabledLarge, ikDisabledSmall, ikHotLarge, ikHotSmall, ikLarge, ikSmall };
  explicit TdxNavBarImageOptions(TPersistent* AOwner);
  ~TdxNavBarImageOptions() override;
  void Assign(TPersistent* Source) override;
  TCustomImageList* GetList(TKind Kind) const { return FLists[Kind]; }
  void SetList(TKind Kind, TCustomImageList* Value);
  static void Publish(TPublisher<TdxNavBarImageOptions>& P);
  TNotifyEvent OnChange;

protected:
  void FreeNotification(TComponent* Component) override;

private:
  void ListChanged(TObject* Sender) { OnChange(this); }
  TCustomImageList* FLists[6] = {};
  std::unique_ptr<TChangeLink> FLinks[6];
};

class TdxNavBarCursors : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarCursors, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  TCursor GetCursor() const;
  void SetCursor(TCursor Value);
  TCursor GetDragCursor() const;
  void SetDragCursor(TCursor Value);
  TCursor GetDragCopyCursor() const { return FDragCopyCursor; }
  void SetDragCopyCursor(TCursor Value) { FDragCopyCursor = Value; }
  TCursor GetHotTrackedGroupCursor() const { return FHotTrackedGroupCursor; }
  void SetHotTrackedGroupCursor(TCursor Value) { FHotTrackedGroupCursor = Value; }
  TCursor GetHotTrackedLinkCursor() const { return FHotTrackedLinkCursor; }
  void SetHotTrackedLinkCursor(TCursor Value) { FHotTrackedLinkCursor = Value; }
  static void Publish(TPublisher<TdxNavBarCursors>& P);

private:
  TCursor FDragCopyCursor = -1119;
  TCursor FHotTrackedGroupCursor = crDefault;
  TCursor FHotTrackedLinkCursor = -1118;
};

using TdxNavBarCustomDrawEvent =
    TDelegate<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarViewInfo* AViewInfo, bool& AHandled)>;
using TdxNavBarCustomDrawGroupEvent =
    TDelegate<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarGroupViewInfo* AViewInfo, bool& AHandled)>;
using TdxNavBarCustomDrawLinkEvent =
    TDelegate<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarLinkViewInfo* AViewInfo, bool& AHandled)>;
using TdxNavBarCustomDrawGroupHintEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarGroup* AGroup,
                                                         const std::string& AHint, const RECT& R, bool& AHandled)>;
using TdxNavBarCustomDrawLinkHintEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, TdxNavBarItemLink* ALink,
                                                        const std::string& AHint, const RECT& R, bool& AHandled)>;

class TdxNavBarCustomDrawEvents : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarCustomDrawEvents, TdxNavBarPersistent)
public:
  using TdxNavBarPersistent::TdxNavBarPersistent;
  void Assign(TPersistent* Source) override;
  TdxNavBarCustomDrawEvent Background;
  TdxNavBarCustomDrawEvent BottomScrollButton;
  TdxNavBarCustomDrawEvent TopScrollButton;
  TdxNavBarCustomDrawGroupEvent GroupCaption;
  TdxNavBarCustomDrawGroupEvent GroupClientBackground;
  TdxNavBarCustomDrawGroupEvent GroupClientForeground;
  TdxNavBarCustomDrawGroupHintEvent GroupHint;
  TdxNavBarCustomDrawLinkEvent Link;
  TdxNavBarCustomDrawLinkHintEvent LinkHint;
  TdxNavBarCustomDrawEvent NavigationPaneHeader;
  TdxNavBarCustomDrawEvent NavigationPaneSplitter;
  TdxNavBarCustomDrawEvent NavigationPaneOverflowPanel;
  TdxNavBarCustomDrawGroupHintEvent NavigationPaneOverflowPanelHint;
  static void Publish(TPublisher<TdxNavBarCustomDrawEvents>& P);
};
