// TPicture: holds one graphic of whatever format, loads files by extension
// through the registry of picture formats, and forwards the graphic's changes.
//
// The registry knows "bmp" (TBitmap), "ico" (TIcon) and "jpg"/"jpeg"
// (TJPEGImage) from the start; other formats (the PNG picture) add themselves
// with RegisterFileFormat at start-up and leave with UnregisterGraphicClass.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Delegate.h"
#include "framework/Graphic.h"

class TBitmap;
class TIcon;
class TStream;

struct TFileFormat {
  std::string Extension;  // lower case, no dot
  std::string Description;
  TGraphicClass GraphicClass;
};

class TPicture : public TInterfacedPersistent {
  SONVELT_CLASS(TPicture, TInterfacedPersistent)
public:
  TPicture() = default;
  ~TPicture() override;

  void Assign(TPersistent* Source) override;

  TGraphic* GetGraphic() const { return FGraphic; }
  // Takes a copy of Value (null empties the picture).
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap: another kind of graphic is replaced by an empty one.
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* Value);
  TIcon* GetIcon();
  int GetWidth() const;
  int GetHeight() const;

  // The format comes from the extension; an unknown one raises EInvalidGraphic
  // and a failed load keeps the picture as it was.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);

  // Form data: the graphic's class name (a length byte and the name), then its
  // own data.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  static void RegisterFileFormat(const std::string& Extension, const std::string& Description,
                                 TGraphicClass GraphicClass);
  static void UnregisterGraphicClass(TGraphicClass GraphicClass);
  // The class registered for an extension (with or without the dot), or null.
  static TGraphicClass FindGraphicClass(const std::string& Extension);
  static std::vector<TFileFormat> FileFormats();

  TNotifyEvent OnChange;

protected:
  // "Data": ReadData/WriteData, stored when there is a graphic (or it differs from
  // the ancestor's).
  void DefineProperties(TFiler* Filer) override;
  virtual void Changed(TObject* Sender);

private:
  void ForceType(TGraphicClass GraphicClass);
  void Adopt(TGraphic* NewGraphic);

  TGraphic* FGraphic = nullptr;
};

// "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|..." for an open dialog,
// limited to GraphicClass and its descendants.
std::string GraphicFilter(TGraphicClass GraphicClass);
// The first extension registered for the class ("bmp"), empty when none.
std::string GraphicExtension(TGraphicClass GraphicClass);
// "*.bmp;*.ico" for the class and its descendants.
std::string GraphicFileMask(TGraphicClass GraphicClass);
