// The root of every view: names the view's view info, group and link view infos,
// controller and scroll bar, owns the view info and the controller, keeps the
// pending-change flags and draws the whole bar into the bar's off-screen bitmap
// in a fixed order, offering each step to the custom-draw events first. This
// class draws captions, text, focus frames and design selectors; the element
// painter and the views draw the rest.
#pragma once

#include <windows.h>

#include "framework/Canvas.h"
#include "framework/OwnedObject.h"
#include "suite/common/ControlScrollBar.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/NavBarOptions.h"
#include "suite/navbar/NavBarTypes.h"
#include "suite/navbar/NavBarViewInfo.h"

class THintWindow;
class TdxNavBarController;
class TcxLookAndFeel;

class TdxNavBarPainter : public TdxNavBarPersistent {
  SONVELT_CLASS(TdxNavBarPainter, TdxNavBarPersistent)
public:
  explicit TdxNavBarPainter(TdxCustomNavBar* ANavBar);
  void AfterConstruction() override;
  ~TdxNavBarPainter() override;
  // Another painter is accepted without copying anything.
  void Assign(TPersistent* Source) override;

  virtual TcxLookAndFeel* ParentLookAndFeel() { return nullptr; }
  virtual bool NeedsRecreateOnThemeChange() { return false; }

  // ---- factories
  virtual TdxNavBarViewInfo* CreateViewInfo();
  virtual TdxNavBarGroupViewInfo* CreateGroupViewInfo(TdxNavBarViewInfo* ViewInfo, TdxNavBarGroup* Group,
                                                      bool CaptionVisible, bool ItemsVisible);
  virtual TdxNavBarLinkViewInfo* CreateLinkViewInfo(TdxNavBarGroupViewInfo* GroupViewInfo, TdxNavBarItemLink* Link,
                                                    bool CaptionVisible, bool ImageVisible);
  virtual TClassOf<TdxNavBarViewInfo> ViewInfoClassOf();
  virtual TClass GetGroupViewInfoClass();
  virtual TClass GetLinkViewInfoClass();
  virtual TClassOf<TdxNavBarController> GetControllerClass();
  TcxControlScrollBar* CreateScrollBar();
  virtual TClassOf<TcxControlScrollBar> GetScrollBarClass();

  // ---- drawing
  virtual void DrawHint(TCanvas* Canvas, const RECT& R) {}
  virtual void DrawNavBarControl();
  virtual void DrawBackground() {}
  virtual void DrawGroup(TdxNavBarGroupViewInfo* G);
  virtual void DrawGroupClientBackground(TdxNavBarGroupViewInfo* G) {}
  virtual void DrawGroupBorder(TdxNavBarGroupViewInfo* G) {}
  virtual void DrawGroupCaption(TdxNavBarGroupViewInfo* G);
  virtual void DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) {}
  virtual void DrawGroupCaptionText(TdxNavBarGroupViewInfo* G);
  virtual void DrawGroupCaptionImage(TdxNavBarGroupViewInfo* G) {}
  virtual void DrawGroupCaptionSign(TdxNavBarGroupViewInfo* G) {}
  virtual void DrawGroupControl(TCanvas* Canvas, const RECT& R, TdxNavBarGroupViewInfo* G) {}
  virtual void DrawGroupDesignRect(TdxNavBarGroupViewInfo* G);
  virtual void DrawGroupItems(TdxNavBarGroupViewInfo* G);
  virtual void DrawGroupFocusRect(TdxNavBarGroupViewInfo* G);
  virtual void DrawLink(TdxNavBarLinkViewInfo* L);
  virtual void DrawLinkCaption(TdxNavBarLinkViewInfo* L);
  virtual void DrawLinkDesignRect(TdxNavBarLinkViewInfo* L);
  virtual void DrawLinkFocusRect(TdxNavBarLinkViewInfo* L);
  virtual void DrawLinkImage(TdxNavBarLinkViewInfo* L) {}
  virtual void DrawLinkSelection(TdxNavBarLinkViewInfo* L) {}
  virtual void DrawGroupClient(TdxNavBarGroupViewInfo* G);
  virtual void DrawSeparator(TdxNavBarLinkViewInfo* L);
  virtual void DrawScrollButtons();
  virtual void DrawBottomScrollButton() {}
  virtual void DrawTopScrollButton() {}
  virtual void DrawDropTargetGroupSelection() {}
  virtual void DrawDropTargetLinkSelection() {}
  virtual void DrawHintWindow(THintWindow* HintWindow);
  virtual void DrawGroupHint(TCanvas* Canvas, const RECT& R);
  virtual void DrawLinkHint(TCanvas* Canvas, const RECT& R);

  // ---- non-virtual
  void SetChanged(TdxNavBarChangeType Change);
  bool IsLayoutCurrent() const { return !FRecalcPending; }
  bool IsRedrawPending() const { return FRedrawPending; }
  bool IsRecreatePending() const { return FRecreatePending; }
  void PrepareBitmap();
  void Paint();
  void InvalidateScrollButtons();
  TCanvas* GetCanvas();
  HDC GetDC() { return GetCanvas()->GetHandle(); }
  TcxCanvas* GetcxCanvas();
  TdxNavBarViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  TdxNavBarController* GetController() const { return FController.get(); }
  // A dotted one-pixel frame inside R on one checkerboard.
  void DrawDottedFrame(const RECT& R, TColor Color);
  TdxNavBarCustomDrawEvents* CustomDraw();

private:
  bool FRecreatePending = true;
  bool FRecalcPending = true;
  bool FRedrawPending = true;
  TOwned<TdxNavBarViewInfo> FViewInfo;
  TOwned<TdxNavBarController> FController;
  TOwned<TcxCanvas> FcxCanvas;
};

using TdxNavBarPainterClass = TClassOf<TdxNavBarPainter>;
