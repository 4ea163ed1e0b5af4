// Loading and saving pictures through memory streams, and a memory bitmap to
// draw on, for the PNG tests.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "framework/OwnedObject.h"
#include "skins/PngObject.h"
#include "tests/skins_png/PngFixtures.h"

TOwned<TPNGObject> LoadPng(const Bytes& file);
Bytes SavePng(TPNGObject* png);

// Test images: a palette with known colours, a pattern of samples for any
// colour type and depth, the check of every decoded pixel against it.
RGBQUAD PaletteColour(uint32_t i);
Bytes PalettePayload(uint32_t count);
TestImage Pattern(uint32_t w, uint32_t h, uint8_t colourType, uint8_t depth, uint8_t interlace);
std::string Describe(const TestImage& im);
// The gamma lookup a "gAMA" value should give, computed here.
std::array<uint8_t, 256> ExpectedGamma(uint32_t value);
// Checks every pixel and alpha value; colours pass through `gamma` when given.
void ExpectPixels(TPNGObject* png, const TestImage& im, const uint8_t* gamma = nullptr);
// The image's file (with a palette for indexed images), loaded.
TOwned<TPNGObject> LoadImage(const TestImage& im, size_t split = 0);

// A 32-bit top-down memory bitmap filled with one colour, with a canvas on it.
class MemoryBitmap {
 public:
  MemoryBitmap(int width, int height, COLORREF fill);
  ~MemoryBitmap();
  TCanvas* Canvas() { return FCanvas.get(); }
  HDC DC() const { return FDC; }
  COLORREF Pixel(int x, int y) const;

 private:
  int FWidth, FHeight;
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
  uint8_t* FBits = nullptr;
  TOwned<TCanvas> FCanvas;
};
