#include "suite/bars/BarManager.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/IniFiles.h"
#include "framework/MathUtils.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarDragInfo.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarPainters.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarPopupMenuLinks.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/BarUnit.h"
#include "suite/bars/Bars.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/SuiteException.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxLookAndFeel.h"

namespace {
const std::vector<std::string> StyleNames{"bmsStandard", "bmsEnhanced", "bmsFlat", "bmsXP", "bmsOffice11",
                                          "bmsUseLookAndFeel"};
const std::vector<std::string> AnimationNames{"maNone", "maRandom", "maUnfold", "maSlide", "maFade"};
const std::vector<std::string> DockingStyleNames{"dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom"};

// The kinds of themed objects the bars draw with.
constexpr TdxThemedObjectKinds BarThemedKinds =
    ThemedKinds({tokComboBox, tokEdit, tokProgress, tokRebar, tokScrollBar, tokSpin, tokStatus, tokToolBar, tokWindow});

TComponent* ResolveOwner(TComponent* Owner) {
  if (!Owner && Application) return Application->GetMainForm();
  return Owner;
}
}  // namespace

SONVELT_PUBLISHED(TdxBarManager, P) {
  P.Boolean("AllowCallFromAnotherForm", &TdxBarManager::GetAllowCallFromAnotherForm,
            &TdxBarManager::SetAllowCallFromAnotherForm)
      .Default(false);
  P.Boolean("AllowReset", &TdxBarManager::GetAllowReset, &TdxBarManager::SetAllowReset).Default(true);
  P.Boolean("AlwaysMerge", &TdxBarManager::GetAlwaysMerge, &TdxBarManager::SetAlwaysMerge).Default(false);
  P.Boolean("AlwaysSaveText", &TdxBarManager::GetAlwaysSaveText, &TdxBarManager::SetAlwaysSaveText).Default(false);
  P.Boolean("AutoAlignBars", &TdxBarManager::GetAutoAlignBars, &TdxBarManager::SetAutoAlignBars).Default(false);
  P.Boolean("AutoDockColor", &TdxBarManager::GetAutoDockColor, &TdxBarManager::SetAutoDockColor).Default(true);
  P.Boolean("AutoHideEmptyBars", &TdxBarManager::GetAutoHideEmptyBars, &TdxBarManager::SetAutoHideEmptyBars)
      .Default(false);
  P.Boolean("Scaled", &TdxBarManager::GetScaled, &TdxBarManager::SetScaled).Default(true);
  P.Object("Font", &TdxBarManager::GetFont);
  P.Object("Backgrounds", &TdxBarManager::GetBackgrounds);
  P.Integer("ButtonArrowWidth", &TdxBarManager::GetButtonArrowWidth, &TdxBarManager::SetButtonArrowWidth).Default(11);
  P.Boolean("CanCustomize", &TdxBarManager::GetCanCustomize, &TdxBarManager::SetCanCustomize).Default(true);
  P.Object("Categories", &TdxBarManager::GetCategories);
  P.Integer("DockColor", &TdxBarManager::GetDockColor, &TdxBarManager::SetDockColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(&TdxBarManager::IsDockColorStored);
  P.Boolean("FlatCloseButton", &TdxBarManager::GetFlatCloseButton, &TdxBarManager::SetFlatCloseButton).Default(false);
  P.Object("HelpButtonGlyph", &TdxBarManager::GetHelpButtonGlyph);
  P.Integer("HelpContext", &TdxBarManager::GetHelpContext, &TdxBarManager::SetHelpContext).Default(0);
  P.Boolean("HideFloatingBarsWhenInactive", &TdxBarManager::GetHideFloatingBarsWhenInactive,
            &TdxBarManager::SetHideFloatingBarsWhenInactive)
      .Default(true);
  P.Object("ImageOptions", &TdxBarManager::GetImageOptions);
  // Older form data kept the image settings on the manager itself.
  P.Component("DisabledImages", &TdxBarManager::GetDisabledImages, &TdxBarManager::SetDisabledImages).Stored(false);
  P.Component("DisabledLargeImages", &TdxBarManager::GetDisabledLargeImages, &TdxBarManager::SetDisabledLargeImages)
      .Stored(false);
  P.Component("HotImages", &TdxBarManager::GetHotImages, &TdxBarManager::SetHotImages).Stored(false);
  P.Integer("ImageListBkColor", &TdxBarManager::GetImageListBkColor, &TdxBarManager::SetImageListBkColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(false);
  P.Component("Images", &TdxBarManager::GetImages, &TdxBarManager::SetImages).Stored(false);
  P.Component("LargeImages", &TdxBarManager::GetLargeImages, &TdxBarManager::SetLargeImages).Stored(false);
  P.Boolean("LargeIcons", &TdxBarManager::GetLargeIcons, &TdxBarManager::SetLargeIcons).Stored(false);
  P.Boolean("MakeDisabledImagesFaded", &TdxBarManager::GetMakeDisabledImagesFaded,
            &TdxBarManager::SetMakeDisabledImagesFaded)
      .Stored(false);
  P.Boolean("StretchGlyphs", &TdxBarManager::GetStretchGlyphs, &TdxBarManager::SetStretchGlyphs).Stored(false);
  P.Boolean("UseLargeImagesForLargeIcons", &TdxBarManager::GetUseLargeImagesForLargeIcons,
            &TdxBarManager::SetUseLargeImagesForLargeIcons)
      .Stored(false);
  P.String("IniFileName", &TdxBarManager::GetIniFileName, &TdxBarManager::SetIniFileName);
  P.Integer("LargeButtonArrowWidth", &TdxBarManager::GetLargeButtonArrowWidth,
            &TdxBarManager::SetLargeButtonArrowWidth)
      .Default(13);
  P.Object("LookAndFeel", &TdxBarManager::GetLookAndFeel);
  P.Enum("MenuAnimations", &TdxBarManager::GetMenuAnimations, &TdxBarManager::SetMenuAnimations, AnimationNames)
      .Default(maNone);
  P.Boolean("MenusShowRecentItemsFirst", &TdxBarManager::GetMenusShowRecentItemsFirst,
            &TdxBarManager::SetMenusShowRecentItemsFirst)
      .Default(true);
  P.Integer("MostRecentItemsPercents", &TdxBarManager::GetMostRecentItemsPercents,
            &TdxBarManager::SetMostRecentItemsPercents)
      .Default(95);
  P.Set("NotDocking", &TdxBarManager::GetNotDocking, &TdxBarManager::SetNotDocking, DockingStyleNames)
      .Default(TdxBarDockingStyles{});
  P.Collection("PopupMenuLinks", [](TdxBarManager* M) { return static_cast<TCollection*>(M->GetPopupMenuLinks()); });
  P.String("RegistryPath", &TdxBarManager::GetRegistryPath, &TdxBarManager::SetRegistryPath);
  P.Boolean("ShowCloseButton", &TdxBarManager::GetShowCloseButton, &TdxBarManager::SetShowCloseButton).Default(false);
  P.Boolean("ShowFullMenusAfterDelay", &TdxBarManager::GetShowFullMenusAfterDelay,
            &TdxBarManager::SetShowFullMenusAfterDelay)
      .Default(true);
  P.Boolean("ShowHelpButton", &TdxBarManager::GetShowHelpButton, &TdxBarManager::SetShowHelpButton).Default(false);
  P.Boolean("ShowHint", &TdxBarManager::GetShowHint, &TdxBarManager::SetShowHint).Default(true);
  P.Boolean("ShowHintForDisabledItems", &TdxBarManager::GetShowHintForDisabledItems,
            &TdxBarManager::SetShowHintForDisabledItems)
      .Default(true);
  P.Boolean("ShowShortCutInHint", &TdxBarManager::GetShowShortCutInHint, &TdxBarManager::SetShowShortCutInHint)
      .Default(false);
  P.Boolean("StoreInIniFile", &TdxBarManager::GetStoreInIniFile, &TdxBarManager::SetStoreInIniFile).Default(false);
  P.Boolean("StoreInRegistry", &TdxBarManager::GetStoreInRegistry, &TdxBarManager::SetStoreInRegistry)
      .Default(false);
  P.Enum("Style", &TdxBarManager::GetStyle, &TdxBarManager::SetStyle, StyleNames).Default(bmsEnhanced);
  P.Boolean("SunkenBorder", &TdxBarManager::GetSunkenBorder, &TdxBarManager::SetSunkenBorder).Default(false);
  P.Boolean("UseF10ForMenu", &TdxBarManager::GetUseF10ForMenu, &TdxBarManager::SetUseF10ForMenu).Default(true);
  P.Boolean("UseFullReset", &TdxBarManager::GetUseFullReset, &TdxBarManager::SetUseFullReset).Default(false);
  P.Boolean("UseSystemFont", &TdxBarManager::GetUseSystemFont, &TdxBarManager::SetUseSystemFont).NoDefault();
  P.Integer("WaitForDockingTime", &TdxBarManager::GetWaitForDockingTime, &TdxBarManager::SetWaitForDockingTime)
      .Default(21);
  P.Event("OnBarAdd", &TdxBarManager::OnBarAdd);
  P.Event("OnBarAfterReset", &TdxBarManager::OnBarAfterReset);
  P.Event("OnBarBeforeReset", &TdxBarManager::OnBarBeforeReset);
  P.Event("OnBarClose", &TdxBarManager::OnBarClose);
  P.Event("OnBarDelete", &TdxBarManager::OnBarDelete);
  P.Event("OnBarDockingStyleChange", &TdxBarManager::OnBarDockingStyleChange);
  P.Event("OnBarVisibleChange", &TdxBarManager::OnBarVisibleChange);
  P.Event("OnItemLinkAdd", &TdxBarManager::OnItemLinkAdd);
  P.Event("OnItemLinkChange", &TdxBarManager::OnItemLinkChange);
  P.Event("OnItemLinkDelete", &TdxBarManager::OnItemLinkDelete);
  P.Event("OnMergeItemLink", &TdxBarManager::OnMergeItemLink);
  P.Event("OnCloseButtonClick", &TdxBarManager::OnCloseButtonClick);
  P.Event("OnDocking", &TdxBarManager::OnDocking);
  P.Event("OnHelpButtonClick", &TdxBarManager::OnHelpButtonClick);
  P.Event("OnHideCustomizingForm", &TdxBarManager::OnHideCustomizingForm);
  P.Event("OnMenuMerge", &TdxBarManager::OnMenuMerge);
  P.Event("OnMerge", &TdxBarManager::OnMerge);
  P.Event("OnShowCustomizingForm", &TdxBarManager::OnShowCustomizingForm);
  P.Event("OnShowCustomizingPopup", &TdxBarManager::OnShowCustomizingPopup);
  P.Event("OnShowToolbarsPopup", &TdxBarManager::OnShowToolbarsPopup);
  P.Event("OnClickItem", &TdxBarManager::OnClickItem);
}

// ---- life

TdxBarManager::TdxBarManager(TComponent* AOwner) : TComponent(ResolveOwner(AOwner)), FDockColor(clBtnFace) {
  EnsureBarUnit();
  // Refused managers never reach the list: the checks come before registering.
  FInternalState |= bmsfConstructing;
  if (!dynamic_cast<TWinControl*>(GetOwner())) throw EdxException(BarString(dxSBAR_BARMANAGERBADOWNER));
  if (FindBarManagerByOwner(GetOwner())) throw EdxException(BarString(dxSBAR_BARMANAGERMORETHANONE));
  FInternalState &= ~bmsfConstructing;
}

void TdxBarManager::AfterConstruction() {
  TComponent::AfterConstruction();
  RegisterBarManager(this);
  FBackgrounds.reset(TdxBarBackgrounds::Create(this));
  FLookAndFeel.reset(TcxLookAndFeel::Create(this));
  FLookAndFeel->OnValuesChanged = Bind(this, &TdxBarManager::LookAndFeelChanged);
  FStyle = static_cast<TdxBarManagerStyle>(255);
  SetStyle(bmsEnhanced);
  FInternalItems.reset(TComponentList::Create(true));
  FItems.reset(TdxBarComponentList::Create());
  FCategories.reset(TdxBarManagerCategories::Create(this));
  FDockControls.reset(TList::Create());
  FPopupMenus.reset(TComponentList::Create(false));
  FBars.reset(TdxBars::Create(this));
  FReadIniHandlers.reset(TcxEventHandlerCollection::Create());
  FWriteIniHandlers.reset(TcxEventHandlerCollection::Create());
  FSystemFontChangedHandlers.reset(TcxEventHandlerCollection::Create());
  FMDIStateChangedHandlers.reset(TcxEventHandlerCollection::Create());
  FBarCaptionFont.reset(TFont::Create());
  FEditFont.reset(TFont::Create());
  FFont.reset(TFont::Create());
  FFont->OnChange = Bind(this, &TdxBarManager::FontChanged);
  FGroups.reset(TdxBarComponentList::Create());
  FHelpButtonGlyph.reset(TBitmap::Create());
  FHelpButtonGlyph->OnChange = Bind(this, &TdxBarManager::HelpButtonGlyphChanged);
  FThemeNotificator.reset(TdxThemeChangedNotificator::Create());
  FThemeNotificator->ThemeChangeHandler = TDelegate<void()>(this, &TdxBarManager::ThemeChanged);
  UpdateRecentUseThreshold();
  FPopupMenuLinks.reset(TdxBarPopupMenuLinks::Create(this));
  FUseSystemFont = false;
  SetUseSystemFont(true);
  CreateDrawingResources();
  FDragInfo.reset(TdxBarDragInfo::Create(this));
  FImageOptions.reset(TdxBarImageOptions::Create(this));
  FImageOptions->ImagesChangeLink()->OnChange = Bind(this, &TdxBarManager::ImagesChanged);
  FImageOptions->LargeImagesChangeLink()->OnChange = Bind(this, &TdxBarManager::LargeImagesChanged);
  FImageOptions->HotImagesChangeLink()->OnChange = Bind(this, &TdxBarManager::HotImagesChanged);
  FImageOptions->DisabledImagesChangeLink()->OnChange = Bind(this, &TdxBarManager::DisabledImagesChanged);
  FImageOptions->DisabledLargeImagesChangeLink()->OnChange = Bind(this, &TdxBarManager::DisabledLargeImagesChanged);
  FImageOptions->OnChanged = TDelegate<void()>(this, &TdxBarManager::ImageOptionsChanged);
  FImageOptions->OnLargeIconsChanged = TDelegate<void()>(this, &TdxBarManager::LargeIconsChanged);
  if (!InDesignMode()) FSavedState.reset(TMemIniFile::Create(std::string()));
}

void TdxBarManager::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  UnregisterBarManager(this);
  FHintObject = nullptr;
  FSavedState.reset();
  // The manager hears no more of its image lists while it goes.
  if (FImageOptions) {
    FImageOptions->OnChanged = nullptr;
    FImageOptions->OnLargeIconsChanged = nullptr;
    for (TChangeLink* L : {FImageOptions->ImagesChangeLink(), FImageOptions->LargeImagesChangeLink(),
                           FImageOptions->HotImagesChangeLink(), FImageOptions->DisabledImagesChangeLink(),
                           FImageOptions->DisabledLargeImagesChangeLink()})
      L->OnChange = nullptr;
  }
  FImageOptions.reset();
  FDragInfo.reset();
  if (FLookAndFeel) FLookAndFeel->OnValuesChanged = nullptr;
  FLookAndFeel.reset();
  FThemeNotificator.reset();
  StopHintTimers();
  if (FCustomizing) SetCustomizing(false);
  ReleaseDrawingResources();
  if (FPopupMenus) {
    FPopupMenus->SetOwnsObjects(true);
    FPopupMenus.reset();
  }
  FHelpButtonGlyph.reset();
  if (FGroups) {
    while (FGroups->GetCount()) Free(FGroups->GetItem(FGroups->GetCount() - 1));
    FGroups.reset();
  }
  if (FFont) FFont->OnChange = nullptr;
  FFont.reset();
  FEditFont.reset();
  FBarCaptionFont.reset();
  FBars.reset();
  FReadIniHandlers.reset();
  FWriteIniHandlers.reset();
  FSystemFontChangedHandlers.reset();
  FMDIStateChangedHandlers.reset();
  if (FItems) {
    FInternalItems.reset();
    while (FItems->GetCount()) Free(FItems->GetItem(FItems->GetCount() - 1));
    FItems.reset();
  }
  // Removing a site tells the manager; the list goes only after the sites have left.
  while (FDockControls && FDockControls->GetCount())
    static_cast<TdxDockControl*>(FDockControls->Last())->SetBarManager(nullptr);
  FDockControls.reset();
  FCategories.reset();
  FBarsToRestore.reset();
  FPopupMenuLinks.reset();
  FBackgrounds.reset();
  FPainter.reset();
  TComponent::BeforeDestruction();
}

TdxBarManager::~TdxBarManager() = default;

// ---- change notification and the bar-update lock

void TdxBarManager::NotifyModified() {
  if (IsInLoad() || IsDestroying()) return;
  if (FModifiedLockCount > 0) {
    FDesignerChangePending = true;
    return;
  }
  FModified = true;
  if (!InDesignMode() || GetComponentState().Contains(csUpdating) || (FImageOptions && FImageOptions->IsLoading()) ||
      (FInternalState & (bmsfApplyingLoadedVisibility | bmsfRestoringBars)))
    return;
  if (FDesigner) FDesigner->Modified();
  BarDesignControllerInstance()->NotifyDesignerModified(NearestOwnerForm());
}

void TdxBarManager::SuspendModified(bool Suspend, bool FlushOnResume) {
  if (Suspend) {
    if (FModifiedLockCount++ == 0) FDesignerChangePending = false;
    return;
  }
  if (FModifiedLockCount > 0 && --FModifiedLockCount == 0 && FlushOnResume && FDesignerChangePending)
    NotifyModified();
}

void TdxBarManager::LockBarsUpdate() {
  if (++FBarsUpdateLockCount == 1) RebuildBars(true, false);
}

void TdxBarManager::UnlockBarsUpdate(bool IncludeChangedDocked) {
  if (FBarsUpdateLockCount == 0) return;
  if (--FBarsUpdateLockCount > 0 || IsDestroying()) return;
  RebuildBars(false, IncludeChangedDocked);
  // Loading that ran under the lock finishes now that the windows may be built.
  if (FLoadPending) {
    FLoadPending = false;
    FinishLoading();
  }
}

void TdxBarManager::RebuildBars(bool Lock, bool IncludeChangedDocked) {
  for (int I = 0; I < DockControlCount(); ++I) {
    TdxDockControl* Site = DockControlByIndex(I);
    if (Site->GetVisible() && Site->HandleAllocated()) SendMessageW(Site->GetHandle(), WM_SETREDRAW, Lock ? 0 : 1, 0);
  }
  if (Lock || !FBars) return;
  try {
    if (TCustomdxBarControl* SubMenu = FChangedSubMenu) {
      FChangedSubMenu = nullptr;
      if (IsBarControlAlive(SubMenu)) SubMenu->Rebuild();
    }
    std::vector<TCustomdxBarControl*> Rebuilt;
    for (int I = 0; I < FBars->NumberOfItems(); ++I) {
      TdxBar* Bar = FBars->GetBar(I);
      TCustomdxBarControl* W = Bar->GetBarControl();
      if (W && (Bar->GetDockingStyle() == dsNone || (IncludeChangedDocked && Bar->IsChangedPending())))
        Rebuilt.push_back(W);
    }
    for (TCustomdxBarControl* W : Rebuilt) W->RecreateItemControls();
    for (TCustomdxBarControl* W : Rebuilt) W->Rebuild();
    for (int I = 0; I < DockControlCount(); ++I) {
      TdxDockControl* Site = DockControlByIndex(I);
      Site->DeleteEmptyRows();
      if (Site->GetVisible() && Site->HandleAllocated()) {
        Site->RebuildLayout();
        SendMessageW(Site->GetHandle(), WM_NCPAINT, 1, 0);
      }
    }
    for (int I = 0; I < FBars->NumberOfItems(); ++I) {
      TCustomdxBarControl* W = FBars->GetBar(I)->GetBarControl();
      if (!W || std::find(Rebuilt.begin(), Rebuilt.end(), W) != Rebuilt.end()) continue;
      W->RecalcFrame();
      W->Repaint();
    }
  } catch (...) {
    for (int I = 0; I < FBars->NumberOfItems(); ++I) FBars->GetBar(I)->ClearChangedPending();
    throw;
  }
  for (int I = 0; I < FBars->NumberOfItems(); ++I) FBars->GetBar(I)->ClearChangedPending();
}

// ---- properties

void TdxBarManager::SetAutoAlignBars(bool Value) {
  if (FAutoAlignBars == Value) return;
  FAutoAlignBars = Value;
  LockBarsUpdate();
  UnlockBarsUpdate();
}

void TdxBarManager::SetAutoDockColor(bool Value) {
  if (FAutoDockColor == Value) return;
  FAutoDockColor = Value;
  for (int I = 0; I < DockControlCount(); ++I) DockControlByIndex(I)->UpdateColor();
}

void TdxBarManager::SetAutoHideEmptyBars(bool Value) {
  FAutoHideEmptyBars = Value;
  // Bars hidden for being empty are ordinary hidden bars from now on.
  if (!Value && FBars)
    for (int I = 0; I < FBars->NumberOfItems(); ++I) FBars->GetBar(I)->SetHidden(false);
}

void TdxBarManager::SetScaled(bool Value) {
  if (FScaled == Value) return;
  FScaled = Value;
  if (Value && !FUseSystemFont) {
    NONCLIENTMETRICSW Metrics;
    if (ReadNonClientMetrics(Metrics)) FFont->SetHeight(Metrics.lfMenuFont.lfHeight);
  }
}

void TdxBarManager::SetFont(TFont* Value) { FFont->Assign(Value); }

void TdxBarManager::SetBackgrounds(TdxBarBackgrounds* Value) { FBackgrounds->Assign(Value); }

void TdxBarManager::SetButtonArrowWidth(int Value) {
  if (Value <= 1 || Value == FButtonArrowWidth) return;
  FButtonArrowWidth = Value;
  if (FBars) FBars->RebuildBarControls();
}

void TdxBarManager::SetLargeButtonArrowWidth(int Value) {
  if (Value < 2 || Value == FLargeButtonArrowWidth) return;
  FLargeButtonArrowWidth = Value;
  if (FBars) FBars->RebuildBarControls();
}

void TdxBarManager::SetCategories(TStrings* Value) { FCategories->Assign(Value); }

TColor TdxBarManager::GetDockColor() const {
  if (FAutoDockColor)
    if (auto* Owner = dynamic_cast<TControl*>(GetOwner())) return Owner->GetColor();
  return FDockColor;
}

void TdxBarManager::SetDockColor(TColor Value) {
  FDockColor = Value;
  FAutoDockColor = false;
  for (int I = 0; I < DockControlCount(); ++I) DockControlByIndex(I)->UpdateColor();
}

void TdxBarManager::SetFlatCloseButton(bool Value) {
  if (FFlatCloseButton == Value) return;
  FFlatCloseButton = Value;
  if (TCustomdxBarControl* W = MainMenuBarControl()) {
    if (TdxBarItemControl* Selected = W->SelectedItemControl()) W->UnselectItemControl(Selected);
    W->Rebuild();
  }
}

void TdxBarManager::SetShowCloseButton(bool Value) {
  if (FShowCloseButton == Value) return;
  FShowCloseButton = Value;
  if (TCustomdxBarControl* W = MainMenuBarControl()) {
    if (TdxBarItemControl* Selected = W->SelectedItemControl()) W->UnselectItemControl(Selected);
    W->Rebuild();
  }
}

void TdxBarManager::SetHelpButtonGlyph(TBitmap* Value) { FHelpButtonGlyph->Assign(Value); }

void TdxBarManager::HelpButtonGlyphChanged(TObject* Sender) { RefreshCustomizationFormHelpButton(); }

void TdxBarManager::SetHideFloatingBarsWhenInactive(bool Value) {
  if (FHideFloatingBarsWhenInactive == Value) return;
  FHideFloatingBarsWhenInactive = Value;
  UpdateActivation(FMainFormActive || !Value, false, nullptr);
}

void TdxBarManager::SetImageOptions(TdxBarImageOptions* Value) { FImageOptions->Assign(Value); }

void TdxBarManager::SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }

namespace {
// The options page of an open customization form shows these settings.
void OptionsChanged(TdxBarManager* Manager) {
  Manager->NotifyModified();
  RefreshCustomizationFormOptions();
}
}  // namespace

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations Value) {
  if (FMenuAnimations == Value) return;
  FMenuAnimations = Value;
  OptionsChanged(this);
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool Value) {
  if (FMenusShowRecentItemsFirst == Value) return;
  FMenusShowRecentItemsFirst = Value;
  OptionsChanged(this);
}

void TdxBarManager::SetShowFullMenusAfterDelay(bool Value) {
  if (FShowFullMenusAfterDelay == Value) return;
  FShowFullMenusAfterDelay = Value;
  OptionsChanged(this);
}

void TdxBarManager::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  OptionsChanged(this);
}

void TdxBarManager::SetShowShortCutInHint(bool Value) {
  if (FShowShortCutInHint == Value) return;
  FShowShortCutInHint = Value;
  OptionsChanged(this);
}

void TdxBarManager::SetShowHelpButton(bool Value) {
  if (FShowHelpButton == Value) return;
  FShowHelpButton = Value;
  RefreshCustomizationFormHelpButton();
}

void TdxBarManager::SetMostRecentItemsPercents(std::uint8_t Value) {
  FMostRecentItemsPercents = std::min<std::uint8_t>(Value, 100);
  UpdateRecentUseThreshold();
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles Value) {
  if (FNotDocking == Value) return;
  FNotDocking = Value;
  StyleChanged();
}

void TdxBarManager::SetPopupMenuLinks(TdxBarPopupMenuLinks* Value) { FPopupMenuLinks->Assign(Value); }

void TdxBarManager::SetRegistryPath(const std::string& Value) {
  FRegistryPath = Value;
  if (FRegistryPath.empty()) return;
  if (FRegistryPath.front() != '\\') FRegistryPath.insert(FRegistryPath.begin(), '\\');
  if (FRegistryPath.back() != '\\') FRegistryPath += '\\';
}

void TdxBarManager::SetStyle(TdxBarManagerStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  StyleChanged();
}

void TdxBarManager::SetSunkenBorder(bool Value) {
  if (FSunkenBorder == Value) return;
  FSunkenBorder = Value;
  for (int I = 0; I < DockControlCount(); ++I) DockControlByIndex(I)->RecalcFrame();
}

void TdxBarManager::SetUseSystemFont(bool Value) {
  if (FUseSystemFont == Value) return;
  FUseSystemFont = Value;
  if (Value) HandleOwnerMessage(nullptr, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
}

void TdxBarManager::SetWaitForDockingTime(int Value) {
  if (Value >= 0) FWaitForDockingTime = Value;
}

// The image options' values, for windows, controls and painters.
TCustomImageList* TdxBarManager::GetImages() const { return FImageOptions->GetImages(); }
void TdxBarManager::SetImages(TCustomImageList* Value) { FImageOptions->SetImages(Value); }
TCustomImageList* TdxBarManager::GetLargeImages() const { return FImageOptions->GetLargeImages(); }
void TdxBarManager::SetLargeImages(TCustomImageList* Value) { FImageOptions->SetLargeImages(Value); }
TCustomImageList* TdxBarManager::GetHotImages() const { return FImageOptions->GetHotImages(); }
void TdxBarManager::SetHotImages(TCustomImageList* Value) { FImageOptions->SetHotImages(Value); }
TCustomImageList* TdxBarManager::GetDisabledImages() const { return FImageOptions->GetDisabledImages(); }
void TdxBarManager::SetDisabledImages(TCustomImageList* Value) { FImageOptions->SetDisabledImages(Value); }
TCustomImageList* TdxBarManager::GetDisabledLargeImages() const { return FImageOptions->GetDisabledLargeImages(); }
void TdxBarManager::SetDisabledLargeImages(TCustomImageList* Value) { FImageOptions->SetDisabledLargeImages(Value); }
TColor TdxBarManager::GetImageListBkColor() const { return FImageOptions->GetImageListBkColor(); }
void TdxBarManager::SetImageListBkColor(TColor Value) { FImageOptions->SetImageListBkColor(Value); }
bool TdxBarManager::GetLargeIcons() const { return FImageOptions->GetLargeIcons(); }
void TdxBarManager::SetLargeIcons(bool Value) { FImageOptions->SetLargeIcons(Value); }
bool TdxBarManager::GetMakeDisabledImagesFaded() const { return FImageOptions->GetMakeDisabledImagesFaded(); }
void TdxBarManager::SetMakeDisabledImagesFaded(bool Value) { FImageOptions->SetMakeDisabledImagesFaded(Value); }
bool TdxBarManager::GetStretchGlyphs() const { return FImageOptions->GetStretchGlyphs(); }
void TdxBarManager::SetStretchGlyphs(bool Value) { FImageOptions->SetStretchGlyphs(Value); }
bool TdxBarManager::GetUseLargeImagesForLargeIcons() const { return FImageOptions->GetUseLargeImagesForLargeIcons(); }
void TdxBarManager::SetUseLargeImagesForLargeIcons(bool Value) { FImageOptions->SetUseLargeImagesForLargeIcons(Value); }

// ---- style and painter

int TdxBarManager::PainterKind() const {
  switch (FStyle) {
    case bmsXP: return FThemesAvailable ? 3 : 1;
    case bmsUseLookAndFeel:
      if (FLookAndFeel->GetNativeStyle() && FThemesAvailable) return 3;
      if (FLookAndFeel->GetSkinPainter()) return 5;
      switch (FLookAndFeel->GetKind()) {
        case lfFlat: return 1;
        case lfStandard: return 0;
        case lfUltraFlat: return 2;
        case lfOffice11: return 4;
      }
      return 0;
    default: return FStyle;
  }
}

TdxBarPainterClass TdxBarManager::PainterClass() const {
  switch (PainterKind()) {
    case 1: return TdxBarEnhancedPainter::StaticClass();
    case 2: return TdxBarFlatPainter::StaticClass();
    case 3: return TdxBarXPPainter::StaticClass();
    case 4: return TdxBarOffice11Painter::StaticClass();
    case 5: return dxBarSkinPainterClass;
    default: return TdxBarStandardPainter::StaticClass();
  }
}

TdxBarManagerStyle TdxBarManager::GetEffectiveStyle() const {
  if (FStyle != bmsUseLookAndFeel) return FStyle;
  if (FLookAndFeel->GetNativeStyle() && FThemesAvailable) return bmsXP;
  switch (FLookAndFeel->GetKind()) {
    case lfFlat: return bmsEnhanced;
    case lfStandard: return bmsStandard;
    case lfUltraFlat: return bmsFlat;
    case lfOffice11: return bmsOffice11;
  }
  return bmsStandard;
}

void TdxBarManager::FillMatchingLookAndFeel(TcxLookAndFeel* LookAndFeel) {
  LookAndFeel->ResetAssigned();
  LookAndFeel->SetSkinName("");
  switch (int Kind = PainterKind()) {
    case 2: case 3: case 4: LookAndFeel->ApplyStyle(Kind); break;
    case 5: LookAndFeel->Assign(FLookAndFeel.get()); break;
    default: LookAndFeel->ApplyStyle(0); break;
  }
}

void TdxBarManager::StyleChanged() {
  FChangingStyle = true;
  try {
    CreatePainter();
    if (FBars) {
      for (int I = 0; I < FBars->NumberOfItems(); ++I)
        if (TCustomdxBarControl* W = FBars->GetBar(I)->GetBarControl()) W->RefreshAfterStyleChange();
      RefreshCustomizationFormLook();
      RefreshBarWindowsAndDocks();
    }
  } catch (...) {
    FChangingStyle = false;
    throw;
  }
  FChangingStyle = false;
}

void TdxBarManager::CreatePainter() {
  FThemesAvailable = VisualStylesAvailableFor(BarThemedKinds);
  FPainter.reset();
  FPainter.reset(PainterClass().Create(FLookAndFeel ? FLookAndFeel->GetSkinPainter() : nullptr));
}

void TdxBarManager::RefreshBarWindowsAndDocks() {
  for (int I = 0; I < DockControlCount(); ++I) {
    TdxDockControl* Site = DockControlByIndex(I);
    Site->ManagerSettingsChanged();
    Site->UpdateDoubleBuffered();
    Site->Invalidate();
  }
  if (!FBars) return;
  for (int I = 0; I < FBars->NumberOfItems(); ++I)
    if (TCustomdxBarControl* W = FBars->GetBar(I)->GetBarControl()) {
      W->RecalcFrame();
      W->RefreshWindow();
    }
}

void TdxBarManager::ThemeChanged() {
  StyleChanged();
  if (FDockControls) RefreshDrawingResources();
}

void TdxBarManager::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  if (!IsDestroying()) StyleChanged();
}

// ---- drawing resources

TColor TdxBarManager::FlatBorderColor() {
  TColor C = ColorToRGB(clBtnShadow);
  int R = MulDiv(GetRValue(C), 8, 10), G = MulDiv(GetGValue(C), 8, 10), B = MulDiv(GetBValue(C), 8, 10);
  return NearestScreenColor(static_cast<TColor>(RGB(R, G, B)));
}

TColor TdxBarManager::FlatFaceColor() {
  TColor C = ColorToRGB(clBtnFace);
  auto Raise = [](int V) { return V + MulDiv(255 - V, 16, 100); };
  return NearestScreenColor(static_cast<TColor>(RGB(Raise(GetRValue(C)), Raise(GetGValue(C)), Raise(GetBValue(C)))));
}

TColor TdxBarManager::FlatPressedColor() { return NearestScreenColor(LightFaceColor(11, 9, 73)); }
TColor TdxBarManager::FlatPressedHotColor() { return NearestScreenColor(LightFaceColor(14, 44, 40)); }
TColor TdxBarManager::FlatHotItemColor() { return NearestScreenColor(LightFaceColor(-2, 30, 72)); }

void TdxBarManager::CreateFlatBrushes() {
  DeleteFlatBrushes();
  TColor Colors[5] = {FlatBorderColor(), FlatFaceColor(), FlatPressedColor(), FlatPressedHotColor(),
                      FlatHotItemColor()};
  for (int I = 0; I < 5; ++I) FFlatBrushes[I] = CreateSolidBrush(ColorToRGB(Colors[I]));
}

void TdxBarManager::DeleteFlatBrushes() {
  for (HBRUSH& B : FFlatBrushes) {
    if (B) DeleteObject(B);
    B = nullptr;
  }
}

void TdxBarManager::CreateThemeBrush() {
  DeleteThemeBrush();
  if (FThemesAvailable) FThemeBrush = CreateSolidBrush(ColorToRGB(XPToolbarColor()));
}

void TdxBarManager::DeleteThemeBrush() {
  if (FThemeBrush) DeleteObject(FThemeBrush);
  FThemeBrush = nullptr;
}

void TdxBarManager::CreateDrawingResources() {
  CreateFlatBrushes();
  CreateThemeBrush();
  AcquireOffice11Colors();
  RefreshBarWindowsAndDocks();
}

void TdxBarManager::RefreshDrawingResources() {
  CreateFlatBrushes();
  CreateThemeBrush();
  RefreshOffice11ColorSet();
  RefreshBarWindowsAndDocks();
}

void TdxBarManager::ReleaseDrawingResources() {
  DeleteThemeBrush();
  DeleteFlatBrushes();
  // Released only by a manager that acquired the set (its constructor may have failed first).
  if (FDockControls) ReleaseOffice11ColorSet();
}

void TdxBarManager::RefreshFloatingBarShadows() {
  if (!FBars) return;
  for (int I = 0; I < FBars->NumberOfItems(); ++I)
    if (FBars->GetBar(I)->IsFloatingShown()) FBars->GetBar(I)->GetBarControl()->RefreshWindow();
}

// ---- fonts

void TdxBarManager::ApplySystemFont() {
  NONCLIENTMETRICSW Metrics;
  if (!ReadNonClientMetrics(Metrics)) return;
  if (FUseSystemFont) {
    FInternalFontChange = true;
    try {
      FFont->SetHandle(CreateFontIndirectW(&Metrics.lfMenuFont));
    } catch (...) {
      FInternalFontChange = false;
      throw;
    }
    FInternalFontChange = false;
  } else if (FScaled) {
    FFont->SetHeight(Metrics.lfMenuFont.lfHeight);
  }
}

void TdxBarManager::FontChanged(TObject* Sender) {
  if (!FInternalFontChange) FUseSystemFont = false;
  if (FScaled) {
    FFont->OnChange = nullptr;
    bool Internal = FInternalFontChange;
    FInternalFontChange = true;
    try {
      ApplySystemFont();
    } catch (...) {
      FInternalFontChange = Internal;
      FFont->OnChange = Bind(this, &TdxBarManager::FontChanged);
      throw;
    }
    FInternalFontChange = Internal;
    FFont->OnChange = Bind(this, &TdxBarManager::FontChanged);
  }
  AssignBarFont(FFont.get(), FEditFont.get(), FScaled);
  FBarCaptionFont->SetHandle(CreateSmallCaptionFont(FFont.get(), FUseSystemFont));
  NotifySystemFontChanged();
  ApplyFontToBars();
  ApplyFontToPopupMenus();
}

void TdxBarManager::NotifySystemFontChanged() {
  if (FSystemFontChangedHandlers) FSystemFontChangedHandlers->FireAll(this, nullptr);
}

void TdxBarManager::ApplyFontToBars() {
  if (!FBars) return;
  for (int I = 0; I < FBars->NumberOfItems(); ++I)
    if (TCustomdxBarControl* W = FBars->GetBar(I)->GetBarControl()) W->SetFont(FFont.get());
}

void TdxBarManager::ApplyFontToPopupMenus() {}

// ---- images

void TdxBarManager::ForEachItem(const std::function<void(TdxBarItem*)>& Proc) {
  if (IsLoading() || IsDestroying() || !FItems) return;
  LockBarsUpdate();
  try {
    for (int I = 0; I < ItemCount(); ++I) Proc(ItemByIndex(I));
  } catch (...) {
    UnlockBarsUpdate();
    throw;
  }
  UnlockBarsUpdate();
}

void TdxBarManager::ImagesChanged(TObject* Sender) {
  ForEachItem([](TdxBarItem* I) {
    if (I->GetImageIndex() >= 0) I->GlyphChanged();
  });
}

void TdxBarManager::DisabledImagesChanged(TObject* Sender) { ImagesChanged(Sender); }

void TdxBarManager::HotImagesChanged(TObject* Sender) {
  ForEachItem([](TdxBarItem* I) {
    if (I->HasHotImage()) I->HotGlyphChanged();
  });
}

void TdxBarManager::LargeImagesChanged(TObject* Sender) {
  ForEachItem([](TdxBarItem* I) {
    if (I->HasImageIndex()) I->LargeGlyphChanged();
  });
}

void TdxBarManager::DisabledLargeImagesChanged(TObject* Sender) { LargeImagesChanged(Sender); }

void TdxBarManager::ImageOptionsChanged() {
  // Whether large icons take the large list's size may have changed with this
  // option too, not only with LargeIcons itself.
  FImageOptions->UpdateGlyphSize();
  if (FBars) FBars->RebuildBarControls();
}

void TdxBarManager::LargeIconsChanged() {
  FImageOptions->UpdateGlyphSize();
  NotifyModified();
  RefreshCustomizationFormOptions();
  if (FBars) FBars->RebuildBarControls();
}

int TdxBarManager::GlyphSize() const { return FImageOptions->GetGlyphSize(); }

bool TdxBarManager::HasLargeImagesForLargeIcons() const { return FImageOptions->UsesLargeImageList(); }

void TdxBarManager::UpdateRecentUseThreshold() {
  if (FMostRecentItemsPercents == 100) {
    FRecentUseThreshold = 0;
    return;
  }
  int N = 1;
  while (N * (100 - FMostRecentItemsPercents) / 100 <= 0) ++N;
  FRecentUseThreshold = N;
}

// ---- dock sites and bars

void TdxBarManager::AddDockControl(TdxDockControl* Site) {
  if (!FDockControls || FDockControls->IndexOf(Site) >= 0) return;
  FDockControls->Add(Site);
  Site->FreeNotification(this);
}

void TdxBarManager::RemoveDockControl(TdxDockControl* Site) {
  if (!FDockControls || FDockControls->IndexOf(Site) < 0) return;
  if (FBars)
    for (int I = 0; I < FBars->NumberOfItems(); ++I) {
      TdxBar* Bar = FBars->GetBar(I);
      if (Bar->GetDockControl() == Site) Bar->SetDockControl(nullptr);
      if (Bar->GetDockedDockControl() == Site) Bar->SetDockedDockControl(nullptr);
      if (Bar->GetBarControl() && Bar->GetActualDockControl() == Site) Bar->SetVisible(false);
    }
  FDockControls->Remove(Site);
  Site->RemoveFreeNotification(this);
  if (FBars && Site->IsFormDockSite()) FBars->ForgetFormDockSite(Site);
  if (!Site->GetComponentState().Contains(csDestroying)) Site->SetParentColor(true);
}

TdxDockControl* TdxBarManager::DockControlByIndex(int Index) const {
  return static_cast<TdxDockControl*>(FDockControls->GetItem(Index));
}

TdxBar* TdxBarManager::ActiveMainMenuBar() const {
  if (!FMainMenuBar) return nullptr;
  TCustomdxBarControl* W = FMainMenuBar->GetBarControl();
  return W && !W->IsMainMenuWindow() ? nullptr : FMainMenuBar;
}

TCustomdxBarControl* TdxBarManager::MainMenuBarControl() const {
  TdxBar* Bar = ActiveMainMenuBar();
  return Bar ? Bar->GetBarControl() : nullptr;
}

TWinControl* TdxBarManager::OwnerControl() const { return dynamic_cast<TWinControl*>(GetOwner()); }
TCustomForm* TdxBarManager::OwnerTopForm() const { return ManagerForm(this, 0); }
TCustomForm* TdxBarManager::OwnerChildOrTopForm() const { return ManagerForm(this, 1); }
TCustomForm* TdxBarManager::NearestOwnerForm() const { return ManagerForm(this, 2); }

TdxBarManager* TdxBarManager::ParentFormManager() const {
  TWinControl* Owner = OwnerControl();
  if (!Owner || !Owner->HandleAllocated()) return nullptr;
  // The nearest form around the owner's window (the owner itself excluded).
  HWND Parent = GetParent(Owner->GetHandle());
  TCustomForm* Form = Parent ? EnclosingFormOfWindow(Parent) : nullptr;
  return Form ? FindBarManagerByOwner(Form) : nullptr;
}

bool TdxBarManager::HasFocusedBarControl() const {
  if (FFocusedBarControl) return true;
  // Only the bar window itself counts: an item's in-place editor is its child, and
  // the form's menu keys (F10, Alt) must still reach the bars while it is typed in.
  auto* Bar = dynamic_cast<TCustomdxBarControl*>(TWinControl::FindControl(GetFocus()));
  return Bar && Bar->GetBarManager() == this;
}

void TdxBarManager::SetSelectedItemControl(TdxBarItemControl* Control) {
  if (IsCustomizingOrDesigning() && FSelectedItemControl &&
      (!Control || FSelectedItemControl->GetParent() != Control->GetParent()))
    if (TCustomdxBarControl* W = FSelectedItemControl->GetParent()) W->UnselectItemControl(FSelectedItemControl);
  FSelectedItemControl = Control;
}

void TdxBarManager::UntrackMouseLeave(TCustomdxBarControl* BarControl) {
  if (FMouseTrackedBarControl == BarControl) FMouseTrackedBarControl = nullptr;
}

// ---- events

void TdxBarManager::DoClickItem(TdxBarItem* Item) { OnClickItem(this, Item); }

bool TdxBarManager::CanDock(TdxBar* Bar, TdxBarDockingStyle Style, TdxDockControl* DockControl) {
  bool Result;
  if (Bar->GetNotDocking().Contains(Style))
    Result = false;
  else if (DockControl && !DockControl->IsFormDockSite())
    Result = DockControl->CanDockBar(Bar);
  else
    Result = !FNotDocking.Contains(Style);
  OnDocking(Bar, Style, DockControl, Result);
  return Result;
}

void TdxBarManager::DoBarDockingStyleChange(TdxBar* Bar) {
  if (IsApplyingLoadedVisibility()) return;
  OnBarDockingStyleChange(this, Bar);
  Bar->NotifyChanged(false);
}

void TdxBarManager::DoItemLinkChange(TdxBarItemLink* Link) {
  if (!IsLoading()) OnItemLinkChange(this, Link);
}

// ---- form data

void TdxBarManager::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("Bars", Bind(this, &TdxBarManager::ReadBarsProperty), TFiler::TWriterProc(), false);
  Filer->DefineProperty("DockControlHeights", Bind(this, &TdxBarManager::ReadDockControlHeights),
                        Bind(this, &TdxBarManager::WriteDockControlHeights), true);
}

void TdxBarManager::ReadBarsProperty(TReader* Reader) {
  Reader->ReadListBegin();
  for (int N = 0; !Reader->EndOfList(); ++N) {
    if (Reader->NextValue() == vaInt8 || Reader->NextValue() == vaInt16 || Reader->NextValue() == vaInt32)
      Reader->ReadInteger();
    TdxBar* Bar = N < FBars->NumberOfItems() ? FBars->GetBar(N) : FBars->Add();
    Reader->ReadListBegin();
    Bar->SetNameLocked(true);
    try {
      while (!Reader->EndOfList()) Reader->ReadProperty(Bar);
    } catch (...) {
      Bar->SetNameLocked(false);
      throw;
    }
    Bar->SetNameLocked(false);
    Reader->ReadListEnd();
  }
  Reader->ReadListEnd();
}

void TdxBarManager::ReadDockControlHeights(TReader* Reader) {
  Reader->ReadListBegin();
  static const TdxBarDockingStyle Order[] = {dsLeft, dsRight, dsTop, dsBottom};
  for (int I = 0; !Reader->EndOfList(); ++I) {
    int Value = Reader->ReadInteger();
    TdxDockControl* Site = I < 4 && FBars ? FBars->FormDockSite(Order[I]) : nullptr;
    if (!Site) continue;
    if (Site->IsHorizontal())
      Site->SetHeight(Value);
    else
      Site->SetWidth(Value);
  }
  Reader->ReadListEnd();
}

void TdxBarManager::WriteDockControlHeights(TWriter* Writer) {
  Writer->WriteListBegin();
  static const TdxBarDockingStyle Order[] = {dsLeft, dsRight, dsTop, dsBottom};
  for (TdxBarDockingStyle Style : Order) {
    TdxDockControl* Site = FBars ? FBars->FormDockSite(Style) : nullptr;
    Writer->WriteInteger(!Site ? 0 : Site->IsHorizontal() ? Site->GetHeight() : Site->GetWidth());
  }
  Writer->WriteListEnd();
}
