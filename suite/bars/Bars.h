// Bars: the model of one toolbar or menu bar of a manager (its caption, its links,
// where it sits, docked at a row or floating, and whom it is merged with), the
// manager's collection of bars that owns the four form-edge dock sites, and the
// merge bookkeeping of MDI child bars. The bar window exists exactly while the bar
// is visible; the bar keeps its place so the window can be rebuilt at any time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/Lists.h"
#include "framework/Menus.h"
#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/ComponentCollection.h"
#include "suite/common/FreeNotificator.h"

using TCustomdxBarControlClass = TClassOf<TCustomdxBarControl>;

class TBitmap;
class TFont;
class TCustomIniFile;
class TCustomdxBarSubItem;
class TdxBarCaptionButtons;
class TdxBarControl;
class TdxBarControlItemLinks;
class TdxDockRow;
class TdxBarPainter;
class TCollectionItem;
class TdxBarDockControl;
class TdxDockControl;
class TdxBars;

// Who a bar is merged into, who is merged into it, and its visibility from before.
class TdxBarMergeData : public TObject {
  SONVELT_CLASS(TdxBarMergeData, TObject)
public:
  TdxBarMergeData();
  ~TdxBarMergeData() override;

  TdxBar* GetTarget() const { return FTarget; }
  void SetTarget(TdxBar* Value) { FTarget = Value; }
  bool GetVisibleBeforeMerging() const { return FVisibleBeforeMerging; }
  void SetVisibleBeforeMerging(bool Value) { FVisibleBeforeMerging = Value; }
  bool GetKeptVisibility() const { return FKeptVisibility; }
  void SetKeptVisibility(bool Value) { FKeptVisibility = Value; }

  int MergedCount() const { return static_cast<int>(FMerged.size()); }
  TdxBar* MergedBar(int Index) const { return FMerged.at(static_cast<size_t>(Index)); }
  void AddMerged(TdxBar* Bar) { FMerged.push_back(Bar); }
  void RemoveMerged(TdxBar* Bar) { std::erase(FMerged, Bar); }
  bool HasMerged(TdxBar* Bar) const;
  // Appends the merged bars to List; with null, to the saved list, each saved bar
  // watched so that one freed meanwhile leaves it.
  void CopyMergedBars(std::vector<TdxBar*>* List);
  int SavedCount() const { return static_cast<int>(FSaved.size()); }
  TdxBar* SavedBar(int Index) const { return FSaved.at(static_cast<size_t>(Index)); }
  void ClearSaved();

private:
  void BarFreed(TObject* Sender, TComponent* Component);
  TOwned<TcxFreeNotificator> FNotifier;
  std::vector<TdxBar*> FMerged;
  std::vector<TdxBar*> FSaved;
  bool FKeptVisibility = false;
  TdxBar* FTarget = nullptr;
  bool FVisibleBeforeMerging = false;
};

class TdxBar : public TcxComponentCollectionItem, public IdxBarLinksOwner {
  SONVELT_CLASS(TdxBar, TcxComponentCollectionItem)
public:
  explicit TdxBar(TComponent* AOwner);
  ~TdxBar() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TdxBar>& P);

  TdxBarManager* GetBarManager() const { return FBarManager; }
  TdxBars* GetManagerBars() const;
  TdxBarControlItemLinks* GetItemLinks() const { return FItemLinks.get(); }
  // The bar's window; null while the bar is hidden.
  TCustomdxBarControl* GetBarControl() const;
  TdxBarMergeData* GetMergeData() const { return FMergeData.get(); }

  const std::string& GetCaption() const { return FCaption; }
  // A caption another bar of the manager has is refused silently.
  void SetCaption(const std::string& Value);
  bool GetAllowClose() const { return FAllowClose; }
  void SetAllowClose(bool Value);
  bool GetAllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool Value) { FAllowCustomizing = Value; }
  bool GetAllowQuickCustomizing() const { return FAllowQuickCustomizing; }
  void SetAllowQuickCustomizing(bool Value);
  bool GetAllowReset() const { return FAllowReset; }
  void SetAllowReset(bool Value) { FAllowReset = Value; }
  bool GetHidden() const { return FHidden; }
  void SetHidden(bool Value);
  std::uint8_t GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value);
  TBitmap* GetBackgroundBitmap() const { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* Value);
  TdxBarBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TdxBarBorderStyle Value);
  TdxBarCaptionButtons* GetCaptionButtons() const { return FCaptionButtons.get(); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TFont* GetEditFont() const { return FEditFont.get(); }
  bool GetUseOwnFont() const { return FUseOwnFont; }
  void SetUseOwnFont(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  const std::string& GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const std::string& Value) { FKeyTip = Value; }
  bool GetRotateWhenVertical() const { return FRotateWhenVertical; }
  // The window hears of it as of a font change (CM_FONTCHANGED).
  void SetRotateWhenVertical(bool Value);
  bool GetShowMark() const { return FShowMark; }
  void SetShowMark(bool Value);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  bool GetUseRestSpace() const { return FUseRestSpace; }
  void SetUseRestSpace(bool Value);

  // Place.
  TdxBarDockingStyle GetDockingStyle() const;
  void SetDockingStyle(TdxBarDockingStyle Value);
  TdxBarDockControl* GetDockControl() const;
  void SetDockControl(TdxBarDockControl* Value);
  TdxBarDockControl* GetDockedDockControl() const { return FDockedDockControl; }
  void SetDockedDockControl(TdxBarDockControl* Value);
  TdxBarDockingStyle GetDockedDockingStyle() const;
  void SetDockedDockingStyle(TdxBarDockingStyle Value) { FDockedDockingStyle = Value; }
  // DockControl, else (docked) the manager's form-edge site of the style; null floating.
  TdxDockControl* GetActualDockControl() const;
  void ChangeDocking(TdxBarDockingStyle Style, TdxDockControl* DockControl);
  int GetDockedLeft() const { return FDockedLeft; }
  void SetDockedLeft(int Value) { SetDockedPosition(1, Value); }
  int GetDockedTop() const { return FDockedTop; }
  void SetDockedTop(int Value) { SetDockedPosition(2, Value); }
  int GetFloatLeft() const { return FFloatLeft; }
  void SetFloatLeft(int Value) { SetFloatBounds(1, Value); }
  int GetFloatTop() const { return FFloatTop; }
  void SetFloatTop(int Value) { SetFloatBounds(2, Value); }
  int GetFloatClientWidth() const { return FFloatClientWidth; }
  void SetFloatClientWidth(int Value) { SetFloatBounds(3, Value); }
  int GetFloatClientHeight() const { return FFloatClientHeight; }
  void SetFloatClientHeight(int Value) { SetFloatBounds(4, Value); }
  // The index of the bar's dock row in its site, else the stored Row.
  int GetRow() const;
  void SetRow(int Value);
  TdxDockRow* GetDockRow() const { return FDockRow; }
  void SetDockRow(TdxDockRow* Row);
  void RemoveFromDockRow(bool RemoveEmptyRow);
  // Position changes between these two are applied once, at the end.
  void Updating();
  void Updated();
  void UpdateControlPosition();
  bool GetOneOnRow() const { return FOneOnRow; }
  void SetOneOnRow(bool Value);
  TdxBarDockingStyles GetNotDocking() const { return FNotDocking; }
  void SetNotDocking(TdxBarDockingStyles Value);
  bool GetWholeRow() const { return FWholeRow; }
  void SetWholeRow(bool Value);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool GetIsMainMenu() const { return FIsMainMenu; }
  void SetIsMainMenu(bool Value);
  bool GetUseRecentItems() const;
  void SetUseRecentItems(bool Value);

  // Visibility: the window exists exactly while the bar is visible.
  bool GetVisible() const;
  void SetVisible(bool Value);
  bool IsFloatingShown() const;
  bool ShouldShowBarControl() const;
  void PlaceBarControl();
  // The window of the bar when it is shown: the site's class, TdxBarControl without one.
  virtual TCustomdxBarControlClass BarControlClass() const;
  // The window asked for a repaint while the manager's bar updates were locked.
  void MarkChanged() { FChangedPending = true; }
  bool IsChangedPending() const { return FChangedPending; }
  void ClearChangedPending() { FChangedPending = false; }

  bool CanClose() const;
  bool CanReset() const { return FPredefined && FAllowReset; }
  bool IsDockingAllowed() const;
  // Borderless, docked at the bottom over the whole row: drawn like a status bar.
  bool IsStatusBarLike() const;
  bool IsSizeGripVisible() const;
  // The window's borders along (left plus right) and across (top plus bottom) for a style.
  int GetHorzBorderSize(TdxBarDockingStyle Style) const;
  int GetVertBorderSize(TdxBarDockingStyle Style) const;
  TdxBarPainter* GetPainter() const;
  TdxBar* NextBar() const;
  void RefreshBarControl();
  // Puts back the bar's state saved when the form was loaded (links, and with the
  // manager's UseFullReset the place too).
  void Reset();
  void ConfirmAndReset();
  bool IsPredefined() const { return FPredefined; }
  void SetPredefined(bool Value) { FPredefined = Value; }
  bool HandleShortCut(TShortCut ShortCut);

  // Applied by the manager when its loading ends.
  void ApplyLoadedDocking();
  void ApplyLoadedVisible();

  // Layout store.
  static std::string LayoutSectionName(const std::string& Base, int Number) { return Base + "Bar" + std::to_string(Number); }
  void SaveLayout(TCustomIniFile* Store, const std::string& Base, bool Registry, int Number);
  void LoadLayout(TCustomIniFile* Store, const std::string& Base, bool ReadProperties, bool Registry, int Number);
  void LoadUsage(TCustomIniFile* Store, const std::string& Base, int Number);

  // Merging (EdxException for the refusals).
  void Merge(TdxBar* Bar);
  void Unmerge(TdxBar* Bar);
  void MergeKeeping(TdxBar* Bar, bool HandleVisible);
  void UnmergeKeeping(TdxBar* Bar, bool RestoreVisible);
  void UnmergeFromManager(TdxBarManager* Manager, bool RestoreVisible);
  void SaveMergedBars();
  void RemergeSaved();
  // The bar's visibility changes without the MDI child form around it resizing.
  void SetVisibleKeepingMDIBounds(bool Value);

  // Sub-items that use the bar as their torn-off menu hear when it goes.
  void AddFreeNotificationItem(TCustomdxBarSubItem* Item);
  void RemoveFreeNotificationItem(TCustomdxBarSubItem* Item);
  void NotifyFreeNotificationItems();
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnDestroyNotify;

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetOwnerComponent() override { return this; }
  TdxBarItemLinks* GetItemLinks() override;

  void SetParentComponent(TComponent* Value) override;
  void SetName(const std::string& NewName) override;
  // While set, a new component name goes to OldName.
  void SetNameLocked(bool Value) { FNameLocked = Value; }
  const std::string& GetOldName() const { return FOldName; }
  void SetOldName(const std::string& Value) { FOldName = Value; }

protected:
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override;

private:
  void SetDockedPosition(int Index, int Value);
  void SetFloatBounds(int Index, int Value);
  void ReportChange() { NotifyChanged(false); }
  void FontChanged(TObject* Sender);
  void CaptionButtonsChanged(TObject* Sender, TCollectionItem* Item);
  void ForwardToBarControl();
  TdxBarControl* Toolbar() const;

  std::uint8_t FAlphaBlendValue = 255;
  TOwned<TBitmap> FBackgroundBitmap;
  TdxBarBorderStyle FBorderStyle = bbsSingle;
  TOwned<TdxBarCaptionButtons> FCaptionButtons;
  TColor FColor = clDefault;
  TdxDockRow* FDockRow = nullptr;
  TOwned<TFont> FEditFont;
  TOwned<TFont> FFont;
  std::vector<TCustomdxBarSubItem*> FFreeNotificationItems;
  TOwned<TBitmap> FGlyph;
  bool FInternalFontChange = false;
  std::string FKeyTip;
  bool FPositionUpdatePending = false;
  bool FRotateWhenVertical = true;
  bool FShowMark = true;
  bool FSizeGrip = true;
  bool FUpdating = false;
  bool FUseOwnFont = false;
  bool FUseRestSpace = false;

  TdxBarManager* FBarManager = nullptr;
  bool FAllowClose = true;
  bool FAllowCustomizing = true;
  bool FAllowQuickCustomizing = true;
  bool FAllowReset = true;
  std::string FCaption;
  bool FChangedPending = false;
  bool FDockingChange = false;
  TdxBarDockControl* FDockControl = nullptr;
  TdxBarDockControl* FDockedDockControl = nullptr;
  TdxBarDockingStyle FDockedDockingStyle = dsTop;
  int FDockedLeft = 0;
  int FDockedTop = 0;
  TdxBarDockingStyle FDockingStyle = dsNone;
  int FFloatLeft = 0;
  int FFloatTop = 0;
  int FFloatClientWidth = 0;
  int FFloatClientHeight = 0;
  bool FHidden = false;
  bool FIsMainMenu = false;
  bool FNameLocked = false;
  bool FPredefined = false;
  TOwned<TdxBarControlItemLinks> FItemLinks;
  TdxBarDockControl* FLoadedDockControl = nullptr;
  TdxBarDockingStyle FLoadedDockingStyle = dsNone;
  bool FLoadedVisible = false;
  TOwned<TdxBarMergeData> FMergeData;
  TdxBarDockingStyles FNotDocking;
  bool FMultiLine = false;
  bool FOneOnRow = false;
  std::string FOldName;
  int FRow = 0;
  bool FVisible = false;
  bool FWholeRow = false;
};

// The bar whose links are being merged into another bar now (null outside a merge).
TdxBar* CurrentlyMergingBar();

class TdxBars : public TcxComponentCollection {
  SONVELT_CLASS(TdxBars, TcxComponentCollection)
public:
  // Makes the four form-edge sites, parented to the manager's form.
  explicit TdxBars(TdxBarManager* ABarManager);
  ~TdxBars() override;
  void BeforeDestruction() override;

  TdxBarManager* GetBarManager() const { return FBarManager; }
  TdxBar* GetBar(int Index) const { return static_cast<TdxBar*>(ItemAt(Index)); }
  TdxBar* Add() { return static_cast<TdxBar*>(AppendNewItem()); }
  // The form-edge site of a docking style; null for dsNone.
  TdxDockControl* FormDockSite(TdxBarDockingStyle Style) const;
  // The site is going: its slot is cleared.
  void ForgetFormDockSite(TdxDockControl* Site);
  void DockBarControlAt(TdxBarDockingStyle Style, TdxDockControl* DockControl, POINT ScreenPoint,
                        TCustomdxBarControl* BarControl);
  void UndockBarControl(TdxBarDockingStyle Style, TdxDockControl* DockControl, TCustomdxBarControl* BarControl);
  void RebuildBarControls();
  bool IsMoving() const { return FMoving; }
  int DockingZoneSize() const { return 23; }

  // Dragging a bar window with the mouse: a modal capture loop that moves a floating
  // window, drags a docked one out, and docks where the cursor meets a dock zone
  // (a floating bar only after the manager's WaitForDockingTime). Ctrl keeps it
  // floating; Esc and the button's release end it.
  void TrackBarDrag(TdxBarControl* BarControl);
  void MoveBarTo(TdxBarControl* BarControl, POINT ScreenPoint);
  // The dock site under a point and its style; dsNone (float) when none takes the bar.
  TdxBarDockingStyle FindDockTarget(TdxBar* Bar, POINT ScreenPoint, TdxDockControl*& DockControl);
  // Zone holds the point and, for a site inside another window, the site is not covered there.
  static bool PointInDockZone(TdxDockControl* DockControl, const RECT& Zone, POINT ScreenPoint);
  TdxBarControl* GetMovingBarControl() const { return FMovingBarControl; }
  POINT GetDragOffset() const { return FDragOffset; }
  POINT GetGrabPoint() const { return FGrabPoint; }
  bool IsDockingTimerPending() const;
  // Where the drag reads whether Ctrl is down (the system's asynchronous key
  // state); tests put their own reader in. Returns the previous one.
  using TKeyStateReader = SHORT(WINAPI*)(int Key);
  static TKeyStateReader SetKeyStateReader(TKeyStateReader Reader);

protected:
  void NameNewItem(TcxComponentCollectionItem* Item) override;
  void ReportChange(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) override;

private:
  TdxBarManager* FBarManager;
  static void CALLBACK DockingTimerProc(HWND Wnd, UINT Msg, UINT_PTR Id, DWORD Time);
  static void KillDockingTimer();
  TdxDockControl* FDockSites[4] = {};
  bool FMoving = false;
  bool FDockingTimerFired = false;
  TdxBarControl* FMovingBarControl = nullptr;
  TdxBarDockingStyle FStartStyle = dsNone;
  POINT FDragOffset{0, 0};
  POINT FGrabPoint{0, 0};
};
