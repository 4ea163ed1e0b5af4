// TspEffectBmp: a 24-bit top-down copy of a bitmap with the pixel operations of
// the skinned controls: cross-blending (alpha blending over a background and
// the default morph between two state images), the wipe, slide and push
// transitions, and lightening toward white. A transition takes the other
// bitmap (the image to move towards) and a progress factor x from 0 to 1, and
// does nothing at all unless both bitmaps have the same size. Channel values
// are rounded half to even and clamped to 0..255.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/Object.h"
#include "skins/SkinValues.h"

class TspEffectBmp : public TObject {
  SONVELT_CLASS(TspEffectBmp, TObject)
 public:
  explicit TspEffectBmp(HBITMAP Source);
  ~TspEffectBmp() override;
  TspEffectBmp(const TspEffectBmp&) = delete;
  TspEffectBmp& operator=(const TspEffectBmp&) = delete;

  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // 3 * Width rounded up to a multiple of 4.
  int GetStride() const { return 3 * FWidth + FWidth % 4; }
  void DrawTo(HDC DC, int X, int Y);
  uint8_t* RowPtr(int Row) const { return FBits + size_t(Row) * size_t(GetStride()); }
  void ReadRow(int Row, uint8_t* Dest) const;
  void WriteRow(int Row, const uint8_t* Source);

  void BlendWith(TspEffectBmp* Other, double X);
  // The vertical variant when Width < Height, else the horizontal one.
  void GradientFromCentre(TspEffectBmp* Other, double X);
  void GradientFromCentreHorz(TspEffectBmp* Other, double X);
  void GradientFromCentreVert(TspEffectBmp* Other, double X);
  void GradientFromLeft(TspEffectBmp* Other, double X);
  void GradientFromRight(TspEffectBmp* Other, double X);
  void SlideFromLeft(TspEffectBmp* Other, double X);
  void SlideFromRight(TspEffectBmp* Other, double X);
  void PushFromLeft(TspEffectBmp* Other, double X);
  void Lighten(double X);
  // The transition a morph kind names (mkDefault blends).
  void Morph(TspMorphKind Kind, TspEffectBmp* Other, double X);

 private:
  // Whether a two-bitmap operation may run: same non-empty size.
  bool Matches(const TspEffectBmp* Other) const;
  void Slide(TspEffectBmp* Other, double X, bool FromLeft);
  int FWidth = 0, FHeight = 0;
  HBITMAP FHandle = nullptr;
  uint8_t* FBits = nullptr;
};
