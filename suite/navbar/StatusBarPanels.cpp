#include "suite/navbar/StatusBarPanels.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "suite/common/SuiteException.h"
#include "suite/common/UnitLifetime.h"
#include "suite/navbar/StatusBar.h"
#include "suite/navbar/StatusBarConsts.h"
#include "suite/navbar/StatusBarContainer.h"
#include "suite/navbar/StatusBarKeyboardState.h"
#include "suite/navbar/StatusBarStateIndicators.h"

namespace {
TcxRegisteredClasses* PanelStyleRegistry = nullptr;

TSuiteUnit PanelStylesUnit(
    [] {
      EnsureStatusBarStrings();
      PanelStyleRegistry = TcxRegisteredClasses::CreateRegistry(false);
      PanelStyleRegistry->RegisterWithDescription(TdxStatusBarTextPanelStyle::StaticClass(),
                                                  ResolveResourceString(sdxTextPanelStyle));
      PanelStyleRegistry->RegisterWithDescription(TdxStatusBarContainerPanelStyle::StaticClass(),
                                                  ResolveResourceString(sdxContainerPanelStyle));
      PanelStyleRegistry->RegisterWithDescription(TdxStatusBarKeyboardStatePanelStyle::StaticClass(),
                                                  ResolveResourceString(sdxKeyboardStatePanelStyle));
      PanelStyleRegistry->RegisterWithDescription(TdxStatusBarStateIndicatorPanelStyle::StaticClass(),
                                                  ResolveResourceString(sdxStateIndicatorPanelStyle));
    },
    [] {
      for (TClass C : {TdxStatusBarTextPanelStyle::StaticClass(), TdxStatusBarContainerPanelStyle::StaticClass(),
                       TdxStatusBarKeyboardStatePanelStyle::StaticClass(),
                       TdxStatusBarStateIndicatorPanelStyle::StaticClass()})
        PanelStyleRegistry->UnregisterClassEntry(C);
      FreeAndNil(PanelStyleRegistry);
    });
}  // namespace

TcxRegisteredClasses* StatusBarPanelStyles() {
  PanelStylesUnit.Ensure();
  return PanelStyleRegistry;
}

// ---- panel

TdxStatusBarPanel::TdxStatusBarPanel(TCollection* Collection) : TCollectionItem(Collection) {}

TdxStatusBarPanel::~TdxStatusBarPanel() = default;

void TdxStatusBarPanel::AfterConstruction() {
  TCollectionItem::AfterConstruction();
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (!Bar) return;
  FBiDiMode = Bar->GetBiDiMode();
  // A panel read from a stream takes the style its stored class name gives.
  const TComponentState S = Bar->GetComponentState();
  if (!S.Contains(csLoading) && !S.Contains(csReading)) SetPanelStyleClass(Bar->DefaultPanelStyleClass());
}

void TdxStatusBarPanel::BeforeDestruction() {
  // A style that may not go keeps the panel.
  DestroyPanelStyle();
  TCollectionItem::BeforeDestruction();
}

TdxCustomStatusBar* TdxStatusBarPanel::GetStatusBar() const {
  auto* Panels = dynamic_cast<TdxStatusBarPanels*>(GetCollection());
  return Panels ? Panels->GetStatusBar() : nullptr;
}

void TdxStatusBarPanel::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxStatusBarPanel*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  TCollection* C = GetCollection();
  if (C) C->BeginUpdate();
  try {
    ResetToDefaults();
    SetPanelStyleClass(S->GetPanelStyleClass());
    SetPanelStyle(S->GetPanelStyle());
    SetVisible(S->GetVisible());
    SetBevel(S->GetBevel());
    SetBiDiMode(S->GetBiDiMode());
    SetFixed(S->GetFixed());
    if (S->FMinWidthAssigned) SetMinWidth(S->GetMinWidth());
    SetParentBiDiMode(S->GetParentBiDiMode());
    SetText(S->GetText());
    if (S->FWidthAssigned) SetWidth(S->GetWidth());
    OnClick = S->OnClick;
    OnDblClick = S->OnDblClick;
    OnDrawPanel = S->OnDrawPanel;
  } catch (...) {
    if (C) C->EndUpdate();
    throw;
  }
  if (C) C->EndUpdate();
}

std::string TdxStatusBarPanel::GetDisplayName() const {
  return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

// ---- style

std::string TdxStatusBarPanel::GetPanelStyleClassName() const {
  return FPanelStyle ? FPanelStyle->ClassName() : std::string();
}

void TdxStatusBarPanel::SetPanelStyleClassName(const std::string& Value) {
  TcxRegisteredClasses* Registry = StatusBarPanelStyles();
  SetPanelStyleClass(Registry ? Registry->FindByClassName(Value) : nullptr);
}

void TdxStatusBarPanel::SetPanelStyleClass(TClass Value) {
  // Raises for a class that is no panel style.
  const TdxStatusBarPanelStyleClass StyleClass(Value);
  if (StyleClass.Get() == FPanelStyleClass) return;
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (Value && Bar && !Bar->CanUsePanelStyleClass(Value)) return;
  DestroyPanelStyle();
  FPanelStyleClass = Value;
  CreatePanelStyle();
}

void TdxStatusBarPanel::SetPanelStyle(TdxStatusBarPanelStyle* Value) {
  if (FPanelStyle && Value) FPanelStyle->Assign(Value);
}

void TdxStatusBarPanel::CreatePanelStyle() {
  if (FPanelStyleClass) FPanelStyle = TdxStatusBarPanelStyleClass(FPanelStyleClass).Create(this);
  // The style decides the widths.
  Changed(false);
}

void TdxStatusBarPanel::DestroyPanelStyle() {
  if (!FPanelStyle) return;
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (Bar && !Bar->IsLoadingOrGoing() && !FPanelStyle->CanDelete())
    throw EdxException(ResolveResourceString(sdxCannotDeleteAncestorComponent));
  TdxStatusBarPanelStyle* Style = FPanelStyle;
  FPanelStyle = nullptr;
  Free(Style);
}

// ---- properties

void TdxStatusBarPanel::SetBevel(TdxStatusBarPanelBevel Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Changed(false);
}

void TdxStatusBarPanel::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Changed(false);
}

void TdxStatusBarPanel::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value) TakeParentBiDiMode();
  Changed(false);
}

void TdxStatusBarPanel::TakeParentBiDiMode() {
  if (TdxCustomStatusBar* Bar = GetStatusBar()) FBiDiMode = Bar->GetBiDiMode();
}

bool TdxStatusBarPanel::HasSizeableStyle() const { return !FPanelStyle || FPanelStyle->IsSizeable(); }

bool TdxStatusBarPanel::GetFixed() const { return HasSizeableStyle() ? FFixed : true; }

void TdxStatusBarPanel::SetFixed(bool Value) {
  if (FFixed == Value) return;
  FFixed = Value;
  Changed(false);
}

int TdxStatusBarPanel::DefaultMinWidth() const { return FPanelStyle ? FPanelStyle->ContentMinWidth() : 20; }

int TdxStatusBarPanel::DefaultWidth() const { return HasSizeableStyle() ? 50 : DefaultMinWidth(); }

int TdxStatusBarPanel::GetMinWidth() const {
  return FMinWidthAssigned && HasSizeableStyle() ? FMinWidth : DefaultMinWidth();
}

int TdxStatusBarPanel::GetWidth() const { return FWidthAssigned && HasSizeableStyle() ? FWidth : DefaultWidth(); }

void TdxStatusBarPanel::SetMinWidth(int Value) {
  FMinWidth = std::max(Value, 0);
  FMinWidthAssigned = true;
  if (GetWidth() < FMinWidth) SetWidth(FMinWidth);
  Changed(false);
}

void TdxStatusBarPanel::SetWidth(int Value) {
  FWidth = std::max(Value, FMinWidth);
  FWidthAssigned = true;
  Changed(false);
}

void TdxStatusBarPanel::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed(false);
}

void TdxStatusBarPanel::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (FPanelStyle) FPanelStyle->PanelVisibleChanged();
  Changed(false);
}

// ---- layout

void TdxStatusBarPanel::AdjustLayoutWidth(int& Width) {
  if (!FPanelStyle) return;
  if (!FPanelStyle->HasOwnBevels()) Width += 2;
  // The grip's room goes to the collection's last panel, hidden or not.
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (Bar && Bar->GetPainter() && GetIndex() == GetCollection()->GetCount() - 1 && Bar->SizeGripVisible())
    Width += Bar->GetPainter()->SizeGripExtent().cx;
}

int TdxStatusBarPanel::LayoutMinWidth() {
  int W = GetMinWidth();
  AdjustLayoutWidth(W);
  return W;
}

int TdxStatusBarPanel::LayoutWidth() {
  int W = GetWidth();
  AdjustLayoutWidth(W);
  return W;
}

void TdxStatusBarPanel::ResetToDefaults() {
  FVisible = true;
  FMinWidth = 20;
  FWidth = 50;
  FFixed = true;
  FParentBiDiMode = true;
  TakeParentBiDiMode();
  FBevel = dxpbLowered;
  FMinWidthAssigned = false;
  FWidthAssigned = false;
  Changed(true);
}

SONVELT_PUBLISHED(TdxStatusBarPanel, P) {
  using S = TdxStatusBarPanel;
  // The class name comes first, so that the style exists when its properties arrive.
  P.String("PanelStyleClassName", &S::GetPanelStyleClassName, &S::SetPanelStyleClassName);
  P.Object("PanelStyle", &S::GetPanelStyle);
  P.Event("PanelStyleEvents", &S::PanelStyleEvents);
  P.Enum("Bevel", &S::GetBevel, &S::SetBevel, {"dxpbNone", "dxpbLowered", "dxpbRaised"}).Default(dxpbLowered);
  P.Enum("BiDiMode", &S::GetBiDiMode, &S::SetBiDiMode,
         {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"})
      .Stored([](S* Panel) { return !Panel->GetParentBiDiMode(); });
  P.Boolean("Fixed", &S::GetFixed, &S::SetFixed).Default(true);
  P.Integer("MinWidth", &S::GetMinWidth, &S::SetMinWidth).Stored(&S::IsMinWidthStored);
  P.Boolean("ParentBiDiMode", &S::GetParentBiDiMode, &S::SetParentBiDiMode).Default(true);
  P.String("Text", &S::GetText, &S::SetText);
  P.Boolean("Visible", &S::GetVisible, &S::SetVisible).Default(true);
  P.Integer("Width", &S::GetWidth, &S::SetWidth).Stored(&S::IsWidthStored);
  P.Event("OnClick", &S::OnClick);
  P.Event("OnDblClick", &S::OnDblClick);
  P.Event("OnDrawPanel", &S::OnDrawPanel);
}

// ---- collection

TdxStatusBarPanels::TdxStatusBarPanels(TdxCustomStatusBar* Owner)
    : TOwnedCollection(Owner, TdxStatusBarPanel::StaticClass()), FStatusBar(Owner) {}

void TdxStatusBarPanels::Update(TCollectionItem* Item) {
  if (FStatusBar) FStatusBar->LayoutChanged();
}
