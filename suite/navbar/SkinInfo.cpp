#include "suite/navbar/SkinInfo.h"

#include <cstdlib>

#include "framework/Bitmap.h"

TdxSkinInfo::TdxSkinInfo(TdxSkin* ASkin) : FSkin(ASkin) {
  if (FSkin) FSkin->AddListener(this);
}

TdxSkinInfo::~TdxSkinInfo() {
  if (FSkin) {
    FSkin->RemoveListener(this);
    FreeAndNil(FSkin);
  }
}

TdxSkinControlGroup* TdxSkinInfo::GroupByName(const std::string& Name) {
  if (!FSkin) return nullptr;
  TdxSkinControlGroup* G = FSkin->GroupByName(Name);
  if (G) {
    G->UsageMark = 1;
    return G;
  }
  FSkin->BeginUpdate();
  G = FSkin->AddGroup(Name);
  G->UsageMark = 2;
  FSkin->EndUpdateQuietly();
  ++FPlaceholders;
  return G;
}

TdxSkinElement* TdxSkinInfo::ElementByName(TdxSkinControlGroup* Group, const std::string& Name, bool Allow) {
  if (!Group) return nullptr;
  TdxSkinElement* E = Group->ElementByName(Name);
  if (E) {
    E->UsageMark = 1;
    return E;
  }
  if (!Allow) return nullptr;
  FSkin->BeginUpdate();
  E = Group->AddElement(Name);
  E->UsageMark = 2;
  E->GetImage()->SetStates(1u << esNormal);
  E->GetImage()->SetStretch(smStretch);
  // White with two red diagonals of width 2, corner to corner.
  TBitmap* B = TBitmap::Create();
  B->SetPixelFormat(pf32bit);
  B->SetSize(32, 32);
  for (int Y = 0; Y < 32; ++Y) {
    auto* Row = static_cast<std::uint32_t*>(B->ScanLine(Y));
    for (int X = 0; X < 32; ++X) {
      bool Cross = std::abs(X - Y) <= 1 || std::abs(X + Y - 31) <= 1;
      Row[X] = Cross ? 0xFFFF0000u : 0xFFFFFFFFu;
    }
  }
  E->GetImage()->GetPicture()->TakeFrom(B);
  Free(B);
  FSkin->EndUpdateQuietly();
  ++FPlaceholders;
  return E;
}

TColor TdxSkinInfo::ColorOf(TdxSkinPersistent* Owner, const std::string& Name) {
  auto* C = Owner ? dynamic_cast<TdxSkinColor*>(Owner->PropertyByName(Name)) : nullptr;
  if (!C) return clDefault;
  C->UsageMark = 1;
  return C->GetValue();
}

int TdxSkinInfo::IntegerOf(TdxSkinPersistent* Owner, const std::string& Name, int Default) {
  auto* P = Owner ? dynamic_cast<TdxSkinIntegerProperty*>(Owner->PropertyByName(Name)) : nullptr;
  if (!P) return Default;
  P->UsageMark = 1;
  return P->GetValue();
}

void TdxSkinInfo::InitializeElements() {
  FPlaceholders = 0;
  if (!FSkin) return;
  TdxSkinControlGroup* NavBar = GroupByName("NavBar");
  TdxSkinControlGroup* NavPane = GroupByName("NavPane");
  TdxSkinControlGroup* Bars = GroupByName("Bars");
  TdxSkinControlGroup* Common = GroupByName("Common");
  NavBarBackground = ElementByName(NavBar, "Background");
  NavBarGroupClient = ElementByName(NavBar, "GroupClient");
  NavBarItem = ElementByName(NavBar, "Item");
  NavBarGroupHeader = ElementByName(NavBar, "GroupHeader");
  NavBarGroupCloseButton = ElementByName(NavBar, "GroupCloseButton");
  NavBarGroupOpenButton = ElementByName(NavBar, "GroupOpenButton");
  NavPaneCollapseButton = ElementByName(NavPane, "CollapseButton");
  NavPaneCollapsedGroupClient = ElementByName(NavPane, "CollapsedGroupClient");
  NavPaneExpandButton = ElementByName(NavPane, "ExpandButton");
  NavPanePopupBorder = ElementByName(NavPane, "PopupBorder");
  NavPanePopupSizeGrip = ElementByName(NavPane, "PopupSizeGrip");
  NavPaneGroupButton = ElementByName(NavPane, "GroupButton");
  NavPaneGroupButtonSelected = ElementByName(NavPane, "GroupButtonSelected");
  NavPaneCaption = ElementByName(NavPane, "Caption");
  NavPaneCaptionHeight = IntegerOf(NavPaneCaption, "Height");
  NavPaneCaptionFontSize = IntegerOf(NavPaneCaption, "FontSize");
  NavPaneSplitter = ElementByName(NavPane, "Splitter");
  NavPaneScrollUpButton = ElementByName(NavPane, "ScrollUpButton");
  NavPaneScrollDownButton = ElementByName(NavPane, "ScrollDownButton");
  NavPaneOverflowPanel = ElementByName(NavPane, "OverflowPanel");
  NavPaneOverflowPanelItem = ElementByName(NavPane, "OverflowPanelItem");
  NavPaneOverflowPanelExpandItem = ElementByName(NavPane, "OverflowPanelExpandItem");
  NavPaneGroupClient = ElementByName(NavPane, "GroupClient");
  NavPaneItem = ElementByName(NavPane, "Item");
  NavPaneItemSelected = ElementByName(NavPane, "ItemSelected");
  BarsPopupMenu = ElementByName(Bars, "PopupMenu");
  BarsPopupMenuLinkSelected = ElementByName(Bars, "PopupMenuLinkSelected");
  BarsPopupMenuSeparator = ElementByName(Bars, "PopupMenuSeparator");
  BarsPopupMenuSideStrip = ElementByName(Bars, "PopupMenuSideStrip");
  TdxSkinElement* Button = ElementByName(Common, "ScrollButton");
  ScrollInfo[0][1] = {Button, 0};
  ScrollInfo[0][2] = {Button, 1};
  ScrollInfo[1][1] = {Button, 2};
  ScrollInfo[1][2] = {Button, 3};
  ScrollInfo[0][3] = {ElementByName(Common, "ScrollThumbVert"), 0};
  ScrollInfo[0][4] = ScrollInfo[0][5] = {ElementByName(Common, "ScrollContentVert"), 0};
}

void TdxNavBarSkinInfo::InitializeElements() {
  TdxSkinInfo::InitializeElements();
  if (!GetSkin()) return;
  TdxSkinControlGroup* NavBar = GroupByName("NavBar");
  NavBarDragDropItemTarget = ElementByName(NavBar, "DragDropItemTarget");
  NavBarSeparator = ElementByName(NavBar, "Separator");
}
