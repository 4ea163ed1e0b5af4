// Fading between the normal and the hot picture of a screen element (a toolbar
// button or menu item becoming hot and cooling down again). One process-wide
// fader runs every fade from one 10 ms timer; an object takes part by answering
// IdxFadingObject: it gives the two pictures, repaints itself when a frame is
// ready and paints that frame through the data it is handed.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Object.h"
#include "framework/OwnedObject.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/dxGdiPlusClasses.h"

class TBitmap;
class TTimer;
class TdxFader;

// What a fading object is handed while it fades.
class IdxFadingElementData {
public:
  // Draws the current frame into R; false when there is none.
  virtual bool DrawFrame(HDC DC, const RECT& R) = 0;
  virtual bool CurrentFrame(TdxGPImage*& Image) = 0;

protected:
  ~IdxFadingElementData() = default;
};

class IdxFadingObject {
public:
  virtual bool CanFadeNow() = 0;
  virtual void RepaintFadeFrame() = 0;
  virtual void AttachFadingData(IdxFadingElementData* Data) = 0;
  virtual void DetachFadingData() = 0;
  // The normal (fade-out) and hot (fade-in) pictures, the caller's to free; the
  // frame counts and delays come in as defaults and may be changed.
  virtual void BuildFadeImages(TBitmap*& FadeOutBitmap, TBitmap*& FadeInBitmap, int& FadeInFrames,
                               int& FadeInDelay, int& FadeOutFrames, int& FadeOutDelay) = 0;

protected:
  ~IdxFadingObject() = default;
};

enum TdxFadingDirection { fdIn, fdOut };

class TdxFadingElement : public TcxIUnknownObject, public IdxFadingElementData {
  SONVELT_CLASS(TdxFadingElement, TcxIUnknownObject)
public:
  TdxFadingElement(TdxFader* AFader, TObject* AObject, TdxFadingDirection ADirection, TBitmap* FadeOutBitmap,
                   TBitmap* FadeInBitmap, int FadeInFrames, int FadeInDelay, int FadeOutFrames, int FadeOutDelay);
  // Shows the end picture, leaves the fader and detaches from the object.
  ~TdxFadingElement() override;

  bool DrawFrame(HDC DC, const RECT& R) override;
  bool CurrentFrame(TdxGPImage*& Image) override;

  void Tick();
  void SetDirection(TdxFadingDirection Value);
  TdxFadingDirection GetDirection() const { return FDirection; }
  int GetStage() const { return FStage; }
  int FrameCount(TdxFadingDirection Direction) const { return Direction == fdIn ? FFadeInFrames : FFadeOutFrames; }
  int FrameDelay(TdxFadingDirection Direction) const { return Direction == fdIn ? FFadeInDelay : FFadeOutDelay; }
  int TicksPerFrame() const { return FTicksPerFrame; }
  TObject* GetObject() const { return FObject; }
  // Tells elements apart even when one takes the place of another that went.
  unsigned GetSerial() const { return FSerial; }
  // The weight of the hot picture at the current stage.
  std::uint8_t CurrentAlpha() const;

private:
  void ValidateParams();
  void ResetDelay();
  void SetCurrentFrame(TdxGPImage* Image);

  TObject* FObject;
  int FFadeInFrames, FFadeInDelay;
  TOwned<TdxGPImage> FFadeInImage;
  int FFadeOutFrames, FFadeOutDelay;
  TOwned<TdxGPImage> FFadeOutImage;
  int FTicksPerFrame = 1, FTickCount = 0;
  IdxFadingObject* FFadingObject;
  TOwned<TdxGPImage> FCurrentFrame;
  TdxFader* FFader;
  int FStage = 0;
  TdxFadingDirection FDirection;
  unsigned FSerial;
};

class TdxFader : public TObject {
  SONVELT_CLASS(TdxFader, TObject)
public:
  TdxFader();
  ~TdxFader() override;

  void FadeIn(TObject* Object) { Fade(Object, fdIn); }
  void FadeOut(TObject* Object) { Fade(Object, fdOut); }
  void Fade(TObject* Object, TdxFadingDirection Direction);
  // Ends the object's fade (the end picture is shown); nothing when it has none.
  void StopFading(TObject* Object, bool Immediately = true);
  // The system's menu animation is on, GDI+ is there and the screen has more
  // than 16 bits per pixel.
  bool CanFade() const;
  bool IsEnabled() const;
  TdxFadingElement* FindElement(TObject* Object) const;
  int ElementCount() const { return static_cast<int>(FElements.size()); }
  bool TimerEnabled() const;
  // One 10 ms step of every running fade.
  void TimerTick();

  static constexpr int Limit = 10;

private:
  friend class TdxFadingElement;
  void AddElement(TObject* Object, IdxFadingObject* Fading, TdxFadingDirection Direction);
  void RemoveElement(TdxFadingElement* Element);
  void EnforceLimit();
  void TimerEvent(TObject* Sender) { TimerTick(); }
  void UpdateTimer();

  std::vector<TdxFadingElement*> FElements;
  TTimer* FTimer = nullptr;
};

TdxFader* FaderInstance();

// The base of the fading helpers of bar windows: idle until a fade hands it its data.
class TdxFadingObjectHelper : public TcxIUnknownObject, public IdxFadingObject {
  SONVELT_CLASS(TdxFadingObjectHelper, TcxIUnknownObject)
public:
  bool IsIdle() const { return FData == nullptr; }
  void PaintFadingFrame(HDC DC, const RECT& R) {
    if (FData) FData->DrawFrame(DC, R);
  }

  bool CanFadeNow() override { return false; }
  void RepaintFadeFrame() override { RepaintOwner(); }
  void AttachFadingData(IdxFadingElementData* Data) override { FData = Data; }
  void DetachFadingData() override { FData = nullptr; }
  void BuildFadeImages(TBitmap*&, TBitmap*&, int&, int&, int&, int&) override {}

protected:
  virtual void RepaintOwner() {}

private:
  IdxFadingElementData* FData = nullptr;
};
