// Dock sites: the windows along the edges of a form (or placed on it) that hold
// docked bar windows in rows. The manager's bars collection makes the four
// form-edge sites of its form; a TdxBarDockControl is one a form places itself.
// A site keeps its rows (TdxDockRow, each a list of columns TdxDockCol holding one
// bar window), lays the windows of every row out along its length, sizes itself to
// the thickness of its rows (a right or bottom site keeping its outer edge), and
// decides where a dragged bar lands.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CustomControl.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarTypes.h"

class TBitmap;
class TdxBarPainter;
struct TdxBarDockRowInfo;
class TdxDockRow;

// One docked bar window in a row and its last known position in the site.
class TdxDockCol : public TObject {
  SONVELT_CLASS(TdxDockCol, TObject)
public:
  TdxDockCol(TdxDockRow* ARow, TCustomdxBarControl* ABarControl) : FDockRow(ARow), FBarControl(ABarControl) {}
  TdxDockRow* GetDockRow() const { return FDockRow; }
  TCustomdxBarControl* GetBarControl() const { return FBarControl; }
  POINT GetPos() const { return FPos; }
  void SetPos(POINT Value) { FPos = Value; }
  void StorePosition();

private:
  TdxDockRow* FDockRow;
  TCustomdxBarControl* FBarControl;
  POINT FPos{0, 0};
};

// One row of a site: the columns in their order and the bars assigned to it
// (also those whose window does not exist now). Every bar with a column here has
// OneOnRow equal to "the row has one column".
class TdxDockRow : public TObject {
  SONVELT_CLASS(TdxDockRow, TObject)
public:
  explicit TdxDockRow(TdxDockControl* ADockControl) : FDockControl(ADockControl) {}
  ~TdxDockRow() override;

  TdxDockControl* GetDockControl() const { return FDockControl; }
  int ColumnCount() const { return static_cast<int>(FCols.size()); }
  TdxDockCol* ColumnAt(int Index) const { return FCols.at(static_cast<size_t>(Index)); }
  int IndexOfColumnOf(TCustomdxBarControl* BarControl) const;
  TdxDockCol* AddColumn(TCustomdxBarControl* BarControl);
  TdxDockCol* InsertColumn(int Index, TCustomdxBarControl* BarControl);
  void RemoveColumnOf(TCustomdxBarControl* BarControl);
  void DeleteColumn(int Index);
  int BarCount() const { return static_cast<int>(FBars.size()); }
  TdxBar* BarAt(int Index) const { return FBars.at(static_cast<size_t>(Index)); }
  void AddBar(TdxBar* Bar);
  // With RemoveEmptyRow the row frees itself when its last bar leaves.
  void RemoveBar(TdxBar* Bar, bool RemoveEmptyRow);
  void UpdateOneOnRow();
  // A bar of the row has a live docked window (the layout skips rows without).
  bool HasDockedBar() const;

private:
  TdxDockControl* FDockControl;
  std::vector<TdxDockCol*> FCols;
  std::vector<TdxBar*> FBars;
  bool FDestroying = false;
};

class TdxDockControl : public TCustomControl {
  SONVELT_CLASS(TdxDockControl, TCustomControl)
public:
  explicit TdxDockControl(TComponent* AOwner);
  // A form-edge site of Manager, aligned from Style and parented to the manager's form.
  static TdxDockControl* CreateForManager(TComponent* AOwner, TdxBarDockingStyle Style, TdxBarManager* Manager);
  ~TdxDockControl() override;
  void BeforeDestruction() override;

  TdxBarManager* GetBarManager() const { return FBarManager; }
  // Leaves the old manager, joins the new one.
  void SetBarManager(TdxBarManager* Value);
  // From the alignment: left, right and bottom as aligned, anything else top.
  TdxBarDockingStyle GetDockingStyle() const;
  bool IsFormDockSite() const { return FIsFormDockSite; }
  bool IsHorizontal() const { return GetDockingStyle() == dsTop || GetDockingStyle() == dsBottom; }
  bool IsVertical() const { return !IsHorizontal(); }
  // Left and top are the near edges.
  bool IsNearEdge() const { return GetDockingStyle() == dsLeft || GetDockingStyle() == dsTop; }
  bool GetAllowDocking() const { return FAllowDocking; }
  void SetAllowDocking(bool Value) { FAllowDocking = Value; }
  TBitmap* GetBackgroundBitmap() const { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* Value);
  // True while the site destroys its bar windows (a bar's OneOnRow stays then).
  bool IsDestroyingBarControls() const { return FDestroyingBarControls; }

  // Rows.
  int RowCount() const { return static_cast<int>(FRows.size()); }
  TdxDockRow* GetRow(int Index) const { return FRows.at(static_cast<size_t>(Index)); }
  int IndexOfRow(const TdxDockRow* Row) const;
  TdxDockRow* AddRow();
  TdxDockRow* InsertRow(int Index);
  // The row leaves the list (its owner frees it).
  void ExtractRow(TdxDockRow* Row);
  // The bar windows docked here, row by row.
  int BarControlCount() const;
  TCustomdxBarControl* BarControlByIndex(int Index) const;
  // The row and column holding a window; false when it is not docked here.
  bool FindColumn(TCustomdxBarControl* BarControl, int& RowIndex, int& ColIndex) const;
  TdxDockCol* ColumnOf(TCustomdxBarControl* BarControl) const;

  // Placement.
  virtual void DockBarControl(TCustomdxBarControl* BarControl, POINT ScreenPoint, bool Apply);
  void UndockBarControl(TCustomdxBarControl* BarControl, bool Rebuild) { UndockBarControl(BarControl, nullptr, Rebuild); }
  virtual void UndockBarControl(TCustomdxBarControl* BarControl, TdxDockCol* Column, bool Rebuild);
  void MoveBarControl(TCustomdxBarControl* BarControl, POINT ScreenPoint);
  void StoreColumnPositions();
  // The row a point across the rows falls in; NewRow when it opens one at that index.
  int RowAtPoint(POINT ScreenPoint, bool& NewRow);
  int ColumnAtPoint(int RowIndex, POINT ScreenPoint);
  // The range of a row zone part across the rows (client coordinates): part 0 up to
  // the 5-pixel band, part 1 the band (a new row), part 2 after it.
  void GetRowZone(int RowIndex, int Part, int& Start, int& Stop);
  void SnapToRowZone(int RowIndex, bool OwnRow, POINT& ScreenPoint);
  RECT GetDockingZone();

  // Layout.
  RECT CalcRowRect(int Index);
  virtual int CalcRowsExtent();
  // Lays the rows out again and sizes the site to them; nothing while the
  // manager's bar updates are locked.
  virtual void RebuildLayout();
  void RealignRows();
  virtual void ResizeToRows();
  virtual void LayoutRows();
  virtual void LayoutRow(int RowIndex, int Length);
  // Drops rows that hold no bar (called by the manager when its bar-update lock ends).
  virtual void DeleteEmptyRows();
  // Placed bars take their stored row.
  virtual bool PlacesStoredRow() const { return true; }

  // Virtual operations.
  virtual void ManagerSettingsChanged();
  virtual bool CanDockBar(TdxBar* Bar);
  virtual void UpdateColor();
  virtual bool GetSunkenBorder() const;
  virtual TCustomdxBarControlClass BarControlClass() const { return TdxBarControl::StaticClass(); }
  virtual TClass AccessibilityHelperClass() const;
  TdxBarAccessibilityHelper* GetIAccessibilityHelper();
  virtual TdxBarPainter* GetPainter() const;
  virtual void FillBackground(HDC DC, const RECT& R);
  bool HasBackgroundBitmap() const;
  bool NeedsDoubleBuffer() const;
  virtual void RecalcFrame();
  virtual void RepaintBarFrames();
  void DropBackgroundCache();
  virtual void UpdateDoubleBuffered();
  virtual void ShowToolbarsPopup();
  bool InDesignMode() const { return GetComponentState().Contains(csDesigning); }
  // The idle action update: every visible bar updates its items from their actions.
  void InitiateAction() override;

  // Paints R of the site: the site's or the manager's bar background bitmap, else
  // the painter's background; Source is where R's picture starts in the site's
  // client area.
  void FillBackground(HDC DC, const RECT& R, TColor Color, HBRUSH Brush, const RECT& Source);
  // The picture the themed painters draw once and copy from; empty until they do.
  TBitmap* BackgroundCache() { return FBackgroundCache.get(); }
  // The rows of the site with their rectangles and bars, as the background draws them.
  virtual std::vector<TdxBarDockRowInfo> RowsForPainting() const;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  int RowThickness(int Index);
  bool IsBeingPlacedFromStore(TCustomdxBarControl* BarControl) const;

private:
  TdxBarManager* FBarManager = nullptr;
  TdxBarDockingStyle FFormEdgeStyle = dsNone;
  bool FIsFormDockSite = false;
  bool FAllowDocking = true;
  bool FDestroyingBarControls = false;
  bool FLayingOut = false;
  std::vector<TdxDockRow*> FRows;
  TOwned<TBitmap> FBackgroundBitmap;
  TOwned<TBitmap> FBackgroundCache;
  TdxBarAccessibilityRef FHelper;
};

enum TdxBarDockAlign : std::uint8_t { dalNone, dalTop, dalBottom, dalLeft, dalRight };

// A dock site a form places itself.
class TdxBarDockControl : public TdxDockControl {
  SONVELT_CLASS(TdxBarDockControl, TdxDockControl)
public:
  explicit TdxBarDockControl(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarDockControl>& P);

  TdxBarDockAlign GetDockAlign() const;
  void SetDockAlign(TdxBarDockAlign Value);
  bool GetAllowZeroSizeInDesignTime() const { return FAllowZeroSizeInDesignTime; }
  void SetAllowZeroSizeInDesignTime(bool Value);
  bool GetUseOwnColor() const { return FUseOwnColor; }
  void SetUseOwnColor(bool Value);
  void SetSiteColor(TColor Value);
  bool GetSunkenBorder() const override;
  void SetSunkenBorder(bool Value);
  bool GetUseOwnSunkenBorder() const { return FUseOwnSunkenBorder; }
  void SetUseOwnSunkenBorder(bool Value);
  void UpdateColor() override;
  int CalcRowsExtent() override;
  // A bar that cannot resolve its stored placed site leaves a site for which this holds.
  virtual bool HoldsStoredSite() const { return true; }
  // Thickness of a site without rows.
  int EmptySize() const;

protected:
  void WndProc(TMessage& Message) override;

private:
  bool FAllowZeroSizeInDesignTime = false;
  bool FOwnSunkenBorder = false;
  bool FUseOwnColor = false;
  bool FUseOwnSunkenBorder = false;
};
