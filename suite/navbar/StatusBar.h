// The status bar: a panel bar along the bottom of a form. The visible panels
// share the bar's width (fixed ones keep theirs, the flexible ones and otherwise
// the last one take the rest), each shows what its panel style draws, and a size
// grip sits in the corner while the bar is in the bottom-right corner of a
// sizeable form. Drawing goes through a stateless painter chosen from the paint
// style (and for the look-and-feel style from the look-and-feel and the visual
// style). The layout is worked out anew on every change, on loading and on
// resize, in the area inside the painter's border that painting uses.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "suite/common/SuiteControl.h"
#include "suite/common/ThemeManager.h"
#include "suite/navbar/StatusBarPainters.h"
#include "suite/navbar/StatusBarPanelStyles.h"
#include "suite/navbar/StatusBarPanels.h"

class TdxCustomStatusBar;

enum TdxStatusBarPaintStyle { stpsStandard, stpsFlat, stpsXP, stpsOffice11, stpsUseLookAndFeel };

// The cells of the visible panels, separators between them.
class TdxStatusBarViewInfo : public TObject {
  SONVELT_CLASS(TdxStatusBarViewInfo, TObject)
public:
  explicit TdxStatusBarViewInfo(TdxCustomStatusBar* Bar) : FBar(Bar) {}
  virtual void Calculate(const RECT& Bounds);
  // The visible panel whose cell in Bounds holds the point; null in a separator,
  // past the last cell or without panels.
  TdxStatusBarPanel* PanelAt(const RECT& Bounds, int X, int Y) const;

  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  TdxStatusBarPanel* Panel(int Index) const { return FPanels.at(static_cast<size_t>(Index)); }
  // Cell widths, panel and separator alternating; 0 outside the list.
  int WidthCount() const { return static_cast<int>(FWidths.size()); }
  int Width(int Index) const;
  int PanelWidth(int PanelIndex) const { return Width(PanelIndex * 2); }
  int SeparatorWidth(int PanelIndex) const { return Width(PanelIndex * 2 + 1); }
  // The panels asked for at least the whole width.
  bool GetSizeGripOverlapped() const { return FSizeGripOverlapped; }

private:
  TdxCustomStatusBar* FBar;
  std::vector<TdxStatusBarPanel*> FPanels;
  std::vector<int> FWidths;
  bool FSizeGripOverlapped = false;
};

class TdxCustomStatusBar : public TcxControl {
  SONVELT_CLASS(TdxCustomStatusBar, TcxControl)
public:
  explicit TdxCustomStatusBar(TComponent* AOwner);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  ~TdxCustomStatusBar() override;

  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TdxStatusBarPanels* GetPanels() const { return FPanels.get(); }
  void SetPanels(TdxStatusBarPanels* Value) { FPanels->Assign(Value); }
  TdxStatusBarPaintStyle GetPaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TdxStatusBarPaintStyle Value);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  int GetBorderWidth() const { return FBorderWidth; }
  // Negative values are stored as 0.
  void SetBorderWidth(int Value);
  // GetLookAndFeel is the control's own.
  void SetLookAndFeel(TcxLookAndFeel* Value);

  TdxStatusBarPainterClass GetPainter() const { return FPainter; }
  bool GetStatusThemesAvailable() const { return FStatusThemesAvailable; }
  TdxStatusBarViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  // The area the panels are laid out and painted in: the client bounds inside
  // the painter's border.
  RECT PanelArea();

  // Loading, reading, being destroyed or updating: styles are then dropped
  // without asking and container controls are left to their owner.
  bool IsLoadingOrGoing() const;

  // Answers a THintAction for the bar's AutoHint panel (see the hint rule).
  bool ExecuteAction(TBasicAction* Action) override;

  // ---- virtual operations
  virtual void AdjustTextColor(TColor& AColor, bool Active) {}
  virtual TdxStatusBarViewInfo* CreateViewInfo() { return TdxStatusBarViewInfo::Create(this); }
  virtual void CalculateLayout();
  virtual TdxStatusBarPanel* CreatePanel() { return FPanels->Add(); }
  virtual TdxStatusBarPanels* CreatePanels() { return TdxStatusBarPanels::Create(this); }
  // OnHint when assigned (then true).
  virtual bool DoHint();
  virtual TClass DefaultPanelStyleClass() const;
  virtual TdxStatusBarPainterClass GetPainterClass();
  virtual TdxStatusBarPaintStyle ResolvePaintStyle();
  virtual TClass PanelClass() const { return TdxStatusBarPanel::StaticClass(); }
  virtual void UpdatePainter();
  virtual void PainterChanged();
  virtual bool SizeGripVisible();
  virtual void ThemeChanged() { PainterChanged(); }
  virtual void LayoutChanged();
  virtual bool CanUsePanelStyleClass(TClass Class) { (void)Class; return true; }
  virtual TdxStatusBarPanel* PanelAtPoint(int X, int Y);

  void Dispatch(TMessage& Message) override;
  void FontChanged() override;
  bool WantsEraseBackground() override { return false; }
  bool HasScrollBars() override { return false; }
  bool WantsTabStop() override { return false; }
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;

  TNotifyEvent OnHint;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;

private:
  void ImageListChange(TObject* Sender);
  void HandleNCHitTest(TMessage& Message);
  // The last panel whose style is a text style with AutoHint; null when none.
  TdxStatusBarTextPanelStyle* AutoHintStyle();

  TdxStatusBarPainterClass FPainter = nullptr;
  bool FStatusThemesAvailable = false;
  TOwned<TdxStatusBarViewInfo> FViewInfo;
  TOwned<TdxStatusBarPanels> FPanels;
  TCustomImageList* FImages = nullptr;
  TOwned<TChangeLink> FImageChangeLink;
  TOwned<TdxThemeChangedNotificator> FThemeNotifier;
  TdxStatusBarPaintStyle FPaintStyle = stpsStandard;
  bool FSizeGrip = true;
  int FBorderWidth = 0;
  bool FOffice11ColorsHeld = false;
};

class TdxStatusBar : public TdxCustomStatusBar {
  SONVELT_CLASS(TdxStatusBar, TdxCustomStatusBar)
public:
  explicit TdxStatusBar(TComponent* AOwner) : TdxCustomStatusBar(AOwner) {}
  static void Publish(TPublisher<TdxStatusBar>& P);
};
