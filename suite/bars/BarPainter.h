// The bar painters: one stateless object per manager draws every element of its
// bars, menus and dock sites and answers their metrics. The manager creates the
// painter of its style through a class reference (its virtual constructor takes
// the look-and-feel's skin painter). The drawing operations and metrics are the
// item-control and painter work's; the base here answers the class-level
// questions the model asks.
#pragma once

#include <windows.h>

#include "framework/Object.h"
#include "suite/common/cxLookAndFeelPainters.h"

class TCustomdxBarControl;

class TdxBarPainter : public TObject {
  SONVELT_CLASS(TdxBarPainter, TObject)
public:
  using TCreateArg = TcxLookAndFeelPainterClass;
  explicit TdxBarPainter(TcxLookAndFeelPainterClass ASkinPainter) : FSkinPainter(ASkinPainter) {}

  TcxLookAndFeelPainterClass GetSkinPainter() const { return FSkinPainter; }

  // Toolbars show the quick-customization mark.
  virtual bool SupportsQuickCustomizing() const { return true; }
  // The painter draws dock and bar backgrounds itself.
  virtual bool UsesThemeBackground() const { return false; }
  // Extra space between the rows of a dock site.
  virtual int DockRowSpacing() const { return 0; }

private:
  TcxLookAndFeelPainterClass FSkinPainter;
};

using TdxBarPainterClass = TClassOf<TdxBarPainter>;

class TdxBarStandardPainter : public TdxBarPainter {
  SONVELT_CLASS(TdxBarStandardPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
  bool SupportsQuickCustomizing() const override { return false; }
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  SONVELT_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
public:
  using TdxBarStandardPainter::TdxBarStandardPainter;
};

class TdxBarFlatPainter : public TdxBarPainter {
  SONVELT_CLASS(TdxBarFlatPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
};

class TdxBarXPPainter : public TdxBarPainter {
  SONVELT_CLASS(TdxBarXPPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
  bool UsesThemeBackground() const override { return true; }
};

class TdxBarOffice11Painter : public TdxBarFlatPainter {
  SONVELT_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
public:
  using TdxBarFlatPainter::TdxBarFlatPainter;
  bool UsesThemeBackground() const override { return true; }
};

// The class of painter kind 5 (a skin painter): the standard painter until a skin
// package puts its own here.
extern TdxBarPainterClass dxBarSkinPainterClass;
