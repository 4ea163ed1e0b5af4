#include "suite/navbar/NavBarNavPaneViewInfo.h"

#include <algorithm>

#include "suite/common/Office11Colors.h"
#include "suite/common/WindowUtils.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarConsts.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarNavPaneAccessibility.h"
#include "suite/navbar/NavBarNavPaneController.h"
#include "suite/navbar/NavBarNavPanePainter.h"

namespace {
int Height(const RECT& R) { return R.bottom - R.top; }
int Width(const RECT& R) { return R.right - R.left; }
bool Holds(const RECT& R, POINT P) { return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom; }
void MoveDown(RECT& R, int DY) { OffsetRect(&R, 0, DY); }

TdxNavBarNavigationPaneController* PaneController(TdxCustomNavBar* Bar) {
  return dynamic_cast<TdxNavBarNavigationPaneController*>(Bar->GetController());
}
}  // namespace

void ApplyPaneColors(TdxNavBarStyleValues& V, TColor C1, TColor C2) {
  if (V.BackColor != clNone && V.BackColor2 != clNone) return;
  V.BackColor = C1;
  V.BackColor2 = C2;
  V.AlphaBlending = V.AlphaBlending2 = 255;
  V.GradientMode = gmVertical;
}

// ---- panels

TdxNavBarNavigationPaneCustomViewInfo::TdxNavBarNavigationPaneCustomViewInfo(
    TdxNavBarNavigationPaneViewInfo* APaneViewInfo)
    : FPaneViewInfo(APaneViewInfo), FOwnerPainter(APaneViewInfo->GetPainter()), FOwnerBar(APaneViewInfo->GetNavBar()) {}

TdxNavBarOverflowPanelViewInfo::~TdxNavBarOverflowPanelViewInfo() {
  ReleaseNavBarAccessibilityHelper(FAccessibilityHelper);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarOverflowPanelViewInfo::GetAccessibilityHelper() {
  if (!FAccessibilityHelper)
    FAccessibilityHelper = ObtainNavBarAccessibilityHelper(
        TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper::Create(this, GetOwnerBar()));
  return FAccessibilityHelper->GetNavBarHelper();
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarOverflowPanelViewInfo::ExistingAccessibilityHelper() const {
  return FAccessibilityHelper ? FAccessibilityHelper->GetNavBarHelper() : nullptr;
}

bool TdxNavBarOverflowPanelViewInfo::UseSmallImages() {
  return GetOwnerBar()->GetOptionsView()->GetNavigationPane()->GetOverflowPanelUseSmallImages();
}

TCustomImageList* TdxNavBarOverflowPanelViewInfo::GetImageList() {
  return UseSmallImages() ? GetOwnerBar()->GetSmallImages() : GetOwnerBar()->GetLargeImages();
}

int TdxNavBarOverflowPanelViewInfo::GetImageIndex(TdxNavBarGroup* Group) {
  return UseSmallImages() ? Group->GetSmallImageIndex() : Group->GetLargeImageIndex();
}

SIZE TdxNavBarOverflowPanelViewInfo::GetImageSize() {
  TCustomImageList* L = GetImageList();
  if (L) return SIZE{L->GetWidth(), L->GetHeight()};
  return UseSmallImages() ? SIZE{16, 16} : SIZE{32, 32};
}

int TdxNavBarOverflowPanelViewInfo::GetIconHeight() {
  TdxNavBarNavigationPaneViewInfo* P = GetPaneViewInfo();
  P->CalculateLargestImageSize();
  int H = GetImageSize().cy;
  return P->UniformGroupImageHeights ? std::max<int>(H, P->LargestImageSize.cy) : H;
}

int TdxNavBarOverflowPanelViewInfo::GetHeight() {
  return GetPaneViewInfo()->IsOverflowPanelShown() ? GetVertPadding() + GetIconHeight() : 0;
}

void TdxNavBarOverflowPanelViewInfo::GetMargins(RECT& R) {
  int B = GetPaneViewInfo()->GetBorderWidth();
  R = RECT{0, B, 0, B};
}

void TdxNavBarOverflowPanelViewInfo::Calculate(int X, int Y) {
  if (!GetPaneViewInfo()->IsOverflowPanelShown()) return;
  PanelBounds = RECT{X, Y, GetPaneViewInfo()->ClientWidth() - X, Y + GetHeight()};
  RECT M;
  GetMargins(M);
  RECT Content{PanelBounds.left + M.left, PanelBounds.top + M.top, PanelBounds.right - M.right,
               PanelBounds.bottom - M.bottom};
  SignBounds = Content;
  SignBounds.left = SignBounds.right - GetSignWidth();
  RECT Area{};
  if (!GetPaneViewInfo()->IsCollapsed()) {
    Area = Content;
    Area.right = SignBounds.left - GetSignIndent();
  }
  int ItemWidth = 2 * GetButtonIndent() + GetImageSize().cx;
  ShownButtonCount = std::min(ItemWidth > 0 ? std::max(0, Width(Area)) / ItemWidth : 0, ItemCount());
  int IconH = GetIconHeight();
  for (int I = 0; I < ItemCount(); ++I) {
    TdxNavBarOverflowPanelViewInfoItem& B = Buttons[static_cast<size_t>(I)];
    if (I >= ShownButtonCount) {
      B.ButtonBounds = B.IconBounds = RECT{};
      continue;
    }
    int L = Area.right - ItemWidth * ShownButtonCount + ItemWidth * I;
    B.ButtonBounds = RECT{L, Area.top, L + ItemWidth, Area.bottom};
    int T = Area.top + (Height(Area) - IconH) / 2;
    B.IconBounds = RECT{L + GetButtonIndent(), T, L + ItemWidth - GetButtonIndent(), T + IconH};
  }
}

void TdxNavBarOverflowPanelViewInfo::Offset(int DY) {
  MoveDown(PanelBounds, DY);
  MoveDown(SignBounds, DY);
  for (auto& B : Buttons) {
    MoveDown(B.ButtonBounds, DY);
    MoveDown(B.IconBounds, DY);
  }
}

int TdxNavBarOverflowPanelViewInfo::ButtonAtPos(POINT P) const {
  for (int I = 0; I < ShownButtonCount; ++I)
    if (Holds(Buttons[static_cast<size_t>(I)].ButtonBounds, P)) return I;
  return -1;
}

TdxNavBarItemPanelViewInfo::TdxNavBarItemPanelViewInfo(TdxNavBarNavigationPaneViewInfo* APaneViewInfo)
    : TdxNavBarNavigationPaneCustomViewInfo(APaneViewInfo) {
  FAccessibilityHelper =
      ObtainNavBarAccessibilityHelper(TdxNavBarItemPanelAccessibilityHelper::Create(this, GetOwnerBar()));
  if (TdxNavBarCustomAccessibilityHelper* Root = GetOwnerBar()->GetAccessibilityHelper())
    Root->AttachChild(FAccessibilityHelper.Get());
}

TdxNavBarItemPanelViewInfo::~TdxNavBarItemPanelViewInfo() {
  TdxCustomNavBar* Bar = GetOwnerBar();
  if (!Bar->GetComponentState().Contains(csDestroying))
    if (TdxNavBarCustomAccessibilityHelper* Root = Bar->GetAccessibilityHelper())
      Root->DetachChild(FAccessibilityHelper.Get());
  ReleaseNavBarAccessibilityHelper(FAccessibilityHelper);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemPanelViewInfo::GetAccessibilityHelper() const {
  return FAccessibilityHelper ? FAccessibilityHelper->GetNavBarHelper() : nullptr;
}

std::string TdxNavBarItemPanelViewInfo::GetCollapseBarText() {
  TdxCustomNavBar* Bar = GetOwnerBar();
  if (Bar->GetOptionsView()->GetNavigationPane()->GetShowActiveGroupCaptionWhenCollapsed())
    if (TdxNavBarGroup* G = Bar->GetActiveGroup()) return RemoveAccelMarks(G->GetCaption());
  return ResolveResourceString(sdxNavigationPaneCollapseBar);
}

TFont* TdxNavBarItemPanelViewInfo::GetCollapseBarFont() { return GetPaneViewInfo()->GetNavigationPaneHeaderFont(); }

int TdxNavBarItemPanelViewInfo::GetPanelHeight() {
  TdxNavBarNavigationPaneViewInfo* P = GetPaneViewInfo();
  if (P->IsCollapsed()) {
    RECT R{0, 0, 0, 0};
    NavBarTextMetrics()->MeasureText(GetCollapseBarFont(), GetCollapseBarText(), DT_SINGLELINE, R);
    return Width(R) + 2 * P->ScaleValue(4);
  }
  return P->GetActiveGroupMinHeight();
}

void TdxNavBarItemPanelViewInfo::RebuildEntries() {
  Entries.clear();
  if (!InCollapsedForm || !CollapseBarSource) return;
  TFont* Font = GetPaneViewInfo()->DefaultStyle(dsItem)->GetFont();
  TCustomImageList* Small = GetOwnerBar()->GetSmallImages();
  for (int I = 0; I < CollapseBarSource->LinkCount(); ++I) {
    TdxNavBarItemLink* L = CollapseBarSource->Links(I);
    if (!L->GetItem() || !L->GetItem()->GetVisible()) continue;
    TdxNavBarItemPanelViewInfoItem E;
    E.Position = ItemCount();
    E.Link = L;
    E.CaptionFont = Font;
    E.Icons = Small;
    E.IconIndex = L->GetItem()->GetSmallImageIndex();
    Entries.push_back(E);
  }
}

void TdxNavBarItemPanelViewInfo::Calculate(int& X, int& Y) {
  TdxNavBarNavigationPaneViewInfo* P = GetPaneViewInfo();
  int W = P->ClientWidth() - 2 * X;
  if (!PanelGroupViewInfo || InCollapsedForm) {
    PanelBounds = RECT{X, Y, X + W, Y + GetPanelHeight()};
    Y = PanelBounds.bottom;
  } else {
    PanelGroupViewInfo->CalculateBounds(X, Y);
    PanelBounds = PanelGroupViewInfo->Rect;
  }
  CollapseBarBounds = RECT{};
  if (!InCollapsedForm) return;
  CollapseBarBounds = PanelBounds;
  int Pad = P->GroupCaptionImageIndent();
  int Top = CollapseBarBounds.bottom;
  TCustomImageList* Small = GetOwnerBar()->GetSmallImages();
  for (auto& E : Entries) {
    RECT T{0, 0, 0, 0};
    NavBarTextMetrics()->MeasureText(E.CaptionFont, E.Link->GetItem()->GetCaption(), DT_SINGLELINE, T);
    E.CaptionBounds = RECT{PanelBounds.left, Top, PanelBounds.right, Top + Width(T) + 2 * Pad};
    bool HasImage = !Small || (E.IconIndex >= 0 && E.IconIndex < Small->GetCount());
    SIZE S = HasImage ? (Small ? SIZE{Small->GetWidth(), Small->GetHeight()} : SIZE{16, 16}) : SIZE{0, 0};
    int L = E.CaptionBounds.left + (Width(E.CaptionBounds) - S.cx) / 2;
    E.IconBounds = RECT{L, E.CaptionBounds.bottom, L + S.cx, E.CaptionBounds.bottom + S.cy};
    E.EntryBounds = RECT{E.CaptionBounds.left, E.CaptionBounds.top, E.CaptionBounds.right,
                         E.IconBounds.bottom + (S.cy > 0 ? Pad : 0)};
    Top = E.EntryBounds.bottom;
  }
}

void TdxNavBarItemPanelViewInfo::Stretch(int DY) {
  PanelBounds.bottom += DY;
  if (!InCollapsedForm) {
    if (PanelGroupViewInfo) PanelGroupViewInfo->StretchBounds(0, DY);
    return;
  }
  int Rest = DY;
  size_t Keep = 0;
  while (Keep < Entries.size() && Height(Entries[Keep].EntryBounds) <= Rest) {
    Rest -= Height(Entries[Keep].EntryBounds);
    ++Keep;
  }
  Entries.resize(Keep);
  CollapseBarBounds.bottom += Rest;
  for (auto& E : Entries) {
    MoveDown(E.EntryBounds, Rest);
    MoveDown(E.CaptionBounds, Rest);
    MoveDown(E.IconBounds, Rest);
  }
  if (auto* H = dynamic_cast<TdxNavBarItemCollectionAccessibilityHelper*>(GetAccessibilityHelper()))
    H->Resynchronise();
}

int TdxNavBarItemPanelViewInfo::EntryAtPos(POINT P) const {
  for (int I = 0; I < ItemCount(); ++I)
    if (Holds(Entries[static_cast<size_t>(I)].EntryBounds, P)) return I;
  return -1;
}

// ---- pane view info

TdxNavBarNavigationPaneViewInfo::TdxNavBarNavigationPaneViewInfo(TdxNavBarPainter* APainter)
    : TdxNavBarOffice3ViewInfo(APainter) {}

void TdxNavBarNavigationPaneViewInfo::AfterConstruction() {
  TdxNavBarOffice3ViewInfo::AfterConstruction();
  TdxCustomNavBar* Bar = GetNavBar();
  FOverflowPanel.reset(CreateOverflowPanelViewInfo());
  FItemPanel.reset(TdxNavBarItemPanelViewInfo::Create(this));
  FMenuArrowImages = TImageList::Create(Bar);
  FConfigurationMenu = TPopupMenu::Create(Bar);
  FCaptionPanelHelper = ObtainNavBarAccessibilityHelper(
      TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper::Create(this, Bar));
  FHeaderSignHelper =
      ObtainNavBarAccessibilityHelper(TdxNavBarNavigationPaneHeaderSignAccessibilityHelper::Create(this, Bar));
  if (TdxNavBarCustomAccessibilityHelper* Root = Bar->GetAccessibilityHelper()) {
    Root->AttachChild(FCaptionPanelHelper.Get());
    Root->AttachChild(FHeaderSignHelper.Get());
    Root->AttachChild(static_cast<IdxNavBarAccessibilityHelper*>(FOverflowPanel->GetAccessibilityHelper()));
  }
}

void TdxNavBarNavigationPaneViewInfo::BeforeDestruction() {
  TdxCustomNavBar* Bar = GetNavBar();
  if (!Bar->GetComponentState().Contains(csDestroying))
    if (TdxNavBarCustomAccessibilityHelper* Root = Bar->GetAccessibilityHelper()) {
      Root->DetachChild(FCaptionPanelHelper.Get());
      Root->DetachChild(FHeaderSignHelper.Get());
      if (TdxNavBarCustomAccessibilityHelper* O = FOverflowPanel->ExistingAccessibilityHelper())
        Root->DetachChild(static_cast<IdxNavBarAccessibilityHelper*>(O));
    }
  ReleaseNavBarAccessibilityHelper(FCaptionPanelHelper);
  ReleaseNavBarAccessibilityHelper(FHeaderSignHelper);
  TdxNavBarOffice3ViewInfo::BeforeDestruction();
  FItemPanel.reset();
  FOverflowPanel.reset();
  if (!Bar->GetComponentState().Contains(csDestroying)) {
    Free(FConfigurationMenu);
    Free(FMenuArrowImages);
  }
}

TdxNavBarNavigationPaneViewInfo::~TdxNavBarNavigationPaneViewInfo() = default;

TdxNavBarOverflowPanelViewInfo* TdxNavBarNavigationPaneViewInfo::CreateOverflowPanelViewInfo() {
  return TdxNavBarOverflowPanelViewInfo::Create(this);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPaneViewInfo::GetActiveGroupCaptionPanelAccessibilityHelper()
    const {
  return FCaptionPanelHelper ? FCaptionPanelHelper->GetNavBarHelper() : nullptr;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPaneViewInfo::GetHeaderSignAccessibilityHelper() const {
  return FHeaderSignHelper ? FHeaderSignHelper->GetNavBarHelper() : nullptr;
}

void TdxNavBarNavigationPaneViewInfo::CreateColors() {
  AcquireNavPaneResources();
  AcquireOffice11Colors();
  FillOffice11Colors();
  FHoldsColors = true;
}

void TdxNavBarNavigationPaneViewInfo::RefreshColors() {
  FillOffice11Colors();
  RefreshNavPaneResources();
}

void TdxNavBarNavigationPaneViewInfo::ReleaseColors() {
  if (!FHoldsColors) return;
  FHoldsColors = false;
  ReleaseNavPaneResources();
  ReleaseOffice11ColorSet();
}

bool TdxNavBarNavigationPaneViewInfo::IsOverflowPanelShown() {
  return GetNavBar()->GetOptionsView()->GetNavigationPane()->GetShowOverflowPanel();
}
bool TdxNavBarNavigationPaneViewInfo::IsHeaderShown() {
  return GetNavBar()->GetOptionsView()->GetNavigationPane()->GetShowHeader();
}
bool TdxNavBarNavigationPaneViewInfo::IsCollapsed() {
  return GetNavBar()->GetOptionsBehavior()->GetNavigationPane()->GetCollapsed();
}
int TdxNavBarNavigationPaneViewInfo::PanelGroupCount() {
  TdxNavBarGroup* A = GetNavBar()->GetActiveGroup();
  return !IsCollapsed() && A && A->GetVisible() ? 1 : 0;
}

void TdxNavBarNavigationPaneViewInfo::GetGroupEdges(RECT& R) {
  TdxNavBarOffice3ViewInfo::GetGroupEdges(R);
  if (!IsHeaderShown()) R.top += GetBorderWidth();
  if (!IsOverflowPanelShown() && !GetNavBar()->GetShowGroupCaptions()) R.bottom += GetBorderWidth();
}

int TdxNavBarNavigationPaneViewInfo::GetHeaderHeight() {
  if (!IsHeaderShown()) return 0;
  SIZE S;
  GetGroupSignSize(S);
  return ViewMetric17() + std::max<int>(NavBarTextMetrics()->LineHeight(GetNavigationPaneHeaderFont()), S.cy);
}

int TdxNavBarNavigationPaneViewInfo::GetSizeGripSize() { return GetNavBar()->IsPopupControl() ? 15 : 0; }
int TdxNavBarNavigationPaneViewInfo::GetSplitterHeight() { return IsOverflowPanelShown() ? 7 : 0; }

void TdxNavBarNavigationPaneViewInfo::CalculateLargestImageSize() {
  if (LargestImageSizeKnown) return;
  LargestImageSizeKnown = true;
  LargestImageSize = FOverflowPanel->GetImageSize();
  TdxNavBarGroups* Gs = GetNavBar()->GetGroups();
  UniformGroupImageHeights = Gs->Count() > 0;
  int First = -1;
  for (int I = 0; I < Gs->Count(); ++I) {
    TOwned<TdxNavBarGroupViewInfo> T(GetPainter()->CreateGroupViewInfo(this, Gs->Items(I), true, false));
    int W = T->GetImageWidth(), H = T->GetImageHeight();
    if (First < 0) First = H;
    else if (H != First) UniformGroupImageHeights = false;
    LargestImageSize.cx = std::max<LONG>(LargestImageSize.cx, W);
    LargestImageSize.cy = std::max<LONG>(LargestImageSize.cy, H);
  }
}

int TdxNavBarNavigationPaneViewInfo::CollapsedWidth() {
  CalculateLargestImageSize();
  RECT HM;
  GetHeaderTextMargins(HM);
  SIZE Sign;
  GetGroupSignSize(Sign);
  int W = std::max({2 * GroupCaptionImageIndent() + static_cast<int>(LargestImageSize.cx),
                    FOverflowPanel->GetSignIndent() + FOverflowPanel->GetSignWidth(),
                    static_cast<int>(Sign.cx) + static_cast<int>(HM.left + HM.right)});
  POINT O;
  GetGroupsOffset(O);
  return W + 2 * O.x;
}

void TdxNavBarNavigationPaneViewInfo::MoveGroupsToOverflowPanel(int Count, bool ClearFirst) {
  if (ClearFirst) FOverflowPanel->Clear();
  if (!IsOverflowPanelShown()) return;
  int Floor = PanelGroupCount();
  for (int I = GroupCount() - 1; I >= Floor && FOverflowPanel->ItemCount() < Count; --I) {
    TdxNavBarOverflowPanelViewInfoItem B;
    B.TargetGroup = Groups(I)->GetGroup();
    FOverflowPanel->Buttons.insert(FOverflowPanel->Buttons.begin(), B);
    RemoveGroup(Groups(I));
  }
}

void TdxNavBarNavigationPaneViewInfo::CreateInfo() {
  TdxNavBarOffice3ViewInfo::CreateInfo();
  TdxCustomNavBar* Bar = GetNavBar();
  int Excess = Bar->GetShowGroupCaptions() ? Bar->HiddenGroupCount() : 0;
  MoveGroupsToOverflowPanel(Excess, true);
  FItemPanel->PanelGroupViewInfo = PanelGroupCount() > 0 && GroupCount() > 0 ? Groups(0) : nullptr;
  FItemPanel->InCollapsedForm = IsCollapsed();
  FItemPanel->CollapseBarSource = Bar->GetActiveGroup();
  FItemPanel->RebuildEntries();
}

void TdxNavBarNavigationPaneViewInfo::CreateGroupViewInfos() {
  TdxCustomNavBar* Bar = GetNavBar();
  if (PanelGroupCount() > 0) AddGroup(Bar->GetActiveGroup(), false, true);
  if (IsOverflowPanelShown() || Bar->GetShowGroupCaptions())
    for (int I = 0; I < Bar->GetGroups()->Count(); ++I) {
      TdxNavBarGroup* G = Bar->GetGroups()->Items(I);
      if (G->GetVisible()) AddGroup(G, true, false);
    }
  TdxNavBarCustomAccessibilityHelper* F = Bar->GetFocusedAccessibleObject();
  TdxNavBarGroup* A = Bar->GetActiveGroup();
  if (F && A && (F == A->ExistingCaptionPanelAccessibilityHelper() || F->GetOwnerObject() == A))
    Bar->SetFocusedAccessibleObject(GetActiveGroupCaptionPanelAccessibilityHelper());
}

void TdxNavBarNavigationPaneViewInfo::ClearRects() {
  TdxNavBarOffice3ViewInfo::ClearRects();
  HeaderBounds = HeaderTextBounds = HeaderSignBounds = SplitterBounds = SizeGripBounds = RECT{};
  FOverflowPanel->PanelBounds = FOverflowPanel->SignBounds = RECT{};
}

void TdxNavBarNavigationPaneViewInfo::CalculateHeaderBounds(int& X, int& Y) {
  HeaderTextBounds = HeaderSignBounds = RECT{};
  if (!IsHeaderShown()) return;
  int W = ClientWidth() - 2 * X;
  HeaderBounds = RECT{X, Y, X + W, Y + GetHeaderHeight()};
  RECT M;
  GetHeaderTextMargins(M);
  HeaderTextBounds = RECT{HeaderBounds.left + M.left, HeaderBounds.top + M.top, HeaderBounds.right - M.right,
                          HeaderBounds.bottom - M.bottom};
  if (GetNavBar()->GetOptionsBehavior()->GetNavigationPane()->GetCollapsible()) {
    RECT SM;
    GetHeaderSignMargins(SM);
    SIZE S;
    GetGroupSignSize(S);
    RECT Sign = HeaderTextBounds;
    Sign.right -= SM.right;
    Sign.left = Sign.right - S.cx;
    HeaderTextBounds.right = Sign.left - SM.left;
    int L = Sign.left + (Width(Sign) - S.cx) / 2, T = Sign.top + (Height(Sign) - S.cy) / 2;
    HeaderSignBounds = RECT{L, T, L + S.cx, T + S.cy};
  }
  Y = HeaderBounds.bottom + GetSpaceBetweenGroups();
}

void TdxNavBarNavigationPaneViewInfo::CalculateSplitterBounds(int& X, int& Y) {
  if (!IsOverflowPanelShown()) return;
  SplitterBounds = RECT{X, Y, ClientWidth() - X, Y + GetSplitterHeight()};
  Y = SplitterBounds.bottom + GetSpaceBetweenGroups();
}

void TdxNavBarNavigationPaneViewInfo::CalculateGroupsBounds(int X, int Y) {
  LargestImageSizeKnown = false;
  CalculateLargestImageSize();
  CalculateHeaderBounds(X, Y);
  FItemPanel->Calculate(X, Y);
  CalculateSplitterBounds(X, Y);
  for (int I = PanelGroupCount(); I < GroupCount(); ++I) Groups(I)->CalculateBounds(X, Y);
}

void TdxNavBarNavigationPaneViewInfo::CorrectBounds() {
  TdxCustomNavBar* Bar = GetNavBar();
  int Available = ClientHeight() - FOverflowPanel->GetHeight();
  if (CaptionButtonCount() == 0) Available -= GetSplitterHeight();
  int Used = GroupCount() > 0 ? static_cast<int>(Groups(GroupCount() - 1)->Rect.bottom)
                              : FItemPanel->GetPanelHeight() + static_cast<int>(HeaderBounds.bottom);
  int Delta = Available - Used;
  int MinPanel = FItemPanel->GetPanelHeight();
  int PanelH = Height(FItemPanel->PanelBounds);
  int Shortage = 0;
  if (Delta < MinPanel - PanelH) {
    Shortage = (MinPanel - PanelH) - Delta;
    Delta = MinPanel - PanelH;
  }
  if (IsOverflowPanelShown()) {
    int N = Bar->HiddenGroupCount();
    int Floor = PanelGroupCount();
    if (!Bar->GetShowGroupCaptions()) {
      N = GroupCount() - 1;
    } else if (Shortage > 0) {
      for (int I = GroupCount() - 1; I >= Floor && Shortage > 0; --I) {
        Shortage -= Height(Groups(I)->Rect);
        ++N;
      }
      // A button taller than the shortage gives the rest back to the item panel.
      Delta -= Shortage;
    }
    MoveGroupsToOverflowPanel(N, false);
    int Y = CaptionButtonCount() > 0 && Bar->GetShowGroupCaptions()
                ? static_cast<int>(Groups(GroupCount() - 1)->Rect.bottom)
                : static_cast<int>(SplitterBounds.bottom);
    FOverflowPanel->Calculate(SplitterBounds.left, Y);
  }
  FItemPanel->Stretch(Delta);
  for (int I = PanelGroupCount(); I < GroupCount(); ++I) Groups(I)->OffsetBounds(0, Delta);
  MoveDown(SplitterBounds, Delta);
  FOverflowPanel->Offset(Delta);
  CalculateScrollButtons();
  CalculateSizeGripBounds();
}

void TdxNavBarNavigationPaneViewInfo::CalculateSizeGripBounds() {
  int S = GetSizeGripSize();
  int W = ClientWidth(), H = ClientHeight();
  SizeGripBounds = S > 0 ? RECT{W - S, H - S, W, H} : RECT{};
}

bool TdxNavBarNavigationPaneViewInfo::IsPtHeaderSign(POINT P) const { return Holds(HeaderSignBounds, P); }
bool TdxNavBarNavigationPaneViewInfo::IsPtOverflowSign(POINT P) const { return Holds(FOverflowPanel->SignBounds, P); }
bool TdxNavBarNavigationPaneViewInfo::IsPtSplitter(POINT P) const { return Holds(SplitterBounds, P); }

namespace {
int SplitterStep(TdxNavBarNavigationPaneViewInfo* V) {
  return V->CaptionButtonCount() > 0 ? Height(V->Groups(V->PanelGroupCount())->Rect) : 20;
}
int SplitterMiddle(TdxNavBarNavigationPaneViewInfo* V) { return V->SplitterBounds.top + Height(V->SplitterBounds) / 2; }
}  // namespace

bool TdxNavBarNavigationPaneViewInfo::IsFarEnoughUp(int Y) { return Y < SplitterMiddle(this) - SplitterStep(this); }
bool TdxNavBarNavigationPaneViewInfo::IsFarEnoughDown(int Y) { return Y > SplitterMiddle(this) + SplitterStep(this); }

// ---- colours and styles

TColor TdxNavBarNavigationPaneViewInfo::GetBorderColor() { return Office11Color38; }

TdxNavBarStyleValues TdxNavBarNavigationPaneViewInfo::TopScrollButtonValues() {
  TdxNavBarStyleValues V = TdxNavBarOffice3ViewInfo::TopScrollButtonValues();
  TdxNavBarObjectStates S = GetTopScrollButtonState();
  if (S & nsPressed) ApplyPaneColors(V, Office11Color43, Office11Color44);
  else if (S & nsHotTracked) ApplyPaneColors(V, Office11Color41, Office11Color42);
  else ApplyPaneColors(V, Office11Color39, Office11Color40);
  return V;
}

TdxNavBarStyleValues TdxNavBarNavigationPaneViewInfo::BottomScrollButtonValues() {
  TdxNavBarStyleValues V = TdxNavBarOffice3ViewInfo::BottomScrollButtonValues();
  TdxNavBarObjectStates S = GetBottomScrollButtonState();
  if (S & nsPressed) ApplyPaneColors(V, Office11Color43, Office11Color44);
  else if (S & nsHotTracked) ApplyPaneColors(V, Office11Color41, Office11Color42);
  else ApplyPaneColors(V, Office11Color39, Office11Color40);
  return V;
}

TdxNavBarStyleValues TdxNavBarNavigationPaneViewInfo::NavigationPaneHeaderPaneValues() {
  TdxNavBarStyleValues V = NavigationPaneHeaderValues();
  ApplyPaneColors(V, Office11Color47, Office11Color48);
  return V;
}

TColor TdxNavBarNavigationPaneViewInfo::GetNavigationPaneHeaderFontColor() {
  TColor C = NavigationPaneHeaderValues().Font->GetColor();
  return C == clNone ? Office11Color49 : C;
}

TdxNavBarStyleValues TdxNavBarNavigationPaneViewInfo::OverflowPanelValues() {
  // The overflow panel takes the bar's button style.
  TdxNavBarStyleValues V = ResolveStyle(BarStyle(4), DefaultStyle(dsButton));
  ApplyPaneColors(V, Office11Color39, Office11Color40);
  return V;
}

TdxNavBarStyleValues TdxNavBarNavigationPaneViewInfo::SplitterValues() {
  if (Office11ColorScheme() != 0) return NavigationPaneHeaderPaneValues();
  TdxNavBarStyleValues V = NavigationPaneHeaderValues();
  ApplyPaneColors(V, Office11NavPaneSplitterColor1, Office11NavPaneSplitterColor2);
  V.GradientMode = gmVertical;
  return V;
}

namespace {
void Fill(TdxNavBarBaseStyle* S, TColor C) {
  S->Reset();
  S->SetBackColor(C);
  S->SetBackColor2(C);
}
}  // namespace

void TdxNavBarNavigationPaneViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) { Fill(S, clWindow); }
void TdxNavBarNavigationPaneViewInfo::AssignDefaultButtonStyle(TdxNavBarBaseStyle* S) { Fill(S, clNone); }
void TdxNavBarNavigationPaneViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) { Fill(S, clWindow); }
void TdxNavBarNavigationPaneViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  Fill(S, clNone);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsBold);
}
void TdxNavBarNavigationPaneViewInfo::AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) {
  TdxNavBarOffice3ViewInfo::AssignDefaultGroupHeaderActiveStyle(S);
  if (BtnFaceIsWhite()) S->GetFont()->SetColor(clHighlightText);
}
void TdxNavBarNavigationPaneViewInfo::AssignDefaultGroupHeaderActiveHotTrackedStyle(TdxNavBarBaseStyle* S) {
  TdxNavBarOffice3ViewInfo::AssignDefaultGroupHeaderActiveHotTrackedStyle(S);
  if (BtnFaceIsWhite()) S->GetFont()->SetColor(clHighlightText);
}
void TdxNavBarNavigationPaneViewInfo::AssignDefaultGroupHeaderActivePressedStyle(TdxNavBarBaseStyle* S) {
  TdxNavBarOffice3ViewInfo::AssignDefaultGroupHeaderActivePressedStyle(S);
  if (BtnFaceIsWhite()) S->GetFont()->SetColor(clHighlightText);
}
void TdxNavBarNavigationPaneViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clWindowText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarNavigationPaneViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetColor(clGrayText);
}
void TdxNavBarNavigationPaneViewInfo::AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S) {
  Fill(S, clNone);
  S->GetFont()->SetColor(clNone);
  S->GetFont()->SetName("Arial");
  S->GetFont()->SetSize(11);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsBold);
}

// ---- hit tests

TdxNavBarGroupViewInfo* TdxNavBarNavigationPaneViewInfo::GetGroupViewInfoAtItemsPos(POINT P) {
  TdxNavBarGroupViewInfo* G = TdxNavBarOffice3ViewInfo::GetGroupViewInfoAtItemsPos(P);
  TdxCustomNavBar* Bar = GetNavBar();
  bool Busy = Bar->GetPressedGroup() || (Bar->IsDragging() && Bar->GetDragGroup());
  if (G && Busy && PanelGroupCount() > 0 && G == Groups(0)) return nullptr;
  return G;
}

TdxNavBarItemLink* TdxNavBarNavigationPaneViewInfo::GetLinkAtPos(POINT P) {
  if (!IsCollapsed()) return TdxNavBarOffice3ViewInfo::GetLinkAtPos(P);
  TdxNavBarNavigationPaneController* C = PaneController(GetNavBar());
  TdxNavBarPartRef Part;
  if (C) C->GetPartAtPos(P, Part);
  if (Part.Kind == 4 && Part.Index >= 0 && Part.Index < FItemPanel->ItemCount())
    return FItemPanel->Entries[static_cast<size_t>(Part.Index)].Link;
  if (C && C->GetOpenPart() == TdxNavBarPartRef{5, -1}) return C->LinkInPopupAt(P);
  return nullptr;
}

int TdxNavBarNavigationPaneViewInfo::GetViewInfoAtDragPosition(POINT P, TdxNavBarGroupViewInfo*& G,
                                                               TdxNavBarLinkViewInfo*& Next,
                                                               TdxNavBarLinkViewInfo*& Prev) {
  int Index = TdxNavBarOffice3ViewInfo::GetViewInfoAtDragPosition(P, G, Next, Prev);
  if (G && GroupCount() > 0 && G != Groups(0) && G->GetGroup() == GetNavBar()->GetActiveGroup() &&
      PanelGroupCount() > 0) {
    G = Groups(0);
    Next = nullptr;
    Prev = G->LinkCount() > 0 ? G->Links(0) : nullptr;
    return 0;
  }
  return Index;
}

TdxNavBarGroup* TdxNavBarNavigationPaneViewInfo::FindGroupWithAccel(wchar_t CharCode) {
  if (TdxNavBarGroup* G = TdxNavBarOffice3ViewInfo::FindGroupWithAccel(CharCode)) return G;
  if (!IsOverflowPanelShown() || IsCollapsed()) return nullptr;
  for (auto& B : FOverflowPanel->Buttons)
    if (IsAccelChar(CharCode, B.TargetGroup->GetCaption())) return B.TargetGroup;
  return nullptr;
}

TdxNavBarItemLink* TdxNavBarNavigationPaneViewInfo::FindLinkWithAccel(wchar_t CharCode) {
  if (TdxNavBarItemLink* L = TdxNavBarOffice3ViewInfo::FindLinkWithAccel(CharCode)) return L;
  for (auto& E : FItemPanel->Entries)
    if (E.Link->GetItem() && IsAccelChar(CharCode, E.Link->GetItem()->GetCaption())) return E.Link;
  return nullptr;
}

// ---- configuration menu

void TdxNavBarNavigationPaneViewInfo::AddMenuArrowImage(const char* Name) {
  TBitmap* Src = LoadNavBarGlyph(Name);
  int W = FMenuArrowImages->GetWidth(), H = FMenuArrowImages->GetHeight();
  TColor Key = FMenuArrowImages->GetBkColor() == clNone ? static_cast<TColor>(0xFF00FF) : FMenuArrowImages->GetBkColor();
  TBitmap* B = TBitmap::Create();
  B->SetSize(W, H);
  RECT R{0, 0, W, H};
  B->GetCanvas()->GetBrush()->SetColor(Key);
  B->GetCanvas()->FillRect(R);
  if (Src) {
    int Side = std::min(W, H);
    int L = (W - Side) / 2, T = (H - Side) / 2;
    HDC S = Src->GetCanvas()->GetHandle();
    // The source's own key stays the list's key.
    GdiTransparentBlt(B->GetCanvas()->GetHandle(), L, T, Side, Side, S, 0, 0, Src->GetWidth(), Src->GetHeight(),
                      GetPixel(S, 0, Src->GetHeight() - 1));
  }
  FMenuArrowImages->AddMasked(B, Key);
  Free(B);
  Free(Src);
}

void TdxNavBarNavigationPaneViewInfo::UpdateOverflowMenu() {
  TdxCustomNavBar* Bar = GetNavBar();
  TCustomImageList* Small = Bar->GetSmallImages();
  FConfigurationMenu->SetImages(nullptr);
  Free(FMenuArrowImages);
  FMenuArrowImages = TImageList::Create(Bar);
  if (Small) {
    FMenuArrowImages->SetWidth(Small->GetWidth());
    FMenuArrowImages->SetHeight(Small->GetHeight());
  }
  FMenuImageBase = Small ? Small->GetCount() : 0;
  AddMenuArrowImage("DXNAVBAROFFICE11NAVPANEARROWUP");
  AddMenuArrowImage("DXNAVBAROFFICE11NAVPANEARROWDOWN");
  AddMenuArrowImage("DXNAVBAROFFICE11NAVPANEDEFAULTSMALL");
  TMenuItem* Root = FConfigurationMenu->GetItems();
  Root->Clear();
  FConfigurationMenu->SetImages(FMenuArrowImages);
  auto GroupImage = [&](TdxNavBarGroup* G) {
    int I = G->GetSmallImageIndex();
    return Small && I >= 0 && I < Small->GetCount() ? I : FMenuImageBase + 2;
  };
  auto Make = [&](TMenuItem* Parent, const std::string& Caption, bool Enabled, int Image) {
    TMenuItem* M = TMenuItem::Create(FConfigurationMenu);
    M->SetCaption(Caption);
    M->SetEnabled(Enabled);
    M->SetImageIndex(Image);
    M->OnDrawItem = Bind(this, &TdxNavBarNavigationPaneViewInfo::DrawMenuItem);
    if (Caption != "-") M->OnMeasureItem = Bind(this, &TdxNavBarNavigationPaneViewInfo::MeasureMenuItem);
    Parent->Add(M);
    return M;
  };
  Make(Root, ResolveResourceString(sdxNavBarOffice11ShowMoreButtons), Bar->CanShowMoreGroups(), FMenuImageBase)
      ->OnClick = Bind(this, &TdxNavBarNavigationPaneViewInfo::MenuShowMore);
  Make(Root, ResolveResourceString(sdxNavBarOffice11ShowFewerButtons), Bar->CanShowFewerGroups(), FMenuImageBase + 1)
      ->OnClick = Bind(this, &TdxNavBarNavigationPaneViewInfo::MenuShowFewer);
  TdxNavBarGroups* Gs = Bar->GetGroups();
  if (Bar->GetOptionsBehavior()->GetNavigationPane()->GetAllowCustomizing()) {
    TMenuItem* Add = Make(Root, ResolveResourceString(sdxNavBarOffice11AddRemoveButtons), Gs->Count() > 0, -1);
    for (int I = 0; I < Gs->Count(); ++I) {
      TdxNavBarGroup* G = Gs->Items(I);
      if (!G->GetVisibleForCustomization()) continue;
      TMenuItem* M = Make(Add, G->GetCaption(), true, GroupImage(G));
      M->SetTag(I);
      M->SetChecked(G->GetVisible());
      M->SetAutoCheck(true);
      M->OnClick = Bind(this, &TdxNavBarNavigationPaneViewInfo::MenuToggleGroup);
    }
  }
  Make(Root, "-", true, -1);
  for (int I = FOverflowPanel->ShownButtonCount; I < FOverflowPanel->ItemCount(); ++I) {
    TdxNavBarGroup* G = FOverflowPanel->Buttons[static_cast<size_t>(I)].TargetGroup;
    TMenuItem* M = Make(Root, G->GetCaption(), true, GroupImage(G));
    M->SetTag(reinterpret_cast<std::intptr_t>(G));
    M->SetChecked(G == Bar->GetActiveGroup());
    M->OnClick = Bind(this, &TdxNavBarNavigationPaneViewInfo::MenuActivateGroup);
  }
}

void TdxNavBarNavigationPaneViewInfo::MenuShowMore(TObject*) { GetNavBar()->ShowMoreGroups(); }
void TdxNavBarNavigationPaneViewInfo::MenuShowFewer(TObject*) { GetNavBar()->ShowFewerGroups(); }

void TdxNavBarNavigationPaneViewInfo::MenuToggleGroup(TObject* Sender) {
  auto* M = static_cast<TMenuItem*>(Sender);
  TdxNavBarGroups* Gs = GetNavBar()->GetGroups();
  int I = static_cast<int>(M->GetTag());
  if (I >= 0 && I < Gs->Count()) Gs->Items(I)->SetVisible(M->GetChecked());
}

void TdxNavBarNavigationPaneViewInfo::MenuActivateGroup(TObject* Sender) {
  auto* G = reinterpret_cast<TdxNavBarGroup*>(static_cast<TMenuItem*>(Sender)->GetTag());
  TdxNavBarGroups* Gs = GetNavBar()->GetGroups();
  // The group may have gone while the menu was open.
  if (Gs->IndexOf(G) >= 0) GetNavBar()->SetActiveGroup(G);
}

void TdxNavBarNavigationPaneViewInfo::MeasureMenuItem(TObject*, TCanvas*, int&, int& Height) {
  Height = 2 * FOverflowPanel->GetMenuImageIndent() + SmallImageHeight();
}

void TdxNavBarNavigationPaneViewInfo::DrawMenuItem(TObject* Sender, TCanvas* Canvas, const RECT& R, UINT State) {
  auto* M = static_cast<TMenuItem*>(Sender);
  auto* P = dynamic_cast<TdxNavBarNavigationPanePainter*>(GetPainter());
  if (!P) return;
  int Bits = ((State & ODS_SELECTED) ? 0x20 : 0) | (M->GetChecked() ? 0x01 : 0) |
             ((State & (ODS_DISABLED | ODS_GRAYED)) || !M->GetEnabled() ? 0x02 : 0);
  TCustomImageList* Small = GetNavBar()->GetSmallImages();
  int Index = M->GetImageIndex();
  TCustomImageList* List = Small && Index >= 0 && Index < Small->GetCount() ? Small : FMenuArrowImages;
  if (List == FMenuArrowImages && Index >= 0) Index -= FMenuImageBase;
  P->DrawOverflowMenuItem(Canvas, R, Bits, M->GetCaption(), Index, List);
}

// ---- group and link view infos

bool TdxNavBarNavigationPaneGroupViewInfo::CaptionUnassigned() {
  TdxNavBarStyleValues V = CaptionValues();
  return V.BackColor == clNone || V.BackColor2 == clNone;
}

TColor TdxNavBarNavigationPaneGroupViewInfo::GetCaptionBackColor() {
  if (!CaptionUnassigned()) return TdxNavBarGroupViewInfo::GetCaptionBackColor();
  TdxNavBarObjectStates S = GetState();
  bool Active = S & nsActive, Hot = S & nsHotTracked;
  return Active && Hot ? Office11Color45 : Active ? Office11Color43 : Hot ? Office11Color41 : Office11Color39;
}

TColor TdxNavBarNavigationPaneGroupViewInfo::GetCaptionBackColor2() {
  if (!CaptionUnassigned()) return TdxNavBarGroupViewInfo::GetCaptionBackColor2();
  TdxNavBarObjectStates S = GetState();
  bool Active = S & nsActive, Hot = S & nsHotTracked;
  return Active && Hot ? Office11Color46 : Active ? Office11Color44 : Hot ? Office11Color42 : Office11Color40;
}

std::uint8_t TdxNavBarNavigationPaneGroupViewInfo::GetCaptionAlphaBlending() {
  return CaptionUnassigned() ? 255 : TdxNavBarGroupViewInfo::GetCaptionAlphaBlending();
}
std::uint8_t TdxNavBarNavigationPaneGroupViewInfo::GetCaptionAlphaBlending2() {
  return CaptionUnassigned() ? 255 : TdxNavBarGroupViewInfo::GetCaptionAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarNavigationPaneGroupViewInfo::GetCaptionGradientMode() {
  return CaptionUnassigned() ? gmVertical : TdxNavBarGroupViewInfo::GetCaptionGradientMode();
}
TColor TdxNavBarNavigationPaneGroupViewInfo::GetCaptionBorderColor() { return Office11Color38; }

TColor TdxNavBarOffice11NavPaneLinkViewInfo::GetSeparatorColor() { return GetViewInfo()->GetBorderColor(); }
