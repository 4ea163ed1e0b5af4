#include "framework/CustomControl.h"

#include "framework/GraphicControl.h"

namespace {

template <class F>
void PaintOn(TControlCanvas* Canvas, HDC DC, F Call) {
  Canvas->Lock();
  Canvas->SetHandle(DC);
  try {
    Call();
  } catch (...) {
    Canvas->SetHandle(nullptr);
    Canvas->Unlock();
    throw;
  }
  Canvas->SetHandle(nullptr);
  Canvas->Unlock();
}
}  // namespace

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(Construct<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT && Message.WParam) {
    PaintOn(FCanvas.get(), reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
    return;
  }
  TControl::Dispatch(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(Construct<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC) {
  PaintOn(FCanvas.get(), DC, [this] { Paint(); });
}

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    SetControlState(GetControlState() + csCustomPaint);
    try {
      TWinControl::Dispatch(Message);
    } catch (...) {
      SetControlState(GetControlState() - csCustomPaint);
      throw;
    }
    SetControlState(GetControlState() - csCustomPaint);
    return;
  }
  TWinControl::Dispatch(Message);
}
