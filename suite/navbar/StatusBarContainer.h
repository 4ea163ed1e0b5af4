// The container panel style: a child control of the bar, owned by the form, that
// other controls can be placed on. It covers the panel's cell (kept clear of the
// size grip), shows and hides with the panel, and is linked both ways with its
// style: destroying the control leaves its panel without a style.
#pragma once

#include "suite/common/SuiteControl.h"
#include "suite/navbar/StatusBarPanelStyles.h"

class TdxStatusBarContainerPanelStyle;

class TdxStatusBarContainerControl : public TcxControl {
  SONVELT_CLASS(TdxStatusBarContainerControl, TcxControl)
public:
  explicit TdxStatusBarContainerControl(TComponent* AOwner);
  void BeforeDestruction() override;

  TdxStatusBarContainerPanelStyle* GetPanelStyle() const { return FPanelStyle; }
  bool HasScrollBars() override { return false; }
  bool WantsTabStop() override { return false; }

protected:
  void Paint() override;

private:
  friend class TdxStatusBarContainerPanelStyle;
  TdxStatusBarContainerPanelStyle* FPanelStyle = nullptr;
};

class TdxStatusBarContainerPanelStyle : public TdxStatusBarPanelStyle {
  SONVELT_CLASS(TdxStatusBarContainerPanelStyle, TdxStatusBarPanelStyle)
public:
  // Outside loading, makes a container control on the bar, owned by the form.
  explicit TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarContainerPanelStyle() override;
  static void Publish(TPublisher<TdxStatusBarContainerPanelStyle>& P);

  // True: the container's children fill it.
  bool GetAlignControl() const { return FAlignControl; }
  void SetAlignControl(bool Value);
  TdxStatusBarContainerControl* GetContainer() const { return FContainer; }
  // Links Value both ways; the control linked before is unlinked. Null frees the
  // old control, except while the bar loads or goes, when it is only dropped.
  void SetContainer(TdxStatusBarContainerControl* Value);

  // False while the container comes from an ancestor form.
  bool CanDelete() override;
  void DoAssign(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) override;
  void PanelVisibleChanged() override;
  void ResetToDefaults() override;

private:
  friend class TdxStatusBarContainerControl;
  bool FAlignControl = true;
  TdxStatusBarContainerControl* FContainer = nullptr;
};
