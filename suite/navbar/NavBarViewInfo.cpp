#include "suite/navbar/NavBarViewInfo.h"

#include <algorithm>
#include <cmath>

#include "framework/Graphic.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarCollections.h"
#include "suite/navbar/NavBarPainter.h"

// ---- text metrics

int TdxNavBarTextMetrics::LineHeight(TFont* Font) { return SharedScreenCanvas()->FontLineHeight(Font); }

void TdxNavBarTextMetrics::MeasureText(TFont* Font, const std::string& Text, UINT Flags, RECT& R) {
  TcxScreenCanvas* C = SharedScreenCanvas();
  C->AssignFontObject(Font);
  DrawTextOnDC(C->DeviceContext(), Text, R, Flags | DT_CALCRECT);
}

int TdxNavBarTextMetrics::PixelsPerInch() { return ScreenPixelsPerInch(0); }

namespace {
TdxNavBarTextMetrics ScreenMetrics;
TdxNavBarTextMetrics* CurrentMetrics = &ScreenMetrics;

int Height(const RECT& R) { return R.bottom - R.top; }
int Width(const RECT& R) { return R.right - R.left; }
bool IsEmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }
bool Holds(const RECT& R, POINT P) { return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom; }
void Offset(RECT& R, int DX, int DY) {
  R.left += DX;
  R.right += DX;
  R.top += DY;
  R.bottom += DY;
}
}  // namespace

TdxNavBarTextMetrics* NavBarTextMetrics() { return CurrentMetrics; }
TdxNavBarTextMetrics* SetNavBarTextMetrics(TdxNavBarTextMetrics* Metrics) {
  TdxNavBarTextMetrics* Old = CurrentMetrics;
  CurrentMetrics = Metrics ? Metrics : &ScreenMetrics;
  return Old == &ScreenMetrics ? nullptr : Old;
}

TdxNavBarStyleValues ResolveStyle(TdxNavBarStyleItem* Item, TdxNavBarBaseStyle* D) {
  TdxNavBarStyle* S = Item ? Item->GetStyle() : nullptr;
  TdxBarStyleAssignedValues A = S ? S->GetAssignedValues() : TdxBarStyleAssignedValues{};
  TdxNavBarStyleValues V;
  V.Image = (A.Contains(savImage) ? S : D)->GetImage();
  V.BackColor = (A.Contains(savBackColor) ? S : D)->GetBackColor();
  V.BackColor2 = (A.Contains(savBackColor2) ? S : D)->GetBackColor2();
  V.AlphaBlending = (A.Contains(savAlphaBlending) ? S : D)->GetAlphaBlending();
  V.AlphaBlending2 = (A.Contains(savAlphaBlending2) ? S : D)->GetAlphaBlending2();
  V.GradientMode = (A.Contains(savGradientMode) ? S : D)->GetGradientMode();
  V.Font = (A.Contains(savFont) ? S : D)->GetFont();
  V.HAlignment = (A.Contains(savHAlignment) ? S : D)->GetHAlignment();
  V.VAlignment = (A.Contains(savVAlignment) ? S : D)->GetVAlignment();
  return V;
}

bool IsAccelChar(wchar_t Char, const std::string& Caption) {
  std::wstring W = Utf8ToWide(Caption);
  for (size_t I = 0; I + 1 < W.size(); ++I) {
    if (W[I] != L'&') continue;
    if (W[I + 1] == L'&') {
      ++I;
      continue;
    }
    return CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(W[I + 1]))) ==
           CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(Char)));
  }
  return false;
}

// ---- custom view info

TdxNavBarCustomViewInfo::TdxNavBarCustomViewInfo(TdxNavBarPainter* APainter)
    : FPainter(APainter), FNavBar(APainter ? APainter->GetNavBar() : nullptr) {
  FScaleFactor = std::max(1.0, NavBarTextMetrics()->PixelsPerInch() / 96.0);
}

int TdxNavBarCustomViewInfo::ScaleValue(int N) const {
  return static_cast<int>(std::nearbyint(N * FScaleFactor));
}

// ---- item view infos

TdxNavBarCustomItemViewInfo::TdxNavBarCustomItemViewInfo(TdxNavBarViewInfo* AViewInfo, bool ACaptionVisible,
                                                         bool AImageVisible)
    : TdxNavBarCustomViewInfo(AViewInfo->GetPainter()),
      FCaptionFont(TFont::Create()),
      FCaptionVisible(ACaptionVisible),
      FImageVisible(AImageVisible),
      FViewInfo(AViewInfo) {}

TdxNavBarCustomItemViewInfo::~TdxNavBarCustomItemViewInfo() = default;

bool TdxNavBarCustomItemViewInfo::UseDisabledImages() {
  TdxCustomNavBar* Bar = GetNavBar();
  return !IsEnabled() && Bar->GetImageList(UseLargeImages() ? TdxNavBarImageOptions::ikDisabledLarge
                                                             : TdxNavBarImageOptions::ikDisabledSmall);
}

bool TdxNavBarCustomItemViewInfo::UseHotImages() {
  TdxCustomNavBar* Bar = GetNavBar();
  return IsHighlighted() && Bar->GetImageList(UseLargeImages() ? TdxNavBarImageOptions::ikHotLarge
                                                                : TdxNavBarImageOptions::ikHotSmall);
}

TCustomImageList* TdxNavBarCustomItemViewInfo::GetImageList() {
  TdxCustomNavBar* Bar = GetNavBar();
  bool Large = UseLargeImages();
  using K = TdxNavBarImageOptions;
  if (UseDisabledImages()) return Bar->GetImageList(Large ? K::ikDisabledLarge : K::ikDisabledSmall);
  if (UseHotImages()) return Bar->GetImageList(Large ? K::ikHotLarge : K::ikHotSmall);
  return Bar->GetImageList(Large ? K::ikLarge : K::ikSmall);
}

int TdxNavBarCustomItemViewInfo::GetImageIndex() {
  TdxNavBarCustomItem* I = GetNavBarItem();
  if (!I) return -1;
  return UseLargeImages() ? I->GetLargeImageIndex() : I->GetSmallImageIndex();
}

void TdxNavBarCustomItemViewInfo::OffsetBounds(int DX, int DY) {
  for (RECT* R : {&CaptionRect, &DesignRect, &ImageRect, &FocusRect, &Rect}) Offset(*R, DX, DY);
}

void TdxNavBarCustomItemViewInfo::CalculateDesignRect(const RECT& R, int Size) {
  if (!GetNavBar()->InDesignMode()) {
    DesignRect = RECT{};
    return;
  }
  RECT Strip{R.right - 20, R.top, R.right, R.bottom};
  int L = Strip.left + (Width(Strip) - Size) / 2, T = Strip.top + (Height(Strip) - Size) / 2;
  DesignRect = RECT{L, T, L + Size, T + Size};
}

// ---- group view info

TdxNavBarGroupViewInfo::TdxNavBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                               bool ACaptionVisible, bool AItemsVisible)
    : TdxNavBarCustomItemViewInfo(AViewInfo, ACaptionVisible, false), FGroup(AGroup), FItemsVisible(AItemsVisible) {}

void TdxNavBarGroupViewInfo::AfterConstruction() {
  TdxNavBarCustomItemViewInfo::AfterConstruction();
  RecreateLinkViewInfos();
}

TdxNavBarGroupViewInfo::~TdxNavBarGroupViewInfo() = default;

TdxNavBarCustomItem* TdxNavBarGroupViewInfo::GetNavBarItem() const { return FGroup; }

bool TdxNavBarGroupViewInfo::IsCaptionVisible() {
  return IsCaptionVisibleFlag() && GetNavBar()->GetShowGroupCaptions() &&
         (FGroup->GetShowCaption() || !GetViewInfo()->CanHideGroupCaptions());
}

bool TdxNavBarGroupViewInfo::IsItemsVisible() { return FItemsVisible && GetViewInfo()->IsGroupClientVisible(FGroup); }

bool TdxNavBarGroupViewInfo::IsIconView() {
  return GetViewInfo()->CanShowGroupsAsIconView() && FGroup->GetShowAsIconView();
}

bool TdxNavBarGroupViewInfo::UseSmallLinkImages() {
  return !GetViewInfo()->CanUseLargeLinkImages() || FGroup->GetLinksUseSmallImages();
}

bool TdxNavBarGroupViewInfo::UseLargeImages() {
  return GetViewInfo()->CanUseLargeGroupImages() && !FGroup->GetUseSmallImages();
}

TdxNavBarGroupControl* TdxNavBarGroupViewInfo::GetControl() {
  return FGroup->GetShowControl() ? FGroup->GetControl() : nullptr;
}

TdxNavBarObjectStates TdxNavBarGroupViewInfo::GetState() {
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarViewInfo* V = GetViewInfo();
  TdxNavBarObjectStates S = 0;
  bool Active = Bar->GetActiveGroup() == FGroup;
  if (Active && V->HasActiveGroup()) S |= nsActive;
  if (FGroup->GetExpanded()) S |= nsExpanded;
  if (Bar->GetHotTrackedGroup() == FGroup) S |= nsHotTracked;
  if (Bar->GetPressedGroup() == FGroup && Bar->GetHotTrackedGroup() == FGroup) S |= nsPressed;
  if (Active && V->CanShowSpecialGroup() && Bar->GetShowSpecialGroup()) S |= nsSpecial;
  if (TdxNavBarCustomAccessibilityHelper* H = FGroup->ExistingCaptionPanelAccessibilityHelper()) {
    if (H->GetClickKeyDown()) S |= nsPressed;
    if (H->HasFocusedState()) S |= nsFocused;
  }
  return S;
}

int TdxNavBarGroupViewInfo::IndexOfLink(const TdxNavBarLinkViewInfo* Link) const {
  for (int I = 0; I < LinkCount(); ++I)
    if (Links(I) == Link) return I;
  return -1;
}

TdxNavBarLinkViewInfo* TdxNavBarGroupViewInfo::GetLinkViewInfoByLink(const TdxNavBarItemLink* Link) const {
  for (auto& L : FLinks)
    if (L->GetLink() == Link) return L.get();
  return nullptr;
}

void TdxNavBarGroupViewInfo::AddLink(TdxNavBarItemLink* Link, bool CaptionVisible, bool ImageVisible) {
  FLinks.emplace_back(GetPainter()->CreateLinkViewInfo(this, Link, CaptionVisible, ImageVisible));
}

void TdxNavBarGroupViewInfo::CreateLinkViewInfos() {
  if (!IsItemsVisible() || GetControl()) return;
  for (int I = 0; I < FGroup->LinkCount(); ++I) {
    TdxNavBarItemLink* L = FGroup->Links(I);
    if (L->GetItem() && L->GetItem()->GetVisible()) AddLink(L, true, true);
  }
}

void TdxNavBarGroupViewInfo::RecreateLinkViewInfos() {
  FLinks.clear();
  CreateLinkViewInfos();
}

void TdxNavBarGroupViewInfo::GetControlRect(RECT& R) {
  RECT E;
  GetViewInfo()->GetGroupEdges(E);
  if (IsCaptionVisible()) E.top = 0;
  R = RECT{ClientRect.left + E.left, ClientRect.top + E.top, ClientRect.right - E.right, ClientRect.bottom - E.bottom};
}

void TdxNavBarGroupViewInfo::UpdateControlBounds() {
  TdxNavBarGroupControl* C = FGroup->GetControl();
  if (!C) return;
  if (IsItemsVisible() && FGroup->GetShowControl()) {
    RECT R;
    GetControlRect(R);
    C->FitToGroupArea(R, true);
  } else {
    C->FitToGroupArea(C->GetBoundsRect(), false);
  }
}

int TdxNavBarGroupViewInfo::GetCaptionHeight() {
  return GetViewInfo()->GroupCaptionHeightAddon() + NavBarTextMetrics()->LineHeight(GetCaptionFont());
}

UINT TdxNavBarGroupViewInfo::GetCaptionFlags() {
  UINT F = DT_SINGLELINE | DT_END_ELLIPSIS;
  switch (GetCaptionHAlignment()) {
    case haCenter: F |= DT_CENTER; break;
    case haRight: F |= DT_RIGHT; break;
    default: break;
  }
  switch (GetCaptionVAlignment()) {
    case svaCenter: F |= DT_VCENTER; break;
    case svaBottom: F |= DT_BOTTOM; break;
    default: break;
  }
  return F;
}

int TdxNavBarGroupViewInfo::GetImageHeight() {
  return UseLargeImages() ? GetViewInfo()->LargeImageHeight() : GetViewInfo()->SmallImageHeight();
}
int TdxNavBarGroupViewInfo::GetImageWidth() {
  return UseLargeImages() ? GetViewInfo()->LargeImageWidth() : GetViewInfo()->SmallImageWidth();
}

TdxNavBarStyleItem* TdxNavBarGroupViewInfo::GetCaptionStyleItem() {
  TdxNavBarObjectStates S = GetState();
  bool Pressed = S & nsPressed, Hot = S & nsHotTracked;
  if (S & (nsActive | nsSpecial)) return FGroup->GetStyle(Pressed ? 5 : Hot ? 4 : 3);
  return FGroup->GetStyle(Pressed ? 7 : Hot ? 6 : 2);
}

TdxNavBarBaseStyle* TdxNavBarGroupViewInfo::GetCaptionDefaultStyle() {
  TdxNavBarObjectStates S = GetState();
  bool Pressed = S & nsPressed, Hot = S & nsHotTracked;
  TdxNavBarViewInfo* V = GetViewInfo();
  if (S & (nsActive | nsSpecial))
    return V->DefaultStyle(Pressed ? dsGroupHeaderActivePressed : Hot ? dsGroupHeaderActiveHotTracked
                                                                      : dsGroupHeaderActive);
  return V->DefaultStyle(Pressed ? dsGroupHeaderPressed : Hot ? dsGroupHeaderHotTracked : dsGroupHeader);
}

TdxNavBarStyleValues TdxNavBarGroupViewInfo::CaptionValues() {
  return ResolveStyle(GetCaptionStyleItem(), GetCaptionDefaultStyle());
}
TdxNavBarStyleValues TdxNavBarGroupViewInfo::BackgroundValues() {
  return ResolveStyle(FGroup->GetStyle(0), GetViewInfo()->DefaultStyle(dsGroupBackground));
}
TdxNavBarStyleValues TdxNavBarGroupViewInfo::ControlValues() {
  TdxNavBarStyleValues V = ResolveStyle(FGroup->GetStyle(1), GetViewInfo()->DefaultStyle(dsGroupControl));
  if (V.BackColor == clNone || V.BackColor2 == clNone) {
    V.BackColor = GetBackgroundBackColor();
    V.BackColor2 = GetBackgroundBackColor2();
    V.AlphaBlending = GetBackgroundAlphaBlending();
    V.AlphaBlending2 = GetBackgroundAlphaBlending2();
    V.GradientMode = GetBackgroundGradientMode();
  }
  return V;
}

TColor TdxNavBarGroupViewInfo::GetBorderColor() { return GetCaptionBackColor2(); }
TPicture* TdxNavBarGroupViewInfo::GetBackgroundImage() { return BackgroundValues().Image; }
TColor TdxNavBarGroupViewInfo::GetBackgroundBackColor() { return BackgroundValues().BackColor; }
TColor TdxNavBarGroupViewInfo::GetBackgroundBackColor2() { return BackgroundValues().BackColor2; }
std::uint8_t TdxNavBarGroupViewInfo::GetBackgroundAlphaBlending() { return BackgroundValues().AlphaBlending; }
std::uint8_t TdxNavBarGroupViewInfo::GetBackgroundAlphaBlending2() { return BackgroundValues().AlphaBlending2; }
TdxBarStyleGradientMode TdxNavBarGroupViewInfo::GetBackgroundGradientMode() { return BackgroundValues().GradientMode; }
TPicture* TdxNavBarGroupViewInfo::GetCaptionImage() { return CaptionValues().Image; }
TColor TdxNavBarGroupViewInfo::GetCaptionBackColor() { return CaptionValues().BackColor; }
TColor TdxNavBarGroupViewInfo::GetCaptionBackColor2() { return CaptionValues().BackColor2; }
std::uint8_t TdxNavBarGroupViewInfo::GetCaptionAlphaBlending() { return CaptionValues().AlphaBlending; }
std::uint8_t TdxNavBarGroupViewInfo::GetCaptionAlphaBlending2() { return CaptionValues().AlphaBlending2; }
TdxBarStyleGradientMode TdxNavBarGroupViewInfo::GetCaptionGradientMode() { return CaptionValues().GradientMode; }
TFont* TdxNavBarGroupViewInfo::GetCaptionFont() {
  CaptionFontObject()->Assign(CaptionValues().Font);
  return CaptionFontObject();
}
TColor TdxNavBarGroupViewInfo::GetCaptionFontColor() { return CaptionValues().Font->GetColor(); }
TdxBarStyleHAlignment TdxNavBarGroupViewInfo::GetCaptionHAlignment() { return CaptionValues().HAlignment; }
TdxBarStyleVAlignment TdxNavBarGroupViewInfo::GetCaptionVAlignment() { return CaptionValues().VAlignment; }
TPicture* TdxNavBarGroupViewInfo::GetControlImage() { return ControlValues().Image; }
TColor TdxNavBarGroupViewInfo::GetControlBackColor() { return ControlValues().BackColor; }
TColor TdxNavBarGroupViewInfo::GetControlBackColor2() { return ControlValues().BackColor2; }
std::uint8_t TdxNavBarGroupViewInfo::GetControlAlphaBlending() { return ControlValues().AlphaBlending; }
std::uint8_t TdxNavBarGroupViewInfo::GetControlAlphaBlending2() { return ControlValues().AlphaBlending2; }
TdxBarStyleGradientMode TdxNavBarGroupViewInfo::GetControlGradientMode() { return ControlValues().GradientMode; }

void TdxNavBarGroupViewInfo::CalculateBounds(int X, int& Y) {
  TdxNavBarViewInfo* V = GetViewInfo();
  TdxCustomNavBar* Bar = GetNavBar();
  int CW = V->ClientWidth();
  CaptionRect = RECT{X, Y, CW - X, Y};
  if (V->ScrollButtonsInGroupCaptions()) {
    int Mine = V->IndexOfGroupViewInfo(this);
    TdxNavBarGroupViewInfo* Active = V->GetActiveGroupViewInfo();
    int ActiveIndex = Active ? V->IndexOfGroupViewInfo(Active) : -2;
    if (Mine == ActiveIndex || Mine == ActiveIndex + 1) CaptionRect.right -= GetCaptionHeight() + 2;
  }
  ImageRect = SignRect = CaptionTextRect = RECT{};
  bool CaptionVisible = IsCaptionVisible();
  if (CaptionVisible) {
    CaptionRect.bottom = Y + GetCaptionHeight();
    CaptionTextRect = RECT{CaptionRect.left + 2, CaptionRect.top + 1, CaptionRect.right - 2, CaptionRect.bottom - 1};
    if (V->HasGroupCaptionImage()) {
      int IW = GetImageWidth(), IH = GetImageHeight();
      ImageRect = RECT{CaptionRect.left + V->GroupCaptionImageIndent(), CaptionRect.bottom - IH,
                       CaptionRect.left + V->GroupCaptionImageIndent() + IW, CaptionRect.bottom};
      int D = V->GroupImageWithinCaption() ? V->GroupCaptionHeightAddon() : 0;
      if (ImageRect.top - 2 * D < CaptionRect.top) {
        int E = CaptionRect.top + 2 * D - ImageRect.top;
        CaptionRect.bottom += E;
        CaptionTextRect.bottom += E;
        if (!V->GroupImageWithinCaption()) {
          CaptionRect.top += E;
          CaptionTextRect.top += E;
        }
        Offset(ImageRect, 0, E - D);
      } else {
        Offset(ImageRect, 0, IH / 2 - Height(CaptionRect) / 2);
      }
      CaptionTextRect.left = ImageRect.right + V->GroupCaptionImageSpacing();
    }
    if (V->HasGroupCaptionSign()) {
      int H = Height(CaptionRect);
      RECT Square{CaptionRect.right - H, CaptionRect.top, CaptionRect.right, CaptionRect.bottom};
      SIZE S;
      V->GetGroupSignSize(S);
      int L = Square.left + (Width(Square) - S.cx) / 2, T = Square.top + (Height(Square) - S.cy) / 2;
      SignRect = RECT{L, T, L + S.cx, T + S.cy};
      CaptionTextRect.right = Square.left;
    }
  }
  CalculateDesignRect(CaptionRect, 14);
  FocusRect = (GetState() & nsFocused)
                  ? RECT{CaptionRect.left + 2, CaptionRect.top + 2, CaptionRect.right - 2, CaptionRect.bottom - 2}
                  : RECT{};
  Rect = RECT{CaptionRect.left, CaptionRect.top, CW - X, CaptionRect.bottom};
  if (IsItemsVisible()) {
    if (TdxNavBarGroupControl* C = GetControl()) {
      RECT E;
      V->GetGroupEdges(E);
      if (CaptionVisible) E.top = 0;
      Rect.bottom = CaptionRect.bottom + C->GetOriginalHeight() + E.top + E.bottom;
    } else {
      int CX = X, CY = CaptionRect.bottom + V->LinksVertIndent();
      bool Icons = IsIconView();
      for (int I = 0; I < LinkCount(); ++I) {
        TdxNavBarLinkViewInfo* L = Links(I);
        L->CalculateBounds(CX, CY);
        if (Icons) {
          if (L->Rect.right > CaptionRect.right && I > 0) {
            CX = X;
            CY = Links(I - 1)->Rect.bottom;
            L->CalculateBounds(CX, CY);
          }
          CX = L->Rect.right;
        } else {
          CY = L->Rect.bottom;
        }
      }
      Rect.bottom = LinkCount() > 0 ? Links(LinkCount() - 1)->Rect.bottom + V->LinksVertIndent()
                                    : CaptionRect.bottom + 2 * V->LinksVertIndent();
    }
  }
  if (FGroup->GetExpanded() && Bar->OnCalcGroupClientHeight) {
    int H = Height(Rect) - Height(CaptionRect);
    Bar->OnCalcGroupClientHeight(Bar, this, H);
    Rect.bottom = Rect.top + Height(CaptionRect) + H;
  }
  ClientRect = RECT{CaptionRect.left, CaptionRect.bottom, Rect.right, Rect.bottom};
  Y = Rect.bottom + V->GetSpaceBetweenGroups();
}

void TdxNavBarGroupViewInfo::StretchBounds(int DX, int DY) {
  Rect.right += DX;
  Rect.bottom += DY;
  ClientRect.right += DX;
  ClientRect.bottom += DY;
  int S = 0;
  for (int I = 0; I < std::min(FGroup->GetTopVisibleLinkIndex(), FGroup->LinkCount()); ++I)
    if (TdxNavBarLinkViewInfo* L = GetLinkViewInfoByLink(FGroup->Links(I))) S += Height(L->Rect);
  for (auto& L : FLinks) L->OffsetBounds(0, -S);
}

void TdxNavBarGroupViewInfo::OffsetBounds(int DX, int DY) {
  TdxNavBarCustomItemViewInfo::OffsetBounds(DX, DY);
  for (RECT* R : {&ClientRect, &CaptionTextRect, &SignRect}) Offset(*R, DX, DY);
  for (auto& L : FLinks) L->OffsetBounds(DX, DY);
}

// ---- link view info

TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                             bool ACaptionVisible, bool AImageVisible)
    : TdxNavBarCustomItemViewInfo(AGroupViewInfo->GetViewInfo(), ACaptionVisible, AImageVisible),
      FGroupViewInfo(AGroupViewInfo),
      FLink(ALink),
      FItem(ALink->GetItem()) {}

TdxNavBarCustomItem* TdxNavBarLinkViewInfo::GetNavBarItem() const { return FItem; }

bool TdxNavBarLinkViewInfo::UseLargeImages() { return !FGroupViewInfo->UseSmallLinkImages(); }

TdxNavBarObjectStates TdxNavBarLinkViewInfo::GetState() {
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarObjectStates S = 0;
  if (!FItem || !FItem->IsEnabled()) S |= nsDisabled;
  if (Bar->GetHotTrackedLink() == FLink) S |= nsHotTracked;
  if (Bar->GetPressedLink() == FLink && Bar->GetHotTrackedLink() == FLink) S |= nsPressed;
  if (FLink->IsSelected()) S |= nsSelected;
  if (TdxNavBarCustomAccessibilityHelper* H = FLink->ExistingAccessibilityHelper())
    if (H->HasFocusedState()) S |= nsFocused;
  return S;
}

int TdxNavBarLinkViewInfo::GetCaptionHeight() { return NavBarTextMetrics()->LineHeight(GetFont()) + 4; }

UINT TdxNavBarLinkViewInfo::GetCaptionFlags() {
  return UseLargeImages() ? (DT_CENTER | DT_WORDBREAK) : (DT_SINGLELINE | DT_VCENTER);
}

int TdxNavBarLinkViewInfo::GetImageHeight() {
  return UseLargeImages() ? GetViewInfo()->LargeImageHeight() : GetViewInfo()->SmallImageHeight();
}
int TdxNavBarLinkViewInfo::GetImageWidth() {
  return UseLargeImages() ? GetViewInfo()->LargeImageWidth() : GetViewInfo()->SmallImageWidth();
}

TdxNavBarStyleItem* TdxNavBarLinkViewInfo::GetStyleItem() {
  if (!FItem) return nullptr;
  TdxNavBarObjectStates S = GetState();
  if (S & nsDisabled) return FItem->GetStyle(1);
  if (S & nsPressed) return FItem->GetStyle(3);
  if (S & nsHotTracked) return FItem->GetStyle(2);
  return FItem->GetStyle(0);
}

TdxNavBarBaseStyle* TdxNavBarLinkViewInfo::GetDefaultStyle() {
  TdxNavBarObjectStates S = GetState();
  TdxNavBarViewInfo* V = GetViewInfo();
  if (S & nsDisabled) return V->DefaultStyle(dsItemDisabled);
  if (S & nsPressed) return V->DefaultStyle(dsItemPressed);
  if (S & nsHotTracked) return V->DefaultStyle(dsItemHotTracked);
  if (S & nsSelected) return V->DefaultStyle(dsItemPressed);
  return V->DefaultStyle(dsItem);
}

TFont* TdxNavBarLinkViewInfo::GetFont() {
  TdxNavBarStyleItem* I = GetStyleItem();
  if (I && I->GetStyle()->GetAssignedValues().Contains(savFont)) CaptionFontObject()->Assign(I->GetStyle()->GetFont());
  else CaptionFontObject()->Assign(GetDefaultStyle()->GetFont());
  return CaptionFontObject();
}

TColor TdxNavBarLinkViewInfo::GetFontColor() { return GetFont()->GetColor(); }

void TdxNavBarLinkViewInfo::GetSelectionRect(RECT& R) {
  R = RECT{ImageRect.left - 2, ImageRect.top - 2, ImageRect.right + 2, ImageRect.bottom + 2};
}

void TdxNavBarLinkViewInfo::GetSeparatorRect(RECT& R) {
  R = CaptionRect;
  R.right -= 8;
  if (UseLargeImages()) R.left += 8;
  int Mid = R.top + Height(R) / 2;
  R.top = Mid;
  R.bottom = Mid + 1;
}

void TdxNavBarLinkViewInfo::CalculateBounds(int X, int Y) {
  if (FItem) FItem->CalculateLinkBounds(X, Y, this);
  else TdxNavBarItemCalculator::CalculateBounds(X, Y, this);
}

void TdxNavBarItemCalculator::CalculateBounds(int X, int Y, TdxNavBarLinkViewInfo* L) {
  TdxNavBarViewInfo* V = L->GetViewInfo();
  RECT E;
  V->GetLinkImageEdges(E);
  int W = V->ClientWidth() - X;
  int IW = L->GetImageWidth(), IH = L->GetImageHeight();
  int CH = L->GetCaptionHeight();
  std::string Caption = L->GetItem() ? L->GetItem()->GetCaption() : std::string();
  if (L->GetGroupViewInfo()->IsIconView()) {
    L->ImageRect = RECT{X + E.left, Y + E.top, X + E.left + IW, Y + E.top + IH};
    L->CaptionRect = RECT{};
    L->Rect = RECT{X, Y, L->ImageRect.right + E.right, L->ImageRect.bottom + E.bottom};
  } else if (!L->UseLargeImages()) {
    L->ImageRect = RECT{X + E.left, Y, X + E.left + IW, Y + IH};
    RECT C{L->ImageRect.right + E.right, Y, W - 1, Y + CH};
    NavBarTextMetrics()->MeasureText(L->GetFont(), Caption, L->GetCaptionFlags(), C);
    C.right = std::min<LONG>(C.right, W - 1);
    L->CaptionRect = C;
    L->Rect = RECT{X, Y, W, Y + std::max<int>(IH, Height(C)) + V->SmallLinkVertPadding()};
    Offset(L->ImageRect, 0, (Height(L->Rect) - IH) / 2);
    Offset(L->CaptionRect, 0, Height(L->Rect) / 2 - Height(C) / 2);
  } else {
    int P = V->LargeLinkVertPadding();
    L->ImageRect = RECT{X, Y + P / 2, X + IW, Y + P / 2 + IH};
    RECT C{X + 1, L->ImageRect.bottom + E.bottom, W - 1, L->ImageRect.bottom + E.bottom + CH};
    NavBarTextMetrics()->MeasureText(L->GetFont(), Caption, L->GetCaptionFlags(), C);
    C.right = std::min<LONG>(C.right, W - 1);
    L->CaptionRect = C;
    L->Rect = RECT{X, Y, W, C.bottom + P / 2};
    Offset(L->ImageRect, (Width(L->Rect) - IW) / 2, 0);
    Offset(L->CaptionRect, (Width(L->Rect) - Width(C)) / 2, 0);
  }
  if (L->GetState() & nsFocused) {
    RECT F{L->CaptionRect.left - 2, L->CaptionRect.top, L->CaptionRect.right + 2, L->CaptionRect.bottom};
    IntersectRect(&L->FocusRect, &F, &L->Rect);
  } else {
    L->FocusRect = RECT{};
  }
  L->CalculateDesignRect(L->Rect, 10);
}

// ---- bar view info

TdxNavBarViewInfo::TdxNavBarViewInfo(TdxNavBarPainter* APainter)
    : TdxNavBarCustomViewInfo(APainter), FHeaderFont(TFont::Create()) {}

void TdxNavBarViewInfo::AfterConstruction() {
  TdxNavBarCustomViewInfo::AfterConstruction();
  CreateColors();
}

void TdxNavBarViewInfo::BeforeDestruction() {
  ReleaseColors();
  FGroups.clear();
  TdxNavBarCustomViewInfo::BeforeDestruction();
}

TdxNavBarViewInfo::~TdxNavBarViewInfo() = default;

TdxNavBarStyleItem* TdxNavBarViewInfo::BarStyle(int Index) { return GetNavBar()->GetBarStyle(Index); }
TdxNavBarBaseStyle* TdxNavBarViewInfo::DefaultStyle(int Index) {
  return GetNavBar()->GetDefaultStyles()->GetIndexedStyle(Index);
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GetActiveGroupViewInfo() {
  TdxNavBarGroup* G = GetNavBar()->GetActiveGroup();
  return G ? GetGroupViewInfoByGroup(G) : nullptr;
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GetGroupViewInfoByGroup(const TdxNavBarGroup* Group) const {
  for (auto& G : FGroups)
    if (G->GetGroup() == Group) return G.get();
  return nullptr;
}

TdxNavBarLinkViewInfo* TdxNavBarViewInfo::GetLinkViewInfoByLink(const TdxNavBarItemLink* Link) const {
  for (auto& G : FGroups)
    if (TdxNavBarLinkViewInfo* L = G->GetLinkViewInfoByLink(Link)) return L;
  return nullptr;
}

int TdxNavBarViewInfo::IndexOfGroupViewInfo(const TdxNavBarGroupViewInfo* G) const {
  for (int I = 0; I < GroupCount(); ++I)
    if (Groups(I) == G) return I;
  return -1;
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GetGroupViewInfoAtPos(POINT P) const {
  for (auto& G : FGroups)
    if (Holds(G->Rect, P)) return G.get();
  return nullptr;
}

bool TdxNavBarViewInfo::IsTopScrollButtonVisible() const { return !IsEmptyRect(TopScrollButtonRect); }
bool TdxNavBarViewInfo::IsBottomScrollButtonVisible() const { return !IsEmptyRect(BottomScrollButtonRect); }
bool TdxNavBarViewInfo::IsPtTopScrollButton(POINT P) const { return Holds(TopScrollButtonRect, P); }
bool TdxNavBarViewInfo::IsPtBottomScrollButton(POINT P) const { return Holds(BottomScrollButtonRect, P); }

TdxNavBarObjectStates TdxNavBarViewInfo::GetTopScrollButtonState() {
  TdxNavBarGroupViewInfo* G = GetActiveGroupViewInfo();
  TdxNavBarObjectStates S = 0;
  if (!(G && G->LinkCount() > 0 && G->GetGroup()->GetTopVisibleLinkIndex() > 0)) S |= nsDisabled;
  TdxCustomNavBar* Bar = GetNavBar();
  if (!Bar->InDesignMode()) {
    if (Bar->GetTopHeld()) S |= nsPressed;
    if (IsPtTopScrollButton(Bar->GetLastMousePoint())) S |= nsHotTracked;
  }
  return S;
}

TdxNavBarObjectStates TdxNavBarViewInfo::GetBottomScrollButtonState() {
  TdxNavBarGroupViewInfo* G = GetActiveGroupViewInfo();
  TdxNavBarObjectStates S = 0;
  bool Can = G && G->LinkCount() > 0 && G->Links(G->LinkCount() - 1)->Rect.bottom > G->Rect.bottom &&
             G->GetGroup()->GetTopVisibleLinkIndex() < G->LinkCount() - 1;
  if (!Can) S |= nsDisabled;
  TdxCustomNavBar* Bar = GetNavBar();
  if (!Bar->InDesignMode()) {
    if (Bar->GetBottomHeld()) S |= nsPressed;
    if (IsPtBottomScrollButton(Bar->GetLastMousePoint())) S |= nsHotTracked;
  }
  return S;
}

int TdxNavBarViewInfo::LargeImageHeight() {
  TCustomImageList* L = GetNavBar()->GetImageList(TdxNavBarImageOptions::ikLarge);
  return L ? L->GetHeight() : 32;
}
int TdxNavBarViewInfo::LargeImageWidth() {
  TCustomImageList* L = GetNavBar()->GetImageList(TdxNavBarImageOptions::ikLarge);
  return L ? L->GetWidth() : 32;
}
int TdxNavBarViewInfo::SmallImageHeight() {
  TCustomImageList* L = GetNavBar()->GetImageList(TdxNavBarImageOptions::ikSmall);
  return L ? L->GetHeight() : 16;
}
int TdxNavBarViewInfo::SmallImageWidth() {
  TCustomImageList* L = GetNavBar()->GetImageList(TdxNavBarImageOptions::ikSmall);
  return L ? L->GetWidth() : 16;
}
int TdxNavBarViewInfo::ClientHeight() { return GetNavBar()->GetClientHeight(); }
int TdxNavBarViewInfo::ClientWidth() { return GetNavBar()->GetClientWidth(); }

int TdxNavBarViewInfo::GetSpaceBetweenGroups() {
  int S = GetNavBar()->GetSpaceBetweenGroups();
  return S > 0 ? S : GroupSpacing();
}

UINT TdxNavBarViewInfo::GetNavigationPaneHeaderTextFlags() {
  TdxNavBarStyleValues V = NavigationPaneHeaderValues();
  UINT F = DT_SINGLELINE | DT_END_ELLIPSIS;
  if (V.HAlignment == haCenter) F |= DT_CENTER;
  else if (V.HAlignment == haRight) F |= DT_RIGHT;
  if (V.VAlignment == svaCenter) F |= DT_VCENTER;
  else if (V.VAlignment == svaBottom) F |= DT_BOTTOM;
  return F;
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::AddGroup(TdxNavBarGroup* Group, bool CaptionVisible, bool ItemsVisible) {
  FGroups.emplace_back(GetPainter()->CreateGroupViewInfo(this, Group, CaptionVisible, ItemsVisible));
  return FGroups.back().get();
}

void TdxNavBarViewInfo::RemoveGroup(TdxNavBarGroupViewInfo* G) {
  std::erase_if(FGroups, [G](const TOwned<TdxNavBarGroupViewInfo>& P) { return P.get() == G; });
}

void TdxNavBarViewInfo::CreateInfo() {
  FGroups.clear();
  CreateGroupViewInfos();
}

void TdxNavBarViewInfo::CreateGroupViewInfos() {
  TdxCustomNavBar* Bar = GetNavBar();
  if (Bar->GetShowGroupCaptions()) {
    for (int I = 0; I < Bar->GetGroups()->Count(); ++I) {
      TdxNavBarGroup* G = Bar->GetGroups()->Items(I);
      if (G->GetVisible()) AddGroup(G, true, true);
    }
  } else if (TdxNavBarGroup* G = Bar->GetActiveGroup()) {
    AddGroup(G, true, true);
  }
}

void TdxNavBarViewInfo::ClearRects() { TopScrollButtonRect = BottomScrollButtonRect = HintRect = RECT{}; }

void TdxNavBarViewInfo::CalculateBounds() {
  ClearRects();
  POINT P;
  GetGroupsOffset(P);
  CalculateGroupsBounds(P.x, P.y);
  CorrectBounds();
  UpdateGroupControls();
}

void TdxNavBarViewInfo::CalculateGroupsBounds(int X, int Y) {
  for (auto& G : FGroups) G->CalculateBounds(X, Y);
}

void TdxNavBarViewInfo::UpdateGroupControls() {
  TdxCustomNavBar* Bar = GetNavBar();
  for (int I = 0; I < Bar->GetGroups()->Count(); ++I) {
    TdxNavBarGroup* G = Bar->GetGroups()->Items(I);
    TdxNavBarGroupControl* C = G->GetControl();
    if (!C || C->GetParent() != Bar) continue;
    if (TdxNavBarGroupViewInfo* V = GetGroupViewInfoByGroup(G)) {
      V->UpdateControlBounds();
    } else {
      RECT R = C->GetBoundsRect();
      C->FitToGroupArea(RECT{-R.left, -R.top, -R.left + (R.right - R.left), -R.top + (R.bottom - R.top)}, false);
    }
  }
}

void TdxNavBarViewInfo::CalculateScrollButtons() {
  if (!GetActiveGroupViewInfo()) return;
  CalculateTopScrollButtonRect(TopScrollButtonRect);
  CalculateBottomScrollButtonRect(BottomScrollButtonRect);
}

void TdxNavBarViewInfo::CalculateTopScrollButtonRect(RECT& R) {
  TdxNavBarGroupViewInfo* G = GetActiveGroupViewInfo();
  if (!G || (GetTopScrollButtonState() & nsDisabled)) {
    R = RECT{};
    return;
  }
  const RECT& C = G->ClientRect;
  int W = ScrollButtonWidth(), H = ScrollButtonHeight(), DX = ScrollButtonHorzIndent(), DY = ScrollButtonVertIndent();
  R = RECT{C.right - W - DX, C.top + DY, C.right - DX, C.top + H + DY};
}

void TdxNavBarViewInfo::CalculateBottomScrollButtonRect(RECT& R) {
  TdxNavBarGroupViewInfo* G = GetActiveGroupViewInfo();
  if (!G || (GetBottomScrollButtonState() & nsDisabled)) {
    R = RECT{};
    return;
  }
  const RECT& C = G->ClientRect;
  int W = ScrollButtonWidth(), H = ScrollButtonHeight(), DX = ScrollButtonHorzIndent(), DY = ScrollButtonVertIndent();
  R = RECT{C.right - W - DX, C.bottom - H - DY, C.right - DX, C.bottom - DY};
}

bool TdxNavBarViewInfo::IsGroupClientVisible(TdxNavBarGroup* Group) { return Group == GetNavBar()->GetActiveGroup(); }

void TdxNavBarViewInfo::ToggleGroup(TdxNavBarGroup* Group) {
  if (IsGroupExpanded(Group)) CollapseGroup(Group);
  else ExpandGroup(Group);
}

// ---- appearance

TdxNavBarStyleValues TdxNavBarViewInfo::BackgroundValues() { return ResolveStyle(BarStyle(0), DefaultStyle(dsBackground)); }
TPicture* TdxNavBarViewInfo::GetBackgroundImage() { return BackgroundValues().Image; }
TColor TdxNavBarViewInfo::GetBackgroundBackColor() { return BackgroundValues().BackColor; }
TColor TdxNavBarViewInfo::GetBackgroundBackColor2() { return BackgroundValues().BackColor2; }
std::uint8_t TdxNavBarViewInfo::GetBackgroundAlphaBlending() { return BackgroundValues().AlphaBlending; }
std::uint8_t TdxNavBarViewInfo::GetBackgroundAlphaBlending2() { return BackgroundValues().AlphaBlending2; }
TdxBarStyleGradientMode TdxNavBarViewInfo::GetBackgroundGradientMode() { return BackgroundValues().GradientMode; }

namespace {
int ButtonSlot(bool Held, bool Hot) { return Held ? 6 : Hot ? 5 : 4; }
int ButtonDefault(bool Held, bool Hot) { return Held ? dsButtonPressed : Hot ? dsButtonHotTracked : dsButton; }
}  // namespace

TdxNavBarStyleItem* TdxNavBarViewInfo::GetBottomScrollButtonStyleItem() {
  TdxCustomNavBar* Bar = GetNavBar();
  return BarStyle(ButtonSlot(Bar->GetBottomHeld(), IsPtBottomScrollButton(Bar->GetLastMousePoint())));
}
TdxNavBarBaseStyle* TdxNavBarViewInfo::GetBottomScrollButtonDefaultStyle() {
  TdxCustomNavBar* Bar = GetNavBar();
  return DefaultStyle(ButtonDefault(Bar->GetBottomHeld(), IsPtBottomScrollButton(Bar->GetLastMousePoint())));
}
TdxNavBarStyleItem* TdxNavBarViewInfo::GetTopScrollButtonStyleItem() {
  TdxCustomNavBar* Bar = GetNavBar();
  return BarStyle(ButtonSlot(Bar->GetTopHeld(), IsPtTopScrollButton(Bar->GetLastMousePoint())));
}
TdxNavBarBaseStyle* TdxNavBarViewInfo::GetTopScrollButtonDefaultStyle() {
  TdxCustomNavBar* Bar = GetNavBar();
  return DefaultStyle(ButtonDefault(Bar->GetTopHeld(), IsPtTopScrollButton(Bar->GetLastMousePoint())));
}
TdxNavBarStyleValues TdxNavBarViewInfo::BottomScrollButtonValues() {
  return ResolveStyle(GetBottomScrollButtonStyleItem(), GetBottomScrollButtonDefaultStyle());
}
TdxNavBarStyleValues TdxNavBarViewInfo::TopScrollButtonValues() {
  return ResolveStyle(GetTopScrollButtonStyleItem(), GetTopScrollButtonDefaultStyle());
}
TdxNavBarStyleValues TdxNavBarViewInfo::HintValues() { return ResolveStyle(BarStyle(1), DefaultStyle(dsHint)); }
TFont* TdxNavBarViewInfo::GetHintFont() { return HintValues().Font; }
TColor TdxNavBarViewInfo::GetDropTargetLinkColor() {
  return ResolveStyle(BarStyle(3), DefaultStyle(dsDropTargetLink)).BackColor;
}
TdxNavBarStyleValues TdxNavBarViewInfo::DropTargetGroupValues() {
  return ResolveStyle(BarStyle(2), DefaultStyle(dsDropTargetGroup));
}
TdxNavBarStyleValues TdxNavBarViewInfo::NavigationPaneHeaderValues() {
  return ResolveStyle(BarStyle(7), DefaultStyle(dsNavigationPaneHeader));
}
TFont* TdxNavBarViewInfo::GetNavigationPaneHeaderFont() {
  FHeaderFont->Assign(NavigationPaneHeaderValues().Font);
  return FHeaderFont.get();
}

// ---- default styles

void TdxNavBarViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clAppWorkSpace);
  S->SetBackColor2(clAppWorkSpace);
}
void TdxNavBarViewInfo::AssignDefaultButtonStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clBtnFace);
  S->SetBackColor2(clBtnFace);
}
void TdxNavBarViewInfo::AssignDefaultButtonPressedStyle(TdxNavBarBaseStyle* S) { S->Assign(DefaultStyle(dsButton)); }
void TdxNavBarViewInfo::AssignDefaultButtonHotTrackedStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsButton));
}
void TdxNavBarViewInfo::AssignDefaultGroupControlStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clNone);
  S->SetBackColor2(clNone);
}
void TdxNavBarViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clAppWorkSpace);
  S->SetBackColor2(clAppWorkSpace);
}
void TdxNavBarViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clBtnFace);
  S->SetBackColor2(clBtnFace);
  S->GetFont()->SetColor(clBtnText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarViewInfo::AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeader));
}
void TdxNavBarViewInfo::AssignDefaultGroupHeaderActiveHotTrackedStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeaderActive));
}
void TdxNavBarViewInfo::AssignDefaultGroupHeaderActivePressedStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeaderActive));
}
void TdxNavBarViewInfo::AssignDefaultGroupHeaderHotTrackedStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeader));
}
void TdxNavBarViewInfo::AssignDefaultGroupHeaderPressedStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeader));
}
void TdxNavBarViewInfo::AssignDefaultHintStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clInfoBk);
  S->SetBackColor2(clInfoBk);
  S->GetFont()->SetColor(clInfoText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clBtnHighlight);
  S->SetHAlignment(haCenter);
}
void TdxNavBarViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetColor(clBtnText);
}
void TdxNavBarViewInfo::AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S) { S->Assign(DefaultStyle(dsItem)); }
void TdxNavBarViewInfo::AssignDefaultItemPressedStyle(TdxNavBarBaseStyle* S) { S->Assign(DefaultStyle(dsItem)); }
void TdxNavBarViewInfo::AssignDefaultDropTargetGroupStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clHighlight);
  S->SetBackColor2(clHighlight);
  S->SetAlphaBlending(60);
  S->SetAlphaBlending2(60);
}
void TdxNavBarViewInfo::AssignDefaultDropTargetLinkStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clBlack);
}
void TdxNavBarViewInfo::AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S) { S->Reset(); }

void TdxNavBarViewInfo::AssignDefaultStyle(int Index, TdxNavBarBaseStyle* S) {
  switch (Index) {
    case dsBackground: AssignDefaultBackgroundStyle(S); break;
    case dsButton: AssignDefaultButtonStyle(S); break;
    case dsButtonPressed: AssignDefaultButtonPressedStyle(S); break;
    case dsButtonHotTracked: AssignDefaultButtonHotTrackedStyle(S); break;
    case dsGroupBackground: AssignDefaultGroupBackgroundStyle(S); break;
    case dsGroupControl: AssignDefaultGroupControlStyle(S); break;
    case dsGroupHeader: AssignDefaultGroupHeaderStyle(S); break;
    case dsGroupHeaderActive: AssignDefaultGroupHeaderActiveStyle(S); break;
    case dsGroupHeaderActiveHotTracked: AssignDefaultGroupHeaderActiveHotTrackedStyle(S); break;
    case dsGroupHeaderActivePressed: AssignDefaultGroupHeaderActivePressedStyle(S); break;
    case dsGroupHeaderHotTracked: AssignDefaultGroupHeaderHotTrackedStyle(S); break;
    case dsGroupHeaderPressed: AssignDefaultGroupHeaderPressedStyle(S); break;
    case dsHint: AssignDefaultHintStyle(S); break;
    case dsItem: AssignDefaultItemStyle(S); break;
    case dsItemDisabled: AssignDefaultItemDisabledStyle(S); break;
    case dsItemHotTracked: AssignDefaultItemHotTrackedStyle(S); break;
    case dsItemPressed: AssignDefaultItemPressedStyle(S); break;
    case dsDropTargetGroup: AssignDefaultDropTargetGroupStyle(S); break;
    case dsDropTargetLink: AssignDefaultDropTargetLinkStyle(S); break;
    case dsNavigationPaneHeader: AssignDefaultNavigationPaneHeaderStyle(S); break;
    default: break;
  }
}

// ---- hit tests

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GetGroupViewInfoAtCaptionPos(POINT P) {
  TdxNavBarGroupViewInfo* G = GetGroupViewInfoAtPos(P);
  return G && Holds(G->CaptionRect, P) ? G : nullptr;
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GetGroupViewInfoAtItemsPos(POINT P) {
  TdxNavBarGroupViewInfo* G = GetGroupViewInfoAtPos(P);
  return G && !Holds(G->CaptionRect, P) ? G : nullptr;
}

TdxNavBarLinkViewInfo* TdxNavBarViewInfo::GetLinkViewInfoAtPos(POINT P) {
  TdxNavBarGroupViewInfo* G = GetGroupViewInfoAtItemsPos(P);
  if (!G) return nullptr;
  for (int I = 0; I < G->LinkCount(); ++I)
    if (Holds(G->Links(I)->Rect, P)) return G->Links(I);
  return nullptr;
}

TdxNavBarLinkViewInfo* TdxNavBarViewInfo::GetLinkViewInfoAtSelectedPos(POINT P) {
  if (IsPtBottomScrollButton(P) || IsPtTopScrollButton(P)) return nullptr;
  TdxNavBarLinkViewInfo* L = GetLinkViewInfoAtPos(P);
  if (!L || !L->GetItem() || !L->GetItem()->IsEnabled()) return nullptr;
  if (IsWholeLinkSensitive()) return L;
  if (Holds(L->ImageRect, P)) return L;
  RECT C = L->CaptionRect;
  if (L->UseLargeImages()) C.top = L->ImageRect.bottom;
  else C.left = L->ImageRect.right;
  return Holds(C, P) ? L : nullptr;
}

TdxNavBarItemLink* TdxNavBarViewInfo::GetLinkAtPos(POINT P) {
  TdxNavBarLinkViewInfo* L = GetLinkViewInfoAtPos(P);
  return L && L->GetLink()->Group() && L->GetLink()->GetItem() ? L->GetLink() : nullptr;
}

TdxNavBarGroup* TdxNavBarViewInfo::GetGroupAtCaptionPos(POINT P) {
  TdxNavBarGroupViewInfo* G = GetGroupViewInfoAtCaptionPos(P);
  return G && !G->GetGroup()->IsDestroying() ? G->GetGroup() : nullptr;
}

TdxNavBarGroup* TdxNavBarViewInfo::GetGroupAtItemsPos(POINT P) {
  TdxNavBarGroupViewInfo* G = GetGroupViewInfoAtItemsPos(P);
  return G && !G->GetGroup()->IsDestroying() ? G->GetGroup() : nullptr;
}

TdxNavBarItemLink* TdxNavBarViewInfo::GetLinkAtSelectedPos(POINT P) {
  TdxNavBarLinkViewInfo* L = GetLinkViewInfoAtSelectedPos(P);
  return L && L->GetLink()->Group() && L->GetLink()->GetItem() ? L->GetLink() : nullptr;
}

int TdxNavBarViewInfo::GetDragTarget(POINT P, TdxNavBarGroup*& Group, TdxNavBarItemLink*& PrevLink,
                                     TdxNavBarItemLink*& NextLink) {
  TdxNavBarGroupViewInfo* G = nullptr;
  TdxNavBarLinkViewInfo *Next = nullptr, *Prev = nullptr;
  int Index = GetViewInfoAtDragPosition(P, G, Next, Prev);
  Group = G && !G->GetGroup()->IsDestroying() ? G->GetGroup() : nullptr;
  auto Usable = [](TdxNavBarLinkViewInfo* L) -> TdxNavBarItemLink* {
    return L && L->GetLink()->Group() && L->GetLink()->GetItem() ? L->GetLink() : nullptr;
  };
  PrevLink = Usable(Prev);
  NextLink = Usable(Next);
  return Index;
}

int TdxNavBarViewInfo::GetViewInfoAtDragPosition(POINT P, TdxNavBarGroupViewInfo*& G, TdxNavBarLinkViewInfo*& Next,
                                                 TdxNavBarLinkViewInfo*& Prev) {
  G = nullptr;
  Next = Prev = nullptr;
  G = GetGroupViewInfoAtItemsPos(P);
  if (!G) {
    G = GetGroupViewInfoAtCaptionPos(P);
    if (!G) return -1;
    if (G->LinkCount() > 0) Next = G->Links(0);
    return 0;
  }
  if (G->IsIconView()) return GetViewInfoAtDragPositionWhenIconView(P, G, Next, Prev);
  TdxNavBarLinkViewInfo* L = GetLinkViewInfoAtPos(P);
  if (L) {
    int I = G->IndexOfLink(L);
    if (P.y < (L->Rect.top + L->Rect.bottom) / 2) {
      if (I > 0) Prev = G->Links(I - 1);
      Next = L;
    } else {
      Prev = L;
      if (I + 1 < G->LinkCount()) Next = G->Links(I + 1);
    }
  } else if (G->LinkCount() > 0) {
    if (P.y < G->Links(0)->Rect.top) Next = G->Links(0);
    else Prev = G->Links(G->LinkCount() - 1);
  }
  if (Prev && Next) return Next->GetLink()->GetIndex();
  if (Prev) return G->GetGroup()->LinkCount();
  return 0;
}

int TdxNavBarViewInfo::GetViewInfoAtDragPositionWhenIconView(POINT P, TdxNavBarGroupViewInfo*& G,
                                                             TdxNavBarLinkViewInfo*& Next,
                                                             TdxNavBarLinkViewInfo*& Prev) {
  Next = Prev = nullptr;
  TdxNavBarLinkViewInfo* L = GetLinkViewInfoAtPos(P);
  int N = G->LinkCount();
  if (L) {
    int I = G->IndexOfLink(L);
    if (P.x < L->Rect.left + (L->Rect.right - L->Rect.left) / 2) {
      if (I > 0) Prev = G->Links(I - 1);
      Next = L;
    } else {
      Prev = L;
      if (I + 1 < N) Next = G->Links(I + 1);
    }
  } else if (N > 0) {
    if (P.y < G->Links(0)->Rect.top) Next = G->Links(0);
    else if (P.y > G->Links(N - 1)->Rect.top) Prev = G->Links(N - 1);
    else
      for (int I = 0; I < N; ++I) {
        TdxNavBarLinkViewInfo* C = G->Links(I);
        if (!(C->Rect.top < P.y && P.y < C->Rect.bottom)) continue;
        if (P.x > C->Rect.right) {
          Prev = C;
          if (I + 1 < N) Next = G->Links(I + 1);
        } else if (P.x < C->Rect.right) {
          Next = C;
          if (I > 0) Prev = G->Links(I - 1);
        }
      }
  }
  if (Prev && Next) return Next->GetLink()->GetIndex();
  if (Prev) return G->GetGroup()->LinkCount();
  return 0;
}

TdxNavBarGroup* TdxNavBarViewInfo::FindGroupWithAccel(wchar_t CharCode) {
  for (auto& G : FGroups)
    if (IsAccelChar(CharCode, G->GetGroup()->GetCaption())) return G->GetGroup();
  return nullptr;
}

TdxNavBarItemLink* TdxNavBarViewInfo::FindLinkWithAccel(wchar_t CharCode) {
  TdxNavBarItemLink* Found = nullptr;
  for (auto& G : FGroups)
    for (int I = 0; I < G->LinkCount(); ++I) {
      TdxNavBarLinkViewInfo* L = G->Links(I);
      if (L->GetItem() && IsAccelChar(CharCode, L->GetItem()->GetCaption())) {
        Found = L->GetLink();
        break;
      }
    }
  return Found;
}
