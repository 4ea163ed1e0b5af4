// TdxBarManager: the non-visual component a form holds to get menus and toolbars.
// It owns what the bars show (categories, items, groups, bars with the four
// form-edge dock sites, popup menus and their links, image options, backgrounds,
// fonts and the painter every bar window draws with), answers the settings the
// windows, controls and painters ask for, and receives the keyboard, mouse and
// owner-form traffic the process-wide hooks route to it (BarHooks.h). It never
// subclasses its form: the call-window hook hands it the form's messages.
//
// Structural changes happen inside the bar-update lock (LockBarsUpdate and
// UnlockBarsUpdate); its outermost unlock rebuilds the bar windows and dock sites
// once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Lists.h"
#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/EventHandlers.h"
#include "suite/common/cxLookAndFeel.h"

class TBitmap;
class TFont;
class TStream;
class TCustomForm;
class TCustomIniFile;
class TCustomImageList;
class TMemIniFile;
class TStrings;
class TStringList;
class TWinControl;
class TcxLookAndFeel;
class TdxThemeChangedNotificator;
class TdxBarBackgrounds;
class TdxBarImageOptions;
class TdxBarManagerCategories;
class TdxBarComponentList;
class TdxBarGroup;
class TdxBars;
class TdxDockControl;
class TdxBarDockControl;
class TdxBarPopupMenu;
class TdxBarCustomPopupMenu;
class TdxBarPopupMenuLinks;
class TdxBarDragInfo;
class TdxBarItemControl;
class TdxBarAccessibilityHelper;

using TdxBarEvent = TDelegate<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarVisibleChangeEvent = TDelegate<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarItemLinkEvent = TDelegate<void(TdxBarManager* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarMergeItemLinkEvent =
    TDelegate<void(TdxBarManager* Sender, TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                   TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind, int& AMergeIndex)>;
using TdxBarCanDockingEvent =
    TDelegate<void(TdxBar* Sender, TdxBarDockingStyle Style, TdxDockControl* DockControl, bool& CanDocking)>;
using TdxBarMergeEvent = TDelegate<void(TdxBarManager* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;
using TdxBarShowPopupEvent = TDelegate<void(TdxBarManager* Sender, TdxBarItemLinks* PopupItemLinks)>;
using TdxBarClickItemEvent = TDelegate<void(TdxBarManager* Sender, TdxBarItem* ClickedItem)>;

// What the read-INI and write-INI handlers are told.
struct TdxBarIniFileEventData {
  TCustomIniFile* Store = nullptr;
  std::string Base;
  std::string Delimiter;
  bool Registry = false;
};

// MDI changes told to the MDI-state handlers: a child became active, was
// deactivated, or the active child's maximized state changed.
enum TdxBarMDIStateChange : std::uint8_t { mdiscActivated, mdiscDeactivated, mdiscMaximizedChanged };
struct TdxBarMDIStateChangeData {
  TdxBarMDIStateChange Change;
  HWND ChildWnd;
};

class TdxBarManager : public TComponent, public IdxSkinSupport {
  SONVELT_CLASS(TdxBarManager, TComponent)
public:
  // EdxException when Owner (Application.MainForm for null) is no TWinControl or
  // already has a manager; the manager list stays unchanged then.
  explicit TdxBarManager(TComponent* AOwner);
  ~TdxBarManager() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TdxBarManager>& P);

  // ---- state
  bool InDesignMode() const { return GetComponentState().Contains(csDesigning); }
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  bool IsInLoad() const { return IsLoading() || (FInternalState & bmsfFinishingLoad); }
  bool IsApplyingLoadedVisibility() const { return FInternalState & bmsfApplyingLoadedVisibility; }
  bool IsOwnerWindowRecreating() const { return FInternalState & bmsfRestoringBars; }
  bool IsCustomizing() const { return FCustomizing; }
  bool IsCustomizingOrDesigning() const { return FCustomizing || InDesignMode(); }
  std::uint16_t GetInternalState() const { return FInternalState; }
  bool HasFocusedBarControl() const;
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // ---- change notification and the bar-update lock
  void NotifyModified();
  void SuspendModified(bool Suspend, bool FlushOnResume);
  bool CanNotifyModified() const { return FModifiedLockCount == 0; }
  void LockBarsUpdate();
  void UnlockBarsUpdate(bool IncludeChangedDocked = false);
  bool IsBarsUpdateLocked() const { return FBarsUpdateLockCount > 0; }
  void RebuildBars(bool Lock, bool IncludeChangedDocked);
  // A sub-menu window to rebuild when the lock ends.
  void NoteChangedSubMenu(TCustomdxBarControl* Window) { FChangedSubMenu = Window; }

  // ---- published properties
  bool GetAllowCallFromAnotherForm() const { return FAllowCallFromAnotherForm; }
  void SetAllowCallFromAnotherForm(bool Value) { FAllowCallFromAnotherForm = Value; }
  bool GetAllowReset() const { return FAllowReset; }
  void SetAllowReset(bool Value) { FAllowReset = Value; }
  bool GetAlwaysMerge() const { return FAlwaysMerge; }
  void SetAlwaysMerge(bool Value) { FAlwaysMerge = Value; }
  bool GetAlwaysSaveText() const { return FAlwaysSaveText; }
  void SetAlwaysSaveText(bool Value) { FAlwaysSaveText = Value; }
  bool GetAutoAlignBars() const { return FAutoAlignBars; }
  void SetAutoAlignBars(bool Value);
  bool GetAutoDockColor() const { return FAutoDockColor; }
  void SetAutoDockColor(bool Value);
  bool GetAutoHideEmptyBars() const { return FAutoHideEmptyBars; }
  void SetAutoHideEmptyBars(bool Value);
  bool GetScaled() const { return FScaled; }
  void SetScaled(bool Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TdxBarBackgrounds* GetBackgrounds() const { return FBackgrounds.get(); }
  void SetBackgrounds(TdxBarBackgrounds* Value);
  int GetButtonArrowWidth() const { return FButtonArrowWidth; }
  void SetButtonArrowWidth(int Value);
  bool GetCanCustomize() const { return FCanCustomize; }
  void SetCanCustomize(bool Value) { FCanCustomize = Value; }
  TdxBarManagerCategories* GetCategories() const { return FCategories.get(); }
  void SetCategories(TStrings* Value);
  TColor GetDockColor() const;
  void SetDockColor(TColor Value);
  bool IsDockColorStored() const { return !FAutoDockColor; }
  bool GetFlatCloseButton() const { return FFlatCloseButton; }
  void SetFlatCloseButton(bool Value);
  TBitmap* GetHelpButtonGlyph() const { return FHelpButtonGlyph.get(); }
  void SetHelpButtonGlyph(TBitmap* Value);
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  bool GetHideFloatingBarsWhenInactive() const { return FHideFloatingBarsWhenInactive; }
  void SetHideFloatingBarsWhenInactive(bool Value);
  TdxBarImageOptions* GetImageOptions() const { return FImageOptions.get(); }
  void SetImageOptions(TdxBarImageOptions* Value);
  const std::string& GetIniFileName() const { return FIniFileName; }
  void SetIniFileName(const std::string& Value) { FIniFileName = Value; }
  int GetLargeButtonArrowWidth() const { return FLargeButtonArrowWidth; }
  void SetLargeButtonArrowWidth(int Value);
  TcxLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value);
  TdxBarMenuAnimations GetMenuAnimations() const { return FMenuAnimations; }
  void SetMenuAnimations(TdxBarMenuAnimations Value);
  bool GetMenusShowRecentItemsFirst() const { return FMenusShowRecentItemsFirst; }
  void SetMenusShowRecentItemsFirst(bool Value);
  std::uint8_t GetMostRecentItemsPercents() const { return FMostRecentItemsPercents; }
  void SetMostRecentItemsPercents(std::uint8_t Value);
  TdxBarDockingStyles GetNotDocking() const { return FNotDocking; }
  void SetNotDocking(TdxBarDockingStyles Value);
  TdxBarPopupMenuLinks* GetPopupMenuLinks() const { return FPopupMenuLinks.get(); }
  void SetPopupMenuLinks(TdxBarPopupMenuLinks* Value);
  const std::string& GetRegistryPath() const { return FRegistryPath; }
  void SetRegistryPath(const std::string& Value);
  bool GetShowCloseButton() const { return FShowCloseButton; }
  void SetShowCloseButton(bool Value);
  bool GetShowFullMenusAfterDelay() const { return FShowFullMenusAfterDelay; }
  void SetShowFullMenusAfterDelay(bool Value);
  bool GetShowHelpButton() const { return FShowHelpButton; }
  void SetShowHelpButton(bool Value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetShowHintForDisabledItems() const { return FShowHintForDisabledItems; }
  void SetShowHintForDisabledItems(bool Value) { FShowHintForDisabledItems = Value; }
  bool GetShowShortCutInHint() const { return FShowShortCutInHint; }
  void SetShowShortCutInHint(bool Value);
  bool GetStoreInIniFile() const { return FStoreInIniFile; }
  void SetStoreInIniFile(bool Value) { FStoreInIniFile = Value; }
  bool GetStoreInRegistry() const { return FStoreInRegistry; }
  void SetStoreInRegistry(bool Value) { FStoreInRegistry = Value; }
  TdxBarManagerStyle GetStyle() const { return FStyle; }
  void SetStyle(TdxBarManagerStyle Value);
  bool GetSunkenBorder() const { return FSunkenBorder; }
  void SetSunkenBorder(bool Value);
  bool GetUseF10ForMenu() const { return FUseF10ForMenu; }
  void SetUseF10ForMenu(bool Value) { FUseF10ForMenu = Value; }
  bool GetUseFullReset() const { return FUseFullReset; }
  void SetUseFullReset(bool Value) { FUseFullReset = Value; }
  bool GetUseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  int GetWaitForDockingTime() const { return FWaitForDockingTime; }
  void SetWaitForDockingTime(int Value);
  // The image options' values (read by windows, controls and painters).
  TCustomImageList* GetImages() const;
  void SetImages(TCustomImageList* Value);
  TCustomImageList* GetLargeImages() const;
  void SetLargeImages(TCustomImageList* Value);
  TCustomImageList* GetHotImages() const;
  void SetHotImages(TCustomImageList* Value);
  TCustomImageList* GetDisabledImages() const;
  void SetDisabledImages(TCustomImageList* Value);
  TCustomImageList* GetDisabledLargeImages() const;
  void SetDisabledLargeImages(TCustomImageList* Value);
  TColor GetImageListBkColor() const;
  void SetImageListBkColor(TColor Value);
  bool GetLargeIcons() const;
  void SetLargeIcons(bool Value);
  bool GetMakeDisabledImagesFaded() const;
  void SetMakeDisabledImagesFaded(bool Value);
  bool GetStretchGlyphs() const;
  void SetStretchGlyphs(bool Value);
  bool GetUseLargeImagesForLargeIcons() const;
  void SetUseLargeImagesForLargeIcons(bool Value);
  TFont* GetEditFont() const { return FEditFont.get(); }
  TFont* GetBarCaptionFont() const { return FBarCaptionFont.get(); }

  // ---- style and painter
  virtual TdxBarPainterClass PainterClass() const;
  int PainterKind() const;
  TdxBarManagerStyle GetEffectiveStyle() const;
  bool HasEnhancedStyle() const { return GetEffectiveStyle() != bmsStandard; }
  bool IsFlatStyle() const { return FStyle == bmsFlat; }
  bool ShowsRecentItemsFirst() const { return HasEnhancedStyle() && FMenusShowRecentItemsFirst; }
  TdxBarPainter* GetPainter() const { return FPainter.get(); }
  TClass UsedPainterClass() const { return FPainter ? FPainter->ClassType() : nullptr; }
  bool ThemesAvailable() const { return FThemesAvailable; }
  void FillMatchingLookAndFeel(TcxLookAndFeel* LookAndFeel);
  void StyleChanged();
  void CreatePainter();
  void RefreshBarWindowsAndDocks();
  void ThemeChanged();
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  void CreateDrawingResources();
  void RefreshDrawingResources();
  void ReleaseDrawingResources();
  void CreateFlatBrushes();
  void DeleteFlatBrushes();
  void CreateThemeBrush();
  void DeleteThemeBrush();
  void RefreshFloatingBarShadows();
  // The five flat brushes: border, face, pressed, pressed-and-hot, hot.
  HBRUSH FlatBrush(int Index) const { return FFlatBrushes[Index]; }
  HBRUSH ThemeBrush() const { return FThemeBrush; }
  static TColor FlatBorderColor();
  static TColor FlatFaceColor();
  static TColor FlatPressedColor();
  static TColor FlatPressedHotColor();
  static TColor FlatHotItemColor();

  // ---- fonts and images
  void FontChanged(TObject* Sender);
  void ApplySystemFont();
  void ApplyFontToBars();
  void ApplyFontToPopupMenus();
  void NotifySystemFontChanged();
  void ImagesChanged(TObject* Sender);
  void DisabledImagesChanged(TObject* Sender);
  void HotImagesChanged(TObject* Sender);
  void LargeImagesChanged(TObject* Sender);
  void DisabledLargeImagesChanged(TObject* Sender);
  void ImageOptionsChanged();
  void LargeIconsChanged();
  // Proc on every item inside one bar-update lock; nothing while loading or destroying.
  void ForEachItem(const std::function<void(TdxBarItem*)>& Proc);
  int GlyphSize() const;
  bool HasLargeImagesForLargeIcons() const;
  int RecentUseThreshold() const { return FRecentUseThreshold; }
  void UpdateRecentUseThreshold();

  // ---- dock sites and bars
  TdxBars* GetBars() const { return FBars.get(); }
  void AddDockControl(TdxDockControl* Site);
  void RemoveDockControl(TdxDockControl* Site);
  int DockControlCount() const { return FDockControls->GetCount(); }
  TdxDockControl* DockControlByIndex(int Index) const;
  TdxBar* GetMainMenuBar() const { return FMainMenuBar; }
  void SetMainMenuBar(TdxBar* Value) { FMainMenuBar = Value; }
  // The main-menu bar, null when its window is no longer a main-menu window.
  TdxBar* ActiveMainMenuBar() const;
  TCustomdxBarControl* MainMenuBarControl() const;
  TComponent* OwnerComponent() const { return GetOwner(); }
  TWinControl* OwnerControl() const;
  TCustomForm* OwnerTopForm() const;
  TCustomForm* OwnerChildOrTopForm() const;
  TCustomForm* NearestOwnerForm() const;
  TdxBarManager* ParentFormManager() const;
  TdxBarItemControl* GetSelectedItemControl() const { return FSelectedItemControl; }
  void StoreSelectedItemControl(TdxBarItemControl* Control) { FSelectedItemControl = Control; }
  void SetSelectedItemControl(TdxBarItemControl* Control);
  void TrackMouseLeave(TCustomdxBarControl* BarControl) { FMouseTrackedBarControl = BarControl; }
  void UntrackMouseLeave(TCustomdxBarControl* BarControl);
  bool IsMouseLeaveTracked(TCustomdxBarControl* BarControl) const { return FMouseTrackedBarControl == BarControl; }
  // The window that had the focus before an in-place editor took it (given back
  // when editing ends), and the lock under which neither happens.
  HWND GetPrevFocusedWindow() const { return FPrevFocusedWindow; }
  void SetPrevFocusedWindow(HWND Value) { FPrevFocusedWindow = Value; }
  bool IsFocusChangeLocked() const { return FFocusedControlChangeLock > 0; }
  void LockFocusChange() { ++FFocusedControlChangeLock; }
  void UnlockFocusChange() { --FFocusedControlChangeLock; }
  TCustomdxBarControl* GetFocusedBarControl() const { return FFocusedBarControl; }
  void SetFocusedBarControl(TCustomdxBarControl* Value) { FFocusedBarControl = Value; }

  // ---- events and dispatchers
  virtual void DoClickItem(TdxBarItem* Item);
  virtual bool CanDock(TdxBar* Bar, TdxBarDockingStyle Style, TdxDockControl* DockControl);
  void DoBarAfterReset(TdxBar* Bar) { OnBarAfterReset(this, Bar); }
  void DoBarBeforeReset(TdxBar* Bar) { OnBarBeforeReset(this, Bar); }
  void DoBarClose(TdxBar* Bar) { OnBarClose(this, Bar); }
  void DoBarDockingStyleChange(TdxBar* Bar);
  void DoCloseButtonClick() { OnCloseButtonClick(this); }
  void DoHelpButtonClick() { OnHelpButtonClick(this); }
  void DoShowCustomizingPopup(TdxBarItemLinks* Links) { OnShowCustomizingPopup(this, Links); }
  void DoShowToolbarsPopup(TdxBarItemLinks* Links) { OnShowToolbarsPopup(this, Links); }
  void DoItemLinkChange(TdxBarItemLink* Link);
  void DoMergeItemLink(TdxBarItemLinks* Dst, TdxBarItemLinks* Src, TdxBarItemLink* SrcLink,
                       TdxBarItemMergeKind& Kind, int& Index) {
    OnMergeItemLink(this, Dst, Src, SrcLink, Kind, Index);
  }

  // ---- content, categories, naming (BarManagerContent.cpp)
  int ItemCount() const;
  TdxBarComponentList* ItemList() const { return FItems.get(); }
  TdxBarComponentList* GroupList() const { return FGroups.get(); }
  TdxBarItem* ItemByIndex(int Index) const;
  TdxBarItem* ItemByName(const std::string& Name) const;
  int IndexOfItem(TdxBarItem* Item) const;
  void AddItem(TdxBarItem* Item);
  void RemoveItem(TdxBarItem* Item);
  void MoveItem(int CurIndex, int NewIndex);
  void SortItemsByCategory();
  int GroupCount() const;
  TdxBarGroup* GroupByIndex(int Index) const;
  int IndexOfGroup(const TdxBarGroup* Group) const;
  void AddGroup(TdxBarGroup* Group);
  void RemoveGroup(TdxBarGroup* Group);
  void MoveGroup(int CurIndex, int NewIndex);
  TdxBarGroup* CreateGroup();
  TdxBar* BarByName(const std::string& Name) const;
  TdxBar* BarByCaption(const std::string& Caption) const;
  int PopupMenuCount() const;
  TdxBarPopupMenu* PopupMenuByIndex(int Index) const;
  void AddPopupMenu(TdxBarCustomPopupMenu* Menu);
  void RemovePopupMenu(TdxBarCustomPopupMenu* Menu);
  TComponentList* InternalItems() const { return FInternalItems.get(); }
  TdxBarItemVisible GetCategoryItemsVisible(int Index) const;
  bool GetCategoryVisible(int Index) const;
  void SetCategoryItemsVisible(int Index, TdxBarItemVisible Value);
  void SetCategoryVisible(int Index, bool Value);
  int CategoryIndexOfVisible(int VisibleIndex) const;
  int GetItemsOfCategory(int Index, std::vector<TdxBarItem*>& List) const;
  int GetShownItemsOfCategory(int Index, std::vector<TdxBarItem*>& List) const;
  void CategoriesChanged(TObject* Sender) { NotifyModified(); }
  void MakeUniqueBarCaption(const std::string& Base, std::string& Caption) const;
  void MakeUniqueBarName(const std::string& Base, std::string& Name) const;
  void MakeUniqueItemName(TClass ItemClass, std::string& Name) const;
  bool CanResetBars() const { return FReadStateCount > 0 && FAllowReset; }
  TdxBarItemLink* SelectedLinkInDesigner() const;

  // Designer forwarding: no-ops without a designer.
  IdxBarDesigner* GetDesigner() const { return FDesigner; }
  void SetDesigner(IdxBarDesigner* Value) { FDesigner = Value; }
  bool DesignerAllowsDelete(TComponent* Component) const;
  void GetDesignerSelection(TObjectList* List) const;
  int DesignerSelectionStatus(TObject* Object) const;
  bool IsObjectDesignSelected(TObject* Object) const { return DesignerSelectionStatus(Object) == 1; }
  void DesignerSelect(TObject* Object, int Mode) const;
  void DesignerAssignSelection(TObjectList* List) const;
  void DesignerEditItem(TdxBarItem* Item) const;
  void DesignerMakeName(const std::string& BaseName, std::string& Name) const;
  void GetSelectedObjects(TObjectList* List) const;

  // Customizing mode and its commands.
  void SetCustomizing(bool Value);
  bool IsAnotherManagerCustomizing() const;
  bool OwnerAcceptsNewComponents() const;
  TdxBar* CreateUserBar(bool AsMainMenu, bool AskCaption);
  void AskRenameBar(TdxBar* Bar);
  void AskResetBar(TdxBar* Bar);
  void AskResetUsageData();
  HWND CustomizingHostWindow() const;

  // ---- drag state of customizing (BarDragInfo.h)
  TdxBarDragInfo* GetDragInfo() const { return FDragInfo.get(); }
  bool IsDragging() const;
  TdxBarItem* DraggedItem() const;
  TdxBarItemLink* DraggedItemLink() const;
  void SetDraggedItem(TdxBarItem* Item);
  void SetDraggedItemLink(TdxBarItemLink* Link);
  // The modal customizing drag of a command (Link null) or of a link: ends with
  // the drop, Esc or a lost capture, and cleans up after an exception too.
  void DragItemOrLink(TdxBarItem* Item, TdxBarItemLink* Link);

  // ---- layout store (BarManagerLayout.cpp)
  void ReadLayoutFromRegistry(std::string Path);
  void SaveLayoutToRegistry(std::string Path);
  void ReadLayoutFromIniFile(const std::string& FileName);
  void SaveLayoutToIniFile(const std::string& FileName);
  void ReadLayout(TCustomIniFile* Store, const std::string& Base, bool Registry);
  void WriteLayout(TCustomIniFile* Store, const std::string& Base, bool Registry);
  void EraseLayout(TCustomIniFile* Store, const std::string& Base, bool Registry);
  void SaveInitialState();
  int SavedBarIndexByCaption(const std::string& Caption) const;
  void ResetUsageData();
  TMemIniFile* GetSavedState() const { return FSavedState.get(); }
  // The layout base of the INI store and the saved state: the component path.
  std::string IniLayoutBase() const;
  // When set, the INI store reads and writes this stream instead of the file.
  TStream* GetIniStream() const { return FIniStream; }
  void SetIniStream(TStream* Value) { FIniStream = Value; }
  // Names of the items a layout being read did not know (null outside reading).
  TStringList* GetNewItems() const { return FNewItems.get(); }
  // The component a stored dock-site path names (null when none).
  TdxBarDockControl* ResolveDockControlPath(const std::string& Path) const;
  std::string DockControlPath(TdxDockControl* Site) const;
  TcxEventHandlerCollection* ReadIniHandlers() const { return FReadIniHandlers.get(); }
  TcxEventHandlerCollection* WriteIniHandlers() const { return FWriteIniHandlers.get(); }
  TcxEventHandlerCollection* SystemFontChangedHandlers() const { return FSystemFontChangedHandlers.get(); }
  TcxEventHandlerCollection* MDIStateChangedHandlers() const { return FMDIStateChangedHandlers.get(); }

  // ---- MDI merging (BarManagerMDI.cpp)
  bool IsInMDIChildForm(bool Recursive) const;
  void CheckMDIState();
  void MDIStateChanged(TdxBarMDIStateChange Kind, HWND ChildWnd);
  void AddSystemMenuItem(HWND ChildWnd);
  void ClearInternalItems();
  bool HasInternalItems() const;
  void UnmergeBarsFrom(TdxBarManager* Source, bool ForCustomizing);
  void RemergeBars();
  bool IsMDIChildMaximized() const { return FMDIChildMaximized; }

  // ---- keys (BarHooks.cpp)
  bool HandleShortCutInBars(TShortCut ShortCut);
  TdxBarItemLink* FindAcceleratorLinkInBars(WORD Key, TShiftState Shift);

  // ---- owner-form messages, activation and hints (BarManagerOwner.cpp)
  void HandleOwnerMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void HandleOwnerActivate(WORD State, bool Minimized, HWND OtherWnd, HWND Wnd);
  void HandleAppActivate(bool Active);
  void SetFormActive(bool Active, bool Force, HWND OtherWnd);
  void UpdateActivation(bool Active, bool Force, HWND Wnd);
  bool IsMainFormActive() const { return FMainFormActive; }
  bool IsOwnerShownNotMinimized() const;
  void KeepFloatingBarsInWorkArea();
  void BeginBarRestoring();
  void EndBarRestoring();
  bool IsRestoringBars() const { return FBarsToRestore != nullptr; }
  void NoteBarToRestore(TdxBar* Bar);
  void ForgetBarToRestore(TdxBar* Bar);
  int BarsToRestoreCount() const;
  TdxBar* BarToRestoreByIndex(int Index) const;
  int IndexOfBarToRestore(TdxBar* Bar) const;
  void RestoreBars(TdxDockControl* DockControl);
  void DisableFloatingBarWindows();
  void RestoreFloatingBarWindows();
  void RequestHint(bool Show, const std::string& Text, TObject* HintObject);
  void CancelHint() { RequestHint(false, std::string(), nullptr); }
  void ScheduleHint(bool Show, const std::string& Text, TObject* HintObject);
  void ShowHintNow();
  bool ActivateHint(const std::string& Text, const std::string& ShortCutText);
  bool IsHintWindowShowing() const;
  TObject* GetHintObject() const { return FHintObject; }

  // ---- published events
  TdxBarEvent OnBarAdd;
  TdxBarEvent OnBarAfterReset;
  TdxBarEvent OnBarBeforeReset;
  TdxBarEvent OnBarClose;
  TdxBarEvent OnBarDelete;
  TdxBarEvent OnBarDockingStyleChange;
  TdxBarVisibleChangeEvent OnBarVisibleChange;
  TdxBarItemLinkEvent OnItemLinkAdd;
  TdxBarItemLinkEvent OnItemLinkChange;
  TdxBarItemLinkEvent OnItemLinkDelete;
  TNotifyEvent OnCloseButtonClick;
  TdxBarCanDockingEvent OnDocking;
  TNotifyEvent OnHelpButtonClick;
  TNotifyEvent OnHideCustomizingForm;
  TdxBarMergeEvent OnMenuMerge;
  TdxBarMergeEvent OnMerge;
  TdxBarMergeItemLinkEvent OnMergeItemLink;
  TNotifyEvent OnShowCustomizingForm;
  TdxBarShowPopupEvent OnShowCustomizingPopup;
  TdxBarShowPopupEvent OnShowToolbarsPopup;
  TdxBarClickItemEvent OnClickItem;

  // Streaming.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  TComponent* GetChildOwner() override { return GetOwner(); }
  void SetChildOrder(TComponent* Child, int Order) override;
  void ReadState(TReader* Reader) override;
  void SetName(const std::string& NewName) override;

protected:
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TdxBarManagerLoadStep;
  // The steps of Loaded after the inherited one; deferred while the bar-update
  // lock is held and finished by its outermost unlock.
  void FinishLoading();
  void CheckBrokenLinks();
  void ReadBarsProperty(TReader* Reader);
  void ReadDockControlHeights(TReader* Reader);
  void WriteDockControlHeights(TWriter* Writer);
  void HelpButtonGlyphChanged(TObject* Sender);
  void SetChangingFontInternally(bool Value) { FInternalFontChange = Value; }
  void HandleWMHelp(HWND Wnd, LPARAM LParam);
  void HandleSysCommand(WPARAM Command);
  void HandleCancelMode();
  void HandleOwnerCreate();
  void ApplyLoadedVisibility();
  void StopHintTimers();

  bool FAllowCallFromAnotherForm = false;
  bool FAllowReset = true;
  bool FAlwaysMerge = false;
  bool FAlwaysSaveText = false;
  bool FAutoAlignBars = false;
  bool FAutoDockColor = true;
  bool FAutoHideEmptyBars = false;
  TOwned<TdxBarBackgrounds> FBackgrounds;
  TOwned<TFont> FBarCaptionFont;
  TOwned<TList> FBarsToRestore;
  TOwned<TdxBars> FBars;
  int FButtonArrowWidth = 11;
  bool FCanCustomize = true;
  TCustomdxBarControl* FChangedSubMenu = nullptr;
  bool FChangingStyle = false;
  TOwned<TdxBarManagerCategories> FCategories;
  TOwned<TdxBarPainter> FPainter;
  bool FDesignerChangePending = false;
  TOwned<TList> FDisabledFloatingWindows;
  TColor FDockColor;
  TOwned<TList> FDockControls;
  TOwned<TdxBarDragInfo> FDragInfo;
  TOwned<TdxBarImageOptions> FImageOptions;
  TOwned<TFont> FEditFont;
  bool FFlatCloseButton = false;
  HBRUSH FFlatBrushes[5] = {};
  TCustomdxBarControl* FFocusedBarControl = nullptr;
  TOwned<TFont> FFont;
  TOwned<TdxBarComponentList> FGroups;
  TOwned<TBitmap> FHelpButtonGlyph;
  int FHelpContext = 0;
  bool FHideFloatingBarsWhenInactive = true;
  TObject* FHintObject = nullptr;
  std::string FIniFileName;
  bool FInternalFontChange = false;
  std::uint16_t FInternalState = 0;
  bool FCustomizing = false;
  TOwned<TComponentList> FInternalItems;
  TOwned<TdxBarComponentList> FItems;
  int FLargeButtonArrowWidth = 13;
  int FModifiedLockCount = 0;
  int FBarsUpdateLockCount = 0;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  bool FMainFormActive = false;
  TdxBar* FMainMenuBar = nullptr;
  TdxBarMenuAnimations FMenuAnimations = maNone;
  bool FMenusShowRecentItemsFirst = true;
  bool FModified = false;
  std::uint8_t FMostRecentItemsPercents = 95;
  int FRecentUseThreshold = 0;
  TCustomdxBarControl* FMouseTrackedBarControl = nullptr;
  TOwned<TStringList> FNewItems;
  TdxBarDockingStyles FNotDocking;
  TOwned<TdxBarPopupMenuLinks> FPopupMenuLinks;
  TOwned<TComponentList> FPopupMenus;
  HWND FPrevActiveMDIChild = nullptr;
  int FReadStateCount = 0;
  std::string FRegistryPath;
  bool FScaled = true;
  TdxBarItemControl* FSelectedItemControl = nullptr;
  int FFocusedControlChangeLock = 0;
  HWND FPrevFocusedWindow = nullptr;
  bool FShowCloseButton = false;
  bool FShowFullMenusAfterDelay = true;
  bool FShowHelpButton = false;
  bool FShowHint = true;
  bool FShowHintForDisabledItems = true;
  bool FShowShortCutInHint = false;
  bool FStoreInIniFile = false;
  bool FStoreInRegistry = false;
  TStream* FIniStream = nullptr;
  TdxBarManagerStyle FStyle = bmsEnhanced;
  bool FSunkenBorder = false;
  bool FThemesAvailable = false;
  TOwned<TdxThemeChangedNotificator> FThemeNotificator;
  HBRUSH FThemeBrush = nullptr;
  bool FUseF10ForMenu = true;
  bool FUseFullReset = false;
  bool FUseSystemFont = true;
  int FWaitForDockingTime = 21;
  bool FMDIChildMaximized = false;
  TOwned<TMemIniFile> FSavedState;
  TOwned<TcxEventHandlerCollection> FReadIniHandlers;
  TOwned<TcxEventHandlerCollection> FWriteIniHandlers;
  TOwned<TcxEventHandlerCollection> FSystemFontChangedHandlers;
  TOwned<TcxEventHandlerCollection> FMDIStateChangedHandlers;
  IdxBarDesigner* FDesigner = nullptr;
  // Loaded ran while the bar-update lock was held; the outermost unlock finishes it.
  bool FLoadPending = false;
};

// Closes the top active bar window and with it its menu chain.
void CloseActiveBarControls();

// R shifted into Area: up, down, left, right in that order, so the top and left
// edges stay inside when R is larger than Area.
RECT ClampRectToWorkArea(RECT R, const RECT& Area);
