// The status bar's painters: one immutable singleton per paint style that draws
// every part of a bar (border, bevels, separators, backgrounds, the size grip,
// the background of a container control) and answers its metrics. A bar holds
// the painter its paint style chose and swaps it at any time; painters keep
// nothing between calls and delete every GDI object they make.
#pragma once

#include <windows.h>

#include "framework/Colors.h"
#include "framework/Object.h"

class TcxCanvas;
class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarContainerPanelStyle;

enum TdxStatusBarPanelBevel { dxpbNone, dxpbLowered, dxpbRaised };

class TdxStatusBarPainter : public TObject {
  SONVELT_CLASS(TdxStatusBarPainter, TObject)
public:
  static const TdxStatusBarPainter* Instance();

  // The bar's border and the panel background behind a container control, drawn
  // on the container so that they line up with the bar's.
  virtual void DrawContainerControl(TdxStatusBarContainerPanelStyle* Style) const;
  // Panels run under the grip; only container controls are kept clear of it.
  virtual bool SizeGripOverlapsPanels(TdxCustomStatusBar* Bar) const { return true; }
  virtual void AdjustTextColor(TdxCustomStatusBar* Bar, TColor& Color, bool Active) const {}
  // The widths of the border around the panel area (left, top, right, bottom).
  virtual RECT ContentMargins(TdxCustomStatusBar* Bar) const;
  virtual bool DrawsSizeGripFirst() const { return true; }
  virtual SIZE SizeGripExtent() const { return SIZE{16, 16}; }
  virtual SIZE SizeGripCornerSize() const { return SIZE{12, 12}; }
  virtual int SeparatorBaseWidth() const { return 2; }
  virtual int SeparatorWidth(TdxCustomStatusBar* Bar) const { return SeparatorBaseWidth(); }
  virtual int TopBorderHeight(TdxCustomStatusBar* Bar) const { return 2; }
  // Draws the border and shrinks R to the panel area.
  virtual void DrawBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT& R) const;
  virtual void DrawEmptyPanel(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const;
  virtual void DrawPanel(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, RECT R, TcxCanvas* Canvas) const;
  // Draws a bevel and shrinks R by it.
  virtual void DrawPanelBorder(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, RECT& R,
                               TcxCanvas* Canvas) const {}
  virtual void DrawSeparator(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const {}
  // Draws the grip in the bottom-right corner of R and takes it out of the clip
  // region, so that no panel paints over it.
  virtual void DrawSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, bool Overlapped, RECT R) const;
  virtual void DrawTopBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const;
  // Panel null: the background where there is no panel.
  virtual void FillBackground(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, RECT R, TcxCanvas* Canvas) const {}
  virtual TdxStatusBarPanelBevel PanelBevel(TdxStatusBarPanel* Panel) const;
  virtual TColor PanelColor(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel) const;
  virtual RECT TextRect(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, RECT R) const { return R; }

protected:
  // The grip's rectangle in Q, the area the grip sits in.
  RECT GripRect(RECT Q) const;
  // The classic grip glyph drawn into Grip with its button-face pixels left out.
  void DrawClassicGrip(TcxCanvas* Canvas, const RECT& Grip) const;
};

using TdxStatusBarPainterClass = const TdxStatusBarPainter*;

class TdxStatusBarStandardPainter : public TdxStatusBarPainter {
  SONVELT_CLASS(TdxStatusBarStandardPainter, TdxStatusBarPainter)
public:
  static const TdxStatusBarStandardPainter* Instance();
  void DrawPanelBorder(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, RECT& R,
                       TcxCanvas* Canvas) const override;
  void DrawSeparator(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const override;
  void FillBackground(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, RECT R, TcxCanvas* Canvas) const override;
};

// Bevels of either kind are a one-pixel shadow frame.
class TdxStatusBarFlatPainter : public TdxStatusBarStandardPainter {
  SONVELT_CLASS(TdxStatusBarFlatPainter, TdxStatusBarStandardPainter)
public:
  static const TdxStatusBarFlatPainter* Instance();
  void DrawPanelBorder(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, RECT& R,
                       TcxCanvas* Canvas) const override;
};

// A two-stage gradient behind everything, no separators and no panel fills.
class TdxStatusBarOffice11Painter : public TdxStatusBarPainter {
  SONVELT_CLASS(TdxStatusBarOffice11Painter, TdxStatusBarPainter)
public:
  static const TdxStatusBarOffice11Painter* Instance();
  RECT ContentMargins(TdxCustomStatusBar* Bar) const override;
  void DrawBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT& R) const override;
  void DrawPanelBorder(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, RECT& R,
                       TcxCanvas* Canvas) const override;
  void DrawSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, bool Overlapped, RECT R) const override;
};

// The visual style's "Status" class: its background, panes and gripper.
class TdxStatusBarXPPainter : public TdxStatusBarPainter {
  SONVELT_CLASS(TdxStatusBarXPPainter, TdxStatusBarPainter)
public:
  static const TdxStatusBarXPPainter* Instance();
  RECT ContentMargins(TdxCustomStatusBar* Bar) const override;
  SIZE SizeGripExtent() const override;
  int SeparatorBaseWidth() const override;
  void DrawBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT& R) const override;
  void DrawSeparator(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const override;
  void DrawSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, bool Overlapped, RECT R) const override;
};
