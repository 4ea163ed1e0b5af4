// Pictures on the parent: TPaintBox (drawn by its OnPaint handler) and TImage
// (shows a TPicture, stretched, centred or at its own size).
#pragma once

#include <memory>

#include "framework/GraphicControl.h"
#include "framework/OwnedObject.h"
#include "framework/Picture.h"

class TPaintBox : public TGraphicControl {
  SONVELT_CLASS(TPaintBox, TGraphicControl)
public:
  explicit TPaintBox(TComponent* AOwner);
  TNotifyEvent OnPaint;

protected:
  void Paint() override;
};

class TImage : public TGraphicControl {
  SONVELT_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value);
  bool GetProportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Where the picture lands in the control.
  RECT DestRect() const;

protected:
  void Paint() override;

private:
  void PictureChanged(TObject* Sender);
  TOwned<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};
