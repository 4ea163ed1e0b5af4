#include "suite/bars/BarCategories.h"
#include "suite/bars/BarItems.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/IniFiles.h"
#include "framework/Reader.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"

namespace {
const std::vector<std::string> VisibleNames{"ivNever", "ivInCustomizing", "ivAlways"};
const std::vector<std::string> MergeKindNames{"mkAdd", "mkMergeByCaption", "mkNone"};
const std::vector<std::string> PaintStyleNames{"psStandard", "psCaption", "psCaptionInMenu", "psCaptionGlyph"};
const std::vector<std::string> ButtonStyleNames{"bsDefault", "bsChecked", "bsDropDown", "bsCheckedDropDown"};

TdxBarManager* ManagerForOwner(TComponent* Owner) {
  if (TdxBarManager* M = FindBarManagerByOwner(Owner)) return M;
  TdxBarManagerList* List = BarManagerList();
  return List && List->GetCount() ? List->GetManager(0) : nullptr;
}

// The text before the first "|" (the short part of a hint).
std::string ShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }
}  // namespace

// ---- TdxBarItem

SONVELT_PUBLISHED(TdxBarItem, P) {
  P.String("Caption", &TdxBarItem::GetCaption, &TdxBarItem::SetCaption);
  P.Integer("Category", &TdxBarItem::GetCategory, &TdxBarItem::SetCategory).NoDefault();
  P.String("Description", &TdxBarItem::GetDescription, &TdxBarItem::SetDescription);
  P.Boolean("Enabled", &TdxBarItem::GetEnabled, &TdxBarItem::SetEnabled).Default(true);
  P.Integer("HelpContext", &TdxBarItem::GetHelpContext, &TdxBarItem::SetHelpContext).Default(0);
  P.String("Hint", &TdxBarItem::GetHint, &TdxBarItem::SetHint);
  P.String("KeyTip", &TdxBarItem::GetKeyTip, &TdxBarItem::SetKeyTip);
  P.Enum("MergeKind", &TdxBarItem::GetMergeKind, &TdxBarItem::SetMergeKind, MergeKindNames).Default(mkAdd);
  P.Integer("MergeOrder", &TdxBarItem::GetMergeOrder, &TdxBarItem::SetMergeOrder).Default(0);
  P.Enum("Visible", &TdxBarItem::GetVisible, &TdxBarItem::SetVisible, VisibleNames).NoDefault();
  P.Event("OnDestroy", &TdxBarItem::OnDestroy);
}

TdxBarItem::TdxBarItem(TComponent* AOwner) : TdxBarComponent(AOwner), FGlyph(TBitmap::Create()) {
  FGlyph->OnChange = Bind(this, &TdxBarItem::GlyphBitmapChanged);
  if (TdxBarManager* M = ManagerForOwner(AOwner)) {
    SetBarManager(M);
    M->AddItem(this);
  }
}

TdxBarItem::~TdxBarItem() { ClearLinksToObject(this); }

void TdxBarItem::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  OnDestroy(this);
  RemoveAllLinks();
  TdxBarComponent::BeforeDestruction();
}

void TdxBarItem::GlyphBitmapChanged(TObject* Sender) { GlyphChanged(); }

std::string TdxBarItem::GetDefaultCaption() const { return BarString(dxSBAR_NEWITEMCAPTION); }

void TdxBarItem::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  bool HintFollows = !dynamic_cast<TCustomdxBarSubItem*>(this) &&
                     (FHint.empty() || ShortHint(FHint) == GetPlainCaption());
  FCaption = Value;
  if (IsLoading()) return;
  if (HintFollows) {
    size_t Bar = FHint.find('|');
    FHint = GetPlainCaption() + (Bar == std::string::npos ? std::string() : FHint.substr(Bar));
  }
  CaptionChanged();
}

void TdxBarItem::SetCategory(int Value) {
  if (IsLoading()) {
    FCategory = Value;
    return;
  }
  TdxBarManager* M = GetBarManager();
  if (!M || Value < 0 || Value >= M->GetCategories()->GetCount()) return;
  // Behind the last item of that category.
  int Last = -1;
  for (int I = 0; I < M->ItemCount(); ++I)
    if (M->ItemByIndex(I) != this && M->ItemByIndex(I)->GetCategory() == Value) Last = I;
  int Own = M->IndexOfItem(this);
  if (Last >= 0 && Own >= 0) M->MoveItem(Own, Last < Own ? Last + 1 : Last);
  FCategory = Value;
  Changed(true);
}

void TdxBarItem::SetDescription(const std::string& Value) {
  if (FDescription == Value) return;
  FDescription = Value;
  Changed();
}

bool TdxBarItem::GetEnabled() const {
  TdxBarManager* M = GetBarManager();
  if (M && !M->InDesignMode() && M->IsCustomizingOrDesigning() && FCategory >= 0) return true;
  return StoredEnabled();
}

void TdxBarItem::SetEnabled(bool Value) {
  if (StoredEnabled() == Value) return;
  StoreEnabled(Value);
  if (!IsLoading()) EnabledChanged();
}

void TdxBarItem::SetVisible(TdxBarItemVisible Value) {
  if (IsLoading()) {
    FLoadedVisible = Value;
    return;
  }
  if (GetVisible() == Value) return;
  StoreVisible(Value);
  if (!GetComponentState().Contains(csDesigning)) VisibleChanged();
}

void TdxBarItem::ApplyLoadedVisible() {
  StoreVisible(FLoadedVisible);
}

void TdxBarItem::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }

void TdxBarItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  GlyphChanged();
}

void TdxBarItem::SetLargeImageIndex(int Value) {
  if (FLargeImageIndex == Value) return;
  FLargeImageIndex = Value;
  LargeGlyphChanged();
}

void TdxBarItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  if (!IsLoading()) ShortCutChanged();
}

void TdxBarItem::SetPaintStyle(TdxBarPaintStyle Value) {
  if (FPaintStyle == Value) return;
  FPaintStyle = Value;
  if (!IsLoading()) ForEachControl([](TdxBarItemControl* C) { C->PaintStyleChanged(); });
}

TdxBarItemLink* TdxBarItem::GetLink(int Index) const {
  return Index >= 0 && Index < LinkCount() ? FLinks[static_cast<size_t>(Index)] : nullptr;
}

TdxBarItemLink* TdxBarItem::GetActiveLink() const {
  for (TdxBarItemLink* L : FLinks)
    if (L->GetControl() && L->GetControl()->GetActive()) return L;
  return nullptr;
}

void TdxBarItem::AddLink(TdxBarItemLink* Link) {
  if (std::find(FLinks.begin(), FLinks.end(), Link) == FLinks.end()) FLinks.push_back(Link);
}

void TdxBarItem::RemoveLink(TdxBarItemLink* Link) { std::erase(FLinks, Link); }

void TdxBarItem::RemoveAllLinks() {
  TdxBarManager* M = GetBarManager();
  bool Lock = false;
  if (M && !M->IsDestroying() && !M->IsBarsUpdateLocked())
    for (TdxBarItemLink* L : FLinks)
      if (dynamic_cast<TdxBarControl*>(L->GetBarControl())) Lock = true;
  if (Lock) M->LockBarsUpdate();
  try {
    while (!FLinks.empty()) Free(FLinks.back());
  } catch (...) {
    if (Lock) M->UnlockBarsUpdate(true);
    throw;
  }
  if (Lock) M->UnlockBarsUpdate(true);
}

TdxBarItemControlClass TdxBarItem::ItemControlClass(bool Rotated) const {
  (void)Rotated;
  TdxBarItemList* Registry = BarItemClassRegistry();
  return Registry ? Registry->ControlClassOf(ClassType()) : TdxBarItemControlClass();
}

bool TdxBarItem::CanBePlacedOn(TdxBarItemHolderKind Kind, std::string& Text) const {
  (void)Kind;
  Text.clear();
  return true;
}

bool TdxBarItem::IsVisibleNow() const {
  TdxBarManager* M = GetBarManager();
  bool Customizing = M && M->IsCustomizingOrDesigning();
  if (GetVisible() == ivAlways) return HasListData() || Customizing;
  return GetVisible() == ivInCustomizing && Customizing;
}

std::string TdxBarItem::GetPlainCaption() const {
  std::string S = FCaption;
  size_t Amp = S.find('&');
  if (Amp != std::string::npos) S.erase(Amp, 1);
  size_t Dots = S.find("...");
  if (Dots != std::string::npos) S.erase(Dots, 3);
  return S;
}

void TdxBarItem::TryClick() {
  if (CanClick()) DoClick();
}

void TdxBarItem::DoClick() {
  if (!GetEnabled()) return;
  try {
    if (TdxBarManager* M = GetBarManager()) M->DoClickItem(this);
    Click();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TdxBarItem::Click() { OnClick(this); }

bool TdxBarItem::HandleShortCut(TShortCut ShortCut) {
  if (!GetEnabled()) return false;
  if (CanClick() && ShortCut == FShortCut) {
    TryClick();
    return true;
  }
  if (TdxBarItemLinks* Links = GetItemLinks()) return Links->HandleShortCut(ShortCut);
  return false;
}

void TdxBarItem::ForEachControl(const std::function<void(TdxBarItemControl*)>& Proc) {
  std::vector<TdxBarItemLink*> Links = FLinks;
  for (TdxBarItemLink* L : Links)
    if (L->GetControl()) Proc(L->GetControl());
}

void TdxBarItem::CaptionChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    if (!C->GetItemLink()->GetUserDefine().Contains(udCaption)) C->CaptionChanged();
  });
  Changed();
}

void TdxBarItem::EnabledChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    C->InvalidateGlyphCache(false);
    C->EnabledChanged();
  });
}

void TdxBarItem::GlyphChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    if (!C->GetItemLink()->GetUserDefine().Contains(udGlyph)) {
      C->InvalidateGlyphCache(true);
      C->GlyphChanged();
    }
  });
  Changed();
}

void TdxBarItem::HotGlyphChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    C->InvalidateGlyphCache(false);
    C->HotGlyphChanged();
  });
}

void TdxBarItem::LargeGlyphChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    C->InvalidateGlyphCache(true);
    C->LargeGlyphChanged();
  });
  Changed();
}

void TdxBarItem::ShortCutChanged() {
  UpdateInKinds(1u << bwkSubMenu);
  Changed();
}

void TdxBarItem::VisibleChanged() {
  TdxBarManager* M = GetBarManager();
  if (M) M->LockBarsUpdate();
  try {
    std::vector<TdxBarItemLink*> Links = FLinks;
    for (TdxBarItemLink* L : Links) L->VisibilityChanged();
  } catch (...) {
    if (M) M->UnlockBarsUpdate();
    Changed();
    throw;
  }
  if (M) M->UnlockBarsUpdate();
  Changed();
}

void TdxBarItem::Update() {
  ForEachControl([](TdxBarItemControl* C) {
    if (!C->IsSelectedInParent()) C->Repaint();
  });
}

void TdxBarItem::UpdateInKinds(unsigned Kinds) {
  std::vector<TCustomdxBarControl*> Windows;
  ForEachControl([&](TdxBarItemControl* C) {
    TCustomdxBarControl* W = C->GetParent();
    if (W && (Kinds & (1u << W->Kind())) && std::find(Windows.begin(), Windows.end(), W) == Windows.end())
      Windows.push_back(W);
  });
  for (TCustomdxBarControl* W : Windows) {
    TdxBarItemControl* Selected = W->SelectedItemControl();
    if (Selected && Selected->LinkedItem() == this && W->IsActive()) continue;
    W->Rebuild();
  }
}

TComponent* TdxBarItem::GetParentComponent() const { return HasParent() ? GetBarManager() : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* Value) {
  if (IsLoading()) return;
  auto* M = dynamic_cast<TdxBarManager*>(Value);
  if (!M || M == GetBarManager()) return;
  if (GetBarManager()) GetBarManager()->RemoveItem(this);
  SetBarManager(M);
  M->AddItem(this);
  BarManagerChanged();
}

void TdxBarItem::ReadState(TReader* Reader) {
  TdxBarComponent::ReadState(Reader);
  if (auto* M = dynamic_cast<TdxBarManager*>(Reader->GetParent())) {
    if (GetBarManager() != M) {
      if (GetBarManager()) GetBarManager()->RemoveItem(this);
      SetBarManager(M);
      M->AddItem(this);
    }
    BarManagerChanged();
  }
}

void TdxBarItem::SetName(const std::string& NewName) {
  TdxBarComponent::SetName(NewName);
  if (!(GetComponentState().Contains(csDesigning) && NewName.empty())) Changed();
}

void TdxBarItem::Loaded() { TdxBarComponent::Loaded(); }

// ---- TdxBarButton

SONVELT_PUBLISHED(TdxBarButton, P) {
  P.Enum("ButtonStyle", &TdxBarButton::GetButtonStyle, &TdxBarButton::SetButtonStyle, ButtonStyleNames)
      .Default(bsDefault);
  P.Boolean("Down", &TdxBarButton::GetDown, &TdxBarButton::SetDown).Default(false);
  P.Object("Glyph", &TdxBarButton::GetGlyph);
  P.Integer("ImageIndex", &TdxBarButton::GetImageIndex, &TdxBarButton::SetImageIndex).Default(-1);
  P.Enum("PaintStyle", &TdxBarButton::GetPaintStyle, &TdxBarButton::SetPaintStyle, PaintStyleNames)
      .Default(psStandard);
  P.Integer("ShortCut", &TdxBarButton::GetShortCut, &TdxBarButton::SetShortCut).Default(0);
  P.Event("OnClick", &TdxBarButton::OnClick);
}

std::string TdxBarButton::GetDefaultCaption() const { return BarString(dxSBAR_NEWBUTTONCAPTION); }

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle Value) {
  if (FButtonStyle == Value) return;
  FButtonStyle = Value;
  if (Value != bsChecked && Value != bsCheckedDropDown) FDown = false;
  if (!IsLoading()) Update();
}

void TdxBarButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  if (!IsLoading()) Update();
}

// ---- TdxBarSeparator

bool TdxBarSeparator::CanBePlacedOn(TdxBarItemHolderKind Kind, std::string& Text) const {
  if (Kind == hkMenu) {
    Text.clear();
    return true;
  }
  Text = BarString(dxSBAR_CANTPLACESEPARATOR);
  return false;
}

std::string TdxBarSeparator::GetDefaultCaption() const { return BarString(dxSBAR_NEWSEPARATORCAPTION); }

// ---- TCustomdxBarSubItem

TCustomdxBarSubItem::TCustomdxBarSubItem(TComponent* AOwner)
    : TdxBarItem(AOwner), FItemLinks(TdxBarSubMenuControlItemLinks::Create(GetBarManager(), this)) {}

TCustomdxBarSubItem::~TCustomdxBarSubItem() = default;

std::string TCustomdxBarSubItem::GetDefaultCaption() const { return BarString(dxSBAR_NEWSUBITEMCAPTION); }

void TCustomdxBarSubItem::BarManagerChanged() { FItemLinks->SetBarManager(GetBarManager()); }

bool TCustomdxBarSubItem::CanContainItem(TdxBarItem* Item, std::string& Text) {
  if (!Item->CanBePlacedOn(hkMenu, Text)) return false;
  TdxBarItemLinks* Own = Item->GetItemLinks();
  if (Own && (Item == this || Own->LeadsToOwner(this))) {
    Text = BarString(dxSBAR_RECURSIVEMENUS);
    return false;
  }
  return true;
}

TCustomdxBarControl* TCustomdxBarSubItem::CreateBarControl() {
  auto* Window = TdxBarSubMenuControl::Create(nullptr);
  Window->SetBarManager(GetBarManager());
  return Window;
}

void TCustomdxBarSubItem::LoadLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  std::string Section = SubItemSectionName(Base);
  if (Store->ReadInteger(Section, "ItemLinkCount", -1) >= 0) FItemLinks->LoadLayout(Store, Section, Registry);
}

void TCustomdxBarSubItem::LoadUsage(TCustomIniFile* Store, const std::string& Base) {
  FItemLinks->LoadUsage(Store, SubItemSectionName(Base));
}

void TCustomdxBarSubItem::SaveLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  if (!GetName().empty()) FItemLinks->SaveLayout(Store, SubItemSectionName(Base), Registry);
}

// ---- TdxBarSubItem

SONVELT_PUBLISHED(TdxBarSubItem, P) {
  P.Collection("ItemLinks", [](TdxBarSubItem* S) { return S->GetItemLinks(); });
  P.Event("OnClick", &TdxBarSubItem::OnClick);
}

bool TdxBarSubItem::AcceptsSubItem(TdxBarItem* Item) const { return dynamic_cast<TdxBarSubItem*>(Item) != nullptr; }
