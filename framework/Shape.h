// Decoration drawn on the parent: TBevel (sunken or raised lines and frames) and
// TShape (a rectangle, rounded rectangle or ellipse in a pen and brush).
#pragma once

#include <memory>

#include "framework/Brush.h"
#include "framework/GraphicControl.h"
#include "framework/OwnedObject.h"
#include "framework/Pen.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  SONVELT_CLASS(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape GetShape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle GetStyle() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

protected:
  void Paint() override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
  SONVELT_CLASS(TShape, TGraphicControl)
public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  TShapeType GetShape() const { return FShape; }
  void SetShape(TShapeType Value);
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

protected:
  void Paint() override;

private:
  void StyleChanged(TObject*) { Invalidate(); }
  TShapeType FShape = stRectangle;
  TOwned<TPen> FPen;
  TOwned<TBrush> FBrush;
};
