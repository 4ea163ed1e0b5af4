#include "suite/bars/Bars.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/Format.h"
#include "framework/IniFiles.h"
#include "framework/Messages.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarCaptionButtons.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarPainter.h"
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
  P.Integer("AlphaBlendValue", &TdxBar::GetAlphaBlendValue, &TdxBar::SetAlphaBlendValue).Default(255);
  P.Object("BackgroundBitmap", &TdxBar::GetBackgroundBitmap);
  P.Enum("BorderStyle", &TdxBar::GetBorderStyle, &TdxBar::SetBorderStyle, {"bbsNone", "bbsSingle"}).Default(bbsSingle);
  P.String("Caption", &TdxBar::GetCaption, &TdxBar::SetCaption);
  P.Collection("CaptionButtons", [](TdxBar* B) { return static_cast<TCollection*>(B->GetCaptionButtons()); });
  P.Integer("Color", &TdxBar::GetColor, &TdxBar::SetColor).Idents(ColorToIdent, IdentToColor).Default(clDefault);
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
  P.Object("Font", &TdxBar::GetFont).Stored([](TdxBar* B) { return B->GetUseOwnFont(); });
  P.Object("Glyph", &TdxBar::GetGlyph);
  P.Boolean("Hidden", &TdxBar::GetHidden, &TdxBar::SetHidden).Default(false);
  P.Boolean("IsMainMenu", &TdxBar::GetIsMainMenu, &TdxBar::SetIsMainMenu).Default(false);
  P.Collection("ItemLinks", [](TdxBar* B) { return static_cast<TCollection*>(B->GetItemLinks()); });
  P.String("KeyTip", &TdxBar::GetKeyTip, &TdxBar::SetKeyTip);
  P.Boolean("MultiLine", &TdxBar::GetMultiLine, &TdxBar::SetMultiLine).Default(false);
  P.Set("NotDocking", &TdxBar::GetNotDocking, &TdxBar::SetNotDocking, DockingStyleNames).Default(TdxBarDockingStyles{});
  P.String("OldName", &TdxBar::GetOldName, &TdxBar::SetOldName);
  P.Boolean("OneOnRow", &TdxBar::GetOneOnRow, &TdxBar::SetOneOnRow).NoDefault();
  P.Boolean("RotateWhenVertical", &TdxBar::GetRotateWhenVertical, &TdxBar::SetRotateWhenVertical).Default(true);
  P.Integer("Row", &TdxBar::GetRow, &TdxBar::SetRow).NoDefault();
  P.Boolean("ShowMark", &TdxBar::GetShowMark, &TdxBar::SetShowMark).Default(true);
  P.Boolean("SizeGrip", &TdxBar::GetSizeGrip, &TdxBar::SetSizeGrip).Default(true);
  P.Boolean("UseOwnFont", &TdxBar::GetUseOwnFont, &TdxBar::SetUseOwnFont).NoDefault();
  P.Boolean("UseRecentItems", &TdxBar::GetUseRecentItems, &TdxBar::SetUseRecentItems).Default(true);
  P.Boolean("UseRestSpace", &TdxBar::GetUseRestSpace, &TdxBar::SetUseRestSpace).Default(false);
  P.Boolean("Visible", &TdxBar::GetVisible, &TdxBar::SetVisible).NoDefault();
  P.Boolean("WholeRow", &TdxBar::GetWholeRow, &TdxBar::SetWholeRow).NoDefault();
}

TdxBar::TdxBar(TComponent* AOwner)
    : TcxComponentCollectionItem(AOwner),
      FBackgroundBitmap(TBitmap::Create()),
      FEditFont(TFont::Create()),
      FFont(TFont::Create()),
      FGlyph(TBitmap::Create()),
      FMergeData(TdxBarMergeData::Create()) {
  FCaptionButtons.reset(TdxBarCaptionButtons::Create(this));
  FCaptionButtons->OnChange = Bind(this, &TdxBar::CaptionButtonsChanged);
  FFont->OnChange = Bind(this, &TdxBar::FontChanged);
}

TdxBar::~TdxBar() { ClearLinksToObject(this); }

void TdxBar::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  OnDestroyNotify(this);
  TdxBarManager* M = FBarManager;
  if (M && !M->IsDestroying()) M->OnBarDelete(M, this);
  FCaptionButtons.reset();
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
  RemoveFromDockRow(true);
  NotifyFreeNotificationItems();
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
  FInternalFontChange = true;
  FFont->Assign(M->GetFont());
  FInternalFontChange = false;
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

TdxBarControl* TdxBar::Toolbar() const { return dynamic_cast<TdxBarControl*>(GetBarControl()); }

void TdxBar::SetAllowClose(bool Value) {
  if (FAllowClose == Value) return;
  FAllowClose = Value;
  if (IsFloatingShown()) GetBarControl()->RecalcFrame();
}

void TdxBar::SetAllowQuickCustomizing(bool Value) {
  if (FAllowQuickCustomizing == Value) return;
  FAllowQuickCustomizing = Value;
  TCustomdxBarControl* W = GetBarControl();
  if (!W) return;
  if (IsFloatingShown())
    W->RecalcFrame();
  else if (FBarManager && FBarManager->GetStyle() != bmsStandard)
    W->Rebuild();
}

void TdxBar::SetAlphaBlendValue(std::uint8_t Value) {
  if (FAlphaBlendValue == Value) return;
  FAlphaBlendValue = Value;
  if (IsFloatingShown()) GetBarControl()->ApplyAlphaBlend(Value);
}

void TdxBar::SetBackgroundBitmap(TBitmap* Value) {
  bool WasEmpty = FBackgroundBitmap->GetEmpty();
  FBackgroundBitmap->Assign(Value);
  if (!WasEmpty || !FBackgroundBitmap->GetEmpty()) RefreshBarControl();
}

void TdxBar::SetBorderStyle(TdxBarBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RefreshBarControl();
}

void TdxBar::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  RefreshBarControl();
}

void TdxBar::SetFont(TFont* Value) { FFont->Assign(Value); }

void TdxBar::FontChanged(TObject* Sender) {
  if (!FInternalFontChange) FUseOwnFont = true;
  FEditFont->Assign(FFont.get());
  if (TCustomdxBarControl* W = GetBarControl()) W->GetFont()->Assign(FFont.get());
}

void TdxBar::SetUseOwnFont(bool Value) {
  if (FUseOwnFont == Value) return;
  FUseOwnFont = Value;
  if (Value || !FBarManager) return;
  FInternalFontChange = true;
  FFont->Assign(FBarManager->GetFont());
  FInternalFontChange = false;
}

void TdxBar::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }

void TdxBar::SetRotateWhenVertical(bool Value) {
  if (FRotateWhenVertical == Value) return;
  FRotateWhenVertical = Value;
  // The window lays its controls out again as after a font change.
  if (TCustomdxBarControl* W = GetBarControl(); W && W->HandleAllocated()) SendMessageW(W->GetHandle(), CM_FONTCHANGED, 0, 0);
}

void TdxBar::SetShowMark(bool Value) {
  if (FShowMark == Value) return;
  FShowMark = Value;
  if (TCustomdxBarControl* W = GetBarControl()) W->Rebuild();
}

void TdxBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  if (IsStatusBarLike()) RefreshBarControl();
}

void TdxBar::SetUseRestSpace(bool Value) {
  if (FUseRestSpace == Value) return;
  FUseRestSpace = Value;
  if (TCustomdxBarControl* W = GetBarControl()) W->Rebuild();
  if (TdxDockControl* Site = GetActualDockControl()) Site->RebuildLayout();
}

void TdxBar::SetWholeRow(bool Value) {
  if (FWholeRow == Value) return;
  FWholeRow = Value;
  // A docked bar takes its row anew.
  if (GetBarControl() && GetDockingStyle() != dsNone) {
    SetVisible(false);
    SetVisible(true);
  }
}

void TdxBar::RefreshBarControl() {
  if (TCustomdxBarControl* W = GetBarControl()) W->RefreshWindow();
}

void TdxBar::CaptionButtonsChanged(TObject* Sender, TCollectionItem* Item) { ForwardToBarControl(); }

void TdxBar::ForwardToBarControl() {
  if (TdxBarControl* W = Toolbar()) W->CaptionButtonsChanged();
}

bool TdxBar::IsDockingAllowed() const {
  TdxBarDockingStyles All{dsNone, dsLeft, dsTop, dsRight, dsBottom};
  return !(FNotDocking == All || (FBarManager && FBarManager->GetNotDocking() == All));
}

bool TdxBar::IsStatusBarLike() const { return FBorderStyle == bbsNone && GetDockingStyle() == dsBottom && FWholeRow; }

bool TdxBar::IsSizeGripVisible() const {
  if (!IsStatusBarLike() || !FSizeGrip || !FBarManager) return false;
  TCustomForm* Form = FBarManager->OwnerTopForm();
  if (Form && Form->HandleAllocated() && IsZoomed(Form->GetHandle())) return false;
  TCustomdxBarControl* W = GetBarControl();
  if (!W) return true;
  // The window's bottom edge lies on its parent's client bottom at every level up to the form.
  for (TWinControl* C = W; C && !dynamic_cast<TCustomForm*>(C); C = C->GetParent()) {
    TWinControl* Parent = C->GetParent();
    if (!Parent) break;
    if (C->GetTop() + C->GetHeight() != Parent->GetClientHeight()) return false;
  }
  return true;
}

int TdxBar::GetHorzBorderSize(TdxBarDockingStyle Style) const {
  TdxBarControl* W = Toolbar();
  if (!W) return 0;
  RECT B = W->FrameBorders(Style);
  return B.left + B.right;
}

int TdxBar::GetVertBorderSize(TdxBarDockingStyle Style) const {
  TdxBarControl* W = Toolbar();
  if (!W) return 0;
  RECT B = W->FrameBorders(Style);
  return B.top + B.bottom;
}

TdxBarPainter* TdxBar::GetPainter() const {
  if (TdxDockControl* Site = GetActualDockControl()) return Site->GetPainter();
  return FBarManager ? FBarManager->GetPainter() : nullptr;
}

TdxBar* TdxBar::NextBar() const {
  TdxBars* Bars = GetManagerBars();
  if (!Bars) return nullptr;
  int I = PositionInCollection();
  return I >= 0 && I + 1 < Bars->NumberOfItems() ? Bars->GetBar(I + 1) : nullptr;
}

void TdxBar::AddFreeNotificationItem(TCustomdxBarSubItem* Item) {
  if (std::find(FFreeNotificationItems.begin(), FFreeNotificationItems.end(), Item) == FFreeNotificationItems.end())
    FFreeNotificationItems.push_back(Item);
}

void TdxBar::RemoveFreeNotificationItem(TCustomdxBarSubItem* Item) { std::erase(FFreeNotificationItems, Item); }

void TdxBar::NotifyFreeNotificationItems() {
  while (!FFreeNotificationItems.empty()) {
    TCustomdxBarSubItem* Item = FFreeNotificationItems.back();
    FFreeNotificationItems.pop_back();
    Item->BarRemoved(this);
  }
}

void TdxBar::Assign(TPersistent* Source) {
  auto* B = dynamic_cast<TdxBar*>(Source);
  if (!B) {
    TcxComponentCollectionItem::Assign(Source);
    return;
  }
  SetAllowClose(B->FAllowClose);
  SetAllowCustomizing(B->FAllowCustomizing);
  SetAllowQuickCustomizing(B->FAllowQuickCustomizing);
  SetAllowReset(B->FAllowReset);
  SetBorderStyle(B->FBorderStyle);
  SetCaption(B->FCaption);
  FCaptionButtons->Assign(B->FCaptionButtons.get());
  SetDockedDockControl(B->FDockedDockControl);
  SetDockedDockingStyle(B->FDockedDockingStyle);
  SetDockedLeft(B->FDockedLeft);
  SetDockedTop(B->FDockedTop);
  SetFloatLeft(B->FFloatLeft);
  SetFloatTop(B->FFloatTop);
  SetFloatClientWidth(B->FFloatClientWidth);
  SetFloatClientHeight(B->FFloatClientHeight);
  SetHidden(B->FHidden);
  SetIsMainMenu(B->FIsMainMenu);
  FItemLinks->Assign(B->FItemLinks.get());
  SetNotDocking(B->FNotDocking);
  SetOldName(B->FOldName);
  SetOneOnRow(B->FOneOnRow);
  SetRotateWhenVertical(B->FRotateWhenVertical);
  SetRow(B->GetRow());
  SetShowMark(B->FShowMark);
  SetSizeGrip(B->FSizeGrip);
  SetWholeRow(B->FWholeRow);
  ChangeDocking(B->GetDockingStyle(), B->GetDockControl());
  SetUseRecentItems(B->GetUseRecentItems());
  SetUseRestSpace(B->FUseRestSpace);
  SetColor(B->FColor);
  SetFont(B->FFont.get());
  SetUseOwnFont(B->FUseOwnFont);
  SetVisible(B->GetVisible());
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
  TCustomdxBarControl* W = GetBarControl();
  bool HideAround = W && !FDockingChange && GetVisible() &&
                    ((Value && W->GetDockSite() != Value) ||
                     (!Value && W->GetDockSite() && !W->GetDockSite()->IsFormDockSite()));
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
  if (TCustomdxBarControl* Now = GetBarControl()) Now->AssignDockSite(GetActualDockControl());
  if (!FDockingChange && FBarManager) FBarManager->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  if (FBarManager && FBarManager->IsLoading()) {
    FLoadedDockingStyle = Value;
    return;
  }
  if (Value == GetDockingStyle() && !FDockControl) return;
  TCustomdxBarControl* W = GetBarControl();
  bool HideAround = W && !FDockingChange && GetVisible() && W->GetDockingStyle() != Value;
  if (HideAround) SetVisible(false);
  FDockingStyle = Value;
  if (!FDockingChange) FDockControl = nullptr;
  if (FItemLinks) FItemLinks->SetRecentLinkLimit(-1);
  if (HideAround) SetVisible(true);
  if (TCustomdxBarControl* Now = GetBarControl()) Now->ChangeDockingStyle(Value);
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
  if (FUpdating)
    FPositionUpdatePending = true;
  else
    UpdateControlPosition();
  ReportChange();
}

void TdxBar::SetFloatBounds(int Index, int Value) {
  int& Field = Index == 1 ? FFloatLeft : Index == 2 ? FFloatTop : Index == 3 ? FFloatClientWidth : FFloatClientHeight;
  if (Field == Value) return;
  Field = Value;
  if (FUpdating)
    FPositionUpdatePending = true;
  else
    UpdateControlPosition();
  ReportChange();
}

void TdxBar::Updating() {
  FUpdating = true;
  FPositionUpdatePending = false;
}

void TdxBar::Updated() {
  FUpdating = false;
  if (FPositionUpdatePending) {
    FPositionUpdatePending = false;
    UpdateControlPosition();
  }
}

void TdxBar::UpdateControlPosition() {
  TdxBarControl* W = Toolbar();
  TdxBars* Bars = GetManagerBars();
  if (!W || (Bars && Bars->IsMoving()) || W->IsMovingSelf() || W->IsStoringPosition()) return;
  if (GetDockingStyle() != dsNone) {
    if (FDockRow) FDockRow->RemoveColumnOf(W);
    PlaceBarControl();
  } else {
    SIZE Size = W->CalcSizeForDockingStyle(dsNone);
    W->SetBounds(FFloatLeft, FFloatTop, Size.cx, Size.cy);
  }
}

int TdxBar::GetRow() const {
  if (FDockRow && FDockRow->GetDockControl()) return FDockRow->GetDockControl()->IndexOfRow(FDockRow);
  return FRow;
}

void TdxBar::SetRow(int Value) {
  if (Value < 0) Value = 0;
  if (FDockRow && Value == GetRow()) return;
  FRow = Value;
  TdxDockControl* Site = GetActualDockControl();
  if (Site) {
    TdxDockRow* Row;
    if (Value >= Site->RowCount()) {
      Row = Site->AddRow();
      // While bars are placed in bulk every missing row is made.
      bool Bulk = FBarManager && (FBarManager->IsBarsUpdateLocked() || FBarManager->IsApplyingLoadedVisibility());
      while (Bulk && Value >= Site->RowCount()) Row = Site->AddRow();
    } else {
      Row = Site->GetRow(Value);
    }
    SetDockRow(Row);
  }
  ReportChange();
  if (Site) Site->RebuildLayout();
}

void TdxBar::SetDockRow(TdxDockRow* Row) {
  if (Row == FDockRow || (FBarManager && FBarManager->IsDestroying())) return;
  if (FDockRow) FDockRow->RemoveBar(this, true);
  FDockRow = Row;
  if (Row) Row->AddBar(this);
}

void TdxBar::RemoveFromDockRow(bool RemoveEmptyRow) {
  TdxDockRow* Row = FDockRow;
  FDockRow = nullptr;
  if (Row) Row->RemoveBar(this, RemoveEmptyRow);
}

void TdxBar::SetOneOnRow(bool Value) {
  if (FOneOnRow == Value) return;
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
  if (FItemLinks) FItemLinks->SetRecentLinkLimit(-1);
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
  auto* Toolbar = dynamic_cast<TdxBarControl*>(W);
  {
    TdxBarControlInternalScope Internal(Toolbar);
    // The controls first: the window's sizes are theirs.
    if (Toolbar) {
      Toolbar->CalcMeasures();
      Toolbar->CreateItemControls();
    }
    if (Toolbar)
      Toolbar->ChangeDockSite(Site, GetDockingStyle());
    else
      W->ChangeDockingStyle(GetDockingStyle());
    if (Site) {
      POINT P = Site->ClientToScreen(POINT{FDockedLeft, FDockedTop});
      GetManagerBars()->DockBarControlAt(GetDockingStyle(), Site, P, W);
    } else {
      SIZE Size = Toolbar ? Toolbar->CalcSizeForDockingStyle(dsNone) : SIZE{FFloatClientWidth, FFloatClientHeight};
      W->SetBounds(FFloatLeft, FFloatTop, Size.cx, Size.cy);
    }
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

void TdxBar::Reset() {
  if (!FBarManager) return;
  int N = FBarManager->SavedBarIndexByCaption(FCaption);
  TMemIniFile* Saved = FBarManager->GetSavedState();
  if (N < 0 || !Saved) return;
  FBarManager->DoBarBeforeReset(this);
  bool Full = FBarManager->GetUseFullReset();
  bool WasVisible = GetVisible();
  std::string Base = FBarManager->IniLayoutBase();
  UnderBarsLock(FBarManager, [&] {
    if (Full) SetVisible(false);
    try {
      LoadLayout(Saved, Base, Full, false, N);
      LoadUsage(Saved, Base, N);
      FItemLinks->LoadItemLayouts(Saved, Base);
    } catch (...) {
      if (Full) SetVisible(WasVisible);
      throw;
    }
    if (Full) SetVisible(WasVisible);
  });
  FBarManager->DoBarAfterReset(this);
}

void TdxBar::ConfirmAndReset() {
  if (BarMessageBox(Format(BarString(dxSBAR_WANTTORESETTOOLBAR), {FCaption}), MB_OKCANCEL | MB_ICONWARNING) == IDOK) Reset();
}

// ---- merging

void TdxBar::Merge(TdxBar* Bar) { MergeKeeping(Bar, true); }

void TdxBar::Unmerge(TdxBar* Bar) { UnmergeKeeping(Bar, true); }

void TdxBar::MergeKeeping(TdxBar* Bar, bool HandleVisible) {
  if (FMergeData->GetTarget()) throw EdxException(BarString(dxSBAR_CANTMERGEWITHMERGEDTOOLBAR));
  if (!Bar || Bar == this) throw EdxException(BarString(dxSBAR_CANTMERGETOOLBAR));
  if (Bar->FMergeData->GetTarget() == this)
    throw EdxException(Format(BarString(dxSBAR_TOOLBARSALREADYMERGED), {Bar->GetCaption(), FCaption}));
  if (Bar->FMergeData->MergedCount()) throw EdxException(Format(BarString(dxSBAR_TOOLBARHASMERGEDTOOLBARS), {Bar->GetCaption()}));
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
  if (Bar == this) throw EdxException(BarString(dxSBAR_CANTUNMERGETOOLBAR));
  if (Bar && Bar->FMergeData->GetTarget() && Bar->FMergeData->GetTarget() != this)
    throw EdxException(Format(BarString(dxSBAR_TOOLBARSARENOTMERGED), {Bar->GetCaption(), FCaption}));
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

// ---- dragging

namespace {
// One delayed docking at a time in the process.
UINT_PTR DockingTimer = 0;
TdxBarManager* DockingTimerManager = nullptr;
TdxBars::TKeyStateReader KeyStateReader = &GetAsyncKeyState;
}  // namespace

TdxBars::TKeyStateReader TdxBars::SetKeyStateReader(TKeyStateReader Reader) {
  TKeyStateReader Old = KeyStateReader;
  KeyStateReader = Reader ? Reader : &GetAsyncKeyState;
  return Old;
}

bool TdxBars::IsDockingTimerPending() const { return DockingTimer != 0 && DockingTimerManager == FBarManager; }

void TdxBars::KillDockingTimer() {
  if (DockingTimer) KillTimer(nullptr, DockingTimer);
  DockingTimer = 0;
  DockingTimerManager = nullptr;
}

bool TdxBars::PointInDockZone(TdxDockControl* DockControl, const RECT& Zone, POINT ScreenPoint) {
  if (!PtInRect(&Zone, ScreenPoint)) return false;
  TWinControl* Parent = DockControl->GetParent();
  if (!DockControl->HandleAllocated() || !Parent || !Parent->GetParent() || !Parent->HandleAllocated()) return true;
  // A zone covered by another window of the grandparent does not count.
  HWND Grand = Parent->GetParent()->GetHandle();
  POINT P = ScreenPoint;
  ScreenToClient(Grand, &P);
  return ChildWindowFromPointEx(Grand, P, CWP_SKIPINVISIBLE) == Parent->GetHandle();
}

TdxBarDockingStyle TdxBars::FindDockTarget(TdxBar* Bar, POINT ScreenPoint, TdxDockControl*& DockControl) {
  DockControl = nullptr;
  if (FMoving && (KeyStateReader(VK_CONTROL) & 0x8000)) return dsNone;
  bool Design = FBarManager->InDesignMode();
  auto TryAt = [&](POINT P) {
    for (TdxBarDockingStyle Style : {dsLeft, dsRight, dsTop, dsBottom})
      for (int I = 0; I < FBarManager->DockControlCount(); ++I) {
        TdxDockControl* Site = FBarManager->DockControlByIndex(I);
        if (Site->GetDockingStyle() != Style || !(Design || Site->CanFocus())) continue;
        if (FBarManager->CanDock(Bar, Style, Site) && PointInDockZone(Site, Site->GetDockingZone(), P)) {
          DockControl = Site;
          return true;
        }
      }
    return false;
  };
  if (TryAt(ScreenPoint)) return DockControl->GetDockingStyle();
  if (FMoving && TryAt(POINT{ScreenPoint.x - FDragOffset.x, ScreenPoint.y - FDragOffset.y}))
    return DockControl->GetDockingStyle();
  return dsNone;
}

void TdxBars::MoveBarTo(TdxBarControl* BarControl, POINT ScreenPoint) {
  TdxBar* Bar = BarControl->GetBar();
  if (!Bar) return;
  TdxDockControl* Site;
  TdxBarDockingStyle Style = FindDockTarget(Bar, ScreenPoint, Site);
  if (!FBarManager->CanDock(Bar, Style, Site)) return;
  bool Floating = BarControl->GetDockingStyle() == dsNone;
  if (!FDockingTimerFired && Floating && Site) {
    // A floating bar docks only after it stayed in the zone for a while.
    KillDockingTimer();
    DockingTimerManager = FBarManager;
    DockingTimer = SetTimer(nullptr, 0, static_cast<UINT>(FBarManager->GetWaitForDockingTime()), &TdxBars::DockingTimerProc);
    Style = dsNone;
    Site = nullptr;
  }
  if (!Site) ScreenPoint = POINT{ScreenPoint.x - FDragOffset.x, ScreenPoint.y - FDragOffset.y};
  if (Style == BarControl->GetDockingStyle() && Site == BarControl->GetDockSite()) {
    if (Site) {
      Site->MoveBarControl(BarControl, ScreenPoint);
    } else {
      POINT Grab = BarControl->SizeForDocking(dsNone);
      SetWindowPos(BarControl->GetHandle(), nullptr, ScreenPoint.x - Grab.x, ScreenPoint.y - Grab.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  BarControl->Dismiss();
  if (BarControl->GetDockingStyle() != dsNone) {
    UndockBarControl(BarControl->GetDockingStyle(), BarControl->GetDockSite(), BarControl);
    if (BarControl->GetItemLinks()) BarControl->GetItemLinks()->SetRecentLinkLimit(-1);
  }
  if (Site) {
    {
      TdxBarControlInternalScope Internal(BarControl);
      BarControl->ChangeDockSite(Site, Style);
    }
    DockBarControlAt(Style, Site, ScreenPoint, BarControl);
  } else {
    {
      TdxBarControlInternalScope Internal(BarControl);
      BarControl->ChangeDockSite(nullptr, dsNone);
    }
    SIZE Size = BarControl->CalcSizeForDockingStyle(dsNone);
    POINT Grab = BarControl->SizeForDocking(dsNone);
    BarControl->SetBounds(ScreenPoint.x - Grab.x, ScreenPoint.y - Grab.y, Size.cx, Size.cy);
  }
  Bar->ChangeDocking(Style, Site);
  BarControl->ShowNoActivate();
}

void CALLBACK TdxBars::DockingTimerProc(HWND Wnd, UINT Msg, UINT_PTR Id, DWORD Time) {
  (void)Wnd, (void)Msg, (void)Id, (void)Time;
  TdxBarManager* M = DockingTimerManager;
  KillDockingTimer();
  if (!M) return;
  TdxBars* Bars = M->GetBars();
  if (!Bars->FMovingBarControl) return;
  POINT P;
  ReadCursorPosition(P);
  Bars->FDockingTimerFired = true;
  try {
    Bars->MoveBarTo(Bars->FMovingBarControl, POINT{P.x + Bars->FDragOffset.x, P.y + Bars->FDragOffset.y});
  } catch (...) {
    ReportException(nullptr);
  }
  Bars->FDockingTimerFired = false;
}

void TdxBars::TrackBarDrag(TdxBarControl* BarControl) {
  if (!BarControl || !BarControl->CanDock()) return;
  TdxBar* Bar = BarControl->GetBar();
  TdxDockControl* Site = BarControl->GetDockSite();
  if (Site && Bar)
    if (TdxDockCol* Col = Site->ColumnOf(BarControl)) Col->SetPos(POINT{Bar->GetDockedLeft(), Bar->GetDockedTop()});
  TcxObjectLinkGuard Alive(BarControl);
  FMoving = true;
  FMovingBarControl = BarControl;
  BarControl->SetMoving(true);
  POINT Last;
  if (!GetCursorPos(&Last)) Last = POINT{-1, -1};
  FStartStyle = BarControl->GetDockingStyle();
  FDragOffset = FGrabPoint = POINT{0, 0};
  if (Site && Bar && BarControl->HandleAllocated()) {
    RECT W = QueryWindowRect(BarControl->GetHandle());
    POINT Old{W.left, W.top};
    int Row = Bar->GetRow();
    Site->UndockBarControl(BarControl, nullptr, false);
    POINT Snapped = Last;
    Site->SnapToRowZone(Row, Bar->GetOneOnRow(), Snapped);
    if (Site->IsHorizontal())
      FDragOffset.y = Snapped.y - Last.y;
    else
      FDragOffset.x = Snapped.x - Last.x;
    {
      TdxBarControlInternalScope Internal(BarControl);
      Site->DockBarControl(BarControl, Old, false);
    }
    FGrabPoint = POINT{Last.x - W.left, Last.y - W.top};
  } else if (BarControl->HandleAllocated()) {
    RECT W = QueryWindowRect(BarControl->GetHandle());
    FGrabPoint = POINT{Last.x - W.left, Last.y - W.top};
  }
  auto Finish = [&] {
    KillDockingTimer();
    HWND Capture = FBarManager->CustomizingHostWindow();
    if (Capture && GetCapture() == Capture) ReleaseCapture();
    if (Alive.Alive()) {
      BarControl->SetMoving(false);
      if (BarControl->GetDockSite()) BarControl->GetDockSite()->StoreColumnPositions();
      BarControl->StorePositionInBar();
    }
    FMoving = false;
    FMovingBarControl = nullptr;
    BarDesignControllerInstance()->SetDragging(false);
  };
  try {
    MSG Msg;
    while (PeekMessageW(&Msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&Msg);
    BarDesignControllerInstance()->SetDragging(true);
    HWND Capture = FBarManager->CustomizingHostWindow();
    if (Capture) SetCapture(Capture);
    while (Capture && GetCapture() == Capture && Alive.Alive()) {
      BOOL Got = GetMessageW(&Msg, nullptr, 0, 0);
      if (Got == -1) break;
      if (!Got) {
        PostQuitMessage(static_cast<int>(Msg.wParam));
        break;
      }
      if (Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP) {
        if (Msg.wParam == VK_CONTROL) {
          // Ctrl pressed or released: the target is decided again at once.
          POINT P;
          ReadCursorPosition(P);
          Last = POINT{-1, -1};
          ScreenToClient(Capture, &P);
          PostMessageW(Capture, WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y));
        } else if (Msg.wParam == VK_ESCAPE && Msg.message == WM_KEYDOWN) {
          break;
        }
        continue;
      }
      if (Msg.message == WM_SYSKEYDOWN || Msg.message == WM_SYSKEYUP || Msg.message == WM_CHAR) continue;
      if (Msg.message == WM_MOUSEMOVE) {
        POINT P{static_cast<short>(LOWORD(Msg.lParam)), static_cast<short>(HIWORD(Msg.lParam))};
        ClientToScreen(Msg.hwnd, &P);
        if (P.x != Last.x || P.y != Last.y) {
          Last = P;
          MoveBarTo(BarControl, POINT{P.x + FDragOffset.x, P.y + FDragOffset.y});
        }
        continue;
      }
      if (Msg.message == WM_LBUTTONUP) break;
      TranslateMessage(&Msg);
      DispatchMessageW(&Msg);
    }
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}
