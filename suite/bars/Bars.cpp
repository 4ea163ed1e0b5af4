#include "suite/bars/Bars.h"

#include <algorithm>

#include "framework/Form.h"
#include "framework/Format.h"
#include "framework/IniFiles.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteException.h"
#include "suite/common/WindowUtils.h"

namespace {
const std::vector<std::string> DockingStyleNames{"dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom"};
TdxBar* MergingBar = nullptr;

// Sets MergingBar for one scope.
class TMergingScope {
public:
  explicit TMergingScope(TdxBar* Bar) : FSaved(MergingBar) { MergingBar = Bar; }
  ~TMergingScope() { MergingBar = FSaved; }
  TMergingScope(const TMergingScope&) = delete;
  TMergingScope& operator=(const TMergingScope&) = delete;

private:
  TdxBar* FSaved;
};

// Runs Proc inside a bar-update lock of Manager.
template <class F>
void UnderBarsLock(TdxBarManager* Manager, F Proc) {
  if (Manager) Manager->LockBarsUpdate();
  try {
    Proc();
  } catch (...) {
    if (Manager) Manager->UnlockBarsUpdate();
    throw;
  }
  if (Manager) Manager->UnlockBarsUpdate();
}
}  // namespace

TdxBar* CurrentlyMergingBar() { return MergingBar; }

// ---- TdxBarMergeData

TdxBarMergeData::TdxBarMergeData() : FNotifier(TcxFreeNotificator::Create(nullptr)) {
  FNotifier->OnFreeNotification = Bind(this, &TdxBarMergeData::BarFreed);
}

TdxBarMergeData::~TdxBarMergeData() { ClearSaved(); }

bool TdxBarMergeData::HasMerged(TdxBar* Bar) const {
  return std::find(FMerged.begin(), FMerged.end(), Bar) != FMerged.end();
}

void TdxBarMergeData::CopyMergedBars(std::vector<TdxBar*>* List) {
  if (List) {
    List->insert(List->end(), FMerged.begin(), FMerged.end());
    return;
  }
  for (TdxBar* Bar : FMerged) {
    FSaved.push_back(Bar);
    FNotifier->WatchComponent(Bar);
  }
}

void TdxBarMergeData::ClearSaved() {
  for (TdxBar* Bar : FSaved) FNotifier->UnwatchComponent(Bar);
  FSaved.clear();
}

void TdxBarMergeData::BarFreed(TObject* Sender, TComponent* Component) { std::erase(FSaved, Component); }

// ---- TdxBar

SONVELT_PUBLISHED(TdxBar, P) {
  P.Boolean("AllowClose", &TdxBar::GetAllowClose, &TdxBar::SetAllowClose).Default(true);
  P.Boolean("AllowCustomizing", &TdxBar::GetAllowCustomizing, &TdxBar::SetAllowCustomizing).Default(true);
  P.Boolean("AllowQuickCustomizing", &TdxBar::GetAllowQuickCustomizing, &TdxBar::SetAllowQuickCustomizing)
      .Default(true);
  P.Boolean("AllowReset", &TdxBar::GetAllowReset, &TdxBar::SetAllowReset).Default(true);
  P.String("Caption", &TdxBar::GetCaption, &TdxBar::SetCaption);
  P.Component("DockControl", &TdxBar::GetDockControl, &TdxBar::SetDockControl);
  P.Component("DockedDockControl", &TdxBar::GetDockedDockControl, &TdxBar::SetDockedDockControl);
  P.Enum("DockedDockingStyle", &TdxBar::GetDockedDockingStyle, &TdxBar::SetDockedDockingStyle, DockingStyleNames)
      .Stored([](TdxBar* B) { return !B->GetDockedDockControl(); });
  P.Integer("DockedLeft", &TdxBar::GetDockedLeft, &TdxBar::SetDockedLeft).NoDefault();
  P.Integer("DockedTop", &TdxBar::GetDockedTop, &TdxBar::SetDockedTop).NoDefault();
  P.Enum("DockingStyle", &TdxBar::GetDockingStyle, &TdxBar::SetDockingStyle, DockingStyleNames)
      .Stored([](TdxBar* B) { return !B->GetDockControl(); });
  P.Integer("FloatLeft", &TdxBar::GetFloatLeft, &TdxBar::SetFloatLeft).NoDefault();
  P.Integer("FloatTop", &TdxBar::GetFloatTop, &TdxBar::SetFloatTop).NoDefault();
  P.Integer("FloatClientWidth", &TdxBar::GetFloatClientWidth, &TdxBar::SetFloatClientWidth).NoDefault();
  P.Integer("FloatClientHeight", &TdxBar::GetFloatClientHeight, &TdxBar::SetFloatClientHeight).NoDefault();
  P.Boolean("Hidden", &TdxBar::GetHidden, &TdxBar::SetHidden).Default(false);
  P.Boolean("IsMainMenu", &TdxBar::GetIsMainMenu, &TdxBar::SetIsMainMenu).Default(false);
  P.Collection("ItemLinks", [](TdxBar* B) { return static_cast<TCollection*>(B->GetItemLinks()); });
  P.Boolean("MultiLine", &TdxBar::GetMultiLine, &TdxBar::SetMultiLine).Default(false);
  P.Set("NotDocking", &TdxBar::GetNotDocking, &TdxBar::SetNotDocking, DockingStyleNames).Default(TdxBarDockingStyles{});
  P.String("OldName", &TdxBar::GetOldName, &TdxBar::SetOldName);
  P.Boolean("OneOnRow", &TdxBar::GetOneOnRow, &TdxBar::SetOneOnRow).NoDefault();
  P.Integer("Row", &TdxBar::GetRow, &TdxBar::SetRow).NoDefault();
  P.Boolean("UseRecentItems", &TdxBar::GetUseRecentItems, &TdxBar::SetUseRecentItems).Default(true);
  P.Boolean("Visible", &TdxBar::GetVisible, &TdxBar::SetVisible).NoDefault();
  P.Boolean("WholeRow", &TdxBar::GetWholeRow, &TdxBar::SetWholeRow).NoDefault();
}

TdxBar::TdxBar(TComponent* AOwner) : TcxComponentCollectionItem(AOwner), FMergeData(TdxBarMergeData::Create()) {}

TdxBar::~TdxBar() { ClearLinksToObject(this); }

void TdxBar::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  TdxBarManager* M = FBarManager;
  if (M && !M->IsDestroying()) M->OnBarDelete(M, this);
  if (TdxBar* Target = FMergeData->GetTarget()) {
    if (IsBarControlAlive(Target->GetBarControl()) || Target->GetItemLinks()) Target->UnmergeKeeping(this, false);
  }
  while (FMergeData->MergedCount()) UnmergeKeeping(FMergeData->MergedBar(FMergeData->MergedCount() - 1), true);
  if (M && !M->IsDestroying()) {
    SetVisible(false);
  } else if (FItemLinks) {
    FItemLinks->DestroyBarControl();
    FVisible = false;
  }
  if (M) {
    M->ForgetBarToRestore(this);
    if (M->GetMainMenuBar() == this) M->SetMainMenuBar(nullptr);
  }
  FItemLinks.reset();
  TcxComponentCollectionItem::BeforeDestruction();
}

TdxBars* TdxBar::GetManagerBars() const { return FBarManager ? FBarManager->GetBars() : nullptr; }

TCustomdxBarControl* TdxBar::GetBarControl() const { return FItemLinks ? FItemLinks->GetBarControl() : nullptr; }

TdxBarItemLinks* TdxBar::GetItemLinks() { return FItemLinks.get(); }

TcxComponentCollection* TdxBar::CollectionOfParent(TComponent* ParentComponent) {
  auto* M = dynamic_cast<TdxBarManager*>(ParentComponent);
  return M ? M->GetBars() : nullptr;
}

void TdxBar::SetParentComponent(TComponent* Value) {
  TcxComponentCollectionItem::SetParentComponent(Value);
  auto* M = dynamic_cast<TdxBarManager*>(Value);
  if (!M || M == FBarManager) return;
  FBarManager = M;
  FItemLinks.reset(TdxBarControlItemLinks::Create(M, this));
  if (!M->IsLoading()) {
    M->OnBarAdd(M, this);
    ReportChange();
  }
}

void TdxBar::SetName(const std::string& NewName) {
  if (FNameLocked) {
    FOldName = NewName;
    return;
  }
  TcxComponentCollectionItem::SetName(NewName);
}

void TdxBar::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  if (TdxBars* Bars = GetManagerBars())
    for (int I = 0; I < Bars->NumberOfItems(); ++I)
      if (Bars->GetBar(I) != this && Bars->GetBar(I)->GetCaption() == Value) return;
  FCaption = Value;
  if (TCustomdxBarControl* W = GetBarControl()) W->RefreshWindow();
  ReportChange();
}

void TdxBar::SetHidden(bool Value) {
  if (FHidden == Value) return;
  FHidden = Value;
  ReportChange();
}

TdxBarDockingStyle TdxBar::GetDockingStyle() const {
  if (IsLoadingAsAncestor(const_cast<TdxBar*>(this))) return FLoadedDockingStyle;
  if (FDockControl) return static_cast<TdxDockControl*>(FDockControl)->GetDockingStyle();
  return FDockingStyle;
}

TdxBarDockControl* TdxBar::GetDockControl() const {
  if (IsLoadingAsAncestor(const_cast<TdxBar*>(this))) return FLoadedDockControl;
  return FDockControl;
}

TdxBarDockingStyle TdxBar::GetDockedDockingStyle() const {
  return FDockedDockControl ? static_cast<TdxDockControl*>(FDockedDockControl)->GetDockingStyle() : FDockedDockingStyle;
}

TdxDockControl* TdxBar::GetActualDockControl() const {
  if (FDockControl) return FDockControl;
  if (GetDockingStyle() == dsNone) return nullptr;
  TdxBars* Bars = GetManagerBars();
  return Bars ? Bars->FormDockSite(GetDockingStyle()) : nullptr;
}

void TdxBar::SetDockControl(TdxBarDockControl* Value) {
  if (Value && Value->GetBarManager() != FBarManager) return;
  if (FBarManager && FBarManager->IsLoading()) {
    FLoadedDockControl = Value;
    return;
  }
  if (Value == FDockControl) return;
  bool HideAround = GetBarControl() && !FDockingChange && GetVisible();
  if (HideAround) SetVisible(false);
  TdxBarDockingStyle Previous = FDockingStyle;
  FDockControl = Value;
  if (FItemLinks) FItemLinks->SetRecentLinkLimit(-1);
  if (!FDockingChange) {
    FDockingChange = true;
    FDockingStyle = Value ? Value->GetDockingStyle() : Previous;
    FDockingChange = false;
  }
  if (HideAround) SetVisible(true);
  if (!FDockingChange && FBarManager) FBarManager->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  if (FBarManager && FBarManager->IsLoading()) {
    FLoadedDockingStyle = Value;
    return;
  }
  if (Value == GetDockingStyle() && !FDockControl) return;
  bool HideAround = GetBarControl() && !FDockingChange && GetVisible();
  if (HideAround) SetVisible(false);
  FDockingStyle = Value;
  if (!FDockingChange) FDockControl = nullptr;
  if (FItemLinks) FItemLinks->SetRecentLinkLimit(-1);
  if (HideAround) SetVisible(true);
  if (!FDockingChange && FBarManager) FBarManager->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockedDockControl(TdxBarDockControl* Value) {
  if (Value && Value->GetBarManager() != FBarManager) return;
  if (FDockedDockControl == Value) return;
  FDockedDockControl = Value;
  ReportChange();
}

void TdxBar::ChangeDocking(TdxBarDockingStyle Style, TdxDockControl* DockControl) {
  auto* Placed = dynamic_cast<TdxBarDockControl*>(DockControl);
  if (DockControl && DockControl->IsFormDockSite()) Placed = nullptr;
  if (Style == GetDockingStyle() || (Placed && Placed != FDockControl))
    SetDockControl(Placed);
  else
    SetDockingStyle(Style);
}

void TdxBar::SetDockedPosition(int Index, int Value) {
  if (Value < 0) Value = 0;
  int& Field = Index == 1 ? FDockedLeft : FDockedTop;
  if (Field == Value) return;
  Field = Value;
  ReportChange();
}

void TdxBar::SetFloatBounds(int Index, int Value) {
  int& Field = Index == 1 ? FFloatLeft : Index == 2 ? FFloatTop : Index == 3 ? FFloatClientWidth : FFloatClientHeight;
  if (Field == Value) return;
  Field = Value;
  if (IsFloatingShown()) PlaceBarControl();
  ReportChange();
}

void TdxBar::SetRow(int Value) {
  if (Value < 0) Value = 0;
  if (FRow == Value) return;
  FRow = Value;
  ReportChange();
  if (TdxDockControl* Site = GetActualDockControl()) Site->RebuildLayout();
}

void TdxBar::SetOneOnRow(bool Value) {
  TdxDockControl* Site = GetActualDockControl();
  if (Site && Site->IsDestroyingBarControls()) return;
  FOneOnRow = Value;
}

void TdxBar::SetNotDocking(TdxBarDockingStyles Value) {
  FNotDocking = Value;
  if (TCustomdxBarControl* W = GetBarControl()) W->Rebuild();
}

void TdxBar::SetMultiLine(bool Value) {
  if (!Value && FIsMainMenu) return;
  if (FMultiLine == Value) return;
  FMultiLine = Value;
  if (TCustomdxBarControl* W = GetBarControl(); W && GetDockingStyle() != dsNone) W->Rebuild();
}

void TdxBar::SetIsMainMenu(bool Value) {
  if (FIsMainMenu == Value) return;
  UnderBarsLock(FBarManager, [&] {
    if (Value && FBarManager && FBarManager->GetMainMenuBar() && FBarManager->GetMainMenuBar() != this)
      FBarManager->GetMainMenuBar()->SetIsMainMenu(false);
    FIsMainMenu = Value;
    if (FBarManager) {
      if (Value)
        FBarManager->SetMainMenuBar(this);
      else if (FBarManager->GetMainMenuBar() == this)
        FBarManager->SetMainMenuBar(nullptr);
    }
    FWholeRow = Value;
    FMultiLine = Value;
    if (FBarManager && !FBarManager->IsLoading()) {
      if (TCustomdxBarControl* W = GetBarControl()) W->Rebuild();
      ReportChange();
    }
  });
}

bool TdxBar::GetUseRecentItems() const { return !FItemLinks || FItemLinks->GetRecentModeAllowed(); }

void TdxBar::SetUseRecentItems(bool Value) {
  if (!FItemLinks) return;
  FItemLinks->SetRecentModeAllowed(Value);
  if (TCustomdxBarControl* W = GetBarControl()) W->Rebuild();
}

bool TdxBar::GetVisible() const {
  if (IsLoadingAsAncestor(const_cast<TdxBar*>(this))) return FLoadedVisible;
  return FVisible;
}

void TdxBar::SetVisible(bool Value) {
  TdxBarManager* M = FBarManager;
  if (Value && M && M->IsDestroying()) return;
  if (!Value && !FVisible && M) M->ForgetBarToRestore(this);
  if (M && M->IsLoading()) {
    FLoadedVisible = Value;
    return;
  }
  if (Value == FVisible) return;
  if (!Value && GetBarControl()) GetBarControl()->StorePositionInBar();
  FVisible = Value;
  if (Value) {
    if (FItemLinks && FItemLinks->CreateBarControl()) PlaceBarControl();
  } else if (FItemLinks) {
    TCustomdxBarControl* W = GetBarControl();
    if (W)
      if (TdxDockControl* Site = W->GetDockSite()) Site->UndockBarControl(W, true);
    FItemLinks->DestroyBarControl();
  }
  ReportChange();
  if (M && !M->IsDestroying()) M->OnBarVisibleChange(M, this);
}

void TdxBar::ApplyLoadedDocking() {
  FPredefined = true;
  if (FLoadedDockControl)
    SetDockControl(FLoadedDockControl);
  else
    SetDockingStyle(FLoadedDockingStyle);
  FLoadedDockControl = nullptr;
}

void TdxBar::ApplyLoadedVisible() { SetVisible(FLoadedVisible); }

bool TdxBar::IsFloatingShown() const { return GetBarControl() && GetDockingStyle() == dsNone; }

bool TdxBar::ShouldShowBarControl() const {
  if (GetDockingStyle() != dsNone) return true;
  if (!FBarManager || !FBarManager->IsOwnerShownNotMinimized()) return false;
  return !FBarManager->GetHideFloatingBarsWhenInactive() || FBarManager->IsCustomizing() ||
         IsFormActive(FBarManager->OwnerTopForm());
}

TCustomdxBarControlClass TdxBar::BarControlClass() const {
  TdxDockControl* Site = GetActualDockControl();
  return Site ? Site->BarControlClass() : TCustomdxBarControlClass(TdxBarControl::StaticClass());
}

TCustomdxBarControl* TdxBar::CreateBarControl() {
  TCustomdxBarControl* W = BarControlClass().Create(nullptr);
  W->SetBarManager(FBarManager);
  if (auto* Toolbar = dynamic_cast<TdxBarControl*>(W)) Toolbar->SetBar(this);
  W->SetText(FCaption);
  return W;
}

void TdxBar::PlaceBarControl() {
  TCustomdxBarControl* W = GetBarControl();
  if (!W) return;
  TdxDockControl* Site = GetActualDockControl();
  W->ChangeDockingStyle(GetDockingStyle());
  if (Site) {
    if (W->GetDockSite() && W->GetDockSite() != Site) W->GetDockSite()->UndockBarControl(W, true);
    W->AssignDockSite(Site);
    POINT P = Site->ClientToScreen(POINT{FDockedLeft, FDockedTop});
    GetManagerBars()->DockBarControlAt(GetDockingStyle(), Site, P, W);
  } else {
    if (W->GetDockSite()) W->GetDockSite()->UndockBarControl(W, true);
    W->AssignDockSite(nullptr);
    W->SetParent(nullptr);
    W->SetBounds(FFloatLeft, FFloatTop, std::max(FFloatClientWidth, 50), std::max(FFloatClientHeight, 20));
  }
  if (ShouldShowBarControl()) W->ShowNoActivate();
  if (FBarManager) FBarManager->ForgetBarToRestore(this);
}

bool TdxBar::CanClose() const {
  TCustomdxBarControl* W = GetBarControl();
  return FAllowClose && !FIsMainMenu && (!W || W->AllowsClose());
}

bool TdxBar::HandleShortCut(TShortCut ShortCut) { return FItemLinks && FItemLinks->HandleShortCut(ShortCut); }

bool TdxBar::CanContainItem(TdxBarItem* Item, std::string& Text) { return Item->CanBePlacedOn(hkToolbar, Text); }

// ---- layout store

void TdxBar::SaveLayout(TCustomIniFile* Store, const std::string& Base, bool Registry, int Number) {
  std::string S = LayoutSectionName(Base, Number);
  Store->WriteString(S, "Caption", FCaption);
  std::string Path = FBarManager->DockControlPath(FDockControl);
  if (FDockControl && !Path.empty()) Store->WriteString(S, "DockControl", Path);
  Path = FBarManager->DockControlPath(FDockedDockControl);
  if (FDockedDockControl && !Path.empty()) Store->WriteString(S, "DockedDockControl", Path);
  Store->WriteInteger(S, "DockedDockingStyle", GetDockedDockingStyle());
  Store->WriteInteger(S, "DockedLeft", FDockedLeft);
  Store->WriteInteger(S, "DockedTop", FDockedTop);
  Store->WriteInteger(S, "DockingStyle", GetDockingStyle());
  Store->WriteInteger(S, "FloatClientHeight", FFloatClientHeight);
  Store->WriteInteger(S, "FloatClientWidth", FFloatClientWidth);
  Store->WriteInteger(S, "FloatLeft", FFloatLeft);
  Store->WriteInteger(S, "FloatTop", FFloatTop);
  Store->WriteBool(S, "OneOnRow", FOneOnRow);
  Store->WriteInteger(S, "Row", GetRow());
  bool Visible = FMergeData->GetTarget() ? FMergeData->GetVisibleBeforeMerging()
                                          : FVisible || FBarManager->IndexOfBarToRestore(this) >= 0;
  Store->WriteBool(S, "Visible", Visible);
  FItemLinks->SaveLayout(Store, S, Registry);
}

void TdxBar::LoadLayout(TCustomIniFile* Store, const std::string& Base, bool ReadProperties, bool Registry,
                        int Number) {
  std::string S = LayoutSectionName(Base, Number);
  FItemLinks->LoadLayout(Store, S, Registry);
  if (!ReadProperties) return;
  try {
    SetCaption(Store->ReadString(S, "Caption", FCaption));
    if (Store->ValueExists(S, "DockedDockControl"))
      SetDockedDockControl(FBarManager->ResolveDockControlPath(Store->ReadString(S, "DockedDockControl", "")));
    auto Style = [](int V) { return static_cast<TdxBarDockingStyle>(std::clamp(V, 0, 4)); };
    SetDockedDockingStyle(Style(Store->ReadInteger(S, "DockedDockingStyle", FDockedDockingStyle)));
    SetDockedLeft(Store->ReadInteger(S, "DockedLeft", FDockedLeft));
    SetDockedTop(Store->ReadInteger(S, "DockedTop", FDockedTop));
    SetOneOnRow(Store->ReadBool(S, "OneOnRow", FOneOnRow));
    SetFloatLeft(Store->ReadInteger(S, "FloatLeft", FFloatLeft));
    SetFloatTop(Store->ReadInteger(S, "FloatTop", FFloatTop));
    SetFloatClientWidth(Store->ReadInteger(S, "FloatClientWidth", FFloatClientWidth));
    SetFloatClientHeight(Store->ReadInteger(S, "FloatClientHeight", FFloatClientHeight));
    TdxBarDockControl* Site = FBarManager->ResolveDockControlPath(Store->ReadString(S, "DockControl", ""));
    if (Site)
      SetDockControl(Site);
    else if (FDockControl && FDockControl->HoldsStoredSite())
      SetDockControl(nullptr);
    SetDockingStyle(Style(Store->ReadInteger(S, "DockingStyle", GetDockingStyle())));
    SetRow(Store->ReadInteger(S, "Row", GetRow()));
    SetVisible(Store->ReadBool(S, "Visible", false));
    FMergeData->SetTarget(nullptr);
  } catch (...) {
    // A damaged section still leaves the bar where the user can see it.
    SetVisible(true);
  }
}

void TdxBar::LoadUsage(TCustomIniFile* Store, const std::string& Base, int Number) {
  FItemLinks->LoadUsage(Store, LayoutSectionName(Base, Number));
}

// ---- merging

void TdxBar::Merge(TdxBar* Bar) { MergeKeeping(Bar, true); }

void TdxBar::Unmerge(TdxBar* Bar) { UnmergeKeeping(Bar, true); }

void TdxBar::MergeKeeping(TdxBar* Bar, bool HandleVisible) {
  if (FMergeData->GetTarget()) throw EdxException(BarString(dxSBAR_CANTMERGEMERGEDBAR));
  if (!Bar || Bar == this) throw EdxException(BarString(dxSBAR_CANTMERGEWITHBAR));
  if (Bar->FMergeData->GetTarget() == this)
    throw EdxException(Format(BarString(dxSBAR_BARALREADYMERGED), {Bar->GetCaption(), FCaption}));
  if (Bar->FMergeData->MergedCount()) throw EdxException(Format(BarString(dxSBAR_BARHASMERGEDBARS), {Bar->GetCaption()}));
  bool WasMerged = Bar->FMergeData->GetTarget() != nullptr;
  if (WasMerged) Bar->FMergeData->GetTarget()->UnmergeKeeping(Bar, false);
  Bar->FMergeData->SetTarget(this);
  FMergeData->AddMerged(Bar);
  UnderBarsLock(FBarManager, [&] {
    TMergingScope Scope(Bar);
    FItemLinks->MergeLinks(Bar->FItemLinks.get());
  });
  if (HandleVisible && !WasMerged) Bar->FMergeData->SetVisibleBeforeMerging(Bar->GetVisible());
  Bar->SetVisibleKeepingMDIBounds(false);
}

void TdxBar::UnmergeKeeping(TdxBar* Bar, bool RestoreVisible) {
  if (Bar == this) throw EdxException(BarString(dxSBAR_CANTUNMERGEBAR));
  if (Bar && Bar->FMergeData->GetTarget() && Bar->FMergeData->GetTarget() != this)
    throw EdxException(Format(BarString(dxSBAR_BARNOTMERGED), {Bar->GetCaption(), FCaption}));
  if (Bar && !Bar->FMergeData->GetTarget()) return;
  if (!FMergeData->MergedCount()) return;
  std::vector<TdxBar*> Bars;
  if (Bar)
    Bars.push_back(Bar);
  else
    FMergeData->CopyMergedBars(&Bars);
  UnderBarsLock(FBarManager, [&] { FItemLinks->RemoveMergedLinks(Bar); });
  for (TdxBar* B : Bars) {
    B->FMergeData->SetTarget(nullptr);
    FMergeData->RemoveMerged(B);
    if (RestoreVisible) B->SetVisibleKeepingMDIBounds(B->FMergeData->GetVisibleBeforeMerging());
  }
}

void TdxBar::UnmergeFromManager(TdxBarManager* Manager, bool RestoreVisible) {
  for (int I = FMergeData->MergedCount() - 1; I >= 0; --I) {
    TdxBar* B = FMergeData->MergedBar(I);
    if (!Manager || B->GetBarManager() == Manager) UnmergeKeeping(B, RestoreVisible);
  }
}

void TdxBar::SaveMergedBars() { FMergeData->CopyMergedBars(nullptr); }

void TdxBar::RemergeSaved() {
  std::vector<TdxBar*> Saved;
  for (int I = 0; I < FMergeData->SavedCount(); ++I) Saved.push_back(FMergeData->SavedBar(I));
  FMergeData->ClearSaved();
  for (TdxBar* B : Saved) MergeKeeping(B, B->GetBarManager() == FBarManager);
}

void TdxBar::SetVisibleKeepingMDIBounds(bool Value) {
  auto* Child = dynamic_cast<TCustomForm*>(FBarManager ? FBarManager->GetOwner() : nullptr);
  if (!Child || !IsRunTimeMDIChild(Child) || !Child->HandleAllocated()) {
    SetVisible(Value);
    return;
  }
  RECT Before = QueryWindowRect(Child->GetHandle());
  SetVisible(Value);
  RECT After = QueryWindowRect(Child->GetHandle());
  if (!EqualRect(&Before, &After)) {
    HWND Parent = GetParent(Child->GetHandle());
    MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&Before), 2);
    SetWindowPos(Child->GetHandle(), nullptr, Before.left, Before.top, Before.right - Before.left,
                 Before.bottom - Before.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// ---- TdxBars

TdxBars::TdxBars(TdxBarManager* ABarManager) : TcxComponentCollection(ABarManager, TdxBar::StaticClass()), FBarManager(ABarManager) {
  for (TdxBarDockingStyle Style : {dsLeft, dsTop, dsRight, dsBottom})
    FDockSites[Style - 1] = TdxDockControl::CreateForManager(nullptr, Style, ABarManager);
}

TdxBars::~TdxBars() = default;

void TdxBars::BeforeDestruction() {
  TcxComponentCollection::BeforeDestruction();
  for (TdxDockControl*& Site : FDockSites) {
    TdxDockControl* S = Site;
    Site = nullptr;
    Free(S);
  }
}

TdxDockControl* TdxBars::FormDockSite(TdxBarDockingStyle Style) const {
  return Style == dsNone ? nullptr : FDockSites[Style - 1];
}

void TdxBars::ForgetFormDockSite(TdxDockControl* Site) {
  for (TdxDockControl*& S : FDockSites)
    if (S == Site) S = nullptr;
}

void TdxBars::DockBarControlAt(TdxBarDockingStyle Style, TdxDockControl* DockControl, POINT ScreenPoint,
                               TCustomdxBarControl* BarControl) {
  TdxDockControl* Site = DockControl ? DockControl : FormDockSite(Style);
  if (Site) Site->DockBarControl(BarControl, ScreenPoint, true);
}

void TdxBars::UndockBarControl(TdxBarDockingStyle Style, TdxDockControl* DockControl, TCustomdxBarControl* BarControl) {
  TdxDockControl* Site = DockControl ? DockControl : FormDockSite(Style);
  if (Site) Site->UndockBarControl(BarControl, true);
}

void TdxBars::RebuildBarControls() {
  for (int I = 0; I < NumberOfItems(); ++I)
    if (TCustomdxBarControl* W = GetBar(I)->GetBarControl()) W->Rebuild();
}

void TdxBars::NameNewItem(TcxComponentCollectionItem* Item) {
  std::string Name;
  FBarManager->MakeUniqueBarName(FBarManager->GetName() + "Bar", Name);
  if (!Name.empty() && FBarManager->GetOwner() && !FBarManager->GetOwner()->FindComponent(Name)) Item->SetName(Name);
}

void TdxBars::ReportChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
  TcxComponentCollection::ReportChange(Item, Kind);
  if (Kind == cckChanged) FBarManager->NotifyModified();
}
