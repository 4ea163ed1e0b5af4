// TGraphic: the abstract picture that a TPicture holds and a canvas draws. Each
// file format is one descendant (TBitmap, TIcon, TJPEGImage, the PNG picture).
//
// Draw paints the picture stretched into a rectangle; TCanvas::Draw and
// StretchDraw both come here. ReadData/WriteData are the picture's form data
// (what a component stores for a Picture or Glyph property); by default they are
// the file format itself.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Delegate.h"
#include "framework/Exceptions.h"
#include "framework/Persistent.h"

class TCanvas;
class TStream;

SONVELT_EXCEPTION(EInvalidGraphic, Exception)
SONVELT_EXCEPTION(EInvalidGraphicOperation, Exception)

class TGraphic : public TInterfacedPersistent {
  SONVELT_CLASS(TGraphic, TInterfacedPersistent)
public:
  TGraphic() = default;

  virtual void Draw(TCanvas* ACanvas, const RECT& Rect) = 0;

  virtual bool GetEmpty() const = 0;
  virtual int GetWidth() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual int GetHeight() const = 0;
  virtual void SetHeight(int Value) = 0;
  virtual HPALETTE GetPalette() { return nullptr; }
  virtual void SetPalette(HPALETTE) {}
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool GetModified() const { return FModified; }
  void SetModified(bool Value);

  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  virtual void LoadFromFile(const std::string& FileName);
  virtual void SaveToFile(const std::string& FileName);
  virtual void LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette);
  virtual void SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette);

  // Same class and same stored bytes.
  virtual bool Equals(TGraphic* Graphic);

  virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }

  TNotifyEvent OnChange;

protected:
  // "Data": the picture's form data, stored unless empty (or equal to the ancestor's).
  void DefineProperties(TFiler* Filer) override;
  // Marks the picture modified and tells OnChange.
  virtual void Changed(TObject* Sender);
  // A bitmap destination receives the picture drawn on it at its own size, so
  // every format can become a bitmap.
  void AssignTo(TPersistent* Dest) override;

private:
  bool FTransparent = false;
  bool FModified = false;
};

using TGraphicClass = TClassOf<TGraphic>;
