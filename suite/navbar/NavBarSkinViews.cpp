#include "suite/navbar/NavBarSkinViews.h"

#include <algorithm>

#include "suite/common/Office11Colors.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/UxTheme.h"
#include "suite/common/dxGdiPlusApi.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarViewUnits.h"
#include "suite/navbar/NavBarViewsFactory.h"

namespace {
std::string DefaultScheme = "Blue";
const char* const Schemes[] = {"Blue", "Black", "Silver"};
RECT Grown(RECT R, const RECT& M) { return RECT{R.left - M.left, R.top - M.top, R.right + M.right, R.bottom + M.bottom}; }
bool IsEmpty(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }
}  // namespace

const std::string& Office12DefaultColorScheme() { return DefaultScheme; }

bool DrawSkinElement(TcxCanvas* Canvas, TdxSkinElement* Element, RECT R, TdxSkinElementState State, int ImageIndex,
                     bool Grow) {
  if (!Element) return false;
  Canvas->PushClipRegion();
  Canvas->IntersectClip(R);
  if (Grow) R = Grown(R, Element->ContentMargins());
  Element->Draw(Canvas->DeviceContext(), R, State, ImageIndex);
  Canvas->PopClipRegion();
  return true;
}

bool DrawSkinDropMark(TcxCanvas* Canvas, TdxSkinElement* Element, TdxNavBarLinkViewInfo* Before,
                      TdxNavBarLinkViewInfo* After) {
  if (!Element || (!Before && !After)) return false;
  int H = Element->GetImage()->CellSize().cy;
  RECT R = Before ? Before->Rect : After->Rect;
  if (Before) R.top = R.bottom - H;
  else R.bottom = R.top + H;
  return DrawSkinElement(Canvas, Element, R, esNormal);
}

TdxSkinElementState SkinStateOf(TdxNavBarObjectStates S) {
  if (S & nsPressed) return esPressed;
  if (S & nsHotTracked) return esHot;
  if (S & nsDisabled) return esDisabled;
  return esNormal;
}

TdxSkinElementState SkinStateOfPaintState(int PaintState) {
  switch (PaintState) {
    case 1: return esHot;
    case 2: return esPressed;
    case 3: return esChecked;
    case 4: return esHotCheck;
    case 5: return esDroppedDown;
    default: return esNormal;
  }
}

// ---- helpers

void TdxNavBarSkinBasedPainterHelper::SetName(const std::string& Value) {
  if (Value == FName) return;
  FSkinInfo.reset();
  FTried = false;
  FName = Value;
  OnChanged(this);
}

TdxNavBarSkinInfo* TdxNavBarSkinBasedPainterHelper::GetSkinInfo() {
  if (!FSkinInfo && !FTried && EnsureGdiPlusLoaded()) {
    FTried = true;
    TdxNavBarSkin* Skin = TdxNavBarSkin::Create(GetSkinName());
    try {
      Skin->LoadFromResource(GetModuleHandleW(nullptr));
    } catch (...) {
      Free(Skin);
      throw;
    }
    FSkinInfo.reset(TdxNavBarSkinInfo::Create(Skin));
    FSkinInfo->InitializeElements();
  }
  return FSkinInfo.get();
}

TdxSkinElement* TdxNavBarSkinBasedPainterHelper::NavBarDragDropItemTarget() {
  TdxNavBarSkinInfo* I = GetSkinInfo();
  return I ? I->NavBarDragDropItemTarget : nullptr;
}

TdxSkinElement* TdxNavBarSkinBasedPainterHelper::NavBarSeparator() {
  TdxNavBarSkinInfo* I = GetSkinInfo();
  return I ? I->NavBarSeparator : nullptr;
}

std::string TdxNavBarOffice12PainterHelper::ColorSchemeNameAt(int Index) {
  return Index >= 0 && Index < 3 ? Schemes[Index] : std::string();
}

void TdxNavBarOffice12PainterHelper::SetName(const std::string& Value) {
  if (std::find(std::begin(Schemes), std::end(Schemes), Value) == std::end(Schemes))
    throw EdxSkin("Unknown colour scheme: " + Value);
  DefaultScheme = Value;
  TdxNavBarSkinBasedPainterHelper::SetName(Value);
}

TdxSkinElement* TdxNavBarVistaPainterHelper::NavBarBackground() {
  return UxIsThemeActive() ? TdxNavBarSkinBasedPainterHelper::NavBarBackground() : nullptr;
}
TdxSkinElement* TdxNavBarVistaPainterHelper::NavBarGroupHeader() {
  return UxIsThemeActive() ? TdxNavBarSkinBasedPainterHelper::NavBarGroupHeader() : nullptr;
}
TdxSkinElement* TdxNavBarVistaPainterHelper::NavBarItem() {
  return UxIsThemeActive() ? TdxNavBarSkinBasedPainterHelper::NavBarItem() : nullptr;
}

// ---- explorer bars

namespace {
TdxNavBarSkinBasedPainterHelper* HelperOf(TdxNavBarPainter* P) {
  if (auto* E = dynamic_cast<TdxNavBarSkinBasedExplorerBarPainter*>(P)) return E->PainterHelper();
  if (auto* N = dynamic_cast<TdxNavBarSkinBasedNavPanePainter*>(P)) return N->PainterHelper();
  return nullptr;
}
}  // namespace

TdxSkinScrollInfo TdxNavBarcxOffice12ScrollBar::EntryOf(TcxScrollBarPaintPart Part) const {
  auto* Bar = dynamic_cast<TdxCustomNavBar*>(GetParent());
  TdxNavBarSkinBasedPainterHelper* H = Bar && Bar->HasPainter() ? HelperOf(Bar->GetPainter()) : nullptr;
  TdxNavBarSkinInfo* S = H ? H->GetSkinInfo() : nullptr;
  if (!S || Part < sppLineUp || Part > sppPageDown) return {};
  return S->ScrollInfo[GetKind() == sbVertical ? 0 : 1][Part];
}

void TdxNavBarcxOffice12ScrollBar::DrawPart(TcxCanvas* Canvas, const RECT& R, TcxPaintButtonState State,
                                             TcxScrollBarPaintPart Part) {
  // Without a thumb the whole bar is track.
  TdxSkinScrollInfo E = EntryOf(Part == sppThumb && !GetViewInfo()->HasThumb() ? sppPageUp : Part);
  TdxSkinElementState S = State == pbsHot ? esHot : State == pbsPressed ? esPressed : State == pbsDisabled ? esDisabled
                                                                                                           : esNormal;
  if (!DrawSkinElement(Canvas, E.Element, R, S, E.ImageIndex)) TcxControlScrollBar::DrawPart(Canvas, R, State, Part);
}

int TdxNavBarcxOffice12ScrollBar::MinThumbSize() const {
  TdxSkinElement* Thumb = EntryOf(sppThumb).Element;
  if (!Thumb) return TcxControlScrollBar::MinThumbSize();
  SIZE C = Thumb->GetImage()->CellSize();
  return GetKind() == sbVertical ? C.cy : C.cx;
}

void TdxNavBarcxOffice12ScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // The skin loads after the bar is made: take the thumb's size whenever the bar is placed.
  GetViewInfo()->MinThumbLength = MinThumbSize();
  TcxControlScrollBar::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TdxNavBarSkinBasedExplorerBarViewInfo::GetGroupEdges(RECT& R) {
  TdxNavBarSkinBasedPainterHelper* H = HelperOf(GetPainter());
  TdxSkinElement* E = H ? H->NavBarGroupClient() : nullptr;
  R = E ? E->ContentMargins() : RECT{};
}

TColor TdxNavBarSkinBasedExplorerBarGroupViewInfo::GetCaptionFontColor() {
  TdxNavBarSkinBasedPainterHelper* H = HelperOf(GetPainter());
  TdxSkinElement* E = H ? H->NavBarGroupHeader() : nullptr;
  return E ? E->GetTextColor() : TdxNavBarOffice11ExplorerBarGroupViewInfo::GetCaptionFontColor();
}

TColor TdxNavBarSkinBasedExplorerBarLinkViewInfo::GetFontColor() {
  TdxNavBarSkinBasedPainterHelper* H = HelperOf(GetPainter());
  TdxSkinElement* E = H ? H->NavBarItem() : nullptr;
  return E ? E->GetTextColor() : TdxNavBarOffice3LinkViewInfo::GetFontColor();
}

TdxNavBarSkinBasedExplorerBarPainter::TdxNavBarSkinBasedExplorerBarPainter(TdxCustomNavBar* ANavBar)
    : TdxNavBarOffice11ExplorerBarPainter(ANavBar) {}

void TdxNavBarSkinBasedExplorerBarPainter::AfterConstruction() {
  FHelper.reset(CreatePainterHelper());
  FHelper->OnChanged = Bind(this, &TdxNavBarSkinBasedExplorerBarPainter::HelperChanged);
  TdxNavBarOffice11ExplorerBarPainter::AfterConstruction();
}

TdxNavBarSkinBasedExplorerBarPainter::~TdxNavBarSkinBasedExplorerBarPainter() {
  if (FHelper) FHelper->OnChanged = TNotifyEvent();
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedExplorerBarPainter::CreatePainterHelper() {
  std::string N = GetInitialSkinName();
  return TdxNavBarSkinBasedPainterHelper::Create(&N);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupBorder(TdxNavBarGroupViewInfo* G) {
  if (!DrawSkinElement(GetcxCanvas(), FHelper->NavBarGroupClient(), G->ClientRect, esNormal))
    TdxNavBarOffice11ExplorerBarPainter::DrawGroupBorder(G);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) {
  if (!DrawSkinElement(GetcxCanvas(), FHelper->NavBarGroupHeader(), G->CaptionRect, SkinStateOf(G->GetState()), 0,
                       ExtendsGroupCaption(G)))
    TdxNavBarOffice11ExplorerBarPainter::DrawGroupCaptionButton(G);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupCaptionSign(TdxNavBarGroupViewInfo* G) {
  TdxSkinElement* E = FHelper->NavBarGroupSign(G->GetGroup()->GetExpanded());
  if (!E) {
    TdxNavBarOffice11ExplorerBarPainter::DrawGroupCaptionSign(G);
    return;
  }
  if (G->GetGroup()->GetShowExpandButton()) DrawSkinElement(GetcxCanvas(), E, G->SignRect, SkinStateOf(G->GetState()));
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawSeparator(TdxNavBarLinkViewInfo* L) {
  if (!DrawSkinElement(GetcxCanvas(), FHelper->NavBarSeparator(), L->Rect, esNormal))
    TdxNavBarOffice11ExplorerBarPainter::DrawSeparator(L);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawDropTargetLinkMark(TdxNavBarGroupViewInfo* G,
                                                                  TdxNavBarLinkViewInfo* Before,
                                                                  TdxNavBarLinkViewInfo* After) {
  if (!DrawSkinDropMark(GetcxCanvas(), FHelper->NavBarDragDropItemTarget(), Before, After))
    TdxNavBarOffice11ExplorerBarPainter::DrawDropTargetLinkMark(G, Before, After);
}

void TdxNavBarSkinBasedExplorerBarPainter::DrawGroupControlSplitter(TdxNavBarGroupViewInfo* G) {
  auto* E = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(G);
  if (E && !IsEmpty(E->ControlSplitterRect) &&
      DrawSkinElement(GetcxCanvas(), FHelper->Info(&TdxSkinInfo::NavPaneSplitter), E->ControlSplitterRect, esNormal,
                      0, true))
    return;
  TdxNavBarOffice11ExplorerBarPainter::DrawGroupControlSplitter(G);
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarOffice12ExplorerBarPainter::CreatePainterHelper() {
  std::string N = GetInitialSkinName();
  return TdxNavBarOffice12PainterHelper::Create(&N);
}

void TdxNavBarOffice12ExplorerBarPainter::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TdxNavBarOffice12ExplorerBarPainter*>(Source)) SetColorSchemeName(S->GetColorSchemeName());
  else TdxNavBarSkinBasedExplorerBarPainter::Assign(Source);
}

SONVELT_PUBLISHED(TdxNavBarOffice12ExplorerBarPainter, P) {
  using B = TdxNavBarOffice12ExplorerBarPainter;
  P.String("ColorSchemeName", &B::GetColorSchemeName, &B::SetColorSchemeName);
}

bool TdxNavBarOffice12ExplorerBarPainter::ExtendsGroupCaption(TdxNavBarGroupViewInfo* G) {
  return GetViewInfo()->GroupCount() > 0 && GetViewInfo()->Groups(0) == G;
}

// ---- Vista

void TdxNavBarVistaExplorerBarViewInfo::GetGroupsOffset(POINT& P) {
  P = UxIsThemeActive() ? POINT{1, 1} : POINT{0, 0};
}

void TdxNavBarVistaExplorerBarViewInfo::AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S) {
  TdxNavBarExplorerBarViewInfo::AssignDefaultItemHotTrackedStyle(S);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() - fsUnderline);
}

namespace {
bool Highlighted(TdxNavBarObjectStates S) { return (S & 0x38) != 0; }
}  // namespace

TColor TdxNavBarVistaExplorerBarGroupViewInfo::GetCaptionBackColor() {
  TdxNavBarObjectStates S = GetState();
  return (S & nsPressed) ? clHotLight : Highlighted(S) ? clActiveCaption : clWindow;
}
TColor TdxNavBarVistaExplorerBarGroupViewInfo::GetCaptionBackColor2() { return GetCaptionBackColor(); }

TFont* TdxNavBarVistaExplorerBarGroupViewInfo::GetCaptionFont() {
  TFont* F = TdxNavBarExplorerBarGroupViewInfo::GetCaptionFont();
  F->SetStyle(F->GetStyle() - fsBold);
  F->SetName("Segoe UI");
  return F;
}

TColor TdxNavBarVistaExplorerBarGroupViewInfo::GetCaptionFontColor() {
  if (UxIsThemeActive()) {
    TdxNavBarSkinBasedPainterHelper* H = HelperOf(GetPainter());
    TdxSkinElement* E = H ? H->NavBarGroupHeader() : nullptr;
    return E ? E->GetTextColor() : TdxNavBarExplorerBarGroupViewInfo::GetCaptionFontColor();
  }
  return Highlighted(GetState()) ? clHighlightText : clWindowText;
}

TFont* TdxNavBarVistaExplorerBarLinkViewInfo::GetFont() {
  TFont* F = TdxNavBarSkinBasedExplorerBarLinkViewInfo::GetFont();
  F->SetName("Segoe UI");
  return F;
}

TColor TdxNavBarVistaExplorerBarLinkViewInfo::GetFontColor() {
  if (UxIsThemeActive()) return TdxNavBarSkinBasedExplorerBarLinkViewInfo::GetFontColor();
  return Highlighted(GetState()) ? clHighlightText : clWindowText;
}

void TdxNavBarVistaExplorerBarSelectionPainter::GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor,
                                                                  TColor& FillColor, TColor& OuterTopLeft,
                                                                  TColor& OuterBottomRight, TColor& InnerTopLeft,
                                                                  TColor& InnerBottomRight) const {
  TdxNavBarCustomSelectionPainter::GetSelectionColors(State, BackColor, FillColor, OuterTopLeft, OuterBottomRight,
                                                      InnerTopLeft, InnerBottomRight);
  FillColor = clActiveCaption;
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarVistaExplorerBarPainter::CreatePainterHelper() {
  std::string N = GetInitialSkinName();
  return TdxNavBarVistaPainterHelper::Create(&N);
}

void TdxNavBarVistaExplorerBarPainter::DrawBackground() {
  TdxNavBarSkinBasedExplorerBarPainter::DrawBackground();
  TdxNavBarViewInfo* V = GetViewInfo();
  DrawSkinElement(GetcxCanvas(), PainterHelper()->NavBarBackground(), RECT{0, 0, V->ClientWidth(), V->ClientHeight()},
                  esNormal);
}

void TdxNavBarVistaExplorerBarPainter::DrawLinkSelection(TdxNavBarLinkViewInfo* L) {
  RECT R;
  L->GetSelectionRect(R);
  if (!(L->GetState() & (nsHotTracked | nsPressed | nsSelected))) return;
  if (!DrawSkinElement(GetcxCanvas(), PainterHelper()->NavBarItem(), R, SkinStateOf(L->GetState())))
    TdxNavBarElementPainter::DrawLinkSelection(L);
}

void TdxNavBarVistaExplorerBarPainter::DrawGroupControlSplitter(TdxNavBarGroupViewInfo* G) {
  auto* E = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(G);
  if (!E || IsEmpty(E->ControlSplitterRect)) return;
  const RECT& R = E->ControlSplitterRect;
  TcxCanvas* C = GetcxCanvas();
  C->FillRectColor(RECT{R.left, R.top, R.right, R.top + 1}, clBtnHighlight);
  C->FillRectColor(RECT{R.left, R.top + 1, R.right, R.top + 3}, clBtnFace);
  C->FillRectColor(RECT{R.left, R.top + 3, R.right, R.top + 4}, clBtnHighlight);
}

// ---- navigation pane

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedNavPaneViewInfo::PainterHelper() { return HelperOf(GetPainter()); }

namespace {
TdxNavBarSkinInfo* PaneSkin(TdxNavBarSkinBasedNavPaneViewInfo* V) {
  TdxNavBarSkinBasedPainterHelper* H = V->PainterHelper();
  return H ? H->GetSkinInfo() : nullptr;
}
}  // namespace

void TdxNavBarSkinBasedNavPaneViewInfo::GetGroupEdges(RECT& R) {
  TdxNavBarNavigationPaneViewInfo::GetGroupEdges(R);
  R.left += GetBorderWidth();
  R.right += GetBorderWidth();
}

void TdxNavBarSkinBasedNavPaneViewInfo::AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S) {
  TdxNavBarNavigationPaneViewInfo::AssignDefaultNavigationPaneHeaderStyle(S);
  TdxNavBarSkinInfo* Skin = PaneSkin(this);
  if (Skin && Skin->NavPaneCaptionFontSize > 0) S->GetFont()->SetSize(Skin->NavPaneCaptionFontSize);
}

namespace {
TdxNavBarSkinInfo* PaneSkinOf(TdxNavBarNavigationPaneViewInfo* V) {
  auto* S = dynamic_cast<TdxNavBarSkinBasedNavPaneViewInfo*>(V);
  return S ? PaneSkin(S) : nullptr;
}
}  // namespace

void TdxNavBarSkinBasedOverflowPanelViewInfo::GetMargins(RECT& R) {
  TdxNavBarSkinInfo* S = PaneSkinOf(GetPaneViewInfo());
  if (S && S->NavPaneOverflowPanel) R = S->NavPaneOverflowPanel->GetContentOffset();
  else TdxNavBarOverflowPanelViewInfo::GetMargins(R);
}

int TdxNavBarSkinBasedOverflowPanelViewInfo::GetSignWidth() {
  int W = TdxNavBarOverflowPanelViewInfo::GetSignWidth();
  TdxNavBarSkinInfo* S = PaneSkinOf(GetPaneViewInfo());
  return W != 0 && S && S->NavPaneOverflowPanelExpandItem ? S->NavPaneOverflowPanelExpandItem->GetImage()->CellSize().cx
                                                          : W;
}

void TdxNavBarSkinBasedPopupControlViewInfo::GetMargins(RECT& R) {
  TdxNavBarSkinInfo* S = PaneSkinOf(GetPaneViewInfo());
  if (S && S->NavPanePopupBorder) R = S->NavPanePopupBorder->GetContentOffset();
  else TdxNavBarPopupControlViewInfo::GetMargins(R);
}

void TdxNavBarSkinBasedNavPaneViewInfo::GetGroupsOffset(POINT& P) {
  if (PaneSkin(this)) P = POINT{0, 0};
  else TdxNavBarNavigationPaneViewInfo::GetGroupsOffset(P);
}

TColor TdxNavBarSkinBasedNavPaneViewInfo::GetBorderColor() {
  TdxNavBarSkinInfo* S = PaneSkin(this);
  return S && S->NavBarBackground && S->NavBarBackground->GetBorder(0)->GetColor() != clNone
             ? S->NavBarBackground->GetBorder(0)->GetColor()
             : TdxNavBarNavigationPaneViewInfo::GetBorderColor();
}

TColor TdxNavBarSkinBasedNavPaneViewInfo::GetNavigationPaneHeaderFontColor() {
  TdxNavBarSkinInfo* S = PaneSkin(this);
  return S && S->NavPaneCaption ? S->NavPaneCaption->GetTextColor()
                                : TdxNavBarNavigationPaneViewInfo::GetNavigationPaneHeaderFontColor();
}

int TdxNavBarSkinBasedNavPaneViewInfo::GetHeaderTextIndent() {
  return PaneSkin(this) ? 8 : TdxNavBarNavigationPaneViewInfo::GetHeaderTextIndent();
}

int TdxNavBarSkinBasedNavPaneViewInfo::GetHeaderHeight() {
  int H = TdxNavBarNavigationPaneViewInfo::GetHeaderHeight();
  TdxNavBarSkinInfo* S = PaneSkin(this);
  return H == 0 || !S ? H : std::max(H, S->NavPaneCaptionHeight);
}

int TdxNavBarSkinBasedNavPaneViewInfo::GetSplitterHeight() {
  int H = TdxNavBarNavigationPaneViewInfo::GetSplitterHeight();
  return H != 0 && PaneSkin(this) ? 8 : H;
}

TColor TdxNavBarSkinBasedNavPaneViewInfo::GetCollapseBarFontColor() {
  TdxNavBarSkinInfo* S = PaneSkin(this);
  return S && S->NavPaneCollapsedGroupClient ? S->NavPaneCollapsedGroupClient->GetTextColor()
                                             : TdxNavBarNavigationPaneViewInfo::GetCollapseBarFontColor();
}

TColor TdxNavBarSkinBasedNavPaneGroupViewInfo::GetCaptionFontColor() {
  TdxNavBarSkinBasedPainterHelper* H = HelperOf(GetPainter());
  TdxNavBarSkinInfo* S = H ? H->GetSkinInfo() : nullptr;
  return S && S->NavPaneGroupButton ? S->NavPaneGroupButton->GetTextColor()
                                    : TdxNavBarNavigationPaneGroupViewInfo::GetCaptionFontColor();
}

TdxNavBarSkinBasedNavPanePainter::TdxNavBarSkinBasedNavPanePainter(TdxCustomNavBar* ANavBar)
    : TdxNavBarNavigationPanePainter(ANavBar) {}

void TdxNavBarSkinBasedNavPanePainter::AfterConstruction() {
  FHelper.reset(CreatePainterHelper());
  FHelper->OnChanged = Bind(this, &TdxNavBarSkinBasedNavPanePainter::HelperChanged);
  TdxNavBarNavigationPanePainter::AfterConstruction();
}

TdxNavBarSkinBasedNavPanePainter::~TdxNavBarSkinBasedNavPanePainter() {
  if (FHelper) FHelper->OnChanged = TNotifyEvent();
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarSkinBasedNavPanePainter::CreatePainterHelper() {
  std::string N = GetInitialSkinName();
  return TdxNavBarSkinBasedPainterHelper::Create(&N);
}

void TdxNavBarOffice12NavPanePainter::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TdxNavBarOffice12NavPanePainter*>(Source)) SetColorSchemeName(S->GetColorSchemeName());
  else TdxNavBarSkinBasedNavPanePainter::Assign(Source);
}

SONVELT_PUBLISHED(TdxNavBarOffice12NavPanePainter, P) {
  using B = TdxNavBarOffice12NavPanePainter;
  P.String("ColorSchemeName", &B::GetColorSchemeName, &B::SetColorSchemeName);
}

TdxNavBarSkinBasedPainterHelper* TdxNavBarOffice12NavPanePainter::CreatePainterHelper() {
  std::string N = GetInitialSkinName();
  return TdxNavBarOffice12PainterHelper::Create(&N);
}

#define DX_PANE_SKIN(Member) (Skin() ? Skin()->Member : nullptr)

void TdxNavBarSkinBasedNavPanePainter::DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) {
  TdxSkinElement* E = (G->GetState() & nsActive) ? DX_PANE_SKIN(NavPaneGroupButtonSelected) : DX_PANE_SKIN(NavPaneGroupButton);
  RECT R{G->CaptionRect.left, G->CaptionRect.top - 1, G->CaptionRect.right, G->CaptionRect.bottom + 1};
  if (!DrawSkinElement(GetcxCanvas(), E, R, SkinStateOf(G->GetState())))
    TdxNavBarNavigationPanePainter::DrawGroupCaptionButton(G);
}

void TdxNavBarSkinBasedNavPanePainter::DrawLinkSelection(TdxNavBarLinkViewInfo* L) {
  TdxNavBarObjectStates S = L->GetState();
  TdxSkinElementState State = SkinStateOf(S);
  TdxSkinElement* E = (S & nsSelected) && State == esNormal ? DX_PANE_SKIN(NavPaneItemSelected) : DX_PANE_SKIN(NavPaneItem);
  RECT R{L->Rect.left + 2, L->Rect.top, L->Rect.right - 2, L->Rect.bottom};
  if (!E) {
    TdxNavBarNavigationPanePainter::DrawLinkSelection(L);
    return;
  }
  if (S & (nsHotTracked | nsPressed | nsSelected)) DrawSkinElement(GetcxCanvas(), E, R, State);
}

void TdxNavBarSkinBasedNavPanePainter::DrawSeparator(TdxNavBarLinkViewInfo* L) {
  if (!DrawSkinElement(GetcxCanvas(), FHelper->NavBarSeparator(), L->Rect, esNormal))
    TdxNavBarNavigationPanePainter::DrawSeparator(L);
}

void TdxNavBarSkinBasedNavPanePainter::DrawDropTargetLinkMark(TdxNavBarGroupViewInfo* G, TdxNavBarLinkViewInfo* Before,
                                                              TdxNavBarLinkViewInfo* After) {
  if (!DrawSkinDropMark(GetcxCanvas(), FHelper->NavBarDragDropItemTarget(), Before, After))
    TdxNavBarNavigationPanePainter::DrawDropTargetLinkMark(G, Before, After);
}

void TdxNavBarSkinBasedNavPanePainter::DrawTopScrollButton() {
  TdxNavBarViewInfo* V = GetViewInfo();
  if (!DrawSkinElement(GetcxCanvas(), DX_PANE_SKIN(NavPaneScrollUpButton), V->TopScrollButtonRect,
                       SkinStateOf(V->GetTopScrollButtonState())))
    TdxNavBarNavigationPanePainter::DrawTopScrollButton();
}

void TdxNavBarSkinBasedNavPanePainter::DrawBottomScrollButton() {
  TdxNavBarViewInfo* V = GetViewInfo();
  if (!DrawSkinElement(GetcxCanvas(), DX_PANE_SKIN(NavPaneScrollDownButton), V->BottomScrollButtonRect,
                       SkinStateOf(V->GetBottomScrollButtonState())))
    TdxNavBarNavigationPanePainter::DrawBottomScrollButton();
}

void TdxNavBarSkinBasedNavPanePainter::PaintSplitterBar() {
  if (!DrawSkinElement(GetcxCanvas(), DX_PANE_SKIN(NavPaneSplitter), PaneViewInfo()->SplitterBounds, esNormal,
                       PaneViewInfo()->IsCollapsed() ? 0 : 1))
    TdxNavBarNavigationPanePainter::PaintSplitterBar();
}

void TdxNavBarSkinBasedNavPanePainter::DrawHeaderBackground() {
  if (!DrawSkinElement(GetcxCanvas(), DX_PANE_SKIN(NavPaneCaption), PaneViewInfo()->HeaderBounds, esNormal))
    TdxNavBarNavigationPanePainter::DrawHeaderBackground();
}

void TdxNavBarSkinBasedNavPanePainter::DrawHeaderSign() {
  TdxSkinElement* E = PaneViewInfo()->IsCollapsed() ? DX_PANE_SKIN(NavPaneExpandButton) : DX_PANE_SKIN(NavPaneCollapseButton);
  int State = PartPaintState(TdxNavBarPartRef{npHeaderSign, -1});
  if (!DrawSkinElement(GetcxCanvas(), E, PaneViewInfo()->HeaderSignBounds, SkinStateOfPaintState(State)))
    TdxNavBarNavigationPanePainter::DrawHeaderSign();
}

void TdxNavBarSkinBasedNavPanePainter::DrawItemPanelElementBackground(const RECT& R, int PaintState) {
  if (!DrawSkinElement(GetcxCanvas(), DX_PANE_SKIN(NavPaneCollapsedGroupClient), R, SkinStateOfPaintState(PaintState)))
    TdxNavBarNavigationPanePainter::DrawItemPanelElementBackground(R, PaintState);
}

void TdxNavBarSkinBasedNavPanePainter::DrawOverflowPanelBackground() {
  if (!DrawSkinElement(GetcxCanvas(), DX_PANE_SKIN(NavPaneOverflowPanel), PaneViewInfo()->GetOverflowPanel()->PanelBounds,
                       esNormal))
    TdxNavBarNavigationPanePainter::DrawOverflowPanelBackground();
}

void TdxNavBarSkinBasedNavPanePainter::DrawOverflowPanelSign() {
  int State = PartPaintState(TdxNavBarPartRef{npChevron, -1});
  if (!DrawSkinElement(GetcxCanvas(), DX_PANE_SKIN(NavPaneOverflowPanelExpandItem),
                       PaneViewInfo()->GetOverflowPanel()->SignBounds, SkinStateOfPaintState(State)))
    TdxNavBarNavigationPanePainter::DrawOverflowPanelSign();
}

void TdxNavBarSkinBasedNavPanePainter::DrawOverflowPanelButtons() {
  TdxSkinElement* E = DX_PANE_SKIN(NavPaneOverflowPanelItem);
  if (!E) {
    TdxNavBarNavigationPanePainter::DrawOverflowPanelButtons();
    return;
  }
  TdxNavBarOverflowPanelViewInfo* O = PaneViewInfo()->GetOverflowPanel();
  TCustomImageList* List = O->GetImageList();
  for (int I = 0; I < O->ShownButtonCount; ++I) {
    const TdxNavBarOverflowPanelViewInfoItem& B = O->Buttons[static_cast<size_t>(I)];
    TdxSkinElementState S = SkinStateOfPaintState(PartPaintState(TdxNavBarPartRef{npOverflowButton, I}));
    if (S == esChecked) S = esNormal;
    if (S == esHotCheck) S = esHot;
    DrawSkinElement(GetcxCanvas(), E, B.ButtonBounds, S, B.TargetGroup == GetNavBar()->GetActiveGroup() ? 1 : 0);
    int Index = O->GetImageIndex(B.TargetGroup);
    if (List && Index >= 0 && Index < List->GetCount())
      ImagePainterClass()->DrawImage(GetcxCanvas(), List, Index, B.IconBounds, true);
    else
      DrawTransparentGlyph(GetDC(), O->UseSmallImages() ? NavPaneDefaultSmallBitmap() : NavPaneDefaultLargeBitmap(),
                           B.IconBounds.left, B.IconBounds.top);
  }
}

void TdxNavBarSkinBasedNavPanePainter::DrawPopupControl(TCanvas* Canvas, TdxNavBarPopupControlViewInfo* PV) {
  TdxSkinElement* E = DX_PANE_SKIN(NavBarBackground);
  if (!E) {
    TdxNavBarNavigationPanePainter::DrawPopupControl(Canvas, PV);
    return;
  }
  TOwned<TcxCanvas> C(TcxCanvas::Create(Canvas));
  C->PushClipRegion();
  C->ExcludeRectFromClip(PV->ContentRect());
  E->Draw(Canvas->GetHandle(), PV->PopupBounds, esNormal);
  C->PopClipRegion();
}
void TdxNavBarSkinBasedNavPanePainter::DrawOverflowMenuItem(TCanvas* Canvas, const RECT& R, int State,
                                                            const std::string& Caption, int ImageIndex,
                                                            TCustomImageList* ImageList) {
  TdxNavBarSkinInfo* S = Skin();
  if (!S || !S->BarsPopupMenu || !S->BarsPopupMenuLinkSelected || !S->BarsPopupMenuSeparator ||
      !S->BarsPopupMenuSideStrip) {
    TdxNavBarNavigationPanePainter::DrawOverflowMenuItem(Canvas, R, State, Caption, ImageIndex, ImageList);
    return;
  }
  const int W = R.right - R.left, H = R.bottom - R.top;
  if (W <= 0 || H <= 0) return;
  TdxNavBarOverflowPanelViewInfo* O = PaneViewInfo()->GetOverflowPanel();
  const int Indent = O->GetMenuImageIndent(), Strip = PaneViewInfo()->SmallImageWidth() + 2 * Indent;
  // Drawn whole in a 32-bit buffer so that the elements' alpha holds, then copied.
  TOwned<TBitmap> Buffer(TBitmap::Create());
  Buffer->SetPixelFormat(pf32bit);
  Buffer->SetSize(W, H);
  TCanvas* C = Buffer->GetCanvas();
  C->GetFont()->Assign(Canvas->GetFont());
  HDC DC = C->GetHandle();
  TdxSkinElement* Menu = S->BarsPopupMenu;
  Menu->Draw(DC, RECT{-Menu->GetBorder(0)->GetThin(), -Menu->GetBorder(1)->GetThin(), W + Menu->GetBorder(2)->GetThin(),
                      H + Menu->GetBorder(3)->GetThin()},
             esNormal);
  S->BarsPopupMenuSideStrip->Draw(DC, RECT{0, 0, Strip + 2, H}, esNormal);
  if (Caption == "-") {
    S->BarsPopupMenuSeparator->Draw(DC, RECT{Strip + 4, H / 2, W, H / 2 + 1}, esNormal);
  } else {
    if (State & 0x20) S->BarsPopupMenuLinkSelected->Draw(DC, RECT{0, 0, W, H}, esNormal);
    if (State & 0x01) S->BarsPopupMenuLinkSelected->Draw(DC, RECT{0, 0, Strip, H}, esNormal);
    if (ImageList && ImageIndex >= 0 && ImageIndex < ImageList->GetCount())
      ImageList->Draw(C, Indent, Indent, ImageIndex, !(State & 0x02));
    C->GetFont()->SetColor((State & 0x02) ? clGrayText : clMenuText);
    DrawTextWithBrushStyle(C, Caption, RECT{Strip + O->GetMenuTextIndent(), 0, W, H}, DT_SINGLELINE | DT_VCENTER, -1,
                           bsClear);
  }
  BitBlt(Canvas->GetHandle(), R.left, R.top, W, H, DC, 0, 0, SRCCOPY);
}
#undef DX_PANE_SKIN

TSuiteUnit& NavBarSkinViewsUnit() {
  static TSuiteUnit Unit(
      [] {
        DefaultScheme = "Blue";
        RegisterView(17, "Office12NavigationPaneView", TdxNavBarOffice12NavPanePainter::StaticClass());
        RegisterView(18, "Office12ExplorerBarView", TdxNavBarOffice12ExplorerBarPainter::StaticClass());
        RegisterView(19, "VistaExplorerBarView", TdxNavBarVistaExplorerBarPainter::StaticClass());
      },
      [] {
        UnregisterView(17);
        UnregisterView(18);
        UnregisterView(19);
      });
  return Unit;
}
