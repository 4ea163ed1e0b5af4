#include "suite/navbar/NavBarCollections.h"

#include <algorithm>
#include <functional>

#include "framework/ClassRegistry.h"
#include "framework/Format.h"
#include "framework/Published.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteException.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarAccessibility.h"
#include "suite/navbar/NavBarConsts.h"
#include "suite/navbar/NavBarPainter.h"
#include "suite/navbar/NavBarViewInfo.h"

// ---- TdxNavBarCustomItem

TdxCustomNavBar* TdxNavBarCustomItem::GetNavBar() const {
  return GetCollection() ? dynamic_cast<TdxCustomNavBar*>(GetCollection()->GetParentComponent()) : nullptr;
}

void TdxNavBarCustomItem::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  NotifyChanged(false);
}

void TdxNavBarCustomItem::SetLargeImageIndex(int Value) {
  if (FLargeImageIndex == Value) return;
  FLargeImageIndex = Value;
  NotifyChanged(false);
}

void TdxNavBarCustomItem::SetSmallImageIndex(int Value) {
  if (FSmallImageIndex == Value) return;
  FSmallImageIndex = Value;
  NotifyChanged(false);
}

void TdxNavBarCustomItem::DoSetVisible(bool Value) {
  FVisible = Value;
  NotifyChanged(true);
}

void TdxNavBarCustomItem::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarCustomItem*>(Source);
  if (!S) {
    TdxNavBarComponentCollectionItem::Assign(Source);
    return;
  }
  SetLargeImageIndex(S->GetLargeImageIndex());
  SetSmallImageIndex(S->GetSmallImageIndex());
  SetVisible(S->GetVisible());
}

void TdxNavBarCustomItem::SetName(const std::string& NewName) {
  bool Follow = !IsLoading() && FCaption == GetName();
  TdxNavBarComponentCollectionItem::SetName(NewName);
  if (Follow) SetCaption(NewName);
}

SONVELT_PUBLISHED(TdxNavBarCustomItem, P) {
  P.String("Caption", &TdxNavBarCustomItem::GetCaption, &TdxNavBarCustomItem::SetCaption);
  P.String("Hint", &TdxNavBarCustomItem::GetHint, &TdxNavBarCustomItem::SetHint);
  P.Integer("LargeImageIndex", &TdxNavBarCustomItem::GetLargeImageIndex, &TdxNavBarCustomItem::SetLargeImageIndex)
      .Default(-1);
  P.Integer("SmallImageIndex", &TdxNavBarCustomItem::GetSmallImageIndex, &TdxNavBarCustomItem::SetSmallImageIndex)
      .Default(-1);
  P.Boolean("Visible", &TdxNavBarCustomItem::GetVisible, &TdxNavBarCustomItem::SetVisible).Default(true);
}

// ---- links

void TdxNavBarItemLink::AfterConstruction() {
  TCollectionItem::AfterConstruction();
  if (TdxNavBarGroup* G = Group()) G->LinksChanged(this);
}

void TdxNavBarItemLink::BeforeDestruction() {
  ReleaseNavBarAccessibilityHelper(FAccessibilityHelper);
  TdxNavBarGroup* G = Group();
  if (G) {
    G->ForgetSelectedLink(this);
    if (TdxCustomNavBar* Bar = G->GetNavBar()) Bar->LinkRemoving(this);
  }
  if (FItem) FItem->RemoveFreeNotification(G);
  FItem = nullptr;
  TCollectionItem::BeforeDestruction();
  if (G && !G->IsDestroying()) G->LinksChanged(nullptr);
}

void TdxNavBarItemLink::SetItem(TdxNavBarItem* Value) {
  if (FItem == Value) return;
  FItem = Value;
  if (TdxNavBarGroup* G = Group()) {
    if (Value) Value->FreeNotification(G);
    G->NotifyChanged(true);
  }
}

TdxNavBarGroup* TdxNavBarItemLink::Group() const {
  auto* Links = dynamic_cast<TdxNavBarItemLinks*>(GetCollection());
  return Links ? Links->GetGroup() : nullptr;
}

bool TdxNavBarItemLink::IsEnabled() const { return FItem && FItem->IsEnabled(); }

bool TdxNavBarItemLink::IsSelected() const {
  TdxNavBarGroup* G = Group();
  return G && G->GetSelectedLink() == this;
}

void TdxNavBarItemLink::SetSelected(bool Value) {
  TdxNavBarGroup* G = Group();
  if (Value == IsSelected() || !G || G->IsDestroying()) return;
  G->SetSelectedLinkIndex(Value ? GetIndex() : -1);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemLink::GetAccessibilityHelper() {
  TdxNavBarGroup* G = Group();
  TdxCustomNavBar* Bar = G ? G->GetNavBar() : nullptr;
  if (!FAccessibilityHelper && Bar)
    FAccessibilityHelper = ObtainNavBarAccessibilityHelper(TdxNavBarItemLinkAccessibilityHelper::Create(this, Bar));
  return FAccessibilityHelper ? FAccessibilityHelper->GetNavBarHelper() : nullptr;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarItemLink::ExistingAccessibilityHelper() const {
  return FAccessibilityHelper ? FAccessibilityHelper->GetNavBarHelper() : nullptr;
}

void TdxNavBarItemLink::UpdateItemAction() {
  if (FItem && FItem->GetActionLink()) FItem->GetActionLink()->Update();
}

void TdxNavBarItemLink::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarItemLink*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  FData = S->FData;
  SetItem(S->FItem);
}

SONVELT_PUBLISHED(TdxNavBarItemLink, P) {
  P.Component("Item", &TdxNavBarItemLink::GetItem, &TdxNavBarItemLink::SetItem);
}

TdxNavBarItemLinks::TdxNavBarItemLinks(TdxNavBarGroup* Group)
    : TOwnedCollection(Group, TdxNavBarItemLink::StaticClass()), FGroup(Group) {}

void TdxNavBarItemLinks::Update(TCollectionItem* Item) {
  if (!FGroup->IsDestroying()) FGroup->NotifyChanged(Item == nullptr);
}

// ---- group options

TdxNavBarGroupExpansionOptions::TdxNavBarGroupExpansionOptions(TdxNavBarGroup* AGroup)
    : TcxOwnedPersistent(AGroup), FGroup(AGroup) {}

void TdxNavBarGroupExpansionOptions::SetExpanded(bool Value) {
  if (FExpanded == Value) return;
  FExpanded = Value;
  FGroup->NotifyChanged(true);
  if (Value) FGroup->DoExpanded();
  else FGroup->DoCollapsed();
}

void TdxNavBarGroupExpansionOptions::SetShowExpandButton(bool Value) {
  if (FShowExpandButton == Value) return;
  FShowExpandButton = Value;
  FGroup->NotifyChanged(false);
}

void TdxNavBarGroupExpansionOptions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarGroupExpansionOptions*>(Source);
  if (!S) {
    TcxOwnedPersistent::Assign(Source);
    return;
  }
  FExpandable = S->FExpandable;
  SetExpanded(S->FExpanded);
  SetShowExpandButton(S->FShowExpandButton);
}

SONVELT_PUBLISHED(TdxNavBarGroupExpansionOptions, P) {
  P.Boolean("Expandable", &TdxNavBarGroupExpansionOptions::GetExpandable,
            &TdxNavBarGroupExpansionOptions::SetExpandable)
      .Default(true);
  P.Boolean("Expanded", &TdxNavBarGroupExpansionOptions::GetExpanded, &TdxNavBarGroupExpansionOptions::SetExpanded)
      .Default(true);
  P.Boolean("ShowExpandButton", &TdxNavBarGroupExpansionOptions::GetShowExpandButton,
            &TdxNavBarGroupExpansionOptions::SetShowExpandButton)
      .Default(true);
}

TdxNavBarGroupControlOptions::TdxNavBarGroupControlOptions(TdxNavBarGroup* AGroup)
    : TcxOwnedPersistent(AGroup), FGroup(AGroup) {}

void TdxNavBarGroupControlOptions::SetAllowControlResizing(bool Value) {
  FAllowControlResizing = Value;
  FGroup->NotifyChanged(true);
}

void TdxNavBarGroupControlOptions::SetShowControl(bool Value) {
  FShowControl = Value;
  if (Value && !FUseControl && !FGroup->IsLoading()) {
    FUseControl = true;
    FGroup->BuildGroupControl();
  }
  FGroup->NotifyChanged(true);
}

void TdxNavBarGroupControlOptions::SetUseControl(bool Value) {
  FUseControl = Value;
  if (!FGroup->IsLoading()) {
    FShowControl = Value;
    if (Value) FGroup->BuildGroupControl();
    else FGroup->DiscardGroupControl();
  }
  FGroup->NotifyChanged(true);
}

void TdxNavBarGroupControlOptions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarGroupControlOptions*>(Source);
  if (!S) {
    TcxOwnedPersistent::Assign(Source);
    return;
  }
  SetAllowControlResizing(S->FAllowControlResizing);
  SetUseControl(S->FUseControl);
  SetShowControl(S->FShowControl);
}

SONVELT_PUBLISHED(TdxNavBarGroupControlOptions, P) {
  P.Boolean("AllowControlResizing", &TdxNavBarGroupControlOptions::GetAllowControlResizing,
            &TdxNavBarGroupControlOptions::SetAllowControlResizing)
      .Default(false);
  P.Boolean("ShowControl", &TdxNavBarGroupControlOptions::GetShowControl,
            &TdxNavBarGroupControlOptions::SetShowControl)
      .Default(false);
  P.Boolean("UseControl", &TdxNavBarGroupControlOptions::GetUseControl,
            &TdxNavBarGroupControlOptions::SetUseControl)
      .Default(false);
}

// ---- groups

TdxNavBarGroup::TdxNavBarGroup(TComponent* AOwner)
    : TdxNavBarCustomItem(AOwner),
      FLinks(TdxNavBarItemLinks::Create(this)),
      FOptionsExpansion(TdxNavBarGroupExpansionOptions::Create(this)),
      FOptionsGroupControl(TdxNavBarGroupControlOptions::Create(this)),
      FCustomStyles(TdxNavBarGroupCustomStyles::Create(this)) {
  FCustomStyles->OnChange = TdxNavBarStyleChangeEvent(this, &TdxNavBarGroup::StylesChanged);
}

TdxNavBarGroup::~TdxNavBarGroup() {
  FCustomStyles.reset();
  FLinks.reset();
}

void TdxNavBarGroup::BeforeDestruction() {
  ReleaseNavBarAccessibilityHelper(FCaptionPanelHelper);
  ReleaseNavBarAccessibilityHelper(FLinkContainerHelper);
  ReleaseNavBarAccessibilityHelper(FAccessibilityHelper);
  TdxNavBarCustomItem::BeforeDestruction();
  DiscardGroupControl();
  FSelectedLink = nullptr;
}

void TdxNavBarGroup::StylesChanged(TObject*, int) { NotifyChanged(true); }

void TdxNavBarGroup::Assign(TPersistent* Source) {
  TdxNavBarCustomItem::Assign(Source);
  if (auto* S = dynamic_cast<TdxNavBarGroup*>(Source)) {
    SetCaption(S->GetCaption());
    SetHint(S->GetHint());
    FOptionsExpansion->Assign(S->FOptionsExpansion.get());
    SetLinksUseSmallImages(S->FLinksUseSmallImages);
    SetShowAsIconView(S->FShowAsIconView);
    SetUseSmallImages(S->FUseSmallImages);
    SetAlign(S->FAlign);
  }
}

void TdxNavBarGroup::SetName(const std::string& NewName) {
  std::string Old = GetName();
  TdxNavBarCustomItem::SetName(NewName);
  if (FControl && GetComponentState().Contains(csDesigning) && !Old.empty() &&
      FControl->GetName().rfind(Old, 0) == 0) {
    try {
      FControl->SetName(NewName + FControl->GetName().substr(Old.size()));
    } catch (...) {
    }
  }
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarGroup::GetAccessibilityHelper() {
  if (!FAccessibilityHelper && GetNavBar())
    FAccessibilityHelper =
        ObtainNavBarAccessibilityHelper(TdxNavBarGroupAccessibilityHelper::Create(this, GetNavBar()));
  return FAccessibilityHelper ? FAccessibilityHelper->GetNavBarHelper() : nullptr;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarGroup::GetCaptionPanelAccessibilityHelper() {
  if (!FCaptionPanelHelper && GetNavBar())
    FCaptionPanelHelper =
        ObtainNavBarAccessibilityHelper(TdxNavBarGroupCaptionPanelAccessibilityHelper::Create(this, GetNavBar()));
  return FCaptionPanelHelper ? FCaptionPanelHelper->GetNavBarHelper() : nullptr;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarGroup::GetLinkContainerAccessibilityHelper() {
  if (!FLinkContainerHelper && GetNavBar())
    FLinkContainerHelper =
        ObtainNavBarAccessibilityHelper(TdxNavBarItemLinkContainerAccessibilityHelper::Create(this, GetNavBar()));
  return FLinkContainerHelper ? FLinkContainerHelper->GetNavBarHelper() : nullptr;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarGroup::ExistingCaptionPanelAccessibilityHelper() const {
  return FCaptionPanelHelper ? FCaptionPanelHelper->GetNavBarHelper() : nullptr;
}

TdxNavBarItemLink* TdxNavBarGroup::CreateLink(TdxNavBarItem* Item) {
  TComponent* MyBar = GetCollection() ? GetCollection()->GetParentComponent() : nullptr;
  TComponent* ItemBar = Item && Item->GetCollection() ? Item->GetCollection()->GetParentComponent() : nullptr;
  if (!Item || MyBar != ItemBar)
    throw EdxException(Format(ResolveResourceString(sdxLinkToItemOfOtherBar),
                              {Item ? Item->GetName() : std::string(), GetName()}));
  TdxNavBarItemLink* Link = FLinks->Add();
  Link->SetItem(Item);
  return Link;
}

void TdxNavBarGroup::RemoveLink(int Index) { FLinks->Delete(Index); }

void TdxNavBarGroup::RemoveLinks(TdxNavBarItem* Item) {
  int I = 0;
  while (I < LinkCount()) {
    if (Links(I)->GetItem() == Item) FLinks->Delete(I);
    else ++I;
  }
}

void TdxNavBarGroup::ClearLinks() { FLinks->Clear(); }

void TdxNavBarGroup::LinksChanged(TdxNavBarItemLink* Link) {
  if (auto* Groups = dynamic_cast<TdxNavBarGroups*>(GetCollection())) Groups->DoLinksChange(Link);
  SetTopVisibleLinkIndex(FTopVisibleLinkIndex);
}

void TdxNavBarGroup::SetAlign(TcxTopBottom Value) {
  if (Value != vaBottom) Value = vaTop;
  if (FAlign == Value) return;
  FAlign = Value;
  NotifyChanged(true);
}

#define DX_GROUP_FLAG(Name, Field)                 \
  void TdxNavBarGroup::Set##Name(bool Value) {     \
    if (Field == Value) return;                     \
    Field = Value;                                  \
    NotifyChanged(false);                           \
  }
DX_GROUP_FLAG(LinksUseSmallImages, FLinksUseSmallImages)
DX_GROUP_FLAG(ShowAsIconView, FShowAsIconView)
DX_GROUP_FLAG(ShowCaption, FShowCaption)
DX_GROUP_FLAG(UseSmallImages, FUseSmallImages)
#undef DX_GROUP_FLAG

int TdxNavBarGroup::GetSelectedLinkIndex() const {
  if (IsLoading()) return FLoadedSelectedLinkIndex;
  return FSelectedLink ? FSelectedLink->GetIndex() : -1;
}

void TdxNavBarGroup::SetSelectedLinkIndex(int Value) {
  if (IsLoading()) {
    FLoadedSelectedLinkIndex = Value;
    return;
  }
  TdxCustomNavBar* Bar = GetNavBar();
  if (Value < -1 || (Bar && !Bar->GetAllowSelectLinks())) Value = -1;
  if (Value > LinkCount() - 1) Value = LinkCount() - 1;
  if (Value == GetSelectedLinkIndex()) return;
  if (Bar && !Bar->GetEachGroupHasSelectedLink() && !FSelectedLink && Value != -1) Bar->DeselectLinks();
  FSelectedLink = Value == -1 ? nullptr : Links(Value);
  NotifyChanged(false);
  DoSelectedLinkChanged();
}

void TdxNavBarGroup::SetTopVisibleLinkIndex(int Value) {
  if (IsLoading()) {
    FLoadedTopVisibleLinkIndex = Value;
    return;
  }
  Value = std::max(0, std::min(Value, LinkCount() - 1));
  if (Value == FTopVisibleLinkIndex) return;
  FTopVisibleLinkIndex = Value;
  NotifyChanged(false);
  DoTopVisibleLinkChanged();
}

void TdxNavBarGroup::UpdateAction() {
  for (int I = 0; I < LinkCount(); ++I) Links(I)->UpdateItemAction();
}

void TdxNavBarGroup::DoSetVisible(bool Value) {
  FVisible = Value;
  if (FControl) FControl->SetVisible(Value && GetShowControl());
  NotifyChanged(true);
  if (!IsLoading())
    if (TdxCustomNavBar* Bar = GetNavBar()) Bar->GroupVisibilityChanged(this);
}

void TdxNavBarGroup::Loaded() {
  TdxNavBarCustomItem::Loaded();
  if (!FControl) FOptionsGroupControl->StoreControlFlags(false, false);
  SetTopVisibleLinkIndex(FLoadedTopVisibleLinkIndex);
  SetSelectedLinkIndex(FLoadedSelectedLinkIndex);
}

void TdxNavBarGroup::ReadLinks(TReader* Reader) {
  Reader->CheckValue(vaCollection);
  Reader->ReadCollection(FLinks.get());
  NotifyChanged(true);
}

void TdxNavBarGroup::WriteLinks(TWriter* Writer) { Writer->WriteCollection(FLinks.get()); }

void TdxNavBarGroup::DefineProperties(TFiler* Filer) {
  TdxNavBarCustomItem::DefineProperties(Filer);
  Filer->DefineProperty("Links", Bind(this, &TdxNavBarGroup::ReadLinks), Bind(this, &TdxNavBarGroup::WriteLinks),
                        true);
}

void TdxNavBarGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TdxNavBarCustomItem::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (auto* Item = dynamic_cast<TdxNavBarItem*>(AComponent)) RemoveLinks(Item);
  if (AComponent == FControl) {
    FControl = nullptr;
    FOptionsGroupControl->SetUseControl(false);
  }
}

void TdxNavBarGroup::BuildGroupControl() {
  if (IsLoading() || FControl || !GetCollection()) return;
  auto* C = TdxNavBarGroupControl::Create(GetOwner());
  C->BindGroup(this);
  if (!GetName().empty()) {
    try {
      C->SetName(GetName() + "Control");
    } catch (...) {
    }
  }
  C->SetParent(GetNavBar());
}

void TdxNavBarGroup::DiscardGroupControl() {
  TdxNavBarGroupControl* C = FControl;
  FControl = nullptr;
  if (C && !C->GetComponentState().Contains(csDestroying)) {
    C->FGroup = nullptr;
    Free(C);
  }
}

void TdxNavBarGroup::AttachControl(TdxNavBarGroupControl* Control) {
  if (Control && Control->GetParent() == GetNavBar()) Control->BindGroup(this);
}

void TdxNavBarGroup::DetachControl() {
  if (FControl) {
    FControl->RemoveFreeNotification(this);
    FControl->FGroup = nullptr;
    FControl->FGroupIndex = -1;
  }
  FControl = nullptr;
}

void TdxNavBarGroup::MoveControlTo(TdxNavBarGroup* Dest, bool Release) {
  TdxNavBarGroupControl* C = FControl;
  if (!C || !GetUseControl() || !Dest || Dest == this || !Dest->GetNavBar()) return;
  bool Show = GetShowControl();
  C->SetVisible(false);
  DetachControl();
  Dest->DiscardGroupControl();
  C->BindGroup(Dest);
  C->SetParent(Dest->GetNavBar());
  Dest->AttachControl(C);
  Dest->SetUseControl(true);
  Dest->SetShowControl(Show);
  if (!Release) return;
  FOptionsGroupControl->SetUseControl(false);
  // The control's windows were made under the other bar; make sure they exist under this one.
  std::function<void(TWinControl*)> Need = [&Need](TWinControl* W) {
    W->HandleNeeded();
    for (int I = 0; I < W->GetControlCount(); ++I)
      if (auto* Child = dynamic_cast<TWinControl*>(W->GetControl(I))) Need(Child);
  };
  Need(C);
}

TcxComponentCollection* TdxNavBarGroup::CollectionOfParent(TComponent* ParentComponent) {
  auto* Bar = dynamic_cast<TdxCustomNavBar*>(ParentComponent);
  return Bar ? Bar->GetGroups() : nullptr;
}

SONVELT_PUBLISHED(TdxNavBarGroup, P) {
  P.Enum("Align", &TdxNavBarGroup::GetAlign, &TdxNavBarGroup::SetAlign, {"vaTop", "vaBottom"})
      .Default(vaTop);
  P.Boolean("LinksUseSmallImages", &TdxNavBarGroup::GetLinksUseSmallImages, &TdxNavBarGroup::SetLinksUseSmallImages)
      .Default(true);
  P.Object("OptionsExpansion", &TdxNavBarGroup::GetOptionsExpansion);
  P.Object("OptionsGroupControl", &TdxNavBarGroup::GetOptionsGroupControl);
  P.Integer("SelectedLinkIndex", &TdxNavBarGroup::GetSelectedLinkIndex, &TdxNavBarGroup::SetSelectedLinkIndex)
      .Default(-1);
  P.Boolean("ShowAsIconView", &TdxNavBarGroup::GetShowAsIconView, &TdxNavBarGroup::SetShowAsIconView).Default(false);
  P.Boolean("ShowCaption", &TdxNavBarGroup::GetShowCaption, &TdxNavBarGroup::SetShowCaption).Default(true);
  P.Integer("TopVisibleLinkIndex", &TdxNavBarGroup::GetTopVisibleLinkIndex, &TdxNavBarGroup::SetTopVisibleLinkIndex)
      .Default(0);
  P.Boolean("UseSmallImages", &TdxNavBarGroup::GetUseSmallImages, &TdxNavBarGroup::SetUseSmallImages).Default(true);
  P.Boolean("VisibleForCustomization", &TdxNavBarGroup::GetVisibleForCustomization,
            &TdxNavBarGroup::SetVisibleForCustomization)
      .Default(true);
  P.Object("CustomStyles", &TdxNavBarGroup::GetCustomStyles);
  P.Event("OnClick", &TdxNavBarGroup::OnClick);
  P.Event("OnCollapsed", &TdxNavBarGroup::OnCollapsed);
  P.Event("OnExpanded", &TdxNavBarGroup::OnExpanded);
  P.Event("OnSelectedLinkChanged", &TdxNavBarGroup::OnSelectedLinkChanged);
  P.Event("OnTopVisibleLinkChanged", &TdxNavBarGroup::OnTopVisibleLinkChanged);
}

// ---- items

TdxNavBarItem::TdxNavBarItem(TComponent* AOwner)
    : TdxNavBarCustomItem(AOwner), FCustomStyles(TdxNavBarItemCustomStyles::Create(this)) {
  FCustomStyles->OnChange = TdxNavBarStyleChangeEvent(this, &TdxNavBarItem::StylesChanged);
}

TdxNavBarItem::~TdxNavBarItem() {
  FCustomStyles.reset();
  FActionLink.reset();
}

void TdxNavBarItem::StylesChanged(TObject*, int) { NotifyChanged(false); }

TBasicAction* TdxNavBarItem::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TdxNavBarItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TdxNavBarItemActionLink>(this);
  FActionLink->SetAction(Value);
  ActionChange(Value, Value->GetComponentState().Contains(csLoading));
  FActionLink->Remember();
  Value->FreeNotification(this);
}

void TdxNavBarItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* A = dynamic_cast<TCustomAction*>(Sender);
  if (!A) return;
  if (!CheckDefaults || GetCaption().empty()) SetCaption(A->GetCaption());
  if (!CheckDefaults || FEnabled) SetEnabled(A->GetEnabled());
  if (!CheckDefaults || GetHint().empty()) SetHint(A->GetHint());
  if (!CheckDefaults || (GetLargeImageIndex() == -1 && GetSmallImageIndex() == -1)) {
    SetLargeImageIndex(A->GetImageIndex());
    SetSmallImageIndex(A->GetImageIndex());
  }
  if (!CheckDefaults || GetVisible()) SetVisible(A->GetVisible());
}

void TdxNavBarItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  NotifyChanged(false);
}

void TdxNavBarItem::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarItem*>(Source);
  if (!S) {
    TdxNavBarCustomItem::Assign(Source);
    return;
  }
  SetAction(S->GetAction());
  TdxNavBarCustomItem::Assign(Source);
  SetCaption(S->GetCaption());
  SetEnabled(S->FEnabled);
  SetHint(S->GetHint());
  FCustomStyles->Assign(S->FCustomStyles.get());
  OnClick = S->OnClick;
}

void TdxNavBarItem::Loaded() {
  TdxNavBarCustomItem::Loaded();
  if (TBasicAction* A = GetAction()) {
    ActionChange(A, true);
    FActionLink->Remember();
  }
}

void TdxNavBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxNavBarCustomItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == GetAction()) SetAction(nullptr);
}

TcxComponentCollection* TdxNavBarItem::CollectionOfParent(TComponent* ParentComponent) {
  auto* Bar = dynamic_cast<TdxCustomNavBar*>(ParentComponent);
  return Bar ? Bar->GetItems() : nullptr;
}

void TdxNavBarItem::CalculateLinkBounds(int X, int Y, TdxNavBarLinkViewInfo* LinkViewInfo) {
  TdxNavBarItemCalculator::CalculateBounds(X, Y, LinkViewInfo);
}

void TdxNavBarItem::DrawLink(TdxNavBarPainter* Painter, TdxNavBarLinkViewInfo* LinkViewInfo) {
  Painter->DrawLink(LinkViewInfo);
}

bool TdxNavBarItem::IsLinkedStored(int What) const {
  if (!FActionLink) return true;
  switch (What) {
    case 0: return !FActionLink->IsCaptionLinked();
    case 1: return !FActionLink->IsEnabledLinked() && !FEnabled;
    case 2: return !FActionLink->IsHintLinked();
    case 3: return !FActionLink->IsImageIndexLinked();
    default: return !FActionLink->IsVisibleLinked();
  }
}

SONVELT_PUBLISHED(TdxNavBarItem, P) {
  P.Component("Action", &TdxNavBarItem::GetAction, &TdxNavBarItem::SetAction);
  P.String("Caption", &TdxNavBarItem::GetCaption, &TdxNavBarItem::SetCaption)
      .Stored([](TdxNavBarItem* I) { return I->IsLinkedStored(0); });
  P.Boolean("Enabled", &TdxNavBarItem::GetEnabled, &TdxNavBarItem::SetEnabled)
      .Stored([](TdxNavBarItem* I) { return I->IsLinkedStored(1); })
      .NoDefault();
  P.String("Hint", &TdxNavBarItem::GetHint, &TdxNavBarItem::SetHint)
      .Stored([](TdxNavBarItem* I) { return I->IsLinkedStored(2); });
  P.Integer("LargeImageIndex", &TdxNavBarItem::GetLargeImageIndex, &TdxNavBarItem::SetLargeImageIndex)
      .Default(-1)
      .Stored([](TdxNavBarItem* I) { return I->IsLinkedStored(3); });
  P.Integer("SmallImageIndex", &TdxNavBarItem::GetSmallImageIndex, &TdxNavBarItem::SetSmallImageIndex)
      .Default(-1)
      .Stored([](TdxNavBarItem* I) { return I->IsLinkedStored(3); });
  P.Boolean("Visible", &TdxNavBarItem::GetVisible, &TdxNavBarItem::SetVisible)
      .Default(true)
      .Stored([](TdxNavBarItem* I) { return I->IsLinkedStored(4); });
  P.Object("CustomStyles", &TdxNavBarItem::GetCustomStyles);
  P.Event("OnClick", &TdxNavBarItem::OnClick);
}

// ---- action link

void TdxNavBarItemActionLink::Remember() {
  if (TCustomAction* A = Custom()) {
    FCaption = A->GetCaption();
    FHint = A->GetHint();
    FEnabled = A->GetEnabled();
    FVisible = A->GetVisible();
    FImageIndex = A->GetImageIndex();
  }
}

bool TdxNavBarItemActionLink::IsCaptionLinked() const {
  TCustomAction* A = Custom();
  return A && FClient->GetCaption() == A->GetCaption();
}
bool TdxNavBarItemActionLink::IsEnabledLinked() const {
  TCustomAction* A = Custom();
  return A && FClient->GetEnabled() == A->GetEnabled();
}
bool TdxNavBarItemActionLink::IsHintLinked() const {
  TCustomAction* A = Custom();
  return A && FClient->GetHint() == A->GetHint();
}
bool TdxNavBarItemActionLink::IsImageIndexLinked() const {
  TCustomAction* A = Custom();
  return A && FClient->GetLargeImageIndex() == A->GetImageIndex() &&
         FClient->GetSmallImageIndex() == A->GetImageIndex();
}
bool TdxNavBarItemActionLink::IsVisibleLinked() const {
  TCustomAction* A = Custom();
  return A && FClient->GetVisible() == A->GetVisible();
}

void TdxNavBarItemActionLink::Change() {
  TCustomAction* A = Custom();
  if (!A) return;
  // A value follows the action while the item still holds what the action had.
  if (FClient->GetCaption() == FCaption) FClient->SetCaption(A->GetCaption());
  if (FClient->GetEnabled() == FEnabled) FClient->SetEnabled(A->GetEnabled());
  if (FClient->GetHint() == FHint) FClient->SetHint(A->GetHint());
  if (FClient->GetLargeImageIndex() == FImageIndex && FClient->GetSmallImageIndex() == FImageIndex) {
    FClient->SetLargeImageIndex(A->GetImageIndex());
    FClient->SetSmallImageIndex(A->GetImageIndex());
  }
  if (FClient->GetVisible() == FVisible) FClient->SetVisible(A->GetVisible());
  Remember();
}

// ---- collections

void TdxNavBarCustomItems::ItemNotify(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
  if (Kind == cckRemoving)
    if (auto* Bar = dynamic_cast<TdxCustomNavBar*>(GetParentComponent())) Bar->ElementRemoving(Item);
}

TdxNavBarGroup* TdxNavBarGroups::ItemByCaption(const std::string& Caption) const {
  for (int I = 0; I < NumberOfItems(); ++I)
    if (Items(I)->GetCaption() == Caption) return Items(I);
  return nullptr;
}

int TdxNavBarGroups::IndexOf(const TdxNavBarGroup* Group) const {
  for (int I = 0; I < NumberOfItems(); ++I)
    if (Items(I) == Group) return I;
  return -1;
}

int TdxNavBarItems::IndexOf(const TdxNavBarItem* Item) const {
  for (int I = 0; I < NumberOfItems(); ++I)
    if (Items(I) == Item) return I;
  return -1;
}

void TdxNavBarItems::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarItems*>(Source);
  if (!S) {
    TdxNavBarCustomItems::Assign(Source);
    return;
  }
  LockUpdates();
  try {
    RemoveAll();
    for (int I = 0; I < S->NumberOfItems(); ++I) {
      TdxNavBarItem* Src = S->Items(I);
      auto* New = static_cast<TdxNavBarItem*>(TClassOf<TdxNavBarItem>(Src->ClassType()).Create(GetParentComponent()->GetOwner()));
      New->SetParentComponent(GetParentComponent());
      New->Assign(Src);
    }
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

// ---- group control

TdxNavBarGroupControl::TdxNavBarGroupControl(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  SetColor(clBtnFace);
  SetDoubleBuffered(true);
  SetParentBackground(false);
}

void TdxNavBarGroupControl::BeforeDestruction() {
  if (FGroup && FGroup->FControl == this) {
    FGroup->FControl = nullptr;
    if (!FGroup->IsDestroying()) FGroup->FOptionsGroupControl->SetUseControl(false);
  }
  FGroup = nullptr;
  TCustomPanel::BeforeDestruction();
}

void TdxNavBarGroupControl::BindGroup(TdxNavBarGroup* Group) {
  FGroup = Group;
  FGroupIndex = Group ? Group->GetIndex() : -1;
  if (Group) {
    Group->FControl = this;
    FreeNotification(Group);
  }
}

void TdxNavBarGroupControl::SetOriginalHeight(int Value) {
  if (Value <= 0 || Value == FOriginalHeight) return;
  FOriginalHeight = Value;
  if (!GetComponentState().Contains(csLoading)) SetHeight(Value);
}

void TdxNavBarGroupControl::SetUseStyle(bool Value) {
  if (FUseStyle == Value) return;
  FUseStyle = Value;
  Invalidate();
}

void TdxNavBarGroupControl::FitToGroupArea(const RECT& R, bool AVisible) {
  ++FUpdateLock;
  int Original = FOriginalHeight;
  SetVisible(AVisible);
  SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
  FOriginalHeight = Original;
  --FUpdateLock;
}

void TdxNavBarGroupControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FUpdateLock == 0) FOriginalHeight = AHeight;
  if (!GetVisible() && FUpdateLock == 0) return;
  if (ALeft == GetLeft() && ATop == GetTop() && AWidth == GetWidth() && AHeight == GetHeight()) return;
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FUpdateLock == 0 && FGroup) FGroup->NotifyChanged(true);
}

void TdxNavBarGroupControl::SetParent(TWinControl* AParent) {
  if (AParent && !(FGroup && AParent == FGroup->GetNavBar()) &&
      !(dynamic_cast<TdxCustomNavBar*>(AParent) && GetComponentState().Contains(csLoading)))
    throw EdxException(ResolveResourceString(sdxInvalideGroupControl));
  TCustomPanel::SetParent(AParent);
}

void TdxNavBarGroupControl::Dispatch(TMessage& Message) {
  TCustomPanel::Dispatch(Message);
  if (Message.Msg == CM_VISIBLECHANGED && FUpdateLock == 0 && FGroup) FGroup->NotifyChanged(true);
}

void TdxNavBarGroupControl::Paint() {
  TdxCustomNavBar* Bar = FGroup ? FGroup->GetNavBar() : nullptr;
  if (!FUseStyle || !Bar) {
    TCustomPanel::Paint();
    return;
  }
  TdxNavBarGroupViewInfo* G = Bar->GetViewInfo() ? Bar->GetViewInfo()->GetGroupViewInfoByGroup(FGroup) : nullptr;
  if (!G) return;
  Bar->GetPainter()->DrawGroupControl(GetCanvas(), GetClientRect(), G);
}

SONVELT_PUBLISHED(TdxNavBarGroupControl, P) {
  P.Boolean("UseStyle", &TdxNavBarGroupControl::GetUseStyle, &TdxNavBarGroupControl::SetUseStyle).Default(false);
}

namespace {
const bool Registered = (RegisterClasses({TdxNavBarItemLink::StaticClass(), TdxNavBarGroupControl::StaticClass(),
                                          TdxNavBarGroup::StaticClass(), TdxNavBarItem::StaticClass()}),
                         true);
}
