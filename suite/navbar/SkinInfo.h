// Binds a skin's groups, elements and colours by name for painting: missing
// groups and elements are made on the spot as visible placeholders (a red cross),
// and the binding is made again after every change of the skin. A skin info owns
// its skin.
#pragma once

#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "suite/navbar/Skin.h"

struct TdxSkinScrollInfo {
  TdxSkinElement* Element = nullptr;
  int ImageIndex = 0;
};

class TdxSkinInfo : public TObject, public IdxSkinChangeListener {
  SONVELT_CLASS(TdxSkinInfo, TObject)
public:
  // Takes the skin.
  explicit TdxSkinInfo(TdxSkin* ASkin);
  ~TdxSkinInfo() override;
  TdxSkin* GetSkin() const { return FSkin; }
  void SkinChanged(TdxSkin* Skin) override { Refresh(); }

  virtual void InitializeElements();
  virtual void FinalizeElements() {}
  void Refresh() {
    FinalizeElements();
    InitializeElements();
  }

  // The group, marked used; a missing one is added as a placeholder (mark 2).
  TdxSkinControlGroup* GroupByName(const std::string& Name);
  // The element, marked used; a missing one is added as a red-cross placeholder when allowed.
  TdxSkinElement* ElementByName(TdxSkinControlGroup* Group, const std::string& Name, bool AllowPlaceholder = true);
  // The colour property of Owner (a group or an element) of that name; clDefault when none.
  TColor ColorOf(TdxSkinPersistent* Owner, const std::string& Name);
  int IntegerOf(TdxSkinPersistent* Owner, const std::string& Name, int Default = 0);
  // How many placeholders the last binding made.
  int PlaceholderCount() const { return FPlaceholders; }

  // The bound elements of the navigation bar's views.
  TdxSkinElement *NavBarBackground = nullptr, *NavBarGroupClient = nullptr, *NavBarItem = nullptr,
                 *NavBarGroupHeader = nullptr, *NavBarGroupCloseButton = nullptr, *NavBarGroupOpenButton = nullptr;
  TdxSkinElement *NavPaneCollapseButton = nullptr, *NavPaneCollapsedGroupClient = nullptr,
                 *NavPaneExpandButton = nullptr, *NavPanePopupBorder = nullptr, *NavPanePopupSizeGrip = nullptr,
                 *NavPaneGroupButton = nullptr, *NavPaneGroupButtonSelected = nullptr, *NavPaneCaption = nullptr,
                 *NavPaneSplitter = nullptr, *NavPaneScrollUpButton = nullptr, *NavPaneScrollDownButton = nullptr,
                 *NavPaneOverflowPanel = nullptr, *NavPaneOverflowPanelItem = nullptr,
                 *NavPaneOverflowPanelExpandItem = nullptr, *NavPaneGroupClient = nullptr, *NavPaneItem = nullptr,
                 *NavPaneItemSelected = nullptr;
  TdxSkinElement *BarsPopupMenu = nullptr, *BarsPopupMenuLinkSelected = nullptr, *BarsPopupMenuSeparator = nullptr,
                 *BarsPopupMenuSideStrip = nullptr;
  int NavPaneCaptionHeight = 0, NavPaneCaptionFontSize = 0;
  // Row 0 vertical, 1 horizontal; columns 1 to 5: arrow buttons, thumb, track.
  TdxSkinScrollInfo ScrollInfo[2][6];

protected:
  int FPlaceholders = 0;

private:
  TdxSkin* FSkin;
};

class TdxNavBarSkinInfo : public TdxSkinInfo {
  SONVELT_CLASS(TdxNavBarSkinInfo, TdxSkinInfo)
public:
  using TdxSkinInfo::TdxSkinInfo;
  void InitializeElements() override;
  TdxSkinElement *NavBarDragDropItemTarget = nullptr, *NavBarSeparator = nullptr;
};
