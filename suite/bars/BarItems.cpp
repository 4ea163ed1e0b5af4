#include "suite/bars/BarCategories.h"
#include "suite/bars/BarItems.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/IniFiles.h"
#include "framework/Reader.h"
#include "framework/ImageList.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarScreenTips.h"
#include "suite/common/SuiteException.h"
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
const std::vector<std::string> AlignNames{"iaLeft", "iaCenter", "iaRight", "iaClient"};
const std::vector<std::string> GlyphLayoutNames{"glLeft", "glRight", "glTop", "glBottom"};
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
  P.Component("Action", &TdxBarItem::GetAction, &TdxBarItem::SetAction);
  P.Enum("Align", &TdxBarItem::GetAlign, &TdxBarItem::SetAlign, AlignNames).Default(iaLeft);
  P.String("Caption", &TdxBarItem::GetCaption, &TdxBarItem::SetCaption)
      .Stored([](TdxBarItem* I) { return I->IsCaptionStored(); });
  P.Integer("Category", &TdxBarItem::GetCategory, &TdxBarItem::SetCategory).NoDefault();
  P.String("Description", &TdxBarItem::GetDescription, &TdxBarItem::SetDescription);
  P.Boolean("Enabled", &TdxBarItem::GetEnabled, &TdxBarItem::SetEnabled)
      .Default(true)
      .Stored([](TdxBarItem* I) { return I->IsEnabledStored(); });
  P.Integer("HelpContext", &TdxBarItem::GetHelpContext, &TdxBarItem::SetHelpContext).Default(0);
  P.String("Hint", &TdxBarItem::GetHint, &TdxBarItem::SetHint).Stored([](TdxBarItem* I) { return I->IsHintStored(); });
  P.String("KeyTip", &TdxBarItem::GetKeyTip, &TdxBarItem::SetKeyTip);
  P.Enum("MergeKind", &TdxBarItem::GetMergeKind, &TdxBarItem::SetMergeKind, MergeKindNames).Default(mkAdd);
  P.Integer("MergeOrder", &TdxBarItem::GetMergeOrder, &TdxBarItem::SetMergeOrder).Default(0);
  P.Component("ScreenTip", &TdxBarItem::GetScreenTip, &TdxBarItem::SetScreenTip);
  P.Component("Style", &TdxBarItem::GetItemStyle, &TdxBarItem::SetItemStyle);
  P.Enum("Visible", &TdxBarItem::GetVisible, &TdxBarItem::SetVisible, VisibleNames)
      .NoDefault()
      .Stored([](TdxBarItem* I) { return I->IsVisibleStored(); });
  P.Event("OnDestroy", &TdxBarItem::OnDestroy);
}

TdxBarItem::TdxBarItem(TComponent* AOwner)
    : TdxBarComponent(AOwner), FGlyph(TBitmap::Create()), FLargeGlyph(TBitmap::Create()) {
  FGlyph->OnChange = Bind(this, &TdxBarItem::GlyphBitmapChanged);
  FLargeGlyph->OnChange = Bind(this, &TdxBarItem::LargeGlyphBitmapChanged);
  FStylesData.reset(TdxBarItemStylesData::Create(2, TdxBarItemStylesData::TChangeHandler(this, &TdxBarItem::StyleDataChanged)));
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
  FStylesData.reset();
  FActionLink.reset();
  SetScreenTip(nullptr);
  TdxBarComponent::BeforeDestruction();
}

void TdxBarItem::GlyphBitmapChanged(TObject* Sender) { GlyphChanged(); }
void TdxBarItem::LargeGlyphBitmapChanged(TObject* Sender) { LargeGlyphChanged(); }

std::string TdxBarItem::GetDefaultCaption() const { return BarString(dxSBAR_NEWITEMCAPTION); }

void TdxBarItem::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  bool HintFollows = !FCheckDefaults && !dynamic_cast<TCustomdxBarSubItem*>(this) &&
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
void TdxBarItem::SetLargeGlyph(TBitmap* Value) { FLargeGlyph->Assign(Value); }

void TdxBarItem::SetAlign(TdxBarItemAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  UpdateInKinds(AllKinds);
}

void TdxBarItem::SetGlyphLayout(TdxBarGlyphLayout Value) {
  if (FGlyphLayout == Value) return;
  FGlyphLayout = Value;
  UpdateInKinds(AllKinds);
}

void TdxBarItem::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  if (!IsLoading()) UpdateInKinds(AllKinds);
}

void TdxBarItem::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  WidthChanged();
}

void TdxBarItem::SetScreenTip(TdxBarScreenTip* Value) {
  if (FScreenTip == Value) return;
  if (FScreenTip) FScreenTip->RemoveFreeNotification(this);
  FScreenTip = Value;
  if (Value) Value->FreeNotification(this);
}

TBasicAction* TdxBarItem::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

TClassOf<TdxBarItemActionLink> TdxBarItem::GetActionLinkClass() const { return TdxBarItemActionLink::StaticClass(); }

void TdxBarItem::SetAction(TBasicAction* Value) {
  if (Value == GetAction()) return;
  if (!Value) {
    // The item keeps what the action gave it.
    FActionLink.reset();
    return;
  }
  TdxBarManager* M = GetBarManager();
  bool Suspend = M && Value->GetComponentState().Contains(csLoading);
  if (Suspend) M->SuspendModified(true, false);
  try {
    if (!FActionLink) FActionLink.reset(GetActionLinkClass().Create(this));
    FActionLink->SetAction(Value);
    ActionChange(Value, Value->GetComponentState().Contains(csLoading));
    FActionLink->Snapshot();
    Value->FreeNotification(this);
  } catch (...) {
    if (Suspend) M->SuspendModified(false, false);
    throw;
  }
  if (Suspend) M->SuspendModified(false, false);
}

void TdxBarItem::ActionChange(TBasicAction* Action, bool CheckDefaults) {
  auto* A = dynamic_cast<TCustomAction*>(Action);
  if (!A) return;
  FCheckDefaults = CheckDefaults;
  try {
    if (!CheckDefaults || GetCaption().empty()) SetCaption(A->GetCaption());
  } catch (...) {
    FCheckDefaults = false;
    throw;
  }
  FCheckDefaults = false;
  if (!CheckDefaults || GetEnabled()) SetEnabled(A->GetEnabled());
  if (!CheckDefaults || FHint.empty()) FHint = A->GetHint();
  if (!CheckDefaults || GetCustomizingImageIndex() == -1) SetCustomizingImageIndex(A->GetImageIndex());
  if (!CheckDefaults || FShortCut == 0) SetShortCut(A->GetShortCut());
  if (!CheckDefaults || GetVisible() == ivAlways) SetVisible(A->GetVisible() ? ivAlways : ivNever);
  if (!CheckDefaults || !OnClick) OnClick = A->OnExecute;
}

namespace {
bool LinkedTo(const TdxBarItemActionLink* Link, bool (TdxBarItemActionLink::*Test)() const) {
  return Link && Link->GetAction() && (Link->*Test)();
}
}  // namespace

bool TdxBarItem::IsCaptionStored() const { return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsCaptionLinked); }
bool TdxBarItem::IsEnabledStored() const { return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsEnabledLinked); }
bool TdxBarItem::IsHelpContextStored() const {
  return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsHelpContextLinked);
}
bool TdxBarItem::IsHintStored() const { return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsHintLinked); }
bool TdxBarItem::IsImageIndexStored() const {
  return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsImageIndexLinked);
}
bool TdxBarItem::IsShortCutStored() const { return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsShortCutLinked); }
bool TdxBarItem::IsVisibleStored() const { return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsVisibleLinked); }
bool TdxBarItem::IsOnClickStored() const { return !LinkedTo(FActionLink.get(), &TdxBarItemActionLink::IsOnExecuteLinked); }

void TdxBarItem::AssignTo(TPersistent* Dest) {
  auto* A = dynamic_cast<TCustomAction*>(Dest);
  if (!A) {
    TdxBarComponent::AssignTo(Dest);
    return;
  }
  A->SetCaption(GetCaption());
  if (auto* B = dynamic_cast<TdxBarButton*>(this)) A->SetChecked(B->GetDown());
  A->SetEnabled(GetEnabled());
  A->SetHint(FHint);
  A->SetImageIndex(FImageIndex);
  A->SetShortCut(FShortCut);
  if (GetVisible() != ivInCustomizing) A->SetVisible(GetVisible() == ivAlways);
  A->OnExecute = OnClick;
}

void TdxBarItem::Assign(TPersistent* Source) {
  auto* I = dynamic_cast<TdxBarItem*>(Source);
  if (!I) {
    TdxBarComponent::Assign(Source);
    return;
  }
  SetAction(I->GetAction());
  SetAlign(I->FAlign);
  SetCaption(I->GetCaption());
  SetCategory(I->FCategory);
  SetDescription(I->FDescription);
  SetEnabled(I->GetEnabled());
  SetHelpContext(I->FHelpContext);
  SetHint(I->FHint);
  SetKeyTip(I->FKeyTip);
  SetMergeKind(I->FMergeKind);
  SetMergeOrder(I->FMergeOrder);
  SetItemStyle(I->GetItemStyle());
  SetScreenTip(I->FScreenTip);
  SetVisible(I->GetVisible());
  FUserData = I->FUserData;
  SetGlyph(I->GetGlyph());
  SetImageIndex(I->FImageIndex);
  SetLargeGlyph(I->GetLargeGlyph());
  SetLargeImageIndex(I->FLargeImageIndex);
  SetShortCut(I->FShortCut);
  OnClick = I->OnClick;
}

void TdxBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == GetAction()) FActionLink.reset();
  if (AComponent == FScreenTip) FScreenTip = nullptr;
}

TcxCustomStyle* TdxBarItem::GetStyle(int Index) const {
  return FStylesData && Index < GetStyleCount() ? FStylesData->GetStyle(Index) : nullptr;
}

void TdxBarItem::SetStyle(int Index, TcxCustomStyle* Value) {
  if (FStylesData && Index < GetStyleCount()) FStylesData->SetStyle(Index, Value);
}

TdxBarItemStyleViewParams TdxBarItem::GetStyleViewParams(int Slot) const {
  TdxBarItemStyleViewParams P;
  auto* S = dynamic_cast<TcxStyle*>(GetStyle(Slot));
  if (!S) return P;
  TcxStyleValues V = S->GetAssignedValues();
  if (V.Contains(svBitmap)) P.Bitmap = S->GetBitmap();
  if (V.Contains(svColor)) P.Color = S->GetColor();
  if (V.Contains(svFont)) P.Font = S->GetFont();
  if (V.Contains(svTextColor)) P.TextColor = S->GetTextColor();
  return P;
}

void TdxBarItem::StyleDataChanged(int Kind) {
  if (IsDestroying()) return;
  if (Kind == 1) {
    TdxBarManager* M = GetBarManager();
    if (!(M && M->IsBarsUpdateLocked())) {
      std::vector<TdxBarItemLink*> Links = FLinks;
      for (TdxBarItemLink* L : Links)
        if (L->GetControl()) L->RecreateControl();
    }
    UpdateInKinds(AllKinds);
  } else if (Kind == 0) {
    ForEachControl([](TdxBarItemControl* C) { C->PaintWithFont(); });
    Update();
  }
}

TCustomImageList* TdxBarItem::GetImages() const { return GetBarManager() ? GetBarManager()->GetImages() : nullptr; }

bool TdxBarItem::IsImageInList(TCustomImageList* List, int Index) { return List && Index >= 0 && Index < List->GetCount(); }

bool TdxBarItem::HasAssignedImage() const { return IsImageInList(GetImages(), FImageIndex); }

TdxBarItemLink* TdxBarItem::GetEditingLink() const {
  TdxBarItemLink* L = GetActiveLink();
  return L && L->GetControl() && L->GetControl()->IsWindowControl() && L->GetControl()->IsEditing() ? L : nullptr;
}

std::uint16_t TdxBarItem::GetCustomizeActions() {
  TdxBarManager* M = GetBarManager();
  // Design mode offers the link actions only for a link being customized, which
  // needs a form designer this program does not run.
  return !M || !M->InDesignMode() ? 0x419 : 2;
}

void TdxBarItem::RecalcControls() {
  ForEachControl([](TdxBarItemControl* C) { C->Recalculate(); });
}

void TdxBarItem::WidthChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    if (!C->GetItemLink()->GetUserDefine().Contains(udWidth)) C->WidthChanged();
  });
}

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
  if (!IsLoading()) PaintStyleChanged();
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

void TdxBarItem::Click() {
  TBasicAction* Action = GetAction();
  // The action's own handler as OnClick: run the action, so its update runs too.
  if (OnClick && (!Action || !SameCode(OnClick, Action->OnExecute))) {
    OnClick(this);
    return;
  }
  if (!IsDesigning() && FActionLink) FActionLink->Execute(this);
}

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
    C->ImageChanged();
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

void TdxBarItem::Loaded() {
  TdxBarComponent::Loaded();
  if (TBasicAction* A = GetAction()) {
    ActionChange(A, true);
    FActionLink->Snapshot();
  }
  OnLoaded(this);
}

// ---- TdxBarItemActionLink

TCustomAction* TdxBarItemActionLink::Action() const { return dynamic_cast<TCustomAction*>(GetAction()); }

void TdxBarItemActionLink::Snapshot() {
  TCustomAction* A = Action();
  FHasSnapshot = A != nullptr;
  if (!A) return;
  FCaption = A->GetCaption();
  FChecked = A->GetChecked();
  FEnabled = A->GetEnabled();
  FHint = A->GetHint();
  FImageIndex = A->GetImageIndex();
  FShortCut = A->GetShortCut();
  FVisible = A->GetVisible();
  FOnExecute = A->OnExecute;
}

bool TdxBarItemActionLink::IsCaptionLinked() const { return FClient->GetCaption() == FCaption; }

bool TdxBarItemActionLink::IsCheckedLinked() const {
  auto* B = dynamic_cast<TdxBarButton*>(FClient);
  return B && B->GetDown() == FChecked;
}

bool TdxBarItemActionLink::IsEnabledLinked() const { return FClient->GetEnabled() == FEnabled; }

bool TdxBarItemActionLink::IsHintLinked() const {
  return FClient->GetHint() == FHint || ShortHint(FClient->GetHint()) == FClient->GetPlainCaption();
}

bool TdxBarItemActionLink::IsImageIndexLinked() const { return FClient->GetCustomizingImageIndex() == FImageIndex; }

bool TdxBarItemActionLink::IsShortCutLinked() const { return FClient->GetShortCut() == FShortCut; }

bool TdxBarItemActionLink::IsVisibleLinked() const {
  TdxBarItemVisible Own = FClient->IsLoading() ? FClient->GetLoadedVisible() : FClient->GetVisible();
  return Own == (FVisible ? ivAlways : ivNever);
}

bool TdxBarItemActionLink::IsOnExecuteLinked() const { return SameCode(FClient->OnClick, FOnExecute); }

void TdxBarItemActionLink::Change() {
  TCustomAction* A = Action();
  if (!A) return;
  if (!FHasSnapshot) {
    Snapshot();
    return;
  }
  // Each property follows only where the item still held the action's old value.
  if (A->GetCaption() != FCaption && IsCaptionLinked()) FClient->SetCaption(A->GetCaption());
  if (A->GetChecked() != FChecked && IsCheckedLinked()) static_cast<TdxBarButton*>(FClient)->SetDown(A->GetChecked());
  if (A->GetEnabled() != FEnabled && IsEnabledLinked()) FClient->SetEnabled(A->GetEnabled());
  if (A->GetHint() != FHint && IsHintLinked()) FClient->FHint = A->GetHint();
  if (A->GetImageIndex() != FImageIndex && IsImageIndexLinked()) FClient->SetCustomizingImageIndex(A->GetImageIndex());
  if (A->GetShortCut() != FShortCut && IsShortCutLinked()) FClient->SetShortCut(A->GetShortCut());
  if (A->GetVisible() != FVisible && IsVisibleLinked()) FClient->SetVisible(A->GetVisible() ? ivAlways : ivNever);
  if (!(A->OnExecute == FOnExecute) && IsOnExecuteLinked()) FClient->OnClick = A->OnExecute;
  Snapshot();
}

// ---- TdxBarItemStylesData

namespace {
unsigned StyleValueBits(TcxStyle* S) { return S ? S->GetAssignedValues().Bits() : 0; }
}  // namespace

TdxBarItemStylesData::TdxBarItemStylesData(int Count, TChangeHandler Handler)
    : FSlots(static_cast<size_t>(Count)), FHandler(Handler) {}

TdxBarItemStylesData::~TdxBarItemStylesData() {
  FDestroying = true;
  for (int I = 0; I < Count(); ++I) SetStyle(I, nullptr);
}

HRESULT STDMETHODCALLTYPE TdxBarItemStylesData::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IcxStyleObserver)) {
    *ppv = static_cast<IcxStyleObserver*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

TcxCustomStyle* TdxBarItemStylesData::GetStyle(int Index) const {
  return Index >= 0 && Index < Count() ? FSlots[static_cast<size_t>(Index)].Style : nullptr;
}

bool TdxBarItemStylesData::UsedElsewhere(TcxCustomStyle* Style, const TSlot* Except) const {
  for (const TSlot& S : FSlots)
    if (&S != Except && S.Style == Style) return true;
  return false;
}

void TdxBarItemStylesData::SetStyle(int Index, TcxCustomStyle* Value) {
  if (Index < 0 || Index >= Count()) return;
  TSlot& Slot = FSlots[static_cast<size_t>(Index)];
  if (Slot.Style == Value) return;
  TcxCustomStyle* Old = Slot.Style;
  Slot.Style = Value;
  if (Old && !UsedElsewhere(Old, nullptr)) Old->DetachListener(this);
  if (Value && !UsedElsewhere(Value, &Slot)) Value->AttachListener(this);
  CheckSlot(Slot);
}

void TdxBarItemStylesData::CheckSlot(TSlot& Slot) {
  if (FDestroying) return;
  auto* S = dynamic_cast<TcxStyle*>(Slot.Style);
  unsigned Now = StyleValueBits(S);
  auto Has = [](unsigned Bits, TcxStyleValue V) { return (Bits & (1u << V)) != 0; };
  auto ColorChanged = [&](TcxStyleValue V, TColor Old, TColor New) {
    if (Has(Slot.Assigned, V) != Has(Now, V)) return true;
    return Has(Now, V) && ColorToRGB(Old) != ColorToRGB(New);
  };
  bool Color = ColorChanged(svColor, Slot.Color, S ? S->GetColor() : clDefault);
  bool TextColor = ColorChanged(svTextColor, Slot.TextColor, S ? S->GetTextColor() : clDefault);
  bool Font = Has(Slot.Assigned, svFont) != Has(Now, svFont);
  if (!Font && Has(Now, svFont)) {
    TFont* F = S->GetFont();
    Font = F->GetHeight() != Slot.FontHeight || static_cast<int>(F->GetPitch()) != Slot.FontPitch ||
           static_cast<int>(F->GetStyle().Bits()) != Slot.FontStyle || F->GetCharset() != Slot.FontCharset ||
           F->GetName() != Slot.FontName;
  }
  Slot.Assigned = Now;
  if (S && Has(Now, svColor)) Slot.Color = S->GetColor();
  if (S && Has(Now, svTextColor)) Slot.TextColor = S->GetTextColor();
  if (S && Has(Now, svFont)) {
    TFont* F = S->GetFont();
    Slot.FontHeight = F->GetHeight();
    Slot.FontPitch = static_cast<int>(F->GetPitch());
    Slot.FontStyle = static_cast<int>(F->GetStyle().Bits());
    Slot.FontCharset = F->GetCharset();
    Slot.FontName = F->GetName();
  }
  if (Font)
    ReportKind(1);
  else if (Color || TextColor)
    ReportKind(0);
}

void TdxBarItemStylesData::ReportKind(int Kind) {
  if (FLockCount > 0) {
    if (FPending != 1) FPending = Kind;
    return;
  }
  FHandler(Kind);
}

void TdxBarItemStylesData::EndChange() {
  if (--FLockCount > 0) return;
  int Kind = FPending;
  FPending = 2;
  if (Kind != 2) FHandler(Kind);
}

void STDMETHODCALLTYPE TdxBarItemStylesData::StyleModified(TcxCustomStyle* Sender) {
  BeginChange();
  for (TSlot& S : FSlots)
    if (S.Style == Sender) CheckSlot(S);
  EndChange();
}

void STDMETHODCALLTYPE TdxBarItemStylesData::StyleDetached(TcxCustomStyle* Sender) {
  BeginChange();
  for (int I = 0; I < Count(); ++I)
    if (FSlots[static_cast<size_t>(I)].Style == Sender) SetStyle(I, nullptr);
  EndChange();
}

// ---- TdxBarButton

SONVELT_PUBLISHED(TdxBarButton, P) {
  P.Boolean("AllowAllUp", &TdxBarButton::GetAllowAllUp, &TdxBarButton::SetAllowAllUp).Default(false);
  P.Enum("ButtonStyle", &TdxBarButton::GetButtonStyle, &TdxBarButton::SetButtonStyle, ButtonStyleNames)
      .Default(bsDefault);
  P.Boolean("CloseSubMenuOnClick", &TdxBarButton::GetCloseSubMenuOnClick, &TdxBarButton::SetCloseSubMenuOnClick)
      .Default(true);
  P.Boolean("Down", &TdxBarButton::GetDown, &TdxBarButton::SetDown)
      .Default(false)
      .Stored([](TdxBarButton* B) {
        auto* L = B->GetActionLink();
        return !(L && L->GetAction() && L->IsCheckedLinked());
      });
  P.Boolean("DropDownEnabled", &TdxBarButton::GetDropDownEnabled, &TdxBarButton::SetDropDownEnabled).Default(true);
  P.Component("DropDownMenu", &TdxBarButton::GetDropDownMenu, &TdxBarButton::SetDropDownMenu);
  P.Object("Glyph", &TdxBarButton::GetGlyph);
  P.Integer("GroupIndex", &TdxBarButton::GetGroupIndex, &TdxBarButton::SetGroupIndex).Default(0);
  P.Integer("ImageIndex", &TdxBarButton::GetImageIndex, &TdxBarButton::SetImageIndex)
      .Default(-1)
      .Stored([](TdxBarButton* B) { return B->IsImageIndexStored(); });
  P.Object("LargeGlyph", &TdxBarButton::GetLargeGlyph);
  P.Integer("LargeImageIndex", &TdxBarButton::GetLargeImageIndex, &TdxBarButton::SetLargeImageIndex).Default(-1);
  P.Boolean("Lowered", &TdxBarButton::GetLowered, &TdxBarButton::SetLowered).Default(false);
  P.Enum("PaintStyle", &TdxBarButton::GetPaintStyle, &TdxBarButton::SetPaintStyle, PaintStyleNames)
      .Default(psStandard);
  P.Integer("ShortCut", &TdxBarButton::GetShortCut, &TdxBarButton::SetShortCut)
      .Default(0)
      .Stored([](TdxBarButton* B) { return B->IsShortCutStored(); });
  P.Boolean("UnclickAfterDoing", &TdxBarButton::GetUnclickAfterDoing, &TdxBarButton::SetUnclickAfterDoing)
      .Default(true);
  P.Event("OnClick", &TdxBarButton::OnClick);
}

TdxBarButton::TdxBarButton(TComponent* AOwner) : TdxBarItem(AOwner) { SetUnclickAfterDoing(true); }

std::string TdxBarButton::GetDefaultCaption() const { return BarString(dxSBAR_NEWBUTTONCAPTION); }

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle Value) {
  if (FButtonStyle == Value) return;
  FButtonStyle = Value;
  SetDown(false);
  // A style without the checked bit cannot keep a button down.
  if (!IsChecked()) FDown = false;
  if (!IsLoading()) UpdateInKinds(AllKinds);
  Changed();
}

void TdxBarButton::SetDown(bool Value) {
  if (FDown == Value) return;
  if (Value && !IsChecked()) return;
  TdxBarButton* Partner = nullptr;
  TdxBarManager* M = GetBarManager();
  if (IsChecked() && FGroupIndex != 0 && !IsLoading() && M) {
    bool OtherDown = false;
    for (int I = 0; I < M->ItemCount(); ++I) {
      auto* B = dynamic_cast<TdxBarButton*>(M->ItemByIndex(I));
      if (!B || B == this || !B->IsChecked() || B->FGroupIndex != FGroupIndex || !B->FDown) continue;
      if (!Partner) Partner = B;
      OtherDown = true;
    }
    if (!Value) {
      Partner = nullptr;
      // The last down button of a group stays down unless all may be up.
      if (!FAllowAllUp && !OtherDown) return;
    }
  }
  FDown = Value;
  if (IsLoading()) return;
  Update();
  if (Partner) Partner->SetDown(false);
}

void TdxBarButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  TdxBarManager* M = GetBarManager();
  if (FGroupIndex == 0 || !M) return;
  for (int I = 0; I < M->ItemCount(); ++I)
    if (auto* B = dynamic_cast<TdxBarButton*>(M->ItemByIndex(I)); B && B->FGroupIndex == FGroupIndex)
      B->FAllowAllUp = Value;
}

void TdxBarButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = IsChecked() ? Value : 0;
  SetDown(false);
}

void TdxBarButton::SetDropDownEnabled(bool Value) {
  if (FDropDownEnabled == Value) return;
  FDropDownEnabled = Value;
  if (!IsLoading()) Update();
}

void TdxBarButton::SetLowered(bool Value) {
  if (FLowered == Value) return;
  FLowered = Value;
  if (!IsLoading()) UpdateInKinds(AllKinds);
}

void TdxBarButton::SetDropDownMenu(TdxBarPopupMenu* Value) {
  if (FDropDownMenu == Value) return;
  if (Value && Value->GetItemLinks() && Value->GetItemLinks()->LeadsToOwner(this))
    throw EdxException(BarString(dxSBAR_RECURSIVEMENUS));
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TdxBarButton::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

TdxBarItemLinks* TdxBarButton::GetItemLinks() const { return FDropDownMenu ? FDropDownMenu->GetItemLinks() : nullptr; }
TdxBarItemLinks* TdxBarButton::GetItemLinks() { return FDropDownMenu ? FDropDownMenu->GetItemLinks() : nullptr; }

bool TdxBarButton::CanContainItem(TdxBarItem* Item, std::string& Text) {
  Text.clear();
  return FDropDownMenu && FDropDownMenu->CanContainItem(Item, Text);
}

TCustomdxBarControl* TdxBarButton::CreateBarControl() {
  return FDropDownMenu ? FDropDownMenu->CreateBarControl() : nullptr;
}

bool TdxBarButton::IsEnterable(TdxBarItemLink* Link) const {
  if (!TdxBarItem::IsEnterable(Link)) return false;
  if (!Link || !dynamic_cast<TdxBar*>(Link->GetOwnerLinks() ? Link->GetOwnerLinks()->GetOwnerComponent() : nullptr))
    return true;
  auto Captioned = [](TdxBarPaintStyle S) { return S == psCaption || S == psCaptionGlyph; };
  if (Captioned(Link->GetEffectivePaintStyle())) return true;
  TdxBarItemControl* C = Link->GetControl();
  return C && Captioned(C->EffectivePaintStyle());
}

void TdxBarButton::PaintStyleChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    if (!C->GetItemLink()->GetUserDefine().Contains(udPaintStyle)) C->PaintStyleChanged();
  });
}

void TdxBarButton::TryClick() {
  // A checked button toggles before its click; a refused release still clicks.
  if (GetEnabled() && IsChecked()) SetDown(!FDown);
  TdxBarItem::TryClick();
}

void TdxBarButton::ActionChange(TBasicAction* Action, bool CheckDefaults) {
  TdxBarItem::ActionChange(Action, CheckDefaults);
  auto* A = dynamic_cast<TCustomAction*>(Action);
  if (A && (!CheckDefaults || !FDown)) SetDown(A->GetChecked());
}

std::uint16_t TdxBarButton::GetCustomizeActions() {
  TdxBarManager* M = GetBarManager();
  return TdxBarItem::GetCustomizeActions() | (M && M->InDesignMode() ? 0x120 : 0x20);
}

POINT TdxBarButton::DropDownPoint(TdxBarItemControl* Control) {
  TCustomdxBarControl* W = Control ? Control->GetParent() : nullptr;
  if (!W || !W->HandleAllocated()) return POINT{0, 0};
  RECT R;
  Control->ItemBounds(R);
  MapWindowPoints(W->GetHandle(), nullptr, reinterpret_cast<POINT*>(&R), 2);
  if (W->IsSubMenuWindow() || W->IsVertical()) return POINT{R.right, R.top - W->SubMenuTopOffset()};
  return POINT{R.left, R.bottom};
}

void TdxBarButton::DropDown(TdxBarItemControl* Control, int X, int Y, bool ByMouse) {
  (void)ByMouse;
  if (!FDropDownMenu || !Control) return;
  FDropDownMenu->PopupAtPoint(X, Y);
}

// ---- TdxBarLabel

TdxBarLabel::TdxBarLabel(TComponent* AOwner) : TdxBarItem(AOwner) { SetShowCaption(true); }

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

SONVELT_PUBLISHED(TdxBarSeparator, P) {
  P.Boolean("ShowCaption", &TdxBarSeparator::GetShowCaption, &TdxBarSeparator::SetShowCaption).Default(true);
}

