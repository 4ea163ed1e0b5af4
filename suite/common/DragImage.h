// Two click-through popups of dragging: a semi-transparent image of what is
// dragged, and a hollow halftone frame that follows a resize.
#pragma once

#include "framework/OwnedObject.h"
#include "suite/common/PopupWindow.h"

class TcxRegion;

class TcxCustomDragImage : public TcxPopupWindow {
  SONVELT_CLASS(TcxCustomDragImage, TcxPopupWindow)
public:
  explicit TcxCustomDragImage(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
};

class TcxSizeFrame : public TcxCustomDragImage {
  SONVELT_CLASS(TcxSizeFrame, TcxCustomDragImage)
public:
  TcxSizeFrame(TComponent* AOwner, int FrameWidth);
  static TcxSizeFrame* CreateWithFrameWidth(int FrameWidth) { return Create(nullptr, FrameWidth); }
  ~TcxSizeFrame() override;

  // Moves and sizes the frame to R (screen coordinates).
  void PlaceAt(const RECT& R);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void ShowNoActivate();
  int GetFrameWidth() const { return FFrameWidth; }

protected:
  void Paint() override;

private:
  void ApplyRegion();
  int FFrameWidth;
  TOwned<TcxRegion> FRegion;
  HBRUSH FHalftone = nullptr;
};
