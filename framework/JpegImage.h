// TJPEGImage: a JPEG picture. It keeps the compressed data it was loaded with
// (saved again unchanged) and decodes it into a bitmap when first drawn; a
// picture assigned from a bitmap is compressed when saved, at
// CompressionQuality.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Graphic.h"

class TBitmap;

enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };

class TJPEGImage : public TGraphic {
  SONVELT_CLASS(TJPEGImage, TGraphic)
public:
  TJPEGImage();
  ~TJPEGImage() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;

  bool GetEmpty() const override { return FData.empty() && !FBitmap; }
  int GetWidth() const override;
  int GetHeight() const override;
  // A JPEG's size is its data's; setting it is refused.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  int GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int Value);
  bool GetGrayscale() const { return FGrayscale; }
  void SetGrayscale(bool Value);
  TJPEGScale GetScale() const { return FScale; }
  void SetScale(TJPEGScale Value);
  TJPEGPerformance GetPerformance() const { return FPerformance; }
  void SetPerformance(TJPEGPerformance Value);
  bool GetProgressiveEncoding() const { return FProgressive; }
  void SetProgressiveEncoding(bool Value) { FProgressive = Value; }

  // Decodes the data into the bitmap, if not done yet.
  void DIBNeeded();
  // Compresses the bitmap into data, if there is no data yet.
  void JPEGNeeded();
  void Compress() { FData.clear(); JPEGNeeded(); }

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Takes a JPEG file image; broken data raises EInvalidGraphic and keeps the
  // picture as it was.
  void LoadFromBytes(const std::uint8_t* Data, std::size_t Size);
  std::vector<std::uint8_t> SaveToBytes();

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  void FreeBitmap();

  std::vector<std::uint8_t> FData;
  TBitmap* FBitmap = nullptr;  // the decoded picture, owned
  int FWidth = 0;              // of the data at full size
  int FHeight = 0;
  int FQuality = 90;
  bool FGrayscale = false;
  bool FProgressive = false;
  TJPEGScale FScale = jsFullSize;
  TJPEGPerformance FPerformance = jpBestQuality;
};
