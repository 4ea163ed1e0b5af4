// Dock sites: the windows along the edges of a form (or placed on it) that hold
// docked bar windows. The manager's bars collection makes the four form-edge sites
// of its form; a TdxBarDockControl is one a form places itself. Rows and their
// layout are the dock work's; a site here knows its manager, its docking style
// and the bar windows docked in it.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CustomControl.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarTypes.h"

class TdxBarPainter;
class TBitmap;
struct TdxBarDockRowInfo;

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
  bool GetAllowDocking() const { return FAllowDocking; }
  void SetAllowDocking(bool Value) { FAllowDocking = Value; }
  // True while the site destroys its bar windows (a bar's OneOnRow stays then).
  bool IsDestroyingBarControls() const { return FDestroyingBarControls; }

  // The bar windows docked here, in docking order.
  int BarControlCount() const { return static_cast<int>(FBarControls.size()); }
  TCustomdxBarControl* BarControlByIndex(int Index) const { return FBarControls.at(static_cast<size_t>(Index)); }
  virtual void DockBarControl(TCustomdxBarControl* BarControl, POINT ScreenPoint, bool Apply);
  virtual void UndockBarControl(TCustomdxBarControl* BarControl, bool Rebuild);

  // Virtual operations.
  virtual void ManagerSettingsChanged();
  virtual bool CanDockBar(TdxBar* Bar);
  virtual void UpdateColor();
  virtual TCustomdxBarControlClass BarControlClass() const { return TdxBarControl::StaticClass(); }
  virtual TdxBarPainter* GetPainter() const;
  // Drops rows that hold no bar (called by the manager when its bar-update lock ends).
  virtual void DeleteEmptyRows() {}
  // Lays the rows out again and sizes the site to them; nothing while the
  // manager's bar updates are locked.
  virtual void RebuildLayout();
  virtual void RecalcFrame();
  virtual void RepaintBarFrames();
  virtual void UpdateDoubleBuffered() {}

  // Paints R of the site: the manager's bar background bitmap, else the painter's
  // background; Source is where R's picture starts in the site's client area.
  void FillBackground(HDC DC, const RECT& R, TColor Color, HBRUSH Brush, const RECT& Source);
  // The picture the themed painters draw once and copy from; empty until they do.
  TBitmap* BackgroundCache();
  void DropBackgroundCache();
  // The rows of the site with their rectangles and bars, as the background draws them.
  virtual std::vector<TdxBarDockRowInfo> RowsForPainting() const;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;

private:
  TdxBarManager* FBarManager = nullptr;
  TdxBarDockingStyle FFormEdgeStyle = dsNone;
  bool FIsFormDockSite = false;
  bool FAllowDocking = true;
  bool FDestroyingBarControls = false;
  std::vector<TCustomdxBarControl*> FBarControls;
  TOwned<TBitmap> FBackgroundCache;
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
  // A bar that cannot resolve its stored placed site leaves a site for which this holds.
  virtual bool HoldsStoredSite() const { return true; }
};
