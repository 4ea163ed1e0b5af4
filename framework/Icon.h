// TIcon: a picture held as a GDI icon, drawn with its mask (always transparent).
// Loading reads an ICO file and takes the image that fits the size asked for
// beforehand (SetWidth/SetHeight on an empty icon), else the largest; saving
// writes the file it came from unchanged, or one image built from the handle.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Graphic.h"

class TIcon : public TGraphic {
  SONVELT_CLASS(TIcon, TGraphic)
public:
  TIcon() = default;
  ~TIcon() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;

  bool GetEmpty() const override { return !FHandle && FData.empty(); }
  int GetWidth() const override { return FWidth; }
  // Only an empty icon takes a size: the one to pick when a file is loaded.
  void SetWidth(int Value) override;
  int GetHeight() const override { return FHeight; }
  void SetHeight(int Value) override;
  bool GetTransparent() const override { return true; }
  void SetTransparent(bool) override {}

  HICON GetHandle() { return FHandle; }
  // Adopts an icon handle (owned from now on).
  void SetHandle(HICON Value);
  HICON ReleaseHandle();

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Reads an ICO file image; raises EInvalidGraphic and keeps the icon on bad data.
  void LoadFromBytes(const std::uint8_t* Data, std::size_t Size);
  std::vector<std::uint8_t> SaveToBytes();

private:
  void Clear();

  HICON FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint8_t> FData;  // the ICO file the icon was loaded from
};
