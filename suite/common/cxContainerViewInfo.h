// The geometry of a container (bounds, border rectangle, client rectangle) and the
// painting of its background, border and shadow.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/Colors.h"
#include "framework/Object.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxContainerStyle.h"
#include "suite/common/cxLookAndFeelPainters.h"

class TcxContainerViewInfo;
using TcxContainerViewInfoClass = TClassOf<TcxContainerViewInfo>;

class TcxContainerViewInfo : public TObject {
  SONVELT_CLASS(TcxContainerViewInfo, TObject)
public:
  TcxContainerViewInfo() = default;
  static TcxContainerViewInfo* CreateViewInfo() { return Create(); }

  virtual void PaintBorder(TcxCanvas* Canvas, RECT R);
  virtual TcxContainerBorderStyle BorderStyleOf() const { return BorderStyle; }
  virtual void PaintContent(TcxCanvas* Canvas);
  virtual void AssignBackgroundColor(TColor Color) { BackgroundColor = Color; }
  // Copies the client rectangle, and only from another view info.
  virtual void CopyFrom(TObject* Source);
  // A new empty region, the caller's.
  virtual TcxRegion* UpdateRegionFor(TcxContainerViewInfo* ViewInfo);
  virtual void ShiftBy(int DX, int DY);
  virtual void PaintAll(TcxCanvas* Canvas) { PaintContent(Canvas); }

  TColor BackgroundColor = clWindow;
  TColor BorderColor = clWindowFrame;
  RECT BorderRect{0, 0, 0, 0};
  TcxContainerBorderStyle BorderStyle = cbsNone;
  int BorderWidth = 0;
  RECT Bounds{0, 0, 0, 0};
  RECT ClientRect{0, 0, 0, 0};
  std::uint8_t ContainerState = 1;
  TcxBorders Edges = cxBordersAll;
  int NativeState = 1;
  bool NativeStyle = false;
  TcxLookAndFeelPainterClass Painter = nullptr;
  bool Shadow = false;
  TdxThemedObjectKind ThemedObjectKind = tokEdit;
};
